// veilix-template-generator OUTDIR: writes rectangle.png, ellipse.png and
// circle.png, the stored shape templates, into OUTDIR.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>

#include "template_files.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTDIR\n", argv[0]);
        return 2;
    }
    try {
        const std::filesystem::path dir = argv[1];
        std::filesystem::create_directories(dir);
        for (const veilix::TemplateFile& file : veilix::BuildTemplateFiles()) {
            std::ofstream out(dir / file.name, std::ios::binary | std::ios::trunc);
            out.write(reinterpret_cast<const char*>(file.png.data()), static_cast<std::streamsize>(file.png.size()));
            if (!out) {
                std::fprintf(stderr, "cannot write %s\n", (dir / file.name).c_str());
                return 1;
            }
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
