// The main frame's side of the real-time window: making, showing and switching it off
// from the Options menu, and the charting program's real-time requests.
#include "app/main_frame.h"

#include "shell/real_time_list.h"

namespace qw {

void MainFrame::SetRealTimeFactory(RealTimeFactory factory) {
  realTimeFactory_ = std::move(factory);
  UpdateCommands();
}

void MainFrame::ShowRealTimeWindow() {
  if (!realTime_ && realTimeFactory_) {
    realTime_ = realTimeFactory_();
    if (realTime_) {
      connect(realTime_, &RealTimeDisplay::switchedOff, this, [this] {
        if (realTime_) realTime_->deleteLater();
        realTime_ = nullptr;
        UpdateCommands();
      });
    }
  }
  if (!realTime_) return;
  settings_.realTimeEnabled = 1;
  realTime_->show();
  realTime_->raise();
  UpdateCommands();
}

void MainFrame::SwitchOffRealTime() {
  if (realTime_) {
    realTime_->SwitchOff();  // the window clears Enabled and says it is off
  } else {
    settings_.realTimeEnabled = 0;
  }
  UpdateCommands();
}

bool MainFrame::RealTimeDialogOpen() const { return realTime_ && realTime_->DialogOpen(); }

int MainFrame::RealTimeEntryCount(StationKind kind) const {
  return static_cast<int>(ReadRealTimeList(file_, kind).size());
}

void MainFrame::AddRealTimeStation(const StationRef& station) {
  AddToRealTimeList(file_, station);
  file_.Save();
}

void MainFrame::RefreshRealTime() {
  if (realTime_) realTime_->Refresh();
}

void MainFrame::ShowRealTime(int mode) {
  if (mode == 1 || mode == 2) {
    ShowRealTimeWindow();
    if (realTime_) {
      realTime_->SetAlwaysOnTop(mode == 2);
    } else {
      settings_.realTimeAlwaysOnTop = mode == 2 ? 1 : 0;
    }
    return;
  }
  Run(Command::RealTimeWindow);
}

void MainFrame::SetRealTimeOptions(bool showChange, bool clearLists) {
  settings_.realTimeShowChange = showChange ? 1 : 0;
  if (clearLists) {
    WriteRealTimeList(file_, StationKind::Tide, {});
    WriteRealTimeList(file_, StationKind::Current, {});
  }
  file_.Save();
}

}  // namespace qw
