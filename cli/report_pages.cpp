// The work of quaywise-cli report: a report of one or more tide stations written to a PDF
// file, through the same page composer the Print Report dialog prints with. quaywise-cli
// has it in its report library (see report_command.h); the tests link it directly.
#include <QCoreApplication>
#include <QGuiApplication>
#include <cstdlib>
#include <memory>
#include <optional>

#include "cli/cli_context.h"
#include "cli/cli_errors.h"
#include "cli/dates.h"
#include "cli/report_command.h"
#include "cli/run_cli.h"
#include "cli/station_ref.h"
#include "reports/print_loop.h"
#include "reports/report_composer.h"
#include "settings/color_schemes.h"
#include "settings/settings_store.h"
#include "stations/station_index.h"
#include "stations/station_notes.h"

namespace qw::cli {
namespace {


// Fonts and the PDF writer need a GUI application object; without a display the
// offscreen platform serves. The object lives while the command runs (nothing when the
// caller already has one), so that Qt's font caches go with it before the program ends.
std::unique_ptr<QGuiApplication> GuiApplicationForCommand() {
  if (QCoreApplication::instance()) return nullptr;
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "quaywise-cli";
  static char* argv[] = {name, nullptr};
  return std::make_unique<QGuiApplication>(argc, argv);
}

ReportKind ParseKind(const std::string& text) {
  if (text == "daily") return ReportKind::Daily;
  if (text == "monthly") return ReportKind::Monthly;
  if (text == "three-month") return ReportKind::ThreeMonth;
  if (text == "custom") return ReportKind::Custom;
  if (text == "notes") return ReportKind::Notes;
  throw UsageError("--kind must be daily, monthly, three-month, custom or notes, not '" + text + "'");
}

ReportFormat ParseStyle(const std::string& text) {
  if (text == "text") return ReportFormat::Text;
  if (text == "bar") return ReportFormat::BarGraph;
  if (text == "filled") return ReportFormat::FilledGraph;
  if (text == "smooth") return ReportFormat::SmoothGraph;
  throw UsageError("--style must be text, bar, filled or smooth, not '" + text + "'");
}

}  // namespace

int RunReport(CliContext& context, const ParsedArgs& args) {
  if (args.positional.empty()) throw UsageError("report needs at least one STATION");
  const std::string output = args.Required("output", "report");
  ReportJob job;
  job.kind = ParseKind(args.Required("kind", "report"));
  job.format = args.Value("style") ? ParseStyle(*args.Value("style")) : ReportFormat::Text;
  const auto to = args.Value("to");
  // The notes belong to no date; the other kinds need one.
  DayRange range;
  if (job.kind == ReportKind::Notes && !args.Has("from")) {
    DateRecord now{};  // year 0: the computer's clock
    const EngineMinute minute = DateToMinute(now);
    range.first = range.last = minute - minute % kMinutesPerDay;
  } else {
    range = ParseDayRange(args.Required("from", "report"), to ? &*to : nullptr);
  }
  job.useRange = true;
  job.rangeStart = range.first;
  job.rangeEnd = range.last;

  AppSettings settings;
  settings.colors = BuiltInColorScheme();
  ReportOptions options;
  if (auto path = args.Value("settings")) {
    ProfileFile file{std::filesystem::path(*path)};
    switch (file.Load()) {
      case ProfileFile::LoadResult::Loaded: break;
      case ProfileFile::LoadResult::Missing: throw UsageError("--settings " + *path + ": no such file");
      default: throw UsageError("--settings " + *path + ": " + file.loadProblem());
    }
    settings = LoadSettings(file, SystemTimeZoneBiasMinutesWest());
    options = LoadReportOptions(file);
  }
  const StationKind kind = args.Has("currents") ? StationKind::Current : StationKind::Tide;
  if (auto units = args.Value("units")) {
    if (kind == StationKind::Current && (*units == "kt" || *units == "mps")) {
      settings.currentUnit = *units == "kt" ? CurrentUnit::Knots : CurrentUnit::MetresPerSecond;
    } else if (kind == StationKind::Tide && *units == "ft") {
      settings.tideUnit = TideUnit::Feet;
    } else if (kind == StationKind::Tide && *units == "m") {
      settings.tideUnit = TideUnit::Metres;
    } else if (kind == StationKind::Tide && *units == "cm") {
      settings.tideUnit = TideUnit::Centimetres;
    } else {
      throw UsageError(std::string("--units must be ") + (kind == StationKind::Tide ? "ft, m or cm" : "kt or mps") +
                       ", not '" + *units + "'");
    }
  }
  if (auto clock = args.Value("clock")) {
    if (*clock != "12" && *clock != "24") throw UsageError("--clock must be 12 or 24, not '" + *clock + "'");
    settings.timeType = *clock == "12" ? TimeType::Clock12 : TimeType::Clock24;
  }
  if (args.Has("color")) settings.reportUseColor = true;
  if (args.Has("landscape")) options.landscape = true;
  if (args.Has("sun")) options.sunriseSunset = options.sunriseShading = true;
  if (args.Has("moon")) options.moonriseMoonset = true;

  std::vector<ResolvedStation> stations;
  std::optional<StationIndex> index;
  if (job.kind == ReportKind::Notes) {
    index.emplace();
    index->Build(context.Regions(StationKind::Tide), context.Regions(StationKind::Current));
  }
  for (const std::string& text : args.positional) {
    stations.push_back(ResolveStation(context, text, kind));
    if (job.kind != ReportKind::Notes) RequirePredictions(stations.back());
    // The settings' default datum where the station has it (else its chart datum), or --datum.
    if (kind == StationKind::Tide) SelectDatum(stations.back().tide, DatumsOf(context, stations.back()), settings.datum);
    ApplyDatumOption(context, stations.back(), args);
    ReportLocation location;
    location.kind = kind;
    location.tide = stations.back().tide;
    location.current = stations.back().current;
    location.windowDay = range.first;
    if (index) {
      const ResolvedStation& station = stations.back();
      StationNotesTexts texts;
      const StationRef ref{kind, static_cast<uint16_t>(station.slot), static_cast<uint16_t>(station.index)};
      if (!NotesTextsOf(*index, ref, texts)) throw EngineFailure("the notes of " + std::string(station.name()) + " could not be read");
      location.notes = {texts.official, texts.user, texts.general};
    }
    job.locations.push_back(location);
  }

  const std::unique_ptr<QGuiApplication> application = GuiApplicationForCommand();
  ReportComposer composer(job, options, settings);
  if (!composer.bitmapProblem().isEmpty()) {
    std::fprintf(context.err(), "%s\n", composer.bitmapProblem().toLocal8Bit().constData());
  }
  QString error;
  const PrintResult result = WriteReportPdf(QString::fromStdString(output), composer, ReportPageLayout(options), {}, &error);
  if (result == PrintResult::NoRoom) throw UsageError(error.toStdString());
  if (result != PrintResult::Printed) throw EngineFailure(error.toStdString());
  std::fprintf(context.out(), "%d pages written to %s\n", composer.pageCount(), output.c_str());
  return kExitOk;
}

}  // namespace qw::cli

// The report library's entry: the whole command line again, run by this library's own
// copy of the program's commands and engine.
extern "C" QW_REPORT_LIBRARY_EXPORT int quaywise_cli_report(const std::vector<std::string>* arguments,
                                                            std::FILE* out, std::FILE* err) {
  return qw::cli::RunCli(*arguments, out, err);
}
