// Fuzzes "wettbewerb.cfg" and the season's save blocks: the first byte picks
// what the rest is. A text is read, its competitions are built and get their
// fixtures and a played first round; a block is loaded and saved again.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/hooks.h"
#include "core/rnd.h"
#include "season/saison.h"
#include "season/spiele.h"
#include "season/spielplan.h"
#include "season/tabelle.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_cfg.h"

using namespace velmora;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    Core_Hooks().meldung = [](const char*) {};
    static bool rnd = (Rnd_Init(), true);
    (void)rnd;
    const uint8_t* rest = data + 1;
    size_t n = size - 1;
    Spiele_Init();
    std::vector<uint8_t> aus;
    switch (data[0] % 4) {
    case 0: {
        std::vector<WettbewerbBeschreibung> liste;
        if (Wettbewerb_Config_Lesen_Text(reinterpret_cast<const char*>(rest), n, liste)) {
            Wettbewerb_Init(liste);
            Wettbewerb_Saison_Start();
            for (int32_t id : Wettbewerb_Alle()) {
                for (int32_t p = 0;; ++p) {
                    Spiel_Lock h = Spiele_Lock(id, 1, p, 0);
                    if (!h) break;
                    Spiele_Set_Ergebnis(h, p % 3, 1, 1);
                    Spiele_Unlock(h);
                }
                Wettbewerb_Spiele_Beendet(id);
                TabellenPuffer t;
                Wettbewerb_Tabelle_Vorbereiten(id, &t);
            }
            Wettbewerb_Saison_Ende();
        }
        break;
    }
    case 1:
        if (Spiele_Load(rest, n)) Spiele_Save(aus);
        break;
    case 2:
        if (Wettbewerb_Load(rest, n)) Wettbewerb_Save(aus);
        break;
    case 3:
        if (Tabelle_Load(rest, n)) Tabelle_Save(aus);
        break;
    }
    Saison_Free();
    Tabelle_Free();
    Wettbewerb_Free();
    Spiele_Free();
    return 0;
}
