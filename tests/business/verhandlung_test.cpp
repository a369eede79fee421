// The timed transfer negotiation: money rules, prices and phases, the clock,
// the falling asking price, raises, pauses, the transfer and the save block.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include "business/scout.h"
#include "business/verhandlung.h"
#include "club/kader_hooks.h"
#include "club/wirtschaft.h"
#include "core/bytes.h"
#include "core/spielstand.h"
#include "core/spielstand_testing.h"
#include "platform/clock.h"
#include "tests/business/bank_welt.h"

namespace velmora {
namespace {

using test::BankWelt;

constexpr int32_t LOKAL = 2;
constexpr int32_t TAUSCH = 5;            // a player of club 2, strength 5000
constexpr int32_t MARKT_ERSTER = 72;     // the market's players are 72..76

bool Gleich(const VerhandlungStand& a, const VerhandlungStand& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

class VerhandlungTest : public ::testing::Test {
protected:
    void SetUp() override {
        welt = std::make_unique<BankWelt>();
        Plat_Uhr_Virtuell(true, 100000);
        Team_Lokal_Setzen(LOKAL);
        Team_Wert(20, LOKAL, 3, OP_SCHREIBEN);
        Transferfaktor_Leeren();
        Transferfaktor_Setzen(TF_MARKTWERT_ABS, 400);
        Transferfaktor_Setzen(TF_PROGRESSION, 200);
        Transferfaktor_Setzen(TF_PROGRESSION_GRENZE, 50);
        Transferfaktor_Setzen(TF_COMPI_TRANSFER_VERKAUF_ABZUG, 20);
        const int32_t t[3] = {60, 15, 25};
        Transferfaktor_Liste_Setzen(TF_STAERKE_SPIELE_ART_TRANSFER, t, 3);
        for (int32_t p = MARKT_ERSTER; p < MARKT_ERSTER + 5; ++p) {
            Spieler_Wert(58, p, 6000 + 1000 * (p - MARKT_ERSTER), OP_SCHREIBEN);
            Spieler_Wert(56, p, 9, OP_SCHREIBEN);
        }
        KaderHooks& k = Kader_Hooks();
        k.bank_kontostand = [](int32_t team) { return float(Bank_Kontostand(team, false, -1)); };
        k.bank_ueberweisung = [](int32_t von, int32_t an, float betrag, int32_t kategorie, bool zwingend) {
            return Bank_Ueberweisung(von, an, betrag, uint8_t(kategorie), zwingend ? 1 : 0, -1);
        };
        // The sale proceeds of a transfer come from the negotiation, as in the game.
        k.verkaufserloes = [](int32_t spieler) { return float(Verhandlung_Verkauf_Erloes(spieler)); };
        Verhandlung_Init();
    }
    void TearDown() override {
        Verhandlung_Init();
        Spielstand_Module_Zuruecksetzen();
        Kader_Hooks() = KaderHooks{};
        Plat_Uhr_Virtuell(false);
        welt.reset();
    }
    // Opens a negotiation for `gekauft` and fixes its phases and offer times.
    void Oeffnen(int32_t gekauft, std::initializer_list<int32_t> preise, std::initializer_list<int32_t> zeiten) {
        ASSERT_EQ(Verhandlung_Starten(TAUSCH, gekauft), VH_OK);
        std::vector<int32_t> p(preise), z(zeiten);
        Verhandlung_Phasen_Setzen(p.data(), int32_t(p.size()), z.data(), int32_t(z.size()));
    }
    // Frames of 10 ms over `ms`.
    static void Laufen(int32_t ms) {
        for (int32_t t = 0; t < ms; t += 10) {
            Plat_Uhr_Vorstellen(10);
            Verhandlung_Takt();
        }
    }
    // Sets the club's money available to exactly `ziel`.
    static void Geld_Auf(int32_t ziel) {
        int32_t jetzt = Verhandlung_Geld_Verfuegbar(LOKAL, TAUSCH);
        if (jetzt > ziel) Bank_Ueberweisung(LOKAL, -1, float(jetzt - ziel), BUCHUNG_SONSTIGE_KOSTEN, 1, -1);
        if (jetzt < ziel) Bank_Ueberweisung(-1, LOKAL, float(ziel - jetzt), BUCHUNG_SONSTIGE_EINNAHMEN, 1, -1);
    }
    // Values ten times larger and money for any of them: returns a market
    // player whose demand lies at least `abstand` above his market value.
    static int32_t Mit_Aufschlag(int32_t abstand) {
        Transferfaktor_Setzen(TF_MARKTWERT_ABS, 4000);
        for (int32_t p = MARKT_ERSTER; p < MARKT_ERSTER + 5; ++p) {
            if (Spieler_Get_Forderung(p) - Spieler_Berechne_Marktwert(p) < abstand) continue;
            Geld_Auf(Spieler_Get_Forderung(p) + 1000000);
            return p;
        }
        ADD_FAILURE() << "no market player with a surcharge of " << abstand;
        return MARKT_ERSTER;
    }
    std::unique_ptr<BankWelt> welt;
};

TEST_F(VerhandlungTest, SaleDeductionStaysWithinTheFactorAndTheSameAllDay) {
    for (int32_t p : {TAUSCH, 8, MARKT_ERSTER, MARKT_ERSTER + 4}) {
        int64_t wert = Spieler_Berechne_Marktwert(p);
        int32_t abzug = Verhandlung_Verkauf_Abzug(p);
        EXPECT_EQ(abzug % 10000, 0);
        EXPECT_GE(abzug, wert * 15 / 100 - 10000) << p;
        EXPECT_LE(abzug, wert * 25 / 100) << p;
        int32_t index = Rnd_Get_Index();
        Rnd(0, 100);
        EXPECT_EQ(Verhandlung_Verkauf_Abzug(p), abzug) << "the deduction moved within the day";
        EXPECT_EQ(Rnd_Get_Index(), index + 1) << "the seeded draw disturbed the random index";
        EXPECT_EQ(Verhandlung_Verkauf_Erloes(p), (wert - abzug) / 10000 * 10000);
    }
    // A player without strength brings nothing.
    Spieler_Wert(58, 0, 0, OP_SCHREIBEN);
    EXPECT_EQ(Verhandlung_Verkauf_Erloes(0), 0);
    // A factor below 5 does not turn the deduction into a bonus.
    Transferfaktor_Setzen(TF_COMPI_TRANSFER_VERKAUF_ABZUG, 0);
    EXPECT_GE(Verhandlung_Verkauf_Abzug(TAUSCH), 0);
    EXPECT_LE(Verhandlung_Verkauf_Erloes(TAUSCH), Spieler_Berechne_Marktwert(TAUSCH));
    EXPECT_EQ(Verhandlung_Verkauf_Abzug(-1), 0);
    EXPECT_EQ(Verhandlung_Verkauf_Erloes(100000), 0);
}

TEST_F(VerhandlungTest, MoneyAvailableIsBalancePlusProceeds) {
    EXPECT_EQ(Verhandlung_Geld_Verfuegbar(LOKAL, TAUSCH), 1000000 + Verhandlung_Verkauf_Erloes(TAUSCH));
    EXPECT_EQ(Verhandlung_Geld_Verfuegbar(LOKAL, -1), 1000000);
    Bank_Ueberweisung(LOKAL, -1, 3000000.0f, BUCHUNG_SONSTIGE_KOSTEN, 1, -1);
    EXPECT_EQ(Verhandlung_Geld_Verfuegbar(LOKAL, -1), 0) << "a debt is no money available";
    EXPECT_EQ(Verhandlung_Geld_Verfuegbar(99, -1), 0);
}

TEST_F(VerhandlungTest, StartIsRefusedWithoutMoneyOrNegotiationsLeft) {
    int32_t wert = Spieler_Berechne_Marktwert(MARKT_ERSTER);
    ASSERT_GT(wert, 0);
    Geld_Auf(wert);
    EXPECT_EQ(Verhandlung_Starten(TAUSCH, MARKT_ERSTER), VH_GELD_REICHT_NICHT) << "money must exceed the value";
    EXPECT_FALSE(Verhandlung_Offen());
    Geld_Auf(wert + 10000);
    Team_Wert(20, LOKAL, 0, OP_SCHREIBEN);
    EXPECT_EQ(Verhandlung_Starten(TAUSCH, MARKT_ERSTER), VH_KEINE_VERHANDLUNG);
    Team_Wert(20, LOKAL, 1, OP_SCHREIBEN);
    const struct {
        int32_t tausch, gekauft;
    } SCHLECHT[] = {{TAUSCH, TAUSCH}, {30, MARKT_ERSTER}, {-1, MARKT_ERSTER}, {TAUSCH, -1}, {TAUSCH, 9999}};
    for (const auto& f : SCHLECHT) EXPECT_EQ(Verhandlung_Starten(f.tausch, f.gekauft), VH_UNGUELTIG) << f.tausch;
    EXPECT_EQ(Verhandlung_Starten(TAUSCH, MARKT_ERSTER), VH_OK);
    EXPECT_TRUE(Verhandlung_Offen());
    EXPECT_EQ(Verhandlung_Stand().zustand, VH_NICHT_GESTARTET);
}

TEST_F(VerhandlungTest, PricesPhasesAndOfferTimesFollowTheRules) {
    for (int32_t lauf = 0; lauf < 300; ++lauf) {
        Rnd_Set_Index(lauf * 37, 0);
        int32_t gekauft = MARKT_ERSTER + lauf % 5;
        bool scout = lauf % 2 == 1;
        Spieler_Wert(75, gekauft, int32_t(SP_STATUS_SCOUT), scout ? OP_SETZEN : OP_LOESCHEN);
        ASSERT_EQ(Verhandlung_Starten(TAUSCH, gekauft), VH_OK);
        VerhandlungStand s = Verhandlung_Stand();
        int64_t v = Spieler_Berechne_Marktwert(gekauft);
        int32_t v2 = int32_t((scout ? v - v * 10 / 100 : v) / 10000 * 10000);
        int32_t geld = Verhandlung_Geld_Verfuegbar(LOKAL, TAUSCH);
        EXPECT_EQ(s.angebot, std::min(geld, v2) / 10000 * 10000);
        EXPECT_EQ(s.forderung, Spieler_Get_Forderung(gekauft));
        EXPECT_TRUE(s.phasen == 0 || s.phasen % 2 == 1) << s.phasen;
        EXPECT_LE(s.phasen, 11);
        EXPECT_TRUE(std::is_sorted(s.phase_preis, s.phase_preis + s.phasen));
        for (int32_t i = 0; i < s.phasen; ++i) {
            EXPECT_EQ(s.phase_preis[i] % 10000, 0);
            EXPECT_GE(s.phase_preis[i], v2 / 10000 * 10000 - 10000);
            EXPECT_LE(s.phase_preis[i], s.forderung);
        }
        EXPECT_LE(s.zeiten, s.phasen);
        for (int32_t i = 0; i < s.zeiten; ++i) {
            EXPECT_GE(s.zeit[i], 2000);
            if (i > 0) {
                EXPECT_GE(s.zeit[i], s.zeit[i - 1] + 2000);
            }
        }
        if (s.zeiten > 0) {
            EXPECT_LE(s.zeit[0], 28000);
        }
        EXPECT_EQ(s.preis_phase, s.phasen > 1 ? s.phasen - 1 : 0);
        EXPECT_EQ(s.angebot_phase, 0);
    }
}

TEST_F(VerhandlungTest, DrawnPricesRepeatFromTheSameRandomState) {
    Rnd_Set_Index(1234, 0);
    ASSERT_EQ(Verhandlung_Starten(TAUSCH, MARKT_ERSTER + 2), VH_OK);
    VerhandlungStand a = Verhandlung_Stand();
    Rnd_Set_Index(1234, 0);
    ASSERT_EQ(Verhandlung_Starten(TAUSCH, MARKT_ERSTER + 2), VH_OK);
    VerhandlungStand b = Verhandlung_Stand();
    EXPECT_EQ(Gleich(a, b), true);
}

TEST_F(VerhandlungTest, OfferTimesAreSpacedTwoSecondsApart) {
    const struct {
        std::vector<int32_t> rein, raus;
    } FAELLE[] = {
        {{5000, 5500}, {5000, 7000}},
        {{5500, 5000}, {5000, 7000}},
        {{3000, 3000, 3000}, {3000, 5000, 7000}},
        {{2000, 9000, 9500}, {2000, 9000, 11000}},
    };
    for (const auto& f : FAELLE) {
        ASSERT_EQ(Verhandlung_Starten(TAUSCH, MARKT_ERSTER), VH_OK);
        std::vector<int32_t> preise(f.rein.size() + 1, 500000);
        Verhandlung_Phasen_Setzen(preise.data(), int32_t(preise.size()), f.rein.data(), int32_t(f.rein.size()));
        VerhandlungStand s = Verhandlung_Stand();
        ASSERT_EQ(s.zeiten, int32_t(f.raus.size()));
        for (size_t i = 0; i < f.raus.size(); ++i) EXPECT_EQ(s.zeit[i], f.raus[i]);
    }
}

TEST_F(VerhandlungTest, WithoutPhasesNothingDropsAndTheClockEndsWithoutDeal) {
    Oeffnen(MARKT_ERSTER, {}, {});
    VerhandlungStand vor = Verhandlung_Stand();
    ASSERT_EQ(Verhandlung_Uhr_Starten(), VH_OK);
    EXPECT_EQ(Team_Wert(20, LOKAL, 0, OP_LESEN), 2) << "the clock uses up one negotiation";
    EXPECT_EQ(Verhandlung_Uhr_Starten(), VH_UNGUELTIG) << "a running clock does not start again";
    EXPECT_EQ(Verhandlung_Sekunden(), 30);
    Laufen(29990);
    EXPECT_EQ(Verhandlung_Stand().forderung, vor.forderung);
    EXPECT_EQ(Verhandlung_Stand().zustand, VH_LAEUFT);
    EXPECT_EQ(Verhandlung_Sekunden(), 0);
    Laufen(20);
    EXPECT_EQ(Verhandlung_Stand().zustand, VH_BEENDET);
    EXPECT_EQ(Verhandlung_Stand().einigung, 0);
    EXPECT_EQ(Verhandlung_Erhoehen(true), VH_UNGUELTIG) << "no raise after the time is up";
    EXPECT_EQ(Verhandlung_Verlassen(), VH_GESCHLOSSEN);
    EXPECT_FALSE(Verhandlung_Offen());
    EXPECT_EQ(Spieler_Get_Team(MARKT_ERSTER), 0) << "no deal, no transfer";
}

TEST_F(VerhandlungTest, WithoutPhasesOnlyRaisingToTheDemandAgrees) {
    Oeffnen(MARKT_ERSTER, {}, {});
    ASSERT_EQ(Verhandlung_Uhr_Starten(), VH_OK);
    int32_t forderung = Verhandlung_Stand().forderung;
    VerhandlungAntwort a = VH_OK;
    for (int32_t i = 0; i < 100 && a == VH_OK; ++i) {
        Plat_Uhr_Vorstellen(150);
        Verhandlung_Takt();
        a = Verhandlung_Erhoehen(false);
    }
    EXPECT_EQ(a, VH_EINIGUNG);
    VerhandlungStand s = Verhandlung_Stand();
    EXPECT_EQ(s.angebot, forderung);
    EXPECT_EQ(s.forderung, forderung);
    EXPECT_EQ(s.zustand, VH_BEENDET);
    EXPECT_EQ(s.einigung, 1);
}

TEST_F(VerhandlungTest, RaisesRepeatAtMostEvery150ms) {
    Oeffnen(MARKT_ERSTER, {}, {});
    EXPECT_EQ(Verhandlung_Erhoehen(false), VH_UNGUELTIG) << "no raise before the clock runs";
    ASSERT_EQ(Verhandlung_Uhr_Starten(), VH_OK);
    int32_t angebot = Verhandlung_Stand().angebot;
    ASSERT_LT(angebot + 20000, Verhandlung_Stand().forderung);
    EXPECT_EQ(Verhandlung_Erhoehen(false), VH_OK);
    Plat_Uhr_Vorstellen(149);
    EXPECT_EQ(Verhandlung_Erhoehen(false), VH_UNGUELTIG);
    Plat_Uhr_Vorstellen(1);
    EXPECT_EQ(Verhandlung_Erhoehen(false), VH_OK);
    EXPECT_EQ(Verhandlung_Stand().angebot, angebot + 20000);
}

TEST_F(VerhandlungTest, TheBigButtonNearTheAskingPriceAgreesAtOnce) {
    Oeffnen(MARKT_ERSTER, {}, {});
    ASSERT_EQ(Verhandlung_Uhr_Starten(), VH_OK);
    int32_t forderung = Verhandlung_Stand().forderung;
    // Small steps up to 50,000 below the asking price.
    while (Verhandlung_Stand().angebot < forderung - 50000) {
        Plat_Uhr_Vorstellen(150);
        ASSERT_EQ(Verhandlung_Erhoehen(false), VH_OK);
    }
    Plat_Uhr_Vorstellen(150);
    EXPECT_EQ(Verhandlung_Erhoehen(true), VH_EINIGUNG);
    EXPECT_EQ(Verhandlung_Stand().angebot, forderung);
    EXPECT_EQ(Verhandlung_Stand().einigung, 1);
}

TEST_F(VerhandlungTest, ARaiseBeyondTheMoneyIsRefusedAndTheOfferStays) {
    int32_t gekauft = -1;
    for (int32_t p = MARKT_ERSTER; p < MARKT_ERSTER + 5 && gekauft < 0; ++p)
        if (Spieler_Get_Forderung(p) >= Spieler_Berechne_Marktwert(p) + 60000) gekauft = p;
    ASSERT_GE(gekauft, 0) << "no market player with a surcharge";
    int32_t wert = Spieler_Berechne_Marktwert(gekauft) / 10000 * 10000;
    Geld_Auf(wert + 20000);
    Oeffnen(gekauft, {}, {});
    ASSERT_EQ(Verhandlung_Uhr_Starten(), VH_OK);
    int32_t angebot = Verhandlung_Stand().angebot;
    EXPECT_EQ(angebot, wert);
    EXPECT_EQ(Verhandlung_Erhoehen(true), VH_UEBER_LIMIT);
    EXPECT_EQ(Verhandlung_Stand().angebot, angebot);
    Plat_Uhr_Vorstellen(150);
    EXPECT_EQ(Verhandlung_Erhoehen(false), VH_OK);
    Plat_Uhr_Vorstellen(150);
    EXPECT_EQ(Verhandlung_Erhoehen(false), VH_OK);
    Plat_Uhr_Vorstellen(150);
    EXPECT_EQ(Verhandlung_Erhoehen(false), VH_UEBER_LIMIT);
    EXPECT_EQ(Verhandlung_Stand().angebot, wert + 20000);
    EXPECT_EQ(Verhandlung_Stand().einigung, 0);
}

TEST_F(VerhandlungTest, AnOfferAtAPhasePriceMakesTheAskingPriceFall) {
    int32_t p = Mit_Aufschlag(500000);
    Oeffnen(p, {}, {});
    VerhandlungStand s = Verhandlung_Stand();
    int32_t ziel = s.forderung - 350000;
    ASSERT_GT(ziel, s.angebot + 100000);
    Oeffnen(p, {s.angebot, ziel - 50000, ziel}, {});
    ASSERT_EQ(Verhandlung_Uhr_Starten(), VH_OK);
    Plat_Uhr_Vorstellen(10);
    Verhandlung_Takt();
    ASSERT_EQ(Verhandlung_Stand().zustand, VH_FAELLT);
    EXPECT_EQ(Verhandlung_Stand().angebot_phase, 1);
    Laufen(980);
    EXPECT_EQ(Verhandlung_Stand().forderung, s.forderung) << "nothing in the first second";
    Laufen(20);
    EXPECT_EQ(Verhandlung_Stand().forderung, s.forderung - 100000);
    Laufen(100);
    EXPECT_EQ(Verhandlung_Stand().forderung, s.forderung - 200000);
    Laufen(100);
    EXPECT_EQ(Verhandlung_Stand().forderung, s.forderung - 300000);
    // Less than 100,000 above the target: steps of 10,000.
    Laufen(100);
    EXPECT_EQ(Verhandlung_Stand().forderung, s.forderung - 310000);
    EXPECT_EQ(Verhandlung_Stand().zustand, VH_FAELLT);
    Laufen(400);
    EXPECT_EQ(Verhandlung_Stand().forderung, ziel);
    EXPECT_EQ(Verhandlung_Stand().zustand, VH_LAEUFT);
    EXPECT_EQ(Verhandlung_Stand().preis_phase, 1);
    // The next phase price is above the offer and no offer time is left: it stays.
    Laufen(5000);
    EXPECT_EQ(Verhandlung_Stand().forderung, ziel);
    EXPECT_EQ(Verhandlung_Stand().zustand, VH_LAEUFT);
}

TEST_F(VerhandlungTest, NearTheTargetTheAskingPriceFallsInSmallSteps) {
    int32_t p = Mit_Aufschlag(200000);
    Oeffnen(p, {}, {});
    VerhandlungStand s = Verhandlung_Stand();
    int32_t ziel = s.forderung - 130000;
    ASSERT_GT(ziel, s.angebot + 20000);
    Oeffnen(p, {s.angebot + 10000, ziel - 10000, ziel}, {3000});
    ASSERT_EQ(Verhandlung_Uhr_Starten(), VH_OK);
    Laufen(2990);
    EXPECT_EQ(Verhandlung_Stand().zustand, VH_LAEUFT) << "no fall before the offer time";
    Laufen(10);
    ASSERT_EQ(Verhandlung_Stand().zustand, VH_FAELLT);
    EXPECT_EQ(Verhandlung_Stand().zeit_index, 1);
    EXPECT_EQ(Verhandlung_Stand().angebot_phase, 0);
    Laufen(1000);
    EXPECT_EQ(Verhandlung_Stand().forderung, s.forderung - 100000);
    Laufen(100);
    EXPECT_EQ(Verhandlung_Stand().forderung, s.forderung - 110000);
    Laufen(200);
    EXPECT_EQ(Verhandlung_Stand().forderung, ziel);
    EXPECT_EQ(Verhandlung_Stand().zustand, VH_LAEUFT);
}

TEST_F(VerhandlungTest, AFallPastTheOfferAgreesAtTheOffer) {
    int32_t p = Mit_Aufschlag(100000);
    Oeffnen(p, {}, {});
    VerhandlungStand s = Verhandlung_Stand();
    ASSERT_GT(s.forderung, s.angebot + 50000);
    // One phase below the offer: the asking price falls through the offer.
    Oeffnen(p, {s.angebot - 200000}, {});
    ASSERT_EQ(Verhandlung_Uhr_Starten(), VH_OK);
    Laufen(10);
    EXPECT_EQ(Verhandlung_Stand().angebot_phase, 0) << "one phase keeps its indices";
    Laufen(8000);
    VerhandlungStand e = Verhandlung_Stand();
    EXPECT_EQ(e.zustand, VH_BEENDET);
    EXPECT_EQ(e.einigung, 1);
    EXPECT_EQ(e.forderung, s.angebot);
    EXPECT_EQ(e.angebot, s.angebot);
}

TEST_F(VerhandlungTest, TheAskingPriceBlinksWhileFalling) {
    int32_t p = Mit_Aufschlag(100000);
    Oeffnen(p, {}, {});
    VerhandlungStand s = Verhandlung_Stand();
    Oeffnen(p, {s.angebot, s.forderung - 1000000 > s.angebot ? s.forderung - 1000000 : s.angebot}, {});
    EXPECT_EQ(Verhandlung_Preis_Farbe(), 65535);
    ASSERT_EQ(Verhandlung_Uhr_Starten(), VH_OK);
    Plat_Uhr_Vorstellen(10);
    Verhandlung_Takt();
    ASSERT_EQ(Verhandlung_Stand().zustand, VH_FAELLT);
    const struct {
        uint32_t ms;
        int32_t farbe;
    } FAELLE[] = {{0, 64160}, {199, 64160}, {1, 65535}, {399, 65535}, {1, 64160}, {199, 64160}, {1, 65535}};
    for (const auto& f : FAELLE) {
        Plat_Uhr_Vorstellen(f.ms);
        EXPECT_EQ(Verhandlung_Preis_Farbe(), f.farbe) << f.ms;
    }
}

TEST_F(VerhandlungTest, APausedNegotiationKeepsItsRemainingTime) {
    Oeffnen(MARKT_ERSTER, {}, {});
    ASSERT_EQ(Verhandlung_Uhr_Starten(), VH_OK);
    Laufen(10000);
    EXPECT_EQ(Verhandlung_Sekunden(), 20);
    Verhandlung_Pause();
    EXPECT_EQ(Verhandlung_Stand().zustand, VH_PAUSE);
    Laufen(60000);
    EXPECT_EQ(Verhandlung_Sekunden(), 20);
    EXPECT_EQ(Verhandlung_Erhoehen(false), VH_UNGUELTIG) << "no raise while paused";
    Verhandlung_Fortsetzen();
    EXPECT_EQ(Verhandlung_Stand().zustand, VH_LAEUFT);
    EXPECT_EQ(Verhandlung_Sekunden(), 20);
    // The question before leaving pauses too; "no" resumes.
    EXPECT_EQ(Verhandlung_Verlassen(), VH_FRAGE);
    EXPECT_EQ(Verhandlung_Stand().zustand, VH_PAUSE);
    Laufen(5000);
    EXPECT_EQ(Verhandlung_Frage_Antwort(false), VH_OK);
    EXPECT_EQ(Verhandlung_Sekunden(), 20);
    Laufen(19990);
    EXPECT_EQ(Verhandlung_Stand().zustand, VH_LAEUFT);
    Laufen(10);
    EXPECT_EQ(Verhandlung_Stand().zustand, VH_BEENDET);
}

TEST_F(VerhandlungTest, LeavingWhileRunningAsksAndYesEndsWithoutTransfer) {
    Oeffnen(MARKT_ERSTER, {}, {});
    ASSERT_EQ(Verhandlung_Uhr_Starten(), VH_OK);
    EXPECT_EQ(Verhandlung_Verlassen(), VH_FRAGE);
    EXPECT_EQ(Verhandlung_Frage_Antwort(true), VH_GESCHLOSSEN);
    EXPECT_FALSE(Verhandlung_Offen());
    EXPECT_EQ(Spieler_Get_Team(MARKT_ERSTER), 0);
    EXPECT_EQ(Team_Wert(20, LOKAL, 0, OP_LESEN), 2) << "the started clock still used up a negotiation";
}

// Agrees at the demand by raising in big steps.
void Einigen() {
    VerhandlungAntwort a = VH_OK;
    for (int32_t i = 0; i < 100 && a == VH_OK; ++i) {
        Plat_Uhr_Vorstellen(150);
        a = Verhandlung_Erhoehen(true);
    }
    ASSERT_EQ(a, VH_EINIGUNG);
}

TEST_F(VerhandlungTest, AnAgreedDealTransfersBothPlayersAndBooksTheMoney) {
    Oeffnen(MARKT_ERSTER + 1, {}, {});
    ASSERT_EQ(Verhandlung_Uhr_Starten(), VH_OK);
    Einigen();
    int32_t preis = Verhandlung_Stand().angebot;
    int32_t erloes = Verhandlung_Verkauf_Erloes(TAUSCH);
    ASSERT_GT(erloes, 0);
    EXPECT_EQ(Verhandlung_Abschliessen(), VH_GESCHLOSSEN);
    EXPECT_FALSE(Verhandlung_Offen());
    EXPECT_EQ(Spieler_Get_Team(MARKT_ERSTER + 1), LOKAL);
    EXPECT_EQ(Spieler_Get_Team(TAUSCH), 0);
    EXPECT_EQ(Bank_Kontostand(LOKAL, false, -1), 1000000 - preis + erloes);
    EXPECT_EQ(Team_Wert(20, LOKAL, 0, OP_LESEN), 2) << "one negotiation, one use";
}

TEST_F(VerhandlungTest, LeavingAfterAgreementCarriesOutTheTransfer) {
    Oeffnen(MARKT_ERSTER + 1, {}, {});
    EXPECT_EQ(Verhandlung_Abschliessen(), VH_UNGUELTIG) << "nothing agreed yet";
    ASSERT_EQ(Verhandlung_Uhr_Starten(), VH_OK);
    Einigen();
    EXPECT_EQ(Verhandlung_Verlassen(), VH_GESCHLOSSEN);
    EXPECT_EQ(Spieler_Get_Team(MARKT_ERSTER + 1), LOKAL);
}

TEST_F(VerhandlungTest, AFailedTransferLeavesTheListsAndTheMoney) {
    Oeffnen(MARKT_ERSTER + 1, {}, {});
    ASSERT_EQ(Verhandlung_Uhr_Starten(), VH_OK);
    Einigen();
    // The money goes elsewhere before the deal is completed.
    Bank_Ueberweisung(LOKAL, -1, 1000000.0f, BUCHUNG_SONSTIGE_KOSTEN, 1, -1);
    int32_t stand = Bank_Kontostand(LOKAL, false, -1);
    EXPECT_EQ(Verhandlung_Abschliessen(), VH_TRANSFER_FEHLER);
    EXPECT_TRUE(Verhandlung_Offen());
    EXPECT_EQ(Spieler_Get_Team(MARKT_ERSTER + 1), 0);
    EXPECT_EQ(Spieler_Get_Team(TAUSCH), LOKAL);
    EXPECT_EQ(Bank_Kontostand(LOKAL, false, -1), stand);
    // Leaving closes the window even so.
    EXPECT_EQ(Verhandlung_Verlassen(), VH_TRANSFER_FEHLER);
    EXPECT_FALSE(Verhandlung_Offen());
}

TEST_F(VerhandlungTest, SaveAndLoadKeepTheClockAndTheFall) {
    int32_t p = Mit_Aufschlag(700000);
    Oeffnen(p, {}, {});
    VerhandlungStand s = Verhandlung_Stand();
    Oeffnen(p, {s.angebot, s.angebot + 10000, s.forderung - 500000}, {4000});
    ASSERT_EQ(Verhandlung_Uhr_Starten(), VH_OK);
    Laufen(1200);
    ASSERT_EQ(Verhandlung_Stand().zustand, VH_FAELLT);
    VerhandlungStand vor = Verhandlung_Stand();
    int32_t vergangen = Verhandlung_Vergangen();
    std::vector<uint8_t> block;
    Verhandlung_Save(block);
    EXPECT_EQ(block.size(), 43u * 4);

    Verhandlung_Init();
    EXPECT_FALSE(Verhandlung_Offen());
    Plat_Uhr_Vorstellen(777777);
    ASSERT_TRUE(Verhandlung_Load(block.data(), block.size()));
    EXPECT_TRUE(Verhandlung_Offen());
    EXPECT_EQ(Gleich(vor, Verhandlung_Stand()), true);
    EXPECT_EQ(Verhandlung_Vergangen(), vergangen);
    Laufen(100);
    EXPECT_EQ(Verhandlung_Stand().forderung, vor.forderung - 100000) << "the fall goes on after the load";

    // Damaged blocks are refused and change nothing.
    VerhandlungStand jetzt = Verhandlung_Stand();
    std::vector<uint8_t> kurz(block.begin(), block.end() - 4);
    EXPECT_FALSE(Verhandlung_Load(kurz.data(), kurz.size()));
    EXPECT_FALSE(Verhandlung_Load(nullptr, 0));
    const struct {
        size_t feld;
        int32_t wert;
    } SCHLECHT[] = {{1, 40000}, {1, -5}, {9, 7}, {10, 2}, {11, 13}, {2, 99999}, {4, 99}};
    for (const auto& f : SCHLECHT) {
        std::vector<uint8_t> b = block;
        Bytes_Put32(b.data() + f.feld * 4, uint32_t(f.wert));
        EXPECT_FALSE(Verhandlung_Load(b.data(), b.size())) << f.feld;
    }
    EXPECT_EQ(Gleich(jetzt, Verhandlung_Stand()), true);

    // A clock past its time, saved before the frame that ends the negotiation,
    // saves as run out and loads; that frame ends it without a deal.
    Plat_Uhr_Vorstellen(VERHANDLUNG_ZEIT_MS + 5000);
    block.clear();
    Verhandlung_Save(block);
    ASSERT_TRUE(Verhandlung_Load(block.data(), block.size()));
    EXPECT_EQ(Verhandlung_Vergangen(), VERHANDLUNG_ZEIT_MS);
    Laufen(10);
    EXPECT_EQ(Verhandlung_Stand().einigung, 0);
    EXPECT_NE(Verhandlung_Stand().zustand, VH_LAEUFT);
    EXPECT_NE(Verhandlung_Stand().zustand, VH_FAELLT);

    // A closed negotiation saves and loads as closed.
    Verhandlung_Init();
    block.clear();
    Verhandlung_Save(block);
    ASSERT_TRUE(Verhandlung_Load(block.data(), block.size()));
    EXPECT_FALSE(Verhandlung_Offen());
}

TEST_F(VerhandlungTest, BothBlocksTravelWithTheSaveGame) {
    ASSERT_TRUE(Scout_Spielstand_Anmelden());
    ASSERT_TRUE(Verhandlung_Spielstand_Anmelden());
    int32_t p = Mit_Aufschlag(100000);
    Oeffnen(p, {}, {});
    ASSERT_EQ(Verhandlung_Uhr_Starten(), VH_OK);
    Laufen(2500);
    Scout_Screen_Zuruecksetzen(0);
    Scout_Dialog_Zeile("Der Scout sucht", -1, -1);
    std::vector<uint8_t> bild, scout_vorher, vh_vorher;
    ASSERT_TRUE(Spielstand_Speichern_In_Bild(&bild));
    Scout_Save(scout_vorher);
    Verhandlung_Save(vh_vorher);
    Scout_Init();
    Verhandlung_Init();
    ASSERT_TRUE(Spielstand_Laden_Aus_Bild(bild));
    std::vector<uint8_t> scout_nachher, vh_nachher;
    Scout_Save(scout_nachher);
    Verhandlung_Save(vh_nachher);
    EXPECT_EQ(scout_nachher, scout_vorher);
    EXPECT_EQ(vh_nachher, vh_vorher);
    EXPECT_EQ(Verhandlung_Sekunden(), 27);
    Scout_Init();
}

}  // namespace
}  // namespace velmora

namespace velmora {
namespace {

// A negotiation whose bought player has gone (a loaded game, another club's
// purchase) ends without a deal; the day's end carries out an agreed one and
// drops any other.
TEST_F(VerhandlungTest, AGonePlayerEndsWithoutDealAndTheDaysEndClosesTheNegotiation) {
    Oeffnen(MARKT_ERSTER, {}, {});
    ASSERT_EQ(Verhandlung_Uhr_Starten(), VH_OK);
    ASSERT_TRUE(Team_Spieler_Kommt_Und_Geht(0, 1, MARKT_ERSTER, -1, 0));
    Verhandlung_Pruefen();
    EXPECT_EQ(Verhandlung_Stand().zustand, VH_BEENDET);
    EXPECT_EQ(Verhandlung_Stand().einigung, 0);
    EXPECT_EQ(Verhandlung_Verlassen(), VH_GESCHLOSSEN);
    EXPECT_EQ(Spieler_Get_Team(MARKT_ERSTER), 1);

    Oeffnen(MARKT_ERSTER + 1, {}, {});
    ASSERT_EQ(Verhandlung_Uhr_Starten(), VH_OK);
    Verhandlung_Tagesende();
    EXPECT_FALSE(Verhandlung_Offen());
    EXPECT_EQ(Spieler_Get_Team(MARKT_ERSTER + 1), 0) << "no deal";

    Oeffnen(MARKT_ERSTER + 1, {}, {});
    ASSERT_EQ(Verhandlung_Uhr_Starten(), VH_OK);
    Einigen();
    Verhandlung_Tagesende();
    EXPECT_FALSE(Verhandlung_Offen());
    EXPECT_EQ(Spieler_Get_Team(MARKT_ERSTER + 1), LOKAL) << "the agreed deal stands";
}

}  // namespace
}  // namespace velmora
