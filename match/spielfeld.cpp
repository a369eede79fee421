// match/spielfeld.cpp - the match record module, the set-up of a record from
// its fixture and the start and end of a period.
#include "match/spielfeld.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <memory>
#include <initializer_list>
#include <unordered_map>
#include <unordered_set>

#include "club/team.h"
#include "club/team_suche.h"
#include "club/spieler.h"
#include "core/bytes.h"
#include "core/debug.h"
#include "core/liste.h"
#include "core/rnd.h"
#include "core/spielstand.h"
#include "core/zahlen.h"
#include "match/anim.h"
#include "match/anweisung.h"
#include "match/bank.h"
#include "match/spielfeld_anzeige.h"
#include "match/spielfeld_aufstellung.h"
#include "match/spielfeld_ereignis.h"
#include "match/spielfeld_situation.h"
#include "match/spielfeld_standard.h"
#include "match/spielfeld_hooks.h"
#include "match/spielfeld_pruefen.h"
#include "match/spielfeld_staerke.h"
#include "platform/clock.h"

namespace velmora {
namespace {

constexpr size_t SATZ_BYTES = sizeof(Spielfeld_Satz);
constexpr size_t SAVE_ENDE_BYTES = sizeof(Spielfeld_Ansicht_Einstellung) + sizeof(Spielfeld_Konstanten) + 12 + 8 + 1 + 4;

struct SpielfeldModul {
    bool initialisiert = false;
    bool liste_angelegt = false;
    Listen_Element liste{};
    Spielfeld_Konstanten k{};
    Spielfeld_Ansicht_Einstellung ansicht{};
    std::vector<uint8_t> arbeit;         // the view's work buffer
    std::vector<uint8_t> anzeige;        // the display ring
    bool anzeige_aktiv = false;
    uint32_t reserviert[3] = {};         // kept only for the save game
    float bewegung = 4000.0f;            // the movement and defence steps' values
    float abwehr = 4000.0f;
    uint8_t live = 0;                    // a match is being shown
    Spielfeld_Satz* aktives = nullptr;
    int32_t schalter4 = -1;
    bool client_holen = false;
    uint32_t frame_referenz = 0;
    // The records by game beside the list (the first of a key, as the list's
    // own search finds it) and their count; rebuilt from the list after a
    // change, so every slot of every frame finds its record at once.
    std::unordered_map<int32_t, Listen_Element*> nach_spiel;
    std::unordered_map<const void*, Listen_Element*> nach_satz;   // the element of each record
    int32_t anzahl = 0;
    bool index_gueltig = false;
    // The records set up for the dice only (see Spielfeld_Anlegen): their
    // figures are never placed. Not saved: a loaded record is placed in full,
    // which draws nothing either.
    std::unordered_set<const Spielfeld_Satz*> leicht;
    bool leicht_an = true;               // off: every record is set up in full (tests)
};
SpielfeldModul g;

void Index_Aufbauen() {
    if (g.index_gueltig) return;
    g.nach_spiel.clear();
    g.nach_satz.clear();
    g.anzahl = 0;
    if (g.liste_angelegt)
        for (Listen_Element* e = Liste_First(&g.liste); e; e = Liste_Next_Element(e)) {
            g.nach_spiel.emplace(e->schluessel, e);
            g.nach_satz.emplace(e->daten, e);
            ++g.anzahl;
        }
    g.index_gueltig = true;
}

// A record leaves the index with its element (a competition's day closes
// while others go on: the index is not built again for each).
void Index_Austragen(Listen_Element* e) {
    if (!g.index_gueltig) return;
    auto it = g.nach_spiel.find(e->schluessel);
    if (it != g.nach_spiel.end() && it->second == e) g.nach_spiel.erase(it);
    g.nach_satz.erase(e->daten);
    --g.anzahl;
}

// Removes a record's element with what the module keeps about it (the active
// record, the light set, the index); the element a walk goes on with.
Listen_Element* Element_Entfernen(Listen_Element* e) {
    const auto* s = static_cast<const Spielfeld_Satz*>(e->daten);
    if (g.aktives == s) g.aktives = nullptr;
    g.leicht.erase(s);
    Index_Austragen(e);
    Listen_Element* vorher = Liste_Delete_Element(&g.liste, e);
    return vorher == &g.liste ? Liste_First(&g.liste) : Liste_Next_Element(vorher);
}

Listen_Element* Element_Von_Spiel(int32_t spiel) {
    Index_Aufbauen();
    auto it = g.nach_spiel.find(spiel);
    return it == g.nach_spiel.end() ? nullptr : it->second;
}

int32_t Satz_Anzahl() {
    Index_Aufbauen();
    return g.anzahl;
}

void Konstanten_Berechnen(Spielfeld_Konstanten& k) {
    const int32_t l = SPIELFELD_LAENGE, b = SPIELFELD_BREITE;
    k.laenge = l;
    k.breite = b;
    for (int32_t i = 0; i < 2; ++i) {
        k.pfosten_unten[i] = b / 2 - 450;
        k.pfosten_oben[i] = b / 2 + 450;
        k.latte[i] = 300;
        k.elfmeter_y[i] = b / 2;
        k.strafraum_unten[i] = 1388;
        k.strafraum_oben[i] = 5418;
        k.torraum_unten[i] = 2487;
        k.torraum_oben[i] = 4319;
    }
    k.elfmeter_x[0] = 1100;
    k.elfmeter_x[1] = l - 1100;
    k.strafraum_x[0] = 1632;
    k.strafraum_x[1] = l - 1632;
    k.torraum_x[0] = 550;
    k.torraum_x[1] = l - 550;
    k.mittelkreis_unten = b / 2 - 915;
    k.mittelkreis_oben = b / 2 + 915;
}

Spielfeld_Satz* Satz_Von(Listen_Element* e) { return e ? static_cast<Spielfeld_Satz*>(e->daten) : nullptr; }

// The element holding a record, by the index: a walk over the records calls
// this for every step.
Listen_Element* Element_Von(const Spielfeld_Satz* satz) {
    if (!g.liste_angelegt || !satz) return nullptr;
    Index_Aufbauen();
    auto it = g.nach_satz.find(satz);
    return it == g.nach_satz.end() ? nullptr : it->second;
}

void Ansicht_Schliessen() {
    if (g.live && Spielfeld_Hooks().ansicht_schliessen) Spielfeld_Hooks().ansicht_schliessen();
    g.live = 0;
}

// (v x 100 truncated) mod 100, the remainder with the dividend's sign. A value
// that no 32-bit integer holds (a damaged record) counts 0.
int32_t Pruef_Teil(float v) {
    double d = double(v) * 100.0;
    if (!(d > -2147483648.0 && d < 2147483648.0)) return 0;
    return int32_t(d) % 100;
}

void Figur_Zeichnen(Spielfeld_Satz* satz, int32_t f) {
    satz->figur[f].aktuell = 0;
    satz->figur[f].gezeichnet = 1;
}

// An official runs to his spot; his position is the order's target.
void Offizieller_Setzen(Spielfeld_Satz* satz, int32_t f, int32_t x, int32_t y, float intervall) {
    Figur& fig = satz->figur[f];
    Figur_Zeichnen(satz, f);
    SetZSA(satz, f, x, y, 0, 830, ANIM_LAUF_NACH_TEMPO, 0, -1, 0, -1, 1, -1, 0, 0, 0);
    fig.entscheid_intervall = intervall;
    SetAnim(satz, f, -1, 0, 0);
    fig.dreh_geplant = 0;
}

// A figure that never moves stands at its animation's own position.
void Festfigur_Setzen(Spielfeld_Satz* satz, int32_t f, int32_t anim) {
    Figur_Zeichnen(satz, f);
    SetZSA(satz, f, -1, 0, 0, 0, anim, 0, 0, 0, -1, 1, -1, 0, 0, 0);
    SetAnim(satz, f, -1, 0, 0);
}

int32_t Klemme(int32_t v, int32_t lo, int32_t hi) { return v < lo ? lo : (v > hi ? hi : v); }

// The figures beside the players as a new record places them.
void Figuren_Aufstellen(Spielfeld_Satz* satz) {
    Figur_Zeichnen(satz, FIGUR_BALL);
    SetZSA(satz, FIGUR_BALL, SPIELFELD_MITTE_X, SPIELFELD_MITTE_Y, 0, 0, ANIM_STEHEN, 0, 0, 0, -1, 1, -1, 0, 0, 0);
    SetAnim(satz, FIGUR_BALL, SPIELFELD_MITTE_X, SPIELFELD_MITTE_Y, 0);
    Offizieller_Setzen(satz, FIGUR_SCHIRI, SPIELFELD_MITTE_X, 3253, 0.1f);
    Offizieller_Setzen(satz, FIGUR_LINIENRICHTER_1, 2700, 0, 0.1f);
    Offizieller_Setzen(satz, FIGUR_LINIENRICHTER_2, 8100, SPIELFELD_BREITE, 0.1f);
    for (int32_t i = 0; i < 4; ++i) Festfigur_Setzen(satz, FIGUR_ECKFAHNE + i, ANIM_ECKFAHNE + i);
    for (int32_t s = 0; s < 2; ++s) Figur_Zeichnen(satz, FIGUR_TRAINER + s);
    for (int32_t i = 0; i < 8; ++i) {
        satz->figur[FIGUR_TORNETZ + i].w320 = -1;
        Festfigur_Setzen(satz, FIGUR_TORNETZ + i, ANIM_TOR_RUHE + i);
    }
}

}  // namespace

bool Spielfeld_Ist_Initialisiert() {
    if (!g.initialisiert) Debug_Printf("Spielfeld wurde nicht initialisiert!\n");
    return g.initialisiert;
}

bool Spielfeld_Init() {
    if (g.initialisiert) Spielfeld_Freigeben();
    if (!g.liste_angelegt) g.liste_angelegt = Liste_Anlegen(&g.liste);
    if (!g.liste_angelegt) {
        Debug_Printf("Spielfeld_Init: keine Liste\n");
        return false;
    }
    Konstanten_Berechnen(g.k);
    Spielfeld_Zufall_Starten();
    g.anzeige.assign(SPIELFELD_ANZEIGE_BYTES, 0);
    uint32_t intervall = g.ansicht.frame_intervall;
    g.ansicht = Spielfeld_Ansicht_Einstellung{};
    g.ansicht.frame_intervall = intervall ? intervall : 45;
    g.ansicht.pause = 0;
    g.arbeit.assign(SPIELFELD_ARBEIT_BYTES, 0);
    g.anzeige_aktiv = false;
    g.bewegung = g.abwehr = 4000.0f;
    g.aktives = nullptr;
    g.schalter4 = -1;
    g.client_holen = false;
    g.initialisiert = true;
    return true;
}

void Spielfeld_Freigeben() {
    if (!g.initialisiert) return;
    Ansicht_Schliessen();
    std::vector<uint8_t>().swap(g.anzeige);
    std::vector<uint8_t>().swap(g.arbeit);
    if (g.liste_angelegt) Liste_Delete_All(&g.liste);
    g.index_gueltig = false;
    g.leicht.clear();
    g.aktives = nullptr;
    g.initialisiert = false;
}

void Spielfeld_Entfernen(int32_t wettbewerb) {
    if (!Spielfeld_Ist_Initialisiert()) return;
    for (Listen_Element* e = Liste_First(&g.liste); e;)
        e = int32_t(Satz_Von(e)->wettbewerb) == wettbewerb ? Element_Entfernen(e) : Liste_Next_Element(e);
}

Spielfeld_Satz* Spielfeld_Suchen(int32_t spiel) {
    if (!Spielfeld_Ist_Initialisiert()) return nullptr;
    return Satz_Von(Element_Von_Spiel(spiel));
}

int32_t Spielfeld_Anzahl() { return g.initialisiert ? Satz_Anzahl() : 0; }

Spielfeld_Satz* Spielfeld_Naechster(Spielfeld_Satz* satz) {
    if (!g.initialisiert) return nullptr;
    if (!satz) return Satz_Von(Liste_First(&g.liste));
    Listen_Element* e = Element_Von(satz);
    return e ? Satz_Von(Liste_Next_Element(e)) : nullptr;
}

uint32_t Spielfeld_Checksumme(const Spielfeld_Satz* satz) {
    if (!satz) return 0;
    uint32_t summe = 0;
    for (int32_t f = 0; f < SF_FIGUREN; ++f) {
        if (f >= SF_SPIELER && f != FIGUR_BALL) continue;
        summe += uint32_t(Pruef_Teil(satz->figur[f].pos[0]) + Pruef_Teil(satz->figur[f].pos[1]));
    }
    return summe;
}

void Spielfeld_Eingabekopie_Fuellen(Spielfeld_Satz* satz) {
    if (!satz) return;
    for (int32_t s = 0; s < 2; ++s) {
        satz->e_anweisung[s] = satz->live_anweisung_seite[s];
        std::memcpy(satz->e_taktik[s], satz->taktik[s], SF_TAKTIK);
        satz->e_pressing[s] = satz->pressing[s];
        satz->e_computer[s] = satz->computer[s];
        satz->e_computer2[s] = satz->computer2[s];
        std::memcpy(satz->e_wechsel_ein[s], satz->wechsel_ein[s], SF_WECHSEL);
        std::memcpy(satz->e_wechsel_aus[s], satz->wechsel_aus[s], SF_WECHSEL);
        satz->e_aenderung[s] = 0;
    }
    for (int32_t i = 0; i < SF_SPIELER; ++i) std::memcpy(satz->e_linie[i], satz->spieler[i].linie, 16);
}

void Spielfeld_Tore_Setzen(Spielfeld_Satz* satz) {
    if (!satz) return;
    satz->tor_x[0] = SPIELFELD_LAENGE;
    satz->tor_x[1] = 0;
    satz->tor_y[0] = satz->tor_y[1] = SPIELFELD_MITTE_Y;
    if (satz->seiten_gewechselt == 1) {
        std::swap(satz->tor_x[0], satz->tor_x[1]);
        std::swap(satz->tor_y[0], satz->tor_y[1]);
    }
}

const Spielfeld_Konstanten& Spielfeld_Get_Konstanten() {
    if (g.k.laenge == 0) Konstanten_Berechnen(g.k);
    return g.k;
}

float Spielfeld_Einsatzweite(int32_t seite) { return seite == 0 ? g.bewegung : g.abwehr; }

Spielfeld_Ansicht_Einstellung& Spielfeld_Ansicht() { return g.ansicht; }
Spielfeld_Satz* Spielfeld_Get_Aktives() {
    // While matches are watched, the one shown.
    if (Spielfeld_Satz* gezeigt = Spielfeld_Suchen(int32_t(Spielfeld_Gezeigtes_Spiel()))) return gezeigt;
    return g.aktives;
}
uint8_t* Spielfeld_Anzeigepuffer() {
    return g.anzeige.size() == SPIELFELD_ANZEIGE_BYTES ? g.anzeige.data() : nullptr;
}
void Spielfeld_Aktives_Merken(Spielfeld_Satz* satz) { g.aktives = satz; }
int32_t Spielfeld_Schalter4_Wettbewerb() { return g.schalter4; }
bool Spielfeld_Client_Holen_Offen() { return g.client_holen; }
void Spielfeld_Client_Holen_Setzen(bool offen) { g.client_holen = offen; }

void Spielfeld_Leicht_Setzen(bool an) { g.leicht_an = an; }
bool Spielfeld_Ist_Leicht(const Spielfeld_Satz* satz) { return satz && g.leicht.count(satz) != 0; }

Spielfeld_Satz* Spielfeld_Satz_Einsetzen(int32_t spiel, const Spielfeld_Satz& neu) {
    if (!Spielfeld_Ist_Initialisiert()) return nullptr;
    Listen_Element* e = Liste_Insert(&g.liste, &g.liste, &neu, uint32_t(SATZ_BYTES), spiel);
    if (!e) return nullptr;
    for (Listen_Element* a = Liste_First(&g.liste); a;) a = a == e ? Liste_Next_Element(a) : Element_Entfernen(a);
    g.index_gueltig = false;   // the new element is not in it
    return Satz_Von(e);
}

// ---------------------------------------------------------------------------
// Set-up from a fixture.

namespace {
// The set-up of Spielfeld_Daten_Eintragen; `leer` tells that the record is
// all zero but its display mode (fresh from the list), so it is not cleared again.
// `nur_wuerfel`: the record is played by the dice only (see Spielfeld_Anlegen).
void Daten_Eintragen(Spielfeld_Satz* satz, const SpielfeldSpiel* spiel, int32_t nummer, int32_t live, bool leer,
                     bool nur_wuerfel = false);
}  // namespace

void Spielfeld_Daten_Eintragen(Spielfeld_Satz* satz, const SpielfeldSpiel* spiel, int32_t nummer, int32_t live) {
    if (!satz || !spiel) {
        Debug_Printf("Spielfeld_Daten_Eintragen: Null Pointer\n");
        return;
    }
    Daten_Eintragen(satz, spiel, nummer, live, false);
}

namespace {
void Daten_Eintragen(Spielfeld_Satz* satz, const SpielfeldSpiel* spiel, int32_t nummer, int32_t live, bool leer,
                     bool nur_wuerfel) {
    if (nur_wuerfel) g.leicht.insert(satz);
    else g.leicht.erase(satz);
    uint8_t anzeige = satz->anzeige_modus;
    if (!leer) {
        std::memset(static_cast<void*>(satz), 0, sizeof *satz);
        satz->anzeige_modus = anzeige;
    }
    satz->zeit_faktor = std::max(float(SPIELFELD_MINUTEN) / 90.0f, 1.0f);

    bool ist_live = live != -1;
    if (live == 0 && anzeige != 1) ist_live = Spielfeld_Hook_Schalter(spiel->wettbewerb, 5) != 0;
    if (ist_live) {
        satz->live = 1;
        if (Spielfeld_Hooks().gesamtstatistik_vor_spiel) {
            Spielfeld_Hooks().gesamtstatistik_vor_spiel(spiel->wettbewerb, spiel->heim);
            Spielfeld_Hooks().gesamtstatistik_vor_spiel(spiel->wettbewerb, spiel->gast);
        }
    }

    satz->ballhalter = -1;
    satz->empfaenger = -1;   // nobody is to receive the ball yet (0 would name slot 0)
    satz->halter_beruehrungen = 0;
    satz->standard_schuetze = satz->standard_zweiter = -1;
    satz->spiel = uint32_t(nummer);
    satz->wettbewerb = uint32_t(spiel->wettbewerb);
    satz->runde = uint32_t(spiel->runde);
    satz->paarung = uint32_t(spiel->paarung);
    satz->spieltag = uint32_t(spiel->spieltag);
    satz->w25256 = -3;
    for (Spieler_Matchsatz& sm : satz->spieler) sm.ausdauer = 10000;

    static constexpr int8_t VORGABE[SF_TAKTIK] = {50, 50, 80, 50, 50, 50, 0, 0, 0, 0, 0, 0, 0};
    for (int32_t s = 0; s < 2; ++s) {
        int32_t team = s == 0 ? spiel->heim : spiel->gast;
        satz->team[s] = uint32_t(team);
        satz->w41076[s] = 2;
        satz->w31278[s] = 2;
        int32_t staerke = std::max(Team_Berechne_Staerke(team, 16), 0);
        satz->team_staerke[s] = uint32_t(Klemme(staerke * 999 / TEAM_STAERKE_SKALA, 0, 999));
        satz->wechsel_erlaubt[s] = 3;
        std::memset(satz->wechsel_ein[s], 0xFF, SF_WECHSEL);
        std::memset(satz->wechsel_aus[s], 0xFF, SF_WECHSEL);
        std::memcpy(satz->taktik[s], VORGABE, SF_TAKTIK);
        satz->pressing[s] = 65;
        int8_t t[7] = {};
        if (Team_Hat_Manager(team)) {
            if (Spielfeld_Hook_Taktik(team, t)) {
                int8_t* b = satz->taktik[s];
                b[6] = t[0];
                b[12] = t[3];
                b[3] = int8_t(t[1] * 100);
                satz->pressing[s] = uint8_t(Klemme((t[2] * 100 / 9 + 6) / 5 * 5, 0, 100));
                b[0] = int8_t(t[4] * 100 / 4);
                b[1] = int8_t((b[0] + 50) / 2);
                b[5] = int8_t(t[5] * 100 / 6);
                if (t[5] == 0) b[9] = 1;
                b[4] = int8_t((b[5] + 50) / 2);
                b[2] = int8_t(t[6] * 100 / 4);
                if (t[6] > 2) b[7] = b[8] = 1;
            }
        } else {
            satz->computer[s] = satz->computer2[s] = 1;
            satz->computer100[s] = 100;
        }
        int8_t* i = satz->anweisungen[s];
        std::memset(i, 50, SF_TAKTIK);
        int8_t* d = satz->linienwerte[s];
        d[0] = int8_t((100 - i[0] + i[1]) / 2);
        d[1] = int8_t((100 - i[3] + i[2]) / 2);
        d[2] = int8_t((100 - i[4] + i[5]) / 2);
        d[3] = int8_t((100 - i[10] + i[9]) / 2);
        d[4] = i[8];
        d[5] = int8_t((100 - i[7] + i[6]) / 2);
        d[6] = i[11];
    }

    // Match strength: the clearly stronger side grows, the weaker shrinks.
    int32_t byte[2];
    for (int32_t s = 0; s < 2; ++s) {
        int32_t st = int32_t(satz->team_staerke[s]), andere = int32_t(satz->team_staerke[1 - s]);
        if (st - 40 > andere) st = st * 140 / 100;
        else if (st + 40 < andere) st = st * 80 / 100;
        byte[s] = Klemme(st, 0, 999) * 7 / 100;
    }
    int32_t diff = byte[0] - byte[1];
    satz->staerke[0] = uint8_t(Klemme(byte[0] * (100 + Klemme(diff / 15, -45, 45)) / 100, 0, 99));
    satz->staerke[1] = uint8_t(Klemme(byte[1] * (100 + Klemme(diff / -15, -45, 45)) / 100, 0, 99));

    satz->seiten_gewechselt = int8_t(Rnd(0, 1));
    Spielfeld_Tore_Setzen(satz);
    for (Spieler_Matchsatz& sm : satz->spieler) sm.nummer = -1;

    for (int32_t s = 0; s < 2; ++s) {
        Spielfeld_Team_An_Positionen(satz, s, satz->seiten_gewechselt ^ s, nur_wuerfel);
        satz->freistoss_schuetze[s] = satz->elfmeter_schuetze[s] = satz->ecken_schuetze[s] = -1;
    }
    for (int32_t s = 0; s < 2; ++s) {
        int32_t team = int32_t(satz->team[s]);
        satz->talent_zentrum[s] = uint32_t(Team_Talent_Zentrum(satz, team));
        satz->talent_abwehr[s] = uint32_t(Team_Talent_Abwehr(satz, team));
        bool abwehr = satz->talent_abwehr[s] != 0;
        satz->linienwerte[s][6] = abwehr ? 100 : 50;
        satz->deckung[s] = abwehr ? 4 : 0;
        satz->talent_zufall[s] = uint32_t(Team_Talent_Zufall(satz, team));
    }

    for (int32_t slot = 0; slot < SF_SPIELER; ++slot) {
        Spieler_Matchsatz& sm = satz->spieler[slot];
        if (sm.nummer < 0) continue;
        int32_t s = slot / SF_SPIELER_SEITE;
        for (int32_t b : {141, 142, 144, 145, 146, 147}) sm.rolle[ROLLE(b)] = 2;
        if (satz->figur[slot].torwart) {
            sm.rolle[ROLLE(148)] = 0;
            if (int8_t(sm.rolle[ROLLE(150)]) == -1) sm.rolle[ROLLE(150)] = 2;
        } else {
            for (int32_t b : {148, 149, 150}) sm.rolle[ROLLE(b)] = 2;
        }
        if (!(sm.zustand & (SM_AUF_PLATZ | SM_RESERVE))) continue;
        if (nur_wuerfel) Spielfeld_Spielerstaerke_Ziehen(satz, slot);
        else Spielfeld_Get_Spielerstaerke(satz, int32_t(satz->team[s]), slot);
        int32_t p = sm.nummer;
        uint32_t st = Spieler_Status(p);
        bool auf_platz = sm.zustand & SM_AUF_PLATZ;
        if ((st & SP_STATUS_FREISTOSS) && (satz->freistoss_schuetze[s] < 0 || auf_platz))
            satz->freistoss_schuetze[s] = p;
        if ((st & SP_STATUS_ELFMETER) && (satz->elfmeter_schuetze[s] < 0 || auf_platz)) satz->elfmeter_schuetze[s] = p;
        if ((st & SP_STATUS_ECKE) && (satz->ecken_schuetze[s] < 0 || auf_platz)) satz->ecken_schuetze[s] = p;
        // Value 101 names the opponent the player marks; one that names no
        // player of the other side in this match (a team-mate after a
        // transfer, a player of another club) leaves both bytes at -1.
        int32_t partner = Spieler_Wert(SPW_PARTNER, p, 0, OP_LESEN);
        if (partner >= 0) {
            const int32_t von = s == 0 ? SF_SPIELER_SEITE : 0;
            for (int32_t j = von; j < von + SF_SPIELER_SEITE; ++j) {
                if (satz->spieler[j].nummer == partner) {
                    sm.partner = uint8_t(j);
                    satz->spieler[j].rueck = uint8_t(slot);
                    break;
                }
            }
        }
    }

    // The ball on the centre spot, the officials, the corner flags and the
    // goal frames: figures, which the dice never read (none of this draws).
    satz->figur[FIGUR_BALL].ist_ball = 1;
    if (!nur_wuerfel) Figuren_Aufstellen(satz);

    satz->anstoss_seite = uint8_t(Rnd(0, 1));
    Spielfeld_Periode_Starten_Satz(satz);
    satz->spielzeit_ms = Plat_Ms();
    g.frame_referenz = satz->spielzeit_ms;
    Spielfeld_Eingabekopie_Fuellen(satz);
}
}  // namespace

int32_t Spielfeld_Anlegen(int32_t spiel, int32_t anzeige, int32_t, int32_t zuschauer, int32_t stadion, int32_t live) {
    if (!Spielfeld_Ist_Initialisiert()) return 0;
    SpielfeldSpiel daten;
    if (!Spielfeld_Hook_Spiel(spiel, &daten)) {
        Debug_Printf("Spielfeld_Anlegen: Spiel %d unbekannt\n", spiel);
        return 0;
    }
    const bool mensch = Team_Hat_Manager(daten.heim) || Team_Hat_Manager(daten.gast);
    const int32_t hoechstens = SPIELFELD_MAX + (mensch ? SPIELFELD_MENSCH_EXTRA : 0);
    if (Satz_Anzahl() >= hoechstens) {
        Debug_Printf("Spielfeld_Anlegen: schon %d Spielfelder\n", Satz_Anzahl());
        return 0;
    }
    if (Element_Von_Spiel(spiel)) {
        // One record per game: a second one would hide the first from every look-up.
        Debug_Printf("Spielfeld_Anlegen: Spiel %d hat schon ein Spielfeld\n", spiel);
        return 0;
    }
    Listen_Element* e = Liste_Insert(&g.liste, &g.liste, nullptr, uint32_t(SATZ_BYTES), spiel);
    if (!e) return 0;
    g.nach_spiel.emplace(spiel, e);   // the index is whole here: the look-up above built it
    g.nach_satz.emplace(e->daten, e);
    ++g.anzahl;
    Spielfeld_Satz* satz = Satz_Von(e);
    if (Spielfeld_Hook_Schalter(daten.wettbewerb, 4)) g.schalter4 = daten.wettbewerb;

    satz->anzeige_modus = uint8_t(anzeige);
    // Only a background record can go without match values and figures.
    const bool nur_wuerfel = live == SPIELFELD_NUR_WUERFEL && anzeige == 0 && g.leicht_an;
    if (live == SPIELFELD_NUR_WUERFEL) live = -1;
    Daten_Eintragen(satz, &daten, spiel, live, true, nur_wuerfel);   // the list hands out a zeroed record

    // Weather from the fixture's temperature and precipitation.
    int32_t temp = daten.temperatur, regen = daten.niederschlag;
    satz->wetter = 0;
    satz->wetter_staerke = 0;
    satz->boden_faktor = 1.2f;
    if (regen >= 61) {
        satz->wetter = 1;
        satz->wetter_staerke = uint8_t(Klemme(regen * 2 - 100, 0, 255));
        if (temp < -1) satz->gefroren = 1;
    }
    if (regen > 76) {
        satz->wetter = 3;
        int32_t n = std::min(regen - 76, 10);
        float f = n * (temp < 0 ? 3.0f : 3.5f);
        satz->boden_faktor = f / 100.0f + 1.15f;
    }
    if (temp < -1 && regen > 60) satz->wetter = regen > 90 ? 6 : 5;

    // The venue.
    int32_t besucher = zuschauer != 0 ? zuschauer : daten.zuschauer;
    if (zuschauer != 0) satz->zuschauer_vorgabe = uint32_t(zuschauer);
    if (stadion == -1) {
        for (uint32_t& b : satz->belegung) b = 90;
    } else {
        static constexpr uint8_t ARTEN[6][6] = {{0, 1, 0, 0, 0, 0}, {0, 1, 0, 0, 1, 0}, {1, 2, 1, 1, 2, 1},
                                                {2, 2, 2, 1, 2, 1}, {2, 3, 2, 2, 3, 2}, {4, 4, 4, 4, 4, 4}};
        SpielfeldStadion st;
        bool da = Spielfeld_Hooks().stadion && Spielfeld_Hooks().stadion(stadion, &st);
        if (!da) {
            static constexpr uint8_t OHNE[6] = {1, 2, 1, 1, 2, 1};
            std::memcpy(satz->tribuene, OHNE, 6);
        } else {
            int64_t platz = std::max<int64_t>(st.kapazitaet / 6, 1);
            for (uint32_t& b : satz->belegung)
                b = uint32_t(std::clamp<int64_t>(int64_t(std::max(besucher, 0)) / 6 * 100 / platz, 0, 0x7FFFFFFF));
            if (st.modell > 3 && satz->wetter == 5) satz->wetter = 4;
            if (st.modell > 5) {
                satz->wetter = 0;
                satz->boden_faktor = 1.2f;
                satz->wetter_staerke = 0;
            }
            std::memcpy(satz->tribuene, ARTEN[Klemme(st.modell, 0, 5)], 6);
        }
        if (Spielfeld_Hooks().werbung) Spielfeld_Hooks().werbung(stadion, satz->werbung);
    }
    satz->wetter_init = 1;

    // The referee's strictness from the game's importance.
    int32_t v = std::min(Spielfeld_Hook_Wichtigkeit(daten.wettbewerb) / 25, 100);
    if (Spielfeld_Hook_International(daten.wettbewerb)) v += 1;
    int8_t erstes = -1;
    Spielfeld_Hook_Info(daten.wettbewerb, &erstes, nullptr);
    satz->publikum = erstes >= 0 ? 1 : 0;
    if (satz->publikum) {
        satz->strenge[1] = uint8_t(Rnd(v, 6));
        satz->strenge[0] = uint8_t(Rnd(v, 6));
    } else {
        satz->strenge[0] = satz->strenge[1] = 157;
    }
    satz->abschnitt_gestartet = 1;
    std::memset(satz->ff, 0xFF, sizeof satz->ff);

    satz->zuschauer_klasse = daten.zuschauer <= 15000 ? 2 : (daten.zuschauer <= 35000 ? 1 : 0);
    satz->rnd_index = uint32_t(Rnd_Get_Index());
    satz->w26468 = 0;
    satz->ausdauer_timer = satz->laengen_faktor = float(SPIELFELD_MINUTEN) / 90.0f;
    return 1;
}

// ---------------------------------------------------------------------------
// Periods.

void Spielfeld_Spielzustand_Freigeben(Spielfeld_Satz* satz) {
    if (!satz) return;
    satz->spielzustand = satz->wechsel_laeuft ? SZ_NEUE_HALBZEIT : SZ_SPIEL;
}

namespace {
// A heat-map byte's four two-bit cells in reverse order, for every byte.
constexpr std::array<uint8_t, 256> ZELLEN_UMGEDREHT = [] {
    std::array<uint8_t, 256> t{};
    for (int32_t i = 0; i < 256; ++i) {
        const uint8_t v = uint8_t((i & 0x0F) << 4 | (i & 0xF0) >> 4);
        t[size_t(i)] = uint8_t((v & 0x33) << 2 | (v & 0xCC) >> 2);
    }
    return t;
}();

// True when no cell of the heat map is set (a match by the dice marks none).
bool Heatmap_Leer(const uint8_t (&h)[25]) {
    uint64_t w[3];
    std::memcpy(w, h, sizeof w);
    return (w[0] | w[1] | w[2] | h[24]) == 0;
}
}  // namespace

void Spielfeld_Periode_Starten_Satz(Spielfeld_Satz* satz) {
    if (!satz) return;
    Rnd_Eigener_Index zufall(satz->rnd_index);
    satz->abschnitt += 1;
    satz->minutenuhr = float(SPIELFELD_MINUTEN);
    satz->w41094 = 1;
    satz->standard_flag = 0;
    satz->fouls = 0;
    satz->wechsel_laeuft = 0;
    satz->abschnitt_ende = 0;
    satz->w41093 = 0;
    satz->w25127 = 0;
    std::memset(satz->standard_marker, 0, 3);
    satz->foul_countdown = 0;
    satz->seiten_gewechselt = satz->seiten_gewechselt ? 0 : 1;
    Spielfeld_Tore_Setzen(satz);

    Figur& ball = satz->figur[FIGUR_BALL];
    ball.pos[2] = 0;
    Figur_Aktuelle_Anweisung(&ball)->vz = 0;
    satz->ball_linie = 0;
    satz->tor_reaktion = 0;
    Figur_Aktuelle_Anweisung(&satz->figur[FIGUR_SCHIRI])->flags = 0;

    for (Spieler_Matchsatz& sm : satz->spieler) {
        int32_t s = Klemme(sm.ausdauer, 0, 10000);
        sm.ausdauer = s + Rnd((10000 - s) / 4, (10000 - s) / 2);
    }
    const bool nur_wuerfel = g.leicht.count(satz) != 0;
    for (int32_t s = 0; s < 2; ++s) Spielfeld_Team_An_Positionen(satz, s, satz->seiten_gewechselt ^ s, nur_wuerfel);
    Spielfeld_Eingabekopie_Fuellen(satz);

    satz->ballhalter = -1;
    satz->halter_beruehrungen = 0;
    satz->anstoss_seite &= 1;
    satz->letzte_beruehrung = int8_t(1 - satz->anstoss_seite);
    satz->anstoss_seite ^= 1;
    satz->abschnitt_gestartet = 1;
    Spielfeld_Spielzustand_Freigeben(satz);
    satz->spielzustand = SZ_ANSTOSS;
    satz->unterbrechung_bereit = 0;

    for (Spieler_Matchsatz& sm : satz->spieler) {
        // Turn the heat map by 180 degrees: cell i of 100 becomes cell 99 - i.
        // Cell 4b + k sits in byte b at bits 2k; it goes to cell 4(24 - b) +
        // (3 - k), so byte b lands in byte 24 - b with its four cells reversed.
        if (Heatmap_Leer(sm.heatmap)) continue;   // turned, an empty map stays empty
        uint8_t neu[25];
        for (int32_t b = 0; b < 25; ++b) neu[24 - b] = ZELLEN_UMGEDREHT[sm.heatmap[b]];
        std::memcpy(sm.heatmap, neu, 25);
    }
    SetAnim(satz, FIGUR_BALL, SPIELFELD_MITTE_X, SPIELFELD_MITTE_Y, 0);
    SetZiel(satz, FIGUR_BALL, SPIELFELD_MITTE_X, SPIELFELD_MITTE_Y, 0, RING_OHNE_PRUEFUNG, 0);
    ball.v[0] = ball.v[1] = ball.v[2] = 0;
    Figur_Aktuelle_Anweisung(&ball)->tempo = 0;

    if (satz->live == 1) Spielfeld_Spieler_Um_Ball(satz);
    if (Spielfeld_Hooks().anstoss_ausfuehren) Spielfeld_Hooks().anstoss_ausfuehren(satz);

    if (satz->abschnitt == 1) {
        for (Spieler_Matchsatz& sm : satz->spieler) {
            std::memset(sm.heatmap, 0, sizeof sm.heatmap);
        }
        for (auto& st : satz->statistik) st[5] = 0;
        for (Figur& f : satz->figur) f.gelaufen = 0;
    }
}

void Spielfeld_Periode_Starten(int32_t spiel) {
    Spielfeld_Satz* satz = Spielfeld_Suchen(spiel);
    if (!satz) return;
    Spielfeld_Periode_Starten_Satz(satz);
}

void Spielfeld_Periode_Beenden(int32_t spiel) {
    Spielfeld_Satz* satz = Spielfeld_Suchen(spiel);
    if (!satz) return;
    Rnd_Eigener_Index zufall(satz->rnd_index);
    Spielfeld_Wechsel_Abschliessen(satz);
    for (int32_t i = 0; i < SF_SPIELER; ++i) {
        satz->figur[i].situation = 0;
        satz->spieler[i].zustand &= SM_BLEIBT;
    }
    satz->abschnitt_ende = 2;
    if (satz->minute < 60) Spielfeld_Ereignis(satz, SE_ABSCHNITT, -1, -1);
    std::memset(satz->standard_marker, 0, 3);
    satz->foul_countdown = 0;
    satz->standard_flag = 0;
    Spielfeld_Spielzustand_Freigeben(satz);
    satz->elfmeter_schuss = 0;
    satz->unterbrechung_countdown = 0;
    satz->spielzustand = SZ_ABGANG;
}

void Spielfeld_Abbrechen(int32_t spiel) {
    Spielfeld_Satz* satz = Spielfeld_Suchen(spiel);
    if (!satz) return;
    if (satz->anzeige_modus == 1) {
        satz->freigabe_countdown = 30;
    } else {
        satz->anzeige_modus = 0;
        satz->abgebrochen = 1;
    }
}

// ---------------------------------------------------------------------------
// Save game.

void Spielfeld_Save(std::vector<uint8_t>& out) {
    out.push_back(g.initialisiert ? 1 : 0);
    if (!g.initialisiert) return;
    size_t n = Liste_Memory_Groesse(&g.liste, LISTE_ALLE);
    size_t pos = out.size();
    out.resize(pos + n + SAVE_ENDE_BYTES);
    Liste_To_Memory(out.data() + pos, n, &g.liste, LISTE_ALLE);
    uint8_t* p = out.data() + pos + n;
    Spielfeld_Ansicht_Einstellung a = g.ansicht;
    a.puffer = 0;
    std::memcpy(p, &a, sizeof a);
    p += sizeof a;
    const int32_t* k = &g.k.laenge;
    for (int32_t i = 0; i < 26; ++i, p += 4) Bytes_Put32(p, uint32_t(k[i]));
    for (uint32_t w : g.reserviert) {
        Bytes_Put32(p, w);
        p += 4;
    }
    for (float f : {g.bewegung, g.abwehr}) {
        uint32_t bits;
        std::memcpy(&bits, &f, 4);
        Bytes_Put32(p, bits);
        p += 4;
    }
    *p++ = g.live;
    Bytes_Put32(p, uint32_t(Rnd_Get_Index()));
}

bool Spielfeld_Load(const uint8_t* in, size_t bytes) {
    if (!in || bytes < 1 || in[0] > 1) {
        Debug_Printf("Spielfeld_Load: Block ungueltig\n");
        return false;
    }
    if (in[0] == 0) {
        if (bytes != 1) {
            Debug_Printf("Spielfeld_Load: Block ungueltig\n");
            return false;
        }
        if (g.initialisiert) Spielfeld_Freigeben();
        return true;
    }
    // Check the whole block first: the list of at most 206 records of the
    // record's size with distinct game numbers, then the fixed tail.
    if (bytes < 5) return false;
    uint32_t anzahl = Bytes_Get32(in + 1);
    if (anzahl > uint32_t(SPIELFELD_MAX + SPIELFELD_MENSCH_EXTRA)) {
        Debug_Printf("Spielfeld_Load: %u Spielfelder\n", anzahl);
        return false;
    }
    size_t pos = 5;
    std::vector<int32_t> schluessel;
    auto pruefling = std::make_unique<Spielfeld_Satz>();
    for (uint32_t i = 0; i < anzahl; ++i) {
        if (bytes - pos < 8) return false;
        int32_t key = int32_t(Bytes_Get32(in + pos));
        uint32_t n = Bytes_Get32(in + pos + 4);
        if (n != SATZ_BYTES || bytes - pos - 8 < n) {
            Debug_Printf("Spielfeld_Load: Spielfeld %u hat %u Bytes\n", i, n);
            return false;
        }
        if (std::find(schluessel.begin(), schluessel.end(), key) != schluessel.end()) {
            Debug_Printf("Spielfeld_Load: Spiel %d doppelt\n", key);
            return false;
        }
        // A damaged record would send the tick through bad indices: the load is
        // refused. It is checked in an aligned copy (the block's records lie at
        // any byte offset).
        std::memcpy(static_cast<void*>(pruefling.get()), in + pos + 8, sizeof(Spielfeld_Satz));
        if (const char* grund = Spielfeld_Satz_Pruefen(pruefling.get())) {
            Debug_Printf("Spielfeld_Load: Spiel %d: %s\n", key, grund);
            return false;
        }
        schluessel.push_back(key);
        pos += 8 + n;
    }
    size_t liste_ende = pos;
    if (bytes - pos != SAVE_ENDE_BYTES) {
        Debug_Printf("Spielfeld_Load: Block hat %zu Bytes zu viel oder zu wenig\n", bytes - pos);
        return false;
    }
    const uint8_t* p = in + liste_ende;
    uint32_t rnd_index = Bytes_Get32(p + SAVE_ENDE_BYTES - 4);
    if (rnd_index >= uint32_t(RND_TABELLE)) {
        Debug_Printf("Spielfeld_Load: Zufallsindex %u ungueltig\n", rnd_index);
        return false;
    }

    Ansicht_Schliessen();
    if (!g.initialisiert && !Spielfeld_Init()) return false;
    g.index_gueltig = false;
    g.leicht.clear();
    if (!Liste_From_Memory(in + 1, liste_ende - 1, &g.liste)) return false;
    g.aktives = nullptr;
    uint32_t puffer = g.ansicht.puffer;
    std::memcpy(&g.ansicht, p, sizeof g.ansicht);
    g.ansicht.puffer = puffer;
    p += sizeof g.ansicht + sizeof(Spielfeld_Konstanten);
    Konstanten_Berechnen(g.k);
    for (uint32_t& w : g.reserviert) {
        w = Bytes_Get32(p);
        p += 4;
    }
    for (float* f : {&g.bewegung, &g.abwehr}) {
        uint32_t bits = Bytes_Get32(p);
        std::memcpy(f, &bits, 4);
        p += 4;
    }
    uint8_t live = *p++;
    if (g.live && !live) Ansicht_Schliessen();
    g.live = live ? 1 : 0;
    Rnd_Set_Index(int32_t(rnd_index), 0);
    g.frame_referenz = 0x7FFFFFFF;
    g.client_holen = true;
    g.anzeige_aktiv = false;
    std::fill(g.anzeige.begin(), g.anzeige.end(), 0);
    return true;
}


bool Spielfeld_Spielstand_Anmelden() {
    return Spielstand_Block_Anmelden({"Spielfeld", 31, Spielfeld_Save, Spielfeld_Load, [] { Spielfeld_Init(); }});
}

}  // namespace velmora
