#include "SplashPicture.h"

#include <QFile>

#include "JpegDecode.h"

// Outside the namespace, as Qt's resource macro requires. The picture lives
// in a static library, so the resource must be pulled in by name.
static void InitAboutResources() { Q_INIT_RESOURCE(about); }

namespace tq {
namespace {

// The colour of the picture's darkest corner, so that the white texts stay
// readable over the stand-in as well.
constexpr QRgb kStandIn = qRgb(14, 26, 74);

}  // namespace

QByteArray SplashJpegBytes() {
  InitAboutResources();
  QFile file(QStringLiteral(":/about/splash.jpg"));
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

QImage SplashImageFrom(const QByteArray& jpegBytes, bool* decoded) {
  QImage image = DecodeJpeg(jpegBytes);
  const bool usable = image.width() == kSplashWidth && image.height() == kSplashHeight;
  if (decoded) *decoded = usable;
  if (usable) return image;
  QImage standIn(kSplashWidth, kSplashHeight, QImage::Format_RGB888);
  standIn.fill(kStandIn);
  return standIn;
}

QPixmap SplashPicture() { return QPixmap::fromImage(SplashImageFrom(SplashJpegBytes())); }

}  // namespace tq
