// tests/support/client_welt.h - a screen test's running game turned into a
// client: a server on 127.0.0.1 in the same process (its own network
// context, the same game data) answers the game's remote calls from the wait
// hook, and the game's club is the client's. While `verzoegerung` is set each
// call waits that many passes (10 ms of the virtual clock each) for its
// answer, and the user clicks again at (klick_x, klick_y) meanwhile: the
// button goes up in pass 4 and down in pass 8 and stays held.
#pragma once
#include "club/club_hooks.h"
#include "net/internet.h"
#include "net/net.h"
#include "platform/clock.h"
#include "platform/display.h"
#include "shell/app.h"
#include "tests/net/net_test_hilfe.h"

namespace velmora::test {

struct ClientWelt {
    static inline Testnetz* netz = nullptr;
    static inline NetKontext* vorher = nullptr;
    static inline int32_t verzoegerung = 0;
    static inline int32_t klick_x = -100, klick_y = -100;
    static inline int32_t paesse = 0;              // passes of delayed waits
    static inline bool knopf_beim_warten = false;  // the left button was down when the first delayed wait began
    static inline int32_t seit_antwort = 0;

    static void Warten() {
        Plat_Uhr_Vorstellen(10);
        if (verzoegerung > 0) {
            if (paesse == 0) knopf_beim_warten = Plat_Maus_Knoepfe() & 1;
            ++paesse;
            if (paesse == 4) Plat_Headless_Maus(klick_x, klick_y, 0);
            if (paesse == 8) Plat_Headless_Maus(klick_x, klick_y, 1);
        }
        if (++seit_antwort >= verzoegerung) {
            seit_antwort = 0;
            Server_Runde();
        }
        Win_Warten();
    }

    // The game's club `team` is now played by a client joined to the in-process server.
    static bool Werden(int32_t team) {
        verzoegerung = paesse = seit_antwort = 0;
        knopf_beim_warten = false;
        vorher = Net_Kontext_Setzen(nullptr);
        Net_Kontext_Setzen(vorher);
        netz = new Testnetz();
        bool ok = false;
        NetKontext* c = netz->Client(&ok);
        if (!ok) return false;
        bool slot = false;
        {
            ImKontext im(netz->server);
            for (int32_t s = 0; s < NET_SLOTS_GESAMT; ++s)
                if (Net_Slot(s) && Net_Slot(s)->zustand == 1) slot = Net_Slot_Team_Setzen(s, team);
            Net_Zeiten_Wert().antwort_ms = 5000;
        }
        Net_Kontext_Setzen(c);
        Net_Zeiten_Wert().antwort_ms = 5000;
        Client_Team_Setzen(team);
        Net_Hooks().warten = Warten;
        return slot && Club_Ist_Client();
    }

    // Back to the single game; the shell's wait again.
    static void Ende() {
        if (!netz) return;
        Net_Kontext_Setzen(vorher);
        delete netz;
        netz = nullptr;
        verzoegerung = 0;
        Net_Hooks().warten = Win_Warten;
    }
};

}  // namespace velmora::test
