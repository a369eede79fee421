// tests/business/stadion_welt.h - the club test world with a league, a cup,
// the rules of the stadium and the advertising, and the bank running with
// every transfer it makes kept in a list.
#pragma once
#include <cstdint>
#include <utility>
#include <vector>

#include "business/bank.h"
#include "business/bank_testing.h"
#include "business/stadion.h"
#include "business/stadion_hooks.h"
#include "business/werbung.h"
#include "club/global_config.h"
#include "club/regeln.h"
#include "season/spiele.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_cfg.h"
#include "tests/club/welt.h"

namespace velmora::test {

struct Buchung {
    int32_t von, an;
    float betrag;
    int32_t kategorie;
};

// What the bank booked and the news sent while a test ran (the bank itself is
// the real one; assigning a fresh book forgets the record, not the balances).
struct Bankbuch {
    std::vector<Buchung> buchungen;
    std::vector<std::pair<int32_t, uint32_t>> news;   // team, flags
    float summe(int32_t team, int32_t kategorie) const {
        float s = 0;
        for (const Buchung& b : buchungen)
            if (b.kategorie == kategorie && (b.an == team || b.von == team)) s += b.betrag;
        return s;
    }
};
inline Bankbuch& Bank() {
    static Bankbuch b;
    return b;
}

// Gives the club an account with this balance (an open one takes the new balance).
inline void Konto_Setzen(int32_t team, int32_t stand) { ASSERT_TRUE(Bank_Waehrung_Umrechnen(team, stand, 0)); }

// Starts the bank with every balance at 0 and records its transfers and the news.
inline void Bank_Starten() {
    Bank() = Bankbuch{};
    Bank_Init();
    Bank_Testing_Faenger_Setzen([](int32_t von, int32_t an, float betrag, uint8_t kategorie) {
        Bank().buchungen.push_back({von, an, betrag, kategorie});
    });
    Stadion_Hooks().news = [](int32_t team, int32_t, uint32_t flags, const char*) {
        Bank().news.push_back({team, flags});
    };
}

inline void Bank_Beenden() {
    Bank_Testing_Faenger_Setzen(nullptr);
    Bank_Exit();
    Stadion_Hooks() = StadionHooks{};
}

// The rules of the stadium and the advertising in this world.
constexpr const char* STADION_REGELN =
    "STADION_ZUSCHAUER_LEVEL 500\nSTADION_NORMPREIS_LEVEL 20\nWERBUNG_GRUNDPREIS 40\nWERBUNG_TV_AUFPREIS 200\n"
    "WERBUNG_HAUPTSPONSOR_AUFPREIS 150\nWERBUNG_BANDE_AUFPREIS 50\nWERBUNG_ERSATZPARTNER_AUFPREIS 30\n"
    "WERBUNG_RANGLISTEN_PROGRESSION 150\nWERBUNG_RANGLISTEN_PROGRESSION_GRENZE 100\nWERBUNG_VERTRAGSDAUER 17\n";

constexpr int32_t LIGA = 50;
constexpr int32_t POKAL = 60;

// Four clubs 2-5 in league 50 and cup 60, the rules of the generated world,
// the bank and both modules started.
class StadionWelt : public WeltTest {
protected:
    void SetUp() override {
        WeltTest::SetUp();
        Regeln_Standard();
        ASSERT_TRUE(Global_Config_Lesen_Text(STADION_REGELN, "test"));
        WettbewerbBeschreibung liga;
        liga.id = LIGA;
        liga.name = "Liga";
        liga.teams = 4;
        liga.spieltage = 6;
        liga.rueckspiel = 2;
        liga.team_liste = {2, 3, 4, 5};
        WettbewerbBeschreibung pokal = liga;
        pokal.id = POKAL;
        pokal.name = "Pokal";
        pokal.art = ART_POKAL;
        Spiele_Init();
        ASSERT_TRUE(Wettbewerb_Init({liga, pokal}));
        for (int32_t t = 2; t <= 5; ++t) Team_Wert(11, t, LIGA, 1);
        Bank_Starten();
        ASSERT_TRUE(Stadion_Init());
        ASSERT_TRUE(Werbung_Init());
    }
    void TearDown() override {
        Werbung_Free();
        Stadion_Free();
        Bank_Beenden();
        Wettbewerb_Free();
        Spiele_Free();
        Regeln_Standard();
        WeltTest::TearDown();
    }
    // A game of the competition with the two clubs; its handle.
    Spiel_Lock Spiel(int32_t heim, int32_t gast, int32_t wettbewerb = LIGA) {
        static int32_t runde = 0;
        ++runde;
        EXPECT_GE(Spiele_Neu(wettbewerb, runde, 0, 0, heim, gast), 0);
        return Spiele_Lock(wettbewerb, runde, 0, 0);
    }
    // A stadium of the given capacity for the club.
    Stadion_Satz* Bauen(int32_t team, int32_t kapazitaet) {
        Stadion_Satz v{};
        v.kapazitaet = kapazitaet;
        std::snprintf(v.name, sizeof v.name, "Arena %d", team);
        EXPECT_TRUE(Stadion_Team_Anlegen(team, &v));
        return Stadion_Get(team, 1);
    }
};

}  // namespace velmora::test
