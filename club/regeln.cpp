// club/regeln.cpp - the rules values of "global.cfg".
#include "club/regeln.h"

#include <cstdio>
#include <cstring>

#include "club/club_netz.h"
#include "core/config.h"
#include "core/debug.h"
#include "core/zahlen.h"

namespace velmora {
namespace {

struct RegelDef {
    const char* name;
    int32_t unten, oben, standard;
};

constexpr int32_t GROSS = 999999999;
constexpr RegelDef REGELN[REGEL_ANZAHL] = {
    {"FAKTOR_0_100_ATTRIBUT_TRAINING_KOSTEN", 0, GROSS, 0},
    {"FAKTOR_0_100_TRAININGSLAGER_KOSTEN", 0, GROSS, 0},
    {"STADION_ZUSCHAUER_LEVEL", 0, 1000, 0},
    {"STADION_NORMPREIS_LEVEL", 1, 40, 0},
    {"WERBUNG_GRUNDPREIS", 0, 100, 0},
    {"WERBUNG_TV_AUFPREIS", 0, 500, 0},
    {"WERBUNG_HAUPTSPONSOR_AUFPREIS", 0, 500, 0},
    {"WERBUNG_BANDE_AUFPREIS", 0, 500, 0},
    {"WERBUNG_ERSATZPARTNER_AUFPREIS", 0, 500, 0},
    {"WERBUNG_RANGLISTEN_PROGRESSION", 0, 999, 0},
    {"WERBUNG_RANGLISTEN_PROGRESSION_GRENZE", 0, 500, 0},
    {"WERBUNG_SUCHPREIS", 0, GROSS, 25000},
    {"WERBUNG_SUCHPREIS_ADD", 0, GROSS, 10000},
    {"WERBUNG_VERTRAGSDAUER", 5, 50, 0},
};

constexpr const char* MODELL_SPALTEN[STADION_MODELL_WERTE] = {
    "MIN_KAPAZITAET", "MAX_KAPAZITAET", "BAUPREIS", "PLATZ_BAUPREIS",
    "PLATZKOSTEN", "GRUNDPREIS_PRO_SPIEL", "KOMFORT_BAUPREIS", "NORMKOMFORT"};

// The built-in stadium models: capacities, prices and norm comfort.
constexpr int32_t MODELL_STANDARD[STADION_MODELLE][STADION_MODELL_WERTE] = {
    {1000, 9000, 0, 10000, 100, 0, 10000, 30},
    {5000, 16000, 1200000, 10000, 150, 0, 30000, 40},
    {12000, 32000, 3500000, 20000, 300, 0, 50000, 50},
    {25000, 45000, 12000000, 50000, 600, 0, 70000, 60},
    {35000, 70000, 35000000, 80000, 800, 0, 90000, 80},
    {60000, 120000, 90000000, 120000, 1200, 0, 120000, 90},
};

struct RegelnModul {
    int32_t wert[REGEL_ANZAHL] = {};
    int32_t modell[STADION_MODELLE][STADION_MODELL_WERTE] = {};
    int32_t aktuelles_modell = -1;   // the model the column keywords change, -1 none
    bool standard_gesetzt = false;
};
RegelnModul g;

void Standard_Falls_Noetig() {
    if (!g.standard_gesetzt) Regeln_Standard();
}

}  // namespace

void Regeln_Standard() {
    for (int32_t i = 0; i < REGEL_ANZAHL; ++i) g.wert[i] = REGELN[i].standard;
    std::memcpy(g.modell, MODELL_STANDARD, sizeof g.modell);
    g.aktuelles_modell = -1;
    g.standard_gesetzt = true;
}

bool Regeln_Config_Lesen(const char* befehl) {
    if (!befehl) return false;
    Standard_Falls_Noetig();
    for (int32_t i = 0; i < REGEL_ANZAHL; ++i) {
        if (std::strcmp(befehl, REGELN[i].name)) continue;
        g.wert[i] = Clamp(Read_Config_Get_Wert(), REGELN[i].unten, REGELN[i].oben, -1);
        return true;
    }
    if (!std::strncmp(befehl, "STADION_MODELL_", 15)) {
        const char* n = befehl + 15;
        if (n[0] >= '1' && n[0] <= '0' + STADION_MODELLE && n[1] == 0) {
            g.aktuelles_modell = n[0] - '1';
            return true;
        }
        return false;
    }
    for (int32_t s = 0; s < STADION_MODELL_WERTE; ++s) {
        if (std::strcmp(befehl, MODELL_SPALTEN[s])) continue;
        if (g.aktuelles_modell < 0) {
            Read_Config_Fehler(102, "%s ohne STADION_MODELL_n davor", befehl);
            return true;
        }
        g.modell[g.aktuelles_modell][s] = Clamp(Read_Config_Get_Wert(), 0, GROSS, -1);
        return true;
    }
    return false;
}

void Regeln_Datei_Ende() { g.aktuelles_modell = -1; }

int32_t Regel_Wert(int32_t regel) {
    Standard_Falls_Noetig();
    if (regel < 0 || regel >= REGEL_ANZAHL) {
        Debug_Printf("Regel_Wert: Regel %d ungueltig\n", regel);
        return 0;
    }
    return g.wert[regel];
}

const char* Regel_Name(int32_t regel) { return regel >= 0 && regel < REGEL_ANZAHL ? REGELN[regel].name : ""; }

int32_t Stadion_Modell_Wert(int32_t modell, int32_t spalte) {
    Standard_Falls_Noetig();
    if (modell < 0 || modell >= STADION_MODELLE || spalte < 0 || spalte >= STADION_MODELL_WERTE) {
        Debug_Printf("Stadion_Modell_Wert: Modell %d / Spalte %d ungueltig\n", modell, spalte);
        return 0;
    }
    return g.modell[modell][spalte];
}

void Regeln_Schreiben(std::string& out) {
    Standard_Falls_Noetig();
    for (int32_t i = 0; i < REGEL_ANZAHL; ++i) Config_Schreibe_Wert(out, REGELN[i].name, g.wert[i]);
    for (int32_t m = 0; m < STADION_MODELLE; ++m) {
        char name[24];
        std::snprintf(name, sizeof name, "STADION_MODELL_%d", m + 1);
        Config_Schreibe_Befehl(out, name);
        for (int32_t s = 0; s < STADION_MODELL_WERTE; ++s) Config_Schreibe_Wert(out, MODELL_SPALTEN[s], g.modell[m][s]);
    }
}

void Regeln_Speichern(ClubPacker& pk) {
    Standard_Falls_Noetig();
    for (int32_t v : g.wert) pk.i32(v);
    for (auto& zeile : g.modell)
        for (int32_t v : zeile) pk.i32(v);
}

bool Regeln_Laden(ClubLeser& l) {
    RegelnModul neu;
    for (int32_t& v : neu.wert) v = l.i32();
    for (auto& zeile : neu.modell)
        for (int32_t& v : zeile) v = l.i32();
    if (l.fehler) return false;
    neu.standard_gesetzt = true;
    g = neu;
    return true;
}

}  // namespace velmora
