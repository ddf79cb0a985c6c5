// SPDX-License-Identifier: MIT
#pragma once
// The solar-term table: 200 years (1880..2079) of 24 records, each five bytes
// (month, day, hour, minute, second) of the term's moment at UTC+8. The record of year Y and table
// term n starts at byte ((Y - 1880) * 24 + (n - 1)) * 5. Written by tools/solar_term_generator.cpp
// (see docs/SOLAR_TERMS.md for the model); every record is a valid moment of its own year and the
// moments strictly increase through the table.

#include <array>
#include <cstdint>

namespace lunacal {

extern const std::array<uint8_t, 24000> SolarTermTable;

}  // namespace lunacal
