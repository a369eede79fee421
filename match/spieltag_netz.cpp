// match/spieltag_netz.cpp - the day hand-over of network play (request 1029).
#include "match/spieltag_netz.h"

#include "club/team.h"
#include "core/debug.h"
#include "match/spieltag.h"
#include "net/internet.h"
#include "net/net.h"

namespace velmora {

bool Spieltag_Client_Melden() {
    const int32_t team = Client_Team();
    if (Netzwerk_Modus() != 1 || team < 0) return false;
    return Internet_Client_Read(ANFRAGE_SPIELTAG_MELDEN, "vi", 0, 0, team) != 0;
}

int32_t Spieltag_Melden_Anfrage(Internet_Aufruf& aufruf) {
    const int32_t team = aufruf.I(0), eigenes = Client_Team(), slot = Internet_Server_Slot();
    if (team >= 0 && team == eigenes) {
        Spieltag_Team_Bereit_Setzen(team);
        return 1;
    }
    if (team == -1 && eigenes >= 0) {
        Debug_Printf("Spieltag_Melden_Anfrage: Client von Team %d meldet sich ab\n", eigenes);
        Net_Slot_Team_Setzen(slot, -1);
        Spieltag_Client_Freigeben(eigenes);
        return 1;
    }
    Debug_Printf("Spieltag_Melden_Anfrage: Team %d vom Client mit Team %d verworfen\n", team, eigenes);
    return 0;
}

void Spieltag_Client_Freigeben(int32_t team) {
    if (team < 0 || team >= Team_Anzahl()) return;
    Spieltag_Team_Bereit_Loeschen(team);
    Team_Client_Freigeben(team);
}

}  // namespace velmora
