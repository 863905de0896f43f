#include "app/command_line.h"

#include "app/build_info.h"

namespace veilix {

namespace {
// Exit code for a command line we do not understand, as is usual for
// command-line programs (0 done, 1 failed, 2 misused).
constexpr int kUsageExitCode = 2;

std::string HelpText() {
    return "Usage: veilix [--help | --version]\n"
           "\n"
           "Lays a borderless black sheet over part of the screen. Right-click the sheet for its\n"
           "menu: add a rectangle, circle or ellipse hole, or close. Through a hole you see and\n"
           "click what lies beneath. Drag a hole's edges to resize it, drag the black area to\n"
           "move the sheet.\n"
           "\n"
           "Options:\n"
           "  -h, --help     print this help and exit\n"
           "      --version  print the version and exit\n"
           "\n"
           "Veilix needs a graphical session: X11 (DISPLAY) or Wayland (WAYLAND_DISPLAY).\n";
}
}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
    bool help = false, version = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "-session" && i + 1 < arguments.size()) {
            // A session manager restarting us adds its session id; Qt takes it.
            ++i;
        } else if (argument == "--help" || argument == "-h") {
            help = true;
        } else if (argument == "--version") {
            version = true;
        } else {
            const std::string what = !argument.empty() && argument[0] == '-' ? "unknown option" : "unexpected argument";
            return {CommandLine::Action::Refuse,
                    "veilix: " + what + " '" + argument + "'; 'veilix --help' lists what it accepts.\n",
                    kUsageExitCode};
        }
    }
    if (help) return {CommandLine::Action::Help, HelpText(), 0};
    if (version) return {CommandLine::Action::Version, std::string("veilix ") + kProgramVersion + "\n", 0};
    return {};
}

}  // namespace veilix
