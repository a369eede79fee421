// match/live/ki_ballfuehrer_lage.h - what the ball holder's decision and its pass
// choice share: the decision's context, the rows and player values they
// read, and the steps each of the two files plays for the other. Only
// match/live/ki_ballfuehrer.cpp and match/live/ki_ballfuehrer_pass.cpp include it.
#pragma once
#include <cstdint>

#include "match/record/spielfeld_satz.h"

namespace velmora::ballfuehrer {

// The rows whose ball contact the holder plays straight on.
enum : int32_t {
    ANIM_SCHUSS_PLAZIERT = 34,
    ANIM_SCHUSS_FEST = 35,
    ANIM_TW_FAUST_OBEN = 36,
    ANIM_TW_FUSS = 51,
    ANIM_TW_FAUST_VORNE = 52,
    ANIM_TW_SCHUSS_PLAZIERT = 54,
    ANIM_TW_ABSCHLAG = 55,
    ANIM_TW_SCHUSS_FEST = 56,
    ANIM_TW_ABWURF = 58,
    ANIM_TW_PASSEN = 60,
    ANIM_KOPFBALL = 64,
    ANIM_PASSEN_LEICHT = 80,
    ANIM_EINWURF = 74,
    ANIM_VOLLEY = 131,
    ANIM_FALLRUECKZIEHER = 134,
};
constexpr float PASS_MAX = 2800.0f;
constexpr float SCHUSS_FEST_AB = 3055.5556f;   // 110 km/h: from here a hard shot
constexpr float ABWURF_VZ = 450.0f;            // a keeper's throw: up to about 1.3 m
constexpr int32_t W_TECHNIK = 18, W_PASSEN = 1, W_HALTEN = 2, W_ABSCHLUSS = 4, W_SCHUSS = 5, W_RUHE = 6, W_TEMPO = 7,
                  W_KRAFT = 9, W_NERVEN = 10, W_FLANKE = 11, W_ANNAHME = 12, W_VERTEILUNG = 13, W_BREITE = 14,
                  W_ZWEITE = 15, W_TW_VERTEILUNG = 24;

inline bool Spieler_Ok(int32_t s) { return s >= 0 && s < SF_SPIELER; }
inline int32_t Wert(const Spielfeld_Satz* satz, int32_t s, int32_t k) { return satz->spieler[s].werte[k]; }
inline float Zeitfaktor(const Spielfeld_Satz* s) {
    return s->zeit_faktor >= 1.0f && s->zeit_faktor < 100.0f ? s->zeit_faktor : 1.0f;
}

struct Lage {
    Spielfeld_Satz* satz;
    int32_t slot, seite;
    Figur* f;
    Figur* b;
    float gx, gy;          // attacked goal line x and goal centre y
    float g;               // distance to the attacked goal
    float m;               // condition
    int32_t anweisung;     // live instruction (0 none)
    int32_t situation;
    bool erstmals = false;
    bool kein_schuss = false, lob = false, flanke = false, fluegel = false;
    int32_t druck = 0;
    bool druck_nah = false;   // an opponent within 300 cm
    bool druck_dicht = false; // an opponent within 150 cm
    bool seitfuss = false;    // the side-foot finish close in
    bool weit = false;        // the far mark: pressed deep in his own quarter
    bool konter = false;      // the match's counter flag, taken by this decision
    int32_t roh_situation = 0;   // the situation code before 40-42 count as 3
    // The rehearsed move taken for this decision.
    bool zug_aktiv = false, zug_ziel = false;
    int32_t zug_empfaenger = -1;
    float zug_x = 0, zug_y = 0;
};

inline int32_t Taktik(const Lage& l, int32_t i) { return l.satz->taktik[l.seite][i]; }
inline int32_t Linie(const Lage& l, int32_t i) { return l.satz->linienwerte[l.seite][i]; }

// A pass choice: the receiver, or a ball into space towards (x, y), and its score.
struct Wahl {
    int32_t empfaenger = -1;
    float wert = -10000;
    bool raum = false;   // a ball into space towards (x, y)
    float x = 0, y = 0;
};

// ki_ballfuehrer.cpp: the kicker's row, a consumed live instruction, the
// loft for a ball to come down at h_ziel over e cm, the ball's launch.
void Kick_Zeigen(Spielfeld_Satz* satz, int32_t slot, float x, float y, float tempo, int32_t anim);
void Anweisung_Verbrauchen(Spielfeld_Satz* satz);
float Loft(float z0, float v, float e, float h_ziel);
void Ball_Abspielen(Lage& l, float x, float y, float v, float vz);

// ki_ballfuehrer_pass.cpp: the pass choice, the pass to receiver r, the ball
// into space.
Wahl Pass_Waehlen(Lage& l);
void Passen(Lage& l, int32_t r);
void Pass_In_Den_Raum(Lage& l, float x, float y);

}  // namespace velmora::ballfuehrer
