#include "app/user_notices.h"

#include <QApplication>
#include <QMessageBox>

namespace qw {

UserNotices& Notices() {
  static UserNotices notices{
      [](QWidget* parent, const QString& title, const QString& text) {
        QMessageBox::information(parent, title, text);
      },
      [](QWidget* parent, const QString& title, const QString& question) {
        return QMessageBox::question(parent, title, question, QMessageBox::Yes | QMessageBox::No,
                                     QMessageBox::Yes) == QMessageBox::Yes;
      },
      [] { QApplication::beep(); },
  };
  return notices;
}

}  // namespace qw
