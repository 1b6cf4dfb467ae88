// The built-in help: every topic the program opens has its page and anchor, every link
// between the pages leads somewhere, and the Help commands open the right page.
#include "shell/help_viewer.h"

#include <QDir>
#include <QFile>
#include <QApplication>
#include <QRegularExpression>
#include <QTextBrowser>
#include <gtest/gtest.h>

#include "app/main_frame.h"
#include "catalogue/location_purpose.h"
#include "settings/settings_store.h"
#include "tests/app/app_test_support.h"
#include "tests/support/test_support.h"

namespace qw {
namespace {

QString PageText(const QString& page) {
  QFile file(":/help/" + page + ".html");
  return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

bool HasAnchor(const QString& page, const QString& anchor) {
  return PageText(page).contains(QRegularExpression("<a\\s+name=\"" + QRegularExpression::escape(anchor) + "\""));
}

// Why a topic does not lead to a page and anchor; empty when it does.
std::string Broken(const QString& topic) {
  const QUrl url = HelpTopicUrl(topic);
  if (url.isEmpty()) return "no page for " + topic.toStdString();
  const QString page = url.path().section('/', -1).chopped(5);
  if (url.hasFragment() && !HasAnchor(page, url.fragment())) return "no anchor for " + topic.toStdString();
  return {};
}

TEST(HelpPagesTest, EveryTopicTheProgramOpensIsThere) {
  test::QtApp();
  QStringList topics = {kHelpContents, kHelpGlossary, kHelpUsingHelp, kHelpProductSupport, "real_time",
                        "event_search", "nearest_search", "export"};
  for (int purpose = 0; purpose <= 9; ++purpose) topics << PurposeHelpTopic(purpose);
  for (StationKind kind : {StationKind::Tide, StationKind::Current}) {
    topics << StationWindowTopic(kind);
    for (const char* area : {"title", "graph", "table", "moon", "daily", "averages", "weekly"}) {
      topics << StationWindowTopic(kind, area);
    }
  }
  for (const QString& topic : topics) EXPECT_EQ(Broken(topic), "") << topic.toStdString();
  EXPECT_EQ(QString(PurposeHelpTopic(2)), "location_dialog#currents");
  EXPECT_EQ(QString(PurposeHelpTopic(3)), "location_dialog#change");
  EXPECT_EQ(QString(PurposeHelpTopic(7)), "location_dialog#tides");
  EXPECT_TRUE(HelpTopicUrl("no_such_page").isEmpty());
}

TEST(HelpPagesTest, EveryLinkBetweenThePagesLeadsSomewhere) {
  test::QtApp();
  const QStringList pages = QDir(":/help").entryList({"*.html"});
  ASSERT_GE(pages.size(), 10);
  const QRegularExpression href("href=\"([^\"]*)\"");
  int links = 0;
  for (const QString& file : pages) {
    const QString page = file.chopped(5);
    for (const QRegularExpressionMatch& match : href.globalMatch(PageText(page))) {
      const QString target = match.captured(1);
      if (target.startsWith("http:") || target.startsWith("https:") || target.startsWith("mailto:")) continue;
      QString topic = target;
      topic.replace(".html", "");
      if (topic.startsWith('#')) topic = page + topic;
      EXPECT_EQ(Broken(topic), "") << "link " << target.toStdString() << " in " << file.toStdString();
      ++links;
    }
  }
  EXPECT_GE(links, pages.size());  // the pages are linked to each other
}

TEST(HelpWindowTest, CommandsOpenTheirPagesAndResultsWindowsNameTheirs) {
  test::QtApp();
  test::TempDir dir;
  ProfileFile file(dir.File("velda.ini"));
  file.LoadFromText("[Misc]\nFirstRun=0\n");
  AppSettings settings = LoadSettings(file, 480);
  CatalogueDirectory catalogue;
  MainFrame frame(settings, file, catalogue, [](const LocationWindowSpec&) -> LocationWindow* { return nullptr; });
  frame.show();

  auto shown = [] {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      if (auto* help = qobject_cast<HelpWindow*>(widget); help && help->isVisible()) return help;
    }
    return static_cast<HelpWindow*>(nullptr);
  };
  ASSERT_TRUE(frame.action(Command::HelpContents)->isEnabled());
  frame.Run(Command::Glossary);
  HelpWindow* help = shown();
  ASSERT_NE(help, nullptr);
  EXPECT_EQ(help->topic().toStdString(), "glossary");
  frame.Run(Command::HelpContents);
  EXPECT_EQ(shown(), help);  // one help window
  EXPECT_EQ(help->topic().toStdString(), "contents");
  EXPECT_FALSE(help->browser()->toPlainText().isEmpty());

  // On Active Window: a child window naming its page, then none.
  auto* results = new QWidget;
  results->setProperty(kHelpTopicProperty, "event_search");
  frame.AddChildWindow(results, Command::EventSearch);
  frame.Run(Command::HelpOnWindow);
  EXPECT_EQ(help->topic().toStdString(), "event_search");
  EXPECT_EQ(frame.ActiveWindowHelpTopic().toStdString(), "event_search");
  results->parentWidget()->close();
  QApplication::processEvents();
  EXPECT_EQ(frame.ActiveWindowHelpTopic().toStdString(), kHelpContents);

  // A topic with an anchor keeps it; Back returns to the page before.
  help->ShowTopic("tide_window#graph");
  EXPECT_EQ(help->topic().toStdString(), "tide_window#graph");
  help->browser()->backward();
  EXPECT_EQ(help->topic().toStdString(), "event_search");
  help->close();
}

}  // namespace
}  // namespace qw
