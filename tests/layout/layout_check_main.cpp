// Checks the source tree given on the command line against the layer rules;
// prints one line per offending include and fails if there is any.
#include <exception>
#include <filesystem>
#include <iostream>

#include "layout_rules.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: veilix_layout_check SOURCE_DIR\n";
        return 2;
    }
    const std::filesystem::path root = argv[1];
    try {
        const veilix::layout::Report report = veilix::layout::CheckTree(root);
        // An empty walk would pass every rule: a wrong directory must not.
        if (report.files == 0) {
            std::cerr << "layout: no source files under " << (root / "src") << '\n';
            return 2;
        }
        for (const auto& violation : report.violations) std::cout << Describe(violation) << '\n';
        if (!report.violations.empty()) {
            std::cout << "layout: " << report.violations.size() << " violation(s) of the layer rules in "
                      << report.files << " files\n";
            return 1;
        }
        std::cout << "layout: " << report.files << " files, " << report.includes
                  << " includes, all within the layer rules\n";
    } catch (const std::exception& error) {
        std::cerr << "layout: " << error.what() << '\n';
        return 2;
    }
    return 0;
}
