// The journey without a display: cutting a phrase into scenes, filling it
// with best phrases, and the journey file's round trip and hostile input.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "FileIO.h"
#include "Journey.h"
#include "JourneyScenes.h"
#include "Paths.h"
#include "PegSystem.h"
#include "PhraseFixture.h"
#include "RNumber.h"
#include "RandomValues.h"
#include "ScriptedPlatform.h"
#include "Text.h"

namespace tq {
namespace {

class Scenes : public ::testing::Test {
 protected:
  void SetUp() override {
    auto words = test::CommonWords();
    // Long words: five and six digits.
    words.push_back({"metronome", "31423"});
    words.push_back({"tintinnabula", "121295"});
    test::LoadDictionary(dict, dir, words);
    // One long word can be pictured, the other cannot.
    dir.Write("wordinfo.dat", "#wordinfo 2\nmetronome,30,n,p,o\n");
    dict.LoadWordKnowledge();
  }
  test::TempDir dir;
  RDictionary dict;
};

// Random phrases of words and uncovered stretches: the scenes give the slots
// back in order, hold one to four words each, near the choice, a long word
// one can picture alone (one that cannot be pictured with the words around
// it), and every scene's digits are the ones its words spell, where they
// stand in the number.
TEST_F(Scenes, CutAPhraseIntoWholeWordsNearTheChoice) {
  const std::vector<std::string> pool = {"tie", "knee", "ma", "tin", "denim", "ah", "metronome", "tintinnabula", "."};
  std::mt19937 random(7);
  int byPegs = 0;  // rounds whose phrase kept to pegs
  for (int round = 0; round < 400; ++round) {
    std::vector<std::string> slots;
    std::string digits;
    // Now and then a long phrase without long words, which is cut as it goes.
    const bool longRun = round % 4 == 3;
    const int length = static_cast<int>(random() % (longRun ? 400 : 40));
    for (int i = 0; i < length; ++i) {
      std::string word = pool[random() % pool.size()];
      if (longRun && dict.CodeAt(dict.FindWord(word == "." ? "tie" : word)).size() >= kLongWordDigits) word = "tin";
      const int repeat = word == "." ? 1 + static_cast<int>(random() % 8) : 1;
      for (int r = 0; r < repeat; ++r) {
        slots.push_back(word);
        digits += word == "." ? std::string(1, static_cast<char>('0' + random() % 10))
                              : dict.CodeAt(dict.FindWord(word));
      }
    }
    RNumber entry;
    entry.SetNumber(digits);
    entry.SetSlots(slots);
    const int choice = 1 + round % 4;
    const RJourneyScenes scenes(dict, entry, choice);
    const int pegs = scenes.PegDigits();
    EXPECT_EQ(pegs, PegDigitsOf(dict, slots));
    byPegs += pegs > 0 ? 1 : 0;

    std::vector<std::string> back;
    std::string spelled;
    std::size_t words = 0;
    for (std::size_t k = 0; k < scenes.Count(); ++k) {
      const RScene& scene = scenes.Scene(k);
      SCOPED_TRACE("round " + std::to_string(round) + ", scene " + std::to_string(k));
      ASSERT_EQ(scene.firstSlot, static_cast<int32_t>(back.size()));
      back.insert(back.end(), slots.begin() + scene.firstSlot, slots.begin() + scene.firstSlot + scene.slotCount);
      EXPECT_EQ(scene.firstWord, words);
      words += scene.wordCount;
      EXPECT_GE(scene.wordCount, 1u);
      // Cut by pegs, a place holds the digits of `choice` pegs, the last
      // place what is left before the end or a word across two pegs; else
      // one to four words near the choice.
      if (pegs > 0 && scene.firstDigit < scenes.PegsEnd()) {
        const std::size_t place = static_cast<std::size_t>(pegs * choice);
        EXPECT_EQ(scene.firstDigit, k * place);
        EXPECT_EQ(scene.digitCount, std::min(place, scenes.PegsEnd() - scene.firstDigit));
      } else {
        EXPECT_LE(scene.wordCount, std::min(4u, static_cast<unsigned>(choice) + 1));
      }
      const std::vector<RSceneWord> sceneWords = scenes.Words(k);
      ASSERT_EQ(sceneWords.size(), scene.wordCount);
      bool hasLong = false;
      auto slot = static_cast<std::size_t>(scene.firstSlot);
      for (const RSceneWord& w : sceneWords) {
        hasLong = hasLong || (!w.uncovered && w.pictured && w.digitCount >= kLongWordDigits);
        EXPECT_EQ(w.firstDigit, spelled.size());
        if (w.uncovered) {
          EXPECT_EQ(w.text, std::string(w.digitCount, kUncoveredMark));
          EXPECT_LE(w.digitCount, kDigitsPerGap);
          for (std::size_t d = 0; d < w.digitCount; ++d) EXPECT_EQ(slots[slot++], ".");
        } else {
          EXPECT_EQ(w.text, slots[slot++]);
        }
        spelled += digits.substr(w.firstDigit, w.digitCount);
      }
      EXPECT_EQ(scene.longWord, hasLong);
      if (hasLong) {
        EXPECT_EQ(scene.wordCount, 1u);
      }
      // The scenes between two long words (or the ends) are each at most one
      // word off the choice whenever their words allow it.
      if (!hasLong && pegs == 0) {
        std::size_t first = k, last = k;
        while (first > 0 && !scenes.Scene(first - 1).longWord) --first;
        while (last + 1 < scenes.Count() && !scenes.Scene(last + 1).longWord) ++last;
        const std::size_t run = scenes.Scene(last).firstWord + scenes.Scene(last).wordCount - scenes.Scene(first).firstWord;
        const std::size_t low = std::max(1, choice - 1), high = std::min(4, choice + 1);
        if ((run + high - 1) / high <= run / low) {
          EXPECT_GE(scene.wordCount, low) << "run of " << run;
        }
      }
      EXPECT_EQ(scenes.Digits(k), digits.substr(scene.firstDigit, scene.digitCount));
      if (scene.digitCount > 1) {
        EXPECT_EQ(scenes.DigitRange(k), "digits " + std::to_string(scene.firstDigit + 1) + "\x96" +
                                            std::to_string(scene.firstDigit + scene.digitCount));
      }
      if (scene.digitCount > 0) {
        EXPECT_EQ(scenes.SceneOfDigit(scene.firstDigit + scene.digitCount - 1), k);
      }
    }
    EXPECT_EQ(back, slots);
    EXPECT_EQ(spelled, digits);
    // Cut step by step, from any first step on, the scenes are the same.
    RJourneyScenes steps(dict, entry, choice, random() % 5);
    while (!steps.CutMore(1 + random() % 7)) {
    }
    ASSERT_EQ(steps.Count(), scenes.Count());
    for (std::size_t k = 0; k < scenes.Count(); ++k) EXPECT_EQ(steps.Scene(k), scenes.Scene(k));
    EXPECT_EQ(scenes.SceneOfDigit(digits.size()), scenes.Count());
  }
  EXPECT_GE(byPegs, 5);
}

TEST_F(Scenes, SizesComeOutEvenAroundTheChoice) {
  EXPECT_EQ(SceneSizes(5, 2), (std::vector<std::size_t>{2, 2, 1}));
  EXPECT_EQ(SceneSizes(7, 3), (std::vector<std::size_t>{4, 3}));
  EXPECT_EQ(SceneSizes(5, 4), (std::vector<std::size_t>{3, 2}));
  EXPECT_EQ(SceneSizes(3, 1), (std::vector<std::size_t>{1, 1, 1}));
  EXPECT_TRUE(SceneSizes(0, 2).empty());
}

TEST_F(Scenes, NumberedPlacesFollowTheJourneysEnd) {
  RJourney journey;
  journey.places = {"door", "hall"};
  RNumber entry;
  entry.SetNumber("12312312");
  entry.SetSlots({"denim", "denim", "tin"});
  const RJourneyScenes scenes(dict, entry, 1);
  ASSERT_EQ(scenes.Count(), 3u);
  EXPECT_EQ(scenes.PlacesBeyond(journey), 1u);
  EXPECT_EQ(SceneLine(scenes, journey, 0), "door\tdenim\t123");
  EXPECT_EQ(SceneLine(scenes, journey, 2), "place 3\ttin\t12");
  EXPECT_EQ(scenes.DigitRange(2), "digits 7\x96" "8");
}

// Filling keeps the chosen words and gives each uncovered stretch words
// that spell exactly its digits; a digit no word covers stays uncovered.
TEST_F(Scenes, FillingCompletesEachStretchInOneGo) {
  RNumber entry;
  entry.SetNumber("12-3-9-45");
  entry.SetSlots({".", ".", "ma", ".", ".", "."});
  EXPECT_EQ(FillWithBestPhrases(dict, entry), 3u);
  ASSERT_EQ(entry.SlotCount(), 5);
  EXPECT_EQ(entry.Slot(0), "tin");
  EXPECT_EQ(entry.Slot(1), "ma");
  EXPECT_EQ(entry.Slot(2), ".");  // no word spells 9
  EXPECT_EQ(entry.Phrase(), " tin ma \xB7 " + entry.Slot(3) + " " + entry.Slot(4));
  EXPECT_EQ(dict.CodeAt(dict.FindWord(entry.Slot(3))) + dict.CodeAt(dict.FindWord(entry.Slot(4))), "45");
  EXPECT_EQ(FillWithBestPhrases(dict, entry), 0u);

  // The words chosen after the last uncovered stretch stay too.
  entry.SetNumber("123");
  entry.SetSlots({".", ".", "ma"});
  EXPECT_EQ(FillWithBestPhrases(dict, entry), 1u);
  EXPECT_EQ(entry.Slots(), (std::vector<std::string>{"tin", "ma"}));

  const RNumber made = BestPhraseEntry(dict, "31423");
  EXPECT_EQ(made.Slots(), std::vector<std::string>{"metronome"});
}

// With a word for every number of two digits: filling with pegs keeps the
// words chosen before, lays the pegs in force one after another from the
// number's first digit (a shorter piece taking the peg of its length), and
// a number filled with pegs alone is cut by them.
TEST(ScenesByPegs, FillingLaysOnePegAfterAnother) {
  test::TempDir dir;
  std::vector<test::CodedWord> words = test::CommonWords();
  for (int n = 0; n < 100; ++n) words.push_back({"p" + std::to_string(100 + n), std::to_string(100 + n).substr(1)});
  words.push_back({"tuba", "19"});  // a second word for 19, to choose by hand
  RDictionary dict;
  test::LoadDictionary(dict, dir, words);
  RPegSystem system(dict);
  RMyPegs mine;
  mine.pegs["37"] = {"ma", "."};  // the user's own, with a digit left open
  system.SetMine(mine);
  std::mt19937 random(34);
  for (int round = 0; round < 200; ++round) {
    SCOPED_TRACE(round);
    const int peg = 2 + round % 2;
    std::string digits;
    for (int i = static_cast<int>(random() % 40); i > 0; --i) digits += static_cast<char>('0' + random() % 10);
    RNumber entry;
    entry.SetNumber(digits);
    // Now and then a word chosen by hand, anywhere: "tuba" wherever 19 stands.
    std::vector<bool> chosen(digits.size(), false);
    const bool byHand = round % 3 == 0;
    for (std::size_t at = digits.find("19"); byHand && at != std::string::npos; at = digits.find("19", at + 2))
      chosen[at] = true;
    std::vector<std::string> before;
    for (std::size_t d = 0; d < digits.size(); d += chosen[d] ? 2 : 1) before.push_back(chosen[d] ? "tuba" : ".");
    entry.SetSlots(before);
    entry.ComposePhrase(0, 0);
    FillWithPegs(dict, entry, peg, system);

    // Walk the filled slots against the digits: a hand-chosen word where it
    // was, else each piece up to the next peg's start the peg in force.
    std::size_t d = 0, s = 0;
    while (d < digits.size()) {
      ASSERT_LT(s, static_cast<std::size_t>(entry.SlotCount()));
      if (chosen[d]) {
        EXPECT_EQ(entry.Slot(static_cast<int32_t>(s)), "tuba");
        d += 2;
        ++s;
        continue;
      }
      std::size_t end = d + 1;
      while (end < digits.size() && !chosen[end] && end % peg != 0) ++end;
      const RPeg& expected = system.PegOf(digits.substr(d, end - d));
      for (const std::string& word : expected.words) EXPECT_EQ(entry.Slot(static_cast<int32_t>(s++)), word);
      d = end;
    }
    EXPECT_EQ(s, static_cast<std::size_t>(entry.SlotCount()));
    // Two-digit pegs are one word each here, so a number of them is cut by
    // pegs.
    if (!byHand && peg == 2 && digits.size() > 6) {
      EXPECT_EQ(PegDigitsOf(dict, entry.Slots()), 2) << entry.Phrase();
    }
  }
  const RNumber pi = PegEntry(dict, "3141592", 2, system);
  EXPECT_EQ(pi.Slots(), (std::vector<std::string>{"p131", "p141", "p159", system.PegOf("2").Phrase()}));
  std::vector<std::string> own = {"ma", "."};
  own.insert(own.end(), system.PegOf("0").words.begin(), system.PegOf("0").words.end());
  EXPECT_EQ(PegEntry(dict, "370", 2, system).Slots(), own);
  const RJourneyScenes scenes(dict, pi, 1);
  EXPECT_EQ(scenes.PegDigits(), 2);
  EXPECT_EQ(scenes.Count(), 4u);

  // Pegs, then a word across two pegs: by pegs up to it, by words after.
  std::vector<std::string> slots(130, "p112");
  slots.push_back("ma");
  slots.insert(slots.end(), 10, "p145");
  RNumber edited;
  std::string number;
  for (int k = 0; k < 130; ++k) number += "12";
  number += "3";
  for (int k = 0; k < 10; ++k) number += "45";
  edited.SetNumber(number);
  edited.SetSlots(slots);
  const RJourneyScenes mixed(dict, edited, 2);
  EXPECT_EQ(mixed.PegDigits(), 2);
  EXPECT_EQ(mixed.PegsEnd(), 261u);
  ASSERT_EQ(mixed.Count(), 66u + 5u);
  EXPECT_EQ(mixed.WordsText(65), "ma");
  EXPECT_EQ(mixed.Scene(66).firstDigit, 261u);
  EXPECT_EQ(mixed.Scene(66).wordCount, 2u);
  RJourneyScenes steps(dict, edited, 2, 3);
  while (!steps.CutMore(7)) {
  }
  ASSERT_EQ(steps.Count(), mixed.Count());
  for (std::size_t k = 0; k < mixed.Count(); ++k) EXPECT_EQ(steps.Scene(k), mixed.Scene(k));
}

// --- the file -------------------------------------------------------------------

// In every encoding, and also when the places' bytes happen to be UTF-8 as
// well: the places read back, and read back they are written as they were,
// so the encoding came back too.
TEST(JourneyFile, WhatIsWrittenReadsBack) {
  test::RandomValues values(3);
  const TextEncoding encodings[] = {TextEncoding::Windows1252, TextEncoding::Utf8, TextEncoding::Utf8WithMark};
  for (int round = 0; round < 300; ++round) {
    RJourney journey;
    journey.wordsPerPlace = 1 + round % 4;
    journey.encoding = encodings[round % 3];
    for (int i = values.Below(8); i > 0; --i) journey.places.push_back(values.Below(4) ? values.Text() : "na\xC3\xAFve");
    const std::string text = JourneyText(journey);
    RJourney back;
    ASSERT_EQ(ParseJourneyText(text, back), JourneyLoad::Loaded) << text;
    // The places a file can hold, as the reader takes them.
    RJourney kept;
    kept.wordsPerPlace = journey.wordsPerPlace;
    for (const std::string& place : journey.places)
      if (PlaceProblem(place).empty()) kept.places.emplace_back(TrimBlanks(place));
    EXPECT_EQ(back, kept);
    EXPECT_EQ(JourneyText(back), text);
  }
  // Written by hand: no header, a Windows line end, blanks, empty lines.
  RJourney hand;
  ASSERT_EQ(ParseJourneyText("  door \r\n\n#7 bus stop\nhall", hand), JourneyLoad::Loaded);
  EXPECT_EQ(hand.places, (std::vector<std::string>{"door", "#7 bus stop", "hall"}));
  EXPECT_EQ(hand.wordsPerPlace, kDefaultWordsPerPlace);
  EXPECT_GE(DefaultJourney().places.size(), 40u);
}

TEST(JourneyFile, HostileInputIsDamagedWithTheLineNamed) {
  const std::vector<std::pair<std::string, std::string>> bad = {
      {"#words per place: 5\ndoor\n", "line 1"},
      {"#words per place:2\n", "line 1"},
      {"door\n" + std::string(kMaxPlaceLength + 1, 'x') + "\n", "line 2"},
      {"door\nha\x01ll\n", "line 2"},
      {std::string(kMaxJourneyFile + 1, '\n'), "longer than"},
      {[] {
         std::string many;
         for (std::size_t i = 0; i <= kMaxPlaces; ++i) many += "p\n";
         return many;
       }(),
       "more than"},
  };
  for (const auto& [text, named] : bad) {
    RJourney journey = DefaultJourney();
    std::string reason;
    EXPECT_EQ(ParseJourneyText(text, journey, &reason), JourneyLoad::Damaged) << text.substr(0, 40);
    EXPECT_NE(reason.find(named), std::string::npos) << reason;
    EXPECT_EQ(journey, DefaultJourney());
  }
}

// A file an editor saved: the byte order mark is no part of the first
// line, UTF-8 is read as UTF-8, and the journey is written back as it came.
// A line gone wrong (a tab from a spreadsheet, a character the program's
// text cannot hold) is left out and named; the other lines are places.
TEST(JourneyFile, AnEditorsFileIsReadAsWrittenAndALineGoneWrongIsLeftOut) {
  const std::string mark(kByteOrderMark);
  RJourney journey;
  ASSERT_EQ(ParseJourneyText(mark + "#words per place: 3\r\nna\xC3\xAFve door\r\n", journey), JourneyLoad::Loaded);
  EXPECT_EQ(journey.places, std::vector<std::string>{"na\xEFve door"});
  EXPECT_EQ(journey.wordsPerPlace, 3);
  EXPECT_EQ(JourneyText(journey), mark + "#words per place: 3\nna\xC3\xAFve door\n");
  // Windows-1252 stays Windows-1252; plain ASCII is read as it.
  ASSERT_EQ(ParseJourneyText("na\xEFve door\n", journey), JourneyLoad::Loaded);
  EXPECT_EQ(journey.places, std::vector<std::string>{"na\xEFve door"});
  EXPECT_EQ(JourneyText(journey), "#words per place: 2\nna\xEFve door\n");

  const std::vector<std::pair<std::string, std::string>> partly = {
      {"door\nh\tall\nstairs\n", "line 2 holds a tab"},
      {"caf\xC3\xA9\n\xE6\x9D\xB1 gate\nstairs\n", "line 2 holds a character that Windows-1252 does not have"},
      {"door\nh\tall\nst\tairs\n\t\nstairs\n", "line 2 holds a tab (and 1 more line)"},
  };
  for (const auto& [text, named] : partly) {
    journey = DefaultJourney();
    std::string reason;
    ASSERT_EQ(ParseJourneyText(text, journey, &reason), JourneyLoad::Partly) << text;
    EXPECT_EQ(reason, named);
    EXPECT_EQ(journey.places.size(), 2u) << text;
    EXPECT_EQ(journey.places.back().substr(0, 6), "stairs") << text;
  }
}

// A damaged file is kept aside before the new one is written, an older copy
// kept too; one that cannot be read is never written over. The user is told.
TEST(JourneyFile, ADamagedOrUnreadableFileIsNeverLost) {
  test::ScriptedPlatform platform;
  test::TempDir dir;
  RJourney mine;
  mine.places = {"door"};
  dir.Write("journey.txt", "x\x02y\n");
  dir.Write("journey.txt.damaged", "older");
  EXPECT_EQ(LoadJourney(PortablePaths(dir.path())), DefaultJourney());
  ASSERT_EQ(platform.MessageTexts().size(), 1u);
  EXPECT_NE(platform.MessageTexts()[0].find("is damaged: line 1 holds a control character"), std::string::npos);

  platform.ClearShown();
  EXPECT_TRUE(StoreJourney(PortablePaths(dir.path()), mine));
  EXPECT_EQ(dir.Read("journey.txt.damaged2"), "x\x02y\n");
  EXPECT_EQ(dir.Read("journey.txt.damaged"), "older");
  EXPECT_EQ(platform.MessageTexts(),
            std::vector<std::string>{"The damaged journey file was kept as '" + dir.File("journey.txt.damaged2") + "'."});
  EXPECT_EQ(LoadJourney(PortablePaths(dir.path())), mine);

  // A folder in the file's place cannot be read, as a disk error would.
  test::TempDir other;
  ASSERT_TRUE(MakeDirectories(other.File("journey.txt")));
  platform.ClearShown();
  EXPECT_EQ(LoadJourney(PortablePaths(other.path())), DefaultJourney());
  EXPECT_FALSE(StoreJourney(PortablePaths(other.path()), mine));
  ASSERT_EQ(platform.MessageTexts().size(), 2u);
  EXPECT_NE(platform.MessageTexts()[1].find("The journey was not saved"), std::string::npos);
  EXPECT_TRUE(DirectoryExists(other.File("journey.txt")));

  // Nor is a device (a named pipe the same way) read, which would read as
  // an empty journey.
  std::filesystem::remove(other.File("journey.txt"));
  std::filesystem::create_symlink("/dev/null", other.File("journey.txt"));
  platform.ClearShown();
  EXPECT_EQ(LoadJourney(PortablePaths(other.path())), DefaultJourney());
  EXPECT_FALSE(StoreJourney(PortablePaths(other.path()), mine));
  EXPECT_EQ(platform.MessageTexts(),
            (std::vector<std::string>{"Warning: The journey file '" + other.File("journey.txt") +
                                          "' could not be read (it is a device, not a file). The default journey is "
                                          "used, and the file is left as it is.",
                                      "Error: The journey was not saved: the file '" + other.File("journey.txt") +
                                          "' could not be read (it is a device, not a file) and is left as it is."}));
  EXPECT_TRUE(std::filesystem::is_symlink(other.File("journey.txt")));
}

// A file with lines left out is kept aside like a damaged one before the
// journey is written; when no name is free to keep it under, nothing is
// written at all.
TEST(JourneyFile, AFileWithLinesLeftOutIsKeptAsideOrNotWrittenOver) {
  test::ScriptedPlatform platform;
  test::TempDir dir;
  RJourney mine;
  mine.places = {"door"};
  dir.Write("journey.txt", "door\nh\tall\n");
  RJourney read = LoadJourney(PortablePaths(dir.path()));
  EXPECT_EQ(read.places, std::vector<std::string>{"door"});
  ASSERT_EQ(platform.MessageTexts().size(), 1u);
  EXPECT_NE(platform.MessageTexts()[0].find("line 2 holds a tab. The other places are used."), std::string::npos);
  EXPECT_TRUE(StoreJourney(PortablePaths(dir.path()), mine));
  EXPECT_EQ(dir.Read("journey.txt.damaged"), "door\nh\tall\n");

  // Every name taken, for a damaged file and for one with a line left out.
  for (const std::string bytes : {"door\nh\tall\n", "x\x02y\n"}) {
    dir.Write("journey.txt", bytes);
    for (int n = 2; n <= 1000; ++n) dir.Write("journey.txt.damaged" + std::to_string(n), "older");
    platform.ClearShown();
    EXPECT_FALSE(StoreJourney(PortablePaths(dir.path()), mine));
    EXPECT_EQ(dir.Read("journey.txt"), bytes);
    ASSERT_EQ(platform.MessageTexts().size(), 1u);
    EXPECT_NE(platform.MessageTexts()[0].find("could not be kept aside (File exists)"), std::string::npos);
  }
}

TEST(JourneyFile, APastedListIsCleanedLineByLine) {
  std::size_t cut = 0;
  const auto places = PlacesFromLines("  door\r\n\n\tgarden\tgate \n" + std::string(kMaxPlaceLength + 5, 'y'), &cut);
  ASSERT_EQ(places.size(), 3u);
  EXPECT_EQ(places[1], "garden gate");
  EXPECT_EQ(places[2].size(), kMaxPlaceLength);
  EXPECT_EQ(cut, 1u);
  EXPECT_EQ(PlaceName(DefaultJourney(), 99), "place 100");
  EXPECT_FALSE(PlaceProblem(" ").empty());
}

// Pasted places already on the journey, or twice in the list, are left out
// and counted; the rest keep their order.
TEST(JourneyFile, APastedPlaceIsTakenOnlyWhenTheJourneyHasItNot) {
  std::mt19937 random(35);
  const char* names[] = {"door", "Door", " door ", "gate", "GATE", "shed", "bench", "b\xC9nch", "b\xE9nch"};
  for (int round = 0; round < 300; ++round) {
    std::vector<std::string> journey, pasted;
    for (int n = static_cast<int>(random() % 4); n > 0; --n) journey.push_back(names[random() % 9]);
    for (int n = static_cast<int>(random() % 8); n > 0; --n) pasted.push_back(names[random() % 9]);
    std::size_t already = 99;
    const std::vector<std::string> added = NewPlaces(journey, pasted, &already);
    EXPECT_EQ(already + added.size(), pasted.size());
    for (std::size_t i = 0; i < added.size(); ++i) {
      for (const std::string& place : journey) EXPECT_FALSE(SamePlace(added[i], place)) << added[i];
      for (std::size_t j = 0; j < i; ++j) EXPECT_FALSE(SamePlace(added[i], added[j])) << added[i];
    }
    // Nothing left out that the journey lacks: each pasted place is there now.
    for (const std::string& place : pasted) {
      const auto same = [&place](const std::string& other) { return SamePlace(place, other); };
      EXPECT_TRUE(std::any_of(journey.begin(), journey.end(), same) || std::any_of(added.begin(), added.end(), same));
    }
  }
  EXPECT_FALSE(SamePlace("door", "doors"));
}

}  // namespace
}  // namespace tq
