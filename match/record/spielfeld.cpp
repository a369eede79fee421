// match/record/spielfeld.cpp - the match record module: the list of records with its
// index, the module's start and release, the look-ups and the save block.
#include "match/record/spielfeld.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <memory>

#include "core/bytes.h"
#include "core/debug.h"
#include "core/liste.h"
#include "core/rnd.h"
#include "core/spielstand.h"
#include "match/record/spielfeld_anzeige.h"
#include "match/record/spielfeld_hooks.h"
#include "match/record/spielfeld_intern.h"
#include "match/record/spielfeld_pruefen.h"

namespace velmora {
namespace spielfeld_intern {

SpielfeldModul g;

}  // namespace spielfeld_intern

using namespace spielfeld_intern;

namespace {

constexpr size_t SAVE_ENDE_BYTES = sizeof(Spielfeld_Ansicht_Einstellung) + sizeof(Spielfeld_Konstanten) + 12 + 8 + 1 + 4;

int32_t Treffer_Platz(int32_t spiel) { return int32_t(uint32_t(spiel) % uint32_t(SpielfeldModul::TREFFER)); }

void Index_Aufbauen() {
    if (g.index_gueltig) return;
    g.nach_spiel.clear();
    g.nach_satz.clear();
    std::fill(std::begin(g.treffer), std::end(g.treffer), SpielfeldModul::Treffer{});
    g.gegangen = nullptr;
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
    SpielfeldModul::Treffer& t = g.treffer[Treffer_Platz(int32_t(e->schluessel))];
    if (t.e == e) t = {};
    if (g.gegangen == e) g.gegangen = nullptr;
    g.nach_satz.erase(e->daten);
    --g.anzahl;
}

// Removes a record's element with what the module keeps about it (the active
// record, the light set, the index); the element a walk goes on with.
Listen_Element* Element_Entfernen(Listen_Element* e) {
    const auto* s = static_cast<const Spielfeld_Satz*>(e->daten);
    ++g.abgang;
    if (g.aktives == s) g.aktives = nullptr;
    g.leicht.erase(s);
    Index_Austragen(e);
    Listen_Element* vorher = Liste_Delete_Element(&g.liste, e);
    return vorher == &g.liste ? Liste_First(&g.liste) : Liste_Next_Element(vorher);
}

}  // namespace

namespace spielfeld_intern {

namespace {

const SpielfeldModul::Treffer* Treffer_Von_Spiel(int32_t spiel) {
    Index_Aufbauen();
    SpielfeldModul::Treffer& t = g.treffer[Treffer_Platz(spiel)];
    if (t.e && t.spiel == spiel) return &t;
    auto it = g.nach_spiel.find(spiel);
    if (it == g.nach_spiel.end()) return nullptr;
    t = {spiel, it->second, Satz_Von(it->second)};
    return &t;
}

}  // namespace

Listen_Element* Element_Von_Spiel(int32_t spiel) {
    const SpielfeldModul::Treffer* t = Treffer_Von_Spiel(spiel);
    return t ? t->e : nullptr;
}

Spielfeld_Satz* Satz_Von_Spiel(int32_t spiel) {
    const SpielfeldModul::Treffer* t = Treffer_Von_Spiel(spiel);
    return t ? t->satz : nullptr;
}

int32_t Satz_Anzahl() {
    Index_Aufbauen();
    return g.anzahl;
}

}  // namespace spielfeld_intern

namespace {

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
    ++g.abgang;
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
    return Satz_Von_Spiel(spiel);
}

uint32_t Spielfeld_Abgang_Stand() { return g.abgang; }

int32_t Spielfeld_Anzahl() { return g.initialisiert ? Satz_Anzahl() : 0; }

Spielfeld_Satz* Spielfeld_Naechster(Spielfeld_Satz* satz) {
    if (!g.initialisiert) return nullptr;
    if (!satz) return Satz_Von(g.gegangen = Liste_First(&g.liste));
    // A walk passes the record it was given last: its element is known.
    Listen_Element* e = g.index_gueltig && g.gegangen && Satz_Von(g.gegangen) == satz ? g.gegangen : Element_Von(satz);
    return e ? Satz_Von(g.gegangen = Liste_Next_Element(e)) : nullptr;
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

void Spielfeld_Zustand_Zaehlen(Spielfeld_Satz* satz) {
    if (satz->standard_zustand != satz->spielzustand || satz->frame_zaehler < satz->standard_ab) {
        satz->standard_zustand = uint8_t(satz->spielzustand);
        satz->standard_ab = satz->frame_zaehler;
    }
}

uint32_t Spielfeld_Zustand_Dauer(const Spielfeld_Satz* satz) {
    if (satz->standard_zustand != satz->spielzustand || satz->frame_zaehler < satz->standard_ab) return 0;
    return satz->frame_zaehler - satz->standard_ab;
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
    ++g.abgang;
    return Satz_Von(e);
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
    ++g.abgang;
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
