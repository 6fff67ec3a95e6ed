// The about box, shown offscreen: the picture with the version and the
// copyright line written over it in white, and how it closes.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "FormAbout.h"
#include "SplashPicture.h"

namespace tq {
namespace {

QApplication& App() {
  static int argc = 1;
  static char name[] = "tq_formabout_tests";
  static char* argv[] = {name, nullptr};
  static QApplication* app = new QApplication(argc, argv);
  return *app;
}

// Pixels of a region bright enough to be white text over the dark picture.
int WhitePixels(const QImage& image, const QRect& region) {
  int count = 0;
  for (int y = region.top(); y <= region.bottom(); ++y)
    for (int x = region.left(); x <= region.right(); ++x) {
      const QRgb p = image.pixel(x, y);
      if (qRed(p) > 200 && qGreen(p) > 200 && qBlue(p) > 200) ++count;
    }
  return count;
}

class AboutTest : public ::testing::Test {
 protected:
  QLabel* Label(const char* name) const { return dialog.findChild<QLabel*>(name); }

  QApplication& app = App();  // first: the dialog needs it
  TFormAbout dialog;
};

TEST_F(AboutTest, ShowsVersionAndCopyrightInWhiteOverThePicture) {
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("About"));
  EXPECT_EQ(dialog.size(), QSize(350, 242));
  QLabel* picture = Label("ImageSplash");
  QLabel* version = Label("LabelVersion");
  QLabel* copyright = Label("LabelCopyright");
  ASSERT_TRUE(picture && version && copyright);
  EXPECT_EQ(version->text(), QStringLiteral("v1.1"));
  EXPECT_EQ(copyright->text(), QString::fromLatin1(kCopyrightLine));

  // The stored picture, decoded, at the top left; not the plain stand-in.
  bool decoded = false;
  const QImage stored = SplashImageFrom(SplashJpegBytes(), &decoded);
  ASSERT_TRUE(decoded);
  EXPECT_EQ(picture->geometry(), QRect(0, 0, 350, 215));
  EXPECT_EQ(picture->pixmap().toImage().convertToFormat(stored.format()), stored);

  dialog.show();
  const QImage shown = dialog.grab().toImage();
  for (QLabel* label : {version, copyright}) {
    SCOPED_TRACE(label->objectName().toStdString());
    const QRect place = label->geometry();
    EXPECT_EQ(place.left(), 4);
    EXPECT_LE(place.bottom(), 214) << "the text must stand on the picture";
    // White letters painted over the picture, where the picture itself has none.
    EXPECT_EQ(WhitePixels(stored, place), 0);
    EXPECT_GT(WhitePixels(shown, place), 10);
  }
  EXPECT_EQ(version->y(), 188);
  EXPECT_EQ(copyright->y(), 200);
}

TEST_F(AboutTest, OkAndEscapeCloseWithOkEveryTime) {
  auto* ok = dialog.findChild<QPushButton*>("ButtonOK");
  ASSERT_TRUE(ok);
  EXPECT_EQ(ok->geometry(), QRect(140, 217, 75, 25));

  dialog.show();
  QTest::mouseClick(ok, Qt::LeftButton);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), QDialog::Accepted);

  dialog.setResult(QDialog::Rejected);
  dialog.show();
  EXPECT_FALSE(Label("ImageSplash")->pixmap().isNull());
  QTest::keyClick(&dialog, Qt::Key_Escape);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

}  // namespace
}  // namespace tq
