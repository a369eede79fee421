// shell/resourcen.cpp - the list of resource files and the intro player.
#include "shell/resourcen.h"

#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/debug.h"
#include "core/dirs.h"
#include "core/reg.h"
#include "core/res.h"
#include "core/str.h"
#include "platform/display.h"
#include "platform/files.h"
#include "platform/prozess.h"
#include "shell/app.h"
#include "shell/screen.h"

namespace velmora {
namespace {

const char* const STANDARD[RESOURCEN_ANZAHL] = {
    "menue_res.res",   "global_res.res",     "ulvo_res.res",        "pirak_res.res",       "zemo_res.res",
    "trobe_res.res",   "hask_res.res",       "oddo_res.res",        "wappen.res",          "mausres.res",
    "fontres.res",     "grafikres.res",      "stadion_gfx.res",     "rasen_hg.res",        "rasen_hg_sprite.res",
    "rasen_tribuenen.res", "stadion_bitmaps.res", "stadion_sprites.res", "spieler_gesicht.res", "stadion_menue.res",
    "stadion_sound.res", "menue_sound.res",
};

struct ResourcenModul {
    int32_t slot[RESOURCEN_ANZAHL];
    bool offen = false;
    ResourcenModul() {
        for (int32_t& s : slot) s = -1;
    }
};
ResourcenModul g;

std::string reg_lesen(const char* name, int32_t groesse) {
    std::vector<char> puffer(size_t(groesse), 0);
    Reg_Read_Key_String(REG_PRODUKT_SCHLUESSEL, name, puffer.data(), groesse);
    return puffer.data();
}

}  // namespace

const char* Resourcen_Standardname(int32_t index) {
    return index >= 0 && index < RESOURCEN_ANZAHL ? STANDARD[index] : nullptr;
}

int32_t Resourcen_Oeffnen() {
    if (g.offen) return 1;
    for (int32_t i = 0; i < RESOURCEN_ANZAHL; ++i) {
        const char* wert = Str_Format("res_%d", i);
        std::string name = reg_lesen(wert, 99);
        if (name.empty()) {
            name = STANDARD[i];
            Reg_Write_Key_String(REG_PRODUKT_SCHLUESSEL, Str_Format("res_%d", i), name.c_str());
        }
        if (name.empty()) continue;
        std::string pfad = std::string(Dirs_Get(DIR_RESFILE)) + "\\" + name;
        g.slot[i] = Res_Open(pfad.c_str(), 0);
        if (g.slot[i] < 0) {
            Error_Box("Fehler: %s\\%s %i", Dirs_Get(DIR_RESFILE), name.c_str(), i);
            g.offen = true;   // so that the close below runs over every entry
            Resourcen_Schliessen();
            return 0;
        }
    }
    g.offen = true;
    return 1;
}

std::string Resourcen_Fehler() {
    for (int32_t i = 0; i < RESOURCEN_ANZAHL; ++i) {
        std::string name = reg_lesen(Str_Format("res_%d", i), 99);
        if (name.empty()) name = STANDARD[i];
        const std::string pfad = std::string(Dirs_Get(DIR_RESFILE)) + "\\" + name;
        const std::string system = Plat_Path(pfad.c_str());
        if (!Plat_Is_File(pfad.c_str())) return system + ": missing";
        const int32_t slot = Res_Open(pfad.c_str(), 0);
        if (slot < 0)
            return system + (std::ifstream(system, std::ios::binary).good()
                                 ? ": not a resource file (damaged, or of another program)"
                                 : ": unreadable");
        Res_Close(slot);
    }
    return "";
}

void Resourcen_Schliessen() {
    for (int32_t& s : g.slot) {
        if (s >= 0) s = Res_Close(s);
        s = -1;
    }
    g.offen = false;
}

int32_t Resourcen_Slot(int32_t index) {
    if (index < 0 || index >= RESOURCEN_ANZAHL) {
        Debug_Printf("Resourcen_Slot: Index %d ungueltig\n", index);
        return -1;
    }
    return g.slot[index];
}

bool Extern_Starten_Und_Warten(const char* programm, const char* parameter, bool warten) {
    std::vector<std::string> argumente;
    std::istringstream woerter(parameter ? parameter : "");
    for (std::string w; woerter >> w;) argumente.push_back(w);
    // The player ends when its window closes, so waiting for the process is
    // waiting for the window.
    return Plat_Prozess_Starten(programm, argumente, warten);
}

namespace {

bool spieler_starten(const std::string& parameter, bool meldung) {
    std::string programm = std::string(Dirs_Get(DIR_INSTALL)) + "\\intro.exe";
    if (!Plat_Is_File(programm.c_str())) {
        // The installation ships no player: there is nothing to show.
        Debug_Printf("Intro_Abspielen: kein Abspieler installiert\n");
        return false;
    }
    if (Extern_Starten_Und_Warten(programm.c_str(), parameter.c_str(), true)) return true;
    if (meldung) Plat_Meldungsbox("Error", "Don't find Intro.exe");
    return false;
}

}  // namespace

bool Intro_Abspielen() {
    std::string d = Dirs_Get(DIR_RESFILE);
    std::string p = std::string("-Intro -WndClass:") + SCREEN_TITEL + " -File1:" + d + "\\" + reg_lesen("res_25", 255) +
                    " -File2:" + d + "\\" + reg_lesen("res_23", 255) + " -File3:" + d + "\\" + reg_lesen("res_24", 255);
    return spieler_starten(p, true);
}

bool Outro_Abspielen() {
    std::string d = Dirs_Get(DIR_RESFILE);
    std::string p = std::string("-Ontro -WndClass:") + SCREEN_TITEL + " -File1:" + d + "\\" + reg_lesen("res_22", 255);
    return spieler_starten(p, false);
}

}  // namespace velmora
