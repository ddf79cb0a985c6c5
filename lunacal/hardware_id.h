// SPDX-License-Identifier: MIT
#pragma once
// The three hardware identification texts behind SysDiskID, SysCPUID and SysBIOSID. The machine is
// read through a small probe interface, so the rules that form the texts and copy them into a
// caller's buffer are tested with fake probes; SystemProbe() is the real machine.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace lunacal {

struct CpuidRegisters {
  uint32_t eax = 0;
  uint32_t ebx = 0;
  uint32_t ecx = 0;
  uint32_t edx = 0;
};

// The physical BIOS area 0xF0000..0xFFFFF, one byte per address.
inline constexpr uint32_t kBiosAreaStart = 0xF0000;
using BiosArea = std::array<uint8_t, 0x10000>;

// What the machine tells. Each query returns false when its source is missing or unreadable; a
// probe never blocks and never throws.
class HardwareProbe {
 public:
  virtual ~HardwareProbe() = default;
  // Model and serial number of the first physical disk, as the system reports them (untrimmed).
  virtual bool DiskModelAndSerial(std::string& model, std::string& serial) const = 0;
  // The registers of a basic CPUID leaf; false when the processor has no such leaf.
  virtual bool Cpuid(uint32_t leaf, CpuidRegisters& registers) const = 0;
  virtual bool ReadBiosArea(BiosArea& area) const = 0;
  // The firmware date the system exposes when the BIOS area itself cannot be read.
  virtual bool FirmwareDate(std::string& date) const = 0;
};

// The probe of the machine the library runs on.
const HardwareProbe& SystemProbe();

// CPUID of the processor this code runs on, for the system probes; false without CPUID or leaf.
bool ReadProcessorCpuid(uint32_t leaf, CpuidRegisters& registers);

// The disk's identification: the model up to 40 characters and the serial up to 20, blanks
// trimmed at both ends.
struct HDInfo {
  std::string model;
  std::string serial;
};
// "%08X-%08X-%08X-%08X" of EDX and EAX of leaf 1 and EDX and ECX of leaf 3, or empty.
struct CPUInfo {
  std::string id_text;
};
// A BIOS date or identification text, up to 199 characters, or empty.
struct BIOSInfo {
  std::string date_text;
};

HDInfo ReadHDInfo(const HardwareProbe& probe);
// The fields as a drive reports them, trimmed and cut to their widths.
HDInfo FormHDInfo(std::string_view model, std::string_view serial);
CPUInfo ReadCPUInfo(const HardwareProbe& probe);
BIOSInfo ReadBIOSInfo(const HardwareProbe& probe);

// The model immediately followed by the serial, no separator.
std::string DiskIdText(const HDInfo& info);

// Copies `text` and its terminating zero into `buffer`: at most `length` bytes when `length` is 0
// or more (a text that does not fit is cut without the zero), everything for a negative length.
// Returns 1 when the text is not empty; an empty text, or a null buffer, leaves the buffer as it is.
int32_t CopyIdText(std::string_view text, char* buffer, int32_t length);

}  // namespace lunacal
