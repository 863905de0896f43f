#pragma once
// TControlBar: a bar of bands. Only what a band painter needs is modelled: the
// band-paint handler and the requests to repaint the bar.
#include "platform/core/component.h"
#include "platform/core/events.h"
#include "platform/core/method.h"
#include "platform/core/types.h"

namespace veilix {

class TCanvas;

using TBandPaintEvent = TMethod<TComponent*, TCanvas&, TRect>;

class TControlBar : public TComponent {
public:
    explicit TControlBar(TComponent* owner);
    const TClassInfo& ClassInfo() const override { return classes::ControlBar; }

    TBandPaintEvent OnBandPaint;
    // Runs on every repaint request.
    TNotifyEvent OnRepaintRequest;

    void PaintBand(TCanvas& canvas, TRect rect) { OnBandPaint(this, canvas, rect); }
    void Repaint() {
        ++repaintRequests_;
        OnRepaintRequest(this);
    }
    int RepaintRequests() const { return repaintRequests_; }

private:
    int repaintRequests_ = 0;
};

}  // namespace veilix
