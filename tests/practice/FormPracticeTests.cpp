// The Practice dialog driven offscreen with the keyboard only, on a clock the
// test sets, through short sessions in both directions.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <filesystem>
#include <functional>
#include <memory>

#include "Codec.h"
#include "FormPractice.h"
#include "Journey.h"
#include "PhraseFixture.h"
#include "PracticeChart.h"
#include "PracticeFile.h"
#include "RWorksheet.h"
#include "ScriptedPlatform.h"

namespace tq {
namespace {

void EnsureApp() {
  if (QApplication::instance()) return;
  static int argc = 1;
  static char name[] = "tq_practicedialog_tests";
  static char* argv[] = {name, nullptr};
  new QApplication(argc, argv);
}

// Noon on 2026-03-10, local time.
constexpr int64_t kNoon = 20522 * kSecondsPerDay + 12 * 3600;

class PracticeDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureApp();
    // tin 12, ma 3, ray 4, denim 123, law 5 and lee 5, among others.
    test::LoadDictionary(dict, dir, test::CommonWords());
    Add("12-34", " tin ma ray", "locker");
    Add("", "", "");
    Add("5", " law", "");
    worksheet.SetFileName(dir.File("phone.tqw"));
    form = std::make_unique<TFormPractice>(dict);
    form->SetClock([this] { return now; });
    form->LoadSchedule(worksheet.FileName());
  }
  void TearDown() override { EXPECT_TRUE(platform.AllAnswersUsed()); }

  void Add(const std::string& number, const std::string& phrase, const std::string& description) {
    auto entry = std::make_unique<RNumber>();
    entry->SetNumber(number);
    entry->SetPhrase(phrase);
    entry->SetDescription(description);
    entry->SlotsFromPhrase();
    worksheet.Insert(std::move(entry), worksheet.Count());
  }
  template <class T>
  T* Child(const char* name) const {
    T* child = form->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
  }
  std::string Text(const char* label) const { return FromQString(Child<QLabel>(label)->text()); }
  QLineEdit* Answer() const { return Child<QLineEdit>("EditAnswer"); }
  void Start() {
    ASSERT_TRUE(form->Prepare(worksheet));
    form->show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  }
  // Types the answer and presses Enter where the focus is, as a user would.
  void Type(const char* answer) {
    ASSERT_EQ(QApplication::focusWidget(), Answer());
    QTest::keyClicks(Answer(), QString::fromLatin1(answer));
    QTest::keyClick(Answer(), Qt::Key_Return);
  }
  void Enter() { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); }
  // An Alt+letter: buttons click a moment after their mnemonic.
  void Mnemonic(Qt::Key key) {
    QTest::keyClick(form.get(), key, Qt::AltModifier);
    QTest::qWait(250);
  }

  test::ScriptedPlatform platform;
  test::TempDir dir;
  RDictionary dict;
  RWorksheet worksheet;
  int64_t now = kNoon;
  std::unique_ptr<TFormPractice> form;
};

TEST_F(PracticeDialog, ASessionRecallingNumbersRunsOnEnterAndKeepsItsSchedule) {
  Start();
  EXPECT_EQ(Text("LabelPrompt"), "locker");
  EXPECT_TRUE(Child<QPushButton>("ButtonHint")->isEnabled());
  // Nothing answered yet: the day chart has no scale.
  const auto* chart = Child<TPracticeChart>("ChartProgress");
  EXPECT_EQ(chart->ScaleText().toStdString(), "");
  // Enter on a blank answer asks for one; nothing is counted.
  Type("  ");
  EXPECT_EQ(Text("LabelResult"), "Type your answer, then press Enter.");
  EXPECT_EQ(Text("LabelProgress"), "Answered 0, right 0");
  Type("12 34x");  // digits only count
  EXPECT_NE(Text("LabelResult").find("Right."), std::string::npos);
  EXPECT_NE(Text("LabelResult").find("tin ma ray"), std::string::npos);
  EXPECT_EQ(Child<QPushButton>("ButtonAnswer")->text(), "&Next");
  Enter();

  // No description: the phrase is the question.
  EXPECT_EQ(Text("LabelPrompt"), "law");
  now += 60;
  Type("4");
  const std::string wrong = Text("LabelResult");
  EXPECT_NE(wrong.find("Wrong."), std::string::npos);
  EXPECT_NE(wrong.find("<u><font color=\"#c0281e\">4</font></u>"), std::string::npos) << wrong;
  Enter();
  // The wrong one comes back, since nothing else is due.
  EXPECT_EQ(Text("LabelPrompt"), "law");
  Type("5");
  Enter();
  EXPECT_EQ(Text("LabelQuestion"), "Nothing more is due.");
  EXPECT_EQ(Text("LabelResult"), "Answered 3, right 2. Due next: 2 numbers tomorrow.");
  Enter();
  EXPECT_EQ(form->result(), QDialog::Accepted);
  EXPECT_FALSE(form->isVisible());

  form->FinishSession();
  EXPECT_EQ(platform.statusText, "Practice: Answered 3, right 2. Due next: 2 numbers tomorrow.");
  EXPECT_FALSE(worksheet.Modified());
  RPracticeSchedule stored;
  ASSERT_EQ(ReadPracticeFile(dir.File("phone.tqw.practice"), stored), PracticeLoad::Loaded);
  EXPECT_EQ(stored, form->Schedule());
  EXPECT_EQ(stored.Find({"5", 1})->wrong, 1);
  // The chart counted today's answers.
  EXPECT_EQ(chart->Days().back(), (RDayTally{2, 1}));
  EXPECT_EQ(chart->ScaleText().toStdString(), "most 3");
  EXPECT_EQ(chart->Stages().learning, 2);

  // Read back as when the worksheet is opened again: the next day both are due.
  form->LoadSchedule(worksheet.FileName());
  EXPECT_EQ(form->Schedule(), stored);
  now += kSecondsPerDay;
  Start();
  EXPECT_EQ(Text("LabelPrompt"), "locker");
}

TEST_F(PracticeDialog, AnyPhraseThatSpellsTheNumberIsRight) {
  Start();
  Mnemonic(Qt::Key_P);
  ASSERT_TRUE(Child<QRadioButton>("RadioRecallPhrase")->isChecked());
  EXPECT_EQ(Text("LabelPrompt"), "12-34");  // the same entry, asked the other way round
  Answer()->setFocus();
  Type("Denim RAY");  // not the stored phrase, but 123 and 4
  EXPECT_NE(Text("LabelResult").find("Right."), std::string::npos);
  Enter();
  EXPECT_EQ(Text("LabelPrompt"), "5");
  Type("lee toe");  // 5 and a 1 too many
  const std::string wrong = Text("LabelResult");
  EXPECT_NE(wrong.find("Wrong."), std::string::npos);
  EXPECT_NE(wrong.find("5<u><font color=\"#c0281e\">1</font></u>"), std::string::npos) << wrong;
  Enter();
  Type("nosuchword");
  EXPECT_NE(Text("LabelResult").find("<u><font color=\"#c0281e\">?</font></u>"), std::string::npos);
  Enter();
  Type("lee");
  EXPECT_NE(Text("LabelResult").find("Right."), std::string::npos);
  // The dictionary is never changed by a rehearsal.
  EXPECT_LT(dict.FindWord("nosuchword"), 0);
  EXPECT_TRUE(platform.shown().empty());
}

TEST_F(PracticeDialog, HintEscapeAndHelpWorkFromTheKeyboard) {
  Start();
  // Words where the digits are asked for: asked again, not counted.
  Type("tin ma ray");
  EXPECT_EQ(Text("LabelResult"), "Type the number's digits, then press Enter.");
  EXPECT_TRUE(Text("LabelHint").empty());
  Mnemonic(Qt::Key_I);
  EXPECT_EQ(Text("LabelHint"), "Phrase: tin ma ray");
  EXPECT_EQ(QApplication::focusWidget(), Answer());
  Mnemonic(Qt::Key_H);
  ASSERT_EQ(platform.shown().size(), 1u);
  EXPECT_EQ(platform.shown()[0].kind, "help");
  EXPECT_EQ(platform.shown()[0].topic, TFormPractice::kHelpContext);
  Mnemonic(Qt::Key_J);
  EXPECT_TRUE(Child<QRadioButton>("RadioWalkJourney")->isChecked());
  EXPECT_EQ(Text("LabelPrompt"), "front gate");
  Mnemonic(Qt::Key_M);
  EXPECT_EQ(Text("LabelPrompt"), "locker");

  QTest::keyClick(Answer(), Qt::Key_Escape);
  EXPECT_EQ(form->result(), QDialog::Rejected);
  form->FinishSession();
  // Nothing answered, nothing written.
  EXPECT_FALSE(dir.Exists("phone.tqw.practice"));
  EXPECT_EQ(platform.statusText, "Practice: Answered 0, right 0.");
}

TEST_F(PracticeDialog, ADamagedFileStartsAfreshAndTheStatusBarSaysSo) {
  dir.Write("phone.tqw.practice", "#TessaloquinePractice - 1\nC:12 what\n");
  form->LoadSchedule(worksheet.FileName());
  EXPECT_TRUE(platform.statusAlert);
  EXPECT_EQ(platform.statusText, "The practice file '" + dir.File("phone.tqw.practice") +
                                     "' is damaged; the schedule starts afresh. It will be kept aside, not "
                                     "overwritten.");
  EXPECT_TRUE(form->Schedule().Cards().empty());
  Start();
  Type("1234");
  QTest::keyClick(Answer(), Qt::Key_Escape);
  form->FinishSession();
  RPracticeSchedule stored;
  EXPECT_EQ(ReadPracticeFile(dir.File("phone.tqw.practice"), stored), PracticeLoad::Loaded);
  EXPECT_EQ(stored.Cards().size(), 1u);
}

TEST_F(PracticeDialog, NoNumberNothingToPractiseAndAnUntitledWorksheetKeepsItsScheduleUntilSaved) {
  RWorksheet empty;
  empty.Insert(std::make_unique<RNumber>(), 0);
  EXPECT_FALSE(form->Prepare(empty));

  worksheet.SetFileName("");
  form->LoadSchedule("");
  Start();
  Type("1234");
  QTest::keyClick(Answer(), Qt::Key_Escape);
  form->FinishSession();
  EXPECT_EQ(platform.statusText,
            "Practice: Answered 1, right 1. Due next: 1 number tomorrow. "
            "The schedule is written beside the worksheet once it has a file.");
  // Saved as phone.tqw: the schedule is written beside it at once, and the
  // next session there too.
  worksheet.SetFileName(dir.File("phone.tqw"));
  form->WorksheetSaved(worksheet);
  EXPECT_TRUE(dir.Exists("phone.tqw.practice"));
  Start();
  Type("5");
  QTest::keyClick(Answer(), Qt::Key_Escape);
  form->FinishSession();
  RPracticeSchedule stored;
  ASSERT_EQ(ReadPracticeFile(dir.File("phone.tqw.practice"), stored), PracticeLoad::Loaded);
  EXPECT_EQ(stored.Cards().size(), 2u);
}

TEST_F(PracticeDialog, SaysNothingOfAMissingScheduleUntilTheUserPractises) {
  EXPECT_EQ(platform.statusText, "");
  Start();
  EXPECT_EQ(platform.statusText, "No practice schedule for this worksheet yet; it starts afresh.");
  EXPECT_FALSE(platform.statusAlert);
}

TEST_F(PracticeDialog, AFileThatCannotBeTakenInIsNeverReplacedWithoutKeepingIt) {
  const std::string path = dir.File("phone.tqw.practice");
  // Opens the schedule, lets `meanwhile` change the file, and practises.
  auto practise = [this](const std::function<void()>& meanwhile = {}) {
    form->LoadSchedule(worksheet.FileName());
    if (meanwhile) meanwhile();
    Start();
    Type("1234");
    QTest::keyClick(Answer(), Qt::Key_Escape);
    form->FinishSession();
  };
  auto has = [this](const std::string& text) { return platform.statusText.find(text) != std::string::npos; };

  // Damaged: kept under a name of its own that no later damaged file takes.
  const std::string damaged = "#TessaloquinePractice - 1\nC:12 what\n";
  for (const char* aside : {".damaged", ".damaged2"}) {
    dir.Write("phone.tqw.practice", damaged + aside);
    practise();
    EXPECT_EQ(dir.Read(std::string("phone.tqw.practice") + aside), damaged + aside);
    EXPECT_TRUE(has("The damaged practice file was kept as '" + path + aside + "'.")) << platform.statusText;
    RPracticeSchedule stored;
    EXPECT_EQ(ReadPracticeFile(path, stored), PracticeLoad::Loaded);  // and the new schedule written
  }

  // From a newer version, or there but unreadable (a folder reads with an
  // error, as a failing disk does): left alone, and the session says why;
  // so also when the file reads by the time the session ends, since the
  // schedule held was started without it.
  const std::string newer = "#TessaloquinePractice - 2\nC:1234 1 3 0 9 0\nQ:what comes later\n";
  const std::string readable = "#TessaloquinePractice - 1\nC:1234 1 3 0 9 0\n";
  dir.Write("phone.tqw.practice", newer);
  form->LoadSchedule(worksheet.FileName());
  EXPECT_TRUE(platform.statusAlert);
  EXPECT_EQ(platform.statusText, "The practice file '" + path +
                                     "' is from a newer version of Tessaloquine. It is left as it is, and "
                                     "practice on this worksheet is not saved.");
  practise();
  EXPECT_EQ(dir.Read("phone.tqw.practice"), newer);
  EXPECT_TRUE(has("The schedule was not saved: the practice file '" + path +
                  "' is from a newer version of Tessaloquine.")) << platform.statusText;
  practise([&] { dir.Write("phone.tqw.practice", readable); });
  EXPECT_EQ(dir.Read("phone.tqw.practice"), readable);
  EXPECT_TRUE(has("The schedule was not saved: the practice file '" + path +
                  "' is from a newer version of Tessaloquine.")) << platform.statusText;

  for (bool readsLater : {false, true}) {
    std::filesystem::remove_all(path);
    std::filesystem::create_directory(path);
    practise([&] {
      EXPECT_TRUE(has("The practice file '" + path + "' could not be read (")) << platform.statusText;
      if (!readsLater) return;
      std::filesystem::remove(path);
      dir.Write("phone.tqw.practice", readable);
    });
    if (readsLater)
      EXPECT_EQ(dir.Read("phone.tqw.practice"), readable);
    else
      EXPECT_TRUE(std::filesystem::is_directory(path));
    EXPECT_TRUE(platform.statusAlert);
    EXPECT_TRUE(has("The schedule was not saved: the practice file '" + path + "' could not be read ("))
        << platform.statusText;
  }
  EXPECT_TRUE(platform.MessageTexts().empty());
}

TEST_F(PracticeDialog, OnlyWhatGivesSomethingToRecallFromIsAskedAndDotsAreNoClue) {
  const std::string dots(" \xB7 \xB7");
  Add("77", dots, "");              // nothing to recall the number from
  Add("88", " tin \xB7\xB7", "");   // an incomplete phrase is nothing either
  Add("99", dots, "garage");        // the description is, but its phrase is no hint
  auto noDots = [](const std::string& text) { return text.find_first_of("\xB7\x95") == std::string::npos; };
  Start();
  for (const auto& [prompt, answer] : {std::pair{"locker", "1234"}, {"law", "5"}, {"garage", "99"}}) {
    EXPECT_EQ(Text("LabelPrompt"), prompt);
    EXPECT_EQ(Child<QPushButton>("ButtonHint")->isEnabled(), prompt == std::string("locker")) << prompt;
    Type(answer);
    EXPECT_TRUE(noDots(Text("LabelResult"))) << Text("LabelResult");
    Enter();
  }
  EXPECT_EQ(Text("LabelQuestion"), "Nothing more is due.");
  EXPECT_NE(Text("LabelResult").find("Left out: 2 numbers with neither a description nor a complete phrase."),
            std::string::npos)
      << Text("LabelResult");
  Enter();
  form->FinishSession();

  // Recalling a phrase, the number is the question: the two left out are asked.
  Child<QRadioButton>("RadioRecallPhrase")->setChecked(true);
  Start();
  for (const char* number : {"77", "88"}) {
    EXPECT_EQ(Text("LabelPrompt"), number);
    Type("toe");
    EXPECT_TRUE(noDots(Text("LabelResult"))) << Text("LabelResult");
    Enter();
  }
  EXPECT_EQ(form->Summary().find("Left out"), std::string::npos) << form->Summary();
  QTest::keyClick(Answer(), Qt::Key_Escape);
  form->FinishSession();
}

// The walk asks place by place with the scene before as a cue, shows the
// words after a wrong answer, counts the walk as one answer for the entry,
// leaves out an entry of one place and names the places gone wrong.
TEST_F(PracticeDialog, WalkingTheJourneyAsksEachPlaceAndNamesThePlacesToGoOverAgain) {
  form->SetJourney(RJourney{{"front door", "hall mirror"}, 2});
  Child<QRadioButton>("RadioWalkJourney")->setChecked(true);
  Start();
  EXPECT_EQ(Text("LabelQuestion"), "Place 1 of 2: which digits stand here?");
  EXPECT_EQ(Text("LabelPrompt"), "front door");
  EXPECT_EQ(Text("LabelHint"), "The journey of locker");
  Type("123");
  EXPECT_NE(Text("LabelResult").find("Right."), std::string::npos);
  Enter();
  EXPECT_EQ(Text("LabelPrompt"), "hall mirror");
  EXPECT_EQ(Text("LabelHint"), "Before it: tin ma");
  // The scene's words are no answer to which digits stand here.
  Type("ray");
  EXPECT_EQ(Text("LabelResult"), "Type the digits that stand here, then press Enter.");
  EXPECT_EQ(Text("LabelPrompt"), "hall mirror");
  Answer()->clear();
  Type("7");
  const std::string wrong = Text("LabelResult");
  EXPECT_NE(wrong.find("Wrong."), std::string::npos);
  EXPECT_NE(wrong.find("Words: <b>ray</b>"), std::string::npos) << wrong;
  EXPECT_NE(wrong.find("Go over again 1 of 2 places: <b>hall mirror</b>."), std::string::npos) << wrong;
  const RCard* card = form->Schedule().Find(RCardKey{"1234", 1});
  ASSERT_NE(card, nullptr);
  EXPECT_EQ(card->wrong, 1);
  EXPECT_EQ(card->right, 0);
  Enter();
  // Wrong, so walked again at once: law, of one place, is no walk. Broken
  // off after a wrong place, the walk counts, and its place is named too.
  EXPECT_EQ(Text("LabelPrompt"), "front door");
  Type("9");
  QTest::keyClick(Answer(), Qt::Key_Escape);
  form->FinishSession();
  EXPECT_EQ(platform.statusText,
            "Practice: Answered 2, right 0. Due next: 1 number today. Left out: 1 number without a complete phrase "
            "of two places or more. Go over again: hall mirror (locker); front door (locker).");
}

}  // namespace
}  // namespace tq
