// match/anim.h - the fixed table of the 236 figure animations.
//
// The simulation names animations by their rows ("STEHEN 1", "SPRINT", ...).
// Three columns (last frame index, reference frame time, reference speed) are
// filled when the presentation loads the frames; until then they are 0.
#pragma once
#include <cstddef>
#include <cstdint>

namespace velmora {

constexpr int32_t ANIM_ZEILEN = 236;

#pragma pack(push, 1)
struct Anim_Satz {               // 244 bytes
    uint8_t benutzt;             // 0: 1 for a row in use
    int8_t lauf_gruppe;          // 1: run group 0-5, -1 none
    uint8_t r2[2];
    int32_t link;                // 4: animation played alongside, -1 none
    uint8_t r8[80];
    int32_t letzter_frame;       // 88: frames minus 1 (loaded)
    uint8_t r92[8];
    char name[84];               // 100
    uint8_t flags;               // 184: default order flags (1: must not be cut off)
    uint8_t r185[7];
    float pos[3];                // 192: fixed position of figures that never move
    float reichweite_hoehe;      // 204
    float reichweite_seite;      // 208
    int16_t kontakt_frame;       // 212: -9 none
    int16_t brems_frame;         // 214: 0 none
    float brems_divisor;         // 216
    float ref_frame_zeit;        // 220 (loaded)
    float ref_tempo;             // 224 (loaded)
    uint8_t r228[16];
};
#pragma pack(pop)
static_assert(sizeof(Anim_Satz) == 244);
static_assert(offsetof(Anim_Satz, link) == 4);
static_assert(offsetof(Anim_Satz, letzter_frame) == 88);
static_assert(offsetof(Anim_Satz, name) == 100);
static_assert(offsetof(Anim_Satz, flags) == 184);
static_assert(offsetof(Anim_Satz, pos) == 192);
static_assert(offsetof(Anim_Satz, reichweite_hoehe) == 204);
static_assert(offsetof(Anim_Satz, reichweite_seite) == 208);
static_assert(offsetof(Anim_Satz, kontakt_frame) == 212);
static_assert(offsetof(Anim_Satz, brems_frame) == 214);
static_assert(offsetof(Anim_Satz, brems_divisor) == 216);
static_assert(offsetof(Anim_Satz, ref_frame_zeit) == 220);
static_assert(offsetof(Anim_Satz, ref_tempo) == 224);

// Rows the simulation names.
enum : int32_t {
    ANIM_STEHEN = 0,
    ANIM_LAUF_NACH_TEMPO = 9,          // as an argument of SetNum: the run for the speed
    ANIM_GEHEN = 7,
    ANIM_LAUFEN_1 = 8,
    ANIM_SPRINT = 9,
    ANIM_ECKFAHNE = 13,                // 13-16
    ANIM_TOR_BEWEGT = 17,              // 17-24, goal-frame parts while the net shakes
    ANIM_TOR_RUHE = 25,                // 25-32, goal-frame parts at rest
    ANIM_TORW_STEHEN = 37,
    ANIM_TORW_GEHEN = 39,
    ANIM_TORW_BEREIT = 43,
    ANIM_TORW_SPRINT = 44,
    ANIM_GRAETSCHEN = 63,
    ANIM_BRUSTANNAHME = 72,
    ANIM_FLUGKOPFBALL = 75,
    ANIM_DRIBBLING_1 = 76,
    ANIM_ERSATZ_SITZT = 98,
    ANIM_TRAINER_SITZT = 100,
    ANIM_TORWART_SITZT = 114,
    ANIM_AUFWAERMEN = 115,             // 115-117
    ANIM_LAUFEN_2 = 126,
    ANIM_LAUFEN_3 = 127,
    ANIM_DRIBBLING = 140,
    ANIM_DRIBBLING_LINK_BALL = 141,
    ANIM_TORW_LAUFEN_1 = 153,
};

// Builds the table's rows (called when the match module starts). Idempotent.
void Anim_Tabelle_Aufbauen();
// A row, or null for a number outside 0..235.
const Anim_Satz* Anim_Zeile(int32_t anim);
// A row to fill the loaded columns into; null outside 0..235.
Anim_Satz* Anim_Zeile_Schreiben(int32_t anim);
// The row of a name, -1 when no row in use has it.
int32_t Anim_Suchen(const char* name);

// The first frame of a run group 0-5 (0, 7, 7, 2, 5, 4); 0 outside.
int32_t Anim_Gruppen_Start(int32_t gruppe);
// The frame at which group `nach` continues the stride of group `von` at frame
// `frame`; the start frame of `nach` where the stride table has no entry.
int32_t Anim_Schritt_Uebergang(int32_t von, int32_t nach, int32_t frame);

}  // namespace velmora
