// match/live/figur_bewegen.cpp
#include "match/live/figur_bewegen.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "core/rnd.h"
#include "match/live/anim.h"
#include "match/live/anweisung.h"
#include "match/record/spielfeld.h"
#include "match/live/spielfeld_ballflug.h"
#include "match/live/spielfeld_ereignis.h"
#include "match/record/spielfeld_hooks.h"
#include "match/live/spielfeld_ki_basis.h"

namespace velmora {
namespace {

constexpr float BALL_RADIUS = 11;          // diameter 22 cm
constexpr float RAHMEN_HALB = 6;           // posts and crossbar 12 cm wide
constexpr float RAHMEN_TREFFER = 17;       // a post or the crossbar is hit within 17 cm
constexpr float BODEN_OHNE_SPRUNG = 1.4f;  // from this ground factor on the ball does not bounce
constexpr float NETZ_DAEMPFUNG = 1.2f;
constexpr int32_t MAX_VORZEICHEN = 64;

struct Vorher {
    float x, y, z;
};

bool Spieler_Ok(int32_t slot) { return slot >= 0 && slot < SF_SPIELER; }
int32_t Gewechselt(const Spielfeld_Satz* satz) { return satz->seiten_gewechselt ? 1 : 0; }

void Halter_Entscheidet(Spielfeld_Satz* satz) {
    if (Spieler_Ok(satz->ballhalter)) satz->figur[satz->ballhalter].entscheiden = 1;
}

void Halter_Loesen(Spielfeld_Satz* satz) {
    satz->ballhalter = -1;
    satz->halter_beruehrungen = 0;
}

void Daempfen(Figur& b) {
    b.v[0] /= NETZ_DAEMPFUNG;
    b.v[1] /= NETZ_DAEMPFUNG;
}

// 1. The ball slows down: on the ground by its ground decelerations times the
// ground factor, in the air by its air decelerations.
void Bremsen(const Spielfeld_Satz* satz, Figur& b, Anweisung& a, float dt) {
    const bool boden = b.pos[2] == 0;
    const float faktor = boden ? satz->boden_faktor : 1.0f;
    const float bremse[2] = {(boden ? b.bremse[1] : b.bremse[0]) * faktor,
                             (boden ? b.bremse[3] : b.bremse[2]) * faktor};
    for (int32_t i = 0; i < 2; ++i) {
        if (b.v[i] == 0) continue;
        const float d = std::fabs(dt * bremse[i] / 1000);
        if (std::fabs(b.v[i]) <= d) {
            b.v[i] = 0;
            a.tempo = std::fabs(b.v[1 - i]);
        } else {
            b.v[i] -= std::copysign(d, b.v[i]);
        }
    }
}

// 5. Height from the flight clock; a landing bounces by the ground factor.
void Fliegen(Spielfeld_Satz* satz, Figur& f, Anweisung& a, float dt) {
    if (f.pos[2] == 0 && a.vz == 0) return;
    f.flug_zeit += dt;
    const double t = (double(f.flug_zeit) - f.flug_start) / 1000.0;
    f.pos[2] = float(Spielfeld_Ball_Hoehe(a.vz, a.tempo, t));
    if (!(f.pos[2] < 0)) return;
    f.pos[2] = 0;
    satz->aufprall = 1;
    f.flug_start = f.flug_zeit = 0;
    const float boden = satz->boden_faktor;
    if (!(boden < BODEN_OHNE_SPRUNG) || !(boden > 0)) {
        a.vz = 0;
    } else {
        a.vz = a.vz / (2 * boden);
        if (a.vz < 10) a.vz = 0;
    }
}

// 6. Arrival at the target, per axis; a diving header flies on past it.
void Ankommen(Spielfeld_Satz* satz, Figur& f, Anweisung& a, bool ist_ball, float alt_z) {
    if (f.dreh_geplant > 0) return;
    for (int32_t i = 0; i < 2; ++i) {
        const float v = f.v[i];
        if (!((v < 0 && f.pos[i] <= a.ziel[i]) || (v >= 0 && a.ziel[i] <= f.pos[i])) || v == 0) continue;
        if (a.anim == ANIM_FLUGKOPFBALL) {
            a.ziel[i] = f.pos[i] + 0.5f * v;
        } else {
            f.pos[i] = a.ziel[i];
            f.v[i] = 0;
        }
        if (ist_ball) Halter_Entscheidet(satz);
    }
    if (f.v[2] != 0 && (f.pos[2] - a.ziel[2] - 0.0000289f) * (alt_z - a.ziel[2]) < 0) {
        f.pos[2] = a.ziel[2];
        f.v[2] = 0;
        if (ist_ball) Halter_Entscheidet(satz);
    }
}

// 8. The holder carries the ball at his feet.
void Halter_Fuehrt(Spielfeld_Satz* satz, Figur& b, Anweisung& a) {
    const int32_t h = satz->ballhalter;
    if (!Spieler_Ok(h)) return;
    Figur& fh = satz->figur[h];
    const int32_t seite = h / SF_SPIELER_SEITE;
    const float d = std::fabs(float(satz->tor_x[seite]) - b.pos[0]);
    const float vorher = satz->ball_torabstand;
    satz->ball_torabstand = d;
    if (vorher > 4000 && d <= 4000) (seite == 0 ? satz->naechster1 : satz->naechster0) = -1;
    const float dx = b.pos[0] - fh.pos[0], dy = b.pos[1] - fh.pos[1];
    if (!(std::fabs(dy) < 50 && satz->empfaenger < 0 && satz->spielzustand == SZ_SPIEL && b.pos[2] < 150 &&
          std::fabs(dx) < 70))
        return;
    if (b.v[1] != 0) b.pos[1] = fh.pos[1] - 1;
    const int32_t wert8 = satz->spieler[h].werte[8];
    if (b.pos[2] == 0) {
        const float teiler = float(wert8 / 40 + 10) + 25;
        if (teiler > 0) {
            b.v[0] += b.v[0] / teiler;
            b.v[1] += b.v[1] / teiler;
            a.tempo += a.tempo / teiler;
        }
    } else {
        if (std::fabs(b.bremse[0]) < 2000 && std::fabs(b.bremse[2]) < 2000) {
            Figur_Bremse_Mal(&b, 0, 2, 5);
        }
        const float teiler = float(wert8 / 10 + 25) + 100;
        if (std::fabs(dx) < 30 && std::fabs(dy) < 30 && teiler > 0) {
            b.v[0] += b.v[0] / teiler;
            b.v[1] += b.v[1] / teiler;
            a.tempo += a.tempo / teiler;
        }
    }
    if (std::fabs(b.bremse[1]) > 4000) fh.entscheiden = 1;
}

// 9. The receiver of a pass takes the ball as it passes him; a ball that did
// not move passes nobody.
void Annehmen(Spielfeld_Satz* satz, Figur& b, const Vorher& v) {
    const int32_t r = satz->empfaenger;
    if (!Spieler_Ok(r) || !(b.pos[2] < 200) || (b.pos[0] == v.x && b.pos[1] == v.y)) return;
    Figur& fr = satz->figur[r];
    if (!((fr.pos[0] - b.pos[0]) * (fr.pos[0] - v.x) <= 0 || (fr.pos[1] - b.pos[1]) * (fr.pos[1] - v.y) <= 0)) return;
    const float d = Spielfeld_Abstand_Strecke(v.x, v.y, b.pos[0], b.pos[1], fr.pos[0], fr.pos[1], nullptr, nullptr);
    if (d == -1.0f || !(d < 50)) return;
    b.pos[0] = fr.pos[0];
    b.pos[1] = fr.pos[1];
    fr.entscheid_timer = 0;
    fr.entscheiden = 1;
    for (int32_t i = 0; i < 2; ++i) b.pos[i] += b.v[i] > 0 ? 20.0f : (b.v[i] < 0 ? -20.0f : 0.0f);
}

// The period ends at the first restart after it was asked for.
void Abschnitt_Ende_Pruefen(Spielfeld_Satz* satz) {
    if (satz->abschnitt_ende != 1 || satz->ball_linie != BALL_IM_SPIEL || satz->standard_marker[2] != 0 ||
        satz->spielzustand == SZ_ELFMETER)
        return;
    satz->abschnitt_ende = 2;
    if (satz->minute < 60) Spielfeld_Ereignis(satz, SE_ABSCHNITT, -1, -1);
    std::memset(satz->standard_marker, 0, sizeof satz->standard_marker);
    satz->foul_countdown = 0;
    Spielfeld_Spielzustand_Freigeben(satz);
    satz->unterbrechung_countdown = 0;
    satz->elfmeter_schuss = 0;
}

// The ball hit a post or the crossbar.
void Rahmen_Treffer(Spielfeld_Satz* satz, Figur& b, Anweisung& a, int32_t seite, float gx, float yc, float zc) {
    const Spielfeld_Konstanten& k = Spielfeld_Get_Konstanten();
    const float unten = float(k.pfosten_unten[seite]), oben = float(k.pfosten_oben[seite]),
                latte = float(k.latte[seite]);
    const bool latte_t = std::fabs(zc - latte) <= RAHMEN_TREFFER;
    const bool unten_t = std::fabs(yc - unten) <= RAHMEN_TREFFER, oben_t = std::fabs(yc - oben) <= RAHMEN_TREFFER;
    int32_t sx = -1, sy = 1;
    for (int32_t i = 0; i < MAX_VORZEICHEN; ++i) {
        sx = Rnd(0, 1) * 2 - 1;
        sy = (unten_t || oben_t) ? Rnd(0, 1) * 2 - 1 : 1;
        if (!(sx == 1 && sy == 1 && !latte_t)) break;
        sx = -1;
    }
    if (unten_t)
        b.pos[1] = unten;
    else if (oben_t)
        b.pos[1] = oben;
    b.pos[0] = seite == 0 ? gx + RAHMEN_TREFFER : gx - RAHMEN_TREFFER;
    b.v[0] *= 0.6f * float(sx);
    b.v[1] *= 0.6f * float(sy);
    if (std::fabs(b.bremse[1]) + std::fabs(b.bremse[3]) < 200) {
        Figur_Bremse_Mal(&b, 1, 2, 18);
    }
    Halter_Loesen(satz);
    for (int32_t s = 0; s < SF_SPIELER; ++s) {
        Spieler_Matchsatz& sm = satz->spieler[s];
        if (!(sm.zustand & SM_AUF_PLATZ)) continue;
        satz->slot_marke[s] = 0;
        const Figur& f = satz->figur[s];
        if (sm.werte[15] > sm.werte[0] && (std::fabs(f.pos[0] - b.pos[0]) < 1500 || sm.talent_flag[TALENT_FLAG(182)]))
            satz->figur[s].entscheiden = 1;
    }
    if (latte_t) {
        b.pos[2] = latte;
        const double t = (double(b.flug_zeit) - b.flug_start + 5) / 1000.0;
        const bool fallend = Spielfeld_Ball_Hoehe(a.vz, a.tempo, t) <= latte;
        if (Rnd(0, 1) == 1 && fallend) {
            Spielfeld_Ball_Flug_Steigend(&b);  // bounces up off the bar
        } else if (Rnd(0, 1) == 1 && !fallend) {
            a.vz -= 200;
            for (int32_t i = 0; i < 1000 && a.vz >= 0 && Spielfeld_Ball_Hoehe(a.vz, a.tempo, t) <= latte; ++i)
                a.vz -= 200;
        }
    }
    a.ziel[0] = b.pos[0] + 2 * b.v[0];
    a.ziel[1] = b.pos[1] + 2 * b.v[1];
    if (satz->unterbrechung_countdown > 1) --satz->unterbrechung_countdown;
    satz->ball_linie = BALL_ABPRALLER;
    satz->tor_reaktion = 0;
}

// The ball went past the goal, over the goal line.
void Vorbei(Spielfeld_Satz* satz, const Figur& b, float yc, int32_t verteidiger) {
    Halter_Loesen(satz);
    if (satz->ball_linie == BALL_IM_SPIEL && satz->pass_unterwegs) {
        // A kick-off clears the passer of a pass still in flight: counted for nobody.
        if (Spieler_Ok(satz->passgeber)) Spielfeld_Statistik_Element(satz, satz->passgeber, 0);
        satz->pass_unterwegs = 0;
    }
    satz->ball_linie = BALL_TORAUS;
    satz->tor_reaktion = 0;
    satz->wechsel_bereit[0] = satz->wechsel_bereit[1] = 0;
    std::memset(satz->standard_marker, 0, sizeof satz->standard_marker);
    if (satz->letzte_beruehrung == verteidiger) {
        satz->knapp_vorbei = 1;
        satz->standard_seite = int8_t(1 - verteidiger);
        satz->standard_marker[0] = 12;
    }
    const int32_t t = 1 - verteidiger;
    const float oben = float(Spielfeld_Get_Konstanten().pfosten_oben[0]);
    const bool weit = std::fabs(yc - oben) > 400 || b.pos[2] > 0;
    if (satz->anzeige_modus == 1) satz->reaktion_art[t] = weit ? 3 : 5;
    Spielfeld_Stimmung_Aendern(satz, t, weit ? 12 : 3);
    Spielfeld_Stimmung_Aendern(satz, 1 - t, weit ? -15 : -5);
}

// 10. The goal line: a goal, a miss, the frame, or a rebound back into play.
void Torlinie(Spielfeld_Satz* satz, Figur& b, Anweisung& a, const Vorher& v, bool ueber) {
    if (satz->ball_linie == BALL_SEITENAUS) return;
    const Spielfeld_Konstanten& k = Spielfeld_Get_Konstanten();
    const float L = float(k.laenge);
    const int32_t seite = b.pos[0] >= 1000 ? 1 : 0;
    const int32_t verteidiger = seite ^ Gewechselt(satz);
    const float gx = L * float(seite);
    const bool untersucht = (satz->ball_linie == BALL_IM_SPIEL || satz->ball_linie == BALL_ABPRALLER) &&
                            (b.pos[0] <= 10 || b.pos[0] > L - 10);
    if (!untersucht) {
        if (satz->ball_linie != BALL_ABPRALLER) return;
        // The rebound came back into the field: a shot off the frame.
        if (satz->unterbrechung_countdown == 0 && satz->elfmeter_schuss != 2)
            Spielfeld_Ereignis(satz, SE_PFOSTEN | SE_SCHUSS, satz->letzter_spieler, satz->vorletzter_spieler);
        satz->ball_linie = BALL_IM_SPIEL;
        satz->tor_reaktion = 0;
        if (satz->anzeige_modus == 1) {
            satz->reaktion_art[1 - verteidiger] = 2;
            Spielfeld_Stimmung_Aendern(satz, 1 - verteidiger, 12);
        }
        return;
    }
    const float yc = Spielfeld_Linie_Interpolieren(v.x, v.y, b.pos[0], b.pos[1], gx);
    const float zc = Spielfeld_Linie_Interpolieren(v.x, v.z, b.pos[0], b.pos[2], gx);
    const bool im_spiel = satz->ball_linie == BALL_IM_SPIEL;
    const float r = im_spiel ? BALL_RADIUS : 0, fr = im_spiel ? RAHMEN_HALB : 0;
    const float unten = float(k.pfosten_unten[seite]), oben = float(k.pfosten_oben[seite]),
                latte = float(k.latte[seite]);
    const bool beruehrt = yc - r < unten + fr || oben - fr < yc + r || latte - fr < zc + r;
    const bool draussen =
        satz->ball_linie == BALL_ABPRALLER || yc + r < unten - fr || oben + fr < yc - r || latte + fr < zc - r;
    if (draussen) {
        if (ueber) Vorbei(satz, b, yc, verteidiger);
    } else if (beruehrt) {
        Rahmen_Treffer(satz, b, a, seite, gx, yc, zc);
    } else if (ueber) {
        Halter_Loesen(satz);
        satz->ball_linie = BALL_TOR;
        satz->wechsel_bereit[0] = satz->wechsel_bereit[1] = 0;
        satz->tor_reaktion = 2;
        satz->tor_reaktion_seite = uint8_t(verteidiger ^ 1);
        // The advantage: the side awarded the free kick scored, the free kick lapses.
        if (satz->foul_countdown != 0 && verteidiger != satz->freistoss_seite) satz->foul_countdown = 0;
    }
}

// 11. Restart after the ball went over a goal line.
void Neustart_Torlinie(Spielfeld_Satz* satz, Figur& b, Anweisung& a, int32_t seite) {
    const Spielfeld_Konstanten& k = Spielfeld_Get_Konstanten();
    satz->w25127 = 0;
    const int32_t haelfte = b.pos[0] >= SPIELFELD_MITTE_X ? 1 : 0;
    b.v[0] = b.v[1] = b.v[2] = 0;
    const bool tief = b.pos[1] <= float(k.breite) / 2;
    if (satz->ball_linie == BALL_TOR) {
        // A goal of the side that fouled is not given: the ball stays dead in
        // the net until the free kick is whistled.
        if (!Spielfeld_Tor(satz, haelfte)) return;
        if (satz->elfmeter_schuss) satz->elfmeter_schuss = 2;
        Spielfeld_Hook_Ansicht_Tor(satz);
    }
    if (satz->unterbrechung_countdown >= 2) {
        --satz->unterbrechung_countdown;  // the restart waits
        satz->ball_linie = BALL_IM_SPIEL;
        satz->tor_reaktion = 0;
        return;
    }
    for (int32_t s = 0; s < SF_SPIELER; ++s) {
        Figur& f = satz->figur[s];
        if (!(satz->spieler[s].zustand & SM_AUF_PLATZ)) continue;
        const Anweisung& fa = f.ring[f.aktuell & 3];
        if (std::fabs(fa.ziel[0] - a.ziel[0]) < 500 || (std::fabs(fa.ziel[1] - a.ziel[1]) < 500 && f.situation == 0))
            f.entscheiden = 1;
    }
    for (int32_t s = 0; s < SF_SPIELER; ++s) satz->figur[s].situation = 0;
    if (satz->ball_linie == BALL_TOR) {
        satz->unterbrechung_bereit = 0;
        satz->neustart = 1;
        satz->foul_countdown = 0;
        std::memset(satz->standard_marker, 0, sizeof satz->standard_marker);
        Spielfeld_Spielzustand_Freigeben(satz);
        if (!satz->elfmeter_schuss) {
            satz->spielzustand = SZ_NACH_TOR;
            satz->standard_flag = 30;
        } else {
            satz->spielzustand = SZ_ANSTOSS;
            SetAnim(satz, FIGUR_BALL, SPIELFELD_MITTE_X, SPIELFELD_MITTE_Y, 0);
        }
    } else if (satz->unterbrechung_countdown == 0 && satz->elfmeter_schuss != 2) {
        const int32_t verteidiger = haelfte ^ Gewechselt(satz);
        Spielfeld_Ereignis(satz, uint32_t(verteidiger) | SE_DANEBEN | SE_SCHUSS, satz->letzter_spieler,
                           satz->vorletzter_spieler);
        Spielfeld_Spielzustand_Freigeben(satz);
        if (satz->letzte_beruehrung == verteidiger) {
            uint8_t& ecken = satz->ecken[1 - verteidiger];
            if (ecken < 255) ++ecken;
            satz->spielzustand = SZ_ECKE;
            SetAnim(satz, FIGUR_BALL, k.laenge * seite, tief ? 8 : k.breite - 8, 0);
        } else {
            satz->spielzustand = SZ_ABSTOSS;
            SetAnim(satz, FIGUR_BALL, k.torraum_x[haelfte], tief ? k.torraum_unten[haelfte] : k.torraum_oben[haelfte],
                    0);
        }
        a.tempo = 0;
        satz->unterbrechung_bereit = 0;
        satz->neustart = 1;
    }
    satz->ball_linie = BALL_IM_SPIEL;
    satz->tor_reaktion = 0;
    Halter_Loesen(satz);
    Figur_Stoppen(satz, FIGUR_BALL, 0);
    Abschnitt_Ende_Pruefen(satz);
}

// 11. Behind a goal line: in the net, against the side netting, the restart.
// True when the ball's frame ends here (it rolls on behind the line).
bool Hinter_Torlinie(Spielfeld_Satz* satz, Figur& b, Anweisung& a, const Vorher& v) {
    const Spielfeld_Konstanten& k = Spielfeld_Get_Konstanten();
    const float L = float(k.laenge), W = float(k.breite);
    const int32_t seite = b.pos[0] >= 11 ? 1 : 0;
    const float gx = L * float(seite);
    const float unten = float(k.pfosten_unten[seite]), oben = float(k.pfosten_oben[seite]),
                latte = float(k.latte[seite]);
    if (satz->ball_linie == BALL_TOR && (b.v[0] != 0 || b.v[1] != 0)) {
        if (b.pos[2] > latte - 25) {
            b.pos[2] = latte - 25;
            a.vz -= 100;
        }
        if (b.pos[1] <= unten || b.pos[1] >= oben) {
            b.pos[1] = b.pos[1] <= unten ? unten : oben;
            Daempfen(b);
            if (std::fabs(b.v[1]) > 400 || std::fabs(b.v[0]) > 400) Spielfeld_Netz_Wackeln(satz, seite);
        }
        const float tiefe = (70.0f / latte) * (latte - b.pos[2]) + 135;
        if (b.pos[0] <= -tiefe || b.pos[0] >= L + tiefe) {
            b.pos[0] = b.pos[0] <= -tiefe ? -tiefe : L + tiefe;
            Daempfen(b);
            if (std::fabs(b.v[0]) > 600 || std::fabs(b.v[1]) > 600) Spielfeld_Netz_Wackeln(satz, seite);
        }
        for (int32_t i = 0; i < 2; ++i) {
            if (b.v[i] != 0 && std::fabs(b.v[i]) < 50) {
                b.v[i] = 0;
                a.tempo = std::fabs(b.v[1 - i]);
            }
        }
    } else if (satz->ball_linie == BALL_TORAUS && std::fabs(b.v[0]) + std::fabs(b.v[1]) > 50 &&
               b.pos[0] + b.v[0] * 35 / 1000 >= -800 && b.pos[0] + b.v[0] * 35 / 1000 <= L + 800 && b.pos[1] >= 0 &&
               b.pos[1] <= W) {
        // The side netting stops a ball rolling along behind the line.
        if (v.y < unten && b.pos[1] >= unten) {
            b.pos[1] = unten - 1;
            Daempfen(b);
        } else if (v.y > oben && b.pos[1] <= oben) {
            b.pos[1] = oben + 1;
            Daempfen(b);
        }
        const float dach = latte - 16;
        const float tiefe = (70.0f / latte) * (latte - dach) + 135;
        if (v.z > dach && b.pos[2] <= dach && std::fabs(b.pos[0] - gx) < tiefe && b.pos[1] > unten && b.pos[1] < oben) {
            b.pos[2] = latte - 15;
            Daempfen(b);
        }
        return true;
    }
    const bool steht_im_tor = satz->ball_linie == BALL_TOR && b.v[0] == 0 && b.v[1] == 0;
    if ((steht_im_tor || satz->ball_linie == BALL_TORAUS) && satz->spielzustand == SZ_SPIEL)
        Neustart_Torlinie(satz, b, a, seite);
    return false;
}

// 12. Over a touch line: a throw-in where the ball crossed it, once it is dead.
void Seitenlinie(Spielfeld_Satz* satz, Figur& b, Anweisung& a, const Vorher& v) {
    const Spielfeld_Konstanten& k = Spielfeld_Get_Konstanten();
    const float L = float(k.laenge), W = float(k.breite);
    const bool draussen = b.pos[1] < -11 || b.pos[1] > W + 11;
    // A ball once over a touch line stays out of play wherever it rolls: one
    // that curls back into the field (carried out by a dribbler, it keeps
    // his push back inward) is dead there, since nobody may touch it and no
    // line is crossed again.
    const bool zurueck = satz->ball_linie == BALL_SEITENAUS && !draussen;
    if (!(((satz->ball_linie == BALL_IM_SPIEL || satz->ball_linie == BALL_SEITENAUS) && draussen) ||
          satz->ball_linie == BALL_HERAUSGENOMMEN || zurueck))
        return;
    satz->w25127 = 0;
    if (satz->ball_linie == BALL_IM_SPIEL && satz->pass_unterwegs) {
        // A kick-off clears the passer of a pass still in flight: counted for nobody.
        if (Spieler_Ok(satz->passgeber)) Spielfeld_Statistik_Element(satz, satz->passgeber, 0);
        if (satz->anzeige_modus == 1) {
            satz->reaktion_art[satz->ballhalter >= SF_SPIELER_SEITE ? 1 : 0] = 4;
            Spielfeld_Stimmung_Aendern(satz, satz->passgeber < SF_SPIELER_SEITE ? 1 : 0, -5);
        }
        satz->pass_unterwegs = 0;
    }
    if (satz->ball_linie != BALL_HERAUSGENOMMEN) {
        satz->ball_linie = BALL_SEITENAUS;
        satz->tor_reaktion = 0;
        satz->wechsel_bereit[0] = satz->wechsel_bereit[1] = 0;
    }
    const bool tot = zurueck || satz->ball_linie == BALL_HERAUSGENOMMEN || b.pos[0] < 0 || b.pos[0] > L || b.pos[1] < -250 ||
                     b.pos[1] > W + 250 || std::fabs(b.v[0]) + std::fabs(b.v[1]) == 0;
    if (!tot) return;
    if (satz->unterbrechung_countdown >= 2) {
        --satz->unterbrechung_countdown;
        return;
    }
    if (satz->spielzustand != SZ_SPIEL) return;
    b.pos[2] = 0;
    const float linie = b.pos[1] < W / 2 ? 0.0f : W;
    // Where the path crossed the line; a path almost along the line (or one
    // that crossed it behind a goal line) would put the spot far off the
    // pitch: the throw-in is taken on the touch line between the goal lines.
    // A ball back in the field is thrown in level with where it lies.
    const float x = zurueck || std::fabs(b.pos[1] - v.y) < 1 ? b.pos[0]
                                                  : Spielfeld_Linie_Interpolieren(v.y, v.x, b.pos[1], b.pos[0], linie);
    b.pos[0] = std::clamp(x, 0.0f, L);
    b.pos[1] = linie;
    b.v[0] = b.v[1] = b.v[2] = 0;
    a.vz = 0;
    Spielfeld_Spielzustand_Freigeben(satz);
    satz->spielzustand = SZ_EINWURF;
    satz->unterbrechung_bereit = 0;
    Halter_Loesen(satz);
    satz->ball_linie = BALL_IM_SPIEL;
    satz->tor_reaktion = 0;
    std::memset(satz->standard_marker, 0, sizeof satz->standard_marker);
    Abschnitt_Ende_Pruefen(satz);
}

// A figure at rest: idle with nothing left to do, back on its stand, or arrived.
void Ruhe(Spielfeld_Satz* satz, int32_t index, Figur& f, Anweisung& a) {
    if (std::fabs(f.v[0]) + std::fabs(f.v[1]) + std::fabs(a.vz) + std::fabs(f.pos[2]) + std::fabs(a.ziel[2]) != 0)
        return;
    a.tempo = 0;
    const int32_t cur = f.aktuell & 3;
    if ((a.flags == 0 || a.wiederholung == -1) && (!f.torwart || f.entscheid_intervall == 0)) {
        f.idle = 1;
        if (f.ring[(cur + 1) & 3].anim == -1) f.entscheiden = 1;
    } else if (a.wiederholung == -1) {
        // A keeper who waits between decisions takes his stance.
        SetNum(satz, index, satz->spielzustand == SZ_SPIEL ? ANIM_LAUF_NACH_TEMPO : ANIM_TORW_BEREIT, 0, 0, 0, -1, 0,
               -1, 0);
        for (int32_t s = 0; s < SF_ANWEISUNGEN; ++s) {
            if (s == cur) continue;
            f.ring[s].anim = -1;
            f.ring[s].flags = 0;
        }
    } else {
        a.angekommen = 1;
    }
}

}  // namespace

void Figur_Bewegen(Spielfeld_Satz* satz, int32_t index, Figur* f, float schritt, bool ist_ball) {
    if (!satz || !f || index < 0 || index >= SF_FIGUREN) return;
    Anweisung& a = f->ring[f->aktuell & 3];
    const float dt = schritt;
    if (ist_ball) Bremsen(satz, *f, a, dt);
    if (f->dreh_geplant > 0) {
        f->v[0] += f->dv[0];
        f->v[1] += f->dv[1];
        a.ziel[0] += a.schritt[0];
        a.ziel[1] += a.schritt[1];
        if (++f->dreh_gemacht >= f->dreh_geplant) {
            f->dreh_geplant = 0;
            Figur_Geschwindigkeit_Setzen(f, a.tempo);
        }
    }
    const Vorher v{f->pos[0], f->pos[1], f->pos[2]};
    for (int32_t i = 0; i < 2; ++i) {
        const float neu = f->pos[i] + dt / 1000 * f->v[i];
        if (neu == f->pos[i]) f->v[i] = 0;
        f->pos[i] = neu;
    }
    if (ist_ball) {
        float* z = satz->ball_ziel;
        if ((f->v[1] > 0 && f->pos[1] > z[1]) || (f->v[0] > 0 && f->pos[0] > z[0]) ||
            (f->v[1] < 0 && f->pos[1] < z[1]) || (f->v[0] < 0 && f->pos[0] < z[0])) {
            z[0] = f->pos[0] + f->v[0];
            z[1] = f->pos[1] + f->v[1];
        }
    }
    Fliegen(satz, *f, a, dt);
    Ankommen(satz, *f, a, ist_ball, v.z);
    if (ist_ball) {
        const Spielfeld_Konstanten& k = Spielfeld_Get_Konstanten();
        const float tx = a.ziel[0] + dt / 1000 * f->v[0], ty = a.ziel[1] + dt / 1000 * f->v[1];
        if (tx >= 0 && tx <= float(k.laenge) && ty >= 0 && ty <= float(k.breite)) {
            a.ziel[0] = tx;
            a.ziel[1] = ty;
        }
        Halter_Fuehrt(satz, *f, a);
        Annehmen(satz, *f, v);
        const bool ueber = (f->pos[0] < -11 || f->pos[0] >= float(k.laenge) + 11) && satz->wetter_init != 0;
        Torlinie(satz, *f, a, v, ueber);
        if (ueber || satz->ball_linie == BALL_TOR || satz->ball_linie == BALL_TORAUS)
            if (Hinter_Torlinie(satz, *f, a, v)) return;
        Seitenlinie(satz, *f, a, v);
    }
    Ruhe(satz, index, *f, a);
}

void Spielfeld_Netz_Wackeln(Spielfeld_Satz* satz, int32_t tor) {
    if (!satz || tor < 0 || tor > 1) return;
    int32_t figur[4], teil[4], n = 0;
    for (int32_t fig = FIGUR_TORNETZ; fig < FIGUR_TORNETZ + 8 && n < 4; ++fig) {
        const Anweisung& a = satz->figur[fig].ring[satz->figur[fig].aktuell & 3];
        if (a.anim < ANIM_TOR_BEWEGT || a.anim >= ANIM_TOR_RUHE + 8) continue;
        const int32_t r = (a.anim - ANIM_TOR_BEWEGT) % 8;
        if (r / 4 != tor) continue;
        if (a.flags != 0) return;  // the net still shakes
        figur[n] = fig;
        teil[n++] = r % 4;
    }
    for (int32_t i = 0; i < n; ++i) {
        const int32_t bewegt = ANIM_TOR_BEWEGT + 4 * tor + teil[i];
        SetZSA(satz, figur[i], -1, 0, 0, 0, bewegt, 0, Anim_Zeile(bewegt)->ref_frame_zeit, 0, -1, 1, 1, 0, 0, 0);
        SetZSA(satz, figur[i], -1, 0, 0, 0, ANIM_TOR_RUHE + 4 * tor + teil[i], 0, 0, 0, -1, 1, -1, 1, 0, 0);
    }
}

}  // namespace velmora
