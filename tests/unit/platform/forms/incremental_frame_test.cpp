// The frame a form keeps up to date area by area, and the shape it rescans row
// span by row span, must always equal what a full repaint and a full scan give.
// A seeded random walk of adds, bound changes and overlaps drives two forms with
// the same controls: one updated incrementally, one fully repainted every step.
#include <cstdint>
#include <random>
#include <span>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <QImage>
#include <QRegion>

#include <gtest/gtest.h>

#include "platform/forms/form.h"
#include "platform/forms/image.h"
#include "platform/graphics/bitmap.h"
#include "platform/output/frame_composer.h"
#include "support/qt_application.h"
#include "templates/png/png_decoder.h"
#include "templates/template_streams.h"

namespace veilix {
namespace {

constexpr QRgb kKey = 0xFF00FF00;
constexpr int kFormWidth = 651;
constexpr int kFormHeight = 338;

TBitmap FromTemplate(std::span<const std::uint8_t> png) {
    const TemplatePicture p = DecodePng(png);
    return TBitmap::FromRgb(p.width, p.height, p.rgb.data());
}

// Rows of '#' black, '.' lime, 'g' a grey that is neither; tiny pictures make
// every stretched source pixel a block, so block edges land all over the frame.
TBitmap FromRows(const std::vector<std::string>& rows) {
    TBitmap bitmap(int(rows[0].size()), int(rows.size()));
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x) {
            const char c = rows[std::size_t(y)][std::size_t(x)];
            bitmap.SetPixel(x, y, c == '.' ? clLime : c == 'g' ? RGBColor(90, 90, 90) : clBlack);
        }
    return bitmap;
}

std::vector<TBitmap> Pictures() {
    std::vector<TBitmap> pictures;
    pictures.push_back(FromTemplate(RectangleTemplatePng()));
    pictures.push_back(FromTemplate(EllipseTemplatePng()));
    pictures.push_back(FromTemplate(CircleTemplatePng()));
    pictures.push_back(FromRows({"###", "#.#", "###"}));
    pictures.push_back(FromRows({"....", "...."}));                               // lime up to every border
    pictures.push_back(FromRows({".#.#.", "#####", "..g..", "#####", ".#.#."}));  // lime on the edges
    pictures.push_back(FromRows({"."}));
    pictures.push_back(FromRows({"#g", "g#"}));  // no lime at all
    return pictures;
}

void SetUpSheet(TForm& form) {
    form.SetClientWidth(kFormWidth);
    form.SetClientHeight(kFormHeight);
    form.SetColor(clBlack);
    form.SetTransparentColorValue(clLime);
    form.SetTransparentColor(true);
}

// The shape from a full scan: every pixel not of the key colour, row by row,
// left to Qt's region arithmetic to merge.
QRegion ShownPixels(const QImage& frame) {
    QRegion shown;
    const int width = frame.width();
    for (int y = 0; y < frame.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(frame.constScanLine(y));
        QRegion row;
        for (int x = 0; x < width;) {
            if (line[x] == kKey) {
                ++x;
                continue;
            }
            const int begin = x;
            while (x < width && line[x] != kKey) ++x;
            row += QRect(begin, y, x - begin, 1);
        }
        shown += row;
    }
    return shown;
}

std::string DescribeFrameDifference(const QImage& incremental, const QImage& full) {
    if (incremental.size() != full.size()) return "frame sizes differ";
    int count = 0;
    QRect box;
    QPoint first(-1, -1);
    for (int y = 0; y < full.height(); ++y)
        for (int x = 0; x < full.width(); ++x)
            if (incremental.pixel(x, y) != full.pixel(x, y)) {
                if (count++ == 0) first = QPoint(x, y);
                box |= QRect(x, y, 1, 1);
            }
    std::ostringstream out;
    out << count << " pixels differ within (" << box.x() << "," << box.y() << " " << box.width() << "x" << box.height()
        << "); first at (" << first.x() << "," << first.y() << "): incremental " << std::hex << incremental.pixel(first)
        << ", full " << full.pixel(first);
    return out.str();
}

std::string DescribeRegion(const QRegion& region) {
    const QRect box = region.boundingRect();
    std::ostringstream out;
    out << region.rectCount() << " rects within (" << box.x() << "," << box.y() << " " << box.width() << "x"
        << box.height() << ")";
    return out.str();
}

std::string DescribeControls(const std::vector<TImage*>& controls) {
    std::ostringstream out;
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const TImage& c = *controls[i];
        out << "  #" << i << " " << c.Left() << "," << c.Top() << " " << c.Width() << "x" << c.Height()
            << (c.Stretch() ? "" : " unstretched") << "\n";
    }
    return out.str();
}

TEST(IncrementalFrame, MatchesFullRepaintAndRescanAfterRandomEdits) {
    testing::EnsureQtApplication();
    const std::vector<TBitmap> pictures = Pictures();

    TForm incremental(nullptr);
    TForm full(nullptr);
    SetUpSheet(incremental);
    SetUpSheet(full);
    incremental.UpdateFrame();

    std::vector<TImage*> mine, theirs;  // the same controls, in the same order
    std::mt19937 random(20240611u);
    auto pick = [&random](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };

    auto add = [&](std::ostringstream& what) {
        const std::size_t picture = std::size_t(pick(0, int(pictures.size()) - 1));
        // The program only stretches its holes; an occasional unstretched one
        // leaves the form colour around its picture and so never covers a clip.
        const bool stretch = pick(0, 4) != 0;
        const int left = pick(-120, kFormWidth + 20), top = pick(-120, kFormHeight + 20);
        const int width = pick(-10, 260), height = pick(-10, 260);
        for (auto [form, list] : {std::pair{&incremental, &mine}, std::pair{&full, &theirs}}) {
            auto* image = new TImage(form);
            image->SetParent(form);
            image->SetTransparent(true);
            image->SetStretch(stretch);
            image->Picture().Assign(pictures[picture]);
            image->SetWidth(width);
            image->SetHeight(height);
            image->SetTop(top);
            image->SetLeft(left);
            list->push_back(image);
        }
        what << "add picture " << picture << (stretch ? "" : " unstretched") << " at " << left << "," << top << " "
             << width << "x" << height;
    };

    // One bound at a time, as a drag or the program's own setters change them.
    auto changeBound = [&](std::ostringstream& what) {
        const std::size_t i = std::size_t(pick(0, int(mine.size()) - 1));
        const int bound = pick(0, 3);
        int value = 0;
        switch (pick(0, 5)) {
            case 0: value = 0; break;
            case 1: value = pick(-60, -1); break;
            case 2: value = pick(kFormWidth - 40, kFormWidth + 200); break;  // past the right and bottom
            default: value = bound < 2 ? pick(-150, kFormWidth) : pick(1, 320); break;
        }
        using Setter = void (TControl::*)(std::int32_t);
        static constexpr Setter setters[] = {&TControl::SetLeft, &TControl::SetTop, &TControl::SetWidth,
                                             &TControl::SetHeight};
        static constexpr const char* names[] = {"Left", "Top", "Width", "Height"};
        (mine[i]->*setters[bound])(value);
        (theirs[i]->*setters[bound])(value);
        what << "#" << i << " " << names[bound] << " = " << value;
    };

    // Moves one control partly over another, a step at a time through both bounds.
    auto overlap = [&](std::ostringstream& what) {
        const std::size_t i = std::size_t(pick(0, int(mine.size()) - 1));
        const std::size_t j = std::size_t(pick(0, int(mine.size()) - 1));
        const int left = mine[j]->Left() + pick(-30, 30), top = mine[j]->Top() + pick(-30, 30);
        for (TImage* c : {mine[i], theirs[i]}) {
            c->SetLeft(left);
            c->SetTop(top);
        }
        what << "#" << i << " over #" << j << " at " << left << "," << top;
    };

    const int steps = 300;
    for (int step = 0; step < steps; ++step) {
        std::ostringstream what;
        // Several edits may pile up before one update, as between two repaints.
        const int edits = pick(1, 3);
        for (int e = 0; e < edits; ++e) {
            if (e) what << "; ";
            const int roll = pick(0, 99);
            if (mine.empty() || (roll < 12 && mine.size() < 14))
                add(what);
            else if (roll < 80 || mine.size() < 2)
                changeBound(what);
            else
                overlap(what);
        }

        incremental.UpdateFrame();
        full.Invalidate(TRect{0, 0, full.Width(), full.Height()});
        full.UpdateFrame();

        const QImage& frame = incremental.Composer().Frame();
        const QImage& expected = full.Composer().Frame();
        const QRegion shown = ShownPixels(frame);
        const QRegion shape = incremental.Composer().Shape();
        const bool frameOk = frame == expected;
        const bool shapeOk = shape.xored(shown).isEmpty();
        if (!frameOk || !shapeOk) {
            ADD_FAILURE() << "step " << step << " (" << what.str() << ")\n"
                          << (frameOk ? "" : "frame: " + DescribeFrameDifference(frame, expected) + "\n")
                          << (shapeOk ? ""
                                      : "shape: composer has " + DescribeRegion(shape) + ", rescan has " +
                                            DescribeRegion(shown) + ", differing " +
                                            DescribeRegion(shape.xored(shown)) + "\n")
                          << "controls:\n"
                          << DescribeControls(mine);
            break;  // later steps only repeat the damage
        }
    }
}

}  // namespace
}  // namespace veilix
