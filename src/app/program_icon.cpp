#include "app/program_icon.h"

#include "icon/icon_design.h"

namespace veilix {

std::vector<TIconImage> ProgramIcon() {
    std::vector<TIconImage> images;
    for (const int size : kProgramIconSizes) {
        IconRaster raster = RasterizeProgramIcon(size);
        images.push_back({raster.size, raster.size, std::move(raster.rgba)});
    }
    return images;
}

void ShowProgramIcon() {
    static bool shown = false;
    if (shown) return;
    shown = true;
    SetApplicationIcon(ProgramIcon());
}

}  // namespace veilix
