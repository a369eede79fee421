// Request 1043 on the server: every player's public record as far as it
// changed. The 2.7 MB block is built from the store only when the store
// changed since it was last built (known by the store's version, which every
// write moves); a connection that has not joined gets the list once, and
// asked again "unchanged" of the version it was handed. Each answer with
// records gives the asker the server's records.
#include <gtest/gtest.h>

#include <cstring>
#include <algorithm>
#include <functional>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

#include "club/abgleich.h"
#include "club/club_netz.h"
#include "club/markt_elf.h"
#include "club/spieler_dummy.h"
#include "club/spieler_saetze.h"
#include "club/spieler_testing.h"
#include "club/team_basis.h"
#include "core/bytes.h"
#include "core/le.h"
#include "tests/club/welt.h"

namespace velmora {
namespace {

class SpielerAbgleich : public ::testing::Test {
protected:
    void SetUp() override {
        test::Welt_Bauen(4, 18);
        Club_Hooks().netzwerk_modus = [] { return 2; };
    }
    void TearDown() override {
        Club_Verbindung_Setzen(0);
        Club_Hooks() = ClubHooks{};
        test::Welt_Freigeben();
    }
};

// The answer to connection `verbindung` of a client playing `team` (-1: not
// joined) that holds version `stand`.
std::vector<uint8_t> Fragen(uint32_t verbindung, int32_t team, uint32_t stand) {
    std::vector<uint8_t> a, antwort;
    Le_Put_U32(a, stand);
    Club_Verbindung_Setzen(verbindung);
    EXPECT_TRUE(Club_Server_Anfrage(ANFRAGE_SPIELER_ABGLEICH, team, a.data(), a.size(), antwort));
    Club_Verbindung_Setzen(0);
    // The block with its length, then the version's answer.
    EXPECT_GE(antwort.size(), 4u + 16u);
    return std::vector<uint8_t>(antwort.begin() + 4, antwort.end());
}

uint32_t Wort(const std::vector<uint8_t>& b, size_t i) { return Bytes_Get32(b.data() + 4 * i); }

// A request's arguments: the values as little-endian 32-bit words.
std::vector<uint8_t> Woerter(std::initializer_list<int32_t> werte) {
    std::vector<uint8_t> a;
    for (int32_t w : werte) Le_Put_U32(a, uint32_t(w));
    return a;
}

std::vector<uint8_t> Oeffentlich();

TEST_F(SpielerAbgleich, TheBlockIsBuiltOnlyWhenTheStoreChangedAndOncePerConnectionThatHasNotJoined) {
    // A store this process has not built the block of yet (an earlier test
    // may have had the same world).
    int32_t staerke = 1000 + int32_t(Spieler_Abgleich_Gebaut() % 5000) * 2;
    Spieler_Wert(SPW_STAERKE, 21, staerke, OP_SCHREIBEN);
    const uint32_t vorher = Spieler_Abgleich_Gebaut();
    // Connection numbers are never given twice in a process.
    static uint32_t laeufe = 0;
    const uint32_t basis = 1000 * ++laeufe;
    struct Schritt {
        const char* was;
        uint32_t verbindung;
        int32_t team;
        bool mit_stand;          // names the version its copy holds, else 0
        bool aendern;            // the server changes a player first
        uint32_t art;            // the answer's kind
        uint32_t gebaut;         // blocks built so far
    } schritte[] = {
        {"a new connection's club choice", 7, -1, false, false, ABGLEICH_GANZ, 1},
        {"the same connection again, as if it held none", 7, -1, false, false, ABGLEICH_UNVERAENDERT, 1},
        {"another new connection, nothing changed", 8, -1, false, false, ABGLEICH_GANZ, 1},
        {"a joined client, nothing changed", 9, 3, false, false, ABGLEICH_GANZ, 1},
        {"the joined client with its copy", 9, 3, true, false, ABGLEICH_UNVERAENDERT, 1},
        {"a joined client after a change", 9, 3, true, true, ABGLEICH_STUECKE, 2},
        {"the joined client again", 9, 3, true, false, ABGLEICH_UNVERAENDERT, 2},
        {"the first connection after the change, with its copy", 7, -1, true, true, ABGLEICH_UNVERAENDERT, 2},
        {"the first connection holding none", 7, -1, false, false, ABGLEICH_UNVERAENDERT, 2},
        {"a new connection after that change", 10, -1, false, false, ABGLEICH_GANZ, 3},
    };
    std::map<uint32_t, Abgleich_Client> kopien;
    std::map<uint32_t, std::vector<uint8_t>> erste;   // what each connection took first
    for (const Schritt& s : schritte) {
        if (s.aendern) Spieler_Wert(SPW_STAERKE, 20, ++staerke, OP_SCHREIBEN);
        Abgleich_Client& kopie = kopien[s.verbindung];
        const std::vector<uint8_t> a = Fragen(basis + s.verbindung, s.team, s.mit_stand ? kopie.stand : 0);
        EXPECT_EQ(Wort(a, 1), s.art) << s.was;
        EXPECT_EQ(Spieler_Abgleich_Gebaut() - vorher, s.gebaut) << s.was;
        if (s.team < 0 && erste.count(s.verbindung)) {
            // Asked again before it joined: 16 bytes naming the version it took, which its copy still takes.
            EXPECT_EQ(a.size(), 16u) << s.was;
            EXPECT_EQ(Wort(a, 0), kopie.stand) << s.was;
            ASSERT_TRUE(kopie.Nehmen(a.data(), a.size())) << s.was;
            EXPECT_EQ(kopie.bytes, erste[s.verbindung]) << s.was;
            continue;
        }
        if (!s.mit_stand) kopie.Leeren();
        ASSERT_TRUE(kopie.Nehmen(a.data(), a.size())) << s.was;
        if (s.team < 0) erste[s.verbindung] = kopie.bytes;
        // Each answer with records gives the asker the server's records.
        const size_t je = sizeof(SpielerStruktur) + sizeof(SpielerFix);
        ASSERT_EQ(kopie.bytes.size(), je * size_t(Spieler_Anzahl())) << s.was;
        SpielerStruktur satz;
        std::memcpy(&satz, kopie.bytes.data() + je * 20, sizeof satz);
        EXPECT_EQ(std::memcmp(&satz, Spieler_Zeiger(SPZ_STRUKTUR, 20), sizeof satz), 0) << s.was;
    }
}

// A connection that has not joined reads the list once, by request 1043 or
// by the player blocks of request 1005 (the forms of 1043 are the loopback
// test's, tests/app/netz_feind_test.cpp). A joined client gets the whole list
// while its copy is out of date, but not again and again for a version it
// was already given.
TEST_F(SpielerAbgleich, NoConnectionGetsTheWholeListForEveryRequest) {
    static uint32_t laeufe = 0;
    const uint32_t verbindung = 700000 + 1000 * ++laeufe;
    const int32_t n = Spieler_Anzahl();
    const size_t liste = (sizeof(SpielerStruktur) + sizeof(SpielerFix)) * size_t(n);
    // The raw answer of one request in the form `argumente`; empty when refused.
    auto roh = [](uint32_t nr, int32_t team, int32_t anfrage, const std::vector<uint8_t>& argumente) {
        std::vector<uint8_t> antwort;
        Club_Verbindung_Setzen(nr);
        if (!Club_Server_Anfrage(anfrage, team, argumente.data(), argumente.size(), antwort)) antwort.clear();
        Club_Verbindung_Setzen(0);
        return antwort;
    };
    // A connection that read the list by request 1043 reads no player blocks then.
    ASSERT_GT(roh(verbindung + 1, -1, ANFRAGE_SPIELER_ABGLEICH, Woerter({0})).size(), liste);
    EXPECT_TRUE(roh(verbindung + 1, -1, ANFRAGE_SPIELER_BLOCK, Woerter({0, 2})).empty());
    // A connection reading the blocks gets the list's players once, then neither request's records.
    int32_t gelesen = 0;
    for (int runde = 0; runde < 3; ++runde)
        for (int32_t erster = 0; erster < n; erster += 20)
            gelesen += int32_t(roh(verbindung + 2, -1, ANFRAGE_SPIELER_BLOCK, Woerter({erster, std::min(20, n - erster)}))
                                   .size() / (sizeof(SpielerStruktur) + sizeof(SpielerFix)));
    EXPECT_EQ(gelesen, n);
    EXPECT_LT(roh(verbindung + 2, -1, ANFRAGE_SPIELER_ABGLEICH, Woerter({0})).size(), 4u + 17u);
    // A joined client: the whole list while its copy is out of date, then "unchanged".
    struct Schritt {
        const char* was;
        bool mit_stand, aendern;
        uint32_t art;
    } schritte[] = {
        {"no copy yet", false, false, ABGLEICH_GANZ},
        {"its copy, current", true, false, ABGLEICH_UNVERAENDERT},
        {"none again (its answer lost)", false, false, ABGLEICH_GANZ},
        {"none again, the version already given twice", false, false, ABGLEICH_UNVERAENDERT},
        {"none again, and again", false, false, ABGLEICH_UNVERAENDERT},
        {"its copy after a change", true, true, ABGLEICH_STUECKE},
        {"none after another change", false, true, ABGLEICH_GANZ},
        {"its copy, current again", true, false, ABGLEICH_UNVERAENDERT},
    };
    Abgleich_Client kopie;
    int32_t form = 0;
    for (const Schritt& s : schritte) {
        if (s.aendern) Spieler_Wert(SPW_FORM, 30, ++form % 2 ? 7 : 8, OP_SCHREIBEN);
        const std::vector<uint8_t> a = Fragen(verbindung + 3, 3, s.mit_stand ? kopie.stand : 0);
        EXPECT_EQ(Wort(a, 1), s.art) << s.was;
        if (s.art == ABGLEICH_UNVERAENDERT) {
            EXPECT_EQ(a.size(), 16u) << s.was;
            continue;
        }
        if (!s.mit_stand) kopie.Leeren();
        ASSERT_TRUE(kopie.Nehmen(a.data(), a.size())) << s.was;
        EXPECT_EQ(kopie.bytes, Oeffentlich()) << s.was;
    }
}

// The bytes of request 1043's block as the store holds them now.
std::vector<uint8_t> Oeffentlich() {
    std::vector<uint8_t> b;
    for (int32_t p = 0; p < Spieler_Anzahl(); ++p) {
        const auto* s = static_cast<const uint8_t*>(Spieler_Zeiger_Lesen(SPZ_STRUKTUR, p));
        const auto* f = static_cast<const uint8_t*>(Spieler_Zeiger_Lesen(SPZ_FIX, p));
        b.insert(b.end(), s, s + sizeof(SpielerStruktur));
        b.insert(b.end(), f, f + sizeof(SpielerFix));
    }
    return b;
}

SpielerStruktur& Satz(int32_t p) { return *static_cast<SpielerStruktur*>(Spieler_Zeiger(SPZ_STRUKTUR, p)); }

// "Unchanged" goes by the store's version alone: every way the server writes
// a player's public record moves it, or a joined client would keep old
// records while the server tells it they are the same. After each write a
// client holding the version from before is sent what changed, and its copy
// is the server's records.
TEST_F(SpielerAbgleich, EveryWriteOfAPublicRecordIsSentToAClientThatAsksAgain) {
    const Verletzungsart arten[1] = {{1, 14, 28}};
    ASSERT_TRUE(Spieler_Verletzungsarten_Setzen(arten, 1));
    std::vector<uint8_t> gesichert;
    int32_t zaehler = 0;
    struct Weg {
        const char* was;
        std::function<void()> vorher;   // on the server before the client's copy is taken
        std::function<void()> schreiben;
    };
    const std::function<void()> nichts = [] {};
    const Weg wege[] = {
        {"a value within its limits", nichts, [&] { Spieler_Wert(SPW_FORM, 20, 100 + ++zaehler, OP_SCHREIBEN); }},
        {"a value clamped to its limits", [] { Spieler_Wert(SPW_FORM, 20, 10, OP_SCHREIBEN); },
         [] { Spieler_Wert(SPW_FORM, 20, 5000, OP_SCHREIBEN); }},
        {"a status bit", nichts, [] { Spieler_Wert(SPW_STATUS, 20, int32_t(SP_STATUS_ECKE), OP_TOGGLE); }},
        {"a value added to", nichts, [] { Spieler_Wert(SPW_BALLGEWINNE, 20, 3, OP_PLUS); }},
        {"a fixed value", nichts, [&] { Spieler_Wert(SPW_GROESSE, 20, 170 + ++zaehler % 20, OP_SCHREIBEN); }},
        {"the strength in stars", nichts, [&] { Spieler_Wert(SPW_STERNE, 20, 1 + ++zaehler % 11, OP_SCHREIBEN); }},
        {"the names", nichts, [&] { Spieler_Namen_Setzen(20, "Neu", ("Name" + std::to_string(++zaehler)).c_str()); }},
        {"the highest strength", [] { Spieler_Wert(SPW_MAX_STERNE, 20, 1, OP_SCHREIBEN); },
         [] { Spieler_Set_Maxstaerke(20); }},
        {"the main record through its pointer", nichts, [] { ++Satz(20).ballgewinne_2; }},
        {"the fixed data through its pointer", nichts,
         [] { static_cast<SpielerFix*>(Spieler_Zeiger(SPZ_FIX, 20))->haar ^= 0x21; }},
        {"the line values through their pointer", nichts,
         [] { ++static_cast<int16_t*>(Spieler_Zeiger(SPZ_LINIE, 20))[5]; }},
        {"the records of a walk over every player", nichts,
         [] {
             const SpielerSaetze<SpielerStruktur> saetze(SPZ_STRUKTUR);
             ++saetze(20)->start_wert100;
         }},
        {"an injury", nichts, [] { Spieler_Verletzen(3, 20, 1); }},
        {"a week of rest",
         [] {
             Spieler_Verletzen(3, 20, 1);
             Satz(20).verletzung_tage = 1;
         }, [] { Spieler_Genesung_Woche(); }},
        {"a player made anew", nichts, [] { Spieler_Init_Start_Dummies(21, 40); }},
        {"a club's squad brought up to date", [] { Spieler_Wert(SPW_MAX_STERNE, 22, 0, OP_SCHREIBEN); },
         [] { Team_Spieler_Aktualisieren(3); }},
        {"the market's eleven", [] { for (int32_t p = 72; p < 77; ++p) Spieler_Wert(SPW_SLOT, p, 7, OP_SCHREIBEN); },
         [] { Markt_Elf_Aufstellen(3); }},
        {"a save loaded", [&] {
             gesichert.clear();
             Spieler_Save(gesichert);
             Spieler_Wert(SPW_MORAL, 20, Spieler_Wert(SPW_MORAL, 20, 0, OP_LESEN) == 6 ? 5 : 6, OP_SCHREIBEN);
         },
         [&] { ASSERT_TRUE(Spieler_Load(gesichert.data(), gesichert.size())); }},
        {"a new store", nichts, [] { ASSERT_TRUE(Spieler_Init(Spieler_Anzahl())); }},
    };
    Abgleich_Client kopie;
    for (const Weg& w : wege) {
        w.vorher();
        const std::vector<uint8_t> erst = Fragen(0, 3, kopie.stand);
        ASSERT_TRUE(kopie.Nehmen(erst.data(), erst.size())) << w.was;
        ASSERT_EQ(kopie.bytes, Oeffentlich()) << w.was;
        w.schreiben();
        ASSERT_NE(kopie.bytes, Oeffentlich()) << w.was << ": changes no record";
        const std::vector<uint8_t> a = Fragen(0, 3, kopie.stand);
        EXPECT_NE(Wort(a, 1), ABGLEICH_UNVERAENDERT) << w.was;
        ASSERT_TRUE(kopie.Nehmen(a.data(), a.size())) << w.was;
        EXPECT_EQ(kopie.bytes, Oeffentlich()) << w.was;
    }
}

// A joined client that asks again while nothing was written is told
// "unchanged" without the records being read; a value written as it was
// moves the version, and the records are hashed once to find them the same.
TEST_F(SpielerAbgleich, UnchangedIsFoundByTheVersionAndTheRecordsAreHashedOnlyAfterAWrite) {
    Abgleich_Client kopie;
    const std::vector<uint8_t> erst = Fragen(0, 3, 0);
    ASSERT_TRUE(kopie.Nehmen(erst.data(), erst.size()));
    static uint32_t laeufe = 0;
    const uint32_t neu = 500000 + 1000 * ++laeufe;
    struct Schritt {
        const char* was;
        std::function<void()> schreiben;
        uint32_t verbindung;
        int32_t team;
        uint32_t art;
        uint32_t gehasht, gebaut;   // more than before this step
    } schritte[] = {
        {"nothing written", [] {}, 0, 3, ABGLEICH_UNVERAENDERT, 0, 0},
        {"nothing written, again", [] {}, 0, 3, ABGLEICH_UNVERAENDERT, 0, 0},
        {"a value written as it was", [] { Spieler_Wert(SPW_FORM, 30, Spieler_Form(30), OP_SCHREIBEN); }, 0, 3,
         ABGLEICH_UNVERAENDERT, 1, 0},
        {"nothing written since", [] {}, 0, 3, ABGLEICH_UNVERAENDERT, 0, 0},
        {"a pointer taken that changed nothing", [] { Spieler_Zeiger(SPZ_STRUKTUR, 30); }, 0, 3,
         ABGLEICH_UNVERAENDERT, 1, 0},
        {"a connection that has not joined", [] {}, neu, -1, ABGLEICH_GANZ, 0, 0},
        {"a value changed", [] { Spieler_Wert(SPW_FORM, 30, Spieler_Form(30) == 7 ? 8 : 7, OP_SCHREIBEN); }, 0, 3,
         ABGLEICH_STUECKE, 1, 1},
        {"the connection that has not joined, again", [] {}, neu, -1, ABGLEICH_UNVERAENDERT, 0, 0},
        {"the joined client, nothing written since", [] {}, 0, 3, ABGLEICH_UNVERAENDERT, 0, 0},
    };
    for (const Schritt& s : schritte) {
        s.schreiben();
        const uint32_t gehasht = Spieler_Abgleich_Gehasht(), gebaut = Spieler_Abgleich_Gebaut();
        const std::vector<uint8_t> a = Fragen(s.verbindung, s.team, s.team < 0 ? 0 : kopie.stand);
        EXPECT_EQ(Wort(a, 1), s.art) << s.was;
        EXPECT_EQ(Spieler_Abgleich_Gehasht() - gehasht, s.gehasht) << s.was;
        EXPECT_EQ(Spieler_Abgleich_Gebaut() - gebaut, s.gebaut) << s.was;
        if (s.team >= 0) {
            ASSERT_TRUE(kopie.Nehmen(a.data(), a.size())) << s.was;
        }
    }
    EXPECT_EQ(kopie.bytes, Oeffentlich());
    EXPECT_EQ(Spieler_Abgleich_Verpasst(), 0u);
}

}  // namespace
}  // namespace velmora
