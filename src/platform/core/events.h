#pragma once
// Event signatures of the framework. The sender is the component whose event it is.
#include "platform/core/method.h"
#include "platform/core/types.h"

namespace veilix {

class TComponent;

using TNotifyEvent = TMethod<TComponent*>;
using TMouseEvent = TMethod<TComponent*, TMouseButton, TShiftState, int, int>;
using TMouseMoveEvent = TMethod<TComponent*, TShiftState, int, int>;

}  // namespace veilix
