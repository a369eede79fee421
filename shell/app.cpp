// shell/app.cpp - start-up, main loop, frame, dispatcher and shutdown.
#include "shell/app.h"

#include <algorithm>

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <deque>
#include <getopt.h>
#include <string>
#include <vector>

#include "core/debug.h"
#include "core/dirs.h"
#include "core/str.h"
#include "core/mem.h"
#include "core/programm.h"
#include "core/taste.h"
#include "platform/clock.h"
#include "platform/display.h"
#include "shell/maus.h"
#include "shell/screen.h"

namespace velmora {
namespace {

struct AppModul {
    bool kein_intro = false;
    int32_t config_loeschen = 1;
    uint32_t letzte_frame_zeit = 0;
    uint32_t geaendert = 0;   // when the shown picture last changed
    uint32_t voll = 0;        // when the last whole frame ran
    uint32_t eingaben_voll = 0;   // the display's count of events at its start
    bool still_gewartet = false;  // the last pass waited as a still picture
    uint32_t loop_start = 0;
    uint32_t ereignis = 0;
    int32_t fenster_umschalter = 1;
    // Events held back for the next pass: the key polling holds one key a
    // frame, and a second key of the same pass would overwrite the first.
    std::deque<PlatEreignis> aufgeschoben;
};
AppModul g;
ShellDienste g_dienste;

int32_t modus() { return g_dienste.netzwerk_modus ? g_dienste.netzwerk_modus() : 0; }

// The idle wait of a still picture, at most `ms`: it ends with the first
// input, and on a server with a client's message (the next pass answers it)
// once APP_FRAME_MS have passed: a request no longer waits out the idle
// pace, and a connection that stays readable (its answers still queued)
// brings no more passes than a busy picture does.
void Leerlauf_Warten(uint32_t ms) {
    if (modus() != 2 || !g_dienste.net_server_warten) {
        Plat_Ereignis_Warten_Ms(ms);
        return;
    }
    constexpr uint32_t SCHEIBE_MS = 5;   // how long the sockets are watched before the window is looked at again
    const uint32_t start = Plat_Ms();
    for (uint32_t vergangen = 0; vergangen < ms; vergangen = Plat_Ms() - start) {
        const uint32_t scheibe = std::min(SCHEIBE_MS, ms - vergangen);
        if (vergangen < APP_FRAME_MS) {
            if (Plat_Ereignis_Warten_Ms(std::min(scheibe, APP_FRAME_MS - vergangen))) return;
        } else if (Plat_Ereignis_Warten_Ms(0) || g_dienste.net_server_warten(scheibe)) {
            return;
        }
    }
}

}  // namespace

ShellDienste& Shell_Dienste() { return g_dienste; }

const char* App_Version() { return VELMORA_VERSION; }

AppAufruf App_Schalter_Lesen(int argc, char* const* argv, AppSchalter& schalter, std::string* fehler) {
    enum { DATADIR = 1000, VERSION };
    static const option LANG[] = {
        {"window", no_argument, nullptr, 'w'},
        {"no-intro", no_argument, nullptr, 'i'},
        {"second-install", no_argument, nullptr, 'r'},
        {"keep-config-cache", no_argument, nullptr, 'd'},
        {"datadir", required_argument, nullptr, DATADIR},
        {"help", no_argument, nullptr, 'h'},
        {"version", no_argument, nullptr, VERSION},
        {nullptr, 0, nullptr, 0},
    };
    schalter = AppSchalter{};
    // getopt_long reorders its vector: it gets a copy, and starts afresh each call.
    std::vector<char*> args(argv, argv + argc);
    args.push_back(nullptr);
    const char* programm = argc > 0 && argv[0] ? argv[0] : "velmora";
    auto scheitern = [&](const std::string& text) {
        if (fehler) *fehler = text;
        return AppAufruf::FEHLER;
    };
    optind = 0;
    opterr = 0;
    for (;;) {
        int c = getopt_long(argc, args.data(), "+:wirdh", LANG, nullptr);
        if (c == -1) break;
        switch (c) {
            case 'w': schalter.fenster = true; break;
            case 'i': schalter.kein_intro = true; break;
            case 'r': schalter.registry2 = true; break;
            case 'd': schalter.cache_behalten = true; break;
            case DATADIR: schalter.datadir = optarg; break;
            case 'h': return AppAufruf::HILFE;
            case VERSION: return AppAufruf::VERSION;
            case ':':
                return scheitern(std::string(programm) + ": option '" + args[optind - 1] + "' needs a value (see --help)");
            default: {
                // A long option is named as it was written: "--window=3" is a
                // known option given a value it does not take, not an unknown "-w".
                // (A short option's fault inside a group such as "-xw" leaves
                // optind on the word before it: the short one is named then.)
                const std::string wort = args[optind - 1];
                const std::string lang = wort.substr(0, wort.find('='));
                const bool ist_lang = wort.rfind("--", 0) == 0;
                for (const option* o = LANG; ist_lang && optopt && o->name; ++o)
                    if (o->val == optopt && std::string(o->name).rfind(lang.substr(2), 0) == 0)
                        return scheitern(std::string(programm) + ": option '--" + o->name + "' takes no value (see --help)");
                if (ist_lang && optopt == 0)
                    return scheitern(std::string(programm) + ": unknown option '" + lang + "' (see --help)");
                return scheitern(std::string(programm) + ": unknown option '-" + char(optopt) + "' (see --help)");
            }
        }
    }
    if (optind < argc)
        return scheitern(std::string(programm) + ": unexpected argument '" + args[optind] + "' (see --help)");
    return AppAufruf::STARTEN;
}

std::string App_Hilfe_Text(const char* programm) {
    std::string p = programm ? programm : "velmora";
    return "Usage: " + p + " [OPTION]...\n"
           "Velmora, a football club-management game.\n"
           "\n"
           "  -w, --window             play in a window instead of full screen\n"
           "  -i, --no-intro           do not start the intro and outro player (an external\n"
           "                           program this installation does not ship)\n"
           "  -r, --second-install     play a second installation: the directory named by\n"
           "                           Work_dir2 in settings.ini instead of Work_dir\n"
           "  -d, --keep-config-cache  build new games from the world files read before\n"
           "                           (kept in the cache as 0_config.bin, the 0 being the\n"
           "                           world's file set config/0_*.cfg) instead of reading\n"
           "                           config/ again\n"
           "      --datadir DIR        the installation directory (beats the settings file)\n"
           "  -h, --help               this text\n"
           "      --version            the version\n"
           "\n"
           "Without a display (no DISPLAY or WAYLAND_DISPLAY set, or SDL's offscreen or dummy\n"
           "video driver) the game plays days of its demo world headless and prints the\n"
           "leaders; with -w it then ends with status 1. A display that is set but does not\n"
           "open (or an SDL2 library that does not load) ends the game with status 1 and\n"
           "the reason; it does not play headless then.\n"
           "\n"
           "Files:\n"
           "  $XDG_CONFIG_HOME/velmora/settings.ini (~/.config)  settings: Work_dir, USER_DIR, ...\n"
           "  $XDG_DATA_HOME/velmora (~/.local/share)           the user directory: save games\n"
           "                                                     (spielstand/game_N.qzv), news, pictures;\n"
           "                                                     velmora-user there when the installation\n"
           "                                                     itself is there (the prefix ~/.local)\n"
           "  <user directory>/velmora.lock                     held while this game may save\n"
           "  $XDG_CACHE_HOME/velmora (~/.cache)                the configuration cache 0_config.bin\n"
           "  <installation>/config, resfile                    the world and the resource files: --datadir,\n"
           "                                                     else Work_dir, else beside the program,\n"
           "                                                     ../share/velmora from its bin, the prefix\n"
           "\n"
           "Exit status: 0 ok, 1 the game could not start or stopped on an error, 2 bad usage,\n"
           "6 the headless game played, but a save failed.\n";
}

bool App_Kein_Intro() { return g.kein_intro; }
int32_t App_Config_Loeschen_Mark() { return g.config_loeschen; }

int32_t Error_Box(const char* format, ...) {
    char text[256];
    va_list args;
    va_start(args, format);
    Str_VFormat(text, sizeof text, format, args);
    va_end(args);
    Plat_Meldungsbox("ERROR:", text);
    return 1;
}

namespace {
constexpr const char* TEXT_VERZEICHNIS_FEHLER =
    "Es liegt ein Fehler in der Verzeichnis Struktur vor (evtl. nochmals installieren).\nDas Programm wird beendet.";
constexpr const char* TEXT_RESOURCEN_FEHLER =
    "Es liegt ein Fehler in der Resource-File Struktur vor (evtl. nochmals installieren).\nDas Programm wird beendet.";

std::string mit_ursache(const std::string& grund, const char* text) { return grund.empty() ? text : grund + "\n" + text; }
}  // namespace

std::string App_Verzeichnis_Fehler(const std::string& grund) { return mit_ursache(grund, TEXT_VERZEICHNIS_FEHLER); }
std::string App_Resourcen_Fehler(const std::string& grund) { return mit_ursache(grund, TEXT_RESOURCEN_FEHLER); }

int32_t App_Init() {
    if (g_dienste.sound_init) g_dienste.sound_init();   // the game runs silent without sound
    // The cause names a path, which may not fit the 256 bytes of Error_Box.
    if (!Dirs_Init()) {
        Plat_Meldungsbox("ERROR:", App_Verzeichnis_Fehler(Dirs_Fehler()).c_str());
        return 0;
    }
    if (g_dienste.resourcen_oeffnen && !g_dienste.resourcen_oeffnen()) {
        Error_Box("%s", TEXT_RESOURCEN_FEHLER);
        return 0;
    }
    return 1;
}

int32_t App_Init_Grafik() {
    Screen_Record& s = Screen_Get();
    int32_t ok = 1;
    if (g_dienste.rastport_screen_setup && !g_dienste.rastport_screen_setup(s.speicher, s.breite, s.hoehe, s.tiefe))
        ok = 0;
    if (g_dienste.shade_init) g_dienste.shade_init(s.tiefe);
    if (g_dienste.font_load_set && !g_dienste.font_load_set()) {
        Error_Box("Fehler beim Laden der Fonts.\nDas Programm wird beendet.");
        ok = 0;   // the network is still set up, as the order asks
    }
    if (g_dienste.net_init) g_dienste.net_init();
    if (g_dienste.net_local_address) {
        char host[256] = {};
        int32_t port = 0;
        uint32_t adresse = 0;
        // No resolvable host name means no network play, not the end of the program.
        if (!g_dienste.net_local_address(host, sizeof host, &port, &adresse))
            Debug_Printf("App_Init_Grafik: keine lokale Adresse, Netzwerkspiel nicht moeglich\n");
    }
    return ok;
}

void App_Beenden() {
    if (g_dienste.filme_freigeben) g_dienste.filme_freigeben();
    if (g_dienste.shade_exit) g_dienste.shade_exit();
    if (g_dienste.sound_close) g_dienste.sound_close();
    if (g_dienste.font_free_set) g_dienste.font_free_set();
}

void App_Aktivieren(bool aktiv) {
    if (aktiv && g_dienste.sound_resume_all) g_dienste.sound_resume_all();
    if (!aktiv && g_dienste.sound_pause_all) g_dienste.sound_pause_all();
}

void Netz_Pump() {
    if (!g_dienste.net_pump) return;
    int32_t m = modus();
    if (m == 1) {
        for (int i = 0; i < 12; ++i) g_dienste.net_pump();
        if (modus() == 2) {
            if (g_dienste.net_server_slot_pump) g_dienste.net_server_slot_pump();
            for (int i = 0; i < 12; ++i) g_dienste.net_pump();
        }
    } else if (m == 2) {
        g_dienste.net_pump();
        g_dienste.net_pump();
        if (g_dienste.net_server_slot_pump) g_dienste.net_server_slot_pump();
        g_dienste.net_pump();
        g_dienste.net_pump();
    }
}

void Win_Proc(const PlatEreignis& e) {
    switch (e.art) {
        case PLAT_E_TASTE:
            Taste_Eingabe_Zeichen(-1);
            Taste_Eingabe_Code(e.code);
            Taste_Eingabe_Shift(e.shift);
            Taste_Eingabe_Ctrl(e.ctrl);
            Taste_Eingabe_Wiederholt(e.wiederholt);
            break;
        case PLAT_E_ZEICHEN:
            Taste_Eingabe_Zeichen(e.code);
            Taste_Eingabe_Wiederholt(e.wiederholt);
            break;
        case PLAT_E_RAD: Maus_Rad_Setzen(e.code < 0 ? -1 : 1); break;
        case PLAT_E_SCHLIESSEN: Quit_State_Setzen(2); break;
        case PLAT_E_BEENDEN:
            if (Quit_State() == 0) Quit_State_Setzen(1);
            break;
        case PLAT_E_AKTIV:
            Screen_Get().aktiv = e.code ? 1 : 0;
            App_Aktivieren(e.code != 0);
            break;
        case PLAT_E_JOY_BEWEGUNG:
            if (Joystick* j = Joy_Record(e.joy)) {
                j->vorhanden = 1;
                j->x = e.x;
                j->y = e.y;
                Joy_Direction(j);
            }
            break;
        case PLAT_E_JOY_KNOPF:
            if (Joystick* j = Joy_Record(e.joy)) {
                if (e.code & 1) j->knopf1 = 1;
                if (e.code & 2) j->knopf2 = 1;
            }
            break;
        default: break;
    }
}

namespace {

// Whether a key types a character: all but the control keys below Space, the
// cursor block from Page Up to Delete and the function keys.
bool Tippt(int32_t vk) {
    if (vk == VK_SPACE) return true;
    return vk > VK_DELETE && (vk < VK_F1 || vk >= VK_F1 + 24);
}

// The pending events of one pass, one key and its character at most: on a
// loaded machine, or when keys come faster than the frames, a pass can take
// several keys typed, and the key polling holds one. A further key, a
// character after a key that types none (an umlaut without a key code of its
// own after Backspace), and whatever came after them wait for the next pass,
// in their order.
void Ereignisse_Nehmen() {
    bool taste = false, zeichen = false, tippt = false;
    const auto nehmen = [&](const PlatEreignis& e) {
        if (e.art == PLAT_E_TASTE && (taste || zeichen)) return false;
        if (e.art == PLAT_E_ZEICHEN && (zeichen || (taste && !tippt))) return false;
        if (e.art == PLAT_E_TASTE) {
            taste = true;
            tippt = Tippt(e.code) && !e.ctrl;
        }
        zeichen = zeichen || e.art == PLAT_E_ZEICHEN;
        Win_Proc(e);
        return true;
    };
    while (!g.aufgeschoben.empty() && nehmen(g.aufgeschoben.front())) g.aufgeschoben.pop_front();
    PlatEreignis e;
    while (g.aufgeschoben.empty() && Plat_Ereignis_Holen(e))
        if (!nehmen(e)) g.aufgeschoben.push_back(e);
}

}  // namespace

uint32_t Win_Pump_Messages() {
    Ereignisse_Nehmen();
    Netz_Pump();
    g.letzte_frame_zeit = Plat_Ms();   // the wait does not count as frame time
    return g.letzte_frame_zeit;
}

void Win_Warten() {
    Win_Pump_Messages();
    if (Quit_State() == 0 && Screen_Get().aktiv) Screen_Present();
}

void Win_Warten_Ende() {
    Maus_Warten_Ende();
    // The keys held back go too, with the characters still queued behind them.
    for (PlatEreignis e; !g.aufgeschoben.empty() && Plat_Ereignis_Holen(e);) g.aufgeschoben.push_back(e);
    std::erase_if(g.aufgeschoben, [](const PlatEreignis& e) { return e.art == PLAT_E_TASTE || e.art == PLAT_E_ZEICHEN; });
    Taste_Reset();
}

void Spiel_Dispatcher(uint32_t ereignis) {
    if (modus() == 2 && g_dienste.server_bedienen) g_dienste.server_bedienen();
    if (ereignis == APP_EREIGNIS_STRG_B) {
        Screen_Record& s = Screen_Get();
        s.modus = g.fenster_umschalter == 1 ? SCREEN_FENSTER : SCREEN_VOLLBILD;
        g.fenster_umschalter ^= 1;
        DDraw_Init(&s);
        if (g_dienste.rastport_screen_setup) g_dienste.rastport_screen_setup(s.speicher, s.breite, s.hoehe, s.tiefe);
    }
    if (g_dienste.kalender_main) {
        g_dienste.kalender_main();
    } else {
        // Until the calendar runs the frame, the shell does its per-frame chores:
        // it turns a quit request into the end, latches the mouse and resets the keys.
        if (Quit_State() != 0) {
            Quit_State_Setzen(2);
            App_Beenden();
        }
        Maus_Tasten_Latch();
        Taste_Reset();
    }
    if (modus() == 1 && g_dienste.client_bedienen) g_dienste.client_bedienen();
    if (Quit_State() == 0) {
        Debug_Monitor();
        if (g_dienste.wappen_statistik) g_dienste.wappen_statistik();
        if (g_dienste.rastport_cache_purge) g_dienste.rastport_cache_purge();
    }
}

int32_t App_Frame() {
    uint32_t jetzt = Plat_Ms();
    if (jetzt == g.letzte_frame_zeit) return 0;   // no frame runs twice in one millisecond
    g.letzte_frame_zeit = jetzt;
    g.voll = jetzt;
    g.eingaben_voll = Plat_Eingaben();
    Maus_Frame_Position_Setzen(Mouse_X(), Mouse_Y());
    if (g.ereignis == 0 && Taste_Get_Code() == 66 && Taste_Ctrl()) g.ereignis = APP_EREIGNIS_STRG_B;
    Spiel_Dispatcher(g.ereignis);
    g.ereignis = 0;
    if (Quit_State() == 0 && Screen_Present() == PLAT_GEAENDERT) g.geaendert = Plat_Ms();
    return 0;
}

bool App_Nur_Filme(bool still, bool eingabe, uint32_t seit_voll) {
    return still && !eingabe && seit_voll < APP_LEERLAUF_MS;
}

void App_Film_Frame() {
    if (Quit_State() == 0) Screen_Present(true);
}

uint32_t App_Frame_Rest(uint32_t start, uint32_t jetzt, uint32_t still_ms, int32_t film_ms) {
    const bool still = still_ms >= APP_STILL_MS;
    const uint32_t takt = still ? APP_LEERLAUF_MS : APP_FRAME_MS;
    const uint32_t vergangen = jetzt - start;   // unsigned: right across the clock's wrap
    const uint32_t rest = vergangen >= takt ? 0 : takt - vergangen;
    return still && film_ms >= 0 ? std::min(rest, uint32_t(film_ms)) : rest;
}

int32_t App_Main(const AppStart& start) {
    g = AppModul{};
    Quit_State_Setzen(0);
    if (start.headless) Plat_Uhr_Virtuell(true, 1);

    if (Win_Create_Window(start.schalter.fenster, start.headless) < 0) return 0;
    Maus_Eingabe_Verwerfen();   // a button already down when the program starts clicks nothing
    Dirs_Setze_Registry2(start.schalter.registry2);
    if (!start.schalter.datadir.empty()) Dirs_Setze_Installation(start.schalter.datadir.c_str());
    if (!App_Init()) {
        Win_Destroy_Window();
        return 0;
    }
    g.kein_intro = start.schalter.kein_intro;
    if (!g.kein_intro && g_dienste.intro_abspielen) g_dienste.intro_abspielen();
    g.config_loeschen = start.schalter.cache_behalten ? 0 : 1;
    if (!DDraw_Init(&Screen_Get()) || !App_Init_Grafik()) {
        Win_Destroy_Window();
        return 0;
    }
    g.ereignis = APP_EREIGNIS_ERSTES_BILD;
    g.letzte_frame_zeit = g.loop_start = g.geaendert = Plat_Ms();

    uint32_t durchlaeufe = 0;
    do {
        const uint32_t durchlauf_start = Plat_Ms();
        Ereignisse_Nehmen();
        Netz_Pump();
        if (!Screen_Get().aktiv) {
            Plat_Ereignis_Warten();
            g.letzte_frame_zeit = Plat_Ms();
        } else if (App_Nur_Filme(g.still_gewartet, Plat_Eingaben() != g.eingaben_voll || !g.aufgeschoben.empty(),
                                 durchlauf_start - g.voll)) {
            // A server answers its clients in this pass too: its still
            // picture runs the whole frame only every APP_LEERLAUF_MS.
            if (modus() == 2 && g_dienste.server_bedienen) g_dienste.server_bedienen();
            App_Film_Frame();
        } else {
            App_Frame();
        }
        g.still_gewartet = false;
        if (Quit_State() == 1 && Screen_Get().aktiv) {
            Quit_State_Setzen(2);
            // This last frame lets the calendar shut the modules down in order,
            // so it must not fall into the millisecond of the previous one.
            while (Plat_Ms() == g.letzte_frame_zeit) Plat_Sleep_Ms(1);
            App_Frame();
        }
        // A window's pass sleeps out the rest of its frame (a present that
        // waited for the refresh has spent it already); the headless back-end
        // moves its virtual clock instead and never sleeps.
        if (start.headless) {
            Plat_Uhr_Vorstellen(start.headless_frame_ms);
        } else if (Quit_State() != 2 && Screen_Get().aktiv) {
            const uint32_t jetzt = Plat_Ms();
            const bool wartet = g_dienste.wartet_auf_eingabe && g_dienste.wartet_auf_eingabe();
            const uint32_t still = wartet ? jetzt - g.geaendert : 0;
            const int32_t film = g_dienste.naechstes_filmbild_ms ? g_dienste.naechstes_filmbild_ms() : -1;
            if (uint32_t rest = App_Frame_Rest(durchlauf_start, jetzt, still, film)) {
                // An idle wait ends with the first input.
                if (still >= APP_STILL_MS) Leerlauf_Warten(rest);
                else Plat_Sleep_Ms(rest);
            }
            g.still_gewartet = still >= APP_STILL_MS;
        }
        ++durchlaeufe;
        if (start.max_durchlaeufe && durchlaeufe >= start.max_durchlaeufe && Quit_State() == 0) Quit_State_Setzen(1);
    } while (Quit_State() != 2);

    if (g_dienste.filme_freigeben) g_dienste.filme_freigeben();
    if (g_dienste.pack_lzw_exit) g_dienste.pack_lzw_exit();
    if (g_dienste.resourcen_schliessen) g_dienste.resourcen_schliessen();
    DDraw_Release(&Screen_Get());
    if (!g.kein_intro && g_dienste.outro_abspielen) g_dienste.outro_abspielen();
    Win_Destroy_Window();
    return 1;
}

}  // namespace velmora
