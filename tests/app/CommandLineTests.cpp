// The command line run as a process, from a portable folder and from an
// installed prefix, with the display taken away: any attempt to open a window
// would end the process.
#include <gtest/gtest.h>

#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <map>
#include <random>
#include <thread>

#include "BestPhrases.h"
#include "Codec.h"
#include "CommandLine.h"
#include "Journey.h"
#include "JourneyScenes.h"
#include "Paths.h"
#include "MyPegs.h"
#include "PegList.h"
#include "PegSystem.h"
#include "RConfig.h"
#include "RDictionary.h"
#include "RNumber.h"
#include "ScriptedPlatform.h"
#include "ShippedMapping.h"
#include "SplashPicture.h"
#include "TempDir.h"

extern char** environ;

namespace tq {
namespace {

namespace fs = std::filesystem;
using test::TempDir;
using Args = std::vector<std::string>;

// Sounds in the lexicon's letters: "tough" sounds t@f (18) but spells 1.
const char* kWords =
    "bat,b@t\n"
    "bet,bEt\n"
    "boot,but\n"
    "tea,ti\n"
    "tough,t@f\n"
    "tree,tri\n"
    "tuba,tub@\n";

struct Outcome {
  int status = -1;  // exit status; -1 when it did not exit normally
  std::string out, err;
};

class Process {
 public:
  // fullDisk: standard output goes to /dev/full, where every write fails.
  Process(const std::string& program, const Args& arguments, const std::map<std::string, std::string>& environment,
          const TempDir& scratch, bool fullDisk = false)
      : outPath_(fullDisk ? "/dev/full" : scratch.File("stdout")), errPath_(scratch.File("stderr")) {
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
      const std::string entry = *e;
      const std::string name = entry.substr(0, entry.find('='));
      if (name != "DISPLAY" && name != "WAYLAND_DISPLAY" && !environment.count(name)) env.push_back(entry);
    }
    for (const auto& [name, value] : environment) env.push_back(name + "=" + value);
    Args argv = {program};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    std::vector<char*> argp, envp;
    for (auto& a : argv) argp.push_back(a.data());
    for (auto& e : env) envp.push_back(e.data());
    argp.push_back(nullptr);
    envp.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outPath_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, errPath_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (posix_spawn(&pid_, program.c_str(), &actions, nullptr, argp.data(), envp.data()) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
  }
  void Signal(int number) const {
    if (pid_ > 0) ::kill(pid_, number);
  }
  Outcome Wait() {
    Outcome run;
    int status = 0;
    if (pid_ > 0 && ::waitpid(pid_, &status, 0) == pid_ && WIFEXITED(status)) run.status = WEXITSTATUS(status);
    pid_ = -1;
    if (outPath_ != "/dev/full") run.out = Slurp(outPath_);
    run.err = Slurp(errPath_);
    return run;
  }
  ~Process() {
    if (pid_ > 0) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, nullptr, 0);
    }
  }

  static std::string Slurp(const std::string& path) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    std::string text;
    if (!f) return text;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;) text.append(buffer, n);
    std::fclose(f);
    return text;
  }

 private:
  std::string outPath_, errPath_;
  pid_t pid_ = -1;
};

// Every file under a folder with its bytes and modification time.
std::map<std::string, std::string> Snapshot(const std::string& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    std::string state = entry.is_directory() ? "dir" : "file";
    if (entry.is_regular_file()) state += Process::Slurp(entry.path().string());
    struct stat st {};
    ::stat(entry.path().c_str(), &st);
    state += "@" + std::to_string(st.st_mtim.tv_sec) + "." + std::to_string(st.st_mtim.tv_nsec);
    files[entry.path().string()] = state;
  }
  return files;
}

// The program copied into a folder of its own: beside its data (portable) or
// into prefix/bin with the data in prefix/share/tessaloquine (installed).
class CommandLine : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    installed_ = GetParam();
    const std::string bin = installed_ ? root.File("prefix/bin/") : root.File("portable/");
    data_ = installed_ ? root.File("prefix/share/tessaloquine/") : bin;
    user_ = installed_ ? root.File("home/.local/share/tessaloquine/") : bin;
    ASSERT_TRUE(MakeDirectories(bin));
    ASSERT_TRUE(MakeDirectories(data_));
    ASSERT_TRUE(MakeDirectories(root.File("home")));
    program_ = bin + "Tessaloquine";
    fs::copy_file(TQ_PROGRAM, program_);
    WriteFile(data_ + "words.dat", kWords);
    WriteFile(data_ + "mapping.txt", test::kShippedMapping);
  }
  static void WriteFile(const std::string& path, const std::string& bytes) {
    ASSERT_TRUE(MakeDirectories(DirectoryOf(path)));
    std::FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }
  Outcome Start(const Args& arguments, bool fullDisk = false) {
    Process process(program_, arguments, Environment(), scratch, fullDisk);
    return process.Wait();
  }
  std::map<std::string, std::string> Environment() const {
    return {{"HOME", root.File("home")}, {"XDG_CONFIG_HOME", ""}, {"XDG_DATA_HOME", ""},
            {"QT_QPA_PLATFORM", "xcb"}};
  }
  // The folders the program decides on, for the engine in this process.
  DataPaths Paths() const {
    DataPaths paths = PortablePaths(data_);
    paths.userDirectory = user_;
    return paths;
  }
  // The column the window's word list shows, computed in this process.
  std::string ExpectedColumn(const std::string& digits) const {
    test::ScriptedPlatform quiet;
    const auto dictionary = CreateDictionary(Paths());
    std::string run = digits.substr(0, 25);
    dictionary->TrimToKnownCode(run);
    std::vector<std::string> rows;
    dictionary->ListWordsForDigits(run, rows);
    std::string out;
    for (const auto& row : rows) out += row + "\n";
    return out;
  }

  TempDir root, scratch;
  bool installed_ = false;
  std::string program_, data_, user_;
};

TEST_P(CommandLine, HelpAndVersion) {
  const Outcome help = Start({"--help"});
  EXPECT_EQ(help.status, 0) << help.err;
  for (const char* option : {"--code", "--words", "--best", "--count", "--pegs", "--journey", "--version", "--help"})
    EXPECT_NE(help.out.find(option), std::string::npos) << option;
  // Each exit status stands for one kind of failure, and the help says which.
  for (const char* status : {"  1  a data file", "  2  a bad argument", "  3  the output could not be written"})
    EXPECT_NE(help.out.find(status), std::string::npos) << status;

  for (const char* option : {"--version", "-v"}) {
    const Outcome version = Start({option});
    EXPECT_EQ(version.status, 0);
    // The about box shows "v" and this same text.
    EXPECT_EQ(version.out, std::string("Tessaloquine ") + kVersionText + "\n");
    EXPECT_EQ(version.err, "");
  }
}

TEST_P(CommandLine, CodesComeFromTheSoundWhenKnownElseFromTheSpelling) {
  const Outcome run = Start({"--code", "Tough", "tree", "zebra", "HOUSE"});
  EXPECT_EQ(run.status, 0) << run.err;
  // tough sounds 18 but spells 1; zebra and house are not in the dictionary.
  EXPECT_EQ(run.out, "tough\t18\ntree\t14\nzebra\t094\nhouse\t0\n");
  EXPECT_EQ(run.err, "");
}

TEST_P(CommandLine, TheUsersWordsAndMappingAreFollowed) {
  // An edited mapping where b no longer stands for 9, and an added word.
  std::string mapping = test::kShippedMapping;
  mapping.replace(mapping.find("9:p,b,pp,bb"), 11, "9:p,pp");
  WriteFile(user_ + "mapping.txt", mapping);
  WriteFile(user_ + "words.txt", "#ADD\nmop\n#REMOVE\ntea\n#EDIT\ntree\n77\n");
  const Outcome run = Start({"--code", "bat", "mop", "tree", "tea"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "bat\t1\nmop\t39\ntree\t77\ntea\t1\n");
}

// For random numbers the printed column is the first column the window
// would show: a header per code length, longest first, then its words.
TEST_P(CommandLine, WordsPrintTheColumnTheWordListsShow) {
  std::mt19937 random(11);
  const char* pieces[] = {"1", "4", "9", "91", "8", "0", "-", " "};
  for (int round = 0; round < 6; ++round) {
    std::string number;
    for (int i = 0; i < 5; ++i) number += pieces[random() % 8];
    std::string digits;
    for (char c : number)
      if (c >= '0' && c <= '9') digits.push_back(c);
    if (digits.empty()) continue;
    const Outcome run = Start({"--words", number});
    EXPECT_EQ(run.status, 0) << number << run.err;
    EXPECT_EQ(run.out, ExpectedColumn(digits)) << number;
  }
  const Outcome known = Start({"--words=914"});
  EXPECT_EQ(known.out, "91\nbat\nbet\nboot\n");
}

// The printed phrases are the search's own, best first, and every complete
// one spells exactly the number's digits with the words' codes.
TEST_P(CommandLine, BestPrintsTheSearchsPhrasesBestFirst) {
  test::ScriptedPlatform quiet;
  const auto dictionary = CreateDictionary(Paths());
  ASSERT_NE(dictionary, nullptr);
  std::mt19937 random(5);
  const char* pieces[] = {"1", "4", "91", "18", "-", "9"};
  for (int round = 0; round < 5; ++round) {
    std::string number;
    for (int i = 0; i < 4; ++i) number += pieces[random() % 6];
    std::string digits;
    for (char c : number)
      if (c >= '0' && c <= '9') digits.push_back(c);
    const std::size_t count = 1 + random() % 4;
    const Outcome run = Start({"--best", number, "--count", std::to_string(count)});
    EXPECT_EQ(run.status, 0) << number << run.err;

    std::string expected;
    for (const RRankedPhrase& p : FindBestPhrases(*dictionary, digits, count)) {
      expected += ToQString(p.phrase).toStdString() + "\n";  // the uncovered mark in UTF-8
      if (!p.complete) continue;
      std::string spelled;
      for (const auto& word : p.words) spelled += dictionary->CodeAt(dictionary->FindWord(word));
      EXPECT_EQ(spelled, digits) << p.phrase;
    }
    EXPECT_EQ(run.out, expected) << number;
  }
  // Twenty by default, as the dialog lists them; a number with fewer
  // phrases than --count asks for lists them all, and says that is all.
  const Outcome many = Start({"--best", "91919191"});
  EXPECT_EQ(std::count(many.out.begin(), many.out.end(), '\n'), 20);
  const Outcome all = Start({"--best", "91", "--count", "1000"});
  const std::size_t listed = FindBestPhrases(*dictionary, "91", 1000).size();
  ASSERT_LT(listed, 1000u);
  EXPECT_EQ(static_cast<std::size_t>(std::count(all.out.begin(), all.out.end(), '\n')), listed);
  EXPECT_EQ(all.err, "Tessaloquine: The list stops at " + std::to_string(listed) +
                         (listed == 1 ? " phrase" : " phrases") + ": there are no more.\n");
  // No word of the small dictionary has a 2 in its code: the digit stays a
  // dot, and standard error says so.
  const Outcome gap = Start({"--best", "14-2", "--count", "1"});
  EXPECT_EQ(gap.out, "tree \u00b7\n");
  EXPECT_NE(gap.err.find("No word covers"), std::string::npos) << gap.err;
}

// One line per number, its leading zeros kept: the number, a tab and the
// peg the window's peg list would give it.
TEST_P(CommandLine, PegsPrintEveryNumberWithItsPeg) {
  WriteFile(data_ + "wordinfo.dat", "tough,20,n,p\ntree,10,n\n");
  test::ScriptedPlatform quiet;
  const auto dictionary = CreateDictionary(Paths());
  ASSERT_NE(dictionary, nullptr);
  for (int digits : {2, 3}) {
    const Outcome run = Start({"--pegs", std::to_string(digits)});
    EXPECT_EQ(run.status, 0) << run.err;
    std::string expected;
    for (const RPeg& peg : MakePegList(*dictionary, digits))
      expected += peg.number + "\t" + ToQString(peg.Phrase()).toStdString() + "\n";
    EXPECT_EQ(run.out, expected);
    EXPECT_TRUE(digits == 3 || run.out.find("\n18\ttough\n") != std::string::npos) << run.out;
  }
}

// Output that cannot be written is a failure, said on standard error.
TEST_P(CommandLine, AFullDiskIsAFailureThatIsSaid) {
  for (const Args& arguments : {Args{"--best", "91"}, Args{"--pegs", "2"}, Args{"--code", "tree"},
                                Args{"--words", "91"}, Args{"--help"}, Args{"--version"}}) {
    const Outcome run = Start(arguments, true);
    EXPECT_EQ(run.status, 3) << arguments.front();
    EXPECT_EQ(run.err, "Tessaloquine: Could not write to standard output.\n") << arguments.front();
  }
}

// A number so long that the search's budget allows fewer phrases than asked
// for: as many as it allows, and standard error says why there are no more.
TEST_P(CommandLine, TheLongNumberBudgetSaysWhenItCutsTheList) {
  std::string digits;
  for (int i = 0; i < 3000; ++i) digits += "91";
  const std::size_t allowed = BestPhrasesAllowed(digits.size());
  ASSERT_LT(allowed, 1000u);
  const Outcome run = Start({"--best", digits, "--count", "1000"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(static_cast<std::size_t>(std::count(run.out.begin(), run.out.end(), '\n')), allowed);
  EXPECT_EQ(run.err, "Tessaloquine: The list stops at " + std::to_string(allowed) + " phrases: a number of " +
                         std::to_string(digits.size()) + " digits allows no more.\n");
  // The help says so too, however it wraps its lines.
  const Outcome help = Start({"--help"});
  const QString said = QString::fromStdString(help.out).simplified();
  EXPECT_TRUE(said.contains("fewer for a number of more than 4000 digits")) << help.out;
}

// One scene a line at the places of the user's journey, as the library cuts
// the best phrase; the numbered places past its end are said on standard
// error. Without a journey file the default journey is walked, and a damaged
// one is told about and left alone.
TEST_P(CommandLine, JourneyPrintsTheScenesAtTheUsersPlaces) {
  const std::string digits = "9114149114";
  const Outcome plain = Start({"--journey", "911-414-9114"});
  EXPECT_EQ(plain.status, 0) << plain.err;
  EXPECT_EQ(plain.out.rfind("front gate\t", 0), 0u) << plain.out;

  WriteFile(user_ + "journey.txt", "#words per place: 1\nred door\nh\xE4ll\n");
  const Outcome run = Start({"--journey", digits});
  EXPECT_EQ(run.status, 0) << run.err;
  test::ScriptedPlatform quiet;
  const auto dictionary = CreateDictionary(Paths());
  const RJourney journey = LoadJourney(Paths());
  const RJourneyScenes scenes(*dictionary, BestPhraseEntry(*dictionary, digits), 1);
  ASSERT_GT(scenes.Count(), 2u);
  std::string expected, spelled;
  for (std::size_t k = 0; k < scenes.Count(); ++k) {
    expected += ToQString(SceneLine(scenes, journey, k)).toStdString() + "\n";
    spelled += scenes.Digits(k);
  }
  EXPECT_EQ(spelled, digits);
  EXPECT_EQ(run.out, expected);
  EXPECT_EQ(run.out.rfind("red door\t", 0), 0u) << run.out;
  EXPECT_NE(run.out.find("\nh\xC3\xA4ll\t"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("\nplace 3\t"), std::string::npos) << run.out;
  EXPECT_NE(run.err.find("needs " + std::to_string(scenes.Count() - 2) + " more places"), std::string::npos) << run.err;

  WriteFile(user_ + "journey.txt", "#words per place: 7\n");
  const Outcome damaged = Start({"--journey", digits});
  EXPECT_EQ(damaged.status, 0);
  EXPECT_EQ(damaged.out.rfind("front gate\t", 0), 0u) << damaged.out;
  EXPECT_NE(damaged.err.find("journey.txt' is damaged: line 1"), std::string::npos) << damaged.err;

  // With --pegs, the user's pegs of two digits where sound, the suggested
  // ones elsewhere, one after another; a line of pegs.txt not taken is named.
  WriteFile(user_ + "journey.txt", "#words per place: 1\nred door\n");
  WriteFile(user_ + "pegs.txt", "91\tboot\n14\ttea\n");
  const Outcome pegs = Start({"--journey", digits, "--pegs", "2"});
  EXPECT_EQ(pegs.status, 0) << pegs.err;
  RPegSystem system(*dictionary);
  system.SetMine(LoadMyPegs(Paths(), *dictionary));
  const RJourneyScenes laid(*dictionary, PegEntry(*dictionary, digits, 2, system), 1);
  EXPECT_EQ(laid.PegDigits(), 2);
  ASSERT_EQ(laid.Count(), 5u);
  expected.clear();
  for (std::size_t k = 0; k < laid.Count(); ++k) expected += SceneLine(laid, LoadJourney(Paths()), k) + "\n";
  EXPECT_EQ(pegs.out, expected);
  EXPECT_EQ(pegs.out.rfind("red door\tboot\t91\n", 0), 0u) << pegs.out;
  EXPECT_NE(pegs.err.find("line 2: 'tea' spells 1, not 14"), std::string::npos) << pegs.err;
}

TEST_P(CommandLine, BadArgumentsSayWhyAndExitWithTwo) {
  const std::vector<Args> bad = {{"--bogus"},          {"--words"},          {"--words", "no digits"},
                                 {"--code"},           {"--code", "--words", "1"}, {"--words", "1", "extra"},
                                 {"-x", "tree"},       {"--version=3"},
                                 {"--count", "3"},     {"--best", "12", "--count", "0"},
                                 {"--best", "12", "--count", "x"}, {"--best", "none"},
                                 {"--best", "1", "--words", "1"}, {"--best"},
                                 {"--pegs"},           {"--pegs", "1"},      {"--pegs", "4"},
                                 {"--pegs", "x"},      {"--pegs", "2", "--best", "1"},
                                 {"phones.tqw", "--pegs", "9"}, {"phones.tqw", "--pegs", "2"},
                                 {"--best", "1", "phones.tqw"},
                                 {"--journey"},        {"--journey", "no digits"}, {"--journey", "1", "--pegs", "1"}, {"--journey", "1", "--count", "2"},
                                 {"--journey", "1", "--words", "1"}};
  for (const Args& arguments : bad) {
    const Outcome run = Start(arguments);
    EXPECT_EQ(run.status, 2) << arguments.front();
    EXPECT_EQ(run.out, "") << arguments.front();
    EXPECT_EQ(run.err.rfind("Tessaloquine: ", 0), 0u) << run.err;
    EXPECT_NE(run.err.find("--help"), std::string::npos) << run.err;
  }
  // An unknown option is named as it was typed.
  for (const auto& [arguments, said] : {std::pair{Args{"--bogus"}, "Unknown option '--bogus'."},
                                        {Args{"-x", "tree"}, "Unknown option '-x'."},
                                        {Args{"--best=1", "--nope=2", "-q"}, "Unknown options: '--nope', '-q'."}})
    EXPECT_EQ(Start(arguments).err.rfind(std::string("Tessaloquine: ") + said + "\n", 0), 0u) << said;
}

// A word the dictionary cannot hold, or an empty one, is a bad argument.
TEST_P(CommandLine, CodeRefusesWordsTheDictionaryCannotHold) {
  for (const Args& arguments : {Args{"--code", "\u03c0"}, Args{"--code", "tree", "\u65e5\u672c"}, Args{"--code", ""},
                                Args{"--code", "tree", " "}}) {
    const Outcome run = Start(arguments);
    EXPECT_EQ(run.status, 2) << arguments.back();
    EXPECT_EQ(run.out, "") << arguments.back();
    EXPECT_EQ(run.err.rfind("Tessaloquine: ", 0), 0u) << run.err;
    const bool empty = arguments.back().empty() || arguments.back() == " ";
    EXPECT_NE(run.err.find(empty ? "empty word" : "'" + arguments.back() + "'"), std::string::npos) << run.err;
  }
}

TEST_P(CommandLine, NothingIsWrittenAnywhere) {
  WriteFile(user_ + "words.txt", "#ADD\nmop\n#REMOVE\n#EDIT\n");
  const auto before = Snapshot(root.path());
  for (const Args& arguments :
       {Args{"--code", "mop"}, Args{"--words", "91"}, Args{"--best", "914"}, Args{"--journey", "914"}, Args{"--nope"},
        Args{"--help"}})
    Start(arguments);
  EXPECT_EQ(Snapshot(root.path()), before);
}

// Without words.dat a portable folder is no longer portable, so the missing
// file is the mapping, which both modes need.
TEST_P(CommandLine, MissingDataIsReportedWithStatusOne) {
  fs::remove(data_ + "mapping.txt");
  const Outcome run = Start({"--code", "tree"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_NE(run.err.find("Fatal Error: "), std::string::npos) << run.err;
  EXPECT_NE(run.err.find(data_ + "mapping.txt"), std::string::npos) << run.err;
}

// True when text is UTF-8 with no control character but the line feed.
bool CleanUtf8(const std::string& text) {
  const QByteArray bytes = QByteArray::fromStdString(text);
  if (QString::fromUtf8(bytes).toUtf8() != bytes) return false;
  return std::none_of(text.begin(), text.end(),
                      [](char c) { return (static_cast<unsigned char>(c) < 0x20 && c != '\n') || c == 0x7F; });
}

// Under a folder with an accent, every message names the path as it is, in
// clean UTF-8.
TEST(CommandLineMessages, AreCleanUtf8UnderAFolderWithAnAccent) {
  TempDir root, scratch;
  const std::string folder = root.File("d\xC3\xA9/");
  const std::string program = folder + "Tessaloquine";
  ASSERT_TRUE(MakeDirectories(folder));
  fs::copy_file(TQ_PROGRAM, program);
  root.Write("d\xC3\xA9/words.dat", kWords);
  root.Write("d\xC3\xA9/mapping.txt", test::kShippedMapping);
  root.Write("d\xC3\xA9/words.txt", "not a changes file\n");  // damaged: an alert that names it
  const std::map<std::string, std::string> environment = {{"HOME", root.File("home")}, {"QT_QPA_PLATFORM", "xcb"}};
  std::vector<Outcome> runs;
  for (const Args& arguments : {Args{"--code", "tree"}, Args{"--words", "14"}, Args{"--best", "14"}})
    runs.push_back(Process(program, arguments, environment, scratch).Wait());
  fs::remove(folder + "mapping.txt");  // fatal, and named
  runs.push_back(Process(program, {"--best", "14"}, environment, scratch).Wait());
  for (const Outcome& run : runs) {
    EXPECT_TRUE(CleanUtf8(run.err)) << run.err;
    EXPECT_NE(run.err.find(folder), std::string::npos) << run.err;
  }
}

INSTANTIATE_TEST_SUITE_P(Modes, CommandLine, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Installed" : "Portable"; });

// An option of ours anywhere is the command line's, which then reports what
// is wrong with the rest; the toolkit's options, and their values, leave a
// worksheet to the window wherever they stand.
TEST(CommandLineChoice, AnOptionOfOursAnywhereLeavesTheWindowOut) {
  EXPECT_FALSE(WantsCommandLine({}));
  EXPECT_FALSE(WantsCommandLine({"phones.tqw"}));
  EXPECT_FALSE(WantsCommandLine({"-"}));
  for (const char* toolkit : {"-platform", "--platform", "-style=fusion", "-reverse"}) {
    EXPECT_FALSE(WantsCommandLine({toolkit, "x"})) << toolkit;
    EXPECT_FALSE(WantsCommandLine({"phones.tqw", toolkit, "x"})) << toolkit;
  }
  EXPECT_FALSE(WantsCommandLine({"phones.tqw", "-qwindowtitle", "-x"}));
  for (const char* ours : {"--code", "-h", "--help", "--words=1", "--bogus"}) {
    EXPECT_TRUE(WantsCommandLine({ours})) << ours;
    EXPECT_TRUE(WantsCommandLine({"-reverse", "phones.tqw", ours})) << ours;
  }
}

// A worksheet named on the command line still opens in the window; SIGTERM
// then closes it in order, so the configuration is written with the
// worksheet in its history, in the configuration folder of the mode.
TEST_P(CommandLine, AWorksheetArgumentStillOpensTheWindow) {
  const std::string worksheet = root.File("phones.tqw");
  WriteFile(worksheet, "#Tessaloquine - 1\n#Count = 1\nN:555\nP:\nD:\n\n");
  auto environment = Environment();
  environment["QT_QPA_PLATFORM"] = "offscreen";
  const std::string config = (installed_ ? root.File("home/.config/tessaloquine/") : data_) + kConfigFileName;
  // The window shows about three seconds after the start; a signal before
  // that ends the run with nothing to keep, so a busy machine gets a second,
  // longer try.
  for (int seconds : {6, 15}) {
    Process process(program_, {worksheet}, environment, scratch);
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    process.Signal(SIGTERM);
    const Outcome run = process.Wait();
    EXPECT_EQ(run.status, 0) << run.err;
    if (fs::exists(config)) break;
  }
  test::ScriptedPlatform quiet;
  RConfig stored;
  stored.SetFileName(config);
  ASSERT_TRUE(stored.Load()) << config;
  ASSERT_EQ(stored.GetHistoryCount(), 1);
  EXPECT_EQ(stored.GetHistory(0), worksheet);
}

}  // namespace
}  // namespace tq
