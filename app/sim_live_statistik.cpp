// app/sim_live_statistik.cpp - the simulator's figures of live matches.
#include "app/sim_live_statistik.h"

#include <cstdio>
#include <map>

#include "match/spielfeld.h"
#include "season/spiele.h"

namespace velmora {

namespace {

constexpr uint32_t PARADE = 0x400;   // with 0x2: the keeper saved the shot

struct Stand {                        // a record as last seen
    uint32_t zustand = SZ_SPIEL;
    int32_t tore = 0, ecken = 0, wechsel = 0, paesse = 0;
    int32_t tore_seite[2] = {0, 0};
};

struct LiveStatistik {
    std::map<uint32_t, Stand> spiele;
    int64_t tore = 0, schuesse = 0, aufs_tor = 0, fouls = 0, karten = 0, elfmeter = 0, ecken = 0, wechsel = 0,
            verletzungen = 0, paesse = 0;
    int64_t tore_seite[2] = {0, 0};   // home, away
    double ms = 0;
};
LiveStatistik g;

bool Live(int32_t spiel, bool* elfmeterschiessen) {
    const Spielfeld_Satz* s = Spielfeld_Ist_Initialisiert() ? Spielfeld_Suchen(spiel) : nullptr;
    if (!s || s->live != 1) return false;
    *elfmeterschiessen = s->spielzustand == SZ_ELFMETERSCHIESSEN || s->elfmeter_schuss != 0;
    return true;
}

}  // namespace

void Sim_Live_Statistik_Zuruecksetzen() { g = LiveStatistik{}; }

void Sim_Live_Frame(double ms) {
    if (!Spielfeld_Ist_Initialisiert() || Spielfeld_Anzahl() == 0) return;
    bool live = false;
    for (Spielfeld_Satz* s = Spielfeld_Naechster(nullptr); s; s = Spielfeld_Naechster(s)) {
        if (s->live != 1) continue;
        live = true;
        const bool neu = !g.spiele.count(s->spiel);
        Stand& st = g.spiele[s->spiel];
        const int32_t tore = s->tore[0] + s->tore[1], ecken = s->ecken[0] + s->ecken[1],
                      wechsel = s->wechsel_gemacht[0] + s->wechsel_gemacht[1];
        int32_t paesse = 0;   // statistics element 1 of every slot: passes played
        for (int32_t slot = 0; slot < SF_SPIELER; ++slot) paesse += s->statistik[slot][1];
        if (!neu) {
            // Shoot-out goals are no match goals.
            if (s->spielzustand != SZ_ELFMETERSCHIESSEN && !s->elfmeter_schuss && tore > st.tore) {
                g.tore += tore - st.tore;
                for (int32_t seite = 0; seite < 2; ++seite)
                    if (s->tore[seite] > st.tore_seite[seite]) g.tore_seite[seite] += s->tore[seite] - st.tore_seite[seite];
            }
            if (ecken > st.ecken) g.ecken += ecken - st.ecken;
            if (wechsel > st.wechsel) g.wechsel += wechsel - st.wechsel;
            if (paesse > st.paesse) g.paesse += paesse - st.paesse;
            if (s->spielzustand == SZ_ELFMETER && st.zustand != SZ_ELFMETER) ++g.elfmeter;
        }
        st.zustand = s->spielzustand;
        st.tore = tore;
        st.tore_seite[0] = s->tore[0];
        st.tore_seite[1] = s->tore[1];
        st.ecken = ecken;
        st.wechsel = wechsel;
        st.paesse = paesse;
    }
    if (live) g.ms += ms;
}

void Sim_Live_Ereignis(int32_t spiel, uint32_t art) {
    bool elfmeterschiessen = false;
    if (!Live(spiel, &elfmeterschiessen) || elfmeterschiessen) return;
    if ((art & EREIGNIS_SCHUSS) && !(art & EREIGNIS_EIGENTOR)) {
        ++g.schuesse;
        if ((art & EREIGNIS_TOR) || (art & PARADE)) ++g.aufs_tor;
    }
    if (art & EREIGNIS_FOUL) ++g.fouls;
    if (art & (EREIGNIS_GELB | EREIGNIS_GELBROT | EREIGNIS_ROT)) ++g.karten;
    if (art & EREIGNIS_VERLETZUNG) ++g.verletzungen;
}

std::string Sim_Live_Statistik_Text() {
    const size_t n = g.spiele.size();
    if (n == 0) return "";
    std::string out = "\nLive berechnete Spiele: " + std::to_string(n) + "\n";
    char zeile[160];
    auto add = [&](const char* name, double wert, bool ganz) {
        std::snprintf(zeile, sizeof zeile, ganz ? "  %-16s %10.0f  %8.2f je Spiel\n" : "  %-16s %10.1f  %8.2f je Spiel\n",
                      name, wert, wert / double(n));
        out += zeile;
    };
    add("Tore", double(g.tore), true);
    add("Tore Heim", double(g.tore_seite[0]), true);
    add("Tore Gast", double(g.tore_seite[1]), true);
    add("Schuesse", double(g.schuesse), true);
    add("aufs Tor", double(g.aufs_tor), true);
    add("Paesse", double(g.paesse), true);
    add("Fouls", double(g.fouls), true);
    add("Karten", double(g.karten), true);
    add("Elfmeter", double(g.elfmeter), true);
    add("Ecken", double(g.ecken), true);
    add("Wechsel", double(g.wechsel), true);
    add("Verletzungen", double(g.verletzungen), true);
    add("ms", g.ms, false);
    return out;
}

}  // namespace velmora
