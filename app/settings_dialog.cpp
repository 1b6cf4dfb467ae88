#include "app/settings_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDoubleValidator>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "engine/report.h"
#include "engine/string_table.h"
#include "present/color_ref.h"
#include "present/font_setting.h"
#include "settings/color_schemes.h"
#include "settings/settings_store.h"
#include "settings/typed_number.h"

namespace qw {
namespace {

constexpr const char* kColorNames[7] = {"Daylight",         "Night time",      "Normal bars",
                                        "Above high range", "Below low range", "Grid",
                                        "Range lines"};
constexpr ColorRef ColorScheme::*kColorFields[7] = {
    &ColorScheme::dayLight,       &ColorScheme::nightTime, &ColorScheme::normalBar,
    &ColorScheme::aboveHighRange, &ColorScheme::belowLowRange, &ColorScheme::grid,
    &ColorScheme::rangeLine};
constexpr int kTableIntervals[] = {1, 2, 5, 6, 10, 12, 15, 20, 30, 60};

QButtonGroup* Choices(QWidget* parent, QLayout* layout, std::initializer_list<std::pair<const char*, int>> items,
                      int checked) {
  auto* group = new QButtonGroup(parent);
  for (const auto& [text, id] : items) {
    auto* button = new QRadioButton(text);
    group->addButton(button, id);
    layout->addWidget(button);
    button->setChecked(id == checked);
  }
  return group;
}

QCheckBox* Check(const char* text, bool on) {
  auto* box = new QCheckBox(text);
  box->setChecked(on);
  return box;
}

// A user-defined line value as typed: hundredths shown with two decimals, whole
// centimetres as they are, in the system locale ("1,50" in German) as they are read.
QString RangeText(int32_t value, bool centimetres) {
  return centimetres ? QString::number(value) : TypedNumberLocale().toString(value / 100.0, 'f', 2);
}

QLineEdit* NumberBox(const QString& text) {
  auto* box = new QLineEdit(text);
  auto* validator = new QDoubleValidator(box);
  validator->setLocale(TypedNumberLocale());
  box->setValidator(validator);
  box->setMaximumWidth(70);
  return box;
}

// The hundredths (or whole centimetres) of a typed line value; 0 for an empty box.
int32_t TypedRangeValue(const QLineEdit* box, bool centimetres) {
  return UserRangeValue(ReadTypedNumber(box->text()).value_or(0.0), centimetres);
}

void SelectData(QComboBox* box, int value) {
  const int index = box->findData(value);
  box->setCurrentIndex(index < 0 ? 0 : index);
}

void ShowSwatch(QPushButton* button, ColorRef color) {
  QPixmap swatch(40, 16);
  swatch.fill(ToQColor(color));
  button->setIcon(QIcon(swatch));
  button->setIconSize(swatch.size());
}

}  // namespace

SettingsDialog::SettingsDialog(const AppSettings& settings, ProfileFile& file, QWidget* parent)
    : QDialog(parent), edited_(settings), file_(file) {
  setWindowTitle("Configure");
  auto* layout = new QVBoxLayout(this);
  tabs_ = new QTabWidget;
  tabs_->addTab(BuildGeneral(), "General");
  tabs_->addTab(BuildGraphing(), "Graphing");
  colorsPage_ = tabs_->addTab(BuildColors(), "Colors");
  tabs_->addTab(BuildStartup(), "Startup");
  layout->addWidget(tabs_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &SettingsDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(tabs_, &QTabWidget::currentChanged, this, [this](int page) {
    if (previousPage_ == colorsPage_ && page != colorsPage_ && !OfferToSaveColors()) {
      QSignalBlocker block(tabs_);
      tabs_->setCurrentIndex(colorsPage_);
      return;
    }
    previousPage_ = page;
  });
}

QWidget* SettingsDialog::BuildGeneral() {
  auto* page = new QWidget;
  auto* layout = new QGridLayout(page);

  auto* clockBox = new QGroupBox("Time Format");
  auto* clockLayout = new QVBoxLayout(clockBox);
  clock_ = Choices(this, clockLayout, {{"&12 Hour Clock", 2}, {"2&4 Hour Clock", 1}},
                   static_cast<int>(edited_.timeType));
  layout->addWidget(clockBox, 0, 0);

  auto* tideBox = new QGroupBox("Tide Heights");
  auto* tideLayout = new QVBoxLayout(tideBox);
  tideUnit_ = Choices(this, tideLayout, {{"&Feet", 1}, {"&Centimeters", 2}, {"&Meters", 4}},
                      static_cast<int>(edited_.tideUnit));
  layout->addWidget(tideBox, 0, 1);

  auto* currentBox = new QGroupBox("Current Speeds");
  auto* currentLayout = new QVBoxLayout(currentBox);
  currentUnit_ = Choices(this, currentLayout, {{"&Knots", 1}, {"Meters per &second", 2}},
                         static_cast<int>(edited_.currentUnit));
  layout->addWidget(currentBox, 0, 2);

  auto* options = new QVBoxLayout;
  // On: every station keeps its own clock (its time zone's daylight saving); off: every
  // station shows its standard time all year.
  daylight_ = Check("Daylight saving &time: each station's own clock", edited_.daylightSavings);
  daylight_->setToolTip("On: times follow each station's own clock, daylight saving included, changing at the "
                        "moment the clocks change there.\nOff: every station shows its standard time all year.");
  dateInTitle_ = Check("Show the &date in window titles", edited_.dateInWinTitle);
  prevNextAll_ = Check("&Previous/Next day and month change all open windows", edited_.prevNextWorksOnAll);
  pilot_ = Check("Show Program P&ilot prompts", edited_.programPilot);
  closeBeforeOpen_ = Check("C&lose open windows before opening a group", edited_.closeBeforeOpen != 0);
  for (QCheckBox* box : {daylight_, dateInTitle_, prevNextAll_, pilot_, closeBeforeOpen_}) options->addWidget(box);
  auto* mathRow = new QFormLayout;
  math_ = new QComboBox;
  math_->addItem("Floating point", 'f');
  math_->addItem("Integer (cosine table)", 'i');
  math_->setCurrentIndex(edited_.mathType == 'f' ? 0 : 1);
  mathRow->addRow("Prediction &arithmetic:", math_);
  options->addLayout(mathRow);
  options->addStretch();
  layout->addLayout(options, 1, 0, 1, 3);
  return page;
}

QWidget* SettingsDialog::BuildGraphing() {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);

  auto* drawing = new QFormLayout;
  style_ = new QComboBox;
  style_->addItem("Bars", static_cast<int>(GraphStyle::Bars));
  style_->addItem("Filled", static_cast<int>(GraphStyle::Filled));
  style_->addItem("Smooth", static_cast<int>(GraphStyle::Smooth));
  SelectData(style_, static_cast<int>(edited_.graphStyle));
  drawing->addRow("Graph &style:", style_);
  auto* grids = new QHBoxLayout;
  grid_ = Check("&Grid on the day graph", edited_.grid);
  weeklyGrid_ = Check("Grid on the &weekly view", edited_.weeklyGrid);
  grids->addWidget(grid_);
  grids->addWidget(weeklyGrid_);
  nowLine_ = Check("&Now line on today's graph", edited_.nowLine);
  grids->addWidget(nowLine_);
  drawing->addRow(grids);
  fontButton_ = new QPushButton;
  auto showFont = [this] {
    fontButton_->setText(QString("%1, %2 pt").arg(QString::fromStdString(edited_.tideFont.faceName))
                             .arg(FontFromSetting(edited_.tideFont).pointSizeF(), 0, 'f', 1));
  };
  showFont();
  connect(fontButton_, &QPushButton::clicked, this, [this, showFont] {
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, FontFromSetting(edited_.tideFont), this, "Window Font");
    if (!ok) return;
    edited_.tideFont = SettingFromFont(font, edited_.tideFont);
    showFont();
  });
  drawing->addRow("Window &font:", fontButton_);
  layout->addLayout(drawing);

  auto* ranges = new QGroupBox("Range Lines");
  auto* grid = new QGridLayout(ranges);
  highLine_ = Check("&High range line", edited_.highRangeLine);
  lowLine_ = Check("&Low range line", edited_.lowRangeLine);
  grid->addWidget(new QLabel("Line"), 0, 0);
  grid->addWidget(new QLabel("Tides"), 0, 1);
  grid->addWidget(new QLabel("Value"), 0, 2);
  grid->addWidget(new QLabel("Label"), 0, 3);
  grid->addWidget(highLine_, 1, 0);
  grid->addWidget(lowLine_, 2, 0);
  const bool cm = edited_.tideUnit == TideUnit::Centimetres;
  auto row = [&](int r, QComboBox*& choice, std::initializer_list<std::pair<const char*, int>> items, int code,
                 QLineEdit*& value, int32_t stored, bool wholeUnits, QLineEdit*& label, const std::string& text,
                 int column) {
    choice = new QComboBox;
    for (const auto& [name, id] : items) choice->addItem(name, id);
    SelectData(choice, code);
    value = NumberBox(RangeText(stored, wholeUnits));
    label = new QLineEdit(QString::fromStdString(text));
    label->setMaxLength(19);
    label->setMaximumWidth(110);
    grid->addWidget(choice, r, column);
    grid->addWidget(value, r, column + 1);
    grid->addWidget(label, r, column + 2);
  };
  row(1, tideHigh_, {{"MHHW / MHWS", kTideHighMhhw}, {"Mean tide", kTideHighMeanTide}, {"User defined", kTideHighUser}},
      edited_.tideRanges.highRange, tideHighValue_, edited_.tideRanges.highHeight, cm, tideHighLabel_,
      edited_.tideRanges.highLabel, 1);
  row(2, tideLow_, {{"MLLW (0 ft)", kTideLowDatum}, {"User defined", kTideLowUser}}, edited_.tideRanges.lowRange,
      tideLowValue_, edited_.tideRanges.lowHeight, cm, tideLowLabel_, edited_.tideRanges.lowLabel, 1);
  grid->addWidget(new QLabel("Currents"), 0, 4);
  grid->addWidget(new QLabel("Value"), 0, 5);
  grid->addWidget(new QLabel("Label"), 0, 6);
  row(1, currentHigh_, {{"Avg max flood", kCurrentHighMaxFlood}, {"User defined", kCurrentHighUser}},
      edited_.currentRanges.highRange, currentHighValue_, edited_.currentRanges.highHeight, false,
      currentHighLabel_, edited_.currentRanges.highLabel, 4);
  row(2, currentLow_, {{"Avg max ebb", kCurrentLowMaxEbb}, {"User defined", kCurrentLowUser}},
      edited_.currentRanges.lowRange, currentLowValue_, edited_.currentRanges.lowHeight, false, currentLowLabel_,
      edited_.currentRanges.lowLabel, 4);
  layout->addWidget(ranges);

  auto* misc = new QFormLayout;
  auto* slackRow = new QHBoxLayout;
  userSlack_ = Check("Use my &slack value (knots):", edited_.useUserSlack);
  slackValue_ = NumberBox(TypedNumberLocale().toString(edited_.userSlackKnots, 'f', 2));
  slackValue_->setObjectName("slackValue");
  slackRow->addWidget(userSlack_);
  slackRow->addWidget(slackValue_);
  slackRow->addStretch();
  misc->addRow(slackRow);
  tableInterval_ = new QComboBox;
  for (int minutes : kTableIntervals) tableInterval_->addItem(QString("%1 minutes").arg(minutes), minutes);
  if (tableInterval_->findData(edited_.tableInterval) < 0) {
    tableInterval_->addItem(QString("%1 minutes").arg(edited_.tableInterval), edited_.tableInterval);
  }
  SelectData(tableInterval_, edited_.tableInterval);
  misc->addRow("&Table interval:", tableInterval_);
  auto* defaults = new QHBoxLayout;
  infoOn_ = Check("&Information areas", edited_.defaultInfoOn);
  weeklyOn_ = Check("Wee&kly view", edited_.defaultWeeklyOn);
  tableOn_ = Check("Ta&ble", edited_.defaultTableOn);
  defaults->addWidget(infoOn_);
  defaults->addWidget(weeklyOn_);
  defaults->addWidget(tableOn_);
  misc->addRow("New windows show:", defaults);
  layout->addLayout(misc);
  layout->addStretch();
  return page;
}

QWidget* SettingsDialog::BuildColors() {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  auto* top = new QHBoxLayout;
  schemes_ = new QComboBox;
  auto* schemeLabel = new QLabel("Color &scheme:");
  schemeLabel->setBuddy(schemes_);
  top->addWidget(schemeLabel);
  top->addWidget(schemes_, 1);
  auto* saveAs = new QPushButton("Save &As...");
  auto* remove = new QPushButton("&Delete");
  top->addWidget(saveAs);
  top->addWidget(remove);
  layout->addLayout(top);
  auto* grid = new QGridLayout;
  for (int i = 0; i < 7; ++i) {
    colorButtons_[static_cast<size_t>(i)] = new QPushButton("Change...");
    grid->addWidget(new QLabel(kColorNames[i]), i, 0);
    grid->addWidget(colorButtons_[static_cast<size_t>(i)], i, 1);
    connect(colorButtons_[static_cast<size_t>(i)], &QPushButton::clicked, this, [this, i] { PickColor(i); });
  }
  layout->addLayout(grid);
  layout->addStretch();

  FillSchemeList();
  schemeNumber_ = std::clamp(edited_.selectedSchemeIndex, 1, std::max(1, edited_.numColorSchemes));
  scheme_ = edited_.colors;
  {
    QSignalBlocker block(schemes_);
    schemes_->setCurrentIndex(schemeNumber_ - 1);
  }
  ShowColors();
  connect(schemes_, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (index < 0 || index + 1 == schemeNumber_) return;
    if (!OfferToSaveColors()) {
      QSignalBlocker block(schemes_);
      schemes_->setCurrentIndex(schemeNumber_ - 1);
      return;
    }
    LoadScheme(index + 1);
  });
  connect(saveAs, &QPushButton::clicked, this, &SettingsDialog::SaveSchemeAs);
  connect(remove, &QPushButton::clicked, this, &SettingsDialog::DeleteScheme);
  return page;
}

QWidget* SettingsDialog::BuildStartup() {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  welcome_ = Check("Show the &welcome dialog at start", edited_.showWelcome);
  caution_ = Check("Show the &caution at start", edited_.showCaution);
  autoOpen_ = Check("&Reopen the windows that were open at the last exit", edited_.autoOpen);
  layout->addWidget(welcome_);
  layout->addWidget(caution_);
  layout->addWidget(autoOpen_);
  auto* form = new QFormLayout;
  startSize_ = new QComboBox;
  startSize_->addItem("Minimized", 0);
  startSize_->addItem("At the size it had last time", 1);
  startSize_->addItem("Maximized", 3);
  SelectData(startSize_, edited_.startupWinSize);
  form->addRow("Main window &opens:", startSize_);
  layout->addLayout(form);
  layout->addStretch();
  return page;
}

void SettingsDialog::FillSchemeList() {
  QSignalBlocker block(schemes_);
  schemes_->clear();
  for (const std::string& name : ColorSchemeNames(file_, edited_)) schemes_->addItem(QString::fromStdString(name));
}

void SettingsDialog::LoadScheme(int number) {
  schemeNumber_ = number;
  scheme_ = ReadColorScheme(file_, number);
  edited_.selectedSchemeIndex = number;
  edited_.colors = scheme_;
  colorsChanged_ = false;
  {
    QSignalBlocker block(schemes_);
    schemes_->setCurrentIndex(number - 1);
  }
  ShowColors();
}

void SettingsDialog::ShowColors() {
  for (size_t i = 0; i < 7; ++i) ShowSwatch(colorButtons_[i], scheme_.*kColorFields[i]);
}

void SettingsDialog::PickColor(int which) {
  ColorRef& field = scheme_.*kColorFields[which];
  const QColor color = QColorDialog::getColor(ToQColor(field), this, kColorNames[which]);
  if (!color.isValid() || ToColorRef(color) == field) return;
  field = ToColorRef(color);
  colorsChanged_ = true;
  ShowColors();
}

void SettingsDialog::SaveSchemeAs() {
  bool ok = false;
  const QString name = QInputDialog::getText(this, "Save Color Scheme", "Scheme &name:", QLineEdit::Normal,
                                             QString::fromStdString(scheme_.name), &ok);
  if (!ok) return;
  if (name.isEmpty()) {
    QMessageBox::warning(this, "Scheme Name Error", "Invalid scheme name.  You can not the leave the name blank.");
    return;
  }
  ColorScheme named = scheme_;
  named.name = name.left(40).toStdString();
  int number = 0;
  if (SaveColorSchemeAs(file_, edited_, named, &number) != SchemeEditResult::Saved) {
    QMessageBox::warning(this, "Save Color Scheme Error", "Invalid or missing scheme name.  Unable to save new scheme.");
    return;
  }
  schemesTouched_ = true;
  file_.Save();
  FillSchemeList();
  LoadScheme(number);
}

void SettingsDialog::DeleteScheme() {
  if (edited_.numColorSchemes <= 1) {
    QMessageBox::warning(this, kProductName, StringText(2801));
    return;
  }
  const QString question = QString("Are you sure you want to delete \"%1\" color scheme?")
                               .arg(QString::fromStdString(ReadColorScheme(file_, schemeNumber_).name));
  if (QMessageBox::question(this, "Confirm Delete", question, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) !=
      QMessageBox::Yes) {
    return;
  }
  DeleteColorScheme(file_, edited_, schemeNumber_);
  schemesTouched_ = true;
  file_.Save();
  FillSchemeList();
  LoadScheme(1);
}

bool SettingsDialog::OfferToSaveColors() {
  if (!colorsChanged_) return true;
  const auto answer = QMessageBox::question(
      this, "Save Color Changes", "One or more color settings have changed. Do you want to save the new settings?",
      QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
  if (answer == QMessageBox::Cancel) return false;
  if (answer == QMessageBox::Yes) {
    WriteColorScheme(file_, schemeNumber_, scheme_);
    schemesTouched_ = true;
    file_.Save();
    edited_.colors = scheme_;
  } else {
    scheme_ = ReadColorScheme(file_, schemeNumber_);
    edited_.colors = scheme_;
    ShowColors();
  }
  colorsChanged_ = false;
  return true;
}

void SettingsDialog::Collect() {
  edited_.timeType = static_cast<TimeType>(clock_->checkedId());
  edited_.tideUnit = static_cast<TideUnit>(tideUnit_->checkedId());
  edited_.currentUnit = static_cast<CurrentUnit>(currentUnit_->checkedId());
  edited_.daylightSavings = daylight_->isChecked();
  edited_.dateInWinTitle = dateInTitle_->isChecked();
  edited_.prevNextWorksOnAll = prevNextAll_->isChecked();
  edited_.programPilot = pilot_->isChecked();
  edited_.closeBeforeOpen = closeBeforeOpen_->isChecked() ? 1 : 0;
  edited_.mathType = static_cast<char>(math_->currentData().toInt());

  edited_.graphStyle = static_cast<GraphStyle>(style_->currentData().toInt());
  edited_.grid = grid_->isChecked();
  edited_.weeklyGrid = weeklyGrid_->isChecked();
  edited_.nowLine = nowLine_->isChecked();
  edited_.highRangeLine = highLine_->isChecked();
  edited_.lowRangeLine = lowLine_->isChecked();
  // Typed values are in the units chosen on the General page.
  const bool cm = edited_.tideUnit == TideUnit::Centimetres;
  auto collect = [](RangeSettings& r, QComboBox* high, QComboBox* low, QLineEdit* highValue, QLineEdit* lowValue,
                    QLineEdit* highLabel, QLineEdit* lowLabel, bool wholeUnits) {
    r.highRange = high->currentData().toInt();
    r.lowRange = low->currentData().toInt();
    r.highHeight = TypedRangeValue(highValue, wholeUnits);
    r.lowHeight = TypedRangeValue(lowValue, wholeUnits);
    r.highLabel = highLabel->text().left(19).toStdString();
    r.lowLabel = lowLabel->text().left(19).toStdString();
  };
  collect(edited_.tideRanges, tideHigh_, tideLow_, tideHighValue_, tideLowValue_, tideHighLabel_, tideLowLabel_, cm);
  collect(edited_.currentRanges, currentHigh_, currentLow_, currentHighValue_, currentLowValue_, currentHighLabel_,
          currentLowLabel_, false);
  edited_.useUserSlack = userSlack_->isChecked();
  // An empty or unreadable box is an invalid slack value when it is used (refused on OK),
  // and leaves the value as it was when it is not.
  edited_.userSlackKnots = ReadTypedNumber(slackValue_->text()).value_or(edited_.useUserSlack ? -1.0 : edited_.userSlackKnots);
  edited_.tableInterval = tableInterval_->currentData().toInt();
  edited_.defaultInfoOn = infoOn_->isChecked();
  edited_.defaultWeeklyOn = weeklyOn_->isChecked();
  edited_.defaultTableOn = tableOn_->isChecked();

  edited_.showWelcome = welcome_->isChecked();
  edited_.showCaution = caution_->isChecked();
  edited_.autoOpen = autoOpen_->isChecked();
  edited_.startupWinSize = startSize_->currentData().toInt();
}

void SettingsDialog::accept() {
  if (!OfferToSaveColors()) return;
  // A user-defined line that is switched on needs its value: an empty box is refused,
  // not read as 0.
  struct UserLine {
    QCheckBox* on;
    QComboBox* choice;
    int userCode;
    QLineEdit* value;
  };
  const UserLine userLines[] = {{highLine_, tideHigh_, kTideHighUser, tideHighValue_},
                                {lowLine_, tideLow_, kTideLowUser, tideLowValue_},
                                {highLine_, currentHigh_, kCurrentHighUser, currentHighValue_},
                                {lowLine_, currentLow_, kCurrentLowUser, currentLowValue_}};
  for (const UserLine& line : userLines) {
    if (line.on->isChecked() && line.choice->currentData().toInt() == line.userCode &&
        !ReadTypedNumber(line.value->text())) {
      QMessageBox::warning(this, kProductName, QString::fromStdString(FormatString(4173, "User defined")));
      line.value->setFocus();
      return;
    }
  }
  const AppSettings before = edited_;
  Collect();
  if (edited_.useUserSlack && !IsValidSlackValue(edited_.userSlackKnots)) {
    QMessageBox::warning(this, "Invalid Slack Value",
                         "Invalid slack value entered. Value must be between 0.10 and 0.60. Value will be reset to "
                         "program default of 0.1.");
    edited_.userSlackKnots = 0.1;
    slackValue_->setText(TypedNumberLocale().toString(0.1, 'f', 2));
  }
  for (int message : SwitchOffUserLinesOnUnitChange(before, edited_)) {
    QMessageBox::information(this, kProductName, StringText(message));
  }
  QDialog::accept();
}

bool RunSettingsDialog(AppSettings& settings, ProfileFile& file, QWidget* parent) {
  SettingsDialog dialog(settings, file, parent);
  const bool accepted = dialog.exec() == QDialog::Accepted;
  if (accepted) {
    // Only the dialog's own fields: the rest may have changed while it was open.
    ApplySettingsDialogFields(dialog.edited(), settings);
  } else if (dialog.schemesChanged()) {
    // Scheme edits are in the file already; keep the settings in step with it.
    settings.numColorSchemes = dialog.edited().numColorSchemes;
    settings.selectedSchemeIndex = dialog.edited().selectedSchemeIndex;
    settings.colors = dialog.edited().colors;
  }
  return accepted;
}

}  // namespace qw
