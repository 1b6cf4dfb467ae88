// The program's help: HTML pages built into the program (shell/help/, a Qt resource under
// ":/help/"), shown in one help window with Contents, Back and Forward. A topic is a
// page name with an optional anchor: "tide_window#graph".
#pragma once

#include <QDialog>
#include <QPointer>
#include <QString>
#include <QUrl>

#include "engine/region_files.h"

class QTextBrowser;
class QPushButton;

namespace qw {

inline constexpr const char* kHelpContents = "contents";
inline constexpr const char* kHelpGlossary = "glossary";
inline constexpr const char* kHelpUsingHelp = "using_help";
inline constexpr const char* kHelpProductSupport = "product_support";
// The property by which a child window of the main window names its help topic.
inline constexpr const char* kHelpTopicProperty = "helpTopic";

// The address of a topic among the built-in pages; an empty URL when the page does not
// exist. The anchor is kept as the URL's fragment.
QUrl HelpTopicUrl(const QString& topic);

// The page of a tide or current window ("tide_window", "current_window"), with `anchor`.
QString StationWindowTopic(StationKind kind, const QString& anchor = QString());

class HelpWindow : public QDialog {
  Q_OBJECT

 public:
  explicit HelpWindow(QWidget* parent = nullptr);

  // Shows a topic; an unknown topic shows the contents.
  void ShowTopic(const QString& topic);
  // The page and anchor shown, as a topic ("tide_window#graph").
  QString topic() const;
  QTextBrowser* browser() const { return browser_; }

 private:
  QTextBrowser* browser_;
  QPushButton* back_;
  QPushButton* forward_;
};

// Shows a topic in the program's help window, made on first use; it stays open beside
// the program (owned by `parent`'s window when given) until closed. Asked from a modal
// dialog, the topic opens in a help window of that dialog, which closes with it.
HelpWindow* ShowHelp(const QString& topic, QWidget* parent = nullptr);

}  // namespace qw
