// Draws the Numbers Drill's results after 80 digits recalled with a few
// mistakes, after two months of attempts on the chart, on the generated
// dictionary, and saves it as a PNG for the README. The same on every run;
// the user's files go to a scratch folder.
//
//   tq_numbersdrill_screenshot <data folder with words.dat and mapping.txt> <out.png>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <cstdio>

#include "../support/ScreenshotStart.h"
#include "Codec.h"
#include "DrillScreenshots.h"
#include "PegSystem.h"
#include "FormNumbersDrill.h"
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
  tq::TFormNumbersDrill form(*loaded);
  form.SetClocks([&] { return steady; }, [&] { return local; });
  form.SetSeed(42);
  form.show();
  // An attempt every few days for eight weeks: the last on screen.
  for (int day = 52; day >= 0; day -= 4) {
    local = kToday - day * tq::kSecondsPerDay;
    form.Prepare(pegs, tq::DefaultJourney());
    QTest::keyClick(form.ButtonStart, Qt::Key_Return);
    steady += 250000;
    QTest::keyClick(form.ButtonRecallNow, Qt::Key_Return);
    // Earlier attempts recall less of the digits, and with more mistakes.
    const std::string digits = form.Digits();
    const std::size_t known = digits.size() - static_cast<std::size_t>(day * 3 / 4);
    const std::vector<std::string> rows = tq::DigitRows(digits.substr(0, known));
    for (std::size_t i = 0; i < rows.size(); ++i) {
      std::string row = rows[i];
      if ((i + static_cast<std::size_t>(day)) % 3 == 0) row[(i * 7 + 5) % row.size()] = '.';
      if (day == 0 && i == 1) row[12] = row[12] == '9' ? '3' : '9';
      form.RecallRows()[i]->setText(tq::ToQString(tq::GroupedRow(row, 2)));
    }
    steady += 400000;
    QTest::keyClick(form.ButtonFinish, Qt::Key_Return);
  }
  QApplication::processEvents();
  if (!form.grab().save(QString::fromLocal8Bit(argv[2]), "PNG")) {
    std::fprintf(stderr, "could not write %s\n", argv[2]);
    return 1;
  }
  std::printf("%s: score %d of %zu\n", argv[2], form.Score().score, form.Digits().size());
  return 0;
}
