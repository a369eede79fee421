// tests/screens/saisonwechsel_test.cpp - the game as the window wires it,
// played through two season changes: two human managers in two leagues, every
// screen's daily refresh, the match-day pages and their windows, the turn's
// boxes, and each turn ended by a click on "Weiter", all by scripted mouse
// input on the headless display and the program's virtual clock. Only the
// screens end a turn here, so every new day is a click on "Weiter" that counted. The date
// must move on every day: a day that stands fails the test naming its date and
// the run mode, and a guard turns a hang inside one frame into a failure.
// Every day each manager has his turn, and after a day on which his club
// played he has seen that match's pages (before the match and the results of
// its competition) when his next turn begins.
#include <atomic>
#include <cstdio>
#include <map>
#include <set>
#include <string>

#include "club/team.h"
#include "core/optionen.h"
#include "gui/icon.h"
#include "gui/menue_requester.h"
#include "matchview/ankuendigung.h"
#include "screens/menue_panel.h"
#include "season/kalender.h"
#include "season/wettbewerb.h"
#include "tests/support/sanitizer.h"
#include "tests/support/seiten_welt.h"
#include "tests/support/wachhund.h"

namespace velmora::test {
namespace {

// Frames a day may take before its date counts as standing: a match day with
// its pages and windows takes a few hundred (the longest day is printed).
// Bounded in frames, not in time, so a slow machine cannot fail it; a hang
// inside one frame is the guard's, whose span is sized for the sanitizers'
// slowest day many times over and fails a hang within two minutes.
constexpr int32_t BILDER_PRO_TAG_MAX = 2000;
constexpr int32_t WACHE_SEKUNDEN = 55;

struct Stand {
    int32_t erster_tag = -1, ende = -1, tag = -1, bilder_am_tag = 0, bild = 0;
    int32_t jahr_start = -1, jahr = -1, saisonwechsel = 0, laengster_tag = 0;
    int32_t ziel_x = -100, ziel_y = -100;
    std::set<int32_t> modi;   // run modes seen: pages, windows
    std::string fehler;
    std::set<int32_t> zuege_heute;   // the teams whose turn began on day `tag`
    // Per managed team: the competition of the game it had on the day of its
    // last turn (-1 none), and whether its pre-match page and its competition's
    // results page came since.
    struct Spieltag {
        int32_t wettbewerb = -1, tag = -1;
        bool vor_spiel = false, ergebnisse = false;
    };
    std::map<int32_t, Spieltag> spieltag;
    int32_t spieltage = 0;   // the managers' match days whose pages were checked
};

class Saisonwechsel : public SeitenWelt {
protected:
    void SetUp() override {
        menschen = 2;
        menschen_ligen_verschieden = true;
        SeitenWelt::SetUp();
        Kalender_Hooks().maus_latch = Jedes_Bild;
        Kalender_Hooks().zug_beginnt.Anmelden(prio::ZUG_BEGINN_MENUE + 61, Zug_Beginnt, "Saisonwechsel");
        st = Stand{};
        tag_atom = -1;
        modus_atom = -1;
        wache = nullptr;
    }

    static inline Stand st;
    static inline std::atomic<int32_t> tag_atom{-1}, modus_atom{-1};
    static inline Wachhund* wache = nullptr;
    static inline int32_t tage = 0;
    static inline int32_t ligen[2] = {-1, -1};

    // The middle of an icon on the screen, when it is there.
    static bool Mitte(int32_t nummer, int32_t* x, int32_t* y) {
        if (!Menue_Screen_Icon_Ist_Vorhanden(nummer)) return false;
        const s_icon* i = Menue_Screen_Icon_Aus_Nummer(nummer);
        if (!i || (i->Status & ICON_ST_VERSTECKT)) return false;
        *x = i->x + (i->br > 0 ? i->br / 2 : 20);
        *y = i->y + (i->ho > 0 ? i->ho / 2 : 10);
        return true;
    }

    // Where the player clicks now: the box's first button, "Weiter" in a
    // turn, else the page or window in front (a click takes it away).
    static void Ziel_Waehlen() {
        const int32_t modus = Kalender_Get_Runmodus();
        int32_t x = 400, y = 300;
        if (Menue_Requester_Offen()) {
            if (!Mitte(ICON_REQUESTER_KNOPF_1, &x, &y) && !Mitte(ICON_REQUESTER_KNOPF_2, &x, &y)) x = 690, y = 421;
        } else if (modus == KALENDER_MENUE) {
            x = 752;
            y = 583;
        }
        st.ziel_x = x;
        st.ziel_y = y;
    }

    static void Jedes_Bild() {
        Beobachten();
        // A click takes four frames: move there, press, release, rest.
        const int32_t phase = st.bild++ % 4;
        if (phase == 0) Ziel_Waehlen();
        Plat_Headless_Maus(st.ziel_x, st.ziel_y, phase == 1 ? 1 : 0);
        Maus_Tasten_Latch();
    }

    static void Fehler(const std::string& text) {
        if (!st.fehler.empty()) return;
        st.fehler = text;
        Programm_Beenden_Anfordern();
    }

    // A manager's turn: his pages of the last match day came, and today's game is noted.
    static void Zug_Beginnt(int32_t team) {
        st.zuege_heute.insert(team);
        Stand::Spieltag& s = st.spieltag[team];
        if (s.wettbewerb >= 0 && (!s.vor_spiel || !s.ergebnisse))
            Fehler("team " + std::to_string(team) + " played on day " + std::to_string(s.tag) + " in competition " +
                   std::to_string(s.wettbewerb) + " without its " + (s.vor_spiel ? "results page" : "pre-match page"));
        st.spieltage += s.wettbewerb >= 0;
        s = Stand::Spieltag{};
        int32_t wettbewerb = -1;
        if (Ankuendigung_Heutiger_Gegner(team, nullptr, &wettbewerb, nullptr) >= 0) {
            s.wettbewerb = wettbewerb;
            s.tag = Tag_Index();
        }
    }

    // The pages queued or shown now, counted for the teams whose game they show.
    static void Seiten_Zaehlen() {
        auto zaehlen = [](const Ankuendigung& a) {
            for (auto& [team, s] : st.spieltag) {
                if (s.wettbewerb < 0) continue;
                if (a.art == uint32_t(ANK_VOR_SPIEL) && (a.heim == uint32_t(team) || a.gast == uint32_t(team)))
                    s.vor_spiel = true;
                if (a.art == uint32_t(ANK_ERGEBNISSE) && a.wettbewerb == uint32_t(s.wettbewerb)) s.ergebnisse = true;
            }
        };
        const Ankuendigung* puffer = Ankuendigung_Puffer();
        for (int32_t i = 0; puffer && i < ANKUENDIGUNG_PUFFER; ++i)
            if (puffer[i].schluessel) zaehlen(puffer[i]);
        if (Ankuendigung_Phase_Laeuft()) zaehlen(Ankuendigung_Staging());
    }

    static void Beobachten() {
        const int32_t tag = Tag_Index(), modus = Kalender_Get_Runmodus();
        Seiten_Zaehlen();
        tag_atom = tag;
        modus_atom = modus;
        if (Ankuendigung_Aktiv() || Ankuendigung_Phase_Laeuft()) st.modi.insert(modus);
        if (st.erster_tag < 0 && tag >= 0) {
            st.erster_tag = tag;
            st.ende = tag + tage;
            // Human matches are diced instead of watched: the screens' daily
            // work and the match-day pages still run, at a fraction of the cost.
            Optionen(OPTION_LIVE_ANSEHEN, 1, 0);
        }
        if (tag != st.tag) {
            const TagDatensatz d = Kalender_Datum_Kopie();
            // The first frame comes before the calendar is set up: the first
            // day's year is read once the date has moved.
            TagDatensatz erster;
            if (st.jahr_start < 0 && st.tag >= 0 && Kalender_Tag_Datensatz(st.erster_tag, &erster))
                st.jahr_start = erster.jahr;
            if (st.tag >= 0 && d.tag == 3 && d.monat == 7) ++st.saisonwechsel;
            st.jahr = d.jahr;
            st.laengster_tag = std::max(st.laengster_tag, st.bilder_am_tag);
            // Every whole day seen: each manager had his turn.
            for (auto& [team, s] : st.spieltag)
                if (st.tag > st.erster_tag && !st.zuege_heute.count(team))
                    Fehler("team " + std::to_string(team) + " had no turn on day " + std::to_string(st.tag));
            st.zuege_heute.clear();
            st.tag = tag;
            st.bilder_am_tag = 0;
            if (wache) wache->Fuettern();
        }
        if (st.ende >= 0 && tag >= st.ende) {
            Programm_Beenden_Anfordern();
            return;
        }
        if (++st.bilder_am_tag > BILDER_PRO_TAG_MAX) Fehler(Stehender_Tag(tag, modus));
    }

    static std::string Stehender_Tag(int32_t tag, int32_t modus) {
        char text[160];
        std::snprintf(text, sizeof text, "the date stood at day %d (%s) in run mode %d", int(tag),
                      tag >= 0 ? Kalender_Tag_Text(tag, 1) : "-", int(modus));
        return text;
    }
};

TEST_F(Saisonwechsel, TwoManagersInTwoLeaguesPlayOnThroughTwoSeasonChanges) {
    // The game starts on 3 July; two years and six weeks on it has passed
    // every league's last matchday twice, two season starts and the third
    // season's first matchday (its 39th day). Under the sanitizers one season
    // change shows the same at half the cost.
    tage = (UNTER_SANITIZERN ? 365 : 730) + 45;
    // The first turn notes the two managers' leagues.
    ligen[0] = ligen[1] = -1;
    erster_zug = [](int32_t) {
        int32_t n = 0;
        for (int32_t t = 0; t < TEAM_MAX && n < 2; ++t)
            if (Team_Hat_Manager(t)) ligen[n++] = Team_Get_Liga(t, 1);
    };
    std::string ergebnis;
    {
        Wachhund w("the wired game through two season changes", WACHE_SEKUNDEN,
                   [] { return "last frame at day " + std::to_string(tag_atom.load()) + ", run mode " +
                               std::to_string(modus_atom.load()); });
        wache = &w;
        ergebnis = Abspielen(tage * BILDER_PRO_TAG_MAX);
        wache = nullptr;
    }
    ASSERT_EQ(st.fehler, "");
    EXPECT_EQ(ergebnis, "");
    ASSERT_GE(st.erster_tag, 0) << "the game never started";
    EXPECT_GE(st.tag, st.ende) << Stehender_Tag(st.tag, modus_atom.load());
    EXPECT_EQ(st.saisonwechsel, UNTER_SANITIZERN ? 1 : 2);
    EXPECT_EQ(st.jahr, st.jahr_start + st.saisonwechsel);
    EXPECT_NE(ligen[0], ligen[1]) << "the managers play in two leagues";
    EXPECT_EQ(st.spieltag.size(), 2u) << "the managers' turns";
    // Each manager's league plays about 20 of its match days a season; under
    // the sanitizers the game plays one season instead of two.
    EXPECT_GE(st.spieltage, UNTER_SANITIZERN ? 30 : 60) << "the managers' match days";
    for (int32_t modus : {KALENDER_ANKUENDIGUNG, KALENDER_ERGEBNISSE, KALENDER_TABELLE})
        EXPECT_TRUE(st.modi.count(modus)) << "run mode " << modus << " of the match-day pages never came";
    std::printf("%d days from %d, the longest %d frames, %d match days of the managers\n", int(tage),
                int(st.jahr_start), int(st.laengster_tag), int(st.spieltage));
}

}  // namespace
}  // namespace velmora::test
