#pragma once
// Measuring and painting of one menu item for a TFlatMenu. Each drawing step is
// a function of the canvas, the rectangles and the item's state, so that it can
// be called and looked at on its own.
//
// TFlatMenuItemPainter's members span this folder: item_measuring.cpp
// (Measure), item_painting.cpp (Paint, background, selection, separator,
// caption), item_gradient.cpp, item_text.cpp, item_marks.cpp, item_icon.cpp,
// top_level_selection.cpp and frame_request.cpp, one step each. The
// TFlatMenu handlers that use it (MeasureMenuItem, DrawMenuItem) are in
// item_measuring.cpp and item_painting.cpp.
#include <string>

#include "menu_painter/flat_menu.h"

namespace veilix {

class TBitmap;
class TMenuItem;

// What painting needs to know about an item, read once per request.
struct TItemPaintState {
    bool TopLevel = false;
    bool RightToLeft = false;
    bool Enabled = true;
    bool Checked = false;
    bool Radio = false;
    bool Default = false;
    bool Separator = false;
    bool LastOnBar = false;
    bool HasImage = false;
    bool Selected = false;     // as the draw request says
    bool Highlighted = false;  // selected with a box, or a hot bar item
};

class TFlatMenuItemPainter {
public:
    explicit TFlatMenuItemPainter(TFlatMenu& menu) : menu_(menu) {}

    void Measure(const TMenuItem& item, TCanvas& canvas, int& width, int& height) const;
    void Paint(TMenuItem& item, TCanvas& target, TRect rect, bool selected);

    // The popup background: columns lightening away from the icon column.
    void PaintGradient(TCanvas& canvas, const TRect& rect, bool rightToLeft) const;
    void PaintItemText(TCanvas& canvas, const std::string& text, const std::string& shortcut, const TRect& rect,
                       const TItemPaintState& state) const;
    void PaintCheckMark(TCanvas& canvas, const TRect& markBox, const TItemPaintState& state) const;
    // image is changed by the effects; it is the caller's copy.
    void PaintItemIcon(TCanvas& canvas, TBitmap& image, const TRect& iconColumn, const TItemPaintState& state) const;
    void PaintTopLevelSelection(TCanvas& canvas, const TRect& rect, TColor colour, bool rightToLeft) const;
    // Whether the pointer lies over rect, given in the owner form's client coordinates.
    bool MouseOverItem(const TRect& rect) const;
    // Asks the application's hidden window for the menu window's frame.
    void RequestFrame(TMenuItem& item, const TCanvas& target, bool rightToLeft) const;

private:
    void PaintBackground(TCanvas& canvas, const TRect& work, const TRect& iconColumn, const TItemPaintState& state);
    void PaintSelection(TCanvas& canvas, const TRect& work, const TRect& itemRect, TItemPaintState& state) const;
    void PaintSeparator(TCanvas& canvas, const TRect& textRect, bool rightToLeft) const;
    void PaintCaption(TCanvas& canvas, const TMenuItem& item, TRect textRect, const TItemPaintState& state) const;

    TFlatMenu& menu_;
};

// The text a shortcut shows in its item, empty without one.
std::string ShortCutDisplayText(const TMenuItem& item);

}  // namespace veilix
