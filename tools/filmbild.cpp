// tools/filmbild.cpp - one frame of the installation's films as a PNG file.
//
//   filmbild [--install DIR] <entry> <frame> <file.png>
//
// Reads film <entry> of "resfile/animationen.res" in the installation (by
// default the one this build generates) through the film player, so the
// picture is the one the game shows.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/file.h"
#include "core/res.h"
#include "media/film.h"
#include "media/video.h"
#include "tools/png_datei.h"
#include "tools/werkzeug.h"

using namespace velmora;

namespace {

bool zahl(const char* text, int32_t& wert) {
    char* ende = nullptr;
    const long v = std::strtol(text, &ende, 10);
    if (!*text || *ende || v < 0 || v > 1000000) return false;
    wert = int32_t(v);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    constexpr const char* BENUTZUNG =
        "Usage: filmbild [--install DIR] <entry> <frame> <file.png>\n"
        "Writes frame <frame> (from 1) of film <entry> of the installation's animationen.res as a PNG file.\n";
    if (int ende = werkzeug::Hilfe_Oder_Version(argc, argv, "filmbild", BENUTZUNG); ende >= 0) return ende;
    std::string install = VELMORA_INSTALL_DIR;
    std::vector<const char*> args;
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--install" && i + 1 < argc) install = argv[++i];
        else args.push_back(argv[i]);
    }
    int32_t eintrag = 0, bild = 0;
    if (args.size() != 3 || !zahl(args[0], eintrag) || !zahl(args[1], bild))
        return werkzeug::Falsch("filmbild", "needs an entry, a frame and the PNG file to write");
    const std::string pfad = install + "/resfile/" + BINK_RES_DATEI;
    const int32_t handle = File_Open_Read(pfad.c_str());
    ResResource r;
    if (handle < 0 || !Res_GetResource(&r, handle, eintrag, RES_MODUS_HANDLE)) {
        std::fprintf(stderr, "filmbild: %s has no entry %d\n", pfad.c_str(), eintrag);
        File_Close(handle);
        return 1;
    }
    Film* f = Film_Oeffnen_Datei(handle, r.laenge);
    if (!f || bild < 1 || bild > Film_Bilder(f)) {
        std::fprintf(stderr, "filmbild: entry %d holds no film with frame %d\n", eintrag, bild);
        Film_Schliessen(f);
        File_Close(handle);
        return 1;
    }
    Film_Gehe_Zu(f, bild);
    Film_Zeigen(f);
    const int32_t w = Film_Breite(f), h = Film_Hoehe(f);
    std::vector<uint8_t> rgb;
    for (int32_t i = 0; i < w * h; ++i) {
        const uint16_t p = Film_Pixel(f)[i];
        const uint32_t rot = p >> 11, gruen = p >> 5 & 63, blau = p & 31;
        rgb.insert(rgb.end(), {uint8_t(rot << 3 | rot >> 2), uint8_t(gruen << 2 | gruen >> 4), uint8_t(blau << 3 | blau >> 2)});
    }
    Film_Schliessen(f);
    File_Close(handle);
    if (!werkzeug::Png_Schreiben(args[2], uint32_t(w), uint32_t(h), 3, rgb)) {
        std::fprintf(stderr, "filmbild: cannot write %s\n", args[2]);
        return 1;
    }
    return 0;
}
