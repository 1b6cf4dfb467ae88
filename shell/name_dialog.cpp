#include "shell/name_dialog.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace qw {

std::optional<QString> AskName(QWidget* parent, const QString& title, const QString& label, int maxLength,
                               const QString& initial) {
  QDialog dialog(parent);
  dialog.setWindowTitle(title);
  auto* layout = new QVBoxLayout(&dialog);
  auto* caption = new QLabel(label);
  auto* edit = new QLineEdit(initial);
  edit->setMaxLength(maxLength);
  caption->setBuddy(edit);
  layout->addWidget(caption);
  layout->addWidget(edit);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  layout->addWidget(buttons);
  dialog.resize(380, dialog.sizeHint().height());
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return edit->text();
}

}  // namespace qw
