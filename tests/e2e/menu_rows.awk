# Reads `x_probe region` rows of a menu's inside and prints how many item rows
# carry text. The background row is the commonest row of pixels (it may run
# through gradients or stripes from left to right, as long as it repeats down
# the menu); every other row carries ink. Ink rows closer than four rows apart
# belong to one item (an access letter's underline sits just below its text).
{
    row[NR] = $0
    if (++seen[$0] > seen[background]) background = $0
}
END {
    items = 0
    last = -100
    for (r = 1; r <= NR; ++r) {
        if (row[r] == background) continue
        if (r - last > 3) items++
        last = r
    }
    print items
}
