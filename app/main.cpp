#include <QApplication>

#include <memory>

#include "app/desktop_seams.h"
#include "app/main_window.h"
#include "chart/calendar.h"

int main(int argc, char* argv[]) {
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
