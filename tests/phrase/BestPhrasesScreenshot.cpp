// Draws the Best Phrases dialog on the generated dictionary for a telephone
// number and saves it as a PNG, for the README. Runs without a display, or
// under Xvfb for the look of a real X display (scripts/screenshot.sh).
//
//   tq_best_screenshot <data folder with words.dat, wordinfo.dat and mapping.txt> <out.png>
#include <QApplication>
#include <cstdio>
#include <string>

#include "FormBest.h"
#include "RDictionary.h"
#include "RNumber.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <data folder> <out.png>\n", argv[0]);
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);

  std::string folder = argv[1];
  if (!folder.empty() && folder.back() != '/') folder += '/';
  const auto loaded = tq::CreateDictionary(folder);
  if (!loaded) {
    std::fprintf(stderr, "could not load the dictionary from %s\n", folder.c_str());
    return 1;
  }

  tq::RNumber number;
  number.SetNumber("867-5309");
  tq::TFormBest form(*loaded);
  form.Prepare(number.Number(), number.Digits());
  form.show();
  QApplication::processEvents();

  if (!form.grab().save(QString::fromLocal8Bit(argv[2]), "PNG")) {
    std::fprintf(stderr, "could not write %s\n", argv[2]);
    return 1;
  }
  std::printf("%s: %s\n", argv[2], form.Phrase().c_str());
  return 0;
}
