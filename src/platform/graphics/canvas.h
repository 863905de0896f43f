#pragma once
// TCanvas: drawing on an off-screen image with the framework's rules: right and
// bottom edges excluded, lines without their end point, shapes without
// anti-aliasing, text with "&" marking the access letter.
#include <cstdint>
#include <string>

#include "platform/core/types.h"

class QImage;

namespace veilix {

class TBitmap;

enum class TBrushStyle { bsSolid, bsClear };

struct TBrush {
    TColor Color = clWhite;
    TBrushStyle Style = TBrushStyle::bsSolid;
};

struct TPen {
    TColor Color = clBlack;
};

using TFontStyles = std::uint8_t;
inline constexpr TFontStyles fsBold = 1u << 0;
inline constexpr TFontStyles fsItalic = 1u << 1;
inline constexpr TFontStyles fsUnderline = 1u << 2;
inline constexpr TFontStyles fsStrikeOut = 1u << 3;

inline constexpr std::uint8_t DEFAULT_CHARSET = 1;

// Height below zero: the character height in pixels; above zero: the cell
// height (character plus internal leading); zero: the platform's default.
struct TFont {
    std::string Name = "Tahoma";
    std::int32_t Height = -11;
    std::uint8_t Charset = DEFAULT_CHARSET;
    TColor Color = clBlack;
    TFontStyles Style = 0;
    friend bool operator==(const TFont&, const TFont&) = default;
};

// Flags of DrawText.
inline constexpr unsigned DT_LEFT = 0x0000;
inline constexpr unsigned DT_CENTER = 0x0001;
inline constexpr unsigned DT_RIGHT = 0x0002;
inline constexpr unsigned DT_VCENTER = 0x0004;
inline constexpr unsigned DT_SINGLELINE = 0x0020;
inline constexpr unsigned DT_EXPANDTABS = 0x0040;
inline constexpr unsigned DT_NOPREFIX = 0x0800;
inline constexpr unsigned DT_RTLREADING = 0x20000;

enum class TBackgroundMode { bkOpaque, bkTransparent };

class TCanvas {
public:
    explicit TCanvas(QImage& target) : target_(target) {}
    // On a surface kept in another format than its screen's (a window's
    // 32-bit surface on a 16-bit screen): the screen's bits per pixel.
    TCanvas(QImage& target, int deviceBitsPerPixel) : target_(target), deviceBitsPerPixel_(deviceBitsPerPixel) {}

    TBrush Brush;
    TPen Pen;
    TFont Font;
    // Text cells are filled with Brush.Color first unless transparent.
    TBackgroundMode BackgroundMode = TBackgroundMode::bkOpaque;
    // The window the surface belongs to; 0 for an off-screen surface.
    std::uintptr_t WindowHandle = 0;

    void FillRect(const TRect& rect);
    // Outline in Pen.Color, inside filled with the brush unless it is clear.
    void Rectangle(const TRect& rect);
    void RoundRect(const TRect& rect, int cornerWidth, int cornerHeight);
    void Ellipse(const TRect& rect);
    void MoveTo(int x, int y);
    // A one-pixel line in Pen.Color; the end point is not drawn.
    void LineTo(int x, int y);
    TPoint PenPos() const { return penPos_; }

    // A single line at (x, y), the top-left of its cell; "&" is not special.
    void TextOut(int x, int y, const std::string& text);
    // Text in rect with DT_* flags; "&" underlines the next character ("&&"
    // draws "&") unless DT_NOPREFIX. Drawing is clipped to rect.
    void DrawText(const std::string& text, const TRect& rect, unsigned flags);
    int TextWidth(const std::string& text) const;
    int TextHeight(const std::string& text) const;

    // The bitmap at (x, y); with transparent, its pixels of transparentColor
    // are left out.
    void Draw(int x, int y, const TBitmap& bitmap, bool transparent = false, TColor transparentColor = clBlack);
    // The source canvas's sourceRect copied unscaled to dest's top-left.
    void CopyRect(const TRect& dest, const TCanvas& source, const TRect& sourceRect);
    // The whole bitmap stretched into rect, nearest neighbour; only the part
    // inside clip is drawn.
    void StretchDrawClipped(const TRect& rect, const TBitmap& bitmap, const TRect& clip);

    TColor Pixel(int x, int y) const;
    void SetPixel(int x, int y, TColor color);

    // Of the surface's device: 32 for today's screens, 15 or 16 for a
    // high-colour surface, 8 or fewer for a palette. The image's own format
    // unless the canvas was made with its screen's depth.
    int BitsPerPixel() const;

    const QImage& Surface() const { return target_; }

private:
    QImage& target_;
    int deviceBitsPerPixel_ = 0;  // 0: the image's format tells
    TPoint penPos_;
};

}  // namespace veilix
