# Shared by the pixel checks of the popup menu: reads `x_probe region` rows
# (one line a row, one rrggbb colour a field) into pixel[y, x] and width, and
# gives the colour arithmetic the checks hold the screen to. A check's END
# starts with `if (failed) exit`, since fail() may stop the reading early.

function channel(h, i) { return hex[substr(h, 2 * i + 1, 2)] }
function lighten(c, p,    v, q, r) {
    # x + round((255 - x) * p / 100), halves to even, in whole numbers.
    v = (255 - c) * p
    q = int(v / 100)
    r = v - q * 100
    if (r > 50 || (r == 50 && q % 2 == 1)) q++
    return c + q
}
function lighten_hex(h, p,    out, i) {
    out = ""
    for (i = 0; i < 3; i++) out = out sprintf("%02x", lighten(channel(h, i), p))
    return out
}
function at(x, y) { return pixel[y, x] }
# The items' rows and columns, from the rows read and the variables border
# and items: sets height, left, right (the items' last column) and itemHeight.
function measure_items() {
    height = NR
    left = border
    right = width - border - 1
    itemHeight = (height - 2 * border) / items
    if (itemHeight != int(itemHeight) || itemHeight < 4)
        fail("the menu's height " height " holds no " items " equal items")
}
function fail(message) {
    print message
    failed = 1
    exit
}

BEGIN {
    for (i = 0; i < 256; i++) hex[sprintf("%02x", i)] = i
}
{
    for (x = 1; x <= NF; x++) pixel[NR - 1, x - 1] = $x
    width = NF
}
