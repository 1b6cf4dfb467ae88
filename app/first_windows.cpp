#include "app/first_windows.h"

#include "app/startup_dialogs.h"
#include "app/tip_of_the_day.h"

namespace qw {

void OpenFirstWindows(MainFrame& frame, AppSettings& settings, const FirstWindowsStart& start) {
  if (settings.autoOpen && !settings.showWelcome) frame.ReopenLastWindows();
  if (!start.minimized && !start.integrated) {
    if (settings.tipShowAtStartup) frame.ShowTipOfTheDay();
    if (settings.showCaution) ShowCaution(&frame, settings.showCaution);
    if (settings.showWelcome) {
      switch (ShowWelcome(&frame, start.currentsAvailable, settings.showWelcome)) {
        case WelcomeChoice::NewTideWindow: frame.Run(Command::NewTideWindow); break;
        case WelcomeChoice::NewCurrentWindow: frame.Run(Command::NewCurrentWindow); break;
        case WelcomeChoice::Close: break;
      }
    }
  }
  if (settings.realTimeEnabled) frame.ShowRealTimeWindow();
  // A later start that ends with no window (the user closed them all, or does not reopen
  // them) stays empty: the user chose so.
  if (settings.firstStart && frame.LocationWindows().empty() && !start.integrated && start.defaultStation) {
    frame.OpenLocation(*start.defaultStation);
  }
}

}  // namespace qw
