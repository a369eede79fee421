// club/regeln.h - the game's rules values from "global.cfg": the stadium
// model table and levels, the advertising tuning values and the two cost
// factors of training. One keyword reader of the global configuration chain.
#pragma once
#include <cstdint>
#include <string>

namespace velmora {

struct ClubPacker;
struct ClubLeser;

enum Regel : int32_t {
    REGEL_ATTRIBUT_TRAINING_KOSTEN = 0,   // FAKTOR_0_100_ATTRIBUT_TRAINING_KOSTEN
    REGEL_TRAININGSLAGER_KOSTEN,          // FAKTOR_0_100_TRAININGSLAGER_KOSTEN
    REGEL_STADION_ZUSCHAUER_LEVEL,        // 0..1000
    REGEL_STADION_NORMPREIS_LEVEL,        // 1..40
    REGEL_WERBUNG_GRUNDPREIS,             // 0..100
    REGEL_WERBUNG_TV_AUFPREIS,            // 0..500 each
    REGEL_WERBUNG_HAUPTSPONSOR_AUFPREIS,
    REGEL_WERBUNG_BANDE_AUFPREIS,
    REGEL_WERBUNG_ERSATZPARTNER_AUFPREIS,
    REGEL_WERBUNG_RANGLISTEN_PROGRESSION,         // 0..999
    REGEL_WERBUNG_RANGLISTEN_PROGRESSION_GRENZE,  // 0..500
    REGEL_WERBUNG_SUCHPREIS,              // default 25,000
    REGEL_WERBUNG_SUCHPREIS_ADD,          // default 10,000
    REGEL_WERBUNG_VERTRAGSDAUER,          // 5..50 matches
    REGEL_ANZAHL
};

constexpr int32_t STADION_MODELLE = 6;
constexpr int32_t STADION_MODELL_WERTE = 8;   // MIN_KAPAZITAET .. NORMKOMFORT

// Every value back to its default (0; the agency prices 25,000 and 10,000;
// the stadium models of the built-in table).
void Regeln_Standard();
// The keyword reader: a rules keyword reads its value from the configuration
// reader, clamps it and returns true. "STADION_MODELL_1" .. "STADION_MODELL_6"
// choose the model that the following MIN_KAPAZITAET, MAX_KAPAZITAET,
// BAUPREIS, PLATZ_BAUPREIS, PLATZKOSTEN, GRUNDPREIS_PRO_SPIEL,
// KOMFORT_BAUPREIS and NORMKOMFORT keywords change. False for any other keyword.
bool Regeln_Config_Lesen(const char* befehl);
// Ends a file: the next model keyword needs its STADION_MODELL_n again.
void Regeln_Datei_Ende();

int32_t Regel_Wert(int32_t regel);                       // 0 for an unknown number
const char* Regel_Name(int32_t regel);                   // its keyword, "" for an unknown number
int32_t Stadion_Modell_Wert(int32_t modell, int32_t spalte);   // 0 outside the table
// Appends every rules value to a configuration text in the grammar the reader takes.
void Regeln_Schreiben(std::string& out);
// The rules as 32-bit values for the binary cache; Laden takes them from the
// reader and leaves everything unchanged when they do not fit.
void Regeln_Speichern(ClubPacker& pk);
bool Regeln_Laden(ClubLeser& l);

}  // namespace velmora
