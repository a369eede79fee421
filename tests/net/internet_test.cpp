// Remote calls: the type-string grammar, round trips and the request switch's refusals.
#include "net/internet.h"

#include <gtest/gtest.h>

#include <cstring>

#include "core/mem.h"
#include "core/prioritaeten.h"
#include "core/str.h"
#include "net_test_hilfe.h"

using namespace velmora;
using namespace velmora::test;

namespace {

struct Gesehen {
    int32_t client_team = -99;
    int32_t slot = -99;
    int32_t aufrufe = 0;
};
Gesehen gesehen;

void Merken() {
    gesehen.client_team = Client_Team();
    gesehen.slot = Internet_Server_Slot();
    ++gesehen.aufrufe;
}

// A client of a fresh server, its slot given `team`.
NetKontext* Client_Mit_Team(Testnetz& netz, int32_t team) {
    bool ok = false;
    NetKontext* c = netz.Client(&ok);
    EXPECT_TRUE(ok);
    ImKontext im(netz.server);
    for (int32_t i = NET_SLOTS_GESAMT - 1; i >= 0; --i) {
        if (Net_Slot(i)->zustand == 1 && Net_Slot(i)->team == -1) {
            Net_Slot_Team_Setzen(i, team);
            break;
        }
    }
    return c;
}

}  // namespace

TEST(InternetTyp, GrammarAcceptsTheCallsOfTheGame) {
    struct Fall {
        const char* text;
        size_t elemente;
        char ergebnis;
    } faelle[] = {
        {"vi", 1, 'v'},
        {"iC<=0C<12C<28C<28F<4F<4F<4F<4C<52i", 10, 'i'},
        {"ciiiiii", 6, 'c'},
        {"iF4F4iiic", 6, 'i'},
        {"vC<24I<4I<4I<4I<4i", 6, 'v'},
        {"iI<42340I<4F<4I<4I<4", 5, 'i'},
        {"iiiiiC40C17", 6, 'i'},
        {"viiiiiI64", 6, 'v'},
        {"v", 0, 'v'},
    };
    for (const Fall& f : faelle) {
        Internet_Typ t;
        ASSERT_TRUE(Internet_Typ_Lesen(f.text, std::strlen(f.text), t)) << f.text;
        EXPECT_EQ(t.elemente.size(), f.elemente) << f.text;
        EXPECT_EQ(t.ergebnis, f.ergebnis) << f.text;
    }
    Internet_Typ t;
    ASSERT_TRUE(Internet_Typ_Lesen("iC<=0C<12F4I8", 13, t));
    EXPECT_TRUE(t.elemente[0].aus && t.elemente[0].frei);
    EXPECT_TRUE(t.elemente[1].aus && !t.elemente[1].frei);
    EXPECT_EQ(t.elemente[1].groesse, 12u);
    EXPECT_FALSE(t.elemente[2].aus);
    EXPECT_EQ(t.elemente[3].art, 'I');
    EXPECT_EQ(t.elemente[3].groesse, 8u);
}

TEST(InternetTyp, GrammarRejectsBrokenStrings) {
    const char* faelle[] = {
        "",          // no result
        "xi",        // unknown result
        "vq",        // unknown argument
        "vC",        // block without size
        "vC<",       // result without size
        "vF8",       // a float input is F4
        "vi<",       // only blocks are results
        "vC<=1",     // only "=0" chooses the server's size
        "vC-4",      // negative size
        "vC99999999999",   // size beyond any frame
        "vI=0",
    };
    for (const char* f : faelle) {
        Internet_Typ t;
        EXPECT_FALSE(Internet_Typ_Lesen(f, std::strlen(f), t)) << f;
    }
    std::string lang(INTERNET_TYP_MAX + 1, 'i');
    lang[0] = 'v';
    Internet_Typ t;
    EXPECT_FALSE(Internet_Typ_Lesen(lang.c_str(), lang.size(), t));
    std::string viele = "v" + std::string(INTERNET_ELEMENTE_MAX + 1, 'i');
    EXPECT_FALSE(Internet_Typ_Lesen(viele.c_str(), viele.size(), t));
}

TEST(InternetAufruf, EveryElementMakesTheRoundTripWithTheRequestersTeam) {
    Testnetz netz;
    // Inputs i, c, F4, C5, I8; results C<6, I<8, F<8; int result.
    ASSERT_TRUE(Internet_Server_Anmelden(1001, "iicF4C16I8C<6I<8F<8", [](Internet_Aufruf& a) {
        Merken();
        uint32_t l = 0;
        const uint8_t* c = a.Block(3, &l);
        uint8_t* aus = a.Ergebnis(5, nullptr);
        for (uint32_t i = 0; i < l && i < 6; ++i) aus[i] = uint8_t(c[i] + 1);
        int32_t ints[2];
        std::memcpy(ints, a.Block(4, nullptr), 8);
        ints[0] *= 2;
        ints[1] *= 3;
        std::memcpy(a.Ergebnis(6, nullptr), ints, 8);
        float f[2] = {a.F(2) * 2.0f, float(a.I(1))};
        std::memcpy(a.Ergebnis(7, nullptr), f, 8);
        return a.I(0) + 1000;
    }));
    NetKontext* c = Client_Mit_Team(netz, 42);
    ImKontext im(c);
    Client_Team_Setzen(7);   // what the client claims does not count on the server
    const uint8_t block[5] = {10, 20, 30, 40, 50};
    const int32_t ints[2] = {-4, 11};
    uint8_t c_aus[6] = {};
    int32_t i_aus[2] = {};
    float f_aus[2] = {};
    int32_t r = Internet_Client_Read(1001, Str_Format("iicF4C%dI%dC<%dI<%dF<%d", 5, 8, 6, 8, 8), 0, 0, 5, 'x',
                                     1.25f, block, ints, c_aus, i_aus, f_aus);
    EXPECT_EQ(r, 1005);
    const uint8_t erwartet[6] = {11, 21, 31, 41, 51, 0};
    EXPECT_EQ(0, std::memcmp(c_aus, erwartet, 6));
    EXPECT_EQ(i_aus[0], -8);
    EXPECT_EQ(i_aus[1], 33);
    EXPECT_FLOAT_EQ(f_aus[0], 2.5f);
    EXPECT_FLOAT_EQ(f_aus[1], float('x'));
    EXPECT_EQ(gesehen.client_team, 42);
    EXPECT_EQ(gesehen.slot, 0);
    EXPECT_EQ(Client_Team(), 7);
    Internet_Server_Abmelden(1001);
}

TEST(InternetAufruf, ServerSizedBlockAndVoidResult) {
    Testnetz netz;
    ASSERT_TRUE(Internet_Server_Anmelden(1015, "iC<=0i", [](Internet_Aufruf& a) {
        std::vector<uint8_t> d(size_t(a.I(1)));
        for (size_t i = 0; i < d.size(); ++i) d[i] = uint8_t(i);
        a.Ergebnis_Frei(0, d.data(), uint32_t(d.size()));
        return int32_t(d.size());
    }, 100000));
    ASSERT_TRUE(Internet_Server_Anmelden(1014, "viiii", [](Internet_Aufruf&) {
        Merken();
        return 77;
    }));
    NetKontext* c = Client_Mit_Team(netz, 3);
    ImKontext im(c);
    for (int32_t n : {0, 1, 3000, 60000}) {
        Internet_Block b;
        EXPECT_EQ(Internet_Client_Read(1015, "iC<=0i", 0, 0, &b, n), n);
        ASSERT_EQ(b.laenge, uint32_t(n));
        if (n == 0) {
            EXPECT_EQ(b.daten, nullptr);
        }
        for (int32_t i = 0; i < n; ++i) ASSERT_EQ(static_cast<uint8_t*>(b.daten)[i], uint8_t(i));
        Mem_Free(b.daten);
    }
    // Larger than the handler's registered bound: the handler's fill is refused, the block stays empty.
    Internet_Block b;
    EXPECT_EQ(Internet_Client_Read(1015, "iC<=0i", 0, 0, &b, 200000), 200000);
    EXPECT_EQ(b.laenge, 0u);
    gesehen.aufrufe = 0;
    EXPECT_EQ(Internet_Client_Read(1014, "viiii", 0, 0, 1, 2, 3, 4), 1);   // "v": true when answered
    EXPECT_EQ(gesehen.aufrufe, 1);
    Internet_Server_Abmelden(1015);
    Internet_Server_Abmelden(1014);
}

TEST(InternetAufruf, BlockTypeFourIsTheSecondNumbering) {
    Testnetz netz;
    static int32_t summe = 0;
    ASSERT_TRUE(Internet_Server_Anmelden(4, "viiiiiI4000", [](Internet_Aufruf& a) {
        uint32_t l = 0;
        const uint8_t* d = a.Block(5, &l);
        summe = a.I(0) + a.I(4) + int32_t(l) + d[l - 1];
        return 0;
    }));
    NetKontext* c = Client_Mit_Team(netz, 1);
    ImKontext im(c);
    std::vector<int32_t> spieler(10, 0);
    spieler[9] = 0x05;
    EXPECT_EQ(Internet_Client_Read(4, Str_Format("viiiiiI%d", 40), 0, 0, 100, 2, 3, 4, 5, spieler.data()), 1);
    EXPECT_EQ(summe, 100 + 5 + 40 + 0);
    Internet_Server_Abmelden(4);
}

TEST(InternetAufruf, RefusedRequestsLeaveTheConnectionUsable) {
    Testnetz netz;
    ASSERT_TRUE(Internet_Server_Anmelden(1016, "viiiiiC100", [](Internet_Aufruf&) {
        Merken();
        return 0;
    }));
    NetKontext* c = Client_Mit_Team(netz, 5);
    ImKontext im(c);
    uint8_t block[200] = {};
    gesehen.aufrufe = 0;
    Logfaenger log;
    struct Fall {
        int32_t id;
        const char* typ;
        const char* grund;
    } faelle[] = {
        {1040, "viiiiiC100", "unbekannte Anfrage"},
        {1016, "viiiiC100", "passt nicht"},          // one argument short
        {1016, "viiiiiI100", "passt nicht"},         // other letter
        {1016, "viiiiiC<100", "passt nicht"},        // other direction
        {1016, "viiiiiC101", "passt nicht"},         // oversized block
        {1016, "iiiiiiC100", "passt nicht"},         // other result
    };
    for (const Fall& f : faelle) {
        // The arguments follow the type string as the client wrote it.
        int32_t r = std::strcmp(f.typ, "viiiiC100") == 0 ? Internet_Client_Read(f.id, f.typ, 0, 0, 1, 2, 3, 4, block)
                                                         : Internet_Client_Read(f.id, f.typ, 0, 0, 1, 2, 3, 4, 5, block);
        EXPECT_EQ(r, 0) << f.typ;
        EXPECT_TRUE(log.Enthaelt(f.grund)) << f.typ;
        EXPECT_GE(Net_Server_Verbindung(), 0);
    }
    EXPECT_EQ(gesehen.aufrufe, 0);
    EXPECT_EQ(Internet_Client_Read(1016, "viiiiiC60", 0, 0, 1, 2, 3, 4, 5, block), 1);   // smaller is fine
    EXPECT_EQ(gesehen.aufrufe, 1);
    // Ids outside both numberings never leave the client.
    EXPECT_EQ(Internet_Client_Read(999, "v", 0, 0), 0);
    EXPECT_EQ(Internet_Client_Read(53, "v", 0, 0), 0);
    Internet_Server_Abmelden(1016);
}

TEST(InternetAufruf, TruncatedAndOverlongBlocksAreRefusedWithAnAnswer) {
    Testnetz netz;
    ASSERT_TRUE(Internet_Server_Anmelden(1020, "iiC8", [](Internet_Aufruf&) {
        Merken();
        return 1;
    }));
    bool ok = false;
    netz.Client(&ok);
    ASSERT_TRUE(ok);
    gesehen.aufrufe = 0;
    auto anfrage = [](const char* typ, size_t argumente) {
        Internet_Block_Kopf k{INTERNET_MAGIC_ANFRAGE, 1020, uint32_t(std::strlen(typ)), 0};
        std::vector<uint8_t> b(sizeof(k) + k.typ_laenge + argumente, 0);
        std::memcpy(b.data(), &k, sizeof(k));
        std::memcpy(b.data() + sizeof(k), typ, k.typ_laenge);
        return b;
    };
    std::vector<std::vector<uint8_t>> faelle = {
        anfrage("iiC8", 11),                  // one byte short
        anfrage("iiC8", 13),                  // one byte too many
        anfrage("iiC8", 0),
        std::vector<uint8_t>(10, 0),          // shorter than the header
        {},
    };
    {   // the type string's length points past the block
        auto b = anfrage("iiC8", 12);
        uint32_t l = 5000;
        std::memcpy(b.data() + 8, &l, 4);
        faelle.push_back(b);
    }
    ImKontext im(netz.server);
    for (const auto& b : faelle) {
        EXPECT_FALSE(Internet_Server_Antwort(0, b.data(), b.size()));
        EXPECT_EQ(Net_Slot(0)->zustand, 1);
    }
    EXPECT_FALSE(Internet_Server_Antwort(0, nullptr, 20));
    EXPECT_FALSE(Internet_Server_Antwort(3, faelle[0].data(), faelle[0].size()));   // unused slot
    EXPECT_EQ(gesehen.aufrufe, 0);
    auto gut = anfrage("iiC8", 12);
    EXPECT_TRUE(Internet_Server_Antwort(0, gut.data(), gut.size()));
    EXPECT_EQ(gesehen.aufrufe, 1);
    Internet_Server_Abmelden(1020);
}

TEST(InternetAufruf, CallFailsWithinItsTimeWhenTheServerDiesOrIsSilent) {
    Testnetz netz;
    ASSERT_TRUE(Internet_Server_Anmelden(1025, "iC<=0C<20i", [](Internet_Aufruf& a) { return a.I(2); }));
    NetKontext* c = Client_Mit_Team(netz, 9);
    ImKontext im(c);
    Net_Zeiten_Wert().antwort_ms = 300;
    Internet_Block b;
    uint8_t worte[20];
    EXPECT_EQ(Internet_Client_Read(1025, "iC<=0C<20i", 0, 0, &b, worte, 12), 12);
    // Silent: nobody runs the server while the client waits.
    Net_Hooks().warten = nullptr;
    uint32_t start = Plat_Ms();
    EXPECT_EQ(Internet_Client_Read(1025, "iC<=0C<20i", 0, 0, &b, worte, 12), 0);
    uint32_t dauer = Plat_Ms() - start;
    EXPECT_GE(dauer, 300u);   // not before its answer time (after it, however busy the machine)
    // The late answer to the silent call is not taken for the next call's.
    Net_Hooks().warten = &Server_Runde;
    EXPECT_EQ(Internet_Client_Read(1025, "iC<=0C<20i", 0, 0, &b, worte, 13), 13);
    // Killed: the connection closes and the call ends long before its time.
    Net_Zeiten_Wert().antwort_ms = 120000;
    netz.Server_Stoppen();
    start = Plat_Ms();
    EXPECT_EQ(Internet_Client_Read(1025, "iC<=0C<20i", 0, 0, &b, worte, 12), 0);
    EXPECT_LT(Plat_Ms() - start, 60000u);
    EXPECT_EQ(Internet_Client_Read(1025, "iC<=0C<20i", 0, 0, &b, worte, 12), 0);
    Internet_Server_Abmelden(1025);
}

// A call sent without waiting (the fetch of a live match's record): the loop
// goes on, and a later pass picks the answer up. Meanwhile a waiting call
// leaves its answer queued; a call given up has its answer dropped; a silent
// or vanished server ends it within the answer time.
TEST(InternetAufruf, ACallSentWithoutWaitingIsPickedUpInALaterPass) {
    Testnetz netz;
    ASSERT_TRUE(Internet_Server_Anmelden(1025, "iC<=0C<20i", [](Internet_Aufruf& a) {
        uint32_t n = 0;
        std::memset(a.Ergebnis(1, &n), a.I(2), 20);
        return a.I(2);
    }));
    NetKontext* c = Client_Mit_Team(netz, 9);
    ImKontext im(c);
    Net_Zeiten_Wert().antwort_ms = 300;
    Internet_Block b;
    uint8_t worte[20] = {}, andere[20] = {};
    int32_t ergebnis = 0;
    Internet_Offen offen;
    ASSERT_TRUE(Internet_Client_Senden(offen, 1025, "iC<=0C<20i", 0, 0, &b, worte, 12));
    EXPECT_EQ(Internet_Client_Abholen(offen, &ergebnis), 0) << "nobody ran the server yet";
    // A waiting call meanwhile serves the server: its own answer is its own,
    // the one out stays queued.
    EXPECT_EQ(Internet_Client_Read(1025, "iC<=0C<20i", 0, 0, &b, andere, 13), 13);
    EXPECT_EQ(andere[0], 13);
    EXPECT_EQ(Internet_Client_Abholen(offen, &ergebnis), 1);
    EXPECT_EQ(ergebnis, 12);
    EXPECT_EQ(worte[19], 12);
    EXPECT_GT(offen.bytes, 2 * sizeof(Net_Frame_Kopf) + 20) << "both frames counted";
    EXPECT_EQ(Internet_Client_Abholen(offen, &ergebnis), -1) << "nothing out any more";
    // Given up: its answer, when it comes, is not taken for the next call's.
    ASSERT_TRUE(Internet_Client_Senden(offen, 1025, "iC<=0C<20i", 0, 0, &b, worte, 14));
    Internet_Client_Aufgeben(offen);
    for (int32_t i = 0; i < 20; ++i) {   // its answer reaches the client
        Server_Runde();
        Net_Pump();
        Plat_Sleep_Ms(2);
    }
    EXPECT_EQ(Internet_Client_Read(1025, "iC<=0C<20i", 0, 0, &b, andere, 15), 15);
    // Silent: no answer within the answer time ends the call.
    Net_Hooks().warten = nullptr;
    ASSERT_TRUE(Internet_Client_Senden(offen, 1025, "iC<=0C<20i", 0, 0, &b, worte, 16));
    uint32_t start = Plat_Ms();
    int32_t r = 0;
    while (r == 0 && Plat_Ms() - start < 30000) {
        r = Internet_Client_Abholen(offen, &ergebnis);
        Plat_Sleep_Ms(5);
    }
    EXPECT_EQ(r, -1);
    EXPECT_GE(Plat_Ms() - start, 300u);
    // Vanished: the closed connection ends it long before its time.
    Net_Hooks().warten = &Server_Runde;
    Net_Zeiten_Wert().antwort_ms = 120000;
    ASSERT_TRUE(Internet_Client_Senden(offen, 1025, "iC<=0C<20i", 0, 0, &b, worte, 17));
    netz.Server_Stoppen();
    start = Plat_Ms();
    r = 0;
    while (r == 0 && Plat_Ms() - start < 60000) {
        r = Internet_Client_Abholen(offen, &ergebnis);
        Plat_Sleep_Ms(5);
    }
    EXPECT_EQ(r, -1);
    EXPECT_LT(Plat_Ms() - start, 60000u);
    EXPECT_FALSE(Internet_Client_Senden(offen, 1025, "iC<=0C<20i", 0, 0, &b, worte, 18)) << "no connection";
    Internet_Server_Abmelden(1025);
}

TEST(InternetAufruf, CallNestedInTheWaitHookKeepsTheOuterAnswer) {
    Testnetz netz;
    ASSERT_TRUE(Internet_Server_Anmelden(1019, "ii", [](Internet_Aufruf& a) { return a.I(0) * 10; }));
    NetKontext* c = Client_Mit_Team(netz, 1);
    ImKontext im(c);
    static int32_t innen = 0;
    innen = 0;
    // The event pump runs a frame that makes its own call while the outer
    // one waits, once the outer answer has reached this side.
    Net_Hooks().warten = [] {
        if (innen != 0) {
            Server_Runde();
            return;
        }
        innen = -1;
        const uint64_t vorher = Net_Zaehler_Lesen().empfangen;
        if (!Server_Bis([vorher] {
                Net_Pump();
                return Net_Zaehler_Lesen().empfangen > vorher;
            }))
            return;
        innen = Internet_Client_Read(1019, "ii", 0, 0, 2);
    };
    EXPECT_EQ(Internet_Client_Read(1019, "ii", 0, 0, 1), 10);
    EXPECT_EQ(innen, 20);
    Net_Hooks().warten = &Server_Runde;
    Internet_Server_Abmelden(1019);
}

TEST(InternetAufruf, NoCallOutsideClientMode) {
    Net_Init();
    NetKontext* k = Net_Kontext_Neu();
    ImKontext im(k);
    for (int32_t modus : {0, 1, 2}) {
        Netzwerk_Modus_Setzen(modus);
        EXPECT_EQ(Internet_Client_Read(1029, "vi", 0, 0, 1), 0) << modus;
    }
    Netzwerk_Modus_Setzen(0);
    Net_Kontext_Loeschen(k);
}

TEST(InternetAufruf, RegistrationRefusesBadIdsAndTemplates) {
    auto h = [](Internet_Aufruf&) { return 0; };
    EXPECT_FALSE(Internet_Server_Anmelden(-1, "v", h));
    EXPECT_FALSE(Internet_Server_Anmelden(53, "v", h));
    EXPECT_FALSE(Internet_Server_Anmelden(1044, "v", h));
    EXPECT_FALSE(Internet_Server_Anmelden(1000, "vZ", h));
    EXPECT_FALSE(Internet_Server_Anmelden(1000, "v", nullptr));
    EXPECT_TRUE(Internet_Server_Anmelden(52, "v", h));
    EXPECT_TRUE(Internet_Server_Anmelden(1043, "v", h));
    Internet_Server_Abmelden(52);
    Internet_Server_Abmelden(1043);
}

TEST(InternetRefresh, CompositesRunTheirHooksOnlyOnAClient) {
    Net_Init();
    static std::string spur;
    spur.clear();
    NetHooks alt = Net_Hooks();
    // Entered out of order: the lists run by priority.
    Net_Hooks().client_refresh.Anmelden(prio::REFRESH_MANAGER, [] { spur += "M"; }, "M");
    Net_Hooks().client_refresh.Anmelden(prio::REFRESH_SPIELER, [] { spur += "S"; }, "S");
    Net_Hooks().client_refresh.Anmelden(prio::REFRESH_TEAM, [] { spur += "T"; }, "T");
    Net_Hooks().client_alles_holen.Anmelden(prio::HOLEN_NEWS, [] { spur += "N"; }, "N");
    Net_Hooks().client_alles_holen.Anmelden(prio::HOLEN_KALENDER, [] { spur += "K"; }, "K");
    Net_Hooks().client_alles_holen.Anmelden(prio::HOLEN_SPIELZAEHLER, [] { spur += "Z"; }, "Z");
    Net_Hooks().spieler_testblock = [](int32_t t) { spur += std::to_string(t); };
    NetKontext* k = Net_Kontext_Neu();
    ImKontext im(k);
    auto alle = [] {
        Internet_Client_Refresh_Alle();
        Client_Alles_Holen();
        Internet_Lese_Spieler_Testblock(12);
    };
    Netzwerk_Modus_Setzen(2);
    alle();
    EXPECT_EQ(spur, "");
    Netzwerk_Modus_Setzen(1);
    alle();
    EXPECT_EQ(spur, "STMKZN12");
    Net_Hooks() = alt;
    Net_Kontext_Loeschen(k);
}
