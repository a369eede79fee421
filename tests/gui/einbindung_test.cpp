// The menu framework knows no game: no file of gui/ includes a header of the
// clubs, the season or the game's pictures drawn from them (bilder/); what it
// shows of them it asks through MenueSpielHooks, which the composition root
// fills. Nor does it name an icon number of the game's screens: the game's
// table of icon blocks (screens/icon_bereiche.h) says which numbers those are,
// and only the framework's own blocks may appear in its code.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "screens/icon_bereiche.h"
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

// The blocks of the game's icon table that the framework's own boxes use.
const char* const EIGENE_BLOECKE[] = {"Requester"};
// The numbers looked for: those of the game's menu frame, tables and start
// (the framework's debug label of an icon's maker names the bounds of the
// higher blocks, such as 1701).
constexpr int32_t ERSTE = 700, LETZTE = 999;

std::vector<velmora_test::NummernBereich> Spiel_Bloecke() {
    std::vector<velmora_test::NummernBereich> bloecke;
    for (const velmora::IconBereich& b : velmora::ICON_BEREICHE) {
        bool eigen = false;
        for (const char* e : EIGENE_BLOECKE) eigen = eigen || std::string(e) == b.name;
        if (!eigen && b.letzte >= ERSTE && b.erste <= LETZTE)
            bloecke.push_back({b.name, std::max(b.erste, ERSTE), std::min(b.letzte, LETZTE)});
    }
    return bloecke;
}

TEST(GuiEinbindung, TheMenuFrameworkNamesNoIconNumberOfTheGamesScreens) {
    const std::vector<velmora_test::NummernBereich> bloecke = Spiel_Bloecke();
    ASSERT_GE(bloecke.size(), 4u);   // the panel, the option bar, the tables, the start
    const std::vector<std::string> funde = velmora_test::Nummern(VELMORA_QUELLE, {"gui"}, bloecke);
    EXPECT_TRUE(funde.empty()) << "gui/ names icon numbers of the game's screens:"
                               << velmora_test::Einbindungen_Liste(funde);
}

// The number check finds a literal of a block in code, in every folder below
// gui/, and not in a comment, a string, a hexadecimal or floating-point
// number, a longer number, a name, another folder, or the framework's block.
TEST(GuiEinbindung, TheNumberCheckFindsAGameIconNumberInCodeOnly) {
    velmora_test::TempVerz tmp;
    const std::vector<std::pair<const char*, const char*>> dateien = {
        {"gui/a.cpp", "constexpr int32_t ICON_X = 803;\n"},
        {"gui/b.h", "// 803 is the table's\nint f() { return g(702u) + 1; }\n"},
        {"gui/c.cpp", "/* 803\n 805 */ const char* t = \"804 \\\" 806\";\nchar c = '7';\n"},
        {"gui/tief/d.cpp", "int a = 0x803, b = 803.5, c = 8030, d = ICON_803, e = 1'803;\nint k = a-705;\n"},
        {"gui/e.cpp", "for (int n = 702; n <= 705; ++n) f(n, 0);\n"},
        {"gui/f.cpp", "int r = 713, w = 800, h = 600;\n"},
        {"screens/g.cpp", "int x = 803;\n"},
        {"gui/h.txt", "803\n"},
    };
    for (const auto& [datei, text] : dateien) {
        fs::create_directories((tmp.pfad / datei).parent_path());
        std::ofstream(tmp.pfad / datei, std::ios::binary) << text;
    }
    const std::vector<velmora_test::NummernBereich> bloecke = {{"Panel", 702, 711}, {"Tabelle", 802, 866}};
    const std::vector<std::string> erwartet = {
        "gui/a.cpp:1: 803 (Tabelle)", "gui/b.h:2: 702 (Panel)",      "gui/e.cpp:1: 702 (Panel)",
        "gui/e.cpp:1: 705 (Panel)",   "gui/tief/d.cpp:2: 705 (Panel)",
    };
    EXPECT_EQ(velmora_test::Nummern(tmp.pfad, {"gui"}, bloecke), erwartet);
}

}  // namespace
