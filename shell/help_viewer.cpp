#include "shell/help_viewer.h"

#include <QApplication>
#include <QFile>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "engine/report.h"

namespace qw {
namespace {

constexpr const char* kHelpRoot = "qrc:/help/";

QPointer<HelpWindow>& TheHelpWindow() {
  static QPointer<HelpWindow> window;
  return window;
}

}  // namespace

QUrl HelpTopicUrl(const QString& topic) {
  const qsizetype hash = topic.indexOf('#');
  const QString page = hash < 0 ? topic : topic.left(hash);
  if (page.isEmpty() || !QFile::exists(":/help/" + page + ".html")) return QUrl();
  QUrl url(kHelpRoot + page + ".html");
  if (hash >= 0) url.setFragment(topic.mid(hash + 1));
  return url;
}

QString StationWindowTopic(StationKind kind, const QString& anchor) {
  const QString page = kind == StationKind::Current ? "current_window" : "tide_window";
  return anchor.isEmpty() ? page : page + "#" + anchor;
}

HelpWindow::HelpWindow(QWidget* parent) : QDialog(parent) {
  setWindowTitle("Quaywise Help");
  setAttribute(Qt::WA_DeleteOnClose);
  auto* layout = new QVBoxLayout(this);
  auto* buttons = new QHBoxLayout;
  auto* contents = new QPushButton("&Contents");
  back_ = new QPushButton("&Back");
  forward_ = new QPushButton("&Forward");
  auto* glossary = new QPushButton("&Glossary");
  for (QPushButton* button : {contents, back_, forward_, glossary}) {
    button->setAutoDefault(false);
    buttons->addWidget(button);
  }
  buttons->addStretch();
  auto* close = new QPushButton("Close");
  close->setAutoDefault(false);
  buttons->addWidget(close);
  browser_ = new QTextBrowser;
  browser_->setOpenExternalLinks(false);
  browser_->setSearchPaths({":/help"});
  layout->addLayout(buttons);
  layout->addWidget(browser_, 1);
  back_->setEnabled(false);
  forward_->setEnabled(false);
  connect(contents, &QPushButton::clicked, this, [this] { ShowTopic(kHelpContents); });
  connect(glossary, &QPushButton::clicked, this, [this] { ShowTopic(kHelpGlossary); });
  connect(back_, &QPushButton::clicked, browser_, &QTextBrowser::backward);
  connect(forward_, &QPushButton::clicked, browser_, &QTextBrowser::forward);
  connect(browser_, &QTextBrowser::backwardAvailable, back_, &QPushButton::setEnabled);
  connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QPushButton::setEnabled);
  connect(close, &QPushButton::clicked, this, &QDialog::close);
  resize(640, 720);
}

void HelpWindow::ShowTopic(const QString& topic) {
  QUrl url = HelpTopicUrl(topic);
  if (url.isEmpty()) {
    DebugTrace("help: no page for topic '%s'\n", topic.toUtf8().constData());
    url = HelpTopicUrl(kHelpContents);
  }
  browser_->setSource(url);
  // The same page with another anchor is not reloaded: scroll to it.
  if (url.hasFragment()) browser_->scrollToAnchor(url.fragment());
}

QString HelpWindow::topic() const {
  const QUrl source = browser_->source();
  QString page = source.path().section('/', -1);
  if (page.endsWith(".html")) page.chop(5);
  return source.hasFragment() ? page + "#" + source.fragment() : page;
}

HelpWindow* ShowHelp(const QString& topic, QWidget* parent) {
  // Asked from a modal dialog, the help must be that dialog's own window: any other
  // window is blocked while the dialog runs.
  if (QWidget* modal = QApplication::activeModalWidget()) {
    QWidget* owner = parent ? parent->window() : modal;
    if (owner == modal) {
      auto* own = new HelpWindow(modal);
      own->ShowTopic(topic);
      own->show();
      return own;
    }
  }
  QPointer<HelpWindow>& window = TheHelpWindow();
  if (!window) window = new HelpWindow(parent ? parent->window() : nullptr);
  window->ShowTopic(topic);
  window->show();
  window->raise();
  window->activateWindow();
  return window;
}

}  // namespace qw
