#pragma once
// Stand-ins for the desktop: they answer the message boxes as told and record what the window
// showed and which addresses it opened, so no test opens a dialog, a menu or a browser.

#include <QMenu>
#include <QPoint>
#include <QString>
#include <QStringList>

#include <optional>
#include <string>

#include "app/ui_seams.h"
#include "chart/calendar.h"

namespace app::testing {

class FakeMessages final : public MessageBoxes {
 public:
  void Information(const QString& text) override { information << text; }
  void Critical(const QString& text, const QString& title) override { critical << title + u'|' + text; }
  bool AskYesNo(const QString& text) override {
    questions << text;
    return answer_yes;
  }

  bool answer_yes = false;
  QStringList information;
  QStringList critical;  // "title|text"
  QStringList questions;
};

class FakeUrls final : public UrlOpener {
 public:
  bool Open(const QString& address) override {
    opened << address;
    return succeeds;
  }

  bool succeeds = true;
  QStringList opened;
};

class FakePopup final : public PopupMenu {
 public:
  void Show(QMenu& menu, const QPoint& global_position) override {
    shown = &menu;
    at = global_position;
    ++count;
  }

  QMenu* shown = nullptr;
  QPoint at;
  int count = 0;
};

// A calendar whose library cannot be found.
class MissingCalendar final : public chart::Calendar {
 public:
  std::optional<int16_t> Call(chart::CalendarFunction, double) override { return std::nullopt; }
  std::u16string ErrorMessage() const override { return u"找不到日历库 liblunacal"; }
};

}  // namespace app::testing
