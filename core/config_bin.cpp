// core/config_bin.cpp - the binary configuration cache.
#include "core/config_bin.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <ctime>
#include <string>

#include "core/config.h"
#include "core/debug.h"
#include "core/dirs.h"
#include "core/le.h"
#include "platform/files.h"

namespace velmora {
namespace {

constexpr char BIN_KOPF[16] = "<!-BIN-!conf00>";

struct Region {
    std::string name;
    ConfigBinSpeichern speichern;
    ConfigBinLaden laden;
    std::vector<std::string> quellen;
};

struct ConfigBinModul {
    std::vector<Region> regionen;
};
ConfigBinModul g;

uint32_t pruefsumme(const uint8_t* daten, size_t bytes) {
    uLong c = crc32(0L, Z_NULL, 0);
    while (bytes > 0) {
        uInt n = uInt(std::min<size_t>(bytes, 1u << 30));
        c = crc32(c, daten, n);
        daten += n;
        bytes -= n;
    }
    return uint32_t(c);
}

// The source section as it would be written now: every source of every
// region and its alias partner, once, sorted, with the path found and its
// size and time.
std::vector<uint8_t> quellen_block() {
    std::vector<std::string> namen;
    for (const Region& r : g.regionen)
        for (const std::string& q : r.quellen) {
            namen.push_back(q);
            namen.push_back(Config_Alias_Name(q));
        }
    std::sort(namen.begin(), namen.end());
    namen.erase(std::unique(namen.begin(), namen.end()), namen.end());
    std::vector<uint8_t> out;
    Le_Put_U32(out, uint32_t(namen.size()));
    for (const std::string& name : namen) {
        std::string pfad = Config_Pfad(Config_Satz(), name.c_str());
        std::string echt = pfad.empty() ? std::string() : Plat_Path(pfad.c_str());
        int64_t zeit = echt.empty() ? -1 : Plat_File_Time(echt.c_str());
        int64_t groesse = -1;
        int32_t h = echt.empty() ? -1 : Plat_File_Open(echt.c_str(), PLAT_READ);
        if (h >= 0) {
            groesse = Plat_File_Size(h);
            Plat_File_Close(h);
        }
        Le_Put_Text(out, name);
        Le_Put_Text(out, echt);
        Le_Put_U64(out, uint64_t(groesse));
        Le_Put_U64(out, uint64_t(zeit));
    }
    return out;
}

// Checks the whole file against the registered regions and loads them in
// order; the reason it was refused, or "" when every region took its data.
std::string pruefen_und_laden(const std::vector<uint8_t>& datei) {
    if (datei.size() < sizeof BIN_KOPF + 8 || std::memcmp(datei.data(), BIN_KOPF, sizeof BIN_KOPF) ||
        Bytes_Get32(datei.data() + datei.size() - 4) != pruefsumme(datei.data(), datei.size() - 4))
        return "fremd oder beschaedigt";
    LeLeser l(datei.data() + sizeof BIN_KOPF, datei.size() - sizeof BIN_KOPF - 4);
    if (int32_t(l.u32()) != Config_Satz()) return "eines anderen Satzes";
    std::vector<uint8_t> quellen = quellen_block();
    const uint8_t* gespeichert = l.bytes(quellen.size());
    if (!gespeichert || std::memcmp(gespeichert, quellen.data(), quellen.size())) return "veraltet";
    if (l.u32() != g.regionen.size()) return "mit anderen Regionen";
    struct Teil {
        const uint8_t* daten;
        size_t bytes;
    };
    std::vector<Teil> teile;
    for (const Region& r : g.regionen) {
        std::string name = l.text();
        uint32_t n = l.u32();
        const uint8_t* daten = l.bytes(n);
        if (!l.ok || name != r.name) return "ohne Region " + r.name + " (oder sie reicht ueber das Ende)";
        teile.push_back({daten, n});
    }
    if (l.rest != 0) return std::to_string(l.rest) + " Bytes zu lang";
    for (size_t i = 0; i < g.regionen.size(); ++i)
        if (!g.regionen[i].laden(teile[i].daten, teile[i].bytes)) return "Region " + g.regionen[i].name + " passt nicht";
    return "";
}

// A cache written by Plat_Write_Atomic goes through "N_config.bin.tmp-XXXXXX";
// a write cut off (the program killed, the machine off) leaves that file
// behind, and nothing else ever removes it. One older than an hour is
// removed: a write takes well under a second, and a younger one may belong
// to another instance writing its cache right now.
constexpr int64_t REST_ALTER_NS = 3600LL * 1000000000LL;

void reste_entfernen() {
    const std::string verzeichnis = Dirs_Cache();
    const std::string name = std::to_string(Config_Satz()) + "_config.bin.tmp-";
    const int64_t jetzt = int64_t(std::time(nullptr)) * 1000000000LL;
    for (const std::string& rest : Plat_List_Dir(verzeichnis.c_str(), (name + "*").c_str())) {
        if (rest.size() != name.size() + 6) continue;
        const std::string pfad = verzeichnis + "/" + rest;
        const int64_t zeit = Plat_File_Time(pfad.c_str());
        if (zeit < 0 || jetzt - zeit < REST_ALTER_NS || !Plat_Is_File(pfad.c_str())) continue;
        if (Plat_Remove(pfad.c_str())) Debug_Printf("Config_Bin: Rest eines abgebrochenen Schreibens %s entfernt\n", pfad.c_str());
    }
}

}  // namespace

bool Config_Bin_Region_Anmelden(const char* name, ConfigBinSpeichern speichern, ConfigBinLaden laden,
                                const std::vector<std::string>& quellen) {
    if (!name || !*name || !speichern || !laden) {
        Debug_Printf("Config_Bin_Region_Anmelden: Name oder Rueckruf fehlt\n");
        return false;
    }
    Region r{name, speichern, laden, quellen};
    for (Region& alt : g.regionen)
        if (alt.name == name) {
            alt = std::move(r);
            return true;
        }
    g.regionen.push_back(std::move(r));
    return true;
}

void Config_Bin_Region_Abmelden(const char* name) {
    if (!name) return;
    g.regionen.erase(std::remove_if(g.regionen.begin(), g.regionen.end(),
                                    [&](const Region& r) { return r.name == name; }),
                     g.regionen.end());
}

std::vector<std::string> Config_Bin_Regionen() {
    std::vector<std::string> namen;
    for (const Region& r : g.regionen) namen.push_back(r.name);
    return namen;
}

std::string Config_Bin_Pfad() { return Dirs_Cache() + "/" + std::to_string(Config_Satz()) + "_config.bin"; }

std::vector<uint8_t> Config_Bin_Quellen() { return quellen_block(); }

bool Config_Bin_Schreiben(const std::vector<uint8_t>* quellen) {
    if (g.regionen.empty()) {
        Debug_Printf("Config_Bin_Schreiben: keine Regionen\n");
        return false;
    }
    std::vector<uint8_t> datei(BIN_KOPF, BIN_KOPF + sizeof BIN_KOPF);
    Le_Put_U32(datei, uint32_t(Config_Satz()));
    std::vector<uint8_t> jetzt = quellen ? std::vector<uint8_t>() : quellen_block();
    if (!quellen) quellen = &jetzt;
    Le_Put_Bytes(datei, quellen->data(), quellen->size());
    Le_Put_U32(datei, uint32_t(g.regionen.size()));
    for (const Region& r : g.regionen) {
        std::vector<uint8_t> daten;
        if (!r.speichern(daten)) {
            Debug_Printf("Config_Bin_Schreiben: Region %s nicht gespeichert\n", r.name.c_str());
            return false;
        }
        Le_Put_Text(datei, r.name);
        Le_Put_U32(datei, uint32_t(daten.size()));
        Le_Put_Bytes(datei, daten.data(), daten.size());
    }
    Le_Put_U32(datei, pruefsumme(datei.data(), datei.size()));
    const std::string verzeichnis = Dirs_Cache();
    const std::string pfad = Config_Bin_Pfad();
    reste_entfernen();
    if (!Plat_Make_Dirs(verzeichnis.c_str()) || !Plat_Write_Atomic(pfad.c_str(), datei.data(), datei.size())) {
        Debug_Printf("Config_Bin_Schreiben: %s nicht geschrieben\n", pfad.c_str());
        return false;
    }
    return true;
}

bool Config_Bin_Laden() {
    reste_entfernen();
    std::string pfad = Config_Bin_Pfad();
    std::vector<uint8_t> datei;
    if (g.regionen.empty() || !Plat_Exists(pfad.c_str()) || !Plat_Read_All(pfad.c_str(), datei)) {
        Debug_Printf("Config_Bin_Laden: kein Cache (%s)\n", pfad.c_str());
        return false;
    }
    std::string grund = pruefen_und_laden(datei);
    if (grund.empty()) return true;
    // A cache is only ever rebuilt: the one refused goes, so the files are read and it is written anew.
    Debug_Printf("Config_Bin_Laden: %s %s, geloescht\n", pfad.c_str(), grund.c_str());
    Config_Bin_Loeschen();
    return false;
}

bool Config_Bin_Loeschen() {
    std::string pfad = Config_Bin_Pfad();
    if (Plat_Exists(pfad.c_str()) && !Plat_Remove(pfad.c_str())) {
        Debug_Printf("Config_Bin_Loeschen: %s nicht geloescht\n", pfad.c_str());
        return false;
    }
    return true;
}

}  // namespace velmora
