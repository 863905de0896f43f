// Text on the canvas. Glyphs are rasterised without smoothing into a scratch
// mask and then set in the font colour, so every text pixel has exactly that
// colour whatever the surface's format.
#include <QPainter>
#include <QString>

#include <vector>

#include "platform/core/device_pixels.h"
#include "platform/graphics/canvas.h"
#include "platform/graphics/canvas_pixels.h"
#include "platform/graphics/font_cache.h"

namespace veilix {

namespace {
// A line as shown: access-letter markers taken out, and the positions of the
// characters they underline.
struct ShownLine {
    QString text;
    std::vector<int> underlined;
};

ShownLine StripAccessMarkers(const QString& line) {
    ShownLine shown;
    for (int i = 0; i < line.size(); ++i) {
        if (line[i] != u'&') {
            shown.text += line[i];
            continue;
        }
        if (++i == line.size()) break;  // a final lone "&" shows nothing
        if (line[i] != u'&') shown.underlined.push_back(int(shown.text.size()));
        shown.text += line[i];
    }
    return shown;
}

// A piece of a line between tabs, at its offset from the line's start.
struct Run {
    int start;  // in the shown text
    QString text;
    int x;
};

struct LaidLine {
    std::vector<Run> runs;
    int width = 0;
};

LaidLine Lay(const QString& text, const CachedFont& font, bool expandTabs) {
    LaidLine laid;
    if (!expandTabs) {
        laid.runs.push_back(Run{0, text, 0});
        laid.width = font.metrics.horizontalAdvance(text);
        return laid;
    }
    int start = 0, x = 0;
    for (;;) {
        const int tab = int(text.indexOf(u'\t', start));
        const QString piece = text.mid(start, tab < 0 ? -1 : tab - start);
        laid.runs.push_back(Run{start, piece, x});
        x += font.metrics.horizontalAdvance(piece);
        if (tab < 0) break;
        x = (x / font.tabWidth + 1) * font.tabWidth;
        start = tab + 1;
    }
    laid.width = x;
    return laid;
}

int CharacterLength(const QString& text, int index) {
    return index + 1 < text.size() && text[index].isHighSurrogate() ? 2 : 1;
}

// Sets the glyphs of a line whose cell has its top-left at origin, in colour,
// only inside clip. On a scaled surface the glyphs are rasterised at the
// device's resolution, laid out as at the logical size.
void PaintGlyphs(QImage& surface, const LaidLine& line, QPoint origin, const CachedFont& font, bool rightToLeft,
                 QRgb colour, const QRect& clip) {
    if (line.width <= 0) return;
    // Glyphs may overhang their cell a little (italics, side bearings).
    const int margin = font.metrics.height() / 2 + 1;
    const QRect cell(origin, QSize(line.width, font.metrics.height()));
    const qreal ratio = surface.devicePixelRatio();
    const QRect area =
        DeviceRect(cell.adjusted(-margin, -margin, margin, margin) & clip & LogicalRect(surface), ratio) &
        surface.rect();
    if (area.isEmpty()) return;
    QImage mask(area.size(), QImage::Format_ARGB32_Premultiplied);
    mask.fill(Qt::transparent);
    {
        QPainter painter(&mask);
        painter.setRenderHint(QPainter::TextAntialiasing, false);
        painter.setLayoutDirection(rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
        painter.setFont(font.font);
        painter.setPen(Qt::white);
        painter.translate(-area.topLeft());
        if (ratio != 1.0) painter.scale(ratio, ratio);
        const int baseline = origin.y() + font.metrics.ascent();
        for (const Run& run : line.runs)
            if (!run.text.isEmpty()) painter.drawText(QPoint(origin.x() + run.x, baseline), run.text);
    }
    PixelWriter writer(surface);
    writer.SetColor(colour);
    const int width = mask.width(), height = mask.height();
    for (int y = 0; y < height; ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(mask.constScanLine(y));
        const auto set = [in](int x) { return qAlpha(in[x]) >= 128; };
        for (int x = 0; x < width;) {
            if (!set(x)) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < width && set(x)) ++x;
            writer.DeviceSpan(area.top() + y, area.left() + start, area.left() + x);
        }
    }
}

void PaintUnderlines(QImage& surface, const LaidLine& line, const std::vector<int>& underlined, QPoint origin,
                     const CachedFont& font, QRgb colour, const QRect& clip) {
    if (underlined.empty()) return;
    PixelWriter writer(surface, clip);
    writer.SetColor(colour);
    const int top = origin.y() + font.metrics.ascent() + font.metrics.underlinePos();
    const int thickness = std::max(font.metrics.lineWidth(), 1);
    for (const int index : underlined)
        for (const Run& run : line.runs) {
            const int offset = index - run.start;
            if (offset < 0 || offset >= run.text.size()) continue;
            const int left = font.metrics.horizontalAdvance(run.text.left(offset));
            const int right = font.metrics.horizontalAdvance(run.text.left(offset + CharacterLength(run.text, offset)));
            writer.Fill(QRect(origin.x() + run.x + left, top, right - left, thickness));
        }
}

int LineLeft(const TRect& rect, int width, unsigned flags) {
    if (flags & DT_CENTER) return rect.Left + (rect.Width() - width) / 2;
    if (flags & DT_RIGHT) return rect.Right - width;
    return rect.Left;
}

QStringList Lines(const QString& text, unsigned flags) {
    if (flags & DT_SINGLELINE) return {text};
    QStringList lines = text.split(u'\n');
    for (QString& line : lines)
        if (line.endsWith(u'\r')) line.chop(1);
    return lines;
}
}  // namespace

void TCanvas::TextOut(int x, int y, const std::string& text) {
    const CachedFont& font = FontFor(Font);
    const QString shown = QString::fromStdString(text);
    const LaidLine line = Lay(shown, font, false);
    const QPoint origin(x, y);
    if (BackgroundMode == TBackgroundMode::bkOpaque) {
        PixelWriter writer(target_);
        writer.SetColor(ToQRgb(Brush.Color));
        writer.Fill(QRect(origin, QSize(line.width, font.metrics.height())));
    }
    PaintGlyphs(target_, line, origin, font, false, ToQRgb(Font.Color), target_.rect());
}

void TCanvas::DrawText(const std::string& text, const TRect& rect, unsigned flags) {
    const CachedFont& font = FontFor(Font);
    const QRect clip = ToQRect(rect);
    const int height = font.metrics.height();
    const QStringList lines = Lines(QString::fromStdString(text), flags);
    int top = rect.Top;
    if ((flags & DT_SINGLELINE) && (flags & DT_VCENTER)) top += (rect.Height() - height) / 2;
    for (const QString& raw : lines) {
        const ShownLine shown = (flags & DT_NOPREFIX) ? ShownLine{raw, {}} : StripAccessMarkers(raw);
        const LaidLine line = Lay(shown.text, font, (flags & DT_EXPANDTABS) != 0);
        const QPoint origin(LineLeft(rect, line.width, flags), top);
        if (BackgroundMode == TBackgroundMode::bkOpaque) {
            PixelWriter writer(target_, clip);
            writer.SetColor(ToQRgb(Brush.Color));
            writer.Fill(QRect(origin, QSize(line.width, height)));
        }
        const QRgb colour = ToQRgb(Font.Color);
        PaintGlyphs(target_, line, origin, font, (flags & DT_RTLREADING) != 0, colour, clip);
        PaintUnderlines(target_, line, shown.underlined, origin, font, colour, clip);
        top += height;
    }
}

int TCanvas::TextWidth(const std::string& text) const {
    return FontFor(Font).metrics.horizontalAdvance(QString::fromStdString(text));
}

int TCanvas::TextHeight(const std::string&) const { return FontFor(Font).metrics.height(); }

}  // namespace veilix
