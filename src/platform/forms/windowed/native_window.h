#pragma once
// The link between a windowed control and the Qt widget it is made on: the
// widget's events become window messages sent through the control's window
// procedure, and the control's own handling gives the event back to Qt.
#include <functional>
#include <string>

#include <QImage>
#include <QPointer>
#include <QWidget>

namespace veilix {

class TWinControl;
class NativeWindow;
struct TMessage;

// What a routed widget offers its link: to be told where its events go.
class WidgetLink {
public:
    virtual void Link(NativeWindow* link) = 0;

protected:
    ~WidgetLink() = default;
};

class NativeWindow {
public:
    using BaseEvent = std::function<bool(QEvent*)>;

    // widget is a RoutedWidget; it is deleted with the link.
    NativeWindow(TWinControl& control, QWidget* widget);
    virtual ~NativeWindow();
    NativeWindow(const NativeWindow&) = delete;
    NativeWindow& operator=(const NativeWindow&) = delete;

    // None once Qt has deleted the widget with its parent.
    QWidget* Widget() const { return widget_.data(); }

    // Called by the widget for each event; base is Qt's own handling.
    bool Route(QEvent* event, const BaseEvent& base);
    // The control's own handling of a message: Qt's handling of the event
    // being routed, or the border painting.
    void DefaultHandling(TMessage& message);

    // Kinds set how their text and border width reach the widget.
    std::function<void(const std::string&)> SetText;
    std::function<void(int border)> SetBorderWidth;

private:
    void RoutePaint();
    void SendPainted(unsigned message);

    TWinControl& control_;
    QPointer<QWidget> widget_;
    QEvent* current_ = nullptr;
    const BaseEvent* base_ = nullptr;
    bool baseResult_ = false;
    QImage overlay_;
};

// A Qt widget of kind Base whose events go through its control's window
// procedure.
template <typename Base>
class RoutedWidget : public Base, public WidgetLink {
public:
    explicit RoutedWidget(QWidget* parent = nullptr) : Base(parent) {}
    void Link(NativeWindow* link) override { link_ = link; }

protected:
    bool event(QEvent* event) override {
        if (!link_) return Base::event(event);
        return link_->Route(event, [this](QEvent* e) { return Base::event(e); });
    }

private:
    NativeWindow* link_ = nullptr;
};

}  // namespace veilix
