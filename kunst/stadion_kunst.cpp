// kunst/stadion_kunst.cpp - the figure frames, the pitch pictures, the bottom
// bar, the score plates and digits and the markers of the match view.
#include "kunst/stadion_kunst.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "gfx/bild_leinwand.h"
#include "kunst/bild_muster.h"
#include "match/live/anim.h"
#include "matchview/spielansicht_figuren.h"
#include "matchview/spielansicht_geometrie.h"

namespace stadion_kunst {

using namespace velmora;

bool Hat(const std::string& n, const char* w) { return n.find(w) != std::string::npos; }

// A leg from the hip: swing forward by angle a, the knee bent by k.
void Bein(const V3& huefte, double seite, double a, double k, V3* knie, V3* fuss) {
    const double ober = 0.45, unter = 0.45;
    *knie = huefte + V3{std::sin(a) * ober, seite, -std::cos(a) * ober};
    const double b = a - k;
    *fuss = *knie + V3{std::sin(b) * unter, 0, -std::cos(b) * unter};
}
void Arm(const V3& schulter, double seite, double a, double heben, V3* ell, V3* hand) {
    // a: swing forward; heben: raised sideways/upwards (0 down, pi up)
    const double l = 0.28;
    const V3 dir{std::sin(a) * std::cos(heben * 0.5), seite * std::sin(heben * 0.5) * 0.6, -std::cos(a) * std::cos(heben)};
    const double n = std::sqrt(dir.f * dir.f + dir.s * dir.s + dir.z * dir.z) + 1e-9;
    *ell = schulter + dir * (l / n);
    *hand = *ell + dir * (l / n);
}

Pose Grund(double lauf, double phase, double lehne) {
    Pose p;
    const double sw = std::sin(phase * 2 * PI);
    p.huefte = {0, 0, 0.92 - std::abs(sw) * 0.03 * lauf};
    Bein(p.huefte, -0.1, sw * 0.9 * lauf, lauf * 0.5 * (1 + sw) * 0.6, &p.knie_l, &p.fuss_l);
    Bein(p.huefte, 0.1, -sw * 0.9 * lauf, lauf * 0.5 * (1 - sw) * 0.6, &p.knie_r, &p.fuss_r);
    // The lower foot stands on the ground.
    const double boden = std::min(p.fuss_l.z, p.fuss_r.z);
    for (V3* v : {&p.huefte, &p.knie_l, &p.fuss_l, &p.knie_r, &p.fuss_r}) v->z -= boden;
    p.brust = p.huefte + V3{lehne * 0.5, 0, 0.5};
    p.kopf = p.brust + V3{lehne * 0.15, 0, 0.3};
    Arm(p.brust + V3{0, -0.2, 0}, -1, -sw * 0.8 * lauf, 0.15, &p.ellbogen_l, &p.hand_l);
    Arm(p.brust + V3{0, 0.2, 0}, 1, sw * 0.8 * lauf, 0.15, &p.ellbogen_r, &p.hand_r);
    return p;
}

void Arme_Hoch(Pose& p, double anteil, bool beide) {
    const V3 sl = p.brust + V3{0, -0.2, 0}, sr = p.brust + V3{0, 0.2, 0};
    Arm(sr, 1, 0.3, PI * anteil, &p.ellbogen_r, &p.hand_r);
    if (beide) Arm(sl, -1, 0.3, PI * anteil, &p.ellbogen_l, &p.hand_l);
}

// The pose of a row's frame.
Pose Pose_Von(const std::string& n, int32_t frame, int32_t frames) {
    const double t = frames > 1 ? double(frame) / double(frames) : 0.0;
    const double u = frames > 1 ? double(frame) / double(frames - 1) : 0.0;   // 0..1 through an action
    const double bogen = std::sin(u * PI);
    if (Hat(n, "SITZT")) {
        Pose p = Grund(0, 0, 0);
        p.huefte = {0, 0, 0.45};
        p.knie_l = {0.42, -0.1, 0.48};
        p.knie_r = {0.42, 0.1, 0.48};
        p.fuss_l = {0.45, -0.1, 0.02};
        p.fuss_r = {0.45, 0.1, 0.02};
        p.brust = p.huefte + V3{-0.05, 0, 0.5};
        p.kopf = p.brust + V3{0, 0, 0.3};
        Arm(p.brust + V3{0, -0.2, 0}, -1, 0.6, 0.1, &p.ellbogen_l, &p.hand_l);
        Arm(p.brust + V3{0, 0.2, 0}, 1, 0.6, 0.1, &p.ellbogen_r, &p.hand_r);
        if (Hat(n, "JUBEL")) Arme_Hoch(p, 0.5 + 0.4 * std::abs(std::sin(t * 2 * PI)), true);
        return p;
    }
    if (Hat(n, "JUBEL") || Hat(n, "AUFWAERMEN") || Hat(n, "BEAM ME UP")) {
        Pose p = Grund(0.2, t, 0);
        Arme_Hoch(p, 0.55 + 0.35 * std::abs(std::sin(t * 2 * PI)), !Hat(n, "BEAM"));
        p.hoch = Hat(n, "JUBEL") ? 0.15 * std::abs(std::sin(t * 2 * PI)) : 0;
        return p;
    }
    if (Hat(n, "ENTTAEUSCHT")) {
        Pose p = Grund(0, 0, 0.5 * bogen);
        Arme_Hoch(p, 0.8, true);
        p.hand_l = p.kopf + V3{0.05, -0.12, 0.05};
        p.hand_r = p.kopf + V3{0.05, 0.12, 0.05};
        return p;
    }
    if (Hat(n, "Fangen") || Hat(n, "abwehr flach")) {
        // A keeper's dive: the body leaves the ground sideways and lands.
        Pose p = Grund(0, 0, 0);
        Arme_Hoch(p, 0.95, true);
        const double seite = Hat(n, "links") ? -1 : 1;
        double hoehe = Hat(n, "sehr") ? 1.0 : Hat(n, "hoch") ? 0.6 : 0.2;
        p.drehung = seite * std::min(1.0, u * 1.6) * PI / 2 * 0.9;
        p.hoch = hoehe * bogen;
        return p;
    }
    if (Hat(n, "GRAETSCHEN") || Hat(n, "HINFALLEN") || Hat(n, "WAELZEN") || Hat(n, "Foul") ||
        Hat(n, "Stolpern") || Hat(n, "AUFSTEHEN") || Hat(n, "Fallr")) {
        Pose p = Grund(0.3, 0.25, 0);
        double k = Hat(n, "AUFSTEHEN") || Hat(n, "aufstehen") ? 1 - u : Hat(n, "WAELZEN") || Hat(n, "wälzen") ? 1 : u;
        if (Hat(n, "Stolpern")) k = 0.4 * bogen;
        if (Hat(n, "GRAETSCHEN")) {
            p.drehung = 1.2 * std::min(1.0, u * 2);
            p.knie_r = p.huefte + V3{0.4, 0.1, -0.3};
            p.fuss_r = p.knie_r + V3{0.45, 0, -0.1};
            return p;
        }
        if (Hat(n, "Fallr")) {
            p.kippen = -PI * 0.6 * bogen;
            p.hoch = 0.6 * bogen;
            return p;
        }
        p.kippen = k * PI / 2 * 0.95;
        if (Hat(n, "WAELZEN") || Hat(n, "wälzen")) p.drehung = 0.3 * std::sin(t * 2 * PI);
        return p;
    }
    if (Hat(n, "SCHUSS") || Hat(n, "PASSEN") || Hat(n, "Abschlag") || Hat(n, "VOLLEY") || Hat(n, "Auskicken") ||
        Hat(n, "FUSSANNAHME") || Hat(n, "abwehr Fuss") || Hat(n, "Überspringen")) {
        Pose p = Grund(0, 0, 0.1);
        double schwung = u < 0.4 ? -0.9 * (u / 0.4) : -0.9 + 2.2 * std::min(1.0, (u - 0.4) / 0.3);
        double knie = u < 0.4 ? 0.9 : 0.2;
        if (Hat(n, "Abschlag")) {
            // The keeper's punt holds the ball through the row and lets it go
            // on the last frame: the leg swings back and meets it there.
            const int32_t rest = frames - 1 - frame;
            schwung = rest >= 2 ? -0.9 * std::min(1.0, frame / std::max(1.0, frames - 3.0)) : rest == 1 ? -0.5 : 0.2;
            knie = rest >= 1 ? 0.9 : 0.25;
        } else if (Hat(n, "SCHUSS") || Hat(n, "PASSEN") || Hat(n, "VOLLEY")) {
            // A shot or pass leaves with the row's first frame, so the foot
            // goes through the ball at once; the rest is the follow-through,
            // held and then let down towards the stance.
            static constexpr double ANFANG[3] = {-0.7, 0.2, 0.9}, KNIE[3] = {0.9, 0.25, 0.15};
            const double halten = 0.55;
            if (frame < 3) schwung = ANFANG[frame], knie = KNIE[frame];
            else if (u <= halten) schwung = 1.3, knie = 0.15;
            else schwung = 1.3 * (1 - (u - halten) / (1 - halten)) + 0.1, knie = 0.15;
        }
        Bein(p.huefte, 0.1, schwung, knie, &p.knie_r, &p.fuss_r);
        Arm(p.brust + V3{0, -0.2, 0}, -1, 0.3, 0.6, &p.ellbogen_l, &p.hand_l);
        return p;
    }
    if (Hat(n, "KOPFBALL") || Hat(n, "BRUSTANNAHME")) {
        Pose p = Grund(0.2, 0.25, Hat(n, "FLUG") ? 0.8 * bogen : -0.2 * bogen);
        p.hoch = (Hat(n, "FLUG") ? 0.5 : 0.35) * bogen;
        if (Hat(n, "FLUG")) p.kippen = PI / 2 * 0.8 * std::min(1.0, u * 1.5);
        return p;
    }
    if (Hat(n, "EINWURF") || Hat(n, "ABWURF") || Hat(n, "aufticken") || Hat(n, "Faus") || Hat(n, "FANGEN") ||
        Hat(n, "AUFNEHMEN") || Hat(n, "M BALL")) {
        Pose p = Grund(0, 0, Hat(n, "AUFNEHMEN") ? 0.6 * bogen : 0);
        if (Hat(n, "EINWURF") || Hat(n, "ABWURF")) {
            Arme_Hoch(p, 0.9 - 0.5 * u, true);
        } else {
            Arm(p.brust + V3{0, -0.2, 0}, -1, 1.3, 0.2, &p.ellbogen_l, &p.hand_l);
            Arm(p.brust + V3{0, 0.2, 0}, 1, 1.3, 0.2, &p.ellbogen_r, &p.hand_r);
            if (Hat(n, "OBEN") || Hat(n, "Faus oben")) Arme_Hoch(p, 0.95, true);
        }
        if (Hat(n, "OBEN") || Hat(n, "Faus")) p.hoch = 0.25 * bogen;
        return p;
    }
    if (Hat(n, "SCHIEDRICHTER GELB") || Hat(n, "SCHIEDRICHTER ROT") || Hat(n, "FAHNE HOCH") || Hat(n, "WEITER") ||
        Hat(n, "PFEIFT")) {
        Pose p = Grund(0, 0, 0);
        if (Hat(n, "PFEIFT")) {
            p.hand_r = p.kopf + V3{0.12, 0.03, -0.08};
            p.ellbogen_r = p.brust + V3{0.15, 0.22, -0.1};
        } else if (Hat(n, "WEITER")) {
            Arm(p.brust + V3{0, 0.2, 0}, 1, 1.5, 0.3, &p.ellbogen_r, &p.hand_r);
            Arm(p.brust + V3{0, -0.2, 0}, -1, 1.5, 0.3, &p.ellbogen_l, &p.hand_l);
        } else {
            Arme_Hoch(p, std::min(1.0, u * 2.5), false);
        }
        return p;
    }
    // Running rows: the stride by the row's reference speed.
    double lauf = 0, lehne = 0;
    if (Hat(n, "SPRINT")) lauf = 1.0, lehne = 0.35;
    else if (Hat(n, "LAUFEN") || Hat(n, "DRIBBLING") || Hat(n, "Dribbling")) lauf = 0.75, lehne = 0.2;
    else if (Hat(n, "GEHEN") || Hat(n, "SCHRITTE")) lauf = 0.4, lehne = 0.05;
    else if (Hat(n, "MUEDE")) lehne = 0.45;
    Pose p = Grund(lauf, t, lehne);
    if (lauf == 0) {
        // Standing: a slow sway.
        p.brust.s += 0.02 * std::sin(t * 2 * PI);
        p.kopf.s += 0.03 * std::sin(t * 2 * PI);
        if (Hat(n, "MAUER")) {
            p.hand_l = p.huefte + V3{0.12, -0.05, -0.05};
            p.hand_r = p.huefte + V3{0.12, 0.05, -0.05};
        }
        if (Hat(n, "MUEDE")) {
            p.hand_l = p.knie_l + V3{0.05, 0, 0.08};
            p.hand_r = p.knie_r + V3{0.05, 0, 0.08};
        }
    }
    return p;
}

Richtung Richtung_Von(int32_t d) {
    const double th = d * PI / 8;
    const double ax = 4 * 520.0 / 108.0, ay = -4 * 329.0 / 68.06, bx = 520.0 / 108.0, by = 329.0 / 68.06;
    const double tx = std::sin(th), ty = -std::cos(th);
    const double det = ax * by - ay * bx;
    double fx = (tx * by - ay * ty) / det, fy = (ax * ty - bx * tx) / det;
    const double l = std::sqrt(fx * fx + fy * fy);
    fx /= l, fy /= l;
    return {fx, fy, -fy, fx};
}

Punkt Projizieren(const V3& v, const Richtung& r, double skala) {
    const double dx = v.f * r.fx + v.s * r.sx, dy = v.f * r.fy + v.s * r.sy;
    const double a = 520.0 / 108.0, b = 329.0 / 68.06;
    return {4 * (dx * a - dy * b) * skala, (dx * a + dy * b - v.z * b * 4) * skala, dx * a + dy * b};
}

// Turns and lifts a pose as a whole about its hip.
V3 Bewegen(const Pose& p, V3 v) {
    V3 d{v.f - p.huefte.f, v.s - p.huefte.s, v.z - p.huefte.z};
    if (p.kippen != 0) {
        const double c = std::cos(p.kippen), s = std::sin(p.kippen);
        d = {d.f * c + d.z * s, d.s, -d.f * s + d.z * c};
    }
    if (p.drehung != 0) {
        const double c = std::cos(p.drehung), s = std::sin(p.drehung);
        d = {d.f, d.s * c + d.z * s, -d.s * s + d.z * c};
    }
    V3 r{p.huefte.f + d.f, p.huefte.s + d.s, p.huefte.z + d.z};
    // A body tipped over lies on the ground, not in it.
    const double lift = (p.kippen != 0 || p.drehung != 0) ? (1 - std::cos(std::max(std::abs(p.kippen), std::abs(p.drehung)))) * -0.75 : 0;
    r.z += lift + p.hoch;
    return r;
}

// Draws a player (or an official) in a pose.
void Figur_Malen(Bild& b, const Pose& p0, int32_t d, double skala) {
    const Richtung r = Richtung_Von(d);
    Pose p = p0;
    for (V3* v : {&p.fuss_l, &p.knie_l, &p.fuss_r, &p.knie_r, &p.huefte, &p.brust, &p.kopf, &p.ellbogen_l, &p.hand_l,
                  &p.ellbogen_r, &p.hand_r})
        *v = Bewegen(p0, *v);
    auto P = [&](const V3& v) { return Projizieren(v, r, skala); };
    // The shadow on the ground under the body.
    const Punkt boden = P(V3{p.huefte.f, p.huefte.s, 0});
    b.Ellipse(boden.x, boden.y, 7 * skala, 2.2 * skala, FIGUREN_SCHATTEN);
    Glieder glieder(r, skala, p.huefte);
    auto teil = [&](const V3& a, const V3& c, double rad, int32_t liste, int32_t ton) { glieder.Teil(a, c, rad, liste, ton); };
    auto mitte = [](const V3& a, const V3& c, double k) { return a + (c + a * -1) * k; };
    // Legs: thigh skin under the shorts, socks from the knee, boots.
    for (int32_t s = 0; s < 2; ++s) {
        const V3& knie = s ? p.knie_r : p.knie_l;
        const V3& fuss = s ? p.fuss_r : p.fuss_l;
        teil(p.huefte, knie, 1.9, 1, 0);
        teil(mitte(knie, fuss, 0.05), mitte(knie, fuss, 0.85), 1.7, 7, 0);
        teil(mitte(knie, fuss, 0.85), fuss + V3{0.08, 0, 0}, 1.6, 6, 1);
        teil(p.huefte, mitte(p.huefte, knie, 0.45), 2.4, 2, 0);
    }
    // Body: the shirt, its collar trimmed; arms: sleeves, then skin.
    teil(p.huefte + V3{0, 0, 0.08}, p.brust, 3.4, 3, 0);
    teil(mitte(p.huefte, p.brust, 0.8), p.brust, 3.0, 3, 1);
    for (int32_t s = 0; s < 2; ++s) {
        const V3 schulter = p.brust + V3{0, s ? 0.2 : -0.2, 0};
        const V3& ell = s ? p.ellbogen_r : p.ellbogen_l;
        const V3& hand = s ? p.hand_r : p.hand_l;
        teil(schulter, mitte(schulter, ell, 0.7), 1.5, 3, 0);
        teil(mitte(schulter, ell, 0.7), hand, 1.2, 1, 0);
    }
    glieder.Malen(b);
    // Collar and head: skin, the hair on top and at the back.
    const Punkt hals = P(p.brust + V3{0, 0, 0.06});
    b.Scheibe(hals.x, hals.y, 1.6 * skala, Figuren_Ton(4, 0));
    const Punkt k = P(p.kopf + V3{0, 0, 0.02});
    b.Scheibe(k.x, k.y, 2.7 * skala, Figuren_Ton(1, 0));
    const Punkt haar = P(p.kopf + V3{-0.04, 0, 0.07});
    b.Scheibe(haar.x, haar.y - 0.6 * skala, 2.3 * skala, Figuren_Ton(5, 0));
    const Punkt gesicht = P(p.kopf + V3{0.06, 0, 0.0});
    b.Scheibe(gesicht.x, gesicht.y + 0.3 * skala, 1.6 * skala, Figuren_Ton(1, 1));
}

void Ball_Malen(Bild& b, double x, double y, double r, int32_t frame) {
    b.Scheibe(x, y, r, Figuren_Ton(3, 1));
    b.Scheibe(x - r * 0.3, y - r * 0.3, r * 0.45, Figuren_Ton(3, 2));
    const double a = frame * PI / 4;
    b.Scheibe(x + std::cos(a) * r * 0.45, y + std::sin(a) * r * 0.3, std::max(0.6, r * 0.3), Figuren_Ton(6, 0));
}

// The frames of one row as pictures, [direction x frames + frame].
std::vector<FigurenBild> Zeile_Malen(int32_t nr, const Anim_Satz& z) {
    const std::string n = z.name;
    const int32_t frames = z.letzter_frame + 1;
    const int32_t richtungen = z.richtungen == 1 ? 1 : FIGUREN_RICHTUNGEN;
    std::vector<FigurenBild> out;
    for (int32_t d = 0; d < richtungen; ++d)
        for (int32_t f = 0; f < frames; ++f) {
            Bild b;
            const Richtung r = Richtung_Von(d);
            auto P = [&](const V3& v) { return Projizieren(v, r, 1.0); };
            if (n == "BALL BODEN") {
                Ball_Malen(b, 0, -2.2, 2.3, f);
            } else if (Hat(n, "ECK FAHNE")) {
                b.Strich({0, 0, 0}, {0, -29, 0}, 0.6, FIGUREN_STANGE);
                const double w = 1.5 * std::sin(f * PI / 4);
                for (int32_t y = 0; y < 6; ++y) b.Strich({0, -29.0 + y, 0}, {7.0, -28.0 + y + w, 0}, 0.6, FIGUREN_FAHNE_ROT);
            } else if (Hat(n, "TOR ")) {
                // A goal part at the middle of its goal line: the goal the match
                // counts (posts 450 cm either side of the middle, the bar 300 cm
                // high) and the net the match stops the ball in: its back 205 cm
                // behind the line at the ground and 135 cm at the bar's height,
                // under a flat roof. It is wider than a figure: its own picture,
                // 264 x 128 with the ground point at (132, 92).
                b = Bild{264, 128, 132, 92, std::vector<uint8_t>(264 * 128, 0)};
                const double seite = n[0] == 'V' ? -1.0 : 1.0, w = 4.5, h = 3.0;
                const double boden = 2.05 * seite, dach = 1.35 * seite;
                const double welle = nr < 25 ? 0.12 * std::sin(f * PI / 4) : 0;
                auto G = [&](double x, double y, double zz) {
                    const double a = 520.0 / 108.0, bb = 329.0 / 68.06;
                    return Punkt{4 * (x * a - y * bb), x * a + y * bb - zz * bb * 4, 0};
                };
                // The back's depth at a height: from the ground's to the roof's.
                auto hinten = [&](double zz) { return boden + (dach - boden) * zz / h; };
                const uint8_t netz = Figuren_Ton(4, 2);
                if (Hat(n, "OBEN")) {
                    b.Strich(G(0, -w, h), G(0, w, h), 1.0, FIGUREN_STANGE);
                    for (int32_t i = 0; i <= 12; ++i) b.Strich(G(0, -w + i * 2 * w / 12, h), G(dach + welle, -w + i * 2 * w / 12, h), 0.35, netz);
                } else if (Hat(n, "HINTEN")) {
                    for (int32_t i = 0; i <= 16; ++i) b.Strich(G(boden, -w + i * 2 * w / 16, 0), G(dach + welle, -w + i * 2 * w / 16, h), 0.35, netz);
                    for (int32_t i = 0; i <= 4; ++i) b.Strich(G(hinten(h * i / 4), -w, h * i / 4), G(hinten(h * i / 4) + welle * i / 4, w, h * i / 4), 0.35, netz);
                } else {
                    const double y = Hat(n, "LINKS") ? -w : w;
                    for (int32_t i = 0; i <= 4; ++i) b.Strich(G(boden * i / 4, y, 0), G(dach * i / 4 + welle * i / 4, y, h), 0.35, netz);
                    b.Strich(G(0, y, 0), G(0, y, h), 1.0, FIGUREN_STANGE);
                }
            } else if (Hat(n, "Link Ball Anim") || Hat(n, "zeigt")) {
                // Drawn over the row that links it, in the same pose.
                std::string basis = n.substr(0, n.find(" Link Ball Anim"));
                const Pose p = Pose_Von(Hat(n, "zeigt") ? "! SCHIEDRICHTER GELB" : basis, f, frames);
                Pose q = p;
                for (V3* v : {&q.hand_l, &q.hand_r}) *v = Bewegen(p, *v);
                if (Hat(n, "zeigt")) {
                    const Punkt h = P(q.hand_r + V3{0, 0, 0.08});
                    if (f >= 2) {
                        for (int32_t y = -3; y <= 2; ++y) b.Strich({h.x - 1.5, h.y + y, 0}, {h.x + 1.5, h.y + y, 0}, 0.5, Figuren_Ton(3, 1));
                    }
                } else if (Hat(n, "Dribbling") || Hat(n, "Auskicken")) {
                    const Punkt h = P(V3{0.45 + 0.1 * std::sin(f * PI / 3), 0.05, 0.11});
                    Ball_Malen(b, h.x, h.y, 2.3, f);
                } else {
                    const V3 m = (q.hand_l + q.hand_r) * 0.5 + V3{0.08, 0, 0};
                    const Punkt h = P(m);
                    Ball_Malen(b, h.x, h.y, 2.3, f);
                }
            } else if (Hat(n, "Linienrichter Link Anim Fahne")) {
                const char* basis = Hat(n, "gehen") ? "GEHEN KOPF VORNE" : Hat(n, "sprint") ? "SPRINT" : "LAUFEN 1";
                const Pose p = Pose_Von(basis, f, frames);
                const Punkt h = P(Bewegen(p, p.hand_r));
                const Punkt spitze = P(Bewegen(p, p.hand_r) + V3{0.1, 0.05, 0.45});
                b.Strich(h, spitze, 0.5, FIGUREN_STANGE);
                for (int32_t y = 0; y < 4; ++y) {
                    const uint8_t c = y < 2 ? FIGUREN_FAHNE_GELB : FIGUREN_FAHNE_ROT;
                    b.Strich({spitze.x, spitze.y + y, 0}, {spitze.x + 5, spitze.y + y + 1, 0}, 0.5, c);
                }
            } else {
                Figur_Malen(b, Pose_Von(n, f, frames), d, 1.0);
            }
            out.push_back(b.Fertig());
        }
    return out;
}

// Every row in use as entry 256 + row.
std::vector<ResDateiEintrag> Figuren_Datei() {
    std::vector<ResDateiEintrag> d(size_t(FIGUREN_RES_ERSTER + ANIM_ZEILEN), Res_Datenblock(nullptr, 0));
    for (int32_t n = 0; n < ANIM_ZEILEN; ++n) {
        const Anim_Satz* z = Anim_Zeile(n);
        if (!z || !z->benutzt) continue;
        ResDateiEintrag e;
        e.typ = FIGUREN_RES_TYP;
        e.bytes = Figuren_Eintrag_Schreiben(Zeile_Malen(n, *z), z->letzter_frame + 1);
        d[size_t(FIGUREN_RES_ERSTER + n)] = std::move(e);
    }
    return d;
}

// The pitch of kind k (4-6 under snow) at full or half scale, with its lines,
// the surround and the stands, seen from the diagonal camera.
Rastport* Rasen_Bild(int32_t k, bool halb) {
    const int32_t W = halb ? 1805 : 3610, H = halb ? 490 : 980;
    Leinwand l(W, H);
    const double A = halb ? 260 : 520, B = halb ? 164.5 : 329, X0 = halb ? 51 : 102, Y0 = halb ? 211 : 422;
    const bool schnee = k >= 4;
    const Rgb gras[4][2] = {{{46, 112, 52}, {40, 98, 46}}, {{52, 118, 50}, {44, 104, 44}},
                            {{42, 106, 58}, {36, 94, 50}}, {{58, 116, 48}, {50, 102, 42}}};
    const Rgb schnee_farben[2] = {{214, 222, 228}, {200, 210, 218}};
    for (int32_t y = 0; y < H; ++y)
        for (int32_t x = 0; x < W; ++x) {
            const double s = (x - X0) / 4.0, d = y - Y0;
            const double u = (s + d) / 2, v = (s - d) / 2;
            const double X = u * 108.0 / A, Y = 68.06 - v * 68.06 / B;
            // The grain in blocks of 2 x 2: spectators of a size, and a picture that packs.
            const uint32_t rausch = Leinwand_Mischen(uint32_t((x / 2) * 7919 + (y / 2) * 104729 + k));
            const double n = (int32_t(rausch & 15) - 8) / 100.0;
            const double rand = std::max({-X, X - 108.0, -Y, Y - 68.06});
            Rgb c;
            if (rand <= 4.0) {
                const int32_t streifen = int32_t(std::floor(X / 5.4 + 100)) & 1;
                c = schnee ? schnee_farben[streifen] : gras[k % 4][streifen];
                if (schnee && k > 4 && (rausch % 29) == 0) c = Leinwand_Mix(c, gras[0][1], 0.2 * (k - 4));
            } else if (rand <= 6.0) {
                c = rand < 4.6 ? Rgb{236, 236, 230} : Rgb{30, 46, 70};   // the boards' edge and faces
                if (rand >= 4.6) c = Leinwand_Mix(Rgb{24, 40, 66}, Rgb{200, 170, 70}, ((int32_t(X + Y) / 6) & 1) * 0.4);
            } else if (rand <= 9.0) {
                c = schnee ? Rgb{168, 176, 184} : Rgb{34, 84, 44};
            } else {
                // The stands: tiers of spectators, concrete between the tiers.
                const double reihe = std::fmod(rand - 9.0, 1.6);
                if (reihe < 0.3) c = Rgb{90, 92, 100};
                else {
                    static const Rgb leute[6] = {{200, 40, 40}, {230, 230, 230}, {40, 60, 160}, {220, 190, 60}, {60, 60, 70}, {160, 110, 80}};
                    c = leute[(rausch >> 8) % 6];
                    c = Leinwand_Mix(c, Rgb{40, 44, 56}, 0.35 + 0.3 * ((rausch >> 4) & 1));
                }
                if (rand > 40) c = Rgb{26, 30, 40};
            }
            c = Leinwand_Mix(c, n > 0 ? Rgb{255, 255, 255} : Rgb{0, 0, 0}, std::abs(n) * 0.5);
            l.Punkt(x, y, c);
        }
    // The lines.
    const Rgb kreide = schnee ? Rgb{150, 60, 50} : Rgb{236, 240, 232};
    const double breite = halb ? 1.2 : 2.2;
    auto P = [&](double x, double y) {
        const AnsichtPunkt p = Spielansicht_Projektion(float(x), float(y), 0, halb, false);
        return std::pair<double, double>(p.x, p.y);
    };
    auto linie = [&](double x1, double y1, double x2, double y2) {
        const int32_t n = 24;
        for (int32_t i = 0; i < n; ++i) {
            auto a = P(x1 + (x2 - x1) * i / n, y1 + (y2 - y1) * i / n);
            auto b = P(x1 + (x2 - x1) * (i + 1) / n, y1 + (y2 - y1) * (i + 1) / n);
            l.Linie(a.first, a.second, b.first, b.second, breite, kreide);
        }
    };
    auto bogen = [&](double cx, double cy, double r, double a0, double a1) {
        const int32_t n = 48;
        for (int32_t i = 0; i < n; ++i) {
            const double x = a0 + (a1 - a0) * i / n, y = a0 + (a1 - a0) * (i + 1) / n;
            auto a = P(cx + r * std::cos(x), cy + r * std::sin(x));
            auto b = P(cx + r * std::cos(y), cy + r * std::sin(y));
            l.Linie(a.first, a.second, b.first, b.second, breite, kreide);
        }
    };
    linie(0, 0, 10800, 0);
    linie(0, 6806, 10800, 6806);
    linie(0, 0, 0, 6806);
    linie(10800, 0, 10800, 6806);
    linie(5400, 0, 5400, 6806);
    bogen(5400, 3403, 915, 0, 2 * PI);
    for (int32_t s = 0; s < 2; ++s) {
        const double x0 = s ? 10800 : 0, r = s ? -1 : 1;
        linie(x0, 1388, x0 + r * 1632, 1388);
        linie(x0 + r * 1632, 1388, x0 + r * 1632, 5418);
        linie(x0, 5418, x0 + r * 1632, 5418);
        linie(x0, 2487, x0 + r * 550, 2487);
        linie(x0 + r * 550, 2487, x0 + r * 550, 4319);
        linie(x0, 4319, x0 + r * 550, 4319);
        const double a = std::acos(532.0 / 915.0);
        if (s == 0) bogen(1100, 3403, 915, -a, a);
        else bogen(9700, 3403, 915, PI - a, PI + a);
        auto m = P(s ? 9700 : 1100, 3403);
        l.Ellipse(m.first, m.second, breite * 1.4, breite * 0.6, kreide);
        for (double e : {0.0, 6806.0}) bogen(x0, e, 100, s ? (e ? PI : PI / 2) : (e ? -PI / 2 : 0), s ? (e ? PI * 1.5 : PI) : (e ? 0 : PI / 2));
    }
    auto m = P(5400, 3403);
    l.Ellipse(m.first, m.second, breite * 1.4, breite * 0.6, kreide);
    return l.Fertig();
}

std::vector<ResDateiEintrag> Rasen_Datei() {
    std::vector<ResDateiEintrag> d;
    for (int32_t k = 0; k < 7; ++k)
        for (int32_t halb = 0; halb < 2; ++halb) {
            Rastport* rp = Rasen_Bild(k, halb != 0);
            d.push_back(Muster_Eintrag(rp, true));
        }
    return d;
}

Rastport* Anzeigetafel(int32_t w, int32_t h, int32_t x0, int32_t breite);

// The bar below the views and the score-line plates.
std::vector<ResDateiEintrag> Menue_Datei() {
    Leinwand l(800, 36);
    l.Verlauf(0, 0, 800, 36, palette::NACHT_HELL, palette::NACHT);
    l.Rechteck(0, 0, 800, 2, palette::GOLD);
    l.Rechteck(0, 2, 800, 1, palette::GOLD_DUNKEL);
    std::vector<ResDateiEintrag> d{Muster_Eintrag(l.Fertig(), true)};
    d.push_back(Muster_Eintrag(Anzeigetafel(800, 32, 250, 70), true));
    d.push_back(Muster_Eintrag(Anzeigetafel(400, 18, 152, 48), true));
    return d;
}

// The score-line plates (entries 1 and 2): a night-blue band edged in gold
// across the view's top, the score in a dark box (x0 .. x0 + breite); fully
// opaque, as the views copy it plainly and write names onto the copy.
Rastport* Anzeigetafel(int32_t w, int32_t h, int32_t x0, int32_t breite) {
    Leinwand l(w, h);
    l.Verlauf(0, 0, w, h, palette::TAFEL, palette::NACHT);
    l.Rechteck(0, h - 2, w, 1, palette::GOLD_DUNKEL);
    l.Rechteck(0, h - 1, w, 1, palette::GOLD);
    l.Rechteck(x0 - 1, 1, breite + 2, h - 3, palette::GOLD_DUNKEL);
    l.Rechteck(x0, 2, breite, h - 5, palette::SCHWARZ);
    l.Rechteck(x0 + breite / 2, 4, 1, h - 9, palette::GOLD_DUNKEL);
    return l.Fertig();
}

// A digit of seven bars in a box of w x h at (x, y).
void Ziffer_Malen(Leinwand& l, double x, double y, double w, double h, int32_t ziffer, double dicke, Rgb c) {
    static constexpr uint8_t BALKEN[10] = {0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F};
    const double r = dicke / 2, x0 = x + r, x1 = x + w - r, y0 = y + r, ym = y + h / 2, y1 = y + h - r;
    const double s[7][4] = {{x0, y0, x1, y0}, {x1, y0, x1, ym}, {x1, ym, x1, y1}, {x0, y1, x1, y1},
                            {x0, ym, x0, y1}, {x0, y0, x0, ym}, {x0, ym, x1, ym}};
    for (int32_t b = 0; b < 7; ++b)
        if (BALKEN[ziffer] & (1 << b)) l.Linie(s[b][0], s[b][1], s[b][2], s[b][3], dicke, c);
}

// The digit strips (entries 23 and 24): the digits 0-9 one below the other,
// every `schritt` pixels from y 2, the home side's in the left half and the
// away side's in the right, on the score box's black.
Rastport* Ziffernstreifen(int32_t spalte, int32_t schritt, int32_t hoehe) {
    Leinwand l(2 * spalte, 10 * schritt);
    l.Rechteck(0, 0, l.w, l.h, palette::SCHWARZ);
    const double zw = hoehe * 0.6, dicke = std::max(2.0, hoehe / 7.0);
    for (int32_t g = 0; g < 10; ++g)
        for (int32_t seite = 0; seite < 2; ++seite) {
            const double x = seite * spalte + (spalte - zw) / 2;
            Ziffer_Malen(l, x, g * schritt + 3, zw, hoehe - 2, g, dicke, palette::GOLD);
        }
    return l.Fertig();
}

// The tired marker ("stadion_sprites.res" 132): a small battery with one red
// cell left, floated over a player whose energy runs low.
std::vector<ResDateiEintrag> Muede_Marke() {
    Leinwand l(16, 9);
    l.Rechteck(0, 0, 14, 9, palette::SCHWARZ);
    l.Rechteck(14, 2, 2, 5, palette::SCHWARZ);
    l.Rechteck(1, 1, 12, 7, palette::HELL);
    l.Rechteck(2, 2, 10, 5, palette::SCHWARZ);
    l.Rechteck(3, 3, 3, 3, palette::ROT);
    return {Muster_Eintrag(l.Fertig(), true)};
}

// The status marker ("stadion_sprites.res" 133): a booked player's yellow
// card, floated beside his head.
std::vector<ResDateiEintrag> Status_Marke() {
    Leinwand l(9, 12);
    l.Rechteck(0, 0, 9, 12, palette::SCHWARZ);
    l.Rechteck(1, 1, 7, 10, Rgb{244, 204, 40});
    l.Rechteck(2, 2, 2, 7, Rgb{255, 232, 128});
    return {Muster_Eintrag(l.Fertig(), true)};
}

std::vector<ResDateiEintrag> Ziffern_Datei() {
    return {Muster_Eintrag(Ziffernstreifen(30, 23, 20), true), Muster_Eintrag(Ziffernstreifen(22, 17, 16), true)};
}

}  // namespace stadion_kunst
