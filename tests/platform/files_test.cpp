#include "platform/files.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/settings.h"
#include "tests/support/temp_dir.h"

using namespace velmora;
namespace fs = std::filesystem;

TEST(PlatPath, BackslashesAndCaseAreResolved) {
    test::TempDir tmp;
    tmp.schreiben("Config/Spieler.cfg", "x");
    EXPECT_EQ(Plat_Path((tmp.pfad() + "\\config\\SPIELER.CFG").c_str()), tmp / "Config/Spieler.cfg");
    // A missing last component keeps its spelling below the resolved parent.
    EXPECT_EQ(Plat_Path((tmp.pfad() + "\\CONFIG\\neu.cfg").c_str()), tmp / "Config/neu.cfg");
    EXPECT_EQ(Plat_Path("relativ\\pfad"), "relativ/pfad");
    EXPECT_EQ(Plat_Path(nullptr), "");
}

TEST(PlatFiles, AtomicWriteReplacesWholeAndLeavesNoTemporary) {
    test::TempDir tmp;
    std::string p = tmp / "stand.bin";
    ASSERT_TRUE(Plat_Write_Atomic(p.c_str(), "alt", 3));
    ASSERT_TRUE(Plat_Write_Atomic(p.c_str(), "neuer", 5));
    std::vector<uint8_t> inhalt;
    ASSERT_TRUE(Plat_Read_All(p.c_str(), inhalt));
    EXPECT_EQ(std::string(inhalt.begin(), inhalt.end()), "neuer");
    EXPECT_EQ(test::temporaere(p), 0u);
    EXPECT_FALSE(Plat_Write_Atomic((tmp / "fehlt/x.bin").c_str(), "a", 1));
}

TEST(PlatFiles, TemporaryFilesOfOneTargetHaveNamesOfTheirOwn) {
    test::TempDir tmp;
    std::string p = tmp / "game_1.qzv";
    std::string a, b;
    int32_t ha = Plat_File_Open_Temp(p.c_str(), &a);
    int32_t hb = Plat_File_Open_Temp(p.c_str(), &b);
    ASSERT_GE(ha, 0);
    ASSERT_GE(hb, 0);
    EXPECT_NE(a, b);
    EXPECT_EQ(a.rfind(p + ".tmp-", 0), 0u) << a;
    EXPECT_EQ(test::temporaere(p), 2u);
    Plat_File_Close(ha);
    Plat_File_Close(hb);
    EXPECT_EQ(Plat_File_Open_Temp((tmp / "fehlt/x.bin").c_str(), &a), -1);
}

TEST(PlatFiles, DirectoriesAreNotOpenedAsFiles) {
    test::TempDir tmp;
    EXPECT_TRUE(Plat_Make_Dirs((tmp / "a/b/c").c_str()));
    EXPECT_TRUE(Plat_Is_Dir((tmp / "a/b/c").c_str()));
    EXPECT_EQ(Plat_File_Open((tmp / "a/b").c_str(), PLAT_READ), -1);
}

TEST(PlatSettings, BrokenLinesAreSkippedAndValuesStayOnOneLine) {
    test::TempDir tmp;
    tmp.schreiben("config-home/velmora/settings.ini", "[K]\nkaputt ohne gleich\na = 1 \n[halb\nb=2\n");
    std::string v;
    ASSERT_TRUE(Plat_Settings_Read("K", "a", v));
    EXPECT_EQ(v, "1");
    ASSERT_TRUE(Plat_Settings_Write("K", "c", "zeile1\nzeile2"));
    ASSERT_TRUE(Plat_Settings_Read("K", "c", v));
    EXPECT_EQ(v, "zeile1 zeile2");
    uint32_t u = 0;
    ASSERT_TRUE(Plat_Settings_Write_U32("Software\\Brannik\\Velmora\\JpegCodec", "USECPU", 4));
    ASSERT_TRUE(Plat_Settings_Read_U32("Software\\Brannik\\Velmora\\JpegCodec", "USECPU", u));
    EXPECT_EQ(u, 4u);
    Plat_Settings_Write("K", "zahl", "12x");
    EXPECT_FALSE(Plat_Settings_Read_U32("K", "zahl", u));
}

// A settings file that cannot be written is said once on stderr, not swallowed
// and not repeated at every write.
TEST(PlatSettings, AWriteFailureIsReportedOnce) {
    test::TempDir tmp;
    tmp.schreiben("keine-verz", "a file where the settings directory should be");
    setenv("XDG_CONFIG_HOME", (tmp / "keine-verz").c_str(), 1);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(Plat_Settings_Write("K", "a", "1"));
    EXPECT_FALSE(Plat_Settings_Write("K", "b", "2"));
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find(": the settings file " + tmp / "keine-verz/velmora/settings.ini" + " cannot be written"),
              std::string::npos)
        << err;
    EXPECT_EQ(err.find('\n'), err.size() - 1) << err;
}
