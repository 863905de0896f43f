#include <gtest/gtest.h>

#include <string>

#include "support/png_test_builder.h"
#include "templates/png/png_decoder.h"
#include "templates/template_streams.h"

namespace veilix::test {
namespace {

struct NamedStream {
    const char* name;
    Bytes stream;
};

std::vector<NamedStream> Templates() {
    auto bytes = [](std::span<const std::uint8_t> s) { return Bytes(s.begin(), s.end()); };
    return {{"rectangle", bytes(RectangleTemplatePng())},
            {"ellipse", bytes(EllipseTemplatePng())},
            {"circle", bytes(CircleTemplatePng())}};
}

TEST(TemplateStreams, AreStoredInTheAgreedForm) {
    for (const auto& [name, stream] : Templates()) {
        SCOPED_TRACE(name);
        const bool srgb = std::string(name) != "rectangle";
        std::vector<std::string> types;
        for (std::size_t pos = 8; pos + 12 <= stream.size();) {
            const ChunkPlace c = FindChunkAt(stream, pos);
            types.emplace_back(reinterpret_cast<const char*>(&stream[pos + 4]), 4);
            pos = c.end();
        }
        std::vector<std::string> expected = {"IHDR", "gAMA", "pHYs", "tEXt", "IDAT", "IEND"};
        if (srgb) expected.insert(expected.begin() + 1, "sRGB");
        EXPECT_EQ(types, expected);
        const ChunkPlace ihdr = FindChunk(stream, "IHDR");
        EXPECT_EQ(Bytes(stream.begin() + ihdr.data() + 8, stream.begin() + ihdr.end() - 4), (Bytes{8, 2, 0, 0, 0}));
        const ChunkPlace gama = FindChunk(stream, "gAMA");
        EXPECT_EQ(Bytes(stream.begin() + gama.data(), stream.begin() + gama.end() - 4), BigEndian32(45455));
        const ChunkPlace text = FindChunk(stream, "tEXt");
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(&stream[text.data()]), 9), std::string("Software\0", 9));

        // Every row of the image data is Sub-filtered.
        const ChunkPlace idat = FindChunk(stream, "IDAT");
        const TemplatePicture p = DecodePng(stream);
        const std::size_t row = 1 + 3 * static_cast<std::size_t>(p.width);
        Bytes rows(row * p.height);
        uLongf size = static_cast<uLongf>(rows.size());
        ASSERT_EQ(uncompress(rows.data(), &size, &stream[idat.data()], idat.length), Z_OK);
        ASSERT_EQ(size, rows.size());
        for (int y = 0; y < p.height; ++y) EXPECT_EQ(rows[y * row], 1) << "row " << y;
    }
}

TEST(TemplateStreams, ChangingAnyByteOfAnAncillaryOrHeaderChunkFailsOnItsCheckValue) {
    for (const auto& [name, good] : Templates()) {
        for (const char* type : {"IHDR", "gAMA", "pHYs", "tEXt"}) {
            const ChunkPlace c = FindChunk(good, type);
            for (std::size_t i = c.data(); i < c.data() + c.length; ++i) {
                Bytes stream = good;
                stream[i] ^= 0x20;
                try {
                    DecodePng(stream);
                    ADD_FAILURE() << name << " " << type << " byte " << i << " decoded";
                } catch (const PngDecodeError& e) {
                    EXPECT_EQ(std::string(e.what()), std::string("bad check value in chunk ") + type) << name;
                }
            }
        }
    }
}

// Rebuilds a template with its image data cut into IDAT chunks of `piece` bytes.
Bytes WithSplitImageData(const Bytes& stream, std::size_t piece) {
    const ChunkPlace idat = FindChunk(stream, "IDAT");
    Bytes out(stream.begin(), stream.begin() + idat.offset);
    for (std::size_t at = idat.data(); at < idat.data() + idat.length; at += piece) {
        const std::size_t n = std::min(piece, idat.data() + idat.length - at);
        const Bytes part = Chunk("IDAT", Bytes(stream.begin() + at, stream.begin() + at + n));
        out.insert(out.end(), part.begin(), part.end());
    }
    out.insert(out.end(), stream.begin() + idat.end(), stream.end());
    return out;
}

TEST(TemplateStreams, ImageDataSplitOverSeveralIdatChunksDecodesTheSame) {
    for (const auto& [name, stream] : Templates()) {
        const TemplatePicture whole = DecodePng(stream);
        for (std::size_t piece : {1, 7, 100}) {
            const Bytes split = WithSplitImageData(stream, piece);
            ASSERT_GT(split.size(), stream.size()) << name;
            EXPECT_EQ(DecodePng(split).rgb, whole.rgb) << name << " in pieces of " << piece;
        }
    }
}

TEST(TemplateStreams, AnUnknownAncillaryChunkBeforeTheImageDataChangesNothing) {
    for (const auto& [name, stream] : Templates()) {
        const ChunkPlace idat = FindChunk(stream, "IDAT");
        Bytes with_extra(stream.begin(), stream.begin() + idat.offset);
        const Bytes extra = Chunk("vpAg", {0, 0, 1, 0, 0, 0, 1, 0, 0});
        with_extra.insert(with_extra.end(), extra.begin(), extra.end());
        with_extra.insert(with_extra.end(), stream.begin() + idat.offset, stream.end());
        EXPECT_EQ(DecodePng(with_extra).rgb, DecodePng(stream).rgb) << name;
    }
}

}  // namespace
}  // namespace veilix::test
