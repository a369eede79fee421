// match/live/anweisung.cpp
#include "match/live/anweisung.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>

#include "core/debug.h"
#include "match/live/anim.h"
#include "match/live/spielfeld_ki_basis.h"

namespace velmora {
namespace {

bool Figur_Ok(int32_t figur, const char* name) {
    if (figur >= 0 && figur < SF_FIGUREN) return true;
    // A bad figure number is a programming fault; it is logged and the order
    // dropped, the match goes on.
    Debug_Printf("%s:%d\n", name, figur);
    return false;
}

bool Ring_Ok(int32_t ring) { return ring >= -1 && ring < SF_ANWEISUNGEN; }

int32_t Aktuell(const Figur& f) { return f.aktuell & 3; }

// The role byte (signed) divided by 0.03, as the stamina step reads it: a
// table of the 256 quotients, each the same division, done once (the
// division stood in every running figure's every frame step).
double Rolle_Durch_003(uint8_t rolle) {
    static const auto tabelle = [] {
        std::array<double, 256> t{};
        for (int32_t i = 0; i < 256; ++i) t[size_t(i)] = int8_t(uint8_t(i)) / 0.03;
        return t;
    }();
    return tabelle[rolle];
}

int32_t Slot_Von(const Figur& f, int32_t ring) { return ring < 0 ? Aktuell(f) : (Aktuell(f) + ring) & 3; }

bool Frei(const Anweisung& a) { return a.anim == -1 || a.flags == 0; }

void Ring_Voll(Figur& f) {
    for (Anweisung& a : f.ring) a.wiederholung = 1;
    f.entscheiden = 0;
}

// Walks on from slot n to the first free slot; -1 when the walk comes back to n.
int32_t Freien_Suchen(Figur& f, int32_t n, int32_t* letzter_belegter) {
    for (int32_t m = (n + 1) & 3; m != n; m = (m + 1) & 3) {
        if (Frei(f.ring[m])) return m;
        *letzter_belegter = m;
    }
    return -1;
}

constexpr float GEHEN_BIS = float(1000000.0 / 3600.0);     // 10 km/h in cm/s
constexpr float LAUFEN1_BIS = float(1600000.0 / 3600.0);
constexpr float LAUFEN2_BIS = float(2000000.0 / 3600.0);
constexpr float LAUFEN3_BIS = float(3000000.0 / 3600.0);

// Spreads the way from (von_x, von_y) to the target (ziel_x, ziel_y) over the
// planned turning frames (at least the figure's minimum); the order's target
// takes the first step at once.
void Drehung_Planen(Figur& f, Anweisung& a, float ziel_x, float ziel_y, float von_x, float von_y) {
    f.dreh_gemacht = 0;
    if (f.dreh_geplant < f.dreh_min) f.dreh_geplant = f.dreh_min;
    f.dv[0] = f.dv[1] = 0;
    a.schritt[0] = (ziel_x - von_x) / float(f.dreh_geplant + 1);
    a.schritt[1] = (ziel_y - von_y) / float(f.dreh_geplant + 1);
    a.ziel[0] = von_x + a.schritt[0];
    a.ziel[1] = von_y + a.schritt[1];
}

// The distance run since the point last counted goes into the figure's total
// (in open play, divided by the time factor); the point moves on in any case.
void Weg_Zaehlen(Spielfeld_Satz* satz, Figur& f) {
    if ((f.pos[0] != f.gezaehlt[0] || f.pos[1] != f.gezaehlt[1]) && f.gezaehlt[0] != 0 && f.gezaehlt[0] != -1 &&
        satz->spielzustand == SZ_SPIEL) {
        float zf = satz->zeit_faktor > 0 ? satz->zeit_faktor : 1.0f;
        double weg = (std::fabs(f.pos[0] - f.gezaehlt[0]) + std::fabs(f.pos[1] - f.gezaehlt[1])) / zf;
        if (weg < 1e9) f.gelaufen = int32_t(std::min<int64_t>(int64_t(f.gelaufen) + int64_t(weg), INT32_MAX));
    }
    f.gezaehlt[0] = f.pos[0];
    f.gezaehlt[1] = f.pos[1];
}

}  // namespace


int32_t Anim_Nach_Tempo(const Anweisung* a) {
    if (!a || !(a->tempo > 0)) return ANIM_STEHEN;
    if (a->tempo <= GEHEN_BIS) return ANIM_GEHEN;
    if (a->tempo <= LAUFEN1_BIS) return ANIM_LAUFEN_1;
    if (a->tempo <= LAUFEN2_BIS) return ANIM_LAUFEN_2;
    if (a->tempo <= LAUFEN3_BIS) return ANIM_LAUFEN_3;
    return ANIM_SPRINT;
}

int32_t SetZiel(Spielfeld_Satz* satz, int32_t figur, int32_t x, int32_t y, int32_t z, int32_t ring, int32_t modus) {
    if (!satz || !Figur_Ok(figur, "SetZiel") || !Ring_Ok(ring)) return -1;
    Figur& f = satz->figur[figur];
    int32_t cur = Aktuell(f);
    if (figur == FIGUR_BALL) {
        satz->ball_ziel[0] = float(x);
        satz->ball_ziel[1] = float(y);
        if (ring <= 0)
            for (float& b : f.bremse) b = 1.0f;
        if (satz->ballhalter >= 0 && satz->ballhalter < SF_SPIELER) satz->figur[satz->ballhalter].entscheiden = 1;
    }
    int32_t n = cur;
    int32_t letzter_belegter = -1;
    if (ring >= 1) {
        n = (cur + ring) & 3;
        if (!(modus & ZIEL_IGNORIEREN) && f.ring[n].flags != 0 && f.ring[cur].dauer != 0) {
            int32_t m = (modus & ZIEL_ANHAENGEN) ? Freien_Suchen(f, n, &letzter_belegter) : -1;
            if (m < 0) {
                Ring_Voll(f);
                return -1;
            }
            letzter_belegter = letzter_belegter < 0 ? n : letzter_belegter;
            n = m;
        }
    } else if (ring == 0) {
        Anweisung& a = f.ring[cur];
        if (a.flags != 0 && a.dauer != 0) {
            if (a.wiederholung == -1) a.wiederholung = 1;
            if (modus & ZIEL_ANHAENGEN) {
                int32_t m = Freien_Suchen(f, cur, &letzter_belegter);
                if (m < 0) {
                    Ring_Voll(f);
                    return -1;
                }
                letzter_belegter = letzter_belegter < 0 ? cur : letzter_belegter;
                n = m;
            }
        }
    }
    if (n == cur && ring <= 0) {
        f.geaendert = 1;
        if (f.situation == 0) f.entscheid_intervall = 0;
    }
    Anweisung& a = f.ring[n];
    if (figur < SF_SPIELER) {
        a.links = float(x) < f.pos[0] ? 1 : 0;
        a.unten = float(y) < f.pos[1] ? 1 : 0;
    }
    if (modus & ZIEL_FLAGS_10) a.flags = (modus & ZIEL_BIT5) ? 42 : 10;
    if (modus & ZIEL_FLAGS_8) a.flags = 8;
    if (letzter_belegter >= 0 && f.ring[letzter_belegter].tempo == 0) f.ring[letzter_belegter].wiederholung = 1;

    if (n == cur && figur != FIGUR_BALL && f.dreh_geplant >= 0 && (f.v[0] != 0 || f.v[1] != 0)) {
        Drehung_Planen(f, a, float(x), float(y), a.ziel[0], a.ziel[1]);
    } else {
        if (n == cur) f.dreh_geplant = 0;
        a.ziel[0] = float(x);
        a.ziel[1] = float(y);
        a.ziel[2] = float(z);
    }
    if (!(f.situation != 0 && float(x) == f.pos[0] && float(y) == f.pos[1])) f.entscheiden = 0;
    return (n - cur + 4) & 3;
}

void Figur_Geschwindigkeit_Setzen(Figur* f, float tempo) {
    if (!f) return;
    const Anweisung& a = f->ring[Aktuell(*f)];
    float ax = a.ziel[0], ay = a.ziel[1];
    if (f->dreh_geplant > 0) {
        int32_t rest = f->dreh_geplant - f->dreh_gemacht;
        ax += float(rest) * a.schritt[0];
        ay += float(rest) * a.schritt[1];
    }
    double dx = std::fabs(double(f->pos[0]) - ax), dy = std::fabs(double(f->pos[1]) - ay);
    double d = std::sqrt(dx * dx + dy * dy);
    float alt_x = f->v[0], alt_y = f->v[1];
    float vx, vy;
    if (dy == 0 || d == 0) {
        vx = tempo;
        vy = 0;
        f->bremse[2] = f->bremse[3] = 0;
        if (f->bremse[1] != 0) {
            f->bremse[1] = 90;
            f->bremse[0] = 5;
        }
    } else {
        vx = float(tempo * dx / d);
        vy = float(tempo * dy / d);
        if (f->bremse[1] != 0) {
            f->bremse[1] = float(90 * dx / d);
            f->bremse[0] = float(5 * dx / d);
            f->bremse[3] = float(90 * dy / d);
            f->bremse[2] = float(5 * dy / d);
        }
    }
    float vz = 0;
    if (ax < f->pos[0]) {
        vx = -vx;
        f->bremse[0] = -f->bremse[0];
        f->bremse[1] = -f->bremse[1];
    }
    if (ay < f->pos[1]) {
        vy = -vy;
        f->bremse[2] = -f->bremse[2];
        f->bremse[3] = -f->bremse[3];
    }
    if (a.ziel[2] < f->pos[2]) vz = -vz;
    f->v[2] = vz;
    if (!f->ist_ball) {
        int32_t k = f->dreh_geplant - f->dreh_gemacht + 1;
        if (k > 0) {
            f->dv[0] = (vx - alt_x) / float(k);
            f->dv[1] = (vy - alt_y) / float(k);
            vx = alt_x + f->dv[0];
            vy = alt_y + f->dv[1];
        }
    }
    f->v[0] = vx;
    f->v[1] = vy;
}

void Figur_Bremse_Mal(Figur* f, int32_t erste, int32_t schritt, float faktor) {
    if (!f || erste < 0 || schritt < 1) return;
    for (int32_t i = erste; i < 4; i += schritt)
        f->bremse[i] = std::clamp(f->bremse[i] * faktor, -FIGUR_BREMSE_GRENZE, FIGUR_BREMSE_GRENZE);
}

void SetSpeed(Spielfeld_Satz* satz, int32_t figur, float tempo, int32_t ring) {
    if (!satz || !Figur_Ok(figur, "SetSpeed") || !Ring_Ok(ring)) return;
    Figur& f = satz->figur[figur];
    if (!(tempo > 0)) tempo = 0;
    int32_t n = Slot_Von(f, ring);
    Anweisung& a = f.ring[n];
    if (n != Aktuell(f)) {
        a.tempo = tempo;
        return;
    }
    if (a.ziel[0] == f.pos[0] && a.ziel[1] == f.pos[1] && a.ziel[2] == f.pos[2]) tempo = 0;
    f.geaendert = 1;
    a.tempo = tempo;
    Figur_Geschwindigkeit_Setzen(&f, tempo);
}

void SetNum(Spielfeld_Satz* satz, int32_t figur, int32_t anim, int32_t start, float dauer, int32_t erstes,
            int32_t letztes, int32_t schritt, int32_t wiederholung, int32_t ring) {
    if (!satz || !Figur_Ok(figur, "SetNum") || !Ring_Ok(ring)) return;
    Figur& f = satz->figur[figur];
    int32_t cur = Aktuell(f);
    int32_t n = Slot_Von(f, ring);
    Anweisung& a = f.ring[n];
    if (ring == 0) f.geaendert = 1;
    a.folge = -1;
    if (anim == ANIM_LAUF_NACH_TEMPO) {
        anim = Anim_Nach_Tempo(&a);
        if (anim == ANIM_STEHEN) a.folge = ANIM_TORW_STEHEN;
        if (f.torwart)
            anim = anim == ANIM_STEHEN ? ANIM_TORW_STEHEN : (anim == ANIM_GEHEN ? ANIM_TORW_GEHEN : ANIM_TORW_SPRINT);
    } else if (anim == ANIM_STEHEN) {
        if (a.anim >= 0 && a.anim < 7) {
            anim = a.anim;
            wiederholung = a.wiederholung;
        } else {
            // A finite current order yields no variant; the slot then shows the
            // plain stand row, so it never becomes free and no row outside the
            // table is read.
            int32_t z = Figur_Standvariante_Waehlen(&f, ANIM_STEHEN);
            anim = z >= 0 ? z : ANIM_STEHEN;
        }
    }
    if (f.torwart && (anim == ANIM_BRUSTANNAHME || anim == ANIM_STEHEN)) anim = ANIM_TORW_STEHEN;
    if (f.torwart && ring == 0) f.verfehlt = 0;
    const Anim_Satz* zeile = Anim_Zeile(anim);
    if (!zeile || !zeile->benutzt) {
        Debug_Printf("SetNum: Animation %d ungueltig\n", anim);
        anim = f.torwart ? ANIM_TORW_STEHEN : ANIM_STEHEN;
        zeile = Anim_Zeile(anim);
    }
    if (schritt == 0) dauer = 0;
    else if (dauer == -1) dauer = a.tempo > 0 ? zeile->ref_frame_zeit * zeile->ref_tempo / a.tempo : 0;

    if (n == cur && ring == 0) {
        const Anim_Satz* alt = Anim_Zeile(a.anim);
        if (anim == a.anim || figur == FIGUR_BALL) {
            start = a.frame;
        } else if (alt && alt->lauf_gruppe >= 0 && zeile->lauf_gruppe >= 0) {
            start = Anim_Schritt_Uebergang(alt->lauf_gruppe, zeile->lauf_gruppe, a.frame);
            f.anim_timer = dauer;
        } else if (zeile->lauf_gruppe >= 0) {
            start = Anim_Gruppen_Start(zeile->lauf_gruppe);
            f.anim_timer = dauer;
        }
    }
    Weg_Zaehlen(satz, f);

    a.anim = anim;
    if (a.flags & 8) a.flags = uint8_t(a.flags & ~8);
    else a.flags = zeile->flags;
    a.frame = int8_t(start);
    a.erstes = int8_t(erstes);
    a.frame_schritt = int8_t(schritt);
    a.wiederholung = int8_t(wiederholung);
    a.letztes_anim = int8_t(zeile->letzter_frame);
    a.letztes = int8_t(letztes == -1 ? zeile->letzter_frame : letztes);
    a.dauer = dauer;
    f.idle = 0;
    int32_t m = (n + 1) & 3;
    if (m != cur) {
        f.ring[m].anim = -1;
        f.ring[m].flags = 0;
    }
}

bool SetZSA(Spielfeld_Satz* satz, int32_t figur, int32_t x, int32_t y, int32_t z, int32_t tempo, int32_t anim,
            int32_t start, float dauer, int32_t erstes, int32_t letztes, int32_t schritt, int32_t wiederholung,
            int32_t ring, int32_t modus, int32_t modus_hoch) {
    if (!satz || !Figur_Ok(figur, "SetZSA")) return false;
    if (x == -1) {
        const Anim_Satz* zeile = Anim_Zeile(anim);
        if (zeile) {
            x = int32_t(zeile->pos[0]);
            y = int32_t(zeile->pos[1]);
            z = int32_t(zeile->pos[2]);
        }
    }
    int32_t r = SetZiel(satz, figur, x, y, z, ring, modus | modus_hoch);
    if (r < 0) return false;
    SetSpeed(satz, figur, float(tempo), r);
    Figur& f = satz->figur[figur];
    f.ring[Slot_Von(f, r)].angekommen = (tempo == 0 && dauer >= 1) ? 1 : 0;
    SetNum(satz, figur, anim, start, dauer, erstes, letztes, schritt, wiederholung, r);
    return true;
}

void SetAnim(Spielfeld_Satz* satz, int32_t figur, int32_t x, int32_t y, int32_t z) {
    if (!satz || !Figur_Ok(figur, "SetAnim")) return;
    Figur& f = satz->figur[figur];
    if (x == -1) {
        const Anweisung& a = f.ring[Aktuell(f)];
        int32_t rest = f.dreh_geplant > 0 ? f.dreh_geplant - f.dreh_gemacht : 0;
        f.pos[0] = std::round(a.ziel[0]) + float(rest) * a.schritt[0];
        f.pos[1] = std::round(a.ziel[1]) + float(rest) * a.schritt[1];
        f.pos[2] = a.ziel[2];
    } else {
        f.pos[0] = float(x);
        f.pos[1] = float(y);
        f.pos[2] = float(z);
    }
    f.dreh_geplant = 0;
}

void Figur_Stoppen(Spielfeld_Satz* satz, int32_t figur, float vz) {
    if (!satz || !Figur_Ok(figur, "Figur_Stoppen")) return;
    Figur& f = satz->figur[figur];
    f.pos[2] = 0;
    Anweisung& a = f.ring[Aktuell(f)];
    a.tempo = 0;
    a.vz = vz;
    f.flug_start = f.flug_zeit = 0;
}

// ---------------------------------------------------------------------------
// The animation step.

namespace {

constexpr int32_t MAX_FRAME_SCHRITTE = 100;   // per call: a tiny duration from a damaged record cannot hang a frame
constexpr double AUSDAUER_MAX = 10000.0;

// Brakes, the tackle and dribbling rules and the stamina of a player, in a
// frame whose stamina timer ran out.
void Spieler_Schritt(Spielfeld_Satz* satz, int32_t index, Figur& f, Anweisung& a, const Anim_Satz& z, int32_t next) {
    if (z.brems_frame != 0 && next >= z.brems_frame && z.brems_divisor > 0) {
        f.v[0] /= z.brems_divisor;
        f.v[1] /= z.brems_divisor;
        if (f.dreh_geplant > 0) {
            float rest = float(f.dreh_geplant - f.dreh_gemacht);
            a.ziel[0] += rest * a.schritt[0];
            a.ziel[1] += rest * a.schritt[1];
            f.v[0] += rest * f.dv[0];
            f.v[1] += rest * f.dv[1];
            f.dreh_geplant = 0;
        }
    }
    Spieler_Matchsatz& sm = satz->spieler[index];
    const bool halter = satz->ballhalter == index && satz->ballkontrolle != 0;
    if (a.anim == ANIM_GRAETSCHEN && next >= 10 && halter) f.v[0] = f.v[1] = 0;
    if ((a.anim == ANIM_DRIBBLING_1 || a.anim == ANIM_DRIBBLING) && !(halter && sm.druck >= 2)) {
        a.flags = 0;
        f.entscheiden = 1;
    }

    // Stamina: above 700 cm/s it is used up, faster the more tired and pressed
    // the side plays; below it comes back, less so with fatigue.
    const int32_t fit = sm.fitness;
    double k = (double(a.tempo) - 700.0) / 180.0;
    if (k >= 0) {
        k += (double(sm.ausdauer >> 8) + Rolle_Durch_003(sm.rolle[0]) +
              (int32_t(satz->pressing[index / SF_SPIELER_SEITE]) - 30) * 2.2) / 200.0;
        const double teiler = 2.0 * (fit + 1);
        if (fit + 2.2 < k && teiler > 0 && sm.ausdauer < 10000.0 / teiler && sm.frische < 1000) ++sm.frische;
    } else {
        k = (12 - sm.frische / 120) * k;
    }
    const double verbrauch = std::trunc(k > 0 ? (6 - fit) * k : (fit + 6) * k);
    double neu = double(sm.ausdauer) - verbrauch;
    if (!std::isfinite(neu)) neu = sm.ausdauer;
    sm.ausdauer = int32_t(std::clamp(neu, 0.0, AUSDAUER_MAX));
}

// The next queued order takes over from the one that ended.
void Uebergeben(Spielfeld_Satz* satz, int32_t index, Figur& f, Anweisung& alt) {
    const int32_t alt_anim = alt.anim;
    alt.flags = 0;
    alt.anim = -1;
    if (alt_anim == ANIM_DRIBBLING) {
        // The dribble lets the ball go where the player will be in 0.1 s.
        Figur& ball = satz->figur[FIGUR_BALL];
        ball.pos[0] = f.pos[0] + 0.1f * f.v[0];
        ball.pos[1] = f.pos[1] + 0.1f * f.v[1];
    }
    f.aktuell = int8_t((Aktuell(f) + 1) & 3);
    Anweisung& b = f.ring[Aktuell(f)];
    if (b.dauer == 0) f.anim_timer = 0;
    const Anim_Satz& z = Anim_Zeile_Oder_Stand(b.anim, "Figur_Anim_Schritt");
    int32_t start = b.frame;
    if (index == FIGUR_BALL) {
        start = b.erstes;
    } else if (b.anim != alt_anim || z.link >= 0) {
        if (z.reichweite_seite != 0) f.entscheiden = 1;
        start = z.lauf_gruppe >= 0 ? Anim_Gruppen_Start(z.lauf_gruppe) : b.erstes;
        if (f.torwart) f.verfehlt = 0;
    }
    if (b.ziel[0] == f.pos[0] && b.ziel[1] == f.pos[1] && b.ziel[2] == f.pos[2]) {
        if (b.flags != 0 && b.wiederholung != -1) b.angekommen = 1;
        b.tempo = 0;
        f.dreh_geplant = 0;
    } else {
        f.idle = 0;
        if (index != FIGUR_BALL && f.dreh_geplant >= 0) Drehung_Planen(f, b, b.ziel[0], b.ziel[1], f.pos[0], f.pos[1]);
    }
    Figur_Geschwindigkeit_Setzen(&f, b.tempo);
    b.frame = int8_t(start);
}

// One frame step of the current order; false when the step ended the call.
bool Frame_Schritt(Spielfeld_Satz* satz, int32_t index, Figur& f) {
    Anweisung& a = f.ring[Aktuell(f)];
    const Anim_Satz& z = Anim_Zeile_Oder_Stand(a.anim, "Figur_Anim_Schritt");
    int32_t next = a.frame + a.frame_schritt;
    if (index < SF_SPIELER && satz->ausdauer_timer <= 0) Spieler_Schritt(satz, index, f, a, z, next);

    const bool ende = next > a.letztes || next < 0 || (f.idle && a.flags == 0) ||
                      (a.tempo == 0 && !a.angekommen && a.flags == 0);
    if (ende) {
        const bool endlos = a.wiederholung == -1;
        if (!endlos) a.wiederholung = int8_t(std::max(a.wiederholung - 1, 0));
        if ((endlos && !f.idle) || (!endlos && a.wiederholung >= 1)) {
            if (next < 0) next = a.letztes;
            else if (next > a.letztes) next = 0;
        } else {
            Weg_Zaehlen(satz, f);
            if (f.ring[(Aktuell(f) + 1) & 3].anim == -1) {
                // Nothing queued: the figure asks its AI again and stops.
                if ((satz->standard_marker[2] == 0 || f.situation == 20) && (!f.torwart || f.entscheid_intervall == 0))
                    f.entscheiden = 1;
                if (!endlos || (f.v[0] == 0 && f.v[1] == 0)) {
                    f.v[0] = f.v[1] = f.v[2] = 0;
                    a.tempo = 0;
                    a.flags = 0;
                    a.dauer = 0;
                    f.dreh_geplant = 0;
                    if (f.torwart) f.entscheiden = 1;
                }
                a.wiederholung = -1;
                f.idle = 0;
                return false;
            }
            Uebergeben(satz, index, f, a);
            f.anim_timer += f.ring[Aktuell(f)].dauer;
            return true;
        }
    }
    a.frame = int8_t(next);
    f.anim_timer += a.dauer;
    return true;
}

}  // namespace

void Figur_Anim_Schritt(Spielfeld_Satz* satz, int32_t index, Figur* f, float schritt) {
    if (!satz || !f || !Figur_Ok(index, "Figur_Anim_Schritt")) return;
    f->anim_timer -= schritt;
    for (int32_t n = 0; f->anim_timer < 0; ++n) {
        const Anweisung& a = f->ring[Aktuell(*f)];
        // A stationary order (no frame duration) makes no frame step: adding
        // its duration back would never bring the timer up again.
        if (!(a.dauer > 0)) {
            f->anim_timer = 0;
            return;
        }
        if (n == MAX_FRAME_SCHRITTE) {
            Debug_Printf("Figur_Anim_Schritt: Figur %d, Dauer %g zu kurz\n", index, double(a.dauer));
            f->anim_timer = 0;
            return;
        }
        if (!Frame_Schritt(satz, index, *f)) return;
    }
}

}  // namespace velmora
