#include "windows/tide_window.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QScrollBar>

#include "app/catalogue_directory.h"
#include "app/font_setting.h"
#include "engine/report.h"
#include "engine/string_table.h"
#include "windows/display_units.h"
#include "windows/moon_picture.h"

namespace qw {
namespace {

// Screen pixels (96 per inch) to the device's pixels.
double DeviceFactor(const QPaintDevice* device) { return device ? device->logicalDpiY() / 96.0 : 1.0; }

const QColor kHighColor(0, 0, 128);   // dark blue
const QColor kLowColor(128, 0, 0);    // dark red
const QColor kAreaBackground(250, 250, 252);
const QColor kAreaBorder(170, 175, 185);
const QColor kNoticeColor(255, 255, 192);

QString Text(const std::string& text) { return QString::fromStdString(text); }

QString LongDate(const DateRecord& date) {
  static const char* const kDays[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
  static const char* const kMonths[] = {"January", "February", "March",     "April",   "May",      "June",
                                        "July",    "August",   "September", "October", "November", "December"};
  return QString("%1, %2 %3, %4").arg(kDays[date.weekday % 7], kMonths[(date.month + 11) % 12]).arg(date.day).arg(date.year);
}

void DrawArea(QPainter& painter, const QRect& area, double factor) {
  painter.setPen(QPen(kAreaBorder, std::max(1.0, factor)));
  painter.setBrush(kAreaBackground);
  painter.drawRect(area);
}

}  // namespace

TideWindow::TideWindow(const StationRef& ref, const TideLocation& station, const AppSettings& settings,
                       EngineMinute day, const ViewSwitches& switches, QWidget* parent)
    : LocationWindow(parent), ref_(ref), station_(station), settings_(settings), switches_(switches) {
  setObjectName("TideChildClass");
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMinimumSize(320, 240);
  const TideLocation copy = station_;
  model_ = new MinuteTableModel([copy](EngineMinute minute) { return TideHeightAt(copy, minute); },
                                [this](int32_t value) { return Text(TableHeightText(value, settings_.tideUnit)); },
                                "Height", this);
  table_ = new QTableView(this);
  table_->setModel(model_);
  table_->verticalHeader()->hide();
  table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  table_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  table_->setWordWrap(false);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setVisible(false);
  day_.day = day - day % kMinutesPerDay;
  Recompute();
  model_->Reset(day_.day, settings_.tableInterval, settings_.timeType);
  if (switches_.weekly) RecomputeWeek();
}

QString TideWindow::locationName() const { return QString::fromUtf8(station_.name); }

QString TideWindow::title() const {
  if (!settings_.dateInWinTitle) return locationName();
  return QString("%1 - %2/%3/%4").arg(locationName()).arg(day_.date.month).arg(day_.date.day).arg(day_.date.year);
}

bool TideWindow::position(double& latitude, double& longitude) const {
  return TideLocationPosition(station_, latitude, longitude);
}

void TideWindow::Recompute() {
  TideDayParts parts;
  parts.curve = settings_.graphStyle != GraphStyle::Bars;
  day_ = ComputeTideDay(station_, day_.day, parts);
  view_ = PresentTideDay(station_, day_, settings_);
  graphFailed_ = view_.notice != TideNotice::NoCorrections && view_.notice != TideNotice::NotPredictable &&
                 !DayGraphScale(view_.graph).has_value();
  if (graphFailed_) ReportEngineError(2600, StringText(2600));
  weekValid_ = false;
}

void TideWindow::RecomputeWeek() {
  TideDayParts parts;
  parts.curve = false;
  parts.moon = false;
  int32_t low = 0, high = 0;
  for (size_t i = 0; i < week_.size(); ++i) {
    const TideDay day = ComputeTideDay(station_, day_.day + static_cast<EngineMinute>(i) * kMinutesPerDay, parts);
    TidePresentation shown = PresentTideDay(station_, day, settings_);
    static const char* const kDays[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
    week_[i].label = QString("%1 %2/%3").arg(QString(kDays[day.date.weekday % 7]).left(3)).arg(day.date.month)
                         .arg(day.date.day).toStdString();
    week_[i].graph = shown.graph;
    low = std::min(low, shown.graph.minimum);
    high = std::max(high, shown.graph.maximum);
  }
  // One scale for the whole week, so the days compare at a glance.
  for (WeekDay& day : week_) {
    day.graph.minimum = low;
    day.graph.maximum = high;
  }
  weekValid_ = true;
}

void TideWindow::SetDay(EngineMinute day) {
  day_.day = day - day % kMinutesPerDay;
  noticeDismissed_ = false;
  Recompute();
  if (switches_.weekly) RecomputeWeek();
  model_->Reset(day_.day, settings_.tableInterval, settings_.timeType);
  update();
  emit titleChanged();
}

void TideWindow::SettingsChanged() {
  Recompute();
  if (switches_.weekly) RecomputeWeek();
  model_->Reset(day_.day, settings_.tableInterval, settings_.timeType);
  PlaceTable();
  update();
  emit titleChanged();
}

void TideWindow::SetInfoShown(bool shown) {
  switches_.info = shown;
  PlaceTable();
  update();
}

void TideWindow::SetWeeklyShown(bool shown) {
  switches_.weekly = shown;
  if (shown && !weekValid_) RecomputeWeek();
  PlaceTable();
  update();
}

bool TideWindow::SetTableShown(bool shown) {
  if (shown) {
    const Areas areas = Layout(rect(), this, true);
    if (areas.table.height() < 120 || areas.graph.width() < 160) {
      QMessageBox::information(this, kProductName, StringText(2502));
      return false;
    }
  }
  switches_.table = shown;
  PlaceTable();
  update();
  return true;
}

TideWindow::Areas TideWindow::Layout(const QRect& target, const QPaintDevice* device, bool withTable) const {
  const double f = DeviceFactor(device);
  const QFont font = FontFromSetting(settings_.tideFont);
  const int line = QFontMetrics(font, const_cast<QPaintDevice*>(device)).lineSpacing();
  const int margin = static_cast<int>(6 * f);
  Areas a;
  QRect free = target.adjusted(margin, margin, -margin, -margin);
  a.title = QRect(free.left(), free.top(), free.width(), 3 * line + margin);
  free.setTop(a.title.bottom() + margin);
  if (withTable) {
    const int width = std::min(static_cast<int>(200 * f), free.width() / 2);
    a.table = QRect(free.right() - width + 1, free.top(), width, free.height());
    free.setRight(a.table.left() - margin);
  }
  if (switches_.info) {
    const int skyLines = static_cast<int>(view_.sun.size() + view_.moon.size()) + 3;
    const int lines = std::max({static_cast<int>(view_.events.size()) + 1, 4, skyLines});
    const int height = lines * line + 2 * margin;
    const int w = free.width();
    const int eventsWidth = w * 35 / 100, averagesWidth = w * 27 / 100;
    a.events = QRect(free.left(), free.top(), eventsWidth - margin, height);
    a.averages = QRect(a.events.right() + margin, free.top(), averagesWidth - margin, height);
    a.sky = QRect(a.averages.right() + margin, free.top(), free.right() - a.averages.right() - margin, height);
    free.setTop(a.events.bottom() + margin);
  }
  if (switches_.weekly) {
    a.weekly = QRect(free.left(), free.top(), free.width(), std::max(static_cast<int>(110 * f), 3 * line));
    free.setTop(a.weekly.bottom() + margin);
  }
  a.graph = free;
  return a;
}

void TideWindow::PlaceTable() {
  if (!switches_.table) {
    table_->hide();
    return;
  }
  const QFont font = FontFromSetting(settings_.tideFont);
  table_->setFont(font);
  table_->verticalHeader()->setMinimumSectionSize(1);
  table_->verticalHeader()->setDefaultSectionSize(QFontMetrics(font).lineSpacing() + 4);
  table_->setGeometry(Layout(rect(), this, true).table);
  table_->show();
}

void TideWindow::resizeEvent(QResizeEvent* event) {
  LocationWindow::resizeEvent(event);
  PlaceTable();
}

void TideWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().window());
  const Areas areas = Layout(rect(), this, switches_.table);
  DrawTitle(painter, areas.title);
  if (switches_.info) {
    DrawEvents(painter, areas.events);
    DrawAverages(painter, areas.averages);
    DrawSky(painter, areas.sky);
  }
  if (switches_.weekly) DrawWeekly(painter, areas.weekly);
  DrawGraph(painter, areas.graph);
}

void TideWindow::Render(QPainter& painter, const QRect& target) {
  painter.save();
  painter.fillRect(target, Qt::white);
  const Areas areas = Layout(target, painter.device(), switches_.table);
  DrawTitle(painter, areas.title);
  if (switches_.info) {
    DrawEvents(painter, areas.events);
    DrawAverages(painter, areas.averages);
    DrawSky(painter, areas.sky);
  }
  if (switches_.weekly) DrawWeekly(painter, areas.weekly);
  DrawGraph(painter, areas.graph);
  if (switches_.table) DrawTableRows(painter, areas.table);
  painter.restore();
}

void TideWindow::DrawTitle(QPainter& painter, const QRect& area) const {
  const QFont font = FontFromSetting(settings_.tideFont);
  QFont bold = font;
  bold.setWeight(QFont::Bold);
  const int line = QFontMetrics(font, painter.device()).lineSpacing();
  QFont big = bold;
  big.setPointSizeF(font.pointSizeF() * 1.25);
  painter.setPen(Qt::black);
  painter.setFont(big);
  painter.drawText(QRect(area.left(), area.top(), area.width(), line + line / 4), Qt::AlignLeft | Qt::AlignVCenter,
                   Text(view_.name));
  painter.setFont(font);
  painter.drawText(QRect(area.left(), area.top(), area.width(), line + line / 4), Qt::AlignRight | Qt::AlignVCenter,
                   Text(view_.stationId));
  const int second = area.top() + line + line / 4;
  painter.drawText(QRect(area.left(), second, area.width(), line), Qt::AlignLeft | Qt::AlignVCenter,
                   Text(view_.position));
  painter.setFont(bold);
  painter.drawText(QRect(area.left(), second, area.width(), line), Qt::AlignRight | Qt::AlignVCenter,
                   LongDate(day_.date));
  painter.setFont(font);
  painter.drawText(QRect(area.left(), second + line, area.width(), line), Qt::AlignLeft | Qt::AlignVCenter,
                   Text(view_.source));
}

void TideWindow::DrawEvents(QPainter& painter, const QRect& area) const {
  const double f = DeviceFactor(painter.device());
  DrawArea(painter, area, f);
  const QFont font = FontFromSetting(settings_.tideFont);
  QFont bold = font;
  bold.setWeight(QFont::Bold);
  const QFontMetrics metrics(font, painter.device());
  const int line = metrics.lineSpacing();
  const int pad = static_cast<int>(6 * f);
  QRect row(area.left() + pad, area.top() + pad / 2, area.width() - 2 * pad, line);
  painter.setFont(bold);
  painter.setPen(Qt::black);
  painter.drawText(row, Qt::AlignLeft | Qt::AlignVCenter, "Daily Highs & Lows:");
  painter.setFont(font);
  painter.drawText(row, Qt::AlignRight | Qt::AlignVCenter, Text(view_.zone));
  const int wordWidth = QFontMetrics(bold, painter.device()).horizontalAdvance("High  ");
  const int timeWidth = metrics.horizontalAdvance("12:59 pm  ");
  for (const EventText& event : view_.events) {
    row.translate(0, line);
    painter.setFont(bold);
    painter.setPen(event.high ? kHighColor : kLowColor);
    painter.drawText(row, Qt::AlignLeft | Qt::AlignVCenter, event.high ? "High" : "Low");
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(row.adjusted(wordWidth, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, Text(event.time));
    painter.drawText(row.adjusted(wordWidth + timeWidth, 0, 0, 0), Qt::AlignRight | Qt::AlignVCenter, Text(event.value));
  }
  if (view_.events.empty() && day_.extremesFound) {
    row.translate(0, line);
    painter.drawText(row, Qt::AlignLeft | Qt::AlignVCenter, "No highs or lows this day");
  }
}

void TideWindow::DrawAverages(QPainter& painter, const QRect& area) const {
  const double f = DeviceFactor(painter.device());
  DrawArea(painter, area, f);
  const QFont font = FontFromSetting(settings_.tideFont);
  QFont bold = font;
  bold.setWeight(QFont::Bold);
  const int line = QFontMetrics(font, painter.device()).lineSpacing();
  const int pad = static_cast<int>(6 * f);
  QRect row(area.left() + pad, area.top() + pad / 2, area.width() - 2 * pad, line);
  painter.setPen(Qt::black);
  painter.setFont(bold);
  painter.drawText(row, Qt::AlignLeft | Qt::AlignVCenter, "Average Tides:");
  painter.setFont(font);
  for (const LabelledText& average : view_.averages) {
    row.translate(0, line);
    painter.drawText(row, Qt::AlignLeft | Qt::AlignVCenter, Text(average.label));
    painter.drawText(row, Qt::AlignRight | Qt::AlignVCenter, Text(average.value));
  }
}

void TideWindow::DrawSky(QPainter& painter, const QRect& area) const {
  const double f = DeviceFactor(painter.device());
  DrawArea(painter, area, f);
  const QFont font = FontFromSetting(settings_.tideFont);
  QFont bold = font;
  bold.setWeight(QFont::Bold);
  const QFontMetrics metrics(font, painter.device());
  const int line = metrics.lineSpacing();
  const int pad = static_cast<int>(6 * f);
  const int disc = std::min(3 * line, area.height() / 2);
  const bool picture = view_.moonAngle >= 0 && area.width() > disc * 4;
  const int textRight = area.right() - pad - (picture ? disc + pad : 0);
  QRect row(area.left() + pad, area.top() + pad / 2, textRight - area.left() - pad, line);
  painter.setPen(Qt::black);
  painter.setFont(bold);
  painter.drawText(row, Qt::AlignLeft | Qt::AlignVCenter, "Sun & Moon:");
  painter.setFont(font);
  auto lines = [&](const std::vector<LabelledText>& texts) {
    for (const LabelledText& text : texts) {
      row.translate(0, line);
      painter.drawText(row, Qt::AlignLeft | Qt::AlignVCenter, Text(text.label));
      if (!text.value.empty()) painter.drawText(row, Qt::AlignRight | Qt::AlignVCenter, Text(text.value));
    }
  };
  lines(view_.sun);
  lines(view_.moon);
  if (!view_.phaseLine.empty()) {
    row.translate(0, line);
    painter.drawText(QRect(row.left(), row.top(), area.right() - pad - row.left(), line), Qt::AlignLeft | Qt::AlignVCenter,
                     Text(view_.phaseLine));
  }
  if (!view_.tideTypeLine.empty()) {
    row.translate(0, line);
    painter.setFont(bold);
    painter.drawText(row, Qt::AlignLeft | Qt::AlignVCenter, Text(view_.tideTypeLine));
  }
  if (picture) {
    const QRect moon(area.right() - pad - disc, area.top() + pad / 2 + line, disc, disc);
    DrawMoonPicture(painter, moon, view_.moonAngle);
  }
}

void TideWindow::DrawWeekly(QPainter& painter, const QRect& area) const {
  if (!weekValid_) return;
  const double f = DeviceFactor(painter.device());
  const QFont font = FontFromSetting(settings_.tideFont);
  const int line = QFontMetrics(font, painter.device()).lineSpacing();
  const int gap = static_cast<int>(4 * f);
  DayGraphStyle style;
  style.colors = settings_.colors;
  style.style = settings_.graphStyle == GraphStyle::Bars ? GraphStyle::Bars : GraphStyle::Filled;
  style.clock = settings_.timeType;
  style.grid = settings_.weeklyGrid;
  style.compact = true;
  style.font = font;
  const int width = (area.width() - 6 * gap) / 7;
  for (int i = 0; i < 7; ++i) {
    const QRect cell(area.left() + i * (width + gap), area.top(), width, area.height());
    painter.setPen(Qt::black);
    painter.setFont(font);
    painter.drawText(QRect(cell.left(), cell.top(), cell.width(), line), Qt::AlignCenter, Text(week_[static_cast<size_t>(i)].label));
    DrawDayGraph(painter, cell.adjusted(0, line, 0, 0), week_[static_cast<size_t>(i)].graph, style);
  }
}

bool TideWindow::NoticeShown() const {
  switch (view_.notice) {
    case TideNotice::NotPredictable:
    case TideNotice::NoCorrections: return true;
    case TideNotice::Incomplete: return !noticeDismissed_;
    case TideNotice::None: return false;
  }
  return false;
}

QRect TideWindow::NoticeRect(const QRect& graph, const QPaintDevice* device) const {
  QFont bold = FontFromSetting(settings_.tideFont);
  bold.setWeight(QFont::Bold);
  const QFontMetrics metrics(bold, const_cast<QPaintDevice*>(device));
  const int width = std::min(graph.width(), 5 * metrics.horizontalAdvance("NOTICE"));
  const int height = std::min(graph.height(), 7 * metrics.lineSpacing());
  return QRect(graph.center().x() - width / 2, graph.center().y() - height / 2, width, height);
}

bool TideWindow::DrawGraph(QPainter& painter, const QRect& area) const {
  const double f = DeviceFactor(painter.device());
  painter.fillRect(area, Qt::white);
  if (!NoticeShown() && !graphFailed_) {
    DayGraphStyle style;
    style.colors = settings_.colors;
    style.style = settings_.graphStyle;
    style.clock = settings_.timeType;
    style.grid = settings_.grid;
    style.font = FontFromSetting(settings_.tideFont);
    DrawDayGraph(painter, area.adjusted(static_cast<int>(2 * f), static_cast<int>(2 * f), 0, 0), view_.graph, style);
  }
  painter.setPen(QPen(kAreaBorder, std::max(1.0, f)));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(area);
  if (NoticeShown()) DrawNotice(painter, area);
  return true;
}

void TideWindow::DrawNotice(QPainter& painter, const QRect& area) const {
  const double f = DeviceFactor(painter.device());
  const QRect box = NoticeRect(area, painter.device());
  const int shadow = std::max(2, static_cast<int>(3 * f));
  painter.fillRect(box.translated(shadow, shadow), QColor(128, 128, 128));
  painter.setPen(QPen(Qt::black, std::max(1.0, f)));
  painter.setBrush(kNoticeColor);
  painter.drawRect(box);
  QFont font = FontFromSetting(settings_.tideFont);
  QFont bold = font;
  bold.setWeight(QFont::Bold);
  const int line = QFontMetrics(bold, painter.device()).lineSpacing();
  const int pad = static_cast<int>(6 * f);
  painter.setFont(bold);
  painter.drawText(QRect(box.left(), box.top() + pad / 2, box.width(), line), Qt::AlignCenter, "NOTICE");
  painter.setFont(font);
  const int message = view_.notice == TideNotice::Incomplete ? 2605 : 2603;
  painter.drawText(box.adjusted(pad, line + pad, -pad, -pad), Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap,
                   StringText(message));
}

void TideWindow::DrawTableRows(QPainter& painter, const QRect& area) const {
  const double f = DeviceFactor(painter.device());
  DrawArea(painter, area, f);
  const QFont font = FontFromSetting(settings_.tideFont);
  QFont bold = font;
  bold.setWeight(QFont::Bold);
  const int line = QFontMetrics(font, painter.device()).lineSpacing();
  const int pad = static_cast<int>(6 * f);
  QRect row(area.left() + pad, area.top() + pad / 2, area.width() - 2 * pad, line);
  painter.setPen(Qt::black);
  painter.setFont(bold);
  painter.drawText(row, Qt::AlignLeft | Qt::AlignVCenter, "Time");
  painter.drawText(row, Qt::AlignRight | Qt::AlignVCenter, "Height");
  painter.setFont(font);
  // The rows from the first one visible on screen, as many as fit.
  int first = table_->isVisible() ? std::max(0, table_->rowAt(0)) : 0;
  for (int r = first; r < model_->rowCount(); ++r) {
    row.translate(0, line);
    if (row.bottom() > area.bottom() - pad / 2) break;
    painter.drawText(row, Qt::AlignLeft | Qt::AlignVCenter, model_->data(model_->index(r, 0), Qt::DisplayRole).toString());
    painter.drawText(row, Qt::AlignRight | Qt::AlignVCenter, model_->data(model_->index(r, 1), Qt::DisplayRole).toString());
  }
}

void TideWindow::contextMenuEvent(QContextMenuEvent* event) {
  QMenu menu(this);
  QAction* info = menu.addAction("Show Info Windows");
  info->setCheckable(true);
  info->setChecked(switches_.info);
  QAction* weekly = menu.addAction("Show Weekly View");
  weekly->setCheckable(true);
  weekly->setChecked(switches_.weekly);
  QAction* table = menu.addAction("Show Table");
  table->setCheckable(true);
  table->setChecked(switches_.table);
  menu.addSeparator();
  QAction* notes = menu.addAction("Station Notes...");
  notes->setEnabled(FrameCommandEnabled(Command::Notes));
  QAction* chart = menu.addAction("View on chart");
  chart->setEnabled(FrameCommandEnabled(Command::ViewOnChart));
  QAction* daylight = menu.addAction("International Daylight Savings...");
  QAction* chosen = menu.exec(event->globalPos());
  if (chosen == info) {
    SetInfoShown(!switches_.info);
  } else if (chosen == weekly) {
    SetWeeklyShown(!switches_.weekly);
  } else if (chosen == table) {
    SetTableShown(!switches_.table);
  } else if (chosen == notes) {
    RunFrameCommand(Command::Notes);
  } else if (chosen == chart) {
    RunFrameCommand(Command::ViewOnChart);
  } else if (chosen == daylight) {
    RunFrameCommand(Command::IntlDaylightSavings);
  }
}

void TideWindow::mousePressEvent(QMouseEvent* event) {
  if (view_.notice == TideNotice::Incomplete && !noticeDismissed_ && event->button() == Qt::LeftButton) {
    const Areas areas = Layout(rect(), this, switches_.table);
    if (NoticeRect(areas.graph, this).contains(event->pos())) {
      noticeDismissed_ = true;
      update();
      return;
    }
  }
  LocationWindow::mousePressEvent(event);
}

LocationWindow* MakeTideWindow(const CatalogueDirectory& catalogue, const AppSettings& settings,
                               const LocationWindowSpec& spec) {
  TideLocation station;
  if (!catalogue.ReadTide(spec.station, station)) return nullptr;  // the engine has said why
  if (TideNoticeOf(station) == TideNotice::NotPredictable) {
    QMessageBox::information(nullptr, "Insufficient Data", "Insufficient data to accurately predict values for this location.");
  }
  return new TideWindow(spec.station, station, settings, spec.day, spec.switches);
}

}  // namespace qw
