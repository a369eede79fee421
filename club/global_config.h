// club/global_config.h - "global.cfg": talents, scouts, training camps,
// continents, the general parameters and the injury table, and the chain of
// keyword readers that later modules join.
//
// The reader knows its own sections (NEUER_ATTRIBUT, NEUER_SCOUT,
// NEUER_TR_LAGER, NEUER_KONTINENT, ALGEMEINE_PARAMETER) and the VERLETZUNG
// lines; any other keyword goes to the registered readers in order (the rules
// reader and Transferfaktor_Config_Lesen are registered first) before it is
// reported as "(101) Unbekannter Befehl". See docs/config-format.md.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace velmora {

constexpr int32_t SCOUT_MAX = 4;
constexpr int32_t REGIONEN = 15;               // the continents
constexpr int32_t TR_LAGER_MAX = 8;

#pragma pack(push, 1)
struct ScoutDaten {                            // 348 bytes, one NEUER_SCOUT section
    char vorname[50];                          // VORNAME
    char name[50];                             // NAME
    int32_t alter;                             // ALTER
    int32_t grundpreis_factor;                 // GRUNDPREIS_FACTOR
    int32_t gebietspreis[REGIONEN];            // GEBIETSPREIS
    int32_t wahrscheinlichkeit[REGIONEN];      // WAHRSCHEINLICHKEITSFACTOR, 0..100
    int32_t ueberredung[REGIONEN];             // UEBERREDUNGSKRAFT, 0..100
    int32_t staerke_factor[REGIONEN];          // SPIELER_STAERKE_FACTOR, 0..12
};
static_assert(sizeof(ScoutDaten) == 348);

struct TrLagerDaten {                          // 480 bytes, one NEUER_TR_LAGER section
    char name[52];                             // TR_LAGER_NAME
    int32_t attribute[16];                     // TR_LAGER_ATTRIBUTE, stored only; -1 unused
    int32_t kosten;                            // TR_LAGER_KOSTEN
    int32_t moral;                             // TR_LAGER_MORAL, 100 = full bar
    int32_t erholung;                          // TR_LAGER_ERHOLUNG
    int32_t staerke;                           // TR_LAGER_STAERKE
    char info1[348];                           // TR_LAGER_INFO1
};
static_assert(sizeof(TrLagerDaten) == 480);

struct Kontinent {                             // 56 bytes, one NEUER_KONTINENT section
    char name[50];                             // NAME
    uint8_t liste;                             // LISTE: shown as a list of its countries
    uint8_t reserve[5];
};
static_assert(sizeof(Kontinent) == 56);
#pragma pack(pop)

// The general parameters (ALGEMEINE_PARAMETER); each holds up to 7 values in
// up to 6 rows (TRAINING_ABSTURZ_PROCENT_PARAM is given once per row).
enum GlobalParameter : int32_t {
    GP_TRAININGS_EINHEITEN_PRO_RUNDE = 0,
    GP_TRAINING_PUNKTE_SCHNELL_PARAM,
    GP_TRAINING_PUNKTE_LANGZAM_PARAM,
    GP_TRAINING_PUNKTE_MAX_ZEIT_SCHNELLE_FASE,
    GP_TRAINING_ABSTURZ_PARAM,
    GP_TRAINING_EXTRA_BONUS_PARAM,
    GP_TRAINING_ABSTURZ_PROCENT_PARAM,
    GP_TRAINING_ABSTURZ_TR_PUNKTE_WEG_PARAM,
    GP_TRAINING_ABSTURTZ_FORM_MIN_MAX,
    GP_TRAINING_ABSTURTZ_ERSCHOEPFUNG_MIN_MAX,
    GP_TRAINING_ABSTURTZ_STAERKE_MIN_MAX,
    GP_TRAINING_LAGER_BALKEN_MORAL_PARAM,
    GP_TRAINING_LAGER_BALKEN_ERHOLUNG_PARAM,
    GP_TRAINING_LAGER_BALKEN_STAERKE_PARAM,
    GP_TRAINING_LAGER_STAERKE_PARAM,
    GP_TRAINING_LAGER_VERLETZUNG_PARAM,
    GP_STAERKE_STERNE_GRENZE,                  // the limit of the strength-star progress (value 53)
    GP_ANZAHL
};
constexpr int32_t GP_WERTE = 7;
constexpr int32_t GP_ZEILEN = 6;

// A keyword reader of the chain: true when it knew (and read) the keyword.
using GlobalConfigLeser = bool (*)(const char* befehl);
// Adds a reader at the end of the chain (a reader already there is not added twice).
bool Global_Config_Leser_Anmelden(GlobalConfigLeser leser);
void Global_Config_Leser_Abmelden(GlobalConfigLeser leser);

// Empties every table of global.cfg (talents, scouts, camps, continents,
// parameters, injuries, factors, rules) and sets up the chain of keyword readers.
void Global_Config_Init();
// Empties the tables at the program's end, as a fresh process finds them.
void Global_Config_Freigeben();
// Reads global.cfg of the current set. False when the file cannot be read or
// a structural error stops the load (the tables read so far stay).
bool Global_Config_Lesen();
// The same over a text in memory (tests, the generator's check).
bool Global_Config_Lesen_Text(const std::string& text, const char* anzeige);

int32_t Scout_Anzahl();
const ScoutDaten* Scout_Daten(int32_t scout);            // null outside 0..count-1
bool Scout_Daten_Setzen(int32_t scout, const ScoutDaten& daten);   // scout = count appends
int32_t Trainingslager_Anzahl();
const TrLagerDaten* Trainingslager_Daten(int32_t lager);
bool Trainingslager_Daten_Setzen(int32_t lager, const TrLagerDaten& daten);
int32_t Kontinent_Anzahl();
const Kontinent* Kontinent_Daten(int32_t nummer);
bool Kontinent_Setzen(int32_t nummer, const char* name, bool liste);
// The continent whose name equals the text (case-insensitive), -1 none.
int32_t Kontinent_Suchen(const char* name);
int32_t Global_Parameter(int32_t parameter, int32_t index);                 // row 0
int32_t Global_Parameter_Zeile(int32_t parameter, int32_t zeile, int32_t index);
int32_t Global_Parameter_Zeilen(int32_t parameter);                         // rows given
bool Global_Parameter_Setzen(int32_t parameter, int32_t zeile, const int32_t* werte, int32_t anzahl);
const char* Global_Parameter_Name(int32_t parameter);
// The injury table: rows of "*N" text reference, weight, days from, days to.
int32_t Verletzung_Anzahl();
bool Verletzung_Setzen(int32_t zeile, const char* text, int32_t gewicht, int32_t tage_von, int32_t tage_bis);
// Row `art`'s text (`Spieler_Tabelle_Wert`): the reference as written, null outside the table.
const char* Spieler_Tabelle_Wert(int32_t art);

// The whole of global.cfg as text, with a header carrying the description;
// Speichern writes it as "%d_global.cfg" of the set into the user's directory.
std::string Convert_Global_Config_Text(const char* beschreibung);
bool Convert_Global_Config_Speichern(int32_t satz, const char* beschreibung);

// The binary cache region "global" (source global.cfg): registered when the
// program binds the club data; loading it sets the module up as reading does.
bool Global_Config_Bin_Anmelden();
bool Global_Config_Bin_Speichern(std::vector<uint8_t>& out);
bool Global_Config_Bin_Laden(const uint8_t* daten, size_t bytes);

}  // namespace velmora
