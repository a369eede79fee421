// tests/screens/editor_test.cpp - the team editor played as a new user would:
// from the start screen's editor button, a club renamed in place, a player's
// columns walked with Tab, the save answered, and the files read back.
#include <sys/resource.h>

#include <cctype>
#include <cstdio>
#include <map>
#include <filesystem>
#include <string>
#include <vector>

#include "club/club_config.h"
#include "club/spieler.h"
#include "club/team.h"
#include "club/team_suche.h"
#include "club/talente.h"
#include "gui/icon.h"
#include "screens/talent_panel.h"
#include "core/dirs.h"
#include "gui/menue.h"
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
#include "bilder/trikot.h"
#include "club/club_config.h"
#include "season/wettbewerb.h"
#include "tests/support/kasten_probe.h"
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

// A key, then frames enough for the editor's column step (at most once per 150 ms) to be ready again.
void Taste(std::vector<Schritt>& s, int32_t code, int32_t bilder = 9) { s.push_back({bilder, -100, -100, 0, false, -code}); }

// A club name of 28 characters with the file's quote and separator.
constexpr const char* CLUB_28 = "SF \"Kap, Nord\" Hohenau 1911";
constexpr const char* CLUB_28_ZEILE = "\nNAME \"SF \"\"Kap, Nord\"\" Hohenau 1911\"";

// A surname of 20 characters, typed with an umlaut and a "%" drawn as typed.
constexpr const char* NAME_20 = "M\xfcller%Oberhammersch";

void Foto(std::vector<Schritt>& s, int32_t x = 790, int32_t y = 80) {
    s.push_back({4, x, y, 0});
    s.push_back({1, x, y, 0, true});
}

// What the script saw, for the checks after the run.
struct Gesehen {
    EditorStand nach_start, nach_name, im_namen, nach_tab, nach_doppel;
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

// The records of one file of a world printed by welt_auslesen: the text after
// each line `kopf` up to the next one.
std::vector<std::string> Bloecke(const std::string& welt, const std::string& datei, const std::string& kopf) {
    std::vector<std::string> aus;
    const size_t anfang = welt.find("== " + datei + "\n");
    if (anfang == std::string::npos) return aus;
    const size_t ende = welt.find("\n== ", anfang + 1);
    const std::string teil = welt.substr(anfang, ende == std::string::npos ? std::string::npos : ende - anfang);
    for (size_t p = teil.find(kopf + "\n"); p != std::string::npos;) {
        const size_t naechster = teil.find("\n" + kopf + "\n", p + 1);
        aus.push_back(teil.substr(p, naechster == std::string::npos ? std::string::npos : naechster + 1 - p));
        p = naechster == std::string::npos ? naechster : naechster + 1;
    }
    return aus;
}

// The lines of a record that start with `wort`, in order.
std::vector<std::string> Zeilen(const std::string& block, const std::string& wort) {
    std::vector<std::string> aus;
    size_t p = 0;
    while (p < block.size()) {
        size_t e = block.find('\n', p);
        if (e == std::string::npos) e = block.size();
        const std::string z = block.substr(p, e - p);
        if (z.rfind(wort + " ", 0) == 0) aus.push_back(z);
        p = e + 1;
    }
    return aus;
}
std::string Zeile(const std::string& block, const std::string& wort) {
    const std::vector<std::string> z = Zeilen(block, wort);
    return z.empty() ? "" : z.front();
}

// The player record whose NAME line is `name`, with its index; -1 none.
int32_t Spieler_Block(const std::string& welt, const std::string& name, std::string* block) {
    const std::vector<std::string> b = Bloecke(welt, "spieler.cfg", "NEUER_SPIELER");
    for (size_t i = 0; i < b.size(); ++i)
        if (Zeile(b[i], "NAME") == "NAME \"" + name + "\"") {
            *block = b[i];
            return int32_t(i);
        }
    return -1;
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
    // The third club's name, in place: 28 characters, longer than a short name, kept whole.
    Klick(s, 80, Zeile_Y(2));
    Tippen(s, CLUB_28);
    Foto(s);                                       // 2: the name typed takes its row's room
    Taste(s, VK_RETURN);
    s.push_back({2, -100, -100, 0, false, 0, [] {
        g_gesehen.nach_name = Editor_Stand();
        g_gesehen.club_name = Team_String(TS_NAME_KURZ, g_gesehen.nach_name.club, 0, 0);
    }});
    // The first player's shirt number, then Tab through type, initial and name.
    // Two digits and a name of 20 letters are taken whole, however narrow the column.
    Klick(s, 405, Zeile_Y(0));
    Tippen(s, "12");
    Taste(s, VK_TAB);                              // the type
    Foto(s);                                       // 3: the type edited shows its short name
    Taste(s, VK_TAB);                              // the initial
    Tippen(s, "q");
    Taste(s, VK_TAB);                              // the surname
    Tippen(s, NAME_20);
    s.push_back({2, -100, -100, 0, false, 0, [] {
        g_gesehen.im_namen = Editor_Stand();
        Spieler_Wert(SPW_MAX_STERNE, Editor_Stand().edit_ziel, 12, OP_SCHREIBEN);
    }});
    Foto(s);                                       // 4: a field being edited
    Taste(s, VK_TAB);                              // the strength
    Tippen(s, "10");
    s.push_back({2, -100, -100, 0, false, 0, [] {
        g_gesehen.nach_tab = Editor_Stand();
        const int32_t p = Editor_Stand().edit_ziel;
        g_gesehen.spieler = p;
        g_gesehen.nummer = Spieler_Wert(SPW_DATEI_NUMMER, p, 0, OP_LESEN);
        g_gesehen.spieler_name = Spieler_String(SPS_NAME_FELD, p, 0, 0);
        g_gesehen.spieler_vorname = Spieler_String(SPS_VORNAME, p, 0, 0);
    }});
    Taste(s, VK_TAB, 1);                           // the maximum
    Taste(s, VK_TAB);                              // 20 ms later: dropped, the maximum stays
    s.push_back({2, -100, -100, 0, false, 0, [] { g_gesehen.nach_doppel = Editor_Stand(); }});
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
    Foto(s);                                       // 5: the success
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
    EXPECT_EQ(Vergleichen("editor_vereinsname", 2), "");
    EXPECT_EQ(Vergleichen("editor_art", 3), "");
    EXPECT_EQ(Vergleichen("editor_feld", 4), "");
    EXPECT_EQ(Vergleichen("editor_gespeichert", 5), "");

    EXPECT_GT(g_gesehen.nach_start.teams, 20);
    EXPECT_EQ(g_gesehen.nach_start.spieler, TEAM_SPIELER_MAX);
    EXPECT_FALSE(g_gesehen.nach_name.edit);
    EXPECT_EQ(g_gesehen.club_name, CLUB_28);
    EXPECT_TRUE(g_gesehen.im_namen.edit);
    EXPECT_EQ(g_gesehen.im_namen.edit_feld, EDITOR_FELD_NAME);
    EXPECT_EQ(g_gesehen.im_namen.puffer, NAME_20);
    EXPECT_EQ(g_gesehen.nach_tab.edit_feld, EDITOR_FELD_STAERKE);
    EXPECT_EQ(g_gesehen.nach_doppel.edit_feld, EDITOR_FELD_MAXIMUM) << "two Tabs within 150 ms move one column";
    EXPECT_TRUE(g_gesehen.nach_doppel.edit);
    EXPECT_EQ(g_gesehen.nummer, 12);
    EXPECT_EQ(g_gesehen.spieler_vorname, "Q.");
    EXPECT_EQ(g_gesehen.spieler_name, NAME_20);
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
    EXPECT_NE(frisch.find(CLUB_28_ZEILE), std::string::npos) << "the whole club name saved";
    std::string block;
    ASSERT_GE(Spieler_Block(frisch, NAME_20, &block), 0) << "the whole surname saved";
    EXPECT_EQ(Zeile(block, "NUMMER"), "NUMMER 12");
    EXPECT_EQ(Zeile(block, "RUECKENNUMMER"), "RUECKENNUMMER 12") << "the new game shows the number edited";
    EXPECT_EQ(Zeile(block, "STAERKE"), "STAERKE 10000");
    const std::string team_cfg = std::string(Dirs_Get(DIR_USER_CONFIG)) + "/0_team.cfg";
    std::vector<uint8_t> daten;
    ASSERT_TRUE(Plat_Read_All(team_cfg.c_str(), daten));
    const std::string text(daten.begin(), daten.end());
    EXPECT_NE(text.find(CLUB_28_ZEILE), std::string::npos);
    uint8_t voll = 0;
    ASSERT_TRUE(Team(0) && Spieler(0, &voll));
    EXPECT_STREQ(Spieler_String(SPS_NAME_FELD, g_gesehen.spieler, 0, 0), NAME_20);
    EXPECT_EQ(Spieler_Wert(SPW_DATEI_NUMMER, g_gesehen.spieler, 0, OP_LESEN), 12);
    EXPECT_EQ(Spieler_Wert(SPW_STERNE, g_gesehen.spieler, 0, OP_LESEN), 10);
    EXPECT_EQ(Spieler_Wert(SPW_WERT55, g_gesehen.spieler, 0, OP_LESEN), 150);

}

// Resting on a club row shows its help: the screen text's format filled with
// the strength's label and the club's strength, never the format itself.
std::string g_hilfe;
int32_t g_hilfe_club = -1, g_hilfe_staerke = -1;
TEST_F(EditorScreen, AClubRowsHelpNamesTheClubsStrength) {
    g_hilfe.clear();
    g_hilfe_club = g_hilfe_staerke = -1;
    std::vector<Schritt>& s = skript;
    Klick(s, EDITOR_KNOPF_X, EDITOR_KNOPF_Y);
    s.push_back({2, 80, Zeile_Y(2), 0, false, 0, [] {
        Menue_Hooks().hilfe_zeigen = [](const char* text, int32_t, int32_t) { g_hilfe = text ? text : ""; };
        int32_t zeilen[EDITOR_ZEILEN_SICHTBAR];
        std::vector<int32_t> liste = Editor_Teamliste();
        Editor_Teamliste_Sortieren(liste, EDITOR_NAME_AUF);
        Editor_Zeilen(liste, 0, zeilen);
        g_hilfe_club = zeilen[2];
        g_hilfe_staerke = g_hilfe_club >= 0 ? Team_Get_Staerke(g_hilfe_club) : -1;
    }});
    s.push_back({120, 80, Zeile_Y(2), 0});   // two seconds at rest on the row
    ASSERT_TRUE(Spielen());
    ASSERT_GE(g_hilfe_club, 0);
    EXPECT_EQ(g_hilfe, "St\xe4rke : " + std::to_string(g_hilfe_staerke));
}

// The rows of the first club's list the script edits, found when the editor is open.
struct TabelleGesehen {
    int32_t club = -1, torwart = -1, feld = -1, torwart_zeile = -1, feld_zeile = -1;
    int32_t trikot_vorher[4] = {}, trikot_nachher[4] = {};
    int32_t art_vorher = -1, art_nachher = -1;
    int32_t sterne_vorher = -1, max_vorher = -1, sterne_nachher = -1, max_nachher = -1;
    int32_t talent = -1;
    bool talent_gelernt = false, panel_offen = false;
};
TabelleGesehen g_tab;

// Aims the next `n` steps of the script at row `zeile` of the squad list.
void Zeile_Zielen(int32_t zeile, int32_t n) {
    for (size_t i = ScreenWelt::schritt; i < ScreenWelt::schritt + size_t(n) && i < ScreenWelt::skript.size(); ++i)
        ScreenWelt::skript[i].y = Zeile_Y(zeile);
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
    std::string fehler, frage;
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
    s.push_back({4, -100, -100, 0, false, 0, [] { g_ende.frage = Menue_Requester_Text(); }});
    s.push_back({1, -100, -100, 0, true});
    Klick(s, JA_X, JA_Y);                          // yes
    ASSERT_TRUE(Spielen());
    // The question says that "Ja" ends the whole program, not the editor alone.
    EXPECT_EQ(g_ende.frage, "Das Programm beenden? Ja: Editor und Programm schlie\xdf" "en, nicht Gespeichertes geht "
                            "verloren. Nein: Sie bleiben im Editor.");
    ASSERT_EQ(fotos.size(), 1u);
    EXPECT_EQ(Vergleichen("editor_beenden_frage", 0), "");

    EXPECT_EQ(g_ende.fehler, "0_spieler.cfg (Is a directory)");
    // The save wrote none of its files: no club file beside the installation's players.
    EXPECT_FALSE(std::filesystem::exists(std::string(Dirs_Get(DIR_USER_CONFIG)) + "/0_team.cfg"));
    EXPECT_TRUE(g_ende.offen_nach_fehler);
    EXPECT_TRUE(g_ende.requester);
    EXPECT_FALSE(Editor_Offen());
    EXPECT_FALSE(Config_Modify_Aktiv());
}

// The league swap is written at once; on a full disk (here a file-size limit
// below the files' size) the requester says it was not saved, as a failed
// save does, and nothing of the swap reaches the user's files. The swap stays
// on screen, for the save button to write again.
struct TauschGesehen {
    int32_t club[2] = {-1, -1}, liga[2] = {-1, -1}, liga_nach[2] = {-1, -1};
    std::string text;
    bool requester = false, datei = true;
    rlimit grenze{};
};
TauschGesehen g_tausch;

TEST_F(EditorScreen, ALeagueSwapThatFindsNoRoomSaysItWasNotSaved) {
    g_tausch = TauschGesehen{};
    std::vector<Schritt>& s = skript;
    Klick(s, EDITOR_KNOPF_X, EDITOR_KNOPF_Y);
    Klick(s, 217, 95);   // by nation, league and name: the first and the last row differ in league
    s.push_back({2, -100, -100, 0, false, 0, [] {
        int32_t zeilen[EDITOR_ZEILEN_SICHTBAR];
        std::vector<int32_t> liste = Editor_Teamliste();
        Editor_Teamliste_Sortieren(liste, EDITOR_NATION_LIGA);
        Editor_Zeilen(liste, 0, zeilen);
        for (int32_t i = 0; i < 2; ++i) {
            g_tausch.club[i] = zeilen[i == 0 ? 0 : 19];
            g_tausch.liga[i] = Team_Get_Liga(g_tausch.club[i], 1);
        }
        Plat_Dateigrenze_Ignorieren();
        getrlimit(RLIMIT_FSIZE, &g_tausch.grenze);
        const rlimit voll{1024, g_tausch.grenze.rlim_max};
        setrlimit(RLIMIT_FSIZE, &voll);
    }});
    Klick(s, 16, Zeile_Y(0), 2);
    Klick(s, 16, Zeile_Y(19));
    s.push_back({2, -100, -100, 0, false, 0, [] {
        setrlimit(RLIMIT_FSIZE, &g_tausch.grenze);
        g_tausch.requester = Menue_Requester_Offen();
        g_tausch.text = Menue_Requester_Text() ? Menue_Requester_Text() : "";
        for (int32_t i = 0; i < 2; ++i) g_tausch.liga_nach[i] = Team_Get_Liga(g_tausch.club[i], 1);
        g_tausch.datei = std::filesystem::exists(std::string(Dirs_Get(DIR_USER_CONFIG)) + "/0_wettbewerb.cfg");
    }});
    Klick(s, 400, 300, 2);   // the requester answered
    ASSERT_TRUE(Spielen());
    ASSERT_NE(g_tausch.liga[0], g_tausch.liga[1]);
    EXPECT_TRUE(g_tausch.requester);
    EXPECT_EQ(g_tausch.text.rfind("Nicht gespeichert: ", 0), 0u) << g_tausch.text;
    EXPECT_NE(g_tausch.text.find(" (File too large)"), std::string::npos) << g_tausch.text;
    EXPECT_FALSE(g_tausch.datei);
    EXPECT_EQ(g_tausch.liga_nach[0], g_tausch.liga[1]);
    EXPECT_EQ(g_tausch.liga_nach[1], g_tausch.liga[0]);
}


// The integers of a line ("TRIKOT 12, 40, 7, 0" gives 12 40 7 0).
std::vector<int32_t> Zahlen(const std::string& zeile) {
    std::vector<int32_t> aus;
    for (size_t p = 0; p < zeile.size();) {
        if (std::isdigit(uint8_t(zeile[p])) || (zeile[p] == '-' && p + 1 < zeile.size() && std::isdigit(uint8_t(zeile[p + 1])))) {
            size_t n = 0;
            aus.push_back(std::stoi(zeile.substr(p), &n));
            p += n;
        } else {
            ++p;
        }
    }
    return aus;
}

// The talent lines of a record as id -> value.
std::map<int32_t, int32_t> Talente(const std::string& block) {
    std::map<int32_t, int32_t> aus;
    for (const std::string& z : Zeilen(block, "TALENT"))
        if (const std::vector<int32_t> v = Zahlen(z); v.size() == 2) aus[v[0]] = v[1];
    return aus;
}

int32_t Wappen_Knopf_X(int32_t spalte) { return 64 + 150 * spalte + 41; }   // a column's "next" button

// One edit made through the screen, and its check on the world a fresh process
// read before and after the save.
struct Bearbeitung {
    const char* was;
    void (*schritte)(std::vector<Schritt>& s);
    void (*pruefen)(const std::string& vorher, const std::string& nachher);
};

const Bearbeitung BEARBEITUNGEN[] = {
    {"short name",
     [](std::vector<Schritt>& s) {
         Klick(s, 355, Zeile_Y(0));                 // the first club's page
         s.push_back({2, -100, -100, 0, false, 0, [] { g_tab.club = Editor_Wappen_Stand().team; }});
         Klick(s, 120, 190);                        // its short name
         Tippen(s, "Nordkap");
         Taste(s, VK_RETURN);
     },
     [](const std::string& vorher, const std::string& nachher) {
         const std::vector<std::string> v = Bloecke(vorher, "team.cfg", "NEUES_TEAM"),
                                        n = Bloecke(nachher, "team.cfg", "NEUES_TEAM");
         ASSERT_LT(size_t(g_tab.club), n.size());
         EXPECT_EQ(Zeile(n[size_t(g_tab.club)], "KUERZEL"), "KUERZEL \"Nordkap\"");
         EXPECT_NE(Zeile(v[size_t(g_tab.club)], "KUERZEL"), "KUERZEL \"Nordkap\"");
     }},
    {"three kits",
     [](std::vector<Schritt>& s) {
         s.push_back({2, -100, -100, 0, false, 0, [] {
             for (int32_t k = 0; k < 4; ++k) g_tab.trikot_vorher[k] = Team_Get_TrikotNr(g_tab.club, k);
         }});
         for (int32_t spalte = 1; spalte <= 3; ++spalte) {
             Klick(s, Wappen_Knopf_X(spalte), 142);
             s.push_back({10, -100, -100, 0});      // the buttons step at most once per 200 ms
         }
         s.push_back({2, -100, -100, 0, false, 0, [] {
             for (int32_t k = 0; k < 4; ++k) g_tab.trikot_nachher[k] = Team_Get_TrikotNr(g_tab.club, k);
         }});
         Klick(s, 695, 91);                         // close
     },
     [](const std::string& vorher, const std::string& nachher) {
         const std::vector<int32_t> v = Zahlen(Zeile(Bloecke(vorher, "team.cfg", "NEUES_TEAM")[size_t(g_tab.club)], "TRIKOT"));
         const std::vector<int32_t> n = Zahlen(Zeile(Bloecke(nachher, "team.cfg", "NEUES_TEAM")[size_t(g_tab.club)], "TRIKOT"));
         ASSERT_EQ(v.size(), 4u);
         ASSERT_EQ(n.size(), 4u);
         int32_t geaendert = 0;
         for (size_t k = 0; k < 4; ++k) {
             EXPECT_EQ(v[k], g_tab.trikot_vorher[k]) << k;
             EXPECT_EQ(n[k], g_tab.trikot_nachher[k]) << k;
             geaendert += n[k] != v[k];
         }
         EXPECT_EQ(geaendert, 3) << "each of the three kits stepped on";
     }},
    {"goalkeeper becomes a field player",
     [](std::vector<Schritt>& s) {
         s.push_back({2, -100, -100, 0, false, 0, [] {
             const std::vector<int32_t> kader = Editor_Spielerliste(g_tab.club);
             for (size_t i = 0; i < kader.size() && i < size_t(EDITOR_ZEILEN_SICHTBAR); ++i) {
                 const bool torwart = Spieler_Get_Art(kader[i]) == 0;
                 if (torwart && g_tab.torwart < 0) g_tab.torwart = kader[i], g_tab.torwart_zeile = int32_t(i);
                 if (!torwart && g_tab.feld < 0) g_tab.feld = kader[i], g_tab.feld_zeile = int32_t(i);
             }
             g_tab.art_vorher = g_tab.torwart >= 0 ? Spieler_Get_Art(g_tab.torwart) : -1;
             Zeile_Zielen(g_tab.torwart_zeile, 3);
         }});
         Klick(s, 500, 0);                          // his surname, to find his record
         Tippen(s, "Zeugwart");
         Taste(s, VK_RETURN);
         s.push_back({1, -100, -100, 0, false, 0, [] { Zeile_Zielen(g_tab.torwart_zeile, 3); }});
         Klick(s, 430, 0);                          // his type: one up
         s.push_back({2, -100, -100, 0, false, 0, [] { g_tab.art_nachher = Spieler_Get_Art(g_tab.torwart); }});
     },
     [](const std::string& vorher, const std::string& nachher) {
         ASSERT_EQ(g_tab.art_vorher, 0) << "no goalkeeper in the first club's list";
         std::string n, v;
         const int32_t i = Spieler_Block(nachher, "Zeugwart", &n);
         ASSERT_GE(i, 0);
         v = Bloecke(vorher, "spieler.cfg", "NEUER_SPIELER")[size_t(i)];
         EXPECT_EQ(Zeile(v, "ART"), "ART 0");
         EXPECT_EQ(Zeile(n, "ART"), "ART 1");
         EXPECT_EQ(g_tab.art_nachher, 1);
         // The goalkeeper's talents blocked, the field player's reset.
         const std::map<int32_t, int32_t> t = Talente(n);
         for (int32_t id = ATTRIBUT_TW_START; id <= ATTRIBUT_TW_ENDE; ++id) {
             EXPECT_TRUE(t.count(id) && t.at(id) == -1) << "talent " << id;
         }
         for (int32_t id = 0; id <= ATTRIBUT_FELD_ENDE; ++id) EXPECT_EQ(t.count(id), 0u) << "talent " << id;
     }},
    {"strength and maximum",
     [](std::vector<Schritt>& s) {
         s.push_back({1, -100, -100, 0, false, 0, [] { Zeile_Zielen(g_tab.feld_zeile, 3); }});
         Klick(s, 500, 0);                          // his surname, to find his record
         Tippen(s, "Laeufer");
         Taste(s, VK_RETURN);
         s.push_back({1, -100, -100, 0, false, 0, [] {
             g_tab.sterne_vorher = Spieler_Wert(SPW_STERNE, g_tab.feld, 0, OP_LESEN);
             g_tab.max_vorher = Spieler_Wert(SPW_MAX_STERNE, g_tab.feld, 0, OP_LESEN);
             Zeile_Zielen(g_tab.feld_zeile, 3);
         }});
         Klick(s, 565, 0);                          // the strength
         Taste(s, VK_UP, 12);
         Taste(s, VK_TAB);                          // the maximum
         Taste(s, VK_UP, 12);
         Taste(s, VK_RETURN);
         s.push_back({2, -100, -100, 0, false, 0, [] {
             g_tab.sterne_nachher = Spieler_Wert(SPW_STERNE, g_tab.feld, 0, OP_LESEN);
             g_tab.max_nachher = Spieler_Wert(SPW_MAX_STERNE, g_tab.feld, 0, OP_LESEN);
         }});
     },
     [](const std::string& vorher, const std::string& nachher) {
         std::string n;
         const int32_t i = Spieler_Block(nachher, "Laeufer", &n);
         ASSERT_GE(i, 0);
         const std::string v = Bloecke(vorher, "spieler.cfg", "NEUER_SPIELER")[size_t(i)];
         EXPECT_NE(g_tab.sterne_nachher, g_tab.sterne_vorher);
         const std::vector<int32_t> st = Zahlen(Zeile(n, "STAERKE")), mx = Zahlen(Zeile(n, "MAX_STAERKE"));
         ASSERT_EQ(st.size(), 1u);
         ASSERT_EQ(mx.size(), 1u);
         EXPECT_EQ(st[0] / 1000, g_tab.sterne_nachher);
         EXPECT_EQ(mx[0] / 1000, g_tab.max_nachher);
         EXPECT_NE(Zeile(n, "STAERKE"), Zeile(v, "STAERKE"));
     }},
    {"a talent through the talent panel",
     [](std::vector<Schritt>& s) {
         s.push_back({1, -100, -100, 0, false, 0, [] { Zeile_Zielen(g_tab.feld_zeile, 3); }});
         Klick(s, 650, 0);                          // the talent column: the panel
         s.push_back({2, -100, -100, 0, false, 0, [] {
             const s_icon* zeile = Menue_Screen_Icon_Aus_Nummer(ICON_EDITOR_KOPF + 1);
             g_tab.panel_offen = zeile != nullptr;
             if (!zeile) return;
             g_tab.talent = zeile->d;
             for (size_t i = ScreenWelt::schritt; i < ScreenWelt::schritt + 6 && i < ScreenWelt::skript.size(); ++i) {
                 ScreenWelt::skript[i].x = zeile->x + zeile->br / 2;
                 ScreenWelt::skript[i].y = zeile->y + zeile->ho / 2;
             }
         }});
         Klick(s, -100, -100);                      // the first talent of his kind
         Klick(s, -100, -100, 2);                   // a right click closes the panel
         s.push_back({2, -100, -100, 0, false, 0, [] {
             g_tab.talent_gelernt = g_tab.talent >= 0 && Attribute_Hat_Attribut(g_tab.feld, g_tab.talent);
         }});
     },
     [](const std::string& vorher, const std::string& nachher) {
         ASSERT_TRUE(g_tab.panel_offen);
         ASSERT_GE(g_tab.talent, 0);
         std::string n;
         const int32_t i = Spieler_Block(nachher, "Laeufer", &n);
         ASSERT_GE(i, 0);
         const std::map<int32_t, int32_t> t_v = Talente(Bloecke(vorher, "spieler.cfg", "NEUER_SPIELER")[size_t(i)]);
         const std::map<int32_t, int32_t> t_n = Talente(n);
         const int32_t alt = t_v.count(g_tab.talent) ? t_v.at(g_tab.talent) : 0;
         const int32_t neu = t_n.count(g_tab.talent) ? t_n.at(g_tab.talent) : 0;
         EXPECT_NE(neu, alt) << "talent " << g_tab.talent;
         if (g_tab.talent_gelernt) {
             EXPECT_GT(neu, 0);
         } else {
             EXPECT_EQ(neu, -1);
         }
     }},
};

// Each edit of the table made through the screen in one session, saved, and
// read back by a fresh process with the game's readers: the edited values
// come back as the screen left them in memory and differ from the world
// before; every other value as it was (the whole files equal the saved ones).
TEST_F(EditorScreen, EachEditOfTheTableMadeOnTheScreenReadsBackInAFreshProcess) {
    g_tab = TabelleGesehen{};
    const std::string vorher = Frisch_Gelesen(dirs.install, dirs.user);
    ASSERT_EQ(vorher.rfind("== team.cfg", 0), 0u) << vorher;
    std::vector<Schritt>& s = skript;
    Klick(s, EDITOR_KNOPF_X, EDITOR_KNOPF_Y);
    for (const Bearbeitung& b : BEARBEITUNGEN) b.schritte(s);
    g_gespeichert.clear();
    Speichern(s);
    ASSERT_TRUE(Spielen(8000));
    const std::string nachher = Frisch_Gelesen(dirs.install, dirs.user);
    EXPECT_EQ(nachher, g_gespeichert);
    for (const Bearbeitung& b : BEARBEITUNGEN) {
        SCOPED_TRACE(b.was);
        b.pruefen(vorher, nachher);
    }
}


// Escape ends a name edit and nothing else: the talent panel open beside it
// stays (while an edit runs, its keys are the edit's).
TEST_F(EditorScreen, EscapeEndsANameEditAndLeavesTheTalentPanelOpen) {
    static bool offen = false, edit = false, edit_nach = true, offen_nach = false;
    offen = edit = offen_nach = false;
    edit_nach = true;
    std::vector<Schritt>& s = skript;
    Klick(s, EDITOR_KNOPF_X, EDITOR_KNOPF_Y);
    Klick(s, 650, Zeile_Y(0));                     // the first player's talent column: the panel
    Klick(s, 500, Zeile_Y(1));                     // the second player's name: its edit
    s.push_back({2, -100, -100, 0, false, 0, [] {
        offen = Screen_Talente_2_Offen();
        edit = Editor_Stand().edit;
    }});
    Taste(s, VK_ESCAPE);
    s.push_back({2, -100, -100, 0, false, 0, [] {
        offen_nach = Screen_Talente_2_Offen();
        edit_nach = Editor_Stand().edit;
    }});
    ASSERT_TRUE(Spielen());
    ASSERT_TRUE(offen);
    ASSERT_TRUE(edit);
    EXPECT_FALSE(edit_nach) << "Escape ended the edit";
    EXPECT_TRUE(offen_nach) << "the same Escape closed the panel";
}

// The talent panel over the club rows: every point of its area (its columns
// and the strip between them) takes the pointer itself, so a click there
// never reaches the club list beneath; a right click on the strip closes it.
TEST_F(EditorScreen, TheTalentPanelTakesTheClicksOnItsWholeAreaAndNoneReachTheClubsBeneath) {
    struct Gesehen {
        int32_t club = -1, club_nach = -2;
        bool offen = false, offen_nach = false, zu_nach_rechts = false;
        int32_t punkte = 0;
        std::vector<std::string> durch;   // points the panel let through, with the icon taking them
    };
    static Gesehen g;
    g = Gesehen{};
    std::vector<Schritt>& s = skript;
    Klick(s, EDITOR_KNOPF_X, EDITOR_KNOPF_Y);
    Klick(s, 650, Zeile_Y(0));                     // the first player's talent column: the panel
    s.push_back({2, -100, -100, 0, false, 0, [] {
        g.club = Editor_Stand().club;
        g.offen = Screen_Talente_2_Offen();
        g.durch = Kasten_Durchlass(ICON_EDITOR_KOPF, ICON_EDITOR_KOPF + 1, ICON_EDITOR_KOPF + EDITOR_ZEILEN, [](int32_t n) {
            return (n >= ICON_EDITOR_KOPF && n <= ICON_EDITOR_WEITER) || n == ICON_EDITOR_FLAECHE[0] ||
                   n == ICON_EDITOR_FLAECHE[1];
        }, &g.punkte);
    }});
    Klick(s, 248, 300);                            // between the columns, over other clubs' rows
    Klick(s, 248, 200);
    s.push_back({2, -100, -100, 0, false, 0, [] {
        g.club_nach = Editor_Stand().club;
        g.offen_nach = Screen_Talente_2_Offen();
    }});
    Klick(s, 248, 300, 2);                         // a right click there closes the panel
    s.push_back({2, -100, -100, 0, false, 0, [] { g.zu_nach_rechts = !Screen_Talente_2_Offen(); }});
    ASSERT_TRUE(Spielen());
    ASSERT_TRUE(g.offen);
    EXPECT_GT(g.punkte, 40000);
    EXPECT_EQ(g.durch, std::vector<std::string>{}) << "of " << g.punkte << " points of the panel";
    EXPECT_EQ(g.club_nach, g.club) << "a click on the panel chose a club beneath it";
    EXPECT_TRUE(g.offen_nach);
    EXPECT_TRUE(g.zu_nach_rechts);
}

}  // namespace
}  // namespace velmora::test
