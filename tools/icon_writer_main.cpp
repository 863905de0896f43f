// veilix-icon-writer OUTDIR NAME: writes the program icon into OUTDIR laid out
// as an icon theme: scalable/apps/NAME.svg and SIZExSIZE/apps/NAME.png for each
// of the program's icon sizes.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <string>

#include "icon/icon_design.h"
#include "icon_png_writer.h"

namespace {

bool WriteFile(const std::filesystem::path& path, const void* data, std::size_t size) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
    if (out) return true;
    std::fprintf(stderr, "cannot write %s\n", path.c_str());
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s OUTDIR NAME\n", argv[0]);
        return 2;
    }
    try {
        const std::filesystem::path dir = argv[1];
        const std::string name = argv[2];
        const std::string svg = veilix::ProgramIconSvg();
        if (!WriteFile(dir / "scalable/apps" / (name + ".svg"), svg.data(), svg.size())) return 1;
        for (const int size : veilix::kProgramIconSizes) {
            const auto png = veilix::WriteIconPng(veilix::RasterizeProgramIcon(size));
            const std::string folder = std::to_string(size) + "x" + std::to_string(size) + "/apps";
            if (!WriteFile(dir / folder / (name + ".png"), png.data(), png.size())) return 1;
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
