#include <gtest/gtest.h>

#include <unistd.h>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "support/read_all.h"
#include "templates/template_streams.h"

namespace veilix::test {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

Bytes ToBytes(std::span<const std::uint8_t> s) { return Bytes(s.begin(), s.end()); }

// The committed templates, the streams built into the program, and what the
// generator makes today must all be the same bytes.
TEST(TemplateGenerator, ReproducesTheCommittedAndEmbeddedStreams) {
    const fs::path generator = fs::path(VEILIX_BINARY_DIR) / "veilix-template-generator";
    ASSERT_TRUE(fs::exists(generator)) << generator << " is not built";
    const fs::path out = fs::temp_directory_path() / ("veilix_templates_" + std::to_string(::getpid()));
    const std::string command = generator.string() + " " + out.string();
    ASSERT_EQ(std::system(command.c_str()), 0) << command;

    const fs::path committed = fs::path(VEILIX_SOURCE_DIR) / "src/templates/data";
    const std::pair<const char*, std::span<const std::uint8_t>> templates[] = {
        {"rectangle.png", RectangleTemplatePng()},
        {"ellipse.png", EllipseTemplatePng()},
        {"circle.png", CircleTemplatePng()},
    };
    for (const auto& [name, embedded] : templates) {
        SCOPED_TRACE(name);
        const Bytes generated = ReadAll(out / name);
        EXPECT_FALSE(generated.empty());
        EXPECT_EQ(generated, ReadAll(committed / name));
        EXPECT_EQ(generated, ToBytes(embedded));
    }
    fs::remove_all(out);
}

}  // namespace
}  // namespace veilix::test
