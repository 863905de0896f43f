#include "server_floor.h"

#include <X11/Xutil.h>
#include <X11/extensions/shape.h>

#include <memory>
#include <stdexcept>
#include <thread>

namespace veilix::bench {

namespace {

struct RegionDeleter {
    void operator()(_XRegion* region) const { XDestroyRegion(region); }
};
using RegionPtr = std::unique_ptr<_XRegion, RegionDeleter>;

RegionPtr RegionOf(const ShapeRects& rects) {
    RegionPtr region(XCreateRegion());
    for (XRectangle r : rects) XUnionRectWithRegion(&r, region.get(), region.get());
    return region;
}

// Where the two shapes differ: what a step shows anew or hides.
XRectangle DifferenceBox(const std::array<ShapeRects, 2>& shapes) {
    const RegionPtr a = RegionOf(shapes[0]), b = RegionOf(shapes[1]);
    RegionPtr both(XCreateRegion());
    XXorRegion(a.get(), b.get(), both.get());
    XRectangle box{};
    XClipBox(both.get(), &box);
    if (box.width == 0 || box.height == 0) box = {0, 0, 1, 1};
    return box;
}

}  // namespace

ShapeRects BoundingShape(Display* display, Window window) {
    int count = 0, ordering = 0;
    XRectangle* rects = XShapeGetRectangles(display, window, ShapeBounding, &count, &ordering);
    ShapeRects shape(rects, rects + (rects ? count : 0));
    if (rects) XFree(rects);
    return shape;
}

std::vector<double> TimeServerAlone(XWatch& x, const XRectangle& place, const std::array<ShapeRects, 2>& shapes,
                                    int steps) {
    Display* display = x.Dpy();
    XSetWindowAttributes attributes{};
    attributes.override_redirect = True;
    attributes.background_pixmap = None;
    const Window window =
        XCreateWindow(display, x.Root(), place.x, place.y, place.width, place.height, 0, CopyFromParent, InputOutput,
                      CopyFromParent, CWOverrideRedirect | CWBackPixmap, &attributes);
    const int screen = DefaultScreen(display);
    if (DefaultDepth(display, screen) != 24) throw std::runtime_error("the server's default depth is not 24");
    const GC gc = XCreateGC(display, window, 0, nullptr);
    const XRectangle box = DifferenceBox(shapes);
    std::vector<char> pixels(std::size_t(box.width) * box.height * 4, 0);
    XImage* image = XCreateImage(display, DefaultVisual(display, screen), 24, ZPixmap, 0, pixels.data(), box.width,
                                 box.height, 32, 0);
    if (!image) throw std::runtime_error("no image for the server's floor");
    auto setShape = [&](const ShapeRects& shape) {
        XShapeCombineRectangles(display, window, ShapeBounding, 0, 0, const_cast<XRectangle*>(shape.data()),
                                int(shape.size()), ShapeSet, YXBanded);
    };
    setShape(shapes[1]);
    XMapRaised(display, window);
    XSync(display, False);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    x.Drain();

    std::vector<double> micros;
    for (int k = 0; k < steps; ++k) {
        const auto start = Clock::now();
        setShape(shapes[std::size_t(k % 2)]);
        XPutImage(display, window, gc, image, 0, 0, box.x, box.y, box.width, box.height);
        XSync(display, False);
        micros.push_back(MicrosBetween(start, Clock::now()));
        x.Drain();
    }
    image->data = nullptr;  // ours, not Xlib's to free
    XDestroyImage(image);
    XFreeGC(display, gc);
    XDestroyWindow(display, window);
    XSync(display, False);
    x.Drain();
    return micros;
}

}  // namespace veilix::bench
