// season/statistik.cpp - the player statistics.
#include "season/statistik.h"

#include <algorithm>
#include <climits>

#include "club/club_netz.h"
#include "club/spieler.h"
#include "core/debug.h"
#include "core/spielstand.h"
#include "season/kalender.h"

namespace velmora {
namespace {

constexpr uint32_t STATISTIK_MAGIC = 0x54415453;   // "STAT"
constexpr int32_t STATISTIK_SPIELER_MAX = 1 << 20;

struct StatistikModul {
    bool initialisiert = false;
    std::vector<StatistikWerte> saison;
    std::vector<StatistikWerte> karriere;
};
StatistikModul g;

void Addieren(StatistikWerte& w, const StatistikEintrag& e, int32_t n) {
    if (e.flags & STATISTIK_FLAG_SPIEL) w.spiele += n, w.minuten += n * e.minuten;
    if (e.flags & STATISTIK_FLAG_TOR) w.tore += n;
    if (e.flags & STATISTIK_FLAG_VORLAGE) w.vorlagen += n;
    if (e.flags & STATISTIK_FLAG_GELB) w.gelb += n;
    if (e.flags & STATISTIK_FLAG_ROT) w.platzverweise += n;
}

int32_t Wert(const StatistikWerte& w, int32_t art) {
    switch (art) {
    case STATISTIK_SPIELE: return w.spiele;
    case STATISTIK_TORE: return w.tore;
    case STATISTIK_VORLAGEN: return w.vorlagen;
    case STATISTIK_GELB: return w.gelb;
    case STATISTIK_PLATZVERWEISE: return w.platzverweise;
    case STATISTIK_MINUTEN: return w.minuten;
    default: return -1;
    }
}

}  // namespace

bool Statistik_Init() {
    g = StatistikModul{};
    g.saison.assign(size_t(std::max(Spieler_Anzahl(), 0)), StatistikWerte{});
    g.karriere = g.saison;
    g.initialisiert = true;
    return true;
}

void Statistik_Free() { g = StatistikModul{}; }

bool Statistik_Ist_Initialisiert() { return g.initialisiert; }

bool Statistik_Spieler_Eintragen(int32_t spieler, const StatistikEintrag* eintrag, int32_t anzahl) {
    if (!g.initialisiert || !eintrag || spieler < 0 || spieler >= std::min(Spieler_Anzahl(), STATISTIK_SPIELER_MAX)) {
        Debug_Printf("Statistik_Spieler_Eintragen: Spieler %d ungueltig\n", spieler);
        return false;
    }
    // Players drawn after the start get their rows when they first play.
    if (size_t(spieler) >= g.saison.size()) {
        g.saison.resize(size_t(spieler) + 1);
        g.karriere.resize(size_t(spieler) + 1);
    }
    int32_t n = std::clamp(anzahl, 1, 255);
    Addieren(g.saison[size_t(spieler)], *eintrag, n);
    Addieren(g.karriere[size_t(spieler)], *eintrag, n);
    return true;
}

int32_t Spieler_Get_Spieler_Statistik(int32_t art, int32_t spieler, int32_t karriere) {
    if (!g.initialisiert || spieler < 0) {
        Debug_Printf("Spieler_Get_Spieler_Statistik: Spieler %d ungueltig\n", spieler);
        return 0;
    }
    if (size_t(spieler) >= g.saison.size()) return 0;
    int32_t w = Wert(karriere ? g.karriere[size_t(spieler)] : g.saison[size_t(spieler)], art);
    if (w < 0) {
        Debug_Printf("Spieler_Get_Spieler_Statistik: Art %d ungueltig\n", art);
        return 0;
    }
    return w;
}

void Statistik_Saison_Ende() {
    if (!g.initialisiert) return;
    for (StatistikWerte& w : g.saison) w = StatistikWerte{};
}

Spiel_Lock Statistik_Spiele_Von_Team(int32_t team, int32_t, int32_t, int32_t* gegner, int32_t* wettbewerb,
                                     int32_t* tag) {
    if (gegner) *gegner = -1;
    if (wettbewerb) *wettbewerb = -1;
    if (tag) *tag = -1;
    if (team < 0 || !Spiele_Ist_Initialisiert()) return 0;
    int32_t bester = -1, bester_tag = INT32_MAX;
    for (int32_t i = 0; const SpielDatensatz* s = Spiele_Nummer(i); ++i) {
        if ((s->flags & SPIEL_FLAG_GESPIELT) || (s->heim != team && s->gast != team)) continue;
        int32_t t = Kalender_Team_Frei_2(s->wettbewerb, s->runde, s->spieltag);
        if (t < 0) t = Tag_Index();   // no date: the next match day
        if (t < bester_tag) bester = i, bester_tag = t;
    }
    if (bester < 0) return 0;
    const SpielDatensatz* s = Spiele_Nummer(bester);
    if (gegner) *gegner = s->heim == team ? s->gast : s->heim;
    if (wettbewerb) *wettbewerb = s->wettbewerb;
    if (tag) *tag = bester_tag;
    return Spiele_Lock(s->wettbewerb, s->runde, s->paarung, s->spieltag);
}

void Statistik_Save(std::vector<uint8_t>& out) {
    ClubPacker p{out};
    p.i32(int32_t(STATISTIK_MAGIC));
    p.i32(int32_t(g.saison.size()));
    p.block(g.saison.data(), g.saison.size() * sizeof(StatistikWerte));
    p.block(g.karriere.data(), g.karriere.size() * sizeof(StatistikWerte));
}

bool Statistik_Load(const uint8_t* in, size_t bytes) {
    ClubLeser l{in, bytes};
    if (!in || uint32_t(l.i32()) != STATISTIK_MAGIC) {
        Debug_Printf("Statistik_Load: Block beschaedigt\n");
        return false;
    }
    uint32_t n = uint32_t(l.i32());
    if (l.fehler || n > uint32_t(STATISTIK_SPIELER_MAX) || size_t(n) * 2 * sizeof(StatistikWerte) != bytes - l.pos) {
        Debug_Printf("Statistik_Load: Block beschaedigt\n");
        return false;
    }
    std::vector<StatistikWerte> saison(n), karriere(n);
    l.block(saison.data(), n * sizeof(StatistikWerte));
    l.block(karriere.data(), n * sizeof(StatistikWerte));
    g.saison.swap(saison);
    g.karriere.swap(karriere);
    g.initialisiert = true;
    return true;
}

bool Statistik_Spielstand_Anmelden() {
    return Spielstand_Block_Anmelden({"Statistik", 26, Statistik_Save, Statistik_Load, [] { Statistik_Init(); }});
}

}  // namespace velmora
