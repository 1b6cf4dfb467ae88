// The parts report pages are built from: the header, the footer, the sun and moon
// box, the row of high and low waters, the value table and the notes area. Each part
// draws into a rectangle it is given and says how much room it needs, so a page can
// be laid out top to bottom before anything is drawn.
#pragma once

#include <QImage>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <vector>

#include "engine/calendar.h"
#include "reports/page_canvas.h"
#include "reports/report_data.h"
#include "reports/report_graph.h"

namespace qw {

struct PageHeader {
  QString name;      // the location
  QString title;     // "Daily Tide Report (smooth graph)"
  QString date;      // "Wednesday, June 18, 2025"
  QString source;    // "Harmonic station (NOAA)" / "based on San Francisco (NOAA)"
  QString zone;      // "Pacific Daylight Time"
  QString position;  // "Lat 37°48' N  Lon 122°28' W  Station ID: 1234"
};

double HeaderHeight(const PageCanvas& canvas);
void DrawHeader(const PageCanvas& canvas, const QRectF& area, const PageHeader& header);

struct PageFooter {
  int pageNumber = 0;  // 1-based
  int pageCount = 0;
  const QImage* bitmap = nullptr;  // drawn when the footer bitmap option is on
};

double FooterHeight(const PageCanvas& canvas, const PageFooter& footer);
void DrawFooter(const PageCanvas& canvas, const QRectF& area, const PageFooter& footer);

// The date texts of page headers.
QString LongDateText(EngineMinute day);             // "Wednesday, June 18, 2025"
QString MonthText(EngineMinute day);                // "June 2025"
QString MonthSpanText(EngineMinute first, EngineMinute last);  // "June - August 2025"

// The report's sun and moon lines: "Sunrise: 5:11 am", "Sun does not rise today",
// "Moonrise: None" (the moon rises on another day), "Moon does not set today".
QStringList SunLines(const SunTimes& sun, TimeType clock);
QStringList MoonLines(const MoonTimes& moon, TimeType clock);
// A rise or set time of rise_set.h as a minute of the day, or -1 when it is not on this day.
int RiseSetMinute(float hours, float other);

// Compact clock texts for calendar cells: "3:42a", "10:05p" or "15:42".
QString ShortClock(int minuteOfDay, TimeType clock);
QString ClockOfMinute(int minuteOfDay, TimeType clock);  // "3:42 am" / "15:42"

// The shown day's sun and moon box: the lines chosen by the options and the moon's
// picture with its phase.
struct SunMoonBox {
  QStringList sun;
  QStringList moon;
  int moonAngle = -1;  // -1: no picture
  QString phase;       // "Full moon tomorrow"
  QString tideType;    // "Spring Tide"
};

SunMoonBox MakeSunMoonBox(const ReportDay& day, const ReportOptions& options, TimeType clock);
bool SunMoonBoxEmpty(const SunMoonBox& box);
double SunMoonBoxHeight(const PageCanvas& canvas, const SunMoonBox& box);
void DrawSunMoonBox(const PageCanvas& canvas, const QRectF& area, const SunMoonBox& box);

// The day's events as a row of boxes ("High  3:42 am  11.32 ft", "Slack  6:10 am").
// The row's height for `count` events under `heading` in `width`: one line, or more when
// they do not fit on one.
double ExtremesRowHeight(const PageCanvas& canvas, double width, const QString& heading, size_t count);
void DrawExtremesRow(const PageCanvas& canvas, const QRectF& area, const ReportDay& day, const QString& heading);
// "Highs & Lows" or "Floods & Ebbs".
QString EventsHeading(StationKind kind);

// The graph marks of a day: its extremes, and the sun's and moon's rise and set when
// the options ask for them.
ReportGraphInput GraphInputFor(const ReportDay& day, const ReportOptions& options, TimeType clock);

// The ink of an event's texts: high waters and floods, low waters and ebbs, slacks.
QColor EventInk(const ReportInk& ink, const ReportEvent& event);

// The value table's row texts.
struct TableRow {
  QString time;
  QString value;
};
std::vector<TableRow> TableRows(const ReportDay& day, StationKind kind, const AppSettings& settings);

// The value table in `columns` columns filling `area` top to bottom, then left to right,
// with the headings "Time (PDT)" and "Tide" (or "Current").
void DrawValueTable(const PageCanvas& canvas, const QRectF& area, const std::vector<TableRow>& rows, int columns,
                    const QString& timeHeading, const QString& valueHeading, const QFont& font);
double ValueTableColumnWidth(const PageCanvas& canvas, const QFont& font);

// A ruled area for the reader's notes, headed "Notes:".
void DrawNoteArea(const PageCanvas& canvas, const QRectF& area);

// The moon's picture for an angle in degrees, in a square of side `size` centred in `area`.
void DrawMoon(const PageCanvas& canvas, const QRectF& area, int angle);

}  // namespace qw
