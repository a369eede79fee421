// season/wettbewerb_cfg.cpp - reading and writing "wettbewerb.cfg".
#include "season/wettbewerb_cfg.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <iterator>
#include <set>

#include "core/config.h"
#include "core/debug.h"
#include "platform/files.h"

namespace velmora {
namespace {

// Error codes of this file's messages.
constexpr int32_t FEHLER_BEFEHL = 201;      // unknown keyword
constexpr int32_t FEHLER_AUSSERHALB = 202;  // a keyword before the first WETTBEWERB
constexpr int32_t FEHLER_WERT = 203;        // a value out of its range
constexpr int32_t FEHLER_DOPPELT = 204;     // an id given twice
constexpr int32_t FEHLER_VERWEIS = 205;     // a link to a competition that does not exist
constexpr int32_t FEHLER_GROESSE = 206;     // teams, rounds and clubs do not fit together

struct ModusName {
    const char* name;
    int32_t bit;
};
constexpr ModusName MODUS_NAMEN[] = {{"HEIMRECHT", MODUS_HEIMRECHT},
                                     {"KO_SYSTEM", MODUS_KO_SYSTEM},
                                     {"ENGLISCHE_TABELLE", MODUS_ENGLISCHE_TABELLE},
                                     {"EINNAHMEN_TEILEN", MODUS_EINNAHMEN_TEILEN}};
constexpr const char* ART_NAMEN[] = {"LIGA", "POKAL", "INTERNATIONAL", "FREUNDSCHAFT", "GRUPPE"};

// The integer fields with their keyword and range; the reader and the writer share it.
struct Feld {
    const char* befehl;
    int32_t WettbewerbBeschreibung::*wert;
    int32_t min, max;
    bool ja_nein;
};
const Feld FELDER[] = {
    {"LAND", &WettbewerbBeschreibung::land, -1, 1999, false},
    {"STUFE", &WettbewerbBeschreibung::stufe, 0, 20, false},
    {"TEAMS", &WettbewerbBeschreibung::teams, 0, WETTBEWERB_TEAMS_MAX, false},
    {"SPIELTAGE", &WettbewerbBeschreibung::spieltage, 0, 254, false},
    {"GRAFIK_NUMMER", &WettbewerbBeschreibung::grafik, -1, 9999, false},
    {"KALENDER_POSITION", &WettbewerbBeschreibung::kalender_position, 0, 9999, false},
    {"LIGA_SYMBOL", &WettbewerbBeschreibung::liga_symbol, -1, 9999, false},
    {"RUECKSPIEL", &WettbewerbBeschreibung::rueckspiel, 0, 1, true},
    {"VERLAENGERUNG", &WettbewerbBeschreibung::verlaengerung, 0, 60, false},
    {"ELFMETERSCHIESSEN", &WettbewerbBeschreibung::elfmeter, 0, 1, true},
    {"AUSWAERTSTORE", &WettbewerbBeschreibung::auswaertstore, 0, 1, true},
    {"GOLDEN_GOAL", &WettbewerbBeschreibung::golden_goal, 0, 1, true},
    {"SPIELZEIT", &WettbewerbBeschreibung::spielzeit, 2, 120, false},
    {"AUFSTEIGER", &WettbewerbBeschreibung::aufsteiger, 0, WETTBEWERB_TEAMS_MAX, false},
    {"ABSTEIGER", &WettbewerbBeschreibung::absteiger, 0, WETTBEWERB_TEAMS_MAX, false},
    {"LIGA_OBEN", &WettbewerbBeschreibung::liga_oben, -1, 305, false},
    {"LIGA_UNTEN", &WettbewerbBeschreibung::liga_unten, -1, 305, false},
    {"QUALIFIKATION", &WettbewerbBeschreibung::quali_ziel, -1, 305, false},
    {"QUALI_PLAETZE", &WettbewerbBeschreibung::quali_plaetze, 0, WETTBEWERB_TEAMS_MAX, false},
    {"NAECHSTE_RUNDE", &WettbewerbBeschreibung::naechste_runde, -1, 305, false},
    {"NAECHSTE_GRUPPE", &WettbewerbBeschreibung::naechste_gruppe, -1, 305, false},
    {"WEITER_PLAETZE", &WettbewerbBeschreibung::weiter_plaetze, 0, WETTBEWERB_TEAMS_MAX, false},
    {"WICHTIGKEIT", &WettbewerbBeschreibung::wichtigkeit, 0, 100, false},
    {"PUNKT_PRAEMIE", &WettbewerbBeschreibung::punkt_praemie, 0, 100000000, false},
    {"SCHALTER", &WettbewerbBeschreibung::schalter, 0, 0x7FFFFFFF, false},
    {"GASTGEBER", &WettbewerbBeschreibung::gastgeber, -1, 1999, false},
    {"GELB_SPERRE", &WettbewerbBeschreibung::gelb_sperre, 0, 99, false},
    {"SPERRE_GELBROT", &WettbewerbBeschreibung::sperre_gelbrot, 0, 31, false},
    {"SPERRE_ROT", &WettbewerbBeschreibung::sperre_rot, 0, 31, false},
    {"PREIS_PROZENT", &WettbewerbBeschreibung::preis_prozent, 0, 1000, false},
};

bool Gleich(const char* a, const char* b) {
    for (; *a && *b; ++a, ++b)
        if (std::toupper(uint8_t(*a)) != std::toupper(uint8_t(*b))) return false;
    return *a == *b;
}

bool Ist_Liga_Art(int32_t art) { return art == ART_LIGA || art == ART_GRUPPE; }

// Checks one finished description; false (with a report) when it cannot be played.
bool Pruefen(const WettbewerbBeschreibung& w) {
    if (w.art == ART_FREUNDSCHAFT) return true;
    if (w.teams < 2) {
        Read_Config_Fehler(FEHLER_GROESSE, "Wettbewerb %d: TEAMS %d zu klein", w.id, w.teams);
        return false;
    }
    if (int32_t(w.team_liste.size()) > w.teams) {
        Read_Config_Fehler(FEHLER_GROESSE, "Wettbewerb %d: %d Teams fuer %d Plaetze", w.id,
                           int32_t(w.team_liste.size()), w.teams);
        return false;
    }
    int32_t runden = Ist_Liga_Art(w.art) ? Wettbewerb_Liga_Runden(w.teams, w.rueckspiel)
                                         : Wettbewerb_KO_Runden(w.teams);
    if (w.spieltage != runden) {
        Read_Config_Fehler(FEHLER_GROESSE, "Wettbewerb %d: SPIELTAGE %d, %d Teams brauchen %d", w.id, w.spieltage,
                           w.teams, runden);
        return false;
    }
    std::set<int32_t> gesehen;
    for (int32_t t : w.team_liste)
        if (!gesehen.insert(t).second) {
            Read_Config_Fehler(FEHLER_GROESSE, "Wettbewerb %d: Team %d doppelt", w.id, t);
            return false;
        }
    return true;
}

bool Lesen_Offen(std::vector<WettbewerbBeschreibung>& liste) {
    liste.clear();
    std::vector<WettbewerbBeschreibung> gelesen;
    bool offen = false;
    auto abschliessen = [&]() {
        if (offen && Pruefen(gelesen.back())) liste.push_back(gelesen.back());
        offen = false;
    };
    while (const char* befehl = Read_Config_Next()) {
        if (!std::strcmp(befehl, "WETTBEWERB")) {
            abschliessen();
            int32_t id = Read_Config_Get_Wert();
            if (id < WETTBEWERB_ERSTE_ID || id >= WETTBEWERB_ERSTE_ID + WETTBEWERB_MAX) {
                Read_Config_Fehler(FEHLER_WERT, "Wettbewerb-Id %d nicht zwischen %d und %d", id, WETTBEWERB_ERSTE_ID,
                                   WETTBEWERB_ERSTE_ID + WETTBEWERB_MAX - 1);
                gelesen.emplace_back();
                continue;   // the lines up to the next WETTBEWERB are skipped
            }
            bool doppelt = std::any_of(liste.begin(), liste.end(), [&](auto& w) { return w.id == id; });
            if (doppelt) {
                Read_Config_Fehler(FEHLER_DOPPELT, "Wettbewerb %d doppelt", id);
                gelesen.emplace_back();
                continue;
            }
            gelesen.emplace_back();
            gelesen.back().id = id;
            offen = true;
            continue;
        }
        if (!std::strcmp(befehl, "ENDE")) {
            abschliessen();
            continue;
        }
        if (gelesen.empty()) {
            Read_Config_Fehler(FEHLER_AUSSERHALB, "%s vor dem ersten WETTBEWERB", befehl);
            continue;
        }
        if (!offen) continue;
        WettbewerbBeschreibung& w = gelesen.back();
        if (!std::strcmp(befehl, "NAME")) {
            w.name = Read_Config_Get_String();
        } else if (!std::strcmp(befehl, "KURZNAME")) {
            w.kurzname = Read_Config_Get_String();
        } else if (!std::strcmp(befehl, "ART")) {
            int32_t art = -1;
            if (Read_Config_Teil_Ist_Zahl(0)) art = Read_Config_Get_Wert();
            else
                for (int32_t i = 0; i < 5; ++i)
                    if (Gleich(Read_Config_Teil_String(0), ART_NAMEN[i])) art = i;
            if (art < 0 || art > ART_GRUPPE) Read_Config_Fehler(FEHLER_WERT, "ART %s unbekannt", Read_Config_Get_String());
            else w.art = art;
        } else if (!std::strcmp(befehl, "MODUS")) {
            int32_t modus = 0;
            for (int32_t i = 0; i < Read_Config_Teile(); ++i) {
                if (Read_Config_Teil_Ist_Zahl(i)) {
                    modus |= Read_Config_Teil_Wert(i);
                    continue;
                }
                const char* teil = Read_Config_Teil_String(i);
                bool bekannt = false;
                for (const ModusName& m : MODUS_NAMEN)
                    if (Gleich(teil, m.name)) modus |= m.bit, bekannt = true;
                if (!bekannt) Read_Config_Fehler(FEHLER_WERT, "MODUS %s unbekannt", teil);
            }
            w.modus = modus;
        } else if (!std::strcmp(befehl, "TEAM_LISTE")) {
            for (int32_t i = 0; i < Read_Config_Teile(); ++i) {
                int32_t t = Read_Config_Teil_Wert(i);
                if (t < 0 || t >= 2000) Read_Config_Fehler(FEHLER_WERT, "Team %d ungueltig", t);
                else w.team_liste.push_back(t);
            }
        } else {
            const Feld* f = nullptr;
            for (const Feld& k : FELDER)
                if (!std::strcmp(befehl, k.befehl)) f = &k;
            if (!f) {
                Read_Config_Unbekannter_Befehl(FEHLER_BEFEHL);
                continue;
            }
            int32_t v = Read_Config_Get_Wert();
            if (v < f->min || v > f->max) {
                Read_Config_Fehler(FEHLER_WERT, "%s %d nicht zwischen %d und %d", befehl, v, f->min, f->max);
                continue;
            }
            w.*(f->wert) = f->ja_nein && f->wert == &WettbewerbBeschreibung::rueckspiel ? v + 1 : v;
        }
    }
    abschliessen();
    // Links must name competitions of the file; a broken link is dropped.
    for (WettbewerbBeschreibung& w : liste) {
        for (int32_t WettbewerbBeschreibung::*feld :
             {&WettbewerbBeschreibung::liga_oben, &WettbewerbBeschreibung::liga_unten,
              &WettbewerbBeschreibung::quali_ziel, &WettbewerbBeschreibung::naechste_runde,
              &WettbewerbBeschreibung::naechste_gruppe}) {
            int32_t ziel = w.*feld;
            if (ziel < 0) continue;
            bool da = std::any_of(liste.begin(), liste.end(), [&](auto& x) { return x.id == ziel; });
            if (!da || ziel == w.id) {
                Read_Config_Fehler(FEHLER_VERWEIS, "Wettbewerb %d verweist auf %d, den es nicht gibt", w.id, ziel);
                w.*feld = -1;
            }
        }
    }
    Read_Config_Close();
    return !liste.empty();
}

}  // namespace

int32_t Wettbewerb_Liga_Runden(int32_t teams, int32_t rueckspiel) {
    if (teams < 2) return 0;
    return (teams % 2 ? teams : teams - 1) * std::clamp(rueckspiel, 1, 2);
}

int32_t Wettbewerb_KO_Runden(int32_t teams) {
    int32_t runden = 0;
    while ((1 << runden) < teams) ++runden;
    return runden;
}

std::string Wettbewerb_Config_Text(const std::vector<WettbewerbBeschreibung>& liste) {
    std::string out;
    Config_Schreibe_Kommentar(out, "wettbewerb.cfg - the competitions of the world");
    for (const WettbewerbBeschreibung& w : liste) {
        out += "\n";
        Config_Schreibe_Wert(out, "WETTBEWERB", w.id);
        Config_Schreibe_String(out, "NAME", w.name.c_str());
        if (!w.kurzname.empty()) Config_Schreibe_String(out, "KURZNAME", w.kurzname.c_str());
        Config_Schreibe_Befehl(out, (std::string("ART ") + ART_NAMEN[std::clamp(w.art, 0, 4)]).c_str());
        std::string modus = "MODUS";
        int32_t rest = w.modus;
        for (const ModusName& m : MODUS_NAMEN)
            if (w.modus & m.bit) modus += std::string(" ") + m.name, rest &= ~m.bit;
        if (rest || w.modus == 0) modus += " " + std::to_string(rest);
        Config_Schreibe_Befehl(out, modus.c_str());
        for (const Feld& f : FELDER) {
            int32_t v = w.*(f.wert);
            if (f.wert == &WettbewerbBeschreibung::rueckspiel) Config_Schreibe_JaNein(out, f.befehl, v == 2);
            else if (f.ja_nein) Config_Schreibe_JaNein(out, f.befehl, v != 0);
            else Config_Schreibe_Wert(out, f.befehl, v);
        }
        for (size_t i = 0; i < w.team_liste.size(); i += 16) {
            int32_t n = int32_t(std::min<size_t>(16, w.team_liste.size() - i));
            Config_Schreibe_Liste(out, "TEAM_LISTE", w.team_liste.data() + i, n);
        }
        Config_Schreibe_Befehl(out, "ENDE");
    }
    return out;
}

bool Wettbewerb_Config_Schreiben(int32_t satz, const std::vector<WettbewerbBeschreibung>& liste) {
    return Config_Datei_Schreiben(satz, Config_Datei_Name(CONFIG_WETTBEWERB).c_str(), Wettbewerb_Config_Text(liste));
}

bool Wettbewerb_Config_Schreiben_Pfad(const char* pfad, const std::vector<WettbewerbBeschreibung>& liste) {
    if (!pfad) return false;
    std::string text = Wettbewerb_Config_Text(liste);
    if (!Plat_Write_Atomic(pfad, text.data(), text.size())) {
        Debug_Printf("Wettbewerb_Config_Schreiben: %s nicht geschrieben\n", pfad);
        return false;
    }
    return true;
}

bool Wettbewerb_Config_Lesen(std::vector<WettbewerbBeschreibung>& liste) {
    liste.clear();
    if (!Read_Config_Open(CONFIG_WETTBEWERB)) return false;
    return Lesen_Offen(liste);
}

bool Wettbewerb_Config_Lesen_Pfad(const char* pfad, std::vector<WettbewerbBeschreibung>& liste) {
    liste.clear();
    if (!pfad || !Read_Config_Open_Pfad(pfad, nullptr)) return false;
    return Lesen_Offen(liste);
}

bool Wettbewerb_Config_Lesen_Text(const char* text, size_t bytes, std::vector<WettbewerbBeschreibung>& liste) {
    liste.clear();
    if (!Read_Config_Open_Text(text, bytes, "wettbewerb.cfg", nullptr, 0)) return false;
    return Lesen_Offen(liste);
}

std::vector<WettbewerbBeschreibung> Wettbewerb_Welt_Beschreiben(const std::vector<WettbewerbLand>& laender,
                                                               const WettbewerbWeltOptionen& o) {
    std::vector<WettbewerbBeschreibung> liste;
    int32_t id = WETTBEWERB_ERSTE_ID;
    // The lowest graphic number not yet given nor reserved whose trophy is of
    // `metall`; with `teilen` it stays free for the next competition, which
    // shares it.
    std::vector<bool> vergeben;
    auto naechste_grafik = [&vergeben](int32_t metall, bool teilen = false) {
        int32_t g = metall == POKAL_GOLD ? 0 : metall == POKAL_SILBER ? 1 : 3;
        while ((g < int32_t(vergeben.size()) && vergeben[size_t(g)]) ||
               std::find(std::begin(WETTBEWERB_GRAFIK_BELEGT), std::end(WETTBEWERB_GRAFIK_BELEGT), g) !=
                   std::end(WETTBEWERB_GRAFIK_BELEGT))
            g += metall == POKAL_GOLD ? 2 : 4;
        if (!teilen) {
            if (g >= int32_t(vergeben.size())) vergeben.resize(size_t(g) + 1);
            vergeben[size_t(g)] = true;
        }
        return g;
    };
    std::vector<int32_t> top_ligen;
    // Ids are given in order: per country its leagues then its cup; then the
    // continental cup's groups, its knock-out stage and the friendlies. The
    // continental cup's first id is known once every country is counted.
    int32_t national = 0;
    for (const WettbewerbLand& l : laender) national += int32_t(l.ligen.size()) + (l.pokal ? 1 : 0);
    int32_t quali = int32_t(laender.size()) * o.quali_plaetze;
    int32_t gruppen = (o.gruppen > 0 && quali >= 2 * o.gruppen) ? o.gruppen : 0;
    int32_t international_id = WETTBEWERB_ERSTE_ID + national;
    if (quali < 2) international_id = -1;
    for (const WettbewerbLand& l : laender) {
        int32_t erste = id;
        int32_t stufen = int32_t(l.ligen.size());
        for (int32_t s = 0; s < stufen; ++s) {
            WettbewerbBeschreibung w;
            w.id = id++;
            w.name = l.name + " Liga " + std::to_string(s + 1);
            w.art = ART_LIGA;
            w.land = l.land;
            w.stufe = s + 1;
            w.modus = MODUS_HEIMRECHT;
            w.teams = int32_t(l.ligen[s].size());
            w.rueckspiel = 2;
            w.spieltage = Wettbewerb_Liga_Runden(w.teams, 2);
            w.grafik = naechste_grafik(s == 0 ? POKAL_GOLD : s == 1 ? POKAL_SILBER : POKAL_BRONZE);
            w.liga_symbol = s;
            w.kalender_position = 1;
            w.wichtigkeit = std::max(10, 70 - 20 * s);
            w.punkt_praemie = std::max(1000, 30000 / (s + 1));
            w.team_liste = l.ligen[s];
            if (s > 0) w.liga_oben = erste + s - 1, w.aufsteiger = std::min(o.aufsteiger, w.teams / 2);
            if (s + 1 < stufen) w.liga_unten = erste + s + 1, w.absteiger = std::min(o.aufsteiger, w.teams / 2);
            if (s == 0 && international_id >= 0) w.quali_ziel = international_id, w.quali_plaetze = o.quali_plaetze;
            if (s == 0) top_ligen.push_back(w.id);
            liste.push_back(w);
        }
        if (l.pokal) {
            WettbewerbBeschreibung w;
            w.id = id++;
            w.name = l.name + " Pokal";
            w.art = ART_POKAL;
            w.land = l.land;
            w.modus = MODUS_KO_SYSTEM | MODUS_HEIMRECHT | MODUS_EINNAHMEN_TEILEN;
            for (const auto& liga : l.ligen) w.team_liste.insert(w.team_liste.end(), liga.begin(), liga.end());
            w.teams = std::min<int32_t>(int32_t(w.team_liste.size()), WETTBEWERB_TEAMS_MAX);
            w.team_liste.resize(w.teams);
            w.spieltage = Wettbewerb_KO_Runden(w.teams);
            w.verlaengerung = 30;
            w.elfmeter = 1;
            w.grafik = naechste_grafik(POKAL_GOLD);
            w.kalender_position = 2;
            w.wichtigkeit = 60;
            liste.push_back(w);
        }
    }
    if (international_id >= 0) {
        // The first season's entrants: place 1 of every country, then place 2, ...
        std::vector<int32_t> teilnehmer;
        for (int32_t p = 0; p < o.quali_plaetze; ++p)
            for (const WettbewerbLand& l : laender)
                if (!l.ligen.empty() && p < int32_t(l.ligen[0].size())) teilnehmer.push_back(l.ligen[0][p]);
        int32_t ko_id = international_id + gruppen;
        int32_t ko_teams = gruppen ? gruppen * o.weiter_plaetze : int32_t(teilnehmer.size());
        int32_t je_gruppe = gruppen ? int32_t(teilnehmer.size()) / gruppen : 0;
        for (int32_t gi = 0; gi < gruppen; ++gi) {
            WettbewerbBeschreibung w;
            w.id = id++;
            w.name = o.international_name;
            w.kurzname = std::string("Gruppe ") + char('A' + gi % 26);
            w.art = ART_GRUPPE;
            w.modus = MODUS_HEIMRECHT;
            w.teams = je_gruppe + (gi < int32_t(teilnehmer.size()) % gruppen ? 1 : 0);
            w.rueckspiel = 2;
            w.spieltage = Wettbewerb_Liga_Runden(w.teams, 2);
            w.grafik = naechste_grafik(POKAL_GOLD, true);
            w.kalender_position = 3;
            w.wichtigkeit = 75;
            w.punkt_praemie = 50000;
            w.naechste_runde = ko_id;
            w.naechste_gruppe = gi + 1 < gruppen ? w.id + 1 : -1;
            w.weiter_plaetze = o.weiter_plaetze;
            for (size_t t = gi; t < teilnehmer.size(); t += gruppen) w.team_liste.push_back(teilnehmer[t]);
            liste.push_back(w);
        }
        WettbewerbBeschreibung w;
        w.id = id++;
        w.name = o.international_name;
        w.kurzname = gruppen ? "Finalrunde" : "";
        w.art = ART_INTERNATIONAL;
        w.modus = MODUS_KO_SYSTEM | MODUS_HEIMRECHT;
        w.teams = std::min(ko_teams, WETTBEWERB_TEAMS_MAX);
        w.spieltage = Wettbewerb_KO_Runden(w.teams);
        w.rueckspiel = 2;
        w.verlaengerung = 30;
        w.elfmeter = 1;
        w.auswaertstore = 1;
        w.grafik = naechste_grafik(POKAL_GOLD);
        w.kalender_position = 3;
        w.wichtigkeit = 85;
        if (!gruppen) {
            w.team_liste = teilnehmer;
            w.team_liste.resize(std::min<size_t>(teilnehmer.size(), size_t(w.teams)));
        }
        liste.push_back(w);
    }
    if (o.freundschaft) {
        WettbewerbBeschreibung w;
        w.id = id++;
        w.name = "Freundschaftsspiele";
        w.art = ART_FREUNDSCHAFT;
        w.modus = MODUS_KO_SYSTEM;
        w.grafik = naechste_grafik(POKAL_BRONZE);
        w.wichtigkeit = 10;
        w.gelb_sperre = 0;
        w.sperre_gelbrot = 0;
        w.sperre_rot = 0;
        liste.push_back(w);
    }
    return liste;
}

}  // namespace velmora
