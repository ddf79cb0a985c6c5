#include "app/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFocusEvent>
#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QProxyStyle>
#include <QRadioButton>
#include <QSettings>
#include <QTextCursor>
#include <QTimer>
#include <QToolButton>

#include <cmath>
#include <string_view>

#include "app/form_texts.h"
#include "chart/birth_chart.h"
#include "naming/five_grids.h"
#include "naming/name_search.h"

namespace app {
namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kLf = QStringLiteral("\n");

// Shown in a five-grid block when a grid has no reading, which happens when the family-name box
// was edited after the search or a character is missing from the stroke dictionary.
constexpr std::u16string_view kNoReading = u"（此数不在1至81之间，没有对应的数理释义）";

QString ToQString(std::u16string_view text) {
  return QStringView(text.data(), static_cast<qsizetype>(text.size())).toString();
}

// The original families come first so a machine that has them shows the window as drawn; the
// free CJK fonts after them keep Chinese text readable everywhere else.
QFont MakeFont(QStringList families, double point_size) {
  families << QStringLiteral("AR PL UMing CN") << QStringLiteral("Noto Sans CJK SC")
           << QStringLiteral("Noto Serif CJK SC");
  QFont font;
  font.setFamilies(families);
  font.setPointSizeF(point_size);
  return font;
}

QFont CaptionFont() {
  return MakeFont({QStringLiteral("楷体_GB2312"), QStringLiteral("KaiTi"), QStringLiteral("AR PL UKai CN")},
                  14.25);
}
QFont ListFont() {
  return MakeFont({QStringLiteral("宋体"), QStringLiteral("SimSun"), QStringLiteral("AR PL UMing CN")}, 14.25);
}
QFont OutFont() {
  return MakeFont({QStringLiteral("MS Sans Serif"), QStringLiteral("Noto Sans CJK SC")}, 13.5);
}
// The controls inside the frames keep the ordinary size; a frame's caption font must not pass
// down to them.
QFont ControlFont() { return MakeFont({QStringLiteral("Noto Sans CJK SC")}, 9); }

int ToPixels(double twips) { return static_cast<int>(std::lround(twips / kTwipsPerPixel)); }

QRect ToPixels(const TwipRect& rect) {
  return {ToPixels(rect.left), ToPixels(rect.top), ToPixels(rect.width), ToPixels(rect.height)};
}

void Place(QWidget* widget, double left, double top, double width, double height) {
  widget->setGeometry(ToPixels(TwipRect{left, top, width, height}));
}

// The number of characters in `text`, a surrogate pair counting as one.
qsizetype CharacterCount(QStringView text) { return text.toUcs4().size(); }

// `text` without its first `count` characters; empty when it has no more than that.
QString DropCharacters(QStringView text, qsizetype count) {
  qsizetype at = 0;
  for (; count > 0 && at < text.size(); --count) {
    const bool pair = text[at].isHighSurrogate() && at + 1 < text.size() && text[at + 1].isLowSurrogate();
    at += pair ? 2 : 1;
  }
  return text.mid(at).toString();
}

// Leading and trailing blanks only: a collected line keeps any other character the entry holds.
QString TrimSpaces(const QString& text) {
  qsizetype first = 0;
  qsizetype last = text.size();
  while (first < last && text[first] == u' ') ++first;
  while (last > first && text[last - 1] == u' ') --last;
  return text.mid(first, last - first);
}

// The search fills the window's list box through this.
class ListBoxNames final : public naming::NameList {
 public:
  explicit ListBoxNames(QListWidget& list) : list_(list) {}
  void Clear() override { list_.clear(); }
  void AddEntry(std::u16string_view entry) override { list_.addItem(ToQString(entry)); }

 private:
  QListWidget& list_;
};

// The five date boxes share one frame of fixed width; a slimmer drop-down button leaves their
// numbers room to show in full.
class NarrowComboStyle final : public QProxyStyle {
 public:
  QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl sub,
                       const QWidget* widget) const override {
    if (control != CC_ComboBox || (sub != SC_ComboBoxArrow && sub != SC_ComboBoxEditField)) {
      return QProxyStyle::subControlRect(control, option, sub, widget);
    }
    constexpr int kButtonWidth = 12;
    const QRect inside = option->rect.adjusted(2, 2, -2, -2);
    const QRect rect = sub == SC_ComboBoxArrow
                           ? QRect(inside.right() - kButtonWidth + 1, inside.top(), kButtonWidth, inside.height())
                           : QRect(inside.left(), inside.top(), inside.width() - kButtonWidth, inside.height());
    return visualRect(option->direction, option->rect, rect);
  }
};

QComboBox* MakeNumberBox(QWidget* parent, const char* name, int first, int last) {
  auto* box = new QComboBox(parent);
  box->setObjectName(QString::fromLatin1(name));
  box->setEditable(true);
  // A typed value is only read, never added to the choices, and nothing is completed for the user.
  box->setInsertPolicy(QComboBox::NoInsert);
  box->setCompleter(nullptr);
  box->setFont(ControlFont());
  for (int n = first; n <= last; ++n) box->addItem(QString::number(n));
  return box;
}

void SetNumber(QComboBox* box, int value) {
  const QString text = QString::number(value);
  box->setCurrentIndex(box->findText(text));
  box->setEditText(text);
}

}  // namespace

frmName::frmName(FormServices services, QWidget* parent)
    : QMainWindow(parent), services_(std::move(services)), layout_(DefaultLayout()) {
  setObjectName(QStringLiteral("frmName"));
  setWindowTitle(ToQString(texts::kAppTitle));
  setWindowIcon(QIcon(QStringLiteral(":/app/org.tavren.name.png")));
  BuildControls();
  BuildMenus();
  resize(ToPixels(kDefaultOuterWidth - kChromeWidth),
         ToPixels(kDefaultOuterHeight - kChromeHeight) + menuBar()->sizeHint().height());
  Form_Load();
  Form_Resize();
}

// The base class deletes the controls after this body; their last events must not reach a window
// that is already half gone.
frmName::~frmName() {
  client_->removeEventFilter(this);
  txtXingShi->removeEventFilter(this);
  list_viewport_->removeEventFilter(this);
}

void frmName::BuildControls() {
  client_ = new QWidget(this);
  setCentralWidget(client_);
  client_->installEventFilter(this);

  auto* strip = new QFrame(client_);
  strip->setFrameShape(QFrame::StyledPanel);
  strip->setFrameShadow(QFrame::Sunken);
  pic = strip;
  pic->setObjectName(QStringLiteral("pic"));

  auto frame = [this](const char* name, std::u16string_view caption) {
    auto* box = new QGroupBox(ToQString(caption), pic);
    box->setObjectName(QString::fromLatin1(name));
    box->setFont(CaptionFont());
    return box;
  };
  Frame2 = frame("Frame2", texts::kFrame2);
  Frame1 = frame("Frame1", texts::kFrame1);
  Frame3 = frame("Frame3", texts::kFrame3);
  Frame4 = frame("Frame4", texts::kFrame4);

  txtXingShi = new QLineEdit(ToQString(texts::ktxtXingShi), Frame2);
  txtXingShi->setObjectName(QStringLiteral("txtXingShi"));
  txtXingShi->setFont(ControlFont());
  txtXingShi->installEventFilter(this);
  Place(txtXingShi, 120, 450, 975, 390);

  auto option = [](QWidget* parent, const char* name, std::u16string_view caption) {
    auto* button = new QRadioButton(ToQString(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setFont(ControlFont());
    return button;
  };
  optOne = option(Frame1, "optOne", texts::koptOne);
  optTwo = option(Frame1, "optTwo", texts::koptTwo);
  optTwo->setChecked(true);
  Place(optOne, 90, 480, 690, 330);
  Place(optTwo, 780, 480, 690, 330);
  optMan = option(Frame3, "optMan", texts::koptMan);
  optWoman = option(Frame3, "optWoman", texts::koptWoman);
  optMan->setChecked(true);
  Place(optMan, 120, 480, 510, 330);
  Place(optWoman, 630, 480, 510, 330);

  cboYear = MakeNumberBox(Frame4, "cboYear", 1980, 2045);
  cboMonth = MakeNumberBox(Frame4, "cboMonth", 1, 12);
  cboDay = MakeNumberBox(Frame4, "cboDay", 1, 31);
  cboHour = MakeNumberBox(Frame4, "cboHour", 0, 23);
  cboMinute = MakeNumberBox(Frame4, "cboMinute", 0, 59);
  // Made after the boxes and owned by their frame, so it is deleted after them.
  auto* narrow = new NarrowComboStyle;
  narrow->setParent(Frame4);
  QComboBox* const boxes[] = {cboYear, cboMonth, cboDay, cboHour, cboMinute};
  double left = 90;
  for (int i = 0; i < 5; ++i) {
    QComboBox* box = boxes[i];
    box->setStyle(narrow);
    const double width = i == 0 ? 705 : 510;
    Place(box, left, 450, width, 390);
    left += width;
    auto* label = new QLabel(ToQString(texts::kDateLabels[static_cast<size_t>(i)]), Frame4);
    label->setObjectName(QStringLiteral("Label%1").arg(i + 1));
    label->setFont(ControlFont());
    Place(label, left + 15, 450, 195, 390);
    left += 210;
  }

  cmdYes = new QToolButton(pic);
  cmdYes->setObjectName(QStringLiteral("cmdYes"));
  cmdYes->setText(ToQString(texts::kcmdYes));
  cmdYes->setIcon(QIcon(QStringLiteral(":/app/search.png")));
  cmdYes->setIconSize(QSize(32, 32));
  cmdYes->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  cmdYes->setFont(ControlFont());
  connect(cmdYes, &QToolButton::clicked, this, &frmName::cmdYes_Click);

  lstName = new QListWidget(client_);
  lstName->setObjectName(QStringLiteral("lstName"));
  lstName->setSelectionMode(QAbstractItemView::ExtendedSelection);
  lstName->setToolTip(ToQString(texts::klstNameToolTip));
  lstName->setFont(ListFont());
  // The right button belongs to the popup menu and leaves the selection alone.
  lstName->setContextMenuPolicy(Qt::PreventContextMenu);
  list_viewport_ = lstName->viewport();
  list_viewport_->installEventFilter(this);

  txtOut = new QPlainTextEdit(client_);
  txtOut->setObjectName(QStringLiteral("txtOut"));
  txtOut->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  txtOut->setFont(OutFont());
}

void frmName::BuildMenus() {
  auto item = [this](QMenu* menu, const char* name, std::u16string_view caption, void (frmName::*handler)()) {
    QAction* action = menu->addAction(ToQString(caption));
    action->setObjectName(QString::fromLatin1(name));
    connect(action, &QAction::triggered, this, handler);
  };
  auto separator = [](QMenu* menu, const char* name) {
    menu->addSeparator()->setObjectName(QString::fromLatin1(name));
  };

  mnuFile = menuBar()->addMenu(ToQString(texts::kmnuFile));
  mnuFile->setObjectName(QStringLiteral("mnuFile"));
  item(mnuFile, "mnuFileSave", texts::kmnuFileSave, &frmName::mnuFileSave_Click);
  item(mnuFile, "mnuFileDelName", texts::kmnuFileDelName, &frmName::mnuFileDelName_Click);
  separator(mnuFile, "mnuFile01");
  item(mnuFile, "mnuFileNameWuGe", texts::kmnuFileNameWuGe, &frmName::mnuFileNameWuGe_Click);
  separator(mnuFile, "mnuNet02");
  item(mnuFile, "mnuRegNet", texts::kmnuRegNet, &frmName::mnuRegNet_Click);
  separator(mnuFile, "mnuFile02");
  item(mnuFile, "mnuFileExit", texts::kmnuFileExit, &frmName::mnuFileExit_Click);

  // Never in the menu bar: it only pops up over the name list.
  mnulstRight = new QMenu(ToQString(texts::kmnulstRight), this);
  mnulstRight->setObjectName(QStringLiteral("mnulstRight"));
  item(mnulstRight, "mnuListRightSave", texts::kmnuListRightSave, &frmName::mnuListRightSave_Click);
  item(mnulstRight, "mnulstRightDel", texts::kmnulstRightDel, &frmName::mnulstRightDel_Click);
  separator(mnulstRight, "mnuR01");
  item(mnulstRight, "mnuRightNameWuGe", texts::kmnuRightNameWuGe, &frmName::mnuRightNameWuGe_Click);
}

QString frmName::OutText() const {
  return txtOut->toPlainText().replace(kLf, kCrLf);
}

qsizetype frmName::OutSelectionStart() const {
  const QTextCursor cursor = txtOut->textCursor();
  const qsizetype start = std::min(cursor.position(), cursor.anchor());
  // Every line break before the caret is one character in the box and two in the text.
  return start + txtOut->toPlainText().left(start).count(u'\n');
}

// The box holds its lines separated by LF; the program's texts use CR LF, so that is all that
// has to be translated on the way in and out.
void frmName::SetOutText(const QString& text) {
  txtOut->setPlainText(QString(text).replace(kCrLf, kLf));
}

void frmName::AppendOutText(const QString& text) {
  QTextCursor cursor(txtOut->document());
  cursor.movePosition(QTextCursor::End);
  cursor.insertText(QString(text).replace(kCrLf, kLf));
}

void frmName::PutCaret(qsizetype position) {
  const QString prefix = OutText().left(position);
  const qsizetype in_box = position - prefix.count(kCrLf);
  // Going to the end first makes the box scroll back up just far enough to show the caret's line at
  // the top, so the reader sees the beginning of what was added.
  QTextCursor cursor = txtOut->textCursor();
  cursor.movePosition(QTextCursor::End);
  txtOut->setTextCursor(cursor);
  cursor.setPosition(static_cast<int>(in_box));
  txtOut->setTextCursor(cursor);
  txtOut->ensureCursorVisible();
}

void frmName::Form_Load() {
  QSettings settings(QStringLiteral("tavren"), QStringLiteral("tavren"));
  settings.beginGroup(ToQString(texts::kSettingsSection));
  settings.setValue(ToQString(texts::kSettingsPath), QDir::toNativeSeparators(QCoreApplication::applicationDirPath()));
  settings.setValue(ToQString(texts::kSettingsVer),
                    QStringLiteral("%1.%2").arg(NAME_VERSION_MAJOR).arg(NAME_VERSION_MINOR));
  settings.endGroup();

  const QDateTime now = services_.now();
  SetNumber(cboYear, now.date().year());
  SetNumber(cboMonth, now.date().month());
  SetNumber(cboDay, now.date().day());
  SetNumber(cboHour, now.time().hour());
  SetNumber(cboMinute, now.time().minute());

  QString features;
  for (std::u16string_view piece : texts::kFeaturePieces) features += ToQString(piece) + kCrLf;
  SetOutText(features);
}

void frmName::Form_Resize() {
  const double outer_width = client_->width() * kTwipsPerPixel + kChromeWidth;
  const double outer_height = client_->height() * kTwipsPerPixel + kChromeHeight;
  layout_ = ArrangeForm(layout_, outer_width, outer_height);
  pic->setGeometry(ToPixels(layout_.pic));
  Frame1->setGeometry(ToPixels(layout_.Frame1));
  Frame2->setGeometry(ToPixels(layout_.Frame2));
  Frame3->setGeometry(ToPixels(layout_.Frame3));
  Frame4->setGeometry(ToPixels(layout_.Frame4));
  cmdYes->setGeometry(ToPixels(layout_.cmdYes));
  lstName->setGeometry(ToPixels(layout_.lstName));
  txtOut->setGeometry(ToPixels(layout_.txtOut));
}

void frmName::Form_Unload() {
  OpenWebSite(QString::fromLatin1(kMakerWebSite));
  const QWidgetList windows = QApplication::topLevelWidgets();
  for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
    QWidget* window = *it;
    if (window != this && window->isVisible() && qobject_cast<QMenu*>(window) == nullptr) window->close();
  }
}

chart::BirthInput frmName::BirthInputFromBoxes() const {
  return {cboYear->currentText().toStdU16String(), cboMonth->currentText().toStdU16String(),
          cboDay->currentText().toStdU16String(), cboHour->currentText().toStdU16String(),
          cboMinute->currentText().toStdU16String()};
}

void frmName::cmdYes_Click() {
  // A date that cannot be read is reported before the search, so the list the user has been
  // working on is not replaced by a search whose chart could not be written.
  std::u16string message;
  if (!chart::BirthMoment(BirthInputFromBoxes(), message)) {
    services_.messages.Information(ToQString(message));
    return;
  }
  GenerateNames();
  ShowBaZi();
}

void frmName::GenerateNames() {
  ListBoxNames names(*lstName);
  const std::u16string family_name = txtXingShi->text().toStdU16String();
  const auto length = optOne->isChecked() ? naming::NameLength::One : naming::NameLength::Two;
  const auto sex = optWoman->isChecked() ? naming::Sex::Girl : naming::Sex::Boy;
  const int32_t total = naming::GenerateNames(names, family_name, length, sex);
  if (services_.messages.AskYesNo(ToQString(naming::GenerateNamesMessage(total)))) {
    OpenWebSite(QString::fromLatin1(kMakerWebSite));
  }
}

void frmName::ShowBaZi() {
  const chart::BaZiReport report = chart::BuildBaZiReport(services_.calendar, BirthInputFromBoxes());
  if (!report.text) {
    services_.messages.Information(ToQString(report.message));
    return;
  }
  SetOutText(ToQString(*report.text));
  ShouCangText = OutText();
}

void frmName::OpenWebSite(const QString& address) {
  if (!services_.urls.Open(address)) {
    services_.messages.Critical(ToQString(texts::kBrowserError), ToQString(texts::kBrowserErrorTitle));
  }
}

void frmName::lstName_MouseDown(Qt::MouseButton button, const QPoint& global_position) {
  if (button == Qt::RightButton) services_.popup.Show(*mnulstRight, global_position);
}

void frmName::mnuFileSave_Click() {
  const int count = lstName->count();
  QString text = ShouCangText;
  for (int i = count - 1; i >= 0; --i) {
    if (lstName->item(i)->isSelected()) {
      text += TrimSpaces(lstName->item(i)->text()) + kCrLf;
      delete lstName->takeItem(i);
    }
  }
  SetOutText(text);
  QFont font = txtOut->font();
  font.setPointSizeF(14);
  txtOut->setFont(font);
  ShouCangText = OutText();
}

void frmName::mnuListRightSave_Click() { mnuFileSave_Click(); }

void frmName::mnuFileDelName_Click() {
  for (int i = lstName->count() - 1; i >= 0; --i) {
    if (lstName->item(i)->isSelected()) delete lstName->takeItem(i);
  }
}

void frmName::mnulstRightDel_Click() { mnuFileDelName_Click(); }

void frmName::mnuFileNameWuGe_Click() {
  const QListWidgetItem* current = lstName->currentItem();
  const QString chosen = current != nullptr ? current->text() : QString();
  if (chosen.isEmpty()) {
    services_.messages.Information(ToQString(texts::kChooseAName));
    return;
  }
  const QString family_name = txtXingShi->text();
  const QString given_name = DropCharacters(chosen, CharacterCount(family_name));
  const naming::WuGe grids = naming::GetWuGe(family_name.toStdU16String(), given_name.toStdU16String());

  AppendOutText(kCrLf + kCrLf);
  const qsizetype mark = OutText().size();
  const int16_t numbers[] = {grids.TianGe, grids.RenGe, grids.DiGe, grids.ZongGe, grids.WaiGe};
  QString report;
  for (size_t i = 0; i < texts::kGridLabels.size(); ++i) {
    const std::u16string_view reading = naming::GetShuLi(numbers[i]);
    report += ToQString(texts::kGridLabels[i]) + QString::number(numbers[i]) + kCrLf +
              ToQString(reading.empty() ? kNoReading : reading) + kCrLf + kCrLf;
  }
  AppendOutText(report);
  PutCaret(mark);
}

void frmName::mnuRightNameWuGe_Click() { mnuFileNameWuGe_Click(); }

void frmName::mnuRegNet_Click() { OpenWebSite(QString::fromLatin1(kMakerWebSite)); }

void frmName::mnuFileExit_Click() { close(); }

void frmName::txtXingShi_GotFocus() { txtXingShi->setSelection(0, static_cast<int>(txtXingShi->text().size())); }

void frmName::closeEvent(QCloseEvent* event) {
  Form_Unload();
  event->accept();
}

bool frmName::eventFilter(QObject* watched, QEvent* event) {
  if (watched == client_ && event->type() == QEvent::Resize) {
    Form_Resize();
  } else if (watched == txtXingShi && event->type() == QEvent::FocusIn) {
    txtXingShi_GotFocus();
    // A click that brings the focus would place the caret right after this; select again once the
    // click is handled.
    if (static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason) {
      QTimer::singleShot(0, this, &frmName::txtXingShi_GotFocus);
    }
  } else if (watched == list_viewport_ && event->type() == QEvent::MouseButtonPress) {
    const auto* press = static_cast<QMouseEvent*>(event);
    lstName_MouseDown(press->button(), press->globalPosition().toPoint());
    if (press->button() == Qt::RightButton) return true;
  }
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace app
