// tools/mkassets.cpp - writes the installation's resource files.
//
//   mkassets <installation directory>
//
// Every file of the resource-file list is written into "resfile" below the
// installation with the project's own writer, but the fonts, which mkfonts
// renders, and the menu sounds, which mksounds synthesises. The trophy, kit,
// crest and portrait-part files hold pictures drawn by program, and so do the
// menus' files (the menu framework, the option bar, the start screens).
#include <cstdio>
#include <string>
#include <vector>

#include "core/res.h"
#include "gfx/bild.h"
#include "gfx/bild_muster.h"
#include "gfx/bild_muster_menue.h"
#include "gfx/bild_muster_start.h"
#include "gfx/wappen.h"
#include "media/sound.h"
#include "platform/files.h"
#include "shell/resourcen.h"
#include "tools/werkzeug.h"

using namespace velmora;

namespace {

// Puts a picture at `eintrag` of a file's entries; false, naming both, when
// a picture stands there already.
bool Setzen(std::vector<ResDateiEintrag>& datei, const char* name, int32_t eintrag, ResDateiEintrag bild,
            const char* was) {
    if (datei.size() <= size_t(eintrag)) datei.resize(size_t(eintrag) + 1, Res_Datenblock(nullptr, 0));
    if (datei[size_t(eintrag)].typ == RES_TYP_BITMAP) {
        std::fprintf(stderr, "mkassets: %s entry %d: %s and another picture claim it\n", name, eintrag, was);
        return false;
    }
    datei[size_t(eintrag)] = std::move(bild);
    return true;
}

}  // namespace

constexpr int32_t MENUE_RES_GLOBAL = 1, MENUE_RES_OPTIONEN = 3;

int main(int argc, char** argv) {
    constexpr const char* BENUTZUNG =
        "Usage: mkassets <installation directory>\n"
        "Writes the installation's resource files into its resfile directory.\n";
    if (int ende = werkzeug::Hilfe_Oder_Version(argc, argv, "mkassets", BENUTZUNG); ende >= 0) return ende;
    if (argc != 2 || argv[1][0] == '-') {
        return werkzeug::Falsch("mkassets", "needs the installation directory");
    }
    std::string resfile = std::string(argv[1]) + "/resfile";
    if (!Plat_Make_Dirs(resfile.c_str())) {
        std::fprintf(stderr, "mkassets: cannot create %s\n", resfile.c_str());
        return 1;
    }
    int geschrieben = 0;
    for (int32_t i = 0; i < RESOURCEN_ANZAHL; ++i) {
        std::string pfad = resfile + "/" + Resourcen_Standardname(i);
        if (i == RES_FONTS) continue;   // rendered by mkfonts
        if (i == SOUND_RES_MENUE) continue;   // synthesised by mksounds
        std::vector<ResDateiEintrag> eintraege;
        bool ok = true;
        if (i == MENUE_RES_GLOBAL) eintraege = Muster_Menue_Global_Datei();
        else if (i == MENUE_RES_OPTIONEN) {
            // The option bar's pictures, then the start screen's and the wizard's.
            eintraege = Muster_Menue_Optionen_Datei();
            for (int32_t e : Muster_Start_Eintraege())
                ok = ok && Setzen(eintraege, pfad.c_str(), e, Muster_Eintrag(Muster_Start_Bild(e), true),
                                  "a start screen picture");
        }
        else if (i == BILD_RES_POKALE) {
            // The trophies of graphic numbers 0 to 195 lie before the darkening picture.
            eintraege = Muster_Pokal_Datei(MENUE_ABDUNKELN_EINTRAG - POKAL_RES_ERSTER);
            ok = Setzen(eintraege, pfad.c_str(), MENUE_ABDUNKELN_EINTRAG, Muster_Eintrag(Muster_Menue_Abdunkeln(), true),
                        "the darkening");
        } else if (i == BILD_RES_TRIKOTS) eintraege = Muster_Trikot_Datei();
        else if (i == BILD_RES_WAPPEN) eintraege = Muster_Wappen_Datei(WAPPEN_RES_ANZAHL);
        else if (i == BILD_RES_GESICHTER) eintraege = Muster_Portrait_Datei();
        if (!ok) return 1;
        if (!Res_Schreiben(pfad.c_str(), eintraege)) {
            std::fprintf(stderr, "mkassets: cannot write %s\n", pfad.c_str());
            return 1;
        }
        ++geschrieben;
    }
    std::printf("mkassets: %d resource files in %s\n", geschrieben, resfile.c_str());
    return 0;
}
