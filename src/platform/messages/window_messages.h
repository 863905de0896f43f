#pragma once
// The window messages windows of ours pass through their procedures.
namespace veilix {

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

}  // namespace veilix
