// tests/screens/disk_screen_test.cpp - the save and load screen in a running
// game, played by mouse and keyboard as a user would: a slot named and saved,
// the game played on and loaded back; damaged slots, the clicks the screen
// ignores and the slots it chooses itself.
#include "screens/disk_screen.h"

#include <cstring>
#include <string>
#include <vector>

#include "business/bank.h"
#include "club/spieler.h"
#include "club/team.h"
#include "core/dirs.h"
#include "core/hooks.h"
#include "core/prioritaeten.h"
#include "core/spielstand.h"
#include "core/taste.h"
#include "core/str.h"
#include "gui/icon.h"
#include "gui/menue.h"
#include "gui/menue_lokal.h"
#include "gui/menue_requester.h"
#include "platform/display.h"
#include "platform/files.h"
#include "season/kalender.h"
#include "tests/support/screen_welt.h"

namespace velmora::test {
namespace {

// What the test sees at the start of each turn: the day and the club's money and squad.
struct Zug {
    int32_t tag = -1;
    int32_t kontostand = 0;
    std::vector<int32_t> spieler;
    int64_t spielerwerte = 0;   // exhaustion and form of the squad, summed
    bool operator==(const Zug&) const = default;
};

// A key or character the keyboard sends once step `ab` of the script has begun.
struct Taste {
    size_t ab = 0;
    PlatEreignis ereignis;
};

struct Beobachtung {
    std::vector<Zug> zuege;
    std::vector<std::string> meldungen;
    std::vector<Taste> tasten;
    void (*beim_ersten_zug)() = nullptr;
    void (*beim_dritten_zug)() = nullptr;
    std::vector<int32_t> seiten;           // the pages open, as they changed
    std::vector<int32_t> auswahl_verlauf;  // the selected slot, as it changed
    int32_t team = -1;           // the human manager's club
};
Beobachtung g_b;

std::string Slot_Pfad(int32_t slot) { return Str_Format("%s\\game_%d.qzv", Dirs_Get(DIR_SPIELSTAND), slot); }

Zug Jetzt(int32_t team) {
    Zug z;
    z.tag = Tag_Index();
    z.kontostand = Bank_Kontostand(team, false, -1);
    int32_t liste[TEAM_SPIELER_MAX];
    const int32_t n = Teamspieler_Ins_Array(team, liste, TEAM_SPIELER_MAX, 0);
    z.spieler.assign(liste, liste + n);
    for (int32_t s : z.spieler) z.spielerwerte += Spieler_Wert(56, s, 0, OP_LESEN) * 10001 + Spieler_Wert(57, s, 0, OP_LESEN);
    return z;
}

// Money and form change as in a game played on (the first days bring no match).
void Spielen_Lassen() {
    ASSERT_TRUE(Bank_Gutschrift(g_b.team, 150000.0f, 4, -1));
    const Zug z = Jetzt(g_b.team);
    ASSERT_FALSE(z.spieler.empty());
    Spieler_Wert(57, z.spieler[0], Spieler_Wert(57, z.spieler[0], 0, OP_LESEN) + 500, OP_SCHREIBEN);
}

// The first turn's slots: `slot` damaged beyond its header (any bytes), or a
// sound header with a damaged body (one byte near the end changed).
void Kaputt_Schreiben(int32_t slot) {
    const char muell[] = "kein Spielstand";
    ASSERT_TRUE(Plat_Write_Atomic(Slot_Pfad(slot).c_str(), muell, sizeof muell));
}
void Rumpf_Beschaedigen(int32_t slot) {
    ASSERT_TRUE(Spielstand_Speichern(slot));
    std::vector<uint8_t> bild;
    ASSERT_TRUE(Plat_Read_All(Slot_Pfad(slot).c_str(), bild));
    bild[bild.size() - 40] ^= 0x5A;
    ASSERT_TRUE(Plat_Write_Atomic(Slot_Pfad(slot).c_str(), bild.data(), bild.size()));
}
// A slot saved by another world: its club's number names a club of this one
// in another city.
void Fremd_Speichern(int32_t slot) {
    SpielstandHooks& h = Spielstand_Hooks();
    const auto eigen = h.erster_manager;
    h.erster_manager = [](char name[30], char stadt[32], int32_t* team) {
        std::strcpy(name, "Fremder Manager");
        std::strcpy(stadt, "Atlantis");
        *team = g_b.team;
        return true;
    };
    EXPECT_TRUE(Spielstand_Speichern(slot));
    h.erster_manager = eigen;
}

class DiskScreen : public ScreenWelt {
protected:
    void SetUp() override {
        ScreenWelt::SetUp();
        g_b = Beobachtung{};
        Core_Hooks().meldung = [](const char* text) { g_b.meldungen.push_back(text); };
        Kalender_Hooks().zug_beginnt.Anmelden(prio::ZUG_BEGINN_MENUE + 50, [](int32_t team) {
            g_b.team = team;
            g_b.zuege.push_back(Jetzt(team));
            if (g_b.zuege.size() == 1 && g_b.beim_ersten_zug) g_b.beim_ersten_zug();
            if (g_b.zuege.size() == 3 && g_b.beim_dritten_zug) g_b.beim_dritten_zug();
        }, "Beobachter");
        // Before the screen's frame: the keyboard, one key a frame.
        Kalender_Hooks().menue_frame.Anmelden(prio::MENUE_BILDSCHIRM - 10, [] {
            if (!g_b.tasten.empty() && schritt > g_b.tasten.front().ab) {
                Plat_Headless_Ereignis(g_b.tasten.front().ereignis);
                g_b.tasten.erase(g_b.tasten.begin());
            }
        }, "Tastatur");
        Kalender_Hooks().menue_frame.Anmelden(prio::MENUE_BILDSCHIRM + 10, [] {
            for (auto [verlauf, wert] : {std::pair{&g_b.seiten, Disk_Screen_Seite()},
                                         std::pair{&g_b.auswahl_verlauf, Disk_Screen_Auswahl()}})
                if (verlauf->empty() || verlauf->back() != wert) verlauf->push_back(wert);
        }, "Beobachter");
    }

    // Moves onto (x, y), presses and releases there.
    void Klicken(int32_t x, int32_t y, uint32_t knopf = 1) {
        skript.push_back({2, x, y, 0, false});
        skript.push_back({2, x, y, knopf, false});
        skript.push_back({2, x, y, 0, false});
    }
    // System -> entry 0 (load) or 1 (save).
    void System(int32_t eintrag) {
        skript.push_back({30, SYSTEM_X, 586, 0, false});
        Klicken(SYSTEM_X, 480 + 23 + eintrag * 22 + 11);
        skript.push_back({3, 400, 120, 0, false});
    }
    void Zeile(int32_t slot) { Klicken(300, 194 + 27 * slot); }
    // Types `text` from the next step on, then waits.
    void Tippen(const std::string& text, int32_t bilder) {
        for (char c : text) g_b.tasten.push_back({skript.size(), {PLAT_E_ZEICHEN, static_cast<unsigned char>(c)}});
        skript.push_back({bilder, 400, 120, 0, false});
    }
    void Taste_Druecken(int32_t vk, int32_t bilder) {
        g_b.tasten.push_back({skript.size(), {PLAT_E_TASTE, vk}});
        skript.push_back({bilder, 400, 120, 0, false});
    }

    static constexpr int32_t SYSTEM_X = 622, WEITER_X = 752, WEITER_Y = 583;
    static constexpr int32_t KNOPF_X = 707, KNOPF_1_Y = 382, KNOPF_2_Y = 428;
};

TEST_F(DiskScreen, ASlotNamedOnTheSavePageLoadsTheGameBackAfterDaysPlayed) {
    g_b.beim_ersten_zug = [] {
        Spielen_Lassen();
        g_b.zuege.back() = Jetzt(g_b.team);
        Kaputt_Schreiben(1);
        Fremd_Speichern(2);
    };
    g_b.beim_dritten_zug = [] {
        Spielen_Lassen();
        g_b.zuege.back() = Jetzt(g_b.team);
    };
    skript = {{4, 400, 120, 0, false}};
    System(1);
    Zeile(3);
    Tippen("%s%n", 20);
    skript.push_back({1, 400, 120, 0, true});   // picture 0: the save page with the name typed
    Taste_Druecken(VK_RETURN, 6);               // Enter saves
    for (int32_t tag = 0; tag < 4; ++tag) {
        Klicken(WEITER_X, WEITER_Y);
        skript.push_back({40, 400, 120, 0, false});
    }
    System(0);                                           // slot 3 is still chosen
    skript.push_back({2, 300, 194 + 27 * 6, 0, false});
    skript.push_back({1, 300, 194 + 27 * 6, 0, true});   // picture 1: the load page, the pointer on slot 6
    Klicken(KNOPF_X, KNOPF_1_Y);
    skript.push_back({20, 400, 120, 0, false});
    ASSERT_TRUE(Spielen());
    ASSERT_EQ(fotos.size(), 2u);
    EXPECT_EQ(Vergleichen("disk_speichern_name", 0), "");
    EXPECT_EQ(Vergleichen("disk_laden", 1), "");
    ASSERT_EQ(g_b.meldungen.size(), 1u) << "the save is confirmed, nothing else is said";
    EXPECT_EQ(g_b.meldungen[0], "Das Spiel ist gespeichert: \"%s%n\" auf Platz 4.");

    SpielstandKopf kopf;
    ASSERT_EQ(Spielstand_Kopf_Lesen(3, &kopf), 1);
    EXPECT_STREQ(kopf.name, "%s%n") << "saved as typed";
    EXPECT_GT(kopf.manager[0], 0);
    EXPECT_FALSE(Spielstand_Datei_Vorhanden(9)) << "the autosave slot untouched";
    // The turns: day 0, four days played, then day 0 again from the save.
    ASSERT_EQ(g_b.zuege.size(), 6u);
    EXPECT_EQ(g_b.zuege[4].tag, 4);
    EXPECT_GT(g_b.zuege[0].kontostand, 0);
    EXPECT_NE(g_b.zuege[4].kontostand, g_b.zuege[0].kontostand);
    EXPECT_NE(g_b.zuege[4].spielerwerte, g_b.zuege[0].spielerwerte);
    EXPECT_EQ(g_b.zuege[5], g_b.zuege[0]) << "the loaded game: the saved day, money and squad";
}

TEST_F(DiskScreen, WithEverySlotTakenNothingIsSavedAndOnlyASoundChosenSlotLoadsABrokenOneLeavesTheGame) {
    g_b.beim_ersten_zug = [] {
        for (int32_t slot : {0, 2, 3, 5, 6, 7, 8}) ASSERT_TRUE(Spielstand_Speichern(slot));
        Kaputt_Schreiben(1);
        Rumpf_Beschaedigen(4);
    };
    skript = {{4, 400, 120, 0, false}};
    System(1);
    Klicken(KNOPF_X, KNOPF_1_Y);         // "Speichern" without a slot, none free: text 11
    Klicken(400, 300, 2);                // a right click anywhere: back
    System(0);
    Klicken(300, 170);                   // just above the first row: nothing
    Zeile(1);                            // damaged: cannot be chosen
    Klicken(KNOPF_X, KNOPF_1_Y);         // "Laden" without a slot: text 10
    Zeile(4);                            // its header reads: chosen
    skript.push_back({3, 400, 120, 0, false});
    skript.push_back({1, 400, 120, 0, true});   // picture 0: the line says a click takes the choice back
    Zeile(4);                            // again: deselected
    skript.push_back({3, 400, 120, 0, false});
    skript.push_back({1, 400, 120, 0, true});   // picture 1: the line says how to choose and load
    Zeile(4);
    Klicken(KNOPF_X, KNOPF_1_Y);         // the body is damaged: the driver's message
    skript.push_back({10, 400, 120, 0, false});
    Klicken(WEITER_X, WEITER_Y);         // the game goes on
    skript.push_back({40, 400, 120, 0, false});
    ASSERT_TRUE(Spielen());
    EXPECT_EQ(g_b.seiten, (std::vector<int32_t>{-1, 1, -1, 0, -1}));
    EXPECT_EQ(g_b.auswahl_verlauf, (std::vector<int32_t>{-1, 4, -1, 4}));
    // The page tells what a click on the chosen row does before it is made.
    ASSERT_EQ(fotos.size(), 2u);
    EXPECT_EQ(Vergleichen("disk_laden_gewaehlt", 0), "");
    EXPECT_EQ(Vergleichen("disk_laden_keine_wahl", 1), "");
    ASSERT_EQ(g_b.meldungen.size(), 3u);
    EXPECT_EQ(g_b.meldungen[0].rfind("Alle Pl\xe4tze sind belegt.", 0), 0u) << g_b.meldungen[0];
    EXPECT_EQ(g_b.meldungen[1], "Bitte w\xe4hlen Sie zuerst einen Spielstand aus.");
    EXPECT_NE(g_b.meldungen[2].find("nicht geladen"), std::string::npos) << g_b.meldungen[2];
    EXPECT_FALSE(Spielstand_Datei_Vorhanden(9)) << "never saved into the autosave slot";
    ASSERT_EQ(g_b.zuege.size(), 2u) << "no game was loaded, the next day's turn began";
    EXPECT_EQ(g_b.zuege[1].tag, 1);
}

// With every slot free the load page's "Laden" is locked: it looks so, and a
// click on it says nothing; a game saved later makes it live again.
TEST_F(DiskScreen, WithEverySlotFreeTheLoadButtonIsLocked) {
    skript = {{4, 400, 120, 0, false}};
    System(0);
    skript.push_back({2, 300, 194, 0, false});
    skript.push_back({1, 300, 194, 0, true});   // picture 0: ten free slots
    Klicken(KNOPF_X, KNOPF_1_Y);
    Klicken(KNOPF_X, KNOPF_2_Y);
    skript.push_back({2, 400, 120, 0, false, 0, [] { ASSERT_TRUE(Spielstand_Speichern(4)); }});
    System(0);
    skript.push_back({1, 400, 120, 0, false, 0, [] {
        const s_icon* laden = Menue_Screen_Icon_Aus_Nummer(ICON_DISK_LADEN);
        ASSERT_NE(laden, nullptr);
        EXPECT_FALSE(laden->Status & ICON_ST_GESPERRT) << "a saved game: something to load";
    }});
    ASSERT_TRUE(Spielen());
    ASSERT_EQ(fotos.size(), 1u);
    EXPECT_EQ(Vergleichen("disk_laden_alle_frei", 0), "");
    EXPECT_TRUE(g_b.meldungen.empty()) << "the locked button says nothing: " << g_b.meldungen.front();
}

TEST_F(DiskScreen, TheSavePageTakesTheFirstFreeSlotNeverTheAutosaveAndCancelSavesNothing) {
    g_b.beim_ersten_zug = [] {
        ASSERT_TRUE(Spielstand_Speichern(0));
        Kaputt_Schreiben(1);
    };
    skript = {{4, 400, 120, 0, false}};
    System(1);
    Zeile(9);                            // the autosave: text 12, nothing chosen
    Zeile(5);
    Tippen("Weg", 8);
    Klicken(KNOPF_X, KNOPF_2_Y);         // "Abbrechen" after typing: nothing saved
    System(1);
    Klicken(KNOPF_X, KNOPF_1_Y);         // "Speichern" without a slot: the first free one
    skript.push_back({4, 400, 120, 0, false});
    ASSERT_TRUE(Spielen());
    ASSERT_EQ(g_b.meldungen.size(), 2u);
    EXPECT_EQ(g_b.meldungen[0], "Dieser Platz geh\xf6rt der automatischen Sicherung.");
    EXPECT_EQ(g_b.meldungen[1], "Das Spiel ist gespeichert: \"Spielstand 3\" auf Platz 3.");
    EXPECT_EQ(g_b.auswahl_verlauf, (std::vector<int32_t>{-1, 5, -1}))
        << "row 9 never chosen; the save page opened again reads slot 5 as free";
    EXPECT_FALSE(Spielstand_Datei_Vorhanden(5));
    SpielstandKopf kopf;
    EXPECT_EQ(Spielstand_Kopf_Lesen(1, &kopf), 0) << "a damaged slot is not free: it is only saved over when chosen";
    ASSERT_EQ(Spielstand_Kopf_Lesen(2, &kopf), 1);
    EXPECT_STREQ(kopf.name, "Spielstand 3") << "the default name counts slots from 1";
    EXPECT_FALSE(Spielstand_Datei_Vorhanden(9));
}

// The keys: Escape leaves the load page and the save page (after a name was
// typed too, which is not saved); Return answers a question with "Ja" and a
// message with "OK", Escape a question with "Nein"; a box opened just before
// the key waits for the next one.
TEST_F(DiskScreen, EscapeLeavesTheLoadAndSavePagesAndReturnOrEscapeAnswerTheRequester) {
    struct Antworten {
        std::vector<std::string> gegeben;   // the answers, in order
        std::vector<bool> offen;             // the requester open, as each check saw it
    };
    static Antworten a;
    a = Antworten{};
    auto frage = [] {
        Menue_Requester(2, -1, "Frage?", nullptr, nullptr, [](const int32_t*, const int32_t*) { a.gegeben.push_back("ja"); },
                        [](const int32_t*, const int32_t*) { a.gegeben.push_back("nein"); }, 0, nullptr, 0, nullptr);
    };
    auto nachricht = [] {
        Menue_Requester(1, -1, "Nachricht.", nullptr, nullptr, [](const int32_t*, const int32_t*) { a.gegeben.push_back("ok"); },
                        nullptr, 0, nullptr, 0, nullptr);
    };
    auto offen = [] { a.offen.push_back(Menue_Requester_Offen()); };
    skript = {{4, 400, 120, 0, false}};
    System(0);
    Taste_Druecken(VK_ESCAPE, 4);        // the load page closes
    System(1);
    Zeile(5);
    Tippen("Weg", 8);
    Taste_Druecken(VK_ESCAPE, 4);        // the save page closes, nothing saved
    skript.push_back({2, 400, 120, 0, false, 0, frage});
    Taste_Druecken(VK_RETURN, 4);        // "Ja"
    skript.push_back({2, 400, 120, 0, false, 0, frage});
    Taste_Druecken(VK_ESCAPE, 4);        // "Nein"
    skript.push_back({2, 400, 120, 0, false, 0, nachricht});
    Taste_Druecken(VK_RETURN, 4);        // "OK"
    skript.push_back({2, 400, 120, 0, false, 0, nachricht});
    Taste_Druecken(VK_ESCAPE, 4);        // "OK" too
    // Opened by the Return itself (as a name entry's Enter opens a message):
    // that Return is not its answer, the next one is.
    static bool bei_return = false;
    bei_return = false;
    Kalender_Hooks().menue_frame.Anmelden(prio::MENUE_BILDSCHIRM - 5, [] {
        if (!bei_return || Taste_Get_Code() != VK_RETURN) return;
        bei_return = false;
        Menue_Requester(2, -1, "Frage?", nullptr, nullptr, [](const int32_t*, const int32_t*) { a.gegeben.push_back("ja"); },
                        nullptr, 0, nullptr, 0, nullptr);
    }, "Return oeffnet");
    skript.push_back({1, 400, 120, 0, false, 0, [] { bei_return = true; }});
    Taste_Druecken(VK_RETURN, 4);
    skript.push_back({1, 400, 120, 0, false, 0, offen});
    Taste_Druecken(VK_RETURN, 4);
    skript.push_back({1, 400, 120, 0, false, 0, offen});
    ASSERT_TRUE(Spielen());
    EXPECT_EQ(g_b.seiten, (std::vector<int32_t>{-1, 0, -1, 1, -1}));
    EXPECT_FALSE(Spielstand_Datei_Vorhanden(5));
    EXPECT_EQ(a.gegeben, (std::vector<std::string>{"ja", "nein", "ok", "ok", "ja"}));
    EXPECT_EQ(a.offen, (std::vector<bool>{true, false}));
}

}  // namespace
}  // namespace velmora::test
