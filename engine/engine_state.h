// One entry point that returns the whole engine to its state at program start.
//
// The engine keeps module-level state (held tables and records, caches, open region
// files, event windows). Each subsystem keeps its state in one place and exposes a
// reset; ResetEngine calls them all. Tests call it before every case.
#pragma once

namespace qw {

// Frees every held table, record, cache and open file; settings and the installed
// reporter are left as they are.
void ResetEngine();

}  // namespace qw
