// The menu framework knows no game: no file of gui/ includes a header of the
// clubs, the season or the game's pictures drawn from them (bilder/); what it
// shows of them it asks through the panel's hooks, which the composition root
// fills.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/core/temp_verz.h"
#include "tests/support/einbindungen.h"

namespace {

namespace fs = std::filesystem;

const std::vector<std::string> SPIEL = {"club", "season", "bilder"};

TEST(GuiEinbindung, TheMenuFrameworkIncludesNoHeaderOfTheClubsTheSeasonOrTheirPictures) {
    const std::vector<std::string> funde = velmora_test::Einbindungen(VELMORA_QUELLE, {"gui"}, SPIEL);
    EXPECT_TRUE(funde.empty()) << "gui/ includes club/, season/ or bilder/:" << velmora_test::Einbindungen_Liste(funde);
    // The check reads the real folder: it holds the framework's files.
    EXPECT_TRUE(fs::exists(fs::path(VELMORA_QUELLE) / "gui" / "menue.cpp"));
}

// The check finds an inclusion in every form it may take, in gui/ only, and
// not a folder whose name merely ends like one of the game's.
TEST(GuiEinbindung, TheCheckFindsTheClubsAndTheSeasonInGuiAndNothingElse) {
    velmora_test::TempVerz tmp;
    const auto [funde, erwartet] = velmora_test::Einbindungen_Faelle(
        tmp.pfad, {"gui"}, SPIEL,
        {
            {"gui/a.cpp", "#include \"club/team.h\"\n", "gui/a.cpp:1"},
            {"gui/b.h", "// x\n#  include <season/kalender.h>\n", "gui/b.h:2"},
            {"gui/c.cpp", "#include \"../club/manager.h\"\n", "gui/c.cpp:1"},
            {"gui/tief/d.cpp", "#include \"gfx/font.h\"\n#include \"season/spiele.h\"\n", "gui/tief/d.cpp:2"},
            {"gui/e.cpp", "#include \"gfx/font.h\"\n// club/team.h knows the names\n", ""},
            {"gui/i.cpp", "#include \"bilder/wappen.h\"\n", "gui/i.cpp:1"},
            {"gui/f.cpp", "#include \"screens/unterclub/x.h\"\n#include \"gui/season.h\"\n", ""},
            {"gui/g.txt", "#include \"club/team.h\"\n", ""},
            {"screens/h.cpp", "#include \"club/team.h\"\n", ""},
        });
    EXPECT_EQ(funde, erwartet);
}

}  // namespace
