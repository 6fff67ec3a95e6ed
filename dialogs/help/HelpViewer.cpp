#include "HelpViewer.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "Platform.h"
#include "QtPlatform.h"
#include "Widgets.h"

// Outside the namespace, as Qt's resource macro requires. The pages live in
// a static library, so the resource must be pulled in by name.
static void InitHelpResources() { Q_INIT_RESOURCE(help); }

namespace tq {
namespace {

struct TopicPage {
  int topic;
  const char* page;
};

constexpr TopicPage kTopicPages[] = {
    {HelpContents, "contents.html"},   {HelpTips, "tips.html"},           {HelpRandomPhrase, "random.html"},
    {HelpEditPhrase, "editphrase.html"}, {HelpDictionary, "dictionary.html"}, {HelpMapping, "mapping.html"},
    {HelpPreferences, "preferences.html"},
    {HelpPractice, "practice.html"},
    {HelpBestPhrases, "best.html"},
    {HelpJourney, "journey.html"},
    {HelpMyPegs, "mypegs.html"},
    {HelpPegDrill, "pegdrill.html"},
    {HelpNumbersDrill, "numbersdrill.html"},
};

// One look for every page, so the pages themselves stay plain.
constexpr const char* kStyle =
    "body { font-size: 10pt; }"
    "h1 { color: #1a2a6c; font-size: 16pt; }"
    "h2 { color: #1a2a6c; font-size: 12pt; }"
    "th { background-color: #dde4f4; text-align: left; }"
    "p.nav { font-size: 9pt; }"
    "p.see { font-size: 9pt; color: #404040; }";

const QString kTitle = QStringLiteral("Tessaloquine Help");

}  // namespace

QUrl THelpViewer::PageForTopic(int topic) {
  const char* page = kTopicPages[0].page;
  for (const TopicPage& entry : kTopicPages)
    if (entry.topic == topic) page = entry.page;
  return QUrl(QStringLiteral("qrc:/help/") + QString::fromLatin1(page));
}

THelpViewer::THelpViewer(QWidget* parent) : QWidget(parent, Qt::Window) {
  InitHelpResources();
  setObjectName(QStringLiteral("FormHelp"));
  setWindowTitle(kTitle);
  resize(620, 540);

  ButtonContents = MakeButton("ButtonContents", "&Contents", this);
  ButtonBack = MakeButton("ButtonBack", "&Back", this);
  ButtonForward = MakeButton("ButtonForward", "&Forward", this);

  BrowserHelp = new QTextBrowser(this);
  BrowserHelp->setObjectName(QStringLiteral("BrowserHelp"));
  BrowserHelp->document()->setDefaultStyleSheet(QString::fromLatin1(kStyle));
  // We follow links ourselves: pages of ours here, anything else outside.
  BrowserHelp->setOpenLinks(false);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(ButtonContents);
  buttons->addWidget(ButtonBack);
  buttons->addWidget(ButtonForward);
  buttons->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(buttons);
  layout->addWidget(BrowserHelp);

  connect(ButtonContents, &QPushButton::clicked, this,
          [this] { BrowserHelp->setSource(PageForTopic(HelpContents)); });
  connect(ButtonBack, &QPushButton::clicked, BrowserHelp, &QTextBrowser::backward);
  connect(ButtonForward, &QPushButton::clicked, BrowserHelp, &QTextBrowser::forward);
  connect(BrowserHelp, &QTextBrowser::anchorClicked, this, &THelpViewer::BrowserHelpAnchorClicked);
  connect(BrowserHelp, &QTextBrowser::historyChanged, this, &THelpViewer::UpdateButtons);
  connect(BrowserHelp, &QTextBrowser::sourceChanged, this, [this] {
    const QString page = BrowserHelp->documentTitle();
    setWindowTitle(page.isEmpty() || page == kTitle ? kTitle : kTitle + QStringLiteral(" - ") + page);
  });
  UpdateButtons();
}

void THelpViewer::ShowTopic(int topic) {
  // A modal dialog blocks every other window, this one too, unless it is
  // modal itself; from the main window the help stays beside it.
  const QWidget* modal = QApplication::activeModalWidget();
  const Qt::WindowModality wanted = modal && modal != this ? Qt::ApplicationModal : Qt::NonModal;
  if (windowModality() != wanted) {
    hide();  // modality can change only while the window is hidden
    setWindowModality(wanted);
  }
  BrowserHelp->setSource(PageForTopic(topic));
  show();
  raise();
  activateWindow();
}

void THelpViewer::CloseAll() { close(); }

void THelpViewer::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    close();
    return;
  }
  QWidget::keyPressEvent(event);
}

QUrl THelpViewer::CurrentPage() const { return BrowserHelp->source(); }

void THelpViewer::BrowserHelpAnchorClicked(const QUrl& link) {
  const QUrl target = BrowserHelp->source().resolved(link);
  if (target.scheme() == QLatin1String("qrc"))
    BrowserHelp->setSource(target);
  else
    CurrentPlatform().OpenUrl(target.toString().toStdString());
}

void THelpViewer::UpdateButtons() {
  ButtonBack->setEnabled(BrowserHelp->isBackwardAvailable());
  ButtonForward->setEnabled(BrowserHelp->isForwardAvailable());
}

void ConnectHelpViewer(QtPlatform& platform, THelpViewer& viewer) {
  platform.SetHelpHandlers([&viewer](int topic) { viewer.ShowTopic(topic); }, [&viewer] { viewer.CloseAll(); });
}

}  // namespace tq
