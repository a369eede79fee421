// matchview/spielansicht_ersatz.cpp - the stand-in play of a watched diced match.
#include "matchview/spielansicht_ersatz.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

#include "match/live/anim.h"
#include "match/record/spielfeld_satz.h"
#include "matchview/ansicht_zufall.h"

namespace velmora {

namespace {

constexpr int32_t PLAETZE = 4;
constexpr float LAUF = 350.0f;          // cm/s of a drifting player
constexpr float PASS = 1400.0f;         // cm/s of the ball
constexpr float SCHRITT_MAX = 0.1f;     // s: a longer gap moves no further
constexpr float LAENGE = float(SPIELFELD_LAENGE), BREITE = float(SPIELFELD_BREITE);
constexpr float MITTE_X = float(SPIELFELD_MITTE_X), MITTE_Y = float(SPIELFELD_MITTE_Y);

struct Ersatz {
    uint32_t spiel = 0;                 // 0: free
    uint32_t zeit = 0;                  // the last step, ms
    uint32_t benutzt = 0;               // the last call, ms (the oldest place is reused)
    uint32_t zufall = 0;                // this game's state of the views' generator
    int32_t halter = -1;                // the player with the ball, -1 in flight
    int32_t empfaenger = -1;            // the receiver of the ball in flight, -2 the goal
    float ball_ziel[2] = {};
    uint32_t naechster_pass = 0;
    uint8_t tore[2] = {};
    uint32_t minute_zeit = 0;           // the last diced minute taken
    Spielfeld_Satz kopie{};
};

struct ErsatzModul {
    std::array<Ersatz, PLAETZE> platz{};
};
ErsatzModul g;

// The views' generator with this game's own state: the crowd and the boards
// keep their sequence.
int32_t Zufall(Ersatz& e, int32_t lo, int32_t hi) {
    const uint32_t vorher = Ansicht_Zufall_Stand();
    Ansicht_Zufall_Setzen(e.zufall);
    const int32_t v = Ansicht_Zufall(lo, hi);
    e.zufall = Ansicht_Zufall_Stand();
    Ansicht_Zufall_Setzen(vorher);
    return v;
}

bool Spielt(const Spielfeld_Satz& s, int32_t i) {
    return s.spieler[i].nummer >= 0 && (s.spieler[i].zustand & SM_AUF_PLATZ) && s.figur[i].gezeichnet;
}

float Endlich(float v, float ersatz) { return std::isfinite(v) ? v : ersatz; }

// Moves a figure towards (x, y), at most `weg` cm; true when it moved.
bool Hin(Figur& f, float x, float y, float weg) {
    const float dx = x - Endlich(f.pos[0], x), dy = y - Endlich(f.pos[1], y);
    const float d = std::sqrt(dx * dx + dy * dy);
    Anweisung& a = f.ring[size_t(f.aktuell) & 3];
    a.ziel[0] = x;
    a.ziel[1] = y;
    if (d < 5.0f) return false;
    const float k = std::min(1.0f, weg / d);
    f.pos[0] = Endlich(f.pos[0], x) + dx * k;
    f.pos[1] = Endlich(f.pos[1], y) + dy * k;
    f.pos[2] = 0;
    return true;
}

void Zeigen(Figur& f, int32_t anim, uint32_t jetzt) {
    Anweisung& a = f.ring[size_t(f.aktuell) & 3];
    const Anim_Satz* z = Anim_Zeile(anim);
    a.anim = anim;
    a.frame = int8_t(z ? int32_t(jetzt / 60) % (std::max(0, int32_t(z->letzter_frame)) + 1) : 0);
}

// A player of `seite` on the pitch, chosen at random (not `ausser`); -1 none.
int32_t Spieler_Der_Seite(Ersatz& e, const Spielfeld_Satz& s, int32_t seite, int32_t ausser) {
    std::array<int32_t, SF_SPIELER_SEITE> liste{};
    int32_t n = 0;
    for (int32_t i = seite * SF_SPIELER_SEITE; i < (seite + 1) * SF_SPIELER_SEITE; ++i)
        if (i != ausser && Spielt(s, i) && !s.figur[i].torwart) liste[size_t(n++)] = i;
    return n ? liste[size_t(Zufall(e, 0, n - 1))] : -1;
}

void Starten(Ersatz& e, const Spielfeld_Satz& s, uint32_t jetzt) {
    e = Ersatz{};
    e.spiel = s.spiel;
    e.kopie = s;
    e.zeit = e.benutzt = e.minute_zeit = jetzt;
    e.zufall = s.spiel * 2654435761u + 1u;
    e.tore[0] = s.tore[0];
    e.tore[1] = s.tore[1];
    e.halter = Spieler_Der_Seite(e, s, Zufall(e, 0, 1), -1);
    e.naechster_pass = jetzt + 1000;
    Figur& b = e.kopie.figur[FIGUR_BALL];
    b.pos[0] = MITTE_X;
    b.pos[1] = MITTE_Y;
    b.pos[2] = 0;
}

void Schritt(Ersatz& e, const Spielfeld_Satz& satz, uint32_t jetzt) {
    // Everything but the figures comes from the record: minute, goals, events.
    static std::array<Figur, SF_FIGUREN> figuren;
    std::memcpy(figuren.data(), e.kopie.figur, sizeof e.kopie.figur);
    e.kopie = satz;
    std::memcpy(e.kopie.figur, figuren.data(), sizeof e.kopie.figur);
    Spielfeld_Satz& s = e.kopie;
    const float dt = std::min(float(jetzt - e.zeit) / 1000.0f, SCHRITT_MAX);
    e.zeit = jetzt;
    Figur& ball = s.figur[FIGUR_BALL];
    // A goal the dice added: the ball goes into the goal the scoring side attacks.
    for (int32_t seite = 0; seite < 2; ++seite) {
        if (satz.tore[seite] <= e.tore[seite]) continue;
        e.tore[seite] = satz.tore[seite];
        e.halter = -1;
        e.empfaenger = -2;
        e.ball_ziel[0] = float(satz.tor_x[seite]);
        e.ball_ziel[1] = float(satz.tor_y[seite]);
    }
    // The ball: at the holder's feet, or in flight to its receiver.
    if (e.halter >= 0) {
        const Figur& h = s.figur[e.halter];
        ball.pos[0] = Endlich(h.pos[0], MITTE_X) + 30.0f;
        ball.pos[1] = Endlich(h.pos[1], MITTE_Y);
        if (jetzt >= e.naechster_pass) {
            // Mostly to a team-mate, one pass in five to the other side.
            const int32_t seite = e.halter < SF_SPIELER_SEITE ? 0 : 1;
            const int32_t r = Spieler_Der_Seite(e, s, Zufall(e, 0, 4) == 0 ? 1 - seite : seite, e.halter);
            if (r >= 0) {
                e.halter = -1;
                e.empfaenger = r;
            }
            e.naechster_pass = jetzt + uint32_t(Zufall(e, 1200, 3000));
        }
    }
    if (e.halter < 0) {
        if (e.empfaenger >= 0) {
            e.ball_ziel[0] = s.figur[e.empfaenger].pos[0];
            e.ball_ziel[1] = s.figur[e.empfaenger].pos[1];
        }
        if (!Hin(ball, e.ball_ziel[0], e.ball_ziel[1], PASS * dt) || e.empfaenger == -1) {
            if (e.empfaenger >= 0) {
                e.halter = e.empfaenger;
            } else {
                // After a goal (or with nobody to play to) the play restarts at the centre.
                ball.pos[0] = MITTE_X;
                ball.pos[1] = MITTE_Y;
                e.halter = Spieler_Der_Seite(e, s, Zufall(e, 0, 1), -1);
                e.naechster_pass = jetzt + 1500;
            }
            e.empfaenger = -1;
        }
    }
    ball.pos[2] = 0;
    const float bx = Endlich(ball.pos[0], MITTE_X), by = Endlich(ball.pos[1], MITTE_Y);
    const float weg = LAUF * dt;
    for (int32_t i = 0; i < SF_SPIELER; ++i) {
        if (!Spielt(s, i)) continue;
        Figur& f = s.figur[i];
        const int32_t seite = i < SF_SPIELER_SEITE ? 0 : 1;
        float x = 0, y = 0;
        if (f.torwart) {
            // On his line at the ball's y, within the posts.
            const float linie = float(satz.tor_x[1 - seite]);
            x = linie + (linie > MITTE_X ? -150.0f : 150.0f);
            y = std::clamp(by, MITTE_Y - 300.0f, MITTE_Y + 300.0f);
        } else if (i == e.halter) {
            // The holder carries the ball a little towards the goal he attacks.
            x = f.pos[0] + (float(satz.tor_x[seite]) > f.pos[0] ? 200.0f : -200.0f);
            y = f.pos[1];
        } else {
            // His zone's middle, drawn a third of the way towards the ball.
            const int32_t* b = s.spieler[i].bereich;
            const bool zone = b[1] > b[0] && b[3] > b[2];
            const float mx = zone ? float(b[0] + b[1]) / 2 : f.pos[0], my = zone ? float(b[2] + b[3]) / 2 : f.pos[1];
            x = mx + (bx - mx) / 3;
            y = my + (by - my) / 3;
        }
        x = std::clamp(x, 0.0f, LAENGE);
        y = std::clamp(y, 0.0f, BREITE);
        const bool laeuft = Hin(f, x, y, i == e.halter ? weg * 0.6f : weg);
        Zeigen(f, laeuft ? ANIM_LAUFEN_1 : f.torwart ? ANIM_TORW_STEHEN : ANIM_STEHEN, jetzt);
    }
    // The officials follow the play: the referee beside the ball, the
    // linesmen along their lines, each in his half.
    Figur& schiri = s.figur[FIGUR_SCHIRI];
    Zeigen(schiri, Hin(schiri, std::clamp(bx - 600.0f, 0.0f, LAENGE), std::clamp(by + 500.0f, 0.0f, BREITE), weg) ? ANIM_LAUFEN_1 : ANIM_STEHEN, jetzt);
    Figur& l1 = s.figur[FIGUR_LINIENRICHTER_1];
    Zeigen(l1, Hin(l1, std::clamp(bx, 0.0f, MITTE_X), l1.pos[1], weg) ? ANIM_LAUFEN_1 : ANIM_STEHEN, jetzt);
    Figur& l2 = s.figur[FIGUR_LINIENRICHTER_2];
    Zeigen(l2, Hin(l2, std::clamp(bx, MITTE_X, LAENGE), l2.pos[1], weg) ? ANIM_LAUFEN_1 : ANIM_STEHEN, jetzt);
    s.ballhalter = int8_t(e.halter);
    s.kamera_ziel[0] = bx;
    s.kamera_ziel[1] = by;
    s.spielzeit_ms = jetzt;   // the views' clock
}

Ersatz* Platz(const Spielfeld_Satz& satz, uint32_t jetzt) {
    Ersatz* frei = &g.platz[0];
    for (Ersatz& e : g.platz) {
        if (e.spiel == satz.spiel) return &e;
        if (e.spiel == 0 || e.benutzt < frei->benutzt) frei = &e;
        if (frei->spiel == 0) break;
    }
    Starten(*frei, satz, jetzt);
    return frei;
}

}  // namespace

Spielfeld_Satz* Spielansicht_Ersatz(const Spielfeld_Satz* satz, uint32_t jetzt_ms) {
    if (!satz || satz->live == 1 || satz->spiel == 0) return nullptr;
    Ersatz& e = *Platz(*satz, jetzt_ms);
    e.benutzt = jetzt_ms;
    // One frame per call: the camera eases once a frame.
    const uint32_t zaehler = e.kopie.frame_zaehler;
    Schritt(e, *satz, jetzt_ms);
    e.kopie.frame_zaehler = zaehler + 1;
    return &e.kopie;
}

bool Spielansicht_Ersatz_Ist_Kopie(const Spielfeld_Satz* satz) {
    for (const Ersatz& e : g.platz)
        if (e.spiel != 0 && satz == &e.kopie) return true;
    return false;
}

bool Spielansicht_Ersatz_Warten(const Spielfeld_Satz* satz, uint32_t jetzt_ms) {
    if (!satz || satz->live == 1) return false;
    Ersatz& e = *Platz(*satz, jetzt_ms);
    if (jetzt_ms - e.minute_zeit < ERSATZ_MINUTE_MS) return true;
    e.minute_zeit = jetzt_ms;
    return false;
}

void Spielansicht_Ersatz_Loeschen() {
    for (Ersatz& e : g.platz) e.spiel = 0;
}

}  // namespace velmora
