// Draws the dictionary dialog on the generated dictionary after a search for
// "an" and saves it as a PNG, for the README. Runs without a display.
//
//   tq_dict_screenshot <data folder with words.dat and mapping.txt> <out.png>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QItemSelectionModel>
#include <cstdio>
#include <string>

#include "FormDict.h"
#include "RConfig.h"
#include "RDictionary.h"
#include "../../support/ScreenshotStart.h"

int main(int argc, char** argv) {
  if (!tq::test::ScreenshotArguments(argc, argv)) return 2;
  QApplication app(argc, argv);
  const auto loaded = tq::test::ScreenshotDictionary(argv[1]);
  if (!loaded) return 1;
  tq::RDictionary& dictionary = *loaded;

  tq::RConfig config;
  tq::TFormDict form(dictionary);
  form.SetConfig(&config);
  form.show();
  form.findChild<QLineEdit*>("EditFind")->setText(QStringLiteral("an"));
  form.findChild<QPushButton*>("ButtonFind")->click();
  // Two rows picked, as when the user is about to remove them.
  auto* list = form.findChild<QTableView*>("ListDict");
  for (int row : {2, 4})
    list->selectionModel()->select(list->model()->index(row, 0),
                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
  QApplication::processEvents();

  if (!form.grab().save(QString::fromLocal8Bit(argv[2]), "PNG")) {
    std::fprintf(stderr, "could not write %s\n", argv[2]);
    return 1;
  }
  std::printf("%s: %s\n", argv[2], form.findChild<QLabel*>("LabelCount")->text().toLocal8Bit().constData());
  return 0;
}
