// bilder/teamfarbe.cpp
#include "bilder/teamfarbe.h"

#include "club/spieler.h"
#include "club/team.h"
#include "season/wettbewerb.h"

namespace velmora {

uint16_t Manager_Textfarbe(int32_t team, int32_t wettbewerb) {
    const int32_t lokal = Team_Lokal();
    if (lokal >= 0 && team == lokal) return FARBE_MANAGER_TEAM;
    if (wettbewerb == -1) return FARBE_OHNE_WETTBEWERB;
    if (lokal >= 0 && team >= 0 && team < Team_Anzahl() &&
        Team_Wert(TW_NATION, team, 0, OP_LESEN) == Team_Wert(TW_NATION, lokal, 0, OP_LESEN))
        return FARBE_WEISS;
    if (wettbewerb == -2 || Wettbewerb_Ist_International(wettbewerb)) return FARBE_AUSLAND;
    return FARBE_WEISS;
}

}  // namespace velmora
