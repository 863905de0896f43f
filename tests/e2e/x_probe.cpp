// A small X client the end-to-end scripts use to look at the screen and to
// put a plain window under the stencil.
//
//   x_probe pixel X Y                 prints "R G B" of the screen at (X, Y)
//   x_probe region X Y W H            prints H lines of W "rrggbb" values,
//                                     the screen's pixels in that rectangle
//   x_probe colours X Y W H           one line per colour shown in that
//                                     rectangle, "rrggbb COUNT", most first
//   x_probe find X Y W H RRGGBB       prints "X Y" of the first pixel of that
//                                     colour in the rectangle, row by row;
//                                     exit code 1 when there is none
//   x_probe windows                   one line per mapped top-level window:
//                                     "ID X Y WIDTH HEIGHT OVERRIDE NAME"
//   x_probe close ID                  asks the window to close, as a window
//                                     manager's close button would
//                                     (WM_DELETE_WINDOW)
//   x_probe backdrop X Y W H RRGGBB LOG
//                                     maps a window named "Backdrop" filled
//                                     with the colour, writes "ready" to LOG
//                                     once it is on screen, then one line per
//                                     button press or release it receives:
//                                     "press|release BUTTON ROOT_X ROOT_Y"
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

int Usage() {
    std::fprintf(stderr,
                 "usage: x_probe pixel X Y | x_probe region X Y W H | x_probe colours X Y W H |\n"
                 "       x_probe find X Y W H RRGGBB | x_probe windows | x_probe close ID |\n"
                 "       x_probe backdrop X Y W H RRGGBB LOG\n");
    return 2;
}

// The channel's 8-bit value from a TrueColor pixel and the visual's mask.
unsigned Channel(unsigned long pixel, unsigned long mask) {
    if (mask == 0) return 0;
    int shift = 0;
    while (!((mask >> shift) & 1UL)) ++shift;
    unsigned long bits = mask >> shift;
    const unsigned long value = (pixel & mask) >> shift;
    return unsigned(value * 255UL / bits);
}

// The screen's pixels in a rectangle as 0xRRGGBB values, row by row; none
// (after saying why) when the rectangle cannot be read.
std::optional<std::vector<unsigned long>> ReadScreen(Display* display, int x, int y, int width, int height) {
    XImage* image =
        XGetImage(display, DefaultRootWindow(display), x, y, unsigned(width), unsigned(height), AllPlanes, ZPixmap);
    if (!image) {
        std::fprintf(stderr, "x_probe: cannot read the screen at %d,%d %dx%d\n", x, y, width, height);
        return std::nullopt;
    }
    const Visual* visual = DefaultVisual(display, DefaultScreen(display));
    std::vector<unsigned long> rgb;
    rgb.reserve(std::size_t(width) * std::size_t(height));
    for (int row = 0; row < height; ++row)
        for (int column = 0; column < width; ++column) {
            const unsigned long pixel = XGetPixel(image, column, row);
            rgb.push_back((Channel(pixel, visual->red_mask) << 16) | (Channel(pixel, visual->green_mask) << 8) |
                          Channel(pixel, visual->blue_mask));
        }
    XDestroyImage(image);
    return rgb;
}

// Prints the screen's pixels in a rectangle, either as "R G B" for a single
// pixel or as rows of "rrggbb" values.
int Pixels(Display* display, int x, int y, int width, int height, bool decimal) {
    if (width <= 0 || height <= 0) return Usage();
    const auto rgb = ReadScreen(display, x, y, width, height);
    if (!rgb) return 1;
    for (int row = 0; row < height; ++row) {
        for (int column = 0; column < width; ++column) {
            const unsigned long c = (*rgb)[std::size_t(row * width + column)];
            if (decimal)
                std::printf("%lu %lu %lu", c >> 16, (c >> 8) & 0xFF, c & 0xFF);
            else
                std::printf("%s%06lx", column ? " " : "", c);
        }
        std::printf("\n");
    }
    return 0;
}

// How many pixels of each colour the screen shows in a rectangle: a whole
// window checked at once, not a probe pixel or two.
int Colours(Display* display, int x, int y, int width, int height) {
    if (width <= 0 || height <= 0) return Usage();
    const auto rgb = ReadScreen(display, x, y, width, height);
    if (!rgb) return 1;
    std::map<unsigned long, long> counts;
    for (const unsigned long c : *rgb) ++counts[c];
    std::vector<std::pair<long, unsigned long>> byCount;
    for (const auto& [colour, count] : counts) byCount.emplace_back(-count, colour);
    std::sort(byCount.begin(), byCount.end());
    for (const auto& [negativeCount, colour] : byCount) std::printf("%06lx %ld\n", colour, -negativeCount);
    return 0;
}

int Find(Display* display, int x, int y, int width, int height, unsigned long wanted) {
    if (width <= 0 || height <= 0) return Usage();
    const auto rgb = ReadScreen(display, x, y, width, height);
    if (!rgb) return 1;
    const auto at = std::find(rgb->begin(), rgb->end(), wanted);
    if (at == rgb->end()) return 1;
    const int index = int(at - rgb->begin());
    std::printf("%d %d\n", x + index % width, y + index / width);
    return 0;
}

int Windows(Display* display) {
    const Window root = DefaultRootWindow(display);
    Window rootReturn = 0, parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, root, &rootReturn, &parent, &children, &count)) return 1;
    for (unsigned i = 0; i < count; ++i) {
        XWindowAttributes attributes;
        if (!XGetWindowAttributes(display, children[i], &attributes)) continue;
        if (attributes.map_state != IsViewable) continue;
        char* name = nullptr;
        XFetchName(display, children[i], &name);
        std::printf("0x%lx %d %d %d %d %d %s\n", children[i], attributes.x, attributes.y, attributes.width,
                    attributes.height, attributes.override_redirect ? 1 : 0, name ? name : "");
        if (name) XFree(name);
    }
    if (children) XFree(children);
    return 0;
}

int Close(Display* display, Window window) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = long(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    if (!XSendEvent(display, window, False, NoEventMask, &event)) return 1;
    XSync(display, False);
    return 0;
}

int Backdrop(Display* display, int x, int y, int width, int height, unsigned long rgb, const char* logPath) {
    std::FILE* log = std::fopen(logPath, "w");
    if (!log) {
        std::perror(logPath);
        return 1;
    }
    const int screen = DefaultScreen(display);
    Visual* visual = DefaultVisual(display, screen);
    if (visual->c_class != TrueColor) {
        std::fprintf(stderr, "x_probe: the default visual is not TrueColor\n");
        return 1;
    }
    // Compose the pixel from the visual's masks, so the colour is exact.
    auto place = [](unsigned long value, unsigned long mask) {
        int shift = 0;
        while (mask && !((mask >> shift) & 1UL)) ++shift;
        return (value << shift) & mask;
    };
    const unsigned long pixel = place((rgb >> 16) & 0xFF, visual->red_mask) |
                                place((rgb >> 8) & 0xFF, visual->green_mask) | place(rgb & 0xFF, visual->blue_mask);

    XSetWindowAttributes attributes{};
    attributes.background_pixel = pixel;
    // No window manager places or decorates it: it goes exactly where asked.
    attributes.override_redirect = True;
    attributes.event_mask = ButtonPressMask | ButtonReleaseMask | ExposureMask | StructureNotifyMask;
    const Window window =
        XCreateWindow(display, DefaultRootWindow(display), x, y, unsigned(width), unsigned(height), 0, CopyFromParent,
                      InputOutput, CopyFromParent, CWBackPixel | CWOverrideRedirect | CWEventMask, &attributes);
    XStoreName(display, window, "Backdrop");
    XMapWindow(display, window);

    bool ready = false;
    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
        switch (event.type) {
            case MapNotify:
            case Expose:
                if (!ready) {
                    XSync(display, False);
                    std::fprintf(log, "ready\n");
                    std::fflush(log);
                    ready = true;
                }
                break;
            case ButtonPress:
            case ButtonRelease:
                std::fprintf(log, "%s %u %d %d\n", event.type == ButtonPress ? "press" : "release",
                             event.xbutton.button, event.xbutton.x_root, event.xbutton.y_root);
                std::fflush(log);
                break;
            default: break;
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return Usage();
    const std::string command = argv[1];
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "x_probe: cannot open the display\n");
        return 1;
    }
    int result = 0;
    if (command == "pixel" && argc == 4) {
        result = Pixels(display, std::atoi(argv[2]), std::atoi(argv[3]), 1, 1, true);
    } else if (command == "region" && argc == 6) {
        result = Pixels(display, std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]), false);
    } else if (command == "colours" && argc == 6) {
        result = Colours(display, std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]));
    } else if (command == "find" && argc == 7) {
        result = Find(display, std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]),
                      std::strtoul(argv[6], nullptr, 16));
    } else if (command == "windows" && argc == 2) {
        result = Windows(display);
    } else if (command == "close" && argc == 3) {
        result = Close(display, Window(std::strtoul(argv[2], nullptr, 0)));
    } else if (command == "backdrop" && argc == 8) {
        result = Backdrop(display, std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]),
                          std::strtoul(argv[6], nullptr, 16), argv[7]);
    } else {
        result = Usage();
    }
    XCloseDisplay(display);
    return result;
}
