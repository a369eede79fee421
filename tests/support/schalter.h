// tests/support/schalter.h - a start of the shell with switches read as the
// program reads its command line.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/app.h"

namespace velmora::test {

// `s` with the switches of `argumente` (the program's name first is added).
inline AppStart Mit_Schaltern(AppStart s, std::vector<std::string> argumente) {
    argumente.insert(argumente.begin(), "velmora");
    std::vector<char*> argv;
    for (std::string& a : argumente) argv.push_back(a.data());
    argv.push_back(nullptr);
    std::string fehler;
    if (App_Schalter_Lesen(int(argumente.size()), argv.data(), s.schalter, &fehler) != AppAufruf::STARTEN)
        ADD_FAILURE() << "switches not accepted: " << fehler;
    return s;
}

}  // namespace velmora::test
