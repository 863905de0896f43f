#pragma once
// The off-screen frame of a form and the window shape derived from it. Only the
// invalidated area is recomposed; only the pixels that recomposing changed are
// scanned again for the key colour and reported to be shown anew, and the
// shape's bands are rebuilt from the per-row runs for those rows alone, the
// bands above and below kept as they were.
//
// The frame has the window's device pixels (its device pixel ratio set), the
// paint function and Invalidate speak logical pixels; the shape and the
// changed areas are in device pixels, as the screen takes them.
#include <cstdint>
#include <functional>
#include <vector>

#include <QImage>
#include <QRegion>

namespace veilix {

class FrameComposer {
public:
    using PaintFunction = std::function<void(QImage& frame, const QRect& clip)>;

    // size in logical pixels; a new size or ratio recomposes everything.
    void Resize(const QSize& size, qreal ratio = 1.0);
    // rect in logical pixels.
    void Invalidate(const QRect& rect);
    bool HasPendingChanges() const { return !dirty_.isEmpty(); }

    // Recomposes the invalidated area with paint (called with logical
    // rectangles) and returns the device pixels it changed (empty when
    // nothing was pending or nothing changed).
    QRegion Compose(const PaintFunction& paint);

    // Shown pixels: everything but the key colour. Kept up to date by Compose.
    const QRegion& Shape() const;
    // The same, as y-x banded rectangles.
    const std::vector<QRect>& ShapeRects() const { return rects_; }
    // Changes whenever the shape does, and only then.
    std::uint64_t ShapeVersion() const { return shapeVersion_; }
    void SetKeyColour(QRgb key);
    const QImage& Frame() const { return frame_; }
    qreal Ratio() const { return frame_.devicePixelRatio(); }

private:
    struct Run {
        int begin;
        int end;  // exclusive
        friend bool operator==(const Run&, const Run&) = default;
    };

    // Rows with equal runs, one rectangle per run; together the bands cover
    // every row, rows without runs included.
    struct Band {
        int top;
        int bottom;  // exclusive
        std::size_t firstRect;
        std::size_t rectCount;
    };

    // Before painting: the pixels of area as they are, in its rectangles' order.
    void KeepPixels(const QRegion& area);
    // After painting: where area's pixels differ from the kept ones.
    QRegion ChangedPixels(const QRegion& area) const;
    void RescanSpan(int row, int begin, int end);
    // After the runs of rows [top, bottom) changed.
    void RebuildBands(int top, int bottom);

    QImage frame_;
    QSize logicalSize_{0, 0};
    QRegion dirty_;  // logical
    // Built from rects_ when asked for: a drag step needs only the rectangles.
    mutable QRegion shape_;
    mutable std::uint64_t shapeBuiltFor_ = ~std::uint64_t(0);
    std::uint64_t shapeVersion_ = 0;
    QRgb key_ = 0xFF00FF00;
    std::vector<std::vector<Run>> rowRuns_;
    std::vector<Run> spliced_;  // reused by every rescan
    std::vector<Band> bands_;
    std::vector<QRect> rects_;     // the shape's, y-x banded
    std::vector<Band> newBands_;   // reused by every rebuild
    std::vector<QRect> newRects_;  // reused by every rebuild
    std::vector<QRgb> kept_;       // the area being recomposed, as it was
    bool everythingChanged_ = true;
};

}  // namespace veilix
