// club/talente.h - talents: the talent table of "global.cfg" and the rules
// by which players learn, block, reset and activate talents.
//
// A player's talent values (player values 0-53): -1 blocked (no longer
// learnable), 0 none, 1 chosen for training without points, 2 up to the
// requirement - 1 points gained, the requirement = learnt, requirement + 1 =
// active. Talents 0-39 are field talents, 40-46 negative talents, 47-52
// goalkeeper talents; 53 is the strength-star progress. A field player holds
// at most 18 talents, a goalkeeper 6; at most 3 are active, at most 3 negative.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/abonnenten.h"

namespace velmora {

constexpr int32_t ATTRIBUT_ANZAHL = 53;          // talents 0-52 in the table
constexpr int32_t ATTRIBUT_FELD_ENDE = 39;       // 0-39 field talents
constexpr int32_t ATTRIBUT_NEG_START = 40;       // 40-46 negative talents
constexpr int32_t ATTRIBUT_NEG_ENDE = 46;
constexpr int32_t ATTRIBUT_TW_START = 47;        // 47-52 goalkeeper talents
constexpr int32_t ATTRIBUT_TW_ENDE = 52;
constexpr int32_t ATTRIBUT_STERNE = 53;          // strength-star progress
constexpr int32_t ATTRIBUT_MAX_FELD = 18;
constexpr int32_t ATTRIBUT_MAX_TW = 6;
constexpr int32_t ATTRIBUT_MAX_AKTIV = 3;
constexpr int32_t ATTRIBUT_MAX_NEGATIV = 3;

#pragma pack(push, 1)
struct AttributDaten {                    // 644 bytes, one talent of a NEUER_ATTRIBUT section
    char name[40];                        // NAME
    char info1[200];                      // INFO1
    int32_t voraussetzung[3];             // VORAUSSETZUNG: talent ids, -1 none
    int32_t moeglich_wann[2];             // MOEGLICH_WANN: strength in half stars from..to
    int32_t noetige_punkte;               // NOETIGE_ENTWICKELUNGSPUNKTE: the requirement
    int32_t schutz[3];                    // SCHUTZ_GEGEN_NEG_ATTR: negative talents it keeps away, -1 none
    char auswirkung[3][120];              // AUSWIRKUNG_1 to AUSWIRKUNG_3
    int32_t punkte_training;              // ENTWICKELUNGSPUNKTE_TRAINING
    int32_t kostpreis;                    // KOSTPREIS_PRO_TRAINING
};
#pragma pack(pop)
static_assert(sizeof(AttributDaten) == 644);

// The table: cleared (every id -1, requirement 0) and filled by the global
// configuration reader, one talent per id.
void Attribut_Tabelle_Leeren();
bool Attribut_Daten_Setzen(int32_t id, const AttributDaten& daten);
const AttributDaten* Attribut_Daten(int32_t id);   // null for an id outside 0-52
int32_t Attribut_Tabelle_Anzahl();                 // talents set so far (highest id + 1)
// The limit of the strength-star progress (player value 53), from ALGEMEINE_PARAMETER.
void Attribut_Sterne_Grenze_Setzen(int32_t grenze);
int32_t Attribut_Sterne_Grenze();
// The table as the binary cache stores it.
void Attribut_Tabelle_Speichern(std::vector<uint8_t>& out);
bool Attribut_Tabelle_Laden(const uint8_t* daten, size_t bytes);

// A talent's requirement (NOETIGE_ENTWICKELUNGSPUNKTE), 0 for an unknown id.
int32_t Attribut_Schwelle(int32_t id);
bool Attribut_Ist_Negativ(int32_t spieler, int32_t id);      // id 40-46
bool Attribut_Ist_Gesperrt(int32_t spieler, int32_t id);     // value -1
// Value at least the requirement / above it. Ids outside 0..53 log a line.
bool Attribute_Hat_Attribut(int32_t spieler, int32_t id);
bool Attribute_Attribut_Aktief(int32_t spieler, int32_t id);
// All of a player's answers of Attribute_Attribut_Aktief for talents 0-53 at
// once, bit k for talent k: one read of the record instead of one per talent.
// False, silently, for a player who is not there.
bool Attribute_Aktive_Maske(int32_t spieler, uint64_t* maske);
// The learnt talents of the player's own kind (field players 0-39, goalkeepers 47-52).
int32_t Attribute_Anzahl_Gelernt(int32_t spieler);
// True when the player holds the maximum number of talents (18 field player, 6 goalkeeper).
bool Attribute_Attribut_Hat_Maximum(int32_t spieler);

// True when the player may learn the talent: of his kind, not blocked, not
// learnt yet, its prerequisites learnt and (Attribut_Erlernbar only) his
// strength within the MOEGLICH_WANN window.
bool Attribut_Erlernbar(int32_t spieler, int32_t id, int32_t);
bool Attribut_Erlernbar_2(int32_t spieler, int32_t id);
// 1 when the player may start learning the talent now: learnable, not begun,
// not at the maximum and no other talent in development.
int32_t Attribut_Name(int32_t spieler, int32_t id);

// Operations of Attribut_Spieler_Setze_Wert.
constexpr int32_t ATTRIBUT_LERNEN = 0;
constexpr int32_t ATTRIBUT_SPERREN = 2;
constexpr int32_t ATTRIBUT_ZURUECKSETZEN = 3;
// 0 learn (value = requirement; refused for a talent of the other kind, a
// player at the maximum, a blocked talent, a fourth negative talent or one a
// learnt talent protects against), 2 block (-1), 3 reset (0). True on success.
// The _2 form (team editor) learns without the kind and maximum checks.
bool Attribut_Spieler_Setze_Wert(int32_t spieler, int32_t id, int32_t op);
bool Attribut_Spieler_Setze_Wert_2(int32_t spieler, int32_t id, int32_t op);

// Switches a learnt talent on (requirement + 1, when fewer than three are
// active) or off (requirement). Refuses a blocked talent or one the player
// lacks. Returns 1 when the value changed. The _2 form skips the room check
// and the kind check.
int32_t Attribut_Toggle_Aktive(int32_t spieler, int32_t id);
int32_t Attribut_Toggle_Aktive_2(int32_t spieler, int32_t id);

// The valid ids (0-52) of the talent's prerequisites into out[3], -1 for the others; returns their count.
int32_t Attribut_Zaehle(int32_t id, int32_t* out);
// The talent in development (above 0, below its requirement): goalkeepers the
// first of 47-52, field players the first of 0-39; 53 when value 53 is
// positive and below the star limit; else -1.
int32_t Attribute_Anzahl(int32_t spieler);

// Lists of talent ids into `out` (room for `kapazitaet`), padded with -1:
// kind 0 the active talents (field 46 down to 0, goalkeepers 52 down to 40;
// at most 3, padded to 3); kind 1 the learnt talents (field 39 down to 0,
// goalkeepers 52 down to 47; at most 18, padded to 18); kind 2 the active
// negative talents from the end of the kind-0 list (padded to 3); kind 3 the
// learnt negative talents. Returns the count.
int32_t Attribute_Get_Attribute(int32_t spieler, int32_t* out, int32_t kapazitaet, int32_t art);
// The same lists without the limit of 18 (up to 50).
int32_t Attribute_Get_Attribute_2(int32_t spieler, int32_t* out, int32_t kapazitaet, int32_t art);
// The name of the player's learnt talent k, "" when he has none there.
const char* Attribut_Get_Name(int32_t spieler, int32_t k);
// The developer action: every player of teams 1 to 20 gets every talent of
// his kind that is not a weakness (field players 0-39, goalkeepers 47-52) set
// to its requirement; the talent list window closes and the developer flag is
// set, so that the list's opener shows the developer panel from then on.
void Attribute_Tag();
// The developer flag; it falls back to 0 whenever a game's talent table is read.
bool Attribut_Entwickler_Flag();

// What the talents need from the screens above: closing the talent list
// window (filled by the composition root; unfilled nothing is closed), and
// who hears that talents of many players changed at once (the training
// screen rebuilds its carousel).
struct TalentHooks {
    void (*liste_schliessen)() = nullptr;
    Abonnenten<> geaendert;
};
TalentHooks& Talent_Hooks();

// The price of one training unit of the talent: KOSTPREIS_PRO_TRAINING x
// FAKTOR_0_100_ATTRIBUT_TRAINING_KOSTEN, 0 for an unknown talent.
int32_t Attribut_Get_Preis(int32_t id, int32_t spieler);

}  // namespace velmora
