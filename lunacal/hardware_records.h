// SPDX-License-Identifier: MIT
#pragma once
// The records Windows answers hardware queries with, read as plain bytes, and the probe that
// forms the identification texts from them. Each reader checks every length and offset against
// the bytes it was given, so a truncated or malformed answer from a driver is refused instead of
// read past its end. Nothing here holds a Windows type, so the tests run it on every platform
// with fake records; the Windows sources check that their structures have these layouts.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "lunacal/hardware_id.h"

namespace lunacal {

using Bytes = std::span<const uint8_t>;

// IDENTIFY DEVICE data (ATA command 0xEC): 256 little-endian words. Text fields hold two characters
// per word, the first in the high byte.
inline constexpr std::size_t kIdentifyDataBytes = 512;
// SENDCMDOUTPARAMS: buffer size (4 bytes), DRIVERSTATUS (12 bytes, driver error first), the data.
inline constexpr std::size_t kSendCmdOutDataOffset = 16;
inline constexpr std::size_t kDriverErrorOffset = 4;
// SRB_IO_CONTROL, the header in front of a SCSI miniport request and its answer.
inline constexpr std::size_t kSrbIoControlBytes = 28;
// STORAGE_DEVICE_DESCRIPTOR up to RawDeviceProperties, the first byte its strings may occupy.
inline constexpr std::size_t kStorageDescriptorFixedBytes = 36;
// RawSMBIOSData: calling method, major and minor version, DMI revision, table length (4 bytes).
inline constexpr std::size_t kRawSmbiosHeaderBytes = 8;

// The model (words 27..46) and serial number (words 10..19) of IDENTIFY data, the bytes of every
// word swapped and each field ending at its first zero byte; blanks are left for the caller to
// trim. False when there are fewer than 512 bytes.
bool ReadIdentifyData(Bytes identify, std::string& model, std::string& serial);

// The IDENTIFY data in the SENDCMDOUTPARAMS answer of a SMART read-drive-data request. False when
// the driver reports an error or the answer is too short to hold the data.
bool ReadSmartAnswer(Bytes answer, std::string& model, std::string& serial);

// The same, behind the SRB_IO_CONTROL header of a SCSI miniport answer.
bool ReadMiniportAnswer(Bytes answer, std::string& model, std::string& serial);

// The product id and serial number of a STORAGE_DEVICE_DESCRIPTOR. Only the bytes both given and
// claimed by the descriptor's Size count; a string whose offset is 0, lies in the fixed part or
// past the end, or has no terminating zero is taken as absent (empty). False when the descriptor
// is too short to hold its offsets.
bool ReadStorageDescriptor(Bytes descriptor, std::string& model, std::string& serial);

// The table ids of EnumSystemFirmwareTables: 32-bit little-endian values, a partial one ignored.
std::vector<uint32_t> ReadFirmwareTableIds(Bytes list);

// Fills the BIOS area from a raw firmware table that starts at physical address `table_address`
// (GetSystemFirmwareTable 'FIRM'). Addresses the table does not cover read as 0xFF, which no BIOS
// text holds. False when the table covers none of the area.
bool CopyFirmwareTable(Bytes table, uint32_t table_address, BiosArea& area);

// The BIOS release date string of the first BIOS information structure (type 0) of raw SMBIOS
// data (GetSystemFirmwareTable 'RSMB'). The walk stops at the end-of-table structure, at a
// structure shorter than its header or running past the table, and at a string set without its
// closing zeros. False when no such date string was found.
bool ReadSmbiosBiosDate(Bytes raw_smbios, std::string& date);

// The providers of GetSystemFirmwareTable: raw firmware areas, whose table id is the physical
// address they start at, and the SMBIOS table.
inline constexpr uint32_t kRawFirmwareProvider = 0x4649524D;  // 'FIRM'
inline constexpr uint32_t kSmbiosProvider = 0x52534D42;       // 'RSMB'
// The SCSI miniports \\.\Scsi0: .. \\.\Scsi15: are asked, each for drives 0 and 1.
inline constexpr int kScsiPorts = 16;
inline constexpr int kDrivesPerPort = 2;

// The machine's answers, unread. Each query returns false when its source is missing or refuses,
// and then `answer` means nothing.
class RecordSource {
 public:
  virtual ~RecordSource() = default;
  // The SENDCMDOUTPARAMS of SMART read-drive-data (IDENTIFY) for physical drive 0.
  virtual bool SmartIdentify(std::vector<uint8_t>& answer) const = 0;
  // SRB_IO_CONTROL and SENDCMDOUTPARAMS of IDENTIFY through a SCSI miniport.
  virtual bool MiniportIdentify(int port, int drive, std::vector<uint8_t>& answer) const = 0;
  // The STORAGE_DEVICE_DESCRIPTOR of physical drive 0.
  virtual bool StorageDescriptor(std::vector<uint8_t>& answer) const = 0;
  // The BIOS area mapped from physical memory.
  virtual bool PhysicalMemory(BiosArea& area) const = 0;
  // EnumSystemFirmwareTables and GetSystemFirmwareTable of a provider.
  virtual bool FirmwareTableIds(uint32_t provider, std::vector<uint8_t>& answer) const = 0;
  virtual bool FirmwareTable(uint32_t provider, uint32_t id, std::vector<uint8_t>& answer) const = 0;
};

// Reads the records in this order. Disk: SMART, the miniports, the storage descriptor; the first
// that gives a non-empty text wins. BIOS area: physical memory, then the raw firmware table that
// covers it; the BIOS date comes from SMBIOS. CPUID is asked of the processor itself.
class RecordProbe final : public HardwareProbe {
 public:
  explicit RecordProbe(const RecordSource& source) : source_(source) {}
  bool DiskModelAndSerial(std::string& model, std::string& serial) const override;
  bool Cpuid(uint32_t leaf, CpuidRegisters& registers) const override;
  bool ReadBiosArea(BiosArea& area) const override;
  bool FirmwareDate(std::string& date) const override;

 private:
  const RecordSource& source_;
};

}  // namespace lunacal
