// business/training.h - the attribute training unit: a human manager trains
// one talent of one of his players in a paid, timed unit that he watches and
// stops himself.
//
// While the unit runs a strain level (0..219) climbs, peaks and falls again;
// training points accumulate and random bonuses add points. The manager may
// stop at any moment and keep the points. When the strain reaches the top, or
// a random crash strikes during a peak, the player breaks down and suffers one
// of six outcomes. When start value + points reach the talent's requirement
// the talent is learnt at once. Only one unit exists at a time.
//
// The model is driven by Training2_Frame once per frame with the millisecond
// clock; every chance is drawn from the game's random table (core/rnd.h). What
// the training window shows (films, samples, bonus animations) is reported
// through TrainingHooks; the window reads the rest from Training_Sitzung_Holen.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace velmora {

// States of a unit.
constexpr int32_t TR_BEREIT = 0;        // opened, not paid yet
constexpr int32_t TR_AUFWAERMEN = 1;    // warm-up: the base points come in
constexpr int32_t TR_PAUSE = 2;         // a short pause after the warm-up
constexpr int32_t TR_ANSTIEG = 3;       // climb towards the next peak
constexpr int32_t TR_HALTEN = 4;        // holding a peak
constexpr int32_t TR_ABFALL = 5;        // falling after a peak
constexpr int32_t TR_SPITZE = 6;        // rising to a peak
constexpr int32_t TR_ABSTURZ = 7;       // the crash is shown
constexpr int32_t TR_ENDE = 9;          // ended: the result waits to be applied

constexpr int32_t TR_LEVEL_MAX = 219;   // the top of the strain level
constexpr int32_t TR_SPITZEN_MAX = 6;

// Crash outcomes.
constexpr int32_t TR_FOLGE_KEINE = -1;       // no crash
constexpr int32_t TR_FOLGE_PUNKTE = 0;       // the unit's points are lost
constexpr int32_t TR_FOLGE_VERLETZT = 1;     // the player is injured
constexpr int32_t TR_FOLGE_MORAL = 2;        // morale lost
constexpr int32_t TR_FOLGE_ERSCHOEPFT = 3;   // exhaustion
constexpr int32_t TR_FOLGE_STAERKE = 4;      // strength lost
constexpr int32_t TR_FOLGE_NICHTS = 5;       // no effect

#pragma pack(push, 1)
// One unit; every field a 32-bit value (the save block writes them one by one).
// Times are milliseconds of the clock given to Training2_Frame.
struct Training_Sitzung {               // 168 bytes
    int32_t spieler;
    int32_t talent;                     // 0..53
    int32_t start_wert;                 // the talent's points when the unit opened
    int32_t punkte;                     // points gained in this unit
    int32_t level;                      // strain 0..219
    int32_t ziel;                       // level the rise or fall heads for, -1 none
    int32_t basis_punkte;               // points of the warm-up
    int32_t zustand;                    // TR_*
    int32_t folge;                      // crash outcome TR_FOLGE_*
    int32_t folge_betrag;               // the amount the outcome shows (morale lost, ...)
    int32_t spitze_index;               // peaks passed
    int32_t haltend;                    // 1 while a peak's hold timer runs
    int32_t herz_film;                  // 1 once the crash film was started
    int32_t spitzen_anzahl;             // 2..6
    int32_t spitze_start[TR_SPITZEN_MAX];   // levels at which the peaks begin, -1 beyond the count
    int32_t halte_zeit[TR_SPITZEN_MAX + 1]; // hold durations in ms, -1 after the last
    int32_t sicher;                     // the manager's safe mode
    int32_t preis;                      // price of the unit
    int32_t alter_wert;                 // the talent's value before the unit opened
    int32_t angezeigte_punkte;          // the points as the window shows them
    uint32_t letzter_schritt;           // clock of the last step
    int32_t uhr1_laeuft;                // the pause stopwatch
    uint32_t uhr1_start;
    uint32_t uhr2_start;                // the hold stopwatch (runs while haltend)
    int32_t bonus_laeuft;               // the bonus animation
    uint32_t bonus_start;
    int32_t bonus_x, bonus_y;
    int32_t bonus_text_laeuft;          // the bonus text (25, 50, 75 or 100 points)
    uint32_t bonus_text_start;
    int32_t bonus_text_bilder;          // frames of the text animation
};
#pragma pack(pop)
static_assert(sizeof(Training_Sitzung) == 168);

// What the training window shows, reported as it happens.
enum TrainingAnzeige : int32_t {
    TR_ANZ_FILM_START = 0,      // the talent's training film starts (a = talent)
    TR_ANZ_FILME_FREI,          // the training films are released
    TR_ANZ_ANIM_LEEREN,         // all animations cleared
    TR_ANZ_SAMPLE,              // sample a plays
    TR_ANZ_SAMPLES_STOP,
    TR_ANZ_BONUS,               // the bonus animation starts at (a, b)
    TR_ANZ_BONUS_TEXT,          // the bonus text starts: a = 1..4 (25 x a points), b = first picture
    TR_ANZ_HERZ,                // the crash film "herz" starts
    TR_ANZ_KWAGEN,              // the injury film "kwagen" starts
    TR_ANZ_GELERNT,             // the learnt talent's film starts (a = talent)
    TR_ANZ_SCHLIESSEN,          // the training window closes
};

struct TrainingHooks {
    void (*anzeige)(int32_t was, int32_t a, int32_t b) = nullptr;
};
TrainingHooks& Training_Hooks();

// Opens a unit for a player of the local human club and a talent: refused
// (false, with a log line) while a unit is open, for a player of another club,
// a talent outside 0..53 or without a requirement, a blocked talent or one
// already learnt. Writes the talent's start value (points below 2 count as 0).
bool Training2_Oeffnen(int32_t spieler, int32_t talent);
// Pays the unit (BUCHUNG_TRAINING from the local club, may be refused) and
// starts the warm-up. Only in TR_BEREIT; false when refused.
bool Training_Start();
// The start/stop button while running: the unit ends with the points so far.
void Training_Stop();
// The per-frame procedure: the state checks, then the state's step.
void Training2_Frame(uint32_t jetzt);
// One model step; acts only when at least 51 ms have passed since the last.
void Training_Schritt(uint32_t jetzt);
// The apply button: in TR_ABSTURZ acknowledges the crash; in TR_ENDE applies
// the result to the player and closes the unit. False in other states.
bool Training_Anwenden();
// The close button: only before the paid start; the talent keeps the value it
// had before the unit opened.
bool Training_Schliessen();
void Training_Sicher_Setzen(bool an);
bool Training_Offen();
// The unit as it stands; null when none is open.
const Training_Sitzung* Training_Sitzung_Holen();
// Clears the unit without any effect (a new or loaded game).
void Training_Reset();

// The unit's save block: u32 open flag, then the record, times relative to
// the last frame (they continue from the first frame after a load).
void Training_Save(std::vector<uint8_t>& out);
bool Training_Load(const uint8_t* in, size_t bytes);
// Registers the "Training" block of the save game (position 45).
bool Training_Spielstand_Anmelden();

// The talent's requirement: the talent table's, the star limit for talent 53.
int32_t Training_Schwelle(int32_t talent);

}  // namespace velmora
