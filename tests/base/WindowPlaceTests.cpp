// Where windows open: centred on the screen by their size of the moment,
// and never off it, however large they ask to be. The dialogs' tests show
// each dialog placed this way, and the double click under a list's rows.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QScreen>
#include <QTest>
#include <random>

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

// Screens of any size side by side or apart, places anywhere (far off
// them, as after a screen was taken away), frames and minimum sizes of any
// size: a place on a screen is kept, and any other comes back onto one.
TEST(PlaceOnScreen, APlaceOnAScreenStaysAndAnyOtherComesBackOntoOne) {
  std::mt19937 random(35);
  auto between = [&random](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
  for (int round = 0; round < 20000; ++round) {
    std::vector<QRect> areas;
    for (int n = between(1, 3); n > 0; --n)
      areas.emplace_back(between(-3000, 3000), between(-3000, 3000), between(200, 2600), between(150, 1600));
    const QMargins frame(between(0, 6), between(0, 40), between(0, 6), between(0, 6));
    const QRect place(between(-9000, 9000), between(-9000, 9000), between(1, 4000), between(1, 3000));
    const QSize minimum(between(0, 900), between(0, 700));
    SCOPED_TRACE(::testing::Message() << "round " << round);
    const QRect got = PlaceOnScreen(place, frame, areas, minimum);
    const QRect framed = got.marginsAdded(frame);
    const auto holder = std::find_if(areas.begin(), areas.end(), [&](const QRect& a) { return a.contains(framed); });
    const bool wasOn = std::any_of(areas.begin(), areas.end(),
                                   [&](const QRect& a) { return a.contains(place.marginsAdded(frame)); });
    if (wasOn) {
      ASSERT_EQ(got, place);
      continue;
    }
    ASSERT_GE(got.width(), std::min(place.width(), std::max(minimum.width(), 1)));
    ASSERT_GE(got.height(), std::min(place.height(), std::max(minimum.height(), 1)));
    ASSERT_LE(got.width(), std::max({place.width(), minimum.width(), 1}));
    ASSERT_TRUE(std::any_of(areas.begin(), areas.end(), [&](const QRect& a) { return a.contains(framed.topLeft()); }))
        << "the title bar is off every screen";
    const bool fits = std::all_of(areas.begin(), areas.end(), [&](const QRect& a) {
      return minimum.width() + frame.left() + frame.right() <= a.width() &&
             minimum.height() + frame.top() + frame.bottom() <= a.height();
    });
    if (fits) {
      ASSERT_NE(holder, areas.end()) << "a window that may shrink comes back whole on a screen";
    }
    // Where it came back it stays, start after start.
    if (holder != areas.end()) {
      ASSERT_EQ(PlaceOnScreen(got, frame, areas, minimum), got);
    }
  }
}

// What is kept of a window puts it back where it was, on the screen: the
// place a window gets from its kept place is that place again.
TEST(RestorePlace, AWindowPutBackAtItsKeptPlaceIsWhereItWas) {
  App();
  const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
  const QRect asked(area.left() + 37, area.top() + 51, area.width() / 2, area.height() / 2);
  QRect kept;
  {
    QWidget window;
    RestorePlace(window, asked);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_EQ(window.geometry(), asked);
    kept = PlaceOf(window);
  }
  EXPECT_EQ(kept, asked);
  for (int start = 0; start < 6; ++start) {
    QWidget window;
    RestorePlace(window, kept);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    ASSERT_EQ(PlaceOf(window), asked) << "start " << start;
    kept = PlaceOf(window);
  }
  // Kept off the screen (a screen gone since), it comes back onto it whole.
  QWidget window;
  RestorePlace(window, QRect(area.right() + 500, area.top() - 900, 300, 200));
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  EXPECT_TRUE(QTest::qWaitFor([&] { return area.contains(window.frameGeometry()); }))
      << "the frame hangs off the screen";
}

}  // namespace
}  // namespace tq
