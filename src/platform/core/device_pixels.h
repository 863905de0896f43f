#pragma once
// Logical pixels (what forms, controls and the pointer speak in) and device
// pixels (what the screen has) on a scaled desktop. One rule maps every edge:
// logical x lies at device floor(x * ratio + 0.5), the rounding Qt gives a
// window's native place and size, so a frame fills its window exactly. A
// logical pixel is then the device pixels between its two edges: one or two
// at 1.5, always two at 2. Mapping edges, never sizes, leaves no seam and no
// overlap between areas that share an edge.
#include <cmath>

#include <QImage>
#include <QRect>
#include <QRectF>
#include <QRegion>

namespace veilix {

inline int DeviceEdge(int logical, qreal ratio) {
    if (ratio == 1.0) return logical;
    return int(std::floor(logical * ratio + 0.5));
}

inline QRect DeviceRect(const QRect& logical, qreal ratio) {
    if (ratio == 1.0 || logical.isEmpty()) return logical;
    const int left = DeviceEdge(logical.left(), ratio), top = DeviceEdge(logical.top(), ratio);
    return QRect(left, top, DeviceEdge(logical.left() + logical.width(), ratio) - left,
                 DeviceEdge(logical.top() + logical.height(), ratio) - top);
}

// An image's area in logical pixels: its device size over its ratio.
inline QRect LogicalRect(const QImage& image) { return QRect(QPoint(0, 0), image.deviceIndependentSize().toSize()); }

inline QRegion DeviceRegion(const QRegion& logical, qreal ratio) {
    if (ratio == 1.0) return logical;
    QRegion device;
    for (const QRect& rect : logical) device += DeviceRect(rect, ratio);
    return device;
}

// The logical pixel that device pixel d belongs to.
inline int LogicalPixelOfDevice(int d, qreal ratio) {
    if (ratio == 1.0) return d;
    int x = int(std::floor((d + 0.5) / ratio));
    while (DeviceEdge(x, ratio) > d) --x;
    while (DeviceEdge(x + 1, ratio) <= d) ++x;
    return x;
}

// The logical pixel under a pointer that Qt reports at logical position p
// (its device position divided by the ratio).
inline int LogicalPixelAt(qreal p, qreal ratio) {
    if (ratio == 1.0) return int(std::floor(p));
    // The small allowance keeps a device position that came back as
    // 646.9999 after the division in pixel 647.
    return LogicalPixelOfDevice(int(std::floor(p * ratio + 1e-6)), ratio);
}

// Where device rectangle rect lies in a painter's logical coordinates:
// drawing a frame's device pixels there puts them one to one on the screen's.
inline QRectF LogicalPlace(const QRect& device, qreal ratio) {
    return QRectF(device.x() / ratio, device.y() / ratio, device.width() / ratio, device.height() / ratio);
}

// The logical pixels that touch the device rectangle: what to repaint when
// the device pixels of rect changed.
inline QRect LogicalCover(const QRect& device, qreal ratio) {
    if (ratio == 1.0 || device.isEmpty()) return device;
    const int left = LogicalPixelOfDevice(device.left(), ratio);
    const int top = LogicalPixelOfDevice(device.top(), ratio);
    return QRect(QPoint(left, top),
                 QPoint(LogicalPixelOfDevice(device.right(), ratio), LogicalPixelOfDevice(device.bottom(), ratio)));
}

inline QRegion LogicalCover(const QRegion& device, qreal ratio) {
    if (ratio == 1.0) return device;
    QRegion logical;
    for (const QRect& rect : device) logical += LogicalCover(rect, ratio);
    return logical;
}

// The logical pixels all of whose device pixels lie in shown, of a frame
// whose device pixels are frame: a mask in logical pixels that never shows a
// device pixel outside shown.
inline QRegion LogicalInside(const QRegion& shown, const QRect& frame, qreal ratio) {
    if (ratio == 1.0) return shown;
    return LogicalCover(QRegion(frame), ratio) - LogicalCover(QRegion(frame) - shown, ratio);
}

}  // namespace veilix
