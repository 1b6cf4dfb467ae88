// The real-time window: a small window, optionally on top of every other, that follows
// the present moment at the stations of its two lists. A thin strip at the top is its
// caption (drag it to move the window) with the setup, pin and close buttons; each row
// shows a station's height or speed now and, when asked, the time left to its next
// change. A one-minute timer recomputes every `UpdatePeriod` minutes.
#pragma once

#include <QDateTime>
#include <QPointer>
#include <functional>
#include <vector>

#include "present/real_time_board.h"
#include "settings/app_settings.h"
#include "settings/profile_file.h"
#include "shell/location_choice.h"
#include "shell/real_time_display.h"
#include "windows/minute_timer.h"
#include "windows/real_time_lists.h"

class QListView;
class QToolButton;
class QLabel;

namespace qw {

class CatalogueDirectory;
class RealTimeModel;

// An open tide or current window the lists can take a station from.
struct OpenLocationInfo {
  StationRef station;
  QString title;
};

// What the window asks of the rest of the program.
struct RealTimeServices {
  LocationChooser choose;  // the location dialog (purposes 5 and 6)
  std::function<std::vector<OpenLocationInfo>()> openWindows;
  std::function<void(const StationRef&)> openStation;  // a new tide or current window
};

class RealTimeWindow : public RealTimeDisplay {
  Q_OBJECT

 public:
  RealTimeWindow(const CatalogueDirectory& catalogue, AppSettings& settings, ProfileFile& file,
                 RealTimeServices services, WallClock clock = SystemClock(), QWidget* parent = nullptr);
  ~RealTimeWindow() override;

  // RealTimeDisplay
  void Refresh() override;
  void SetAlwaysOnTop(bool onTop) override;
  bool DialogOpen() const override { return dialogOpen_; }
  void RememberPosition() override;

  // The setup dialog; true when OK was pressed.
  bool Setup();
  // Adds stations of a kind through the location dialog, then refreshes.
  void AddStations(StationKind kind);
  // Offers the open tide and current windows.
  void AddOpenWindows();
  // Removes the entry of a row, or every entry.
  void DeleteEntry(int row);
  void DeleteAll();
  // The close button: the window is switched off.
  void SwitchOff() override;

  // One tick of the minute timer (the tests call it with their own clock).
  void Tick();
  int ticks() const { return ticks_; }

  const RealTimeBoard& board() const { return board_; }
  RealTimeModel* model() const { return model_; }
  QListView* view() const { return view_; }
  QString caption() const;
  bool alwaysOnTop() const;

 protected:
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  friend class RealTimeStrip;
  void UpdateValues(const QDateTime& now);
  void UpdateCaption(const QDateTime& now);
  void FitToRows();
  void ApplyFont();
  void SaveLists(const RealTimeLists& lists);
  void SaveRealTimeKeys();
  void MoveTo(const QPoint& topLeft);
  QRect ScreenArea() const;

  const CatalogueDirectory& catalogue_;
  AppSettings& settings_;
  ProfileFile& file_;
  RealTimeServices services_;
  WallClock clock_;
  RealTimeBoard board_;
  RealTimeModel* model_ = nullptr;
  MinuteTimer* timer_ = nullptr;
  QListView* view_ = nullptr;
  QWidget* strip_ = nullptr;
  QLabel* captionLabel_ = nullptr;
  QToolButton* pin_ = nullptr;
  QLabel* emptyHint_ = nullptr;
  int ticks_ = 0;
  bool dialogOpen_ = false;
  bool shownOnce_ = false;
  bool switchedOff_ = false;
};

}  // namespace qw
