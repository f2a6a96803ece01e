#include "png_file.h"

#include <png.h>

#include <csetjmp>

namespace demokit {
namespace {

void Append(png_structp png, png_bytep data, png_size_t length) {
  Bytes& out = *static_cast<Bytes*>(png_get_io_ptr(png));
  out.insert(out.end(), data, data + length);
}

void NoFlush(png_structp) {}

// libpng reports a failure by jumping back into this function, so nothing
// in it has a destructor to skip.
bool WriteRgba(Bytes* out, png_bytep* rows, png_uint_32 width, png_uint_32 height) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (png == nullptr) return false;
  png_infop info = png_create_info_struct(png);
  if (info == nullptr || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_set_write_fn(png, out, Append, NoFlush);
  png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_set_compression_level(png, 9);
  png_set_rows(png, info, rows);
  png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

Bytes EncodePng(const Image& p) {
  Bytes out;
  std::vector<png_byte> pixels(static_cast<std::size_t>(p.width()) * static_cast<std::size_t>(p.height()) * 4);
  std::vector<png_bytep> rows(static_cast<std::size_t>(p.height()));
  for (int y = 0; y < p.height(); ++y) {
    rows[y] = pixels.data() + static_cast<std::size_t>(y) * p.width() * 4;
    for (int x = 0; x < p.width(); ++x) {
      const Rgba c = p.at(x, y);
      png_bytep at = rows[y] + 4 * x;
      at[0] = c.r;
      at[1] = c.g;
      at[2] = c.b;
      at[3] = c.a;
    }
  }
  if (!WriteRgba(&out, rows.data(), static_cast<png_uint_32>(p.width()), static_cast<png_uint_32>(p.height())))
    return {};
  return out;
}

}  // namespace demokit
