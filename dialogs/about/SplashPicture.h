// The picture at the top of the splash window and the about box: the JPEG
// drawn by tools/MakeSplash, stored in the program's resources and decoded
// with libjpeg. Both windows show it with the same copyright line.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QPixmap>

class QLabel;
class QString;
class QWidget;

namespace tq {

inline constexpr int kSplashWidth = 350;
inline constexpr int kSplashHeight = 215;

// The version written over the picture, behind a "v", in both windows. Fixed:
// it is not read from any file.
inline constexpr const char* kVersionText = "1.1";

// The copyright line written in white over the picture's lower left corner.
inline constexpr const char* kCopyrightLine = "Copyright (C) 2026 Hollowmere";

// The stored JPEG, as it is kept in the resources.
QByteArray SplashJpegBytes();

// The picture made from JPEG bytes: the decoded image when it decodes and is
// 350 by 215 pixels, else a plain dark picture of that size, so that the
// windows never show a hole or garbage. decoded (when given) tells which.
QImage SplashImageFrom(const QByteArray& jpegBytes, bool* decoded = nullptr);

// The stored picture, ready for a label. Needs the application object.
QPixmap SplashPicture();

// A label written straight onto the picture at (4, top): no background of its
// own, white letters small enough that the version and the copyright line both
// fit into the picture's dark corner.
QLabel* PictureLabel(QWidget* parent, const char* name, const QString& text, int top);

}  // namespace tq
