// shell/main/velmora.cpp - the program's entry point.
//
// The game's screens do not exist yet; until they do, the program runs the
// start-up steps that exist (directories, options, the random table) headless
// and reports what it found.
#include <cstdio>
#include <cstring>

#include "core/dirs.h"
#include "core/optionen.h"
#include "core/rnd.h"

using namespace velmora;

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "-r") == 0) Dirs_Setze_Registry2(true);

    std::printf("Velmora - football club management\n");
    if (!Dirs_Init()) {
        std::printf("No installation directory: the setting \"Work_dir\" is missing or does not exist.\n");
        return 1;
    }
    std::printf("Installation: %s\nUser data:    %s\nSave games:   %s\n", Dirs_Get(DIR_INSTALL), Dirs_Get(DIR_USER),
                Dirs_Get(DIR_SPIELSTAND));
    Optionen_Standard();
    Rnd_Init();
    std::printf("Autosave every seventh day: %s\n", Optionen(OPTION_AUTOSAVE, 0, 0) ? "on" : "off");
    std::printf("First draws of the random table (1-6):");
    for (int i = 0; i < 10; ++i) std::printf(" %d", Rnd(1, 6));
    std::printf("\nThe game itself is not built yet.\n");
    return 0;
}
