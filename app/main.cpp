// Tessaloquine: memorise numbers with the phonetic system of mnemonics.
#include <QApplication>
#include <QFile>

#include <cstdlib>
#include <ctime>
#include <exception>

#include "FormMain.h"
#include "HelpViewer.h"
#include "Messages.h"
#include "Paths.h"
#include "Platform.h"
#include "QtPlatform.h"
#include "Startup.h"

namespace {

void ShowException(const char* what) {
  tq::MessageRequest request;
  request.caption = tq::kProductName;
  request.text = what;
  request.icon = tq::MessageIcon::Error;
  tq::CurrentPlatform().ShowMessage(request);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  std::srand(static_cast<unsigned>(std::time(nullptr)));

  tq::QtPlatform platform;
  tq::InstallPlatform(&platform);
  // The help window is ours; every Help button and F1 reach it through the
  // platform, and Shutdown closes it the same way.
  tq::THelpViewer helpViewer;
  tq::ConnectHelpViewer(platform, helpViewer);
  int result = 0;
  try {
    // The data files live beside the executable; the first argument, if
    // any, names a worksheet to open.
    const std::string directory = tq::DirectoryOf(QFile::encodeName(QCoreApplication::applicationFilePath()).toStdString());
    std::vector<std::string> arguments;
    const QStringList all = QCoreApplication::arguments();
    for (qsizetype i = 1; i < all.size(); ++i) arguments.push_back(QFile::encodeName(all[i]).toStdString());

    tq::TProgram program(directory, std::move(arguments));
    tq::TFormMain& formMain = program.FormMain();
    platform.SetParentWindow(&formMain);
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
