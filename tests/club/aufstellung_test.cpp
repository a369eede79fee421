// Line-ups: the automatic line-up over a large random world, its choices,
// the completion check, swaps, moves to a cell, shirt numbers and line values.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>

#include "club/aufstellung.h"
#include "club/formation.h"
#include "club/kader_hooks.h"
#include "tests/club/kader_welt.h"

namespace velmora {
namespace {

using test::Log_Enthaelt;

constexpr int32_t GROSSE_WELT_CLUBS = 320;

// A stand-in for the match's line geometry: encodes the depth tactic, column and row.
void Linie_Fake(const int8_t taktik[7], int16_t out[8], int32_t spalte, int32_t reihe) {
    for (int32_t i = 0; i < 8; ++i) out[i] = int16_t(taktik[5] * 1000 + spalte * 100 + reihe * 10 + i);
}

class AutoAufstellungWelt : public ::testing::Test {
protected:
    void SetUp() override {
        Kader_Hooks() = KaderHooks{};
        test::Kader_Welt_Bauen(GROSSE_WELT_CLUBS, TEAM_SPIELER_MAX, 8);
    }
    void TearDown() override {
        test::Welt_Freigeben();
        Kader_Hooks() = KaderHooks{};
    }
    test::LogFaenger log;
};

TEST_F(AutoAufstellungWelt, EveryClubLinesUpSoundlyUnderInjuriesAndSuspensions) {
    test::TestZufall z(77);
    int32_t ohne_torwart = 0, zwei_torhueter = 0, voll = 0;
    for (int32_t runde = 0; runde < 3; ++runde) {
        for (int32_t club = 1; club <= GROSSE_WELT_CLUBS; ++club) {
            test::Ausfaelle_Setzen(club, z);
            test::Kader_Zaehlung k = test::Kader_Zaehlen(club);
            ohne_torwart += k.torhueter == 0;
            zwei_torhueter += k.torhueter >= 2;
            int32_t starter = Team_Auto_Aufstellung(club);
            ASSERT_EQ(test::Auto_Aufstellung_Fehler(club, starter), "") << "club " << club << " round " << runde;
            voll += starter == 11;
        }
    }
    // The world holds the hard cases the rules are about.
    EXPECT_GT(ohne_torwart, 0);
    EXPECT_GT(zwei_torhueter, 0);
    EXPECT_GT(voll, 3 * GROSSE_WELT_CLUBS * 9 / 10);
}

// The check mode holds each line-up the usual way (values read straight from
// the records, the shared search with its bound and the club's last search
// taken again, only changed values written, shirt numbers, line values asked
// once per cell) to the long way, over rounds of a world that changes as a
// season does: form and tiredness after games, injuries and suspensions,
// players without a number or wearing a team-mate's, equal players, squads
// too small for the field, managers' clubs with and without the assistant,
// and rounds in which nothing changed.
TEST_F(AutoAufstellungWelt, CheckModeFindsEveryLineUpAsTheLongWayDoes) {
    constexpr int32_t CLUBS = 120;
    Kader_Hooks().spielfeld_taktik_linie = Linie_Fake;
    for (int32_t club = 1; club <= 12; ++club) {
        Manager_Neuer_Mitspieler(club, "Trainer", -1);
        Team_Formation_Waehlen(club, club % FORMATION_STANDARD_ANZAHL);
        if (club % 2) Team_Wert(8, club, int8_t(uint8_t(FORMATION_BYTE_ASSI | Team_Formation_Index(club))), OP_SCHREIBEN);
    }
    test::TestZufall z(41);
    int32_t liste[TEAM_SPIELER_MAX];
    // Equal players: in every third club a few take over a team-mate's values;
    // in every fifth the base values start at 0, so many line-ups tie.
    for (int32_t club = 5; club <= CLUBS; club += 5) {
        const int32_t n = Teamspieler_Ins_Array(club, liste, TEAM_SPIELER_MAX, 0);
        for (int32_t i = 0; i < n; ++i)
            for (int32_t modus : {SPW_STAERKE, SPW_FORM, SPW_MORAL}) Spieler_Wert(modus, liste[i], 0, OP_SCHREIBEN);
    }
    for (int32_t club = 3; club <= CLUBS; club += 3) {
        const int32_t n = Teamspieler_Ins_Array(club, liste, TEAM_SPIELER_MAX, 0);
        for (int32_t k = 0; k < 4; ++k) {
            const int32_t von = liste[z(0, n - 1)], nach = liste[z(0, n - 1)];
            for (int32_t modus : {SPW_ART, SPW_STAERKE, SPW_FORM, SPW_MORAL, SPW_EINSAETZE})
                Spieler_Wert(modus, nach, Spieler_Wert(modus, von, 0, OP_LESEN), OP_SCHREIBEN);
        }
    }
    Aufstellung_Pruefen_Setzen(true);
    int64_t aufstellungen = 0;
    for (int32_t runde = 0; runde < 8; ++runde) {
        for (int32_t club = 1; club <= CLUBS; ++club) {
            const int32_t n = Teamspieler_Ins_Array(club, liste, TEAM_SPIELER_MAX, 0);
            if (runde % 4 == 3) {
                // Nothing changed since the last round, but a few clubs' systems.
                if (club % 11 == 0) Team_Formation_Waehlen(club, (Team_Formation_Index(club) + 1) % FORMATION_STANDARD_ANZAHL);
            } else if (runde % 4 == 2) {
                test::Ausfaelle_Setzen(club, z);
                // Every seventh club has too few players to fill the field.
                for (int32_t i = 0; club % 7 == 0 && i < n - 7; ++i)
                    Spieler_Wert(SPW_STATUS, liste[i], int32_t(SP_STATUS_VERLETZT), OP_SETZEN);
                Spieler_Wert(SPW_RUECKENNUMMER, liste[z(0, n - 1)], 0, OP_SCHREIBEN);
                Spieler_Wert(SPW_RUECKENNUMMER, liste[z(0, n - 1)],
                             Spieler_Wert(SPW_RUECKENNUMMER, liste[z(0, n - 1)], 0, OP_LESEN), OP_SCHREIBEN);
            } else {
                // After a game: the starters tire and their form moves, the others rest.
                for (int32_t i = 0; i < n; ++i) {
                    const bool spielte = Spieler_Wert(SPW_STATUS, liste[i], 0, OP_LESEN) & int32_t(SP_STATUS_START);
                    const int32_t einsaetze = Spieler_Wert(SPW_EINSAETZE, liste[i], 0, OP_LESEN) + (spielte ? 1 : -1);
                    Spieler_Wert(SPW_EINSAETZE, liste[i], std::clamp(einsaetze, 0, 9), OP_SCHREIBEN);
                    if (spielte && club % 5) Spieler_Wert(SPW_FORM, liste[i], z(0, 999), OP_SCHREIBEN);
                }
            }
            const int32_t starter = Team_Auto_Aufstellung(club);
            ++aufstellungen;
            if (!Team_Hat_Manager(club)) {
                ASSERT_EQ(test::Auto_Aufstellung_Fehler(club, starter), "") << "club " << club << " round " << runde;
            }
        }
    }
    const AufstellungPruefung p = Aufstellung_Pruefung();
    Aufstellung_Pruefen_Setzen(false);
    Manager_Alle_Freigeben();
    EXPECT_EQ(p.aufstellungen, aufstellungen);
    EXPECT_EQ(p.abweichungen, 0);
    EXPECT_GT(p.wiederverwendet, CLUBS);
    // The search never had to fall back on the long way.
    EXPECT_FALSE(Log_Enthaelt("ohne Aufstellung"));
}

TEST_F(AutoAufstellungWelt, FewerThanElevenAvailableGivesTheBestPartialLineUp) {
    int32_t liste[TEAM_SPIELER_MAX];
    for (int32_t verfuegbar : {0, 1, 5, 8, 10}) {
        int32_t club = 10 + verfuegbar;
        int32_t n = Teamspieler_Ins_Array(club, liste, TEAM_SPIELER_MAX, 0);
        ASSERT_EQ(n, 20);
        Spieler_Wert(67, liste[0], 0, OP_SCHREIBEN);   // one goalkeeper among the fit ones
        for (int32_t i = 1; i < n; ++i) Spieler_Wert(67, liste[i], 1 + i % 3, OP_SCHREIBEN);
        for (int32_t i = verfuegbar; i < n; ++i) Spieler_Wert(75, liste[i], int32_t(SP_STATUS_VERLETZT), OP_SETZEN);
        test::Log().clear();
        int32_t starter = Team_Auto_Aufstellung(club);
        EXPECT_EQ(starter, verfuegbar);
        EXPECT_EQ(test::Auto_Aufstellung_Fehler(club, starter), "") << verfuegbar;
        EXPECT_TRUE(Log_Enthaelt("Team_Auto_Aufstellung: Team " + std::to_string(club) + " hat nur " +
                                 std::to_string(verfuegbar)))
            << verfuegbar;
        if (verfuegbar > 0) {
            EXPECT_EQ(Spieler_Wert(87, liste[0], 0, OP_LESEN), SLOT_TORWART);
            EXPECT_TRUE(Spieler_Wert(75, liste[0], 0, OP_LESEN) & int32_t(SP_STATUS_START));
        }
    }
}

// A club of hand-made players: kind and strength per list place.
class AufstellungTest : public test::WeltTest {
protected:
    int32_t kader[TEAM_SPIELER_MAX];
    int32_t n = 0;
    void Kader(int32_t club, std::initializer_list<std::pair<int32_t, int32_t>> spieler) {
        n = Teamspieler_Ins_Array(club, kader, TEAM_SPIELER_MAX, 0);
        int32_t i = 0;
        for (auto [art, staerke] : spieler) {
            Spieler_Wert(67, kader[i], art, OP_SCHREIBEN);
            Spieler_Wert(58, kader[i], staerke, OP_SCHREIBEN);
            Spieler_Wert(57, kader[i], 0, OP_SCHREIBEN);
            ++i;
        }
        for (; i < n; ++i) Spieler_Wert(58, kader[i], 0, OP_SCHREIBEN);
    }
    int32_t Slot(int32_t i) { return Spieler_Wert(87, kader[i], 0, OP_LESEN); }
    // The list place of the player in `slot`, -1 none.
    int32_t Im_Slot(int32_t slot) {
        for (int32_t i = 0; i < n; ++i)
            if (Slot(i) == slot) return i;
        return -1;
    }
    bool Startet(int32_t i) { return Spieler_Wert(75, kader[i], 0, OP_LESEN) & int32_t(SP_STATUS_START); }
    bool Bank(int32_t i) { return Spieler_Wert(75, kader[i], 0, OP_LESEN) & int32_t(SP_STATUS_BANK); }
};

// The bands from the own goal: x 550 and 1100 the first (the goalkeeper's and
// the defence's), 2600 band 2, 5400 band 5 (midfield), 9600 the last (attack);
// a side that plays mirrored has its own goal at 10800.
TEST_F(AufstellungTest, ThePositionPenaltyFollowsTheBandFromTheOwnGoal) {
    Kader(2, {{0, 10000}, {1, 6000}, {2, 6000}, {3, 6000}});
    const int32_t torwart = kader[0], verteidiger = kader[1], mittelfeld = kader[2], sturm = kader[3];
    const int32_t sterne = Spieler_Wert(SPW_SPIEL_STERNE, torwart, 0, OP_LESEN);
    ASSERT_GT(sterne, 0);
    struct Fall {
        int32_t spieler, x;
        bool gespiegelt;
        int32_t abzug;
    } faelle[] = {
        {torwart, 550, false, 0},                        // in goal
        {torwart, 10250, true, 0},                       // in goal, halves changed
        {torwart, 5400, false, sterne * 80 / 100},       // in the field
        {torwart, 1100, true, sterne * 80 / 100},        // the other goal once the halves changed
        {verteidiger, 1100, false, 0},
        {verteidiger, 2600, false, 0},
        {verteidiger, 5400, false, 2},
        {verteidiger, 9600, false, 4},                   // in a forward's band
        {verteidiger, 9600, true, 0},                    // halves changed: his own third
        {verteidiger, 1100, true, 4},
        {mittelfeld, 5400, true, 0},
        {mittelfeld, 9600, false, 2},
        {sturm, 9600, false, 0},
        {sturm, 1100, false, 4},
        {-1, 5400, false, 0},
    };
    for (const Fall& f : faelle)
        EXPECT_EQ(Spieler_Positionsstaerke(f.spieler, f.x, f.gespiegelt), f.abzug)
            << "player " << f.spieler << " at " << f.x << (f.gespiegelt ? " mirrored" : "");
}

TEST_F(AufstellungTest, StrongerGoalkeeperKeepsGoalAndTheOtherSitsOnTheBench) {
    Kader(2, {{0, 3000}, {0, 9000}, {1, 5000}, {1, 5000}, {1, 5000}, {1, 5000}, {2, 5000}, {2, 5000}, {2, 5000},
              {2, 5000}, {3, 5000}, {3, 5000}});
    ASSERT_EQ(Team_Auto_Aufstellung(2), 11);
    EXPECT_EQ(Slot(1), SLOT_TORWART);
    EXPECT_TRUE(Bank(0));
    EXPECT_EQ(Slot(0), 11);   // the substitute goalkeeper comes first on the bench
}

TEST_F(AufstellungTest, FormationFollowsTheSquad) {
    // Four defenders, three midfielders and three forwards stand out: 4-3-3.
    Kader(2, {{0, 8000}, {1, 9000}, {1, 9000}, {1, 9000}, {1, 9000}, {2, 9000}, {2, 9000}, {2, 9000}, {3, 9000},
              {3, 9000}, {3, 9000}});
    ASSERT_EQ(Team_Auto_Aufstellung(2), 11);
    EXPECT_STREQ(Formation_Name(Team_Formation_Index(2)), "4-3-3");
    for (int32_t i = 0; i < 11; ++i) {
        EXPECT_TRUE(Startet(i)) << i;
        // Everybody plays in his own row group.
        int32_t gruppe = Formation_Gruppe(Spieler_Wert(83, kader[i], 0, OP_LESEN));
        EXPECT_EQ(gruppe, Spieler_Get_Art(kader[i])) << i;
    }
    // Five strong defenders and two forwards: a back five.
    Kader(3, {{0, 8000}, {1, 9000}, {1, 9000}, {1, 9000}, {1, 9000}, {1, 9000}, {2, 9000}, {2, 9000}, {2, 9000},
              {3, 9000}, {3, 9000}});
    ASSERT_EQ(Team_Auto_Aufstellung(3), 11);
    EXPECT_STREQ(Formation_Name(Team_Formation_Index(3)), "5-3-2");
}

TEST_F(AufstellungTest, ManagersFormationStaysWithTheAssistant) {
    Manager_Neuer_Mitspieler(2, "Trainer", -1);
    Team_Formation_Waehlen(2, 0);   // 4-4-2
    Team_Wert(8, 2, int8_t(uint8_t(FORMATION_BYTE_ASSI)), OP_SCHREIBEN);
    Kader(2, {{0, 8000}, {1, 9000}, {1, 9000}, {1, 9000}, {1, 9000}, {2, 9000}, {2, 9000}, {2, 9000}, {3, 9000},
              {3, 9000}, {3, 9000}});
    ASSERT_EQ(Team_Auto_Aufstellung(2), 11);
    EXPECT_EQ(Team_Formation_Index(2), 0);
    EXPECT_TRUE(Team_Aufstellung_Pruefen(2));
}

TEST_F(AufstellungTest, UnavailableAndTiredPlayersLoseTheirPlaces) {
    Kader(2, {{0, 8000}, {1, 12000}, {1, 6000}, {1, 6000}, {1, 6000}, {1, 6000}, {2, 6000}, {2, 6000}, {2, 6000},
              {2, 6000}, {3, 6000}, {3, 6000}, {3, 6000}, {2, 6000}});
    Spieler_Wert(75, kader[1], 0x100, OP_SETZEN);   // the best defender is suspended
    Spieler_Wert(56, kader[6], 9, OP_SCHREIBEN);     // a tired midfielder
    Spieler_Wert(57, kader[13], 900, OP_SCHREIBEN);  // a midfielder in form
    ASSERT_EQ(Team_Auto_Aufstellung(2), 11);
    EXPECT_FALSE(Startet(1));
    EXPECT_FALSE(Bank(1));
    EXPECT_GE(Slot(1), 11);
    EXPECT_TRUE(Startet(13));
    EXPECT_FALSE(Startet(6));
}

TEST_F(AufstellungTest, CheckLeavesASoundComputerLineUpAlone) {
    ASSERT_EQ(Team_Auto_Aufstellung(2), 11);
    int32_t vorher[TEAM_SPIELER_MAX];
    n = Teamspieler_Ins_Array(2, kader, TEAM_SPIELER_MAX, 0);
    for (int32_t i = 0; i < n; ++i) vorher[i] = Slot(i);
    // Put two substitutes in reverse: still 11 and 6, so nothing is redone.
    int32_t a = Im_Slot(11), b = Im_Slot(12);
    ASSERT_GE(a, 0);
    ASSERT_GE(b, 0);
    Spieler_Wert(87, kader[a], 12, OP_SCHREIBEN);
    Spieler_Wert(87, kader[b], 11, OP_SCHREIBEN);
    ASSERT_TRUE(Check_Und_Set_Aa(2));
    EXPECT_EQ(Slot(a), 12);
    EXPECT_EQ(Slot(b), 11);
    // An injured starter makes the assistant line up again.
    int32_t verletzt = -1;
    for (int32_t i = 0; i < n; ++i)
        if (vorher[i] == 3) verletzt = i;
    Spieler_Wert(75, kader[verletzt], int32_t(SP_STATUS_VERLETZT), OP_SETZEN);
    ASSERT_TRUE(Check_Und_Set_Aa(2));
    EXPECT_FALSE(Startet(verletzt));
    EXPECT_EQ(test::Auto_Aufstellung_Fehler(2, 11), "");
}

TEST_F(AufstellungTest, CheckOfAManagersClubOnlyFollowsTheSlots) {
    Manager_Neuer_Mitspieler(2, "Trainer", -1);
    Team_Formation_Flag_Loeschen(2);
    n = Teamspieler_Ins_Array(2, kader, TEAM_SPIELER_MAX, 0);
    Spieler_Wert(75, kader[4], int32_t(SP_STATUS_VERLETZT), OP_SETZEN);   // slot 4, still marked as starter
    Spieler_Wert(75, kader[17], int32_t(SP_STATUS_START), OP_SETZEN);     // slot 17 wrongly marked
    ASSERT_TRUE(Check_Und_Set_Aa(2));
    for (int32_t i = 0; i < n; ++i) {
        EXPECT_EQ(Slot(i), i);   // slots untouched
        bool fit = i != 4;
        EXPECT_EQ(Startet(i), fit && i < 11) << i;
        EXPECT_EQ(Bank(i), fit && i >= 11 && i < 17) << i;
    }
    // With the assistant flag the assistant sets the line-up.
    Team_Wert(8, 2, int8_t(uint8_t(FORMATION_BYTE_ASSI)), OP_SCHREIBEN);
    ASSERT_TRUE(Check_Und_Set_Aa(2));
    EXPECT_GE(Slot(4), 11);
}

TEST_F(AufstellungTest, ClientRefusesLineUpsOfOtherClubs) {
    ClubHooks& h = Club_Hooks();
    h.netzwerk_modus = [] { return 1; };
    h.client_team = [] { return 3; };
    n = Teamspieler_Ins_Array(2, kader, TEAM_SPIELER_MAX, 0);
    EXPECT_EQ(Team_Auto_Aufstellung(2), -1);
    EXPECT_TRUE(Log_Enthaelt("Team_Auto_Aufstellung: CLIENT-WRITE!"));
    EXPECT_FALSE(Check_Und_Set_Aa(2));
    EXPECT_TRUE(Log_Enthaelt("Check_Und_Set_Aa: CLIENT-WRITE!"));
    EXPECT_FALSE(Spieler_Tauschen_Intern(kader[0], kader[12], 2, 2));
    EXPECT_TRUE(Log_Enthaelt("Spieler_Tauschen_Intern: CLIENT-WRITE!"));
    EXPECT_EQ(Slot(0), 0);
}

TEST_F(AufstellungTest, SwapGivesEachTheStatusAndCellOfHisNewSlot) {
    ASSERT_EQ(Team_Auto_Aufstellung(2), 11);
    n = Teamspieler_Ins_Array(2, kader, TEAM_SPIELER_MAX, 0);
    int32_t starter = Im_Slot(2), bank = Im_Slot(13), reserve = Im_Slot(17);
    int32_t spalte, reihe;
    Formation_Zelle_Von_Slot(*Team_Aktuelle_Formation(2), 2, &spalte, &reihe);
    ASSERT_TRUE(Spieler_Tauschen_Intern(kader[starter], kader[bank], 2, 2));
    EXPECT_EQ(Slot(bank), 2);
    EXPECT_EQ(Slot(starter), 13);
    EXPECT_TRUE(Startet(bank));
    EXPECT_TRUE(Bank(starter));
    EXPECT_EQ(Spieler_Wert(82, kader[bank], 0, OP_LESEN), spalte);
    EXPECT_EQ(Spieler_Wert(83, kader[bank], 0, OP_LESEN), reihe);
    ASSERT_TRUE(Spieler_Tauschen_Intern(kader[starter], kader[reserve], 2, 2));
    EXPECT_FALSE(Bank(starter));
    EXPECT_TRUE(Bank(reserve));
    EXPECT_TRUE(Team_Aufstellung_Pruefen(2));
}

TEST_F(AufstellungTest, UnavailablePlayerMayNotEnterTheStartingEleven) {
    ASSERT_EQ(Team_Auto_Aufstellung(2), 11);
    n = Teamspieler_Ins_Array(2, kader, TEAM_SPIELER_MAX, 0);
    int32_t starter = Im_Slot(5), bank = Im_Slot(12), bank2 = Im_Slot(14);
    Spieler_Wert(75, kader[bank], 0x200, OP_SETZEN);
    EXPECT_FALSE(Spieler_Tauschen_Intern(kader[starter], kader[bank], 2, 2));
    EXPECT_FALSE(Spieler_Tauschen_Intern(kader[bank], kader[starter], 2, 2));
    EXPECT_TRUE(Log_Enthaelt("Spieler_Tauschen_Intern: Spieler nicht einsatzfaehig"));
    EXPECT_EQ(Slot(starter), 5);
    EXPECT_EQ(Slot(bank), 12);
    // Between bench places he may move, losing his bench status.
    EXPECT_TRUE(Spieler_Tauschen_Intern(kader[bank], kader[bank2], 2, 2));
    EXPECT_FALSE(Bank(bank));
    // Players of two clubs are not swapped here.
    int32_t fremd[TEAM_SPIELER_MAX];
    Teamspieler_Ins_Array(3, fremd, TEAM_SPIELER_MAX, 0);
    EXPECT_FALSE(Spieler_Tauschen_Intern(kader[starter], fremd[0], 2, 3));
    EXPECT_FALSE(Spieler_Tauschen_Intern(kader[starter], fremd[0], 2, 2));
}

TEST_F(AufstellungTest, MovingAStarterReSortsTheSlots) {
    Team_Formation_Waehlen(2, 0);   // 4-4-2
    Manager_Neuer_Mitspieler(2, "Trainer", -1);
    ASSERT_EQ(Team_Auto_Aufstellung(2), 11);
    n = Teamspieler_Ins_Array(2, kader, TEAM_SPIELER_MAX, 0);
    int32_t verteidiger = Im_Slot(9);   // the left-most defender (0, 2)
    ASSERT_EQ(Spieler_Wert(83, kader[verteidiger], 0, OP_LESEN), 2);
    ASSERT_TRUE(Spieler_Setze_Formationsposition(kader[verteidiger], 5, 10));
    EXPECT_EQ(Slot(verteidiger), 0);
    EXPECT_EQ(Spieler_Wert(82, kader[verteidiger], 0, OP_LESEN), 5);
    EXPECT_EQ(Spieler_Wert(83, kader[verteidiger], 0, OP_LESEN), 10);
    EXPECT_TRUE(Formation_Pruefen(*Team_Aktuelle_Formation(2)));
    EXPECT_EQ(test::Auto_Aufstellung_Fehler(2, 11), "");
}

TEST_F(AufstellungTest, MovesThatBreakTheFormationAreRefused) {
    ASSERT_EQ(Team_Auto_Aufstellung(2), 11);
    n = Teamspieler_Ins_Array(2, kader, TEAM_SPIELER_MAX, 0);
    int32_t nach_slot[TEAM_SPIELER_MAX];
    for (int32_t i = 0; i < n; ++i) nach_slot[Slot(i)] = kader[i];
    Formation vorher = *Team_Aktuelle_Formation(2);
    int32_t besetzt_s, besetzt_r;
    Formation_Zelle_Von_Slot(vorher, 1, &besetzt_s, &besetzt_r);
    struct Fall {
        const char* was;
        int32_t slot, spalte, reihe;
    } faelle[] = {
        {"a field player into goal", 3, 3, 0},
        {"a field player into the goal row", 3, 1, 0},
        {"the goalkeeper onto the field", 10, 3, 5},
        {"a substitute", 12, 3, 5},
        {"column 7", 3, 7, 5},
        {"row 11", 3, 3, 11},
        {"a cell held by another starter", 3, besetzt_s, besetzt_r},
    };
    for (const Fall& fall : faelle) {
        EXPECT_FALSE(Spieler_Setze_Formationsposition(nach_slot[fall.slot], fall.spalte, fall.reihe)) << fall.was;
        EXPECT_EQ(std::memcmp(Team_Aktuelle_Formation(2), &vorher, sizeof vorher), 0) << fall.was;
        EXPECT_EQ(Spieler_Wert(87, nach_slot[fall.slot], 0, OP_LESEN), fall.slot) << fall.was;
    }
}

TEST_F(AufstellungTest, ShirtNumbersAreUniqueAndKeptWhereTheyAre) {
    n = Teamspieler_Ins_Array(2, kader, TEAM_SPIELER_MAX, 0);
    Spieler_Wert(84, kader[3], 7, OP_SCHREIBEN);
    Spieler_Wert(84, kader[4], 7, OP_SCHREIBEN);   // a clash: the second one gets a new number
    Spieler_Wert(84, kader[5], 1, OP_SCHREIBEN);   // number 1 is taken by a field player
    Team_Rueckennummern(2);
    std::set<int32_t> nummern;
    for (int32_t i = 0; i < n; ++i) {
        int32_t nr = Spieler_Wert(84, kader[i], 0, OP_LESEN);
        EXPECT_GE(nr, 1);
        EXPECT_LE(nr, 99);
        nummern.insert(nr);
    }
    EXPECT_EQ(nummern.size(), size_t(n));
    EXPECT_EQ(Spieler_Wert(84, kader[3], 0, OP_LESEN), 7);
    EXPECT_EQ(Spieler_Wert(84, kader[5], 0, OP_LESEN), 1);
    EXPECT_NE(Spieler_Wert(84, kader[4], 0, OP_LESEN), 7);
    // Without a clash the goalkeeper wears number 1.
    int32_t andere[TEAM_SPIELER_MAX];
    Teamspieler_Ins_Array(3, andere, TEAM_SPIELER_MAX, 0);
    Team_Rueckennummern(3);
    EXPECT_EQ(Spieler_Wert(84, andere[0], 0, OP_LESEN), 1);   // the world's goalkeeper
}

TEST_F(AufstellungTest, LineValuesComeFromTheCellsThroughTheMatch) {
    ASSERT_EQ(Team_Auto_Aufstellung(2), 11);   // without the hook: values stay
    EXPECT_TRUE(Log_Enthaelt("Team_Spieler_Positionen_Setzen: keine Liniengeometrie"));
    n = Teamspieler_Ins_Array(2, kader, TEAM_SPIELER_MAX, 0);
    EXPECT_EQ(static_cast<int16_t*>(Spieler_Zeiger(511, kader[0]))[0], 0);
    Kader_Hooks().spielfeld_taktik_linie = Linie_Fake;
    int8_t taktik[TAKTIK_BYTES] = {0, 0, 0, 0, 0, 2, 0};
    ASSERT_TRUE(Team_Set_Aktuelle_Taktik(2, taktik));
    Team_Spieler_Positionen_Setzen(2, kader[1]);
    EXPECT_EQ(static_cast<int16_t*>(Spieler_Zeiger(511, kader[0]))[0], 0);
    // Every call reads the team's tactic as it is now: a changed depth reaches
    // every player's values.
    for (int8_t tiefe : {2, 5, 0}) {
        taktik[5] = tiefe;
        ASSERT_TRUE(Team_Set_Aktuelle_Taktik(2, taktik));
        Team_Spieler_Positionen_Setzen(2, -1);
        for (int32_t i = 0; i < n; ++i) {
            const int16_t* l = static_cast<int16_t*>(Spieler_Zeiger(511, kader[i]));
            int32_t s = Spieler_Wert(82, kader[i], 0, OP_LESEN), r = Spieler_Wert(83, kader[i], 0, OP_LESEN);
            for (int32_t k = 0; k < 8; ++k) EXPECT_EQ(l[k], tiefe * 1000 + s * 100 + r * 10 + k) << "depth " << int(tiefe);
        }
    }
    Team_Spieler_Positionen_Setzen(-1, -1);   // nothing, and no complaint
    Kader_Hooks() = KaderHooks{};
}

// The strongest star gets the strongest defender; equal ones keep their list order.
TEST_F(AufstellungTest, AssistantPairsStarsAndDefendersByStrengthInListOrderOnATie) {
    ASSERT_EQ(Team_Auto_Aufstellung(2), 11);
    n = Teamspieler_Ins_Array(2, kader, TEAM_SPIELER_MAX, 0);
    int32_t verteidiger[TEAM_SPIELER_MAX], anzahl = 0;
    for (int32_t i = 0; i < n; ++i)
        if (Spieler_Get_Art(kader[i]) == 1 && Startet(i)) verteidiger[anzahl++] = kader[i];
    ASSERT_GE(anzahl, 3);
    const int32_t staerke[3] = {7000, 6000, 7000};
    for (int32_t k = 0; k < 3; ++k) Spieler_Wert(SPW_STAERKE, verteidiger[k], staerke[k], OP_SCHREIBEN);
    for (int32_t k = 3; k < anzahl; ++k) Spieler_Wert(SPW_STAERKE, verteidiger[k], 1000, OP_SCHREIBEN);
    int32_t gegner[TEAM_SPIELER_MAX];
    const int32_t m = Teamspieler_Ins_Array(3, gegner, TEAM_SPIELER_MAX, 0);
    ASSERT_GE(m, 10);
    for (int32_t i = 0; i < m; ++i) Spieler_Wert(SPW_STAERKE, gegner[i], 500, OP_SCHREIBEN);
    Spieler_Wert(SPW_STAERKE, gegner[3], 11000, OP_SCHREIBEN);
    Spieler_Wert(SPW_STAERKE, gegner[7], 12000, OP_SCHREIBEN);
    Spieler_Wert(SPW_STAERKE, gegner[9], 11000, OP_SCHREIBEN);
    struct Fall {
        int32_t prozent, paare;
    } faelle[] = {{20, 1}, {40, 2}, {100, 3}};
    // Stars by strength: 7, then 3 and 9 in list order; defenders: 0 and 2 in list order, then 1.
    const int32_t stern[3] = {gegner[7], gegner[3], gegner[9]};
    const int32_t mann[3] = {verteidiger[0], verteidiger[2], verteidiger[1]};
    for (const Fall& f : faelle) {
        ASSERT_EQ(Assi_Mannschaftsaufstellung(2, 3, f.prozent), f.paare) << f.prozent;
        for (int32_t k = 0; k < 3; ++k) {
            EXPECT_EQ(Spieler_Wert(SPW_PARTNER, stern[k], 0, OP_LESEN), k < f.paare ? mann[k] : -1) << f.prozent;
            EXPECT_EQ(Spieler_Wert(SPW_PARTNER, mann[k], 0, OP_LESEN), k < f.paare ? stern[k] : -1) << f.prozent;
        }
    }
}

TEST_F(AufstellungTest, AssistantMarksTheOpponentsStars) {
    ASSERT_EQ(Team_Auto_Aufstellung(2), 11);
    int32_t gegner[TEAM_SPIELER_MAX];
    int32_t m = Teamspieler_Ins_Array(3, gegner, TEAM_SPIELER_MAX, 0);
    for (int32_t i = 0; i < m; ++i) {
        Spieler_Wert(58, gegner[i], 500, OP_SCHREIBEN);
        Spieler_Wert(101, gegner[i], 5, OP_SCHREIBEN);
    }
    Spieler_Wert(58, gegner[7], 12000, OP_SCHREIBEN);
    Spieler_Wert(58, gegner[8], 11000, OP_SCHREIBEN);
    EXPECT_EQ(Assi_Mannschaftsaufstellung(2, -1, 100), 0);
    EXPECT_EQ(Spieler_Wert(101, gegner[0], 0, OP_LESEN), 5);
    EXPECT_EQ(Assi_Mannschaftsaufstellung(2, 3, 0), 0);
    for (int32_t i = 0; i < m; ++i) EXPECT_EQ(Spieler_Wert(101, gegner[i], 0, OP_LESEN), -1);
    // percent 20 allows one pair, 100 up to five: here the two stars.
    EXPECT_EQ(Assi_Mannschaftsaufstellung(2, 3, 20), 1);
    EXPECT_EQ(Assi_Mannschaftsaufstellung(2, 3, 100), 2);
    for (int32_t i : {7, 8}) {
        int32_t partner = Spieler_Wert(101, gegner[i], 0, OP_LESEN);
        ASSERT_GE(partner, 0);
        EXPECT_EQ(Spieler_Get_Team(partner), 2);
        EXPECT_EQ(Spieler_Get_Art(partner), 1);
        EXPECT_TRUE(Spieler_Wert(75, partner, 0, OP_LESEN) & int32_t(SP_STATUS_START));
        EXPECT_EQ(Spieler_Wert(101, partner, 0, OP_LESEN), gegner[i]);
    }
    EXPECT_EQ(Spieler_Wert(101, gegner[0], 0, OP_LESEN), -1);
    // Switched off again: the pairs are gone on both sides.
    int32_t partner = Spieler_Wert(101, gegner[7], 0, OP_LESEN);
    EXPECT_EQ(Assi_Mannschaftsaufstellung(2, 3, 0), 0);
    EXPECT_EQ(Spieler_Wert(101, partner, 0, OP_LESEN), -1);
    // The match start: the other side's call with pairs kept leaves ours.
    EXPECT_EQ(Assi_Mannschaftsaufstellung(2, 3, 100), 2);
    partner = Spieler_Wert(101, gegner[7], 0, OP_LESEN);
    Assi_Mannschaftsaufstellung(3, 2, 100, true);
    EXPECT_EQ(Spieler_Wert(101, gegner[7], 0, OP_LESEN), partner);
    Assi_Mannschaftsaufstellung(3, 2, 0);   // without: our marker of him is gone
    EXPECT_EQ(Spieler_Wert(101, gegner[7], 0, OP_LESEN), -1);
    // Clearing a squad: with and without a partner, everybody has none after.
    Spieler_Wert(101, gegner[2], gegner[4], OP_SCHREIBEN);
    Spieler_Wert(101, gegner[m - 1], gegner[0], OP_SCHREIBEN);
    Assi_Paare_Loeschen(3);
    for (int32_t i = 0; i < m; ++i) EXPECT_EQ(Spieler_Wert(101, gegner[i], 0, OP_LESEN), -1);
}

TEST_F(AufstellungTest, SetUpAfterABuildLinesUpEveryClub) {
    Manager_Neuer_Mitspieler(4, "Trainer", -1);
    Team_Formation_Flag_Loeschen(4);
    // A broken line-up of the manager's club: two players in slot 3.
    n = Teamspieler_Ins_Array(4, kader, TEAM_SPIELER_MAX, 0);
    Spieler_Wert(87, kader[5], 3, OP_SCHREIBEN);
    Team_Aufstellung_Initialisieren(-1);
    for (int32_t club = 2; club < Team_Anzahl(); ++club) {
        EXPECT_TRUE(Team_Aufstellung_Pruefen(club)) << club;
        EXPECT_EQ(Team_Formation_Assi(club), club != 4) << club;
    }
}

}  // namespace
}  // namespace velmora
