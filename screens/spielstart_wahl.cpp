// screens/spielstart_wahl.cpp - the choice table and the start of a new game.
#include "screens/spielstart_wahl.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <map>
#include <vector>

#include "bilder/trikot.h"
#include "business/bank.h"
#include "business/scout.h"
#include "business/stadion.h"
#include "business/verhandlung.h"
#include "business/werbung.h"
#include "club/club_config.h"
#include "club/club_netz.h"
#include "club/formation.h"
#include "club/manager.h"
#include "club/spieler.h"
#include "club/spieler_dummy.h"
#include "club/team.h"
#include "club/team_suche.h"
#include "core/debug.h"
#include "core/mem.h"
#include "core/rnd.h"
#include "core/text.h"
#include "gui/icon.h"
#include "match/day/spieltag.h"
#include "net/internet.h"
#include "net/net.h"
#include "platform/clock.h"
#include "season/spielplan.h"
#include "season/spielstart.h"
#include "season/wettbewerb.h"

namespace velmora {
namespace {

struct SpielstartModul {
    std::array<SpielstartWahl, SPIELSTART_WAHL_MAX> wahl{};
    std::array<int32_t, SPIELSTART_WAHL_MAX> manager_team{};
    int32_t anzahl = -1;
    int32_t aktuell = 0;
    int32_t level = -1;
    // A client's join went on without the players' list: its address's stock
    // of lists was empty (another connection of that address drew it); the
    // server hands it over once the club is taken.
    bool spieler_folgen = false;
};
SpielstartModul g;

// The averages of a league, taken once per start from its clubs.
struct LigaSchnitt {
    int32_t sitze = 0, stehplaetze = 0, staerke = 0;
};

// Below this capacity a fitted stadium is sized from the league's smaller grounds.
constexpr int32_t KAPAZITAET_KLEIN = 16000;
constexpr int32_t KAPAZITAET_ABSCHLAG = 3000;
constexpr int32_t KAPAZITAET_MIN = 8000;
constexpr int32_t GROESSTE = 3;   // the largest grounds left out of the small-ground average
// A squad this far below the league's average strength (per cent) is drawn anew around it.
constexpr int32_t STAERKE_NEU_UNTER = 40;

bool Alleine() { return Netzwerk_Modus() == 0; }

int32_t Level_Geklemmt(int32_t level) { return std::clamp(level, 0, SPIELSTART_LEVEL - 1); }

bool Team_Gueltig(int32_t team) {
    return team >= 0 && team < Team_Anzahl() && team != Team_Markt() && !Team_Ist_Nationalteam(team);
}

// Seats and terrace places of a club: its stadium, else the club file's ground.
void Plaetze(int32_t team, int32_t* sitze, int32_t* stehplaetze) {
    *sitze = *stehplaetze = 0;
    if (Stadion_Ist_Initialisiert() && Stadion_Get_Plaetze(team, stehplaetze, sitze)) return;
    if (const StadionVorgabe* v = Team_Stadion_Vorgabe(team)) {
        *sitze = std::max(v->sitze, 0);
        *stehplaetze = std::max(v->stehplaetze, 0);
    }
}

bool Ist_Gewaehlt(int32_t team) {
    for (int32_t i = 0; i < Spielstart_Anzahl(); ++i)
        if (g.wahl[size_t(i)].team == team) return true;
    return false;
}

// Fits one club to its league: the stadium from the league's grounds, the
// squad's strength to the league's average.
void Team_Anpassen(int32_t team, std::map<int32_t, LigaSchnitt>& cache) {
    Wettbewerb_Menschliche_Teams_Ersetzen();
    const int32_t liga = Team_Wert(TW_WETTBEWERB, team, 0, OP_LESEN);
    std::vector<int32_t> teams(WETTBEWERB_TEAMS_MAX);
    const int32_t n = liga >= 0 ? Wettbewerb_Get_Teams(liga, teams.data()) : 0;
    if (n <= 0) {
        Debug_Printf("Spielstart_Vereine: Team %d spielt in keiner Liga\n", team);
        return;
    }
    int32_t anzahl = 1, groesste = 0, genommen = 0;
    auto it = cache.find(liga);
    if (it == cache.end()) {
        int64_t sitze = 0, steh = 0, staerke = 0;
        std::vector<int32_t> gesamt;
        for (int32_t i = 0; i < n; ++i) {
            int32_t s = 0, st = 0;
            Plaetze(teams[size_t(i)], &s, &st);
            sitze += s;
            steh += st;
            staerke += std::max(Team_Get_Staerke(teams[size_t(i)]), 0);
            gesamt.push_back(s + st);
        }
        std::sort(gesamt.rbegin(), gesamt.rend());
        genommen = std::min<int32_t>(GROESSTE, n);
        for (int32_t i = 0; i < genommen; ++i) groesste += gesamt[size_t(i)];
        anzahl = n;
        it = cache.emplace(liga, LigaSchnitt{int32_t(sitze / n), int32_t(steh / n), int32_t(staerke / n)}).first;
    }
    const LigaSchnitt& schnitt = it->second;

    // The stadium: a ground of the league's average size; a small league's
    // ground is sized from its grounds without the largest three. A league of
    // three clubs or fewer has no others: its average less 3,000 then.
    int32_t kapazitaet = schnitt.sitze + schnitt.stehplaetze;
    if (kapazitaet < KAPAZITAET_KLEIN) {
        const int32_t rest = anzahl - genommen;
        kapazitaet = rest > 0 ? int32_t((int64_t(kapazitaet) * anzahl - groesste) / rest) - KAPAZITAET_ABSCHLAG
                              : kapazitaet - KAPAZITAET_ABSCHLAG;
        kapazitaet = std::max(kapazitaet, KAPAZITAET_MIN);
    }
    Stadion_Satz vorlage{};
    if (const Stadion_Satz* alt = Stadion_Ist_Initialisiert() ? Stadion_Get(team, 1) : nullptr)
        std::memcpy(vorlage.name, alt->name, sizeof vorlage.name);   // the ground keeps its name
    else if (const StadionVorgabe* v = Team_Stadion_Vorgabe(team))
        std::strncpy(vorlage.name, v->name.c_str(), sizeof vorlage.name - 1);
    vorlage.kapazitaet = kapazitaet;
    vorlage.sitze = schnitt.sitze;
    vorlage.stehplaetze = schnitt.stehplaetze;
    if (!Stadion_Team_Anlegen(team, &vorlage)) Debug_Printf("Spielstart_Vereine: kein Stadion fuer Team %d\n", team);

    // The squad: scaled to the league's average strength; a squad far below
    // it is drawn anew around the average.
    const int32_t schnitt_staerke = schnitt.staerke;
    if (schnitt_staerke <= 0) return;
    const int32_t prozent = std::max(Team_Get_Staerke(team), 0) * 100 / schnitt_staerke;
    int32_t spieler[TEAM_SPIELER_MAX];
    const int32_t anzahl_spieler = Teamspieler_Ins_Array(team, spieler, TEAM_SPIELER_MAX, 0);
    for (int32_t i = 0; i < anzahl_spieler; ++i) {
        const int32_t p = spieler[i];
        if (prozent >= STAERKE_NEU_UNTER) {
            const int32_t staerke = (Spieler_Staerke(p) + 500) * 100 / prozent;
            Spieler_Wert(SPW_STAERKE, p, std::clamp(staerke, 0, 12000), OP_SCHREIBEN);
        } else {
            const int32_t r = Rnd(schnitt_staerke - schnitt_staerke / 5, schnitt_staerke + schnitt_staerke / 5);
            const int32_t sterne = (anzahl_spieler / 2 + r) / anzahl_spieler;
            Spieler_Wert(SPW_STERNE, p, std::clamp(sterne, 0, 12), OP_SCHREIBEN);
        }
        Spieler_Set_Maxstaerke(p);
    }
}

}  // namespace

SpielstartWahl* Spielstart_Wahl(int32_t eintrag) {
    if (eintrag < 0 || eintrag >= SPIELSTART_WAHL_MAX) return nullptr;
    return &g.wahl[size_t(eintrag)];
}

int32_t Spielstart_Anzahl() { return g.anzahl; }
void Spielstart_Anzahl_Setzen(int32_t anzahl) { g.anzahl = std::clamp(anzahl, -1, SPIELSTART_WAHL_MAX); }
int32_t Spielstart_Aktuell() { return g.aktuell; }
void Spielstart_Aktuell_Setzen(int32_t eintrag) { g.aktuell = std::clamp(eintrag, 0, SPIELSTART_WAHL_MAX - 1); }
int32_t Spielstart_Level() { return g.level; }
void Spielstart_Level_Setzen(int32_t level) { g.level = level < 0 ? -1 : Level_Geklemmt(level); }

const char* Spielstart_Level_Name(int32_t level) {
    if (level < 0 || level >= SPIELSTART_LEVEL) return "";
    return Text_Oder_Leer("ULVO_ZUSATZ", 99 + level);
}

int32_t Spielstart_Manager_Team(int32_t index) {
    return index >= 0 && index < SPIELSTART_WAHL_MAX ? g.manager_team[size_t(index)] : -1;
}

void Spielstart_Wahl_Leeren() {
    g = SpielstartModul{};
    Spielstart_Wahl_Zuruecksetzen();
}

void Spielstart_Wahl_Zuruecksetzen() {
    g.manager_team.fill(-1);
    for (SpielstartWahl& w : g.wahl) {
        w.nation = w.wettbewerb = w.team = w.portrait = -1;
        w.startkader = 0;
    }
    g.anzahl = -1;
    g.aktuell = 0;
    g.level = -1;
    size_t n = 0;
    for (int32_t t = 0; t < Team_Anzahl() && n < g.manager_team.size(); ++t)
        if (t != Team_Markt() && Team_Hat_Manager(t)) g.manager_team[n++] = t;
}

bool Spielstart_Platzhalter_Anlegen() {
    const int32_t markt = Team_Markt();
    if (markt < 0) {
        Debug_Printf("Spielstart_Platzhalter_Anlegen: kein Transfermarkt\n");
        return false;
    }
    Team_Lokal_Setzen(markt);
    Client_Team_Setzen(markt);
    if (Manager_Record(markt)) return true;
    const char* name = Text_Get("ULVO_ZUSATZ", 104);
    return Manager_Neuer_Mitspieler(markt, name ? name : "", -1) != nullptr;
}

int32_t Spielstart_Startgeld(int32_t team, int32_t level) {
    const int32_t betrag = Wettbewerb_Betrag_Nach_Niveau(team, SPIELSTART_GELD[Level_Geklemmt(level)], 100);
    return (betrag + 500000) / 100000 * 100000;
}

bool Spielstart_Starten() {
    const int32_t anzahl = std::max(g.anzahl, 0);
    for (int32_t i = 0; i < anzahl; ++i) {
        const SpielstartWahl& w = g.wahl[size_t(i)];
        if (!Team_Gueltig(w.team)) {
            Debug_Printf("Spielstart_Starten: Eintrag %d ohne gueltigen Verein (%d)\n", i, w.team);
            continue;
        }
        g.manager_team[size_t(i)] = w.team;
        Team_Lokal_Setzen(w.team);
        Client_Team_Setzen(w.team);
        char name[SPIELSTART_NAME_MAX + 1] = {};
        std::strncpy(name, w.name, SPIELSTART_NAME_MAX);
        Manager_Neuer_Mitspieler(w.team, name, w.portrait);
        // A human club starts on the middle steps; computer clubs keep theirs.
        Team_Set_Aktuelle_Taktik(w.team, TAKTIK_START);
    }
    if (Team_Markt() >= 0 && Manager_Record(Team_Markt())) Manager_Entfernen(Team_Markt());
    const int32_t level = Level_Geklemmt(g.level);
    Team_Spielstand_Setzen(Team_Spiel_Laeuft(), level);
    Menue_Screen_Bereich_Loeschen(5, 0, 0, 800, 600);
    Menue_Set_Hintergrund(MENUE_SLAVE_BASIS);
    // The team editor's entry has no portrait: its manager is made, no game starts.
    if (Alleine() && anzahl > 0 && g.wahl[0].portrait == -1) return false;

    // The clubs wear the kits that fit their colours (a load keeps its kits);
    // then the club management's part of a new game, before the clubs are fitted.
    Trikot_Neues_Spiel();
    // The match-day table stands, empty, from the game's first day: the main
    // screen asks it every frame whether the club plays today.
    Spieltag_Init();
    Stadion_Spielstart();
    Werbung_Init();
    Bank_Init();
    Scout_Init();
    Verhandlung_Init();
    Spielstart_Vereine();
    for (int32_t i = 0; i < anzahl; ++i) {
        const int32_t team = g.manager_team[size_t(i)];
        if (team < 0) continue;
        Team_Lokal_Setzen(team);
        Bank_Waehrung_Umrechnen(team, Spielstart_Startgeld(team, level), 0);
        Werbung_Team_Reset(team, 1);
    }
    Menue_Screen_Bereich_Loeschen(5, -9999, -9999, 9999, 9999);
    Spielstart_Set_Spiel_Laeuft();
    return true;
}

bool Spielstart_Server_Starten() {
    Spielstart_Wahl_Zuruecksetzen();
    int32_t n = 0;
    for (int32_t t = 0; t < Team_Anzahl() && n < SPIELSTART_WAHL_MAX; ++t) {
        if (t == Team_Markt() || !Team_Ist_Normal(t, 0)) continue;
        SpielstartWahl& w = g.wahl[size_t(n++)];
        std::memset(w.name, 0, sizeof w.name);
        std::strncpy(w.name, TEAM_CLIENT_NAME, sizeof w.name - 1);
        w.team = t;
        w.nation = Team_Wert(TW_NATION, t, 0, OP_LESEN);
        w.wettbewerb = Team_Wert(TW_WETTBEWERB, t, 0, OP_LESEN);
        w.portrait = 0;
    }
    g.anzahl = n;
    g.level = 2;
    return Spielstart_Starten();
}

bool Spielstart_Netz_Server(int32_t eigenes_team, bool (*spiel)()) {
    Netzwerk_Modus_Setzen(2);   // server
    if (!Internet_Netzwerk_Start() || (spiel && !spiel())) {
        Internet_Netzwerk_Stop();
        Netzwerk_Modus_Setzen(0);   // alone
        return false;
    }
    Client_Team_Setzen(eigenes_team);
    // Every other club a human manager plays can now be taken from a client.
    int32_t liste[TEAM_MAX];
    const int32_t n = Manager_Ist_Dran(liste, 0, 1);
    for (int32_t i = 0; i < n; ++i)
        if (liste[i] != eigenes_team) Team_Wert(TW_STATUS, liste[i], int32_t(TEAM_STATUS_NETZ), OP_SETZEN);
    Team_Startteams_Fuellen();
    return true;
}

bool Spielstart_Netz_Server_Neu() {
    Netzwerk_Modus_Setzen(2);   // server
    if (!Internet_Netzwerk_Start() || !Spielstart_Starten()) {
        Internet_Netzwerk_Stop();
        Netzwerk_Modus_Setzen(0);   // alone
        return false;
    }
    // The clubs a client may take open their accounts and get their first
    // advertising offers as a new manager's club does: a client's club starts
    // with its start money, not with nothing.
    const int32_t lokal = Team_Lokal(), level = Level_Geklemmt(g.level);
    for (int32_t t = 0; t < Team_Anzahl(); ++t) {
        if (t == Team_Markt() || !Team_Client_Angeboten(t)) continue;
        Team_Lokal_Setzen(t);
        Bank_Waehrung_Umrechnen(t, Spielstart_Startgeld(t, level), 0);
        Werbung_Team_Reset(t, 1);
    }
    Team_Lokal_Setzen(lokal);
    Team_Startteams_Fuellen();
    return true;
}

bool Spielstart_Client_Beitreten() {
    auto abbrechen = [](ManagerStruktur* platzhalter, const char* schritt) {
        Debug_Printf("Spielstart_Client_Beitreten: %s fehlgeschlagen\n", schritt);
        if (platzhalter) Mem_Free(platzhalter);
        Team_Free(0);
        Spieler_Free();
        Internet_Netzwerk_Stop();
        Netzwerk_Modus_Setzen(0);
        return false;
    };
    if (Netzwerk_Modus() != 1) return false;
    // No club is this machine's until one is taken.
    Client_Team_Setzen(-1);
    if (!Internet_Netzwerk_Start()) return abbrechen(nullptr, "Verbindung");
    ManagerStruktur* platzhalter = Team_Markt() >= 0 ? Manager_Abnehmen(Team_Markt()) : nullptr;
    int32_t level = 2, anzahl = 0;
    if (!Manager_Internet_Client_Startinfo_1(&level, &anzahl)) return abbrechen(platzhalter, "Managerdaten");
    Spielstart_Level_Setzen(level);
    if (!Spieler_Internet_Client_Get_Anzahl()) return abbrechen(platzhalter, "Spielerzahl");
    Team_Free(1);
    if (!Team_Internet_Client_Startinfo() || !Team_Internet_Client_Init()) return abbrechen(platzhalter, "Vereine");
    if (platzhalter) {
        if (Team_Markt() < 0 || !Manager_Anhaengen(Team_Markt(), platzhalter)) Mem_Free(platzhalter);
        platzhalter = nullptr;
    }
    // A list refused before the club is taken (the server hands out only a few
    // lists per address to connections that have not joined, against a loop
    // that connects, reads and closes) leaves this join standing: one program
    // looping behind the same router kept every newcomer out. The store holds
    // the players' count; the list comes once the club is taken. A connection
    // that broke fails the next step.
    g.spieler_folgen = !Spieler_Internet_Client_Init();
    if (g.spieler_folgen) Debug_Printf("Spielstart_Client_Beitreten: Spielerliste folgt nach der Vereinswahl\n");
    if (!Team_Internet_Client_Startteams()) return abbrechen(nullptr, "Startteams");
    // The server's game runs; this machine's begins once its club is taken.
    // Until then the start screens keep their state in the market's placeholder.
    Team_Spielstand_Setzen(0, Level_Geklemmt(level));
    if (Team_Markt() >= 0) {
        Team_Lokal_Setzen(Team_Markt());
        Client_Team_Setzen(Team_Markt());
    }
    Spielstart_Wahl_Zuruecksetzen();
    Spielstart_Anzahl_Setzen(1);
    Spielstart_Level_Setzen(level);
    return true;
}

bool Spielstart_Client_Halten() {
    if (Netzwerk_Modus() != 1) return false;
    if (Net_Server_Verbindung() < 0) {
        Debug_Printf("Spielstart_Client_Halten: keine Verbindung zum Server, die Wahl endet\n");
        Internet_Netzwerk_Stop();
        Client_Team_Setzen(-1);
        Team_Free(0);
        Spieler_Free();
        return false;
    }
    return true;
}

bool Spielstart_Client_Starten() {
    SpielstartWahl& w = g.wahl[0];
    const StartTeam* e = Team_Startteam(w.team);
    if (!Team_Gueltig(w.team) || !e || e->team != w.team || (e->flags & STARTTEAM_CLIENT)) {
        Debug_Printf("Spielstart_Client_Starten: Verein %d nicht angeboten\n", w.team);
        return false;
    }
    char name[SPIELSTART_NAME_MAX + 1] = {};
    std::string(w.name, strnlen(w.name, sizeof w.name)).copy(name, SPIELSTART_NAME_MAX);
    if (!name[0]) {
        const char* t = Text_Get("ULVO_ZUSATZ", 104);
        std::string(t ? t : "").copy(name, SPIELSTART_NAME_MAX);   // cut to the field, name stays terminated
    }
    int32_t portrait = w.portrait;
    for (int32_t p = 0; portrait < 0 && p < SPIELSTART_PORTRAITS; ++p) {
        bool benutzt = false;
        for (int32_t i = 0; i < Team_Startteams_Anzahl(); ++i)
            if (const StartTeam* s = Team_Startteam(i); s && s->team >= 0 && (s->flags & STARTTEAM_CLIENT))
                benutzt = benutzt || Manager_Portrait(s->team) == p;
        if (!benutzt) portrait = p;
    }
    portrait = std::max(portrait, 0);
    if (Team_Internet_Client_Set_User_Active(0, w.team, name, portrait, nullptr) != 1) return false;
    if (Team_Markt() >= 0 && Manager_Record(Team_Markt())) Manager_Entfernen(Team_Markt());
    if (!Manager_Record(w.team)) Manager_Neuer_Mitspieler(w.team, name, portrait);
    g.manager_team[0] = w.team;
    Team_Lokal_Setzen(w.team);
    Client_Team_Setzen(w.team);
    Manager_Internet_Client_Startinfo_2(w.team);
    // Joined, the client is owed the list whatever its address drew.
    if (g.spieler_folgen) {
        g.spieler_folgen = !Spieler_Internet_Client_Get_Alle();
        if (g.spieler_folgen) Debug_Printf("Spielstart_Client_Starten: Spielerliste nicht geholt\n");
    }
    // The club management's modules start empty here and fill from the server
    // (without them a client's stadium, advertising and bank screens had nothing).
    Stadion_Init();
    Werbung_Init();
    Bank_Init();
    Spieltag_Init();   // empty until the client's match takes its slot from the server
    Client_Alles_Holen();   // the club's account and the rest, as at every turn's start
    Team_Spielstand_Setzen(Team_Spiel_Laeuft(), Level_Geklemmt(g.level));
    Menue_Screen_Bereich_Loeschen(5, -9999, -9999, 9999, 9999);
    Spielstart_Set_Spiel_Laeuft();
    return true;
}

void Spielstart_Vereine() {
    const int32_t anzahl = std::max(g.anzahl, 0);
    std::vector<int32_t> getauscht(size_t(anzahl), -1);
    if (Alleine()) {
        for (int32_t i = 0; i < anzahl; ++i) {
            const SpielstartWahl& w = g.wahl[size_t(i)];
            if (!Team_Gueltig(w.team) || w.wettbewerb < 0) continue;
            const int32_t alt = Team_Wert(TW_WETTBEWERB, w.team, 0, OP_LESEN);
            if (alt == w.wettbewerb) continue;
            std::vector<int32_t> teams(WETTBEWERB_TEAMS_MAX);
            const int32_t n = Wettbewerb_Get_Teams(w.wettbewerb, teams.data());
            if (n <= 0) continue;
            int32_t anderer = teams[0];
            for (int32_t k = n - 1; k >= 0; --k)
                if (!Ist_Gewaehlt(teams[size_t(k)])) {
                    anderer = teams[size_t(k)];
                    break;
                }
            if (Wettbewerb_Team_Tauschen(alt, w.wettbewerb, w.team, anderer)) getauscht[size_t(i)] = anderer;
        }
    }
    std::map<int32_t, LigaSchnitt> cache;
    for (int32_t i = 0; i < anzahl; ++i) {
        const SpielstartWahl& w = g.wahl[size_t(i)];
        if (!Team_Gueltig(w.team)) continue;
        if (Level_Geklemmt(g.level) == 0) Spieltag_Vor_Tag(w.team);
        if (w.startkader) {
            int32_t spieler[TEAM_SPIELER_MAX];
            const int32_t n = Teamspieler_Ins_Array(w.team, spieler, TEAM_SPIELER_MAX, 0);
            Team_Berechne_Attribute(w.team, 0);
            for (int32_t k = 0; k < n; ++k) Spieler_Init_Start_Dummies(spieler[k], Wettbewerb_Team_Niveau(w.team));
            continue;
        }
        Team_Anpassen(w.team, cache);
        if (getauscht[size_t(i)] >= 0) Team_Anpassen(getauscht[size_t(i)], cache);
        Team_Zufaellige_Spieler(w.team);
    }
}

}  // namespace velmora
