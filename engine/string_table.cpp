#include "engine/string_table.h"

#include <algorithm>
#include <iterator>

namespace qw {
namespace {

struct StringEntry {
  int id;
  const char* text;
};

// Sorted by id.
constexpr StringEntry kStrings[] = {
    {2003, "The area selected is not a Port.  Please reselect."},
    {2005, "Notes not available for this entry."},
    {2006, "No location is selected.  Click on the location you want to open, then press OK"},
    {2007, "You have made multiple selections. When changing a location, you may select only 1 location."},
    {2008, "You have made multiple selections. When defining a custom location, you may select only 1 location."},
    {2100, "Error opening year file: '%s'!"},
    {2101, "Error reading year file: '%s'!"},
    {2201, "Selected region '%d' Current database not found!"},
    {2204, "Current station index '%d' exceeds limits!"},
    {2205, "File read failed on file CURR%d.DAT!"},
    {2208, "Error opening current station file: '%s'"},
    {2210, "Error opening rotary file: '%s'"},
    {2211, "Error reading rotary file: '%s'"},
    {2212, "Error initializing current!"},
    {2213, "Internal current program logic error!"},
    {2214, "Rotary current time is not between framing time!"},
    {2401, "Unable to find tide database for region %d"},
    {2404, "Tide station index '%d' exceeds limits!"},
    {2405, "File read failed on file TIDE%d.DAT!"},
    {2406, "Selected region %d is invalid in FindTideSub!"},
    {2408, "Error opening tide station file: '%s'"},
    {2410, "Error initializing tide!"},
    {2411, "Internal tide program logic error!"},
    {2501, "Open a Tide or Current Window first, then try changing the location."},
    {2502, "The window is too small to show the table.  Resize the window to a larger size, and try again."},
    {2600, "Unable to graph. Delta between high and low values is too great!"},
    {2601, "Unable to graph (1). Graph type specified is invalid!"},
    {2602, "Unable to graph (2). Graph type specified is invalid!"},
    {2603, "Insufficient data to perform predictions. NOAA does not have published corrections for this location. Check Notes for more details."},
    {2605, "NOAA has incomplete correction data for this location. As a result, the graph may appear incomplete. Click here to view graph."},
    {2801, "This is the last color scheme. Unable to remove it from the list."},
    {2802, "High range line has been disabled. Please convert the high range values to the units you are now using."},
    {2803, "Low range line has been disabled. Please convert the high range values to the units you are now using."},
    {2900, "The Earth series file '%s' is damaged (%s). Sun and moon times are not available."},
    {2901, "the index is shorter than 72 bytes"},
    {2902, "a term count is negative"},
    {2903, "%ld bytes expected, %ld found"},
    {2904, "a term is not a number"},
    {3000, "Real Time Tide list is full. Unable to add another location."},
    {3002, "Real Time Current list is full.  Unable to add another location."},
    {3004, "Error updating Real Time window!"},
    {3200, "You do not have data for the date specified.\n\nThe program does not support dates prior to %d/%d/%d."},
    {3201, "You do not have data for the date specified.\n\nThe program does not support dates after %d/%d/%d."},
    {3202, "Regional data for the current information is not installed. Unable to calculate prediction."},
    {3203, "Regional data for the tide information is not installed. Unable to calculate prediction."},
};

static_assert(std::is_sorted(std::begin(kStrings), std::end(kStrings),
                             [](const StringEntry& a, const StringEntry& b) { return a.id < b.id; }),
              "string table must be sorted by id");

}  // namespace

const char* StringText(int id) {
  auto it = std::lower_bound(std::begin(kStrings), std::end(kStrings), id,
                             [](const StringEntry& e, int key) { return e.id < key; });
  if (it == std::end(kStrings) || it->id != id) return "";
  return it->text;
}

}  // namespace qw
