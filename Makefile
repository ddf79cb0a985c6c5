# A thin front for the CMake presets: every target installs what is missing first.
.PHONY: deps configure build run test bench asan

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
