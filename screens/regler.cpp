// screens/regler.cpp - the tactics panel's rules.
#include "screens/regler.h"

#include <algorithm>

#include "match/live/spielfeld_linie.h"
#include "match/record/spielfeld_hooks.h"
#include "match/record/spielfeld_satz.h"

namespace velmora {
namespace {

constexpr uint32_t BIT_PRESSING = 1, BIT_TAKTIK = 2, BIT_NEU_SETZEN = 32;

bool Netz() { return Spielfeld_Hook_Netz_Modus() != 0; }
int8_t* Taktik(Spielfeld_Satz* s, int32_t seite) { return Netz() ? s->e_taktik[seite] : s->taktik[seite]; }
const int8_t* Taktik(const Spielfeld_Satz& s, int32_t seite) { return Netz() ? s.e_taktik[seite] : s.taktik[seite]; }
int32_t Pressing(const Spielfeld_Satz& s, int32_t seite) { return Netz() ? s.e_pressing[seite] : s.pressing[seite]; }
int32_t Klemmen(int32_t v) { return std::clamp(v, 0, 100); }

// Every player of the side takes his line position again (the depth changed).
void Neu_Setzen(Spielfeld_Satz* s, int32_t seite) {
    for (int32_t i = 0; i < SF_SPIELER_SEITE; ++i) {
        const int32_t slot = seite * SF_SPIELER_SEITE + i;
        const Spieler_Matchsatz& sm = s->spieler[slot];
        if (sm.nummer < 0) continue;
        const int32_t* l = Netz() ? s->e_linie[slot] : sm.linie;
        Spielfeld_Linie_Setzen(s, int32_t(s->team[seite]), slot, Spielfeld_Linie_X_Netz(s, slot), (l[2] + l[3]) / 2);
    }
}

}  // namespace

bool Regler_Klick(Spielfeld_Satz* s, int32_t seite, int32_t icon, uint32_t uhr, ReglerStand* st) {
    if (!s || !st || seite < 0 || seite > 1 || icon < ICON_REGLER_T6 || icon > ICON_REGLER_T12) return false;
    if (st->geklickt && uhr - st->letzter_klick < REGLER_KLICK_MS) return false;
    st->geklickt = true;
    st->letzter_klick = uhr;
    s->wechsel_bereit[seite] = 0;
    int8_t* t = Taktik(s, seite);
    uint32_t bits = BIT_TAKTIK;
    if (icon == ICON_REGLER_T6) t[6] = int8_t(t[6] ? 0 : 1);
    else if (icon == ICON_REGLER_T3) t[3] = int8_t(t[3] >= 100 ? 0 : 100);
    else if (icon == ICON_REGLER_T12) t[12] = int8_t(t[12] ? 0 : 1);
    else {
        const int32_t i = (icon - ICON_REGLER_MINUS) / 2;
        const int32_t schritt = (icon - ICON_REGLER_MINUS) % 2 ? 5 : -5;
        switch (i) {
        case 0: {
            uint8_t& p = Netz() ? s->e_pressing[seite] : s->pressing[seite];
            p = uint8_t(Klemmen(p + schritt));
            bits = BIT_PRESSING;
            break;
        }
        case 1:
            t[0] = int8_t(Klemmen(t[0] + schritt));
            t[1] = int8_t(Klemmen((t[0] + 50) / 2));
            break;
        case 2:
            t[5] = int8_t(Klemmen(t[5] + schritt));
            t[4] = int8_t(Klemmen((t[5] + 50) / 2));
            if (schritt > 0) t[9] = 0;
            else if (t[5] == 0) t[9] = 1;
            bits = BIT_TAKTIK | BIT_NEU_SETZEN;
            Neu_Setzen(s, seite);
            break;
        default: t[2] = int8_t(Klemmen(t[2] + schritt)); break;
        }
    }
    if (Netz()) s->e_aenderung[seite] = uint8_t(s->e_aenderung[seite] | bits);
    return true;
}

int32_t Regler_Wert(const Spielfeld_Satz& s, int32_t seite, int32_t i) {
    if (seite < 0 || seite > 1 || i < 0 || i >= REGLER_SLIDER) return 0;
    if (i == 0) return Pressing(s, seite);
    static constexpr int32_t FELD[REGLER_SLIDER] = {0, 0, 5, 2};
    const int32_t v = Klemmen(Taktik(s, seite)[FELD[i]]);
    return v / 5 * 5;
}

int32_t Regler_Schalter(const Spielfeld_Satz& s, int32_t seite, int32_t icon) {
    if (seite < 0 || seite > 1) return 0;
    const int8_t* t = Taktik(s, seite);
    if (icon == ICON_REGLER_T6) return t[6] ? 1 : 0;
    if (icon == ICON_REGLER_T3) return t[3] / 100 ? 1 : 0;
    if (icon == ICON_REGLER_T12) return t[12] == 0 ? 1 : 0;
    return 0;
}

}  // namespace velmora
