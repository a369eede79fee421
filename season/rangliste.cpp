// season/rangliste.cpp - the ranking list of the clubs.
#include "season/rangliste.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <map>
#include <random>

#include "club/abgleich.h"
#include "club/club_netz.h"
#include "club/team.h"
#include "core/debug.h"
#include "core/prioritaeten.h"
#include "core/spielstand.h"
#include "season/kalender.h"
#include "season/saison.h"
#include "season/statistik.h"
#include "season/wettbewerb.h"

namespace velmora {
namespace {

constexpr uint32_t RANGLISTE_MAGIC = 0x474E4152;   // "RANG"
constexpr size_t SATZ_OHNE_TITEL = offsetof(RanglisteSatz, titel);
// Far above what centuries of play give; the season and the earlier points stay
// within it, so that their sum with the title points always fits.
constexpr int32_t RANGLISTE_PUNKTE_MAX = 100000000;

struct RanglisteModul {
    bool initialisiert = false;
    std::vector<RanglisteSatz> satz;   // one per club, in team order
    std::map<int32_t, size_t> index;   // team -> record
    std::vector<int32_t> ordnung[2];   // records in the order of each rank field
};
RanglisteModul g;

RanglisteSatz Leerer_Satz(int32_t team) {
    RanglisteSatz s;
    std::memset(&s, 0, sizeof s);
    s.team = team;
    s.platz[0] = s.platz[1] = s.platz_vorher[0] = s.platz_vorher[1] = -1;
    for (RanglisteSpiel& e : s.spiele) e.gegner = -1;
    return s;
}

void Index_Bauen() {
    g.index.clear();
    for (size_t i = 0; i < g.satz.size(); ++i) g.index[g.satz[i].team] = i;
}

RanglisteSatz* Satz_Von(int32_t team) {
    auto it = g.index.find(team);
    return it == g.index.end() ? nullptr : &g.satz[it->second];
}

int32_t Titel_Anzahl(int32_t team) { return Spiele_Get_Titel_Von_Team(team, nullptr, 0); }

// The records' numbers sorted by `vor` (a before b).
template <typename Vor>
std::vector<int32_t> Sortiert(Vor vor) {
    std::vector<int32_t> o(g.satz.size());
    for (size_t i = 0; i < o.size(); ++i) o[i] = int32_t(i);
    std::stable_sort(o.begin(), o.end(), [&](int32_t a, int32_t b) { return vor(g.satz[size_t(a)], g.satz[size_t(b)]); });
    return o;
}

// The orders: value, then summary value, then team number, so equal values
// never swap by chance (and then the record's number, as a stable sort keeps
// it): a whole order, which any sort gives alike. Each day starts from the
// day before's order (a permutation of the records whenever its length
// fits): most days few values move, and the insertion sort passes it in one
// walk. Past a few moves per record (a season's end, a load) the rest is
// sorted whole.
void Ordnen() {
    const size_t n = g.satz.size();
    for (int32_t f = 0; f < 2; ++f) {
        std::vector<int32_t>& o = g.ordnung[f];
        if (o.size() != n) {
            o.resize(n);
            for (size_t i = 0; i < n; ++i) o[i] = int32_t(i);
        }
        auto vor = [f](int32_t a, int32_t b) {
            const RanglisteSatz& x = g.satz[size_t(a)];
            const RanglisteSatz& y = g.satz[size_t(b)];
            if (x.wert[f] != y.wert[f]) return x.wert[f] > y.wert[f];
            if (x.gesamt != y.gesamt) return x.gesamt > y.gesamt;
            if (x.team != y.team) return x.team < y.team;
            return a < b;
        };
        size_t schritte = 0;
        const size_t budget = 4 * n;
        bool sortiert = true;
        for (size_t i = 1; i < n && sortiert; ++i) {
            const int32_t x = o[i];
            size_t j = i;
            for (; j > 0 && vor(x, o[j - 1]); --j) {
                o[j] = o[j - 1];
                if (++schritte > budget) {
                    sortiert = false;
                    --j;
                    break;
                }
            }
            o[j] = x;
        }
        if (!sortiert) std::sort(o.begin(), o.end(), vor);
        for (size_t p = 0; p < o.size(); ++p) {
            RanglisteSatz& s = g.satz[size_t(o[p])];
            s.platz_vorher[f] = s.platz[f];
            s.platz[f] = int32_t(p);
        }
    }
}

void Mit_Titeln(const RanglisteSatz& s, RanglisteSatz* out) {
    *out = s;
    std::memset(out->titel, 0, sizeof out->titel);
    std::vector<Titel> titel(size_t(Titel_Anzahl(s.team)));
    int32_t n = Spiele_Get_Titel_Von_Team(s.team, titel.data(), int32_t(titel.size()));
    int32_t paare = 0;
    for (int32_t i = 0; i < n; ++i) {
        int32_t k = 0;
        while (k < paare && out->titel[k][0] != titel[size_t(i)].wettbewerb) ++k;
        if (k == paare) {
            if (paare >= RANGLISTE_TITEL_MAX) continue;
            out->titel[k][0] = titel[size_t(i)].wettbewerb;
            ++paare;
        }
        ++out->titel[k][1];
    }
    out->titel_anzahl = n;
}

}  // namespace

bool Rangliste_Init() {
    g = RanglisteModul{};
    if (Team_Anzahl() <= 0) {
        Debug_Printf("Rangliste_Init: keine Teams\n");
        return false;
    }
    for (int32_t t = 0; t < Team_Anzahl(); ++t)
        if (t != Team_Markt() && !Team_Ist_Nationalteam(t)) g.satz.push_back(Leerer_Satz(t));
    Index_Bauen();
    g.initialisiert = true;
    Ordnen();
    return true;
}

void Rangliste_Free() { g = RanglisteModul{}; }

bool Rangliste_Ist_Initialisiert() { return g.initialisiert; }

void Rangliste_Spiel_Eintragen(int32_t team, Spiel_Lock spiel) {
    RanglisteSatz* s = g.initialisiert ? Satz_Von(team) : nullptr;
    const SpielDatensatz* d = Spiele_Get_Spiel(spiel, 1);
    if (!s || !d || d->tore_heim < 0 || d->tore_gast < 0 || (d->heim != team && d->gast != team)) {
        Debug_Printf("Rangliste_Spiel_Eintragen: Team %d / Spiel %d ungueltig\n", team, spiel);
        return;
    }
    bool heim = d->heim == team;
    int32_t eigene = heim ? d->tore_heim : d->tore_gast, andere = heim ? d->tore_gast : d->tore_heim;
    int32_t ergebnis = eigene > andere ? 3 : eigene == andere ? 1 : 0;
    int32_t wichtigkeit = std::clamp(Wettbewerb_Satz(d->wettbewerb) ? Wettbewerb_Satz(d->wettbewerb)->wichtigkeit : 50, 0, 100);
    int32_t punkte = ergebnis * (100 + wichtigkeit) / 50;
    std::memmove(&s->spiele[1], &s->spiele[0], sizeof(RanglisteSpiel) * (RANGLISTE_SPIELE - 1));
    RanglisteSpiel& e = s->spiele[0];
    e.gegner = heim ? d->gast : d->heim;
    e.gegner_heim = heim ? 0 : 1;
    e.tore_heim = d->tore_heim;
    e.tore_gast = d->tore_gast;
    e.reserve = 0;
    e.punkte = int16_t(punkte);
    s->wert[0] = std::min(s->wert[0] + punkte, RANGLISTE_PUNKTE_MAX);
    s->wert[1] = 0;
    for (const RanglisteSpiel& x : s->spiele)
        if (x.gegner >= 0) s->wert[1] += x.punkte;
}

void Nach_Spiel_Team(int32_t team, Spiel_Lock spiel) {
    if (team < 0 || team >= Team_Anzahl() || !Spiele_Get_Spiel(spiel, 1)) {
        Debug_Printf("Nach_Spiel_Team: Team %d / Spiel %d ungueltig\n", team, spiel);
        return;
    }
    // The club management's work before and after the ranking's own step
    // (the bank closes the period last).
    const KalenderHooks& h = Kalender_Hooks();
    h.nach_spiel_team.Aufrufen_Unter(prio::NACH_SPIEL_RANGLISTE, team, spiel);
    Rangliste_Spiel_Eintragen(team, spiel);
    h.nach_spiel_team.Aufrufen_Ab(prio::NACH_SPIEL_RANGLISTE, team, spiel);
}

void Rangliste_Tag() {
    if (!g.initialisiert) return;
    for (RanglisteSatz& s : g.satz)
        s.gesamt = s.punkte_frueher + s.wert[0] + RANGLISTE_TITEL_PUNKTE * Titel_Anzahl(s.team);
    Ordnen();
}

void Rangliste_Saison_Ende() {
    if (!g.initialisiert) return;
    for (RanglisteSatz& s : g.satz) {
        s.punkte_frueher = std::min(s.punkte_frueher + s.wert[0], RANGLISTE_PUNKTE_MAX);
        s.wert[0] = 0;
    }
    Rangliste_Tag();
}

bool Rangliste_Team(int32_t team, RanglisteSatz* out) {
    const RanglisteSatz* s = g.initialisiert ? Satz_Von(team) : nullptr;
    if (!s || !out) return false;
    Mit_Titeln(*s, out);
    return true;
}

int32_t Rangliste_Platz(int32_t team, int32_t modus) {
    const RanglisteSatz* s = g.initialisiert ? Satz_Von(team) : nullptr;
    if (!s || modus < 0 || modus > 1) return -1;
    return s->platz[modus];
}

int32_t Rangliste_Get_Seite(int32_t start, int32_t anzahl, RanglisteSatz* out, int32_t modus) {
    if (!g.initialisiert || !out || modus < 0 || modus > 1 || start < 0 || anzahl <= 0) {
        Debug_Printf("Rangliste_Get_Seite: Seite %d/%d modus=%d ungueltig\n", start, anzahl, modus);
        return 0;
    }
    int32_t n = 0;
    for (int32_t p = start; p < int32_t(g.ordnung[modus].size()) && n < anzahl; ++p)
        Mit_Titeln(g.satz[size_t(g.ordnung[modus][size_t(p)])], &out[n++]);
    return n;
}

int32_t Rangliste_Top10(RanglisteSatz* out) {
    if (!g.initialisiert || !out) return 0;
    std::vector<int32_t> o = Sortiert([](const RanglisteSatz& x, const RanglisteSatz& y) {
        return x.gesamt != y.gesamt ? x.gesamt > y.gesamt : x.team < y.team;
    });
    int32_t n = std::min<int32_t>(10, int32_t(o.size()));
    for (int32_t i = 0; i < n; ++i) Mit_Titeln(g.satz[size_t(o[size_t(i)])], &out[i]);
    return n;
}

int32_t Rangliste_Anzahl() { return int32_t(g.satz.size()); }

void Rangliste_Save(std::vector<uint8_t>& out) {
    ClubPacker p{out};
    p.i32(int32_t(RANGLISTE_MAGIC));
    p.i32(int32_t(g.satz.size()));
    for (const RanglisteSatz& s : g.satz) p.block(&s, SATZ_OHNE_TITEL);
}

bool Rangliste_Load(const uint8_t* in, size_t bytes) {
    ClubLeser l{in, bytes};
    if (!in || uint32_t(l.i32()) != RANGLISTE_MAGIC) {
        Debug_Printf("Rangliste_Load: Block beschaedigt\n");
        return false;
    }
    uint32_t n = uint32_t(l.i32());
    if (l.fehler || size_t(n) * SATZ_OHNE_TITEL != bytes - l.pos) {
        Debug_Printf("Rangliste_Load: Block beschaedigt\n");
        return false;
    }
    std::vector<RanglisteSatz> satz(n);
    for (RanglisteSatz& s : satz) {
        s = Leerer_Satz(0);
        l.block(&s, SATZ_OHNE_TITEL);
        if (s.team < 0 || s.team >= TEAM_MAX) {
            Debug_Printf("Rangliste_Load: Team %d ungueltig\n", s.team);
            return false;
        }
        if (s.wert[0] < 0 || s.wert[0] > RANGLISTE_PUNKTE_MAX || s.punkte_frueher < 0 ||
            s.punkte_frueher > RANGLISTE_PUNKTE_MAX) {
            Debug_Printf("Rangliste_Load: Punkte von Team %d ungueltig\n", s.team);
            return false;
        }
        // Places within the list or none, opponents among the clubs or none.
        bool ok = true;
        for (int32_t p : {s.platz[0], s.platz[1], s.platz_vorher[0], s.platz_vorher[1]})
            ok = ok && p >= -1 && p < int32_t(n);
        for (const RanglisteSpiel& sp : s.spiele) ok = ok && sp.gegner >= -1 && sp.gegner < TEAM_MAX;
        if (!ok) {
            Debug_Printf("Rangliste_Load: Platz oder Gegner von Team %d ungueltig\n", s.team);
            return false;
        }
    }
    g.satz.swap(satz);
    g.initialisiert = true;
    Index_Bauen();
    // The orders are rebuilt from the values; the places keep what was saved.
    for (int32_t f = 0; f < 2; ++f)
        g.ordnung[f] = Sortiert([f](const RanglisteSatz& x, const RanglisteSatz& y) {
            int32_t pa = x.platz[f] < 0 ? INT32_MAX : x.platz[f], pb = y.platz[f] < 0 ? INT32_MAX : y.platz[f];
            return pa != pb ? pa < pb : x.team < y.team;
        });
    return true;
}

bool Rangliste_Spielstand_Anmelden() {
    return Spielstand_Block_Anmelden({"Rangliste", 25, Rangliste_Save, Rangliste_Load, [] { Rangliste_Init(); }});
}

namespace {

// The season's tallies a client takes from the server, in the block's order.
struct Teil {
    void (*speichern)(std::vector<uint8_t>&);
    bool (*laden)(const uint8_t*, size_t);
};
constexpr Teil TEILE[] = {{Rangliste_Save, Rangliste_Load}, {Statistik_Save, Statistik_Load}, {Saison_Save, Saison_Load}};

void Stand_Bauen(std::vector<uint8_t>& out) {
    ClubPacker p{out};
    std::vector<uint8_t> teil;
    for (const Teil& t : TEILE) {
        teil.clear();
        t.speichern(teil);
        p.block_mit_laenge(teil.data(), teil.size());
    }
}

// Loads every part of a block of Stand_Bauen; false at the first that does not fit.
bool Teile_Laden(const uint8_t* in, size_t bytes) {
    ClubLeser l{in, bytes};
    const uint8_t* daten[std::size(TEILE)];
    size_t laenge[std::size(TEILE)];
    for (size_t i = 0; i < std::size(TEILE); ++i) daten[i] = l.block_mit_laenge(&laenge[i]);
    if (l.fehler || l.pos != bytes) return false;
    for (size_t i = 0; i < std::size(TEILE); ++i)
        if (!daten[i] || !TEILE[i].laden(daten[i], laenge[i])) return false;
    return true;
}

// Server: the versions handed out; client: the one it holds.
Abgleich_Server& Server_Fassungen() {
    static Abgleich_Server s{std::random_device{}()};
    return s;
}
Abgleich_Client kopie;

}  // namespace

bool Rangliste_Stand_Laden(const uint8_t* in, size_t bytes) {
    std::vector<uint8_t> vorher;
    Stand_Bauen(vorher);
    if (in && Teile_Laden(in, bytes)) return true;
    Debug_Printf("Rangliste_Stand_Laden: Block des Servers (%zu Bytes) passt nicht, nichts uebernommen\n", bytes);
    // A part taken before the one that failed goes back to what it was.
    Teile_Laden(vorher.data(), vorher.size());
    return false;
}

void Rangliste_Client_Holen_Vorab() { kopie.Vorab(ANFRAGE_RANGLISTE_ABGLEICH); }

bool Rangliste_Client_Holen() {
    return kopie.Holen_Und_Laden("Rangliste_Client_Holen", ANFRAGE_RANGLISTE_ABGLEICH, Rangliste_Stand_Laden);
}

bool Rangliste_Server_Anfrage(int32_t anfrage, const uint8_t* argumente, size_t bytes, std::vector<uint8_t>& antwort) {
    if (anfrage != ANFRAGE_RANGLISTE_ABGLEICH) return false;
    return Server_Fassungen().Anfrage_Beantworten(argumente, bytes, Stand_Bauen, antwort);
}

}  // namespace velmora
