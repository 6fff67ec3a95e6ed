#include "CommandLine.h"

#include <QCommandLineParser>

#include <algorithm>
#include <array>
#include <ostream>
#include <string_view>

#include "BestPhrases.h"
#include "Codec.h"
#include "Journey.h"
#include "JourneyScenes.h"
#include "Messages.h"
#include "MyPegs.h"
#include "PegList.h"
#include "PegSystem.h"
#include "Platform.h"
#include "RDictionary.h"
#include "RNumber.h"
#include "SlotLogic.h"
#include "SplashPicture.h"
#include "Text.h"

namespace tq {
namespace {

// Options the toolkit itself takes from the command line, and whether the
// next argument is their value; with only these, the window starts as it
// always did.
struct ToolkitOption {
  std::string_view name;
  bool takesValue;
};
constexpr std::array<ToolkitOption, 19> kToolkitOptions = {{
    {"platform", true}, {"platformpluginpath", true}, {"platformtheme", true}, {"plugin", true},
    {"qwindowgeometry", true}, {"qwindowicon", true}, {"qwindowtitle", true}, {"reverse", false},
    {"session", true}, {"style", true}, {"stylesheet", true}, {"widgetcount", false}, {"display", true},
    {"geometry", true}, {"name", true}, {"title", true}, {"nograb", false}, {"dograb", false}, {"sync", false}}};

std::string Utf8(const std::string& text1252) { return ToQString(text1252).toStdString(); }

// Every message of the engine goes to standard error; nothing is asked.
class ConsolePlatform final : public SilentPlatform {
 public:
  explicit ConsolePlatform(std::ostream& err) : err_(err) {}
  int ShowMessage(const MessageRequest& request) override {
    Say(request.text);
    return ResultCancel;
  }
  void SetStatus(const std::string& text, bool alert) override {
    // Plain status texts only report progress; alerts say that a file is damaged.
    if (alert) Say(text);
  }

 private:
  // A message is 1252 text with native UTF-8 parts (its paths): each part is
  // converted by its own rule, and the marks around the native parts go.
  void Say(const std::string& text) { err_ << kProductName << ": " << MessageToUtf8(text) << '\n'; }
  std::ostream& err_;
};

class PlatformScope {
 public:
  explicit PlatformScope(Platform* platform) : previous_(InstallPlatform(platform)) {}
  ~PlatformScope() { InstallPlatform(previous_); }
  PlatformScope(const PlatformScope&) = delete;
  PlatformScope& operator=(const PlatformScope&) = delete;

 private:
  Platform* previous_;
};

// What was printed must have reached standard output (a full disk, a closed
// pipe); else the run failed, and says so.
int Printed(std::ostream& out, std::ostream& err) {
  if (out.flush()) return CommandLineDone;
  err << kProductName << ": Could not write to standard output.\n";
  return CommandLineFailed;
}

// The exit statuses, as the end of the help shows them.
std::string ExitStatusText() {
  std::string text = "Exit status:\n";
  for (const auto& [status, meaning] :
       {std::pair{CommandLineDone, "done"},
        {CommandLineDataError, "a data file (words.dat, mapping.txt) is missing or cannot be read"},
        {CommandLineBadArgument, "a bad argument"},
        {CommandLineFailed, "the output could not be written (a full disk, a closed pipe)"}})
    text += "  " + std::to_string(status) + "  " + meaning + "\n";
  return text;
}

// The toolkit names an unknown option without its dashes; the message names
// it as it was typed, so that "--bogus" reads as "--bogus".
QString UnknownOptionsText(const QStringList& names, const QStringList& arguments) {
  QStringList typed;
  for (const QString& name : names) {
    QString shown = (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
    for (const QString& argument : arguments.mid(1)) {
      const QString option = argument.section(QLatin1Char('='), 0, 0);
      if (option == QStringLiteral("--") + name || option == QStringLiteral("-") + name) {
        shown = option;
        break;
      }
    }
    typed.push_back(QStringLiteral("'%1'").arg(shown));
  }
  return typed.size() == 1 ? QStringLiteral("Unknown option %1.").arg(typed.front())
                           : QStringLiteral("Unknown options: %1.").arg(typed.join(QStringLiteral(", ")));
}

int BadArgument(std::ostream& err, const QString& text) {
  err << kProductName << ": " << text.toStdString() << '\n'
      << "Run '" << kProductName << " --help' to see the options.\n";
  return CommandLineBadArgument;
}

// word<TAB>code: the dictionary's code when it knows the word (from its
// pronunciation, or the code the user gave it), else the code of its letters.
void PrintCodes(const RDictionary& dictionary, const QStringList& words, std::ostream& out) {
  for (const QString& typed : words) {
    const std::string word = ToLower1252(FromQString(typed));
    const int position = dictionary.FindWord(word);
    const std::string code = position >= 0 ? dictionary.CodeAt(position) : dictionary.CodeFromText(word, false);
    out << Utf8(word) << '\t' << code << '\n';
  }
}

// The first column the word strip shows for these digits: the run ahead cut
// to the longest known code, then a header row per code length, longest
// first, each followed by its words.
void PrintColumn(const RDictionary& dictionary, const std::string& digits, std::ostream& out) {
  std::string run = digits.substr(0, std::min(digits.size(), kColumnRunLength));
  dictionary.TrimToKnownCode(run);
  std::vector<std::string> rows;
  dictionary.ListWordsForDigits(run, rows);
  for (const auto& row : rows) out << Utf8(row) << '\n';
}

// The best phrases, best first, one per line; a digit no word covers stays
// the phrase's uncovered mark, and standard error says so. A list shorter
// than the count asked for (`countGiven`) says why it ends.
void PrintBest(const RDictionary& dictionary, const std::string& digits, std::size_t count, bool countGiven,
               std::ostream& out, std::ostream& err) {
  const std::vector<RRankedPhrase> phrases = FindBestPhrases(dictionary, digits, count);
  for (const RRankedPhrase& phrase : phrases) out << Utf8(phrase.phrase) << '\n';
  if (!phrases.empty() && !phrases.front().complete)
    err << kProductName << ": No word covers the digits marked with a dot.\n";
  if (phrases.size() < count && phrases.size() == BestPhrasesAllowed(digits.size()))
    err << kProductName << ": The list stops at " << CountOf(phrases.size(), "phrase") << ": a number of "
        << CountOf(digits.size(), "digit") << " allows no more.\n";
  else if (phrases.size() < count && countGiven)
    err << kProductName << ": The list stops at " << CountOf(phrases.size(), "phrase") << ": there are no more.\n";
}

// The scenes of the number's best phrase (or, with pegDigits 2 or 3, of the
// user's pegs of that many digits) at the places of the user's journey (or
// the default one), one a line: the place, a tab, the words, a tab, their
// digits. Standard error says when the journey runs out, and names the
// lines of the pegs file it did not take.
void PrintJourney(const RDictionary& dictionary, const std::string& digits, int pegDigits, std::ostream& out,
                  std::ostream& err) {
  const RJourney journey = LoadJourney(dictionary.Paths());
  RNumber entry;
  if (pegDigits > 0) {
    RPegSystem pegs(dictionary);
    pegs.SetMine(LoadMyPegs(dictionary.Paths(), dictionary));
    entry = PegEntry(dictionary, digits, pegDigits, pegs);
  } else {
    entry = BestPhraseEntry(dictionary, digits);
  }
  const RJourneyScenes scenes(dictionary, entry, journey.wordsPerPlace);
  for (std::size_t k = 0; k < scenes.Count(); ++k) out << Utf8(SceneLine(scenes, journey, k)) << '\n';
  if (!UncoveredRuns(entry).empty()) err << kProductName << ": No word covers the digits marked with a dot.\n";
  if (const std::size_t beyond = scenes.PlacesBeyond(journey))
    err << kProductName << ": The number needs " << CountOf(beyond, "more place", "more places")
        << " than the journey's " << journey.places.size() << "; " << (beyond == 1 ? "it is" : "they are")
        << " numbered.\n";
}

// The peg list, one number a line: the number with its leading zeros, a tab
// and the peg.
void PrintPegs(const RDictionary& dictionary, int digits, std::ostream& out) {
  for (const RPeg& peg : MakePegList(dictionary, digits)) out << peg.number << '\t' << Utf8(peg.Phrase()) << '\n';
}

}  // namespace

bool WantsCommandLine(const std::vector<std::string>& arguments) {
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    std::string_view option = arguments[i];
    if (option.size() < 2 || option[0] != '-') continue;
    option.remove_prefix(option[1] == '-' ? 2 : 1);
    const std::string_view name = option.substr(0, option.find('='));
    const auto toolkit = std::find_if(kToolkitOptions.begin(), kToolkitOptions.end(),
                                      [name](const ToolkitOption& o) { return o.name == name; });
    if (toolkit == kToolkitOptions.end()) return true;
    if (toolkit->takesValue && name.size() == option.size()) ++i;
  }
  return false;
}

int RunCommandLine(const QStringList& arguments, const DataPaths& paths, std::ostream& out, std::ostream& err) {
  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral(
      "Memorise numbers with the phonetic system of mnemonics.\n"
      "Without options, opens the window; a first argument that is not an option names a worksheet to open.\n"
      "With any of the options below, wherever it stands, prints and opens no window."));
  // Our own help option: the toolkit's also brings --help-all for options
  // that only the window takes.
  const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help."));
  parser.addOption(help);
  const QCommandLineOption version = parser.addVersionOption();
  const QCommandLineOption code(QStringLiteral("code"),
                                QStringLiteral("Print each WORD with its code: from its pronunciation when the "
                                               "dictionary has the word, else from its spelling."));
  const QCommandLineOption words(QStringLiteral("words"),
                                 QStringLiteral("Print the word column for DIGITS, as the word lists show it."),
                                 QStringLiteral("DIGITS"));
  const QCommandLineOption best(QStringLiteral("best"),
                                QStringLiteral("Print the best phrases for NUMBER, best first, one per line: the "
                                               "fewest words one cannot picture within one word more than the "
                                               "fewest (beyond 16 digits, a word one cannot picture gives way to "
                                               "two that one can), then the fewest words, then familiar ones; "
                                               "each line brings new words."),
                                QStringLiteral("NUMBER"));
  const QCommandLineOption count(QStringLiteral("count"),
                                 QStringLiteral("How many phrases --best prints (1 to %1, default %2; fewer for a "
                                                "number of more than %3 digits, whose search keeps to a budget).")
                                     .arg(kMaxBestPhrases)
                                     .arg(kBestPhraseCount)
                                     .arg(kBestPhrasesBudget / kMaxBestPhrases),
                                 QStringLiteral("N"));
  const QCommandLineOption pegs(QStringLiteral("pegs"),
                                QStringLiteral("Print a peg list: a word to picture for every number of DIGITS "
                                               "digits (2 for 00 to 99, 3 for 000 to 999). With --journey, lay "
                                               "your own pegs of DIGITS digits on the journey instead of the best "
                                               "phrase."),
                                QStringLiteral("DIGITS"));
  parser.addOption(code);
  parser.addOption(words);
  parser.addOption(best);
  parser.addOption(count);
  const QCommandLineOption journeyOption(
      QStringLiteral("journey"),
      QStringLiteral("Print the scenes of the best phrase for DIGITS (or, with --pegs, of your pegs) at the "
                     "places of your journey, one per line: the place, a tab, the words, a tab, their digits."),
      QStringLiteral("DIGITS"));
  parser.addOption(pegs);
  parser.addOption(journeyOption);
  parser.addPositionalArgument(QStringLiteral("WORD"), QStringLiteral("The words for --code."),
                               QStringLiteral("[WORD...]"));

  if (!parser.parse(arguments))
    return BadArgument(err, parser.unknownOptionNames().isEmpty()
                                ? parser.errorText()
                                : UnknownOptionsText(parser.unknownOptionNames(), arguments));
  if (parser.isSet(help)) {
    const std::string text = parser.helpText().toStdString();
    out << text << (text.empty() || text.back() != '\n' ? "\n" : "") << '\n' << ExitStatusText();
    return Printed(out, err);
  }
  if (parser.isSet(version)) {
    // The version the about box shows, behind its "v".
    out << kProductName << ' ' << kVersionText << '\n';
    return Printed(out, err);
  }

  if (parser.isSet(count) && !parser.isSet(best)) return BadArgument(err, QStringLiteral("--count goes with --best."));
  // With --journey, --pegs says what is laid on it rather than being a command.
  const bool pegsOnJourney = parser.isSet(pegs) && parser.isSet(journeyOption);
  const int commands = int{parser.isSet(code)} + int{parser.isSet(words)} + int{parser.isSet(best)} +
                       int{parser.isSet(pegs) && !pegsOnJourney} + int{parser.isSet(journeyOption)};
  if (commands == 0)
    return BadArgument(err, QStringLiteral("Nothing to do: give --code, --words, --best, --pegs or --journey."));
  if (commands > 1)
    return BadArgument(err, QStringLiteral("Give only one of --code, --words, --best, --pegs and --journey."));
  int pegDigits = 0;
  if (parser.isSet(pegs)) {
    const QString value = parser.value(pegs).trimmed();
    pegDigits = value == QStringLiteral("2") ? 2 : value == QStringLiteral("3") ? 3 : 0;
    if (pegDigits == 0)
      return BadArgument(err, QStringLiteral("--pegs wants 2 or 3 digits, not '%1'.").arg(parser.value(pegs)));
  }
  // As many phrases as the dialog lists unless --count says otherwise.
  std::size_t phraseCount = kBestPhraseCount;
  if (parser.isSet(count)) {
    bool ok = false;
    const int n = parser.value(count).toInt(&ok);
    if (!ok || n < 1 || static_cast<std::size_t>(n) > kMaxBestPhrases)
      return BadArgument(err, QStringLiteral("--count wants a number from 1 to %1, not '%2'.")
                                  .arg(kMaxBestPhrases)
                                  .arg(parser.value(count)));
    phraseCount = static_cast<std::size_t>(n);
  }
  const QStringList rest = parser.positionalArguments();
  if (!parser.isSet(code) && !rest.isEmpty())
    return BadArgument(err, QStringLiteral("Unexpected argument '%1'; a worksheet opens only without options.")
                                .arg(rest.front()));
  if (parser.isSet(code) && rest.isEmpty()) return BadArgument(err, QStringLiteral("--code needs at least one word."));
  if (parser.isSet(code)) {
    // A character the dictionary cannot hold would be coded as a '?'.
    for (const QString& word : rest) {
      if (word.trimmed().isEmpty()) return BadArgument(err, QStringLiteral("--code cannot code an empty word."));
      const QString foreign = Unrepresentable(word);
      if (!foreign.isEmpty())
        return BadArgument(err, QStringLiteral("The word '%1' cannot be coded: the dictionary cannot hold %2.")
                                    .arg(word, foreign));
    }
  }
  std::string digits;
  for (const QCommandLineOption* number : {&words, &best, &journeyOption}) {
    if (!parser.isSet(*number)) continue;
    digits = DigitsOf(parser.value(*number).toStdString());
    if (digits.empty())
      return BadArgument(err, QStringLiteral("The number '%1' has no digits.").arg(parser.value(*number)));
  }

  ConsolePlatform console(err);
  PlatformScope scope(&console);
  const auto dictionary = CreateDictionary(paths);
  if (!dictionary) return CommandLineDataError;

  if (parser.isSet(code))
    PrintCodes(*dictionary, rest, out);
  else if (parser.isSet(words))
    PrintColumn(*dictionary, digits, out);
  else if (parser.isSet(pegs) && !pegsOnJourney)
    PrintPegs(*dictionary, pegDigits, out);
  else if (parser.isSet(journeyOption))
    PrintJourney(*dictionary, digits, pegsOnJourney ? pegDigits : 0, out, err);
  else
    PrintBest(*dictionary, digits, phraseCount, parser.isSet(count), out, err);
  return Printed(out, err);
}

}  // namespace tq
