// The main window as a user drives it: start-up, the search with its message and chart, the list
// commands (popup, delete, collect, five-grid report), the layout on resize, closing, and what a
// bad date or a missing library does. The desktop is faked; the calendar is the real library.

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QWindow>

#include <algorithm>
#include <memory>
#include <vector>

#include "app/tests/fake_seams.h"
#include "app/form_texts.h"
#include "app/main_window.h"
#include "chart/calendar.h"
#include "naming/five_grids.h"
#include "naming/name_search.h"

using app::frmName;
using namespace app::testing;

namespace {

QString Q(std::u16string_view text) {
  return QStringView(text.data(), static_cast<qsizetype>(text.size())).toString();
}

const QString kCrLf = QStringLiteral("\r\n");

class VectorNames final : public naming::NameList {
 public:
  void Clear() override { entries.clear(); }
  void AddEntry(std::u16string_view entry) override { entries << Q(entry); }
  QStringList entries;
};

// One window with its fakes, shown offscreen at a fixed "present moment".
struct Harness {
  explicit Harness(chart::Calendar& calendar)
      : form({.messages = messages,
              .urls = urls,
              .popup = popup,
              .calendar = calendar,
              .now = [] { return QDateTime(QDate(2024, 5, 6), QTime(7, 8, 9)); }}) {
    form.show();
  }

  template <typename T>
  T* Find(const char* name) {
    T* widget = form.findChild<T*>(QString::fromLatin1(name));
    if (widget == nullptr) qFatal("no control %s", name);
    return widget;
  }
  QListWidget* List() { return Find<QListWidget>("lstName"); }
  QStringList Entries() {
    QStringList entries;
    for (int i = 0; i < List()->count(); ++i) entries << List()->item(i)->text();
    return entries;
  }
  void SetMoment(const QString& year, const QString& month, const QString& day, const QString& hour,
                 const QString& minute) {
    Find<QComboBox>("cboYear")->setEditText(year);
    Find<QComboBox>("cboMonth")->setEditText(month);
    Find<QComboBox>("cboDay")->setEditText(day);
    Find<QComboBox>("cboHour")->setEditText(hour);
    Find<QComboBox>("cboMinute")->setEditText(minute);
  }
  void Search(const QString& family_name) {
    Find<QLineEdit>("txtXingShi")->setText(family_name);
    QTest::mouseClick(Find<QToolButton>("cmdYes"), Qt::LeftButton);
  }
  void Select(std::initializer_list<int> rows) {
    for (int row : rows) List()->item(row)->setSelected(true);
  }
  // Moves the current entry without touching the selection, as Ctrl+arrow keys do.
  void MakeCurrent(int row) {
    List()->selectionModel()->setCurrentIndex(List()->model()->index(row, 0), QItemSelectionModel::NoUpdate);
  }
  void Trigger(const char* action) { Find<QAction>(action)->trigger(); }

  FakeMessages messages;
  FakeUrls urls;
  FakePopup popup;
  frmName form;
};

}  // namespace

class MainWindowTest : public QObject {
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

  void startUp_showsCaptionsAndInitialChoices() {
    auto h = Make();
    QCOMPARE(h->form.windowTitle(), Q(app::texts::kAppTitle));
    QCOMPARE(h->Find<QGroupBox>("Frame2")->title(), Q(app::texts::kFrame2));
    QCOMPARE(h->Find<QGroupBox>("Frame4")->title(), Q(app::texts::kFrame4));
    QCOMPARE(h->Find<QLineEdit>("txtXingShi")->text(), Q(app::texts::ktxtXingShi));
    QVERIFY(h->Find<QRadioButton>("optTwo")->isChecked());
    QVERIFY(!h->Find<QRadioButton>("optOne")->isChecked());
    QVERIFY(h->Find<QRadioButton>("optMan")->isChecked());
    QVERIFY(!h->Find<QRadioButton>("optWoman")->isChecked());
    QCOMPARE(h->List()->selectionMode(), QAbstractItemView::ExtendedSelection);
    QCOMPARE(h->List()->toolTip(), Q(app::texts::klstNameToolTip));
    QCOMPARE(h->Find<QGroupBox>("Frame1")->font().families().value(0), QStringLiteral("楷体_GB2312"));
    QCOMPARE(h->List()->font().families().value(0), QStringLiteral("宋体"));
    QCOMPARE(h->Find<QPlainTextEdit>("txtOut")->font().pointSizeF(), 13.5);
    // The frame's caption font is not handed down to the box inside it.
    QVERIFY(h->Find<QLineEdit>("txtXingShi")->font().pointSizeF() < 14);
  }

  void startUp_menusHoldTheirItemsInOrder() {
    auto h = Make();
    QStringList file_items;
    for (QAction* action : h->Find<QMenu>("mnuFile")->actions()) file_items << action->objectName();
    QCOMPARE(file_items, (QStringList{"mnuFileSave", "mnuFileDelName", "mnuFile01", "mnuFileNameWuGe", "mnuNet02",
                                      "mnuRegNet", "mnuFile02", "mnuFileExit"}));
    QVERIFY(h->Find<QAction>("mnuNet02")->isSeparator());
    QCOMPARE(h->Find<QAction>("mnuFileExit")->text(), Q(app::texts::kmnuFileExit));
    QStringList popup_items;
    auto* popup = h->Find<QMenu>("mnulstRight");
    for (QAction* action : popup->actions()) popup_items << action->objectName();
    QCOMPARE(popup_items, (QStringList{"mnuListRightSave", "mnulstRightDel", "mnuR01", "mnuRightNameWuGe"}));
    QVERIFY(!h->form.menuBar()->actions().contains(popup->menuAction()));
    QCOMPARE(h->form.menuBar()->actions().size(), 1);
  }

  void startUp_fillsDateBoxesAndProposesThePresentMoment_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");
    QTest::addColumn<QString>("text");
    QTest::newRow("year") << "cboYear" << 66 << "1980" << "2045" << "2024";
    QTest::newRow("month") << "cboMonth" << 12 << "1" << "12" << "5";
    QTest::newRow("day") << "cboDay" << 31 << "1" << "31" << "6";
    QTest::newRow("hour") << "cboHour" << 24 << "0" << "23" << "7";
    QTest::newRow("minute") << "cboMinute" << 60 << "0" << "59" << "8";
  }
  void startUp_fillsDateBoxesAndProposesThePresentMoment() {
    QFETCH(QString, box);
    QFETCH(int, count);
    QFETCH(QString, first);
    QFETCH(QString, last);
    QFETCH(QString, text);
    auto h = Make();
    auto* combo = h->Find<QComboBox>(box.toLatin1().constData());
    QVERIFY(combo->isEditable());
    QCOMPARE(combo->count(), count);
    QCOMPARE(combo->itemText(0), first);
    QCOMPARE(combo->itemText(count - 1), last);
    QCOMPARE(combo->currentText(), text);
  }

  void startUp_showsFeatureTextWithCrLf() {
    auto h = Make();
    const QString text = h->form.OutText();
    const QStringList pieces = text.split(kCrLf);
    QCOMPARE(pieces.size(), 6);
    QVERIFY(pieces.last().isEmpty());
    QCOMPARE(pieces[0], QStringLiteral("本软件四大特色："));
    const int indents[] = {8, 7, 7, 6};
    for (int i = 0; i < 4; ++i) {
      const QString& paragraph = pieces[i + 1];
      QCOMPARE(paragraph.indexOf(QRegularExpression(QStringLiteral("[^ ]"))), indents[i]);
      QCOMPARE(paragraph.endsWith(u' '), i < 3);
      QVERIFY(paragraph.mid(indents[i]).startsWith(QStringLiteral("第")));
    }
    QVERIFY(!h->Find<QPlainTextEdit>("txtOut")->toPlainText().contains(u'\r'));
    QVERIFY(h->form.CollectionText().isEmpty());
  }

  void startUp_writesPathAndVersionSettings() {
    QSettings before(QStringLiteral("tavren"), QStringLiteral("tavren"));
    before.clear();
    before.sync();
    { auto h = Make(); }
    QSettings settings(QStringLiteral("tavren"), QStringLiteral("tavren"));
    QVERIFY(settings.fileName().startsWith(settings_dir_.path()));
    QCOMPARE(settings.value(QStringLiteral("Start/Path")).toString(), QCoreApplication::applicationDirPath());
    QCOMPARE(settings.value(QStringLiteral("Start/Ver")).toString(), QStringLiteral("3.1"));
  }

  void focusOnFamilyName_selectsItAll_data() {
    QTest::addColumn<bool>("by_mouse");
    QTest::newRow("click") << true;
    QTest::newRow("program") << false;
  }
  void focusOnFamilyName_selectsItAll() {
    QFETCH(bool, by_mouse);
    auto h = Make();
    QVERIFY(QTest::qWaitForWindowActive(&h->form));
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

  void searchWang_listsTwentyFourNamesAndReportsTheTotal() {
    auto h = Make();
    h->Search(QStringLiteral("王"));
    const QStringList entries = h->Entries();
    QCOMPARE(entries.size(), 24);
    QCOMPARE(entries.first(), QStringLiteral("王袍灌"));
    QCOMPARE(entries[1], QStringLiteral("王袍垄"));
    QVERIFY(std::all_of(entries.begin(), entries.end(), [](const QString& e) { return e.startsWith(u"王袍"); }));
    QCOMPARE(h->messages.questions.size(), 1);
    QVERIFY(h->messages.questions[0].startsWith(QStringLiteral("本次共生成 26728 个好名；")));
    QVERIFY(h->messages.information.isEmpty());
  }

  void search_listsWhatTheSearchFindsForTheChoices_data() {
    QTest::addColumn<QString>("family_name");
    QTest::addColumn<bool>("one_character");
    QTest::addColumn<bool>("girl");
    QTest::newRow("王, girl") << "王" << false << true;
    QTest::newRow("王, one character") << "王" << true << false;
    QTest::newRow("no family name, one character") << "" << true << false;
    QTest::newRow("欧阳, one character") << "欧阳" << true << false;
    QTest::newRow("欧阳, two characters, girl") << "欧阳" << false << true;
  }
  void search_listsWhatTheSearchFindsForTheChoices() {
    QFETCH(QString, family_name);
    QFETCH(bool, one_character);
    QFETCH(bool, girl);
    auto h = Make();
    h->Find<QRadioButton>(one_character ? "optOne" : "optTwo")->setChecked(true);
    h->Find<QRadioButton>(girl ? "optWoman" : "optMan")->setChecked(true);
    h->Search(family_name);

    VectorNames expected;
    const int32_t total =
        naming::GenerateNames(expected, family_name.toStdU16String(),
                              one_character ? naming::NameLength::One : naming::NameLength::Two,
                              girl ? naming::Sex::Girl : naming::Sex::Boy);
    QCOMPARE(h->Entries(), expected.entries);
    QCOMPARE(h->messages.questions, QStringList{Q(naming::GenerateNamesMessage(total))});
    const qsizetype given = one_character ? 1 : 2;
    for (const QString& entry : h->Entries()) {
      QVERIFY(entry.startsWith(family_name));
      QCOMPARE(entry.size(), family_name.size() + given);
    }
    // A one-character family name with a one-character given name can never qualify.
    if (family_name == QStringLiteral("王") && one_character) {
      QVERIFY(h->Entries().isEmpty());
      QVERIFY(h->messages.questions[0].startsWith(QStringLiteral("本次共生成 0 个好名")));
    }
  }

  void searchAnswer_opensTheSiteOnlyOnYes_data() {
    QTest::addColumn<bool>("yes");
    QTest::newRow("yes") << true;
    QTest::newRow("no") << false;
  }
  void searchAnswer_opensTheSiteOnlyOnYes() {
    QFETCH(bool, yes);
    auto h = Make();
    h->messages.answer_yes = yes;
    h->Search(QStringLiteral("王"));
    QCOMPARE(h->urls.opened, yes ? QStringList{QString::fromLatin1(app::kMakerWebSite)} : QStringList{});
  }

  void search_writesTheBirthChartOfTheEnteredMoment() {
    auto h = Make();
    h->SetMoment("2000", "1", "1", "12", "0");
    h->Search(QStringLiteral("王"));
    const QString text = h->form.OutText();
    QVERIFY(text.endsWith(kCrLf));
    const QStringList lines = text.split(kCrLf);
    QCOMPARE(lines.size(), 7);
    QCOMPARE(lines[0], QStringLiteral("宝宝生日："));
    QCOMPARE(lines[1], QStringLiteral("公历日期：2000年1月1日 12时0分"));
    QVERIFY(lines[2].startsWith(QStringLiteral("农历日期：1999年")));
    QCOMPARE(lines[3], QStringLiteral("干支日期：己卯年 丙子月 戊午日 戊午时"));
    QVERIFY(lines[4].startsWith(QStringLiteral("纳音五行：")));
    QVERIFY(lines[5].startsWith(QStringLiteral("五行所缺：")));
    QCOMPARE(h->form.CollectionText(), text);
  }

  void badDate_reportsAndKeepsListTextAndCollection_data() {
    QTest::addColumn<QString>("year");
    QTest::addColumn<QString>("month");
    QTest::addColumn<QString>("day");
    QTest::newRow("31 April") << "2000" << "4" << "31";
    QTest::newRow("letters in the year") << "abc" << "1" << "1";
    QTest::newRow("empty day") << "2000" << "1" << "";
  }
  void badDate_reportsAndKeepsListTextAndCollection() {
    QFETCH(QString, year);
    QFETCH(QString, month);
    QFETCH(QString, day);
    auto h = Make();
    h->SetMoment("2000", "1", "1", "12", "0");
    h->Search(QStringLiteral("王"));
    h->Select({0, 3});
    h->Trigger("mnuFileDelName");
    h->Select({1});
    h->Trigger("mnuFileSave");
    const QStringList entries = h->Entries();
    const QString text = h->form.OutText();
    const QString collection = h->form.CollectionText();

    h->SetMoment(year, month, day, "12", "0");
    h->Search(QStringLiteral("王"));
    QCOMPARE(h->messages.information.size(), 1);
    QVERIFY(!h->messages.information[0].isEmpty());
    QCOMPARE(h->messages.questions.size(), 1);
    QCOMPARE(h->Entries(), entries);
    QCOMPARE(h->form.OutText(), text);
    QCOMPARE(h->form.CollectionText(), collection);
  }

  void missingLibrary_reportsAndKeepsTextAndCollection() {
    MissingCalendar missing;
    Harness h(missing);
    const QString text = h.form.OutText();
    h.Search(QStringLiteral("王"));
    QCOMPARE(h.Entries().size(), 24);
    QCOMPARE(h.messages.information.size(), 1);
    QVERIFY(!h.messages.information[0].isEmpty());
    QCOMPARE(h.form.OutText(), text);
    QVERIFY(h.form.CollectionText().isEmpty());
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
    if (with_selection) h->Select({2, 4});
    QWidget* viewport = h->List()->viewport();
    const QPoint on_row_0 = h->List()->visualItemRect(h->List()->item(0)).center();
    QTest::mousePress(viewport, Qt::RightButton, {}, on_row_0);
    QCOMPARE(h->popup.count, 1);
    QCOMPARE(h->popup.shown, h->Find<QMenu>("mnulstRight"));
    QCOMPARE(h->popup.at, viewport->mapToGlobal(on_row_0));
    QCOMPARE(h->List()->selectedItems().size(), with_selection ? 2 : 0);
    QTest::mouseRelease(viewport, Qt::RightButton, {}, on_row_0);

    QTest::mouseClick(viewport, Qt::LeftButton, {}, on_row_0);
    QCOMPARE(h->popup.count, 1);
    QCOMPARE(h->List()->selectedItems().size(), 1);
  }

  void popupItems_doWhatTheFileItemsDo() {
    auto h = Make();
    h->Search(QStringLiteral("王"));
    const QStringList entries = h->Entries();
    h->Select({0, 1});
    h->Trigger("mnulstRightDel");
    QCOMPARE(h->Entries(), entries.mid(2));
    h->Select({0});
    h->Trigger("mnuListRightSave");
    QVERIFY(h->form.OutText().endsWith(entries[2] + kCrLf));
    h->List()->setCurrentRow(0);
    h->Trigger("mnuRightNameWuGe");
    QVERIFY(h->form.OutText().contains(QStringLiteral("天格：")));
  }

  void delete_removesScatteredSelectionKeepingOrder() {
    auto h = Make();
    h->Search(QStringLiteral("王"));
    QStringList expected = h->Entries();
    h->Select({1, 5, 6, 23});
    for (int row : {23, 6, 5, 1}) expected.removeAt(row);
    const QString text = h->form.OutText();
    h->Trigger("mnuFileDelName");
    QCOMPARE(h->Entries(), expected);
    QCOMPARE(h->form.OutText(), text);
    h->Trigger("mnuFileDelName");
    QCOMPARE(h->Entries(), expected);
  }

  void collect_threeOfTen_appendsThemLastFirstAndRemovesThem() {
    auto h = Make();
    h->Search(QStringLiteral("王"));
    for (int i = h->List()->count() - 1; i >= 10; --i) delete h->List()->takeItem(i);
    h->List()->item(7)->setText(QStringLiteral("  ") + h->List()->item(7)->text() + QStringLiteral(" "));
    const QStringList entries = h->Entries();
    const QString report = h->form.CollectionText();
    // A five-grid report on screen is replaced by the collection.
    h->MakeCurrent(0);
    h->Trigger("mnuFileNameWuGe");

    h->Select({2, 7, 9});
    h->Trigger("mnuFileSave");
    const QString expected =
        report + entries[9] + kCrLf + entries[7].trimmed() + kCrLf + entries[2] + kCrLf;
    QCOMPARE(h->form.OutText(), expected);
    QCOMPARE(h->form.CollectionText(), expected);
    QStringList rest = entries;
    for (int row : {9, 7, 2}) rest.removeAt(row);
    QCOMPARE(h->Entries(), rest);
    QCOMPARE(h->Find<QPlainTextEdit>("txtOut")->font().pointSizeF(), 14.0);

    // The second command starts right after the first one's last line.
    h->Select({0, 1});
    h->Trigger("mnuFileSave");
    QCOMPARE(h->form.OutText(), expected + rest[1] + kCrLf + rest[0] + kCrLf);
    QCOMPARE(h->Entries().size(), 5);
  }

  void collect_beforeAnySearch_emptiesTheOutput() {
    auto h = Make();
    h->Trigger("mnuFileSave");
    QCOMPARE(h->form.OutText(), QString());
    QCOMPARE(h->form.CollectionText(), QString());
    QCOMPARE(h->Find<QPlainTextEdit>("txtOut")->font().pointSizeF(), 14.0);
  }

  void newSearch_resetsTheCollection() {
    auto h = Make();
    h->Search(QStringLiteral("王"));
    const QString report = h->form.CollectionText();
    h->Select({0});
    h->Trigger("mnuFileSave");
    h->Search(QStringLiteral("王"));
    QCOMPARE(h->form.CollectionText(), report);
    QCOMPARE(h->Entries().size(), 24);
  }

  void fiveGridReport_twice_appendsTwoReportsAndPutsCaretAtTheSecond() {
    auto h = Make();
    h->Search(QStringLiteral("王"));
    const QString report = h->form.OutText();
    h->List()->setCurrentRow(0);
    h->Trigger("mnuFileNameWuGe");
    const QString once = h->form.OutText();
    QVERIFY(once.startsWith(report + kCrLf + kCrLf + QStringLiteral("天格：5") + kCrLf));
    const QString grid_report = once.mid(report.size() + 4);
    QString expected;
    const std::pair<const char16_t*, int16_t> blocks[] = {
        {u"天格：", 5}, {u"人格：", 15}, {u"地格：", 33}, {u"总格：", 37}, {u"外格：", 23}};
    for (const auto& [label, number] : blocks) {
      expected += QString::fromUtf16(label) + QString::number(number) + kCrLf + Q(naming::GetShuLi(number)) +
                  kCrLf + kCrLf;
    }
    QCOMPARE(grid_report, expected);
    QCOMPARE(h->form.OutSelectionStart(), report.size() + 4);

    h->Trigger("mnuFileNameWuGe");
    const QString twice = h->form.OutText();
    QCOMPARE(twice, once + kCrLf + kCrLf + grid_report);
    QVERIFY(twice.mid(0, once.size() + 4).endsWith(kCrLf.repeated(4)));
    QCOMPARE(h->form.OutSelectionStart(), once.size() + 4);
    QVERIFY(!h->Find<QPlainTextEdit>("txtOut")->textCursor().hasSelection());
    QCOMPARE(h->form.CollectionText(), report);
  }

  void fiveGridReport_readsTheCurrentEntryNotTheSelection() {
    auto h = Make();
    h->Search(QStringLiteral("王"));
    QListWidget* list = h->List();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier,
                      list->visualItemRect(list->item(3)).center());
    h->MakeCurrent(5);
    QCOMPARE(list->selectedItems().size(), 2);
    QVERIFY(!list->item(5)->isSelected());
    const naming::WuGe grids =
        naming::GetWuGe(u"王", list->item(5)->text().mid(1).toStdU16String());
    h->Trigger("mnuFileNameWuGe");
    QVERIFY(h->form.OutText().contains(QStringLiteral("地格：%1\r\n").arg(grids.DiGe)));
    QVERIFY(h->messages.information.isEmpty());
  }

  void fiveGridReport_splitsByTheFamilyNameAsItNowStands_data() {
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("family_name");
    QTest::addColumn<QString>("given_name");
    QTest::newRow("two-character family name") << "欧阳明" << "欧阳" << "明";
    QTest::newRow("family name made longer") << "王袍灌" << "王袍" << "灌";
    QTest::newRow("family name as long as the entry") << "王袍灌" << "王袍灌" << "";
  }
  void fiveGridReport_splitsByTheFamilyNameAsItNowStands() {
    QFETCH(QString, entry);
    QFETCH(QString, family_name);
    QFETCH(QString, given_name);
    auto h = Make();
    h->Search(QStringLiteral("王"));
    h->List()->insertItem(0, entry);
    h->List()->setCurrentRow(0);
    h->Find<QLineEdit>("txtXingShi")->setText(family_name);
    const naming::WuGe grids = naming::GetWuGe(family_name.toStdU16String(), given_name.toStdU16String());
    h->Trigger("mnuFileNameWuGe");
    const QString text = h->form.OutText();
    QVERIFY(text.contains(QStringLiteral("天格：%1\r\n").arg(grids.TianGe)));
    QVERIFY(text.contains(QStringLiteral("人格：%1\r\n").arg(grids.RenGe)));
    QVERIFY(text.contains(QStringLiteral("地格：%1\r\n").arg(grids.DiGe)));
    QVERIFY(text.contains(QStringLiteral("总格：%1\r\n").arg(grids.ZongGe)));
    QVERIFY(text.contains(QStringLiteral("外格：%1\r\n").arg(grids.WaiGe)));
  }

  void fiveGridReport_gridWithoutReading_saysSo() {
    auto h = Make();
    // Characters outside the dictionary count no strokes, so every grid of this name is 0.
    h->List()->addItem(QStringLiteral("ab"));
    h->List()->setCurrentRow(0);
    h->Find<QLineEdit>("txtXingShi")->clear();
    h->Trigger("mnuFileNameWuGe");
    const QString text = h->form.OutText();
    const QString block = QStringLiteral("天格：0\r\n（此数不在1至81之间，没有对应的数理释义）\r\n\r\n");
    QVERIFY2(text.contains(block), qPrintable(text.right(200)));
    QCOMPARE(text.count(QStringLiteral("（此数不在1至81之间")), 5);
  }

  void fiveGridReport_withoutCurrentEntry_asksForOne() {
    auto h = Make();
    const QString text = h->form.OutText();
    h->Trigger("mnuFileNameWuGe");
    QCOMPARE(h->messages.information, QStringList{Q(app::texts::kChooseAName)});
    QCOMPARE(h->form.OutText(), text);
  }

  void resize_followsTheWindowAndStopsBelowThreshold() {
    auto h = Make();
    QVERIFY(QTest::qWaitForWindowExposed(&h->form));
    auto* out = h->Find<QPlainTextEdit>("txtOut");
    QWidget* client = h->form.centralWidget();
    const app::FormLayout expected = app::ArrangeForm(
        {}, client->width() * 15.0 + app::kChromeWidth, client->height() * 15.0 + app::kChromeHeight);
    QCOMPARE(h->form.CurrentLayout(), expected);
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
    h->form.resize(h->form.width(), 200);
    QTRY_COMPARE(client->height() < 250, true);
    QCOMPARE(out->geometry(), before);
    h->form.resize(h->form.width() + 60, 500);
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
    QVERIFY(QTest::qWaitForWindowExposed(&h->form));
    if (by_menu) {
      h->Trigger("mnuFileExit");
    } else {
      h->form.windowHandle()->close();
    }
    QVERIFY(!h->form.isVisible());
    QCOMPARE(h->urls.opened, QStringList{QString::fromLatin1(app::kMakerWebSite)});
  }

  void webSite_fromMenu_reportsBrowserFailure() {
    auto h = Make();
    h->Trigger("mnuRegNet");
    QCOMPARE(h->urls.opened, QStringList{QString::fromLatin1(app::kMakerWebSite)});
    QVERIFY(h->messages.critical.isEmpty());
    h->urls.succeeds = false;
    h->Trigger("mnuRegNet");
    QCOMPARE(h->messages.critical,
             QStringList{Q(app::texts::kBrowserErrorTitle) + u'|' + Q(app::texts::kBrowserError)});
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
