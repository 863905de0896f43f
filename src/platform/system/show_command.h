#pragma once
// The show command the program was started with, and what it asks for.
namespace veilix {

inline constexpr int SW_SHOWNORMAL = 1;
inline constexpr int SW_SHOWMAXIMIZED = 3;
inline constexpr int SW_SHOWMINNOACTIVE = 7;

enum class TStartState { ssNormal, ssMaximized, ssMinimized };

// X11 and Wayland hand a program no show command: the normal one is reported.
int StartupShowCommand();
TStartState StartStateForShowCommand(int showCommand);

}  // namespace veilix
