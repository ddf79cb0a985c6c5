// SPDX-License-Identifier: MIT
#pragma once
// The Qt front end of frmName: the widgets, menus and events of the window on Linux. What the
// window does is frmName's; this class only supplies the controls and passes the events on.

#include <QMainWindow>
#include <QPoint>
#include <QString>

#include <functional>
#include <memory>

#include "app/main_window.h"

class QComboBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QRadioButton;
class QToolButton;

namespace app {

// Shows the list's popup menu at a global position and returns once it is closed; tests replace
// it so no menu blocks them.
using PopupShower = std::function<void(QMenu& menu, const QPoint& global_position)>;

class QtMainWindow final : public QMainWindow, public FormControls {
  Q_OBJECT

 public:
  QtMainWindow(Desktop& desktop, chart::Calendar& calendar, PopupShower popup = {}, QWidget* parent = nullptr);
  ~QtMainWindow() override;

  frmName& Form() { return *form_; }

  int ListCount() override;
  bool ListSelected(int index) override;
  std::u16string ListText(int index) override;
  void ListRemove(int index) override;
  void ListClear() override;
  void ListAdd(std::u16string_view entry) override;
  std::u16string ListCurrentText() override;
  std::u16string FamilyNameText() override;
  int FamilyNameCaret() override;
  void SetFamilyNameText(std::u16string_view text, int caret) override;
  void SelectFamilyName(int start, int length) override;
  std::u16string OutText() override;
  void SetOutText(std::u16string_view text) override;
  void SetOutSelection(int start, int length) override;
  void SetOutFontSize(double points) override;
  void FillDateBox(DateBox box, const std::vector<std::u16string>& entries, std::u16string_view text) override;
  std::u16string DateBoxText(DateBox box) override;
  bool OptionValue(OptionButton option) override;
  TwipSize OuterSize() override;
  void ApplyLayout(const FormLayout& layout) override;
  void ShowListPopup(ScreenPoint at) override;
  void UnloadWindow() override;
  void CloseOtherWindows() override;

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildControls();
  void BuildMenus();
  void BuildKeyboard();
  // Runs the search from the event loop, so whoever pressed the button (a click, a key, an
  // accessibility action) gets control back before the search's message box opens.
  void PressSearch();
  void ShowListPopupAtCurrentEntry();
  QComboBox* Box(DateBox box) const;

  PopupShower popup_;
  std::unique_ptr<frmName> form_;

  // Filtered objects, compared by address only: events arrive while the controls are being made.
  QWidget* client_ = nullptr;
  QWidget* list_viewport_ = nullptr;
  // Return or Enter in these starts the search, as on the window's default button.
  QList<QWidget*> search_on_return_;
  QWidget* pic = nullptr;
  QGroupBox* Frame1 = nullptr;
  QGroupBox* Frame2 = nullptr;
  QGroupBox* Frame3 = nullptr;
  QGroupBox* Frame4 = nullptr;
  QLineEdit* txtXingShi = nullptr;
  QRadioButton* optOne = nullptr;
  QRadioButton* optTwo = nullptr;
  QRadioButton* optMan = nullptr;
  QRadioButton* optWoman = nullptr;
  QComboBox* cboYear = nullptr;
  QComboBox* cboMonth = nullptr;
  QComboBox* cboDay = nullptr;
  QComboBox* cboHour = nullptr;
  QComboBox* cboMinute = nullptr;
  QToolButton* cmdYes = nullptr;
  QListWidget* lstName = nullptr;
  QPlainTextEdit* txtOut = nullptr;
  QMenu* mnuFile = nullptr;
  QMenu* mnulstRight = nullptr;
};

}  // namespace app
