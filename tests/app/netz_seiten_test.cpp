// The match report of a game between two human managers over loopback: the
// server's process plays one club itself and the other is taken by this
// process as a client. The two clubs meet on their league's first matchday;
// the match is played with its match record, so it gets its report. Each
// manager gets his goals, statistics and finance pages with the same result,
// the finance page of each club only on its own machine. A client with the
// match modules plays its club's matches live in lock-step with the server:
// against the server's club on matchday 1, against a computer club on
// matchday 2, each ending on the server's result.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <ostream>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "app/sim_lauf.h"
#include "app/verdrahtung.h"
#include "business/news.h"
#include "business/news_anfrage.h"
#include "club/manager.h"
#include "club/spieler.h"
#include "club/team.h"
#include "core/debug.h"
#include "core/dirs.h"
#include "core/pruefsumme.h"
#include "core/hooks.h"
#include "core/optionen.h"
#include "core/prioritaeten.h"
#include "core/spielstand.h"
#include "match/record/spielfeld.h"
#include "match/record/spielfeld_anzeige.h"
#include "match/record/spielfeld_satz.h"
#include "match/day/spieltag.h"
#include "match/day/spieltag_netz.h"
#include "match/record/spielfeld_sync.h"
#include "matchview/ankuendigung.h"
#include "net/internet.h"
#include "net/min_signal.h"
#include "net/net.h"
#include "platform/clock.h"
#include "screens/einwechseln.h"
#include "screens/regler.h"
#include "screens/spielstart_wahl.h"
#include "season/kalender.h"
#include "season/rangliste.h"
#include "season/spiele.h"
#include "season/spielplan.h"
#include "season/spielstart.h"
#include "season/statistik.h"
#include "season/wettbewerb.h"
#include "tests/core/temp_verz.h"
#include "tests/support/netz_server.h"

namespace velmora {
namespace {

// A report page's entry as a machine took it for showing.
struct Seite {
    int32_t art = -1, heim = -1, gast = -1, tore_heim = -1, tore_gast = -1, spiel_heim = -1, spiel_gast = -1;
    bool operator<(const Seite& o) const {
        return std::tie(art, heim, gast, tore_heim, tore_gast, spiel_heim, spiel_gast) <
               std::tie(o.art, o.heim, o.gast, o.tore_heim, o.tore_gast, o.spiel_heim, o.spiel_gast);
    }
    bool operator==(const Seite& o) const { return !(*this < o) && !(o < *this); }
};

void PrintTo(const Seite& s, std::ostream* os) {
    *os << "{kind " << s.art << ", " << s.heim << " v " << s.gast << ", " << s.tore_heim << ":" << s.tore_gast
        << " of " << s.spiel_heim << " v " << s.spiel_gast << "}";
}

constexpr int32_t SEITEN_MAX = 16;

// Safety bounds only: a test waits for the state it needs (the server's day,
// a match's minute, a page taken) and fails instead of hanging when nothing
// moves any more. A live day is computed by both processes as fast as their
// CPU share allows, and a loaded machine stretches that many times over, so
// the bounds are minutes: a day is judged by whether it moves, not by how
// long it takes. A day that moves yet never ends (records fetched back and
// forth) is stopped at the outer limit; the server's process ends itself
// after its own, longer one (it ends at once when the test closes its pipe).
constexpr uint32_t STILLSTAND_MS = 180000;
constexpr uint32_t TAG_GRENZE_MS = 600000;
constexpr uint32_t SERVER_GRENZE_MS = 3600000;

// A game of the two clubs as one machine has it: the server's club against
// the client's on matchday 1 (0), each against a computer club on matchday 2
// (1 the server's, 2 the client's).
constexpr int32_t SPIELE = 3;
// The client's side in the two clubs' game as one machine ran it, per game
// minute: slider 3 of its tactics, its first pending substitute and the
// slots on the pitch.
constexpr int32_t MINUTEN = 140;
struct Minuten {
    int8_t taktik[MINUTEN] = {};
    int8_t ein[MINUTEN] = {};
    uint64_t platz[MINUTEN] = {};
    bool gesehen[MINUTEN] = {};   // a minute the record jumped over (a fetch, a slow pass) stays unseen
    int32_t letzte = -1;
};
struct Partie {
    int32_t heim = -1, gast = -1, tore_heim = -1, tore_gast = -1;
    int32_t live = 0;   // a record of it was computed live on this machine
};

struct Bericht {
    int32_t tag = -1, modus = -1;
    int32_t eigen = -1, fern = -1;           // the server's club, the client's club
    int32_t heim = -1, gast = -1;            // their game on matchday 1
    int32_t tore_heim = -1, tore_gast = -1;  // its result once played
    int32_t mit_spielfeld = 0;               // games played with a match record
    int32_t fern_status = 0;
    int32_t puffer_leer = 1;
    int32_t spielfelder = 0, minute = -1;    // the match records computed now, the first one's minute
    int32_t gezeigt = 0, verworfen = 0;      // report pages of the game taken / dropped here
    Seite seite[SEITEN_MAX];
    Seite weg[SEITEN_MAX];
    Partie partie[SPIELE];
    int32_t wettbewerb = -1, paarungen[SPIELE] = {};
    int32_t liga_runde = -1;            // the league's round being played
    uint32_t wettbewerbe = 0;           // CRC-32 of every competition's record
    RanglisteSatz rang{};               // the client's club's ranking record
    int32_t schuetze = -1, schuetze_tore = 0, schuetze_vorlagen = 0;   // the season's top scorer
    char beste[2][STATISTIK_ZEILE] = {};   // the client's club's best by appearances and goals
    Minuten minuten;
};

// The season's tallies as the pages read them: the client's club's ranking
// record, the top scorer's goals and assists, its "Die Besten" first lines.
void Tallies_Lesen(Bericht& b) {
    Rangliste_Team(b.fern, &b.rang);
    for (int32_t p = 0; p < Spieler_Anzahl(); ++p) {
        const int32_t tore = Spieler_Get_Spieler_Statistik(STATISTIK_TORE, p, 0);
        if (tore <= b.schuetze_tore) continue;
        b.schuetze = p;
        b.schuetze_tore = tore;
        b.schuetze_vorlagen = Spieler_Get_Spieler_Statistik(STATISTIK_VORLAGEN, p, 0);
    }
    for (int32_t art = 0; art < 2; ++art) Statistik_Tabelle_Erstellen(-1, b.fern, -1, art, 0, &b.beste[art], 1);
}

struct ServerZustand {
    int32_t eigen = -1, fern = -1, wettbewerb = -1;
    int32_t runde[SPIELE] = {1, 2, 2}, paarungen[SPIELE] = {0, -1, -1};
    int32_t live[SPIELE] = {};
    Minuten minuten;
    Bericht bericht;
} g_server;

// Game i as this machine's store has it.
Partie Partie_Lesen(int32_t i) {
    Partie p;
    if (g_server.wettbewerb < 0 || g_server.paarungen[i] < 0) return p;
    const Spiel_Lock s = Spiele_Lock(g_server.wettbewerb, g_server.runde[i], g_server.paarungen[i], 0);
    if (const SpielDatensatz* sp = s ? Spiele_Get_Spiel(s, 0) : nullptr) {
        p.heim = sp->heim;
        p.gast = sp->gast;
        p.tore_heim = sp->tore_heim;
        p.tore_gast = sp->tore_gast;
    }
    if (s) Spiele_Unlock(s);
    p.live = g_server.live[i];
    return p;
}

void Minute_Merken(const Spielfeld_Satz& s) {
    const int32_t seite = Spielfeld_Seite_Von_Team(&s, g_server.fern), m = s.minute;
    if (seite < 0 || m < 0 || m >= MINUTEN) return;
    Minuten& z = g_server.minuten;
    z.gesehen[m] = true;
    z.taktik[m] = s.taktik[seite][2];
    z.ein[m] = s.wechsel_ein[seite][0];
    z.platz[m] = 0;
    for (int32_t k = 0; k < SF_SPIELER; ++k)
        if (s.spieler[k].zustand & SM_AUF_PLATZ) z.platz[m] |= uint64_t(1) << k;
    z.letzte = std::max(z.letzte, m);
}

// Marks the games whose records this machine computes live now.
void Live_Merken() {
    if (g_server.wettbewerb < 0 || Spielfeld_Anzahl() <= 0) return;
    for (Spielfeld_Satz* s = Spielfeld_Naechster(nullptr); s; s = Spielfeld_Naechster(s)) {
        const SpielDatensatz* sp = s->live == 1 ? Spiele_Get_Spiel(int32_t(s->spiel), 0) : nullptr;
        for (int32_t i = 0; sp && i < SPIELE; ++i)
            if (sp->wettbewerb == g_server.wettbewerb && sp->runde == g_server.runde[i] &&
                sp->paarung == g_server.paarungen[i]) {
                g_server.live[i] = 1;
                if (i == 0) Minute_Merken(*s);
            }
    }
}

// The two clubs of the first pairing of the first club's league on matchday 1.
int32_t Clubs_Waehlen() {
    for (int32_t t = 0; t < Team_Anzahl(); ++t) {
        if (t == Team_Markt() || !Team_Ist_Normal(t, 0)) continue;
        const int32_t w = Team_Get_Liga(t, 1);
        int32_t paare[2 * WETTBEWERB_TEAMS_MAX];
        if (w < 0 || Wettbewerb_Get_Spieltag_Paarungen(w, 1, paare) < 1) continue;
        g_server.wettbewerb = w;
        g_server.eigen = paare[0];
        g_server.fern = paare[1];
        // Matchday 2: each of the two against another club.
        const int32_t n = Wettbewerb_Get_Spieltag_Paarungen(w, 2, paare);
        for (int32_t k = 0; k < n; ++k)
            for (int32_t i = 1; i < SPIELE; ++i)
                if (paare[2 * k] == (i == 1 ? g_server.eigen : g_server.fern) ||
                    paare[2 * k + 1] == (i == 1 ? g_server.eigen : g_server.fern))
                    g_server.paarungen[i] = k;
        return g_server.eigen;
    }
    return -1;
}

// The new game: a human manager on each of the two clubs.
bool Zwei_Manager() {
    Spielstart_Wahl_Zuruecksetzen();
    const char* namen[2] = {"Hier", "Dort"};
    const int32_t teams[2] = {g_server.eigen, g_server.fern};
    for (int32_t i = 0; i < 2; ++i) {
        SpielstartWahl* w = Spielstart_Wahl(i);
        std::memset(w->name, 0, sizeof w->name);
        std::strncpy(w->name, namen[i], sizeof w->name - 1);
        w->team = teams[i];
        w->nation = Team_Wert(TW_NATION, teams[i], 0, OP_LESEN);
        w->wettbewerb = Team_Wert(TW_WETTBEWERB, teams[i], 0, OP_LESEN);
        w->portrait = i;
    }
    Spielstart_Anzahl_Setzen(2);
    Spielstart_Level_Setzen(2);
    return Spielstart_Starten();
}

bool Dieses_Spiel(const Ankuendigung& a) {
    const std::set<uint32_t> paar = {a.daten.heim, a.daten.gast};
    return a.art >= uint32_t(ANK_TORE) && a.art <= uint32_t(ANK_FINANZEN) &&
           paar == std::set<uint32_t>{uint32_t(g_server.eigen), uint32_t(g_server.fern)};
}

Seite Als_Seite(const Ankuendigung& a) {
    return Seite{int32_t(a.art),          int32_t(a.heim),         int32_t(a.gast),        a.daten.tore_heim,
                 a.daten.tore_gast,       int32_t(a.daten.heim),   int32_t(a.daten.gast)};
}

// The calendar's page driver, watched: each report entry of the two clubs'
// game that leaves the buffer was either taken for showing (it became the
// page's record) or dropped as another machine's.
int32_t Treiber_Mitschreiben(uint32_t jetzt) {
    Ankuendigung vorher[ANKUENDIGUNG_PUFFER];
    std::memcpy(vorher, Ankuendigung_Puffer(), sizeof vorher);
    const int32_t r = Ankuendigung_Treiber(jetzt);
    const Ankuendigung* nachher = Ankuendigung_Puffer();
    Bericht& b = g_server.bericht;
    for (int32_t i = 0; i < ANKUENDIGUNG_PUFFER; ++i) {
        if (vorher[i].schluessel == 0 || std::memcmp(&vorher[i], &nachher[i], sizeof vorher[i]) == 0) continue;
        if (!Dieses_Spiel(vorher[i])) continue;
        const bool gezeigt = std::memcmp(&Ankuendigung_Staging(), &vorher[i], sizeof vorher[i]) == 0;
        int32_t& n = gezeigt ? b.gezeigt : b.verworfen;
        if (n < SEITEN_MAX) (gezeigt ? b.seite : b.weg)[n] = Als_Seite(vorher[i]);
        ++n;
    }
    return r;
}

Bericht Berichten() {
    Bericht b = g_server.bericht;
    b.tag = Tag_Index();
    b.modus = Kalender_Get_Runmodus();
    b.eigen = g_server.eigen;
    b.fern = g_server.fern;
    b.mit_spielfeld = int32_t(Spieltag_Statistik().mit_spielfeld);
    b.puffer_leer = Ankuendigung_Buffer_Leer() ? 1 : 0;
    b.spielfelder = Spielfeld_Anzahl();
    if (b.spielfelder > 0) b.minute = Spielfeld_Naechster(nullptr)->minute;
    if (b.fern >= 0) b.fern_status = Team_Wert(TW_STATUS, b.fern, 0, OP_LESEN);
    const Partie erste = Partie_Lesen(0);
    b.heim = erste.heim;
    b.gast = erste.gast;
    b.tore_heim = erste.tore_heim;
    b.tore_gast = erste.tore_gast;
    b.minuten = g_server.minuten;
    b.wettbewerb = g_server.wettbewerb;
    if (const WettbewerbSatz* w = Wettbewerb_Satz(b.wettbewerb)) b.liga_runde = w->aktuelle_runde;
    std::vector<uint8_t> saetze;
    Wettbewerb_Save(saetze);
    b.wettbewerbe = Pruefsumme_Crc32(0, saetze.data(), saetze.size());
    Tallies_Lesen(b);
    for (int32_t i = 0; i < SPIELE; ++i) {
        b.partie[i] = Partie_Lesen(i);
        b.paarungen[i] = g_server.paarungen[i];
    }
    return b;
}

// Both managers see their match report only: the results and table windows
// of the matchday (options 11 and 12) wait for a click nobody gives here.
void Nur_Der_Bericht() {
    Optionen(11, 1, 0);
    Optionen(12, 1, 0);
}

// How the server's process plays the matches. ECHT: its own club's match
// is computed at the pace of a shown one, frames with a pause. SCHNELL: every
// match is computed flat out (FAST), the match day's frames without a pause,
// the others with it. SCHNELL_LIVE: FAST
// too, the server's own match watched live, and the loop takes its frames
// without a pause (for the client's live matches in lock-step).
enum class Tempo { ECHT, SCHNELL, SCHNELL_LIVE };

bool Spieltag_Laeuft() { return Kalender_Get_Runmodus() == KALENDER_SPIELTAG; }

void Schnell_Starten() {
    Nur_Der_Bericht();
    Spielfeld_Set_Fast(1);
}

void Schnell_Live_Starten() {
    Schnell_Starten();
    Optionen(OPTION_LIVE_ANSEHEN, 1, 1);
}

// The server: the game without a screen plus its pages; its own manager ends
// each turn at once, but only once the client has taken the other club.
void Server_Laufen(int port_fd, int befehl_fd, int bericht_fd, Tempo tempo) {
    test::NetzServerStart start;
    start.eigenes_team = Clubs_Waehlen;
    start.spiel = Zwei_Manager;
    start.mehr = {"Seiten"};
    start.nach_start = tempo == Tempo::ECHT      ? Nur_Der_Bericht
                       : tempo == Tempo::SCHNELL ? Schnell_Starten
                                                 : Schnell_Live_Starten;
    test::Netz_Server_Starten(port_fd, start);
    Kalender_Hooks().spieltag_frame = [] {
        const bool weiter = Spieltag_Frame();
        Live_Merken();
        return weiter;
    };
    Kalender_Hooks().ankuendigung_treiber = Treiber_Mitschreiben;
    Kalender_Hooks().menue_frame.Anmelden(prio::MENUE_BILDSCHIRM, [] {
        const bool genommen = g_server.fern >= 0 &&
                              (uint32_t(Team_Wert(TW_STATUS, g_server.fern, 0, OP_LESEN)) & TEAM_STATUS_CLIENT);
        if (genommen && Kalender_Aktives_Team() == g_server.eigen) K_NEUER_TAG(K_FERTIG, 0);
    }, "Zugende");
    test::Netz_Server_Schleife(befehl_fd, bericht_fd, [](char, int fd) {
        const Bericht b = Berichten();
        if (write(fd, &b, sizeof b) != sizeof b) _exit(13);
    }, SERVER_GRENZE_MS, tempo == Tempo::SCHNELL_LIVE ? 0 : 1, tempo == Tempo::SCHNELL ? Spieltag_Laeuft : nullptr);
}

void Server_Prozess(int port_fd, int befehl_fd, int bericht_fd) {
    Server_Laufen(port_fd, befehl_fd, bericht_fd, Tempo::ECHT);
}
void Server_Schnell_Prozess(int port_fd, int befehl_fd, int bericht_fd) {
    Server_Laufen(port_fd, befehl_fd, bericht_fd, Tempo::SCHNELL);
}
void Server_Live_Prozess(int port_fd, int befehl_fd, int bericht_fd) {
    Server_Laufen(port_fd, befehl_fd, bericht_fd, Tempo::SCHNELL_LIVE);
}

struct Server : test::NetzProzess {
    bool getoetet = false;   // killed by the test: its end is not checked
    explicit Server(void (*prozess)(int, int, int) = Server_Prozess) : NetzProzess(prozess) {}
    ~Server() {
        const int status = Beenden();
        if (!getoetet) { EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "server status " << status; }
    }
    Bericht Fragen() {
        Bericht b;
        if (!NetzProzess::Fragen('B', &b, sizeof b)) b.tag = -99;
        return b;
    }
    // Asks until `fertig` holds: false once the server's report has stood
    // still for STILLSTAND_MS (its day, run mode, games, pages and the
    // minute of a match it computes) or after TAG_GRENZE_MS, both bounds
    // against a hang only. Each question is answered between two of the
    // server's frames; the short pause keeps the questions from taking the
    // server's time.
    template <class F>
    bool Warten(F fertig, Bericht* b) {
        const uint32_t beginn = Plat_Ms();
        uint32_t bewegt = beginn;
        Bericht vorher = *b;
        while (Plat_Ms() - bewegt < STILLSTAND_MS && Plat_Ms() - beginn < TAG_GRENZE_MS) {
            *b = Fragen();
            if (b->tag == -99) return false;   // the server's process is gone
            if (fertig(*b)) return true;
            if (Stand(*b) != Stand(vorher)) bewegt = Plat_Ms();
            vorher = *b;
            Plat_Sleep_Ms(5);
        }
        return false;
    }
    // What moves while the server works: its day, run mode, the games' results,
    // the report pages it took and the match it computes.
    static std::tuple<int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t> Stand(
        const Bericht& b) {
        return {b.tag,      b.modus,     b.partie[0].tore_heim, b.partie[1].tore_heim, b.partie[2].tore_heim,
                b.gezeigt,  b.verworfen, b.puffer_leer,         b.spielfelder,         b.minute};
    }
};

// A generated world and the server's process on it.
struct ServerWelt {
    velmora_test::TestWelt dirs;
    std::unique_ptr<Server> server;
    bool Starten(void (*prozess)(int, int, int)) {
        if (!dirs.ok || !Sim_Welt_Erzeugen(dirs.install, true, 4)) return false;
        g_server = ServerZustand{};   // the forked server starts from it
        server = std::make_unique<Server>(prozess);
        return server->port > 0;
    }
};

// This process: a client with `module`, its world built as the start screen
// builds it, joined to the server and playing the club the server left it.
void Beitreten(Server& server, std::vector<std::string> module, Bericht* b) {
    VerdrahtungOptionen o;
    o.nur = std::move(module);
    std::string fehler;
    ASSERT_TRUE(Spiel_Verdrahten(o, &fehler)) << fehler;
    Net_Init();
    ASSERT_TRUE(server.Warten([](const Bericht& x) { return x.modus == KALENDER_MENUE && x.fern >= 0; }, b));
    g_server.eigen = b->eigen;
    g_server.fern = b->fern;
    g_server.wettbewerb = b->wettbewerb;
    std::memcpy(g_server.paarungen, b->paarungen, sizeof g_server.paarungen);
    ASSERT_NE(b->eigen, b->fern);
    ASSERT_TRUE(b->heim == b->eigen || b->gast == b->eigen);
    ASSERT_TRUE(b->heim == b->fern || b->gast == b->fern);
    ASSERT_TRUE(Spielstart_Welt_Aufbauen());
    uint32_t a[4] = {127, 0, 0, 1};
    Net_Server_Adresse_Setzen(a);
    Net_Port_Setzen(server.port);
    // Both processes may compute flat out on a loaded machine: an answer may
    // take long without anything being wrong, and a server that is gone
    // shows at once as a closed connection.
    Net_Zeiten_Wert().antwort_ms = STILLSTAND_MS;
    Netzwerk_Modus_Setzen(1);
    ASSERT_TRUE(Spielstart_Client_Beitreten());
    SpielstartWahl* w = Spielstart_Wahl(0);
    std::strncpy(w->name, "Dort", sizeof w->name - 1);
    w->team = b->fern;
    ASSERT_TRUE(Spielstart_Client_Starten());
    ASSERT_TRUE(News_Ist_Offen() || News_Datei_Oeffnen());
    Nur_Der_Bericht();
}

// What each machine shows of the two clubs' game on matchday 1: the goals and
// statistics pages and its own club's finance page, every one with the
// server's result; the client takes its pages from its news.
void Seiten_Pruefen(Server& server, Bericht b) {
    const int32_t eigen = b.eigen, fern = b.fern;
    ASSERT_TRUE(server.Warten([](const Bericht& x) { return x.puffer_leer != 0; }, &b));
    // Only a game played with its match record has a report (kinds 2-4) at all.
    EXPECT_GE(b.mit_spielfeld, 1) << "played with its match record";
    const int32_t tore_heim = b.tore_heim, tore_gast = b.tore_gast;
    auto erwartet = [&](int32_t team) {
        std::multiset<Seite> s;
        const int32_t anderer = team == eigen ? fern : eigen;
        for (int32_t art : {ANK_TORE, ANK_STATISTIK})
            s.insert({art, b.heim, b.gast, tore_heim, tore_gast, b.heim, b.gast});
        s.insert({ANK_FINANZEN, team, anderer, tore_heim, tore_gast, b.heim, b.gast});
        return s;
    };
    const std::multiset<Seite> server_seiten(b.seite, b.seite + std::min(b.gezeigt, SEITEN_MAX));
    EXPECT_EQ(b.gezeigt, 3);
    EXPECT_EQ(server_seiten, erwartet(eigen)) << "the server's manager's pages";
    ASSERT_EQ(b.verworfen, 1) << "the client's finance page stays off the server's screen";
    EXPECT_EQ(b.weg[0], (Seite{ANK_FINANZEN, fern, eigen, tore_heim, tore_gast, b.heim, b.gast}));

    // The client fetches its news: the report items go into its own buffer,
    // from which it takes its pages.
    EXPECT_TRUE(Ankuendigung_Buffer_Leer());
    // As the menu's frames do: one item a call until none is left.
    int32_t aufrufe = 0;
    while (News_Anfragen_Pruefen(fern) && aufrufe < 500) ++aufrufe;
    EXPECT_LT(aufrufe, 500);
    std::multiset<Seite> client_seiten;   // a page taken twice shows as such
    int32_t genommen = 0;
    while (Ankuendigung_Aus_Buffer() || !Ankuendigung_Buffer_Leer()) {
        const Ankuendigung& s = Ankuendigung_Staging();
        if (Dieses_Spiel(s)) client_seiten.insert(Als_Seite(s));
        ASSERT_LT(++genommen, 40) << "the buffer never empties";
    }
    EXPECT_EQ(client_seiten, erwartet(fern)) << "the client's manager's pages";
}

// The main screen's frames on the client: whether its club plays today and
// whom it meets, as the header and "Weiter" ask every frame. The log lines
// that say the match-day table does not stand are counted.
int32_t Tafel_Ungestellt(int32_t team) {
    static int32_t ungestellt;
    ungestellt = 0;
    Debug_Faenger_Setzen([](uint32_t, const char* text) {
        if (std::strstr(text, "nicht initialisiert")) ++ungestellt;
    });
    for (int32_t frame = 0; frame < 3; ++frame) {
        Spieltag_Team_Hat_Spiel(team);
        int32_t seite = 0;
        Spieltag_Spiel_Info(team, &seite, nullptr, nullptr, nullptr);
    }
    Debug_Faenger_Setzen(nullptr);
    return ungestellt;
}

void Client_Beenden() {
    Net_Kontext_Setzen(nullptr);
    Internet_Netzwerk_Stop();
    Netzwerk_Modus_Setzen(0);
    Spiel_Entdrahten();
}

// The client's days until `fertig` holds for the server's report. A live
// client ends each day as its "Weiter" does and then runs the frames its
// calendar runs while it waits: its club's match of the day is fetched and
// played here in lock-step with the server; the client takes the server's
// result. Otherwise it only reports (its club's match is diced on the
// server). The days on which it played live are counted in `gespielt`.
template <class F>
void Tage_Spielen(Server& server, Bericht* b, bool live, F fertig, int32_t* gespielt,
                  void (*eingeben)(Spielfeld_Satz* satz) = nullptr) {
    const int32_t tag0 = b->tag;
    int32_t tag = tag0;
    while (!fertig(*b) && tag < tag0 + 400) {
        if (!live) {
            ASSERT_TRUE(Spieltag_Client_Melden()) << "day " << tag;
            ASSERT_TRUE(server.Warten([tag](const Bericht& x) { return x.tag > tag && x.modus == KALENDER_MENUE; }, b))
                << "day " << tag << ", server's run mode " << b->modus << ", at day " << b->tag;
            tag = b->tag;
            continue;
        }
        ASSERT_TRUE(Spieltag_Client_Tag_Beenden()) << "day " << tag;
        const uint32_t beginn = Plat_Ms();
        uint32_t gefragt = 0, bewegt = beginn;
        bool lief = false;
        // The day's progress on this machine: the phase and the record's minute.
        std::tuple<int32_t, int32_t, int32_t> stand{-1, -1, -1};
        for (;;) {
            Net_Pump();
            Net_Client_Bedienen();
            Spieltag_Client_Frame();
            Net_Pump();
            Live_Merken();
            if (eingeben && Spieltag_Client_Spiel() == ClientSpiel::LAEUFT && Spielfeld_Anzahl() > 0)
                eingeben(Spielfeld_Naechster(nullptr));
            const ClientSpiel phase = Spieltag_Client_Spiel();
            lief |= phase == ClientSpiel::LAEUFT;
            ASSERT_FALSE(Spieltag_Client_Ohne_Antwort()) << "day " << tag;
            const Spielfeld_Satz* satz = Spielfeld_Anzahl() > 0 ? Spielfeld_Naechster(nullptr) : nullptr;
            const std::tuple<int32_t, int32_t, int32_t> jetzt{int32_t(phase), satz ? satz->minute : -1,
                                                              satz ? int32_t(satz->abschnitt) : -1};
            if (jetzt != stand) {
                stand = jetzt;
                bewegt = Plat_Ms();
            }
            ASSERT_LT(Plat_Ms() - bewegt, STILLSTAND_MS)
                << "day " << tag << " stands still in phase " << int32_t(phase) << ", minute " << std::get<1>(stand);
            ASSERT_LT(Plat_Ms() - beginn, TAG_GRENZE_MS) << "day " << tag << " in phase " << int32_t(phase);
            if (phase == ClientSpiel::LAEUFT) continue;
            if (phase != ClientSpiel::ERGEBNIS && Plat_Ms() - gefragt > 20) {
                gefragt = Plat_Ms();
                const Bericht vorher = *b;
                *b = server.Fragen();
                if (b->tag > tag && b->modus == KALENDER_MENUE) break;
                // The server's day going on is progress too.
                if (Server::Stand(*b) != Server::Stand(vorher)) bewegt = Plat_Ms();
            }
            Plat_Sleep_Ms(1);
        }
        if (lief) {
            ++*gespielt;
            EXPECT_EQ(Spieltag_Client_Spiel(), ClientSpiel::FERTIG) << "the server's result taken on day " << tag;
        }
        tag = b->tag;
    }
    ASSERT_TRUE(fertig(*b)) << "the games were not played";
}

// Game i live on both machines, the client holding the server's result.
void Live_Gleich(const Bericht& b, int32_t i) {
    const Partie hier = Partie_Lesen(i);
    EXPECT_EQ(hier.live, 1) << "game " << i << " live on the client";
    EXPECT_EQ(b.partie[i].live, 1) << "game " << i << " live on the server";
    EXPECT_GE(b.partie[i].tore_heim, 0);
    EXPECT_EQ(std::tie(hier.heim, hier.gast, hier.tore_heim, hier.tore_gast),
              std::tie(b.partie[i].heim, b.partie[i].gast, b.partie[i].tore_heim, b.partie[i].tore_gast))
        << "game " << i << ": the client holds the server's result";
}

// This process a client with `module`, joined to a server of its own (run by
// `prozess`); the client ends with the test.
class NetzClient : public ::testing::Test {
protected:
    ServerWelt w;
    Server* server = nullptr;
    Bericht b;
    void Verbinden(void (*prozess)(int, int, int), std::vector<std::string> module) {
        ASSERT_TRUE(w.Starten(prozess));
        server = w.server.get();
        ASSERT_NO_FATAL_FAILURE(Beitreten(*server, std::move(module), &b));
    }
    void TearDown() override { Client_Beenden(); }
};

// A client with the pages' modules, without the match.
class NetzSeiten : public NetzClient {
protected:
    void SetUp() override { Verbinden(Server_Prozess, {"Netz", "Club", "Saison", "News", "Stadion", "Bank", "Seiten"}); }
};

// The same client, its server computing every match flat out: a season of
// days in seconds rather than minutes.
class NetzSaison : public NetzClient {
protected:
    void SetUp() override {
        Verbinden(Server_Schnell_Prozess, {"Netz", "Club", "Saison", "News", "Stadion", "Bank", "Seiten"});
    }
};

TEST_F(NetzSeiten, AHumanVersusHumanMatchGivesEachManagerHisReportOnHisOwnMachine) {
    EXPECT_EQ(Tafel_Ungestellt(b.fern), 0) << "the joined client's match-day table";

    // Day by day this manager ends his day; the server's ends at once. Until
    // the two clubs' game is played and the server's pages are through.
    int32_t gespielt = 0;
    ASSERT_NO_FATAL_FAILURE(
        Tage_Spielen(*server, &b, false, [](const Bericht& x) { return x.tore_heim >= 0; }, &gespielt));
    // A client that only reports its days has its club's match diced at the server.
    EXPECT_EQ(b.partie[0].live, 0);
    ASSERT_NO_FATAL_FAILURE(Seiten_Pruefen(*server, b));
    EXPECT_EQ(Tafel_Ungestellt(b.fern), 0) << "the match-day table after the client's days";
}

// The games of `team` played in the fixtures store (this season's).
int32_t Gespielt(int32_t team) {
    int32_t n = 0;
    for (int32_t i = 0; const SpielDatensatz* s = Spiele_Nummer(i); ++i)
        if ((s->heim == team || s->gast == team) && (s->flags & SPIEL_FLAG_GESPIELT)) ++n;
    return n;
}

// A client reports its days as its "Weiter" does, takes the game's data when
// the server's day moves on and runs its news round, as its turn's first
// frames do. On every day its club played it gets the game's results and
// table pages, on the new season's first matchday too. From the season
// change on the client's buffer is full when its first round runs (pages
// still standing): the day's pages wait in its news for the next round.
TEST_F(NetzSaison, AClientClubGetsItsPagesOnEveryMatchdayAcrossASeasonChange) {
    const int32_t fern = b.fern;
    std::map<int32_t, int32_t> spieltage;   // a day the club played -> its pages the client took
    int32_t gespielt = 0, neue_saison = -1, tage_danach = -1;
    Ankuendigung muster{};   // a page the client took, the pattern of those standing
    for (int32_t n = 0; n < 500 && tage_danach != 0; ++n) {
        const int32_t tag = b.tag;
        ASSERT_TRUE(Spieltag_Client_Melden()) << "day " << tag;
        ASSERT_TRUE(server->Warten([tag](const Bericht& x) { return x.tag > tag && x.modus == KALENDER_MENUE; }, &b))
            << "day " << tag;
        Client_Alles_Holen();
        if (neue_saison >= 0) {
            Ankuendigung steht = muster;
            steht.art = uint32_t(ANK_TORE);
            steht.tag = uint32_t(-1);
            while (Ankuendigung_Buffer_Nimmt())
                ASSERT_TRUE(Ankuendigung_Buffer_Empfangen(reinterpret_cast<const uint8_t*>(&steht), sizeof steht));
            for (int32_t aufrufe = 0; News_Anfragen_Pruefen(fern); ++aufrufe) ASSERT_LT(aufrufe, 500);
            for (int32_t genommen = 0; !Ankuendigung_Buffer_Leer(); ++genommen) {
                ASSERT_LT(genommen, 40) << "the standing pages never go";
                Ankuendigung_Aus_Buffer();
            }
        }
        for (int32_t aufrufe = 0; News_Anfragen_Pruefen(fern); ++aufrufe) ASSERT_LT(aufrufe, 500);
        for (int32_t genommen = 0; Ankuendigung_Aus_Buffer() || !Ankuendigung_Buffer_Leer(); ++genommen) {
            ASSERT_LT(genommen, 40) << "the buffer never empties";
            const Ankuendigung& s = Ankuendigung_Staging();
            const bool club = int32_t(s.heim) == fern || int32_t(s.gast) == fern;
            if (club && (s.art == uint32_t(ANK_ERGEBNISSE) || s.art == uint32_t(ANK_TABELLE)))
                ++spieltage[int32_t(s.tag)];
            if (club && !muster.schluessel) muster = s;
        }
        // The store of a new season starts without games.
        const int32_t jetzt = Gespielt(fern);
        if (jetzt < gespielt) neue_saison = tag;
        if (jetzt > gespielt) {
            spieltage[tag] += 0;
            if (neue_saison >= 0 && tage_danach < 0) tage_danach = 3;
        }
        gespielt = jetzt;
        if (tage_danach > 0) --tage_danach;
    }
    ASSERT_GE(neue_saison, 0) << "no season change";
    ASSERT_EQ(tage_danach, 0) << "the club's first game of the new season was not played";
    int32_t danach = 0;
    for (const auto& [tag, seiten] : spieltage) {
        EXPECT_EQ(seiten, 2) << "the results and table pages of the club's game on day " << tag;
        danach += tag > neue_saison;
    }
    EXPECT_GE(danach, 1);
}

// A client with the match modules, joined to the server that plays live.
class NetzLive : public NetzClient {
protected:
    int32_t gespielt = 0;
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(Verbinden(
            Server_Live_Prozess, {"Netz", "Club", "Saison", "Spielfeld", "Spieltag", "News", "Stadion", "Bank", "Seiten"}));
        ASSERT_GE(b.partie[2].heim, 0) << "the client's club plays on matchday 2";
        Spielfeld_Set_Fast(1);
    }
};

// Matchday 1: the client's club against the server's, live on both machines
// with the server's result; each manager's pages as without the live match.
// In minute 10 the client's manager raises slider 3 of his tactics and pairs
// a substitute with a player on the pitch, as the two panels do.
struct Eingabe {
    int32_t minute = -1, taktik = -1, rein = -1, raus = -1;
} g_eingabe;

void Eingeben(Spielfeld_Satz* s) {
    if (!s || g_eingabe.minute >= 0 || s->minute < 10) return;
    const int32_t seite = Spielfeld_Seite_Von_Team(s, g_server.fern);
    if (seite < 0) return;
    ReglerStand regler;
    const int32_t vorher = s->e_taktik[seite][2];
    // Slider 3's plus (a slider at the top takes its minus).
    const int32_t knopf = ICON_REGLER_MINUS + 2 * 3 + (vorher >= 100 ? 0 : 1);
    ASSERT_TRUE(Regler_Klick(s, seite, knopf, Plat_Ms(), &regler));
    EinwechselnStand st;
    st.team = g_server.fern;
    Einwechseln_Fuellen(*s, &st, 0, 0);
    ASSERT_EQ(st.seite, seite);
    const uint32_t uhr = Plat_Ms();
    Einwechseln_Zeile_Klick(s, &st, 1, uhr, nullptr);
    Einwechseln_Zeile_Klick(s, &st, SPL_FELD, uhr, nullptr);
    ASSERT_GE(s->e_wechsel_ein[seite][0], 0) << "the pair is entered";
    g_eingabe = {s->minute, s->e_taktik[seite][2], s->e_wechsel_ein[seite][0], s->e_wechsel_aus[seite][0]};
    EXPECT_NE(g_eingabe.taktik, vorher);
}

TEST_F(NetzLive, TheTwoHumanClubsMatchIsLiveOnBothMachinesWithTheServersResult) {
    g_eingabe = Eingabe{};
    ASSERT_NO_FATAL_FAILURE(Tage_Spielen(
        *server, &b, true, [](const Bericht& x) { return x.partie[0].tore_heim >= 0; }, &gespielt, Eingeben));
    EXPECT_EQ(gespielt, 1);
    Live_Gleich(b, 0);

    // The client's tactic change and substitution reach the server: they act
    // four minutes after they enter the ring at the next minute change (a
    // record fetched meanwhile moves that change on to the server's minute),
    // and at the minute after both records have them.
    ASSERT_GE(g_eingabe.minute, 10) << "the manager's input was made";
    const Minuten &hier = g_server.minuten, &dort = b.minuten;
    const int32_t letzte = std::min(hier.letzte, dort.letzte);
    int32_t ab = g_eingabe.minute;
    while (ab < letzte && hier.taktik[ab] != g_eingabe.taktik) ++ab;
    EXPECT_GE(ab, g_eingabe.minute + SYNC_VORLAUF) << "not before it acts";
    int32_t m = ab + 1;   // the next minute both machines saw
    while (m < letzte && !(hier.gesehen[m] && dort.gesehen[m])) ++m;
    ASSERT_LT(m, letzte);
    EXPECT_NE(dort.taktik[g_eingabe.minute], g_eingabe.taktik) << "not on the server before it acts";
    EXPECT_EQ(hier.taktik[m], g_eingabe.taktik);
    EXPECT_EQ(dort.taktik[m], g_eingabe.taktik) << "the server's record agrees at the next minute";
    bool paar = false;
    for (int32_t k = ab - 1; k <= m; ++k)
        paar |= dort.ein[k] == g_eingabe.rein || (dort.platz[k] >> g_eingabe.rein & 1);
    EXPECT_TRUE(paar) << "the pair reached the server";
    // Carried out at a later stoppage: the player taken off on the server.
    EXPECT_FALSE(dort.platz[letzte - 3] >> g_eingabe.raus & 1) << "the player taken off";
    ASSERT_NO_FATAL_FAILURE(Seiten_Pruefen(*server, b));
}

// Matchday 2: each human club against a computer club. The client reports
// only until matchday 1 is played (diced), then plays live: its match is
// live on both machines, the server's own watched match live there.
TEST_F(NetzLive, EachHumanClubsMatchAgainstAComputerClubIsLive) {
    ASSERT_NO_FATAL_FAILURE(
        Tage_Spielen(*server, &b, false, [](const Bericht& x) { return x.partie[0].tore_heim >= 0; }, &gespielt));
    EXPECT_EQ(b.partie[0].live, 0) << "a client that only reports has its match diced";
    ASSERT_NO_FATAL_FAILURE(Tage_Spielen(
        *server, &b, true, [](const Bericht& x) { return x.partie[1].tore_heim >= 0 && x.partie[2].tore_heim >= 0; },
        &gespielt));
    EXPECT_EQ(gespielt, 1);
    Live_Gleich(b, 2);
    EXPECT_EQ(b.partie[1].live, 1) << "the server's own watched match against a computer club";

    // Past matchday 2 the competitions' records are the server's on the
    // client too (the league's round, a cup's clubs still in it): the client
    // takes them as its calendar does when the server's day moves on.
    Client_Alles_Holen();
    b = server->Fragen();
    EXPECT_GE(b.liga_runde, 2);
    const WettbewerbSatz* liga = Wettbewerb_Satz(b.wettbewerb);
    ASSERT_NE(liga, nullptr);
    EXPECT_EQ(liga->aktuelle_runde, b.liga_runde);
    std::vector<uint8_t> saetze;
    Wettbewerb_Save(saetze);
    EXPECT_EQ(Pruefsumme_Crc32(0, saetze.data(), saetze.size()), b.wettbewerbe) << "every competition's record";

    // So are the season's tallies the ranking screen and the match-day page
    // read: the club's ranking record (its points, its last matches), the
    // top scorer's goals and assists, the club's best players.
    Bericht hier;
    hier.fern = b.fern;
    Tallies_Lesen(hier);
    ASSERT_GE(b.rang.spiele[1].gegner, 0) << "two matches in the server's record";
    EXPECT_EQ(std::memcmp(&hier.rang, &b.rang, sizeof hier.rang), 0) << "the client's club's ranking record";
    ASSERT_GT(b.schuetze_tore, 0);
    EXPECT_EQ(std::tie(hier.schuetze, hier.schuetze_tore, hier.schuetze_vorlagen),
              std::tie(b.schuetze, b.schuetze_tore, b.schuetze_vorlagen)) << "the top scorer";
    for (int32_t art = 0; art < 2; ++art) EXPECT_STREQ(hier.beste[art], b.beste[art]) << "the club's best, kind " << art;
}

// Every file under `verz` with its bytes.
std::map<std::string, std::string> Dateien(const std::string& verz) {
    std::map<std::string, std::string> d;
    std::error_code f;
    for (const auto& e : std::filesystem::recursive_directory_iterator(verz, f)) {
        if (!e.is_regular_file()) continue;
        std::ifstream in(e.path(), std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        d[e.path().string()] = bytes.str();
    }
    return d;
}

std::string g_meldung;

// The server's process is killed during the client's turn: within the time a
// remote call may wait the client ends network play, says so, lets its game
// go without writing anything and is back at the start screens' wait.
// This process joins the server of `w` and its calendar takes the game up
// to its manager's turn; the messages shown go to g_meldung.
void Bis_Zum_Zug(ServerWelt& w) {
    ASSERT_TRUE(w.Starten(Server_Prozess));
    Kalender_Zuruecksetzen();
    Bericht b;
    ASSERT_NO_FATAL_FAILURE(
        Beitreten(*w.server, {"Netz", "Club", "Saison", "Spielfeld", "Spieltag", "News", "Stadion", "Bank"}, &b));
    g_meldung.clear();
    Core_Hooks().meldung = [](const char* text) { g_meldung = text; };
    for (int32_t i = 0; i < 50 && Kalender_Get_Runmodus() != KALENDER_MENUE; ++i) {
        Net_Pump();
        Kalender_Main();
    }
    ASSERT_EQ(Kalender_Get_Runmodus(), KALENDER_MENUE);
    ASSERT_FALSE(Netz_Client_Verloren_Pruefen()) << "the server is there";
}

// Pumps until the client ends network play; false when it is still on after `ms`.
bool Bis_Verloren(uint32_t ms) {
    const uint32_t beginn = Plat_Ms();
    while (!Netz_Client_Verloren_Pruefen()) {
        if (Plat_Ms() - beginn > ms) return false;
        Net_Pump();
        Plat_Sleep_Ms(5);
    }
    return true;
}

TEST(NetzVerloren, AClientWhoseServerIsKilledIsBackAtTheStartWithAMessageAndNothingWritten) {
    ServerWelt w;
    ASSERT_NO_FATAL_FAILURE(Bis_Zum_Zug(w));
    Server& server = *w.server;
    // A game the manager saved before he joined (a client saves none).
    EXPECT_FALSE(Spielstand_Speichern(2));
    std::filesystem::create_directories(Dirs_Get(DIR_SPIELSTAND));
    std::ofstream(std::string(Dirs_Get(DIR_SPIELSTAND)) + "/game_2.qzv", std::ios::binary) << "frueherer Spielstand";
    const std::string spielstaende = Dirs_Get(DIR_SPIELSTAND);
    const std::map<std::string, std::string> vorher = Dateien(spielstaende), install = Dateien(w.dirs.install);
    ASSERT_EQ(vorher.size(), 1u);

    ASSERT_EQ(kill(server.pid, SIGKILL), 0);
    server.getoetet = true;
    ASSERT_TRUE(Bis_Verloren(Net_Zeiten_Wert().antwort_ms)) << "network play still on";
    EXPECT_EQ(Netzwerk_Modus(), 1) << "still a client, as its start screen shows";
    EXPECT_EQ(Net_Server_Verbindung(), -1);
    EXPECT_EQ(Client_Team(), -1);
    EXPECT_EQ(g_meldung, "Die Verbindung zum Server ist abgebrochen. Das Netzwerkspiel ist beendet.");
    // The start screens' wait follows: no game is in memory any more.
    for (int32_t i = 0; i < 3; ++i) Kalender_Main();
    EXPECT_EQ(Kalender_Get_Runmodus(), KALENDER_WARTEN);
    EXPECT_EQ(Team_Anzahl(), 0);
    EXPECT_FALSE(Netz_Client_Verloren_Pruefen()) << "ended once";
    // The save games and the installation are as they were (the running
    // game's news file is the server's news, fetched again on joining).
    EXPECT_EQ(Dateien(spielstaende), vorher) << "no save game written or lost";
    EXPECT_EQ(Dateien(w.dirs.install), install);
    Core_Hooks().meldung = nullptr;
    Client_Beenden();
    Kalender_Zuruecksetzen();
}

// The client's process does not run (stopped, then continued) for longer
// than the server's silence rule: the server drops it and plays on, and the
// client, running again, says that the server dropped this machine for its
// silence, not that the connection broke off.
TEST(NetzVerloren, AClientThatCouldNotRunPastTheSilenceRuleIsToldTheServerDroppedIt) {
    constexpr uint32_t STILLE_MS = 4000;
    struct Zurueck {
        Net_Zeiten zeiten = Net_Zeiten_Wert();
        ~Zurueck() {
            Net_Zeiten_Wert() = zeiten;
            Core_Hooks().meldung = nullptr;
        }
    } zurueck;
    // The forked server's rule, which the client knows too.
    Net_Zeiten_Wert().client_stille_ms = STILLE_MS;
    ServerWelt w;
    ASSERT_NO_FATAL_FAILURE(Bis_Zum_Zug(w));
    // No frame, no pass over the connection, no request from here: this
    // process stands still past the rule by its own clock, and the server,
    // asked through its pipe, has released the club it dropped.
    const uint32_t still = Plat_Ms();
    Bericht b = w.server->Fragen();
    ASSERT_TRUE(b.fern_status & int32_t(TEAM_STATUS_CLIENT)) << "the club is the client's before";
    ASSERT_TRUE(w.server->Warten([](const Bericht& x) { return !(x.fern_status & int32_t(TEAM_STATUS_CLIENT)); }, &b))
        << "the server did not drop the silent client";
    while (Plat_Ms() - still <= STILLE_MS) Plat_Sleep_Ms(50);
    ASSERT_TRUE(Bis_Verloren(STILLSTAND_MS)) << "the client did not end network play";
    EXPECT_EQ(Netzwerk_Modus(), 1);
    EXPECT_EQ(Client_Team(), -1);
    EXPECT_EQ(g_meldung,
              "Der Server hat diesen Rechner getrennt: er hat l\xe4nger als 4 Sekunden nicht geantwortet. "
              "Das Netzwerkspiel ist beendet.");
    b = w.server->Fragen();
    EXPECT_GE(b.tag, 0) << "the server plays on";
    Client_Beenden();
    Kalender_Zuruecksetzen();
}


// The server ends its side of a client's match up to two minutes ahead and
// closes its day at once: the client's match may still stand on its screen
// when its calendar sees the server's day moved on. Here the client's views
// hold the match from its record's arrival on and release the client's side
// to the end, as a client far behind would, so the server plays the match and
// closes its day alone. The client goes on into its next turn: its match of
// the day that ended ends there too, with the server's result, and the silence check, which counts a running match's
// unanswered packets against the server, ends nothing.
class NetzLiveKalender : public NetzClient {
protected:
    Net_Zeiten zeiten = Net_Zeiten_Wert();
    void SetUp() override {
        Kalender_Zuruecksetzen();
        ASSERT_NO_FATAL_FAILURE(Verbinden(
            Server_Live_Prozess, {"Netz", "Club", "Saison", "Spielfeld", "Spieltag", "News", "Stadion", "Bank", "Seiten"}));
        Spielfeld_Set_Fast(1);
        Net_Zeiten_Wert().antwort_ms = STILLSTAND_MS;
        // Each frame a second on the calendar's clock: the waiting client asks
        // for the server's day every frame, not once a second.
        Kalender_Hooks().uhr = [] {
            static uint32_t uhr = 0;
            return uhr += 1000;
        };
    }
    void TearDown() override {
        Net_Zeiten_Wert() = zeiten;
        Kalender_Hooks().uhr = nullptr;
        Kalender_Hooks().client_spieltag = Spieltag_Client_Frame;   // the wiring's, which unbinding clears
        NetzClient::TearDown();
        Kalender_Zuruecksetzen();
    }
};

bool g_gehalten = false;   // the client's match stood on its screen, its side released to the end

// Frames of the client's calendar until its manager's turn; false when
// nothing moved on either machine (the server's match minute among it) for
// STILLSTAND_MS.
bool Bis_Zum_Zug_Des_Clients(Server& server, int32_t team, Bericht* b) {
    uint32_t bewegt = Plat_Ms();
    auto stand = std::make_tuple(-1, -1, false, Server::Stand(*b), b->minuten.letzte);
    while (Kalender_Get_Runmodus() != KALENDER_MENUE || Kalender_Aktives_Team() != team) {
        Net_Pump();
        Net_Client_Bedienen();
        Kalender_Main();
        Net_Pump();
        *b = server.Fragen();
        const auto jetzt =
            std::make_tuple(Kalender_Get_Runmodus(), int32_t(Spieltag_Client_Spiel()), g_gehalten, Server::Stand(*b),
                            b->minuten.letzte);
        if (jetzt != stand) {
            stand = jetzt;
            bewegt = Plat_Ms();
        }
        if (Plat_Ms() - bewegt > STILLSTAND_MS) return false;
    }
    return true;
}

TEST_F(NetzLiveKalender, AClientsMatchStillOnItsScreenWhenTheServersDayMovesOnEndsWithTheDay) {
    const int32_t team = b.fern;
    g_gehalten = false;
    Kalender_Hooks().client_spieltag = [] {
        Spielfeld_Satz* satz = Spielfeld_Anzahl() > 0 ? Spielfeld_Naechster(nullptr) : nullptr;
        if (Spieltag_Client_Spiel() != ClientSpiel::LAEUFT || !satz) return Spieltag_Client_Frame();
        if (!g_gehalten) g_gehalten = Spielfeld_Sync_Client_Ende(satz);
        return true;
    };
    ASSERT_TRUE(Bis_Zum_Zug_Des_Clients(*server, team, &b)) << "run mode " << Kalender_Get_Runmodus();
    for (int32_t tage = 0; !g_gehalten && tage < 60; ++tage) {
        const int32_t tag = b.tag;
        ASSERT_TRUE(Spieltag_Client_Tag_Beenden()) << "day " << tag;
        K_NEUER_TAG(K_FERTIG, 0);
        ASSERT_TRUE(Bis_Zum_Zug_Des_Clients(*server, team, &b)) << "day " << tag << ", phase "
                                                                 << int32_t(Spieltag_Client_Spiel());
    }
    ASSERT_TRUE(g_gehalten) << "the client's match never stood on its screen";
    ASSERT_GE(b.partie[0].tore_heim, 0) << "the server played the match to its end";

    EXPECT_NE(Spieltag_Client_Spiel(), ClientSpiel::LAEUFT) << "the match of the day that ended";
    const Partie hier = Partie_Lesen(0);
    EXPECT_EQ(std::tie(hier.tore_heim, hier.tore_gast), std::tie(b.partie[0].tore_heim, b.partie[0].tore_gast))
        << "the client holds the server's result";
    // However long the manager's turn takes, no match of the last day counts against the server.
    Net_Zeiten_Wert().antwort_ms = 0;
    EXPECT_FALSE(Netz_Client_Verloren_Pruefen()) << "network play ended";
    EXPECT_GE(Net_Server_Verbindung(), 0);
}

// Back at its start screen after the server went, the client's start screen
// builds its world from this machine's files, as for a game alone: it is no
// server's copy, so none of its writes is refused as a client's write into
// another's club, and it is the very world a machine alone builds.
TEST(NetzVerloren, AClientBackAtItsStartScreenBuildsItsOwnWorldAsAMachineAlone) {
    ServerWelt w;
    ASSERT_NO_FATAL_FAILURE(Bis_Zum_Zug(w));
    ASSERT_EQ(kill(w.server->pid, SIGKILL), 0);
    w.server->getoetet = true;
    ASSERT_TRUE(Bis_Verloren(Net_Zeiten_Wert().antwort_ms)) << "network play still on";
    for (int32_t i = 0; i < 3; ++i) Kalender_Main();
    ASSERT_EQ(Kalender_Get_Runmodus(), KALENDER_WARTEN);
    ASSERT_EQ(Team_Anzahl(), 0) << "the start screen builds its world";
    ASSERT_EQ(Netzwerk_Modus(), 1);

    // As the start screen prepares itself.
    static int32_t verweigert;
    verweigert = 0;
    Debug_Faenger_Setzen([](uint32_t, const char* text) {
        if (std::strstr(text, "CLIENT-WRITE")) ++verweigert;
    });
    const bool gebaut = Spielstart_Welt_Aufbauen() && Spielstart_Platzhalter_Anlegen();
    Debug_Faenger_Setzen(nullptr);
    ASSERT_TRUE(gebaut);
    EXPECT_EQ(verweigert, 0) << "writes refused as a client's";
    std::vector<uint8_t> hier[2], allein[2];
    Team_Save(hier[0]);
    Spieler_Save(hier[1]);
    Netzwerk_Modus_Setzen(0);
    Team_Free(0);
    Spieler_Free();
    ASSERT_TRUE(Spielstart_Welt_Aufbauen() && Spielstart_Platzhalter_Anlegen());
    Team_Save(allein[0]);
    Spieler_Save(allein[1]);
    EXPECT_TRUE(hier[0] == allein[0]) << "the clubs as a machine alone builds them";
    EXPECT_TRUE(hier[1] == allein[1]) << "the players as a machine alone builds them";
    Core_Hooks().meldung = nullptr;
    Client_Beenden();
    Kalender_Zuruecksetzen();
}
}  // namespace
}  // namespace velmora
