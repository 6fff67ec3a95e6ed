// The program's command line without a window: the code of words, the word
// column for a number, the best phrases for a number, a peg list, a number's
// scenes on the journey, and help and version. It reads the data files from
// the same folders as the window does and writes nothing: no configuration,
// no words.txt, no mapping.txt.
#pragma once

#include <QStringList>

#include <iosfwd>
#include <string>
#include <vector>

#include "DataPaths.h"

namespace tq {

// Exit statuses of the command line, each for one kind of failure; --help
// lists them.
enum CommandLineStatus : int {
  CommandLineDone = 0,
  CommandLineDataError = 1,   // words.dat or mapping.txt is missing or could not be read
  CommandLineBadArgument = 2,
  CommandLineFailed = 3,      // the output could not be written
};

// True when the arguments (without the program's name) are for the command
// line: one of them, wherever it stands, is an option other than the
// toolkit's own (-platform, -style and the like, with their values). Without
// one, a first argument names a worksheet for the window, as it always has;
// with one, the command line reports what is wrong with the rest, so that
// "phones.tqw --pegs 9" and "--pegs 9 phones.tqw" are both refused.
bool WantsCommandLine(const std::vector<std::string>& arguments);

// Runs the command line. arguments: the whole command line, the program's
// name first. Results go to out, messages to err, both UTF-8. Returns one of
// CommandLineStatus.
int RunCommandLine(const QStringList& arguments, const DataPaths& paths, std::ostream& out, std::ostream& err);

}  // namespace tq
