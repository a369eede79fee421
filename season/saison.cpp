// season/saison.cpp - the season change of the competitions.
#include "season/saison.h"

#include <algorithm>
#include <map>

#include "club/club_netz.h"
#include "core/debug.h"
#include "core/spielstand.h"
#include "season/spiele.h"
#include "season/spielplan.h"
#include "season/tabelle.h"
#include "season/wettbewerb.h"

namespace velmora {
namespace {

constexpr uint32_t SAISON_MAGIC = 0x53494153;   // "SAIS"

struct SaisonModul {
    std::vector<Titel> titel;
};
SaisonModul g;

int32_t Jahr() {
    const WettbewerbHooks& h = Wettbewerb_Hooks();
    if (h.jahr) return h.jahr();
    int32_t saison = 0;
    for (int32_t id : Wettbewerb_Alle()) saison = std::max(saison, Wettbewerb_Satz(id)->saison);
    return saison;
}

struct Wechsel {
    int32_t oben, unten, absteiger, aufsteiger;
};

}  // namespace

void Wettbewerb_Saison_Ende() {
    if (!Wettbewerb_Ist_Initialisiert()) {
        Debug_Printf("Wettbewerb_Saison_Ende: Wettbewerbe nicht initialisiert\n");
        return;
    }
    int32_t jahr = Jahr();
    std::vector<int32_t> ids = Wettbewerb_Alle();
    // Every table first: nothing may move before all of them are known.
    std::map<int32_t, std::vector<int32_t>> reihe;
    for (int32_t id : ids) {
        if (!Wettbewerb_Ist_Liga(id)) continue;
        std::vector<int32_t> r(TABELLE_TEAMS_MAX);
        r.resize(Tabelle_Reihenfolge(id, r.data()));
        reihe[id] = r;
    }
    for (int32_t id : ids) {
        const WettbewerbSatz* s = Wettbewerb_Satz(id);
        if (s->art == ART_LIGA && !reihe[id].empty() && s->liga_oben < 0)
            g.titel.push_back(Titel{int16_t(reihe[id][0]), int16_t(id), int16_t(jahr), 0});
        if ((s->modus & MODUS_KO_SYSTEM) && s->art != ART_FREUNDSCHAFT && s->sieger >= 0)
            g.titel.push_back(Titel{int16_t(s->sieger), int16_t(id), int16_t(jahr), 0});
    }
    // Promotion and relegation between each league and the one below.
    std::vector<Wechsel> wechsel;
    for (int32_t id : ids) {
        const WettbewerbSatz* s = Wettbewerb_Satz(id);
        const WettbewerbSatz* u = Wettbewerb_Satz(s->liga_unten);
        if (s->art != ART_LIGA || !u) continue;
        int32_t k = std::min(s->absteiger, u->aufsteiger);
        const std::vector<int32_t>& ro = reihe[id];
        const std::vector<int32_t>& ru = reihe[u->id];
        k = std::min<int32_t>(k, int32_t(std::min(ro.size(), ru.size())));
        for (int32_t i = 0; i < k; ++i) wechsel.push_back(Wechsel{id, u->id, ro[ro.size() - 1 - i], ru[i]});
    }
    for (const Wechsel& w : wechsel) Wettbewerb_Team_Tauschen(w.oben, w.unten, w.absteiger, w.aufsteiger);
    // Qualification: the places in order (all first places, then all second ...).
    std::map<int32_t, std::vector<std::vector<int32_t>>> quali;   // target root -> per place the clubs
    for (int32_t id : ids) {
        const WettbewerbSatz* s = Wettbewerb_Satz(id);
        if (s->quali_ziel < 0 || !Wettbewerb_Satz(s->quali_ziel)) continue;
        std::vector<std::vector<int32_t>>& plaetze = quali[Wettbewerb_Get_Stamm_Id(s->quali_ziel)];
        for (int32_t p = 0; p < s->quali_plaetze && p < int32_t(reihe[id].size()); ++p) {
            if (int32_t(plaetze.size()) <= p) plaetze.resize(p + 1);
            plaetze[p].push_back(reihe[id][p]);
        }
    }
    for (auto& [stamm, plaetze] : quali) {
        std::vector<int32_t> gruppen, stufen;
        for (int32_t id : ids) {
            const WettbewerbSatz* s = Wettbewerb_Satz(id);
            if (s->stamm != stamm) continue;
            Wettbewerb_Teams_Leeren(id);
            if (s->art == ART_GRUPPE) gruppen.push_back(id);
        }
        int32_t ziel = stamm, i = 0;
        for (const std::vector<int32_t>& platz : plaetze)
            for (int32_t team : platz) {
                if (!gruppen.empty()) ziel = gruppen[i++ % gruppen.size()];
                Wettbewerb_Team_Eintragen(ziel, team);
            }
    }
    // National cups: every league club of the country, the top flight first.
    for (int32_t id : ids) {
        WettbewerbSatz* pokal = Wettbewerb_Satz(id);
        if (pokal->art != ART_POKAL) continue;
        std::vector<std::pair<int32_t, int32_t>> clubs;   // (level, team)
        for (int32_t l : ids) {
            const WettbewerbSatz* s = Wettbewerb_Satz(l);
            if (s->art != ART_LIGA || s->land != pokal->land) continue;
            for (int16_t t : s->team)
                if (t >= 0) clubs.emplace_back(s->stufe, t);
        }
        std::stable_sort(clubs.begin(), clubs.end(), [](auto& a, auto& b) { return a.first < b.first; });
        Wettbewerb_Teams_Leeren(id);
        for (const auto& c : clubs) Wettbewerb_Team_Eintragen(id, c.second);
    }
    for (int32_t id : ids) {
        WettbewerbSatz* s = Wettbewerb_Satz(id);
        if (s->art == ART_FREUNDSCHAFT) Wettbewerb_Teams_Leeren(id);
        ++s->saison;
    }
}

bool Wettbewerb_Saison_Start() {
    if (!Wettbewerb_Ist_Initialisiert() || !Spiele_Ist_Initialisiert()) {
        Debug_Printf("Wettbewerb_Saison_Start: nicht initialisiert\n");
        return false;
    }
    std::vector<int32_t> ids = Wettbewerb_Alle();
    for (int32_t id : ids)
        if (!Spiele_Loeschen_Wettbewerb(id)) return false;
    Spiele_Tabellen_Cache_Loeschen(-1);
    bool ok = true;
    for (int32_t id : ids) {
        WettbewerbSatz* s = Wettbewerb_Satz(id);
        bool von_gruppen = false;
        for (int32_t x : ids)
            if (Wettbewerb_Satz(x)->art == ART_GRUPPE && Wettbewerb_Satz(x)->naechste_runde == id) von_gruppen = true;
        if (von_gruppen) {
            Wettbewerb_Teams_Leeren(id);
            s->aktuelle_runde = 0;
            s->sieger = -1;
            continue;
        }
        if (!Wettbewerb_Spielplan_Erstellen(id)) ok = false;
    }
    return ok;
}

int32_t Spiele_Get_Titel_Von_Team(int32_t team, Titel* out, int32_t max) {
    int32_t n = 0;
    for (const Titel& t : g.titel) {
        if (t.team != team) continue;
        if (out && n < max) out[n] = t;
        ++n;
    }
    return out ? std::min(n, std::max(max, 0)) : n;
}

int32_t Saison_Titel_Anzahl() { return int32_t(g.titel.size()); }

void Saison_Free() { g = SaisonModul{}; }

// Block layout: u32 magic "SAIS", u32 count, the 8-byte titles.
void Saison_Save(std::vector<uint8_t>& out) {
    ClubPacker p{out};
    p.i32(int32_t(SAISON_MAGIC));
    p.i32(int32_t(g.titel.size()));
    p.block(g.titel.data(), g.titel.size() * sizeof(Titel));
}

bool Saison_Load(const uint8_t* in, size_t bytes) {
    ClubLeser l{in, bytes};
    if (!in || uint32_t(l.i32()) != SAISON_MAGIC) {
        Debug_Printf("Saison_Load: Block beschaedigt\n");
        return false;
    }
    uint32_t n = uint32_t(l.i32());
    if (l.fehler || size_t(n) * sizeof(Titel) != bytes - l.pos) {
        Debug_Printf("Saison_Load: Block beschaedigt\n");
        return false;
    }
    std::vector<Titel> titel(n);
    l.block(titel.data(), n * sizeof(Titel));
    g.titel.swap(titel);
    return true;
}

bool Saison_Spielstand_Anmelden() {
    return Spielstand_Block_Anmelden({"Saison", 23, Saison_Save, Saison_Load, nullptr});
}

}  // namespace velmora
