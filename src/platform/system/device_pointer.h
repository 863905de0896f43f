#pragma once
// Where the pointer was, in device pixels, at each pointer event of the window
// system. Qt's X11 plugin hands widgets positions rounded to whole logical
// points: on a scaled desktop about half of them then name the pixel beside
// the one under the pointer. The events' own device places are recorded as
// they arrive, and a delivered event is matched to its record.
#include <optional>

#include <QPoint>

class QMouseEvent;
class QWidget;

namespace veilix {

struct DevicePointerPlace {
    QPoint local;   // in the window, device pixels
    QPoint global;  // on the screen, device pixels
};

// Starts recording, once; only on X11, elsewhere it does nothing.
void RecordDevicePointer();

// The device place of event as the window system reported it to window;
// none when it was not recorded (another platform, a synthesised event).
std::optional<DevicePointerPlace> DevicePointerOf(const QMouseEvent& event, const QWidget& window);

}  // namespace veilix
