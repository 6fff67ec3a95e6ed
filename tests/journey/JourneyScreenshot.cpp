// Draws the Journey window on the generated dictionary for the first 100
// digits of pi, filled with best phrases, at the default journey's places,
// and saves it as a PNG for the README. Runs without a display, or under
// Xvfb for the look of a real X display (scripts/screenshot.sh).
//
//   tq_journey_screenshot <data folder with words.dat, wordinfo.dat and mapping.txt> <out.png>
#include <QApplication>
#include <cstdio>

#include "../support/ScreenshotStart.h"
#include "FormJourney.h"
#include "JourneyScenes.h"

int main(int argc, char** argv) {
  if (!tq::test::ScreenshotArguments(argc, argv)) return 2;
  QApplication app(argc, argv);
  const auto loaded = tq::test::ScreenshotDictionary(argv[1]);
  if (!loaded) return 1;

  const tq::RNumber entry = tq::BestPhraseEntry(
      *loaded, "3141592653589793238462643383279502884197169399375105820974944592307816406286208998628034825342117067");
  tq::TFormJourney form(*loaded);
  form.ShowEntry(&entry);
  form.show();
  QApplication::processEvents();

  if (!form.grab().save(QString::fromLocal8Bit(argv[2]), "PNG")) {
    std::fprintf(stderr, "could not write %s\n", argv[2]);
    return 1;
  }
  std::printf("%s: %s\n", argv[2], form.Summary().toUtf8().constData());
  return 0;
}
