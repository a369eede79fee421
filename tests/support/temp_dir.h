// tests/support/temp_dir.h - a temporary directory per test, with the settings
// file, the user data directory and the cache directory pointed into it.
#pragma once
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace velmora::test {

class TempDir {
public:
    TempDir() {
        std::string vorlage = (std::filesystem::temp_directory_path() / "velmora-XXXXXX").string();
        if (!mkdtemp(vorlage.data())) std::abort();
        pfad_ = vorlage;
        setenv("XDG_CONFIG_HOME", (pfad_ + "/config-home").c_str(), 1);
        setenv("XDG_DATA_HOME", (pfad_ + "/data-home").c_str(), 1);
        setenv("XDG_CACHE_HOME", (pfad_ + "/cache-home").c_str(), 1);
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(pfad_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& pfad() const { return pfad_; }
    std::string operator/(const std::string& name) const { return pfad_ + "/" + name; }

    // Writes a file below the directory, making its parents.
    std::string schreiben(const std::string& name, const std::string& inhalt) const {
        std::filesystem::path p = std::filesystem::path(pfad_) / name;
        std::filesystem::create_directories(p.parent_path());
        std::ofstream(p, std::ios::binary) << inhalt;
        return p.string();
    }

private:
    std::string pfad_;
};

// How many temporary files of an atomic write ("<file>.tmp-XXXXXX") lie beside `datei`.
inline size_t temporaere(const std::string& datei) {
    std::filesystem::path p(datei);
    const std::string anfang = p.filename().string() + ".tmp-";
    size_t n = 0;
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator(p.parent_path(), ec))
        if (e.path().filename().string().rfind(anfang, 0) == 0) ++n;
    return n;
}

}  // namespace velmora::test
