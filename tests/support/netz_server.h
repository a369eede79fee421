// tests/support/netz_server.h - a network server of the game for a test's own
// process (forked): the modules without a screen bound, listening on
// 127.0.0.1 on a port of the system's choice, its start the network server's
// (a placeholder on every club, level 2), then the test's own step.
#pragma once
#include <unistd.h>

#include <cstdint>

#include "app/verdrahtung.h"
#include "core/hooks.h"
#include "net/internet.h"
#include "net/net.h"
#include "screens/spielstart_wahl.h"
#include "season/kalender.h"
#include "season/spielstart.h"

namespace velmora::test {

inline void (*g_netz_nach_start)() = nullptr;

// Binds and opens the server; writes its port to `port_fd` (and closes it).
// Ends the process with a code of 10-12 when a step fails.
inline void Netz_Server_Starten(int port_fd, void (*nach_start)() = nullptr) {
    Net_Init();
    const uint8_t lo[4] = {127, 0, 0, 1};
    Net_Bind_Adresse_Setzen(lo);
    Net_Port_Setzen(0);
    Netzwerk_Modus_Setzen(2);
    VerdrahtungOptionen o;
    o.nur = {"Core", "Netz", "Club", "Saison", "Spielfeld", "Spieltag", "News", "Stadion", "Bank", "Scout", "Verhandlung"};
    if (!Spiel_Verdrahten(o, nullptr)) _exit(10);
    Core_Hooks().meldung = [](const char*) {};
    g_netz_nach_start = nach_start;
    Kalender_Hooks().spielstart_frame = [] {
        if (Spielstart_Spiel_Laeuft()) return true;
        if (!Spielstart_Welt_Aufbauen() || !Spielstart_Netz_Server(-1, Spielstart_Server_Starten)) _exit(11);
        if (g_netz_nach_start) g_netz_nach_start();
        return true;
    };
    if (!Internet_Netzwerk_Start()) _exit(12);
    const uint16_t port = Net_Server_Port();
    if (write(port_fd, &port, sizeof port) != sizeof port) _exit(12);
    close(port_fd);
}

// One frame of the server: the network, then the calendar.
inline void Netz_Server_Frame() {
    Net_Pump();
    Net_Server_Slot_Pump();
    Net_Server_Bedienen();
    Net_Pump();
    Kalender_Main();
}

}  // namespace velmora::test
