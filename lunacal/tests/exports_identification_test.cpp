// SPDX-License-Identifier: MIT
// How the three identification texts are formed from what the machine reports, and how they are
// copied into a caller's buffer; the machine is a fake probe.

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <optional>
#include <string>

#include "lunacal/hardware_id.h"

namespace lunacal {
namespace {

class FakeProbe final : public HardwareProbe {
 public:
  std::optional<std::pair<std::string, std::string>> disk;
  std::optional<CpuidRegisters> leaf1, leaf3;
  std::optional<BiosArea> bios;
  std::optional<std::string> firmware_date;

  bool DiskModelAndSerial(std::string& model, std::string& serial) const override {
    if (!disk) return false;
    model = disk->first;
    serial = disk->second;
    return true;
  }
  bool Cpuid(uint32_t leaf, CpuidRegisters& registers) const override {
    const std::optional<CpuidRegisters>& wanted = leaf == 1 ? leaf1 : leaf == 3 ? leaf3 : std::nullopt;
    if (!wanted) return false;
    registers = *wanted;
    return true;
  }
  bool ReadBiosArea(BiosArea& area) const override {
    if (!bios) return false;
    area = *bios;
    return true;
  }
  bool FirmwareDate(std::string& date) const override {
    if (!firmware_date) return false;
    date = *firmware_date;
    return true;
  }

  // Writes `text` and its zero at a physical address of the BIOS area.
  void PutBios(uint32_t address, const std::string& text) {
    if (!bios) bios.emplace().fill(0xFF);
    std::memcpy(bios->data() + (address - kBiosAreaStart), text.c_str(), text.size() + 1);
  }
};

TEST(IdentificationText, diskModelThenSerial_trimmedAndCutToTheirFields) {
  struct Case {
    const char* model;
    const char* serial;
    const char* text;
  } cases[] = {
      {"  ST1000DM003-1CH162  ", "      Z1D5ABCD\n", "ST1000DM003-1CH162Z1D5ABCD"},
      {"Model\n", "", "Model"},
      {"", " S3Z9NB0K123456 ", "S3Z9NB0K123456"},
      {"   ", " \t ", ""},
      {"0123456789012345678901234567890123456789TAIL", "01234567890123456789TAIL",
       "012345678901234567890123456789012345678901234567890123456789"},
      {"0123456789012345678901234567890123456 89", "x", "0123456789012345678901234567890123456 89x"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.model);
    FakeProbe probe;
    probe.disk.emplace(c.model, c.serial);
    EXPECT_EQ(DiskIdText(ReadHDInfo(probe)), c.text);
  }
  EXPECT_EQ(DiskIdText(ReadHDInfo(FakeProbe{})), "");
}

TEST(IdentificationText, cpuText_edxEaxOfLeaf1ThenEdxEcxOfLeaf3) {
  FakeProbe probe;
  probe.leaf1 = CpuidRegisters{0x000306A9, 0x01020304, 0x7FBAE3FF, 0xBFEBFBFF};
  EXPECT_EQ(ReadCPUInfo(probe).id_text, "BFEBFBFF-000306A9-00000000-00000000");
  probe.leaf3 = CpuidRegisters{0x11111111, 0x22222222, 0x0000ABCD, 0xFFFFFFFF};
  EXPECT_EQ(ReadCPUInfo(probe).id_text, "BFEBFBFF-000306A9-FFFFFFFF-0000ABCD");
  probe.leaf1.reset();
  EXPECT_EQ(ReadCPUInfo(probe).id_text, "");
}

constexpr uint32_t kDotted = 0xF6577;
constexpr uint32_t kDashed = 0xFF478;
constexpr uint32_t kSlashed = 0xFEC71;

TEST(IdentificationText, biosText_firstAcceptedOfTheThreeCandidates) {
  const std::string dotted = "1234567.ABC.EFG";   // "." as 8th and 12th character
  const std::string dashed = "12-4567-9ab";       // "-" as 3rd and 8th
  const std::string slashed = "03/14/12";         // "/" as 3rd and 6th
  const std::string longest(199, 'q');
  struct Case {
    const char* what;
    std::string at_dotted, at_dashed, at_slashed;
    std::string text;
  } cases[] = {
      {"all three: the dotted one wins", dotted, dashed, slashed, dotted},
      {"dotted missing: the dashed one", "", dashed, slashed, dashed},
      {"only the date", "", "", slashed, slashed},
      {"a character above q rejects a candidate", "1234567.ABC.EFGr", "", slashed, slashed},
      {"a control character rejects it", "1234567.ABC.\tFG", dashed, "", dashed},
      {"marks in the wrong places", "123456.ABC.EFG", "1-34567-9", "03-14-12", ""},
      {"too short to hold the marks", "", "12", "03/14", ""},
      {"199 characters fit", longest.substr(0, 7) + "." + longest.substr(0, 3) + "." +
                                 longest.substr(0, 187), "", "", longest.substr(0, 7) + "." +
                                 longest.substr(0, 3) + "." + longest.substr(0, 187)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FakeProbe probe;
    probe.bios.emplace().fill(0xFF);
    if (!c.at_dotted.empty()) probe.PutBios(kDotted, c.at_dotted);
    if (!c.at_dashed.empty()) probe.PutBios(kDashed, c.at_dashed);
    if (!c.at_slashed.empty()) probe.PutBios(kSlashed, c.at_slashed);
    probe.firmware_date = "01/01/2020";
    EXPECT_EQ(ReadBIOSInfo(probe).date_text, c.text);
  }
}

TEST(IdentificationText, biosText_withoutZeroWithin200Bytes_isRejected) {
  FakeProbe probe;
  probe.bios.emplace().fill('A');
  std::memcpy(probe.bios->data() + (kDotted - kBiosAreaStart), "1234567.ABC.", 12);
  probe.bios->at(kDotted - kBiosAreaStart + 200) = 0;
  EXPECT_EQ(ReadBIOSInfo(probe).date_text, "");
  probe.bios->at(kDotted - kBiosAreaStart + 199) = 0;
  EXPECT_EQ(ReadBIOSInfo(probe).date_text.size(), 199u);
}

TEST(IdentificationText, biosText_unreadableArea_fallsBackToTheFirmwareDate) {
  struct Case {
    std::optional<std::string> firmware_date;
    const char* text;
  } cases[] = {
      {"03/14/2012\n", "03/14/2012"},
      {"2023-01-01 z\n", ""},
      {"\n", ""},
      {std::nullopt, ""},
  };
  for (const Case& c : cases) {
    FakeProbe probe;
    probe.firmware_date = c.firmware_date;
    EXPECT_EQ(ReadBIOSInfo(probe).date_text, c.text) << c.firmware_date.value_or("(none)");
  }
}

TEST(CopyIdText, lengthDecidesHowManyBytes) {
  constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
  const std::string text = "ABCDEFGHIJ";
  struct Case {
    int32_t length;
    std::string buffer;  // the first 16 bytes afterwards
  } cases[] = {
      {-1, std::string("ABCDEFGHIJ\0xxxxx", 16)},
      {kMin, std::string("ABCDEFGHIJ\0xxxxx", 16)},
      {0, "xxxxxxxxxxxxxxxx"},
      {1, "Axxxxxxxxxxxxxxx"},
      {10, "ABCDEFGHIJxxxxxx"},
      {11, std::string("ABCDEFGHIJ\0xxxxx", 16)},
      {std::numeric_limits<int32_t>::max(), std::string("ABCDEFGHIJ\0xxxxx", 16)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "length " << c.length);
    char buffer[16];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(CopyIdText(text, buffer, c.length), 1);
    EXPECT_EQ(std::string(buffer, sizeof buffer), c.buffer);
  }
}

TEST(CopyIdText, emptyTextOrNullBuffer_writesNothing) {
  char buffer[4] = {'x', 'x', 'x', 'x'};
  EXPECT_EQ(CopyIdText("", buffer, -1), 0);
  EXPECT_EQ(CopyIdText("", buffer, 4), 0);
  EXPECT_EQ(std::string(buffer, 4), "xxxx");
  EXPECT_EQ(CopyIdText("ABC", nullptr, -1), 1);
  EXPECT_EQ(CopyIdText("", nullptr, -1), 0);
}

}  // namespace
}  // namespace lunacal
