// Network play with six clients over loopback: a server process loads a
// small world's save a few days before its cup final, in which six human
// managers run the first six clubs of one league; each client is a process of
// its own that joins, takes one of those clubs and reports its days as its
// "Weiter" does, fetching the game's data and its news when the server's day
// has moved on. The server notes every match-day page it is handed that
// concerns a client's club; each client notes every page it takes into its
// buffer, answering each requester its news round opens. Every client gets
// every page of its club, from the cup final through the league's last
// matchday with its winner pages to the new season's first matchday, and
// nobody is dropped; so does the client of a game of two managers, the
// other one the server's person.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <memory>
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
#include "core/hooks.h"
#include "core/optionen.h"
#include "core/prioritaeten.h"
#include "gui/icon.h"
#include "core/spielstand.h"
#include "match/day/spieltag_hooks.h"
#include "match/day/spieltag_netz.h"
#include "matchview/ankuendigung.h"
#include "net/internet.h"
#include "net/net.h"
#include "platform/clock.h"
#include "screens/spielstart_wahl.h"
#include "season/kalender.h"
#include "season/spiele.h"
#include "season/spielstart.h"
#include "season/wettbewerb.h"
#include "tests/core/temp_verz.h"
#include "tests/support/netz_server.h"

namespace velmora {
namespace {

constexpr uint32_t SAAT = 4242;
constexpr int32_t MENSCHEN = 6;
// The autosave of 27 March, six days before the small world's cup final
// (2 April); the international final follows a day later, the league's last
// matchday on 11 May, the new season's first on 11 August.
constexpr int32_t SPEICHER_TAG = 266;
constexpr int32_t SEITEN_MAX = 160;

// The game a suite starts from: the world, its human managers, the day of
// the save and whether the server's person plays the first of those clubs
// (the others are offered to the clients).
struct Aufbau {
    bool klein = true;
    int32_t menschen = MENSCHEN;
    int32_t speicher_tag = SPEICHER_TAG;
    bool eigen = false;
};
Aufbau g_aufbau;
// How long the processes may go without any progress before the test calls
// them stuck; the server's process ends itself after its own outer limit.
constexpr uint32_t STILLSTAND_MS = 30000;
constexpr uint32_t SERVER_GRENZE_MS = 600000;

// A page as a machine has it: kind, the team it is about, the other team,
// the day it was filled.
struct Seite {
    int32_t art = -1, heim = -1, gast = -1, tag = -1;
    bool operator<(const Seite& o) const {
        return std::tie(art, heim, gast, tag) < std::tie(o.art, o.heim, o.gast, o.tag);
    }
    bool operator==(const Seite& o) const { return !(*this < o) && !(o < *this); }
};

void PrintTo(const Seite& s, std::ostream* os) {
    *os << "{kind " << s.art << ", " << s.heim << " v " << s.gast << ", day " << s.tag << "}";
}

struct Seiten {
    int32_t n = 0;
    Seite s[SEITEN_MAX];
    void Merken(const Seite& x) {
        if (n < SEITEN_MAX) s[n] = x;
        ++n;
    }
    std::multiset<Seite> Menge() const { return {s, s + std::min(n, SEITEN_MAX)}; }
};

struct ServerBericht {
    int32_t tag = -1, modus = -1, saison = -1;
    int32_t team[MENSCHEN] = {-1, -1, -1, -1, -1, -1};   // the clubs offered to clients
    uint32_t status[MENSCHEN] = {};
    int32_t gespielt[MENSCHEN] = {};   // each club's games of the season played
    Seiten fuer[MENSCHEN];             // the pages handed over that concern each club
    int32_t sieger = 0;                // competitions that ended with winner pages
    // Command 'F': the entries in use in the server's buffer, and whether it took the page.
    int32_t belegt = 0, genommen = -1;
};

Seite Als_Seite(const Ankuendigung& a, int32_t art) {
    return Seite{art, int32_t(a.heim), int32_t(a.gast), int32_t(a.tag)};
}

int32_t Belegt() {
    int32_t n = 0;
    for (int32_t i = 0; i < ANKUENDIGUNG_PUFFER; ++i) n += Ankuendigung_Puffer()[i].schluessel != 0;
    return n;
}

// --- The server --------------------------------------------------------------

struct ServerZustand {
    ServerBericht b;
    bool geladen = false;
    int32_t eigen = -1;   // the club of the server's own manager
} g_server;

// A page handed to the buffer concerns the client clubs it names: the
// finance page (kind 4) only its first.
void Erwarten(int32_t art, uint32_t heim, uint32_t gast, uint32_t tag) {
    for (int32_t i = 0; i < MENSCHEN; ++i) {
        const int32_t t = g_server.b.team[i];
        if (t < 0 || !(uint32_t(Team_Wert(TW_STATUS, t, 0, OP_LESEN)) & TEAM_STATUS_CLIENT)) continue;
        const Seite s{art, int32_t(heim), int32_t(gast), int32_t(tag)};
        if (uint32_t(t) == heim) g_server.b.fuer[i].Merken(s);
        if (uint32_t(t) == gast && art != ANK_FINANZEN) g_server.b.fuer[i].Merken(s);
    }
}

ServerBericht Server_Berichten() {
    ServerBericht& b = g_server.b;
    b.tag = Tag_Index();
    b.modus = Kalender_Get_Runmodus();
    b.saison = Kalender_Saisonjahr();
    if (b.team[0] < 0 && Spielstart_Spiel_Laeuft()) {
        for (int32_t t = 0, n = 0; t < Team_Anzahl() && n < MENSCHEN; ++t)
            if (uint32_t(Team_Wert(TW_STATUS, t, 0, OP_LESEN)) & TEAM_STATUS_NETZ) b.team[n++] = t;
    }
    for (int32_t i = 0; i < MENSCHEN; ++i) {
        const int32_t t = b.team[i];
        if (t < 0) continue;
        b.status[i] = uint32_t(Team_Wert(TW_STATUS, t, 0, OP_LESEN));
        b.gespielt[i] = 0;
        for (int32_t k = 0; const SpielDatensatz* s = Spiele_Nummer(k); ++k)
            b.gespielt[i] += (s->heim == t || s->gast == t) && (s->flags & SPIEL_FLAG_GESPIELT);
    }
    b.belegt = Belegt();
    return b;
}

// 'F': the server's buffer filled to its 20 entries with pages of a computer
// club, then a table page of the first client's club; 'B': the report.
void Server_Antworten(char befehl, int fd) {
    if (befehl == 'F') {
        const int32_t team = g_server.b.team[0];
        const int32_t w = Team_Get_Liga(team, 1);
        int32_t computer = -1;
        for (int32_t t = 0; t < Team_Anzahl() && computer < 0; ++t)
            if (Team_Get_Liga(t, 1) == w && !Team_Hat_Manager(t)) computer = t;
        for (int32_t k = 1; Belegt() < ANKUENDIGUNG_PUFFER && k <= ANKUENDIGUNG_PUFFER; ++k) {
            Ankuendigung_Setzen(w, computer, -1, 1, 0, 0, nullptr);
            Ankuendigung_In_Buffer(ANK_ERGEBNISSE, uint32_t(k));
        }
        Ankuendigung_Setzen(w, team, computer, 1, 0, 0, nullptr);
        Erwarten(ANK_TABELLE, uint32_t(team), uint32_t(computer), uint32_t(Kalender_Tag_Index()));
        g_server.b.genommen = Ankuendigung_In_Buffer(ANK_TABELLE, uint32_t(team * 50 + 6)) ? 1 : 0;
    }
    const ServerBericht b = Server_Berichten();
    if (write(fd, &b, sizeof b) != sizeof b) _exit(13);
}

// The server: the save loaded at the start screen's wait and made a network
// game, with the first managed club its own or none; the other managed clubs
// are offered.
// The match day's and the competitions' pages pass the notes first.
[[noreturn]] void Server_Prozess(int port_fd, int befehl_fd, int bericht_fd) {
    test::NetzServerStart start;
    start.mehr = {"Training", "Ereignis", "Seiten"};
    test::Netz_Server_Starten(port_fd, start);
    // The save holds the menu's block, which a game without its screens keeps as it is.
    if (!Menue_Spielstand_Anmelden()) _exit(15);
    Kalender_Hooks().spielstart_frame = [] {
        if (g_server.geladen) return true;
        Spielstart_Regeln_Lesen();
        if (!Spielstand_Laden(SPIELSTAND_AUTOSAVE_SLOT)) _exit(15);
        Spielstart_Set_Spiel_Laeuft();
        for (int32_t t = 0; g_aufbau.eigen && t < Team_Anzahl() && g_server.eigen < 0; ++t)
            if (Team_Hat_Manager(t)) g_server.eigen = t;
        if (!Spielstart_Netz_Server(g_server.eigen, nullptr)) _exit(16);
        // The match-day pages need no window here: the results and tables pass at once.
        for (int32_t option : {11, 12, 14}) Optionen(option, 1, 0);
        g_server.geladen = true;
        return true;
    };
    // The server's own manager ends his turn at once, once every club offered is taken.
    Kalender_Hooks().menue_frame.Anmelden(prio::MENUE_BILDSCHIRM, [] {
        if (g_server.eigen < 0 || Kalender_Aktives_Team() != g_server.eigen) return;
        for (int32_t t : g_server.b.team)
            if (t >= 0 && !(uint32_t(Team_Wert(TW_STATUS, t, 0, OP_LESEN)) & TEAM_STATUS_CLIENT)) return;
        K_NEUER_TAG(K_FERTIG, 0);
    }, "Zugende");
    Spieltag_Hooks().ankuendigung = [](int32_t art, int32_t schluessel) {
        const Ankuendigung& s = Ankuendigung_Staging();
        Erwarten(art, s.heim, s.gast, s.tag);
        Ankuendigung_In_Buffer(art, uint32_t(schluessel));
    };
    // The winner page goes once to every human manager's club, about the winner.
    Wettbewerb_Hooks().beendet = [](int32_t w, int32_t sieger) {
        if (Wettbewerb_Hat_Menschliches_Team(w) || Wettbewerb_Ist_International(w)) {
            ++g_server.b.sieger;
            for (int32_t t = 0; t < Team_Anzahl(); ++t)
                if (Team_Hat_Manager(t)) Erwarten(ANK_SIEGER, uint32_t(sieger), uint32_t(t), uint32_t(Kalender_Tag_Index()));
        }
        Ankuendigung_Wettbewerb_Beendet(w, sieger);
    };
    test::Netz_Server_Schleife(befehl_fd, bericht_fd, Server_Antworten, SERVER_GRENZE_MS, 0);
}

// --- A client ----------------------------------------------------------------

struct ClientBericht {
    int32_t team = -1, tag = -1, verloren = 0;
    int32_t fragen = 0, runden_offen = 0;   // requesters opened; news rounds that never ended
    Seiten genommen;   // the pages taken into the buffer
};

struct ClientZustand {
    uint16_t port = 0;
    int32_t team = -1;
    bool (*ankuendigung)(const uint8_t* daten, int32_t bytes) = nullptr;
    NewsAntwortDaten frage;   // the requester on the screen
    bool frage_offen = false;
    ClientBericht b;
} g_client;

// The client's days, one command each: 'M' its day's end reported, 'H' the
// game's data, its news and its pages taken once the server's day moved on,
// 'B' the report; the end of the command pipe ends it.
[[noreturn]] void Client_Bedienen(int befehl_fd, int bericht_fd) {
    for (;;) {
        char c;
        if (read(befehl_fd, &c, 1) != 1) _exit(0);
        uint8_t ok = 1;
        if (c == 'M') ok = Spieltag_Client_Melden() ? 1 : 0;
        if (c == 'H') {
            Client_Alles_Holen();
            // As the menu's frames run the round: its manager answers each
            // requester "Nein" as it comes up.
            int32_t aufrufe = 0;
            for (; aufrufe < 500; ++aufrufe) {
                if (g_client.frage_offen) {
                    g_client.frage_offen = false;
                    News_Antwort_Nein(&g_client.frage);
                }
                if (!News_Anfragen_Pruefen(g_client.team)) break;
            }
            g_client.b.runden_offen += aufrufe == 500;
            for (int32_t n = 0; Ankuendigung_Aus_Buffer() || !Ankuendigung_Buffer_Leer(); ++n)
                if (n > 40) _exit(22);
        }
        g_client.b.verloren |= Netz_Client_Verloren_Pruefen() ? 1 : 0;
        if (c == 'B') {
            g_client.b.team = Client_Team();
            g_client.b.tag = Tag_Index();
            if (write(bericht_fd, &g_client.b, sizeof g_client.b) != sizeof g_client.b) _exit(23);
        } else if (write(bericht_fd, &ok, 1) != 1) {
            _exit(23);
        }
    }
}

// A client's process: joined as the start screen joins, playing
// `g_client.team`; it tells the test it joined through the port pipe (1) and
// then serves the test's commands.
[[noreturn]] void Client_Prozess(int port_fd, int befehl_fd, int bericht_fd) {
    // The pipes of the server and of the clients forked before this one stay
    // theirs: a copy held here would keep their ends from being seen.
    for (int fd = 3; fd < 1024; ++fd)
        if (fd != port_fd && fd != befehl_fd && fd != bericht_fd) close(fd);
    VerdrahtungOptionen o;
    o.nur = {"Netz", "Club", "Saison", "News", "Stadion", "Bank", "Seiten"};
    if (!Spiel_Verdrahten(o, nullptr)) _exit(20);
    Net_Init();
    if (!Spielstart_Welt_Aufbauen()) _exit(20);
    uint32_t a[4] = {127, 0, 0, 1};
    Net_Server_Adresse_Setzen(a);
    Net_Port_Setzen(g_client.port);
    Net_Zeiten_Wert().antwort_ms = STILLSTAND_MS;
    Netzwerk_Modus_Setzen(1);
    if (!Spielstart_Client_Beitreten()) _exit(20);
    SpielstartWahl* w = Spielstart_Wahl(0);
    std::snprintf(w->name, sizeof w->name, "Client %d", g_client.team);
    w->team = g_client.team;
    if (!Spielstart_Client_Starten() || !(News_Ist_Offen() || News_Datei_Oeffnen())) _exit(20);
    for (int32_t option : {11, 12, 14}) Optionen(option, 1, 0);
    // Every page stored from the news is noted as it was received.
    g_client.ankuendigung = News_Hooks().ankuendigung;
    News_Hooks().ankuendigung = [](const uint8_t* daten, int32_t bytes) {
        const int32_t vorher = Belegt();
        const bool genommen = g_client.ankuendigung(daten, bytes);
        if (Belegt() > vorher) {
            Ankuendigung a;
            std::memcpy(&a, daten, sizeof a);
            g_client.b.genommen.Merken(Als_Seite(a, int32_t(a.art)));
        }
        return genommen;
    };
    News_Hooks().requester = [](int32_t, const char*, const char*, const char*, const NewsAntwortDaten* d) {
        g_client.frage = *d;
        g_client.frage_offen = true;
        ++g_client.b.fragen;
        return true;
    };
    News_Hooks().modal_offen = [] { return g_client.frage_offen; };
    Core_Hooks().meldung = [](const char*) {};
    const uint16_t beigetreten = 1;
    if (write(port_fd, &beigetreten, sizeof beigetreten) != sizeof beigetreten) _exit(20);
    close(port_fd);
    Client_Bedienen(befehl_fd, bericht_fd);
}

struct Client : test::NetzProzess {
    explicit Client() : NetzProzess(Client_Prozess) {}
    ~Client() {
        const int status = Beenden();
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "client status " << status;
    }
    bool Senden(char c) { return write(befehl, &c, 1) == 1; }
    bool Ok() {
        uint8_t ok = 0;
        return read(bericht, &ok, 1) == 1 && ok == 1;
    }
    ClientBericht Fragen() {
        ClientBericht b;
        if (!NetzProzess::Fragen('B', &b, sizeof b)) b.tag = -99;
        return b;
    }
};

// --- The test's side ---------------------------------------------------------

struct Server : test::NetzProzess {
    Server() : NetzProzess(Server_Prozess) {}
    ~Server() {
        const int status = Beenden();
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "server status " << status;
    }
    ServerBericht Fragen(char c = 'B') {
        ServerBericht b;
        if (!NetzProzess::Fragen(c, &b, sizeof b)) b.tag = -99;
        return b;
    }
    // Asks until `fertig` holds; false once the server's day, run mode and
    // pages have stood still for STILLSTAND_MS.
    template <class F>
    bool Warten(F fertig, ServerBericht* b) {
        uint32_t bewegt = Plat_Ms();
        auto stand = [](const ServerBericht& x) { return std::make_tuple(x.tag, x.modus, x.fuer[0].n, x.belegt); };
        auto vorher = stand(*b);
        while (Plat_Ms() - bewegt < STILLSTAND_MS) {
            *b = Fragen();
            if (b->tag == -99) return false;
            if (fertig(*b)) return true;
            if (stand(*b) != vorher) bewegt = Plat_Ms();
            vorher = stand(*b);
            Plat_Sleep_Ms(5);
        }
        return false;
    }
};

// The world, the save of its six managers' game and the server on it; the
// clients join one after the other (a join takes a players' list of the
// address's stock and gives it back once joined).
class NetzSechs : public ::testing::Test {
protected:
    static velmora_test::TestWelt* dirs;
    std::unique_ptr<Server> server;
    std::vector<std::unique_ptr<Client>> clients;
    ServerBericht b;

    static void SetUpTestSuite() {
        g_aufbau = Aufbau{};
        Welt_Anlegen();
    }
    // The save is made once, by a process of its own, as velmora-sim makes it.
    static void Welt_Anlegen() {
        dirs = new velmora_test::TestWelt;
        ASSERT_TRUE(dirs->ok);
        ASSERT_TRUE(Sim_Welt_Erzeugen(dirs->install, g_aufbau.klein, SAAT));
        const pid_t kind = fork();
        ASSERT_GE(kind, 0);
        if (kind == 0) {
            VerdrahtungOptionen v;
            v.betrieb = Betrieb::SIM;
            v.sim.seed = SAAT;
            v.sim.menschen = g_aufbau.menschen;
            if (!Spiel_Verdrahten(v, nullptr) || !Sim_Bis_Tag(g_aufbau.speicher_tag)) _exit(1);
            Spielstand_Schreiber_Warten();
            _exit(Spielstand_Fehlgeschlagen() ? 2 : 0);
        }
        int status = -1;
        ASSERT_EQ(waitpid(kind, &status, 0), kind);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the save: status " << status;
    }
    static void TearDownTestSuite() {
        delete dirs;
        dirs = nullptr;
    }

    void Starten(int32_t anzahl) {
        g_server = ServerZustand{};
        server = std::make_unique<Server>();
        ASSERT_GT(server->port, 0);
        const int32_t angeboten = g_aufbau.menschen - (g_aufbau.eigen ? 1 : 0);
        ASSERT_TRUE(server->Warten([angeboten](const ServerBericht& x) {
            return x.modus == KALENDER_MENUE && x.team[angeboten - 1] >= 0;
        }, &b));
        ASSERT_GE(b.tag, g_aufbau.speicher_tag);
        for (int32_t i = 0; i < anzahl; ++i) {
            g_client = ClientZustand{};
            g_client.port = server->port;
            g_client.team = b.team[i];
            clients.push_back(std::make_unique<Client>());
            ASSERT_EQ(clients.back()->port, 1) << "client " << i << " joined";
        }
        ASSERT_TRUE(server->Warten([anzahl](const ServerBericht& x) {
            for (int32_t i = 0; i < anzahl; ++i)
                if (!(x.status[i] & TEAM_STATUS_CLIENT)) return false;
            return true;
        }, &b));
    }
    // Every client's command, then every client's answer.
    void Alle(char c) {
        for (auto& k : clients) ASSERT_TRUE(k->Senden(c));
        for (size_t i = 0; i < clients.size(); ++i) EXPECT_TRUE(clients[i]->Ok()) << "client " << i << ", '" << c << "'";
    }
    // One day: each client reports its day's end; once the server's day moved
    // on each takes the game's data, its news and its pages.
    void Tag() {
        const int32_t tag = b.tag;
        ASSERT_NO_FATAL_FAILURE(Alle('M'));
        ASSERT_TRUE(server->Warten([tag](const ServerBericht& x) { return x.tag > tag && x.modus == KALENDER_MENUE; }, &b))
            << "day " << tag << ", server's run mode " << b.modus;
        ASSERT_NO_FATAL_FAILURE(Alle('H'));
    }
    // Day by day until every offered club has played the new season's first game.
    void Bis_In_Die_Neue_Saison() {
        const int32_t saison = b.saison;
        auto gespielt = [&] {
            if (b.saison <= saison) return false;
            for (int32_t i = 0; i < MENSCHEN; ++i)
                if (b.team[i] >= 0 && b.gespielt[i] < 1) return false;
            return true;
        };
        for (int32_t n = 0; n < 200 && !gespielt(); ++n) ASSERT_NO_FATAL_FAILURE(Tag());
        ASSERT_TRUE(gespielt()) << "the new season's first matchday, day " << b.tag;
    }
    // Each client played on and took every page that concerns its club,
    // among them at least `sieger` winner pages.
    void Seiten_Pruefen(int32_t sieger) {
        for (size_t i = 0; i < clients.size(); ++i) {
            EXPECT_TRUE(b.status[i] & TEAM_STATUS_CLIENT) << "club " << b.team[i] << " still a client's";
            const ClientBericht c = clients[i]->Fragen();
            EXPECT_EQ(c.team, b.team[i]);
            EXPECT_EQ(c.verloren, 0) << "client " << i << " lost its game";
            EXPECT_EQ(c.runden_offen, 0) << "client " << i << "'s news rounds ended (" << c.fragen << " requesters)";
            ASSERT_LT(b.fuer[i].n, SEITEN_MAX);
            int32_t n = 0;
            for (int32_t k = 0; k < b.fuer[i].n; ++k) n += b.fuer[i].s[k].art == ANK_SIEGER;
            EXPECT_GE(n, sieger) << "club " << b.team[i] << "'s winner pages";
            EXPECT_EQ(c.genommen.Menge(), b.fuer[i].Menge()) << "the pages of club " << b.team[i];
        }
    }
};
velmora_test::TestWelt* NetzSechs::dirs = nullptr;

// The server's own buffer is full: a page of a client's club still goes to
// that client, and the server's buffer still refuses its 21st entry.
TEST_F(NetzSechs, AClientsPageReachesItWhenTheServersBufferIsFull) {
    ASSERT_NO_FATAL_FAILURE(Starten(1));
    b = server->Fragen('F');
    EXPECT_EQ(b.genommen, 0) << "the server's 21st entry is refused";
    EXPECT_EQ(b.belegt, ANKUENDIGUNG_PUFFER) << "and its buffer keeps its 20";
    ASSERT_EQ(b.fuer[0].n, 1);
    ASSERT_NO_FATAL_FAILURE(Alle('H'));
    const ClientBericht c = clients[0]->Fragen();
    EXPECT_EQ(c.genommen.Menge(), b.fuer[0].Menge()) << "the client's table page";
}

// The whole case: six clients from the cup final through the league's last
// matchday with its winner pages into the new season's first matchday.
TEST_F(NetzSechs, SixClientsGetEveryPageOfTheirClubsFromACupFinalIntoTheNewSeason) {
    ASSERT_NO_FATAL_FAILURE(Starten(MENSCHEN));
    ASSERT_NO_FATAL_FAILURE(Bis_In_Die_Neue_Saison());
    // The cup's, the international cup's and the league's.
    EXPECT_GE(b.sieger, 3);
    ASSERT_NO_FATAL_FAILURE(Seiten_Pruefen(3));
}

// Two managers, the server's person playing the first club and a client the
// second, over the same days.
class NetzZwei : public NetzSechs {
protected:
    static void SetUpTestSuite() {
        g_aufbau = Aufbau{};
        g_aufbau.menschen = 2;
        g_aufbau.eigen = true;
        Welt_Anlegen();
    }
};

TEST_F(NetzZwei, TheClientGetsEveryPageOfItsClubFromACupFinalIntoTheNewSeason) {
    ASSERT_NO_FATAL_FAILURE(Starten(1));
    ASSERT_NO_FATAL_FAILURE(Bis_In_Die_Neue_Saison());
    EXPECT_GE(b.sieger, 3);
    ASSERT_NO_FATAL_FAILURE(Seiten_Pruefen(3));
}

}  // namespace
}  // namespace velmora
