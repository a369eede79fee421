// tests/support/dateigrenze.h - a write that finds no room, as on a full disk:
// the work runs in a forked child whose files may not grow past a limit
// (RLIMIT_FSIZE, the signal ignored so the write fails with EFBIG).
#pragma once
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

#include "platform/files.h"

namespace velmora::test {

// Runs `arbeit` in a child limited to files of `bytes`: 0 when it returned
// true, 1 when false, -1 when the child did not end by itself.
inline int Unter_Dateigrenze(rlim_t bytes, const std::function<bool()>& arbeit) {
    const pid_t pid = fork();
    if (pid == 0) {
        Plat_Dateigrenze_Ignorieren();
        const rlimit grenze{bytes, bytes};
        if (setrlimit(RLIMIT_FSIZE, &grenze) != 0) _exit(126);
        _exit(arbeit() ? 0 : 1);
    }
    int status = 0;
    if (pid < 0 || waitpid(pid, &status, 0) != pid) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace velmora::test
