// SPDX-License-Identifier: MIT
// Asks every Windows identification source of the machine it runs on and prints what each one
// answered. Everywhere it proves that asking leaves no handle open; under wine, where no source
// but CPUID has anything to tell, it proves that each source gives the empty text.
//   probe_test.exe    exit status: the number of failed checks

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "lunacal/hardware_probe_windows.h"

namespace {

int failures = 0;

void Check(bool condition, const char* what) {
  if (!condition) {
    std::printf("FAILED: %s\n", what);
    ++failures;
  }
}

bool UnderWine() {
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// The value the next new handle gets. Windows and wine hand out the lowest free slot of the
// handle table, so a handle left open in between moves it; GetProcessHandleCount would be the
// plain way, but wine answers it with 0.
HANDLE NextHandleSlot() {
  const HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  if (event == nullptr) {
    std::printf("FAILED: CreateEventW (error %lu)\n", GetLastError());
    ++failures;
    return nullptr;
  }
  CloseHandle(event);
  return event;
}

// Prints one source's answer and returns the text formed from it.
template <typename Read>
std::string DiskSource(const char* name, bool answered, const std::vector<uint8_t>& answer, Read read) {
  std::string model, serial;
  const bool readable = answered && read(lunacal::Bytes(answer), model, serial);
  const std::string text = readable ? lunacal::DiskIdText(lunacal::FormHDInfo(model, serial)) : "";
  std::printf("%-24s %s", name, answered ? "answered" : "refused");
  if (answered) std::printf(" %zu bytes, %s, text \"%s\"", answer.size(), readable ? "readable" : "malformed", text.c_str());
  std::printf("\n");
  return text;
}

}  // namespace

int main() {
  const bool wine = UnderWine();
  std::printf("running %s\n", wine ? "under wine" : "on Windows");
  const lunacal::RecordSource& source = lunacal::WindowsRecordSource();
  std::vector<uint8_t> answer;

  const std::string smart = DiskSource("SMART IDENTIFY", source.SmartIdentify(answer), answer, lunacal::ReadSmartAnswer);
  std::string miniport;
  for (int port = 0; port < lunacal::kScsiPorts && miniport.empty(); ++port) {
    for (int drive = 0; drive < lunacal::kDrivesPerPort && miniport.empty(); ++drive) {
      if (!source.MiniportIdentify(port, drive, answer)) continue;
      const std::string name = "Scsi" + std::to_string(port) + ": drive " + std::to_string(drive);
      miniport = DiskSource(name.c_str(), true, answer, lunacal::ReadMiniportAnswer);
    }
  }
  if (miniport.empty()) std::printf("%-24s no miniport gave a text\n", "SCSI miniports");
  const std::string storage =
      DiskSource("storage descriptor", source.StorageDescriptor(answer), answer, lunacal::ReadStorageDescriptor);

  lunacal::BiosArea area;
  const bool memory = source.PhysicalMemory(area);
  std::printf("%-24s %s\n", "\\Device\\PhysicalMemory", memory ? "mapped" : "refused");
  std::vector<uint8_t> ids;
  const bool has_ids = source.FirmwareTableIds(lunacal::kRawFirmwareProvider, ids);
  std::printf("%-24s %s, %zu tables\n", "FIRM tables", has_ids ? "listed" : "refused",
              has_ids ? lunacal::ReadFirmwareTableIds(ids).size() : 0);
  std::string date;
  const bool smbios = source.FirmwareTable(lunacal::kSmbiosProvider, 0, answer);
  const bool dated = smbios && lunacal::ReadSmbiosBiosDate(answer, date);
  std::printf("%-24s %s", "SMBIOS", smbios ? "answered" : "refused");
  if (smbios) std::printf(" %zu bytes, BIOS date \"%s\"", answer.size(), dated ? date.c_str() : "");
  std::printf("\n");

  const lunacal::HardwareProbe& probe = lunacal::SystemProbe();
  const std::string disk_text = lunacal::DiskIdText(lunacal::ReadHDInfo(probe));
  const std::string bios_text = lunacal::ReadBIOSInfo(probe).date_text;
  const std::string cpu_text = lunacal::ReadCPUInfo(probe).id_text;
  std::printf("texts: disk \"%s\", BIOS \"%s\", CPU \"%s\"\n", disk_text.c_str(), bios_text.c_str(), cpu_text.c_str());
  Check(cpu_text.size() == 35, "the CPUID text has 35 characters");

  // Asked many times, a leaked handle would take the slot the next handle gets.
  const HANDLE slot_before = NextHandleSlot();
  for (int round = 0; round < 20; ++round) {
    lunacal::ReadHDInfo(probe);
    lunacal::ReadBIOSInfo(probe);
  }
  const HANDLE slot_after = NextHandleSlot();
  std::printf("next handle before %p, after 20 rounds %p\n", slot_before, slot_after);
  Check(slot_before != nullptr && slot_before == slot_after, "asking the sources leaves no handle open");

  if (wine) {
    Check(smart.empty() && miniport.empty() && storage.empty(), "under wine no disk source gives a text");
    Check(!memory, "under wine physical memory is refused");
    Check(!dated, "under wine SMBIOS holds no BIOS date");
    Check(disk_text.empty() && bios_text.empty(), "under wine the disk and BIOS texts are empty");
  }
  std::printf("probe_test: %s (%d failures)\n", failures == 0 ? "all checks passed" : "FAILED", failures);
  return failures;
}
