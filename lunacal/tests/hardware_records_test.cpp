// SPDX-License-Identifier: MIT
// How the records Windows answers hardware queries with are read (IDENTIFY data, SMART and
// miniport answers, storage descriptors, raw firmware tables, SMBIOS), truncated and malformed
// ones included, and which texts the record probe forms from a fake source of such records.

#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <iterator>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "lunacal/hardware_records.h"

namespace lunacal {
namespace {

using Record = std::vector<uint8_t>;

void PutLe32(Record& record, std::size_t offset, uint32_t value) {
  for (int i = 0; i < 4; ++i) record.at(offset + i) = static_cast<uint8_t>(value >> (8 * i));
}

void Append(Record& record, const std::string& text) { record.insert(record.end(), text.begin(), text.end()); }

// IDENTIFY data with the two fields blank-padded to their widths and stored two characters a
// word, the first in the high byte, as drives report them.
Record Identify(const std::string& model, const std::string& serial) {
  Record data(kIdentifyDataBytes, 0);
  const auto put = [&data](std::size_t word, std::size_t words, std::string text) {
    text.resize(words * 2, ' ');
    for (std::size_t i = 0; i < text.size(); i += 2) {
      data[word * 2 + i] = static_cast<uint8_t>(text[i + 1]);
      data[word * 2 + i + 1] = static_cast<uint8_t>(text[i]);
    }
  };
  put(10, 10, serial);
  put(27, 20, model);
  return data;
}

// SENDCMDOUTPARAMS around IDENTIFY data.
Record SmartAnswer(const Record& identify, uint8_t driver_error = 0) {
  Record answer(kSendCmdOutDataOffset, 0);
  PutLe32(answer, 0, static_cast<uint32_t>(identify.size()));
  answer[kDriverErrorOffset] = driver_error;
  answer.insert(answer.end(), identify.begin(), identify.end());
  return answer;
}

Record MiniportAnswer(const Record& smart_answer) {
  Record answer(kSrbIoControlBytes, 0);
  std::memcpy(answer.data() + 4, "SCSIDISK", 8);
  answer.insert(answer.end(), smart_answer.begin(), smart_answer.end());
  return answer;
}

// STORAGE_DEVICE_DESCRIPTOR: the fixed part, then the given bytes; Size claims the whole.
Record Descriptor(uint32_t product_offset, uint32_t serial_offset, const std::string& strings) {
  Record record(kStorageDescriptorFixedBytes + 4, 0);
  Append(record, strings);
  PutLe32(record, 0, 40);
  PutLe32(record, 4, static_cast<uint32_t>(record.size()));
  PutLe32(record, 16, product_offset);
  PutLe32(record, 24, serial_offset);
  return record;
}

struct Fields {
  bool read;
  std::string model, serial;
  bool operator==(const Fields&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Fields& f) {
  return out << (f.read ? "read" : "refused") << " '" << f.model << "' '" << f.serial << "'";
}

template <typename Reader>
Fields ReadWith(Reader read, const Record& record) {
  Fields fields{false, "unset", "unset"};
  fields.read = read(Bytes(record), fields.model, fields.serial);
  return fields;
}

TEST(IdentifyRecords, fieldsAreByteSwappedAndEndAtTheirFirstZero) {
  const std::string model40(40, 'M');
  Record zero_inside = Identify("WDC WD10", "");
  zero_inside[27 * 2 + 5] = 0;  // the 5th character of the model: the high byte of its 3rd word
  Record odd_model = Identify("ABC", "1");
  struct Case {
    const char* what;
    Record data;
    Fields fields;
  } cases[] = {
      {"padded fields", Identify("ST1000DM003-1CH162", "Z1D5ABCD"),
       {true, "ST1000DM003-1CH162                      ", "Z1D5ABCD            "}},
      {"odd lengths", odd_model, {true, "ABC" + std::string(37, ' '), "1" + std::string(19, ' ')}},
      {"full width", Identify(model40, std::string(20, 'S')), {true, model40, std::string(20, 'S')}},
      {"zero ends a field", zero_inside, {true, "WDC ", std::string(20, ' ')}},
      {"one byte short", Record(kIdentifyDataBytes - 1, 'x'), {false, "unset", "unset"}},
      {"empty", Record{}, {false, "unset", "unset"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(ReadWith(ReadIdentifyData, c.data), c.fields);
  }
}

TEST(IdentifyRecords, smartAndMiniportAnswers_refuseDriverErrorsAndShortAnswers) {
  const Record identify = Identify("Model", "Serial");
  const Fields good{true, "Model" + std::string(35, ' '), "Serial" + std::string(14, ' ')};
  const Fields refused{false, "unset", "unset"};
  Record short_smart = SmartAnswer(identify);
  short_smart.pop_back();
  struct Case {
    const char* what;
    bool miniport;
    Record answer;
    Fields fields;
  } cases[] = {
      {"smart", false, SmartAnswer(identify), good},
      {"smart, driver error", false, SmartAnswer(identify, 5), refused},
      {"smart, one byte short", false, short_smart, refused},
      {"smart, header only", false, Record(kSendCmdOutDataOffset, 0), refused},
      {"miniport", true, MiniportAnswer(SmartAnswer(identify)), good},
      {"miniport, driver error", true, MiniportAnswer(SmartAnswer(identify, 1)), refused},
      {"miniport, one byte short", true, MiniportAnswer(short_smart), refused},
      {"miniport, shorter than its header", true, Record(kSrbIoControlBytes - 1, 0), refused},
      // A bare SMART answer is too short once the miniport header is expected in front of it.
      {"miniport, header missing", true, SmartAnswer(identify), refused},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(c.miniport ? ReadWith(ReadMiniportAnswer, c.answer) : ReadWith(ReadSmartAnswer, c.answer),
              c.fields);
  }
}

TEST(StorageDescriptorRecords, stringsAreTakenOnlyWithinTheDescriptorAndTerminated) {
  const std::string strings = std::string("Samsung SSD 860\0S3Z9NB0K123456\0", 31);
  constexpr uint32_t kProduct = 40;
  constexpr uint32_t kSerial = 56;
  Record claims_less = Descriptor(kProduct, kSerial, strings);
  PutLe32(claims_less, 4, kSerial + 4);  // Size ends inside the serial number
  Record claims_more = Descriptor(kProduct, kSerial, strings);
  PutLe32(claims_more, 4, 4096);
  Record claims_too_little = Descriptor(kProduct, kSerial, strings);
  PutLe32(claims_too_little, 4, 27);
  const Record unterminated = Descriptor(kProduct, 0, "Samsung SSD 860");
  struct Case {
    const char* what;
    Record descriptor;
    Fields fields;
  } cases[] = {
      {"both strings", Descriptor(kProduct, kSerial, strings), {true, "Samsung SSD 860", "S3Z9NB0K123456"}},
      {"offset 0 means absent", Descriptor(0, kSerial, strings), {true, "", "S3Z9NB0K123456"}},
      {"offset past the end", Descriptor(kProduct, 4000, strings), {true, "Samsung SSD 860", ""}},
      {"offset just past the end", Descriptor(kProduct, 71, strings), {true, "Samsung SSD 860", ""}},
      {"offset into the fixed part", Descriptor(8, 16, strings), {true, "", ""}},
      {"no terminator", unterminated, {true, "", ""}},
      {"Size cuts the serial", claims_less, {true, "Samsung SSD 860", ""}},
      {"Size claims more than was returned", claims_more, {true, "Samsung SSD 860", "S3Z9NB0K123456"}},
      {"Size too small for the offsets", claims_too_little, {false, "unset", "unset"}},
      {"as wine answers: no strings", Descriptor(0, 0, ""), {true, "", ""}},
      {"too short for the offsets", Record(27, 0), {false, "unset", "unset"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(ReadWith(ReadStorageDescriptor, c.descriptor), c.fields);
  }
}

TEST(FirmwareRecords, tableIdsAreLittleEndianWordsAndAPartialOneIsIgnored) {
  EXPECT_EQ(ReadFirmwareTableIds(Record{0x00, 0x00, 0x0C, 0x00, 0x00, 0x00, 0x0E, 0x00, 0x01}),
            (std::vector<uint32_t>{0xC0000, 0xE0000}));
  EXPECT_TRUE(ReadFirmwareTableIds(Record{1, 2, 3}).empty());
}

TEST(FirmwareRecords, aTableFillsTheBiosAreaWhereItCoversItAndLeaves0xFFElsewhere) {
  // Each byte of a table holds the low byte of its address, so a misplaced copy shows.
  const auto table_at = [](uint32_t address, std::size_t size) {
    Record table(size);
    for (std::size_t i = 0; i < size; ++i) table[i] = static_cast<uint8_t>(address + i);
    return table;
  };
  struct Case {
    const char* what;
    uint32_t address;
    std::size_t size;
    bool copied;
    uint32_t first_covered, end_covered;
  } cases[] = {
      {"0xE0000..0xFFFFF covers it all", 0xE0000, 0x20000, true, 0xF0000, 0x100000},
      {"exactly the area", 0xF0000, 0x10000, true, 0xF0000, 0x100000},
      {"reaching past 1 MiB", 0xF8000, 0x10000, true, 0xF8000, 0x100000},
      {"ending inside", 0xE0000, 0x10010, true, 0xF0000, 0xF0010},
      {"a part in the middle", 0xFEC00, 0x100, true, 0xFEC00, 0xFED00},
      {"below the area", 0xC0000, 0x20000, false, 0, 0},
      {"above the area", 0x100000, 0x100, false, 0, 0},
      {"at the top of the address space", 0xFFFFFFF0, 0x100, false, 0, 0},
      {"empty", 0xF0000, 0, false, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    BiosArea area;
    area.fill(0x55);
    ASSERT_EQ(CopyFirmwareTable(table_at(c.address, c.size), c.address, area), c.copied);
    if (!c.copied) continue;
    for (uint32_t address = kBiosAreaStart; address < 0x100000; ++address) {
      const bool covered = address >= c.first_covered && address < c.end_covered;
      ASSERT_EQ(area[address - kBiosAreaStart], covered ? static_cast<uint8_t>(address) : 0xFF)
          << std::hex << address;
    }
  }
}

// Raw SMBIOS data: the 8-byte header with the table length, then the structures.
Record RawSmbios(const Record& table, std::optional<uint32_t> claimed_length = std::nullopt) {
  Record raw(kRawSmbiosHeaderBytes, 0);
  raw[1] = 3;
  PutLe32(raw, 4, claimed_length.value_or(static_cast<uint32_t>(table.size())));
  raw.insert(raw.end(), table.begin(), table.end());
  return raw;
}

// One structure: type, formatted length, handle, the rest of the formatted part, the strings.
Record Structure(uint8_t type, Record formatted_rest, const std::vector<std::string>& strings) {
  Record record = std::move(formatted_rest);
  const uint8_t header[] = {type, static_cast<uint8_t>(4 + record.size()), 0x00, 0x01};
  record.insert(record.begin(), std::begin(header), std::end(header));
  for (const std::string& s : strings) {
    Append(record, s);
    record.push_back(0);
  }
  if (strings.empty()) record.push_back(0);
  record.push_back(0);
  return record;
}

// BIOS information with vendor 1, version 2 and the release date as string `date_number`.
Record BiosInformation(uint8_t date_number, const std::vector<std::string>& strings, uint8_t length = 0x18) {
  Record rest(length - 4, 0);
  rest[0] = 1;
  rest[1] = 2;
  if (rest.size() > 4) rest[4] = date_number;
  return Structure(0, rest, strings);
}

Record Concat(std::initializer_list<Record> parts) {
  Record all;
  for (const Record& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

TEST(SmbiosRecords, biosReleaseDateOfTheFirstBiosInformation) {
  const std::vector<std::string> strings{"American Megatrends Inc.", "1.2", "03/14/2012"};
  const Record system = Structure(1, Record(0x15, 0), {"Maker", "Board"});
  const Record no_strings = Structure(32, Record(0x07, 0), {});
  const Record end = Structure(127, {}, {});
  const Record good = BiosInformation(3, strings);
  Record unterminated = good;
  unterminated.pop_back();
  Record bad_length = good;
  bad_length[1] = 3;
  Record past_the_end = good;
  past_the_end[1] = 0xFF;
  const Record table = Concat({system, no_strings, good, end});
  struct Case {
    const char* what;
    Record raw;
    std::optional<std::string> date;
  } cases[] = {
      {"after other structures", RawSmbios(table), "03/14/2012"},
      {"alone", RawSmbios(good), "03/14/2012"},
      {"the first of two", RawSmbios(Concat({good, BiosInformation(1, {"12/31/1999"})})), "03/14/2012"},
      {"date is string 1", RawSmbios(BiosInformation(1, {"01/02/2003"})), "01/02/2003"},
      {"no date string (wine)", RawSmbios(BiosInformation(0, {})), std::nullopt},
      {"date string number past the strings", RawSmbios(BiosInformation(4, strings)), std::nullopt},
      {"formatted part too short for the date", RawSmbios(BiosInformation(3, strings, 8)), std::nullopt},
      {"length below the header", RawSmbios(bad_length), std::nullopt},
      {"length past the table", RawSmbios(past_the_end), std::nullopt},
      {"strings without their closing zeros", RawSmbios(unterminated), std::nullopt},
      {"after the end-of-table structure", RawSmbios(Concat({end, good})), std::nullopt},
      {"header length cuts the table", RawSmbios(table, static_cast<uint32_t>(system.size() + 10)), std::nullopt},
      {"header length claims more", RawSmbios(good, 100000), "03/14/2012"},
      {"header only", RawSmbios({}), std::nullopt},
      {"shorter than the header", Record(7, 0), std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::string date = "unset";
    EXPECT_EQ(ReadSmbiosBiosDate(c.raw, date), c.date.has_value());
    EXPECT_EQ(date, c.date.value_or("unset"));
  }
}

// Hands back fixed records; a source without a record refuses.
class FakeSource final : public RecordSource {
 public:
  std::optional<Record> smart, descriptor, firmware_ids, smbios;
  std::map<std::pair<int, int>, Record> miniport;
  std::optional<BiosArea> memory;
  std::map<uint32_t, Record> firmware_tables;

  bool SmartIdentify(Record& answer) const override { return Give(smart, answer); }
  bool MiniportIdentify(int port, int drive, Record& answer) const override {
    const auto found = miniport.find({port, drive});
    return found != miniport.end() && Give(found->second, answer);
  }
  bool StorageDescriptor(Record& answer) const override { return Give(descriptor, answer); }
  bool PhysicalMemory(BiosArea& area) const override {
    if (!memory) return false;
    area = *memory;
    return true;
  }
  bool FirmwareTableIds(uint32_t provider, Record& answer) const override {
    return provider == kRawFirmwareProvider && Give(firmware_ids, answer);
  }
  bool FirmwareTable(uint32_t provider, uint32_t id, Record& answer) const override {
    if (provider == kSmbiosProvider) return id == 0 && Give(smbios, answer);
    const auto found = firmware_tables.find(id);
    return provider == kRawFirmwareProvider && found != firmware_tables.end() && Give(found->second, answer);
  }

 private:
  static bool Give(const std::optional<Record>& record, Record& answer) {
    if (!record) return false;
    answer = *record;
    return true;
  }
};

TEST(RecordProbe, diskText_fromTheFirstSourceThatGivesOne) {
  const Record smart = SmartAnswer(Identify("  SMART MODEL", "SMART1"));
  const Record blank_smart = SmartAnswer(Identify("", ""));
  const Record miniport = MiniportAnswer(SmartAnswer(Identify("PORT MODEL", "PORT1")));
  const Record storage = Descriptor(40, 52, std::string("STORE MODEL\0 STORE1 \0", 21));
  struct Case {
    const char* what;
    std::optional<Record> smart;
    std::map<std::pair<int, int>, Record> miniport;
    std::optional<Record> descriptor;
    const char* text;
  } cases[] = {
      {"smart first", smart, {{{0, 0}, miniport}}, storage, "SMART MODELSMART1"},
      {"smart refused: the first miniport drive", std::nullopt, {{{1, 0}, MiniportAnswer(smart)}, {{0, 1}, miniport}},
       storage, "PORT MODELPORT1"},
      {"blank smart and miniport answers do not win", blank_smart,
       {{{0, 0}, MiniportAnswer(blank_smart)}}, storage, "STORE MODELSTORE1"},
      {"malformed answers do not win", Record(20, 'x'), {{{0, 0}, Record(30, 'x')}}, storage,
       "STORE MODELSTORE1"},
      {"only the descriptor", std::nullopt, {}, storage, "STORE MODELSTORE1"},
      {"everything blank, as under wine", blank_smart, {}, Descriptor(0, 0, ""), ""},
      {"nothing answers", std::nullopt, {}, std::nullopt, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FakeSource source;
    source.smart = c.smart;
    source.miniport = c.miniport;
    source.descriptor = c.descriptor;
    EXPECT_EQ(DiskIdText(ReadHDInfo(RecordProbe(source))), c.text);
  }
}

TEST(RecordProbe, biosText_fromMemoryThenFirmwareTablesThenTheSmbiosDate) {
  constexpr uint32_t kSlashed = 0xFEC71;
  const auto area_with = [](const std::string& text) {
    BiosArea area;
    area.fill(0xFF);
    std::memcpy(area.data() + (kSlashed - kBiosAreaStart), text.c_str(), text.size() + 1);
    return area;
  };
  const auto table_of = [](const BiosArea& area, uint32_t address, std::size_t size) {
    return Record(area.begin() + (address - kBiosAreaStart), area.begin() + (address - kBiosAreaStart + size));
  };
  const Record ids_c_and_e{0x00, 0x00, 0x0C, 0x00, 0x00, 0x00, 0x0E, 0x00};
  const BiosArea firmware_area = area_with("04/01/2015");
  Record whole_e = Record(0x10000, 0xEE);
  const Record upper = table_of(firmware_area, kBiosAreaStart, 0x10000);
  whole_e.insert(whole_e.end(), upper.begin(), upper.end());
  const Record smbios = RawSmbios(BiosInformation(1, {"05/06/2007"}));
  struct Case {
    const char* what;
    std::optional<BiosArea> memory;
    std::map<uint32_t, Record> tables;
    std::optional<Record> smbios;
    const char* text;
  } cases[] = {
      {"mapped memory first", area_with("12/25/2001"), {{0xE0000, whole_e}}, smbios, "12/25/2001"},
      {"then the table that covers the area", std::nullopt, {{0xC0000, Record(0x20000, 0)}, {0xE0000, whole_e}},
       smbios, "04/01/2015"},
      // The candidate rule runs on the bytes read: a candidate cut off by the table's end fails,
      // and the date of SMBIOS is not asked, because bytes were read.
      {"a table that ends inside the candidate", std::nullopt, {{0xE0000, Record(whole_e.begin(), whole_e.begin() + 0x1EC75)}},
       smbios, ""},
      {"a table that ends after the candidate's zero", std::nullopt,
       {{0xE0000, Record(whole_e.begin(), whole_e.begin() + 0x1EC7C)}}, smbios, "04/01/2015"},
      {"no table covers the area: the SMBIOS date", std::nullopt, {{0xC0000, Record(0x20000, 0)}}, smbios,
       "05/06/2007"},
      {"the SMBIOS date must pass the character rule", std::nullopt, {},
       RawSmbios(BiosInformation(1, {"2007-05-06 rev z"})), ""},
      {"nothing answers", std::nullopt, {}, std::nullopt, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FakeSource source;
    source.memory = c.memory;
    source.firmware_ids = ids_c_and_e;
    source.firmware_tables = c.tables;
    source.smbios = c.smbios;
    EXPECT_EQ(ReadBIOSInfo(RecordProbe(source)).date_text, c.text);
  }
}

}  // namespace
}  // namespace lunacal
