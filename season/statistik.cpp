// season/statistik.cpp - the player statistics.
#include "season/statistik.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <iterator>
#include <string>

#include "club/club_netz.h"
#include "club/spieler.h"
#include "club/team.h"
#include "core/debug.h"
#include "core/mem.h"
#include "core/spielstand.h"
#include "core/str.h"
#include "season/kalender.h"
#include "season/spielplan.h"
#include "season/tabelle.h"
#include "season/wettbewerb.h"

namespace velmora {
namespace {

constexpr uint32_t STATISTIK_MAGIC = 0x54415453;   // "STAT"
constexpr int32_t STATISTIK_SPIELER_MAX = 1 << 20;
// Far above what a career counts (a hundred seasons of a hundred matches of
// 120 minutes make 1.2 million minutes). Every count stops there, so no game,
// however long, writes a larger one: a larger count in a save is damage.
constexpr int32_t STATISTIK_WERT_MAX = 1 << 28;

struct StatistikModul {
    bool initialisiert = false;
    std::vector<StatistikWerte> saison;
    std::vector<StatistikWerte> karriere;
};
StatistikModul g;

// Adds to a count up to STATISTIK_WERT_MAX, where the count stays.
void Dazu(int32_t& wert, int32_t n) { wert = std::min(wert + n, STATISTIK_WERT_MAX); }

void Addieren(StatistikWerte& w, const StatistikEintrag& e, int32_t n) {
    if (e.flags & STATISTIK_FLAG_SPIEL) Dazu(w.spiele, n), Dazu(w.minuten, n * e.minuten);
    if (e.flags & STATISTIK_FLAG_TOR) Dazu(w.tore, n);
    if (e.flags & STATISTIK_FLAG_VORLAGE) Dazu(w.vorlagen, n);
    if (e.flags & STATISTIK_FLAG_GELB) Dazu(w.gelb, n);
    if (e.flags & STATISTIK_FLAG_ROT) Dazu(w.platzverweise, n);
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

namespace {

// The 1-based place and the points of a team in its league; false without one.
bool Liga_Stand(int32_t team, TabellenPuffer* p, int32_t* platz, int32_t* punkte) {
    const int32_t liga = Team_Get_Liga(team, 1);
    const int32_t n = liga >= 0 ? Wettbewerb_Tabelle_Vorbereiten(liga, p) : 0;
    for (int32_t i = 0; i < n; ++i) {
        const TabellenZeile& z = p->zeile[p->reihenfolge[i]];
        if (z.team != team) continue;
        *platz = i + 1;
        *punkte = z.punkte[TABELLE_GESAMT];
        return true;
    }
    return false;
}

}  // namespace

void Statistik_Zusammenfassung_Text(int32_t, int32_t heim, int32_t gast, char* zeile1, char* zeile2, int32_t) {
    if (zeile1) zeile1[0] = 0;
    if (zeile2) zeile2[0] = 0;
    if (!zeile1 || !zeile2 || heim < 0 || gast < 0 || heim >= Team_Anzahl() || gast >= Team_Anzahl()) return;
    auto* p = static_cast<TabellenPuffer*>(Mem_Alloc(sizeof(TabellenPuffer), "Statistik"));
    if (!p) return;
    std::string text;
    for (int32_t team : {heim, gast}) {
        int32_t platz = 0, punkte = 0;
        if (!Liga_Stand(team, p, &platz, &punkte)) continue;
        text += Str_Format("%s%s: %d. Platz, %d %s", text.empty() ? "" : "   ", Team_String(TS_NAME_KURZ, team, 0, 0),
                           platz, punkte, punkte == 1 ? "Punkt" : "Punkte");
    }
    Mem_Free(p);
    std::snprintf(zeile1, STATISTIK_ZEILE, "%s", text.c_str());
    // The latest played game between them: the store holds this season's games only.
    const SpielDatensatz* letztes = nullptr;
    for (int32_t i = 0; const SpielDatensatz* s = Spiele_Nummer(i); ++i) {
        const bool paar = (s->heim == heim && s->gast == gast) || (s->heim == gast && s->gast == heim);
        if (!paar || !(s->flags & SPIEL_FLAG_GESPIELT) || s->tore_heim < 0) continue;
        if (!letztes || s->folge >= letztes->folge) letztes = s;
    }
    if (!letztes) {
        std::snprintf(zeile2, STATISTIK_ZEILE, "Die beiden Mannschaften treffen in dieser Saison zum ersten Mal aufeinander.");
        return;
    }
    std::snprintf(zeile2, STATISTIK_ZEILE, "Letztes Duell: %s - %s %d:%d (%s)", Team_String(TS_NAME_KURZ, letztes->heim, 0, 0),
                  Team_String(TS_NAME_KURZ, letztes->gast, 0, 0), letztes->tore_heim, letztes->tore_gast,
                  Wettbewerb_Get_Rundentext(letztes->wettbewerb, letztes->runde, letztes->spieltag));
}

int32_t Statistik_Tabelle_Erstellen(int32_t, int32_t team, int32_t, int32_t art, int32_t,
                                    char (*zeilen)[STATISTIK_ZEILE], int32_t max) {
    if (!zeilen || max <= 0 || team < 0 || team >= Team_Anzahl()) return 0;
    // The kinds in the order the table of all kinds lists them, with their words.
    static const struct {
        int32_t tabelle, wert_art;
        const char *eins, *mehr;
    } ARTEN[] = {{STATISTIK_TABELLE_TORE, STATISTIK_TORE, "Tor", "Tore"},
                 {STATISTIK_TABELLE_VORLAGEN, STATISTIK_VORLAGEN, "Vorlage", "Vorlagen"},
                 {STATISTIK_TABELLE_ALLE, STATISTIK_SPIELE, "Spiel", "Spiele"}};
    int32_t spieler[TEAM_SPIELER_MAX];
    const int32_t n = Teamspieler_Ins_Array(team, spieler, TEAM_SPIELER_MAX, 0);
    struct Zeile {
        int32_t art, wert, spieler;
    };
    std::vector<Zeile> liste;
    for (int32_t a = 0; a < int32_t(std::size(ARTEN)); ++a) {
        if (art != STATISTIK_TABELLE_ALLE && art != ARTEN[a].tabelle) continue;
        for (int32_t i = 0; i < n; ++i) {
            const int32_t w = Spieler_Get_Spieler_Statistik(ARTEN[a].wert_art, spieler[i], 0);
            if (w > 0) liste.push_back({a, w, spieler[i]});
        }
    }
    std::sort(liste.begin(), liste.end(), [](const Zeile& x, const Zeile& y) {
        if (x.art != y.art) return x.art < y.art;
        return x.wert != y.wert ? x.wert > y.wert : x.spieler < y.spieler;
    });
    const int32_t anzahl = std::min(max, int32_t(liste.size()));
    for (int32_t i = 0; i < anzahl; ++i) {
        const Zeile& z = liste[size_t(i)];
        std::snprintf(zeilen[i], STATISTIK_ZEILE, "%s: %d %s", Spieler_String(SPS_NACHNAME, z.spieler, 0, 0), z.wert,
                      z.wert == 1 ? ARTEN[z.art].eins : ARTEN[z.art].mehr);
    }
    return anzahl;
}

namespace {
// The block; the season's and the career's records are packed where they stand.
void Statistik_Stuecke(SpielstandStuecke& p) {
    p.i32(int32_t(STATISTIK_MAGIC));
    p.i32(int32_t(g.saison.size()));
    p.block(g.saison.data(), g.saison.size() * sizeof(StatistikWerte));
    p.block(g.karriere.data(), g.karriere.size() * sizeof(StatistikWerte));
}
}  // namespace

void Statistik_Save(std::vector<uint8_t>& out) { Spielstand_Stuecke_Anhaengen(Statistik_Stuecke, out); }

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
    for (const std::vector<StatistikWerte>* liste : {&saison, &karriere})
        for (const StatistikWerte& w : *liste)
            for (int32_t v : {w.spiele, w.tore, w.vorlagen, w.gelb, w.platzverweise, w.minuten})
                if (v < 0 || v > STATISTIK_WERT_MAX) {
                    Debug_Printf("Statistik_Load: Zaehler %d ausserhalb\n", v);
                    return false;
                }
    g.saison.swap(saison);
    g.karriere.swap(karriere);
    g.initialisiert = true;
    return true;
}

bool Statistik_Spielstand_Anmelden() {
    return Spielstand_Block_Anmelden({"Statistik", 26, Statistik_Save, Statistik_Load, [] { Statistik_Init(); }, 100,
                                      Statistik_Stuecke});
}

}  // namespace velmora
