// SPDX-License-Identifier: MIT
// wasi's C++ library has no exception support: try and catch compile, their handlers are dropped,
// and nothing provides the two entry points of a throw. Nothing in the calendar throws (it never
// allocates); should the identification texts' strings ever throw, the call traps, which JavaScript
// sees as a WebAssembly.RuntimeError, rather than answering something made up.

#include <cstddef>

extern "C" {
void* __cxa_allocate_exception(std::size_t) { __builtin_trap(); }
void __cxa_throw(void*, void*, void (*)(void*)) { __builtin_trap(); }
}
