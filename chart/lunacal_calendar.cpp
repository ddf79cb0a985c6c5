#include "chart/lunacal_calendar.h"

#include <dlfcn.h>
#include <unistd.h>

#include <string_view>
#include <type_traits>
#include <utility>

#include "lunacal/lunacal.h"

namespace chart {
namespace {

// The exports are looked up by name, so their type is taken from the library's own header rather
// than restated; decltype does not reference the symbols, so nothing is linked against them.
using ExportPointer = decltype(&::GetGLToRLNian);
static_assert(std::is_same_v<ExportPointer, decltype(&::GetSiZhuXHTime)>);

// Export names in the order of CalendarFunction, which indexes this table.
constexpr std::array<const char*, 8> kExportNames{
    "GetGLToRLNian",  "GetGLToRLMonth",  "GetGLToRLDay",  "GetGLToRLRun",
    "GetSiZhuXHYear", "GetSiZhuXHMonth", "GetSiZhuXHDay", "GetSiZhuXHTime",
};
static_assert(static_cast<size_t>(CalendarFunction::GetSiZhuXHTime) + 1 == kExportNames.size());

// The window shows these to the parents as they stand, so they name the library in plain words.
constexpr std::u16string_view kLoadFailure =
    u"无法加载日历库 lunacal（liblunacal.so.1），无法生成生辰八字。";
constexpr std::u16string_view kMissingFunction = u"日历库 lunacal 中缺少函数 ";
constexpr std::u16string_view kCannotChart = u"，无法生成生辰八字。";

// The folder of the running program, from /proc/self/exe; empty when it cannot be read.
std::string ProgramFolder() {
  std::string path(4096, '\0');
  const ssize_t length = readlink("/proc/self/exe", path.data(), path.size());
  if (length <= 0 || static_cast<size_t>(length) >= path.size()) {
    return {};
  }
  path.resize(static_cast<size_t>(length));
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) {
    return {};
  }
  return path.substr(0, slash + 1);
}

// The library gives a 32-bit integer of which only the low 16 bits are meant; since C++20 the
// narrowing conversion is defined to keep exactly those bits as a two's complement number.
int16_t LowSigned16(int32_t value) { return static_cast<int16_t>(value); }

}  // namespace

LunacalCalendar::LunacalCalendar(std::vector<std::string> candidate_paths)
    : candidate_paths_(std::move(candidate_paths)) {}

LunacalCalendar::~LunacalCalendar() {
  if (handle_ != nullptr) {
    dlclose(handle_);
  }
}

std::vector<std::string> LunacalCalendar::DefaultCandidatePaths() {
  std::vector<std::string> paths;
  const std::string folder = ProgramFolder();
  if (!folder.empty()) {
    for (const char* prefix : {"", "../lib/"}) {
      for (const char* file : {"liblunacal.so.1", "liblunacal.so"}) {
        paths.push_back(folder + prefix + file);
      }
    }
  }
  paths.emplace_back("liblunacal.so.1");
  return paths;
}

bool LunacalCalendar::Load() {
  if (handle_ != nullptr) {
    return true;
  }
  for (const std::string& path : candidate_paths_) {
    handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle_ != nullptr) {
      return true;
    }
  }
  error_message_ = kLoadFailure;
  return false;
}

std::optional<int16_t> LunacalCalendar::Call(CalendarFunction function, double moment) {
  const auto slot = static_cast<size_t>(function);
  if (slot >= symbols_.size()) {
    error_message_ = u"日历库 lunacal 中没有所请求的函数。";
    return std::nullopt;
  }
  if (!Load()) {
    return std::nullopt;
  }
  if (symbols_[slot] == nullptr) {
    symbols_[slot] = dlsym(handle_, kExportNames[slot]);
    if (symbols_[slot] == nullptr) {
      error_message_ = kMissingFunction;
      for (const char* c = kExportNames[slot]; *c != '\0'; ++c) {
        error_message_ += static_cast<char16_t>(*c);
      }
      error_message_ += kCannotChart;
      return std::nullopt;
    }
  }
  // POSIX guarantees that an address from dlsym converts to the function pointer it names.
  const auto bound = reinterpret_cast<ExportPointer>(symbols_[slot]);
  return LowSigned16(bound(moment));
}

std::u16string LunacalCalendar::ErrorMessage() const { return error_message_; }

std::unique_ptr<Calendar> MakeLunacalCalendar() {
  return std::make_unique<LunacalCalendar>(LunacalCalendar::DefaultCandidatePaths());
}

}  // namespace chart
