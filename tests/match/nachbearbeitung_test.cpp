// The players' match grades, the fine-donation news and the after-match pass over a live record.
#include <algorithm>
#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "club/manager.h"
#include "club/spieler.h"
#include "club/talente.h"
#include "match/day/nachbearbeitung.h"
#include "match/day/spieltag_hooks.h"
#include "match_welt.h"
#include "season/statistik.h"
#include "tests/core/temp_verz.h"
#include "tests/match/spieltag_welt.h"

namespace velmora::test {
namespace {

class NoteTest : public SpielTest {
protected:
    // The first slot whose player is of kind `art` (0 keeper .. 3 forward).
    int32_t Slot_Der_Art(int32_t art) {
        for (int32_t slot = 0; slot < SF_SPIELER; ++slot)
            if (s->spieler[slot].nummer >= 0 && Spieler_Get_Art(s->spieler[slot].nummer) == art) return slot;
        return -1;
    }
};

TEST_F(NoteTest, TheGradeFollowsTheCountersAndTheTimeFactor) {
    // counters c0..c7: passes lost, passes, shots, duels lost, duels, balls won, saves, shots faced
    struct Fall {
        const char* was;
        int32_t art;
        uint8_t c[8];
        float t;
        float punkte;   // 100 - the fault sum
        int32_t note;
    } faelle[] = {
        {"no statistics", 3, {0, 0, 0, 0, 0, 0, 0, 0}, 1, 0, -1},
        {"nothing but lost passes", 2, {5, 0, 0, 0, 0, 0, 0, 0}, 1, 0, -1},
        // Two shots: 30 x 5 / 100 + 30 x 20 / 100 + 25 x 45 / T / 100 + 40 x 30 / 100.
        {"forward, two shots", 3, {0, 0, 2, 0, 0, 0, 0, 0}, 1, 100 - (1.5f + 6 + 11.25f + 12), 35},
        {"forward, two shots, half time", 3, {0, 0, 2, 0, 0, 0, 0, 0}, 0.5f, 100 - (1.5f + 6 + 22.5f + 12), 40},
        // A defender: 2.5 + 4 + 0 + (40 - 40 / T) x 20 / 100. The score 93.5
        // reaches the best grade only while 93 + T stays below it.
        {"defender, T 1", 1, {0, 9, 3, 0, 9, 4, 0, 0}, 1, 93.5f, 15},
        {"defender, T 0.5", 1, {0, 9, 3, 0, 9, 4, 0, 0}, 0.5f, 93.5f, 10},
        {"defender, T 2", 1, {0, 9, 3, 0, 9, 4, 0, 0}, 2, 89.5f, 15},
        // A keeper with 2 saves of 4 shots: 3 + 3 + trunc(100 - 500 / 7) / 2 + 30 x 30 / 100.
        {"keeper", 0, {0, 0, 0, 0, 0, 0, 2, 4}, 1, 100 - (3 + 3 + 14 + 9), 30},
        {"keeper, only shots faced", 0, {0, 0, 0, 0, 0, 0, 0, 3}, 1, 100 - (3 + 3 + 25 + 15), 45},
        // Every pass and duel lost, no shot, no ball won: the worst grade.
        {"midfielder, all lost", 2, {10, 10, 0, 10, 10, 0, 0, 0}, 1, 100 - (35 + 15 + 8 + 18), 60},
    };
    for (const Fall& c : faelle) {
        SCOPED_TRACE(c.was);
        const int32_t slot = Slot_Der_Art(c.art);
        ASSERT_GE(slot, 0);
        std::copy(std::begin(c.c), std::end(c.c), s->statistik[slot]);
        s->zeit_faktor = c.t;
        s->bewertung[slot] = 0;
        float punkte = -99;
        EXPECT_EQ(Spielfeld_Get_Spielernote(s, slot, &punkte), c.note);
        EXPECT_NEAR(punkte, c.punkte, 0.01f);
        if (c.note > 0) {
            EXPECT_EQ(s->bewertung[slot], c.note) << "kept in the record";
        }
        std::fill(std::begin(s->statistik[slot]), std::end(s->statistik[slot]), uint8_t(0));
    }
}

TEST_F(NoteTest, BadArgumentsGiveNoGrade) {
    float punkte = 5;
    EXPECT_EQ(Spielfeld_Get_Spielernote(nullptr, 0, &punkte), -1);
    EXPECT_EQ(punkte, 0);
    EXPECT_EQ(Spielfeld_Get_Spielernote(s, 34, nullptr), -1);
    EXPECT_EQ(Spielfeld_Get_Spielernote(s, -1, nullptr), -1);
    EXPECT_TRUE(Log_Enthaelt("Spielfeld_Get_Spielernote: Falsche Parameter"));
}

std::vector<std::string>& Nachrichten() {
    static std::vector<std::string> n;
    return n;
}

TEST_F(NoteTest, OnlyALosingSideWithAFineRateSendsTheDonationNews) {
    Spieltag_Hooks().news = [](int32_t team, int32_t art, const char* text) {
        Nachrichten().push_back(std::to_string(team) + "/" + std::to_string(art) + ":" + text);
    };
    struct Fall {
        uint8_t tore[2];
        int8_t rate[2];
        bool news[2];
    } faelle[] = {
        {{0, 1}, {2, 2}, {true, false}},
        {{3, 1}, {2, 2}, {false, true}},
        {{1, 1}, {2, 2}, {false, false}},   // a draw sends nothing
        {{0, 1}, {0, 2}, {false, false}},   // no fine rate
        {{0, 1}, {-1, 0}, {true, false}},
    };
    for (const Fall& c : faelle) {
        s->tore[0] = c.tore[0];
        s->tore[1] = c.tore[1];
        s->strafe0 = c.rate[0];
        s->strafe1 = c.rate[1];
        for (int32_t seite = 0; seite < 2; ++seite) {
            Nachrichten().clear();
            EXPECT_EQ(Spielfeld_Strafe_Spende_News(s, seite, 11), c.news[seite]) << seite;
            ASSERT_EQ(Nachrichten().size(), c.news[seite] ? 1u : 0u);
            if (c.news[seite]) {
                EXPECT_EQ(Nachrichten()[0].rfind(std::to_string(s->team[seite]) + "/516:Die Strafe, von ", 0), 0u)
                    << Nachrichten()[0];
            }
        }
    }
    Spieltag_Hooks().news = nullptr;
}


// The after-match pass over a live record of a small world's league game:
// what each nominated player gets from who played and how he was rated.
class LivePassTest : public ::testing::Test {
protected:
    velmora_test::TestWelt dirs;
    int32_t liga = -1;
    Spiel_Lock h = 0;
    Spielfeld_Satz* satz = nullptr;

    void SetUp() override {
        ASSERT_TRUE(dirs.ok);
        ASSERT_TRUE(Spieltag_Welt_Bauen(dirs.install, true, 7));
        ASSERT_TRUE(Statistik_Init());
        Team_Spielstand_Setzen(1, 1);   // not the easiest level: appearances count from the first day
        ASSERT_TRUE(Spieltag_Start());
        std::vector<int32_t> spiele;
        for (int32_t id : Wettbewerb_Alle()) {
            if (Wettbewerb_Satz(id)->art != ART_LIGA || liga >= 0) continue;
            Spieltag_Spiele_Des_Wettbewerbs(id, spiele);
            if (!spiele.empty()) liga = id;
        }
        ASSERT_GE(liga, 0);
        h = spiele[0];
        ASSERT_EQ(Spielfeld_Anlegen(h, 0, 0, 0, -1, 1), 1);
        satz = Spielfeld_Suchen(h);
        ASSERT_NE(satz, nullptr);
        ASSERT_EQ(satz->live, 1);
        Spiele_Set_Ergebnis(h, 0, 1, SPIEL_ERGEBNIS_GESPIELT);
        // Everybody on the pitch played the whole match; the bench none.
        for (Spieler_Matchsatz& sm : satz->spieler) {
            if (sm.nummer < 0) continue;
            sm.zaehler = (sm.zustand & SM_AUF_PLATZ) ? 90 : 0;
            Spieler_Wert(SPW_EINSAETZE, sm.nummer, 3, OP_SCHREIBEN);
            Spieler_Wert(SPW_FORM, sm.nummer, 600, OP_SCHREIBEN);
        }
    }
    void TearDown() override {
        Spieltag_Hooks().nicht_eingesetzt = nullptr;
        Spieltag_Hooks().news = nullptr;
        Statistik_Free();
        Spieltag_Welt_Ende();
    }
    bool Nominiert(int32_t slot) const {
        return satz->spieler[slot].nummer >= 0 && satz->spieler[slot].rolle[ROLLE(143)] != 0;
    }
    // A nominated field player of side 0 whose appearances count plainly
    // (no talent that skips or resets them), on the pitch or on the bench.
    int32_t Schlichter_Slot(bool auf_platz, std::set<int32_t>& vergeben, int32_t art) const {
        for (int32_t slot = 0; slot < SF_SPIELER_SEITE; ++slot) {
            const Spieler_Matchsatz& sm = satz->spieler[slot];
            if (!Nominiert(slot) || vergeben.count(slot) || bool(sm.zustand & SM_AUF_PLATZ) != auf_platz) continue;
            const int32_t k = Spieler_Get_Art(sm.nummer);
            if (satz->figur[slot].torwart || k == 0 || (art >= 0 && k != art)) continue;
            if (Attribute_Attribut_Aktief(sm.nummer, 30) || Attribute_Attribut_Aktief(sm.nummer, 11)) continue;
            vergeben.insert(slot);
            return slot;
        }
        return -1;
    }
    // Counters that rate every starter between 15 and 40; keepers face shots.
    void Alle_Bewerten() {
        for (int32_t slot = 0; slot < SF_SPIELER; ++slot) {
            if (!Nominiert(slot) || !(satz->spieler[slot].zustand & SM_AUF_PLATZ)) continue;
            uint8_t* c = satz->statistik[slot];
            c[0] = 1, c[1] = uint8_t(6 + slot % 5), c[3] = 1, c[4] = uint8_t(3 + slot % 3), c[5] = uint8_t(slot % 4);
            if (satz->figur[slot].torwart) c[6] = uint8_t(1 + slot % 3), c[7] = 4;
        }
    }
};

std::vector<std::pair<int32_t, int32_t>>& Nicht_Eingesetzt() {
    static std::vector<std::pair<int32_t, int32_t>> n;
    return n;
}

TEST_F(LivePassTest, WhoPlayedAndHisGradeDecideAppearancesFormAndHisStatisticsGame) {
    ASSERT_NE(Manager_Neuer_Mitspieler(int32_t(satz->team[0]), "M", 1), nullptr);
    ASSERT_FALSE(Team_Hat_Manager(int32_t(satz->team[1])));
    Nicht_Eingesetzt().clear();
    Spieltag_Hooks().nicht_eingesetzt = [](int32_t team, int32_t p) { Nicht_Eingesetzt().push_back({team, p}); };
    struct Fall {
        const char* was;
        bool auf_platz;
        int32_t art;   // -1 any field player
        uint8_t zaehler;
        uint8_t schuesse;
        int32_t spiele, minuten, einsaetze;   // after the pass
        bool gefragt;                         // the team's events asked about him
    } faelle[] = {
        // No statistics: no grade, the pass uses 40 (form 50 towards 500, nothing more).
        {"starter without statistics", true, -1, 90, 0, 1, 90, 4, false},
        // Two shots: grade 35, again no random step.
        {"forward with two shots", true, 3, 90, 2, 1, 90, 4, false},
        {"substitute on for 30 minutes", false, -1, 30, 0, 1, 30, 4, false},
        {"nominated, did not play", false, -1, 0, 0, 0, 0, 0, true},
    };
    satz->zeit_faktor = 1;
    std::set<int32_t> vergeben;
    std::vector<int32_t> slots;
    for (const Fall& c : faelle) {
        const int32_t slot = Schlichter_Slot(c.auf_platz, vergeben, c.art);
        ASSERT_GE(slot, 0) << c.was;
        slots.push_back(slot);
        satz->spieler[slot].zaehler = c.zaehler;
        satz->statistik[slot][2] = c.schuesse;
    }
    std::vector<std::pair<int32_t, int32_t>> vorher;
    for (int32_t slot : slots) {
        const int32_t p = satz->spieler[slot].nummer;
        vorher.push_back({Spieler_Get_Spieler_Statistik(STATISTIK_SPIELE, p, 0),
                          Spieler_Get_Spieler_Statistik(STATISTIK_MINUTEN, p, 0)});
    }
    Spielfeld_Nachbearbeitung(liga);
    for (size_t i = 0; i < std::size(faelle); ++i) {
        const Fall& c = faelle[i];
        SCOPED_TRACE(c.was);
        const int32_t p = satz->spieler[slots[i]].nummer;
        EXPECT_EQ(Spieler_Get_Spieler_Statistik(STATISTIK_SPIELE, p, 0) - vorher[i].first, c.spiele);
        EXPECT_EQ(Spieler_Get_Spieler_Statistik(STATISTIK_MINUTEN, p, 0) - vorher[i].second, c.minuten);
        EXPECT_EQ(Spieler_Wert(SPW_EINSAETZE, p, 0, OP_LESEN), c.einsaetze);
        EXPECT_EQ(Spieler_Form(p), 550);
        const bool gefragt = std::count(Nicht_Eingesetzt().begin(), Nicht_Eingesetzt().end(),
                                        std::make_pair(int32_t(satz->team[0]), p)) == 1;
        EXPECT_EQ(gefragt, c.gefragt);
    }
    EXPECT_EQ(satz->bewertung[slots[1]], 35) << "the grade is kept in the record";
    // Only the managed side's players who did not play are asked about.
    for (const auto& [team, p] : Nicht_Eingesetzt()) EXPECT_EQ(team, int32_t(satz->team[0]));
}

TEST_F(LivePassTest, TheTeamOfTheRoundIsEnteredOnceAndTheNextRoundsHoldsOnlyPlayersRatedAgain) {
    Alle_Bewerten();
    Spielfeld_Nachbearbeitung(liga);
    int32_t erste[ELF_DER_RUNDE], zweite[ELF_DER_RUNDE];
    float punkte[ELF_DER_RUNDE];
    ASSERT_TRUE(Spielfeld_Elf_Der_Runde(liga, erste, punkte));
    std::set<int32_t> runde1;
    for (int32_t i = 0; i < ELF_DER_RUNDE; ++i) {
        if (erste[i] < 0) continue;
        runde1.insert(erste[i]);
        EXPECT_EQ(Spiele_Get_Wettbewerb_Ereignis(liga, WETTBEWERB_EREIGNIS_ELF, -1, erste[i], -1, -1), 1) << i;
    }
    ASSERT_GE(runde1.size(), 8u);
    // The next round: this round's team loses its ratings but for the keeper.
    const int32_t wieder = erste[0];
    ASSERT_GE(wieder, 0);
    for (int32_t slot = 0; slot < SF_SPIELER; ++slot)
        if (runde1.count(satz->spieler[slot].nummer) && satz->spieler[slot].nummer != wieder)
            std::fill(std::begin(satz->statistik[slot]), std::end(satz->statistik[slot]), uint8_t(0));
    Spielfeld_Nachbearbeitung(liga);
    ASSERT_TRUE(Spielfeld_Elf_Der_Runde(liga, zweite, punkte));
    EXPECT_EQ(zweite[0], wieder) << "the only keeper rated";
    for (int32_t i = 0; i < ELF_DER_RUNDE; ++i) {
        if (zweite[i] < 0 || zweite[i] == wieder) continue;
        EXPECT_FALSE(runde1.count(zweite[i])) << "position " << i << ": player " << zweite[i] << " was not rated again";
        EXPECT_EQ(Spiele_Get_Wettbewerb_Ereignis(liga, WETTBEWERB_EREIGNIS_ELF, -1, zweite[i], -1, -1), 1);
    }
    EXPECT_EQ(Spiele_Get_Wettbewerb_Ereignis(liga, WETTBEWERB_EREIGNIS_ELF, -1, wieder, -1, -1), 2);
    EXPECT_FALSE(Spiele_Wettbewerb_Ereignis_Add(liga, wieder, 6, -1)) << "no other kind is entered";
}

std::vector<std::string>& Jubel_News() {
    static std::vector<std::string> n;
    return n;
}

TEST_F(LivePassTest, ACelebrationMarkMayTeachATalentAndIsUsedUp) {
    Jubel_News().clear();
    Spieltag_Hooks().news = [](int32_t, int32_t, const char* text) { Jubel_News().push_back(text); };
    // A field player open to a field talent; another field player; the keeper.
    int32_t lernt = -1, talent = -1, bereit = -1, torwart = -1;
    for (int32_t slot = 0; slot < SF_SPIELER_SEITE; ++slot) {
        const int32_t p = satz->spieler[slot].nummer;
        if (p < 0) continue;
        if (Spieler_Get_Art(p) == 0) {
            if (torwart < 0) torwart = slot;
            continue;
        }
        for (int32_t t = 0; t <= ATTRIBUT_FELD_ENDE && lernt < 0; ++t)
            if (Attribut_Daten(t) && Attribut_Name(p, t) == 1) lernt = slot, talent = t;
        if (lernt != slot && bereit < 0) bereit = slot;
    }
    ASSERT_GE(lernt, 0);
    ASSERT_GE(bereit, 0);
    ASSERT_GE(torwart, 0);
    const int32_t p = satz->spieler[lernt].nummer;
    ASSERT_FALSE(Attribute_Hat_Attribut(p, talent));
    struct Fall {
        int32_t slot;
        uint8_t marke, danach;
        bool news;
    } faelle[] = {
        {lernt, uint8_t(talent + 1), 0, true},
        {bereit, 0x40, 0x40, false},                   // a goal celebrated, nothing drawn yet
        {torwart, uint8_t(talent + 1), 0, false},      // not open to talents from celebrations
    };
    for (const Fall& c : faelle) satz->spieler[c.slot].jubel = c.marke;
    Spielfeld_Nachbearbeitung(liga);
    for (const Fall& c : faelle) EXPECT_EQ(satz->spieler[c.slot].jubel, c.danach) << c.slot;
    EXPECT_TRUE(Attribute_Hat_Attribut(p, talent));
    EXPECT_FALSE(Attribute_Hat_Attribut(satz->spieler[torwart].nummer, talent));
    ASSERT_EQ(Jubel_News().size(), 1u);
    EXPECT_NE(Jubel_News()[0].find(Spieler_String(SPS_NAME, p, 0, 0)), std::string::npos) << Jubel_News()[0];
    EXPECT_NE(Jubel_News()[0].find(Attribut_Daten(talent)->name), std::string::npos) << Jubel_News()[0];
}

}  // namespace
}  // namespace velmora::test
