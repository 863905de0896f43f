#include <gtest/gtest.h>
#include <sys/resource.h>

#include <algorithm>
#include <cstdlib>
#include <limits>

#include "support/png_test_builder.h"
#include "templates/png/png_decoder.h"

namespace veilix::test {
namespace {

Bytes End() { return Chunk("IEND", {}); }

TEST(PngDecoder, UndoesEveryFilterType) {
    constexpr int w = 7, h = 6;
    // Varied samples, and samples of only four values, which make the Paeth
    // predictor's distances tie often enough to pin its tie-breaking order.
    Bytes few_values = PatternRgb(w, h);
    for (auto& s : few_values) s %= 4;
    for (const Bytes& rgb : {PatternRgb(w, h), few_values}) {
        // Each type on its own (the first row then sees an all-zero row above),
        // then all five interleaved so every type follows every other.
        for (int type = 0; type <= 4; ++type) {
            SCOPED_TRACE("filter type " + std::to_string(type));
            const TemplatePicture p = DecodePng(TruecolourPng(rgb, w, h, type));
            EXPECT_EQ(p.width, w);
            EXPECT_EQ(p.height, h);
            EXPECT_EQ(p.rgb, rgb);
        }
        for (int shift = 0; shift < 5; ++shift) {
            SCOPED_TRACE("mixed, shift " + std::to_string(shift));
            const Bytes rows = FilterRows(rgb, w, h, [shift](int y) { return (y + shift) % 5; });
            const Bytes stream = Stream({Chunk("IHDR", HeaderData({w, h})), Chunk("IDAT", Zlib(rows)), End()});
            EXPECT_EQ(DecodePng(stream).rgb, rgb);
        }
    }
}

TEST(PngDecoder, OneColumnImagesUseOnlyTheRowAbove) {
    const Bytes rgb = PatternRgb(1, 9);
    for (int type = 0; type <= 4; ++type) EXPECT_EQ(DecodePng(TruecolourPng(rgb, 1, 9, type)).rgb, rgb) << type;
}

// A 256 x 1 image whose red, green and blue of pixel s are s, 255 - s and s.
Bytes Ramp() {
    Bytes rgb;
    for (int s = 0; s < 256; ++s) rgb.insert(rgb.end(), {std::uint8_t(s), std::uint8_t(255 - s), std::uint8_t(s)});
    return rgb;
}

Bytes RampWithGamma(std::optional<std::uint32_t> gamma) {
    std::vector<Bytes> chunks = {Chunk("IHDR", HeaderData({256, 1}))};
    if (gamma) chunks.push_back(Chunk("gAMA", BigEndian32(*gamma)));
    chunks.push_back(Chunk("IDAT", Zlib(FilterRows(Ramp(), 256, 1, [](int) { return 1; }))));
    chunks.push_back(End());
    return Stream(chunks);
}

TEST(PngDecoder, GammaValuesWithAnIdentityTableKeepEverySample) {
    for (std::optional<std::uint32_t> g :
         {std::optional<std::uint32_t>(), std::optional<std::uint32_t>(45455), std::optional<std::uint32_t>(0)}) {
        SCOPED_TRACE(g ? std::to_string(*g) : "no gAMA");
        EXPECT_EQ(DecodePng(RampWithGamma(g)).rgb, Ramp());
    }
}

TEST(PngDecoder, OtherGammaValuesMapSamplesThroughTheTable) {
    // Entry s = round(255 * (s / 255) ^ (1 / (2.2 * g / 100000))), worked out by hand.
    struct Case {
        std::uint32_t gamma;
        int sample;
        int expected;
    };
    const Case cases[] = {
        {100000, 0, 0},  {100000, 1, 21},    {100000, 64, 136}, {100000, 128, 186}, {100000, 255, 255},
        {250000, 1, 93}, {250000, 200, 244}, {45000, 64, 63},   {45000, 128, 127},  {45000, 254, 254},
    };
    for (const Case& c : cases) {
        const TemplatePicture p = DecodePng(RampWithGamma(c.gamma));
        EXPECT_EQ(p.rgb[3 * c.sample], c.expected) << "g " << c.gamma << " s " << c.sample;
        EXPECT_EQ(p.rgb[3 * (255 - c.sample) + 1], c.expected) << "g " << c.gamma << " s " << c.sample;
    }
}

TEST(PngDecoder, OnlyTheFirstGammaBeforeTheImageDataCounts) {
    const Bytes idat = Chunk("IDAT", Zlib(FilterRows(Ramp(), 256, 1, [](int) { return 0; })));
    const Bytes ihdr = Chunk("IHDR", HeaderData({256, 1}));
    const Bytes identity = Chunk("gAMA", BigEndian32(45455));
    const Bytes strong = Chunk("gAMA", BigEndian32(100000));
    EXPECT_EQ(DecodePng(Stream({ihdr, identity, strong, idat, End()})).rgb, Ramp());
    EXPECT_EQ(DecodePng(Stream({ihdr, idat, strong, End()})).rgb, Ramp());
    EXPECT_NE(DecodePng(Stream({ihdr, strong, identity, idat, End()})).rgb, Ramp());
}

TEST(PngDecoder, SkipsAncillaryChunksAndASuggestedPalette) {
    const Bytes rgb = PatternRgb(4, 3);
    const Bytes ihdr = Chunk("IHDR", HeaderData({4, 3}));
    const Bytes idat = Chunk("IDAT", Zlib(FilterRows(rgb, 4, 3, [](int y) { return y % 5; })));
    const Bytes stream = Stream({ihdr, Chunk("vpAg", {0, 1, 2, 3, 4, 5, 6, 7, 8}), Chunk("PLTE", {1, 2, 3}),
                                 Chunk("sRGB", {0}), idat, Chunk("zzzz", {}), End()});
    EXPECT_EQ(DecodePng(stream).rgb, rgb);
}

TEST(PngDecoder, IgnoresBytesAfterIendAndInflatedDataBeyondTheImage) {
    const Bytes rgb = PatternRgb(2, 2);
    Bytes rows = FilterRows(rgb, 2, 2, [](int) { return 0; });
    rows.insert(rows.end(), 50, 7);
    Bytes stream = Stream({Chunk("IHDR", HeaderData({2, 2})), Chunk("IDAT", Zlib(rows)), End()});
    stream.insert(stream.end(), {1, 2, 3});
    EXPECT_EQ(DecodePng(stream).rgb, rgb);
}

TEST(PngDecoder, DecodesTheLargestWidthAndHeight) {
    for (auto [w, h] : {std::pair{65535, 1}, std::pair{1, 65535}}) {
        const Bytes rgb = PatternRgb(w, h);
        const TemplatePicture p = DecodePng(TruecolourPng(rgb, w, h, 1));
        EXPECT_EQ(p.width, w);
        EXPECT_EQ(p.height, h);
        EXPECT_EQ(p.rgb, rgb);
    }
}

// A nearly all-black image compresses about a thousand to one, close to what
// deflate can reach; the decoder's size check must still let it through.
TEST(PngDecoder, DecodesHighlyCompressedImageData) {
    constexpr int w = 2000, h = 2000;
    Bytes rgb(std::size_t{w} * h * 3, 0);
    rgb[rgb.size() / 2] = 9;
    const Bytes idat = Zlib(FilterRows(rgb, w, h, [](int) { return 0; }), 9);
    ASSERT_GT(rgb.size() / idat.size(), 900u);
    const Bytes stream = Stream({Chunk("IHDR", HeaderData({w, h})), Chunk("IDAT", idat), End()});
    EXPECT_EQ(DecodePng(stream).rgb, rgb);
}

#if defined(__SANITIZE_ADDRESS__)
#define VEILIX_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VEILIX_ASAN 1
#endif
#endif

// Runs in the death test's child: exits 0 on a clean decoding error, 1 on
// any other exception (bad_alloc), 2 when the stream decodes.
[[maybe_unused]] [[noreturn]] void DecodeWithAddressSpaceOf2Gb(const Bytes& stream) {
    const rlimit limit{2ull << 30, 2ull << 30};
    setrlimit(RLIMIT_AS, &limit);
    try {
        // Without a limit on the picture, only the data may hold memory back.
        DecodePng(stream, {.max_pixel_bytes = std::numeric_limits<std::uint64_t>::max()});
    } catch (const PngDecodeError&) {
        std::_Exit(0);
    } catch (...) {
        std::_Exit(1);
    }
    std::_Exit(2);
}

// A few hundred bytes claiming 65535 x 65535 pixels (12.9 GB of samples)
// must be refused without trying to allocate the picture even with no limit
// on its size: the child runs with 2 GB of address space, so any such attempt
// dies with bad_alloc.
TEST(PngDecoderDeathTest, HugeClaimFromATinyStreamFailsWithoutAllocating) {
#ifdef VEILIX_ASAN
    GTEST_SKIP() << "address space limits do not mix with AddressSanitizer";
#endif
    const Bytes rows(1 + 3 * 65535, 0);
    const Bytes stream =
        Stream({Chunk("IHDR", HeaderData({65535, 65535})), Chunk("IDAT", Zlib(rows, 9)), Chunk("IEND", {})});
    ASSERT_LT(stream.size(), 1000u);
    EXPECT_EXIT(DecodeWithAddressSpaceOf2Gb(stream), ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace veilix::test
