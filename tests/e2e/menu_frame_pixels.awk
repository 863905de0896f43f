# Reads `x_probe region` rows of the whole open popup menu (shadow included)
# and checks its flat frame: a one-pixel outline around the menu, the shadow
# two pixels wide right of and below it, offset by two, the backdrop showing
# at the two 2 x 2 corners the window's shape leaves out (top right, bottom
# left), the strip beside the icon column in the colour the first item's
# gradient starts from, and the top border rows showing the first item's top
# row. Prints "ok FRAME SHADOW STRIP" or the first fault found.
#
# Variables: backdrop (the colour beneath the menu, as rrggbb). Run after
# pixel_colours.awk.

function expect(x, y, want, what) {
    if (at(x, y) != want) fail(what " at " x "," y ": " at(x, y) ", not " want)
}

END {
    if (failed) exit
    height = NR
    w = width - 2   # the menu without its shadow
    h = height - 2

    for (d = 0; d < 4; d++) {
        dx = d % 2
        dy = int(d / 2)
        expect(w + dx, dy, backdrop, "the top-right corner")
        expect(dx, h + dy, backdrop, "the bottom-left corner")
    }

    frame = at(0, 0)
    if (frame == backdrop) fail("no outline: the menu's corner shows the backdrop")
    for (x = 0; x < w; x++) {
        expect(x, 0, frame, "the outline's top")
        expect(x, h - 1, frame, "the outline's bottom")
    }
    for (y = 0; y < h; y++) {
        expect(0, y, frame, "the outline's left")
        expect(w - 1, y, frame, "the outline's right")
    }

    shadow = at(width - 1, height - 1)
    for (x = 2; x < width; x++)
        for (y = h; y < height; y++) expect(x, y, shadow, "the bottom shadow")
    for (y = 2; y < height; y++)
        for (x = w; x < width; x++) expect(x, y, shadow, "the right shadow")
    # Both are the button face darkened, the frame by 14 more in every channel.
    for (i = 0; i < 3; i++)
        if (channel(shadow, i) - channel(frame, i) != 14)
            fail("the shadow " shadow " is not the frame colour " frame " lightened by 14 in every channel")

    strip = at(1, 1)
    for (y = 1; y < h - 1; y++)
        for (x = 1; x <= 2; x++) expect(x, y, strip, "the strip beside the icon column")
    expect(3, 3, lighten_hex(strip, 1), "the first item's gradient, from the strip's colour,")
    for (x = 1; x < w; x++)
        for (y = 1; y <= 2; y++) expect(x, y, at(x, 3), "the top border copying row 3")
    print "ok " frame " " shadow " " strip
}
