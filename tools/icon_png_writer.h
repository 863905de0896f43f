#pragma once

#include <cstdint>
#include <vector>

#include "icon/icon_design.h"

namespace veilix {

// An icon raster as a PNG file: 8-bit RGBA, not interlaced, no ancillary
// chunks, fixed deflate settings, so the same raster always gives the same
// bytes.
std::vector<std::uint8_t> WriteIconPng(const IconRaster& raster);

}  // namespace veilix
