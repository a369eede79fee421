// core/config.h - the configuration reader and writer.
//
// Every configuration file of the game ("spieler.cfg", "team.cfg", ...,
// "ereignis.cfg", the screen texts "te.cfg") uses one line grammar, described
// in docs/config-format.md: one upper-case keyword per line, then its value
// items (integers, quoted strings, JA/NEIN or YES/NO, bare words such as "*12",
// and "#name" alias references resolved through the file's "_alias.cfg"
// partner), separated by commas or spaces; ";" and "//" start a comment.
//
// Files are found as "%s\\%s\\%d_%s" (base directory, "config", set number,
// name), the user directory first, then the installation directory.
//
// Reading is a pull loop over one open file at a time:
//   if (!Read_Config_Open(CONFIG_EREIGNIS)) ...;
//   while (const char* befehl = Read_Config_Next()) {
//       if (!std::strcmp(befehl, "WERT1")) wert1 = Read_Config_Get_Wert();
//       else Read_Config_Unbekannter_Befehl(902);
//   }
//   Read_Config_Close();
// Errors are shown as "[%d] Syntax-Error in <file>:\n - (%d) <text>\n\n" with
// the line; reading goes on with the next line.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace velmora {

// The configuration files by number; the setting "conf_%d" overrides a name.
enum ConfigDatei : int32_t {
    CONFIG_SPIELER = 0,     // "spieler.cfg"
    CONFIG_TEAM,            // "team.cfg"
    CONFIG_WETTBEWERB,      // "wettbewerb.cfg"
    CONFIG_PERSONAL,        // "personal.cfg"
    CONFIG_ZEITPLAN,        // "zeitplan.cfg"
    CONFIG_GLOBAL,          // "global.cfg"
    CONFIG_TEXT,            // "text.cfg"
    CONFIG_EREIGNIS,        // "ereignis.cfg"
    CONFIG_DATEIEN
};

// The configuration set the game uses now (0 at start).
void Config_Satz_Setzen(int32_t satz);
int32_t Config_Satz();
// The file name of configuration file `datei`: the setting "conf_%d" when it
// is set, else the default; "" for an unknown number.
std::string Config_Datei_Name(int32_t datei);
// The name (or path) of a file's alias partner: "<name without .cfg>_alias.cfg".
std::string Config_Alias_Name(const std::string& name);
// The path of "%d_<name>" of a set: the user's configuration directory first,
// then the installation's; "" when neither holds the file.
std::string Config_Pfad(int32_t satz, const char* name);
// The path a message names for "%d_<name>" of a set: where it was found, else
// where the installation should hold it.
std::string Config_Pfad_Anzeige(int32_t satz, const char* name);

// Opening a file reads it whole, with its alias partner, and replaces the file
// being read before. False (with a log line) when the file cannot be read; a
// missing alias partner only matters when a reference needs it.
bool Read_Config_Open(int32_t datei);                 // configuration file `datei` of the current set
bool Read_Config_Open_Name(const char* name);         // any file of the current set, e.g. "te.cfg"
// A file by its path; the partner is "<path without .cfg>_alias.cfg" beside it.
// `anzeige` names the file in messages (null: the path's file name).
bool Read_Config_Open_Pfad(const char* pfad, const char* anzeige);
// A text in memory, with the text of its alias partner (may be null).
bool Read_Config_Open_Text(const char* text, size_t bytes, const char* anzeige, const char* alias_text,
                           size_t alias_bytes);
void Read_Config_Close();

// The next keyword, or null at the end of the file (or when none is open).
// Lines that are not a keyword are reported and skipped.
const char* Read_Config_Next();
// The current keyword's first item as an integer: JA/YES 1, NEIN/NO 0. A value
// that is not a number (or does not fit 32 bits) is reported and reads 0.
int32_t Read_Config_Get_Wert();
// The current keyword's value as text: a lone string without its quotes,
// otherwise the value as written, aliases replaced; "" without a value.
const char* Read_Config_Get_String();
// The items of the value, one by one.
int32_t Read_Config_Teile();
int32_t Read_Config_Teil_Wert(int32_t i);            // as Read_Config_Get_Wert; 0 and a report when missing
const char* Read_Config_Teil_String(int32_t i);      // "" when missing
bool Read_Config_Teil_Ist_Zahl(int32_t i);           // an integer or JA/NEIN/YES/NO

// Reads every line and number the general way instead of through the quick
// paths for plain lines (same results; tests compare the two).
void Read_Config_Allgemein(bool an);

int32_t Read_Config_Zeile();            // line of the current keyword (1 = first)
const char* Read_Config_Datei();        // the file's name as the messages give it
const char* Read_Config_Befehl();       // the current keyword, "" when none

// Reports an error or a warning at the current line ("[%d] Syntax-Error in
// %s:\n - (%d) %s\n\n", "[%d] Warning in ..."); reading goes on.
void Read_Config_Fehler(int32_t code, const char* format, ...) __attribute__((format(printf, 2, 3)));
void Read_Config_Warnung(int32_t code, const char* format, ...) __attribute__((format(printf, 2, 3)));
// "Unbekannter Befehl (%s)" with the current keyword.
void Read_Config_Unbekannter_Befehl(int32_t code);
// Errors reported since the file was opened (warnings not counted).
int32_t Read_Config_Fehler_Anzahl();

// Writing, in the same grammar. Each call appends one line to `out`. Quotes
// inside a text are doubled, line breaks become spaces.
void Config_Schreibe_Kommentar(std::string& out, const char* text);
void Config_Schreibe_Befehl(std::string& out, const char* befehl);
void Config_Schreibe_Wert(std::string& out, const char* befehl, int32_t wert);
void Config_Schreibe_String(std::string& out, const char* befehl, const char* text);
void Config_Schreibe_JaNein(std::string& out, const char* befehl, bool wert);
void Config_Schreibe_Liste(std::string& out, const char* befehl, const int32_t* werte, int32_t anzahl);
void Config_Schreibe_Nummer_String(std::string& out, const char* befehl, int32_t nummer, const char* text);
// Writes "%d_<name>" of a set into the user's configuration directory; the old
// file stays whole until the new one is complete.
bool Config_Datei_Schreiben(int32_t satz, const char* name, const std::string& text);

}  // namespace velmora
