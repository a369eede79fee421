// tools/weltgen.cpp - writes the Velmora demo world as configuration set 0 of
// an installation directory.
//
//   weltgen [--small] [--seed N] <installation directory>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "app/verdrahtung.h"
#include "club/spieler.h"
#include "club/team.h"
#include "club/weltgen.h"
#include "gfx/demobild.h"
#include "core/rnd.h"
#include "platform/display.h"
#include "platform/files.h"
#include "tools/werkzeug.h"

int main(int argc, char** argv) {
    velmora::Plat_Dateigrenze_Ignorieren();
    using velmora::werkzeug::Falsch;
    constexpr const char* BENUTZUNG =
        "Usage: weltgen [--small] [--seed N] <installation directory>\n"
        "Writes the demo world as configuration set 0 into the installation's config directory.\n";
    if (int ende = velmora::werkzeug::Hilfe_Oder_Version(argc, argv, "weltgen", BENUTZUNG); ende >= 0) return ende;
    velmora::WeltgenOptionen optionen;
    std::string ziel;
    for (int i = 1; i < argc; ++i) {
        char* ende = nullptr;
        if (!std::strcmp(argv[i], "--small")) {
            optionen.klein = true;
        } else if (!std::strcmp(argv[i], "--seed")) {
            if (i + 1 >= argc) return Falsch("weltgen", "option '--seed' needs a value");
            optionen.seed = uint32_t(std::strtoul(argv[++i], &ende, 10));
            if (!*argv[i] || *ende) return Falsch("weltgen", std::string("--seed takes a number, not '") + argv[i] + "'");
        } else if (argv[i][0] == '-') {
            return Falsch("weltgen", std::string("unknown option '") + argv[i] + "'");
        } else if (ziel.empty()) {
            ziel = argv[i];
        } else {
            return Falsch("weltgen", std::string("unexpected argument '") + argv[i] + "'");
        }
    }
    if (ziel.empty()) return Falsch("weltgen", "needs the installation directory");
    velmora::Rnd_Init();
    velmora::Verdrahtung_Weltgen();
    velmora::WeltgenWelt welt;
    if (!velmora::Weltgen_Erzeugen(optionen, welt)) {
        std::fprintf(stderr, "weltgen: the world could not be built\n");
        return 1;
    }
    if (std::string fehler; !velmora::Weltgen_Schreiben(welt, ziel, &fehler)) {
        velmora::Plat_Stderr_Zeile(fehler.c_str());
        return 1;
    }
    // The photos and crest pictures of the world, for the user's picture folders.
    const std::string bilder = ziel + "/demobilder/";
    std::error_code weg;
    std::filesystem::remove_all(bilder, weg);   // pictures of an earlier world must not stay
    auto farben = [](int32_t team) {
        const auto* f = static_cast<const uint8_t*>(velmora::Team_Zeiger(velmora::TZ_FARBEN, team, nullptr, velmora::OP_LESEN));
        static constexpr uint8_t GRAU[6] = {180, 180, 180, 240, 240, 240};
        return f ? f : GRAU;
    };
    // A picture that cannot be written (a full disk) fails the run, as the
    // world's files do: one line with the file and the system's reason.
    std::string grund;
    auto gescheitert = [&](const std::string& was) {
        velmora::Plat_Stderr_Zeile((was + " could not be written: " + grund).c_str());
        return 1;
    };
    for (const auto& [spieler, team] : welt.foto_spieler)
        if (!velmora::Demobild_Schreiben(velmora::Demobild_Foto(spieler, farben(team)), bilder + "spielerbilder", spieler, &grund))
            return gescheitert("the photo of player " + std::to_string(spieler));
    for (const auto& [wappen, team] : welt.bild_wappen)
        if (!velmora::Demobild_Schreiben(velmora::Demobild_Wappen(wappen, farben(team)), bilder + "wappenbilder", wappen, &grund))
            return gescheitert("the crest picture " + std::to_string(wappen));
    std::printf("weltgen: %zu countries, %d clubs, %d players (%d scout players) written to %s/config\n",
                welt.laender.size(), welt.clubs, welt.spieler, welt.scout_spieler, ziel.c_str());
    return 0;
}
