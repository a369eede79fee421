// The art generators stay out of the game: no source file of a library the
// game links includes a header of kunst/, so the screens know only the
// picture numbers they show and the game binary carries no generator.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/core/temp_verz.h"
#include "tests/support/einbindungen.h"

namespace {

namespace fs = std::filesystem;

// The folders whose libraries make up the game.
const std::vector<std::string> LAUFZEIT = {"platform", "core",  "jpeg", "net",   "club",     "season",    "match",   "gfx",
                                           "bilder",   "media", "gui",  "shell", "business", "matchview", "screens", "app"};

// Every "folder/file:line" of the game's folders under `wurzel` that
// includes a header of kunst/.
std::vector<std::string> Kunst_Einbindungen(const fs::path& wurzel) {
    return velmora_test::Einbindungen(wurzel, LAUFZEIT, {"kunst"});
}

TEST(KunstEinbindung, NoLibraryOfTheGameIncludesTheArtGenerators) {
    const std::vector<std::string> funde = Kunst_Einbindungen(VELMORA_QUELLE);
    std::string liste;
    for (const std::string& f : funde) liste += "\n  " + f;
    EXPECT_TRUE(funde.empty()) << "the game's libraries include kunst/:" << liste;
}

// The check itself finds what it looks for, and only that.
TEST(KunstEinbindung, TheCheckFindsAnInclusionInAGameFolderAndNoneElsewhere) {
    velmora_test::TempVerz tmp;
    const fs::path w = tmp.pfad;
    struct Fall {
        const char* datei;
        const char* text;
        bool gefunden;
    };
    const Fall faelle[] = {
        {"screens/a.cpp", "#include \"kunst/bild_muster_geld.h\"\n", true},
        {"gfx/tief/b.h", "// x\n#  include <kunst/klang.h>\n", true},
        {"media/c.cpp", "#include \"gfx/bildnr_geld.h\"\n// kunst/bild_muster.h draws them\n", false},
        {"tools/d.cpp", "#include \"kunst/bild_muster.h\"\n", false},
        {"kunst/e.cpp", "#include \"kunst/bild_muster.h\"\n", false},
        {"app/f.txt", "#include \"kunst/bild_muster.h\"\n", false},
    };
    std::vector<std::string> erwartet;
    for (const Fall& f : faelle) {
        fs::create_directories((w / f.datei).parent_path());
        std::ofstream(w / f.datei) << f.text;
        if (f.gefunden) erwartet.push_back(std::string(f.datei) + (f.text[0] == '/' ? ":2" : ":1"));
    }
    std::vector<std::string> funde = Kunst_Einbindungen(w);
    std::sort(funde.begin(), funde.end());
    std::sort(erwartet.begin(), erwartet.end());
    EXPECT_EQ(funde, erwartet);
}

}  // namespace
