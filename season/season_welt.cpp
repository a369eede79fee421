// season/season_welt.cpp - the competitions of a generated world.
#include "season/season_welt.h"

#include <vector>

#include "club/weltgen.h"
#include "season/wettbewerb_cfg.h"
#include "season/zeitplan.h"

namespace velmora {

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

}  // namespace velmora
