// season/zeitplan.h - "zeitplan.cfg": the dates of a season. The day of the
// season change, the year of a new game's first season, and per competition
// the calendar day of each round and leg; with the calendar arithmetic the
// calendar builds on, the reader, the writer and the builder that spreads a
// world's rounds over a season.
//
// A season runs from its change day (3 July) to the day before the next one.
// A date (day, month) of a season lies in its first calendar year when it
// falls on or after the change day, else in the second.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "season/wettbewerb_cfg.h"

namespace velmora {

struct WettbewerbSatz;

constexpr int32_t ZEITPLAN_RUNDEN_MAX = 254;

struct ZeitplanTermin {
    int32_t wettbewerb = -1;
    int32_t runde = 0;           // from 1
    int32_t spieltag = 0;        // leg: 0 first, 1 second
    int32_t tag = 1;             // day of the month
    int32_t monat = 1;           // 1..12

    bool operator==(const ZeitplanTermin&) const = default;
};

struct Zeitplan {
    int32_t wechsel_tag = 3;     // SAISONWECHSEL: the day of the season change
    int32_t wechsel_monat = 7;
    int32_t start_jahr = 2001;   // START_JAHR: the first year of a new game's first season
    std::vector<ZeitplanTermin> termine;   // ordered by competition, round, leg

    bool operator==(const Zeitplan&) const = default;
};

// Calendar arithmetic (proleptic Gregorian): the day number of a date (1
// January 2000 is day 0), the date of a day number, the weekday (0 Monday ..
// 6 Sunday), and whether a day exists.
int32_t Zeitplan_Tagnummer(int32_t tag, int32_t monat, int32_t jahr);
void Zeitplan_Datum(int32_t tagnummer, int32_t* tag, int32_t* monat, int32_t* jahr);
int32_t Zeitplan_Wochentag(int32_t tagnummer);
bool Zeitplan_Datum_Gueltig(int32_t tag, int32_t monat, int32_t jahr);
// The day of a season's date counted from its change day (0 = the change
// day), for the season that starts in `jahr`.
int32_t Zeitplan_Saisontag(const Zeitplan& z, int32_t tag, int32_t monat, int32_t jahr);

// One competition as the builder needs it: the rounds and legs to be dated.
struct ZeitplanWettbewerb {
    int32_t id = -1;
    int32_t art = ART_LIGA;
    int32_t runden = 0;
    int32_t legs = 1;            // a league's rounds have one leg each (its halves are rounds)
    bool nach_gruppen = false;   // the knock-out stage that follows groups
};
ZeitplanWettbewerb Zeitplan_Wettbewerb_Von(const WettbewerbBeschreibung& w, bool nach_gruppen);
ZeitplanWettbewerb Zeitplan_Wettbewerb_Von_Satz(const WettbewerbSatz& s, bool nach_gruppen);
std::vector<ZeitplanWettbewerb> Zeitplan_Wettbewerbe_Von(const std::vector<WettbewerbBeschreibung>& liste);

// Spreads every competition's rounds over the season that starts in
// `jahr`: leagues on Saturdays from August to May with a winter break,
// national cups on Tuesdays, the continental cup on Wednesdays (its groups
// in autumn, the knock-out stage after them in spring); a window that has too
// few of its weekdays takes other days too. Friendlies get no dates (they are
// played on the next match day). The same input gives the same plan.
Zeitplan Zeitplan_Bauen(const std::vector<ZeitplanWettbewerb>& liste, int32_t jahr = 2001);
// Adds the dates the plan lacks for the competitions of `liste`.
void Zeitplan_Ergaenzen(Zeitplan& z, const std::vector<ZeitplanWettbewerb>& liste);

std::string Zeitplan_Config_Text(const Zeitplan& z);
bool Zeitplan_Config_Schreiben_Pfad(const char* pfad, const Zeitplan& z);
// Reads "zeitplan.cfg" of the current set / a path / a text. Broken lines are
// reported with their line number and skipped. False when the file cannot be read.
bool Zeitplan_Config_Lesen(Zeitplan& z);
bool Zeitplan_Config_Lesen_Pfad(const char* pfad, Zeitplan& z);
bool Zeitplan_Config_Lesen_Text(const char* text, size_t bytes, Zeitplan& z);

// The schedule of the world being built: the world build reads zeitplan.cfg
// with the other configuration files (or takes it from the configuration
// cache), and the calendar's new game starts from it. A set without the file
// is no error: its world has no schedule and the calendar builds the dates.
// Lesen is false only when the file is there but cannot be read.
bool Zeitplan_Welt_Lesen();
const Zeitplan* Zeitplan_Welt();   // null when the world has none, or none was built
void Zeitplan_Welt_Free();
// Registers the cache region "Zeitplan" (source zeitplan.cfg).
bool Zeitplan_Cache_Anmelden();

}  // namespace velmora
