// Turns the bytes of a JPEG file held in memory into an image, with libjpeg
// called directly. Used for the picture of the splash window and the about
// box, which is stored with the program as a JPEG.
#pragma once

#include <QByteArray>
#include <QImage>

namespace tq {

// The decoded picture in 24-bit RGB, or a null image when libjpeg refuses the
// bytes or only gets through them with a warning (a file cut short, damaged
// data): a picture with grey gaps patched in is not passed off as good.
// Nothing is printed and nothing ends the program, whatever the bytes are.
QImage DecodeJpeg(const QByteArray& bytes);

}  // namespace tq
