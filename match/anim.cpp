// match/anim.cpp
#include "match/anim.h"

#include <cstring>
#include <initializer_list>

namespace velmora {
namespace {

struct AnimModul {
    bool aufgebaut = false;
    alignas(8) Anim_Satz zeilen[ANIM_ZEILEN] = {};
};
AnimModul g;

constexpr int32_t GRUPPEN = 6;
constexpr int32_t GRUPPEN_START[GRUPPEN] = {0, 7, 7, 2, 5, 4};
// The stride continuation from the walk to the sprint: frames 0-9 of the walk.
constexpr int8_t GEHEN_ZU_SPRINT[10] = {4, 7, 11, 13, 14, 15, 18, 19, 1, 3};

struct Benannt {
    int32_t zeile;
    const char* name;
    int8_t gruppe;
    uint8_t flags;
};

constexpr Benannt BENANNT[] = {
    {0, "STEHEN 1", 0, 0},
    {7, "GEHEN KOPF VORNE", 1, 0},
    {8, "LAUFEN 1", 2, 0},
    {9, "SPRINT", 3, 0},
    {37, "TORW STEHEN O BALL", -1, 0},
    {39, "TORW GEHEN O BALL", -1, 0},
    {43, "!! TORW STEHEN O BALL GSPNT", -1, 0},
    {44, "TORW SPRINT O BALL", -1, 0},
    {63, "GRAETSCHEN", -1, 1},
    {72, "BRUSTANNAHME", -1, 1},
    {75, "FLUGKOPFBALL", -1, 1},
    {76, "DRIBBLING 1", -1, 0},
    {98, "ERSATZSPIELER SITZT", -1, 0},
    {100, "TRAINER SITZT", -1, 0},
    {114, "TORWART SITZT", -1, 0},
    {115, "! AUFWAERMEN 1", -1, 0},
    {116, "! AUFWAERMEN 2", -1, 0},
    {117, "! AUFWAERMEN 3", -1, 0},
    {126, "LAUFEN 2", 4, 0},
    {127, "LAUFEN 3", 5, 0},
    {140, "Dribbling", -1, 0},
    {141, "Dribbling Link Ball Anim", -1, 0},
    {153, "TORW LAUFEN 1", 3, 0},
};

// Corner flags at the four corners; the goal-frame parts at the two goals.
constexpr const char* ECKFAHNEN[4] = {"ECK FAHNE 0/0", "ECK FAHNE 0/108", "ECK FAHNE 68/0", "ECK FAHNE 68/108"};
constexpr float ECK_X[4] = {0, 10800, 0, 10800};
constexpr float ECK_Y[4] = {0, 0, 6806, 6806};
constexpr const char* TORTEILE[8] = {"V-TOR OBEN", "V-TOR HINTEN", "V-TOR LINKS", "V-TOR RECHTS",
                                     "H-TOR OBEN", "H-TOR HINTEN", "H-TOR LINKS", "H-TOR RECHTS"};

void Name(Anim_Satz& z, const char* name) {
    std::memset(z.name, 0, sizeof z.name);
    std::strncpy(z.name, name, sizeof z.name - 1);
}

}  // namespace

void Anim_Tabelle_Aufbauen() {
    if (g.aufgebaut) return;
    for (Anim_Satz& z : g.zeilen) {
        z = Anim_Satz{};
        z.lauf_gruppe = -1;
        z.link = -1;
        z.kontakt_frame = -9;
    }
    for (const Benannt& b : BENANNT) {
        Anim_Satz& z = g.zeilen[b.zeile];
        z.benutzt = 1;
        z.lauf_gruppe = b.gruppe;
        z.flags = b.flags;
        Name(z, b.name);
    }
    g.zeilen[ANIM_DRIBBLING].link = ANIM_DRIBBLING_LINK_BALL;
    g.zeilen[ANIM_GRAETSCHEN].brems_frame = 10;
    g.zeilen[ANIM_GRAETSCHEN].brems_divisor = 2.5f;
    g.zeilen[ANIM_FLUGKOPFBALL].reichweite_hoehe = 150;
    g.zeilen[ANIM_FLUGKOPFBALL].reichweite_seite = 190;
    for (int32_t i = 0; i < 4; ++i) {
        Anim_Satz& z = g.zeilen[ANIM_ECKFAHNE + i];
        z.benutzt = 1;
        Name(z, ECKFAHNEN[i]);
        z.pos[0] = ECK_X[i];
        z.pos[1] = ECK_Y[i];
    }
    for (int32_t i = 0; i < 8; ++i) {
        // Rows 17-24 shake the net after a goal, rows 25-32 show the same parts at rest.
        for (int32_t basis : {int32_t(ANIM_TOR_BEWEGT), int32_t(ANIM_TOR_RUHE)}) {
            Anim_Satz& z = g.zeilen[basis + i];
            z.benutzt = 1;
            Name(z, TORTEILE[i]);
            z.pos[0] = i < 4 ? 0.0f : 10800.0f;
            z.pos[1] = 3403.0f;
        }
    }
    g.aufgebaut = true;
}

const Anim_Satz* Anim_Zeile(int32_t anim) {
    if (anim < 0 || anim >= ANIM_ZEILEN) return nullptr;
    Anim_Tabelle_Aufbauen();
    return &g.zeilen[anim];
}

Anim_Satz* Anim_Zeile_Schreiben(int32_t anim) {
    if (anim < 0 || anim >= ANIM_ZEILEN) return nullptr;
    Anim_Tabelle_Aufbauen();
    return &g.zeilen[anim];
}

int32_t Anim_Suchen(const char* name) {
    if (!name) return -1;
    Anim_Tabelle_Aufbauen();
    for (int32_t i = 0; i < ANIM_ZEILEN; ++i)
        if (g.zeilen[i].benutzt && std::strcmp(g.zeilen[i].name, name) == 0) return i;
    return -1;
}

int32_t Anim_Gruppen_Start(int32_t gruppe) {
    return gruppe >= 0 && gruppe < GRUPPEN ? GRUPPEN_START[gruppe] : 0;
}

int32_t Anim_Schritt_Uebergang(int32_t von, int32_t nach, int32_t frame) {
    if (nach < 0 || nach >= GRUPPEN) return 0;
    if (von == 1 && nach == 3 && frame >= 0 && frame < 10) return GEHEN_ZU_SPRINT[frame];
    return GRUPPEN_START[nach];
}

}  // namespace velmora
