// The two boxes the program may show at start: the caution about relying on
// predictions, and the welcome dialog with its shortcuts to the first window.
#pragma once

#include <QWidget>

namespace qw {

// The caution; the user confirms it. `showAgain` carries the "show at start" box.
void ShowCaution(QWidget* parent, bool& showAgain);

enum class WelcomeChoice { Close, NewTideWindow, NewCurrentWindow };
WelcomeChoice ShowWelcome(QWidget* parent, bool currentsAvailable, bool& showAgain);

}  // namespace qw
