// Tessaloquine: memorise numbers with the phonetic system of mnemonics.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>

#include <cstdlib>
#include <ctime>

#include "Codec.h"
#include "Paths.h"
#include "QtPlatform.h"
#include "Startup.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Tessaloquine"));
  QApplication::setApplicationDisplayName(QStringLiteral("Tessaloquine"));
  std::srand(static_cast<unsigned>(std::time(nullptr)));

  tq::QtPlatform platform;
  tq::InstallPlatform(&platform);

  // The data files live beside the executable.
  const std::string directory = tq::DirectoryOf(QCoreApplication::applicationFilePath().toStdString());
  auto dictionary = tq::CreateDictionary(directory);
  if (!dictionary || platform.TerminateRequested()) return 0;

  QMainWindow window;
  window.setWindowTitle(QStringLiteral("Tessaloquine - Untitled"));
  window.resize(640, 480);
  auto* label = new QLabel(QObject::tr("%1 words loaded.").arg(dictionary->Count()), &window);
  label->setAlignment(Qt::AlignCenter);
  window.setCentralWidget(label);
  window.show();
  const int rc = QApplication::exec();
  tq::InstallPlatform(nullptr);
  return rc;
}
