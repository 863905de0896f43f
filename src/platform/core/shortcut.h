#pragma once
// Menu shortcuts as the framework encodes them: the virtual key code in the
// low byte, the modifier keys as high bits.
#include <cstdint>
#include <string>

namespace veilix {

using TShortCut = std::uint16_t;
inline constexpr TShortCut scShift = 0x2000;
inline constexpr TShortCut scCtrl = 0x4000;
inline constexpr TShortCut scAlt = 0x8000;

// Virtual key codes of the keys a shortcut names; letters and digits are
// their upper-case ASCII codes.
inline constexpr std::uint8_t VK_BACK = 0x08;
inline constexpr std::uint8_t VK_TAB = 0x09;
inline constexpr std::uint8_t VK_RETURN = 0x0D;
inline constexpr std::uint8_t VK_ESCAPE = 0x1B;
inline constexpr std::uint8_t VK_SPACE = 0x20;
inline constexpr std::uint8_t VK_PRIOR = 0x21;
inline constexpr std::uint8_t VK_NEXT = 0x22;
inline constexpr std::uint8_t VK_END = 0x23;
inline constexpr std::uint8_t VK_HOME = 0x24;
inline constexpr std::uint8_t VK_LEFT = 0x25;
inline constexpr std::uint8_t VK_UP = 0x26;
inline constexpr std::uint8_t VK_RIGHT = 0x27;
inline constexpr std::uint8_t VK_DOWN = 0x28;
inline constexpr std::uint8_t VK_INSERT = 0x2D;
inline constexpr std::uint8_t VK_DELETE = 0x2E;
inline constexpr std::uint8_t VK_NUMPAD0 = 0x60;
inline constexpr std::uint8_t VK_MULTIPLY = 0x6A;
inline constexpr std::uint8_t VK_ADD = 0x6B;
inline constexpr std::uint8_t VK_SUBTRACT = 0x6D;
inline constexpr std::uint8_t VK_DECIMAL = 0x6E;
inline constexpr std::uint8_t VK_DIVIDE = 0x6F;
inline constexpr std::uint8_t VK_F1 = 0x70;
inline constexpr std::uint8_t VK_F24 = 0x87;

// The text a menu shows for a shortcut: "Ctrl+S", "Shift+Del", "Ctrl+Alt+F5";
// empty for 0 and for a key that has no name.
std::string ShortCutToText(TShortCut shortCut);

}  // namespace veilix
