#include "platform/graphics/stretch_copy.h"

#include <cstdint>
#include <vector>

namespace veilix {

void StretchCopy(QImage& destination, const QRect& destinationRect, const QImage& source, const QRect& clip) {
    if (destinationRect.width() <= 0 || destinationRect.height() <= 0 || source.isNull()) return;
    const QRect area = destinationRect & clip & destination.rect();
    if (area.isEmpty()) return;
    Q_ASSERT(destination.format() == QImage::Format_RGB32 && source.format() == QImage::Format_RGB32);

    const std::int64_t dstW = destinationRect.width(), dstH = destinationRect.height();
    thread_local std::vector<int> columns;
    columns.resize(std::size_t(area.width()));
    for (int i = 0; i < area.width(); ++i)
        columns[std::size_t(i)] = StretchSourceIndex(area.left() + i - destinationRect.left(), source.width(), dstW);

    int lastSourceRow = -1;
    const std::uint32_t* previousOut = nullptr;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const int sy = StretchSourceIndex(y - destinationRect.top(), source.height(), dstH);
        auto* out = reinterpret_cast<std::uint32_t*>(destination.scanLine(y)) + area.left();
        if (sy == lastSourceRow && previousOut) {
            // A repeated source row: copy the row just written.
            std::copy(previousOut, previousOut + area.width(), out);
        } else {
            const auto* in = reinterpret_cast<const std::uint32_t*>(source.constScanLine(sy));
            for (int i = 0; i < area.width(); ++i) out[i] = in[columns[std::size_t(i)]];
        }
        lastSourceRow = sy;
        previousOut = out;
    }
}

}  // namespace veilix
