// SPDX-License-Identifier: MIT
// The binding's platform part in the browser: lunacal.wasm, fetched from beside the page and
// instantiated on the first call, stands where the shared library stands on the desktop. A symbol
// is the module's export itself, put into this program's function table, so the class above calls
// it exactly as it calls a function found by dlsym.
#include <emscripten/emscripten.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
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
      Module.lunacal = { exports: instance.exports };
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

// Puts the module's export `name` into this program's function table and gives its index, which is
// this program's pointer to that function; 0 when the module has no such function. A call through
// it goes straight into lunacal.wasm, with its DATE argument a double and its result an int32.
EM_JS(int, name_web_lunacal_bind, (const char* name), {
  const found = Module.lunacal && Module.lunacal.exports[UTF8ToString(name)];
  if (typeof found !== 'function') return 0;
  return addFunction(found, 'id');
});

EM_JS(void, name_web_lunacal_close, (), { Module.lunacal = undefined; });

namespace chart {
namespace {

constexpr std::u16string_view kModuleFile = u"lunacal.wasm";

// Any non-null handle will do: the one module lives in the page's Module object.
int module_handle = 0;

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
  const int index = name_web_lunacal_bind(name);
  return index == 0 ? nullptr : reinterpret_cast<void*>(static_cast<uintptr_t>(index));
}

void Close(void* /*library*/) { name_web_lunacal_close(); }

// Beside the page, as the desktop looks beside the program first.
std::vector<std::string> DefaultCandidatePaths() { return {"lunacal.wasm"}; }

}  // namespace library
}  // namespace chart
