// The match report of a game between two human managers over loopback: the
// server's process plays one club itself and the other is taken by this
// process as a client. The two clubs meet on their league's first matchday;
// the match is played with its match record, so it gets its report. Each
// manager gets his goals, statistics and finance pages with the same result,
// the finance page of each club only on its own machine.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <ostream>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "app/sim_lauf.h"
#include "app/verdrahtung.h"
#include "business/news.h"
#include "business/news_anfrage.h"
#include "club/spieler.h"
#include "club/team.h"
#include "core/optionen.h"
#include "core/prioritaeten.h"
#include "match/spieltag.h"
#include "match/spieltag_netz.h"
#include "matchview/ankuendigung.h"
#include "net/internet.h"
#include "net/net.h"
#include "platform/clock.h"
#include "screens/spielstart_wahl.h"
#include "season/kalender.h"
#include "season/spiele.h"
#include "season/spielplan.h"
#include "season/spielstart.h"
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

struct Bericht {
    int32_t tag = -1, modus = -1;
    int32_t eigen = -1, fern = -1;           // the server's club, the client's club
    int32_t heim = -1, gast = -1;            // their game on matchday 1
    int32_t tore_heim = -1, tore_gast = -1;  // its result once played
    int32_t mit_spielfeld = 0;               // games played with a match record
    int32_t fern_status = 0;
    int32_t puffer_leer = 1;
    int32_t gezeigt = 0, verworfen = 0;      // report pages of the game taken / dropped here
    Seite seite[SEITEN_MAX];
    Seite weg[SEITEN_MAX];
};

struct ServerZustand {
    int32_t eigen = -1, fern = -1, wettbewerb = -1, paarung = -1;
    Bericht bericht;
} g_server;

// The two clubs of the first pairing of the first club's league on matchday 1.
int32_t Clubs_Waehlen() {
    for (int32_t t = 0; t < Team_Anzahl(); ++t) {
        if (t == Team_Markt() || !Team_Ist_Normal(t, 0)) continue;
        const int32_t w = Team_Get_Liga(t, 1);
        int32_t paare[2 * WETTBEWERB_TEAMS_MAX];
        if (w < 0 || Wettbewerb_Get_Spieltag_Paarungen(w, 1, paare) < 1) continue;
        g_server.wettbewerb = w;
        g_server.paarung = 0;
        g_server.eigen = paare[0];
        g_server.fern = paare[1];
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
    if (b.fern >= 0) b.fern_status = Team_Wert(TW_STATUS, b.fern, 0, OP_LESEN);
    if (g_server.wettbewerb >= 0) {
        const Spiel_Lock s = Spiele_Lock(g_server.wettbewerb, 1, g_server.paarung, 0);
        if (const SpielDatensatz* sp = s ? Spiele_Get_Spiel(s, 0) : nullptr) {
            b.heim = sp->heim;
            b.gast = sp->gast;
            b.tore_heim = sp->tore_heim;
            b.tore_gast = sp->tore_gast;
        }
        if (s) Spiele_Unlock(s);
    }
    return b;
}

// Both managers see their match report only: the results and table windows
// of the matchday (options 11 and 12) wait for a click nobody gives here.
void Nur_Der_Bericht() {
    Optionen(11, 1, 0);
    Optionen(12, 1, 0);
}

// The server: the game without a screen plus its pages; its own manager ends
// each turn at once, but only once the client has taken the other club.
void Server_Prozess(int port_fd, int befehl_fd, int bericht_fd) {
    test::NetzServerStart start;
    start.eigenes_team = Clubs_Waehlen;
    start.spiel = Zwei_Manager;
    start.mehr = {"Seiten"};
    start.nach_start = Nur_Der_Bericht;
    test::Netz_Server_Starten(port_fd, start);
    Kalender_Hooks().ankuendigung_treiber = Treiber_Mitschreiben;
    Kalender_Hooks().menue_frame.Anmelden(prio::MENUE_BILDSCHIRM, [] {
        const bool genommen = g_server.fern >= 0 &&
                              (uint32_t(Team_Wert(TW_STATUS, g_server.fern, 0, OP_LESEN)) & TEAM_STATUS_CLIENT);
        if (genommen && Kalender_Aktives_Team() == g_server.eigen) K_NEUER_TAG(K_FERTIG, 0);
    }, "Zugende");
    test::Netz_Server_Schleife(befehl_fd, bericht_fd, [](char, int fd) {
        const Bericht b = Berichten();
        if (write(fd, &b, sizeof b) != sizeof b) _exit(13);
    }, 120000);
}

struct Server : test::NetzProzess {
    Server() : NetzProzess(Server_Prozess) {}
    ~Server() {
        const int status = Beenden();
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "server status " << status;
    }
    Bericht Fragen() {
        Bericht b;
        if (!NetzProzess::Fragen('B', &b, sizeof b)) b.tag = -99;
        return b;
    }
    // Asks until `fertig` holds (false after `ms`).
    template <class F>
    bool Warten(F fertig, uint32_t ms, Bericht* b) {
        const uint32_t beginn = Plat_Ms();
        while (Plat_Ms() - beginn < ms) {
            *b = Fragen();
            if (fertig(*b)) return true;
            Plat_Sleep_Ms(10);
        }
        return false;
    }
};

TEST(NetzSeiten, AHumanVersusHumanMatchGivesEachManagerHisReportOnHisOwnMachine) {
    velmora_test::TestWelt dirs;
    ASSERT_TRUE(dirs.ok);
    ASSERT_TRUE(Sim_Welt_Erzeugen(dirs.install, true, 4));
    Server server;
    ASSERT_GT(server.port, 0);

    // This process: a client with the pages, its world built as the start screen builds it.
    VerdrahtungOptionen o;
    o.nur = {"Netz", "Club", "Saison", "News", "Stadion", "Bank", "Seiten"};
    std::string fehler;
    ASSERT_TRUE(Spiel_Verdrahten(o, &fehler)) << fehler;
    Net_Init();
    Bericht b;
    ASSERT_TRUE(server.Warten([](const Bericht& x) { return x.modus == KALENDER_MENUE && x.fern >= 0; }, 20000, &b));
    const int32_t eigen = b.eigen, fern = b.fern;
    g_server.eigen = eigen;
    g_server.fern = fern;
    ASSERT_NE(eigen, fern);
    ASSERT_TRUE(b.heim == eigen || b.gast == eigen);
    ASSERT_TRUE(b.heim == fern || b.gast == fern);
    ASSERT_TRUE(Spielstart_Welt_Aufbauen());
    uint32_t a[4] = {127, 0, 0, 1};
    Net_Server_Adresse_Setzen(a);
    Net_Port_Setzen(server.port);
    Net_Zeiten_Wert().antwort_ms = 5000;
    Netzwerk_Modus_Setzen(1);
    ASSERT_TRUE(Spielstart_Client_Beitreten());
    SpielstartWahl* w = Spielstart_Wahl(0);
    std::strncpy(w->name, "Dort", sizeof w->name - 1);
    w->team = fern;
    ASSERT_TRUE(Spielstart_Client_Starten());
    ASSERT_TRUE(News_Ist_Offen() || News_Datei_Oeffnen());
    Nur_Der_Bericht();

    // Day by day this manager ends his day; the server's ends at once. Until
    // the two clubs' game is played and the server's pages are through.
    const int32_t tag0 = b.tag;
    int32_t tag = tag0;
    while (b.tore_heim < 0 && tag < tag0 + 400) {
        ASSERT_TRUE(Spieltag_Client_Melden()) << "day " << tag;
        ASSERT_TRUE(server.Warten([tag](const Bericht& x) { return x.tag > tag && x.modus == KALENDER_MENUE; }, 20000, &b))
            << "day " << tag << ", server's run mode " << b.modus << ", at day " << b.tag;
        tag = b.tag;
    }
    ASSERT_GE(b.tore_heim, 0) << "the game was not played";
    ASSERT_TRUE(server.Warten([](const Bericht& x) { return x.puffer_leer != 0; }, 20000, &b));
    // Only a game played with its match record has a report (kinds 2-4) at all.
    EXPECT_GE(b.mit_spielfeld, 1) << "played with its match record";
    const int32_t tore_heim = b.tore_heim, tore_gast = b.tore_gast;

    // What each machine shows: the goals and statistics pages of the game and
    // its own club's finance page, every one with the server's result.
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

    Net_Kontext_Setzen(nullptr);
    Internet_Netzwerk_Stop();
    Netzwerk_Modus_Setzen(0);
    Spiel_Entdrahten();
}

}  // namespace
}  // namespace velmora
