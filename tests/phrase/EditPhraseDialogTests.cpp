// The Edit Phrase dialog driven offscreen: OK closes only on a phrase that
// passes the check; every stop leaves the dialog open on the typed text.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "Codec.h"
#include "FormEditPhrase.h"
#include "PhraseFixture.h"
#include "RNumber.h"
#include "ScriptedPlatform.h"

namespace tq {
namespace {

void EnsureApp() {
  if (QApplication::instance()) return;
  static int argc = 1;
  static char name[] = "tq_phrasedialogs_tests";
  static char* argv[] = {name, nullptr};
  new QApplication(argc, argv);
}

class EditPhraseDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureApp();
    test::LoadDictionary(dict, dir, test::CommonWords());
    form = std::make_unique<TFormEditPhrase>(dict);
  }
  void TearDown() override {
    EXPECT_TRUE(platform.AllAnswersUsed());
    EXPECT_EQ(platform.busyDepth, 0);
  }

  QLineEdit* EditPhrase() const { return form->findChild<QLineEdit*>("EditPhrase"); }
  void Click(const char* name) const { QTest::mouseClick(form->findChild<QPushButton*>(name), Qt::LeftButton); }
  void Open(const std::string& phrase, const std::string& number) {
    form->PrepareEditPhrase(phrase, number);
    form->show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  }
  void Type(const std::string& text) const { EditPhrase()->setText(ToQString(text)); }

  test::ScriptedPlatform platform;
  test::TempDir dir;
  RDictionary dict;
  std::unique_ptr<TFormEditPhrase> form;
};

TEST_F(EditPhraseDialog, ShowsTheNumberAndPhraseAndEnterChecksIt) {
  const std::string shown = " tin \xB7 \xB7";
  Open(shown, "12-34");
  EXPECT_EQ(form->windowTitle(), "Edit Phrase");
  EXPECT_EQ(form->findChild<QLabel*>("LabelPhrase")->text(), "Edit phrase for number 12-34:");
  EXPECT_EQ(FromQString(EditPhrase()->text()), shown);
  EXPECT_EQ(QApplication::focusWidget(), EditPhrase());

  Type("Tin MA ray");
  QTest::keyClick(EditPhrase(), Qt::Key_Return);
  EXPECT_FALSE(form->isVisible());
  EXPECT_EQ(form->result(), ResultOk);
  RNumber current;
  form->ApplyAcceptedPhrase(current);
  EXPECT_EQ(current.Phrase(), "tin ma ray");
  EXPECT_EQ(current.SlotCount(), 3);
}

TEST_F(EditPhraseDialog, StopsKeepTheDialogOpenOnTheTypedText) {
  Open("   ", "1234");
  Click("ButtonOK");
  EXPECT_EQ(platform.MessageTexts(), std::vector<std::string>{"Error: Please enter a phrase."});
  EXPECT_TRUE(form->isVisible());

  Type("Tan ma ray");
  platform.QueueAnswer(ResultCancel);  // do not add "tan"
  Click("ButtonOK");
  Type("ray");
  platform.QueueAnswer(ResultOk);  // recode "ray" for the 1...
  platform.QueueText("", false);   // ...but cancel the input box
  Click("ButtonOK");
  EXPECT_TRUE(form->isVisible());
  EXPECT_EQ(FromQString(EditPhrase()->text()), "ray");
  EXPECT_EQ(QApplication::focusWidget(), EditPhrase());
  EXPECT_FALSE(form->DictionaryChanged());
}

TEST_F(EditPhraseDialog, AddedWordClosesWithOkAndIsReportedUntilTheNextShowing) {
  Open("tan ma ray", "1234");
  platform.QueueAnswer(ResultOk);
  Click("ButtonOK");
  EXPECT_EQ(platform.MessageTexts(),
            std::vector<std::string>{
                "Error: Word 'tan' is not found in the dictionary. Would you like to add this word?"});
  EXPECT_EQ(form->result(), ResultOk);
  EXPECT_TRUE(form->DictionaryChanged());

  Open("tan", "1234");
  EXPECT_FALSE(form->DictionaryChanged());
  Click("ButtonCancel");
  EXPECT_EQ(form->result(), ResultCancel);
}

TEST_F(EditPhraseDialog, EscapeIsCancelAndHelpOpensTopic2300) {
  Open("tin", "12");
  Click("ButtonHelp");
  ASSERT_EQ(platform.shown().size(), 1u);
  EXPECT_EQ(platform.shown()[0].topic, 2300);
  EXPECT_TRUE(form->isVisible());
  QTest::keyClick(EditPhrase(), Qt::Key_Escape);
  EXPECT_FALSE(form->isVisible());
  EXPECT_EQ(form->result(), ResultCancel);
}

}  // namespace
}  // namespace tq
