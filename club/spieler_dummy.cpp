// club/spieler_dummy.cpp - new players for a fresh start squad.
#include "club/spieler_dummy.h"

#include <string>

#include "club/club_hooks.h"
#include "club/namen.h"
#include "club/spieler.h"
#include "club/team.h"
#include "core/debug.h"
#include "core/rnd.h"
#include "core/zahlen.h"

namespace velmora {

bool Spieler_Init_Start_Dummies(int32_t spieler, int32_t niveau) {
    if (spieler < 0 || spieler >= Spieler_Anzahl()) {
        Debug_Printf("Spieler_Init_Start_Dummies: Spieler %d ungueltig\n", spieler);
        return false;
    }
    if (Club_Ist_Client()) {
        Debug_Printf("Spieler_Init_Start_Dummies: CLIENT-WRITE!\n");
        return false;
    }
    niveau = Clamp(niveau, 1, 100, -1);
    auto* s = static_cast<SpielerStruktur*>(Spieler_Zeiger(SPZ_STRUKTUR, spieler));
    auto* f = static_cast<SpielerFix*>(Spieler_Zeiger(SPZ_FIX, spieler));
    int32_t nation = f->nation;
    std::string vorname, name;
    // Two draws one after the other (never two in one expression: the compiler chooses their order).
    const uint32_t hoch = uint32_t(Rnd_Bereich(0, 9999));
    const uint32_t zufall = hoch * 10000u + uint32_t(Rnd_Bereich(0, 9999));
    Namen_Spieler_Ziehen(Namen_Stil_Von_Land(nation >= 0 ? Team_String(TS_NAME, nation, 0, 0) : nullptr), zufall,
                         vorname, name);
    Spieler_Namen_Setzen(spieler, vorname.c_str(), name.c_str());
    f->alter = uint8_t(Rnd(18, 31));
    f->groesse = uint8_t(f->art == 0 ? Rnd(182, 198) : Rnd(168, 194));
    for (int16_t& t : s->talent) t = 0;
    s->staerke = Clamp(Rnd_Bereich(niveau * 70, niveau * 105), 1000, 12000, -1);
    s->max_staerke = Clamp(s->staerke + Rnd_Bereich(0, 2000), 1000, 12000, -1);
    s->moral = 3;
    s->form = 500;
    s->einsaetze = 0;
    s->verletzung = -1;
    s->verletzung_tage = 0;
    s->status &= ~uint32_t(SP_STATUS_NICHT_VERFUEGBAR);
    s->wert55 = int16_t(Rnd(20, 100));
    return true;
}

}  // namespace velmora
