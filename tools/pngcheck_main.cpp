// veilix-pngcheck FILE...: decodes each file with the template decoder and
// prints one line a file, "OK <width>x<height> <sha256 of the RGB bytes>" or
// "ERROR <reason>". Exits 1 when any file failed.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "png_decoder.h"
#include "sha256.h"

namespace {

std::optional<std::vector<std::uint8_t>> ReadFile(const char* path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  try {
    // A directory opens but fails on the first read, with an exception.
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return std::nullopt;
    return bytes;
  } catch (const std::ios_base::failure&) {
    return std::nullopt;
  }
}

// Prints the file's line; returns whether it decoded.
bool Check(const char* path) {
  const auto bytes = ReadFile(path);
  if (!bytes) {
    std::printf("ERROR cannot read %s\n", path);
    return false;
  }
  try {
    const veilix::TemplatePicture picture = veilix::DecodePng(*bytes);
    std::printf("OK %dx%d %s\n", picture.width, picture.height, veilix::Sha256Hex(picture.rgb).c_str());
    return true;
  } catch (const veilix::PngDecodeError& e) {
    std::printf("ERROR %s\n", e.what());
    return false;
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s FILE...\n", argv[0]);
    return 2;
  }
  bool all_ok = true;
  for (int i = 1; i < argc; ++i) all_ok = Check(argv[i]) && all_ok;
  return all_ok ? 0 : 1;
}
