#pragma once
// The program's only window, frmName: the inputs and the search button in a strip at the top, the
// list of proposed names on the left, the output box on the right. The window wires the name
// search, the birth chart, the five-grid report and the collection of chosen names to its controls;
// the numerology and the calendar live in the naming and chart libraries.

#include <QMainWindow>
#include <QString>

#include "app/layout.h"
#include "app/ui_seams.h"

class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QRadioButton;
class QToolButton;

namespace chart {
struct BirthInput;
}

namespace app {

// The maker's web site, offered after a search, opened from the menu and on every close.
inline constexpr char kMakerWebSite[] = "https://www.example.com/";

class frmName : public QMainWindow {
  Q_OBJECT

 public:
  explicit frmName(FormServices services, QWidget* parent = nullptr);
  ~frmName() override;

  // The output box's text as the program writes it, every line break CR LF.
  QString OutText() const;
  // The collection: the latest birth-chart report and the names collected since.
  const QString& CollectionText() const { return ShouCangText; }
  // Where the output box's caret stands in OutText().
  qsizetype OutSelectionStart() const;
  // The layout the window last applied.
  const FormLayout& CurrentLayout() const { return layout_; }

  void Form_Load();
  void Form_Resize();
  void Form_Unload();
  void cmdYes_Click();
  void lstName_MouseDown(Qt::MouseButton button, const QPoint& global_position);
  void mnuFileSave_Click();
  void mnuListRightSave_Click();
  void mnuFileDelName_Click();
  void mnulstRightDel_Click();
  void mnuFileNameWuGe_Click();
  void mnuRightNameWuGe_Click();
  void mnuRegNet_Click();
  void mnuFileExit_Click();
  void txtXingShi_GotFocus();

  void GenerateNames();
  void ShowBaZi();
  void OpenWebSite(const QString& address);

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildControls();
  void BuildMenus();
  chart::BirthInput BirthInputFromBoxes() const;
  void SetOutText(const QString& text);
  void AppendOutText(const QString& text);
  void PutCaret(qsizetype position);

  FormServices services_;
  FormLayout layout_;
  QString ShouCangText;

  // Filtered objects, compared by address only: events arrive while the controls are being made.
  QWidget* client_ = nullptr;
  QWidget* list_viewport_ = nullptr;
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
