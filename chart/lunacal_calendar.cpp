// SPDX-License-Identifier: MIT
#include "chart/lunacal_calendar.h"

#include <utility>

#include "chart/lunacal_binding.h"

namespace chart {

LunacalCalendar::LunacalCalendar(std::vector<LibraryPath> candidate_paths)
    : candidate_paths_(std::move(candidate_paths)) {}

LunacalCalendar::~LunacalCalendar() {
  if (library_ != nullptr) library::Close(library_);
}

std::vector<LibraryPath> LunacalCalendar::DefaultCandidatePaths() { return library::DefaultCandidatePaths(); }

bool LunacalCalendar::Load() {
  if (library_ == nullptr) library_ = library::OpenFirst(candidate_paths_, error_message_);
  return library_ != nullptr;
}

std::optional<int16_t> LunacalCalendar::Call(CalendarFunction function, double moment) {
  const auto slot = static_cast<size_t>(function);
  if (slot >= symbols_.size()) {
    error_message_ = kLunacalNoSuchFunction;
    return std::nullopt;
  }
  if (!Load()) return std::nullopt;
  if (symbols_[slot] == nullptr) {
    symbols_[slot] = library::FindSymbol(library_, kLunacalExportNames[slot]);
    if (symbols_[slot] == nullptr) {
      error_message_ = LunacalMissingFunctionMessage(kLunacalExportNames[slot]);
      return std::nullopt;
    }
  }
  // dlsym and GetProcAddress both give an address that converts to the function it names.
  const auto bound = reinterpret_cast<LunacalExportPointer>(symbols_[slot]);
  return LunacalLowSigned16(bound(moment));
}

std::u16string LunacalCalendar::ErrorMessage() const { return error_message_; }

std::unique_ptr<Calendar> MakeLunacalCalendar() {
  return std::make_unique<LunacalCalendar>(LunacalCalendar::DefaultCandidatePaths());
}

}  // namespace chart
