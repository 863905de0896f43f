#pragma once
// A keyed window's pixels and shape handed to the X server directly. Through
// Qt, a widget's mask also clips every update to it, so each repaint of a hole
// became one drawing request per band of the shape (hundreds for round
// holes), and Qt's shared-memory backing store waited for a server round trip
// before each repaint of an area drawn the step before. Here an update is one
// image request per changed rectangle, the shape one request in y-x banded
// order (no sorting for the server), both in the same write.
#include <cstdint>
#include <memory>
#include <vector>

class QImage;
class QRegion;
class QWidget;

namespace veilix {

class X11Surface {
public:
    // Only on Qt's xcb platform, with the SHAPE extension and a window whose
    // pixels are 32-bit words in our byte order with red, green and blue
    // where Format_RGB32 keeps them; otherwise none, and Qt draws. Creates
    // the native window if it does not exist yet.
    static std::unique_ptr<X11Surface> For(QWidget& window);
    ~X11Surface();

    // Shown pixels; empty shows nothing at all.
    void SetShape(const QRegion& shape);
    // No shape: every pixel shown.
    void ClearShape();
    // Puts the frame's pixels in region onto the window.
    void Put(const QImage& frame, const QRegion& region);

private:
    struct Connection;
    explicit X11Surface(QWidget& window, std::unique_ptr<Connection> connection);
    std::uint32_t Window() const;

    QWidget& window_;
    std::unique_ptr<Connection> connection_;
    std::vector<std::uint8_t> rows_;
};

}  // namespace veilix
