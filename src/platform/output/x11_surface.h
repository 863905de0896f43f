#pragma once
// A keyed window's pixels and shape handed to the X server directly. Through
// Qt, a widget's mask also clips every update to it, so each repaint of a hole
// became one drawing request per band of the shape (hundreds for round
// holes), and Qt's shared-memory backing store waited for a server round trip
// before each repaint of an area drawn the step before. Here an update is one
// image request per changed rectangle, the shape one request in y-x banded
// order (no sorting for the server), both in the same write.
//
// When the shape grows, the server reports the newly shown area as exposed;
// the pixels put right after the shape already cover it, so such an exposure
// is dropped instead of repainted and put a second time. Exposures are told
// apart by sequence number: one the server raised before it handled a later
// put that covers it is stale; any other is repainted as usual.
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <vector>

#include <QRegion>

#include "platform/output/frame_output.h"

struct xcb_rectangle_t;

namespace veilix {

class X11Surface : public FrameOutput {
public:
    // Only on Qt's xcb platform, with the SHAPE extension and a window whose
    // pixels are 32-bit words in our byte order with red, green and blue
    // where Format_RGB32 keeps them; otherwise none, and Qt draws. Creates
    // the native window if it does not exist yet.
    static std::unique_ptr<X11Surface> For(QWidget& window);
    ~X11Surface() override;

    // The composer's y-x banded rectangles; none shows nothing at all.
    void SetShape(const FrameComposer& composer) override;
    void ClearShape() override;
    // Put at once: Qt's paint path would wait for yet another posted event.
    // A hidden window is painted when Qt shows it.
    void ShowChanged(const QImage& frame, const QRegion& changed) override;
    void Paint(const QImage& frame, const QRegion& region) override { Put(frame, region); }
    bool PaintsOnScreen() const override { return true; }

private:
    struct Connection;
    class ExposureFilter;
    struct PutRecord {
        std::uint32_t sequence;  // of its first request
        QRegion region;
    };
    explicit X11Surface(QWidget& window, std::unique_ptr<Connection> connection);
    // Puts the frame's pixels in region onto the window.
    void Put(const QImage& frame, const QRegion& region);
    std::uint32_t Window() const;
    // Sends the shape to the window as it is now.
    void SendShape();
    // Whether the pixels of rect were all put after the server handled
    // request sequence.
    bool PutSince(std::uint32_t sequence, const QRect& rect) const;

    QWidget& window_;
    std::unique_ptr<Connection> connection_;
    std::unique_ptr<ExposureFilter> filter_;
    std::vector<std::uint8_t> rows_;
    std::vector<xcb_rectangle_t> shapeRects_;  // the last shape set
    std::deque<PutRecord> recentPuts_;
    bool shaped_ = false;            // otherwise every pixel is shown
    std::uint32_t shapeWindow_ = 0;  // the native window it went to
};

}  // namespace veilix
