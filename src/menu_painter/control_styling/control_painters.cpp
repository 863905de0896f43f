// The flat look of styled controls: a one-pixel border and flat parts in the
// painter's palette. Faces are the button face lightened by ControlTint, or
// by ControlHotTint while the pointer is over the control; the border takes
// the selection frame colour while the control is hot or focused.
#include "menu_painter/control_styling/control_painters.h"

#include "menu_painter/colour_ops.h"
#include "menu_painter/control_styling/control_subclass.h"
#include "menu_painter/flat_menu.h"
#include "platform/core/colors.h"
#include "platform/forms/windowed/std_controls.h"
#include "platform/graphics/canvas.h"

namespace veilix {

namespace {
struct Look {
    TColor Border;
    TColor Face;
    TColor Mark;
};

Look LookOf(const TControlSubClass& record) {
    const TMenuPalette& palette = record.Painter->Palette();
    const bool hot = record.State.Hot || record.State.Focused;
    const bool down = record.State.Pressed || record.State.KeyDown;
    Look look;
    look.Border = hot ? palette.SelectFrameColor : palette.FrameColor;
    look.Face = down ? palette.SelectFillColor
                     : LightenColor(clBtnFace, record.State.Hot ? palette.ControlHotTint : palette.ControlTint);
    look.Mark = record.Control->Enabled() ? record.Painter->Font().Color : palette.DisabledTextColor;
    return look;
}

void Frame(TCanvas& canvas, const TRect& rect, TColor colour) {
    canvas.Pen.Color = colour;
    canvas.Brush.Style = TBrushStyle::bsClear;
    canvas.Rectangle(rect);
    canvas.Brush.Style = TBrushStyle::bsSolid;
}

TRect Whole(const TWinControl& control) { return {0, 0, control.Width(), control.Height()}; }

void PaintButton(const TControlSubClass& record, TCanvas& canvas) {
    const Look look = LookOf(record);
    const TRect rect = Whole(*record.Control);
    canvas.Brush.Color = look.Face;
    canvas.Pen.Color = look.Border;
    canvas.Rectangle(rect);
    canvas.Font = record.Painter->Font();
    canvas.Font.Color = look.Mark;
    canvas.BackgroundMode = TBackgroundMode::bkTransparent;
    canvas.DrawText(record.Control->Caption(), rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void PaintTick(TCanvas& canvas, const TRect& box, TColor colour) {
    // Three strokes of a three-pixel-thick tick, centred in the box.
    const int x = box.Left + (box.Width() - 7) / 2, y = box.Top + (box.Height() - 7) / 2 + 2;
    canvas.Pen.Color = colour;
    for (int i = 0; i < 3; ++i) {
        canvas.MoveTo(x, y + i);
        canvas.LineTo(x + 2, y + 2 + i);
        canvas.LineTo(x + 7, y - 3 + i);
    }
}

void PaintMark(const TControlSubClass& record, const TMarkControl& control, TCanvas& canvas, bool radio) {
    const Look look = LookOf(record);
    const TRect box = control.MarkRect();
    canvas.Brush.Color = record.State.Pressed || record.State.KeyDown ? look.Face : LightenColor(look.Face, 60);
    canvas.Pen.Color = look.Border;
    if (radio) {
        canvas.Ellipse(box);
        if (control.Checked()) {
            canvas.Brush.Color = look.Mark;
            canvas.Pen.Color = look.Mark;
            const int cx = (box.Left + box.Right) / 2, cy = (box.Top + box.Bottom) / 2;
            canvas.Ellipse({cx - 2, cy - 2, cx + 3, cy + 3});
        }
    } else {
        canvas.Rectangle(box);
        if (control.Checked()) PaintTick(canvas, box, look.Mark);
    }
}

// The box is ours whole: the face, the caption, and the frame from the
// caption's middle down, open where the caption sits on it.
void PaintGroupBox(const TControlSubClass& record, TCanvas& canvas) {
    const TRect rect = Whole(*record.Control);
    canvas.Brush.Color = clBtnFace;
    canvas.FillRect(rect);
    canvas.Font = record.Painter->Font();
    const Look look = LookOf(record);
    canvas.Font.Color = look.Mark;
    const std::string caption = record.Control->Caption();
    const int textHeight = canvas.TextHeight("Wg");
    const int top = textHeight / 2;
    const int gapLeft = 6, gapRight = caption.empty() ? gapLeft : gapLeft + canvas.TextWidth(caption) + 4;
    canvas.Pen.Color = look.Border;
    canvas.MoveTo(gapLeft, top);
    canvas.LineTo(rect.Left, top);
    canvas.LineTo(rect.Left, rect.Bottom - 1);
    canvas.LineTo(rect.Right - 1, rect.Bottom - 1);
    canvas.LineTo(rect.Right - 1, top);
    canvas.LineTo(gapRight - 1, top);
    canvas.BackgroundMode = TBackgroundMode::bkTransparent;
    canvas.TextOut(gapLeft + 2, 0, caption);
}

// Edits, lists and the rest: the border alone.
void PaintBorder(const TControlSubClass& record, TCanvas& canvas) {
    if (record.Control->BorderStyle() == TBorderStyle::bsNone) return;
    Frame(canvas, Whole(*record.Control), LookOf(record).Border);
}
}  // namespace

void PaintStyledControl(TControlSubClass& record, TCanvas& canvas) {
    TFlatMenu& painter = *record.Painter;
    if (painter.PaletteDirty()) painter.DerivePalette(canvas);
    TWinControl& control = *record.Control;
    switch (record.Kind) {
        case TFlatControl::xcButton:
        case TFlatControl::xcBitBtn: PaintButton(record, canvas); return;
        case TFlatControl::xcCheckBox:
        case TFlatControl::xcRadioButton:
            if (auto* mark = dynamic_cast<TMarkControl*>(&control))
                return PaintMark(record, *mark, canvas, record.Kind == TFlatControl::xcRadioButton);
            break;
        case TFlatControl::xcPanel: Frame(canvas, Whole(control), LookOf(record).Border); return;
        case TFlatControl::xcGroupBox: return PaintGroupBox(record, canvas);
        default: break;
    }
    PaintBorder(record, canvas);
}

}  // namespace veilix
