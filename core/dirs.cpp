// core/dirs.cpp - the directory table.
#include "core/dirs.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

#include "core/dateisatz.h"
#include "core/debug.h"
#include "core/reg.h"
#include "core/str.h"
#include "platform/files.h"
#include "platform/settings.h"

namespace velmora {
namespace {

struct DirEintrag {
    bool benutzer;           // under the user directory (created when missing)
    const char* name;        // default sub-directory name; "" for the base itself
};

constexpr DirEintrag EINTRAEGE[DIR_ANZAHL] = {
    {false, ""},              {false, "config"},        {false, "wappenbilder"}, {false, "resfile"},
    {false, "daten"},         {false, "intro"},         {true, ""},              {true, "config"},
    {true, "spielstand"},     {true, "backup"},         {true, "spielerbilder"}, {true, "managerbilder"},
    {true, "wappenbilder"},   {true, "szenario"},       {true, "patch"},         {true, "sound"},
    {true, "temp"},
};

struct DirsModul {
    char pfad[DIR_ANZAHL][DIRS_PFAD_MAX] = {};
    bool registry2 = false;
    std::string installation;   // given on the command line: beats the setting
    std::string benutzer;       // given by the program: beats the setting
    std::string fehler;         // why the last Dirs_Init failed
    DirsSperre sperre = DirsSperre::KEINE;
    bool sperre_versucht = false;
    int32_t sperre_datei = -1;  // the open lock file while the lock is held
};
DirsModul g;

// "$<variable>/velmora", else "<home>/<fallback>/velmora".
std::string xdg_verzeichnis(const char* variable, const char* fallback) {
    const char* xdg = std::getenv(variable);
    if (xdg && *xdg) return std::string(xdg) + "/velmora";
    std::string home = Plat_Home();
    return (home.empty() ? std::string(".") : home) + "/" + fallback + "/velmora";
}

std::string standard_benutzer() { return xdg_verzeichnis("XDG_DATA_HOME", ".local/share"); }
// The default user directory when the installation itself stands at
// "$XDG_DATA_HOME/velmora" (installed with the prefix "~/.local").
std::string standard_benutzer_neben_installation() { return standard_benutzer() + "-user"; }

// Whether two paths name one directory, through links too; a path that is
// not there yet is compared as written.
bool selbes_verzeichnis(const std::string& a, const std::string& b) {
    std::error_code fehler;
    if (std::filesystem::equivalent(a, b, fehler)) return true;
    return std::filesystem::path(a).lexically_normal() == std::filesystem::path(b).lexically_normal();
}

#ifndef VELMORA_DATADIR
#define VELMORA_DATADIR "/usr/local/share/velmora"
#endif
#ifndef VELMORA_DATADIR_VON_BIN
#define VELMORA_DATADIR_VON_BIN "../share/velmora"
#endif

// A directory that holds an installation: its world and its resource files.
bool ist_installation(const std::string& verz) {
    return Plat_Is_Dir((verz + "/config").c_str()) && Plat_Is_Dir((verz + "/resfile").c_str());
}

// Where an installed program finds its data without a setting: beside the
// executable, "../share/velmora" from its "bin" (a prefix given only when
// installing), then the prefix it was built for. The places looked at go to
// `gesucht`; "" when none holds an installation.
std::string installation_suchen(std::string* gesucht) {
    std::vector<std::string> orte;
    const std::string exe = Plat_Exe_Dir();
    if (!exe.empty()) {
        orte.push_back(exe);
        orte.push_back((std::filesystem::path(exe) / VELMORA_DATADIR_VON_BIN).lexically_normal().string());
    }
    orte.push_back(VELMORA_DATADIR);
    for (const std::string& ort : orte) {
        if (ist_installation(ort)) return ort;
        *gesucht += (gesucht->empty() ? "" : ", ") + ort;
    }
    return {};
}

// Whether a write failed for want of room: past the file-size limit
// (ulimit -f), on a full disk or beyond a quota.
bool kein_platz(int fehler) { return fehler == EFBIG || fehler == ENOSPC || fehler == EDQUOT; }

// The pictures a user directory starts with: the installation's
// "demobilder/<folder>" files of the user's picture folders, each copied into
// them when it is missing there, never over a file already there. Each is
// written whole or not at all (through a temporary file), so no cut picture
// is ever kept. A picture that cannot be read or written is only logged: the
// game shows its drawn stand-in instead. On a first start (`neu`: the user
// directory was made just now) one that finds no room (size limit, full
// disk) is a directory that cannot take the game's saves either: false names
// the file. A user directory that was there already is the player's, with his
// saves: a missing picture is then skipped with a log line and copied at a
// start that finds room.
bool bilder_mitgeben(const std::string& install, bool neu, std::string* grund) {
    for (int32_t nummer : {DIR_MANAGERBILDER, DIR_SPIELERBILDER, DIR_WAPPENBILDER}) {
        const std::filesystem::path quelle = std::filesystem::path(install) / "demobilder" / EINTRAEGE[nummer].name;
        std::error_code fehler;
        for (const auto& datei : std::filesystem::directory_iterator(quelle, fehler)) {
            if (!datei.is_regular_file(fehler)) continue;
            const std::string ziel = (std::filesystem::path(g.pfad[nummer]) / datei.path().filename()).string();
            std::vector<uint8_t> inhalt;
            if (Plat_Exists(ziel.c_str())) continue;
            if (!Plat_Read_All(datei.path().c_str(), inhalt)) {
                Debug_Printf("Dirs_Init: %s nicht lesbar\n", datei.path().c_str());
                continue;
            }
            if (Plat_Write_Atomic(ziel.c_str(), inhalt.data(), inhalt.size())) continue;
            const int e = errno;
            Debug_Printf("Dirs_Init: %s nicht geschrieben: %s\n", ziel.c_str(), std::strerror(e));
            if (neu && kein_platz(e)) {
                *grund = "picture " + ziel + ": cannot be written (" + std::strerror(e) + ")";
                return false;
            }
        }
    }
    return true;
}

bool setzen(int32_t nummer, const std::string& wert) {
    if (wert.size() >= size_t(DIRS_PFAD_MAX)) {
        Debug_Printf("Dirs_Init: Pfad %d zu lang (%zu Zeichen)\n", nummer, wert.size());
        return false;
    }
    std::memcpy(g.pfad[nummer], wert.c_str(), wert.size() + 1);
    return true;
}

}  // namespace

// The reason of a failed call, for the one line the program ends with.
void scheitern(const std::string& grund) {
    g.fehler = grund;
    Debug_Printf("Dirs_Init: %s\n", grund.c_str());
}

std::string grund_errno(int fehler) {
    return fehler == EROFS || fehler == EACCES || fehler == EPERM ? "read-only" : std::strerror(fehler);
}

// A directory the game saves into must take a new file: one is made and removed.
bool beschreibbar(const std::string& verz, std::string* grund) {
    std::string probe = verz + "/.velmora-probe-XXXXXX";
    int fd = ::mkstemp(probe.data());
    if (fd < 0) {
        *grund = grund_errno(errno);
        return false;
    }
    ::close(fd);
    ::unlink(probe.c_str());
    return true;
}

void Dirs_Setze_Registry2(bool an) { g.registry2 = an; }
void Dirs_Setze_Installation(const char* pfad) { g.installation = pfad ? pfad : ""; }
void Dirs_Setze_Benutzer(const char* pfad) { g.benutzer = pfad ? pfad : ""; }
const char* Dirs_Fehler() { return g.fehler.c_str(); }

int32_t Dirs_Init() {
    std::memset(g.pfad, 0, sizeof g.pfad);
    g.fehler.clear();
    const char* einstellung = g.registry2 ? "Work_dir2" : "Work_dir";
    char puffer[1024] = {};
    if (!g.installation.empty()) std::snprintf(puffer, sizeof puffer, "%s", g.installation.c_str());
    else Reg_Read_String(einstellung, puffer, sizeof puffer);
    std::string install = Plat_Path(puffer);
    while (install.size() > 1 && install.back() == '/') install.pop_back();
    std::string gesucht;
    // "-r" names the second installation by its setting only.
    if (install.empty() && !g.registry2) install = installation_suchen(&gesucht);
    if (install.empty()) {
        std::string text = std::string("no installation directory: the setting ") + einstellung + " in " +
                           Plat_Settings_File() + " is not set";
        if (!gesucht.empty()) text += ", and none was found in " + gesucht + " (see --datadir)";
        scheitern(text);
        return 0;
    }
    if (!Plat_Is_Dir(install.c_str())) {
        const char* grund = Plat_Exists(install.c_str()) ? "not a directory" : "missing";
        scheitern("installation directory " + install + ": " + grund);
        return 0;
    }
    char user_puffer[1024] = {};
    if (!g.benutzer.empty()) std::snprintf(user_puffer, sizeof user_puffer, "%s", g.benutzer.c_str());
    else Reg_Read_String("USER_DIR", user_puffer, sizeof user_puffer);
    const bool benutzer_gegeben = user_puffer[0] != 0;
    std::string user = benutzer_gegeben ? Plat_Path(user_puffer) : standard_benutzer();
    while (user.size() > 1 && user.back() == '/') user.pop_back();
    // The user directory is never the installation: there the editor's saved
    // world would replace the installed one, and an update of the
    // installation would write the shipped world back over the player's.
    if (!benutzer_gegeben && selbes_verzeichnis(user, install)) user = standard_benutzer_neben_installation();
    if (selbes_verzeichnis(user, install)) {
        scheitern("user directory " + user + ": is the installation directory, which the game does not write "
                  "into (USER_DIR must name a directory of its own)");
        return 0;
    }

    const bool neu = !Plat_Is_Dir(user.c_str());
    bool ok = true;
    for (int32_t i = 0; i < DIR_ANZAHL; ++i) {
        std::string name = EINTRAEGE[i].name;
        char verz[256] = {};
        if (name[0] && Reg_Read_String(Str_Format("verz_%d", i), verz, sizeof verz) && verz[0]) name = verz;
        const std::string& basis = EINTRAEGE[i].benutzer ? user : install;
        std::string pfad = name.empty() ? basis : basis + "/" + name;
        pfad = Plat_Path(pfad.c_str());
        if (!setzen(i, pfad)) {
            ok = false;
            continue;
        }
        if (EINTRAEGE[i].benutzer && !Plat_Make_Dirs(pfad.c_str())) {
            int e = errno;
            if (ok) scheitern("user directory " + pfad + ": not creatable (" + grund_errno(e) + ")");
            ok = false;
        }
    }
    // A game that cannot save must not start as if it could.
    std::string grund;
    for (int32_t i : {DIR_USER, DIR_SPIELSTAND}) {
        if (!ok) break;
        if (!beschreibbar(g.pfad[i], &grund)) {
            scheitern(std::string(i == DIR_USER ? "user directory " : "save-game directory ") + g.pfad[i] + ": " + grund);
            ok = false;
        }
    }
    // Every start, not only the first: a first start that failed for room
    // left the folders made and the pictures missing.
    if (ok && !bilder_mitgeben(install, neu, &grund)) {
        scheitern(grund);
        ok = false;
    }
    // A configuration set that a killed writer (the editor, the world
    // generator) left half put in place is finished before anything reads it.
    for (int32_t i : {DIR_USER_CONFIG, DIR_INSTALL_CONFIG})
        if (ok && Plat_Is_Dir(g.pfad[i])) Dateisatz_Vollenden(g.pfad[i]);
    return ok ? 1 : 0;
}

std::string Dirs_Cache() { return xdg_verzeichnis("XDG_CACHE_HOME", ".cache"); }

const char* Dirs_Get(int32_t nummer) {
    if (nummer < 0 || nummer >= DIR_ANZAHL) {
        Debug_Printf("Dirs_Get: Nummer %d ungueltig\n", nummer);
        return "";
    }
    return g.pfad[nummer];
}

int32_t Dirs_Count_Files(const char* verzeichnis, const char* muster) {
    if (!verzeichnis || !muster) return 0;
    return int32_t(Plat_List_Dir(verzeichnis, muster).size());
}

int32_t Dirs_Find_File(const char* verzeichnis, const char* muster, int32_t maximum, char (*namen)[256]) {
    if (!verzeichnis || !muster || !namen || maximum <= 0) return 0;
    int32_t n = 0;
    for (const std::string& name : Plat_List_Dir(verzeichnis, muster)) {
        if (n >= maximum) break;
        std::strncpy(namen[n], name.c_str(), 255);
        namen[n][255] = 0;
        ++n;
    }
    return n;
}

int32_t Datei_Existiert(const char* pfad) { return Plat_Is_File(pfad) ? 1 : 0; }

DirsSperre Dirs_Sperren() {
    if (g.sperre_versucht) return g.sperre;
    if (!g.pfad[DIR_USER][0]) {
        Debug_Printf("Dirs_Sperren: vor Dirs_Init\n");
        return DirsSperre::KEINE;
    }
    g.sperre_versucht = true;
    const std::string datei = std::string(g.pfad[DIR_USER]) + "/velmora.lock";
    bool fremd = false;
    g.sperre_datei = Plat_File_Open_Exclusive(datei.c_str(), &fremd);
    if (g.sperre_datei >= 0) g.sperre = DirsSperre::GEHALTEN;
    else if (fremd) g.sperre = DirsSperre::FREMD;
    else Debug_Printf("Dirs_Sperren: %s nicht anlegbar\n", datei.c_str());
    return g.sperre;
}

DirsSperre Dirs_Sperre() { return g.sperre; }

void Dirs_Sperre_Freigeben() {
    g.sperre_datei = Plat_File_Close(g.sperre_datei);
    g.sperre = DirsSperre::KEINE;
    g.sperre_versucht = false;
}

}  // namespace velmora
