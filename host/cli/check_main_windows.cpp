// panelhost.exe for Windows: only the check command, its arguments read by hand
// (the command-line library is not available for this target).
#include "cli/commands.hpp"

#include <windows.h>

#include <iostream>

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    if (arguments.empty() || arguments.front() != "check") {
        std::cerr << "usage: panelhost check MODULE [--gauge NAME] [--parameters FILE] [--json] "
                     "[--time-limit SECONDS]\n";
        return 2;
    }
    arguments.erase(arguments.begin());
    std::string error;
    std::optional<panelhost::CheckCommandOptions> options =
        panelhost::parse_check_arguments(arguments, error);
    if (!options) {
        std::cerr << error << "\n";
        return 2;
    }
    char program[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, program, MAX_PATH);
    if (length > 0 && length < MAX_PATH) options->program.assign(program, length);
    return panelhost::run_check(*options);
}
