// tests/screens/menue_panel_test.cpp - the menu panel, the requester and the
// option bar in a running game, played by mouse as a user would.
#include <string>
#include <vector>

#include "business/bank.h"
#include "business/news.h"
#include "business/talente_screen.h"
#include "club/spieler.h"
#include "club/team.h"
#include "core/meldung.h"
#include "core/optionen.h"
#include "core/prioritaeten.h"
#include "core/programm.h"
#include "gui/icon.h"
#include "gui/menue.h"
#include "gui/menue_film.h"
#include "gui/menue_requester.h"
#include "platform/clock.h"
#include "screens/einsetzen1.h"
#include "screens/menue_optionen.h"
#include "screens/menue_panel.h"
#include "screens/platzhalter.h"
#include "screens/taktik.h"
#include "season/kalender.h"
#include "season/tabelle.h"
#include "season/wettbewerb.h"
#include "tests/support/screen_welt.h"

namespace velmora::test {
namespace {

// What the test sees at each turn: the day, the local team's league games played, its opponent.
struct Zug {
    int32_t team = -1;
    int32_t tag = -1;
    int32_t spiele = 0;
    int32_t gegner = -1;
};

struct Beobachtung {
    std::vector<Zug> zuege;
    int32_t platzhalter_knopf = -1, platzhalter_eintrag = -1;
    int32_t requester_wartend = -1;
    bool requester_offen = false;
    std::vector<int32_t> knopf_y;   // 702's y when noted
    void (*beim_ersten_zug)() = nullptr;
    int32_t quit_state = 0;
    int32_t frames = 0;
    int32_t pause = -1;
    // Per frame: the open videos, and whether the header's film is open and playing.
    std::vector<int32_t> videos;
    std::vector<int32_t> film;   // -1 none, 0 paused, 1 playing
    std::vector<bool> requester;
};
Beobachtung g_b;

int32_t Gespielt(int32_t team) {
    const int32_t liga = Team_Get_Liga(team, 1);
    TabellenPuffer t;
    const int32_t n = liga >= 0 ? Wettbewerb_Tabelle_Vorbereiten(liga, &t) : 0;
    int32_t spiele = 0;
    for (int32_t i = 0; i < n; ++i)
        if (t.zeile[i].team == team) spiele = t.zeile[i].spiele[0];
    return spiele;
}

class MenuePanel : public ScreenWelt {
protected:
    void SetUp() override {
        ScreenWelt::SetUp();
        g_b = Beobachtung{};
        Kalender_Hooks().zug_beginnt.Anmelden(prio::ZUG_BEGINN_MENUE + 50, [](int32_t team) {
            g_b.zuege.push_back({team, Tag_Index(), Gespielt(team), Menue_Lokal().gegner});
            if (g_b.zuege.size() == 1 && g_b.beim_ersten_zug) g_b.beim_ersten_zug();
        }, "Beobachter");
        // Notes the state after every frame of the screen.
        Kalender_Hooks().menue_frame.Anmelden(prio::MENUE_BILDSCHIRM + 10, [] {
            Platzhalter_Gezeigt(&g_b.platzhalter_knopf, &g_b.platzhalter_eintrag);
            g_b.requester_offen = Menue_Requester_Offen();
            g_b.requester_wartend = Menue_Requester_Wartend();
            if (const s_icon* i = Menue_Screen_Icon_Aus_Nummer(ICON_PANEL_TEAM)) g_b.knopf_y.push_back(i->y);
            g_b.quit_state = Quit_State();
            ++g_b.frames;
            g_b.pause = Menue_Icon_Zustand(ICON_OPTION_PAUSE);
            int32_t offen = 0, film = -1;
            for (int32_t i = 0; i < BINK_SLOTS; ++i)
                if (const BINK_VIDEO* v = Bink_Slot_Video(i)) {
                    ++offen;
                    if (v->x == MENUE_FILM_X && v->y == MENUE_FILM_Y) film = v->pausiert ? 0 : 1;
                }
            g_b.videos.push_back(offen);
            g_b.film.push_back(film);
            g_b.requester.push_back(g_b.requester_offen);
        }, "Beobachter");
    }
};

constexpr int32_t WEITER_X = 752, WEITER_Y = 583;
constexpr int32_t TEAM_X = 322, KNOPF_Y = 586;

// Moves onto (x, y), presses and releases there.
void Klicken(std::vector<Schritt>& s, int32_t x, int32_t y, uint32_t knopf = 1) {
    s.push_back({2, x, y, 0, false});
    s.push_back({2, x, y, knopf, false});
    s.push_back({2, x, y, 0, false});
}

TEST_F(MenuePanel, TheMainScreenShowsTheNextMatchAndTheTeamMenuSlidesUpAndBack) {
    skript = {{4, 30, 300, 0, false}, {1, 30, 300, 0, true}};   // picture 0: the main screen
    skript.push_back({30, TEAM_X, KNOPF_Y, 0, false});           // over "Mannschaft": the menu slides up
    skript.push_back({1, TEAM_X, 470, 0, true});                 // picture 1: raised, the first entry lit
    skript.push_back({30, 30, 300, 0, false});                   // the mouse leaves: it slides back
    ASSERT_TRUE(Spielen());
    ASSERT_EQ(fotos.size(), 2u);
    EXPECT_EQ(Vergleichen("menue_hauptscreen", 0), "");
    EXPECT_EQ(Vergleichen("menue_mannschaft_oben", 1), "");
    ASSERT_FALSE(g_b.zuege.empty());
    EXPECT_GE(g_b.zuege[0].gegner, 0) << "the header names the next opponent";
    // Up to the raised y, then back down to the foot.
    bool oben = false;
    for (int32_t y : g_b.knopf_y) oben = oben || y == 436;
    EXPECT_TRUE(oben);
    ASSERT_FALSE(g_b.knopf_y.empty());
    EXPECT_EQ(g_b.knopf_y.back(), PANEL_Y_UNTEN);
}

TEST_F(MenuePanel, AnEntryOfTheTeamMenuOpensItsScreen) {
    static bool taktik = false, liste_vorher = false;
    skript = {{4, 30, 300, 0, false, 0, [] { liste_vorher = E1_Screen_Offen(); }}, {30, TEAM_X, KNOPF_Y, 0, false}};
    Klicken(skript, TEAM_X, 436 + 23 + 2 * 22 + 11);   // the third entry: the tactics page
    skript.push_back({3, 30, 300, 0, false, 0, [] { taktik = Taktik_Screen_Offen(); }});
    ASSERT_TRUE(Spielen());
    EXPECT_TRUE(liste_vorher) << "a new manager starts on the line-up list";
    EXPECT_TRUE(taktik);
    EXPECT_EQ(g_b.platzhalter_knopf, -1);
}

// The talents map covers the work area above the panel; the team menu still
// rises over it, and its entry opens its screen in the map's place.
TEST_F(MenuePanel, TheTeamMenuRisesOverTheTalentsMapAndItsEntryActs) {
    static bool talente_vorher = false, talente_nachher = true, taktik = false;
    skript = {{4, 30, 300, 0, false, 0, [] {
                   int32_t spieler[TEAM_SPIELER_MAX];
                   if (Teamspieler_Ins_Array(Menue_Lokal().team, spieler, TEAM_SPIELER_MAX, 0) > 0)
                       Talente_Oeffnen(spieler[0], TALENTE_EIGENER);
               }},
              {2, 30, 300, 0, false, 0, [] { talente_vorher = Talente_Offen(); }},
              {30, TEAM_X, KNOPF_Y, 0, false},
              {1, TEAM_X, 470, 0, true}};   // picture 0: the raised menu over the map
    Klicken(skript, TEAM_X, 436 + 23 + 2 * 22 + 11);   // the third entry: the tactics page
    skript.push_back({3, 30, 300, 0, false, 0, [] {
        taktik = Taktik_Screen_Offen();
        talente_nachher = Talente_Offen();
    }});
    ASSERT_TRUE(Spielen());
    EXPECT_TRUE(talente_vorher);
    EXPECT_TRUE(taktik) << "the click reached the menu, not the map beneath it";
    EXPECT_FALSE(talente_nachher);
    ASSERT_EQ(fotos.size(), 1u);
    EXPECT_EQ(Vergleichen("menue_ueber_talenten", 0), "");
}

TEST_F(MenuePanel, ThreeDaysEndByTheContinueButton) {
    skript = {{4, 30, 300, 0, false}};
    for (int32_t k = 0; k < 3; ++k) {
        Klicken(skript, WEITER_X, WEITER_Y);
        skript.push_back({40, 30, 300, 0, false});   // the day and the match day run
    }
    ASSERT_TRUE(Spielen());
    ASSERT_GE(g_b.zuege.size(), 4u);
    for (size_t k = 1; k < 4; ++k) EXPECT_EQ(g_b.zuege[k].tag, g_b.zuege[k - 1].tag + 1) << "turn " << k;
}

// The greyed continue button shows the whole date of every weekday, the wide
// "Mo" too: seven days, on each the button greyed for a few frames and its text
// compared with the day's short date (the year cut to two digits).
struct GrauTag {
    std::string datum, gezeigt;
};
std::vector<GrauTag> g_grau;
s_icon* Weiter_Knopf() { return Menue_Screen_Icon_Aus_Nummer(ICON_WEITER); }

TEST_F(MenuePanel, TheGreyedContinueButtonShowsTheWholeDateOfEveryWeekday) {
    g_grau.clear();
    skript = {{4, 30, 300, 0, false}};
    for (int32_t k = 0; k < 7; ++k) {
        skript.push_back({3, 30, 300, 0, false, 0, [] {
            if (s_icon* i = Weiter_Knopf()) i->Status |= ICON_ST_GESPERRT;
        }});
        skript.push_back({1, 30, 300, 0, k == 6, 0, [] {
            TagDatensatz d;
            s_icon* i = Weiter_Knopf();
            if (!i || !Kalender_Tag_Datensatz(-1, &d)) return;
            std::string datum = d.text_kurz;
            if (datum.size() >= 4) datum.erase(datum.size() - 4, 2);
            const auto* t = static_cast<const s_icon_text*>(i->daten);
            g_grau.push_back({datum, t && t->text ? t->text : ""});
        }});
        skript.push_back({1, 30, 300, 0, false, 0, [] {
            if (s_icon* i = Weiter_Knopf()) i->Status &= ~ICON_ST_GESPERRT;
        }});
        Klicken(skript, WEITER_X, WEITER_Y);
        skript.push_back({40, 30, 300, 0, false});   // the day and the match day run
    }
    ASSERT_TRUE(Spielen());
    ASSERT_EQ(g_grau.size(), 7u);
    bool montag = false;
    for (const GrauTag& t : g_grau) {
        EXPECT_NE(t.gezeigt.find(t.datum), std::string::npos) << t.gezeigt << " for " << t.datum;
        montag = montag || t.datum.rfind("Mo ", 0) == 0;
    }
    EXPECT_TRUE(montag) << "a week holds a Monday";
    EXPECT_EQ(Vergleichen("menue_weiter_grau", 0), "");
}

// "Confirm the end of a turn" makes the continue button ask: "Nein" keeps the
// day, "Ja" ends it.
TEST_F(MenuePanel, ConfirmingTheEndOfATurnAsksBeforeTheDayEnds) {
    static std::vector<bool> offen;
    offen.clear();
    g_b.beim_ersten_zug = [] { Optionen(OPTION_ZUGENDE_BESTAETIGEN, 1, 1); };
    auto merken = [](std::vector<Schritt>& s) {
        s.push_back({1, 400, 300, 0, false, 0, [] { offen.push_back(Menue_Requester_Offen()); }});
    };
    skript = {{4, 30, 300, 0, false}};
    Klicken(skript, WEITER_X, WEITER_Y);
    skript.push_back({4, 400, 300, 0, false});
    merken(skript);                              // 0: the question
    Klicken(skript, 690, 421);                   // "Nein"
    skript.push_back({20, 400, 300, 0, false});
    merken(skript);                              // 1: answered, the day goes on
    Klicken(skript, WEITER_X, WEITER_Y);
    skript.push_back({4, 400, 300, 0, false});
    Klicken(skript, 111, 425);                   // "Ja"
    skript.push_back({40, 30, 300, 0, false});
    ASSERT_TRUE(Spielen());
    EXPECT_EQ(offen, std::vector<bool>({true, false}));
    ASSERT_GE(g_b.zuege.size(), 2u);
    EXPECT_EQ(g_b.zuege[1].tag, g_b.zuege[0].tag + 1) << "one day passed, after the yes";
    EXPECT_EQ(g_b.zuege.size(), 2u) << "the no ended no day";
}

// Two managers at one machine: the first one's question names the manager
// whose turn "Ja" begins, the day's last one's says that the day goes on.
class MenuePanelZweiManager : public MenuePanel {
protected:
    void SetUp() override {
        menschen = 2;
        MenuePanel::SetUp();
    }
};

TEST_F(MenuePanelZweiManager, TheTurnsQuestionSaysWhatYesDoesForThisManager) {
    static std::vector<std::string> fragen;
    static std::vector<std::string> namen;
    fragen.clear();
    namen.clear();
    g_b.beim_ersten_zug = [] { Optionen(OPTION_ZUGENDE_BESTAETIGEN, 1, 1); };
    auto merken = [](std::vector<Schritt>& s, bool foto) {
        s.push_back({1, 400, 300, 0, foto, 0, [] {
                         fragen.push_back(Menue_Requester_Text());
                         namen.push_back(Team_String(TS_MANAGER, Kalender_Naechster_Zug(), 0, OP_LESEN));
                     }});
    };
    skript = {{4, 30, 300, 0, false}};
    for (int32_t zug = 0; zug < 2; ++zug) {
        Klicken(skript, 690, 421);                   // "OK" on whose turn it is
        skript.push_back({10, 30, 300, 0, false});
        Klicken(skript, WEITER_X, WEITER_Y);
        skript.push_back({4, 400, 300, 0, false});
        merken(skript, zug == 0);                    // the question, pictured for the first manager
        Klicken(skript, 111, 425);                   // "Ja"
        skript.push_back({20, 30, 300, 0, false});
    }
    ASSERT_TRUE(Spielen());
    ASSERT_EQ(fragen.size(), 2u);
    ASSERT_GE(g_b.zuege.size(), 3u);
    EXPECT_EQ(g_b.zuege[1].tag, g_b.zuege[0].tag) << "the first yes handed the turn on";
    EXPECT_EQ(g_b.zuege[2].tag, g_b.zuege[0].tag + 1) << "the second yes ended the day";
    ASSERT_FALSE(namen[0].empty());
    EXPECT_EQ(fragen[0], "Ihren Zug beenden? Ja: " + namen[0] + " ist am Zug. Nein: Sie bleiben im Men\xfc.");
    EXPECT_EQ(fragen[1], "Ihren Zug beenden? Ja: der Tag geht weiter. Nein: Sie bleiben im Men\xfc.");
    EXPECT_EQ(Vergleichen("menue_zugende_weitergeben", 0), "");
}

// A note belongs to its game: one that came just before a game ended is not
// shown over the next game's screen for the rest of its seconds.
TEST_F(MenuePanel, ANoteOfTheGameBeforeIsNotShownInTheNext) {
    Plat_Uhr_Virtuell(true, 1);   // the note's time is the next game's first second
    Menue_Panel_Notiz("Die Verbindung zu Gast Nord ist abgerissen.");
    Menue_Set_Eigenes_Team(-1);   // the game ends
    // Picture 0 at the game's first second, picture 1 once any note's time has passed.
    skript = {{30, 30, 300, 0, false}, {1, 30, 300, 0, true}, {450, 30, 300, 0, false}, {1, 30, 300, 0, true}};
    ASSERT_TRUE(Spielen());
    ASSERT_EQ(fotos.size(), 2u);
    // The line above the buttons.
    int32_t anders = 0;
    for (int32_t y = 544; y < 564; ++y)
        for (int32_t x = 0; x < 800; ++x) anders += fotos[0][size_t(y) * 800 + x] != fotos[1][size_t(y) * 800 + x];
    EXPECT_EQ(anders, 0) << "the last game's note stands in the line";
}

// The header's badge shows the date; a day that passed shows there at a
// glance: the date changes and stands in gold for a moment.
TEST_F(MenuePanel, TheHeaderShowsTheDateAndADayThatPassedStandsOutForAMoment) {
    skript = {{4, 30, 300, 0, false}, {1, 30, 300, 0, true}};   // picture 0: the first day
    Klicken(skript, WEITER_X, WEITER_Y);
    skript.push_back({30, 30, 300, 0, false});
    skript.push_back({1, 30, 300, 0, true});                      // picture 1: the next day, just begun
    skript.push_back({200, 30, 300, 0, false});
    skript.push_back({1, 30, 300, 0, true});                      // picture 2: a few seconds later
    ASSERT_TRUE(Spielen());
    ASSERT_EQ(fotos.size(), 3u);
    ASSERT_GE(g_b.zuege.size(), 2u);
    EXPECT_EQ(g_b.zuege[1].tag, g_b.zuege[0].tag + 1);
    // The badge's text area: its gold pixels, and whether it differs between pictures.
    auto gold = [](const std::vector<uint16_t>& f) {
        int32_t n = 0;
        for (int32_t y = 8; y < 62; ++y)
            for (int32_t x = 675; x < 790; ++x) n += f[size_t(y) * 800 + x] == 0xCE07;
        return n;
    };
    auto gleich = [](const std::vector<uint16_t>& a, const std::vector<uint16_t>& b) {
        for (int32_t y = 8; y < 62; ++y)
            for (int32_t x = 675; x < 790; ++x)
                if (a[size_t(y) * 800 + x] != b[size_t(y) * 800 + x]) return false;
        return true;
    };
    EXPECT_EQ(gold(fotos[0]), 0);
    EXPECT_GT(gold(fotos[1]), 50) << "the new day stands out";
    EXPECT_EQ(gold(fotos[2]), 0) << "and settles";
    EXPECT_FALSE(gleich(fotos[0], fotos[2])) << "the date moved on";
    EXPECT_EQ(Vergleichen("menue_datum_neu", 1), "");
}

// Long club names stay on the header's plates: each line is cut before it
// would run past its plate (x 88 to 273 and 364 to 551) onto the cup, the
// crests or the bar between them; only the names' white stands there in
// their rows.
TEST_F(MenuePanel, TheHeadersLongClubNamesStayOnTheirPlates) {
    skript = {{4, 30, 300, 0, false, 0, [] {
        ASSERT_FALSE(g_b.zuege.empty());
        ASSERT_GE(g_b.zuege[0].gegner, 0);
        ASSERT_TRUE(Team_Namen_Setzen(g_b.zuege[0].team, nullptr, "Sportfreunde Grossbuch", nullptr));
        ASSERT_TRUE(Team_Namen_Setzen(g_b.zuege[0].gegner, nullptr, "Borussia Waldmuehlheim", nullptr));
    }}, {2, 30, 300, 0, true}};
    ASSERT_TRUE(Spielen());
    ASSERT_EQ(fotos.size(), 1u);
    const std::vector<uint16_t>& bild = fotos[0];
    std::string aussen;
    for (int32_t y = 8; y < 64 && aussen.empty(); ++y)
        for (int32_t x = 0; x < 643 && aussen.empty(); ++x)
            if ((x < 88 || (x > 273 && x < 364) || x > 551) && bild[size_t(y * 800 + x)] == 0xFFFF)
                aussen = std::to_string(x) + "," + std::to_string(y);
    EXPECT_EQ(aussen, "") << "a name's white beside its plate";
    EXPECT_EQ(Vergleichen("menue_lange_namen", 0), "");
}

// The footer's money: a turn begins at the balance, whatever was booked
// since the last turn; money booked while the manager watches is counted
// toward, and the count ends at the balance the screens show.
TEST_F(MenuePanel, ATurnBeginsAtTheBalanceAndMoneyBookedInItIsCountedToward) {
    struct Bild {
        size_t zug;
        int32_t stand, mittel;
    };
    static std::vector<Bild> bilder;
    bilder.clear();
    // Before the menu starts the second turn: money the day brought.
    Kalender_Hooks().zug_beginnt.Anmelden(prio::ZUG_BEGINN_MENUE - 10, [](int32_t team) {
        if (!g_b.zuege.empty()) {
            ASSERT_TRUE(Bank_Gutschrift(team, 2000000.0f, 40, -1));
        }
    }, "Tagesgeld");
    Kalender_Hooks().menue_frame.Anmelden(prio::MENUE_BILDSCHIRM + 20, [] {
        const int32_t team = Menue_Lokal().team;
        Bank_Konto k{};
        if (team < 0 || !Bank_Konto_Lesen(team, &k)) return;
        bilder.push_back({g_b.zuege.size(), Bank_Kontostand(team, false, -1), k.mittelwert});
    }, "Geld");
    skript = {{4, 30, 300, 0, false}};
    Klicken(skript, WEITER_X, WEITER_Y);
    skript.push_back({40, 30, 300, 0, false});
    skript.push_back({1, 30, 300, 0, false, 0, [] { ASSERT_TRUE(Bank_Gutschrift(Menue_Lokal().team, 500000.0f, 40, -1)); }});
    skript.push_back({200, 30, 300, 0, false});
    ASSERT_TRUE(Spielen());
    ASSERT_GE(g_b.zuege.size(), 2u);
    size_t erstes = 0, gezaehlt = 0;
    while (erstes < bilder.size() && bilder[erstes].zug < 2) ++erstes;
    ASSERT_LT(erstes, bilder.size());
    EXPECT_EQ(bilder[erstes].mittel, bilder[erstes].stand) << "the second turn's first frame shows the balance";
    for (size_t i = erstes; i < bilder.size(); ++i) gezaehlt += bilder[i].mittel != bilder[i].stand;
    EXPECT_GT(gezaehlt, 5u) << "the money booked in the turn is counted toward";
    EXPECT_EQ(bilder.back().mittel, bilder.back().stand) << "and the count ends at the balance";
}

TEST_F(MenuePanel, SystemQuitAsksAndYesEndsTheProgram) {
    skript = {{4, 30, 300, 0, false}, {30, 622, KNOPF_Y, 0, false}};
    Klicken(skript, 622, 480 + 23 + 3 * 22 + 11);   // "Beenden"
    skript.push_back({4, 400, 300, 0, false});
    skript.push_back({1, 400, 300, 0, true});        // picture 0: the question
    skript.push_back({2, 111, 425, 0, false});
    skript.push_back({2, 111, 425, 1, false});
    skript.push_back({60, 111, 425, 0, false});      // "Ja" released: the program ends at once
    int32_t bilder = 0;
    for (const Schritt& s : skript) bilder += s.bilder;
    ASSERT_TRUE(Spielen());
    ASSERT_EQ(fotos.size(), 1u);
    EXPECT_EQ(Vergleichen("menue_requester_2", 0), "");
    EXPECT_LT(g_b.frames, bilder - 50) << "the answer ended the program, not the end of the script";
    EXPECT_EQ(Kalender_Get_Runmodus(), KALENDER_AUS) << "the calendar's shutdown ran";
}

TEST_F(MenuePanel, ASecondMessageWaitsForTheFirstAndARightClickAnswers) {
    g_b.beim_ersten_zug = [] {
        Meldung("%s", "Ihr Kader ist komplett. ^c Das Training beginnt morgen um 10 Uhr (100 %).");
        Meldung("%s", "Zweite Nachricht");
    };
    skript = {{4, 400, 300, 0, false}, {1, 400, 300, 0, true}};   // picture 0: the first message
    skript.push_back({1, 400, 300, 0, false});
    skript.push_back({2, 400, 300, 2, false});       // a right click anywhere answers it
    skript.push_back({3, 400, 300, 0, false});
    ASSERT_TRUE(Spielen());
    ASSERT_EQ(fotos.size(), 1u);
    EXPECT_EQ(Vergleichen("menue_requester_1", 0), "");
    EXPECT_TRUE(g_b.requester_offen) << "the second message shows after the first";
    EXPECT_EQ(g_b.requester_wartend, 0);
}

// A message box still unanswered when the main screen is built anew (a
// client's box that came while it waited for the other managers, at its next
// turn; the same after a page window) lies over the new screen. Answered,
// the news go on: a message waiting behind it is shown. Cleared away unseen
// it counted as open, held the news check and nothing came any more.
TEST_F(MenuePanel, AMessageBoxOutlivesTheNextTurnsMainScreenAndTheNewsGoOnOnceItIsAnswered) {
    static std::vector<std::string> boxen;   // the box on the screen at each look: its text, or ""
    boxen.clear();
    auto sehen = [] {
        boxen.push_back(Menue_Screen_Icon_Ist_Vorhanden(ICON_REQUESTER_RAHMEN) ? Menue_Requester_Text() : "");
    };
    g_b.beim_ersten_zug = [] { Meldung("%s", "Eine Nachricht aus dem Warten"); };
    skript = {{4, 400, 300, 0, false}};
    // The turn ends under the box, as a client's turn had when the box came.
    skript.push_back({1, 400, 300, 0, false, 0, [] { K_NEUER_TAG(K_FERTIG, 0); }});
    skript.push_back({1, 400, 300, 0, false, 0, nullptr, [] { return g_b.zuege.size() >= 2; }});
    skript.push_back({4, 400, 300, 0, false, 0, [] {
        ASSERT_GE(g_b.zuege[1].team, 0);
        ASSERT_EQ(News_Add(-1, g_b.zuege[1].team, -1, int32_t(NEWS_NACHRICHT), nullptr, "Die Nachricht danach"), 1);
    }});
    skript.push_back({1, 400, 300, 0, false, 0, sehen});       // 0: the first box on the new screen
    skript.push_back({2, 400, 300, 2, false});                 // a right click answers it
    skript.push_back({1, 400, 300, 0, false, 0, nullptr, [] {
        return Menue_Screen_Icon_Ist_Vorhanden(ICON_REQUESTER_RAHMEN) &&
               std::string(Menue_Requester_Text()) != "Eine Nachricht aus dem Warten";
    }});
    skript.push_back({1, 400, 300, 0, false, 0, sehen});       // 1: the news' message
    EXPECT_TRUE(Spielen(3000)) << "the news' message never came";
    EXPECT_EQ(boxen, (std::vector<std::string>{"Eine Nachricht aus dem Warten", "Die Nachricht danach"}));
}

TEST_F(MenuePanel, TheHeaderPlaysTheCompetitionsFilmARequesterPausesItAndTheDaysEndClosesIt) {
    g_b.beim_ersten_zug = [] { Meldung("%s", "Eine Nachricht"); };
    skript = {{6, 400, 300, 0, false}};
    skript.push_back({2, 400, 300, 2, false});   // a right click answers the message
    skript.push_back({6, 400, 300, 0, false});
    Klicken(skript, WEITER_X, WEITER_Y);
    skript.push_back({40, 30, 300, 0, false});   // the next turn
    ASSERT_TRUE(Spielen());
    ASSERT_GE(g_b.zuege.size(), 2u);
    bool pausiert_bei_requester = false, spielt_ohne = false;
    for (size_t f = 0; f < g_b.film.size(); ++f) {
        EXPECT_LE(g_b.videos[f], 1) << "frame " << f << ": one film at a time, none left behind";
        if (g_b.requester[f] && g_b.film[f] == 0) pausiert_bei_requester = true;
        if (!g_b.requester[f] && g_b.film[f] == 1) spielt_ohne = true;
        if (g_b.requester[f]) {
            EXPECT_NE(g_b.film[f], 1) << "frame " << f << ": the film plays over the requester";
        }
    }
    EXPECT_TRUE(pausiert_bei_requester);
    EXPECT_TRUE(spielt_ohne);
    EXPECT_EQ(g_b.film.back(), 1) << "the next turn shows the film again";
}

TEST_F(MenuePanel, AQueuedVideoIsClosedOnceAtTheNextFrameNotBefore) {
    skript = {{2, 400, 300, 0, false}};
    ASSERT_TRUE(Spielen());
    Menue_Filme_Schliessen();
    BINK_VIDEO* filme[BINK_SLOTS];
    for (BINK_VIDEO*& f : filme) {
        f = Bnk_InitV(MENUE_FILM_ERSTER, BINK_RES_DATEI, 0, 0, 0, 0, BINK_DATEI, "Test", 0);
        ASSERT_NE(f, nullptr);
    }
    for (BINK_VIDEO* f : filme) Menue_Video_Freigabe_Vormerken(f);
    Menue_Video_Freigabe_Vormerken(filme[0]);   // a slot is queued once
    for (int32_t i = 0; i < BINK_SLOTS; ++i) EXPECT_NE(Bink_Slot_Video(i), nullptr) << "closed before the next frame";
    Menue_Frame();
    for (int32_t i = 0; i < BINK_SLOTS; ++i) EXPECT_EQ(Bink_Slot_Video(i), nullptr) << "slot " << i << " left open";
}

// A game let go in its middle (a client whose server is gone goes back to
// the start screens) closes the header's competition film with the menu: its
// last picture stood on the start screen, over the left floodlight.
TEST_F(MenuePanel, AGameLetGoClosesTheHeadersFilm) {
    static int32_t vorher, nachher;
    vorher = nachher = -1;
    static int32_t (*const offen)() = [] {
        int32_t n = 0;
        for (int32_t i = 0; i < BINK_SLOTS; ++i) n += Bink_Slot_Video(i) != nullptr;
        return n;
    };
    skript = {{4, 30, 300, 0, false}};
    skript.push_back({1, 30, 300, 0, false, 0, [] {
                          vorher = offen();
                          Kalender_Zum_Start();
                          nachher = offen();
                      }});
    ASSERT_TRUE(Spielen());
    ASSERT_EQ(vorher, 1) << "the header's film";
    EXPECT_EQ(nachher, 0) << "films left open";
}

TEST_F(MenuePanel, TheOptionBarShowsItsToggles) {
    Kalender_Hooks().menue_frame.Anmelden(prio::MENUE_BILDSCHIRM - 10, [] { Menue_Optionen_Screen(); }, "Optionen");
    skript = {{4, 30, 300, 0, false}};
    Klicken(skript, 169 + 25, 580);   // pause on
    skript.push_back({4, 400, 300, 0, false});
    skript.push_back({1, 400, 300, 0, true});
    ASSERT_TRUE(Spielen());
    ASSERT_EQ(fotos.size(), 1u);
    EXPECT_EQ(Vergleichen("menue_optionen", 0), "");
    EXPECT_EQ(g_b.pause, 1) << "pause switched on";
}

}  // namespace
}  // namespace velmora::test
