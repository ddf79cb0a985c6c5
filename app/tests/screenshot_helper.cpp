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

#include "app/main_window.h"
#include "app/tests/fake_seams.h"
#include "chart/calendar.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT.png\n", argv[0]);
    return 2;
  }
  QStandardPaths::setTestModeEnabled(true);

  app::testing::FakeMessages messages;
  app::testing::FakeUrls urls;
  app::testing::FakePopup popup;
  const std::unique_ptr<chart::Calendar> calendar = chart::MakeLunacalCalendar();
  app::frmName form({.messages = messages, .urls = urls, .popup = popup, .calendar = *calendar});
  form.show();
  if (!QTest::qWaitForWindowExposed(&form)) return 1;

  form.findChild<QLineEdit*>(QStringLiteral("txtXingShi"))->setText(QStringLiteral("王"));
  const char* boxes[] = {"cboYear", "cboMonth", "cboDay", "cboHour", "cboMinute"};
  const char* values[] = {"2000", "1", "1", "12", "0"};
  for (int i = 0; i < 5; ++i) {
    form.findChild<QComboBox*>(QString::fromLatin1(boxes[i]))->setEditText(QString::fromLatin1(values[i]));
  }
  QTest::mouseClick(form.findChild<QToolButton*>(QStringLiteral("cmdYes")), Qt::LeftButton);
  auto* list = form.findChild<QListWidget*>(QStringLiteral("lstName"));
  list->setCurrentRow(0);
  list->item(2)->setSelected(true);
  QTest::qWait(200);

  if (!messages.information.isEmpty()) {
    std::fprintf(stderr, "%s\n", qPrintable(messages.information.join(u'\n')));
    return 1;
  }
  return form.grab().save(QString::fromLocal8Bit(argv[1]), "PNG") ? 0 : 1;
}
