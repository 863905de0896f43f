#include "app/program_icon.h"

#include "platform/canvas.h"

namespace veilix {

TBitmap ProgramIcon() {
    constexpr int kSize = 32;
    TBitmap icon(kSize, kSize);
    TCanvas& canvas = icon.Canvas();
    canvas.Brush.Color = clBlack;
    canvas.FillRect({0, 0, kSize, kSize});
    canvas.Brush.Color = clLime;
    canvas.FillRect({8, 10, 24, 22});
    return icon;
}

}  // namespace veilix
