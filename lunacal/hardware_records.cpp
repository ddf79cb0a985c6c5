// SPDX-License-Identifier: MIT
#include "lunacal/hardware_records.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace lunacal {
namespace {

// Byte offsets inside IDENTIFY data: the serial number is words 10..19, the model words 27..46.
constexpr std::size_t kIdentifySerialOffset = 10 * 2;
constexpr std::size_t kIdentifySerialBytes = 10 * 2;
constexpr std::size_t kIdentifyModelOffset = 27 * 2;
constexpr std::size_t kIdentifyModelBytes = 20 * 2;
static_assert(kIdentifyModelOffset + kIdentifyModelBytes <= kIdentifyDataBytes);

// STORAGE_DEVICE_DESCRIPTOR: the descriptor's own size, then the offsets of its strings.
constexpr std::size_t kStorageSizeOffset = 4;
constexpr std::size_t kStorageProductIdOffset = 16;
constexpr std::size_t kStorageSerialNumberOffset = 24;

// SMBIOS structures: type, formatted length, handle; in BIOS information (type 0) the string
// number of the release date is at offset 8.
constexpr std::size_t kSmbiosHeaderBytes = 4;
constexpr uint8_t kSmbiosBiosInformation = 0;
constexpr uint8_t kSmbiosEndOfTable = 127;
constexpr std::size_t kSmbiosBiosDateOffset = 8;

uint32_t Le32(Bytes bytes, std::size_t offset) {
  return static_cast<uint32_t>(bytes[offset]) | static_cast<uint32_t>(bytes[offset + 1]) << 8 |
         static_cast<uint32_t>(bytes[offset + 2]) << 16 | static_cast<uint32_t>(bytes[offset + 3]) << 24;
}

// A text field of IDENTIFY data: the high byte of each word is the earlier character.
std::string SwappedField(Bytes field) {
  std::string text;
  text.reserve(field.size());
  for (std::size_t i = 0; i + 1 < field.size(); i += 2) {
    text.push_back(static_cast<char>(field[i + 1]));
    text.push_back(static_cast<char>(field[i]));
  }
  return text.substr(0, text.find('\0'));
}

// The zero-ended string at `offset`, or empty when it is absent or unterminated.
std::string DescriptorString(Bytes descriptor, uint32_t offset) {
  if (offset < kStorageDescriptorFixedBytes || offset >= descriptor.size()) return {};
  const Bytes rest = descriptor.subspan(offset);
  const auto end = std::find(rest.begin(), rest.end(), uint8_t{0});
  if (end == rest.end()) return {};
  return std::string(rest.begin(), end);
}

// String `number` (1-based) of a structure's string set, which ends at the first empty string.
std::string SmbiosString(Bytes strings, uint8_t number) {
  auto start = strings.begin();
  for (unsigned n = 1; start != strings.end() && *start != 0; ++n) {
    const auto end = std::find(start, strings.end(), uint8_t{0});
    if (n == number) return std::string(start, end);
    if (end == strings.end()) break;
    start = end + 1;
  }
  return {};
}

}  // namespace

bool ReadIdentifyData(Bytes identify, std::string& model, std::string& serial) {
  if (identify.size() < kIdentifyDataBytes) return false;
  model = SwappedField(identify.subspan(kIdentifyModelOffset, kIdentifyModelBytes));
  serial = SwappedField(identify.subspan(kIdentifySerialOffset, kIdentifySerialBytes));
  return true;
}

bool ReadSmartAnswer(Bytes answer, std::string& model, std::string& serial) {
  if (answer.size() < kSendCmdOutDataOffset + kIdentifyDataBytes) return false;
  if (answer[kDriverErrorOffset] != 0) return false;
  return ReadIdentifyData(answer.subspan(kSendCmdOutDataOffset), model, serial);
}

bool ReadMiniportAnswer(Bytes answer, std::string& model, std::string& serial) {
  if (answer.size() < kSrbIoControlBytes) return false;
  return ReadSmartAnswer(answer.subspan(kSrbIoControlBytes), model, serial);
}

bool ReadStorageDescriptor(Bytes descriptor, std::string& model, std::string& serial) {
  if (descriptor.size() < kStorageSerialNumberOffset + 4) return false;
  // A driver may claim more than it returned, or return more than the descriptor: trust the less.
  const uint32_t claimed = Le32(descriptor, kStorageSizeOffset);
  const Bytes own = descriptor.first(std::min<std::size_t>(descriptor.size(), claimed));
  if (own.size() < kStorageSerialNumberOffset + 4) return false;
  model = DescriptorString(own, Le32(own, kStorageProductIdOffset));
  serial = DescriptorString(own, Le32(own, kStorageSerialNumberOffset));
  return true;
}

std::vector<uint32_t> ReadFirmwareTableIds(Bytes list) {
  std::vector<uint32_t> ids;
  for (std::size_t offset = 0; offset + 4 <= list.size(); offset += 4) ids.push_back(Le32(list, offset));
  return ids;
}

bool CopyFirmwareTable(Bytes table, uint32_t table_address, BiosArea& area) {
  // 64-bit, so a table near the top of the 32-bit address space cannot wrap around.
  const uint64_t table_start = table_address;
  const uint64_t table_end = table_start + table.size();
  const uint64_t area_start = kBiosAreaStart;
  const uint64_t area_end = area_start + area.size();
  const uint64_t from = std::max(table_start, area_start);
  const uint64_t to = std::min(table_end, area_end);
  if (from >= to) return false;
  area.fill(0xFF);
  std::memcpy(area.data() + (from - area_start), table.data() + (from - table_start),
              static_cast<std::size_t>(to - from));
  return true;
}

bool ReadSmbiosBiosDate(Bytes raw_smbios, std::string& date) {
  if (raw_smbios.size() < kRawSmbiosHeaderBytes) return false;
  const Bytes given = raw_smbios.subspan(kRawSmbiosHeaderBytes);
  const Bytes table = given.first(std::min<std::size_t>(given.size(), Le32(raw_smbios, 4)));
  std::size_t at = 0;
  while (at + kSmbiosHeaderBytes <= table.size()) {
    const uint8_t type = table[at];
    const std::size_t length = table[at + 1];
    if (type == kSmbiosEndOfTable || length < kSmbiosHeaderBytes || at + length > table.size()) {
      return false;
    }
    // The string set follows the formatted part and ends with two zero bytes.
    const Bytes tail = table.subspan(at + length);
    std::size_t strings_end = 0;
    while (strings_end + 1 < tail.size() && (tail[strings_end] != 0 || tail[strings_end + 1] != 0)) {
      ++strings_end;
    }
    if (strings_end + 1 >= tail.size()) return false;
    if (type == kSmbiosBiosInformation) {
      if (length <= kSmbiosBiosDateOffset) return false;
      std::string text = SmbiosString(tail.first(strings_end + 2), table[at + kSmbiosBiosDateOffset]);
      if (text.empty()) return false;
      date = std::move(text);
      return true;
    }
    at += length + strings_end + 2;
  }
  return false;
}

namespace {

bool HasDiskText(const std::string& model, const std::string& serial) {
  return !DiskIdText(FormHDInfo(model, serial)).empty();
}

// Reads an IDENTIFY answer with `read` and keeps its fields when they form a text.
template <typename Read>
bool TakeDiskText(bool answered, const std::vector<uint8_t>& answer, Read read, std::string& model,
                  std::string& serial) {
  std::string found_model, found_serial;
  if (!answered || !read(Bytes(answer), found_model, found_serial) || !HasDiskText(found_model, found_serial)) {
    return false;
  }
  model = std::move(found_model);
  serial = std::move(found_serial);
  return true;
}

}  // namespace

bool RecordProbe::DiskModelAndSerial(std::string& model, std::string& serial) const {
  std::vector<uint8_t> answer;
  if (TakeDiskText(source_.SmartIdentify(answer), answer, ReadSmartAnswer, model, serial)) return true;
  for (int port = 0; port < kScsiPorts; ++port) {
    for (int drive = 0; drive < kDrivesPerPort; ++drive) {
      if (TakeDiskText(source_.MiniportIdentify(port, drive, answer), answer, ReadMiniportAnswer, model,
                       serial)) {
        return true;
      }
    }
  }
  return TakeDiskText(source_.StorageDescriptor(answer), answer, ReadStorageDescriptor, model, serial);
}

bool RecordProbe::Cpuid(uint32_t leaf, CpuidRegisters& registers) const {
  return ReadProcessorCpuid(leaf, registers);
}

bool RecordProbe::ReadBiosArea(BiosArea& area) const {
  if (source_.PhysicalMemory(area)) return true;
  std::vector<uint8_t> list, table;
  if (!source_.FirmwareTableIds(kRawFirmwareProvider, list)) return false;
  for (const uint32_t id : ReadFirmwareTableIds(list)) {
    if (source_.FirmwareTable(kRawFirmwareProvider, id, table) && CopyFirmwareTable(table, id, area)) {
      return true;
    }
  }
  return false;
}

bool RecordProbe::FirmwareDate(std::string& date) const {
  std::vector<uint8_t> table;
  return source_.FirmwareTable(kSmbiosProvider, 0, table) && ReadSmbiosBiosDate(table, date);
}

}  // namespace lunacal
