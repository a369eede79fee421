// business/scout.h - the scout search: a hired scout searches a region for a
// player, meets prospects, talks to them in three exchanges and tries to
// persuade them; a persuaded prospect can be signed through the negotiation.
//
// The search runs as a dialogue of up to five lines that the search screen
// draws; it calls Scout_Suche_Schritt every few milliseconds with the percent
// of the progress bar. Texts are those of the SPIELER_SUCHE_SCREEN array.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace velmora {

constexpr int32_t SCOUT_PICKS = 10;
constexpr int32_t SCOUT_DIALOG_ZEILEN = 5;
constexpr int32_t SCOUT_FORTSCHRITT_MAX = 211;
constexpr uint32_t SCOUT_SUCHZEILE_MS = 2000;   // a searching line at most this often
constexpr uint32_t SCOUT_GESPRAECH_MS = 1500;   // pause between two exchanges

// Phases of the search.
constexpr int32_t SCOUT_SUCHT = -1;
constexpr int32_t SCOUT_GETROFFEN = 0;            // 1, 2, 3: the exchanges
constexpr int32_t SCOUT_UEBERREDET = 4;
constexpr int32_t SCOUT_ABGELEHNT = 5;

// What the prospect buttons of the search screen show.
enum ScoutKandidat : int32_t { KANDIDAT_WEG = 0, KANDIDAT_GEZEIGT = 1, KANDIDAT_UEBERZEUGT = 2 };

struct ScoutDialogZeile {
    char text[256];                 // empty: no line
    int32_t farbe;                  // -1 default
    int32_t font;                   // -1 default
};

struct ScoutHooks {
    // The screen's prospect buttons changed (KANDIDAT_*) with the player offered (-1 none).
    void (*kandidat)(int32_t zustand, int32_t spieler) = nullptr;
    // A sound sample (3 when a paid search begins).
    void (*sample)(int32_t nummer) = nullptr;
};
ScoutHooks& Scout_Hooks();

// Empties the search state (a new game, a load without a scout block).
void Scout_Init();

// Builds the pick list for the current scout and region: region players of
// other clubs first, then the transfer market's scout players within ±4 half
// stars of the target strength, shuffled.
void Scout_Suche_Starten();
// One step of the conversation (percent of the progress bar, 0..100).
void Scout_Suche_Schritt(int32_t prozent);
// Appends a dialogue line (nothing for a null text); a full ring drops its oldest line.
void Scout_Dialog_Zeile(const char* text, int32_t farbe, int32_t font);
void Scout_Dialog_Leeren();
int32_t Scout_Dialog_Anzahl();
const ScoutDialogZeile* Scout_Dialog(int32_t zeile);   // null outside 0..4
// How a line is drawn: default lines alternate 57343 / 65535 with font 6.
int32_t Scout_Dialog_Farbe(int32_t zeile);
int32_t Scout_Dialog_Font(int32_t zeile);
// The next pick (and advances), -1 when the list is used up.
int32_t Scout_Naechster_Treffer();
bool Scout_Hat_Treffer();
// A player's readiness to come: value 55, plus 75 when that is below 75.
int32_t Scout_Bereitschaft(int32_t spieler);

// The screen's side of a search.
// Opening the search screen: progress 0, searching, no pick taken, dialogue empty.
void Scout_Screen_Zuruecksetzen(int32_t scout);
// A search begins for a scout and a region: picks emptied and built anew,
// progress 0, the sample played. False for an unknown scout or region.
bool Scout_Suche_Beginnen(int32_t scout, int32_t region);
// The local club pays base and region price to outside the league (category
// 31) and the search begins; false (nothing changed) when the bank refuses or
// scout or region is unknown.
bool Scout_Suche_Bezahlen(int32_t scout, int32_t region);
// Region 14 is offered only after day 500, in every sixth 30-day window from day 125.
bool Scout_Region_Waehlbar(int32_t region, int32_t tag_index);
// Sends the prospect away: back to searching.
void Scout_Wegschicken();
// Signs the persuaded prospect: team value 17 of the local club = the player,
// 16 = the scout (they hand both to the negotiation), his value 55 becomes his
// readiness; the dialogue is reset. False when nobody is persuaded.
bool Scout_Verpflichten();

// The state, for the screen and the tests.
int32_t Scout_Aktuell();
int32_t Scout_Region();
int32_t Scout_Phase();
int32_t Scout_Fortschritt();
int32_t Scout_Prozent();                // progress x 100 / 211, rounded half up, at most 100
int32_t Scout_Fertig();                 // -1 running, 1 time up
// A paid search that has begun and whose time is not up (its screen returns to it).
bool Scout_Suche_Laeuft();
int32_t Scout_Pick(int32_t i);          // -1 empty or outside 0..9
int32_t Scout_Pick_Index();
int32_t Scout_Kandidat_Spieler();       // -1 none
int32_t Scout_Kandidat_Zustand();

// The save block "Scout" (one fixed record, see scout.cpp).
void Scout_Save(std::vector<uint8_t>& out);
bool Scout_Load(const uint8_t* in, size_t bytes);
// Registers the "Scout" block of the save game (position 47).
bool Scout_Spielstand_Anmelden();

}  // namespace velmora
