// season/wettbewerb.cpp - the competition records and their accessors.
#include "season/wettbewerb.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#include <algorithm>
#include <cstring>
#include <iterator>
#include <random>

#include "club/abgleich.h"
#include "club/club_hooks.h"
#include "club/club_netz.h"
#include "club/spieler.h"
#include "club/team.h"
#include "core/bytes.h"
#include "core/config.h"
#include "core/config_bin.h"
#include "core/debug.h"
#include "core/spielstand.h"
#include "season/saison.h"
#include "season/spiele.h"
#include "season/tabelle.h"
#include "season/zeitplan.h"

namespace velmora {
namespace {

constexpr uint32_t WETTBEWERB_MAGIC = 0x54544557;   // "WETT"
constexpr uint32_t WETTBEWERB_VERSION = 1;

struct WettbewerbModul {
    bool initialisiert = false;
    bool modify = false;
    // One record per id from the first to the highest one in use (the slot
    // is the id's); empty before a world starts. Every walk over the
    // competitions goes over these records, and unused ones cost memory.
    std::vector<WettbewerbSatz> satz;
    WettbewerbInfo info{};
    WettbewerbHooks hooks;
};
WettbewerbModul g;

WettbewerbSatz* Satz(const char* wer, int32_t id) {
    if (!g.initialisiert) {
        if (wer) Debug_Printf("%s: Wettbewerbe nicht initialisiert\n", wer);
        return nullptr;
    }
    if (id < WETTBEWERB_ERSTE_ID || size_t(id - WETTBEWERB_ERSTE_ID) >= g.satz.size() ||
        g.satz[id - WETTBEWERB_ERSTE_ID].id != id) {
        if (wer) Debug_Printf("%s: Wettbewerb %d unbekannt\n", wer, id);
        return nullptr;
    }
    return &g.satz[id - WETTBEWERB_ERSTE_ID];
}

void Text_Kopieren(char* ziel, size_t groesse, const std::string& text) {
    std::memset(ziel, 0, groesse);
    std::memcpy(ziel, text.data(), std::min(text.size(), groesse - 1));
}

void Satz_Fuellen(WettbewerbSatz& s, const WettbewerbBeschreibung& w) {
    std::memset(&s, 0, sizeof s);
    s.id = w.id;
    Text_Kopieren(s.name, sizeof s.name, w.name);
    Text_Kopieren(s.kurzname, sizeof s.kurzname, w.kurzname);
    s.modus = w.modus | (w.art == ART_FREUNDSCHAFT ? MODUS_KO_SYSTEM : 0);
    s.teams = w.teams;
    s.spieltage = w.spieltage;
    s.grafik = w.grafik;
    s.kalender_position = w.kalender_position;
    s.liga_symbol = w.liga_symbol;
    s.land = w.land;
    s.stufe = w.stufe;
    s.art = w.art;
    s.stamm = w.id;
    s.naechste_runde = w.naechste_runde;
    s.naechste_gruppe = w.naechste_gruppe;
    s.rueckspiel = std::clamp(w.rueckspiel, 1, 2);
    s.verlaengerung = w.verlaengerung;
    s.elfmeter = w.elfmeter;
    s.auswaertstore = w.auswaertstore;
    s.golden_goal = w.golden_goal;
    s.spielzeit = w.spielzeit;
    s.aufsteiger = w.aufsteiger;
    s.absteiger = w.absteiger;
    s.liga_oben = w.liga_oben;
    s.liga_unten = w.liga_unten;
    s.quali_ziel = w.quali_ziel;
    s.quali_plaetze = w.quali_plaetze;
    s.weiter_plaetze = w.weiter_plaetze;
    s.wichtigkeit = w.wichtigkeit;
    s.punkt_praemie = w.punkt_praemie;
    s.schalter = w.schalter;
    s.gastgeber = w.gastgeber;
    s.gelb_sperre = w.gelb_sperre;
    s.sperre_gelbrot = w.sperre_gelbrot;
    s.sperre_rot = w.sperre_rot;
    s.preis_prozent = w.preis_prozent;
    s.sieger = -1;
    std::fill(std::begin(s.team), std::end(s.team), int16_t(-1));
    for (int32_t t : w.team_liste)
        if (s.team_anzahl < std::min(s.teams, WETTBEWERB_TEAMS_MAX)) s.team[s.team_anzahl++] = int16_t(t);
}

// Roots: a stage named as another's next group or next round belongs to that one's chain.
void Staemme_Setzen() {
    for (WettbewerbSatz& s : g.satz)
        if (s.id) s.stamm = s.id;
    for (int32_t pass = 0; pass < WETTBEWERB_MAX; ++pass) {
        bool geaendert = false;
        for (WettbewerbSatz& s : g.satz) {
            if (!s.id) continue;
            for (int32_t ziel : {s.naechste_gruppe, s.naechste_runde}) {
                WettbewerbSatz* z = Satz(nullptr, ziel);
                if (z && z->stamm != s.stamm && z->stamm == z->id && z->id != s.stamm) {
                    z->stamm = s.stamm;
                    geaendert = true;
                }
            }
        }
        if (!geaendert) break;
    }
}

bool Satz_Pruefen(const WettbewerbSatz& s, int32_t slot) {
    if (s.id == 0) return true;
    if (s.id != WETTBEWERB_ERSTE_ID + slot || s.teams < 0 || s.teams > WETTBEWERB_TEAMS_MAX || s.team_anzahl < 0 ||
        s.team_anzahl > s.teams || s.rueckspiel < 1 || s.rueckspiel > 2 || s.spieltage < 0 || s.spieltage > 254 ||
        s.art < ART_LIGA || s.art > ART_GRUPPE || s.spielzeit < 2 || s.spielzeit > 120 || s.verlaengerung < 0 ||
        s.verlaengerung > 60 || s.name[sizeof s.name - 1] || s.kurzname[sizeof s.kurzname - 1])
        return false;
    // Clubs of the game or none; the round under way, the leg, the rounds
    // drawn and the seasons as the competition counts them.
    for (int32_t t : s.team)
        if (t < -1 || t >= TEAM_MAX) return false;
    if (s.sieger < -1 || s.sieger >= TEAM_MAX || s.gastgeber < -1 || s.gastgeber >= TEAM_MAX ||
        s.aktuelle_runde < 0 || s.aktuelle_runde > 2 * ZEITPLAN_RUNDEN_MAX || s.aktueller_spieltag < 0 ||
        s.aktueller_spieltag > 1 || s.ausgelost < 0 || s.ausgelost > 2 * ZEITPLAN_RUNDEN_MAX || s.saison < 0)
        return false;
    return true;
}

bool Saetze_Laden(const uint8_t* in, size_t bytes, const char* wer) {
    ClubLeser l{in, bytes};
    if (!in || uint32_t(l.i32()) != WETTBEWERB_MAGIC || uint32_t(l.i32()) != WETTBEWERB_VERSION) {
        Debug_Printf("%s: Block beschaedigt\n", wer);
        return false;
    }
    uint32_t n = uint32_t(l.i32());
    if (l.fehler || n > WETTBEWERB_MAX || bytes - l.pos != size_t(n) * sizeof(WettbewerbSatz)) {
        Debug_Printf("%s: Block beschaedigt\n", wer);
        return false;
    }
    // The records up to the highest id the block holds (an id out of range is refused below).
    int32_t plaetze = 0;
    for (uint32_t i = 0; i < n; ++i) {
        const int32_t slot = int32_t(Bytes_Get32(in + l.pos + size_t(i) * sizeof(WettbewerbSatz))) - WETTBEWERB_ERSTE_ID;
        if (slot >= 0 && slot < WETTBEWERB_MAX) plaetze = std::max(plaetze, slot + 1);
    }
    std::vector<WettbewerbSatz> neu(static_cast<size_t>(plaetze));
    if (!neu.empty()) std::memset(neu.data(), 0, neu.size() * sizeof(WettbewerbSatz));
    for (uint32_t i = 0; i < n; ++i) {
        WettbewerbSatz s;
        l.block(&s, sizeof s);
        int32_t slot = s.id - WETTBEWERB_ERSTE_ID;
        if (slot < 0 || slot >= plaetze || neu[slot].id || !Satz_Pruefen(s, slot)) {
            Debug_Printf("%s: Wettbewerb %d beschaedigt\n", wer, s.id);
            return false;
        }
        neu[slot] = s;
    }
    g.satz.swap(neu);
    g.initialisiert = true;
    return true;
}

// Server: the versions of the records handed out; client: the one it holds.
Abgleich_Server& Server_Fassungen() {
    static Abgleich_Server s{std::random_device{}()};
    return s;
}
Abgleich_Client kopie;

bool Cache_Speichern(std::vector<uint8_t>& out) {
    if (!g.initialisiert) return false;
    Wettbewerb_Save(out);
    return true;
}
bool Cache_Laden(const uint8_t* daten, size_t bytes) { return Saetze_Laden(daten, bytes, "Wettbewerb_Cache"); }

}  // namespace

WettbewerbHooks& Wettbewerb_Hooks() { return g.hooks; }

bool Wettbewerb_Init(const std::vector<WettbewerbBeschreibung>& liste) {
    WettbewerbHooks hooks = g.hooks;
    g = WettbewerbModul{};
    g.hooks = hooks;
    int32_t plaetze = 0;
    for (const WettbewerbBeschreibung& w : liste)
        if (w.id >= WETTBEWERB_ERSTE_ID && w.id < WETTBEWERB_ERSTE_ID + WETTBEWERB_MAX)
            plaetze = std::max(plaetze, w.id - WETTBEWERB_ERSTE_ID + 1);
    g.satz.resize(size_t(plaetze));
    if (!g.satz.empty()) std::memset(g.satz.data(), 0, g.satz.size() * sizeof(WettbewerbSatz));
    for (const WettbewerbBeschreibung& w : liste) {
        int32_t slot = w.id - WETTBEWERB_ERSTE_ID;
        if (slot < 0 || slot >= plaetze || g.satz[slot].id) {
            Debug_Printf("Wettbewerb_Init: Wettbewerb %d ungueltig oder doppelt\n", w.id);
            continue;
        }
        Satz_Fuellen(g.satz[slot], w);
    }
    g.initialisiert = true;
    Staemme_Setzen();
    if (!Club_Ist_Client()) {
        for (const WettbewerbSatz& s : g.satz) {
            if (!s.id) continue;
            if (Spiele_Ist_Initialisiert()) Spiele_Sperr_Regeln(s.id, s.gelb_sperre, s.sperre_gelbrot, s.sperre_rot);
            if (s.art != ART_LIGA) continue;
            for (int32_t i = 0; i < s.team_anzahl; ++i)
                if (s.team[i] >= 0 && s.team[i] < Team_Anzahl())
                    Team_Wert(TW_WETTBEWERB, s.team[i], s.id, OP_SCHREIBEN);
        }
    }
    return true;
}

bool Wettbewerb_Config_Laden() {
    std::vector<WettbewerbBeschreibung> liste;
    if (!Wettbewerb_Config_Lesen(liste)) {
        Debug_Printf("Wettbewerb_Config_Laden: keine Wettbewerbe gelesen\n");
        return false;
    }
    return Wettbewerb_Init(liste);
}

void Wettbewerb_Free() {
    WettbewerbHooks hooks = g.hooks;
    g = WettbewerbModul{};
    g.hooks = hooks;
}

bool Wettbewerb_Ist_Initialisiert() { return g.initialisiert; }

WettbewerbSatz* Wettbewerb_Satz(int32_t id) { return Satz(nullptr, id); }

std::vector<int32_t> Wettbewerb_Alle() {
    std::vector<int32_t> ids;
    if (!g.initialisiert) return ids;
    for (const WettbewerbSatz& s : g.satz)
        if (s.id) ids.push_back(s.id);
    return ids;
}

const WettbewerbInfo* Wettbewerb_Get_Info(int32_t id) {
    const WettbewerbSatz* s = Satz("Wettbewerb_Get_Info", id);
    if (!s) return nullptr;
    WettbewerbInfo& i = g.info;
    i = WettbewerbInfo{};
    i.zuschauer = s->art == ART_FREUNDSCHAFT ? -1 : 0;
    i.spezial = s->art == ART_FREUNDSCHAFT ? 1 : (s->gastgeber >= 0 ? 2 : 0);
    i.modus = s->modus;
    i.teams = s->teams;
    i.spieltage = s->spieltage;
    i.aktuelle_runde = s->aktuelle_runde;
    i.aktueller_spieltag = s->aktueller_spieltag;
    i.halbzeit_minute = s->spielzeit / 2;
    i.gastgeber = s->gastgeber;
    i.gastgeber_stadion = s->gastgeber;
    return &i;
}

int32_t Wettbewerb_Get_Grafik(int32_t id, int32_t* kalender_position) {
    const WettbewerbSatz* s = Satz("Wettbewerb_Get_Grafik", id);
    if (!s) return -1;
    if (kalender_position) *kalender_position = s->kalender_position;
    return s->grafik;
}

int32_t Wettbewerb_Get_Liga_Symbol(int32_t id) {
    const WettbewerbSatz* s = Satz("Wettbewerb_Get_Liga_Symbol", id);
    return s ? s->liga_symbol : -1;
}

int32_t Wettbewerb_Get_Schalter(int32_t id, int32_t schalter) {
    const WettbewerbSatz* s = Satz("Wettbewerb_Get_Schalter", id);
    if (!s || schalter < 0 || schalter > 30) return 0;
    return (s->schalter >> schalter) & 1;
}

const char* Wettbewerb_Get_Landespokal(int32_t id, int32_t, int32_t) {
    const WettbewerbSatz* s = Satz("Wettbewerb_Get_Landespokal", id);
    return s ? s->name : "Wettbewerb_String_Error";
}

const char* Wettbewerb_Get_Gruppenname(int32_t id) {
    const WettbewerbSatz* s = Satz("Wettbewerb_Get_Gruppenname", id);
    return s ? s->kurzname : "Wettbewerb_String_Error";
}

int32_t Wettbewerb_Get_Land(int32_t id) {
    const WettbewerbSatz* s = Satz("Wettbewerb_Get_Land", id);
    return s ? s->land : -1;
}

const char* Wettbewerb_Get_Land_Name(int32_t id) {
    const int32_t land = Wettbewerb_Get_Land(id);
    return land >= 0 && land < Team_Anzahl() ? Team_String(TS_NAME, land, 0, 0) : "";
}

bool Wettbewerb_Ist_Basisliga(int32_t id) {
    const WettbewerbSatz* s = Satz(nullptr, id);
    return s && s->art == ART_LIGA && s->land >= 0 && s->liga_unten < 0;
}

bool Wettbewerb_Ist_Geteilte_Basisliga(int32_t id) {
    if (!Wettbewerb_Ist_Basisliga(id)) return false;
    const WettbewerbSatz* s = Satz(nullptr, id);
    if (s->naechste_gruppe >= 0) return true;
    for (const WettbewerbSatz& x : g.satz)
        if (x.id && x.naechste_gruppe == id) return true;
    return false;
}

int32_t Wettbewerb_Get_Stamm_Id(int32_t id) {
    const WettbewerbSatz* s = Satz("Wettbewerb_Get_Stamm_Id", id);
    return s ? s->stamm : -1;
}

int32_t Wettbewerb_Erste_Runde(int32_t id) {
    const WettbewerbSatz* s = Satz("Wettbewerb_Erste_Runde", id);
    return s ? s->stamm : -1;
}

int32_t Wettbewerb_Naechste_Runde(int32_t id) {
    const WettbewerbSatz* s = Satz("Wettbewerb_Naechste_Runde", id);
    if (!s) return -1;
    // The next stage of a group is reached from any group of the stage.
    return Satz(nullptr, s->naechste_runde) ? s->naechste_runde : -1;
}

int32_t Wettbewerb_Erste_Gruppe(int32_t id) {
    const WettbewerbSatz* s = Satz("Wettbewerb_Erste_Gruppe", id);
    if (!s) return -1;
    // The first group is the one no other group of the chain names as its next.
    int32_t erste = id;
    for (int32_t schritt = 0; schritt < WETTBEWERB_MAX; ++schritt) {
        int32_t vorher = -1;
        for (const WettbewerbSatz& x : g.satz)
            if (x.id && x.naechste_gruppe == erste) vorher = x.id;
        if (vorher < 0 || vorher == id) break;
        erste = vorher;
    }
    return erste;
}

int32_t Wettbewerb_Naechste_Gruppe(int32_t id) {
    const WettbewerbSatz* s = Satz("Wettbewerb_Naechste_Gruppe", id);
    if (!s) return -1;
    return Satz(nullptr, s->naechste_gruppe) ? s->naechste_gruppe : -1;
}

bool Wettbewerb_Ist_International(int32_t id) {
    const WettbewerbSatz* s = Satz("Wettbewerb_Ist_International", id);
    return s && (s->art == ART_INTERNATIONAL || s->art == ART_GRUPPE);
}

bool Wettbewerb_Ist_Kontinental(int32_t id) { return Wettbewerb_Ist_International(id); }

bool Wettbewerb_Ist_Freundschaft(int32_t id) {
    const WettbewerbSatz* s = Satz("Wettbewerb_Ist_Freundschaft", id);
    return s && s->art == ART_FREUNDSCHAFT;
}

bool Wettbewerb_Hat_Heimrecht(int32_t id) {
    const WettbewerbSatz* s = Satz("Wettbewerb_Hat_Heimrecht", id);
    return s && (s->modus & MODUS_HEIMRECHT);
}

bool Wettbewerb_Ist_KO(int32_t id) {
    const WettbewerbSatz* s = Satz("Wettbewerb_Ist_KO", id);
    return s && (s->modus & MODUS_KO_SYSTEM) && s->art != ART_FREUNDSCHAFT;
}

bool Wettbewerb_Ist_Liga(int32_t id) {
    const WettbewerbSatz* s = Satz("Wettbewerb_Ist_Liga", id);
    return s && (s->art == ART_LIGA || s->art == ART_GRUPPE) && !(s->modus & MODUS_KO_SYSTEM);
}

int32_t Wettbewerb_Get_Teams(int32_t id, int32_t* out) {
    const WettbewerbSatz* s = Satz("Wettbewerb_Get_Teams", id);
    if (!s) return 0;
    int32_t n = 0;
    for (int32_t i = 0; i < WETTBEWERB_TEAMS_MAX; ++i)
        if (s->team[i] >= 0) {
            if (out) out[n] = s->team[i];
            ++n;
        }
    return n;
}

int32_t Wettbewerb_Get_Team_Slot(int32_t id, int32_t team) {
    const WettbewerbSatz* s = Satz("Wettbewerb_Get_Team_Slot", id);
    if (!s || team < 0) return -1;
    for (int32_t i = 0; i < WETTBEWERB_TEAMS_MAX; ++i)
        if (s->team[i] == team) return i;
    return -1;
}

int32_t Wettbewerb_Get_Teams_Hierarchie(int32_t id, int32_t* out) {
    const WettbewerbSatz* s = Satz("Wettbewerb_Get_Teams_Hierarchie", id);
    if (!s) return 0;
    std::vector<int32_t> teams;
    for (const WettbewerbSatz& x : g.satz) {
        if (!x.id || x.stamm != s->stamm) continue;
        for (int16_t t : x.team)
            if (t >= 0 && std::find(teams.begin(), teams.end(), t) == teams.end()) teams.push_back(t);
    }
    if (out) std::copy(teams.begin(), teams.end(), out);
    return int32_t(teams.size());
}

bool Wettbewerb_Team_Noch_Dabei(int32_t id, int32_t team, int32_t, int32_t) {
    int32_t slot = Wettbewerb_Get_Team_Slot(id, team);
    if (slot < 0) return false;
    const WettbewerbSatz* s = Satz(nullptr, id);
    return !(s->slot_status[slot] & SLOT_AUSGESCHIEDEN) && s->sieger < 0;
}

bool Wettbewerb_Team_Eintragen(int32_t id, int32_t team) {
    WettbewerbSatz* s = Satz("Wettbewerb_Team_Eintragen", id);
    if (!s || team < 0 || team > 32767 || Wettbewerb_Get_Team_Slot(id, team) >= 0) return false;
    int32_t grenze = s->art == ART_FREUNDSCHAFT ? WETTBEWERB_TEAMS_MAX : s->teams;
    for (int32_t i = 0; i < grenze; ++i)
        if (s->team[i] < 0) {
            s->team[i] = int16_t(team);
            s->slot_status[i] = 0;
            ++s->team_anzahl;
            return true;
        }
    Debug_Printf("Wettbewerb_Team_Eintragen: Wettbewerb %d voll\n", id);
    return false;
}

void Wettbewerb_Teams_Leeren(int32_t id) {
    WettbewerbSatz* s = Satz("Wettbewerb_Teams_Leeren", id);
    if (!s) return;
    std::fill(std::begin(s->team), std::end(s->team), int16_t(-1));
    std::fill(std::begin(s->slot_status), std::end(s->slot_status), uint8_t(0));
    s->team_anzahl = 0;
}

bool Wettbewerb_Team_Tauschen(int32_t a, int32_t b, int32_t team_a, int32_t team_b) {
    const int32_t sb = Wettbewerb_Get_Team_Slot(b, team_b);
    if (a < 0) {
        // A club without a competition takes the place of one in it.
        if (sb < 0 || team_a < 0 || Wettbewerb_Get_Team_Slot(b, team_a) >= 0) {
            Debug_Printf("Wettbewerb_Team_Tauschen: Team %d nicht fuer %d in %d\n", team_a, team_b, b);
            return false;
        }
        Satz(nullptr, b)->team[sb] = int16_t(team_a);
        Spiele_Team_Ersetzen(b, team_b, team_a);
        if (!Club_Ist_Client() && Satz(nullptr, b)->art == ART_LIGA) {
            Team_Wert(TW_WETTBEWERB, team_a, b, OP_SCHREIBEN);
            Team_Wert(TW_WETTBEWERB, team_b, -1, OP_SCHREIBEN);
        }
        return true;
    }
    const int32_t sa = Wettbewerb_Get_Team_Slot(a, team_a);
    if (sa < 0 || sb < 0 || (a != b && (Wettbewerb_Get_Team_Slot(a, team_b) >= 0 ||
                                        Wettbewerb_Get_Team_Slot(b, team_a) >= 0))) {
        Debug_Printf("Wettbewerb_Team_Tauschen: Teams %d/%d nicht tauschbar\n", team_a, team_b);
        return false;
    }
    Satz(nullptr, a)->team[sa] = int16_t(team_b);
    Satz(nullptr, b)->team[sb] = int16_t(team_a);
    // The fixtures name clubs: each takes over the other's open games.
    if (a != b) {
        Spiele_Team_Ersetzen(a, team_a, team_b);
        Spiele_Team_Ersetzen(b, team_b, team_a);
    }
    if (!Club_Ist_Client()) {
        if (Satz(nullptr, a)->art == ART_LIGA) Team_Wert(TW_WETTBEWERB, team_b, a, OP_SCHREIBEN);
        if (Satz(nullptr, b)->art == ART_LIGA) Team_Wert(TW_WETTBEWERB, team_a, b, OP_SCHREIBEN);
    }
    return true;
}

bool Wettbewerb_Team_Wettbewerb_Wechsel(int32_t team, int32_t von, int32_t nach) {
    int32_t slot = Wettbewerb_Get_Team_Slot(von, team);
    WettbewerbSatz* ziel = Satz("Wettbewerb_Team_Wettbewerb_Wechsel", nach);
    if (slot < 0 || !ziel || !Wettbewerb_Team_Eintragen(nach, team)) {
        Debug_Printf("Wettbewerb_Team_Wettbewerb_Wechsel: Team %d nicht von %d nach %d\n", team, von, nach);
        return false;
    }
    WettbewerbSatz* s = Satz(nullptr, von);
    s->team[slot] = -1;
    s->slot_status[slot] = 0;
    --s->team_anzahl;
    if (ziel->art == ART_LIGA && !Club_Ist_Client()) Team_Wert(TW_WETTBEWERB, team, nach, OP_SCHREIBEN);
    return true;
}

int32_t Wettbewerb_Liste_Team(int32_t team, int32_t* out, int32_t flag) {
    if (!g.initialisiert) return 0;
    int32_t n = 0;
    for (const WettbewerbSatz& s : g.satz) {
        if (!s.id) continue;
        if (flag == 1 && s.art != ART_LIGA) continue;
        if (team >= 0 && Wettbewerb_Get_Team_Slot(s.id, team) < 0) continue;
        if (out) out[n] = s.id;
        ++n;
    }
    return n;
}

namespace {

// Whether `team` stands in any slot of a competition (eight slots a step where the processor compares them at once).
bool Hat_Team(const WettbewerbSatz& s, int32_t team) {
    if (team > INT16_MAX) return false;
    const int16_t t = int16_t(team);
#if defined(__SSE2__)
    static_assert(WETTBEWERB_TEAMS_MAX % 8 == 0);
    const __m128i muster = _mm_set1_epi16(t);
    for (int32_t i = 0; i < WETTBEWERB_TEAMS_MAX; i += 8) {
        const __m128i w = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s.team + i));
        if (_mm_movemask_epi8(_mm_cmpeq_epi16(w, muster))) return true;
    }
    return false;
#else
    return std::find(std::begin(s.team), std::end(s.team), t) != std::end(s.team);
#endif
}

}  // namespace

int32_t Team_Get_Liga(int32_t team, int32_t) {
    if (!g.initialisiert || team < 0) return -1;
    for (const WettbewerbSatz& s : g.satz) {
        if (s.id && s.art == ART_LIGA && Hat_Team(s, team)) return s.id;
    }
    return -1;
}

bool Wettbewerb_Hat_Menschliches_Team(int32_t id) {
    const WettbewerbSatz* s = Satz("Wettbewerb_Hat_Menschliches_Team", id);
    if (!s) return false;
    for (int16_t t : s->team)
        if (t >= 0 && t < Team_Anzahl() && Team_Hat_Manager(t)) return true;
    return false;
}

int32_t Wettbewerb_Team_Niveau(int32_t team) {
    const WettbewerbSatz* s = Satz(nullptr, Team_Get_Liga(team, 1));
    if (!s) return 100;
    int32_t stufen = 0;
    for (const WettbewerbSatz& x : g.satz)
        if (x.id && x.art == ART_LIGA && x.land == s->land) stufen = std::max(stufen, x.stufe);
    int32_t level = std::max(0, s->stufe - 1);
    return std::max(0, 100 - level * (100 / std::max(stufen, 4)));
}

int32_t Wettbewerb_Betrag_Nach_Niveau(int32_t team, int32_t betrag, int32_t p) {
    int64_t b = betrag;
    return int32_t(b * (100 - p) / 100 + int64_t(Wettbewerb_Team_Niveau(team)) * (b * p / 100) / 100);
}

bool Config_Modify_Init(int32_t, int32_t) {
    g.modify = true;
    return true;
}
void Config_Modify_Free() { g.modify = false; }
bool Config_Modify_Aktiv() { return g.modify; }

// Block layout: u32 magic "WETT", u32 version, u32 record count, then the
// used 10,644-byte records in id order.
namespace {
// The block; the competitions' records are packed where they stand.
void Wettbewerb_Stuecke(SpielstandStuecke& out) {
    uint32_t n = 0;
    for (const WettbewerbSatz& s : g.satz)
        if (s.id) ++n;
    out.i32(int32_t(WETTBEWERB_MAGIC));
    out.i32(int32_t(WETTBEWERB_VERSION));
    out.i32(int32_t(g.initialisiert ? n : 0));
    if (!g.initialisiert) return;
    for (const WettbewerbSatz& s : g.satz)
        if (s.id) out.block(&s, sizeof s);
}
}  // namespace

void Wettbewerb_Save(std::vector<uint8_t>& out) { Spielstand_Stuecke_Anhaengen(Wettbewerb_Stuecke, out); }

bool Wettbewerb_Load(const uint8_t* in, size_t bytes) { return Saetze_Laden(in, bytes, "Wettbewerb_Load"); }

void Wettbewerb_Client_Holen_Vorab() { kopie.Vorab(ANFRAGE_WETTBEWERB_ABGLEICH); }

bool Wettbewerb_Client_Holen() {
    return kopie.Holen_Und_Laden("Wettbewerb_Client_Holen", ANFRAGE_WETTBEWERB_ABGLEICH, [](const uint8_t* in, size_t n) {
        return Saetze_Laden(in, n, "Wettbewerb_Client_Holen");
    });
}

bool Wettbewerb_Server_Anfrage(int32_t anfrage, const uint8_t* argumente, size_t bytes, std::vector<uint8_t>& antwort) {
    if (anfrage != ANFRAGE_WETTBEWERB_ABGLEICH) return false;
    return Server_Fassungen().Anfrage_Beantworten(argumente, bytes, Wettbewerb_Save, antwort);
}

bool Wettbewerb_Cache_Anmelden() {
    return Config_Bin_Region_Anmelden("Wettbewerb", Cache_Speichern, Cache_Laden,
                                      {Config_Datei_Name(CONFIG_WETTBEWERB)});
}

bool Wettbewerb_Spielstand_Anmelden() {
    return Spielstand_Block_Anmelden({"Wettbewerb", 20, Wettbewerb_Save, Wettbewerb_Load, nullptr, 100, Wettbewerb_Stuecke});
}

}  // namespace velmora
