// match/live/spielfeld_offizielle.cpp - the referee and the linesmen.
#include "match/live/spielfeld_offizielle.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "core/zahlen.h"
#include "match/live/anim.h"
#include "match/live/anweisung.h"

namespace velmora {

namespace {

constexpr float LANGSAM = 111.111115f;   // the last steps to a target

// The offside line (-1 none), kept by the offside logic.
float Abseitslinie(const Spielfeld_Satz* satz) { return Satz_Feld<float>(satz, SF_ABSEITSLINIE); }

void Laufen(Spielfeld_Satz* satz, int32_t figur, float x, float y, float tempo) {
    SetZSA(satz, figur, int32_t(x), int32_t(y), 0, int32_t(tempo), ANIM_LAUF_NACH_TEMPO, 0, -1, 0, -1, 1, -1,
           RING_OHNE_PRUEFUNG, 0, 0);
}

}  // namespace

void KI_Schiedsrichter(Spielfeld_Satz* satz) {
    if (!satz) return;
    Figur& f = satz->figur[FIGUR_SCHIRI];
    const Figur& b = satz->figur[FIGUR_BALL];
    f.entscheiden = 0;
    f.entscheid_timer = 500;
    const float px = b.pos[0] + b.v[0], py = b.pos[1] + b.v[1];
    for (int32_t i = 0; i < 2; ++i)
        if (f.v[i] < 10) f.v[i] = 0;
    const float d = Hypot_F(px - f.pos[0], py - f.pos[1]);
    Anweisung& a = *Figur_Aktuelle_Anweisung(&f);
    if (d <= 700) {
        const Anim_Satz* z = Anim_Zeile(a.anim);
        if (z && (z->flags & 1)) {
            a.flags = 0;
            Laufen(satz, FIGUR_SCHIRI, f.pos[0] + 10, f.pos[1] + 10, 5);
        }
        Figur_Aktuelle_Anweisung(&f)->flags = 0;
        return;
    }
    const float tx = std::clamp(px > SPIELFELD_MITTE_X ? px - 400 : px + 400, 1632.0f, float(SPIELFELD_LAENGE - 1632));
    const float ty = py > SPIELFELD_MITTE_Y ? py - 1000 : py + 1000;
    float tempo = d >= 2000 ? 830.0f : 415.0f;
    const float rest = std::fabs(tx - f.pos[0]) + std::fabs(ty - f.pos[1]);
    if (rest < 150) tempo = rest >= 65 ? LANGSAM : 0.0f;
    Laufen(satz, FIGUR_SCHIRI, tx, ty, tempo);
}

void KI_Linienrichter(Spielfeld_Satz* satz, int32_t figur) {
    if (!satz || (figur != FIGUR_LINIENRICHTER_1 && figur != FIGUR_LINIENRICHTER_2 && figur != FIGUR_OFFIZIELLER))
        return;
    Figur& f = satz->figur[figur];
    f.entscheiden = 0;
    f.entscheid_timer = 100;
    const bool links = figur == FIGUR_LINIENRICHTER_1;
    const float linie_y = links ? -20.0f : float(SPIELFELD_BREITE + 20);
    float l = Abseitslinie(satz);
    if (l == -1) l = links ? -4400.0f : 6400.0f;
    float sperre = 0;   // the ball lock-out value (offset 44) holds him while his flag is up
    std::memcpy(&sperre, reinterpret_cast<const uint8_t*>(&f) + 44, sizeof sperre);
    if (sperre != 0) return;
    const float ziel = links ? l : float(SPIELFELD_LAENGE) - l;
    if (std::fabs(f.pos[0] - ziel) <= 200) return;
    float tempo = std::fabs(f.pos[0] - ziel) >= 800 ? 830.0f : 415.0f;
    const float tx = links ? std::clamp(ziel, 0.0f, float(SPIELFELD_MITTE_X))
                           : std::clamp(ziel, float(SPIELFELD_MITTE_X), float(SPIELFELD_LAENGE));
    const float rest = std::fabs(tx - f.pos[0]) + std::fabs(linie_y - f.pos[1]);
    if (rest < 150) tempo = rest >= 80 ? LANGSAM : 0.0f;
    Laufen(satz, figur, tx, linie_y, tempo);
}

}  // namespace velmora
