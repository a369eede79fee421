// match/live/spielfeld_besitz.cpp
#include "match/live/spielfeld_besitz.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "core/debug.h"
#include "core/zahlen.h"
#include "match/live/anim.h"
#include "match/record/spielfeld.h"
#include "match/live/spielfeld_ereignis.h"
#include "match/live/spielfeld_standard.h"
#include "match/record/spielfeld_hooks.h"

namespace velmora {
namespace {

constexpr int32_t KEINER = -1;

bool Spieler_Ok(int32_t slot) { return slot >= 0 && slot < SF_SPIELER; }
int32_t Seite_Von(int32_t slot) { return slot >= SF_SPIELER_SEITE ? 1 : 0; }
bool Auf_Platz(const Spielfeld_Satz* satz, int32_t slot) { return (satz->spieler[slot].zustand & SM_AUF_PLATZ) != 0; }

void Ordnen(int32_t& a, int32_t& b) {
    if (b < a) std::swap(a, b);
}

bool Streng_Innen(const Figur& f, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    return f.pos[0] > float(x1) && f.pos[0] < float(x2) && f.pos[1] > float(y1) && f.pos[1] < float(y2);
}

// Distances between positions are truncated to whole centimetres; a position
// no integer holds (a damaged record) counts as far away.
int32_t Ganz(double d) { return d < 2e9 ? int32_t(d) : 2000000000; }

void Aus_Dem_Spiel(Spielfeld_Satz* satz) {
    if (satz->ball_linie != 4) return;
    satz->ball_linie = 5;
    satz->tor_reaktion = 0;
    satz->wechsel_bereit[0] = satz->wechsel_bereit[1] = 0;
}

// Possession goes to a new player: keepers holding the ball let it go.
void Besitz_Uebernehmen(Spielfeld_Satz* satz, int32_t h) {
    Figur& fh = satz->figur[h];
    satz->ballwechsel = 0;
    Anweisung& ah = fh.ring[fh.aktuell & 3];
    if (ah.anim == ANIM_GRAETSCHEN && ah.frame < 5) {
        // A tackle that wins the ball early plays back.
        fh.v[0] = fh.v[1] = 0;
        ah.angekommen = 1;
        ah.frame_schritt = int8_t(-ah.frame_schritt);
    }
    fh.entscheid_timer = 0;
    fh.v[0] = fh.v[1] = 0;
    satz->tor_art = satz->figur[FIGUR_BALL].pos[2] >= 200 ? 1 : 0;
    if (satz->standard_marker[0] == 1 || satz->standard_marker[0] == 2) --satz->standard_marker[0];
    for (int32_t i = 1; i < 3; ++i)
        if (satz->standard_marker[i] > 0) --satz->standard_marker[i];
    for (int32_t k = 0; k < SF_SPIELER; ++k) {
        Figur& tw = satz->figur[k];
        if (k == h || !tw.torwart) continue;
        Anweisung& a = tw.ring[tw.aktuell & 3];
        const Anim_Satz* z = Anim_Zeile(a.anim);
        if (!z || z->link < 0) continue;
        if (z->reichweite_seite <= 1) a.flags = 0;
        tw.verfehlt = 1;
        satz->torwart_verfehlt = -1;
        for (int32_t s = 0; s < SF_ANWEISUNGEN; ++s) {
            if (s == (tw.aktuell & 3)) continue;
            tw.ring[s].anim = -1;
            tw.ring[s].flags = 0;
        }
    }
}

// The pass in flight ends: completed between team-mates, or lost.
void Pass_Beenden(Spielfeld_Satz* satz, int32_t h, int32_t p) {
    satz->live_anweisung = 0;
    satz->w25126 = 0;
    if (Seite_Von(h) == Seite_Von(p)) {
        satz->pass_unterwegs = 0;
        if (satz->pass_jubel && satz->anzeige_modus == 1) {
            if (satz->ton && satz->frame_zaehler < 2)
                Spielfeld_Hook_Sound_Play(2, 0, 320, 3, Spielfeld_Hook_Zufall(1, 3));
            satz->reaktion_art[Seite_Von(p)] = 3;
            Spielfeld_Stimmung_Aendern(satz, Seite_Von(p), 2);
        }
        satz->vorletzter_spieler = p;
        return;
    }
    satz->vorderster_x = 5400.0f;
    if (satz->pass_unterwegs) {
        const int32_t passgeber = satz->passgeber;
        // A kick-off clears the passer of a pass still in flight: counted for nobody.
        if (Spieler_Ok(passgeber)) Spielfeld_Statistik_Element(satz, passgeber, 0);
        if (satz->anzeige_modus == 1 && Spieler_Ok(passgeber))
            Spielfeld_Stimmung_Aendern(satz, Seite_Von(passgeber), -6);
        satz->pass_unterwegs = 0;
    }
    satz->vorletzter_spieler = -1;
}

}  // namespace

int32_t Spielfeld_Abstand_Tor(const Spielfeld_Satz* satz, int32_t figur) {
    if (!satz || figur < 0 || figur >= SF_FIGUREN) return 0;
    const int32_t s = Spielfeld_Ballbesitz_Seite(satz);
    const Figur& f = satz->figur[figur];
    const double dx = double(satz->tor_x[s]) - f.pos[0], dy = double(satz->tor_y[s]) - f.pos[1];
    return Ganz(Hypot(dx, dy));
}

int32_t Spielfeld_Abstand(const Spielfeld_Satz* satz, int32_t a, int32_t b) {
    if (!satz || a < 0 || a >= SF_FIGUREN || b < 0 || b >= SF_FIGUREN) return 0;
    const Figur &fa = satz->figur[a], &fb = satz->figur[b];
    return Ganz(Hypot(double(fa.pos[0]) - fb.pos[0], double(fa.pos[1]) - fb.pos[1]));
}

void Figur_Wegmitte(const Figur* f, float* x, float* y) {
    if (!f) return;
    const Anweisung& a = f->ring[f->aktuell & 3];
    if (x) *x = (f->pos[0] + a.ziel[0]) / 2;
    if (y) *y = (f->pos[1] + a.ziel[1]) / 2;
}

int32_t Spielfeld_Ballbesitz_Seite(const Spielfeld_Satz* satz) { return satz && satz->ballhalter > 16 ? 1 : 0; }

bool Ballbesitz_Setzen(Spielfeld_Satz* satz, int32_t h) {
    if (!satz) return false;
    if (h != KEINER && !Spieler_Ok(h)) {
        Debug_Printf("Ballbesitz_Setzen: Spieler %d ungueltig\n", h);
        return false;
    }
    if (h != KEINER) Besitz_Uebernehmen(satz, h);
    Figur& ball = satz->figur[FIGUR_BALL];
    Anweisung& ba = ball.ring[ball.aktuell & 3];
    if (h == satz->ballhalter || satz->ball_linie != 0) {
        ba.dauer = 0;
        if (ba.tempo == 0) {
            ba.tempo = 20;
            ball.v[0] = ball.v[1] = 20;
        }
        Aus_Dem_Spiel(satz);
        satz->pass_jubel = 0;
        satz->halter_beruehrungen = 0;
        return false;
    }

    satz->figur[FIGUR_SCHIRI].entscheiden = 1;
    satz->empfaenger = -1;
    const int32_t o = Spieler_Ok(satz->ballhalter) ? satz->ballhalter : KEINER;
    if (o != KEINER) {
        Figur& fo = satz->figur[o];
        if (fo.situation != 0 && satz->spielzustand == SZ_SPIEL && !satz->wechsel_laeuft) {
            fo.situation = 0;
            satz->spieler[o].zustand &= SM_BLEIBT;
        }
        if (fo.situation == 1 || fo.situation == 2) fo.situation = 0;
        fo.entscheiden = 1;
    }
    const int32_t p = o != KEINER ? o : satz->letzter_halter;
    if (h != KEINER && Spieler_Ok(p)) Pass_Beenden(satz, h, p);

    if (h == KEINER) {
        satz->halter_wort = -1;
        if (satz->spielzustand == SZ_SPIEL) Spielfeld_Spieler_Um_Ball(satz);
        Aus_Dem_Spiel(satz);
    } else {
        Spielfeld_Statistik_Element(satz, h, 5);
        if (satz->unterbrechung_countdown != 0 && --satz->unterbrechung_countdown == 0) satz->elfmeter_schuss = 2;
        for (int32_t k = 0; k < SF_SPIELER; ++k) {
            Figur& f = satz->figur[k];
            if ((f.torwart || f.jagt_ball) && Auf_Platz(satz, k) && f.situation == 0) {
                f.entscheiden = 1;
                f.jagt_ball = 0;
            }
        }
        satz->halter_torlinie = int32_t(satz->tor_x[Seite_Von(h)]);
        satz->letzter_halter = int8_t(h);
        // He plays the ball now: a ball he dribbles on, or loses, into a
        // goal is his goal (the passer he took it from his assist), not the
        // goal of whoever kicked it last, minutes before.
        satz->letzter_spieler = h;
    }
    satz->ballhalter = int8_t(h);
    satz->pass_jubel = 0;
    satz->halter_beruehrungen = 0;
    return true;
}

int32_t Spielfeld_Spieler_Umgebung(const Spielfeld_Satz* satz, int32_t radius, int32_t welche, int32_t modus,
                                   int32_t figur, int32_t x, int32_t y, int32_t* liste, int32_t* abstaende,
                                   uint8_t* eimer, uint8_t* eimer_anzahl, int32_t groesse) {
    if (!satz || radius <= 0) return 0;
    const int32_t zeilen = radius / 100;
    if (eimer) std::memset(eimer, 255, size_t(zeilen) * SF_SPIELER);
    if (eimer_anzahl) std::memset(eimer_anzahl, 0, size_t(zeilen));
    int32_t seite = 0;
    float px = float(x), py = float(y);
    if (figur >= 0 && figur < SF_FIGUREN) {
        px = satz->figur[figur].pos[0];
        py = satz->figur[figur].pos[1];
        seite = Seite_Von(figur);
    } else {
        figur = KEINER;
        seite = Spielfeld_Ballbesitz_Seite(satz);
    }
    int32_t von = 0, bis = SF_SPIELER;
    if (welche == 1 || welche == 2) {
        const int32_t s = welche == 1 ? seite : 1 - seite;
        von = s * SF_SPIELER_SEITE;
        bis = von + SF_SPIELER_SEITE;
    }
    int32_t gefunden = 0;
    for (int32_t k = von; k < bis; ++k) {
        if (k == figur || !Auf_Platz(satz, k)) continue;
        const Figur& f = satz->figur[k];
        const int32_t d = Ganz(Hypot(double(f.pos[0]) - px, double(f.pos[1]) - py));
        if (d >= radius) continue;
        const int32_t nr = gefunden++;
        if (nr >= groesse) continue;
        const bool eigene_richtung = Seite_Von(k) == satz->seiten_gewechselt;
        const bool hinten = eigene_richtung ? f.pos[0] - float(d) / 2 + 100 < px : px < f.pos[0] + float(d) / 2 - 100;
        if (liste) liste[nr] = k;
        if (abstaende) abstaende[nr] = hinten ? -d : d;
        const int32_t zeile = std::min(Ganz(std::fabs(double(px) - f.pos[0])) / 100, zeilen - 1);
        if (eimer && zeile >= 0) {
            uint8_t* z = eimer + size_t(zeile) * SF_SPIELER;
            int32_t i = 0;
            while (i < SF_SPIELER - 1 && z[i] != 255) ++i;
            if (i < SF_SPIELER - 1) {
                z[i] = uint8_t(nr);
                z[i + 1] = 255;
            }
        }
        if (eimer_anzahl && !(modus == 1 && hinten))
            for (int32_t i = d / 100; i < zeilen; ++i) ++eimer_anzahl[i];
    }
    return gefunden;
}

int32_t Spielfeld_Nachbarn_Zaehlen(Spielfeld_Satz* satz, int32_t figur, int32_t welche, int32_t abstand, bool mit_tempo,
                                   bool markieren) {
    if (!satz || figur < 0 || figur >= SF_FIGUREN) return 0;
    const Figur& f = satz->figur[figur];
    const int32_t von = welche == 1 ? SF_SPIELER_SEITE : 0;
    const int32_t bis = welche == 0 ? SF_SPIELER_SEITE : SF_SPIELER;
    const float vx = mit_tempo ? f.v[0] : 0.0f;
    int32_t anzahl = 0;
    for (int32_t k = von; k < bis; ++k) {
        if (k == figur || !Auf_Platz(satz, k)) continue;
        Figur& n = satz->figur[k];
        const float dx = std::fabs(n.pos[0] + vx - f.pos[0]);
        const float dy = std::fabs(n.pos[1] - f.pos[1]);
        if (!(dx < float(abstand)) || !(dy < float(abstand))) continue;
        anzahl += dy < float(abstand) / 3 ? 2 : 1;
        if (!markieren) continue;
        if (satz->spielzustand == SZ_SPIEL && satz->standard_marker[2] == 0 && !n.entscheiden) n.entscheiden = 1;
        satz->spieler[k].deckt = uint8_t(figur);
    }
    return anzahl;
}

namespace {

int32_t Suchen(const Spielfeld_Satz* satz, int32_t figur, int32_t x, int32_t y, float radius, int32_t von,
               int32_t bis) {
    double px = x, py = y;
    if (x == -1 && figur >= 0 && figur < SF_FIGUREN) {
        px = satz->figur[figur].pos[0];
        py = satz->figur[figur].pos[1];
    }
    for (int32_t k = von; k < bis; ++k) {
        if (k == figur || !Spielfeld_Spielt_Mit(satz, k) || satz->figur[k].situation != 0) continue;
        if (Hypot(satz->figur[k].pos[0] - px, satz->figur[k].pos[1] - py) < radius) return k;
    }
    return -1;
}

}  // namespace

bool Spielfeld_Spielt_Mit(const Spielfeld_Satz* satz, int32_t slot) {
    return satz && Spieler_Ok(slot) && Auf_Platz(satz, slot) && satz->figur[slot].gezeichnet != 0;
}

int32_t Spielfeld_Gegner_Suchen(const Spielfeld_Satz* satz, int32_t figur, int32_t x, int32_t y, float radius) {
    if (!satz) return -1;
    const int32_t eigene = Spieler_Ok(figur) ? Seite_Von(figur) : Spielfeld_Ballbesitz_Seite(satz);
    const int32_t von = (1 - eigene) * SF_SPIELER_SEITE;
    return Suchen(satz, figur, x, y, radius, von, von + SF_SPIELER_SEITE);
}

int32_t Spielfeld_Spieler_Suchen(const Spielfeld_Satz* satz, int32_t figur, int32_t x, int32_t y, float radius) {
    if (!satz) return -1;
    return Suchen(satz, figur, x, y, radius, 0, SF_SPIELER);
}

int32_t Spielfeld_Deckung_Suchen(const Spielfeld_Satz* satz, int32_t seite, int32_t x1, int32_t y1, int32_t x2,
                                 int32_t y2, int32_t* beste, int32_t* px, int32_t* py, int32_t prozent) {
    if (!satz) return 0;
    Ordnen(x1, x2);
    Ordnen(y1, y2);
    const bool tor_links = seite == satz->seiten_gewechselt;
    if (px && py) {
        const int32_t kuerzer = int32_t(int64_t(x2 - x1) * prozent / 100);
        if (tor_links)
            x2 -= kuerzer;
        else
            x1 += kuerzer;
    }
    const int32_t punkt_x = tor_links ? x1 : x2;
    const int32_t punkt_y = (y1 <= SPIELFELD_MITTE_Y && SPIELFELD_MITTE_Y <= y2)
                                ? SPIELFELD_MITTE_Y
                                : (std::abs(y1 - SPIELFELD_MITTE_Y) < std::abs(y2 - SPIELFELD_MITTE_Y) ? y1 : y2);
    if (px) *px = punkt_x;
    if (py) *py = punkt_y;
    const int32_t von = (seite & 1) == 0 ? SF_SPIELER_SEITE : 0;
    int32_t anzahl = 0, bester = -1;
    double wertung = 21600;
    for (int32_t k = von; k < von + SF_SPIELER_SEITE; ++k) {
        const Figur& f = satz->figur[k];
        if (!Streng_Innen(f, x1, y1, x2, y2) || !Auf_Platz(satz, k)) continue;
        ++anzahl;
        const int32_t druck = satz->spieler[k].druck;
        if (!beste || druck >= 3) continue;
        double w = double(druck) * 2000 + Hypot(double(f.pos[0]) - punkt_x, double(f.pos[1]) - punkt_y);
        if (satz->ballhalter == k && satz->ballwechsel) w -= 1500;
        if (w < wertung) {
            wertung = w;
            bester = k;
        }
    }
    if (beste) *beste = bester;
    return anzahl;
}

int32_t Spielfeld_Spieler_Im_Rechteck(const Spielfeld_Satz* satz, int32_t figur, int32_t x1, int32_t y1, int32_t x2,
                                      int32_t y2, int32_t* letzter) {
    if (!satz) return 0;
    Ordnen(x1, x2);
    Ordnen(y1, y2);
    int32_t anzahl = 0;
    for (int32_t k = 0; k < SF_SPIELER; ++k) {
        if (k == figur || !Spielfeld_Spielt_Mit(satz, k) || !Streng_Innen(satz->figur[k], x1, y1, x2, y2)) continue;
        ++anzahl;
        if (letzter) *letzter = k;
    }
    return anzahl;
}

void Punkt_Ins_Feld(int32_t* x, int32_t* y) {
    if (x) *x = std::clamp(*x, 50, SPIELFELD_LAENGE - 50);
    if (y) *y = std::clamp(*y, 50, SPIELFELD_BREITE - 50);
}

}  // namespace velmora
