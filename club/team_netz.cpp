// club/team_netz.cpp - the team records over the network: the clubs a
// client may take, the start list, a client's fetches of the records and the
// server's answers to them.
#include <cstring>
#include <random>
#include <vector>

#include "club/abgleich.h"
#include "club/aufstellung.h"
#include "club/club_hooks.h"
#include "club/club_netz.h"
#include "club/formation.h"
#include "club/manager.h"
#include "club/spieler.h"
#include "club/team.h"
#include "club/team_intern.h"
#include "core/debug.h"

namespace velmora {

using namespace team_intern;

namespace {
// Server: the versions of the clubs' table (with the market list) and of the
// start-team table handed out; client: the ones it holds.
Abgleich_Server& teams_fassungen() {
    static Abgleich_Server s{std::random_device{}()};
    return s;
}
Abgleich_Server& startteams_fassungen() {
    static Abgleich_Server s{std::random_device{}()};
    return s;
}
Abgleich_Client teams_kopie, startteams_kopie;

// Club t's record as a client receives it: its table entry (without the
// manager's place, a pointer on the server) and its fixed part.
void Team_Packen(ClubPacker& bp, size_t t) {
    TeamStruktur s = g.satz[t];
    s.manager_platz = 0;
    bp.block(&s, sizeof s);
    bp.block(&g.fix[t], sizeof(TeamFix));
}
}  // namespace

void Team_Netzwerk_Flags_Setzen() {
    bool netz = Club_Netzwerk_Modus() != 0;
    for (int32_t t = 0; t < Team_Anzahl(); ++t) {
        uint32_t& s = g.fix[t].status;
        s &= ~(TEAM_STATUS_NETZ | TEAM_STATUS_CLIENT | TEAM_STATUS_BEREIT);
        if (netz && Team_Hat_Manager(t)) s |= TEAM_STATUS_NETZ;
    }
}

// A club a manager of the server's own plays (a human club that is no
// network team) is his; every other normal club may be taken.
bool Team_Client_Angeboten(int32_t team) {
    return Gueltig("Team_Client_Angeboten", team) && Team_Ist_Normal(team, 0) &&
           (!Team_Hat_Manager(team) || (g.fix[team].status & TEAM_STATUS_NETZ));
}

bool Team_Client_Nehmen(int32_t team, const char* name, int32_t portrait) {
    if (!Team_Client_Angeboten(team) || (g.fix[team].status & TEAM_STATUS_CLIENT)) {
        Debug_Printf("Team_Client_Nehmen: Team %d nicht zu vergeben\n", team);
        return false;
    }
    ManagerStruktur* m = Manager_Record(team);
    if (!m) m = Manager_Neuer_Mitspieler(team, name, portrait);
    if (!m) return false;
    std::memset(m->name, 0, sizeof m->name);
    if (name) std::strncpy(m->name, name, sizeof m->name - 1);
    if (portrait >= 0 && portrait < MANAGER_PORTRAITS) m->portrait = portrait;
    g.fix[team].status |= TEAM_STATUS_NETZ | TEAM_STATUS_CLIENT;
    if (size_t(team) < g.startteams.size()) {
        StartTeam& e = g.startteams[size_t(team)];
        e.flags |= STARTTEAM_MANAGER | STARTTEAM_CLIENT;
        Kopieren(e.manager, sizeof e.manager, m->name);
        e.wert = g.fix[team].status;
    }
    return true;
}

void Team_Client_Freigeben(int32_t team) {
    if (!Gueltig("Team_Client_Freigeben", team)) return;
    g.fix[team].status &= ~(TEAM_STATUS_CLIENT | TEAM_STATUS_BEREIT);
    if (ManagerStruktur* m = Manager_Record(team)) {
        std::memset(m->name, 0, sizeof m->name);
        std::strncpy(m->name, TEAM_CLIENT_NAME, sizeof m->name - 1);
    }
    if (size_t(team) < g.startteams.size()) {
        StartTeam& e = g.startteams[size_t(team)];
        e.flags &= ~STARTTEAM_CLIENT;
        Kopieren(e.manager, sizeof e.manager, TEAM_CLIENT_NAME);
        e.wert = g.fix[team].status;
    }
}

int32_t Team_Internet_Client_Set_User_Active(int32_t slotwert, int32_t team, const char* name, int32_t portrait,
                                            int32_t* echo) {
    std::vector<uint8_t> a, antwort;
    ClubPacker p{a};
    p.i32(slotwert);
    p.i32(team);
    char feld[20] = {};
    if (name) std::strncpy(feld, name, sizeof feld - 1);
    p.block(feld, sizeof feld);
    p.i32(portrait);
    if (!Club_Remote("Team_Internet_Client_Set_User_Active", ANFRAGE_TEAM_NEHMEN, "iiC20i<ii", a, antwort)) return 0;
    ClubLeser l{antwort.data(), antwort.size()};
    const int32_t ok = l.i32(), wert = l.i32();
    if (l.fehler) return 0;
    if (echo) *echo = wert;
    return ok == 1 ? 1 : 0;
}

void Team_Startteams_Fuellen() {
    g.startteams.assign(size_t(Team_Anzahl()), StartTeam{});
    for (int32_t t = 0; t < Team_Anzahl(); ++t) {
        StartTeam& e = g.startteams[size_t(t)];
        e.team = -1;
        e.nation = g.satz[t].nation;
        if (!Team_Ist_Normal(t, 0)) continue;
        e.team = int16_t(t);
        Kopieren(e.name, sizeof e.name, Team_String(TS_NAME, t, 0, 0));
        if (Team_Hat_Manager(t)) {
            Kopieren(e.manager, sizeof e.manager, Manager_Name(t));
            e.flags |= STARTTEAM_MANAGER;
        }
        // A club played by a person, a client's or one at the server, is taken.
        if ((g.fix[t].status & TEAM_STATUS_CLIENT) || !Team_Client_Angeboten(t))
            e.flags |= STARTTEAM_MANAGER | STARTTEAM_CLIENT;
        e.wert = g.fix[t].status;
    }
}

const StartTeam* Team_Startteam(int32_t i) {
    if (i < 0 || i >= int32_t(g.startteams.size())) return nullptr;
    return &g.startteams[size_t(i)];
}

int32_t Team_Startteams_Anzahl() { return int32_t(g.startteams.size()); }

bool Team_Internet_Client_Startinfo() {
    std::vector<uint8_t> a, antwort;
    size_t groesse = 0;
    const uint8_t* d =
        Club_Remote_Block("Team_Internet_Client_Startinfo", ANFRAGE_TEAM_STARTINFO, "<C<=0", a, antwort, &groesse);
    ClubLeser b{d, groesse};
    int32_t n = b.i32(), markt = b.i32(), laeuft = b.i32(), level = b.i32();
    if (!d || b.fehler || markt < -1 || markt >= n || !Team_Init(n)) {
        Debug_Printf("Team_Internet_Client_Startinfo: Antwort ungueltig\n");
        return false;
    }
    g.markt = markt;
    g.spiel_laeuft = laeuft ? 1 : 0;
    g.level = level;
    return true;
}

void Team_Internet_Client_Refresh_Vorab() {
    if (!g.initialisiert) return;
    teams_kopie.Vorab(ANFRAGE_TEAMS_ABGLEICH);
    const int32_t eigenes = Club_Client_Team();
    if (eigenes >= 0 && size_t(eigenes) < g.satz.size()) Club_Remote_Satz_Vorab(ANFRAGE_TEAM_OWN, eigenes);
}

void Team_Internet_Client_Startteams_Vorab() { startteams_kopie.Vorab(ANFRAGE_STARTTEAMS_ABGLEICH); }

bool Team_Internet_Client_Refresh() {
    if (!g.initialisiert) {
        Debug_Printf("Team_Internet_Client_Refresh: nicht initialisiert\n");
        return false;
    }
    // A client asks every 5 s (its news check): only the clubs' records and
    // the part of the market list that changed since travel. A table that
    // does not fit is not taken.
    const size_t n = g.satz.size();
    constexpr size_t je = sizeof(TeamStruktur) + sizeof(TeamFix);
    if (!teams_kopie.Holen("Team_Internet_Client_Refresh", ANFRAGE_TEAMS_ABGLEICH)) return false;
    const std::vector<uint8_t>& tabelle = teams_kopie.bytes;
    const size_t markt = tabelle.size() >= n * je ? tabelle.size() - n * je : 0;
    bool passt = tabelle.size() >= n * je && markt % 4 == 0 && markt / 4 <= size_t(MARKT_SPIELER_MAX);
    for (size_t i = 0; passt && i < n; ++i) {
        TeamFix f;
        std::memcpy(&f, tabelle.data() + je * i + sizeof(TeamStruktur), sizeof f);
        passt = f.anzahl <= TEAM_SPIELER_MAX;
    }
    if (!passt) {
        Debug_Printf("Team_Internet_Client_Refresh: Tabelle passt nicht (%zu Bytes)\n", tabelle.size());
        teams_kopie.Leeren();
        return false;
    }
    for (size_t i = 0; i < n; ++i) {
        std::memcpy(&g.satz[i], tabelle.data() + je * i, sizeof(TeamStruktur));
        g.satz[i].manager_platz = 0;
        std::memcpy(&g.fix[i], tabelle.data() + je * i + sizeof(TeamStruktur), sizeof(TeamFix));
    }
    ClubLeser b{tabelle.data() + n * je, markt};
    g.markt_liste.assign(markt / 4, -1);
    for (int32_t& p : g.markt_liste) p = b.i32();
    int32_t eigenes = Club_Client_Team();
    if (eigenes >= 0 && size_t(eigenes) < n) {
        std::vector<uint8_t> antwort2;
        const uint8_t* d2 =
            Club_Remote_Satz("Team_Internet_Client_Refresh", ANFRAGE_TEAM_OWN, eigenes, sizeof(TeamOwn), antwort2);
        if (!d2) return false;
        std::memcpy(&g.own[eigenes], d2, sizeof(TeamOwn));
    }
    Besitzer_Neu();
    return true;
}

bool Team_Internet_Client_Init() {
    if (!g.initialisiert && !Team_Internet_Client_Startinfo()) return false;
    return Team_Internet_Client_Refresh();
}

bool Team_Internet_Client_Startteams() {
    // Asked in the wizard and by the news check every 5 s: only what changed travels.
    if (!startteams_kopie.Holen("Team_Internet_Client_Startteams", ANFRAGE_STARTTEAMS_ABGLEICH)) return false;
    const std::vector<uint8_t>& d = startteams_kopie.bytes;
    const size_t groesse = d.size();
    if (groesse % sizeof(StartTeam) || groesse / sizeof(StartTeam) > size_t(TEAM_MAX)) {
        Debug_Printf("Team_Internet_Client_Startteams: Antwort hat %zu Bytes\n", groesse);
        startteams_kopie.Leeren();
        return false;
    }
    g.startteams.resize(groesse / sizeof(StartTeam));
    if (groesse) std::memcpy(g.startteams.data(), d.data(), groesse);
    for (StartTeam& e : g.startteams) {        // the names arrive as the server wrote them
        e.name[sizeof e.name - 1] = 0;
        e.manager[sizeof e.manager - 1] = 0;
        if (e.team < -1 || e.team >= Team_Anzahl()) e.team = -1;
    }
    return true;
}

bool Team_Server_Anfrage(int32_t anfrage, int32_t client_team, ClubLeser& l, std::vector<uint8_t>& antwort) {
    ClubPacker pk{antwort};
    switch (anfrage) {
    case ANFRAGE_TEAM_WERT: {
        int32_t modus = l.i32(), team = l.i32(), wert = l.i32(), op = l.i32();
        if (l.fehler) return true;
        if (op != OP_LESEN && op != OP_PROZENT && !Club_Ist_Eigenes(team, client_team)) {
            Debug_Printf("Team_Wert: CLIENT-WRITE! (Team %d, Client-Team %d)\n", team, client_team);
            pk.i32(0);
        } else {
            pk.i32(Team_Wert(modus, team, wert, op));
        }
        return true;
    }
    case ANFRAGE_TEAM_ZEIGER: {
        int32_t modus = l.i32(), team = l.i32();
        size_t n = 0;
        const uint8_t* d = l.block_mit_laenge(&n);
        if (l.fehler) return true;
        bool ok = false;
        if (!Club_Ist_Eigenes(team, client_team) || !Gueltig("Team_Zeiger", team)) {
            Debug_Printf("Team_Zeiger: CLIENT-WRITE! (Team %d, Client-Team %d)\n", team, client_team);
        } else if (modus == TZ_FARBEN && n == sizeof(TeamStruktur::farben)) {
            std::memcpy(g.satz[team].farben, d, n);
            ok = true;
        } else if (modus == TZ_AUFSTELLUNG && n == TEAM_AUFSTELLUNG_BYTES) {
            // A client's formation and tactics are taken only when sound.
            TeamOwn neu = g.own[team];
            Aufstellung_Block_Lesen(neu, d);
            ok = Formation_Pruefen(neu.aktuell);
            for (int32_t i = 0; i < 7; ++i) ok = ok && neu.taktik[i] >= 0 && neu.taktik[i] <= Taktik_Hoechstwert(i);
            if (ok) g.own[team] = neu;
            else Debug_Printf("Team_Zeiger: Aufstellung von Team %d ungueltig\n", team);
        } else if (modus == TZ_FORMATIONEN && n == sizeof(TeamOwn::gespeichert)) {
            std::memcpy(g.own[team].gespeichert, d, n);
            ok = true;
        } else {
            Debug_Printf("Team_Zeiger: Modus %d mit %zu Bytes ungueltig\n", modus, n);
        }
        pk.i32(ok ? 1 : 0);
        return true;
    }
    case ANFRAGE_TEAM_STARTINFO: {
        std::vector<uint8_t> block;
        ClubPacker bp{block};
        bp.i32(Team_Anzahl());
        bp.i32(Team_Markt());
        bp.i32(g.spiel_laeuft);
        bp.i32(g.level);
        pk.block_mit_laenge(block.data(), block.size());
        return true;
    }
    case ANFRAGE_TEAM_BLOCK: {
        int32_t start = l.i32(), anzahl = l.i32();
        int32_t n = Team_Anzahl();
        if (l.fehler || start < 0 || anzahl < 0 || start > n || anzahl > n - start || anzahl > CLIENT_BLOCK_TEAMS) {
            l.fehler = true;
            return true;
        }
        std::vector<uint8_t> block;
        ClubPacker bp{block};
        for (int32_t t = start; t < start + anzahl; ++t) Team_Packen(bp, size_t(t));
        pk.block_mit_laenge(block.data(), block.size());
        return true;
    }
    case ANFRAGE_TEAMS_ABGLEICH: {
        const uint32_t stand = uint32_t(l.i32());
        if (l.fehler) return true;
        std::vector<uint8_t> block, inhalt;
        ClubPacker bp{block};
        for (size_t t = 0; t < g.satz.size(); ++t) Team_Packen(bp, t);
        for (int32_t p : g.markt_liste) bp.i32(p);
        teams_fassungen().Antworten(block, stand, inhalt);
        pk.block_mit_laenge(inhalt.data(), inhalt.size());
        return true;
    }
    case ANFRAGE_TEAM_OWN: {
        int32_t team = l.i32();
        if (l.fehler) return true;
        if (!Gueltig("Team_Server_Anfrage", team)) {
            l.fehler = true;
            return true;
        }
        if (!Club_Ist_Eigenes(team, client_team)) {     // a club's private part goes to its own manager only
            Debug_Printf("Team_Server_Anfrage: Team_Own %d fuer Client-Team %d verweigert\n", team, client_team);
            pk.block_mit_laenge(nullptr, 0);
            return true;
        }
        pk.block_mit_laenge(&g.own[team], sizeof(TeamOwn));
        return true;
    }
    case ANFRAGE_MARKT_LISTE: {
        std::vector<uint8_t> block;
        ClubPacker bp{block};
        for (int32_t p : g.markt_liste) bp.i32(p);
        pk.block_mit_laenge(block.data(), block.size());
        return true;
    }
    case ANFRAGE_STARTTEAMS:
        pk.block_mit_laenge(g.startteams.data(), g.startteams.size() * sizeof(StartTeam));
        return true;
    case ANFRAGE_STARTTEAMS_ABGLEICH: {
        const uint32_t stand = uint32_t(l.i32());
        if (l.fehler) return true;
        const auto* b = reinterpret_cast<const uint8_t*>(g.startteams.data());
        std::vector<uint8_t> inhalt;
        startteams_fassungen().Antworten({b, b + g.startteams.size() * sizeof(StartTeam)}, stand, inhalt);
        pk.block_mit_laenge(inhalt.data(), inhalt.size());
        return true;
    }
    default: return false;
    }
}

}  // namespace velmora
