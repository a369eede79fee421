// Saves whose file is sound but whose module data one module refuses, loaded
// with no game running (velmora-sim --load, the start screen) and from a
// running game: refused with the module's name, the program goes on, and what
// was in memory before stays as it was. A value the module never holds is
// such damage; the saves the game writes over seasons of play all load.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstddef>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/sim_lauf.h"
#include "app/verdrahtung.h"
#include "business/bank.h"
#include "business/bank_kredit.h"
#include "business/news.h"
#include "business/werbung.h"
#include "club/spieler.h"
#include "club/team.h"
#include "core/hooks.h"
#include "core/programm.h"
#include "core/rnd.h"
#include "core/spielstand.h"
#include "core/spielstand_datei.h"
#include "core/spielstand_testing.h"
#include "matchview/ankuendigung.h"
#include "season/kalender.h"
#include "season/spiele.h"
#include "season/spielstart.h"
#include "tests/core/temp_verz.h"
#include "tests/support/sanitizer.h"
#include "tests/support/spielstand_umschreiben.h"

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
// so every checksum is sound.
bool Umschreiben(const std::vector<uint8_t>& gut, const std::string& ziel, const Schaden& schaden,
                 std::vector<uint8_t>* aus) {
    return test::Spielstand_Umschreiben(gut, ziel, schaden.anwenden, aus);
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
    void Verdrahten(bool aktiv = false) {
        Rnd_Init();
        VerdrahtungOptionen v;
        v.sim.seed = 9;
        v.sim.menschen = 2;
        v.sim.autosave = false;
        v.sim.aktiv = aktiv;
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

// A whole save whose news cannot be written out again to their working file
// (a full disk: the file is /dev/full) is refused with that cause and the
// working file's name, not called damaged; with room again it loads.
TEST_F(SpielstandSchaden, ALoadThatCannotWriteTheNewsWorkingFileSaysWhyAndWhere) {
    if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full to stand in for a full disk";
    Verdrahten();
    ASSERT_TRUE(Sim_Bis_Tag(4));
    ASSERT_EQ(News_Add(-1, -1, -1, -1, nullptr, "an alle Manager"), 1);
    ASSERT_TRUE(Spielstand_Speichern(3));
    Sim_Beenden();
    Spiel_Entdrahten();
    Verdrahten();
    News_Datei_Schliessen();
    const std::string arbeitsdatei = dirs.user + "/ostra_000.nws";
    std::filesystem::create_symlink("/dev/full", arbeitsdatei);
    Meldungen().clear();
    EXPECT_FALSE(Spielstand_Laden(3));
    ASSERT_EQ(Meldungen().size(), 1u);
    const std::string& m = Meldungen()[0];
    EXPECT_NE(m.find("game_3.qzv"), std::string::npos) << m;
    EXPECT_NE(m.find(arbeitsdatei), std::string::npos) << m;
    EXPECT_NE(m.find(std::strerror(ENOSPC)), std::string::npos) << m;
    EXPECT_EQ(m.find("beschaedigt"), std::string::npos) << m;
    EXPECT_EQ(Spielstart_Spiel_Laeuft(), 0);
    EXPECT_TRUE(std::filesystem::exists("/dev/full")) << "only the link is taken away";
    ASSERT_TRUE(Spielstand_Laden(3)) << (Meldungen().size() > 1 ? Meldungen()[1] : "");
    EXPECT_EQ(Spielstart_Spiel_Laeuft(), 1);
}

// Saves whose module data hold values the game never writes: the module's
// loader checks what it reads against its own limits.

template <typename T>
T Lesen(const std::vector<uint8_t>& d, size_t stelle) {
    T v{};
    if (stelle + sizeof v <= d.size()) std::memcpy(&v, d.data() + stelle, sizeof v);
    return v;
}

template <typename T>
void Setzen(std::vector<uint8_t>& d, size_t stelle, T v) {
    ASSERT_LE(stelle + sizeof v, d.size());
    std::memcpy(d.data() + stelle, &v, sizeof v);
}

// The block layouts' fixed parts, as the modules write them.
constexpr size_t SPIELER_KOPF = 4;                   // the count
constexpr size_t TEAM_KOPF = 20;                     // count, game flag, level, market, local team
constexpr size_t SPIELE_KOPF = 16;                   // magic, version, result counter, games
constexpr size_t BANK_KOPF = sizeof(Bank_Global) + 12;   // and the three currency factors
constexpr size_t LISTEN_ELEMENT = 8;                 // key and size before each element
constexpr size_t WERBUNG_KOPF = sizeof(Sponsor_Zeile) * WERBUNG_SPONSOREN + 4;   // the sponsors, the clubs' count

struct Fall {
    const char* modul;
    const char* was;
    std::function<void(std::vector<uint8_t>&)> schaden;   // null: the block as it stands
};

// Where player `p`'s records and team `t`'s records lie in their blocks.
size_t Spieler_Satz(size_t p) { return SPIELER_KOPF + p * sizeof(SpielerStruktur); }
size_t Spieler_Fix(const std::vector<uint8_t>& d, size_t p) {
    return SPIELER_KOPF + size_t(Lesen<int32_t>(d, 0)) * sizeof(SpielerStruktur) + p * sizeof(SpielerFix);
}
size_t Spieler_Egal(const std::vector<uint8_t>& d, size_t p) {
    const size_t n = size_t(Lesen<int32_t>(d, 0));
    return SPIELER_KOPF + n * (sizeof(SpielerStruktur) + sizeof(SpielerFix)) + p * sizeof(SpielerClientEgal);
}
size_t Team_Satz(size_t t) { return TEAM_KOPF + t * sizeof(TeamStruktur); }
size_t Team_Own(const std::vector<uint8_t>& d, size_t t) {
    const size_t n = size_t(Lesen<int32_t>(d, 0));
    return TEAM_KOPF + n * (sizeof(TeamStruktur) + sizeof(TeamFix)) + t * sizeof(TeamOwn);
}
size_t Spiele_Ereignisse(const std::vector<uint8_t>& d) {
    return SPIELE_KOPF + size_t(Lesen<uint32_t>(d, 12)) * sizeof(SpielDatensatz) + 4;
}
// The bank's loan list follows its account list.
size_t Bank_Kredite(const std::vector<uint8_t>& d) {
    return BANK_KOPF + 4 + size_t(Lesen<uint32_t>(d, BANK_KOPF)) * (LISTEN_ELEMENT + sizeof(Bank_Konto));
}

const std::vector<Fall>& Faelle() {
    static const std::vector<Fall> f = {
        {"Spieler", "unchanged", nullptr},
        {"Spieler", "a strength of 0x7FFFFFFF",
         [](auto& d) { Setzen<int32_t>(d, Spieler_Satz(40) + offsetof(SpielerStruktur, staerke), 0x7FFFFFFF); }},
        {"Spieler", "a talent of 20000",
         [](auto& d) { Setzen<int16_t>(d, Spieler_Satz(7) + offsetof(SpielerStruktur, talent) + 10, 20000); }},
        {"Spieler", "a team-mate beyond the players",
         [](auto& d) { Setzen<int32_t>(d, Spieler_Satz(3) + offsetof(SpielerStruktur, partner), Lesen<int32_t>(d, 0)); }},
        {"Spieler", "an age of 200", [](auto& d) { Setzen<uint8_t>(d, Spieler_Fix(d, 11) + offsetof(SpielerFix, alter), 200); }},
        {"Spieler", "a negative training fund",
         [](auto& d) { Setzen<int32_t>(d, Spieler_Egal(d, 5) + offsetof(SpielerClientEgal, trainingsgeld), -5); }},
        {"Team", "unchanged", nullptr},
        {"Team", "a kit number of 5000",
         [](auto& d) { Setzen<int16_t>(d, Team_Satz(2) + offsetof(TeamStruktur, trikot) + 2, 5000); }},
        {"Team", "a youth team beyond the teams",
         [](auto& d) { Setzen<int32_t>(d, Team_Satz(4) + offsetof(TeamStruktur, jugend), Lesen<int32_t>(d, 0) + 5); }},
        {"Team", "a formation cell in column 40",
         [](auto& d) { Setzen<int16_t>(d, Team_Own(d, 1) + offsetof(TeamOwn, aktuell) + 12, 40); }},
        {"Spiele", "unchanged", nullptr},
        {"Spiele", "an away club of 0x7FFF",
         [](auto& d) { Setzen<int16_t>(d, SPIELE_KOPF + 3 * sizeof(SpielDatensatz) + offsetof(SpielDatensatz, gast), 0x7FFF); }},
        {"Spiele", "a negative crowd",
         [](auto& d) { Setzen<int32_t>(d, SPIELE_KOPF + 0 * sizeof(SpielDatensatz) + offsetof(SpielDatensatz, zuschauer), INT32_MIN); }},
        {"Spiele", "an event's player 65100",
         [](auto& d) { Setzen<uint16_t>(d, Spiele_Ereignisse(d) + offsetof(SpielEreignis, spieler), 65100); }},
        {"Bank", "unchanged", nullptr},
        {"Bank", "a balance of 3e38",
         [](auto& d) { Setzen<float>(d, offsetof(Bank_Global, kontostand) + 5 * 4, 3e38f); }},
        {"Bank", "a booking of 1e20",
         [](auto& d) { Setzen<float>(d, BANK_KOPF + 4 + LISTEN_ELEMENT + 3 * sizeof(Bank_Buchung), 1e20f); }},
        {"Bank", "a loan with -3 periods to run",
         [](auto& d) { Setzen<int32_t>(d, Bank_Kredite(d) + 4 + LISTEN_ELEMENT + offsetof(Bank_Kredit_Posten, perioden), -3); }},
        {"Bank", "a loan's rate of NaN",
         [](auto& d) { Setzen<uint32_t>(d, Bank_Kredite(d) + 4 + LISTEN_ELEMENT + offsetof(Bank_Kredit_Posten, zins), 0x7FFFFFFF); }},
        {"Werbung", "unchanged", nullptr},
        {"Werbung", "a contract with -2 matches left",
         [](auto& d) { Setzen<int32_t>(d, WERBUNG_KOPF + 4 + offsetof(Werbung_Datensatz, spiele) + 4, -2); }},
        {"Ankuendigung", "unchanged", nullptr},
        {"Ankuendigung", "data in a free record",
         [](auto& d) { Setzen<uint32_t>(d, (ANKUENDIGUNG_PUFFER - 1) * sizeof(Ankuendigung) + 100, 1); }},
        {"Ankuendigung", "the staged page's club 5000",
         [](auto& d) { Setzen<uint32_t>(d, ANKUENDIGUNG_PUFFER * sizeof(Ankuendigung) + offsetof(Ankuendigung, heim), 5000); }},
    };
    return f;
}

TEST_F(SpielstandSchaden, AValueTheModuleNeverHoldsRefusesTheSaveWithTheModulesName) {
    Verdrahten();
    ASSERT_TRUE(Sim_Bis_Tag(30));
    // A loan, so the bank's block holds one.
    int32_t mensch = -1;
    for (int32_t t = 0; t < Team_Anzahl() && mensch < 0; ++t)
        if (Team_Hat_Manager(t)) mensch = t;
    ASSERT_GE(mensch, 0);
    ASSERT_TRUE(Bank_Kredit(-1, mensch, 1000000.0f, 12, 0, -1.0f, 0));
    std::vector<uint8_t> gut;
    ASSERT_TRUE(Spielstand_Speichern_In_Bild(&gut));
    for (const Fall& f : Faelle()) {
        SCOPED_TRACE(std::string(f.modul) + ": " + f.was);
        std::vector<uint8_t> bild;
        ASSERT_TRUE(test::Spielstand_Umschreiben(gut, f.modul, f.schaden ? f.schaden : [](auto&) {}, &bild));
        Meldungen().clear();
        if (!f.schaden) {
            // The file written anew as it was loads: the damage alone refuses the others.
            EXPECT_TRUE(Spielstand_Laden_Aus_Bild(bild));
            EXPECT_TRUE(Meldungen().empty());
            continue;
        }
        if (Spielstand_Laden_Aus_Bild(bild)) {
            ADD_FAILURE() << "the damaged save loaded";
            ASSERT_TRUE(Spielstand_Laden_Aus_Bild(gut));
            continue;
        }
        ASSERT_EQ(Meldungen().size(), 1u);
        EXPECT_NE(Meldungen()[0].find(std::string("\"") + f.modul + "\""), std::string::npos) << Meldungen()[0];
    }
    // The running game played on.
    EXPECT_TRUE(Sim_Bis_Tag(35));
}

TEST_F(SpielstandSchaden, EverySaveOfSeasonsOfPlayLoads) {
    // Managers who act as the computer's do (training, camps, scouts,
    // transfers, loans), so the saves hold what a played game holds.
    Verdrahten(true);
    const int32_t tage = test::UNTER_SANITIZERN ? 120 : 800;
    for (int32_t tag = 20; tag <= tage; tag += 20) {
        ASSERT_TRUE(Sim_Bis_Tag(tag));
        std::vector<uint8_t> bild;
        ASSERT_TRUE(Spielstand_Speichern_In_Bild(&bild));
        Meldungen().clear();
        ASSERT_TRUE(Spielstand_Laden_Aus_Bild(bild)) << "day " << tag << ": " << (Meldungen().empty() ? "" : Meldungen()[0]);
    }
}

}  // namespace
}  // namespace velmora
