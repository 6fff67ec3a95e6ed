// Where windows open: centred on the screen by their size of the moment,
// and never off it, however large they ask to be. The dialogs' tests show
// each dialog placed this way, and the double click under a list's rows.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QScreen>

#include "WindowPlace.h"

namespace tq {
namespace {

QApplication& App() {
  static int argc = 1;
  static char name[] = "tq_windowplace_tests";
  static char* argv[] = {name, nullptr};
  static QApplication* app = new QApplication(argc, argv);
  return *app;
}

TEST(CentreOnScreen, AnySizeEndsCentredOrAsFarOnTheScreenAsItsMinimumAllows) {
  App();
  const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
  const QSize sizes[] = {{50, 40}, {253, 97}, {area.width() - 1, 20}, area.size(), {area.width() + 1, 30},
                         {2838, 120}, {300, area.height() * 3}, {9000, 9000}};
  for (const QSize& asked : sizes) {
    for (const bool fixed : {false, true}) {
      SCOPED_TRACE(QStringLiteral("%1x%2 %3").arg(asked.width()).arg(asked.height()).arg(fixed).toStdString());
      QDialog window;
      window.resize(asked);
      if (fixed) window.setMinimumSize(asked);
      window.move(-5000, 7000);
      CentreOnScreen(window);
      const QRect frame = window.frameGeometry();
      EXPECT_EQ(frame.topLeft(), area.topLeft() + QPoint(std::max(0, (area.width() - frame.width()) / 2),
                                                         std::max(0, (area.height() - frame.height()) / 2)));
      EXPECT_TRUE(area.contains(frame.topLeft()));
      if (!fixed) {
        EXPECT_TRUE(area.contains(frame)) << "a window that may shrink stays whole on the screen";
        EXPECT_EQ(frame.size(), asked.boundedTo(area.size()));
      } else {
        EXPECT_EQ(window.size(), asked) << "a window that may not shrink keeps its size";
      }
    }
  }
}

}  // namespace
}  // namespace tq
