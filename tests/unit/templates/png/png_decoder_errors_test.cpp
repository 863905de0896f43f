#include <gtest/gtest.h>

#include <string>

#include "support/png_test_builder.h"
#include "templates/png/png_decoder.h"

namespace veilix::test {
namespace {

constexpr int kWidth = 3;
constexpr int kHeight = 2;

Bytes GoodHeader() { return Chunk("IHDR", HeaderData({kWidth, kHeight})); }
Bytes GoodRows() {
    return FilterRows(PatternRgb(kWidth, kHeight), kWidth, kHeight, [](int) { return 0; });
}
Bytes GoodData() { return Chunk("IDAT", Zlib(GoodRows())); }
Bytes End() { return Chunk("IEND", {}); }
Bytes GoodStream() { return Stream({GoodHeader(), GoodData(), End()}); }

Bytes WithHeader(Header h) { return Stream({Chunk("IHDR", HeaderData(h)), GoodData(), End()}); }

Bytes WithCheckValueBroken(Bytes chunk) {
    chunk.back() ^= 0x01;
    return chunk;
}

// A valid 3 x 2 image whose image data is replaced by `zlib`.
Bytes WithImageData(const Bytes& zlib) { return Stream({GoodHeader(), Chunk("IDAT", zlib), End()}); }

struct FailureCase {
    const char* name;
    Bytes stream;
    const char* message;
};

std::vector<FailureCase> FailureCases() {
    Bytes bad_signature = GoodStream();
    bad_signature[1] = 'p';
    Bytes too_long = GoodStream();
    too_long[8] = 0x80;  // IHDR length 2^31 + 13
    Bytes digit_type = Stream({GoodHeader(), Chunk("gA1A", {1}), GoodData(), End()});
    Bytes rows_with_bad_filter = GoodRows();
    rows_with_bad_filter[0] = 5;
    const Bytes zlib = Zlib(GoodRows());
    Bytes bad_adler = zlib;
    bad_adler.back() ^= 0x01;
    const Bytes no_adler(zlib.begin(), zlib.end() - 4);
    const Bytes rows = GoodRows();
    const Bytes one_row_only(rows.begin(), rows.begin() + 1 + 3 * kWidth);
    const Bytes first_half(zlib.begin(), zlib.begin() + zlib.size() / 2);
    const Bytes second_half(zlib.begin() + zlib.size() / 2, zlib.end());

    Header h65536w{65536, 1}, h65536h{1, 65536}, zero{0, 1}, compression{kWidth, kHeight}, interlace2{kWidth, kHeight},
        interlaced{kWidth, kHeight}, filter_method{kWidth, kHeight}, rgba{kWidth, kHeight}, deep{kWidth, kHeight},
        bad_combination{kWidth, kHeight};
    compression.compression = 1;
    interlace2.interlace = 2;
    interlaced.interlace = 1;
    filter_method.filter = 1;
    rgba.colour_type = 6;
    deep.bit_depth = 16;
    bad_combination.bit_depth = 3;
    Bytes short_header = HeaderData({kWidth, kHeight});
    short_header.pop_back();

    return {
        {"empty stream", {}, "bad signature"},
        {"changed signature", bad_signature, "bad signature"},
        {"signature only", Signature(), "ends before IEND"},
        {"first chunk not IHDR", Stream({Chunk("gAMA", BigEndian32(45455)), GoodHeader(), GoodData(), End()}),
         "first chunk is not IHDR"},
        {"second IHDR", Stream({GoodHeader(), GoodHeader(), GoodData(), End()}), "second IHDR"},
        {"unknown critical chunk", Stream({GoodHeader(), Chunk("ZzZz", {1, 2}), GoodData(), End()}),
         "unknown critical chunk ZzZz"},
        {"IHDR of 12 bytes", Stream({Chunk("IHDR", short_header), GoodData(), End()}),
         "IHDR chunk shorter than 13 bytes"},
        {"width 65536", WithHeader(h65536w), "width 65536 exceeds 65535"},
        {"height 65536", WithHeader(h65536h), "height 65536 exceeds 65535"},
        {"zero width", WithHeader(zero), "zero width or height"},
        // 3 x 16384 x 5462 bytes is just over the default 256 MiB; one row less is
        // under it, and these 3 x 2 image data are then too short.
        {"claim over the default limit", WithHeader({16384, 5462}),
         "(268468224 bytes) exceeds the decode limit of 268435456 bytes in chunk IHDR"},
        {"claim under the default limit", WithHeader({16384, 5461}), "image data ends before the image is complete"},
        {"compression method 1", WithHeader(compression), "compression method 1"},
        {"interlace method 2", WithHeader(interlace2), "interlace method 2"},
        {"interlace method 1 is valid but not decoded", WithHeader(interlaced), "interlaced"},
        {"filter method 1", WithHeader(filter_method), "filter method 1"},
        {"colour type 6 not decoded", WithHeader(rgba), "unsupported format: colour type 6"},
        {"bit depth 16 not decoded", WithHeader(deep), "unsupported format: colour type 2, bit depth 16"},
        {"impossible bit depth", WithHeader(bad_combination), "invalid colour type 2 with bit depth 3"},
        {"no IEND", Stream({GoodHeader(), GoodData()}), "ends before IEND"},
        {"no IDAT", Stream({GoodHeader(), End()}), "no IDAT chunk"},
        {"chunk length above 2^31 - 1", too_long, "length too large in chunk IHDR"},
        {"chunk type with a digit", digit_type, "invalid chunk type gA1A"},
        {"bad check value on IHDR", Stream({WithCheckValueBroken(GoodHeader()), GoodData(), End()}),
         "bad check value in chunk IHDR"},
        {"bad check value on IDAT", Stream({GoodHeader(), WithCheckValueBroken(GoodData()), End()}),
         "bad check value in chunk IDAT"},
        {"bad check value on IEND", Stream({GoodHeader(), GoodData(), WithCheckValueBroken(End())}),
         "bad check value in chunk IEND"},
        {"bad check value on an unknown ancillary chunk",
         Stream({GoodHeader(), WithCheckValueBroken(Chunk("teSt", {1, 2, 3})), GoodData(), End()}),
         "bad check value in chunk teSt"},
        {"image data for one row of two", WithImageData(Zlib(one_row_only)),
         "image data ends before the image is complete"},
        {"IDAT run broken by another chunk",
         Stream({GoodHeader(), Chunk("IDAT", first_half), Chunk("tEXt", {'a', 0, 'b'}), Chunk("IDAT", second_half),
                 End()}),
         "image data ends before the image is complete"},
        {"IDAT is not zlib", WithImageData({0x12, 0x34, 0x56, 0x78, 0x9a}), "inflating IDAT failed"},
        {"zlib checksum wrong", WithImageData(bad_adler), "inflating IDAT failed"},
        {"zlib stream without its checksum", WithImageData(no_adler), "zlib stream in IDAT is incomplete"},
        {"unknown filter type", WithImageData(Zlib(rows_with_bad_filter)), "unknown filter type 5 in row 0"},
    };
}

TEST(PngDecoderFailures, EachFaultIsReportedWithItsReason) {
    for (const FailureCase& c : FailureCases()) {
        SCOPED_TRACE(c.name);
        try {
            DecodePng(c.stream);
            ADD_FAILURE() << "decoded";
        } catch (const PngDecodeError& e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
        }
    }
}

TEST(PngDecoderFailures, TheGoodStreamTheCasesBreakDecodes) {
    const TemplatePicture p = DecodePng(GoodStream());
    EXPECT_EQ(p.rgb, PatternRgb(kWidth, kHeight));
}

TEST(PngDecoderFailures, EveryTruncationFails) {
    const Bytes stream = GoodStream();
    for (std::size_t size = 0; size < stream.size(); ++size) {
        EXPECT_THROW(DecodePng(std::span(stream).first(size)), PngDecodeError) << "cut to " << size << " bytes";
    }
}

TEST(PngDecoderFailures, EverySingleBitFlipFails) {
    const Bytes good = GoodStream();
    for (std::size_t i = 0; i < good.size(); ++i) {
        for (int bit = 0; bit < 8; ++bit) {
            Bytes stream = good;
            stream[i] ^= static_cast<std::uint8_t>(1 << bit);
            EXPECT_THROW(DecodePng(stream), PngDecodeError) << "byte " << i << " bit " << bit;
        }
    }
}

}  // namespace
}  // namespace veilix::test
