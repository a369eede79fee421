// screens/einwechseln.cpp - the substitution panel's rules: the list, a row
// click, pairs, the two conversions and the markers.
#include "screens/einwechseln.h"

#include <algorithm>
#include <random>

#include "club/spieler.h"
#include "core/debug.h"
#include "match/live/spielfeld_linie.h"
#include "match/record/spielfeld_hooks.h"
#include "match/record/spielfeld_satz.h"

namespace velmora {
namespace {

constexpr uint32_t BIT_SCHALTER = 2, BIT_PAARE = 4, BIT_POSITIONEN = 16;
constexpr uint32_t GESPERRT_ZUSTAND = 0x380 | SM_AUSGEWECHSELT;

bool Netz() { return Spielfeld_Hook_Netz_Modus() != 0; }

// The side's pending lists as the panel writes them.
int8_t* Ein(Spielfeld_Satz* s, int32_t seite) { return Netz() ? s->e_wechsel_ein[seite] : s->wechsel_ein[seite]; }
int8_t* Aus(Spielfeld_Satz* s, int32_t seite) { return Netz() ? s->e_wechsel_aus[seite] : s->wechsel_aus[seite]; }
const int8_t* Ein(const Spielfeld_Satz& s, int32_t seite) {
    return Netz() ? s.e_wechsel_ein[seite] : s.wechsel_ein[seite];
}

void Aendern(Spielfeld_Satz* s, int32_t seite, uint32_t bits) {
    if (Netz()) s->e_aenderung[seite] = uint8_t(s->e_aenderung[seite] | bits);
}

// A pending byte names a slot only within 0..33; anything else (255 free,
// or a damaged byte from a save or the network) is a free place.
bool Gueltig(int32_t b) { return b >= 0 && b < SF_SPIELER; }
bool In_Liste(const int8_t* l, int32_t slot) {
    for (int32_t i = 0; i < SF_WECHSEL; ++i)
        if (Gueltig(l[i]) && l[i] == slot) return true;
    return false;
}
int32_t Belegt(const int8_t* l) {
    int32_t n = 0;
    for (int32_t i = 0; i < SF_WECHSEL; ++i) n += Gueltig(l[i]) ? 1 : 0;
    return n;
}

void Alle_Abwaehlen(EinwechselnStand* st) { std::fill(st->gewaehlt, st->gewaehlt + SPL_ZEILEN, false); }

int32_t Standard_Zufall(int32_t a, int32_t b) {
    static std::minstd_rand z(12345);
    return b <= a ? a : a + int32_t(z() % uint32_t(b - a + 1));
}

}  // namespace

EinwechselnStand::EinwechselnStand() {
    std::fill(zeile, zeile + SPL_ZEILEN, -1);
    std::fill(gewaehlt, gewaehlt + SPL_ZEILEN, false);
    std::fill(marker_slot, marker_slot + SPL_FELD, -1);
    std::fill(marker_x, marker_x + SPL_FELD, 0);
    std::fill(marker_y, marker_y + SPL_FELD, 0);
    std::fill(marker_an, marker_an + SPL_FELD, false);
}

int32_t Einwechseln_Seite(const Spielfeld_Satz& s, int32_t team) {
    if (team < 0) return -1;
    if (s.team[0] == uint32_t(team)) return 0;
    if (s.team[1] == uint32_t(team)) return 1;
    return -1;
}

bool Einwechseln_Gespiegelt(const Spielfeld_Satz& s, int32_t seite) {
    return (seite == 0) == (s.seiten_gewechselt == 0);
}

void Einwechseln_Nach_Fenster(const Spielfeld_Satz& s, int32_t seite, int32_t x, int32_t y, int32_t* fx, int32_t* fy) {
    int64_t xs = (int64_t(x) - 1000) * SPIELFELD_LAENGE / 8800;
    int64_t ys = SPIELFELD_BREITE - (int64_t(y) - 400) * SPIELFELD_BREITE / 6006;
    if (Einwechseln_Gespiegelt(s, seite)) {
        xs = SPIELFELD_LAENGE - xs;
        ys = SPIELFELD_BREITE - ys;
    }
    // Length runs down the window, width across it.
    *fy = int32_t(std::clamp<int64_t>(xs * SPL_FELD_B / SPIELFELD_LAENGE, 0, SPL_FELD_B));
    *fx = int32_t(std::clamp<int64_t>(ys * SPL_FELD_H / SPIELFELD_BREITE, 0, SPL_FELD_H));
}

void Einwechseln_Nach_Feld(const Spielfeld_Satz& s, int32_t seite, int32_t fx, int32_t fy, int32_t* x, int32_t* y) {
    // Rounded up, so that the way back lands on the pixel it came from.
    int64_t xs = std::clamp<int64_t>((int64_t(fy) * SPIELFELD_LAENGE + SPL_FELD_B - 1) / SPL_FELD_B, 0, SPIELFELD_LAENGE);
    int64_t ys = std::clamp<int64_t>((int64_t(fx) * SPIELFELD_BREITE + SPL_FELD_H - 1) / SPL_FELD_H, 0, SPIELFELD_BREITE);
    if (Einwechseln_Gespiegelt(s, seite)) {
        xs = SPIELFELD_LAENGE - xs;
        ys = SPIELFELD_BREITE - ys;
    }
    *x = int32_t(xs * 8800 / SPIELFELD_LAENGE + 1000);
    *y = int32_t((SPIELFELD_BREITE - ys) * 6006 / SPIELFELD_BREITE + 400);
}

void Einwechseln_Linie(const Spielfeld_Satz& s, int32_t slot, int32_t* x, int32_t* y) {
    *x = *y = 0;
    if (slot < 0 || slot >= SF_SPIELER) return;
    const int32_t* l = Netz() ? s.e_linie[slot] : s.spieler[slot].linie;
    *x = Spielfeld_Linie_X_Netz(&s, slot);
    *y = (l[2] + l[3]) / 2;
}

void Einwechseln_Fuellen(const Spielfeld_Satz& s, EinwechselnStand* st, int32_t fx0, int32_t fy0) {
    int32_t alt[SPL_ZEILEN];
    bool alt_gewaehlt[SPL_ZEILEN];
    std::copy(st->zeile, st->zeile + SPL_ZEILEN, alt);
    std::copy(st->gewaehlt, st->gewaehlt + SPL_ZEILEN, alt_gewaehlt);
    std::fill(st->zeile, st->zeile + SPL_ZEILEN, -1);
    std::fill(st->marker_slot, st->marker_slot + SPL_FELD, -1);
    std::fill(st->marker_an, st->marker_an + SPL_FELD, false);
    Alle_Abwaehlen(st);
    st->seite = Einwechseln_Seite(s, st->team);
    if (st->seite < 0) return;
    struct Eintrag {
        int32_t slot;
        int64_t schluessel;
    };
    Eintrag feld[SPL_FELD], bank[SPL_BANK];
    int32_t nf = 0, nb = 0;
    const int8_t* ein = Ein(s, st->seite);
    for (int32_t i = 0; i < SF_SPIELER_SEITE; ++i) {
        const int32_t slot = st->seite * SF_SPIELER_SEITE + i;
        const Spieler_Matchsatz& sm = s.spieler[slot];
        const uint32_t z = sm.zustand;
        const bool auf_platz = z == SM_AUF_PLATZ && !In_Liste(ein, slot);
        if (auf_platz || (z & (SM_GELBROT | SM_ROT)) || z == 80) {
            if (nf == SPL_FELD) {
                // Only a damaged record has a twelfth: the first eleven by slot stay.
                Debug_Printf("Einwechseln_Fuellen: Slot %d waere der zwoelfte auf dem Platz\n", slot);
                continue;
            }
            int32_t x, y, fx, fy;
            Einwechseln_Linie(s, slot, &x, &y);
            Einwechseln_Nach_Fenster(s, st->seite, x, y, &fx, &fy);
            st->marker_slot[nf] = slot;
            st->marker_x[nf] = fx0 + fx;
            st->marker_y[nf] = fy0 + fy;
            st->marker_an[nf] = !(z & (SM_GELBROT | SM_ROT));
            feld[nf] = {slot, int64_t(st->marker_x[nf]) - 10000 * int64_t(st->marker_y[nf])};
            ++nf;
        } else if (sm.nummer >= 0 && nb < SPL_BANK) {
            const int32_t art = Spieler_Get_Art(sm.nummer);
            bank[nb++] = {slot, int64_t(art) - int64_t(z & (0x60 | SM_AUSGEWECHSELT))};
        }
    }
    auto absteigend = [](const Eintrag& a, const Eintrag& b) { return a.schluessel > b.schluessel; };
    std::stable_sort(feld, feld + nf, absteigend);
    std::stable_sort(bank, bank + nb, absteigend);
    for (int32_t i = 0; i < nf; ++i) st->zeile[i] = feld[i].slot;
    for (int32_t i = 0; i < nb; ++i) st->zeile[SPL_FELD + i] = bank[i].slot;
    // A selection stays with its row while the row keeps its player (an
    // empty place keeps it while it stays empty).
    for (int32_t r = 0; r < SPL_ZEILEN; ++r) st->gewaehlt[r] = alt_gewaehlt[r] && alt[r] == st->zeile[r];
}

int32_t Einwechseln_Paar_Eintragen(int8_t ein[7], int8_t aus[7], int32_t rein, int32_t raus) {
    if (!Gueltig(rein) || (raus != -1 && !Gueltig(raus))) return -1;
    for (int32_t i = 0; i < SF_WECHSEL; ++i) {
        if (!Gueltig(ein[i])) {
            ein[i] = int8_t(rein);
            aus[i] = int8_t(raus);
            return i;
        }
        if (ein[i] == rein || aus[i] == rein) return -1;
    }
    return -1;
}

void Einwechseln_Zeile_Klick(Spielfeld_Satz* s, EinwechselnStand* st, int32_t zeile, uint32_t uhr,
                              int32_t (*zufall)(int32_t a, int32_t b)) {
    if (!s || !st || zeile < 0 || zeile >= SPL_ZEILEN || st->seite < 0 || st->seite > 1) return;
    const int32_t seite = st->seite;
    auto melden = [&](int32_t m) {
        st->meldung = m;
        st->meldung_seit = uhr;
    };
    st->meldung = SPL_OK;
    if (s->wechsel_laeuft) return;
    s->wechsel_bereit[seite] = 0;
    const int32_t gemacht = s->wechsel_gemacht[seite], erlaubt = s->wechsel_erlaubt[seite];
    if (erlaubt == 0 || gemacht >= 3) {
        melden(SPL_KEINE_WECHSEL);
        Alle_Abwaehlen(st);
        return;
    }
    int8_t* ein = Ein(s, seite);
    int8_t* aus = Aus(s, seite);
    const int32_t slot = st->zeile[zeile];
    if (slot >= 0 && (In_Liste(ein, slot) || In_Liste(aus, slot))) {
        for (int32_t i = 0; i < SF_WECHSEL; ++i)
            if (ein[i] == slot || aus[i] == slot) ein[i] = aus[i] = -1;
        Aendern(s, seite, BIT_PAARE);
        return;
    }
    const int32_t raus_n = Belegt(aus), rein_n = Belegt(ein);
    if (raus_n + gemacht >= 3 || raus_n >= erlaubt || rein_n + gemacht >= 3 || rein_n >= erlaubt) {
        melden(SPL_ZU_VIELE);
        return;
    }
    if (slot < 0 && zeile < SPL_FELD && rein_n > raus_n) {
        int32_t leer = 0;
        for (int32_t r = 0; r < SPL_FELD; ++r) leer += st->zeile[r] < 0 ? 1 : 0;
        if (rein_n - raus_n >= leer) return;
    }
    if (slot >= 0) {
        const uint32_t z = s->spieler[slot].zustand;
        if ((z & GESPERRT_ZUSTAND) || (z & 0x3F0) == 96) {
            melden(SPL_NICHT_MOEGLICH);
            return;
        }
    }
    if (st->gewaehlt[zeile]) {
        st->gewaehlt[zeile] = false;
        return;
    }
    int32_t partner = -1;
    for (int32_t r = 0; r < SPL_ZEILEN && partner < 0; ++r)
        if (r != zeile && st->gewaehlt[r]) partner = r;
    if (partner < 0) {
        st->gewaehlt[zeile] = true;
        return;
    }
    const int32_t anderer = st->zeile[partner];
    auto auf_platz = [&](int32_t sl) { return (s->spieler[sl].zustand & SM_AUF_PLATZ) != 0; };
    if (anderer < 0 || slot < 0) {
        // A hole in the eleven: the substitute comes on with nobody going off
        // and starts at the touchline near the halfway line.
        const int32_t rein = slot < 0 ? anderer : slot;
        Alle_Abwaehlen(st);
        if (rein < 0 || auf_platz(rein)) return;
        if (Einwechseln_Paar_Eintragen(ein, aus, rein, -1) < 0) return;
        if (!zufall) zufall = Standard_Zufall;
        const int32_t x = zufall(5000, 6000), y = zufall(50, 100);
        Spielfeld_Linie_Setzen(s, int32_t(s->team[seite]), rein, x, y);
        Aendern(s, seite, BIT_PAARE | BIT_POSITIONEN);
        return;
    }
    const bool a = auf_platz(slot), b = auf_platz(anderer);
    Alle_Abwaehlen(st);
    if (a == b) return;   // two on the pitch or two on the bench: no pair
    const int32_t rein = a ? anderer : slot, raus = a ? slot : anderer;
    int32_t paare = 0;
    for (int32_t i = 0; i < SF_WECHSEL; ++i) paare += Gueltig(ein[i]) || Gueltig(aus[i]) ? 1 : 0;
    if (gemacht >= 3 || paare >= 4 || s->spieler[rein].zustand != SM_RESERVE) return;
    if (Einwechseln_Paar_Eintragen(ein, aus, rein, raus) >= 0) Aendern(s, seite, BIT_PAARE);
}

void Einwechseln_Marker_Setzen(Spielfeld_Satz* s, EinwechselnStand* st, int32_t k, int32_t mx, int32_t my,
                                int32_t fx0, int32_t fy0) {
    if (!s || !st || k <= 0 || k >= SPL_FELD || st->seite < 0) return;   // the keeper's marker stays
    const int32_t slot = st->marker_slot[k];
    if (slot < 0 || !st->marker_an[k]) return;
    const int32_t fx = std::clamp(mx - fx0, 0, SPL_FELD_H), fy = std::clamp(my - fy0, 0, SPL_FELD_B);
    st->marker_x[k] = fx0 + fx;
    st->marker_y[k] = fy0 + fy;
    int32_t x, y;
    Einwechseln_Nach_Feld(*s, st->seite, fx, fy, &x, &y);
    Spielfeld_Linie_Setzen(s, int32_t(s->team[st->seite]), slot, x, y);
    Aendern(s, st->seite, BIT_POSITIONEN);
}

int32_t Einwechseln_Schalter(Spielfeld_Satz* s, const EinwechselnStand& st) {
    if (!s || st.seite < 0 || st.seite > 1) return 0;
    s->wechsel_bereit[st.seite] = 0;
    uint8_t& b = Netz() ? s->e_anweisung[st.seite] : s->live_anweisung_seite[st.seite];
    b = b ? 0 : 1;
    Aendern(s, st.seite, BIT_SCHALTER);
    return b;
}

int32_t Einwechseln_Meldung(const EinwechselnStand& st, uint32_t uhr) {
    if (st.meldung == SPL_OK || uhr - st.meldung_seit >= SPL_MELDUNG_MS) return SPL_OK;
    return st.meldung;
}

}  // namespace velmora
