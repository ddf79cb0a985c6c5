#pragma once
// What the main window asks of the desktop: message boxes, the browser and popup menus. The window
// receives these as interfaces so tests answer the boxes and record the addresses instead of
// opening dialogs or a browser.

#include <QDateTime>
#include <QPoint>
#include <QString>

#include <functional>

class QMenu;

namespace chart {
class Calendar;
}

namespace app {

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // An information box titled with the application title.
  virtual void Information(const QString& text) = 0;
  // A box with the critical icon and a title of its own.
  virtual void Critical(const QString& text, const QString& title) = 0;
  // A box with Yes and No, no icon, titled with the application title; true for Yes.
  virtual bool AskYesNo(const QString& text) = 0;
};

class UrlOpener {
 public:
  virtual ~UrlOpener() = default;
  // Opens `address` with the desktop's default handler; false when that fails.
  virtual bool Open(const QString& address) = 0;
};

class PopupMenu {
 public:
  virtual ~PopupMenu() = default;
  // Shows `menu` at `global_position` and returns once it is closed; its items act on their own.
  virtual void Show(QMenu& menu, const QPoint& global_position) = 0;
};

// Everything frmName needs from outside; the window keeps references, so these outlive it.
struct FormServices {
  MessageBoxes& messages;
  UrlOpener& urls;
  PopupMenu& popup;
  chart::Calendar& calendar;
  std::function<QDateTime()> now = [] { return QDateTime::currentDateTime(); };
};

}  // namespace app
