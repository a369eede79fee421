// match/live/anim.h - the fixed table of the 236 figure animations.
//
// The table is code and read-only: server, client, the tools and the tests
// read the same motion constants, so two machines of a networked match never
// disagree about a row. The simulation names animations by their rows
// ("STEHEN 1", "SPRINT", ...); the figure frames in the installation are made
// from this same table, so a row's frame count is fixed here as well.
#pragma once
#include <cstddef>
#include <cstdint>

namespace velmora {

constexpr int32_t ANIM_ZEILEN = 236;
constexpr int32_t ANIM_GRUPPEN = 6;           // run groups: stand, walk, run 1, sprint, run 2, run 3
constexpr int32_t ANIM_SCHRITT_FRAMES = 20;   // the longest running cycle

#pragma pack(push, 1)
struct Anim_Satz {               // 244 bytes
    uint8_t benutzt;             // 0: 1 for a row in use (it has frames)
    int8_t lauf_gruppe;          // 1: run group 0-5 for a running row, -1 none
    uint8_t r2[2];
    int32_t link;                // 4: row drawn alongside (the ball in a keeper's hands, a card), -1 none
    int32_t link_farbe;          // 8: colour-table slot of the linked row (or of this row's own overlay), -1
    uint8_t r12[76];
    int32_t letzter_frame;       // 88: frames minus 1
    uint8_t r92[4];
    int32_t richtungen;          // 96: 16, or 1 for a figure drawn in one direction only
    char name[84];               // 100
    uint8_t flags;               // 184: default order flags (1: an action that must not be cut off)
    uint8_t r185[7];
    float pos[3];                // 192: fixed position of figures that never move
    float reichweite_hoehe;      // 204: reach height of an action (cm)
    float reichweite_seite;      // 208: side reach (cm, negative for the left-hand mirror of a dive)
    int16_t kontakt_frame;       // 212: frame at which the ball is touched, -9 none
    int16_t brems_frame;         // 214: from this frame on the velocity is divided, 0 none
    float brems_divisor;         // 216
    float ref_frame_zeit;        // 220: ms per frame
    float ref_tempo;             // 224: cm/s at which a frame lasts ref_frame_zeit
    uint8_t r228[16];
};
#pragma pack(pop)
static_assert(sizeof(Anim_Satz) == 244);
static_assert(offsetof(Anim_Satz, link) == 4);
static_assert(offsetof(Anim_Satz, link_farbe) == 8);
static_assert(offsetof(Anim_Satz, letzter_frame) == 88);
static_assert(offsetof(Anim_Satz, richtungen) == 96);
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
    ANIM_BALL_BODEN = 11,
    ANIM_ECKFAHNE = 13,                // 13-16
    ANIM_TOR_BEWEGT = 17,              // 17-24, goal-frame parts while the net shakes: 17-20 at x = 0
    ANIM_TOR_RUHE = 25,                // 25-32, goal-frame parts at rest
    ANIM_TORW_STEHEN = 37,
    ANIM_TORW_GEHEN = 39,
    ANIM_TORW_BEREIT = 43,
    ANIM_TORW_SPRINT = 44,
    ANIM_GRAETSCHEN = 63,
    ANIM_JUBEL = 65,
    ANIM_HINFALLEN = 69,
    ANIM_BRUSTANNAHME = 72,
    ANIM_FLUGKOPFBALL = 75,
    ANIM_DRIBBLING_1 = 76,
    ANIM_SCHIRI_PFEIFT = 88,
    ANIM_SCHIRI_GELB = 90,
    ANIM_SCHIRI_ROT = 91,
    ANIM_ERSATZ_SITZT = 98,
    ANIM_TRAINER_SITZT = 100,
    ANIM_TORWART_JUBEL = 103,
    ANIM_TORWART_ENTTAEUSCHT = 104,
    ANIM_TORWART_SITZT = 114,
    ANIM_AUFWAERMEN = 115,             // 115-117
    ANIM_BANK_TORWART_JUBEL = 118,
    ANIM_BANK_TRAINER_JUBEL = 119,
    ANIM_BANK_SPIELER_JUBEL = 121,
    ANIM_ENTTAEUSCHT = 66,             // with 122 and 123
    ANIM_LAUFEN_2 = 126,
    ANIM_LAUFEN_3 = 127,
    ANIM_DRIBBLING = 140,
    ANIM_DRIBBLING_LINK_BALL = 141,
    ANIM_TORW_LAUFEN_1 = 153,
};

// The table's rows (the figure loop asks for rows thousands of times a
// frame: the look-ups below are inline).
extern const Anim_Satz* const ANIM_TABELLE;
// The stand row with a debug line naming `wer` and the bad number.
const Anim_Satz& Anim_Zeile_Ungueltig(int32_t anim, const char* wer);

// A row, or null for a number outside 0..235.
inline const Anim_Satz* Anim_Zeile(int32_t anim) {
    return uint32_t(anim) < uint32_t(ANIM_ZEILEN) ? &ANIM_TABELLE[anim] : nullptr;
}
// The row to work with: a number outside the table or a row not in use counts
// as the stand row ("STEHEN 1"), with a debug line naming `wer`.
inline const Anim_Satz& Anim_Zeile_Oder_Stand(int32_t anim, const char* wer) {
    const Anim_Satz* z = Anim_Zeile(anim);
    return z && z->benutzt ? *z : Anim_Zeile_Ungueltig(anim, wer);
}
// The first row in use with a name, -1 when none has it.
int32_t Anim_Suchen(const char* name);

// The first frame of a run group 0-5 (0, 7, 7, 2, 5, 4); 0 outside.
int32_t Anim_Gruppen_Start(int32_t gruppe);
// The frame at which group `nach` continues the stride of group `von` shown at
// `frame`; the start frame of `nach` for a frame outside the cycle.
int32_t Anim_Schritt_Uebergang(int32_t von, int32_t nach, int32_t frame);

}  // namespace velmora
