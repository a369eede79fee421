// club/spieler_suche.cpp - searches over the player records and their
// injuries: the random search of other clubs' players, the injury kinds, an
// injury drawn and the week's recovery. Reach the records through the
// accessors.
#include <climits>
#include <cstring>

#include "club/club_hooks.h"
#include "club/spieler.h"
#include "club/spieler_saetze.h"
#include "core/debug.h"
#include "core/rnd.h"

namespace velmora {
namespace {

// The injury kinds, by weight.
struct Verletzungen {
    Verletzungsart arten[VERLETZUNG_ARTEN] = {};
    int32_t anzahl = 0;
};
Verletzungen verletzung;

}  // namespace

int32_t Spieler_Suche_Zufaellig(int32_t club, int32_t region, int32_t* out, int32_t max) {
    if (!out || max <= 0) {
        Debug_Printf("Spieler_Suche_Zufaellig: Argumente ungueltig\n");
        return 0;
    }
    // An empty store finds nobody: the list is padded like any other.
    int32_t n = Spieler_Anzahl();
    int32_t gefunden = 0;
    if (n > 0) {
        int32_t start = Rnd_Bereich(0, n - 1);
        int32_t letzter_club = -1;
        int32_t vom_selben = 0;
        for (int32_t i = 0; i < n && gefunden < max; ++i) {
            int32_t p = (start + i) % n;
            int32_t team = Spieler_Get_Team(p);
            if (team <= 0 || team == club) continue;
            if (region != -1 && Spieler_Get_Heimat_Wert(p) != region) continue;
            out[gefunden++] = p;
            vom_selben = team == letzter_club ? vom_selben + 1 : 1;
            letzter_club = team;
            if (vom_selben >= 2) {          // two from one club: move on to others
                i += Rnd(2, 10);
                vom_selben = 0;
            }
        }
    }
    Misch_U32(reinterpret_cast<uint32_t*>(out), gefunden);
    for (int32_t i = gefunden; i < max; ++i) out[i] = -1;
    return gefunden;
}

bool Spieler_Verletzungsarten_Setzen(const Verletzungsart* arten, int32_t anzahl) {
    if (!arten || anzahl < 0 || anzahl > VERLETZUNG_ARTEN) {
        Debug_Printf("Spieler_Verletzungsarten_Setzen: Anzahl %d ungueltig\n", anzahl);
        return false;
    }
    for (int32_t i = 0; i < anzahl; ++i) {
        if (arten[i].gewicht < 0 || arten[i].tage_von < 0 || arten[i].tage_bis < arten[i].tage_von) {
            Debug_Printf("Spieler_Verletzungsarten_Setzen: Eintrag %d ungueltig\n", i);
            return false;
        }
    }
    std::memcpy(verletzung.arten, arten, sizeof(Verletzungsart) * size_t(anzahl));
    verletzung.anzahl = anzahl;
    return true;
}

int32_t Spieler_Verletzen(int32_t team, int32_t spieler, int32_t art) {
    if (Club_Ist_Client()) {
        Debug_Printf("Spieler_Verletzen: CLIENT-AUFRUF!\n");
        return -1;
    }
    if (spieler < 0 || spieler >= Spieler_Anzahl()) {
        Debug_Printf("Spieler_Verletzen: Spieler %d ungueltig\n", spieler);
        return -1;
    }
    if (team >= 0 && Spieler_Get_Team(spieler) != team) {
        Debug_Printf("Spieler_Verletzen: Spieler %d nicht in Team %d\n", spieler, team);
        return -1;
    }
    int64_t summe = 0;
    for (int32_t i = 0; i < verletzung.anzahl; ++i) summe += verletzung.arten[i].gewicht;
    if (summe <= 0 || summe > INT32_MAX) {
        Debug_Printf("Spieler_Verletzen: keine Verletzungstabelle (art=%d)\n", art);
        return -1;
    }
    int32_t r = Rnd_Bereich(0, int32_t(summe - 1));
    int32_t wahl = 0;
    while (r >= verletzung.arten[wahl].gewicht) r -= verletzung.arten[wahl++].gewicht;
    const Verletzungsart& v = verletzung.arten[wahl];
    int32_t tage = Rnd_Bereich(v.tage_von, v.tage_bis);
    SpielerStruktur& s = *static_cast<SpielerStruktur*>(Spieler_Zeiger(SPZ_STRUKTUR, spieler));
    s.status |= SP_STATUS_VERLETZT;
    s.verletzung_tage = int16_t(tage / 7 + 1 > 999 ? 999 : tage / 7 + 1);
    s.wert69 = 0;
    s.verletzung = int8_t(wahl);
    return wahl;
}

int32_t Spieler_Genesung_Woche() {
    if (Club_Ist_Client()) return 0;
    int32_t geheilt = 0;
    // The records read in place; only an injured player's is taken for writing.
    const SpielerSaetze<const SpielerStruktur> saetze(SPZ_STRUKTUR);
    for (int32_t p = 0, n = Spieler_Anzahl(); p < n; ++p) {
        if (!(saetze(p)->status & SP_STATUS_VERLETZT)) continue;
        SpielerStruktur& s = *static_cast<SpielerStruktur*>(Spieler_Zeiger(SPZ_STRUKTUR, p));
        if (s.verletzung_tage > 1) {
            --s.verletzung_tage;
            continue;
        }
        s.verletzung_tage = 0;
        s.verletzung = -1;
        s.status &= ~uint32_t(SP_STATUS_VERLETZT);
        ++geheilt;
    }
    return geheilt;
}

}  // namespace velmora
