// core/dirs.h - the installation and user directories.
//
// The installation directory comes from the command line ("--datadir"), else
// from the setting "Work_dir" (or "Work_dir2" when the shell was started with
// "-r"). Without either, an installed program finds its data by itself: in
// its own directory, then in "../share/velmora" from its "bin", then under the
// prefix it was built for. The user directory comes from "USER_DIR",
// by default "$XDG_DATA_HOME/velmora" ("~/.local/share/velmora"), or
// "$XDG_DATA_HOME/velmora-user" where the installation itself is there (a
// prefix of "~/.local"); it is never the installation directory. Each
// sub-directory's name can be overridden by the setting "verz_%d" with its number.
// What the game can rebuild (the binary configuration cache) goes to
// "$XDG_CACHE_HOME/velmora" ("~/.cache/velmora").
#pragma once
#include <cstdint>
#include <string>

namespace velmora {

enum DirsNummer : int32_t {
    DIR_INSTALL = 0,          // the installation: "intro.exe", "background.wav"
    DIR_INSTALL_CONFIG,       // its "config" directory
    DIR_INSTALL_WAPPEN,       // its "wappenbilder" (crest pictures)
    DIR_RESFILE,              // its "resfile" directory: the resource files
    DIR_DATEN,                // its "daten" directory: "%s\\dummy\\%s.tga" is built from it
    DIR_INTRO,                // its "intro" directory
    DIR_USER,                 // the user directory
    DIR_USER_CONFIG,          // user configuration (read before the installation's)
    DIR_SPIELSTAND,           // save games
    DIR_BACKUP,
    DIR_SPIELERBILDER,        // user player pictures
    DIR_MANAGERBILDER,        // user manager pictures
    DIR_WAPPENBILDER,         // user crest pictures
    DIR_SZENARIO,
    DIR_PATCH,
    DIR_SOUND,                // user sounds
    DIR_TEMP,
    DIR_ANZAHL
};

constexpr int32_t DIRS_PFAD_MAX = 256;   // 255 characters and the zero

// Marks that the installation directory is taken from "Work_dir2" ("-r").
void Dirs_Setze_Registry2(bool an);
// The installation directory given on the command line; it beats both
// settings ("" or null: the settings decide again).
void Dirs_Setze_Installation(const char* pfad);
// The user directory given by a program that runs in a folder of its own; it
// beats the setting "USER_DIR" ("" or null: the setting decides again). Such
// a program needs no settings file to find its directories.
void Dirs_Setze_Benutzer(const char* pfad);
// 1 when the installation directory exists, every user sub-directory exists
// or was created, and the user and save-game directories take new files; else 0.
int32_t Dirs_Init();
// Why the last Dirs_Init failed, in one line naming the directory ("" after success).
const char* Dirs_Fehler();
// The path of a table entry; "" for an unknown number or before Dirs_Init.
const char* Dirs_Get(int32_t nummer);
// The directory of rebuildable files: "$XDG_CACHE_HOME/velmora", else
// "<home>/.cache/velmora" (the home from $HOME or the password database).
// Looked up on every call and not created here.
std::string Dirs_Cache();
// The number of files matching "%s\\%s" (directory, pattern).
int32_t Dirs_Count_Files(const char* verzeichnis, const char* muster);
// Writes the matching names (256 bytes each) while fewer than `maximum` are
// written; returns how many. A maximum of 0 writes nothing.
int32_t Dirs_Find_File(const char* verzeichnis, const char* muster, int32_t maximum, char (*namen)[256]);
int32_t Datei_Existiert(const char* pfad);   // non-zero when the file exists

// The advisory lock on the user directory ("velmora.lock" in it): one
// instance that may save holds it; another one on the same directory plays
// with saving refused. Held until released or the process ends.
enum class DirsSperre { KEINE, GEHALTEN, FREMD };
// Takes the lock once (after Dirs_Init); later calls return the state the
// first one reached. FREMD: another instance holds it. KEINE: the lock file
// could not be made (the game saves as before; the debug log says why).
DirsSperre Dirs_Sperren();
DirsSperre Dirs_Sperre();
// Lets the lock go and forgets the state (the end of a game's wiring).
void Dirs_Sperre_Freigeben();

}  // namespace velmora
