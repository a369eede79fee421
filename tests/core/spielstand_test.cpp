#include "core/spielstand.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/dirs.h"
#include "core/hooks.h"
#include "core/optionen.h"
#include "core/programm.h"
#include "core/reg.h"
#include "core/rnd.h"
#include "core/spielstand_testing.h"
#include "tests/support/temp_dir.h"

using namespace velmora;
namespace fs = std::filesystem;

namespace {

// The game the fake modules keep: three values, a protocol of the calls, and
// switches that make a module misbehave.
struct Welt {
    int32_t wert[3] = {};
    std::vector<std::string> protokoll;
    bool kurz_lesen = false;     // module B's next load reads one block less than it wrote
    int c_scheitert = 0;         // module C's next loads that fail after reading
    std::vector<std::string> meldungen;
    std::vector<std::string> fehler_boxen;
};
Welt welt;

template <int I>
bool fake_speichern(SpielstandDatei* d) {
    welt.protokoll.push_back("S" + std::to_string(I));
    int32_t extra = 1000 + I;
    return Spielstand_Schreiben(d, &welt.wert[I], 4) && Spielstand_Schreiben_Gepackt(d, &extra, 4);
}

template <int I>
bool fake_laden(SpielstandDatei* d) {
    welt.protokoll.push_back("L" + std::to_string(I));
    int32_t wert = 0, extra = 0;
    if (!Spielstand_Lesen(d, &wert, 4)) return false;
    welt.wert[I] = wert;   // a module that changes its state before it knows the load went through
    if (I == 1 && welt.kurz_lesen) {
        welt.kurz_lesen = false;
        return true;
    }
    if (!Spielstand_Lesen_Gepackt(d, &extra, 4) || extra != 1000 + I) return false;
    if (I == 2 && welt.c_scheitert > 0) {
        --welt.c_scheitert;
        return false;
    }
    return true;
}

void meldung_fangen(const char* text) { welt.meldungen.push_back(text); }
void fehler_box_fangen(const char* text) { welt.fehler_boxen.push_back(text); }

std::string datei(int32_t slot) { return std::string(Dirs_Get(DIR_SPIELSTAND)) + "/game_" + std::to_string(slot) + ".qzv"; }

std::vector<uint8_t> lesen(const std::string& pfad) {
    std::ifstream f(pfad, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

void schreiben(const std::string& pfad, const std::vector<uint8_t>& bild, size_t n) {
    std::ofstream(pfad, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(bild.data()), long(n));
}

struct SpielstandTest : ::testing::Test {
    test::TempDir tmp;

    void SetUp() override {
        fs::create_directories(tmp / "install");
        Reg_Write_String("Work_dir", (tmp / "install").c_str());
        Reg_Write_String("USER_DIR", (tmp / "user").c_str());
        ASSERT_EQ(Dirs_Init(), 1);
        welt = Welt{};
        Spielstand_Module_Zuruecksetzen();
        Spielstand_Hooks() = SpielstandHooks{};
        Spielstand_Test_Abbruch_Vor_Umbenennen(false);
        Core_Hooks().meldung = meldung_fangen;
        Core_Hooks().win_error_box = fehler_box_fangen;
        Rnd_Init();
        Optionen_Standard();
        Quit_State_Setzen(0);
        // registered out of order: the positions decide
        ASSERT_TRUE(Spielstand_Modul_Anmelden(20, "C", fake_speichern<2>, fake_laden<2>));
        ASSERT_TRUE(Spielstand_Modul_Anmelden(5, "A", fake_speichern<0>, fake_laden<0>));
        ASSERT_TRUE(Spielstand_Modul_Anmelden(10, "B", fake_speichern<1>, fake_laden<1>));
    }
    void TearDown() override {
        Core_Hooks().meldung = nullptr;
        Core_Hooks().win_error_box = nullptr;
        Spielstand_Hooks() = SpielstandHooks{};
        Spielstand_Module_Zuruecksetzen();
    }

    void setzen(int32_t a, int32_t b, int32_t c) {
        welt.wert[0] = a;
        welt.wert[1] = b;
        welt.wert[2] = c;
    }
    std::vector<int32_t> werte() const { return {welt.wert[0], welt.wert[1], welt.wert[2]}; }
};

}  // namespace

TEST_F(SpielstandTest, ModulesAreSavedAndLoadedInTheirFixedOrderAfterTheRandomTable) {
    setzen(11, 22, 33);
    ASSERT_TRUE(Spielstand_Speichern(2));
    EXPECT_EQ(welt.protokoll, (std::vector<std::string>{"S0", "S1", "S2"}));
    SpielstandDatei d;
    ASSERT_TRUE(Spielstand_Datei_Oeffnen(&d, lesen(datei(2))));
    ASSERT_EQ(d.rahmen.size(), 4u);
    EXPECT_EQ(d.rahmen[0].name, "Rnd");
    EXPECT_EQ(d.rahmen[1].name, "A");
    EXPECT_EQ(d.rahmen[2].name, "B");
    EXPECT_EQ(d.rahmen[3].name, "C");
    EXPECT_EQ(d.rahmen[2].bloecke, 2u);

    setzen(0, 0, 0);
    welt.protokoll.clear();
    ASSERT_TRUE(Spielstand_Laden(2));
    // the running game is kept in memory first, then the file is loaded
    EXPECT_EQ(welt.protokoll, (std::vector<std::string>{"S0", "S1", "S2", "L0", "L1", "L2"}));
    EXPECT_EQ(werte(), (std::vector<int32_t>{11, 22, 33}));
    EXPECT_TRUE(welt.meldungen.empty());
}

TEST_F(SpielstandTest, TheRandomTableAndIndexSurvive) {
    for (int i = 0; i < 1234; ++i) Rnd(0, 100);
    const int32_t index = Rnd_Get_Index();
    ASSERT_TRUE(Spielstand_Speichern(0));
    std::vector<int32_t> danach;
    for (int i = 0; i < 50; ++i) danach.push_back(Rnd(0, 1000000));
    Rnd_Set_Index(17, 0);
    ASSERT_TRUE(Spielstand_Laden(0));
    EXPECT_EQ(Rnd_Get_Index(), index);
    for (int i = 0; i < 50; ++i) EXPECT_EQ(Rnd(0, 1000000), danach[size_t(i)]) << i;
}

TEST_F(SpielstandTest, AModuleThatReadsLessThanItWroteIsDetectedAndTheGameKept) {
    setzen(1, 2, 3);
    ASSERT_TRUE(Spielstand_Speichern(1));
    setzen(7, 8, 9);
    welt.kurz_lesen = true;
    EXPECT_FALSE(Spielstand_Laden(1));
    EXPECT_EQ(werte(), (std::vector<int32_t>{7, 8, 9}));
    EXPECT_EQ(welt.meldungen.size(), 1u);
    EXPECT_TRUE(welt.fehler_boxen.empty());
    EXPECT_EQ(welt.protokoll, (std::vector<std::string>{"S0", "S1", "S2", "S0", "S1", "S2", "L0", "L1", "L0", "L1", "L2"}))
        << "B stopped the load, the kept game was loaded back";
}

TEST_F(SpielstandTest, AModuleFailingLateRollsEveryModuleBack) {
    setzen(1, 2, 3);
    for (int i = 0; i < 10; ++i) Rnd(0, 9);
    ASSERT_TRUE(Spielstand_Speichern(4));
    setzen(7, 8, 9);
    Rnd_Set_Index(4321, 0);
    welt.c_scheitert = 1;
    EXPECT_FALSE(Spielstand_Laden(4));
    EXPECT_EQ(werte(), (std::vector<int32_t>{7, 8, 9}));
    EXPECT_EQ(Rnd_Get_Index(), 4321);
    EXPECT_EQ(welt.meldungen.size(), 1u);
    EXPECT_TRUE(welt.fehler_boxen.empty());
    EXPECT_EQ(Quit_State(), 0);
}

TEST_F(SpielstandTest, WhenEvenTheKeptGameCannotBeLoadedBackTheProgramEnds) {
    ASSERT_TRUE(Spielstand_Speichern(4));
    welt.c_scheitert = 2;
    EXPECT_FALSE(Spielstand_Laden(4));
    EXPECT_EQ(welt.fehler_boxen.size(), 1u);
    EXPECT_EQ(Quit_State(), 1);
    Quit_State_Setzen(0);
}

TEST_F(SpielstandTest, EveryFlippedByteIsRefusedAndTheGameKept) {
    setzen(1, 2, 3);
    ASSERT_TRUE(Spielstand_Speichern(3));
    const std::vector<uint8_t> gut = lesen(datei(3));
    setzen(4, 5, 6);
    Rnd_Set_Index(99, 0);
    // every byte outside the long random table, and every 61st inside it
    for (size_t i = 0; i < gut.size(); i += (i > 200 && i + 400 < gut.size()) ? 61 : 1) {
        std::vector<uint8_t> bild = gut;
        bild[i] ^= uint8_t(1 + i % 255);
        welt.meldungen.clear();
        ASSERT_FALSE(Spielstand_Laden_Aus_Bild(std::move(bild))) << i;
        ASSERT_EQ(welt.meldungen.size(), 1u) << i;
        ASSERT_EQ(werte(), (std::vector<int32_t>{4, 5, 6})) << i;
        ASSERT_EQ(Rnd_Get_Index(), 99);
    }
    EXPECT_TRUE(Spielstand_Laden_Aus_Bild(gut));
    EXPECT_EQ(werte(), (std::vector<int32_t>{1, 2, 3}));
}

TEST_F(SpielstandTest, TruncatedFilesAreRefusedAndTheGameKept) {
    setzen(1, 2, 3);
    ASSERT_TRUE(Spielstand_Speichern(5));
    const std::vector<uint8_t> gut = lesen(datei(5));
    setzen(4, 5, 6);
    for (size_t n = 0; n < gut.size(); n += 97) {
        schreiben(datei(5), gut, n);
        welt.meldungen.clear();
        ASSERT_FALSE(Spielstand_Laden(5)) << n;
        ASSERT_EQ(welt.meldungen.size(), 1u);
        ASSERT_EQ(werte(), (std::vector<int32_t>{4, 5, 6})) << n;
    }
    welt.meldungen.clear();
    EXPECT_FALSE(Spielstand_Laden(6)) << "a missing slot";
    EXPECT_EQ(welt.meldungen.size(), 1u);
}

TEST_F(SpielstandTest, ASaveInterruptedBeforeTheRenameLeavesTheOldSave) {
    setzen(1, 2, 3);
    ASSERT_TRUE(Spielstand_Speichern(2));
    setzen(4, 5, 6);
    Spielstand_Test_Abbruch_Vor_Umbenennen(true);
    EXPECT_FALSE(Spielstand_Speichern(2));
    Spielstand_Test_Abbruch_Vor_Umbenennen(false);
    EXPECT_EQ(test::temporaere(datei(2)), 1u) << "the half-done save stays beside the old one";
    setzen(7, 8, 9);
    ASSERT_TRUE(Spielstand_Laden(2));
    EXPECT_EQ(werte(), (std::vector<int32_t>{1, 2, 3}));
    // the next save goes through over the leftover
    setzen(4, 5, 6);
    ASSERT_TRUE(Spielstand_Speichern(2));
    EXPECT_EQ(test::temporaere(datei(2)), 1u) << "the next save takes a name of its own";
    setzen(0, 0, 0);
    ASSERT_TRUE(Spielstand_Laden(2));
    EXPECT_EQ(werte(), (std::vector<int32_t>{4, 5, 6}));
}

// A failed save says that what lay in the slot is kept only where a save lay.
TEST_F(SpielstandTest, AFailedSaveTellsOfAKeptFileOnlyWhereOneLay) {
    setzen(1, 2, 3);
    ASSERT_TRUE(Spielstand_Speichern(2));
    Spielstand_Test_Abbruch_Vor_Umbenennen(true);
    for (int32_t slot : {2, 3}) {
        welt.meldungen.clear();
        EXPECT_FALSE(Spielstand_Speichern(slot));
        ASSERT_EQ(welt.meldungen.size(), 1u) << slot;
        EXPECT_EQ(welt.meldungen[0].find("was dort lag, ist erhalten") != std::string::npos, slot == 2)
            << welt.meldungen[0];
    }
    Spielstand_Test_Abbruch_Vor_Umbenennen(false);
    EXPECT_FALSE(fs::exists(datei(3)));
}

// A save written before a module existed (an older version) loads, and the
// module starts as in a new game; a save that lacks a module of its own
// version, one with a module this program does not know, or one with its
// modules in another order is refused by name and changes nothing.
int32_t g_neu_wert = 0;
int32_t g_neu_aufrufe = 0;

TEST_F(SpielstandTest, AModuleMissingFromTheFileStartsNewAnUnknownOneIsRefusedByName) {
    setzen(1, 2, 3);
    ASSERT_TRUE(Spielstand_Speichern(1));
    // A module that came later, as a declared block: it is not in the file.
    g_neu_wert = 77;
    g_neu_aufrufe = 0;
    SpielstandBlock spaeter{"Spaeter", 15,
                            [](std::vector<uint8_t>& out) { out.insert(out.end(), 4, uint8_t(g_neu_wert)); },
                            [](const uint8_t* in, size_t n) { return n == 4 && (g_neu_wert = in[0], true); },
                            [] {
                                g_neu_wert = 0;
                                ++g_neu_aufrufe;
                            }};
    spaeter.seit = SPIELSTAND_FORMAT + 1;
    // The same module of the file's own version: the file is incomplete.
    SpielstandBlock frueh = spaeter;
    frueh.seit = SPIELSTAND_FORMAT;
    ASSERT_TRUE(Spielstand_Block_Anmelden(frueh));
    setzen(7, 8, 9);
    EXPECT_FALSE(Spielstand_Laden(1));
    ASSERT_EQ(welt.meldungen.size(), 1u);
    EXPECT_NE(welt.meldungen[0].find("unvollstaendig (der Teil \"Spaeter\" fehlt)"), std::string::npos)
        << welt.meldungen[0];
    EXPECT_EQ(werte(), (std::vector<int32_t>{7, 8, 9}));
    EXPECT_EQ(g_neu_aufrufe, 0);
    welt.meldungen.clear();
    ASSERT_TRUE(Spielstand_Block_Anmelden(spaeter));
    setzen(7, 8, 9);
    ASSERT_TRUE(Spielstand_Laden(1));
    EXPECT_EQ(werte(), (std::vector<int32_t>{1, 2, 3}));
    EXPECT_EQ(g_neu_aufrufe, 1);
    EXPECT_EQ(g_neu_wert, 0);
    // Saved with it, it travels like every other module.
    g_neu_wert = 42;
    ASSERT_TRUE(Spielstand_Speichern(2));
    g_neu_wert = 5;
    ASSERT_TRUE(Spielstand_Laden(2));
    EXPECT_EQ(g_neu_wert, 42);
    EXPECT_EQ(g_neu_aufrufe, 1);

    // A file with a module this program does not know: refused with its name.
    Spielstand_Modul_Abmelden("B");
    welt.meldungen.clear();
    setzen(4, 5, 6);
    EXPECT_FALSE(Spielstand_Laden(1));
    ASSERT_EQ(welt.meldungen.size(), 1u);
    EXPECT_NE(welt.meldungen[0].find("\"B\""), std::string::npos) << welt.meldungen[0];
    EXPECT_EQ(werte(), (std::vector<int32_t>{4, 5, 6}));
    // The modules in another order: refused too.
    ASSERT_TRUE(Spielstand_Modul_Anmelden(30, "B", fake_speichern<1>, fake_laden<1>));
    welt.meldungen.clear();
    EXPECT_FALSE(Spielstand_Laden(1));
    ASSERT_EQ(welt.meldungen.size(), 1u);
    EXPECT_NE(welt.meldungen[0].find("anderer Stelle"), std::string::npos) << welt.meldungen[0];
    EXPECT_EQ(g_neu_aufrufe, 1) << "nothing was touched";
    Spielstand_Modul_Abmelden("B");
    ASSERT_TRUE(Spielstand_Modul_Anmelden(10, "B", fake_speichern<1>, fake_laden<1>));
    EXPECT_TRUE(Spielstand_Laden(1));
}

// A declared block read from the file alone, as the save list reads the
// calendar's: found behind other modules, the same bytes; a cut or changed
// file up to its end, a smaller limit, or another name gives nothing.
TEST_F(SpielstandTest, ADeclaredBlockIsReadFromTheFileWithoutLoadingIt) {
    SpielstandBlock datum{"Datum", 15,
                          [](std::vector<uint8_t>& out) {
                              for (int i = 0; i < 300; ++i) out.push_back(uint8_t(i % 7 == 0 ? 0 : i));
                          },
                          [](const uint8_t*, size_t) { return true; }, nullptr};
    ASSERT_TRUE(Spielstand_Block_Anmelden(datum));
    setzen(1, 2, 3);
    ASSERT_TRUE(Spielstand_Speichern(4));
    std::vector<uint8_t> erwartet;
    datum.save(erwartet);
    std::vector<uint8_t> gelesen;
    ASSERT_TRUE(Spielstand_Modul_Block_Lesen(4, "Datum", 300, &gelesen));
    EXPECT_EQ(gelesen, erwartet);
    setzen(4, 5, 6);
    EXPECT_EQ(werte(), (std::vector<int32_t>{4, 5, 6})) << "nothing loaded";
    for (const char* name : {"Dat", "Datum2", "C"}) EXPECT_FALSE(Spielstand_Modul_Block_Lesen(4, name, 300, &gelesen)) << name;
    EXPECT_FALSE(Spielstand_Modul_Block_Lesen(4, "Datum", 299, &gelesen)) << "larger than allowed";
    EXPECT_FALSE(Spielstand_Modul_Block_Lesen(7, "Datum", 300, &gelesen)) << "no file";

    // Where the block ends: behind it the file is not read at all.
    const std::vector<uint8_t> gut = lesen(datei(4));
    auto gekuerzt_lesbar = [&](size_t n) {
        schreiben(datei(4), gut, n);
        return Spielstand_Modul_Block_Lesen(4, "Datum", 300, &gelesen);
    };
    size_t ende = 0;
    while (ende < gut.size() && !gekuerzt_lesbar(ende)) ende += 97;
    while (ende > 0 && gekuerzt_lesbar(ende - 1)) --ende;
    ASSERT_LT(ende, gut.size());
    ASSERT_TRUE(gekuerzt_lesbar(ende));
    EXPECT_EQ(gelesen, erwartet);
    // Bytes up to there changed (every one outside the long random table):
    // never other bytes than the saved ones.
    for (size_t i = 0; i < ende; i += (i > 200 && i + 2000 < ende) ? 61 : 1) {
        std::vector<uint8_t> bild = gut;
        bild[i] ^= uint8_t(1 + i % 255);
        schreiben(datei(4), bild, bild.size());
        gelesen.clear();
        if (Spielstand_Modul_Block_Lesen(4, "Datum", 300, &gelesen)) {
            ASSERT_EQ(gelesen, erwartet) << i;
        }
    }
}

TEST_F(SpielstandTest, RegistrationRules) {
    struct Fall {
        int32_t position;
        const char* name;
        bool ok;
    };
    const Fall faelle[] = {
        {0, "X", false},                                  // the random table's place
        {256, "X", false},
        {5, "X", false},                                  // taken by A
        {6, "A", false},                                  // A is elsewhere
        {5, "A", true},                                   // A again: new functions
        {6, "", false},
        {6, "ein_sehr_langer_name_ueber_31_zeichen", false},
        {6, "X", true},
    };
    for (const Fall& f : faelle)
        EXPECT_EQ(Spielstand_Modul_Anmelden(f.position, f.name, fake_speichern<0>, fake_laden<0>), f.ok)
            << f.position << " " << f.name;
    EXPECT_FALSE(Spielstand_Modul_Anmelden(7, "Y", nullptr, fake_laden<0>));
    EXPECT_FALSE(Spielstand_Modul_Anmelden(7, "Y", fake_speichern<0>, nullptr));
    for (int i = 0; i < 40; ++i)
        Spielstand_Modul_Anmelden(100 + i, ("M" + std::to_string(i)).c_str(), fake_speichern<0>, fake_laden<0>);
    ASSERT_TRUE(Spielstand_Speichern(0));
    SpielstandDatei d;
    ASSERT_TRUE(Spielstand_Datei_Oeffnen(&d, lesen(datei(0))));
    EXPECT_EQ(d.rahmen.size(), size_t(SPIELSTAND_MODULE_MAX)) << "the table is full at its maximum";
}

// A client's game is the server's: it neither saves nor loads, and hears why.
TEST_F(SpielstandTest, SavingAndLoadingAreRefusedOnAClientWithTheOptionsScreensText) {
    setzen(1, 2, 3);
    ASSERT_TRUE(Spielstand_Speichern(2));
    welt.protokoll.clear();
    setzen(4, 5, 6);
    Spielstand_Hooks().netz_modus = [] { return int32_t(1); };
    Spielstand_Hooks().optionen_text = [](int32_t n) { return n == 29 ? "Nur der Server speichert." : "falsch"; };
    EXPECT_FALSE(Spielstand_Speichern(1));
    EXPECT_FALSE(Spielstand_Laden(2));
    EXPECT_EQ(welt.meldungen, (std::vector<std::string>{"Nur der Server speichert.", "Nur der Server speichert."}));
    EXPECT_FALSE(fs::exists(datei(1)));
    EXPECT_TRUE(welt.protokoll.empty());
    EXPECT_EQ(welt.wert[0], 4) << "the client's game is untouched";
    Spielstand_Hooks().netz_modus = [] { return int32_t(2); };   // the server saves and loads
    EXPECT_TRUE(Spielstand_Speichern(1));
    EXPECT_TRUE(Spielstand_Laden(2));
    EXPECT_EQ(welt.wert[0], 1);
}

// Another instance holds the user directory: saving and the autosave are
// refused as on a client, and what lay in the slot stays.
TEST_F(SpielstandTest, SavingAndTheAutosaveAreRefusedWhileAnotherInstanceHoldsTheUserDirectory) {
    setzen(1, 2, 3);
    ASSERT_TRUE(Spielstand_Speichern(SPIELSTAND_AUTOSAVE_SLOT));
    const std::vector<uint8_t> vorher = lesen(datei(SPIELSTAND_AUTOSAVE_SLOT));
    static bool fremd = false;
    Spielstand_Hooks().andere_instanz = [] { return fremd; };
    Optionen(OPTION_AUTOSAVE, 1, 1);
    struct Fall {
        bool fremd;
        bool (*speichern)();
        bool gespeichert;
        size_t meldungen;
    };
    const Fall faelle[] = {
        {true, [] { return Spielstand_Speichern(SPIELSTAND_AUTOSAVE_SLOT); }, false, 1},
        {true, [] { return Spielstand_Autosave(14); }, false, 0},
        {false, [] { return Spielstand_Autosave(14); }, true, 0},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.gespeichert);
        fremd = f.fremd;
        welt.meldungen.clear();
        setzen(7, 8, 9);
        EXPECT_EQ(f.speichern(), f.gespeichert);
        Spielstand_Schreiber_Warten();
        EXPECT_EQ(welt.meldungen.size(), f.meldungen);
        EXPECT_EQ(lesen(datei(SPIELSTAND_AUTOSAVE_SLOT)) == vorher, !f.gespeichert);
    }
}

// At the start the holder of the user directory removes the temporary files
// an interrupted save left, and only names of the save driver's own pattern.
TEST_F(SpielstandTest, OnlyTheDriversOwnTemporaryFilesAreRemoved) {
    const std::string verz = Dirs_Get(DIR_SPIELSTAND);
    struct Zeile {
        const char* name;
        bool entfernt;
    };
    const Zeile tabelle[] = {
        {"game_0.qzv.tmp-a1B2c3", true},  {"game_9.qzv.tmp-ZZZZZZ", true}, {"game_3.qzv", false},
        {"game_12.qzv.tmp-abcdef", false}, {"game_3.qzv.tmp-abcde", false}, {"game_3.qzv.tmp-abcdefg", false},
        {"GAME_3.QZV.TMP-abcdef", false}, {"game_3.qzv.tmp-ab.def", false}, {"notiz.txt.tmp-abcdef", false},
    };
    for (const Zeile& z : tabelle) std::ofstream(verz + "/" + z.name) << "x";
    EXPECT_EQ(Spielstand_Reste_Entfernen(), 2);
    for (const Zeile& z : tabelle) EXPECT_EQ(fs::exists(verz + "/" + z.name), !z.entfernt) << z.name;
}

TEST_F(SpielstandTest, TheHeaderCarriesNameManagerClubBalanceAndStrength) {
    auto& h = Spielstand_Hooks();
    h.erster_manager = [](char name[30], char stadt[32], int32_t* team) {
        std::strcpy(name, "Klaus Kicker");
        std::strcpy(stadt, "Velmstadt");
        *team = 17;
        return true;
    };
    h.kontostand = [](int32_t team) { return team == 17 ? 1234567 : -1; };
    h.staerke = [](int32_t team) { return team == 17 ? 99 : -1; };
    h.slot_name = [](int32_t slot) { return slot == 3 ? "Meine Saison" : ""; };
    h.disk_text = [](int32_t n) { return n == 9 ? "Spiel %d %s %n 100%%" : n == 13 ? "Automatisch" : "?"; };
    static int neu_gelesen = 0;
    neu_gelesen = 0;
    h.nach_speichern = [] { ++neu_gelesen; };

    ASSERT_TRUE(Spielstand_Speichern(3));
    ASSERT_TRUE(Spielstand_Speichern(4));
    ASSERT_TRUE(Spielstand_Speichern(9));
    EXPECT_EQ(neu_gelesen, 3);
    SpielstandKopf kopf;
    ASSERT_EQ(Spielstand_Kopf_Lesen(3, &kopf), 1);
    EXPECT_STREQ(kopf.name, "Meine Saison");
    EXPECT_STREQ(kopf.manager, "Klaus Kicker");
    EXPECT_STREQ(kopf.stadt, "Velmstadt");
    EXPECT_EQ(kopf.team, 17);
    EXPECT_EQ(kopf.kontostand, 1234567);
    EXPECT_EQ(kopf.staerke, 99);
    ASSERT_EQ(Spielstand_Kopf_Lesen(4, &kopf), 1);
    EXPECT_STREQ(kopf.name, "Spiel 5   100%") << "a text from a file is never read as a format";
    ASSERT_EQ(Spielstand_Kopf_Lesen(9, &kopf), 1);
    EXPECT_STREQ(kopf.name, "Automatisch");

    // missing, foreign and out-of-range slots give 0 and an empty header
    std::ofstream(datei(6)) << "qzvmanager1.00 kein Spielstand";
    for (int32_t slot : {5, 6, -1, 10}) {
        std::memset(&kopf, 'x', sizeof kopf);
        EXPECT_EQ(Spielstand_Kopf_Lesen(slot, &kopf), 0) << slot;
        EXPECT_EQ(kopf.manager[0], 0);
        EXPECT_EQ(kopf.team, 0);
    }
    EXPECT_EQ(Spielstand_Kopf_Lesen(3, nullptr), 0);
}

TEST_F(SpielstandTest, WithoutAManagerTheHeaderMarksTheSlotAsFree) {
    SpielstandKopf kopf;
    Spielstand_Kopf_Fuellen(&kopf, "Leer");
    EXPECT_STREQ(kopf.name, "Leer");
    EXPECT_EQ(kopf.manager[0], 0);
    EXPECT_EQ(kopf.team, -1);
    Spielstand_Hooks().erster_manager = [](char*, char*, int32_t*) { return false; };
    Spielstand_Hooks().kontostand = [](int32_t) { return 5; };
    Spielstand_Kopf_Fuellen(&kopf, nullptr);
    EXPECT_EQ(kopf.name[0], 0);
    EXPECT_EQ(kopf.kontostand, 0);
}

TEST_F(SpielstandTest, TheLastSlotIsRemembered) {
    EXPECT_EQ(Spielstand_Letzter_Holen(), -1);
    ASSERT_TRUE(Spielstand_Speichern(3));
    EXPECT_EQ(Spielstand_Letzter_Holen(), 3);
    ASSERT_TRUE(Spielstand_Speichern(1));
    ASSERT_TRUE(Spielstand_Laden(3));
    EXPECT_EQ(Spielstand_Letzter_Holen(), 3);
    for (const char* wert : {"x", "10", "-1", "3a", ""}) {
        Reg_Write_String("Gme", wert);
        EXPECT_EQ(Spielstand_Letzter_Holen(), -1) << wert;
    }
}

TEST_F(SpielstandTest, AutosaveEverySeventhDayWhileTheOptionIsOn) {
    struct Fall {
        int32_t option, tag, netz;
        bool gespeichert;
    };
    const Fall faelle[] = {
        {0, 7, 0, false}, {1, 6, 0, false}, {1, 0, 0, false}, {1, -7, 0, false},
        {1, 7, 1, false}, {1, 7, 0, true},  {1, 14, 2, true},
    };
    static int32_t netz = 0;
    Spielstand_Hooks().netz_modus = [] { return netz; };
    for (const Fall& f : faelle) {
        fs::remove(datei(SPIELSTAND_AUTOSAVE_SLOT));
        Optionen(OPTION_AUTOSAVE, 1, f.option);
        netz = f.netz;
        welt.meldungen.clear();
        EXPECT_EQ(Spielstand_Autosave(f.tag), f.gespeichert) << f.option << " " << f.tag << " " << f.netz;
        Spielstand_Schreiber_Warten();
        EXPECT_EQ(fs::exists(datei(SPIELSTAND_AUTOSAVE_SLOT)), f.gespeichert);
        EXPECT_TRUE(welt.meldungen.empty()) << "the autosave never bothers a client's manager";
    }
    EXPECT_EQ(Spielstand_Letzter_Holen(), SPIELSTAND_AUTOSAVE_SLOT);
}

// The autosave's file is written in the background. A load right after it
// waits for the writer and reads the new file; a write that fails (stopped
// before the rename, as a kill there would) leaves the previous autosave
// loadable, is reported once, and does not become the last slot.
TEST_F(SpielstandTest, TheBackgroundAutosaveIsWaitedForAndAFailedOneLeavesThePreviousSave) {
    Optionen(OPTION_AUTOSAVE, 1, 1);
    setzen(1, 2, 3);
    ASSERT_TRUE(Spielstand_Autosave(7));
    setzen(0, 0, 0);
    ASSERT_TRUE(Spielstand_Laden(SPIELSTAND_AUTOSAVE_SLOT));
    EXPECT_EQ(werte(), (std::vector<int32_t>{1, 2, 3}));
    Reg_Write_String("Gme", "4");
    setzen(4, 5, 6);
    Spielstand_Test_Abbruch_Vor_Umbenennen(true);
    welt.meldungen.clear();
    EXPECT_TRUE(Spielstand_Autosave(14)) << "the file is on its way";
    Spielstand_Schreiber_Warten();
    Spielstand_Schreiber_Warten();
    Spielstand_Test_Abbruch_Vor_Umbenennen(false);
    EXPECT_EQ(welt.meldungen.size(), 1u) << "the failed write is reported once";
    EXPECT_EQ(Spielstand_Letzter_Holen(), 4);
    setzen(7, 8, 9);
    ASSERT_TRUE(Spielstand_Laden(SPIELSTAND_AUTOSAVE_SLOT));
    EXPECT_EQ(werte(), (std::vector<int32_t>{1, 2, 3}));
    // Back-to-back autosaves: each waits for the one before; the last one is what loads.
    for (int32_t tag : {21, 28}) {
        setzen(tag, tag + 1, tag + 2);
        ASSERT_TRUE(Spielstand_Autosave(tag));
    }
    setzen(0, 0, 0);
    ASSERT_TRUE(Spielstand_Laden(SPIELSTAND_AUTOSAVE_SLOT));
    EXPECT_EQ(werte(), (std::vector<int32_t>{28, 29, 30}));
    EXPECT_EQ(Spielstand_Letzter_Holen(), SPIELSTAND_AUTOSAVE_SLOT);
}

TEST_F(SpielstandTest, SlotsOutsideTheRangeAreRefused) {
    for (int32_t slot : {-1, 10, 1000}) {
        EXPECT_FALSE(Spielstand_Speichern(slot));
        EXPECT_FALSE(Spielstand_Laden(slot));
    }
    EXPECT_TRUE(welt.protokoll.empty());
}

namespace {

// A module whose number of blocks and their lengths change from save to save.
struct Wechselnd {
    static inline std::vector<uint32_t> laengen;
    static bool Speichern(SpielstandDatei* d) {
        for (size_t i = 0; i < laengen.size(); ++i) {
            std::vector<uint8_t> b(laengen[i], uint8_t(7 * i + laengen[i]));
            const bool ok = i % 2 ? Spielstand_Schreiben_Gepackt(d, b.data(), uint32_t(b.size()))
                                  : Spielstand_Schreiben(d, b.data(), uint32_t(b.size()));
            if (!ok) return false;
        }
        return true;
    }
    static bool Laden(SpielstandDatei*) { return true; }
};

// The bytes of declared blocks, long (packed in place) and in pieces.
struct Deklariert {
    static inline uint32_t laenge = 0;
    static void Save(std::vector<uint8_t>& out) {
        for (uint32_t i = 0; i < laenge; ++i) out.push_back(uint8_t(i / 5 + laenge));
    }
    static void Stuecke(SpielstandStuecke& out) {
        static std::vector<uint8_t> gross;
        gross.assign(laenge * 3 + 5000, uint8_t(laenge));
        out.i32(int32_t(laenge));
        out.block(gross.data(), gross.size());
        out.i32(-1);
    }
};

}  // namespace

// An image is taken into the room of the one before: whatever each module
// writes now, more or fewer blocks, longer or shorter, the image written is
// the file a save writes at the same moment.
TEST_F(SpielstandTest, AnImageTakenAgainWritesTheFileASaveWritesThen) {
    ASSERT_TRUE(Spielstand_Modul_Anmelden(30, "W", Wechselnd::Speichern, Wechselnd::Laden));
    SpielstandBlock von{"V", 40, Deklariert::Save, [](const uint8_t*, size_t) { return true; }};
    SpielstandBlock stuecke{"T", 50, Deklariert::Save, [](const uint8_t*, size_t) { return true; }};
    stuecke.save_stuecke = Deklariert::Stuecke;
    ASSERT_TRUE(Spielstand_Block_Anmelden(von));
    ASSERT_TRUE(Spielstand_Block_Anmelden(stuecke));
    struct Fall {
        std::vector<uint32_t> bloecke;
        uint32_t deklariert;
    };
    const Fall faelle[] = {
        {{3, 500, 20000}, 70000}, {{9}, 10}, {{}, 0}, {{1, 2, 3, 4}, 300000}, {{4000, 0}, 64},
    };
    SpielstandAbbild abbild;
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.bloecke.size());
        Wechselnd::laengen = f.bloecke;
        Deklariert::laenge = f.deklariert;
        setzen(int32_t(f.deklariert), 2, 3);
        ASSERT_TRUE(Spielstand_Abbild_Nehmen(&abbild, 3));
        ASSERT_TRUE(Spielstand_Abbild_Speichern(abbild));
        const std::vector<uint8_t> aus_abbild = lesen(datei(3));
        ASSERT_TRUE(Spielstand_Speichern(3));
        EXPECT_EQ(lesen(datei(3)), aus_abbild);
        SpielstandDatei d;
        ASSERT_TRUE(Spielstand_Datei_Oeffnen(&d, aus_abbild));
        ASSERT_EQ(d.rahmen.size(), 7u);
        EXPECT_EQ(d.rahmen[4].bloecke, f.bloecke.size());
    }
}
