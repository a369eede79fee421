// matchview/ankuendigung.h - the announcement pages around a match day: the
// buffer of 20 announcements, the sequence that shows them one after another
// by priority, and the producers that queue them.
//
// Pages: before a manager's menu turn (kind 0, "VOR DEM MENUE"), before the
// matches (kind 1, the pre-match picture), after a match (kinds 2-4, the goals,
// statistics and finance pages of the match report), the results and the table
// of a competition's matchday (kinds 5, 6) and its winner (kind 8). The
// calendar runs the driver every frame of the menu and the match day; a page
// stays 50 seconds or until a click. On a server every new entry that concerns
// a team managed from a client machine goes to that machine as a binary news
// item, and the client puts it into its own buffer.
//
// What the pages need of the club management (the news store, the bank's
// figures, money as text) and of the shell (the mouse) comes through
// AnkuendigungHooks, filled by the composition root.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace velmora {

struct Spielfeld_Satz;

constexpr int32_t ANKUENDIGUNG_PUFFER = 20;
constexpr int32_t ANKUENDIGUNG_SPIELER = 34;            // match player slots: 0-16 home, 17-33 away
constexpr uint32_t ANKUENDIGUNG_DAUER_MS = 50000;       // every page's time on screen
constexpr uint32_t ANKUENDIGUNG_VOR_MENUE_MS = 5000;    // the menu phase asks for kind 0 this often
constexpr uint32_t ANKUENDIGUNG_ZOOM_MS = 28;           // one zoom step of the kind-0 page
constexpr uint32_t ANKUENDIGUNG_KLICK_AB_MS = 500;      // a page takes a click after so long on screen
constexpr uint32_t ANKUENDIGUNG_KEIN_TEAM = 0xFFFFFFFFu;

// Kinds, with the option that must be on for each.
constexpr int32_t ANK_VOR_MENUE = 0;     // option 4
constexpr int32_t ANK_VOR_SPIEL = 1;     // option 5
constexpr int32_t ANK_TORE = 2;          // option 14
constexpr int32_t ANK_STATISTIK = 3;     // option 14
constexpr int32_t ANK_FINANZEN = 4;      // option 14
constexpr int32_t ANK_ERGEBNISSE = 5;    // option 11, then run mode 17
constexpr int32_t ANK_TABELLE = 6;       // option 12, then run mode 18
constexpr int32_t ANK_SIEGER = 8;        // option 12, then run mode 24

// Stored raw in the save game and sent raw over the network: little-endian.
static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "announcements are stored raw, little-endian");
#pragma pack(push, 1)
// One match player slot's counters (c0-c5 and the keeper's two), read by the
// statistics page; the live match fills them, a diced match leaves them 0.
struct AnkuendigungZaehler {
    uint8_t c[8];
};
// The match data of a report (292 bytes): offsets 0 and 4 always name the
// match's home and away team, also in the away team's copy.
struct AnkuendigungDaten {
    uint32_t heim;                 // 0
    uint32_t gast;                 // 4
    int8_t tore_heim;              // 8
    int8_t tore_gast;              // 9
    uint8_t zustand[2];            // 10: home, away: 1 + the live match's corners; 0 not measured
    uint32_t wettbewerb;           // 12
    uint32_t spiel_wort;           // 16: the game record's first word (the crowd)
    AnkuendigungZaehler spieler[ANKUENDIGUNG_SPIELER];   // 20
};
// One announcement (336 bytes).
struct Ankuendigung {
    uint32_t art;                  // 0: kind (ANK_*)
    uint32_t schluessel;           // 4: priority key; 0 marks a free slot
    uint32_t wettbewerb;           // 8
    uint32_t heim;                 // 12: the team the page is about (the winner for kind 8)
    uint32_t gast;                 // 16: the other team, ANKUENDIGUNG_KEIN_TEAM none
    uint32_t runde;                // 20: matchday of the game (kind 8: the MODUS bits)
    uint32_t paarung;              // 24: index of the game within the matchday
    uint32_t spieltag;             // 28: leg, 0 or 1
    uint32_t tag;                  // 32: day index when filled
    uint32_t heim_fern;            // 36: home team managed from a client machine
    uint32_t gast_fern;            // 40
    AnkuendigungDaten daten;       // 44
};
#pragma pack(pop)
static_assert(sizeof(AnkuendigungZaehler) == 8);
static_assert(sizeof(AnkuendigungDaten) == 292);
static_assert(offsetof(AnkuendigungDaten, wettbewerb) == 12);
static_assert(offsetof(AnkuendigungDaten, spiel_wort) == 16);
static_assert(offsetof(AnkuendigungDaten, spieler) == 20);
static_assert(sizeof(Ankuendigung) == 336);
static_assert(offsetof(Ankuendigung, runde) == 20);
static_assert(offsetof(Ankuendigung, tag) == 32);
static_assert(offsetof(Ankuendigung, gast_fern) == 40);
static_assert(offsetof(Ankuendigung, daten) == 44);

// What the pages need from above; unfilled hooks do the neutral thing.
struct AnkuendigungHooks {
    // Server: the 336 bytes to the team's manager as a binary news item.
    void (*an_team_senden)(int32_t team, const uint8_t* daten, int32_t bytes) = nullptr;
    // Client: the bank's state of a team fetched again (the finance page).
    void (*bank_holen)(int32_t team) = nullptr;
    // The finance page: the 11 rows of the period `versatz` of `team`, their
    // labels and amounts as text; false when there is no sheet.
    bool (*finanzen)(int32_t team, int32_t versatz, const char* label[11], int32_t wert[11]) = nullptr;
    const char* (*geld_text)(float betrag, int32_t team) = nullptr;
    // The mouse buttons to act on this frame (bit 0 left, bit 1 right); the
    // click acted on is swallowed until the buttons are released.
    uint32_t (*maus_klick)() = nullptr;
    void (*klick_schlucken)() = nullptr;
    // The competition's film behind the kind-0 page (the video slots).
    void (*wettbewerb_video)(int32_t wettbewerb, int32_t zeigen, int32_t pause) = nullptr;
    // A result page closed: the menu's turn of the local club begins again
    // (the game's panel, its main screen).
    void (*menue_neustart)(int32_t team) = nullptr;
};
AnkuendigungHooks& Ankuendigung_Hooks();

// The buffer.
// Forgets the opponent of the last kind-0 page, so it may be shown again.
void Ankuendigung_Reset();
// Fills the staging record: six fields, today's day index, and the 292 bytes
// of match data when `daten` is given.
void Ankuendigung_Setzen(int32_t wettbewerb, int32_t heim, int32_t gast, int32_t runde, int32_t paarung,
                         int32_t spieltag, const AnkuendigungDaten* daten);
// Adds the staging record as an entry of `art` with `schluessel`; true when added.
bool Ankuendigung_In_Buffer(int32_t art, uint32_t schluessel);
// Server: one entry to one team's machine.
void Ankuendigung_An_Team_Senden(const Ankuendigung& satz, int32_t team);
// Client: a received item (336 bytes) into the buffer; true when stored. A
// malformed item is dropped.
bool Ankuendigung_Buffer_Empfangen(const uint8_t* daten, int32_t bytes);
// Client: whether the buffer can take a received item now (a slot is free).
bool Ankuendigung_Buffer_Nimmt();
bool Ankuendigung_Buffer_Leer();
// True while a page window (1705 or 1709) is on the screen.
bool Ankuendigung_Aktiv();
// Starts a phase of `art` (the duration is not used: every phase runs 50 s);
// with `nur_wenn_leer` only when the buffer is empty. True when started.
bool Ankuendigung_Jetzt(int32_t art, int32_t dauer, int32_t nur_wenn_leer);
// Takes the entry of the highest key and starts it; true when one started.
bool Ankuendigung_Aus_Buffer();
// The per-frame driver: 0 nothing (any longer) shown, 1 a page is shown and
// the match day waits, 2 a page is shown and the match day may run.
int32_t Ankuendigung_Treiber(uint32_t jetzt);
// The sequence switch: opens the page of the current kind.
void Ankuendigung_Phase();
// Ends the running phase and frees its pictures (a window's close button).
void Ankuendigung_Phase_Beenden();

// The producers the composition root hands to the calendar, the match day and
// the competitions. Kind 0 in the menu phase: every 5 s while the active team
// plays today (the first time at the turn's first frame).
void Ankuendigung_Menue_Frame(uint32_t jetzt);
// A manager's turn begins: the kind-0 page may show again.
void Ankuendigung_Zug_Beginnt(int32_t team);
// Kind 1 when the last manager has ended the day: each human team with an
// unplayed game today whose manager is active.
void Ankuendigung_Vor_Spieltag();
// The match data of a game for its report: teams, goals, competition, crowd,
// and, when `live` is the game's record and it was computed live, that
// match's counters (the players' counts and the corners). Without them the
// counters stay 0 and the statistics page shows those rows as not measured.
AnkuendigungDaten Ankuendigung_Daten_Von_Spiel(int32_t spiel_lock, const Spielfeld_Satz* live = nullptr);
// True when the data block holds a live match's counters.
bool Ankuendigung_Daten_Gemessen(const AnkuendigungDaten& d);
// Kind 8 when a competition has its winner and a human team plays in it or it
// is international: one entry per human manager's team (the other team),
// so each machine gets its page.
void Ankuendigung_Wettbewerb_Beendet(int32_t wettbewerb, int32_t sieger);

// Today's unplayed game of a team by the fixtures (the match day fills its
// table only when it starts): the opponent, or -1 when it plays no game today;
// the side (0 home, 1 away), the competition and the game's handle (locked;
// the caller unlocks it) when asked.
int32_t Ankuendigung_Heutiger_Gegner(int32_t team, int32_t* seite, int32_t* wettbewerb, int32_t* spiel);

// Reading the buffer (tests and the save screen).
const Ankuendigung* Ankuendigung_Puffer();
const Ankuendigung& Ankuendigung_Staging();
int32_t Ankuendigung_Art();
bool Ankuendigung_Phase_Laeuft();
// Back to the start: buffer, staging record and phase emptied, pictures freed.
void Ankuendigung_Leeren();

// Save block "Ankuendigung" (position 49): the buffer and the staging record.
// A loaded record of an unknown kind, a team outside the game or data in a
// free slot is dropped with a debug line; the others stay.
void Ankuendigung_Save(std::vector<uint8_t>& out);
bool Ankuendigung_Load(const uint8_t* in, size_t bytes);
bool Ankuendigung_Spielstand_Anmelden();

}  // namespace velmora
