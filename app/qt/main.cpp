// SPDX-License-Identifier: MIT
#include <QApplication>

#include <iostream>
#include <memory>
#include <optional>

#include "app/command_line.h"
#include "app/qt/qt_desktop.h"
#include "app/qt/qt_main_window.h"
#include "chart/calendar.h"

int main(int argc, char* argv[]) {
  if (const std::optional<int> exit_code = app::HandleCommandLine(argc, argv, std::cout)) {
    return *exit_code;
  }
  QApplication application(argc, argv);
  // Lets the desktop match the window to its menu entry and icon.
  QGuiApplication::setDesktopFileName(QStringLiteral("org.tavren.name"));

  app::QtDesktop desktop;
  const std::unique_ptr<chart::Calendar> calendar = chart::MakeLunacalCalendar();
  app::QtMainWindow window(desktop, *calendar);
  window.show();
  return application.exec();
}
