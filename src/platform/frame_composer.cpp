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
    for (const QRect& rect : changed)
        for (int y = rect.top(); y <= rect.bottom(); ++y) RescanSpan(y, rect.left(), rect.left() + rect.width());
    RebuildShape();
    return changed;
}

void FrameComposer::RescanSpan(int y, int begin, int end) {
    // Runs left of the span and right of it stay; only the span is scanned.
    std::vector<Run>& runs = rowRuns_[std::size_t(y)];
    std::vector<Run> spliced;
    spliced.reserve(runs.size() + 4);
    auto append = [&spliced](Run run) {
        if (run.end <= run.begin) return;
        if (!spliced.empty() && spliced.back().end == run.begin)
            spliced.back().end = run.end;
        else
            spliced.push_back(run);
    };
    for (const Run& run : runs)
        if (run.begin < begin) append({run.begin, std::min(run.end, begin)});
    const auto* line = reinterpret_cast<const QRgb*>(frame_.constScanLine(y));
    int x = begin;
    while (x < end) {
        while (x < end && line[x] == key_) ++x;
        const int shownBegin = x;
        while (x < end && line[x] != key_) ++x;
        append({shownBegin, x});
    }
    for (const Run& run : runs)
        if (run.end > end) append({std::max(run.begin, end), run.end});
    runs.swap(spliced);
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
