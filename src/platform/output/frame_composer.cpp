#include "platform/output/frame_composer.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <utility>

#include "platform/core/device_pixels.h"

namespace veilix {

void FrameComposer::Resize(const QSize& size, qreal ratio) {
    if (size == logicalSize_ && ratio == Ratio()) return;
    logicalSize_ = size;
    frame_ = QImage(DeviceRect(QRect(QPoint(0, 0), size), ratio).size(), QImage::Format_RGB32);
    frame_.setDevicePixelRatio(ratio);
    const int height = std::max(frame_.height(), 0);
    rowRuns_.assign(std::size_t(height), {});
    rects_.clear();
    bands_.clear();
    if (height > 0) bands_.push_back({0, height, 0, 0});
    ++shapeVersion_;
    dirty_ = QRegion(QRect(QPoint(0, 0), logicalSize_));
    everythingChanged_ = true;
}

void FrameComposer::SetKeyColour(QRgb key) {
    if ((key | 0xFF000000) == key_) return;
    key_ = key | 0xFF000000;
    dirty_ = QRegion(QRect(QPoint(0, 0), logicalSize_));
    everythingChanged_ = true;
}

void FrameComposer::Invalidate(const QRect& rect) { dirty_ += rect & QRect(QPoint(0, 0), logicalSize_); }

const QRegion& FrameComposer::Shape() const {
    if (shapeBuiltFor_ != shapeVersion_) {
        shapeBuiltFor_ = shapeVersion_;
        shape_ = QRegion();
        if (!rects_.empty()) shape_.setRects(rects_.data(), int(rects_.size()));
    }
    return shape_;
}

QRegion FrameComposer::Compose(const PaintFunction& paint) {
    if (dirty_.isEmpty()) return {};
    const QRegion dirty = std::exchange(dirty_, QRegion());
    const QRegion deviceDirty = DeviceRegion(dirty, Ratio());
    // A fresh frame holds no pixels to compare with, and a new key colour
    // shows or hides pixels that keep their value.
    const bool compare = !std::exchange(everythingChanged_, false);
    if (compare) KeepPixels(deviceDirty);
    for (const QRect& rect : dirty) paint(frame_, rect);
    const QRegion changed = compare ? ChangedPixels(deviceDirty) : deviceDirty;
    int top = INT_MAX, bottom = INT_MIN;
    for (const QRect& rect : changed) {
        for (int y = rect.top(); y <= rect.bottom(); ++y) RescanSpan(y, rect.left(), rect.left() + rect.width());
        top = std::min(top, rect.top());
        bottom = std::max(bottom, rect.bottom() + 1);
    }
    if (!changed.isEmpty()) RebuildBands(top, bottom);
    return changed;
}

void FrameComposer::KeepPixels(const QRegion& area) {
    kept_.clear();
    for (const QRect& rect : area)
        for (int y = rect.top(); y <= rect.bottom(); ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(frame_.constScanLine(y)) + rect.left();
            kept_.insert(kept_.end(), line, line + rect.width());
        }
}

namespace {
// The first pixel at or after x where the rows differ, or end. Most of a
// repainted area comes out as it was: equal stretches are skipped in blocks
// by the library's compare.
int NextDifference(const QRgb* a, const QRgb* b, int x, int end) {
    constexpr int kBlock = 16;
    while (x + kBlock <= end && std::memcmp(a + x, b + x, kBlock * sizeof(QRgb)) == 0) x += kBlock;
    while (x < end && a[x] == b[x]) ++x;
    return x;
}
}  // namespace

QRegion FrameComposer::ChangedPixels(const QRegion& area) const {
    // Differences closer than this are sent as one span: a request per few
    // pixels would cost more than the pixels between them.
    constexpr int kJoinGap = 16;
    QRegion changed;
    std::vector<QRect> rects;
    std::vector<std::pair<int, int>> spans, previous;
    const QRgb* before = kept_.data();
    for (const QRect& rect : area) {
        rects.clear();
        previous.clear();
        std::size_t bandStart = 0;  // of the previous row's rects
        for (int y = rect.top(); y <= rect.bottom(); ++y, before += rect.width()) {
            const auto* now = reinterpret_cast<const QRgb*>(frame_.constScanLine(y)) + rect.left();
            spans.clear();
            const int width = rect.width();
            for (int x = NextDifference(before, now, 0, width); x < width;) {
                int end = x + 1;
                int next = NextDifference(before, now, end, width);
                while (next < width && next - end < kJoinGap) {
                    end = next + 1;
                    next = NextDifference(before, now, end, width);
                }
                spans.emplace_back(rect.left() + x, rect.left() + end);
                x = next;
            }
            if (!spans.empty() && spans == previous) {
                // The same spans as the row above: its rectangles grow.
                for (std::size_t i = bandStart; i < rects.size(); ++i) rects[i].setBottom(y);
                continue;
            }
            bandStart = rects.size();
            for (const auto& [begin, end] : spans) rects.emplace_back(begin, y, end - begin, 1);
            previous.swap(spans);
        }
        if (rects.empty()) continue;
        QRegion part;
        part.setRects(rects.data(), int(rects.size()));
        changed += part;
    }
    return changed;
}

void FrameComposer::RescanSpan(int y, int begin, int end) {
    // Runs left of the span and right of it stay; only the span is scanned.
    std::vector<Run>& runs = rowRuns_[std::size_t(y)];
    std::vector<Run>& spliced = spliced_;
    spliced.clear();
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

void FrameComposer::RebuildBands(int top, int bottom) {
    // Rows with equal runs merge into one band, so a plain black sheet is one
    // rectangle and each hole adds only the bands it needs. The bands holding
    // the unchanged rows just above and below the changed ones are rebuilt
    // too: they keep their edges to their neighbours, so nothing beyond them
    // can merge or split.
    if (bands_.empty() || top >= bottom) return;
    const int height = int(rowRuns_.size());
    auto bandOf = [this](int row) {
        return std::size_t(
            std::upper_bound(bands_.begin(), bands_.end(), row, [](int r, const Band& band) { return r < band.top; }) -
            bands_.begin() - 1);
    };
    const std::size_t first = bandOf(std::max(top - 1, 0));
    const std::size_t last = bandOf(std::min(bottom, height - 1));
    const int from = bands_[first].top;
    const int to = bands_[last].bottom;
    const std::size_t rectsFrom = bands_[first].firstRect;
    const std::size_t rectsTo = bands_[last].firstRect + bands_[last].rectCount;

    std::vector<Band>& bands = newBands_;
    std::vector<QRect>& rects = newRects_;
    bands.clear();
    rects.clear();
    int y = from;
    while (y < to) {
        int bandEnd = y + 1;
        while (bandEnd < to && rowRuns_[std::size_t(bandEnd)] == rowRuns_[std::size_t(y)]) ++bandEnd;
        const std::vector<Run>& runs = rowRuns_[std::size_t(y)];
        bands.push_back({y, bandEnd, rectsFrom + rects.size(), runs.size()});
        for (const Run& run : runs) rects.emplace_back(run.begin, y, run.end - run.begin, bandEnd - y);
        y = bandEnd;
    }

    // Runs that changed back and forth within the rows may leave the shape as
    // it was; then there is nothing to hand on.
    if (std::equal(rects.begin(), rects.end(), rects_.begin() + std::ptrdiff_t(rectsFrom),
                   rects_.begin() + std::ptrdiff_t(rectsTo)))
        return;
    const auto shift = std::ptrdiff_t(rects.size()) - std::ptrdiff_t(rectsTo - rectsFrom);
    for (std::size_t i = last + 1; i < bands_.size(); ++i)
        bands_[i].firstRect = std::size_t(std::ptrdiff_t(bands_[i].firstRect) + shift);
    rects_.erase(rects_.begin() + std::ptrdiff_t(rectsFrom), rects_.begin() + std::ptrdiff_t(rectsTo));
    rects_.insert(rects_.begin() + std::ptrdiff_t(rectsFrom), rects.begin(), rects.end());
    bands_.erase(bands_.begin() + std::ptrdiff_t(first), bands_.begin() + std::ptrdiff_t(last) + 1);
    bands_.insert(bands_.begin() + std::ptrdiff_t(first), bands.begin(), bands.end());
    ++shapeVersion_;
}

}  // namespace veilix
