// tests/screens/einwechseln_test.cpp - the live match panels' rules: the
// substitution list (fill, row clicks, pairs, holes, refusals and how long
// they last, the two conversions) and the tactics sliders, alone and in
// network play; and a pair entered in a live match carried out at its next
// stoppage.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "match/record/spielfeld.h"
#include "match/record/spielfeld_hooks.h"
#include "match/record/spielfeld_satz.h"
#include "match/day/spieltag.h"
#include "screens/regler.h"
#include "screens/einwechseln.h"
#include "season/wettbewerb.h"
#include "tests/core/temp_verz.h"
#include "tests/match/spieltag_welt.h"

namespace velmora::test {
namespace {

int32_t g_netz = 0;
std::vector<std::pair<int32_t, int32_t>> g_zufall_rufe;
int32_t Netz() { return g_netz; }
int32_t Zufall(int32_t a, int32_t b) {
    g_zufall_rufe.emplace_back(a, b);
    return (a + b) / 2;
}

// A record of two clubs (5 at home, 6 away): slots 0-10 of each side on the
// pitch, 11-16 on the bench, every player standing on his own line.
std::unique_ptr<Spielfeld_Satz> Satz() {
    auto s = std::make_unique<Spielfeld_Satz>();
    std::memset(s.get(), 0, sizeof(Spielfeld_Satz));
    s->team[0] = 5;
    s->team[1] = 6;
    for (int32_t slot = 0; slot < SF_SPIELER; ++slot) {
        Spieler_Matchsatz& sm = s->spieler[slot];
        const int32_t i = slot % SF_SPIELER_SEITE;
        sm.nummer = 100 + slot;
        sm.zustand = i < 11 ? SM_AUF_PLATZ : SM_RESERVE;
        const int32_t x = 1500 + 700 * i, y = 800 + 450 * i;
        sm.linie[0] = x - 500, sm.linie[1] = x + 500, sm.linie[2] = sm.linie[3] = y;
    }
    for (int32_t s2 = 0; s2 < 2; ++s2) {
        for (int32_t i = 0; i < SF_WECHSEL; ++i) s->wechsel_ein[s2][i] = s->wechsel_aus[s2][i] = -1;
        for (int32_t i = 0; i < SF_WECHSEL; ++i) s->e_wechsel_ein[s2][i] = s->e_wechsel_aus[s2][i] = -1;
        s->wechsel_erlaubt[s2] = 3;
        for (int32_t i = 0; i < SF_TAKTIK; ++i) s->taktik[s2][i] = s->e_taktik[s2][i] = 50;
    }
    for (int32_t slot = 0; slot < SF_SPIELER; ++slot)
        std::memcpy(s->e_linie[slot], s->spieler[slot].linie, sizeof s->e_linie[slot]);
    return s;
}

class Panels : public ::testing::Test {
protected:
    void SetUp() override {
        g_netz = 0;
        g_zufall_rufe.clear();
        Spielfeld_Hooks().netz_modus = Netz;
        s = Satz();
        st.team = 5;
        Einwechseln_Fuellen(*s, &st, 150, 120);
    }
    void TearDown() override { Spielfeld_Hooks().netz_modus = nullptr; }
    void Klick(int32_t zeile, uint32_t uhr = 1000) { Einwechseln_Zeile_Klick(s.get(), &st, zeile, uhr, Zufall); }
    int32_t Gewaehlt() const {
        int32_t n = 0;
        for (bool b : st.gewaehlt) n += b ? 1 : 0;
        return n;
    }
    std::unique_ptr<Spielfeld_Satz> s;
    EinwechselnStand st;
};

TEST_F(Panels, WindowToPitchAndBackWithinOnePixelMirroredBySideAndHalf) {
    for (int32_t gewechselt : {0, 1})
        for (int32_t seite : {0, 1}) {
            s->seiten_gewechselt = int8_t(gewechselt);
            for (int32_t fx = 0; fx <= SPL_FELD_H; fx += 17)
                for (int32_t fy = 0; fy <= SPL_FELD_B; fy += 19) {
                    int32_t x, y, fx2, fy2;
                    Einwechseln_Nach_Feld(*s, seite, fx, fy, &x, &y);
                    EXPECT_GE(x, 1000);
                    EXPECT_LE(x, 9800);
                    Einwechseln_Nach_Fenster(*s, seite, x, y, &fx2, &fy2);
                    EXPECT_LE(std::abs(fx2 - fx), 1) << seite << " " << gewechselt << " " << fx << "," << fy;
                    EXPECT_LE(std::abs(fy2 - fy), 1) << seite << " " << gewechselt << " " << fx << "," << fy;
                }
        }
    // One pitch point: the home side sees it where the away side sees its mirror,
    // and swapping the halves swaps the views.
    struct Fall {
        int32_t x, y;
    } faelle[] = {{1000, 400}, {9800, 6406}, {5400, 3403}, {2000, 5000}, {7777, 1234}};
    for (const Fall& f : faelle) {
        int32_t hx, hy, ax, ay, wx, wy;
        s->seiten_gewechselt = 0;
        Einwechseln_Nach_Fenster(*s, 0, f.x, f.y, &hx, &hy);
        Einwechseln_Nach_Fenster(*s, 1, f.x, f.y, &ax, &ay);
        EXPECT_LE(std::abs(hx - (SPL_FELD_H - ax)), 1) << f.x << "," << f.y;
        EXPECT_LE(std::abs(hy - (SPL_FELD_B - ay)), 1) << f.x << "," << f.y;
        s->seiten_gewechselt = 1;
        Einwechseln_Nach_Fenster(*s, 1, f.x, f.y, &wx, &wy);
        EXPECT_EQ(wx, hx);
        EXPECT_EQ(wy, hy);
    }
    // The home side before the break defends the bottom: its own goal line (x 1000) lies at the window's foot.
    int32_t fx, fy;
    s->seiten_gewechselt = 0;
    Einwechseln_Nach_Fenster(*s, 0, 1000, 3403, &fx, &fy);
    EXPECT_EQ(fy, SPL_FELD_B);
}

TEST_F(Panels, TheListHoldsTheElevenByPositionAndTheBenchAndAtMostElevenOnThePitch) {
    for (int32_t r = 0; r < SPL_FELD; ++r) EXPECT_GE(st.zeile[r], 0) << r;
    for (int32_t r = SPL_FELD; r < SPL_ZEILEN; ++r) EXPECT_GE(st.zeile[r], 11) << r;
    // Field rows run from the window's top to its foot (key x - 10000 y, descending).
    for (int32_t r = 1; r < SPL_FELD; ++r) {
        const int32_t a = st.zeile[r - 1], b = st.zeile[r];
        int32_t ka = 0, kb = 0;
        for (int32_t k = 0; k < SPL_FELD; ++k) {
            if (st.marker_slot[k] == a) ka = k;
            if (st.marker_slot[k] == b) kb = k;
        }
        EXPECT_GE(int64_t(st.marker_x[ka]) - 10000 * int64_t(st.marker_y[ka]),
                  int64_t(st.marker_x[kb]) - 10000 * int64_t(st.marker_y[kb]));
    }
    // A damaged record with a twelfth player on the pitch keeps the first eleven by slot.
    s->spieler[14].zustand = SM_AUF_PLATZ;
    Einwechseln_Fuellen(*s, &st, 150, 120);
    for (int32_t r = 0; r < SPL_FELD; ++r) EXPECT_NE(st.zeile[r], 14);
    // Sent off players keep their row; their marker is disabled.
    s->spieler[14].zustand = SM_RESERVE;
    s->spieler[3].zustand = SM_ROT;
    Einwechseln_Fuellen(*s, &st, 150, 120);
    bool gefunden = false;
    for (int32_t k = 0; k < SPL_FELD; ++k)
        if (st.marker_slot[k] == 3) {
            gefunden = true;
            EXPECT_FALSE(st.marker_an[k]);
        }
    EXPECT_TRUE(gefunden);
    // The away club reads the other side's slots.
    st.team = 6;
    Einwechseln_Fuellen(*s, &st, 150, 120);
    EXPECT_EQ(st.seite, 1);
    for (int32_t r = 0; r < SPL_ZEILEN; ++r) EXPECT_GE(st.zeile[r], SF_SPIELER_SEITE);
    st.team = 99;
    Einwechseln_Fuellen(*s, &st, 150, 120);
    EXPECT_EQ(st.seite, -1);
    EXPECT_EQ(st.zeile[0], -1);
}

TEST_F(Panels, TwoClicksMakeAPairAClickOnAPendingPlayerCancelsItTwoSubstitutesMakeNone) {
    const int32_t feld = st.zeile[4], bank = st.zeile[12];
    Klick(4);
    EXPECT_TRUE(st.gewaehlt[4]);
    Klick(12);
    EXPECT_EQ(s->wechsel_ein[0][0], bank);
    EXPECT_EQ(s->wechsel_aus[0][0], feld);
    EXPECT_EQ(Gewaehlt(), 0);
    EXPECT_EQ(st.meldung, SPL_OK);
    // The pending player coming on is clicked: the pair goes.
    Einwechseln_Fuellen(*s, &st, 150, 120);
    int32_t zeile_bank = -1;
    for (int32_t r = 0; r < SPL_ZEILEN; ++r)
        if (st.zeile[r] == bank) zeile_bank = r;
    ASSERT_GE(zeile_bank, 0);
    Klick(zeile_bank);
    EXPECT_EQ(s->wechsel_ein[0][0], -1);
    EXPECT_EQ(s->wechsel_aus[0][0], -1);
    EXPECT_EQ(Gewaehlt(), 0);
    // Two substitutes one after the other: no pair, nothing selected.
    Klick(11);
    Klick(13);
    EXPECT_EQ(s->wechsel_ein[0][0], -1);
    EXPECT_EQ(Gewaehlt(), 0);
    // Two on the pitch: no pair either. A selected row clicked again is deselected.
    Klick(1);
    Klick(2);
    EXPECT_EQ(s->wechsel_ein[0][0], -1);
    EXPECT_EQ(Gewaehlt(), 0);
    Klick(2);
    Klick(2);
    EXPECT_EQ(Gewaehlt(), 0);
}

TEST_F(Panels, RefusalsAfterThreeSubstitutionsWithPairsPendingAndForPlayersWhoCannotTakePart) {
    struct Fall {
        const char* was;
        void (*vorher)(Spielfeld_Satz&);
        int32_t zeile, meldung;
    } faelle[] = {
        {"three made", [](Spielfeld_Satz& s) { s.wechsel_gemacht[0] = 3; }, 4, SPL_KEINE_WECHSEL},
        {"none permitted", [](Spielfeld_Satz& s) { s.wechsel_erlaubt[0] = 0; }, 4, SPL_KEINE_WECHSEL},
        {"two made, one pending",
         [](Spielfeld_Satz& s) {
             s.wechsel_gemacht[0] = 2;
             s.wechsel_ein[0][0] = 11, s.wechsel_aus[0][0] = 1;
         },
         4, SPL_ZU_VIELE},
        {"three pending",
         [](Spielfeld_Satz& s) {
             for (int32_t i = 0; i < 3; ++i) s.wechsel_ein[0][i] = int8_t(11 + i), s.wechsel_aus[0][i] = int8_t(1 + i);
         },
         4, SPL_ZU_VIELE},
        {"sent off", [](Spielfeld_Satz& s) { s.spieler[4].zustand = SM_AUF_PLATZ | SM_GELBROT; }, -4,
         SPL_NICHT_MOEGLICH},
        {"substituted off",
         [](Spielfeld_Satz& s) {
             s.spieler[4].zustand = SM_AUSGEWECHSELT | SM_RESERVE;
             s.spieler[16].nummer = -1, s.spieler[16].zustand = 0;
         },
         -4, SPL_NICHT_MOEGLICH},
    };
    for (const Fall& f : faelle) {
        s = Satz();
        f.vorher(*s);
        st = EinwechselnStand{};
        st.team = 5;
        Einwechseln_Fuellen(*s, &st, 150, 120);
        int32_t zeile = f.zeile;
        if (zeile < 0)
            for (int32_t r = 0; r < SPL_ZEILEN; ++r)
                if (st.zeile[r] == -f.zeile) zeile = r;
        ASSERT_GE(zeile, 0) << f.was;
        Klick(zeile, 5000);
        EXPECT_EQ(st.meldung, f.meldung) << f.was;
        EXPECT_FALSE(st.gewaehlt[zeile]) << f.was;
        // The message lasts 2040 ms of the clock.
        EXPECT_EQ(Einwechseln_Meldung(st, 5000 + 2039), f.meldung) << f.was;
        EXPECT_EQ(Einwechseln_Meldung(st, 5000 + 2040), SPL_OK) << f.was;
    }
    // While a substitution is running on the pitch no click counts.
    s = Satz();
    s->wechsel_laeuft = 1;
    s->wechsel_bereit[0] = 1;
    Klick(4);
    EXPECT_EQ(Gewaehlt(), 0);
    EXPECT_EQ(s->wechsel_bereit[0], 1);
}

TEST_F(Panels, AHoleIsFilledWithTheSubstituteAtTheTouchlineFromTheViewsGenerator) {
    // Player 6 left the eleven without a substitute: a hole.
    s->spieler[6].nummer = -1;
    s->spieler[6].zustand = 0;
    Einwechseln_Fuellen(*s, &st, 150, 120);
    ASSERT_EQ(st.zeile[10], -1);
    const int32_t bank = st.zeile[11];
    Klick(10);
    EXPECT_TRUE(st.gewaehlt[10]);
    Klick(11);
    EXPECT_EQ(s->wechsel_ein[0][0], bank);
    EXPECT_EQ(s->wechsel_aus[0][0], -1);
    EXPECT_EQ(Gewaehlt(), 0);
    ASSERT_EQ(g_zufall_rufe.size(), 2u);
    EXPECT_EQ(g_zufall_rufe[0], std::make_pair(5000, 6000));
    EXPECT_EQ(g_zufall_rufe[1], std::make_pair(50, 100));
    // He stands at the touchline near the halfway line (y 75 reads as the band next to y 0).
    const Spieler_Matchsatz& sm = s->spieler[bank];
    EXPECT_LT(std::abs((sm.linie[0] + sm.linie[1]) / 2 - 5500), 1200);
    EXPECT_LT((sm.linie[2] + sm.linie[3]) / 2, 1500);
    // A second substitute for the same hole is not taken: one hole, one coming on.
    Einwechseln_Fuellen(*s, &st, 150, 120);
    Klick(10);
    EXPECT_FALSE(st.gewaehlt[10]);
}

TEST_F(Panels, InNetworkPlayThePanelsWriteTheEditCopyWithChangeBits) {
    g_netz = 1;
    Einwechseln_Fuellen(*s, &st, 150, 120);
    const int32_t feld = st.zeile[3], bank = st.zeile[14];
    Klick(3);
    Klick(14);
    EXPECT_EQ(s->e_wechsel_ein[0][0], bank);
    EXPECT_EQ(s->e_wechsel_aus[0][0], feld);
    EXPECT_EQ(s->wechsel_ein[0][0], -1) << "the live lists wait for the lock-step";
    EXPECT_EQ(s->e_aenderung[0], 4);
    EXPECT_EQ(Einwechseln_Schalter(s.get(), st), 1);
    EXPECT_EQ(s->e_anweisung[0], 1);
    EXPECT_EQ(s->live_anweisung_seite[0], 0);
    EXPECT_EQ(s->e_aenderung[0], 4 | 2);
    // A dragged marker moves the player's line in the edit copy (bit 16).
    const int32_t vorher = s->e_linie[st.marker_slot[5]][2];
    Einwechseln_Marker_Setzen(s.get(), &st, 5, 150 + 10, 120 + 30, 150, 120);
    EXPECT_EQ(s->e_aenderung[0], 4 | 2 | 16);
    EXPECT_NE(s->e_linie[st.marker_slot[5]][2], vorher);
    // The keeper's marker stays where it is.
    s->e_aenderung[0] = 0;
    Einwechseln_Marker_Setzen(s.get(), &st, 0, 150 + 10, 120 + 30, 150, 120);
    EXPECT_EQ(s->e_aenderung[0], 0);
    // Tactics: the pressing slider sets bit 1, switch 2624 bit 2 like every switch.
    ReglerStand r;
    EXPECT_TRUE(Regler_Klick(s.get(), 0, ICON_REGLER_MINUS + 1, 1000, &r));
    EXPECT_EQ(s->e_pressing[0], 5);
    EXPECT_EQ(s->pressing[0], 0);
    EXPECT_EQ(s->e_aenderung[0], 1);
    EXPECT_TRUE(Regler_Klick(s.get(), 0, ICON_REGLER_T12, 2000, &r));
    EXPECT_EQ(s->e_taktik[0][12], 0);
    EXPECT_EQ(s->taktik[0][12], 50) << "the local tactic changes only through the lock-step";
    EXPECT_EQ(s->e_aenderung[0], 1 | 2);
    EXPECT_TRUE(Regler_Klick(s.get(), 0, ICON_REGLER_MINUS + 4, 3000, &r));
    EXPECT_EQ(s->e_aenderung[0], 1 | 2 | 32);
}

TEST_F(Panels, PairsEnterTheFirstFreeEntryOnceAndDamagedBytesReadAsFree) {
    int8_t ein[7], aus[7];
    for (int32_t i = 0; i < 7; ++i) ein[i] = aus[i] = -1;
    ein[0] = 40;   // a damaged byte from a save: a free place
    EXPECT_EQ(Einwechseln_Paar_Eintragen(ein, aus, 12, 3), 0);
    EXPECT_EQ(Einwechseln_Paar_Eintragen(ein, aus, 12, 4), -1) << "he comes on already";
    EXPECT_EQ(Einwechseln_Paar_Eintragen(ein, aus, 3, 5), -1) << "he goes off in an earlier pair";
    EXPECT_EQ(Einwechseln_Paar_Eintragen(ein, aus, 13, -1), 1);
    EXPECT_EQ(Einwechseln_Paar_Eintragen(ein, aus, 34, 1), -1);
    for (int32_t i = 2; i < 7; ++i) EXPECT_EQ(Einwechseln_Paar_Eintragen(ein, aus, 14 + i, 1), i);
    EXPECT_EQ(Einwechseln_Paar_Eintragen(ein, aus, 30, 1), -1) << "all seven used";
    // The list shows a slot named by a damaged byte as a player of his own.
    s->wechsel_ein[0][0] = 77;
    Einwechseln_Fuellen(*s, &st, 150, 120);
    for (int32_t r = 0; r < SPL_FELD; ++r) EXPECT_GE(st.zeile[r], 0);
}

TEST_F(Panels, TacticsSlidersClampAndTwoClicksWithin50MsChangeOnce) {
    ReglerStand r;
    const int32_t PLUS2 = ICON_REGLER_MINUS + 5, MINUS2 = ICON_REGLER_MINUS + 4;
    s->taktik[0][5] = 100;
    s->taktik[0][9] = 0;
    EXPECT_TRUE(Regler_Klick(s.get(), 0, PLUS2, 1000, &r));
    EXPECT_EQ(s->taktik[0][5], 100);
    EXPECT_EQ(s->taktik[0][9], 0);
    EXPECT_EQ(s->taktik[0][4], 75);
    uint32_t uhr = 1000;
    for (int32_t i = 0; i < 19; ++i) EXPECT_TRUE(Regler_Klick(s.get(), 0, MINUS2, uhr += 60, &r));
    EXPECT_EQ(s->taktik[0][5], 5);
    EXPECT_EQ(s->taktik[0][9], 0);
    EXPECT_TRUE(Regler_Klick(s.get(), 0, MINUS2, uhr += 60, &r));
    EXPECT_EQ(s->taktik[0][5], 0);
    EXPECT_EQ(s->taktik[0][9], 1);
    EXPECT_EQ(s->taktik[0][4], 25);
    EXPECT_TRUE(Regler_Klick(s.get(), 0, PLUS2, uhr += 60, &r));
    EXPECT_EQ(s->taktik[0][9], 0);
    // Within 50 ms a second click is ignored.
    EXPECT_FALSE(Regler_Klick(s.get(), 0, PLUS2, uhr + 49, &r));
    EXPECT_EQ(s->taktik[0][5], 5);
    EXPECT_TRUE(Regler_Klick(s.get(), 0, PLUS2, uhr + 50, &r));
    EXPECT_EQ(s->taktik[0][5], 10);
    // Slider 1 sets T1 from T0; the switches; the shown values in steps of five.
    struct Fall {
        int32_t icon, feld, wert;
    } faelle[] = {{ICON_REGLER_MINUS + 3, 0, 55}, {ICON_REGLER_MINUS + 3, 1, 52}, {ICON_REGLER_T6, 6, 0},
                  {ICON_REGLER_T3, 3, 100}, {ICON_REGLER_T12, 12, 0}, {ICON_REGLER_MINUS + 6, 2, 45}};
    for (const Fall& f : faelle) {
        s->taktik[0][0] = 50, s->taktik[0][1] = 50, s->taktik[0][6] = 1, s->taktik[0][3] = 0, s->taktik[0][12] = 1;
        s->taktik[0][2] = 50;
        EXPECT_TRUE(Regler_Klick(s.get(), 0, f.icon, uhr += 100, &r));
        EXPECT_EQ(s->taktik[0][f.feld], f.wert) << f.icon;
    }
    EXPECT_EQ(Regler_Schalter(*s, 0, ICON_REGLER_T12), 0);
    s->taktik[0][12] = 0;
    EXPECT_EQ(Regler_Schalter(*s, 0, ICON_REGLER_T12), 1) << "2624 shows on while T12 is 0";
    s->taktik[0][0] = 47;
    EXPECT_EQ(Regler_Wert(*s, 0, 1), 45);
    s->pressing[0] = 47;
    EXPECT_EQ(Regler_Wert(*s, 0, 0), 47);
    EXPECT_FALSE(Regler_Klick(s.get(), 2, ICON_REGLER_T6, uhr += 100, &r));
    EXPECT_FALSE(Regler_Klick(s.get(), 0, 2630, uhr += 100, &r));
}

int32_t Schalter_Live(int32_t w, int32_t schalter) { return schalter == 5 ? 1 : Wettbewerb_Get_Schalter(w, schalter); }

TEST(PanelsLive, APairEnteredInMinute30IsCarriedOutAtTheNextStoppage) {
    velmora_test::TestWelt dirs;
    ASSERT_TRUE(dirs.ok);
    ASSERT_TRUE(Spieltag_Welt_Bauen(dirs.install, true, 7));
    Spielfeld_Hooks().wettbewerb_schalter = Schalter_Live;
    ASSERT_TRUE(Spieltag_Start());
    Spielfeld_Satz* s = nullptr;
    for (int32_t f = 0; f < 200000 && !s; ++f) {
        ASSERT_TRUE(Spieltag_Frame());
        for (Spielfeld_Satz* t = Spielfeld_Naechster(nullptr); t; t = Spielfeld_Naechster(t))
            if (t->live == 1 && t->minute >= 30 && t->spielzustand == SZ_SPIEL && t->wechsel_gemacht[0] == 0 &&
                !t->wechsel_laeuft)
                s = t;
    }
    ASSERT_NE(s, nullptr);
    // Pairs the computer already queued for the home side wait for a stoppage
    // too; they are withdrawn so that the pair entered here is the only one.
    for (int32_t i = 0; i < SF_WECHSEL; ++i) s->wechsel_ein[0][i] = s->wechsel_aus[0][i] = -1;
    const uint32_t spiel = s->spiel;
    EinwechselnStand st;
    st.team = int32_t(s->team[0]);
    Einwechseln_Fuellen(*s, &st, 150, 120);
    int32_t raus = -1, rein = -1, zeile_raus = -1, zeile_rein = -1;
    for (int32_t r = 1; r < SPL_FELD; ++r)
        if (st.zeile[r] >= 0 && s->spieler[st.zeile[r]].zustand == SM_AUF_PLATZ && zeile_raus < 0) zeile_raus = r;
    for (int32_t r = SPL_FELD; r < SPL_ZEILEN; ++r)
        if (st.zeile[r] >= 0 && s->spieler[st.zeile[r]].zustand == SM_RESERVE && zeile_rein < 0) zeile_rein = r;
    ASSERT_GE(zeile_raus, 0);
    ASSERT_GE(zeile_rein, 0);
    raus = st.zeile[zeile_raus], rein = st.zeile[zeile_rein];
    Einwechseln_Zeile_Klick(s, &st, zeile_raus, 1000, Zufall);
    Einwechseln_Zeile_Klick(s, &st, zeile_rein, 1100, Zufall);
    auto kommt = [](const Spielfeld_Satz* t, int32_t slot) {
        for (int32_t i = 0; i < SF_WECHSEL; ++i)
            if (t->wechsel_ein[0][i] == slot) return true;
        return false;
    };
    ASSERT_TRUE(kommt(s, rein));
    // Play on until the next stoppage has carried the pair out.
    bool gewechselt = false;
    uint32_t vorher = s->spielzustand;
    for (int32_t f = 0; f < 200000 && !gewechselt; ++f) {
        ASSERT_TRUE(Spieltag_Frame());
        s = Spielfeld_Suchen(int32_t(spiel));
        ASSERT_NE(s, nullptr);
        gewechselt = (s->spieler[rein].zustand & SM_AUF_PLATZ) != 0;
        // Never in open play: only a stoppage carries a pair out (the restart
        // may be taken in the frame the substitute steps on).
        if (gewechselt) {
            EXPECT_TRUE(s->spielzustand != uint32_t(SZ_SPIEL) || vorher != uint32_t(SZ_SPIEL));
        }
        vorher = s->spielzustand;
    }
    ASSERT_TRUE(gewechselt);
    EXPECT_GE(s->wechsel_gemacht[0], 1);
    EXPECT_FALSE(kommt(s, rein));
    EXPECT_TRUE(s->figur[raus].situation == 38 || (s->spieler[raus].zustand & SM_AUSGEWECHSELT));
    Spieltag_Welt_Ende();
}

}  // namespace
}  // namespace velmora::test
