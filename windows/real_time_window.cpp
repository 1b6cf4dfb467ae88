#include "windows/real_time_window.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "present/font_setting.h"
#include "present/real_time_model.h"
#include "present/real_time_texts.h"
#include "settings/catalogue_directory.h"
#include "settings/settings_store.h"
#include "shell/help_viewer.h"
#include "shell/user_notices.h"
#include "windows/real_time_rows.h"
#include "windows/real_time_setup.h"

namespace qw {

constexpr const char* kPilotPrompt =
    "The Real Time window is a powerful tool that allows you to track tides and currents while using other "
    "applications.";

// The caption strip: half a caption high, it moves the window when dragged and holds the
// setup, pin and close buttons.
class RealTimeStrip : public QWidget {
 public:
  explicit RealTimeStrip(RealTimeWindow* window) : QWidget(window), window_(window) {
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor(20, 60, 120));
    colours.setColor(QPalette::WindowText, Qt::white);
    setPalette(colours);
    const int height = std::max(12, style()->pixelMetric(QStyle::PM_TitleBarHeight) / 2);
    setFixedHeight(height);
  }

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() != Qt::LeftButton) return;
    grab_ = event->globalPosition().toPoint() - window_->pos();
    dragging_ = true;
  }
  void mouseMoveEvent(QMouseEvent* event) override {
    if (dragging_) window_->MoveTo(event->globalPosition().toPoint() - grab_);
  }
  void mouseReleaseEvent(QMouseEvent*) override { dragging_ = false; }

 private:
  RealTimeWindow* window_;
  QPoint grab_;
  bool dragging_ = false;
};

namespace {

QToolButton* StripButton(QWidget* strip, const QString& text, const QString& tip) {
  auto* button = new QToolButton(strip);
  button->setText(text);
  button->setToolTip(tip);
  button->setAutoRaise(true);
  button->setFixedSize(strip->height() + 4, strip->height());
  button->setStyleSheet("QToolButton { color: white; border: none; padding: 0; font-weight: bold; }"
                        "QToolButton:checked { background: #3c78c8; }");
  QFont font = button->font();
  font.setPixelSize(std::max(9, strip->height() - 3));
  button->setFont(font);
  return button;
}

}  // namespace

RealTimeWindow::RealTimeWindow(const CatalogueDirectory& catalogue, AppSettings& settings, ProfileFile& file,
                               RealTimeServices services, WallClock clock, QWidget* parent)
    : RealTimeDisplay(parent),
      catalogue_(catalogue),
      settings_(settings),
      file_(file),
      services_(std::move(services)),
      clock_(clock ? std::move(clock) : SystemClock()) {
  setObjectName("RealTimePortClass");
  setWindowTitle("Real Time");
  Qt::WindowFlags flags = Qt::Tool | Qt::FramelessWindowHint;
  if (settings_.realTimeAlwaysOnTop) flags |= Qt::WindowStaysOnTopHint;
  setWindowFlags(flags);

  auto* strip = new RealTimeStrip(this);
  strip_ = strip;
  captionLabel_ = new QLabel(strip);
  QFont captionFont = captionLabel_->font();
  captionFont.setPixelSize(std::max(9, strip->height() - 3));
  captionLabel_->setFont(captionFont);
  captionLabel_->setAttribute(Qt::WA_TransparentForMouseEvents);
  auto* setup = StripButton(strip, QString::fromUtf8("\u2630"), "Setup (Enter)");
  pin_ = StripButton(strip, QString::fromUtf8("\u25B2"), "Keep the window on top of other windows");
  pin_->setCheckable(true);
  pin_->setChecked(settings_.realTimeAlwaysOnTop != 0);
  auto* close = StripButton(strip, QString::fromUtf8("\u2715"), "Close the Real Time window");
  auto* stripLayout = new QHBoxLayout(strip);
  stripLayout->setContentsMargins(4, 0, 0, 0);
  stripLayout->setSpacing(0);
  stripLayout->addWidget(captionLabel_, 1);
  stripLayout->addWidget(setup);
  stripLayout->addWidget(pin_);
  stripLayout->addWidget(close);
  connect(setup, &QToolButton::clicked, this, [this] { Setup(); });
  connect(pin_, &QToolButton::clicked, this, [this](bool on) {
    SetAlwaysOnTop(on);
    SaveRealTimeKeys();
  });
  connect(close, &QToolButton::clicked, this, &RealTimeWindow::SwitchOff);

  model_ = new RealTimeModel(board_, this);
  view_ = new QListView;
  view_->setModel(model_);
  view_->setItemDelegate(new RealTimeRowDelegate([this] { return settings_.realTimeShowChange != 0; }, view_));
  view_->setFrameShape(QFrame::NoFrame);
  view_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  view_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  view_->setSelectionMode(QAbstractItemView::SingleSelection);
  view_->installEventFilter(this);
  view_->setContextMenuPolicy(Qt::NoContextMenu);
  connect(view_, &QListView::doubleClicked, this, [this](const QModelIndex& index) {
    if (const RealTimeEntry* entry = model_->Entry(index.row()); entry && services_.openStation) {
      services_.openStation(entry->station);
    }
  });
  emptyHint_ = new QLabel("No stations yet.\nPress Enter or right-click to add some.");
  emptyHint_->setAlignment(Qt::AlignCenter);
  emptyHint_->setWordWrap(true);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(1, 1, 1, 1);
  layout->setSpacing(0);
  layout->addWidget(strip);
  layout->addWidget(view_, 1);
  layout->addWidget(emptyHint_, 1);
  ApplyFont();

  timer_ = new MinuteTimer(clock_, this);
  connect(timer_, &MinuteTimer::tick, this, &RealTimeWindow::Tick);
  Refresh();
  timer_->Start();
}

RealTimeWindow::~RealTimeWindow() = default;

void RealTimeWindow::Refresh() {
  const QDateTime now = clock_();
  const RealTimeLists lists = RealTimeLists::Read(file_);
  model_->Reload([&] { board_.Load(catalogue_, lists.tides, lists.currents, now); });
  UpdateValues(now);
  FitToRows();
}

void RealTimeWindow::UpdateValues(const QDateTime& now) {
  if (!board_.Update(now, settings_)) {
    // A day is over: the day tables are made again for the new day.
    const RealTimeLists lists = RealTimeLists::Read(file_);
    model_->Reload([&] { board_.Load(catalogue_, lists.tides, lists.currents, now); });
    board_.Update(now, settings_);
    FitToRows();
  }
  model_->ValuesChanged();
  UpdateCaption(now);
}

void RealTimeWindow::UpdateCaption(const QDateTime& now) {
  captionLabel_->setText(QString::fromStdString(CaptionText(now.toLocalTime(), settings_.timeType)));
}

QString RealTimeWindow::caption() const { return captionLabel_->text(); }

bool RealTimeWindow::alwaysOnTop() const { return windowFlags().testFlag(Qt::WindowStaysOnTopHint); }

void RealTimeWindow::Tick() {
  ++ticks_;
  const QDateTime now = clock_();
  const int period = std::clamp(settings_.realTimeUpdatePeriod, 1, 15);
  if (ticks_ % period == 0) {
    UpdateValues(now);
  } else {
    UpdateCaption(now);
  }
}

void RealTimeWindow::ApplyFont() {
  const QFont font = FontFromSetting(settings_.realTimeFont);
  view_->setFont(font);
  emptyHint_->setFont(font);
}

void RealTimeWindow::FitToRows() {
  const int rows = model_->rowCount();
  view_->setVisible(rows > 0);
  emptyHint_->setVisible(rows == 0);
  auto* delegate = static_cast<RealTimeRowDelegate*>(view_->itemDelegate());
  const QFontMetrics metrics(view_->font());
  const int width = std::max(300, metrics.averageCharWidth() * 44);
  const int body = rows > 0 ? rows * delegate->RowHeight(view_->font()) + 2 : metrics.height() * 4;
  setFixedSize(width, strip_->height() + body + 2);
}

void RealTimeWindow::SetAlwaysOnTop(bool onTop) {
  settings_.realTimeAlwaysOnTop = onTop ? 1 : 0;
  pin_->setChecked(onTop);
  if (alwaysOnTop() == onTop) return;
  const bool visible = isVisible();
  setWindowFlag(Qt::WindowStaysOnTopHint, onTop);  // hides the window
  if (visible) show();
}

void RealTimeWindow::RememberPosition() {
  if (!settings_.realTimeRememberPos) return;
  settings_.realTimeX = pos().x();
  settings_.realTimeY = pos().y();
}

void RealTimeWindow::SaveLists(const RealTimeLists& lists) {
  lists.Write(file_);
  file_.Save();
}

void RealTimeWindow::SaveRealTimeKeys() {
  SaveRealTimeSettings(settings_, file_);
  file_.Save();
}

QRect RealTimeWindow::ScreenArea() const {
  const QScreen* where = screen() ? screen() : QGuiApplication::primaryScreen();
  return where ? where->availableGeometry() : QRect(0, 0, 1024, 768);
}

void RealTimeWindow::MoveTo(const QPoint& topLeft) {
  const QRect area = ScreenArea();
  const int x = std::clamp(topLeft.x(), area.left(), std::max(area.left(), area.right() + 1 - width()));
  const int y = std::clamp(topLeft.y(), area.top(), std::max(area.top(), area.bottom() + 1 - height()));
  move(x, y);
}

void RealTimeWindow::showEvent(QShowEvent* event) {
  RealTimeDisplay::showEvent(event);
  if (shownOnce_) return;
  shownOnce_ = true;
  const QRect area = ScreenArea();
  const QPoint remembered(settings_.realTimeX, settings_.realTimeY);
  bool onScreen = false;
  for (const QScreen* each : QGuiApplication::screens()) onScreen = onScreen || each->availableGeometry().contains(remembered);
  // (0, 0) is the settings' default: a window never placed starts at the top-right corner.
  const bool placed = remembered != QPoint(0, 0);
  if (settings_.realTimeRememberPos && placed && onScreen) {
    MoveTo(remembered);
  } else {
    MoveTo(QPoint(area.right() + 1 - width(), area.top()));
  }
  if (settings_.programPilot) {
    QTimer::singleShot(0, this, [this] {
      if (Ask(this, "Real Time", QString(kPilotPrompt) + "\n\nDo you want to configure it now?")) Setup();
    });
  }
}

void RealTimeWindow::keyPressEvent(QKeyEvent* event) {
  const QRect area = ScreenArea();
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: Setup(); break;
    case Qt::Key_PageUp: MoveTo(QPoint(area.right() + 1 - width(), area.top())); break;
    case Qt::Key_PageDown: MoveTo(QPoint(area.right() + 1 - width(), area.bottom() + 1 - height())); break;
    case Qt::Key_End: MoveTo(QPoint(area.left(), area.bottom() + 1 - height())); break;
    case Qt::Key_Home: MoveTo(area.topLeft()); break;
    case Qt::Key_Left: MoveTo(pos() + QPoint(-1, 0)); break;
    case Qt::Key_Right: MoveTo(pos() + QPoint(1, 0)); break;
    case Qt::Key_Up: MoveTo(pos() + QPoint(0, -1)); break;
    case Qt::Key_Down: MoveTo(pos() + QPoint(0, 1)); break;
    case Qt::Key_F1: ShowHelp("real_time", this); break;
    default: RealTimeDisplay::keyPressEvent(event); return;
  }
  event->accept();
}

bool RealTimeWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == view_ && event->type() == QEvent::KeyPress) {
    keyPressEvent(static_cast<QKeyEvent*>(event));
    return event->isAccepted();
  }
  return RealTimeDisplay::eventFilter(watched, event);
}

void RealTimeWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setPen(QColor(20, 60, 120));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void RealTimeWindow::closeEvent(QCloseEvent* event) {
  // Closed by the user through the window manager: the same as the close button. The
  // application closes its windows when it quits too; the window then stays enabled for
  // the next start.
  if (event->spontaneous()) SwitchOff();
  event->accept();
}

void RealTimeWindow::contextMenuEvent(QContextMenuEvent* event) {
  const QModelIndex index = view_->indexAt(view_->viewport()->mapFrom(this, event->pos()));
  QMenu menu(this);
  menu.addAction("&Setup...", this, [this] { Setup(); });
  menu.addAction("&Refresh", this, &RealTimeWindow::Refresh);
  menu.addSeparator();
  menu.addAction("Add &Tide...", this, [this] { AddStations(StationKind::Tide); })->setEnabled(bool(services_.choose));
  menu.addAction("Add &Current...", this, [this] { AddStations(StationKind::Current); })
      ->setEnabled(bool(services_.choose));
  menu.addAction("Add Open &Windows...", this, &RealTimeWindow::AddOpenWindows)->setEnabled(bool(services_.openWindows));
  QAction* remove = menu.addAction("&Delete", this, [this, row = index.row()] { DeleteEntry(row); });
  remove->setEnabled(index.isValid());
  menu.addAction("Delete &All", this, &RealTimeWindow::DeleteAll)->setEnabled(model_->rowCount() > 0);
  menu.addSeparator();
  QAction* onTop = menu.addAction("Always on &Top");
  onTop->setCheckable(true);
  onTop->setChecked(alwaysOnTop());
  connect(onTop, &QAction::toggled, this, [this](bool on) {
    SetAlwaysOnTop(on);
    SaveRealTimeKeys();
  });
  menu.addAction("&Close", this, &RealTimeWindow::SwitchOff);
  menu.exec(event->globalPos());
}

bool RealTimeWindow::Setup() {
  if (dialogOpen_) return false;
  dialogOpen_ = true;
  RealTimeSetupDialog dialog(catalogue_, settings_, RealTimeLists::Read(file_), services_, this);
  const bool accepted = dialog.exec() == QDialog::Accepted;
  if (accepted) {
    SaveLists(dialog.lists());
    dialog.WriteOptions(settings_);
    SaveRealTimeKeys();
    SetAlwaysOnTop(settings_.realTimeAlwaysOnTop != 0);
    ApplyFont();
    Refresh();
  }
  dialogOpen_ = false;
  return accepted;
}

void RealTimeWindow::AddStations(StationKind kind) {
  RealTimeLists lists = RealTimeLists::Read(file_);
  const RealTimeLists before = lists;
  dialogOpen_ = true;
  AddThroughLocationDialog(lists, kind, services_.choose, this);
  dialogOpen_ = false;
  if (lists == before) return;
  SaveLists(lists);
  Refresh();
}

void RealTimeWindow::AddOpenWindows() {
  if (!services_.openWindows) return;
  dialogOpen_ = true;
  const std::vector<StationRef> chosen = ChooseOpenWindows(services_.openWindows(), this);
  RealTimeLists lists = RealTimeLists::Read(file_);
  const AddManyOutcome outcome = AddOpenStations(lists, chosen, this);
  dialogOpen_ = false;
  if (outcome.added == 0) return;
  SaveLists(lists);
  Refresh();
}

void RealTimeWindow::DeleteEntry(int row) {
  const RealTimeEntry* entry = model_->Entry(row);
  if (!entry) return;
  RealTimeLists lists = RealTimeLists::Read(file_);
  std::vector<StationRef>& list = lists.Of(entry->station.kind);
  const auto it = std::find(list.begin(), list.end(), entry->station);
  if (it == list.end()) return;
  list.erase(it);
  SaveLists(lists);
  Refresh();
}

void RealTimeWindow::DeleteAll() {
  SaveLists(RealTimeLists{});
  Refresh();
}

void RealTimeWindow::SwitchOff() {
  if (switchedOff_) return;
  switchedOff_ = true;
  RememberPosition();
  settings_.realTimeEnabled = 0;
  SaveRealTimeKeys();
  timer_->Stop();
  hide();
  emit switchedOff();
}

}  // namespace qw
