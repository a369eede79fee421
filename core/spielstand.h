// core/spielstand.h - the save-game driver: saving and loading the whole game.
//
// A save game is "game_%d.qzv" (slot 0 to 9) in the save-game directory. It
// holds the slot header and one part per registered module, in the order of
// their positions; core's random table and index always come first. Each
// module registers its own part when the program binds it.
// Slot 9 is the autosave.
//
// Saving builds the whole file in memory, writes it to a temporary file, flushes
// it and renames it over the old one, so a failed or interrupted save never
// destroys the previous one. Loading reads the whole file and checks every
// block before any module is touched; then the running game is saved into
// memory, and when a module still fails to load, that copy is loaded back.
// Modules therefore need nothing but their save and load functions.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/spielstand_datei.h"

namespace velmora {

constexpr int32_t SPIELSTAND_SLOTS = 10;
constexpr int32_t SPIELSTAND_AUTOSAVE_SLOT = 9;
constexpr int32_t SPIELSTAND_AUTOSAVE_TAGE = 7;   // every seventh day
constexpr int32_t SPIELSTAND_MODULE_MAX = 32;

// Texts of the screens the driver shows.
constexpr int32_t DISK_TEXT_SLOT_NAME = 9;       // "...%d": a slot without a name
constexpr int32_t DISK_TEXT_AUTOSAVE = 13;       // the autosave slot's name
constexpr int32_t OPTIONEN_TEXT_CLIENT = 29;     // saving is not possible on a client

// The calls the driver makes upwards; the higher modules fill them when they start.
struct SpielstandHooks {
    // 0 alone, 1 client, 2 server (the network). Unfilled: alone.
    int32_t (*netz_modus)() = nullptr;
    // The first human manager's name, his club's city and team number; false
    // when there is none (the club data). Unfilled: none.
    bool (*erster_manager)(char name[30], char stadt[32], int32_t* team) = nullptr;
    // A club's balance (the bank). Unfilled: 0.
    int32_t (*kontostand)(int32_t team) = nullptr;
    // A club's strength, Team_Berechne_Staerke(team, 16) (the club data). Unfilled: 0.
    int32_t (*staerke)(int32_t team) = nullptr;
    // The name the manager gave a slot on the save screen; null or empty for none.
    const char* (*slot_name)(int32_t slot) = nullptr;
    // A text of the save screen (DISK_SCREEN) and of the options screen (OPTIONEN_SCREEN).
    const char* (*disk_text)(int32_t nummer) = nullptr;
    const char* (*optionen_text)(int32_t nummer) = nullptr;
    // After a save: the save screen reads the slot headers again.
    void (*nach_speichern)() = nullptr;
    // Whether a game is in memory; none before the first game is built or
    // loaded (the start screen, velmora-sim --load). Unfilled: a game runs.
    bool (*spiel_laeuft)() = nullptr;
    // Lets the modules go of the game data a refused load gave them, back to
    // no game running. A load refused with no game running ends here instead
    // of loading back a copy of modules that hold no game.
    void (*spiel_freigeben)() = nullptr;
    // True when another instance of the game holds the user directory: this
    // one saves nothing, and saving and the autosave are refused as on a
    // client. Unfilled: this instance is alone.
    bool (*andere_instanz)() = nullptr;
};
SpielstandHooks& Spielstand_Hooks();

// A module's save and load functions: true on success.
using SpielstandSpeichern = bool (*)(SpielstandDatei* datei);
using SpielstandLaden = bool (*)(SpielstandDatei* datei);

// A module's part of the save game, declared by the module beside its own
// save and load functions. In the file it is one packed block with its
// length in front. The layout of a block never changes under its name: a
// module whose layout changes declares a new name, so an older file is
// refused by name instead of misread.
struct SpielstandBlock {
    const char* name = nullptr;   // 1 to 31 characters, a literal
    int32_t position = 0;         // 1 to 255: modules are saved and loaded by ascending position
    // Appends the block's bytes to `out`. `out` is the save game's image, so
    // the bytes already in it are left as they are.
    void (*save)(std::vector<uint8_t>& out) = nullptr;
    bool (*load)(const uint8_t* in, size_t bytes) = nullptr;   // false: the block fails its checks
    // The module as in a new game, for a save written before the module
    // existed. Null: the module keeps what it holds.
    void (*neu)() = nullptr;
    // The save-game version the module came with (SPIELSTAND_FORMAT when it
    // came). A file of that version or a later one must hold its block.
    int32_t seit = 100;
    // Instead of `save`, when given: the same bytes as pieces, the large ones
    // packed where they stand rather than copied into the image first.
    void (*save_stuecke)(SpielstandStuecke& out) = nullptr;
};

// Enters a module in the registration table at `position` (1 to 255; 0 is the
// random table). Modules are saved and loaded by ascending position. A name
// already registered at the same position gets the new functions. False when
// the position or the name (1 to 31 characters) is taken by another module,
// the arguments are invalid or the table is full.
bool Spielstand_Modul_Anmelden(int32_t position, const char* name, SpielstandSpeichern speichern,
                               SpielstandLaden laden);
void Spielstand_Modul_Abmelden(const char* name);
// Enters a declared block (as Spielstand_Modul_Anmelden).
bool Spielstand_Block_Anmelden(const SpielstandBlock& block);

// Saves the game into slot 0 to 9. Refused on a network client with the options
// screen's message. The slot's name comes from the save screen; slot 9 is named
// as the autosave. On success the slot becomes the last one ("Gme").
bool Spielstand_Speichern(int32_t slot);
// The whole game held plain in memory, as a save of `slot` would write it:
// the header and every module's blocks, unpacked. Taking one costs a copy of
// the game's bytes (no packing, no file), so it may be taken often and
// written only when it is wanted.
struct SpielstandAbbild {
    int32_t slot = -1;
    SpielstandKopf kopf{};
    SpielstandMitschnitt module;   // every module's blocks, in the table's order
    bool gueltig = false;
};
// Takes the running game's image for slot 0 to 9 (the room of the image
// held before is kept). False when a module fails to give its bytes.
bool Spielstand_Abbild_Nehmen(SpielstandAbbild* abbild, int32_t slot);
// Writes an image into its slot: the same file Spielstand_Speichern would
// have written at the moment the image was taken, refused and reported as
// that save is.
bool Spielstand_Abbild_Speichern(const SpielstandAbbild& abbild);
// Loads slot 0 to 9. Refused on a network client with the message saving gets
// there (a client's game is the server's). On any failure the running game stays as it was (with
// no game running, the program stays without one) and the manager is told
// which part of the file was refused. On success the slot becomes the last one. A file without
// the block of a module that came with a later version loads, and that module
// starts as in a new game; a file that lacks the block of a module its own
// version already had is refused as incomplete, and a file with a module this
// program does not know, or with its modules in another order, is refused,
// each with the module's name.
bool Spielstand_Laden(int32_t slot);
// A module's loader whose block passed its checks and that fails for a cause
// outside it (a working file it cannot write, say, on a full disk) gives that
// cause here before it returns false: the load is refused with the cause, and
// the file is said to be whole instead of damaged. It holds for the load under
// way only.
void Spielstand_Lade_Ursache(const std::string& ursache);
// Called by the calendar when a day starts (`tag` counts the days of the game):
// saves into slot 9 every seventh day while the autosave option is on. True when saved.
// The file is built on the calling thread and written, flushed and renamed by
// a background writer; true means it is on its way. A failed write is
// reported as a failed save is once it is known: at the next day's check, the
// next save, a load, or Spielstand_Schreiber_Warten.
bool Spielstand_Autosave(int32_t tag);
// Waits for the background writer and takes in its outcome (the program's end).
void Spielstand_Schreiber_Warten();
// How many saves failed since the program started (each was reported when
// it failed): a run that lost a save says so in its end.
int32_t Spielstand_Fehlgeschlagen();

// Removes what an interrupted save left behind in the save-game directory:
// temporary files of this driver's own name "game_N.qzv.tmp-XXXXXX" (slot N 0
// to 9, six characters of mkstemp), nothing else. Only the instance that
// holds the user directory calls it: another one's save may be under way.
// Returns how many were removed.
int32_t Spielstand_Reste_Entfernen();

// Reads the header of slot 0 to 9: 1 when the file exists and its magic, version
// and header are sound, else 0 and the header emptied.
int32_t Spielstand_Kopf_Lesen(int32_t slot, SpielstandKopf* kopf);
// The block module `name` saved into slot 0 to 9, read from the file alone
// without loading the game (the save screen's list shows the date from the
// calendar's); false when the slot holds no sound block of that module or it
// is larger than `hoechstens` bytes.
bool Spielstand_Modul_Block_Lesen(int32_t slot, const char* name, uint32_t hoechstens, std::vector<uint8_t>* daten);
// Whether slot 0 to 9 has a file at all, sound or not: a slot whose header
// does not read is damaged when its file is there and free when it is not.
bool Spielstand_Datei_Vorhanden(int32_t slot);
// Fills a header for saving: the name, and the first human manager's name, his
// club's city, team number, balance and strength.
void Spielstand_Kopf_Fuellen(SpielstandKopf* kopf, const char* name);
// The last slot saved or loaded (the setting "Gme"), or -1 when none is stored.
int32_t Spielstand_Letzter_Holen();

}  // namespace velmora
