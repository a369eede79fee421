// Saves whose file is sound but whose module data one module refuses, loaded
// with no game running (velmora-sim --load, the start screen) and from a
// running game: refused with the module's name, the program goes on, and what
// was in memory before stays as it was.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/sim_lauf.h"
#include "app/verdrahtung.h"
#include "club/team.h"
#include "core/hooks.h"
#include "core/programm.h"
#include "core/rnd.h"
#include "core/spielstand.h"
#include "core/spielstand_datei.h"
#include "core/spielstand_testing.h"
#include "season/kalender.h"
#include "season/spielstart.h"
#include "tests/core/temp_verz.h"

namespace velmora {
namespace {

std::vector<std::string>& Meldungen() {
    static std::vector<std::string> m;
    return m;
}

// A damage done to one module's data before the file is written anew with sound checksums.
struct Schaden {
    const char* name;
    void (*anwenden)(std::vector<uint8_t>& daten);
};

const Schaden SCHAEDEN[] = {
    {"a bit flipped in the first word", [](std::vector<uint8_t>& d) { if (d.size() >= 4) d[3] ^= 0x80; }},
    {"a count out of range", [](std::vector<uint8_t>& d) {
         // the first word that holds a small count (the block's own count, after any magic and version)
         for (size_t i = 0; i + 4 <= d.size() && i < 64; i += 4) {
             int32_t w;
             std::memcpy(&w, d.data() + i, 4);
             if (w > 0 && w < 100000) {
                 w = 0x40000000;
                 std::memcpy(d.data() + i, &w, 4);
                 return;
             }
         }
         if (d.size() >= 4) std::memset(d.data(), 0xFF, 4);
     }},
    {"a length one short", [](std::vector<uint8_t>& d) { if (!d.empty()) d.pop_back(); }},
};

// The file image with module `ziel`'s data damaged and the file written again,
// so every checksum is sound. Modules written as declared blocks hold one u32
// length and one packed block; the random table is one plain block.
bool Umschreiben(const std::vector<uint8_t>& gut, const std::string& ziel, const Schaden& schaden,
                 std::vector<uint8_t>* aus) {
    SpielstandDatei ein;
    if (!Spielstand_Datei_Oeffnen(&ein, gut)) return false;
    SpielstandDatei neu;
    Spielstand_Datei_Neu(&neu, ein.kopf);
    for (const SpielstandRahmen& r : std::vector<SpielstandRahmen>(ein.rahmen)) {
        if (!Spielstand_Modul_Betreten(&ein, r.name.c_str()) || !Spielstand_Modul_Beginnen(&neu, r.name.c_str()))
            return false;
        std::vector<uint8_t> daten;
        if (r.name == "Rnd") {
            daten.resize(RND_ZUSTAND_BYTES);
            if (!Spielstand_Lesen(&ein, daten.data(), uint32_t(daten.size()))) return false;
            if (r.name == ziel) schaden.anwenden(daten);
            if (!Spielstand_Schreiben(&neu, daten.data(), uint32_t(daten.size()))) return false;
        } else {
            uint32_t laenge = 0;
            if (!Spielstand_Lesen(&ein, &laenge, 4)) return false;
            daten.resize(laenge);
            if (!Spielstand_Lesen_Gepackt(&ein, daten.data(), laenge)) return false;
            if (r.name == ziel) schaden.anwenden(daten);
            laenge = uint32_t(daten.size());
            if (!Spielstand_Schreiben(&neu, &laenge, 4) || !Spielstand_Schreiben_Gepackt(&neu, daten.data(), laenge))
                return false;
        }
        if (!Spielstand_Modul_Verlassen(&ein) || !Spielstand_Modul_Beenden(&neu)) return false;
    }
    if (!Spielstand_Datei_Abschliessen(&neu)) return false;
    *aus = std::move(neu.bild);
    return true;
}

struct SpielstandSchaden : ::testing::Test {
    velmora_test::TestWelt dirs;
    void SetUp() override {
        ASSERT_TRUE(dirs.ok);
        ASSERT_TRUE(Sim_Welt_Erzeugen(dirs.install, true, 6));
    }
    void TearDown() override {
        Sim_Beenden();
        Spiel_Entdrahten();
        Kalender_Hooks() = KalenderHooks{};
        Core_Hooks().meldung = nullptr;
        Core_Hooks().win_error_box = nullptr;
    }
    void Verdrahten() {
        Rnd_Init();
        VerdrahtungOptionen v;
        v.sim.seed = 9;
        v.sim.menschen = 2;
        v.sim.autosave = false;
        std::string fehler;
        ASSERT_TRUE(Spiel_Verdrahten(v, &fehler)) << fehler;
        Core_Hooks().meldung = [](const char* text) { Meldungen().push_back(text); };
        Core_Hooks().win_error_box = [](const char* text) { Meldungen().push_back(std::string("BOX ") + text); };
    }
    // A sound save of a game some days in, then the program as after its start: no game.
    std::vector<uint8_t> Gutes_Spiel_Und_Leerlauf() {
        Verdrahten();
        EXPECT_TRUE(Sim_Bis_Tag(4));
        std::vector<uint8_t> bild;
        EXPECT_TRUE(Spielstand_Speichern_In_Bild(&bild));
        Sim_Beenden();
        Spiel_Entdrahten();
        Verdrahten();
        return bild;
    }
    // Every damaged variant of every module of `gut`, with its label.
    static std::vector<std::pair<std::string, std::vector<uint8_t>>> Beschaedigte(const std::vector<uint8_t>& gut) {
        std::vector<std::pair<std::string, std::vector<uint8_t>>> faelle;
        SpielstandDatei d;
        EXPECT_TRUE(Spielstand_Datei_Oeffnen(&d, gut));
        for (const SpielstandRahmen& r : d.rahmen) {
            for (const Schaden& s : SCHAEDEN) {
                std::vector<uint8_t> bild;
                EXPECT_TRUE(Umschreiben(gut, r.name, s, &bild)) << r.name << ": " << s.name;
                faelle.push_back({r.name + ": " + s.name, std::move(bild)});
            }
        }
        return faelle;
    }
};

// A refused load's message names the part the file was refused for; no error box.
void Abgelehnt_Pruefen(const std::string& fall) {
    const std::string modul = fall.substr(0, fall.find(':'));
    ASSERT_EQ(Meldungen().size(), 1u) << fall;
    EXPECT_NE(Meldungen()[0].find("\"" + modul + "\""), std::string::npos) << fall << ": " << Meldungen()[0];
    EXPECT_EQ(Meldungen()[0].find("BOX"), std::string::npos) << fall << ": " << Meldungen()[0];
    EXPECT_EQ(Quit_State(), 0) << fall;
    Quit_State_Setzen(0);
}

TEST_F(SpielstandSchaden, ARefusedLoadWithNoGameRunningLeavesNoGameAndTheProgramGoesOn) {
    const std::vector<uint8_t> gut = Gutes_Spiel_Und_Leerlauf();
    ASSERT_FALSE(gut.empty());
    ASSERT_EQ(Spielstart_Spiel_Laeuft(), 0);
    int32_t abgelehnt = 0;
    for (const auto& [fall, bild] : Beschaedigte(gut)) {
        Meldungen().clear();
        if (Spielstand_Laden_Aus_Bild(bild)) {
            // The module took the changed value as a sound one: a game runs; back to none.
            EXPECT_EQ(Quit_State(), 0) << fall;
            Sim_Beenden();
            Spiel_Entdrahten();
            Verdrahten();
            continue;
        }
        ++abgelehnt;
        Abgelehnt_Pruefen(fall);
        EXPECT_EQ(Spielstart_Spiel_Laeuft(), 0) << fall;
        EXPECT_EQ(Team_Anzahl(), 0) << fall;
    }
    EXPECT_GT(abgelehnt, 0);
    // The program went on without a game: the sound save loads and is played on.
    ASSERT_TRUE(Spielstand_Laden_Aus_Bild(gut));
    EXPECT_EQ(Spielstart_Spiel_Laeuft(), 1);
    EXPECT_TRUE(Sim_Bis_Tag(8));
}

TEST_F(SpielstandSchaden, ARefusedLoadFromARunningGameLeavesItAsItWas) {
    const std::vector<uint8_t> gut = Gutes_Spiel_Und_Leerlauf();
    ASSERT_FALSE(gut.empty());
    // Another game runs, some days further than the save.
    ASSERT_TRUE(Sim_Bis_Tag(6));
    std::vector<uint8_t> vorher;
    ASSERT_TRUE(Spielstand_Speichern_In_Bild(&vorher));
    int32_t abgelehnt = 0;
    for (const auto& [fall, bild] : Beschaedigte(gut)) {
        Meldungen().clear();
        if (Spielstand_Laden_Aus_Bild(bild)) {
            EXPECT_EQ(Quit_State(), 0) << fall;
            ASSERT_TRUE(Spielstand_Laden_Aus_Bild(vorher)) << fall;
            continue;
        }
        ++abgelehnt;
        Abgelehnt_Pruefen(fall);
        std::vector<uint8_t> danach;
        ASSERT_TRUE(Spielstand_Speichern_In_Bild(&danach));
        EXPECT_TRUE(danach == vorher) << fall << ": the running game changed";
    }
    EXPECT_GT(abgelehnt, 0);
    EXPECT_TRUE(Sim_Bis_Tag(10));
}

}  // namespace
}  // namespace velmora
