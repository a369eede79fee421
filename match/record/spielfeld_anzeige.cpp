// match/record/spielfeld_anzeige.cpp - watched matches and the display ring.
#include "match/record/spielfeld_anzeige.h"

#include <algorithm>
#include <cstring>

#include "core/debug.h"
#include "match/record/spielfeld.h"

namespace velmora {

namespace {

constexpr size_t FRAME_BYTES = 1000;
constexpr size_t SCHREIBEN = 175004, LESEN = 175006, AKTIV = 175008, RING_SPIEL = 175012;
constexpr int32_t ANZEIGE_FIGUREN = 37;   // the display values of figures 0-36

struct AnzeigeModul {
    int32_t beobachtet[ANZEIGE_BEOBACHTET_MAX] = {};
    int32_t anzahl = 0;
    int32_t start_anfragen = 0;
    Spielfeld_Satz kopie{};              // the record as the display shows it
    bool kopie_gueltig = false;
    uint32_t frame_zeit[ANZEIGE_FRAMES] = {};   // the match time each ring frame was taken at
};
AnzeigeModul g;

template <typename T>
T Lesen(const uint8_t* p, size_t o) {
    T v{};
    std::memcpy(&v, p + o, sizeof v);
    return v;
}
template <typename T>
void Schreiben(uint8_t* p, size_t o, T v) {
    std::memcpy(p + o, &v, sizeof v);
}

uint8_t* Frame(uint8_t* ring, int32_t k) { return ring + 4 + FRAME_BYTES * size_t(k); }
uint32_t Kennung(const Spielfeld_Satz* s) { return s->spiel + 1; }
int32_t Index(uint8_t* ring, size_t o) { return std::clamp<int32_t>(Lesen<int16_t>(ring, o), 0, ANZEIGE_FRAMES - 1); }

int16_t Kurz(float v) { return int16_t(std::clamp(v, -32768.0f, 32767.0f)); }

// The record copy rebuilt from one frame.
void Kopie_Fuellen(const Spielfeld_Satz* satz, const uint8_t* f, int32_t schritt) {
    Spielfeld_Satz& k = g.kopie;
    // Frames the view has not counted down yet stay owed to it (at most 50:
    // the camera's whole catch-up).
    const uint32_t offen = k.spiel == satz->spiel ? std::min<uint32_t>(k.frame_zaehler, 50) : 0;
    k = *satz;
    k.minute = Lesen<int16_t>(f, 994);
    k.tore[0] = f[996];
    k.tore[1] = f[997];
    k.abschnitt = (k.abschnitt & ~0xFFu) | f[998];
    for (int32_t i = 0; i < ANZEIGE_FIGUREN; ++i) {
        k.anzeige1[i] = int8_t(f[12 + i]);
        k.anzeige2[i] = int8_t(f[49 + i]);
    }
    k.kamera[0] = int32_t(Lesen<float>(f, 4));
    k.kamera[1] = int32_t(Lesen<float>(f, 8));
    k.kamera_ziel[0] = Lesen<int16_t>(f, 936);
    k.kamera_ziel[1] = Lesen<int16_t>(f, 938);
    for (int32_t i = 0; i < SF_FIGUREN; ++i) {
        Figur& fi = k.figur[i];
        fi.aktuell = 0;
        Anweisung& a = fi.ring[0];
        a.anim = f[86 + i] == 0xFF ? -1 : int32_t(f[86 + i]);
        a.frame = int8_t(f[139 + i]);
        a.ziel[0] = Lesen<int16_t>(f, 564 + 2 * size_t(i));
        a.ziel[1] = Lesen<int16_t>(f, 670 + 2 * size_t(i));
        a.folge = int16_t(Lesen<uint16_t>(f, 776 + 2 * size_t(i)));
        fi.verfehlt = f[192 + i];
        fi.anzeige327 = f[882 + i];
        fi.gezeichnet = f[940 + i];
        fi.pos[0] = Lesen<int16_t>(f, 246 + 2 * size_t(i));
        fi.pos[1] = Lesen<int16_t>(f, 352 + 2 * size_t(i));
        fi.pos[2] = Lesen<int16_t>(f, 458 + 2 * size_t(i));
    }
    k.frame_zaehler = std::min<uint32_t>(offen + uint32_t(schritt), 50);
    g.kopie_gueltig = true;
}

}  // namespace

SpielfeldAnsichtHooks& Spielfeld_Ansicht_Hooks() {
    static SpielfeldAnsichtHooks h;
    return h;
}

void Spielfeld_Set_Fast(int32_t wert) {
    Spielfeld_Ansicht_Einstellung& a = Spielfeld_Ansicht();
    a.fast = uint8_t((a.fast & ~1u) | (wert ? 1u : 0u));
    Debug_Printf("FAST: %d\n", wert);
}
int32_t Spielfeld_Get_Fast() { return Spielfeld_Ansicht().fast & 1; }
void Spielfeld_Set_Pause(int32_t wert) {
    Spielfeld_Ansicht().pause = wert ? 1 : 0;
    Debug_Printf("PAUSE: %d\n", wert);
}
int32_t Spielfeld_Get_Pause() { return Spielfeld_Ansicht().pause; }

bool Spielfeld_Beobachten(const Spielfeld_Satz* satz, bool sofort) {
    if (!satz || g.anzahl >= ANZEIGE_BEOBACHTET_MAX) return false;
    for (int32_t i = 0; i < g.anzahl; ++i) {
        const Spielfeld_Satz* s = Spielfeld_Suchen(g.beobachtet[i]);
        if (g.beobachtet[i] == int32_t(satz->spiel) || (s && s->team[0] == satz->team[0])) return false;
    }
    if (sofort || Spielfeld_Get_Pause()) {
        Spielfeld_Ansicht().fast &= uint8_t(~2u);
        ++g.start_anfragen;
    }
    g.beobachtet[g.anzahl++] = int32_t(satz->spiel);
    return true;
}

void Spielfeld_Beobachtete_Loeschen() {
    g.anzahl = 0;
    g.start_anfragen = 0;
}

void Spielfeld_Beobachtete_Entfernen(int32_t spiel) {
    int32_t n = 0;
    for (int32_t i = 0; i < g.anzahl; ++i)
        if (g.beobachtet[i] != spiel) g.beobachtet[n++] = g.beobachtet[i];
    g.anzahl = n;
}

int32_t Spielfeld_Beobachtete_Anzahl() { return g.anzahl; }

bool Spielfeld_Ist_Beobachtet(int32_t spiel) {
    return std::find(g.beobachtet, g.beobachtet + g.anzahl, spiel) != g.beobachtet + g.anzahl;
}

int32_t Spielfeld_Gezeigtes_Spiel() {
    if (g.anzahl == 0) return -1;
    if (Spielfeld_Ansicht_Hooks().current) {
        const int32_t spiel = Spielfeld_Ansicht_Hooks().current();
        if (Spielfeld_Ist_Beobachtet(spiel)) return spiel;
    }
    return g.beobachtet[0];
}

bool Spielfeld_Anzeige_Offen() { return Spielfeld_Ansicht_Hooks().frame && g.anzahl > 0; }

void Spielfeld_Anzeige_Frame() {
    if (!Spielfeld_Anzeige_Offen()) return;
    Spielfeld_Ansicht_Einstellung& a = Spielfeld_Ansicht();
    // The view runs every frame while matches are watched. A requested start
    // covers the view's first frame, which only sets it up: the match is held
    // to the frame interval meanwhile. A view that draws nothing after that
    // (its frames failed to load) leaves the matches to run without a wait.
    const bool angefragt = g.start_anfragen > 0;
    g.start_anfragen = 0;
    const int32_t spiele[ANZEIGE_BEOBACHTET_MAX] = {g.beobachtet[0], g.beobachtet[1], g.beobachtet[2], g.beobachtet[3]};
    if (Spielfeld_Ansicht_Hooks().frame(spiele, g.anzahl, &a)) a.fast &= uint8_t(~2u);
    else if (!angefragt) a.fast |= 2;
}

void Spielfeld_Anzeige_Eintragen(const Spielfeld_Satz* satz) {
    uint8_t* ring = Spielfeld_Anzeigepuffer();
    if (!satz || !ring) {
        Debug_Printf("ACHTUNG: KEIN AKTIVES SPIELFELD!!\n");
        return;
    }
    const int32_t w = Index(ring, SCHREIBEN);
    uint8_t* f = Frame(ring, w);
    std::memset(f, 0, FRAME_BYTES);
    Schreiben<uint32_t>(f, 0, Kennung(satz));
    g.frame_zeit[w] = satz->spielzeit_ms;
    Schreiben<float>(f, 4, float(satz->kamera[0]));
    Schreiben<float>(f, 8, float(satz->kamera[1]));
    for (int32_t i = 0; i < ANZEIGE_FIGUREN; ++i) {
        f[12 + i] = uint8_t(satz->anzeige1[i]);
        f[49 + i] = uint8_t(satz->anzeige2[i]);
    }
    for (int32_t i = 0; i < SF_FIGUREN; ++i) {
        const Figur& fi = satz->figur[i];
        const Anweisung& a = fi.ring[fi.aktuell & 3];
        f[86 + i] = uint8_t(a.anim);
        f[139 + i] = uint8_t(a.frame);
        f[192 + i] = fi.verfehlt;
        Schreiben<int16_t>(f, 246 + 2 * size_t(i), Kurz(fi.pos[0]));
        Schreiben<int16_t>(f, 352 + 2 * size_t(i), Kurz(fi.pos[1]));
        Schreiben<int16_t>(f, 458 + 2 * size_t(i), Kurz(fi.pos[2]));
        Schreiben<int16_t>(f, 564 + 2 * size_t(i), Kurz(a.ziel[0]));
        Schreiben<int16_t>(f, 670 + 2 * size_t(i), Kurz(a.ziel[1]));
        Schreiben<uint16_t>(f, 776 + 2 * size_t(i), uint16_t(a.folge));
        f[882 + i] = fi.anzeige327;
        f[940 + i] = fi.gezeichnet;
    }
    Schreiben<int16_t>(f, 936, Kurz(satz->kamera_ziel[0]));
    Schreiben<int16_t>(f, 938, Kurz(satz->kamera_ziel[1]));
    Schreiben<int16_t>(f, 994, satz->minute);
    f[996] = satz->tore[0];
    f[997] = satz->tore[1];
    f[998] = uint8_t(satz->abschnitt);
    f[999] = uint8_t(satz->seiten_gewechselt);
    Schreiben<int16_t>(ring, SCHREIBEN, int16_t((w + 1) % ANZEIGE_FRAMES));
}

bool Spielfeld_Anzeige_Naechstes_Bild(const Spielfeld_Satz* satz) {
    uint8_t* ring = Spielfeld_Anzeigepuffer();
    if (!satz || !ring) return false;
    const int32_t w = Index(ring, SCHREIBEN);
    int32_t r = (w + 1) % ANZEIGE_FRAMES;
    while (r != w && Lesen<uint32_t>(Frame(ring, r), 0) != Kennung(satz)) r = (r + 1) % ANZEIGE_FRAMES;
    Schreiben<int16_t>(ring, LESEN, int16_t(r));
    ring[AKTIV] = r != w ? 1 : 0;
    if (ring[AKTIV]) {
        Schreiben<uint32_t>(ring, 0, satz->spielzeit_ms);
        for (int32_t k = 0; k < ANZEIGE_FRAMES; ++k)
            if (Lesen<uint32_t>(Frame(ring, k), 0) != Kennung(satz)) Schreiben<uint32_t>(Frame(ring, k), 0, 0);
    }
    Schreiben<uint32_t>(ring, RING_SPIEL, Kennung(satz));
    return ring[AKTIV] != 0;
}

void Spielfeld_Anzeige_Reset() {
    if (uint8_t* ring = Spielfeld_Anzeigepuffer()) ring[AKTIV] = 0;
    g.kopie_gueltig = false;
}

int32_t Spielfeld_Anzeige_Schritt(const Spielfeld_Satz* satz) {
    uint8_t* ring = Spielfeld_Anzeigepuffer();
    g.kopie_gueltig = false;
    if (!satz || !ring) return 0;
    if (!ring[AKTIV] || Lesen<uint32_t>(ring, RING_SPIEL) != Kennung(satz)) {
        Spielfeld_Anzeige_Naechstes_Bild(satz);
        return 0;
    }
    uint32_t uhr = Lesen<uint32_t>(ring, 0);
    const uint32_t zeit = satz->spielzeit_ms;
    if (zeit < uhr) uhr = zeit > ANZEIGE_ABSTAND_MS ? zeit - ANZEIGE_ABSTAND_MS : 0;
    int32_t r = Index(ring, LESEN);
    const int32_t w = Index(ring, SCHREIBEN);
    auto eigen = [&](int32_t k) { return Lesen<uint32_t>(Frame(ring, k), 0) == Kennung(satz); };
    int32_t schritt = 0;
    if (!Spielfeld_Get_Fast() && zeit - uhr < ANZEIGE_ABSTAND_MS + 1 && eigen(r)) {
        schritt = 0;
    } else {
        // One frame step at a time: the ring is filled one frame per step, so
        // the display keeps the match's pace 142 ms behind it.
        uhr += ANZEIGE_FRAME_MS;
        if (zeit > uhr + ANZEIGE_ABSTAND_MS) uhr = zeit - ANZEIGE_ABSTAND_MS;
        schritt = 1;
        if (!Spielfeld_Get_Pause()) {
            r = (r + 1) % ANZEIGE_FRAMES;
            // On to the newest frame the clock has reached.
            for (int32_t n = (r + 1) % ANZEIGE_FRAMES; r != w && n != w && eigen(n) && g.frame_zeit[n] <= uhr;
                 n = (r + 1) % ANZEIGE_FRAMES) {
                r = n;
                ++schritt;
            }
            Schreiben<int16_t>(ring, LESEN, int16_t(r));
            if (r == w) {
                if (!Spielfeld_Anzeige_Naechstes_Bild(satz)) return 0;
                schritt = 50;
                r = Index(ring, LESEN);
                uhr = Lesen<uint32_t>(ring, 0);
            }
        }
    }
    Schreiben<uint32_t>(ring, 0, uhr);
    const uint8_t* f = Frame(ring, r);
    if (eigen(r) && Spielfeld_Suchen(int32_t(satz->spiel)) == satz) Kopie_Fuellen(satz, f, schritt);
    return schritt;
}

Spielfeld_Satz* Spielfeld_Anzeige_Kopie() { return g.kopie_gueltig ? &g.kopie : nullptr; }

void Spielfeld_Anzeige_Stand(int32_t* lesen, int32_t* schreiben, uint32_t* uhr) {
    uint8_t* ring = Spielfeld_Anzeigepuffer();
    if (lesen) *lesen = ring ? Index(ring, LESEN) : 0;
    if (schreiben) *schreiben = ring ? Index(ring, SCHREIBEN) : 0;
    if (uhr) *uhr = ring ? Lesen<uint32_t>(ring, 0) : 0;
}

}  // namespace velmora
