#include "icon/icon_design.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace veilix {

namespace {

// The design, in units of a 32 x 32 grid.
constexpr double kGrid = 32;
constexpr double kCornerRadius = 4;
// The card's straight core: the card is what lies within kCornerRadius of it.
constexpr double kCoreLow = kCornerRadius, kCoreHigh = kGrid - kCornerRadius;
struct Box {
    double left, top, right, bottom;
};
constexpr Box kOpening{8, 10, 24, 22};

// Samples per pixel side where a rounded corner crosses the pixel.
constexpr int kCornerSamples = 16;

double Overlap(double a0, double a1, double b0, double b1) {
    return std::max(0.0, std::min(a1, b1) - std::max(a0, b0));
}

// Whether a point (in units) lies on the card.
bool OnCard(double x, double y) {
    const double cx = std::clamp(x, kCornerRadius, kGrid - kCornerRadius);
    const double cy = std::clamp(y, kCornerRadius, kGrid - kCornerRadius);
    const double dx = x - cx, dy = y - cy;
    return dx * dx + dy * dy <= kCornerRadius * kCornerRadius;
}

// The share of pixel (px, py) that the card covers at `scale` pixels a unit.
// Only pixels that reach into a corner's square need sampling; the rest of
// the card is a plain square.
double CardCoverage(int px, int py, double scale) {
    const double x0 = px / scale, x1 = (px + 1) / scale, y0 = py / scale, y1 = (py + 1) / scale;
    const bool inCornerColumn = x0 < kCornerRadius || x1 > kGrid - kCornerRadius;
    const bool inCornerRow = y0 < kCornerRadius || y1 > kGrid - kCornerRadius;
    if (!inCornerColumn || !inCornerRow) return 1.0;
    // The card is every point within the corner radius of its straight core,
    // a convex set: over the pixel, the distance to it is least where the
    // pixel comes closest and greatest at one of the pixel's corners. A pixel
    // wholly on or wholly off the card needs no samples; the margin keeps
    // rounding from deciding one that sampling would split.
    constexpr double kRadius2 = kCornerRadius * kCornerRadius, kMargin = 1e-9;
    const double nearX = std::max({0.0, kCoreLow - x1, x0 - kCoreHigh});
    const double nearY = std::max({0.0, kCoreLow - y1, y0 - kCoreHigh});
    if (nearX * nearX + nearY * nearY > kRadius2 + kMargin) return 0.0;
    auto outside = [](double v) { return v < kCoreLow ? kCoreLow - v : v > kCoreHigh ? v - kCoreHigh : 0.0; };
    const double farX = std::max(outside(x0), outside(x1));
    const double farY = std::max(outside(y0), outside(y1));
    if (farX * farX + farY * farY < kRadius2 - kMargin) return 1.0;
    int inside = 0;
    for (int sy = 0; sy < kCornerSamples; ++sy)
        for (int sx = 0; sx < kCornerSamples; ++sx)
            inside +=
                OnCard(x0 + (x1 - x0) * (sx + 0.5) / kCornerSamples, y0 + (y1 - y0) * (sy + 0.5) / kCornerSamples);
    return double(inside) / (kCornerSamples * kCornerSamples);
}

std::uint8_t ToByte(double share) { return std::uint8_t(std::lround(std::clamp(share, 0.0, 1.0) * 255)); }

std::string Number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

}  // namespace

IconRaster RasterizeProgramIcon(int size) {
    IconRaster raster;
    if (size <= 0) return raster;
    raster.size = size;
    raster.rgba.resize(std::size_t(size) * std::size_t(size) * 4);
    const double scale = size / kGrid;
    // Both shares are worked out once a row and once a column where they
    // can be: the opening's share of a pixel is exact, the product of its
    // column's and its row's overlap with the opening (a rectangle), and only
    // pixels in a corner's column and row can be anything but wholly on the
    // card.
    const auto count = std::size_t(size);
    std::vector<double> openingX(count), openingY(count);
    std::vector<bool> inCorner(count);  // a corner's column, or row: the grid is square
    for (int i = 0; i < size; ++i) {
        openingX[std::size_t(i)] = Overlap(i, i + 1, kOpening.left * scale, kOpening.right * scale);
        openingY[std::size_t(i)] = Overlap(i, i + 1, kOpening.top * scale, kOpening.bottom * scale);
        inCorner[std::size_t(i)] = i / scale < kCornerRadius || (i + 1) / scale > kGrid - kCornerRadius;
    }
    // A row the opening covers from top to bottom has its columns' shares.
    std::vector<std::uint8_t> wholeRowGreen(count);
    for (std::size_t i = 0; i < count; ++i) wholeRowGreen[i] = ToByte(openingX[i]);
    std::uint8_t* out = raster.rgba.data();
    for (int py = 0; py < size; ++py) {
        const double rowShare = openingY[std::size_t(py)];
        for (int px = 0; px < size; ++px, out += 4) {
            // The opening lies well inside the card's straight part, so a
            // pixel shows lime over black by the opening's share, and the
            // card alone decides how opaque it is.
            out[0] = 0;
            out[1] = rowShare == 0   ? 0
                     : rowShare == 1 ? wholeRowGreen[std::size_t(px)]
                                     : ToByte(openingX[std::size_t(px)] * rowShare);
            out[2] = 0;
            out[3] = inCorner[std::size_t(px)] && inCorner[std::size_t(py)] ? ToByte(CardCoverage(px, py, scale)) : 255;
        }
    }
    return raster;
}

std::string ProgramIconSvg() {
    const std::string grid = Number(kGrid);
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
           grid + "\" height=\"" + grid + "\" viewBox=\"0 0 " + grid + " " + grid +
           "\">\n"
           "  <rect x=\"0\" y=\"0\" width=\"" +
           grid + "\" height=\"" + grid + "\" rx=\"" + Number(kCornerRadius) +
           "\" fill=\"#000000\"/>\n"
           "  <rect x=\"" +
           Number(kOpening.left) + "\" y=\"" + Number(kOpening.top) + "\" width=\"" +
           Number(kOpening.right - kOpening.left) + "\" height=\"" + Number(kOpening.bottom - kOpening.top) +
           "\" fill=\"#00ff00\"/>\n"
           "</svg>\n";
}

}  // namespace veilix
