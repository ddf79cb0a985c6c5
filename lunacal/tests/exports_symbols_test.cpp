// SPDX-License-Identifier: MIT
// The library's ELF dynamic symbol table offers exactly the 18 exports (no C++ names, no tables),
// and the library carries its SONAME, read from the built file itself.

#include <elf.h>
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "lunacal/tests/exports_library.h"

namespace {

struct DynamicTable {
  std::set<std::string> defined_symbols;
  std::string soname;
};

template <typename T>
bool ReadAt(const std::vector<char>& file, std::size_t offset, T& value) {
  if (offset > file.size() || file.size() - offset < sizeof(T)) return false;
  std::memcpy(&value, file.data() + offset, sizeof(T));
  return true;
}

std::string StringAt(const std::vector<char>& file, std::size_t table, std::size_t size,
                     std::size_t index) {
  if (index >= size || table + size > file.size()) return {};
  const char* start = file.data() + table + index;
  return std::string(start, strnlen(start, size - index));
}

// Reads the dynamic symbols defined by the library and its DT_SONAME; false for a malformed file.
bool ReadDynamicTable(const std::vector<char>& file, DynamicTable& table) {
  Elf64_Ehdr header;
  if (!ReadAt(file, 0, header) || std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0 ||
      header.e_ident[EI_CLASS] != ELFCLASS64) {
    return false;
  }
  std::vector<Elf64_Shdr> sections(header.e_shnum);
  for (std::size_t i = 0; i < sections.size(); ++i) {
    if (!ReadAt(file, header.e_shoff + i * header.e_shentsize, sections[i])) return false;
  }
  bool found_symbols = false;
  for (const Elf64_Shdr& section : sections) {
    if (section.sh_type != SHT_DYNSYM && section.sh_type != SHT_DYNAMIC) continue;
    if (section.sh_link >= sections.size() || section.sh_entsize == 0) return false;
    const Elf64_Shdr& strings = sections[section.sh_link];
    for (std::size_t i = 0; i < section.sh_size / section.sh_entsize; ++i) {
      const std::size_t at = section.sh_offset + i * section.sh_entsize;
      if (section.sh_type == SHT_DYNSYM) {
        Elf64_Sym symbol;
        if (!ReadAt(file, at, symbol)) return false;
        const unsigned binding = ELF64_ST_BIND(symbol.st_info);
        if (symbol.st_shndx == SHN_UNDEF || binding == STB_LOCAL) continue;
        table.defined_symbols.insert(StringAt(file, strings.sh_offset, strings.sh_size, symbol.st_name));
        found_symbols = true;
      } else {
        Elf64_Dyn entry;
        if (!ReadAt(file, at, entry)) return false;
        if (entry.d_tag == DT_SONAME) {
          table.soname = StringAt(file, strings.sh_offset, strings.sh_size, entry.d_un.d_val);
        }
      }
    }
  }
  return found_symbols;
}

TEST(ExportsSymbols, dynamicTable_holdsExactlyTheEighteenExports) {
  std::ifstream in(LunacalPath(), std::ios::binary);
  ASSERT_TRUE(in) << LunacalPath();
  const std::vector<char> file{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  DynamicTable table;
  ASSERT_TRUE(ReadDynamicTable(file, table)) << "no dynamic symbol table in " << LunacalPath();

#define LUNACAL_NAME(name) #name,
  const std::set<std::string> expected{LUNACAL_EXPORTS(LUNACAL_NAME)};
#undef LUNACAL_NAME
  ASSERT_EQ(expected.size(), 18u);
  EXPECT_EQ(table.defined_symbols, expected);
  EXPECT_EQ(table.soname, "liblunacal.so.1");
}

}  // namespace
