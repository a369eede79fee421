// season/tabelle.cpp - league tables and their snapshots.
#include "season/tabelle.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <new>
#include <unordered_map>

#include "club/club_netz.h"
#include "core/bytes.h"
#include "core/debug.h"
#include "core/mem.h"
#include "core/pack.h"
#include "core/spielstand.h"
#include "season/spiele.h"
#include "season/wettbewerb.h"

namespace velmora {
namespace {

constexpr uint32_t TABELLE_MAGIC = 0x4C424154;   // "TABL"

// The last table order of a competition and everything it was computed from:
// the competition's rules, its clubs and, per game, the fields a table reads.
// While all of these are the same, the order is the same.
struct Reihenfolge {
    std::vector<int32_t> eingaben;
    std::vector<int32_t> teams;
};

// A table as it stood after a day. Nothing in a running game reads it back:
// only the save game keeps it, packed. So it is packed when the save first
// asks for it, not in the frame that closes the day; a loaded one comes packed.
struct Schnappschuss {
    std::vector<uint8_t> gepackt;              // Puffer_Packen's block, once packed
    std::unique_ptr<TabellenPuffer> offen;     // the table while not yet packed
};

struct TabelleModul {
    std::map<uint64_t, Schnappschuss> schnappschuss;   // (competition, day) -> table
    std::unordered_map<int32_t, Reihenfolge> reihenfolge;     // competition -> last order
};
TabelleModul g;

uint64_t Schluessel(int32_t w, int32_t tag) { return uint64_t(uint32_t(w)) << 32 | uint32_t(tag); }

struct Direkt {
    int32_t punkte = 0, diff = 0, tore = 0;
};

// Orders the rows; clubs level on column `spalte` are ranked by their games
// among each other when the mask asks for it.
void Sortieren(TabellenPuffer* p, const std::vector<const SpielDatensatz*>& spiele, int32_t spalte) {
    int32_t s = spalte;
    auto schluessel = [&](int32_t i) {
        const TabellenZeile& z = p->zeile[i];
        int32_t punkte = z.punkte[s], tore = z.tore[s], gegen = z.gegentore[s];
        return std::make_tuple(punkte, tore - gegen, tore);
    };
    std::vector<int32_t> ordnung(p->anzahl);
    for (int32_t i = 0; i < p->anzahl; ++i) ordnung[i] = i;
    std::stable_sort(ordnung.begin(), ordnung.end(), [&](int32_t a, int32_t b) { return schluessel(a) > schluessel(b); });
    if (p->maske & TABELLE_MIT_DIREKT) {
        for (size_t a = 0; a < ordnung.size();) {
            size_t b = a + 1;
            while (b < ordnung.size() && schluessel(ordnung[b]) == schluessel(ordnung[a])) ++b;
            if (b - a > 1) {
                std::map<int32_t, Direkt> d;
                std::vector<int32_t> gruppe(ordnung.begin() + a, ordnung.begin() + b);
                auto drin = [&](int32_t team) {
                    for (int32_t i : gruppe)
                        if (p->zeile[i].team == team) return true;
                    return false;
                };
                for (const SpielDatensatz* sp : spiele) {
                    if (!drin(sp->heim) || !drin(sp->gast)) continue;
                    int32_t th = sp->tore_heim, tg = sp->tore_gast;
                    Direkt& h = d[sp->heim];
                    Direkt& gg = d[sp->gast];
                    h.punkte += th > tg ? 3 : th == tg ? 1 : 0;
                    gg.punkte += tg > th ? 3 : th == tg ? 1 : 0;
                    h.diff += th - tg;
                    gg.diff += tg - th;
                    h.tore += th;
                    gg.tore += tg;
                }
                std::stable_sort(ordnung.begin() + a, ordnung.begin() + b, [&](int32_t x, int32_t y) {
                    const Direkt& dx = d[p->zeile[x].team];
                    const Direkt& dy = d[p->zeile[y].team];
                    return std::tie(dx.punkte, dx.diff, dx.tore) > std::tie(dy.punkte, dy.diff, dy.tore);
                });
            }
            a = b;
        }
    }
    for (int32_t i = 0; i < p->anzahl; ++i) p->reihenfolge[i] = int16_t(ordnung[i]);
}

}  // namespace

int32_t Spiele_Statistik(int32_t w, int32_t bis_runde, int32_t englisch, int32_t maske, int32_t spalte,
                         TabellenPuffer* p) {
    if (!p) return 0;
    std::memset(p, 0, sizeof *p);
    const WettbewerbSatz* satz = Wettbewerb_Satz(w);
    if (!satz || !Wettbewerb_Ist_Liga(w) || spalte < 0 || spalte > 2) {
        Debug_Printf("Spiele_Statistik: Wettbewerb %d hat keine Tabelle\n", w);
        return 0;
    }
    int32_t teams[WETTBEWERB_TEAMS_MAX];
    int32_t n = Wettbewerb_Get_Teams(w, teams);
    if (n > TABELLE_TEAMS_MAX) {
        Debug_Printf("Spiele_Statistik: Wettbewerb %d hat %d Teams\n", w, n);
        return 0;
    }
    if (bis_runde < 0 || bis_runde > satz->spieltage) bis_runde = satz->spieltage;
    p->wettbewerb = w;
    p->anzahl = n;
    p->bis_runde = bis_runde;
    p->englisch = englisch ? 1 : 0;
    p->maske = maske;
    p->spalte = spalte;
    // The row of every club by its number, -1 for none (a club listed twice
    // has its last row). A game names its clubs in 16 bits, so a club outside
    // that range is never found and needs no entry.
    static std::vector<int8_t> zeile_von(size_t(1) << 16, -1);
    auto eintrag = [](int32_t team) -> int8_t& { return zeile_von[uint16_t(int16_t(team))]; };
    for (int32_t i = 0; i < n; ++i) {
        TabellenZeile& z = p->zeile[i];
        z.team = int16_t(teams[i]);
        z.vorher = -1;
        std::memset(z.verlauf, 3, sizeof z.verlauf);
        if (teams[i] >= INT16_MIN && teams[i] <= INT16_MAX) eintrag(teams[i]) = int8_t(i);
    }
    std::vector<const SpielDatensatz*> gezaehlt;
    const int32_t* nummern = nullptr;
    for (int32_t i = 0, anzahl = Spiele_Nummern_Von(w, &nummern); i < anzahl; ++i) {
        const SpielDatensatz* s = Spiele_Nummer(nummern[i]);
        if (s->wettbewerb != w || s->runde > bis_runde || !(s->flags & SPIEL_FLAG_GESPIELT) || s->tore_heim < 0 ||
            s->tore_gast < 0)
            continue;
        const int32_t h = eintrag(s->heim), a = eintrag(s->gast);
        if (h < 0 || a < 0) continue;
        gezaehlt.push_back(s);
        for (int32_t seite = 0; seite < 2; ++seite) {
            if (!(maske & (seite == 0 ? TABELLE_MIT_HEIM : TABELLE_MIT_AUSWAERTS))) continue;
            TabellenZeile& z = p->zeile[seite == 0 ? h : a];
            int32_t fuer = seite == 0 ? s->tore_heim : s->tore_gast;
            int32_t gegen = seite == 0 ? s->tore_gast : s->tore_heim;
            int32_t code = fuer > gegen ? 0 : fuer == gegen ? 1 : 2;
            int32_t punkte = code == 0 ? 3 : code == 1 ? 1 : 0;
            if (englisch && seite == 0) punkte -= 3;
            for (int32_t spalte_nr : {TABELLE_GESAMT, seite == 0 ? TABELLE_HEIM : TABELLE_AUSWAERTS}) {
                ++z.spiele[spalte_nr];
                ++(code == 0 ? z.siege : code == 1 ? z.unentschieden : z.niederlagen)[spalte_nr];
                z.punkte[spalte_nr] = int16_t(z.punkte[spalte_nr] + punkte);
                z.tore[spalte_nr] = int16_t(z.tore[spalte_nr] + fuer);
                z.gegentore[spalte_nr] = int16_t(z.gegentore[spalte_nr] + gegen);
            }
            if ((maske & TABELLE_MIT_VERLAUF) && s->runde >= 1 && s->runde <= TABELLE_RUNDEN_MAX)
                z.verlauf[s->runde - 1] = uint8_t(code + (seite == 0 ? 4 : 0));
        }
    }
    for (int32_t i = 0; i < n; ++i)
        if (teams[i] >= INT16_MIN && teams[i] <= INT16_MAX) eintrag(teams[i]) = -1;
    if (!(maske & (TABELLE_MIT_HEIM | TABELLE_MIT_AUSWAERTS))) gezaehlt.clear();
    Sortieren(p, gezaehlt, spalte);
    if ((maske & TABELLE_MIT_TREND) && bis_runde > 1) {
        TabellenPuffer* vorher = static_cast<TabellenPuffer*>(Mem_Alloc(sizeof(TabellenPuffer), "Tabelle"));
        if (vorher && Spiele_Statistik(w, bis_runde - 1, englisch, maske & ~TABELLE_MIT_TREND, spalte, vorher) == n) {
            for (int32_t platz = 0; platz < n; ++platz) p->zeile[vorher->reihenfolge[platz]].vorher = int16_t(platz);
            for (int32_t platz = 0; platz < n; ++platz) {
                TabellenZeile& z = p->zeile[p->reihenfolge[platz]];
                z.trend = int8_t(z.vorher - platz);
            }
        }
        Mem_Free(vorher);
    }
    return n;
}

int32_t Wettbewerb_Tabelle_Vorbereiten(int32_t w, TabellenPuffer* p) {
    const WettbewerbSatz* s = Wettbewerb_Satz(w);
    return Spiele_Statistik(w, -1, s && (s->modus & MODUS_ENGLISCHE_TABELLE), 31, TABELLE_GESAMT, p);
}

namespace {

// What a whole table of competition w is made of besides its games' fields:
// the rules it reads, the count of changes to the games and the clubs.
void Reihenfolge_Eingaben(int32_t w, const WettbewerbSatz* s, std::vector<int32_t>& e) {
    e.clear();
    e.push_back(Wettbewerb_Ist_Liga(w) ? 1 : 0);
    e.push_back(s ? s->spieltage : -1);
    e.push_back(s && (s->modus & MODUS_ENGLISCHE_TABELLE) ? 1 : 0);
    const uint64_t stand = Spiele_Stand(w);
    e.push_back(int32_t(uint32_t(stand >> 32)));
    e.push_back(int32_t(uint32_t(stand)));
    int32_t teams[WETTBEWERB_TEAMS_MAX];
    const int32_t n = Wettbewerb_Get_Teams(w, teams);
    e.push_back(n);
    e.insert(e.end(), teams, teams + std::clamp(n, 0, int32_t(WETTBEWERB_TEAMS_MAX)));
}

}  // namespace

// Asked for both clubs of every game set up: the order is kept per
// competition and computed again only when one of its games may have changed
// (a result entered), its clubs or its rules changed.
int32_t Tabelle_Reihenfolge(int32_t w, int32_t* out) {
    const WettbewerbSatz* s = Wettbewerb_Satz(w);
    static std::vector<int32_t> eingaben;
    Reihenfolge_Eingaben(w, s, eingaben);
    Reihenfolge& r = g.reihenfolge[w];
    if (r.eingaben != eingaben) {
        TabellenPuffer* p = static_cast<TabellenPuffer*>(Mem_Alloc(sizeof(TabellenPuffer), "Tabelle"));
        if (!p) {
            g.reihenfolge.erase(w);
            return 0;
        }
        int32_t n = Spiele_Statistik(w, -1, s && (s->modus & MODUS_ENGLISCHE_TABELLE),
                                     TABELLE_MIT_HEIM | TABELLE_MIT_AUSWAERTS | TABELLE_MIT_DIREKT, TABELLE_GESAMT, p);
        if (n <= 0) {   // no table: asked again, it says so again
            Mem_Free(p);
            g.reihenfolge.erase(w);
            return 0;
        }
        r.teams.resize(size_t(n));
        for (int32_t i = 0; i < n; ++i) r.teams[i] = p->zeile[p->reihenfolge[i]].team;
        Mem_Free(p);
        r.eingaben.swap(eingaben);
    }
    if (out) std::copy(r.teams.begin(), r.teams.end(), out);
    return int32_t(r.teams.size());
}

int32_t Wettbewerb_Get_Tabellenplatz(int32_t w, int32_t team, int32_t, int32_t, int32_t, int32_t) {
    int32_t teams[TABELLE_TEAMS_MAX];
    int32_t n = Tabelle_Reihenfolge(w, teams);
    for (int32_t i = 0; i < n; ++i)
        if (teams[i] == team) return i;
    return -1;
}

int32_t Wettbewerb_Get_Platz_Markierung(int32_t w, int32_t platz) {
    const WettbewerbSatz* s = Wettbewerb_Satz(w);
    if (!s || platz < 0 || platz >= s->team_anzahl || !Wettbewerb_Ist_Liga(w)) return 30;
    if (s->art == ART_GRUPPE) return platz < s->weiter_plaetze ? 32 : 30;
    if (platz == 0 && s->liga_oben < 0) return 31;
    if (s->liga_oben >= 0 && platz < s->aufsteiger) return 32;
    if (s->quali_ziel >= 0 && platz < s->quali_plaetze) return 32;
    if (s->liga_unten >= 0 && platz >= s->team_anzahl - s->absteiger) return 33;
    return 30;
}

uint16_t Wettbewerb_Get_Platz_Farbe(int32_t w, int32_t platz) {
    switch (Wettbewerb_Get_Platz_Markierung(w, platz)) {
    case 31: return PLATZ_FARBE_MEISTER;
    case 32: return PLATZ_FARBE_AUFSTIEG;
    case 33: return PLATZ_FARBE_ABSTIEG;
    default: return PLATZ_FARBE_KEINE;
    }
}

bool Tabelle_Schnappschuss(int32_t w, int32_t tag) {
    std::unique_ptr<TabellenPuffer> p(new (std::nothrow) TabellenPuffer);
    if (!p || Wettbewerb_Tabelle_Vorbereiten(w, p.get()) <= 0) return false;
    // A snapshot taken again for the same day replaces the one before, packed or not.
    Schnappschuss& s = g.schnappschuss[Schluessel(w, tag)];
    s.gepackt.clear();
    s.offen = std::move(p);
    return true;
}

bool Statistik_Eintrag_Entpacken(TabellenPuffer* puffer, int32_t w, int32_t tag) {
    auto it = g.schnappschuss.find(Schluessel(w, tag));
    if (!puffer || it == g.schnappschuss.end()) return false;
    if (it->second.offen) {
        std::memcpy(puffer, it->second.offen.get(), sizeof *puffer);
        return true;
    }
    const std::vector<uint8_t>& gepackt = it->second.gepackt;
    uint32_t laenge = 0;
    void* daten = Puffer_Entpacken(gepackt.data(), uint32_t(gepackt.size()), &laenge);
    bool ok = daten && laenge == sizeof *puffer;
    if (ok) std::memcpy(puffer, daten, sizeof *puffer);
    else Debug_Printf("Statistik_Eintrag_Entpacken: Tabelle %d/%d beschaedigt\n", w, tag);
    Mem_Free(daten);
    return ok;
}

void Spiele_Tabellen_Cache_Loeschen(int32_t w) {
    for (auto it = g.schnappschuss.begin(); it != g.schnappschuss.end();)
        it = (w < 0 || int32_t(it->first >> 32) == w) ? g.schnappschuss.erase(it) : std::next(it);
}

int32_t Tabelle_Schnappschuss_Anzahl() { return int32_t(g.schnappschuss.size()); }

void Tabelle_Free() { g = TabelleModul{}; }

// Block layout: u32 magic "TABL", u32 count, per snapshot i32 competition,
// i32 day, u32 length and the packed buffer. The tables not yet packed are
// packed here, once; one that cannot be packed is left out with a log line,
// as a snapshot that could not be packed when it was taken always was.
void Tabelle_Save(std::vector<uint8_t>& out) {
    for (auto it = g.schnappschuss.begin(); it != g.schnappschuss.end();) {
        Schnappschuss& s = it->second;
        if (s.offen) {
            uint32_t laenge = 0;
            void* gepackt = Puffer_Packen(s.offen.get(), sizeof(TabellenPuffer), &laenge);
            if (!gepackt) {
                Debug_Printf("Tabelle_Save: Tabelle %d/%d nicht gepackt\n", int32_t(it->first >> 32),
                             int32_t(uint32_t(it->first)));
                it = g.schnappschuss.erase(it);
                continue;
            }
            const uint8_t* b = static_cast<const uint8_t*>(gepackt);
            s.gepackt.assign(b, b + laenge);
            Mem_Free(gepackt);
            s.offen.reset();
        }
        ++it;
    }
    ClubPacker p{out};
    p.i32(int32_t(TABELLE_MAGIC));
    p.i32(int32_t(g.schnappschuss.size()));
    for (const auto& [k, s] : g.schnappschuss) {
        p.i32(int32_t(k >> 32));
        p.i32(int32_t(uint32_t(k)));
        p.block_mit_laenge(s.gepackt.data(), s.gepackt.size());
    }
}

bool Tabelle_Load(const uint8_t* in, size_t bytes) {
    ClubLeser l{in, bytes};
    if (!in || uint32_t(l.i32()) != TABELLE_MAGIC) {
        Debug_Printf("Tabelle_Load: Block beschaedigt\n");
        return false;
    }
    uint32_t n = uint32_t(l.i32());
    TabelleModul neu;
    for (uint32_t i = 0; i < n && !l.fehler; ++i) {
        int32_t w = l.i32(), tag = l.i32();
        size_t laenge = 0;
        const uint8_t* daten = l.block_mit_laenge(&laenge);
        if (!daten) break;
        neu.schnappschuss[Schluessel(w, tag)].gepackt.assign(daten, daten + laenge);
    }
    if (l.fehler || l.pos != bytes || neu.schnappschuss.size() != n) {
        Debug_Printf("Tabelle_Load: Block beschaedigt\n");
        return false;
    }
    g = std::move(neu);
    return true;
}

bool Tabelle_Spielstand_Anmelden() {
    return Spielstand_Block_Anmelden({"Tabellen", 22, Tabelle_Save, Tabelle_Load, nullptr});
}

}  // namespace velmora
