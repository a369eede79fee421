// The menu framework knows no game: no file of gui/ includes a header of the
// clubs or the season; what it shows of them it asks through the panel's
// hooks, which the composition root fills.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/core/temp_verz.h"
#include "tests/support/einbindungen.h"

namespace {

namespace fs = std::filesystem;

const std::vector<std::string> SPIEL = {"club", "season"};

TEST(GuiEinbindung, TheMenuFrameworkIncludesNoHeaderOfTheClubsOrTheSeason) {
    const std::vector<std::string> funde = velmora_test::Einbindungen(VELMORA_QUELLE, {"gui"}, SPIEL);
    std::string liste;
    for (const std::string& f : funde) liste += "\n  " + f;
    EXPECT_TRUE(funde.empty()) << "gui/ includes club/ or season/:" << liste;
    // The check reads the real folder: it holds the framework's files.
    EXPECT_TRUE(fs::exists(fs::path(VELMORA_QUELLE) / "gui" / "menue_panel.cpp"));
}

// The check finds an inclusion in every form it may take, in gui/ only, and
// not a folder whose name merely ends like one of the game's.
TEST(GuiEinbindung, TheCheckFindsTheClubsAndTheSeasonInGuiAndNothingElse) {
    velmora_test::TempVerz tmp;
    struct Fall {
        const char* datei;
        const char* text;
        const char* fund;   // "" none
    };
    const Fall faelle[] = {
        {"gui/a.cpp", "#include \"club/team.h\"\n", "gui/a.cpp:1"},
        {"gui/b.h", "// x\n#  include <season/kalender.h>\n", "gui/b.h:2"},
        {"gui/c.cpp", "#include \"../club/manager.h\"\n", "gui/c.cpp:1"},
        {"gui/tief/d.cpp", "#include \"gfx/wappen.h\"\n#include \"season/spiele.h\"\n", "gui/tief/d.cpp:2"},
        {"gui/e.cpp", "#include \"gfx/wappen.h\"\n// club/team.h knows the names\n", ""},
        {"gui/f.cpp", "#include \"screens/unterclub/x.h\"\n#include \"gui/season.h\"\n", ""},
        {"gui/g.txt", "#include \"club/team.h\"\n", ""},
        {"screens/h.cpp", "#include \"club/team.h\"\n", ""},
    };
    std::vector<std::string> erwartet;
    for (const Fall& f : faelle) {
        tmp.schreiben(f.datei, f.text);
        if (*f.fund) erwartet.push_back(f.fund);
    }
    std::vector<std::string> funde = velmora_test::Einbindungen(tmp.pfad, {"gui"}, SPIEL);
    std::sort(funde.begin(), funde.end());
    std::sort(erwartet.begin(), erwartet.end());
    EXPECT_EQ(funde, erwartet);
}

}  // namespace
