// match/record/spielfeld_pruefen.h - the rules a live match record keeps in every
// frame, and the check of a record or input ring that comes from outside.
// The simulator checks the rules frame by frame and stops at the first broken
// one; a break is a fault of the match, not of the rule. A record fetched
// from the server, loaded from a save or an input ring received in a minute
// packet is checked before the tick may use it: every index, range and
// number the tick relies on.
#pragma once
#include <cstdint>
#include <vector>

#include "match/record/spielfeld_satz.h"

namespace velmora {

constexpr uint32_t PRUEF_MAX_FRAMES = 50000;    // the final whistle comes before this
constexpr int32_t PRUEF_MAX_RUHE = 450;         // frames a ball may lie unmoved and unheld in open play
constexpr uint32_t PRUEF_MAX_STANDARD = 1500;   // frames a restart may wait before it is taken
// Frames a restart may have stood when the half-time or final whistle ends
// it (a period may end in any play state; only a restart standing this
// long is a fault).
constexpr uint32_t PRUEF_MAX_STANDARD_ENDE = 800;
// Frames a player on the pitch may stand at speed 0 during a restart while
// his target lies more than PRUEF_STEHEN_ABSTAND cm away.
constexpr uint32_t PRUEF_MAX_STEHEN = 600;
constexpr float PRUEF_STEHEN_ABSTAND = 100.0f;

// What the checker remembers of a record between two frames. It counts each
// restart itself, from the record's frame counter as it sees it: the count
// the tick keeps for its own bound is not read.
struct Spielfeld_Pruefstand {
    uint32_t spiel = 0;              // the game the state belongs to (0: none yet)
    int32_t minute = -1;
    uint64_t vom_platz = 0;          // slots sent off (bit per slot)
    float ball[3] = {};
    int32_t ruhe = 0;                // frames the ball lay still and unheld in open play
    uint32_t standard_zustand = 0;   // the play state of the restart counted (0: none)
    uint32_t standard_ab = 0;        // the record's frame counter when it was first seen
    uint32_t zuletzt = 0;            // the record's frame counter at the previous check
    uint16_t steht[SF_SPIELER] = {}; // frames each player stood still in a restart, his target far
    uint64_t grenzen = 0;            // the wait bounds' releases seen (not kept in a file)
};

// The longest of what the checker measures, over every record it checked
// since the program started (for the simulator's figures).
struct Spielfeld_Pruef_Hoechst {
    uint32_t standard = 0;           // a restart's frames
    uint32_t standard_ende = 0;      // a restart's frames when its period ended
    uint32_t stehen = 0;             // a player's frames at speed 0, his target far, in a restart
};
const Spielfeld_Pruef_Hoechst& Spielfeld_Pruef_Hoechstwerte();

// The checker's states at one frame, kept in a file beside a save of that
// frame: the replay of a break loads the save and goes on counting each rule
// (the frames a ball lies still, say) where the run stood, so it breaks at the
// same frame on the same rule. The file names the save by its size and
// last-write time; one of another save is not taken.
struct Pruefstand_Sicherung {
    struct Eintrag {
        Spielfeld_Pruefstand st;
        uint32_t frame_zaehler = 0;   // the record's frame counter at the save
    };
    int64_t frame = 0;                // the run's frame at the save
    uint64_t spielstand_groesse = 0;
    int64_t spielstand_zeit = 0;
    std::vector<Eintrag> eintraege;
};
// Writes the states field by field (little-endian; 112 bytes an entry behind
// a 36-byte header). False when the file cannot be written.
bool Pruefstand_Sicherung_Schreiben(const char* pfad, const Pruefstand_Sicherung& s);
// Reads them back; false (and `s` untouched) for a missing, short or foreign file.
// Files of the first two versions (36- and 44-byte entries) still load: what
// they lack is counted afresh.
bool Pruefstand_Sicherung_Lesen(const char* pfad, Pruefstand_Sicherung* s);

// The first rule the record breaks, or null. `abschnitte` is the number of
// periods the competition plays (-1: not checked). `st` carries the state
// from the record's previous frame.
const char* Spielfeld_Pruefen(const Spielfeld_Satz* satz, int32_t abschnitte, Spielfeld_Pruefstand* st);

// A record from outside: null when the tick may use it, else what is wrong.
// Team and player numbers are checked against the club tables when they are
// loaded. The three bytes a match view writes (frames not yet shown, message
// pending, shown in the main view) are accepted in range.
const char* Spielfeld_Satz_Pruefen(const Spielfeld_Satz* satz);
// An input ring (or a single entry) from outside, for the match `satz`:
// null when sound. `seite` 0 or 1 requires the substitution slots of that
// side's entries to lie in that side's 17; -1 checks each side against its own.
struct Sync_Eintrag;
const char* Spielfeld_Ring_Pruefen(const Spielfeld_Satz* satz, const Sync_Eintrag* ring, int32_t anzahl,
                                   int32_t seite);
// Two records equal but for the bytes a match view writes.
bool Spielfeld_Satz_Gleich(const Spielfeld_Satz& a, const Spielfeld_Satz& b);

}  // namespace velmora
