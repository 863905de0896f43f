#include "platform/output/frame_presenter.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/qt_application.h"

namespace veilix {
namespace {

constexpr QRgb kKey = 0xFF00FF00;
constexpr QRgb kBlack = 0xFF000000;

// What the presenter handed its back end, in order.
struct OutputLog {
    std::optional<bool> chosenKeyed;  // what the choice was told
    std::vector<std::string> calls;
    std::vector<QRect> lastShape;
    QRegion shown;            // every ShowChanged region, together
    QImage frameAtLastPaint;  // what Paint was handed
};

class RecordingOutput : public FrameOutput {
public:
    explicit RecordingOutput(OutputLog& log) : log_(log) {}
    void SetShape(const FrameComposer& composer) override {
        log_.calls.push_back("shape");
        log_.lastShape = composer.ShapeRects();
    }
    void ClearShape() override { log_.calls.push_back("clear"); }
    void ShowChanged(const QImage&, const QRegion& changed) override {
        log_.calls.push_back("show");
        log_.shown += changed;
    }
    void Paint(const QImage& frame, const QRegion&) override {
        log_.calls.push_back("paint");
        log_.frameAtLastPaint = frame.copy();
    }

private:
    OutputLog& log_;
};

// A 20x10 black window with key-coloured openings the test moves.
class FramePresenterTest : public ::testing::Test {
protected:
    void SetUp() override {
        window_.resize(20, 10);
        presenter_ = std::make_unique<FramePresenter>(
            window_,
            [this](QImage& frame, const QRect& clip) {
                for (int y = clip.top(); y <= clip.bottom(); ++y)
                    for (int x = clip.left(); x <= clip.right(); ++x)
                        frame.setPixel(x, y, opening_.contains(x, y) ? kKey : colour_);
            },
            [this](QWidget&, bool keyed) {
                log_.chosenKeyed = keyed;
                return std::make_unique<RecordingOutput>(log_);
            });
        presenter_->Resize(window_.size());
        presenter_->SetKeyColour(kKey);
    }

    // The calls since the last look, then forgets them.
    std::vector<std::string> TakeCalls() {
        std::vector<std::string> calls = std::move(log_.calls);
        log_.calls.clear();
        log_.shown = QRegion();
        return calls;
    }

    // Qt's application object before the window.
    const bool qt_ = (testing::EnsureQtApplication(), true);
    QWidget window_;
    QRect opening_{2, 2, 4, 4};
    QRgb colour_ = kBlack;
    OutputLog log_;
    std::unique_ptr<FramePresenter> presenter_;
};

using CallList = std::vector<std::string>;

TEST_F(FramePresenterTest, ShapeGoesOutOnlyWhenItChanges) {
    presenter_->SetKeyed(true);
    presenter_->Present();
    EXPECT_EQ(log_.chosenKeyed, true);
    EXPECT_EQ(TakeCalls(), (CallList{"shape", "show"})) << "the first frame: its shape before its pixels";
    EXPECT_EQ(log_.lastShape.size(), 4u) << "above, left of, right of and below the opening";

    presenter_->Present();
    EXPECT_EQ(TakeCalls(), CallList{}) << "nothing pending, nothing sent";

    presenter_->Invalidate(QRect(0, 0, 20, 10));
    presenter_->Present();
    EXPECT_EQ(TakeCalls(), CallList{}) << "repainted, but no pixel changed";

    colour_ = 0xFF102030;
    presenter_->Invalidate(QRect(10, 0, 5, 10));
    presenter_->Present();
    EXPECT_EQ(log_.shown, QRegion(10, 0, 5, 10));
    EXPECT_EQ(TakeCalls(), CallList{"show"}) << "new colours, the same shape";

    opening_ = QRect(2, 2, 3, 4);
    presenter_->Invalidate(QRect(0, 0, 20, 10));
    presenter_->Present();
    // Everything but the strip was repainted in the new colour, and the
    // closed column too; nearby changes may be shown as one span.
    const QRegion changed = QRegion(0, 0, 20, 10) - QRegion(10, 0, 5, 10) - QRegion(2, 2, 3, 4);
    EXPECT_TRUE((changed - log_.shown).isEmpty());
    EXPECT_EQ(TakeCalls(), (CallList{"shape", "show"}));
}

TEST_F(FramePresenterTest, KeyedAgainTheShapeGoesOutThoughNoPixelChanged) {
    presenter_->SetKeyed(true);
    presenter_->Present();
    TakeCalls();

    presenter_->SetKeyed(false);
    EXPECT_EQ(TakeCalls(), CallList{"clear"});
    presenter_->Present();
    EXPECT_EQ(TakeCalls(), CallList{}) << "unkeyed, no shape is handed on";

    presenter_->SetKeyed(true);
    presenter_->Present();
    EXPECT_EQ(TakeCalls(), CallList{"shape"});
}

TEST_F(FramePresenterTest, AnUnkeyedWindowNeverGetsAShape) {
    presenter_->Present();
    EXPECT_EQ(log_.chosenKeyed, false);
    opening_ = QRect(0, 0, 1, 1);
    presenter_->Invalidate(QRect(0, 0, 20, 10));
    presenter_->Present();
    const CallList calls = TakeCalls();
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "shape"), 0);
}

TEST_F(FramePresenterTest, AnExposureIsPaintedFromTheFrameBroughtUpToDate) {
    presenter_->SetKeyed(true);
    presenter_->Present();
    TakeCalls();

    colour_ = 0xFF405060;
    presenter_->Invalidate(QRect(0, 0, 20, 10));
    presenter_->Paint(QRegion(0, 0, 20, 10));
    EXPECT_EQ(TakeCalls(), (CallList{"show", "paint"}));
    EXPECT_EQ(log_.frameAtLastPaint.pixel(15, 5), 0xFF405060u);
}

// Counts the update requests that reach the window.
class UpdateRequestCounter : public QObject {
public:
    int count = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::UpdateRequest) ++count;
        return false;
    }
};

TEST_F(FramePresenterTest, ABurstOfInvalidationsAsksForOneFrame) {
    presenter_->SetKeyed(true);
    presenter_->Present();
    TakeCalls();
    UpdateRequestCounter counter;
    window_.installEventFilter(&counter);

    opening_ = QRect(3, 2, 4, 4);
    presenter_->Invalidate(QRect(0, 0, 10, 10));
    presenter_->Invalidate(QRect(0, 0, 10, 10));
    presenter_->PresentIfRequested();
    EXPECT_EQ(TakeCalls(), (CallList{"shape", "show"})) << "asked for, so composed at once";
    presenter_->PresentIfRequested();
    EXPECT_EQ(TakeCalls(), CallList{}) << "not asked for again";

    QCoreApplication::processEvents();
    EXPECT_EQ(counter.count, 1) << "one request for the burst";
    window_.removeEventFilter(&counter);
}

}  // namespace
}  // namespace veilix
