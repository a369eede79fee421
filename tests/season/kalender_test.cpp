// tests/season/kalender_test.cpp - the calendar driving whole seasons of the
// small world: dates, match days, the season change, autosaves, save and
// continue, the run modes and the client's sync.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/sim_lauf.h"
#include "app/verdrahtung.h"
#include "business/news.h"
#include "club/abgleich.h"
#include "club/club_hooks.h"
#include "club/manager.h"
#include "club/spieler.h"
#include "club/team.h"
#include "core/hooks.h"
#include "core/prioritaeten.h"
#include "core/programm.h"
#include "core/spielstand.h"
#include "platform/clock.h"
#include "season/kalender.h"
#include "season/rangliste.h"
#include "season/saison.h"
#include "season/spielplan.h"
#include "season/statistik.h"
#include "season/tabelle.h"
#include "season/wettbewerb.h"
#include "season/zeitplan.h"
#include "tests/core/temp_verz.h"
#include "tests/support/sanitizer.h"
#include "tools/ersatz_spieltag.h"

namespace velmora {
namespace {

std::vector<int32_t> autosave_tage;

// A generated small world in a temporary installation; each start binds the
// club data, the season and the runner with the quick stand-in match day,
// the calendar at the program's start.
struct KalenderWelt {
    velmora_test::TestWelt dirs;
    bool ok = false;
    explicit KalenderWelt(uint32_t seed = 3) {
        Core_Hooks().meldung = [](const char*) {};
        ok = dirs.ok && Sim_Welt_Erzeugen(dirs.install, true, seed);
        autosave_tage.clear();
    }
    ~KalenderWelt() {
        Sim_Beenden();
        Spiel_Entdrahten();
        Kalender_Hooks() = KalenderHooks{};
        Spielstand_Hooks() = SpielstandHooks{};
        Core_Hooks().meldung = nullptr;
    }
    // `ganz`: the whole game of velmora-sim with the game's match day.
    void starten(const SimOptionen& o, bool ganz = false) {
        Kalender_Hooks() = KalenderHooks{};   // what a test put there before
        VerdrahtungOptionen v;
        v.sim = o;
        if (ganz) {
            v.betrieb = Betrieb::SIM;
        } else {
            v.nur = {"Netz", "Club", "Saison", "Lauf"};
            v.sim.spieltag_start = ersatz::Spieltag_Start;
            v.sim.spieltag_frame = ersatz::Spieltag_Frame;
        }
        std::string fehler;
        ok = Spiel_Verdrahten(v, &fehler);
        EXPECT_TRUE(ok) << fehler;
        Core_Hooks().meldung = [](const char*) {};
        // The autosave asks on each day it saves whether another instance holds the
        // user directory; its file is written in the background after that.
        Spielstand_Hooks().andere_instanz = [] {
            autosave_tage.push_back(Tag_Index());
            return false;
        };
    }
};

// The menu frame of a test instead of the runner's, which ends every turn at once.
void Menue_Frame_Ersetzen(void (*frame)()) {
    Kalender_Hooks().menue_frame.Abmelden(Sim_Menue_Frame);
    Kalender_Hooks().menue_frame.Anmelden(prio::MENUE_BILDSCHIRM, frame, "Test");
}

// The modules' save blocks a continued game must reproduce. Without the
// fixtures store's block (`mit_spielen` false): where its event array puts a
// game's events depends on the array's allocation history, which a load
// starts afresh; the games and their results are in the report.
std::string Bloecke(bool mit_spielen = true) {
    std::vector<uint8_t> b;
    if (mit_spielen) Spiele_Save(b);
    Rangliste_Save(b);
    Statistik_Save(b);
    Kalender_Save(b);
    Wettbewerb_Save(b);
    uint8_t rnd[RND_ZUSTAND_BYTES];
    Rnd_Zustand_Schreiben(rnd);
    b.insert(b.end(), rnd, rnd + sizeof rnd);
    return std::string(b.begin(), b.end());
}

// Everything a continued game must reproduce: the report and the modules' save blocks.
std::string Zustand() { return Sim_Bericht() + Bloecke(); }

std::vector<int32_t> Liga_Teams(int32_t id) {
    std::vector<int32_t> t(WETTBEWERB_TEAMS_MAX);
    t.resize(size_t(Wettbewerb_Get_Teams(id, t.data())));
    std::sort(t.begin(), t.end());
    return t;
}

TEST(KalenderSaison, AWholeSeasonPlaysOnItsDatesAndChangesOn3July) {
    KalenderWelt w;
    ASSERT_TRUE(w.ok);
    w.starten({});
    ASSERT_TRUE(Sim_Bis_Tag(0));
    TagDatensatz d = Kalender_Datum_Kopie();
    EXPECT_EQ(d.tag, 3);
    EXPECT_EQ(d.monat, 7);
    EXPECT_EQ(d.jahr, 2001);
    EXPECT_STREQ(Kalender_Tag_Text(-1, 0), "Dienstag, 3. Juli 2001");
    const int32_t liga1 = 50, liga2 = 51;
    ASSERT_TRUE(Wettbewerb_Ist_Liga(liga1));
    ASSERT_EQ(Wettbewerb_Satz(liga1)->liga_unten, liga2);
    // Before the first date no game is played; on each league date its round is.
    int32_t erster = Kalender_Team_Frei_2(liga1, 1, 0);
    ASSERT_GT(erster, 0);
    ASSERT_TRUE(Sim_Bis_Tag(erster));
    for (int32_t i = 0; const SpielDatensatz* s = Spiele_Nummer(i); ++i) EXPECT_FALSE(s->flags & SPIEL_FLAG_GESPIELT);
    ASSERT_TRUE(Sim_Bis_Tag(erster + 1));
    EXPECT_TRUE(Wettbewerb_Runde_Gespielt(liga1, 1));
    EXPECT_FALSE(Wettbewerb_Runde_Gespielt(liga1, 2));
    EXPECT_EQ(Kalender_Datum_Kopie().wochentag, 6);   // the Sunday after the league's Saturday

    // The day before the change: every league round played, the tables full.
    int32_t letzter_tag = Kalender_Tag_Index_Von_Datum(2, 7, 2002);
    ASSERT_TRUE(Sim_Bis_Tag(letzter_tag));
    const int32_t runden = Wettbewerb_Satz(liga1)->spieltage;
    EXPECT_TRUE(Wettbewerb_Runde_Gespielt(liga1, runden));
    std::vector<int32_t> reihe(TABELLE_TEAMS_MAX);
    reihe.resize(size_t(Tabelle_Reihenfolge(liga1, reihe.data())));
    std::vector<int32_t> reihe2(TABELLE_TEAMS_MAX);
    reihe2.resize(size_t(Tabelle_Reihenfolge(liga2, reihe2.data())));
    ASSERT_EQ(reihe.size(), 10u);
    TabellenPuffer t;
    ASSERT_EQ(Wettbewerb_Tabelle_Vorbereiten(liga1, &t), 10);
    for (int32_t i = 0; i < 10; ++i) EXPECT_EQ(t.zeile[i].spiele[0], runden);
    int32_t meister = reihe[0];
    RanglisteSatz r;
    ASSERT_TRUE(Rangliste_Team(meister, &r));
    EXPECT_GT(r.wert[0], 0);
    EXPECT_GE(r.spiele[RANGLISTE_SPIELE - 1].gegner, 0);
    int32_t tore = 0, spiele = 0;
    for (int32_t p = 0; p < Spieler_Anzahl(); ++p) {
        tore += Spieler_Get_Spieler_Statistik(STATISTIK_TORE, p, 0);
        spiele += Spieler_Get_Spieler_Statistik(STATISTIK_SPIELE, p, 0);
    }
    EXPECT_GT(tore, 0);
    EXPECT_GE(spiele, 22 * runden * 5);   // 5 games a round, 22 starters each, in one league alone
    for (int32_t id : Wettbewerb_Alle()) {
        const WettbewerbSatz* s = Wettbewerb_Satz(id);
        if ((s->modus & MODUS_KO_SYSTEM) && s->art != ART_FREUNDSCHAFT) {
            EXPECT_GE(s->sieger, 0) << s->name;
        }
    }

    // 3 July: the bottom three go down, the top three of the second level come up.
    ASSERT_TRUE(Sim_Bis_Tag(letzter_tag + 1));
    EXPECT_EQ(Kalender_Datum_Kopie().monat, 7);
    EXPECT_EQ(Kalender_Saisonjahr(), 2002);
    for (int32_t i = 0; i < 3; ++i) {
        EXPECT_EQ(Team_Get_Liga(reihe[reihe.size() - 1 - size_t(i)], 1), liga2);
        EXPECT_EQ(Team_Get_Liga(reihe2[size_t(i)], 1), liga1);
    }
    EXPECT_EQ(Liga_Teams(liga1).size(), 10u);
    EXPECT_GE(Saison_Titel_Anzahl(), 1);
    Titel titel[8];
    ASSERT_GE(Spiele_Get_Titel_Von_Team(meister, titel, 8), 1);
    EXPECT_EQ(titel[0].jahr, 2002);
    ASSERT_TRUE(Rangliste_Team(meister, &r));
    EXPECT_GE(r.titel_anzahl, 1);
    EXPECT_EQ(r.wert[0], 0);   // the new season's points start at 0
    // New fixtures, none played, dated in the new season.
    EXPECT_FALSE(Wettbewerb_Runde_Gespielt(liga1, 1));
    EXPECT_NE(Spiele_Lock(liga1, 1, 0, 0), 0);
    const ZeitplanTermin& t1 = Kalender_Zeitplan()->termine[0];
    ASSERT_EQ(t1.wettbewerb, liga1);
    EXPECT_EQ(Kalender_Team_Frei_2(liga1, 1, 0), Kalender_Tag_Index_Von_Datum(t1.tag, t1.monat, 2002));
    EXPECT_EQ(Kalender_Team_Frei_2(liga1, 1, 0), erster + 365);
    EXPECT_EQ(Spieler_Get_Spieler_Statistik(STATISTIK_TORE, 0, 0), 0);
    int32_t karriere = 0;
    for (int32_t p = 0; p < Spieler_Anzahl(); ++p) karriere += Spieler_Get_Spieler_Statistik(STATISTIK_SPIELE, p, 1);
    EXPECT_EQ(karriere, spiele);   // the career keeps the season; no game was played since

    // The autosave ran on every seventh day and on no other.
    ASSERT_FALSE(autosave_tage.empty());
    EXPECT_EQ(int32_t(autosave_tage.size()), (letzter_tag + 1) / 7);
    for (int32_t tag : autosave_tage) EXPECT_EQ(tag % 7, 0) << tag;
    Spielstand_Schreiber_Warten();
    EXPECT_TRUE(std::filesystem::exists(std::string(Dirs_Get(DIR_SPIELSTAND)) + "/game_9.qzv"));
}

TEST(KalenderSaison, TheSameSeedGivesTheSameGame) {
    KalenderWelt w(11);
    ASSERT_TRUE(w.ok);
    std::string bericht[2];
    for (int32_t lauf = 0; lauf < 2; ++lauf) {
        SimOptionen o;
        o.seed = 77;
        o.menschen = 2;
        w.starten(o);
        ASSERT_TRUE(Sim_Bis_Tag(70));
        bericht[lauf] = Zustand();
        Sim_Beenden();
    }
    EXPECT_EQ(bericht[0], bericht[1]);
    SimOptionen o;
    o.seed = 78;
    o.menschen = 2;
    w.starten(o);
    ASSERT_TRUE(Sim_Bis_Tag(70));
    EXPECT_NE(Zustand(), bericht[0]);
}

TEST(KalenderSpielstand, AnAutosaveContinuesLikeTheGameThatDidNotStop) {
    KalenderWelt w;
    ASSERT_TRUE(w.ok);
    SimOptionen o;
    o.seed = 5;
    o.menschen = 1;
    w.starten(o);
    ASSERT_TRUE(Sim_Bis_Tag(60));   // the autosave of day 56 is in slot 9; kept as slot 4
    ASSERT_EQ(autosave_tage.back(), 56);
    std::string verz = Dirs_Get(DIR_SPIELSTAND);
    Spielstand_Schreiber_Warten();   // the autosave is written in the background
    std::filesystem::copy_file(verz + "/game_9.qzv", verz + "/game_4.qzv");
    ASSERT_TRUE(Sim_Bis_Tag(90));
    std::string durchgehend = Zustand();
    // The save list reads the saved day from the slot, the game stays where it is.
    TagDatensatz gespeichert{}, tag_56{};
    int32_t saison = 0;
    ASSERT_TRUE(Kalender_Spielstand_Datum(4, &gespeichert, &saison));
    ASSERT_TRUE(Kalender_Tag_Datensatz(56, &tag_56));
    EXPECT_STREQ(gespeichert.text_kurz, tag_56.text_kurz);
    EXPECT_EQ(saison, Kalender_Saisonjahr());
    EXPECT_FALSE(Kalender_Spielstand_Datum(5, &gespeichert, &saison)) << "an empty slot";
    EXPECT_EQ(Zustand(), durchgehend);

    Sim_Beenden();   // everything freed, as in a fresh process
    ASSERT_EQ(Team_Anzahl(), 0);
    o.laden = 4;
    w.starten(o);
    ASSERT_TRUE(Sim_Bis_Tag(56));
    EXPECT_EQ(Tag_Index(), 56);
    ASSERT_TRUE(Sim_Bis_Tag(90));
    EXPECT_EQ(Zustand(), durchgehend);
}

TEST(KalenderSpielstand, ASaveInAManagersTurnContinuesLikeTheGameThatDidNotStop) {
    KalenderWelt w;
    ASSERT_TRUE(w.ok);
    SimOptionen o;
    o.seed = 9;
    o.menschen = 2;
    o.autosave = false;
    w.starten(o);
    // The second manager saves on day 45 (a Saturday with league games), then ends his turn.
    static bool gespeichert;
    static int32_t zug_tag, zuege;
    gespeichert = false;
    zug_tag = -1;
    Kalender_Hooks().zug_beginnt.Anmelden(
        100,
        [](int32_t) {
            if (zug_tag != Tag_Index()) zug_tag = Tag_Index(), zuege = 0;
            ++zuege;
        },
        "Test");
    Menue_Frame_Ersetzen([] {
        if (Tag_Index() == 45 && zuege == 2 && !gespeichert) {
            gespeichert = true;
            K_NEUER_TAG(K_SPEICHERN, 3);
            return;
        }
        K_NEUER_TAG(K_FERTIG, 0);
    });
    ASSERT_TRUE(Sim_Bis_Tag(80));
    ASSERT_TRUE(gespeichert);
    std::string durchgehend = Zustand();

    Sim_Beenden();
    o.laden = 3;
    w.starten(o);
    ASSERT_TRUE(Sim_Bis_Tag(80));
    EXPECT_EQ(Zustand(), durchgehend);
}

TEST(KalenderSpielstand, ALoadedWholeGamePlaysByItsConfigurationLikeTheGameThatDidNotStop) {
    // The whole game with its match day: crowds, prices, talents and factors
    // come from the configuration set, which a fresh process has not read;
    // the news rounds of the managers' turns must not depend on when the
    // process started. Parts of the game read the clock (the interest rates,
    // the match day's waits): on the virtual clock both runs see the same times.
    struct Fall {
        uint32_t welt, seed;
        int32_t menschen;
        int32_t speichertag;   // saved in a turn on this day; -1: the weekly autosave
    };
    // Under the sanitizers the first case, fifty days past its save; the plain
    // build plays both past the season change.
    const int32_t ende = velmora::test::UNTER_SANITIZERN ? 150 : 400;
    for (Fall f : {Fall{3, 4, 1, 100}, Fall{9, 3, 3, -1}}) {
        if (velmora::test::UNTER_SANITIZERN && f.speichertag < 0) continue;
        SCOPED_TRACE(testing::Message() << "world " << f.welt << ", seed " << f.seed);
        struct VirtuelleUhr {
            VirtuelleUhr() { Plat_Uhr_Virtuell(true, 0); }
            ~VirtuelleUhr() { Plat_Uhr_Virtuell(false); }
        } uhr;
        KalenderWelt w(f.welt);
        ASSERT_TRUE(w.ok);
        SimOptionen o;
        o.seed = f.seed;
        o.menschen = f.menschen;
        o.autosave = f.speichertag < 0;
        w.starten(o, true);
        static int32_t speichertag;
        static bool gespeichert;
        speichertag = f.speichertag;
        gespeichert = false;
        Menue_Frame_Ersetzen([] {
            if (Tag_Index() == speichertag && !gespeichert) {
                gespeichert = true;
                K_NEUER_TAG(K_SPEICHERN, 3);
                return;
            }
            K_NEUER_TAG(K_FERTIG, 0);
        });
        if (f.speichertag < 0) {   // the autosave of day 147 (the weekly autosave, with news pending) is kept as slot 3
            ASSERT_TRUE(Sim_Bis_Tag(150));
            ASSERT_EQ(autosave_tage.back(), 147);
            std::string verz = Dirs_Get(DIR_SPIELSTAND);
            Spielstand_Schreiber_Warten();
            std::filesystem::copy_file(verz + "/game_9.qzv", verz + "/game_3.qzv");
            gespeichert = true;
        }
        ASSERT_TRUE(Sim_Bis_Tag(ende));   // past the season change and the new season's first match days
        ASSERT_TRUE(gespeichert);
        std::vector<uint8_t> news;
        Optionen_News_Save(news);
        std::string bericht = Sim_Bericht(), durchgehend = Bloecke(false) + std::string(news.begin(), news.end());

        Sim_Beenden();   // everything freed, as in a fresh process
        ASSERT_EQ(Team_Anzahl(), 0);
        o.laden = 3;
        Plat_Uhr_Virtuell(true, 0);
        w.starten(o, true);
        ASSERT_TRUE(Sim_Bis_Tag(ende));
        news.clear();
        Optionen_News_Save(news);
        EXPECT_EQ(Sim_Bericht(), bericht);
        EXPECT_TRUE(Bloecke(false) + std::string(news.begin(), news.end()) == durchgehend)
            << "the modules' save blocks differ";
    }
}

}  // namespace
}  // namespace velmora

namespace velmora {
namespace {

int32_t app_beendet = 0;
bool ankuendigung_wartet = false;
bool fenster_offen = false;

// Drives frames until the run mode is `ziel` (false when it is not reached).
bool Bis_Modus(int32_t ziel, int32_t frames = 4000) {
    for (int32_t i = 0; i < frames; ++i) {
        if (Kalender_Get_Runmodus() == ziel) return true;
        Kalender_Main();
    }
    return Kalender_Get_Runmodus() == ziel;
}

TEST(KalenderRunmodus, AQuitRequestInEveryModeShutsDownInOrder) {
    const int32_t modi[] = {KALENDER_START,       KALENDER_WARTEN,     KALENDER_SPIELSTART, KALENDER_TAG_START,
                            KALENDER_MENUE,       KALENDER_SPIELTAG,   KALENDER_TAG_ENDE,   KALENDER_NEUER_TAG,
                            KALENDER_ANKUENDIGUNG, KALENDER_ERGEBNISSE, KALENDER_TABELLE,    KALENDER_SIEGER};
    KalenderWelt w;
    ASSERT_TRUE(w.ok);
    for (int32_t ziel : modi) {
        SimOptionen o;
        o.menschen = 1;
        w.starten(o);
        app_beendet = 0;
        ankuendigung_wartet = false;
        fenster_offen = false;
        KalenderHooks& h = Kalender_Hooks();
        h.app_beenden = [] { ++app_beendet; };
        // The manager's turn stays open for the page modes: the pages open from the menu.
        static int32_t ziel_modus;
        ziel_modus = ziel;
        Menue_Frame_Ersetzen([] {
            bool seite = ziel_modus == KALENDER_ANKUENDIGUNG || ziel_modus == KALENDER_ERGEBNISSE ||
                         ziel_modus == KALENDER_TABELLE || ziel_modus == KALENDER_SIEGER;
            if (seite && Tag_Index() >= 2) ankuendigung_wartet = true;
            else if (ziel_modus != KALENDER_MENUE || Tag_Index() < 2) K_NEUER_TAG(K_FERTIG, 0);
        });
        h.ankuendigung_wartet = [] { return ankuendigung_wartet; };
        h.ankuendigung_aktiv = [] { return fenster_offen; };
        h.ankuendigung_treiber = [](uint32_t) {
            if (Kalender_Get_Runmodus() == KALENDER_ANKUENDIGUNG && ziel_modus != KALENDER_ANKUENDIGUNG &&
                !fenster_offen) {
                fenster_offen = true;
                Kalender_Set_Runmodus(ziel_modus);
            }
            return ankuendigung_wartet ? 1 : 0;
        };
        if (ziel == KALENDER_SPIELTAG) {
            // A match day that takes frames: it stays in its mode until the quit.
            h.spieltag_start = [] { return true; };
            h.spieltag_frame = [] { return true; };
        }
        ASSERT_TRUE(Bis_Modus(ziel)) << "Runmodus " << ziel << " nicht erreicht";
        Programm_Beenden_Anfordern();
        Kalender_Main();
        EXPECT_EQ(Kalender_Get_Runmodus(), KALENDER_AUS) << ziel;
        EXPECT_EQ(Quit_State(), 2) << ziel;
        EXPECT_EQ(app_beendet, 1) << ziel;
        EXPECT_EQ(Team_Anzahl(), 0) << ziel;
        EXPECT_FALSE(Rangliste_Ist_Initialisiert()) << ziel;
        Kalender_Main();   // nothing runs after the shutdown
        EXPECT_EQ(app_beendet, 1) << ziel;
        Quit_State_Setzen(0);
        Kalender_Zuruecksetzen();
    }
}

TEST(KalenderRunmodus, TurnsFollowTheManagersAndEndWithTheMatchDay) {
    KalenderWelt w;
    ASSERT_TRUE(w.ok);
    SimOptionen o;
    o.menschen = 3;
    w.starten(o);
    static std::vector<int32_t> begonnen, beendet;
    begonnen.clear();
    beendet.clear();
    KalenderHooks& h = Kalender_Hooks();
    h.zug_beginnt.Anmelden(100, [](int32_t t) { begonnen.push_back(t); }, "Test");
    h.zug_endet.Anmelden(100, [](int32_t t) { beendet.push_back(t); }, "Test");
    Menue_Frame_Ersetzen([] {});
    ASSERT_TRUE(Bis_Modus(KALENDER_MENUE));
    ASSERT_EQ(begonnen.size(), 1u);
    EXPECT_EQ(Kalender_Aktives_Team(), begonnen[0]);
    EXPECT_TRUE(Kalender_Ist_Menue_Modus());
    for (int32_t i = 0; i < 5; ++i) Kalender_Main();   // the turn stays until the manager ends it
    EXPECT_EQ(Kalender_Get_Runmodus(), KALENDER_MENUE);
    K_NEUER_TAG(K_SPEICHERN, 42);   // a bad slot is refused at once
    K_NEUER_TAG(K_FERTIG, 0);
    K_NEUER_TAG(K_FERTIG, 0);
    EXPECT_EQ(Kalender_Get_Runmodus(), KALENDER_MENUE);
    ASSERT_EQ(begonnen.size(), 3u);
    EXPECT_NE(begonnen[0], begonnen[1]);
    EXPECT_NE(begonnen[1], begonnen[2]);
    K_NEUER_TAG(K_FERTIG, 0);
    EXPECT_EQ(Kalender_Get_Runmodus(), KALENDER_SPIELTAG);
    EXPECT_EQ(beendet, begonnen);
    EXPECT_EQ(Kalender_Aktives_Team(), -1);
    K_NEUER_TAG(K_FERTIG, 0);   // no turn open: ignored
    EXPECT_EQ(Kalender_Get_Runmodus(), KALENDER_SPIELTAG);
    // Saving outside the menu is refused; nothing is written.
    K_NEUER_TAG(K_SPEICHERN, 2);
    Kalender_Main();
    EXPECT_FALSE(std::filesystem::exists(std::string(Dirs_Get(DIR_SPIELSTAND)) + "/game_2.qzv"));
    ASSERT_TRUE(Bis_Modus(KALENDER_MENUE));
    EXPECT_EQ(Tag_Index(), 1);
    // Camps of the season: two for every human manager after the change.
    Kalender_Jedes_Jahr();
    EXPECT_EQ(Manager_Wert(308, Manager_Record(begonnen[0]), 0, 0), 2);
}

// Two managers at one machine take their turns in the order they joined the
// game, not by their clubs' numbers, and a save names the first of them.
TEST(KalenderRunmodus, TheManagerWhoJoinedFirstTakesTheFirstTurnAndNamesTheSave) {
    KalenderWelt w;
    ASSERT_TRUE(w.ok);
    SimOptionen o;
    o.menschen = 2;
    w.starten(o);
    static std::vector<int32_t> begonnen;
    begonnen.clear();
    Kalender_Hooks().zug_beginnt.Anmelden(100, [](int32_t t) { begonnen.push_back(t); }, "Test");
    Menue_Frame_Ersetzen([] {});
    ASSERT_TRUE(Bis_Modus(KALENDER_MENUE));
    int32_t liste[TEAM_MAX];
    ASSERT_EQ(Manager_Ist_Dran(liste, 0, 0), 2);
    const int32_t vorne = std::min(liste[0], liste[1]), hinten = std::max(liste[0], liste[1]);
    // The club with the lower number gets its manager last.
    ASSERT_TRUE(Manager_Entfernen(vorne));
    ASSERT_NE(Manager_Neuer_Mitspieler(vorne, "Zuletzt", 3), nullptr);
    K_NEUER_TAG(K_FERTIG, 0);
    K_NEUER_TAG(K_FERTIG, 0);
    begonnen.clear();
    ASSERT_TRUE(Bis_Modus(KALENDER_MENUE));
    K_NEUER_TAG(K_FERTIG, 0);
    EXPECT_EQ(begonnen, (std::vector<int32_t>{hinten, vorne}));
    SpielstandKopf kopf;
    Spielstand_Kopf_Fuellen(&kopf, "Test");
    EXPECT_EQ(kopf.team, hinten);
    EXPECT_STREQ(kopf.manager, Manager_Name(hinten));
}

TEST(KalenderRunmodus, PagesReturnToTheModeTheyInterrupted) {
    KalenderWelt w;
    ASSERT_TRUE(w.ok);
    w.starten({});
    KalenderHooks& h = Kalender_Hooks();
    static int32_t schritte;
    schritte = 0;
    ankuendigung_wartet = false;
    h.spieltag_start = [] {
        ankuendigung_wartet = true;   // the match day puts a page into the buffer
        return true;
    };
    h.spieltag_frame = [] { return ++schritte < 100; };
    h.ankuendigung_wartet = [] { return ankuendigung_wartet; };
    h.ankuendigung_treiber = [](uint32_t) { return ankuendigung_wartet ? 2 : 0; };
    ASSERT_TRUE(Bis_Modus(KALENDER_ANKUENDIGUNG));
    // Behind a page that lets it run, the match day moves 40 steps a frame.
    Kalender_Main();
    Kalender_Main();
    EXPECT_GE(schritte, 40);
    ankuendigung_wartet = false;
    Kalender_Main();
    EXPECT_EQ(Kalender_Get_Runmodus(), KALENDER_SPIELTAG);
    // A page window opened by the match day takes its mode and returns when it is gone.
    Kalender_Set_Runmodus(KALENDER_TABELLE);
    EXPECT_EQ(Kalender_Get_Runmodus(), KALENDER_TABELLE);
    Kalender_Main();
    EXPECT_EQ(Kalender_Get_Runmodus(), KALENDER_SPIELTAG);
    Kalender_Set_Runmodus(5);   // no window's mode
    EXPECT_EQ(Kalender_Get_Runmodus(), KALENDER_SPIELTAG);
    // A window that closes while pages wait hands over to them.
    ankuendigung_wartet = true;
    h.ankuendigung_treiber = [](uint32_t) { return 0; };
    Kalender_Set_Runmodus(KALENDER_ERGEBNISSE);
    Kalender_Main();
    EXPECT_EQ(Kalender_Get_Runmodus(), KALENDER_ANKUENDIGUNG);
    ankuendigung_wartet = false;
    Kalender_Main();
    EXPECT_EQ(Kalender_Get_Runmodus(), KALENDER_SPIELTAG);
    // The pages the last matches leave show before the date moves on.
    h.spieltag_frame = [] {
        ankuendigung_wartet = true;
        return false;
    };
    const int32_t tag = Tag_Index();
    Kalender_Main();
    EXPECT_EQ(Kalender_Get_Runmodus(), KALENDER_ANKUENDIGUNG);
    ankuendigung_wartet = false;
    Kalender_Main();
    EXPECT_EQ(Kalender_Get_Runmodus(), KALENDER_TAG_ENDE);
    EXPECT_EQ(Tag_Index(), tag);
}

TEST(KalenderSpielstand, DamagedCalendarBlocksAreRefusedAndNothingChanges) {
    KalenderWelt w;
    ASSERT_TRUE(w.ok);
    w.starten({});
    ASSERT_TRUE(Sim_Bis_Tag(20));
    std::vector<uint8_t> gut;
    Kalender_Save(gut);
    struct Fall {
        const char* name;
        size_t stelle;   // byte to change, or the length to cut to
        bool kuerzen;
    } faelle[] = {{"magic", 0, false}, {"version", 4, false}, {"gekuerzt", 40, true},
                  {"leer", 0, true},   {"modus", 20, false},  {"ende fehlt", 4, true}};
    for (const Fall& f : faelle) {
        std::vector<uint8_t> b = gut;
        if (f.kuerzen) b.resize(f.stelle);
        else b[f.stelle] ^= 0x5A;
        EXPECT_FALSE(Kalender_Load(b.data(), b.size())) << f.name;
        EXPECT_EQ(Tag_Index(), 20) << f.name;
    }
    // Day and day-0 numbers far outside the calendar's years (the day number
    // and the date made from it would overflow).
    const struct {
        size_t stelle;
        int32_t wert;
    } zahlen[] = {{8, INT32_MAX}, {12, INT32_MAX}, {12, INT32_MIN}, {8, 3000000}};
    for (const auto& z : zahlen) {
        std::vector<uint8_t> b = gut;
        std::memcpy(&b[z.stelle], &z.wert, 4);
        EXPECT_FALSE(Kalender_Load(b.data(), b.size())) << z.stelle << " = " << z.wert;
        EXPECT_EQ(Tag_Index(), 20);
    }
    EXPECT_FALSE(Kalender_Load(nullptr, 0));
    std::vector<uint8_t> nochmal;
    Kalender_Save(nochmal);
    EXPECT_EQ(nochmal, gut);
}

// The test's server: its state `stand` answered to request 1040 for the
// version the client names, as the calendar's handler does.
void Abgleich_Antwort(const std::vector<uint8_t>& stand, const std::vector<uint8_t>& arg, std::vector<uint8_t>& antwort) {
    static Abgleich_Server server(1000);
    uint32_t version = 0;
    if (arg.size() >= 4) std::memcpy(&version, arg.data(), 4);
    std::vector<uint8_t> inhalt;
    server.Antworten(stand, version, inhalt);
    const uint32_t n = uint32_t(inhalt.size());
    antwort.assign(reinterpret_cast<const uint8_t*>(&n), reinterpret_cast<const uint8_t*>(&n) + 4);
    antwort.insert(antwort.end(), inhalt.begin(), inhalt.end());
}

TEST(KalenderClient, SyncTakesTheServersDateAndSchedule) {
    KalenderWelt w;
    ASSERT_TRUE(w.ok);
    w.starten({});
    ASSERT_TRUE(Sim_Bis_Tag(33));
    std::vector<uint8_t> server;
    Kalender_Save(server);
    int32_t termin = Kalender_Team_Frei_2(50, 5, 0);
    Kalender_Zuruecksetzen();
    EXPECT_EQ(Tag_Index(), 0);
    ClubHooks& c = Club_Hooks();
    ClubHooks vorher = c;
    EXPECT_FALSE(Kalender_Client_Sync());   // not a client
    static std::vector<uint8_t> stand;
    stand = server;
    c.netzwerk_modus = [] { return 1; };
    static size_t zuletzt;
    c.client_read = [](int32_t anfrage, const char* typ, const std::vector<uint8_t>& arg, std::vector<uint8_t>& antwort) {
        EXPECT_STREQ(typ, "i<C<=0");
        if (anfrage != ANFRAGE_KALENDER_ABGLEICH) return false;
        Abgleich_Antwort(stand, arg, antwort);
        zuletzt = antwort.size();
        return true;
    };
    ASSERT_TRUE(Kalender_Client_Sync());
    EXPECT_EQ(Tag_Index(), 33);
    EXPECT_EQ(Kalender_Team_Frei_2(50, 5, 0), termin);
    EXPECT_GT(zuletzt, server.size()) << "the first fetch takes the whole state";
    // Asked again, an unchanged state answers a few bytes, a new day only its piece.
    ASSERT_TRUE(Kalender_Client_Sync());
    EXPECT_LE(zuletzt, 20u);
    const int32_t morgen = 34;
    std::memcpy(stand.data() + 8, &morgen, 4);
    ASSERT_TRUE(Kalender_Client_Sync());
    EXPECT_EQ(Tag_Index(), 34);
    EXPECT_LE(zuletzt, 20u + 8 + ABGLEICH_RASTER);
    EXPECT_EQ(Kalender_Team_Frei_2(50, 5, 0), termin);
    stand.resize(10);   // a broken answer leaves the state as it was
    EXPECT_FALSE(Kalender_Client_Sync());
    EXPECT_EQ(Tag_Index(), 34);
    c = vorher;
    // The server's answer is the calendar block with its length; to request
    // 1040 the same block after the version's header, then "unchanged".
    server.clear();
    Kalender_Save(server);
    std::vector<uint8_t> antwort;
    ASSERT_TRUE(Kalender_Server_Anfrage(ANFRAGE_KALENDER_STAND, nullptr, 0, antwort));
    ASSERT_EQ(antwort.size(), server.size() + 4);
    EXPECT_TRUE(std::equal(server.begin(), server.end(), antwort.begin() + 4));
    const uint8_t keine[4] = {};
    antwort.clear();
    ASSERT_TRUE(Kalender_Server_Anfrage(ANFRAGE_KALENDER_ABGLEICH, keine, 4, antwort));
    ASSERT_EQ(antwort.size(), server.size() + 20);
    EXPECT_TRUE(std::equal(server.begin(), server.end(), antwort.begin() + 20));
    uint8_t version[4];
    std::memcpy(version, antwort.data() + 4, 4);
    antwort.clear();
    ASSERT_TRUE(Kalender_Server_Anfrage(ANFRAGE_KALENDER_ABGLEICH, version, 4, antwort));
    EXPECT_EQ(antwort.size(), 20u);
    EXPECT_FALSE(Kalender_Server_Anfrage(ANFRAGE_KALENDER_ABGLEICH, nullptr, 0, antwort)) << "no version named";
    EXPECT_FALSE(Kalender_Server_Anfrage(ANFRAGE_KALENDER_STAND + 1, nullptr, 0, antwort));
}

// A client's day: after its turn it waits (no match day of its own), asks the
// server's calendar once a second, and once the server's day has moved on it
// fetches the game's data and its next turn begins.
TEST(KalenderClient, AfterItsTurnAClientWaitsForTheServersNextDay) {
    KalenderWelt w;
    ASSERT_TRUE(w.ok);
    SimOptionen o;
    o.menschen = 1;
    w.starten(o);
    Menue_Frame_Ersetzen([] {});
    static int32_t team, fragen, holen, spieltage, warten;
    static uint32_t uhr;
    static std::vector<uint8_t> stand;
    // The server's state holds no turns of this machine's.
    ASSERT_TRUE(Bis_Modus(KALENDER_TAG_START));
    stand.clear();
    Kalender_Save(stand);
    ASSERT_TRUE(Bis_Modus(KALENDER_MENUE));
    team = Kalender_Aktives_Team();
    fragen = holen = spieltage = warten = 0;
    uhr = 5000;
    ASSERT_GE(team, 0);
    ClubHooks& c = Club_Hooks();
    const ClubHooks vorher = c;
    c.netzwerk_modus = [] { return 1; };
    c.client_team = [] { return team; };
    c.client_read = [](int32_t anfrage, const char*, const std::vector<uint8_t>& arg, std::vector<uint8_t>& antwort) {
        if (anfrage != ANFRAGE_KALENDER_ABGLEICH) return false;
        ++fragen;
        Abgleich_Antwort(stand, arg, antwort);
        return true;
    };
    KalenderHooks& h = Kalender_Hooks();
    h.uhr = [] { return uhr; };
    h.client_alles_holen = [] { ++holen; };
    h.netz_warten = [](int32_t an) { warten += an ? 1 : -1; };
    h.spieltag_start = [] {
        ++spieltage;
        return false;
    };
    // "Weiter" fetches the game's data (the server's calendar too), then ends the turn.
    ASSERT_TRUE(Kalender_Client_Sync());
    EXPECT_EQ(Kalender_Aktives_Team(), team) << "the sync keeps this machine's turn";
    K_NEUER_TAG(K_FERTIG, 0);
    EXPECT_TRUE(Kalender_Netz_Wartet());
    EXPECT_EQ(warten, 1);
    EXPECT_EQ(Kalender_Aktives_Team(), -1);
    // Each waiting frame goes to the client's own match first.
    static int32_t spiel_frames;
    static bool spiel_laeuft;
    spiel_frames = 0;
    spiel_laeuft = false;
    h.client_spieltag = [] {
        ++spiel_frames;
        return spiel_laeuft;
    };
    // The match takes the screen and gives it back once each time it starts
    // or stops showing (the main screen kept for the wait goes and comes back).
    static std::string zeigt;
    zeigt.clear();
    static const auto zeigt_merken = [](int32_t an) { zeigt += an ? '1' : '0'; };
    ASSERT_TRUE(h.client_spiel_zeigt.Anmelden(0, zeigt_merken, "test"));
    for (int32_t i = 0; i < 5; ++i) Kalender_Main();
    EXPECT_EQ(spiel_frames, 5);
    EXPECT_EQ(fragen, 1) << "asked before a second passed";
    EXPECT_EQ(zeigt, "") << "no match showed yet";
    // While the match runs, the question for the server's day goes on.
    spiel_laeuft = true;
    uhr += 1000;
    Kalender_Main();
    Kalender_Main();
    EXPECT_EQ(fragen, 2);
    EXPECT_EQ(spiel_frames, 7);
    EXPECT_EQ(zeigt, "1");
    // The match is over: the main screen comes back while the wait goes on.
    spiel_laeuft = false;
    Kalender_Main();
    Kalender_Main();
    EXPECT_EQ(zeigt, "10");
    EXPECT_EQ(warten, 1);
    // It shows again; the server's day then moves on under it.
    spiel_laeuft = true;
    Kalender_Main();
    EXPECT_EQ(zeigt, "101");
    EXPECT_TRUE(Kalender_Netz_Wartet()) << "the server's day is still 0";
    EXPECT_EQ(Tag_Index(), 0);
    // The server's day moves on (the block's day field after its magic and version).
    const int32_t morgen = 1;
    std::memcpy(stand.data() + 8, &morgen, 4);
    uhr += 1000;
    Kalender_Main();
    EXPECT_EQ(zeigt, "1010") << "the match gave the screen back as the wait ended";
    h.client_spiel_zeigt.Abmelden(zeigt_merken);
    spiel_laeuft = false;
    h.client_spieltag = nullptr;
    EXPECT_EQ(holen, 1);
    EXPECT_EQ(warten, 0);
    EXPECT_EQ(Tag_Index(), 1);
    for (int32_t i = 0; i < 3 && Kalender_Get_Runmodus() != KALENDER_MENUE; ++i) Kalender_Main();
    EXPECT_EQ(Kalender_Aktives_Team(), team) << "its turn of the new day";
    EXPECT_FALSE(Kalender_Netz_Wartet());
    EXPECT_EQ(spieltage, 0) << "no match day of its own";
    // The next day's wait: the news check takes the server's new day first
    // (it syncs the calendar when the server's day differs); the wait still
    // sees the day moved on and begins the turn (it once stood still).
    K_NEUER_TAG(K_FERTIG, 0);
    ASSERT_TRUE(Kalender_Netz_Wartet());
    const int32_t uebermorgen = 2;
    std::memcpy(stand.data() + 8, &uebermorgen, 4);
    ASSERT_TRUE(Kalender_Client_Sync());
    EXPECT_EQ(Tag_Index(), 2);
    uhr += 1000;
    Kalender_Main();
    EXPECT_EQ(holen, 2);
    EXPECT_FALSE(Kalender_Netz_Wartet()) << "the wait saw the server's new day";
    for (int32_t i = 0; i < 3 && Kalender_Get_Runmodus() != KALENDER_MENUE; ++i) Kalender_Main();
    EXPECT_EQ(Kalender_Aktives_Team(), team) << "its turn of the day after";
    c = vorher;
}

// A server without managers of its own waits for its client's day; once the
// client is dropped its club counts as having ended the day and the days go on
// with the computer playing it (the server's days once stood still for good).
TEST(KalenderServer, AServerWhoseLastClientIsDroppedPlaysOn) {
    KalenderWelt w;
    ASSERT_TRUE(w.ok);
    SimOptionen o;
    o.menschen = 0;
    w.starten(o);
    Menue_Frame_Ersetzen([] {});
    ASSERT_TRUE(Bis_Modus(KALENDER_TAG_START));
    int32_t client = -1;
    for (int32_t t = 0; t < Team_Anzahl() && client < 0; ++t)
        if (Team_Ist_Normal(t, 0)) client = t;
    ASSERT_GE(client, 0);
    ClubHooks& c = Club_Hooks();
    const ClubHooks vorher = c;
    c.netzwerk_modus = [] { return 2; };
    Team_Wert(TW_STATUS, client, int32_t(TEAM_STATUS_NETZ | TEAM_STATUS_CLIENT), OP_SETZEN);
    ASSERT_TRUE(Bis_Modus(KALENDER_MENUE));
    for (int32_t i = 0; i < 50; ++i) Kalender_Main();
    EXPECT_TRUE(Kalender_Netz_Wartet()) << "the client has not ended its day";
    EXPECT_EQ(Tag_Index(), 0);
    Team_Client_Freigeben(client);   // dropped: what the network's hook does
    const int32_t tag = Tag_Index();
    for (int32_t i = 0; i < 4000 && Tag_Index() == tag; ++i) Kalender_Main();
    EXPECT_GT(Tag_Index(), tag) << "the day goes on without the client";
    c = vorher;
}

// The games due today, per competition and all together, are those a walk
// over the whole store finds (unplayed, both clubs set, their match day's date
// reached), in the store's order, on every third day of half a season.
TEST(KalenderSaison, TodaysGamesAreThoseTheWholeStoreHoldsDue) {
    KalenderWelt w;
    ASSERT_TRUE(w.ok);
    w.starten({});
    ASSERT_TRUE(Sim_Bis_Tag(0));
    int32_t geprueft = 0;
    for (int32_t tag = 1; tag < 180; tag += 3) {
        ASSERT_TRUE(Sim_Bis_Tag(tag));
        std::map<int32_t, std::vector<Spiel_Lock>> soll;   // by competition, in the store's order
        std::set<int32_t> wettbewerbe;
        for (int32_t i = 0; const SpielDatensatz* s = Spiele_Nummer(i); ++i) {
            wettbewerbe.insert(s->wettbewerb);
            if ((s->flags & SPIEL_FLAG_GESPIELT) || s->heim < 0 || s->gast < 0) continue;
            if (Kalender_Team_Frei_2(s->wettbewerb, s->runde, s->spieltag) > Kalender_Tag_Index()) continue;
            soll[s->wettbewerb].push_back(Spiele_Handle(i));
        }
        for (int32_t wb : wettbewerbe) {
            for (int32_t max : {1, 4000}) {
                std::vector<Spiel_Lock> ist(4000);
                ist.resize(size_t(Kalender_Heutige_Spiele(wb, ist.data(), max)));
                for (Spiel_Lock h : ist) Spiele_Unlock(h);
                std::vector<Spiel_Lock> erwartet = soll[wb];
                if (erwartet.size() > size_t(max)) erwartet.resize(size_t(max));
                EXPECT_EQ(ist, erwartet) << "competition " << wb << ", day " << tag << ", at most " << max;
                geprueft += int32_t(ist.size());
            }
        }
        std::vector<int32_t> faellig(wettbewerbe.size() + 1);
        faellig.resize(size_t(Kalender_Freier_Tag(-1, 1, faellig.data())));
        std::vector<int32_t> faellig_soll;
        for (const auto& [wb, liste] : soll)
            if (!liste.empty()) faellig_soll.push_back(wb);
        EXPECT_EQ(faellig, faellig_soll) << "day " << tag;
    }
    EXPECT_GT(geprueft, 100) << "the days checked held due games";
}

}  // namespace
}  // namespace velmora
