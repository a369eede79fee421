// club/namen.h - the project's own name tables: first names and surname
// syllables per name style, town syllables, and the countries of the demo
// world with their continent, climate and name style. Every draw goes through
// the caller's random numbers, so a seed gives the same names on every machine.
#pragma once
#include <cstdint>
#include <string>

namespace velmora {

constexpr int32_t NAMEN_STILE = 10;

// How a country's flag is laid out on its crest.
enum NamenFlagge : int32_t {
    FLAGGE_QUER,       // three horizontal bands
    FLAGGE_LAENGS,     // three vertical bands
    FLAGGE_NORDKREUZ,  // a cross towards the hoist in the second colour, its middle in the third
    FLAGGE_KREUZ,      // a centred cross in the second colour, its middle in the third
    FLAGGE_SCHRAEG,    // a diagonal cross in the second colour
    FLAGGE_SCHEIBE,    // a disc in the second colour
    FLAGGE_HALBMOND,   // a crescent in the second colour
    FLAGGE_RAUTE,      // a rhombus in the second colour around a disc in the third
    FLAGGE_STREIFEN,   // stripes of the first two colours, a canton in the third
    FLAGGE_KEIL,       // the first colour over the second, a wedge from the hoist in the third
    FLAGGE_HAELFTEN,   // the first colour over the second
};

// The crest entry of the first country of the table: the countries' crests
// (their flags on a shield) take the entries from here on, above every club's.
constexpr int32_t NAMEN_LAND_WAPPEN = 1960;
// The transfer market's crest: a ball on the game's dark shield.
constexpr int32_t NAMEN_MARKT_WAPPEN = NAMEN_LAND_WAPPEN - 1;

struct LandVorlage {
    const char* name;        // the country entry's team name
    const char* alias;       // the alias name in "team_alias.cfg"
    int32_t kontinent;       // continent number of global.cfg
    int32_t winter, sommer;  // temperatures in degrees
    int32_t naesse;          // wetness 0..40
    int32_t stil;            // name style
    uint32_t flagge[3];      // the flag's colours, 0xRRGGBB
    NamenFlagge flaggen_art;
};

// The countries the generator knows, in their fixed order.
int32_t Namen_Laender_Anzahl();
const LandVorlage* Namen_Land(int32_t i);
// The continents of global.cfg, 15 names.
const char* Namen_Kontinent(int32_t i);
// The name style of a country entry's name, 0 when it is not one of the table.
int32_t Namen_Stil_Von_Land(const char* land);

// A player's first name and surname in a style (style taken modulo the count),
// chosen by the bits of the random number `zufall`.
void Namen_Spieler_Ziehen(int32_t stil, uint32_t zufall, std::string& vorname, std::string& name);
// A town name in a style.
std::string Namen_Stadt_Ziehen(int32_t stil, uint32_t zufall);

}  // namespace velmora
