// kunst/publikum_kunst.cpp - the spectators' poses and figures.
#include "kunst/publikum_kunst.h"

#include <cmath>
#include <cstring>
#include <vector>

#include "kunst/stadion_kunst.h"
#include "matchview/publikum.h"
#include "matchview/spielansicht_figuren.h"

namespace publikum_kunst {

using namespace velmora;
using stadion_kunst::Bild;
using stadion_kunst::PI;
using stadion_kunst::Pose;
using stadion_kunst::V3;

// What an animation shows.
enum Haltung { SITZT, SITZT_WINKT, SITZT_SCHAL, SITZT_KLATSCHT, STEHT, STEHT_JUBELT, STEHT_SCHAL };

struct Art_Daten {
    const char* name;   // the row name the frames carry
    Haltung haltung;
    int32_t frames;
    bool muetze;        // a cap in the scarf's colour
};

// The 15 animations: 0-2, 5 and 6 seated with a move, 3 and 4 standing ones
// cheering, 10-12 standing still, the others seated still.
inline Art_Daten Art(int32_t a) {
    switch (a) {
    case 0: return {"SITZT JUBEL", SITZT_WINKT, 6, false};
    case 1: return {"SITZT JUBEL", SITZT_WINKT, 6, true};
    case 2: return {"SITZT JUBEL SCHAL", SITZT_SCHAL, 6, false};
    case 3: return {"JUBEL", STEHT_JUBELT, 6, false};
    case 4: return {"JUBEL SCHAL", STEHT_SCHAL, 6, true};
    case 5: return {"SITZT KLATSCHT", SITZT_KLATSCHT, 6, false};
    case 6: return {"SITZT JUBEL SCHAL", SITZT_SCHAL, 6, true};
    case 10: return {"STEHT", STEHT, 1, false};
    case 11: return {"STEHT", STEHT, 1, true};
    case 12: return {"STEHT SCHAL", STEHT, 1, false};
    case 8: case 13: return {"SITZT", SITZT, 1, true};
    default: return {"SITZT", SITZT, 1, false};
    }
}

inline bool Sitzt(Haltung h) { return h == SITZT || h == SITZT_WINKT || h == SITZT_SCHAL || h == SITZT_KLATSCHT; }

// The spectator's joints for a frame.
inline Pose Zuschauer_Pose(Haltung h, int32_t frame, int32_t frames) {
    const double t = frames > 1 ? double(frame) / double(frames) : 0.0;
    const double welle = std::abs(std::sin(t * 2 * PI));
    const bool sitzt = Sitzt(h);
    // Seated as a player sits on the bench; the arms follow below.
    Pose p = sitzt ? stadion_kunst::Pose_Von("SITZT", 0, 1) : stadion_kunst::Grund(0, 0, 0);
    if (!sitzt) {
        p.huefte.z += h == STEHT_JUBELT ? 0.12 * welle : 0;
        for (V3* v : {&p.knie_l, &p.fuss_l, &p.knie_r, &p.fuss_r}) v->z += h == STEHT_JUBELT ? 0.12 * welle : 0;
        p.brust = p.huefte + V3{0, 0, 0.5};
        p.kopf = p.brust + V3{0, 0, 0.3};
    }
    const V3 sl = p.brust + V3{0, -0.22, -0.02}, sr = p.brust + V3{0, 0.22, -0.02};
    switch (h) {
    case SITZT_WINKT:
    case STEHT_JUBELT:
        // Both arms up, waving apart and together.
        p.ellbogen_l = sl + V3{0.05, -0.12 - 0.08 * welle, 0.25};
        p.ellbogen_r = sr + V3{0.05, 0.12 + 0.08 * welle, 0.25};
        p.hand_l = p.ellbogen_l + V3{0.03, -0.05 - 0.1 * welle, 0.25};
        p.hand_r = p.ellbogen_r + V3{0.03, 0.05 + 0.1 * welle, 0.25};
        break;
    case SITZT_SCHAL:
    case STEHT_SCHAL:
        // The scarf stretched above the head, swaying.
        p.ellbogen_l = sl + V3{0.05, -0.1, 0.22};
        p.ellbogen_r = sr + V3{0.05, 0.1, 0.22};
        p.hand_l = p.ellbogen_l + V3{0.0, -0.06 + 0.06 * std::sin(t * 2 * PI), 0.24 + 0.05 * welle};
        p.hand_r = p.ellbogen_r + V3{0.0, 0.06 + 0.06 * std::sin(t * 2 * PI), 0.24 - 0.05 * welle};
        break;
    case SITZT_KLATSCHT: {
        // Hands together in front of the chest and apart again.
        const double weit = 0.04 + 0.12 * welle;
        p.ellbogen_l = sl + V3{0.14, -0.02, -0.12};
        p.ellbogen_r = sr + V3{0.14, 0.02, -0.12};
        p.hand_l = p.brust + V3{0.3, -weit, 0.05};
        p.hand_r = p.brust + V3{0.3, weit, 0.05};
        break;
    }
    default:
        // Arms at rest: on the knees seated, hanging standing.
        p.ellbogen_l = sl + V3{0.06, -0.04, -0.24};
        p.ellbogen_r = sr + V3{0.06, 0.04, -0.24};
        p.hand_l = sitzt ? p.knie_l + V3{-0.05, 0, 0.1} : p.ellbogen_l + V3{0.04, 0, -0.24};
        p.hand_r = sitzt ? p.knie_r + V3{-0.05, 0, 0.1} : p.ellbogen_r + V3{0.04, 0, -0.24};
        break;
    }
    return p;
}

// Draws a spectator at `skala` (1 is a player's size): jacket, scarf,
// trousers, shoes, hands and head, the nearer parts over the farther ones.
inline void Zuschauer_Malen(Bild& b, const Pose& p, Haltung h, bool muetze, int32_t d, double skala) {
    const stadion_kunst::Richtung r = stadion_kunst::Richtung_Von(d);
    auto P = [&](const V3& v) { return stadion_kunst::Projizieren(v, r, skala); };
    stadion_kunst::Glieder glieder(r, skala, p.huefte);
    auto teil = [&](const V3& a, const V3& c, double rad, int32_t liste, int32_t ton) { glieder.Teil(a, c, rad, liste, ton); };
    // Dark trousers and shoes; a seated spectator's shins are hidden by the row in front.
    const bool sitzt = Sitzt(h);
    for (int32_t s = 0; s < 2; ++s) {
        const V3& knie = s ? p.knie_r : p.knie_l;
        const V3& fuss = s ? p.fuss_r : p.fuss_l;
        teil(p.huefte + V3{0, s ? 0.1 : -0.1, 0}, knie, 2.6, 6, 1);
        if (sitzt) continue;
        teil(knie, fuss, 2.3, 6, 1);
        teil(fuss, fuss + V3{0.12, 0, 0}, 1.8, 6, 0);
    }
    // The jacket: a broad body, the sleeves.
    teil(p.huefte + V3{0, 0, 0.05}, p.brust, 4.6, 3, 0);
    for (int32_t s = 0; s < 2; ++s) {
        const V3 schulter = p.brust + V3{0, s ? 0.22 : -0.22, -0.02};
        const V3& ell = s ? p.ellbogen_r : p.ellbogen_l;
        const V3& hand = s ? p.hand_r : p.hand_l;
        teil(schulter, ell, 1.9, 3, 0);
        teil(ell, hand, 1.7, 3, 1);
    }
    glieder.Malen(b);
    for (const V3* hand : {&p.hand_l, &p.hand_r}) {
        const stadion_kunst::Punkt q = P(*hand);
        b.Scheibe(q.x, q.y, 1.5 * skala, Figuren_Ton(1, 0));
    }
    // The scarf round the neck, or held up between the hands in stripes.
    const stadion_kunst::Punkt hals = P(p.brust + V3{0.02, 0, 0.04});
    b.Ellipse(hals.x, hals.y, 3.4 * skala, 1.6 * skala, Figuren_Ton(4, 0));
    if (h == SITZT_SCHAL || h == STEHT_SCHAL) {
        const stadion_kunst::Punkt a = P(p.hand_l + V3{0, 0, 0.04}), c = P(p.hand_r + V3{0, 0, 0.04});
        for (int32_t i = 0; i < 6; ++i) {
            const double u0 = i / 6.0, u1 = (i + 1) / 6.0;
            b.Strich({a.x + (c.x - a.x) * u0, a.y + (c.y - a.y) * u0, 0}, {a.x + (c.x - a.x) * u1, a.y + (c.y - a.y) * u1, 0},
                     1.3 * skala, Figuren_Ton(i % 2 ? 3 : 4, 1));
        }
    }
    // The head, the hair or a cap.
    const stadion_kunst::Punkt k = P(p.kopf);
    b.Scheibe(k.x, k.y, 3.0 * skala, Figuren_Ton(1, 0));
    const stadion_kunst::Punkt oben = P(p.kopf + V3{-0.04, 0, 0.08});
    if (muetze) {
        b.Scheibe(oben.x, oben.y - 0.8 * skala, 2.8 * skala, Figuren_Ton(4, 0));
        b.Scheibe(oben.x, oben.y - 3.2 * skala, 1.1 * skala, Figuren_Ton(3, 1));
    } else {
        b.Scheibe(oben.x, oben.y - 0.7 * skala, 2.6 * skala, Figuren_Ton(5, 0));
    }
    const stadion_kunst::Punkt gesicht = P(p.kopf + V3{0.07, 0, -0.01});
    b.Scheibe(gesicht.x, gesicht.y + 0.4 * skala, 1.7 * skala, Figuren_Ton(1, 1));
}

// A spectator is drawn at 0.55 of a player's size.
constexpr double ZUSCHAUER_SKALA = 0.55;

inline std::vector<FigurenBild> Frames(int32_t a) {
    const Art_Daten art = Art(a);
    std::vector<FigurenBild> out;
    for (int32_t d = 0; d < FIGUREN_RICHTUNGEN; ++d)
        for (int32_t f = 0; f < art.frames; ++f) {
            Bild b;
            Zuschauer_Malen(b, Zuschauer_Pose(art.haltung, f, art.frames), art.haltung, art.muetze, d, ZUSCHAUER_SKALA);
            out.push_back(b.Fertig());
        }
    return out;
}

std::vector<ResDateiEintrag> Datei() {
    std::vector<ResDateiEintrag> d(size_t(PUBLIKUM_RES[1] + PUBLIKUM_ANIMATIONEN), Res_Datenblock(nullptr, 0));
    for (int32_t a = 0; a < PUBLIKUM_ANIMATIONEN; ++a) {
        ResDateiEintrag e;
        e.typ = FIGUREN_RES_TYP;
        e.bytes = Figuren_Eintrag_Schreiben(Frames(a), Art(a).frames);
        d[size_t(PUBLIKUM_RES[a])] = std::move(e);
    }
    return d;
}

}  // namespace publikum_kunst
