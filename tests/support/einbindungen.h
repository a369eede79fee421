// tests/support/einbindungen.h - where a room of the house includes a header
// of a room it must not know: the checks that keep the art generators out of
// the game, and the drawing kit and the menu framework free of the clubs, the
// season and the game's pictures.
#pragma once
#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace velmora_test {

// Every "folder/file:line" of the .h, .cpp and .c files in `ordner` (below
// `wurzel`, with their subfolders) that includes a header of one of
// `verboten`: "x/a.h", <x/a.h> or "../x/a.h", with or without spaces after
// the '#'. A folder that does not exist is skipped.
inline std::vector<std::string> Einbindungen(const std::filesystem::path& wurzel, const std::vector<std::string>& ordner,
                                             const std::vector<std::string>& verboten) {
    namespace fs = std::filesystem;
    std::vector<std::string> funde;
    for (const std::string& o : ordner) {
        if (!fs::is_directory(wurzel / o)) continue;
        for (const auto& e : fs::recursive_directory_iterator(wurzel / o)) {
            const std::string ext = e.path().extension().string();
            if (!e.is_regular_file() || (ext != ".h" && ext != ".cpp" && ext != ".c")) continue;
            std::ifstream in(e.path());
            std::string zeile;
            for (int32_t n = 1; std::getline(in, zeile); ++n) {
                size_t i = zeile.find_first_not_of(" \t");
                if (i == std::string::npos || zeile[i] != '#') continue;
                i = zeile.find_first_not_of(" \t", i + 1);
                if (i == std::string::npos || zeile.compare(i, 7, "include") != 0) continue;
                i = zeile.find_first_of("\"<", i + 7);
                if (i == std::string::npos) continue;
                std::string pfad = zeile.substr(i + 1, zeile.find_first_of("\">", i + 1) - i - 1);
                while (pfad.starts_with("../") || pfad.starts_with("./")) pfad.erase(0, pfad.find('/') + 1);
                for (const std::string& v : verboten)
                    if (pfad.starts_with(v + "/")) {
                        funde.push_back(fs::relative(e.path(), wurzel).string() + ":" + std::to_string(n));
                        break;
                    }
            }
        }
    }
    return funde;
}

// The findings, one indented line each, for a failure's message.
inline std::string Einbindungen_Liste(const std::vector<std::string>& funde) {
    std::string liste;
    for (const std::string& f : funde) liste += "\n  " + f;
    return liste;
}

// A case of the check itself: a file with its text, and the "folder/file:line"
// the check must name in it ("" none).
struct EinbindungsFall {
    const char* datei;
    const char* text;
    const char* fund;
};

// Writes the cases' files below `wurzel` and runs the check over `ordner`:
// what it found and what it should have found, both sorted.
inline std::pair<std::vector<std::string>, std::vector<std::string>> Einbindungen_Faelle(
    const std::filesystem::path& wurzel, const std::vector<std::string>& ordner,
    const std::vector<std::string>& verboten, const std::vector<EinbindungsFall>& faelle) {
    std::vector<std::string> erwartet;
    for (const EinbindungsFall& f : faelle) {
        std::filesystem::create_directories((wurzel / f.datei).parent_path());
        std::ofstream(wurzel / f.datei, std::ios::binary) << f.text;
        if (*f.fund) erwartet.push_back(f.fund);
    }
    std::vector<std::string> funde = Einbindungen(wurzel, ordner, verboten);
    std::sort(funde.begin(), funde.end());
    std::sort(erwartet.begin(), erwartet.end());
    return {funde, erwartet};
}

}  // namespace velmora_test
