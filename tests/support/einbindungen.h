// tests/support/einbindungen.h - where a room of the house includes a header
// of a room it must not know: the checks that keep the art generators out of
// the game, and the drawing kit and the menu framework free of the clubs, the
// season and the game's pictures; and where the menu framework names one of
// the game's icon numbers.
#pragma once
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>
#include <utility>
#include <vector>

namespace velmora_test {

// The .h, .cpp and .c files in the folders `ordner` of `wurzel`, with their
// subfolders. A folder that does not exist is skipped.
inline std::vector<std::filesystem::path> Quelldateien(const std::filesystem::path& wurzel,
                                                       const std::vector<std::string>& ordner) {
    namespace fs = std::filesystem;
    std::vector<fs::path> dateien;
    for (const std::string& o : ordner) {
        if (!fs::is_directory(wurzel / o)) continue;
        for (const auto& e : fs::recursive_directory_iterator(wurzel / o)) {
            const std::string ext = e.path().extension().string();
            if (e.is_regular_file() && (ext == ".h" || ext == ".cpp" || ext == ".c")) dateien.push_back(e.path());
        }
    }
    return dateien;
}

// Every "folder/file:line" of the .h, .cpp and .c files in `ordner` (below
// `wurzel`, with their subfolders) that includes a header of one of
// `verboten`: "x/a.h", <x/a.h> or "../x/a.h", with or without spaces after
// the '#'. A folder that does not exist is skipped.
inline std::vector<std::string> Einbindungen(const std::filesystem::path& wurzel, const std::vector<std::string>& ordner,
                                             const std::vector<std::string>& verboten) {
    namespace fs = std::filesystem;
    std::vector<std::string> funde;
    for (const fs::path& datei : Quelldateien(wurzel, ordner)) {
        std::ifstream in(datei);
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
                    funde.push_back(fs::relative(datei, wurzel).string() + ":" + std::to_string(n));
                    break;
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

// A number range that a check looks for, with its name.
struct NummernBereich {
    const char* name;
    int32_t erste, letzte;
};

// The text of a C++ file with its comments, string and character literals
// blanked (line breaks kept, so lines still count). A quote after a digit is
// a digit separator (1'000), no character literal.
inline std::string Ohne_Kommentare(const std::string& text) {
    std::string aus = text;
    enum { CODE, ZEILE, BLOCK, TEXT, ZEICHEN } z = CODE;
    for (size_t i = 0; i < aus.size(); ++i) {
        const char c = text[i], n = i + 1 < text.size() ? text[i + 1] : '\0';
        switch (z) {
        case CODE:
            if (c == '/' && n == '/') z = ZEILE, aus[i] = ' ';
            else if (c == '/' && n == '*') z = BLOCK, aus[i] = ' ';
            else if (c == '"') z = TEXT;
            else if (c == '\'' && !(i > 0 && std::isdigit(static_cast<unsigned char>(text[i - 1])))) z = ZEICHEN;
            break;
        case ZEILE:
            if (c == '\n') z = CODE;
            else aus[i] = ' ';
            break;
        case BLOCK:
            if (c == '*' && n == '/') z = CODE, aus[i] = aus[i + 1] = ' ', ++i;
            else if (c != '\n') aus[i] = ' ';
            break;
        case TEXT:
        case ZEICHEN:
            if (c == '\\') aus[i] = ' ', aus[i + 1] = aus[i + 1] == '\n' ? '\n' : ' ', ++i;
            else if (c == (z == TEXT ? '"' : '\'')) z = CODE;
            else if (c != '\n') aus[i] = ' ';
            break;
        }
    }
    return aus;
}

// Every "folder/file:line: number" of the .h, .cpp and .c files in `ordner`
// (below `wurzel`, with their subfolders) whose code (not a comment, not a
// string) writes a decimal integer literal that lies in one of `bereiche`.
// Hexadecimal numbers, the digits of a floating-point number and digits
// inside a name are no such literal.
inline std::vector<std::string> Nummern(const std::filesystem::path& wurzel, const std::vector<std::string>& ordner,
                                        const std::vector<NummernBereich>& bereiche) {
    namespace fs = std::filesystem;
    static const std::regex ZAHL(R"((^|[^\w.'])(\d+)[uUlL]*(?![\w.']))");
    std::vector<std::string> funde;
    for (const fs::path& datei : Quelldateien(wurzel, ordner)) {
        std::ifstream in(datei, std::ios::binary);
        const std::string code = Ohne_Kommentare(std::string(std::istreambuf_iterator<char>(in), {}));
        size_t anfang = 0;
        for (int32_t n = 1; anfang <= code.size(); ++n) {
            size_t ende = code.find('\n', anfang);
            if (ende == std::string::npos) ende = code.size();
            const std::string zeile = code.substr(anfang, ende - anfang);
            for (std::sregex_iterator m(zeile.begin(), zeile.end(), ZAHL), aus; m != aus; ++m) {
                const std::string ziffern = (*m)[2].str();
                if (ziffern.size() > 9 || (ziffern.size() > 1 && ziffern[0] == '0')) continue;
                const int32_t zahl = std::stoi(ziffern);
                for (const NummernBereich& b : bereiche)
                    if (zahl >= b.erste && zahl <= b.letzte) {
                        funde.push_back(fs::relative(datei, wurzel).string() + ":" + std::to_string(n) + ": " + ziffern +
                                        " (" + b.name + ")");
                        break;
                    }
            }
            anfang = ende + 1;
        }
    }
    std::sort(funde.begin(), funde.end());
    return funde;
}

}  // namespace velmora_test
