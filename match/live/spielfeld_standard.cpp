// match/live/spielfeld_standard.cpp - stoppages and set pieces: placing the ball,
// the wall, the substitutions at a stoppage and the roles around the ball.
#include "match/live/spielfeld_standard.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "core/debug.h"
#include "core/rnd.h"
#include "core/zahlen.h"
#include "match/live/anim.h"
#include "match/live/anweisung.h"
#include "match/live/ersatzbank.h"
#include "match/live/figur_bewegen.h"
#include "match/record/spielfeld.h"
#include "match/live/spielfeld_aufstellung.h"
#include "match/live/spielfeld_besitz.h"
#include "match/live/spielfeld_ereignis.h"
#include "match/live/spielfeld_ki.h"

namespace velmora {

namespace {

int32_t Seite(int32_t slot) { return slot < SF_SPIELER_SEITE ? 0 : 1; }
bool Ist_Spieler(int32_t s) { return s >= 0 && s < SF_SPIELER; }
bool Auf_Platz(const Spielfeld_Satz* satz, int32_t s) { return satz->spieler[s].zustand & SM_AUF_PLATZ; }
bool Wechselcode(uint8_t c) { return c == 36 || c == 37 || c == 38 || c == 39; }

// The last outgoing slot of a substitution, -1 none.
int8_t& Letzter_Raus(Spielfeld_Satz* s) { return reinterpret_cast<int8_t&>(s->w25216[0]); }
// The frame a live shoot-out kick was set up in.
int32_t& Schuss_Frame(Spielfeld_Satz* s) { return s->w42316[0]; }

// The slot of player number `nummer` of a side on the pitch, -1 none.
int32_t Slot_Von_Nummer(const Spielfeld_Satz* satz, int32_t seite, int32_t nummer) {
    if (nummer < 0) return -1;
    for (int32_t s = seite * SF_SPIELER_SEITE; s < (seite + 1) * SF_SPIELER_SEITE; ++s)
        if (satz->spieler[s].nummer == nummer && Auf_Platz(satz, s)) return s;
    return -1;
}

// The ball is ordered to (x, y) at rest, put there and stopped.
void Ball_Hinlegen(Spielfeld_Satz* satz, int32_t x, int32_t y) {
    SetZSA(satz, FIGUR_BALL, x, y, 0, 0, ANIM_BALL_BODEN, 0, 0, 0, -1, 1, -1, RING_OHNE_PRUEFUNG, 0, 0);
    SetAnim(satz, FIGUR_BALL, x, y, 0);
    Figur& b = satz->figur[FIGUR_BALL];
    b.v[0] = b.v[1] = b.v[2] = 0;
    Figur_Stoppen(satz, FIGUR_BALL, 0);
    satz->ballhalter = -1;
}

void Ereignis_Wechsel(Spielfeld_Satz* satz, int32_t rein, int32_t raus) {
    if (rein < 0 && raus >= 0 && (satz->spieler[raus].zustand & 0x380)) return;
    Spielfeld_Ereignis(satz, SE_WECHSEL, rein, raus);
}

// The players of a side on the pitch who are not leaving it.
int32_t Auf_Dem_Platz(const Spielfeld_Satz* satz, int32_t seite) {
    int32_t n = 0;
    for (int32_t s = seite * SF_SPIELER_SEITE; s < (seite + 1) * SF_SPIELER_SEITE; ++s) {
        const uint8_t c = satz->figur[s].situation;
        if (Auf_Platz(satz, s) && c != 38 && c != 39 && !(satz->spieler[s].zustand & SM_AUSGEWECHSELT)) ++n;
    }
    return n;
}

// One pair of a side: in, out, position in the lists.
void Paar_Ausfuehren(Spielfeld_Satz* satz, int32_t seite, int32_t i) {
    int8_t& ein = satz->wechsel_ein[seite][i];
    int8_t& aus = satz->wechsel_aus[seite][i];
    if (ein == -1 && aus == -1) return;
    if (ein < -1 || ein >= SF_SPIELER || aus < -1 || aus >= SF_SPIELER) {
        Debug_Printf("raus:%d rein:%d %d\n", aus, ein, i);
        return;
    }
    if (ein >= 0 && Auf_Platz(satz, ein)) ein = satz->e_wechsel_ein[seite][i] = -1;
    // A man already off, or already walking off by an earlier pair, goes no more.
    if (aus >= 0 && (!Auf_Platz(satz, aus) || (satz->spieler[aus].zustand & SM_AUSGEWECHSELT) ||
                     satz->figur[aus].situation == 38 || satz->figur[aus].situation == 39))
        aus = satz->e_wechsel_aus[seite][i] = -1;
    if (ein == -1 && aus == -1) return;
    // A player coming on for nobody (his man already gone, say by an earlier
    // pair naming him too) only fills a side that is short.
    if (ein >= 0 && aus == -1 && Auf_Dem_Platz(satz, seite) >= 11) {
        Debug_Printf("Spielfeld_Auswechslungen_Ausfuehren: Seite %d ist vollzaehlig, rein:%d entfaellt\n", seite, ein);
        ein = satz->e_wechsel_ein[seite][i] = -1;
        return;
    }
    if (ein >= 0 && satz->wechsel_erlaubt[seite] == 0) {
        // Lists also come from saves and the network: a side with no
        // substitution left keeps its players.
        Debug_Printf("Spielfeld_Auswechslungen_Ausfuehren: Seite %d hat keinen Wechsel mehr (rein:%d raus:%d)\n", seite,
                     ein, aus);
        ein = satz->e_wechsel_ein[seite][i] = -1;
        aus = satz->e_wechsel_aus[seite][i] = -1;
        return;
    }
    const int32_t rein = ein, raus = aus;
    Ereignis_Wechsel(satz, rein, raus);
    const bool anstoss = satz->spielzustand == SZ_ANSTOSS;
    const int32_t x = 4600 + 100 * i + 900 * seite;
    if (rein >= 0) {
        Figur& f = satz->figur[rein];
        Spieler_Matchsatz& sm = satz->spieler[rein];
        ++satz->wechsel_gemacht[seite];
        f.gezeichnet = 1;
        if (!anstoss) {
            ++satz->wechsel_laeuft;
            SetZSA(satz, rein, x, 0, 0, 600, ANIM_LAUF_NACH_TEMPO, 0, -1, 0, -1, 1, -1, RING_OHNE_PRUEFUNG, 0, 0);
            f.situation = 36;
            f.entscheiden = 0;
        }
        sm.zustand = SM_AUF_PLATZ;
        ein = satz->e_wechsel_ein[seite][i] = -1;
        --satz->wechsel_erlaubt[seite];
        sm.bank = 0;
        if (raus >= 0) {
            std::memcpy(sm.bereich, satz->spieler[raus].bereich, sizeof sm.bereich);
            std::memcpy(sm.linie, satz->spieler[raus].linie, sizeof sm.linie);
        }
        if (f.torwart) {
            for (int32_t k = seite * SF_SPIELER_SEITE; k < (seite + 1) * SF_SPIELER_SEITE; ++k)
                if (k != rein && k != raus && satz->figur[k].torwart && Auf_Platz(satz, k)) f.torwart = 0;
        }
        if (anstoss) {
            // He takes the place of the player going out at once.
            const int32_t von = raus >= 0 ? raus : rein;
            const Figur& o = satz->figur[von];
            SetAnim(satz, rein, int32_t(o.pos[0]), int32_t(o.pos[1]), 0);
            SetZSA(satz, rein, int32_t(o.pos[0]), int32_t(o.pos[1]), 0, 0, ANIM_STEHEN, 0, -1, 0, -1, 1, -1,
                   RING_OHNE_PRUEFUNG, 0, 0);
        }
    }
    if (raus >= 0) {
        Figur& f = satz->figur[raus];
        Spieler_Matchsatz& sm = satz->spieler[raus];
        if (!Auf_Platz(satz, raus) || !f.gezeichnet) {
            if (f.gezeichnet) f.situation = 0;
            else sm.zustand = (sm.zustand & 0x6F) | SM_RESERVE;
        } else if (anstoss) {
            if (satz->ballhalter == raus) Ballbesitz_Setzen(satz, -1);   // he leaves without the ball
            int32_t bx = 0, by = 0;
            Bank_Platz_Vergeben(satz, raus, &bx, &by);
            f.gezeichnet = 0;
            if (!(sm.zustand & 0x340)) sm.zustand &= ~SM_AUF_PLATZ;
            sm.zustand |= SM_AUSGEWECHSELT;
            SetAnim(satz, raus, bx, by, 0);
        } else {
            SetZSA(satz, raus, x, 200, 0, 600, ANIM_LAUF_NACH_TEMPO, 0, -1, 0, -1, 1, -1, RING_OHNE_PRUEFUNG, 0, 0);
            ++satz->wechsel_laeuft;
            f.situation = 38;
            f.entscheiden = 0;
            Letzter_Raus(satz) = int8_t(raus);
        }
        aus = satz->e_wechsel_aus[seite][i] = -1;
    }
}

// The estimated time of a player to the ball's path.
float Zeit_Zum_Ball(const Spielfeld_Satz* satz, int32_t s) {
    const Figur& f = satz->figur[s];
    const Figur& b = satz->figur[FIGUR_BALL];
    const Anweisung& a = b.ring[b.aktuell & 3];
    const float v = std::max(Spieler_Lauftempo(satz, s), 1.0f);
    const bool steht = b.v[0] == 0 && b.v[1] == 0;
    double px = 0, py = 0;
    const int32_t d = Abfangpunkt_Suchen(f.pos[0], f.pos[1], v, b.pos[0], b.pos[1], steht ? b.pos[0] : a.ziel[0],
                                         steht ? b.pos[1] : a.ziel[1], steht ? 0 : Hypot_F(b.v[0], b.v[1]), 0,
                                         50, -1, 0, &px, &py, 0, 0, 0, 0);
    const float weg = d >= 0 ? float(d) : Hypot_F(f.pos[0] - b.pos[0], f.pos[1] - b.pos[1]);
    return weg / v + 2;
}

// The first of a side takes the set piece: his code, the ball, statistics.
void Ausfuehrender(Spielfeld_Satz* satz, int32_t erster, int32_t zweiter, int32_t seite) {
    Figur& f = satz->figur[erster];
    f.jagt_ball = 1;
    f.entscheiden = 1;
    auto zweiter_mit = [&](uint8_t code) {
        if (!Ist_Spieler(zweiter)) return;
        Figur& z = satz->figur[zweiter];
        z.situation = code;
        z.entscheiden = 1;
        z.jagt_ball = code == 16 || code == 24 || code == 25;
    };
    uint8_t code = 0;
    switch (satz->spielzustand) {
        case SZ_EINWURF:
            code = 10;
            zweiter_mit(14);
            break;
        case SZ_ABSTOSS: code = 4; break;
        case SZ_ECKE: code = 7; break;
        case SZ_ANSTOSS: {
            code = 15;
            for (int32_t k = 0; k < SF_SPIELER; ++k)
                if (satz->figur[k].situation >= 15 && satz->figur[k].situation <= 17) satz->figur[k].situation = 0;
            f.v[0] = f.v[1] = f.v[2] = 0;
            Anweisung& a = *Figur_Aktuelle_Anweisung(&f);
            a.ziel[0] = f.pos[0];
            a.ziel[1] = f.pos[1];
            a.flags = 0;
            if (!Ist_Spieler(zweiter)) {
                for (int32_t k = (1 - seite) * SF_SPIELER_SEITE; k < (2 - seite) * SF_SPIELER_SEITE; ++k)
                    if (Auf_Platz(satz, k) && !satz->figur[k].torwart) {
                        zweiter = k;
                        break;
                    }
            }
            zweiter_mit(16);
            break;
        }
        case SZ_FREISTOSS:
            code = 21;
            if (satz->freistoss_variante) zweiter_mit(satz->freistoss_variante == 1 || satz->freistoss_variante == 2 ? 25 : 24);
            break;
        case SZ_ELFMETER:
        case SZ_ELFMETERSCHIESSEN: {
            for (int32_t k = 0; k < SF_SPIELER; ++k)
                if (satz->figur[k].situation == 18 || satz->figur[k].situation == 19) return;
            code = 18;
            Anweisung& a = *Figur_Aktuelle_Anweisung(&f);
            a.flags = 0;
            a.wiederholung = 1;
            break;
        }
        default: return;
    }
    f.situation = code;
    Spielfeld_Statistik_Element(satz, erster, 5);
    satz->ballhalter = int8_t(erster);
    satz->halter_beruehrungen = 0;
}

}  // namespace

void Spielfeld_Situationen_Loeschen(Spielfeld_Satz* satz) {
    if (!satz) return;
    for (int32_t s = 0; s < SF_SPIELER; ++s) {
        Figur& f = satz->figur[s];
        f.entscheid_timer = 0;
        f.jagt_ball = 0;
        if (!Wechselcode(f.situation) && f.situation != 46 && f.situation != 48) f.situation = 0;
    }
}

void Spielfeld_Elfmeter_Setzen(Spielfeld_Satz* satz) {
    if (!satz) return;
    Spielfeld_Situationen_Loeschen(satz);
    satz->elfmeter_marker = 1;
    satz->tor_reaktion = 0;
    std::memset(satz->standard_marker, 0, sizeof satz->standard_marker);
    const Spielfeld_Konstanten& k = Spielfeld_Get_Konstanten();
    const int32_t rechts = satz->figur[FIGUR_BALL].pos[0] > SPIELFELD_MITTE_X ? 1 : 0;
    const int32_t seite = (1 - rechts) ^ (satz->seiten_gewechselt ? 1 : 0);
    satz->standard_seite = int8_t(seite);
    Ball_Hinlegen(satz, k.elfmeter_x[rechts], k.elfmeter_y[rechts]);
    satz->letzte_beruehrung = int8_t(1 - seite);
    Spielfeld_Spielzustand_Freigeben(satz);
    satz->spielzustand = SZ_ELFMETER;
    satz->w26494[0] = satz->w26494[1] = 0;
    satz->standard_flag = 0;
    satz->unterbrechung_bereit = 0;
    satz->torwart_getaeuscht = 2;
}

void Spielfeld_Freistoss_Setzen(Spielfeld_Satz* satz, int32_t x, int32_t y, int32_t seite) {
    if (!satz || seite < 0 || seite > 1) return;
    Spielfeld_Situationen_Loeschen(satz);
    const float tx = float(satz->tor_x[seite]), ty = float(satz->tor_y[seite]);
    const float d = Hypot_F(tx - float(x), ty - float(y));
    if (d < 3100) satz->freistoss_nah = 1;
    satz->standard_seite = int8_t(seite);
    satz->elfmeter_marker = 0;
    satz->tor_reaktion = 0;
    Ball_Hinlegen(satz, x, y);
    satz->letzte_beruehrung = int8_t(1 - seite);
    int32_t n = 1;
    if (d <= 4900 && std::abs(SPIELFELD_MITTE_Y - y) < 2500 && std::fabs(tx - float(x)) > 1200)
        n = d < 2000 ? 4 : (d < 2700 ? 3 : (d < 3200 ? 2 : 1));
    // The wall: the n nearest field players of the defending side.
    bool genommen[SF_SPIELER] = {};
    const int32_t verteidiger = 1 - seite;
    for (int32_t m = 0; m < n; ++m) {
        int32_t beste = -1;
        float bd = 10800;
        for (int32_t s = verteidiger * SF_SPIELER_SEITE; s < (verteidiger + 1) * SF_SPIELER_SEITE; ++s) {
            const Figur& f = satz->figur[s];
            if (genommen[s] || !Auf_Platz(satz, s) || f.torwart || Wechselcode(f.situation)) continue;
            const float a = Hypot_F(f.pos[0] - float(x), f.pos[1] - float(y));
            if (a < bd) {
                bd = a;
                beste = s;
            }
        }
        if (beste < 0) break;
        genommen[beste] = true;
        satz->figur[beste].situation = uint8_t(29 + m);
        satz->figur[beste].entscheiden = 1;
    }
    satz->freistoss_variante = 0;
    if (d <= 3500) {
        satz->freistoss_variante = int8_t(Rnd(0, 2));
        if (Rnd(0, 5) > 3) satz->freistoss_variante = 2;
    }
    satz->ballhalter = -1;
    satz->halter_beruehrungen = 0;
    Spielfeld_Spielzustand_Freigeben(satz);
    satz->spielzustand = SZ_FREISTOSS;
    satz->unterbrechung_bereit = 0;
}

void Spielfeld_Pfiff(Spielfeld_Satz* satz, int32_t x, int32_t y, int32_t seite) {
    if (!satz || seite < 0 || seite > 1) return;
    const Spielfeld_Konstanten& k = Spielfeld_Get_Konstanten();
    const int32_t linie = int32_t(satz->tor_x[seite]);
    const bool im_strafraum = y > k.strafraum_unten[0] && y < k.strafraum_oben[0] && std::abs(linie - x) <= 1632;
    if (im_strafraum) Spielfeld_Elfmeter_Setzen(satz);
    else Spielfeld_Freistoss_Setzen(satz, x, y, seite);
}

void Spielfeld_Auswechslungen_Ausfuehren(Spielfeld_Satz* satz) {
    if (!satz) return;
    satz->wechsel_bereit[0] = satz->wechsel_bereit[1] = 0;
    Letzter_Raus(satz) = -1;
    for (int32_t seite = 0; seite < 2; ++seite)
        for (int32_t i = 0; i < SF_WECHSEL; ++i) Paar_Ausfuehren(satz, seite, i);
}

int32_t Spielfeld_Auswechslung_Pruefen(Spielfeld_Satz* satz) {
    if (!satz || satz->unterbrechung_bereit || satz->spielzustand == SZ_ABGANG) return 0;
    if (Figur_Aktuelle_Anweisung(&satz->figur[FIGUR_SCHIRI])->flags) return 0;
    const bool verletzung = satz->spielzustand == SZ_VERLETZUNG;
    if (!verletzung) Spielfeld_Auswechslungen_Ausfuehren(satz);
    for (int32_t s = 0; s < SF_SPIELER; ++s) {
        Figur& f = satz->figur[s];
        f.jagt_ball = 0;
        Anweisung& a = *Figur_Aktuelle_Anweisung(&f);
        if (verletzung) {
            if (a.anim != ANIM_HINFALLEN && a.anim != 138) a.flags = 0;
        } else {
            a.angekommen = 0;
        }
        if (f.situation == 0) f.entscheid_timer = 0;
    }
    if (!verletzung) Spielfeld_Spieler_Um_Ball(satz);
    int32_t ergebnis = 0;
    for (int32_t i = 0; i <= FIGUR_LINIENRICHTER_2; ++i) {
        Figur& f = satz->figur[i];
        if (f.situation == 36 || f.situation == 38) continue;
        Anweisung& a = *Figur_Aktuelle_Anweisung(&f);
        if (f.situation == 0) {
            a.ziel[0] = f.pos[0];
            a.ziel[1] = f.pos[1];
        }
        Spielfeld_KI_Ausfuehren(satz, i);
        if (Ist_Spieler(i) && Auf_Platz(satz, i)) {
            const Anweisung& n = *Figur_Aktuelle_Anweisung(&f);
            const bool laeuft = n.tempo > 0;
            const float px = laeuft ? n.ziel[0] : f.pos[0], py = laeuft ? n.ziel[1] : f.pos[1];
            if (Hypot_F(px - SPIELFELD_MITTE_X, py - SPIELFELD_MITTE_Y) < STANDARD_ABSTAND) ergebnis = 2;
        }
    }
    const uint32_t z = satz->spielzustand;
    if (!satz->wechsel_laeuft && z != SZ_ABGANG && z <= SZ_FREISTOSS) {
        for (int32_t i = 0; i <= FIGUR_LINIENRICHTER_2; ++i) {
            Figur& f = satz->figur[i];
            Anweisung& a = *Figur_Aktuelle_Anweisung(&f);
            if (a.tempo <= 0 || !f.gezeichnet) continue;
            // The whole way: a figure turning onto its order has only the
            // first turning step as its target, the rest still pending.
            const int32_t rest = f.dreh_geplant > 0 ? f.dreh_geplant - f.dreh_gemacht : 0;
            if (rest > 0) {
                a.ziel[0] += float(rest) * a.schritt[0];
                a.ziel[1] += float(rest) * a.schritt[1];
            }
            if (z != SZ_ECKE && (a.ziel[0] < 10 || a.ziel[0] >= 10790)) {
                a.ziel[0] = f.pos[0];
                a.ziel[1] = f.pos[1];
            }
            SetAnim(satz, i, int32_t(a.ziel[0]), int32_t(a.ziel[1]), 0);
            f.v[0] = f.v[1] = 0;
            ergebnis = std::max(ergebnis, 1);
        }
    }
    satz->unterbrechung_bereit = 1;
    return ergebnis;
}

void Spielfeld_Spieler_Um_Ball(Spielfeld_Satz* satz) {
    if (!satz) return;
    const uint32_t z = satz->spielzustand;
    int8_t& marker = satz->standard_marker[0];
    if (marker == 0 && z != SZ_ELFMETERSCHIESSEN && z != SZ_ELFMETER && z != SZ_ECKE && z != SZ_FREISTOSS)
        satz->standard_schuetze = satz->standard_zweiter = -1;
    if (marker > 2) {
        if (--marker == 2) satz->unterbrechung_bereit = 0;
        return;
    }
    // The side taking the restart is the one that did not touch the ball
    // last. Once a taker is at work (he holds the ball and his set-piece
    // code) the restart stays his side's: his own walk-up touch makes his
    // side the last to touch, and a second pass here (a substitution ending
    // mid-restart) would hand the kick to the other side's man, who then
    // waits at the wrong goal for an area that never empties.
    // A goal kick and a corner belong to a side by the goal they lie at (the
    // goal kick to the side defending it, the corner to the other), whoever
    // touched the ball since it went out: a team-mate's touch, or one by a
    // player walking off, would otherwise hand it over on a later pass.
    const Figur& b = satz->figur[FIGUR_BALL];
    int32_t nehmer = satz->letzte_beruehrung == 0 ? 1 : 0;
    bool nimmt[2] = {satz->letzte_beruehrung != 0, satz->letzte_beruehrung != 1};
    const int32_t halter = satz->ballhalter;
    if (z == SZ_ABSTOSS || z == SZ_ECKE) {
        const int32_t verteidiger = (b.pos[0] >= SPIELFELD_MITTE_X ? 1 : 0) ^ (satz->seiten_gewechselt ? 1 : 0);
        nehmer = z == SZ_ABSTOSS ? verteidiger : 1 - verteidiger;
        nimmt[0] = nehmer == 0;
        nimmt[1] = nehmer == 1;
    } else if (z != SZ_SPIEL && Ist_Spieler(halter) && Auf_Platz(satz, halter) && satz->figur[halter].situation != 0 &&
               !Wechselcode(satz->figur[halter].situation)) {
        nehmer = Seite(halter);
        nimmt[0] = nehmer == 0;
        nimmt[1] = nehmer == 1;
    }
    // A free kick's takers keep it while one of them is at work, the ball
    // held or not: the short free kick's second taker touches the ball
    // as he taps it aside, and the pass here that follows a substitution
    // handed the kick to the other side, whose wall men became its takers.
    for (int32_t s = 0; z == SZ_FREISTOSS && s < SF_SPIELER; ++s) {
        const uint8_t c = satz->figur[s].situation;
        if (!Spielfeld_Spielt_Mit(satz, s) || c < 21 || c > 27 || c == 24) continue;
        nehmer = Seite(s);
        nimmt[0] = nehmer == 0;
        nimmt[1] = nehmer == 1;
        break;
    }
    if (z == SZ_FREISTOSS && satz->standard_schuetze < 0 &&
        std::fabs(b.pos[0] - float(satz->tor_x[nehmer])) < 3100)
        satz->standard_schuetze = Slot_Von_Nummer(satz, nehmer, satz->freistoss_schuetze[nehmer]);
    if (z == SZ_ELFMETER && satz->standard_schuetze < 0 && !satz->elfmeter_schuss)
        satz->standard_schuetze = Slot_Von_Nummer(satz, nehmer, satz->elfmeter_schuetze[nehmer]);
    if (z == SZ_ECKE) {
        marker = 0;
        if (satz->standard_schuetze < 0)
            satz->standard_schuetze = Slot_Von_Nummer(satz, nehmer, satz->ecken_schuetze[nehmer]);
    }
    if (marker == 0) {
        satz->standard_seite = -1;
        satz->knapp_vorbei = 0;
        satz->freistoss_nah = 0;
        satz->elfmeter_marker = 0;
    }
    // Per side the two quickest to the ball.
    const float aus = float(SPIELFELD_LAENGE - 1);
    int32_t erster[2] = {-1, -1}, zweiter[2] = {-1, -1};
    float t1[2] = {aus, aus}, t2[2] = {aus, aus};
    for (int32_t s = 0; s < SF_SPIELER; ++s) {
        const Figur& f = satz->figur[s];
        // A player carried off injured is gone from the pitch: named the
        // taker (the set taker of a penalty, say) he would never come to the ball.
        if (!Spielfeld_Spielt_Mit(satz, s) || Wechselcode(f.situation)) continue;
        if (Spielfeld_Ist_Ausgewechselt(satz, s) || Spielfeld_Ist_Eingewechselt(satz, s)) continue;
        float t = Zeit_Zum_Ball(satz, s);
        if (s == satz->standard_schuetze) t = 0;
        else if (s == satz->standard_zweiter) t = 1;
        // In open play a keeper goes only for a ball in his penalty area
        // (outside it he drops the chase at once and keeps his line): chosen
        // for one outside, his side had nobody chasing it.
        if (f.torwart) {
            if (z == SZ_ABSTOSS) t = 2;
            else if (z != SZ_SPIEL && z != SZ_ELFMETER && z != SZ_ELFMETERSCHIESSEN) t = aus;
            else if (z == SZ_SPIEL && !Spielfeld_Ball_Beim_Torwart(satz, s)) t = aus;
        }
        const int32_t seite = Seite(s);
        if (t < t1[seite]) {
            t2[seite] = t1[seite];
            zweiter[seite] = erster[seite];
            t1[seite] = t;
            erster[seite] = s;
        } else if (t < t2[seite]) {
            t2[seite] = t;
            zweiter[seite] = s;
        }
    }
    satz->standard_schuetze = satz->standard_zweiter = -1;
    // In open play only the two firsts chase: a flag left from a set piece
    // (a keeper's goal kick) would keep the others from being asked.
    if (z == SZ_SPIEL)
        for (int32_t s = 0; s < SF_SPIELER; ++s) satz->figur[s].jagt_ball = 0;
    for (int32_t seite = 0; seite < 2; ++seite) {
        if (erster[seite] < 0) continue;
        if (z == SZ_SPIEL) {
            // Only players stop chasing here: the first of each side chases.
            satz->figur[erster[seite]].jagt_ball = 1;
            satz->figur[erster[seite]].entscheiden = 1;
        } else if (nimmt[seite]) {
            Ausfuehrender(satz, erster[seite], zweiter[seite], seite);
        }
    }
    int32_t n = erster[0];
    if (erster[1] >= 0 && (n < 0 || t1[1] < t1[0])) n = erster[1];
    satz->halter_wort = n;
}

void Spielfeld_Elfmeterschiessen_Schuss(Spielfeld_Satz* satz, int32_t seite, int32_t schuetze) {
    if (!satz || seite < 0 || seite > 1) return;
    std::memset(satz->standard_marker, 0, sizeof satz->standard_marker);
    satz->wechsel_laeuft = 0;
    satz->passgeber = -1;
    Spielfeld_Situationen_Loeschen(satz);
    // The last kick's taker may still play his kick row on the spot, where
    // the off-ball rules leave a row that must not be cut off: every row is
    // cut, so he is sent away with the others and takes no ball at the next
    // kick.
    for (int32_t s = 0; s < SF_SPIELER; ++s) Figur_Aktuelle_Anweisung(&satz->figur[s])->flags = 0;
    satz->abschnitt_ende = 0;
    satz->w41093 = 0;
    satz->tor_reaktion = 0;
    satz->standard_flag = 0;
    satz->seiten_gewechselt = int8_t(seite ^ 1);
    Spielfeld_Tore_Setzen(satz);
    const Spielfeld_Konstanten& k = Spielfeld_Get_Konstanten();
    Ball_Hinlegen(satz, k.elfmeter_x[0], k.elfmeter_y[0]);
    satz->letzte_beruehrung = int8_t(1 - seite);
    Spielfeld_Spielzustand_Freigeben(satz);
    satz->spielzustand = SZ_ELFMETERSCHIESSEN;
    satz->unterbrechung_countdown = 15;
    satz->elfmeter_schuss = 1;
    int32_t slot = Slot_Von_Nummer(satz, seite, schuetze);
    for (int32_t s = seite * SF_SPIELER_SEITE; slot < 0 && s < (seite + 1) * SF_SPIELER_SEITE; ++s)
        if (Auf_Platz(satz, s) && !satz->figur[s].torwart) slot = s;
    satz->standard_schuetze = slot;
    satz->unterbrechung_bereit = 0;
    satz->torwart_getaeuscht = 2;
    satz->w26494[0] = satz->w26494[1] = 0;
    satz->ball_linie = 0;
    Schuss_Frame(satz) = int32_t(satz->frame_zaehler);
}

bool Spielfeld_Schuss_Erledigt(int32_t spiel) {
    Spielfeld_Satz* satz = Spielfeld_Suchen(spiel);
    if (!satz || satz->elfmeter_schuss != 1) return true;
    // A struck ball that no longer heads for the goal (held, saved, off the
    // frame) ends the kick as missed: a shoot-out plays no rebound on, where
    // the keeper's side could score at the other end.
    const Figur& b = satz->figur[FIGUR_BALL];
    const float spot = float(Spielfeld_Get_Konstanten().elfmeter_x[0]);
    if (satz->ball_linie == BALL_IM_SPIEL && satz->tor_reaktion == 0 && b.pos[0] < spot - 100 &&
        (b.v[0] >= 0 || satz->ballhalter >= 0)) {
        satz->elfmeter_schuss = 2;
        return true;
    }
    if (int64_t(satz->frame_zaehler) - Schuss_Frame(satz) < ELFMETERSCHUSS_MAX_FRAMES) return false;
    Debug_Printf("Spielfeld_Schuss_Erledigt: Schuss in Spiel %d endet nach %d Frames als verschossen\n", spiel,
                 ELFMETERSCHUSS_MAX_FRAMES);
    satz->elfmeter_schuss = 2;
    return true;
}

void Spielfeld_Standard_Abstand(const Spielfeld_Satz* satz, int32_t slot, float* x, float* y) {
    if (!satz || !Ist_Spieler(slot) || !x || !y) return;
    const Figur& b = satz->figur[FIGUR_BALL];
    const int32_t seite = Seite(slot);
    const uint32_t z = satz->spielzustand;
    const Spielfeld_Konstanten& k = Spielfeld_Get_Konstanten();
    auto weg_vom_ball = [&](float r) {
        const float dx = *x - b.pos[0], dy = *y - b.pos[1], d = Hypot_F(dx, dy);
        if (d >= r) return;
        if (d > 1) {
            *x = b.pos[0] + dx * r / d;
            *y = b.pos[1] + dy * r / d;
        } else {
            *x = b.pos[0] + (satz->tor_x[seite] > b.pos[0] ? -r : r);
        }
    };
    if (z == SZ_ANSTOSS) {
        const bool nach_rechts = satz->tor_x[seite] > SPIELFELD_MITTE_X;
        *x = nach_rechts ? std::min(*x, float(SPIELFELD_MITTE_X - 100)) : std::max(*x, float(SPIELFELD_MITTE_X + 100));
        const float dx = *x - SPIELFELD_MITTE_X, dy = *y - SPIELFELD_MITTE_Y, d = Hypot_F(dx, dy);
        if (d < 1015) {
            const float r = d > 1 ? 1015 / d : 0;
            *x = r > 0 ? SPIELFELD_MITTE_X + dx * r : (nach_rechts ? SPIELFELD_MITTE_X - 1015.0f : SPIELFELD_MITTE_X + 1015.0f);
            *y = r > 0 ? SPIELFELD_MITTE_Y + dy * r : float(SPIELFELD_MITTE_Y);
        }
    } else if (z == SZ_ABSTOSS || z == SZ_ELFMETER) {
        // Out of the penalty area of the ball's half, and at a penalty clear of the spot.
        const int32_t h = b.pos[0] > SPIELFELD_MITTE_X ? 1 : 0;
        const float kante = float(k.strafraum_x[h]) + (h ? -150.0f : 150.0f);
        const bool drin = (h ? *x > kante : *x < kante) && *y > k.strafraum_unten[h] - 150 &&
                          *y < k.strafraum_oben[h] + 150;
        if (drin) *x = kante;
        if (z == SZ_ELFMETER) {
            weg_vom_ball(STANDARD_ABSTAND + 100);
            if (h ? *x > kante : *x < kante) *x = kante;
        }
    } else if (z == SZ_ELFMETERSCHIESSEN) {
        // The others wait beside the centre circle, clear of the taker's run.
        if (*y > 2303 && *y < 4503) *y = *y < SPIELFELD_MITTE_Y ? 2303.0f : 4503.0f;
    } else if ((z == SZ_FREISTOSS || z == SZ_ECKE || z == SZ_EINWURF) && seite == satz->letzte_beruehrung) {
        weg_vom_ball(STANDARD_ABSTAND + 85);
    }
    int32_t ix = int32_t(*x), iy = int32_t(*y);
    Punkt_Ins_Feld(&ix, &iy);
    *x = float(ix);
    *y = float(iy);
}

}  // namespace velmora
