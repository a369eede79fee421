// core/text.cpp - the screen texts and the game's text table.
#include "core/text.h"

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/config.h"
#include "core/config_bin.h"
#include "core/debug.h"
#include "core/le.h"

namespace velmora {
namespace {

// Error codes of the screen-text and text-table readers.
constexpr int32_t FEHLER_BEFEHL = 10;
constexpr int32_t FEHLER_OHNE_SCREEN = 11;
constexpr int32_t FEHLER_NUMMER = 12;
constexpr int32_t WARNUNG_DOPPELT = 13;
constexpr int32_t FEHLER_TEXT_FEHLT = 14;
constexpr const char* SCREEN_DATEI = "te.cfg";

struct Screen {
    std::string texte[TEXT_PRO_SCREEN];
    bool da[TEXT_PRO_SCREEN] = {};
    const char* zeiger[TEXT_PRO_SCREEN] = {};
};

struct TextDaten {
    std::map<std::string, std::unique_ptr<Screen>> screens;
    std::vector<std::string> tabelle;
    std::vector<uint8_t> tabelle_da;
    std::vector<const char*> tabelle_zeiger;

    // The pointer arrays the callers read, rebuilt after every change.
    void zeiger_bauen() {
        for (auto& [name, s] : screens)
            for (int32_t i = 0; i < TEXT_PRO_SCREEN; ++i) s->zeiger[i] = s->da[i] ? s->texte[i].c_str() : nullptr;
        tabelle_zeiger.assign(tabelle.size(), nullptr);
        for (size_t i = 0; i < tabelle.size(); ++i)
            if (tabelle_da[i]) tabelle_zeiger[i] = tabelle[i].c_str();
    }
    void tabelle_setzen(size_t n, std::string text) {
        if (n >= tabelle.size()) {
            tabelle.resize(n + 1);
            tabelle_da.resize(n + 1, 0);
        }
        tabelle[n] = std::move(text);
        tabelle_da[n] = 1;
    }
};

struct TextModul {
    bool initialisiert = false;
    TextDaten daten;
    const char* leer[TEXT_PRO_SCREEN] = {};   // what an unknown screen reads
};
TextModul g;

std::string gross(const char* s) {
    std::string r = s ? s : "";
    for (char& c : r) c = char(std::toupper(static_cast<unsigned char>(c)));
    return r;
}

// A TEXT line: its number (checked against `grenze`) and its text; false after a report.
bool text_zeile(int32_t grenze, int32_t& nummer, std::string& text) {
    if (Read_Config_Teile() < 2) {
        Read_Config_Fehler(FEHLER_TEXT_FEHLT, "Nummer und Text erwartet (TEXT %s)", Read_Config_Get_String());
        return false;
    }
    if (!Read_Config_Teil_Ist_Zahl(0)) {
        Read_Config_Fehler(FEHLER_NUMMER, "Nummer erwartet (%s)", Read_Config_Teil_String(0));
        return false;
    }
    nummer = Read_Config_Teil_Wert(0);
    if (nummer < 0 || nummer >= grenze) {
        Read_Config_Fehler(FEHLER_NUMMER, "Textnummer %d nicht in 0..%d", nummer, grenze - 1);
        return false;
    }
    text = Read_Config_Teil_String(1);
    return true;
}

bool screens_lesen(TextDaten& d) {
    if (!Read_Config_Open_Name(SCREEN_DATEI)) return false;
    Screen* aktuell = nullptr;
    while (const char* befehl = Read_Config_Next()) {
        if (!std::strcmp(befehl, "SCREEN")) {
            std::string name = gross(Read_Config_Get_String());
            if (name.empty()) {
                Read_Config_Fehler(FEHLER_TEXT_FEHLT, "Name erwartet (SCREEN)");
                aktuell = nullptr;
                continue;
            }
            auto& s = d.screens[name];
            if (!s) s = std::make_unique<Screen>();
            aktuell = s.get();
        } else if (!std::strcmp(befehl, "TEXT")) {
            int32_t n = 0;
            std::string text;
            if (!aktuell) {
                Read_Config_Fehler(FEHLER_OHNE_SCREEN, "TEXT vor dem ersten SCREEN");
            } else if (text_zeile(TEXT_PRO_SCREEN, n, text)) {
                if (aktuell->da[n]) {
                    Read_Config_Warnung(WARNUNG_DOPPELT, "Text %d doppelt, der erste gilt", n);
                } else {
                    aktuell->texte[n] = std::move(text);
                    aktuell->da[n] = true;
                }
            }
        } else if (std::strcmp(befehl, "INFOTEXT")) {
            Read_Config_Unbekannter_Befehl(FEHLER_BEFEHL);
        }
    }
    Read_Config_Close();
    return true;
}

bool tabelle_lesen(TextDaten& d) {
    if (!Read_Config_Open(CONFIG_TEXT)) return false;
    while (const char* befehl = Read_Config_Next()) {
        if (!std::strcmp(befehl, "TEXT")) {
            int32_t n = 0;
            std::string text;
            if (!text_zeile(TEXT_TABELLE_MAX, n, text)) continue;
            if (size_t(n) < d.tabelle.size() && d.tabelle_da[size_t(n)]) {
                Read_Config_Warnung(WARNUNG_DOPPELT, "Text %d doppelt, der erste gilt", n);
                continue;
            }
            d.tabelle_setzen(size_t(n), std::move(text));
        } else if (std::strcmp(befehl, "INFOTEXT")) {
            Read_Config_Unbekannter_Befehl(FEHLER_BEFEHL);
        }
    }
    Read_Config_Close();
    return true;
}

// Cache region: u32 screens; per screen: name, u32 texts, per text u32 number
// and the text; then u32 table texts, per text u32 number and the text.
bool cache_speichern(std::vector<uint8_t>& out) {
    const TextDaten& d = g.daten;
    Le_Put_U32(out, uint32_t(d.screens.size()));
    for (const auto& [name, s] : d.screens) {
        Le_Put_Text(out, name);
        uint32_t n = 0;
        for (bool da : s->da) n += da;
        Le_Put_U32(out, n);
        for (uint32_t i = 0; i < uint32_t(TEXT_PRO_SCREEN); ++i)
            if (s->da[i]) {
                Le_Put_U32(out, i);
                Le_Put_Text(out, s->texte[i]);
            }
    }
    uint32_t n = 0;
    for (uint8_t da : d.tabelle_da) n += da;
    Le_Put_U32(out, n);
    for (uint32_t i = 0; i < d.tabelle.size(); ++i)
        if (d.tabelle_da[i]) {
            Le_Put_U32(out, i);
            Le_Put_Text(out, d.tabelle[i]);
        }
    return true;
}

bool cache_laden(const uint8_t* daten, size_t bytes) {
    TextDaten d;
    LeLeser l(daten, bytes);
    uint32_t screens = l.u32();
    for (uint32_t s = 0; s < screens && l.ok; ++s) {
        std::string name = l.text();
        auto& screen = d.screens[name];
        if (screen) return false;
        screen = std::make_unique<Screen>();
        uint32_t n = l.u32();
        for (uint32_t k = 0; k < n && l.ok; ++k) {
            uint32_t i = l.u32();
            std::string text = l.text();
            if (i >= uint32_t(TEXT_PRO_SCREEN) || screen->da[i]) return false;
            screen->texte[i] = std::move(text);
            screen->da[i] = true;
        }
    }
    uint32_t n = l.u32();
    for (uint32_t k = 0; k < n && l.ok; ++k) {
        uint32_t i = l.u32();
        std::string text = l.text();
        if (i >= uint32_t(TEXT_TABELLE_MAX)) return false;
        d.tabelle_setzen(i, std::move(text));
    }
    if (!l.ok || l.rest) return false;
    d.zeiger_bauen();
    g.daten = std::move(d);
    g.initialisiert = true;
    return true;
}

}  // namespace

void Text_Init() {
    Config_Bin_Region_Anmelden("texte", cache_speichern, cache_laden,
                               {SCREEN_DATEI, Config_Datei_Name(CONFIG_TEXT)});
}

bool Text_Laden() {
    Text_Init();
    TextDaten d;
    if (!screens_lesen(d)) {
        Debug_Printf("Text_Laden: %s nicht lesbar\n", SCREEN_DATEI);
        return false;
    }
    if (!tabelle_lesen(d)) {
        Debug_Printf("Text_Laden: Texttabelle nicht lesbar\n");
        return false;
    }
    d.zeiger_bauen();
    g.daten = std::move(d);
    g.initialisiert = true;
    return true;
}

void Text_Free() {
    g.daten = TextDaten{};
    g.initialisiert = false;
}

const char* const* Text_cfg(const char* screen) {
    if (!g.initialisiert || !screen) {
        Debug_Printf("Text_cfg: keine Texte fuer %s\n", screen ? screen : "(null)");
        return g.leer;
    }
    auto s = g.daten.screens.find(gross(screen));
    if (s == g.daten.screens.end()) {
        Debug_Printf("Text_cfg: Screen %s unbekannt\n", screen);
        return g.leer;
    }
    return s->second->zeiger;
}

const char* Text_Get(const char* screen, int32_t nummer) {
    if (nummer < 0 || nummer >= TEXT_PRO_SCREEN) {
        Debug_Printf("Text_Get: Nummer %d ungueltig\n", nummer);
        return nullptr;
    }
    return Text_cfg(screen)[nummer];
}

const char* Text_Oder_Leer(const char* screen, int32_t nummer) {
    const char* t = Text_Get(screen, nummer);
    return t ? t : "";
}

const char* Text_Tabelle(int32_t nummer) {
    if (nummer < 0 || size_t(nummer) >= g.daten.tabelle_zeiger.size()) {
        Debug_Printf("Text_Tabelle: Nummer %d nicht in der Tabelle\n", nummer);
        return nullptr;
    }
    return g.daten.tabelle_zeiger[size_t(nummer)];
}

const char* const* Text_Tabelle_Array(int32_t* anzahl) {
    if (anzahl) *anzahl = int32_t(g.daten.tabelle_zeiger.size());
    return g.daten.tabelle_zeiger.empty() ? g.leer : g.daten.tabelle_zeiger.data();
}

int32_t Text_Screen_Anzahl() { return int32_t(g.daten.screens.size()); }

const char* Str_Referenz_Aufloesen(const char** text, const char* const* tabelle, int32_t anzahl) {
    if (!text || !*text) return nullptr;
    const char* t = *text;
    if (t[0] != '*' || !std::isdigit(static_cast<unsigned char>(t[1]))) return t;
    char* ende = nullptr;
    long n = std::strtol(t + 1, &ende, 10);
    if (*ende) return t;   // "*3a" is no reference
    if (!tabelle || n >= anzahl || n < 0) {
        Debug_Printf("Str_Referenz_Aufloesen: %s nicht in der Tabelle (%d)\n", t, anzahl);
        *text = nullptr;
        return nullptr;
    }
    *text = tabelle[n];
    return *text;
}

}  // namespace velmora
