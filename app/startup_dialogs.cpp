#include "app/startup_dialogs.h"

#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/frame_icons.h"
#include "engine/report.h"

namespace qw {

void ShowCaution(QWidget* parent, bool& showAgain) {
  QMessageBox box(QMessageBox::Warning, "Caution",
                  "Tide and current predictions are computed from published harmonic constants. Actual water "
                  "levels and currents also depend on weather, river flow and other local conditions, and may "
                  "differ considerably from the predictions.\n\nUse these predictions together with official "
                  "tables, charts and local knowledge; do not rely on them alone for navigation.",
                  QMessageBox::Ok, parent);
  auto* again = new QCheckBox("Show this caution at start");
  again->setChecked(showAgain);
  box.setCheckBox(again);
  box.exec();
  showAgain = again->isChecked();
}

WelcomeChoice ShowWelcome(QWidget* parent, bool currentsAvailable, bool& showAgain) {
  QDialog dialog(parent);
  dialog.setWindowTitle(QString("Welcome to ") + kProductName);
  auto* layout = new QVBoxLayout(&dialog);
  auto* heading = new QLabel(QString("<h3>Welcome to %1</h3>").arg(kProductName));
  heading->setTextFormat(Qt::RichText);
  layout->addWidget(heading);
  auto* text = new QLabel(
      "Open a tide window to see the high and low waters of a station, its day graph and the sun and moon "
      "times. Use the Time menu or the arrow buttons of the toolbar to step through the days, and "
      "Options, Configure to choose units, the clock and the graph style.");
  text->setWordWrap(true);
  layout->addWidget(text);
  auto* buttons = new QDialogButtonBox;
  QPushButton* tide = buttons->addButton("Open a &Tide Window...", QDialogButtonBox::AcceptRole);
  QPushButton* current = buttons->addButton("Open a C&urrent Window...", QDialogButtonBox::AcceptRole);
  current->setEnabled(currentsAvailable);
  buttons->addButton("&Close", QDialogButtonBox::RejectRole);
  layout->addWidget(buttons);
  auto* again = new QCheckBox("Show this dialog at start");
  again->setChecked(showAgain);
  layout->addWidget(again);
  tide->setIcon(CommandIcon(Command::NewTideWindow));
  current->setIcon(CommandIcon(Command::NewCurrentWindow));

  WelcomeChoice choice = WelcomeChoice::Close;
  QObject::connect(tide, &QPushButton::clicked, &dialog, [&] {
    choice = WelcomeChoice::NewTideWindow;
    dialog.accept();
  });
  QObject::connect(current, &QPushButton::clicked, &dialog, [&] {
    choice = WelcomeChoice::NewCurrentWindow;
    dialog.accept();
  });
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  dialog.resize(460, dialog.sizeHint().height());
  dialog.exec();
  showAgain = again->isChecked();
  return choice;
}

}  // namespace qw
