// tests/support/netz_server.h - a network server of the game for a test's own
// process (forked): the modules without a screen bound, listening on
// 127.0.0.1 on a port of the system's choice, its start the network server's
// (a placeholder on every club, level 2, unless the test starts its own game),
// then the test's own step.
#pragma once
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/verdrahtung.h"
#include "core/hooks.h"
#include "net/internet.h"
#include "net/net.h"
#include "platform/clock.h"
#include "screens/spielstart_wahl.h"
#include "season/kalender.h"
#include "season/spielstart.h"

namespace velmora::test {

// What a test's server does beyond the default: its own step after the
// start, the club this machine plays (chosen once the world is built; -1
// none), the new game's start, and modules beyond those without a screen.
struct NetzServerStart {
    void (*nach_start)() = nullptr;
    int32_t (*eigenes_team)() = nullptr;
    bool (*spiel)() = Spielstart_Server_Starten;
    std::vector<std::string> mehr;
};
inline NetzServerStart g_netz_start;

// Binds and opens the server; writes its port to `port_fd` (and closes it).
// Ends the process with a code of 10-12 when a step fails.
inline void Netz_Server_Starten(int port_fd, const NetzServerStart& start) {
    Net_Init();
    const uint8_t lo[4] = {127, 0, 0, 1};
    Net_Bind_Adresse_Setzen(lo);
    Net_Port_Setzen(0);
    Netzwerk_Modus_Setzen(2);
    VerdrahtungOptionen o;
    o.nur = {"Core", "Netz", "Club", "Saison", "Spielfeld", "Spieltag", "News", "Stadion", "Bank", "Scout", "Verhandlung"};
    o.nur.insert(o.nur.end(), start.mehr.begin(), start.mehr.end());
    if (!Spiel_Verdrahten(o, nullptr)) _exit(10);
    Core_Hooks().meldung = [](const char*) {};
    g_netz_start = start;
    Kalender_Hooks().spielstart_frame = [] {
        if (Spielstart_Spiel_Laeuft()) return true;
        if (!Spielstart_Welt_Aufbauen()) _exit(11);
        const int32_t eigen = g_netz_start.eigenes_team ? g_netz_start.eigenes_team() : -1;
        if (!Spielstart_Netz_Server(eigen, g_netz_start.spiel)) _exit(11);
        if (g_netz_start.nach_start) g_netz_start.nach_start();
        return true;
    };
    if (!Internet_Netzwerk_Start()) _exit(12);
    const uint16_t port = Net_Server_Port();
    if (write(port_fd, &port, sizeof port) != sizeof port) _exit(12);
    close(port_fd);
}

inline void Netz_Server_Starten(int port_fd, void (*nach_start)() = nullptr) {
    NetzServerStart start;
    start.nach_start = nach_start;
    Netz_Server_Starten(port_fd, start);
}

// One frame of the server: the network, then the calendar.
inline void Netz_Server_Frame() {
    Net_Pump();
    Net_Server_Slot_Pump();
    Net_Server_Bedienen();
    Net_Pump();
    Kalender_Main();
}

// The server's loop in its process: a command byte from the test gets the
// answer `antworten` writes to `bericht_fd`; frames run until the test closes
// the command pipe (exit 0) or `grenze_ms` pass (exit 14), `pause_ms` apart,
// without the pause while `ohne_pause` holds (a match computed flat out).
[[noreturn]] inline void Netz_Server_Schleife(int befehl_fd, int bericht_fd, void (*antworten)(char befehl, int bericht_fd),
                                 uint32_t grenze_ms, uint32_t pause_ms = 1, bool (*ohne_pause)() = nullptr) {
    fcntl(befehl_fd, F_SETFL, O_NONBLOCK);
    const uint32_t beginn = Plat_Ms();
    for (;;) {
        char c;
        const ssize_t r = read(befehl_fd, &c, 1);
        if (r == 0) break;
        if (r == 1) antworten(c, bericht_fd);
        if (Plat_Ms() - beginn > grenze_ms) _exit(14);
        Netz_Server_Frame();
        if (pause_ms && !(ohne_pause && ohne_pause())) Plat_Sleep_Ms(pause_ms);
    }
    _exit(0);
}

// A server forked by a test: `prozess` runs in the child with the write end
// of the port pipe, the read end of the command pipe and the write end of the
// report pipe; this side keeps the others and has read the port (0 failed).
struct NetzProzess {
    pid_t pid = -1;
    uint16_t port = 0;
    int befehl = -1, bericht = -1;

    explicit NetzProzess(void (*prozess)(int port_fd, int befehl_fd, int bericht_fd)) {
        int p[2], bf[2], br[2];
        if (pipe(p) || pipe(bf) || pipe(br)) return;
        pid = fork();
        if (pid == 0) {
            close(p[0]);
            close(bf[1]);
            close(br[0]);
            prozess(p[1], bf[0], br[1]);
            _exit(0);
        }
        close(p[1]);
        close(bf[0]);
        close(br[1]);
        befehl = bf[1];
        bericht = br[0];
        if (read(p[0], &port, sizeof port) != ssize_t(sizeof port)) port = 0;
        close(p[0]);
    }
    // Sends the command `c` and reads a report of `bytes` into `aus`.
    bool Fragen(char c, void* aus, size_t bytes) {
        if (write(befehl, &c, 1) != 1) return false;
        // A report larger than the pipe's atomic size may come in pieces.
        for (size_t n = 0; n < bytes;) {
            const ssize_t r = read(bericht, static_cast<char*>(aus) + n, bytes - n);
            if (r <= 0) return false;
            n += size_t(r);
        }
        return true;
    }
    // Closes the command pipe (the child's loop ends) and waits for the
    // child; its wait status, -1 without a child.
    int Beenden() {
        close(befehl);
        befehl = -1;
        int status = -1;
        if (pid > 0 && waitpid(pid, &status, 0) != pid) status = -1;
        close(bericht);
        bericht = -1;
        pid = -1;
        return status;
    }
};

}  // namespace velmora::test
