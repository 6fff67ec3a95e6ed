// Draws the main window on the generated dictionary, with a few numbers in
// the list and a phrase half built for the current one (the keyboard in the
// next word list), and saves it as a PNG for the README. Not a test; scripts/screenshot.sh runs it.
//
//   tq_main_screenshot <data folder with words.dat and mapping.txt> <out.png>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListView>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <string>

#include "FormMain.h"
#include "FormSplash.h"
#include "Icons.h"
#include "Startup.h"
#include "WordColumns.h"

namespace {

// A worksheet the way a user keeps one: numbers with finished phrases, and
// one just typed in, its digits all still uncovered (middle dots).
const char* kWorksheet =
    "#Tessaloquine - 1\n#Count = 3\n"
    "N:555-867-5309\nP: \xB7 \xB7 \xB7 \xB7 \xB7 \xB7 \xB7 \xB7 \xB7 \xB7\nD:Jenny\n\n"
    "N:1969-07-20\nP: tip shop skins\nD:Moon landing\n\n"
    "N:3.14159\nP: home turtle pie\nD:Pi\n\n";

void Settle() {
  for (int i = 0; i < 5; ++i) QApplication::processEvents();
}

bool ChooseWord(tq::TFormMain& form, int column, const char* word) {
  QListView* list = form.WordColumns()->WordList(column);
  if (!list) return false;
  const QModelIndexList found = list->model()->match(list->model()->index(0, 0), Qt::DisplayRole,
                                                     QString::fromLatin1(word), 1, Qt::MatchExactly);
  if (found.isEmpty()) return false;
  list->scrollTo(found.front());
  const QPoint at = list->visualRect(found.front()).center();
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
  Settle();
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <data folder> <out.png>\n", argv[0]);
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  // The toolbar as the program shows it: the desktop's icons, or the stand-in theme's.
  tq::UseDesktopIconTheme();

  // A folder of its own, so no configuration of the developer's run shows.
  QTemporaryDir folder;
  const QString data = QString::fromLocal8Bit(argv[1]) + QLatin1Char('/');
  for (const char* name : {"words.dat", "mapping.txt"})
    if (!QFile::copy(data + QLatin1String(name), folder.filePath(QLatin1String(name)))) {
      std::fprintf(stderr, "no %s in %s\n", name, argv[1]);
      return 1;
    }
  QFile sheet(folder.filePath(QStringLiteral("numbers.tqw")));
  if (!sheet.open(QIODevice::WriteOnly)) return 1;
  sheet.write(kWorksheet);
  sheet.close();

  const std::string directory = QFile::encodeName(folder.path()).toStdString() + "/";
  tq::TProgram program(directory, {directory + "numbers.tqw"});
  if (!program.Start()) return 1;
  program.FormSplash()->TimerSplashTimer();
  tq::TFormMain& form = program.FormMain();
  form.resize(820, 520);
  if (!QTest::qWaitForWindowExposed(&form)) return 1;
  // Active, as the window the user works in; the focus shows only there.
  form.activateWindow();
  if (!QTest::qWaitForWindowActive(&form)) std::fprintf(stderr, "the window is not active\n");
  Settle();

  // The first number, half built: two words chosen, the rest still dots.
  if (!ChooseWord(form, 0, "lily") || !ChooseWord(form, 1, "lavish")) {
    std::fprintf(stderr, "could not choose the words\n");
    return 1;
  }
  // The keyboard in the next column still uncovered, which its frame shows.
  form.WordColumns()->FocusWordList(2);
  Settle();

  if (!form.grab().save(QString::fromLocal8Bit(argv[2]), "PNG")) {
    std::fprintf(stderr, "could not write %s\n", argv[2]);
    return 1;
  }
  std::printf("%s: %s\n", argv[2], form.findChild<QLineEdit*>("EditPhrase")->text().toUtf8().constData());
  return 0;
}
