# SPDX-License-Identifier: MIT
# A thin front for the CMake presets: every target first installs what it needs and nothing more.
# WERROR=ON, as CI runs, turns warnings into errors; the main tree is then build-ci (the ci preset),
# so switching between the two never rebuilds either.
.PHONY: deps configure build run test bench asan windows fuzz package reference js js-modules js-bench \
  web web-site web-modules web-run web-bench

WERROR ?= OFF
PRESET := $(if $(filter ON,$(WERROR)),ci,default)
BUILD_DIR := $(if $(filter ci,$(PRESET)),build-ci,build)

# The purpose given to scripts/install-deps; target-specific values reach the prerequisites too.
PURPOSE = run
test bench: PURPOSE = test
test bench asan windows: TESTS = -DNAME_BUILD_TESTS=ON
bench: PRESET = default
asan: PURPOSE = asan
fuzz: PURPOSE = fuzz
windows: PURPOSE = test windows
package: PURPOSE = package
js js-bench js-modules: PURPOSE = test js
web web-site web-modules web-run: PURPOSE = web
js js-bench: TESTS = -DNAME_BUILD_TESTS=ON

deps:
	bash scripts/install-deps $(PURPOSE)

configure: deps
	cmake --preset $(PRESET) $(TESTS)

build: configure
	cmake --build --preset $(PRESET)

# Checked before anything is installed or built, so a machine without a desktop learns it at once.
run:
	@if [ -z "$${DISPLAY:-}$${WAYLAND_DISPLAY:-}$${QT_QPA_PLATFORM:-}" ]; then \
	  echo "make run: no desktop session here (neither DISPLAY nor WAYLAND_DISPLAY is set)." >&2; \
	  echo "Start it from a terminal inside your desktop, or use 'make build' and 'make test'," >&2; \
	  echo "which need no display." >&2; \
	  exit 1; \
	fi
	$(MAKE) --no-print-directory build
	./$(BUILD_DIR)/bin/name

test: build
	ctest --preset $(PRESET)

# The main tree's answer digest program: every other tree (sanitizers, Windows) must give its
# answers, and its test compares them input by input in the same run.
REFERENCE_DIGEST = $(CURDIR)/$(BUILD_DIR)/bin/lunacal_answer_digest
reference: configure
	cmake --build --preset $(PRESET) --target lunacal_answer_digest

# The native benchmarks, then the JavaScript ones, which set the native library's exports beside
# the peers of npm as well as the npm package: one run, one machine state for every ratio.
bench: build
	ctest --preset bench
	LUNACAL_NATIVE_BENCH=$(CURDIR)/build/lunacal_bench.json $(MAKE) --no-print-directory js-bench

asan: reference
	cmake --preset asan -DNAME_WERROR=$(WERROR) -DLUNACAL_REFERENCE_DIGEST=$(REFERENCE_DIGEST)
	cmake --build --preset asan
	ctest --preset asan

# The Debian packages name, liblunacal1, liblunacal-dev and lunacal in build-package/packages, then
# lintian and the checks of the files they install.
package: deps
	cmake --preset package -DNAME_WERROR=$(WERROR)
	cmake --build --preset package
	cpack --preset package
	bash scripts/check-packages build-package/packages

# The Windows edition twice, 32-bit (build-windows) and 64-bit (build-windows64), each tree with its
# tests in ctest: the engine's and the exports' suites and the answer digest under wine, lunacal.dll's
# export and import tables, a consumer linked with its import libraries, the DLL built twice to
# prove it reproducible, the window's tests and the real name.exe under wine, each zip and
# installer built, installed, started and removed again. Whatever this machine cannot run under
# wine is checked without running (ctest -L static), and one line says so.
WINDOWS_TREES := build-windows:mingw-i686:build-windows64 build-windows64:mingw-x86_64:build-windows
windows: reference
	@set -e; for tree in $(WINDOWS_TREES); do \
	  dir=$${tree%%:*}; rest=$${tree#*:}; toolchain=$${rest%%:*}; other=$${rest#*:}; \
	  cmake -S . -B $$dir -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/$$toolchain.cmake \
	    -DCMAKE_BUILD_TYPE=Release -DNAME_BUILD_TESTS=ON -DNAME_WERROR=$(WERROR) \
	    -DLUNACAL_REFERENCE_DIGEST=$(REFERENCE_DIGEST) -DNAME_OTHER_ARCH_DLL=$(CURDIR)/$$other/bin/lunacal.dll; \
	  cmake --build $$dir -j2; \
	done
	bash scripts/windows-check $(foreach tree,$(WINDOWS_TREES),$(firstword $(subst :, ,$(tree))))

# Two libFuzzer targets under AddressSanitizer (its leak check on) and UBSan, each for FUZZ_SECONDS:
# first the exports fed arbitrary bytes (an input is 24 bytes; longer ones add nothing), then the
# window's form fed any sequence of events and texts with its rules checked after every event.
# Each starts from a copy of its seed corpus (made by lunacal/fuzz/make_corpus.py and
# app/fuzz/make_corpus.py), which the run grows while the repository's copy stays as it is; an
# input that breaks something is written into build-fuzz/.
FUZZ_SECONDS ?= 60
fuzz: deps
	CC=clang-14 CXX=clang++-14 cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DNAME_FUZZ=ON -DNAME_WERROR=$(WERROR) \
	  "-DCMAKE_C_FLAGS=-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all" \
	  "-DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all" \
	  -DCMAKE_EXE_LINKER_FLAGS=-fsanitize=address,undefined \
	  -DCMAKE_SHARED_LINKER_FLAGS=-fsanitize=address,undefined
	cmake --build build-fuzz -j2 --target lunacal_exports_fuzz name_form_fuzz
	mkdir -p build-fuzz/exports-corpus build-fuzz/form-corpus
	cp lunacal/fuzz/corpus/* build-fuzz/exports-corpus/
	cp app/fuzz/corpus/* build-fuzz/form-corpus/
	build-fuzz/bin/lunacal_exports_fuzz -max_total_time=$(FUZZ_SECONDS) -timeout=10 \
	  -rss_limit_mb=2048 -max_len=64 -artifact_prefix=build-fuzz/ -print_final_stats=1 \
	  build-fuzz/exports-corpus
	build-fuzz/bin/name_form_fuzz -max_total_time=$(FUZZ_SECONDS) -timeout=10 \
	  -rss_limit_mb=2048 -max_len=4096 -dict=app/fuzz/form.dict -artifact_prefix=build-fuzz/ \
	  -print_final_stats=1 build-fuzz/form-corpus

# lunacal.wasm and the npm package lunacal in build-js (the js preset): its development packages
# from the committed lockfile, then the build and its tests, lunacal.wasm's answer digest against
# the main tree's in the same run among them. The packed package is build-js/lunacal-<version>.tgz.
JS_MODULES = build-js/npm
# installed-lock.json is the lockfile of the last npm ci that succeeded.
js-modules: deps
	@mkdir -p $(JS_MODULES)
	@if cmp -s bindings/js/package-lock.json $(JS_MODULES)/installed-lock.json; then \
	  echo "js-modules: $(JS_MODULES)/node_modules is as the lockfile says"; \
	else \
	  rm -f $(JS_MODULES)/installed-lock.json && \
	  cp bindings/js/package.json bindings/js/package-lock.json $(JS_MODULES)/ && \
	  (cd $(JS_MODULES) && npm ci --ignore-scripts --no-audit --no-fund --loglevel=error) && \
	  cp bindings/js/package-lock.json $(JS_MODULES)/installed-lock.json; \
	fi

js: reference js-modules
	cmake --preset js -DNAME_WERROR=$(WERROR) -DLUNACAL_REFERENCE_DIGEST=$(REFERENCE_DIGEST)
	cmake --build --preset js
	ctest --preset js

# The idiomatic layer against the JavaScript calendars of npm on the same work, in one node process.
js-bench: js
	ctest --preset js-bench

# The window in the browser: lunacal.wasm from the js tree, then the emscripten tree (the web
# preset) that stages the site in build-web/site, then its tests in headless Chromium under the
# page's content security policy. puppeteer-core comes from app/web/tests/package-lock.json.
WEB_MODULES = build-web/npm
web-modules: deps
	@mkdir -p $(WEB_MODULES)
	@if cmp -s app/web/tests/package-lock.json $(WEB_MODULES)/package-lock.json && \
	    [ -d $(WEB_MODULES)/node_modules ]; then \
	  echo "web-modules: $(WEB_MODULES)/node_modules is as the lockfile says"; \
	else \
	  cp app/web/tests/package.json app/web/tests/package-lock.json $(WEB_MODULES)/ && \
	  cd $(WEB_MODULES) && npm ci --ignore-scripts --no-audit --no-fund --loglevel=error; \
	fi

web-site: deps
	cmake --preset js -DNAME_WERROR=$(WERROR)
	cmake --build --preset js --target lunacal_wasm
	cmake --preset web -DNAME_WERROR=$(WERROR)
	cmake --build --preset web

web: web-site web-modules
	ctest --preset web

# Serves the site on 127.0.0.1:8000 with the same policy the tests use; Ctrl+C stops it.
web-run: web-site
	node app/web/tests/serve.mjs build-web/site 8000

# Sizes and load time of the site, and the search and the chart in the browser against the same
# timing program built natively in the main tree, in one run.
WEB_NATIVE_TIMING = $(CURDIR)/$(BUILD_DIR)/bin/name_search_chart_timing
web-bench: web-site web-modules
	bash scripts/install-deps test web
	cmake --preset $(PRESET) -DNAME_BUILD_TESTS=ON
	cmake --build --preset $(PRESET) --target name_search_chart_timing
	cmake --preset web -DNAME_NATIVE_TIMING=$(WEB_NATIVE_TIMING)
	ctest --preset web-bench
