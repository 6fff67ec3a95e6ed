// Answers compared on digits, and the bytes of the flash-card export.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <random>

#include "AnswerCheck.h"
#include "AtomicFile.h"
#include "FlashCards.h"
#include "JourneyWalk.h"
#include "PracticeSchedule.h"
#include "RWorksheet.h"
#include "ScriptedPlatform.h"
#include "TempDir.h"

namespace tq {
namespace {

std::string RandomDigits(std::mt19937& random, int most) {
  std::string digits;
  const int length = static_cast<int>(random() % static_cast<unsigned>(most + 1));
  for (int i = 0; i < length; ++i) digits += static_cast<char>('0' + random() % 10);
  return digits;
}

TEST(AnswerCheck, DigitsDecideAndTheMarksSayWhere) {
  std::mt19937 random(17);
  for (int round = 0; round < 2000; ++round) {
    const std::string expected = RandomDigits(random, 10);
    // Mostly near misses: the expected digits with one change, or as they are.
    std::string given = expected;
    switch (random() % 4) {
      case 0: if (!given.empty()) given[random() % given.size()] = static_cast<char>('0' + random() % 10); break;
      case 1: given += static_cast<char>('0' + random() % 10); break;
      case 2: if (!given.empty()) given.pop_back(); break;
      default: given = RandomDigits(random, 10);
    }
    // Blanks, dashes and letters typed between the digits change nothing.
    std::string typed;
    for (char c : given) typed += std::string(random() % 2 ? " " : "-x(") + c;
    ASSERT_EQ(DigitsOf(typed), given);
    const RDigitMarks marks = MarkDigits(expected, DigitsOf(typed));
    ASSERT_EQ(marks.right, given == expected);
    ASSERT_EQ(marks.shown.size(), std::max(expected.size(), given.size()));
    ASSERT_EQ(marks.wrong.size(), marks.shown.size());
    for (std::size_t i = 0; i < marks.shown.size(); ++i) {
      const bool differs = i >= expected.size() || i >= given.size() || given[i] != expected[i];
      ASSERT_EQ(marks.wrong[i], differs) << expected << " / " << given << " at " << i;
      ASSERT_EQ(marks.shown[i], i < given.size() ? given[i] : '_');
    }
  }
  // A word the dictionary lacks is never right.
  EXPECT_FALSE(MarkDigits("12", "1?").right);
}

// A walk takes the digits of a place however they are typed, as Recall the
// Number does ("83 279", "83-279"), and notes the places answered wrong.
TEST(JourneyWalk, APlaceTakesItsDigitsAsTheNumberFieldDoes) {
  std::mt19937 random(35);
  for (int round = 0; round < 500; ++round) {
    std::vector<RWalkPlace> places;
    for (int k = 0; k < 4; ++k) {
      std::string digits = RandomDigits(random, 6);
      if (digits.empty()) digits = "0";
      places.push_back(RWalkPlace{"place " + std::to_string(k + 1), "", "words", digits});
    }
    RJourneyWalk walk(places);
    std::vector<std::string> missed;
    while (!walk.Over()) {
      const RWalkPlace& place = walk.Current();
      std::string given = place.digits;
      if (random() % 3 == 0) given.back() = static_cast<char>('0' + (given.back() - '0' + 1) % 10);
      std::string typed;
      for (char c : given) typed += std::string(random() % 2 ? " " : "-") + c;
      const RWalkPlace* answered = nullptr;
      const RDigitMarks marks = walk.Answer(typed, &answered);
      ASSERT_EQ(answered, &place);
      ASSERT_EQ(marks.right, given == place.digits) << "'" << typed << "' for " << place.digits;
      ASSERT_EQ(marks.shown, given);
      if (!marks.right) missed.push_back(place.place);
    }
    EXPECT_EQ(walk.MissedPlaces(), missed);
    EXPECT_EQ(walk.AllRight(), missed.empty());
  }
  RJourneyWalk walk({RWalkPlace{"gate", "", "fume nap", "83279"}, RWalkPlace{"door", "", "", "1"}});
  EXPECT_TRUE(walk.Answer("83 279").right);
  EXPECT_TRUE(walk.Answer("1.").right);
  walk = RJourneyWalk({RWalkPlace{"gate", "", "fume nap", "83279"}});
  EXPECT_TRUE(walk.Answer("83-279").right);
}

TEST(FlashCards, OneTabSeparatedCardPerNumberInUtf8) {
  RWorksheet ws;
  auto add = [&ws](const std::string& number, const std::string& phrase, const std::string& description) {
    auto entry = std::make_unique<RNumber>();
    entry->SetNumber(number);
    entry->SetPhrase(phrase);
    entry->SetDescription(description);
    ws.Insert(std::move(entry), ws.Count());
  };
  add("555-1234", " lily tin \xB7", "Caf\xE9 \x80 order line");  // an incomplete phrase: no card
  add("42", "", "");                                               // no phrase: no card
  add("3141592653", " mother hotel pendulum", "");  // no description: the back must not repeat the number
  add("", " lonely", "no number, no card");
  add("  ", "", "blank number, no card");
  add("7\t7", " toe\r\ntoe", "tab\there\nand\rthere");  // nothing may split a card
  add("1", " tie", "\x81\x95\x93quoted\x94");
  int withoutPhrase = -1;
  EXPECT_EQ(FlashCardText(ws, &withoutPhrase),
            "3141592653\tmother hotel pendulum\n"
            "tab here and there\t7 7: toe toe\n"
            "\xE2\x80\xA2\xE2\x80\x9Cquoted\xE2\x80\x9D\t1: tie\n");
  EXPECT_EQ(withoutPhrase, 2);
  EXPECT_EQ(FlashCardText(RWorksheet(), &withoutPhrase), "");
  EXPECT_EQ(withoutPhrase, 0);
}

// Importers that read quoted fields, or take a line that begins with '#' as a
// comment, read the same cards as those that only split lines and tabs as
// long as no card begins with '#' and no field with a double quote.
void ExpectEveryImporterReadsTheSameCards(const std::string& text, int cards) {
  int lines = 0;
  for (std::size_t start = 0, end = 0; start < text.size(); start = end + 1, ++lines) {
    end = std::min(text.find('\n', start), text.size());
    const std::string line = text.substr(start, end - start);
    const std::size_t tab = line.find('\t');
    ASSERT_TRUE(tab != std::string::npos && line.find('\t', tab + 1) == std::string::npos) << text;
    ASSERT_TRUE(line[0] != '#' && line[0] != '"' && line[tab + 1] != '"') << text;
  }
  ASSERT_EQ(lines, cards) << text;
}

TEST(FlashCards, EveryImporterReadsTheSameCards) {
  std::mt19937 random(23);
  const char* pieces[] = {"a", " ", "\"", "\"\"", "#", "\t", "\n", "x\"y", "\xB7", "\x93", "tin"};
  auto randomText = [&] {
    std::string text;
    for (int n = static_cast<int>(random() % 5); n > 0; --n) text += pieces[random() % std::size(pieces)];
    return text;
  };
  for (int round = 0; round < 500; ++round) {
    RWorksheet ws;
    int numbered = 0;
    for (int n = static_cast<int>(random() % 6); n > 0; --n) {
      auto entry = std::make_unique<RNumber>();
      entry->SetNumber(random() % 4 ? randomText() + "5" : randomText());
      entry->SetPhrase(random() % 2 ? " tin" : " " + randomText());
      entry->SetDescription(randomText());
      if (entry->Number().find_first_not_of(" \t") != std::string::npos && HasCompletePhrase(*entry)) ++numbered;
      ws.Insert(std::move(entry), ws.Count());
    }
    ExpectEveryImporterReadsTheSameCards(FlashCardText(ws), numbered);
  }
  // A quote or a number sign that begins a card keeps its look.
  RWorksheet ws;
  auto entry = std::make_unique<RNumber>();
  entry->SetNumber("\"12\"");
  entry->SetPhrase(" \"tin\"");
  entry->SetDescription("#1 \"desk\"");
  ws.Insert(std::move(entry), 0);
  EXPECT_EQ(FlashCardText(ws), "\xEF\xBC\x83" "1 \"desk\"\t\xE2\x80\x9C" "12\": \"tin\"\n");
  ws.At(0).SetDescription("");
  EXPECT_EQ(FlashCardText(ws), "\xE2\x80\x9C" "12\"\t\xE2\x80\x9C" "tin\"\n");
}

TEST(FlashCards, EveryByteBecomesUtf8WithoutBreakingALine) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  const std::string utf8 = PrintableUtf8From1252(all);
  // Decode it again: well-formed sequences, one character per byte.
  std::size_t characters = 0;
  for (std::size_t i = 0; i < utf8.size(); ++characters) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    const std::size_t length = lead < 0x80 ? 1 : lead >= 0xE0 ? 3 : 2;
    ASSERT_TRUE(lead < 0x80 || lead >= 0xC2) << i;
    for (std::size_t k = 1; k < length; ++k)
      ASSERT_EQ(static_cast<unsigned char>(utf8[i + k]) & 0xC0, 0x80) << i;
    ASSERT_TRUE(lead >= 0x20 && lead != 0x7F) << "control character at " << i;
    i += length;
  }
  EXPECT_EQ(characters, 256u);
  EXPECT_EQ(utf8.substr(0x20, 0x5F), all.substr(0x20, 0x5F));  // ASCII stays as it is
}

TEST(FlashCards, AFailedExportKeepsTheOldFileAndSaysSo) {
  test::ScriptedPlatform platform;
  test::TempDir dir;
  RWorksheet ws;
  auto entry = std::make_unique<RNumber>();
  entry->SetNumber("12");
  entry->SetPhrase(" tin");
  ws.Insert(std::move(entry), 0);
  const std::string path = dir.File("cards.txt");
  dir.Write("cards.txt", "old cards\n");
  SetWriteFaultForTesting(2);
  EXPECT_FALSE(ExportFlashCards(ws, path));
  SetWriteFaultForTesting(-1);
  EXPECT_EQ(dir.Read("cards.txt"), "old cards\n");
  EXPECT_EQ(platform.MessageTexts(),
            std::vector<std::string>{"Error: Error writing to file '" + path + "'. The disk could be full."});
  EXPECT_TRUE(ExportFlashCards(ws, path));
  EXPECT_EQ(dir.Read("cards.txt"), "12\ttin\n");
}

}  // namespace
}  // namespace tq
