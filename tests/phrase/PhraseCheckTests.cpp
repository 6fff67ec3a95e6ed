// The check of a typed phrase against the number 12-34, with the platform
// seam answering the questions and the input box.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "PhraseCheck.h"
#include "PhraseFixture.h"
#include "ScriptedPlatform.h"

namespace tq {
namespace {

using Texts = std::vector<std::string>;
const std::string kDot(1, kUncoveredMark);

std::string AddQuestion(const std::string& word) {
  return "Error: Word '" + word + "' is not found in the dictionary. Would you like to add this word?";
}
std::string CodeQuestion(const std::string& code, const std::string& word, const std::string& digits) {
  return "Error: The code '" + code + "' for word '" + word + "' does not match against the numbers '" + digits +
         "'. Would you like to change the code for this word?";
}

std::string ToUpperForTest(std::string word) {
  for (char& c : word) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
  return word;
}

class PhraseCheck : public ::testing::Test {
 protected:
  void SetUp() override {
    test::LoadDictionary(dict, dir, test::CommonWords());
    check.SetNumber("12-34");
  }
  void TearDown() override {
    EXPECT_TRUE(platform.AllAnswersUsed());
    EXPECT_EQ(platform.busyDepth, 0);
  }
  std::string Code(const std::string& word) const {
    const int k = dict.FindWord(word);
    return k < 0 ? "<missing>" : dict.CodeAt(k);
  }

  test::ScriptedPlatform platform;
  test::TempDir dir;
  RDictionary dict;
  RPhraseCheck check{dict};
};

TEST_F(PhraseCheck, PassesWithoutAQuestionWhenTheWordsFit) {
  for (const std::string& typed : Texts{"Denim  RAY", "tie " + kDot + " ma \x95", "tin", "ah tin oh ma ray ah",
                                   kDot + " " + kDot + " " + kDot + " " + kDot}) {
    EXPECT_EQ(check.Check(typed), PhraseCheckResult::Passed) << typed;
  }
  EXPECT_TRUE(platform.shown().empty());
  EXPECT_FALSE(check.DictionaryChanged());

  EXPECT_EQ(check.Check("Denim  RAY"), PhraseCheckResult::Passed);
  RNumber current;
  check.ApplyTo(current);
  EXPECT_EQ(current.Phrase(), "denim  ray") << "lower case, spacing as typed";
  EXPECT_EQ(current.Slots(), (Texts{"denim", "ray"}));
}

TEST_F(PhraseCheck, EmptyPhraseExtraMarksAndWordsPastTheLastDigitStop) {
  platform.QueueAnswer(ResultCancel);
  for (const std::string& typed : Texts{"", "   ", "tin ma ray " + kDot, "tin ma ray ray"}) {
    EXPECT_EQ(check.Check(typed), PhraseCheckResult::StoppedFocus) << typed;
  }
  const std::string extra = "Error: The phrase has an extra '" + kDot + "' near the end.";
  EXPECT_EQ(platform.MessageTexts(), (Texts{"Error: Please enter a phrase.", "Error: Please enter a phrase.", extra,
                                           CodeQuestion("4", "ray", "")}));
}

// "Lily, LAVISH!" means the words lily and lavish: the punctuation around a
// word is no part of it, and punctuation alone is no word.
TEST_F(PhraseCheck, UnknownWordIsOfferedLowerCasedWithoutThePunctuationAroundIt) {
  platform.QueueAnswer(ResultCancel);
  platform.QueueAnswer(ResultCancel);
  EXPECT_EQ(check.Check("CAF\xC9"), PhraseCheckResult::StoppedFocus);
  EXPECT_EQ(check.Check("(Zorkle), ma ray!"), PhraseCheckResult::StoppedFocus);
  EXPECT_EQ(platform.MessageTexts(), (Texts{AddQuestion("caf\xE9"), AddQuestion("zorkle")}));
  const test::Shown& box = platform.shown()[0];
  EXPECT_EQ(box.caption, "Tessaloquine");
  EXPECT_EQ(box.icon, MessageIcon::Error);
  EXPECT_EQ(box.buttons, ButtonOk | ButtonCancel);
  EXPECT_FALSE(check.DictionaryChanged());

  EXPECT_EQ(check.Check("\"Tin,  MA -- ray!\""), PhraseCheckResult::Passed);
  RNumber current;
  check.ApplyTo(current);
  EXPECT_EQ(current.Slots(), (Texts{"tin", "ma", "ray"}));
  EXPECT_EQ(dict.FindWord("tin,"), -1);
}

TEST_F(PhraseCheck, OkAddsTheWordAndRebuildsTheIndex) {
  const int twoDigitWords = dict.BucketSize(2);
  platform.QueueAnswer(ResultOk);
  EXPECT_EQ(check.Check("Tan, ma ray"), PhraseCheckResult::Passed);  // the letters of "tan" spell 12
  EXPECT_EQ(platform.MessageTexts(), Texts{AddQuestion("tan")});
  EXPECT_EQ(Code("tan"), "12");
  EXPECT_EQ(dict.BucketSize(2), twoDigitWords + 1);
  EXPECT_TRUE(check.DictionaryChanged());
}

TEST_F(PhraseCheck, NewCodeIsCheckedAgainAndAskedAboutWithTheNewCode) {
  platform.QueueAnswer(ResultOk);
  platform.QueueText("14");
  platform.QueueAnswer(ResultOk);
  platform.QueueText("1");
  EXPECT_EQ(check.Check("ray knee"), PhraseCheckResult::Passed);
  const auto& shown = platform.shown();
  ASSERT_EQ(shown.size(), 4u);
  EXPECT_EQ(shown[0].text, CodeQuestion("4", "ray", "1234"));
  EXPECT_EQ(shown[0].buttons, ButtonOk | ButtonCancel);
  EXPECT_EQ(shown[1].kind, "input");
  EXPECT_EQ(shown[1].caption, "Edit Code");
  EXPECT_EQ(shown[1].text, "Enter code for word: ray");
  EXPECT_EQ(shown[2].text, CodeQuestion("14", "ray", "1234"));
  EXPECT_EQ(Code("ray"), "1");
  EXPECT_EQ(dict.EditedCodes(), Texts{"1"});
  std::vector<std::string> rows;
  dict.ListWordsForDigits("1", rows);
  EXPECT_NE(std::find(rows.begin(), rows.end(), "ray"), rows.end()) << "index rebuilt with the new code";
  EXPECT_TRUE(check.DictionaryChanged());
}

TEST_F(PhraseCheck, CancelOrAnUnchangedCodeStopsTheCheck) {
  platform.QueueAnswer(ResultCancel);
  platform.QueueAnswer(ResultOk);
  platform.QueueText("999", false);  // Cancel in the input box gives back the default
  platform.QueueAnswer(ResultOk);
  platform.QueueText("4");
  for (int i = 0; i < 3; ++i) EXPECT_EQ(check.Check("tie " + kDot + " ray"), PhraseCheckResult::StoppedFocus);
  EXPECT_EQ(platform.shown().size(), 5u);
  EXPECT_EQ(platform.shown()[0].text, CodeQuestion("4", "ray", "34"));
  EXPECT_EQ(Code("ray"), "4");
  EXPECT_TRUE(dict.EditedWords().empty());
  EXPECT_FALSE(check.DictionaryChanged());
}

TEST_F(PhraseCheck, CodeLongerThanTheDigitsLeftIsAMismatch) {
  check.SetNumber("12");
  platform.QueueAnswer(ResultCancel);
  EXPECT_EQ(check.Check("tie enemy"), PhraseCheckResult::StoppedFocus);
  EXPECT_EQ(platform.MessageTexts(), Texts{CodeQuestion("23", "enemy", "2")});
}

// A word the user agreed to add goes in only with a phrase that passes, and
// once however often it appears; a code changed before a stop stays changed.
TEST_F(PhraseCheck, AnOfferedWordGoesInOnlyWithAPhraseThatPasses) {
  platform.QueueAnswer(ResultOk);      // add "zorkle"
  platform.QueueAnswer(ResultOk);      // and give it 12
  platform.QueueText("12");
  platform.QueueAnswer(ResultCancel);  // but leave "tie" as it is
  EXPECT_EQ(check.Check("zorkle tie"), PhraseCheckResult::StoppedFocus);
  EXPECT_EQ(Code("zorkle"), "<missing>");
  EXPECT_FALSE(check.DictionaryChanged());

  check.SetNumber("12-12-34");
  platform.ClearShown();
  platform.QueueAnswer(ResultOk);
  platform.QueueAnswer(ResultOk);
  platform.QueueText("12");
  EXPECT_EQ(check.Check("zorkle zorkle ma ray"), PhraseCheckResult::Passed);
  EXPECT_EQ(platform.shown().size(), 3u);  // asked about once
  EXPECT_EQ(Code("zorkle"), "12");
  EXPECT_EQ(dict.AddedWords(), Texts{"zorkle"});
  EXPECT_TRUE(check.DictionaryChanged());

  platform.QueueAnswer(ResultOk);      // recode "ray" for the 3...
  platform.QueueText("3");
  platform.QueueAnswer(ResultCancel);  // ...then give up at the second "ray"
  check.SetNumber("12-34");
  EXPECT_EQ(check.Check("tin ray ray"), PhraseCheckResult::StoppedFocus);
  EXPECT_EQ(Code("ray"), "3");
}

TEST_F(PhraseCheck, ALongNumberPassesAndItsCodeQuestionShowsOnlyTheNextDigits) {
  std::string digits;
  std::string phrase;
  for (int i = 0; i < 5000; ++i) {
    digits += "12";
    phrase += i % 2 ? " tin" : " ton";
  }
  check.SetNumber(digits);
  EXPECT_EQ(check.Check(phrase), PhraseCheckResult::Passed);
  EXPECT_EQ(check.WorkNumber().SlotCount(), 5000);
  // A word that does not fit near the start: the question names the 60
  // digits from there, not the thousands after them.
  platform.QueueAnswer(ResultCancel);
  EXPECT_EQ(check.Check("tin ray" + phrase), PhraseCheckResult::StoppedFocus);
  EXPECT_EQ(platform.MessageTexts(), (Texts{CodeQuestion("4", "ray", digits.substr(2, 60) + "...")}));
  // The last 60 digits or fewer are shown whole.
  platform.QueueAnswer(ResultCancel);
  EXPECT_EQ(check.Check(phrase.substr(0, phrase.size() - 8) + " ray"), PhraseCheckResult::StoppedFocus);
  EXPECT_EQ(platform.MessageTexts().back(), CodeQuestion("4", "ray", "1212"));
}

// The rehearsal's check: the same reading of the text, no questions.
TEST_F(PhraseCheck, WithoutQuestionsAnyWordsWhoseCodesGiveExactlyTheDigitsAreRight) {
  const std::vector<test::CodedWord> words = test::CommonWords();
  std::mt19937 random(23);
  for (int round = 0; round < 2000; ++round) {
    std::string typed, digits;
    const int count = 1 + static_cast<int>(random() % 5);
    for (int i = 0; i < count; ++i) {
      const test::CodedWord& w = words[random() % words.size()];
      std::string word = w.word;
      if (random() % 4 == 0) word = ToUpperForTest(word);
      typed += std::string(1 + random() % 2, ' ') + word;
      digits += w.code;
    }
    ASSERT_EQ(SpelledDigits(dict, typed), digits) << typed;
    ASSERT_EQ(PhraseSpellsDigits(dict, typed, digits), true) << typed;
    ASSERT_FALSE(PhraseSpellsDigits(dict, typed, digits + "7")) << "a digit left over: " << typed;
    if (!digits.empty()) {
      std::string other = digits;
      other.back() = static_cast<char>('0' + (other.back() - '0' + 1) % 10);
      ASSERT_FALSE(PhraseSpellsDigits(dict, typed, other)) << "one digit different: " << typed;
    }
    ASSERT_FALSE(PhraseSpellsDigits(dict, typed + " " + kDot, digits + "7")) << "a mark is no word";
    ASSERT_FALSE(PhraseSpellsDigits(dict, typed + " zzz", digits)) << "an unknown word";
    ASSERT_EQ(SpelledDigits(dict, typed + " zzz " + kDot), digits + "??");
  }
  EXPECT_FALSE(PhraseSpellsDigits(dict, "   ", ""));
  EXPECT_TRUE(platform.shown().empty());
  EXPECT_LT(dict.FindWord("zzz"), 0);
}

TEST_F(PhraseCheck, WordOrCodeTheDictionaryCannotHoldStopsAfterItsReason) {
  // A pasted tab does not split the phrase (a line break becomes a blank as
  // it enters), digits alone are no word, nor is a pasted paragraph: no offer
  // to add them, only the reason.
  for (const std::string& typed : Texts{"123 ma", "tie\tdenim", "tie " + std::string(5000, 'x')}) {
    platform.ClearShown();
    EXPECT_EQ(check.Check(typed), PhraseCheckResult::StoppedFocus) << typed.substr(0, 20);
    ASSERT_EQ(platform.MessageTexts().size(), 1u) << typed.substr(0, 20);
    EXPECT_NE(platform.MessageTexts()[0].find("' cannot be added: a word "), std::string::npos)
        << platform.MessageTexts()[0];
    EXPECT_LT(platform.MessageTexts()[0].size(), 200u);
  }
  EXPECT_TRUE(dict.AddedWords().empty());
  EXPECT_FALSE(check.DictionaryChanged());

  // Letters are no code; blanks around digits are dropped.
  platform.ClearShown();
  platform.QueueAnswer(ResultOk);
  platform.QueueText("ma");
  EXPECT_EQ(check.Check("ray knee"), PhraseCheckResult::StoppedFocus);
  EXPECT_EQ(platform.MessageTexts().back(),
            "Error: 'ma' cannot be a code: a code is made of the digits 0 to 9 only.");
  EXPECT_EQ(Code("ray"), "4");
  EXPECT_FALSE(check.DictionaryChanged());
  platform.QueueAnswer(ResultOk);
  platform.QueueText(" 1 ");
  EXPECT_EQ(check.Check("ray knee"), PhraseCheckResult::Passed);
  EXPECT_EQ(Code("ray"), "1");
}

}  // namespace
}  // namespace tq
