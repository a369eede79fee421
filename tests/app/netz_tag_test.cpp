// Network play's start and day hand-over over loopback: a server process runs
// the game's calendar on a generated world with a placeholder on every club;
// clients of the test take clubs (request 1036) and report the ends of their
// days (1029). The server plays a day only once every club a client took has
// reported; a client silent for the (shortened) time is dropped, its club
// goes back to the computer and may be taken again.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "app/sim_lauf.h"
#include "app/verdrahtung.h"
#include "business/bank.h"
#include "business/bank_kredit.h"
#include "business/bank_netz.h"
#include "business/news.h"
#include "business/news_anfrage.h"
#include "business/news_netz.h"
#include "business/stadion.h"
#include "business/trainingslager.h"
#include "club/club_anbindung.h"
#include "club/aufstellung.h"
#include "club/club_netz.h"
#include "club/formation.h"
#include "club/manager.h"
#include "club/spieler.h"
#include "club/spieler_testing.h"
#include "club/team.h"
#include "club/wirtschaft.h"
#include "club/abgleich.h"
#include "core/bytes.h"
#include "core/dirs.h"
#include "core/hooks.h"
#include "core/pruefsumme.h"
#include "match/day/spieltag_netz.h"
#include "net/internet.h"
#include "net/net.h"
#include "platform/clock.h"
#include "screens/spielstart_wahl.h"
#include "season/kalender.h"
#include "season/spiele.h"
#include "season/statistik.h"
#include "season/spielstart.h"
#include "tests/core/temp_verz.h"
#include "tests/support/netz_server.h"
#include "tests/support/sanitizer.h"

namespace velmora {
namespace {

constexpr uint32_t STILLE_MS = 1500;   // the server's shortened silence limit

struct Bericht {
    int32_t tag = -1, modus = -1;
    int32_t verein[3] = {-1, -1, -1};   // the first three clubs offered
    int32_t markt = -1, land = -1;
    uint32_t status[3] = {};
    char manager[3][20] = {};
    int32_t geld[3] = {}, posten[3] = {}, komfort[3] = {}, kapazitaet[3] = {};
    int32_t lager[3] = {-1, -1, -1};             // camps the club may still book this season
    int32_t gegner[3] = {-1, -1, -1};            // the next opponent of each
    int32_t slot[2][TEAM_SPIELER_MAX][2] = {};   // the first two clubs' players and their slots
    uint32_t spieler = 0;                        // CRC-32 of every player's public record
};

// Every player's public record (the players' list of request 1043), folded into a CRC-32.
uint32_t Spieler_Pruefsumme() {
    uint32_t crc = 0;
    for (int32_t p = 0; p < Spieler_Anzahl(); ++p) {
        crc = Pruefsumme_Crc32(crc, static_cast<const uint8_t*>(Spieler_Zeiger_Lesen(SPZ_STRUKTUR, p)),
                               sizeof(SpielerStruktur));
        crc = Pruefsumme_Crc32(crc, static_cast<const uint8_t*>(Spieler_Zeiger_Lesen(SPZ_FIX, p)), sizeof(SpielerFix));
    }
    return crc;
}

// A club's players with their slots, in squad order; -1 past the squad.
void Slots_Lesen(int32_t team, int32_t slot[TEAM_SPIELER_MAX][2]) {
    int32_t liste[TEAM_SPIELER_MAX];
    const int32_t n = Teamspieler_Ins_Array(team, liste, TEAM_SPIELER_MAX, 0);
    for (int32_t i = 0; i < TEAM_SPIELER_MAX; ++i) {
        slot[i][0] = i < n ? liste[i] : -1;
        slot[i][1] = i < n ? Spieler_Wert(SPW_SLOT, liste[i], 0, OP_LESEN) : -1;
    }
}

// The player in `slot` by such a list, -1 none.
int32_t Im_Slot(const int32_t slot[TEAM_SPIELER_MAX][2], int32_t s) {
    for (int32_t i = 0; i < TEAM_SPIELER_MAX; ++i)
        if (slot[i][0] >= 0 && slot[i][1] == s) return slot[i][0];
    return -1;
}

// The next opponent as the main screen's header finds it, -1 none.
int32_t Naechster_Gegner(int32_t team) {
    int32_t gegner = -1, w = -1;
    Spiele_Unlock(Statistik_Spiele_Von_Team(team, -1, -1, &gegner, &w, nullptr));
    return gegner;
}

Bericht Berichten() {
    Bericht b;
    b.tag = Tag_Index();
    b.modus = Kalender_Get_Runmodus();
    b.markt = Team_Markt();
    int32_t n = 0;
    for (int32_t t = 0; t < Team_Anzahl(); ++t) {
        if (Team_Ist_Nationalteam(t) && b.land < 0) b.land = t;
        if (n < 3 && t != Team_Markt() && Team_Ist_Normal(t, 0)) b.verein[n++] = t;
    }
    for (int32_t i = 0; i < n; ++i) {
        b.status[i] = uint32_t(Team_Wert(TW_STATUS, b.verein[i], 0, OP_LESEN));
        std::strncpy(b.manager[i], Manager_Name(b.verein[i]), sizeof b.manager[i] - 1);
        b.geld[i] = Bank_Kontostand(b.verein[i], false, -1);
        b.posten[i] = Bank_Anzahl_Posten(b.verein[i]);
        if (const Stadion_Satz* s = Stadion_Get(b.verein[i], 0)) b.komfort[i] = s->komfort, b.kapazitaet[i] = s->kapazitaet;
        if (i < 2) Slots_Lesen(b.verein[i], b.slot[i]);
        if (ManagerStruktur* m = Manager_Record(b.verein[i])) b.lager[i] = Manager_Wert(308, m, 0, OP_LESEN);
        b.gegner[i] = Naechster_Gegner(b.verein[i]);
    }
    b.spieler = Spieler_Pruefsumme();
    return b;
}

// The server: the game bound as without a screen, its start the network
// server's; it runs frames until the test closes the command pipe.
[[noreturn]] void Server_Prozess(int port_fd, int befehl_fd, int bericht_fd) {
    test::Netz_Server_Starten(port_fd);
    Net_Zeiten_Wert().client_stille_ms = STILLE_MS;
    test::Netz_Server_Schleife(befehl_fd, bericht_fd, [](char c, int fd) {
        // 'P': a match period closes for the first two clubs (as after
        // a match of each), then the report.
        if (c == 'P')
            for (int32_t t = 0, n = 0; t < Team_Anzahl() && n < 2; ++t)
                if (t != Team_Markt() && Team_Ist_Normal(t, 0)) Bank_Periode_Buchen(t, nullptr), ++n;
        const Bericht b = Berichten();
        if (write(fd, &b, sizeof b) != sizeof b) _exit(13);
    }, 30 * test::WARTEN_GRENZE_MS);
}

// A request that changes nothing: the client is heard.
void Hoeren(NetKontext* c) {
    Net_Kontext_Setzen(c);
    EXPECT_GT(Club_Remote_Int("Hoeren", ANFRAGE_SPIELER_ANZAHL, "<i", {}, -1), 0);
}

struct Server : test::NetzProzess {
    std::vector<NetKontext*> clients;
    bool getoetet = false;

    Server() : NetzProzess(Server_Prozess) {}
    ~Server() {
        Net_Kontext_Setzen(nullptr);
        for (NetKontext* c : clients) Net_Kontext_Loeschen(c);
        const int status = Beenden();
        if (!getoetet) {
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "server status " << status;
        }
    }
    Bericht Fragen(char c = 'B') {
        Bericht b;
        if (!NetzProzess::Fragen(c, &b, sizeof b)) b.tag = -99;
        return b;
    }
    // Waits until the server's day reaches `tag` (false after `ms`, by
    // default the limit of a hung state); the client `hoeren` keeps itself
    // heard meanwhile.
    bool Tag_Erreicht(int32_t tag, uint32_t ms = test::WARTEN_GRENZE_MS, NetKontext* hoeren = nullptr) {
        const uint32_t start = Plat_Ms();
        uint32_t gehoert = start;
        while (Plat_Ms() - start < ms) {
            if (Fragen().tag >= tag) return true;
            if (hoeren && Plat_Ms() - gehoert > 300) {
                Hoeren(hoeren);
                gehoert = Plat_Ms();
            }
            Plat_Sleep_Ms(20);
        }
        return false;
    }
    // The server's report once its game waits in the menu.
    Bericht Im_Menue() {
        const uint32_t start = Plat_Ms();
        Bericht b = Fragen();
        while (b.modus != KALENDER_MENUE && Plat_Ms() - start < test::WARTEN_GRENZE_MS) {
            Plat_Sleep_Ms(20);
            b = Fragen();
        }
        return b;
    }
    // The join of the start screen in the current context.
    bool Beitreten() {
        uint32_t a[4] = {127, 0, 0, 1};
        Net_Server_Adresse_Setzen(a);
        Net_Port_Setzen(port);
        Net_Zeiten_Wert().antwort_ms = 5000;
        Netzwerk_Modus_Setzen(1);
        return Spielstart_Client_Beitreten();
    }
    // A client connected to the server, its context current.
    NetKontext* Client() {
        NetKontext* c = Net_Kontext_Neu();
        clients.push_back(c);
        Net_Kontext_Setzen(c);
        uint32_t a[4] = {127, 0, 0, 1};
        Net_Server_Adresse_Setzen(a);
        Net_Port_Setzen(port);
        Net_Zeiten_Wert().antwort_ms = 5000;
        Netzwerk_Modus_Setzen(1);
        EXPECT_TRUE(Internet_Netzwerk_Start());
        return c;
    }
};

int32_t Nehmen(NetKontext* c, int32_t team, const char* name) {
    Net_Kontext_Setzen(c);
    int32_t echo = -1;
    const int32_t ok = Team_Internet_Client_Set_User_Active(7, team, name, 3, &echo);
    if (ok) {
        EXPECT_EQ(echo, 7);
        Client_Team_Setzen(team);
    }
    return ok;
}

bool Melden(NetKontext* c) {
    Net_Kontext_Setzen(c);
    return Spieltag_Client_Melden();
}

// This process wired with `module` and its network up; `b` the server's
// report once its game waits in the menu.
void Verdrahten_Bis_Menue(Server& server, std::vector<std::string> module, Bericht* b) {
    ASSERT_GT(server.port, 0);
    VerdrahtungOptionen o;
    o.nur = std::move(module);
    ASSERT_TRUE(Spiel_Verdrahten(o, nullptr));
    Net_Init();
    *b = server.Im_Menue();
    ASSERT_EQ(b->modus, KALENDER_MENUE);
}

TEST(NetzTag, ClubsAreTakenOnceAndADayWaitsForEveryClientUntilASilentOneIsDropped) {
    velmora_test::TestWelt dirs;
    ASSERT_TRUE(dirs.ok);
    ASSERT_TRUE(Sim_Welt_Erzeugen(dirs.install, true, 4));
    Server server;
    // The server's game runs and waits: nobody plays a club yet.
    Bericht b;
    ASSERT_NO_FATAL_FAILURE(Verdrahten_Bis_Menue(server, {"Netz", "Club"}, &b));
    const int32_t a = b.verein[0], bb = b.verein[1], c = b.verein[2];
    ASSERT_GE(c, 0);
    EXPECT_STREQ(b.manager[0], TEAM_CLIENT_NAME);
    EXPECT_EQ(b.status[0] & (TEAM_STATUS_NETZ | TEAM_STATUS_CLIENT), TEAM_STATUS_NETZ);
    const int32_t tag0 = b.tag;

    NetKontext* eins = server.Client();
    NetKontext* zwei = server.Client();
    EXPECT_EQ(Nehmen(eins, a, "Eins"), 1);
    // Taken, not offered (the market, a country), a second club: refused, nothing changes.
    struct Fall {
        int32_t team;
        const char* warum;
    };
    for (const Fall& f : {Fall{a, "taken"}, Fall{b.markt, "market"}, Fall{b.land, "country"}}) {
        Net_Kontext_Setzen(zwei);
        Client_Team_Setzen(-1);
        EXPECT_EQ(Nehmen(zwei, f.team, "Zwei"), 0) << f.warum;
    }
    EXPECT_EQ(Nehmen(zwei, bb, "Zwei"), 1);
    EXPECT_EQ(Nehmen(zwei, c, "Zwei"), 0) << "a second club";
    b = server.Fragen();
    EXPECT_STREQ(b.manager[0], "Eins");
    EXPECT_STREQ(b.manager[1], "Zwei");
    EXPECT_TRUE(b.status[0] & TEAM_STATUS_CLIENT);
    EXPECT_TRUE(b.status[1] & TEAM_STATUS_CLIENT);
    EXPECT_EQ(b.status[2] & TEAM_STATUS_CLIENT, 0u);
    EXPECT_STREQ(b.manager[2], TEAM_CLIENT_NAME);

    // A report naming another team changes nothing; the day waits for both clients.
    Net_Kontext_Setzen(zwei);
    Internet_Client_Read(ANFRAGE_SPIELTAG_MELDEN, "vi", 0, 0, a);
    EXPECT_EQ(server.Fragen().status[0] & TEAM_STATUS_BEREIT, 0u);
    EXPECT_TRUE(Melden(eins));
    EXPECT_FALSE(server.Tag_Erreicht(tag0 + 1, 600)) << "one of two clients reported";
    EXPECT_TRUE(Melden(zwei));
    ASSERT_TRUE(server.Tag_Erreicht(tag0 + 1));
    b = server.Fragen();
    EXPECT_EQ(b.status[0] & TEAM_STATUS_BEREIT, 0u) << "the reports are for the day that ended";

    // The first client falls silent: the day waits for it until it is dropped;
    // its club goes back to the computer and the days go on.
    Hoeren(eins);
    const uint32_t gemeldet = Plat_Ms();
    EXPECT_TRUE(Melden(zwei));
    EXPECT_FALSE(server.Tag_Erreicht(tag0 + 2, STILLE_MS / 2, zwei));
    ASSERT_TRUE(server.Tag_Erreicht(tag0 + 2, STILLE_MS + test::WARTEN_GRENZE_MS, zwei));
    EXPECT_GE(Plat_Ms() - gemeldet, STILLE_MS / 2);
    b = server.Fragen();
    EXPECT_EQ(b.status[0] & TEAM_STATUS_CLIENT, 0u);
    EXPECT_STREQ(b.manager[0], TEAM_CLIENT_NAME);
    EXPECT_TRUE(Melden(zwei));
    ASSERT_TRUE(server.Tag_Erreicht(tag0 + 3));
    // A new client may take the released club.
    NetKontext* drei = server.Client();
    EXPECT_EQ(Nehmen(drei, a, "Drei"), 1);
    EXPECT_STREQ(server.Fragen().manager[0], "Drei");
    Spiel_Entdrahten();
}

// A client's join as the start screen runs it: the game's data fetched, a
// club taken meanwhile refused, another one taken; with the server gone the
// join fails at once, back to mode 0 and no half world.
TEST(NetzTag, AClientJoinsTakesAFreeClubAndAFailedJoinLeavesNoWorld) {
    velmora_test::TestWelt dirs;
    ASSERT_TRUE(dirs.ok);
    ASSERT_TRUE(Sim_Welt_Erzeugen(dirs.install, true, 4));
    Server server;
    Bericht b;
    ASSERT_NO_FATAL_FAILURE(Verdrahten_Bis_Menue(server, {"Netz", "Club", "Saison"}, &b));
    EXPECT_EQ(Nehmen(server.Client(), b.verein[0], "Eins"), 1);

    Net_Kontext_Setzen(nullptr);
    ASSERT_TRUE(server.Beitreten());
    EXPECT_GT(Team_Anzahl(), b.verein[2]);
    EXPECT_EQ(Spielstart_Level(), 2) << "the server's level";
    ASSERT_NE(Team_Startteam(b.verein[0]), nullptr);
    EXPECT_TRUE(Team_Startteam(b.verein[0])->flags & STARTTEAM_CLIENT);
    EXPECT_EQ(Team_Startteam(b.markt)->team, -1) << "the market is not offered";
    SpielstartWahl* w = Spielstart_Wahl(0);
    std::strncpy(w->name, "Vier", sizeof w->name);
    w->team = b.verein[0];
    EXPECT_FALSE(Spielstart_Client_Starten()) << "taken";
    EXPECT_FALSE(Spielstart_Spiel_Laeuft());
    w->team = b.verein[2];
    ASSERT_TRUE(Spielstart_Client_Starten());
    EXPECT_TRUE(Spielstart_Spiel_Laeuft());
    EXPECT_EQ(Client_Team(), b.verein[2]);
    b = server.Fragen();
    // The fixtures are the server's: the same next opponent on both machines.
    ASSERT_GE(b.gegner[2], 0);
    EXPECT_EQ(Naechster_Gegner(b.verein[2]), b.gegner[2]);
    EXPECT_STREQ(b.manager[2], "Vier");
    EXPECT_TRUE(b.status[2] & TEAM_STATUS_CLIENT);

    // The server gone: the next join fails, mode 0, nothing fetched is left.
    Net_Kontext_Setzen(nullptr);
    Internet_Netzwerk_Stop();
    kill(server.pid, SIGKILL);
    server.getoetet = true;
    Netzwerk_Modus_Setzen(1);
    EXPECT_FALSE(Spielstart_Client_Beitreten());
    EXPECT_EQ(Netzwerk_Modus(), 0);
    EXPECT_EQ(Team_Anzahl(), 0);
    Spiel_Entdrahten();
}

// Behind one address a program connects, reads the players' list and
// closes, in a loop, until the address's stock of lists is empty. A client
// joining from that address meanwhile is not kept out: the list withheld
// before it takes its club comes once it has taken it (request 1036), and
// it holds the server's players; the loop still draws no list.
TEST(NetzTag, AClientJoiningWhileItsAddressIsDrainedOfListsGetsItsListOnceItTakesAClub) {
    constexpr uint32_t VORRAT = 2;
    struct Zurueck {
        ~Zurueck() { Spieler_Abgleich_Adressen_Setzen(4, 30000); }
    } zurueck;
    Spieler_Abgleich_Adressen_Setzen(VORRAT, 0);   // in the server process, which forks from here; none back by time
    velmora_test::TestWelt dirs;
    ASSERT_TRUE(dirs.ok);
    ASSERT_TRUE(Sim_Welt_Erzeugen(dirs.install, true, 4));
    Server server;
    Bericht b;
    ASSERT_NO_FATAL_FAILURE(Verdrahten_Bis_Menue(server, {"Netz", "Club", "Saison"}, &b));
    // One turn of the loop: a new connection of 127.0.0.1 reads the list
    // (version 0) and closes; whether it got the list.
    auto schleife = [&server] {
        server.Client();
        std::vector<uint8_t> a, antwort;
        ClubPacker{a}.i32(0);
        Abgleich_Client kopie;
        const bool liste = Club_Client_Lesen(ANFRAGE_SPIELER_ABGLEICH, "", a, antwort) && antwort.size() > 4 &&
                           kopie.Nehmen(antwort.data() + 4, antwort.size() - 4) && !kopie.bytes.empty();
        Internet_Netzwerk_Stop();
        return liste;
    };
    int32_t runden = 0;
    while (schleife()) ASSERT_LE(++runden, int32_t(VORRAT)) << "the stock never ran out";
    ASSERT_EQ(runden, int32_t(VORRAT)) << "the loop drew the address's stock";

    Net_Kontext_Setzen(nullptr);
    ASSERT_TRUE(server.Beitreten()) << "the join ended without the list";
    SpielstartWahl* w = Spielstart_Wahl(0);
    std::strncpy(w->name, "Neu", sizeof w->name);
    w->team = b.verein[1];
    ASSERT_TRUE(Spielstart_Client_Starten());
    EXPECT_EQ(Client_Team(), b.verein[1]);
    b = server.Fragen();
    EXPECT_EQ(Spieler_Pruefsumme(), b.spieler) << "the server's players on the client";

    EXPECT_FALSE(schleife()) << "the loop drew a list";
    Net_Kontext_Setzen(nullptr);
    Internet_Netzwerk_Stop();
    Netzwerk_Modus_Setzen(0);
    Spiel_Entdrahten();
}

// Money on a client: the server's game in the menu, this process a client
// that joined as the start screen does and plays the first club offered.
class NetzGeld : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dirs.ok);
        ASSERT_TRUE(Sim_Welt_Erzeugen(dirs.install, true, 4));
        server = std::make_unique<Server>();
        ASSERT_NO_FATAL_FAILURE(Verdrahten_Bis_Menue(*server, module, &b));
        team = b.verein[0];
        haupt = Net_Kontext_Neu();
        Net_Kontext_Setzen(haupt);
        ASSERT_TRUE(server->Beitreten());
        SpielstartWahl* w = Spielstart_Wahl(0);
        std::strncpy(w->name, "Eins", sizeof w->name);
        w->team = team;
        ASSERT_TRUE(Spielstart_Client_Starten());
    }
    void TearDown() override {
        Net_Kontext_Setzen(haupt);
        Internet_Netzwerk_Stop();
        Netzwerk_Modus_Setzen(0);
        Net_Kontext_Setzen(nullptr);
        if (haupt) Net_Kontext_Loeschen(haupt);
        server.reset();
        Spiel_Entdrahten();
    }
    velmora_test::TestWelt dirs;
    std::unique_ptr<Server> server;
    Bericht b;
    int32_t team = -1;
    NetKontext* haupt = nullptr;
    std::vector<std::string> module{"Netz", "Club", "Stadion", "Bank"};   // bound in this process
};

// Money moved from a client: a stadium change goes to the server as one
// request (1016), which prices and charges it; the client pays nothing of its
// own, so the club pays exactly once. A loan from the bank (1028) is booked
// once on the server. The client's copy of the balance then equals the
// server's.
TEST_F(NetzGeld, AClientsStadiumChangeAndBankLoanArePaidOnceOnTheServer) {
    const Bericht vor = server->Fragen();
    ASSERT_GT(vor.geld[0], 0);

    // Comfort up by three points: the server's price, charged once.
    const Stadion_Satz* alt = Stadion_Get(team, 1);
    ASSERT_NE(alt, nullptr);
    ASSERT_EQ(alt->komfort, vor.komfort[0]) << "the client reads the server's stadium";
    Stadion_Satz neu = *alt;
    neu.komfort = std::min(alt->komfort + 3, 100);
    ASSERT_NE(neu.komfort, alt->komfort);
    const int64_t preis = Stadion_Umbau_Preis(*alt, alt->modell, neu.komfort, alt->kapazitaet);
    ASSERT_GT(preis, 0);
    ASSERT_TRUE(Stadion_Netz_Nachricht(team, &neu));
    Bericht nach = server->Fragen();
    EXPECT_EQ(nach.komfort[0], neu.komfort);
    EXPECT_EQ(int64_t(vor.geld[0]) - nach.geld[0], preis) << "paid once";
    EXPECT_EQ(nach.geld[1], vor.geld[1]) << "no other club pays";
    ASSERT_TRUE(Bank_Sync_Status(team));
    EXPECT_EQ(Bank_Kontostand(team, false, -1), nach.geld[0]);

    // A loan of 1,000,000 from the bank: one item, the money once.
    ASSERT_TRUE(Bank_Kredit(-1, team, 1000000.0f, 12, 0, -1.0f, -1));
    const Bericht geliehen = server->Fragen();
    EXPECT_EQ(geliehen.posten[0], nach.posten[0] + 1);
    EXPECT_EQ(geliehen.geld[0] - nach.geld[0], 1000000);
    ASSERT_TRUE(Bank_Client_Alles_Holen(team));
    EXPECT_EQ(Bank_Kontostand(team, false, -1), geliehen.geld[0]);
    EXPECT_EQ(Bank_Anzahl_Posten(team), geliehen.posten[0]);
}

// Request 1013 of the client `c` as its news module packs it: the server's
// id of the item, -1 without one.
int32_t News_Senden(NetKontext* c, int32_t sender, int32_t empfaenger, uint32_t flags, const int32_t kopf[10]) {
    Net_Kontext_Setzen(c);
    std::vector<uint8_t> a, antwort;
    ClubPacker pk{a};
    for (int32_t w : {sender, empfaenger, -1, int32_t(flags)}) pk.i32(w);
    for (int32_t i = 0; i < 10; ++i) pk.i32(kopf[i]);
    pk.block_mit_laenge("Kredit?", 8);
    if (!Club_Client_Lesen(ANFRAGE_NEWS_HINZUFUEGEN, "", a, antwort) || antwort.size() != 4) return -1;
    return int32_t(Bytes_Get32(antwort.data()));
}

// A loan one manager's club asks of another's, each club played from a client
// of its own: the lender answers during the day, the server books the yes at
// the next day's request round (both sides, once) and a no books nothing; the
// borrower's client then shows the loan and the server's balance.
TEST_F(NetzGeld, ALoanBetweenTwoClientsManagersIsBookedOnTheLendersYesOnly) {
    const int32_t nehmer = team, geber = b.verein[1];
    NetKontext* zwei = server->Client();
    ASSERT_EQ(Nehmen(zwei, geber, "Zwei"), 1);

    struct Fall {
        int32_t antwort, geld;
    };
    for (const Fall& f : {Fall{1, 500000}, Fall{0, 0}}) {
        SCOPED_TRACE(f.antwort);
        const Bericht vor = server->Fragen();
        const int32_t kopf[10] = {ANFRAGE_ART_KREDIT, nehmer, geber, vor.tag + 5, 500000, 8, 12, 0, 0, -1};
        const int32_t id = News_Senden(haupt, nehmer, geber, NEWS_ANFRAGE, kopf);
        ASSERT_GT(id, 0);
        // The lender's answer at his turn.
        int32_t antwort[10] = {14, geber, 0, 0, 0, 0, 0, 0, 0, 0};
        antwort[NEWS_KOPF_ANFRAGE_ID] = id;
        antwort[NEWS_KOPF_ANTWORT] = f.antwort;
        EXPECT_GE(News_Senden(zwei, geber, -1, NEWS_ANTWORT, antwort), 0);
        EXPECT_EQ(server->Fragen().posten[0], vor.posten[0]) << "nothing before the request round";
        // Both managers end the day; the next day's round judges the answer.
        EXPECT_TRUE(Melden(haupt));
        EXPECT_TRUE(Melden(zwei));
        ASSERT_TRUE(server->Tag_Erreicht(vor.tag + 1));
        const uint32_t start = Plat_Ms();
        Bericht nach = server->Fragen();
        while (f.antwort && nach.posten[0] == vor.posten[0] && Plat_Ms() - start < test::WARTEN_GRENZE_MS) {
            Plat_Sleep_Ms(20);
            nach = server->Fragen();
        }
        EXPECT_EQ(nach.posten[0] - vor.posten[0], f.antwort);
        EXPECT_EQ(nach.posten[1] - vor.posten[1], f.antwort) << "the lender's money lent out";
        EXPECT_EQ(nach.tag, vor.tag + 1) << "no match day between: only the loan moves money";
        EXPECT_EQ(nach.geld[0] - vor.geld[0], f.geld);
        EXPECT_EQ(vor.geld[1] - nach.geld[1], f.geld);
        Net_Kontext_Setzen(haupt);
        ASSERT_TRUE(Bank_Client_Alles_Holen(nehmer));
        EXPECT_EQ(Bank_Anzahl_Posten(nehmer), nach.posten[0]);
        EXPECT_EQ(Bank_Kontostand(nehmer, false, -1), nach.geld[0]);
        if (!f.antwort) continue;
        // The loan runs its term of match periods and is paid back with
        // interest at its end: the borrower pays more than he got, the
        // lender gets it, both items are gone, and the client's copy agrees.
        int32_t perioden = 0;
        Bericht ende = nach;
        while (ende.posten[0] != vor.posten[0] && perioden < 60) {
            ende = server->Fragen('P');
            ++perioden;
        }
        EXPECT_GT(perioden, 1) << "paid back at the end of its term, not at once";
        EXPECT_EQ(ende.posten[0], vor.posten[0]);
        EXPECT_EQ(ende.posten[1], vor.posten[1]);
        const int32_t zurueck = nach.geld[0] - ende.geld[0];
        EXPECT_GT(zurueck, f.geld) << "the interest on top";
        EXPECT_EQ(ende.geld[1] - nach.geld[1], zurueck);
        ASSERT_TRUE(Bank_Client_Alles_Holen(nehmer));
        EXPECT_EQ(Bank_Anzahl_Posten(nehmer), ende.posten[0]);
        EXPECT_EQ(Bank_Kontostand(nehmer, false, -1), ende.geld[0]);
    }
}

// The line-up on a client, as its screen swaps: another club's players (the
// opponent the screen shows read-only) are refused and stay as they are on
// both machines; a starter and a substitute of the own club change slots on
// the client and, once the line-up is sent, on the server too.
TEST_F(NetzGeld, AClientSwapsOnlyItsOwnPlayersAndTheServerKeepsTheSwap) {
    const Bericht vor = server->Fragen();
    int32_t hier[2][TEAM_SPIELER_MAX][2];
    Slots_Lesen(team, hier[0]);
    Slots_Lesen(b.verein[1], hier[1]);
    for (int32_t k = 0; k < 2; ++k)
        for (int32_t s = 0; s < TEAM_SPIELER_MAX; ++s)
            ASSERT_EQ(Im_Slot(hier[k], s), Im_Slot(vor.slot[k], s)) << "the client reads the server's line-up";
    const int32_t fremd_a = Im_Slot(hier[1], 2), fremd_b = Im_Slot(hier[1], 12);
    const int32_t eigen_a = Im_Slot(hier[0], 2), eigen_b = Im_Slot(hier[0], 12);
    ASSERT_GE(std::min({fremd_a, fremd_b, eigen_a, eigen_b}), 0);

    EXPECT_FALSE(Spieler_Tauschen_Intern(fremd_a, fremd_b, b.verein[1], b.verein[1]));
    EXPECT_FALSE(Spieler_Tauschen_Intern(fremd_a, eigen_b, team, team)) << "one player of another club";
    ASSERT_TRUE(Spieler_Tauschen_Intern(eigen_a, eigen_b, team, team));
    Team_Formation_Flag_Loeschen(team);
    Team_Aufstellung_Senden(team);
    int32_t nachher[2][TEAM_SPIELER_MAX][2];
    Slots_Lesen(team, nachher[0]);
    Slots_Lesen(b.verein[1], nachher[1]);
    const Bericht nach = server->Fragen();
    for (int32_t s = 0; s < TEAM_SPIELER_MAX; ++s) {
        EXPECT_EQ(Im_Slot(nachher[1], s), Im_Slot(hier[1], s)) << "the other club on the client, slot " << s;
        EXPECT_EQ(Im_Slot(nach.slot[1], s), Im_Slot(vor.slot[1], s)) << "the other club on the server, slot " << s;
    }
    EXPECT_EQ(Im_Slot(nachher[0], 2), eigen_b);
    EXPECT_EQ(Im_Slot(nachher[0], 12), eigen_a);
    EXPECT_EQ(Im_Slot(nach.slot[0], 2), eigen_b) << "the server has the swap";
    EXPECT_EQ(Im_Slot(nach.slot[0], 12), eigen_a);
    int32_t getauscht = 0;
    for (int32_t s = 0; s < TEAM_SPIELER_MAX; ++s) getauscht += Im_Slot(nach.slot[0], s) != Im_Slot(vor.slot[0], s);
    EXPECT_EQ(getauscht, 2) << "the two players only";
}

// A client's days up to its club's first match: a club with a manager has no
// daily costs, so the server books nothing to it before the match and the
// client, which fetches the game's data at each new day as its calendar does,
// shows the server's balance unchanged; the match day books the match's money
// and the client's next fetch shows it. (Before its match a club's money moves
// only by its manager's own doings and the month's event, which goes to the
// local manager's club: on a server its own manager's, none here.)
TEST_F(NetzGeld, AClientsClubIsBookedByItsMatchAndTheClientShowsTheServersBalanceEveryDay) {
    Bericht vor = server->Fragen();
    const int32_t start = vor.geld[0];
    ASSERT_GT(start, 0);
    int32_t tage = 0;
    while (vor.geld[0] == start && tage < 60) {
        ASSERT_TRUE(Melden(haupt));
        ASSERT_TRUE(server->Tag_Erreicht(vor.tag + 1, test::WARTEN_GRENZE_MS, haupt)) << "day " << vor.tag;
        const Bericht nach = server->Fragen();
        Net_Kontext_Setzen(haupt);
        Client_Alles_Holen();
        EXPECT_EQ(Bank_Kontostand(team, false, -1), nach.geld[0]) << "day " << nach.tag;
        // The money moves on the day the match is played (its next opponent changes), not before.
        EXPECT_EQ(nach.geld[0] != start, nach.gegner[0] != vor.gegner[0]) << "day " << nach.tag;
        vor = nach;
        ++tage;
    }
    EXPECT_GT(tage, 1) << "days without a match came first";
    EXPECT_GT(vor.geld[0], start) << "the match's money";
}

// A camp booked on a client: the server counts it off its own copy of the
// manager's camps, once (a second booking while the camp runs is refused),
// the client's refresh does not bring the camp back, and a request naming
// another club is refused without a change.
class NetzLager : public NetzGeld {
protected:
    NetzLager() { module.push_back("Training"); }
};

TEST_F(NetzLager, AClientsCampBookingIsCountedOffOnceOnTheServer) {
    const Bericht vor = server->Fragen();
    ASSERT_GE(vor.lager[0], 1);
    ASSERT_GE(vor.lager[1], 1);
    Trainingslager_Oeffnen();
    EXPECT_EQ(Trainingslager_Uebrig(), vor.lager[0]) << "the booking page reads the server's count";
    const int32_t preis = Trainingslager_Kosten(0);
    ASSERT_LT(preis, vor.geld[0]);
    ASSERT_EQ(Trainingslager_Buchen(0, Plat_Ms()), TL_GEBUCHT);
    Bericht nach = server->Fragen();
    EXPECT_EQ(nach.lager[0], vor.lager[0] - 1);
    EXPECT_EQ(vor.geld[0] - nach.geld[0], preis) << "paid once";
    EXPECT_EQ(Trainingslager_Buchen(0, Plat_Ms()), TL_FEHLER) << "a camp runs";
    Club_Client_Refresh_Alle();
    EXPECT_EQ(Trainingslager_Uebrig(), vor.lager[0] - 1) << "the refresh keeps the camp counted off";
    // Another club's camps: refused by the client and, asked directly, by the server.
    EXPECT_EQ(Manager_Lager_Verbrauchen(b.verein[1]), -1);
    std::vector<uint8_t> a;
    ClubPacker pk{a};
    pk.i32(b.verein[1]);
    EXPECT_EQ(Club_Remote_Int("Lager", ANFRAGE_MANAGER_LAGER, "i<i", a, 0), -1);
    // Nor does the client's manager record, sent again with more camps.
    Manager_Record(team)->trainingslager = 99;
    EXPECT_TRUE(Manager_Internet_Client_Startinfo_2(team));
    nach = server->Fragen();
    EXPECT_EQ(nach.lager[0], vor.lager[0] - 1);
    EXPECT_EQ(nach.lager[1], vor.lager[1]);
}

}  // namespace
}  // namespace velmora
