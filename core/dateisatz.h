// core/dateisatz.h - a set of files that is replaced as a whole: the world's
// configuration files (team, players, competitions, ...) belong together, and
// a reader must never find the new team file beside the old player file.
//
// The new set is written into a folder of its own inside the target
// directory (".velmora-satz"), each file whole and flushed; only then a mark
// in that folder says the set is complete, and the files are renamed over the
// old ones. A failure before the mark leaves the old set as it was; a run
// killed after it leaves a complete set that Dateisatz_Vollenden puts in
// place (and a folder without the mark is removed). The readers see only the
// plain files of the target directory, which keep their names.
#pragma once
#include <string>
#include <utility>
#include <vector>

namespace velmora {

// Why a set was not put in place: the file (its name in the target
// directory) and the system's reason.
struct DateisatzFehler {
    std::string datei;
    std::string grund;
};

// Finishes or removes what a killed run left in `verz`: a marked set is put in
// place, an unmarked one removed. True when nothing is left over (also when
// there was nothing); false, with the reason in the debug log, when a file
// could not be moved or removed.
bool Dateisatz_Vollenden(const std::string& verz);

// Starts a new set for `verz` (after Dateisatz_Vollenden): the folder that
// takes its files, made empty. "" with `fehler` set when it cannot be made.
std::string Dateisatz_Anfangen(const std::string& verz, DateisatzFehler* fehler);

// Writes one file of the set into its folder (`name` as it will be named in
// `verz`). False with `fehler` set.
bool Dateisatz_Datei(const std::string& verz, const std::string& name, const std::string& text,
                     DateisatzFehler* fehler);

// Marks the set complete and puts its files in place over the old ones. False
// with `fehler` set when the set cannot be marked (the old set stays whole)
// or a file of it would replace a directory.
bool Dateisatz_Abschliessen(const std::string& verz, DateisatzFehler* fehler);

// Drops an unfinished set: the old files stay as they were.
void Dateisatz_Verwerfen(const std::string& verz);

// The whole round for texts at hand: start, every file, finish; on any
// failure the set is dropped and the old one stays.
bool Dateisatz_Schreiben(const std::string& verz, const std::vector<std::pair<std::string, std::string>>& dateien,
                         DateisatzFehler* fehler);

}  // namespace velmora
