// tools/mkassets.cpp - writes the installation's resource files.
//
//   mkassets <installation directory>
//
// Every file of the resource-file list is written into "resfile" below the
// installation with the project's own writer, but the fonts, which mkfonts
// renders, and the menu sounds, which mksounds synthesises. The trophy, kit,
// crest and portrait-part files hold pictures drawn by program, and so do the
// menus' files (the menu framework, the option bar, the start screens);
// trophies and kits, which the code reads by number, lie at 4000 + their
// number, past the entries the menu's slave numbers reach (docs/assets.md).
#include <cstdio>
#include <string>
#include <vector>

#include "app/verdrahtung.h"
#include "bilder/wappen.h"
#include "core/res.h"
#include "gfx/bild.h"
#include "gfx/font.h"
#include "kunst/banden_kunst.h"
#include "kunst/bild_muster.h"
#include "kunst/bild_muster_aufstellung.h"
#include "kunst/bild_muster_editor.h"
#include "kunst/bild_muster_geld.h"
#include "kunst/bild_muster_live.h"
#include "kunst/bild_muster_menue.h"
#include "kunst/bild_muster_scout.h"
#include "kunst/bild_muster_seiten.h"
#include "kunst/bild_muster_spieler.h"
#include "kunst/bild_muster_start.h"
#include "kunst/bild_muster_training.h"
#include "kunst/bild_muster_transfer.h"
#include "kunst/publikum_kunst.h"
#include "kunst/radar_kunst.h"
#include "kunst/stadion_kunst.h"
#include "kunst/wetter_kunst.h"
#include "matchview/banden.h"
#include "matchview/matchsound.h"
#include "matchview/radar.h"
#include "matchview/wetter.h"
#include "media/sound.h"
#include "platform/files.h"
#include "shell/resourcen.h"
#include "tools/werkzeug.h"

using namespace velmora;

constexpr int32_t RES_STADION_GFX = 12, RES_RASEN_HG = 13, RES_STADION_MENUE = 19;
constexpr int32_t RES_STADION_SPRITES = 17, RES_STADION_BITMAPS = 16;
constexpr int32_t MENUE_RES_GLOBAL = 1, MENUE_RES_OPTIONEN = 3, MENUE_RES_ZEMO = 4, MENUE_RES_HASK = 6;
constexpr int32_t MENUE_RES_ODDO = 7;

// The letters on the pictures come from the installation's fonts, which
// mkfonts has rendered into resfile/fontres.res before; the composition root
// binds the graphics' loaders that read them.
bool Schriften_Laden(const std::string& resfile) {
    VerdrahtungOptionen v;
    v.nur = {"Grafik"};
    std::string fehler;
    if (!Spiel_Verdrahten(v, &fehler)) {
        std::fprintf(stderr, "mkassets: %s\n", fehler.c_str());
        return false;
    }
    const std::string pfad = resfile + "/fontres.res";
    const int32_t slot = Res_Open(pfad.c_str(), 0);
    if (slot < 0) return false;
    const int32_t ok = Font_Load_Set(slot, 0, FONT_SET_ANZAHL);
    Res_Close(slot);
    return ok == 1;
}

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
    if (!Schriften_Laden(resfile)) {
        std::fprintf(stderr, "mkassets: cannot load the fonts of %s/fontres.res (mkfonts writes them)\n", resfile.c_str());
        return 1;
    }
    const std::vector<MusterGruppe> spieler_bilder = Muster_Spieler_Gruppen();
    const std::vector<MusterGruppe> aufstellung_bilder = Muster_Aufstellung_Gruppen();
    const std::vector<MusterGruppe> live_bilder = Muster_Live_Gruppen();
    int geschrieben = 0;
    for (int32_t i = 0; i < RESOURCEN_ANZAHL; ++i) {
        std::string pfad = resfile + "/" + Resourcen_Standardname(i);
        if (i == RES_FONTS) continue;   // rendered by mkfonts
        if (i == SOUND_RES_MENUE || i == MATCHSOUND_RES) continue;   // synthesised by mksounds
        // Each file is put together from named groups of pictures; two
        // pictures claiming one entry stop the build, naming both.
        MusterDatei d;
        std::string fehler;
        auto setzen = [&](int32_t erster, std::vector<ResDateiEintrag> bilder, const char* gruppe) {
            std::string f = Muster_Datei_Setzen(d, erster, std::move(bilder), gruppe);
            if (fehler.empty()) fehler = f;
        };
        if (i == MENUE_RES_GLOBAL) setzen(0, Muster_Menue_Global_Datei(), "the menu pictures");
        else if (i == MENUE_RES_OPTIONEN) {
            // The option bar's pictures, then the start screen's and the wizard's.
            setzen(0, Muster_Menue_Optionen_Datei(), "the option bar");
            for (int32_t e : Muster_Start_Eintraege())
                setzen(e, {Muster_Eintrag(Muster_Start_Bild(e), true)}, "the start screens");
        }
        else if (i == MENUE_RES_ZEMO) {
            setzen(MENUE_DISK_ERSTER, Muster_Menue_Disk_Datei(), "the save screen");
            setzen(GELD_ERSTER, Muster_Geld_Datei(), "the money screens");
            setzen(GELD_OPTIONEN_FENSTER, Muster_Geld_Optionen_Datei(), "the options screen");
        } else if (i == MENUE_RES_HASK) setzen(GELD_HASK_ERSTER, Muster_Geld_Hask_Datei(), "the bank screen");
        else if (i == BILD_RES_POKALE) {
            setzen(0, Muster_Pokal_Datei(POKAL_RES_ANZAHL), "the trophies");
            setzen(MENUE_ABDUNKELN_EINTRAG, {Muster_Eintrag(Muster_Menue_Abdunkeln(), true)}, "the darkening");
        } else if (i == BILD_RES_TRIKOTS) setzen(0, Muster_Trikot_Datei(), "the kits");
        else if (i == BILD_RES_WAPPEN) setzen(0, Muster_Wappen_Datei(WAPPEN_RES_ANZAHL), "the crests");
        else if (i == BILD_RES_GESICHTER) setzen(0, Muster_Portrait_Datei(), "the portrait parts");
        for (const MusterGruppe& g : spieler_bilder)
            if (g.datei == i) setzen(g.erster, g.bilder, g.name);
        for (const MusterGruppe& g : aufstellung_bilder)
            if (g.datei == i) setzen(g.erster, g.bilder, g.name);
        for (const MusterGruppe& g : live_bilder)
            if (g.datei == i) setzen(g.erster, g.bilder, g.name);
        if (i == MENUE_RES_ODDO) {
            setzen(TRANSFER_ERSTER, Muster_Transfer_Datei(), "the transfer screen");
            setzen(TRAINING_ERSTER, Muster_Training_Datei(), "the training screen");
            setzen(LAGER_ERSTER, Muster_Lager_Datei(), "the camp booking page");
            for (EditorMusterGruppe& g : Muster_Editor_Gruppen()) setzen(g.erster, std::move(g.bilder), "the team editor");
            setzen(TRF_ERSTER, Muster_Training_Fenster_Datei(), "the training window");
            setzen(TRF_ANIM_ERSTER, Muster_Training_Anim_Datei(), "the training window's flip books");
            setzen(LAGER_FENSTER_ERSTER, Muster_Lager_Fenster_Datei(), "the camp window");
            setzen(SCOUT_ERSTER, Muster_Scout_Datei(), "the scout screen");
            setzen(SCOUT_ANIM_ERSTER, Muster_Scout_Anim_Datei(), "the scout screen's globe");
        }
        // The match-day pages and the competition screens take entries of several files.
        for (int32_t e : Muster_Seiten_Eintraege(i))
            setzen(e, {Muster_Eintrag(Muster_Seiten_Bild(i, e), true)}, "the match-day pages");
        // The match view: figure frames, pitch pictures, the bar below the views.
        if (i == RES_STADION_GFX) setzen(0, stadion_kunst::Figuren_Datei(), "the figure frames");
        if (i == RES_STADION_GFX) setzen(0, publikum_kunst::Datei(), "the crowd's animations");
        else if (i == RES_RASEN_HG) setzen(0, stadion_kunst::Rasen_Datei(), "the pitch pictures");
        else if (i == RES_STADION_MENUE) {
            setzen(0, stadion_kunst::Menue_Datei(), "the match view's bar and score plates");
            setzen(23, stadion_kunst::Ziffern_Datei(), "the score line's digits");
        } else if (i == RES_STADION_SPRITES) {
            setzen(132, stadion_kunst::Muede_Marke(), "the tired marker");
            setzen(133, stadion_kunst::Status_Marke(), "the status marker");
        }
        // The advertising boards around the pitch.
        if (i == RES_STADION_BITMAPS) setzen(BANDEN_RES_RAHMEN, banden_kunst::Datei(), "the advertising boards");
        // Rain and snow over the match views.
        if (i == RES_STADION_SPRITES) {
            setzen(WETTER_RES_REGEN, wetter_kunst::Regen_Datei(), "the raindrops");
            setzen(WETTER_RES_SCHNEE, wetter_kunst::Schnee_Datei(), "the snowflakes");
        }
        // The match radar's background, dots, ball heights and goals.
        if (i == RADAR_RES_DATEI) {
            setzen(RADAR_HINTERGRUND, radar_kunst::Hintergrund_Datei(), "the radar's background");
            setzen(RADAR_PUNKT_HEIM, radar_kunst::Punkte_Datei(), "the radar's dots, ball and goals");
        }
        if (!fehler.empty()) {
            std::fprintf(stderr, "mkassets: %s %s\n", pfad.c_str(), fehler.c_str());
            return 1;
        }
        if (!Res_Schreiben(pfad.c_str(), d.eintraege)) {
            std::fprintf(stderr, "mkassets: cannot write %s\n", pfad.c_str());
            return 1;
        }
        ++geschrieben;
    }
    Font_Free_Set();
    Spiel_Entdrahten();
    std::printf("mkassets: %d resource files in %s\n", geschrieben, resfile.c_str());
    return 0;
}
