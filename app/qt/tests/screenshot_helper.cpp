// SPDX-License-Identifier: MIT
// Draws the main window after a search for 王 born 2000-01-01 12:00 and saves it as a PNG, for the
// README. The message box is answered No, so nothing but the window is shown.

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QStandardPaths>
#include <QTest>
#include <QToolButton>

#include <cstdio>
#include <memory>

#include "app/qt/qt_main_window.h"
#include "app/tests/fake_desktop.h"
#include "chart/calendar.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT.png\n", argv[0]);
    return 2;
  }
  QStandardPaths::setTestModeEnabled(true);

  app::testing::FakeDesktop desktop;
  const std::unique_ptr<chart::Calendar> calendar = chart::MakeLunacalCalendar();
  app::QtMainWindow window(desktop, *calendar, [](QMenu&, const QPoint&) {});
  window.show();
  if (!QTest::qWaitForWindowExposed(&window)) return 1;

  window.findChild<QLineEdit*>(QStringLiteral("txtXingShi"))->setText(QStringLiteral("王"));
  const char* boxes[] = {"cboYear", "cboMonth", "cboDay", "cboHour", "cboMinute"};
  const char* values[] = {"2000", "1", "1", "12", "0"};
  for (int i = 0; i < 5; ++i) {
    window.findChild<QComboBox*>(QString::fromLatin1(boxes[i]))->setEditText(QString::fromLatin1(values[i]));
  }
  QTest::mouseClick(window.findChild<QToolButton*>(QStringLiteral("cmdYes")), Qt::LeftButton);
  QCoreApplication::processEvents();
  auto* list = window.findChild<QListWidget*>(QStringLiteral("lstName"));
  list->setCurrentRow(0);
  list->item(2)->setSelected(true);
  QTest::qWait(200);

  if (!desktop.messages.empty()) {
    std::fprintf(stderr, "%s\n", QString::fromStdU16String(desktop.messages.front().text).toLocal8Bit().constData());
    return 1;
  }
  return window.grab().save(QString::fromLocal8Bit(argv[1]), "PNG") ? 0 : 1;
}
