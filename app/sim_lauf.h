// app/sim_lauf.h - a game without a screen: the calendar driven frame by
// frame from a new game (or a loaded one) of a generated world, every club
// computer-managed or given human managers that always end their turn at
// once. The composition root binds it for velmora-sim, the headless main
// job and the test worlds.
#pragma once
#include <cstdint>
#include <string>

namespace velmora {

constexpr int32_t SIM_REPLAY_SLOT = 8;   // --check's save of a minute change before a break

struct SimOptionen {
    uint32_t seed = 1;          // the game's random index (fixtures, results)
    int32_t menschen = 0;       // human managers on the first clubs that play in a league
    // Each human manager's club in a league of its own (the first club of each
    // league in turn) instead of the first clubs, which share a league.
    bool menschen_ligen_verschieden = false;
    int32_t laden = -1;         // a save slot to start from instead of a new game
    bool autosave = true;
    // The headless main job: once the game reaches this day, the short report
    // is printed and the program ends the orderly way (0: never).
    int32_t tage = 0;
    // Every human manager ends his turn at once; false leaves the turn to the
    // screens (a test of a screen in a running game).
    bool zuege_beenden = true;
    // A stand-in match day (the calendar tests' quick one) instead of the
    // game's: it starts today's matches and advances them each frame.
    bool (*spieltag_start)() = nullptr;
    bool (*spieltag_frame)() = nullptr;
    // Every match is computed live, as if every competition asked for it.
    bool alle_live = false;
    // The invariant checker runs over every live record after every frame;
    // the first broken rule stops the run.
    bool pruefen = false;
    // Each human manager acts once a game week as a plain computer manager
    // would (app/sim_aktiv.h) instead of only ending his turns.
    bool aktiv = false;
    // A program's own wait while a remote call waits for its answer (the
    // network's wait hook; none: the call waits without one), and where the
    // messages to the manager go (none: one line each on stderr).
    void (*netz_warten)() = nullptr;
    void (*meldung)(const char* text) = nullptr;
};

// Why a game without a screen stopped.
enum class SimStopp : int32_t {
    KEINER = 0,
    WELT,    // the world could not be built (a configuration file missing, unreadable or faulty)
    LADEN,   // the save slot could not be loaded
    REGEL,   // a live match broke a rule of the invariant checker
};

struct SimZustand {
    SimOptionen optionen;
    bool laden_angefordert = false;
    bool fehler = false;
    SimStopp stopp = SimStopp::KEINER;   // see SimStopp
    std::string fehler_text;   // one line naming what failed
    // The report of the last season as it ended (before the season change
    // cleared its tables); empty until a season has ended.
    std::string letzte_saison;
    int64_t frames = 0;
    bool replay_gespeichert = false;   // --check saved a minute change into SIM_REPLAY_SLOT
    int32_t gespielte_tage = 0;
    bool fertig = false;   // the headless main job reached its days and asked for the end
};
SimZustand& Sim();

// Writes a generated world (the club files, wettbewerb.cfg and zeitplan.cfg)
// into `install`/config. On failure `fehler` holds one line naming the file
// that could not be written and why.
bool Sim_Welt_Erzeugen(const std::string& install, bool klein, uint32_t seed, std::string* fehler = nullptr);

// The start screens' part: builds the new game (or asks for the load) on the
// first frame. A failure is final: it is named in Sim().fehler_text, the end
// of the program is requested, and nothing is tried again.
bool Sim_Spielstart();
// Before the season change: the report of the season that ends is kept.
void Sim_Vor_Saisonwechsel();
// True while no league game of the running season has been played.
bool Sim_Saison_Leer();
// Every human manager ends his turn at once.
void Sim_Menue_Frame();
// The headless main job's day: the report and the end once its days are played.
void Sim_Tag();

// Runs frames until the game has reached day `bis` (false on an error or
// when the game does not get there within a generous frame budget).
bool Sim_Bis_Tag(int32_t bis);
// Ends the program the orderly way: the quit request and the calendar's shutdown.
void Sim_Beenden();

// The state of the game as text: date, tables, cup progress, the ranking's
// top ten and the top scorers; and a short summary (the date, each league's
// leader and the ranking's first club).
std::string Sim_Bericht();
std::string Sim_Kurzbericht();

}  // namespace velmora
