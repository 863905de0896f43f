#pragma once
// Nearest-neighbour stretched copy: the whole source into a destination
// rectangle, axes scaled independently, no smoothing, only the part inside clip
// written. An empty or negative destination draws nothing.
#include <cstdint>

#include <QImage>
#include <QRect>

namespace veilix {

// Which source row or column destination offset d of a span of dstLen takes
// from a span of srcLen. Shared by drawing and hit testing so they agree.
inline int StretchSourceIndex(std::int64_t d, std::int64_t srcLen, std::int64_t dstLen) {
    return int(d * srcLen / dstLen);
}

void StretchCopy(QImage& destination, const QRect& destinationRect, const QImage& source, const QRect& clip);

}  // namespace veilix
