#include "export/save_table.h"

#include <QApplication>
#include <QButtonGroup>
#include <QClipboard>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "engine/string_table.h"
#include "export/export_texts.h"
#include "export/output_file.h"
#include "export/status_box.h"
#include "search/event_search_dialog.h"

namespace qw {
namespace {

QString Text(int id) { return QString::fromUtf8(StringText(id)); }

// The options of the table saves of this run of the program.
SaveTableOptions& RunOptions() {
  static SaveTableOptions options = [] {
    SaveTableOptions o;
    // The user's home folder: on this system the program's own folder is not the user's.
    o.fileName = QDir::home().filePath("QWDATA.").toStdString();
    return o;
  }();
  return options;
}

void ShowFormatted(QWidget* parent, const std::string& message, int caption) {
  QMessageBox::warning(parent, Text(caption), QString::fromStdString(message));
}

}  // namespace

SaveTableDialog::SaveTableDialog(const SaveTableOptions& options, QWidget* parent)
    : QDialog(parent), options_(options) {
  setWindowTitle(Text(text::kSaveTableTitle));
  toClipboard_ = new QRadioButton(Text(text::kSaveToClipboard), this);
  toFile_ = new QRadioButton(Text(text::kSaveToFile), this);
  toFile_->setObjectName("toFile");
  auto* destination = new QButtonGroup(this);
  destination->addButton(toClipboard_);
  destination->addButton(toFile_);
  (options.toClipboard ? toClipboard_ : toFile_)->setChecked(true);
  file_ = new QLineEdit(QString::fromStdString(options.fileName), this);
  file_->setObjectName("file");
  browse_ = new QPushButton(Text(text::kBrowseButton), this);
  dif_ = new QRadioButton(Text(text::kDifChoice), this);
  dif_->setObjectName("dif");
  sylk_ = new QRadioButton(Text(text::kSylkChoice), this);
  sylk_->setObjectName("sylk");
  ascii_ = new QRadioButton(Text(text::kAsciiChoice), this);
  auto* format = new QButtonGroup(this);
  for (QRadioButton* b : {dif_, sylk_, ascii_}) format->addButton(b);
  (options.format == SaveFormat::Dif ? dif_ : options.format == SaveFormat::Sylk ? sylk_ : ascii_)->setChecked(true);
  fieldDelimiter_ = new QComboBox(this);
  recordDelimiter_ = new QComboBox(this);
  for (int i = 0; i < kDelimiterCount; ++i) {
    fieldDelimiter_->addItem(DelimiterName(i));
    recordDelimiter_->addItem(DelimiterName(i));
  }
  fieldDelimiter_->setCurrentIndex(options.fieldDelimiter);
  recordDelimiter_->setCurrentIndex(options.recordDelimiter);

  auto* where = new QGroupBox(this);
  auto* whereLayout = new QFormLayout(where);
  whereLayout->addRow(toClipboard_);
  auto* fileRow = new QHBoxLayout;
  fileRow->addWidget(file_, 1);
  fileRow->addWidget(browse_);
  whereLayout->addRow(toFile_, fileRow);
  auto* how = new QGroupBox(this);
  auto* howLayout = new QFormLayout(how);
  howLayout->addRow(dif_);
  howLayout->addRow(sylk_);
  howLayout->addRow(ascii_);
  howLayout->addRow(Text(text::kFieldDelimiterLabel), fieldDelimiter_);
  howLayout->addRow(Text(text::kRecordDelimiterLabel), recordDelimiter_);
  auto* tip = new QGroupBox(Text(text::kProgramTip), this);
  auto* tipLayout = new QVBoxLayout(tip);
  auto* tipText = new QLabel(Text(text::kSaveTableTip), tip);
  tipText->setWordWrap(true);
  tipLayout->addWidget(tipText);
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(Text(text::kOkButton), QDialogButtonBox::AcceptRole);
  buttons->addButton(QDialogButtonBox::Cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(where);
  layout->addWidget(how);
  layout->addWidget(tip);
  layout->addWidget(buttons);
  resize(520, sizeHint().height());

  for (QRadioButton* b : {toClipboard_, toFile_}) connect(b, &QRadioButton::toggled, this, &SaveTableDialog::UpdateEnabled);
  for (QRadioButton* b : {dif_, sylk_, ascii_}) connect(b, &QRadioButton::toggled, this, &SaveTableDialog::FormatChanged);
  connect(browse_, &QPushButton::clicked, this, &SaveTableDialog::Browse);
  connect(buttons, &QDialogButtonBox::accepted, this, &SaveTableDialog::Confirm);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  FormatChanged();
}

SaveFormat SaveTableDialog::Format() const {
  return dif_->isChecked() ? SaveFormat::Dif : sylk_->isChecked() ? SaveFormat::Sylk : SaveFormat::Ascii;
}

void SaveTableDialog::FormatChanged() {
  file_->setText(QString::fromStdString(WithSaveExtension(file_->text().toStdString(), Format())));
  UpdateEnabled();
}

void SaveTableDialog::UpdateEnabled() {
  file_->setEnabled(toFile_->isChecked());
  browse_->setEnabled(toFile_->isChecked());
  fieldDelimiter_->setEnabled(ascii_->isChecked());
  recordDelimiter_->setEnabled(ascii_->isChecked());
}

void SaveTableDialog::Browse() {
  const QString filters = Text(text::kAllFilesFilter) + " (*);;" + Text(text::kDifFilter) + " (*.DIF *.dif);;" +
                          Text(text::kSylkFilter) + " (*.SLK *.slk);;" + Text(text::kAsciiFilter) + " (*.TXT *.txt)";
  const QString name = QFileDialog::getSaveFileName(this, Text(text::kSaveBrowseTitle), file_->text(), filters,
                                                    nullptr, QFileDialog::DontConfirmOverwrite);
  if (!name.isEmpty()) file_->setText(name);
}

void SaveTableDialog::Confirm() {
  if (toFile_->isChecked()) {
    if (file_->text().trimmed().isEmpty()) {
      ShowTableMessage(this, text::kMissingFileName, text::kMissingFileNameCaption);
      return;
    }
    if (QFileInfo::exists(file_->text()) &&
        QMessageBox::question(this, Text(text::kFileExistsCaption), Text(text::kSaveFileExists),
                              QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes) {
      return;
    }
  }
  options_.toClipboard = toClipboard_->isChecked();
  options_.format = Format();
  options_.fieldDelimiter = fieldDelimiter_->currentIndex();
  options_.recordDelimiter = recordDelimiter_->currentIndex();
  options_.fileName = file_->text().toStdString();
  accept();
}

void PutOnClipboard(const std::string& bytes, SaveFormat format) {
  auto* data = new QMimeData;
  const QByteArray raw(bytes.data(), static_cast<qsizetype>(bytes.size()));
  if (format == SaveFormat::Dif) data->setData("application/x-openoffice-dif;windows_formatname=\"DIF\"", raw);
  if (format == SaveFormat::Sylk) data->setData("application/x-openoffice-sylk;windows_formatname=\"Sylk\"", raw);
  data->setText(QString::fromUtf8(raw));
  QGuiApplication::clipboard()->setMimeData(data);
}

void SaveResultsTable(ResultsWindow& window, QWidget* parent) {
  SaveTableDialog dialog(RunOptions(), parent);
  if (dialog.exec() != QDialog::Accepted) return;
  const SaveTableOptions options = dialog.options();
  RunOptions() = options;

  const ResultsTable& table = window.table();
  const std::vector<int> widths = window.ColumnWidthsInCharacters();
  if (options.format == SaveFormat::Ascii) {
    int value = 0;
    switch (CheckAsciiLimits(table, widths, value)) {
      case AsciiLimit::TooManyColumns:
        ShowFormatted(parent, FormatString(text::kTooManyColumns, value), text::kLimitsErrorCaption);
        return;
      case AsciiLimit::WidthsTooLarge:
        ShowFormatted(parent, FormatString(text::kFieldWidthsTooLarge, value), text::kLimitsErrorCaption);
        return;
      default: break;
    }
  }

  AtomicOutputFile file;
  ClipboardTempFile temporary;
  ByteSink* out = nullptr;
  if (options.toClipboard ? temporary.Open() : file.Open(options.fileName)) {
    out = options.toClipboard ? static_cast<ByteSink*>(&temporary) : &file;
  } else {
    const std::string name = options.toClipboard ? std::string("tempexp") : options.fileName;
    ShowFormatted(parent, FormatString(text::kFailedToCreateFile, name.c_str()), text::kFileCreateErrorCaption);
    return;
  }

  StatusBox status(Text(text::kSaveStatusTitle), false, parent);
  status.Status(1, StringText(text::kSavingData));
  status.show();
  QApplication::setOverrideCursor(Qt::WaitCursor);
  status.Pump();
  bool written = false;
  switch (options.format) {
    case SaveFormat::Dif: written = WriteDif(table, table.TableTitle(), *out, status); break;
    case SaveFormat::Sylk: written = WriteSylk(table, widths, *out, status); break;
    default:
      written = WriteAscii(table, table.TableTitle(), widths, DelimiterText(options.fieldDelimiter),
                           DelimiterText(options.recordDelimiter), *out, status);
      break;
  }
  std::string clipboard;
  std::string error;
  if (written) written = options.toClipboard ? temporary.ReadBack(clipboard) : file.Commit(&error);
  QApplication::restoreOverrideCursor();
  status.hide();
  if (!written) {
    const std::string name = options.toClipboard ? std::string("tempexp") : options.fileName;
    ShowFormatted(parent, FormatString(text::kFailedToCreateFile, name.c_str()), text::kFileCreateErrorCaption);
    return;
  }
  if (options.toClipboard) PutOnClipboard(clipboard, options.format);
}

}  // namespace qw
