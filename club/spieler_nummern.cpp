// club/spieler_nummern.cpp
#include "club/spieler_nummern.h"

#include "club/spieler.h"

namespace velmora {

void Spieler_Nummern_Vergessen(SpielerNummern& merker) { merker.anzahl = 0; }

int32_t Spieler_Nummer(SpielerNummern& merker, int32_t spieler) {
    for (size_t i = 0; i < merker.anzahl; ++i)
        if (merker.eintrag[i].first == spieler) return merker.eintrag[i].second;
    const int32_t nummer = Spieler_Wert(SPW_RUECKENNUMMER, spieler, 0, OP_LESEN);
    // A full table (more players than two squads) still answers, unkept.
    if (merker.anzahl < merker.eintrag.size()) merker.eintrag[merker.anzahl++] = {spieler, nummer};
    return nummer;
}

}  // namespace velmora
