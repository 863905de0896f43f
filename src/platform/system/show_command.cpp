#include "platform/system/show_command.h"

namespace veilix {

int StartupShowCommand() { return SW_SHOWNORMAL; }

TStartState StartStateForShowCommand(int showCommand) {
    switch (showCommand) {
        case SW_SHOWMAXIMIZED: return TStartState::ssMaximized;
        case SW_SHOWMINNOACTIVE: return TStartState::ssMinimized;
        default: return TStartState::ssNormal;
    }
}

}  // namespace veilix
