// tools/velmora_sim.cpp - velmora-sim: plays a game without a screen through
// the calendar, frame by frame, and prints the tables at the end.
//
//   velmora-sim [--small] [--seed N] [--days N] [--humans N] [--no-autosave]
//               [--install DIR] [--user DIR] [--load SLOT] [--stats] [--live]
//               [--check] [--view DIR] [--radar DIR] [--active]
//
// Without --install a world is generated (with the same seed) into a
// temporary directory; without --user the save games go to a temporary
// directory too. The games are played by the game's match day; --stats adds
// the match statistics of the days played (goals per match, home wins, draws,
// away wins, extra time, shoot-outs); --live computes every match live on the
// pitch instead of by the dice, --check runs the live matches' invariant
// checker after every frame and stops at the first broken rule, keeping the
// save of a minute change shortly before it (slot 8) for its replay; --view DIR
// writes the live match of the first human club as the window would show it,
// a PNG a game minute (spiel_<game>_<minute>.png), with the art of the
// installation (or of the build tree's beside the program); --radar DIR
// writes that match's radar the same way (radar_<game>_<minute>.png). The same
// arguments give byte-identical output. A run that ends right after a season change, before any league game
// of the new season, reports the season just finished.
//
// Exit status: 0 played, 1 the world could not be built, 2 bad usage, 3 the
// save slot could not be loaded, 4 the frame guard stopped a day, 5 a live
// match broke a rule (--check), 6 played, but a save failed (each failure was
// reported when it happened). A module
// that ends the game on a fatal error (its message first) gives 1 too.
#include <getopt.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "app/sim_aktiv.h"
#include "app/sim_lauf.h"
#include "app/sim_live_statistik.h"
#include "app/sim_wirtschaft.h"
#include "app/verdrahtung.h"
#include "core/dirs.h"
#include "core/spielstand.h"
#include "core/str.h"
#include "match/day/spieltag.h"
#include "platform/display.h"
#include "platform/files.h"
#include "platform/laufordner.h"
#include "platform/vmem.h"
#include "season/kalender.h"
#include "tools/png_datei.h"
#include "tools/werkzeug.h"

namespace {

using namespace velmora;

constexpr const char* NAME = "velmora-sim";
constexpr const char* BENUTZUNG =
    "Usage: velmora-sim [OPTION]...\n"
    "Plays Velmora without a screen, every club computer-managed unless --humans says\n"
    "otherwise, and prints the tables.\n"
    "\n"
    "      --small        a small generated world instead of the full one\n"
    "      --seed N       the seed of the world and of the game (default 1)\n"
    "      --days N       the days to play (default 365, at most 36500)\n"
    "      --humans N     human managers (0-6) on the first league clubs, with their\n"
    "                     accounts, start money, grounds and advertising; they end\n"
    "                     their turn at once\n"
    "      --no-autosave  no autosave (slot 9) every seventh day\n"
    "      --install DIR  play the world of this installation instead of a generated one\n"
    "      --user DIR     the user directory (save games); default a temporary one\n"
    "      --load SLOT    start from save slot 0-9 of the user directory\n"
    "      --stats        add the match statistics of the days played\n"
    "      --live         compute every match live on the pitch instead of by the dice\n"
    "      --active       each human manager acts once a week as a plain computer\n"
    "                     manager would (loans, advertising, stadium, a market\n"
    "                     player now and then, answers to offers, a training\n"
    "                     unit, camps, a scout and the negotiation he leads to)\n"
    "      --check        check every live match after every frame; stop at the first\n"
    "                     broken rule, keeping the save of a minute change\n"
    "                     shortly before it (slot 8) and printing the command\n"
    "                     that replays it\n"
    "      --view DIR     write the first human club's live match as PNG pictures into\n"
    "                     DIR, one a game minute\n"
    "      --radar DIR    write the first human club's live match as radar pictures into\n"
    "                     DIR, one a game minute (not together with --view)\n"
    "  -h, --help         this text\n"
    "      --version      the version\n"
    "\n"
    "Example: velmora-sim --small --seed 7 --days 400 --stats\n"
    "\n"
    "Exit status: 0 played, 1 the world could not be built, 2 bad usage,\n"
    "3 the save slot could not be loaded, 4 the frame guard stopped a day,\n"
    "5 a live match broke a rule (--check), 6 played, but a save failed.\n";

// The view's pictures: one a game minute into the directory of --view.
std::string g_ansicht_ziel;
const char* g_bild_name = "spiel";
void Ansicht_Bild(const uint16_t* px, int32_t breite, int32_t hoehe, uint32_t nummer) {
    std::vector<uint8_t> rgb;
    rgb.reserve(size_t(breite) * size_t(hoehe) * 3);
    for (int32_t i = 0; i < breite * hoehe; ++i) {
        const uint16_t p = px[i];
        rgb.push_back(uint8_t(((p >> 11) & 31) * 255 / 31));
        rgb.push_back(uint8_t(((p >> 5) & 63) * 255 / 63));
        rgb.push_back(uint8_t((p & 31) * 255 / 31));
    }
    const std::string pfad = Str_Format("%s/%s_%u_%02u.png", g_ansicht_ziel.c_str(), g_bild_name, nummer / 1000, nummer % 1000);
    if (!velmora::werkzeug::Png_Schreiben(pfad.c_str(), uint32_t(breite), uint32_t(hoehe), 3, rgb))
        Plat_Stderr_Zeile(("cannot write " + pfad).c_str());
}

enum Ende : int { OK = 0, WELT = 1, BENUTZT = 2, LADEN = 3, WAECHTER = 4, REGEL = 5, SPEICHERN = 6 };

bool zahl(const char* text, long lo, long hi, long& out) {
    char* ende = nullptr;
    out = std::strtol(text, &ende, 10);
    return *text && ende && !*ende && out >= lo && out <= hi;
}

// Plays to day `bis`; on a terminal that waits longer than a few seconds, one
// line per simulated month tells how far the game is.
bool spielen(int32_t start, int32_t bis) {
    const bool melden = ::isatty(STDERR_FILENO);
    const auto anfang = std::chrono::steady_clock::now();
    for (int32_t tag = start; tag < bis;) {
        tag = std::min(bis, tag + 30);
        if (!Sim_Bis_Tag(tag)) return false;
        if (melden && std::chrono::steady_clock::now() - anfang > std::chrono::seconds(3))
            Plat_Stderr_Zeile(Str_Format("%s, day %d of %d", Kalender_Tag_Text(-1, 0), tag - start, bis - start));
    }
    return true;
}

// This run's directory in the temporary folder, locked for the run's life.
// The directories of earlier runs that ended without removing theirs (a
// kill) go; a running one's stay. Empty, said in one line, when none can be made.
std::filesystem::path lauf_ordner() {
    constexpr const char* PRAEFIX = "velmora_sim_";
    std::error_code ec;
    const std::string basis = std::filesystem::temp_directory_path(ec).string();
    std::string fehler = "no temporary folder: " + ec.message();
    const std::string ordner = ec ? std::string() : Plat_Laufordner_Anlegen(basis, PRAEFIX, &fehler);
    if (ordner.empty()) {
        Plat_Stderr_Zeile(fehler.c_str());
        return {};
    }
    Plat_Laufordner_Aufraeumen(basis, PRAEFIX);
    return ordner;
}

// What the command line asks for.
struct Aufruf {
    VerdrahtungOptionen verdrahtung;
    bool klein = false;
    bool statistik = false;
    int32_t tage = 365;
    std::string install, user;
};

// Reads the command line into `a`: -1 to play on, else the exit status
// (--help, --version, or a bad usage told in one line).
int schalter_lesen(int argc, char** argv, Aufruf& a) {
    SimOptionen& o = a.verdrahtung.sim;
    enum { SMALL = 1000, STATS, ACTIVE, NO_AUTOSAVE, SEED, DAYS, HUMANS, LOAD, INSTALL, USER, VERSION, LIVE, CHECK, VIEW, RADAR };
    static const option LANG[] = {
        {"small", no_argument, nullptr, SMALL},        {"stats", no_argument, nullptr, STATS},
        {"active", no_argument, nullptr, ACTIVE},
        {"no-autosave", no_argument, nullptr, NO_AUTOSAVE}, {"seed", required_argument, nullptr, SEED},
        {"days", required_argument, nullptr, DAYS},    {"humans", required_argument, nullptr, HUMANS},
        {"load", required_argument, nullptr, LOAD},    {"install", required_argument, nullptr, INSTALL},
        {"user", required_argument, nullptr, USER},    {"help", no_argument, nullptr, 'h'},
        {"version", no_argument, nullptr, VERSION},    {"live", no_argument, nullptr, LIVE},
        {"check", no_argument, nullptr, CHECK},        {"view", required_argument, nullptr, VIEW},
        {"radar", required_argument, nullptr, RADAR},  {nullptr, 0, nullptr, 0},
    };
    opterr = 0;
    for (;;) {
        int index = -1;
        int c = getopt_long(argc, argv, "+:h", LANG, &index);
        if (c == -1) break;
        long v = 0;
        auto wert = [&](long lo, long hi) {
            if (zahl(optarg, lo, hi, v)) return true;
            werkzeug::Falsch(NAME, Str_Format("--%s takes a number from %ld to %ld, not '%s'", LANG[index].name, lo,
                                              hi, optarg));
            return false;
        };
        switch (c) {
            case SMALL: a.klein = true; break;
            case STATS: a.statistik = true; break;
            case ACTIVE: o.aktiv = true; break;
            case LIVE: o.alle_live = true; break;
            case CHECK: o.pruefen = true; break;
            case VIEW:
            case RADAR:
                if (!g_ansicht_ziel.empty()) return werkzeug::Falsch(NAME, "--view and --radar go one at a time");
                g_ansicht_ziel = optarg;
                if (c == RADAR) g_bild_name = "radar";
                break;
            case NO_AUTOSAVE: o.autosave = false; break;
            case SEED: if (!wert(0, 0x7FFFFFFF)) return BENUTZT; o.seed = uint32_t(v); break;
            case DAYS: if (!wert(0, 36500)) return BENUTZT; a.tage = int32_t(v); break;
            case HUMANS: if (!wert(0, 6)) return BENUTZT; o.menschen = int32_t(v); break;
            case LOAD: if (!wert(0, 9)) return BENUTZT; o.laden = int32_t(v); break;
            case INSTALL: a.install = optarg; break;
            case USER: a.user = optarg; break;
            case 'h': std::fputs(BENUTZUNG, stdout); return OK;
            case VERSION: std::printf("%s (Velmora) %s\n", NAME, App_Version()); return OK;
            case ':': return werkzeug::Falsch(NAME, std::string("option '") + argv[optind - 1] + "' needs a value");
            default: return werkzeug::Falsch(NAME, std::string("unknown option '") + argv[optind - 1] + "'");
        }
    }
    if (optind < argc) return werkzeug::Falsch(NAME, std::string("unexpected argument '") + argv[optind] + "'");
    return -1;
}

// --view or --radar: the pictures' directory and the art they are drawn with
// (the installation's, else the build tree's beside the program). False with
// `fehler` when the art cannot be read.
bool ansicht_einrichten(const std::string& install, std::string* fehler) {
    std::error_code ec;
    std::filesystem::create_directories(g_ansicht_ziel, ec);
    std::string art = install + "/resfile";
    const bool radar = std::strcmp(g_bild_name, "radar") == 0;
    if (!std::filesystem::exists(art + (radar ? "/menue_res.res" : "/stadion_gfx.res")))
        art = (std::filesystem::read_symlink("/proc/self/exe", ec).parent_path().parent_path() / "install" / "resfile").string();
    return radar ? Radar_Sim_Einrichten(art, Ansicht_Bild, fehler) : Ansicht_Sim_Einrichten(art, Ansicht_Bild, fehler);
}

// A run that stopped before its days were played: tells why and gives its
// exit status. `behalten` is set when the run's directories must stay for
// the replay of a broken rule.
int abbruch_melden(const Aufruf& a, bool& behalten) {
    if (Sim().stopp == SimStopp::KEINER && Kalender_Get_Runmodus() == KALENDER_AUS) {
        // A module ended the program on a fatal error; its message came first.
        Plat_Stderr_Zeile(Str_Format("the game ended on day %d on the error above", Tag_Index()));
        return WELT;
    }
    if (Sim().stopp == SimStopp::KEINER) {
        Plat_Stderr_Zeile(Str_Format("the frame guard stopped day %d in run mode %d", Tag_Index(), Kalender_Get_Runmodus()));
        return WAECHTER;
    }
    Plat_Stderr_Zeile(Sim().fehler_text.c_str());
    const int ende = Sim().stopp == SimStopp::LADEN ? LADEN : (Sim().stopp == SimStopp::REGEL ? REGEL : WELT);
    if (ende == REGEL && Sim().replay_gespeichert) {
        behalten = true;
        Plat_Stderr_Zeile((std::string("replay: ") + NAME + " --install " + a.install + " --user " + a.user + " --load " +
                           std::to_string(SIM_REPLAY_SLOT) + " --live --check --days 1")
                              .c_str());
    }
    return ende;
}

// The tables of the days played (or of the season just finished), with
// --stats the match statistics after them.
void berichten(bool statistik) {
    if (Sim_Saison_Leer() && !Sim().letzte_saison.empty()) {
        // The new season has not played yet: its tables are empty, the one just finished tells more.
        std::fputs(Plat_Terminal_Text(Sim().letzte_saison).c_str(), stdout);
    } else {
        std::fputs(Plat_Terminal_Text(Sim_Bericht()).c_str(), stdout);
    }
    if (statistik)
        std::fputs(Plat_Terminal_Text(Spieltag_Statistik_Text() + Sim_Live_Statistik_Text() + Sim_Wirtschaft_Text() +
                                      Sim_Aktiv_Text())
                       .c_str(),
                   stdout);
}

}  // namespace

int main(int argc, char** argv) {
    Plat_Dateigrenze_Ignorieren();
    // A season builds and frees its match records and save images over and
    // over: memory kept is not faulted in again.
    Plat_Heap_Behalten();
    Aufruf a;
    a.verdrahtung.betrieb = Betrieb::SIM;
    a.verdrahtung.konfig_cache = false;   // its cache directory goes with its temporary one
    if (const int ende = schalter_lesen(argc, argv, a); ende >= 0) return ende;
    SimOptionen& o = a.verdrahtung.sim;
    std::string& install = a.install;
    std::string& user = a.user;
    const std::filesystem::path temp = lauf_ordner();
    if (temp.empty()) return WELT;
    struct Aufraeumen {
        std::filesystem::path p;
        ~Aufraeumen() {
            std::error_code ec;
            if (!p.empty()) std::filesystem::remove_all(p, ec);
        }
    } aufraeumen{temp};
    if (install.empty()) {
        install = (temp / "install").string();
        std::string fehler;
        if (!Sim_Welt_Erzeugen(install, a.klein, o.seed, &fehler)) {
            Plat_Stderr_Zeile(("the world could not be generated: " + fehler).c_str());
            return WELT;
        }
    }
    if (user.empty()) user = (temp / "user").string();
    // Its settings and configuration cache stay in its own directory: a run
    // never changes the game's settings or replaces the game's cache.
    setenv("XDG_CONFIG_HOME", (temp / "settings").c_str(), 1);
    setenv("XDG_CACHE_HOME", (temp / "cache").c_str(), 1);
    // Given straight to the directory table, not through the settings file: a
    // temporary folder that takes no settings file must not hide them.
    Dirs_Setze_Installation(install.c_str());
    Dirs_Setze_Benutzer(user.c_str());
    if (Dirs_Init() != 1) {
        Plat_Stderr_Zeile(Dirs_Fehler());
        return WELT;
    }
    std::string fehler;
    if (!Spiel_Verdrahten(a.verdrahtung, &fehler)) {
        Plat_Stderr_Zeile(fehler.c_str());
        return WELT;
    }
    if (!g_ansicht_ziel.empty() && !ansicht_einrichten(install, &fehler)) {
        Plat_Stderr_Zeile(fehler.c_str());
        Spiel_Entdrahten();
        return WELT;
    }
    bool ok = Sim_Bis_Tag(0);
    int32_t start = Tag_Index();
    ok = ok && spielen(start, start + a.tage);
    if (!ok) {
        bool behalten = false;
        const int ende = abbruch_melden(a, behalten);
        if (behalten) {
            // The run's directories stay for the replay of the broken rule.
            aufraeumen.p.clear();
            Plat_Laufordner_Behalten(temp.string());
        }
        Ansicht_Sim_Beenden();
        Sim_Beenden();
        Spiel_Entdrahten();
        return ende;
    }
    berichten(a.statistik);
    Ansicht_Sim_Beenden();
    Sim_Beenden();
    Spiel_Entdrahten();   // the last autosave is written or has failed
    if (Spielstand_Fehlgeschlagen() > 0) {
        Plat_Stderr_Zeile(Str_Format("%d saves failed", Spielstand_Fehlgeschlagen()));
        return SPEICHERN;
    }
    return OK;
}
