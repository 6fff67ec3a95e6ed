// Draws the Peg Drill at the end of a drill of 20 pegs, after three weeks of
// drills on the chart, on the generated dictionary, and saves it as a PNG
// for the README. The answers and their times are made up, the same on
// every run; the user's files go to a scratch folder.
//
//   tq_pegdrill_screenshot <data folder with words.dat and mapping.txt> <out.png>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <cstdio>

#include "../support/ScreenshotStart.h"
#include "DrillScreenshots.h"
#include "PegSystem.h"
#include "FormPegDrill.h"
#include "PracticeSchedule.h"

int main(int argc, char** argv) {
  if (!tq::test::ScreenshotArguments(argc, argv)) return 2;
  QApplication app(argc, argv);
  QTemporaryDir scratch;
  const auto loaded = tq::test::ScratchUserDictionary(argv[1], scratch);
  if (!loaded) return 1;
  tq::RPegSystem pegs(*loaded);

  constexpr int64_t kToday = 20522 * tq::kSecondsPerDay + 19 * 3600;
  int64_t steady = 0, local = 0;
  tq::TFormPegDrill form(*loaded);
  form.SetClocks([&] { return steady; }, [&] { return local; });
  form.SetSeed(3);
  form.show();
  // A drill on most days of the last three weeks, each a little faster.
  for (int day = 20; day >= 0; --day) {
    if (day % 5 == 3) continue;
    local = kToday - day * tq::kSecondsPerDay;
    form.Prepare(pegs);
    form.SpinItems->setValue(20);
    QTest::keyClick(form.ButtonStart, Qt::Key_Return);
    for (int n = 0; form.Drilling(); ++n) {
      const tq::RDrillItem& item = *form.Drill()->Current();
      steady += 900 + day * 60 + (n * 37 + day * 11) % 1500;
      const bool wrong = (n * 7 + day) % 13 == 0;
      form.EditAnswer->setText(QString::fromLatin1(wrong ? "pass" : item.peg.c_str()));
      QTest::keyClick(form.EditAnswer, Qt::Key_Return);
    }
  }
  QApplication::processEvents();
  if (!form.grab().save(QString::fromLocal8Bit(argv[2]), "PNG")) {
    std::fprintf(stderr, "could not write %s\n", argv[2]);
    return 1;
  }
  std::printf("%s: %s\n", argv[2], form.Summary().toUtf8().constData());
  return 0;
}
