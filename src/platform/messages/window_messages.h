#pragma once
// Windows as messages see them: a window's handle, a message, and the numbers
// of every message the program and its windows pass.
#include <cstdint>

class QWidget;

namespace veilix {

// A window as the message functions see it; 0 is none. A widget's handle is
// its address: asking for it never makes a native window.
using TWindowHandle = std::uintptr_t;

struct TMessage {
    unsigned Msg = 0;
    std::uintptr_t WParam = 0;
    std::intptr_t LParam = 0;
    std::intptr_t Result = 0;
};

TWindowHandle HandleOf(const QWidget* widget);

// Passed through windows' procedures.

inline constexpr unsigned WM_DESTROY = 0x0002;
inline constexpr unsigned WM_SETFOCUS = 0x0007;
inline constexpr unsigned WM_KILLFOCUS = 0x0008;
inline constexpr unsigned WM_PAINT = 0x000F;
inline constexpr unsigned WM_CLOSE = 0x0010;
inline constexpr unsigned WM_ERASEBKGND = 0x0014;
inline constexpr unsigned WM_SHOWWINDOW = 0x0018;  // word parameter 0: being hidden
inline constexpr unsigned WM_NCPAINT = 0x0085;
inline constexpr unsigned WM_KEYDOWN = 0x0100;  // word parameter: the virtual key
inline constexpr unsigned WM_KEYUP = 0x0101;
inline constexpr unsigned WM_MOUSEMOVE = 0x0200;
inline constexpr unsigned WM_LBUTTONDOWN = 0x0201;
inline constexpr unsigned WM_LBUTTONUP = 0x0202;
inline constexpr unsigned CM_ENABLEDCHANGED = 0xB00C;
inline constexpr unsigned CM_MOUSEENTER = 0xB013;
inline constexpr unsigned CM_MOUSELEAVE = 0xB014;

// Sent by the program to its forms.
inline constexpr unsigned WM_CANCELMODE = 0x001F;
inline constexpr unsigned WM_SYSCOMMAND = 0x0112;
inline constexpr std::uintptr_t SC_MOVE = 0xF010;  // with a hit-test code in the low four bits
inline constexpr std::uintptr_t HTCAPTION = 2;

}  // namespace veilix
