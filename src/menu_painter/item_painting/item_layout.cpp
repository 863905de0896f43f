#include "menu_painter/item_painting/item_layout.h"

namespace veilix {

namespace {

TRect IconColumnOf(const TRect& work, const TItemShape& shape) {
    if (shape.RightToLeft) return {work.Right - shape.IconWidth, work.Top, work.Right, work.Bottom};
    return {work.Left, work.Top, work.Left + shape.IconWidth, work.Bottom};
}

TRect MarkBoxOf(const TRect& column, const TItemShape& shape) {
    TRect box;
    if (shape.HasImage) {
        box = {column.Left + 1, column.Top + 2, column.Right - 3, column.Bottom - 2};
    } else {
        const int left = column.Left + (column.Width() - 10) / 2;
        const int top = column.Top + (column.Height() - 10) / 2;
        box = BoundsRect(left, top, 10, 10);
    }
    // A wide image gets a box as wide as itself, grown away from the menu's edge.
    if (shape.ImageWidth > shape.IconWidth) {
        if (shape.RightToLeft)
            box.Left = box.Right - shape.ImageWidth;
        else
            box.Right = box.Left + shape.ImageWidth;
    }
    if (shape.TopLevel) {
        --box.Top;
        --box.Bottom;
    }
    return box;
}

TRect TextRectOf(const TRect& work, const TRect& column, const TItemShape& shape) {
    TRect text{work.Left, work.Top, work.Right, work.Bottom};
    if (shape.RightToLeft) {
        text.Right = shape.TopLevel ? column.Right - 4 : column.Right - shape.IconWidth;
        if (work.Right - shape.ImageWidth < text.Right) text.Right = work.Right - shape.ImageWidth - 8;
    } else {
        text.Left = shape.TopLevel ? work.Left + 4 : work.Left + shape.IconWidth;
        if (text.Left < work.Left + shape.ImageWidth) text.Left = work.Left + shape.ImageWidth + 4;
    }
    if (shape.TopLevel) {
        if (!shape.HasImage)
            text = work;
        else if (shape.RightToLeft)
            text.Right += 5;
        else
            text.Left -= 5;
    }
    return text;
}

}  // namespace

TItemLayout LayOutItem(const TRect& work, const TItemShape& shape) {
    TItemLayout layout;
    layout.IconColumn = IconColumnOf(work, shape);
    layout.MarkBox = MarkBoxOf(layout.IconColumn, shape);
    layout.TextRect = TextRectOf(work, layout.IconColumn, shape);
    return layout;
}

}  // namespace veilix
