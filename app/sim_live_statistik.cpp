// app/sim_live_statistik.cpp - the simulator's figures of live matches.
#include "app/sim_live_statistik.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <vector>

#include "match/live/spielfeld_tick.h"
#include "match/record/spielfeld.h"
#include "match/record/spielfeld_pruefen.h"
#include "season/spiele.h"
#include "season/wettbewerb.h"

namespace velmora {

namespace {

constexpr uint32_t PARADE = 0x400;   // with 0x2: the keeper saved the shot

// The figures a match counts, in the order they are printed.
enum Zahl { SCHUESSE, AUFS_TOR, PAESSE, FOULS, GELB, ROT, ELFMETER, ECKEN, WECHSEL, VERLETZUNGEN, VERLAENGERUNG,
            ELFMETERSCHIESSEN, ZAHLEN };
constexpr const char* ZAHL_NAMEN[ZAHLEN] = {"Schuesse", "aufs Tor", "Paesse", "Fouls", "Gelbe Karten",
                                            "Rote Karten", "Elfmeter", "Ecken", "Wechsel", "Verletzungen",
                                            "Verlaengerung", "Elfmeterschiessen"};

// One live match: what it looked like when last seen and what it counted.
struct Spiel {
    uint32_t zustand = SZ_SPIEL;
    uint32_t frame = 0;        // the record's frame counter when last seen
    uint32_t ab = 0;           // the frame counter when its play state was first seen
    bool liga = false;
    int32_t tore[2] = {};
    int64_t zahl[ZAHLEN] = {};
    int64_t offen = 0;         // frames of open play
};

// The figures of a group of finished matches (league, cup and the others).
struct Gruppe {
    int64_t spiele = 0, tore = 0, heim = 0, remis = 0, gast = 0;
    int64_t tore_seite[2] = {};   // home, away
    int64_t zahl[ZAHLEN] = {};
    int64_t offen = 0;
    std::map<std::pair<int32_t, int32_t>, int64_t> ergebnisse;   // (home, away) goals: matches
};

struct LiveStatistik {
    std::map<uint32_t, Spiel> laufend;   // by game, while its record exists
    Gruppe gruppe[2];                    // 0 league, 1 cup and the others
    double ms = 0;
    // The live records in list order, found by the last walk over all records,
    // with the record count and the departures then: a record is made live when
    // it is set up, so the set holds while neither count moved.
    std::vector<Spielfeld_Satz*> live_saetze;
    int32_t anzahl = -1;
    uint32_t abgang = 0;
    uint32_t laengste[SZ_FREISTOSS + 1] = {};   // by restart play state: its longest wait in frames
};
LiveStatistik g;

void Abschliessen(const Spiel& s) {
    Gruppe& gr = g.gruppe[s.liga ? 0 : 1];
    ++gr.spiele;
    gr.tore += s.tore[0] + s.tore[1];
    gr.tore_seite[0] += s.tore[0];
    gr.tore_seite[1] += s.tore[1];
    (s.tore[0] > s.tore[1] ? gr.heim : s.tore[0] == s.tore[1] ? gr.remis : gr.gast)++;
    ++gr.ergebnisse[{s.tore[0], s.tore[1]}];
    for (int32_t k = 0; k < ZAHLEN; ++k) gr.zahl[k] += s.zahl[k];
    gr.offen += s.offen;
}

// A match whose record is gone is finished: its figures join its group.
void Beendete_Abschliessen() {
    for (auto it = g.laufend.begin(); it != g.laufend.end();) {
        const bool da = Spielfeld_Ist_Initialisiert() && Spielfeld_Anzahl() > 0 && Spielfeld_Suchen(it->first);
        if (da) {
            ++it;
            continue;
        }
        Abschliessen(it->second);
        it = g.laufend.erase(it);
    }
}

bool Im_Elfmeterschiessen(const Spielfeld_Satz* s) {
    return s->spielzustand == SZ_ELFMETERSCHIESSEN || s->elfmeter_schuss != 0;
}

// The restarts whose longest wait is told.
constexpr uint32_t STANDARDS[] = {SZ_EINWURF, SZ_ABSTOSS, SZ_ECKE, SZ_ANSTOSS, SZ_ELFMETER, SZ_FREISTOSS};
constexpr const char* STANDARD_NAMEN[] = {"Einwurf", "Abstoss", "Ecke", "Anstoss", "Elfmeter", "Freistoss"};

bool Ist_Standard(uint32_t zustand) { return std::find(std::begin(STANDARDS), std::end(STANDARDS), zustand) != std::end(STANDARDS); }

}  // namespace

void Sim_Live_Statistik_Zuruecksetzen() { g = LiveStatistik{}; }

void Sim_Live_Frame(double ms) {
    if (!Spielfeld_Ist_Initialisiert()) return;
    Beendete_Abschliessen();
    if (Spielfeld_Anzahl() == 0) return;
    // Every frame of the day comes here: a full world holds some 300 records,
    // a human club's day one live among them.
    if (g.anzahl != Spielfeld_Anzahl() || g.abgang != Spielfeld_Abgang_Stand()) {
        g.live_saetze.clear();
        for (Spielfeld_Satz* s = Spielfeld_Naechster(nullptr); s; s = Spielfeld_Naechster(s))
            if (s->live == 1) g.live_saetze.push_back(s);
        g.anzahl = Spielfeld_Anzahl();
        g.abgang = Spielfeld_Abgang_Stand();
    }
    bool live = false;
    for (Spielfeld_Satz* s : g.live_saetze) {
        live = true;
        const bool neu = !g.laufend.count(s->spiel);
        Spiel& st = g.laufend[s->spiel];
        if (neu) {
            const WettbewerbSatz* w = Wettbewerb_Satz(int32_t(s->wettbewerb));
            st.liga = w && w->art == ART_LIGA;
        }
        int32_t paesse = 0;   // statistics element 1 of every slot: passes played
        for (int32_t slot = 0; slot < SF_SPIELER; ++slot) paesse += s->statistik[slot][1];
        if (!neu && s->spielzustand == SZ_ELFMETER && st.zustand != SZ_ELFMETER) ++st.zahl[ELFMETER];
        // Shoot-out goals are no match goals.
        if (Im_Elfmeterschiessen(s)) {
            st.zahl[ELFMETERSCHIESSEN] = 1;
        } else {
            st.tore[0] = s->tore[0];
            st.tore[1] = s->tore[1];
        }
        if (s->abschnitt > 2) st.zahl[VERLAENGERUNG] = 1;
        // Open play: the frames since the last look, while the ball is in
        // play in a period (a shoot-out is none).
        if (!neu && s->spielzustand == SZ_SPIEL && s->abschnitt >= 1 && !Im_Elfmeterschiessen(s) &&
            s->frame_zaehler > st.frame)
            st.offen += s->frame_zaehler - st.frame;
        // A restart's frames as counted here, from the first frame it was
        // seen in (the tick's own count for its bound is not read).
        if (neu || s->spielzustand != st.zustand || s->frame_zaehler < st.ab) st.ab = s->frame_zaehler;
        if (Ist_Standard(s->spielzustand))
            g.laengste[s->spielzustand] = std::max(g.laengste[s->spielzustand], s->frame_zaehler - st.ab);
        st.frame = s->frame_zaehler;
        st.zustand = s->spielzustand;
        st.zahl[ECKEN] = s->ecken[0] + s->ecken[1];
        st.zahl[WECHSEL] = s->wechsel_gemacht[0] + s->wechsel_gemacht[1];
        st.zahl[PAESSE] = std::max<int64_t>(st.zahl[PAESSE], paesse);
    }
    if (live) g.ms += ms;
}

void Sim_Live_Ereignis(int32_t spiel, uint32_t art) {
    const Spielfeld_Satz* s = Spielfeld_Ist_Initialisiert() ? Spielfeld_Suchen(spiel) : nullptr;
    if (!s || s->live != 1 || Im_Elfmeterschiessen(s)) return;
    auto it = g.laufend.find(uint32_t(spiel));
    if (it == g.laufend.end()) return;   // seen by the next frame: a kick-off has no events
    int64_t* z = it->second.zahl;
    if ((art & EREIGNIS_SCHUSS) && !(art & EREIGNIS_EIGENTOR)) {
        ++z[SCHUESSE];
        if ((art & EREIGNIS_TOR) || (art & PARADE)) ++z[AUFS_TOR];
    }
    if (art & EREIGNIS_FOUL) ++z[FOULS];
    // A second booking shows the yellow card before the red one.
    if (art & (EREIGNIS_GELB | EREIGNIS_GELBROT)) ++z[GELB];
    if (art & (EREIGNIS_GELBROT | EREIGNIS_ROT)) ++z[ROT];
    if (art & EREIGNIS_VERLETZUNG) ++z[VERLETZUNGEN];
}

int64_t Sim_Live_Beendet(double* ms) {
    Beendete_Abschliessen();
    if (ms) *ms = g.ms;
    return g.gruppe[0].spiele + g.gruppe[1].spiele;
}

std::string Sim_Live_Statistik_Text() {
    Beendete_Abschliessen();
    for (const auto& [spiel, s] : g.laufend) Abschliessen(s);
    g.laufend.clear();
    Gruppe alle;
    for (const Gruppe& gr : g.gruppe) {
        alle.spiele += gr.spiele;
        for (const auto& [e, n] : gr.ergebnisse) alle.ergebnisse[e] += n;
    }
    if (alle.spiele == 0) return "";
    std::string out = "\nLive berechnete Spiele: " + std::to_string(alle.spiele) + "\n";
    char zeile[200];
    static const char* NAMEN[2] = {"Liga", "Pokal und andere"};
    for (int32_t k = 0; k < 2; ++k) {
        const Gruppe& gr = g.gruppe[k];
        if (gr.spiele == 0) continue;
        const double n = double(gr.spiele);
        std::snprintf(zeile, sizeof zeile, "%s: %lld Spiele\n", NAMEN[k], (long long)gr.spiele);
        out += zeile;
        auto add = [&](const char* name, int64_t wert) {
            std::snprintf(zeile, sizeof zeile, "  %-16s %10lld  %8.2f je Spiel\n", name, (long long)wert,
                          double(wert) / n);
            out += zeile;
        };
        add("Tore", gr.tore);
        add("Tore Heim", gr.tore_seite[0]);
        add("Tore Gast", gr.tore_seite[1]);
        std::snprintf(zeile, sizeof zeile, "  Heim/Remis/Gast  %5.1f / %4.1f / %4.1f %%\n", 100.0 * double(gr.heim) / n,
                      100.0 * double(gr.remis) / n, 100.0 * double(gr.gast) / n);
        out += zeile;
        std::vector<std::pair<int64_t, std::pair<int32_t, int32_t>>> haeufig;
        for (const auto& [e, z] : gr.ergebnisse) haeufig.push_back({-z, e});
        std::sort(haeufig.begin(), haeufig.end());
        out += "  Ergebnisse      ";
        for (size_t i = 0; i < haeufig.size() && i < 5; ++i) {
            std::snprintf(zeile, sizeof zeile, " %d:%d %.1f %%", haeufig[i].second.first, haeufig[i].second.second,
                          100.0 * double(-haeufig[i].first) / n);
            out += zeile;
        }
        out += "\n";
        for (int32_t k = 0; k < ZAHLEN; ++k) add(ZAHL_NAMEN[k], gr.zahl[k]);
        // The figures move one step a frame: open play in seconds at their speed.
        const double sekunden = double(gr.offen) * double(TICK_FIGUR_SCHRITT) / 1000.0;
        std::snprintf(zeile, sizeof zeile, "  %-16s %10.0f  %8.2f je Spiel\n", "Spiel offen s", sekunden, sekunden / n);
        out += zeile;
        // Every score with its count, for adding up several runs.
        out += "  Alle Ergebnisse ";
        for (const auto& [e, z] : gr.ergebnisse) {
            std::snprintf(zeile, sizeof zeile, " %d:%d=%lld", e.first, e.second, (long long)z);
            out += zeile;
        }
        out += "\n";
    }
    std::snprintf(zeile, sizeof zeile, "  %-16s %10.1f  %8.2f je Spiel\n", "ms", g.ms, g.ms / double(alle.spiele));
    out += zeile;
    // Each kind of restart's longest wait, from its first frame to open play.
    out += "Laengste Standardsituation (Frames):";
    for (size_t k = 0; k < std::size(STANDARDS); ++k) {
        std::snprintf(zeile, sizeof zeile, " %s %u", STANDARD_NAMEN[k], g.laengste[STANDARDS[k]]);
        out += zeile;
    }
    out += "\n";
    // What the rule checker (--check) measured beside its restart rules.
    const Spielfeld_Pruef_Hoechst& h = Spielfeld_Pruef_Hoechstwerte();
    std::snprintf(zeile, sizeof zeile,
                  "Pruefer, laengste (Frames): Standardsituation am Abschnittsende %u, Stehen mit Ziel ueber 1 m %u\n",
                  h.standard_ende, h.stehen);
    out += zeile;
    return out;
}

}  // namespace velmora
