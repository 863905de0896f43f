#pragma once
// Plain value types of the framework vocabulary: points, rectangles, colours,
// cursor identifiers, mouse buttons. No Qt here, so every layer can use them.
#include <cstdint>

namespace veilix {

struct TPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

// Right and bottom are exclusive, as everywhere in the framework.
struct TRect {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Right = 0;
    std::int32_t Bottom = 0;
    std::int32_t Width() const { return Right - Left; }
    std::int32_t Height() const { return Bottom - Top; }
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    bool Contains(TPoint p) const { return p.x >= Left && p.x < Right && p.y >= Top && p.y < Bottom; }
    friend bool operator==(const TRect&, const TRect&) = default;
};

inline TRect BoundsRect(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height) {
    return TRect{left, top, left + width, top + height};
}

// 0x00BBGGRR, or 0xFF000000 + index for a system colour.
using TColor = std::uint32_t;
inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clLime = 0x00FF00;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clWhite = 0xFFFFFF;

constexpr TColor RGBColor(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return TColor(r) | (TColor(g) << 8) | (TColor(b) << 16);
}
constexpr std::uint8_t RedOf(TColor c) { return std::uint8_t(c & 0xFF); }
constexpr std::uint8_t GreenOf(TColor c) { return std::uint8_t((c >> 8) & 0xFF); }
constexpr std::uint8_t BlueOf(TColor c) { return std::uint8_t((c >> 16) & 0xFF); }

using TCursor = std::int16_t;
inline constexpr TCursor crDefault = 0;
inline constexpr TCursor crSizeNESW = -6;
inline constexpr TCursor crSizeNS = -7;
inline constexpr TCursor crSizeNWSE = -8;
inline constexpr TCursor crSizeWE = -9;

enum class TMouseButton { mbLeft, mbRight, mbMiddle };

// Shift state as a bit set.
using TShiftState = std::uint32_t;
inline constexpr TShiftState ssShift = 1u << 0;
inline constexpr TShiftState ssAlt = 1u << 1;
inline constexpr TShiftState ssCtrl = 1u << 2;
inline constexpr TShiftState ssLeft = 1u << 3;
inline constexpr TShiftState ssRight = 1u << 4;
inline constexpr TShiftState ssMiddle = 1u << 5;

enum class TBorderStyle { bsNone, bsSingle, bsSizeable };

}  // namespace veilix
