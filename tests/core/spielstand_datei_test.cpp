#include "core/spielstand_datei.h"
#include "core/spielstand_packen.h"
#include "core/spielstand_testing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <vector>

using namespace velmora;

namespace {

using Schreiber = std::function<void(SpielstandDatei*)>;

// A file image with one module "Test" whose blocks `schreiben` writes.
std::vector<uint8_t> bild_mit(const Schreiber& schreiben, const SpielstandKopf& kopf = {}) {
    SpielstandDatei d;
    Spielstand_Datei_Neu(&d, kopf);
    EXPECT_TRUE(Spielstand_Modul_Beginnen(&d, "Test"));
    schreiben(&d);
    EXPECT_TRUE(Spielstand_Modul_Beenden(&d));
    EXPECT_TRUE(Spielstand_Datei_Abschliessen(&d));
    return d.bild;
}

// Opens an image and enters its module "Test".
void oeffnen(SpielstandDatei* d, std::vector<uint8_t> bild) {
    ASSERT_TRUE(Spielstand_Datei_Oeffnen(d, std::move(bild)));
    ASSERT_TRUE(Spielstand_Modul_Betreten(d, "Test"));
}

std::vector<uint8_t> muster(size_t n, uint32_t saat) {
    std::vector<uint8_t> v(n);
    std::mt19937 zufall(saat);
    for (auto& b : v) b = uint8_t(zufall());
    return v;
}

// An image of several modules and blocks, a few hundred bytes long.
std::vector<uint8_t> kleines_bild() {
    SpielstandKopf kopf{};
    std::strcpy(kopf.name, "Saison");
    SpielstandDatei d;
    Spielstand_Datei_Neu(&d, kopf);
    const std::vector<uint8_t> a = muster(40, 1), b = muster(3, 2);
    for (const char* name : {"Eins", "Zwei"}) {
        Spielstand_Modul_Beginnen(&d, name);
        Spielstand_Schreiben(&d, a.data(), uint32_t(a.size()));
        Spielstand_Schreiben(&d, b.data(), uint32_t(b.size()));
        Spielstand_Schreiben_Gepackt(&d, a.data(), uint32_t(a.size()));
        Spielstand_Modul_Beenden(&d);
    }
    EXPECT_TRUE(Spielstand_Datei_Abschliessen(&d));
    return d.bild;
}

// At least `n` bytes of `zeichen` kinds (4: any byte in the plain stretches):
// runs, one in `jeder` up to `lang` bytes long, and plain stretches, one in
// four of 100-159 bytes.
std::vector<uint8_t> laeufe_und_gruppen(std::mt19937& zufall, size_t n, uint32_t zeichen, uint32_t jeder, uint32_t lang) {
    std::vector<uint8_t> v;
    while (v.size() < n) {
        const size_t lauf = zufall() % jeder == 0 ? zufall() % lang : zufall() % 12;
        v.insert(v.end(), lauf, uint8_t(zufall() % zeichen));
        const size_t klar = zufall() % 4 == 0 ? 100 + zufall() % 60 : zufall() % 6;
        for (size_t k = 0; k < klar; ++k) v.push_back(uint8_t(zeichen == 4 ? zufall() : zufall() % zeichen));
    }
    return v;
}

}  // namespace

TEST(SpielstandBlock, BlocksOfEverySizeRoundTrip) {
    for (size_t n : {size_t(0), size_t(1), size_t(3), size_t(4099), size_t(1) << 20}) {
        const std::vector<uint8_t> daten = muster(n, uint32_t(n));
        SpielstandDatei d;
        oeffnen(&d, bild_mit([&](SpielstandDatei* f) {
            EXPECT_TRUE(Spielstand_Schreiben(f, daten.data(), uint32_t(n)));
        }));
        std::vector<uint8_t> gelesen(n + 1, 0xEE);
        ASSERT_TRUE(Spielstand_Lesen(&d, gelesen.data(), uint32_t(n))) << n;
        EXPECT_TRUE(std::equal(daten.begin(), daten.end(), gelesen.begin())) << n;
        EXPECT_EQ(gelesen[n], 0xEE) << "no byte past the block";
        EXPECT_TRUE(Spielstand_Modul_Verlassen(&d));
    }
}

TEST(SpielstandBlock, FileHoldsNoPlainCopyOfABlock) {
    std::string text;
    for (int i = 0; i < 200; ++i) text += "Spieler " + std::to_string(i) + " Velmora FC; ";
    std::vector<uint8_t> bild = bild_mit([&](SpielstandDatei* f) {
        Spielstand_Schreiben(f, text.data(), uint32_t(text.size()));
        Spielstand_Schreiben(f, text.data(), uint32_t(text.size()));
    });
    for (size_t k = 0; k + 8 <= text.size(); k += 8) {
        auto stelle = std::search(bild.begin(), bild.end(), text.begin() + k, text.begin() + k + 8);
        ASSERT_EQ(stelle, bild.end()) << "plain bytes of offset " << k;
    }
    // The same content in two blocks is scrambled differently: the first block's
    // bytes follow the header and the module's start block "Test".
    size_t erster = SPIELSTAND_KOPF_ENDE + SPIELSTAND_BLOCK_KOPF_BYTES + 4 + SPIELSTAND_BLOCK_KOPF_BYTES;
    size_t zweiter = erster + text.size() + SPIELSTAND_BLOCK_KOPF_BYTES;
    ASSERT_LE(zweiter + text.size(), bild.size());
    EXPECT_NE(std::memcmp(bild.data() + erster, bild.data() + zweiter, text.size()), 0);
    size_t gleich = 0;
    for (size_t i = 0; i < text.size(); ++i) gleich += bild[erster + i] == bild[zweiter + i];
    EXPECT_LT(gleich, text.size() / 20);
}

// The scrambler works 8 stretches of a large block side by side (32 of a
// block from 64 KB, their length kept off multiples of 8 KB) and the rest a
// word at a time; every byte must be what the key stream taken one step per
// four bytes gives, at every length around the stretches' edges.
TEST(SpielstandBlock, ScramblingIsTheKeyStreamByteForByte) {
    auto byteweise = [](std::vector<uint8_t> v, uint32_t nr, uint32_t laenge) {
        uint32_t x = 0x6A09E667u ^ (nr * 0x9E3779B9u) ^ (laenge * 0x85EBCA6Bu);
        if (x == 0) x = 0x1B873593u;
        for (size_t i = 0; i < v.size(); ++i) {
            if (i % 4 == 0) {
                x ^= x << 13;
                x ^= x >> 17;
                x ^= x << 5;
            }
            v[i] ^= uint8_t(x >> (8 * (i % 4)));
        }
        return v;
    };
    for (size_t n : {size_t(0), size_t(1), size_t(3), size_t(4), size_t(7), size_t(9), size_t(4095), size_t(4096),
                     size_t(4097), size_t(4100), size_t(4127), size_t(4128), size_t(4131), size_t(4352), size_t(8195),
                     size_t(65535), size_t(65536), size_t(65537), size_t(66559), size_t(66560), size_t(131072),
                     size_t(132100), size_t(1) << 20, (size_t(1) << 20) + 13, size_t(3000017)})
        for (uint32_t nr : {0u, 1u, 4711u}) {
            const std::vector<uint8_t> klar = muster(n, uint32_t(n) + nr);
            const uint32_t laenge = nr == 1 ? 64u : uint32_t(n);   // the header scrambles with a length of its own
            std::vector<uint8_t> ist = klar;
            Spielstand_Test_Verwuerfeln(ist.data(), ist.size(), nr, laenge);
            ASSERT_EQ(ist, byteweise(klar, nr, laenge)) << n << " bytes, block " << nr;
            Spielstand_Test_Verwuerfeln(ist.data(), ist.size(), nr, laenge);
            ASSERT_EQ(ist, klar) << n << " bytes, block " << nr;
        }
}

TEST(SpielstandBlock, WrongLengthIsRefusedAndTheBufferUntouched) {
    const std::vector<uint8_t> daten = muster(8, 7);
    for (uint32_t falsch : {0u, 4u, 7u, 9u, 16u}) {
        SpielstandDatei d;
        oeffnen(&d, bild_mit([&](SpielstandDatei* f) { Spielstand_Schreiben(f, daten.data(), 8); }));
        std::vector<uint8_t> puffer(16, 0x5A);
        EXPECT_FALSE(Spielstand_Lesen(&d, puffer.data(), falsch)) << falsch;
        EXPECT_EQ(std::count(puffer.begin(), puffer.end(), 0x5A), 16) << falsch;
        // after a failure the file stays failed
        EXPECT_FALSE(Spielstand_Lesen(&d, puffer.data(), 8));
    }
}

TEST(SpielstandBlock, AModuleCannotReadPastItsBlocksNorLeaveBlocksUnread) {
    const uint32_t wert = 42;
    {
        SpielstandDatei d;
        oeffnen(&d, bild_mit([&](SpielstandDatei* f) { Spielstand_Schreiben(f, &wert, 4); }));
        uint32_t a = 0, b = 0;
        EXPECT_TRUE(Spielstand_Lesen(&d, &a, 4));
        EXPECT_EQ(a, 42u);
        EXPECT_FALSE(Spielstand_Lesen(&d, &b, 4));
    }
    {
        SpielstandDatei d;
        oeffnen(&d, bild_mit([&](SpielstandDatei* f) {
            Spielstand_Schreiben(f, &wert, 4);
            Spielstand_Schreiben(f, &wert, 4);
        }));
        uint32_t a = 0;
        EXPECT_TRUE(Spielstand_Lesen(&d, &a, 4));
        EXPECT_FALSE(Spielstand_Modul_Verlassen(&d));
    }
}

TEST(SpielstandBlock, CallsWithoutAFileOrInTheWrongModeFail) {
    uint32_t wert = 1;
    EXPECT_FALSE(Spielstand_Schreiben(nullptr, &wert, 4));
    EXPECT_FALSE(Spielstand_Lesen(nullptr, &wert, 4));
    EXPECT_FALSE(Spielstand_Schreiben_Gepackt(nullptr, &wert, 4));
    EXPECT_FALSE(Spielstand_Lesen_Gepackt(nullptr, &wert, 4));
    EXPECT_FALSE(Liste_Write(nullptr, nullptr));
    EXPECT_FALSE(Liste_Read(nullptr, nullptr));
    SpielstandDatei d;
    Spielstand_Datei_Neu(&d, {});
    EXPECT_FALSE(Spielstand_Schreiben(&d, &wert, 4)) << "outside a module";
    EXPECT_FALSE(Spielstand_Datei_Abschliessen(&d)) << "a failed write spoils the file";
    SpielstandDatei lesend;
    oeffnen(&lesend, bild_mit([&](SpielstandDatei*) {}));
    EXPECT_FALSE(Spielstand_Schreiben(&lesend, &wert, 4));
}

TEST(SpielstandGepackt, PatternsRoundTripInWriteOrder) {
    std::vector<std::vector<uint8_t>> faelle = {
        {}, {7}, {7, 7}, {7, 7, 7}, std::vector<uint8_t>(130, 1), std::vector<uint8_t>(131, 1),
        std::vector<uint8_t>(133, 0), muster(128, 3), muster(129, 4), muster(300, 5),
    };
    std::vector<uint8_t> gemischt;
    for (int i = 0; i < 5000; ++i) gemischt.insert(gemischt.end(), size_t(i % 7), uint8_t(i));
    faelle.push_back(gemischt);
    faelle.push_back(muster(1 << 20, 6));
    faelle.push_back(std::vector<uint8_t>(1 << 20, 0));
    SpielstandDatei d;
    std::vector<uint8_t> bild = bild_mit([&](SpielstandDatei* f) {
        for (const auto& fall : faelle) EXPECT_TRUE(Spielstand_Schreiben_Gepackt(f, fall.data(), uint32_t(fall.size())));
    });
    EXPECT_LT(bild.size(), 2 * (1u << 20) + 100000u) << "a run of zeros packs small";
    oeffnen(&d, std::move(bild));
    for (const auto& fall : faelle) {
        std::vector<uint8_t> puffer(fall.size() + 1, 0xEE);
        uint32_t laenge = 12345;
        ASSERT_TRUE(Spielstand_Lesen_Gepackt(&d, puffer.data(), uint32_t(fall.size()), &laenge)) << fall.size();
        EXPECT_EQ(laenge, fall.size());
        EXPECT_TRUE(std::equal(fall.begin(), fall.end(), puffer.begin())) << fall.size();
        EXPECT_EQ(puffer[fall.size()], 0xEE);
    }
    EXPECT_TRUE(Spielstand_Modul_Verlassen(&d));
}

// The packed stream is byte for byte the one of the byte-wise rule (runs of 3
// to 130 equal bytes as length + 125 and the byte, plain groups of up to 128
// behind count - 1), for every length near the word steps and every mixture
// of short runs, long runs and plain bytes.
TEST(SpielstandGepackt, TheStreamIsTheByteWiseRulesStream) {
    auto byteweise = [](const std::vector<uint8_t>& p) {
        std::vector<uint8_t> out(4);
        for (size_t k = 0; k < 4; ++k) out[k] = uint8_t(p.size() >> (8 * k));
        size_t i = 0, n = p.size();
        while (i < n) {
            size_t lauf = 1;
            while (i + lauf < n && lauf < 130 && p[i + lauf] == p[i]) ++lauf;
            if (lauf >= 3) {
                out.push_back(uint8_t(lauf + 125));
                out.push_back(p[i]);
                i += lauf;
                continue;
            }
            size_t j = i;
            while (j < n && j - i < 128 && !(j + 2 < n && p[j] == p[j + 1] && p[j] == p[j + 2])) ++j;
            out.push_back(uint8_t(j - i - 1));
            out.insert(out.end(), p.begin() + long(i), p.begin() + long(j));
            i = j;
        }
        return out;
    };
    std::vector<std::vector<uint8_t>> faelle;
    std::mt19937 zufall(9);
    for (uint32_t zeichen : {2u, 3u, 256u})
        for (size_t n = 0; n < 300; ++n) {
            std::vector<uint8_t> v(n);
            for (auto& b : v) b = uint8_t(zufall() % zeichen);
            faelle.push_back(v);
        }
    // Long blocks, told from 64-byte windows of equal neighbours: groups and
    // runs of every length across the windows' edges, runs of 63-66 and
    // 127-131 bytes (the second window), plain stretches of 120-136 bytes.
    for (uint32_t zeichen : {2u, 3u, 256u}) {
        std::vector<uint8_t> v(6000);
        for (auto& b : v) b = uint8_t(zufall() % zeichen);
        faelle.push_back(v);
    }
    for (int block = 0; block < 200; ++block) {
        const size_t n = 200 + zufall() % 3000;
        faelle.push_back(laeufe_und_gruppen(zufall, n, 2 + zufall() % 3, 3, 300));
    }
    // A plain group ending just before, at and after a window's edge and the
    // 128-byte limit, starting at several places in its window.
    for (size_t klar : {1u, 62u, 63u, 64u, 65u, 126u, 127u, 128u, 129u})
        for (size_t versatz : {0u, 1u, 31u, 63u}) {
            std::vector<uint8_t> v;
            while (v.size() < 800) {
                v.insert(v.end(), 3 + versatz, uint8_t(9));
                for (size_t k = 0; k < klar; ++k) v.push_back(uint8_t(k % 200 + 20));
                v.insert(v.end(), 6, uint8_t(0));
            }
            faelle.push_back(v);
        }
    // Runs across several 130-byte runs and the packer's 8- and 32-byte steps.
    for (size_t n : {129u, 130u, 131u, 138u, 139u, 140u, 261u, 262u, 263u, 292u, 293u, 390u, 391u, 392u, 423u, 424u,
                     425u, 4001u, 4130u})
        for (size_t rand : {0u, 1u, 2u, 9u}) {
            std::vector<uint8_t> v(n, 5);
            for (size_t k = 0; k < rand && k < n; ++k) v[n - 1 - k] = uint8_t(k + 6);
            faelle.push_back(v);
        }
    SpielstandDatei d;
    oeffnen(&d, bild_mit([&](SpielstandDatei* f) {
        for (const auto& fall : faelle) ASSERT_TRUE(Spielstand_Schreiben_Gepackt(f, fall.data(), uint32_t(fall.size())));
    }));
    for (const auto& fall : faelle) {
        const std::vector<uint8_t> soll = byteweise(fall);
        std::vector<uint8_t> ist(soll.size());
        ASSERT_TRUE(Spielstand_Lesen(&d, ist.data(), uint32_t(ist.size()))) << fall.size();
        ASSERT_EQ(ist, soll) << fall.size();
    }
}

// A block its writer appends to the image is packed where it stands: the
// file is the one its length and packed block written from a copy make, for
// a last size that was right, too small (the bytes move on) or too large, and
// for bytes that pack worst (plain groups of 128, no runs); a writer that
// takes bytes off the image fails the file.
std::vector<uint8_t> g_block;
void block_schreiben(std::vector<uint8_t>& out) { out.insert(out.end(), g_block.begin(), g_block.end()); }

TEST(SpielstandGepackt, ABlockWrittenIntoTheImageIsTheBlockWrittenFromACopy) {
    std::vector<uint8_t> ohne_tripel(200000);
    for (size_t i = 0; i < ohne_tripel.size(); ++i) ohne_tripel[i] = uint8_t(i * 7 + i / 2);
    std::vector<uint8_t> gemischt = muster(90000, 11);
    for (size_t i = 0; i < gemischt.size(); i += 1000) std::fill_n(gemischt.begin() + long(i), 300, uint8_t(0));
    const std::vector<std::vector<uint8_t>> bloecke = {{}, {4}, muster(100000, 10), ohne_tripel, gemischt,
                                                       std::vector<uint8_t>(70000, 3)};
    for (const auto& block : bloecke)
        for (size_t zuletzt : {block.size(), size_t(0), size_t(17), 3 * block.size() + 5000}) {
            g_block = block;
            const uint8_t vorher[5] = {1, 2, 3, 4, 5};
            const std::vector<uint8_t> soll = bild_mit([&](SpielstandDatei* f) {
                Spielstand_Schreiben(f, vorher, sizeof vorher);
                const uint32_t n = uint32_t(block.size());
                Spielstand_Schreiben(f, &n, 4);
                Spielstand_Schreiben_Gepackt(f, block.data(), n);
            });
            size_t groesse = zuletzt;
            const std::vector<uint8_t> ist = bild_mit([&](SpielstandDatei* f) {
                Spielstand_Schreiben(f, vorher, sizeof vorher);
                EXPECT_TRUE(Spielstand_Schreiben_Gepackt_Von(f, block_schreiben, &groesse));
            });
            EXPECT_EQ(groesse, block.size());
            ASSERT_TRUE(ist == soll) << block.size() << " bytes, last size " << zuletzt;
        }
    SpielstandDatei d;
    Spielstand_Datei_Neu(&d, {});
    ASSERT_TRUE(Spielstand_Modul_Beginnen(&d, "Test"));
    size_t groesse = 0;
    EXPECT_FALSE(Spielstand_Schreiben_Gepackt_Von(&d, [](std::vector<uint8_t>& out) { out.clear(); }, &groesse));
    EXPECT_TRUE(d.fehler);
    EXPECT_FALSE(Spielstand_Datei_Abschliessen(&d));
}

// Bytes packed as pieces where they stand give the stream of the same bytes
// packed together: pieces of every length from empty to many kilobytes, cut
// inside runs (also runs longer than 130 bytes), inside plain groups and at
// the packer's 64-byte windows, and a block written through the pieces'
// writer is the block written from a copy, or appended to a vector the same bytes.
std::vector<uint8_t> g_stuecke_block;
std::vector<size_t> g_schnitte;
void stuecke_schreiben(SpielstandStuecke& out) {
    size_t von = 0;
    for (size_t bis : g_schnitte) {
        out.block(g_stuecke_block.data() + von, bis - von);
        von = bis;
    }
    out.i32(int32_t(g_stuecke_block.size()));
}

TEST(SpielstandGepackt, PiecesPackAsTheBytesTogether) {
    std::mt19937 zufall(21);
    std::vector<std::vector<uint8_t>> bloecke;
    for (int b = 0; b < 60; ++b) {
        const size_t n = zufall() % 3 == 0 ? zufall() % 400 : 2000 + zufall() % 30000;
        std::vector<uint8_t> v = laeufe_und_gruppen(zufall, n, 2 + zufall() % 3, 4, 900);
        v.resize(n);
        bloecke.push_back(v);
    }
    bloecke.push_back(std::vector<uint8_t>(20000, 0));
    bloecke.push_back(muster(9000, 3));
    for (const auto& block : bloecke) {
        const size_t n = block.size();
        std::vector<uint8_t> soll(n + n / 128 + 1 + SPIELSTAND_PACK_NACHLAUF);
        soll.resize(Spielstand_Packen(block.data(), uint32_t(n), soll.data()));
        for (int art = 0; art < 6; ++art) {
            // Cuts: short pieces, pieces about the carried length, long pieces, one cut, none.
            std::vector<size_t> schnitte;
            for (size_t bis = 0; bis < n;) {
                const size_t schritt = art == 0   ? zufall() % 8
                                       : art == 1 ? 100 + zufall() % 100
                                       : art == 2 ? zufall() % 700
                                       : art == 3 ? 4000 + zufall() % 5000
                                       : art == 4 ? n / 2 + 1
                                                  : n;
                bis = std::min(n, bis + schritt);
                schnitte.push_back(bis);
            }
            std::vector<SpielstandStueck> stuecke;
            size_t von = 0;
            for (size_t bis : schnitte) {
                stuecke.push_back({block.data() + von, bis - von});
                von = bis;
            }
            if (art == 2) stuecke.push_back({nullptr, 0});   // an empty piece at the end
            std::vector<uint8_t> ist(soll.size() + SPIELSTAND_PACK_NACHLAUF + n / 128 + 1);
            ist.resize(Spielstand_Packen_Stuecke(stuecke.data(), stuecke.size(), ist.data()));
            ASSERT_EQ(ist, soll) << n << " bytes, cuts of kind " << art;
            if (art != 2 && art != 4) continue;
            // Through the save game's writer: small pieces copied, large ones referenced.
            g_stuecke_block = block;
            g_schnitte = schnitte;
            g_block = block;
            for (int k = 0; k < 4; ++k) g_block.push_back(uint8_t(n >> (8 * k)));
            size_t groesse = 0;
            const std::vector<uint8_t> aus_kopie =
                bild_mit([&](SpielstandDatei* f) { EXPECT_TRUE(Spielstand_Schreiben_Gepackt_Von(f, block_schreiben, &groesse)); });
            const std::vector<uint8_t> aus_stuecken =
                bild_mit([&](SpielstandDatei* f) { EXPECT_TRUE(Spielstand_Schreiben_Gepackt_Stuecke(f, stuecke_schreiben)); });
            ASSERT_TRUE(aus_stuecken == aus_kopie) << n << " bytes, cuts of kind " << art;
            // The same writer appending to a vector (as the blocks' other callers take them).
            std::vector<uint8_t> angehaengt = {7};
            Spielstand_Stuecke_Anhaengen(stuecke_schreiben, angehaengt);
            ASSERT_EQ(angehaengt.size(), g_block.size() + 1);
            EXPECT_TRUE(std::equal(g_block.begin(), g_block.end(), angehaengt.begin() + 1));
        }
    }
}

TEST(SpielstandGepackt, ABlockLargerThanItsBufferIsRefused) {
    const std::vector<uint8_t> daten = muster(100, 9);
    SpielstandDatei d;
    oeffnen(&d, bild_mit([&](SpielstandDatei* f) { Spielstand_Schreiben_Gepackt(f, daten.data(), 100); }));
    std::vector<uint8_t> puffer(100, 0x33);
    EXPECT_FALSE(Spielstand_Lesen_Gepackt(&d, puffer.data(), 99));
    EXPECT_EQ(std::count(puffer.begin(), puffer.end(), 0x33), 100);
}

TEST(SpielstandGepackt, APlainBlockIsNoPackedBlock) {
    // Blocks whose runs overshoot, stop inside a run or end early are refused.
    const std::vector<std::vector<uint8_t>> faelle = {
        {1, 0},                       // too short for the length
        {5, 0, 0, 0, 200, 9},         // a run of 75 where 5 bytes were promised
        {5, 0, 0, 0, 130},            // a run without its byte
        {5, 0, 0, 0, 9, 1, 2},        // 10 plain bytes announced, 2 there
        {5, 0, 0, 0, 1, 1, 2},        // 2 bytes where 5 were promised
    };
    for (const auto& fall : faelle) {
        SpielstandDatei d;
        oeffnen(&d, bild_mit([&](SpielstandDatei* f) { Spielstand_Schreiben(f, fall.data(), uint32_t(fall.size())); }));
        uint8_t puffer[300] = {};
        EXPECT_FALSE(Spielstand_Lesen_Gepackt(&d, puffer, sizeof puffer)) << fall.size();
    }
}

TEST(SpielstandListe, ListsRoundTripWithKeysAndPayloads) {
    Listen_Element quelle{}, ziel{};
    ASSERT_TRUE(Liste_Anlegen(&quelle));
    ASSERT_TRUE(Liste_Anlegen(&ziel));
    const std::vector<uint8_t> gross = muster(42340, 11);
    Liste_Insert(&quelle, nullptr, gross.data(), uint32_t(gross.size()), 7);
    Liste_Insert(&quelle, nullptr, nullptr, 0, -3);
    Liste_Insert(&quelle, nullptr, "abc", 3, 7);
    Liste_Insert(&ziel, nullptr, "alt", 3, 99);
    Listen_Element leer{};
    ASSERT_TRUE(Liste_Anlegen(&leer));

    SpielstandDatei d;
    oeffnen(&d, bild_mit([&](SpielstandDatei* f) {
        EXPECT_TRUE(Liste_Write(f, &quelle));
        EXPECT_TRUE(Liste_Write(f, &leer));
    }));
    ASSERT_TRUE(Liste_Read(&d, &ziel));
    ASSERT_EQ(Liste_Count(&ziel), 3);
    Listen_Element* e = Liste_First(&ziel);
    EXPECT_EQ(e->schluessel, 7);
    ASSERT_EQ(Liste_Daten_Groesse(e), gross.size());
    EXPECT_EQ(std::memcmp(e->daten, gross.data(), gross.size()), 0);
    e = Liste_Next_Element(e);
    EXPECT_EQ(e->schluessel, -3);
    EXPECT_EQ(Liste_Daten_Groesse(e), 0u);
    e = Liste_Next_Element(e);
    EXPECT_EQ(std::memcmp(e->daten, "abc", 3), 0);
    ASSERT_TRUE(Liste_Read(&d, &ziel));
    EXPECT_EQ(Liste_Count(&ziel), 0);
    Liste_Freigeben(&quelle);
    Liste_Freigeben(&ziel);
    Liste_Freigeben(&leer);
}

TEST(SpielstandListe, ABlockThatIsNoListLeavesTheListAlone) {
    Listen_Element liste{};
    ASSERT_TRUE(Liste_Anlegen(&liste));
    Liste_Insert(&liste, nullptr, "alt", 3, 99);
    const uint8_t kaputt[] = {2, 0, 0, 0, 1, 0, 0, 0, 200, 0, 0, 0};   // two elements announced, one short
    SpielstandDatei d;
    oeffnen(&d, bild_mit([&](SpielstandDatei* f) { Spielstand_Schreiben(f, kaputt, sizeof kaputt); }));
    EXPECT_FALSE(Liste_Read(&d, &liste));
    ASSERT_EQ(Liste_Count(&liste), 1);
    EXPECT_EQ(Liste_First(&liste)->schluessel, 99);
    Liste_Freigeben(&liste);
}

TEST(SpielstandDatei, EveryFlippedByteIsRefused) {
    const std::vector<uint8_t> gut = kleines_bild();
    SpielstandDatei d;
    ASSERT_TRUE(Spielstand_Datei_Oeffnen(&d, gut));
    ASSERT_EQ(d.rahmen.size(), 2u);
    EXPECT_EQ(d.rahmen[1].name, "Zwei");
    EXPECT_EQ(d.rahmen[1].bloecke, 3u);
    for (size_t i = 0; i < gut.size(); ++i) {
        for (uint8_t maske : {uint8_t(0x01), uint8_t(0x80), uint8_t(0xFF)}) {
            std::vector<uint8_t> bild = gut;
            bild[i] ^= maske;
            SpielstandDatei kaputt;
            EXPECT_FALSE(Spielstand_Datei_Oeffnen(&kaputt, std::move(bild))) << "offset " << i;
            EXPECT_FALSE(Spielstand_Modul_Betreten(&kaputt, "Eins"));
        }
    }
}

TEST(SpielstandDatei, EveryTruncationIsRefused) {
    const std::vector<uint8_t> gut = kleines_bild();
    for (size_t n = 0; n < gut.size(); ++n) {
        SpielstandDatei d;
        EXPECT_FALSE(Spielstand_Datei_Oeffnen(&d, std::vector<uint8_t>(gut.begin(), gut.begin() + long(n)))) << n;
    }
}

TEST(SpielstandDatei, ForeignAndPaddedFilesAreRefused) {
    const std::vector<uint8_t> gut = kleines_bild();
    std::vector<uint8_t> laenger = gut;
    laenger.push_back(0);
    std::vector<uint8_t> version = gut;
    version[13] = '1';   // "1.01"
    const std::string text = "qzvmanager1.00 this is a text file, not a save game at all";
    const std::vector<std::vector<uint8_t>> faelle = {
        {}, std::vector<uint8_t>(gut.begin(), gut.begin() + 10), laenger, version,
        std::vector<uint8_t>(text.begin(), text.end()), std::vector<uint8_t>(4096, 0),
    };
    for (size_t i = 0; i < faelle.size(); ++i) {
        SpielstandDatei d;
        EXPECT_FALSE(Spielstand_Datei_Oeffnen(&d, faelle[i])) << i;
    }
}

TEST(SpielstandKopf, HeaderRoundTripsAndNamesAreCutToTheirFields) {
    SpielstandKopf kopf{};
    std::memset(kopf.name, 'N', sizeof kopf.name);   // no terminating zero
    std::strcpy(kopf.manager, "Klaus Kicker");
    std::strcpy(kopf.stadt, "Velmstadt");
    kopf.team = 17;
    kopf.kontostand = -2500000;
    kopf.staerke = 131;
    const std::vector<uint8_t> bild = bild_mit([](SpielstandDatei*) {}, kopf);
    SpielstandKopf gelesen;
    std::memset(&gelesen, 0x77, sizeof gelesen);
    ASSERT_TRUE(Spielstand_Kopf_Aus_Bild(bild.data(), SPIELSTAND_KOPF_ENDE, &gelesen));
    EXPECT_EQ(std::string(gelesen.name), std::string(29, 'N'));
    EXPECT_STREQ(gelesen.manager, "Klaus Kicker");
    EXPECT_STREQ(gelesen.stadt, "Velmstadt");
    EXPECT_EQ(gelesen.team, 17);
    EXPECT_EQ(gelesen.kontostand, -2500000);
    EXPECT_EQ(gelesen.staerke, 131);
    SpielstandDatei d;
    ASSERT_TRUE(Spielstand_Datei_Oeffnen(&d, bild));
    EXPECT_STREQ(d.kopf.manager, "Klaus Kicker");
    // a short or damaged start is no header
    EXPECT_FALSE(Spielstand_Kopf_Aus_Bild(bild.data(), SPIELSTAND_KOPF_ENDE - 1, &gelesen));
    std::vector<uint8_t> kaputt = bild;
    kaputt[SPIELSTAND_KOPF_ENDE - 50] ^= 4;
    EXPECT_FALSE(Spielstand_Kopf_Aus_Bild(kaputt.data(), kaputt.size(), &gelesen));
}
