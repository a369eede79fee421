// tools/werkzeug.h - what every program of tools/ does with its command line
// before its own work: --help prints the usage on stdout and --version the
// version (both exit 0); a bad usage is one line on stderr and exit status 2.
#pragma once
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/display.h"
#include "shell/app.h"

namespace velmora::werkzeug {

constexpr int EXIT_BENUTZUNG = 2;

// --help or --version anywhere among the arguments: prints and returns 0;
// otherwise -1 (the program goes on). `benutzung` is the whole usage text.
inline int Hilfe_Oder_Version(int argc, char** argv, const char* name, const char* benutzung) {
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--")) break;
        if (!std::strcmp(argv[i], "--help") || !std::strcmp(argv[i], "-h")) {
            std::fputs(benutzung, stdout);
            return 0;
        }
        if (!std::strcmp(argv[i], "--version")) {
            std::printf("%s (Velmora) %s\n", name, App_Version());
            return 0;
        }
    }
    return -1;
}

// The one line of a bad usage; returns the exit status 2.
inline int Falsch(const char* name, const std::string& was) {
    std::fprintf(stderr, "%s: %s (see --help)\n", name, Plat_Terminal_Text(was).c_str());
    return EXIT_BENUTZUNG;
}

}  // namespace velmora::werkzeug
