#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/read_all.h"
#include "templates/png/png_decoder.h"

namespace veilix::test {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

const fs::path kSuite = fs::path(VEILIX_TEST_DATA_DIR) / "pngsuite";

struct SuiteFile {
    std::string name;
    int width = 0, height = 0;
    std::string gamma;     // empty without gAMA
    std::string expected;  // decode, error or decode-or-clean-error
};

std::vector<SuiteFile> ReadExpectations() {
    std::ifstream in(kSuite / "expected.tsv");
    std::vector<SuiteFile> files;
    std::string line;
    std::getline(in, line);  // column names
    while (std::getline(in, line)) {
        std::vector<std::string> f;
        std::stringstream fields(line);
        for (std::string v; std::getline(fields, v, '\t');) f.push_back(v);
        if (f.size() < 8) throw std::runtime_error("short line in expected.tsv: " + line);
        files.push_back({f[0], f[1].empty() ? 0 : std::stoi(f[1]), f[2].empty() ? 0 : std::stoi(f[2]), f[6], f[7]});
    }
    return files;
}

// The raw samples of a file mapped through the gamma table of its gAMA value.
Bytes ExpectedPicture(const SuiteFile& file) {
    Bytes rgb = ReadAll(kSuite / "raw" / (file.name.substr(0, file.name.size() - 4) + ".rgb"));
    const double g = file.gamma.empty() ? 0.0 : std::stod(file.gamma);
    if (g == 0) return rgb;
    for (auto& s : rgb) s = static_cast<std::uint8_t>(std::lround(255.0 * std::pow(s / 255.0, 1.0 / (2.2 * g / 1e5))));
    return rgb;
}

void ExpectDecodesCorrectly(const SuiteFile& file, const TemplatePicture& p) {
    EXPECT_EQ(p.width, file.width);
    EXPECT_EQ(p.height, file.height);
    EXPECT_EQ(p.rgb, ExpectedPicture(file));
}

TEST(PngConformance, SuiteFilesDecodeOrFailAsExpected) {
    const std::vector<SuiteFile> files = ReadExpectations();
    ASSERT_EQ(files.size(), 48u);
    int decoded = 0, failed = 0;
    for (const SuiteFile& file : files) {
        SCOPED_TRACE(file.name);
        const Bytes stream = ReadAll(kSuite / file.name);
        try {
            const TemplatePicture p = DecodePng(stream);
            ++decoded;
            EXPECT_NE(file.expected, "error") << "decoded a file that must fail";
            if (file.expected != "error") ExpectDecodesCorrectly(file, p);
        } catch (const PngDecodeError& e) {
            ++failed;
            EXPECT_NE(file.expected, "decode") << e.what();
        }
    }
    // The suite's 26 decodable files are exactly the 8-bit truecolour,
    // non-interlaced ones; every other file fails cleanly.
    EXPECT_EQ(decoded, 26);
    EXPECT_EQ(failed, 22);
}

}  // namespace
}  // namespace veilix::test
