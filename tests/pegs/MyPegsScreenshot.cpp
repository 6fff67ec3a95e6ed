// Draws the My Pegs dialog on the generated dictionary for the numbers of
// two digits, with 37 made the user's own ("mug") and selected, and saves
// it as a PNG for the README (scripts/screenshot.sh).
//
//   tq_mypegs_screenshot <data folder with words.dat, wordinfo.dat and mapping.txt> <out.png>
#include <QApplication>
#include <QLabel>
#include <QTableView>
#include <cstdio>

#include "../support/ScreenshotStart.h"
#include "FormMyPegs.h"
#include "PegSystem.h"

int main(int argc, char** argv) {
  if (!tq::test::ScreenshotArguments(argc, argv)) return 2;
  QApplication app(argc, argv);
  const auto loaded = tq::test::ScreenshotDictionary(argv[1]);
  if (!loaded) return 1;

  tq::RPegSystem pegs(*loaded);
  tq::RMyPegs mine;
  mine.pegs["37"] = {"mug"};
  pegs.SetMine(mine);
  tq::TFormMyPegs form(*loaded);
  form.Prepare(pegs);
  form.resize(760, 500);
  form.show();
  const QModelIndex row = form.ListPegs->model()->index(37, 0);
  form.ListPegs->setCurrentIndex(row);
  form.ListPegs->scrollTo(row, QAbstractItemView::PositionAtCenter);
  QApplication::processEvents();

  if (!form.grab().save(QString::fromLocal8Bit(argv[2]), "PNG")) {
    std::fprintf(stderr, "could not write %s\n", argv[2]);
    return 1;
  }
  std::printf("%s: %s\n", argv[2], form.LabelSummary->text().toUtf8().constData());
  return 0;
}
