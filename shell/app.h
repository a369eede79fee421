// shell/app.h - the spine of the program: start-up, main loop, frame and shutdown.
#pragma once
#include <cstdint>
#include <string>

#include "platform/display.h"

namespace velmora {

// The modules the shell drives each frame and at start and end. The program's
// entry wires them to the real modules; a service nobody wired does nothing
// (and says so in the debug log once).
struct ShellDienste {
    // network
    int32_t (*netzwerk_modus)() = nullptr;   // 0 single machine, 1 client, 2 server
    int32_t (*net_init)() = nullptr;
    int32_t (*net_local_address)(char* host, int32_t groesse, int32_t* port, uint32_t* adresse) = nullptr;
    void (*net_pump)() = nullptr;
    void (*net_server_slot_pump)() = nullptr;
    // Server: answers the remote call or minute signal each client slot holds
    // (at most one per slot and frame) and frees it.
    void (*server_bedienen)() = nullptr;
    // Server: waits at most `ms` until a connection has something to read (a
    // new one knocks too); true when one has.
    bool (*net_server_warten)(uint32_t ms) = nullptr;
    // Client: takes the minute signal the server sent, if any.
    void (*client_bedienen)() = nullptr;
    // the game
    void (*kalender_main)() = nullptr;
    // graphics and media
    int32_t (*sound_init)() = nullptr;
    void (*sound_pause_all)() = nullptr;
    void (*sound_resume_all)() = nullptr;
    int32_t (*resourcen_oeffnen)() = nullptr;
    void (*resourcen_schliessen)() = nullptr;
    int32_t (*rastport_screen_setup)(uint16_t* speicher, int32_t breite, int32_t hoehe, int32_t tiefe) = nullptr;
    int32_t (*shade_init)(int32_t tiefe) = nullptr;
    int32_t (*font_load_set)() = nullptr;
    void (*wappen_statistik)() = nullptr;
    void (*rastport_cache_purge)() = nullptr;
    void (*pack_lzw_exit)() = nullptr;
    // shutdown of graphics tables, sound and fonts (App_Beenden)
    void (*shade_exit)() = nullptr;
    void (*sound_close)() = nullptr;
    void (*font_free_set)() = nullptr;
    // the films close at the program's end (their sounds before the sound does)
    void (*filme_freigeben)() = nullptr;
    // the intro and outro player
    bool (*intro_abspielen)() = nullptr;
    bool (*outro_abspielen)() = nullptr;
    // Whether the game now only waits for the player (a menu or a page on a
    // single machine): a still picture may then be redrawn less often.
    bool (*wartet_auf_eingabe)() = nullptr;
    // The playing films' rectangles on the screen (at most `max`), their
    // number; and the milliseconds until the next of their frames is due (0
    // due now, -1 no film plays). A picture whose only changes are its films
    // counts as still, and a still picture's wait ends when a film frame is due.
    int32_t (*film_bereiche)(PlatRechteck* out, int32_t max) = nullptr;
    int32_t (*naechstes_filmbild_ms)() = nullptr;
};
ShellDienste& Shell_Dienste();

constexpr uint32_t APP_EREIGNIS_ERSTES_BILD = 4097;
constexpr uint32_t APP_EREIGNIS_STRG_B = 4098;

// The switches of the command line: each one whole, never a part of another
// word or of the program's path.
struct AppSchalter {
    bool fenster = false;           // -w, --window: a window instead of full screen
    bool kein_intro = false;        // -i, --no-intro: no intro and no outro
    bool registry2 = false;         // -r, --second-install: the installation from "Work_dir2"
    bool cache_behalten = false;    // -d, --keep-config-cache: a new game keeps "%d_config.bin"
    std::string datadir;            // --datadir DIR: the installation, beating the settings
};

enum class AppAufruf : int32_t {
    STARTEN,   // play
    HILFE,     // --help: the usage is printed, exit 0
    VERSION,   // --version, exit 0
    FEHLER,    // bad usage: `fehler` holds the one line, exit 2
};

// The game's version ("0.1").
const char* App_Version();
// The version the start screen and the window's title show ("V1.24"), which
// --version names beside the game's own.
inline constexpr const char* APP_ANZEIGE_VERSION = "V1.24";

// Reads the switches from the arguments (argv[0] is the program and not read).
AppAufruf App_Schalter_Lesen(int argc, char* const* argv, AppSchalter& schalter, std::string* fehler);
// The text of --help: usage, the switches, the files the game reads and writes.
std::string App_Hilfe_Text(const char* programm);

struct AppStart {
    AppSchalter schalter;
    bool headless = false;          // no window: virtual clock, scripted input
    uint32_t headless_frame_ms = 20;   // how far the virtual clock moves per headless pass
    uint32_t max_durchlaeufe = 0;   // ends the loop after so many passes (0: no limit)
};

// The program: start-up, main loop until the quit state is 2, shutdown.
// Returns 0 when start-up failed, else 1.
int32_t App_Main(const AppStart& start);

int32_t App_Init();          // sound, directories, resource files; 1 ok, 0 fatal (message shown)
// The message a start that finds no usable directories (or resource files)
// ends with: the cause as the check gave it (the directory or file and the
// system's reason), then in the game's words that the installation is at
// fault and that the program ends.
std::string App_Verzeichnis_Fehler(const std::string& grund);
std::string App_Resourcen_Fehler(const std::string& grund);
int32_t App_Init_Grafik();   // screen bitmap, shade table, fonts, network; 1 ok, 0 fatal
void App_Beenden();          // shade table, sound and fonts released (called by the calendar)
void App_Aktivieren(bool aktiv);
int32_t App_Frame();         // one frame; always 0
// A window's pass through the main loop lasts at least this long: the rest is
// slept away, so an idle picture does not hold a core. The game's timing reads
// the clock, never the number of frames.
constexpr uint32_t APP_FRAME_MS = 10;
// A picture that has not changed (its films aside) for APP_STILL_MS while the
// game waits for the player runs the game's whole frame every APP_LEERLAUF_MS,
// and in between only its films' frames as they fall due; any input wakes the
// wait and brings the whole frame at once, and the first change outside the
// films (an animation, a hover) restores the pace.
constexpr uint32_t APP_STILL_MS = 500, APP_LEERLAUF_MS = 200;
// Whether a pass runs the films alone (App_Film_Frame) rather than the whole
// frame: the pass before waited as a still picture (`still`), nothing came
// from the player or the window since the last whole frame (`eingabe` false),
// and that frame, `seit_voll` ms ago, is younger than APP_LEERLAUF_MS.
bool App_Nur_Filme(bool still, bool eingabe, uint32_t seit_voll);
// The frame of a still picture whose films alone are due: their frames go
// into the screen memory, which holds the last whole frame, and only their
// rectangles are compared and shown. The game's own frame (the calendar, the
// menu's drawing and input) does not run.
void App_Film_Frame();
// How long a pass that began at `start` still waits at `jetzt` (milliseconds
// of Plat_Ms, wrap-around included): the rest of APP_FRAME_MS, 0 once spent;
// once the picture has stood still (films aside) for `still_ms` >=
// APP_STILL_MS (the caller passes 0 while the game is busy) the rest of
// APP_LEERLAUF_MS, but no longer than `film_ms` when a film plays (>= 0).
uint32_t App_Frame_Rest(uint32_t start, uint32_t jetzt, uint32_t still_ms = 0, int32_t film_ms = -1);
void Spiel_Dispatcher(uint32_t ereignis);
void Netz_Pump();
// Takes the pending events and runs the network pump; returns the new last
// frame time. One key and its character reach the key polling a pass: a
// further key and the events after it wait for the next pass.
uint32_t Win_Pump_Messages();
// The wait of a remote call, over and over: the events and the network are
// pumped and the screen as it stands is shown again (the calling icon drawn
// pressed); no frame of the game runs, so nothing is clicked meanwhile.
void Win_Warten();
// The wait has ended: a click that came in meanwhile waits for the next frame
// and counts once (Maus_Warten_Ende); the keys and wheel steps are dropped, and
// a button held since before the wait counts again after its release.
void Win_Warten_Ende();
// Handles one platform event the way the window procedure does.
void Win_Proc(const struct PlatEreignis& e);

// The command-line marks.
bool App_Kein_Intro();
// 0 when "-d" was given (keep the configuration cache), else 1.
int32_t App_Config_Loeschen_Mark();

// The fatal message box: caption "ERROR:", at most 255 characters.
int32_t Error_Box(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace velmora
