// club/club_config.cpp - readers and writers of team.cfg and spieler.cfg.
#include "club/club_config.h"

#include <cstring>
#include <vector>

#include "club/club_netz.h"
#include "club/spieler.h"
#include "club/team.h"
#include "core/config.h"
#include "core/config_bin.h"
#include "core/debug.h"
#include "core/meldung.h"
#include "core/str.h"
#include "core/zahlen.h"

namespace velmora {
namespace {

constexpr int32_t FEHLER_UNBEKANNT = 201;   // team.cfg and spieler.cfg share their codes
constexpr int32_t FEHLER_AUSSERHALB = 202;  // a keyword before the first record
constexpr int32_t FEHLER_BEREICH = 203;     // a number out of its range
constexpr int32_t FEHLER_STRUKTUR = 204;    // the load stops
constexpr int32_t FEHLER_TEAM_VOLL = 205;
constexpr int32_t WARNUNG_GEKUERZT = 801;
constexpr uint32_t TEAM_STATUS_DATEI = TEAM_STATUS_1 | TEAM_STATUS_LAND | TEAM_STATUS_WAPPEN;
// A stadium's limits as team.cfg allows them; every other way in keeps to them too,
// so that seats plus terrace places always fit a capacity.
constexpr int32_t STADION_PLAETZE_MAX = 200000;
constexpr size_t STADION_NAME_MAX = 47;

// One team as team.cfg gives it; the builder makes the teams once all are read.
struct TeamDatei {
    std::string name, kurz, stadt, kuerzel;
    uint32_t status = 0;
    bool markt = false;
    int32_t nation = -1, kontinent = 0, wappen = 0, wappenwert = 0, teamwert = 0, zweitclub = -1;
    int32_t klima[3] = {100, 100, 0};
    int32_t farben[36] = {};
    int32_t trikot[4] = {};
    StadionVorgabe stadion;
    bool hat_stadion = false;
};

struct ClubConfigModul {
    std::vector<StadionVorgabe> stadien;   // per team; an empty name: none
    std::vector<std::string> kuerzel;      // per team; empty: taken from the shown name
    std::vector<std::string> kuerzel_vorgabe;   // the shown name's first characters, as last asked
};
ClubConfigModul g;

int32_t Zahl(int32_t lo, int32_t hi) { return Club_Config_Zahl(FEHLER_BEREICH, lo, hi); }

void Liste(int32_t* out, int32_t anzahl, int32_t lo, int32_t hi) {
    int32_t n = Read_Config_Teile();
    if (n != anzahl)
        Read_Config_Fehler(FEHLER_BEREICH, "%d Werte erwartet, %d gegeben (%s)", anzahl, n, Read_Config_Befehl());
    for (int32_t i = 0; i < n && i < anzahl; ++i) {
        int32_t v = Read_Config_Teil_Wert(i);
        if (v < lo || v > hi) {
            Read_Config_Fehler(FEHLER_BEREICH, "Wert %d nicht in %d..%d (%s)", v, lo, hi, Read_Config_Befehl());
            v = Clamp(v, lo, hi, -1);
        }
        out[i] = v;
    }
}

std::string Text(size_t groesse) {
    std::string t = Read_Config_Get_String();
    if (t.size() >= groesse) {
        Read_Config_Warnung(WARNUNG_GEKUERZT, "Text laenger als %zu Zeichen, gekuerzt (%s)", groesse - 1,
                            Read_Config_Befehl());
        t.resize(groesse - 1);
    }
    return t;
}

bool Team_Befehl(TeamDatei& t, const char* b) {
    if (!std::strcmp(b, "NAME")) t.name = Text(sizeof TeamStruktur::name);
    else if (!std::strcmp(b, "KURZNAME")) t.kurz = Text(sizeof TeamStruktur::name_kurz);
    else if (!std::strcmp(b, "STADT")) t.stadt = Text(sizeof TeamStruktur::stadt);
    else if (!std::strcmp(b, "KUERZEL")) t.kuerzel = Text(TEAM_KUERZEL_MAX + 1);
    else if (!std::strcmp(b, "STATUS")) t.status = uint32_t(Zahl(0, int32_t(TEAM_STATUS_DATEI))) & TEAM_STATUS_DATEI;
    else if (!std::strcmp(b, "TRANSFERMARKT")) t.markt = Read_Config_Get_Wert() != 0;
    else if (!std::strcmp(b, "NATION")) t.nation = Zahl(-1, TEAM_MAX - 1);
    else if (!std::strcmp(b, "KONTINENT")) t.kontinent = Zahl(0, 14);
    else if (!std::strcmp(b, "KLIMA")) Liste(t.klima, 3, 0, 255);
    else if (!std::strcmp(b, "WAPPEN")) t.wappen = Zahl(0, 32767);
    else if (!std::strcmp(b, "WAPPENWERT")) t.wappenwert = Read_Config_Get_Wert();
    else if (!std::strcmp(b, "TEAMWERT")) t.teamwert = Zahl(0, 1000);
    else if (!std::strcmp(b, "ZWEITCLUB")) t.zweitclub = Zahl(-1, TEAM_MAX - 1);
    else if (!std::strcmp(b, "FARBEN")) Liste(t.farben, 36, 0, 255);
    else if (!std::strcmp(b, "TRIKOT")) Liste(t.trikot, 4, 0, 239);
    else if (!std::strcmp(b, "STADION")) {
        // STADION "name", seats, terrace places
        if (Read_Config_Teile() != 3 || Read_Config_Teil_Ist_Zahl(0)) {
            Read_Config_Fehler(FEHLER_BEREICH, "STADION Name, Sitzplaetze, Stehplaetze erwartet");
            return true;
        }
        t.stadion.name = Read_Config_Teil_String(0);
        if (t.stadion.name.size() > STADION_NAME_MAX) t.stadion.name.resize(STADION_NAME_MAX);
        t.stadion.sitze = Clamp(Read_Config_Teil_Wert(1), 0, STADION_PLAETZE_MAX, -1);
        t.stadion.stehplaetze = Clamp(Read_Config_Teil_Wert(2), 0, STADION_PLAETZE_MAX, -1);
        t.hat_stadion = !t.stadion.name.empty();
    } else return false;
    return true;
}

// Makes the teams of a read file; references to teams that do not exist are dropped with a log line.
bool Teams_Bauen(const std::vector<TeamDatei>& teams) {
    if (!Team_Init(int32_t(teams.size()))) return false;
    int32_t n = int32_t(teams.size());
    g.stadien.assign(size_t(n), StadionVorgabe{});
    g.kuerzel.assign(size_t(n), std::string());
    for (int32_t i = 0; i < n; ++i) {
        const TeamDatei& t = teams[size_t(i)];
        Team_Namen_Setzen(i, t.name.c_str(), t.kurz.c_str(), t.stadt.c_str());
        Team_Wert(TW_STATUS, i, int32_t(t.status), OP_ERSETZEN);
        if (t.markt && !Team_Markt_Setzen(i)) Debug_Printf("Team: zweiter Transfermarkt %d uebergangen\n", i);
        if (t.nation >= n) Debug_Printf("Team: Nation %d von Team %d gibt es nicht\n", t.nation, i);
        else Team_Wert(TW_NATION, i, t.nation, OP_SCHREIBEN);
        Team_Wert(TW_KONTINENT, i, t.kontinent, OP_SCHREIBEN);
        Team_Wert(TW_WAPPEN, i, t.wappen, OP_SCHREIBEN);
        Team_Wert(TW_WAPPENWERT, i, t.wappenwert, OP_SCHREIBEN);
        Team_Wert(TW_TEAMWERT, i, t.teamwert, OP_SCHREIBEN);
        if (t.zweitclub < n) Team_Wert(TW_ZWEITCLUB, i, t.zweitclub, OP_SCHREIBEN);
        for (int32_t k = 0; k < 4; ++k) Team_Wert(TW_TRIKOT_MODI[k], i, t.trikot[k], OP_SCHREIBEN);
        uint8_t farben[36];
        for (int32_t k = 0; k < 36; ++k) farben[k] = uint8_t(t.farben[k]);
        Team_Zeiger(TZ_FARBEN, i, farben, OP_SCHREIBEN);
        if (uint8_t* klima = static_cast<uint8_t*>(Team_Zeiger(TZ_KLIMA, i, nullptr, OP_LESEN)))
            for (int32_t k = 0; k < 3; ++k) klima[k] = uint8_t(t.klima[k]);
        if (t.hat_stadion) g.stadien[size_t(i)] = t.stadion;
        g.kuerzel[size_t(i)] = t.kuerzel;
    }
    return true;
}

bool Team_Lesen(bool offen) {
    if (!offen) return false;
    std::vector<TeamDatei> teams;
    bool abbruch = false;
    while (const char* b = Read_Config_Next()) {
        if (!std::strcmp(b, "NEUES_TEAM")) {
            if (int32_t(teams.size()) >= TEAM_MAX) {
                Read_Config_Fehler(FEHLER_STRUKTUR, "mehr als %d Teams", TEAM_MAX);
                abbruch = true;
                break;
            }
            teams.emplace_back();
            continue;
        }
        if (!std::strcmp(b, "INFOTEXT")) continue;
        if (teams.empty()) {
            Read_Config_Fehler(FEHLER_AUSSERHALB, "%s vor dem ersten NEUES_TEAM", b);
            continue;
        }
        if (!Team_Befehl(teams.back(), b)) Read_Config_Unbekannter_Befehl(FEHLER_UNBEKANNT);
    }
    Read_Config_Close();
    if (abbruch) return false;
    return Teams_Bauen(teams);
}

// One player as spieler.cfg gives it.
struct SpielerDatei {
    int32_t team = -1;
    SpielerStruktur s{};
    SpielerFix f{};
    int32_t rueckennummer = 0;
    bool scout = false;
};

void Spieler_Leeren(SpielerDatei& p) {
    p = SpielerDatei{};
    p.s.partner = -1;
    p.s.verein_gezeigt = -1;
    p.s.verletzung = -1;
    p.f.nation = -1;
}

void Name_Kopieren(char* ziel, size_t groesse) {
    std::string t = Text(groesse + 1);   // the fields need no terminating zero
    std::memset(ziel, 0, groesse);
    std::memcpy(ziel, t.data(), t.size() < groesse ? t.size() : groesse);
}

// A player's keywords; the reader looks a line's keyword up once instead of
// comparing it with each in turn (a world's file holds a quarter of a million lines).
enum SpielerFeld : int8_t {
    SF_TALENT, SF_TEAM, SF_NAME, SF_VORNAME, SF_NATION, SF_ALTER, SF_GROESSE, SF_ART, SF_POSITION, SF_AUSSEHEN,
    SF_HAAR, SF_HAUT, SF_NUMMER, SF_STAERKE, SF_MAX_STAERKE, SF_WERT55, SF_FORM, SF_MORAL, SF_RUECKENNUMMER, SF_SCOUT,
    SF_SPIELER_ANZAHL, SF_NEUER_SPIELER, SF_INFOTEXT,   // the file's structure
    SF_KEINS
};
constexpr const char* SPIELER_FELDER[SF_KEINS] = {
    "TALENT", "TEAM",   "NAME",   "VORNAME", "NATION",      "ALTER", "GROESSE", "ART",   "POSITION",      "AUSSEHEN",
    "HAAR",   "HAUT",   "NUMMER", "STAERKE", "MAX_STAERKE", "WERT55", "FORM",   "MORAL", "RUECKENNUMMER", "SCOUT",
    "SPIELER_ANZAHL", "NEUER_SPIELER", "INFOTEXT",
};

SpielerFeld Spieler_Feld_Von(const char* b) {
    // Only keywords of the same first letter are compared.
    for (int32_t f = 0; f < SF_KEINS; ++f) {
        const char* name = SPIELER_FELDER[f];
        if (name[0] == b[0] && !std::strcmp(name, b)) return SpielerFeld(f);
    }
    return SF_KEINS;
}

bool Spieler_Befehl(SpielerDatei& p, SpielerFeld feld) {
    switch (feld) {
    case SF_TALENT: {
        // TALENT id, value: one talent value (-1 blocked .. 9999).
        int32_t id = Read_Config_Teil_Wert(0), wert = Read_Config_Teil_Wert(1);
        if (Read_Config_Teile() != 2 || id < 0 || id >= SPIELER_TALENTE || wert < -1 || wert > 9999)
            Read_Config_Fehler(FEHLER_BEREICH, "TALENT Nummer 0..53, Wert -1..9999 erwartet");
        else
            p.s.talent[id] = int16_t(wert);
        break;
    }
    case SF_TEAM: p.team = Zahl(-1, TEAM_MAX - 1); break;
    case SF_NAME: Name_Kopieren(p.f.name, sizeof p.f.name); break;
    case SF_VORNAME: Name_Kopieren(p.f.vorname, sizeof p.f.vorname); break;
    case SF_NATION: p.f.nation = int16_t(Zahl(-1, TEAM_MAX - 1)); break;
    case SF_ALTER: p.f.alter = uint8_t(Zahl(0, 99)); break;
    case SF_GROESSE: p.f.groesse = uint8_t(Zahl(0, 255)); break;
    case SF_ART: p.f.art = int8_t(Zahl(0, 3)); break;
    case SF_POSITION: p.f.lieblingsposition = int8_t(Zahl(0, 3)); break;
    case SF_AUSSEHEN: p.f.aussehen = Read_Config_Get_Wert(); break;
    case SF_HAAR: p.f.haar = uint16_t(Zahl(0, 65535)); break;
    case SF_HAUT: p.f.haut = uint16_t(Zahl(0, 65535)); break;
    case SF_NUMMER: p.f.datei_nummer = int16_t(Zahl(0, 50)); break;
    case SF_STAERKE: p.s.staerke = Zahl(0, 12000); break;
    case SF_MAX_STAERKE: p.s.max_staerke = Zahl(0, 12000); break;
    case SF_WERT55: p.s.wert55 = int16_t(Zahl(0, 150)); break;
    case SF_FORM: p.s.form = Zahl(0, 999); break;
    case SF_MORAL: p.s.moral = int8_t(Zahl(0, 6)); break;
    case SF_RUECKENNUMMER: p.rueckennummer = Zahl(0, 99); break;
    case SF_SCOUT: p.scout = Read_Config_Get_Wert() != 0; break;
    default: return false;
    }
    return true;
}

struct SpielerLeser {
    int32_t anzahl = -1;        // SPIELER_ANZAHL, -1 before it
    int32_t gelesen = 0;
    bool offen = false;         // a record is being read
    SpielerDatei p;
    std::vector<int32_t> team_plaetze;   // players put into each team so far
};

// Stores the record being read as player number `gelesen`.
void Spieler_Ablegen(SpielerLeser& l) {
    if (!l.offen) return;
    l.offen = false;
    int32_t nr = l.gelesen++;
    SpielerDatei& p = l.p;
    if (p.s.max_staerke < p.s.staerke) p.s.max_staerke = p.s.staerke;
    if (p.scout) p.s.status |= SP_STATUS_SCOUT;
    if (p.f.art == 0) {
        // Every goalkeeper carries the goal cell, on the bench too, whatever the file says.
        p.s.spalte = 3;
        p.s.reihe = 0;
    }
    *static_cast<SpielerStruktur*>(Spieler_Zeiger(SPZ_STRUKTUR, nr)) = p.s;
    *static_cast<SpielerFix*>(Spieler_Zeiger(SPZ_FIX, nr)) = p.f;
    if (auto* e = static_cast<SpielerClientEgal*>(Spieler_Zeiger(SPZ_CLIENT_EGAL, nr)))
        e->rueckennummer = p.rueckennummer;
    if (p.team < 0) return;
    if (p.team >= Team_Anzahl()) {
        Read_Config_Fehler(FEHLER_BEREICH, "Team %d von Spieler %d gibt es nicht", p.team, nr);
        return;
    }
    if (!Team_Spieler_Hinzufuegen(p.team, nr)) {
        Read_Config_Fehler(FEHLER_TEAM_VOLL, "Team %d ist voll (Spieler %d)", p.team, nr);
        return;
    }
    if (p.team != Team_Markt())
        Spieler_Wert(SPW_SLOT, nr, Teamspieler_Ins_Array(p.team, nullptr, TEAM_SPIELER_MAX, 0) - 1, OP_SCHREIBEN);
}

// Empties every team's list (players are about to be rebuilt).
void Teamlisten_Leeren() {
    std::vector<int32_t> liste(MARKT_SPIELER_MAX);
    for (int32_t t = 0; t < Team_Anzahl(); ++t) {
        int32_t n = Teamspieler_Ins_Array(t, liste.data(), MARKT_SPIELER_MAX, 0);
        for (int32_t i = 0; i < n; ++i) Team_Spieler_Entfernen(t, liste[size_t(i)]);
    }
}

bool Spieler_Lesen(bool offen, uint8_t* vollstaendig) {
    if (vollstaendig) *vollstaendig = 0;
    if (!offen) return false;
    SpielerLeser l;
    bool abbruch = false;
    while (const char* b = Read_Config_Next()) {
        const SpielerFeld feld = Spieler_Feld_Von(b);
        if (feld == SF_SPIELER_ANZAHL) {
            int32_t n = Read_Config_Get_Wert();
            if (l.anzahl >= 0 || n < 0 || n > SPIELER_MAX) {
                Read_Config_Fehler(FEHLER_STRUKTUR, "SPIELER_ANZAHL %d doppelt oder nicht in 0..%d", n, SPIELER_MAX);
                abbruch = true;
                break;
            }
            l.anzahl = n;
            Teamlisten_Leeren();
            Spieler_Init(n);
            continue;
        }
        if (feld == SF_NEUER_SPIELER) {
            Spieler_Ablegen(l);
            if (l.anzahl < 0 || l.gelesen >= l.anzahl) {
                Read_Config_Fehler(FEHLER_STRUKTUR, l.anzahl < 0 ? "NEUER_SPIELER vor SPIELER_ANZAHL"
                                                                  : "mehr Spieler als SPIELER_ANZAHL");
                abbruch = true;
                break;
            }
            Spieler_Leeren(l.p);
            l.offen = true;
            continue;
        }
        if (feld == SF_INFOTEXT) continue;
        if (!l.offen) {
            Read_Config_Fehler(FEHLER_AUSSERHALB, "%s vor dem ersten NEUER_SPIELER", b);
            continue;
        }
        if (!Spieler_Befehl(l.p, feld)) Read_Config_Unbekannter_Befehl(FEHLER_UNBEKANNT);
    }
    if (!abbruch) Spieler_Ablegen(l);
    Read_Config_Close();
    if (abbruch) {
        Teamlisten_Leeren();
        Spieler_Init(0);
        return false;
    }
    if (l.anzahl < 0 || l.gelesen != l.anzahl) {
        Meldung("Falsche Spielerzahl!");
        Debug_Printf("Spieler: Falsche Spielerzahl! (%d statt %d)\n", l.gelesen, l.anzahl);
        return true;
    }
    if (vollstaendig) *vollstaendig = 1;
    return true;
}

std::string Feld(const char* feld, size_t groesse) { return std::string(feld, strnlen(feld, groesse)); }

void Kopf(std::string& o, const char* datei, const char* beschreibung) {
    Config_Schreibe_Kommentar(o, Str_Format("%s - written by Velmora", datei));
    Config_Schreibe_Kommentar(o, beschreibung ? beschreibung : "");
}

void Spieler_Schreiben(std::string& o, int32_t nr, int32_t team) {
    const SpielerStruktur& s = *static_cast<const SpielerStruktur*>(Spieler_Zeiger_Lesen(SPZ_STRUKTUR, nr));
    const SpielerFix& f = *static_cast<const SpielerFix*>(Spieler_Zeiger_Lesen(SPZ_FIX, nr));
    const auto* e = static_cast<const SpielerClientEgal*>(Spieler_Zeiger_Lesen(SPZ_CLIENT_EGAL, nr));
    Config_Schreibe_Befehl(o, "NEUER_SPIELER");
    Config_Schreibe_Wert(o, "TEAM", team);
    Config_Schreibe_String(o, "VORNAME", Feld(f.vorname, sizeof f.vorname).c_str());
    Config_Schreibe_String(o, "NAME", Feld(f.name, sizeof f.name).c_str());
    Config_Schreibe_Wert(o, "NATION", f.nation);
    Config_Schreibe_Wert(o, "ALTER", f.alter);
    Config_Schreibe_Wert(o, "GROESSE", f.groesse);
    Config_Schreibe_Wert(o, "ART", f.art);
    Config_Schreibe_Wert(o, "POSITION", f.lieblingsposition);
    Config_Schreibe_Wert(o, "AUSSEHEN", f.aussehen);
    Config_Schreibe_Wert(o, "HAAR", f.haar);
    Config_Schreibe_Wert(o, "HAUT", f.haut);
    Config_Schreibe_Wert(o, "NUMMER", f.datei_nummer);
    Config_Schreibe_Wert(o, "STAERKE", s.staerke);
    Config_Schreibe_Wert(o, "MAX_STAERKE", s.max_staerke);
    Config_Schreibe_Wert(o, "WERT55", s.wert55);
    Config_Schreibe_Wert(o, "FORM", s.form);
    Config_Schreibe_Wert(o, "MORAL", s.moral);
    Config_Schreibe_Wert(o, "RUECKENNUMMER", e ? e->rueckennummer : 0);
    if (s.status & SP_STATUS_SCOUT) Config_Schreibe_JaNein(o, "SCOUT", true);
    for (int32_t id = 0; id < SPIELER_TALENTE; ++id)
        if (s.talent[id] != 0) {
            int32_t paar[2] = {id, s.talent[id]};
            Config_Schreibe_Liste(o, "TALENT", paar, 2);
        }
}

}  // namespace

int32_t Club_Config_Zahl(int32_t code, int32_t lo, int32_t hi) {
    int32_t v = Read_Config_Get_Wert();
    if (v < lo || v > hi) {
        Read_Config_Fehler(code, "Wert %d nicht in %d..%d (%s)", v, lo, hi, Read_Config_Befehl());
        v = Clamp(v, lo, hi, -1);
    }
    return v;
}

bool Team(int32_t) { return Team_Lesen(Read_Config_Open(CONFIG_TEAM)); }

bool Spieler(int32_t, uint8_t* vollstaendig) { return Spieler_Lesen(Read_Config_Open(CONFIG_SPIELER), vollstaendig); }

bool Team_Config_Lesen_Text(const std::string& text, const char* anzeige) {
    return Team_Lesen(Read_Config_Open_Text(text.data(), text.size(), anzeige ? anzeige : "team.cfg", nullptr, 0));
}

bool Spieler_Config_Lesen_Text(const std::string& text, const char* anzeige, uint8_t* vollstaendig) {
    return Spieler_Lesen(
        Read_Config_Open_Text(text.data(), text.size(), anzeige ? anzeige : "spieler.cfg", nullptr, 0), vollstaendig);
}

std::string Convert_Team_Config_Text(const char* beschreibung) {
    std::string o;
    Kopf(o, "team.cfg", beschreibung);
    for (int32_t t = 0; t < Team_Anzahl(); ++t) {
        uint32_t status = uint32_t(Team_Wert(TW_STATUS, t, 0, OP_LESEN));
        Config_Schreibe_Befehl(o, "NEUES_TEAM");
        Config_Schreibe_String(o, "NAME", Team_String(TS_NAME, t, 0, 0));
        // A shown name too long for the short name is the name itself (no short name).
        const char* kurz = Team_String(TS_NAME_KURZ, t, 0, 0);
        if (std::strlen(kurz) < sizeof(TeamStruktur::name_kurz)) Config_Schreibe_String(o, "KURZNAME", kurz);
        Config_Schreibe_String(o, "STADT", Team_String(TS_STADT, t, 0, 0));
        Config_Schreibe_String(o, "KUERZEL", Team_String(TS_KUERZEL, t, 0, 0));
        Config_Schreibe_Wert(o, "STATUS", int32_t(status & TEAM_STATUS_DATEI));
        if (t == Team_Markt()) Config_Schreibe_JaNein(o, "TRANSFERMARKT", true);
        Config_Schreibe_Wert(o, "NATION", Team_Wert(TW_NATION, t, 0, OP_LESEN));
        Config_Schreibe_Wert(o, "KONTINENT", Team_Wert(TW_KONTINENT, t, 0, OP_LESEN));
        if (const uint8_t* klima = static_cast<const uint8_t*>(Team_Zeiger(TZ_KLIMA, t, nullptr, OP_LESEN))) {
            int32_t k[3] = {klima[0], klima[1], klima[2]};
            Config_Schreibe_Liste(o, "KLIMA", k, 3);
        }
        Config_Schreibe_Wert(o, "WAPPEN", Team_Wert(TW_WAPPEN, t, 0, OP_LESEN));
        Config_Schreibe_Wert(o, "WAPPENWERT", Team_Wert(TW_WAPPENWERT, t, 0, OP_LESEN));
        Config_Schreibe_Wert(o, "TEAMWERT", Team_Wert(TW_TEAMWERT, t, 0, OP_LESEN));
        int32_t zweit = Team_Wert(TW_ZWEITCLUB, t, 0, OP_LESEN);
        if (zweit >= 0 && zweit != Team_Markt()) Config_Schreibe_Wert(o, "ZWEITCLUB", zweit);
        if (const uint8_t* f = static_cast<const uint8_t*>(Team_Zeiger(TZ_FARBEN, t, nullptr, OP_LESEN))) {
            int32_t farben[36];
            for (int32_t k = 0; k < 36; ++k) farben[k] = f[k];
            Config_Schreibe_Liste(o, "FARBEN", farben, 36);
        }
        int32_t trikot[4];
        for (int32_t k = 0; k < 4; ++k) trikot[k] = Team_Wert(TW_TRIKOT_MODI[k], t, 0, OP_LESEN);
        Config_Schreibe_Liste(o, "TRIKOT", trikot, 4);
        if (const StadionVorgabe* st = Team_Stadion_Vorgabe(t)) {
            std::string zeile;
            for (char c : st->name) zeile += c == '"' ? std::string("\"\"") : std::string(1, c);
            o += Str_Format("STADION \"%s\", %d, %d\n", zeile.c_str(), st->sitze, st->stehplaetze);
        }
    }
    return o;
}

std::string Convert_Spieler_Config_Text(const char* beschreibung) {
    std::string o;
    o.reserve(size_t(Spieler_Anzahl()) * 400);
    Kopf(o, "spieler.cfg", beschreibung);
    Config_Schreibe_Wert(o, "SPIELER_ANZAHL", Spieler_Anzahl());
    std::vector<int32_t> liste(MARKT_SPIELER_MAX);
    for (int32_t t = 0; t < Team_Anzahl(); ++t) {
        int32_t n = Teamspieler_Ins_Array(t, liste.data(), MARKT_SPIELER_MAX, 0);
        for (int32_t i = 0; i < n; ++i) Spieler_Schreiben(o, liste[size_t(i)], t);
    }
    for (int32_t p = 0; p < Spieler_Anzahl(); ++p)
        if (Spieler_Get_Team(p) < 0) Spieler_Schreiben(o, p, -1);
    return o;
}

bool Convert_Team_Config_Speichern(int32_t satz, const char* beschreibung) {
    return Config_Datei_Schreiben(satz, "team.cfg", Convert_Team_Config_Text(beschreibung));
}

bool Convert_Spieler_Config_Speichern(int32_t satz, const char* beschreibung) {
    return Config_Datei_Schreiben(satz, "spieler.cfg", Convert_Spieler_Config_Text(beschreibung));
}

const StadionVorgabe* Team_Stadion_Vorgabe(int32_t team) {
    if (team < 0 || team >= int32_t(g.stadien.size()) || g.stadien[size_t(team)].name.empty()) return nullptr;
    return &g.stadien[size_t(team)];
}

bool Team_Stadion_Vorgabe_Setzen(int32_t team, const char* name, int32_t sitze, int32_t stehplaetze) {
    if (team < 0 || team >= Team_Anzahl() || !name || sitze < 0 || stehplaetze < 0 ||
        sitze > STADION_PLAETZE_MAX || stehplaetze > STADION_PLAETZE_MAX) {
        Debug_Printf("Team_Stadion_Vorgabe_Setzen: Team %d oder Werte ungueltig\n", team);
        return false;
    }
    if (g.stadien.size() < size_t(Team_Anzahl())) g.stadien.resize(size_t(Team_Anzahl()));
    g.stadien[size_t(team)] = {std::string(name).substr(0, STADION_NAME_MAX), sitze, stehplaetze};
    return true;
}

void Team_Vorgaben_Leeren() { g = ClubConfigModul{}; }

const char* Team_Kuerzel(int32_t team, const char* vorgabe) {
    if (team < 0 || team >= Team_Anzahl()) return "";
    if (size_t(team) < g.kuerzel.size() && !g.kuerzel[size_t(team)].empty()) return g.kuerzel[size_t(team)].c_str();
    if (g.kuerzel_vorgabe.size() < size_t(Team_Anzahl())) g.kuerzel_vorgabe.resize(size_t(Team_Anzahl()));
    std::string& v = g.kuerzel_vorgabe[size_t(team)];
    v = std::string(vorgabe ? vorgabe : "").substr(0, TEAM_KUERZEL_MAX);
    return v.c_str();
}

bool Team_Kuerzel_Setzen(int32_t team, const char* text) {
    if (team < 0 || team >= Team_Anzahl() || !text) {
        Debug_Printf("Team_Kuerzel_Setzen: Team %d ungueltig\n", team);
        return false;
    }
    if (g.kuerzel.size() < size_t(Team_Anzahl())) g.kuerzel.resize(size_t(Team_Anzahl()));
    g.kuerzel[size_t(team)] = std::string(text).substr(0, TEAM_KUERZEL_MAX);
    return true;
}

bool Club_Config_Bin_Anmelden() {
    const std::string team_cfg = Config_Datei_Name(CONFIG_TEAM);
    // Players first: the team block checks its player numbers against them.
    bool ok = Config_Bin_Region_Anmelden(
        "spieler",
        [](std::vector<uint8_t>& out) {
            Spieler_Save(out);
            return true;
        },
        Spieler_Load, {Config_Datei_Name(CONFIG_SPIELER)});
    ok = ok && Config_Bin_Region_Anmelden(
        "teams",
        [](std::vector<uint8_t>& out) {
            Team_Save(out);
            return true;
        },
        Team_Load, {team_cfg});
    return ok && Config_Bin_Region_Anmelden(
        "stadien",
        [](std::vector<uint8_t>& out) {
            ClubPacker pk{out};
            pk.i32(int32_t(g.stadien.size()));
            for (const StadionVorgabe& s : g.stadien) {
                pk.block_mit_laenge(s.name.data(), s.name.size());
                pk.i32(s.sitze);
                pk.i32(s.stehplaetze);
            }
            return true;
        },
        [](const uint8_t* daten, size_t bytes) {
            ClubLeser l{daten, bytes};
            int32_t n = l.i32();
            if (l.fehler || n < 0 || n > TEAM_MAX) return false;
            std::vector<StadionVorgabe> neu(static_cast<size_t>(n));
            for (StadionVorgabe& s : neu) {
                size_t laenge = 0;
                const uint8_t* name = l.block_mit_laenge(&laenge);
                if (name) s.name.assign(reinterpret_cast<const char*>(name), laenge);
                s.sitze = l.i32();
                s.stehplaetze = l.i32();
                // A cache this program did not write refuses, rather than give a capacity that overflows.
                if (laenge > STADION_NAME_MAX || s.sitze < 0 || s.sitze > STADION_PLAETZE_MAX || s.stehplaetze < 0 ||
                    s.stehplaetze > STADION_PLAETZE_MAX) {
                    Debug_Printf("Club_Config_Bin: Stadion \"%s\" ausserhalb der Grenzen\n", s.name.c_str());
                    return false;
                }
            }
            if (l.fehler || l.pos != l.bytes) return false;
            g.stadien = std::move(neu);
            return true;
        },
        {team_cfg}) &&
        Config_Bin_Region_Anmelden(
            "kuerzel",
            [](std::vector<uint8_t>& out) {
                ClubPacker pk{out};
                pk.i32(int32_t(g.kuerzel.size()));
                for (const std::string& k : g.kuerzel) pk.block_mit_laenge(k.data(), k.size());
                return true;
            },
            [](const uint8_t* daten, size_t bytes) {
                ClubLeser l{daten, bytes};
                int32_t n = l.i32();
                if (l.fehler || n < 0 || n > TEAM_MAX) return false;
                std::vector<std::string> neu(static_cast<size_t>(n));
                for (std::string& k : neu) {
                    size_t laenge = 0;
                    const uint8_t* text = l.block_mit_laenge(&laenge);
                    if (laenge > TEAM_KUERZEL_MAX) return false;
                    if (text) k.assign(reinterpret_cast<const char*>(text), laenge);
                }
                if (l.fehler || l.pos != l.bytes) return false;
                g.kuerzel = std::move(neu);
                return true;
            },
            {team_cfg});
}

}  // namespace velmora
