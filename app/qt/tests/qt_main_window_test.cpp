// SPDX-License-Identifier: MIT
// What only the Qt window does: its widgets with their captions and fonts, the menus built from
// the shared tables, mouse and focus events passed to the form, the output box's LF lines read
// and written as CR LF, the geometry on resize, closing by the close box, and Qt's settings file.
// What the window does with these events is tested once, toolkit-free, in app/tests.

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMessageBox>
#include <QTimer>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QWindow>

#include <algorithm>
#include <memory>

#include "app/form_texts.h"
#include "app/qt/qt_desktop.h"
#include "app/qt/qt_main_window.h"
#include "app/tests/fake_desktop.h"
#include "chart/calendar.h"

using app::QtMainWindow;
using app::testing::FakeDesktop;

namespace {

QString Q(std::u16string_view text) {
  return QStringView(text.data(), static_cast<qsizetype>(text.size())).toString();
}

const QString kCrLf = QStringLiteral("\r\n");

// One window with a fake desktop and a popup that only records, shown offscreen.
struct Harness {
  explicit Harness(chart::Calendar& calendar)
      : window(desktop, calendar, [this](QMenu& menu, const QPoint& at) {
          shown = &menu;
          shown_at = at;
          ++popups;
        }) {
    window.show();
  }

  template <typename T>
  T* Find(const char* name) {
    T* widget = window.findChild<T*>(QString::fromLatin1(name));
    if (widget == nullptr) qFatal("no control %s", name);
    return widget;
  }
  QListWidget* List() { return Find<QListWidget>("lstName"); }
  QPlainTextEdit* Out() { return Find<QPlainTextEdit>("txtOut"); }
  QString OutText() { return QString::fromStdU16String(window.OutText()); }
  void Search(const QString& family_name) {
    Find<QLineEdit>("txtXingShi")->setText(family_name);
    QTest::mouseClick(Find<QToolButton>("cmdYes"), Qt::LeftButton);
    // The click only queues the search; the event loop runs it.
    QCoreApplication::processEvents();
  }
  void Trigger(const char* action) { Find<QAction>(action)->trigger(); }

  FakeDesktop desktop;
  QMenu* shown = nullptr;
  QPoint shown_at;
  int popups = 0;
  QtMainWindow window;
};

}  // namespace

class QtMainWindowTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir settings_dir_;
  std::unique_ptr<chart::Calendar> calendar_;

  std::unique_ptr<Harness> Make() { return std::make_unique<Harness>(*calendar_); }

 private Q_SLOTS:
  void initTestCase() {
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(settings_dir_.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings_dir_.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings_dir_.path());
    calendar_ = chart::MakeLunacalCalendar();
  }

  void startUp_showsCaptionsFontsAndInitialChoices() {
    auto h = Make();
    QCOMPARE(h->window.windowTitle(), Q(app::texts::kAppTitle));
    const std::pair<const char*, std::u16string_view> frames[] = {
        {"Frame1", app::texts::kFrame1}, {"Frame2", app::texts::kFrame2},
        {"Frame3", app::texts::kFrame3}, {"Frame4", app::texts::kFrame4}};
    for (const auto& [name, caption] : frames) {
      QCOMPARE(h->Find<QGroupBox>(name)->title(), Q(caption));
      QCOMPARE(h->Find<QGroupBox>(name)->font().families().value(0), QStringLiteral("楷体_GB2312"));
      QCOMPARE(h->Find<QGroupBox>(name)->font().pointSizeF(), 14.25);
    }
    QCOMPARE(h->Find<QLineEdit>("txtXingShi")->text(), Q(app::texts::ktxtXingShi));
    QCOMPARE(h->Find<QToolButton>("cmdYes")->text(), Q(app::texts::kcmdYes));
    QVERIFY(!h->Find<QToolButton>("cmdYes")->icon().isNull());
    QVERIFY(h->Find<QRadioButton>("optTwo")->isChecked());
    QVERIFY(!h->Find<QRadioButton>("optOne")->isChecked());
    QVERIFY(h->Find<QRadioButton>("optMan")->isChecked());
    QVERIFY(!h->Find<QRadioButton>("optWoman")->isChecked());
    QCOMPARE(h->List()->selectionMode(), QAbstractItemView::ExtendedSelection);
    QCOMPARE(h->List()->toolTip(), Q(app::texts::klstNameToolTip));
    QCOMPARE(h->List()->font().families().value(0), QStringLiteral("宋体"));
    QCOMPARE(h->Out()->font().pointSizeF(), 13.5);
    QCOMPARE(h->Out()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    // The frame's caption font is not handed down to the box inside it.
    QVERIFY(h->Find<QLineEdit>("txtXingShi")->font().pointSizeF() < 14);
    for (int i = 0; i < 5; ++i) {
      QCOMPARE(h->Find<QLabel>(qPrintable(QStringLiteral("Label%1").arg(i + 1)))->text(),
               Q(app::texts::kDateLabels[static_cast<size_t>(i)]));
    }
  }

  void startUp_buildsTheMenusFromTheTables() {
    auto h = Make();
    QCOMPARE(h->window.menuBar()->actions().size(), 1);
    QCOMPARE(h->Find<QMenu>("mnuFile")->title(), Q(app::texts::kmnuFile));
    const std::pair<const char*, const app::MenuItem*> menus[] = {{"mnuFile", app::kFileMenu.data()},
                                                                  {"mnulstRight", app::kListPopupMenu.data()}};
    for (const auto& [menu_name, items] : menus) {
      const QList<QAction*> actions = h->Find<QMenu>(menu_name)->actions();
      const size_t count = menu_name == std::string_view("mnuFile") ? app::kFileMenu.size() : app::kListPopupMenu.size();
      QCOMPARE(static_cast<size_t>(actions.size()), count);
      for (size_t i = 0; i < count; ++i) {
        QCOMPARE(actions[static_cast<qsizetype>(i)]->objectName(), QString::fromLatin1(items[i].name));
        QCOMPARE(actions[static_cast<qsizetype>(i)]->isSeparator(), items[i].handler == nullptr);
        if (items[i].handler != nullptr) QCOMPARE(actions[static_cast<qsizetype>(i)]->text(), Q(items[i].caption));
      }
    }
    QVERIFY(!h->window.menuBar()->actions().contains(h->Find<QMenu>("mnulstRight")->menuAction()));
  }

  void startUp_fillsTheEditableDateBoxes() {
    auto h = Make();
    const std::tuple<const char*, int, QString, QString, QString> boxes[] = {
        {"cboYear", 66, "1980", "2045", "2024"}, {"cboMonth", 12, "1", "12", "5"}, {"cboDay", 31, "1", "31", "6"},
        {"cboHour", 24, "0", "23", "7"},         {"cboMinute", 60, "0", "59", "8"}};
    for (const auto& [name, count, first, last, text] : boxes) {
      auto* combo = h->Find<QComboBox>(name);
      QVERIFY(combo->isEditable());
      QCOMPARE(combo->count(), count);
      QCOMPARE(combo->itemText(0), first);
      QCOMPARE(combo->itemText(count - 1), last);
      QCOMPARE(combo->currentText(), text);
    }
  }

  void outputBox_holdsLfAndReadsCrLf() {
    auto h = Make();
    QVERIFY(h->OutText().startsWith(QStringLiteral("本软件四大特色：") + kCrLf));
    QVERIFY(!h->Out()->toPlainText().contains(u'\r'));
    QCOMPARE(h->Out()->toPlainText().count(u'\n'), 5);
    h->window.SetOutText(u"a\r\nb\r\nc");
    QCOMPARE(h->Out()->toPlainText(), QStringLiteral("a\nb\nc"));
    // Positions count CR LF as two, as the program's texts do.
    h->window.SetOutSelection(6, 1);
    QCOMPARE(h->Out()->textCursor().selectionStart(), 4);
    QCOMPARE(h->Out()->textCursor().selectedText(), QStringLiteral("c"));
    h->window.SetOutFontSize(14);
    QCOMPARE(h->Out()->font().pointSizeF(), 14.0);
  }

  void focusOnFamilyName_selectsItAll_data() {
    QTest::addColumn<bool>("by_mouse");
    QTest::newRow("click") << true;
    QTest::newRow("program") << false;
  }
  void focusOnFamilyName_selectsItAll() {
    QFETCH(bool, by_mouse);
    auto h = Make();
    QVERIFY(QTest::qWaitForWindowActive(&h->window));
    auto* family = h->Find<QLineEdit>("txtXingShi");
    family->setText(QStringLiteral("欧阳"));
    h->List()->setFocus();
    if (by_mouse) {
      QTest::mouseClick(family, Qt::LeftButton, {}, QPoint(family->width() - 3, family->height() / 2));
    } else {
      family->setFocus(Qt::OtherFocusReason);
    }
    QCoreApplication::processEvents();
    QVERIFY(family->hasFocus());
    QCOMPARE(family->selectedText(), QStringLiteral("欧阳"));
  }

  void searchButton_fillsTheListAndWritesTheChart() {
    auto h = Make();
    const QString boxes[] = {"cboYear", "cboMonth", "cboDay", "cboHour", "cboMinute"};
    const QString values[] = {"2000", "1", "1", "12", "0"};
    for (int i = 0; i < 5; ++i) h->Find<QComboBox>(qPrintable(boxes[i]))->setEditText(values[i]);
    h->Find<QRadioButton>("optWoman")->setChecked(true);
    h->Search(QStringLiteral("王"));
    QCOMPARE(h->List()->count(), 228);
    QCOMPARE(h->List()->item(0)->text().left(2), QStringLiteral("王矿"));
    QCOMPARE(h->desktop.questions.size(), size_t{1});
    QVERIFY(h->OutText().contains(QStringLiteral("干支日期：己卯年 丙子月 戊午日 戊午时") + kCrLf));
  }

  void rightPress_showsPopupAndKeepsSelection_data() {
    QTest::addColumn<bool>("with_selection");
    QTest::newRow("selection") << true;
    QTest::newRow("no selection") << false;
  }
  void rightPress_showsPopupAndKeepsSelection() {
    QFETCH(bool, with_selection);
    auto h = Make();
    h->Search(QStringLiteral("王"));
    if (with_selection) {
      h->List()->item(2)->setSelected(true);
      h->List()->item(4)->setSelected(true);
    }
    QWidget* viewport = h->List()->viewport();
    const QPoint on_row_0 = h->List()->visualItemRect(h->List()->item(0)).center();
    QTest::mousePress(viewport, Qt::RightButton, {}, on_row_0);
    QCOMPARE(h->popups, 1);
    QCOMPARE(h->shown, h->Find<QMenu>("mnulstRight"));
    QCOMPARE(h->shown_at, viewport->mapToGlobal(on_row_0));
    QCOMPARE(h->List()->selectedItems().size(), with_selection ? 2 : 0);
    QTest::mouseRelease(viewport, Qt::RightButton, {}, on_row_0);

    QTest::mouseClick(viewport, Qt::LeftButton, {}, on_row_0);
    QCOMPARE(h->popups, 1);
    QCOMPARE(h->List()->selectedItems().size(), 1);
  }

  void listOperations_readSelectionAndCurrentEntry() {
    auto h = Make();
    h->Search(QStringLiteral("王"));
    QListWidget* list = h->List();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier,
                      list->visualItemRect(list->item(3)).center());
    // Moves the current entry without touching the selection, as Ctrl+arrow keys do.
    list->selectionModel()->setCurrentIndex(list->model()->index(5, 0), QItemSelectionModel::NoUpdate);
    QCOMPARE(h->window.ListCount(), 24);
    QVERIFY(h->window.ListSelected(1));
    QVERIFY(h->window.ListSelected(3));
    QVERIFY(!h->window.ListSelected(5));
    QVERIFY(!h->window.ListSelected(99));
    QCOMPARE(QString::fromStdU16String(h->window.ListCurrentText()), list->item(5)->text());
    h->window.ListRemove(1);
    QCOMPARE(h->window.ListCount(), 23);
    h->window.ListClear();
    QCOMPARE(h->window.ListCurrentText(), std::u16string());
    QCOMPARE(h->window.ListText(0), std::u16string());
  }

  void fiveGridReport_putsTheCaretAtItsStartWithNothingSelected() {
    auto h = Make();
    h->Search(QStringLiteral("王"));
    const QString report = h->OutText();
    h->List()->setCurrentRow(0);
    h->Trigger("mnuFileNameWuGe");
    const QTextCursor cursor = h->Out()->textCursor();
    QVERIFY(!cursor.hasSelection());
    const QString box = h->Out()->toPlainText();
    QCOMPARE(box.mid(cursor.position(), 3), QStringLiteral("天格："));
    QCOMPARE(cursor.position() + box.left(cursor.position()).count(u'\n'), report.size() + 4);
  }

  void resize_followsTheWindowAndStopsBelowThreshold() {
    auto h = Make();
    QVERIFY(QTest::qWaitForWindowExposed(&h->window));
    QPlainTextEdit* out = h->Out();
    QWidget* client = h->window.centralWidget();
    const app::FormLayout expected = app::ArrangeForm(
        {}, client->width() * 15.0 + app::kChromeWidth, client->height() * 15.0 + app::kChromeHeight);
    QCOMPARE(h->window.Form().CurrentLayout(), expected);
    QCOMPARE(out->geometry(), QRect(136, 94, qRound(expected.txtOut.width / 15), qRound(expected.txtOut.height / 15)));
    // The strip's parts stand inside it, side by side.
    QWidget* previous = nullptr;
    for (const char* name : {"Frame2", "Frame1", "Frame3", "Frame4", "cmdYes"}) {
      QWidget* part = h->Find<QWidget>(name);
      QVERIFY(part->parentWidget()->rect().contains(part->geometry()));
      if (previous != nullptr) QVERIFY(previous->geometry().right() < part->geometry().left());
      previous = part;
    }

    const QRect before = out->geometry();
    h->window.resize(h->window.width(), 200);
    QTRY_COMPARE(client->height() < 250, true);
    QCOMPARE(out->geometry(), before);
    h->window.resize(h->window.width() + 60, 500);
    QTRY_COMPARE(out->width(), before.width() + 60);
  }

  void close_byMenuOrCloseBox_opensTheSiteOnce_data() {
    QTest::addColumn<bool>("by_menu");
    QTest::newRow("menu") << true;
    QTest::newRow("close box") << false;
  }
  void close_byMenuOrCloseBox_opensTheSiteOnce() {
    QFETCH(bool, by_menu);
    auto h = Make();
    QVERIFY(QTest::qWaitForWindowExposed(&h->window));
    if (by_menu) {
      h->Trigger("mnuFileExit");
    } else {
      h->window.windowHandle()->close();
    }
    QVERIFY(!h->window.isVisible());
    QCOMPARE(h->desktop.opened, std::vector<std::u16string>{app::kMakerWebSite});
  }

  void pressAction_returnsBeforeTheSearchAsks() {
    auto h = Make();
    h->Find<QLineEdit>("txtXingShi")->setText(QStringLiteral("王"));
    QAccessibleInterface* button = QAccessible::queryAccessibleInterface(h->Find<QToolButton>("cmdYes"));
    QVERIFY(button != nullptr && button->actionInterface() != nullptr);
    button->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    // The accessibility call has returned and no box has been asked yet.
    QVERIFY(h->desktop.questions.empty());
    QTRY_COMPARE(h->desktop.questions.size(), size_t{1});
    QCOMPARE(h->List()->count(), 24);
    QCoreApplication::processEvents();
    QCOMPARE(h->desktop.questions.size(), size_t{1});
  }

  void tab_movesThroughTheControlsInReadingOrder() {
    auto h = Make();
    QVERIFY(QTest::qWaitForWindowActive(&h->window));
    h->Find<QLineEdit>("txtXingShi")->setFocus(Qt::TabFocusReason);
    const QStringList expected = {"txtXingShi", "optTwo",   "optMan",  "cboYear", "cboMonth", "cboDay",
                                  "cboHour",    "cboMinute", "cmdYes", "lstName", "txtOut",   "txtXingShi"};
    // An editable box's line edit takes the focus for its box.
    auto focused = [] {
      QWidget* widget = QApplication::focusWidget();
      if (widget != nullptr && qobject_cast<QComboBox*>(widget->parentWidget()) != nullptr) widget = widget->parentWidget();
      return widget != nullptr ? widget->objectName() : QString();
    };
    const QString out_before = h->OutText();
    QStringList forward = {focused()};
    for (qsizetype i = 1; i < expected.size(); ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      forward << focused();
    }
    QCOMPARE(forward, expected);
    QStringList backward = {focused()};
    for (qsizetype i = 1; i < expected.size(); ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
      backward << focused();
    }
    std::reverse(backward.begin(), backward.end());
    QCOMPARE(backward, expected);
    QCOMPARE(h->OutText(), out_before);
  }

  void returnOrEnter_startsTheSearch_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("key");
    QTest::newRow("Return in the family name") << "txtXingShi" << int(Qt::Key_Return);
    QTest::newRow("Enter in the family name") << "txtXingShi" << int(Qt::Key_Enter);
    QTest::newRow("Return on an option") << "optWoman" << int(Qt::Key_Return);
    QTest::newRow("Enter in a date box") << "cboDay" << int(Qt::Key_Enter);
    QTest::newRow("Return on the button") << "cmdYes" << int(Qt::Key_Return);
  }
  void returnOrEnter_startsTheSearch() {
    QFETCH(QString, control);
    QFETCH(int, key);
    auto h = Make();
    QWidget* target = h->Find<QWidget>(qPrintable(control));
    if (auto* combo = qobject_cast<QComboBox*>(target)) target = combo->lineEdit();
    const Qt::KeyboardModifiers modifiers = key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier;
    QTest::keyClick(target, static_cast<Qt::Key>(key), modifiers);
    QTRY_COMPARE(h->desktop.questions.size(), size_t{1});
    QCOMPARE(h->desktop.questions.size(), size_t{1});
  }

  void keyboardContextMenu_opensThePopupAtTheCurrentEntry() {
    auto h = Make();
    h->Search(QStringLiteral("王"));
    QListWidget* list = h->List();
    list->setCurrentRow(3);
    list->setFocus();
    const QPoint row_3 = list->viewport()->mapToGlobal(list->visualItemRect(list->item(3)).center());
    QTest::keyClick(list, Qt::Key_F10, Qt::ShiftModifier);
    QCOMPARE(h->popups, 1);
    QCOMPARE(h->shown, h->Find<QMenu>("mnulstRight"));
    QCOMPARE(h->shown_at, row_3);
    // The Menu key reaches the list as the platform's keyboard context-menu event.
    QContextMenuEvent menu_key(QContextMenuEvent::Keyboard, QPoint(0, 0), list->mapToGlobal(QPoint(0, 0)));
    QCoreApplication::sendEvent(list, &menu_key);
    QCOMPARE(h->popups, 2);
    QCOMPARE(h->shown_at, row_3);
    QCOMPARE(list->selectedItems().size(), 1);
  }

  void altF_opensTheFileMenuKeepingItsCaption() {
    auto h = Make();
    QVERIFY(QTest::qWaitForWindowActive(&h->window));
    QMenu* file = h->Find<QMenu>("mnuFile");
    QTest::keyClick(&h->window, Qt::Key_F, Qt::AltModifier);
    QTRY_VERIFY(file->isVisible());
    QCOMPARE(file->title(), Q(app::texts::kmnuFile));
    file->close();
  }

  void familyName_pastedControlCharactersAreRemoved() {
    auto h = Make();
    auto* family = h->Find<QLineEdit>("txtXingShi");
    family->clear();
    QGuiApplication::clipboard()->setText(QString::fromUtf16(u"王\0\a明", 4));
    family->paste();
    QCOMPARE(family->text(), QStringLiteral("王明"));
    QCOMPARE(family->cursorPosition(), 2);
    QTest::keyClicks(family, QStringLiteral(" Li"));
    QCOMPARE(family->text(), QStringLiteral("王明 Li"));
  }

  void messageBoxes_haveChineseButtons_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QStringList>("buttons");
    QTest::newRow("question") << 0 << QStringList{"是", "否"};
    QTest::newRow("information") << 1 << QStringList{"确定"};
    QTest::newRow("critical") << 2 << QStringList{"确定"};
  }
  void messageBoxes_haveChineseButtons() {
    QFETCH(int, kind);
    QFETCH(QStringList, buttons);
    app::QtDesktop desktop;
    QStringList seen;
    QTimer::singleShot(0, [&seen] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box == nullptr) return;
      for (QAbstractButton* button : box->buttons()) seen << button->text();
      box->buttons().constLast()->click();
    });
    if (kind == 0) {
      desktop.AskYesNo(u"问题", u"标题");
    } else {
      desktop.ShowMessage(u"消息", kind == 1 ? app::MessageIcon::Information : app::MessageIcon::Critical, u"标题");
    }
    seen.sort();
    buttons.sort();
    QCOMPARE(seen, buttons);
  }

  void desktop_writesSettingsIntoTheApplicationsFile() {
    QSettings before(QStringLiteral("tavren"), QStringLiteral("tavren"));
    before.clear();
    before.sync();
    app::QtDesktop desktop;
    desktop.SaveSetting(u"tavren", u"Start", u"Path", desktop.ProgramFolder());
    desktop.SaveSetting(u"tavren", u"Start", u"Ver", u"3.1");
    QSettings settings(QStringLiteral("tavren"), QStringLiteral("tavren"));
    QVERIFY(settings.fileName().startsWith(settings_dir_.path()));
    QCOMPARE(settings.value(QStringLiteral("Start/Path")).toString(), QCoreApplication::applicationDirPath());
    QCOMPARE(settings.value(QStringLiteral("Start/Ver")).toString(), QStringLiteral("3.1"));
    const app::LocalDateTime now = desktop.Now();
    QCOMPARE(now.year, QDate::currentDate().year());
  }
};

QTEST_MAIN(QtMainWindowTest)
#include "qt_main_window_test.moc"
