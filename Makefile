# A thin front for the CMake presets: every target installs what is missing first.
.PHONY: deps configure build run test bench asan windows fuzz

deps:
	bash scripts/install-deps

configure: deps
	cmake --preset default

build: configure
	cmake --build --preset default

run: build
	./build/bin/name

test: build
	ctest --preset default

bench: build
	ctest --preset bench

asan: deps
	cmake --preset asan
	cmake --build --preset asan
	ctest --preset asan

# lunacal as a 32-bit Windows DLL, its export and import tables checked, then loaded and called
# under wine; the zip and the installer for Windows users built, installed, started and removed
# again under wine in a headless Chinese prefix.
windows: deps
	cmake -S . -B build-windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
	  -DCMAKE_BUILD_TYPE=Release -DNAME_LIBRARY_ONLY=ON
	cmake --build build-windows
	bash lunacal/tests/windows/check_dll.sh build-windows/bin/lunacal.dll
	bash lunacal/tests/windows/run_under_wine.sh build-windows
	bash packaging/windows/tests/prefix_test.sh build-windows
	bash packaging/windows/tests/installer_test.sh build-windows

# The exports fed arbitrary bytes under libFuzzer, AddressSanitizer and UBSan for a bounded time.
FUZZ_SECONDS ?= 60
fuzz: deps
	CC=clang-14 CXX=clang++-14 cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DNAME_LIBRARY_ONLY=ON -DLUNACAL_FUZZ=ON \
	  "-DCMAKE_C_FLAGS=-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all" \
	  "-DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all" \
	  -DCMAKE_EXE_LINKER_FLAGS=-fsanitize=address,undefined \
	  -DCMAKE_SHARED_LINKER_FLAGS=-fsanitize=address,undefined
	cmake --build build-fuzz --target lunacal_exports_fuzz
	mkdir -p build-fuzz/corpus
	build-fuzz/bin/lunacal_exports_fuzz -max_total_time=$(FUZZ_SECONDS) -timeout=10 \
	  -rss_limit_mb=2048 -print_final_stats=1 build-fuzz/corpus
