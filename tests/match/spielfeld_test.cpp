// The match record module: guards, the list of records, the checksum and the save block.
#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <utility>
#include <vector>

#include "club/manager.h"
#include "core/bytes.h"
#include "core/rnd.h"
#include "core/spielstand.h"
#include "core/spielstand_testing.h"
#include "match/record/spielfeld.h"
#include "match_welt.h"
#include "tests/match/leicht_vergleich.h"

namespace velmora::test {
namespace {

TEST(SpielfeldModul, RefusesEveryOperationWhileNotRunning) {
    LogFaenger f;
    Spielfeld_Freigeben();
    EXPECT_FALSE(Spielfeld_Ist_Initialisiert());
    EXPECT_TRUE(Log_Enthaelt("Spielfeld wurde nicht initialisiert!"));
    EXPECT_EQ(Spielfeld_Suchen(1), nullptr);
    EXPECT_EQ(Spielfeld_Anlegen(1, 0, 0, 0, -1, -1), 0);
    std::vector<uint8_t> block;
    Spielfeld_Save(block);
    EXPECT_EQ(block, std::vector<uint8_t>{0});
}

TEST(SpielfeldKonstanten, FollowFromPitchSize) {
    Spielfeld_Init();
    const Spielfeld_Konstanten& k = Spielfeld_Get_Konstanten();
    const int32_t erwartet[26] = {10800, 6806, 2953, 2953, 3853, 3853, 300,  300,  1100,  9700, 3403, 3403, 1388,
                                  1388,  5418, 5418, 1632, 9168, 2487, 2487, 4319, 4319, 550, 10250, 2488, 4318};
    EXPECT_EQ(std::memcmp(&k, erwartet, sizeof erwartet), 0);
    Spielfeld_Freigeben();
}

TEST(SpielfeldChecksumme, SumsHundredthsOfPlayersAndBall) {
    Spielfeld_Satz* satz = new Spielfeld_Satz{};
    EXPECT_EQ(Spielfeld_Checksumme(nullptr), 0u);
    for (Figur& f : satz->figur) {
        f.pos[0] = 5400.0f;
        f.pos[1] = 3403.0f;
    }
    EXPECT_EQ(Spielfeld_Checksumme(satz), 0u) << "whole centimetres give 0";
    struct Fall {
        int32_t figur;
        float x, y;
        uint32_t summe;
    } faelle[] = {
        {0, 10.25f, 3.5f, 25 + 50},        // 1025 % 100 + 350 % 100
        {33, 1.07f, 0.0f, 7},
        {37, 99.75f, 0.5f, 75 + 50},       // the ball counts
        {34, 12.34f, 0.5f, 0},             // the referee does not
        {52, 12.34f, 0.5f, 0},
        {5, -1.25f, 0.0f, uint32_t(-25)},  // the remainder keeps the dividend's sign
    };
    for (const Fall& c : faelle) {
        Spielfeld_Satz* s = new Spielfeld_Satz{};
        s->figur[c.figur].pos[0] = c.x;
        s->figur[c.figur].pos[1] = c.y;
        EXPECT_EQ(Spielfeld_Checksumme(s), c.summe) << "figure " << c.figur;
        delete s;
    }
    satz->figur[3].pos[0] = std::numeric_limits<float>::quiet_NaN();
    satz->figur[4].pos[0] = 1e30f;
    EXPECT_EQ(Spielfeld_Checksumme(satz), 0u) << "a damaged position counts nothing";
    delete satz;
}

TEST_F(MatchTest, RecordsAreKeyedByGameAndRemovedByCompetition) {
    Spiel_Anlegen(10, 2, 3, 50);
    Spiel_Anlegen(11, 4, 5, 51);
    Spiel_Anlegen(12, 6, 7, 50);
    for (int32_t s : {10, 11, 12}) EXPECT_EQ(Spielfeld_Anlegen(s, 0, 0, 0, -1, -1), 1);
    EXPECT_EQ(Spielfeld_Anlegen(10, 0, 0, 0, -1, -1), 0) << "one record per game";
    EXPECT_EQ(Spielfeld_Anlegen(99, 0, 0, 0, -1, -1), 0) << "unknown game";
    EXPECT_EQ(Spielfeld_Anzahl(), 3);
    ASSERT_NE(Spielfeld_Suchen(11), nullptr);
    EXPECT_EQ(Spielfeld_Suchen(11)->spiel, 11u);
    EXPECT_EQ(Spielfeld_Suchen(11)->team[0], 4u);
    Spielfeld_Entfernen(50);
    EXPECT_EQ(Spielfeld_Anzahl(), 1);
    EXPECT_EQ(Spielfeld_Suchen(10), nullptr);
    EXPECT_NE(Spielfeld_Suchen(11), nullptr);
    // The index follows removals without being built again: a removed game
    // may come back, the walk and the count see what the list holds.
    Spiel_Anlegen(13, 8, 9, 52);
    const struct {
        int32_t anlegen, entfernen;                 // a game to add (0 none), then a competition to remove
        std::vector<uint32_t> bleiben;              // the records after it, in list order
    } schritte[] = {{10, -1, {10, 11}}, {13, 51, {10, 13}}, {12, 52, {10, 12}}, {11, 50, {11}}, {0, 51, {}}};
    for (const auto& st : schritte) {
        if (st.anlegen) {
            EXPECT_EQ(Spielfeld_Anlegen(st.anlegen, 0, 0, 0, -1, -1), 1);
        }
        if (st.entfernen >= 0) Spielfeld_Entfernen(st.entfernen);
        std::vector<uint32_t> gesehen;
        for (Spielfeld_Satz* r = Spielfeld_Naechster(nullptr); r; r = Spielfeld_Naechster(r)) gesehen.push_back(r->spiel);
        std::sort(gesehen.begin(), gesehen.end());
        EXPECT_EQ(gesehen, st.bleiben) << "after adding " << st.anlegen;
        EXPECT_EQ(Spielfeld_Anzahl(), int32_t(st.bleiben.size()));
        for (int32_t spiel : {10, 11, 12, 13}) {
            const bool da = std::find(st.bleiben.begin(), st.bleiben.end(), uint32_t(spiel)) != st.bleiben.end();
            const Spielfeld_Satz* r = Spielfeld_Suchen(spiel);
            EXPECT_EQ(r != nullptr, da) << "game " << spiel << " after adding " << st.anlegen;
            if (r) {
                EXPECT_EQ(r->spiel, uint32_t(spiel));
            }
        }
    }
    // Games 1024 apart share a place of the look-up's memory; a record that
    // leaves changes the departure count, one that comes does not.
    Spiel_Anlegen(1034, 2, 3, 53);
    Spiel_Anlegen(2058, 4, 5, 53);
    const uint32_t stand = Spielfeld_Abgang_Stand();
    for (int32_t spiel : {10, 1034, 2058}) EXPECT_EQ(Spielfeld_Anlegen(spiel, 0, 0, 0, -1, -1), 1);
    EXPECT_EQ(Spielfeld_Abgang_Stand(), stand);
    for (int32_t runde = 0; runde < 2; ++runde)
        for (int32_t spiel : {10, 1034, 2058, 10}) {
            ASSERT_NE(Spielfeld_Suchen(spiel), nullptr) << spiel;
            EXPECT_EQ(Spielfeld_Suchen(spiel)->spiel, uint32_t(spiel));
        }
    // Records that leave while a walk stood on one of them: a new walk sees the rest.
    Spielfeld_Satz* erster = Spielfeld_Naechster(nullptr);
    ASSERT_NE(erster, nullptr);
    EXPECT_NE(Spielfeld_Naechster(erster), nullptr);
    Spielfeld_Entfernen(53);
    EXPECT_NE(Spielfeld_Abgang_Stand(), stand);
    std::vector<uint32_t> rest;
    for (Spielfeld_Satz* r = Spielfeld_Naechster(nullptr); r; r = Spielfeld_Naechster(r)) rest.push_back(r->spiel);
    EXPECT_EQ(rest, std::vector<uint32_t>{10});
    Spielfeld_Entfernen(50);
    for (int32_t spiel : {10, 1034, 2058}) EXPECT_EQ(Spielfeld_Suchen(spiel), nullptr) << spiel;
    EXPECT_EQ(Spielfeld_Naechster(nullptr), nullptr);
}

TEST_F(MatchTest, RefusesTheTwoHundredAndFirstRecordButKeepsSixForHumanClubs) {
    // Computer clubs 4..7; club 2 has a manager (home in games above 300).
    Manager_Neuer_Mitspieler(2, "M", 1);
    for (int32_t s = 0; s <= SPIELFELD_MAX; ++s) Spiel_Anlegen(s, 4 + s % 2 * 2, 5 + s % 2 * 2);
    for (int32_t s = 0; s <= SPIELFELD_MENSCH_EXTRA; ++s) Spiel_Anlegen(300 + s, 2, 3);
    for (int32_t s = 0; s < SPIELFELD_MAX; ++s) ASSERT_EQ(Spielfeld_Anlegen(s, 0, 0, 0, -1, -1), 1);
    EXPECT_EQ(Spielfeld_Anlegen(SPIELFELD_MAX, 0, 0, 0, -1, -1), 0) << "a computer match is diced";
    for (int32_t s = 0; s < SPIELFELD_MENSCH_EXTRA; ++s)
        EXPECT_EQ(Spielfeld_Anlegen(300 + s, 0, 0, 0, -1, -1), 1) << "a human club's match " << s;
    EXPECT_EQ(Spielfeld_Anlegen(300 + SPIELFELD_MENSCH_EXTRA, 0, 0, 0, -1, -1), 0);
    EXPECT_EQ(Spielfeld_Anzahl(), SPIELFELD_MAX + SPIELFELD_MENSCH_EXTRA);

    // A save holding all of them loads back whole; one more record is refused.
    std::vector<uint8_t> block, zweiter;
    Spielfeld_Save(block);
    ASSERT_TRUE(Spielfeld_Load(block.data(), block.size()));
    EXPECT_EQ(Spielfeld_Anzahl(), SPIELFELD_MAX + SPIELFELD_MENSCH_EXTRA);
    Spielfeld_Save(zweiter);
    EXPECT_EQ(zweiter, block);
    std::vector<uint8_t> zu_viele = block;
    Bytes_Put32(zu_viele.data() + 1, uint32_t(SPIELFELD_MAX + SPIELFELD_MENSCH_EXTRA + 1));
    EXPECT_FALSE(Spielfeld_Load(zu_viele.data(), zu_viele.size()));
}

TEST_F(MatchTest, SideChangeExchangesTheGoalsNotTheTeams) {
    Spiel_Anlegen(1, 2, 3);
    ASSERT_EQ(Spielfeld_Anlegen(1, 0, 0, 0, -1, -1), 1);
    Spielfeld_Satz* s = Spielfeld_Suchen(1);
    for (int8_t gewechselt : {0, 1}) {
        s->seiten_gewechselt = gewechselt;
        Spielfeld_Tore_Setzen(s);
        EXPECT_EQ(s->tor_x[0], gewechselt ? 0u : 10800u);
        EXPECT_EQ(s->tor_x[1], gewechselt ? 10800u : 0u);
        EXPECT_EQ(s->tor_y[0], 3403u);
        EXPECT_EQ(s->team[0], 2u);
        EXPECT_EQ(s->team[1], 3u);
    }
}

// A record for the dice only is set up as a full one, draws included, but
// for the players' match values and the figures' places and orders, which
// only the live engine and the views read; its new period too.
TEST_F(MatchTest, ADiceOnlyRecordIsTheFullOneButForItsMatchValuesAndFigures) {
    struct Fall {
        int32_t heim, gast, rnd;
        bool talent42;   // slumps drawn in the valuation
    };
    const Fall faelle[] = {{2, 3, 11, false}, {4, 5, 12, true}, {6, 7, 977, true}, {5, 4, 3000, false}};
    auto ohne_werte = [](const Spielfeld_Satz& s) { return Ohne_Werte_Und_Figuren(s); };
    auto hat_figuren = [](const Spielfeld_Satz& s) {
        for (const Figur& f : s.figur)
            if (f.gezeichnet) return true;
        return false;
    };
    auto hat_werte = [](const Spielfeld_Satz& s) {
        for (const Spieler_Matchsatz& sm : s.spieler)
            for (int16_t w : sm.werte)
                if (w != 0) return true;
        return false;
    };
    for (const Fall& f : faelle) {
        Fake().talente.clear();
        if (f.talent42)
            for (int32_t p = 0; p < CLUBS * JE_CLUB; p += 3) {
                Fake().talente.insert({p, 42});
                // Fitness and turning, which only the valuation sets.
                for (int32_t t : {11, 30}) Fake().talente.insert({p + 1, t});
                Fake().talente.insert({p + 2, 38});
            }
        Spiel_Anlegen(1, f.heim, f.gast);
        Spielfeld_Satz satz[2];
        int32_t rnd[2] = {};
        // Set up, and set up with the second period started (the record's
        // own random index, the line-ups placed again).
        for (int32_t periode : {1, 2}) {
            for (int32_t nur_wuerfel : {0, 1}) {
                Rnd_Set_Index(f.rnd, 0);
                ASSERT_EQ(Spielfeld_Anlegen(1, 0, 0, 0, -1, nur_wuerfel ? SPIELFELD_NUR_WUERFEL : -1), 1);
                EXPECT_EQ(Spielfeld_Ist_Leicht(Spielfeld_Suchen(1)), nur_wuerfel == 1);
                Rnd(0, 99);   // the day's other draws in between
                if (periode == 2) Spielfeld_Periode_Starten(1);
                satz[nur_wuerfel] = *Spielfeld_Suchen(1);
                rnd[nur_wuerfel] = Rnd_Get_Index();
                Spielfeld_Entfernen(50);
            }
            SCOPED_TRACE("teams " + std::to_string(f.heim) + "-" + std::to_string(f.gast) + ", period " +
                         std::to_string(periode));
            EXPECT_EQ(rnd[0], rnd[1]) << "the same draws";
            EXPECT_EQ(satz[1].live, 0);
            EXPECT_EQ(satz[1].abschnitt, periode);
            const Spielfeld_Satz a = ohne_werte(satz[0]), b = ohne_werte(satz[1]);
            EXPECT_EQ(std::memcmp(&a, &b, sizeof a), 0);
            EXPECT_TRUE(hat_werte(satz[0]) && hat_figuren(satz[0])) << "the full record has its values and figures";
            EXPECT_FALSE(hat_werte(satz[1]) || hat_figuren(satz[1]));
        }
    }
    // A watched record keeps its values and figures whatever it is asked for.
    Spiel_Anlegen(1, 2, 3);
    ASSERT_EQ(Spielfeld_Anlegen(1, 1, 1, 0, -1, SPIELFELD_NUR_WUERFEL), 1);
    EXPECT_TRUE(hat_werte(*Spielfeld_Suchen(1)) && hat_figuren(*Spielfeld_Suchen(1)));
    EXPECT_FALSE(Spielfeld_Ist_Leicht(Spielfeld_Suchen(1)));
    EXPECT_EQ(Spielfeld_Suchen(1)->live, 0);
    Spielfeld_Entfernen(50);

    // A light record passes the loader's check; loaded back, it is an
    // ordinary record again, whose new period draws as the light one would.
    Rnd_Set_Index(11, 0);
    ASSERT_EQ(Spielfeld_Anlegen(1, 0, 0, 0, -1, SPIELFELD_NUR_WUERFEL), 1);
    std::vector<uint8_t> block;
    Spielfeld_Save(block);
    Spielfeld_Periode_Starten(1);
    const int32_t rnd_leicht = Rnd_Get_Index();
    ASSERT_TRUE(Spielfeld_Load(block.data(), block.size()));
    EXPECT_FALSE(Spielfeld_Ist_Leicht(Spielfeld_Suchen(1)));
    Spielfeld_Periode_Starten(1);
    EXPECT_EQ(Rnd_Get_Index(), rnd_leicht);
}

// A new period turns every heat map by 180 degrees: cell i of 100 (two bits
// each, four to a byte) becomes cell 99 - i; an empty map stays empty.
TEST_F(MatchTest, NewPeriodTurnsEveryHeatMapCellByCell) {
    Spiel_Anlegen(1, 2, 3);
    ASSERT_EQ(Spielfeld_Anlegen(1, 0, 0, 0, -1, -1), 1);
    Spielfeld_Satz* s = Spielfeld_Suchen(1);
    auto zelle = [](const uint8_t* h, int32_t i) { return (h[i / 4] >> (2 * (i % 4))) & 3; };
    const std::vector<std::vector<std::pair<int32_t, int32_t>>> karten = {
        {},                                         // empty
        {{0, 1}},                                   // first cell
        {{99, 3}},                                  // last cell
        {{1, 2}, {6, 3}, {50, 1}, {63, 2}, {97, 3}},   // cells across byte and word borders
    };
    for (size_t k = 0; k < karten.size(); ++k) {
        s->abschnitt = 1;   // not the first period, which starts the maps empty
        for (int32_t slot = 0; slot < SF_SPIELER; ++slot) {
            std::memset(s->spieler[slot].heatmap, 0, sizeof s->spieler[slot].heatmap);
            for (auto [i, v] : karten[k]) {
                const int32_t j = (i + slot) % 100;   // each slot its own map
                s->spieler[slot].heatmap[j / 4] = uint8_t(s->spieler[slot].heatmap[j / 4] | v << (2 * (j % 4)));
            }
        }
        std::vector<std::array<uint8_t, 25>> vorher(SF_SPIELER);
        for (int32_t slot = 0; slot < SF_SPIELER; ++slot)
            std::memcpy(vorher[size_t(slot)].data(), s->spieler[slot].heatmap, 25);
        Spielfeld_Periode_Starten_Satz(s);
        for (int32_t slot = 0; slot < SF_SPIELER; ++slot)
            for (int32_t i = 0; i < 100; ++i) {
                EXPECT_EQ(zelle(s->spieler[slot].heatmap, 99 - i), zelle(vorher[size_t(slot)].data(), i))
                    << "map " << k << " slot " << slot << " cell " << i;
            }
    }
}

// Saves, loads into a fresh module and saves again.
std::vector<uint8_t> Rundreise(const std::vector<uint8_t>& block) {
    Spielfeld_Freigeben();
    Rnd_Set_Index(17, 0);
    EXPECT_TRUE(Spielfeld_Load(block.data(), block.size()));
    std::vector<uint8_t> zweiter;
    Spielfeld_Save(zweiter);
    return zweiter;
}

TEST_F(MatchTest, SaveBlockRoundTripsByteForByte) {
    for (int32_t s = 0; s < 5; ++s) {
        Spiel_Anlegen(s, 2 + s, 3 + s);
        ASSERT_EQ(Spielfeld_Anlegen(s, s % 3, 0, 0, -1, -1), 1);
    }
    // Working-state regions travel too.
    Spielfeld_Satz* s = Spielfeld_Suchen(3);
    s->halter_wort = 0x12345678;
    s->w42316[5] = -7;
    s->sync[9][627] = 0xAB;
    s->figur[37].pos[0] = 123.456f;
    Spielfeld_Ansicht().fast = 1;
    std::vector<uint8_t> block;
    Spielfeld_Save(block);
    int32_t index = Rnd_Get_Index();
    ASSERT_EQ(block.size(), 1 + 4 + 5 * (8 + sizeof(Spielfeld_Satz)) + 44 + 104 + 12 + 8 + 1 + 4);
    EXPECT_EQ(Rundreise(block), block);
    EXPECT_EQ(Rnd_Get_Index(), index) << "the random index comes back";
    EXPECT_EQ(Spielfeld_Anzahl(), 5);
    EXPECT_EQ(Spielfeld_Suchen(3)->halter_wort, 0x12345678);
    EXPECT_TRUE(Spielfeld_Client_Holen_Offen());
}

TEST_F(MatchTest, SaveBlockRoundTripsThroughTheSaveFile) {
    Spiel_Anlegen(7, 2, 3);
    ASSERT_EQ(Spielfeld_Anlegen(7, 1, 0, 0, -1, -1), 1);
    std::vector<uint8_t> vorher;
    Spielfeld_Save(vorher);
    // The module's declared block, through the save driver.
    Spielstand_Module_Zuruecksetzen();
    ASSERT_TRUE(Spielfeld_Spielstand_Anmelden());
    std::vector<uint8_t> bild;
    ASSERT_TRUE(Spielstand_Speichern_In_Bild(&bild));
    Spielfeld_Freigeben();
    ASSERT_TRUE(Spielstand_Laden_Aus_Bild(bild));
    Spielstand_Module_Zuruecksetzen();
    std::vector<uint8_t> nachher;
    Spielfeld_Save(nachher);
    EXPECT_EQ(nachher, vorher);
}

TEST_F(MatchTest, LoadingABlockWithoutModuleFreesTheRunningOne) {
    Spiel_Anlegen(1, 2, 3);
    ASSERT_EQ(Spielfeld_Anlegen(1, 0, 0, 0, -1, -1), 1);
    const uint8_t leer[1] = {0};
    EXPECT_TRUE(Spielfeld_Load(leer, 1));
    EXPECT_FALSE(Spielfeld_Ist_Initialisiert());
}

TEST_F(MatchTest, DamagedBlocksAreRefusedAndChangeNothing) {
    Spiel_Anlegen(1, 2, 3);
    Spiel_Anlegen(2, 4, 5);
    ASSERT_EQ(Spielfeld_Anlegen(1, 0, 0, 0, -1, -1), 1);
    ASSERT_EQ(Spielfeld_Anlegen(2, 0, 0, 0, -1, -1), 1);
    std::vector<uint8_t> gut;
    Spielfeld_Save(gut);
    auto kaputt = [&](auto aendern) {
        std::vector<uint8_t> b = gut;
        aendern(b);
        return b;
    };
    const size_t zweiter_schluessel = 5 + 8 + sizeof(Spielfeld_Satz);
    std::vector<std::vector<uint8_t>> faelle = {
        kaputt([](auto& b) { b.resize(b.size() - 1); }),
        kaputt([](auto& b) { b.push_back(0); }),
        kaputt([](auto& b) { b[0] = 2; }),
        kaputt([](auto& b) { b[1] = 201; }),                                             // count
        kaputt([](auto& b) { b[9] ^= 1; }),                                               // record size
        kaputt([&](auto& b) { std::memcpy(&b[zweiter_schluessel], &b[5], 4); }),          // duplicate game
        kaputt([](auto& b) { b[b.size() - 2] = 0x20; }),                                  // random index 0x200000+
        std::vector<uint8_t>(1, 1),
    };
    for (size_t i = 0; i < faelle.size(); ++i) {
        EXPECT_FALSE(Spielfeld_Load(faelle[i].data(), faelle[i].size())) << "case " << i;
        std::vector<uint8_t> danach;
        Spielfeld_Save(danach);
        EXPECT_EQ(danach, gut) << "case " << i;
    }
}

TEST_F(MatchTest, AbandoningAWatchedMatchStartsItsReleaseCountdown) {
    Spiel_Anlegen(1, 2, 3);
    Spiel_Anlegen(2, 4, 5);
    ASSERT_EQ(Spielfeld_Anlegen(1, 1, 0, 0, -1, -1), 1);
    ASSERT_EQ(Spielfeld_Anlegen(2, 2, 0, 0, -1, -1), 1);
    Spielfeld_Abbrechen(1);
    Spielfeld_Abbrechen(2);
    EXPECT_EQ(Spielfeld_Suchen(1)->freigabe_countdown, 30);
    EXPECT_EQ(Spielfeld_Suchen(1)->abgebrochen, 0);
    EXPECT_EQ(Spielfeld_Suchen(2)->anzeige_modus, 0);
    EXPECT_EQ(Spielfeld_Suchen(2)->abgebrochen, 1);
}

}  // namespace
}  // namespace velmora::test
