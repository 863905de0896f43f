# Reads `x_probe region` rows of the whole open popup menu and checks the flat
# look of its items: every item row lies on the gradient (each column the icon
# column's colour lightened by its level: 1 % at the item's left edge, 3 more
# per column up to 85 % after the icon column and four more, then 1 more per
# column up to 96 %), and the item under the pointer, and only that one,
# carries the selection box: its frame one row below the item's top, on the
# item's last row, down its left edge and one column short of its right edge,
# filled with the frame colour lightened by 68 %. Prints "ok ICON FRAME" or
# the first fault found.
#
# Variables: border (pixels around the items), items (their number),
# selected (the index of the item under the pointer). Run after
# pixel_colours.awk.

function level(k) { return k == 0 ? 1 : (k <= 28 ? 1 + 3 * k : (85 + k - 28 > 96 ? 96 : 85 + k - 28)) }

END {
    if (failed) exit
    measure_items()
    boxTop = border + selected * itemHeight

    # The icon column's colour: the one whose ramp the first item's top row
    # shows, channel by channel.
    icon = ""
    for (i = 0; i < 3; i++) {
        found = -1
        for (c = 0; c < 256 && found < 0; c++) {
            fits = 1
            for (k = 0; k <= 39 && fits; k++)
                if (lighten(c, level(k)) != channel(at(left + k, border), i)) fits = 0
            if (fits) found = c
        }
        if (found < 0)
            fail("the first item's top row is not the gradient: " at(left, border) " ... " at(left + 39, border))
        icon = icon sprintf("%02x", found)
    }
    if (lighten_hex(icon, 96) == lighten_hex(icon, 1)) fail("the gradient does not rise: " icon)

    # The gradient on every row outside the box, across the icon column up
    # to the text, on the top row of each item to column 39, and on the
    # last four columns.
    for (y = border; y < height - border; y++) {
        if (y > boxTop && y < boxTop + itemHeight) continue
        last = (y - border) % itemHeight == 0 ? 39 : 26
        for (k = 0; k <= last; k++) {
            want = lighten_hex(icon, level(k))
            if (at(left + k, y) != want)
                fail("row " y ", column " left + k ": " at(left + k, y) " where the gradient has " want)
        }
        for (x = right - 3; x <= right; x++)
            if (at(x, y) != lighten_hex(icon, 96))
                fail("row " y ", column " x ": " at(x, y) " where the gradient ends in " lighten_hex(icon, 96))
    }

    # The box: its frame colour is what lies one row below the item's top.
    frame = at(left, boxTop + 1)
    if (frame == at(left, boxTop)) fail("no box on item " selected ": its first two rows are both " frame)
    for (x = left; x <= right - 1; x++) {
        if (at(x, boxTop + 1) != frame) fail("the box's top edge misses column " x ": " at(x, boxTop + 1))
        if (at(x, boxTop + itemHeight - 1) != frame) fail("the box's bottom edge misses column " x)
    }
    for (y = boxTop + 1; y < boxTop + itemHeight; y++) {
        if (at(left, y) != frame) fail("the box's left edge misses row " y ": " at(left, y))
        if (at(right - 1, y) != frame) fail("the box's right edge misses row " y ": " at(right - 1, y))
        if (at(right, y) != lighten_hex(icon, 96)) fail("the box reaches the item's last column on row " y)
    }
    # Its inside, left of the text and right of it, is one fill.
    fill = lighten_hex(frame, 68)
    for (y = boxTop + 2; y < boxTop + itemHeight - 1; y++)
        for (x = left + 1; x <= right - 2; x++)
            if ((x <= left + 26 || x >= right - 3) && at(x, y) != fill)
                fail("the box at " x "," y " is " at(x, y) ", not its frame colour lightened by 68 %: " fill)
    # The frame colour shows nowhere else: not on the item's first row, not on
    # the next item's, not on any other item.
    for (y = border; y < height - border; y++) {
        if (y > boxTop && y < boxTop + itemHeight) continue
        for (x = left; x <= right; x++)
            if (at(x, y) == frame) fail("the frame colour " frame " shows outside the box at " x "," y)
    }
    print "ok " icon " " frame
}
