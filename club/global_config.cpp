// club/global_config.cpp - the reader and writer of "global.cfg".
#include "club/global_config.h"

#include <algorithm>
#include <cstring>

#include "club/club_config.h"
#include "club/club_netz.h"
#include "club/regeln.h"
#include "club/spieler.h"
#include "club/talente.h"
#include "club/wirtschaft.h"
#include "core/config.h"
#include "core/config_bin.h"
#include "core/debug.h"
#include "core/zahlen.h"

namespace velmora {
namespace {

constexpr int32_t FEHLER_UNBEKANNT = 101;
constexpr int32_t FEHLER_BEREICH = 103;     // a number out of its range
constexpr int32_t FEHLER_ZU_VIELE = 104;    // more sections or rows than the table holds
constexpr int32_t WARNUNG_GEKUERZT = 801;

enum Abschnitt { KEINER, ATTRIBUT, SCOUT, LAGER, KONTINENT, PARAMETER };

constexpr const char* PARAMETER_NAMEN[GP_ANZAHL] = {
    "TRAININGS_EINHEITEN_PRO_RUNDE",
    "TRAINING_PUNKTE_SCHNELL_PARAM",
    "TRAINING_PUNKTE_LANGZAM_PARAM",
    "TRAINING_PUNKTE_MAX_ZEIT_SCHNELLE_FASE",
    "TRAINING_ABSTURZ_PARAM",
    "TRAINING_EXTRA_BONUS_PARAM",
    "TRAINING_ABSTURZ_PROCENT_PARAM",
    "TRAINING_ABSTURZ_TR_PUNKTE_WEG_PARAM",
    "TRAINING_ABSTURTZ_FORM_MIN_MAX",
    "TRAINING_ABSTURTZ_ERSCHOEPFUNG_MIN_MAX",
    "TRAINING_ABSTURTZ_STAERKE_MIN_MAX",
    "TRAINING_LAGER_BALKEN_MORAL_PARAM",
    "TRAINING_LAGER_BALKEN_ERHOLUNG_PARAM",
    "TRAINING_LAGER_BALKEN_STAERKE_PARAM",
    "TRAINING_LAGER_STAERKE_PARAM",
    "TRAINING_LAGER_VERLETZUNG_PARAM",
    "STAERKE_STERNE_GRENZE",
};

struct VerletzungZeile {
    std::string text;
    int32_t gewicht = 0, von = 0, bis = 0;
};

struct GlobalModul {
    bool initialisiert = false;
    std::vector<GlobalConfigLeser> kette;
    std::vector<ScoutDaten> scouts;
    std::vector<TrLagerDaten> lager;
    std::vector<Kontinent> kontinente;
    int32_t parameter[GP_ANZAHL][GP_ZEILEN][GP_WERTE] = {};
    int32_t parameter_zeilen[GP_ANZAHL] = {};
    std::vector<VerletzungZeile> verletzungen;
};
GlobalModul g;

// The state of one read: the section being filled.
struct Leser {
    Abschnitt abschnitt = KEINER;
    int32_t attribut_id = -1;
    AttributDaten attribut{};
    ScoutDaten scout{};
    TrLagerDaten lager{};
    Kontinent kontinent{};
    bool fehlerhaft = false;   // a structural error stops the load
};

void Attribut_Leeren(AttributDaten& a) {
    a = AttributDaten{};
    for (int32_t& v : a.voraussetzung) v = -1;
    for (int32_t& v : a.schutz) v = -1;
}

void Lager_Leeren(TrLagerDaten& l) {
    l = TrLagerDaten{};
    for (int32_t& v : l.attribute) v = -1;
}

void Text_Kopieren(char* ziel, size_t groesse, const char* text) {
    std::memset(ziel, 0, groesse);
    if (std::strlen(text) >= groesse)
        Read_Config_Warnung(WARNUNG_GEKUERZT, "Text laenger als %zu Zeichen, gekuerzt (%s)", groesse - 1,
                            Read_Config_Befehl());
    std::strncpy(ziel, text, groesse - 1);
}

int32_t Zahl(int32_t lo, int32_t hi) { return Club_Config_Zahl(FEHLER_BEREICH, lo, hi); }

// Up to `max` items of the value into out; with `klemmen` silently clamped to lo..hi.
int32_t Liste(int32_t* out, int32_t max, int32_t lo, int32_t hi, bool klemmen) {
    int32_t n = Read_Config_Teile();
    if (n > max) {
        Read_Config_Warnung(WARNUNG_GEKUERZT, "mehr als %d Werte, der Rest wird nicht gelesen (%s)", max,
                            Read_Config_Befehl());
        n = max;
    }
    for (int32_t i = 0; i < n; ++i) {
        int32_t v = Read_Config_Teil_Wert(i);
        if (klemmen) v = Clamp(v, lo, hi, -1);
        else if (v < lo || v > hi) {
            Read_Config_Fehler(FEHLER_BEREICH, "Wert %d nicht in %d..%d (%s)", v, lo, hi, Read_Config_Befehl());
            v = Clamp(v, lo, hi, -1);
        }
        out[i] = v;
    }
    return n;
}

// Closes the section being read: its record goes into its table.
void Abschnitt_Schliessen(Leser& l) {
    switch (l.abschnitt) {
    case ATTRIBUT:
        if (l.attribut_id >= 0) Attribut_Daten_Setzen(l.attribut_id, l.attribut);
        break;
    case SCOUT: g.scouts.push_back(l.scout); break;
    case LAGER: g.lager.push_back(l.lager); break;
    case KONTINENT: g.kontinente.push_back(l.kontinent); break;
    default: break;
    }
    l.abschnitt = KEINER;
}

// A section keyword; false when the keyword opens none.
bool Abschnitt_Oeffnen(Leser& l, const char* b) {
    static constexpr const char* SEKTIONEN[] = {"NEUER_ATTRIBUT", "NEUER_SCOUT", "NEUER_TR_LAGER", "NEUER_KONTINENT",
                                                 "ALGEMEINE_PARAMETER"};
    bool sektion = false;
    for (const char* n : SEKTIONEN) sektion = sektion || !std::strcmp(b, n);
    if (!sektion) return false;
    Abschnitt_Schliessen(l);   // the open section counts before the new one is checked
    Abschnitt neu;
    size_t belegt, grenze;
    const char* was;
    if (!std::strcmp(b, "NEUER_ATTRIBUT")) neu = ATTRIBUT, belegt = size_t(l.attribut_id + 1), grenze = ATTRIBUT_ANZAHL, was = "Attribute";
    else if (!std::strcmp(b, "NEUER_SCOUT")) neu = SCOUT, belegt = g.scouts.size(), grenze = SCOUT_MAX, was = "Scouts";
    else if (!std::strcmp(b, "NEUER_TR_LAGER")) neu = LAGER, belegt = g.lager.size(), grenze = TR_LAGER_MAX, was = "Trainingslager";
    else if (!std::strcmp(b, "NEUER_KONTINENT")) neu = KONTINENT, belegt = g.kontinente.size(), grenze = REGIONEN, was = "Kontinente";
    else if (!std::strcmp(b, "ALGEMEINE_PARAMETER")) neu = PARAMETER, belegt = 0, grenze = 1, was = "";
    else return false;
    if (belegt >= grenze) {
        Read_Config_Fehler(FEHLER_ZU_VIELE, "mehr als %zu %s, der Abschnitt wird uebergangen", grenze, was);
        l.abschnitt = KEINER;
        return true;
    }
    l.abschnitt = neu;
    switch (neu) {
    case ATTRIBUT: ++l.attribut_id; Attribut_Leeren(l.attribut); break;
    case SCOUT: l.scout = ScoutDaten{}; break;
    case LAGER: Lager_Leeren(l.lager); break;
    case KONTINENT: l.kontinent = Kontinent{}; break;
    default: break;
    }
    return true;
}

bool Attribut_Befehl(Leser& l, const char* b) {
    AttributDaten& a = l.attribut;
    if (!std::strcmp(b, "NAME")) Text_Kopieren(a.name, sizeof a.name, Read_Config_Get_String());
    else if (!std::strcmp(b, "INFO1")) Text_Kopieren(a.info1, sizeof a.info1, Read_Config_Get_String());
    else if (!std::strcmp(b, "VORAUSSETZUNG")) Liste(a.voraussetzung, 3, -1, ATTRIBUT_ANZAHL - 1, false);
    else if (!std::strcmp(b, "MOEGLICH_WANN")) Liste(a.moeglich_wann, 2, 0, 12, false);
    else if (!std::strcmp(b, "NOETIGE_ENTWICKELUNGSPUNKTE")) a.noetige_punkte = Zahl(2, 9998);
    else if (!std::strcmp(b, "SCHUTZ_GEGEN_NEG_ATTR")) Liste(a.schutz, 3, -1, ATTRIBUT_ANZAHL - 1, false);
    else if (!std::strcmp(b, "AUSWIRKUNG_1")) Text_Kopieren(a.auswirkung[0], sizeof a.auswirkung[0], Read_Config_Get_String());
    else if (!std::strcmp(b, "AUSWIRKUNG_2")) Text_Kopieren(a.auswirkung[1], sizeof a.auswirkung[1], Read_Config_Get_String());
    else if (!std::strcmp(b, "AUSWIRKUNG_3")) Text_Kopieren(a.auswirkung[2], sizeof a.auswirkung[2], Read_Config_Get_String());
    else if (!std::strcmp(b, "ENTWICKELUNGSPUNKTE_TRAINING")) a.punkte_training = Zahl(0, 9998);
    else if (!std::strcmp(b, "KOSTPREIS_PRO_TRAINING")) a.kostpreis = Zahl(0, 999999999);
    else return false;
    return true;
}

bool Scout_Befehl(Leser& l, const char* b) {
    ScoutDaten& s = l.scout;
    if (!std::strcmp(b, "VORNAME")) Text_Kopieren(s.vorname, sizeof s.vorname, Read_Config_Get_String());
    else if (!std::strcmp(b, "NAME")) Text_Kopieren(s.name, sizeof s.name, Read_Config_Get_String());
    else if (!std::strcmp(b, "ALTER")) s.alter = Zahl(0, 120);
    else if (!std::strcmp(b, "GRUNDPREIS_FACTOR")) s.grundpreis_factor = Zahl(0, 1000);
    else if (!std::strcmp(b, "GEBIETSPREIS")) Liste(s.gebietspreis, REGIONEN, 0, 1000, false);
    else if (!std::strcmp(b, "WAHRSCHEINLICHKEITSFACTOR")) Liste(s.wahrscheinlichkeit, REGIONEN, 0, 100, true);
    else if (!std::strcmp(b, "UEBERREDUNGSKRAFT")) Liste(s.ueberredung, REGIONEN, 0, 100, true);
    else if (!std::strcmp(b, "SPIELER_STAERKE_FACTOR")) Liste(s.staerke_factor, REGIONEN, 0, 12, true);
    else return false;
    return true;
}

bool Lager_Befehl(Leser& l, const char* b) {
    TrLagerDaten& t = l.lager;
    if (!std::strcmp(b, "TR_LAGER_NAME")) Text_Kopieren(t.name, sizeof t.name, Read_Config_Get_String());
    else if (!std::strcmp(b, "TR_LAGER_ATTRIBUTE")) Liste(t.attribute, 16, -1, ATTRIBUT_STERNE, false);
    else if (!std::strcmp(b, "TR_LAGER_KOSTEN")) t.kosten = Zahl(0, 999999999);
    else if (!std::strcmp(b, "TR_LAGER_MORAL")) t.moral = Zahl(0, 1000);
    else if (!std::strcmp(b, "TR_LAGER_ERHOLUNG")) t.erholung = Zahl(0, 1000);
    else if (!std::strcmp(b, "TR_LAGER_STAERKE")) t.staerke = Zahl(0, 1000);
    else if (!std::strcmp(b, "TR_LAGER_INFO1")) Text_Kopieren(t.info1, sizeof t.info1, Read_Config_Get_String());
    else return false;
    return true;
}

bool Kontinent_Befehl(Leser& l, const char* b) {
    if (!std::strcmp(b, "NAME")) Text_Kopieren(l.kontinent.name, sizeof l.kontinent.name, Read_Config_Get_String());
    else if (!std::strcmp(b, "LISTE")) l.kontinent.liste = Read_Config_Get_Wert() ? 1 : 0;
    else return false;
    return true;
}

bool Parameter_Befehl(const char* b) {
    for (int32_t p = 0; p < GP_ANZAHL; ++p) {
        if (std::strcmp(b, PARAMETER_NAMEN[p])) continue;
        int32_t zeile = 0;
        if (p == GP_TRAINING_ABSTURZ_PROCENT_PARAM) {
            if (g.parameter_zeilen[p] >= GP_ZEILEN) {
                Read_Config_Fehler(FEHLER_ZU_VIELE, "mehr als %d Zeilen (%s)", GP_ZEILEN, b);
                return true;
            }
            zeile = g.parameter_zeilen[p];
        }
        int32_t werte[GP_WERTE] = {};
        Liste(werte, GP_WERTE, -999999999, 999999999, false);
        std::memcpy(g.parameter[p][zeile], werte, sizeof werte);
        g.parameter_zeilen[p] = std::max(g.parameter_zeilen[p], zeile + 1);
        if (p == GP_STAERKE_STERNE_GRENZE) Attribut_Sterne_Grenze_Setzen(werte[0]);
        return true;
    }
    return false;
}

// VERLETZUNG "*N", weight, days from, days to: one row of the injury table.
void Verletzung_Befehl() {
    if (g.verletzungen.size() >= size_t(VERLETZUNG_ARTEN)) {
        Read_Config_Fehler(FEHLER_ZU_VIELE, "mehr als %d Verletzungen", VERLETZUNG_ARTEN);
        return;
    }
    if (Read_Config_Teile() != 4) {
        Read_Config_Fehler(FEHLER_BEREICH, "VERLETZUNG Text, Gewicht, Tage von, Tage bis erwartet");
        return;
    }
    VerletzungZeile z;
    z.text = Read_Config_Teil_String(0);
    z.gewicht = Read_Config_Teil_Wert(1);
    z.von = Read_Config_Teil_Wert(2);
    z.bis = Read_Config_Teil_Wert(3);
    if (z.gewicht < 0 || z.gewicht > 1000000 || z.von < 0 || z.bis < z.von || z.bis > 3650) {
        Read_Config_Fehler(FEHLER_BEREICH, "Verletzung %d/%d..%d ungueltig", z.gewicht, z.von, z.bis);
        return;
    }
    g.verletzungen.push_back(z);
}

void Verletzungen_Uebergeben() {
    Verletzungsart arten[VERLETZUNG_ARTEN] = {};
    int32_t n = int32_t(g.verletzungen.size());
    for (int32_t i = 0; i < n; ++i) arten[i] = {g.verletzungen[size_t(i)].gewicht, g.verletzungen[size_t(i)].von,
                                                g.verletzungen[size_t(i)].bis};
    Spieler_Verletzungsarten_Setzen(arten, n);
}

void Tabellen_Leeren() {
    Attribut_Tabelle_Leeren();
    g.scouts.clear();
    g.lager.clear();
    g.kontinente.clear();
    std::memset(g.parameter, 0, sizeof g.parameter);
    std::memset(g.parameter_zeilen, 0, sizeof g.parameter_zeilen);
    g.verletzungen.clear();
    Transferfaktor_Leeren();
    Regeln_Standard();
}

bool Lesen(bool offen) {
    if (!offen) return false;
    if (!g.initialisiert) Global_Config_Init();
    Tabellen_Leeren();
    Leser l;
    while (const char* b = Read_Config_Next()) {
        if (Abschnitt_Oeffnen(l, b)) continue;
        bool bekannt = false;
        switch (l.abschnitt) {
        case ATTRIBUT: bekannt = Attribut_Befehl(l, b); break;
        case SCOUT: bekannt = Scout_Befehl(l, b); break;
        case LAGER: bekannt = Lager_Befehl(l, b); break;
        case KONTINENT: bekannt = Kontinent_Befehl(l, b); break;
        default: break;
        }
        if (bekannt) continue;
        if (Parameter_Befehl(b)) continue;
        if (!std::strcmp(b, "VERLETZUNG")) {
            Verletzung_Befehl();
            continue;
        }
        if (!std::strcmp(b, "INFOTEXT")) continue;
        for (GlobalConfigLeser leser : g.kette)
            if (leser(b)) {
                bekannt = true;
                break;
            }
        if (!bekannt) Read_Config_Unbekannter_Befehl(FEHLER_UNBEKANNT);
    }
    Abschnitt_Schliessen(l);
    Regeln_Datei_Ende();
    Read_Config_Close();
    Verletzungen_Uebergeben();
    return !l.fehlerhaft;
}

// Compares a fixed field with a text, ignoring the case of ASCII letters.
bool Gleich_Ohne_Gross(const char* feld, size_t groesse, const char* text) {
    size_t n = strnlen(feld, groesse);
    if (std::strlen(text) != n) return false;
    for (size_t i = 0; i < n; ++i) {
        char a = feld[i], b = text[i];
        if (a >= 'a' && a <= 'z') a = char(a - 32);
        if (b >= 'a' && b <= 'z') b = char(b - 32);
        if (a != b) return false;
    }
    return true;
}

std::string Text_Von(const char* feld, size_t groesse) { return std::string(feld, strnlen(feld, groesse)); }

}  // namespace

bool Global_Config_Leser_Anmelden(GlobalConfigLeser leser) {
    if (!leser) return false;
    if (std::find(g.kette.begin(), g.kette.end(), leser) == g.kette.end()) g.kette.push_back(leser);
    return true;
}

void Global_Config_Leser_Abmelden(GlobalConfigLeser leser) {
    g.kette.erase(std::remove(g.kette.begin(), g.kette.end(), leser), g.kette.end());
}

void Global_Config_Init() {
    g.initialisiert = true;
    Global_Config_Leser_Anmelden(Regeln_Config_Lesen);
    Global_Config_Leser_Anmelden(Transferfaktor_Config_Lesen);
    Tabellen_Leeren();
    Verletzungen_Uebergeben();
}

void Global_Config_Freigeben() {
    Tabellen_Leeren();
    Verletzungen_Uebergeben();
}

bool Global_Config_Lesen() { return Lesen(Read_Config_Open(CONFIG_GLOBAL)); }

bool Global_Config_Lesen_Text(const std::string& text, const char* anzeige) {
    return Lesen(Read_Config_Open_Text(text.data(), text.size(), anzeige ? anzeige : "global.cfg", nullptr, 0));
}

int32_t Scout_Anzahl() { return int32_t(g.scouts.size()); }
const ScoutDaten* Scout_Daten(int32_t scout) {
    return scout >= 0 && scout < Scout_Anzahl() ? &g.scouts[size_t(scout)] : nullptr;
}
bool Scout_Daten_Setzen(int32_t scout, const ScoutDaten& daten) {
    if (scout < 0 || scout > Scout_Anzahl() || scout >= SCOUT_MAX) return false;
    if (scout == Scout_Anzahl()) g.scouts.push_back(daten);
    else g.scouts[size_t(scout)] = daten;
    return true;
}

int32_t Trainingslager_Anzahl() { return int32_t(g.lager.size()); }
const TrLagerDaten* Trainingslager_Daten(int32_t lager) {
    return lager >= 0 && lager < Trainingslager_Anzahl() ? &g.lager[size_t(lager)] : nullptr;
}
bool Trainingslager_Daten_Setzen(int32_t lager, const TrLagerDaten& daten) {
    if (lager < 0 || lager > Trainingslager_Anzahl() || lager >= TR_LAGER_MAX) return false;
    if (lager == Trainingslager_Anzahl()) g.lager.push_back(daten);
    else g.lager[size_t(lager)] = daten;
    return true;
}

int32_t Kontinent_Anzahl() { return int32_t(g.kontinente.size()); }
const Kontinent* Kontinent_Daten(int32_t nummer) {
    return nummer >= 0 && nummer < Kontinent_Anzahl() ? &g.kontinente[size_t(nummer)] : nullptr;
}
bool Kontinent_Setzen(int32_t nummer, const char* name, bool liste) {
    if (nummer < 0 || nummer > Kontinent_Anzahl() || nummer >= REGIONEN || !name) return false;
    Kontinent k{};
    std::strncpy(k.name, name, sizeof k.name - 1);
    k.liste = liste ? 1 : 0;
    if (nummer == Kontinent_Anzahl()) g.kontinente.push_back(k);
    else g.kontinente[size_t(nummer)] = k;
    return true;
}
int32_t Kontinent_Suchen(const char* name) {
    if (!name) return -1;
    for (int32_t i = 0; i < Kontinent_Anzahl(); ++i)
        if (Gleich_Ohne_Gross(g.kontinente[size_t(i)].name, sizeof g.kontinente[0].name, name)) return i;
    return -1;
}

int32_t Global_Parameter(int32_t parameter, int32_t index) { return Global_Parameter_Zeile(parameter, 0, index); }
int32_t Global_Parameter_Zeile(int32_t parameter, int32_t zeile, int32_t index) {
    if (parameter < 0 || parameter >= GP_ANZAHL || zeile < 0 || zeile >= GP_ZEILEN || index < 0 || index >= GP_WERTE) {
        Debug_Printf("Global_Parameter: %d/%d/%d ungueltig\n", parameter, zeile, index);
        return 0;
    }
    return g.parameter[parameter][zeile][index];
}
int32_t Global_Parameter_Zeilen(int32_t parameter) {
    return parameter >= 0 && parameter < GP_ANZAHL ? g.parameter_zeilen[parameter] : 0;
}
bool Global_Parameter_Setzen(int32_t parameter, int32_t zeile, const int32_t* werte, int32_t anzahl) {
    if (parameter < 0 || parameter >= GP_ANZAHL || zeile < 0 || zeile >= GP_ZEILEN || !werte || anzahl < 0)
        return false;
    if (zeile > 0 && parameter != GP_TRAINING_ABSTURZ_PROCENT_PARAM) return false;
    for (int32_t i = 0; i < GP_WERTE; ++i) g.parameter[parameter][zeile][i] = i < anzahl ? werte[i] : 0;
    g.parameter_zeilen[parameter] = std::max(g.parameter_zeilen[parameter], zeile + 1);
    if (parameter == GP_STAERKE_STERNE_GRENZE) Attribut_Sterne_Grenze_Setzen(werte[0]);
    return true;
}
const char* Global_Parameter_Name(int32_t parameter) {
    return parameter >= 0 && parameter < GP_ANZAHL ? PARAMETER_NAMEN[parameter] : "";
}

int32_t Verletzung_Anzahl() { return int32_t(g.verletzungen.size()); }
bool Verletzung_Setzen(int32_t zeile, const char* text, int32_t gewicht, int32_t tage_von, int32_t tage_bis) {
    if (zeile < 0 || zeile > Verletzung_Anzahl() || zeile >= VERLETZUNG_ARTEN || !text || gewicht < 0 ||
        tage_von < 0 || tage_bis < tage_von)
        return false;
    VerletzungZeile z{text, gewicht, tage_von, tage_bis};
    if (zeile == Verletzung_Anzahl()) g.verletzungen.push_back(z);
    else g.verletzungen[size_t(zeile)] = z;
    Verletzungen_Uebergeben();
    return true;
}
const char* Spieler_Tabelle_Wert(int32_t art) {
    if (art < 0 || art >= Verletzung_Anzahl()) {
        Debug_Printf("Spieler_Tabelle_Wert: Art %d ungueltig\n", art);
        return nullptr;
    }
    return g.verletzungen[size_t(art)].text.c_str();
}

std::string Convert_Global_Config_Text(const char* beschreibung) {
    std::string o;
    Config_Schreibe_Kommentar(o, "global.cfg - talents, scouts, training camps, continents, parameters, injuries, factors");
    Config_Schreibe_Kommentar(o, beschreibung ? beschreibung : "");
    for (int32_t id = 0; id < Attribut_Tabelle_Anzahl(); ++id) {
        const AttributDaten& a = *Attribut_Daten(id);
        Config_Schreibe_Befehl(o, "NEUER_ATTRIBUT");
        Config_Schreibe_String(o, "NAME", Text_Von(a.name, sizeof a.name).c_str());
        Config_Schreibe_String(o, "INFO1", Text_Von(a.info1, sizeof a.info1).c_str());
        Config_Schreibe_Liste(o, "VORAUSSETZUNG", a.voraussetzung, 3);
        Config_Schreibe_Liste(o, "MOEGLICH_WANN", a.moeglich_wann, 2);
        Config_Schreibe_Wert(o, "NOETIGE_ENTWICKELUNGSPUNKTE", a.noetige_punkte);
        Config_Schreibe_Liste(o, "SCHUTZ_GEGEN_NEG_ATTR", a.schutz, 3);
        Config_Schreibe_String(o, "AUSWIRKUNG_1", Text_Von(a.auswirkung[0], sizeof a.auswirkung[0]).c_str());
        Config_Schreibe_String(o, "AUSWIRKUNG_2", Text_Von(a.auswirkung[1], sizeof a.auswirkung[1]).c_str());
        Config_Schreibe_String(o, "AUSWIRKUNG_3", Text_Von(a.auswirkung[2], sizeof a.auswirkung[2]).c_str());
        Config_Schreibe_Wert(o, "ENTWICKELUNGSPUNKTE_TRAINING", a.punkte_training);
        Config_Schreibe_Wert(o, "KOSTPREIS_PRO_TRAINING", a.kostpreis);
    }
    for (const ScoutDaten& s : g.scouts) {
        Config_Schreibe_Befehl(o, "NEUER_SCOUT");
        Config_Schreibe_String(o, "VORNAME", Text_Von(s.vorname, sizeof s.vorname).c_str());
        Config_Schreibe_String(o, "NAME", Text_Von(s.name, sizeof s.name).c_str());
        Config_Schreibe_Wert(o, "ALTER", s.alter);
        Config_Schreibe_Wert(o, "GRUNDPREIS_FACTOR", s.grundpreis_factor);
        Config_Schreibe_Liste(o, "GEBIETSPREIS", s.gebietspreis, REGIONEN);
        Config_Schreibe_Liste(o, "WAHRSCHEINLICHKEITSFACTOR", s.wahrscheinlichkeit, REGIONEN);
        Config_Schreibe_Liste(o, "UEBERREDUNGSKRAFT", s.ueberredung, REGIONEN);
        Config_Schreibe_Liste(o, "SPIELER_STAERKE_FACTOR", s.staerke_factor, REGIONEN);
    }
    for (const TrLagerDaten& t : g.lager) {
        Config_Schreibe_Befehl(o, "NEUER_TR_LAGER");
        Config_Schreibe_String(o, "TR_LAGER_NAME", Text_Von(t.name, sizeof t.name).c_str());
        Config_Schreibe_Liste(o, "TR_LAGER_ATTRIBUTE", t.attribute, 16);
        Config_Schreibe_Wert(o, "TR_LAGER_KOSTEN", t.kosten);
        Config_Schreibe_Wert(o, "TR_LAGER_MORAL", t.moral);
        Config_Schreibe_Wert(o, "TR_LAGER_ERHOLUNG", t.erholung);
        Config_Schreibe_Wert(o, "TR_LAGER_STAERKE", t.staerke);
        Config_Schreibe_String(o, "TR_LAGER_INFO1", Text_Von(t.info1, sizeof t.info1).c_str());
    }
    for (const Kontinent& k : g.kontinente) {
        Config_Schreibe_Befehl(o, "NEUER_KONTINENT");
        Config_Schreibe_String(o, "NAME", Text_Von(k.name, sizeof k.name).c_str());
        Config_Schreibe_JaNein(o, "LISTE", k.liste != 0);
    }
    Config_Schreibe_Befehl(o, "ALGEMEINE_PARAMETER");
    for (int32_t p = 0; p < GP_ANZAHL; ++p)
        for (int32_t z = 0; z < g.parameter_zeilen[p]; ++z)
            Config_Schreibe_Liste(o, PARAMETER_NAMEN[p], g.parameter[p][z], GP_WERTE);
    for (const VerletzungZeile& v : g.verletzungen) {
        std::string text;
        for (char c : v.text) text += c == '"' ? std::string("\"\"") : std::string(1, c);
        std::string zeile = "VERLETZUNG \"" + text + "\", " + std::to_string(v.gewicht) + ", " +
                            std::to_string(v.von) + ", " + std::to_string(v.bis) + "\n";
        o += zeile;
    }
    Regeln_Schreiben(o);
    Transferfaktor_Schreiben(o);
    return o;
}

bool Convert_Global_Config_Speichern(int32_t satz, const char* beschreibung) {
    return Config_Datei_Schreiben(satz, "global.cfg", Convert_Global_Config_Text(beschreibung));
}

bool Global_Config_Bin_Anmelden() {
    return Config_Bin_Region_Anmelden("global", Global_Config_Bin_Speichern, Global_Config_Bin_Laden,
                                      {Config_Datei_Name(CONFIG_GLOBAL)});
}

bool Global_Config_Bin_Speichern(std::vector<uint8_t>& out) {
    Attribut_Tabelle_Speichern(out);
    ClubPacker pk{out};
    pk.i32(Scout_Anzahl());
    pk.block(g.scouts.data(), g.scouts.size() * sizeof(ScoutDaten));
    pk.i32(Trainingslager_Anzahl());
    pk.block(g.lager.data(), g.lager.size() * sizeof(TrLagerDaten));
    pk.i32(Kontinent_Anzahl());
    pk.block(g.kontinente.data(), g.kontinente.size() * sizeof(Kontinent));
    for (auto& p : g.parameter)
        for (auto& z : p)
            for (int32_t v : z) pk.i32(v);
    for (int32_t z : g.parameter_zeilen) pk.i32(z);
    pk.i32(Verletzung_Anzahl());
    for (const VerletzungZeile& v : g.verletzungen) {
        pk.block_mit_laenge(v.text.data(), v.text.size());
        pk.i32(v.gewicht);
        pk.i32(v.von);
        pk.i32(v.bis);
    }
    Transferfaktor_Speichern(pk);
    Regeln_Speichern(pk);
    return true;
}

bool Global_Config_Bin_Laden(const uint8_t* daten, size_t bytes) {
    // The talent table leads the region with its fixed size.
    constexpr size_t TALENT_BYTES = 8 + sizeof(AttributDaten) * ATTRIBUT_ANZAHL;
    // A fresh program that loads the cache without reading the file needs the chain of
    // readers all the same: a save game's load reads the rules of global.cfg through it.
    if (!g.initialisiert) Global_Config_Init();
    if (!daten || bytes < TALENT_BYTES || !Attribut_Tabelle_Laden(daten, TALENT_BYTES)) return false;
    ClubLeser l{daten + TALENT_BYTES, bytes - TALENT_BYTES};
    GlobalModul neu;
    int32_t n = l.i32();
    if (l.fehler || n < 0 || n > SCOUT_MAX) return false;
    neu.scouts.resize(size_t(n));
    l.block(neu.scouts.data(), size_t(n) * sizeof(ScoutDaten));
    n = l.i32();
    if (l.fehler || n < 0 || n > TR_LAGER_MAX) return false;
    neu.lager.resize(size_t(n));
    l.block(neu.lager.data(), size_t(n) * sizeof(TrLagerDaten));
    n = l.i32();
    if (l.fehler || n < 0 || n > REGIONEN) return false;
    neu.kontinente.resize(size_t(n));
    l.block(neu.kontinente.data(), size_t(n) * sizeof(Kontinent));
    for (auto& p : neu.parameter)
        for (auto& z : p)
            for (int32_t& v : z) v = l.i32();
    for (int32_t& z : neu.parameter_zeilen) {
        z = l.i32();
        if (z < 0 || z > GP_ZEILEN) return false;
    }
    n = l.i32();
    if (l.fehler || n < 0 || n > VERLETZUNG_ARTEN) return false;
    for (int32_t i = 0; i < n; ++i) {
        size_t laenge = 0;
        const uint8_t* text = l.block_mit_laenge(&laenge);
        VerletzungZeile z;
        if (text) z.text.assign(reinterpret_cast<const char*>(text), laenge);
        z.gewicht = l.i32();
        z.von = l.i32();
        z.bis = l.i32();
        if (l.fehler || z.gewicht < 0 || z.von < 0 || z.bis < z.von) return false;
        neu.verletzungen.push_back(z);
    }
    if (!Transferfaktor_Laden(l) || !Regeln_Laden(l) || l.pos != l.bytes) return false;
    neu.initialisiert = true;
    neu.kette = g.kette;
    g = std::move(neu);
    Verletzungen_Uebergeben();
    Attribut_Sterne_Grenze_Setzen(g.parameter[GP_STAERKE_STERNE_GRENZE][0][0]);
    return true;
}

}  // namespace velmora
