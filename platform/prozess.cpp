// platform/prozess.cpp - starting an external program through posix_spawn.
#include "platform/prozess.h"

#include <cerrno>
#include <spawn.h>
#include <sys/wait.h>

#include "platform/files.h"

extern char** environ;

namespace velmora {

bool Plat_Prozess_Starten(const char* programm, const std::vector<std::string>& argumente, bool warten) {
    if (!programm) return false;
    std::string pfad = Plat_Path(programm);
    std::vector<char*> argv;
    argv.push_back(pfad.data());
    std::vector<std::string> kopie = argumente;
    for (std::string& a : kopie) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawn(&pid, pfad.c_str(), nullptr, nullptr, argv.data(), environ) != 0) return false;
    if (!warten) return true;
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return true;
}

}  // namespace velmora
