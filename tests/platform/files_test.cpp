#include "platform/files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/stat.h>

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

// Direct writes: whole blocks past the page cache, the rest the ordinary way,
// from aligned and unaligned memory, at the start and (ordinary throughout)
// behind bytes already written. What lands in the file is exactly the bytes.
TEST(PlatFiles, DirectWritesLeaveExactlyTheBytesAndThePosition) {
    test::TempDir tmp;
    std::vector<uint8_t> quelle((3u << 20) + 8192);
    for (size_t i = 0; i < quelle.size(); ++i) quelle[i] = uint8_t(i * 131 + (i >> 9));
    uint8_t* ausgerichtet = quelle.data() + (4096 - reinterpret_cast<uintptr_t>(quelle.data()) % 4096);
    struct Fall {
        int64_t bytes;
        size_t versatz;    // from a 4096-aligned address
        int64_t davor;     // bytes written the ordinary way first
    };
    const Fall faelle[] = {{0, 0, 0},          {1, 0, 0},         {511, 3, 0},      {512, 0, 0},
                           {4096, 0, 0},       {4097, 1, 0},      {(1 << 20) + 5, 7, 0}, {(1 << 20) + 512, 1, 0}, {(2 << 20) - 1, 9, 0}, {3 << 20, 0, 0},
                           {(3 << 20) + 7, 16, 0}, {(2 << 20) + 100, 0, 10}};
    for (const Fall& f : faelle) {
        std::string p = tmp / "d.bin";
        int32_t h = Plat_File_Open(p.c_str(), PLAT_WRITE);
        ASSERT_GE(h, 0);
        ASSERT_EQ(Plat_File_Write(h, quelle.data(), f.davor), f.davor);
        const uint8_t* von = ausgerichtet + f.versatz;
        EXPECT_EQ(Plat_File_Write_Direkt(h, von, f.bytes), f.bytes) << f.bytes;
        // The position stands behind the bytes: an ordinary write continues there.
        EXPECT_EQ(Plat_File_Write(h, "ende", 4), 4);
        EXPECT_TRUE(Plat_File_Sync(h));
        Plat_File_Close(h);
        std::vector<uint8_t> soll(quelle.begin(), quelle.begin() + f.davor);
        soll.insert(soll.end(), von, von + f.bytes);
        soll.insert(soll.end(), {'e', 'n', 'd', 'e'});
        std::vector<uint8_t> ist;
        ASSERT_TRUE(Plat_Read_All(p.c_str(), ist));
        EXPECT_TRUE(ist == soll) << "bytes " << f.bytes << " offset " << f.versatz << " after " << f.davor;
    }
    EXPECT_EQ(Plat_File_Write_Direkt(-1, quelle.data(), 10), -1);
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

// A value the file already holds is not written again (the file keeps its
// inode and its text, even a line the reader skips); a changed one is.
TEST(PlatSettings, AValueTheFileHoldsIsNotWrittenAgain) {
    test::TempDir tmp;
    tmp.schreiben("config-home/velmora/settings.ini", "[K]\na=1\nkaputt\n");
    const std::string datei = tmp / "config-home/velmora/settings.ini";
    struct stat vorher {};
    ASSERT_EQ(stat(datei.c_str(), &vorher), 0);
    EXPECT_TRUE(Plat_Settings_Write("K", "a", "1"));
    struct stat nachher {};
    ASSERT_EQ(stat(datei.c_str(), &nachher), 0);
    EXPECT_EQ(nachher.st_ino, vorher.st_ino);
    std::ifstream ein(datei);
    EXPECT_NE(std::string(std::istreambuf_iterator<char>(ein), {}).find("kaputt"), std::string::npos);
    EXPECT_TRUE(Plat_Settings_Write("K", "a", "2"));
    ASSERT_EQ(stat(datei.c_str(), &nachher), 0);
    EXPECT_NE(nachher.st_ino, vorher.st_ino);
    std::string v;
    ASSERT_TRUE(Plat_Settings_Read("K", "a", v));
    EXPECT_EQ(v, "2");
    EXPECT_TRUE(Plat_Settings_Write("K", "neu", ""));   // an empty value not yet in the file is written
    EXPECT_TRUE(Plat_Settings_Read("K", "neu", v));
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
