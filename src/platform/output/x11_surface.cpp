#include "platform/output/x11_surface.h"

#include <sys/uio.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <optional>

#include <xcb/xcb.h>
#include <xcb/xcbext.h>
#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QImage>
#include <QRegion>
#include <QWidget>

#include "platform/output/frame_composer.h"
#include "platform/system/platform_kind.h"

namespace veilix {

namespace {

// The SHAPE extension's one request we send, built as libxcb's generated
// bindings build it, so that no further library is needed.
xcb_extension_t shapeExtension = {"SHAPE", 0};
constexpr std::uint8_t kShapeRectangles = 1;
constexpr std::uint8_t kShapeMask = 2;
constexpr std::uint8_t kShapeSet = 0;
constexpr std::uint8_t kShapeBounding = 0;

struct ShapeRectanglesRequest {
    std::uint8_t majorOpcode;
    std::uint8_t minorOpcode;
    std::uint16_t length;
    std::uint8_t operation;
    std::uint8_t kind;
    std::uint8_t ordering;
    std::uint8_t pad;
    std::uint32_t window;
    std::int16_t xOffset;
    std::int16_t yOffset;
};
static_assert(sizeof(ShapeRectanglesRequest) == 16);

struct ShapeMaskRequest {
    std::uint8_t majorOpcode;
    std::uint8_t minorOpcode;
    std::uint16_t length;
    std::uint8_t operation;
    std::uint8_t kind;
    std::uint16_t pad;
    std::uint32_t window;
    std::int16_t xOffset;
    std::int16_t yOffset;
    std::uint32_t pixmap;
};
static_assert(sizeof(ShapeMaskRequest) == 20);

template <class T>
using Reply = std::unique_ptr<T, decltype(&std::free)>;

const xcb_visualtype_t* VisualType(const xcb_setup_t* setup, xcb_visualid_t id) {
    for (auto screens = xcb_setup_roots_iterator(setup); screens.rem; xcb_screen_next(&screens))
        for (auto depths = xcb_screen_allowed_depths_iterator(screens.data); depths.rem; xcb_depth_next(&depths))
            for (auto visuals = xcb_depth_visuals_iterator(depths.data); visuals.rem; xcb_visualtype_next(&visuals))
                if (visuals.data->visual_id == id) return visuals.data;
    return nullptr;
}

bool ThirtyTwoBitPixels(const xcb_setup_t* setup, std::uint8_t depth) {
    for (auto formats = xcb_setup_pixmap_formats_iterator(setup); formats.rem; xcb_format_next(&formats))
        if (formats.data->depth == depth) return formats.data->bits_per_pixel == 32 && formats.data->scanline_pad == 32;
    return false;
}

// Sequence numbers wrap; a is later than b when the difference says so.
bool Later(std::uint32_t a, std::uint32_t b) { return std::int32_t(a - b) > 0; }

// Enough puts to cover the few steps an exposure can lag behind.
constexpr std::size_t kRecentPuts = 16;

}  // namespace

class X11Surface::ExposureFilter : public QAbstractNativeEventFilter {
public:
    explicit ExposureFilter(X11Surface& surface) : surface_(surface) {
        QCoreApplication::instance()->installNativeEventFilter(this);
    }
    ~ExposureFilter() override {
        if (QCoreApplication::instance()) QCoreApplication::instance()->removeNativeEventFilter(this);
    }

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) override {
        if (eventType != "xcb_generic_event_t") return false;
        auto* event = static_cast<xcb_generic_event_t*>(message);
        if ((event->response_type & 0x7F) != XCB_EXPOSE) return false;
        auto* expose = reinterpret_cast<xcb_expose_event_t*>(event);
        if (expose->window != surface_.Window()) return false;
        const bool last = expose->count == 0;
        const bool stale =
            surface_.PutSince(event->full_sequence, QRect(expose->x, expose->y, expose->width, expose->height));
        const bool seriesStarted = passedInSeries_;
        passedInSeries_ = !last && (passedInSeries_ || !stale);
        if (!stale) return false;
        // Qt gathers a series of exposures until its last one; once part of
        // it went through, the last must too, with nothing left to paint.
        if (last && seriesStarted) {
            expose->width = 0;
            expose->height = 0;
            return false;
        }
        return true;
    }

private:
    X11Surface& surface_;
    bool passedInSeries_ = false;
};

struct X11Surface::Connection {
    xcb_connection_t* xcb = nullptr;
    xcb_gcontext_t gc = 0;
    std::uint8_t depth = 0;
    std::size_t maxRequestBytes = 0;
};

std::unique_ptr<X11Surface> X11Surface::For(QWidget& window) {
    if (CurrentPlatform() != PlatformKind::X11) return nullptr;
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection()) return nullptr;
    auto connection = std::make_unique<Connection>();
    xcb_connection_t* c = connection->xcb = x11->connection();
    // Three questions, one round trip: all are asked before any answer is
    // awaited.
    xcb_prefetch_extension_data(c, &shapeExtension);
    const auto id = xcb_window_t(window.winId());
    const xcb_get_geometry_cookie_t geometryCookie = xcb_get_geometry(c, id);
    const xcb_get_window_attributes_cookie_t attributesCookie = xcb_get_window_attributes(c, id);
    const xcb_query_extension_reply_t* shape = xcb_get_extension_data(c, &shapeExtension);
    const Reply<xcb_get_geometry_reply_t> geometry(xcb_get_geometry_reply(c, geometryCookie, nullptr), &std::free);
    const Reply<xcb_get_window_attributes_reply_t> attributes(
        xcb_get_window_attributes_reply(c, attributesCookie, nullptr), &std::free);
    if (!shape || !shape->present || !geometry || !attributes) return nullptr;
    const xcb_setup_t* setup = xcb_get_setup(c);
    const xcb_visualtype_t* visual = VisualType(setup, attributes->visual);
    // Format_RGB32 words as they lie in memory must be the server's pixels.
    const bool ourByteOrder =
        (setup->image_byte_order == XCB_IMAGE_ORDER_LSB_FIRST) == (QSysInfo::ByteOrder == QSysInfo::LittleEndian);
    if (!visual || visual->_class != XCB_VISUAL_CLASS_TRUE_COLOR || visual->red_mask != 0xFF0000 ||
        visual->green_mask != 0x00FF00 || visual->blue_mask != 0x0000FF || geometry->depth != 24 ||
        !ThirtyTwoBitPixels(setup, geometry->depth) || !ourByteOrder)
        return nullptr;

    connection->depth = geometry->depth;
    connection->maxRequestBytes = std::size_t(xcb_get_maximum_request_length(c)) * 4;
    connection->gc = xcb_generate_id(c);
    const std::uint32_t noExposures = 0;
    xcb_create_gc(c, connection->gc, id, XCB_GC_GRAPHICS_EXPOSURES, &noExposures);
    return std::unique_ptr<X11Surface>(new X11Surface(window, std::move(connection)));
}

X11Surface::X11Surface(QWidget& window, std::unique_ptr<Connection> connection)
    : window_(window), connection_(std::move(connection)), filter_(std::make_unique<ExposureFilter>(*this)) {}

X11Surface::~X11Surface() { xcb_free_gc(connection_->xcb, connection_->gc); }

// Never creates the native window: asked while Qt has none, the answer is 0
// and nothing is sent.
std::uint32_t X11Surface::Window() const { return std::uint32_t(window_.internalWinId()); }

bool X11Surface::PutSince(std::uint32_t sequence, const QRect& rect) const {
    QRegion covered;
    for (const PutRecord& put : recentPuts_)
        if (Later(put.sequence, sequence)) covered += put.region;
    return QRegion(rect).subtracted(covered).isEmpty();
}

void X11Surface::SetShape(const FrameComposer& composer) {
    shaped_ = true;
    shapeRects_.clear();
    for (const QRect& r : composer.ShapeRects())
        shapeRects_.push_back(
            {std::int16_t(r.x()), std::int16_t(r.y()), std::uint16_t(r.width()), std::uint16_t(r.height())});
    SendShape();
}

void X11Surface::SendShape() {
    shapeWindow_ = Window();
    if (!shapeWindow_ || !shaped_) return;
    std::vector<xcb_rectangle_t>& rects = shapeRects_;
    static const xcb_protocol_request_t request = {4, &shapeExtension, kShapeRectangles, 1};
    ShapeRectanglesRequest header{};
    header.operation = kShapeSet;
    header.kind = kShapeBounding;
    header.ordering = XCB_CLIP_ORDERING_YX_BANDED;
    header.window = Window();
    iovec parts[6];
    parts[2].iov_base = &header;
    parts[2].iov_len = sizeof header;
    parts[3].iov_base = nullptr;
    parts[3].iov_len = 0;
    parts[4].iov_base = rects.data();
    parts[4].iov_len = rects.size() * sizeof(xcb_rectangle_t);
    parts[5].iov_base = nullptr;
    parts[5].iov_len = 0;
    xcb_send_request(connection_->xcb, 0, parts + 2, &request);
}

void X11Surface::ClearShape() {
    shaped_ = false;
    if (!Window()) return;
    static const xcb_protocol_request_t request = {2, &shapeExtension, kShapeMask, 1};
    ShapeMaskRequest header{};
    header.operation = kShapeSet;
    header.kind = kShapeBounding;
    header.window = Window();
    header.pixmap = XCB_NONE;
    iovec parts[4];
    parts[2].iov_base = &header;
    parts[2].iov_len = sizeof header;
    parts[3].iov_base = nullptr;
    parts[3].iov_len = 0;
    xcb_send_request(connection_->xcb, 0, parts + 2, &request);
    xcb_flush(connection_->xcb);
}

void X11Surface::ShowChanged(const QImage& frame, const QRegion& changed) {
    if (window_.isVisible())
        Put(frame, changed);
    else
        window_.update(changed);
}

void X11Surface::Put(const QImage& frame, const QRegion& region) {
    xcb_connection_t* c = connection_->xcb;
    const xcb_window_t window = Window();
    if (!window) return;
    // A native window Qt made anew has no shape yet: it gets the last one
    // before any of its pixels.
    if (shaped_ && shapeWindow_ != window) SendShape();
    const std::size_t headerBytes = sizeof(xcb_put_image_request_t);
    std::optional<std::uint32_t> first;
    for (const QRect& rect : region) {
        const QRect area = rect & frame.rect();
        if (area.isEmpty()) continue;
        const std::size_t rowBytes = std::size_t(area.width()) * 4;
        const int rowsPerRequest =
            int(std::max<std::size_t>(1, (connection_->maxRequestBytes - headerBytes) / rowBytes));
        const bool wholeRows = area.left() == 0 && area.width() == frame.width();
        for (int y = area.top(); y <= area.bottom(); y += rowsPerRequest) {
            const int rows = std::min(rowsPerRequest, area.bottom() + 1 - y);
            const std::uint8_t* data = frame.constScanLine(y);
            if (!wholeRows) {
                // Rows of a narrower rectangle are not contiguous in the frame.
                rows_.resize(rowBytes * std::size_t(rows));
                for (int i = 0; i < rows; ++i)
                    std::memcpy(rows_.data() + rowBytes * std::size_t(i), frame.constScanLine(y + i) + area.left() * 4,
                                rowBytes);
                data = rows_.data();
            }
            const xcb_void_cookie_t cookie =
                xcb_put_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, window, connection_->gc, std::uint16_t(area.width()),
                              std::uint16_t(rows), std::int16_t(area.left()), std::int16_t(y), 0, connection_->depth,
                              std::uint32_t(rowBytes * std::size_t(rows)), data);
            if (!first) first = cookie.sequence;
        }
    }
    if (first) {
        recentPuts_.push_back({*first, region & frame.rect()});
        if (recentPuts_.size() > kRecentPuts) recentPuts_.pop_front();
    }
    // The shape set for this frame goes out with its pixels in one write.
    xcb_flush(c);
}

}  // namespace veilix
