#include "Icons.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

// The built-in icon lives in a static library's resources, which are
// registered by hand.
static void InitIconResources() { Q_INIT_RESOURCE(icons); }

namespace tq {
namespace {

struct ImageInfo {
  const char* themeName;
  const char* glyph;  // what our own picture shows
  QRgb colour;
};

const ImageInfo& Info(CommandImage image) {
  static const ImageInfo table[] = {
      {"document-new", "+", 0x2e7d32},        {"document-open", "O", 0xb07d00},
      {"document-save", "S", 0x1565c0},       {"list-add", "+", 0x2e7d32},
      {"list-remove", "-", 0xc62828},         {"go-up", "\xe2\x86\x91", 0x1565c0},
      {"go-down", "\xe2\x86\x93", 0x1565c0},  {"accessories-dictionary", "A", 0x6a1b9a},
      {"input-dialpad", "#", 0x6a1b9a}, {"media-playlist-shuffle", "?", 0xef6c00},
      {"accessories-text-editor", "T", 0x37474f},       {"edit-cut", "X", 0x37474f},
      {"edit-copy", "C", 0x37474f},           {"edit-paste", "V", 0x37474f},
      {"edit-delete", "\xc3\x97", 0xc62828},  {"edit-find", "F", 0x00838f},
      {"edit-find-next", "F", 0x00695c},
      {"x-office-calendar", "P", 0x2e7d32},
      {"starred", "\xe2\x98\x85", 0xf9a825},
      {"edit-undo", "\xe2\x86\xb6", 0x37474f},  {"edit-redo", "\xe2\x86\xb7", 0x37474f},
  };
  return table[static_cast<int>(image)];
}

// A rounded tile with one character on it, drawn at the two sizes menus and
// toolbars ask for.
QIcon DrawnIcon(const ImageInfo& info) {
  QIcon icon;
  for (int size : {16, 24, 32}) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor::fromRgb(info.colour));
    p.drawRoundedRect(QRectF(0.5, 0.5, size - 1, size - 1), size / 5.0, size / 5.0);
    QFont font = p.font();
    font.setBold(true);
    font.setPixelSize(size * 3 / 4);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 0, size, size), Qt::AlignCenter, QString::fromUtf8(info.glyph));
    icon.addPixmap(pixmap);
  }
  return icon;
}

}  // namespace

QIcon ProgramIcon() {
  InitIconResources();
  QIcon builtIn;
  for (int size : {16, 32, 48, 64, 128, 256})
    builtIn.addFile(QStringLiteral(":/icons/hicolor/%1x%1/apps/%2.png").arg(size).arg(QLatin1String(kDesktopId)));
  return QIcon::fromTheme(QLatin1String(kDesktopId), builtIn);
}

void ApplyDesktopIdentity() {
  QGuiApplication::setDesktopFileName(QLatin1String(kDesktopId));
  QApplication::setWindowIcon(ProgramIcon());
}

QIcon CommandIcon(CommandImage image) {
  const ImageInfo& info = Info(image);
  return QIcon::fromTheme(QString::fromLatin1(info.themeName), DrawnIcon(info));
}

}  // namespace tq
