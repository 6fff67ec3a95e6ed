// The tip of the day, driven offscreen: its cycle through TipIndex, the
// "Show tips at startup" box and "More Info...".
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <climits>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "Codec.h"
#include "FormTips.h"
#include "RConfig.h"
#include "ScriptedPlatform.h"

namespace tq {
namespace {

QApplication& App() {
  static int argc = 1;
  static char name[] = "tq_formtips_tests";
  static char* argv[] = {name, nullptr};
  static QApplication* app = new QApplication(argc, argv);
  return *app;
}

const QString kWelcome = QStringLiteral("Welcome to Tessaloquine");
const QString kDidYouKnow = QStringLiteral("Did you know...");
const QString kTip1Start = QStringLiteral("Remember when building phrases");
const QString kTip10Start = QStringLiteral("The Description field can be used");

class TipsTest : public ::testing::Test {
 protected:

  QLabel* Label(const char* name) const { return dialog.findChild<QLabel*>(name); }
  QPushButton* Button(const char* name) const { return dialog.findChild<QPushButton*>(name); }
  QCheckBox* CheckShow() const { return dialog.findChild<QCheckBox*>("CheckShow"); }
  QString Title() const { return Label("LabelTitle")->text(); }
  QString Tip() const { return Label("LabelTip")->text(); }
  bool MoreInfoShown() const { return !Button("ButtonHelp")->isHidden(); }

  // A fresh showing, as the program gives one each time it opens the dialog.
  void Show() {
    dialog.hide();
    dialog.show();
  }
  void NextTip() { QTest::mouseClick(Button("ButtonNextTip"), Qt::LeftButton); }

  QApplication& app = App();  // first: the dialog needs it
  test::ScriptedPlatform platform;
  RConfig config;
  TFormTips dialog{&config};
};

TEST_F(TipsTest, FreshConfigurationShowsTheWelcomeTipTwiceThenTipOne) {
  ASSERT_EQ(config.GetTipIndex(), -1);
  Show();
  EXPECT_EQ(Title(), kWelcome);
  EXPECT_TRUE(MoreInfoShown());
  EXPECT_EQ(config.GetTipIndex(), 0);

  NextTip();
  EXPECT_EQ(Title(), kWelcome);
  EXPECT_TRUE(MoreInfoShown());
  EXPECT_EQ(config.GetTipIndex(), 1);

  NextTip();
  EXPECT_EQ(Title(), kDidYouKnow);
  EXPECT_TRUE(Tip().startsWith(kTip1Start));
  EXPECT_FALSE(MoreInfoShown());
  EXPECT_EQ(config.GetTipIndex(), 2);
}

TEST_F(TipsTest, FromTenShowsTheLastTipThenTheWelcomeTip) {
  config.SetTipIndex(10);
  Show();
  EXPECT_EQ(Title(), kDidYouKnow);
  EXPECT_TRUE(Tip().startsWith(kTip10Start));
  EXPECT_EQ(config.GetTipIndex(), 0);
  Show();
  EXPECT_EQ(Title(), kWelcome);
  EXPECT_EQ(config.GetTipIndex(), 1);
}

TEST_F(TipsTest, FromElevenOrMoreShowsTheWelcomeTipAndStartsOver) {
  for (int stored : {11, 12, 500, INT_MAX}) {
    SCOPED_TRACE(stored);
    config.SetTipIndex(stored);
    Show();
    EXPECT_EQ(Title(), kWelcome);
    EXPECT_TRUE(MoreInfoShown());
    EXPECT_EQ(config.GetTipIndex(), 0);
  }
}

TEST_F(TipsTest, DamagedIndexBelowMinusOneStaysInsideTheTable) {
  for (int stored : {-5, -2, INT_MIN}) {
    SCOPED_TRACE(stored);
    config.SetTipIndex(stored);
    Show();
    EXPECT_EQ(Title(), kWelcome);
    EXPECT_FALSE(Tip().isEmpty());
    EXPECT_EQ(config.GetTipIndex(), 0);
  }
}

TEST_F(TipsTest, OneRoundShowsElevenDifferentTipsThenTheWelcomeAgain) {
  config.SetTipIndex(0);
  Show();
  std::set<QString> seen;
  for (int t = 0; t < TFormTips::kTipCount; ++t) {
    SCOPED_TRACE(t);
    EXPECT_EQ(Title(), t == 0 ? kWelcome : kDidYouKnow);
    EXPECT_EQ(MoreInfoShown(), t == 0);
    EXPECT_EQ(config.GetTipIndex(), t == 10 ? 0 : t + 1);
    seen.insert(Tip());
    NextTip();
  }
  EXPECT_EQ(seen.size(), 11u);
  EXPECT_EQ(Title(), kWelcome);
}

// The eleven tips as the program must show them, byte for byte; tip 3 ends
// in a blank.
const char* const kExpectedTips[] = {
    "To begin, enter a number in the Number field and press Enter, or click the 'Go' button. For more "
    "information on how to use this program, click the 'More Info' button or press F1. Thanks for trying "
    "Tessaloquine.",
    "Remember when building phrases to make a vivid association to what you are trying to remember. The "
    "more crazy, blown out of proportion, absurd, or illogical the association the better. Action words "
    "like exploding, gushing, ripping, etc. work well.",
    "Make sure you remember the rules for mapping from letters to numbers. If you forget, review the "
    "rules in the Mapping dialog, located under the 'Options' menu. Each rule has a hint for "
    "memorization that can be viewed by pressed F1 and viewing the Phonetic System help topic.",
    "When selecting a phrase, keep selecting words until all the periods are gone. If you want to "
    "deselect a word, click the highlighted button above the word's list. ",
    "Different people use different strategies for making phrases. Some people always start from the "
    "left side, but you can easily start from the right or anywhere in the middle. A good strategy might "
    "be to look through the lists and pick out a few interesting words. Then try to build a phrase "
    "around those words.",
    "Remember that the phonetic system is based on how the words sound when pronounced, not how the "
    "words are spelled. For example, the word TOUGH is converted as '18' and the word GNOME is converted "
    "as '23'.",
    "To edit the phrase as a line of text instead of selecting words from the lists, click the 'Numbers "
    "> Edit Phrase' menu option, or click the Phrase field in the main window.",
    "If you have trouble remembering a number even after you make an association, go back and make the "
    "association even more elaborate. Instead of just imagining an APPLE TREE to remember a house number "
    "9514, imagine a giant apple tree over the street that is dropping its apples to crush the houses "
    "underneath while people run for safety.",
    "Any letters or symbols that you enter into the Number field will be automatically ignored. For "
    "example, you could enter a date such as '08/10/98' or a Bible verse such as 'John 3:16', and the "
    "program will just use the numbers.",
    "The dictionary contains many words that you might not want to use. To remove a word from the "
    "dictionary, highlight it in the list box and press the Delete key, or right-click on the word and "
    "select 'Remove Word'.",
    "The Description field can be used to keep track of the different numbers you are memorizing. For "
    "example, if you have a list of phone numbers, a description could be 'John's home phone number'. "
    "The Description field is optional and can be hidden in the Preferences dialog (located under the "
    "'Options' menu).",
};

TEST_F(TipsTest, TipsKeepTheirExactWording) {
  for (int t = 0; t < TFormTips::kTipCount; ++t) {
    SCOPED_TRACE(t);
    config.SetTipIndex(t);
    Show();
    EXPECT_EQ(FromQString(Tip()), kExpectedTips[t]);
  }
}

TEST_F(TipsTest, TheTextsAreAResourceOfTheProgramOneTipALine) {
  QFile file(QStringLiteral(":/tips/tips.txt"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  std::vector<std::string> tips;
  for (const QByteArray& line : file.readAll().split('\n'))
    if (!line.isEmpty() && !line.startsWith('#')) tips.push_back(line.toStdString());
  EXPECT_EQ(tips, std::vector<std::string>(std::begin(kExpectedTips), std::end(kExpectedTips)));
}

TEST_F(TipsTest, EveryTipFitsItsLabelAndTheWelcomeTipEndsAboveMoreInfo) {
  QLabel* label = Label("LabelTip");
  ASSERT_EQ(label->size(), QSize(225, 113));
  ASSERT_TRUE(label->wordWrap());
  for (int t = 0; t < TFormTips::kTipCount; ++t) {
    SCOPED_TRACE(t);
    config.SetTipIndex(t);
    Show();
    const QFontMetrics metrics(label->font());
    EXPECT_GE(label->font().pixelSize(), 8);
    const QRect used = metrics.boundingRect(QRect(0, 0, label->width(), 10000), Qt::TextWordWrap, Tip());
    EXPECT_LE(used.height(), label->height());
    if (t == 0) {
      const QPoint button = Button("ButtonHelp")->mapTo(&dialog, QPoint(0, 0));
      EXPECT_LT(label->mapTo(&dialog, QPoint(0, used.height())).y(), button.y());
    }
  }
}

TEST_F(TipsTest, CloseStoresTheCheckBoxAndEndsWithOk) {
  Show();
  CheckShow()->setChecked(false);
  QTest::mouseClick(Button("ButtonClose"), Qt::LeftButton);
  EXPECT_EQ(config.GetShowTips(), 0);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), QDialog::Accepted);

  Show();
  EXPECT_FALSE(CheckShow()->isChecked());
  CheckShow()->setChecked(true);
  QTest::mouseClick(Button("ButtonClose"), Qt::LeftButton);
  EXPECT_EQ(config.GetShowTips(), 1);
}

TEST_F(TipsTest, EscapeStoresTheCheckBoxLikeClose) {
  Show();
  CheckShow()->setChecked(false);
  QTest::keyClick(dialog.focusWidget(), Qt::Key_Escape);
  EXPECT_EQ(config.GetShowTips(), 0);
  EXPECT_FALSE(dialog.isVisible());
}

TEST_F(TipsTest, EnterClosesBecauseCloseHasTheFocus) {
  Show();
  ASSERT_EQ(dialog.focusWidget(), Button("ButtonClose"));
  CheckShow()->setChecked(false);
  QTest::keyClick(dialog.focusWidget(), Qt::Key_Return);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(config.GetShowTips(), 0);
}

TEST_F(TipsTest, CloseBoxLeavesThePreferenceAsItWas) {
  Show();
  CheckShow()->setChecked(false);
  dialog.close();
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(config.GetShowTips(), 1);
}

TEST_F(TipsTest, MoreInfoAndF1OpenHelpTopic1000ThroughTheSeam) {
  Show();
  QTest::mouseClick(Button("ButtonHelp"), Qt::LeftButton);
  QTest::keyClick(&dialog, Qt::Key_F1);
  ASSERT_EQ(platform.shown().size(), 2u);
  for (const test::Shown& shown : platform.shown()) {
    EXPECT_EQ(shown.kind, "help");
    EXPECT_EQ(shown.topic, 1000);
  }
  EXPECT_TRUE(dialog.isVisible());  // help opens beside the tip, not instead of it
}

TEST(TipsWithoutConfig, ShowTheWelcomeTipUntilTheConfigurationArrives) {
  App();
  TFormTips dialog;
  dialog.show();
  EXPECT_EQ(dialog.findChild<QLabel*>("LabelTitle")->text(), kWelcome);
  dialog.findChild<QPushButton*>("ButtonClose")->click();

  RConfig config;
  config.SetTipIndex(4);
  dialog.SetConfig(&config);
  dialog.show();
  EXPECT_EQ(dialog.findChild<QLabel*>("LabelTitle")->text(), kDidYouKnow);
  EXPECT_EQ(config.GetTipIndex(), 5);
}

}  // namespace
}  // namespace tq
