#include "snap/png_writer.h"

#include <png.h>

#include <cstdio>
#include <memory>
#include <vector>

#include "pixels/canvas.h"

namespace {
// Straight alpha from premultiplied: c * 255 / a, rounded, at most 255.
unsigned char Unpremultiply(std::uint32_t c, std::uint32_t a) {
  if (a == 0) return 0;
  const std::uint32_t v = (c * 255 + a / 2) / a;
  return static_cast<unsigned char>(v > 255 ? 255 : v);
}

void FillRgbaRow(const CCanvas& canvas, int y, bool premultiplied,
                 unsigned char* row) {
  const std::uint32_t* pixels = canvas.Row(y);
  for (int x = 0; x < canvas.Width(); ++x) {
    const std::uint32_t p = pixels[x];
    const std::uint32_t a = p >> 24;
    const std::uint32_t rgb[3] = {(p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF};
    for (int c = 0; c < 3; ++c)
      row[4 * x + c] = premultiplied ? static_cast<unsigned char>(rgb[c])
                                     : Unpremultiply(rgb[c], a);
    row[4 * x + 3] = static_cast<unsigned char>(a);
  }
}
}  // namespace

namespace {
// All libpng work, in a function with no objects that need destroying:
// libpng reports errors by jumping back to the setjmp here.
bool EncodeRgba(FILE* file, const CCanvas& canvas, bool premultiplied,
                unsigned char* row) {
  png_structp png =
      png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_init_io(png, file);
  png_set_IHDR(png, info, png_uint_32(canvas.Width()),
               png_uint_32(canvas.Height()), 8, PNG_COLOR_TYPE_RGBA,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < canvas.Height(); ++y) {
    FillRgbaRow(canvas, y, premultiplied, row);
    png_write_row(png, row);
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}
}  // namespace

bool WritePng(const CCanvas& canvas, const std::string& path,
              bool premultiplied, std::string& error) {
  if (canvas.IsEmpty()) {
    error = "nothing to write: the frame is empty";
    return false;
  }
  std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "wb"),
                                             std::fclose);
  std::vector<unsigned char> row(std::size_t(canvas.Width()) * 4);
  if (!file || !EncodeRgba(file.get(), canvas, premultiplied, row.data())) {
    error = "cannot write " + path;
    return false;
  }
  return true;
}
