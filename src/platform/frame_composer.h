#pragma once
// The off-screen frame of a form and the window shape derived from it. Only the
// invalidated area is recomposed, and only its rows are scanned again for the
// key colour; the shape is rebuilt from the per-row runs.
#include <cstdint>
#include <functional>
#include <vector>

#include <QImage>
#include <QRegion>

namespace veilix {

class FrameComposer {
public:
    using PaintFunction = std::function<void(QImage& frame, const QRect& clip)>;

    void Resize(const QSize& size);
    void Invalidate(const QRect& rect);
    bool HasPendingChanges() const { return !dirty_.isEmpty(); }

    // Recomposes the invalidated area with paint and returns it (empty when
    // nothing was pending).
    QRegion Compose(const PaintFunction& paint);

    // Shown pixels: everything but the key colour. Kept up to date by Compose.
    const QRegion& Shape() const { return shape_; }
    void SetKeyColour(QRgb key);
    const QImage& Frame() const { return frame_; }

private:
    struct Run {
        int begin;
        int end;  // exclusive
        friend bool operator==(const Run&, const Run&) = default;
    };

    void RescanSpan(int row, int begin, int end);
    void RebuildShape();

    QImage frame_;
    QRegion dirty_;
    QRegion shape_;
    QRgb key_ = 0xFF00FF00;
    std::vector<std::vector<Run>> rowRuns_;
};

}  // namespace veilix
