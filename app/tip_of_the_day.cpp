#include "app/tip_of_the_day.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace qw {
namespace {

constexpr std::uintmax_t kMaxTipFileBytes = 1u << 20;

}  // namespace

std::vector<std::string> ReadTips(const std::string& path) {
  std::vector<std::string> tips;
  std::error_code error;
  const auto size = std::filesystem::file_size(path, error);
  if (error || size > kMaxTipFileBytes) return tips;
  std::ifstream in(path, std::ios::binary);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const size_t first = line.find_first_not_of(" \t");
    if (first == std::string::npos || line[first] == ';') continue;
    tips.push_back(line.substr(first));
  }
  return tips;
}

TipDialog::TipDialog(std::vector<std::string> tips, int current, bool showAtStartup, QWidget* parent)
    : QDialog(parent), tips_(std::move(tips)) {
  setWindowTitle("Tip of the Day");
  auto* layout = new QVBoxLayout(this);
  auto* heading = new QLabel("<b>Did you know...</b>");
  layout->addWidget(heading);
  text_ = new QLabel;
  text_->setWordWrap(true);
  text_->setMinimumSize(380, 80);
  text_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  layout->addWidget(text_, 1);
  startup_ = new QCheckBox("&Show tips at startup");
  startup_->setChecked(showAtStartup);
  layout->addWidget(startup_);
  auto* buttons = new QDialogButtonBox;
  QPushButton* next = buttons->addButton("&Next Tip", QDialogButtonBox::ActionRole);
  buttons->addButton(QDialogButtonBox::Close);
  layout->addWidget(buttons);
  connect(next, &QPushButton::clicked, this, &TipDialog::Show);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::accept);
  const int count = static_cast<int>(tips_.size());
  current_ = count > 0 ? ((current % count) + count) % count : 0;
  Show();
}

void TipDialog::Show() {
  if (tips_.empty()) return;
  text_->setText(QString::fromStdString(tips_[static_cast<size_t>(current_)]));
  current_ = (current_ + 1) % static_cast<int>(tips_.size());
}

bool TipDialog::showAtStartup() const { return startup_->isChecked(); }

}  // namespace qw
