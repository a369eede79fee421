// matchview/vorspiel.h - the pre-match picture of a human club's match
// (announcement kind 1): both kits, crests, names and formations, both
// line-ups as small kit figures on a pitch in perspective, and the two squads
// as name plates that slide in from the screen's edges and stop beside the kits.
#pragma once
#include <cstdint>

#include "gfx/rastport.h"

namespace velmora {

constexpr int32_t SCHILDER_MAX = 20;
// A plate reaches to 8 pixels before its panel's right edge (both panels 224
// wide, the away one mirrors the home one). Its columns: the position's name
// from x 30, the player's name after the widest position name.
constexpr int32_t SCHILD_B = 205, SCHILD_H = 16;
constexpr int32_t SCHILD_POSITION_X = 30;
constexpr int32_t SCHILD_ZIEL_HEIM = 23, SCHILD_ZIEL_GAST = 575;
constexpr uint32_t SCHILD_SCHRITT_MS = 20;   // the plates step at most this often

// One name plate.
struct Ankuendigung_Spielerschild {
    int32_t x = 0, y = 0;                // current position
    int32_t ziel_x = 0, ziel_y = 0;
    int32_t start_x = 0, start_y = 0;
    int32_t rueckennummer = 0;
    char name[48] = {};
    int32_t spieler = -1;
    int32_t positionsbild = 0;
    int32_t trikot = 0;                  // the kit table's row
    uint16_t farbe = 0;
    bool gast = false;
    int32_t reihe = 0;                   // depth row 0 (near) - 11 (far)
    int32_t spalte = 0;                  // formation column 0-6
    float tempo = 0;                     // pixels per step, growing by 1.5
    int32_t warten = 0;                  // steps before the plate moves
    Rastport* bild = nullptr;            // 200 x 16, owned by the plate
};

// Fills up to 20 plates of a team's starting eleven (goalkeeper first, then
// by player type); the number filled. Arrival mode 1: from the screen's side
// edge at the target row.
int32_t Ankuendigung_Spielerschilder(int32_t team, int32_t feld_trikot, int32_t torwart_trikot, bool heim,
                                     Ankuendigung_Spielerschild* schilder, int32_t ziel_x, int32_t erstes_y,
                                     int32_t schritt, int32_t ankunft);
// Draws the figures of the plates (sorted far row first) onto the picture.
void Ankuendigung_Aufstellung_Zeichnen(Rastport* bild, Ankuendigung_Spielerschild* schilder, int32_t anzahl);
// One animation step of a plate: it accelerates towards its target, never
// passes it and stops on it.
void Ankuendigung_Schild_Bewegen(Ankuendigung_Spielerschild* schild);
// The plates of the picture shown (0 home, 1 away) and their number.
const Ankuendigung_Spielerschild* Ankuendigung_Schilder(int32_t seite, int32_t* anzahl);
// The back-number cell a shirt number takes: 1-50 as given, any other number mod 50.
int32_t Ankuendigung_Rueckennummer(int32_t nummer);

}  // namespace velmora
