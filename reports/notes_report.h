// The notes report: each location's official, user and general notes, one location
// after another, each starting on a new page. A section that runs over a page goes on
// at the top of the next under "<section> continued".
//
// How many pages a location needs depends on the page and the body font, so the notes
// are laid out once for a page size, at a fixed resolution, and every device draws
// those same lines scaled to its own resolution: the preview, the printer and a PDF
// break the pages at the same lines.
#pragma once

#include <QFont>
#include <QString>
#include <string>
#include <vector>

#include "reports/page_canvas.h"
#include "reports/report_data.h"

namespace qw {

struct NoteLine {
  QString text;
  bool heading = false;  // a section's heading, printed bold
};

// The resolution the notes are laid out at, pixels per inch.
constexpr double kNotesLayoutDpi = 300.0;

// The section headings.
inline constexpr const char* kOfficialNotesHeading = "Official Notes";  // publisher not known
inline constexpr const char* kUserNotesHeading = "User Notes";
inline constexpr const char* kGeneralNotesHeading = "General Notes";

// Breaks a location's notes into pages of at most `linesPerPage` lines of at most
// `width` layout pixels in `font` (pixel-sized for kNotesLayoutDpi). Every location
// has at least one page; a page that begins inside a section begins with its
// "%s continued" heading.
// The official notes are headed `officialHeading`: "NOAA Notes", "TICON-4 Notes" after
// who published the station's data, or kOfficialNotesHeading when that is not known.
std::vector<std::vector<NoteLine>> PaginateNotes(const ReportNotes& notes, const QFont& font, double width,
                                                 int linesPerPage,
                                                 const QString& officialHeading = kOfficialNotesHeading);

// The report's body font sized in pixels of kNotesLayoutDpi (the canvas's page size
// decides the size when the font is sized to the page); bold for headings.
QFont NotesFont(const PageCanvas& canvas, bool bold = false);

}  // namespace qw
