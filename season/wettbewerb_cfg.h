// season/wettbewerb_cfg.h - "wettbewerb.cfg": the competitions of a world as
// descriptions, their reader and writer, and the builder that turns countries'
// league pyramids into a whole set of competitions.
//
// The grammar is in docs/config-format.md. A description is what one
// competition record is made from; reading a written file gives back equal
// descriptions.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace velmora {

constexpr int32_t WETTBEWERB_ERSTE_ID = 50;
constexpr int32_t WETTBEWERB_MAX = 256;          // ids 50 to 305
constexpr int32_t WETTBEWERB_TEAMS_MAX = 128;

// MODUS bits.
constexpr int32_t MODUS_HEIMRECHT = 1 << 1;           // the first-named club plays at home
constexpr int32_t MODUS_KO_SYSTEM = 1 << 2;           // knock-out ties (also set for friendlies)
constexpr int32_t MODUS_ENGLISCHE_TABELLE = 1 << 3;   // the table counts points minus 3 per home game
constexpr int32_t MODUS_EINNAHMEN_TEILEN = 1 << 13;   // gate money shared between the clubs

// ART: the kind of competition.
constexpr int32_t ART_LIGA = 0;            // a league of a country's pyramid
constexpr int32_t ART_POKAL = 1;           // a national cup
constexpr int32_t ART_INTERNATIONAL = 2;   // a continental cup: groups or knock-out rounds
constexpr int32_t ART_FREUNDSCHAFT = 3;    // friendlies
constexpr int32_t ART_GRUPPE = 4;          // a group of a continental cup (a small league)

struct WettbewerbBeschreibung {
    int32_t id = -1;                 // WETTBEWERB: 50 to 305
    std::string name;                // NAME
    std::string kurzname;            // KURZNAME: group or short name
    int32_t art = ART_LIGA;          // ART
    int32_t land = -1;               // LAND: the country's team number, -1 international
    int32_t stufe = 0;               // STUFE: level of a league, 1 the top flight; 0 others
    int32_t modus = 0;               // MODUS bits
    int32_t teams = 0;               // TEAMS: team slots
    int32_t spieltage = 0;           // SPIELTAGE: rounds (league matchdays, cup rounds)
    int32_t grafik = -1;             // GRAFIK_NUMMER
    int32_t kalender_position = 0;   // KALENDER_POSITION
    int32_t liga_symbol = -1;        // LIGA_SYMBOL
    int32_t rueckspiel = 1;          // RUECKSPIEL JA: 2 legs per tie / double round robin
    int32_t verlaengerung = 0;       // VERLAENGERUNG: minutes of extra time, 0 none
    int32_t elfmeter = 0;            // ELFMETERSCHIESSEN JA
    int32_t auswaertstore = 0;       // AUSWAERTSTORE JA: away goals count double on a level aggregate
    int32_t golden_goal = 0;         // GOLDEN_GOAL JA: the first goal in extra time ends the match
    int32_t spielzeit = 90;          // SPIELZEIT: playing minutes
    int32_t aufsteiger = 0;          // AUFSTEIGER: promoted to LIGA_OBEN
    int32_t absteiger = 0;           // ABSTEIGER: relegated to LIGA_UNTEN
    int32_t liga_oben = -1;          // LIGA_OBEN
    int32_t liga_unten = -1;         // LIGA_UNTEN
    int32_t quali_ziel = -1;         // QUALIFIKATION: competition the top places enter next season
    int32_t quali_plaetze = 0;       // QUALI_PLAETZE
    int32_t naechste_runde = -1;     // NAECHSTE_RUNDE: the stage the qualified clubs enter
    int32_t naechste_gruppe = -1;    // NAECHSTE_GRUPPE: the parallel group
    int32_t weiter_plaetze = 0;      // WEITER_PLAETZE: places of a group that go on
    int32_t wichtigkeit = 50;        // WICHTIGKEIT: 0-100
    int32_t punkt_praemie = 0;       // PUNKT_PRAEMIE: paid per point won
    int32_t schalter = 0;            // SCHALTER: bit 4 day flag, bit 5 matches live
    int32_t gastgeber = -1;          // GASTGEBER: the host club of a tournament
    int32_t gelb_sperre = 5;         // GELB_SPERRE: every n-th booking costs a game
    int32_t sperre_gelbrot = 1;      // SPERRE_GELBROT: games after a second booking
    int32_t sperre_rot = 2;          // SPERRE_ROT: games after a red card
    int32_t preis_prozent = 100;     // PREIS_PROZENT: ticket price percentage
    std::vector<int32_t> team_liste; // TEAM_LISTE: the clubs at the start (may span lines)

    bool operator==(const WettbewerbBeschreibung&) const = default;
};

// Writes the descriptions as the text of "wettbewerb.cfg".
std::string Wettbewerb_Config_Text(const std::vector<WettbewerbBeschreibung>& liste);
// Writes "wettbewerb.cfg" of a configuration set into the user's configuration
// directory / to a path. False when the text could not be written.
bool Wettbewerb_Config_Schreiben(int32_t satz, const std::vector<WettbewerbBeschreibung>& liste);
bool Wettbewerb_Config_Schreiben_Pfad(const char* pfad, const std::vector<WettbewerbBeschreibung>& liste);

// Reads "wettbewerb.cfg" of the current set / a path / a text. Broken lines are
// reported with their line number and skipped; a competition with a fault
// that would make it unplayable is left out. False when the file cannot be
// read or no competition is left.
bool Wettbewerb_Config_Lesen(std::vector<WettbewerbBeschreibung>& liste);
bool Wettbewerb_Config_Lesen_Pfad(const char* pfad, std::vector<WettbewerbBeschreibung>& liste);
bool Wettbewerb_Config_Lesen_Text(const char* text, size_t bytes, std::vector<WettbewerbBeschreibung>& liste);

// The number of rounds a league of `teams` clubs needs (a bye for an odd count).
int32_t Wettbewerb_Liga_Runden(int32_t teams, int32_t rueckspiel);
// The number of knock-out rounds for `teams` entrants (byes fill the first round).
int32_t Wettbewerb_KO_Runden(int32_t teams);

// One country for the world builder: its team number, name and the clubs of
// each level of its pyramid, the top flight first.
struct WettbewerbLand {
    int32_t land = -1;
    std::string name;
    std::vector<std::vector<int32_t>> ligen;
    bool pokal = true;            // a national cup with every club of the country
};
struct WettbewerbWeltOptionen {
    int32_t aufsteiger = 3;               // clubs moving between two levels each way
    int32_t quali_plaetze = 2;            // top places of each top flight entering the continental cup
    int32_t gruppen = 4;                  // groups of the continental cup (0: knock-out only)
    int32_t weiter_plaetze = 2;           // places of a group that reach the knock-out rounds
    bool freundschaft = true;             // a friendlies competition
    std::string international_name = "Kontinentalpokal";
};
// Graphic numbers the world builder never hands out: the menus show a
// competition's logo as slave picture 12135 + g and its film as film 59 + g,
// and for these the logo would be another picture (12153, 12155, 12156) and
// 18's film the film 77.
constexpr int32_t WETTBEWERB_GRAFIK_BELEGT[] = {18, 20, 21};
// The metal of the built-in trophy of graphic number g: gold for an even g,
// silver for g modulo 4 = 1, bronze for g modulo 4 = 3. The world builder
// gives a competition a number of its metal: a first division and every cup
// gold, a second division silver, the divisions below and the friendlies
// bronze. Half the numbers are gold since most competitions are: the full
// world's 21 gold, 10 silver and 5 bronze ones fit below 48, where the
// competitions' films end.
enum PokalMetall : int32_t { POKAL_GOLD = 0, POKAL_SILBER = 1, POKAL_BRONZE = 2 };
constexpr int32_t Pokal_Metall(int32_t grafik) {
    return grafik < 0 ? POKAL_BRONZE : grafik % 2 == 0 ? POKAL_GOLD : grafik % 4 == 1 ? POKAL_SILBER : POKAL_BRONZE;
}
// Builds the descriptions of a whole world: per country its leagues (ids from
// 50, levels linked for promotion and relegation, the top flight qualifying
// for the continental cup), its cup; then the continental cup (groups of the
// qualified clubs, then knock-out rounds with two legs, away goals, extra time
// and shoot-out) and the friendlies. The first season's continental cup is
// filled from the first qualifying places of each top flight in list order.
// Graphic numbers count from 0 in that order, each the lowest free one of the
// competition's metal (Pokal_Metall), the groups and knock-out rounds of the
// continental cup sharing one, past WETTBEWERB_GRAFIK_BELEGT.
std::vector<WettbewerbBeschreibung> Wettbewerb_Welt_Beschreiben(const std::vector<WettbewerbLand>& laender,
                                                               const WettbewerbWeltOptionen& optionen = {});

}  // namespace velmora
