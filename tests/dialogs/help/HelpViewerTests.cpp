// The help viewer and our help document: each topic number opens its page,
// the links hold together, and the viewer plugs into the Qt platform.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTextBrowser>
#include <map>
#include <set>

#include "HelpViewer.h"
#include "QtPlatform.h"
#include "ScriptedPlatform.h"

namespace tq {
namespace {

QApplication& App() {
  static int argc = 1;
  static char name[] = "tq_help_tests";
  static char* argv[] = {name, nullptr};
  static QApplication* app = new QApplication(argc, argv);
  return *app;
}

class HelpTest : public ::testing::Test {
 protected:
  QTextBrowser* Browser() const { return viewer.findChild<QTextBrowser*>("BrowserHelp"); }
  QPushButton* Button(const char* name) const { return viewer.findChild<QPushButton*>(name); }
  QString Page() const { return viewer.CurrentPage().fileName(); }

  QApplication& app = App();  // first: the viewer needs it
  test::ScriptedPlatform platform;
  THelpViewer viewer;
};

// Every page of the document, read from the resources.
std::map<QString, QString> AllPages() {
  std::map<QString, QString> pages;
  for (const QString& name : QDir(QStringLiteral(":/help")).entryList(QDir::Files)) {
    QFile file(QStringLiteral(":/help/") + name);
    if (file.open(QIODevice::ReadOnly)) pages[name] = QString::fromUtf8(file.readAll());
  }
  return pages;
}

TEST_F(HelpTest, OpensEachTopicNumberAtItsPage) {
  struct Topic {
    int number;
    const char* page;
    const char* title;
  };
  const Topic topics[] = {
      {0, "contents.html", "Tessaloquine Help"}, {1000, "tips.html", "Tip of the Day"},
      {2200, "random.html", "Random Phrase"},     {2300, "editphrase.html", "Edit Phrase"},
      {4000, "dictionary.html", "Dictionary"},    {5000, "mapping.html", "Mapping"},
      {6100, "preferences.html", "Preferences"}, {2400, "practice.html", "Practice and flash cards"},
      {2250, "best.html", "Best Phrases"},        {2550, "mypegs.html", "My Pegs"},
      {2600, "pegdrill.html", "Peg Drill"},       {2650, "numbersdrill.html", "Numbers Drill"},
  };
  for (const Topic& topic : topics) {
    SCOPED_TRACE(topic.number);
    viewer.ShowTopic(topic.number);
    EXPECT_TRUE(viewer.isVisible());
    EXPECT_EQ(viewer.objectName(), QStringLiteral("FormHelp"));
    EXPECT_EQ(Page(), QString::fromLatin1(topic.page));
    EXPECT_EQ(Browser()->documentTitle(), QString::fromLatin1(topic.title));
    // Real help text, not an empty page from a missing resource.
    EXPECT_GT(Browser()->toPlainText().size(), 400);
  }
}

TEST_F(HelpTest, NumbersWithoutAPageOpenTheContents) {
  for (int number : {-1, 1, 999, 1001, 2201, 6000, 99999}) {
    SCOPED_TRACE(number);
    viewer.ShowTopic(4000);
    viewer.ShowTopic(number);
    EXPECT_EQ(Page(), QStringLiteral("contents.html"));
    EXPECT_TRUE(Browser()->toPlainText().contains(QStringLiteral("Building a phrase")));
  }
}

TEST_F(HelpTest, EveryLinkLeadsToAPageAndEveryPageIsLinked) {
  const std::map<QString, QString> pages = AllPages();
  ASSERT_GE(pages.size(), 14u);
  const QRegularExpression href(QStringLiteral("href=\"([^\"]*)\""));
  const QRegularExpression title(QStringLiteral("<title>[^<]+</title>"));
  std::set<QString> linked;
  for (const auto& [name, text] : pages) {
    SCOPED_TRACE(name.toStdString());
    EXPECT_TRUE(title.match(text).hasMatch());
    for (auto match = href.globalMatch(text); match.hasNext();) {
      const QString target = match.next().captured(1).section(QLatin1Char('#'), 0, 0);
      EXPECT_TRUE(pages.count(target)) << "broken link to " << target.toStdString();
      if (target != name) linked.insert(target);
    }
  }
  for (const auto& [name, text] : pages) {
    if (name == QStringLiteral("contents.html")) continue;
    EXPECT_TRUE(linked.count(name)) << name.toStdString() << " is never linked";
  }
}

TEST_F(HelpTest, PhoneticSystemPageExplainsEveryDigit) {
  // Tip 2 sends the user to the Phonetic System topic by that name.
  viewer.ShowTopic(0);
  emit Browser()->anchorClicked(QUrl(QStringLiteral("phonetic.html")));
  EXPECT_EQ(Browser()->documentTitle(), QStringLiteral("The Phonetic System"));
  const QString text = AllPages()[QStringLiteral("phonetic.html")];
  for (int digit = 0; digit <= 9; ++digit) {
    SCOPED_TRACE(digit);
    const qsizetype row = text.indexOf(QStringLiteral("name=\"digit%1\"").arg(digit));
    ASSERT_GE(row, 0);
    // The row holds the digit's sounds and its memory hint in two more cells.
    const QString cells = text.mid(row, text.indexOf(QStringLiteral("</tr>"), row) - row);
    EXPECT_EQ(cells.count(QStringLiteral("<td>")), 2);
  }
}

TEST_F(HelpTest, FollowsLinksAndGoesBackAndForward) {
  viewer.ShowTopic(0);
  EXPECT_FALSE(Button("ButtonBack")->isEnabled());
  emit Browser()->anchorClicked(QUrl(QStringLiteral("phonetic.html#digit7")));
  EXPECT_EQ(Page(), QStringLiteral("phonetic.html"));
  ASSERT_TRUE(Button("ButtonBack")->isEnabled());
  QTest::mouseClick(Button("ButtonBack"), Qt::LeftButton);
  EXPECT_EQ(Page(), QStringLiteral("contents.html"));
  QTest::mouseClick(Button("ButtonForward"), Qt::LeftButton);
  EXPECT_EQ(Page(), QStringLiteral("phonetic.html"));
  QTest::mouseClick(Button("ButtonContents"), Qt::LeftButton);
  EXPECT_EQ(Page(), QStringLiteral("contents.html"));
  EXPECT_TRUE(platform.shown().empty());
}

TEST_F(HelpTest, SendsOtherAddressesToTheWebBrowser) {
  viewer.ShowTopic(5000);
  emit Browser()->anchorClicked(QUrl(QStringLiteral("https://example.org/tessaloquine")));
  ASSERT_EQ(platform.shown().size(), 1u);
  EXPECT_EQ(platform.shown()[0].kind, "url");
  EXPECT_EQ(platform.shown()[0].text, "https://example.org/tessaloquine");
  EXPECT_EQ(Page(), QStringLiteral("mapping.html"));
}

TEST_F(HelpTest, OpenedFromAModalDialogIsModalItselfAndOtherwiseNot) {
  QDialog dialog;
  dialog.setWindowModality(Qt::ApplicationModal);
  dialog.show();
  ASSERT_EQ(QApplication::activeModalWidget(), &dialog);
  viewer.ShowTopic(6100);
  EXPECT_EQ(viewer.windowModality(), Qt::ApplicationModal);
  EXPECT_TRUE(viewer.isVisible());
  EXPECT_EQ(Page(), QStringLiteral("preferences.html"));

  viewer.CloseAll();
  dialog.hide();
  viewer.ShowTopic(0);
  EXPECT_EQ(viewer.windowModality(), Qt::NonModal);
  EXPECT_TRUE(viewer.isVisible());
}

TEST_F(HelpTest, QtPlatformOpensAndClosesItThroughTheSeam) {
  QtPlatform qt;
  ConnectHelpViewer(qt, viewer);
  qt.ShowHelp(4000);
  EXPECT_TRUE(viewer.isVisible());
  EXPECT_EQ(Page(), QStringLiteral("dictionary.html"));
  qt.CloseHelp();
  EXPECT_FALSE(viewer.isVisible());
}

TEST_F(HelpTest, EscapeClosesTheWindow) {
  viewer.ShowTopic(0);
  QTest::keyClick(Browser(), Qt::Key_Escape);
  EXPECT_FALSE(viewer.isVisible());
}

}  // namespace
}  // namespace tq
