#include "catalogue/notes_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "engine/report.h"
#include "engine/string_table.h"
#include "shell/user_notices.h"
#include "stations/station_index.h"

namespace qw {
namespace {

constexpr int kTabNames = 4200;
constexpr int kTitleFormat = 4201;
constexpr int kNotesFor = 4202;
constexpr int kLoseChanges = 4220;
constexpr int kConfirm = 4221;
constexpr int kOfficialExist = 4222;
constexpr int kViewNow = 4223;
constexpr int kAlsoUser = 4224;
constexpr int kUserOnly = 4225;

QString Text(int id) { return QString::fromUtf8(StringText(id)); }
QString FromUtf8(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

QPlainTextEdit* TextPage(const QString& text, bool readOnly) {
  auto* edit = new QPlainTextEdit(text);
  edit->setReadOnly(readOnly);
  edit->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  QFont font = edit->font();
  font.setStyleHint(QFont::TypeWriter);
  font.setFamily("DejaVu Sans Mono");
  edit->setFont(font);
  return edit;
}

}  // namespace

NotesDialog::NotesDialog(const NotesSubject& subject, bool userNotes, QWidget* parent)
    : QDialog(parent), subject_(subject), userNotes_(userNotes) {
  setObjectName("NotesDlgDef");
  setWindowTitle(QString::fromStdString(FormatString(kTitleFormat, StringText(kNotesFor), subject.name.c_str())));
  auto* layout = new QVBoxLayout(this);
  tabs_ = new QTabWidget;
  const QStringList names = Text(kTabNames).split('^');

  official_ = TextPage(FromUtf8(OfficialNotesText(subject)), true);
  tabs_->addTab(official_, names.value(0));

  UserNote note;
  if (userNotes_) {
    note = ReadUserNote(subject.userNoteKey());
    if (!note.problem.empty()) Tell(parent, QString::fromUtf8(kProductName), FromUtf8(note.problem));
  }
  auto* userPage = new QWidget;
  auto* userLayout = new QVBoxLayout(userPage);
  userLayout->setContentsMargins(0, 0, 0, 0);
  identity_ = new QLabel;
  identity_->setWordWrap(true);
  identity_->setStyleSheet("QLabel { background: #fff4c2; color: #5a4300; padding: 4px; }");
  identity_->setVisible(false);
  if (!note.savedFor.empty() && note.savedFor != subject.name) {
    identity_->setText(QString::fromStdString(
        FormatString(kMessageNoteOtherStation, note.savedFor.c_str(), subject.name.c_str())));
    identity_->setVisible(true);
  }
  userLayout->addWidget(identity_);
  user_ = TextPage(FromUtf8(note.text), !userNotes_);
  userLayout->addWidget(user_, 1);
  tabs_->addTab(userPage, names.value(1));

  general_ = TextPage(FromUtf8(GeneralNotesText(subject)), true);
  tabs_->addTab(general_, names.value(2));
  layout->addWidget(tabs_, 1);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  QPushButton* next = buttons->addButton("&Next", QDialogButtonBox::ActionRole);
  connect(next, &QPushButton::clicked, this, &NotesDialog::NextTab);
  connect(buttons, &QDialogButtonBox::accepted, this, &NotesDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &NotesDialog::reject);
  layout->addWidget(buttons);
  connect(user_, &QPlainTextEdit::textChanged, this, [this] { changed_ = true; });
  tabs_->setCurrentIndex(0);
  resize(620, 460);
}

NotesDialog::~NotesDialog() = default;

void NotesDialog::Show(const StationIndex& index, const StationRef& station, NotesView view, QWidget* parent) {
  NotesSubject subject;
  if (!DescribeNotesSubject(index, station, subject)) return;
  NotesDialog dialog(subject, view == NotesView::OfficialAndUser && subject.stationId != 0, parent);
  dialog.exec();
}

void NotesDialog::NextTab() { tabs_->setCurrentIndex((tabs_->currentIndex() + 1) % tabs_->count()); }

void NotesDialog::accept() {
  if (changed_ && userNotes_) {
    std::string error;
    const QByteArray text = user_->toPlainText().toUtf8();
    if (!WriteUserNote(subject_.userNoteKey(), subject_.name, std::string(text.constData(), static_cast<size_t>(text.size())),
                       &error)) {
      Tell(this, QString::fromUtf8(kProductName),
           QString::fromStdString(FormatString(kMessageNoteNotSaved, error.c_str())));
      return;  // the dialog stays open with the user's text
    }
    changed_ = false;
  }
  QDialog::accept();
}

void NotesDialog::reject() {
  if (changed_ && userNotes_ && !AskDefaultNo(this, Text(kConfirm), Text(kLoseChanges))) return;
  QDialog::reject();
}

QString NotesOnOpeningQuestion(const NotesSubject& subject) {
  const bool official = subject.custom ? subject.referenceNotes.any() : subject.notes.any();
  const bool user = subject.stationId != 0 && HasUserNote(subject.userNoteKey());
  if (official) {
    QString text = Text(kOfficialExist);
    if (user) text += "\n\n" + Text(kAlsoUser);
    return text + "\n\n" + Text(kViewNow);
  }
  if (user) return Text(kUserOnly) + "\n\n" + Text(kViewNow);
  return QString();
}

bool OfferNotesOnOpening(const NotesSubject& subject, const AppSettings& settings, QWidget* parent) {
  if (!settings.programPilot) return false;
  const QString question = NotesOnOpeningQuestion(subject);
  return !question.isEmpty() && Ask(parent, QString::fromUtf8(kProductName), question);
}

}  // namespace qw
