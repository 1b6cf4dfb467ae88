// Shows the engine's reports as message boxes: numbered engine messages captioned
// "Quaywise Pro: <number>" with an error icon, damaged-data warnings captioned
// "Information" with a warning icon.
#pragma once

#include <QWidget>
#include <functional>

namespace qw {

// `parent` gives the window the boxes belong to at the moment of the report (the main
// window once it exists); it may return nullptr.
void InstallMessageBoxReporter(std::function<QWidget*()> parent);

}  // namespace qw
