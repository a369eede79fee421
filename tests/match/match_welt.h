// tests/match/match_welt.h - a small world for the match tests: the club test
// world with formation cells, and fakes for the fixtures store, the
// competitions, the tactics and the talents, which do not exist here yet.
#pragma once
#include <array>
#include <cmath>
#include <cstdint>
#include <map>
#include <set>
#include <utility>

#include "../club/welt.h"
#include "club/manager.h"
#include "match/day/elfmeter.h"
#include "match/live/anweisung.h"
#include "match/record/spielfeld.h"
#include "match/live/spielfeld_ballkontakt.h"
#include "match/record/spielfeld_hooks.h"
#include "match/live/spielfeld_linie.h"
#include "tests/match/figuren_frame.h"

namespace velmora::test {

// The ball at (x, y, z) flying along (vx, vy) with launch speed vz: its
// order's speed is |(vx, vy)|, its flight clock at 0.
inline Figur& Ball_Fliegen(Spielfeld_Satz* s, float x, float y, float z, float vx, float vy, float vz) {
    Figur& b = s->figur[FIGUR_BALL];
    b.pos[0] = x;
    b.pos[1] = y;
    b.pos[2] = z;
    b.v[0] = vx;
    b.v[1] = vy;
    b.v[2] = 0;
    b.flug_start = b.flug_zeit = 0;
    Anweisung& a = b.ring[b.aktuell & 3];
    a.tempo = std::hypot(vx, vy);
    a.vz = vz;
    return b;
}

// A player on the pitch standing at (x, y) in open play: no situation code,
// drawn, no velocity, no ball lock-out, decide-now and order flags clear.
inline Figur& Spieler_Stellen(Spielfeld_Satz* s, int32_t slot, float x, float y) {
    s->spieler[slot].zustand = SM_AUF_PLATZ;
    SetAnim(s, slot, int32_t(x), int32_t(y), 0);
    Figur& f = s->figur[slot];
    f.situation = 0;
    f.gezeichnet = 1;
    f.entscheiden = 0;
    f.v[0] = f.v[1] = 0;
    f.ring[f.aktuell & 3].flags = 0;
    Figur_Ballsperre_Setzen(&f, 0);
    return f;
}

// Cells of a 4-4-2 by squad slot 0-10: the goalkeeper in column 3, row 0.
inline constexpr int16_t ZELLEN_442[11][2] = {{3, 0}, {0, 2}, {2, 2}, {4, 2}, {6, 2}, {0, 5},
                                               {2, 5}, {4, 5}, {6, 5}, {2, 8}, {4, 8}};

struct FakeWelt {
    std::map<int32_t, SpielfeldSpiel> spiele;
    std::map<int32_t, std::array<int8_t, 7>> taktik;
    std::set<std::pair<int32_t, int32_t>> talente;      // (player, talent)
    std::map<int32_t, SpielfeldStadion> stadien;
    std::map<int32_t, int32_t> schalter5;               // competition -> switch 5
    int32_t wichtigkeit = 40;
    bool publikum = true;
    bool heimrecht = true;
    int32_t netz = 0;
    int32_t live_schuesse = 0;
};

inline FakeWelt& Fake() {
    static FakeWelt w;
    return w;
}

inline void Fake_Hooks_Setzen() {
    Fake() = FakeWelt{};
    SpielfeldHooks& h = Spielfeld_Hooks();
    h = SpielfeldHooks{};
    h.spiel = [](int32_t spiel, SpielfeldSpiel* out) {
        auto it = Fake().spiele.find(spiel);
        if (it == Fake().spiele.end()) return false;
        *out = it->second;
        return true;
    };
    h.wettbewerb_schalter = [](int32_t wb, int32_t s) { return s == 5 ? Fake().schalter5[wb] : 0; };
    h.wettbewerb_wichtigkeit = [](int32_t) { return Fake().wichtigkeit; };
    h.wettbewerb_heimrecht = [](int32_t) { return Fake().heimrecht; };
    h.wettbewerb_international = [](int32_t) { return false; };
    h.wettbewerb_info = [](int32_t, int8_t* b, uint32_t* m) {
        *b = Fake().publikum ? 0 : -1;
        *m = 0;
        return true;
    };
    h.team_taktik = [](int32_t team, int8_t out[7]) {
        auto it = Fake().taktik.find(team);
        if (it == Fake().taktik.end()) return false;
        for (int32_t i = 0; i < 7; ++i) out[i] = it->second[i];
        return true;
    };
    h.team_positionen_setzen = [](int32_t team) {
        int32_t sp[TEAM_SPIELER_MAX];
        int32_t n = Teamspieler_Ins_Array(team, sp, TEAM_SPIELER_MAX, 0);
        for (int32_t i = 0; i < n; ++i) {
            auto* linie = static_cast<int16_t*>(Spieler_Zeiger(511, sp[i]));
            Spielfeld_Taktik_Linie(team, linie, Spieler_Wert(82, sp[i], 0, 0), Spieler_Wert(83, sp[i], 0, 0));
        }
    };
    h.stadion = [](int32_t st, SpielfeldStadion* out) {
        auto it = Fake().stadien.find(st);
        if (it == Fake().stadien.end()) return false;
        *out = it->second;
        return true;
    };
    h.attribut_aktiv = [](int32_t p, int32_t t) { return Fake().talente.count({p, t}) > 0; };
    h.netz_modus = [] { return Fake().netz; };
    h.spiel_ereignis = [](int32_t spiel, uint32_t art, int32_t, int32_t, int32_t) {
        if (!(art & 4)) return;
        SpielfeldSpiel& s = Fake().spiele[spiel];
        (art & 1 ? s.heim_tore : s.gast_tore) += 1;
    };
}

// Gives every club player a cell: squad slots 0-10 the 4-4-2, the bench
// (slots 11-16) cells of the midfield, slot 11 a reserve goalkeeper.
inline void Zellen_Setzen(int32_t clubs, int32_t je_club) {
    for (int32_t t = 0; t < clubs; ++t) {
        for (int32_t i = 0; i < je_club; ++i) {
            int32_t p = t * je_club + i;
            if (i < 11) {
                Spieler_Wert(82, p, ZELLEN_442[i][0], 1);
                Spieler_Wert(83, p, ZELLEN_442[i][1], 1);
            } else if (i == 11) {
                Spieler_Wert(67, p, 0, 1);
                Spieler_Wert(82, p, 3, 1);
                Spieler_Wert(83, p, 0, 1);
            } else {
                Spieler_Wert(82, p, i % 7, 1);
                Spieler_Wert(83, p, 5, 1);
            }
            Spieler_Wert(58, p, 6000 + 500 * (i % 5), 1);
            Spieler_Wert(101, p, -1, 1);
        }
    }
}

// A fixture between two clubs (teams 2.. of the world).
inline void Spiel_Anlegen(int32_t spiel, int32_t heim, int32_t gast, int32_t wettbewerb = 50) {
    SpielfeldSpiel s;
    s.heim = heim;
    s.gast = gast;
    s.wettbewerb = wettbewerb;
    s.runde = 1;
    s.zuschauer = 20000;
    Fake().spiele[spiel] = s;
}

// A test over a fresh world of `CLUBS` clubs with 18 players each and a running match module.
class MatchTest : public ::testing::Test {
protected:
    static constexpr int32_t CLUBS = 8;
    static constexpr int32_t JE_CLUB = 18;
    void SetUp() override {
        Rnd_Init();
        Welt_Bauen(CLUBS, JE_CLUB);
        Zellen_Setzen(CLUBS, JE_CLUB);
        Fake_Hooks_Setzen();
        ASSERT_TRUE(Spielfeld_Init());
        Elfmeter_Init();
    }
    void TearDown() override {
        Elfmeter_Freigeben();
        Spielfeld_Freigeben();
        Spielfeld_Hooks() = SpielfeldHooks{};
        Manager_Alle_Freigeben();
        Welt_Freigeben();
    }
    LogFaenger faenger;
};

// The same with one record set up: game 1, team 2 at home to team 3.
class SpielTest : public MatchTest {
protected:
    Spielfeld_Satz* s = nullptr;
    void SetUp() override {
        MatchTest::SetUp();
        Spiel_Anlegen(1, 2, 3);
        ASSERT_EQ(Spielfeld_Anlegen(1, 0, 0, 0, -1, -1), 1);
        s = Spielfeld_Suchen(1);
    }
};

// The same record in open play, side 0 attacking the goal at x = 10800,
// nobody to receive a pass.
class OffenesSpielTest : public SpielTest {
protected:
    void SetUp() override {
        SpielTest::SetUp();
        s->seiten_gewechselt = 0;
        Spielfeld_Tore_Setzen(s);
        s->spielzustand = SZ_SPIEL;
        s->empfaenger = -1;
    }
};

}  // namespace velmora::test
