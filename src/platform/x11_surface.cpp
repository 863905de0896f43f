#include "platform/x11_surface.h"

#include <sys/uio.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include <QGuiApplication>
#include <QImage>
#include <QRegion>
#include <QWidget>
#include <xcb/xcb.h>
#include <xcb/xcbext.h>

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

}  // namespace

struct X11Surface::Connection {
    xcb_connection_t* xcb = nullptr;
    xcb_gcontext_t gc = 0;
    std::uint8_t depth = 0;
    std::size_t maxRequestBytes = 0;
};

std::unique_ptr<X11Surface> X11Surface::For(QWidget& window) {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) return nullptr;
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection()) return nullptr;
    auto connection = std::make_unique<Connection>();
    xcb_connection_t* c = connection->xcb = x11->connection();
    const xcb_query_extension_reply_t* shape = xcb_get_extension_data(c, &shapeExtension);
    if (!shape || !shape->present) return nullptr;

    const auto id = xcb_window_t(window.winId());
    const Reply<xcb_get_geometry_reply_t> geometry(xcb_get_geometry_reply(c, xcb_get_geometry(c, id), nullptr),
                                                   &std::free);
    const Reply<xcb_get_window_attributes_reply_t> attributes(
        xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, id), nullptr), &std::free);
    if (!geometry || !attributes) return nullptr;
    const xcb_setup_t* setup = xcb_get_setup(c);
    const xcb_visualtype_t* visual = VisualType(setup, attributes->visual);
    // Format_RGB32 words as they lie in memory must be the server's pixels.
    const bool ourByteOrder = (setup->image_byte_order == XCB_IMAGE_ORDER_LSB_FIRST) ==
                              (QSysInfo::ByteOrder == QSysInfo::LittleEndian);
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
    : window_(window), connection_(std::move(connection)) {}

X11Surface::~X11Surface() { xcb_free_gc(connection_->xcb, connection_->gc); }

std::uint32_t X11Surface::Window() const { return std::uint32_t(window_.winId()); }

void X11Surface::SetShape(const QRegion& shape) {
    // QRegion keeps its rectangles y-x banded, as the server can take them
    // without sorting.
    std::vector<xcb_rectangle_t> rects;
    rects.reserve(std::size_t(shape.rectCount()));
    for (const QRect& r : shape)
        rects.push_back({std::int16_t(r.x()), std::int16_t(r.y()), std::uint16_t(r.width()), std::uint16_t(r.height())});
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

void X11Surface::Put(const QImage& frame, const QRegion& region) {
    xcb_connection_t* c = connection_->xcb;
    const xcb_window_t window = Window();
    const std::size_t headerBytes = sizeof(xcb_put_image_request_t);
    for (const QRect& rect : region) {
        const QRect area = rect & frame.rect();
        if (area.isEmpty()) continue;
        const std::size_t rowBytes = std::size_t(area.width()) * 4;
        const int rowsPerRequest = int(std::max<std::size_t>(1, (connection_->maxRequestBytes - headerBytes) / rowBytes));
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
            xcb_put_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, window, connection_->gc, std::uint16_t(area.width()),
                          std::uint16_t(rows), std::int16_t(area.left()), std::int16_t(y), 0, connection_->depth,
                          std::uint32_t(rowBytes * std::size_t(rows)), data);
        }
    }
    // The shape set for this frame goes out with its pixels in one write.
    xcb_flush(c);
}

}  // namespace veilix
