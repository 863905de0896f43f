#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <regex>
#include <string>

namespace veilix::test {
namespace {

namespace fs = std::filesystem;

struct RunResult {
    std::string output;
    int exit_code = -1;
};

// Runs the tool with `args` (files and options); its standard error joins
// the output when `with_errors` is set.
RunResult RunPngCheck(const std::vector<fs::path>& args, bool with_errors = false) {
    std::string command = (fs::path(VEILIX_BINARY_DIR) / "veilix-pngcheck").string();
    for (const fs::path& a : args) command += " '" + a.string() + "'";
    if (with_errors) command += " 2>&1";
    RunResult result;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return result;
    char buffer[4096];
    for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) result.output.append(buffer, n);
    const int status = pclose(pipe);
    if (WIFEXITED(status)) result.exit_code = WEXITSTATUS(status);
    return result;
}

const fs::path kSuite = fs::path(VEILIX_TEST_DATA_DIR) / "pngsuite";
const fs::path kTemplates = fs::path(VEILIX_SOURCE_DIR) / "src/templates/data";

TEST(PngCheckTool, PrintsOneLinePerFileAndFailsWhenAnyFileFails) {
    ASSERT_TRUE(fs::exists(fs::path(VEILIX_BINARY_DIR) / "veilix-pngcheck")) << "veilix-pngcheck is not built";
    // f00n2c08.png has no gAMA, so its line carries the suite's hash of the raw samples.
    const RunResult r = RunPngCheck(
        {kTemplates / "circle.png", kSuite / "xcrn0g04.png", kSuite / "f00n2c08.png", kSuite / "no-such-file.png"});
    EXPECT_EQ(r.exit_code, 1);
    const std::regex expected(
        "OK 100x100 [0-9a-f]{64}\n"
        "ERROR bad signature\n"
        "OK 32x32 48ebbeec090aeee19eaf5c530de7206558ebeb7e764b3d64622b23f7d35d8c34\n"
        "ERROR cannot read [^\n]*no-such-file.png\n");
    EXPECT_TRUE(std::regex_match(r.output, expected)) << r.output;
}

TEST(PngCheckTool, SucceedsWhenEveryFileDecodes) {
    const RunResult r = RunPngCheck({kTemplates / "rectangle.png", kTemplates / "ellipse.png"});
    EXPECT_EQ(r.exit_code, 0);
    EXPECT_TRUE(std::regex_match(r.output, std::regex("OK 100x100 [0-9a-f]{64}\nOK 200x100 [0-9a-f]{64}\n")))
        << r.output;
}

TEST(PngCheckTool, RefusesPicturesOverTheGivenNumberOfPixelBytes) {
    const fs::path rectangle = kTemplates / "rectangle.png";  // 100 x 100, 30000 bytes of pixels
    const RunResult at = RunPngCheck({"--max-pixel-bytes", "30000", rectangle});
    EXPECT_EQ(at.exit_code, 0);
    EXPECT_TRUE(std::regex_match(at.output, std::regex("OK 100x100 [0-9a-f]{64}\n"))) << at.output;
    const RunResult below = RunPngCheck({"--max-pixel-bytes", "29999", rectangle});
    EXPECT_EQ(below.exit_code, 1);
    EXPECT_EQ(below.output,
              "ERROR image of 100 x 100 pixels (30000 bytes) exceeds the decode limit of 29999 bytes in chunk IHDR\n");
}

TEST(PngCheckTool, AMalformedCommandLineGetsTheUsageAndExitCode2) {
    const fs::path rectangle = kTemplates / "rectangle.png";
    const std::vector<std::vector<fs::path>> command_lines = {
        {},
        {"--max-pixel-bytes"},
        {"--max-pixel-bytes", "30000"},
        {"--max-pixel-bytes", "0", rectangle},
        {"--max-pixel-bytes", "-1", rectangle},
        {"--max-pixel-bytes", "3e4", rectangle},
        {"--max-pixel-bytes", "99999999999999999999", rectangle},
        {"--max-pixels", "30000", rectangle},
    };
    for (const auto& args : command_lines) {
        const RunResult r = RunPngCheck(args, true);
        EXPECT_EQ(r.exit_code, 2) << r.output;
        EXPECT_EQ(r.output.rfind("usage: ", 0), 0u) << r.output;
        EXPECT_NE(r.output.find("--max-pixel-bytes N"), std::string::npos) << r.output;
    }
}

}  // namespace
}  // namespace veilix::test
