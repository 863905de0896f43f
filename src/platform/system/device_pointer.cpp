#include "platform/system/device_pointer.h"

#include <xcb/xcb.h>
#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QWidget>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "platform/system/platform_kind.h"

namespace veilix {

namespace {

// An XInput 2 device event as xcb hands it on: the wire layout, with the
// full sequence number xcb inserts after the first 32 bytes.
struct XInputDeviceEvent {
    std::uint8_t responseType;
    std::uint8_t extension;
    std::uint16_t sequence;
    std::uint32_t length;
    std::uint16_t eventType;
    std::uint16_t device;
    std::uint32_t time;
    std::uint32_t detail;
    std::uint32_t root;
    std::uint32_t event;
    std::uint32_t child;
    std::uint32_t fullSequence;
    std::int32_t rootX;  // 16.16 fixed point
    std::int32_t rootY;
    std::int32_t eventX;
    std::int32_t eventY;
};
static_assert(sizeof(XInputDeviceEvent) == 52);

constexpr std::uint16_t kXIButtonPress = 4, kXIButtonRelease = 5, kXIMotion = 6;

struct Record {
    std::uint32_t time = 0;
    std::uint32_t window = 0;
    DevicePointerPlace place;
};

int FromFixed(std::int32_t value) { return int(std::floor(value / 65536.0)); }

class PointerRecorder : public QAbstractNativeEventFilter {
public:
    explicit PointerRecorder(std::uint8_t xinputOpcode) : xinputOpcode_(xinputOpcode) {}

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) override {
        if (eventType != "xcb_generic_event_t") return false;
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        switch (event->response_type & 0x7F) {
            case XCB_BUTTON_PRESS:
            case XCB_BUTTON_RELEASE:
            case XCB_MOTION_NOTIFY: {
                // The three share their layout.
                const auto* core = static_cast<const xcb_button_press_event_t*>(message);
                Add({core->time,
                     core->event,
                     {QPoint(core->event_x, core->event_y), QPoint(core->root_x, core->root_y)}});
                break;
            }
            case XCB_GE_GENERIC: {
                XInputDeviceEvent xi;
                std::memcpy(&xi, message, sizeof xi);
                if (xinputOpcode_ == 0 || xi.extension != xinputOpcode_) break;
                if (xi.eventType != kXIButtonPress && xi.eventType != kXIButtonRelease && xi.eventType != kXIMotion)
                    break;
                Add({xi.time,
                     xi.event,
                     {QPoint(FromFixed(xi.eventX), FromFixed(xi.eventY)),
                      QPoint(FromFixed(xi.rootX), FromFixed(xi.rootY))}});
                break;
            }
            default: break;
        }
        return false;
    }

    // Newest first: of events with one time stamp, the latest one Qt's
    // position agrees with.
    std::optional<DevicePointerPlace> Find(std::uint32_t time, std::uint32_t window, QPointF logicalLocal,
                                           qreal ratio) const {
        for (std::size_t i = 0; i < records_.size(); ++i) {
            const Record& record = records_[(next_ + records_.size() - 1 - i) % records_.size()];
            if (record.window != window || record.time != time) continue;
            const QPointF scaled = QPointF(record.place.local) / ratio;
            if (std::abs(scaled.x() - logicalLocal.x()) <= 1.0 && std::abs(scaled.y() - logicalLocal.y()) <= 1.0)
                return record.place;
        }
        return std::nullopt;
    }

private:
    void Add(const Record& record) {
        records_[next_] = record;
        next_ = (next_ + 1) % records_.size();
    }

    std::uint8_t xinputOpcode_;
    // Qt queues a batch of events before delivering them: room for a burst.
    std::array<Record, 64> records_{};
    std::size_t next_ = 0;
};

PointerRecorder*& Recorder() {
    static PointerRecorder* recorder = nullptr;
    return recorder;
}

std::uint8_t XInputOpcode(xcb_connection_t* connection) {
    static constexpr char kName[] = "XInputExtension";
    const auto cookie = xcb_query_extension(connection, sizeof kName - 1, kName);
    const std::unique_ptr<xcb_query_extension_reply_t, decltype(&std::free)> reply(
        xcb_query_extension_reply(connection, cookie, nullptr), &std::free);
    return reply && reply->present ? reply->major_opcode : 0;
}

}  // namespace

void RecordDevicePointer() {
    if (Recorder() || CurrentPlatform() != PlatformKind::X11 || !qGuiApp) return;
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11) return;
    // Lives as long as the application, which removes it when it goes.
    auto* recorder = new PointerRecorder(XInputOpcode(x11->connection()));
    QCoreApplication::instance()->installNativeEventFilter(recorder);
    QObject::connect(QCoreApplication::instance(), &QObject::destroyed, [recorder] {
        delete recorder;
        Recorder() = nullptr;
    });
    Recorder() = recorder;
}

std::optional<DevicePointerPlace> DevicePointerOf(const QMouseEvent& event, const QWidget& window) {
    const PointerRecorder* recorder = Recorder();
    if (!recorder || !event.spontaneous() || !window.testAttribute(Qt::WA_WState_Created)) return std::nullopt;
    return recorder->Find(std::uint32_t(event.timestamp()), std::uint32_t(window.winId()), event.position(),
                          window.devicePixelRatioF());
}

}  // namespace veilix
