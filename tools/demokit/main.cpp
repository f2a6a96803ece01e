// demokit OUTDIR             writes the demo kit into OUTDIR
// demokit --preview FILE.bmp writes the twelve figures, composed, as one picture
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "bmp_file.h"
#include "kit.h"

namespace {

bool WriteFile(const std::filesystem::path& path, const demokit::Bytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) {
    std::fprintf(stderr, "demokit: cannot write %s\n", path.string().c_str());
    return false;
  }
  return true;
}

int Usage() {
  std::fprintf(stderr, "usage: demokit OUTDIR\n       demokit --preview FILE.bmp\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--preview")
    return WriteFile(argv[2], demokit::EncodeBmp(demokit::PreviewSheet())) ? 0 : 1;
  if (argc != 2 || argv[1][0] == '-') return Usage();

  const std::filesystem::path dir = argv[1];
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  if (ec) {
    std::fprintf(stderr, "demokit: cannot create %s: %s\n", dir.string().c_str(), ec.message().c_str());
    return 1;
  }
  for (const demokit::KitFile& f : demokit::BuildKit())
    if (!WriteFile(dir / f.name, f.bytes)) return 1;
  return 0;
}
