// tests/screens/einsetzen_test.cpp - the line-up list screen in a running
// game, played by mouse as a manager would: clicks that swap or are refused,
// markers and rows dragged onto each other and onto the pitch, the assistant,
// the opponent's view; after each step the club's line-up is checked. The
// cell rule, the deduction rule and the player summary are checked by table.
#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "business/angebot.h"
#include "business/compi.h"
#include "business/news.h"
#include "business/news_anfrage.h"
#include "business/spieler_info.h"
#include "business/spielerliste.h"
#include "club/aufstellung.h"
#include "club/formation.h"
#include "club/spieler.h"
#include "club/team.h"
#include "club/team_suche.h"
#include "core/hooks.h"
#include "core/prioritaeten.h"
#include "core/programm.h"
#include "core/text.h"
#include "gfx/font.h"
#include "gfx/hilfe_text.h"
#include "gfx/rastport.h"
#include "gfx/text_markup.h"
#include "gfx/text_pruefung.h"
#include "gui/menue_lokal.h"
#include "season/kalender.h"
#include "shell/maus.h"
#include "season/statistik.h"
#include "screens/einsetzen1.h"
#include "screens/einsetzen1_zeichnen.h"
#include "screens/einsetzen2.h"
#include "screens/spielerinfo.h"
#include "screens/taktik.h"
#include "club/manager.h"
#include "gui/icon.h"
#include "platform/clock.h"
#include "tests/support/client_welt.h"
#include "tests/support/screen_welt.h"

namespace velmora::test {
namespace {

struct Lauf {
    int32_t team = -1;
    std::function<void(int32_t team)> beim_ersten_zug;
    int32_t zuege = 0;
    std::vector<std::string> meldungen;
};
Lauf lauf;

class Einsetzen : public ScreenWelt {
protected:
    void SetUp() override {
        ScreenWelt::SetUp();
        lauf = Lauf{};
        Kalender_Hooks().zug_beginnt.Anmelden(prio::ZUG_BEGINN_MENUE + 50, [](int32_t team) {
            if (lauf.zuege++ > 0) return;
            lauf.team = team;
            // The manager's messages are noted instead of shown.
            Core_Hooks().message_an_manager = [](int32_t, int32_t, const char* text) {
                lauf.meldungen.push_back(text);
                return true;
            };
            // The screen the last game of this program left open goes first.
            Menue_Screen_Bereich_Loeschen(4, 0, 0, 799, 565);
            if (lauf.beim_ersten_zug) lauf.beim_ersten_zug(team);
        }, "Test");
    }
};

int32_t Im_Slot(int32_t team, int32_t slot) { return Spielerliste_Spieler_Mit_Slot(team, slot); }
int32_t Slot(int32_t s) { return Spieler_Wert(SPW_SLOT, s, 0, OP_LESEN); }
int32_t Spalte(int32_t s) { return Spieler_Wert(SPW_SPALTE, s, 0, OP_LESEN); }
int32_t Reihe(int32_t s) { return Spieler_Wert(SPW_REIHE, s, 0, OP_LESEN); }

void Bewegen(std::vector<Schritt>& s, int32_t x, int32_t y, uint32_t knopf = 0) { s.push_back({2, x, y, knopf, false}); }
void Klicken(std::vector<Schritt>& s, int32_t x, int32_t y) {
    Bewegen(s, x, y);
    Bewegen(s, x, y, 1);
    Bewegen(s, x, y);
}
// Pressed at (x0, y0), moved in two steps to (x1, y1); `foto` keeps the frame
// there before the release.
void Ziehen(std::vector<Schritt>& s, int32_t x0, int32_t y0, int32_t x1, int32_t y1, bool foto = false,
            void (*mitten)() = nullptr) {
    Bewegen(s, x0, y0);
    Bewegen(s, x0, y0, 1);
    Bewegen(s, (x0 + x1) / 2, (y0 + y1) / 2, 1);
    s.push_back({4, x1, y1, 1, false});
    s.push_back({1, x1, y1, 1, foto, 0, mitten});
    Bewegen(s, x1, y1);
}
void Foto(std::vector<Schritt>& s, int32_t x, int32_t y) {
    s.push_back({4, x, y, 0, false});
    s.push_back({1, x, y, 0, true});
}
void Pruefen(std::vector<Schritt>& s, void (*aktion)()) { s.push_back({1, 790, 580, 0, false, 0, aktion}); }

// The middle of row i and of the marker of slot k's cell.
int32_t Zeile_Y(int32_t i) { return E1_Zeile_Y(i) + 8; }
constexpr int32_t NAME_X = 330;
void Marker_Mitte(int32_t spieler, int32_t* x, int32_t* y) {
    int32_t spalte = 0, reihe = 0;
    E1_Spieler_Zelle(spieler, &spalte, &reihe);
    E1_Marker_Position(spalte, reihe, false, x, y);
    *x += 14;
    *y += 11;
}
// The middle of a pitch cell, as the pointer reaches it.
void Zelle_Mitte(int32_t spalte, int32_t reihe, int32_t* x, int32_t* y) {
    *x = 25 * spalte + 12;
    *y = reihe == 0 ? 352 : 352 - 26 * reihe;
}

// The line-up's rules after every step: 11 starters in cells, slots 0-10 in
// descending order of 10 x row + column, the goalkeeper's cell (3, 0) in slot
// 10, status 16 and 32 on exactly the available starters and substitutes.
std::string Aufstellung_Fehler(int32_t team) {
    if (!Team_Aufstellung_Pruefen(team)) return "line-up not sound";
    int32_t vorher = 1 << 30;
    for (int32_t slot = 0; slot < SLOT_STARTELF; ++slot) {
        const int32_t p = Im_Slot(team, slot);
        if (p < 0) return "slot " + std::to_string(slot) + " empty";
        const int32_t k = Formation_Schluessel(Spalte(p), Reihe(p));
        if (k >= vorher) return "slot " + std::to_string(slot) + " out of order";
        vorher = k;
    }
    const int32_t tw = Im_Slot(team, SLOT_TORWART);
    if (Spalte(tw) != 3 || Reihe(tw) != 0) return "goalkeeper slot not in goal";
    return "";
}

TEST(EinsetzenFeld, ThePointerFindsTheCellsOfTheSmallPitch) {
    struct Fall {
        int32_t x, y;
        bool treffer;
        int32_t spalte, reihe;
    };
    const Fall faelle[] = {
        {12, 340, true, 0, 1},    // row 0 outside the goal's column counts as row 1
        {90, 340, true, 3, 0},    // ... and stays row 0 in it
        {180, 200, true, 6, 6},   // x 175-183 would be column 7: the last column is 6
        {183, 92, true, 6, 10},
        {95, 350, true, 3, 0},    // the goal strip between x 82 and 108
        {60, 350, false, 0, 0},   // the goal strip beside the goal
        {109, 363, false, 0, 0},
        {9, 200, false, 0, 0},    // outside the pitch's cells
        {184, 200, false, 0, 0},
        {100, 90, false, 0, 0},
        {100, 364, false, 0, 0},
    };
    for (const Fall& f : faelle) {
        int32_t s = -1, r = -1;
        EXPECT_EQ(E1_Screen_Pixel_Zu_Feld(f.x, f.y, &s, &r), f.treffer) << f.x << "," << f.y;
        if (f.treffer) {
            EXPECT_EQ((std::vector<int32_t>{s, r}), (std::vector<int32_t>{f.spalte, f.reihe})) << f.x << "," << f.y;
        }
    }
    // Marker positions of the own club and mirrored of the opponent; bad cells are clamped.
    int32_t x = 0, y = 0;
    E1_Marker_Position(3, 0, false, &x, &y);
    EXPECT_EQ((std::vector<int32_t>{x, y}), (std::vector<int32_t>{82, 342}));
    E1_Marker_Position(3, 0, true, &x, &y);
    EXPECT_EQ((std::vector<int32_t>{x, y}), (std::vector<int32_t>{82, 92}));
    E1_Marker_Position(9, -4, false, &x, &y);
    EXPECT_EQ((std::vector<int32_t>{x, y}), (std::vector<int32_t>{154, 342}));
    // The won duels: multiplied before dividing, so above 100 duels the share survives.
    EXPECT_EQ(Spieler_Info_Quote(250, 100), 40);
    EXPECT_EQ(Spieler_Info_Quote(3, 2), 66);
    EXPECT_EQ(Spieler_Info_Quote(0, 5), 0);
    EXPECT_EQ(Spieler_Info_Quote(-3, 2), 0);
    EXPECT_EQ(Spieler_Info_Quote(2000000000, 2000000000), 100);
}

TEST_F(Einsetzen, TheDeductionOfAPlayerOutOfPositionAndThePlayerSummary) {
    static std::vector<std::string> fehler;
    lauf.beim_ersten_zug = [](int32_t team) {
        int32_t nach_art[4] = {-1, -1, -1, -1};
        for (int32_t slot = 0; slot < TEAM_SPIELER_MAX; ++slot) {
            const int32_t p = Im_Slot(team, slot);
            if (p >= 0 && nach_art[Spieler_Get_Art(p)] < 0 && !(Spieler_Status(p) & SP_STATUS_NICHT_VERFUEGBAR))
                nach_art[Spieler_Get_Art(p)] = p;
        }
        const int32_t tw = nach_art[0], abw = nach_art[1], sturm = nach_art[3];
        for (int32_t p : {tw, abw, sturm}) Spieler_Wert(SPW_STAERKE, p, 9000, OP_SCHREIBEN);
        struct Fall {
            const char* name;
            int32_t spieler, reihe, abzug;
        };
        const Fall faelle[] = {
            {"a forward in goal: 80 % of 9 half stars", sturm, 0, 7},
            {"a forward in attack", sturm, 9, 0},
            {"a defender in midfield", abw, 5, 2},
            {"a defender in attack", abw, 9, 4},
            {"a goalkeeper in goal", tw, 0, 0},
            {"a goalkeeper in defence", tw, 2, 7},
            {"a bad row", abw, 11, 0},
            {"a bad player", -1, 5, 0},
        };
        for (const Fall& f : faelle) {
            const int32_t a = E1_Screen_Positions_Abzug(f.spieler, f.reihe);
            if (a != f.abzug) fehler.push_back(std::string(f.name) + ": " + std::to_string(a));
        }
        // A weak defender in attack loses no more than he has.
        Spieler_Wert(SPW_STAERKE, abw, 3000, OP_SCHREIBEN);
        if (E1_Screen_Positions_Abzug(abw, 9) != 3) fehler.push_back("deduction above the strength");
        // An injured player loses his whole strength anywhere; his summary names the injury.
        Spieler_Wert(SPW_STATUS, sturm, int32_t(SP_STATUS_VERLETZT), OP_SETZEN);
        Spieler_Wert(SPW_VERLETZUNG, sturm, 5, OP_SCHREIBEN);
        Spieler_Wert(SPW_VERLETZUNG_TAGE, sturm, 3, OP_SCHREIBEN);
        if (E1_Screen_Positions_Abzug(sturm, 9) != 9) fehler.push_back("injured: not his whole strength");
        const std::string text = Spieler_Info_Text(sturm, SpielerInfoArt{});
        const std::string verletzung = Spieler_Info_Verletzung(5);
        if (verletzung.empty() || text.find(verletzung) == std::string::npos || text.find("3 Wochen") == std::string::npos)
            fehler.push_back("injury line: " + text);
        // Won duels above 100: the share, not 0.
        Spieler_Wert(SPW_BALLGEWINNE, abw, 250, OP_SCHREIBEN);
        Spieler_Wert(SPW_BALLGEWINNE_2, abw, 100, OP_SCHREIBEN);
        Spieler_Wert(SPW_STATUS, abw, int32_t(SP_STATUS_ECKE), OP_SETZEN);
        SpielerInfoArt geld;
        geld.tab = 97;
        geld.geld = true;
        const std::string a = Spieler_Info_Text(abw, geld);
        // The values' column: the caller's tab stop, or after the widest
        // label ("Zweikämpfe gewonnen" reaches past 97 and 116).
        Font* hilfe = Font_Get(HILFE_FONT);
        const int32_t spalte = std::max(97, hilfe ? Text_Width(hilfe, "Zweik\xe4mpfe gewonnen") + 8 : 0);
        char tab[16];
        std::snprintf(tab, sizeof tab, "^tl%04d", spalte);
        for (const std::string& teil : {tab + std::string("40%"), "Marktwert" + std::string(tab) + "^fb0009",
                                       "Gehalt" + std::string(tab), std::string("Ecken")})
            if (a.find(teil) == std::string::npos) fehler.push_back("summary lacks " + teil + ": " + a);
        SpielerInfoArt zustand;
        zustand.zustand = true;
        Spieler_Wert(SPW_MORAL, abw, 6, OP_SCHREIBEN);
        const std::string z = Spieler_Info_Text(abw, zustand);
        if (z.find("Fitness:") == std::string::npos || z.find("Moral:" + std::string(tab) + "euphorisch") == std::string::npos)
            fehler.push_back("fitness and morale lines: " + z);
        // Drawn in the help box's font, no label runs into its value.
        if (Rastport* rp = Rastport_Create(400, 200, 16, 0, 0)) {
            Text_Pruefung_Starten();
            Text_Pruefung_Screen("Hilfe");
            for (const std::string* t : {&a, &z}) {
                Text_Printf(rp, hilfe, "^c%05d%s", 4, 12, 65535, t->c_str());
                Text_Pruefung_Bild_Ende();
            }
            for (const TextBefund& b : Text_Pruefung_Befunde()) fehler.push_back("help box: " + b.art + " " + b.text);
            Text_Pruefung_Beenden();
            Rastport_Free(rp);
        }
        SpielerInfoArt fremd;
        fremd.eigen = false;
        if (Spieler_Info_Text(abw, fremd).find("Ecken") != std::string::npos) fehler.push_back("duties of another club shown");
        if (!Spieler_Info_Text(-1, geld).empty() || !Spieler_Info_Text(1 << 20, geld).empty()) fehler.push_back("bad player");
    };
    skript = {{2, 790, 580, 0, false}};
    ASSERT_TRUE(Spielen());
    EXPECT_EQ(fehler, std::vector<std::string>{});
}

// Swaps by click and by drag, a refused click swap, a move on the pitch, the assistant.
TEST_F(Einsetzen, ClicksAndDragsChangeTheClubsLineUpAndRefusalsChangeNothing) {
    struct Stand {
        std::vector<int32_t> slots;   // the slots of the players noted at the start
        std::string fehler;
        bool assi = false;
        size_t meldungen = 0;
        int32_t spalte = -1, reihe = -1;   // the cell of the player dragged to the pitch
    };
    static std::vector<int32_t> spieler;
    static std::vector<Stand> staende;
    static E1Stand mitten;
    static int32_t ziel_spalte, ziel_reihe, gezogen;
    ziel_spalte = ziel_reihe = gezogen = -1;
    static int32_t zeilen_anfang = 0;
    static std::string abgelehnt;
    static bool zeilen_in_slot_folge = false;
    spieler.clear();
    staende.clear();
    auto notieren = [] {
        Stand s;
        for (int32_t p : spieler) s.slots.push_back(Slot(p));
        s.fehler = Aufstellung_Fehler(lauf.team);
        s.assi = Team_Formation_Assi(lauf.team);
        s.meldungen = lauf.meldungen.size();
        if (gezogen >= 0) {
            s.spalte = Spalte(gezogen);
            s.reihe = Reihe(gezogen);
        }
        staende.push_back(s);
    };
    skript = {};
    Bewegen(skript, 790, 580);
    Pruefen(skript, notieren);                                    // 0: as opened
    Klicken(skript, NAME_X, Zeile_Y(2));                          // a starter and a substitute
    Klicken(skript, NAME_X, Zeile_Y(12));
    Pruefen(skript, notieren);                                    // 1: swapped
    Klicken(skript, NAME_X, Zeile_Y(0));                          // two starters by clicks
    Klicken(skript, NAME_X, Zeile_Y(1));
    Pruefen(skript, notieren);                                    // 2: refused
    const size_t marker_zug = skript.size();
    Ziehen(skript, 0, 0, 0, 0);                                   // slot 0's marker onto slot 1's
    Pruefen(skript, notieren);                                    // 3: swapped by drag
    const size_t zeilen_zug = skript.size();
    Ziehen(skript, NAME_X, Zeile_Y(5), 0, 0, true, [] { mitten = E1_Screen_Stand(); });
    Pruefen(skript, notieren);                                    // 4: moved to a free cell
    Ziehen(skript, NAME_X, Zeile_Y(3), 100, 545);                 // released over no icon
    Pruefen(skript, notieren);                                    // 5: nothing changed
    Klicken(skript, 100, 445);                                    // "Assistent"
    Pruefen(skript, notieren);                                    // 6: the assistant's line-up
    Pruefen(skript, [] { Team_Formation_Flag_Loeschen(lauf.team); });
    Pruefen(skript, [] { Screen_Team_Neu(lauf.team); });          // the developer key
    Pruefen(skript, notieren);                                    // 7: the assistant's again
    lauf.beim_ersten_zug = [marker_zug, zeilen_zug](int32_t team) {
        Team_Formation_Waehlen(team, 0);
        Team_Formation_Flag_Loeschen(team);
        Team_Rueckennummern(team);
        for (int32_t slot = 0; slot < TEAM_SPIELER_MAX; ++slot) spieler.push_back(Im_Slot(team, slot));
        // Everybody available, so that every swap below is allowed.
        for (int32_t p : spieler) Spieler_Wert(SPW_STATUS, p, int32_t(SP_STATUS_NICHT_VERFUEGBAR), OP_LOESCHEN);
        Check_Und_Set_Aa(team);
        abgelehnt = Text_Oder_Leer("EINSETZEN_1_SCREEN", E1_TEXT_ABGELEHNT);
        E1_Screen_Oeffnen();
        const E1Stand s = E1_Screen_Stand();
        zeilen_anfang = s.zeilen;
        zeilen_in_slot_folge = std::equal(spieler.begin(), spieler.end(), s.spieler);
        int32_t x0 = 0, y0 = 0, x1 = 0, y1 = 0;
        Marker_Mitte(spieler[0], &x0, &y0);
        Marker_Mitte(spieler[1], &x1, &y1);
        // Ziehen: move, press, halfway, target, target + picture, release.
        skript[marker_zug] = {2, x0, y0, 0, false};
        skript[marker_zug + 1] = {2, x0, y0, 1, false};
        skript[marker_zug + 2] = {2, (x0 + x1) / 2, (y0 + y1) / 2, 1, false};
        skript[marker_zug + 3] = {4, x1, y1, 1, false};
        skript[marker_zug + 4] = {1, x1, y1, 1, false};
        skript[marker_zug + 5] = {2, x1, y1, 0, false};
        // A free midfield cell for slot 5's player.
        gezogen = spieler[5];
        for (int32_t r = 4; r <= 7 && ziel_spalte < 0; ++r)
            for (int32_t c = 0; c < FORMATION_SPALTEN && ziel_spalte < 0; ++c) {
                bool frei = true;
                for (int32_t k = 0; k < SLOT_STARTELF; ++k)
                    if (Spalte(Im_Slot(team, k)) == c && Reihe(Im_Slot(team, k)) == r) frei = false;
                if (frei) {
                    ziel_spalte = c;
                    ziel_reihe = r;
                }
            }
        int32_t zx = 0, zy = 0;
        Zelle_Mitte(ziel_spalte, ziel_reihe, &zx, &zy);
        for (size_t k = zeilen_zug + 2; k <= zeilen_zug + 5; ++k) {
            skript[k].x = k == zeilen_zug + 2 ? (NAME_X + zx) / 2 : zx;
            skript[k].y = k == zeilen_zug + 2 ? (Zeile_Y(5) + zy) / 2 : zy;
        }
    };
    ASSERT_TRUE(Spielen());
    EXPECT_EQ(Vergleichen("einsetzen1_ziehen", 0), "") << "the mid-drag frame";
    EXPECT_EQ(zeilen_anfang, 20);
    EXPECT_TRUE(zeilen_in_slot_folge);
    ASSERT_EQ(staende.size(), 8u);
    for (size_t i = 0; i < staende.size(); ++i) EXPECT_EQ(staende[i].fehler, "") << "step " << i;
    auto slot_von = [](size_t stand, int32_t wer) { return staende[stand].slots[size_t(wer)]; };
    // Step 1: slots 2 and 12 changed players; the manual change cleared the assistant.
    EXPECT_EQ(slot_von(1, 2), 12);
    EXPECT_EQ(slot_von(1, 12), 2);
    EXPECT_FALSE(staende[1].assi);
    // Step 2: refused with text 48, nothing changed.
    EXPECT_EQ(staende[2].slots, staende[1].slots);
    ASSERT_EQ(staende[2].meldungen, staende[1].meldungen + 1);
    EXPECT_EQ(lauf.meldungen.back(), abgelehnt);
    EXPECT_FALSE(abgelehnt.empty());
    // Step 3: the two starters swapped by dragging one marker onto the other.
    EXPECT_EQ(slot_von(3, 0), 1);
    EXPECT_EQ(slot_von(3, 1), 0);
    // Step 4: the player moved to the free cell, the preview had all eleven while dragging.
    EXPECT_EQ(staende[4].meldungen, staende[3].meldungen);
    EXPECT_EQ((std::vector<int32_t>{staende[4].spalte, staende[4].reihe}), (std::vector<int32_t>{ziel_spalte, ziel_reihe}));
    EXPECT_NE(std::find(std::begin(mitten.vorschau), std::end(mitten.vorschau), gezogen), std::end(mitten.vorschau));
    EXPECT_EQ(std::count(std::begin(mitten.vorschau), std::end(mitten.vorschau), -1), 0);
    // Step 5: a drag released over no icon changes nothing.
    EXPECT_EQ(staende[5].slots, staende[4].slots);
    // Step 6: the assistant's flag and a sound line-up.
    EXPECT_TRUE(staende[6].assi);
    EXPECT_TRUE(staende[7].assi);
}

// An icon's procedure as the framework calls it.
void Klick(int32_t nummer, int32_t ereignis = EV_LINKS) {
    s_icon* i = Menue_Screen_Icon_Ist_Vorhanden(nummer) ? Menue_Screen_Icon_Aus_Nummer(nummer) : nullptr;
    if (i && i->Main_P) i->Main_P(i, ereignis);
}

TEST(EinsetzenTaktik, AStepperWrapsAtBothEnds) {
    struct Fall {
        int32_t byte, wert;
        bool auf;
        int32_t neu;
    };
    const Fall faelle[] = {
        {5, 0, false, 6}, {5, 6, true, 0}, {5, 3, true, 4}, {2, 9, true, 0}, {2, 0, false, 9}, {4, 4, true, 0},
        {6, 2, false, 1},
        {5, 50, true, 0},    // a damaged value counts as the highest step
        {4, -7, false, 4},   // ... or the lowest
        {9, 1, true, 0},     // no such tactic
    };
    for (const Fall& f : faelle) EXPECT_EQ(Taktik_Schritt(f.byte, f.wert, f.auf), f.neu) << f.byte << " " << f.wert;
}

TEST_F(Einsetzen, TheTacticsPageChangesTheClubsTacticsAndItsPlayersDuties) {
    static std::vector<std::string> fehler;
    fehler.clear();
    lauf.beim_ersten_zug = [](int32_t team) {
        auto taktik = [team](int32_t byte) {
            int8_t t[TAKTIK_BYTES] = {};
            Team_Get_Aktuelle_Taktik(team, t);
            return int32_t(t[byte]);
        };
        const int8_t start[TAKTIK_BYTES] = {0, 1, 4, 0, 2, 0, 3};
        Team_Set_Aktuelle_Taktik(team, start);
        Team_Formation_Flag_Loeschen(team);
        const int32_t verletzt = Im_Slot(team, 2);
        Spieler_Wert(SPW_STATUS, verletzt, int32_t(SP_STATUS_VERLETZT), OP_SETZEN);
        Taktik_Screen_Oeffnen();
        // t5 down from 0 is 6; a second click within 150 ms is dropped.
        Plat_Uhr_Vorstellen(200);
        Klick(ICON_TAKTIK_T5_AB);
        Plat_Uhr_Vorstellen(100);
        Klick(ICON_TAKTIK_T5_AB);
        if (taktik(5) != 6) fehler.push_back("t5 after down from 0: " + std::to_string(taktik(5)));
        Plat_Uhr_Vorstellen(200);
        Klick(2512);   // the display steps up: 6 -> 0
        if (taktik(5) != 0) fehler.push_back("t5 after up from 6: " + std::to_string(taktik(5)));
        // A damaged icon word is clamped before it is written back.
        Manager_Icon_Word_Data_Schreiben(team, 2513, 77);
        Plat_Uhr_Vorstellen(200);
        Klick(ICON_TAKTIK_T6_AUF);
        if (taktik(6) != 0) fehler.push_back("t6 from a damaged word: " + std::to_string(taktik(6)));
        // Switches and their slides flip t0, t1, t3 alike.
        Klick(2507);
        Klick(ICON_TAKTIK_SCHIEBER_T1);
        if (taktik(0) != 1 || taktik(1) != 0) fehler.push_back("switches");
        // The man-marking slide switched on: the assistant pairs nobody.
        const int32_t gegner = Menue_Lokal().gegner;
        Klick(ICON_TAKTIK_SCHIEBER_T3);
        if (taktik(3) != 1) fehler.push_back("t3");
        if (gegner >= 0)
            for (int32_t slot = 0; slot < TEAM_SPIELER_MAX; ++slot)
                if (Im_Slot(gegner, slot) >= 0 && Spieler_Wert(SPW_PARTNER, Im_Slot(gegner, slot), 0, OP_LESEN) != -1)
                    fehler.push_back("an opponent kept a partner");
        // Duties: column 0 toggles; the captain is one player of the club.
        const int32_t a = Im_Slot(team, 0), b = Im_Slot(team, 1), c = Im_Slot(team, 15);
        Spieler_Wert(SPW_STATUS, c, int32_t(TAKTIK_MARKE_BIT[3]), OP_SETZEN);   // a substitute held the armband
        Klick(ICON_TAKTIK_MARKE + 0);
        Klick(ICON_TAKTIK_MARKE + 3);
        Klick(ICON_TAKTIK_MARKE + 4 + 3);
        if (!(Spieler_Status(a) & TAKTIK_MARKE_BIT[0])) fehler.push_back("column 0 not set");
        if ((Spieler_Status(a) & TAKTIK_MARKE_BIT[3]) || (Spieler_Status(c) & TAKTIK_MARKE_BIT[3]) ||
            !(Spieler_Status(b) & TAKTIK_MARKE_BIT[3]))
            fehler.push_back("the captain is not unique");
        Klick(ICON_TAKTIK_MARKE + 0);
        if (Spieler_Status(a) & TAKTIK_MARKE_BIT[0]) fehler.push_back("column 0 not cleared");
        // An unavailable player's markers do not react.
        const uint32_t verletzt_vorher = Spieler_Status(verletzt);
        for (int32_t k = 0; k < 4; ++k) Klick(ICON_TAKTIK_MARKE + 4 * 2 + k);
        if (Spieler_Status(verletzt) != verletzt_vorher) fehler.push_back("an injured player's duties changed");
    };
    skript = {};
    Foto(skript, 790, 580);
    ASSERT_TRUE(Spielen());
    EXPECT_EQ(fehler, std::vector<std::string>{});
    EXPECT_EQ(Vergleichen("taktik", 0), "");
}

// A new game's human club starts on the steps the computer sides play with,
// not on every bar's lowest step ("Mauern"), and its tactics page shows them.
// The computer clubs keep their bytes at 0: their formation lines are drawn
// from them, and moving them changes how every computer side plays.
TEST_F(Einsetzen, ANewGamesClubStartsOnTheComputerSidesSteps) {
    static std::vector<int32_t> gelesen;
    static int32_t computer_clubs, computer_nicht_null;
    gelesen.clear();
    computer_clubs = computer_nicht_null = 0;
    lauf.beim_ersten_zug = [](int32_t team) {
        int8_t t[TAKTIK_BYTES] = {};
        Team_Get_Aktuelle_Taktik(team, t);
        gelesen.assign(t, t + TAKTIK_BYTES);
        for (int32_t c = 0; c < Team_Anzahl(); ++c) {
            if (Team_Hat_Manager(c) || !Team_Get_Aktuelle_Taktik(c, t)) continue;
            ++computer_clubs;
            computer_nicht_null += std::any_of(t, t + TAKTIK_BYTES, [](int8_t b) { return b != 0; });
        }
        Taktik_Screen_Oeffnen();
    };
    skript = {};
    Foto(skript, 790, 580);
    ASSERT_TRUE(Spielen());
    EXPECT_EQ(gelesen, std::vector<int32_t>({0, 0, 5, 0, 2, 3, 3}));
    EXPECT_GT(computer_clubs, 10);
    EXPECT_EQ(computer_nicht_null, 0) << "computer clubs moved off their tactics";
    EXPECT_EQ(Vergleichen("taktik_neues_spiel", 0), "");
}

TEST(EinsetzenZweite, ThePointerFindsTheCellsOfTheLargeField) {
    struct Fall {
        int32_t x, y, spalte, reihe;
    };
    const Fall faelle[] = {
        {160, 490, 0, 1},   // row 0 outside the goal's column is row 1
        {430, 490, 3, 0},
        {20, 600, 0, 1},    // clamped into the field
        {900, 10, 6, 10},
        {776, 119, 6, 10},
    };
    for (const Fall& f : faelle) {
        int32_t s = -1, r = -1;
        E2_Screen_Pixel_Zu_Feld(f.x, f.y, &s, &r);
        EXPECT_EQ((std::vector<int32_t>{s, r}), (std::vector<int32_t>{f.spalte, f.reihe})) << f.x << "," << f.y;
    }
    EXPECT_TRUE(E2_Screen_Maus_Im_Feld(149, 467));
    EXPECT_FALSE(E2_Screen_Maus_Im_Feld(148, 300));
    EXPECT_FALSE(E2_Screen_Maus_Im_Feld(400, 468));
}

// The second screen of the own club and of the opponent, a formation chosen by
// its miniature, a damaged formation byte.
TEST_F(Einsetzen, TheSecondScreenChoosesFormationsAndShowsTheOpponent) {
    static std::vector<std::string> fehler;
    fehler.clear();
    static bool gegner_da = false;
    lauf.beim_ersten_zug = [](int32_t team) {
        gegner_da = Menue_Lokal().gegner >= 0;
        // A damaged formation byte shows formation 0.
        Team_Wert(TW_FORMATION_BYTE, team, 7, OP_SCHREIBEN);
        if (E2_Formation_Gezeigt(team) != 0) fehler.push_back("formation byte 7 not shown as 0");
        Team_Formation_Waehlen(team, 0);
        Team_Wert(TW_FORMATION_BYTE, team, int8_t(uint8_t(FORMATION_BYTE_ASSI)), OP_SCHREIBEN);
        E2_Screen_Oeffnen();
        // A miniature of formation 2 chooses it and keeps the assistant's bit.
        Klick(ICON_E2_MINI + 2 * 11 + 4);
        if (Team_Formation_Index(team) != 2 || !Team_Formation_Assi(team)) fehler.push_back("formation 2 by its miniature");
        if (!Aufstellung_Fehler(team).empty()) fehler.push_back("line-up after the choice: " + Aufstellung_Fehler(team));
        Klick(ICON_E2_FORMATION + 1);
        if (Team_Formation_Index(team) != 1) fehler.push_back("formation 1 by its toggle");
        // Two field groups apart the deduction is 4 however weak the player; its stars stay within his strength.
        const int32_t abw = [team] {
            for (int32_t slot = 0; slot < TEAM_SPIELER_MAX; ++slot)
                if (Spieler_Get_Art(Im_Slot(team, slot)) == 1) return Im_Slot(team, slot);
            return -1;
        }();
        Spieler_Wert(SPW_STAERKE, abw, 3000, OP_SCHREIBEN);
        if (E2_Screen_Positions_Abzug(abw, 9) != 4) fehler.push_back("second screen's deduction");
        if (E2_Screen_Stand().karten != 11) fehler.push_back("cards: " + std::to_string(E2_Screen_Stand().karten));
        // "Liste" and the list screen's button switch between the two screens.
        Klick(ICON_E2_LISTE);
        if (!E1_Screen_Offen() || E2_Screen_Offen()) fehler.push_back("back to the list");
        Klick(ICON_E1_ZWEITE);
        if (!E2_Screen_Offen() || E1_Screen_Offen()) fehler.push_back("on to the second screen");
    };
    skript = {};
    Foto(skript, 790, 580);                 // 0: own club, formation 1
    Klicken(skript, 240, 535);              // the opponent switch
    Foto(skript, 790, 580);                 // 1: the opponent, middle miniature mirrored
    ASSERT_TRUE(Spielen());
    EXPECT_EQ(fehler, std::vector<std::string>{});
    EXPECT_EQ(Vergleichen("einsetzen2_eigen", 0), "");
    ASSERT_TRUE(gegner_da) << "the small world's club has an opponent";
    EXPECT_EQ(Vergleichen("einsetzen2_gegner", 1), "");
}

// What the manager sets is what plays: a substitute clicked into the eleven
// plays the club's next match and the starter he replaced does not, after the
// game has run on turn by turn (the daily line-up checks, the pages before
// and after the match clicked away) through that match.
TEST_F(Einsetzen, TheElevenSetOnTheScreenPlayTheNextMatch) {
    static int32_t rein, raus, rein_spiele, raus_spiele, tag, bild;
    static bool weiter;
    rein = raus = tag = -1;
    rein_spiele = raus_spiele = bild = 0;
    weiter = false;
    skript = {};
    Bewegen(skript, 790, 580);
    Klicken(skript, NAME_X, Zeile_Y(2));
    Klicken(skript, NAME_X, Zeile_Y(12));
    Pruefen(skript, [] { weiter = true; });
    skript.push_back({1000000, 100, 550});   // the turns below end the program
    lauf.beim_ersten_zug = [](int32_t team) {
        raus = Im_Slot(team, 2);
        rein = Im_Slot(team, 12);
        for (int32_t p : {raus, rein}) Spieler_Wert(SPW_STATUS, p, int32_t(SP_STATUS_NICHT_VERFUEGBAR), OP_LOESCHEN);
        E1_Screen_Oeffnen();
    };
    // Once the swap is made, a click every few frames on a spot the list
    // screen leaves empty takes the match day's pages away.
    Kalender_Hooks().maus_latch = [] {
        if (weiter) Plat_Headless_Maus(100, 550, ++bild % 4 < 2 ? 1 : 0);
        Maus_Tasten_Latch();
    };
    Kalender_Hooks().menue_frame.Anmelden(prio::MENUE_BILDSCHIRM + 40, [] {
        if (!weiter) return;
        rein_spiele = Spieler_Get_Spieler_Statistik(0, rein, 0);
        raus_spiele = Spieler_Get_Spieler_Statistik(0, raus, 0);
        tag = Kalender_Tag_Index();
        if (rein_spiele + raus_spiele > 0 || tag > 80) Programm_Beenden_Anfordern();
        else K_NEUER_TAG(K_FERTIG, 0);
    }, "Zugende");
    ASSERT_TRUE(Spielen(100000));
    ASSERT_GE(rein, 0);
    EXPECT_EQ(rein_spiele, 1) << "day " << tag;
    EXPECT_EQ(raus_spiele, 0) << "day " << tag;
}

// The list screen with the opponent shown, and a squad of 14.
TEST_F(Einsetzen, TheOpponentsViewAndAShortSquad) {
    static E1Stand gegner_stand, kurz_stand, kurz_mitten;
    static int32_t gegner = -1;
    lauf.beim_ersten_zug = [](int32_t team) {
        gegner = Menue_Lokal().gegner;
        // Six players leave: bench and reserve thin out to three.
        for (int32_t slot = TEAM_SPIELER_MAX - 1; slot >= 14; --slot) Team_Spieler_Entfernen(team, Im_Slot(team, slot));

        Team_Aufstellung_Ordnen(team);
        Team_Formation_Flag_Loeschen(team);
        E1_Screen_Oeffnen();
        kurz_stand = E1_Screen_Stand();
    };
    skript = {};
    Ziehen(skript, NAME_X, Zeile_Y(4), 90, 200, false, [] { kurz_mitten = E1_Screen_Stand(); });
    Klicken(skript, 100, 490);              // the opponent switch
    Foto(skript, 790, 580);
    Pruefen(skript, [] { gegner_stand = E1_Screen_Stand(); });
    ASSERT_TRUE(Spielen());
    EXPECT_EQ(kurz_stand.zeilen, 14);
    EXPECT_EQ(kurz_stand.spieler[14], -1);
    EXPECT_EQ(std::count(std::begin(kurz_mitten.vorschau), std::end(kurz_mitten.vorschau), -1), 0)
        << "the preview works with a short squad";
    ASSERT_GE(gegner, 0);
    EXPECT_TRUE(gegner_stand.gegner);
    EXPECT_EQ(gegner_stand.club, gegner);
    EXPECT_EQ(Vergleichen("einsetzen1_gegner", 0), "");
}

// An offer accepted while a line-up screen is open: the sold starter leaves
// the list at once and the player given in exchange joins it; on the second
// screen the sold starter's card goes.
TEST_F(Einsetzen, AnAcceptedOfferShowsOnTheOpenLineUpScreensAtOnce) {
    static int32_t verkauft[2], tausch[2];
    static E1Stand liste;
    static E2Stand karten;
    static bool compi = false;
    static int32_t kaeufer = -1, neuer_club[2], kader = 0;
    // Club `team` sells its player of `slot` to the opponent for its first player of his kind.
    static auto verkaufen = [](int32_t team, int32_t slot, int32_t* geht, int32_t* kommt) {
        const int32_t club = kaeufer = Menue_Lokal().gegner;
        compi = club >= 0 && Compi_Ist_Compi(club);
        *geht = Im_Slot(team, slot);
        *kommt = Team_Suche_Spieler_Mit_Art(club, Spieler_Get_Art(*geht));
        const int32_t kopf[NEWS_KOPF_WORTE] = {ANFRAGE_ART_SPIELER, team, club, Tag_Index() + ANGEBOT_FRIST, *geht,
                                               *kommt, 10000, ANGEBOT_KAUF, 0, 1};
        Angebot_Antwort(kopf, Richter_Fall::ANTWORT);
        neuer_club[geht == &verkauft[0] ? 0 : 1] = Spieler_Get_Team(*geht);
    };
    lauf.beim_ersten_zug = [](int32_t team) {
        E1_Screen_Oeffnen();
        verkaufen(team, 2, &verkauft[0], &tausch[0]);
        liste = E1_Screen_Stand();
        kader = Teamspieler_Ins_Array(team, nullptr, 0, 0);
    };
    skript = {};
    Foto(skript, 790, 580);
    Pruefen(skript, [] {
        E2_Screen_Oeffnen();
        verkaufen(lauf.team, 4, &verkauft[1], &tausch[1]);
        karten = E2_Screen_Stand();
    });
    ASSERT_TRUE(Spielen());
    ASSERT_TRUE(compi) << "the small world's opponent is a computer club";
    ASSERT_EQ(neuer_club[0], kaeufer) << "sold";
    ASSERT_EQ(neuer_club[1], kaeufer) << "sold";
    EXPECT_EQ(std::count(liste.spieler, liste.spieler + E1_ZEILEN, verkauft[0]), 0);
    EXPECT_EQ(std::count(liste.spieler, liste.spieler + E1_ZEILEN, tausch[0]), 1);
    EXPECT_EQ(liste.zeilen, kader);
    EXPECT_EQ(std::count(karten.spieler, karten.spieler + 11, verkauft[1]), 0);
    EXPECT_EQ(karten.karten, 11);
    EXPECT_EQ(Vergleichen("einsetzen1_verkauft", 0), "");
}

// The slots of a club's players in squad order.
std::vector<int32_t> Slots_Von(int32_t team) {
    std::vector<int32_t> v;
    int32_t s[TEAM_SPIELER_MAX];
    const int32_t n = Teamspieler_Ins_Array(team, s, TEAM_SPIELER_MAX, 0);
    for (int32_t i = 0; i < n; ++i) v.push_back(Slot(s[i]));
    return v;
}

// The list screen on a client (the game's club played through a server on
// 127.0.0.1): the opponent's line-up is the server's, so the switch, clicks
// and a drag on it change nothing and the data layer refuses his swap. A swap
// of the own club waits for the server (each call answered 150 ms late); a
// second click made meanwhile is dropped, so the swap is made once.
TEST_F(Einsetzen, OnAClientTheOpponentIsReadOnlyAndASecondClickDuringASwapIsDropped) {
    static bool ist_client = false, tausch_abgelehnt = false;
    static int32_t gegner = -1;
    static std::vector<int32_t> eigene, fremde_vorher, fremde_nachher, eigene_nachher;
    static E1Stand gegner_auf, gegner_zu;
    ist_client = tausch_abgelehnt = false;
    eigene.clear();
    eigene_nachher.clear();
    lauf.beim_ersten_zug = [](int32_t team) {
        gegner = Menue_Lokal().gegner;
        Team_Formation_Waehlen(team, 0);
        Team_Formation_Flag_Loeschen(team);
        for (int32_t slot = 0; slot < TEAM_SPIELER_MAX; ++slot) eigene.push_back(Im_Slot(team, slot));
        for (int32_t p : eigene) Spieler_Wert(SPW_STATUS, p, int32_t(SP_STATUS_NICHT_VERFUEGBAR), OP_LOESCHEN);
        Check_Und_Set_Aa(team);
        if (gegner >= 0) {
            Team_Auto_Aufstellung(gegner);
            fremde_vorher = Slots_Von(gegner);
        }
        ist_client = ClientWelt::Werden(team);
        E1_Screen_Oeffnen();
    };
    skript = {};
    Klicken(skript, 100, 490);   // the opponent switch
    Pruefen(skript, [] { gegner_auf = E1_Screen_Stand(); });
    Klicken(skript, NAME_X, Zeile_Y(2));
    Klicken(skript, NAME_X, Zeile_Y(12));
    Ziehen(skript, NAME_X, Zeile_Y(3), NAME_X, Zeile_Y(14));
    Pruefen(skript, [] {
        gegner_zu = E1_Screen_Stand();
        tausch_abgelehnt = !Spieler_Tauschen_Intern(Im_Slot(gegner, 1), Im_Slot(gegner, 12), gegner, gegner);
        fremde_nachher = Slots_Von(gegner);
    });
    Klicken(skript, 100, 490);   // back to the own club
    Klicken(skript, NAME_X, Zeile_Y(2));
    Pruefen(skript, [] {
        ClientWelt::verzoegerung = 15;
        ClientWelt::klick_x = NAME_X;
        ClientWelt::klick_y = Zeile_Y(12);
    });
    Klicken(skript, NAME_X, Zeile_Y(12));   // the swap; the second press comes during its calls
    Bewegen(skript, 790, 580);
    Pruefen(skript, [] {
        ClientWelt::verzoegerung = 0;
        for (int32_t p : eigene) eigene_nachher.push_back(Slot(p));
    });
    const bool gespielt = Spielen();
    ClientWelt::Ende();
    ASSERT_TRUE(gespielt);
    ASSERT_TRUE(ist_client);
    ASSERT_GE(gegner, 0);
    EXPECT_TRUE(gegner_auf.gegner);
    EXPECT_EQ(gegner_auf.club, gegner);
    EXPECT_TRUE(std::equal(std::begin(gegner_auf.spieler), std::end(gegner_auf.spieler), std::begin(gegner_zu.spieler)));
    EXPECT_EQ(fremde_nachher, fremde_vorher);
    EXPECT_TRUE(tausch_abgelehnt);
    EXPECT_GT(ClientWelt::paesse, 8) << "the swap waited for the server";
    ASSERT_EQ(eigene_nachher.size(), size_t(TEAM_SPIELER_MAX));
    for (int32_t slot = 0; slot < TEAM_SPIELER_MAX; ++slot)
        EXPECT_EQ(eigene_nachher[size_t(slot)], slot == 2 ? 12 : slot == 12 ? 2 : slot) << "slot " << slot;
}

// On a client every shirt number, salary and market value is the server's.
// A screen reads them when it is filled, not in every frame: a remote call
// per row and frame made the squad screens wait dozens of answers a frame
// and drop the manager's clicks. Counted: the calls of three frames after
// the first of the second line-up screen, the tactics screen and the card.
TEST_F(Einsetzen, OnAClientTheSquadScreensWaitOnNoCallFromFrameToFrame) {
    static bool ist_client = false;
    static int32_t aufrufe = 0, team = -1;
    static std::vector<int32_t> je_screen;
    ist_client = false;
    je_screen.clear();
    lauf.beim_ersten_zug = [](int32_t t) {
        team = t;
        ist_client = ClientWelt::Werden(t);
        Net_Hooks().warten = [] {
            ++aufrufe;
            ClientWelt::Warten();
        };
        E2_Screen_Oeffnen();
    };
    skript = {};
    auto zaehlen = [](std::vector<Schritt>& s, void (*oeffnen)()) {
        if (oeffnen) Pruefen(s, oeffnen);
        Bewegen(s, 790, 580);
        Pruefen(s, [] { aufrufe = 0; });
        for (int32_t i = 0; i < 3; ++i) Bewegen(s, 780 + i, 580);
        Pruefen(s, [] { je_screen.push_back(aufrufe); });
    };
    zaehlen(skript, nullptr);
    zaehlen(skript, [] { E1_Screen_Oeffnen(); });
    zaehlen(skript, [] { Taktik_Screen_Oeffnen(); });
    zaehlen(skript, [] { Spielerinfo_Oeffnen(Im_Slot(team, 0), team, 0); });
    const bool gespielt = Spielen();
    ClientWelt::Ende();
    ASSERT_TRUE(gespielt);
    ASSERT_TRUE(ist_client);
    const char* namen[] = {"second line-up", "list", "tactics", "card"};
    ASSERT_EQ(je_screen.size(), 4u);
    for (size_t i = 0; i < 4; ++i) EXPECT_EQ(je_screen[i], 0) << namen[i];
}

}  // namespace
}  // namespace velmora::test
