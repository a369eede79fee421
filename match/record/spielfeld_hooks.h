// match/record/spielfeld_hooks.h - what the match record needs from modules it may not
// include: the fixtures store, the competition rules, the line-ups and tactics,
// the stadium, the difficulty and the position penalty of the menu screens.
//
// The modules that own these answers fill the table when they start. An
// unfilled hook does the neutral thing and says so in the debug log.
#pragma once
#include <cstdint>

namespace velmora {

struct Spielfeld_Satz;

// The fields of a fixture that a match record is built from.
struct SpielfeldSpiel {
    int32_t heim = -1;           // team numbers, -1 none
    int32_t gast = -1;
    int32_t wettbewerb = -1;
    int32_t runde = 0;
    int32_t paarung = 0;         // the fixture's second team value
    int32_t spieltag = 0;
    int32_t zuschauer = 0;
    int32_t temperatur = 15;     // degrees, signed
    int32_t niederschlag = 0;    // 0-100
    int32_t heim_tore = 0;       // the game's goals so far
    int32_t gast_tore = 0;
    int32_t minute = 0;
};

// The stadium answers of a venue.
struct SpielfeldStadion {
    int32_t kapazitaet = 0;
    int32_t modell = 0;          // 0-5 and above
};

struct SpielfeldHooks {
    // The fixture of a game number; false when there is none.
    bool (*spiel)(int32_t spiel, SpielfeldSpiel* out) = nullptr;
    // A competition switch (4: a day flag, 5: unwatched matches are computed live).
    int32_t (*wettbewerb_schalter)(int32_t wettbewerb, int32_t schalter) = nullptr;
    // Importance 0-100 of the competition's games. Unfilled: 0.
    int32_t (*wettbewerb_wichtigkeit)(int32_t wettbewerb) = nullptr;
    // International or continental. Unfilled: false.
    bool (*wettbewerb_international)(int32_t wettbewerb) = nullptr;
    // The competition knows a home side. Unfilled: true.
    bool (*wettbewerb_heimrecht)(int32_t wettbewerb) = nullptr;
    // The first byte of the competition's info record and its mode bits.
    // False when the competition has no record (then: no crowd).
    bool (*wettbewerb_info)(int32_t wettbewerb, int8_t* erstes_byte, uint32_t* modus) = nullptr;
    // Notes the players' totals of a team before a live match.
    void (*gesamtstatistik_vor_spiel)(int32_t wettbewerb, int32_t team) = nullptr;
    // The team's current tactic t0-t6; false when it has none. Unfilled: false.
    bool (*team_taktik)(int32_t team, int8_t out[7]) = nullptr;
    // Refreshes the formation line values of all of a team's players.
    void (*team_positionen_setzen)(int32_t team) = nullptr;
    // The stadium of a venue; false when there is no record.
    bool (*stadion)(int32_t stadion, SpielfeldStadion* out) = nullptr;
    // The 14 bytes of advertising boards of a venue. Unfilled: zeros.
    void (*werbung)(int32_t stadion, uint8_t out[14]) = nullptr;
    // The game's difficulty 0-4. Unfilled: 1 (no scaling).
    int32_t (*schwierigkeit)() = nullptr;
    // The position penalty subtracted from a player's base strength. Unfilled: 0.
    int32_t (*positionsstaerke)(const Spielfeld_Satz* satz, int32_t team, int32_t spieler, int32_t linie_x) = nullptr;
    // Whether a player's talent 0-53 is active. Unfilled: false.
    bool (*attribut_aktiv)(int32_t spieler, int32_t attribut) = nullptr;
    // The answers of attribut_aktiv for talents 0-53 at once, bit k for talent
    // k; false when it has none for the player. Unfilled: talents are asked one by one.
    bool (*attribute_maske)(int32_t spieler, uint64_t* maske) = nullptr;
    // 0 alone, 1 client, 2 server. Unfilled: 0.
    int32_t (*netz_modus)() = nullptr;
    // Runs the match with steps of 1000 ms until the kick-off has been taken
    // (the tick); unfilled, a period start leaves the record at its kick-off.
    void (*anstoss_ausfuehren)(Spielfeld_Satz* satz) = nullptr;
    // The match record was released or deleted: the live view lets go of it.
    void (*ansicht_schliessen)() = nullptr;
    // Appends an event to a game of the fixtures store (a goal with kind bit 4
    // counts for the side of bit 0); minute -1 takes the game's minute.
    void (*spiel_ereignis)(int32_t spiel, uint32_t art, int32_t minute, int32_t spieler, int32_t spieler2) = nullptr;
    // Sets up one shoot-out kick on the pitch of a record computed live; unfilled,
    // every kick is diced.
    void (*elfmeter_schuss_live)(Spielfeld_Satz* satz, int32_t seite, int32_t schuetze) = nullptr;

    // The presentation's random numbers a..b, apart from Rnd: only the crowd
    // words and the sound variants use them, so two machines may differ.
    // Unfilled: a standard-library generator seeded when the module starts.
    int32_t (*zufall_bereich)(int32_t a, int32_t b) = nullptr;
    // Raises the announcement flags after a goal. Unfilled: nothing.
    void (*ankuendigung_flags)() = nullptr;
    // One sample of a cue row of the stadium's sounds; the crowd's background
    // sound of a kind at a level. Unfilled: silence.
    void (*matchsound_play)(int32_t zeile, int32_t flag, int32_t lautstaerke, int32_t stufe, int32_t variante) = nullptr;
    void (*matchsound_update)(int32_t art, int32_t stufe) = nullptr;
    // Switches the match panel's options on, so that a manager replaces a
    // player sent off in a watched match. Unfilled: nothing.
    void (*menue_optionen_standard)() = nullptr;
    // Raises the live view's goal flag. Unfilled: nothing.
    void (*ansicht_tor)(Spielfeld_Satz* satz) = nullptr;
    // A watched match recorded an event worth a sentence (the record's last
    // event): the ticker of its views. Unfilled: nothing.
    void (*kommentar)(const Spielfeld_Satz* satz) = nullptr;
};

SpielfeldHooks& Spielfeld_Hooks();

// The hooks read with their neutral answers.
bool Spielfeld_Hook_Spiel(int32_t spiel, SpielfeldSpiel* out);
int32_t Spielfeld_Hook_Schalter(int32_t wettbewerb, int32_t schalter);
int32_t Spielfeld_Hook_Wichtigkeit(int32_t wettbewerb);
bool Spielfeld_Hook_International(int32_t wettbewerb);
bool Spielfeld_Hook_Heimrecht(int32_t wettbewerb);
bool Spielfeld_Hook_Info(int32_t wettbewerb, int8_t* erstes_byte, uint32_t* modus);
bool Spielfeld_Hook_Taktik(int32_t team, int8_t out[7]);
int32_t Spielfeld_Hook_Schwierigkeit();
int32_t Spielfeld_Hook_Positionsstaerke(const Spielfeld_Satz* satz, int32_t team, int32_t spieler, int32_t linie_x);
bool Spielfeld_Hook_Attribut(int32_t spieler, int32_t attribut);
bool Spielfeld_Hook_Attribute_Maske(int32_t spieler, uint64_t* maske);
int32_t Spielfeld_Hook_Netz_Modus();
int32_t Spielfeld_Hook_Zufall(int32_t a, int32_t b);
// Seeds the generator that stands in for an unfilled zufall_bereich (the module start).
void Spielfeld_Zufall_Starten();
void Spielfeld_Hook_Ankuendigung();
void Spielfeld_Hook_Sound_Play(int32_t zeile, int32_t flag, int32_t lautstaerke, int32_t stufe, int32_t variante);
void Spielfeld_Hook_Sound_Update(int32_t art, int32_t stufe);
void Spielfeld_Hook_Optionen_Standard();
void Spielfeld_Hook_Ansicht_Tor(Spielfeld_Satz* satz);
void Spielfeld_Hook_Kommentar(const Spielfeld_Satz* satz);

}  // namespace velmora
