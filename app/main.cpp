// Tessaloquine: memorise numbers with the phonetic system of mnemonics.
#include <QApplication>
#include <QFile>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <exception>
#include <iostream>

#include "CommandLine.h"
#include "DataPaths.h"
#include "FormMain.h"
#include "HelpViewer.h"
#include "Icons.h"
#include "Messages.h"
#include "Paths.h"
#include "Platform.h"
#include "QtPlatform.h"
#include "QuitSignal.h"
#include "Startup.h"

namespace {

void ShowException(const char* what) {
  tq::MessageRequest request;
  request.caption = tq::kProductName;
  request.text = what;
  request.icon = tq::MessageIcon::Error;
  tq::CurrentPlatform().ShowMessage(request);
}

// The folder of the running program, with its trailing separator.
std::string ProgramDirectory() {
  return tq::DirectoryOf(QFile::encodeName(QCoreApplication::applicationFilePath()).toStdString());
}

}  // namespace

int main(int argc, char** argv) {
  // Options run without a window, and without needing a display.
  if (tq::WantsCommandLine(std::vector<std::string>(argv + std::min(argc, 1), argv + argc))) {
    QCoreApplication console(argc, argv);
    return tq::RunCommandLine(QCoreApplication::arguments(),
                              tq::DecideDataPaths(ProgramDirectory(), tq::ProcessEnvironment()), std::cout,
                              std::cerr);
  }
  QApplication app(argc, argv);
  tq::ApplyDesktopIdentity();
  std::srand(static_cast<unsigned>(std::time(nullptr)));

  tq::QtPlatform platform;
  tq::InstallPlatform(&platform);
  // The help window is ours; every Help button and F1 reach it through the
  // platform, and Shutdown closes it the same way.
  tq::THelpViewer helpViewer;
  tq::ConnectHelpViewer(platform, helpViewer);
  int result = 0;
  try {
    // The data files live beside the executable, or in the installed data
    // and the user's own folders; the first argument, if any, names a
    // worksheet to open.
    const tq::DataPaths paths = tq::DecideDataPaths(ProgramDirectory(), tq::ProcessEnvironment());
    std::vector<std::string> arguments;
    const QStringList all = QCoreApplication::arguments();
    for (qsizetype i = 1; i < all.size(); ++i) arguments.push_back(QFile::encodeName(all[i]).toStdString());

    tq::TProgram program(paths, std::move(arguments));
    tq::TFormMain& formMain = program.FormMain();
    platform.SetParentWindow(&formMain);
    tq::CloseOnTerminationSignal(&formMain);
    platform.SetStatusSink([&formMain](const std::string& text, bool alert) {
      if (alert)
        formMain.SetStatusAlert(text);
      else
        formMain.SetStatusText(text);
    });
    if (program.Start() && !platform.TerminateRequested()) result = program.Run();
    platform.SetStatusSink(nullptr);
    platform.SetParentWindow(nullptr);
  } catch (const std::exception& e) {
    ShowException(e.what());
  } catch (...) {
    ShowException("An unexpected error ended the program.");
  }
  platform.SetHelpHandlers(nullptr, nullptr);
  tq::InstallPlatform(nullptr);
  return result;
}
