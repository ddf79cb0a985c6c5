// SPDX-License-Identifier: MIT
#pragma once
// What the binding of lunacal.dll knows of Windows beside loading it (chart/library_win32.cpp):
// the program's folder, the architecture a DLL file is built for, and the window's words when the
// DLL found is for the other architecture or damaged.

#include <cstdint>
#include <string>

namespace chart {

// The folder that holds the running program file, without a trailing backslash; empty when it
// cannot be read.
std::wstring RunningProgramFolder();

// The architecture a DLL file is built for, read from its PE header without loading it, so a
// DLL that LoadLibrary refuses can be told apart: one for the other kind of Windows program, or
// a damaged file.
enum class DllKind {
  kMissing,   // the file cannot be opened
  kDamaged,   // too short for its headers, or not a PE file at all
  kX86,       // a 32-bit program's DLL
  kX64,       // a 64-bit program's DLL
  kOther,     // a PE file for some other processor
};
DllKind ReadDllKind(const std::wstring& path);

// The kind of DLL that this program itself can load.
constexpr DllKind kOwnDllKind = sizeof(void*) == 8 ? DllKind::kX64 : DllKind::kX86;

// What the window says when lunacal.dll is there but is not for this program's architecture
// (`found` is kX86 or kX64), and when it is damaged.
std::u16string LunacalWrongArchitectureMessage(DllKind found);
std::u16string LunacalDamagedMessage();

// lunacal.dll in the folder of the running program, the one place the program loads it from;
// empty when that folder cannot be read.
std::wstring DefaultLunacalPath();

}  // namespace chart
