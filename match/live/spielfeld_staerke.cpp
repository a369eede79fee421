// match/live/spielfeld_staerke.cpp
#include "match/live/spielfeld_staerke.h"

#include <algorithm>
#include <cstdlib>
#include <type_traits>
#include <utility>

#include "club/spieler.h"
#include "club/team.h"
#include "core/debug.h"
#include "core/pruefen.h"
#include "core/rnd.h"
#include "match/record/spielfeld.h"
#include "match/record/spielfeld_hooks.h"
#include "match/live/spielfeld_linie.h"

namespace velmora {
namespace {

// Match value k -> talent id; ids above 52 are player value modes.
constexpr int32_t WERT_TALENT[48] = {
    SPW_STAERKE, 5, 11, 12, 1, 0, 9, 3, 23, 6, 25, 24, 26, 28, 27, 17,                          // 0-15
    14, 7, 16, 13, 22, 31, 47, 50, 48, 51, 49, SPW_EINSAETZE, 2, 4, 8, 13,                      // 16-31
    18, 19, 29, 32, 39, 0, 0, 0, SPW_VERLETZUNG, SPW_AUSSEHEN, SPW_REIHE, SPW_RUECKENNUMMER,    // 32-43
    SPW_STAERKE, 32, 37, SPW_START_WERT100};                                                    // 44-47

// Talents noticed when value 0 is computed, with the flag byte they set.
constexpr std::pair<int32_t, int32_t> TALENT_FLAGS[] = {{37, 177}, {36, 178}, {38, 179}, {35, 180},
                                                          {34, 182}, {30, 183}, {40, 184}, {41, 185},
                                                          {43, 186}, {44, 187}, {46, 188}};

int32_t Seite_Von_Team(const Spielfeld_Satz* satz, int32_t team) { return uint32_t(team) == satz->team[1] ? 1 : 0; }

// A player's valuation asks about the same talents many times over, each a
// trip through the club data; while one valuation runs its answers are kept.
constexpr int32_t TALENTE_IN_MASKE = 54;   // the talents the club data tells at once
constexpr uint64_t MASKE_TALENTE = (uint64_t(1) << TALENTE_IN_MASKE) - 1;

struct TalentMerker {
    int32_t spieler = -1;
    uint64_t gefragt = 0, aktiv = 0;
};
TalentMerker merker;

// The club data's answer, kept when it is about the player of the running valuation.
[[gnu::noinline]] bool Aktiv_Fragen(int32_t spieler, int32_t talent) {
    if (spieler != merker.spieler || talent < 0 || talent >= 64) return Spielfeld_Hook_Attribut(spieler, talent);
    const uint64_t bit = uint64_t(1) << talent;
    merker.gefragt |= bit;
    if (Spielfeld_Hook_Attribut(spieler, talent)) merker.aktiv |= bit;
    return (merker.aktiv & bit) != 0;
}

// A valuation asks a few hundred times per player: a kept answer is one bit test.
inline bool Aktiv(int32_t spieler, int32_t talent) {
    if (spieler == merker.spieler && uint32_t(talent) < 64) {
        const uint64_t bit = uint64_t(1) << talent;
        if (merker.gefragt & bit) return (merker.aktiv & bit) != 0;
    }
    return Aktiv_Fragen(spieler, talent);
}

// Keeps the answers for one player for the life of the guard; talents 0-53
// are read at once when the club data can tell them so.
struct TalentMerkerScope {
    explicit TalentMerkerScope(int32_t spieler) {
        merker = TalentMerker{spieler, 0, 0};
        uint64_t maske = 0;
        if (Spielfeld_Hook_Attribute_Maske(spieler, &maske)) {
            merker.gefragt = MASKE_TALENTE;
            merker.aktiv = maske & merker.gefragt;
        }
    }
    ~TalentMerkerScope() { merker = TalentMerker{}; }
    TalentMerkerScope(const TalentMerkerScope&) = delete;
    TalentMerkerScope& operator=(const TalentMerkerScope&) = delete;
};

int32_t Klemme(int32_t v, int32_t lo, int32_t hi) { return v < lo ? lo : (v > hi ? hi : v); }

// The zone centre of a slot: half of each range's sum, taken positive.
void Zonen_Mitte(const Spieler_Matchsatz& sm, int32_t* x, int32_t* y) {
    *x = std::abs((sm.bereich[0] + sm.bereich[1]) / 2);
    *y = std::abs((sm.bereich[2] + sm.bereich[3]) / 2);
}

bool Mitte_Innen(const Spieler_Matchsatz& sm, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    int32_t x, y;
    Zonen_Mitte(sm, &x, &y);
    return x > x1 && x < x2 && y > y1 && y < y2;
}

// A side's count of players in a rectangle with one of two talents, less the
// anchor players with talent 9 as the rule asks.
int32_t Talent_Zaehlen(const Spielfeld_Satz* satz, int32_t team, int32_t t1, int32_t t2, int32_t x1, int32_t y1,
                       int32_t x2, int32_t y2) {
    if (!satz) return 0;
    int32_t seite = Seite_Von_Team(satz, team);
    int32_t a = 0, b = 0;
    for (int32_t i = 0; i < SF_SPIELER_SEITE; ++i) {
        int32_t slot = seite * SF_SPIELER_SEITE + i;
        int32_t p = satz->spieler[slot].nummer;
        if (p == -1 || !Spieler_In_Zone(satz, slot, x1, y1, x2, y2)) continue;
        if (Aktiv(p, t1) || (t2 >= 0 && Aktiv(p, t2))) ++a;
        if (Aktiv(p, 9)) ++b;
    }
    if (a > 1) {
        if (b == 1) a -= 1;
        else if (b == 0) a = 0;
    }
    return a;
}

}  // namespace

int32_t Spielfeld_Wert_Talent(int32_t k) { return k >= 0 && k < 48 ? WERT_TALENT[k] : -1; }

bool Spieler_In_Zone(const Spielfeld_Satz* satz, int32_t slot, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    if (!satz || slot < 0 || slot >= SF_SPIELER) return false;
    const Spieler_Matchsatz& sm = satz->spieler[slot];
    if (!(sm.zustand & SM_AUF_PLATZ)) return false;
    if (x1 > x2) std::swap(x1, x2);
    if (y1 > y2) std::swap(y1, y2);
    return Mitte_Innen(sm, x1, y1, x2, y2);
}

int32_t Team_Talent_Zentrum(const Spielfeld_Satz* satz, int32_t team) {
    return Talent_Zaehlen(satz, team, 21, 39, 3400, 2803, 7400, 4003);
}

int32_t Team_Talent_Abwehr(const Spielfeld_Satz* satz, int32_t team) {
    return Talent_Zaehlen(satz, team, 20, -1, 0, 2203, 2900, 4603);
}

int32_t Team_Talent_Zufall(const Spielfeld_Satz* satz, int32_t team) {
    if (!satz) return 0;
    int32_t seite = Seite_Von_Team(satz, team);
    int32_t n = 0;
    for (int32_t i = 0; i < SF_SPIELER_SEITE; ++i) {
        int32_t p = satz->spieler[seite * SF_SPIELER_SEITE + i].nummer;
        if (p != -1 && Aktiv(p, 45) && Rnd(0, 2) == 0) ++n;
    }
    return n;
}

namespace {

// Match value k of the player in `slot` for side `u`; the arguments are checked
// by the caller. `hat(talent)` tells whether the player has a talent.
template <class Hat>
[[gnu::always_inline]] inline int32_t Attribut_Wert(Spielfeld_Satz* satz, int32_t u, int32_t slot, int32_t k, Hat hat) {
    Spieler_Matchsatz& sm = satz->spieler[slot];
    int32_t p = sm.nummer;
    int32_t b = sm.basis;
    int32_t t = WERT_TALENT[k];
    int32_t r = 0;
    auto plus = [&](int32_t talent, int32_t prozent, int32_t mindestens) {
        if (!hat(talent)) return;
        r += b * prozent / 100;
        if (mindestens > 0 && r < mindestens) r = mindestens;
    };
    if (k == 0) {
        for (const auto& [talent, byte] : TALENT_FLAGS) sm.talent_flag[TALENT_FLAG(byte)] = hat(talent) ? 1 : 0;
        bool t39 = hat(39);
        sm.talent_flag[TALENT_FLAG(181)] = t39 ? 1 : 0;
        if (t39)
            for (int32_t byte : {177, 178, 179}) sm.talent_flag[TALENT_FLAG(byte)] = 1;
        r = b;
        if (sm.talent_flag[TALENT_FLAG(181)]) r = 1300;
        int32_t zentrum = int32_t(satz->talent_zentrum[u]), abwehr = int32_t(satz->talent_abwehr[u]);
        if (zentrum != 0 && Mitte_Innen(sm, 3400, 0, 10800, 6806)) r = zentrum * 10 * b / 100;
        if (abwehr != 0 && Mitte_Innen(sm, 0, 2203, 2900, 4603)) r = abwehr * 10 * b / 100;
        r = r * (100 - 15 * int32_t(satz->talent_zufall[u])) / 100;
        return std::max(r, 1);
    }
    if (t > 52 || t < 0) r = Spieler_Wert(t, p, 0, OP_LESEN);
    else r = hat(t) ? std::max(b * 30 / 100, 150) : 0;
    switch (k) {
    case 1: plus(5, 15, 100); break;
    case 2:
        if (hat(11)) sm.fitness = int8_t(sm.fitness + 1);
        if (hat(30)) sm.fitness = int8_t(sm.fitness + 2);
        break;
    case 3: plus(12, 20, 100); break;
    case 4: plus(5, 20, 150); plus(37, 50, 300); break;
    case 5: plus(0, 20, 150); break;
    case 7: plus(3, 20, 200); break;
    case 8: plus(8, 20, 100); plus(38, 50, 200); break;
    case 9: plus(6, 25, 100); plus(36, 50, 200); break;
    case 10: plus(25, 25, 150); break;
    case 11: plus(24, 20, 100); break;
    case 12: plus(26, 20, 150); break;
    case 13: plus(28, 20, 200); break;
    case 14: plus(27, 20, 200); break;
    case 15: plus(17, 10, 0); plus(33, 20, 0); plus(34, 40, 0); break;
    case 16: plus(14, 50, 0); break;
    case 17: plus(7, 25, 0); break;
    case 18: plus(33, 20, 0); break;
    case 19:
    case 31: plus(13, 20, 0); break;
    case 20: plus(22, 20, 0); break;
    case 21: plus(31, 30, 100); plus(35, 50, 200); break;
    case 23: plus(50, 20, 0); break;
    case 24: plus(48, 20, 0); break;
    case 25: plus(51, 20, 0); break;
    case 26: plus(49, 20, 0); break;
    case 28: plus(2, 20, 150); break;
    case 29:
        satz->figur[slot].dreh_min = hat(38) ? 1 : (hat(4) ? 2 : 4);
        break;
    case 30: break;   // talent 8 would raise the fitness byte by 0.2, which its whole numbers do not hold
    case 32: plus(18, 50, 300); break;
    case 33: plus(19, 50, 300); break;
    case 34:
        if (r != 0 && satz->minute > 49) r += b * 20 / 100;
        break;
    case 35:
        if (hat(32)) r = 1300;
        break;
    case 47: plus(47, 20, 0); break;
    default: break;
    }
    return r;
}

}  // namespace

int32_t Spielfeld_Staerke_Attribut(Spielfeld_Satz* satz, int32_t team, int32_t slot, int32_t k) {
    if (!satz || slot < 0 || slot >= SF_SPIELER || k < 0 || k >= 48) return 0;
    const int32_t p = satz->spieler[slot].nummer;
    return Attribut_Wert(satz, Seite_Von_Team(satz, team), slot, k, [p](int32_t t) { return Aktiv(p, t); });
}

void Spielfeld_Get_Spielerstaerke(Spielfeld_Satz* satz, int32_t team, int32_t slot) {
    if (!PRUEFEN(satz && slot >= 0 && slot < SF_SPIELER, "Spielfeld_Get_Spielerstaerke %d\n", slot)) return;
    Spieler_Matchsatz& sm = satz->spieler[slot];
    int32_t p = sm.nummer;
    if (p < 0) return;
    TalentMerkerScope talente(p);
    int32_t seite = slot / SF_SPIELER_SEITE, andere = 1 - seite;

    int32_t faktor = 100;
    if (Team_Hat_Manager(team)) {
        int32_t d = Spielfeld_Hook_Schwierigkeit();
        if (d == 0) faktor = 100 + 7 * 2;
        else if (d >= 1 && d <= 4) faktor = 100 - 20 * (d - 1);
    }
    satz->figur[slot].dreh_min = 7;
    Spielfeld_Aktives_Merken(satz);

    int32_t linie_x = Spielfeld_Linie_X(satz, slot);
    int32_t b = int16_t((Spieler_Wert(SPW_SPIEL_STERNE, p, 0, OP_LESEN) -
                         Spielfeld_Hook_Positionsstaerke(satz, team, p, linie_x)) * 999 / 12);
    if (satz->minute > 50 && Aktiv(p, 29)) b = b * 120 / 100;
    bool zweiter_fall = false;
    if (Aktiv(p, 40) && satz->team_staerke[seite] > satz->team_staerke[andere]) b = b * 80 / 100;
    if (Aktiv(p, 42) && Rnd(0, 5) == 0) {
        b = b * 40 / 100;
        zweiter_fall = true;
    }
    if (!zweiter_fall) b = b * 110 / 100;

    int32_t a = b * (Spieler_Form(p) / 5) / 100;
    int32_t q = 100 - Spieler_Wert(SPW_EINSAETZE, p, 0, OP_LESEN) * 100 / 9;
    if (q > 34) q = 100;
    int32_t f = b * q / 100;
    int32_t e = b * (Spieler_Wert(SPW_MORAL, p, 0, OP_LESEN) * 100 / 6 + 50) / 100;
    b = Klemme((60 * b + 10 * a + 15 * f + 15 * e) / 100, 0, 1300);
    int32_t wettbewerb = int32_t(satz->wettbewerb);
    if (Spielfeld_Hook_Wichtigkeit(wettbewerb) > 80 && Aktiv(p, 15)) b = b * 120 / 100;
    sm.basis = int16_t(b);

    SpielfeldSpiel spiel;
    bool spiel_da = Spielfeld_Hook_Spiel(int32_t(satz->spiel), &spiel);
    int32_t temperatur = spiel_da ? spiel.temperatur : 15;
    int32_t zuschauer = spiel_da ? spiel.zuschauer : 0;
    bool heimrecht = Spielfeld_Hook_Heimrecht(wettbewerb);
    uint32_t modus = 0;
    Spielfeld_Hook_Info(wettbewerb, nullptr, &modus);

    // Every valuation starts from the club data: the fitness byte from zero and
    // no value from what an earlier valuation left.
    sm.fitness = 0;
    const int32_t u = Seite_Von_Team(satz, team);
    // Talents 0-53 read at once (the common case) are tested as bits of one word.
    const bool ganz = (merker.gefragt & MASKE_TALENTE) == MASKE_TALENTE;
    const uint64_t bits = merker.aktiv;
    const auto hat = [ganz, bits, p](int32_t t) {
        return ganz && uint32_t(t) < TALENTE_IN_MASKE ? (bits >> t & 1) != 0 : Aktiv(p, t);
    };
    // One value; k is a constant, so each value's rule is worked out when compiled.
    const auto ein_wert = [&](auto konstante) {
        constexpr int32_t k = decltype(konstante)::value;
        constexpr int32_t kind = WERT_TALENT[k];
        int32_t w = (kind == SPW_STAERKE || kind == SPW_EINSAETZE) ? 0 : b;
        w += Attribut_Wert(satz, u, slot, k, hat);
        if ((kind == 11 || kind == 12) && temperatur > 28) w = std::min(w, 800);
        if ((kind == 0 || kind == 1 || kind == 23) && temperatur < 0) w = std::min(w, 800);
        if (kind != SPW_EINSAETZE) w = std::min(w * faktor / 100, 1300);
        if constexpr (k == 0) {
            int32_t ff = 92;
            if (heimrecht) ff = seite == 1 ? 83 : 92 + std::min(zuschauer / 5000, 8);
            if (seite == 1 && !(modus & 0x200)) {
                int32_t gg = (((300 - 2 * (w / 10)) * 70) + 3000) / 100;
                if (gg == 0) gg = 100;
                ff = ff * 100 / gg;
            }
            if (!satz->figur[slot].torwart)
                w = w * (satz->staerke[seite] > satz->staerke[andere] ? ff + 5 : ff) / 100;
            w = Klemme(w, 0, 1300);
        } else {
            w = Klemme(w, 0, 1301);
        }
        sm.werte[k] = int16_t(w);
    };
    [&]<size_t... K>(std::index_sequence<K...>) {
        (ein_wert(std::integral_constant<int32_t, int32_t(K)>{}), ...);
    }(std::make_index_sequence<size_t(SF_WERTE)>{});
    if (satz->figur[slot].torwart) sm.werte[3] = sm.werte[7] = sm.werte[24];
    int32_t w27 = sm.werte[27] * 1000 / 9;
    if (w27 < 500 || (w27 < sm.werte[2] && w27 < 800)) w27 = 0;
    sm.werte[27] = int16_t(Klemme(w27, 0, 32767));
    Spielfeld_Einwechsel_Frische(satz, slot);
}

void Spielfeld_Spielerstaerke_Ziehen(Spielfeld_Satz* satz, int32_t slot) {
    if (!PRUEFEN(satz && slot >= 0 && slot < SF_SPIELER, "Spielfeld_Spielerstaerke_Ziehen %d\n", slot)) return;
    const int32_t p = satz->spieler[slot].nummer;
    if (p < 0) return;
    Spielfeld_Aktives_Merken(satz);
    // The one talent asked: a single answer, not the whole talent word.
    if (Spielfeld_Hook_Attribut(p, 42)) Rnd(0, 5);
}

void Spielfeld_Einwechsel_Frische(Spielfeld_Satz* satz, int32_t slot) {
    if (!satz || slot < 0 || slot >= SF_SPIELER || satz->minute == 0) return;
    Spieler_Matchsatz& sm = satz->spieler[slot];
    // A player who has been on the pitch (his on-pitch counter runs) keeps
    // what he has: only a substitute coming on starts fresh.
    if (sm.zaehler != 0) return;
    if (satz->figur[slot].torwart) {
        sm.ausdauer = 9999;
        sm.frische = 100;
        return;
    }
    int32_t w2 = sm.werte[2], w27 = sm.werte[27];
    sm.ausdauer = Klemme(3 * w2 + 5000 + 2 * (1000 - w27), 0, 10000);
    sm.frische = int16_t(Klemme((w27 + 300 - w2) / 2, 0, 1000));
}

}  // namespace velmora
