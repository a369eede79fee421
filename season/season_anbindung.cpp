// season/season_anbindung.cpp - connects the season to the network, the save
// game and the world generator.
#include "season/season_anbindung.h"

#include <vector>

#include "club/club_anbindung.h"
#include "club/weltgen.h"
#include "net/net.h"
#include "season/kalender.h"
#include "season/spiele.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_cfg.h"
#include "season/zeitplan.h"

namespace velmora {
namespace {

bool kalender_anfrage(int32_t anfrage, int32_t, const uint8_t* daten, size_t bytes, std::vector<uint8_t>& antwort) {
    return Kalender_Server_Anfrage(anfrage, daten, bytes, antwort);
}

bool spiele_anfrage(int32_t anfrage, int32_t, const uint8_t* daten, size_t bytes, std::vector<uint8_t>& antwort) {
    return Spiele_Server_Anfrage(anfrage, daten, bytes, antwort);
}

}  // namespace

bool Season_Weltgen_Wettbewerbe(const WeltgenWelt& welt, const std::string& config_verz) {
    std::vector<WettbewerbLand> laender;
    for (const WeltgenLand& l : welt.laender) {
        WettbewerbLand w;
        w.land = l.team;
        w.name = l.name;
        w.ligen = l.ligen;
        w.pokal = !l.pokal.empty();
        laender.push_back(w);
    }
    std::vector<WettbewerbBeschreibung> liste = Wettbewerb_Welt_Beschreiben(laender);
    std::string pfad = config_verz + "/0_wettbewerb.cfg";
    std::string zeitplan = config_verz + "/0_zeitplan.cfg";
    return Wettbewerb_Config_Schreiben_Pfad(pfad.c_str(), liste) &&
           Zeitplan_Config_Schreiben_Pfad(zeitplan.c_str(), Zeitplan_Bauen(Zeitplan_Wettbewerbe_Von(liste)));
}

void Season_Anbinden() {
    Season_Registrieren();
    Kalender_Registrieren();
    Club_Anfrage_Anmelden(ANFRAGE_KALENDER_STAND, kalender_anfrage);
    Net_Hooks().kalender_holen = [] { Kalender_Client_Sync(); };
    Club_Anfrage_Anmelden(ANFRAGE_SPIELE_SERIE, spiele_anfrage);
    Club_Anfrage_Anmelden(ANFRAGE_SPIELE_SPIEL, spiele_anfrage);
    Weltgen_Wettbewerbe_Setzen(Season_Weltgen_Wettbewerbe);
}

}  // namespace velmora
