#include "app/desktop_seams.h"

#include <QApplication>
#include <QDesktopServices>
#include <QMenu>
#include <QMessageBox>
#include <QUrl>

#include "app/form_texts.h"

namespace app {
namespace {

QString AppTitle() { return QString::fromStdU16String(std::u16string(texts::kAppTitle)); }

int ShowBox(QMessageBox::Icon icon, const QString& title, const QString& text,
            QMessageBox::StandardButtons buttons) {
  QMessageBox box(icon, title, text, buttons, QApplication::activeWindow());
  return box.exec();
}

}  // namespace

void QtMessageBoxes::Information(const QString& text) {
  ShowBox(QMessageBox::Information, AppTitle(), text, QMessageBox::Ok);
}

void QtMessageBoxes::Critical(const QString& text, const QString& title) {
  ShowBox(QMessageBox::Critical, title, text, QMessageBox::Ok);
}

bool QtMessageBoxes::AskYesNo(const QString& text) {
  return ShowBox(QMessageBox::NoIcon, AppTitle(), text, QMessageBox::Yes | QMessageBox::No) ==
         QMessageBox::Yes;
}

bool DesktopUrlOpener::Open(const QString& address) {
  return QDesktopServices::openUrl(QUrl(address));
}

void ExecPopupMenu::Show(QMenu& menu, const QPoint& global_position) { menu.exec(global_position); }

}  // namespace app
