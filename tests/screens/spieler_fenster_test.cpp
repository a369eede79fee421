// tests/screens/spieler_fenster_test.cpp - the player windows in a running
// game: the talent list window, the talents screen, the player card and the
// talent panels. Some are played by mouse from the line-up list as a user
// would; the others are opened and clicked through their icons at the turn's
// start. Pictures against reviewed PNGs, and the data their clicks change.
#include <algorithm>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "business/spielerliste.h"
#include "business/talente_screen.h"
#include "business/training.h"
#include "club/club_hooks.h"
#include "club/global_config.h"
#include "club/spieler.h"
#include "club/talente.h"
#include "club/team.h"
#include "core/prioritaeten.h"
#include "gfx/bildnr_spieler.h"
#include "gui/icon.h"
#include "gui/menue.h"
#include "gui/menue_lokal.h"
#include "gui/menue_requester.h"
#include "platform/clock.h"
#include "screens/einsetzen1.h"
#include "screens/spielerinfo.h"
#include "screens/talent_panel.h"
#include "tests/support/kasten_probe.h"
#include "tests/support/screen_welt.h"
#include "tests/support/wachhund.h"

namespace velmora::test {
namespace {

// What a test prepares at the first turn and notes after frames.
struct Lauf {
    int32_t team = -1;
    std::function<void(int32_t team)> beim_ersten_zug;
    std::function<void()> nach_bild;
    int32_t zuege = 0;
};
Lauf lauf;

class SpielerFenster : public ScreenWelt {
protected:
    void SetUp() override {
        ScreenWelt::SetUp();
        lauf = Lauf{};
        Kalender_Hooks().zug_beginnt.Anmelden(prio::ZUG_BEGINN_MENUE + 50, [](int32_t team) {
            if (lauf.zuege++ > 0) return;
            lauf.team = team;
            if (lauf.beim_ersten_zug) lauf.beim_ersten_zug(team);
        }, "Test");
        Kalender_Hooks().menue_frame.Anmelden(prio::MENUE_BILDSCHIRM + 10, [] {
            if (lauf.nach_bild) lauf.nach_bild();
        }, "Test");
    }
    // Runs the game through `schritte` frames after the turn's start.
    bool Kurz_Spielen(int32_t bilder = 3) {
        skript = {{bilder, 30, 300, 0, false}};
        return Spielen();
    }
};

int32_t Im_Slot(int32_t team, int32_t slot) { return Spielerliste_Spieler_Mit_Slot(team, slot); }

void Talente_Leeren(int32_t spieler) {
    for (int32_t id = 0; id < ATTRIBUT_ANZAHL; ++id) Spieler_Wert(id, spieler, 0, OP_SCHREIBEN);
}

void Lernen(int32_t spieler, std::initializer_list<int32_t> ids) {
    for (int32_t id : ids) ASSERT_TRUE(Attribut_Spieler_Setze_Wert_2(spieler, id, ATTRIBUT_LERNEN)) << id;
}

// An icon's procedure as the framework calls it.
void Klick(int32_t nummer, int32_t ereignis = EV_LINKS) {
    ASSERT_TRUE(Menue_Screen_Icon_Ist_Vorhanden(nummer)) << nummer;
    s_icon* i = Menue_Screen_Icon_Aus_Nummer(nummer);
    ASSERT_TRUE(i && i->Main_P) << nummer;
    i->Main_P(i, ereignis);
}

// The row icon of the open talent list that shows `talent`, -1 none.
int32_t Zeile_Von(int32_t talent) {
    for (int32_t n = ICON_SPIELERLISTE_ZEILE_1; n <= ICON_SPIELERLISTE_BODEN; ++n) {
        const s_icon* i = Menue_Screen_Icon_Aus_Nummer(n);
        if (i && Menue_Screen_Icon_Ist_Vorhanden(n) && !(i->Status & ICON_ST_VERSTECKT) && i->d == talent) return n;
    }
    return -1;
}

std::vector<int32_t> Aktive(int32_t spieler) {
    std::vector<int32_t> v;
    for (int32_t id = 0; id < ATTRIBUT_ANZAHL; ++id)
        if (Attribute_Attribut_Aktief(spieler, id)) v.push_back(id);
    return v;
}

// Keeps the screen once it has settled: a hover needs two frames (the old one
// ends, the new one begins), its drawing one more, and a picture shows the
// frame before the one that takes it.
void Foto(std::vector<Schritt>& s, int32_t x, int32_t y) {
    s.push_back({4, x, y, 0, false});
    s.push_back({1, x, y, 0, true});
}

void Klicken(std::vector<Schritt>& s, int32_t x, int32_t y, uint32_t knopf = 1) {
    s.push_back({2, x, y, 0, false});
    s.push_back({2, x, y, knopf, false});
    s.push_back({2, x, y, 0, false});
}

int32_t Zeile_Y(int32_t slot) { return E1_Zeile_Y(slot) + 12; }
constexpr int32_t TALENT_SPALTE_X = 574;   // the line-up list's talent column

// -- The talent list window ---------------------------------------------------

TEST_F(SpielerFenster, TheSquadOpensTheTalentListWhoseRowsSwitchTalentsAndWhoseHeaderDrags) {
    // The window's state after each step of the script.
    static std::vector<SpielerlisteStand> stand;
    static std::vector<int32_t> aktiv_zwei;
    stand.clear();
    static int32_t voll = -1, zwei = -1;
    lauf.beim_ersten_zug = [](int32_t team) {
        // Slot 3: 18 learnt talents and 3 active weaknesses, and a name too wide for the header.
        voll = Im_Slot(team, 3);
        Talente_Leeren(voll);
        for (int32_t id = 7; id <= 24; ++id) Lernen(voll, {id});
        for (int32_t id : {40, 41, 42}) {
            Lernen(voll, {id});
            Attribut_Toggle_Aktive_2(voll, id);
        }
        Spieler_Namen_Setzen(voll, "Maximilian-Alexander", "von Hohenzollern-Sigmaringen");
        Talente_Leeren(Im_Slot(team, 6));
        zwei = Im_Slot(team, 4);
        Talente_Leeren(zwei);
        Lernen(zwei, {2, 5});
        E1_Screen_Oeffnen();
    };
    lauf.nach_bild = [] {
        if (stand.size() < schritt) stand.resize(schritt);
        if (schritt > 0) stand[schritt - 1] = Spielerliste_Stand();
        if (zwei >= 0) aktiv_zwei = Aktive(zwei);   // the game's data is gone once it ends
    };
    skript = {};
    Foto(skript, 100, 545);   // picture 0: the squad
    Klicken(skript, TALENT_SPALTE_X, Zeile_Y(3));
    Foto(skript, 100, 545);   // picture 1: 18 + 3 rows
    skript.push_back({2, 100, 545, 2, false});   // a right click outside closes it
    const size_t nach_rechtsklick = skript.size();
    skript.push_back({2, 100, 545, 0, false});
    Klicken(skript, TALENT_SPALTE_X, Zeile_Y(6));   // a player without talents
    Foto(skript, 100, 545);   // picture 2: the empty window
    skript.push_back({2, 100, 545, 2, false});
    skript.push_back({2, 100, 545, 0, false});
    // Slot 4 at the pointer: near the right edge the window stands at x 534,
    // its header at y 216 - 30; its rows run talent 5, talent 2.
    Klicken(skript, TALENT_SPALTE_X, Zeile_Y(4));
    Klicken(skript, 600, 186 + 46 + 8);   // the first row: talent 5 becomes active
    const size_t nach_zeile = skript.size();
    // The header dragged by its name from (600, 195) to (400, 300).
    skript.push_back({2, 600, 195, 0, false});
    skript.push_back({2, 600, 195, 1, false});
    skript.push_back({2, 500, 250, 1, false});
    skript.push_back({2, 400, 300, 1, false});
    skript.push_back({2, 400, 300, 0, false});
    const size_t nach_ziehen = skript.size();
    skript.push_back({2, 400, 300, 0, false});
    ASSERT_TRUE(Spielen());
    EXPECT_EQ(Vergleichen("einsetzen1_eigen", 0), "");
    EXPECT_EQ(Vergleichen("spielerliste_21_zeilen", 1), "");
    EXPECT_EQ(Vergleichen("spielerliste_leer", 2), "");
    ASSERT_GE(stand.size(), nach_ziehen);
    EXPECT_EQ(stand[nach_rechtsklick - 1].spieler, -1) << "a right click outside closed the window";
    const SpielerlisteStand z = stand[nach_zeile - 1];
    EXPECT_EQ(z.spieler, zwei);
    EXPECT_EQ(z.x, 534);
    EXPECT_EQ(z.y, 186);
    EXPECT_EQ(z.zeilen, 2);
    EXPECT_EQ(aktiv_zwei, std::vector<int32_t>{5});
    EXPECT_EQ(z.aktiv[0], 5);
    const SpielerlisteStand d = stand[nach_ziehen - 1];
    EXPECT_EQ(d.x, 334);
    EXPECT_EQ(d.y, 291);
}

// A left click on a list screen's player row: inside the talent column it
// opens the window on the player, outside it is the screen's own; while the
// window is open, rows that follow it show their player, the others leave it.
TEST_F(SpielerFenster, ARowClickOpensTheListInTheTalentColumnAndFollowingRowsShowTheirPlayer) {
    struct Fall {
        int32_t slot, x;
        bool folgen;
        SpielerlisteKlick erwartet;
        int32_t gezeigt_slot;   // -1: the window is closed
    };
    static const Fall FAELLE[] = {
        {3, 299, true, SpielerlisteKlick::NICHT, -1},  {3, 361, false, SpielerlisteKlick::NICHT, -1},
        {3, 300, true, SpielerlisteKlick::OEFFNET, 3}, {4, 100, true, SpielerlisteKlick::ZEIGT, 4},
        {3, 330, false, SpielerlisteKlick::OEFFNET, 4}, {3, 100, false, SpielerlisteKlick::NICHT, 4},
    };
    // Per case: the answer, the player the window shows and the one it should show.
    static std::vector<std::array<int32_t, 3>> ergebnis;
    ergebnis.clear();
    lauf.beim_ersten_zug = [](int32_t team) {
        E1_Screen_Oeffnen();
        for (const Fall& f : FAELLE) {
            const SpielerlisteKlick k = Spielerliste_Zeilen_Klick(Im_Slot(team, f.slot), team, f.x, 200, 300, 360, f.folgen);
            const int32_t soll = f.gezeigt_slot < 0 ? -1 : Im_Slot(team, f.gezeigt_slot);
            ergebnis.push_back({int32_t(k), Spielerliste_Stand().spieler, soll});
        }
        Screen_Zurueck();
    };
    ASSERT_TRUE(Kurz_Spielen());
    ASSERT_EQ(ergebnis.size(), std::size(FAELLE));
    for (size_t i = 0; i < ergebnis.size(); ++i) {
        EXPECT_EQ(ergebnis[i][0], int32_t(FAELLE[i].erwartet)) << i;
        EXPECT_EQ(ergebnis[i][1], ergebnis[i][2]) << i;
    }
}

TEST_F(SpielerFenster, ARowClickActivatesAndReplacesOnlyTheOldestActiveTalentThatIsNoWeakness) {
    struct Fall {
        const char* name;
        std::vector<int32_t> gelernt, aktiv;   // learnt talents, then those switched on (in this order)
        int32_t klick;
        std::vector<int32_t> erwartet;         // the active talents afterwards
    };
    static const std::vector<Fall> faelle = {
        {"a learnt talent becomes active", {3, 8}, {}, 8, {8}},
        {"an active one is switched off", {3, 8}, {3}, 3, {}},
        {"a fourth switches the oldest off", {2, 3, 4, 9}, {2, 3, 4}, 9, {2, 3, 9}},
        {"one weakness and two talents: the weakness stays", {2, 3, 9, 44}, {44, 2, 3}, 9, {2, 9, 44}},
        {"three weaknesses: the click does nothing", {9, 40, 43, 45}, {40, 43, 45}, 9, {40, 43, 45}},
    };
    static std::vector<std::vector<int32_t>> ergebnis;
    static std::vector<int32_t> fremd_vorher, fremd_nachher, ungueltig;
    ergebnis.clear();
    lauf.beim_ersten_zug = [](int32_t team) {
        const int32_t p = Im_Slot(team, 5);
        for (const Fall& f : faelle) {
            Talente_Leeren(p);
            for (int32_t id : f.gelernt) Lernen(p, {id});
            for (int32_t id : f.aktiv) Attribut_Toggle_Aktive_2(p, id);
            Spielerliste_Oeffnen(p, 100, 200, team);
            Klick(Zeile_Von(f.klick));
            ergebnis.push_back(Aktive(p));
            Screen_Zurueck();
        }
        // Another club's player, and a window opened for another club: rows change nothing.
        const int32_t anderer = team == 11 ? 12 : 11;
        const int32_t q = Im_Slot(anderer, 5);
        Talente_Leeren(q);
        Lernen(q, {3});
        fremd_vorher = Aktive(q);
        Spielerliste_Oeffnen(q, 100, 200, anderer);
        Klick(Zeile_Von(3));
        Screen_Zurueck();
        Spielerliste_Oeffnen(q, 100, 200, team);
        Klick(Zeile_Von(3));
        Screen_Zurueck();
        fremd_nachher = Aktive(q);
        // No player: no rows, the arrows step nothing.
        Spielerliste_Oeffnen(-1, 100, 200, team);
        Klick(ICON_SPIELERLISTE_WEITER);
        ungueltig = {Spielerliste_Stand().spieler, Spielerliste_Stand().zeilen};
        Screen_Zurueck();
    };
    ASSERT_TRUE(Kurz_Spielen());
    ASSERT_EQ(ergebnis.size(), faelle.size());
    for (size_t i = 0; i < faelle.size(); ++i) EXPECT_EQ(ergebnis[i], faelle[i].erwartet) << faelle[i].name;
    EXPECT_EQ(fremd_nachher, fremd_vorher);
    EXPECT_EQ(ungueltig, (std::vector<int32_t>{-1, 0}));
}

TEST_F(SpielerFenster, TheArrowsWalkTheClubBySlotOneStepPer250Ms) {
    struct Schritt_ {
        int32_t icon;
        uint32_t ms_davor;
        int32_t slot;   // the slot shown afterwards
    };
    static std::vector<int32_t> eigene, fremde;
    static int32_t spieler_nach_luecke = -1, erwartet_nach_luecke = -1;
    lauf.beim_ersten_zug = [](int32_t team) {
        auto gehen = [](std::vector<int32_t>& aus, const std::vector<Schritt_>& schritte) {
            for (const Schritt_& s : schritte) {
                Plat_Uhr_Vorstellen(s.ms_davor);
                Klick(s.icon);
                aus.push_back(Spielerliste_Stand().slot);
            }
        };
        constexpr int32_t W = ICON_SPIELERLISTE_WEITER, Z = ICON_SPIELERLISTE_ZURUECK;
        // The local club from slot 18: 19, then 0 (a second click 100 ms later is dropped), back to 19.
        Spielerliste_Oeffnen(Im_Slot(team, 18), 100, 200, team);
        gehen(eigene, {{W, 300, 19}, {W, 260, 0}, {W, 100, 0}, {Z, 300, 19}});
        Screen_Zurueck();
        // Another club from slot 16: previous goes 0, 1; next goes back to 0, 16, 15.
        const int32_t anderer = team == 11 ? 12 : 11;
        Spielerliste_Oeffnen(Im_Slot(anderer, 16), 100, 200, anderer);
        gehen(fremde, {{Z, 300, 0}, {Z, 300, 1}, {W, 300, 0}, {W, 300, 16}, {W, 300, 15}});
        Screen_Zurueck();
        // A slot nobody holds: the player stays, the slot moves on.
        const int32_t p = Im_Slot(team, 19);
        Spieler_Wert(SPW_SLOT, Im_Slot(team, 0), 25, OP_SCHREIBEN);
        Spielerliste_Oeffnen(p, 100, 200, team);
        Plat_Uhr_Vorstellen(300);
        Klick(W);
        spieler_nach_luecke = Spielerliste_Stand().spieler;
        erwartet_nach_luecke = p;
        eigene.push_back(Spielerliste_Stand().slot);
        Screen_Zurueck();
    };
    ASSERT_TRUE(Kurz_Spielen());
    EXPECT_EQ(eigene, (std::vector<int32_t>{19, 0, 0, 19, 0}));
    EXPECT_EQ(fremde, (std::vector<int32_t>{0, 1, 0, 16, 15}));
    EXPECT_EQ(spieler_nach_luecke, erwartet_nach_luecke);
}

TEST_F(SpielerFenster, TheDeveloperActionOpensThePanelInsteadAndItsArrowsStopAtZeroAndTwenty) {
    static std::vector<int32_t> slots;
    static TalentPanelStand panel;
    static bool liste_offen = true, zu_nach_wechsel = false;
    lauf.beim_ersten_zug = [](int32_t team) {
        Attribute_Tag();
        const int32_t p = Im_Slot(team, 1);
        Spielerliste_Oeffnen(p, 700, 200, team);
        liste_offen = Spielerliste_Offen();
        panel = Screen_Talente_Stand();
        for (int32_t k = 0; k < 3; ++k) {
            Plat_Uhr_Vorstellen(250);
            Klick(ICON_ENTWICKLER_ZURUECK);
            slots.push_back(Screen_Talente_Stand().slot);
        }
        Screen_Talente_Schliessen();
        Spielerliste_Oeffnen(Im_Slot(team, 19), 100, 200, team);
        for (int32_t k = 0; k < 2; ++k) {
            Plat_Uhr_Vorstellen(250);
            Klick(ICON_ENTWICKLER_WEITER);
            slots.push_back(Screen_Talente_Stand().slot);
        }
        // Another screen from the panel closes it with the talent list.
        Menue_Screen_Oeffnen(nullptr);
        zu_nach_wechsel = !Screen_Talente_Offen();
        // Two columns for the picture.
        Spielerliste_Oeffnen(p, 60, 200, team);
    };
    // The two columns take every click on their area.
    static std::vector<std::string> durch;
    static int32_t punkte = 0;
    skript = {};
    Foto(skript, 30, 300);
    skript.push_back({1, 30, 300, 0, false, 0, [] {
        durch = Kasten_Durchlass(ICON_ENTWICKLER_KOPF, ICON_ENTWICKLER_KOPF + 1, ICON_ENTWICKLER_KOPF + ENTWICKLER_ZEILEN,
                                 [](int32_t n) {
                                     return (n >= ICON_ENTWICKLER_KOPF && n <= ICON_ENTWICKLER_WEITER) ||
                                            n == ICON_ENTWICKLER_FLAECHE[0] || n == ICON_ENTWICKLER_FLAECHE[1];
                                 },
                                 &punkte);
    }});
    ASSERT_TRUE(Spielen());
    EXPECT_EQ(durch, std::vector<std::string>{}) << "of " << punkte << " points of the panel";
    EXPECT_GT(punkte, 40000);
    EXPECT_FALSE(liste_offen);
    EXPECT_EQ(panel.x, 288) << "x + 492 past the edge";
    EXPECT_EQ(panel.y, 1);
    EXPECT_GT(panel.zeilen, ENTWICKLER_SPALTE) << "every field talent of his kind is learnt";
    EXPECT_EQ(slots, (std::vector<int32_t>{0, 0, 0, 20, 20}));
    EXPECT_TRUE(zu_nach_wechsel);
    EXPECT_EQ(Vergleichen("talent_panel_entwickler", 0), "");
}

// -- The talents screen --------------------------------------------------------

TEST_F(SpielerFenster, TheTalentsMapOfAFieldPlayerAndOfAGoalkeeper) {
    lauf.beim_ersten_zug = [](int32_t team) {
        const int32_t p = Im_Slot(team, 5);
        Talente_Leeren(p);
        Lernen(p, {0, 1, 2, 3, 20, 21, 35, 44});
        Attribut_Toggle_Aktive_2(p, 44);
        Spieler_Wert(22, p, 5, OP_SCHREIBEN);   // learning talent 22
        Talente_Oeffnen(p, TALENTE_EIGENER);
    };
    int32_t torwart = -1;
    lauf.nach_bild = [&] {
        // After the first picture: the goalkeeper's map, read only.
        if (schritt == 3 && Talente_Stand().modus == TALENTE_EIGENER) {
            Talente_Schliessen();
            torwart = Im_Slot(lauf.team, 10);
            Talente_Leeren(torwart);
            Lernen(torwart, {47, 50});
            Talente_Oeffnen(torwart, TALENTE_ANDERER);
        }
    };
    int32_t x = 0, y = 0;
    ASSERT_TRUE(Talent_Zelle(21, &x, &y, nullptr));
    skript = {};
    Foto(skript, x + 10, y + 10);   // picture 0: hovering talent 21 (needs 1, which he has)
    skript.push_back({2, 120, 250, 0, false});
    int32_t tx = 0, ty = 0;
    ASSERT_TRUE(Talent_Zelle(49, &tx, &ty, nullptr));
    Foto(skript, tx + 30, ty + 30);   // picture 1: the goalkeeper, hovering talent 49
    ASSERT_TRUE(Spielen());
    EXPECT_EQ(Vergleichen("talente_feld", 0), "");
    EXPECT_EQ(Vergleichen("talente_torwart", 1), "");
}

TEST_F(SpielerFenster, AClickStartsTheTalentOrAsksOrRefuses) {
    struct Fall {
        const char* name;
        int32_t lernt;           // the talent in training before, -1 none
        int32_t einheiten;       // training units used this round
        bool verletzt;
        int32_t klick;
        bool ja;                 // answer "yes" when asked
        bool frage, offen;       // asked; the training unit open afterwards
        int32_t alt_danach;      // the old talent's value afterwards (-1: not checked)
    };
    static const std::vector<Fall> faelle = {
        {"nothing in training: opens", -1, 0, false, 2, false, false, true, -1},
        {"the talent in training again: opens without a question", 2, 0, false, 2, false, false, true, -1},
        {"another one in training: asks, yes drops it", 3, 0, false, 2, true, true, true, 0},
        {"another one in training: asks, no keeps it", 3, 0, false, 2, false, true, false, 4},
        {"units used up: text 39, nothing opens", -1, 3, false, 2, false, false, false, -1},
        {"injured: a message, nothing opens", -1, 0, true, 2, false, false, false, -1},
        {"not learnable (prerequisite missing): nothing", -1, 0, false, 22, false, false, false, -1},
    };
    struct Ergebnis {
        bool frage = false, offen = false, meldung = false;
        int32_t alt = -1, geld = -1;
    };
    static std::vector<Ergebnis> ergebnis;
    static std::vector<int32_t> anderer_modus;
    ergebnis.clear();
    lauf.beim_ersten_zug = [](int32_t team) {
        const int32_t p = Im_Slot(team, 5);
        ASSERT_EQ(Global_Parameter(GP_TRAININGS_EINHEITEN_PRO_RUNDE, 0), 3);
        for (const Fall& f : faelle) {
            Talente_Leeren(p);
            Spieler_Wert(SPW_TRAINING_EINHEITEN, p, f.einheiten, OP_SCHREIBEN);
            Spieler_Wert(SPW_TRAININGSGELD, p, 5000, OP_SCHREIBEN);
            Spieler_Wert(SPW_STATUS, p, int32_t(SP_STATUS_VERLETZT), f.verletzt ? OP_SETZEN : OP_LOESCHEN);
            if (f.lernt >= 0) Spieler_Wert(f.lernt, p, 4, OP_SCHREIBEN);
            Talente_Oeffnen(p, TALENTE_EIGENER);
            Klick(ICON_TALENTE_ERSTES + f.klick);
            Ergebnis e;
            // A question shows both buttons, a message only the second.
            const s_icon* ja = Menue_Screen_Icon_Aus_Nummer(ICON_REQUESTER_KNOPF_1);
            e.frage = Menue_Requester_Offen() && ja && !(ja->Status & ICON_ST_VERSTECKT);
            e.meldung = Menue_Requester_Offen() && !e.frage;
            if (e.frage && f.frage) Klick(f.ja ? ICON_REQUESTER_KNOPF_1 : ICON_REQUESTER_KNOPF_2);
            else if (Menue_Requester_Offen()) Klick(ICON_REQUESTER_KNOPF_2);
            e.offen = Training_Offen();
            if (f.lernt >= 0) e.alt = Spieler_Wert(f.lernt, p, 0, OP_LESEN);
            e.geld = Spieler_Wert(SPW_TRAININGSGELD, p, 0, OP_LESEN);
            ergebnis.push_back(e);
            if (Training_Offen()) Training_Schliessen();
            Talente_Schliessen();
        }
        // Another club's player (mode 1): a click only logs.
        const int32_t q = Im_Slot(team == 11 ? 12 : 11, 5);
        Talente_Leeren(q);
        Talente_Oeffnen(q, TALENTE_ANDERER);
        Klick(ICON_TALENTE_ERSTES + 2);
        anderer_modus = {Training_Offen() ? 1 : 0, Menue_Requester_Offen() ? 1 : 0};
        Talente_Schliessen();
    };
    ASSERT_TRUE(Kurz_Spielen());
    ASSERT_EQ(ergebnis.size(), faelle.size());
    for (size_t i = 0; i < faelle.size(); ++i) {
        const Fall& f = faelle[i];
        SCOPED_TRACE(f.name);
        EXPECT_EQ(ergebnis[i].frage, f.frage);
        EXPECT_EQ(ergebnis[i].offen, f.offen);
        if (f.alt_danach >= 0) {
            EXPECT_EQ(ergebnis[i].alt, f.alt_danach);
        }
        if (f.frage) {
            EXPECT_EQ(ergebnis[i].geld, f.ja ? 0 : 5000) << "yes clears the money spent on him";
        }
        EXPECT_EQ(ergebnis[i].meldung, f.einheiten == 3 || f.verletzt);
    }
    EXPECT_EQ(anderer_modus, (std::vector<int32_t>{0, 0}));
}

TEST_F(SpielerFenster, TheTalentsScreenStepsBySlotOrThroughTheRightListAtMostOncePer200Ms) {
    static std::vector<int32_t> eigene, liste, zyklus;
    static int32_t einzeln_vorher = -1, einzeln_nachher = -2;
    lauf.beim_ersten_zug = [](int32_t team) {
        constexpr int32_t W = ICON_TALENTE_WEITER, Z = ICON_TALENTE_ZURUECK;
        auto gehen = [](std::vector<int32_t>& aus, int32_t icon, uint32_t ms) {
            Plat_Uhr_Vorstellen(ms);
            Klick(icon);
            aus.push_back(Talente_Stand().spieler);
        };
        // Mode 0 from slot 19: next is slot 0 (nobody: no player), a click 100 ms later is dropped, then slot 1.
        const int32_t p0 = Im_Slot(team, 0), p1 = Im_Slot(team, 1), p19 = Im_Slot(team, 19);
        Spieler_Wert(SPW_SLOT, p0, 25, OP_SCHREIBEN);
        Talente_Oeffnen(p19, TALENTE_EIGENER);
        gehen(eigene, W, 300);
        gehen(eigene, W, 100);
        gehen(eigene, W, 200);
        gehen(eigene, Z, 300);
        gehen(eigene, Z, 300);
        Talente_Schliessen();
        liste = {-1, -1, p1, -1, p19};
        // Mode 2: the right list, forward and back round.
        int32_t rechte[12];
        const int32_t n = Talente_Rechte_Liste(rechte);
        zyklus.assign(rechte, rechte + n);
        if (n > 0) {
            Talente_Oeffnen(rechte[0], TALENTE_RECHTE_LISTE);
            std::vector<int32_t> weg;
            gehen(weg, Z, 300);
            gehen(weg, W, 300);
            zyklus = {weg[0], weg[1], rechte[n - 1], rechte[0]};
            Talente_Schliessen();
        }
        // Mode 3: one player, the arrows step nothing.
        Talente_Oeffnen(p1, TALENTE_EINZELN);
        einzeln_vorher = Talente_Stand().spieler;
        Plat_Uhr_Vorstellen(300);
        Klick(W);
        einzeln_nachher = Talente_Stand().spieler;
        Talente_Schliessen();
    };
    ASSERT_TRUE(Kurz_Spielen());
    EXPECT_EQ(eigene, liste);
    ASSERT_EQ(zyklus.size(), 4u) << "the market's offer holds a player";
    EXPECT_EQ(zyklus[0], zyklus[2]) << "back from the first is the last";
    EXPECT_EQ(zyklus[1], zyklus[3]);
    EXPECT_EQ(einzeln_nachher, einzeln_vorher);
}

// -- The player card -------------------------------------------------------------

TEST_F(SpielerFenster, TheCardOfAnOwnPlayerAndOfAMarketPlayerWithoutShirtNumber) {
    static int32_t markt_spieler = -1;
    lauf.beim_ersten_zug = [](int32_t team) {
        const int32_t p = Im_Slot(team, 2);
        Talente_Leeren(p);
        Lernen(p, {1, 4, 9, 21, 42});
        Attribut_Toggle_Aktive_2(p, 4);
        Attribut_Toggle_Aktive_2(p, 42);
        Spieler_Wert(26, p, 6, OP_SCHREIBEN);   // learning talent 26
        Spieler_Wert(SPW_STATUS, p, int32_t(SP_STATUS_VERLETZT), OP_SETZEN);
        Spieler_Wert(SPW_VERLETZUNG, p, 2, OP_SCHREIBEN);
        Spieler_Wert(SPW_VERLETZUNG_TAGE, p, 3, OP_SCHREIBEN);
        Spielerinfo_Oeffnen(p, team, KARTE_EIGENER);
        int32_t liste[TEAM_SPIELER_MAX];
        Teamspieler_Ins_Array(Team_Markt(), liste, TEAM_SPIELER_MAX, 0);
        markt_spieler = liste[3];
    };
    lauf.nach_bild = [] {
        if (schritt == 2 && Spielerinfo_Stand().modus == KARTE_EIGENER) {
            Spielerinfo_Schliessen();
            Spielerinfo_Oeffnen(markt_spieler, -1, KARTE_MARKT);
        }
    };
    skript = {};
    Foto(skript, 400, 500);
    Foto(skript, 400, 500);
    ASSERT_TRUE(Spielen());
    EXPECT_EQ(Vergleichen("karte_modus_0", 0), "");
    EXPECT_EQ(Vergleichen("karte_modus_2", 1), "");
}

// The card's window covers the work area: a click beside the card, on the
// line-up's "Gegner" button below it, closes the card and reaches nothing
// behind, so the line-up still shows the own club.
TEST_F(SpielerFenster, AClickBesideTheCardClosesItAndReachesNothingBehind) {
    static bool offen_vorher = false, offen_nachher = true;
    lauf.beim_ersten_zug = [](int32_t team) { Spielerinfo_Oeffnen(Im_Slot(team, 2), team, KARTE_EIGENER); };
    skript = {{3, 30, 300, 0, false, 0, [] { offen_vorher = Spielerinfo_Offen(); }}};
    Klicken(skript, 103, 493);
    skript.push_back({3, 400, 300, 0, false, 0, [] { offen_nachher = Spielerinfo_Offen(); }});
    Foto(skript, 400, 300);
    ASSERT_TRUE(Spielen());
    EXPECT_TRUE(offen_vorher);
    EXPECT_FALSE(offen_nachher) << "the click beside the card left it open";
    EXPECT_EQ(Vergleichen("karte_daneben_geklickt", 0), "");
}

TEST_F(SpielerFenster, TheCardStepsByModeFreesItsBlockOnEveryCloseAndOpensTheTalentsInItsMode) {
    struct Notiz {
        std::vector<int32_t> slots, spieler;
        int32_t erster = -1, zweiter_offen = -1;
        std::vector<size_t> bloecke;
        std::vector<int32_t> talente_modi;
        std::vector<int32_t> zyklus, erwartet;
    };
    static Notiz n;
    n = Notiz{};
    lauf.beim_ersten_zug = [](int32_t team) {
        constexpr int32_t W = ICON_KARTE_WEITER, Z = ICON_KARTE_ZURUECK;
        auto schritt_ = [](int32_t icon, uint32_t ms) {
            Plat_Uhr_Vorstellen(ms);
            Klick(icon);
            n.slots.push_back(Spielerinfo_Stand().slot);
            n.spieler.push_back(Spielerinfo_Stand().spieler);
        };
        // Mode 0 from slot 19: to 0 (nobody holds it: the player stays), a click 150 ms later is dropped, on to 1.
        const int32_t p19 = Im_Slot(team, 19), p0 = Im_Slot(team, 0);
        Spieler_Wert(SPW_SLOT, p0, 25, OP_SCHREIBEN);
        Spielerinfo_Oeffnen(p19, team, KARTE_EIGENER);
        n.erster = Spielerinfo_Stand().spieler;
        Spielerinfo_Oeffnen(Im_Slot(team, 3), team, KARTE_EIGENER);   // open already: keeps the first
        n.zweiter_offen = Spielerinfo_Stand().spieler;
        schritt_(W, 300);
        schritt_(W, 150);
        schritt_(W, 250);
        schritt_(Z, 250);
        n.bloecke.push_back(Spielerinfo_Stand().zaehler);
        Klick(ICON_KARTE_SCHLIESSEN);
        n.bloecke.push_back(Spielerinfo_Stand().zaehler);
        Spieler_Wert(SPW_SLOT, p0, 0, OP_SCHREIBEN);
        // Mode 1: previous walks 10, 17; next back from 11 to 19.
        const int32_t anderer = team == 11 ? 12 : 11;
        Spielerinfo_Oeffnen(Im_Slot(anderer, 10), anderer, KARTE_ANDERER);
        schritt_(Z, 250);
        Spielerinfo_Schliessen();
        Spielerinfo_Oeffnen(Im_Slot(anderer, 11), anderer, KARTE_ANDERER);
        schritt_(W, 250);
        // The talents button opens the talents screen in the card's mode (0->0, 1->1, 3->2, 2->3).
        Klick(ICON_KARTE_TALENTE);
        n.talente_modi.push_back(Talente_Stand().modus);
        Talente_Schliessen();
        Klick(ICON_KARTE_TALENTE, EV_RECHTS);   // a right click on it closes the card
        n.bloecke.push_back(Spielerinfo_Stand().zaehler);
        // Mode 3: the market's offer sorted by kind, then the scout prospect; empty slots left out.
        const int32_t markt = Team_Markt();
        std::vector<int32_t> alle(static_cast<size_t>(MARKT_SPIELER_MAX), -1);
        const int32_t im_markt = Teamspieler_Ins_Array(markt, alle.data(), MARKT_SPIELER_MAX, 0);
        for (int32_t i = 0; i < im_markt; ++i) Spieler_Wert(SPW_SLOT, alle[size_t(i)], 19, OP_SCHREIBEN);
        const int32_t* liste = alle.data();
        const int32_t arten[5] = {0, 3, 1, 3, 2};
        for (int32_t i = 0; i < 5; ++i) {
            Spieler_Wert(SPW_ART, liste[i], arten[i], OP_SCHREIBEN);
            Spieler_Wert(SPW_SLOT, liste[i], i == 2 ? 6 : i, OP_SCHREIBEN);   // slot 2 stays empty
        }
        Team_Wert(TW_SCOUT_SPIELER, team, liste[5], OP_SCHREIBEN);
        n.erwartet = {liste[1], liste[3], liste[4], liste[2], liste[0], liste[5]};
        Spielerinfo_Oeffnen(liste[1], markt, KARTE_RECHTE_LISTE);
        for (int32_t k = 0; k < 6; ++k) {
            n.zyklus.push_back(Spielerinfo_Stand().spieler);
            Plat_Uhr_Vorstellen(250);
            Klick(W);
        }
        Klick(ICON_KARTE_TALENTE);
        n.talente_modi.push_back(Talente_Stand().modus);
        Talente_Schliessen();
        Klick(ICON_KARTE);   // a click on the card closes it
        n.bloecke.push_back(Spielerinfo_Stand().zaehler);
        Spielerinfo_Oeffnen(liste[0], markt, KARTE_MARKT);
        Klick(ICON_KARTE_TALENTE);
        n.talente_modi.push_back(Talente_Stand().modus);
        Talente_Schliessen();
        Menue_Screen_Oeffnen(nullptr);   // another screen from the panel
        n.bloecke.push_back(Spielerinfo_Stand().zaehler);
    };
    ASSERT_TRUE(Kurz_Spielen());
    EXPECT_EQ(n.zweiter_offen, n.erster);
    EXPECT_EQ(n.slots, (std::vector<int32_t>{0, 0, 1, 0, 17, 19}));
    ASSERT_GE(n.spieler.size(), 4u);
    EXPECT_EQ(n.spieler[0], n.erster) << "nobody in slot 0: the player stays";
    EXPECT_NE(n.spieler[2], n.erster);
    EXPECT_GT(n.bloecke[0], 0u);
    EXPECT_EQ(n.bloecke, (std::vector<size_t>{n.bloecke[0], 0, 0, 0, 0}));
    EXPECT_EQ(n.talente_modi, (std::vector<int32_t>{TALENTE_ANDERER, TALENTE_RECHTE_LISTE, TALENTE_EINZELN}));
    EXPECT_EQ(n.zyklus, n.erwartet);
}

// -- The editor panel ---------------------------------------------------------

TEST_F(SpielerFenster, TheEditorPanelMarksTalentsAddsPrerequisitesAndResetsWhatLostThem) {
    struct Notiz {
        std::vector<int32_t> werte;
        int32_t torwart_zeilen = -1, erste_talent = -1;
        TalentPanelStand markt, nicht_gefunden;
        int32_t markt_nach = -1, erwartet_nach = -1;
    };
    static Notiz n;
    n = Notiz{};
    static int32_t torwart = -1;
    lauf.beim_ersten_zug = [](int32_t team) {
        const int32_t p = Im_Slot(team, 5);
        Talente_Leeren(p);
        Screen_Talente_2_Oeffnen(p, 0, 0, team);
        auto klick = [](int32_t talent) { Klick(ICON_EDITOR_KOPF + 1 + talent); };
        auto wert = [p](int32_t id) { n.werte.push_back(Spieler_Wert(id, p, 0, OP_LESEN) > 0 ? 1 : Spieler_Wert(id, p, 0, OP_LESEN)); };
        klick(21);          // learnt: its prerequisite 1 comes with it
        wert(21);
        wert(1);
        klick(1);           // 1 blocked: 21 lost its prerequisite and is reset
        wert(1);
        wert(21);
        klick(1);           // 1 back to 0
        wert(1);
        // 16 learnt; 21 would bring 1 with it: 16 + 1 + 1 = 18 is allowed, 17 + 2 would not be.
        for (int32_t id = 2; id <= 18; ++id) Attribut_Spieler_Setze_Wert_2(p, id, ATTRIBUT_LERNEN);
        klick(21);
        wert(21);
        Screen_Talente_2_Schliessen();
        // The goalkeeper: 13 rows (talents 40-52) in one column.
        torwart = Im_Slot(team, 10);
        Talente_Leeren(torwart);
        Lernen(torwart, {48, 51});
        Attribut_Spieler_Setze_Wert_2(torwart, 43, ATTRIBUT_SPERREN);
        // The market: the arrows walk the editor's list from the player's place.
        const int32_t markt = Team_Markt();
        int32_t liste[6];
        Teamspieler_Ins_Array(markt, liste, 6, 0);
        Screen_Talente_2_Liste_Setzen(liste, 6);
        Screen_Talente_2_Oeffnen(liste[2], 0, 0, markt);
        n.markt = Screen_Talente_2_Stand();
        Plat_Uhr_Vorstellen(250);
        Klick(ICON_EDITOR_WEITER);
        n.markt_nach = Screen_Talente_2_Stand().spieler;
        n.erwartet_nach = liste[3];
        Screen_Talente_2_Schliessen();
        Screen_Talente_2_Oeffnen(liste[5], 0, 0, markt);   // the last entry is not searched
        n.nicht_gefunden = Screen_Talente_2_Stand();
        Screen_Talente_2_Schliessen();
        Screen_Talente_2_Oeffnen(torwart, 0, 0, team);
        n.torwart_zeilen = Screen_Talente_2_Stand().zeilen;
        Screen_Talente_2_Zeile(1, &n.erste_talent);
    };
    skript = {};
    Foto(skript, 600, 300);
    ASSERT_TRUE(Spielen());
    EXPECT_EQ(n.werte, (std::vector<int32_t>{1, 1, -1, 0, 0, -1}));
    EXPECT_EQ(n.torwart_zeilen, 13);
    EXPECT_EQ(n.erste_talent, 40);
    EXPECT_TRUE(n.markt.liste);
    EXPECT_EQ(n.markt.listen_index, 2);
    EXPECT_EQ(n.markt_nach, n.erwartet_nach);
    EXPECT_FALSE(n.nicht_gefunden.liste);
    EXPECT_EQ(Vergleichen("talent_panel_editor_torwart", 0), "");
}

// A talent the panel may not reset (a network client's write to another
// club's player is refused) is left as it is: the clean-up after a click does
// not try it again for ever.
TEST_F(SpielerFenster, TheEditorPanelLeavesATalentWhoseResetIsRefused) {
    static int32_t werte[3];
    werte[0] = werte[1] = werte[2] = -9;
    lauf.beim_ersten_zug = [](int32_t team) {
        const int32_t p = Im_Slot(team, 5);
        Talente_Leeren(p);
        Lernen(p, {2});
        werte[0] = Spieler_Wert(2, p, 0, OP_LESEN);
        Spieler_Wert(21, p, 1, OP_SCHREIBEN);   // begun, but its prerequisite 1 is missing
        Screen_Talente_2_Oeffnen(p, 0, 0, team);
        ClubHooks& h = Club_Hooks();
        const ClubHooks alt = h;
        h.netzwerk_modus = [] { return int32_t(1); };
        h.client_team = [] { return int32_t(-1); };
        {
            Wachhund w("the editor's reset of talents without prerequisites", 60);
            Klick(ICON_EDITOR_KOPF + 1 + 2);   // learnt: blocking it is refused, then the clean-up
        }
        h = alt;
        werte[1] = Spieler_Wert(2, p, 0, OP_LESEN);
        werte[2] = Spieler_Wert(21, p, 0, OP_LESEN);
        Screen_Talente_2_Schliessen();
    };
    ASSERT_TRUE(Kurz_Spielen());
    EXPECT_GT(werte[0], 0);
    EXPECT_EQ(werte[1], werte[0]) << "the refused block leaves the talent learnt";
    EXPECT_EQ(werte[2], 1) << "the refused reset leaves the begun talent";
}

}  // namespace
}  // namespace velmora::test
