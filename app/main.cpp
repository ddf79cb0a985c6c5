#include <QApplication>

#include <iostream>
#include <memory>
#include <optional>

#include "app/command_line.h"
#include "app/desktop_seams.h"
#include "app/main_window.h"
#include "chart/calendar.h"

int main(int argc, char* argv[]) {
  if (const std::optional<int> exit_code = app::HandleCommandLine(argc, argv, std::cout)) {
    return *exit_code;
  }
  QApplication application(argc, argv);
  // Lets the desktop match the window to its menu entry and icon.
  QGuiApplication::setDesktopFileName(QStringLiteral("org.tavren.name"));

  app::QtMessageBoxes messages;
  app::DesktopUrlOpener urls;
  app::ExecPopupMenu popup;
  const std::unique_ptr<chart::Calendar> calendar = chart::MakeLunacalCalendar();
  app::frmName form({.messages = messages, .urls = urls, .popup = popup, .calendar = *calendar});
  form.show();
  return application.exec();
}
