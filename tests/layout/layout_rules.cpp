#include "layout_rules.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <map>
#include <optional>
#include <stdexcept>
#include <string_view>

namespace veilix::layout {
namespace {

namespace fs = std::filesystem;

struct Layer {
    std::string_view name;                      // a folder under src/ ("tools" is the developer programs)
    bool qt;                                    // may include Qt and window-system headers
    std::vector<std::string_view> may_include;  // a name covers the folders under it
};

constexpr bool kQt = true;
constexpr bool kPlain = false;

// Low to high. A file belongs to the longest name that holds it; a folder in no
// layer is reported, so a new one gets its place here first. A name covers the
// layers under it, except the layers nested in a folder's own: those stand
// above it (forms/windowed above forms).
//
// Inside the platform, core is the vocabulary everything is built on; system,
// messages and graphics stand on core alone; output on those; menus use them;
// forms use everything below, and the windowed controls sit on forms.
const std::vector<Layer> kLayers = {
    {"icon", kPlain, {"icon"}},
    {"templates/png", kPlain, {"templates/png"}},
    {"platform/core", kQt, {"platform/core"}},
    {"platform/system", kQt, {"platform/core", "platform/system"}},
    {"platform/messages", kQt, {"platform/core", "platform/messages"}},
    {"platform/graphics", kQt, {"platform/core", "platform/graphics"}},
    {"platform/output", kQt, {"platform/core", "platform/system", "platform/output"}},
    {"platform/menus",
     kQt,
     {"platform/core", "platform/system", "platform/messages", "platform/graphics", "platform/menus"}},
    {"platform/forms",
     kQt,
     {"platform/core", "platform/system", "platform/messages", "platform/graphics", "platform/output", "platform/menus",
      "platform/forms"}},
    {"platform/forms/windowed", kQt, {"platform"}},
    {"templates", kPlain, {"platform", "templates/png", "templates"}},
    {"menu_painter", kPlain, {"platform", "menu_painter"}},
    {"stencil", kPlain, {"platform", "templates", "templates/png", "menu_painter", "stencil"}},
    {"app", kPlain, {"platform", "templates", "menu_painter", "stencil", "icon", "app"}},
    {"main.cpp", kQt, {"app", "platform"}},
    {"tools", kPlain, {"templates/png", "icon", "tools"}},
};

// Angle includes that tie code to Qt or the window system.
constexpr std::array<std::string_view, 4> kWindowSystemPrefixes = {"Q", "xcb/", "X11/", "wayland-"};

constexpr std::array<std::string_view, 7> kSourceExtensions = {".h", ".hpp", ".cpp", ".cc", ".cxx", ".inl", ".ipp"};

struct Include {
    int line = 0;
    std::string path;  // between the delimiters
    bool quoted = false;
    std::optional<std::string> target;  // the file it names, from the root
    std::string Written() const { return quoted ? '"' + path + '"' : '<' + path + '>'; }
};

struct SourceFile {
    const Layer* layer = nullptr;
    std::vector<Include> includes;
};

// "stencil/pull_back.cpp" for src/stencil/pull_back.cpp, the path itself for tools/.
std::string_view LayerKey(std::string_view file) { return file.starts_with("src/") ? file.substr(4) : file; }

bool Covers(std::string_view folder, std::string_view key) {
    return key == folder || (key.starts_with(folder) && key[folder.size()] == '/');
}

const Layer* LayerOf(std::string_view file) {
    const Layer* best = nullptr;
    for (const Layer& layer : kLayers)
        if (Covers(layer.name, LayerKey(file)) && (!best || layer.name.size() > best->name.size())) best = &layer;
    return best;
}

bool MayInclude(const Layer& from, const Layer& to) {
    const bool nestedInFrom = to.name != from.name && Covers(from.name, to.name);
    return std::ranges::any_of(from.may_include, [&](std::string_view name) {
        return name == to.name || (Covers(name, to.name) && !nestedInFrom);
    });
}

bool IsWindowSystemHeader(std::string_view header) {
    return std::ranges::any_of(kWindowSystemPrefixes, [&](std::string_view p) { return header.starts_with(p); });
}

// build_info.h.in counts as a header: CMake writes build_info.h from it.
bool IsSource(const fs::path& path) {
    const fs::path name = path.extension() == ".in" ? path.stem() : path.filename();
    return std::ranges::find(kSourceExtensions, name.extension().string()) != kSourceExtensions.end();
}

std::optional<Include> ParseInclude(std::string_view text, int line) {
    const auto skip_blanks = [&] {
        while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    };
    skip_blanks();
    if (!text.starts_with('#')) return std::nullopt;
    text.remove_prefix(1);
    skip_blanks();
    if (!text.starts_with("include")) return std::nullopt;
    text.remove_prefix(7);
    skip_blanks();
    if (text.empty() || (text.front() != '<' && text.front() != '"')) return std::nullopt;
    const bool quoted = text.front() == '"';
    const std::size_t end = text.find(quoted ? '"' : '>', 1);
    if (end == std::string_view::npos) return std::nullopt;
    return Include{line, std::string(text.substr(1, end - 1)), quoted, std::nullopt};
}

std::vector<Include> ReadIncludes(const fs::path& path) {
    std::ifstream in(path);
    if (!in) throw std::runtime_error("cannot read " + path.string());
    std::vector<Include> includes;
    std::string text;
    for (int line = 1; std::getline(in, text); ++line)
        if (auto include = ParseInclude(text, line)) includes.push_back(std::move(*include));
    return includes;
}

// Where the compiler finds it: beside the including file (quoted only), then
// under src/. A header CMake writes from NAME.in is there too.
std::optional<std::string> Resolve(const fs::path& root, const std::string& file, const Include& include) {
    std::vector<fs::path> folders;
    if (include.quoted) folders.push_back(fs::path(file).parent_path());
    folders.emplace_back("src");
    for (const fs::path& folder : folders) {
        const std::string candidate = (folder / include.path).lexically_normal().generic_string();
        for (const std::string& name : {candidate, candidate + ".in"})
            if (fs::is_regular_file(root / name)) return name;
    }
    return std::nullopt;
}

std::string Names(const std::vector<std::string_view>& names) {
    std::string joined;
    for (std::string_view name : names) joined += (joined.empty() ? "" : ", ") + std::string(name);
    return joined;
}

}  // namespace

Report CheckTree(const fs::path& root) {
    Report report;
    std::map<std::string, SourceFile> files;  // by path from the root, sorted for a stable report
    for (const char* top : {"src", "tools"}) {
        if (!fs::is_directory(root / top)) continue;
        for (const auto& entry : fs::recursive_directory_iterator(root / top))
            if (entry.is_regular_file() && IsSource(entry.path())) {
                const std::string name = entry.path().lexically_relative(root).generic_string();
                files[name] = {LayerOf(name), ReadIncludes(entry.path())};
            }
    }

    for (auto& [name, file] : files)
        for (Include& include : file.includes) include.target = Resolve(root, name, include);

    // A platform file is Qt-side when it includes Qt or the window system, or a
    // Qt-side platform file; what it brings along is kept for the report.
    std::map<std::string, std::string> qt_side;
    for (bool grew = true; grew;) {
        grew = false;
        for (const auto& [name, file] : files) {
            if (!file.layer || !file.layer->qt || qt_side.contains(name)) continue;
            for (const Include& include : file.includes) {
                const bool window_system = !include.quoted && IsWindowSystemHeader(include.path);
                if (window_system || (include.target && qt_side.contains(*include.target))) {
                    qt_side[name] = window_system ? include.Written() : *include.target;
                    grew = true;
                    break;
                }
            }
        }
    }
    const auto qt_chain = [&](std::string file) {
        std::string chain = file;
        for (auto step = qt_side.find(file); step != qt_side.end(); step = qt_side.find(step->second))
            chain += " -> " + step->second;
        return chain;
    };

    for (const auto& entry : files) {
        // Not a structured binding: clang before 16 cannot capture one in a lambda.
        const std::string& name = entry.first;
        const SourceFile& file = entry.second;
        ++report.files;
        const auto report_here = [&](const Include& include, Rule rule, std::string detail) {
            report.violations.push_back({name, include.line, include.Written(), rule, std::move(detail)});
        };
        if (!file.layer) {
            report.violations.push_back({name, 0, "", Rule::kNoLayer,
                                         "give its folder a place in the layer table (tests/layout/layout_rules.cpp)"});
            continue;
        }
        const Layer& layer = *file.layer;
        for (const Include& include : file.includes) {
            ++report.includes;
            const auto& target = include.target;
            if (!include.quoted && IsWindowSystemHeader(include.path)) {
                if (!layer.qt)
                    report_here(include, Rule::kQtOutsidePlatform, std::string(layer.name) + " is plain C++");
            } else if (!target) {
                if (include.quoted)
                    report_here(include, Rule::kUnknownInclude, "no such file under src/ or beside " + name);
            } else if (const Layer* to = LayerOf(*target); !to) {
                report_here(include, Rule::kNoLayer, *target + " is in no layer");
            } else if (!MayInclude(layer, *to)) {
                report_here(include, Rule::kLayerOrder,
                            std::string(layer.name) + " may include only " + Names(layer.may_include));
            } else if (!layer.qt && qt_side.contains(*target)) {
                report_here(include, Rule::kQtSideHeader, qt_chain(*target));
            }
        }
    }
    return report;
}

std::string Describe(const Violation& violation) {
    std::string text = violation.file;
    if (violation.line > 0) text += ':' + std::to_string(violation.line);
    if (!violation.include.empty()) text += ": #include " + violation.include;
    switch (violation.rule) {
        case Rule::kQtOutsidePlatform: text += ": Qt or window-system header outside the platform"; break;
        case Rule::kQtSideHeader: text += ": Qt-side platform header above the platform"; break;
        case Rule::kLayerOrder: text += ": dependency points up or sideways"; break;
        case Rule::kNoLayer: text += ": not in any layer"; break;
        case Rule::kUnknownInclude: text += ": unknown include path"; break;
    }
    return text + ": " + violation.detail;
}

}  // namespace veilix::layout
