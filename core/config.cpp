// core/config.cpp - the configuration reader and writer.
#include "core/config.h"

#include <array>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string_view>
#include <vector>

#include "core/debug.h"
#include "core/dirs.h"
#include "core/meldung.h"
#include "core/reg.h"
#include "core/str.h"
#include "platform/files.h"

namespace velmora {
namespace {

constexpr const char* STANDARD_NAMEN[CONFIG_DATEIEN] = {
    "spieler.cfg", "team.cfg", "wettbewerb.cfg", "personal.cfg",
    "zeitplan.cfg", "global.cfg", "text.cfg", "ereignis.cfg",
};

// The reader's own error codes; the files' readers use their own (101, 902, ...).
constexpr int32_t FEHLER_BEFEHL = 1;
constexpr int32_t FEHLER_STRING = 2;
constexpr int32_t FEHLER_ZAHL = 3;
constexpr int32_t FEHLER_ALIAS = 4;
constexpr int32_t FEHLER_WERT = 5;

struct Teil {
    std::string text;   // a string without its quotes, else the item as written
    bool string = false;
    bool gemeldet = false;   // an unknown alias, reported once already; reads 0 and ""
};

struct ConfigModul {
    int32_t satz = 0;
    bool offen = false;
    std::string datei;                             // name shown in the messages
    std::string inhalt;                            // the whole file
    size_t pos = 0;                                // start of the next line
    int32_t zeile = 0;                             // line of the current keyword
    int32_t naechste_zeile = 1;
    std::map<std::string, std::string> aliase;     // upper-case name -> value as written
    std::string befehl;
    std::string roh;                               // the value as written, aliases replaced
    // A value without aliases is its line's text: kept as a view into `inhalt`
    // and copied into `roh` only when it is asked for.
    std::string_view roh_ansicht;
    bool roh_als_ansicht = false;
    std::vector<Teil> teile;
    int32_t fehler = 0;
};
ConfigModul g;
bool g_allgemein = false;   // the quick paths are off (Read_Config_Allgemein)

std::string gross(std::string s) {
    for (char& c : s) c = char(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

constexpr bool ist_befehl_zeichen(char c) { return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_'; }

// The characters' parts in the grammar, looked up once per character.
constexpr uint8_t ZK_BEFEHL = 1;       // may stand in a keyword
constexpr uint8_t ZK_WORTENDE = 2;     // ends a bare word: blank, tab, comma, quote, ';'
constexpr uint8_t ZK_SCHRAEG = 4;      // '/': ends a bare word when doubled
constexpr std::array<uint8_t, 256> ZEICHENKLASSEN = [] {
    std::array<uint8_t, 256> k{};
    for (int c = 0; c < 256; ++c) {
        if (ist_befehl_zeichen(char(c))) k[size_t(c)] |= ZK_BEFEHL;
        if (c == ' ' || c == '\t' || c == ',' || c == '"' || c == ';') k[size_t(c)] |= ZK_WORTENDE;
        if (c == '/') k[size_t(c)] |= ZK_SCHRAEG;
    }
    return k;
}();
uint8_t zeichenklasse(char c) { return ZEICHENKLASSEN[static_cast<unsigned char>(c)]; }
bool ist_alias_zeichen(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-'; }

void melden(const char* art, int32_t code, const char* format, va_list args) {
    char text[600];
    std::vsnprintf(text, sizeof text, format ? format : "", args);
    Meldung("[%d] %s in %s:\n - (%d) %s\n\n", g.zeile, art, g.datei.c_str(), code, text);
}

// Splits a value into items. Strings run to the next lone quote ("" inside is
// one quote); "#name" is replaced by the alias's value, whose items are taken
// as written there; ";" or "//" outside a string end the line. False when a
// string is not closed (the items so far are kept).
bool zerlegen(std::string_view wert, std::vector<Teil>& teile, std::string& roh, bool aliase_aufloesen) {
    size_t i = 0;
    const size_t n = wert.size();
    while (i < n) {
        char c = wert[i];
        if (c == ' ' || c == '\t' || c == ',') {
            roh += c;
            ++i;
            continue;
        }
        if (c == ';' || (c == '/' && i + 1 < n && wert[i + 1] == '/')) break;
        if (c == '"') {
            size_t start = i;
            Teil t;
            t.string = true;
            ++i;
            bool zu = false;
            while (i < n) {
                if (wert[i] == '"') {
                    if (i + 1 < n && wert[i + 1] == '"') {
                        t.text += '"';
                        i += 2;
                        continue;
                    }
                    zu = true;
                    ++i;
                    break;
                }
                t.text += wert[i++];
            }
            roh.append(wert.substr(start, i - start));
            teile.push_back(std::move(t));
            if (!zu) return false;
            continue;
        }
        size_t start = i;
        while (i < n && wert[i] != ' ' && wert[i] != '\t' && wert[i] != ',' && wert[i] != '"' && wert[i] != ';' &&
               !(wert[i] == '/' && i + 1 < n && wert[i + 1] == '/'))
            ++i;
        std::string wort(wert.substr(start, i - start));
        if (aliase_aufloesen && wort.size() > 1 && wort[0] == '#') {
            auto a = g.aliase.find(gross(wort.substr(1)));
            if (a == g.aliase.end()) {
                Read_Config_Fehler(FEHLER_ALIAS, "Unbekannter Alias (%s)", wort.c_str());
                teile.push_back({"", false, true});
                continue;
            }
            std::string alias_roh;
            zerlegen(a->second, teile, alias_roh, false);
            roh += alias_roh;
            continue;
        }
        roh += wort;
        teile.push_back({wort, false});
    }
    while (!roh.empty() && (roh.back() == ' ' || roh.back() == '\t')) roh.pop_back();
    return true;
}

// zerlegen for a value that needs no alias resolved: the same items and the
// same text as written, taken in pieces instead of character by character
// (a world's files hold hundreds of thousands of lines).
bool zerlegen_ohne_alias(std::string_view wert, std::vector<Teil>& teile, std::string_view& roh) {
    size_t i = 0;
    const size_t n = wert.size();
    while (i < n) {
        const char c = wert[i];
        if (c == ' ' || c == '\t' || c == ',') {
            ++i;
            continue;
        }
        if (c == ';' || (c == '/' && i + 1 < n && wert[i + 1] == '/')) break;
        if (c == '"') {
            Teil& t = teile.emplace_back();
            t.string = true;
            ++i;
            bool zu = false;
            while (i < n) {
                const size_t q = wert.find('"', i);
                if (q == std::string_view::npos) {
                    t.text.append(wert.substr(i));
                    i = n;
                    break;
                }
                t.text.append(wert.substr(i, q - i));
                if (q + 1 < n && wert[q + 1] == '"') {
                    t.text += '"';
                    i = q + 2;
                    continue;
                }
                zu = true;
                i = q + 1;
                break;
            }
            if (!zu) {
                roh = wert;   // an open string runs to the end, and nothing is trimmed
                return false;
            }
            continue;
        }
        const size_t start = i;
        for (; i < n; ++i) {
            const uint8_t k = zeichenklasse(wert[i]);
            if ((k & ZK_WORTENDE) || ((k & ZK_SCHRAEG) && i + 1 < n && wert[i + 1] == '/')) break;
        }
        teile.emplace_back().text.assign(wert.substr(start, i - start));
    }
    size_t ende = i;
    while (ende > 0 && (wert[ende - 1] == ' ' || wert[ende - 1] == '\t')) --ende;
    roh = wert.substr(0, ende);
    return true;
}

// The items of the current line's value: without a "#" in it no alias can be named.
bool zerlegen_wert(std::string_view wert) {
    if (!g_allgemein && wert.find('#') == std::string_view::npos) {
        g.roh_als_ansicht = true;
        return zerlegen_ohne_alias(wert, g.teile, g.roh_ansicht);
    }
    return zerlegen(wert, g.teile, g.roh, true);
}

// The next line of a text: its content without the line break.
bool naechste_zeile(const std::string& text, size_t& pos, std::string_view& zeile) {
    if (pos >= text.size()) return false;
    const char* anfang = text.data() + pos;
    const void* nl = std::memchr(anfang, '\n', text.size() - pos);
    const size_t ende = nl ? size_t(static_cast<const char*>(nl) - text.data()) : text.size();
    zeile = std::string_view(anfang, ende - pos);
    if (!zeile.empty() && zeile.back() == '\r') zeile.remove_suffix(1);
    pos = ende + 1;
    return true;
}

// Splits a line into its keyword and value text; false for an empty or comment line.
bool befehl_zeile(std::string_view zeile, std::string& befehl, std::string_view& wert, bool& gueltig) {
    size_t i = 0;
    while (i < zeile.size() && (zeile[i] == ' ' || zeile[i] == '\t')) ++i;
    gueltig = true;
    if (i == zeile.size() || zeile[i] == ';' || (zeile[i] == '/' && i + 1 < zeile.size() && zeile[i + 1] == '/'))
        return false;
    size_t start = i;
    while (i < zeile.size() && (zeichenklasse(zeile[i]) & ZK_BEFEHL)) ++i;
    befehl.clear();
    befehl.append(zeile.data() + start, i - start);
    bool trenner = i == zeile.size() || zeile[i] == ' ' || zeile[i] == '\t' || zeile[i] == '=' || zeile[i] == '"' ||
                   zeile[i] == ';';
    if (befehl.empty() || !(befehl[0] >= 'A' && befehl[0] <= 'Z') || !trenner) {
        size_t ende = zeile.find_first_of(" \t", start);
        befehl.assign(zeile.substr(start, ende == std::string_view::npos ? std::string_view::npos : ende - start));
        gueltig = false;
        return true;
    }
    while (i < zeile.size() && (zeile[i] == ' ' || zeile[i] == '\t')) ++i;
    if (i < zeile.size() && zeile[i] == '=') ++i;
    wert = zeile.substr(i);
    return true;
}

// Reads the ALIAS lines of an alias file: ALIAS <name> <value ...>.
void aliase_lesen(const std::string& text, const std::string& anzeige) {
    size_t pos = 0;
    std::string_view zeile, wert;
    std::string befehl;
    int32_t nr = 0;
    while (naechste_zeile(text, pos, zeile)) {
        ++nr;
        bool gueltig = false;
        if (!befehl_zeile(zeile, befehl, wert, gueltig)) continue;
        size_t i = 0;
        while (i < wert.size() && ist_alias_zeichen(wert[i])) ++i;
        std::string name(wert.substr(0, i));
        size_t v = wert.find_first_not_of(" \t,=", i);
        if (!gueltig || befehl != "ALIAS" || name.empty() || v == std::string_view::npos) {
            ++g.fehler;
            Meldung("[%d] Syntax-Error in %s:\n - (%d) %s\n\n", nr, anzeige.c_str(), FEHLER_BEFEHL,
                    Str_Format("ALIAS <Name> <Wert> erwartet (%.100s)", std::string(zeile).c_str()));
            continue;
        }
        g.aliase[gross(name)] = std::string(wert.substr(v));
    }
}

std::string anzeige_name(const char* pfad) {
    std::string p = pfad;
    size_t s = p.find_last_of("/\\");
    return s == std::string::npos ? p : p.substr(s + 1);
}

// "x.cfg" -> "x_alias.cfg"; other names get "_alias.cfg" appended.
void oeffnen(std::string text, std::string anzeige, const std::string* alias_text, const std::string& alias_anzeige) {
    Read_Config_Close();
    g.inhalt = std::move(text);
    if (g.inhalt.compare(0, 3, "\xEF\xBB\xBF") == 0) g.inhalt.erase(0, 3);
    g.datei = std::move(anzeige);
    g.offen = true;
    if (alias_text) aliase_lesen(*alias_text, alias_anzeige);
}

bool datei_lesen(const std::string& pfad, std::string& out) {
    std::vector<uint8_t> roh;
    if (!Plat_Read_All(Plat_Path(pfad.c_str()).c_str(), roh)) return false;
    out.assign(roh.begin(), roh.end());
    return true;
}

// A plain decimal number with an optional sign, as most values are written:
// read without strtoll. False for anything else (also a number past 32 bits),
// which zahl_lesen then reads the general way (same result, only slower).
bool zahl_kurz(const std::string& text, int32_t& wert) {
    const char* p = text.data();
    const char* ende = p + text.size();
    if (p != ende && *p == '+') ++p;   // from_chars takes a minus only
    if (p == ende || *p == '+' || (*p == '-' && text[0] == '+')) return false;
    int32_t v = 0;
    const auto [rest, fehler] = std::from_chars(p, ende, v);
    if (fehler != std::errc() || rest != ende) return false;
    wert = v;
    return true;
}

bool zahl_lesen(const Teil& t, int32_t& wert) {
    if (!g_allgemein && !t.string && zahl_kurz(t.text, wert)) return true;
    // A text that starts like a number is none of the yes and no words: only
    // the others need the upper-case copy.
    const unsigned char erstes = t.text.empty() ? 0 : (unsigned char)t.text[0];
    if (!std::isdigit(erstes) && erstes != '-' && erstes != '+') {
        std::string g_text = gross(t.text);
        if (g_text == "JA" || g_text == "YES") return wert = 1, true;
        if (g_text == "NEIN" || g_text == "NO") return wert = 0, true;
    }
    if (t.string || t.text.empty()) return false;
    const char* s = t.text.c_str();
    char* ende = nullptr;
    errno = 0;
    long long v = std::strtoll(s, &ende, 10);
    if (*ende || errno == ERANGE || v < INT32_MIN || v > INT32_MAX || !(std::isdigit((unsigned char)s[0]) || s[0] == '-' || s[0] == '+'))
        return false;
    wert = int32_t(v);
    return true;
}

// A line put together in a buffer and appended to the text in one piece (or
// in a few for a very long one): the same characters as appending each.
class Zeile {
public:
    Zeile(std::string& out, const char* befehl) : out_(out) {
        const size_t n = befehl ? std::strlen(befehl) : 0;
        if (n > sizeof puffer_ / 2) {
            out_.append(befehl, n);
            return;
        }
        if (n > 0) std::memcpy(puffer_, befehl, n);   // no command: nothing to copy (and no pointer to copy from)
        n_ = n;
    }
    ~Zeile() { out_.append(puffer_, n_); }
    void zeichen(char c) {
        if (n_ == sizeof puffer_) leeren();
        puffer_[n_++] = c;
    }
    void zahl(int32_t wert) {
        if (sizeof puffer_ - n_ < 12) leeren();
        n_ = size_t(std::to_chars(puffer_ + n_, puffer_ + sizeof puffer_, wert).ptr - puffer_);
    }

private:
    void leeren() {
        out_.append(puffer_, n_);
        n_ = 0;
    }
    std::string& out_;
    char puffer_[256];
    size_t n_ = 0;
};

void schreibe_text(std::string& out, const char* text) {
    out += '"';
    for (const char* p = text ? text : ""; *p; ++p) {
        if (*p == '"') out += "\"\"";
        else if (*p == '\n' || *p == '\r') out += ' ';
        else out += *p;
    }
    out += '"';
}

}  // namespace

void Config_Satz_Setzen(int32_t satz) {
    if (satz < 0) {
        Debug_Printf("Config_Satz_Setzen: Satz %d ungueltig\n", satz);
        return;
    }
    g.satz = satz;
}

int32_t Config_Satz() { return g.satz; }

std::string Config_Datei_Name(int32_t datei) {
    if (datei < 0 || datei >= CONFIG_DATEIEN) {
        Debug_Printf("Config_Datei_Name: Datei %d unbekannt\n", datei);
        return "";
    }
    char name[100] = {};
    Reg_Read_String(Str_Format("conf_%d", datei), name, sizeof name);
    return name[0] ? std::string(name) : std::string(STANDARD_NAMEN[datei]);
}

std::string Config_Alias_Name(const std::string& name) {
    if (name.size() > 4 && gross(name.substr(name.size() - 4)) == ".CFG")
        return name.substr(0, name.size() - 4) + "_alias.cfg";
    return name + "_alias.cfg";
}

std::string Config_Pfad(int32_t satz, const char* name) {
    if (!name || !*name) return "";
    for (int32_t verz : {DIR_USER_CONFIG, DIR_INSTALL_CONFIG}) {
        const char* basis = Dirs_Get(verz);
        if (!*basis) continue;
        std::string pfad = Str_Format("%s\\%d_%s", basis, satz, name);
        if (Plat_Is_File(Plat_Path(pfad.c_str()).c_str())) return pfad;
    }
    return "";
}

std::string Config_Pfad_Anzeige(int32_t satz, const char* name) {
    const std::string pfad = Config_Pfad(satz, name);
    if (!pfad.empty()) return Plat_Path(pfad.c_str());
    return Str_Format("%s/%d_%s", Dirs_Get(DIR_INSTALL_CONFIG), satz, name ? name : "");
}

bool Read_Config_Open(int32_t datei) {
    std::string name = Config_Datei_Name(datei);
    if (name.empty()) return false;
    return Read_Config_Open_Name(name.c_str());
}

bool Read_Config_Open_Name(const char* name) {
    if (!name || !*name) {
        Debug_Printf("Read_Config_Open_Name: kein Name\n");
        return false;
    }
    std::string pfad = Config_Pfad(g.satz, name);
    std::string text;
    if (pfad.empty() || !datei_lesen(pfad, text)) {
        Debug_Printf("Read_Config_Open: %d_%s nicht gefunden\n", g.satz, name);
        Read_Config_Close();
        return false;
    }
    std::string partner = Config_Alias_Name(name);
    std::string alias_pfad = Config_Pfad(g.satz, partner.c_str());
    std::string alias_text;
    bool mit_alias = !alias_pfad.empty() && datei_lesen(alias_pfad, alias_text);
    oeffnen(std::move(text), name, mit_alias ? &alias_text : nullptr, partner);
    return true;
}

bool Read_Config_Open_Pfad(const char* pfad, const char* anzeige) {
    std::string text;
    if (!pfad || !datei_lesen(pfad, text)) {
        Debug_Printf("Read_Config_Open_Pfad: %s nicht lesbar\n", pfad ? pfad : "(null)");
        Read_Config_Close();
        return false;
    }
    std::string alias_pfad = Config_Alias_Name(pfad);
    std::string alias_text;
    bool mit_alias = datei_lesen(alias_pfad, alias_text);
    oeffnen(std::move(text), anzeige ? anzeige : anzeige_name(pfad), mit_alias ? &alias_text : nullptr,
            anzeige_name(alias_pfad.c_str()));
    return true;
}

bool Read_Config_Open_Text(const char* text, size_t bytes, const char* anzeige, const char* alias_text,
                           size_t alias_bytes) {
    if (!text && bytes) return false;
    std::string alias = alias_text ? std::string(alias_text, alias_bytes) : std::string();
    std::string name = anzeige ? anzeige : "(Text)";
    oeffnen(std::string(text ? text : "", bytes), name, alias_text ? &alias : nullptr, Config_Alias_Name(name));
    return true;
}

void Read_Config_Close() {
    g.offen = false;
    g.inhalt.clear();
    g.datei.clear();
    g.pos = 0;
    g.zeile = 0;
    g.naechste_zeile = 1;
    g.aliase.clear();
    g.befehl.clear();
    g.roh.clear();
    g.roh_ansicht = {};
    g.roh_als_ansicht = false;
    g.teile.clear();
    g.fehler = 0;
}

const char* Read_Config_Next() {
    g.befehl.clear();
    g.roh.clear();
    g.roh_ansicht = {};
    g.roh_als_ansicht = false;
    g.teile.clear();
    if (!g.offen) return nullptr;
    std::string_view zeile, wert;
    while (naechste_zeile(g.inhalt, g.pos, zeile)) {
        g.zeile = g.naechste_zeile++;
        bool gueltig = false;
        if (!befehl_zeile(zeile, g.befehl, wert, gueltig)) continue;
        if (!gueltig) {
            Read_Config_Fehler(FEHLER_BEFEHL, "Befehl erwartet (%.100s)", g.befehl.c_str());
            g.befehl.clear();
            continue;
        }
        if (!zerlegen_wert(wert)) Read_Config_Fehler(FEHLER_STRING, "String nicht abgeschlossen");
        return g.befehl.c_str();
    }
    return nullptr;
}

int32_t Read_Config_Teile() { return int32_t(g.teile.size()); }

bool Read_Config_Teil_Ist_Zahl(int32_t i) {
    int32_t wert = 0;
    return i >= 0 && i < int32_t(g.teile.size()) && zahl_lesen(g.teile[size_t(i)], wert);
}

int32_t Read_Config_Teil_Wert(int32_t i) {
    if (g.befehl.empty()) {
        Debug_Printf("Read_Config_Get_Wert: kein Befehl\n");
        return 0;
    }
    if (i < 0 || i >= int32_t(g.teile.size())) {
        Read_Config_Fehler(FEHLER_WERT, "Wert fehlt (%s)", g.befehl.c_str());
        return 0;
    }
    int32_t wert = 0;
    if (g.teile[size_t(i)].gemeldet) return 0;
    if (!zahl_lesen(g.teile[size_t(i)], wert)) {
        Read_Config_Fehler(FEHLER_ZAHL, "Zahl erwartet (%s %.100s)", g.befehl.c_str(), g.teile[size_t(i)].text.c_str());
        return 0;
    }
    return wert;
}

int32_t Read_Config_Get_Wert() { return Read_Config_Teil_Wert(0); }

const char* Read_Config_Teil_String(int32_t i) {
    if (i < 0 || i >= int32_t(g.teile.size())) return "";
    return g.teile[size_t(i)].text.c_str();
}

const char* Read_Config_Get_String() {
    if (g.teile.size() == 1) return g.teile[0].text.c_str();
    if (g.roh_als_ansicht) {
        g.roh.assign(g.roh_ansicht);
        g.roh_als_ansicht = false;
    }
    return g.roh.c_str();
}

void Read_Config_Allgemein(bool an) { g_allgemein = an; }

int32_t Read_Config_Zeile() { return g.zeile; }
const char* Read_Config_Datei() { return g.datei.c_str(); }
const char* Read_Config_Befehl() { return g.befehl.c_str(); }
int32_t Read_Config_Fehler_Anzahl() { return g.fehler; }

void Read_Config_Fehler(int32_t code, const char* format, ...) {
    ++g.fehler;
    va_list args;
    va_start(args, format);
    melden("Syntax-Error", code, format, args);
    va_end(args);
}

void Read_Config_Warnung(int32_t code, const char* format, ...) {
    va_list args;
    va_start(args, format);
    melden("Warning", code, format, args);
    va_end(args);
}

void Read_Config_Unbekannter_Befehl(int32_t code) {
    Read_Config_Fehler(code, "Unbekannter Befehl (%s)", g.befehl.c_str());
}

void Config_Schreibe_Kommentar(std::string& out, const char* text) {
    out += "; ";
    for (const char* p = text ? text : ""; *p; ++p) out += (*p == '\n' || *p == '\r') ? ' ' : *p;
    out += '\n';
}

void Config_Schreibe_Befehl(std::string& out, const char* befehl) {
    out += befehl ? befehl : "";
    out += '\n';
}

void Config_Schreibe_Wert(std::string& out, const char* befehl, int32_t wert) {
    // The same text as "%s %d\n", without the format machinery and put
    // together before it is appended: a world's files hold about a million such lines.
    Zeile z(out, befehl);
    z.zeichen(' ');
    z.zahl(wert);
    z.zeichen('\n');
}

void Config_Schreibe_String(std::string& out, const char* befehl, const char* text) {
    out += befehl ? befehl : "";
    out += ' ';
    schreibe_text(out, text);
    out += '\n';
}

void Config_Schreibe_JaNein(std::string& out, const char* befehl, bool wert) {
    out += Str_Format("%s %s\n", befehl ? befehl : "", wert ? "JA" : "NEIN");
}

void Config_Schreibe_Liste(std::string& out, const char* befehl, const int32_t* werte, int32_t anzahl) {
    Zeile z(out, befehl);
    for (int32_t i = 0; werte && i < anzahl; ++i) {
        if (i) z.zeichen(',');
        z.zeichen(' ');
        z.zahl(werte[i]);
    }
    z.zeichen('\n');
}

void Config_Schreibe_Nummer_String(std::string& out, const char* befehl, int32_t nummer, const char* text) {
    out += Str_Format("%s %d, ", befehl ? befehl : "", nummer);
    schreibe_text(out, text);
    out += '\n';
}

bool Config_Datei_Schreiben(int32_t satz, const char* name, const std::string& text) {
    const char* basis = Dirs_Get(DIR_USER_CONFIG);
    if (!name || !*name || !*basis) {
        Debug_Printf("Config_Datei_Schreiben: kein Name oder kein Verzeichnis\n");
        return false;
    }
    std::string pfad = Plat_Path(Str_Format("%s\\%d_%s", basis, satz, name));
    Plat_Make_Dirs(basis);
    if (!Plat_Write_Atomic(pfad.c_str(), text.data(), text.size())) {
        Debug_Printf("Config_Datei_Schreiben: %s nicht geschrieben\n", pfad.c_str());
        return false;
    }
    return true;
}

}  // namespace velmora
