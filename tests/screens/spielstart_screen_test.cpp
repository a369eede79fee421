// tests/screens/spielstart_screen_test.cpp - the start screen and the wizard
// played by mouse and keyboard as a new user would: two managers, a level,
// each manager's name, portrait, country, club and league, "Ja", the first
// manager's main screen and "Weiter" for both; the mends of the wizard.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "app/verdrahtung.h"
#include "business/bank.h"
#include "club/manager.h"
#include "club/spieler.h"
#include "club/team.h"
#include "core/dirs.h"
#include "core/hooks.h"
#include "core/prioritaeten.h"
#include "core/programm.h"
#include "core/reg.h"
#include "core/spielstand.h"
#include "gfx/bildnr_start.h"
#include "gfx/rastport.h"
#include "gfx/text_pruefung.h"
#include "gui/icon.h"
#include "gui/menue_requester.h"
#include "media/video.h"
#include "net/internet.h"
#include "net/net.h"
#include "platform/clock.h"
#include "platform/display.h"
#include "platform/files.h"
#include "screens/disk_screen.h"
#include "screens/menue_panel.h"
#include "screens/spielstart_screen.h"
#include "screens/spielstart_wahl.h"
#include "season/kalender.h"
#include "season/spielstart.h"
#include "season/wettbewerb.h"
#include "tests/support/netz_server.h"
#include "tests/support/screen_welt.h"
#include "tests/support/spielstand_umschreiben.h"

namespace velmora::test {
namespace {

struct Zug {
    int32_t team, tag;
    std::string manager;
};
std::vector<Zug> g_zuege;
// The human clubs' accounts when the game began: the balance with the
// advertising agency's fee of the first offers given back, the start money,
// the game's level.
struct Konto {
    int32_t kontostand, startgeld, level;
};
std::vector<Konto> g_konten;
bool (*g_start_frame)() = nullptr;

class SpielstartScreen : public ScreenWelt {
protected:
    void SetUp() override {
        startscreens = true;
        ScreenWelt::SetUp();
        g_zuege.clear();
        g_konten.clear();
        Kalender_Hooks().zug_beginnt.Anmelden(prio::ZUG_BEGINN_MENUE + 50, [](int32_t team) {
            g_zuege.push_back({team, Tag_Index(), Manager_Name(team)});
        }, "Beobachter");
        g_start_frame = Kalender_Hooks().spielstart_frame;
        Kalender_Hooks().spielstart_frame = [] {
            const bool laeuft = g_start_frame();
            for (int32_t i = 0, n = g_konten.empty() && laeuft ? Spielstart_Anzahl() : 0; i < n; ++i) {
                const int32_t team = Spielstart_Manager_Team(i);
                const float gebuehr = Bank_Kategorie_Summe(team, 0, BUCHUNG_WERBUNG_KOSTEN);
                g_konten.push_back({Bank_Kontostand(team, false, -1) + int32_t(gebuehr),
                                    Spielstart_Startgeld(team, Team_Spiel_Level()), Team_Spiel_Level()});
            }
            return laeuft;
        };
    }
};

// Moves onto (x, y), presses and releases there; the page then settles.
void Klick(std::vector<Schritt>& s, int32_t x, int32_t y) {
    s.push_back({2, x, y, 0});
    s.push_back({1, x, y, 1});
    s.push_back({2, x, y, 0});
}

void Tippen(std::vector<Schritt>& s, const char* text) {
    for (const char* c = text; *c; ++c) s.push_back({2, 300, 570, 0, false, uint8_t(*c)});
    s.push_back({2, 300, 570, 0, false, -VK_RETURN});
}

// The mouse moves to (x, y); a few frames later the screen is kept.
void Foto(std::vector<Schritt>& s, int32_t x = 300, int32_t y = 570) {
    s.push_back({5, x, y, 0});
    s.push_back({1, x, y, 0, true});
}

constexpr int32_t NEU_X = 425, NEU_Y = 216;
constexpr int32_t PLUS_X = 592, PLUS_Y = 270, MINUS_Y = 384;
constexpr int32_t WEITER_X = 750, WEITER_Y = 508, ZURUECK_X = 464;
constexpr int32_t JA_X = 111, JA_Y = 425, OK_X = 690, OK_Y = 421;
constexpr int32_t PANEL_WEITER_X = 752, PANEL_WEITER_Y = 583;
int32_t Zeile_Y(int32_t zeile) { return 206 + 34 * zeile; }
int32_t Level_Y(int32_t level) { return 220 + 50 * level; }
int32_t Bild_X(int32_t bild) { return 472 + 84 * (bild % 4); }
int32_t Bild_Y(int32_t bild) { return 215 + 77 * (bild / 4); }

// The level page says what a level changes (the level under the mouse, else
// the chosen one), and the row under the mouse keeps its stars.
TEST_F(SpielstartScreen, TheLevelPageSaysWhatALevelChangesAndTheHoveredRowKeepsItsStars) {
    std::vector<Schritt>& s = skript;
    s.push_back({5, 100, 100, 0});
    Klick(s, NEU_X, NEU_Y);
    Klick(s, PLUS_X, PLUS_Y);
    Klick(s, WEITER_X, WEITER_Y);
    Foto(s, 600, Level_Y(0));                  // picture 0: the easiest level under the mouse
    Foto(s, 600, Level_Y(3));                  // picture 1: "Schwer" under the mouse
    ASSERT_TRUE(Spielen());
    ASSERT_EQ(fotos.size(), 2u);
    EXPECT_EQ(Vergleichen("spielstart_level_amateur", 0), "");
    EXPECT_EQ(Vergleichen("spielstart_level_schwer", 1), "");
}

TEST_F(SpielstartScreen, ANewGameOfTwoManagersFromTheStartScreenToTheSecondDay) {
    std::vector<Schritt>& s = skript;
    s.push_back({5, 100, 100, 0});
    Foto(s);                                   // picture 0: the start screen
    Klick(s, NEU_X, NEU_Y);                    // "Neues Spiel": the count page
    Klick(s, PLUS_X, PLUS_Y);
    Klick(s, PLUS_X, PLUS_Y);
    Foto(s);                                   // picture 1: two managers
    Klick(s, WEITER_X, WEITER_Y);
    Klick(s, 600, Level_Y(2));                 // "Normal"
    Tippen(s, "Anna Lind");
    Foto(s, Bild_X(5), Bild_Y(5));             // picture 2: the portraits, one under the mouse
    Klick(s, Bild_X(1), Bild_Y(1));
    Klick(s, 600, Zeile_Y(0));                 // the first country
    Foto(s, 600, Zeile_Y(1));                  // picture 3: its clubs, the second under the mouse
    Klick(s, 600, Zeile_Y(0));                 // its strongest club
    Klick(s, 600, Zeile_Y(0));                 // its own league: the second manager's turn
    Tippen(s, "Bert Vogt");
    Klick(s, Bild_X(1), Bild_Y(1));            // taken by Anna: nothing
    Klick(s, Bild_X(2), Bild_Y(2));
    Klick(s, 600, Zeile_Y(1));                 // the second country
    Klick(s, 600, Zeile_Y(0));
    Klick(s, 600, Zeile_Y(2));                 // the second country's first league: the last question
    static std::string frage;
    s.push_back({1, 300, 300, 0, false, 0, [] { frage = Menue_Requester_Text(); }});
    Foto(s);                                   // picture 4: the last question names both managers
    Klick(s, JA_X, JA_Y);                      // "Ja": the game starts
    s.push_back({10, 300, 300, 0});
    static std::vector<bool> angesagt;
    angesagt.clear();
    auto ansage = [](std::vector<Schritt>& s) {
        s.push_back({1, 300, 300, 0, false, 0, [] { angesagt.push_back(Menue_Requester_Offen()); }});
        Klick(s, OK_X, OK_Y);                  // the message of whose turn it is, answered
    };
    Foto(s);                                   // picture 5: Anna's main screen, her turn said
    ansage(s);
    Klick(s, PANEL_WEITER_X, PANEL_WEITER_Y);  // Anna's day ends
    s.push_back({5, 300, 300, 0});
    ansage(s);                                 // Bert's turn is said
    Klick(s, PANEL_WEITER_X, PANEL_WEITER_Y);  // Bert's day ends: the day is played
    s.push_back({20, 300, 300, 0});
    ASSERT_TRUE(Spielen());
    EXPECT_EQ(angesagt, std::vector<bool>({true, true})) << "each turn of the shared machine names its manager";
    ASSERT_EQ(g_zuege.size(), 3u);
    EXPECT_EQ(g_zuege[0].manager, "Anna Lind");
    EXPECT_EQ(g_zuege[1].manager, "Bert Vogt");
    EXPECT_EQ(g_zuege[2].team, g_zuege[0].team);
    EXPECT_EQ(g_zuege[0].tag, 0);
    EXPECT_EQ(g_zuege[1].tag, 0);
    EXPECT_EQ(g_zuege[2].tag, 1);
    ASSERT_EQ(g_konten.size(), 2u);
    for (const Konto& k : g_konten) {
        EXPECT_EQ(k.kontostand, k.startgeld);
        EXPECT_EQ(k.level, 2);
    }
    EXPECT_NE(frage.find("1. Anna Lind"), std::string::npos) << frage;
    EXPECT_NE(frage.find("2. Bert Vogt"), std::string::npos) << frage;
    ASSERT_EQ(fotos.size(), 6u);
    EXPECT_EQ(Vergleichen("spielstart_start", 0), "");
    EXPECT_EQ(Vergleichen("spielstart_anzahl", 1), "");
    EXPECT_EQ(Vergleichen("spielstart_portraits", 2), "");
    EXPECT_EQ(Vergleichen("spielstart_vereine", 3), "");
    EXPECT_EQ(Vergleichen("spielstart_frage_zwei", 4), "");
    EXPECT_EQ(Vergleichen("spielstart_hauptscreen", 5), "");
}

bool Gesperrt(int32_t icon) {
    const s_icon* i = Menue_Screen_Icon_Aus_Nummer(icon);
    return i && Menue_Screen_Icon_Ist_Vorhanden(icon) && (i->Status & ICON_ST_GESPERRT);
}

bool Sichtbar(int32_t icon) {
    const s_icon* i = Menue_Screen_Icon_Aus_Nummer(icon);
    return i && Menue_Screen_Icon_Ist_Vorhanden(icon) && !(i->Status & ICON_ST_VERSTECKT);
}

// A few frames later, the action (the screen shown by then is the page's).
void Aktion(std::vector<Schritt>& s, void (*aktion)()) {
    s.push_back({3, 300, 570, 0});
    s.push_back({1, 300, 570, 0, false, 0, aktion});
}

// Clicks of a quick hand on a busy machine: the pointer arrives at a button
// with the button already down, releases in the next frame, and the next click
// follows at once, the first one on a page that has just replaced the last.
// Each counts once.
TEST_F(SpielstartScreen, QuickClicksRightAfterAPageChangeCountOnceEach) {
    std::vector<Schritt>& s = skript;
    s.push_back({5, 100, 100, 0});
    Klick(s, NEU_X, NEU_Y);
    for (const auto& [x, y] : {std::pair{PLUS_X, PLUS_Y}, {WEITER_X, WEITER_Y}, {600, Level_Y(0)}}) {
        s.push_back({1, x, y, 1});
        s.push_back({1, x, y, 0});
    }
    Aktion(s, [] {
        EXPECT_EQ(Spielstart_Anzahl(), 1);
        EXPECT_EQ(Spielstart_Seite(), 2) << "the count, then the level page were left: the first name";
    });
    ASSERT_TRUE(Spielen());
}

TEST_F(SpielstartScreen, TheWizardKeepsItsRulesOnEveryPage) {
    std::vector<Schritt>& s = skript;
    s.push_back({5, 100, 100, 0});
    Aktion(s, [] {
        EXPECT_TRUE(Gesperrt(ICON_START_LETZTES)) << "no game was saved yet";
        EXPECT_FALSE(Gesperrt(ICON_START_EDITOR));
        EXPECT_FALSE(Gesperrt(ICON_START_NEU));
    });
    Klick(s, NEU_X, NEU_Y);
    Aktion(s, [] {
        // An unset count shows its 0: the screen there is not the background.
        // Both lower buttons carry their labels; back is open.
        EXPECT_EQ(Spielstart_Anzahl(), -1);
        EXPECT_TRUE(Gesperrt(ICON_WIZARD_WEITER));
        EXPECT_FALSE(Gesperrt(ICON_WIZARD_ZURUECK));
        Rastport* hg = Menue_Get_Slave_Rastport(12000 + START_BILD_WIZARD, nullptr);
        ASSERT_NE(hg, nullptr);
        const uint16_t* p = Rastport_Pixels16(hg);
        const std::vector<uint16_t>& bild = Plat_Headless_Bild();
        int32_t anders = 0;
        for (int32_t y = 301; y < 301 + START_ZIFFER_H; ++y)
            for (int32_t x = 557; x < 557 + START_ZIFFER_B; ++x) anders += bild[size_t(y * 800 + x)] != p[y * 800 + x];
        EXPECT_GT(anders, 100);
    });
    Klick(s, ZURUECK_X, WEITER_Y);   // back from the first page: the start screen
    Aktion(s, [] { EXPECT_EQ(Spielstart_Seite(), -1); });
    Klick(s, NEU_X, NEU_Y);
    for (int32_t i = 0; i < 8; ++i) Klick(s, PLUS_X, PLUS_Y);
    Aktion(s, [] { EXPECT_EQ(Spielstart_Anzahl(), SPIELSTART_MANAGER_MAX); });
    for (int32_t i = 0; i < 7; ++i) Klick(s, PLUS_X, MINUS_Y);
    Aktion(s, [] { EXPECT_EQ(Spielstart_Anzahl(), 1); });
    Klick(s, PLUS_X, PLUS_Y);
    Klick(s, WEITER_X, WEITER_Y);
    Klick(s, 600, Level_Y(0));
    Tippen(s, "A");
    Aktion(s, [] { EXPECT_EQ(Spielstart_Seite(), 3); });
    Klick(s, ZURUECK_X, WEITER_Y);
    Klick(s, ZURUECK_X, WEITER_Y);
    Aktion(s, [] { EXPECT_EQ(Spielstart_Seite(), 1) << "back from the first manager's name: the level"; });
    Klick(s, WEITER_X, WEITER_Y);
    Tippen(s, "A");
    Klick(s, Bild_X(0), Bild_Y(0));
    Klick(s, 600, Zeile_Y(0));
    Klick(s, 600, Zeile_Y(0));
    Aktion(s, [] {
        EXPECT_EQ(Spielstart_Seite(), 6);
        EXPECT_GE(Spielstart_Wahl(0)->team, 0);
        EXPECT_GE(Spielstart_Wahl(0)->wettbewerb, 0) << "a club brings its league";
    });
    Klick(s, ZURUECK_X, WEITER_Y);
    Klick(s, ZURUECK_X, WEITER_Y);
    Klick(s, 600, Zeile_Y(1));   // another country
    Aktion(s, [] {
        EXPECT_EQ(Spielstart_Seite(), 5);
        EXPECT_EQ(Spielstart_Wahl(0)->team, -1);
        EXPECT_EQ(Spielstart_Wahl(0)->wettbewerb, -1);
        EXPECT_TRUE(Gesperrt(ICON_WIZARD_WEITER));
    });
    Klick(s, 600, Zeile_Y(0));
    Aktion(s, [] {
        // A row below the last league chooses nothing and leaves the page.
        const int32_t wettbewerb = Spielstart_Wahl(0)->wettbewerb;
        s_icon* zeile = Menue_Screen_Icon_Aus_Nummer(ICON_WIZARD_ZEILE + 5);
        ASSERT_LT(Spielstart_Ligen(nullptr), 6);
        ASSERT_NE(zeile, nullptr);
        zeile->Main_P(zeile, EV_LINKS);
        EXPECT_EQ(Spielstart_Seite(), 6);
        EXPECT_EQ(Spielstart_Wahl(0)->wettbewerb, wettbewerb);
    });
    Klick(s, WEITER_X, WEITER_Y);
    Aktion(s, [] {
        EXPECT_EQ(Spielstart_Aktuell(), 1);
        EXPECT_EQ(Spielstart_Seite(), 2);
    });
    Klick(s, ZURUECK_X, WEITER_Y);
    Aktion(s, [] {
        EXPECT_EQ(Spielstart_Aktuell(), 0) << "back from the second manager's name: the first one's league";
        EXPECT_EQ(Spielstart_Seite(), 6);
    });
    Klick(s, WEITER_X, WEITER_Y);
    Tippen(s, "B");
    // An entry beyond the count (left from a larger count) takes no portrait away.
    Aktion(s, [] { Spielstart_Wahl(2)->portrait = 1; });
    Aktion(s, [] {
        EXPECT_EQ(Spielstart_Seite(), 3);
        EXPECT_TRUE(Gesperrt(ICON_WIZARD_ZEILE + 0)) << "the first manager's portrait";
        EXPECT_FALSE(Gesperrt(ICON_WIZARD_ZEILE + 1));
    });
    Klick(s, Bild_X(0), Bild_Y(0));
    Aktion(s, [] {
        EXPECT_EQ(Spielstart_Seite(), 3) << "a portrait taken cannot be chosen";
        EXPECT_EQ(Spielstart_Wahl(1)->portrait, -1);
    });
    ASSERT_TRUE(Spielen());
}

// The page's film, where the video slots show it.
struct Rechteck {
    int32_t x, y, b, h;
    bool Schneidet(const Rechteck& o) const { return x < o.x + o.b && o.x < x + b && y < o.y + o.h && o.y < y + h; }
};
std::vector<Rechteck> Filme() {
    std::vector<Rechteck> r;
    for (int32_t i = 0; i < BINK_SLOTS; ++i)
        if (const BINK_VIDEO* v = Bink_Slot(i); v && v->slot >= 0 && v->breite < 800)
            r.push_back({v->x, v->y, v->breite, v->hoehe});
    return r;
}

// What the page film must leave free: every row, field and button shown and
// the frame of the list panel (the panel picture's rectangle); it stands
// inside the lists' bed.
void Filme_Pruefen() {
    const std::vector<Rechteck> filme = Filme();
    ASSERT_EQ(filme.size(), 1u) << "page " << Spielstart_Seite();
    const Rechteck& film = filme[0];
    std::vector<std::pair<int32_t, Rechteck>> frei;
    for (int32_t n = ICON_WIZARD_ZURUECK; n <= ICON_WIZARD_KADER; ++n) {
        const s_icon* i = Menue_Screen_Icon_Aus_Nummer(n);
        if (n != ICON_WIZARD_BALKEN && n != ICON_WIZARD_KNAUF && i && Sichtbar(n)) frei.push_back({n, {i->x, i->y, i->br, i->ho}});
    }
    const s_icon* panel = Menue_Screen_Icon_Aus_Nummer(ICON_WIZARD_PANEL);
    if (Rastport* bild = panel && Sichtbar(ICON_WIZARD_PANEL) ? Menue_Get_Slave_Rastport(panel->bild, nullptr) : nullptr)
        frei.push_back({ICON_WIZARD_PANEL, {panel->x, panel->y, int32_t(bild->width), int32_t(bild->height)}});
    for (const auto& [icon, r] : frei)
        EXPECT_FALSE(film.Schneidet(r)) << "page " << Spielstart_Seite() << ": the film over icon " << icon;
    EXPECT_TRUE(film.x > START_BETT_X && film.y > START_BETT_Y && film.x + film.b < START_BETT_X + START_BETT_B &&
                film.y + film.h < START_BETT_Y + START_BETT_H)
        << "page " << Spielstart_Seite() << ": the film beyond the bed";
}

// Every page of the wizard with its film: a long name stands whole in its
// field, no film lies over a row, a field, a button or the list's frame, no
// text runs past its field or into another (the text layer's check); each
// country shows its own crest; the last question shows the manager as he
// chose himself, under the title band he saw.
bool (*g_ohne_pruefung)() = nullptr;

TEST_F(SpielstartScreen, TheFilmsLeaveEveryPagesFieldsAndFramesFree) {
    // The text check runs on every frame, each page under its own name.
    g_ohne_pruefung = Kalender_Hooks().spielstart_frame;
    Kalender_Hooks().spielstart_frame = [] {
        Text_Pruefung_Screen(Menue_Requester_Offen() ? std::string("Wizard, letzte Frage")
                                                     : "Wizard, Seite " + std::to_string(Spielstart_Seite()));
        const bool laeuft = g_ohne_pruefung();
        Text_Pruefung_Bild_Ende();
        return laeuft;
    };
    Text_Pruefung_Starten();
    std::vector<Schritt>& s = skript;
    s.push_back({5, 100, 100, 0});
    Klick(s, NEU_X, NEU_Y);
    Klick(s, PLUS_X, PLUS_Y);
    Klick(s, WEITER_X, WEITER_Y);
    Klick(s, 600, Level_Y(2));
    for (const char* c = "Maximilian Westerh"; *c; ++c) s.push_back({2, 300, 570, 0, false, uint8_t(*c)});
    Foto(s);                                   // picture 0: the name page, a long name typed
    Aktion(s, Filme_Pruefen);
    s.push_back({2, 300, 570, 0, false, -VK_RETURN});
    Aktion(s, Filme_Pruefen);                  // the portraits (their picture is the two managers' test's)
    Klick(s, Bild_X(9), Bild_Y(9));
    Foto(s);                                   // picture 1: the countries
    Aktion(s, Filme_Pruefen);
    Klick(s, 600, Zeile_Y(0));
    Aktion(s, Filme_Pruefen);                  // the clubs
    Klick(s, 600, Zeile_Y(1));
    Foto(s);                                   // picture 2: the leagues
    Aktion(s, Filme_Pruefen);
    Klick(s, 600, Zeile_Y(0));
    Foto(s);                                   // picture 3: the last question
    Aktion(s, [] {
        // It shows the manager's chosen portrait (the tenth), not the empty picture.
        ASSERT_TRUE(Menue_Requester_Offen());
        Rastport* bild = Menue_Get_Slave_Rastport(12000 + START_BILD_PORTRAIT + 9, nullptr);
        ASSERT_NE(bild, nullptr);
        const uint16_t* p = Rastport_Pixels16(bild);
        const std::vector<uint16_t>& schirm = Plat_Headless_Bild();
        int32_t anders = 0;
        for (uint32_t y = 0; y < bild->height; ++y)
            for (uint32_t x = 0; x < bild->width; ++x) anders += schirm[(172 + y) * 800 + 131 + x] != p[y * bild->width + x];
        EXPECT_EQ(anders, 0);
    });
    ASSERT_TRUE(Spielen());
    // Every text of the pages fits its field and its window.
    for (const TextBefund& b : Text_Pruefung_Befunde())
        ADD_FAILURE() << b.screen << ": " << b.art << " \"" << b.text << "\" " << b.nachbar;
    Text_Pruefung_Beenden();
    ASSERT_EQ(fotos.size(), 4u);
    EXPECT_EQ(Vergleichen("spielstart_name", 0), "");
    EXPECT_EQ(Vergleichen("spielstart_laender", 1), "");
    EXPECT_EQ(Vergleichen("spielstart_ligen", 2), "");
    EXPECT_EQ(Vergleichen("spielstart_frage", 3), "");
}

// Without its club file no world is built: the reason shows, no new game
// can be started.
TEST_F(SpielstartScreen, AWorldThatCannotBeBuiltGreysTheNewGame) {
    std::filesystem::remove(dirs.install + "/config/0_team.cfg");
    std::vector<Schritt>& s = skript;
    s.push_back({5, 100, 100, 0});
    Aktion(s, [] {
        EXPECT_TRUE(Gesperrt(ICON_START_NEU));
        EXPECT_TRUE(Gesperrt(ICON_START_EDITOR));
        EXPECT_TRUE(Menue_Requester_Offen()) << "the missing file is named";
    });
    Klick(s, 689, 423);
    Klick(s, NEU_X, NEU_Y);
    Aktion(s, [] {
        EXPECT_EQ(Spielstart_Seite(), -1);
        EXPECT_NE(Spielstart_Welt_Fehler().find("0_team.cfg: missing"), std::string::npos) << Spielstart_Welt_Fehler();
    });
    ASSERT_TRUE(Spielen());
}

// The last game's slot holds no save game: the driver's message shows over
// the start screen, which then starts a new game as before.
TEST_F(SpielstartScreen, ALastGameThatDoesNotLoadLeavesTheStartScreenWorking) {
    Reg_Write_String("Gme", "3");
    std::ofstream(std::string(Dirs_Get(DIR_SPIELSTAND)) + "/game_3.qzv") << "kein Spielstand";
    std::vector<Schritt>& s = skript;
    s.push_back({5, 100, 100, 0});
    Aktion(s, [] { EXPECT_FALSE(Gesperrt(ICON_START_LETZTES)); });
    Klick(s, NEU_X, NEU_Y + START_PLATTE_ABSTAND);   // "Letztes Spiel"
    Aktion(s, [] {
        EXPECT_TRUE(Menue_Requester_Offen()) << "the load's message";
        EXPECT_EQ(Spielstart_Spiel_Laeuft(), 0);
    });
    Klick(s, 689, 423);   // its "OK"
    Klick(s, NEU_X, NEU_Y);
    Aktion(s, [] {
        EXPECT_FALSE(Menue_Requester_Offen());
        EXPECT_EQ(Spielstart_Seite(), 0);
        EXPECT_GT(Team_Anzahl(), 0);
    });
    ASSERT_TRUE(Spielen());
}

// The load page over the start screen leaves by Escape and by a right
// click, as its "Zurück" does: the start screen's buttons are there again.
TEST_F(SpielstartScreen, TheLoadPageOverTheStartScreenLeavesByEscapeAndByARightClick) {
    static std::vector<int32_t> seiten;
    seiten.clear();
    auto notieren = [] { seiten.push_back(Disk_Screen_Seite()); };
    std::vector<Schritt>& s = skript;
    s.push_back({5, 100, 100, 0});
    for (uint32_t knopf : {0u, 2u}) {
        Klick(s, NEU_X, NEU_Y + 2 * START_PLATTE_ABSTAND);   // "Spiel laden"
        Aktion(s, notieren);
        if (knopf) {
            s.push_back({2, 100, 100, 0});
            s.push_back({1, 100, 100, knopf});
            s.push_back({2, 100, 100, 0});
        } else {
            s.push_back({3, 300, 570, 0, false, -VK_ESCAPE});
        }
        Aktion(s, notieren);
    }
    Klick(s, NEU_X, NEU_Y);                                   // "Neues Spiel" takes clicks again
    Aktion(s, [] { seiten.push_back(Spielstart_Seite()); });
    ASSERT_TRUE(Spielen());
    EXPECT_EQ(seiten, (std::vector<int32_t>{0, -1, 0, -1, 0}));
}

// What the manager's turn showed when the game was saved, and after the load.
struct Stand {
    int32_t team = -1, tag = -1, kontostand = 0;
    std::string manager;
    bool operator==(const Stand&) const = default;
};
Stand Jetzt() {
    const int32_t team = Kalender_Aktives_Team();
    return {team, Tag_Index(), team >= 0 ? Bank_Kontostand(team, false, -1) : 0, team >= 0 ? Manager_Name(team) : ""};
}
Stand g_gespeichert, g_geladen;

// A new game of one manager, saved into slot 4 on its first day; the program
// ends after the next day.
void Neues_Spiel_Gespeichert(std::vector<Schritt>& s) {
    s.push_back({5, 100, 100, 0});
    Klick(s, NEU_X, NEU_Y);
    Klick(s, PLUS_X, PLUS_Y);
    Klick(s, WEITER_X, WEITER_Y);
    Klick(s, 600, Level_Y(3));
    Tippen(s, "Anna Lind");
    Klick(s, Bild_X(4), Bild_Y(4));
    Klick(s, 600, Zeile_Y(1));
    Klick(s, 600, Zeile_Y(2));
    Klick(s, 600, Zeile_Y(2));
    Klick(s, JA_X, JA_Y);
    Aktion(s, [] {
        g_gespeichert = Jetzt();
        K_NEUER_TAG(K_SPEICHERN, 4);
    });
    Klick(s, OK_X, OK_Y);   // "saved" answered
    Klick(s, PANEL_WEITER_X, PANEL_WEITER_Y);
    s.push_back({10, 300, 300, 0});
    Aktion(s, [] { EXPECT_EQ(Tag_Index(), 1); });
}

// The program as in a new run: the start screen, no game.
void Neu_Starten(std::vector<Schritt>& s, size_t& schritt) {
    Quit_State_Setzen(0);
    Kalender_Zuruecksetzen();
    Spielstart_Screen_Zuruecksetzen();
    Spielstart_Wahl_Leeren();
    Menue_Set_Eigenes_Team(-1);   // no club's main screen yet
    g_zuege.clear();
    s.clear();
    schritt = 0;
}

// Started again, "Letztes Spiel" brings the saved day back.
TEST_F(SpielstartScreen, TheLastGameComesBackFromTheStartScreen) {
    std::vector<Schritt>& s = skript;
    Neues_Spiel_Gespeichert(s);
    ASSERT_TRUE(Spielen());
    ASSERT_GE(g_gespeichert.team, 0);
    EXPECT_EQ(g_gespeichert.manager, "Anna Lind");
    EXPECT_EQ(Spielstand_Letzter_Holen(), 4);

    Neu_Starten(s, schritt);
    s.push_back({5, 100, 100, 0});
    Aktion(s, [] { EXPECT_FALSE(Gesperrt(ICON_START_LETZTES)); });
    Klick(s, NEU_X, NEU_Y + START_PLATTE_ABSTAND);
    s.push_back({10, 300, 300, 0});
    Aktion(s, [] { g_geladen = Jetzt(); });
    ASSERT_TRUE(Spielen());
    EXPECT_EQ(g_geladen, g_gespeichert);
}

std::vector<std::string> g_meldungen;
void (*g_meldung_weiter)(const char*) = nullptr;

// A save whose bank block fails the bank's own checks (the file sound, its
// checksums sealed again), chosen on the load page over the start screen:
// the requester names the file, the part refused and why, and the start
// screen then starts a new game as before.
TEST_F(SpielstartScreen, ASaveAModuleRefusesIsNamedOverTheStartScreen) {
    std::vector<Schritt>& s = skript;
    Neues_Spiel_Gespeichert(s);
    ASSERT_TRUE(Spielen());
    const std::string datei = std::string(Dirs_Get(DIR_SPIELSTAND)) + "/game_4.qzv";
    std::vector<uint8_t> gut, schlecht;
    ASSERT_TRUE(Plat_Read_All(datei.c_str(), gut));
    ASSERT_TRUE(Spielstand_Umschreiben(gut, "Bank", [](std::vector<uint8_t>& d) { d.resize(4); }, &schlecht));
    ASSERT_TRUE(Plat_Write_Atomic(datei.c_str(), schlecht.data(), schlecht.size()));

    Neu_Starten(s, schritt);
    g_meldungen.clear();
    g_meldung_weiter = Core_Hooks().meldung;
    Core_Hooks().meldung = [](const char* text) {
        g_meldungen.push_back(text);
        g_meldung_weiter(text);
    };
    s.push_back({5, 100, 100, 0});
    Klick(s, NEU_X, NEU_Y + 2 * START_PLATTE_ABSTAND);   // "Spiel laden"
    Klick(s, 300, 194 + 27 * 4);                         // slot 4
    Klick(s, 707, 382);                                  // "Laden"
    s.push_back({10, 300, 300, 0});
    Aktion(s, [] {
        EXPECT_TRUE(Menue_Requester_Offen()) << "the refusal is said";
        EXPECT_EQ(Spielstart_Spiel_Laeuft(), 0);
    });
    Foto(s);                                             // the refusal over the start screen
    Klick(s, 689, 423);                                  // its "OK"
    Klick(s, NEU_X, NEU_Y);
    Aktion(s, [] {
        EXPECT_FALSE(Menue_Requester_Offen());
        EXPECT_EQ(Spielstart_Seite(), 0) << "a new game starts as before";
    });
    ASSERT_TRUE(Spielen());
    Core_Hooks().meldung = g_meldung_weiter;
    ASSERT_EQ(g_meldungen.size(), 1u);
    EXPECT_NE(g_meldungen[0].find("game_4.qzv"), std::string::npos) << g_meldungen[0];
    EXPECT_NE(g_meldungen[0].find("der Teil \"Bank\" ist beschaedigt"), std::string::npos) << g_meldungen[0];
    ASSERT_EQ(fotos.size(), 1u);
    EXPECT_EQ(Vergleichen("spielstart_laden_abgelehnt", 0), "");
}

void Adresse_Tippen(std::vector<Schritt>& s, const char* text) {
    Klick(s, 549, 453);   // the address field: edit mode
    for (int32_t i = 0; i < 16; ++i) s.push_back({1, 300, 570, 0, false, -VK_BACK});
    Tippen(s, text);
}

uint32_t Oktett(int32_t i) {
    uint32_t a[4];
    Spielstart_Netz_Adresse(a);
    return a[i];
}

NetKontext* g_server = nullptr;

// The network set-up on loopback only: the switch and the roles, a broken
// address, the check, a search that finds a server listening on 127.0.0.1.
TEST_F(SpielstartScreen, TheNetworkSetUpAsksOnlyTheEnteredAddressesAndFindsAServer) {
    // A server listening on 127.0.0.1, on a port of its own (in its own network context).
    g_server = Net_Kontext_Neu();
    Net_Kontext_Setzen(g_server);
    const uint8_t lo[4] = {127, 0, 0, 1};
    Net_Bind_Adresse_Setzen(lo);
    Net_Port_Setzen(0);
    Netzwerk_Modus_Setzen(2);
    ASSERT_TRUE(Internet_Netzwerk_Start());
    const uint16_t port = Net_Server_Port();
    Net_Kontext_Setzen(nullptr);
    Net_Port_Setzen(port);

    std::vector<Schritt>& s = skript;
    s.push_back({5, 100, 100, 0});
    Aktion(s, [] {
        EXPECT_FALSE(Sichtbar(ICON_NETZ_ROLLE));
        EXPECT_FALSE(Sichtbar(ICON_NETZ_ADRESSE));
        EXPECT_EQ(Oktett(0), 192u);
        EXPECT_EQ(Oktett(3), 1u);
    });
    Klick(s, 390, 522);                        // network on: a client
    Aktion(s, [] {
        EXPECT_EQ(Netzwerk_Modus(), 1);
        for (int32_t i : {ICON_NETZ_ROLLE, ICON_NETZ_SUCHEN, ICON_NETZ_ADRESSE, ICON_NETZ_PRUEFEN}) EXPECT_TRUE(Sichtbar(i)) << i;
        for (int32_t i : {ICON_START_EDITOR, ICON_START_LADEN, ICON_START_LETZTES, ICON_NETZ_STOPP})
            EXPECT_FALSE(Sichtbar(i)) << i;
    });
    for (const char* falsch : {"1.2.3.300", "1.2.3"}) Adresse_Tippen(s, falsch);
    Aktion(s, [] { EXPECT_EQ(Oktett(0), 192u) << "a broken address leaves the address"; });
    Adresse_Tippen(s, "127.0.0.9");
    Klick(s, 395, 272);                        // check: nobody listens there
    Aktion(s, [] {
        EXPECT_EQ(Oktett(3), 9u);
        EXPECT_EQ(Spielstart_Netz_Adresse_Zustand(), 0);
    });
    Foto(s);                                   // picture 0: the network page of a client
    Adresse_Tippen(s, "127.0.0.8");
    Aktion(s, [] { EXPECT_EQ(Spielstart_Netz_Adresse_Zustand(), -1) << "a changed octet is unchecked"; });
    Klick(s, 435, 358);                        // search 127.0.0.0-254
    // Until the search has found the server (a search that never finds it
    // runs out of the script's frames).
    s.push_back({1, 300, 570, 0, false, 0, nullptr, [] { return Spielstart_Netz_Adresse_Zustand() == 1; }});
    Aktion(s, [] {
        EXPECT_EQ(Oktett(3), 1u) << "the server on 127.0.0.1 was found";
        EXPECT_EQ(Spielstart_Netz_Adresse_Zustand(), 1);
        EXPECT_FALSE(Sichtbar(ICON_NETZ_STOPP));
    });
    Klick(s, 290, 550);                        // this machine the server
    Aktion(s, [] {
        EXPECT_EQ(Netzwerk_Modus(), 2);
        EXPECT_FALSE(Sichtbar(ICON_NETZ_ADRESSE));
        EXPECT_TRUE(Sichtbar(ICON_START_LADEN));
        EXPECT_FALSE(Sichtbar(ICON_START_EDITOR));
    });
    Klick(s, 390, 522);                        // network off
    Aktion(s, [] {
        EXPECT_EQ(Netzwerk_Modus(), 0);
        EXPECT_FALSE(Sichtbar(ICON_NETZ_ROLLE));
        for (int32_t i : {ICON_START_EDITOR, ICON_START_LADEN, ICON_START_LETZTES}) EXPECT_TRUE(Sichtbar(i)) << i;
    });
    ASSERT_TRUE(Spielen());
    Net_Kontext_Loeschen(g_server);
    Net_Port_Setzen(NET_PORT_STANDARD);
    ASSERT_EQ(fotos.size(), 1u);
    EXPECT_EQ(Vergleichen("spielstart_netz", 0), "");
}

int32_t g_gast = -1;

// A server's person goes through the wizard as on one machine; when the game
// starts the machine listens, its manager plays his club and the other clubs
// are offered to the clients (his is shown to them as taken).
TEST_F(SpielstartScreen, TheServersPersonChoosesThroughTheWizardAndPlays) {
    const uint8_t lo[4] = {127, 0, 0, 1};
    Net_Bind_Adresse_Setzen(lo);
    Net_Port_Setzen(0);
    std::vector<Schritt>& s = skript;
    s.push_back({5, 100, 100, 0});
    Klick(s, 390, 522);                        // network on
    Klick(s, 290, 550);                        // this machine the server
    Klick(s, NEU_X, NEU_Y);
    Aktion(s, [] {
        EXPECT_EQ(Spielstart_Seite(), 0) << "the count of managers";
        EXPECT_FALSE(Spielstart_Spiel_Laeuft());
    });
    Klick(s, PLUS_X, PLUS_Y);
    Klick(s, WEITER_X, WEITER_Y);
    Klick(s, 600, Level_Y(2));
    Tippen(s, "Hanna Ost");
    Klick(s, Bild_X(3), Bild_Y(3));
    Klick(s, 600, Zeile_Y(0));
    Klick(s, 600, Zeile_Y(0));
    Klick(s, 600, Zeile_Y(0));                 // the last question
    Klick(s, JA_X, JA_Y);
    s.push_back({10, 300, 300, 0});
    Aktion(s, [] {
        ASSERT_TRUE(Spielstart_Spiel_Laeuft());
        EXPECT_EQ(Netzwerk_Modus(), 2);
        EXPECT_NE(Net_Server_Port(), 0) << "listening";
        const int32_t eigen = Spielstart_Manager_Team(0);
        ASSERT_GE(eigen, 0);
        EXPECT_STREQ(Manager_Name(eigen), "Hanna Ost");
        EXPECT_FALSE(Team_Client_Angeboten(eigen));
        EXPECT_FALSE(Team_Client_Nehmen(eigen, "Gast", 1));
        ASSERT_NE(Team_Startteam(eigen), nullptr);
        EXPECT_TRUE(Team_Startteam(eigen)->flags & STARTTEAM_CLIENT) << "taken, as the clients see it";
        int32_t angeboten = 0;
        for (int32_t t = 0; t < Team_Anzahl(); ++t) angeboten += t != eigen && Team_Client_Angeboten(t);
        EXPECT_GT(angeboten, 10);
        // A client takes a club of the same league.
        g_gast = -1;
        for (int32_t t = 0; t < Team_Anzahl() && g_gast < 0; ++t)
            if (Team_Client_Angeboten(t) && Team_Wert(TW_WETTBEWERB, t, 0, OP_LESEN) == Team_Wert(TW_WETTBEWERB, eigen, 0, OP_LESEN))
                g_gast = t;
        ASSERT_GE(g_gast, 0);
        ASSERT_TRUE(Team_Client_Nehmen(g_gast, "Gast Nord", 2));
        // Its account opened with the start money, as the server manager's did (less the agency's fee).
        for (const int32_t t : {eigen, g_gast}) {
            const float gebuehr = Bank_Kategorie_Summe(t, 0, BUCHUNG_WERBUNG_KOSTEN);
            EXPECT_EQ(Bank_Kontostand(t, false, -1) + int32_t(gebuehr), Spielstart_Startgeld(t, Team_Spiel_Level())) << t;
        }
    });
    Klick(s, OK_X, OK_Y);                      // the turn's message
    Klick(s, PANEL_WEITER_X, PANEL_WEITER_Y);  // the server's day ends: it waits for the client
    s.push_back({5, 300, 300, 0});
    Aktion(s, [] {
        ASSERT_NE(Menue_Panel_Hooks().warte_zeile, nullptr);
        const std::string zeile = Menue_Panel_Hooks().warte_zeile();
        EXPECT_NE(zeile.find("Warten auf Gast Nord ("), std::string::npos) << zeile;
        Menue_Panel_Notiz("Gast Nord (Test) ist fertig.");
    });
    Foto(s);                                   // picture 0: the server waits, named, with a note
    Aktion(s, [] {
        // The client's connection closes: the computer plays the club and the manager is told.
        Net_Hooks().client_getrennt(g_gast);
        EXPECT_FALSE(Team_Wert(TW_STATUS, g_gast, 0, OP_LESEN) & int32_t(TEAM_STATUS_CLIENT));
        EXPECT_EQ(std::string(Menue_Panel_Hooks().warte_zeile()).find("Gast Nord"), std::string::npos);
    });
    s.push_back({5, 300, 300, 0});
    Foto(s);                                   // picture 1: the day goes on, the drop told in the line
    ASSERT_TRUE(Spielen());
    ASSERT_FALSE(g_zuege.empty());
    EXPECT_EQ(g_zuege[0].manager, "Hanna Ost") << "the server's manager has his turn";
    ASSERT_EQ(fotos.size(), 2u);
    EXPECT_EQ(Vergleichen("netz_server_wartet", 0), "");
    EXPECT_EQ(Vergleichen("netz_server_client_weg", 1), "");
    Internet_Netzwerk_Stop();
    Netzwerk_Modus_Setzen(0);
    Net_Port_Setzen(NET_PORT_STANDARD);
}

// A network server in a process of its own, on the test's world files: it
// starts at once with a placeholder on every club; the first club offered
// is another client's. Its clock is this program's: the test hands it the
// client's (virtual) time each frame ('Z' and four bytes), so the server's
// rule for a silent connection and the client's sign of life are measured
// on one clock, however the two processes are scheduled. On 'T' it takes the
// second club offered too and says so with a byte on `antwort_fd`.
constexpr char BEFEHL_UHR = 'Z', BEFEHL_NEHMEN = 'T';
constexpr int64_t SERVER_GRENZE_S = 600;   // against a hang only: the test ends it by closing its pipe

[[noreturn]] void Netz_Server(int port_fd, int befehl_fd, int antwort_fd) {
    Spiel_Entdrahten();
    Kalender_Hooks() = KalenderHooks{};
    Kalender_Zuruecksetzen();
    Plat_Uhr_Virtuell(true, 1);
    Netz_Server_Starten(port_fd, [] {
        for (int32_t t = 0; t < Team_Anzahl(); ++t)
            if (Team_Client_Angeboten(t)) {
                Team_Client_Nehmen(t, "Andere", 0);
                return;
            }
    });
    // A connection that has not taken a club is closed after 10 s of the
    // shared clock without a request (the rule's own time).
    Net_Zeiten_Wert().leerlauf_ms = 10000;
    fcntl(befehl_fd, F_SETFL, O_NONBLOCK);
    const auto beginn = std::chrono::steady_clock::now();
    for (;;) {
        char c;
        ssize_t r;
        while ((r = read(befehl_fd, &c, 1)) == 1) {
            if (c == BEFEHL_UHR) {
                uint32_t uhr = 0;   // written with its command in one piece
                if (read(befehl_fd, &uhr, sizeof uhr) != ssize_t(sizeof uhr)) _exit(15);
                if (int32_t(uhr - Plat_Ms()) > 0) Plat_Uhr_Vorstellen(uhr - Plat_Ms());
            } else if (c == BEFEHL_NEHMEN) {
                for (int32_t t = 0, n = 0; t < Team_Anzahl(); ++t)
                    if (Team_Client_Angeboten(t) && ++n == 2) Team_Client_Nehmen(t, "Dritte", 1);
                if (write(antwort_fd, &c, 1) != 1) _exit(16);
            }
        }
        if (r == 0) _exit(0);
        if (std::chrono::steady_clock::now() - beginn > std::chrono::seconds(SERVER_GRENZE_S)) _exit(14);
        Netz_Server_Frame();
        pollfd warten{befehl_fd, POLLIN, 0};
        poll(&warten, 1, 1);   // the next frame at the next command, or after 1 ms
    }
}

int g_befehl = -1, g_antwort = -1;
int32_t g_vereine[2] = {-1, -1};
bool (*g_client_frame)() = nullptr;

// The client's clock handed to the server (unless the server was ended).
void Uhr_Senden() {
    if (g_befehl < 0) return;
    char befehl[1 + sizeof(uint32_t)] = {BEFEHL_UHR};
    const uint32_t uhr = Plat_Ms();
    std::memcpy(befehl + 1, &uhr, sizeof uhr);
    if (write(g_befehl, befehl, sizeof befehl) != ssize_t(sizeof befehl)) ADD_FAILURE() << "the server's pipe";
}

// The client's frame of the start screens, its clock handed to the server.
bool Client_Frame_Mit_Uhr() {
    const bool laeuft = g_client_frame();
    Uhr_Senden();
    return laeuft;
}

// The client's waits inside a frame hand the clock on too. The server search
// steps the shared clock on while it waits: on a loaded machine its answer
// came late, the clock stood seconds further when the frame after the join
// handed it over, and the server took the connection just joined for one
// silent since then and closed it.
void (*g_warten)() = nullptr;
void Warten_Mit_Uhr() {
    if (g_warten) g_warten();
    Uhr_Senden();
}

// A client joins through the start screen: the wizard from the manager's
// name and portrait (its person may take longer than the server's limit for a
// silent connection: the client keeps it alive), the clubs the server offers
// (another client's greyed), no league page, and a club taken meanwhile
// refused with text 143 on the club page again. When the server then goes, the
// start screen comes back, says so, and the machine is still a client.
TEST_F(SpielstartScreen, AClientJoinsThroughTheWizardAndAClubTakenMeanwhileIsRefused) {
    // A server gone early fails the test through its pipe, not by a signal.
    struct OhneSigpipe {
        void (*vorher)(int) = signal(SIGPIPE, SIG_IGN);
        ~OhneSigpipe() { signal(SIGPIPE, vorher); }
    } ohne_sigpipe;
    int p[2], b[2], a[2];
    ASSERT_EQ(pipe(p), 0);
    ASSERT_EQ(pipe(b), 0);
    ASSERT_EQ(pipe(a), 0);
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        close(p[0]);
        close(b[1]);
        close(a[0]);
        Netz_Server(p[1], b[0], a[1]);
    }
    close(p[1]);
    close(b[0]);
    close(a[1]);
    g_befehl = b[1];
    g_antwort = a[0];
    uint16_t port = 0;
    ASSERT_EQ(read(p[0], &port, sizeof port), ssize_t(sizeof port));
    close(p[0]);
    Net_Port_Setzen(port);
    Menue_Set_Eigenes_Team(-1);   // as at the program's start: no club's main screen yet
    g_client_frame = Kalender_Hooks().spielstart_frame;
    Kalender_Hooks().spielstart_frame = Client_Frame_Mit_Uhr;
    g_warten = Net_Hooks().warten;
    Net_Hooks().warten = Warten_Mit_Uhr;

    std::vector<Schritt>& s = skript;
    s.push_back({5, 100, 100, 0});
    Klick(s, 390, 522);                        // network on: a client
    Adresse_Tippen(s, "127.0.0.1");
    Klick(s, NEU_X, NEU_Y);                    // "Beitreten"
    s.push_back({3, 300, 570, 0});
    Aktion(s, [] { ASSERT_EQ(Spielstart_Seite(), 2) << "a client begins with the manager's name"; });
    Foto(s);                                   // picture 0: the name page, the server named under the summary
    // 20 s over the name, twice the server's limit for a silent connection.
    for (int32_t i = 0; i < 40; ++i) Aktion(s, [] { Plat_Sleep_Ms(500); });
    Aktion(s, [] { ASSERT_GE(Net_Server_Verbindung(), 0) << "closed while its person chose"; });
    Tippen(s, "Gast Nord");
    Klick(s, Bild_X(2), Bild_Y(2));
    Aktion(s, [] {
        EXPECT_STREQ(Spielstart_Wahl(0)->name, "Gast Nord");
        EXPECT_EQ(Spielstart_Wahl(0)->portrait, 2);
        ASSERT_EQ(Spielstart_Seite(), 4) << "then the countries";
        g_vereine[0] = g_vereine[1] = -1;
        for (int32_t t = 0, n = 0; t < Team_Startteams_Anzahl() && n < 2; ++t)
            if (const StartTeam* e = Team_Startteam(t); e && e->team == t) g_vereine[n++] = t;
        ASSERT_GE(g_vereine[1], 0);
        EXPECT_TRUE(Team_Startteam(g_vereine[0])->flags & STARTTEAM_CLIENT);
        Spielstart_Wahl(0)->nation = Team_Wert(TW_NATION, g_vereine[1], 0, OP_LESEN);
        Spielstart_Seite_Wechseln(1);
    });
    Aktion(s, [] {
        ASSERT_EQ(Spielstart_Seite(), 5);
        const int32_t* liste = nullptr;
        const int32_t n = Spielstart_Vereine_Liste(&liste);
        for (int32_t i = 0; i < n; ++i) {
            ASSERT_NE(Team_Startteam(liste[i]), nullptr);
            EXPECT_EQ(Team_Startteam(liste[i])->team, liste[i]) << "offered only";
        }
        Spielstart_Wahl(0)->team = g_vereine[1];
        Spielstart_Seite_Wechseln(1);
        ASSERT_TRUE(Menue_Requester_Offen()) << "no league page: the last question";
        // The second club is taken on the server meanwhile: its word that it
        // is taken comes before the "Ja".
        const char c = BEFEHL_NEHMEN;
        ASSERT_EQ(write(g_befehl, &c, 1), 1);
        char ja = 0;
        ASSERT_EQ(read(g_antwort, &ja, 1), 1) << "the server did not take the club";
        ASSERT_EQ(ja, BEFEHL_NEHMEN);
    });
    Klick(s, JA_X, JA_Y);
    s.push_back({3, 300, 570, 0});
    Aktion(s, [] {
        ASSERT_FALSE(Spielstart_Spiel_Laeuft()) << "the club taken meanwhile is refused";
        ASSERT_EQ(Spielstart_Seite(), 5) << "one page back: the clubs";
        EXPECT_EQ(Spielstart_Wahl(0)->team, -1);
        ASSERT_NE(Team_Startteam(g_vereine[1]), nullptr);
        EXPECT_TRUE(Team_Startteam(g_vereine[1])->flags & STARTTEAM_CLIENT) << "the table fetched again";
        EXPECT_TRUE(Menue_Requester_Offen()) << "text 143";
    });
    Foto(s);                                   // picture 1: the refusal over the club page
    Klick(s, OK_X, OK_Y);
    static pid_t server_pid = -1;
    static int server_status = 0;
    server_pid = pid;
    Aktion(s, [] {
        close(g_befehl);   // the server ends
        g_befehl = -1;
        Kalender_Hooks().spielstart_frame = g_client_frame;
        ASSERT_EQ(waitpid(server_pid, &server_status, 0), server_pid);
    });
    // The client sees the connection closed in a frame of its own.
    s.push_back({1, 300, 570, 0, false, 0, nullptr, [] { return Spielstart_Seite() == -1; }});
    Aktion(s, [] {
        EXPECT_EQ(Spielstart_Seite(), -1) << "the start screen";
        EXPECT_TRUE(Menue_Requester_Offen()) << "text 146";
        EXPECT_EQ(Netzwerk_Modus(), 1) << "still a client";
        EXPECT_EQ(Net_Server_Verbindung(), -1);
    });
    Foto(s);                                   // picture 2: the lost connection told
    const bool gespielt = Spielen();
    if (g_befehl >= 0) close(g_befehl);   // a script ended early: the server ends too
    close(g_antwort);
    if (server_pid > 0 && waitpid(server_pid, &server_status, 0) == server_pid) server_pid = -1;
    ASSERT_TRUE(gespielt);
    const int status = server_status;
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    Internet_Netzwerk_Stop();
    Netzwerk_Modus_Setzen(0);
    Net_Port_Setzen(NET_PORT_STANDARD);
    Net_Zeiten_Wert() = Net_Zeiten{};
    ASSERT_EQ(fotos.size(), 3u);
    // The summary's bottom border (rows 532 and 533) runs unbroken under the
    // server's line, as it does right of it.
    for (int32_t y : {532, 533})
        for (int32_t x = 40; x < 380; ++x)
            ASSERT_EQ(fotos[0][size_t(y) * 800 + x], fotos[0][size_t(y) * 800 + 390]) << x << ", " << y;
    EXPECT_EQ(Vergleichen("spielstart_netz_name", 0), "");
    EXPECT_EQ(Vergleichen("spielstart_netz_vergeben", 1), "");
    EXPECT_EQ(Vergleichen("spielstart_netz_abgerissen", 2), "");
}

}  // namespace
}  // namespace velmora::test
