// app/verdrahtung.h - the composition root: the one place that wires the game.
//
// Every module of the game is bound here, in one declared order, and unbound
// in the reverse order: the hooks a lower subsystem calls upwards are filled,
// the subscribers of the broadcast events entered (core/abonnenten.h, in the
// order of core/prioritaeten.h), the remote calls and save blocks registered.
// No other file fills another module's hooks. A hook that has one owner is
// filled once; a second owner, two subscribers at one priority, or a
// single-owner hook the mode needs that stays empty stop the start with a
// message naming them.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "app/sim_lauf.h"

namespace velmora {

// What the program is.
enum class Betrieb {
    FENSTER,    // the game in its window
    HEADLESS,   // the game without a display: the main job plays a number of days
    SIM,        // velmora-sim: seasons without a screen
    TEST,       // a test world: the modules the test names, or those of SIM
};

struct VerdrahtungOptionen {
    Betrieb betrieb = Betrieb::TEST;
    // The runner of a game without a screen (HEADLESS, SIM, and tests that name "Lauf").
    SimOptionen sim;
    // TEST: only these modules (names of Verdrahtung_Module()); empty: those of SIM.
    std::vector<std::string> nur;
    // The order to bind them in; empty: the declared order. The result never
    // depends on it (the tests bind in a shuffled order to prove this).
    std::vector<std::string> reihenfolge;
    // The world's configuration cache is read and written (for the next
    // start); false for a run whose cache directory is thrown away at its end
    // (velmora-sim), where writing it would be work for nothing.
    bool konfig_cache = true;
};

// Binds every module the mode needs. False, with the reason in `fehler` (and
// in the debug log), when the wiring is not sound; everything bound is then
// unbound again.
bool Spiel_Verdrahten(Betrieb betrieb, std::string* fehler = nullptr);
bool Spiel_Verdrahten(const VerdrahtungOptionen& optionen, std::string* fehler = nullptr);
// Unbinds every bound module in the reverse order of binding.
void Spiel_Entdrahten();

// The modules in their declared order, and those bound now (in binding order).
std::vector<std::string> Verdrahtung_Module();
std::vector<std::string> Verdrahtung_Gebunden();
// Unbinds one module (its hooks, subscribers, requests and save block); the
// others keep working. False when it is not bound.
bool Verdrahtung_Modul_Abbinden(const char* name);
// Binds one module of the table after the others, one no mode binds by itself
// (the simulator's pictures). False, with its first fault in `fehler`, when
// it is unknown, bound already or its binding is not sound; nothing of it
// then stays bound.
bool Verdrahtung_Modul_Binden(const char* name, std::string* fehler = nullptr);

// An instance that starts or loads a game it may save takes the lock on the
// user directory (a network client saves nothing and takes none). The holder
// removes what an interrupted save left behind; an instance that finds the
// lock held says so once (one line on stderr, a message box where a window
// exists) and plays with saving and the autosave refused. The start of a
// game calls it; later calls do nothing until the wiring is undone.
void Spiel_Sperren();

// Client, once per frame: when the server is gone (its connection closed, or
// the own live match's minute packet unanswered longer than a remote call
// may wait) network play ends: the game is let go unsaved, the start screens
// come back with a message. True when it ended network play.
bool Netz_Client_Verloren_Pruefen();
// Client, once per frame: a small request every 3 s, so that a machine whose
// person reads a requester, or chooses in the wizard, is never taken for a
// silent one and dropped (a stopped program still is).
void Netz_Client_Lebenszeichen();
constexpr uint32_t NETZ_LEBENSZEICHEN_MS = 3000;

// The world generator's own wiring (tools/weltgen, test worlds): the
// competitions of a generated world are written by the season, its clubs
// dressed in their crests' colours by the kits.
void Verdrahtung_Weltgen();


// The simulator's pictures of a watched match: the views draw the first live
// match of a human club into an off-screen 800 x 600 screen with the art of
// `resfile`, and `bild` gets the screen each game minute (pixels, width,
// height, game number x 1000 + minute). False with the reason when the art
// cannot be loaded, and nothing of it stays open or filled. It is the module
// "SimAnsicht" of the composition root, bound after the game's modules.
bool Ansicht_Sim_Einrichten(const std::string& resfile, void (*bild)(const uint16_t*, int32_t, int32_t, uint32_t),
                            std::string* fehler);
// The same with the match radar in place of the views (the art of
// "menue_res.res" and the crests of "wappen.res"); Ansicht_Sim_Beenden ends both
// (unbinds the module; Spiel_Entdrahten does too).
bool Radar_Sim_Einrichten(const std::string& resfile, void (*bild)(const uint16_t*, int32_t, int32_t, uint32_t),
                          std::string* fehler);
void Ansicht_Sim_Beenden();

}  // namespace velmora
