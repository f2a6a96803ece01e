// demokit OUTDIR [KEYEDDIR [SOFT100DIR]]
//                             writes the demo kit with soft-edged PNG pictures
//                             drawn at 200 percent into OUTDIR, the same kit
//                             at 100 cut into keyed BMP pictures into KEYEDDIR,
//                             and that kit at 100 uncut into SOFT100DIR (the
//                             tests check the keyed pictures against it)
// demokit --at-100 KEYEDDIR SOFT100DIR
//                             writes only the last two: the kit drawn at 100
// demokit --preview FILE.png  writes the twelve figures, composed over a
//                             backdrop, as one picture
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "kit.h"
#include "png_file.h"

namespace {

bool WriteFile(const std::filesystem::path& path, const demokit::Bytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out || bytes.empty()) {
    std::fprintf(stderr, "demokit: cannot write %s\n", path.string().c_str());
    return false;
  }
  return true;
}

bool WriteKit(const std::filesystem::path& dir, const demokit::KitDrawings& drawings, demokit::KitForm form) {
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  if (ec) {
    std::fprintf(stderr, "demokit: cannot create %s: %s\n", dir.string().c_str(), ec.message().c_str());
    return false;
  }
  for (const demokit::KitFile& f : demokit::PackKit(drawings, form))
    if (!WriteFile(dir / f.name, f.bytes)) return false;
  return true;
}

int Usage() {
  std::fprintf(stderr,
               "usage: demokit OUTDIR [KEYEDDIR [SOFT100DIR]]\n       demokit --at-100 KEYEDDIR SOFT100DIR\n"
               "       demokit --preview FILE.png\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--preview")
    return WriteFile(argv[2], demokit::EncodePng(demokit::PreviewSheet(demokit::DrawKit()))) ? 0 : 1;
  const bool only100 = argc == 4 && std::string(argv[1]) == "--at-100";
  if (only100) {
    const demokit::KitDrawings at100 = demokit::DrawKit();
    return WriteKit(argv[2], at100, demokit::KitForm::kKeyed) && WriteKit(argv[3], at100, demokit::KitForm::kSoft)
               ? 0
               : 1;
  }
  if (argc < 2 || argc > 4) return Usage();
  for (int i = 1; i < argc; ++i)
    if (argv[i][0] == '-') return Usage();

  if (!WriteKit(argv[1], demokit::DrawKit(demokit::kSoftKitScale), demokit::KitForm::kSoft)) return 1;
  if (argc == 2) return 0;
  const demokit::KitDrawings at100 = demokit::DrawKit();
  if (!WriteKit(argv[2], at100, demokit::KitForm::kKeyed)) return 1;
  if (argc == 4 && !WriteKit(argv[3], at100, demokit::KitForm::kSoft)) return 1;
  return 0;
}
