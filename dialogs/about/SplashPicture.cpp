#include "SplashPicture.h"

#include <QFile>
#include <QLabel>
#include <QPalette>

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

QLabel* PictureLabel(QWidget* parent, const char* name, const QString& text, int top) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setAttribute(Qt::WA_TranslucentBackground);
  label->setAutoFillBackground(false);
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, Qt::white);
  label->setPalette(palette);
  QFont font = label->font();
  font.setPixelSize(11);
  label->setFont(font);
  label->move(4, top);
  label->adjustSize();
  return label;
}

}  // namespace tq
