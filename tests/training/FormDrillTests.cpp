// The two drill windows driven offscreen with the keyboard, on clocks the
// test sets: a peg drill with a wrong and a slow answer, and numbers
// memorised, recalled row by row and scored.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTest>
#include <QTextBrowser>

#include "Codec.h"
#include "FormNumbersDrill.h"
#include "FormPegDrill.h"
#include "PegSystem.h"
#include "PhraseFixture.h"
#include "PracticeSchedule.h"
#include "ScriptedPlatform.h"
#include "TrainingCharts.h"
#include "TrainingPegs.h"

namespace tq {
namespace {

void EnsureApp() {
  if (QApplication::instance()) return;
  static int argc = 1;
  static char name[] = "tq_trainingwindows_tests";
  static char* argv[] = {name, nullptr};
  new QApplication(argc, argv);
}

// Noon on 2026-03-10, local time.
constexpr int64_t kNoon = 20522 * kSecondsPerDay + 12 * 3600;

class DrillWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureApp();
    test::LoadDictionary(dict, dir, test::CommonWords());
  }
  void TearDown() override { EXPECT_TRUE(platform.AllAnswersUsed()); }
  void ShowActive(QDialog* dialog) {
    dialog->show();
    dialog->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
  }
  static void Key(Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); }
  static void Type(const std::string& text) {
    QTest::keyClicks(QApplication::focusWidget(), ToQString(text));
  }

  test::ScriptedPlatform platform;
  test::TempDir dir;
  RDictionary dict;
  RPegSystem pegs{dict};
  int64_t steady = 1000000;
};

TEST_F(DrillWindow, APegDrillRunsOnEnterAndBringsBackWhatWasWrongOrSlow) {
  TFormPegDrill form(dict);
  form.SetClocks([this] { return steady; }, [] { return kNoon; });
  form.SetSeed(5);
  form.Prepare(pegs);
  form.SpinItems->setValue(4);
  ShowActive(&form);
  ASSERT_EQ(QApplication::focusWidget(), form.ButtonStart);
  Key(Qt::Key_Return);
  ASSERT_TRUE(form.Drilling());
  ASSERT_EQ(QApplication::focusWidget(), form.EditAnswer);

  // The first item wrong, the second right but slow, the rest right in time.
  std::vector<std::string> asked;
  int answers = 0;
  while (form.Drilling()) {
    ASSERT_LT(answers, 20);
    const RDrillItem item = *form.Drill()->Current();
    asked.push_back(item.number);
    EXPECT_EQ(FromQString(form.LabelPrompt->text()), item.number);
    steady += answers == 1 ? 2500 : 900;
    Type(answers == 0 ? "nonsense" : item.peg);
    Key(Qt::Key_Return);
    const std::string last = FromQString(form.LabelLast->text());
    if (answers == 0) {
      EXPECT_NE(last.find("Wrong"), std::string::npos) << last;
      EXPECT_NE(last.find("comes back"), std::string::npos) << last;
    } else if (answers == 1) {
      EXPECT_NE(last.find("slow"), std::string::npos) << last;
    } else {
      EXPECT_NE(last.find("Right</b></font> in 0.9 s"), std::string::npos) << last;
    }
    ++answers;
  }
  // Both came back after three other items (the third drawn back sooner, as only three were left).
  ASSERT_EQ(asked.size(), 6u);
  EXPECT_EQ(asked[4], asked[0]);
  EXPECT_EQ(asked[5], asked[1]);

  EXPECT_EQ(form.PagesDrill->currentIndex(), 2);
  EXPECT_EQ(FromQString(form.Summary()),
            "6 answers, 5 right (83%). Mean time 1.2 s (target 2.0 s). 2 pegs come first in the next drill.");
  EXPECT_EQ(form.ListSlowest->rowCount(), 4);
  EXPECT_EQ(FromQString(form.ListSlowest->item(0, 0)->text()), asked[1]);
  EXPECT_EQ(FromQString(form.ListSlowest->item(0, 2)->text()), "1.7 s");
  EXPECT_EQ(form.findChild<TPegDrillChart*>("ChartTimes")->Days().back(), (RDrillDay{6, 5, 2500 + 5 * 900}));

  // The record was written as the drill ended, and the next drill starts with those two.
  EXPECT_TRUE(dir.Exists("pegdrill.txt"));
  TFormPegDrill again(dict);
  again.SetClocks([this] { return steady; }, [] { return kNoon; });
  again.Prepare(pegs);
  EXPECT_EQ(again.Record(), form.Record());
  EXPECT_EQ(again.SpinItems->value(), 4);
  EXPECT_EQ(FromQString(again.LabelRecord->text()), "4 of these pegs drilled so far; 2 come first in the next drill.");
  ShowActive(&again);
  Key(Qt::Key_Return);
  const std::string firstAgain = again.Drill()->Current()->number;
  EXPECT_TRUE(firstAgain == asked[0] || firstAgain == asked[1]) << firstAgain;
  // Escape ends the drill under way and shows its end; Escape again closes.
  Key(Qt::Key_Escape);
  EXPECT_EQ(again.PagesDrill->currentIndex(), 2);
  EXPECT_EQ(FromQString(again.Summary()), "Nothing answered.");
  EXPECT_TRUE(again.isVisible());
  QTest::keyClick(again.ButtonSettings, Qt::Key_Return);
  EXPECT_EQ(again.PagesDrill->currentIndex(), 0);
  Key(Qt::Key_Escape);
  EXPECT_FALSE(again.isVisible());
}

TEST_F(DrillWindow, NumbersAreMemorisedRecalledRowByRowAndScored) {
  TFormNumbersDrill form(dict);
  form.SetClocks([this] { return steady; }, [] { return kNoon; });
  form.SetSeed(9);
  form.Prepare(pegs, DefaultJourney());
  EXPECT_EQ(form.SpinDigits->value(), 80);
  EXPECT_EQ(form.SpinRecall->value(), 15);
  form.SpinDigits->setValue(60);
  form.SpinMemorise->setValue(2);
  EXPECT_EQ(form.SpinRecall->value(), 6);  // three times, until set by hand
  ShowActive(&form);
  Key(Qt::Key_Return);
  ASSERT_EQ(form.CurrentStage(), TFormNumbersDrill::Stage::Memorise);
  const std::string digits = form.Digits();
  ASSERT_EQ(digits.size(), 60u);
  EXPECT_TRUE(form.TextDigits->toPlainText().contains(ToQString(GroupedRow(digits.substr(0, 40), 2))));
  steady += 60000;
  form.Tick();
  EXPECT_EQ(FromQString(form.findChild<QLabel*>("LabelMemorise")->text()), "Memorise the 60 digits: 1:00 left");

  // Escape asks first; the attempt goes on when the answer is No.
  platform.QueueAnswer(ResultNo);
  Key(Qt::Key_Escape);
  EXPECT_EQ(form.CurrentStage(), TFormNumbersDrill::Stage::Memorise);
  steady += 60001;
  form.Tick();
  ASSERT_EQ(form.CurrentStage(), TFormNumbersDrill::Stage::Recall);
  EXPECT_TRUE(form.TextDigits->toPlainText().isEmpty());
  ASSERT_EQ(form.RecallRows().size(), 2u);
  ASSERT_EQ(QApplication::focusWidget(), form.RecallRows()[0]);

  // A full row goes on by itself; a letter is refused; Up goes back.
  std::string first = digits.substr(0, 40);
  first[7] = first[7] == '0' ? '1' : '0';
  Type(GroupedRow(first, 2));
  ASSERT_EQ(QApplication::focusWidget(), form.RecallRows()[1]);
  Type("a" + digits.substr(40, 10));
  EXPECT_EQ(FromQString(form.RecallRows()[1]->text()), digits.substr(40, 10));
  Key(Qt::Key_Up);
  EXPECT_EQ(QApplication::focusWidget(), form.RecallRows()[0]);
  Key(Qt::Key_Down);
  Key(Qt::Key_Return);
  EXPECT_EQ(QApplication::focusWidget(), form.ButtonFinish);
  Key(Qt::Key_Return);

  // One mistake in the full row: 20; ten right in the last row reached: 10.
  ASSERT_EQ(form.CurrentStage(), TFormNumbersDrill::Stage::Results);
  EXPECT_EQ(form.Score().score, 30);
  EXPECT_EQ(FromQString(form.LabelScore->text()), "Score: 30 of 60. Digits right: 49. Memorised in 2:00 of 2:00.");
  ASSERT_EQ(form.History().attempts.size(), 1u);
  EXPECT_EQ(form.History().attempts[0], (RNumbersAttempt{kNoon, 60, 30, 120, 120, 360}));
  EXPECT_EQ(form.findChild<TNumbersChart*>("ChartScores")->BestText(), "best 30 of 60");

  // The review: the places holding the wrong digit 8 and the digits 51 to
  // 60, not reached, are the ones to go over again.
  QTest::keyClick(form.ButtonReview, Qt::Key_Return);
  ASSERT_EQ(form.CurrentStage(), TFormNumbersDrill::Stage::Review);
  const std::vector<RReviewPlace> places = LayOnJourney(dict, pegs, DefaultJourney(), digits, 2);
  ASSERT_EQ(form.ListReview->rowCount(), static_cast<int>(places.size()));
  int wrong = 0;
  for (std::size_t k = 0; k < places.size(); ++k) {
    const RReviewPlace& p = places[k];
    const bool bad = (p.firstDigit <= 7 && 7 < p.firstDigit + p.digitCount) || p.firstDigit + p.digitCount > 50;
    wrong += bad ? 1 : 0;
    EXPECT_EQ(FromQString(form.ListReview->item(static_cast<int>(k), 2)->text()), digits.substr(p.firstDigit, p.digitCount));
    EXPECT_EQ(form.ListReview->item(static_cast<int>(k), 3)->foreground().color() == QColor(0xc0, 0x28, 0x1e), bad) << k;
  }
  EXPECT_EQ(FromQString(form.findChild<QLabel*>("LabelReview")->text()),
            "The 60 digits on your journey with your pegs: " + std::to_string(places.size()) + " places, " +
                std::to_string(wrong) + " to go over again.");
  QTest::keyClick(form.ButtonBack, Qt::Key_Return);
  ASSERT_EQ(form.CurrentStage(), TFormNumbersDrill::Stage::Results);

  // The history is on disk, with the settings, for the next time.
  TFormNumbersDrill later(dict);
  later.Prepare(pegs, DefaultJourney());
  EXPECT_EQ(later.History(), form.History());
  EXPECT_EQ(later.SpinDigits->value(), 60);
  EXPECT_EQ(FromQString(later.findChild<QLabel*>("LabelHistory")->text()),
            "1 attempt so far; your best: 30 of 60 digits, on 2026-03-10.");

  // An attempt given up is not scored.
  Key(Qt::Key_Return);
  ASSERT_EQ(form.CurrentStage(), TFormNumbersDrill::Stage::Setup);
  Key(Qt::Key_Return);
  ASSERT_EQ(form.CurrentStage(), TFormNumbersDrill::Stage::Memorise);
  platform.QueueAnswer(ResultYes);
  Key(Qt::Key_Escape);
  EXPECT_EQ(form.CurrentStage(), TFormNumbersDrill::Stage::Setup);
  EXPECT_EQ(form.History().attempts.size(), 1u);
  EXPECT_TRUE(form.isVisible());
}

}  // namespace
}  // namespace tq
