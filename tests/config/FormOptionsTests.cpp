// The preferences dialog, driven offscreen: the boxes follow the record at
// every showing, only OK stores them, Reset checks all four without touching
// the record, and Help and F1 open the dialog's help topic.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include "FormOptions.h"
#include "RConfig.h"
#include "ScriptedPlatform.h"

namespace tq {
namespace {

QApplication& App() {
  static int argc = 1;
  static char name[] = "tq_formoptions_tests";
  static char* argv[] = {name, nullptr};
  static QApplication* app = new QApplication(argc, argv);
  return *app;
}

class OptionsTest : public ::testing::Test {
 protected:
  OptionsTest() { dialog.SetConfig(&config); }

  QCheckBox* Check(const char* name) const {
    auto* check = dialog.findChild<QCheckBox*>(name);
    EXPECT_NE(check, nullptr) << name;
    return check;
  }
  QPushButton* Button(const char* name) const {
    auto* button = dialog.findChild<QPushButton*>(name);
    EXPECT_NE(button, nullptr) << name;
    return button;
  }
  void Click(const char* button) { QTest::mouseClick(Button(button), Qt::LeftButton); }
  // The four boxes, in the order of the record's fields.
  std::vector<bool> Boxes() const {
    return {Check("CheckDescription")->isChecked(), Check("CheckTips")->isChecked(),
            Check("CheckAskSave")->isChecked(), Check("CheckAskDelete")->isChecked()};
  }
  std::vector<int> Record() const {
    return {config.GetShowDescription(), config.GetShowTips(), config.GetAskSave(), config.GetAskDelete()};
  }
  void SetRecord(int description, int tips, int askSave, int askDelete) {
    config.SetShowDescription(description);
    config.SetShowTips(tips);
    config.SetAskSave(askSave);
    config.SetAskDelete(askDelete);
  }
  // A fresh showing, as the program gives one each time it opens the dialog.
  void Show() {
    dialog.hide();
    dialog.show();
  }

  QApplication& app = App();  // first: the dialog needs it
  test::ScriptedPlatform platform;
  RConfig config;
  TFormOptions dialog;
};

TEST_F(OptionsTest, CaptionsAndNamesAreThoseOfTheDesign) {
  EXPECT_EQ(dialog.windowTitle(), "Preferences");
  auto* tabs = dialog.findChild<QTabWidget*>("TabsOptions");
  ASSERT_NE(tabs, nullptr);
  ASSERT_EQ(tabs->count(), 1);
  EXPECT_EQ(tabs->tabText(0), "General");
  EXPECT_EQ(tabs->widget(0)->objectName(), "TabGeneral");
  EXPECT_EQ(dialog.findChild<QGroupBox*>("GroupBox1")->title(), "Main Window");
  EXPECT_EQ(dialog.findChild<QGroupBox*>("GroupBox2")->title(), "Popup Windows");
  EXPECT_EQ(Check("CheckDescription")->text(), "Show description field");
  EXPECT_EQ(Check("CheckTips")->text(), "Show tips at startup");
  EXPECT_EQ(Check("CheckAskSave")->text(), "Ask to save when worksheet was modified");
  EXPECT_EQ(Check("CheckAskDelete")->text(), "Ask before deleting words");
  EXPECT_EQ(Button("ButtonReset")->text(), "&Reset");
  EXPECT_EQ(Button("ButtonOk")->text(), "&OK");
  EXPECT_EQ(Button("ButtonCancel")->text(), "&Cancel");
  EXPECT_EQ(Button("ButtonHelp")->text(), "&Help");
  // The description box sits in the first group, the other three in the second.
  EXPECT_EQ(Check("CheckDescription")->parentWidget()->objectName(), "GroupBox1");
  for (const char* name : {"CheckTips", "CheckAskSave", "CheckAskDelete"})
    EXPECT_EQ(Check(name)->parentWidget()->objectName(), "GroupBox2") << name;
}

TEST_F(OptionsTest, EveryShowingTakesTheBoxesFromTheRecord) {
  SetRecord(1, 0, 1, 0);
  Show();
  EXPECT_EQ(Boxes(), (std::vector<bool>{true, false, true, false}));
  EXPECT_EQ(dialog.focusWidget(), Check("CheckDescription"));

  // Boxes changed and dropped with Cancel do not come back at the next showing.
  Check("CheckTips")->setChecked(true);
  Click("ButtonCancel");
  SetRecord(0, 1, 0, 1);
  Show();
  EXPECT_EQ(Boxes(), (std::vector<bool>{false, true, false, true}));
}

TEST_F(OptionsTest, OkStoresAllFourBoxesAndClosesWithOk) {
  SetRecord(1, 1, 1, 1);
  Show();
  Check("CheckDescription")->setChecked(false);
  Check("CheckAskDelete")->setChecked(false);
  Click("ButtonOk");
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), ResultOk);
  EXPECT_EQ(Record(), (std::vector<int>{0, 1, 1, 0}));
}

TEST_F(OptionsTest, ResetChecksAllButOnlyOkStoresIt) {
  SetRecord(0, 0, 0, 0);
  Show();
  Click("ButtonReset");
  EXPECT_EQ(Boxes(), (std::vector<bool>{true, true, true, true}));
  EXPECT_EQ(Record(), (std::vector<int>{0, 0, 0, 0}));
  Click("ButtonCancel");
  EXPECT_EQ(dialog.result(), ResultCancel);
  EXPECT_EQ(Record(), (std::vector<int>{0, 0, 0, 0}));

  Show();
  EXPECT_EQ(Boxes(), (std::vector<bool>{false, false, false, false}));
  Click("ButtonReset");
  Click("ButtonOk");
  EXPECT_EQ(Record(), (std::vector<int>{1, 1, 1, 1}));
}

TEST_F(OptionsTest, EscapeAndTheCloseBoxAreCancel) {
  SetRecord(1, 1, 1, 1);
  Show();
  Check("CheckAskSave")->setChecked(false);
  QTest::keyClick(&dialog, Qt::Key_Escape);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), ResultCancel);

  Show();
  Check("CheckAskSave")->setChecked(false);
  dialog.close();
  EXPECT_EQ(dialog.result(), ResultCancel);
  EXPECT_EQ(config.GetAskSave(), 1);
}

TEST_F(OptionsTest, HelpButtonAndF1OpenTopic6100) {
  Show();
  Click("ButtonHelp");
  QTest::keyClick(Check("CheckTips"), Qt::Key_F1);
  ASSERT_EQ(platform.shown().size(), 2u);
  for (const auto& shown : platform.shown()) {
    EXPECT_EQ(shown.kind, "help");
    EXPECT_EQ(shown.topic, 6100);
  }
  EXPECT_TRUE(dialog.isVisible());
}

TEST_F(OptionsTest, BeforeTheRecordExistsTheBoxesShowTheDefaults) {
  TFormOptions early;  // the main window has not shown yet
  early.show();
  for (const char* name : {"CheckDescription", "CheckTips", "CheckAskSave", "CheckAskDelete"})
    EXPECT_TRUE(early.findChild<QCheckBox*>(name)->isChecked()) << name;
  QTest::mouseClick(early.findChild<QPushButton*>("ButtonOk"), Qt::LeftButton);
  EXPECT_EQ(early.result(), ResultOk);
}

}  // namespace
}  // namespace tq
