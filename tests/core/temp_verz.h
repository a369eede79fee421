// tests/core/temp_verz.h - a fresh temporary directory per test, removed afterwards.
#pragma once
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace velmora_test {

struct TempVerz {
    std::filesystem::path pfad;
    TempVerz() {
        std::random_device rd;
        pfad = std::filesystem::temp_directory_path() / ("velmora_test_" + std::to_string(rd()) + std::to_string(rd()));
        std::filesystem::create_directories(pfad);
    }
    ~TempVerz() {
        std::error_code ec;
        std::filesystem::remove_all(pfad, ec);
    }
    std::string operator/(const std::string& name) const { return (pfad / name).string(); }
    void schreiben(const std::string& name, const std::string& text) const {
        std::filesystem::create_directories((pfad / name).parent_path());
        std::ofstream(pfad / name, std::ios::binary) << text;
    }
};

}  // namespace velmora_test

#include <cstdlib>

#include "core/dirs.h"
#include "core/reg.h"

namespace velmora_test {

// An installation and a user directory in a temporary directory, with the
// settings file and the cache directory there too, and the directory table
// set up on them.
struct TestWelt {
    TempVerz temp;
    std::string install, user;
    TestWelt() {
        install = temp / "install";
        user = temp / "user";
        std::filesystem::create_directories(install + "/config");
        std::filesystem::create_directories(install + "/resfile");
        setenv("XDG_CONFIG_HOME", (temp / "settings").c_str(), 1);
        setenv("XDG_CACHE_HOME", (temp / "cache").c_str(), 1);
        velmora::Reg_Write_String("Work_dir", install.c_str());
        velmora::Reg_Write_String("USER_DIR", user.c_str());
        ok = velmora::Dirs_Init() == 1;
    }
    bool ok = false;
    void install_datei(const std::string& name, const std::string& text) const {
        temp.schreiben("install/" + name, text);
    }
    void user_datei(const std::string& name, const std::string& text) const { temp.schreiben("user/" + name, text); }
};

}  // namespace velmora_test
