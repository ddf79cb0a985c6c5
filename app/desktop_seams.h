#pragma once
// The real message boxes, browser and popup menus behind the window's seams.

#include "app/ui_seams.h"

namespace app {

class QtMessageBoxes final : public MessageBoxes {
 public:
  void Information(const QString& text) override;
  void Critical(const QString& text, const QString& title) override;
  bool AskYesNo(const QString& text) override;
};

class DesktopUrlOpener final : public UrlOpener {
 public:
  bool Open(const QString& address) override;
};

class ExecPopupMenu final : public PopupMenu {
 public:
  void Show(QMenu& menu, const QPoint& global_position) override;
};

}  // namespace app
