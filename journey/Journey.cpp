#include "Journey.h"

#include <algorithm>
#include <cstdio>
#include <set>

#include "AtomicFile.h"
#include "FileIO.h"
#include "Messages.h"
#include "Paths.h"
#include "Text.h"

namespace tq {
namespace {

// Through the house, out of the front door again and down the street: each
// place one a person passes in that order and can see in the mind.
constexpr const char* kDefaultPlaces[] = {
    "front gate",       "garden path",      "doormat",         "front door",      "hall mirror",
    "coat hooks",       "umbrella stand",   "living-room door", "sofa",            "fireplace",
    "television",       "bookcase",         "dining table",    "kitchen door",    "fridge",
    "cooker",           "kitchen sink",     "back door",       "garden shed",     "washing line",
    "foot of the stairs", "landing",        "bathroom door",   "bath",            "washbasin",
    "bedroom door",     "bed",              "wardrobe",        "desk",            "bedroom window",
    "front steps",      "postbox",          "street lamp",     "bus stop",        "zebra crossing",
    "corner shop",      "bakery",           "post office",     "chemist",         "cafe",
    "park gate",        "park bench",       "fountain",        "playground",      "church",
    "school gate",      "bridge",           "railway station",
};

constexpr std::string_view kWordsLinePrefix = "#words per place:";

bool IsControl(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte < 0x20 || byte == 0x7F;
}

std::string LineName(std::size_t line) { return "line " + std::to_string(line); }

// The words-per-place line: exactly the prefix, one blank and a digit 1 to 4.
bool ParseWordsLine(std::string_view line, int& words) {
  line.remove_prefix(kWordsLinePrefix.size());
  if (line.size() != 2 || line[0] != ' ' || line[1] < '0' + kMinWordsPerPlace || line[1] > '0' + kMaxWordsPerPlace)
    return false;
  words = line[1] - '0';
  return true;
}

}  // namespace

RJourney DefaultJourney() {
  RJourney journey;
  journey.places.assign(std::begin(kDefaultPlaces), std::end(kDefaultPlaces));
  return journey;
}

std::string PlaceName(const RJourney& journey, std::size_t index) {
  if (index < journey.places.size()) return journey.places[index];
  return "place " + std::to_string(index + 1);
}

std::string PlaceProblem(std::string_view text) {
  const std::string_view place = TrimBlanks(text);
  if (place.empty()) return "A place needs a name.";
  if (place.size() > kMaxPlaceLength)
    return "A place's name has at most " + std::to_string(kMaxPlaceLength) + " characters.";
  if (std::any_of(place.begin(), place.end(), IsControl)) return "A place's name is one line of text without tabs.";
  return {};
}

std::vector<std::string> PlacesFromLines(std::string_view text, std::size_t* cut) {
  std::vector<std::string> places;
  if (cut) *cut = 0;
  LineCursor lines(text);
  std::string_view line;
  while (lines.Next(line)) {
    std::string clean;
    for (char c : line) {
      if (c == '\t')
        clean += ' ';
      else if (!IsControl(c))
        clean += c;
    }
    std::string place(TrimBlanks(clean));
    if (place.empty()) continue;
    if (place.size() > kMaxPlaceLength) {
      place = std::string(TrimBlanks(place.substr(0, kMaxPlaceLength)));
      if (cut) ++*cut;
    }
    places.push_back(std::move(place));
  }
  return places;
}

namespace {

std::string PlaceKey(std::string_view name) { return ToLower1252(TrimBlanks(name)); }

}  // namespace

bool SamePlace(std::string_view a, std::string_view b) { return PlaceKey(a) == PlaceKey(b); }

std::vector<std::string> NewPlaces(const std::vector<std::string>& places, const std::vector<std::string>& pasted,
                                   std::size_t* already) {
  std::set<std::string> seen;
  for (const std::string& place : places) seen.insert(PlaceKey(place));
  std::vector<std::string> added;
  for (const std::string& place : pasted)
    if (seen.insert(PlaceKey(place)).second) added.push_back(place);
  if (already) *already = pasted.size() - added.size();
  return added;
}

JourneyLoad ParseJourneyText(std::string_view text, RJourney& journey, std::string* reason) {
  auto damaged = [reason](const std::string& why) {
    if (reason) *reason = why;
    return JourneyLoad::Damaged;
  };
  if (text.size() > kMaxJourneyFile)
    return damaged("it is longer than " + std::to_string(kMaxJourneyFile >> 10) + " KB");
  RJourney read;
  read.encoding = EncodingOf(text);
  const bool utf8 = read.encoding != TextEncoding::Windows1252;
  std::string firstLeftOut;
  std::size_t leftOut = 0;
  const auto leaveOut = [&](std::size_t number, const char* why) {
    if (leftOut++ == 0) firstLeftOut = LineName(number) + why;
  };
  LineCursor lines(SkipByteOrderMark(text));
  std::string_view line;
  std::string converted;
  std::size_t number = 0;
  while (lines.Next(line)) {
    ++number;
    if (utf8 && !Utf8To1252(line, converted)) {
      leaveOut(number, " holds a character that Windows-1252 does not have");
      continue;
    }
    if (utf8) line = converted;
    if (number == 1 && line.substr(0, kWordsLinePrefix.size()) == kWordsLinePrefix) {
      if (!ParseWordsLine(line, read.wordsPerPlace))
        return damaged(LineName(number) + " must say from 1 to 4 words per place");
      continue;
    }
    const std::string_view place = TrimBlanks(line);
    if (place.empty()) continue;
    if (place.size() > kMaxPlaceLength)
      return damaged(LineName(number) + " is longer than " + std::to_string(kMaxPlaceLength) + " characters");
    // A tab is what a spreadsheet puts between two cells: a line gone wrong,
    // not a file that is no journey.
    if (place.find('\t') != std::string_view::npos) {
      leaveOut(number, " holds a tab");
      continue;
    }
    if (std::any_of(place.begin(), place.end(), IsControl))
      return damaged(LineName(number) + " holds a control character");
    if (read.places.size() >= kMaxPlaces)
      return damaged("it has more than " + std::to_string(kMaxPlaces) + " places");
    read.places.emplace_back(place);
  }
  journey = std::move(read);
  if (leftOut == 0) return JourneyLoad::Loaded;
  if (reason) {
    *reason = firstLeftOut;
    if (leftOut > 1)
      *reason += " (and " + std::to_string(leftOut - 1) + (leftOut == 2 ? " more line)" : " more lines)");
  }
  return JourneyLoad::Partly;
}

JourneyLoad ReadJourneyFile(const std::string& path, RJourney& journey, std::string* reason) {
  std::string text;
  switch (ReadFileUpTo(path, kMaxJourneyFile, text, reason)) {
    case FileRead::Missing:
      return JourneyLoad::Missing;
    case FileRead::NotAFile:
    case FileRead::Unreadable:
      return JourneyLoad::Unreadable;
    case FileRead::Read:
      break;
  }
  return ParseJourneyText(text, journey, reason);
}

std::string JourneyText(const RJourney& journey) {
  const int words = std::clamp(journey.wordsPerPlace, kMinWordsPerPlace, kMaxWordsPerPlace);
  std::string text = std::string(kWordsLinePrefix) + ' ' + std::to_string(words) + '\n';
  std::size_t kept = 0;
  for (const std::string& place : journey.places) {
    if (kept == kMaxPlaces) break;
    if (!PlaceProblem(place).empty()) continue;
    text += TrimBlanks(place);
    text += '\n';
    ++kept;
  }
  // Bytes that happen to be UTF-8 as well would be read as UTF-8; written
  // in UTF-8 they read back as the same places.
  if (journey.encoding == TextEncoding::Windows1252 && EncodingOf(text) != TextEncoding::Windows1252)
    return EncodeText(text, TextEncoding::Utf8);
  return EncodeText(text, journey.encoding);
}

RJourneySave SaveJourneyFile(const std::string& path, const RJourney& journey) {
  RJourneySave save;
  RJourney there;
  save.found = ReadJourneyFile(path, there, &save.reason);
  switch (save.found) {
    case JourneyLoad::Missing:
    case JourneyLoad::Loaded:
      save.reason.clear();
      break;
    case JourneyLoad::Unreadable:
      return save;
    case JourneyLoad::Partly:
    case JourneyLoad::Damaged:
      save.reason.clear();
      save.keptAs = KeepAside(path, ".damaged", KeepBy::Moving, save.reason);
      if (save.keptAs.empty()) return save;
      break;
  }
  AtomicFile out(path);
  std::FILE* file = out.OpenOrReport();
  if (!file) return save;
  const std::string text = JourneyText(journey);
  std::fwrite(text.data(), 1, text.size(), file);
  save.written = out.CommitOrReport("Error writing to file '" + NativeText(path) + "'. The disk could be full.");
  return save;
}

RJourney LoadJourney(const DataPaths& paths) {
  const std::string path = UserFileToRead(paths, kJourneyFileName);
  RJourney journey = DefaultJourney();
  std::string reason;
  switch (ReadJourneyFile(path, journey, &reason)) {
    case JourneyLoad::Missing:
    case JourneyLoad::Loaded:
      break;
    case JourneyLoad::Unreadable:
      ShowWarning("The journey file '" + NativeText(path) + "' could not be read (" + NativeText(reason) +
                  "). The default journey is used, and the file is left as it is.");
      break;
    case JourneyLoad::Partly:
      ShowWarning("Some lines of the journey file '" + NativeText(path) + "' cannot be places: " + reason +
                  ". The other places are used. The file stays as it is until you change the journey; "
                  "then it is kept beside the new one as a .damaged copy.");
      break;
    case JourneyLoad::Damaged:
      ShowWarning("The journey file '" + NativeText(path) + "' is damaged: " + reason +
                  ". The default journey is used. The file stays as it is until you change the journey; "
                  "then it is kept beside the new one as a .damaged copy.");
      break;
  }
  return journey;
}

bool StoreJourney(const DataPaths& paths, const RJourney& journey) {
  MakeDirectories(paths.userDirectory);
  const std::string path = UserFileToWrite(paths, kJourneyFileName);
  const RJourneySave save = SaveJourneyFile(path, journey);
  if (save.found == JourneyLoad::Unreadable) {
    ShowError("The journey was not saved: the file '" + NativeText(path) + "' could not be read (" +
              NativeText(save.reason) + ") and is left as it is.");
  } else if ((save.found == JourneyLoad::Damaged || save.found == JourneyLoad::Partly) && save.keptAs.empty()) {
    ShowError("The journey was not saved: the damaged file '" + NativeText(path) + "' could not be kept aside (" +
              NativeText(save.reason) + ").");
  } else if (!save.keptAs.empty()) {
    ShowNotice("The damaged journey file was kept as '" + NativeText(save.keptAs) + "'.");
  }
  return save.written;
}

}  // namespace tq
