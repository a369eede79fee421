// match/live/ki_torwart.cpp - the goalkeeper's decisions.
//
// Every call works out where the ball will be in one second (P), whether it
// crosses his goal line on the way, and from that his distance from the line
// (D). With his own team on the ball he stands further out the further away
// the ball is; otherwise he decides whether to come off his line, whether a
// ball flies at him that needs a save, and where on the line from the ball to
// his goal he stands.
//
// Choices: his reflex value is match value 22, the value of the keepers'
// reflex skill. The player's match record has no coming-out style byte, so
// the ball's distance counts as it is (neither 500 cm nearer nor further),
// nor a release byte (it reads 0). The release rows face (5400, 0) for the
// punt and the centre spot for the throw; where the ball goes is the pass
// choice's, played on the row's last frame: the punt to a team-mate more
// than 3000 cm away, lofted, or long into space, the throw to one within
// 2500 cm.
#include "match/live/ki_torwart.h"

#include <algorithm>
#include <cmath>

#include "core/rnd.h"
#include "core/zahlen.h"
#include "match/live/ki_ballfuehrer.h"
#include "match/live/ki_ohne_ball.h"
#include "match/live/anim.h"
#include "match/live/anweisung.h"
#include "match/record/spielfeld.h"
#include "match/live/spielfeld_abfangen.h"
#include "match/live/spielfeld_ballkontakt.h"
#include "match/live/spielfeld_besitz.h"
#include "match/live/spielfeld_ki.h"
#include "match/live/spielfeld_ki_basis.h"

namespace velmora {

namespace {

constexpr float KMH10 = 277.77777f;   // 10 km/h in cm/s
constexpr int32_t W_REFLEXE = 22;      // the keeper's reflex value (match value 22)
// The keeper's release byte: nothing fills one in the player's match record,
// so it reads 0 (he throws in one case of three and punts otherwise, and
// always punts with an opponent in his penalty area).
constexpr int32_t ABWURF_BYTE = 0;

enum : int32_t {
    ANIM_FANGEN_STEHEN = 45,
    ANIM_ABSCHLAG = 55,
    ANIM_KLEINE_SCHRITTE = 57,
    ANIM_ABWURF = 58,
    ANIM_AUFTICKEN = 59,
};

int32_t Seite(int32_t slot) { return slot < SF_SPIELER_SEITE ? 0 : 1; }

float Abstand(float x0, float y0, float x1, float y1) { return Hypot_F(x1 - x0, y1 - y0); }

// Everything the keeper's steps share.
struct Lage {
    Spielfeld_Satz* satz;
    int32_t slot, seite;
    float xg, yg;           // own goal line x and goal centre y
    float richtung;         // +1 when the own goal is at x = 0, else -1
    float px, py;           // the ball in one second
    bool kreuzt;            // P was moved onto the own goal line
    float g, e, s, a;       // P to the goal centre, keeper to P, his speed, P from the line
    float flug;             // the ball's horizontal speed
};

bool Im_Strafraum(const Lage& l, float x, float y) {
    const Spielfeld_Konstanten& k = Spielfeld_Get_Konstanten();
    return std::fabs(x - l.xg) <= float(k.strafraum_x[0]) && y > float(k.strafraum_unten[0]) &&
           y < float(k.strafraum_oben[0]);
}

Lage Einrichten(Spielfeld_Satz* satz, int32_t slot) {
    Lage l{};
    l.satz = satz;
    l.slot = slot;
    l.seite = Seite(slot);
    l.xg = float(satz->tor_x[1 - l.seite]);
    l.yg = float(satz->tor_y[1 - l.seite]);
    l.richtung = l.xg < SPIELFELD_MITTE_X ? 1.0f : -1.0f;
    const Figur& b = satz->figur[FIGUR_BALL];
    l.flug = Hypot_F(b.v[0], b.v[1]);
    l.px = b.pos[0] + b.v[0];
    l.py = l.flug >= 1000 ? b.pos[1] + b.v[1] : b.pos[1];
    if ((l.px - l.xg) * l.richtung < 0 && b.v[0] != 0) {
        // Along the ball's path onto the goal line.
        const float t = (l.xg - b.pos[0]) / b.v[0];
        l.px = l.xg;
        l.py = b.pos[1] + b.v[1] * std::max(t, 0.0f);
        l.kreuzt = true;
    }
    const Figur& f = satz->figur[slot];
    l.g = Abstand(l.px, l.py, l.xg, l.yg);
    l.e = Abstand(f.pos[0], f.pos[1], l.px, l.py);
    l.s = Spieler_Sprinttempo(satz, slot);
    l.a = std::fabs(l.xg - l.px);
    return l;
}

// Whether the keeper comes off his line for a ball his team does not hold.
bool Rauskommen(const Lage& l, float h) {
    const Spielfeld_Satz* satz = l.satz;
    const Spielfeld_Konstanten& k = Spielfeld_Get_Konstanten();
    const Figur& f = satz->figur[l.slot];
    const Figur& b = satz->figur[FIGUR_BALL];
    if (satz->spielzustand == SZ_ELFMETER || satz->spielzustand == SZ_ELFMETERSCHIESSEN) return false;
    // A free kick's ball is dead until it is played: a keeper running onto it
    // would stand where the taker waits for the opponents to keep away, and
    // the kick would never be taken. He keeps 150 cm off his line instead.
    if (satz->spielzustand == SZ_FREISTOSS) return false;
    if (std::fabs(l.g - float(k.elfmeter_x[0])) < 0.5f) return false;   // a penalty
    const float q = l.g;
    // Within twice his reflex value he goes for any ball; farther out (up to
    // 25 m) only for one whose holder nobody presses, while he stands level
    // with his area.
    const float r = 2.0f * float(satz->spieler[l.slot].werte[W_REFLEXE]);
    int32_t druck = 0;
    if (satz->ballhalter >= 0 && satz->ballhalter < SF_SPIELER) druck = satz->spieler[satz->ballhalter].druck;
    const bool im_y = f.pos[1] > float(k.strafraum_unten[0]) && f.pos[1] < float(k.strafraum_oben[0]);
    if (q < r || (q < 2500 && druck < 1 + (l.e < 600 ? 1 : 0) && !l.kreuzt && im_y)) {
        int32_t nahe = 0;
        const int32_t im_weg = Spielfeld_Spieler_Im_Passweg(l.satz, FIGUR_BALL, l.xg, l.yg, l.seite, nullptr, nullptr,
                                                            350, nullptr, &nahe);
        if (satz->spielzustand != SZ_SPIEL || im_weg < 2 || (im_weg - nahe < 2 && l.g < 1000)) {
            const float dx = std::fabs(b.pos[0] - l.xg);
            const float steil = dx > 0 ? 10 * std::fabs(b.pos[1] - l.yg) / dx : 1e9f;
            if (int32_t(steil) < 6 || q < 1200) return true;
        }
    }
    if (h > 300 && l.g < 1200) return true;
    return false;
}

// Sends the keeper to (x, y): small steps sideways near his spot, his run
// otherwise; a save row plays once with its contact frame timed to `t`.
void Befehl(const Lage& l, float x, float y, float tempo, int32_t anim, float t, bool hinter_linie = false) {
    Spielfeld_Satz* satz = l.satz;
    const Figur& f = satz->figur[l.slot];
    int32_t zx = int32_t(x), zy = int32_t(y);
    Punkt_Ins_Feld(&zx, &zy);
    // A loose ball lying just over his goal line is fetched where it lies:
    // 50 cm inside the line it would stay out of his reach.
    if (hinter_linie) zx = int32_t(x);
    const float dx = float(zx) - f.pos[0], dy = float(zy) - f.pos[1];
    const float weg = Hypot_F(dx, dy);
    if (anim >= 0) {
        const Anim_Satz* z = Anim_Zeile(anim);
        const int32_t cf = z && z->kontakt_frame > 0 ? z->kontakt_frame : 1;
        const float dauer = std::clamp(t * 1000 / float(cf), 15.0f, 80.0f);
        // Close to his point he gets there in the reach time; further off he
        // runs at his sprint. The reach time counts at least a tenth of a
        // second: a ball almost at his point would otherwise fling him off
        // the pitch at thousands of metres a second.
        const float v = weg < 100 ? (t > 0 ? std::max(weg / std::max(t, 0.1f), KMH10) : KMH10)
                                  : std::max(l.s, KMH10);
        SetZSA(satz, l.slot, zx, zy, 300, int32_t(v), anim, 0, dauer, 0, -1, 1, 1, RING_OHNE_PRUEFUNG, 0, 0);
        satz->figur[l.slot].ring[f.aktuell & 3].folge = int16_t(z && std::fabs(z->reichweite_seite) > 1 ? -1 : ANIM_TORW_STEHEN);
        return;
    }
    if (weg < 100 && l.flug < 2600) {
        tempo = weg < 10 ? 0 : KMH10;
        if (std::fabs(dx) < 30 && 4 * std::fabs(dx) < std::fabs(dy) && std::fabs(dx) + std::fabs(dy) > 30) {
            if (satz->spielzustand == SZ_SPIEL) {
                SetZSA(satz, l.slot, zx, zy, 0, int32_t(KMH10), ANIM_KLEINE_SCHRITTE, 0, -1, 0, -1, 1, 1,
                       RING_OHNE_PRUEFUNG, 0, 0);
                satz->figur[l.slot].ring[f.aktuell & 3].folge = ANIM_TORW_STEHEN;
                return;
            }
            tempo = 0;
        }
    }
    if (tempo == 0 && weg < 10) {
        const int32_t steh = satz->spielzustand != SZ_SPIEL && l.e < 3000 ? ANIM_TORW_BEREIT : ANIM_TORW_STEHEN;
        SetZSA(satz, l.slot, zx, zy, 0, 0, steh, 0, -1, 0, -1, 1, -1, RING_OHNE_PRUEFUNG, 0, 0);
        return;
    }
    SetZSA(satz, l.slot, zx, zy, 0, int32_t(tempo), ANIM_LAUF_NACH_TEMPO, 0, -1, 0, -1, 1, -1, RING_OHNE_PRUEFUNG, 0,
           0);
}

// The kind of release before a throw counts as such: 0 punt, 1 or 2 throw.
int32_t Abwurf_Roh(const Spielfeld_Satz* satz, int32_t slot, int32_t abwurf_byte) {
    const int32_t seite = Seite(slot);
    const Spielfeld_Konstanten& k = Spielfeld_Get_Konstanten();
    const float xg = float(satz->tor_x[1 - seite]);
    bool gegner = false;
    const int32_t von = (1 - seite) * SF_SPIELER_SEITE;
    for (int32_t s = von; s < von + SF_SPIELER_SEITE && !gegner; ++s) {
        if (!(satz->spieler[s].zustand & SM_AUF_PLATZ)) continue;
        const Figur& m = satz->figur[s];
        gegner = std::fabs(m.pos[0] - xg) <= float(k.strafraum_x[0]) && m.pos[1] > float(k.strafraum_unten[0]) &&
                 m.pos[1] < float(k.strafraum_oben[0]);
    }
    int32_t art = gegner ? 0 : Rnd(0, 2);
    if (art == 2 && abwurf_byte == 0) art = 0;
    if (art == 0 && abwurf_byte == 1) art = Rnd(1, 2);
    return art;
}

// A keeper with the ball in his hands releases it in three steps. First the
// plan: the kind (punt or throw), maybe the ball bounced a few times, then
// the punt row facing (5400, 0) or the throw row facing the centre spot,
// queued behind. While the rows play he holds the ball and is asked every
// frame; on the release row's last frame the ball-holder AI plays it (the
// punt long, the throw short; Part of the pass choice).
void Abgeben(Spielfeld_Satz* satz, int32_t slot) {
    Figur& f = satz->figur[slot];
    Anweisung& a = *Figur_Aktuelle_Anweisung(&f);
    f.jagt_ball = 0;
    if (a.anim == ANIM_ABSCHLAG || a.anim == ANIM_ABWURF) {
        const int32_t letzter = a.letztes >= 0 ? a.letztes : a.letztes_anim;
        if (a.frame >= letzter) {
            KI_Ballfuehrer(satz, slot, Seite(slot));
            if (satz->ballhalter != slot) {
                f.entscheid_timer = 500;
                return;
            }
        }
        f.entscheiden = 1;
        return;
    }
    if (a.anim == ANIM_AUFTICKEN) {
        f.entscheiden = 1;
        return;
    }
    const int32_t art = Abwurf_Roh(satz, slot, ABWURF_BYTE);
    const int32_t x = int32_t(f.pos[0]), y = int32_t(f.pos[1]);
    const int32_t zeile = art == 0 ? ANIM_ABSCHLAG : ANIM_ABWURF;
    const int32_t ziel_y = art == 0 ? 0 : SPIELFELD_MITTE_Y;
    const Anim_Satz* z = Anim_Zeile(zeile);
    const float dauer = z ? z->ref_frame_zeit : 40.0f;
    if (Rnd(0, 2) != 0 && (Rnd(0, 1) != 0 || art == 1)) {
        const Anim_Satz* t = Anim_Zeile(ANIM_AUFTICKEN);
        SetZSA(satz, slot, x, y, 0, 0, ANIM_AUFTICKEN, 0, t ? t->ref_frame_zeit : 50.0f, 0, -1, 1, Rnd(1, 3),
               RING_OHNE_PRUEFUNG, 0, 0);
        if (!SetZSA(satz, slot, int32_t(SPIELFELD_MITTE_X), ziel_y, 0, 0, zeile, 0, dauer, 0, -1, 1, 1, 1, 0, 0))
            SetZSA(satz, slot, int32_t(SPIELFELD_MITTE_X), ziel_y, 0, 0, zeile, 0, dauer, 0, -1, 1, 1,
                   RING_OHNE_PRUEFUNG, 0, 0);
    } else {
        SetZSA(satz, slot, int32_t(SPIELFELD_MITTE_X), ziel_y, 0, 0, zeile, 0, dauer, 0, -1, 1, 1, RING_OHNE_PRUEFUNG,
               0, 0);
    }
    f.entscheiden = 1;
}

// What the keeper's decision carries from step to step.
struct Plan {
    float d = 650;              // his distance from the line when he stays
    bool raus = false;          // he comes out
    bool schuss = false;        // he reacts as to a shot
    bool schnell = false;       // the ball is close: he decides again at once
    bool hinter_linie = false;  // a loose ball just behind his line
    float zx = 0, zy = 0;       // his target
    int32_t parade = -1;        // the save row
    float mx = 0, my = 0, tr = 0;   // where and when he meets the shot
    bool rettet = false;        // he saves
    float h = 5000;             // the holder's distance from the ball
};

// Coming out: with his own side on the ball he stands by its distance; else
// he comes out to the ball's meeting point, or stays on his line at a
// distance from it (80 at a penalty).
void Herauskommen(Lage& l, bool eigener_ball, Plan& p) {
    Spielfeld_Satz* satz = l.satz;
    Figur& f = satz->figur[l.slot];
    const Figur& b = satz->figur[FIGUR_BALL];
    const Spielfeld_Konstanten& k = Spielfeld_Get_Konstanten();
    p.h = satz->ballhalter >= 0 && satz->ballhalter < SF_SPIELER
              ? Abstand(satz->figur[satz->ballhalter].pos[0], satz->figur[satz->ballhalter].pos[1], b.pos[0], b.pos[1])
              : 5000;
    if (eigener_ball) {
        p.d = l.a > 2500 ? 1300 : (l.a < 2000 ? 325 : 650);
        return;
    }
    p.raus = Rauskommen(l, p.h);
    if (!p.raus) {
        if (l.g < 5400) p.d = 650 - (5400 - l.g) / 12;
        if (l.a <= 2 * p.d) p.d = l.a / 2;
        if (std::fabs(l.g - float(k.elfmeter_x[0])) < 0.5f) p.d = 80;
        return;
    }
    const float weg = Abstand(f.pos[0], f.pos[1], b.pos[0], b.pos[1]);
    float abstand = weg, hoehe = 0;
    int32_t tempo = int32_t(l.s);
    int32_t treffer = KI_Abfangpunkt(satz, l.slot, &f, &abstand, &tempo, &p.zx, &p.zy, &hoehe, 2500);
    if (treffer < 0 && satz->ballhalter < 0 && b.v[0] == 0 && b.v[1] == 0 && weg < 2500) {
        // A loose ball lying just behind his line: the search keeps
        // its points on the pitch, he goes to the ball itself.
        p.zx = b.pos[0];
        p.zy = b.pos[1];
        treffer = int32_t(weg);
    }
    p.hinter_linie = satz->ballhalter < 0 && (b.pos[0] - l.xg) * l.richtung < 0 &&
                     (b.pos[0] - l.xg) * l.richtung >= -30 && Abstand(p.zx, p.zy, b.pos[0], b.pos[1]) < 1;
    if (weg < 800) p.schnell = true;
    if (weg < 200) {
        p.zx = b.pos[0] + b.v[0] / 10;
        p.zy = b.pos[1] + b.v[1] / 10;
    }
    if (hoehe > 200) p.schuss = true;
    if (treffer < 0 || (!Im_Strafraum(l, p.zx, p.zy) && satz->ballhalter >= 0)) {
        // Beyond his area against a ball the opponents hold he stays.
        p.raus = false;
        p.d = l.a / 10;
        if (l.a > 1500) {
            l.px = l.xg;
            l.py = l.yg;
        }
        p.schuss = true;
    }
}

// The reaction to a ball flying at his goal: where he meets it (M), the
// save row for the gap and the ball's height there, and whether he saves.
void Parade_Suchen(const Lage& l, Plan& p) {
    Spielfeld_Satz* satz = l.satz;
    Figur& f = satz->figur[l.slot];
    const Figur& b = satz->figur[FIGUR_BALL];
    const Spielfeld_Konstanten& k = Spielfeld_Get_Konstanten();
    const Anweisung& jetzt = *Figur_Aktuelle_Anweisung(&f);
    if (!((p.schuss || (l.e < 2500 && l.flug > 2200)) && jetzt.flags == 0 && b.pos[0] >= 0 &&
          b.pos[0] <= float(k.laenge) && (b.v[0] * l.richtung < 0 || l.kreuzt)))
        return;
    float& mx = p.mx;
    float& my = p.my;
    bool gefunden = Spielfeld_Abstand_Strecke(b.pos[0], b.pos[1], b.pos[0] + b.v[0], b.pos[1] + b.v[1], f.pos[0],
                                              f.pos[1], &mx, &my) >= 0;
    if (!gefunden)
        gefunden = Spielfeld_Abstand_Strecke(b.pos[0], b.pos[1], b.pos[0] + 2 * b.v[0], b.pos[1] + 2 * b.v[1],
                                             f.pos[0], f.pos[1], &mx, &my) >= 0;
    if (!gefunden && l.kreuzt) {
        mx = l.px;
        my = l.py;
        gefunden = true;
    }
    if (!gefunden) return;
    if ((mx - l.xg) * l.richtung < -50) {
        mx = l.xg;
        my = b.v[0] != 0 ? b.pos[1] + b.v[1] * (l.xg - b.pos[0]) / b.v[0] : b.pos[1];
    }
    const float t = l.flug > 0 ? Abstand(b.pos[0], b.pos[1], mx, my) / l.flug : 0;
    // The ball's height at M: the ball "runs" its distance to M at its own speed.
    float hoehe = b.pos[2];
    if (l.flug > 0) {
        float hx = mx, hy = my;
        int32_t tempo = int32_t(l.flug);
        Ball_Hoehe_Nach_Zeit(satz, &f, Abstand(b.pos[0], b.pos[1], mx, my), &tempo, 300, &hx, &hy, &hoehe);
    }
    float kx = mx, ky = my;
    if (t > 0 && Abstand(f.pos[0], f.pos[1], mx, my) / l.s > t) {
        kx = f.pos[0] + f.v[0] * t;
        ky = f.pos[1] + f.v[1] * t;
    }
    if (t < 0.6f && kx >= -10 && kx <= float(k.laenge) + 10) {
        // Right-hand side seen from the keeper facing the pitch.
        // The gap is measured from where he stands now: a ball he
        // can only reach by stretching gets a dive.
        const bool rechts = (my - f.pos[1]) * -l.richtung >= 0;
        p.parade = KI_Torwart_Anim_Waehlen(satz, &f, l.slot, Abstand(f.pos[0], f.pos[1], mx, my), hoehe, t);
        const Anim_Satz* z = p.parade >= 0 ? Anim_Zeile(p.parade) : nullptr;
        // A dive is mirrored: the left-hand row follows the right-hand one.
        if (z && std::fabs(z->reichweite_seite) > 1 && !rechts) ++p.parade;
        p.tr = t;
    }
    const Anim_Satz* z = p.parade >= 0 ? Anim_Zeile(p.parade) : nullptr;
    const bool taucht = z && std::fabs(z->reichweite_seite) > 1;
    if ((kx >= -20 && kx <= float(k.laenge) + 20 && taucht) || (p.h < 600 && l.g < 1000) || p.parade >= 0) {
        p.rettet = true;
        if (!taucht && p.parade >= 0) {
            mx = kx;
            my = ky;
        }
    }
}

// Positioning (when not saving, or in a shoot-out) and the order. False
// when the shoot-out keeper not in goal keeps his place in the centre
// circle: the call ends there.
bool Stellen_Und_Befehlen(const Lage& l, bool eigener_ball, Plan& p) {
    Spielfeld_Satz* satz = l.satz;
    Figur& f = satz->figur[l.slot];
    const Figur& b = satz->figur[FIGUR_BALL];
    const Spielfeld_Konstanten& k = Spielfeld_Get_Konstanten();
    const uint32_t zustand = satz->spielzustand;
    const bool schiessen = zustand == SZ_ELFMETERSCHIESSEN;
    if (p.rettet && !schiessen) {
        Befehl(l, p.mx, p.my, l.s, p.parade, p.parade >= 0 ? p.tr : 0);
        return true;
    }
    if (zustand == SZ_ELFMETER || schiessen) {
        p.d = 80;
        p.raus = false;
    } else if (zustand == SZ_FREISTOSS) {
        p.d = 150;
    }
    if (!p.raus) {
        p.zx = l.xg + l.richtung * p.d;
        const float bx = b.pos[0], by = b.pos[1];
        const float unten = float(k.pfosten_unten[0]), oben = float(k.pfosten_oben[0]);
        const float teil = std::fabs(bx - l.xg) > 1 ? (p.zx - bx) / (l.xg - bx) : 1.0f;
        p.zy = by + (l.py - by) * teil;
        if (p.zy < unten || p.zy > oben) p.zy = std::clamp(by + (l.yg - by) * teil, unten, oben);
        if (zustand == SZ_ECKE && !eigener_ball) p.zy = b.pos[1] < SPIELFELD_MITTE_Y ? 3653 : 3153;
    }
    if (schiessen && std::fabs(b.pos[0] - l.xg) > SPIELFELD_MITTE_X) {
        // The keeper not in goal waits in the centre circle, in its half
        // away from the kick.
        const float mitte_x = SPIELFELD_MITTE_X, mitte_y = SPIELFELD_MITTE_Y;
        if (Abstand(f.pos[0], f.pos[1], mitte_x, mitte_y) < 915 && Ohne_Ball_Kreis_Abseits(satz, f.pos[0]) == f.pos[0]) {
            Befehl(l, f.pos[0], f.pos[1], 0, -1, 0);
            f.jagt_ball = 0;
            return false;
        }
        do {
            p.zx = float(4500 + 10 * Rnd(0, 180));
            p.zy = float(2503 + 10 * Rnd(0, 180));
        } while (Abstand(p.zx, p.zy, mitte_x, mitte_y) >= 915);
        p.zx = Ohne_Ball_Kreis_Abseits(satz, p.zx);
    }
    if (schiessen) f.jagt_ball = 0;
    Befehl(l, p.zx, p.zy, p.raus ? l.s : Spieler_Lauftempo(satz, l.slot), -1, 0, p.raus && p.hinter_linie);
    return true;
}

// When to decide again: the decision interval is the reaction delay the
// tick counts up to one second, so the ball contact pass can still ask
// him at once once it ran out.
void Entscheidung_Takten(const Lage& l, bool eigener_ball, bool schnell) {
    Figur& f = l.satz->figur[l.slot];
    f.entscheid_timer = 0;
    if (!eigener_ball || l.kreuzt) {
        if (l.g > 3500) {
            f.entscheid_intervall = 0.5f;
            f.entscheiden = 0;
        } else if (l.kreuzt) {
            f.entscheid_intervall = 1.0f;
        } else if (schnell) {
            f.entscheid_intervall = 1.0f;
            f.entscheiden = 1;
        } else {
            f.entscheid_intervall = 0.7f;
        }
    } else {
        f.entscheiden = 0;
    }
}

}  // namespace

int32_t KI_Torwart_Abwurf_Art(const Spielfeld_Satz* satz, int32_t slot, int32_t abwurf_byte) {
    const int32_t art = Abwurf_Roh(satz, slot, abwurf_byte);
    return art == 1 ? 2 : art;
}

void KI_Torwart(Spielfeld_Satz* satz, int32_t slot) {
    if (!satz || slot < 0 || slot >= SF_SPIELER) return;
    if (satz->ballhalter == slot) {
        Abgeben(satz, slot);
        return;
    }
    Lage l = Einrichten(satz, slot);
    Figur& f = satz->figur[slot];
    const bool eigener_ball = satz->ballhalter >= 0 && satz->ballhalter < SF_SPIELER &&
                              Seite(satz->ballhalter) == l.seite;
    f.situation = 0;
    Plan p;
    p.schuss = l.kreuzt;
    Herauskommen(l, eigener_ball, p);
    Parade_Suchen(l, p);
    if (!Stellen_Und_Befehlen(l, eigener_ball, p)) return;
    Entscheidung_Takten(l, eigener_ball, p.schnell);
}

}  // namespace velmora
