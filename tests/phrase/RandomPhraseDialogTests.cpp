// The Random Phrase dialog driven offscreen through its buttons.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>
#include <set>

#include "Codec.h"
#include "FormRandom.h"
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

class RandomPhraseDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureApp();
    test::LoadDictionary(dict, dir, test::CommonWords());  // two words for each digit 1 to 5
    form = std::make_unique<TFormRandom>(dict);
  }
  void TearDown() override { EXPECT_TRUE(platform.AllAnswersUsed()); }

  QPushButton* Button(const char* name) const { return form->findChild<QPushButton*>(name); }
  QLineEdit* Edit(const char* name) const { return form->findChild<QLineEdit*>(name); }
  void Click(const char* name) const { QTest::mouseClick(Button(name), Qt::LeftButton); }
  void ShowFor(const std::string& number, const std::string& digits) {
    form->Prepare(number, digits);
    form->show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  }
  // The codes of the proposal's words, in order.
  std::string Spelled() const {
    RNumber entry;
    form->ApplyPhraseTo(entry);
    std::string codes;
    for (const std::string& word : entry.Slots()) {
      const int k = dict.FindWord(word);
      codes += k < 0 ? "?" : dict.CodeAt(k);
    }
    return codes;
  }

  test::ScriptedPlatform platform;
  test::TempDir dir;
  RDictionary dict;
  std::unique_ptr<TFormRandom> form;
};

TEST_F(RandomPhraseDialog, ShowingProposesAPhraseForTheNumberAndFocusesAccept) {
  EXPECT_EQ(form->windowTitle(), "Random Phrase");
  EXPECT_EQ(form->findChild<QLabel*>("LabelNumber")->text(), "Number:");
  EXPECT_EQ(form->findChild<QLabel*>("LabelPhrase")->text(), "Phrase:");
  std::vector<QString> captions;
  for (const char* name : {"ButtonAccept", "ButtonTryAgain", "ButtonCancel", "ButtonHelp"})
    captions.push_back(Button(name)->text());
  EXPECT_EQ(captions, (std::vector<QString>{"&Accept", "&Try Again", "&Cancel", "&Help"}));

  ShowFor("(555) 12-34", "5551234");
  EXPECT_EQ(Edit("EditNumber")->text(), "(555) 12-34");
  EXPECT_TRUE(Edit("EditPhrase")->isReadOnly());
  EXPECT_EQ(Spelled(), "5551234");
  EXPECT_EQ(QApplication::focusWidget(), Button("ButtonAccept"));
}

TEST_F(RandomPhraseDialog, TryAgainProposesAnotherPhraseForTheSameDigits) {
  ShowFor("555-1234-4321", "55512344321");
  std::set<std::string> proposals;
  for (int i = 0; i < 30; ++i) {
    Click("ButtonTryAgain");
    ASSERT_EQ(Spelled(), "55512344321") << form->Phrase();
    proposals.insert(form->Phrase());
  }
  EXPECT_GT(proposals.size(), 1u) << "two words for every digit, yet always the same proposal";
  EXPECT_TRUE(form->isVisible());
}

TEST_F(RandomPhraseDialog, AcceptGivesOkCancelAndEscapeGiveCancel) {
  ShowFor("12", "12");
  const std::string proposal = form->Phrase();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  EXPECT_FALSE(form->isVisible());
  EXPECT_EQ(form->result(), ResultOk);
  EXPECT_EQ(form->Phrase(), proposal);

  ShowFor("12", "12");
  Click("ButtonCancel");
  EXPECT_EQ(form->result(), ResultCancel);
  ShowFor("12", "12");
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
  EXPECT_FALSE(form->isVisible());
  EXPECT_EQ(form->result(), ResultCancel);
}

TEST_F(RandomPhraseDialog, ALongNumberAndItsPhraseShowFromTheirStart) {
  std::string digits;
  for (int i = 0; i < 300; ++i) digits += static_cast<char>('1' + i % 5);
  ShowFor("(" + digits + ")", digits);
  for (int proposal = 0; proposal < 2; ++proposal) {
    for (const char* name : {"EditNumber", "EditPhrase"}) {
      SCOPED_TRACE(name);
      QLineEdit* edit = Edit(name);
      edit->grab();  // lays the text out as the screen shows it
      ASSERT_GT(edit->fontMetrics().horizontalAdvance(edit->text()), edit->width()) << "too short to tell";
      EXPECT_EQ(edit->cursorPosition(), 0);
      EXPECT_TRUE(edit->rect().contains(edit->inputMethodQuery(Qt::ImCursorRectangle).toRect().center())) << "the start is scrolled out of view";
    }
    Click("ButtonTryAgain");
  }
}

TEST_F(RandomPhraseDialog, HelpOpensTopic2200) {
  ShowFor("12", "12");
  Click("ButtonHelp");
  ASSERT_EQ(platform.shown().size(), 1u);
  EXPECT_EQ(platform.shown()[0].kind, "help");
  EXPECT_EQ(platform.shown()[0].topic, 2200);
  EXPECT_TRUE(form->isVisible());
}

TEST_F(RandomPhraseDialog, RunsModallyThroughThePlatformAsTheMainWindowOpensIt) {
  platform.QueueModal([](QDialog* dialog) {
    dialog->show();
    dialog->findChild<QPushButton*>("ButtonAccept")->click();
    return dialog->result();
  });
  form->Prepare("3-1", "31");
  EXPECT_EQ(CurrentPlatform().RunModal(form.get()), ResultOk);
  EXPECT_EQ(Spelled(), "31");
}

}  // namespace
}  // namespace tq
