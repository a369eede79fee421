// tools/weltgen.cpp - writes the Velmora demo world as configuration set 0 of
// an installation directory.
//
//   weltgen [--small] [--seed N] <installation directory>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/verdrahtung.h"
#include "club/weltgen.h"
#include "core/rnd.h"

int main(int argc, char** argv) {
    velmora::WeltgenOptionen optionen;
    std::string ziel;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--small")) optionen.klein = true;
        else if (!std::strcmp(argv[i], "--seed") && i + 1 < argc) optionen.seed = uint32_t(std::strtoul(argv[++i], nullptr, 10));
        else if (argv[i][0] != '-' && ziel.empty()) ziel = argv[i];
        else {
            std::fprintf(stderr, "weltgen: unknown argument %s\n", argv[i]);
            return 2;
        }
    }
    if (ziel.empty()) {
        std::fprintf(stderr, "usage: weltgen [--small] [--seed N] <installation directory>\n");
        return 2;
    }
    velmora::Rnd_Init();
    velmora::Verdrahtung_Weltgen();
    velmora::WeltgenWelt welt;
    if (!velmora::Weltgen_Erzeugen(optionen, welt)) {
        std::fprintf(stderr, "weltgen: the world could not be built\n");
        return 1;
    }
    if (!velmora::Weltgen_Schreiben(welt, ziel)) {
        std::fprintf(stderr, "weltgen: the files could not be written into %s/config\n", ziel.c_str());
        return 1;
    }
    std::printf("weltgen: %zu countries, %d clubs, %d players (%d scout players) written to %s/config\n",
                welt.laender.size(), welt.clubs, welt.spieler, welt.scout_spieler, ziel.c_str());
    return 0;
}
