#include "platform/frame_composer.h"

namespace veilix {

void FrameComposer::Resize(const QSize& size) {
    if (size == frame_.size()) return;
    frame_ = QImage(size, QImage::Format_RGB32);
    rowRuns_.assign(std::size_t(std::max(size.height(), 0)), {});
    dirty_ = QRegion(frame_.rect());
}

void FrameComposer::SetKeyColour(QRgb key) {
    if ((key | 0xFF000000) == key_) return;
    key_ = key | 0xFF000000;
    dirty_ = QRegion(frame_.rect());
}

void FrameComposer::Invalidate(const QRect& rect) { dirty_ += rect & frame_.rect(); }

QRegion FrameComposer::Compose(const PaintFunction& paint) {
    if (dirty_.isEmpty()) return {};
    const QRegion changed = dirty_;
    dirty_ = QRegion();
    for (const QRect& rect : changed) paint(frame_, rect);
    const QRect bounds = changed.boundingRect();
    RescanRows(bounds.top(), bounds.bottom());
    RebuildShape();
    return changed;
}

void FrameComposer::RescanRows(int firstRow, int lastRow) {
    const int width = frame_.width();
    for (int y = firstRow; y <= lastRow; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(frame_.constScanLine(y));
        std::vector<Run>& runs = rowRuns_[std::size_t(y)];
        runs.clear();
        int x = 0;
        while (x < width) {
            while (x < width && line[x] == key_) ++x;
            const int begin = x;
            while (x < width && line[x] != key_) ++x;
            if (x > begin) runs.push_back({begin, x});
        }
    }
}

void FrameComposer::RebuildShape() {
    // Rows with equal runs merge into one band, so a plain black sheet is one
    // rectangle and each hole adds only the bands it needs.
    std::vector<QRect> rects;
    const int height = int(rowRuns_.size());
    int y = 0;
    while (y < height) {
        int bandEnd = y + 1;
        while (bandEnd < height && rowRuns_[std::size_t(bandEnd)] == rowRuns_[std::size_t(y)]) ++bandEnd;
        for (const Run& run : rowRuns_[std::size_t(y)])
            rects.emplace_back(run.begin, y, run.end - run.begin, bandEnd - y);
        y = bandEnd;
    }
    shape_ = QRegion();
    if (!rects.empty()) shape_.setRects(rects.data(), int(rects.size()));
}

}  // namespace veilix
