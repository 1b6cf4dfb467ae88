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
    {2800, "The Earth series file '%s' is damaged (%s). Sun and moon times are not available."},
    {2801, "the index is shorter than 72 bytes"},
    {2802, "a term count is negative"},
    {2803, "%ld bytes expected, %ld found"},
    {2804, "a term is not a number"},
    {3200, "You do not have data for the date specified.\n\nThe program does not support dates prior to %d/%d/%d."},
    {3201, "You do not have data for the date specified.\n\nThe program does not support dates after %d/%d/%d."},
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
