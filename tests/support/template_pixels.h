#pragma once

// Reading decoded shape templates in tests: colours, counts and lime runs,
// and the check that each row holds the lime run listed for it.

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string_view>
#include <vector>

#include "templates/png/template_picture.h"

namespace veilix::test {

struct Rgb {
    int r, g, b;
    bool operator==(const Rgb&) const = default;
};

inline void PrintTo(const Rgb& c, std::ostream* os) { *os << "(" << c.r << "," << c.g << "," << c.b << ")"; }

inline Rgb PixelAt(const TemplatePicture& p, int x, int y) {
    const std::size_t i = (static_cast<std::size_t>(y) * p.width + x) * 3;
    return {p.rgb[i], p.rgb[i + 1], p.rgb[i + 2]};
}

constexpr Rgb kLime{0, 255, 0};
constexpr Rgb kBlack{0, 0, 0};

// Green of an edge shade (0, 8k, 0) with k from 1 to 15, or nullopt for any other colour.
inline std::optional<int> ShadeGreen(Rgb c) {
    if (c.r != 0 || c.b != 0 || c.g < 8 || c.g > 120 || c.g % 8 != 0) return std::nullopt;
    return c.g;
}

struct ColourCounts {
    int lime = 0, black = 0, shade = 0, other = 0;
    bool operator==(const ColourCounts&) const = default;
};

inline ColourCounts CountColours(const TemplatePicture& p) {
    ColourCounts n;
    for (int y = 0; y < p.height; ++y) {
        for (int x = 0; x < p.width; ++x) {
            const Rgb c = PixelAt(p, x, y);
            if (c == kLime)
                ++n.lime;
            else if (c == kBlack)
                ++n.black;
            else if (ShadeGreen(c))
                ++n.shade;
            else
                ++n.other;
        }
    }
    return n;
}

struct LimeSpan {
    int first = 0, last = 0;
    bool operator==(const LimeSpan&) const = default;
};

// The lime pixels of row y as one run; nullopt when the row has no lime.
// A row whose lime is broken into pieces yields a run whose length
// disagrees with its lime count, which `lime_count` exposes.
struct RowLime {
    std::optional<LimeSpan> run;
    int lime_count = 0;
};

inline RowLime LimeOfRow(const TemplatePicture& p, int y) {
    RowLime out;
    for (int x = 0; x < p.width; ++x) {
        if (PixelAt(p, x, y) != kLime) continue;
        ++out.lime_count;
        if (!out.run) out.run = LimeSpan{x, x};
        out.run->last = x;
    }
    return out;
}

// Rows from first_row on hold the listed runs, one row each, every run
// unbroken; every other row has no lime.
inline void ExpectLimeRuns(const TemplatePicture& p, const std::vector<LimeSpan>& runs, int first_row) {
    ASSERT_LE(first_row + static_cast<int>(runs.size()), p.height) << "the listed rows run past the picture";
    for (int y = 0; y < p.height; ++y) {
        const RowLime lime = LimeOfRow(p, y);
        const int i = y - first_row;
        if (i < 0 || i >= static_cast<int>(runs.size())) {
            EXPECT_FALSE(lime.run) << "row " << y;
            continue;
        }
        EXPECT_EQ(lime.run, runs[i]) << "row " << y;
        EXPECT_EQ(lime.lime_count, runs[i].last - runs[i].first + 1) << "row " << y;
    }
}

// Parses "46-54, 40-60, ..." as written in the shape descriptions.
inline std::vector<LimeSpan> ParseRunList(std::string_view text) {
    std::vector<LimeSpan> runs;
    const char* p = text.data();
    const char* end = p + text.size();
    while (true) {
        while (p < end && (*p < '0' || *p > '9')) ++p;
        if (p == end) return runs;
        LimeSpan r;
        p = std::from_chars(p, end, r.first).ptr + 1;  // skip '-'
        p = std::from_chars(p, end, r.last).ptr;
        runs.push_back(r);
    }
}

}  // namespace veilix::test
