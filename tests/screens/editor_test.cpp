// tests/screens/editor_test.cpp - the team editor played as a new user would:
// from the start screen's editor button, a club renamed in place, a player's
// columns walked with Tab, the save answered, and the files read back.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "club/club_config.h"
#include "club/spieler.h"
#include "club/team.h"
#include "core/dirs.h"
#include "gui/menue_requester.h"
#include "platform/display.h"
#include "platform/files.h"
#include "screens/editor.h"
#include "screens/editor_daten.h"
#include "screens/editor_listen.h"
#include "screens/editor_wappen.h"
#include "screens/editor_aussehen.h"
#include "screens/editor_nation.h"
#include "business/stadion.h"
#include "gfx/trikot.h"
#include "club/club_config.h"
#include "season/wettbewerb.h"
#include "tests/support/screen_welt.h"

namespace velmora::test {
namespace {

constexpr int32_t EDITOR_KNOPF_X = 425, EDITOR_KNOPF_Y = 474;   // the start screen's plate 892
constexpr int32_t JA_X = 111, JA_Y = 425;                       // the requester's first button
constexpr int32_t ZEILE_Y0 = 124, ZEILE_H = 17;

int32_t Zeile_Y(int32_t k) { return ZEILE_Y0 + ZEILE_H * k; }

void Klick(std::vector<Schritt>& s, int32_t x, int32_t y, uint32_t knopf = 1) {
    s.push_back({2, x, y, 0});
    s.push_back({1, x, y, knopf});
    s.push_back({2, x, y, 0});
}

void Tippen(std::vector<Schritt>& s, const char* text) {
    for (const char* c = text; *c; ++c) s.push_back({2, -100, -100, 0, false, uint8_t(*c)});
}

void Taste(std::vector<Schritt>& s, int32_t code) { s.push_back({3, -100, -100, 0, false, -code}); }

void Foto(std::vector<Schritt>& s, int32_t x = 790, int32_t y = 80) {
    s.push_back({4, x, y, 0});
    s.push_back({1, x, y, 0, true});
}

// What the script saw, for the checks after the run.
struct Gesehen {
    EditorStand nach_start, nach_name, im_namen, nach_tab;
    int32_t spieler = -1;
    std::string club_name, spieler_name, spieler_vorname;
    int32_t nummer = 0;
    int32_t tausch[2] = {-1, -1}, liga[2] = {-1, -1}, liga_nach[2] = {-1, -1};
    std::string gespeichert, neu_gespeichert;   // the three files after the save, and after reload and save
    bool neu_geladen = false;
};
Gesehen g_gesehen;

// The set-0 files of the user's configuration directory as the world reader prints them.
std::string Gespeicherte_Dateien() {
    std::string alles;
    for (const char* name : {"team.cfg", "spieler.cfg", "wettbewerb.cfg"}) {
        std::vector<uint8_t> daten;
        const std::string pfad = std::string(Dirs_Get(DIR_USER_CONFIG)) + "/0_" + name;
        if (!Plat_Read_All(pfad.c_str(), daten)) return "cannot read " + pfad;
        alles += std::string("== ") + name + "\n" + std::string(daten.begin(), daten.end());
    }
    return alles;
}

// The save button answered yes and its success requester closed; the files it wrote into g_gespeichert.
std::string g_gespeichert;
void Speichern(std::vector<Schritt>& s) {
    Klick(s, 645, 580);
    Klick(s, JA_X, JA_Y);
    Klick(s, 400, 300, 2);
    s.push_back({2, -100, -100, 0, false, 0, [] { g_gespeichert = Gespeicherte_Dateien(); }});
}

// The world of the installation and user directory as a fresh process builds it
// with the game's readers and writes it back (tests/support/welt_auslesen.cpp).
std::string Frisch_Gelesen(const std::string& install, const std::string& user) {
    const std::string befehl =
        std::string("'") + VELMORA_WELT_AUSLESEN + "' '" + install + "' '" + user + "' test01";
    FILE* rohr = popen(befehl.c_str(), "r");
    if (!rohr) return "cannot start " + befehl;
    std::string text;
    char puffer[65536];
    for (size_t n; (n = std::fread(puffer, 1, sizeof puffer, rohr)) > 0;) text.append(puffer, n);
    const int ende = pclose(rohr);
    return ende == 0 ? text : "exit " + std::to_string(ende) + " of " + befehl;
}

class EditorScreen : public ScreenWelt {
protected:
    void SetUp() override {
        startscreens = true;
        ScreenWelt::SetUp();
        g_gesehen = Gesehen{};
    }
};

TEST_F(EditorScreen, TheStartButtonOpensTheEditorWhereAClubAndAPlayerAreEditedAndSaved) {
    std::vector<Schritt>& s = skript;
    Klick(s, EDITOR_KNOPF_X, EDITOR_KNOPF_Y);
    s.push_back({2, -100, -100, 0, false, 0, [] { g_gesehen.nach_start = Editor_Stand(); }});
    Foto(s);                                       // 0: sorted by name
    Klick(s, 217, 95);                             // by nation, league and name
    Foto(s);                                       // 1
    // The third club's name, in place.
    Klick(s, 80, Zeile_Y(2));
    Tippen(s, "Kap, \"Nord\"");
    Taste(s, VK_RETURN);
    s.push_back({2, -100, -100, 0, false, 0, [] { g_gesehen.nach_name = Editor_Stand(); }});
    // The first player's shirt number, then Tab through type, initial and name.
    Klick(s, 405, Zeile_Y(0));
    Tippen(s, "7");
    Taste(s, VK_TAB);                              // the type
    Taste(s, VK_TAB);                              // the initial
    Tippen(s, "q");
    Taste(s, VK_TAB);                              // the surname
    Tippen(s, "M\xfcller%");
    s.push_back({2, -100, -100, 0, false, 0, [] { g_gesehen.im_namen = Editor_Stand(); }});
    Foto(s);                                       // 2: a field being edited
    Taste(s, VK_TAB);                              // the strength
    s.push_back({2, -100, -100, 0, false, 0, [] {
        g_gesehen.nach_tab = Editor_Stand();
        const int32_t p = Editor_Stand().edit_ziel;
        g_gesehen.spieler = p;
        g_gesehen.nummer = Spieler_Wert(SPW_DATEI_NUMMER, p, 0, OP_LESEN);
        g_gesehen.spieler_name = Spieler_String(SPS_NAME_FELD, p, 0, 0);
        g_gesehen.spieler_vorname = Spieler_String(SPS_VORNAME, p, 0, 0);
    }});
    Taste(s, VK_TAB);                              // the maximum
    Taste(s, VK_TAB);                              // value 55, typed past its range
    Tippen(s, "200");
    Taste(s, VK_RETURN);
    // Two clubs of different leagues swap: a right click marks the first, a left click the second.
    s.push_back({2, -100, -100, 0, false, 0, [] {
        int32_t zeilen[EDITOR_ZEILEN_SICHTBAR];
        std::vector<int32_t> liste = Editor_Teamliste();
        Editor_Teamliste_Sortieren(liste, EDITOR_NATION_LIGA);
        Editor_Zeilen(liste, 0, zeilen);
        g_gesehen.tausch[0] = zeilen[0];
        g_gesehen.tausch[1] = zeilen[19];
        for (int32_t i = 0; i < 2; ++i) g_gesehen.liga[i] = Team_Get_Liga(zeilen[i == 0 ? 0 : 19], 1);
    }});
    Klick(s, 16, Zeile_Y(0), 2);
    Klick(s, 16, Zeile_Y(19));
    s.push_back({2, -100, -100, 0, false, 0, [] {
        for (int32_t i = 0; i < 2; ++i) g_gesehen.liga_nach[i] = Team_Get_Liga(g_gesehen.tausch[i], 1);
    }});
    Klick(s, 645, 580);                            // save: the question
    Klick(s, JA_X, JA_Y);                          // yes: the files, then the success
    Foto(s);                                       // 3: the success
    Klick(s, 400, 300, 2);                         // a right click answers it
    // Save, reload, save: the same bytes.
    s.push_back({2, -100, -100, 0, false, 0, [] {
        g_gesehen.gespeichert = Gespeicherte_Dateien();
        g_gesehen.neu_geladen = Editor_Neu_Laden();
        g_gesehen.neu_gespeichert = Editor_Speichern().empty() ? Gespeicherte_Dateien() : "save failed";
    }});
    ASSERT_TRUE(Spielen());
    EXPECT_EQ(Vergleichen("editor_name", 0), "");
    EXPECT_EQ(Vergleichen("editor_nation", 1), "");
    EXPECT_EQ(Vergleichen("editor_feld", 2), "");
    EXPECT_EQ(Vergleichen("editor_gespeichert", 3), "");

    EXPECT_GT(g_gesehen.nach_start.teams, 20);
    EXPECT_EQ(g_gesehen.nach_start.spieler, TEAM_SPIELER_MAX);
    EXPECT_FALSE(g_gesehen.nach_name.edit);
    EXPECT_TRUE(g_gesehen.im_namen.edit);
    EXPECT_EQ(g_gesehen.im_namen.edit_feld, EDITOR_FELD_NAME);
    EXPECT_EQ(g_gesehen.im_namen.puffer, "M\xfcller%");
    EXPECT_EQ(g_gesehen.nach_tab.edit_feld, EDITOR_FELD_STAERKE);
    EXPECT_EQ(g_gesehen.nummer, 7);
    EXPECT_EQ(g_gesehen.spieler_vorname, "Q.");
    EXPECT_EQ(g_gesehen.spieler_name, "M\xfcller%");
    EXPECT_EQ(Editor_Stand().letzter_fehler, "");
    ASSERT_NE(g_gesehen.liga[0], g_gesehen.liga[1]);
    EXPECT_EQ(g_gesehen.liga_nach[0], g_gesehen.liga[1]);
    EXPECT_EQ(g_gesehen.liga_nach[1], g_gesehen.liga[0]);

    // The saved files, read back by the game's readers in a fresh process: every
    // value comes back as the editor wrote it; reloaded and saved again, the same bytes.
    EXPECT_TRUE(g_gesehen.neu_geladen);
    EXPECT_EQ(g_gesehen.neu_gespeichert, g_gesehen.gespeichert);
    const std::string frisch = Frisch_Gelesen(dirs.install, dirs.user);
    EXPECT_EQ(frisch, g_gesehen.gespeichert);
    EXPECT_NE(frisch.find("KURZNAME \"Kap, \"\"Nord\"\"\""), std::string::npos);
    EXPECT_NE(frisch.find("M\xfcller%"), std::string::npos);
    const std::string team_cfg = std::string(Dirs_Get(DIR_USER_CONFIG)) + "/0_team.cfg";
    std::vector<uint8_t> daten;
    ASSERT_TRUE(Plat_Read_All(team_cfg.c_str(), daten));
    const std::string text(daten.begin(), daten.end());
    EXPECT_NE(text.find("KURZNAME \"Kap, \"\"Nord\"\"\""), std::string::npos);
    uint8_t voll = 0;
    ASSERT_TRUE(Team(0) && Spieler(0, &voll));
    EXPECT_STREQ(Spieler_String(SPS_NAME_FELD, g_gesehen.spieler, 0, 0), "M\xfcller%");
    EXPECT_EQ(Spieler_Wert(SPW_DATEI_NUMMER, g_gesehen.spieler, 0, OP_LESEN), 7);
    EXPECT_EQ(Spieler_Wert(SPW_WERT55, g_gesehen.spieler, 0, OP_LESEN), 150);

}

struct SeiteGesehen {
    EditorWappenStand offen, raster, nach_rechts, kapazitaet;
    int32_t club = -1, wappen_vorher = -1, trikot_vorher = -1;
    std::string stadion, stadt;
    int32_t sitze = -1, steh = -1;
};
SeiteGesehen g_seite;

// The club page: the crest stepped, the kit grid opened and left with a right click, a
// capacity beyond the file's limit typed, then Tab to the city.
TEST_F(EditorScreen, TheClubPageStepsPicksAndTakesTypedClubData) {
    g_seite = SeiteGesehen{};
    std::vector<Schritt>& s = skript;
    Klick(s, EDITOR_KNOPF_X, EDITOR_KNOPF_Y);
    Klick(s, 355, Zeile_Y(0));                     // the first club's crest column
    s.push_back({2, -100, -100, 0, false, 0, [] {
        g_seite.offen = Editor_Wappen_Stand();
        g_seite.club = g_seite.offen.team;
    }});
    Klick(s, 110, 142);                            // crest: next
    Klick(s, 320, 142);                            // kit 1: the grid
    Foto(s, 500, 300);                             // 0: the kit grid
    s.push_back({2, -100, -100, 0, false, 0, [] { g_seite.raster = Editor_Wappen_Stand(); }});
    Klick(s, 500, 300, 2);                         // a right click closes it, nothing chosen
    Klick(s, 170, 142);                            // the crest grid
    s.push_back({2, -100, -100, 0, false, 0, [] {
        g_seite.wappen_vorher = Team_Wert(TW_WAPPEN, g_seite.club, 0, OP_LESEN);
        g_seite.trikot_vorher = Team_Get_TrikotNr(g_seite.club, 0);
    }});
    Foto(s, 300, 300);                             // 1: the crest grid
    Klick(s, 300, 300, 2);
    s.push_back({2, -100, -100, 0, false, 0, [] { g_seite.nach_rechts = Editor_Wappen_Stand(); }});
    Klick(s, 500, 170);                            // the capacity
    Tippen(s, "999999");
    Taste(s, VK_TAB);                              // the city
    s.push_back({2, -100, -100, 0, false, 0, [] { g_seite.kapazitaet = Editor_Wappen_Stand(); }});
    Tippen(s, "Ostwik");
    Taste(s, VK_RETURN);
    Klick(s, 200, 214);                            // the stadium's name
    Tippen(s, "Am Wall");
    Taste(s, VK_RETURN);
    Foto(s, 20, 590);                              // 2: the page with its data
    s.push_back({2, -100, -100, 0, false, 0, [] {
        g_seite.stadt = Team_String(TS_STADT, g_seite.club, 0, 0);
        g_seite.stadion = Team_String(TS_STADION_NAME, g_seite.club, 0, 0);
        if (const StadionVorgabe* v = Team_Stadion_Vorgabe(g_seite.club)) {
            g_seite.sitze = v->sitze;
            g_seite.steh = v->stehplaetze;
        }
    }});
    Klick(s, 695, 91);                             // close
    g_gespeichert.clear();
    Speichern(s);
    ASSERT_TRUE(Spielen());
    // The saved club data as a fresh process reads it.
    const std::string frisch = Frisch_Gelesen(dirs.install, dirs.user);
    EXPECT_EQ(frisch, g_gespeichert);
    for (const char* wert : {"Ostwik", "Am Wall", "200000"}) EXPECT_NE(frisch.find(wert), std::string::npos) << wert;

    ASSERT_GE(g_seite.club, 0);
    EXPECT_EQ(g_seite.raster.spalte, 1);
    EXPECT_TRUE(g_seite.raster.raster);
    EXPECT_EQ(g_seite.raster.wert[0], Editor_Wappen_Schritt(g_seite.offen.wert[0], 1));
    EXPECT_FALSE(g_seite.nach_rechts.raster);
    EXPECT_EQ(g_seite.nach_rechts.wert[0], g_seite.wappen_vorher);
    EXPECT_EQ(g_seite.nach_rechts.wert[1], g_seite.trikot_vorher);
    EXPECT_EQ(g_seite.kapazitaet.edit_feld, TS_STADT);
    EXPECT_EQ(g_seite.sitze, 200000);
    EXPECT_EQ(g_seite.steh, 0);
    EXPECT_EQ(g_seite.stadt, "Ostwik");
    EXPECT_EQ(g_seite.stadion, "Am Wall");
    EXPECT_FALSE(Editor_Wappen_Offen());
    EXPECT_EQ(Vergleichen("editor_trikot_raster", 0), "");
    EXPECT_EQ(Vergleichen("editor_wappen_raster", 1), "");
    EXPECT_EQ(Vergleichen("editor_verein", 2), "");
}

struct PickerGesehen {
    EditorAussehenStand offen, raster, gewaehlt;
    int32_t code_danach = 0;
    bool zu = false;
};
PickerGesehen g_picker;

// The face picker: part 3 stepped, its grid opened and a face picked from it, then closed.
TEST_F(EditorScreen, TheFacePickerStepsAPartAndPicksFromItsGrid) {
    g_picker = PickerGesehen{};
    std::vector<Schritt>& s = skript;
    Klick(s, EDITOR_KNOPF_X, EDITOR_KNOPF_Y);
    Klick(s, 766, Zeile_Y(0));                     // the first player's portrait column
    s.push_back({2, -100, -100, 0, false, 0, [] { g_picker.offen = Editor_Aussehen_Stand(); }});
    Klick(s, 611, 60);                             // part 3: "+"
    Klick(s, 636, 60);                             // its grid
    s.push_back({2, -100, -100, 0, false, 0, [] { g_picker.raster = Editor_Aussehen_Stand(); }});
    Foto(s, 300, 300);                             // 0: the picker with the grid of part 3
    Klick(s, 300, 300);                            // row 1, column 2: face 9 of the page
    s.push_back({2, -100, -100, 0, false, 0, [] { g_picker.gewaehlt = Editor_Aussehen_Stand(); }});
    Klick(s, 696, 64);                             // close
    s.push_back({2, -100, -100, 0, false, 0, [] {
        g_picker.zu = !Editor_Aussehen_Offen();
        g_picker.code_danach = Spieler_Wert(SPW_AUSSEHEN, g_picker.offen.spieler, 0, OP_LESEN);
    }});
    g_gespeichert.clear();
    Speichern(s);
    ASSERT_TRUE(Spielen());
    EXPECT_EQ(Frisch_Gelesen(dirs.install, dirs.user), g_gespeichert);   // the face and its colours come back

    ASSERT_GE(g_picker.offen.spieler, 0);
    const uint32_t anfang = g_picker.offen.anfang;
    EXPECT_EQ(g_picker.raster.raster_teil, 3);
    EXPECT_EQ(g_picker.raster.code, Editor_Aussehen_Schritt(anfang, 3, 1));
    EXPECT_EQ(g_picker.raster.raster_zellen, std::min(Editor_Aussehen_Wahlen(anfang, 3), 28));
    EXPECT_EQ(g_picker.gewaehlt.raster_teil, -1);
    EXPECT_EQ(Editor_Aussehen_Teil(g_picker.gewaehlt.code, 3), 9);
    EXPECT_TRUE(g_picker.zu);
    EXPECT_EQ(uint32_t(g_picker.code_danach), g_picker.gewaehlt.code);
    EXPECT_EQ(Vergleichen("editor_gesicht_raster", 0), "");
}

struct NationGesehen {
    int32_t spieler = -1, land = -1, nation = -1;
    bool offen = false, zu = false;
};
NationGesehen g_nation;

// The nation chooser: onto the first continent, its second country clicked, a right click closes.
TEST_F(EditorScreen, TheNationChooserSetsTheCountryClicked) {
    g_nation = NationGesehen{};
    std::vector<Schritt>& s = skript;
    Klick(s, EDITOR_KNOPF_X, EDITOR_KNOPF_Y);
    Klick(s, 720, Zeile_Y(0));                     // the first player's nation column
    s.push_back({4, 380, 132, 0});                 // onto the first continent
    s.push_back({2, 560, 132, 0, false, 0, [] {
        g_nation.offen = Editor_Nation_Offen();
        const std::vector<int32_t> k = Editor_Nation_Kontinente(0);
        if (!k.empty() && Editor_Nation_Laender(k[0]).size() > 1) g_nation.land = Editor_Nation_Laender(k[0])[1];
    }});
    Foto(s, 560, 154);                             // 0: the chooser open
    Klick(s, 560, 154);                            // its second country
    s.push_back({2, -100, -100, 0, false, 0, [] {
        int32_t zeilen[EDITOR_ZEILEN_SICHTBAR];
        std::vector<int32_t> liste = Editor_Teamliste();
        Editor_Teamliste_Sortieren(liste, EDITOR_NAME_AUF);
        Editor_Zeilen(Editor_Spielerliste(liste[0]), 0, zeilen);
        g_nation.spieler = zeilen[0];
        g_nation.nation = Spieler_Wert(SPW_NATION, zeilen[0], 0, OP_LESEN);
    }});
    Klick(s, 560, 132, 2);
    s.push_back({2, -100, -100, 0, false, 0, [] { g_nation.zu = !Editor_Nation_Offen(); }});
    g_gespeichert.clear();
    Speichern(s);
    ASSERT_TRUE(Spielen());
    EXPECT_EQ(Frisch_Gelesen(dirs.install, dirs.user), g_gespeichert);   // the nation comes back

    EXPECT_TRUE(g_nation.offen);
    ASSERT_GE(g_nation.land, 0);
    EXPECT_EQ(g_nation.nation, g_nation.land);
    EXPECT_TRUE(g_nation.zu);
    EXPECT_EQ(Vergleichen("editor_nation_wahl", 0), "");
}

struct ZugGesehen {
    int32_t a = -1, b = -1, slot_a = -1, slot_b = -1, slot_a_nach = -1, slot_b_nach = -1;
    int32_t club_a = -1, club_b = -1, fremd = -1, eigen = -1, fremd_nach = -1, eigen_nach = -1;
    int32_t sterne = -1, max = -1, sterne_nach = -1, sterne_zurueck = -1;
};
ZugGesehen g_zug;

std::vector<int32_t> Kader_Von_Zeile(int32_t zeile) {
    std::vector<int32_t> liste = Editor_Teamliste();
    Editor_Teamliste_Sortieren(liste, EDITOR_NAME_AUF);
    return Editor_Spielerliste(liste[size_t(zeile)]);
}

// The move column swaps two players' line-up slots in one club and two players
// between two clubs; the arrow key steps the strength being edited.
TEST_F(EditorScreen, TheMoveColumnSwapsPlayersAndTheArrowStepsTheStrength) {
    g_zug = ZugGesehen{};
    std::vector<Schritt>& s = skript;
    Klick(s, EDITOR_KNOPF_X, EDITOR_KNOPF_Y);
    s.push_back({2, -100, -100, 0, false, 0, [] {
        const std::vector<int32_t> k = Kader_Von_Zeile(0);
        g_zug.a = k[0];
        g_zug.b = k[1];
        g_zug.slot_a = Spieler_Wert(SPW_SLOT, k[0], 0, OP_LESEN);
        g_zug.slot_b = Spieler_Wert(SPW_SLOT, k[1], 0, OP_LESEN);
    }});
    Klick(s, 389, Zeile_Y(0), 2);
    Klick(s, 389, Zeile_Y(1));
    s.push_back({2, -100, -100, 0, false, 0, [] {
        g_zug.slot_a_nach = Spieler_Wert(SPW_SLOT, g_zug.a, 0, OP_LESEN);
        g_zug.slot_b_nach = Spieler_Wert(SPW_SLOT, g_zug.b, 0, OP_LESEN);
        g_zug.eigen = Kader_Von_Zeile(0)[2];
        g_zug.fremd = Kader_Von_Zeile(1)[2];
        std::vector<int32_t> liste = Editor_Teamliste();
        Editor_Teamliste_Sortieren(liste, EDITOR_NAME_AUF);
        g_zug.club_a = liste[0];
        g_zug.club_b = liste[1];
    }});
    Klick(s, 389, Zeile_Y(2), 2);                  // the first club's third player waits
    Klick(s, 200, Zeile_Y(1));                     // the second club
    Klick(s, 389, Zeile_Y(2));                     // its third player: the two change clubs
    s.push_back({2, -100, -100, 0, false, 0, [] {
        g_zug.eigen_nach = Spieler_Get_Team(g_zug.eigen);
        g_zug.fremd_nach = Spieler_Get_Team(g_zug.fremd);
        const int32_t p = Kader_Von_Zeile(1)[3];
        g_zug.sterne = Spieler_Wert(SPW_STERNE, p, 0, OP_LESEN);
        g_zug.max = Spieler_Wert(SPW_MAX_STERNE, p, 0, OP_LESEN);
    }});
    Klick(s, 566, Zeile_Y(3));                     // the fourth player's strength
    Taste(s, VK_UP);
    s.push_back({2, -100, -100, 0, false, 0, [] {
        g_zug.sterne_nach = Spieler_Wert(SPW_STERNE, Kader_Von_Zeile(1)[3], 0, OP_LESEN);
    }});
    Klick(s, 566, Zeile_Y(3), 2);                  // a right click inside the field steps it back
    s.push_back({2, -100, -100, 0, false, 0, [] {
        g_zug.sterne_zurueck = Spieler_Wert(SPW_STERNE, Kader_Von_Zeile(1)[3], 0, OP_LESEN);
    }});
    ASSERT_TRUE(Spielen());

    EXPECT_EQ(g_zug.slot_a_nach, g_zug.slot_b);
    EXPECT_EQ(g_zug.slot_b_nach, g_zug.slot_a);
    EXPECT_EQ(g_zug.eigen_nach, g_zug.club_b);
    EXPECT_EQ(g_zug.fremd_nach, g_zug.club_a);
    EXPECT_EQ(g_zug.sterne_nach, g_zug.sterne < g_zug.max ? g_zug.sterne + 1 : 0);
    EXPECT_EQ(g_zug.sterne_zurueck, g_zug.sterne);
}

struct EndeGesehen {
    std::string fehler;
    bool offen_nach_fehler = false, requester = false;
};
EndeGesehen g_ende;

// A save that cannot write the player file names it and keeps the editor
// open; quit ends the editing mode and the program.
TEST_F(EditorScreen, AFailedSaveNamesTheFileAndQuitEndsTheProgram) {
    g_ende = EndeGesehen{};
    std::vector<Schritt>& s = skript;
    Klick(s, EDITOR_KNOPF_X, EDITOR_KNOPF_Y);
    s.push_back({2, -100, -100, 0, false, 0, [] {
        // A directory where the player file belongs: that write fails.
        std::filesystem::create_directories(std::string(Dirs_Get(DIR_USER_CONFIG)) + "/0_spieler.cfg/x");
    }});
    Klick(s, 645, 580);
    Klick(s, JA_X, JA_Y);
    s.push_back({2, -100, -100, 0, false, 0, [] {
        g_ende.fehler = Editor_Stand().letzter_fehler;
        g_ende.offen_nach_fehler = Editor_Offen();
        g_ende.requester = Menue_Requester_Offen();
    }});
    Klick(s, 400, 300, 2);                         // the requester answered
    Klick(s, 745, 580);                            // quit: the question
    Klick(s, JA_X, JA_Y);                          // yes
    ASSERT_TRUE(Spielen());

    EXPECT_EQ(g_ende.fehler, "0_spieler.cfg");
    EXPECT_TRUE(g_ende.offen_nach_fehler);
    EXPECT_TRUE(g_ende.requester);
    EXPECT_FALSE(Editor_Offen());
    EXPECT_FALSE(Config_Modify_Aktiv());
}

}  // namespace
}  // namespace velmora::test
