// A start that fails in a real window (run under Xvfb): the game started
// with an installation folder that does not exist shows the "ERROR:" box a
// player starting it from the desktop reads, waits behind it, and writes
// the same line on stderr. Arguments: the game's binary and a folder for
// the test's files.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

namespace {

// A window's caption: _NET_WM_NAME (UTF-8), which SDL sets, else WM_NAME.
std::string titel_von(Display* anzeige, Window w) {
    Atom typ = None;
    int format = 0;
    unsigned long anzahl = 0, rest = 0;
    unsigned char* daten = nullptr;
    std::string titel;
    if (XGetWindowProperty(anzeige, w, XInternAtom(anzeige, "_NET_WM_NAME", False), 0, 256, False,
                           XInternAtom(anzeige, "UTF8_STRING", False), &typ, &format, &anzahl, &rest,
                           &daten) == Success && daten) {
        titel.assign(reinterpret_cast<char*>(daten), anzahl);
        XFree(daten);
    }
    char* name = nullptr;
    if (titel.empty() && XFetchName(anzeige, w, &name) && name) {
        titel = name;
        XFree(name);
    }
    return titel;
}

// The top-level window captioned `titel`, or 0.
Window fenster_suchen(Display* anzeige, const char* titel) {
    Window wurzel = DefaultRootWindow(anzeige), eltern = 0, *kinder = nullptr;
    unsigned anzahl = 0;
    if (!XQueryTree(anzeige, wurzel, &wurzel, &eltern, &kinder, &anzahl)) return 0;
    Window gefunden = 0;
    for (unsigned i = 0; i < anzahl && !gefunden; ++i)
        if (titel_von(anzeige, kinder[i]) == titel) gefunden = kinder[i];
    if (kinder) XFree(kinder);
    return gefunden;
}

std::string lesen(const std::string& pfad) {
    std::string s;
    if (std::FILE* f = std::fopen(pfad.c_str(), "rb")) {
        for (int c; (c = std::fgetc(f)) != EOF;) s += char(c);
        std::fclose(f);
    }
    return s;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s VELMORA DIR\n", argv[0]);
        return 2;
    }
    const std::string ordner = argv[2], fehlt = ordner + "/fehlt", fehler = ordner + "/stderr.txt";
    std::error_code ec;
    std::filesystem::create_directories(ordner, ec);
    const pid_t kind = fork();
    if (kind == 0) {
        setpgid(0, 0);   // the game and the box it may fork end together
        const int fd = ::open(fehler.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd < 0 || dup2(fd, 2) < 0) _exit(126);
        setenv("XDG_CONFIG_HOME", (ordner + "/config").c_str(), 1);
        setenv("XDG_DATA_HOME", (ordner + "/daten").c_str(), 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        execl(argv[1], "velmora", "--window", "--datadir", fehlt.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    Display* anzeige = XOpenDisplay(nullptr);
    if (!anzeige) {
        std::fprintf(stderr, "no X display\n");
        kill(-kind, SIGKILL);
        return 1;
    }
    // The box is waited for as long as the game runs: a game that ends
    // without one fails the test at once, one that hangs meets CTest's limit.
    Window box = 0;
    int status = 0;
    bool beendet = false;
    while (!box && !beendet) {
        box = fenster_suchen(anzeige, "ERROR:");
        if (!box) {
            beendet = waitpid(kind, &status, WNOHANG) == kind;
            usleep(50 * 1000);
        }
    }
    if (!box) {
        std::fprintf(stderr, "the game ended without an ERROR: box (stderr: %s)\n", lesen(fehler).c_str());
        return 1;
    }
    // The box waits for the player: the game is still running behind it.
    if (waitpid(kind, &status, WNOHANG) != 0) {
        std::fprintf(stderr, "the game did not wait for the box to be closed\n");
        return 1;
    }
    // What stands in the box cannot be read back here; the line it shows is
    // the one on stderr. The player's closing it ends the game with status 1,
    // as without a display; the test ends the waiting game itself.
    kill(-kind, SIGKILL);
    waitpid(kind, &status, 0);
    XCloseDisplay(anzeige);
    const std::string zeile = lesen(fehler);
    const std::string erwartet = "velmora: installation directory " + fehlt +
                                 ": missing Es liegt ein Fehler in der Verzeichnis Struktur vor (evtl. nochmals "
                                 "installieren). Das Programm wird beendet.\n";
    if (zeile != erwartet) {
        std::fprintf(stderr, "stderr \"%s\" instead of \"%s\"\n", zeile.c_str(), erwartet.c_str());
        return 1;
    }
    return 0;
}
