// tools/velmora_netmatch.cpp - one networked match in lock-step, from two
// processes: the server plays a small generated world's days with club N
// given to the client that joins; the client builds the same world, asks for
// club N's slot, fetches the record and plays the match in lock-step. Both
// print a line per game minute and the result.
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "app/sim_lauf.h"
#include "app/verdrahtung.h"
#include "club/club_anbindung.h"
#include "club/manager.h"
#include "club/spieler.h"
#include "club/team.h"
#include "core/dirs.h"
#include "core/hooks.h"
#include "core/str.h"
#include "match/day/spieltag.h"
#include "match/day/spieltag_netz.h"
#include "match/record/spielfeld.h"
#include "match/record/spielfeld_sync.h"
#include "net/internet.h"
#include "net/min_signal.h"
#include "net/net.h"
#include "platform/clock.h"
#include "screens/einwechseln.h"
#include "screens/regler.h"
#include "season/kalender.h"
#include "season/spiele.h"
#include "tools/werkzeug.h"

namespace {

using namespace velmora;

constexpr const char* NAME = "velmora-netmatch";
constexpr const char* BENUTZUNG =
    "Usage: velmora-netmatch --server PORT --team N [--seed S]\n"
    "       velmora-netmatch --client HOST:PORT --team N [--seed S]\n"
    "Plays club N's next match of a small generated world over the network, the\n"
    "server computing it and the client following it in lock-step.\n"
    "\n"
    "      --server PORT  listen on 127.0.0.1:PORT (0: a free port, printed), give club N to the client that\n"
    "                     joins and play the days up to the end of club N's match day\n"
    "      --client HOST:PORT  join the server at the IPv4 address HOST, take club N,\n"
    "                     ask for its slot, fetch its match and play it in lock-step\n"
    "      --team N       the club (team number) the client plays\n"
    "      --seed S       the seed of the world (the same on both sides; default 1)\n"
    "      --timeout S    give up after S seconds (default 300)\n"
    "      --silent-drop S  (server) drop a client that sends nothing for S seconds (default 60)\n"
    "      --inputs M     (client) the manager moves a player in minute M, changes a\n"
    "                     slider of his tactics in M + 1 and pairs a substitute in M + 2\n"
    "  -h, --help         this text\n"
    "      --version      the version\n"
    "\n"
    "Both print per game minute: the minute, the other side's released minute,\n"
    "the checksum stored for the minute, the re-fetches so far, the score and the\n"
    "client club's tactic slider, its players on the pitch or due to come on and\n"
    "a sum of its line positions; then the result and the longest stretch of work\n"
    "between two rests of the main loop while the match ran, and how often a\n"
    "remote call of the match day made it wait. The client prints each packet it re-sent\n"
    "while waiting, with the time since its packet before, and each pass a\n"
    "remote call held for over a second.\n"
    "\n"
    "Exit status: 0 played, 1 the world or the network could not be started,\n"
    "2 bad usage, 3 the other side vanished or the time ran out.\n";

enum Ende : int { OK = 0, START = 1, BENUTZT = 2, ABBRUCH = 3 };
// The name the client's manager joins with.
constexpr const char* CLIENT_MANAGER = "Netzmanager";

struct Optionen {
    bool server = false;
    uint32_t adresse[4] = {127, 0, 0, 1};
    uint16_t port = 0;
    int32_t team = -1;
    uint32_t seed = 1;
    uint32_t timeout_s = 300;
    uint32_t stille_s = 0;     // 0: the network's own limit
    int32_t eingaben = -1;     // the minute of the manager's first input, -1 none
};

// The main thread's stretches of work between two rests (the loop's own sleep
// or the wait of a remote call, which in the game serves the window): the
// longest in wall time and in the thread's CPU time, and the longest gap
// between two rests' ends, while the match runs.
struct Durchlaeufe {
    bool messen = false;
    int64_t beginn = 0, cpu_beginn = 0, letzte_rast = 0;
    int64_t laengste = 0, laengste_cpu = 0, groesste_luecke = 0;
    bool im_spieltag = false;   // the match day's walk runs
    int64_t rufwarten = 0;      // rests inside a remote call's wait during the match day's walk

    static int64_t Wand() {
        return std::chrono::duration_cast<std::chrono::microseconds>(
                   std::chrono::steady_clock::now().time_since_epoch())
            .count();
    }
    static int64_t Cpu() {
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return int64_t(t.tv_sec) * 1000000 + t.tv_nsec / 1000;
    }
    void Starten() {
        messen = true;
        beginn = letzte_rast = Wand();
        cpu_beginn = Cpu();
    }
    void Ruhen(uint32_t ms) {
        if (messen) {
            const int64_t jetzt = Wand();
            laengste = std::max(laengste, jetzt - beginn);
            laengste_cpu = std::max(laengste_cpu, Cpu() - cpu_beginn);
            groesste_luecke = std::max(groesste_luecke, jetzt - letzte_rast);
        }
        Plat_Sleep_Ms(ms);
        beginn = letzte_rast = Wand();
        cpu_beginn = Cpu();
    }
    // The wait hook of a remote call: a rest, counted.
    void Rufwarten() {
        if (messen && im_spieltag) ++rufwarten;
        Ruhen(1);
    }
    void Drucken() const {
        std::printf("worst pass %.1f ms cpu %.1f ms, longest loop gap %.1f ms, remote-call waits in the match day %lld\n",
                    double(laengste) / 1000, double(laengste_cpu) / 1000, double(groesste_luecke) / 1000,
                    static_cast<long long>(rufwarten));
    }
};
Durchlaeufe g_lauf;

bool zahl(const char* text, long lo, long hi, long& out) {
    char* ende = nullptr;
    out = std::strtol(text, &ende, 10);
    return *text && ende && !*ende && out >= lo && out <= hi;
}

bool adresse_lesen(const char* text, Optionen& o) {
    unsigned a, b, c, d, p;
    char rest;
    if (std::sscanf(text, "%u.%u.%u.%u:%u%c", &a, &b, &c, &d, &p, &rest) != 5) return false;
    if (a > 255 || b > 255 || c > 255 || d > 255 || p == 0 || p > 65535) return false;
    o.adresse[0] = a, o.adresse[1] = b, o.adresse[2] = c, o.adresse[3] = d;
    o.port = uint16_t(p);
    return true;
}

// The record of the club's match on this machine, with its side.
Spielfeld_Satz* Satz_Des_Teams(int32_t team, int32_t* seite) {
    for (Spielfeld_Satz* s = Spielfeld_Anzahl() ? Spielfeld_Naechster(nullptr) : nullptr; s; s = Spielfeld_Naechster(s)) {
        const int32_t x = Spielfeld_Seite_Von_Team(s, team);
        if (x >= 0) {
            *seite = x;
            return s;
        }
    }
    return nullptr;
}

// The client club's side as the record has it: slider 3 of its tactics, its
// slots on the pitch or due to come on (a bit each), and the sum of its line
// values. Only the manager's inputs change the first and the last; the
// middle one gains a player when a pair is entered and keeps him once he is on.
struct Seitenstand {
    int32_t taktik = 0;
    uint32_t dabei = 0;
    uint32_t linien = 0;
};
Seitenstand Seite_Lesen(const Spielfeld_Satz& s, int32_t seite) {
    Seitenstand st;
    st.taktik = s.taktik[seite][2];
    for (int32_t i = 0; i < SF_SPIELER_SEITE; ++i) {
        const int32_t slot = seite * SF_SPIELER_SEITE + i;
        bool dabei = (s.spieler[slot].zustand & SM_AUF_PLATZ) != 0;
        for (int32_t k = 0; k < SF_WECHSEL; ++k) dabei |= s.wechsel_ein[seite][k] == slot;
        if (dabei) st.dabei |= 1u << i;
        for (int32_t k = 0; k < 4; ++k) st.linien += uint32_t(s.spieler[slot].linie[k]);
    }
    return st;
}

// The line of a game minute, once per minute.
struct Minutenzeilen {
    int32_t letzte = -1;
    void frame(int32_t team) {
        int32_t seite = 0;
        Spielfeld_Satz* s = Satz_Des_Teams(team, &seite);
        if (!s || s->minute == letzte) return;
        letzte = s->minute;
        const int32_t andere = Netzwerk_Modus() == 1 ? 1 - seite : seite;
        const uint32_t pruef = s->minute >= 0 && s->minute < SF_MINUTEN_PRUEFSUMMEN ? s->pruefsumme[s->minute][0] : 0;
        const Seitenstand st = Seite_Lesen(*s, seite);
        std::printf("minute %3d  other released %3u  checksum %6u  refetches %u  score %d:%d  tactic %d on %05x "
                    "lines %u  panel %d\n",
                    s->minute, Sync_Minute(s, andere), pruef, Sync_Zaehler_Lesen().abrufe, s->tore[0], s->tore[1],
                    st.taktik, st.dabei, st.linien, Regler_Wert(*s, seite, 3));
        std::fflush(stdout);
    }
};

// The client's manager at work, as his panels do it: in minute M he drags a
// field player to another place, in M + 1 raises (or at the top lowers)
// slider 3, in M + 2 pairs his first substitute with a player on the pitch.
// Each input goes into the record's edit copy and travels in the ring.
struct Manager {
    int32_t ab = -1, schritt = 0;
    ReglerStand regler;
    void frame(int32_t team) {
        int32_t seite = 0;
        Spielfeld_Satz* s = ab >= 0 && schritt < 3 ? Satz_Des_Teams(team, &seite) : nullptr;
        if (!s || s->minute < ab + schritt || s->minute > 80) return;
        EinwechselnStand st;
        st.team = team;
        Einwechseln_Fuellen(*s, &st, 0, 0);
        if (schritt == 0) {
            const int32_t k = 5, slot = st.marker_slot[k];
            if (slot < 0 || !st.marker_an[k]) return;
            // A quarter of the small pitch across from where he stands.
            const int32_t mx = st.marker_x[k] < SPL_FELD_H / 2 ? st.marker_x[k] + SPL_FELD_H / 4 : st.marker_x[k] - SPL_FELD_H / 4;
            Einwechseln_Marker_Setzen(s, &st, k, mx, st.marker_y[k], 0, 0);
            std::printf("input move slot %d in minute %d\n", slot, s->minute);
        } else if (schritt == 1) {
            const int32_t vorher = s->e_taktik[seite][2];
            const int32_t knopf = ICON_REGLER_MINUS + 2 * 3 + (vorher >= 100 ? 0 : 1);
            if (!Regler_Klick(s, seite, knopf, Plat_Ms(), &regler)) return;
            std::printf("input tactic %d in minute %d\n", s->e_taktik[seite][2], s->minute);
        } else {
            const uint32_t uhr = Plat_Ms();
            Einwechseln_Zeile_Klick(s, &st, 1, uhr, nullptr);
            Einwechseln_Zeile_Klick(s, &st, SPL_FELD, uhr, nullptr);
            const int32_t rein = s->e_wechsel_ein[seite][0];
            if (rein < 0 || rein >= SF_SPIELER) return;
            std::printf("input substitution slot %d bit %d in minute %d\n", rein, rein % SF_SPIELER_SEITE, s->minute);
        }
        std::fflush(stdout);
        ++schritt;
    }
};

// The client's ring: each entry of its own side, once, with its change bits
// and the minute it is due.
struct Ringeintraege {
    std::vector<std::pair<uint32_t, uint32_t>> gesehen;   // (period << 16 | due minute, bits)
    void frame(int32_t team) {
        int32_t seite = 0;
        Spielfeld_Satz* s = Satz_Des_Teams(team, &seite);
        if (!s) return;
        const Sync_Eintrag* ring = Sync_Ring(s);
        for (int32_t i = 0; i < SYNC_EINTRAEGE; ++i) {
            const Sync_Eintrag& e = ring[i];
            if (!e.faellig_minute[seite] || !e.aenderung[seite]) continue;
            const std::pair<uint32_t, uint32_t> k{uint32_t(e.faellig_abschnitt[seite]) << 16 | e.faellig_minute[seite],
                                                  e.aenderung[seite]};
            if (std::find(gesehen.begin(), gesehen.end(), k) != gesehen.end()) continue;
            gesehen.push_back(k);
            std::printf("entry bits %u due %u period %u in minute %d\n", k.second, e.faellig_minute[seite],
                        e.faellig_abschnitt[seite], s->minute);
            std::fflush(stdout);
        }
    }
};

// The client's packets: each one re-sent while waiting is printed with the
// time since the packet before it (and whether a record was fetched since).
struct Sendungen {
    uint32_t gesendet = 0, wiederholt = 0, abrufe = 0, zeit = 0;
    void frame() {
        const Sync_Zaehler& z = Sync_Zaehler_Lesen();
        if (z.gesendet == gesendet) return;
        const uint32_t jetzt = Plat_Ms();
        // Flushed at once: a watcher may wait for the re-sends while the match stands still.
        if (z.wiederholt != wiederholt && gesendet > 0) {
            std::printf("resent %u ms after the packet before%s\n", jetzt - zeit,
                        z.abrufe != abrufe ? " (fetched since)" : "");
            std::fflush(stdout);
        }
        gesendet = z.gesendet;
        wiederholt = z.wiederholt;
        abrufe = z.abrufe;
        zeit = jetzt;
    }
};

// The slot of the club's game today, -1 none.
int32_t Slot_Des_Teams(int32_t team, Spieltag_Slot* out) {
    for (int32_t i = 0; i < Spieltag_Slot_Anzahl(); ++i) {
        Spieltag_Slot s;
        if (!Spieltag_Get_Slot(i, &s)) continue;
        const SpielDatensatz* sp = Spiele_Get_Spiel(s.spiel, 0);
        if (sp && (sp->heim == team || sp->gast == team)) {
            *out = s;
            return i;
        }
    }
    return -1;
}

void Ergebnis_Drucken(int32_t spiel) {
    const SpielDatensatz* sp = Spiele_Get_Spiel(spiel, 0);
    if (!sp) {
        std::printf("result: unknown\n");
        return;
    }
    std::printf("result %d:%d (home %d, away %d)\n", sp->tore_heim, sp->tore_gast, sp->heim, sp->gast);
    const Net_Zaehler n = Net_Zaehler_Lesen();
    const Sync_Zaehler& z = Sync_Zaehler_Lesen();
    std::printf("bytes sent %llu received %llu fetching %llu; packets sent %u answered %u refused %u; fetches %u "
                "refused %u; checksum errors %u; largest lead %d\n",
                static_cast<unsigned long long>(n.gesendet), static_cast<unsigned long long>(n.empfangen),
                static_cast<unsigned long long>(z.abruf_bytes), z.gesendet, z.beantwortet, z.verworfen, z.abrufe,
                z.abrufe_verworfen, z.pruef_fehler, z.groesste_differenz);
}

int server(const Optionen& o) {
    const uint8_t lo[4] = {127, 0, 0, 1};
    Net_Init();
    Net_Bind_Adresse_Setzen(lo);
    Net_Port_Setzen(o.port);
    Netzwerk_Modus_Setzen(2);
    if (o.stille_s) Net_Zeiten_Wert().client_stille_ms = o.stille_s * 1000;
    if (!Internet_Netzwerk_Start()) {
        std::fprintf(stderr, "%s: cannot listen on 127.0.0.1:%u\n", NAME, o.port);
        return START;
    }
    std::printf("listening on 127.0.0.1:%u\n", Net_Server_Port());
    std::fflush(stdout);
    const uint32_t start = Plat_Ms(), grenze = o.timeout_s * 1000;
    // Club N goes to the connection that takes it with the game's own join
    // (the client's request for a club); what else connects gets nothing.
    int32_t platz = -1;
    while (platz < 0) {
        if (Plat_Ms() - start > grenze) return ABBRUCH;
        Net_Pump();
        Net_Server_Slot_Pump();
        Net_Server_Bedienen();
        Net_Pump();
        for (int32_t s = 0; s < NET_SLOTS_GESAMT; ++s)
            if (Net_Slot(s) && Net_Slot(s)->zustand == 1 && Net_Slot(s)->team == o.team) platz = s;
        Plat_Sleep_Ms(2);
    }
    std::printf("client %s joined for club %d\n", Manager_Name(o.team), o.team);
    std::fflush(stdout);
    Minutenzeilen zeilen;
    int32_t spiel = -1, tag = -1;
    bool gespielt = false;
    while (!gespielt) {
        if (Plat_Ms() - start > grenze) {
            std::fprintf(stderr, "%s: the time ran out on day %d\n", NAME, Tag_Index());
            return ABBRUCH;
        }
        Net_Pump();
        Net_Server_Slot_Pump();
        Net_Server_Bedienen();
        Net_Pump();
        Kalender_Main();
        zeilen.frame(o.team);
        Spieltag_Slot s;
        if (Slot_Des_Teams(o.team, &s) >= 0 && spiel < 0) {
            spiel = s.spiel;
            tag = Tag_Index();
            g_lauf.Starten();
        }
        if (spiel > 0 && Tag_Index() != tag) gespielt = true;
        if (Kalender_Get_Runmodus() == KALENDER_AUS) return START;
        g_lauf.Ruhen(1);
    }
    g_lauf.messen = false;
    Ergebnis_Drucken(spiel);
    g_lauf.Drucken();
    // The client plays its last minutes and takes the result before it
    // leaves: the server answers until it has gone.
    while (Plat_Ms() - start < grenze) {
        Net_Pump();
        Net_Server_Slot_Pump();
        Net_Server_Bedienen();
        Net_Pump();
        if (!Net_Slot(platz) || Net_Slot(platz)->zustand != 1) break;
        Plat_Sleep_Ms(2);
    }
    return OK;
}

int client(const Optionen& o) {
    Net_Init();
    Net_Server_Adresse_Setzen(o.adresse);
    Net_Port_Setzen(o.port);
    Netzwerk_Modus_Setzen(1);
    if (!Internet_Netzwerk_Start()) {
        std::fprintf(stderr, "%s: cannot join %u.%u.%u.%u:%u\n", NAME, o.adresse[0], o.adresse[1], o.adresse[2],
                     o.adresse[3], o.port);
        return START;
    }
    // The game's join: the server gives the club to this connection, or refuses.
    if (Team_Internet_Client_Set_User_Active(0, o.team, CLIENT_MANAGER, 1, nullptr) != 1) {
        std::fprintf(stderr, "%s: the server did not give club %d\n", NAME, o.team);
        return START;
    }
    if (!Team_Hat_Manager(o.team)) Manager_Neuer_Mitspieler(o.team, CLIENT_MANAGER, 1);
    Client_Team_Setzen(o.team);
    const uint32_t start = Plat_Ms(), grenze = o.timeout_s * 1000;
    auto weg = [] {
        if (Net_Server_Verbindung() >= 0) return false;
        std::fprintf(stderr, "%s: the server is gone\n", NAME);
        return true;
    };
    // Report the day's end and ask for the slot until the server has one.
    Spieltag_Slot slot{};
    uint32_t gefragt = 0;
    while (Slot_Des_Teams(o.team, &slot) < 0) {
        if (Plat_Ms() - start > grenze || weg()) return ABBRUCH;
        if (Plat_Ms() - gefragt > 300) {
            gefragt = Plat_Ms();
            Spieltag_Client_Melden();
            Spieltag_Kein_Spiel_Loeschen();
            Spieltag_Slot_Anfordern(o.team);
        }
        Net_Pump();
        Plat_Sleep_Ms(5);
    }
    const SpielDatensatz* sp = Spiele_Get_Spiel(slot.spiel, 0);
    if (!sp) return START;
    const int32_t w = sp->wettbewerb, r = sp->runde, p = sp->paarung, t = sp->spieltag, spiel = slot.spiel;
    std::printf("slot of club %d: game %d, home %d away %d\n", o.team, spiel, sp->heim, sp->gast);
    std::fflush(stdout);
    Minutenzeilen zeilen;
    Manager manager;
    manager.ab = o.eingaben;
    Sendungen sendungen;
    Ringeintraege eintraege;
    uint32_t letzte_antwort = Plat_Ms(), antworten = 0, gesendet = 0;
    g_lauf.Starten();
    for (;;) {
        if (Plat_Ms() - start > grenze || weg()) return ABBRUCH;
        const uint32_t pass_beginn = Plat_Ms();
        Net_Pump();
        Net_Client_Bedienen();
        g_lauf.im_spieltag = true;
        Spieltag_Run(0);
        g_lauf.im_spieltag = false;
        Net_Pump();
        // A pass held by a remote call (the wait of a fetch) for over a second.
        if (const uint32_t gehalten = Plat_Ms() - pass_beginn; gehalten > 1000)
            std::printf("held %u ms in a remote call\n", gehalten);
        zeilen.frame(o.team);
        manager.frame(o.team);
        eintraege.frame(o.team);
        sendungen.frame();
        // Only a packet still unanswered counts against the server.
        const Sync_Zaehler& z = Sync_Zaehler_Lesen();
        if (z.beantwortet != antworten || z.gesendet == gesendet) {
            antworten = z.beantwortet;
            gesendet = z.gesendet;
            letzte_antwort = Plat_Ms();
        } else if (Plat_Ms() - letzte_antwort > Net_Zeiten_Wert().antwort_ms) {
            std::fprintf(stderr, "%s: no minute answer from the server for %u ms\n", NAME, Net_Zeiten_Wert().antwort_ms);
            return ABBRUCH;
        }
        const int32_t st = Spieltag_Slot_Status(spiel);
        if (st == SLOT_BEENDET || st == SLOT_GESCHLOSSEN) break;
        g_lauf.Ruhen(1);
    }
    g_lauf.messen = false;
    int32_t seite = 0;
    if (Spielfeld_Satz* s = Satz_Des_Teams(o.team, &seite))
        std::printf("own record %d:%d\n", s->tore[0], s->tore[1]);
    // The last two minutes went unchecked: the result is the server's, once
    // the server has no open match of the club any more.
    const uint32_t ende = Plat_Ms();
    Spieltag_Kein_Spiel_Loeschen();
    while (!Spieltag_Kein_Spiel()) {
        if (Plat_Ms() - start > grenze || weg()) return ABBRUCH;
        Spieltag_Slot_Anfordern(o.team);
        if (!Spieltag_Kein_Spiel()) Plat_Sleep_Ms(200);
        Net_Pump();
    }
    std::printf("server finished %u ms after the client\n", Plat_Ms() - ende);
    const Spiel_Lock geholt = Spiele_Client_Holen(w, r, p, t);
    Ergebnis_Drucken(geholt > 0 ? geholt : spiel);
    g_lauf.Drucken();
    Internet_Netzwerk_Stop();
    return geholt > 0 ? OK : ABBRUCH;
}

}  // namespace

int main(int argc, char** argv) {
    if (int r = werkzeug::Hilfe_Oder_Version(argc, argv, NAME, BENUTZUNG); r >= 0) return r;
    Optionen o;
    bool rolle = false;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (i + 1 >= argc) return werkzeug::Falsch(NAME, "option '" + a + "' needs a value");
        const char* v = argv[++i];
        long n = 0;
        if (a == "--server") {
            if (!zahl(v, 0, 65535, n)) return werkzeug::Falsch(NAME, std::string("--server takes a port, not '") + v + "'");
            o.server = true;
            o.port = uint16_t(n);
            rolle = true;
        } else if (a == "--client") {
            if (!adresse_lesen(v, o)) return werkzeug::Falsch(NAME, std::string("--client takes HOST:PORT, not '") + v + "'");
            rolle = true;
        } else if (a == "--team") {
            if (!zahl(v, 0, 100000, n)) return werkzeug::Falsch(NAME, std::string("--team takes a number, not '") + v + "'");
            o.team = int32_t(n);
        } else if (a == "--seed") {
            if (!zahl(v, 0, 0x7FFFFFFF, n)) return werkzeug::Falsch(NAME, std::string("--seed takes a number, not '") + v + "'");
            o.seed = uint32_t(n);
        } else if (a == "--silent-drop") {
            if (!zahl(v, 1, 3600, n)) return werkzeug::Falsch(NAME, std::string("--silent-drop takes seconds, not '") + v + "'");
            o.stille_s = uint32_t(n);
        } else if (a == "--inputs") {
            if (!zahl(v, 1, 80, n)) return werkzeug::Falsch(NAME, std::string("--inputs takes a minute 1-80, not '") + v + "'");
            o.eingaben = int32_t(n);
        } else if (a == "--timeout") {
            if (!zahl(v, 1, 36000, n)) return werkzeug::Falsch(NAME, std::string("--timeout takes seconds, not '") + v + "'");
            o.timeout_s = uint32_t(n);
        } else {
            return werkzeug::Falsch(NAME, "unknown option '" + a + "'");
        }
    }
    if (!rolle || o.team < 0) return werkzeug::Falsch(NAME, "--server or --client and --team are needed");

    std::random_device rd;
    const std::filesystem::path temp =
        std::filesystem::temp_directory_path() / ("velmora_netmatch_" + std::to_string(rd()) + std::to_string(rd()));
    struct Aufraeumen {
        std::filesystem::path p;
        ~Aufraeumen() {
            std::error_code ec;
            std::filesystem::remove_all(p, ec);
        }
    } aufraeumen{temp};
    const std::string install = (temp / "install").string();
    if (!Sim_Welt_Erzeugen(install, true, o.seed)) {
        std::fprintf(stderr, "%s: the world could not be generated\n", NAME);
        return START;
    }
    setenv("XDG_CONFIG_HOME", (temp / "settings").c_str(), 1);
    setenv("XDG_CACHE_HOME", (temp / "cache").c_str(), 1);
    // Given straight to the directory table, not through the settings file: a
    // temporary folder that takes no settings file must not hide them.
    Dirs_Setze_Installation(install.c_str());
    Dirs_Setze_Benutzer((temp / "user").c_str());
    if (Dirs_Init() != 1) {
        std::fprintf(stderr, "%s: %s\n", NAME, Dirs_Fehler());
        return START;
    }
    VerdrahtungOptionen verdrahtung;
    verdrahtung.betrieb = Betrieb::SIM;
    verdrahtung.sim.seed = o.seed;
    verdrahtung.sim.autosave = false;
    verdrahtung.sim.netz_warten = [] { g_lauf.Rufwarten(); };
    verdrahtung.sim.meldung = [](const char* text) { std::fprintf(stderr, "%s: %s\n", NAME, text); };
    std::string fehler;
    if (!Spiel_Verdrahten(verdrahtung, &fehler)) {
        std::fprintf(stderr, "%s: %s\n", NAME, fehler.c_str());
        return START;
    }
    int ende = START;
    if (Sim_Bis_Tag(0) && o.team < Team_Anzahl() && Team_Ist_Normal(o.team, 0)) {
        ende = o.server ? server(o) : client(o);
    } else {
        std::fprintf(stderr, "%s: no world, or club %d is not a club of it\n", NAME, o.team);
    }
    Internet_Netzwerk_Stop();
    Sim_Beenden();
    Spiel_Entdrahten();
    return ende;
}
