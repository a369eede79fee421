// The club data over a real network: a server process and a client process on
// loopback and one user directory, wired by the composition root (the club
// requests in net's request switch, the club's remote calls, the save blocks,
// the lock on the user directory).
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/verdrahtung.h"
#include "match/day/spieltag_netz.h"
#include "club/club_netz.h"
#include "club/club_hooks.h"
#include "business/news_netz.h"
#include "business/bank_netz.h"
#include "club/team_suche.h"
#include "club/transfer.h"
#include "core/dirs.h"
#include "core/hooks.h"
#include "core/mem.h"
#include "core/spielstand.h"
#include "core/spielstand_testing.h"
#include "net/internet.h"
#include "net/net.h"
#include "platform/clock.h"
#include "tests/club/welt.h"
#include "tests/core/temp_verz.h"
#include "tests/support/sanitizer.h"

namespace velmora {
namespace {

constexpr int32_t GAST = 3;   // the client's club: players 18-35
constexpr int32_t MARKT = 600;   // players on the transfer market
constexpr int32_t ANDERER = 1;   // a starter of club 2, worth a star

// The network and the club data, bound as in a game.
bool Club_Verdrahten() {
    VerdrahtungOptionen o;
    o.nur = {"Netz", "Club"};
    std::string fehler;
    bool ok = Spiel_Verdrahten(o, &fehler);
    EXPECT_TRUE(ok) << fehler;
    return ok;
}

void Welt_Fuer_Beide() {
    Rnd_Init();
    test::Welt_Bauen(40, 18, MARKT);
    Manager_Neuer_Mitspieler(GAST, "Gast", -1);
    Team_Wert(7, GAST, TEAM_STATUS_CLIENT, OP_SETZEN);
    Team_Startteams_Fuellen();
}

// The server: serves until the client closes the pipe, then checks what the
// client changed and reports it in its exit code.
[[noreturn]] void Server_Prozess(int port_schreiben, int stop_lesen) {
    Welt_Fuer_Beide();
    Spieler_Wert(57, 21, 901, OP_SCHREIBEN);   // a change the client only sees through a refresh
    Spieler_Wert(SPW_STATUS, ANDERER, SP_STATUS_VERLETZT, OP_SETZEN);   // another club's starter injured
    Net_Init();
    if (!Club_Verdrahten()) _exit(13);
    uint8_t adresse[4] = {127, 0, 0, 1};
    Net_Bind_Adresse_Setzen(adresse);
    Net_Port_Setzen(0);
    Netzwerk_Modus_Setzen(2);
    if (!Internet_Netzwerk_Start()) _exit(10);
    // The server may save: it holds the user directory and writes a save game there.
    Spiel_Sperren();
    if (Dirs_Sperre() != DirsSperre::GEHALTEN || !Spielstand_Speichern(1)) _exit(16);
    uint16_t port = Net_Server_Port();
    if (write(port_schreiben, &port, sizeof port) != sizeof port) _exit(11);
    close(port_schreiben);
    fcntl(stop_lesen, F_SETFL, O_NONBLOCK);
    uint32_t start = Plat_Ms();
    for (;;) {
        char c;
        if (read(stop_lesen, &c, 1) == 0) break;   // the client is done
        if (Plat_Ms() - start > 6 * test::WARTEN_GRENZE_MS) _exit(12);
        Net_Pump();
        Net_Server_Slot_Pump();
        for (int32_t s = 0; s < NET_SLOTS_GESAMT; ++s) {
            Net_Client_Slot* slot = Net_Slot(s);
            if (slot && slot->zustand == 1 && slot->team != GAST) Net_Slot_Team_Setzen(s, GAST);
        }
        Net_Server_Bedienen();
        Net_Pump();
        Plat_Sleep_Ms(1);
    }
    // The permitted write arrived; the refused one did not.
    int code = 0;
    if (Spieler_Wert(57, 20, 0, 0) != 777) code |= 1;
    if (Spieler_Wert(57, 0, 0, 0) == 500) code |= 2;
    if (Team_Wert(19, GAST, 0, 0) != 12) code |= 4;
    if (Spieler_Get_Team(30) != 0) code |= 8;
    _exit(code);
}

TEST(ClubAnbindung, ClientAndServerProcessesOverLoopback) {
    velmora_test::TestWelt dirs;   // one user directory for both processes
    ASSERT_TRUE(dirs.ok);
    int port_pipe[2], stop_pipe[2];
    ASSERT_EQ(pipe(port_pipe), 0);
    ASSERT_EQ(pipe(stop_pipe), 0);
    pid_t kind = fork();
    ASSERT_GE(kind, 0);
    if (kind == 0) {
        close(port_pipe[0]);
        close(stop_pipe[1]);
        Server_Prozess(port_pipe[1], stop_pipe[0]);
    }
    close(port_pipe[1]);
    close(stop_pipe[0]);
    uint16_t port = 0;
    ASSERT_EQ(read(port_pipe[0], &port, sizeof port), ssize_t(sizeof port));

    test::LogFaenger faenger;
    Welt_Fuer_Beide();
    Net_Init();
    ASSERT_TRUE(Club_Verdrahten());
    uint32_t adresse[4] = {127, 0, 0, 1};
    Net_Server_Adresse_Setzen(adresse);
    Net_Port_Setzen(port);
    Netzwerk_Modus_Setzen(1);
    ASSERT_TRUE(Internet_Netzwerk_Start());
    // The client saves nothing and leaves the user directory to the server:
    // it takes no lock and is not told that another instance runs there.
    std::string meldung;
    static std::string* meldungen;
    meldungen = &meldung;
    Core_Hooks().meldung = [](const char* t) { *meldungen += t; };
    Spiel_Sperren();
    EXPECT_EQ(Dirs_Sperre(), DirsSperre::KEINE);
    EXPECT_EQ(meldung, "");
    EXPECT_FALSE(Spielstand_Speichern(2));
    EXPECT_FALSE(std::filesystem::exists(std::string(Dirs_Get(DIR_SPIELSTAND)) + "/game_2.qzv"));
    Core_Hooks().meldung = nullptr;
    // The server hands every welcomed slot the guest's club in each pass
    // before it serves the pass's requests: the first write finds it set.
    Client_Team_Setzen(GAST);

    EXPECT_EQ(Spieler_Wert(57, 0, 500, OP_SCHREIBEN), 0);   // another club's player
    EXPECT_TRUE(test::Log_Enthaelt("Spieler_Wert: CLIENT-WRITE!"));
    EXPECT_EQ(Spieler_Wert(57, 20, 777, OP_SCHREIBEN), 777);   // own player
    EXPECT_EQ(Team_Wert(19, GAST, 12, OP_SCHREIBEN), 12);
    EXPECT_EQ(Spieler_Wert(57, 21, 0, 0), 0);   // the server's change is not here yet
    EXPECT_TRUE(Spieler_Internet_Client_Refresh());
    EXPECT_EQ(Spieler_Wert(57, 21, 0, 0), 901);
    // A client's news check every 5 s fetches the start teams and the clubs'
    // table with the market list; the second time, nothing changed, only the
    // own club's private part travels whole.
    for (int32_t runde = 0; runde < 2; ++runde) {
        const uint64_t vorher = Net_Zaehler_Lesen().empfangen;
        ASSERT_TRUE(Team_Internet_Client_Startteams());
        ASSERT_TRUE(Team_Internet_Client_Refresh());
        const uint64_t bytes = Net_Zaehler_Lesen().empfangen - vorher;
        EXPECT_EQ(Team_Startteams_Anzahl(), Team_Anzahl());
        std::vector<int32_t> markt(MARKT_SPIELER_MAX);
        EXPECT_EQ(Teamspieler_Ins_Array(Team_Markt(), markt.data(), MARKT_SPIELER_MAX, 0), MARKT);
        const uint64_t listen = sizeof(StartTeam) * uint64_t(Team_Anzahl()) + 4 * MARKT;
        if (runde == 0) EXPECT_GT(bytes, listen);
        else EXPECT_LE(bytes, sizeof(TeamOwn) + 3 * 96) << "the lists have " << listen;
    }
    // The header shows the strength of the client's next opponent, summed
    // from its players on this machine: the main screen's refresh brings the
    // server's (its starter injured there), not the players as they came at the start.
    const int32_t vorher = Team_Berechne_Staerke(2, 16);
    const int32_t ohne = vorher - Spieler_Wert(SPW_SPIEL_STERNE, ANDERER, 0, OP_LESEN);
    ASSERT_LT(ohne, vorher);
    Net_Hooks().client_refresh.Aufrufen();
    EXPECT_EQ(Team_Berechne_Staerke(2, 16), ohne);
    EXPECT_TRUE(Spieler_Status(ANDERER) & SP_STATUS_VERLETZT);
    // A transfer of an own player to the market travels as block 4.
    EXPECT_TRUE(Spieler_Transfer_Ausfuehren(GAST, 0, 30, -1, 0.0f));

    Internet_Netzwerk_Stop();
    Netzwerk_Modus_Setzen(0);
    Spiel_Entdrahten();
    close(stop_pipe[1]);
    int status = 0;
    ASSERT_EQ(waitpid(kind, &status, 0), kind);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: own write missing, 2: foreign write arrived, 4: team write missing, "
                                         "8: transfer missing, 16: the server could not lock or save";
    EXPECT_TRUE(std::filesystem::exists(std::string(Dirs_Get(DIR_SPIELSTAND)) + "/game_1.qzv"));
    test::Welt_Freigeben();
}

TEST(ClubAnbindung, ClubBlocksRoundTripThroughTheSaveDriver) {
    test::LogFaenger faenger;
    Welt_Fuer_Beide();
    ASSERT_TRUE(Club_Verdrahten());
    std::vector<uint8_t> bild;
    ASSERT_TRUE(Spielstand_Speichern_In_Bild(&bild));
    std::vector<uint8_t> spieler_vorher, team_vorher;
    Spieler_Save(spieler_vorher);
    Team_Save(team_vorher);
    Spieler_Wert(57, 5, 333, OP_SCHREIBEN);
    Team_Wert(19, 2, 9, OP_SCHREIBEN);
    ASSERT_TRUE(Spielstand_Laden_Aus_Bild(bild));
    std::vector<uint8_t> spieler_nachher, team_nachher;
    Spieler_Save(spieler_nachher);
    Team_Save(team_nachher);
    EXPECT_EQ(spieler_nachher, spieler_vorher);
    EXPECT_EQ(team_nachher, team_vorher);
    Spiel_Entdrahten();
    test::Welt_Freigeben();
}

// The requests after which a client's copy of its players' server records
// still answers (pure reads, a news item's flags, the single values) and
// those that make it ask again (its day's report, a news item added, a
// transfer, a team value, the join), as the composition root lists them.
int32_t g_aufrufe = 0;
int32_t g_modus = 1;
TEST(ClubAnbindung, TheClientsCopyOfTheServersRecordsOutlivesOnlyRequestsThatChangeNothingElse) {
    test::LogFaenger faenger;
    Welt_Fuer_Beide();
    ASSERT_TRUE(Club_Verdrahten());
    // The client's calls answered by the same world's server side.
    ClubHooks& h = Club_Hooks();
    h.netzwerk_modus = [] { return g_modus; };
    h.client_team = [] { return GAST; };
    h.client_read = [](int32_t anfrage, const char*, const std::vector<uint8_t>& a, std::vector<uint8_t>& antwort) {
        ++g_aufrufe;
        g_modus = 2;
        const bool ok = Club_Server_Anfrage(anfrage, GAST, a.data(), a.size(), antwort);
        g_modus = 1;
        return ok;
    };
    const struct {
        int32_t anfrage;
        bool behalten;
    } faelle[] = {{ANFRAGE_SPIELER_ABGLEICH, true}, {ANFRAGE_BANK_STATUS, true},       {ANFRAGE_NEWS_SETZEN, true},
                  {ANFRAGE_SPIELER_WERT, true},     {ANFRAGE_SPIELTAG_MELDEN, false},  {ANFRAGE_NEWS_HINZUFUEGEN, false},
                  {ANFRAGE_TEAM_WERT, false},       {ANFRAGE_TEAM_NEHMEN, false},      {ANFRAGE_BANK_AUSZAHLUNG, false}};
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.anfrage);
        ASSERT_TRUE(Spieler_Internet_Client_Refresh());
        Net_Hooks().client_anfrage.Aufrufen(f.anfrage);
        g_aufrufe = 0;
        Spieler_Wert(SPW_RUECKENNUMMER, 20, 0, OP_LESEN);
        EXPECT_EQ(g_aufrufe, f.behalten ? 0 : 1);
    }
    Spiel_Entdrahten();
    test::Welt_Freigeben();
}

}  // namespace
}  // namespace velmora
