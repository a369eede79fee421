// tests/matchview/ankuendigung_seiten_test.cpp - the match-day pages in a
// running game, played by mouse: the match report of a 3:2 with an own goal
// and a penalty (long scorers' names beside them) with its live match's counters, a goalless report of a diced
// match whose counted rows stay unmeasured, the results, table and winner windows,
// the page before the turn with its zoom, and the pre-match picture once its
// plates have arrived; each against a reviewed picture.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "core/optionen.h"
#include "core/prioritaeten.h"
#include "gfx/alpha.h"
#include "gfx/bild.h"
#include "gfx/blit.h"
#include "gfx/colour.h"
#include "bilder/trikot.h"
#include "club/manager.h"
#include "club/spieler.h"
#include "gui/icon.h"
#include "gui/menue_lokal.h"
#include "gui/menue_requester.h"
#include "match/record/spielfeld.h"
#include "match/record/spielfeld_hooks.h"
#include "match/record/spielfeld_satz.h"
#include "business/bank.h"
#include "matchview/ankuendigung.h"
#include "matchview/ankuendigung_intern.h"
#include "matchview/ergebnis_seite.h"
#include "matchview/vorspiel.h"
#include "screens/menue_panel.h"
#include "season/kalender.h"
#include "season/spielplan.h"
#include "season/wettbewerb.h"
#include "tests/support/ergebnisse.h"
#include "tests/support/seiten_welt.h"

namespace velmora::test {
namespace {

class AnkuendigungSeiten : public SeitenWelt {
protected:
    static void Bis_Vor_Dem_Spiel(bool vor_menue_foto, std::function<bool()> da);
};

// The page of a kind stands on the screen (drawn by the driver in the run mode of the pages).
bool Seite(int32_t art) {
    return Ankuendigung_Phase_Laeuft() && Ankuendigung_Art() == art && Kalender_Get_Runmodus() == KALENDER_ANKUENDIGUNG;
}
bool Fenster(int32_t modus) { return Ankuendigung_Aktiv() && Kalender_Get_Runmodus() == modus; }

bool Schilder_Da() {
    if (!Seite(ANK_VOR_SPIEL)) return false;
    for (int32_t k = 0; k < 2; ++k) {
        int32_t n = 0;
        const Ankuendigung_Spielerschild* s = Ankuendigung_Schilder(k, &n);
        if (n == 0) return false;
        for (int32_t i = 0; i < n; ++i)
            if (s[i].x != s[i].ziel_x) return false;
    }
    return true;
}

// Waits for the condition, keeps the picture a few frames later, then clicks it away at (x, y).
void Foto_Und_Weg(std::function<bool()> bis, const char* name, int32_t x = 400, int32_t y = 300) {
    SeitenWelt::plan.push_back({bis, 3000, -100, -100, 0, false, name});
    SeitenWelt::plan.push_back({nullptr, 4, x, y, 0, true, name});
    SeitenWelt::plan.push_back({nullptr, 2, x, y, 1, false, name});
    SeitenWelt::plan.push_back({nullptr, 2, x, y, 0, false, name});
}

struct Stand {
    int32_t team = -1;
    int32_t tag_beim_klick = -1;
    int32_t modus_nach_klick = -1;
    bool zoom_ueberstanden = false;
    bool schilder_ueberstanden = false;
} g_stand;

TEST_F(AnkuendigungSeiten, TheReportTheWindowsThePageBeforeTheTurnAndThePreMatchPicture) {
    g_stand = Stand{};
    erster_zug = [](int32_t team) {
        g_stand.team = team;
        const int32_t w = Team_Get_Liga(team, 1);
        // The first matchday played by hand: the team's game 3:2 with an own goal and a penalty.
        int32_t paare[2 * WETTBEWERB_TEAMS_MAX];
        const int32_t n = Wettbewerb_Get_Spieltag_Paarungen(w, 1, paare);
        int32_t eigen = 0;
        for (int32_t p = 0; p < n; ++p)
            if (paare[2 * p] == team || paare[2 * p + 1] == team) eigen = p;
        Runde_Setzen(w, 1);
        Ergebnis_Setzen(w, 1, eigen, 0,
                        {{0, 12}, {1, 31, EREIGNIS_EIGENTOR}, {0, 55, TORART_STANDARD_8000}, {1, 70}, {0, 88}}, 23456);
        // Long names for the scorers of the first goal and of the penalty, in
        // the rows beside the longest kinds of goal.
        {
            const Spiel_Lock h = Spiele_Lock(w, 1, eigen, 0);
            int32_t cursor = 0;
            for (const SpielEreignis* e = Spiele_Ereignis_Erstes(h, &cursor); e; e = Spiele_Ereignis_Naechstes(h, &cursor)) {
                if (!(e->art & EREIGNIS_TOR) || e->spieler == SPIEL_KEIN_SPIELER) continue;
                if (e->minute == 12) Spieler_Namen_Setzen(e->spieler, "Maximilian", "Oberhammerschmidt");
                if (e->minute == 55) Spieler_Namen_Setzen(e->spieler, "Konstantin", "Wiesenthaler-Brandt");
            }
            Spiele_Unlock(h);
        }
        const int32_t torlos = (eigen + 1) % n;
        Ergebnis_Setzen(w, 1, torlos, 0, {});
        // The 3:2 was computed live: its record's counters, as the match kept them.
        static std::vector<uint8_t> satz_speicher;
        satz_speicher.assign(sizeof(Spielfeld_Satz), 0);
        auto* live = reinterpret_cast<Spielfeld_Satz*>(satz_speicher.data());
        {
            const Spiel_Lock h = Spiele_Lock(w, 1, eigen, 0);
            const SpielDatensatz* sp = Spiele_Get_Spiel(h, 0);
            live->team[0] = uint32_t(sp->heim);
            live->team[1] = uint32_t(sp->gast);
            Spiele_Unlock(h);
        }
        live->live = 1;
        live->ecken[0] = 4;
        live->ecken[1] = 1;
        // Per slot: failed passes, passes, shots, duels lost, duels, balls won (home 0-10, away 17-27).
        for (int32_t i = 0; i < 11; ++i) {
            const uint8_t heim[6] = {uint8_t(i % 2), uint8_t(4 + i), uint8_t(i >= 8), uint8_t(i % 3), uint8_t(2 + i % 4),
                                     uint8_t(5 + i)};
            const uint8_t gast[6] = {uint8_t(1 + i % 2), uint8_t(2 + i), uint8_t(i >= 9), uint8_t(1 + i % 3),
                                     uint8_t(2 + i % 3), uint8_t(3 + i)};
            std::memcpy(live->statistik[i], heim, 6);
            std::memcpy(live->statistik[SF_SPIELER_SEITE + i], gast, 6);
        }
        // As the match day stages them: the manager's club as the record's home team.
        auto eintragen = [&](int32_t p, int32_t art, uint32_t schluessel) {
            const Spiel_Lock h = Spiele_Lock(w, 1, p, 0);
            const AnkuendigungDaten d = Ankuendigung_Daten_Von_Spiel(h, p == eigen ? live : nullptr);
            const bool mensch_gast = int32_t(d.gast) == team;
            Ankuendigung_Setzen(w, mensch_gast ? team : int32_t(d.heim), mensch_gast ? int32_t(d.heim) : int32_t(d.gast),
                                1, p, 0, &d);
            Spiele_Unlock(h);
            Ankuendigung_In_Buffer(art, schluessel);
        };
        // The club's period up to this match: gate money and advertising in, wages, upkeep and training out.
        const struct {
            uint8_t kategorie;
            float betrag;
        } buchungen[] = {{BUCHUNG_EINTRITT, 184000}, {BUCHUNG_WERBUNG, 95000}, {BUCHUNG_SPIELERKOSTEN, -212000},
                         {BUCHUNG_STADION_UNTERHALT, -31000}, {BUCHUNG_TRAINING, -12500}};
        for (const auto& b : buchungen)
            EXPECT_TRUE(b.betrag > 0 ? Bank_Gutschrift(team, b.betrag, b.kategorie, -1)
                                     : Bank_Abbuchung(team, -b.betrag, b.kategorie, 1, -1));
        {
            const Spiel_Lock h = Spiele_Lock(w, 1, eigen, 0);
            Bank_Periode_Buchen(team, Spiele_Get_Spiel(h, 0));
            Spiele_Unlock(h);
        }
        // Keys in the order of the pictures below.
        eintragen(eigen, ANK_TORE, 1000);
        eintragen(eigen, ANK_STATISTIK, 999);
        eintragen(eigen, ANK_FINANZEN, 998);
        eintragen(torlos, ANK_TORE, 997);
        eintragen(torlos, ANK_STATISTIK, 996);   // diced: no counters
        eintragen(eigen, ANK_ERGEBNISSE, 995);
        eintragen(eigen, ANK_TABELLE, 994);
        Ankuendigung_Setzen(w, team, -1, Wettbewerb_Get_Info(w)->modus, 0, 0, nullptr);
        Ankuendigung_In_Buffer(ANK_SIEGER, 900);
        // A friendly today: the page before the turn and the pre-match picture.
        for (int32_t f : Wettbewerb_Alle())
            if (Wettbewerb_Ist_Freundschaft(f)) Wettbewerb_Freundschaftsspiel(f, team, paare[2 * torlos]);
    };
    Foto_Und_Weg([] { return Seite(ANK_TORE); }, "tore 3:2");
    Foto_Und_Weg([] { return Seite(ANK_STATISTIK); }, "statistik");
    Foto_Und_Weg([] { return Seite(ANK_FINANZEN); }, "finanzen");
    Foto_Und_Weg([] { return Seite(ANK_TORE); }, "tore 0:0");
    Foto_Und_Weg([] { return Seite(ANK_STATISTIK); }, "statistik ungemessen");
    Foto_Und_Weg([] { return Fenster(KALENDER_ERGEBNISSE); }, "ergebnisse", 491, 552);   // the close button
    Foto_Und_Weg([] { return Fenster(KALENDER_TABELLE); }, "tabelle", 491, 552);
    Foto_Und_Weg([] { return Fenster(KALENDER_SIEGER); }, "sieger");
    // The page before the turn zooms open; a click during the zoom does nothing.
    plan.push_back({[] { return Seite(ANK_VOR_MENUE); }, 3000, -100, -100, 0, false, "vor dem menue"});
    plan.push_back({nullptr, 2, 400, 300, 1, false, "klick im zoom"});
    plan.push_back({nullptr, 2, 400, 300, 0, false, "losgelassen"});
    plan.push_back({[] { return g_stand.zoom_ueberstanden = Seite(ANK_VOR_MENUE); }, 1, 400, 300, 0, false, "noch da"});
    // Fully shown: the picture, then a click over the continue button closes the page only.
    plan.push_back({nullptr, 30, 752, 583, 0, true, "vor dem menue ganz"});
    plan.push_back({nullptr, 2, 752, 583, 1, false, "schliessen"});
    plan.push_back({nullptr, 2, 752, 583, 0, false, "losgelassen"});
    plan.push_back({[] {
                        g_stand.tag_beim_klick = Tag_Index();
                        g_stand.modus_nach_klick = Kalender_Get_Runmodus();
                        return true;
                    },
                    10, 752, 583, 0, false, "darunter"});
    // Now the continue button ends the turn; the pre-match picture follows. A
    // second click while its plates still come (a quick double click on the
    // button) leaves it standing.
    Klick(752, 583, 4);
    plan.push_back({[] { return Seite(ANK_VOR_SPIEL) && !Schilder_Da(); }, 3000, 752, 583, 0, false, "vor dem spiel kommt"});
    plan.push_back({nullptr, 2, 752, 583, 1, false, "zweiter klick"});
    plan.push_back({nullptr, 2, 752, 583, 0, false, "losgelassen"});
    plan.push_back({[] { return g_stand.schilder_ueberstanden = Seite(ANK_VOR_SPIEL); }, 1, 752, 583, 0, false, "steht noch"});
    Foto_Und_Weg(Schilder_Da, "vor dem spiel");
    plan.push_back({[] { return !Seite(ANK_VOR_SPIEL); }, 20, 400, 300, 0, false, "der klick nimmt das bild weg"});
    ASSERT_EQ(Abspielen(), "");
    EXPECT_TRUE(g_stand.zoom_ueberstanden) << "the click during the zoom closed the page";
    EXPECT_TRUE(g_stand.schilder_ueberstanden) << "a click before the plates stood took the picture away";
    EXPECT_EQ(g_stand.tag_beim_klick, 0);
    EXPECT_EQ(g_stand.modus_nach_klick, KALENDER_MENUE) << "the closing click reached the continue button";
    const char* namen[] = {"seite_tore",       "seite_statistik",  "seite_finanzen", "seite_tore_torlos",
                           "seite_statistik_ungemessen",         "seite_ergebnisse", "seite_tabelle_1",
                           "seite_sieger",     "seite_vor_menue",  "seite_vor_spiel"};
    ASSERT_EQ(fotos.size(), std::size(namen));
    for (size_t i = 0; i < fotos.size(); ++i) EXPECT_EQ(Vergleichen(namen[i], i), "") << namen[i];
}

// The first pixel of `farbe` in the rows y0 to y1 of an 800-wide picture
// outside every span [x0, x1] ("x,y"), empty when there is none.
std::string Farbe_Neben_Platten(const std::vector<uint16_t>& bild, int32_t y0, int32_t y1,
                                const std::vector<std::pair<int32_t, int32_t>>& platten, uint16_t farbe) {
    for (int32_t y = y0; y < y1; ++y)
        for (int32_t x = 0; x < 800; ++x) {
            bool auf = false;
            for (const auto& [a, b] : platten) auf = auf || (x >= a && x <= b);
            if (!auf && bild[size_t(y * 800 + x)] == farbe) return std::to_string(x) + "," + std::to_string(y);
        }
    return "";
}

// A friendly today between the club and its first league opponent, who is handed out.
int32_t Freundschaftsspiel_Heute(int32_t team) {
    const int32_t w = Team_Get_Liga(team, 1);
    int32_t paare[2 * WETTBEWERB_TEAMS_MAX];
    if (Wettbewerb_Get_Spieltag_Paarungen(w, 1, paare) < 2) ADD_FAILURE() << "the league has one pair";
    const int32_t gegner = paare[0] == team || paare[1] == team ? paare[2] : paare[0];
    for (int32_t f : Wettbewerb_Alle())
        if (Wettbewerb_Ist_Freundschaft(f)) Wettbewerb_Freundschaftsspiel(f, team, gegner);
    return gegner;
}

// The page before the turn (kept when asked), the turn ended, and the
// pre-match picture kept once `da` holds.
void AnkuendigungSeiten::Bis_Vor_Dem_Spiel(bool vor_menue_foto, std::function<bool()> da) {
    plan.push_back({[] { return Seite(ANK_VOR_MENUE); }, 3000, -100, -100, 0, false, "vor dem menue"});
    plan.push_back({nullptr, 30, -100, -100, 0, vor_menue_foto, "vor dem menue ganz"});
    Klick(752, 583, 4);
    Klick(752, 583, 4);
    Foto_Und_Weg(std::move(da), "vor dem spiel");
}

// Long club names stay on their plates: on the page before the turn (plates
// x 133 to 341 and 459 to 667) and on the pre-match picture (130 to 311 and
// 489 to 671) each name is cut before it would run off its plate; only the
// names' white stands in their rows.
TEST_F(AnkuendigungSeiten, LongClubNamesStayOnThePlatesBeforeTheTurnAndBeforeTheMatch) {
    erster_zug = [](int32_t team) {
        const int32_t gegner = Freundschaftsspiel_Heute(team);
        ASSERT_TRUE(Team_Namen_Setzen(team, nullptr, "Sportfreunde Grossbuch", nullptr));
        ASSERT_TRUE(Team_Namen_Setzen(gegner, nullptr, "Borussia Waldmuehlheim", nullptr));
    };
    Bis_Vor_Dem_Spiel(true, Schilder_Da);
    ASSERT_EQ(Abspielen(), "");
    ASSERT_EQ(fotos.size(), 2u);
    // The name rows of each picture and the plates' spans in them.
    EXPECT_EQ(Farbe_Neben_Platten(fotos[0], 205, 290, {{133, 341}, {459, 667}}, ANK_WEISS), "")
        << "the page before the turn: a name's white beside its plate";
    EXPECT_EQ(Farbe_Neben_Platten(fotos[1], 8, 62, {{130, 311}, {489, 671}}, ANK_WEISS), "")
        << "the pre-match picture: a name's white beside its plate";
    EXPECT_EQ(Vergleichen("seite_vor_menue_lange_namen", 0), "");
    EXPECT_EQ(Vergleichen("seite_vor_spiel_lange_namen", 1), "");
}

// Each side of the pre-match picture wears the shirt the pitch will show: its
// figures are drawn in the main colour of the kit the match settles, which
// is the colour the live match dresses it in (the away side's second kit on
// a loose clash), and that colour is one of its crest's. Two clubs of
// different colours, the manager's and his friendly's opponent.
TEST_F(AnkuendigungSeiten, ThePreMatchKitsAreTheLiveMatchsShirtsInTheCrestsColours) {
    // The shirt colour each side wears on the pitch, as the live match takes
    // it from the club's colours, read while the picture stands.
    static int32_t hemd[2][3];
    static bool gelesen;
    gelesen = false;
    erster_zug = [](int32_t team) { Freundschaftsspiel_Heute(team); };
    Bis_Vor_Dem_Spiel(false, [] {
        if (!Schilder_Da()) return false;
        const int32_t seiten[2] = {int32_t(Ankuendigung_Staging().heim), int32_t(Ankuendigung_Staging().gast)};
        const bool zweites = Trikot_Is_Trikot_Equal(Team_Get_TrikotNr(seiten[0], 0), Team_Get_TrikotNr(seiten[1], 0),
                                                    TRIKOT_TOLERANZ, false);
        for (int32_t k = 0; k < 2; ++k) {
            const auto* f = static_cast<const uint8_t*>(Team_Zeiger(TZ_FARBEN, seiten[k], nullptr, OP_LESEN));
            if (!f) return false;
            for (int32_t c = 0; c < 3; ++c) hemd[k][c] = f[(k == 1 && zweites ? 12 : 0) + c];
        }
        return gelesen = true;
    });
    ASSERT_EQ(Abspielen(), "");
    ASSERT_EQ(fotos.size(), 1u);
    ASSERT_TRUE(gelesen);
    const std::vector<uint16_t>& bild = fotos[0];
    auto abstand = [](const int32_t* a, uint16_t p) {
        int32_t r, g, b;
        Colour_Split(p, 16, &r, &g, &b);
        return std::max({std::abs(a[0] - r), std::abs(a[1] - g), std::abs(a[2] - b)});
    };
    EXPECT_GE(abstand(hemd[0], Colour_Pack565(hemd[1][0], hemd[1][1], hemd[1][2])), 100)
        << "the two clubs wear shirts of one colour";
    for (int32_t k = 0; k < 2; ++k) {
        // The figures on the pitch, between the squads' panels (their shirts
        // shaded by a few steps).
        int32_t figuren = 0;
        for (int32_t y = 200; y < 440; ++y)
            for (int32_t x = 240; x < 560; ++x) figuren += abstand(hemd[k], bild[size_t(y * 800 + x)]) <= 24;
        EXPECT_GE(figuren, 100) << (k ? "away" : "home") << " side: its shirt colour " << hemd[k][0] << ","
                                << hemd[k][1] << "," << hemd[k][2] << " stands on " << figuren << " pixels of the pitch";
        // The crest (66 x 66 at (55, 19) and (682, 29)) shows that colour.
        const int32_t cx = k ? 682 : 55, cy = k ? 29 : 19;
        int32_t naechster = 255;
        for (int32_t y = cy; y < cy + 66; ++y)
            for (int32_t x = cx; x < cx + 66; ++x) naechster = std::min(naechster, abstand(hemd[k], bild[size_t(y * 800 + x)]));
        EXPECT_LE(naechster, 60) << (k ? "away" : "home") << " side: its crest holds no colour of its shirt";
    }
}

// The match report's header: each long name is cut to its plate (x 130 to
// 339 and 461 to 669), clear of the score's box between them (334 to 464);
// only the names' text colour stands in their rows.
TEST_F(AnkuendigungSeiten, LongClubNamesStayOnThePlatesOfTheMatchReport) {
    erster_zug = [](int32_t team) {
        // The club's first league match, 1:1; both clubs get long names.
        const int32_t w = Team_Get_Liga(team, 1);
        int32_t paare[2 * WETTBEWERB_TEAMS_MAX];
        int32_t eigen = Wettbewerb_Get_Spieltag_Paarungen(w, 1, paare);
        while (--eigen > 0 && paare[2 * eigen] != team && paare[2 * eigen + 1] != team) {}
        Runde_Setzen(w, 1);
        Ergebnis_Setzen(w, 1, eigen, 0, {{0, 12}, {1, 70}}, 23456);
        ASSERT_TRUE(Team_Namen_Setzen(paare[2 * eigen], nullptr, "Sportfreunde Grossbuch", nullptr));
        ASSERT_TRUE(Team_Namen_Setzen(paare[2 * eigen + 1], nullptr, "Borussia Waldmuehlheim", nullptr));
        const Spiel_Lock h = Spiele_Lock(w, 1, eigen, 0);
        const AnkuendigungDaten d = Ankuendigung_Daten_Von_Spiel(h, nullptr);
        Ankuendigung_Setzen(w, int32_t(d.heim), int32_t(d.gast), 1, eigen, 0, &d);
        Spiele_Unlock(h);
        Ankuendigung_In_Buffer(ANK_TORE, 1000);
    };
    Foto_Und_Weg([] { return Seite(ANK_TORE); }, "tore");
    ASSERT_EQ(Abspielen(), "");
    ASSERT_EQ(fotos.size(), 1u);
    EXPECT_EQ(Farbe_Neben_Platten(fotos[0], 100, 128, {{130, 326}}, ANK_TEXT), "") << "the home name";
    EXPECT_EQ(Farbe_Neben_Platten(fotos[0], 144, 172, {{472, 669}}, ANK_TEXT), "") << "the away name";
    EXPECT_EQ(Vergleichen("seite_tore_lange_namen", 0), "");
}

// Two matches' statistics pages one after the other (two managers' matches of
// a day): the second shows its own figures, not the captions the first left
// in the shadow cache at the same places (same widths: single digits).
TEST_F(AnkuendigungSeiten, EachStatisticsPageShowsItsOwnFiguresAfterAnotherMatchs) {
    erster_zug = [](int32_t team) {
        const int32_t w = Team_Get_Liga(team, 1);
        int32_t paare[2 * WETTBEWERB_TEAMS_MAX];
        const int32_t n = Wettbewerb_Get_Spieltag_Paarungen(w, 1, paare);
        ASSERT_GE(n, 2);
        Runde_Setzen(w, 1);
        static std::vector<std::vector<uint8_t>> saetze;
        saetze.assign(2, std::vector<uint8_t>(sizeof(Spielfeld_Satz), 0));
        for (int32_t p = 0; p < 2; ++p) {
            Ergebnis_Setzen(w, 1, p, 0, {{p, 30}}, 20000);
            auto* live = reinterpret_cast<Spielfeld_Satz*>(saetze[size_t(p)].data());
            const Spiel_Lock h = Spiele_Lock(w, 1, p, 0);
            const SpielDatensatz* sp = Spiele_Get_Spiel(h, 0);
            live->team[0] = uint32_t(sp->heim);
            live->team[1] = uint32_t(sp->gast);
            live->live = 1;
            live->ecken[0] = 1 + 4 * p;
            live->ecken[1] = 5 - 4 * p;
            // One player a side with single-digit counters, other ones in each match.
            const uint8_t heim[6] = {uint8_t(1 + p), uint8_t(6 + p), uint8_t(2 + 5 * p), uint8_t(1 + p), uint8_t(3 + 2 * p), uint8_t(4 + 3 * p)};
            const uint8_t gast[6] = {uint8_t(2 - p), uint8_t(8 - p), uint8_t(7 - 5 * p), uint8_t(2 + p), uint8_t(5 - p), uint8_t(6 - 2 * p)};
            std::memcpy(live->statistik[0], heim, 6);
            std::memcpy(live->statistik[SF_SPIELER_SEITE], gast, 6);
            const AnkuendigungDaten d = Ankuendigung_Daten_Von_Spiel(h, live);
            Ankuendigung_Setzen(w, int32_t(d.heim), int32_t(d.gast), 1, p, 0, &d);
            Spiele_Unlock(h);
        }
        // Match 1, match 0, then match 1 again: its first page and its last one must agree.
        const int32_t reihe[3] = {1, 0, 1};
        for (int32_t i = 0; i < 3; ++i) {
            const int32_t p = reihe[i];
            auto* live = reinterpret_cast<Spielfeld_Satz*>(saetze[size_t(p)].data());
            const Spiel_Lock h = Spiele_Lock(w, 1, p, 0);
            const AnkuendigungDaten d = Ankuendigung_Daten_Von_Spiel(h, live);
            Ankuendigung_Setzen(w, int32_t(d.heim), int32_t(d.gast), 1, p, 0, &d);
            Spiele_Unlock(h);
            Ankuendigung_In_Buffer(ANK_STATISTIK, uint32_t(1000 - i));
        }
    };
    Foto_Und_Weg([] { return Seite(ANK_STATISTIK) && Ankuendigung_Staging().paarung == 1; }, "statistik 1");
    Foto_Und_Weg([] { return Seite(ANK_STATISTIK) && Ankuendigung_Staging().paarung == 0; }, "statistik 0");
    Foto_Und_Weg([] { return Seite(ANK_STATISTIK) && Ankuendigung_Staging().paarung == 1; }, "statistik 1 wieder");
    ASSERT_EQ(Abspielen(), "");
    ASSERT_EQ(fotos.size(), 3u);
    // The two columns of figures (home at x 150, away at x 650, the rows from
    // the shots down to the possession).
    auto zahlen = [](const std::vector<uint16_t>& bild) {
        std::vector<uint16_t> spalten;
        for (int32_t y = 270; y < 570; ++y)
            for (int32_t x0 : {110, 610})
                spalten.insert(spalten.end(), bild.begin() + y * 800 + x0, bild.begin() + y * 800 + x0 + 80);
        return spalten;
    };
    EXPECT_NE(zahlen(fotos[0]), zahlen(fotos[1])) << "match 0's page showed match 1's figures";
    EXPECT_EQ(fotos[0], fotos[2]) << "match 1's page shown again";
}

}  // namespace
}  // namespace velmora::test

namespace velmora::test {
namespace {

// Two managers play on from the first day, every page switched on; a click
// every few frames takes each page away and every turn ends at once.
class AnkuendigungTage : public SeitenWelt {
protected:
    void SetUp() override {
        menschen = 2;
        SeitenWelt::SetUp();
        Kalender_Hooks().maus_latch = Klicken_Und_Merken;
        // A turn ends a few frames after its box (whose turn it is) was
        // answered, as a manager at a shared machine reads it first.
        Kalender_Hooks().menue_frame.Anmelden(prio::MENUE_BILDSCHIRM + 40, [] {
            static int32_t frei = 0;
            if (Tag_Index() >= tage) Programm_Beenden_Anfordern();
            else if (Menue_Requester_Offen()) frei = 0;
            else if (++frei > 2) {
                frei = 0;
                K_NEUER_TAG(K_FERTIG, 0);
            }
        }, "Zugende");
    }
    static void Klicken_Und_Merken() {
        ++bild;
        const bool box = Kalender_Get_Runmodus() == KALENDER_MENUE && Menue_Requester_Offen();
        Plat_Headless_Maus(box ? 690 : 400, box ? 421 : 300, bild % 4 < 2 ? 1 : 0);
        Maus_Tasten_Latch();
        if (Ankuendigung_Phase_Laeuft()) gesehen.insert(Ankuendigung_Art());
        if (Ankuendigung_Phase_Laeuft() && Ankuendigung_Art() == ANK_STATISTIK) {
            const Ankuendigung& a = Ankuendigung_Staging();
            statistik[{a.wettbewerb, a.runde, a.paarung}] = a.daten;
        }
        if (Ankuendigung_Aktiv()) gesehen.insert(Kalender_Get_Runmodus());
    }
    static inline int32_t bild = 0, tage = 0;
    static inline std::set<int32_t> gesehen;
    // The data of each statistics page shown, by competition, matchday and game.
    static inline std::map<std::tuple<uint32_t, uint32_t, uint32_t>, AnkuendigungDaten> statistik;
};

TEST_F(AnkuendigungTage, FortyFiveDaysOfTwoManagersEndWithAnEmptyBuffer) {
    tage = 45;   // the first league matchday is day 39
    bild = 0;
    gesehen.clear();
    statistik.clear();
    EXPECT_EQ(Abspielen(30000), "");
    EXPECT_GE(Tag_Index(), 0);
    EXPECT_TRUE(Ankuendigung_Buffer_Leer()) << "every page was shown and taken away";
    EXPECT_FALSE(Ankuendigung_Phase_Laeuft());
    for (int32_t art : {ANK_VOR_MENUE, ANK_VOR_SPIEL, ANK_TORE, ANK_STATISTIK, ANK_FINANZEN, KALENDER_ERGEBNISSE,
                        KALENDER_TABELLE})
        EXPECT_TRUE(gesehen.count(art)) << art;
    // The managers' matches were computed live: each statistics page holds
    // that match's own counters, not the zeros of a match nobody counted.
    ASSERT_FALSE(statistik.empty());
    for (const auto& [spiel, d] : statistik) {
        EXPECT_TRUE(Ankuendigung_Daten_Gemessen(d)) << std::get<0>(spiel) << "/" << std::get<2>(spiel);
        int32_t seite[2][6] = {};
        for (int32_t i = 0; i < ANKUENDIGUNG_SPIELER; ++i)
            for (int32_t k = 0; k < 6; ++k) seite[i < ANKUENDIGUNG_SPIELER / 2 ? 0 : 1][k] += d.spieler[i].c[k];
        for (int32_t s = 0; s < 2; ++s) {
            EXPECT_GT(seite[s][1], 0) << "passes of side " << s;
            EXPECT_GT(seite[s][5], 0) << "balls won of side " << s;
            EXPECT_LE(seite[s][0], seite[s][1]) << "failed passes are passes";
        }
        EXPECT_GT(seite[0][4] + seite[1][4], 0) << "duels";
    }
    // Two managers' matches of one day: each page holds its own match's counters.
    for (auto a = statistik.begin(); a != statistik.end(); ++a)
        for (auto b = std::next(a); b != statistik.end(); ++b)
            EXPECT_NE(std::memcmp(a->second.spieler, b->second.spieler, sizeof a->second.spieler), 0)
                << "games " << std::get<2>(a->first) << " and " << std::get<2>(b->first) << " of matchday "
                << std::get<1>(a->first);
    EXPECT_GE(statistik.size(), 2u);
}

}  // namespace
}  // namespace velmora::test

namespace velmora::test {
namespace {

// The two panels of a live match: the competition's other results and its
// table, drawn over the screen, dragged and closed by a right click.
class ErgebnisPanels : public SeitenWelt {
protected:
    void TearDown() override {
        Spielfeld_Aktives_Merken(nullptr);
        SeitenWelt::TearDown();
    }
};

struct PanelStand {
    int32_t unten_ergebnis = -1, unten_tabelle = -1;
    bool ergebnis_zu = false;
    int32_t option = -1;
} g_panel;

TEST_F(ErgebnisPanels, BothPanelsShowTheMatchdayDragToTheEdgeAndCloseByARightClick) {
    static std::vector<uint8_t> satz(sizeof(Spielfeld_Satz));
    g_panel = PanelStand{};
    erster_zug = [](int32_t team) {
        const int32_t w = Team_Get_Liga(team, 1);
        Runde_Setzen(w, 1);
        auto* s = reinterpret_cast<Spielfeld_Satz*>(satz.data());
        s->wettbewerb = uint32_t(w);
        s->runde = 1;
        s->spieltag = 0;
        Spielfeld_Aktives_Merken(s);
        Manager_Icon_Button_An_Aus(team, ICON_OPTION_ERGEBNISSE, 1);
        EXPECT_TRUE(Ergebnis_Seite(1));
        EXPECT_TRUE(Ergebnis_Seite(0));
        Ankuendigung_Flags();
    };
    plan.push_back({[] { return zug_gesehen; }, 2000, -100, -100, 0, false, "erster Zug"});
    plan.push_back({nullptr, 4, 760, 60, 0, true, "panels"});
    // The table panel (first at 350, 120) dragged far below: its lower edge stops at 565.
    plan.push_back({nullptr, 2, 360, 130, 0, false, "auf die tabelle"});
    plan.push_back({nullptr, 2, 360, 130, 1, false, "greifen"});
    plan.push_back({nullptr, 3, 380, 595, 1, false, "ziehen"});
    plan.push_back({nullptr, 2, 380, 595, 1, false, "gezogen"});
    plan.push_back({[] {
                        const s_icon* t = Menue_Screen_Icon_Aus_Nummer(ICON_PANEL_TABELLE);
                        g_panel.unten_tabelle = t->y + t->ho;
                        return true;
                    },
                    1, 380, 595, 0, false, "loslassen"});
    // The results panel (first at 150, 120): the same, then a right click closes it.
    plan.push_back({nullptr, 2, 160, 130, 0, false, "auf die ergebnisse"});
    plan.push_back({nullptr, 2, 160, 130, 1, false, "greifen"});
    plan.push_back({nullptr, 3, 170, 595, 1, false, "ziehen"});
    plan.push_back({nullptr, 2, 170, 595, 1, false, "gezogen"});
    plan.push_back({[] {
                        const s_icon* e = Menue_Screen_Icon_Aus_Nummer(ICON_PANEL_ERGEBNIS);
                        g_panel.unten_ergebnis = e->y + e->ho;
                        return true;
                    },
                    1, 170, 595, 0, false, "loslassen"});
    plan.push_back({[] {
                        const s_icon* e = Menue_Screen_Icon_Aus_Nummer(ICON_PANEL_ERGEBNIS);
                        return e != nullptr;
                    },
                    2, 170, 555, 0, false, "hin"});
    plan.push_back({nullptr, 2, 170, 555, 2, false, "rechtsklick"});
    plan.push_back({[] {
                        g_panel.ergebnis_zu = !Menue_Screen_Icon_Ist_Vorhanden(ICON_PANEL_ERGEBNIS);
                        g_panel.option = Manager_Icon_Button_Lesen(Menue_Lokal().team, ICON_OPTION_ERGEBNISSE);
                        return true;
                    },
                    3, 170, 555, 0, false, "zu"});
    ASSERT_EQ(Abspielen(), "");
    EXPECT_EQ(g_panel.unten_tabelle, 565);
    EXPECT_EQ(g_panel.unten_ergebnis, 564);
    EXPECT_TRUE(g_panel.ergebnis_zu);
    EXPECT_EQ(g_panel.option, 0) << "the results' option icon is switched off";
    ASSERT_EQ(fotos.size(), 1u);
    EXPECT_EQ(Vergleichen("panels_live", 0), "");
}

// A goal of the live match (the hook the match calls when it records one)
// redraws both open panels: the results panel shows the new score at once.
TEST_F(ErgebnisPanels, AGoalOfTheLiveMatchRedrawsTheOpenPanels) {
    static std::vector<uint8_t> satz(sizeof(Spielfeld_Satz));
    static int32_t liga = -1;
    erster_zug = [](int32_t team) {
        liga = Team_Get_Liga(team, 1);
        Ergebnis_Setzen(liga, 1, 0, 0, {});
        auto* s = reinterpret_cast<Spielfeld_Satz*>(satz.data());
        s->wettbewerb = uint32_t(liga);
        s->runde = 1;
        s->spieltag = 0;
        Spielfeld_Aktives_Merken(s);
        EXPECT_TRUE(Ergebnis_Seite(1));
        EXPECT_TRUE(Ergebnis_Seite(0));
    };
    plan.push_back({[] { return zug_gesehen; }, 2000, -100, -100, 0, false, "erster Zug"});
    plan.push_back({nullptr, 4, 760, 60, 0, true, "vor dem Tor"});
    plan.push_back({[] {
                        Ergebnis_Setzen(liga, 1, 0, 0, {{0, 10}});
                        Spielfeld_Hook_Ankuendigung();
                        return true;
                    },
                    1, 760, 60, 0, false, "Tor"});
    plan.push_back({nullptr, 4, 760, 60, 0, true, "nach dem Tor"});
    ASSERT_EQ(Abspielen(), "");
    ASSERT_EQ(fotos.size(), 2u);
    // The results panel's first row (150, 120, 186 wide) holds the first pairing's score.
    int32_t anders = 0;
    for (int32_t y = 121; y < 129; ++y)
        for (int32_t x = 150; x < 336; ++x) anders += fotos[0][size_t(y * 800 + x)] != fotos[1][size_t(y * 800 + x)];
    EXPECT_GT(anders, 0) << "the results panel still shows the score before the goal";
}

}  // namespace
}  // namespace velmora::test

namespace velmora::test {
namespace {

// Two managers at one machine on the first day both their clubs play: each
// turn shows first the box that says whose turn it is, then the page before
// the menu; after the last turn each manager's match gets its pre-match
// picture. Days without a match end at once; on the match day a click every
// few frames answers what is on top: a page, the box, else the continue button.
struct HeisserStuhlStand {
    int32_t tag = -1, bild = 0;
    int32_t spieltage = 1;   // the match days played before the run ends
    int32_t letzter_tag = -1;   // the last of them so far
    std::set<std::pair<int32_t, int32_t>> spiele, bilder;
    std::string reihe;
    std::set<int32_t> ligen, ergebnisse, tabellen;   // the managers' leagues; the windows shown
    bool rest = false;   // a page left in the buffer when a match day's date moved on
};

class AnkuendigungHeisserStuhl : public SeitenWelt {
protected:
    void SetUp() override {
        menschen = 2;
        SeitenWelt::SetUp();
        st = HeisserStuhlStand{};
        Kalender_Hooks().maus_latch = Klicken_Und_Merken;
        Kalender_Hooks().zug_beginnt.Anmelden(prio::ZUG_BEGINN_MENUE + 70, [](int32_t team) {
            int32_t seite = 0;
            const int32_t gegner = Ankuendigung_Heutiger_Gegner(team, &seite, nullptr, nullptr);
            if (gegner < 0) return;
            if (st.tag < 0) st.tag = Tag_Index();
            if (st.letzter_tag != Tag_Index()) --st.spieltage;
            st.letzter_tag = Tag_Index();
            st.ligen.insert(Team_Get_Liga(team, 1));
            st.spiele.insert(seite == 0 ? std::pair{team, gegner} : std::pair{gegner, team});
            st.reihe.push_back('Z');
        }, "Heisser Stuhl");
        Kalender_Hooks().menue_frame.Anmelden(prio::MENUE_BILDSCHIRM + 40, [] {
            if ((st.tag < 0 || Tag_Index() > st.letzter_tag) && Tag_Index() < 60) K_NEUER_TAG(K_FERTIG, 0);
        }, "Zugende");
    }
    static void Klicken_Und_Merken() {
        Maus_Tasten_Latch();
        if (st.tag < 0) return;
        if (Tag_Index() > st.letzter_tag) {
            if (Tag_Index() == st.letzter_tag + 1 && !Ankuendigung_Buffer_Leer()) st.rest = true;
            if (st.spieltage <= 0) Programm_Beenden_Anfordern();
            return;
        }
        if (Fenster(KALENDER_ERGEBNISSE)) st.ergebnisse.insert(int32_t(Ankuendigung_Staging().wettbewerb));
        if (Fenster(KALENDER_TABELLE)) st.tabellen.insert(int32_t(Ankuendigung_Staging().wettbewerb));
        ++st.bild;
        const bool seite = Ankuendigung_Phase_Laeuft();
        const bool box = Kalender_Get_Runmodus() == KALENDER_MENUE && Menue_Requester_Offen();
        // When the page before the menu comes: after the box was answered
        // (B), or over the box still waiting for its answer (P).
        if (!st.reihe.empty() && st.reihe.back() == 'Z' && seite && Ankuendigung_Art() == ANK_VOR_MENUE)
            st.reihe.back() = Menue_Requester_Offen() && std::strstr(Menue_Requester_Text(), "ist am Zug") ? 'P' : 'B';
        if (seite && Ankuendigung_Art() == ANK_VOR_SPIEL) {
            const Ankuendigung& a = Ankuendigung_Staging();
            st.bilder.insert({int32_t(a.heim), int32_t(a.gast)});
        }
        const int32_t x = seite ? 400 : box ? 690 : 752, y = seite ? 300 : box ? 421 : 583;
        Plat_Headless_Maus(x, y, st.bild % 6 < 3 ? 1 : 0);
    }
    static inline HeisserStuhlStand st;
};

TEST_F(AnkuendigungHeisserStuhl, EachManagersMatchGetsItsPictureAndTheTurnsBoxComesBeforeThePage) {
    EXPECT_EQ(Abspielen(60000), "");
    ASSERT_GE(st.tag, 0) << "no day with a match of the managers";
    ASSERT_FALSE(st.reihe.empty());
    EXPECT_EQ(st.reihe, std::string(st.reihe.size(), 'B')) << "Z: no page, P: the page came over the unanswered box";
    EXPECT_EQ(st.bilder, st.spiele) << "each human's match has its pre-match picture";
}

// The two managers in two leagues, over their first two match days: each
// turn has its page before the menu, each league its results and table, and
// no page is left over when the date moves on. The clock moves on during the
// menu's frame, as it does in a window (the menu's work before the page's
// question takes time), so the page starts a moment after the calendar read
// the frame's time.
class AnkuendigungZweiLigen : public AnkuendigungHeisserStuhl {
protected:
    void SetUp() override {
        menschen_ligen_verschieden = true;
        AnkuendigungHeisserStuhl::SetUp();
        st.spieltage = 2;
        Kalender_Hooks().menue_frame.Anmelden(prio::MENUE_ANKUENDIGUNG - 10, [] { Plat_Uhr_Vorstellen(3); }, "Uhr");
    }
};

TEST_F(AnkuendigungZweiLigen, EachLeaguesManagerGetsHisPagesOnTwoMatchDays) {
    EXPECT_EQ(Abspielen(120000), "");
    ASSERT_GE(st.tag, 0) << "no day with a match of the managers";
    ASSERT_EQ(st.ligen.size(), 2u);
    EXPECT_EQ(st.reihe, std::string(4, 'B')) << "Z: no page, P: the page came over the unanswered box";
    EXPECT_EQ(st.bilder, st.spiele) << "each human's match has its pre-match picture";
    EXPECT_EQ(st.ergebnisse, st.ligen) << "each manager's league has its results";
    EXPECT_EQ(st.tabellen, st.ligen) << "each manager's league has its table";
    EXPECT_FALSE(st.rest) << "a page was left in the buffer after the match day";
}

}  // namespace
}  // namespace velmora::test

namespace velmora::test {
namespace {

// The continue button names the match on the morning of a match day ("Zum
// Spiel", before the match day fills its table at the turn's end) and reads
// "Weiter" on the days before: each turn is read a few frames after it began,
// up to the first match day's.
struct WeiterStand {
    int32_t tag = -1, bilder = 0;
    bool fertig = false;
    std::vector<std::pair<bool, std::string>> tage;   // a match today, the button's text
};

class WeiterKnopf : public SeitenWelt {
protected:
    void SetUp() override {
        SeitenWelt::SetUp();
        ws = WeiterStand{};
        // Without the page before the turn the main screen stays in its frame.
        Kalender_Hooks().zug_beginnt.Anmelden(prio::ZUG_BEGINN_MENUE + 70, [](int32_t) { Optionen(4, 1, 0); },
                                              "Ohne Seite");
        Kalender_Hooks().menue_frame.Anmelden(prio::MENUE_BILDSCHIRM + 40, [] {
            if (ws.fertig) return;
            if (Tag_Index() != ws.tag) ws.tag = Tag_Index(), ws.bilder = 0;
            if (++ws.bilder != 20) return;
            const s_icon* knopf = Menue_Screen_Icon_Aus_Nummer(ICON_WEITER);
            const auto* text = knopf ? static_cast<const s_icon_text*>(knopf->daten) : nullptr;
            const bool heute = Ankuendigung_Heutiger_Gegner(Menue_Lokal().team, nullptr, nullptr, nullptr) >= 0;
            ws.tage.push_back({heute, text && text->text ? text->text : ""});
            if (heute || Tag_Index() > 90) ws.fertig = true;
            else K_NEUER_TAG(K_FERTIG, 0);
        }, "Weiterknopf");
    }
    static inline WeiterStand ws;
};

TEST_F(WeiterKnopf, ReadsZumSpielOnTheMorningOfAMatchDay) {
    plan.push_back({[] { return ws.fertig; }, 200000, -100, -100, 0, false, "erster Spieltag"});
    ASSERT_EQ(Abspielen(400000), "");
    ASSERT_GE(ws.tage.size(), 2u) << "the first turn was already a match day's";
    ASSERT_TRUE(ws.tage.back().first) << "no match day within 90 days";
    for (size_t i = 0; i < ws.tage.size(); ++i)
        EXPECT_EQ(ws.tage[i].second, ws.tage[i].first ? "Zum Spiel" : "Weiter") << "turn " << i;
}

}  // namespace
}  // namespace velmora::test

namespace velmora::test {
namespace {

// The first match day of the season, reached by ending the turns of the days
// before (their boxes answered "no"): the page before the turn opens over the
// menu of the new day, as the menu's frame left it, not over the last picture
// of the day before. The header's badge beside the page shows the date.
struct TagWechselStand {
    int32_t tag = -1, bilder = 0;
    bool spieltag = false;
    Rastport* menue = nullptr;   // the screen as the menu's last frame left it
    int32_t menue_tag = -1, seite_tag = -1;
    std::vector<uint16_t> erwartet;   // that screen under the page's darkening
};

class TagWechsel : public SeitenWelt {
protected:
    void SetUp() override {
        SeitenWelt::SetUp();
        tw = TagWechselStand{};
        Kalender_Hooks().menue_frame.Anmelden(prio::MENUE_BILDSCHIRM + 40, [] {
            if (tw.spieltag || Tag_Index() >= 90) return;
            if (Ankuendigung_Heutiger_Gegner(Menue_Lokal().team, nullptr, nullptr, nullptr) >= 0) {
                tw.spieltag = true;
                return;
            }
            if (Menue_Requester_Offen()) {
                Menue_Requester_Klick(Menue_Screen_Icon_Aus_Nummer(ICON_REQUESTER_KNOPF_2), EV_LINKS);
                return;
            }
            if (Tag_Index() != tw.tag) tw.tag = Tag_Index(), tw.bilder = 0;
            if (++tw.bilder == 5) K_NEUER_TAG(K_FERTIG, 0);
        }, "Tage beenden");
        Kalender_Hooks().menue_frame.Anmelden(prio::MENUE_BILDSCHIRM + 60, [] {
            Rastport* screen = Rastport_Screen();
            if (!tw.menue) tw.menue = Rastport_Create(int32_t(screen->width), int32_t(screen->height), Rastport_Screen_Depth(), 0, 0);
            Rastport_Blit(screen, 0, 0, -1, -1, tw.menue, 0, 0, BlitMode_Default);
            tw.menue_tag = Tag_Index();
        }, "Menue merken");
    }
    void TearDown() override {
        tw.menue = Rastport_Free(tw.menue);
        SeitenWelt::TearDown();
    }
    // The menu's last picture darkened as the page darkens what it found.
    static bool Abdunkeln() {
        Rastport* dunkel = Bild_Res_Laden(ANK_RES_GLOBAL, ANK_BILD_ABDUNKELN);
        if (!dunkel || !tw.menue) return false;
        tw.seite_tag = Tag_Index();
        Blit_Alpha(dunkel, 0, 0, -1, -1, tw.menue, 0, 0, 90);
        Rastport_Free(dunkel);
        const auto* p = static_cast<const uint16_t*>(tw.menue->pixels->pixels);
        tw.erwartet.assign(p, p + 800 * 600);
        return true;
    }
    static inline TagWechselStand tw;
};

TEST_F(TagWechsel, ThePageBeforeTheTurnOpensOverTheNewDaysMenu) {
    plan.push_back({[] { return Seite(ANK_VOR_MENUE) && Abdunkeln(); }, 200000, -100, -100, 0, false, "vor dem menue"});
    plan.push_back({nullptr, 30, -100, -100, 0, true, "ganz"});
    ASSERT_EQ(Abspielen(400000), "");
    ASSERT_TRUE(tw.spieltag) << "no match day within 90 days";
    ASSERT_GT(tw.menue_tag, 0) << "the match day was the game's first";
    ASSERT_EQ(tw.menue_tag, tw.seite_tag) << "the menu's last picture is of another day";
    ASSERT_EQ(fotos.size(), 1u);
    // The header's badge (weekday, date, season) right of the page's top.
    int32_t anders = 0;
    for (int32_t y = 4; y < 70; ++y)
        for (int32_t x = 643; x < 800; ++x)
            anders += fotos[0][size_t(y * 800 + x)] != tw.erwartet[size_t(y * 800 + x)];
    EXPECT_EQ(anders, 0) << "the badge under the page is not the new day's menu";
}

}  // namespace
}  // namespace velmora::test
