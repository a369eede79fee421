// The run directories: a gone run's is removed, a live one's, a kept one's and
// anything not made by a run stay.
#include "platform/laufordner.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "tests/support/temp_dir.h"

using namespace velmora;
namespace fs = std::filesystem;

TEST(PlatLaufordner, AGoneRunsDirectoryGoesTheRestStays) {
    test::TempDir tmp;
    const std::string basis = tmp.pfad();
    // A run that ended without removing its directories; one of them kept on purpose.
    pid_t kind = fork();
    if (kind == 0) {
        std::string fehler;
        const std::string gegangen = Plat_Laufordner_Anlegen(basis, "lauf_", &fehler);
        const std::string behalten = Plat_Laufordner_Anlegen(basis, "lauf_", &fehler);
        Plat_Laufordner_Behalten(behalten);
        _exit(gegangen.empty() || behalten.empty() ? 1 : 0);
    }
    int status = -1;
    ASSERT_EQ(waitpid(kind, &status, 0), kind);
    ASSERT_EQ(status, 0);
    std::string fehler;
    const std::string eigener = Plat_Laufordner_Anlegen(basis, "lauf_", &fehler);
    ASSERT_FALSE(eigener.empty()) << fehler;
    fs::create_directories(basis + "/lauf_fremd");
    tmp.schreiben("lauf_datei", "x");
    tmp.schreiben("anders_AbCdEf/.lauf", "");
    EXPECT_EQ(std::distance(fs::directory_iterator(basis), fs::directory_iterator()), 6);
    EXPECT_EQ(Plat_Laufordner_Aufraeumen(basis, "lauf_"), 1);
    EXPECT_EQ(std::distance(fs::directory_iterator(basis), fs::directory_iterator()), 5);
    EXPECT_TRUE(fs::exists(eigener + "/.lauf")) << "this live run's stays";
    EXPECT_EQ(Plat_Laufordner_Aufraeumen(basis, "lauf_"), 0);
    EXPECT_EQ(Plat_Laufordner_Anlegen(basis + "/fehlt", "lauf_", &fehler), "");
    EXPECT_NE(fehler.find(basis + "/fehlt"), std::string::npos) << fehler;
}
