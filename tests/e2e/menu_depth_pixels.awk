# Reads `x_probe region` rows of the whole open popup menu (shadow included,
# no item selected) and tells which look its palette has. Low colour: every
# item on a white background beside a plain icon column, the outline and the
# shadow in one colour. High colour: the items on the gradient, which rises
# across the icon column, and the shadow lighter than the outline. Prints
# "ok FRAME SHADOW ICON" or the first fault found.
#
# Variables: look (low or high), border (pixels around the items), items
# (their number). Run after pixel_colours.awk.

END {
    if (failed) exit
    measure_items()
    frame = at(0, 0)
    shadow = at(width - 1, height - 1)
    icon = at(left, border)

    if (look == "low") {
        if (frame != shadow) fail("the outline " frame " and the shadow " shadow " differ")
        if (icon == "ffffff" || icon == frame) fail("the icon column " icon " stands out from neither")
        for (y = border; y < height - border; y++) {
            # The icon column, then the white up to the text, and after it.
            for (x = left; x < left + 24; x++)
                if (at(x, y) != icon) fail("row " y ", column " x ": " at(x, y) " in the plain icon column " icon)
            for (x = left + 24; x < left + 27; x++)
                if (at(x, y) != "ffffff") fail("row " y ", column " x ": " at(x, y) " where the background is white")
            for (x = right - 3; x <= right; x++)
                if (at(x, y) != "ffffff") fail("row " y ", column " x ": " at(x, y) " where the background is white")
        }
        # Each item's top row is white from the icon column to its end.
        for (i = 0; i < items; i++)
            for (x = left + 24; x <= right; x++)
                if (at(x, border + i * itemHeight) != "ffffff")
                    fail("item " i "'s top row at column " x ": " at(x, border + i * itemHeight))
    } else {
        if (frame == shadow) fail("the outline and the shadow are both " frame)
        for (i = 0; i < 3; i++)
            if (channel(shadow, i) < channel(frame, i)) fail("the shadow " shadow " is darker than the outline " frame)
        # A screen of this depth keeps fewer levels, so the ramp climbs in
        # steps: never down, and up within the icon column.
        for (x = left + 1; x <= left + 39; x++)
            for (i = 0; i < 3; i++)
                if (channel(at(x, border), i) < channel(at(x - 1, border), i))
                    fail("the gradient falls at column " x ": " at(x - 1, border) " then " at(x, border))
        if (at(left + 23, border) == icon) fail("no gradient across the icon column: all " icon)
    }
    print "ok " frame " " shadow " " icon
}
