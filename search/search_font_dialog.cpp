#include "search/search_font_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "engine/string_table.h"
#include "search/search_texts.h"

namespace qw {

SearchFontDialog::SearchFontDialog(const QFont& header, const QFont& body, QWidget* parent)
    : QDialog(parent), header_(header), body_(body) {
  setWindowTitle(QString::fromUtf8(StringText(text::kFontDialogTitle)));
  auto* headerButton = new QPushButton(QString::fromUtf8(StringText(text::kHeaderFontButton)), this);
  auto* bodyButton = new QPushButton(QString::fromUtf8(StringText(text::kBodyFontButton)), this);
  save_ = new QCheckBox(QString::fromUtf8(StringText(text::kSaveDefaultFonts)), this);
  auto* fonts = new QHBoxLayout;
  fonts->addWidget(headerButton);
  fonts->addWidget(bodyButton);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fonts);
  layout->addWidget(save_);
  layout->addWidget(buttons);
  connect(headerButton, &QPushButton::clicked, this, [this] {
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, header_, this);
    if (ok) header_ = font;
  });
  connect(bodyButton, &QPushButton::clicked, this, [this] {
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, body_, this);
    if (ok) body_ = font;
  });
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

bool SearchFontDialog::saveAsDefault() const { return save_->isChecked(); }

}  // namespace qw
