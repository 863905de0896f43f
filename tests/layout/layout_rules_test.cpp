#include "layout_rules.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include <gtest/gtest.h>

namespace veilix::layout {
namespace {

namespace fs = std::filesystem;

// A small tree within the rules, with what they allow at their edges: Qt in
// main.cpp and the platform, a Qt-side header reached only through a plain
// one, forms/windowed standing on forms, a header CMake generates from a .in
// file, and a tool including its neighbour by bare name.
const std::map<std::string, std::string> kCleanTree = {
    {"src/main.cpp",
     "#include <QApplication>\n#include \"app/application.h\"\n#include \"platform/forms/form_widget.h\"\n"},
    {"src/app/application.h",
     "#pragma once\n#include \"app/build_info.h\"\n#include \"stencil/stencil_form.h\"\n"
     "#include \"icon/icon_design.h\"\n"},
    {"src/app/build_info.h.in", "#pragma once\n"},
    {"src/icon/icon_design.h", "#pragma once\n#include <vector>\n"},
    {"src/platform/core/types.h", "#pragma once\n#include <cstdint>\n"},
    {"src/platform/output/frame_composer.h", "#pragma once\n#include <QImage>\n"},
    {"src/platform/graphics/font_cache.h", "#pragma once\n#include \"platform/core/types.h\"\n#include <QFont>\n"},
    {"src/platform/graphics/fonts.h", "#pragma once\n#include \"platform/graphics/font_cache.h\"\n"},
    {"src/platform/forms/form.h", "#pragma once\n#include \"platform/core/types.h\"\n"},
    {"src/platform/forms/form.cpp",
     "#include \"platform/forms/form.h\"\n"
     "#include \"platform/graphics/fonts.h\"\n#include \"platform/output/frame_composer.h\"\n"},
    {"src/platform/forms/form_widget.h", "#pragma once\n#include <QWidget>\n"},
    {"src/platform/forms/windowed/win_control.h", "#pragma once\n#include <cstdint>\n"},
    {"src/platform/forms/windowed/win_control.cpp",
     "#include \"platform/forms/windowed/win_control.h\"\n#include \"platform/forms/form.h\"\n"},
    {"src/menu_painter/palette.h", "#pragma once\n#include \"platform/core/types.h\"\n"},
    {"src/menu_painter/palette.cpp", "#include \"menu_painter/palette.h\"\n#include \"platform/forms/form.h\"\n"},
    {"src/templates/png/png_decoder.h", "#pragma once\n#include <cstdint>\n"},
    {"src/templates/template_holder.h",
     "#pragma once\n#include \"templates/png/png_decoder.h\"\n#include \"platform/forms/form.h\"\n"},
    {"src/stencil/stencil_form.h",
     "#pragma once\n#include \"menu_painter/palette.h\"\n#include \"templates/template_holder.h\"\n"},
    {"src/stencil/pull_back.cpp", "#include \"stencil/stencil_form.h\"\n"},
    {"tools/sha256.h", "#pragma once\n#include <cstdint>\n"},
    {"tools/pngcheck_main.cpp",
     "#include \"sha256.h\"\n#include \"templates/png/png_decoder.h\"\n#include \"icon/icon_design.h\"\n"},
};

// kCleanTree in a folder of its own, removed afterwards.
class ScratchTree {
public:
    ScratchTree() {
        std::string name = "veilix_layout_" + std::to_string(::getpid()) + "_" +
                           ::testing::UnitTest::GetInstance()->current_test_info()->name();
        for (char& ch : name)
            if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
        root_ = fs::temp_directory_path() / name;
        fs::remove_all(root_);
        for (const auto& [file, text] : kCleanTree) Write(file, text);
    }
    ~ScratchTree() { fs::remove_all(root_); }

    const fs::path& root() const { return root_; }

    // Adds LINE at the end of FILE (made if missing); returns its line number.
    int Plant(const std::string& file, const std::string& line) {
        std::string text;
        if (const auto found = kCleanTree.find(file); found != kCleanTree.end()) text = found->second;
        text += line + '\n';
        Write(file, text);
        return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
    }

private:
    void Write(const std::string& file, const std::string& text) {
        fs::create_directories((root_ / file).parent_path());
        std::ofstream(root_ / file) << text;
    }

    fs::path root_;
};

std::string Listed(const Report& report) {
    std::string lines;
    for (const Violation& violation : report.violations) lines += Describe(violation) + '\n';
    return lines;
}

TEST(LayoutRules, CleanTreePasses) {
    ScratchTree tree;
    const Report report = CheckTree(tree.root());
    EXPECT_TRUE(report.violations.empty()) << Listed(report);
    EXPECT_EQ(report.files, static_cast<int>(kCleanTree.size()));
}

struct Planted {
    const char* name;
    const char* file;
    const char* line;
    Rule rule;
};

void PrintTo(const Planted& c, std::ostream* out) { *out << c.name; }

class PlantedInclude : public ::testing::TestWithParam<Planted> {};

// Each planted include is reported once, at its own line, under its rule.
TEST_P(PlantedInclude, IsReportedAtItsLine) {
    const Planted& c = GetParam();
    ScratchTree tree;
    const int line = tree.Plant(c.file, c.line);

    const Report report = CheckTree(tree.root());
    ASSERT_EQ(report.violations.size(), 1u) << Listed(report);
    const Violation& violation = report.violations.front();
    EXPECT_EQ(violation.file, c.file);
    EXPECT_EQ(violation.line, line);
    EXPECT_EQ(violation.rule, c.rule) << Describe(violation);
    const std::string written = std::string(c.line).substr(std::string("#include ").size());
    const std::string where = std::string(c.file) + ':' + std::to_string(line) + ": #include " + written;
    EXPECT_TRUE(Describe(violation).starts_with(where)) << Describe(violation);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PlantedInclude,
    ::testing::Values(
        Planted{"qt_in_stencil", "src/stencil/pull_back.cpp", "#include <QWidget>", Rule::kQtOutsidePlatform},
        Planted{"qt_module_path_in_templates", "src/templates/template_holder.h", "#include <QtGui/QImage>",
                Rule::kQtOutsidePlatform},
        Planted{"xcb_in_a_tool", "tools/pngcheck_main.cpp", "#include <xcb/xcb.h>", Rule::kQtOutsidePlatform},
        Planted{"x11_in_the_decoder", "src/templates/png/png_decoder.h", "#include <X11/Xlib.h>",
                Rule::kQtOutsidePlatform},
        Planted{"wayland_in_app", "src/app/application.h", "#include <wayland-client.h>", Rule::kQtOutsidePlatform},
        Planted{"qt_side_header_in_menu_painter", "src/menu_painter/palette.cpp",
                "#include \"platform/output/frame_composer.h\"", Rule::kQtSideHeader},
        Planted{"header_qt_side_through_a_plain_one", "src/stencil/stencil_form.h",
                "#include \"platform/graphics/fonts.h\"", Rule::kQtSideHeader},
        Planted{"stencil_from_platform", "src/platform/forms/form.cpp", "#include \"stencil/stencil_form.h\"",
                Rule::kLayerOrder},
        Planted{"forms_up_to_its_windowed_controls", "src/platform/forms/form.cpp",
                "#include \"platform/forms/windowed/win_control.h\"", Rule::kLayerOrder},
        Planted{"core_includes_forms", "src/platform/core/types.h", "#include \"platform/forms/form.h\"",
                Rule::kLayerOrder},
        Planted{"graphics_sideways_to_output", "src/platform/graphics/fonts.h",
                "#include \"platform/output/frame_composer.h\"", Rule::kLayerOrder},
        Planted{"angle_brackets_hide_nothing", "src/platform/core/types.h", "#include <platform/forms/form.h>",
                Rule::kLayerOrder},
        Planted{"menu_painter_sideways_to_templates", "src/menu_painter/palette.h",
                "#include \"templates/template_holder.h\"", Rule::kLayerOrder},
        Planted{"decoder_on_the_platform", "src/templates/png/png_decoder.h", "#include \"platform/core/types.h\"",
                Rule::kLayerOrder},
        Planted{"tool_on_the_platform", "tools/sha256.h", "#include \"platform/core/types.h\"", Rule::kLayerOrder},
        Planted{"stale_path", "src/stencil/pull_back.cpp", "#include \"stencil/gone.h\"", Rule::kUnknownInclude},
        Planted{"bare_name_of_another_folder", "src/stencil/pull_back.cpp", "#include \"sha256.h\"",
                Rule::kUnknownInclude}),
    [](const auto& info) { return std::string(info.param.name); });

// A new folder is reported until the table gives it a place, even when its
// includes would pass.
TEST(LayoutRules, FileOutsideEveryLayerIsReported) {
    for (const char* file : {"src/extras/extra.cpp", "src/platform/audio/beep.h", "src/loose.cpp"}) {
        ScratchTree tree;
        tree.Plant(file, "#include \"platform/core/types.h\"");
        const Report report = CheckTree(tree.root());
        ASSERT_EQ(report.violations.size(), 1u) << file << '\n' << Listed(report);
        EXPECT_EQ(report.violations.front().file, file);
        EXPECT_EQ(report.violations.front().rule, Rule::kNoLayer);
    }
}

}  // namespace
}  // namespace veilix::layout
