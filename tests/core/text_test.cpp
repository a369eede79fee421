#include "core/text.h"

#include <gtest/gtest.h>

#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/config.h"
#include "core/config_bin.h"
#include "core/debug.h"
#include "core/hooks.h"
#include "tests/core/temp_verz.h"

using namespace velmora;
using velmora_test::TestWelt;

namespace {

std::vector<std::string> meldungen;

struct TextWelt : TestWelt {
    TextWelt() {
        meldungen.clear();
        Core_Hooks().meldung = [](const char* text) { meldungen.push_back(text); };
        Config_Satz_Setzen(0);
        install_datei("config/0_te.cfg",
                      "; Screen-Texte\n"
                      "SCREEN SPIELER_SUCHE_SCREEN\n"
                      "TEXT 0, \"Suchen\"\n"
                      "TEXT 199 \"Letzter\"\n"
                      "TEXT 0, \"Doppelt\"\n"          // 5: duplicate, the first stays
                      "TEXT 200, \"zu weit\"\n"        // 6
                      "FARBE 3\n"                      // 7: unknown keyword
                      "SCREEN ZUSATZTEXTE_HASK\n"
                      "TEXT 4, \"*2\"\n"
                      "TEXT 5, \"Mit \"\"Zitat\"\"\"\n");
        install_datei("config/0_text.cfg",
                      "TEXT 0, \"Zerrung\"\n"
                      "TEXT 2, \"Muskelfaserriss\"\n");
    }
    ~TextWelt() {
        Core_Hooks().meldung = nullptr;
        Text_Free();
        Config_Bin_Region_Abmelden("texte");
    }
};

}  // namespace

TEST(TextLaden, ScreensAndTextTableAreRead) {
    TextWelt w;
    ASSERT_TRUE(w.ok);
    ASSERT_TRUE(Text_Laden());
    const char* const* suche = Text_cfg("SPIELER_SUCHE_SCREEN");
    EXPECT_STREQ(suche[0], "Suchen");
    EXPECT_STREQ(suche[199], "Letzter");
    EXPECT_EQ(suche[1], nullptr);
    EXPECT_STREQ(Text_Get("zusatztexte_hask", 5), "Mit \"Zitat\"");
    EXPECT_EQ(Text_Get("ZUSATZTEXTE_HASK", 200), nullptr);
    EXPECT_EQ(Text_Get("ZUSATZTEXTE_HASK", -1), nullptr);
    EXPECT_EQ(Text_Screen_Anzahl(), 2);
    const char* const* unbekannt = Text_cfg("GIBT_ES_NICHT");
    ASSERT_NE(unbekannt, nullptr);
    for (int32_t i = 0; i < TEXT_PRO_SCREEN; ++i) EXPECT_EQ(unbekannt[i], nullptr);
    EXPECT_STREQ(Text_Tabelle(2), "Muskelfaserriss");
    EXPECT_EQ(Text_Tabelle(1), nullptr);
    EXPECT_EQ(Text_Tabelle(3), nullptr);
    EXPECT_EQ(Text_Tabelle(-5), nullptr);

    ASSERT_EQ(meldungen.size(), 3u);
    EXPECT_EQ(meldungen[0], "[5] Warning in te.cfg:\n - (13) Text 0 doppelt, der erste gilt\n\n");
    EXPECT_EQ(meldungen[1], "[6] Syntax-Error in te.cfg:\n - (12) Textnummer 200 nicht in 0..199\n\n");
    EXPECT_EQ(meldungen[2], "[7] Syntax-Error in te.cfg:\n - (10) Unbekannter Befehl (FARBE)\n\n");
}

TEST(TextLaden, MissingFileFailsAndKeepsTheTexts) {
    TextWelt w;
    ASSERT_TRUE(w.ok);
    ASSERT_TRUE(Text_Laden());
    std::filesystem::remove(w.install + "/config/0_text.cfg");
    EXPECT_FALSE(Text_Laden());
    EXPECT_STREQ(Text_Get("SPIELER_SUCHE_SCREEN", 0), "Suchen");
    Text_Free();
    EXPECT_EQ(Text_Get("SPIELER_SUCHE_SCREEN", 0), nullptr);
    w.install_datei("config/0_te.cfg", "TEXT 1, \"ohne Screen\"\n");
    w.install_datei("config/0_text.cfg", "");
    meldungen.clear();
    EXPECT_TRUE(Text_Laden());
    ASSERT_EQ(meldungen.size(), 1u);
    EXPECT_NE(meldungen[0].find("(11) TEXT vor dem ersten SCREEN"), std::string::npos);
}

TEST(StrReferenzAufloesen, StarNumbersResolveThroughTheTable) {
    const char* tabelle[] = {"null", "eins", nullptr};
    struct Fall {
        const char* text;
        const char* erwartet;   // the same pointer for texts that stay
    } faelle[] = {
        {"*0", "null"}, {"*1", "eins"}, {"*2", nullptr}, {"*3", nullptr}, {"*99999999999999999999", nullptr},
        {"*", "*"},     {"*1a", "*1a"}, {"eins", "eins"}, {"", ""},        {"*-1", "*-1"},
    };
    for (const Fall& f : faelle) {
        const char* t = f.text;
        const char* r = Str_Referenz_Aufloesen(&t, tabelle, 3);
        EXPECT_EQ(r, t) << f.text;
        if (f.erwartet) {
            EXPECT_STREQ(t, f.erwartet) << f.text;
        } else {
            EXPECT_EQ(t, nullptr) << f.text;
        }
    }
    const char* t = "*0";
    EXPECT_EQ(Str_Referenz_Aufloesen(&t, nullptr, 0), nullptr);
    EXPECT_EQ(Str_Referenz_Aufloesen(nullptr, tabelle, 3), nullptr);
}

TEST(StrReferenzAufloesen, ScreenTextsReferToTheTextTable) {
    TextWelt w;
    ASSERT_TRUE(w.ok);
    ASSERT_TRUE(Text_Laden());
    const char* t = Text_Get("ZUSATZTEXTE_HASK", 4);
    ASSERT_STREQ(t, "*2");
    int32_t anzahl = 0;
    const char* const* tabelle = Text_Tabelle_Array(&anzahl);
    EXPECT_EQ(anzahl, 3);
    EXPECT_STREQ(Str_Referenz_Aufloesen(&t, tabelle, anzahl), "Muskelfaserriss");
    const char* eigen = "*199";
    EXPECT_STREQ(Str_Referenz_Aufloesen(&eigen, Text_cfg("SPIELER_SUCHE_SCREEN"), TEXT_PRO_SCREEN), "Letzter");
}

namespace {

std::vector<std::string> texte_aller(const char* screen) {
    std::vector<std::string> r;
    const char* const* a = Text_cfg(screen);
    for (int32_t i = 0; i < TEXT_PRO_SCREEN; ++i) r.push_back(a[i] ? a[i] : "<null>");
    return r;
}

void datei_aendern(const std::string& pfad, const std::string& text) {
    std::ofstream(pfad, std::ios::binary | std::ios::app) << text;
}

std::vector<uint8_t> datei_lesen(const std::string& pfad) {
    std::ifstream f(pfad, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

// Rewrites the cache with `aendern` applied and its checksum made sound again.
void cache_umschreiben(const std::string& bin, void (*aendern)(std::vector<uint8_t>&)) {
    std::vector<uint8_t> d = datei_lesen(bin);
    ASSERT_GT(d.size(), 4u);
    aendern(d);
    const uint32_t crc = uint32_t(crc32(crc32(0L, Z_NULL, 0), d.data(), uInt(d.size() - 4)));
    for (int i = 0; i < 4; ++i) d[d.size() - 4 + size_t(i)] = uint8_t(crc >> (8 * i));
    std::ofstream(bin, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(d.data()), std::streamsize(d.size()));
}

std::vector<std::string> debug_zeilen;

}  // namespace

TEST(ConfigBin, CacheLoadsWhatTheTextLoadRead) {
    TextWelt w;
    ASSERT_TRUE(w.ok);
    Text_Init();
    EXPECT_FALSE(Config_Bin_Laden());   // no cache yet
    ASSERT_TRUE(Text_Laden());
    auto suche = texte_aller("SPIELER_SUCHE_SCREEN");
    auto hask = texte_aller("ZUSATZTEXTE_HASK");
    ASSERT_TRUE(Config_Bin_Schreiben());
    EXPECT_TRUE(std::filesystem::exists(w.temp / "cache/velmora/0_config.bin"));
    Text_Free();
    ASSERT_TRUE(Config_Bin_Laden());
    EXPECT_EQ(texte_aller("SPIELER_SUCHE_SCREEN"), suche);
    EXPECT_EQ(texte_aller("ZUSATZTEXTE_HASK"), hask);
    EXPECT_STREQ(Text_Tabelle(2), "Muskelfaserriss");
    EXPECT_EQ(Text_Tabelle(1), nullptr);
    EXPECT_TRUE(Config_Bin_Loeschen());
    EXPECT_FALSE(std::filesystem::exists(w.temp / "cache/velmora/0_config.bin"));
    EXPECT_FALSE(Config_Bin_Laden());
    EXPECT_TRUE(Config_Bin_Loeschen());   // nothing left to delete is fine
}

// A write of the cache cut off leaves its temporary file behind: loading or
// writing the cache removes such a file once it is old, and leaves a young
// one (another instance may be writing it) and every other file alone.
TEST(ConfigBin, AnOldTemporaryOfACutOffWriteIsRemoved) {
    TextWelt w;
    ASSERT_TRUE(w.ok);
    Text_Init();
    ASSERT_TRUE(Text_Laden());
    ASSERT_TRUE(Config_Bin_Schreiben());
    const std::filesystem::path verz = w.temp / "cache/velmora";
    const auto alt = std::filesystem::last_write_time(verz / "0_config.bin") - std::chrono::hours(3);
    struct Rest {
        const char* name;
        bool alt, bleibt;
    } const reste[] = {
        {"0_config.bin.tmp-Ab12Cd", true, false}, {"0_config.bin.tmp-Xy34Zw", false, true},
        {"1_config.bin.tmp-Ab12Cd", true, true},  {"0_config.bin.tmp-Ab12Cd7", true, true},
        {"notiz.tmp-Ab12Cd", true, true},
    };
    for (bool beim_schreiben : {false, true}) {
        for (const Rest& r : reste) {
            std::ofstream(verz / r.name) << "half a cache";
            if (r.alt) std::filesystem::last_write_time(verz / r.name, alt);
        }
        if (beim_schreiben) {
            ASSERT_TRUE(Config_Bin_Schreiben());
        } else {
            ASSERT_TRUE(Config_Bin_Laden());
        }
        for (const Rest& r : reste) EXPECT_EQ(std::filesystem::exists(verz / r.name), r.bleibt) << r.name << beim_schreiben;
    }
}

// A refused cache is deleted with one debug line, so the files are read and
// the cache written anew.
TEST(ConfigBin, StaleOrDamagedCacheIsRefusedAndDeleted) {
    TextWelt w;
    ASSERT_TRUE(w.ok);
    struct Fall {
        const char* name;
        void (*stoeren)(const TextWelt& w, const std::string& bin);
    } faelle[] = {
        {"source changed", [](const TextWelt& w, const std::string&) { datei_aendern(w.install + "/config/0_text.cfg", "; neu\n"); }},
        {"source touched", [](const TextWelt& w, const std::string&) {
             const std::string pfad = w.install + "/config/0_te.cfg";
             std::filesystem::last_write_time(pfad, std::filesystem::last_write_time(pfad) + std::chrono::seconds(1));
         }},
        {"user file added", [](const TextWelt& w, const std::string&) { w.user_datei("config/0_te.cfg", "SCREEN A\n"); }},
        {"alias partner added", [](const TextWelt& w, const std::string&) { w.install_datei("config/0_text_alias.cfg", "ALIAS A 1\n"); }},
        {"byte flipped in the header", [](const TextWelt&, const std::string& bin) {
             std::fstream f(bin, std::ios::in | std::ios::out | std::ios::binary);
             f.seekp(3);
             f.put('X');
         }},
        {"byte flipped in the sources", [](const TextWelt&, const std::string& bin) {
             std::fstream f(bin, std::ios::in | std::ios::out | std::ios::binary);
             f.seekp(40);
             f.put('\x7f');
         }},
        {"truncated", [](const TextWelt&, const std::string& bin) { std::filesystem::resize_file(bin, 30); }},
        {"region past the end", [](const TextWelt&, const std::string& bin) {
             cache_umschreiben(bin, [](std::vector<uint8_t>& d) {
                 const uint8_t name[] = {5, 0, 0, 0, 't', 'e', 'x', 't', 'e'};
                 auto it = std::search(d.begin(), d.end(), std::begin(name), std::end(name));
                 ASSERT_NE(it, d.end());
                 const size_t laenge = size_t(it - d.begin()) + sizeof name;
                 for (size_t i = 0; i < 4; ++i) d[laenge + i] = 0xF0;
             });
         }},
        {"foreign", [](const TextWelt&, const std::string& bin) { std::ofstream(bin, std::ios::binary) << "<!-BIN-!conf01>...."; }},
        {"other set", [](const TextWelt&, const std::string& bin) {
             Config_Satz_Setzen(1);
             std::filesystem::copy_file(bin, Config_Bin_Pfad());
         }},
        {"other regions", [](const TextWelt&, const std::string&) {
             Config_Bin_Region_Anmelden("spieler", [](std::vector<uint8_t>&) { return true; },
                                        [](const uint8_t*, size_t) { return true; }, {"spieler.cfg"});
         }},
    };
    Debug_Faenger_Setzen([](uint32_t, const char* text) { debug_zeilen.push_back(text); });
    for (const Fall& f : faelle) {
        std::filesystem::remove(w.user + "/config/0_te.cfg");
        std::filesystem::remove(w.install + "/config/0_text_alias.cfg");
        ASSERT_TRUE(Text_Laden()) << f.name;
        ASSERT_TRUE(Config_Bin_Schreiben()) << f.name;
        ASSERT_TRUE(Config_Bin_Laden()) << f.name;
        f.stoeren(w, Config_Bin_Pfad());
        debug_zeilen.clear();
        EXPECT_FALSE(Config_Bin_Laden()) << f.name;
        EXPECT_FALSE(std::filesystem::exists(Config_Bin_Pfad())) << f.name;
        EXPECT_EQ(std::count_if(debug_zeilen.begin(), debug_zeilen.end(),
                                [](const std::string& z) { return z.find("Config_Bin") != std::string::npos; }),
                  1)
            << f.name;
        Config_Satz_Setzen(0);
        Config_Bin_Region_Abmelden("spieler");
        // Rebuilt from the files, the cache is good again.
        ASSERT_TRUE(Text_Laden()) << f.name;
        ASSERT_TRUE(Config_Bin_Schreiben()) << f.name;
        EXPECT_TRUE(Config_Bin_Laden()) << f.name;
    }
    Debug_Faenger_Setzen(nullptr);
}

TEST(ConfigBin, RegionsSaveAndLoadInOrder) {
    TestWelt w;
    ASSERT_TRUE(w.ok);
    w.install_datei("config/0_spieler.cfg", "A 1\n");
    static std::vector<std::string> reihenfolge;
    static bool verweigern = false;
    reihenfolge.clear();
    EXPECT_FALSE(Config_Bin_Region_Anmelden("", [](std::vector<uint8_t>&) { return true; },
                                            [](const uint8_t*, size_t) { return true; }, {}));
    EXPECT_FALSE(Config_Bin_Schreiben());   // nothing registered
    Config_Bin_Region_Anmelden(
        "eins", [](std::vector<uint8_t>& out) { out.assign({1, 2, 3}); return true; },
        [](const uint8_t* d, size_t n) {
            reihenfolge.push_back("eins:" + std::to_string(n) + ":" + std::to_string(d[2]));
            return true;
        },
        {"spieler.cfg"});
    Config_Bin_Region_Anmelden(
        "zwei", [](std::vector<uint8_t>&) { return true; },
        [](const uint8_t*, size_t n) {
            reihenfolge.push_back("zwei:" + std::to_string(n));
            return !verweigern;
        },
        {"spieler.cfg", "team.cfg"});
    ASSERT_TRUE(Config_Bin_Schreiben());
    ASSERT_TRUE(Config_Bin_Laden());
    EXPECT_EQ(reihenfolge, (std::vector<std::string>{"eins:3:3", "zwei:0"}));
    verweigern = true;
    EXPECT_FALSE(Config_Bin_Laden());
    verweigern = false;
    Config_Bin_Region_Anmelden(
        "zwei", [](std::vector<uint8_t>&) { return false; }, [](const uint8_t*, size_t) { return true; }, {});
    EXPECT_FALSE(Config_Bin_Schreiben());   // a region that cannot save
    Config_Bin_Region_Abmelden("eins");
    Config_Bin_Region_Abmelden("zwei");
}
