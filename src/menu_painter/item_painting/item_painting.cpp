#include <cstdint>
#include <limits>
#include <string>

#include "menu_painter/flat_menu.h"
#include "menu_painter/item_painting/item_image.h"
#include "menu_painter/item_painting/item_layout.h"
#include "menu_painter/item_painting/item_painter.h"
#include "menu_painter/item_painting/rounding.h"
#include "platform/core/exception.h"
#include "platform/forms/form.h"
#include "platform/graphics/bitmap.h"
#include "platform/menus/menu.h"

namespace veilix {

namespace {

bool IsLastOnBar(const TMenuItem& item) {
    const TMenu* menu = item.GetParentMenu();
    return menu != nullptr && !menu->Items().empty() && menu->Items().back() == &item;
}

TItemPaintState StateOf(const TMenuItem& item, bool selected) {
    TItemPaintState state;
    const TMenu* menu = item.GetParentMenu();
    state.TopLevel = item.IsTopLevel();
    state.RightToLeft = menu != nullptr && menu->IsRightToLeft();
    state.Enabled = item.Enabled;
    state.Checked = item.Checked;
    state.Radio = item.RadioItem;
    state.Default = item.Default;
    state.Separator = item.IsLine();
    state.LastOnBar = state.TopLevel && IsLastOnBar(item);
    state.Selected = selected;
    return state;
}

// An image too large to be made fails like any allocation.
int CompositionWidth(std::int64_t width) {
    if (width > std::numeric_limits<int>::max()) throw EOutOfMemory();
    return int(width);
}

}  // namespace

void TFlatMenu::DrawMenuItem(TComponent* sender, TCanvas& canvas, TRect rect, bool selected) {
    if (!active_) return;
    auto* item = dynamic_cast<TMenuItem*>(sender);
    if (item == nullptr) return;
    // A painting fault must never reach the menu: the item then shows
    // whatever its surface held.
    try {
        PaintMenuItem(*item, canvas, rect, selected);
    } catch (...) {
    }
}

void TFlatMenu::PaintMenuItem(TMenuItem& item, TCanvas& canvas, TRect rect, bool selected) {
    TFlatMenuItemPainter(*this).Paint(item, canvas, rect, selected);
}

void TFlatMenuItemPainter::Paint(TMenuItem& item, TCanvas& target, TRect rect, bool selected) {
    TItemPaintState state = StateOf(item, selected);
    const int width = rect.Width();
    const int height = rect.Height();
    if (width <= 0 || height <= 0) return;

    // Composed off-screen and copied in one go, so the menu never shows a
    // half-painted item. A popup item's image reaches 4 pixels left of the
    // item, over the menu window's border, which the frame then paints.
    const int margin = state.TopLevel ? 0 : 4;
    // Starts white; as dense as the target, so that text and lines are drawn
    // at the screen's resolution.
    TBitmap composed(CompositionWidth(width + std::int64_t(margin)), height, target);
    if (composed.Empty()) throw EOutOfMemory();
    TCanvas& canvas = composed.Canvas();
    const TRect work = state.TopLevel ? TRect{0, 0, width, height} : TRect{margin, 0, width + margin, height + 1};

    if (menu_.paletteDirty_) menu_.DerivePalette(canvas);
    canvas.Font = menu_.font_;

    TBitmap image;
    state.HasImage = FetchItemImage(item, image);
    TItemShape shape;
    shape.IconWidth = menu_.iconWidth_;
    shape.ImageWidth = state.HasImage ? image.Width() : 0;
    shape.HasImage = state.HasImage;
    shape.TopLevel = state.TopLevel;
    shape.RightToLeft = state.RightToLeft;
    const TItemLayout layout = LayOutItem(work, shape);

    PaintBackground(canvas, work, layout.IconColumn, state);
    canvas.Font.Color = state.Enabled ? menu_.font_.Color : menu_.colours_.DisabledColor;
    PaintSelection(canvas, work, rect, state);
    if (state.Checked || state.Radio) PaintCheckMark(canvas, layout.MarkBox, state);
    if (state.HasImage) PaintItemIcon(canvas, image, layout.IconColumn, state);
    if (state.Separator)
        PaintSeparator(canvas, layout.TextRect, state.RightToLeft);
    else
        PaintCaption(canvas, item, layout.TextRect, state);

    const int left = rect.Left - margin;
    target.CopyRect(TRect{left, rect.Top, left + composed.Width(), rect.Top + height}, canvas,
                    TRect{0, 0, composed.Width(), height});

    if (!state.TopLevel) RequestFrame(item, target, state.RightToLeft);
}

void TFlatMenuItemPainter::PaintBackground(TCanvas& canvas, const TRect& work, const TRect& iconColumn,
                                           const TItemPaintState& state) {
    TMenuPalette& palette = menu_.palette_;
    if (state.TopLevel) {
        if (menu_.drawMenuBar_) palette.BarColor = menu_.colours_.MenuBarColor;
        canvas.Brush.Style = TBrushStyle::bsSolid;
        canvas.Brush.Color = palette.BarColor;
        TRect fill = work;
        if (state.RightToLeft && !state.LastOnBar) fill.Right += 7;
        canvas.FillRect(fill);
        if (menu_.drawMenuBar_ && state.LastOnBar) {
            // The bar beyond its last item gets the same colour.
            if (state.RightToLeft) {
                canvas.FillRect(TRect{3, work.Top, work.Right, work.Bottom});
            } else {
                const TForm* form = menu_.ownerForm_;
                const int barRight = form != nullptr ? form->ClientWidth() + 5 : work.Right;
                canvas.FillRect(TRect{work.Left, work.Top, barRight, work.Bottom});
            }
        }
        return;
    }
    if (palette.HighColor && menu_.gradient_) {
        // Left to right the ramp runs on two columns past the item; mirrored,
        // it starts at the item's right edge, where the icon column is.
        const TRect ramp = state.RightToLeft ? work : TRect{work.Left, work.Top, work.Right + 2, work.Bottom};
        PaintGradient(canvas, ramp, state.RightToLeft);
        return;
    }
    canvas.Brush.Style = TBrushStyle::bsSolid;
    canvas.Brush.Color = palette.MenuColor;
    canvas.FillRect(TRect{work.Left - 4, work.Top, work.Right, work.Bottom});
    canvas.Brush.Color = palette.IconColumnColor;
    canvas.FillRect(iconColumn);
}

void TFlatMenuItemPainter::PaintSelection(TCanvas& canvas, const TRect& work, const TRect& itemRect,
                                          TItemPaintState& state) const {
    const TMenuPalette& palette = menu_.palette_;
    if (state.Selected && menu_.drawSelect_) {
        state.Highlighted = true;
        if (state.TopLevel) {
            PaintTopLevelSelection(canvas, work, menu_.colours_.MenuBarColor, state.RightToLeft);
        } else if (state.Enabled) {
            TRect box{work.Left, work.Top + 1, work.Right, work.Bottom - 1};
            // The flat frame takes the menu's last column.
            if (menu_.flatMenu_) --box.Right;
            canvas.Brush.Style = TBrushStyle::bsSolid;
            canvas.Brush.Color = palette.SelectFillColor;
            canvas.Pen.Color = palette.SelectFrameColor;
            canvas.Rectangle(box);
        }
        return;
    }
    if (state.Enabled && state.TopLevel && menu_.isNT_ && MouseOverItem(itemRect)) {
        state.Highlighted = true;
        canvas.Brush.Style = TBrushStyle::bsSolid;
        canvas.Brush.Color = palette.SelectFillColor;
        canvas.Pen.Color = palette.SelectFrameColor;
        canvas.Rectangle(TRect{work.Left, work.Top, work.Right - 7, work.Bottom});
    }
}

void TFlatMenuItemPainter::PaintSeparator(TCanvas& canvas, const TRect& textRect, bool rightToLeft) const {
    const int y = textRect.Top + RoundHalfEven(textRect.Height() / 2.0);
    canvas.Pen.Color = menu_.palette_.SeparatorLineColor;
    if (rightToLeft) {
        canvas.MoveTo(textRect.Left, y);
        canvas.LineTo(textRect.Right - 7, y);
    } else {
        canvas.MoveTo(textRect.Left + 7, y);
        canvas.LineTo(textRect.Right, y);
    }
}

void TFlatMenuItemPainter::PaintCaption(TCanvas& canvas, const TMenuItem& item, TRect textRect,
                                        const TItemPaintState& state) const {
    if (state.RightToLeft)
        textRect.Right -= 3;
    else
        textRect.Left += 3;
    textRect.Top += (textRect.Height() - canvas.TextHeight("W")) / 2;
    PaintItemText(canvas, " " + item.Caption, ShortCutDisplayText(item), textRect, state);
}

}  // namespace veilix
