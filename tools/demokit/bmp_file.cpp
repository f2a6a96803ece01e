#include "bmp_file.h"

namespace demokit {

Bytes EncodeBmp(const Image& p) {
  const std::uint32_t w = static_cast<std::uint32_t>(p.width());
  const std::uint32_t h = static_cast<std::uint32_t>(p.height());
  const std::uint32_t stride = (w * 3 + 3) / 4 * 4;
  const std::uint32_t imageSize = stride * h;
  constexpr std::uint32_t kHeaders = 14 + 40;

  Bytes out;
  out.reserve(kHeaders + imageSize);
  PutText(out, "BM");
  Put32(out, kHeaders + imageSize);
  Put32(out, 0);
  Put32(out, kHeaders);
  Put32(out, 40);
  Put32(out, w);
  Put32(out, h);  // positive height: bottom-up rows
  Put16(out, 1);
  Put16(out, 24);
  Put32(out, 0);  // BI_RGB
  Put32(out, imageSize);
  Put32(out, 2835);  // 72 dpi
  Put32(out, 2835);
  Put32(out, 0);
  Put32(out, 0);
  for (int y = p.height() - 1; y >= 0; --y) {
    for (int x = 0; x < p.width(); ++x) {
      const Rgba c = p.at(x, y);
      out.push_back(c.b);
      out.push_back(c.g);
      out.push_back(c.r);
    }
    for (std::uint32_t pad = w * 3; pad < stride; ++pad) out.push_back(0);
  }
  return out;
}

}  // namespace demokit
