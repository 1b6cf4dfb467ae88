#include "catalogue/custom_setup_dialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

#include "engine/report.h"
#include "engine/string_table.h"
#include "shell/name_dialog.h"
#include "shell/user_notices.h"
#include "stations/user_files.h"

namespace qw {
namespace {

constexpr int kCloseWindowsQuestion = 4100;
constexpr int kCloseWindowsCaption = 4101;
constexpr int kCurrentTitle = 4102;
constexpr int kCurrentLabel = 4103;
constexpr int kTideTitle = 4104;
constexpr int kTideLabel = 4105;
constexpr int kReadError = 4106;
constexpr int kDataErrorCaption = 4107;
constexpr int kLocationsCount = 4108;
constexpr int kNewLocationTitle = 4109;
constexpr int kNewLocationText = 4110;
constexpr int kFromOpenLocations = 4111;
constexpr int kFromSelectionList = 4112;
constexpr int kSelectOpenTitle = 4113;
constexpr int kSectionTitle = 4114;
constexpr int kSectionLabel = 4115;
constexpr int kConfirmDelete = 4116;
constexpr int kConfirmDeleteCaption = 4117;
constexpr int kCancelQuestion = 4118;
constexpr int kCancelCaption = 4119;
constexpr int kNotSaved = 4160;
constexpr int kReadErrorDetail = 4161;
constexpr int kReferencesChanged = 4162;
constexpr int kReferencesChangedCaption = 4163;
constexpr int kReferenceChangeLine = 4164;
constexpr int kRelinkQuestion = 4165;
constexpr int kRelinkLine = 4166;
constexpr int kRelinkDone = 4167;
constexpr int kAmbiguousReferenceLine = 4168;

QString Text(int id) { return QString::fromUtf8(StringText(id)); }
QString Q(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

std::optional<QString> AskSectionName(const QString& current, QWidget* parent) {
  return AskName(parent, Text(kSectionTitle), Text(kSectionLabel), static_cast<int>(kCustomNameBytes), current);
}

// "Select Location for New Custom Location": a list of the open windows' locations.
std::optional<StationRef> ChooseOpenLocation(const std::vector<OpenCustomTemplate>& open, QWidget* parent) {
  QDialog dialog(parent);
  dialog.setWindowTitle(Text(kSelectOpenTitle));
  auto* layout = new QVBoxLayout(&dialog);
  auto* list = new QListWidget;
  for (const OpenCustomTemplate& location : open) list->addItem(location.title);
  list->setCurrentRow(0);
  layout->addWidget(list);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  QObject::connect(list, &QListWidget::itemDoubleClicked, &dialog, &QDialog::accept);
  layout->addWidget(buttons);
  if (dialog.exec() != QDialog::Accepted || list->currentRow() < 0) return std::nullopt;
  return open[static_cast<size_t>(list->currentRow())].station;
}

}  // namespace

CustomSetupDialog::CustomSetupDialog(StationKind kind, int expectedEntries, const AppSettings& settings,
                                     CustomSetupHost host, QWidget* parent)
    : QDialog(parent), kind_(kind), settings_(settings), host_(std::move(host)), list_(kind) {
  setObjectName("CustomSetupDlgDef");
  setWindowTitle(Text(kind == StationKind::Tide ? kTideTitle : kCurrentTitle));
  editTide_ = [this](TideLocation& station, QWidget* parent) {
    CustomTideEditDialog dialog(station, host_.pickStation, host_.readTide, parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    station = dialog.station();
    return true;
  };
  editCurrent_ = [this](CurrentLocation& station, QWidget* parent) {
    CustomCurrentEditDialog dialog(station, host_.pickStation, host_.readCurrent, parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    station = dialog.station();
    return true;
  };
  nameSection_ = AskSectionName;
  chooseTemplate_ = [this](QWidget*) { return ChooseTemplate(); };
  BuildLayout();

  const CustomReadReport report = list_.Load(expectedEntries);
  if (report.damaged) {
    const QString text = report.keptAs.empty()
                             ? Text(kReadError) + "\n\n(" + Q(report.problem) + ".)"
                             : Q(FormatString(kReadErrorDetail, report.problem.c_str(), report.keptAs.c_str()));
    Tell(parent, Text(kDataErrorCaption), text);
  }
  CheckReferences(parent);
  Refresh(0);
}

CustomSetupDialog::~CustomSetupDialog() = default;

// Locations whose reference station has a new number are re-linked to it with the user's
// OK (a copy of the file is kept); the others, and those the user leaves, are listed.
void CustomSetupDialog::CheckReferences(QWidget* parent) {
  std::vector<ReferenceChange> changes = list_.CheckReferences();
  std::string relinkLines;
  for (const ReferenceChange& change : changes) {
    if (change.relinkTo == 0) continue;
    relinkLines += FormatString(kRelinkLine, change.location.c_str(), change.relinkName.c_str(),
                                static_cast<unsigned>(change.referenceId), static_cast<unsigned>(change.relinkTo));
  }
  if (!relinkLines.empty() &&
      Ask(parent, Text(kReferencesChangedCaption), Q(FormatString(kRelinkQuestion, relinkLines.c_str())))) {
    std::string keptAs, error;
    if (list_.Relink(changes, &keptAs, &error)) {
      std::erase_if(changes, [](const ReferenceChange& change) { return change.relinkTo != 0; });
      if (!keptAs.empty()) Tell(parent, Text(kReferencesChangedCaption), Q(FormatString(kRelinkDone, keptAs.c_str())));
    } else {
      Tell(parent, Text(kDataErrorCaption), Q(FormatString(kNotSaved, error.c_str())));
    }
  }
  if (changes.empty()) return;
  std::string lines;
  for (const ReferenceChange& change : changes) {
    const std::string saved = "\"" + change.savedName + "\"";
    const std::string now = change.nowName.empty() ? std::string("not installed") : "\"" + change.nowName + "\"";
    lines += change.candidates > 1
                 ? FormatString(kAmbiguousReferenceLine, change.location.c_str(), saved.c_str(), now.c_str(),
                                change.candidates)
                 : FormatString(kReferenceChangeLine, change.location.c_str(), saved.c_str(), now.c_str());
  }
  Tell(parent, Text(kReferencesChangedCaption), Q(FormatString(kReferencesChanged, lines.c_str())));
}

void CustomSetupDialog::BuildLayout() {
  auto* layout = new QHBoxLayout(this);
  auto* left = new QVBoxLayout;
  auto* heading = new QHBoxLayout;
  auto* label = new QLabel(Text(kind_ == StationKind::Tide ? kTideLabel : kCurrentLabel));
  heading->addWidget(label);
  heading->addStretch();
  count_ = new QLabel;
  heading->addWidget(count_);
  left->addLayout(heading);
  listWidget_ = new QListWidget;
  listWidget_->setMinimumSize(340, 300);
  label->setBuddy(listWidget_);
  left->addWidget(listWidget_, 1);
  layout->addLayout(left, 1);

  auto* right = new QVBoxLayout;
  auto add = [&](const char* text, void (CustomSetupDialog::*slot)()) {
    auto* button = new QPushButton(text);
    connect(button, &QPushButton::clicked, this, slot);
    right->addWidget(button);
    return button;
  };
  add("Move Entry &Up", &CustomSetupDialog::MoveUp);
  add("Move Entry &Down", &CustomSetupDialog::MoveDown);
  right->addSpacing(10);
  add("New &Location...", &CustomSetupDialog::NewLocation);
  add("New &Section...", &CustomSetupDialog::NewSection);
  add("&Edit...", &CustomSetupDialog::EditEntry);
  add("De&lete", &CustomSetupDialog::DeleteEntry);
  right->addStretch();
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, Qt::Vertical);
  connect(buttons, &QDialogButtonBox::accepted, this, &CustomSetupDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &CustomSetupDialog::reject);
  right->addWidget(buttons);
  layout->addLayout(right);
  connect(listWidget_, &QListWidget::itemDoubleClicked, this, [this] { EditEntry(); });
}

void CustomSetupDialog::Refresh(int select) {
  listWidget_->clear();
  for (int i = 0; i < list_.count(); ++i) {
    auto* item = new QListWidgetItem(Q(list_.Name(i)));
    if (list_.IsSectionAt(i)) {
      QFont bold = item->font();
      bold.setBold(true);
      item->setFont(bold);
    }
    listWidget_->addItem(item);
  }
  count_->setText(countLine());
  Select(select);
}

QString CustomSetupDialog::countLine() const { return Q(FormatString(kLocationsCount, list_.count())); }

int CustomSetupDialog::selected() const { return listWidget_->currentRow(); }

void CustomSetupDialog::Select(int row) {
  if (row >= 0 && row < listWidget_->count()) listWidget_->setCurrentRow(row);
}

void CustomSetupDialog::MoveUp() {
  const int row = selected();
  if (list_.MoveUp(row)) Refresh(row - 1);
}

void CustomSetupDialog::MoveDown() {
  const int row = selected();
  if (list_.MoveDown(row)) Refresh(row + 1);
}

std::optional<StationRef> CustomSetupDialog::ChooseTemplate() {
  const std::vector<OpenCustomTemplate> open =
      host_.openLocations ? host_.openLocations(kind_) : std::vector<OpenCustomTemplate>{};
  QDialog dialog(this);
  dialog.setWindowTitle(Text(kNewLocationTitle));
  auto* layout = new QVBoxLayout(&dialog);
  auto* text = new QLabel(Text(kNewLocationText));
  text->setWordWrap(true);
  text->setMinimumWidth(380);
  layout->addWidget(text);
  auto* fromOpen = new QRadioButton(Text(kFromOpenLocations));
  auto* fromList = new QRadioButton(Text(kFromSelectionList));
  fromOpen->setEnabled(!open.empty());
  (open.empty() ? fromList : fromOpen)->setChecked(true);
  layout->addWidget(fromOpen);
  layout->addWidget(fromList);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  layout->addWidget(buttons);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  if (fromOpen->isChecked()) return ChooseOpenLocation(open, this);
  return host_.pickStation ? host_.pickStation(kind_, this) : std::nullopt;
}

bool CustomSetupDialog::EditLocation(CustomRecord& record) {
  if (kind_ == StationKind::Tide) {
    TideLocation station = DecodeTideEntry(record);
    if (!editTide_(station, this)) return false;
    record = EncodeEntry(station);
  } else {
    CurrentLocation station = DecodeCurrentEntry(record);
    if (!editCurrent_(station, this)) return false;
    record = EncodeEntry(station);
  }
  return true;
}

void CustomSetupDialog::NewLocation() {
  const std::optional<StationRef> chosen = chooseTemplate_(this);
  if (!chosen) return;
  CustomRecord record;
  if (kind_ == StationKind::Tide) {
    TideLocation station;
    if (!host_.readTide || !host_.readTide(*chosen, station)) return;
    record = EncodeEntry(PrepareTideTemplate(station));
  } else {
    CurrentLocation station;
    if (!host_.readCurrent || !host_.readCurrent(*chosen, station)) return;
    record = EncodeEntry(PrepareCurrentTemplate(station));
  }
  if (!EditLocation(record)) return;
  const int at = list_.InsertLocation(selected(), std::move(record));
  if (at >= 0) Refresh(at);
}

void CustomSetupDialog::NewSection() {
  const std::optional<QString> name = nameSection_(QString(), this);
  if (!name) return;
  const std::string text = name->trimmed().toUtf8().toStdString();
  if (const std::string why = NameProblem(text, kCustomNameBytes, "Section names"); !why.empty()) {
    Tell(this, Text(kSectionTitle), Q(why));
    return;
  }
  Refresh(list_.InsertSection(selected(), text));
}

void CustomSetupDialog::EditEntry() {
  const int row = selected();
  if (row < 0 || row >= list_.count()) return;
  if (list_.IsSectionAt(row)) {
    const std::optional<QString> name = nameSection_(Q(list_.Name(row)), this);
    if (!name) return;
    const std::string text = name->trimmed().toUtf8().toStdString();
    if (const std::string why = NameProblem(text, kCustomNameBytes, "Section names"); !why.empty()) {
      Tell(this, Text(kSectionTitle), Q(why));
      return;
    }
    list_.RenameSection(row, text);
  } else {
    CustomRecord record = list_.entry(row);
    if (!EditLocation(record)) return;
    list_.ReplaceLocation(row, std::move(record));
  }
  Refresh(row);
}

void CustomSetupDialog::DeleteEntry() {
  const int row = selected();
  if (row < 0 || row >= list_.count()) return;
  const std::string name = list_.Name(row);
  if (!AskDefaultNo(this, Text(kConfirmDeleteCaption), Q(FormatString(kConfirmDelete, name.c_str())))) return;
  Refresh(list_.Delete(row));
}

void CustomSetupDialog::accept() {
  std::string error;
  if (!list_.Save(&error)) {
    Tell(this, Text(kDataErrorCaption), Q(FormatString(kNotSaved, error.c_str())));
    return;
  }
  entries_ = list_.count();
  QDialog::accept();
}

void CustomSetupDialog::reject() {
  if (list_.changed() && !AskDefaultNo(this, Text(kCancelCaption), Text(kCancelQuestion))) return;
  list_.Cancel();
  entries_ = 0;
  QDialog::reject();
}

void CustomSetupDialog::RunPilot() {
  QDialog dialog(this);
  dialog.setWindowTitle(windowTitle());
  auto* layout = new QVBoxLayout(&dialog);
  auto* text = new QLabel("What would you like to do?");
  layout->addWidget(text);
  auto* location = new QPushButton("Create a new custom &location");
  auto* section = new QPushButton("Create a new &section to organize the list");
  auto* close = new QPushButton("&Close");
  layout->addWidget(location);
  layout->addWidget(section);
  layout->addWidget(close);
  int choice = 0;
  connect(location, &QPushButton::clicked, &dialog, [&] {
    choice = 1;
    dialog.accept();
  });
  connect(section, &QPushButton::clicked, &dialog, [&] {
    choice = 2;
    dialog.accept();
  });
  connect(close, &QPushButton::clicked, &dialog, &QDialog::reject);
  dialog.exec();
  if (choice == 1) NewLocation();
  if (choice == 2) NewSection();
}

int RunCustomLocations(StationKind kind, const AppSettings& settings, const CustomCommandHost& host, QWidget* parent) {
  if (host.customWindowsOpen && host.customWindowsOpen(kind)) {
    if (!Ask(parent, Text(kCloseWindowsCaption), Text(kCloseWindowsQuestion))) return 0;
    if (host.closeCustomWindows) host.closeCustomWindows(kind);
  }
  const int expected = host.customEntryCount ? host.customEntryCount(kind) : -1;
  CustomSetupDialog dialog(kind, expected, settings, host, parent);
  if (settings.programPilot) QTimer::singleShot(0, &dialog, [&dialog] { dialog.RunPilot(); });
  const bool ok = dialog.exec() == QDialog::Accepted;
  if (ok && host.rebuildCatalogue) host.rebuildCatalogue();
  return ok ? dialog.entries() : 0;
}

}  // namespace qw
