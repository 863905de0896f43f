// Shapes and lines with exact pixels: every shape is a run of pixels per row,
// its outline the pixels with a neighbour (left, right, above, below) outside.
#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <utility>
#include <vector>

#include "platform/graphics/canvas.h"
#include "platform/graphics/canvas_pixels.h"

namespace veilix {

namespace {
struct RowSpan {
    int left = INT_MAX;  // the empty run lies outside everything
    int right = INT_MIN;
    bool Empty() const { return left >= right; }
};

TRect Normalised(TRect r) {
    if (r.Left > r.Right) std::swap(r.Left, r.Right);
    if (r.Top > r.Bottom) std::swap(r.Top, r.Bottom);
    return r;
}

// Whether pixel (x, y) belongs to the ellipse inscribed in the w x h box at
// (left, top), traced through the centres of the box's outermost pixels: a
// pixel belongs when its centre lies less than half a pixel inside the curve,
// across or down, and the middle row(s) and column(s) always belong, so that
// the ellipse touches each side. Doubled coordinates keep it in integers.
template <typename Number>
bool InEllipseAs(Number u, Number v, Number a, Number b) {
    const Number a2 = a * a, b2 = b * b;
    return (v - 1) * (v - 1) * a2 < b2 * (a2 - u * u) || (u - 1) * (u - 1) * b2 < a2 * (b2 - v * v);
}

bool InEllipse(int x, int y, int left, int top, int w, int h) {
    const std::int64_t u = std::abs(2 * std::int64_t(x) + 1 - (2 * std::int64_t(left) + w));
    const std::int64_t v = std::abs(2 * std::int64_t(y) + 1 - (2 * std::int64_t(top) + h));
    if (u <= 1 || v <= 1) return true;
    constexpr int kExactUpTo = 40000;  // products stay within 64 bits
    if (w <= kExactUpTo && h <= kExactUpTo) return InEllipseAs<std::int64_t>(u, v, w - 1, h - 1);
    return InEllipseAs<long double>(u, v, w - 1, h - 1);
}

// The first x in [from, to) where inside(x) holds, given that it holds from
// some point on; to when it never does.
template <typename Inside>
int FirstInside(int from, int to, Inside inside) {
    while (from < to) {
        const int middle = from + (to - from) / 2;
        if (inside(middle))
            to = middle;
        else
            from = middle + 1;
    }
    return from;
}

// The runs of rows first .. last - 1 of a rectangle whose corners are
// quarters of a cornerW x cornerH ellipse (0 for square corners).
std::vector<RowSpan> RoundRectSpans(const TRect& r, int cornerW, int cornerH, int first, int last) {
    std::vector<RowSpan> spans;
    spans.reserve(std::size_t(std::max(last - first, 0)));
    const bool rounded = cornerW > 0 && cornerH > 0;
    // Columns left of the left zone's end, and from the right zone's start,
    // follow the corner ellipses.
    const int leftZoneEnd = r.Left + cornerW / 2, rightZoneStart = r.Right - cornerW / 2;
    for (int y = first; y < last; ++y) {
        RowSpan span{r.Left, r.Right};
        const bool topZone = 2 * std::int64_t(y) + 1 < 2 * std::int64_t(r.Top) + cornerH;
        const bool bottomZone = 2 * std::int64_t(y) + 1 > 2 * std::int64_t(r.Bottom) - cornerH;
        if (rounded && (topZone || bottomZone)) {
            const int boxTop = topZone ? r.Top : r.Bottom - cornerH;
            span.left = FirstInside(r.Left, leftZoneEnd,
                                    [&](int x) { return InEllipse(x, y, r.Left, boxTop, cornerW, cornerH); });
            // Mirrored: count columns from the right edge.
            const int cut = FirstInside(0, r.Right - rightZoneStart, [&](int k) {
                return InEllipse(r.Right - 1 - k, y, r.Right - cornerW, boxTop, cornerW, cornerH);
            });
            span.right = r.Right - cut;
        }
        spans.push_back(span.Empty() ? RowSpan{} : span);
    }
    return spans;
}

void PaintSpans(QImage& image, const std::vector<RowSpan>& spans, int top, QRgb pen, const QRgb* brush) {
    PixelWriter writer(image);
    const RowSpan none;
    for (std::size_t i = 0; i < spans.size(); ++i) {
        const RowSpan& row = spans[i];
        if (row.Empty()) continue;
        const RowSpan& above = i > 0 ? spans[i - 1] : none;
        const RowSpan& below = i + 1 < spans.size() ? spans[i + 1] : none;
        const int innerLeft = std::max({row.left + 1, above.left, below.left});
        const int innerRight = std::min({row.right - 1, above.right, below.right});
        const int y = top + int(i);
        writer.SetColor(pen);
        if (innerLeft >= innerRight) {
            writer.Span(y, row.left, row.right);
            continue;
        }
        writer.Span(y, row.left, innerLeft);
        writer.Span(y, innerRight, row.right);
        if (brush) {
            writer.SetColor(*brush);
            writer.Span(y, innerLeft, innerRight);
        }
    }
}
}  // namespace

void TCanvas::Rectangle(const TRect& rect) { RoundRect(rect, 0, 0); }

void TCanvas::RoundRect(const TRect& rect, int cornerWidth, int cornerHeight) {
    const TRect r = Normalised(rect);
    if (r.IsEmpty()) return;
    const int cornerW = std::clamp(cornerWidth, 0, r.Width());
    const int cornerH = std::clamp(cornerHeight, 0, r.Height());
    const QRgb brush = ToQRgb(Brush.Color);
    // Only rows on the surface matter, and one beyond each side to tell the outline.
    const int first = std::max(r.Top, -1), last = std::min(r.Bottom, target_.height() + 1);
    if (first >= last) return;
    PaintSpans(target_, RoundRectSpans(r, cornerW, cornerH, first, last), first, ToQRgb(Pen.Color),
               Brush.Style == TBrushStyle::bsClear ? nullptr : &brush);
}

void TCanvas::Ellipse(const TRect& rect) {
    const TRect r = Normalised(rect);
    RoundRect(r, r.Width(), r.Height());
}

void TCanvas::MoveTo(int x, int y) { penPos_ = TPoint{x, y}; }

void TCanvas::LineTo(int x, int y) {
    PixelWriter writer(target_);
    writer.SetColor(ToQRgb(Pen.Color));
    // Bresenham; the end point is where the next line starts, so it is left out.
    int px = penPos_.x, py = penPos_.y;
    const int dx = std::abs(x - px), dy = -std::abs(y - py);
    const int sx = px < x ? 1 : -1, sy = py < y ? 1 : -1;
    int error = dx + dy;
    while (px != x || py != y) {
        writer.Plot(px, py);
        const int doubled = 2 * error;
        if (doubled >= dy) {
            error += dy;
            px += sx;
        }
        if (doubled <= dx) {
            error += dx;
            py += sy;
        }
    }
    penPos_ = TPoint{x, y};
}

}  // namespace veilix
