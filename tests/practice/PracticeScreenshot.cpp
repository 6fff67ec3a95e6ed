// Draws the Practice dialog part-way through a session, with four weeks of
// answers behind it, on the generated dictionary, and saves it as a PNG for
// the README. Runs without a display; writes nothing but the picture.
//
//   tq_practice_screenshot <data folder with words.dat and mapping.txt> <out.png>
#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "FormPractice.h"
#include "PracticeFile.h"
#include "RDictionary.h"
#include "../support/ScreenshotStart.h"
#include "RWorksheet.h"
#include "RandomPhrase.h"

int main(int argc, char** argv) {
  if (!tq::test::ScreenshotArguments(argc, argv)) return 2;
  QApplication app(argc, argv);
  const auto loaded = tq::test::ScreenshotDictionary(argv[1]);
  if (!loaded) return 1;

  // The same phrases and history on every run, so the picture only changes
  // when the dialog or the dictionary does.
  std::srand(11);
  tq::RWorksheet worksheet;
  const char* entries[][2] = {{"555-1234", "Aunt Mara's shop"}, {"0172 946 33", "Bank helpline"},
                              {"1066", "Battle of Hastings"}, {"3.14159", "Pi"}, {"42-17", "Locker at the gym"},
                              {"1789", "Storming of the Bastille"}, {"8850", "Everest in metres"}};
  for (const auto& e : entries) {
    auto entry = std::make_unique<tq::RNumber>();
    entry->SetNumber(e[0]);
    entry->SetPhrase(" " + tq::GenerateRandomPhrase(*loaded, entry->Digits()));
    entry->SetDescription(e[1]);
    worksheet.Insert(std::move(entry), worksheet.Count());
  }

  constexpr int64_t kNow = 20522 * tq::kSecondsPerDay + 19 * 3600;
  tq::RPracticeSchedule history;
  const std::vector<tq::RCardKey> keys = tq::KeysOf(worksheet);
  for (int day = 27; day >= 1; --day) {
    if (day % 6 == 2) continue;  // a few days without practice
    for (std::size_t i = 1; i < keys.size(); ++i)
      if ((day + i) % 3 != 0) history.Answer(keys[i], (day * 7 + i) % 5 != 0, kNow - day * tq::kSecondsPerDay);
  }
  // The first number is the longest overdue, so it is the one on screen.
  history.SetCard(keys[0], tq::RCard{2, kNow - 5 * tq::kSecondsPerDay, 3, 1});
  QTemporaryDir scratch;
  const std::string worksheetPath = scratch.path().toStdString() + "/numbers.tqw";
  if (!tq::WritePracticeFile(tq::PracticeFileOf(worksheetPath), history)) return 1;
  worksheet.SetFileName(worksheetPath);

  tq::TFormPractice form(*loaded);
  form.SetClock([] { return kNow; });
  form.LoadSchedule(worksheetPath);
  if (!form.Prepare(worksheet)) return 1;
  form.show();
  QApplication::processEvents();
  // The first question answered with one digit wrong.
  auto* answer = form.findChild<QLineEdit*>("EditAnswer");
  QTest::keyClicks(answer, QStringLiteral("555-1284"));
  QTest::keyClick(answer, Qt::Key_Return);
  QApplication::processEvents();

  if (!form.grab().save(QString::fromLocal8Bit(argv[2]), "PNG")) {
    std::fprintf(stderr, "could not write %s\n", argv[2]);
    return 1;
  }
  std::printf("%s\n", argv[2]);
  return 0;
}
