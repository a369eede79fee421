// tests/app/verdrahtung_test.cpp - the composition root: the order of binding
// changes nothing, a module unbound from the middle leaves the others
// working, the money after a match is booked in the game's order, and an
// unsound wiring stops the start with the names of what is wrong.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "app/sim_lauf.h"
#include "app/verdrahtung.h"
#include "bilder/trikot.h"
#include "bilder/wappen.h"
#include "business/bank.h"
#include "business/ereignis.h"
#include "business/news.h"
#include "business/stadion.h"
#include "business/werbung.h"
#include "club/spieler.h"
#include "club/team.h"
#include "club/weltgen.h"
#include "core/config_bin.h"
#include "core/dirs.h"
#include "core/hooks.h"
#include "core/meldung.h"
#include "core/prioritaeten.h"
#include "core/rnd.h"
#include "core/spielstand.h"
#include "core/spielstand_datei.h"
#include "core/spielstand_testing.h"
#include "gfx/blit.h"
#include "gfx/hilfe_text.h"
#include "gfx/rastport.h"
#include "gfx/texteingabe.h"
#include "gui/menue.h"
#include "match/day/spieltag.h"
#include "match/day/spieltag_hooks.h"
#include "media/video.h"
#include "net/net.h"
#include "platform/clock.h"
#include "screens/menue_panel.h"
#include "season/kalender.h"
#include "shell/screen.h"
#include "tests/core/temp_verz.h"
#include "tests/media/film_hilfe.h"

namespace velmora {
namespace {

// A generated small world in a temporary installation.
struct SpielWelt {
    velmora_test::TestWelt dirs;
    bool ok = false;
    explicit SpielWelt(uint32_t seed = 4) { ok = dirs.ok && Sim_Welt_Erzeugen(dirs.install, true, seed); }
    ~SpielWelt() {
        Sim_Beenden();
        Spiel_Entdrahten();
        Kalender_Hooks() = KalenderHooks{};
        Core_Hooks().meldung = nullptr;
    }
};

bool Verdrahten(VerdrahtungOptionen v) {
    std::string fehler;
    bool ok = Spiel_Verdrahten(v, &fehler);
    EXPECT_TRUE(ok) << fehler;
    Core_Hooks().meldung = [](const char*) {};
    return ok;
}

std::vector<int32_t> Menschen() {
    std::vector<int32_t> t;
    for (int32_t i = 0; i < Team_Anzahl(); ++i)
        if (Team_Hat_Manager(i)) t.push_back(i);
    return t;
}

std::vector<uint8_t> Datei(const std::string& pfad) {
    std::ifstream f(pfad, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

struct Ergebnis {
    std::string bericht;
    std::vector<uint8_t> bild;        // the whole game after the last day
    std::vector<uint8_t> autosave;    // the autosave file of day 56
};

// 60 days of two human managers' game, the modules bound in `reihenfolge`.
Ergebnis Sechzig_Tage(const std::vector<std::string>& reihenfolge) {
    Ergebnis e;
    // As in a new process: the bank draws its rates when it is bound; the
    // match day notes times in its slots, on the virtual clock the same.
    Rnd_Init();
    Plat_Uhr_Virtuell(true, 1000);
    VerdrahtungOptionen v;
    v.reihenfolge = reihenfolge;
    v.sim.seed = 7;
    v.sim.menschen = 2;
    if (!Verdrahten(v)) return e;
    if (!reihenfolge.empty()) {
        EXPECT_EQ(Verdrahtung_Gebunden(), reihenfolge);
    }
    EXPECT_TRUE(Sim_Bis_Tag(60));
    e.bericht = Sim_Bericht();
    EXPECT_TRUE(Spielstand_Speichern_In_Bild(&e.bild));
    Spielstand_Schreiber_Warten();
    e.autosave = Datei(std::string(Dirs_Get(DIR_SPIELSTAND)) + "/game_9.qzv");
    Sim_Beenden();
    Spiel_Entdrahten();
    Plat_Uhr_Virtuell(false, 0);
    return e;
}

TEST(Verdrahtung, TheOrderOfBindingChangesNothingInTheGame) {
    SpielWelt w;
    ASSERT_TRUE(w.ok);
    Ergebnis erst = Sechzig_Tage({});
    ASSERT_FALSE(erst.bild.empty());
    ASSERT_FALSE(erst.autosave.empty());
    // The same modules, bound backwards and then shuffled.
    std::vector<std::string> namen = Verdrahtung_Module();
    namen.erase(std::remove_if(namen.begin(), namen.end(),
                               [](const std::string& n) {
                                   return n == "Grafik" || n == "Shell" || n == "Bildschirm" || n == "Seiten" || n == "Start" || n == "Ansicht" ||
                                          n == "SimAnsicht";
                               }),
                namen.end());
    std::vector<std::string> rueckwaerts(namen.rbegin(), namen.rend());
    std::vector<std::string> gemischt = namen;
    std::shuffle(gemischt.begin(), gemischt.end(), std::mt19937(12345));
    for (const auto& reihenfolge : {rueckwaerts, gemischt}) {
        std::filesystem::remove(std::string(Dirs_Get(DIR_SPIELSTAND)) + "/game_9.qzv");
        Ergebnis lauf = Sechzig_Tage(reihenfolge);
        EXPECT_EQ(lauf.bericht, erst.bericht);
        EXPECT_TRUE(lauf.bild == erst.bild) << "the saved game differs";
        EXPECT_TRUE(lauf.autosave == erst.autosave) << "the autosave differs";
    }
}

TEST(Verdrahtung, AModuleUnboundFromTheMiddleLeavesTheOthersWorking) {
    SpielWelt w;
    ASSERT_TRUE(w.ok);
    VerdrahtungOptionen v;
    v.sim.seed = 3;
    v.sim.menschen = 2;
    ASSERT_TRUE(Verdrahten(v));
    ASSERT_TRUE(Verdrahtung_Modul_Abbinden("Stadion"));
    EXPECT_FALSE(Verdrahtung_Modul_Abbinden("Stadion"));
    const std::vector<std::string> gebunden = Verdrahtung_Gebunden();
    EXPECT_EQ(std::count(gebunden.begin(), gebunden.end(), "Stadion"), 0);
    EXPECT_EQ(Spieltag_Hooks().stadion_einnahmen, nullptr);
    ASSERT_TRUE(Sim_Bis_Tag(100));
    // The calendar's work of the others ran: the news file opened, the events
    // read, the match days closed every human club's bank periods.
    EXPECT_TRUE(News_Ist_Offen());
    EXPECT_GT(Ereignis_Anzahl(), 0);
    for (int32_t t : Menschen()) {
        Bank_Konto k{};
        ASSERT_TRUE(Bank_Konto_Lesen(t, &k));
        EXPECT_GE(k.periode, 5u) << "team " << t;
        EXPECT_EQ(Bank_Kategorie_Summe(t, 1, BUCHUNG_STADION_UNTERHALT), 0.0f) << "no stadium, no upkeep";
    }
}

// A game unbound takes its world state with it: a second game of the same
// process (the start screens' editor, the next test) starts without the last
// game's panel club or match-day slots.
TEST(Verdrahtung, AGameUnboundLeavesNoStateForTheNextGame) {
    // Sixty days of a game without screens fill the match-day table.
    {
        SpielWelt w(6);
        ASSERT_TRUE(w.ok);
        Rnd_Init();
        VerdrahtungOptionen v;
        v.sim.seed = 6;
        v.sim.menschen = 1;
        ASSERT_TRUE(Verdrahten(v));
        ASSERT_TRUE(Sim_Bis_Tag(60));
        EXPECT_TRUE(Spieltag_Ist_Initialisiert());
        Sim_Beenden();
        Spiel_Entdrahten();
        EXPECT_FALSE(Spieltag_Ist_Initialisiert()) << "the match-day table after the game";
    }
    // The screens' panel keeps the manager's club while the game is bound.
    VerdrahtungOptionen v;
    v.nur = {"Core", "Grafik", "Netz", "Club", "Saison", "Spielfeld", "Spieltag", "News", "Stadion", "Bank",
             "Scout", "Verhandlung", "Training", "Ereignis", "Shell", "Bildschirm", "Seiten", "Lauf"};
    v.sim.zuege_beenden = false;
    ASSERT_TRUE(Verdrahten(v));
    Menue_Set_Eigenes_Team(1);
    EXPECT_EQ(Menue_Lokal().team, 1);
    Spiel_Entdrahten();
    Core_Hooks().meldung = nullptr;
    EXPECT_EQ(Menue_Lokal().team, -1) << "the panel's club after the game";
}

// One booking of the ring of a club's account, in the order it was made.
struct Eintrag {
    uint32_t periode;
    uint8_t kategorie;
    float betrag;
};

std::vector<Eintrag> Ring(int32_t team) {
    Bank_Konto k{};
    EXPECT_TRUE(Bank_Konto_Lesen(team, &k));
    std::vector<Eintrag> r;
    for (int32_t i = 0; i < BANK_BUCHUNGEN; ++i) {
        const Bank_Buchung& b = k.slot[size_t((int32_t(k.schreib_index) + i) % BANK_BUCHUNGEN)];
        if (b.kategorie != 0) r.push_back({b.periode, uint8_t(b.kategorie & 0x7F), b.betrag});
    }
    return r;
}

// Per match of a human club: the gate money at its start (at home), then the
// point bonus of a won or drawn league match, the stadium's upkeep, the advertising
// week and the club's period close, each exactly once, all in the period the
// close ends: the match's page of the finances shows all its money.
TEST(Verdrahtung, AfterEveryMatchBonusUpkeepAndAdvertisingFallIntoThePeriodTheBankCloses) {
    SpielWelt w;
    ASSERT_TRUE(w.ok);
    VerdrahtungOptionen v;
    v.sim.seed = 5;
    v.sim.menschen = 2;
    v.sim.autosave = false;
    ASSERT_TRUE(Verdrahten(v));
    ASSERT_TRUE(Sim_Bis_Tag(0));
    const std::vector<int32_t> menschen = Menschen();
    ASSERT_EQ(menschen.size(), 2u);
    // The new game's start opened the human clubs' accounts with their start
    // money and gave them their first advertising contracts.
    for (int32_t t : menschen) {
        ASSERT_TRUE(Bank_Hat_Konto(t));
        ASSERT_TRUE(Werbung_Automatik_Setzen(t, 1));
        const Werbung_Datensatz* wd = Werbung_Get_Team(t);
        ASSERT_NE(wd, nullptr);
        EXPECT_GT(std::count_if(wd->wert, wd->wert + WERBUNG_PLAETZE, [](int32_t x) { return x != 0; }), 0);
    }
    ASSERT_TRUE(Sim_Bis_Tag(120));
    int32_t spiele = 0, praemien = 0;
    for (int32_t t : menschen) {
        ASSERT_NE(Stadion_Get(t, 1), nullptr) << "team " << t;
        // The match day's categories in order; other income only as the last
        // booking before the upkeep (the bonus; events book it at other times).
        std::map<uint32_t, std::vector<uint8_t>> je_periode;
        std::map<uint32_t, std::map<uint8_t, float>> figuren;   // the period's match: teams and goals
        const std::vector<Eintrag> ring = Ring(t);
        for (size_t i = 0; i < ring.size(); ++i) {
            const Eintrag& e = ring[i];
            if (e.kategorie >= BUCHUNG_SPIEL_HEIM && e.kategorie <= BUCHUNG_SPIEL_TORE_GAST)
                figuren[e.periode][e.kategorie] = e.betrag;
            const bool vor_unterhalt = i + 1 < ring.size() && ring[i + 1].kategorie == BUCHUNG_STADION_UNTERHALT;
            if (e.kategorie == BUCHUNG_EINTRITT || e.kategorie == BUCHUNG_STADION_UNTERHALT ||
                e.kategorie == BUCHUNG_WERBUNG || e.kategorie == BUCHUNG_SPIEL_HEIM ||
                (e.kategorie == BUCHUNG_SONSTIGE_EINNAHMEN && vor_unterhalt && e.betrag > 0))
                je_periode[e.periode].push_back(e.kategorie);
        }
        Bank_Konto k{};
        ASSERT_TRUE(Bank_Konto_Lesen(t, &k));
        ASSERT_GE(k.periode, 4u) << "team " << t;
        for (uint32_t p = 0; p < k.periode; ++p) {
            std::map<uint8_t, float>& f = figuren[p];
            const bool heim = int32_t(f[BUCHUNG_SPIEL_HEIM]) == t;
            const float eigene = heim ? f[BUCHUNG_SPIEL_TORE_HEIM] : f[BUCHUNG_SPIEL_TORE_GAST];
            const float andere = heim ? f[BUCHUNG_SPIEL_TORE_GAST] : f[BUCHUNG_SPIEL_TORE_HEIM];
            std::vector<uint8_t> erwartet = {BUCHUNG_STADION_UNTERHALT, BUCHUNG_WERBUNG, BUCHUNG_SPIEL_HEIM};
            std::vector<uint8_t> ist = je_periode[p];
            // A bonus only for a won or drawn match (league games pay one,
            // cup games none): never in the period of a lost match.
            const auto bonus = std::find(ist.begin(), ist.end(), BUCHUNG_SONSTIGE_EINNAHMEN);
            if (bonus != ist.end()) {
                EXPECT_GE(eigene, andere) << "team " << t << ", period " << p << ": a bonus without its match";
                ist.erase(bonus);
                ++praemien;
            }
            if (!ist.empty() && ist[0] == BUCHUNG_EINTRITT) erwartet.insert(erwartet.begin(), BUCHUNG_EINTRITT);
            EXPECT_EQ(ist, erwartet) << "team " << t << ", period " << p << ", goals " << eigene << ":" << andere;
            ++spiele;
        }
        EXPECT_TRUE(je_periode[k.periode].empty()) << "nothing of a match after the last close";
    }
    EXPECT_GE(spiele, 8);
    EXPECT_GE(praemien, 2);
}

TEST(Verdrahtung, TwoSubscribersAtOnePriorityStopTheStartWithBothNames) {
    Kalender_Hooks() = KalenderHooks{};
    Kalender_Hooks().module_init.Anmelden(prio::INIT_NEWS, [] {}, "Fremd");
    VerdrahtungOptionen v;
    v.nur = {"News"};
    std::string fehler;
    EXPECT_FALSE(Spiel_Verdrahten(v, &fehler));
    EXPECT_NE(fehler.find("Kalender.module_init"), std::string::npos) << fehler;
    EXPECT_NE(fehler.find("Fremd und News"), std::string::npos) << fehler;
    // Nothing stays bound after a refused start.
    EXPECT_TRUE(Verdrahtung_Gebunden().empty());
    EXPECT_EQ(Spieltag_Hooks().news, nullptr);
    EXPECT_TRUE(Kalender_Hooks().module_free.Leer());
    Kalender_Hooks() = KalenderHooks{};
}

TEST(Verdrahtung, AnUnsoundWiringIsNamed) {
    struct Fall {
        std::vector<std::string> nur;
        bool ersatz_spieltag;
        const char* erwartet;
    };
    const Fall faelle[] = {
        // Two owners of one single-owner hook.
        {{"Spieltag", "Lauf"}, true, "Kalender.spieltag_start wird von Spieltag und Lauf gefuellt"},
        // A runner without a match day.
        {{"Lauf"}, false, "Kalender.spieltag_start ist nicht gefuellt (gebraucht von Lauf)"},
        // A module the table does not know.
        {{"Netz", "Tribuene"}, false, "kein Modul \"Tribuene\""},
    };
    for (const Fall& f : faelle) {
        VerdrahtungOptionen v;
        v.nur = f.nur;
        if (f.ersatz_spieltag) {
            v.sim.spieltag_start = [] { return false; };
            v.sim.spieltag_frame = [] { return false; };
        }
        std::string fehler;
        EXPECT_FALSE(Spiel_Verdrahten(v, &fehler)) << f.erwartet;
        EXPECT_NE(fehler.find(f.erwartet), std::string::npos) << fehler;
        EXPECT_EQ(Kalender_Hooks().spieltag_start, nullptr);
    }
    Kalender_Hooks() = KalenderHooks{};
}

// Every mode fills the single-owner hooks it needs; unbinding empties them.
TEST(Verdrahtung, EveryModeBindsAndUnbindsCompletely) {
    for (Betrieb b : {Betrieb::FENSTER, Betrieb::HEADLESS, Betrieb::SIM}) {
        std::string fehler;
        ASSERT_TRUE(Spiel_Verdrahten(b, &fehler)) << fehler;
        EXPECT_NE(Kalender_Hooks().spielstart_frame, nullptr);
        EXPECT_FALSE(Kalender_Hooks().nach_spiel_team.Leer());
        // The world's cache regions are there before any file is read, so a start with "-d" can load them.
        const std::vector<std::string> welt = {"spieler", "teams", "stadien", "global", "Wettbewerb", "Zeitplan"};
        std::vector<std::string> regionen = Config_Bin_Regionen();
        for (const std::string& r : welt) EXPECT_NE(std::find(regionen.begin(), regionen.end(), r), regionen.end()) << r;
        Spiel_Entdrahten();
        regionen = Config_Bin_Regionen();
        for (const std::string& r : welt) EXPECT_EQ(std::find(regionen.begin(), regionen.end(), r), regionen.end()) << r;
        EXPECT_EQ(Kalender_Hooks().spielstart_frame, nullptr);
        EXPECT_EQ(Kalender_Hooks().spieltag_start, nullptr);
        EXPECT_TRUE(Kalender_Hooks().nach_spiel_team.Leer());
        EXPECT_TRUE(Kalender_Hooks().module_init.Leer());
        EXPECT_TRUE(Spieltag_Hooks().nach_spiel_team.Leer());
        EXPECT_EQ(Core_Hooks().meldung, nullptr);
        // The save driver keeps only its random table.
        std::vector<uint8_t> bild;
        ASSERT_TRUE(Spielstand_Speichern_In_Bild(&bild));
        SpielstandDatei d;
        ASSERT_TRUE(Spielstand_Datei_Oeffnen(&d, bild));
        EXPECT_EQ(d.rahmen.size(), 1u);
    }
    // A run without the configuration cache (velmora-sim) registers none of
    // the world's regions, so its world is neither read from nor written to one.
    VerdrahtungOptionen ohne;
    ohne.betrieb = Betrieb::SIM;
    ohne.konfig_cache = false;
    std::string fehler;
    ASSERT_TRUE(Spiel_Verdrahten(ohne, &fehler)) << fehler;
    const std::vector<std::string> regionen = Config_Bin_Regionen();
    for (const char* r : {"spieler", "teams", "Wettbewerb", "Zeitplan"})
        EXPECT_EQ(std::find(regionen.begin(), regionen.end(), r), regionen.end()) << r;
    Spiel_Entdrahten();
    // A program's own wait and message line (velmora-netmatch's) are bound
    // by the root, and taken back with the rest.
    static int32_t gewartet = 0;
    static std::string gemeldet;
    VerdrahtungOptionen eigen;
    eigen.betrieb = Betrieb::SIM;
    eigen.sim.netz_warten = [] { ++gewartet; };
    eigen.sim.meldung = [](const char* text) { gemeldet = text; };
    ASSERT_TRUE(Spiel_Verdrahten(eigen, &fehler)) << fehler;
    ASSERT_NE(Net_Hooks().warten, nullptr);
    Net_Hooks().warten();
    Meldung("%s", "Keine Antwort");
    EXPECT_EQ(gewartet, 1);
    EXPECT_EQ(gemeldet, "Keine Antwort");
    Spiel_Entdrahten();
    EXPECT_EQ(Net_Hooks().warten, nullptr);
    EXPECT_EQ(Core_Hooks().meldung, nullptr);
}

// The save game holds every module's block in the order of its position,
// the same in every mode.
TEST(Verdrahtung, TheGamesSaveBlocksStandInTheirDeclaredOrder) {
    for (Betrieb b : {Betrieb::FENSTER, Betrieb::HEADLESS, Betrieb::SIM}) {
        ASSERT_TRUE(Spiel_Verdrahten(b));
        std::vector<uint8_t> bild;
        ASSERT_TRUE(Spielstand_Speichern_In_Bild(&bild));
        SpielstandDatei d;
        ASSERT_TRUE(Spielstand_Datei_Oeffnen(&d, bild));
        std::vector<std::string> namen;
        for (const SpielstandRahmen& r : d.rahmen) namen.push_back(r.name);
        EXPECT_EQ(namen, (std::vector<std::string>{"Rnd", "Spieler", "Team", "Manager", "Wettbewerb", "Spiele",
                                                   "Tabellen", "Saison", "Kalender", "Rangliste", "Statistik",
                                                   "Spieltag", "Spielfeld", "News", "Bank", "Stadion", "Werbung",
                                                   "Ereignis", "Training", "Trainingslager", "Scout",
                                                   "Verhandlung", "Ankuendigung", "Menue"}))
            << int(b);
        Spiel_Entdrahten();
    }
}

// The window's menu framework shows help boxes through the help module, and
// the program's end (and the module's unbinding) ends an edit left open.
TEST(Verdrahtung, TheWindowBindsTheHelpBoxAndEndsTextEntryAndHelpAtTheEnd) {
    std::vector<uint16_t> schirm(800 * 600, 0);
    Rastport_Screen_Setup(800, 600, schirm.data());
    Rastport_Set_Target(nullptr);
    Font font;
    font.bogen = Rastport_Create(224 * 4, 12, 16, 0, 0);
    Rastport_Fill(font.bogen, 0, 0, -1, -1, 0xFFFF, nullptr);
    for (int32_t c = 0; c < 224; ++c) font.glyph_x[c] = c * 4, font.glyph_breite[c] = 3;
    char text[16] = "Feld";
    const auto editieren = [&] {
        Texteingabe_Edit(&font, text, sizeof text, 10, 0, 10, 10, 100, 14, 2, 1, nullptr, 0, 0, nullptr, 0xFFFF);
        return Texteingabe_Stand().zustand;
    };
    for (bool abbinden : {false, true}) {
        std::string fehler;
        ASSERT_TRUE(Spiel_Verdrahten(Betrieb::FENSTER, &fehler)) << fehler;
        EXPECT_EQ(Menue_Hooks().hilfe_zeigen, &Hilfe_Text_Ausgabe);
        EXPECT_EQ(Menue_Hooks().hilfe_stoppen, &Hilfe_Text_Free);
        ASSERT_EQ(editieren(), 1);
        if (!abbinden) {
            Kalender_Hooks().module_free.Aufrufen();
            EXPECT_EQ(Texteingabe_Stand().zustand, 0);
            ASSERT_EQ(editieren(), 1);
        }
        Spiel_Entdrahten();
        EXPECT_EQ(Texteingabe_Stand().zustand, 0);
        EXPECT_EQ(Menue_Hooks().hilfe_zeigen, nullptr);
    }
    Kalender_Hooks() = KalenderHooks{};
    Rastport_Free(font.bogen);
}

// The films in a game with a screen: every screen set-up chooses their copy,
// each frame shown draws them, a change of run mode pauses them, and the end
// of the wiring closes them.
TEST(Verdrahtung, FilmsFollowTheScreenAndTheRunMode) {
    Plat_Uhr_Virtuell(true, 1000);
    std::string fehler;
    ASSERT_TRUE(Spiel_Verdrahten(Betrieb::HEADLESS, &fehler)) << fehler;
    Bink_InitBink(nullptr, nullptr, nullptr, nullptr, 8);
    ASSERT_EQ(Win_Create_Window(true, true), 0);
    ASSERT_EQ(DDraw_Init(&Screen_Get()), 1);
    EXPECT_EQ(Bink_Einstellungen().kopie, BINK_KOPIE_ALLES | FILM_ZIEL_565);
    BINK_VIDEO* v = Bnk_InitV(test::Film_Block(test::Film_Testbau(4, 4, 3)), nullptr, 0, 0, 0, 0, BINK_SPEICHER, "TestVideo", 0);
    ASSERT_NE(v, nullptr);
    Bnk_PauseV(v, false);
    Screen_Present();
    EXPECT_EQ(Screen_Get().speicher[0], test::Bild_Farbe(1));
    Kalender_Hooks().medien_stop.Aufrufen();
    EXPECT_EQ(v->pausiert, 1);
    // Into the pages the films pause too.
    Bnk_PauseV(v, false);
    Kalender_Hooks().filme_pausieren.Aufrufen();
    EXPECT_EQ(v->pausiert, 1);
    Spiel_Entdrahten();
    EXPECT_EQ(v->slot, -1);
    Win_Destroy_Window();
    Plat_Uhr_Virtuell(false);
}

}  // namespace
}  // namespace velmora

namespace velmora {
namespace {

// The team's colour record holds the colours of its kits of kinds 0-2: each
// kind's triples are the kit's colours 1, 2, 4, 3.
void Farben_Der_Trikots(int32_t team) {
    auto triple = [](const uint8_t* f) { return uint32_t(f[0]) | uint32_t(f[1]) << 8 | uint32_t(f[2]) << 16; };
    const uint8_t* farben = static_cast<const uint8_t*>(Team_Zeiger(TZ_FARBEN, team, nullptr, OP_LESEN));
    ASSERT_NE(farben, nullptr);
    for (int32_t art = 0; art <= 2; ++art) {
        const TrikotStructure* k = Trikot_Get_TrikotStructure(Team_Get_TrikotNr(team, art));
        ASSERT_NE(k, nullptr);
        EXPECT_EQ(triple(farben + art * 12), k->farbe1) << "team " << team << ", kind " << art;
        EXPECT_EQ(triple(farben + art * 12 + 3), k->farbe2) << "team " << team << ", kind " << art;
        EXPECT_EQ(triple(farben + art * 12 + 9), k->farbe3) << "team " << team << ", kind " << art;
    }
}

TEST(Verdrahtung, ANewGamesClubsWearTheKitsOfTheirColoursAndALoadKeepsItsKits) {
    SpielWelt w;
    ASSERT_TRUE(w.ok);
    Rnd_Init();
    VerdrahtungOptionen v;
    v.sim.seed = 7;
    ASSERT_TRUE(Verdrahten(v));
    ASSERT_TRUE(Sim_Bis_Tag(1));
    for (int32_t team = 0; team < Team_Anzahl(); ++team)
        if (team != Team_Markt()) Farben_Der_Trikots(team);

    // A load brings the saved kits back and sets up nothing anew.
    const int32_t anders = (Team_Get_TrikotNr(0, 0) + 1) % TRIKOT_ANZAHL;
    ASSERT_EQ(Trikot_Set_TrikotNr(0, anders, 0), 1);
    std::vector<uint8_t> bild;
    ASSERT_TRUE(Spielstand_Speichern_In_Bild(&bild));
    ASSERT_EQ(Trikot_Set_TrikotNr(0, (anders + 1) % TRIKOT_ANZAHL, 0), 1);
    ASSERT_TRUE(Spielstand_Laden_Aus_Bild(bild));
    EXPECT_EQ(Team_Get_TrikotNr(0, 0), anders);
}

// A generated world reads like a finished game: every club wears kits in its
// crest's colours (the first kit's main colour is one of the crest's), its
// colour record holds those kits' colours, so the live match and the kit
// pictures show one kit, and a new game keeps every kit it was given.
TEST(Verdrahtung, AGeneratedWorldsClubsWearKitsInTheirCrestsColoursThatANewGameKeeps) {
    for (auto [seed, klein] : {std::pair{1u, false}, std::pair{2u, true}}) {
        Rnd_Init();
        Verdrahtung_Weltgen();
        WeltgenWelt welt;
        ASSERT_TRUE(Weltgen_Erzeugen(WeltgenOptionen{seed, klein}, welt));
        auto abstand = [](uint32_t a, uint32_t b) {
            int32_t d = 0;
            for (int32_t s = 0; s < 24; s += 8) d = std::max(d, std::abs(int32_t(a >> s & 0xFF) - int32_t(b >> s & 0xFF)));
            return d;
        };
        std::map<int32_t, std::array<int32_t, 3>> kits;
        for (const WeltgenLand& l : welt.laender)
            for (const auto& liga : l.ligen)
                for (int32_t team : liga) {
                    Farben_Der_Trikots(team);
                    for (int32_t art = 0; art <= 2; ++art) kits[team][size_t(art)] = Team_Get_TrikotNr(team, art);
                    uint32_t erste = 0, zweite = 0;
                    Wappen_Farben(Team_Wert(TW_WAPPEN, team, 0, OP_LESEN), &erste, &zweite);
                    const uint32_t haupt = Trikot_Get_TrikotStructure(kits[team][0])->farbe1;
                    EXPECT_LE(std::min(abstand(haupt, erste), abstand(haupt, zweite)), 80)
                        << Team_String(TS_NAME, team, 0, 0) << ": kit " << kits[team][0] << " in none of its crest's colours";
                }
        ASSERT_GT(kits.size(), 10u);
        Trikot_Neues_Spiel();
        for (const auto& [team, k] : kits)
            for (int32_t art = 0; art <= 2; ++art)
                EXPECT_EQ(Team_Get_TrikotNr(team, art), k[size_t(art)]) << "a new game changed team " << team << "'s kit of kind " << art;
        Spieler_Free();
        Team_Free(0);
    }
}

}  // namespace
}  // namespace velmora
