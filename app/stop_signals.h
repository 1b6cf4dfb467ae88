// An orderly stop when the system asks the program to end (SIGTERM at logout or
// shutdown, SIGINT, SIGHUP): the request is passed to the event loop, which closes the
// main window so the settings and open windows are saved as on Exit.
#pragma once

#include <QObject>
#include <functional>

namespace qw {

// Installs the handlers; `stop` runs in the event loop when a signal arrives.
void StopOnSignals(QObject* context, std::function<void()> stop);

}  // namespace qw
