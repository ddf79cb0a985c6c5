// SPDX-License-Identifier: MIT
// The page's way into the window: site/app.js starts it once, then hands it every event by the
// handler's name. The calls are entered through ccall with the async option, so a handler may wait
// for a dialog the user answers.
#include <emscripten/emscripten.h>

#include <array>
#include <string_view>

#include "app/main_window.h"
#include "app/web/web_toolkit.h"
#include "chart/lunacal_calendar.h"

namespace app {
namespace {

struct Page {
  WebDesktop desktop;
  WebControls controls{desktop};
  chart::LunacalCalendar calendar{chart::LunacalCalendar::DefaultCandidatePaths()};
  frmName form{controls, desktop, calendar};
};

Page* page = nullptr;

struct NamedHandler {
  std::string_view name;
  void (frmName::*handler)();
};

// The events the page raises besides the menus' items, which are found by their own names.
constexpr NamedHandler kEvents[] = {
    {"cmdYes_Click", &frmName::cmdYes_Click},
    {"txtXingShi_GotFocus", &frmName::txtXingShi_GotFocus},
    {"txtXingShi_Change", &frmName::txtXingShi_Change},
};

using Handler = void (frmName::*)();

template <size_t N>
Handler MenuHandler(const std::array<MenuItem, N>& menu, std::string_view name) {
  for (const MenuItem& item : menu) {
    if (item.handler != nullptr && name == item.name) return item.handler;
  }
  return nullptr;
}

Handler HandlerNamed(std::string_view name) {
  for (const NamedHandler& event : kEvents) {
    if (event.name == name) return event.handler;
  }
  if (const Handler handler = MenuHandler(kFileMenu, name)) return handler;
  return MenuHandler(kListPopupMenu, name);
}

}  // namespace
}  // namespace app

extern "C" {

EMSCRIPTEN_KEEPALIVE void name_web_start() {
  if (app::page != nullptr) return;
  app::page = new app::Page;
  app::page->controls.SetForm(app::page->form);
  app::page->controls.BuildControls();
  app::page->form.Form_Load();
}

// `name` is a handler of frmName (cmdYes_Click) or a menu item (mnuFileSave); others are ignored.
EMSCRIPTEN_KEEPALIVE void name_web_event(const char* name) {
  if (app::page == nullptr) return;
  if (const auto handler = app::HandlerNamed(name)) (app::page->form.*handler)();
}

// `button`: 0 left, 1 middle, 2 right, as the DOM numbers them; the point is in the page's pixels.
EMSCRIPTEN_KEEPALIVE void name_web_list_mouse_down(int button, int x, int y) {
  if (app::page == nullptr) return;
  const app::MouseButton which = button == 2   ? app::MouseButton::Right
                                 : button == 1 ? app::MouseButton::Middle
                                               : app::MouseButton::Left;
  app::page->form.lstName_MouseDown(which, {x, y});
}

}  // extern "C"
