// tests/screens/editor_listen_test.cpp - the team editor's lists, steppers and
// clamps, and its round trip through the configuration files.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "app/sim_lauf.h"
#include "business/stadion.h"
#include "club/club_config.h"
#include "club/global_config.h"
#include "club/spieler.h"
#include "club/talente.h"
#include "club/team.h"
#include "core/config.h"
#include "core/dirs.h"
#include "core/rnd.h"
#include "bilder/trikot.h"
#include "platform/files.h"
#include "screens/editor_daten.h"
#include "bilder/portrait.h"
#include "screens/editor_listen.h"
#include "season/wettbewerb.h"
#include "tests/core/temp_verz.h"
#include "tests/support/dateigrenze.h"

namespace velmora {
namespace {

std::string Lesen(const std::string& pfad) {
    std::vector<uint8_t> daten;
    if (!Plat_Read_All(pfad.c_str(), daten)) return "";
    return std::string(daten.begin(), daten.end());
}

// The small generated world in a temporary installation, read by the game's readers.
class EditorWelt : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dirs.ok);
        Rnd_Init();
        Config_Satz_Setzen(0);
        ASSERT_TRUE(Sim_Welt_Erzeugen(dirs.install, true, 7));
        Team_Free(0);
        Spieler_Free();
        ASSERT_TRUE(Laden());
        ASSERT_TRUE(Editor_Daten_Oeffnen());
        clubs = Editor_Teamliste();
        ASSERT_GE(clubs.size(), 20u);
    }
    void TearDown() override {
        Editor_Daten_Schliessen();
        Team_Free(0);
        Spieler_Free();
    }
    bool Laden() {
        uint8_t voll = 0;
        std::vector<WettbewerbBeschreibung> w;
        return Global_Config_Lesen() && Team(0) && Spieler(0, &voll) && Wettbewerb_Config_Lesen(w) &&
               Wettbewerb_Init(w);
    }
    std::string Datei(const char* name) const { return Lesen(std::string(Dirs_Get(DIR_USER_CONFIG)) + "/0_" + name); }
    std::string Alle() const { return Datei("team.cfg") + Datei("spieler.cfg") + Datei("wettbewerb.cfg"); }

    velmora_test::TestWelt dirs;
    std::vector<int32_t> clubs;
};

TEST_F(EditorWelt, ClubSortsCompareBytesAndNationLeagueName) {
    const int32_t a = clubs[0], b = clubs[1], c = clubs[2], d = clubs[3];
    const struct {
        int32_t team;
        const char* name;
    } namen[] = {{a, "b"}, {b, "B"}, {c, "\xfc"}, {d, "ba"}};
    for (const auto& n : namen) Team_String_Setzen(TS_NAME_KURZ, n.team, n.name);
    std::vector<int32_t> liste = {a, b, c, d};
    Editor_Teamliste_Sortieren(liste, EDITOR_NAME_AUF);
    EXPECT_EQ(liste, (std::vector<int32_t>{b, a, d, c}));
    Editor_Teamliste_Sortieren(liste, EDITOR_NAME_AB);
    EXPECT_EQ(liste, (std::vector<int32_t>{c, d, a, b}));

    liste = clubs;
    Editor_Teamliste_Sortieren(liste, EDITOR_NATION_LIGA);
    for (size_t i = 1; i < liste.size(); ++i) {
        const int32_t x = liste[i - 1], y = liste[i];
        const std::string nx = Team_String(TS_NATION, x, 0, 0), ny = Team_String(TS_NATION, y, 0, 0);
        ASSERT_LE(nx, ny);
        if (nx != ny) continue;
        const int32_t lx = Team_Wert(TW_WETTBEWERB, x, 0, OP_LESEN), ly = Team_Wert(TW_WETTBEWERB, y, 0, OP_LESEN);
        ASSERT_LE(lx, ly);
        if (lx == ly) {
            ASSERT_LE(std::strcmp(Team_String(TS_NAME_KURZ, x, 0, 0), Team_String(TS_NAME_KURZ, y, 0, 0)), 0);
        }
    }
    // A list shorter than 20 shows nothing past its end.
    int32_t zeilen[EDITOR_ZEILEN_SICHTBAR];
    EXPECT_EQ(Editor_Zeilen({a, b, c}, 1, zeilen), 2);
    EXPECT_EQ(zeilen[0], b);
    EXPECT_EQ(zeilen[2], -1);
    EXPECT_EQ(zeilen[19], -1);
    EXPECT_EQ(Editor_Scrollbereich(10), 0);
    EXPECT_EQ(Editor_Scrollbereich(45), 26);
}

TEST_F(EditorWelt, MarketListsSplitScoutsAndCountRegions) {
    int32_t regionen[EDITOR_REGIONEN];
    const std::vector<int32_t> scouts = Editor_Marktliste(1, regionen);
    const std::vector<int32_t> andere = Editor_Marktliste(0, nullptr);
    ASSERT_FALSE(scouts.empty());
    int32_t summe = 0;
    for (int32_t r : regionen) summe += r;
    EXPECT_EQ(summe, int32_t(scouts.size()));
    for (int32_t p : scouts) EXPECT_TRUE(Spieler_Status(p) & FILTER_NUR_SCOUT);
    for (size_t i = 1; i < andere.size(); ++i) {
        const int32_t x = andere[i - 1], y = andere[i];
        ASSERT_LE(Spieler_Wert(SPW_NATION, x, 0, OP_LESEN), Spieler_Wert(SPW_NATION, y, 0, OP_LESEN));
        if (Spieler_Wert(SPW_NATION, x, 0, OP_LESEN) == Spieler_Wert(SPW_NATION, y, 0, OP_LESEN)) {
            ASSERT_LE(Spieler_Get_Art(x), Spieler_Get_Art(y));
        }
    }
}

TEST_F(EditorWelt, SteppersWrapAndCommitsClamp) {
    const int32_t p = Editor_Spielerliste(clubs[0])[3];
    const struct {
        int32_t sterne, max, richtung, staerke_neu, max_neu;
    } faelle[] = {
        {0, 8, 0, 8, 6},      // strength 0 down jumps to the maximum; maximum above strength + 1 goes down by 2
        {8, 8, 1, 0, 10},     // at the maximum up wraps to 0; the maximum below 11 goes up by 2
        {5, 12, 1, 6, 6},     // maximum from 11 on wraps to the strength made even
        {4, 12, 1, 5, 4},
        {5, 6, 0, 4, 12},     // maximum not above strength + 1 goes to 12
    };
    for (const auto& f : faelle) {
        Spieler_Wert(SPW_MAX_STERNE, p, f.max, OP_SCHREIBEN);
        Spieler_Wert(SPW_STERNE, p, f.sterne, OP_SCHREIBEN);
        EXPECT_EQ(Editor_Staerke_Schritt(p, f.richtung), f.staerke_neu) << f.sterne << "/" << f.max;
        Spieler_Wert(SPW_STERNE, p, f.sterne, OP_SCHREIBEN);
        EXPECT_EQ(Editor_Maximum_Schritt(p, f.richtung), f.max_neu) << f.sterne << "/" << f.max;
    }
    Spieler_Wert(SPW_MAX_STERNE, p, 12, OP_SCHREIBEN);
    Spieler_Wert(SPW_STERNE, p, 5, OP_SCHREIBEN);
    const struct {
        int32_t feld;
        const char* text;
        int32_t wert;
    } eingaben[] = {{EDITOR_FELD_NUMMER, "0", 1},     {EDITOR_FELD_NUMMER, "99", 50},  {EDITOR_FELD_WERT55, "200", 150},
                    {EDITOR_FELD_WERT55, "0", 1},     {EDITOR_FELD_MAXIMUM, "7", 12},  {EDITOR_FELD_MAXIMUM, "4", 12},
                    {EDITOR_FELD_MAXIMUM, "8", 8},    {EDITOR_FELD_STAERKE, "11", 8},  {EDITOR_FELD_MAXIMUM, "1", 12}};
    for (const auto& e : eingaben) {
        Editor_Feld_Uebernehmen(p, e.feld, e.text);
        EXPECT_EQ(Spieler_Wert(e.feld, p, 0, OP_LESEN), e.wert) << e.feld << " " << e.text;
        if (e.feld == EDITOR_FELD_NUMMER) {
            EXPECT_EQ(Spieler_Wert(SPW_RUECKENNUMMER, p, 0, OP_LESEN), e.wert) << "the shirt the game shows";
        }
    }
    // A number a team-mate wears: he takes the player's old one, in the file and on his shirt.
    const int32_t q = Editor_Spielerliste(clubs[0])[5];
    Editor_Feld_Uebernehmen(p, EDITOR_FELD_NUMMER, "7");
    Editor_Feld_Uebernehmen(q, EDITOR_FELD_NUMMER, "20");
    Editor_Feld_Uebernehmen(p, EDITOR_FELD_NUMMER, "20");
    for (int32_t modus : {int32_t(EDITOR_FELD_NUMMER), int32_t(SPW_RUECKENNUMMER)}) {
        EXPECT_EQ(Spieler_Wert(modus, p, 0, OP_LESEN), 20) << modus;
        EXPECT_EQ(Spieler_Wert(modus, q, 0, OP_LESEN), 7) << modus;
    }
    std::set<int32_t> nummern;
    for (int32_t s : Editor_Spielerliste(clubs[0])) nummern.insert(Spieler_Wert(EDITOR_FELD_NUMMER, s, 0, OP_LESEN));
    EXPECT_EQ(nummern.size(), Editor_Spielerliste(clubs[0]).size()) << "no two numbers of the club alike";
    // The initial: confirmed as it is, the first name stays; another one replaces it.
    Spieler_Namen_Setzen(p, "Tobias", "Weinwig");
    const struct {
        const char* initial;
        const char* vorname;
    } initialen[] = {{"T", "Tobias"}, {"t", "Tobias"}, {"k", "K."}, {"K", "K."}, {"", ""}};
    for (const auto& i : initialen) {
        Editor_Feld_Uebernehmen(p, EDITOR_FELD_INITIAL, i.initial);
        EXPECT_STREQ(Spieler_String(SPS_VORNAME, p, 0, 0), i.vorname) << i.initial;
    }
    Editor_Feld_Uebernehmen(p, EDITOR_FELD_INITIAL, "k");
    EXPECT_EQ(Editor_Feld_Text(p, EDITOR_FELD_INITIAL), "K");
    Editor_Feld_Uebernehmen(p, EDITOR_FELD_NAME, "Abcdefghijklmnopqrst");   // the whole field, 20
    EXPECT_STREQ(Spieler_String(SPS_NAME_FELD, p, 0, 0), "Abcdefghijklmnopqrst");
    for (const char* leer : {"", "   "}) {
        Editor_Feld_Uebernehmen(p, EDITOR_FELD_NAME, leer);
        EXPECT_STREQ(Spieler_String(SPS_NAME_FELD, p, 0, 0), "Abcdefghijklmnopqrst") << "a blank surname is refused";
    }
    EXPECT_EQ(Editor_Feld_Laenge(EDITOR_FELD_NAME, false), 20);
}

TEST_F(EditorWelt, TypeChangeSwapsTheTalentClasses) {
    const std::vector<int32_t> kader = Editor_Spielerliste(clubs[0]);
    int32_t torwart = -1;
    for (int32_t p : kader)
        if (Spieler_Get_Art(p) == 0) torwart = p;
    ASSERT_GE(torwart, 0);
    Spieler_Wert(7, torwart, 77, OP_SCHREIBEN);   // a field talent he may hold from before
    EXPECT_EQ(Editor_Art_Schritt(torwart, 1), 1);
    for (int32_t id = ATTRIBUT_TW_START; id <= ATTRIBUT_TW_ENDE; ++id) EXPECT_TRUE(Attribut_Ist_Gesperrt(torwart, id)) << id;
    for (int32_t id = 0; id <= ATTRIBUT_FELD_ENDE; ++id) EXPECT_EQ(Spieler_Wert(id, torwart, 0, OP_LESEN), 0) << id;
    EXPECT_EQ(Editor_Art_Schritt(torwart, 0), 0);
    for (int32_t id = 0; id <= ATTRIBUT_FELD_ENDE; ++id) EXPECT_TRUE(Attribut_Ist_Gesperrt(torwart, id)) << id;
    EXPECT_EQ(Editor_Art_Schritt(torwart, 0), 3);   // 0 wraps to 3
    EXPECT_EQ(Editor_Art_Schritt(torwart, 1), 0);   // 3 wraps to 0
}

TEST_F(EditorWelt, TabWalksLineUpSlotsAndSkipsEmptyOnes) {
    std::vector<int32_t> kader = Editor_Spielerliste(clubs[0]);
    ASSERT_EQ(kader.size(), 20u);
    EXPECT_EQ(Spieler_Wert(SPW_SLOT, Editor_Naechster_Spieler(kader, kader[19], 1, false), 0, OP_LESEN), 0);
    EXPECT_EQ(Spieler_Wert(SPW_SLOT, Editor_Naechster_Spieler(kader, kader[0], 0, false), 0, OP_LESEN), 19);
    // A squad with slots 5 and 19 missing.
    std::vector<int32_t> luecken;
    for (int32_t p : kader)
        if (Spieler_Wert(SPW_SLOT, p, 0, OP_LESEN) != 5 && Spieler_Wert(SPW_SLOT, p, 0, OP_LESEN) != 19) luecken.push_back(p);
    EXPECT_EQ(Spieler_Wert(SPW_SLOT, Editor_Naechster_Spieler(luecken, kader[4], 1, false), 0, OP_LESEN), 6);
    EXPECT_EQ(Spieler_Wert(SPW_SLOT, Editor_Naechster_Spieler(luecken, kader[18], 1, false), 0, OP_LESEN), 0);
    EXPECT_EQ(Spieler_Wert(SPW_SLOT, Editor_Naechster_Spieler(luecken, kader[0], 0, false), 0, OP_LESEN), 18);
    EXPECT_EQ(Editor_Naechster_Spieler(kader, kader[2], 1, true), kader[3]);
    EXPECT_EQ(Editor_Naechster_Spieler(kader, kader[0], 0, true), kader[19]);
    EXPECT_EQ(Editor_Naechster_Spieler({}, kader[0], 1, false), -1);
}

TEST_F(EditorWelt, CrestAndKitSteppersWrapAndSkipTheClubsOtherKits) {
    const struct {
        int32_t wappen, richtung, neu;
    } wappen[] = {{2000, 1, 1}, {1, 0, 2000}, {0, 0, 2000}, {5, 1, 6}, {5, 0, 4}};
    for (const auto& w : wappen) EXPECT_EQ(Editor_Wappen_Schritt(w.wappen, w.richtung), w.neu) << w.wappen;
    const int32_t t = clubs[0];
    ASSERT_EQ(Trikot_Set_TrikotNr(t, 239, 0), 1);
    ASSERT_EQ(Trikot_Set_TrikotNr(t, 0, 1), 1);
    ASSERT_EQ(Trikot_Set_TrikotNr(t, 1, 2), 1);
    const struct {
        int32_t spalte, nummer, richtung, neu;
    } trikot[] = {{1, 239, 1, 2}, {1, 2, 0, 239}, {2, 239, 1, 0}, {2, 0, 0, 238}, {3, 238, 1, 1}, {3, 2, 0, 1}};
    for (const auto& k : trikot) {
        Trikot_Set_TrikotNr(t, k.nummer, Editor_Trikot_Art(k.spalte));
        EXPECT_EQ(Editor_Trikot_Schritt(t, k.spalte, k.nummer, k.richtung), k.neu) << k.spalte << " " << k.nummer;
        Trikot_Set_TrikotNr(t, k.spalte == 1 ? 239 : k.spalte == 2 ? 0 : 1, Editor_Trikot_Art(k.spalte));
    }
    EXPECT_FALSE(Editor_Trikot_Erlaubt(t, 1, 0));
    EXPECT_TRUE(Editor_Trikot_Erlaubt(t, 1, 239));
}

TEST_F(EditorWelt, CapacityRoundsCapsAndTurnsEveryPlaceIntoASeat) {
    const int32_t t = clubs[0];
    ASSERT_TRUE(Team_Stadion_Vorgabe_Setzen(t, "Alt", 5000, 7000));
    const struct {
        int32_t eingabe;
        bool angenommen;
        int32_t sitze;
    } faelle[] = {{999999, true, 200000}, {999, false, 200000}, {23456, true, 23000}, {-5, false, 23000}};
    for (const auto& f : faelle) {
        EXPECT_EQ(Editor_Kapazitaet_Setzen(t, f.eingabe), f.angenommen) << f.eingabe;
        const StadionVorgabe* v = Team_Stadion_Vorgabe(t);
        ASSERT_NE(v, nullptr);
        EXPECT_EQ(v->sitze, f.sitze);
        EXPECT_EQ(v->stehplaetze, 0);
        EXPECT_EQ(v->name, "Alt");
    }
}

TEST(EditorAussehen, PartsStepWrapAndTheKindSwitchReturns) {
    // Kind 0: the portrait's 62 shapes of part 3 and 32 of part 5.
    const uint32_t code = Editor_Aussehen_Mit(Editor_Aussehen_Mit(0u, 3, 61), 5, 0);
    EXPECT_EQ(Editor_Aussehen_Teil(code, 3), 61);
    EXPECT_EQ(Editor_Aussehen_Teil(Editor_Aussehen_Schritt(code, 3, 1), 3), 0);
    EXPECT_EQ(Editor_Aussehen_Teil(Editor_Aussehen_Schritt(code, 5, 0), 5), 31);
    const uint32_t art1 = Editor_Aussehen_Art_Wechsel(code, code);
    EXPECT_EQ(art1, 1u);
    EXPECT_EQ(Editor_Aussehen_Art_Wechsel(art1, code), code);
    // Kinds 1, 2 and 3 are drawn alike: each offers the portrait's parts of
    // that kind (10, 2, 10, 10, 10), and every step of a part shows another
    // face, as the portrait decodes it.
    for (uint32_t art : {1u, 2u, 3u}) {
        uint32_t c = art;
        EXPECT_EQ(Editor_Aussehen_Wahlen(c, 1), 10) << art;
        EXPECT_EQ(Editor_Aussehen_Wahlen(c, 2), 2) << art;
        for (int32_t teil = 1; teil <= 5; ++teil) {
            const int32_t n = Editor_Aussehen_Wahlen(c, teil);
            std::set<int32_t> gezeigt;
            for (int32_t i = 0; i < n; ++i, c = Editor_Aussehen_Schritt(c, teil, 1))
                gezeigt.insert(Portrait_Code_Zerlegen(int32_t(c)).teil[teil - 1]);
            EXPECT_EQ(int32_t(gezeigt.size()), n) << "kind " << art << ", part " << teil;
            EXPECT_EQ(Editor_Aussehen_Teil(c, teil), 0) << "wrapped";
        }
    }
    // A kind-1 code's parts beyond its choices are clamped.
    const uint32_t zu_gross = Editor_Aussehen_Mit(Editor_Aussehen_Mit(1u, 3, 40), 2, 9);
    const uint32_t begrenzt = Editor_Aussehen_Begrenzen(zu_gross);
    EXPECT_EQ(Editor_Aussehen_Teil(begrenzt, 3), 9);
    EXPECT_EQ(Editor_Aussehen_Teil(begrenzt, 2), 1);
    EXPECT_EQ(Editor_Aussehen_Teil(begrenzt, 0), 1);
}

// The generated players' faces use every choice of their kind: no part lies
// beyond its choices (where the portrait shows the last one), and the clubs'
// players of each kind wear faces of their own.
TEST_F(EditorWelt, TheGeneratedFacesUseTheChoicesOfTheirKind) {
    int32_t spieler[2] = {}, geklemmt = 0;
    std::set<int32_t> gesichter[2];
    for (int32_t club : clubs)
        for (int32_t p : Editor_Spielerliste(club)) {
            const int32_t code = Spieler_Wert(SPW_AUSSEHEN, p, 0, OP_LESEN);
            if (code < 0) continue;   // a photo
            const PortraitCode c = Portrait_Code_Zerlegen(code);
            geklemmt += Portrait_Code_Bauen(code & 3, c.teil) != code;
            ++spieler[c.art];
            gesichter[c.art].insert(Portrait_Code_Bauen(c.art, c.teil));
        }
    EXPECT_EQ(geklemmt, 0) << "faces with a part beyond its choices";
    for (int32_t art : {0, 1}) {
        ASSERT_GT(spieler[art], 100) << art;
        EXPECT_GE(int32_t(gesichter[art].size()) * 10, spieler[art] * 9) << "kind " << art << ": faces alike";
    }
}

TEST_F(EditorWelt, EditsComeBackFromTheFilesAndASecondSaveIsByteIdentical) {
    const int32_t club = clubs[0];
    int32_t anderer = -1;
    for (int32_t t : clubs)
        if (Team_Get_Liga(t, 1) != Team_Get_Liga(club, 1) && Team_Get_Liga(t, 1) >= 0) anderer = t;
    ASSERT_GE(anderer, 0);
    const int32_t liga = Team_Get_Liga(club, 1), liga_anderer = Team_Get_Liga(anderer, 1);
    const int32_t unberuehrt = clubs[1] == anderer ? clubs[2] : clubs[1];
    const std::string unberuehrt_name = Team_String(TS_NAME_KURZ, unberuehrt, 0, 0);

    // The club's data.
    ASSERT_TRUE(Editor_Team_Text_Setzen(club, TS_NAME_KURZ, "Dr. \"Q\", Nord"));
    ASSERT_TRUE(Editor_Team_Text_Setzen(club, TS_KUERZEL, "DrQ-Nord-XYZ"));   // cut to 10
    ASSERT_TRUE(Editor_Team_Text_Setzen(club, TS_STADION_NAME, "Am \"Wall\", Sued"));
    ASSERT_TRUE(Editor_Team_Text_Setzen(club, TS_STADT, "Nordhafen"));
    ASSERT_TRUE(Editor_Kapazitaet_Setzen(club, 34567));
    Team_Wert(TW_WAPPEN, club, 1999, OP_SCHREIBEN);
    ASSERT_EQ(Trikot_Set_TrikotNr(club, 200, 0) + Trikot_Set_TrikotNr(club, 201, 1) + Trikot_Set_TrikotNr(club, 202, 2), 3);
    ASSERT_TRUE(Editor_Ligen_Tauschen(club, anderer));
    EXPECT_FALSE(Editor_Ligen_Tauschen(club, club));

    // A goalkeeper made a field player, with everything else of his.
    int32_t p = -1;
    for (int32_t s : Editor_Spielerliste(club))
        if (Spieler_Get_Art(s) == 0) p = s;
    ASSERT_GE(p, 0);
    Editor_Feld_Uebernehmen(p, EDITOR_FELD_NUMMER, "7");
    ASSERT_EQ(Editor_Art_Schritt(p, 1), 1);
    Editor_Feld_Uebernehmen(p, EDITOR_FELD_INITIAL, "z");
    Editor_Feld_Uebernehmen(p, EDITOR_FELD_NAME, "M\xc3\xbcller 100%");
    Editor_Feld_Uebernehmen(p, EDITOR_FELD_MAXIMUM, "10");
    Editor_Feld_Uebernehmen(p, EDITOR_FELD_STAERKE, "9");
    Editor_Feld_Uebernehmen(p, EDITOR_FELD_WERT55, "140");
    const int32_t nation = Team_Wert(TW_NATION, anderer, 0, OP_LESEN);
    Spieler_Wert(SPW_NATION, p, nation, OP_SCHREIBEN);
    const uint32_t aussehen = Editor_Aussehen_Mit(Editor_Aussehen_Mit(0u, 3, 17), 2, 5);
    Spieler_Wert(SPW_AUSSEHEN, p, int32_t(aussehen), OP_SCHREIBEN);
    ASSERT_TRUE(Attribut_Spieler_Setze_Wert_2(p, 11, ATTRIBUT_LERNEN));
    const int32_t talent11 = Spieler_Wert(11, p, 0, OP_LESEN);

    const std::string team_vorher = Convert_Team_Config_Text("test01");
    const std::string spieler_vorher = Convert_Spieler_Config_Text("test01");
    ASSERT_EQ(Editor_Speichern(), "");
    const std::string erste = Alle();

    Team_Free(0);
    Spieler_Free();
    ASSERT_TRUE(Laden());
    ASSERT_TRUE(Editor_Daten_Oeffnen());
    EXPECT_EQ(Convert_Team_Config_Text("test01"), team_vorher);
    EXPECT_EQ(Convert_Spieler_Config_Text("test01"), spieler_vorher);
    EXPECT_STREQ(Team_String(TS_NAME_KURZ, club, 0, 0), "Dr. \"Q\", Nord");
    EXPECT_STREQ(Team_String(TS_KUERZEL, club, 0, 0), "DrQ-Nord-X");
    EXPECT_STREQ(Team_String(TS_STADION_NAME, club, 0, 0), "Am \"Wall\", Sued");
    EXPECT_STREQ(Team_String(TS_STADT, club, 0, 0), "Nordhafen");
    EXPECT_EQ(Team_Stadion_Vorgabe(club)->sitze, 34000);
    EXPECT_EQ(Team_Wert(TW_WAPPEN, club, 0, OP_LESEN), 1999);
    EXPECT_EQ(Team_Get_TrikotNr(club, 0) * 1000000 + Team_Get_TrikotNr(club, 1) * 1000 + Team_Get_TrikotNr(club, 2),
              200201202);
    EXPECT_EQ(Team_Get_Liga(club, 1), liga_anderer);
    EXPECT_EQ(Team_Get_Liga(anderer, 1), liga);
    EXPECT_EQ(Team_Wert(TW_WETTBEWERB, club, 0, OP_LESEN), liga_anderer);
    EXPECT_STREQ(Team_String(TS_NAME_KURZ, unberuehrt, 0, 0), unberuehrt_name.c_str());
    const struct {
        int32_t modus, wert;
    } werte[] = {{SPW_DATEI_NUMMER, 7}, {SPW_ART, 1},        {SPW_MAX_STERNE, 10},           {SPW_STERNE, 9},
                 {SPW_WERT55, 140},     {SPW_NATION, nation}, {SPW_AUSSEHEN, int32_t(aussehen)}, {11, talent11}};
    for (const auto& w : werte) EXPECT_EQ(Spieler_Wert(w.modus, p, 0, OP_LESEN), w.wert) << w.modus;
    EXPECT_STREQ(Spieler_String(SPS_VORNAME, p, 0, 0), "Z.");
    EXPECT_STREQ(Spieler_String(SPS_NAME_FELD, p, 0, 0), "M\xc3\xbcller 100%");
    for (int32_t id = ATTRIBUT_TW_START; id <= ATTRIBUT_TW_ENDE; ++id) EXPECT_TRUE(Attribut_Ist_Gesperrt(p, id)) << id;

    // Save, reload, save: the same bytes.
    ASSERT_EQ(Editor_Speichern(), "");
    ASSERT_TRUE(Editor_Neu_Laden());
    ASSERT_EQ(Editor_Speichern(), "");
    EXPECT_EQ(Alle(), erste);
}

// A held key or button steps at most once per interval, also across the clock's wrap.
TEST(EditorTakt, StepsAtMostOncePerInterval) {
    const struct {
        uint32_t jetzt;
        bool schritt;
    } folge[] = {{1000, true}, {1100, false}, {1199, false}, {1200, true}, {1399, false},
                 {0xFFFFFF80u, true}, {0x10, false}, {0x48, true}};
    EditorTakt takt;
    for (const auto& f : folge) EXPECT_EQ(Editor_Takt(takt, f.jetzt, 200), f.schritt) << f.jetzt;
}

// A save that cannot write one of its files names the file and why, and
// leaves the saved files byte for byte: no new club file beside the old players.
TEST_F(EditorWelt, AFailedSaveKeepsTheSavedFilesAndAFailedReloadKeepsTheWorld) {
    ASSERT_EQ(Editor_Speichern(), "");
    const std::string verz = Dirs_Get(DIR_USER_CONFIG);
    const std::string gespeichert = Alle(), team_gespeichert = Datei("team.cfg");
    Team_String_Setzen(TS_NAME_KURZ, clubs[0], "Neu");
    // No room for the player file, as on a full disk: the club file fits.
    const rlim_t grenze = team_gespeichert.size() + 64;
    ASSERT_GT(Datei("spieler.cfg").size(), grenze);
    EXPECT_EQ(test::Unter_Dateigrenze(grenze, [] { return Editor_Speichern() == "0_spieler.cfg (File too large)"; }), 0);
    EXPECT_EQ(Alle(), gespeichert);
    // A place the player file cannot be put (a directory stands there).
    const std::string spieler_cfg = verz + "/0_spieler.cfg";
    ASSERT_TRUE(std::filesystem::remove(spieler_cfg));
    ASSERT_TRUE(std::filesystem::create_directory(spieler_cfg));
    EXPECT_EQ(Editor_Speichern(), "0_spieler.cfg (Is a directory)");
    EXPECT_TRUE(std::filesystem::is_directory(spieler_cfg));
    EXPECT_EQ(Datei("team.cfg"), team_gespeichert);
    std::filesystem::remove(spieler_cfg);
    // A player file that stops the load after the teams were read: the clubs in memory stay.
    const std::string kaputt = "NEUER_SPIELER\nNAME \"X\"\n";
    ASSERT_TRUE(Plat_Write_Atomic((verz + "/0_spieler.cfg").c_str(), kaputt.data(), kaputt.size()));
    const int32_t anzahl = Team_Anzahl();
    EXPECT_FALSE(Editor_Neu_Laden());
    EXPECT_EQ(Team_Anzahl(), anzahl);
    EXPECT_STREQ(Team_String(TS_NAME_KURZ, clubs[0], 0, 0), "Neu");
    EXPECT_GE(Team_Get_Liga(clubs[0], 1), 0);
    EXPECT_EQ(int32_t(Editor_Spielerliste(clubs[0]).size()), TEAM_SPIELER_MAX);
}

}  // namespace
}  // namespace velmora
