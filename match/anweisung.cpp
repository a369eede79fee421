// match/anweisung.cpp
#include "match/anweisung.h"

#include <cmath>

#include "core/debug.h"
#include "core/rnd.h"
#include "match/anim.h"

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

}  // namespace

Anweisung* Figur_Aktuelle_Anweisung(Figur* f) { return f ? &f->ring[Aktuell(*f)] : nullptr; }

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
        f.dreh_gemacht = 0;
        if (f.dreh_geplant < f.dreh_min) f.dreh_geplant = f.dreh_min;
        f.dv[0] = f.dv[1] = 0;
        a.schritt[0] = (float(x) - a.ziel[0]) / float(f.dreh_geplant + 1);
        a.schritt[1] = (float(y) - a.ziel[1]) / float(f.dreh_geplant + 1);
        a.ziel[0] += a.schritt[0];
        a.ziel[1] += a.schritt[1];
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
        if (f.torwart) anim = anim == ANIM_STEHEN ? ANIM_TORW_STEHEN : (anim == ANIM_GEHEN ? ANIM_TORW_GEHEN : ANIM_TORW_SPRINT);
    } else if (anim == ANIM_STEHEN) {
        if (a.anim >= 0 && a.anim < 7) {
            anim = a.anim;
            wiederholung = a.wiederholung;
        } else if (f.ring[cur].wiederholung == -1) {
            // A stand variant drawn from the rows in use among 0-6.
            int32_t zeile = ANIM_STEHEN;
            for (int32_t versuch = 0; versuch < 64; ++versuch) {
                int32_t z = Rnd(0, 6);
                if (Anim_Zeile(z)->benutzt) {
                    zeile = z;
                    break;
                }
            }
            anim = zeile;
            wiederholung = 10;
        }
        // A finite order asked for a stand keeps the plain stand row, so the
        // slot never becomes free and no row outside the table is read.
    }
    if (f.torwart && (anim == ANIM_BRUSTANNAHME || anim == ANIM_STEHEN)) anim = ANIM_TORW_STEHEN;
    const Anim_Satz* zeile = Anim_Zeile(anim);
    if (!zeile) {
        Debug_Printf("SetNum: Animation %d ungueltig\n", anim);
        anim = f.torwart ? ANIM_TORW_STEHEN : ANIM_STEHEN;
        zeile = Anim_Zeile(anim);
    }
    if (schritt == 0) dauer = 0;
    else if (dauer == -1) dauer = a.tempo > 0 ? zeile->ref_frame_zeit * zeile->ref_tempo / a.tempo : 0;

    if (n == cur && ring >= 0 && ring <= 0) {
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
    if ((f.pos[0] != f.gezaehlt[0] || f.pos[1] != f.gezaehlt[1]) && f.gezaehlt[0] != 0 && f.gezaehlt[0] != -1 &&
        satz->spielzustand == SZ_SPIEL) {
        float zf = satz->zeit_faktor > 0 ? satz->zeit_faktor : 1.0f;
        double weg = (std::fabs(f.pos[0] - f.gezaehlt[0]) + std::fabs(f.pos[1] - f.gezaehlt[1])) / zf;
        if (weg < 1e9) f.gelaufen += int32_t(weg);
    }
    f.gezaehlt[0] = f.pos[0];
    f.gezaehlt[1] = f.pos[1];

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

}  // namespace velmora
