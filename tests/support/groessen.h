// tests/support/groessen.h - the house's size rules read off the source tree:
// how long each file is and how long each function body runs, so that a test
// can name the files and functions that outgrew the rule.
#pragma once
#include <cctype>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace velmora_test {

struct Laenge {
    std::string wo;     // "folder/file" or "folder/file:line" of a function's head
    std::string name;   // the function's name ("" for a file)
    int32_t zeilen = 0;
};

// The text with comments, string and character literals blanked out (line
// breaks kept, so line numbers still hold) and preprocessor lines emptied:
// what is left are the braces and words of the code itself.
inline std::string Nur_Code(const std::string& t) {
    std::string o = t;
    const size_t n = t.size();
    size_t i = 0;
    bool zeilenanfang = true;
    auto leeren = [&](size_t a, size_t b) {
        for (size_t k = a; k < b && k < n; ++k)
            if (o[k] != '\n') o[k] = ' ';
    };
    while (i < n) {
        const char c = t[i];
        if (c == '\n') {
            zeilenanfang = true;
            ++i;
            continue;
        }
        if (zeilenanfang && c == '#') {   // a directive, with its continuation lines
            size_t e = i;
            while (e < n && (t[e] != '\n' || (e > 0 && t[e - 1] == '\\'))) ++e;
            leeren(i, e);
            i = e;
            continue;
        }
        if (c != ' ' && c != '\t') zeilenanfang = false;
        if (c == '/' && i + 1 < n && t[i + 1] == '/') {
            size_t e = t.find('\n', i);
            if (e == std::string::npos) e = n;
            leeren(i, e);
            i = e;
        } else if (c == '/' && i + 1 < n && t[i + 1] == '*') {
            size_t e = t.find("*/", i + 2);
            e = e == std::string::npos ? n : e + 2;
            leeren(i, e);
            i = e;
        } else if (c == 'R' && i + 1 < n && t[i + 1] == '"' && (i == 0 || !(std::isalnum(uint8_t(t[i - 1])) || t[i - 1] == '_'))) {
            const size_t auf = t.find('(', i + 2);
            if (auf == std::string::npos) break;
            const std::string ende = ")" + t.substr(i + 2, auf - i - 2) + "\"";
            size_t e = t.find(ende, auf);
            e = e == std::string::npos ? n : e + ende.size();
            leeren(i + 1, e);
            i = e;
        } else if (c == '"' || (c == '\'' && !(i > 0 && std::isxdigit(uint8_t(t[i - 1])) && i + 1 < n &&
                                               std::isxdigit(uint8_t(t[i + 1]))))) {
            // A literal up to its unescaped closing quote; a quote between two
            // hex digits is a digit separator (0xFF'FF), not a literal.
            size_t e = i + 1;
            while (e < n && t[e] != c && t[e] != '\n') e += t[e] == '\\' ? 2 : 1;
            leeren(i + 1, e);
            i = e + 1;
        } else {
            ++i;
        }
    }
    return o;
}

// The functions of one source text with the lines they take, from the line
// where the head starts to the line of the closing brace. A function
// is a brace at namespace or class level whose head (the words since the
// last ';', '{' or '}') holds a parameter list and no '='; braces inside a
// function (blocks, lambdas, local classes) count towards it.
inline std::vector<Laenge> Funktionen(const std::string& text, const std::string& datei) {
    const std::string c = Nur_Code(text);
    std::vector<Laenge> funde;
    enum Art { HUELLE, TYP, DATEN, FUNKTION };
    struct Offen {
        Art art;
        int32_t zeile;
        std::string name;
    };
    std::vector<Offen> stapel;
    std::string kopf;
    int32_t zeile = 1, kopf_zeile = 1;   // kopf_zeile: where the head's first word stands
    auto in_funktion = [&] {
        for (const Offen& o : stapel)
            if (o.art == FUNKTION || o.art == DATEN) return true;
        return false;
    };
    auto wort = [](const std::string& k, const char* w) {
        const size_t l = std::char_traits<char>::length(w);
        for (size_t p = k.find(w); p != std::string::npos; p = k.find(w, p + 1)) {
            const bool vorn = p == 0 || !(std::isalnum(uint8_t(k[p - 1])) || k[p - 1] == '_');
            const bool hinten = p + l >= k.size() || !(std::isalnum(uint8_t(k[p + l])) || k[p + l] == '_');
            if (vorn && hinten) return true;
        }
        return false;
    };
    for (char ch : c) {
        if (ch == '\n') ++zeile;
        if (ch == '{') {
            Offen o{DATEN, kopf_zeile, ""};
            if (in_funktion()) {
                o.art = DATEN;   // a block inside a function or an initialiser
            } else {
                const size_t klammer = kopf.find('(');
                const size_t gleich = kopf.find('=');
                const bool operator_gleich = wort(kopf, "operator");
                if (wort(kopf, "namespace") || wort(kopf, "extern")) {
                    o.art = HUELLE;
                } else if (klammer != std::string::npos && (gleich == std::string::npos || gleich > klammer || operator_gleich)) {
                    o.art = FUNKTION;
                    size_t e = klammer;
                    while (e > 0 && kopf[e - 1] == ' ') --e;
                    size_t a = e;
                    auto im_namen = [&](char z) {
                        return std::isalnum(uint8_t(z)) || z == '_' || z == ':' || z == '~' ||
                               (operator_gleich && std::string_view("=<>!+-*/%&|^[]").find(z) != std::string_view::npos);
                    };
                    while (a > 0 && im_namen(kopf[a - 1])) --a;
                    o.name = kopf.substr(a, e - a);
                } else if (gleich == std::string::npos &&
                           (wort(kopf, "struct") || wort(kopf, "class") || wort(kopf, "union") || wort(kopf, "enum"))) {
                    o.art = TYP;
                }
            }
            stapel.push_back(o);
            kopf.clear();
        } else if (ch == '}') {
            if (!stapel.empty()) {
                const Offen o = stapel.back();
                stapel.pop_back();
                if (o.art == FUNKTION) funde.push_back({datei + ":" + std::to_string(o.zeile), o.name, zeile - o.zeile + 1});
            }
            kopf.clear();
        } else if (ch == ';') {
            kopf.clear();
        } else {
            if (ch != ' ' && ch != '\n' && ch != '\t' && kopf.find_first_not_of(' ') == std::string::npos) kopf_zeile = zeile;
            kopf += ch == '\n' || ch == '\t' ? ' ' : ch;
        }
    }
    return funde;
}

// Every .h, .cpp and .c file below the folders `ordner` of `wurzel` with its
// line count, and every function in them with its body's lines.
inline void Groessen(const std::filesystem::path& wurzel, const std::vector<std::string>& ordner,
                     std::vector<Laenge>& dateien, std::vector<Laenge>& funktionen) {
    namespace fs = std::filesystem;
    for (const std::string& o : ordner) {
        if (!fs::is_directory(wurzel / o)) continue;
        for (const auto& e : fs::recursive_directory_iterator(wurzel / o)) {
            const std::string ext = e.path().extension().string();
            if (!e.is_regular_file() || (ext != ".h" && ext != ".cpp" && ext != ".c")) continue;
            std::ifstream in(e.path(), std::ios::binary);
            std::stringstream s;
            s << in.rdbuf();
            const std::string text = s.str();
            const std::string name = fs::relative(e.path(), wurzel).generic_string();
            int32_t zeilen = 0;
            for (char ch : text) zeilen += ch == '\n';
            if (!text.empty() && text.back() != '\n') ++zeilen;
            dateien.push_back({name, "", zeilen});
            for (Laenge& f : Funktionen(text, name)) funktionen.push_back(std::move(f));
        }
    }
}

}  // namespace velmora_test
