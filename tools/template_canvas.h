#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "templates/png/template_picture.h"

namespace veilix {

// Inclusive column range of one row's lime pixels.
struct LimeRun {
    int first = 0;
    int last = 0;
};

// Parses a run list written as "46-54, 40-60, ...".
std::vector<LimeRun> ParseRuns(std::string_view text);

// A black picture whose pixels are only ever black or some shade of green.
class GreenCanvas {
public:
    GreenCanvas(int width, int height);

    void SetGreen(int x, int y, std::uint8_t green);
    void FillRun(int y, LimeRun run);
    // Lays out `runs` on consecutive rows starting at `first_row`.
    void FillRuns(int first_row, const std::vector<LimeRun>& runs);

    TemplatePicture Take() { return std::move(picture_); }

private:
    TemplatePicture picture_;
};

}  // namespace veilix
