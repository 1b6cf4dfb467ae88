#include "shell/user_notices.h"

#include <QApplication>
#include <QMessageBox>

namespace qw {

UserNotices& Notices() {
  static UserNotices notices{
      [](QWidget* parent, const QString& title, const QString& text) {
        QMessageBox::information(parent, title, text);
      },
      [](QWidget* parent, const QString& title, const QString& question) {
        const QMessageBox::StandardButton preselected = Notices().noIsDefault ? QMessageBox::No : QMessageBox::Yes;
        return QMessageBox::question(parent, title, question, QMessageBox::Yes | QMessageBox::No, preselected) ==
               QMessageBox::Yes;
      },
      [] { QApplication::beep(); },
  };
  return notices;
}

}  // namespace qw
