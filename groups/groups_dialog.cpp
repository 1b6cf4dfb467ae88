#include "groups/groups_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include "engine/string_table.h"
#include "groups/group_list_model.h"
#include "shell/name_dialog.h"
#include "shell/user_notices.h"

namespace qw {
namespace {

constexpr int kGroupsTitle = 9100;
constexpr int kGroupDefinitions = 9101;
constexpr int kTip = 9102;
constexpr int kCreateTitle = 9103;
constexpr int kGroupNameLabel = 9104;
constexpr int kUpdateTitle = 9105;
constexpr int kGroupToUpdate = 9106;
constexpr int kTidesRow = 9108;
constexpr int kCurrentsRow = 9109;
constexpr int kGroupsDefined = 9110;
constexpr int kInformation = 9112;
constexpr int kNothingToUpdate = 9113;
constexpr int kNothingToDelete = 9114;
constexpr int kConfirmDelete = 9115;
constexpr int kDeleteTitle = 9116;
constexpr int kNothingToOpen = 9117;
constexpr int kStationGone = 9123;

QString Text(int id) { return QString::fromUtf8(StringText(id)); }

// Location rows drawn indented below their group, with a line joining them to it.
class GroupRowDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  static constexpr int kIndent = 28;

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    if (index.data(GroupListModel::IsGroupRole).toBool()) {
      QStyledItemDelegate::paint(painter, option, index);
      return;
    }
    QStyleOptionViewItem indented = option;
    indented.rect.setLeft(option.rect.left() + kIndent);
    QStyledItemDelegate::paint(painter, indented, index);
    painter->save();
    painter->setPen(QPen(option.palette.color(QPalette::Mid), 1, Qt::DotLine));
    const int x = option.rect.left() + kIndent / 2 - 2;
    const int y = option.rect.center().y();
    painter->drawLine(x, option.rect.top(), x, y);
    painter->drawLine(x, y, option.rect.left() + kIndent - 3, y);
    painter->restore();
  }
};

std::optional<QString> AskGroupName(QWidget* parent) {
  return AskName(parent, Text(kCreateTitle), Text(kGroupNameLabel), static_cast<int>(kMaxGroupNameBytes));
}

std::optional<GroupWriteMode> AskUpdateMode(QWidget* parent, const QString& group) {
  QDialog dialog(parent);
  dialog.setWindowTitle(Text(kUpdateTitle));
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(new QLabel(Text(kGroupToUpdate)));
  auto* name = new QLabel(group);
  QFont bold = name->font();
  bold.setBold(true);
  name->setFont(bold);
  layout->addWidget(name);
  auto* add = new QRadioButton("&Add new open locations to group");
  auto* replace = new QRadioButton("&Replace group with open locations");
  add->setChecked(true);
  layout->addWidget(add);
  layout->addWidget(replace);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  layout->addWidget(buttons);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return add->isChecked() ? GroupWriteMode::Add : GroupWriteMode::Replace;
}

}  // namespace

QString GroupLocationText(const OpenWindowEntry& entry, const CatalogueDirectory& catalogue) {
  const std::vector<OpenWindowEntry> resolved = ResolveOpenWindows({entry}, catalogue);
  const int form = entry.station.kind == StationKind::Tide ? kTidesRow : kCurrentsRow;
  const std::string region = catalogue.RegionName(entry.station.kind, entry.station.regionSlot);
  const std::string name = resolved.empty() ? StringText(kStationGone) : catalogue.StationName(resolved[0].station);
  return QString::fromStdString(FormatString(form, name.c_str(), region.c_str()));
}

GroupsDialog::GroupsDialog(GroupStore& store, const CatalogueDirectory& catalogue, AppSettings& settings,
                           GroupsHost host, QWidget* parent)
    : QDialog(parent),
      store_(store),
      catalogue_(catalogue),
      settings_(settings),
      host_(std::move(host)),
      askName_(AskGroupName),
      askUpdate_(AskUpdateMode) {
  setObjectName("GroupsDlgDef");
  setWindowTitle(Text(kGroupsTitle));
  BuildLayout();
  closeFirst_->setChecked(settings_.closeBeforeOpen != 0);
  Reload();
}

GroupsDialog::~GroupsDialog() = default;

void GroupsDialog::Run(const QString& path, const CatalogueDirectory& catalogue, AppSettings& settings,
                       GroupsHost host, QWidget* parent) {
  GroupStore store(path.toStdString());
  std::string problem;
  if (!store.Load(&problem)) Tell(parent, Text(kInformation), QString::fromStdString(problem));
  GroupsDialog dialog(store, catalogue, settings, std::move(host), parent);
  dialog.exec();
}

void GroupsDialog::BuildLayout() {
  auto* layout = new QHBoxLayout(this);
  auto* left = new QVBoxLayout;
  auto* heading = new QHBoxLayout;
  auto* label = new QLabel(Text(kGroupDefinitions));
  heading->addWidget(label);
  heading->addStretch();
  count_ = new QLabel;
  heading->addWidget(count_);
  left->addLayout(heading);
  model_ = new GroupListModel(this);
  list_ = new QListView;
  list_->setModel(model_);
  list_->setItemDelegate(new GroupRowDelegate(list_));
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setMinimumSize(380, 260);
  label->setBuddy(list_);
  left->addWidget(list_, 1);
  auto* tip = new QLabel(Text(kTip));
  tip->setWordWrap(true);
  left->addWidget(tip);
  layout->addLayout(left, 1);

  auto* right = new QVBoxLayout;
  create_ = new QPushButton("Create &Group");
  update_ = new QPushButton("&Update Group");
  delete_ = new QPushButton("&Delete Group");
  closeFirst_ = new QCheckBox("Close &all open windows before opening group");
  closeFirst_->setStyleSheet("QCheckBox { padding-top: 12px; }");
  open_ = new QPushButton("&Open Group");
  done_ = new QPushButton("Do&ne");
  done_->setDefault(true);
  for (QWidget* widget : {static_cast<QWidget*>(create_), static_cast<QWidget*>(update_),
                          static_cast<QWidget*>(delete_)}) {
    right->addWidget(widget);
  }
  auto* openBox = new QGroupBox;
  auto* openLayout = new QVBoxLayout(openBox);
  openLayout->addWidget(closeFirst_);
  openLayout->addWidget(open_);
  right->addWidget(openBox);
  right->addStretch();
  right->addWidget(done_);
  layout->addLayout(right);

  connect(create_, &QPushButton::clicked, this, &GroupsDialog::CreateGroup);
  connect(update_, &QPushButton::clicked, this, &GroupsDialog::UpdateGroup);
  connect(delete_, &QPushButton::clicked, this, &GroupsDialog::DeleteGroup);
  connect(open_, &QPushButton::clicked, this, &GroupsDialog::OpenGroup);
  connect(done_, &QPushButton::clicked, this, &GroupsDialog::Done);
  connect(list_, &QListView::doubleClicked, this, [this](const QModelIndex& index) { Activate(index.row()); });
}

void GroupsDialog::Reload() {
  const std::vector<std::string> names = store_.Names();
  std::vector<int> counts;
  for (const std::string& name : names) counts.push_back(store_.LocationCount(name));
  model_->SetGroups(names, counts);
  UpdateButtons();
}

void GroupsDialog::UpdateButtons() {
  const bool any = model_->rowCount() > 0;
  update_->setEnabled(any);
  delete_->setEnabled(any);
  open_->setEnabled(any);
  count_->setText(countLine());
}

QString GroupsDialog::countLine() const {
  return QString::fromStdString(FormatString(kGroupsDefined, model_->GroupCount()));
}

void GroupsDialog::SelectRow(int row) {
  if (row < 0 || row >= model_->rowCount()) {
    list_->clearSelection();
    return;
  }
  list_->setCurrentIndex(model_->index(row));
}

int GroupsDialog::selectedRow() const {
  const QModelIndexList selected = list_->selectionModel()->selectedIndexes();
  return selected.isEmpty() ? -1 : selected.first().row();
}

int GroupsDialog::SelectedGroup(int messageId) {
  const int group = model_->GroupRowOf(selectedRow());
  if (group < 0) Tell(this, Text(kInformation), Text(messageId));
  return group;
}

std::vector<OpenWindowEntry> GroupsDialog::OpenWindowLines() const {
  return host_.openWindows ? host_.openWindows() : std::vector<OpenWindowEntry>{};
}

void GroupsDialog::ShowSaveProblem(const std::string& error) {
  Tell(this, Text(kInformation), QString::fromStdString(error));
}

void GroupsDialog::ExpandGroup(int groupRow) {
  std::vector<OpenWindowEntry> lines = store_.Locations(model_->GroupName(groupRow));
  std::vector<GroupListModel::Location> locations;
  for (auto it = lines.rbegin(); it != lines.rend(); ++it) locations.push_back({*it, GroupLocationText(*it, catalogue_)});
  model_->Expand(groupRow, locations);
}

void GroupsDialog::CreateGroup() {
  const std::optional<QString> typed = askName_(this);
  if (!typed) return;
  const std::string name = TrimGroupName(typed->toStdString());
  if (const std::string problem = store_.NameProblem(name); !problem.empty()) {
    Tell(this, Text(kInformation), QString::fromStdString(problem));
    return;
  }
  std::string error;
  if (!store_.WriteGroup(name, OpenWindowLines(), GroupWriteMode::Replace, &error)) {
    ShowSaveProblem(error);
    return;
  }
  const int row = model_->AddGroup(name, store_.LocationCount(name));
  SelectRow(row);
  UpdateButtons();
}

void GroupsDialog::UpdateGroup() {
  const int group = SelectedGroup(kNothingToUpdate);
  if (group < 0) return;
  const std::string name = model_->GroupName(group);
  const std::optional<GroupWriteMode> mode = askUpdate_(this, QString::fromStdString(name));
  if (!mode) return;
  std::string error;
  if (!store_.WriteGroup(name, OpenWindowLines(), *mode, &error)) {
    ShowSaveProblem(error);
    return;
  }
  model_->SetCount(group, store_.LocationCount(name));
  if (model_->IsExpanded(group)) {
    model_->Collapse(group);
    ExpandGroup(group);
  }
  SelectRow(group);
}

void GroupsDialog::DeleteGroup() {
  const int group = SelectedGroup(kNothingToDelete);
  if (group < 0) return;
  const std::string name = model_->GroupName(group);
  if (!Ask(this, Text(kDeleteTitle), QString::fromStdString(FormatString(kConfirmDelete, name.c_str())))) return;
  std::string error;
  if (!store_.DeleteGroup(name, &error)) {
    ShowSaveProblem(error);
    return;
  }
  model_->RemoveGroup(group);
  SelectRow(std::min(group, model_->rowCount() - 1));
  UpdateButtons();
}

void GroupsDialog::Finish() {
  settings_.closeBeforeOpen = closeFirst_->isChecked() ? 1 : 0;
  std::string error;
  if (!store_.SaveIndex(model_->GroupNames(), &error)) ShowSaveProblem(error);
}

void GroupsDialog::OpenGroup() {
  Finish();
  const int group = SelectedGroup(kNothingToOpen);
  if (group < 0) return;
  const std::vector<OpenWindowEntry> lines = store_.Locations(model_->GroupName(group));
  if (closeFirst_->isChecked() && host_.closeAll) host_.closeAll();
  if (host_.reopen) host_.reopen(ResolveOpenWindows(lines, catalogue_));
  accept();
}

void GroupsDialog::Done() {
  Finish();
  accept();
}

void GroupsDialog::reject() { Done(); }

void GroupsDialog::Activate(int row) {
  if (model_->IsGroup(row)) {
    if (model_->IsExpanded(row)) {
      model_->Collapse(row);
    } else {
      ExpandGroup(row);
    }
    SelectRow(row);
    return;
  }
  const OpenWindowEntry* entry = model_->LocationAt(row);
  if (!entry) return;
  const std::vector<OpenWindowEntry> resolved = ResolveOpenWindows({*entry}, catalogue_);
  if (resolved.empty()) return;  // the row already says the station is gone
  Finish();
  if (host_.openStation) host_.openStation(resolved[0].station);
  accept();
}

}  // namespace qw
