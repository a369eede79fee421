// A block fetched again and again travels only as far as it changed, and a
// client whose copy does not fit the answer takes nothing.
#include "club/abgleich.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "club/club_hooks.h"

namespace velmora {
namespace {

std::vector<uint8_t> Block(size_t n, uint8_t saat) {
    std::vector<uint8_t> b(n);
    for (size_t i = 0; i < n; ++i) b[i] = uint8_t(saat + i * 7 + i / 13);
    return b;
}

uint32_t Art(const std::vector<uint8_t>& antwort) {
    uint32_t a = 0;
    std::memcpy(&a, antwort.data() + 4, 4);
    return a;
}

// One fetch: the client's request, the server's answer, the client taking it.
struct Abruf {
    uint32_t art = 99;
    size_t bytes = 0;
    bool genommen = false, geaendert = false;
};
Abruf Holen(Abgleich_Server& server, Abgleich_Client& client, const std::vector<uint8_t>& aktuell) {
    std::vector<uint8_t> antwort;
    server.Antworten(aktuell, client.stand, antwort);
    Abruf a;
    a.art = Art(antwort);
    a.bytes = antwort.size();
    a.genommen = client.Nehmen(antwort.data(), antwort.size(), &a.geaendert);
    return a;
}

TEST(Abgleich, OnlyTheChangedPiecesTravelAndTheCopyEndsEqualToTheServersBlock) {
    struct Fall {
        const char* was;
        size_t laenge;       // the block's new length
        size_t stelle;       // a byte changed there (npos: none)
        uint32_t art;        // the answer's kind
        size_t hoechstens;   // the answer's size at most
    };
    const size_t keine = std::string::npos;
    const Fall faelle[] = {
        {"unchanged", 100000, keine, ABGLEICH_UNVERAENDERT, 16},
        {"one byte in the middle", 100000, 50000, ABGLEICH_STUECKE, 16 + 8 + ABGLEICH_RASTER},
        {"the first and the last byte", 100000, 0, ABGLEICH_STUECKE, 16 + 2 * (8 + ABGLEICH_RASTER)},
        {"grown by 100 bytes", 100100, keine, ABGLEICH_STUECKE, 16 + 8 + 100 + ABGLEICH_RASTER},
        {"shrunk by 1000 bytes", 99000, keine, ABGLEICH_STUECKE, 16},
        {"empty", 0, keine, ABGLEICH_STUECKE, 16},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.was);
        Abgleich_Server server(77);
        Abgleich_Client client;
        std::vector<uint8_t> block = Block(100000, 3);
        Abruf erst = Holen(server, client, block);
        ASSERT_TRUE(erst.genommen);
        EXPECT_EQ(erst.art, ABGLEICH_GANZ) << "a client without a copy gets the whole block";
        EXPECT_TRUE(erst.geaendert);
        EXPECT_EQ(client.bytes, block);
        std::vector<uint8_t> neu = block;
        neu.resize(f.laenge, 0xA5);
        if (f.stelle != keine) neu[f.stelle] ^= 0xFF;
        if (f.stelle == 0) neu.back() ^= 0xFF;
        Abruf dann = Holen(server, client, neu);
        ASSERT_TRUE(dann.genommen);
        EXPECT_EQ(dann.art, f.art);
        EXPECT_LE(dann.bytes, f.hoechstens);
        EXPECT_EQ(dann.geaendert, f.art != ABGLEICH_UNVERAENDERT);
        EXPECT_EQ(client.bytes, neu);
    }
}

TEST(Abgleich, AVersionTheServerNoLongerKeepsGetsTheWholeBlock) {
    Abgleich_Server server(1);
    Abgleich_Client client, alt;
    ASSERT_TRUE(Holen(server, client, Block(5000, 1)).genommen);
    alt = client;
    for (uint8_t i = 2; i < 2 + ABGLEICH_FASSUNGEN; ++i) ASSERT_TRUE(Holen(server, client, Block(5000, i)).genommen);
    const std::vector<uint8_t> jetzt = Block(5000, 40);
    Abruf a = Holen(server, alt, jetzt);
    ASSERT_TRUE(a.genommen);
    EXPECT_EQ(a.art, ABGLEICH_GANZ);
    EXPECT_EQ(alt.bytes, jetzt);
    // A version still kept gets only its pieces.
    Abruf b = Holen(server, client, jetzt);
    ASSERT_TRUE(b.genommen);
    EXPECT_EQ(b.art, ABGLEICH_STUECKE);
    EXPECT_EQ(client.bytes, jetzt);
}

// A copy that does not fit (another server's block under the same version,
// or one changed here) and a damaged answer are refused; the copy is
// forgotten, so the next request asks for the whole block and gets it.
TEST(Abgleich, AnAnswerThatDoesNotFitTheCopyIsRefusedAndTheNextFetchIsWhole) {
    const std::vector<uint8_t> block = Block(3000, 9);
    struct Fall {
        const char* was;
        void (*verderben)(Abgleich_Client&, std::vector<uint8_t>&);
    };
    const Fall faelle[] = {
        {"the copy changed here", [](Abgleich_Client& c, std::vector<uint8_t>&) { c.bytes[1500] ^= 1; }},
        {"the copy's length changed here", [](Abgleich_Client& c, std::vector<uint8_t>&) { c.bytes.pop_back(); }},
        {"a piece cut short", [](Abgleich_Client&, std::vector<uint8_t>& a) { a.pop_back(); }},
        {"a byte of a piece changed", [](Abgleich_Client&, std::vector<uint8_t>& a) { a.back() ^= 1; }},
        {"the CRC changed", [](Abgleich_Client&, std::vector<uint8_t>& a) { a[12] ^= 1; }},
        {"an unknown kind", [](Abgleich_Client&, std::vector<uint8_t>& a) { a[4] = 7; }},
        {"a piece past the block's end", [](Abgleich_Client&, std::vector<uint8_t>& a) { a[16] = 0xFF, a[17] = 0xFF; }},
        {"no answer", [](Abgleich_Client&, std::vector<uint8_t>& a) { a.clear(); }},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.was);
        Abgleich_Server server(5);
        Abgleich_Client client;
        ASSERT_TRUE(Holen(server, client, block).genommen);
        std::vector<uint8_t> neu = block;
        neu[2000] ^= 0x55;
        std::vector<uint8_t> antwort;
        server.Antworten(neu, client.stand, antwort);
        ASSERT_EQ(Art(antwort), ABGLEICH_STUECKE);
        f.verderben(client, antwort);
        EXPECT_FALSE(client.Nehmen(antwort.data(), antwort.size()));
        EXPECT_EQ(client.stand, 0u);
        EXPECT_TRUE(client.bytes.empty());
        Abruf a = Holen(server, client, neu);
        ASSERT_TRUE(a.genommen);
        EXPECT_EQ(a.art, ABGLEICH_GANZ);
        EXPECT_EQ(client.bytes, neu);
    }
    // "Unchanged" for a copy that is not the server's version is refused too.
    Abgleich_Server server(5);
    Abgleich_Client client;
    ASSERT_TRUE(Holen(server, client, block).genommen);
    client.bytes[0] ^= 1;
    std::vector<uint8_t> antwort;
    server.Antworten(block, client.stand, antwort);
    ASSERT_EQ(Art(antwort), ABGLEICH_UNVERAENDERT);
    EXPECT_FALSE(client.Nehmen(antwort.data(), antwort.size()));
}

// The whole round trip through the club's remote call: the server answers
// the request from the version it names; a copy the module's loader refuses
// is forgotten, so the next fetch names none and the whole block travels.
std::vector<uint8_t> g_block;
Abgleich_Server g_server(40);
std::vector<uint32_t> g_gefragt;   // the versions the requests named

TEST(Abgleich, AModuleFetchesThroughTheRemoteCallAndForgetsACopyItRefuses) {
    g_block = Block(3000, 9);
    Club_Hooks().client_read = [](int32_t, const char*, const std::vector<uint8_t>& arg, std::vector<uint8_t>& antwort) {
        uint32_t v = 0;
        if (arg.size() == 4) std::memcpy(&v, arg.data(), 4);
        g_gefragt.push_back(v);
        return g_server.Anfrage_Beantworten(arg.data(), arg.size(), [](std::vector<uint8_t>& b) { b = g_block; },
                                            antwort);
    };
    Abgleich_Client client;
    const auto nimmt = [](const uint8_t* d, size_t n) {
        return n == g_block.size() && std::memcmp(d, g_block.data(), n) == 0;
    };
    const auto verweigert = [](const uint8_t*, size_t) { return false; };
    ASSERT_TRUE(client.Holen_Und_Laden("test", 77, nimmt));
    const uint32_t erste = client.stand;
    g_block[1000] ^= 1;
    EXPECT_FALSE(client.Holen_Und_Laden("test", 77, verweigert));
    EXPECT_EQ(client.stand, 0u);
    EXPECT_TRUE(client.bytes.empty());
    EXPECT_TRUE(client.Holen_Und_Laden("test", 77, nimmt));
    EXPECT_EQ(client.bytes, g_block);
    EXPECT_EQ(g_gefragt, (std::vector<uint32_t>{0, erste, 0})) << "after the refusal the whole block is asked for";
    // Arguments without a version: no answer, nothing built.
    std::vector<uint8_t> antwort;
    EXPECT_FALSE(g_server.Anfrage_Beantworten(nullptr, 0, [](std::vector<uint8_t>&) { FAIL() << "built"; }, antwort));
    EXPECT_TRUE(antwort.empty());
    Club_Hooks() = ClubHooks{};
}

}  // namespace
}  // namespace velmora
