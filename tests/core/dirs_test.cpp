#include "core/dirs.h"

#include <gtest/gtest.h>

#include <pwd.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "core/config.h"
#include "core/config_bin.h"
#include "core/debug.h"
#include "core/file.h"
#include "core/reg.h"
#include "platform/files.h"
#include "tests/support/dateigrenze.h"
#include "tests/support/temp_dir.h"

using namespace velmora;
namespace fs = std::filesystem;

TEST(Reg, SettingsRoundTripAndAbsentValueLeavesTheBuffer) {
    test::TempDir tmp;
    char puffer[64] = "unveraendert";
    EXPECT_FALSE(Reg_Read_String("Gme", puffer, sizeof puffer));
    EXPECT_STREQ(puffer, "unveraendert");
    ASSERT_TRUE(Reg_Write_String("Gme", "3"));
    ASSERT_TRUE(Reg_Write_String("Work_dir", "/opt/velmora"));
    ASSERT_TRUE(Reg_Write_Key_String(REG_PRODUKT_SCHLUESSEL, "Installation", "1"));
    EXPECT_TRUE(Reg_Read_String("Gme", puffer, sizeof puffer));
    EXPECT_STREQ(puffer, "3");
    EXPECT_TRUE(Reg_Read_String("Work_dir", puffer, sizeof puffer));
    EXPECT_STREQ(puffer, "/opt/velmora");
    EXPECT_TRUE(Reg_Read_Key_String(REG_PRODUKT_SCHLUESSEL, "Installation", puffer, sizeof puffer));
    EXPECT_STREQ(puffer, "1");
    char klein[4];
    EXPECT_TRUE(Reg_Read_String("Work_dir", klein, sizeof klein));   // cut to the buffer
    EXPECT_STREQ(klein, "/op");
    EXPECT_TRUE(fs::exists(tmp / "config-home/velmora/settings.ini"));
}

TEST(Dirs, InitCreatesTheUserSubDirectories) {
    test::TempDir tmp;
    fs::create_directories(tmp / "install");
    Reg_Write_String("Work_dir", (tmp / "install").c_str());
    Reg_Write_String("USER_DIR", (tmp / "user").c_str());
    ASSERT_EQ(Dirs_Init(), 1);
    EXPECT_EQ(std::string(Dirs_Get(DIR_INSTALL)), tmp / "install");
    EXPECT_EQ(std::string(Dirs_Get(DIR_RESFILE)), tmp / "install/resfile");
    for (int32_t d : {DIR_USER, DIR_SPIELSTAND, DIR_SPIELERBILDER, DIR_MANAGERBILDER, DIR_WAPPENBILDER, DIR_TEMP})
        EXPECT_TRUE(fs::is_directory(Dirs_Get(d))) << Dirs_Get(d);
    EXPECT_STREQ(Dirs_Get(DIR_ANZAHL), "");
}

// The user's picture folders get the installation's demo pictures that are
// missing there, at every start: a first start that failed made the folders
// and copied nothing. A file already there is never overwritten.
TEST(Dirs, TheUserFoldersGetTheMissingDemoPicturesAtEveryStart) {
    test::TempDir tmp;
    auto schreiben = [](const fs::path& p, const std::string& text) {
        fs::create_directories(p.parent_path());
        std::FILE* f = std::fopen(p.c_str(), "wb");
        ASSERT_NE(f, nullptr);
        std::fputs(text.c_str(), f);
        std::fclose(f);
    };
    auto lesen = [](const fs::path& p) {
        std::string s;
        if (std::FILE* f = std::fopen(p.c_str(), "rb")) {
            for (int c; (c = std::fgetc(f)) != EOF;) s += char(c);
            std::fclose(f);
        }
        return s;
    };
    schreiben(tmp / "install/demobilder/spielerbilder/7.jpg", "spieler");
    schreiben(tmp / "install/demobilder/wappenbilder/12.jpg", "wappen");
    schreiben(tmp / "install/demobilder/managerbilder/3.jpg", "manager");
    Reg_Write_String("Work_dir", (tmp / "install").c_str());
    Reg_Write_String("USER_DIR", (tmp / "user").c_str());
    ASSERT_EQ(Dirs_Init(), 1);
    EXPECT_EQ(lesen(tmp / "user/spielerbilder/7.jpg"), "spieler");
    EXPECT_EQ(lesen(tmp / "user/wappenbilder/12.jpg"), "wappen");
    EXPECT_EQ(lesen(tmp / "user/managerbilder/3.jpg"), "manager");
    // The user's own picture stays as it is on the next start; a missing one comes.
    schreiben(tmp / "user/spielerbilder/7.jpg", "eigenes");
    fs::remove(tmp / "user/wappenbilder/12.jpg");
    ASSERT_EQ(Dirs_Init(), 1);
    EXPECT_EQ(lesen(tmp / "user/spielerbilder/7.jpg"), "eigenes");
    EXPECT_EQ(lesen(tmp / "user/wappenbilder/12.jpg"), "wappen");
    // What a failed first start left: the folders, no picture.
    Reg_Write_String("USER_DIR", (tmp / "alt").c_str());
    for (const char* ordner : {"spielerbilder", "wappenbilder", "managerbilder"})
        fs::create_directories(tmp / (std::string("alt/") + ordner));
    ASSERT_EQ(Dirs_Init(), 1);
    EXPECT_EQ(lesen(tmp / "alt/spielerbilder/7.jpg"), "spieler");
    EXPECT_EQ(lesen(tmp / "alt/managerbilder/3.jpg"), "manager");
}

// A full disk (here a file-size limit below a picture's size): a first start
// whose new user directory cannot take the demo pictures fails; a user
// directory that was there already starts, the missing picture skipped with
// a log line and no cut file left, and gets it at the next start with room.
std::string g_dirs_log;
TEST(Dirs, AMissingDemoPictureWithoutRoomIsSkippedInAnExistingUserDirectory) {
    test::TempDir tmp;
    fs::create_directories(tmp / "install/demobilder/spielerbilder");
    const std::string bild(4096, 'x');
    for (const char* name : {"7.jpg", "8.jpg"}) {
        std::FILE* f = std::fopen((tmp / (std::string("install/demobilder/spielerbilder/") + name)).c_str(), "wb");
        ASSERT_NE(f, nullptr);
        std::fwrite(bild.data(), 1, bild.size(), f);
        std::fclose(f);
    }
    Reg_Write_String("Work_dir", (tmp / "install").c_str());
    Reg_Write_String("USER_DIR", (tmp / "user").c_str());
    EXPECT_EQ(test::Unter_Dateigrenze(1024, [] { return Dirs_Init() == 1; }), 1) << "a first start without room";
    fs::remove_all(tmp / "user");
    ASSERT_EQ(Dirs_Init(), 1);
    const std::string fehlt = tmp / "user/spielerbilder/8.jpg";
    ASSERT_TRUE(fs::remove(fehlt));
    EXPECT_EQ(test::Unter_Dateigrenze(1024, [&] {
                  g_dirs_log.clear();
                  Debug_Faenger_Setzen([](uint32_t, const char* text) { g_dirs_log += text; });
                  const bool ok = Dirs_Init() == 1;
                  Debug_Faenger_Setzen(nullptr);
                  return ok && g_dirs_log.find(fehlt + " nicht geschrieben: File too large") != std::string::npos;
              }),
              0);
    EXPECT_FALSE(fs::exists(fehlt));
    for (const auto& e : fs::directory_iterator(tmp / "user/spielerbilder"))
        EXPECT_EQ(e.path().filename(), "7.jpg") << "left behind: " << e.path();
    ASSERT_EQ(Dirs_Init(), 1);
    EXPECT_EQ(fs::file_size(fehlt), bild.size());
}

// An installation at "$XDG_DATA_HOME/velmora" (installed with the prefix
// ~/.local) stands where the default user directory would: the user's files
// go beside it, never into it, so the editor's save does not replace the
// installed world and an update does not write over the player's. A
// USER_DIR naming the installation (also through a link) is refused.
TEST(Dirs, TheUserDirectoryIsNeverTheInstallation) {
    test::TempDir tmp;
    const std::string install = tmp / "data-home/velmora";
    fs::create_directories(install + "/config");
    fs::create_directories(install + "/resfile");
    Reg_Write_String("Work_dir", install.c_str());
    ASSERT_EQ(Dirs_Init(), 1) << Dirs_Fehler();
    EXPECT_EQ(std::string(Dirs_Get(DIR_USER)), tmp / "data-home/velmora-user");
    EXPECT_EQ(std::string(Dirs_Get(DIR_USER_CONFIG)), tmp / "data-home/velmora-user/config");
    EXPECT_EQ(std::string(Dirs_Get(DIR_INSTALL_CONFIG)), install + "/config");
    EXPECT_FALSE(fs::exists(install + "/spielstand"));
    fs::create_directory_symlink(install, tmp / "verweis");
    for (const std::string& user : {install + "/", tmp / "verweis"}) {
        SCOPED_TRACE(user);
        Reg_Write_String("USER_DIR", user.c_str());
        EXPECT_EQ(Dirs_Init(), 0);
        EXPECT_EQ(std::string(Dirs_Fehler()).rfind("user directory ", 0), 0u) << Dirs_Fehler();
        EXPECT_NE(std::string(Dirs_Fehler()).find(": is the installation directory"), std::string::npos);
    }
    EXPECT_FALSE(fs::exists(install + "/spielstand"));
    // Any other directory is the user's, the default one too.
    Reg_Write_String("USER_DIR", (tmp / "data-home/velmora/eigener").c_str());
    EXPECT_EQ(Dirs_Init(), 1) << Dirs_Fehler();
    Reg_Write_String("USER_DIR", "");
    Reg_Write_String("Work_dir", (tmp / "data-home").c_str());
    ASSERT_EQ(Dirs_Init(), 1) << Dirs_Fehler();
    EXPECT_EQ(std::string(Dirs_Get(DIR_USER)), install);
}

TEST(Dirs, SubDirectoryNamesCanBeOverridden) {
    test::TempDir tmp;
    fs::create_directories(tmp / "install");
    Reg_Write_String("Work_dir", (tmp / "install").c_str());
    Reg_Write_String("USER_DIR", (tmp / "user").c_str());
    Reg_Write_String(("verz_" + std::to_string(DIR_SPIELSTAND)).c_str(), "saves");
    ASSERT_EQ(Dirs_Init(), 1);
    EXPECT_EQ(std::string(Dirs_Get(DIR_SPIELSTAND)), tmp / "user/saves");
    EXPECT_TRUE(fs::is_directory(tmp / "user/saves"));
}

TEST(Dirs, MissingInstallationFailsAndMinusRSelectsWorkDir2) {
    test::TempDir tmp;
    EXPECT_EQ(Dirs_Init(), 0);   // nothing set
    Reg_Write_String("Work_dir", (tmp / "fehlt").c_str());
    EXPECT_EQ(Dirs_Init(), 0);
    fs::create_directories(tmp / "zweite");
    Reg_Write_String("Work_dir2", (tmp / "zweite").c_str());
    Dirs_Setze_Registry2(true);
    EXPECT_EQ(Dirs_Init(), 1);
    EXPECT_EQ(std::string(Dirs_Get(DIR_INSTALL)), tmp / "zweite");
    Dirs_Setze_Registry2(false);
    EXPECT_EQ(Dirs_Init(), 0);
}

// The configuration cache goes to $XDG_CACHE_HOME/velmora, else ~/.cache/velmora,
// the home from the password database when HOME is unset or empty.
TEST(Dirs, TheConfigurationCacheGoesToTheCacheDirectory) {
    test::TempDir tmp;
    const char* alt = std::getenv("HOME");
    const std::string gemerkt = alt ? alt : "";
    const passwd* pw = getpwuid(getuid());
    ASSERT_NE(pw, nullptr);
    const std::string datenbank = pw->pw_dir;
    struct Fall {
        const char* xdg;    // null: unset
        const char* home;   // null: unset
        std::string erwartet;
    } faelle[] = {
        {"/xdg/cache", "/anderswo", "/xdg/cache/velmora"},
        {"", "/anderswo", "/anderswo/.cache/velmora"},
        {nullptr, "/anderswo", "/anderswo/.cache/velmora"},
        {nullptr, nullptr, datenbank + "/.cache/velmora"},
        {nullptr, "", datenbank + "/.cache/velmora"},
    };
    Config_Satz_Setzen(2);
    for (const Fall& f : faelle) {
        if (f.xdg) setenv("XDG_CACHE_HOME", f.xdg, 1);
        else unsetenv("XDG_CACHE_HOME");
        if (f.home) setenv("HOME", f.home, 1);
        else unsetenv("HOME");
        EXPECT_EQ(Dirs_Cache(), f.erwartet) << (f.xdg ? f.xdg : "-") << " " << (f.home ? f.home : "-");
        EXPECT_EQ(Config_Bin_Pfad(), f.erwartet + "/2_config.bin");
    }
    Config_Satz_Setzen(0);
    if (alt) setenv("HOME", gemerkt.c_str(), 1);
    else unsetenv("HOME");
    setenv("XDG_CACHE_HOME", (tmp / "cache-home").c_str(), 1);
    // Written there, the directory made on the way.
    ASSERT_TRUE(Config_Bin_Region_Anmelden("probe", [](std::vector<uint8_t>&) { return true; },
                                           [](const uint8_t*, size_t) { return true; }, {}));
    EXPECT_TRUE(Config_Bin_Schreiben());
    EXPECT_TRUE(fs::is_regular_file(tmp / "cache-home/velmora/0_config.bin"));
    Config_Bin_Region_Abmelden("probe");
}

TEST(Dirs, CountAndFindFiles) {
    test::TempDir tmp;
    for (const char* n : {"a.jpg", "B.JPG", "c.tga", "d.jpg"}) tmp.schreiben(std::string("bilder/") + n, "x");
    fs::create_directories(tmp / "bilder/unter.jpg");   // a directory is no file
    std::string dir = tmp / "bilder";
    EXPECT_EQ(Dirs_Count_Files(dir.c_str(), "*.jpg"), 3);
    EXPECT_EQ(Dirs_Count_Files(dir.c_str(), "?.tga"), 1);
    char namen[3][256];
    std::memset(namen, 0, sizeof namen);
    EXPECT_EQ(Dirs_Find_File(dir.c_str(), "*.jpg", 0, namen), 0);
    EXPECT_EQ(namen[0][0], 0);   // a maximum of 0 writes nothing
    EXPECT_EQ(Dirs_Find_File(dir.c_str(), "*.jpg", 2, namen), 2);
    EXPECT_EQ(namen[2][0], 0);
    EXPECT_EQ(Dirs_Find_File(dir.c_str(), "*.jpg", 3, namen), 3);
    EXPECT_EQ(Dirs_Find_File((tmp / "fehlt").c_str(), "*", 3, namen), 0);
    EXPECT_NE(Datei_Existiert((tmp / "bilder/c.tga").c_str()), 0);
    EXPECT_EQ(Datei_Existiert((tmp / "bilder/unter.jpg").c_str()), 0);
}

TEST(File, BackslashPathOpensTheFileInAnyCase) {
    test::TempDir tmp;
    tmp.schreiben("dir/file.cfg", "inhalt");
    std::string windows = tmp.pfad() + "\\dir\\File.CFG";
    int32_t h = File_Open_Read(windows.c_str());
    ASSERT_GE(h, 0);
    EXPECT_EQ(File_Size(h), 6);
    char puffer[16] = "##########";
    EXPECT_EQ(File_Read(puffer, 1, 10, h), 6);   // a short read
    EXPECT_EQ(std::string(puffer, 6), "inhalt");
    EXPECT_EQ(puffer[6], '#');                   // the rest stays as it was
    EXPECT_EQ(File_Close(h), -1);
    EXPECT_EQ(File_Open_Read((tmp / "dir/fehlt.cfg").c_str()), -1);
}

TEST(File, CreateWriteSeekAndDispositions) {
    test::TempDir tmp;
    std::string p = tmp / "neu.bin";
    EXPECT_EQ(File_Open(p.c_str(), FILE_LESEN, FILE_VORHANDEN, 0), -1);
    int32_t h = File_Create(p.c_str());
    ASSERT_GE(h, 0);
    const uint32_t werte[3] = {1, 2, 3};
    EXPECT_EQ(File_Write(werte, 4, 3, h), 12);
    File_Close(h);
    h = File_Open(p.c_str(), FILE_LESEN | FILE_SCHREIBEN, FILE_VORHANDEN, 0);
    ASSERT_GE(h, 0);
    EXPECT_EQ(File_Seek(h, 4, 0), 4);
    uint32_t w = 0;
    EXPECT_EQ(File_Read(&w, 4, 1, h), 4);
    EXPECT_EQ(w, 2u);
    EXPECT_EQ(File_Tell(h), 8);
    File_Close(h);
    h = File_Open(p.c_str(), FILE_SCHREIBEN, FILE_NEU_IMMER, 0);   // truncates
    ASSERT_GE(h, 0);
    EXPECT_EQ(File_Size(h), 0);
    File_Close(h);
    EXPECT_EQ(File_Size(-1), -1);
    EXPECT_EQ(File_Read(&w, 4, 1, -1), 0);
}

// A failed start names the directory and why, in one line; the installation
// given on the command line beats both settings.
TEST(Dirs, FailuresNameTheDirectoryAndTheCommandLineInstallationWins) {
    test::TempDir tmp;
    fs::create_directories(tmp / "install");
    fs::create_directories(tmp / "andere");
    tmp.schreiben("datei", "x");
    struct Zeile {
        std::string work_dir, user_dir, kommandozeile;
        int32_t ergebnis;
        std::string fehler;   // the start of Dirs_Fehler()
    };
    const std::vector<Zeile> tabelle = {
        {"", tmp / "user", "", 0, "no installation directory: the setting Work_dir in "},
        {tmp / "fehlt", tmp / "user", "", 0, "installation directory " + tmp / "fehlt" + ": missing"},
        {tmp / "datei", tmp / "user", "", 0, "installation directory " + tmp / "datei" + ": not a directory"},
        {tmp / "fehlt", tmp / "user", tmp / "install", 1, ""},
        {tmp / "install", tmp / "user", tmp / "fehlt", 0, "installation directory " + tmp / "fehlt" + ": missing"},
        {tmp / "install", tmp / "datei/user", "", 0, "user directory " + tmp / "datei/user" + ": not creatable ("},
    };
    for (const Zeile& z : tabelle) {
        SCOPED_TRACE(z.work_dir + " " + z.user_dir + " " + z.kommandozeile);
        Reg_Write_String("Work_dir", z.work_dir.c_str());
        Reg_Write_String("USER_DIR", z.user_dir.c_str());
        Dirs_Setze_Installation(z.kommandozeile.c_str());
        EXPECT_EQ(Dirs_Init(), z.ergebnis);
        EXPECT_EQ(std::string(Dirs_Fehler()).rfind(z.fehler, 0), 0u) << Dirs_Fehler();
        if (z.ergebnis) {
            EXPECT_STREQ(Dirs_Fehler(), "");
            EXPECT_EQ(std::string(Dirs_Get(DIR_INSTALL)), z.kommandozeile);
        }
    }
    Dirs_Setze_Installation(nullptr);
}

namespace {

// The lock on the user directory: the first taker holds it until it lets
// go; while another holds it, the state says so and stays for the game.
TEST(Dirs, TheUserDirectoryLockIsHeldByOneInstance) {
    test::TempDir tmp;
    fs::create_directories(tmp / "install");
    Reg_Write_String("Work_dir", (tmp / "install").c_str());
    Reg_Write_String("USER_DIR", (tmp / "user").c_str());
    ASSERT_EQ(Dirs_Init(), 1);
    const std::string sperre = tmp / "user/velmora.lock";
    bool fremd = false;
    // Another instance (here another open file of this process) holds it.
    int32_t andere = Plat_File_Open_Exclusive(sperre.c_str(), &fremd);
    ASSERT_GE(andere, 0);
    EXPECT_EQ(Dirs_Sperren(), DirsSperre::FREMD);
    Plat_File_Close(andere);
    EXPECT_EQ(Dirs_Sperren(), DirsSperre::FREMD) << "the state of the game's start stays";
    Dirs_Sperre_Freigeben();
    EXPECT_EQ(Dirs_Sperre(), DirsSperre::KEINE);
    EXPECT_EQ(Dirs_Sperren(), DirsSperre::GEHALTEN);
    EXPECT_EQ(Plat_File_Open_Exclusive(sperre.c_str(), &fremd), -1);
    EXPECT_TRUE(fremd);
    Dirs_Sperre_Freigeben();
    andere = Plat_File_Open_Exclusive(sperre.c_str(), &fremd);
    EXPECT_GE(andere, 0) << "let go again";
    Plat_File_Close(andere);
}

}  // namespace
