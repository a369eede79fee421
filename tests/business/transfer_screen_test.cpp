// tests/business/transfer_screen_test.cpp - the transfer screen in a running
// game, opened from the team menu: the market's eleven, a selection and a
// negotiation whose price falls to an agreement, the deal's money and
// players; the release; the scout buttons; a negotiation that pauses with a
// change of screen and closes with the day; the price bar's edges.
#include "business/transfer_screen.h"

#include <algorithm>
#include <array>
#include <vector>

#include "business/bank.h"
#include "business/markt_statistik.h"
#include "business/training_screen.h"
#include "business/verhandlung.h"
#include "business/verhandlung_fenster.h"
#include "club/manager.h"
#include "club/markt_elf.h"
#include "club/transfer.h"
#include "club/spieler.h"
#include "club/team.h"
#include "club/team_suche.h"
#include "club/wirtschaft.h"
#include "core/spielstand.h"
#include "gui/menue_requester.h"
#include "match/day/spieltag_hooks.h"
#include "screens/menue_panel.h"
#include "season/kalender.h"
#include "screens/finanzen.h"
#include "tests/screens/geld_welt.h"

namespace velmora::test {
namespace {

constexpr int32_t TEAM_X = 322, TRANSFER_Y = 536;
constexpr int32_t RECHTS_X = 470, EIGENE_X = 120, START_X = 660, START_Y = 226;
constexpr int32_t VERLASSEN_X = 720, VERLASSEN_Y = 480;
int32_t Zeile_Y(int32_t i) { return 136 + 17 * i + 8; }

struct Zustand {
    TransferStand t;
    VerhandlungStand v{};
    bool offen = false, fenster = false;
    int32_t kontostand = 0, sekunden = 0, verhandlungen = 0;
    int32_t team_gekauft = -1, team_tausch = -1;   // where the negotiated players are
};
std::vector<Zustand> g_z;
int32_t g_tausch = -1, g_gekauft = -1, g_erloes = 0;

void Merken() {
    Zustand z;
    z.t = Transfer_Stand();
    z.offen = Verhandlung_Offen();
    z.fenster = Verhandlung_Fenster_Offen();
    if (z.offen) z.v = Verhandlung_Stand();
    z.kontostand = Bank_Kontostand(team, false, -1);
    z.sekunden = Verhandlung_Sekunden();
    z.verhandlungen = Team_Wert(TW_VERHANDLUNGEN, team, 0, OP_LESEN);
    if (g_gekauft >= 0) z.team_gekauft = Spieler_Get_Team(g_gekauft);
    if (g_tausch >= 0) z.team_tausch = Spieler_Get_Team(g_tausch);
    g_z.push_back(z);
}

// Money enough and three negotiations left.
void Vorbereiten() {
    ASSERT_TRUE(Bank_Gutschrift(team, 50000000.0f, BUCHUNG_SONSTIGE_EINNAHMEN, -1));
    Team_Wert(TW_VERHANDLUNGEN, team, 3, OP_SCHREIBEN);
}

// One phase at the starting offer: the price falls as soon as the clock runs.
void Eine_Phase() {
    const VerhandlungStand s = Verhandlung_Stand();
    g_tausch = s.tausch;
    g_gekauft = s.gekauft;
    g_erloes = Verhandlung_Verkauf_Erloes(s.tausch);
    const int32_t preis[1] = {s.angebot};
    Verhandlung_Phasen_Setzen(preis, 1, nullptr, 0);
}

class TransferScreen : public GeldWelt {
protected:
    void SetUp() override {
        GeldWelt::SetUp();
        g_z.clear();
        g_tausch = g_gekauft = -1;
    }
    // Into the screen, a market player selected, an own player clicked: the window opens.
    static void Bis_Zum_Fenster() {
        skript = {{4, 30, 300, 0, false, 0, Vorbereiten}};
        Menue_Eintrag(skript, TEAM_X, TRANSFER_Y);
        skript.push_back({2, 30, 300, 0, true, 0, Merken});   // z0, picture 0: the screen
        Klicken(skript, RECHTS_X, Zeile_Y(0), 4);
        skript.push_back({2, 650, 300, 0, true, 0, Merken});  // z1, picture 1: with a selection
        Klicken(skript, EIGENE_X, Zeile_Y(2), 4);
        skript.push_back({2, 650, 300, 0, false, 0, [] {
            Merken();                                      // z2: the window, before the clock
            Eine_Phase();
        }});
    }
};

TEST_F(TransferScreen, ANegotiationFallsToAgreementAndLeavingCarriesTheDealOut) {
    Bis_Zum_Fenster();
    Klicken(skript, START_X, START_Y, 2);                  // the clock runs, the price starts falling
    skript.push_back({68, 650, 300, 0, false});
    skript.push_back({200, 650, 300, 0, true, 0, [] {     // z3, picture 2: falling
        Merken();
        // The bar fills as the asking price falls from the demand.
        int32_t fuellung = -1, marke = -1;
        Verhandlung_Fenster_Balken(&fuellung, &marke);
        EXPECT_LT(Verhandlung_Stand().forderung, Verhandlung_Stand().start_forderung);
        EXPECT_GT(fuellung, 0);
        EXPECT_EQ(marke, 507 + 228);
    }});
    skript.push_back({1, 650, 300, 0, true, 0, Merken});   // z4, picture 3: agreed, four seconds on
    Klicken(skript, VERLASSEN_X, VERLASSEN_Y, 4);
    skript.push_back({2, 650, 300, 0, false, 0, Merken});  // z5: carried out
    ASSERT_TRUE(Spielen());
    EXPECT_EQ(Vergleichen("transfer_screen", 0), "");
    EXPECT_EQ(Vergleichen("transfer_auswahl", 1), "");
    EXPECT_EQ(Vergleichen("verhandlung_faellt", 2), "");
    EXPECT_EQ(Vergleichen("verhandlung_einigung", 3), "");
    ASSERT_EQ(g_z.size(), 6u);
    // Both lists filled: the squad and the market's eleven.
    EXPECT_GE(std::count_if(g_z[0].t.eigene, g_z[0].t.eigene + 20, [](int32_t p) { return p >= 0; }), 16);
    for (int32_t i = 0; i < 11; ++i) EXPECT_EQ(Spieler_Get_Team(g_z[0].t.rechts[i]), Team_Markt()) << "row " << i;
    EXPECT_EQ(g_z[1].t.auswahl, g_z[0].t.rechts[0]);
    ASSERT_TRUE(g_z[2].offen && g_z[2].fenster);
    EXPECT_EQ(g_z[2].v.gekauft, g_z[0].t.rechts[0]);
    EXPECT_EQ(g_z[2].v.tausch, g_z[0].t.eigene[2]);
    EXPECT_EQ(g_z[3].v.zustand, VH_FAELLT);
    EXPECT_LT(g_z[3].v.forderung, g_z[2].v.forderung);
    EXPECT_EQ(g_z[4].v.zustand, VH_BEENDET);
    EXPECT_EQ(g_z[4].v.einigung, 1);
    EXPECT_EQ(g_z[4].v.forderung, g_z[4].v.angebot);
    // Leaving carried the deal out: both players moved, the balance by proceeds - offer.
    EXPECT_FALSE(g_z[5].offen);
    EXPECT_FALSE(g_z[5].fenster);
    EXPECT_EQ(g_z[4].team_tausch, g_z[5].team_gekauft) << "before: the own club";
    EXPECT_NE(g_z[4].team_gekauft, g_z[4].team_tausch);
    EXPECT_EQ(g_z[5].team_tausch, g_z[4].team_gekauft) << "the exchange player went to the market";
    EXPECT_EQ(g_z[5].kontostand, g_z[4].kontostand + g_erloes - g_z[4].v.angebot);
    EXPECT_EQ(g_z[5].t.auswahl, -1);
    EXPECT_EQ(g_z[5].verhandlungen, 2);
}

// The footer's counter stops at the bank's balance after a deal, and the
// open period's sheet (the agency's fee of the first day, the money booked,
// both sides of the transfer) adds up from the start money to that balance.
int32_t Ergebnis_Offen() {
    const FinanzWerte w = Finanz_Werte_Berechnen(team, 0, -1, false);
    int32_t r = 0;
    for (int32_t z = 0; z < FINANZ_ZEILEN; ++z) r += z < FINANZ_EINNAHME_ZEILEN ? w.wert[z] : -w.wert[z];
    return r;
}

TEST_F(TransferScreen, TheCounterStopsAtTheBalanceAndTheSheetAddsUpToIt) {
    static int32_t start = 0, kontostand = 0, gezaehlt = 0, ergebnis = 0, agentur = 0;
    Bis_Zum_Fenster();
    skript.insert(skript.begin(), {2, 30, 300, 0, false, 0, [] {
        agentur = Finanz_Werte_Berechnen(team, 0, -1, false).wert[4];   // the advertising costs
        start = Bank_Kontostand(team, false, -1) - Ergebnis_Offen();
    }});
    Klicken(skript, START_X, START_Y, 2);
    skript.push_back({400, 650, 300, 0, false});          // agreed
    Klicken(skript, 630, 376, 4);                          // "Abschluss"
    skript.push_back({600, 650, 300, 0, false});
    skript.push_back({1, 650, 300, 0, false, 0, [] {      // the counter has run its course
        kontostand = Bank_Kontostand(team, false, -1);
        gezaehlt = Bank_Mittelwert(team, false, -1);
        ergebnis = Ergebnis_Offen();
    }});
    ASSERT_TRUE(Spielen());
    EXPECT_FALSE(Verhandlung_Offen()) << "the deal was carried out";
    EXPECT_EQ(agentur, 5000) << "the agency's fee of the first day";
    EXPECT_EQ(gezaehlt, kontostand) << "the counter stops at the balance";
    EXPECT_EQ(start + ergebnis, kontostand) << "the sheet adds up to the balance";
}

// An own row's help box: the labels of the money lines ("Wert ohne Talente")
// and their values each keep their own room.
TEST_F(TransferScreen, AnOwnRowsHelpBoxKeepsItsLabelsClearOfTheirValues) {
    skript = {{4, 30, 300, 0, false}};
    Menue_Eintrag(skript, TEAM_X, TRANSFER_Y);
    skript.push_back({120, EIGENE_X, Zeile_Y(2), 0, false});
    skript.push_back({1, EIGENE_X, Zeile_Y(2), 0, true});
    ASSERT_TRUE(Spielen());
    ASSERT_EQ(fotos.size(), 1u);
    EXPECT_EQ(Vergleichen("transfer_hilfe_geld", 0), "");
}

// A change of screen pauses the clock and takes the window; the transfer
// screen brings both back with the time left; the day's end closes it.
TEST_F(TransferScreen, ANegotiationPausesWithAChangeOfScreenAndClosesWithTheDay) {
    Bis_Zum_Fenster();
    skript.push_back({1, 650, 300, 0, false, 0, [] {
        Verhandlung_Phasen_Setzen(nullptr, 0, nullptr, 0);   // nothing falls
    }});
    Klicken(skript, START_X, START_Y, 50);
    Menue_Eintrag(skript, VEREIN_X, BANK_Y);
    skript.push_back({100, 30, 300, 0, false, 0, Merken});    // z3: on the bank screen
    skript.push_back({1, 30, 300, 0, false, 0, Merken});      // z4: two seconds later
    Menue_Eintrag(skript, TEAM_X, TRANSFER_Y);
    skript.push_back({2, 30, 300, 0, false, 0, Merken});      // z5: back
    skript.push_back({2, 30, 300, 0, false, 0, [] { Menue_Weiter(); }});
    skript.push_back({2, 30, 300, 0, false, 0, Merken});      // z6: the day is over
    ASSERT_TRUE(Spielen());
    ASSERT_EQ(g_z.size(), 7u);
    EXPECT_EQ(g_z[3].v.zustand, VH_PAUSE);
    EXPECT_FALSE(g_z[3].fenster);
    EXPECT_EQ(g_z[4].sekunden, g_z[3].sekunden) << "the paused clock stands";
    EXPECT_TRUE(g_z[5].fenster);
    EXPECT_EQ(g_z[5].v.zustand, VH_LAEUFT);
    EXPECT_GE(g_z[5].sekunden, g_z[3].sekunden - 1);
    EXPECT_FALSE(g_z[6].offen);
    EXPECT_EQ(g_z[6].team_gekauft, g_z[3].team_gekauft) << "no deal";
    EXPECT_EQ(g_z[6].team_tausch, team);
}

// The release: to the market for nothing, or to the second club for its
// first player of the same kind, his strengths capped at that club's.
TEST_F(TransferScreen, AReleaseLeavesTheBalanceAndGoesToTheMarketOrTheSecondClub) {
    skript = {{4, 30, 300, 0, false, 0, Vorbereiten}};
    Menue_Eintrag(skript, TEAM_X, TRANSFER_Y);
    skript.push_back({2, 30, 300, 0, false, 0, [] {
        struct Fall {
            bool zweitclub;
        };
        for (const Fall f : {Fall{false}, Fall{true}}) {
            SCOPED_TRACE(f.zweitclub ? "second club" : "market");
            int32_t zweit = Team_Markt();
            for (int32_t c = 0; f.zweitclub && c < Team_Anzahl(); ++c)
                if (c != team && Team_Ist_Normal(c, 0) && !Team_Hat_Manager(c)) {
                    zweit = c;
                    break;
                }
            ASSERT_GE(zweit, 0);
            Team_Wert(TW_ZWEITCLUB, team, f.zweitclub ? zweit : -1, OP_SCHREIBEN);
            const TransferStand t = Transfer_Stand();
            const int32_t p = t.eigene[f.zweitclub ? 5 : 4];
            const int32_t gegen = f.zweitclub ? Team_Suche_Spieler_Mit_Art(zweit, Spieler_Get_Art(p)) : -1;
            Spieler_Wert(SPW_MAX_STERNE, p, 12, OP_SCHREIBEN);
            Spieler_Wert(SPW_STERNE, p, 12, OP_SCHREIBEN);
            const int32_t grenze = Team_Get_Staerke(zweit) / 20, grenze_2 = Team_Get_Staerke_2(zweit) / 20;
            const int32_t konto = Bank_Kontostand(team, false, -1);
            ASSERT_TRUE(Transfer_Freigeben(p));
            EXPECT_EQ(Spieler_Get_Team(p), zweit);
            EXPECT_EQ(Bank_Kontostand(team, false, -1), konto);
            if (f.zweitclub) {
                EXPECT_EQ(Spieler_Get_Team(gegen), team);
                EXPECT_EQ(Spieler_Wert(SPW_STERNE, p, 0, OP_LESEN), std::min(12, grenze));
                EXPECT_EQ(Spieler_Wert(SPW_MAX_STERNE, p, 0, OP_LESEN), std::min(12, grenze_2));
            } else {
                EXPECT_EQ(Spieler_Wert(SPW_STERNE, p, 0, OP_LESEN), 12) << "the market keeps his strength";
            }
            const TransferStand n = Transfer_Stand();
            EXPECT_EQ(std::count(n.eigene, n.eigene + 20, p), 0) << "the list was refreshed";
        }
        // Scout buttons: 0 down gives 3; a second step within 300 ms is dropped.
        EXPECT_TRUE(Transfer_Scout_Schritt(-1));
        EXPECT_EQ(Transfer_Stand().scout, TRANSFER_SCOUTS - 1);
        EXPECT_FALSE(Transfer_Scout_Schritt(1));
        EXPECT_EQ(Manager_Icon_Button_Lesen(team, ICON_TRANSFER_SCOUT_LOS), TRANSFER_SCOUTS - 1);
    }});
    skript.back().bilder = 16;
    skript.push_back({1, 30, 300, 0, false, 0, [] {
        EXPECT_TRUE(Transfer_Scout_Schritt(1)) << "320 ms later";
        EXPECT_EQ(Transfer_Stand().scout, 0);
    }});
    ASSERT_TRUE(Spielen());
}

// After a match a human club's players may train again (value 98 back to 0); a computer club's stay as they are.
TEST_F(TransferScreen, AHumanClubsMatchFreesItsPlayersTrainingUnits) {
    skript = {{4, 30, 300, 0, false, 0, [] {
        int32_t andere = -1;
        for (int32_t c = 0; c < Team_Anzahl() && andere < 0; ++c)
            if (c != team && Team_Ist_Normal(c, 0) && !Team_Hat_Manager(c)) andere = c;
        ASSERT_GE(andere, 0);
        int32_t eigene[TEAM_SPIELER_MAX], fremde[TEAM_SPIELER_MAX];
        ASSERT_GT(Teamspieler_Ins_Array(team, eigene, TEAM_SPIELER_MAX, 0), 0);
        ASSERT_GT(Teamspieler_Ins_Array(andere, fremde, TEAM_SPIELER_MAX, 0), 0);
        Spieler_Wert(SPW_TRAINING_EINHEITEN, eigene[0], 3, OP_SCHREIBEN);
        Spieler_Wert(SPW_TRAINING_EINHEITEN, fremde[0], 3, OP_SCHREIBEN);
        for (int32_t c : {team, andere}) Spieltag_Hooks().nach_spiel_team.Aufrufen_Unter(prio::SPIELTAG_NACH_SPIEL, c, -1);
        EXPECT_EQ(Spieler_Wert(SPW_TRAINING_EINHEITEN, eigene[0], 0, OP_LESEN), 0);
        EXPECT_EQ(Spieler_Wert(SPW_TRAINING_EINHEITEN, fremde[0], 0, OP_LESEN), 3);
    }}};
    ASSERT_TRUE(Spielen());
}

// A transfer made outside the screen (a negotiation carried out at the day's
// end, the server answering another machine) shows at once in the open
// screen's squad list: the club module tells the screens through the root.
struct KaderFall {
    int32_t eintrag_y;
    bool training;
};
KaderFall g_fall{};
int32_t g_weg = -1;

void Kader_Fall_Spielen(const KaderFall& f, std::vector<Schritt>& s) {
    g_fall = f;
    g_weg = -1;
    s = {{4, 30, 300, 0, false, 0, nullptr}};
    Menue_Eintrag(s, TEAM_X, f.eintrag_y);
    s.push_back({2, 30, 300, 0, false, 0, [] {
        int32_t eigene[TEAM_SPIELER_MAX];
        ASSERT_GT(Teamspieler_Ins_Array(team, eigene, TEAM_SPIELER_MAX, 0), 1);
        g_weg = g_fall.training ? Training_Screen_Stand().spieler : eigene[0];
        ASSERT_GE(g_weg, 0);
        ASSERT_TRUE(Spieler_Transfer_Ausfuehren(team, Team_Markt(), g_weg, -1, 0));
        if (g_fall.training) {
            ASSERT_TRUE(Training_Screen_Offen());
            const TrainingStand t = Training_Screen_Stand();
            EXPECT_EQ(std::count(t.zeilen, t.zeilen + TRAINING_ZEILEN, g_weg), 0);
            EXPECT_NE(t.spieler, g_weg) << "the selection moved to a player still there";
            EXPECT_GE(t.spieler, 0);
        } else {
            ASSERT_TRUE(Transfer_Screen_Offen());
            const TransferStand t = Transfer_Stand();
            EXPECT_EQ(std::count(t.eigene, t.eigene + TRANSFER_EIGENE_ZEILEN, g_weg), 0);
            EXPECT_EQ(std::count_if(t.eigene, t.eigene + TRANSFER_EIGENE_ZEILEN, [](int32_t p) { return p >= 0; }),
                      std::min(TRANSFER_EIGENE_ZEILEN, Teamspieler_Ins_Array(team, nullptr, 0, 0)));
        }
    }});
}

TEST_F(TransferScreen, ATransferElsewhereShowsInTheOpenTransferList) {
    Kader_Fall_Spielen({TRANSFER_Y, false}, skript);
    ASSERT_TRUE(Spielen());
}

TEST_F(TransferScreen, ATransferElsewhereShowsInTheOpenTrainingList) {
    Kader_Fall_Spielen({558, true}, skript);
    ASSERT_TRUE(Spielen());
}

// The market statistics: the stars' buckets (12 half stars in the last, 6 in
// the fourth), a competition without clubs without an average, and the screen.
TEST_F(TransferScreen, TheMarketStatisticsCountStarsByBucketAndSkipEmptyCompetitions) {
    skript = {{4, 30, 300, 0, false, 0, [] {
        std::vector<int32_t> markt(4000);
        const int32_t n = Teamspieler_Ins_Array(Team_Markt(), markt.data(), 4000, 0x40000);
        ASSERT_GE(n, 2);
        const std::vector<int32_t> vorher = Markt_Statistik_Sterne(false);
        const int32_t a = markt[0], b = markt[1];
        const int32_t eimer_a = std::clamp(Spieler_Sterne(a) / 2, 0, 5), eimer_b = std::clamp(Spieler_Sterne(b) / 2, 0, 5);
        Spieler_Wert(SPW_STERNE, a, 12, OP_SCHREIBEN);
        Spieler_Wert(SPW_STERNE, b, 6, OP_SCHREIBEN);
        std::vector<int32_t> soll = vorher;
        --soll[size_t(eimer_a)];
        --soll[size_t(eimer_b)];
        ++soll[5];
        ++soll[3];
        EXPECT_EQ(Markt_Statistik_Sterne(false), soll);
        int32_t summe = 0;
        for (int32_t e : Markt_Statistik_Sterne(false)) summe += e;
        EXPECT_EQ(summe, n);
        const WettbewerbStaerke leer = Markt_Statistik_Wettbewerb(-1);
        EXPECT_EQ(leer.clubs, 0);
        EXPECT_EQ(leer.schnitt, 0);
        Transfermarkt_Statistik_Screen();
    }}};
    skript.push_back({2, 30, 300, 0, true});
    ASSERT_TRUE(Spielen());
    EXPECT_EQ(Vergleichen("markt_statistik", 0), "");
}

// The market's eleven: one goalkeeper, four defenders, three midfielders and
// three forwards, no scout's prospect, the same all day, again after a
// transfer; the demand's surcharge follows the day.
TEST_F(TransferScreen, TheMarketLinesUpElevenByKindTheSameAllDay) {
    skript = {{4, 30, 300, 0, false, 0, [] {
        auto elf = [] {
            int16_t e[16];
            EXPECT_NE(Team_Zeiger(TZ_STARTELF, Team_Markt(), e, OP_LESEN), nullptr);
            return std::vector<int32_t>(e, e + 11);
        };
        EXPECT_EQ(Markt_Elf_Tag(), Tag_Index());
        // A new world's clubs start with their month's negotiations; a month refills only what was used.
        EXPECT_EQ(Team_Wert(TW_VERHANDLUNGEN, team, 0, OP_LESEN), MARKT_VERHANDLUNGEN_JE_MONAT);
        Team_Wert(TW_VERHANDLUNGEN, team, 0, OP_SCHREIBEN);
        Markt_Verhandlungen_Auffuellen(true);
        EXPECT_EQ(Team_Wert(TW_VERHANDLUNGEN, team, 0, OP_LESEN), 0) << "used up is not new";
        Markt_Verhandlungen_Auffuellen(false);
        EXPECT_EQ(Team_Wert(TW_VERHANDLUNGEN, team, 0, OP_LESEN), MARKT_VERHANDLUNGEN_JE_MONAT);
        const std::vector<int32_t> heute = elf();
        std::array<int32_t, 4> arten{};
        for (int32_t slot = 0; slot < 11; ++slot) {
            const int32_t p = heute[size_t(slot)];
            ASSERT_GE(p, 0) << "slot " << slot;
            EXPECT_FALSE(Spieler_Status(p) & SP_STATUS_SCOUT);
            ++arten[size_t(Spieler_Get_Art(p))];
        }
        EXPECT_EQ(arten, (std::array<int32_t, 4>{1, 4, 3, 3}));
        Markt_Elf_Aufstellen(Tag_Index());
        EXPECT_EQ(elf(), heute) << "the same draw all day";
        Markt_Elf_Aufstellen(Tag_Index() + 1);
        EXPECT_NE(elf(), heute) << "another day, another eleven";
        Markt_Elf_Aufstellen(Tag_Index());
        // A transfer to the market draws again for the day: still eleven.
        int32_t eigene[TEAM_SPIELER_MAX];
        ASSERT_GT(Teamspieler_Ins_Array(team, eigene, TEAM_SPIELER_MAX, 0), 0);
        ASSERT_TRUE(Spieler_Transfer_Ausfuehren(team, Team_Markt(), eigene[0], -1, 0));
        const std::vector<int32_t> danach = elf();
        EXPECT_EQ(std::count(danach.begin(), danach.end(), -1), 0);
    }}};
    ASSERT_TRUE(Spielen());
}

// The price bar: none before the clock runs; then an empty fill and the
// marker at the right while the asking price stands; a demand no higher than
// the lowest price (nothing to bargain) gives a full bar with the marker at
// its start, never past 228 pixels.
TEST_F(TransferScreen, ThePriceBarStaysWithinItsWidth) {
    Bis_Zum_Fenster();
    skript.push_back({1, 650, 300, 0, false, 0, [] {
        int32_t fuellung = 0, marke = 0;
        Verhandlung_Fenster_Balken(&fuellung, &marke);
        EXPECT_EQ(fuellung, -1) << "no bar before the clock runs";
        const int32_t preis[1] = {Verhandlung_Stand().forderung};   // the asking price stays
        Verhandlung_Phasen_Setzen(preis, 1, nullptr, 0);
    }});
    Klicken(skript, START_X, START_Y, 2);
    skript.push_back({1, 650, 300, 0, false, 0, [] {
        int32_t fuellung = 0, marke = 0;
        Verhandlung_Fenster_Balken(&fuellung, &marke);
        EXPECT_EQ(fuellung, 0) << "the asking price has not moved";
        EXPECT_EQ(marke, 507 + 228) << "the offer at the lowest price, where it starts";
        Verhandlung_Fenster_Erhoehen(false);
        Verhandlung_Fenster_Balken(&fuellung, &marke);
        EXPECT_GT(marke, 507);
        EXPECT_LT(marke, 507 + 228);
        // The demand equal to the lowest price, by a saved negotiation.
        std::vector<uint8_t> block;
        Verhandlung_Save(block);
        auto setzen = [&](size_t feld, int32_t wert) {
            for (int32_t b = 0; b < 4; ++b) block[feld * 4 + size_t(b)] = uint8_t(uint32_t(wert) >> (8 * b));
        };
        const int32_t boden = Verhandlung_Untergrenze();
        setzen(6, boden);   // the asking price
        setzen(7, boden);   // the demand it started from
        setzen(5, boden);   // the offer
        ASSERT_TRUE(Verhandlung_Load(block.data(), block.size()));
        Verhandlung_Fenster_Balken(&fuellung, &marke);
        EXPECT_EQ(fuellung, 228);
        EXPECT_EQ(marke, 507);
    }});
    ASSERT_TRUE(Spielen());
}

}  // namespace
}  // namespace velmora::test
