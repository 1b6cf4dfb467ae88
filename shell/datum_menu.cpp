#include "shell/datum_menu.h"

#include <QPointer>

namespace qw {
namespace {

// Why a window offers no choice of datum.
const char* NoChoiceText(const LocationWindow* window) {
  if (!window) return "No station window is active";
  return window->station().kind == StationKind::Current ? "Currents have no datum" : "Heights on the chart datum only";
}

QString EntryText(const std::vector<std::string>& datums, size_t i) {
  return QString::fromStdString(i == 0 ? datums[i] + " (chart datum)" : datums[i]);
}

}  // namespace

void FillDatumMenu(QMenu& menu, LocationWindow* window) {
  menu.clear();
  const std::vector<std::string> datums = window ? window->datums() : std::vector<std::string>();
  if (datums.empty()) {
    menu.addAction(NoChoiceText(window))->setEnabled(false);
    menu.setEnabled(window != nullptr && window->station().kind == StationKind::Tide);
    return;
  }
  menu.setEnabled(true);
  const std::string current = window->datum();
  QPointer<LocationWindow> target(window);
  for (size_t i = 0; i < datums.size(); ++i) {
    const std::string& name = datums[i];
    QAction* action = menu.addAction(EntryText(datums, i));
    action->setCheckable(true);
    action->setChecked(name == current);
    QObject::connect(action, &QAction::triggered, &menu, [target, name] {
      if (target) target->SetDatum(name);
    });
  }
}

void FillDatumBox(QComboBox& box, LocationWindow* window) {
  box.clear();
  const std::vector<std::string> datums = window ? window->datums() : std::vector<std::string>();
  box.setEnabled(!datums.empty());
  if (datums.empty()) {
    box.addItem(NoChoiceText(window), QString());
    return;
  }
  const std::string current = window->datum();
  for (size_t i = 0; i < datums.size(); ++i) {
    box.addItem(EntryText(datums, i), QString::fromStdString(datums[i]));
    if (datums[i] == current) box.setCurrentIndex(static_cast<int>(i));
  }
}

}  // namespace qw
