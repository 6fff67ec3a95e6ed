// Draws the Best Phrases dialog on the generated dictionary for a number of
// 24 digits, whose phrases are longer than the dialog's least width, and
// saves it as a PNG, for the README. Runs without a display, or
// under Xvfb for the look of a real X display (scripts/screenshot.sh).
//
//   tq_best_screenshot <data folder with words.dat, wordinfo.dat and mapping.txt> <out.png>
#include <QApplication>
#include <cstdio>
#include <string>

#include "FormBest.h"
#include "RDictionary.h"
#include "../support/ScreenshotStart.h"
#include "RNumber.h"

int main(int argc, char** argv) {
  if (!tq::test::ScreenshotArguments(argc, argv)) return 2;
  QApplication app(argc, argv);
  const auto loaded = tq::test::ScreenshotDictionary(argv[1]);
  if (!loaded) return 1;

  tq::RNumber number;
  number.SetNumber("3141-5926-5358-9793-2384-6264");
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
