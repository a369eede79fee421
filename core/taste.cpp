// core/taste.cpp - key polling.
#include "core/taste.h"

#include "core/debug.h"

namespace velmora {
namespace {

struct TastenModul {
    int32_t zeichen = -1;   // -1: nothing since the last reset
    int32_t code = -1;
    int32_t shift = -1;
    int32_t ctrl = -1;
    int32_t wiederholt = 0;
    int32_t maus_alt = 0;
    bool maus_neu = false;
};
TastenModul g;

}  // namespace

int32_t Taste_Gedrueckt(int32_t maus) {
    if (g.zeichen > 0 || g.code > 0) return 1;
    return (maus && g.maus_neu) ? 1 : 0;
}

int32_t Taste_Get_Zeichen() {
    if (g.zeichen <= 0) return 0;
    int32_t z = g.zeichen;
    if (z >= 'A' && z <= 'Z' && g.shift <= 0) z += 'a' - 'A';
    return z;
}

int32_t Taste_Get_Code() { return g.code > 0 ? g.code : 0; }
int32_t Taste_Shift() { return g.shift > 0 ? 1 : 0; }
int32_t Taste_Ctrl() { return g.ctrl > 0 ? 1 : 0; }
int32_t Taste_Wiederholt() { return g.wiederholt; }

void Taste_Reset() {
    g.zeichen = g.code = g.shift = g.ctrl = -1;
    g.wiederholt = 0;
    g.maus_neu = false;
}

void Taste_Verbrauchen() {
    g.zeichen = g.code = -1;
    g.wiederholt = 0;
}

void Taste_Warten() { Debug_Printf("Taste_Warten: nicht blockierend, kehrt sofort zurueck\n"); }

void Taste_Eingabe_Zeichen(int32_t zeichen) { g.zeichen = zeichen; }
void Taste_Eingabe_Code(int32_t code) { g.code = code; }
void Taste_Eingabe_Shift(int32_t gedrueckt) { g.shift = gedrueckt ? 1 : 0; }
void Taste_Eingabe_Ctrl(int32_t gedrueckt) { g.ctrl = gedrueckt ? 1 : 0; }
void Taste_Eingabe_Wiederholt(int32_t wiederholt) { g.wiederholt = wiederholt ? 1 : 0; }

void Taste_Eingabe_Maus(int32_t knopf_zustand) {
    if ((knopf_zustand == 1 || knopf_zustand == 2) && knopf_zustand != g.maus_alt) g.maus_neu = true;
    g.maus_alt = knopf_zustand;
}

}  // namespace velmora
