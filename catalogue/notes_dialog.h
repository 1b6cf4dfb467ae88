// The notes dialog of a station: three tabs, "Official Notes", "User Notes" and
// "General Notes". Only the user notes can be edited; OK saves them (deleting the note
// file when they hold only blanks), Cancel asks before losing changes.
#pragma once

#include <QDialog>

#include "catalogue/location_purpose.h"
#include "settings/app_settings.h"
#include "stations/station_notes.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;

namespace qw {

class NotesDialog : public QDialog {
  Q_OBJECT

 public:
  // `userNotes` false shows the user notes tab read-only and empty: entries without a
  // station ID (general areas) all share ID 0 and so cannot have notes of their own.
  NotesDialog(const NotesSubject& subject, bool userNotes, QWidget* parent = nullptr);
  ~NotesDialog() override;

  // Shows the notes of a station of the catalogue in the view the location dialog chose.
  static void Show(const StationIndex& index, const StationRef& station, NotesView view, QWidget* parent);

  QTabWidget* tabs() const { return tabs_; }
  QPlainTextEdit* officialText() const { return official_; }
  QPlainTextEdit* userText() const { return user_; }
  QPlainTextEdit* generalText() const { return general_; }
  QLabel* identityWarning() const { return identity_; }
  bool userNotesChanged() const { return changed_; }
  // "&Next": the next tab, from the last back to the first.
  void NextTab();

  void accept() override;
  void reject() override;

 private:
  NotesSubject subject_;
  bool userNotes_;
  bool changed_ = false;
  QTabWidget* tabs_ = nullptr;
  QPlainTextEdit* official_ = nullptr;
  QPlainTextEdit* user_ = nullptr;
  QPlainTextEdit* general_ = nullptr;
  QLabel* identity_ = nullptr;
};

// When a window opens for a station with official or user notes and the program pilot is
// on, offers to show them ("WARNING: NOAA notes exist for this location..."); true when
// the user asked to see them.
bool OfferNotesOnOpening(const NotesSubject& subject, const AppSettings& settings, QWidget* parent);
// The question OfferNotesOnOpening asks, or an empty text when there are no notes.
QString NotesOnOpeningQuestion(const NotesSubject& subject);

}  // namespace qw
