#pragma once
// The program's command line: --help and --version answer without a display;
// anything else is refused.
#include <string>
#include <vector>

namespace veilix {

struct CommandLine {
    enum class Action { Run, Help, Version, Refuse };
    Action action = Action::Run;
    // What to print: the help, the version line or why the line is refused.
    std::string text;
    int exitCode = 0;
};

// The arguments after the program's name.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

}  // namespace veilix
