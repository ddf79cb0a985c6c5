// SPDX-License-Identifier: MIT
#include "app/qt/qt_desktop.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QMessageBox>
#include <QSettings>
#include <QUrl>

#include "app/form_texts.h"

namespace app {
namespace {

QString ToQString(std::u16string_view text) {
  return QStringView(text.data(), static_cast<qsizetype>(text.size())).toString();
}

int ShowBox(QMessageBox::Icon icon, std::u16string_view title, std::u16string_view text,
            QMessageBox::StandardButtons buttons) {
  QMessageBox box(icon, ToQString(title), ToQString(text), buttons, QApplication::activeWindow());
  const std::pair<QMessageBox::StandardButton, std::u16string_view> captions[] = {
      {QMessageBox::Yes, texts::kButtonYes}, {QMessageBox::No, texts::kButtonNo}, {QMessageBox::Ok, texts::kButtonOk}};
  for (const auto& [button, caption] : captions) {
    if (QAbstractButton* shown = box.button(button)) shown->setText(ToQString(caption));
  }
  return box.exec();
}

}  // namespace

void QtDesktop::ShowMessage(std::u16string_view text, MessageIcon icon, std::u16string_view title) {
  const QMessageBox::Icon kind = icon == MessageIcon::Critical      ? QMessageBox::Critical
                                 : icon == MessageIcon::Information ? QMessageBox::Information
                                                                    : QMessageBox::NoIcon;
  ShowBox(kind, title, text, QMessageBox::Ok);
}

bool QtDesktop::AskYesNo(std::u16string_view text, std::u16string_view title) {
  return ShowBox(QMessageBox::NoIcon, title, text, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

// The application name serves as organisation too, so the file is ~/.config/<application>/<application>.conf.
void QtDesktop::SaveSetting(std::u16string_view application, std::u16string_view section, std::u16string_view key,
                            std::u16string_view value) {
  QSettings settings(ToQString(application), ToQString(application));
  settings.beginGroup(ToQString(section));
  settings.setValue(ToQString(key), ToQString(value));
  settings.endGroup();
}

LocalDateTime QtDesktop::Now() {
  const QDateTime now = QDateTime::currentDateTime();
  return {now.date().year(), now.date().month(), now.date().day(),
          now.time().hour(), now.time().minute(), now.time().second()};
}

bool QtDesktop::OpenAddress(std::u16string_view address) {
  return QDesktopServices::openUrl(QUrl(ToQString(address)));
}

std::u16string QtDesktop::ProgramFolder() {
  return QDir::toNativeSeparators(QCoreApplication::applicationDirPath()).toStdU16String();
}

}  // namespace app
