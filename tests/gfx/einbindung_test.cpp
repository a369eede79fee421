// The drawing kit knows no game: no file of gfx/ includes a header of the
// clubs, the season, the match or the game's pictures drawn from them
// (bilder/), so the kit and the floors built on it (sound and films, the
// shell, the menu framework) stand below the game.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/core/temp_verz.h"
#include "tests/support/einbindungen.h"

namespace {

namespace fs = std::filesystem;

const std::vector<std::string> SPIEL = {"club", "season", "match", "bilder"};

TEST(GfxEinbindung, TheDrawingKitIncludesNoHeaderOfTheGame) {
    const std::vector<std::string> funde = velmora_test::Einbindungen(VELMORA_QUELLE, {"gfx"}, SPIEL);
    EXPECT_TRUE(funde.empty()) << "gfx/ includes club/, season/, match/ or bilder/:"
                               << velmora_test::Einbindungen_Liste(funde);
    // The check reads the real folders: the kit's and the game pictures' files.
    EXPECT_TRUE(fs::exists(fs::path(VELMORA_QUELLE) / "gfx" / "rastport.cpp"));
    EXPECT_TRUE(fs::exists(fs::path(VELMORA_QUELLE) / "bilder" / "wappen.cpp"));
}

// The game's pictures and the match are found in the kit as the clubs are;
// the kit's own headers, a folder that merely begins like one of the game's
// and the game pictures' own includes are not.
TEST(GfxEinbindung, TheCheckFindsTheGamePicturesInTheKitAndNothingElse) {
    velmora_test::TempVerz tmp;
    const auto [funde, erwartet] = velmora_test::Einbindungen_Faelle(
        tmp.pfad, {"gfx"}, SPIEL,
        {
            {"gfx/a.cpp", "#include \"bilder/wappen.h\"\n", "gfx/a.cpp:1"},
            {"gfx/b.h", "#include \"gfx/bild.h\"\n#include \"club/team.h\"\n", "gfx/b.h:2"},
            {"gfx/c.cpp", "#include \"../match/day/spieltag.h\"\n", "gfx/c.cpp:1"},
            {"gfx/d.cpp", "#include \"gfx/schatten.h\"\n#include \"bilderbuch/x.h\"\n// bilder/portrait.h\n", ""},
            {"bilder/e.cpp", "#include \"season/wettbewerb.h\"\n#include \"gfx/bild.h\"\n", ""},
        });
    EXPECT_EQ(funde, erwartet);
}

}  // namespace
