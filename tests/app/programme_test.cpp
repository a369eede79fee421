// tests/app/programme_test.cpp - the built programs as a user starts them:
// each row an argument list with its environment, the exit status and the
// first line it prints. Every program ends on its own within the guard's
// time; a hang is killed and fails its row.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <pwd.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <future>
#include <iterator>
#include <map>
#include <regex>
#include <string>
#include <vector>

#include "platform/files.h"
#include "tests/support/sanitizer.h"
#include "tests/support/temp_dir.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

// The guard against a hang, not a measure of speed.
constexpr int WAECHTER_MS = int(test::WARTEN_GRENZE_MS);

struct Ergebnis {
    int status = -1;   // the exit status; -1 when killed by the guard or a signal
    std::string aus, err;
};

std::string erste_zeile(const std::string& text) { return text.substr(0, text.find('\n')); }

// Runs `programm` (as argv[0] `name`) with `argumente` and the environment of
// this process changed by `umgebung` (an empty value unsets the name). With
// `als_niemand` the child runs as the user nobody; `dateigrenze` is its
// limit on the size of a file it writes (ulimit -f), in bytes.
Ergebnis starten(const std::string& programm, const std::string& name, const std::vector<std::string>& argumente,
                 const std::map<std::string, std::string>& umgebung, bool als_niemand = false,
                 int waechter_ms = WAECHTER_MS, rlim_t dateigrenze = RLIM_INFINITY) {
    std::vector<std::string> args = {name};
    args.insert(args.end(), argumente.begin(), argumente.end());
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        std::string eintrag = *e;
        if (!umgebung.count(eintrag.substr(0, eintrag.find('=')))) env.push_back(eintrag);
    }
    for (const auto& [k, v] : umgebung)
        if (!v.empty()) env.push_back(k + "=" + v);
    std::vector<char*> argv, envp;
    for (std::string& a : args) argv.push_back(a.data());
    for (std::string& e : env) envp.push_back(e.data());
    argv.push_back(nullptr);
    envp.push_back(nullptr);

    int aus[2], err[2];
    if (pipe2(aus, O_CLOEXEC) != 0 || pipe2(err, O_CLOEXEC) != 0) return {};
    pid_t pid = fork();
    if (pid == 0) {
        dup2(aus[1], 1);
        dup2(err[1], 2);
        if (als_niemand && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(126);
        const rlimit grenze{dateigrenze, dateigrenze};
        if (dateigrenze != RLIM_INFINITY && setrlimit(RLIMIT_FSIZE, &grenze) != 0) _exit(126);
        execve(programm.c_str(), argv.data(), envp.data());
        _exit(127);
    }
    close(aus[1]);
    close(err[1]);
    Ergebnis r;
    const auto ende = std::chrono::steady_clock::now() + std::chrono::milliseconds(waechter_ms);
    pollfd fds[2] = {{aus[0], POLLIN, 0}, {err[0], POLLIN, 0}};
    std::string* ziel[2] = {&r.aus, &r.err};
    int offen = 2;
    bool getoetet = false;
    while (offen > 0) {
        int rest = int(std::chrono::duration_cast<std::chrono::milliseconds>(ende - std::chrono::steady_clock::now()).count());
        if (rest <= 0) {
            kill(pid, SIGKILL);
            getoetet = true;
            break;
        }
        if (poll(fds, 2, rest) <= 0) continue;
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP))) continue;
            char puffer[4096];
            ssize_t n = read(fds[i].fd, puffer, sizeof puffer);
            if (n > 0) {
                ziel[i]->append(puffer, size_t(n));
            } else {
                close(fds[i].fd);
                fds[i].fd = -1;
                --offen;
            }
        }
    }
    for (pollfd& f : fds)
        if (f.fd >= 0) close(f.fd);
    int st = 0;
    waitpid(pid, &st, 0);
    r.status = !getoetet && WIFEXITED(st) ? WEXITSTATUS(st) : -1;
    return r;
}

// An installation of its own: the build's resource files and a small world,
// without its "team.cfg" when `ohne_team` is set.
std::string installation(const test::TempDir& tmp, const std::string& name, bool ohne_team = false) {
    std::string ziel = tmp / name;
    fs::create_directories(ziel + "/config");
    fs::create_directory_symlink(fs::path(VELMORA_INSTALL_DIR) / "resfile", ziel + "/resfile");
    Ergebnis r = starten(VELMORA_WELTGEN, "weltgen", {"--small", ziel}, {});
    EXPECT_EQ(r.status, 0) << r.err;
    if (ohne_team) {
        EXPECT_TRUE(fs::remove(ziel + "/config/0_team.cfg"));
    }
    return ziel;
}

struct Zeile {
    const char* was;
    std::string programm;                    // the binary
    std::string name;                        // argv[0]
    std::vector<std::string> argumente;
    std::map<std::string, std::string> umgebung;
    int status;
    int strom;                               // 1 stdout, 2 stderr: where the first line is read
    std::string erste;                       // what the first line starts with
    bool als_niemand = false;
    int waechter_ms = WAECHTER_MS;
    rlim_t dateigrenze = RLIM_INFINITY;
};

void pruefen(const std::vector<Zeile>& tabelle) {
    for (const Zeile& z : tabelle) {
        SCOPED_TRACE(z.was);
        Ergebnis r = starten(z.programm, z.name, z.argumente, z.umgebung, z.als_niemand, z.waechter_ms, z.dateigrenze);
        EXPECT_EQ(r.status, z.status) << "stdout: " << erste_zeile(r.aus) << "\nstderr: " << r.err;
        const std::string zeile = erste_zeile(z.strom == 1 ? r.aus : r.err);
        EXPECT_EQ(zeile.rfind(z.erste, 0), 0u) << "first line: " << zeile;
        // Every message is one line that names the program.
        const std::string programm = fs::path(z.name).filename().string() + ": ";
        for (size_t a = 0; a < r.err.size(); a = r.err.find('\n', a) + 1)
            EXPECT_EQ(r.err.compare(a, programm.size(), programm), 0) << "stderr: " << r.err;
    }
}

struct ProgrammTest : ::testing::Test {
    test::TempDir tmp;
    std::map<std::string, std::string> ohne_anzeige;   // no display: the headless main job
    void SetUp() override {
        ohne_anzeige = {{"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}, {"SDL_AUDIODRIVER", "dummy"},
                        {"ASAN_OPTIONS", "detect_leaks=0"}};
    }
    // The settings the started program reads: an installation and a user directory.
    void einstellen(const std::string& install, const std::string& user) {
        tmp.schreiben("config-home/velmora/settings.ini",
                      "[Software\\Brannik\\Velmora\\a_value]\nWork_dir=" + install + "\nUSER_DIR=" + user + "\n");
    }
};

TEST_F(ProgrammTest, VelmoraCommandLine) {
    const std::string v = VELMORA_BIN;
    std::string ohne_team = installation(tmp, "ohne-team", true);
    einstellen(ohne_team, tmp / "user");
    auto mit = [&](std::map<std::string, std::string> m) {
        m.insert(ohne_anzeige.begin(), ohne_anzeige.end());
        return m;
    };
    // A program path holding "-r" and "-w": the switches are not read from it.
    tmp.schreiben("datei", "a file where the user directory's parent should be");
    std::string pfad = tmp / "spiele-r-w/velmora";
    const std::string keine = tmp / "keine";   // its folders, none of its files
    fs::create_directories(keine + "/config");
    fs::create_directories(keine + "/resfile");
    fs::create_directories(fs::path(pfad).parent_path());
    fs::create_symlink(v, pfad);
    // SDL2 missing at run time: the loader finds files of its names that are no library.
    const std::string ohne_sdl = tmp / "ohne-sdl";
    for (const char* name : {"libSDL2-2.0.so.0", "libSDL2.so"}) tmp.schreiben(std::string("ohne-sdl/") + name, "");
    pruefen({
        {"--help", v, "velmora", {"--help"}, {}, 0, 1, "Usage: velmora [OPTION]..."},
        {"--version", v, "velmora", {"--version"}, {}, 0, 1, "velmora 0."},
        {"unknown option", v, "velmora", {"--fenster"}, {}, 2, 2, "velmora: unknown option '--fenster'"},
        {"a value for a switch", v, "velmora", {"--window=3"}, {}, 2, 2,
         "velmora: option '--window' takes no value (see --help)"},
        {"--datadir without its value", v, "velmora", {"--datadir"}, {}, 2, 2,
         "velmora: option '--datadir' needs a value (see --help)"},
        {"a stray argument", v, "velmora", {"-w", "spiel"}, {}, 2, 2, "velmora: unexpected argument 'spiel'"},
        // The cause, then the game's words that the program ends (the box's line break a space).
        {"--datadir to a missing directory", v, "velmora", {"--datadir", tmp / "fehlt"}, mit({}), 1, 2,
         "velmora: installation directory " + tmp / "fehlt" + ": missing Es liegt ein Fehler in der Verzeichnis "
         "Struktur vor (evtl. nochmals installieren). Das Programm wird beendet."},
        {"--datadir to a directory that is not an installation", v, "velmora", {"--datadir", keine}, mit({}), 1, 2,
         "velmora: " + keine + "/resfile/menue_res.res: missing Es liegt ein Fehler in der Resource-File Struktur "
         "vor (evtl. nochmals installieren). Das Programm wird beendet."},
        {"-r without Work_dir2", v, "velmora", {"-r"}, mit({}), 1, 2, "velmora: no installation directory: the setting Work_dir2"},
        {"a missing team.cfg fails at once", v, "velmora", {}, mit({}), 1, 2,
         "velmora: " + ohne_team + "/config/0_team.cfg: missing"},
        {"the path holding -r reads Work_dir", pfad, pfad, {}, mit({}), 1, 2,
         "velmora: " + ohne_team + "/config/0_team.cfg: missing"},
        {"-w without a display", v, "velmora", {"-w"}, mit({}), 1, 2, "velmora: no display could be opened"},
        {"-w with a driver that draws nowhere", v, "velmora", {"-w"}, mit({{"DISPLAY", ":0"}, {"SDL_VIDEODRIVER", "offscreen"}}), 1, 2,
         "velmora: no display could be opened"},
        {"-w with a display that does not open", v, "velmora", {"-w"}, mit({{"DISPLAY", ":93"}}), 1, 2,
         "velmora: no display could be opened"},
        {"a display set that does not open", v, "velmora", {}, mit({{"DISPLAY", ":93"}}), 1, 2,
         "velmora: the window could not open: "},
        {"a display set and SDL2 missing", v, "velmora", {}, mit({{"DISPLAY", ":93"}, {"LD_LIBRARY_PATH", ohne_sdl}}), 1,
         2, "velmora: the window could not open: the SDL2 library does not load (" + ohne_sdl + "/libSDL2-2.0.so.0"},
        {"a user directory that cannot be made", v, "velmora", {"--datadir", ohne_team},
         mit({{"XDG_CONFIG_HOME", tmp / "leer"}, {"XDG_DATA_HOME", tmp / "datei"}}), 1, 2,
         "velmora: user directory " + tmp / "datei/velmora" + ": not creatable"},
        {"HOME unset: --version", v, "velmora", {"--version"}, {{"HOME", ""}}, 0, 1, "velmora 0."},
    });
    // Without SDL2 the line names the package that brings it.
    const Ergebnis r = starten(v, "velmora", {}, mit({{"DISPLAY", ":93"}, {"LD_LIBRARY_PATH", ohne_sdl}}));
    EXPECT_NE(r.err.find("the package libsdl2-2.0-0"), std::string::npos) << r.err;
    EXPECT_EQ(r.aus, "") << "no headless game was played";

    // --version names the game's version and the one its start screen shows.
    const std::string version = starten(v, "velmora", {"--version"}, {}).aus;
    EXPECT_NE(version.find("(start screen V1.24)"), std::string::npos) << version;
    // The help tells every exit status, what a display that does not open
    // does, and what -r and -d read, in a user's words.
    std::string hilfe = starten(v, "velmora", {"--help"}, {}).aus;
    hilfe = std::regex_replace(hilfe, std::regex("\\s+"), " ");
    for (const char* satz : {"2 bad usage, 6 the headless game played, but a save failed",
                             "A display that is set but does not open", "Work_dir2 in settings.ini",
                             "0_config.bin"})
        EXPECT_NE(hilfe.find(satz), std::string::npos) << satz << " in " << hilfe;
    EXPECT_EQ(hilfe.find("<set>"), std::string::npos) << hilfe;
    // The help names its files as a user reads them: no raw placeholder.
    for (const std::string& p : {v, std::string(VELMORA_SIM_BIN)}) {
        const std::string hilfe = starten(p, "velmora", {"--help"}, {}).aus;
        EXPECT_EQ(hilfe.find('%'), std::string::npos) << hilfe;
    }
}

TEST_F(ProgrammTest, VelmoraRefusesAReadOnlyUserDirectory) {
    std::string install = installation(tmp, "install");
    std::string user = tmp / "user";
    fs::create_directories(user + "/spielstand");
    einstellen(install, user);
    // The child runs as nobody when the test runs as root (root writes anywhere).
    const bool niemand = geteuid() == 0;
    // Nobody must reach the program and the installation it reads: a build
    // inside a directory only its owner may enter (mktemp -d makes such) lets
    // nobody start nothing, and the check would fail for the wrong reason.
    if (niemand) {
        for (const fs::path& ziel : {fs::path(VELMORA_BIN), fs::path(VELMORA_INSTALL_DIR)})
            for (fs::path p = ziel.parent_path(); !p.empty() && p != p.root_path(); p = p.parent_path())
                if ((fs::status(p).permissions() & fs::perms::others_exec) == fs::perms::none)
                    GTEST_SKIP() << p << " is closed to others: the user nobody cannot start " << VELMORA_BIN;
    }
    if (niemand) {
        for (const fs::path& p : {fs::path(tmp.pfad()), fs::path(tmp / "config-home"), fs::path(tmp / "config-home/velmora")})
            fs::permissions(p, fs::perms::all & ~fs::perms::group_write & ~fs::perms::others_write);
    }
    fs::permissions(user, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                              fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
    fs::permissions(user + "/spielstand", fs::perms::owner_read | fs::perms::owner_exec | fs::perms::others_read |
                                              fs::perms::others_exec);
    std::map<std::string, std::string> env = ohne_anzeige;
    pruefen({{"a read-only user directory", VELMORA_BIN, "velmora", {}, env, 1, 2, "velmora: user directory " + user,
              niemand}});
    fs::permissions(user, fs::perms::owner_all);
    fs::permissions(user + "/spielstand", fs::perms::owner_all);
}

TEST_F(ProgrammTest, VelmoraSimCommandLineAndExitCodes) {
    const std::string s = VELMORA_SIM_BIN;
    std::string ohne_team = installation(tmp, "ohne-team", true);
    std::string install = installation(tmp, "install");
    pruefen({
        {"--help", s, "velmora-sim", {"--help"}, {}, 0, 1, "Usage: velmora-sim [OPTION]..."},
        {"--version", s, "velmora-sim", {"--version"}, {}, 0, 1, "velmora-sim (Velmora) 0."},
        {"unknown option", s, "velmora-sim", {"--tage", "3"}, {}, 2, 2, "velmora-sim: unknown option '--tage'"},
        {"a bad number", s, "velmora-sim", {"--days", "drei"}, {}, 2, 2, "velmora-sim: --days takes a number"},
        {"a missing value", s, "velmora-sim", {"--seed"}, {}, 2, 2, "velmora-sim: option '--seed' needs a value"},
        {"a missing team.cfg", s, "velmora-sim", {"--install", ohne_team, "--days", "1"}, {}, 1, 2,
         "velmora-sim: " + ohne_team + "/config/0_team.cfg: missing"},
        {"a missing installation", s, "velmora-sim", {"--install", tmp / "fehlt", "--days", "1"}, {}, 1, 2,
         "velmora-sim: installation directory " + tmp / "fehlt" + ": missing"},
        {"an empty save slot", s, "velmora-sim", {"--install", install, "--load", "3"}, {}, 3, 2,
         "velmora-sim: Der Spielstand game_3.qzv ist nicht vorhanden."},
        {"HOME unset plays a day", s, "velmora-sim", {"--install", install, "--days", "1"}, {{"HOME", ""}}, 0, 1,
         "Tag 1: "},
        {"--view with --radar", s, "velmora-sim", {"--view", tmp / "a", "--radar", tmp / "b"}, {}, 2, 2,
         "velmora-sim: --view and --radar go one at a time"},
    });
}

TEST_F(ProgrammTest, VelmoraSimWritesTheHumanClubsRadarEachGameMinute) {
    const std::string ziel = tmp / "radar";
    pruefen({{"--radar", VELMORA_SIM_BIN, "velmora-sim",
              {"--small", "--humans", "1", "--days", "45", "--radar", ziel}, {}, 0, 1, "Tag 45: ", false,
              30 * WAECHTER_MS}});
    // The first league day: one picture a minute of the human club's match, 0 to 90 and more.
    int32_t bilder = 0;
    for (const auto& e : fs::directory_iterator(ziel)) bilder += e.path().extension() == ".png" ? 1 : 0;
    EXPECT_GE(bilder, 91);
    EXPECT_TRUE(fs::exists(ziel + "/radar_1_00.png"));
    EXPECT_TRUE(fs::exists(ziel + "/radar_1_90.png"));
    EXPECT_GT(fs::file_size(ziel + "/radar_1_45.png"), 8000u);   // a drawn radar, not a blank screen
}

// velmora-sim's figures of live matches can be added up over runs: the
// league's scores listed one by one make up its matches, and its open play
// is that of a compressed match (45 frames of open play a game minute, about
// two minutes of the figures' steps).
TEST_F(ProgrammTest, VelmoraSimLiveFiguresListEveryScoreAndTheOpenPlay) {
    const Ergebnis r = starten(VELMORA_SIM_BIN, "velmora-sim", {"--small", "--seed", "3", "--days", "45", "--live", "--stats"},
                               {}, false, 30 * WAECHTER_MS);
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string liga = r.aus.substr(r.aus.find("\nLiga: ") + 1);
    std::smatch m;
    ASSERT_TRUE(std::regex_search(liga, m, std::regex("^Liga: ([0-9]+) Spiele")));
    const int32_t spiele = std::stoi(m[1]);
    ASSERT_GT(spiele, 0);
    ASSERT_TRUE(std::regex_search(liga, m, std::regex("Alle Ergebnisse ([^\n]*)")));
    const std::string alle = m[1];
    int32_t summe = 0;
    const std::regex ergebnis("([0-9]+):([0-9]+)=([0-9]+)");
    for (std::sregex_iterator i(alle.begin(), alle.end(), ergebnis), e; i != e; ++i)
        summe += std::stoi((*i)[3]);
    EXPECT_EQ(summe, spiele) << alle;
    ASSERT_TRUE(std::regex_search(liga, m, std::regex("Spiel offen s +[0-9]+ +([0-9.]+) je Spiel")));
    const double offen = std::stod(m[1]);
    EXPECT_GT(offen, 60.0);
    EXPECT_LT(offen, 300.0);
}

std::string lesen(const std::string& pfad);

TEST_F(ProgrammTest, ToolsCommandLine) {
    pruefen({
        {"weltgen --help", VELMORA_WELTGEN, "weltgen", {"--help"}, {}, 0, 1, "Usage: weltgen"},
        {"weltgen --version", VELMORA_WELTGEN, "weltgen", {"--version"}, {}, 0, 1, "weltgen (Velmora) 0."},
        {"weltgen unknown option", VELMORA_WELTGEN, "weltgen", {"--klein", "x"}, {}, 2, 2,
         "weltgen: unknown option '--klein'"},
        {"weltgen without a directory", VELMORA_WELTGEN, "weltgen", {"--small"}, {}, 2, 2, "weltgen: needs"},
        {"mkassets --help", VELMORA_MKASSETS, "mkassets", {"--help"}, {}, 0, 1, "Usage: mkassets"},
        {"mkassets without a directory", VELMORA_MKASSETS, "mkassets", {}, {}, 2, 2, "mkassets: needs"},
        {"mkfonts --version", VELMORA_MKFONTS, "mkfonts", {"--version"}, {}, 0, 1, "mkfonts (Velmora) 0."},
        {"mkfonts unknown option", VELMORA_MKFONTS, "mkfonts", {"--bold", "x"}, {}, 2, 2, "mkfonts: needs"},
        {"mksounds --help", VELMORA_MKSOUNDS, "mksounds", {"--help"}, {}, 0, 1, "Usage: mksounds"},
        {"mksounds unknown option", VELMORA_MKSOUNDS, "mksounds", {"--laut"}, {}, 2, 2, "mksounds: needs"},
        {"mkicon --help", VELMORA_MKICON, "mkicon", {"--help"}, {}, 0, 1, "Usage: mkicon"},
        {"mkicon without a file", VELMORA_MKICON, "mkicon", {}, {}, 2, 2, "mkicon: needs"},
        {"mkfilme --help", VELMORA_MKFILME, "mkfilme", {"--help"}, {}, 0, 1, "Usage: mkfilme"},
        {"mkfilme without a directory", VELMORA_MKFILME, "mkfilme", {}, {}, 2, 2, "mkfilme: needs"},
        {"filmbild the learned-talent film's last frame", VELMORA_FILMBILD, "filmbild", {"77", "2717", tmp / "x.png"}, {},
         0, 1, ""},
        {"filmbild beyond the film", VELMORA_FILMBILD, "filmbild", {"77", "2718", tmp / "y.png"}, {}, 1, 2,
         "filmbild: entry 77 holds no film with frame 2718"},
        {"filmbild an entry without film", VELMORA_FILMBILD, "filmbild", {"8", "1", tmp / "y.png"}, {}, 1, 2,
         "filmbild: entry 8 holds no film"},
    });
    // A 320 x 240 PNG.
    const std::string png = lesen(tmp / "x.png");
    ASSERT_GE(png.size(), 24u);
    EXPECT_EQ(png.substr(1, 3), "PNG");
    EXPECT_EQ(png.substr(16, 8), std::string("\0\0\x01\x40\0\0\0\xF0", 8));
    EXPECT_FALSE(fs::exists(tmp / "y.png"));
}

std::string lesen(const std::string& pfad) {
    std::ifstream f(pfad, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

// cmake --install into a prefix given only now: the installed programs find
// the installation under the prefix without any setting.
TEST_F(ProgrammTest, TheInstalledProgramFindsItsDataUnderThePrefix) {
    const std::string p = tmp / "prefix";
    Ergebnis r = starten(VELMORA_CMAKE, "cmake", {"--install", VELMORA_BUILD_DIR, "--prefix", p}, {}, false,
                         10 * WAECHTER_MS);
    ASSERT_EQ(r.status, 0) << r.aus << r.err;
    for (const char* datei : {"bin/velmora", "bin/velmora-sim", "share/velmora/config/0_team.cfg",
                              "share/velmora/resfile/fontres.res", "share/applications/velmora.desktop",
                              "share/icons/hicolor/64x64/apps/velmora.png",
                              "share/metainfo/org.velmora.Velmora.metainfo.xml", "share/man/man6/velmora.6",
                              "share/man/man6/velmora-sim.6"})
        EXPECT_TRUE(fs::is_regular_file(p + "/" + datei)) << datei;
    const std::string eintrag = lesen(p + "/share/applications/velmora.desktop");
    EXPECT_NE(eintrag.find("\nKeywords="), std::string::npos) << eintrag;
    EXPECT_NE(eintrag.find("\nStartupWMClass=velmora\n"), std::string::npos) << eintrag;
    EXPECT_NE(lesen(p + "/share/metainfo/org.velmora.Velmora.metainfo.xml")
                  .find("<launchable type=\"desktop-id\">velmora.desktop</launchable>"),
              std::string::npos);
    // The manual pages tell what the programs' own help tells: every option, every exit status.
    const std::string sim_seite = lesen(p + "/share/man/man6/velmora-sim.6");
    for (const char* option : {"small", "seed", "days", "humans", "no\\-autosave", "install", "user", "load", "stats",
                               "live", "check", "view", "radar"})
        EXPECT_NE(sim_seite.find(std::string("\\-\\-") + option), std::string::npos) << option;
    EXPECT_NE(sim_seite.find("\n6\n"), std::string::npos);
    const std::string seite = lesen(p + "/share/man/man6/velmora.6");
    for (const char* option : {"window", "no\\-intro", "second\\-install", "keep\\-config\\-cache", "datadir"})
        EXPECT_NE(seite.find(std::string("\\-\\-") + option), std::string::npos) << option;
    EXPECT_EQ(lesen(p + "/share/icons/hicolor/64x64/apps/velmora.png").substr(0, 8), "\x89PNG\r\n\x1a\n");
    EXPECT_NE(lesen(p + "/share/applications/velmora.desktop").find("\nExec=velmora\n"), std::string::npos);
    // The same program without the installation beside it finds none.
    fs::create_directories(tmp / "ohne/bin");
    fs::copy_file(p + "/bin/velmora", tmp / "ohne/bin/velmora");
    fs::permissions(tmp / "ohne/bin/velmora", fs::perms::owner_all);
    // No settings file: the installed program looks for its data by itself.
    std::map<std::string, std::string> env = ohne_anzeige;
    env["XDG_CONFIG_HOME"] = tmp / "config-leer";
    env["XDG_DATA_HOME"] = tmp / "daten";
    pruefen({
        {"installed --help", p + "/bin/velmora", "velmora", {"--help"}, env, 0, 1, "Usage: velmora [OPTION]..."},
        {"installed velmora-sim plays a day", p + "/bin/velmora-sim", "velmora-sim",
         {"--install", p + "/share/velmora", "--days", "1"}, env, 0, 1, "Tag 1: "},
        {"installed velmora plays headless", p + "/bin/velmora", "velmora", {}, env, 0, 1, "Tag 60: ",
         false, 10 * WAECHTER_MS},
        {"--datadir still wins", p + "/bin/velmora", "velmora", {"--datadir", tmp / "fehlt"}, env, 1, 2,
         "velmora: installation directory " + tmp / "fehlt" + ": missing"},
        {"no installation beside the program", tmp / "ohne/bin/velmora", "velmora", {}, env, 1, 2,
         "velmora: no installation directory: the setting Work_dir in "},
    });
}

// The README's install, `cmake --install build --prefix ~/.local`, puts the
// installation at ~/.local/share/velmora, where the user directory would be
// by default: the game's files go to ~/.local/share/velmora-user, and the
// installation stays as installed (nothing added, its world unchanged).
TEST_F(ProgrammTest, AnInstallationUnderTheHomesLocalKeepsTheUsersFilesApart) {
    const std::string home = tmp / "home", p = home + "/.local";
    const Ergebnis r = starten(VELMORA_CMAKE, "cmake", {"--install", VELMORA_BUILD_DIR, "--prefix", p}, {}, false,
                               10 * WAECHTER_MS);
    ASSERT_EQ(r.status, 0) << r.aus << r.err;
    auto inhalt = [](const std::string& verz) {
        std::map<std::string, std::string> dateien;
        for (const auto& e : fs::recursive_directory_iterator(verz))
            dateien[e.path().string()] = e.is_regular_file() ? lesen(e.path().string()) : "";
        return dateien;
    };
    const std::string install = p + "/share/velmora";
    const auto vorher = inhalt(install);
    ASSERT_TRUE(vorher.count(install + "/config/0_team.cfg"));
    std::map<std::string, std::string> env = ohne_anzeige;
    for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"}) env[name] = "";
    env["HOME"] = home;
    pruefen({{"the installed game plays headless", p + "/bin/velmora", "velmora", {}, env, 0, 1, "Tag 60: ", false,
              10 * WAECHTER_MS}});
    EXPECT_TRUE(fs::is_directory(home + "/.local/share/velmora-user/spielstand"));
    EXPECT_TRUE(inhalt(install) == vorher) << "the game wrote into its installation";
}

// Another instance holds the user directory (here the test itself): the
// program is told in one line, plays, and saves nothing; the interrupted
// save's leftovers stay until the holder starts.
TEST_F(ProgrammTest, ASecondInstanceIsToldAndSavesNothing) {
    const std::string install = installation(tmp, "install");
    const std::string user = tmp / "user";
    const std::string rest = user + "/spielstand/game_4.qzv.tmp-Ab12Cd";
    const std::string fremd = user + "/spielstand/notiz.qzv.tmp-Ab12Cd";
    fs::create_directories(user + "/spielstand");
    std::ofstream(rest) << "half a save";
    std::ofstream(fremd) << "not ours";
    const std::vector<std::string> args = {"--install", install, "--user", user, "--days", "8"};
    const std::string autosave = user + "/spielstand/game_9.qzv";
    bool gehalten = false;
    int32_t sperre = Plat_File_Open_Exclusive((user + "/velmora.lock").c_str(), &gehalten);
    ASSERT_GE(sperre, 0);
    pruefen({{"held by another", VELMORA_SIM_BIN, "velmora-sim", args, {}, 0, 2,
              "velmora-sim: Another Velmora is running on the user directory " + user}});
    EXPECT_FALSE(fs::exists(autosave)) << "the autosave is refused";
    EXPECT_TRUE(fs::exists(rest)) << "another instance's save may be under way";
    Plat_File_Close(sperre);
    pruefen({{"the holder", VELMORA_SIM_BIN, "velmora-sim", args, {}, 0, 1, "Tag 8: "}});
    EXPECT_TRUE(fs::exists(autosave));
    EXPECT_FALSE(fs::exists(rest));
    EXPECT_TRUE(fs::exists(fremd));
}

// Two instances started at once on one user directory: one holds it and
// saves, the other is told and saves nothing; the save is whole.
TEST_F(ProgrammTest, TwoInstancesAtOnceKeepTheSaveWhole) {
    const std::string install = installation(tmp, "install");
    const std::string user = tmp / "user";
    const std::vector<std::string> args = {"--install", install, "--user", user, "--days", "15"};
    auto a = std::async(std::launch::async,
                        [&] { return starten(VELMORA_SIM_BIN, "velmora-sim", args, {}, false, 10 * WAECHTER_MS); });
    auto b = std::async(std::launch::async,
                        [&] { return starten(VELMORA_SIM_BIN, "velmora-sim", args, {}, false, 10 * WAECHTER_MS); });
    const Ergebnis ra = a.get(), rb = b.get();
    EXPECT_EQ(ra.status, 0) << ra.err;
    EXPECT_EQ(rb.status, 0) << rb.err;
    // When the two overlap, the later one is told; a busy machine may run
    // them one after the other, and then neither is (the held lock's own
    // test shows the telling).
    const std::string gesagt = "velmora-sim: Another Velmora is running on the user directory";
    EXPECT_LE(int(ra.err.rfind(gesagt, 0) == 0) + int(rb.err.rfind(gesagt, 0) == 0), 1)
        << "a: " << ra.err << "\nb: " << rb.err;
    pruefen({{"the autosave loads", VELMORA_SIM_BIN, "velmora-sim",
              {"--install", install, "--user", user, "--load", "9", "--days", "1"}, {}, 0, 1, ""}});
    for (const fs::directory_entry& e : fs::directory_iterator(user + "/spielstand"))
        EXPECT_EQ(e.path().filename().string().find(".tmp-"), std::string::npos) << e.path();
}

// Starts velmora-sim with `argumente`, the user directory `user` and the
// temporary folder `temp`, its output to nowhere, and waits until it holds
// the user directory (its own directory is made before). Its pid, or -1.
pid_t sim_im_hintergrund(std::vector<std::string> argumente, const std::string& user, const std::string& temp) {
    argumente.insert(argumente.begin(), {"velmora-sim", "--user", user});
    std::vector<std::string> env = {"TMPDIR=" + temp, "ASAN_OPTIONS=detect_leaks=0"};
    std::vector<char*> argv, envp;
    for (std::string& a : argumente) argv.push_back(a.data());
    for (std::string& e : env) envp.push_back(e.data());
    argv.push_back(nullptr);
    envp.push_back(nullptr);
    pid_t pid = fork();
    if (pid == 0) {
        const int nichts = open("/dev/null", O_WRONLY);
        dup2(nichts, 1);
        dup2(nichts, 2);
        execve(VELMORA_SIM_BIN, argv.data(), envp.data());
        _exit(127);
    }
    const auto ende = std::chrono::steady_clock::now() + std::chrono::milliseconds(WAECHTER_MS);
    while (pid > 0 && !fs::exists(user + "/velmora.lock")) {
        if (waitpid(pid, nullptr, WNOHANG) != 0 || std::chrono::steady_clock::now() > ende) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
            return -1;
        }
        usleep(10000);
    }
    return pid;
}

// The names of the entries "velmora_sim_*" in `temp`, sorted.
std::vector<std::string> sim_ordner(const std::string& temp) {
    std::vector<std::string> namen;
    for (const fs::directory_entry& e : fs::directory_iterator(temp))
        if (e.path().filename().string().rfind("velmora_sim_", 0) == 0) namen.push_back(e.path().filename());
    std::sort(namen.begin(), namen.end());
    return namen;
}

// A killed velmora-sim leaves its directory in the temporary folder; a later
// run removes it and keeps a running one's and one it did not make.
TEST_F(ProgrammTest, VelmoraSimRemovesAKilledRunsDirectoryAndKeepsALiveOnes) {
    const std::string install = installation(tmp, "install");
    const std::string temp = tmp / "temp";
    fs::create_directories(temp + "/velmora_sim_fremd");
    const std::vector<std::string> lang = {"--install", install, "--days", "36500"};
    const pid_t lebt = sim_im_hintergrund(lang, tmp / "lebt", temp);
    ASSERT_GT(lebt, 0);
    const std::vector<std::string> vorher = sim_ordner(temp);
    const pid_t getoetet = sim_im_hintergrund(lang, tmp / "getoetet", temp);
    if (getoetet > 0) {
        kill(getoetet, SIGKILL);
        waitpid(getoetet, nullptr, 0);
    }
    const std::vector<std::string> mit_totem = sim_ordner(temp);
    pruefen({{"a later run", VELMORA_SIM_BIN, "velmora-sim", {"--install", install, "--user", tmp / "spaeter", "--days", "1"},
              {{"TMPDIR", temp}}, 0, 1, "Tag 1: "}});
    const std::vector<std::string> danach = sim_ordner(temp);
    kill(lebt, SIGKILL);
    waitpid(lebt, nullptr, 0);
    ASSERT_GT(getoetet, 0);
    EXPECT_EQ(vorher.size(), 2u) << "the live run's and the foreign one";
    EXPECT_EQ(mit_totem.size(), 3u) << "the killed run's is left";
    EXPECT_EQ(danach, vorher);
}

// The headless game's autosave is played on by velmora-sim, whose own
// autosave the game's wiring loads (the window's is tested in-process). A
// run whose autosave cannot be written ends with a status of its own.
TEST_F(ProgrammTest, VelmoraSimPlaysOnFromTheGamesAutosaveAndTellsAFailedSave) {
    const std::string install = installation(tmp, "install");
    const std::string user = tmp / "user";
    einstellen(install, user);
    std::map<std::string, std::string> env = ohne_anzeige;
    env["XDG_CONFIG_HOME"] = tmp / "config-home";
    pruefen({{"the headless game", VELMORA_BIN, "velmora", {}, env, 0, 1, "Tag 60: ", false, 10 * WAECHTER_MS}});
    ASSERT_TRUE(fs::exists(user + "/spielstand/game_9.qzv"));
    const std::string anders = tmp / "anders";
    pruefen({{"velmora-sim plays on from it", VELMORA_SIM_BIN, "velmora-sim",
              {"--install", install, "--user", user, "--load", "9", "--days", "8"}, {}, 0, 1, "Tag 64: "}});
    // Slot 9 is a directory: no autosave can be renamed over it.
    fs::create_directories(anders + "/spielstand/game_9.qzv");
    Ergebnis r = starten(VELMORA_SIM_BIN, "velmora-sim", {"--install", install, "--user", anders, "--days", "8"}, {});
    EXPECT_EQ(r.status, 6) << r.err;
    EXPECT_NE(r.err.find("velmora-sim: 1 saves failed"), std::string::npos) << r.err;
}

// A save that hits the file-size limit (ulimit -f) is a failed save as any
// other: told in one line, the play goes on, the old save stays whole, and
// the program ends with its failed-save status. The headless game ends as
// velmora-sim does when its saves failed.
TEST_F(ProgrammTest, ASaveThatHitsTheFileSizeLimitFailsAndThePlayGoesOn) {
    const std::string install = installation(tmp, "install");
    const std::string user = tmp / "user";
    const std::string autosave = user + "/spielstand/game_9.qzv";
    pruefen({{"an autosave", VELMORA_SIM_BIN, "velmora-sim", {"--install", install, "--user", user, "--days", "8"}, {},
              0, 1, "Tag 8: "}});
    std::vector<char> alt;
    {
        std::ifstream f(autosave, std::ios::binary);
        alt.assign(std::istreambuf_iterator<char>(f), {});
    }
    ASSERT_GT(alt.size(), 4096u);
    const rlim_t grenze = alt.size() / 2;
    einstellen(install, user);
    std::map<std::string, std::string> env = ohne_anzeige;
    env["XDG_CONFIG_HOME"] = tmp / "config-home";
    env["XDG_CACHE_HOME"] = tmp / "cache";
    // Slot 9 a directory: no autosave can be renamed over it.
    const std::string anders = tmp / "anders";
    fs::create_directories(anders + "/spielstand/game_9.qzv");
    tmp.schreiben("config-anders/velmora/settings.ini",
                  "[Software\\Brannik\\Velmora\\a_value]\nWork_dir=" + install + "\nUSER_DIR=" + anders + "\n");
    std::map<std::string, std::string> env_anders = env;
    env_anders["XDG_CONFIG_HOME"] = tmp / "config-anders";
    const std::string gescheitert = "Der Spielstand konnte nicht";
    pruefen({
        {"velmora-sim under the limit", VELMORA_SIM_BIN, "velmora-sim",
         {"--install", install, "--user", user, "--load", "9", "--days", "8"}, {}, 6, 2, "velmora-sim: " + gescheitert,
         false, WAECHTER_MS, grenze},
        {"the headless game under the limit", VELMORA_BIN, "velmora", {}, env, 6, 2, "velmora: " + gescheitert, false,
         10 * WAECHTER_MS, grenze},
        {"the headless game whose autosaves all fail", VELMORA_BIN, "velmora", {}, env_anders, 6, 2,
         "velmora: " + gescheitert, false, 10 * WAECHTER_MS},
    });
    std::vector<char> danach;
    {
        std::ifstream f(autosave, std::ios::binary);
        danach.assign(std::istreambuf_iterator<char>(f), {});
    }
    EXPECT_TRUE(danach == alt) << "the old save was not kept whole";
    pruefen({{"the old save loads", VELMORA_SIM_BIN, "velmora-sim",
              {"--install", install, "--user", user, "--load", "9", "--days", "1"}, {}, 0, 1, "Tag "}});
}

// A file-size limit (ulimit -f) below what a program writes before its game
// starts: velmora-sim's generated world (its player file is about 3 MB), the
// demo pictures the game copies into a new user directory (a few KB each).
// The write fails, one line names the file and why, the program ends with its
// failure status; no signal ends it without a word, and no cut picture stays.
TEST_F(ProgrammTest, AWriteBeforeTheGameThatHitsTheFileSizeLimitIsToldInOneLine) {
    const Ergebnis sim = starten(VELMORA_SIM_BIN, "velmora-sim", {"--days", "1"}, {}, false, WAECHTER_MS, 1 << 20);
    EXPECT_EQ(sim.status, 1) << sim.err;
    EXPECT_EQ(sim.err.find('\n'), sim.err.size() - 1) << "one line: " << sim.err;
    EXPECT_TRUE(std::regex_match(sim.err, std::regex("velmora-sim: the world could not be generated: "
                                                     "/.*/config/0_spieler\\.cfg: cannot be written \\(.+\\)\n")))
        << sim.err;

    const std::string install = installation(tmp, "install");   // with its demo pictures
    ASSERT_TRUE(fs::is_directory(install + "/demobilder/spielerbilder"));
    const std::string user = tmp / "neu";   // made by the game: the pictures are copied
    einstellen(install, user);
    std::map<std::string, std::string> env = ohne_anzeige;
    env["XDG_CONFIG_HOME"] = tmp / "config-home";
    env["XDG_CACHE_HOME"] = tmp / "cache";
    const Ergebnis r = starten(VELMORA_BIN, "velmora", {}, env, false, WAECHTER_MS, 2048);
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << "one line: " << r.err;
    EXPECT_EQ(r.err.rfind("velmora: picture " + user + "/", 0), 0u) << r.err;
    EXPECT_NE(r.err.find(": cannot be written ("), std::string::npos) << r.err;
    EXPECT_EQ(r.aus, "") << "no game was played";
    for (const auto& e : fs::recursive_directory_iterator(user))
        EXPECT_FALSE(e.is_regular_file() && e.path().extension() == ".jpg") << "a cut picture stays: " << e.path();
}

// weltgen's pictures that cannot be written (a full disk, here a folder it
// may not write) fail the run with status 1 and one line naming the picture's
// file and the system's reason, as its world's files do: not the bad-usage
// status 2. The world's files are written before them.
TEST_F(ProgrammTest, WeltgenTellsAPictureItCannotWriteWithTheSystemsReason) {
    // The child runs as nobody when the test runs as root (root writes anywhere).
    const bool niemand = geteuid() == 0;
    for (fs::path p = fs::path(VELMORA_WELTGEN).parent_path(); niemand && p != p.root_path(); p = p.parent_path())
        if ((fs::status(p).permissions() & fs::perms::others_exec) == fs::perms::none)
            GTEST_SKIP() << p << " is closed to others: the user nobody cannot start " << VELMORA_WELTGEN;
    const std::string welt = tmp / "welt";
    fs::create_directories(welt + "/config");
    fs::permissions(tmp.pfad(), fs::perms::all & ~fs::perms::group_write & ~fs::perms::others_write);
    fs::permissions(welt + "/config", fs::perms::all);
    fs::permissions(welt, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                              fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
    const Ergebnis r = starten(VELMORA_WELTGEN, "weltgen", {"--small", welt}, {}, niemand);
    fs::permissions(welt, fs::perms::owner_all);
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_TRUE(std::regex_match(r.err, std::regex("weltgen: the photo of player [0-9]+ could not be written: " + welt +
                                                   "/demobilder/spielerbilder: cannot be made \\(Permission denied\\)\n")))
        << r.err;
    EXPECT_TRUE(fs::is_regular_file(welt + "/config/0_spieler.cfg"));
}

// velmora-sim finds the installation and user directory it is given without
// a settings file: where its temporary folder takes none (here a file-size
// limit below the settings file's size), the one line it ends with names
// what it could not write, not a setting it was never given.
TEST_F(ProgrammTest, VelmoraSimTakesItsGivenDirectoriesWithoutASettingsFile) {
    const std::string install = installation(tmp, "install");   // with its demo pictures
    const std::string user = tmp / "user";
    const Ergebnis r = starten(VELMORA_SIM_BIN, "velmora-sim", {"--install", install, "--user", user, "--days", "1"},
                               {}, false, WAECHTER_MS, 64);
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << "one line: " << r.err;
    EXPECT_EQ(r.err.rfind("velmora-sim: picture " + user + "/", 0), 0u) << r.err;
}

// Whether `text` is well-formed UTF-8 without control characters but line breaks.
bool Utf8_Fuer_Terminal(const std::string& text) {
    for (size_t i = 0; i < text.size();) {
        const auto c = uint8_t(text[i]);
        size_t n = c < 0x80 ? 1 : (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 0;
        if (n == 0 || i + n > text.size() || (c < 0x20 && c != '\n') || c == 0x7F || c == 0xC0 || c == 0xC1)
            return false;
        for (size_t k = 1; k < n; ++k)
            if ((uint8_t(text[i + k]) & 0xC0) != 0x80) return false;
        i += n;
    }
    return true;
}

// Every refusal of a world file names it with its path; what the programs
// write to a terminal is UTF-8 (the game's names and texts are Latin-1 inside,
// a damaged file's raw bytes are not echoed).
TEST_F(ProgrammTest, EveryRefusalNamesItsFileAndTheTerminalReadsUtf8) {
    const std::string s = VELMORA_SIM_BIN;
    struct Fall {
        const char* was;
        const char* datei;   // in config/, emptied, removed (null text) or damaged
        const char* inhalt;
        int status;
        std::string erste;   // after "velmora-sim: <installation>/config/"
    } const faelle[] = {
        {"an empty team file", "0_team.cfg", "", 1, "0_team.cfg: empty"},
        {"a team file of blanks", "0_team.cfg", " \n\t\r\n", 1, "0_team.cfg: empty"},
        {"an empty competition file", "0_wettbewerb.cfg", "", 1, "0_wettbewerb.cfg: empty"},
        {"a missing event file", "0_ereignis.cfg", nullptr, 1, "0_ereignis.cfg kann nicht ge\xc3\xb6" "ffnet werden."},
        {"raw bytes in the team file", "0_team.cfg", "\x1b[2J\x01\xff\x9b\n", 1, ""},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.was);
        const std::string install = installation(tmp, std::string("install-") + f.datei + std::to_string(&f - faelle));
        const std::string pfad = install + "/config/" + f.datei;
        if (f.inhalt) std::ofstream(pfad, std::ios::binary | std::ios::trunc) << f.inhalt;
        else fs::remove(pfad);
        const Ergebnis r = starten(s, "velmora-sim", {"--install", install, "--days", "1"}, {});
        EXPECT_EQ(r.status, f.status) << r.err;
        EXPECT_TRUE(Utf8_Fuer_Terminal(r.aus) && Utf8_Fuer_Terminal(r.err)) << r.err;
        if (std::string(f.erste).rfind("0_ereignis", 0) == 0) {
            EXPECT_EQ(erste_zeile(r.err), "velmora-sim: Die Ereignisdatei " + install + "/config/" + f.erste +
                                              " Das Programm wird beendet.");
        } else if (f.erste[0]) {
            EXPECT_EQ(erste_zeile(r.err), "velmora-sim: " + install + "/config/" + f.erste);
        }
    }
    // The tables: the world's names with their umlauts, in UTF-8.
    const std::string install = installation(tmp, "install");
    const Ergebnis r = starten(s, "velmora-sim", {"--install", install, "--days", "3"}, {});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Utf8_Fuer_Terminal(r.aus)) << r.aus;
    EXPECT_NE(r.aus.find_first_of("\xc3"), std::string::npos) << "a name with an umlaut: " << r.aus;
    // The headless game's summary too, of the full demo world (its leagues'
    // countries are named with umlauts).
    einstellen(install, tmp / "user");
    std::map<std::string, std::string> env = ohne_anzeige;
    env["XDG_CONFIG_HOME"] = tmp / "config-home";
    env["XDG_CACHE_HOME"] = tmp / "cache";
    const Ergebnis spiel =
        starten(VELMORA_BIN, "velmora", {"--datadir", VELMORA_INSTALL_DIR}, env, false, 10 * WAECHTER_MS);
    EXPECT_EQ(spiel.status, 0) << spiel.err;
    EXPECT_TRUE(Utf8_Fuer_Terminal(spiel.aus) && Utf8_Fuer_Terminal(spiel.err)) << spiel.aus << spiel.err;
    EXPECT_NE(spiel.aus.find_first_of("\xc3"), std::string::npos) << "a name with an umlaut: " << spiel.aus;
}

// Configuring without SDL2's development files stops and names the package,
// unless a build without a window is asked for.
TEST_F(ProgrammTest, ConfiguringWithoutSDL2NamesThePackageUnlessHeadlessIsAskedFor) {
    const std::vector<std::string> ohne_sdl = {"-S", VELMORA_QUELLE, "-B", tmp / "b", "-DVELMORA_BENCH=OFF",
                                               "-DCMAKE_DISABLE_FIND_PACKAGE_PkgConfig=ON"};
    Ergebnis r = starten(VELMORA_CMAKE, "cmake", ohne_sdl, {}, false, 10 * WAECHTER_MS);
    EXPECT_NE(r.status, 0) << r.aus;
    EXPECT_NE(r.err.find("libsdl2-dev"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("-DVELMORA_HEADLESS=ON"), std::string::npos) << r.err;
    std::vector<std::string> headless = ohne_sdl;
    headless.push_back("-DVELMORA_HEADLESS=ON");
    r = starten(VELMORA_CMAKE, "cmake", headless, {}, false, 10 * WAECHTER_MS);
    EXPECT_EQ(r.status, 0) << r.err;
}

// Without HOME the home comes from the password database.
TEST(PlatHome, UnsetHomeFallsBackToThePasswordDatabase) {
    const char* alt = std::getenv("HOME");
    std::string gemerkt = alt ? alt : "";
    setenv("HOME", "/anderswo", 1);
    EXPECT_EQ(Plat_Home(), "/anderswo");
    unsetenv("HOME");
    const passwd* pw = getpwuid(getuid());
    ASSERT_NE(pw, nullptr);
    EXPECT_EQ(Plat_Home(), pw->pw_dir);
    setenv("HOME", "", 1);
    EXPECT_EQ(Plat_Home(), pw->pw_dir);
    if (alt) setenv("HOME", gemerkt.c_str(), 1);
    else unsetenv("HOME");
}

}  // namespace
}  // namespace velmora
