// The start of the program, shared by the entry point and the tests: the
// dictionary load, and the order in which the windows come up.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "DataPaths.h"
#include "RDictionary.h"

namespace tq {

class TFormMain;
class TFormQuestion;
class TFormSplash;

// One run of the program on a data directory. The constructor names the
// application and creates the main window, hidden; Start puts up the splash,
// loads the dictionary and creates the dialogs; the splash's timer then shows
// the main window once the event loop runs.
class TProgram {
 public:
  // directory: where words.dat, mapping.txt, words.txt and the configuration
  // live, with its trailing separator. arguments: the command line without
  // the program's name.
  TProgram(std::string directory, std::vector<std::string> arguments);
  // The same with the folders an installed program uses (DecideDataPaths).
  TProgram(DataPaths paths, std::vector<std::string> arguments);
  ~TProgram();
  TProgram(const TProgram&) = delete;
  TProgram& operator=(const TProgram&) = delete;

  // False after a fatal error: the main window must then never be shown.
  bool Start();
  // Runs the event loop until the program ends.
  int Run();

  TFormMain& FormMain() const { return *formMain_; }
  TFormSplash* FormSplash() const { return formSplash_.get(); }
  TFormQuestion* FormQuestion() const { return formQuestion_; }

 private:
  DataPaths paths_;
  std::unique_ptr<TFormMain> formMain_;
  std::unique_ptr<TFormSplash> formSplash_;
  TFormQuestion* formQuestion_ = nullptr;  // owned by the main window
};

}  // namespace tq
