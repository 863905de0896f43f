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

RunResult RunPngCheck(const std::vector<fs::path>& files) {
  std::string command = (fs::path(VEILIX_BINARY_DIR) / "veilix-pngcheck").string();
  for (const fs::path& f : files) command += " '" + f.string() + "'";
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
  const RunResult r = RunPngCheck({kTemplates / "circle.png", kSuite / "xcrn0g04.png", kSuite / "f00n2c08.png",
                                   kSuite / "no-such-file.png"});
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
  EXPECT_TRUE(std::regex_match(r.output, std::regex("OK 100x100 [0-9a-f]{64}\nOK 200x100 [0-9a-f]{64}\n"))) << r.output;
}

}  // namespace
}  // namespace veilix::test
