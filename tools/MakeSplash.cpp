// Draws the 350 by 215 picture of the splash window and the about box and
// writes it as a baseline JPEG through libjpeg's compressor.
//
//   MakeSplash <out.jpg>
//
// The committed resources/splash.jpg is this program's output; to draw it
// again, build the target regenerate_splash (or run MakeSplash with the path
// of resources/splash.jpg) and commit the new file.
//
// Everything is drawn here, pixel by pixel, with a small stroke alphabet of
// our own, so the picture comes out the same on every machine: no fonts, no
// toolkit, no random source but a fixed one. The lower left corner stays dark
// and quiet, because the windows write the version and the copyright line
// there in white.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>  // jpeglib.h needs FILE and size_t declared first
#include <cstdlib>
#include <string>
#include <vector>

#include <jpeglib.h>

#include "AtomicFile.h"

namespace {

constexpr int kWidth = 350;
constexpr int kHeight = 215;
constexpr int kQuality = 92;

struct Colour {
  float r, g, b;
};

struct Point {
  float x, y;
};

// A glyph is a few polylines on a grid four units wide and six high, y down.
using Polyline = std::vector<Point>;
using Glyph = std::vector<Polyline>;

const Glyph& GlyphFor(char c) {
  static const Glyph kO = {{{1, 0}, {3, 0}, {4, 1}, {4, 5}, {3, 6}, {1, 6}, {0, 5}, {0, 1}, {1, 0}}};
  static const Glyph kP = {{{0, 6}, {0, 0}, {3, 0}, {4, 1}, {4, 2}, {3, 3}, {0, 3}}};
  static const Glyph kEmpty = {};
  switch (c) {
    case 'A': {
      static const Glyph g = {{{0, 6}, {2, 0}, {4, 6}}, {{0.67f, 4}, {3.33f, 4}}};
      return g;
    }
    case 'E': {
      static const Glyph g = {{{4, 0}, {0, 0}, {0, 6}, {4, 6}}, {{0, 3}, {3, 3}}};
      return g;
    }
    case 'F': {
      static const Glyph g = {{{4, 0}, {0, 0}, {0, 6}}, {{0, 3}, {3, 3}}};
      return g;
    }
    case 'I': {
      static const Glyph g = {{{2, 0}, {2, 6}}, {{1, 0}, {3, 0}}, {{1, 6}, {3, 6}}};
      return g;
    }
    case 'J': {
      static const Glyph g = {{{1, 0}, {4, 0}}, {{3, 0}, {3, 5}, {2, 6}, {1, 6}, {0, 5}}};
      return g;
    }
    case 'K': {
      static const Glyph g = {{{0, 0}, {0, 6}}, {{4, 0}, {0, 3.5f}}, {{1.3f, 2.7f}, {4, 6}}};
      return g;
    }
    case 'L': {
      static const Glyph g = {{{0, 0}, {0, 6}, {4, 6}}};
      return g;
    }
    case 'M': {
      static const Glyph g = {{{0, 6}, {0, 0}, {2, 3}, {4, 0}, {4, 6}}};
      return g;
    }
    case 'N': {
      static const Glyph g = {{{0, 6}, {0, 0}, {4, 6}, {4, 0}}};
      return g;
    }
    case 'O':
    case '0':
      return kO;
    case 'P':
      return kP;
    case 'Q': {
      static const Glyph g = {kO[0], {{2.5f, 4.5f}, {4.2f, 6.4f}}};
      return g;
    }
    case 'R': {
      static const Glyph g = {kP[0], {{2, 3}, {4, 6}}};
      return g;
    }
    case 'S': {
      static const Glyph g = {
          {{4, 1}, {3, 0}, {1, 0}, {0, 1}, {0, 2}, {1, 3}, {3, 3}, {4, 4}, {4, 5}, {3, 6}, {1, 6}, {0, 5}}};
      return g;
    }
    case 'T': {
      static const Glyph g = {{{0, 0}, {4, 0}}, {{2, 0}, {2, 6}}};
      return g;
    }
    case 'U': {
      static const Glyph g = {{{0, 0}, {0, 5}, {1, 6}, {3, 6}, {4, 5}, {4, 0}}};
      return g;
    }
    case '1': {
      static const Glyph g = {{{1, 1}, {2, 0}, {2, 6}}, {{1, 6}, {3, 6}}};
      return g;
    }
    case '2': {
      static const Glyph g = {{{0, 1}, {1, 0}, {3, 0}, {4, 1}, {4, 2}, {0, 6}, {4, 6}}};
      return g;
    }
    case '3': {
      static const Glyph g = {{{0, 0}, {4, 0}, {2, 2.5f}, {3, 2.5f}, {4, 3.5f}, {4, 5}, {3, 6}, {1, 6}, {0, 5}}};
      return g;
    }
    case '4': {
      static const Glyph g = {{{3, 6}, {3, 0}, {0, 4}, {4, 4}}};
      return g;
    }
    case '5': {
      static const Glyph g = {{{4, 0}, {0, 0}, {0, 3}, {3, 3}, {4, 4}, {4, 5}, {3, 6}, {0, 6}}};
      return g;
    }
    case '6': {
      static const Glyph g = {{{3, 0}, {1, 0}, {0, 1}, {0, 5}, {1, 6}, {3, 6}, {4, 5}, {4, 4}, {3, 3}, {0, 3}}};
      return g;
    }
    case '7': {
      static const Glyph g = {{{0, 0}, {4, 0}, {1.5f, 6}}};
      return g;
    }
    case '8': {
      static const Glyph g = {
          {{1, 3}, {0, 2}, {0, 1}, {1, 0}, {3, 0}, {4, 1}, {4, 2}, {3, 3}, {1, 3}, {0, 4}, {0, 5}, {1, 6}, {3, 6},
           {4, 5}, {4, 4}, {3, 3}}};
      return g;
    }
    case '9': {
      static const Glyph g = {{{4, 3}, {1, 3}, {0, 2}, {0, 1}, {1, 0}, {3, 0}, {4, 1}, {4, 5}, {3, 6}, {1, 6}}};
      return g;
    }
    default:
      return kEmpty;
  }
}

// One layer of ink: how much of each pixel a set of strokes covers.
class Coverage {
 public:
  Coverage() : cover_(static_cast<std::size_t>(kWidth) * kHeight, 0.0f) {}

  // A round-capped stroke from a to b, halfWidth pixels either side of the
  // line, antialiased over one pixel.
  void Stroke(Point a, Point b, float halfWidth) {
    const int x0 = std::max(0, static_cast<int>(std::floor(std::min(a.x, b.x) - halfWidth - 1)));
    const int x1 = std::min(kWidth - 1, static_cast<int>(std::ceil(std::max(a.x, b.x) + halfWidth + 1)));
    const int y0 = std::max(0, static_cast<int>(std::floor(std::min(a.y, b.y) - halfWidth - 1)));
    const int y1 = std::min(kHeight - 1, static_cast<int>(std::ceil(std::max(a.y, b.y) + halfWidth + 1)));
    const float dx = b.x - a.x, dy = b.y - a.y;
    const float length2 = dx * dx + dy * dy;
    for (int y = y0; y <= y1; ++y) {
      for (int x = x0; x <= x1; ++x) {
        const float px = static_cast<float>(x) + 0.5f, py = static_cast<float>(y) + 0.5f;
        float t = length2 > 0 ? ((px - a.x) * dx + (py - a.y) * dy) / length2 : 0.0f;
        t = std::clamp(t, 0.0f, 1.0f);
        const float ex = a.x + t * dx - px, ey = a.y + t * dy - py;
        const float c = std::clamp(halfWidth + 0.5f - std::sqrt(ex * ex + ey * ey), 0.0f, 1.0f);
        float& cell = cover_[static_cast<std::size_t>(y) * kWidth + static_cast<std::size_t>(x)];
        cell = std::max(cell, c);
      }
    }
  }

  // Writes text in the stroke alphabet; unit is the size of one grid step
  // in pixels, so a letter is six units high. Returns the width drawn.
  float Text(const std::string& text, float left, float top, float unit, float halfWidth, float spacing = 2.0f) {
    float x = left;
    for (char c : text) {
      for (const Polyline& line : GlyphFor(c))
        for (std::size_t i = 1; i < line.size(); ++i)
          Stroke({x + line[i - 1].x * unit, top + line[i - 1].y * unit},
                 {x + line[i].x * unit, top + line[i].y * unit}, halfWidth);
      x += (c == ' ' ? 3.0f : 4.0f + spacing) * unit;
    }
    return x - left - spacing * unit;
  }

  float At(int x, int y) const { return cover_[static_cast<std::size_t>(y) * kWidth + static_cast<std::size_t>(x)]; }

 private:
  std::vector<float> cover_;
};

class Canvas {
 public:
  Canvas() : pixels_(static_cast<std::size_t>(kWidth) * kHeight) {}

  Colour& At(int x, int y) { return pixels_[static_cast<std::size_t>(y) * kWidth + static_cast<std::size_t>(x)]; }

  void Ink(const Coverage& layer, Colour colour, float opacity) {
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x) {
        const float a = layer.At(x, y) * opacity;
        if (a <= 0) continue;
        Colour& p = At(x, y);
        p.r += (colour.r - p.r) * a;
        p.g += (colour.g - p.g) * a;
        p.b += (colour.b - p.b) * a;
      }
  }

  std::vector<unsigned char> Rgb() const {
    std::vector<unsigned char> out;
    out.reserve(pixels_.size() * 3);
    for (const Colour& p : pixels_)
      for (float v : {p.r, p.g, p.b}) out.push_back(static_cast<unsigned char>(std::clamp(std::lround(v), 0L, 255L)));
    return out;
  }

 private:
  std::vector<Colour> pixels_;
};

// A fixed linear congruential source, so that the scattered motif is the
// same in every run.
class Scatter {
 public:
  float Next() {
    state_ = state_ * 1103515245u + 12345u;
    return static_cast<float>((state_ >> 8) & 0xFFFFu) / 65535.0f;
  }

 private:
  std::uint32_t state_ = 20260101u;
};

void Paint(Canvas& canvas) {
  // Night-blue sky getting greener towards the bottom, lit from behind the name.
  for (int y = 0; y < kHeight; ++y) {
    const float v = static_cast<float>(y) / (kHeight - 1);
    for (int x = 0; x < kWidth; ++x) {
      const float dx = (static_cast<float>(x) - 175.0f) / 170.0f, dy = (static_cast<float>(y) - 68.0f) / 95.0f;
      const float glow = std::max(0.0f, 1.0f - std::sqrt(dx * dx + dy * dy));
      canvas.At(x, y) = {14 + 2 * v + 34 * glow * glow, 26 + 30 * v + 48 * glow * glow, 74 + 12 * v + 72 * glow * glow};
    }
  }

  // Faint digits and their letters drifting in the background.
  static const char* const kMotif = "0123456789STNMRLJKFP";
  Coverage drift;
  Scatter random;
  for (int i = 0; i < 46; ++i) {
    const float x = random.Next() * (kWidth - 12), y = random.Next() * (kHeight - 16);
    const float unit = 1.3f + random.Next() * 1.6f;
    const char c = kMotif[static_cast<int>(random.Next() * 19.99f)];
    if (x < 190 && y > 160) continue;  // where the version and copyright go
    drift.Text(std::string(1, c), x, y, unit, 0.55f);
  }
  canvas.Ink(drift, {150, 190, 255}, 0.16f);

  // The example the tips tell: apple tree for house number 9514, large and quiet.
  Coverage example;
  const float exampleUnit = 7.0f;
  const float exampleWidth = 4 * 6 * exampleUnit - 2 * exampleUnit;
  example.Text("9514", (kWidth - exampleWidth) / 2 + 60, 124, exampleUnit, 2.4f);
  canvas.Ink(example, {120, 200, 230}, 0.13f);

  // The product's name, with a soft shadow.
  const std::string name = "TESSALOQUINE";
  const float unit = 4.2f;
  const float nameWidth = (static_cast<float>(name.size()) * 6 - 2) * unit;
  const float left = (kWidth - nameWidth) / 2, top = 46;
  Coverage shadow, title;
  shadow.Text(name, left + 2, top + 2, unit, 2.4f);
  title.Text(name, left, top, unit, 1.6f);
  canvas.Ink(shadow, {0, 8, 30}, 0.55f);
  canvas.Ink(title, {255, 255, 255}, 1.0f);

  Coverage rule;
  rule.Stroke({48, 86}, {302, 86}, 0.45f);
  canvas.Ink(rule, {170, 210, 255}, 0.7f);

  // The ten digits with the first letter of each, the whole system in a line.
  static const char* const kPairs[] = {"1T", "2N", "3M", "4R", "5L", "6J", "7K", "8F", "9P", "0S"};
  const float small = 1.8f;
  const float pairWidth = (4 + 1.5f + 4) * small, gap = 4.5f * small;
  float x = (kWidth - (10 * pairWidth + 9 * gap)) / 2;
  Coverage digits, letters;
  for (const char* pair : kPairs) {
    digits.Text(std::string(1, pair[0]), x, 98, small, 0.75f);
    letters.Text(std::string(1, pair[1]), x + 5.5f * small, 98, small, 0.75f);
    x += pairWidth + gap;
  }
  canvas.Ink(digits, {255, 206, 96}, 1.0f);
  canvas.Ink(letters, {170, 226, 255}, 1.0f);

  // Dots under the row, as the phrase shows digits not yet covered.
  Coverage dots;
  for (int i = 0; i < 7; ++i) {
    const float cx = 175 + (static_cast<float>(i) - 3) * 12;
    dots.Stroke({cx, 126}, {cx, 126}, 1.3f);
  }
  canvas.Ink(dots, {255, 255, 255}, 0.6f);
}

bool WriteJpeg(const std::string& path, const std::vector<unsigned char>& rgb) {
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr jerr{};
  cinfo.err = jpeg_std_error(&jerr);  // a failure here ends this tool, as it should
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = kWidth;
  cinfo.image_height = kHeight;
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  // Baseline: sequential Huffman coding with 8-bit tables, no progression.
  jpeg_set_quality(&cinfo, kQuality, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = const_cast<unsigned char*>(rgb.data()) + static_cast<std::size_t>(cinfo.next_scanline) * kWidth * 3;
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  const std::string bytes(reinterpret_cast<const char*>(buffer), size);
  jpeg_destroy_compress(&cinfo);
  std::free(buffer);
  return tq::WriteFileAtomically(path, bytes) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: MakeSplash <out.jpg>\n");
    return 2;
  }
  Canvas canvas;
  Paint(canvas);
  if (!WriteJpeg(argv[1], canvas.Rgb())) {
    std::fprintf(stderr, "MakeSplash: could not write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
