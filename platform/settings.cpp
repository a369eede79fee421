// platform/settings.cpp - the registry as an INI-style settings file.
#include "platform/settings.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "platform/display.h"
#include "platform/files.h"

namespace velmora {
namespace {

using Section = std::map<std::string, std::string>;
using Settings = std::map<std::string, Section>;

std::mutex g_lock;   // the codec's probe may read from another thread than the shell

std::string trim(const std::string& s) {
    size_t a = s.find_first_not_of(" \t\r");
    if (a == std::string::npos) return {};
    size_t b = s.find_last_not_of(" \t\r");
    return s.substr(a, b - a + 1);
}

Settings load(const std::string& file) {
    Settings all;
    std::vector<uint8_t> raw;
    if (!Plat_Read_All(file.c_str(), raw)) return all;
    std::string text(raw.begin(), raw.end());
    std::string section;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string::npos) end = text.size();
        std::string line = trim(text.substr(pos, end - pos));
        pos = end + 1;
        if (line.empty() || line[0] == ';' || line[0] == '#') continue;
        if (line.front() == '[' && line.back() == ']') {
            section = line.substr(1, line.size() - 2);
            continue;
        }
        size_t eq = line.find('=');
        if (eq == std::string::npos) continue;   // a broken line is skipped, the rest still counts
        all[section][trim(line.substr(0, eq))] = trim(line.substr(eq + 1));
    }
    return all;
}

bool store(const std::string& file, const Settings& all) {
    std::string text;
    for (const auto& [name, sec] : all) {
        text += "[" + name + "]\n";
        for (const auto& [k, v] : sec) text += k + "=" + v + "\n";
        text += "\n";
    }
    std::string dir = file.substr(0, file.rfind('/'));
    Plat_Make_Dirs(dir.c_str());
    return Plat_Write_Atomic(file.c_str(), text.data(), text.size());
}

// Values hold no line breaks: they would split the line when read back.
std::string one_line(const char* v) {
    std::string s(v ? v : "");
    for (char& c : s)
        if (c == '\n' || c == '\r') c = ' ';
    return s;
}

}  // namespace

std::string Plat_Settings_File() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    std::string base;
    if (xdg && *xdg) {
        base = xdg;
    } else {
        std::string home = Plat_Home();
        base = (home.empty() ? std::string(".") : home) + "/.config";
    }
    return base + "/velmora/settings.ini";
}

bool Plat_Settings_Read(const char* key_path, const char* name, std::string& out) {
    if (!key_path || !name) return false;
    std::lock_guard<std::mutex> lock(g_lock);
    Settings all = load(Plat_Settings_File());
    auto s = all.find(key_path);
    if (s == all.end()) return false;
    auto v = s->second.find(name);
    if (v == s->second.end()) return false;
    out = v->second;
    return true;
}

bool Plat_Settings_Write(const char* key_path, const char* name, const char* value) {
    if (!key_path || !name || !*name) return false;
    std::lock_guard<std::mutex> lock(g_lock);
    std::string file = Plat_Settings_File();
    Settings all = load(file);
    const std::string neu = one_line(value);
    // The file already says so (a value set again, as the last save's slot
    // after every autosave): it is not written, flushed and renamed again.
    auto abschnitt = all.find(key_path);
    if (abschnitt != all.end()) {
        auto v = abschnitt->second.find(name);
        if (v != abschnitt->second.end() && v->second == neu) return true;
    }
    all[key_path][name] = neu;
    if (store(file, all)) return true;
    // Said once, not swallowed: what the game keeps there is lost until it can be written.
    static bool gemeldet = false;
    if (!gemeldet) {
        gemeldet = true;
        Plat_Stderr_Zeile(("the settings file " + file + " cannot be written: " + std::strerror(errno)).c_str());
    }
    return false;
}

bool Plat_Settings_Read_U32(const char* key_path, const char* name, uint32_t& out) {
    std::string s;
    if (!Plat_Settings_Read(key_path, name, s) || s.empty()) return false;
    char* end = nullptr;
    unsigned long long v = std::strtoull(s.c_str(), &end, 0);
    if (end == s.c_str() || *end != 0 || v > 0xFFFFFFFFull) return false;
    out = uint32_t(v);
    return true;
}

bool Plat_Settings_Write_U32(const char* key_path, const char* name, uint32_t value) {
    return Plat_Settings_Write(key_path, name, std::to_string(value).c_str());
}

}  // namespace velmora
