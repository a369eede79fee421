// business/trainingslager_lauf.h - the training camp run: three bars (morale,
// recovery, strength) follow their own schedules of rising to a peak, holding
// and sliding down in steps. While the strength bar runs the players gain
// strength, maximum strength or lose a negative talent; while recovery is low
// the squad is exhausted, which speeds up the strength work but risks
// injuries. At the end morale and exhaustion of every player change with the
// morale and recovery bars, injuries heal partly, and a results list compares
// each player with his state before the camp.
//
// Lager_Frame drives the run once per frame with the millisecond clock; every
// chance is drawn from the game's random table. The camp window reads the
// bars, the news lines and the results through the functions below; films,
// samples and the end message are reported through LagerHooks.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace velmora {

constexpr int32_t LAGER_BALKEN_MAX = 360;      // a bar's value 0..360 (pixels)
constexpr int32_t LAGER_SCHRITTE = 10;
constexpr int32_t LAGER_EREIGNISSE = 20;
constexpr int32_t LAGER_TEILNEHMER = 20;
constexpr int32_t LAGER_ERSCHOEPFT_UNTER = 121; // exhausted while recovery is below this
constexpr uint32_t LAGER_TICK_MS = 100;

// The three bars.
constexpr int32_t LB_MORAL = 0;
constexpr int32_t LB_ERHOLUNG = 1;
constexpr int32_t LB_STAERKE = 2;

// Bar states.
constexpr int32_t LB_WARTEN = -1;      // the strength bar waits for the others' peak
constexpr int32_t LB_STEIGEN = 0;
constexpr int32_t LB_SINKEN = 3;
constexpr int32_t LB_HALTEN = 5;
constexpr int32_t LB_FERTIG = 6;

// News line kinds.
constexpr int32_t LE_STAERKE = 0;       // strength gained
constexpr int32_t LE_MAX_STAERKE = 1;   // maximum strength gained
constexpr int32_t LE_NEGATIV_WEG = 2;   // a negative talent removed (wert = the talent)
constexpr int32_t LE_VERLETZT = 3;      // injured

#pragma pack(push, 1)
struct Lager_Balken {                   // 100 bytes, 32-bit fields
    int32_t wert;                       // 0..360
    int32_t index;                      // current step, -1 while the strength bar waits
    int32_t anzahl;                     // steps in use (at most 10)
    int32_t ziel[LAGER_SCHRITTE];
    int32_t dauer[LAGER_SCHRITTE];      // ms
    uint32_t start;                     // clock when the current hold or slide began
    int32_t zustand;                    // LB_*
};
struct Lager_Ereignis {                 // 20 bytes
    int32_t spieler = -1;               // -1 free slot
    int32_t art;                        // LE_*
    int32_t wert;
    int32_t gezeigt;
    uint32_t zeit;
};
struct Lager_Teilnehmer {               // 20 bytes: a player's state before the camp
    int32_t spieler;
    int32_t moral;                      // 90
    int32_t erschoepfung;               // 56 / 2
    int32_t staerke;                    // 92, half stars
    int32_t max_staerke;                // 97, half stars
};
#pragma pack(pop)
static_assert(sizeof(Lager_Balken) == 100);
static_assert(sizeof(Lager_Ereignis) == 20);
static_assert(sizeof(Lager_Teilnehmer) == 20);

// What the camp window shows, reported as it happens.
enum LagerAnzeige : int32_t {
    LA_START = 0,          // the camp film (resource = camp) starts, sample 0 plays
    LA_ENDE_MELDUNG,       // the end rule's message requester (text 10)
    LA_ENDE,               // film and samples stop, the camp window goes, the results show
    LA_ERGEBNIS_ZU,        // the results list closes
};
struct LagerHooks {
    void (*anzeige)(int32_t was, int32_t wert) = nullptr;
};
LagerHooks& Lager_Hooks();

// Starts the run of camp `lager` for the local human club at `jetzt`: sets up
// the bars and snapshots the squad (up to 20 players, line-up slot order).
// False while a camp runs, without a local club or for an unknown camp.
bool Lager_Starten(int32_t lager, uint32_t jetzt);
// The per-frame procedure: the news line display, then one tick when more
// than 100 ms passed since the last one.
void Lager_Frame(uint32_t jetzt);
// One tick: the end rule, the three bars, injuries while exhausted.
void Lager_Tick(uint32_t jetzt);
// Ends the camp (the button or the end rule): applies the end effects to every
// participant and opens the results list.
bool Lager_Beenden();
bool Lager_Laeuft();
bool Lager_Ergebnisse_Offen();
void Lager_Ergebnisse_Schliessen();
// Clears the run and the results without any effect (a new or loaded game).
void Lager_Reset();

// The run as the window reads it.
int32_t Lager_Nummer();
const Lager_Balken* Lager_Balken_Holen(int32_t balken);   // null outside 0..2
int32_t Lager_Balken_Prozent(int32_t balken);             // value / 361 x 100, rounded
bool Lager_Erschoepft();
const Lager_Ereignis* Lager_Ereignis_Holen(int32_t slot); // null outside 0..19
// The news line shown at `jetzt` (hold 700 ms while exhausted, else 1500 ms):
// its slot, -1 none. Lager_Frame calls it every frame.
int32_t Lager_Ereignis_Anzeige(uint32_t jetzt);

// The results list: one row per participant in line-up slot order, with the
// state before the camp and now.
struct Lager_Ergebnis {
    int32_t spieler;
    int32_t moral_vorher, moral;
    int32_t erschoepfung_vorher, erschoepfung;   // value 56 / 2
    int32_t staerke_vorher, staerke;             // half stars
    int32_t max_staerke_vorher, max_staerke;
};
int32_t Lager_Teilnehmer_Anzahl();
bool Lager_Ergebnis_Zeile(int32_t zeile, Lager_Ergebnis* out);

// The camp's save block: u32 running flag, u32 results-open flag, the camp
// and its M, E, S, the bars, the news lines, the participants; times relative
// to the last frame (they continue from the first frame after a load).
void Lager_Save(std::vector<uint8_t>& out);
bool Lager_Load(const uint8_t* in, size_t bytes);
// Registers the "Trainingslager" block of the save game (position 46).
bool Lager_Spielstand_Anmelden();

}  // namespace velmora
