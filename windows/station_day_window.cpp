#include "windows/station_day_window.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>

#include "engine/report.h"
#include "engine/string_table.h"
#include "present/font_setting.h"
#include "present/moon_picture.h"
#include "present/real_time_board.h"
#include "shell/help_viewer.h"

namespace qw {
namespace {

// Screen pixels (96 per inch) to the device's pixels.
double DeviceFactor(const QPaintDevice* device) { return device ? device->logicalDpiY() / 96.0 : 1.0; }

const QColor kRisingColor(0, 0, 128);   // dark blue: high water, maximum flood
const QColor kFallingColor(128, 0, 0);  // dark red: low water, maximum ebb
const QColor kAreaBackground(250, 250, 252);
const QColor kAreaBorder(170, 175, 185);
const QColor kNoticeColor(255, 255, 192);

// More events than this are listed in two columns, so a day with double floods and ebbs
// does not push the graph off the window.
constexpr int kEventsPerColumn = 10;

QString Text(const std::string& text) { return QString::fromStdString(text); }

QColor ToneColor(EventTone tone) {
  switch (tone) {
    case EventTone::Rising: return kRisingColor;
    case EventTone::Falling: return kFallingColor;
    case EventTone::Neutral: break;
  }
  return Qt::black;
}

void DrawArea(QPainter& painter, const QRect& area, double factor) {
  painter.setPen(QPen(kAreaBorder, std::max(1.0, factor)));
  painter.setBrush(kAreaBackground);
  painter.drawRect(area);
}

QFont Bold(QFont font) {
  font.setWeight(QFont::Bold);
  return font;
}

}  // namespace

StationDayWindow::StationDayWindow(const StationRef& ref, const AppSettings& settings, EngineMinute day,
                                   const ViewSwitches& switches, const QString& tableHeading, QWidget* parent)
    : LocationWindow(parent), settings_(settings), ref_(ref), switches_(switches), day_(day - day % kMinutesPerDay) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMinimumSize(320, 240);
  model_ = new MinuteTableModel([this](EngineMinute minute) { return TableValue(minute); },
                                [this](const MinuteValue& value) { return TableText(value); }, tableHeading, this);
  table_ = new QTableView(this);
  table_->setModel(model_);
  table_->verticalHeader()->hide();
  table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  table_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  table_->setWordWrap(false);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setVisible(false);
  nowTimer_ = new MinuteTimer([this] { return wallClock_(); }, this);
  connect(nowTimer_, &MinuteTimer::tick, this, [this] {
    const std::optional<NowMark> before = now_;
    UpdateNow();
    const bool same = before.has_value() == now_.has_value() &&
                      (!before || (before->minute == now_->minute && before->label == now_->label));
    if (!same) update(graphArea());
  });
}

void StationDayWindow::Start() {
  clock_ = MakeClock();
  Recompute();
  model_->Reset(clock_, day_, settings_.tableInterval, settings_.timeType);
  if (switches_.weekly) RecomputeWeek();
  nowTimer_->Start();
}

void StationDayWindow::SetWallClock(WallClock clock) {
  wallClock_ = std::move(clock);
  UpdateNow();
  nowTimer_->Start();
  update();
}

void StationDayWindow::UpdateNow() {
  const bool drawn = !NoticeShown() && !graphFailed_;
  now_ = settings_.nowLine && drawn ? ComputeNow(ReadingAt(clock_, wallClock_())) : std::nullopt;
}

QString StationDayWindow::title() const {
  if (!settings_.dateInWinTitle) return locationName();
  return QString("%1 - %2/%3/%4").arg(locationName()).arg(date_.month).arg(date_.day).arg(date_.year);
}

void StationDayWindow::Recompute() {
  MinuteToDate(day_, date_);
  view_ = ComputeDay(day_);
  const bool drawn = view_.notice == StationNotice::None || view_.notice == StationNotice::Incomplete;
  graphFailed_ = drawn && !DayGraphScale(view_.graph).has_value();
  if (graphFailed_) ReportEngineError(2600, StringText(2600));
  weekValid_ = false;
  UpdateNow();
}

void StationDayWindow::RecomputeWeek() {
  // When the shown day itself failed (reported once), the week is not asked for: it
  // would only report the same failure for every day.
  const bool computed = view_.notice == StationNotice::None || view_.notice == StationNotice::Incomplete;
  const bool dayFailed = computed && !view_.eventsFound;
  int32_t low = 0, high = 0;
  for (size_t i = 0; i < week_.size(); ++i) {
    const EngineMinute day = day_ + static_cast<EngineMinute>(i) * kMinutesPerDay;
    DateRecord date;
    MinuteToDate(day, date);
    week_[i].label = WeekDayLabel(date);
    week_[i].graph = dayFailed ? DayGraphData{} : ComputeWeekDay(day);
    low = std::min(low, week_[i].graph.minimum);
    high = std::max(high, week_[i].graph.maximum);
  }
  // One scale for the whole week, so the days compare at a glance.
  for (WeekDay& day : week_) {
    day.graph.minimum = low;
    day.graph.maximum = high;
  }
  weekValid_ = true;
}

void StationDayWindow::SetDay(EngineMinute day) {
  day_ = day - day % kMinutesPerDay;
  noticeDismissed_ = false;
  Recompute();
  if (switches_.weekly) RecomputeWeek();
  model_->Reset(clock_, day_, settings_.tableInterval, settings_.timeType);
  update();
  emit titleChanged();
}

void StationDayWindow::SettingsChanged() {
  clock_ = MakeClock();  // the daylight-saving settings may have changed
  Recompute();
  if (switches_.weekly) RecomputeWeek();
  model_->Reset(clock_, day_, settings_.tableInterval, settings_.timeType);
  PlaceTable();
  update();
  emit titleChanged();
}

void StationDayWindow::SetInfoShown(bool shown) {
  switches_.info = shown;
  PlaceTable();
  update();
}

void StationDayWindow::SetWeeklyShown(bool shown) {
  switches_.weekly = shown;
  if (shown && !weekValid_) RecomputeWeek();
  PlaceTable();
  update();
}

bool StationDayWindow::SetTableShown(bool shown) {
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

QRect StationDayWindow::graphArea() const { return Layout(rect(), this, switches_.table).graph; }

int StationDayWindow::EventColumns() const {
  return static_cast<int>(view_.events.size()) > kEventsPerColumn ? 2 : 1;
}

StationDayWindow::Areas StationDayWindow::Layout(const QRect& target, const QPaintDevice* device,
                                                 bool withTable) const {
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
    const int columns = EventColumns();
    const int events = static_cast<int>(view_.events.size());
    const int eventRows = (std::max(events, 1) + columns - 1) / columns;
    const int averageLines = static_cast<int>(view_.averages.size()) + 1 + (view_.stationKindText.empty() ? 0 : 1);
    const int skyLines = static_cast<int>(view_.sun.size() + view_.moon.size()) + 3;
    const int lines = std::max({eventRows + 1, averageLines, skyLines, 4});
    const int height = lines * line + 2 * margin;
    const int w = free.width();
    const int eventsWidth = w * (columns == 1 ? 35 : 50) / 100;
    const int averagesWidth = w * (columns == 1 ? 27 : 22) / 100;
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

void StationDayWindow::PlaceTable() {
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

void StationDayWindow::resizeEvent(QResizeEvent* event) {
  LocationWindow::resizeEvent(event);
  PlaceTable();
}

void StationDayWindow::DrawAll(QPainter& painter, const Areas& areas) const {
  DrawTitle(painter, areas.title);
  if (switches_.info) {
    DrawEvents(painter, areas.events);
    DrawAverages(painter, areas.averages);
    DrawSky(painter, areas.sky);
  }
  if (switches_.weekly) DrawWeekly(painter, areas.weekly);
  DrawGraph(painter, areas.graph);
}

void StationDayWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().window());
  DrawAll(painter, Layout(rect(), this, switches_.table));
}

void StationDayWindow::Render(QPainter& painter, const QRect& target) {
  painter.save();
  painter.fillRect(target, Qt::white);
  const Areas areas = Layout(target, painter.device(), switches_.table);
  DrawAll(painter, areas);
  if (switches_.table) DrawTableRows(painter, areas.table);
  painter.restore();
}

void StationDayWindow::DrawTitle(QPainter& painter, const QRect& area) const {
  const QFont font = FontFromSetting(settings_.tideFont);
  const QFont bold = Bold(font);
  const int line = QFontMetrics(font, painter.device()).lineSpacing();
  QFont big = bold;
  big.setPointSizeF(font.pointSizeF() * 1.25);
  const QRect first(area.left(), area.top(), area.width(), line + line / 4);
  painter.setPen(Qt::black);
  painter.setFont(font);
  const QString id = Text(view_.stationId);
  painter.drawText(first, Qt::AlignRight | Qt::AlignVCenter, id);
  painter.setFont(big);
  const int idWidth = QFontMetrics(font, painter.device()).horizontalAdvance(id + "    ");
  painter.drawText(first.adjusted(0, 0, -idWidth, 0), Qt::AlignLeft | Qt::AlignVCenter,
                   QFontMetrics(big, painter.device()).elidedText(Text(view_.name), Qt::ElideRight, first.width() - idWidth));
  const int second = first.bottom() + 1;
  painter.setFont(font);
  painter.drawText(QRect(area.left(), second, area.width(), line), Qt::AlignLeft | Qt::AlignVCenter,
                   Text(view_.position));
  painter.setFont(bold);
  painter.drawText(QRect(area.left(), second, area.width(), line), Qt::AlignRight | Qt::AlignVCenter,
                   Text(LongDateText(date_)));
  painter.setFont(font);
  painter.drawText(QRect(area.left(), second + line, area.width(), line), Qt::AlignLeft | Qt::AlignVCenter,
                   Text(view_.source));
}

void StationDayWindow::DrawEvents(QPainter& painter, const QRect& area) const {
  const double f = DeviceFactor(painter.device());
  DrawArea(painter, area, f);
  const QFont font = FontFromSetting(settings_.tideFont);
  const QFont bold = Bold(font);
  const QFontMetrics metrics(font, painter.device());
  const QFontMetrics boldMetrics(bold, painter.device());
  const int line = metrics.lineSpacing();
  const int pad = static_cast<int>(6 * f);
  const QRect inner(area.left() + pad, area.top() + pad / 2, area.width() - 2 * pad, area.height() - pad);
  const QRect heading(inner.left(), inner.top(), inner.width(), line);
  painter.setFont(bold);
  painter.setPen(Qt::black);
  painter.drawText(heading, Qt::AlignLeft | Qt::AlignVCenter, Text(view_.eventsHeading));
  painter.setFont(font);
  painter.drawText(heading, Qt::AlignRight | Qt::AlignVCenter, Text(view_.zone));

  if (view_.events.empty()) {
    if (view_.eventsFound && !view_.noEventsText.empty()) {
      painter.drawText(heading.translated(0, line), Qt::AlignLeft | Qt::AlignVCenter, Text(view_.noEventsText));
    }
    return;
  }
  int wordWidth = 0;
  bool directions = false;
  for (const EventText& event : view_.events) {
    wordWidth = std::max(wordWidth, boldMetrics.horizontalAdvance(Text(event.word)));
    directions = directions || !event.direction.empty();
  }
  wordWidth += boldMetrics.horizontalAdvance("  ");
  const int timeWidth = metrics.horizontalAdvance(settings_.timeType == TimeType::Clock12 ? "12:59 pm  " : "23:59  ");
  const int directionWidth = directions ? metrics.horizontalAdvance("  360\u00B0") : 0;
  const int columns = EventColumns();
  const int rows = (static_cast<int>(view_.events.size()) + columns - 1) / columns;
  const int gap = 2 * pad;
  const int columnWidth = (inner.width() - (columns - 1) * gap) / columns;
  for (size_t i = 0; i < view_.events.size(); ++i) {
    const EventText& event = view_.events[i];
    const int column = static_cast<int>(i) / rows;
    const int row = static_cast<int>(i) % rows;
    const QRect cell(inner.left() + column * (columnWidth + gap), inner.top() + (row + 1) * line, columnWidth, line);
    painter.setFont(bold);
    painter.setPen(ToneColor(event.tone));
    painter.drawText(cell, Qt::AlignLeft | Qt::AlignVCenter, Text(event.word));
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(cell.adjusted(wordWidth, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, Text(event.time));
    painter.drawText(cell.adjusted(wordWidth + timeWidth, 0, -directionWidth, 0), Qt::AlignRight | Qt::AlignVCenter,
                     Text(event.value));
    if (!event.direction.empty()) {
      painter.drawText(cell, Qt::AlignRight | Qt::AlignVCenter, Text(event.direction));
    }
  }
}

void StationDayWindow::DrawAverages(QPainter& painter, const QRect& area) const {
  const double f = DeviceFactor(painter.device());
  DrawArea(painter, area, f);
  const QFont font = FontFromSetting(settings_.tideFont);
  const int line = QFontMetrics(font, painter.device()).lineSpacing();
  const int pad = static_cast<int>(6 * f);
  QRect row(area.left() + pad, area.top() + pad / 2, area.width() - 2 * pad, line);
  painter.setPen(Qt::black);
  painter.setFont(Bold(font));
  painter.drawText(row, Qt::AlignLeft | Qt::AlignVCenter, Text(view_.averagesHeading));
  painter.setFont(font);
  for (const LabelledText& average : view_.averages) {
    row.translate(0, line);
    painter.drawText(row, Qt::AlignLeft | Qt::AlignVCenter, Text(average.label));
    painter.drawText(row, Qt::AlignRight | Qt::AlignVCenter, Text(average.value));
  }
  if (!view_.stationKindText.empty()) {
    row.translate(0, line);
    QFont italic = font;
    italic.setItalic(true);
    painter.setFont(italic);
    const QRect rest(row.left(), row.top(), row.width(), area.bottom() - pad / 2 - row.top());
    painter.drawText(rest, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, Text(view_.stationKindText));
  }
}

void StationDayWindow::DrawSky(QPainter& painter, const QRect& area) const {
  const double f = DeviceFactor(painter.device());
  DrawArea(painter, area, f);
  const QFont font = FontFromSetting(settings_.tideFont);
  const QFont bold = Bold(font);
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

void StationDayWindow::DrawWeekly(QPainter& painter, const QRect& area) const {
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
    const WeekDay& day = week_[static_cast<size_t>(i)];
    const QRect cell(area.left() + i * (width + gap), area.top(), width, area.height());
    painter.setPen(Qt::black);
    painter.setFont(font);
    painter.drawText(QRect(cell.left(), cell.top(), cell.width(), line), Qt::AlignCenter, Text(day.label));
    DrawDayGraph(painter, cell.adjusted(0, line, 0, 0), day.graph, style);
  }
}

bool StationDayWindow::NoticeShown() const {
  switch (view_.notice) {
    case StationNotice::NotPredictable:
    case StationNotice::NoCorrections:
    case StationNotice::WeakAndVariable: return true;
    case StationNotice::Incomplete: return !noticeDismissed_;
    case StationNotice::None: return false;
  }
  return false;
}

QRect StationDayWindow::NoticeRect(const QRect& graph, const QPaintDevice* device) const {
  const QFontMetrics metrics(Bold(FontFromSetting(settings_.tideFont)), const_cast<QPaintDevice*>(device));
  const int width = std::min(graph.width(), 5 * metrics.horizontalAdvance("NOTICE"));
  const int height = std::min(graph.height(), 7 * metrics.lineSpacing());
  return QRect(graph.center().x() - width / 2, graph.center().y() - height / 2, width, height);
}

void StationDayWindow::DrawGraph(QPainter& painter, const QRect& area) const {
  const double f = DeviceFactor(painter.device());
  painter.fillRect(area, Qt::white);
  if (!NoticeShown() && !graphFailed_) {
    DayGraphStyle style;
    style.colors = settings_.colors;
    style.style = settings_.graphStyle;
    style.clock = settings_.timeType;
    style.grid = settings_.grid;
    style.font = FontFromSetting(settings_.tideFont);
    DrawDayGraph(painter, area.adjusted(static_cast<int>(2 * f), static_cast<int>(2 * f), 0, 0), view_.graph, style,
                 now_ ? &*now_ : nullptr);
  }
  painter.setPen(QPen(kAreaBorder, std::max(1.0, f)));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(area);
  if (NoticeShown()) DrawNotice(painter, area);
}

void StationDayWindow::DrawNotice(QPainter& painter, const QRect& area) const {
  const double f = DeviceFactor(painter.device());
  const QRect box = NoticeRect(area, painter.device());
  const int shadow = std::max(2, static_cast<int>(3 * f));
  painter.fillRect(box.translated(shadow, shadow), QColor(128, 128, 128));
  painter.setPen(QPen(Qt::black, std::max(1.0, f)));
  painter.setBrush(kNoticeColor);
  painter.drawRect(box);
  const QFont font = FontFromSetting(settings_.tideFont);
  const QFont bold = Bold(font);
  const int line = QFontMetrics(bold, painter.device()).lineSpacing();
  const int pad = static_cast<int>(6 * f);
  painter.setFont(bold);
  painter.drawText(QRect(box.left(), box.top() + pad / 2, box.width(), line), Qt::AlignCenter, "NOTICE");
  painter.setFont(font);
  painter.drawText(box.adjusted(pad, line + pad, -pad, -pad), Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap,
                   Text(NoticeText(view_.notice)));
}

void StationDayWindow::DrawTableRows(QPainter& painter, const QRect& area) const {
  const double f = DeviceFactor(painter.device());
  DrawArea(painter, area, f);
  const QFont font = FontFromSetting(settings_.tideFont);
  const int line = QFontMetrics(font, painter.device()).lineSpacing();
  const int pad = static_cast<int>(6 * f);
  QRect row(area.left() + pad, area.top() + pad / 2, area.width() - 2 * pad, line);
  painter.setPen(Qt::black);
  painter.setFont(Bold(font));
  painter.drawText(row, Qt::AlignLeft | Qt::AlignVCenter, model_->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString());
  painter.drawText(row, Qt::AlignRight | Qt::AlignVCenter, model_->headerData(1, Qt::Horizontal, Qt::DisplayRole).toString());
  painter.setFont(font);
  // The rows from the first one visible on screen, as many as fit.
  const int first = table_->isVisible() ? std::max(0, table_->rowAt(0)) : 0;
  for (int r = first; r < model_->rowCount(); ++r) {
    row.translate(0, line);
    if (row.bottom() > area.bottom() - pad / 2) break;
    painter.drawText(row, Qt::AlignLeft | Qt::AlignVCenter, model_->data(model_->index(r, 0), Qt::DisplayRole).toString());
    painter.drawText(row, Qt::AlignRight | Qt::AlignVCenter, model_->data(model_->index(r, 1), Qt::DisplayRole).toString());
  }
}

StationDayWindow::AreaHelp StationDayWindow::HelpAt(const QPoint& pos) const {
  const Areas areas = Layout(rect(), this, switches_.table);
  const struct {
    const QRect& area;
    const char* caption;
    const char* anchor;
  } parts[] = {
      {areas.title, "Help on title area", "title"},
      {areas.events, "Help on Daily values area", "daily"},
      {areas.averages, "Help on average values area", "averages"},
      {areas.sky, "Help on moon area", "moon"},
      {areas.weekly, "Help on graph area", "weekly"},
      {areas.graph, "Help on graph area", "graph"},
      {areas.table, "Help on table area", "table"},
  };
  for (const auto& part : parts) {
    if (part.area.contains(pos)) return {part.caption, StationWindowTopic(station().kind, part.anchor)};
  }
  return {};
}

void StationDayWindow::contextMenuEvent(QContextMenuEvent* event) {
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
  // Help on the area under the pointer, and on the whole window.
  menu.addSeparator();
  const AreaHelp help = HelpAt(event->pos());
  QAction* areaHelp = help.caption.isEmpty() ? nullptr : menu.addAction(help.caption);
  QAction* windowHelp = menu.addAction("Help on graph window");
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
  } else if (chosen && chosen == areaHelp) {
    ShowHelp(help.topic, this);
  } else if (chosen == windowHelp) {
    ShowHelp(StationWindowTopic(station().kind), this);
  }
}

void StationDayWindow::mousePressEvent(QMouseEvent* event) {
  if (view_.notice == StationNotice::Incomplete && !noticeDismissed_ && event->button() == Qt::LeftButton) {
    const Areas areas = Layout(rect(), this, switches_.table);
    if (NoticeRect(areas.graph, this).contains(event->pos())) {
      noticeDismissed_ = true;
      UpdateNow();
      update();
      return;
    }
  }
  LocationWindow::mousePressEvent(event);
}

}  // namespace qw
