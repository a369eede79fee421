// bench/temp_ordner.h - a benchmark's working folder under the temporary
// directory, one per process: two benchmark processes at once (two builds
// compared side by side, or two people on one machine) never remove or write
// each other's world. The folder goes when the process ends.
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <system_error>

namespace velmora::bench {

// `<tmp>/<name>_<pid>`, emptied on its first use in this process.
inline std::string Temp_Ordner(const std::string& name) {
    struct Ordner {
        std::map<std::string, std::filesystem::path> pfade;
        ~Ordner() {
            std::error_code ec;
            for (const auto& [n, p] : pfade) std::filesystem::remove_all(p, ec);
        }
    };
    static Ordner ordner;
    auto it = ordner.pfade.find(name);
    if (it == ordner.pfade.end()) {
        std::filesystem::path p = std::filesystem::temp_directory_path() / (name + "_" + std::to_string(getpid()));
        std::error_code ec;
        std::filesystem::remove_all(p, ec);
        it = ordner.pfade.emplace(name, p).first;
    }
    return it->second.string();
}

}  // namespace velmora::bench
