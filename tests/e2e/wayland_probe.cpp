// A small Wayland client the end-to-end scripts put under the stencil on a
// Wayland compositor, the counterpart of `x_probe backdrop`:
//
//   wayland_probe underneath RRGGBB LOG
//       maps a maximized window titled "Underneath" filled with the colour,
//       writes "ready" to LOG once the compositor has shown it, then one line
//       per button press or release that reaches it:
//       "press|release BUTTON X Y" (BUTTON 1 left, 2 middle, 3 right; X Y in
//       the window, which a maximized window with no panel has at the
//       output's top-left corner, so they are the screen's too).
#include <linux/input-event-codes.h>
#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>

#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "xdg-shell-client-protocol.h"

namespace {

struct Probe {
    wl_display* display = nullptr;
    wl_compositor* compositor = nullptr;
    wl_shm* shm = nullptr;
    wl_seat* seat = nullptr;
    xdg_wm_base* wmBase = nullptr;
    wl_surface* surface = nullptr;
    xdg_surface* xdgSurface = nullptr;
    xdg_toplevel* toplevel = nullptr;
    wl_pointer* pointer = nullptr;
    wl_buffer* buffer = nullptr;
    std::uint32_t colour = 0;
    int width = 0, height = 0;          // of the buffer attached
    int wantWidth = 0, wantHeight = 0;  // from the last configure
    int pointerX = 0, pointerY = 0;
    bool readyWritten = false;
    std::FILE* log = nullptr;
};

volatile std::sig_atomic_t stopRequested = 0;

void Log(Probe& probe, const std::string& line) {
    std::fprintf(probe.log, "%s\n", line.c_str());
    std::fflush(probe.log);
}

// A buffer of the wanted size filled with the colour, in shared memory.
wl_buffer* MakeBuffer(Probe& probe, int width, int height) {
    const int stride = width * 4;
    const std::size_t size = std::size_t(stride) * std::size_t(height);
    const int fd = memfd_create("wayland-probe", MFD_CLOEXEC);
    if (fd < 0 || ftruncate(fd, off_t(size)) != 0) return nullptr;
    void* pixels = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    if (pixels == MAP_FAILED) {
        close(fd);
        return nullptr;
    }
    auto* p = static_cast<std::uint32_t*>(pixels);
    for (std::size_t i = 0; i < size / 4; ++i) p[i] = 0xFF000000u | probe.colour;
    munmap(pixels, size);
    wl_shm_pool* pool = wl_shm_create_pool(probe.shm, fd, int(size));
    wl_buffer* buffer = wl_shm_pool_create_buffer(pool, 0, width, height, stride, WL_SHM_FORMAT_XRGB8888);
    wl_shm_pool_destroy(pool);
    close(fd);
    return buffer;
}

void FrameDone(void* data, wl_callback* callback, std::uint32_t) {
    auto& probe = *static_cast<Probe*>(data);
    wl_callback_destroy(callback);
    if (!probe.readyWritten) {
        probe.readyWritten = true;
        Log(probe, "ready");
    }
}
const wl_callback_listener frameListener = {FrameDone};

void SurfaceConfigure(void* data, xdg_surface* xdgSurface, std::uint32_t serial) {
    auto& probe = *static_cast<Probe*>(data);
    xdg_surface_ack_configure(xdgSurface, serial);
    const int width = probe.wantWidth > 0 ? probe.wantWidth : 800;
    const int height = probe.wantHeight > 0 ? probe.wantHeight : 600;
    if (probe.buffer && width == probe.width && height == probe.height) {
        wl_surface_commit(probe.surface);
        return;
    }
    if (probe.buffer) wl_buffer_destroy(probe.buffer);
    probe.buffer = MakeBuffer(probe, width, height);
    if (!probe.buffer) {
        std::fprintf(stderr, "wayland_probe: no shared memory for a %dx%d buffer\n", width, height);
        std::exit(1);
    }
    probe.width = width;
    probe.height = height;
    wl_surface_attach(probe.surface, probe.buffer, 0, 0);
    wl_surface_damage(probe.surface, 0, 0, width, height);
    wl_callback_add_listener(wl_surface_frame(probe.surface), &frameListener, &probe);
    wl_surface_commit(probe.surface);
}
const xdg_surface_listener surfaceListener = {SurfaceConfigure};

void ToplevelConfigure(void* data, xdg_toplevel*, std::int32_t width, std::int32_t height, wl_array*) {
    auto& probe = *static_cast<Probe*>(data);
    probe.wantWidth = width;
    probe.wantHeight = height;
}
void ToplevelClose(void*, xdg_toplevel*) { stopRequested = 1; }
// Later protocol versions add members; they stay empty here, the versions
// bound never send them.
xdg_toplevel_listener MakeToplevelListener() {
    xdg_toplevel_listener listener{};
    listener.configure = ToplevelConfigure;
    listener.close = ToplevelClose;
    return listener;
}
const xdg_toplevel_listener toplevelListener = MakeToplevelListener();

void Ping(void*, xdg_wm_base* wmBase, std::uint32_t serial) { xdg_wm_base_pong(wmBase, serial); }
const xdg_wm_base_listener wmBaseListener = {Ping};

void PointerEnter(void* data, wl_pointer*, std::uint32_t, wl_surface*, wl_fixed_t x, wl_fixed_t y) {
    auto& probe = *static_cast<Probe*>(data);
    probe.pointerX = wl_fixed_to_int(x);
    probe.pointerY = wl_fixed_to_int(y);
}
void PointerLeave(void*, wl_pointer*, std::uint32_t, wl_surface*) {}
void PointerMotion(void* data, wl_pointer*, std::uint32_t, wl_fixed_t x, wl_fixed_t y) {
    auto& probe = *static_cast<Probe*>(data);
    probe.pointerX = wl_fixed_to_int(x);
    probe.pointerY = wl_fixed_to_int(y);
}
void PointerButton(void* data, wl_pointer*, std::uint32_t, std::uint32_t, std::uint32_t button, std::uint32_t state) {
    auto& probe = *static_cast<Probe*>(data);
    int number = 0;
    switch (button) {
        case BTN_LEFT: number = 1; break;
        case BTN_MIDDLE: number = 2; break;
        case BTN_RIGHT: number = 3; break;
        default: return;
    }
    Log(probe, std::string(state == WL_POINTER_BUTTON_STATE_PRESSED ? "press " : "release ") + std::to_string(number) +
                   " " + std::to_string(probe.pointerX) + " " + std::to_string(probe.pointerY));
}
void PointerAxis(void*, wl_pointer*, std::uint32_t, std::uint32_t, wl_fixed_t) {}
wl_pointer_listener MakePointerListener() {
    wl_pointer_listener listener{};
    listener.enter = PointerEnter;
    listener.leave = PointerLeave;
    listener.motion = PointerMotion;
    listener.button = PointerButton;
    listener.axis = PointerAxis;
    return listener;
}
const wl_pointer_listener pointerListener = MakePointerListener();

void SeatCapabilities(void* data, wl_seat* seat, std::uint32_t capabilities) {
    auto& probe = *static_cast<Probe*>(data);
    if ((capabilities & WL_SEAT_CAPABILITY_POINTER) && !probe.pointer) {
        probe.pointer = wl_seat_get_pointer(seat);
        wl_pointer_add_listener(probe.pointer, &pointerListener, &probe);
    }
}
void SeatName(void*, wl_seat*, const char*) {}
const wl_seat_listener seatListener = {SeatCapabilities, SeatName};

void Global(void* data, wl_registry* registry, std::uint32_t name, const char* interface, std::uint32_t) {
    auto& probe = *static_cast<Probe*>(data);
    const std::string which = interface;
    if (which == wl_compositor_interface.name) {
        probe.compositor = static_cast<wl_compositor*>(wl_registry_bind(registry, name, &wl_compositor_interface, 4));
    } else if (which == wl_shm_interface.name) {
        probe.shm = static_cast<wl_shm*>(wl_registry_bind(registry, name, &wl_shm_interface, 1));
    } else if (which == wl_seat_interface.name && !probe.seat) {
        probe.seat = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 2));
        wl_seat_add_listener(probe.seat, &seatListener, &probe);
    } else if (which == xdg_wm_base_interface.name) {
        probe.wmBase = static_cast<xdg_wm_base*>(wl_registry_bind(registry, name, &xdg_wm_base_interface, 1));
        xdg_wm_base_add_listener(probe.wmBase, &wmBaseListener, &probe);
    }
}
void GlobalRemove(void*, wl_registry*, std::uint32_t) {}
const wl_registry_listener registryListener = {Global, GlobalRemove};

int Underneath(const char* hex, const char* logPath) {
    Probe probe;
    probe.colour = std::uint32_t(std::strtoul(hex, nullptr, 16)) & 0xFFFFFFu;
    probe.log = std::fopen(logPath, "w");
    if (!probe.log) {
        std::fprintf(stderr, "wayland_probe: cannot write %s\n", logPath);
        return 1;
    }
    probe.display = wl_display_connect(nullptr);
    if (!probe.display) {
        std::fprintf(stderr, "wayland_probe: cannot connect to the Wayland display\n");
        return 1;
    }
    wl_registry* registry = wl_display_get_registry(probe.display);
    wl_registry_add_listener(registry, &registryListener, &probe);
    wl_display_roundtrip(probe.display);
    if (!probe.compositor || !probe.shm || !probe.wmBase) {
        std::fprintf(stderr, "wayland_probe: the compositor lacks wl_compositor, wl_shm or xdg_wm_base\n");
        return 1;
    }
    probe.surface = wl_compositor_create_surface(probe.compositor);
    probe.xdgSurface = xdg_wm_base_get_xdg_surface(probe.wmBase, probe.surface);
    xdg_surface_add_listener(probe.xdgSurface, &surfaceListener, &probe);
    probe.toplevel = xdg_surface_get_toplevel(probe.xdgSurface);
    xdg_toplevel_add_listener(probe.toplevel, &toplevelListener, &probe);
    xdg_toplevel_set_title(probe.toplevel, "Underneath");
    xdg_toplevel_set_maximized(probe.toplevel);
    wl_surface_commit(probe.surface);

    std::signal(SIGTERM, [](int) { stopRequested = 1; });
    while (!stopRequested && wl_display_dispatch(probe.display) != -1) {
    }
    wl_display_disconnect(probe.display);
    std::fclose(probe.log);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "underneath") == 0) return Underneath(argv[2], argv[3]);
    std::fprintf(stderr, "usage: wayland_probe underneath RRGGBB LOG\n");
    return 2;
}
