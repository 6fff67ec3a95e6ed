// Where windows open: centred on the screen by their size of the moment,
// and never off it, however large they ask to be.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QScreen>
#include <QSignalSpy>
#include <QStringListModel>
#include <QTableView>
#include <QTest>

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

TEST(CentreOnScreen, TakesTheSizeTheWindowHasNowNotTheOneItHadBefore) {
  App();
  const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
  QDialog window;
  window.resize(area.width(), 100);
  CentreOnScreen(window);
  window.resize(200, 100);
  CentreOnScreen(window);
  EXPECT_EQ(window.frameGeometry().center().x(), area.center().x());
  EXPECT_EQ(window.frameGeometry().center().y(), area.center().y());
}

TEST(OnEmptyAreaDoubleClick, RunsOnlyForTheEmptyPartOfTheList) {
  App();
  int empty = 0;  // outlives the view, which keeps the handler
  QStringListModel model({"one", "two"});
  QTableView view;
  view.setModel(&model);
  view.resize(300, 300);
  view.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
  OnEmptyAreaDoubleClick(view, [&] { ++empty; });
  QSignalSpy onRow(&view, &QAbstractItemView::doubleClicked);

  const QPoint row = view.visualRect(model.index(1, 0)).center();
  QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, row);
  QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, row);
  EXPECT_EQ(onRow.count(), 1);
  EXPECT_EQ(empty, 0);

  const QPoint below(row.x(), view.viewport()->height() - 3);
  const QPoint beside(view.viewport()->width() - 3, row.y());
  ASSERT_FALSE(view.indexAt(below).isValid());
  ASSERT_FALSE(view.indexAt(beside).isValid());
  QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, below);
  QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, beside);
  QTest::mouseDClick(view.viewport(), Qt::RightButton, {}, below);
  EXPECT_EQ(empty, 2);
  EXPECT_EQ(onRow.count(), 1);
}

}  // namespace
}  // namespace tq
