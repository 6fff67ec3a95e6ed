// The program's help: our own help document, shown in a window of its own and
// opened at a topic number (0 for the contents). Every dialog's Help button
// and F1 reach it through the platform seam's ShowHelp; Shutdown closes it
// through CloseHelp.
#pragma once

#include <QUrl>
#include <QWidget>

class QPushButton;
class QTextBrowser;

namespace tq {

class QtPlatform;

// The topic numbers the dialogs open.
enum HelpTopic : int {
  HelpContents = 0,
  HelpTips = 1000,
  HelpRandomPhrase = 2200,
  HelpBestPhrases = 2250,
  HelpEditPhrase = 2300,
  HelpDictionary = 4000,
  HelpMapping = 5000,
  HelpPreferences = 6100,
  HelpPractice = 2400,
  HelpJourney = 2500,
  HelpMyPegs = 2550,
  HelpPegDrill = 2600,
  HelpNumbersDrill = 2650,
};

class THelpViewer : public QWidget {
  Q_OBJECT

 public:
  explicit THelpViewer(QWidget* parent = nullptr);

  // Opens the page of a topic, or the contents for a number without a page,
  // and brings the window to the front. Opened from inside a modal dialog,
  // the window is made modal itself, so that it can be read and closed while
  // the dialog waits underneath.
  void ShowTopic(int topic);
  // Closes the help window, if it is open.
  void CloseAll();

  // The page a topic opens, as a resource address.
  static QUrl PageForTopic(int topic);
  QUrl CurrentPage() const;

 protected:
  // Escape closes the window, as it does a dialog.
  void keyPressEvent(QKeyEvent* event) override;

 private:
  // Our own pages open here; any other address goes to the web browser.
  void BrowserHelpAnchorClicked(const QUrl& link);
  void UpdateButtons();

  QPushButton* ButtonContents;
  QPushButton* ButtonBack;
  QPushButton* ButtonForward;
  QTextBrowser* BrowserHelp;
};

// Hands the viewer to the Qt platform as its help handlers. The viewer must
// outlive the platform's use of it.
void ConnectHelpViewer(QtPlatform& platform, THelpViewer& viewer);

}  // namespace tq
