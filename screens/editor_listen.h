// screens/editor_listen.h - the team editor's lists and rules without icons:
// the club, squad and market lists with their sorts, the steppers of a
// player's strength, maximum and type, the clamps applied when a typed value
// is taken over, the crest and kit steppers and the appearance code's parts.
// The editor's screens call these; the tests call them directly.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace velmora {

constexpr int32_t EDITOR_ZEILEN_SICHTBAR = 20;
constexpr int32_t EDITOR_REGIONEN = 15;
constexpr int32_t EDITOR_WAPPEN_MAX = 2000;     // crests 1..2000
constexpr int32_t EDITOR_TRIKOTE = 240;         // kits 0..239
constexpr int32_t EDITOR_KAPAZITAET_MAX = 200000;
// Every edit of the editor's pages types into a field this large: the text's
// limit is the field's number of characters, never the column's width.
constexpr int32_t EDITOR_EINGABE_B = 400, EDITOR_EINGABE_H = 20;

// Sorts of the club list: name ascending, name descending, nation-league-name.
enum EditorSortierung : int32_t { EDITOR_NAME_AUF = 0, EDITOR_NAME_AB = 1, EDITOR_NATION_LIGA = 2 };

// Every club (no country entry, not the transfer market), in team order.
std::vector<int32_t> Editor_Teamliste();
// Sorts a club list; names (text 721) and nation names are compared byte by byte.
void Editor_Teamliste_Sortieren(std::vector<int32_t>& liste, int32_t sortierung);
// The club's players (club -1: club 1), at most 20, by line-up slot.
std::vector<int32_t> Editor_Spielerliste(int32_t club);
// The market's players without (art 0) or only (art 1) the scout players;
// art 0 by nation then type, art 1 by home region's name then type. Counts the
// listed players per home region into `regionen` (may be null).
std::vector<int32_t> Editor_Marktliste(int32_t art, int32_t regionen[EDITOR_REGIONEN]);
// The rows a list shows from `start`: at most 20 entries, none past its end.
int32_t Editor_Zeilen(const std::vector<int32_t>& liste, int32_t start, int32_t* zeilen);
// A list's scroll range: count - 19, at least 0.
int32_t Editor_Scrollbereich(int32_t anzahl);

// Steppers (richtung 0 down, 1 up); each writes the player and returns the new value.
int32_t Editor_Staerke_Schritt(int32_t spieler, int32_t richtung);
int32_t Editor_Maximum_Schritt(int32_t spieler, int32_t richtung);
// Type 0..3 with wrap; a change across goalkeeper and field player blocks the
// talents of the class he leaves and resets those of the class he joins.
int32_t Editor_Art_Schritt(int32_t spieler, int32_t richtung);

// A step limit: a held key or button steps at most once per `abstand` ms.
struct EditorTakt {
    uint32_t letzt = 0;
    bool gelaufen = false;
};
// True, noting `jetzt`, when no step was taken yet or `abstand` ms have passed since the last.
bool Editor_Takt(EditorTakt& takt, uint32_t jetzt, uint32_t abstand);

// The player fields the editor types into (player values and texts).
enum EditorFeld : int32_t {
    EDITOR_FELD_NUMMER = 74, EDITOR_FELD_ART = 67, EDITOR_FELD_INITIAL = 64, EDITOR_FELD_NAME = 63,
    EDITOR_FELD_STAERKE = 92, EDITOR_FELD_MAXIMUM = 97, EDITOR_FELD_WERT55 = 55
};
// The columns Tab walks, in order: shirt, type, initial, name, strength, maximum, value 55.
constexpr int32_t EDITOR_SPALTEN[7] = {EDITOR_FELD_NUMMER, EDITOR_FELD_ART, EDITOR_FELD_INITIAL, EDITOR_FELD_NAME,
                                       EDITOR_FELD_STAERKE, EDITOR_FELD_MAXIMUM, EDITOR_FELD_WERT55};
constexpr int32_t EDITOR_FELD_KAPAZITAET = 5;   // the club's capacity (team value 5), typed as a number
// The typing limit of a field (club texts by their Team_String mode, player fields as above).
int32_t Editor_Feld_Laenge(int32_t feld, bool team);
bool Editor_Feld_Numerisch(int32_t feld, bool team);
// A player field's text as the edit starts with it (the initial without its ".").
std::string Editor_Feld_Text(int32_t spieler, int32_t feld);
// Takes a typed text over into the player: shirt 1..50, value 55 1..150,
// strength up to the maximum, the maximum at least 2 and 12 when odd or below
// the strength; the initial upper-cased with "." appended; the surname as typed.
void Editor_Feld_Uebernehmen(int32_t spieler, int32_t feld, const std::string& text);
// The player after (richtung 1) or before (0) `spieler`: in a club the next
// line-up slot that holds one of the list's players, wrapping 19 to 0; in the
// market list (`markt`) the next entry, wrapping. -1 when the list is empty.
int32_t Editor_Naechster_Spieler(const std::vector<int32_t>& liste, int32_t spieler, int32_t richtung, bool markt);

// A club's data page.
int32_t Editor_Wappen_Schritt(int32_t wappen, int32_t richtung);   // 1..2000 with wrap
// Whether kit `nummer` may be the club's kit of column 1..3 (kit 1, kit 2, goalkeeper).
bool Editor_Trikot_Erlaubt(int32_t team, int32_t spalte, int32_t nummer);
// Steps a kit number with wrap over 0..239 to the next allowed one (itself when none).
int32_t Editor_Trikot_Schritt(int32_t team, int32_t spalte, int32_t nummer, int32_t richtung);
// The kit kind of a column 1..3 (0, 1, 2).
inline int32_t Editor_Trikot_Art(int32_t spalte) { return spalte - 1; }
// Takes a typed capacity: rounded down to 1000, at most 200,000; below 1000
// nothing changes (false). All places become seats, in the stadium record and
// in the club's STADION line.
bool Editor_Kapazitaet_Setzen(int32_t team, int32_t zahl);
int32_t Editor_Kapazitaet(int32_t team);
// Writes a club text the editor typed (Team_String modes 721, 706, 702, 703).
bool Editor_Team_Text_Setzen(int32_t team, int32_t modus, const std::string& text);

// The appearance code: part 0 the kind (bits 0-1), parts 1-5 as packed.
int32_t Editor_Aussehen_Teil(uint32_t code, int32_t teil);
uint32_t Editor_Aussehen_Mit(uint32_t code, int32_t teil, int32_t wert);
int32_t Editor_Aussehen_Wahlen(uint32_t code, int32_t teil);   // choices of a part for the code's kind
uint32_t Editor_Aussehen_Schritt(uint32_t code, int32_t teil, int32_t richtung);
// The kind switch from the working code, with the code the picker opened with.
uint32_t Editor_Aussehen_Art_Wechsel(uint32_t arbeit, uint32_t anfang);
// Parts beyond their choices go to their last choice.
uint32_t Editor_Aussehen_Begrenzen(uint32_t code);

}  // namespace velmora
