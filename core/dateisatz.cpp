// core/dateisatz.cpp - a set of files replaced as a whole.
#include "core/dateisatz.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "core/debug.h"
#include "platform/files.h"

namespace velmora {
namespace {

constexpr const char* ORDNER = ".velmora-satz";   // no file of a set starts with a dot
constexpr const char* MARKE = ".fertig";

std::string ordner(const std::string& verz) { return verz + "/" + ORDNER; }

bool scheitern(DateisatzFehler* fehler, const std::string& datei, int e) {
    Debug_Printf("Dateisatz: %s: %s\n", datei.c_str(), std::strerror(e));
    if (fehler) *fehler = {datei, std::strerror(e)};
    return false;
}

// Renames every file of the marked set over its old one, then removes the
// mark and the folder. A rename that fails keeps the mark: the next run
// finishes the set.
bool verschieben(const std::string& verz, DateisatzFehler* fehler) {
    const std::string neu = ordner(verz);
    for (const std::string& name : Plat_List_Dir(neu.c_str(), "*")) {
        if (name == MARKE) continue;
        if (!Plat_Rename((neu + "/" + name).c_str(), (verz + "/" + name).c_str()))
            return scheitern(fehler, name, errno);
    }
    std::error_code ec;
    std::filesystem::remove_all(neu, ec);
    if (ec) return scheitern(fehler, ORDNER, ec.value());
    return true;
}

}  // namespace

bool Dateisatz_Vollenden(const std::string& verz) {
    const std::string neu = ordner(verz);
    if (!Plat_Is_Dir(neu.c_str())) return true;
    if (Plat_Is_File((neu + "/" + MARKE).c_str())) {
        Debug_Printf("Dateisatz_Vollenden: %s: a complete set is put in place\n", verz.c_str());
        return verschieben(verz, nullptr);
    }
    Debug_Printf("Dateisatz_Vollenden: %s: an unfinished set is removed\n", verz.c_str());
    std::error_code ec;
    std::filesystem::remove_all(neu, ec);
    return !ec || scheitern(nullptr, neu, ec.value());
}

std::string Dateisatz_Anfangen(const std::string& verz, DateisatzFehler* fehler) {
    const std::string neu = ordner(verz);
    if (!Dateisatz_Vollenden(verz)) {
        scheitern(fehler, ORDNER, EEXIST);
        return "";
    }
    if (!Plat_Make_Dirs(neu.c_str())) {
        scheitern(fehler, ORDNER, errno);
        return "";
    }
    return neu;
}

bool Dateisatz_Datei(const std::string& verz, const std::string& name, const std::string& text,
                     DateisatzFehler* fehler) {
    errno = 0;
    if (Plat_Write_Atomic((ordner(verz) + "/" + name).c_str(), text.data(), text.size())) return true;
    return scheitern(fehler, name, errno ? errno : EIO);
}

bool Dateisatz_Abschliessen(const std::string& verz, DateisatzFehler* fehler) {
    const std::string neu = ordner(verz);
    // A directory where a file of the set belongs would stop the renames
    // halfway: refused while the old set is still whole.
    for (const std::string& name : Plat_List_Dir(neu.c_str(), "*")) {
        const std::string ziel = verz + "/" + name;
        if (Plat_Exists(ziel.c_str()) && !Plat_Is_File(ziel.c_str())) {
            Dateisatz_Verwerfen(verz);
            return scheitern(fehler, name, EISDIR);
        }
    }
    errno = 0;
    if (!Plat_Write_Atomic((neu + "/" + MARKE).c_str(), "", 0)) {
        const int e = errno ? errno : EIO;
        Dateisatz_Verwerfen(verz);
        return scheitern(fehler, MARKE, e);
    }
    return verschieben(verz, fehler);
}

void Dateisatz_Verwerfen(const std::string& verz) {
    std::error_code ec;
    std::filesystem::remove_all(ordner(verz), ec);
}

bool Dateisatz_Schreiben(const std::string& verz, const std::vector<std::pair<std::string, std::string>>& dateien,
                         DateisatzFehler* fehler) {
    if (Dateisatz_Anfangen(verz, fehler).empty()) return false;
    for (const auto& [name, text] : dateien)
        if (!Dateisatz_Datei(verz, name, text, fehler)) {
            Dateisatz_Verwerfen(verz);
            return false;
        }
    return Dateisatz_Abschliessen(verz, fehler);
}

}  // namespace velmora
