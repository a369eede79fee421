// tests/screens/textfelder_test.cpp - every text fits where it is drawn: the
// text layer's check runs while a running game opens every entry of the menu
// panel, the players' windows, the scout's page and the match's slider panel,
// the requesters, the match-day pages and the team editor's pages (the live
// views' plates and ticker are checked with the views), and the test lists each
// text that passes its window's edge, runs into the next column or a
// neighbouring text, runs off the plate or window it stands on, or is cut
// before its mark where it had room, with its screen.
#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "business/scout_screen.h"
#include "business/spielerliste.h"
#include "business/talente_screen.h"
#include "business/training_fenster.h"
#include "club/team.h"
#include "core/meldung.h"
#include "core/prioritaeten.h"
#include "core/programm.h"
#include "gfx/text_pruefung.h"
#include "gui/icon.h"
#include "matchview/ankuendigung.h"
#include "screens/editor.h"
#include "screens/editor_aussehen.h"
#include "screens/editor_listen.h"
#include "screens/editor_nation.h"
#include "screens/editor_wappen.h"
#include "screens/menue_panel.h"
#include "screens/regler.h"
#include "screens/spielerinfo.h"
#include "screens/talent_panel.h"
#include "season/kalender.h"
#include "season/wettbewerb.h"
#include "tests/support/ergebnisse.h"
#include "tests/support/seiten_welt.h"

namespace velmora::test {
namespace {

// Where a screen cuts or overlays a text on purpose: the screen and the text.
struct Erlaubt {
    const char* screen;
    const char* text;
};
constexpr Erlaubt ERLAUBT[] = {
    {"", ""},
};

bool Erlaubt_Ist(const TextBefund& b) {
    for (const Erlaubt& e : ERLAUBT)
        if (e.screen[0] && b.screen == e.screen && b.text == e.text) return true;
    return false;
}

void (*g_latch)() = nullptr;
void Latch_Mit_Pruefung() {
    Text_Pruefung_Bild_Ende();
    if (g_latch) g_latch();
}

class Textfelder : public SeitenWelt {
protected:
    void SetUp() override {
        SeitenWelt::SetUp();
        g_latch = Kalender_Hooks().maus_latch;
        Kalender_Hooks().maus_latch = Latch_Mit_Pruefung;
        Text_Pruefung_Starten();
    }
    void TearDown() override {
        Text_Pruefung_Beenden();
        SeitenWelt::TearDown();
    }

    // Names the screen, opens it with `oeffnen` and lets it run `bilder` frames.
    static void Zeigen(std::function<std::string()> name, std::function<void()> oeffnen, int32_t bilder = 40) {
        plan.push_back({[name, oeffnen] {
                            Text_Pruefung_Screen(name());
                            oeffnen();
                            return true;
                        },
                        1, -100, -100, 0, false, "oeffnen"});
        plan.push_back({nullptr, bilder, -100, -100, 0, false, "zeigen"});
    }

    static std::string Liste() {
        std::ostringstream s;
        for (const TextBefund& b : Text_Pruefung_Befunde()) {
            if (Erlaubt_Ist(b)) continue;
            s << "  " << b.screen << ": " << b.art << " \"" << b.text << "\"";
            if (!b.nachbar.empty()) s << " into \"" << b.nachbar << "\"";
            s << "\n";
        }
        return s.str();
    }
};

TEST_F(Textfelder, EveryPanelEntryShowsItsTextsWithinTheirFields) {
    plan.push_back({nullptr, 4, -100, -100, 0, false, "start"});
    Zeigen([] { return "Hauptscreen"; }, [] {}, 10);
    // In network play the continue button is disabled while the others play
    // their turns and shows the day instead.
    Zeigen([] { return "Hauptscreen wartend"; }, [] { Menue_Panel_Icon_Schalten(1); }, 10);
    Zeigen([] { return "Hauptscreen"; }, [] { Menue_Panel_Icon_Schalten(0); }, 1);
    for (int32_t k = 0; k < PANEL_KNOEPFE; ++k)
        for (int32_t e = 0; e < Menue_Panel_Eintraege(ICON_PANEL_TEAM + k); ++e) {
            const ScreenOeffner o = Menue_Panel_Hooks().screens[k][e];
            if (!o) continue;
            const int32_t knopf = ICON_PANEL_TEAM + k;
            Zeigen([knopf, e] {
                       return std::string(Menue_Panel_Eintrag_Text(knopf, -1)) + " / " + Menue_Panel_Eintrag_Text(knopf, e);
                   },
                   [o] { Menue_Screen_Oeffnen(o); });
        }
    ASSERT_EQ(Abspielen(), "");
    EXPECT_EQ(Liste(), "");
}

// A player of the local club by its place in the squad, and one of the market.
int32_t Eigener(int32_t i) {
    int32_t liste[TEAM_SPIELER_MAX];
    const int32_t n = Teamspieler_Ins_Array(Menue_Lokal().team, liste, TEAM_SPIELER_MAX, 0);
    return n > 0 ? liste[i % n] : -1;
}
int32_t Vom_Markt(int32_t i) {
    int32_t liste[TEAM_SPIELER_MAX];
    const int32_t n = Teamspieler_Ins_Array(Team_Markt(), liste, TEAM_SPIELER_MAX, 0);
    return n > 0 ? liste[i % n] : -1;
}

TEST_F(Textfelder, ThePlayersWindowsAndTheRequestersShowTheirTextsWithinTheirFields) {
    plan.push_back({nullptr, 4, -100, -100, 0, false, "start"});
    Zeigen([] { return "Aufstellung mit Talentliste"; }, [] {
        Menue_Screen_Oeffnen(Menue_Panel_Hooks().screens[0][0]);
        Spielerliste_Oeffnen(Eigener(3), 100, 200, Menue_Lokal().team);
    });
    for (int32_t i = 0; i < 4; ++i)
        Zeigen([i] { return "Talente " + std::to_string(i); }, [i] {
            Talente_Schliessen();
            Talente_Oeffnen(Eigener(i * 5), i % 2 ? TALENTE_ANDERER : TALENTE_EIGENER);
        });
    Zeigen([] { return "Spielerkarte"; }, [] {
        Talente_Schliessen();
        Menue_Screen_Oeffnen(Menue_Panel_Hooks().screens[0][0]);
        Spielerinfo_Oeffnen(Eigener(2), Menue_Lokal().team, KARTE_EIGENER);
    });
    Zeigen([] { return "Spielerkarte Markt"; }, [] {
        Spielerinfo_Schliessen();
        Spielerinfo_Oeffnen(Vom_Markt(3), -1, KARTE_MARKT);
    });
    Zeigen([] { return "Trainingsfenster"; }, [] {
        Spielerinfo_Schliessen();
        Menue_Screen_Oeffnen(Menue_Panel_Hooks().screens[0][4]);
        Training_Fenster_Oeffnen(Eigener(1), 2);
    });
    Zeigen([] { return "Scout"; }, [] {
        Training_Fenster_Schliessen();
        Menue_Screen_Oeffnen(Menue_Panel_Hooks().screens[0][3]);
        Scout_Screen_Oeffnen(0);
        EXPECT_TRUE(Scout_Screen_Offen());
    });
    Zeigen([] { return "Regler"; }, [] {
        Menue_Screen_Oeffnen(Menue_Panel_Hooks().screens[0][0]);
        Screen_Regler_Oeffnen();
        EXPECT_TRUE(Screen_Regler_Offen());
    });
    Zeigen([] { return "Meldung"; }, [] {
        Screen_Regler_Schliessen();
        Meldung("%s", "Ihr Kader ist komplett. Das Training beginnt morgen um 10 Uhr.");
    });
    ASSERT_EQ(Abspielen(), "");
    EXPECT_EQ(Liste(), "");
}

// Forty-five days end at once, the first league match days among them: the
// pages before the turn and the match, the goals, statistics and finance
// pages and the results and table windows, each taken away by a click.
class TextfelderTage : public Textfelder {
protected:
    void SetUp() override {
        Textfelder::SetUp();
        Kalender_Hooks().maus_latch = Klicken_Und_Benennen;
        Kalender_Hooks().menue_frame.Anmelden(prio::MENUE_BILDSCHIRM + 40, [] {
            if (Tag_Index() >= TAGE) Programm_Beenden_Anfordern();
            else K_NEUER_TAG(K_FERTIG, 0);
        }, "Zugende");
    }
    static constexpr int32_t TAGE = 45;   // the first league match day is day 39
    static inline int32_t bild = 0, letzter_tag = 0;
    static void Klicken_Und_Benennen() {
        Text_Pruefung_Bild_Ende();
        ++bild;
        letzter_tag = std::max(letzter_tag, Tag_Index());
        // A page stays a few frames before the click takes it away.
        Plat_Headless_Maus(400, 300, bild % 8 < 2 ? 1 : 0);
        Maus_Tasten_Latch();
        if (Ankuendigung_Phase_Laeuft()) Text_Pruefung_Screen("Seite " + std::to_string(Ankuendigung_Art()));
        else if (Ankuendigung_Aktiv()) Text_Pruefung_Screen("Fenster " + std::to_string(Kalender_Get_Runmodus()));
        else Text_Pruefung_Screen("Tag " + std::to_string(Tag_Index()));
    }
};

TEST_F(TextfelderTage, TheMatchDayPagesShowTheirTextsWithinTheirFields) {
    bild = letzter_tag = 0;
    EXPECT_EQ(Abspielen(30000), "");
    EXPECT_GE(letzter_tag, TAGE);
    EXPECT_EQ(Liste(), "");
}

// The team editor from the start screen: its lists, the club page, the face
// picker, the nation chooser and the talent panel.
class TextfelderEditor : public ScreenWelt {
protected:
    void SetUp() override {
        startscreens = true;
        ScreenWelt::SetUp();
        Text_Pruefung_Starten();
    }
    void TearDown() override {
        Text_Pruefung_Beenden();
        ScreenWelt::TearDown();
    }
    // Opens a page (which names itself to the check) and shows it a few
    // frames, each frame checked apart.
    static void Seite(void (*oeffnen)()) {
        skript.push_back({1, -100, -100, 0, false, 0, oeffnen});
        for (int32_t i = 0; i < 12; ++i) skript.push_back({1, 790, 590, 0, false, 0, Text_Pruefung_Bild_Ende});
    }
};

int32_t Erster_Spieler() {
    const std::vector<int32_t> kader = Editor_Spielerliste(Editor_Stand().club);
    return kader.empty() ? -1 : kader[0];
}

TEST_F(TextfelderEditor, TheTeamEditorsPagesShowTheirTextsWithinTheirFields) {
    skript = {{2, 425, 474, 0}, {1, 425, 474, 1}, {2, 425, 474, 0}};   // the start screen's editor plate
    Seite([] { Text_Pruefung_Screen("Editor"); });
    Seite([] {
        Text_Pruefung_Screen("Vereinsseite");
        Editor_Wappen_Oeffnen(Editor_Stand().club);
    });
    Seite([] {
        Editor_Wappen_Schliessen();
        Text_Pruefung_Screen("Gesicht");
        Editor_Aussehen_Oeffnen(Erster_Spieler());
    });
    Seite([] {
        Editor_Aussehen_Schliessen();
        Text_Pruefung_Screen("Nation");
        Editor_Nation_Oeffnen(Erster_Spieler());
    });
    Seite([] {
        Editor_Nation_Schliessen();
        Text_Pruefung_Screen("Talente");
        Screen_Talente_2_Oeffnen(Erster_Spieler(), 30, 100, Editor_Stand().club);
    });
    ASSERT_TRUE(Spielen());
    std::ostringstream s;
    for (const TextBefund& b : Text_Pruefung_Befunde())
        if (!Erlaubt_Ist(b)) s << "  " << b.screen << ": " << b.art << " \"" << b.text << "\" into \"" << b.nachbar << "\"\n";
    EXPECT_EQ(s.str(), "");
}

}  // namespace
}  // namespace velmora::test
