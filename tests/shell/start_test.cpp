// The whole start of the program, headless, in a generated installation: the
// resource files open, the screen bitmap is drawn by the frame and shown, and
// the program ends in order.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/dirs.h"
#include "core/programm.h"
#include "core/reg.h"
#include "core/res.h"
#include "gfx/blit.h"
#include "gfx/rastport.h"
#include "gfx/shade.h"
#include "platform/clock.h"
#include "platform/display.h"
#include "shell/app.h"
#include "shell/resourcen.h"
#include "shell/screen.h"
#include "tests/support/png.h"
#include "tests/support/schalter.h"
#include "tests/support/temp_dir.h"

namespace velmora {
namespace {

std::vector<std::string> g_ablauf;
int g_frames = 0;

// The frame's game: a test pattern of coloured fields and frames, then the end.
void kalender() {
    if (Quit_State() != 0) {
        g_ablauf.push_back("kalender-ende");
        Quit_State_Setzen(2);
        App_Beenden();
        return;
    }
    ++g_frames;
    Rastport* s = Rastport_Screen();
    ASSERT_NE(s, nullptr);
    for (int i = 0; i < 8; ++i) Rastport_Fill(s, i * 100, 0, 100, 300, uint16_t((i * 4) << 11 | (31 - i * 4)), nullptr);
    Rastport_Fill(s, 0, 300, 800, 300, 0x2C64, nullptr);
    Rastport_Draw_Frame(s, 40, 330, 720, 240, 0xFFFF, 2, nullptr);
    Rastport_Draw_Frame(s, 390, 440, 20, 20, 0xFFE0, 1, nullptr);
    if (g_frames == 3) Programm_Beenden_Anfordern();
}

struct StartTest : ::testing::Test {
    test::TempDir tmp;
    void SetUp() override {
        std::string resfile = tmp / "install/resfile";
        std::filesystem::create_directories(resfile);
        for (int32_t i = 0; i < RESOURCEN_ANZAHL; ++i)
            ASSERT_TRUE(Res_Schreiben((resfile + "/" + Resourcen_Standardname(i)).c_str(), {}));
        Reg_Write_String("Work_dir", (tmp / "install").c_str());
        Reg_Write_String("USER_DIR", (tmp / "user").c_str());
        g_ablauf.clear();
        g_frames = 0;
        ShellDienste& d = Shell_Dienste();
        d = ShellDienste{};
        d.kalender_main = kalender;
        d.resourcen_oeffnen = [] { g_ablauf.push_back("res-auf"); return Resourcen_Oeffnen(); };
        d.resourcen_schliessen = [] { g_ablauf.push_back("res-zu"); Resourcen_Schliessen(); };
        d.rastport_screen_setup = [](uint16_t* m, int32_t w, int32_t h, int32_t) {
            Rastport_Screen_Setup(w, h, m);
            return int32_t(1);
        };
        d.shade_init = [](int32_t t) { g_ablauf.push_back("shade"); return Shade_Init(t); };
        d.shade_exit = [] { g_ablauf.push_back("shade-frei"); Shade_Exit(); };
    }
    void TearDown() override {
        Shell_Dienste() = ShellDienste{};
        Plat_Uhr_Virtuell(false);
    }
};

}  // namespace

TEST_F(StartTest, HeadlessStartShowsThePatternAndEndsInOrder) {
    AppStart s;
    s.headless = true;
    s.max_durchlaeufe = 50;
    ASSERT_EQ(App_Main(test::Mit_Schaltern(s, {"-w", "-i"})), 1);
    EXPECT_EQ(g_frames, 3);
    EXPECT_EQ(Quit_State(), 2);
    const std::vector<std::string> erwartet = {"res-auf", "shade", "kalender-ende", "shade-frei", "res-zu"};
    EXPECT_EQ(g_ablauf, erwartet);
    EXPECT_EQ(Resourcen_Slot(0), -1);   // closed again
    const std::vector<uint16_t>& bild = Plat_Headless_Bild();
    ASSERT_EQ(bild.size(), size_t(SCREEN_BREITE * SCREEN_HOEHE));
    std::string fehler = test::Png_Vergleichen("start_muster", test::Rgb_Aus_565(bild.data(), 800, 600));
    EXPECT_EQ(fehler, "");
}

TEST_F(StartTest, ResourceNamesComeFromTheSettingsAndAreWrittenBackWhenEmpty) {
    std::string resfile = tmp / "install/resfile";
    ASSERT_TRUE(Res_Schreiben((resfile + "/anderes.res").c_str(), {}));
    Reg_Write_Key_String(REG_PRODUKT_SCHLUESSEL, "res_3", "anderes.res");
    std::filesystem::remove(resfile + "/pirak_res.res");   // only the override may be opened
    ASSERT_TRUE(Dirs_Init());
    ASSERT_EQ(Resourcen_Oeffnen(), 1);
    EXPECT_GE(Resourcen_Slot(3), 0);
    char name[100] = {};
    Reg_Read_Key_String(REG_PRODUKT_SCHLUESSEL, "res_0", name, sizeof name);
    EXPECT_STREQ(name, "menue_res.res");
    EXPECT_EQ(Resourcen_Oeffnen(), 1);   // open already: nothing happens
    Resourcen_Schliessen();
    EXPECT_EQ(Resourcen_Slot(3), -1);
}

// The box of a start without its installation keeps the check's cause and
// says, in the game's words, that the program ends.
TEST_F(StartTest, AMissingInstallationDirectorysBoxNamesTheCauseAndTheEnd) {
    Reg_Write_String("Work_dir", (tmp / "fehlt").c_str());
    AppStart s;
    s.headless = true;
    s.max_durchlaeufe = 50;
    EXPECT_EQ(App_Main(test::Mit_Schaltern(s, {"-w", "-i"})), 0);
    EXPECT_EQ(g_frames, 0);
    const auto& meldungen = Plat_Headless_Meldungen();
    ASSERT_EQ(meldungen.size(), 1u);
    EXPECT_EQ(meldungen[0].first, "ERROR:");
    EXPECT_EQ(meldungen[0].second, "installation directory " + tmp / "fehlt" +
                                       ": missing\nEs liegt ein Fehler in der Verzeichnis Struktur vor (evtl. "
                                       "nochmals installieren).\nDas Programm wird beendet.");
}

TEST_F(StartTest, MissingResourceFileEndsTheStartWithBothMessages) {
    std::filesystem::remove(tmp / "install/resfile/wappen.res");
    AppStart s;
    s.headless = true;
    s.max_durchlaeufe = 50;
    EXPECT_EQ(App_Main(test::Mit_Schaltern(s, {"-w", "-i"})), 0);
    EXPECT_EQ(g_frames, 0);
    for (int32_t i = 0; i < RESOURCEN_ANZAHL; ++i) EXPECT_EQ(Resourcen_Slot(i), -1) << i;
    const auto& meldungen = Plat_Headless_Meldungen();
    ASSERT_EQ(meldungen.size(), 2u);
    EXPECT_EQ(meldungen[0].first, "ERROR:");
    EXPECT_EQ(meldungen[0].second, "Fehler: " + tmp / "install/resfile" + "\\wappen.res 8");
    EXPECT_NE(meldungen[1].second.find("Resource-File Struktur"), std::string::npos);
    EXPECT_NE(meldungen[1].second.find("Das Programm wird beendet."), std::string::npos);
}

}  // namespace velmora
