#include "catalogue/custom_edit_dialogs.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "engine/string_table.h"
#include "shell/user_notices.h"
#include "stations/custom_location_file.h"
#include "stations/custom_locations.h"

namespace qw {
namespace {

constexpr int kCurrentTitle = 4120;
constexpr int kTideTitle = 4121;

QString Text(int id) { return QString::fromUtf8(StringText(id)); }
QString Q(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }
std::string S(const QString& text) { return text.toUtf8().toStdString(); }

QLineEdit* NumberField(int width, const char* pattern) {
  auto* edit = new QLineEdit;
  edit->setValidator(new QRegularExpressionValidator(QRegularExpression(pattern), edit));
  edit->setMaximumWidth(width);
  return edit;
}

QLineEdit* NameField() {
  auto* edit = new QLineEdit;
  // Bytes are checked on OK (a letter with an accent takes two); this stops runaway typing.
  edit->setMaxLength(static_cast<int>(kCustomNameBytes));
  edit->setMinimumWidth(320);
  return edit;
}

QLabel* ReferenceLabel() {
  auto* label = new QLabel;
  QFont bold = label->font();
  bold.setBold(true);
  label->setFont(bold);
  return label;
}

void ShowProblem(QWidget* parent, const EditProblem& problem) { Tell(parent, Q(problem.caption), Q(problem.text)); }

QHBoxLayout* PositionRow(PositionField* latitude, PositionField* longitude, QPushButton* startWith) {
  auto* row = new QHBoxLayout;
  auto* latLabel = new QLabel("L&atitude:");
  latLabel->setBuddy(latitude->edit());
  auto* lonLabel = new QLabel("Lon&gitude:");
  lonLabel->setBuddy(longitude->edit());
  row->addWidget(latLabel);
  row->addWidget(latitude);
  row->addSpacing(12);
  row->addWidget(lonLabel);
  row->addWidget(longitude);
  row->addStretch();
  row->addWidget(startWith);
  return row;
}

}  // namespace

TimeFields::TimeFields(QWidget* parent) : QWidget(parent) {
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(3);
  sign_ = new QPushButton("+");
  sign_->setCheckable(true);  // checked: minus
  sign_->setFixedWidth(28);
  sign_->setToolTip("Before (-) or after (+) the reference station");
  connect(sign_, &QPushButton::toggled, this, [this](bool minus) { sign_->setText(minus ? "-" : "+"); });
  hours_ = NumberField(36, "[0-9]{0,2}");
  minutes_ = NumberField(36, "[0-9]{0,2}");
  layout->addWidget(sign_);
  layout->addWidget(hours_);
  layout->addWidget(new QLabel(":"));
  layout->addWidget(minutes_);
  layout->addStretch();
}

void TimeFields::Set(const TimeInput& time) {
  sign_->setChecked(time.negative);
  hours_->setText(Q(time.hours));
  minutes_->setText(Q(time.minutes));
}

TimeInput TimeFields::Get() const { return {sign_->isChecked(), S(hours_->text()), S(minutes_->text())}; }

PositionField::PositionField(bool latitude, QWidget* parent) : QWidget(parent), latitude_(latitude) {
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  edit_ = new QLineEdit;
  // Degrees, minutes, hundredths of a minute and the hemisphere letter.
  edit_->setInputMask(latitude ? QString::fromUtf8("00\u00B000.00'>A;_") : QString::fromUtf8("000\u00B000.00'>A;_"));
  edit_->setMaximumWidth(latitude ? 110 : 120);
  layout->addWidget(edit_);
}

void PositionField::Set(const PositionInput& input) {
  edit_->setText(Q(input.degrees + "\u00B0" + input.minutes + "." + input.hundredths + "'" + input.hemisphere));
}

PositionInput PositionField::Get() const {
  // The mask puts each part at a fixed place; displayText keeps the blank places ('_', a
  // blank digit, refused), where text() would drop them and shift the parts.
  const QString text = edit_->displayText();
  const int d = latitude_ ? 2 : 3;
  auto part = [&](int from, int length) { return S(text.mid(from, length)); };
  return {part(0, d), part(d + 1, 2), part(d + 4, 2), part(d + 7, 1)};
}

CustomCurrentEditDialog::CustomCurrentEditDialog(const CurrentLocation& station, StationPicker pick,
                                                 CurrentRecordReader read, QWidget* parent)
    : QDialog(parent), station_(station), pick_(std::move(pick)), read_(std::move(read)) {
  setObjectName("EditCustomCurrentDlgDef");
  setWindowTitle(Text(kCurrentTitle));
  auto* layout = new QVBoxLayout(this);
  auto* top = new QFormLayout;
  name_ = NameField();
  top->addRow("Custom &Name:", name_);
  reference_ = ReferenceLabel();
  top->addRow("Reference Station:", reference_);
  layout->addLayout(top);

  auto* grid = new QGridLayout;
  const char* titles[kCurrentGroups] = {"Min before Flood", "Flood", "Min before Ebb", "Ebb"};
  for (int g = 0; g < kCurrentGroups; ++g) {
    Group& group = groups_[static_cast<size_t>(g)];
    group.box = new QGroupBox(titles[g]);
    group.box->setCheckable(true);  // the use box: its fields are disabled while it is clear
    auto* form = new QFormLayout(group.box);
    group.time = new TimeFields;
    form->addRow("TIME:", group.time);
    group.direction = NumberField(60, "[0-9]{0,3}");
    form->addRow("DIRECTION:", group.direction);
    group.velocity = NumberField(70, "[0-9]{0,2}([.,][0-9]{0,3})?");
    form->addRow("AVG MAX VELOCITY:", group.velocity);
    if (GroupHasRatio(static_cast<CurrentGroup>(g))) {
      group.ratio = NumberField(70, "[0-9]{0,1}([.,][0-9]{0,3})?");
      form->addRow("SPEED RATIO:", group.ratio);
    }
    grid->addWidget(group.box, g / 2, g % 2);
  }
  layout->addLayout(grid);

  latitude_ = new PositionField(true);
  longitude_ = new PositionField(false);
  auto* startWith = new QPushButton("&Start With...");
  startWith->setEnabled(static_cast<bool>(pick_));
  connect(startWith, &QPushButton::clicked, this, &CustomCurrentEditDialog::StartWith);
  layout->addLayout(PositionRow(latitude_, longitude_, startWith));

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &CustomCurrentEditDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &CustomCurrentEditDialog::reject);
  layout->addWidget(buttons);
  Show(station_);
}

void CustomCurrentEditDialog::Show(const CurrentLocation& station) {
  const CurrentEditInput input = CurrentEditInputOf(station);
  name_->setText(Q(input.name));
  reference_->setText(Q(ReferenceLine(station, InstalledReferenceName(StationKind::Current, station.referenceId))));
  for (int g = 0; g < kCurrentGroups; ++g) {
    const Group& group = groups_[static_cast<size_t>(g)];
    const CurrentGroupInput& in = input.groups[static_cast<size_t>(g)];
    group.box->setChecked(in.used);
    group.time->Set(in.time);
    group.direction->setText(Q(in.direction));
    group.velocity->setText(Q(in.velocity));
    if (group.ratio) group.ratio->setText(Q(in.ratio));
  }
  latitude_->Set(input.latitude);
  longitude_->Set(input.longitude);
}

CurrentEditInput CustomCurrentEditDialog::Input() const {
  CurrentEditInput input;
  input.name = S(name_->text());
  for (int g = 0; g < kCurrentGroups; ++g) {
    const Group& group = groups_[static_cast<size_t>(g)];
    CurrentGroupInput& out = input.groups[static_cast<size_t>(g)];
    out.used = group.box->isChecked();
    out.time = group.time->Get();
    out.direction = S(group.direction->text());
    out.velocity = S(group.velocity->text());
    if (group.ratio) out.ratio = S(group.ratio->text());
  }
  input.latitude = latitude_->Get();
  input.longitude = longitude_->Get();
  return input;
}

void CustomCurrentEditDialog::StartWith() {
  if (!pick_ || !read_) return;
  const std::optional<StationRef> chosen = pick_(StationKind::Current, this);
  CurrentLocation record;
  if (!chosen || !read_(*chosen, record)) return;
  CurrentLocation copy = PrepareCurrentTemplate(record);
  copy.stationId = station_.stationId;  // the location keeps its identity
  station_ = copy;
  Show(station_);
}

void CustomCurrentEditDialog::accept() {
  CurrentLocation edited;
  if (const std::optional<EditProblem> problem = CheckCurrentEdit(Input(), station_, edited)) {
    ShowProblem(this, *problem);
    return;
  }
  station_ = edited;
  QDialog::accept();
}

CustomTideEditDialog::CustomTideEditDialog(const TideLocation& station, StationPicker pick, TideRecordReader read,
                                           QWidget* parent)
    : QDialog(parent), station_(station), pick_(std::move(pick)), read_(std::move(read)) {
  setObjectName("EditCustomTideDlgDef");
  setWindowTitle(Text(kTideTitle));
  auto* layout = new QVBoxLayout(this);
  auto* top = new QFormLayout;
  name_ = NameField();
  top->addRow("Custom &Name:", name_);
  reference_ = ReferenceLabel();
  top->addRow("Reference Station:", reference_);
  layout->addLayout(top);

  auto* box = new QGroupBox("Corrections");
  auto* grid = new QGridLayout(box);
  grid->addWidget(new QLabel("<b>High Water</b>"), 0, 1);
  grid->addWidget(new QLabel("<b>Low Water</b>"), 0, 2);
  const char* rows[3] = {"TIME:", "HEIGHT (feet):", "RATIO:"};
  for (int r = 0; r < 3; ++r) {
    grid->addWidget(new QLabel(rows[r]), r + 1, 0);
    for (int side = 0; side < 2; ++side) {
      Cell& cell = cells_[static_cast<size_t>(r * 2 + side)];
      auto* holder = new QWidget;
      auto* line = new QHBoxLayout(holder);
      line->setContentsMargins(0, 0, 0, 0);
      cell.use = new QCheckBox;
      cell.use->setToolTip("Use this correction");
      line->addWidget(cell.use);
      QWidget* field = nullptr;
      if (r == 0) {
        cell.time = new TimeFields;
        field = cell.time;
      } else {
        cell.value = NumberField(80, "[-+]?[0-9]{0,4}([.,][0-9]{0,3})?");
        field = cell.value;
      }
      line->addWidget(field, 1);
      connect(cell.use, &QCheckBox::toggled, field, &QWidget::setEnabled);
      grid->addWidget(holder, r + 1, side + 1);
    }
  }
  layout->addWidget(box);

  latitude_ = new PositionField(true);
  longitude_ = new PositionField(false);
  auto* startWith = new QPushButton("&Start With...");
  startWith->setEnabled(static_cast<bool>(pick_));
  connect(startWith, &QPushButton::clicked, this, &CustomTideEditDialog::StartWith);
  layout->addLayout(PositionRow(latitude_, longitude_, startWith));

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &CustomTideEditDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &CustomTideEditDialog::reject);
  layout->addWidget(buttons);
  Show(station_);
}

void CustomTideEditDialog::Show(const TideLocation& station) {
  const TideEditInput input = TideEditInputOf(station);
  name_->setText(Q(input.name));
  reference_->setText(Q(ReferenceLine(station, InstalledReferenceName(StationKind::Tide, station.referenceId))));
  const TideCorrectionInput* fields[kFields] = {&input.highTime,  &input.lowTime,   &input.highHeight,
                                                &input.lowHeight, &input.highRatio, &input.lowRatio};
  for (int f = 0; f < kFields; ++f) {
    const Cell& cell = cells_[static_cast<size_t>(f)];
    cell.use->setChecked(fields[f]->used);
    if (cell.time) {
      cell.time->Set(fields[f]->time);
      cell.time->setEnabled(fields[f]->used);
    } else {
      cell.value->setText(Q(fields[f]->value));
      cell.value->setEnabled(fields[f]->used);
    }
  }
  latitude_->Set(input.latitude);
  longitude_->Set(input.longitude);
}

TideEditInput CustomTideEditDialog::Input() const {
  TideEditInput input;
  input.name = S(name_->text());
  TideCorrectionInput* fields[kFields] = {&input.highTime,  &input.lowTime,   &input.highHeight,
                                          &input.lowHeight, &input.highRatio, &input.lowRatio};
  for (int f = 0; f < kFields; ++f) {
    const Cell& cell = cells_[static_cast<size_t>(f)];
    fields[f]->used = cell.use->isChecked();
    if (cell.time) {
      fields[f]->time = cell.time->Get();
    } else {
      fields[f]->value = S(cell.value->text());
    }
  }
  input.latitude = latitude_->Get();
  input.longitude = longitude_->Get();
  return input;
}

void CustomTideEditDialog::StartWith() {
  if (!pick_ || !read_) return;
  const std::optional<StationRef> chosen = pick_(StationKind::Tide, this);
  TideLocation record;
  if (!chosen || !read_(*chosen, record)) return;
  TideLocation copy = PrepareTideTemplate(record);
  copy.stationId = station_.stationId;
  station_ = copy;
  Show(station_);
}

void CustomTideEditDialog::accept() {
  TideLocation edited;
  const TideEditResult result = CheckTideEdit(Input(), station_, edited);
  if (result.problem) {
    ShowProblem(this, *result.problem);
    return;
  }
  // Yes ("double check") returns to the dialog without storing.
  for (const EditProblem& question : result.questions) {
    if (Ask(this, Q(question.caption), Q(question.text))) return;
  }
  station_ = edited;
  QDialog::accept();
}

}  // namespace qw
