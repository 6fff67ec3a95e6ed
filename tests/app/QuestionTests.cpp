#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "Codec.h"
#include "FormQuestion.h"
#include "RConfig.h"
#include "ScriptedPlatform.h"

namespace tq::test {
namespace {

class QuestionTest : public ::testing::Test {
 protected:
  QPushButton* Button(const char* name) { return form.findChild<QPushButton*>(name); }
  QCheckBox* Check() { return form.findChild<QCheckBox*>("CheckAsk"); }

  ScriptedPlatform platform;
  TFormQuestion form;
  RConfig config;
};

TEST_F(QuestionTest, ButtonsMoveOnlyWhenTheKindOfQuestionChanges) {
  EXPECT_EQ(Button("ButtonYes")->x(), 8);
  EXPECT_EQ(Button("ButtonNo")->x(), 88);
  EXPECT_EQ(Button("ButtonCancel")->x(), 168);

  form.SetQuestion("Delete word 'tin'?", false);
  form.SetQuestion("Delete word 'tie'?", false);  // the same kind: no second move
  EXPECT_EQ(Button("ButtonYes")->x(), 48);
  EXPECT_EQ(Button("ButtonNo")->x(), 128);
  EXPECT_TRUE(Button("ButtonCancel")->isHidden());
  EXPECT_EQ(form.findChild<QLabel*>("LabelQuestion")->text(), "Delete word 'tie'?");

  form.SetQuestion("Save changes to current worksheet?", true);
  EXPECT_EQ(Button("ButtonYes")->x(), 8);
  EXPECT_EQ(Button("ButtonNo")->x(), 88);
  EXPECT_FALSE(Button("ButtonCancel")->isHidden());
}

TEST_F(QuestionTest, ShowingClearsTheBoxAndEnterAnswersYes) {
  form.SetQuestion("Save changes to current worksheet?", true);
  Check()->setChecked(true);
  form.show();
  EXPECT_FALSE(Check()->isChecked());
  form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  EXPECT_EQ(QApplication::focusWidget(), Button("ButtonYes"));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  EXPECT_EQ(form.result(), ResultYes);
}

TEST_F(QuestionTest, EscapeCancelsOnlyWhileCancelShows) {
  form.SetQuestion("Delete word 'tin'?", false);
  form.show();
  QTest::keyClick(&form, Qt::Key_Escape);
  EXPECT_TRUE(form.isVisible());
  form.close();  // the close box
  EXPECT_EQ(form.result(), ResultCancel);

  form.SetQuestion("Save changes to current worksheet?", true);
  form.show();
  QTest::keyClick(&form, Qt::Key_Escape);
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(form.result(), ResultCancel);
}

TEST_F(QuestionTest, EachButtonGivesItsResult) {
  for (const auto& [name, result] : {std::pair{"ButtonYes", ResultYes}, std::pair{"ButtonNo", ResultNo},
                                     std::pair{"ButtonCancel", ResultCancel}}) {
    form.SetQuestion("Save changes to current worksheet?", true);
    form.show();
    QTest::mouseClick(Button(name), Qt::LeftButton);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), result) << name;
  }
}

TEST_F(QuestionTest, AQuestionSwitchedOffGivesTheCallSitesAnswerWithoutShowing) {
  config.SetAskSave(0);
  config.SetAskDelete(0);
  EXPECT_EQ(form.Ask(config, TFormQuestion::Preference::AskSave, "Save changes to current worksheet?", true),
            ResultNo);
  EXPECT_EQ(form.Ask(config, TFormQuestion::Preference::AskDelete, "Delete word 'tin'?", false), ResultYes);
  EXPECT_TRUE(platform.shown().empty());
}

TEST_F(QuestionTest, DontAskAgainClearsOnlyItsOwnPreference) {
  platform.QueueModal([this](QDialog* dialog) {
    dialog->show();
    Check()->setChecked(true);
    QTest::mouseClick(Button("ButtonNo"), Qt::LeftButton);
    return dialog->result();
  });
  EXPECT_EQ(form.Ask(config, TFormQuestion::Preference::AskDelete, "Delete word 'tin'?", false), ResultNo);
  EXPECT_EQ(config.GetAskDelete(), 0);
  EXPECT_EQ(config.GetAskSave(), 1);
  EXPECT_FALSE(form.CancelShown());
}

}  // namespace
}  // namespace tq::test
