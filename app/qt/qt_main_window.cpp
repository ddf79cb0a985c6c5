// SPDX-License-Identifier: MIT
#include "app/qt/qt_main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QShortcut>
#include <QContextMenuEvent>
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
#include <QTextCursor>
#include <QTimer>
#include <QToolButton>

#include <cmath>
#include <string_view>

#include "app/form_texts.h"

namespace app {
namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kLf = QStringLiteral("\n");

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

// The box holds its lines separated by LF and the program's texts use CR LF, so a position in the
// program's text is one less in the box for every line break before it.
int BoxPosition(const QString& text_with_cr_lf, int position) {
  const QString prefix = text_with_cr_lf.left(position);
  return static_cast<int>(position - prefix.count(kCrLf));
}

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

QComboBox* MakeNumberBox(QWidget* parent, const char* name) {
  auto* box = new QComboBox(parent);
  box->setObjectName(QString::fromLatin1(name));
  box->setEditable(true);
  // A typed value is only read, never added to the choices, and nothing is completed for the user.
  box->setInsertPolicy(QComboBox::NoInsert);
  box->setCompleter(nullptr);
  box->setFont(ControlFont());
  return box;
}

}  // namespace

QtMainWindow::QtMainWindow(Desktop& desktop, chart::Calendar& calendar, PopupShower popup, QWidget* parent)
    : QMainWindow(parent), popup_(std::move(popup)) {
  if (!popup_) popup_ = [](QMenu& menu, const QPoint& at) { menu.exec(at); };
  setObjectName(QStringLiteral("frmName"));
  setWindowTitle(ToQString(texts::kAppTitle));
  setWindowIcon(QIcon(QStringLiteral(":/app/org.tavren.name.png")));
  BuildControls();
  form_ = std::make_unique<frmName>(*this, desktop, calendar);
  BuildMenus();
  BuildKeyboard();
  resize(ToPixels(kDefaultOuterWidth - kChromeWidth),
         ToPixels(kDefaultOuterHeight - kChromeHeight) + menuBar()->sizeHint().height());
  form_->Form_Load();
  form_->Form_Resize();
}

// The base class deletes the controls after this body; their last events must not reach a window
// that is already half gone.
QtMainWindow::~QtMainWindow() {
  client_->removeEventFilter(this);
  txtXingShi->removeEventFilter(this);
  lstName->removeEventFilter(this);
  list_viewport_->removeEventFilter(this);
  for (QWidget* widget : search_on_return_) widget->removeEventFilter(this);
}

void QtMainWindow::BuildControls() {
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
  connect(txtXingShi, &QLineEdit::textChanged, this, [this] {
    if (form_ != nullptr) form_->txtXingShi_Change();
  });
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

  cboYear = MakeNumberBox(Frame4, "cboYear");
  cboMonth = MakeNumberBox(Frame4, "cboMonth");
  cboDay = MakeNumberBox(Frame4, "cboDay");
  cboHour = MakeNumberBox(Frame4, "cboHour");
  cboMinute = MakeNumberBox(Frame4, "cboMinute");
  // Made after the boxes and owned by their frame, so it is deleted after them.
  auto* narrow = new NarrowComboStyle;
  narrow->setParent(Frame4);
  double left = 90;
  for (size_t i = 0; i < kDateBoxes.size(); ++i) {
    QComboBox* box = Box(kDateBoxes[i]);
    box->setStyle(narrow);
    const double width = i == 0 ? 705 : 510;
    Place(box, left, 450, width, 390);
    left += width;
    auto* label = new QLabel(ToQString(texts::kDateLabels[i]), Frame4);
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
  connect(cmdYes, &QToolButton::clicked, this, &QtMainWindow::PressSearch);

  lstName = new QListWidget(client_);
  lstName->setObjectName(QStringLiteral("lstName"));
  lstName->setSelectionMode(QAbstractItemView::ExtendedSelection);
  lstName->setToolTip(ToQString(texts::klstNameToolTip));
  lstName->setFont(ListFont());
  // The right button belongs to the popup menu and leaves the selection alone; the keyboard's
  // context-menu keys reach the list as context-menu events.
  lstName->installEventFilter(this);
  list_viewport_ = lstName->viewport();
  list_viewport_->installEventFilter(this);

  txtOut = new QPlainTextEdit(client_);
  txtOut->setObjectName(QStringLiteral("txtOut"));
  txtOut->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  txtOut->setFont(OutFont());
  // Tab leaves the box instead of writing a tab into the chart.
  txtOut->setTabChangesFocus(true);
}

void QtMainWindow::BuildKeyboard() {
  // Reading order; Qt visits only the checked button of each pair of options.
  const QWidget* const order[] = {txtXingShi, optOne, optTwo, optMan, optWoman, cboYear, cboMonth,
                                  cboDay,     cboHour, cboMinute, cmdYes, lstName, txtOut};
  for (size_t i = 1; i < std::size(order); ++i) {
    setTabOrder(const_cast<QWidget*>(order[i - 1]), const_cast<QWidget*>(order[i]));
  }
  cmdYes->setFocusPolicy(Qt::StrongFocus);
  search_on_return_ = {txtXingShi, optOne, optTwo, optMan, optWoman, cmdYes};
  for (DateBox box : kDateBoxes) search_on_return_ << Box(box) << Box(box)->lineEdit();
  for (QWidget* widget : search_on_return_) {
    if (widget != txtXingShi) widget->installEventFilter(this);
  }
  // Alt+F opens 文件 while its caption stays as drawn, without an underlined letter.
  auto* open_file_menu = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_F), this);
  connect(open_file_menu, &QShortcut::activated, this, [this] {
    menuBar()->setActiveAction(mnuFile->menuAction());
  });
}

void QtMainWindow::PressSearch() {
  QMetaObject::invokeMethod(this, [this] { form_->cmdYes_Click(); }, Qt::QueuedConnection);
}

void QtMainWindow::ShowListPopupAtCurrentEntry() {
  const QListWidgetItem* current = lstName->currentItem();
  const QRect row = current != nullptr ? lstName->visualItemRect(current) : QRect();
  const QPoint at = list_viewport_->mapToGlobal(current != nullptr ? row.center() : QPoint(0, 0));
  ShowListPopup({at.x(), at.y()});
}

void QtMainWindow::BuildMenus() {
  auto fill = [this](QMenu* menu, const auto& items) {
    for (const MenuItem& item : items) {
      if (item.handler == nullptr) {
        menu->addSeparator()->setObjectName(QString::fromLatin1(item.name));
        continue;
      }
      QAction* action = menu->addAction(ToQString(item.caption));
      action->setObjectName(QString::fromLatin1(item.name));
      connect(action, &QAction::triggered, this, [this, handler = item.handler] { (form_.get()->*handler)(); });
    }
  };
  mnuFile = menuBar()->addMenu(ToQString(texts::kmnuFile));
  mnuFile->setObjectName(QStringLiteral("mnuFile"));
  fill(mnuFile, kFileMenu);
  // Never in the menu bar: it only pops up over the name list.
  mnulstRight = new QMenu(ToQString(texts::kmnulstRight), this);
  mnulstRight->setObjectName(QStringLiteral("mnulstRight"));
  fill(mnulstRight, kListPopupMenu);
}

QComboBox* QtMainWindow::Box(DateBox box) const {
  switch (box) {
    case DateBox::cboYear: return cboYear;
    case DateBox::cboMonth: return cboMonth;
    case DateBox::cboDay: return cboDay;
    case DateBox::cboHour: return cboHour;
    case DateBox::cboMinute: return cboMinute;
  }
  return cboYear;
}

int QtMainWindow::ListCount() { return lstName->count(); }

bool QtMainWindow::ListSelected(int index) {
  const QListWidgetItem* item = lstName->item(index);
  return item != nullptr && item->isSelected();
}

std::u16string QtMainWindow::ListText(int index) {
  const QListWidgetItem* item = lstName->item(index);
  return item != nullptr ? item->text().toStdU16String() : std::u16string();
}

void QtMainWindow::ListRemove(int index) { delete lstName->takeItem(index); }

void QtMainWindow::ListClear() { lstName->clear(); }

void QtMainWindow::ListAdd(std::u16string_view entry) { lstName->addItem(ToQString(entry)); }

std::u16string QtMainWindow::ListCurrentText() {
  const QListWidgetItem* current = lstName->currentItem();
  return current != nullptr ? current->text().toStdU16String() : std::u16string();
}

std::u16string QtMainWindow::FamilyNameText() { return txtXingShi->text().toStdU16String(); }

int QtMainWindow::FamilyNameCaret() { return txtXingShi->cursorPosition(); }

void QtMainWindow::SetFamilyNameText(std::u16string_view text, int caret) {
  txtXingShi->setText(ToQString(text));
  txtXingShi->setCursorPosition(caret);
}

void QtMainWindow::SelectFamilyName(int start, int length) { txtXingShi->setSelection(start, length); }

std::u16string QtMainWindow::OutText() { return txtOut->toPlainText().replace(kLf, kCrLf).toStdU16String(); }

void QtMainWindow::SetOutText(std::u16string_view text) {
  txtOut->setPlainText(ToQString(text).replace(kCrLf, kLf));
}

void QtMainWindow::SetOutSelection(int start, int length) {
  const QString text = QString::fromStdU16String(OutText());
  // Going to the end first makes the box scroll back up just far enough to show the caret's line at
  // the top, so the reader sees the beginning of what was added.
  QTextCursor cursor = txtOut->textCursor();
  cursor.movePosition(QTextCursor::End);
  txtOut->setTextCursor(cursor);
  cursor.setPosition(BoxPosition(text, start));
  cursor.setPosition(BoxPosition(text, start + length), QTextCursor::KeepAnchor);
  txtOut->setTextCursor(cursor);
  txtOut->ensureCursorVisible();
}

void QtMainWindow::SetOutFontSize(double points) {
  QFont font = txtOut->font();
  font.setPointSizeF(points);
  txtOut->setFont(font);
}

void QtMainWindow::FillDateBox(DateBox box, const std::vector<std::u16string>& entries, std::u16string_view text) {
  QComboBox* combo = Box(box);
  combo->clear();
  for (const std::u16string& entry : entries) combo->addItem(QString::fromStdU16String(entry));
  const QString current = ToQString(text);
  combo->setCurrentIndex(combo->findText(current));
  combo->setEditText(current);
}

std::u16string QtMainWindow::DateBoxText(DateBox box) { return Box(box)->currentText().toStdU16String(); }

bool QtMainWindow::OptionValue(OptionButton option) {
  switch (option) {
    case OptionButton::optOne: return optOne->isChecked();
    case OptionButton::optTwo: return optTwo->isChecked();
    case OptionButton::optMan: return optMan->isChecked();
    case OptionButton::optWoman: return optWoman->isChecked();
  }
  return false;
}

// The window adds the design's chrome to its client area instead of asking the window manager, so
// the layout is the same on every desktop and offscreen.
TwipSize QtMainWindow::OuterSize() {
  return {client_->width() * kTwipsPerPixel + kChromeWidth, client_->height() * kTwipsPerPixel + kChromeHeight};
}

void QtMainWindow::ApplyLayout(const FormLayout& layout) {
  pic->setGeometry(ToPixels(layout.pic));
  Frame1->setGeometry(ToPixels(layout.Frame1));
  Frame2->setGeometry(ToPixels(layout.Frame2));
  Frame3->setGeometry(ToPixels(layout.Frame3));
  Frame4->setGeometry(ToPixels(layout.Frame4));
  cmdYes->setGeometry(ToPixels(layout.cmdYes));
  lstName->setGeometry(ToPixels(layout.lstName));
  txtOut->setGeometry(ToPixels(layout.txtOut));
}

void QtMainWindow::ShowListPopup(ScreenPoint at) { popup_(*mnulstRight, QPoint(at.x, at.y)); }

void QtMainWindow::UnloadWindow() { close(); }

void QtMainWindow::CloseOtherWindows() {
  const QWidgetList windows = QApplication::topLevelWidgets();
  for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
    QWidget* window = *it;
    if (window != this && window->isVisible() && qobject_cast<QMenu*>(window) == nullptr) window->close();
  }
}

void QtMainWindow::closeEvent(QCloseEvent* event) {
  form_->Form_Unload();
  event->accept();
}

bool QtMainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (form_ == nullptr) return QMainWindow::eventFilter(watched, event);
  if (event->type() == QEvent::KeyPress && search_on_return_.contains(watched)) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      PressSearch();
      return true;
    }
  }
  if (watched == lstName) {
    if (event->type() == QEvent::ContextMenu &&
        static_cast<QContextMenuEvent*>(event)->reason() == QContextMenuEvent::Keyboard) {
      ShowListPopupAtCurrentEntry();
      return true;
    }
    const auto* key = event->type() == QEvent::KeyPress ? static_cast<QKeyEvent*>(event) : nullptr;
    if (key != nullptr && key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier) {
      ShowListPopupAtCurrentEntry();
      return true;
    }
  }
  // Tab into a pair of options lands on the chosen one, as a screen reader expects to announce it.
  if (event->type() == QEvent::FocusIn) {
    auto* option = qobject_cast<QRadioButton*>(watched);
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    if (option != nullptr && !option->isChecked() && (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason)) {
      for (QRadioButton* sibling : option->parentWidget()->findChildren<QRadioButton*>()) {
        if (sibling->isChecked()) {
          sibling->setFocus(reason);
          return true;
        }
      }
    }
  }
  // The press itself opened the popup; the context-menu event the mouse brings after it is spent.
  if (watched == list_viewport_ && event->type() == QEvent::ContextMenu) return true;
  if (watched == client_ && event->type() == QEvent::Resize) {
    form_->Form_Resize();
  } else if (watched == txtXingShi && event->type() == QEvent::FocusIn) {
    form_->txtXingShi_GotFocus();
    // A click that brings the focus would place the caret right after this; select again once the
    // click is handled.
    if (static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason) {
      QTimer::singleShot(0, this, [this] { form_->txtXingShi_GotFocus(); });
    }
  } else if (watched == list_viewport_ && event->type() == QEvent::MouseButtonPress) {
    const auto* press = static_cast<QMouseEvent*>(event);
    const QPoint at = press->globalPosition().toPoint();
    const MouseButton button = press->button() == Qt::RightButton  ? MouseButton::Right
                               : press->button() == Qt::LeftButton ? MouseButton::Left
                                                                   : MouseButton::Middle;
    form_->lstName_MouseDown(button, {at.x(), at.y()});
    if (button == MouseButton::Right) return true;
  }
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace app
