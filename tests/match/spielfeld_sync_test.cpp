// The lock-step without sockets: the input ring, the release of minutes, the
// minute packet on both sides, the checksum, the frame deduction and the
// check of records and rings from outside.
#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>
#include <vector>

#include "club/club_hooks.h"
#include "club/team.h"
#include "core/spielstand.h"
#include "core/stoppuhr.h"
#include "match/day/spieltag.h"
#include "match/day/spieltag_netz.h"
#include "match/live/anweisung.h"
#include "match/live/spielfeld_tick.h"
#include "match/record/spielfeld_pruefen.h"
#include "match/record/spielfeld_sync.h"
#include "match_welt.h"
#include "net/internet.h"
#include "net/net.h"
#include "platform/clock.h"

namespace velmora::test {
namespace {

int32_t modus = 0, client_team = -1;

// One machine of the pair: its mode and (on a client) its team, for every module.
void Maschine(int32_t netz, int32_t team = -1) {
    modus = netz;
    client_team = team;
    Fake().netz = netz;
    Netzwerk_Modus_Setzen(netz);
    Client_Team_Setzen(team);
    Club_Hooks().netzwerk_modus = [] { return modus; };
    Club_Hooks().client_team = [] { return client_team; };
}

// Game 1, team 2 at home to team 3; team 3 is a client's club with a manager.
class SyncTest : public SpielTest {
protected:
    void SetUp() override {
        SpielTest::SetUp();
        ASSERT_NE(Manager_Neuer_Mitspieler(3, "C", 1), nullptr);
        Team_Wert(TW_STATUS, 3, int32_t(TEAM_STATUS_CLIENT | TEAM_STATUS_NETZ), OP_SETZEN);
        Spieltag_Client_Live_Setzen(3, true);   // its client asked for its slot
        Sync_Zaehler_Zuruecksetzen();
        Spielfeld_Frameabzug_Setzen(0);
        Spielfeld_Resync_Setzen(false);
        s->minute = 10;
        s->abschnitt = 1;
    }
    void TearDown() override {
        Spieltag_Client_Live_Setzen(3, false);
        Maschine(0);
        Club_Hooks().netzwerk_modus = nullptr;
        Club_Hooks().client_team = nullptr;
        SpielTest::TearDown();
    }
};

TEST_F(SyncTest, AnInputActsFourMinutesLaterOnly) {
    Maschine(1, 3);
    struct Fall {
        uint8_t bits;
        const char* was;
    } faelle[] = {{SYNC_PRESSING, "pressing"}, {SYNC_TAKTIK, "tactic"}, {SYNC_WECHSEL, "substitution"},
                  {SYNC_POSITIONEN, "positions"}};
    for (const Fall& c : faelle) {
        std::memset(s->sync, 0, sizeof s->sync);
        s->minute = 10;
        Spielfeld_Eingabekopie_Fuellen(s);
        Sync_Eintrag* e = Sync_Eingabe(s);
        e->aenderung[1] = c.bits;
        e->pressing[1] = 95;
        e->taktik[1][5] = 77;
        e->anweisung[1] = 2;
        e->wechsel_ein[1][0] = 30;
        e->wechsel_aus[1][0] = 20;
        const int32_t neu[4] = {2000, 2200, 1500, 1700};
        std::memcpy(e->linie[20], neu, sizeof neu);
        int32_t alt[4];
        std::memcpy(alt, s->spieler[20].linie, sizeof alt);
        e->aenderung[0] = SYNC_PRESSING;   // the other side is not managed here: nothing enters
        e->pressing[0] = 10;
        Spielfeld_Sync_Puffer_Eintragen(s);
        EXPECT_EQ(Sync_Eingabe(s)->aenderung[1], 0) << c.was;
        EXPECT_EQ(Sync_Eingabe(s)->aenderung[0], 0) << c.was;
        EXPECT_EQ(Sync_Ring(s)[0].faellig_minute[1], 14) << c.was;
        EXPECT_EQ(Sync_Ring(s)[0].faellig_minute[0], 0) << c.was;
        const uint8_t pressing0 = s->pressing[0];
        for (int32_t m = 11; m <= 14; ++m) {
            s->minute = int16_t(m);
            Spielfeld_Sync_Puffer_Ausfuehren(s);
            const bool wirkt = m == 14;
            if (c.bits == SYNC_PRESSING) {
                EXPECT_EQ(s->pressing[1] == 95, wirkt) << "minute " << m;
            } else if (c.bits == SYNC_TAKTIK) {
                EXPECT_EQ(s->taktik[1][5] == 77, wirkt) << "minute " << m;
            } else if (c.bits == SYNC_WECHSEL) {
                EXPECT_EQ(s->wechsel_ein[1][0] == 30 && s->wechsel_aus[1][0] == 20, wirkt) << "minute " << m;
            } else {
                EXPECT_EQ(std::memcmp(alt, s->spieler[20].linie, sizeof alt) != 0, wirkt) << "minute " << m;
            }
        }
        EXPECT_EQ(s->pressing[0], pressing0) << c.was;
        // Restore the live fields for the next case.
        s->pressing[1] = 0;
        s->taktik[1][5] = 0;
        s->wechsel_ein[1][0] = s->wechsel_aus[1][0] = -1;
        std::memcpy(s->spieler[20].linie, alt, sizeof alt);
    }
}

TEST_F(SyncTest, LateEntriesAreDroppedAndAPeriodChangeRetimesThem) {
    struct Fall {
        uint16_t faellig;
        uint8_t abschnitt;
        int16_t minute;
        uint32_t satz_abschnitt;
        uint16_t danach;
        uint8_t abschnitt_danach;
    } faelle[] = {
        {20, 1, 24, 1, 20, 1},   // four minutes late: kept (never applied again)
        {20, 1, 25, 1, 0, 1},    // five: dropped
        {44, 1, 46, 2, 45, 2},   // a past period: re-timed to minute - 1 of the new one
        {44, 1, 0, 2, 44, 1},    // minute 0: nothing happens
    };
    for (const Fall& c : faelle) {
        std::memset(s->sync, 0, sizeof s->sync);
        Sync_Ring(s)[3].faellig_minute[1] = c.faellig;
        Sync_Ring(s)[3].faellig_abschnitt[1] = c.abschnitt;
        Sync_Ring(s)[3].aenderung[1] = SYNC_PRESSING;
        s->minute = c.minute;
        s->abschnitt = c.satz_abschnitt;
        Spielfeld_Sync_Puffer_Ausfuehren(s);
        EXPECT_EQ(Sync_Ring(s)[3].faellig_minute[1], c.danach) << "due " << c.faellig << " at " << c.minute;
        EXPECT_EQ(Sync_Ring(s)[3].faellig_abschnitt[1], c.abschnitt_danach) << "due " << c.faellig;
    }
}

TEST_F(SyncTest, AnEleventhInputOverflowsTheRing) {
    Maschine(0);
    for (int32_t i = 0; i < SYNC_EINTRAEGE + 1; ++i) {
        Sync_Eingabe(s)->aenderung[0] = SYNC_PRESSING;
        Spielfeld_Sync_Puffer_Eintragen(s);
    }
    EXPECT_EQ(Sync_Zaehler_Lesen().ueberlauf, 0u) << "team 2 has no manager here";
    ASSERT_NE(Manager_Neuer_Mitspieler(2, "H", 1), nullptr);
    for (int32_t i = 0; i < SYNC_EINTRAEGE; ++i) {
        Sync_Eingabe(s)->aenderung[0] = SYNC_PRESSING;
        Spielfeld_Sync_Puffer_Eintragen(s);
    }
    EXPECT_FALSE(Log_Enthaelt("SYNC-BUFFER"));
    Sync_Eingabe(s)->aenderung[0] = SYNC_PRESSING;
    Spielfeld_Sync_Puffer_Eintragen(s);
    EXPECT_TRUE(Log_Enthaelt("SYNC-BUFFER \xdc" "BERLAUF"));
    EXPECT_EQ(Sync_Zaehler_Lesen().ueberlauf, 1u);
    EXPECT_EQ(Sync_Eingabe(s)->aenderung[0], 0) << "the lost input's bits are cleared";
}

TEST_F(SyncTest, NeitherSideRunsMoreThanTwoMinutesAhead) {
    Maschine(2);
    struct Fall {
        int16_t minute;
        uint32_t client_minute, client_abschnitt, satz_abschnitt;
        uint8_t bits;
    } faelle[] = {
        {10, 12, 1, 1, 3},   // the client released 12: the server may play 10
        {10, 10, 1, 1, 3},
        {10, 9, 1, 1, 1},    // the client stands two minutes behind: the server waits
        {46, 44, 1, 2, 1},   // a release of an earlier period frees no minute of the new one
        {47, 46, 2, 1, 3},   // the client is in the next period already
        {46, 44, 2, 2, 1},
    };
    for (const Fall& c : faelle) {
        s->minute = c.minute;
        s->abschnitt = c.satz_abschnitt;
        Sync_Minute(s, 1) = c.client_minute;
        Sync_Abschnitt(s, 1) = c.client_abschnitt;
        s->bereit = 0;
        Spielfeld_Minuten_Freigabe(s);
        EXPECT_EQ(Sync_Minute(s, 0), uint32_t(c.minute + 2)) << "the server's own side";
        EXPECT_EQ(Sync_Minute(s, 1), c.client_minute) << "the client's side is the client's";
        EXPECT_EQ(s->bereit, c.bits) << "minute " << c.minute << " client " << c.client_minute;
    }
}

// A client's packet for the record `s`, as Spielfeld_Send_Min_Signal builds it.
Min_Signal_Block Paket(Spielfeld_Satz* satz, int32_t team) {
    Min_Signal_Block p;
    Sync_Minute(satz, 1) = uint32_t(satz->minute + 2);
    Sync_Abschnitt(satz, 1) = satz->abschnitt;
    Spielfeld_Min_Signal_Fuellen(satz, team, &p);
    return p;
}

TEST_F(SyncTest, TheServerComparesTheChecksumOfMinuteMinusTwo) {
    Maschine(2);
    struct Fall {
        uint32_t server, client;
        bool fehler;
    } faelle[] = {{500, 500, false}, {500, 501, true}, {0, 501, false}, {500, 0, false}};
    for (const Fall& c : faelle) {
        s->minute = 10;
        std::memset(s->pruefsumme, 0, sizeof s->pruefsumme);
        s->pruefsumme[8][0] = s->pruefsumme[8][1] = c.server;
        Min_Signal_Block p = Paket(s, 3);
        p.pruefsumme[1] = c.client;
        p.pruef_minute[1] = 8;
        const uint32_t vorher = Sync_Zaehler_Lesen().pruef_fehler;
        Spielfeld_Sync_Vom_Client(&p, 3);
        EXPECT_EQ(Sync_Zaehler_Lesen().pruef_fehler - vorher, c.fehler ? 1u : 0u) << c.server << " " << c.client;
        EXPECT_EQ(p.ring[0].fehler[1], c.fehler ? 1 : 0) << "the error travels in the answer";
        EXPECT_EQ(Sync_Ring(s)[0].fehler[1], 0) << "and is cleared on the server";
        EXPECT_EQ(p.pruef_minute[1], 8u);
        EXPECT_EQ(p.pruefsumme[1], c.server);
    }
    // The client takes the answer: an error sets its resync flag.
    Maschine(1, 3);
    Min_Signal_Block a = Paket(s, 3);
    a.ring[0].fehler[1] = 1;
    Spielfeld_Sync_Vom_Server(&a, 3);
    EXPECT_TRUE(Spielfeld_Resync_Offen());
    EXPECT_TRUE(Log_Enthaelt("SYNC!!!"));
    EXPECT_EQ(Sync_Ring(s)[0].fehler[1], 0);
}

TEST_F(SyncTest, OnlyTheHundredthsOfACentimetreEnterTheChecksum) {
    for (Figur& f : s->figur) f.pos[0] = f.pos[1] = 1000.0f;
    const uint32_t basis = Spielfeld_Checksumme(s);
    s->figur[5].pos[0] = 1000.004f;   // thousandths only
    EXPECT_EQ(Spielfeld_Checksumme(s), basis);
    s->figur[5].pos[0] = 1000.37f;
    EXPECT_NE(Spielfeld_Checksumme(s), basis);
    EXPECT_NE(Spielfeld_Checksumme(s), 0u);
}

TEST_F(SyncTest, APacketFromATeamWithoutNetworkManagerReleasesNothing) {
    Maschine(2);
    Team_Wert(TW_STATUS, 3, int32_t(TEAM_STATUS_CLIENT), OP_LOESCHEN);
    Sync_Minute(s, 1) = 5;
    Min_Signal_Block p = Paket(s, 3);
    Sync_Minute(s, 1) = 5;
    p.minute[1] = 40;
    p.ring[0].faellig_minute[1] = 14;
    p.ring[0].aenderung[1] = SYNC_PRESSING;
    Spielfeld_Sync_Vom_Client(&p, 3);
    EXPECT_EQ(Sync_Minute(s, 1), 5u);
    EXPECT_EQ(Sync_Ring(s)[0].faellig_minute[1], 0) << "nor are its inputs taken";
    EXPECT_EQ(p.minute[1], 5u) << "the answer carries the server's values";
}

TEST_F(SyncTest, AClientThatNeverAskedForItsSlotHoldsNothingOnTheServer) {
    Maschine(2);
    Spieltag_Client_Live_Setzen(3, false);
    s->minute = 30;
    Sync_Minute(s, 1) = 5;
    s->bereit = 0;
    Spielfeld_Minuten_Freigabe(s);
    EXPECT_EQ(s->bereit, 3);
    EXPECT_EQ(Sync_Minute(s, 1), 32u) << "the server releases that side itself";
}

TEST_F(SyncTest, TheServerTakesOnlyTheSendersSide) {
    Maschine(2);
    Min_Signal_Block p = Paket(s, 3);
    p.ring[2].faellig_minute[0] = 14;   // a forged input for the home side
    p.ring[2].aenderung[0] = SYNC_PRESSING;
    p.ring[2].faellig_minute[1] = 15;
    p.ring[2].aenderung[1] = SYNC_TAKTIK;
    Spielfeld_Sync_Vom_Client(&p, 3);
    EXPECT_EQ(Sync_Ring(s)[2].faellig_minute[0], 0);
    EXPECT_EQ(Sync_Ring(s)[2].faellig_minute[1], 15);
    EXPECT_EQ(Sync_Minute(s, 1), 12u);
}

// The client takes the server's side of an answer and keeps its own: an
// answer to a packet sent before the client's newest input must not take
// that input out of the client's ring (its next packet would then take it
// out of the server's too).
TEST_F(SyncTest, TheClientTakesOnlyTheServersSideOfAnAnswer) {
    Maschine(1, 3);
    Sync_Ring(s)[4].faellig_minute[1] = 14;   // the client's input, entered after the answered packet
    Sync_Ring(s)[4].faellig_abschnitt[1] = 1;
    Sync_Ring(s)[4].aenderung[1] = SYNC_TAKTIK;
    Sync_Ring(s)[4].taktik[1][2] = 55;
    Min_Signal_Block p = Paket(s, 3);
    std::memset(&p.ring[4], 0, sizeof p.ring[4]);   // the server's ring as it was for the older packet
    p.ring[2].faellig_minute[0] = 13;             // the server's own input
    p.ring[2].faellig_abschnitt[0] = 1;
    p.ring[2].aenderung[0] = SYNC_PRESSING;
    p.ring[2].pressing[0] = 70;
    Spielfeld_Sync_Vom_Server(&p, 3);
    EXPECT_EQ(Sync_Ring(s)[4].faellig_minute[1], 14) << "the client's input stays";
    EXPECT_EQ(Sync_Ring(s)[4].aenderung[1], SYNC_TAKTIK);
    EXPECT_EQ(Sync_Ring(s)[4].taktik[1][2], 55);
    EXPECT_EQ(Sync_Ring(s)[2].faellig_minute[0], 13) << "the server's input arrives";
    EXPECT_EQ(Sync_Ring(s)[2].pressing[0], 70);
    // The client's next packet carries it to the server.
    const Min_Signal_Block naechstes = Paket(s, 3);
    EXPECT_EQ(naechstes.ring[4].faellig_minute[1], 14);
}

// The kick-off loop counts its frame times (0, 1000, 2000 ms, ...): a client
// whose kick-off waits for the server times that wait by the program clock,
// and re-sends nothing within 2 s of its last packet.
TEST_F(SyncTest, AKickOffWaitingForTheServerTimesItsWaitByTheProgramClock) {
    // On the virtual clock: no pause of a busy machine lies between the packet and the check.
    Plat_Uhr_Virtuell(true, 100000);
    Maschine(1, 3);
    s->live = 1;
    s->wetter_init = 1;
    s->spielzustand = SZ_ANSTOSS;
    Spielfeld_Sync_Warten_Ende(s);         // no wait running
    Spielfeld_Sync_Minute(s, Zeit_Ms());   // the client's packet of minute 10, sent now
    Sync_Minute(s, 0) = 9;                 // the server has not released minute 10 yet
    Sync_Abschnitt(s, 0) = 1;
    Spielfeld_Minuten_Freigabe(s);
    ASSERT_NE(s->bereit & 3, 3);
    const uint32_t gesendet = Sync_Zaehler_Lesen().gesendet;
    EXPECT_GT(Spielfeld_Anstoss_Ausfuehren(s), 0);
    EXPECT_EQ(Sync_Zaehler_Lesen().gesendet, gesendet) << "a re-send within 2 s of the last packet";
    EXPECT_EQ(Spielfeld_Frameabzug(), 0) << "the frames slowed within 2 s of waiting";
    Plat_Uhr_Virtuell(false);
}

TEST_F(SyncTest, APacketForAVanishedMatchIsEchoedWithBothSidesReleased) {
    Maschine(2);
    Min_Signal_Block p = Paket(s, 3);
    p.minute[0] = 7;
    p.minute[1] = 31;
    p.abschnitt[0] = 2;
    p.abschnitt[1] = 1;
    Spielfeld_Sync_Vom_Client(&p, 5);   // team 5 plays in no record
    EXPECT_EQ(p.minute[0], 31u);
    EXPECT_EQ(p.minute[1], 31u);
    EXPECT_EQ(p.abschnitt[0], 2u);
    EXPECT_EQ(p.abschnitt[1], 2u);
}

TEST_F(SyncTest, FrameDeductionRisesPerWaitAndFallsByTwo) {
    struct Fall {
        bool pause;
        uint32_t schritt;
        int32_t grenze;
    } faelle[] = {{false, 2000, 21}, {true, 3000, 11}};
    for (const Fall& c : faelle) {
        Maschine(1, 3);
        Spielfeld_Frameabzug_Setzen(0);
        Sync_Minute(s, 0) = 5;   // the server stands behind: minute 10 is not released
        s->bereit = 0;
        uint32_t jetzt = 100000;
        Spielfeld_Sync_Warten_Ende(s);
        Spielfeld_Sync_Warten(s, jetzt, c.pause);
        EXPECT_EQ(Spielfeld_Frameabzug(), 0);
        Spielfeld_Sync_Warten(s, jetzt + c.schritt - 1, c.pause);
        EXPECT_EQ(Spielfeld_Frameabzug(), 0) << "not before a full step of waiting";
        Spielfeld_Sync_Warten(s, jetzt + c.schritt, c.pause);
        EXPECT_EQ(Spielfeld_Frameabzug(), 1);
        EXPECT_EQ(Spielfeld_Ansicht().frame_intervall, 1000u / 21);
        for (uint32_t t = 2; t < 40; ++t) Spielfeld_Sync_Warten(s, jetzt + t * c.schritt, c.pause);
        EXPECT_EQ(Spielfeld_Frameabzug(), c.grenze);
        EXPECT_EQ(Spielfeld_Ansicht().frame_intervall, uint32_t(1000 / (22 - c.grenze)));
    }
    // The answer finds the client no longer ahead: two steps back.
    Spielfeld_Frameabzug_Setzen(11);
    Min_Signal_Block a = Paket(s, 3);
    a.minute[0] = 30;
    Spielfeld_Sync_Vom_Server(&a, 3);
    EXPECT_EQ(Spielfeld_Frameabzug(), 9);
    EXPECT_TRUE(Log_Enthaelt("CLIENT SCHNELLER 9"));
}

// The faults a forged or damaged record carries, one at a time: the check
// finds each, a fetched record holding one is refused and a save holding one
// does not load.
TEST_F(SyncTest, TheValidatorRefusesEveryBrokenIndex) {
    ASSERT_EQ(Spielfeld_Satz_Pruefen(s), nullptr) << Spielfeld_Satz_Pruefen(s);
    struct Fall {
        const char* was;
        void (*kaputt)(Spielfeld_Satz*);
    } faelle[] = {
        {"holder 57", [](Spielfeld_Satz* x) { x->ballhalter = 57; }},
        {"animation 300", [](Spielfeld_Satz* x) { x->figur[4].ring[x->figur[4].aktuell].anim = 300; }},
        {"order index 5", [](Spielfeld_Satz* x) { x->figur[4].aktuell = 5; }},
        {"substitution slot 40", [](Spielfeld_Satz* x) { x->wechsel_ein[1][0] = 40; }},
        {"home substitution slot of the away side", [](Spielfeld_Satz* x) { x->wechsel_aus[0][0] = 20; }},
        {"play state 12", [](Spielfeld_Satz* x) { x->spielzustand = 12; }},
        {"frame step 2", [](Spielfeld_Satz* x) { x->figur[1].ring[0].frame_schritt = 2; }},
        {"position NaN", [](Spielfeld_Satz* x) { x->figur[37].pos[0] = std::numeric_limits<float>::quiet_NaN(); }},
        {"velocity 1e9", [](Spielfeld_Satz* x) { x->figur[3].v[1] = 1e9f; }},
        {"brake infinite",
         [](Spielfeld_Satz* x) { x->figur[FIGUR_BALL].bremse[1] = std::numeric_limits<float>::infinity(); }},
        {"brake beyond the bound", [](Spielfeld_Satz* x) { x->figur[FIGUR_BALL].bremse[2] = -2e8f; }},
        {"partner byte 40", [](Spielfeld_Satz* x) { x->spieler[2].partner = 40; }},
        {"receiver 34", [](Spielfeld_Satz* x) { x->empfaenger = 34; }},
        {"team 999", [](Spielfeld_Satz* x) { x->team[1] = 999; }},
        {"player of another club", [](Spielfeld_Satz* x) { x->spieler[0].nummer = x->spieler[20].nummer; }},
        {"ring entry with slot 40",
         [](Spielfeld_Satz* x) {
             Sync_Ring(x)[4].aenderung[1] = SYNC_WECHSEL;
             std::memset(Sync_Ring(x)[4].wechsel_ein[1], 0xFF, SF_WECHSEL);
             std::memset(Sync_Ring(x)[4].wechsel_aus[1], 0xFF, SF_WECHSEL);
             Sync_Ring(x)[4].wechsel_ein[1][2] = 40;
         }},
        {"ring pressing 200",
         [](Spielfeld_Satz* x) {
             Sync_Ring(x)[9].aenderung[0] = SYNC_PRESSING;
             Sync_Ring(x)[9].pressing[0] = 200;
         }},
        {"ring change bit 64", [](Spielfeld_Satz* x) { Sync_Ring(x)[0].aenderung[0] = 64; }},
    };
    std::vector<uint8_t> gut;
    Spielfeld_Save(gut);
    const auto vorher = std::make_unique<Spielfeld_Satz>(*s);
    for (const Fall& c : faelle) {
        auto kopie = std::make_unique<Spielfeld_Satz>(*s);
        c.kaputt(kopie.get());
        EXPECT_NE(Spielfeld_Satz_Pruefen(kopie.get()), nullptr) << c.was;
        // Fetched: refused (logged, counted); the client keeps its record and asks again.
        Maschine(1, 3);
        Spielfeld_Resync_Setzen(true);
        const uint32_t verworfen = Sync_Zaehler_Lesen().abrufe_verworfen;
        Log().clear();
        EXPECT_FALSE(Spielfeld_Geholt_Einsetzen(1, *kopie, 20000)) << c.was;
        EXPECT_EQ(Sync_Zaehler_Lesen().abrufe_verworfen, verworfen + 1) << c.was;
        EXPECT_TRUE(Log_Enthaelt("Spiel 1 verworfen")) << c.was;
        ASSERT_EQ(Spielfeld_Suchen(1), s) << c.was;
        EXPECT_EQ(std::memcmp(s, vorher.get(), sizeof *s), 0) << c.was << ": the client's record is kept";
        EXPECT_TRUE(Spielfeld_Resync_Offen()) << c.was << ": the client asks again";
        // Saved: the save does not load, the running records stay.
        Maschine(0);
        *s = *kopie;
        std::vector<uint8_t> kaputt;
        Spielfeld_Save(kaputt);
        *s = *vorher;
        EXPECT_FALSE(Spielfeld_Load(kaputt.data(), kaputt.size())) << c.was;
        ASSERT_EQ(Spielfeld_Suchen(1), s) << c.was << ": the running records are kept";
        EXPECT_EQ(std::memcmp(s, vorher.get(), sizeof *s), 0) << c.was;
    }
    EXPECT_TRUE(Spielfeld_Load(gut.data(), gut.size()));
    s = Spielfeld_Suchen(1);
    // The bytes a match view writes are accepted in range and left out of comparisons.
    auto kopie = std::make_unique<Spielfeld_Satz>(*s);
    kopie->ereignis_neu = 1;
    EXPECT_EQ(Spielfeld_Satz_Pruefen(kopie.get()), nullptr);
    EXPECT_TRUE(Spielfeld_Satz_Gleich(*kopie, *s));
    kopie->figur[3].pos[0] += 0.37f;
    EXPECT_FALSE(Spielfeld_Satz_Gleich(*kopie, *s));
}

// Deflections in a row multiply the ball's decelerations (x20 at a contact,
// x15 on an uncertain control, x5 and x18 in its movement): however many
// follow each other, the values stay within the bound and the save loads.
TEST_F(SyncTest, ABallDeflectedAgainAndAgainStillSavesAndLoads) {
    Figur& b = s->figur[FIGUR_BALL];
    b.bremse[0] = 5;
    b.bremse[1] = -90;
    b.bremse[2] = 0;
    b.bremse[3] = 90;
    for (int32_t i = 0; i < 40; ++i) {
        Figur_Bremse_Mal(&b, 0, 1, 20);
        Figur_Bremse_Mal(&b, 0, 2, 15);
        Figur_Bremse_Mal(&b, 1, 2, 18);
    }
    EXPECT_EQ(b.bremse[0], FIGUR_BREMSE_GRENZE);
    EXPECT_EQ(b.bremse[1], -FIGUR_BREMSE_GRENZE);
    EXPECT_EQ(b.bremse[2], 0.0f);
    EXPECT_EQ(b.bremse[3], FIGUR_BREMSE_GRENZE);
    ASSERT_EQ(Spielfeld_Satz_Pruefen(s), nullptr) << Spielfeld_Satz_Pruefen(s);
    std::vector<uint8_t> a, c;
    Spielfeld_Save(a);
    ASSERT_TRUE(Spielfeld_Load(a.data(), a.size()));
    Spielfeld_Save(c);
    EXPECT_TRUE(a == c);
}

TEST_F(SyncTest, APacketWithABadRingIsRefusedWhole) {
    Maschine(2);
    Min_Signal_Block p = Paket(s, 3);
    p.minute[1] = 30;
    auto verderben = [](Min_Signal_Block& x) {
        x.ring[1].faellig_minute[1] = 14;
        x.ring[1].aenderung[1] = SYNC_WECHSEL;
        std::memset(x.ring[1].wechsel_ein[1], 0xFF, SF_WECHSEL);
        std::memset(x.ring[1].wechsel_aus[1], 0xFF, SF_WECHSEL);
        x.ring[1].wechsel_ein[1][0] = 40;
    };
    verderben(p);
    Spielfeld_Sync_Vom_Client(&p, 3);
    EXPECT_EQ(Sync_Zaehler_Lesen().verworfen, 1u);
    EXPECT_EQ(Sync_Ring(s)[1].faellig_minute[1], 0);
    EXPECT_NE(Sync_Minute(s, 1), 30u) << "nothing of the packet is taken";
    EXPECT_EQ(p.ring[1].aenderung[1], 0) << "the answer carries the server's ring";
    // The client refuses such an answer the same way.
    Maschine(1, 3);
    verderben(p);
    Spielfeld_Sync_Vom_Server(&p, 3);
    EXPECT_EQ(Sync_Zaehler_Lesen().verworfen, 2u);
    EXPECT_EQ(Sync_Ring(s)[1].faellig_minute[1], 0);
}

// A client fetches its record again in most minutes; one fetched across the
// break stands in the server's next period. The slot must follow it: left in
// the first half, it ended the half a second time, counted the record into a
// third period and, sending that, freed the server for the rest of the match.
TEST_F(SyncTest, TheSlotFollowsThePeriodOfAFetchedRecord) {
    Maschine(1, 3);
    auto geholt = std::make_unique<Spielfeld_Satz>(*s);
    ASSERT_TRUE(Spieltag_Init());
    Spieltag_Slot slot{};
    slot.spiel = 1;
    slot.status = SLOT_LAEUFT;
    ASSERT_TRUE(Spieltag_Client_Slot_Setzen(slot));
    struct Fall {
        int8_t slot_vorher;
        uint32_t satz_abschnitt;
        int16_t minute;
        uint32_t team;         // the away side's team in the fetched record
        bool genommen;
        int8_t slot_nachher;
    } faelle[] = {
        {0, 2, 46, 3, true, 1},    // fetched across the break: the second half
        {0, 1, 44, 3, true, 0},    // the same period: nothing changes
        {1, 1, 45, 3, true, 0},    // the client broke first: back into the first half's stoppage
        {1, 3, 91, 3, true, 2},    // into extra time
        {0, 2, 46, 4, false, 0},   // a record the client's team does not play in is refused
    };
    for (const Fall& c : faelle) {
        Spieltag_Slot jetzt{};
        ASSERT_TRUE(Spieltag_Get_Slot(0, &jetzt));
        jetzt.abschnitt = c.slot_vorher;
        ASSERT_TRUE(Spieltag_Client_Slot_Setzen(jetzt));
        Spielfeld_Satz neu = *geholt;
        neu.abschnitt = c.satz_abschnitt;
        neu.minute = c.minute;
        neu.team[1] = c.team;
        EXPECT_EQ(Spielfeld_Geholt_Einsetzen(1, neu, 20000), c.genommen) << "period " << c.satz_abschnitt;
        Spieltag_Slot danach{};
        ASSERT_TRUE(Spieltag_Get_Slot(0, &danach));
        EXPECT_EQ(int32_t(danach.abschnitt), int32_t(c.slot_nachher)) << "period " << c.satz_abschnitt << " minute " << c.minute;
        if (c.genommen) {
            const Spielfeld_Satz* satz = Spielfeld_Suchen(1);
            ASSERT_NE(satz, nullptr);
            EXPECT_EQ(satz->abschnitt, c.satz_abschnitt);
            EXPECT_EQ(satz->minute, c.minute);
        }
    }
    EXPECT_EQ(Sync_Zaehler_Lesen().abrufe, 4u);
    EXPECT_EQ(Sync_Zaehler_Lesen().abrufe_verworfen, 1u);
    Spieltag_Slots_Loeschen();
}


// Request 1032 as the server's request switch hands it to its handler.
struct Abruf {
    Internet_Aufruf a;
    Abruf() {
        Internet_Typ_Lesen(SPIELFELD_HOLEN_TYP, std::strlen(SPIELFELD_HOLEN_TYP), a.typ);
        a.id = ANFRAGE_SPIELFELD_HOLEN;
        for (const Internet_Element& e : a.typ.elemente) {
            a.ein.push_back(nullptr);
            a.aus.emplace_back(e.aus ? e.groesse : 0, uint8_t(0));
        }
    }
    std::unique_ptr<Spielfeld_Satz> Satz() const {
        auto x = std::make_unique<Spielfeld_Satz>();
        std::memcpy(x.get(), a.aus[0].data(), sizeof *x);
        return x;
    }
};

// Game 1's slot on the server with its sides' ready marks, and the record as
// it stood. The test's two machines share the match day's table: it is filled
// as a client takes its slot, then read as the server's.
void Server_Slot(Spielfeld_Satz*& satz, int8_t heim, int8_t gast, int8_t status) {
    auto kopie = std::make_unique<Spielfeld_Satz>(*satz);
    Maschine(1, 3);
    ASSERT_TRUE(Spieltag_Init());   // starts the match module afresh
    satz = Spielfeld_Satz_Einsetzen(1, *kopie);
    ASSERT_NE(satz, nullptr);
    Spieltag_Slot slot{};
    slot.spiel = 1;
    slot.status = status;
    ASSERT_TRUE(Spieltag_Client_Slot_Setzen(slot));
    Spieltag_Slot jetzt{};
    ASSERT_TRUE(Spieltag_Get_Slot(0, &jetzt));
    jetzt.bereit[0] = heim;
    jetzt.bereit[1] = gast;
    jetzt.status = status;
    ASSERT_TRUE(Spieltag_Client_Slot_Setzen(jetzt));
    Maschine(2);
    Client_Team_Setzen(3);   // the request comes from team 3's client
}

// 1032 answers a client's own match only once both sides of its slot are
// ready (the requester's side then counts as loaded), and never in a break.
TEST_F(SyncTest, TheFetchAnswersOnlyTheRequestersReadySlot) {
    struct Fall {
        int8_t heim, gast, status;
        int32_t team;
        int32_t antwort;
    } faelle[] = {
        {2, 1, SLOT_LAEUFT, 3, 1},
        {2, 0, SLOT_LAEUFT, 3, 0},   // the client's side is not ready
        {0, 1, SLOT_NEU, 3, 0},      // the other side is not
        {2, 1, SLOT_PAUSE, 3, 0},    // half-time: the record changes at the period start
        {2, 1, SLOT_LAEUFT, 5, 0},   // team 5 plays in no record
    };
    for (const Fall& c : faelle) {
        Server_Slot(s, c.heim, c.gast, c.status);
        Client_Team_Setzen(c.team);
        Abruf r;
        EXPECT_EQ(Spielfeld_Sync_Status(r.a), c.antwort) << int(c.heim) << int(c.gast) << " status " << int(c.status);
        Spieltag_Slot danach{};
        ASSERT_TRUE(Spieltag_Get_Slot(0, &danach));
        EXPECT_EQ(danach.bereit[1], c.antwort ? 2 : c.gast) << "the answered side counts as loaded";
        if (c.antwort) {
            EXPECT_TRUE(Spielfeld_Satz_Gleich(*r.Satz(), *s)) << "the answer is the server's record";
        }
    }
    Spieltag_Slots_Loeschen();
}

// The client holds the server's release as a minute of a period. The last
// answer of a half released a stoppage minute (49) of the first half, the
// first of the next one minute 48 of the second: taken field by field the
// client held minute 49 of the second half and ran three minutes ahead of a
// server at 46. An answer older than the release held changes nothing.
TEST_F(SyncTest, AnAnswerReleasesAMinuteOfItsOwnPeriodOnly) {
    Maschine(1, 3);
    struct Fall {
        uint32_t gehalten, gehalten_abschnitt;   // the server's release the client holds
        uint32_t antwort, antwort_abschnitt;
        uint32_t danach, danach_abschnitt;
    } faelle[] = {
        {49, 1, 48, 2, 48, 2},   // the second half's first release
        {93, 2, 93, 3, 93, 3},   // extra time
        {20, 1, 22, 1, 22, 1},
        {20, 1, 18, 1, 20, 1},   // an older answer queued behind a fetch
        {48, 2, 49, 1, 48, 2},   // the same across the break
        {SYNC_ENDE_MINUTE, SYNC_ENDE_ABSCHNITT, 30, 1, SYNC_ENDE_MINUTE, SYNC_ENDE_ABSCHNITT},
    };
    for (const Fall& c : faelle) {
        Sync_Minute(s, 0) = c.gehalten;
        Sync_Abschnitt(s, 0) = c.gehalten_abschnitt;
        Min_Signal_Block p = Paket(s, 3);
        p.minute[0] = c.antwort;
        p.abschnitt[0] = c.antwort_abschnitt;
        // The client stands in the period of the release it keeps, one minute beyond it.
        s->abschnitt = std::min<uint32_t>(c.danach_abschnitt, 3);
        s->minute = int16_t(std::min<uint32_t>(c.danach, 120) + 1);
        Spielfeld_Sync_Vom_Server(&p, 3);
        EXPECT_EQ(Sync_Minute(s, 0), c.danach) << "held " << c.gehalten << "/" << c.gehalten_abschnitt;
        EXPECT_EQ(Sync_Abschnitt(s, 0), c.danach_abschnitt) << "held " << c.gehalten << "/" << c.gehalten_abschnitt;
        if (c.danach < SYNC_ENDE_MINUTE) {
            EXPECT_EQ(s->bereit, 2) << "minute " << s->minute << " waits for the server";
        }
    }
}

// A fetched record sets the client back to the server's minute. The release
// the client sent from further ahead no longer holds: the server, which ran
// on to it, stood three or four minutes ahead of the client that played the
// fetched minute. After the answer the server may reach the record's minute
// + 2 and waits there for the client's next packet.
TEST_F(SyncTest, AFetchHoldsTheServerAtTheFetchedMinutePlusTwo) {
    struct Fall {
        uint32_t freigabe, freigabe_abschnitt;   // the client's release before the fetch
        int16_t minute;
        uint32_t abschnitt;                      // the server's record
        uint32_t danach, danach_abschnitt;
    } faelle[] = {
        {14, 1, 10, 1, 12, 1},   // the client played minute 12: back to 10, released to 12
        {13, 1, 10, 1, 12, 1},
        {11, 1, 10, 1, 11, 1},   // a client behind holds the server as before
        {48, 2, 46, 1, 48, 1},   // a client in the next period: back into this one's stoppage
        {30, 1, 46, 2, 30, 1},   // a release of the last period stays
        {SYNC_ENDE_MINUTE, SYNC_ENDE_ABSCHNITT, 80, 2, SYNC_ENDE_MINUTE, SYNC_ENDE_ABSCHNITT},
    };
    for (const Fall& c : faelle) {
        Server_Slot(s, 2, 1, SLOT_LAEUFT);
        s->minute = c.minute;
        s->abschnitt = c.abschnitt;
        Sync_Minute(s, 1) = c.freigabe;
        Sync_Abschnitt(s, 1) = c.freigabe_abschnitt;
        Abruf r;
        ASSERT_EQ(Spielfeld_Sync_Status(r.a), 1);
        EXPECT_EQ(Sync_Minute(s, 1), c.danach) << "release " << c.freigabe << " at minute " << c.minute;
        EXPECT_EQ(Sync_Abschnitt(s, 1), c.danach_abschnitt) << "release " << c.freigabe;
        EXPECT_EQ(Sync_Minute(r.Satz().get(), 1), c.danach) << "the record sent carries it";
        if (c.danach < SYNC_ENDE_MINUTE && c.danach_abschnitt == c.abschnitt) {
            // The server plays up to the release, then waits.
            for (uint32_t m = uint32_t(c.minute); m <= c.danach + 1; ++m) {
                s->minute = int16_t(m);
                s->bereit = 0;
                Spielfeld_Minuten_Freigabe(s);
                EXPECT_EQ(s->bereit, m <= c.danach ? 3 : 1) << "minute " << m << " release " << c.freigabe;
            }
        }
    }
    Spieltag_Slots_Loeschen();
}

// A client player moved 0.37 cm: the checksum of his minute, compared two
// minutes later, differs; the client fetches the record and then holds the
// server's record byte for byte. Thousandths of a centimetre change nothing.
TEST_F(SyncTest, APlayerMovedAThirdOfACentimetreIsRepairedByAFetch) {
    struct Fall {
        float verschoben;
        int32_t abruf_minute;   // -1: no fetch
    } faelle[] = {{0.37f, 12}, {-0.37f, 12}, {0.004f, -1}, {0.0f, -1}};
    for (const Fall& c : faelle) {
        Server_Slot(s, 2, 1, SLOT_LAEUFT);
        std::memset(s->pruefsumme, 0, sizeof s->pruefsumme);
        std::memset(s->sync, 0, sizeof s->sync);
        Spielfeld_Resync_Setzen(false);
        s->minute = 9;
        // Quarter and half centimetres: the checksum counts the hundredths.
        for (int32_t f = 0; f < SF_FIGUREN; ++f) {
            s->figur[f].pos[0] = 1000.25f + 17.0f * float(f);
            s->figur[f].pos[1] = 500.5f + 9.0f * float(f);
        }
        auto server = std::make_unique<Spielfeld_Satz>(*s);
        auto client = std::make_unique<Spielfeld_Satz>(*s);
        client->figur[5].pos[0] += c.verschoben;
        // Each machine's turn runs on the module's record of game 1.
        auto auf = [](int32_t netz, const Spielfeld_Satz& satz) {
            Maschine(netz, netz == 1 ? 3 : -1);
            Spielfeld_Satz* x = Spielfeld_Suchen(1);
            *x = satz;
            return x;
        };
        int32_t abruf = -1;
        for (int16_t m = 10; m <= 14 && abruf < 0; ++m) {
            Spielfeld_Satz* x = auf(2, *server);
            x->minute = m;
            Spielfeld_Sync_Minute(x, 0);
            *server = *x;
            x = auf(1, *client);
            x->minute = m;
            Spielfeld_Sync_Minute(x, 0);
            Min_Signal_Block p;
            Spielfeld_Min_Signal_Fuellen(x, 3, &p);
            *client = *x;
            x = auf(2, *server);
            Client_Team_Setzen(3);
            Spielfeld_Sync_Vom_Client(&p, 3);
            *server = *x;
            x = auf(1, *client);
            Spielfeld_Sync_Vom_Server(&p, 3);
            *client = *x;
            if (!Spielfeld_Resync_Offen()) continue;
            abruf = m;
            x = auf(2, *server);
            Client_Team_Setzen(3);
            Abruf r;
            ASSERT_EQ(Spielfeld_Sync_Status(r.a), 1);
            *server = *x;
            auf(1, *client);
            ASSERT_TRUE(Spielfeld_Geholt_Einsetzen(1, *r.Satz(), 20000));
            s = Spielfeld_Suchen(1);   // the fetched record replaced the old one
            *client = *s;
        }
        EXPECT_EQ(abruf, c.abruf_minute) << "moved " << c.verschoben;
        if (abruf >= 0) {
            EXPECT_TRUE(Spielfeld_Satz_Gleich(*client, *server)) << "moved " << c.verschoben;
        }
        Maschine(2);
    }
    Spieltag_Slots_Loeschen();
}

// A client's record is fetched again in most minutes; its own side of the
// edit copy (what its panels show and change) goes over to the fetched
// record, but a substitution the fetched record carried out meanwhile leaves
// it: a pair still listed there would show as pending, hold one of the
// side's places and go back into the ring with the manager's next change.
TEST_F(SyncTest, AFetchedRecordDropsFromTheEditCopyTheSubstitutionsItCarriedOut) {
    constexpr int32_t SEITE = 1;   // team 3, the client's club, plays away
    constexpr int32_t REIN = 17 + 12, RAUS = 17 + 5, REIN2 = 17 + 13, RAUS2 = 17 + 6;
    struct Fall {
        const char* wie;
        uint32_t rein_zustand, raus_zustand;   // in the fetched record
        uint8_t raus_code;
        bool erledigt;
    } faelle[] = {
        {"not carried out yet", SM_RESERVE, SM_AUF_PLATZ, 0, false},
        {"the substitute on, his man walking off", SM_AUF_PLATZ, SM_AUF_PLATZ, 38, true},
        {"the substitute on, his man on the bench", SM_AUF_PLATZ, SM_AUF_PLATZ | SM_AUSGEWECHSELT, 0, true},
        {"the substitute on, his man off the pitch", SM_AUF_PLATZ, SM_RESERVE, 0, true},
    };
    Maschine(1, 3);
    for (const Fall& c : faelle) {
        SCOPED_TRACE(c.wie);
        // The client's record: two pairs made in its panel, and a tactic.
        Spielfeld_Satz* alt = Spielfeld_Suchen(1);
        ASSERT_NE(alt, nullptr);
        for (int32_t slot : {REIN, REIN2}) alt->spieler[slot].zustand = SM_RESERVE;
        for (int32_t slot : {RAUS, RAUS2}) alt->spieler[slot].zustand = SM_AUF_PLATZ;
        std::memset(alt->e_wechsel_ein[SEITE], -1, SF_WECHSEL);
        std::memset(alt->e_wechsel_aus[SEITE], -1, SF_WECHSEL);
        alt->e_wechsel_ein[SEITE][0] = REIN;
        alt->e_wechsel_aus[SEITE][0] = RAUS;
        alt->e_wechsel_ein[SEITE][1] = REIN2;
        alt->e_wechsel_aus[SEITE][1] = RAUS2;
        alt->e_taktik[SEITE][2] = 77;
        // The server's record: the first pair as the case has it, the second pending.
        Spielfeld_Satz neu = *alt;
        std::memset(neu.e_wechsel_ein, -1, sizeof neu.e_wechsel_ein);
        std::memset(neu.e_wechsel_aus, -1, sizeof neu.e_wechsel_aus);
        neu.e_taktik[SEITE][2] = 50;
        neu.spieler[REIN].zustand = c.rein_zustand;
        neu.spieler[RAUS].zustand = c.raus_zustand;
        neu.figur[RAUS].situation = c.raus_code;
        ASSERT_TRUE(Spielfeld_Geholt_Einsetzen(1, neu, 20000));
        const Spielfeld_Satz* satz = Spielfeld_Suchen(1);
        ASSERT_NE(satz, nullptr);
        EXPECT_EQ(satz->e_wechsel_ein[SEITE][0], c.erledigt ? -1 : REIN);
        EXPECT_EQ(satz->e_wechsel_aus[SEITE][0], c.erledigt ? -1 : RAUS);
        EXPECT_EQ(satz->e_wechsel_ein[SEITE][1], REIN2) << "a pair still pending stays";
        EXPECT_EQ(satz->e_wechsel_aus[SEITE][1], RAUS2);
        EXPECT_EQ(satz->e_taktik[SEITE][2], 77) << "the client's tactic stays";
    }
}

// Network waits are kept per game, and game numbers come again on later
// days. A match that ended, or a day's table that went, while a wait ran
// must leave no wait behind: the next match of that number would start
// inside it, slowed at its first waiting frame and with the old match's
// waiting lines in its ticker.
TEST_F(SyncTest, AMatchOfALaterDayWithTheSameNumberInheritsNoWait) {
    const auto copy = std::make_unique<Spielfeld_Satz>(*s);
    struct Fall {
        const char* wie;
        std::function<void()> ende;
    } faelle[] = {
        {"the day's table cleared", [] { Spieltag_Slots_Loeschen(); }},
        {"the match day started afresh", [] { ASSERT_TRUE(Spieltag_Init()); }},
        {"the slot closed at the match's end", [] {
             Spieltag_Slot jetzt{};
             ASSERT_TRUE(Spieltag_Get_Slot(0, &jetzt));
             jetzt.status = SLOT_BEENDET;
             ASSERT_TRUE(Spieltag_Client_Slot_Setzen(jetzt));
             Maschine(2);
             Spieltag_Run(0);
             ASSERT_EQ(Spieltag_Slot_Status(1), SLOT_GESCHLOSSEN);
             Maschine(1, 3);
         }},
    };
    for (const Fall& c : faelle) {
        SCOPED_TRACE(c.wie);
        Spielfeld_Satz* satz = copy.get();
        Server_Slot(satz, 2, 2, SLOT_LAEUFT);   // the day's table afresh, game 1's record in it
        Maschine(1, 3);
        Spielfeld_Frameabzug_Setzen(0);
        // The client waits for the server's minute 10 for over 4 s.
        Sync_Minute(satz, 0) = 5;
        satz->bereit = 0;
        for (uint32_t t = 100000; t <= 104500; t += 500) Spielfeld_Sync_Warten(satz, t, false);
        ASSERT_GE(Spielfeld_Sync_Wartezeilen(1), 1u);
        ASSERT_GE(Spielfeld_Frameabzug(), 2);
        c.ende();
        // A later day: game 1 again, a new match; its first wait starts now.
        Maschine(1, 3);
        Spielfeld_Frameabzug_Setzen(0);
        EXPECT_EQ(Spielfeld_Sync_Wartezeilen(1), 0u) << "the old match's waiting lines";
        auto neu = std::make_unique<Spielfeld_Satz>(*copy);
        neu->spiel = 1;
        Sync_Minute(neu.get(), 0) = 5;
        neu->bereit = 0;
        const uint32_t gesendet = Sync_Zaehler_Lesen().gesendet;
        Spielfeld_Sync_Warten(neu.get(), 900000, false);
        Spielfeld_Sync_Warten(neu.get(), 901000, false);
        EXPECT_EQ(Spielfeld_Frameabzug(), 0) << "slowed within 2 s of its wait";
        EXPECT_LE(Sync_Zaehler_Lesen().gesendet, gesendet + 1) << "re-sent within 2 s";
        EXPECT_EQ(Spielfeld_Sync_Wartezeilen(1), 0u) << "a waiting line within 2 s";
        Spielfeld_Sync_Warten_Ende(neu.get());
    }
    Spieltag_Slots_Loeschen();
}

}  // namespace
}  // namespace velmora::test
