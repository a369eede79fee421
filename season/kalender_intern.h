// season/kalender_intern.h - what the calendar's save and network file
// shares with the calendar: the module's state lives in kalender.cpp, these
// reach it. Not for modules outside the calendar.
#pragma once
#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "season/kalender.h"
#include "season/zeitplan.h"

namespace velmora::kalender_intern {

constexpr uint32_t KALENDER_MAGIC = 0x454C414B;   // "KALE"
constexpr int32_t KALENDER_VERSION = 1;

struct Ereignis {
    int32_t art, wert;
};

// A match day's coordinates: competition, round, leg.
struct TerminSchluessel {
    int32_t wettbewerb, runde, spieltag;
    bool operator==(const TerminSchluessel&) const = default;
};
struct TerminHash {
    size_t operator()(const TerminSchluessel& k) const {
        const uint64_t a = uint64_t(uint32_t(k.wettbewerb)) << 32 | uint32_t(k.runde);
        return size_t((a * 0x9E3779B97F4A7C15ull) ^ (uint64_t(uint32_t(k.spieltag)) * 0xC2B2AE3D27D4EB4Full));
    }
};

struct KalenderModul {
    int32_t runmodus = KALENDER_START;
    int32_t ankuendigung_zurueck = KALENDER_MENUE;   // the mode the pages return to
    bool initialisiert = false;       // a game's date and schedule are set
    bool geladen = false;             // a load brought the state: the game-start work resumes it
    int32_t tag = 0;                  // Tag_Index
    int32_t start_nummer = 0;         // the day number of day 0
    int32_t saisonjahr = 0;           // the year the current season started in
    int32_t fortsetzen = KALENDER_TAG_START;   // where a loaded game resumes
    std::vector<int32_t> zuege;       // today's turns, by team
    int32_t zug = 0;
    bool spieltag_laeuft = false;
    std::vector<int32_t> heute;       // competitions of today's match day
    Zeitplan zeitplan;
    std::unordered_map<TerminSchluessel, int32_t, TerminHash> termine;   // (competition, round, leg) -> season day
    int32_t tempo = 0;
    bool frame = false;
    bool wartefenster = false;
    bool debug = false;
    uint32_t zeit_gemerkt = 0;
    uint32_t letzte_musik = 0;
    bool netz_warten = false;         // network play: the own turns are over, the others are awaited
    bool client_gesehen = false;      // server: a client has played a club in this game
    uint32_t netz_gefragt = 0;        // a waiting client: when it last asked the server's calendar
    int32_t netz_tag = 0;             // a waiting client: the day its turns were for
    bool client_spiel_zeigt = false;  // a waiting client's own match has the screen
    std::vector<Ereignis> ereignisse;
};
extern KalenderModul g;

// The season day of every (competition, round, leg) of the schedule.
void Termine_Bauen();
// The date record of day `tag` counted from day number `start_nummer`.
void Datum_Fuellen(int32_t start_nummer, int32_t tag, TagDatensatz* d);
// Day 0 and today lie within the years a season may have, so that their day
// numbers and the dates made from them stay in range.
bool Tage_Im_Bereich(int32_t start_nummer, int32_t tag);

}  // namespace velmora::kalender_intern
