// The JPEG decoder and the stored picture: what libjpeg makes of good bytes,
// that bad bytes give no picture and no crash, and the stand-in the windows
// show then.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <cstdio>  // jpeglib.h needs FILE and size_t declared first
#include <cstdlib>
#include <functional>
#include <vector>

#include <jpeglib.h>

#include "JpegDecode.h"
#include "SplashPicture.h"

namespace tq {
namespace {

// Encodes width x height pixels, each given by pixel(x, y), as a baseline JPEG.
// components is 3 for RGB or 1 for grey (then only the red part is used).
QByteArray Encode(int width, int height, int components, const std::function<QRgb(int, int)>& pixel) {
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr jerr{};
  cinfo.err = jpeg_std_error(&jerr);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = static_cast<JDIMENSION>(width);
  cinfo.image_height = static_cast<JDIMENSION>(height);
  cinfo.input_components = components;
  cinfo.in_color_space = components == 3 ? JCS_RGB : JCS_GRAYSCALE;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, 100, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  std::vector<unsigned char> row(static_cast<std::size_t>(width * components));
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const QRgb p = pixel(x, y);
      unsigned char* out = &row[static_cast<std::size_t>(x * components)];
      out[0] = static_cast<unsigned char>(qRed(p));
      if (components == 3) {
        out[1] = static_cast<unsigned char>(qGreen(p));
        out[2] = static_cast<unsigned char>(qBlue(p));
      }
    }
    JSAMPROW rows[] = {row.data()};
    jpeg_write_scanlines(&cinfo, rows, 1);
  }
  jpeg_finish_compress(&cinfo);
  QByteArray bytes(reinterpret_cast<const char*>(buffer), static_cast<qsizetype>(size));
  jpeg_destroy_compress(&cinfo);
  std::free(buffer);
  return bytes;
}

bool Near(QRgb actual, QRgb expected, int tolerance = 24) {
  return std::abs(qRed(actual) - qRed(expected)) <= tolerance &&
         std::abs(qGreen(actual) - qGreen(expected)) <= tolerance &&
         std::abs(qBlue(actual) - qBlue(expected)) <= tolerance;
}

int Luminance(QRgb p) { return (qRed(p) * 299 + qGreen(p) * 587 + qBlue(p) * 114) / 1000; }

// The offset of the first frame header (SOF0 to SOF15, without DHT, JPG and
// DAC, which share the range), and its marker byte.
std::pair<qsizetype, int> FirstFrameHeader(const QByteArray& jpeg) {
  qsizetype at = 2;  // after SOI
  while (at + 4 <= jpeg.size() && static_cast<unsigned char>(jpeg[at]) == 0xFF) {
    const int marker = static_cast<unsigned char>(jpeg[at + 1]);
    if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC) return {at, marker};
    at += 2 + (static_cast<unsigned char>(jpeg[at + 2]) << 8 | static_cast<unsigned char>(jpeg[at + 3]));
  }
  return {-1, 0};
}

TEST(StoredPicture, DecodesTo350By215) {
  const QByteArray bytes = SplashJpegBytes();
  ASSERT_FALSE(bytes.isEmpty());
  const QImage image = DecodeJpeg(bytes);
  ASSERT_FALSE(image.isNull());
  EXPECT_EQ(image.size(), QSize(350, 215));
  bool decoded = false;
  EXPECT_EQ(SplashImageFrom(bytes, &decoded), image);
  EXPECT_TRUE(decoded);
}

TEST(StoredPicture, IsABaselineJpeg) {
  const QByteArray bytes = SplashJpegBytes();
  ASSERT_TRUE(bytes.startsWith("\xFF\xD8"));
  const auto [at, marker] = FirstFrameHeader(bytes);
  ASSERT_GE(at, 0);
  EXPECT_EQ(marker, 0xC0) << "frame marker 0x" << std::hex << marker;
  EXPECT_EQ(static_cast<unsigned char>(bytes[at + 4]), 8) << "sample precision";
}

TEST(StoredPicture, CornerUnderTheWhiteTextsIsDark) {
  const QImage image = DecodeJpeg(SplashJpegBytes());
  ASSERT_FALSE(image.isNull());
  int brightest = 0;
  for (int y = 185; y < 215; ++y)
    for (int x = 0; x < 180; ++x) brightest = std::max(brightest, Luminance(image.pixel(x, y)));
  EXPECT_LT(brightest, 110);
}

TEST(JpegDecode, KeepsColoursAndRowsInPlace) {
  // An odd width, so that rows of the image do not fill whole 32-bit words.
  const int width = 37, height = 16;
  const auto pixel = [](int x, int y) -> QRgb {
    if (y >= 8) return qRgb(20, 200, 40);
    return x < 16 ? qRgb(220, 30, 30) : qRgb(30, 40, 210);
  };
  const QImage image = DecodeJpeg(Encode(width, height, 3, pixel));
  ASSERT_FALSE(image.isNull());
  ASSERT_EQ(image.size(), QSize(width, height));
  for (const QPoint p : {QPoint(3, 3), QPoint(30, 3), QPoint(3, 12), QPoint(34, 13), QPoint(20, 2)})
    EXPECT_TRUE(Near(image.pixel(p), pixel(p.x(), p.y())))
        << p.x() << "," << p.y() << " is " << std::hex << image.pixel(p);
}

TEST(JpegDecode, TurnsGreyPicturesIntoRgb) {
  const QImage image = DecodeJpeg(Encode(16, 16, 1, [](int x, int) { return x < 8 ? qRgb(40, 0, 0) : qRgb(200, 0, 0); }));
  ASSERT_FALSE(image.isNull());
  EXPECT_TRUE(Near(image.pixel(2, 5), qRgb(40, 40, 40)));
  EXPECT_TRUE(Near(image.pixel(13, 5), qRgb(200, 200, 200)));
}

TEST(JpegDecode, RefusesBrokenBytesWithoutAPicture) {
  const QByteArray good = SplashJpegBytes();
  ASSERT_GT(good.size(), 1000);
  const auto [frame, marker] = FirstFrameHeader(good);
  ASSERT_GE(frame, 0);

  QByteArray cut = good.left(good.size() / 2);
  QByteArray noEnd = good.left(good.size() - 2);
  QByteArray zeroWidth = good;
  zeroWidth[frame + 7] = 0;  // the width's two bytes follow precision and height
  zeroWidth[frame + 8] = 0;
  QByteArray huge = good;  // 60000 by 60000: libjpeg would take it on
  for (int i : {5, 7}) {
    huge[frame + i] = static_cast<char>(0xEA);
    huge[frame + i + 1] = static_cast<char>(0x60);
  }
  QByteArray scrambled = good;
  for (qsizetype i = good.size() / 2; i < good.size() / 2 + 400; ++i) scrambled[i] = static_cast<char>(i * 37);

  const std::vector<std::pair<const char*, QByteArray>> cases = {
      {"empty", QByteArray()},
      {"text", QByteArray("hello, this is no picture")},
      {"start marker only", QByteArray("\xFF\xD8", 2)},
      {"png", QByteArray("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16)},
      {"cut in half", cut},
      {"end marker missing", noEnd},
      {"zero width", zeroWidth},
      {"60000 by 60000", huge},
      {"scrambled scan", scrambled},
  };
  for (const auto& [name, bytes] : cases) {
    SCOPED_TRACE(name);
    EXPECT_TRUE(DecodeJpeg(bytes).isNull());
  }
}

TEST(SplashPicture, StandsInWithAPlainDarkPictureForBytesThatDoNotFit) {
  const QByteArray otherSize = Encode(20, 10, 3, [](int, int) { return qRgb(255, 255, 255); });
  ASSERT_FALSE(DecodeJpeg(otherSize).isNull());
  for (const QByteArray& bytes : {QByteArray("garbage"), otherSize}) {
    bool decoded = true;
    const QImage image = SplashImageFrom(bytes, &decoded);
    EXPECT_FALSE(decoded);
    ASSERT_EQ(image.size(), QSize(350, 215));
    const QRgb first = image.pixel(0, 0);
    EXPECT_LT(Luminance(first), 64);
    EXPECT_EQ(image.pixel(349, 214), first);
    EXPECT_EQ(image.pixel(175, 100), first);
  }
}

}  // namespace
}  // namespace tq
