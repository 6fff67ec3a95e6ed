#include "Icons.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <algorithm>
#include <iterator>

// The built-in icon lives in a static library's resources, which are
// registered by hand.
static void InitIconResources() { Q_INIT_RESOURCE(icons); }

namespace tq {
namespace {

struct ImageInfo {
  // The freedesktop icon name, or null for a command the naming has none for.
  const char* themeName;
  // For those: the theme's picture of a related command, marked with the
  // glyph in a small badge so that it still looks like its neighbours.
  const char* relatedName;
  const char* glyph;  // what our own picture shows
  QRgb colour;
};

const ImageInfo& Info(CommandImage image) {
  static const ImageInfo table[] = {
      {"document-new", nullptr, "+", 0x2e7d32},
      {"document-open", nullptr, "O", 0xb07d00},
      {"document-save", nullptr, "S", 0x1565c0},
      {"list-add", nullptr, "+", 0x2e7d32},
      {"list-remove", nullptr, "-", 0xc62828},
      {"go-up", nullptr, "\xe2\x86\x91", 0x1565c0},
      {"go-down", nullptr, "\xe2\x86\x93", 0x1565c0},
      {"accessories-dictionary", nullptr, "A", 0x6a1b9a},
      {"input-dialpad", nullptr, "#", 0x6a1b9a},
      {"media-playlist-shuffle", nullptr, "?", 0xef6c00},
      {"accessories-text-editor", nullptr, "T", 0x37474f},
      {"edit-cut", nullptr, "X", 0x37474f},
      {"edit-copy", nullptr, "C", 0x37474f},
      {"edit-paste", nullptr, "V", 0x37474f},
      {"edit-delete", nullptr, "\xc3\x97", 0xc62828},
      {"edit-find", nullptr, "F", 0x00838f},
      {nullptr, "edit-find", "\xe2\x80\xba", 0x00695c},  // find again: no name of its own
      {"x-office-calendar", nullptr, "P", 0x2e7d32},
      {"starred", nullptr, "\xe2\x98\x85", 0xf9a825},
      {"edit-undo", nullptr, "\xe2\x86\xb6", 0x37474f},
      {"edit-redo", nullptr, "\xe2\x86\xb7", 0x37474f},
      {"document-save-as", nullptr, "S", 0x1565c0},
      {"application-exit", nullptr, "\xc3\x97", 0x37474f},
      {"preferences-system", nullptr, "\xe2\x9c\x93", 0x37474f},
      {"help-contents", nullptr, "?", 0x1565c0},
      {"help-about", nullptr, "i", 0x1565c0},
  };
  static_assert(std::size(table) == static_cast<std::size_t>(CommandImage::About) + 1);
  return table[static_cast<int>(image)];
}

constexpr int kSizes[] = {16, 24, 32};

// A rounded tile with one character on it.
void DrawTile(QPainter& p, const QRectF& box, const ImageInfo& info) {
  p.setPen(Qt::NoPen);
  p.setBrush(QColor::fromRgb(info.colour));
  p.drawRoundedRect(box.adjusted(0.5, 0.5, -0.5, -0.5), box.width() / 5.0, box.height() / 5.0);
  QFont font = p.font();
  font.setBold(true);
  font.setPixelSize(std::max(1, static_cast<int>(box.height() * 3 / 4)));
  p.setFont(font);
  p.setPen(Qt::white);
  p.drawText(box, Qt::AlignCenter, QString::fromUtf8(info.glyph));
}

// An icon painted afresh at each of the sizes menus and toolbars ask for, on
// a transparent square of that size.
template <class Paint>
QIcon PaintedIcon(Paint paint) {
  QIcon icon;
  for (int size : kSizes) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    paint(p, size);
    icon.addPixmap(pixmap);
  }
  return icon;
}

// Our own picture.
QIcon DrawnIcon(const ImageInfo& info) {
  return PaintedIcon([&](QPainter& p, int size) { DrawTile(p, QRectF(0, 0, size, size), info); });
}

// The theme's related picture with our glyph in a badge at its lower right.
QIcon BadgedIcon(const QIcon& related, const ImageInfo& info) {
  return PaintedIcon([&](QPainter& p, int size) {
    p.drawPixmap(0, 0, related.pixmap(size, size));
    const qreal badge = size * 0.6;
    DrawTile(p, QRectF(size - badge, size - badge, badge, badge), info);
  });
}

}  // namespace

QIcon ProgramIcon() {
  InitIconResources();
  QIcon builtIn;
  for (int size : {16, 32, 48, 64, 128, 256})
    builtIn.addFile(QStringLiteral(":/icons/hicolor/%1x%1/apps/%2.png").arg(size).arg(QLatin1String(kDesktopId)));
  return QIcon::fromTheme(QLatin1String(kDesktopId), builtIn);
}

void UseDesktopIconTheme() {
  // A desktop session names its theme. Without one Qt is left with hicolor,
  // or with no theme at all, and hicolor holds pictures of programs, not of
  // commands: then the stand-in theme is the theme.
  const QString theme = QIcon::themeName();
  if (theme.isEmpty() || theme == QLatin1String("hicolor")) QIcon::setThemeName(QLatin1String(kFallbackIconTheme));
  // A desktop theme that inherits from no other looks there too before our
  // own pictures are drawn.
  QIcon::setFallbackThemeName(QLatin1String(kFallbackIconTheme));
}

void ApplyDesktopIdentity() {
  QGuiApplication::setDesktopFileName(QLatin1String(kDesktopId));
  QApplication::setWindowIcon(ProgramIcon());
  UseDesktopIconTheme();
}

QIcon CommandIcon(CommandImage image) {
  const ImageInfo& info = Info(image);
  if (info.themeName) return QIcon::fromTheme(QString::fromLatin1(info.themeName), DrawnIcon(info));
  if (info.relatedName && QIcon::hasThemeIcon(QString::fromLatin1(info.relatedName)))
    return BadgedIcon(QIcon::fromTheme(QString::fromLatin1(info.relatedName)), info);
  return DrawnIcon(info);
}

}  // namespace tq
