// SPDX-License-Identifier: MIT
// The binding's platform part in the browser: lunacal.wasm, fetched from beside the page and
// instantiated on the first call, stands where the shared library stands on the desktop. A symbol
// is a small C++ function that forwards to the module's export of that name, so the class above
// calls it exactly as it calls a function found by dlsym.
#include <emscripten/emscripten.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "chart/lunacal_binding.h"
#include "chart/lunacal_calendar.h"
#include "lunacal/utf8.h"

// Fetches and instantiates the module. Returns 0 when it is ready, otherwise a reason in words
// (malloc'ed UTF-8, which the caller frees): the HTTP status or the compiler's complaint.
// A module with no imports needs no glue of its own; _initialize runs its constructors once.
EM_ASYNC_JS(char*, name_web_lunacal_open, (const char* address), {
  let reason;
  try {
    const response = await fetch(UTF8ToString(address));
    if (!response.ok) {
      reason = 'HTTP ' + response.status + ' ' + response.statusText;
    } else {
      const module = await WebAssembly.compile(await response.arrayBuffer());
      const instance = new WebAssembly.Instance(module, {});
      if (typeof instance.exports._initialize === 'function') instance.exports._initialize();
      Module.lunacal = { exports: instance.exports, bound: [] };
      return 0;
    }
  } catch (error) {
    reason = String(error && error.message || error);
  }
  const size = lengthBytesUTF8(reason) + 1;
  const text = _malloc(size);
  stringToUTF8(reason, text, size);
  return text;
});

// Puts the export `name` into `slot` of the bound table; 0 when the module has no such function.
EM_JS(int, name_web_lunacal_bind, (int slot, const char* name), {
  const found = Module.lunacal && Module.lunacal.exports[UTF8ToString(name)];
  if (typeof found !== 'function') return 0;
  Module.lunacal.bound[slot] = found;
  return 1;
});

// A DATE argument is a double and the result an int32, as the module's ABI has it.
EM_JS(int32_t, name_web_lunacal_call, (int slot, double moment), {
  return Module.lunacal.bound[slot](moment) | 0;
});

EM_JS(void, name_web_lunacal_close, (), { Module.lunacal = undefined; });

namespace chart {
namespace {

constexpr std::u16string_view kModuleFile = u"lunacal.wasm";

// Any non-null handle will do: the one module lives in the page's Module object.
int module_handle = 0;

template <size_t Slot>
int32_t CallExport(double moment) {
  return name_web_lunacal_call(static_cast<int>(Slot), moment);
}

template <size_t... Slot>
constexpr std::array<LunacalExportPointer, sizeof...(Slot)> MakeForwarders(std::index_sequence<Slot...>) {
  return {&CallExport<Slot>...};
}
constexpr auto kForwarders = MakeForwarders(std::make_index_sequence<kLunacalExportNames.size()>());

}  // namespace

namespace library {

void* OpenFirst(const std::vector<std::string>& candidates, std::u16string& failure_message) {
  std::u16string tried;
  for (const std::string& address : candidates) {
    char* reason = name_web_lunacal_open(address.c_str());
    if (reason == nullptr) return &module_handle;
    ((tried += u"\r\n") += lunacal::text::FromUtf8(address)) += u"：";
    tried += lunacal::text::FromUtf8(reason);
    std::free(reason);
  }
  failure_message = LunacalLoadFailureMessage(kModuleFile);
  failure_message += kLunacalPlacesTried;
  failure_message += tried;
  return nullptr;
}

void* FindSymbol(void* /*library*/, const char* name) {
  for (size_t slot = 0; slot < kLunacalExportNames.size(); ++slot) {
    if (std::string_view(kLunacalExportNames[slot]) != name) continue;
    if (!name_web_lunacal_bind(static_cast<int>(slot), name)) return nullptr;
    return reinterpret_cast<void*>(kForwarders[slot]);
  }
  return nullptr;
}

void Close(void* /*library*/) { name_web_lunacal_close(); }

// Beside the page, as the desktop looks beside the program first.
std::vector<std::string> DefaultCandidatePaths() { return {"lunacal.wasm"}; }

}  // namespace library
}  // namespace chart
