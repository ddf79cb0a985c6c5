// SPDX-License-Identifier: MIT
#include "lunacal/hardware_id.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#if defined(__i386__) || defined(__x86_64__)
#include <cpuid.h>
#define LUNACAL_HAS_CPUID 1
#endif

#if defined(__linux__)
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace lunacal {
namespace {

constexpr std::size_t kModelLength = 40;
constexpr std::size_t kSerialLength = 20;
// A BIOS candidate is a zero-ended text within this many bytes, so at most 199 characters.
constexpr std::size_t kBiosCandidateBytes = 200;

// A BIOS text candidate: where it starts and the two places that must hold its separator.
struct BiosCandidate {
  uint32_t address;
  std::size_t first_mark;
  std::size_t second_mark;
  char mark;
};

// In the order they are tried: a dotted identification text, a dashed one and a date with slashes.
constexpr std::array<BiosCandidate, 3> kBiosCandidates{{
    {0xF6577, 7, 11, '.'},
    {0xFF478, 2, 7, '-'},
    {0xFEC71, 2, 5, '/'},
}};

constexpr bool CandidateFitsInArea(const BiosCandidate& candidate) {
  return candidate.address >= kBiosAreaStart &&
         candidate.address - kBiosAreaStart + kBiosCandidateBytes <= BiosArea{}.size();
}
static_assert(std::all_of(kBiosCandidates.begin(), kBiosCandidates.end(), CandidateFitsInArea));

// Genuine BIOS texts are printable ASCII no higher than 'q'; anything else is taken for stray
// bytes of code or data.
bool IsBiosCharacter(char c) { return c >= ' ' && c <= 'q'; }

bool IsBiosText(std::string_view text) {
  return !text.empty() && text.size() < kBiosCandidateBytes &&
         std::all_of(text.begin(), text.end(), IsBiosCharacter);
}

// The candidate's text when it passes the rule, else empty.
std::string_view BiosCandidateText(const BiosArea& area, const BiosCandidate& candidate) {
  const char* start = reinterpret_cast<const char*>(area.data()) + (candidate.address - kBiosAreaStart);
  const std::string_view window(start, kBiosCandidateBytes);
  const std::size_t end = window.find('\0');
  if (end == std::string_view::npos) return {};
  const std::string_view text = window.substr(0, end);
  if (text.size() <= std::max(candidate.first_mark, candidate.second_mark)) return {};
  if (text[candidate.first_mark] != candidate.mark || text[candidate.second_mark] != candidate.mark) {
    return {};
  }
  return IsBiosText(text) ? text : std::string_view{};
}

// Eight upper-case hexadecimal digits, as "%08X" prints them, without stdio: the WebAssembly
// build has no file descriptors to import for it.
void AppendHex8(std::string& text, uint32_t value) {
  constexpr std::string_view kDigits = "0123456789ABCDEF";
  for (int shift = 28; shift >= 0; shift -= 4) text += kDigits[(value >> shift) & 0xFu];
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\0'; }

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// Trimmed, then cut to the width of the field the drive reports it in.
std::string DriveField(std::string_view raw, std::size_t width) {
  return std::string(Trimmed(Trimmed(raw).substr(0, width)));
}

#if defined(__linux__)

// Reads a small text file up to its first zero byte; sysfs attributes never block, and O_NONBLOCK
// keeps an unexpected device node from doing so either.
bool ReadSmallFile(const std::string& path, std::string& text) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return false;
  char chunk[512];
  const ssize_t got = ::read(fd, chunk, sizeof chunk);
  ::close(fd);
  if (got <= 0) return false;
  const std::string_view read_text(chunk, static_cast<std::size_t>(got));
  text.assign(read_text.substr(0, read_text.find('\0')));
  return true;
}

bool PathExists(const std::string& path) { return ::access(path.c_str(), F_OK) == 0; }

// Block devices backed by hardware have a "device" link; loop, zram, dm and md devices do not.
// Removable media (optical drives, card readers, sticks) are not the machine's disk.
std::vector<std::string> PhysicalDisks() {
  std::vector<std::string> disks;
  // Closed however the scan ends, an allocation failure included.
  const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir("/sys/block"), ::closedir);
  if (dir == nullptr) return disks;
  while (const dirent* entry = ::readdir(dir.get())) {
    const std::string name = entry->d_name;
    if (name.empty() || name.front() == '.') continue;
    const std::string base = "/sys/block/" + name;
    std::string removable;
    if (!PathExists(base + "/device")) continue;
    if (ReadSmallFile(base + "/removable", removable) && Trimmed(removable) == "1") continue;
    disks.push_back(name);
  }
  std::sort(disks.begin(), disks.end());
  return disks;
}

class LinuxProbe final : public HardwareProbe {
 public:
  bool DiskModelAndSerial(std::string& model, std::string& serial) const override {
    const std::vector<std::string> disks = PhysicalDisks();
    if (disks.empty()) return false;
    const std::string base = "/sys/block/" + disks.front();
    const bool has_model = ReadSmallFile(base + "/device/model", model);
    const bool has_serial =
        ReadSmallFile(base + "/device/serial", serial) || ReadSmallFile(base + "/serial", serial);
    return has_model || has_serial;
  }

  bool Cpuid(uint32_t leaf, CpuidRegisters& registers) const override {
    return ReadProcessorCpuid(leaf, registers);
  }

  bool ReadBiosArea(BiosArea& area) const override {
    const int fd = ::open("/dev/mem", O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    std::size_t done = 0;
    while (done < area.size()) {
      const ssize_t got = ::pread(fd, area.data() + done, area.size() - done,
                                  static_cast<off_t>(kBiosAreaStart + done));
      if (got <= 0) break;
      done += static_cast<std::size_t>(got);
    }
    ::close(fd);
    return done == area.size();
  }

  bool FirmwareDate(std::string& date) const override {
    return ReadSmallFile("/sys/class/dmi/id/bios_date", date);
  }
};

using PlatformProbe = LinuxProbe;

#elif !defined(_WIN32)

// Elsewhere only the processor is asked; disk and BIOS texts stay empty. Windows has a probe of
// its own (hardware_probe_windows.cpp). In WebAssembly this is the stand-in that finds nothing at
// all: a page or a node process has no disk, BIOS or CPUID to read, so the three texts are empty
// and the exports answer 0, as they do for any missing source.
class PortableProbe final : public HardwareProbe {
 public:
  bool DiskModelAndSerial(std::string&, std::string&) const override { return false; }
  bool Cpuid(uint32_t leaf, CpuidRegisters& registers) const override {
    return ReadProcessorCpuid(leaf, registers);
  }
  bool ReadBiosArea(BiosArea&) const override { return false; }
  bool FirmwareDate(std::string&) const override { return false; }
};

using PlatformProbe = PortableProbe;

#endif

#if !defined(_WIN32)
const PlatformProbe kSystemProbe;
#endif

}  // namespace

#if !defined(_WIN32)
const HardwareProbe& SystemProbe() { return kSystemProbe; }
#endif

bool ReadProcessorCpuid(uint32_t leaf, CpuidRegisters& registers) {
#if defined(LUNACAL_HAS_CPUID)
  unsigned int eax = 0, ebx = 0, ecx = 0, edx = 0;
  // __get_cpuid refuses a leaf above the processor's highest one instead of returning junk.
  if (__get_cpuid(leaf, &eax, &ebx, &ecx, &edx) == 0) return false;
  registers = {eax, ebx, ecx, edx};
  return true;
#else
  (void)leaf;
  (void)registers;
  return false;
#endif
}

HDInfo FormHDInfo(std::string_view model, std::string_view serial) {
  return {DriveField(model, kModelLength), DriveField(serial, kSerialLength)};
}

HDInfo ReadHDInfo(const HardwareProbe& probe) {
  std::string model, serial;
  if (!probe.DiskModelAndSerial(model, serial)) return {};
  return FormHDInfo(model, serial);
}

CPUInfo ReadCPUInfo(const HardwareProbe& probe) {
  CpuidRegisters leaf1, leaf3;
  if (!probe.Cpuid(1, leaf1)) return {};
  // Leaf 3 (the processor serial number) is absent on most processors; it then reads as zeroes.
  if (!probe.Cpuid(3, leaf3)) leaf3 = {};
  std::string text;
  for (const uint32_t value : {leaf1.edx, leaf1.eax, leaf3.edx, leaf3.ecx}) {
    if (!text.empty()) text += '-';
    AppendHex8(text, value);
  }
  return {text};
}

BIOSInfo ReadBIOSInfo(const HardwareProbe& probe) {
  // The area is 64 KiB: too large for the stack of a caller's thread.
  const auto area = std::make_unique<BiosArea>();
  if (probe.ReadBiosArea(*area)) {
    for (const BiosCandidate& candidate : kBiosCandidates) {
      const std::string_view text = BiosCandidateText(*area, candidate);
      if (!text.empty()) return {std::string(text)};
    }
    return {};
  }
  std::string date;
  if (!probe.FirmwareDate(date)) return {};
  const std::string_view trimmed = Trimmed(date);
  return IsBiosText(trimmed) ? BIOSInfo{std::string(trimmed)} : BIOSInfo{};
}

std::string DiskIdText(const HDInfo& info) { return info.model + info.serial; }

int32_t CopyIdText(std::string_view text, char* buffer, int32_t length) {
  if (text.empty()) return 0;
  if (buffer == nullptr) return 1;
  const std::size_t whole = text.size() + 1;
  const std::size_t count =
      length < 0 ? whole : std::min(whole, static_cast<std::size_t>(length));
  const std::size_t characters = std::min(count, text.size());
  std::memcpy(buffer, text.data(), characters);
  if (count > characters) buffer[characters] = '\0';
  return 1;
}

}  // namespace lunacal
