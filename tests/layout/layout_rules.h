#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace veilix::layout {

enum class Rule {
    kQtOutsidePlatform,  // a Qt or window-system header outside src/platform and src/main.cpp
    kQtSideHeader,       // a platform header that brings Qt along, included from above
    kLayerOrder,         // an include that points up or sideways
    kNoLayer,            // a file in a folder the layer table does not place
    kUnknownInclude,     // a quoted include that names no file
};

struct Violation {
    std::string file;     // relative to the tree's root: "src/stencil/pull_back.cpp"
    int line = 0;         // 0: the file as a whole
    std::string include;  // as written: <QWidget>, "platform/forms/form.h"
    Rule rule = Rule::kLayerOrder;
    std::string detail;
};

struct Report {
    int files = 0;
    int includes = 0;
    std::vector<Violation> violations;
};

// Checks every C++ file under ROOT/src and ROOT/tools against the layer table.
Report CheckTree(const std::filesystem::path& root);

// One line: "file:line: #include <x>: what is wrong: why".
std::string Describe(const Violation& violation);

}  // namespace veilix::layout
