// SPDX-License-Identifier: MIT
#include "lunacal/hardware_probe_windows.h"

#include <windows.h>
#include <winioctl.h>
#include <ntddscsi.h>
#include <winternl.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <utility>
#include <vector>

#include "lunacal/hardware_records.h"

namespace lunacal {
namespace {

// The byte readers of hardware_records.h must agree with the structures Windows fills.
static_assert(offsetof(SENDCMDOUTPARAMS, bBuffer) == kSendCmdOutDataOffset);
static_assert(offsetof(SENDCMDOUTPARAMS, DriverStatus) + offsetof(DRIVERSTATUS, bDriverError) ==
              kDriverErrorOffset);
static_assert(sizeof(SRB_IO_CONTROL) == kSrbIoControlBytes);
static_assert(offsetof(STORAGE_DEVICE_DESCRIPTOR, ProductIdOffset) == 16);
static_assert(offsetof(STORAGE_DEVICE_DESCRIPTOR, SerialNumberOffset) == 24);
static_assert(offsetof(STORAGE_DEVICE_DESCRIPTOR, RawDeviceProperties) == kStorageDescriptorFixedBytes);

constexpr BYTE kDriveZero = 0;
// Seconds a miniport may take over the request before it gives up.
constexpr ULONG kMiniportTimeout = 2;
// Not in the mingw headers: the miniport control code of IDENTIFY through a SCSI port.
constexpr ULONG kMiniportIdentify = (0x1BUL << 16) + 0x0501;
// No descriptor or firmware table comes near these sizes; a driver that claims more is refused.
constexpr DWORD kMaxDescriptorBytes = 64 * 1024;
constexpr UINT kMaxFirmwareTableBytes = 4 * 1024 * 1024;

// Closes a kernel handle however the function that opened it returns.
class Handle {
 public:
  explicit Handle(HANDLE handle) : handle_(handle) {}
  ~Handle() {
    if (valid()) CloseHandle(handle_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  bool valid() const { return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

Handle OpenDevice(const wchar_t* path, DWORD access) {
  return Handle(CreateFileW(path, access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            0, nullptr));
}

// DeviceIoControl with the count of bytes returned; false when the request failed.
bool Control(const Handle& device, DWORD code, void* in, DWORD in_size, void* out, DWORD out_size,
             DWORD& returned) {
  returned = 0;
  if (DeviceIoControl(device.get(), code, in, in_size, out, out_size, &returned, nullptr) == 0) {
    return false;
  }
  returned = std::min(returned, out_size);
  return true;
}

// IDENTIFY DEVICE for `drive`: the drive-head register selects master (0xA0) or slave (0xB0).
SENDCMDINPARAMS IdentifyRequest(BYTE drive) {
  SENDCMDINPARAMS request{};
  request.cBufferSize = IDENTIFY_BUFFER_SIZE;
  request.irDriveRegs.bSectorCountReg = 1;
  request.irDriveRegs.bSectorNumberReg = 1;
  request.irDriveRegs.bDriveHeadReg = static_cast<BYTE>(0xA0 | ((drive & 1) << 4));
  request.irDriveRegs.bCommandReg = ID_CMD;
  request.bDriveNumber = drive;
  return request;
}

// The request without its one-byte placeholder for data.
constexpr DWORD kIdentifyRequestBytes = sizeof(SENDCMDINPARAMS) - 1;

// A function of a module, looked up by name; null when the module or the function is missing.
template <typename Function>
Function FindFunction(HMODULE module, const char* name) {
  if (module == nullptr) return nullptr;
  // Through the generic function pointer type, which GCC accepts from FARPROC without a warning.
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

// A loaded module released on every path.
class Module {
 public:
  explicit Module(const wchar_t* name) : module_(LoadLibraryW(name)) {}
  ~Module() {
    if (module_ != nullptr) FreeLibrary(module_);
  }
  Module(const Module&) = delete;
  Module& operator=(const Module&) = delete;

  template <typename Function>
  Function Find(const char* name) const {
    return FindFunction<Function>(module_, name);
  }

 private:
  HMODULE module_;
};

using ZwOpenSectionFunction = NTSTATUS(NTAPI*)(HANDLE*, ACCESS_MASK, OBJECT_ATTRIBUTES*);
using ZwMapViewOfSectionFunction = NTSTATUS(NTAPI*)(HANDLE, HANDLE, PVOID*, ULONG_PTR, SIZE_T,
                                                    LARGE_INTEGER*, SIZE_T*, DWORD, ULONG, ULONG);
using ZwUnmapViewOfSectionFunction = NTSTATUS(NTAPI*)(HANDLE, PVOID);
// SECTION_INHERIT: the view is not passed on to child processes.
constexpr DWORD kViewUnmap = 2;

// The firmware table functions came with Windows Vista and Server 2003 SP1; they are looked up
// when asked for, so that the DLL still loads on the systems before.
using EnumSystemFirmwareTablesFunction = UINT(WINAPI*)(DWORD, PVOID, DWORD);
using GetSystemFirmwareTableFunction = UINT(WINAPI*)(DWORD, DWORD, PVOID, DWORD);

template <typename Function>
Function Kernel32Function(const char* name) {
  // kernel32.dll is loaded into every process, so it needs no LoadLibrary and no FreeLibrary.
  return FindFunction<Function>(GetModuleHandleW(L"kernel32.dll"), name);
}

// Fills `answer` from a query that tells its size when given no buffer, then writes at most that
// many bytes and returns how many it wrote.
template <typename Query>
bool SizedAnswer(Query query, std::vector<uint8_t>& answer) {
  const UINT size = query(nullptr, 0);
  if (size == 0 || size > kMaxFirmwareTableBytes) return false;
  answer.assign(size, 0);
  const UINT got = query(answer.data(), size);
  if (got == 0 || got > size) return false;
  answer.resize(got);
  return true;
}

class WindowsSource final : public RecordSource {
 public:
  bool SmartIdentify(std::vector<uint8_t>& answer) const override {
    const Handle drive = OpenDevice(L"\\\\.\\PhysicalDrive0", GENERIC_READ | GENERIC_WRITE);
    if (!drive.valid()) return false;
    GETVERSIONINPARAMS version{};
    DWORD returned = 0;
    if (!Control(drive, SMART_GET_VERSION, nullptr, 0, &version, sizeof version, returned)) return false;
    SENDCMDINPARAMS request = IdentifyRequest(kDriveZero);
    answer.assign(kSendCmdOutDataOffset + kIdentifyDataBytes, 0);
    if (!Control(drive, SMART_RCV_DRIVE_DATA, &request, kIdentifyRequestBytes, answer.data(),
                 static_cast<DWORD>(answer.size()), returned)) {
      return false;
    }
    answer.resize(returned);
    return true;
  }

  bool MiniportIdentify(int port, int drive, std::vector<uint8_t>& answer) const override {
    wchar_t path[24];
    std::swprintf(path, sizeof path / sizeof path[0], L"\\\\.\\Scsi%d:", port);
    const Handle miniport = OpenDevice(path, GENERIC_READ | GENERIC_WRITE);
    if (!miniport.valid()) return false;
    // The request and the answer share one buffer: the header, then SENDCMDIN/OUTPARAMS.
    SRB_IO_CONTROL header{};
    header.HeaderLength = sizeof header;
    std::memcpy(header.Signature, "SCSIDISK", sizeof header.Signature);
    header.Timeout = kMiniportTimeout;
    header.ControlCode = kMiniportIdentify;
    header.Length = kSendCmdOutDataOffset + kIdentifyDataBytes;
    const SENDCMDINPARAMS request = IdentifyRequest(static_cast<BYTE>(drive));
    answer.assign(kSrbIoControlBytes + kSendCmdOutDataOffset + kIdentifyDataBytes, 0);
    static_assert(kSrbIoControlBytes + kIdentifyRequestBytes <=
                  kSrbIoControlBytes + kSendCmdOutDataOffset + kIdentifyDataBytes);
    std::memcpy(answer.data(), &header, sizeof header);
    std::memcpy(answer.data() + sizeof header, &request, kIdentifyRequestBytes);
    DWORD returned = 0;
    if (!Control(miniport, IOCTL_SCSI_MINIPORT, answer.data(), kSrbIoControlBytes + kIdentifyRequestBytes,
                 answer.data(), static_cast<DWORD>(answer.size()), returned)) {
      return false;
    }
    answer.resize(returned);
    return true;
  }

  bool StorageDescriptor(std::vector<uint8_t>& answer) const override {
    const Handle drive = OpenDevice(L"\\\\.\\PhysicalDrive0", 0);
    if (!drive.valid()) return false;
    STORAGE_PROPERTY_QUERY query{};
    query.PropertyId = StorageDeviceProperty;
    query.QueryType = PropertyStandardQuery;
    // First the header alone, which tells how large the whole descriptor is.
    STORAGE_DESCRIPTOR_HEADER header{};
    DWORD returned = 0;
    if (!Control(drive, IOCTL_STORAGE_QUERY_PROPERTY, &query, sizeof query, &header, sizeof header, returned) ||
        returned < sizeof header || header.Size > kMaxDescriptorBytes) {
      return false;
    }
    answer.assign(std::max<DWORD>(header.Size, sizeof(STORAGE_DEVICE_DESCRIPTOR)), 0);
    if (!Control(drive, IOCTL_STORAGE_QUERY_PROPERTY, &query, sizeof query, answer.data(),
                 static_cast<DWORD>(answer.size()), returned)) {
      return false;
    }
    answer.resize(returned);
    return true;
  }

  bool PhysicalMemory(BiosArea& area) const override {
    const Module ntdll(L"ntdll.dll");
    const auto open_section = ntdll.Find<ZwOpenSectionFunction>("ZwOpenSection");
    const auto map_view = ntdll.Find<ZwMapViewOfSectionFunction>("ZwMapViewOfSection");
    const auto unmap_view = ntdll.Find<ZwUnmapViewOfSectionFunction>("ZwUnmapViewOfSection");
    if (open_section == nullptr || map_view == nullptr || unmap_view == nullptr) return false;

    wchar_t name_text[] = L"\\Device\\PhysicalMemory";
    UNICODE_STRING name{};
    name.Buffer = name_text;
    name.Length = static_cast<USHORT>(sizeof name_text - sizeof name_text[0]);
    name.MaximumLength = static_cast<USHORT>(sizeof name_text);
    OBJECT_ATTRIBUTES attributes{};
    attributes.Length = sizeof attributes;
    attributes.ObjectName = &name;
    attributes.Attributes = OBJ_CASE_INSENSITIVE;
    HANDLE opened = nullptr;
    if (open_section(&opened, SECTION_MAP_READ, &attributes) < 0) return false;
    const Handle section(opened);
    if (!section.valid()) return false;

    // The view starts at the requested address rounded down to the allocation granularity.
    PVOID view = nullptr;
    LARGE_INTEGER offset{};
    offset.QuadPart = kBiosAreaStart;
    SIZE_T view_size = area.size();
    if (map_view(section.get(), GetCurrentProcess(), &view, 0, view_size, &offset, &view_size, kViewUnmap, 0,
                 PAGE_READONLY) < 0 ||
        view == nullptr) {
      return false;
    }
    const bool covers = offset.QuadPart >= 0 && offset.QuadPart <= kBiosAreaStart &&
                        view_size >= (kBiosAreaStart - offset.QuadPart) + area.size();
    if (covers) {
      std::memcpy(area.data(), static_cast<const uint8_t*>(view) + (kBiosAreaStart - offset.QuadPart),
                  area.size());
    }
    unmap_view(GetCurrentProcess(), view);
    return covers;
  }

  bool FirmwareTableIds(uint32_t provider, std::vector<uint8_t>& answer) const override {
    const auto enumerate = Kernel32Function<EnumSystemFirmwareTablesFunction>("EnumSystemFirmwareTables");
    if (enumerate == nullptr) return false;
    return SizedAnswer([&](void* buffer, UINT size) { return enumerate(provider, buffer, size); }, answer);
  }

  bool FirmwareTable(uint32_t provider, uint32_t id, std::vector<uint8_t>& answer) const override {
    const auto get = Kernel32Function<GetSystemFirmwareTableFunction>("GetSystemFirmwareTable");
    if (get == nullptr) return false;
    return SizedAnswer([&](void* buffer, UINT size) { return get(provider, id, buffer, size); }, answer);
  }
};

const WindowsSource kWindowsSource;
const RecordProbe kSystemProbe(kWindowsSource);

}  // namespace

const RecordSource& WindowsRecordSource() { return kWindowsSource; }

const HardwareProbe& SystemProbe() { return kSystemProbe; }

}  // namespace lunacal
