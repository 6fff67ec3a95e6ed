#include "JpegDecode.h"

#include <csetjmp>
#include <cstdio>  // jpeglib.h needs FILE and size_t declared first

#include <jpeglib.h>

namespace tq {
namespace {

// No picture of ours comes near this; refusing bigger ones straight after the
// header keeps a damaged header from asking for gigabytes.
constexpr JDIMENSION kMaxSide = 8192;

// libjpeg's error manager with the place to jump back to. The library's own
// handler would end the process, which a bad picture must never do.
struct ErrorManager {
  jpeg_error_mgr base;  // first member: libjpeg's pointer to it points to us
  std::jmp_buf escape;
};

[[noreturn]] void ErrorExit(j_common_ptr cinfo) {
  auto* errors = reinterpret_cast<ErrorManager*>(cinfo->err);
  std::longjmp(errors->escape, 1);
}

// Warnings are still counted in num_warnings; they are just not printed.
void OutputMessage(j_common_ptr) {}

// Everything between setjmp and a jump back from ErrorExit is plain data or
// owned by the caller, so the jump skips no destructor.
bool DecodeInto(jpeg_decompress_struct* cinfo, ErrorManager* errors, const QByteArray* bytes, QImage* image) {
  if (setjmp(errors->escape)) return false;
  jpeg_create_decompress(cinfo);
  jpeg_mem_src(cinfo, reinterpret_cast<const unsigned char*>(bytes->constData()),
               static_cast<unsigned long>(bytes->size()));
  if (jpeg_read_header(cinfo, TRUE) != JPEG_HEADER_OK) return false;
  if (cinfo->image_width == 0 || cinfo->image_height == 0 || cinfo->image_width > kMaxSide ||
      cinfo->image_height > kMaxSide)
    return false;
  // libjpeg turns grey and YCbCr pictures into RGB for us; CMYK it refuses.
  cinfo->out_color_space = JCS_RGB;
  jpeg_start_decompress(cinfo);
  if (cinfo->output_components != 3) return false;
  *image = QImage(static_cast<int>(cinfo->output_width), static_cast<int>(cinfo->output_height),
                  QImage::Format_RGB888);
  if (image->isNull()) return false;
  while (cinfo->output_scanline < cinfo->output_height) {
    JSAMPROW row = image->scanLine(static_cast<int>(cinfo->output_scanline));
    if (jpeg_read_scanlines(cinfo, &row, 1) != 1) return false;
  }
  jpeg_finish_decompress(cinfo);
  return errors->base.num_warnings == 0;
}

}  // namespace

QImage DecodeJpeg(const QByteArray& bytes) {
  jpeg_decompress_struct cinfo{};
  ErrorManager errors{};
  cinfo.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = ErrorExit;
  errors.base.output_message = OutputMessage;
  QImage image;
  const bool decoded = DecodeInto(&cinfo, &errors, &bytes, &image);
  jpeg_destroy_decompress(&cinfo);  // also safe when creation never happened
  return decoded ? image : QImage();
}

}  // namespace tq
