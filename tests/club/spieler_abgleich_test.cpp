// Request 1043 on the server: every player's public record as far as it
// changed. The 2.7 MB block is built from the store only when the store
// changed since it was last built; a connection that has not joined gets the
// list once, and asked again the version last built. Each answer still gives
// the asker the server's records.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "club/abgleich.h"
#include "club/club_netz.h"
#include "club/spieler_testing.h"
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
        bool mit_stand;          // names the version the client took last
        bool aendern;            // the server changes a player first
        uint32_t art;            // the answer's kind
        uint32_t gebaut;         // blocks built so far
    } schritte[] = {
        {"a new connection's club choice", 7, -1, false, false, ABGLEICH_GANZ, 1},
        {"the same connection again", 7, -1, false, false, ABGLEICH_GANZ, 1},
        {"another new connection, nothing changed", 8, -1, false, false, ABGLEICH_GANZ, 1},
        {"a joined client, nothing changed", 9, 3, true, false, ABGLEICH_UNVERAENDERT, 1},
        {"a joined client after a change", 9, 3, true, true, ABGLEICH_STUECKE, 2},
        {"the joined client again", 9, 3, true, false, ABGLEICH_UNVERAENDERT, 2},
        {"the first connection after the change", 7, -1, false, true, ABGLEICH_GANZ, 2},
        {"a new connection after that change", 10, -1, false, false, ABGLEICH_GANZ, 3},
    };
    Abgleich_Client kopie;
    for (const Schritt& s : schritte) {
        if (s.aendern) Spieler_Wert(SPW_STAERKE, 20, ++staerke, OP_SCHREIBEN);
        const std::vector<uint8_t> a = Fragen(basis + s.verbindung, s.team, s.mit_stand ? kopie.stand : 0);
        EXPECT_EQ(Wort(a, 1), s.art) << s.was;
        EXPECT_EQ(Spieler_Abgleich_Gebaut() - vorher, s.gebaut) << s.was;
        if (!s.mit_stand) kopie.Leeren();
        ASSERT_TRUE(kopie.Nehmen(a.data(), a.size())) << s.was;
        // A joined client holds the server's records at once; one that has
        // not joined may hold the list as it first read it.
        if (s.team < 0 && s.aendern) continue;
        const size_t je = sizeof(SpielerStruktur) + sizeof(SpielerFix);
        ASSERT_EQ(kopie.bytes.size(), je * size_t(Spieler_Anzahl())) << s.was;
        SpielerStruktur satz;
        std::memcpy(&satz, kopie.bytes.data() + je * 20, sizeof satz);
        EXPECT_EQ(std::memcmp(&satz, Spieler_Zeiger(SPZ_STRUKTUR, 20), sizeof satz), 0) << s.was;
    }
}

}  // namespace
}  // namespace velmora
