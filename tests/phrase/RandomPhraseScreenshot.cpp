// Draws the Random Phrase dialog on the generated dictionary for a telephone
// number and saves it as a PNG, for the README. Runs without a display.
//
//   tq_random_screenshot <data folder with words.dat and mapping.txt> <out.png>
#include <QApplication>
#include <QLineEdit>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "Codec.h"
#include "FormRandom.h"
#include "RDictionary.h"
#include "../support/ScreenshotStart.h"
#include "RNumber.h"

int main(int argc, char** argv) {
  if (!tq::test::ScreenshotArguments(argc, argv)) return 2;
  QApplication app(argc, argv);
  const auto loaded = tq::test::ScreenshotDictionary(argv[1]);
  if (!loaded) return 1;
  tq::RDictionary& dictionary = *loaded;

  tq::RNumber number;
  number.SetNumber("555-1234");
  tq::TFormRandom form(dictionary);
  form.Prepare(number.Number(), number.Digits());
  // The same proposal on every run, so the picture only changes when the
  // dialog or the dictionary does.
  std::srand(7);
  form.show();
  QApplication::processEvents();

  if (!form.grab().save(QString::fromLocal8Bit(argv[2]), "PNG")) {
    std::fprintf(stderr, "could not write %s\n", argv[2]);
    return 1;
  }
  std::printf("%s: %s\n", argv[2], form.Phrase().c_str());
  return 0;
}
