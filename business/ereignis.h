// business/ereignis.h - the random events: the catalogue read from
// "ereignis.cfg", each event filed under one of 20 categories, and a random
// pick of an event of a wanted category.
//
// The file (configuration file CONFIG_EREIGNIS of the current set) holds one
// event after each NEUES_EREIGNIS: TEXT, JA_TEXT, NEIN_TEXT (up to 299
// characters), KATEGORIE (a name of EREIGNIS_KATEGORIE_NAMEN), WERT1, WERT2,
// WERT3, SOUND; INFOTEXT is ignored. Only events with a known category are
// stored, under running numbers 0, 1, 2 ... in file order.
#pragma once
#include <cstdint>

#include "club/ereignis_kategorien.h"

namespace velmora {

constexpr int32_t EREIGNIS_TEXT_MAX = 299;       // characters of one text
constexpr int32_t EREIGNIS_ZUFALL_MAX = 100;     // events of a category a random pick chooses among
constexpr int32_t EREIGNIS_NUMMERN_MAX = 1001;   // running numbers a random pick visits

enum EreignisKategorie : int32_t {
    EK_RANDALE = 0,
    EK_SERIEN_SIEGE = 1,
    EK_SERIEN_NIEDERLAGEN = 2,
    EK_NEG_ATTRIBUT_WEG = 3,
    EK_TRAINING_BEENDET = 4,
    EK_NEG_ATTRIBUT_DAZU = 5,
    EK_ZUSCHAUER_EUPHORIE = 6,
    EK_NICHT_EINGESETZT = 7,
    EK_GEWERKSCHAFT_UNZUFRIEDEN = 8,
    EK_GEWERKSCHAFT_ZUFRIEDEN = 9,
    EK_TALENT_ERLERNBAR = 10,
    EK_TALENT_NICHT_ERLERNBAR = 11,
    EK_GEWERKSCHAFT_WAHL = 12,
    EK_MAXSTAERKE = 13,
    EK_MANAGER_WECHSEL = 14,
    EK_STADIONALTER = 15,
    EK_ALLGEMEIN = 16,
    EK_ALLGEMEIN_TEAM = 17,
    EK_ALLGEMEIN_SPIELER = 18,
    EK_NATIONALTRAINER = 19,
};

// The code of a category name, -1 for an unknown one.
int32_t Ereignis_Kategorie_Code(const char* name);

// A view of one event. Ereignis_Holen and Ereignis_Zufall return one static
// record, overwritten by the next call.
struct Ereignis_Ansicht {
    const char* text;
    const char* ja_text;
    const char* nein_text;
    int32_t kategorie;
    int32_t wert1;
    int32_t wert2;
    int32_t wert3;
    int32_t sound;
    int32_t nummer;      // the running number in the catalogue
};

// Marks the module initialised and reads the file of set 0 (frees first when
// already initialised). When the file cannot be opened the program is ended
// in order (Programm_Beenden) with a message; false then.
bool Ereignis_Init();
void Ereignis_Exit();
// Empties the catalogue and reads the file of configuration set `satz`;
// false when it cannot be opened (the catalogue stays empty).
bool Ereignis_Neu_Lesen(int32_t satz);
// Reads a catalogue from a text in memory (`anzeige` names it in messages);
// the catalogue is replaced and the module initialised. For tools and tests.
bool Ereignis_Lesen_Text(const char* text, uint32_t bytes, const char* anzeige);

// The event with running number `nummer`; null before init or when there is none.
const Ereignis_Ansicht* Ereignis_Holen(int32_t nummer);
// A random event of `kategorie` (Rnd over the first 100 of that category), or null.
const Ereignis_Ansicht* Ereignis_Zufall(int32_t kategorie);
// Events in the catalogue (0 before init).
int32_t Ereignis_Anzahl();

// The catalogue in the keyed list's serialised form in a file; false on failure.
bool Ereignis_Speichern(const char* datei);
bool Ereignis_Laden(const char* datei);

}  // namespace velmora
