// The engine's headers first: Qt's headers define "slots" as a word.
#include "engine/held_data.h"
//
#include "app/idle_warm_up.h"

#include <QApplication>
#include <QFont>
#include <QImage>
#include <QPainter>

#include "engine/calendar.h"
#include "engine/installed_catalogue.h"
#include "engine/report.h"
#include "present/font_setting.h"

namespace qw {
namespace {

// Every printable ASCII character, as station names, dates and heights are made of.
constexpr const char* kSampleText =
    "San Francisco (Golden Gate), California - Tides 0123456789 ABCDEFGHIJKLMNOPQRSTUVWXYZ "
    "abcdefghijklmnopqrstuvwxyz .,:;-+()/'\"&!?#%*=<>[]_";

void DrawSample(QPainter& painter, const QFont& font) {
  painter.setFont(font);
  painter.drawText(QRect(0, 0, 1200, 40), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                   QString::fromLatin1(kSampleText));
}

}  // namespace

void WarmUpForFirstWindow(const AppSettings& settings, const CatalogueDirectory& catalogue,
                          const std::optional<StationRef>& station) {
  // Drawn on an image like the window's backing store, so that the fonts are loaded, the
  // text shaped and the glyphs cached as the window will need them.
  QImage image(1200, 40, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  {
    QPainter painter(&image);
    DrawSample(painter, QApplication::font("QMdiSubWindowTitleBar"));
    DrawSample(painter, QApplication::font());
    DrawSample(painter, FontFromSetting(settings.tideFont));
  }

  // The side catalogue and the datums, read whole on first use: they name every window's
  // source and datum.
  InstalledSources();
  InstalledDatums();

  if (!station || station->kind != StationKind::Tide) return;
  TideLocation record;
  if (!catalogue.ReadTide(*station, record) || record.referenceId == 0) return;
  const EngineReporter previous = SetEngineReporter([](const EngineReport&) {});
  DateRecord today;
  MinuteToDate(catalogue.ClockOf(*station, record).Today(), today);
  LoadTideHarmonics(record.referenceId, today.year, today.month);
  SetEngineReporter(previous);
}

}  // namespace qw
