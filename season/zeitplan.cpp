// season/zeitplan.cpp - the dates of a season: calendar arithmetic,
// "zeitplan.cfg" and the builder of a world's plan.
#include "season/zeitplan.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <set>
#include <tuple>

#include "core/config.h"
#include "core/config_bin.h"
#include "core/debug.h"
#include "core/le.h"
#include "platform/files.h"
#include "season/wettbewerb.h"

namespace velmora {
namespace {

// Error codes of this file's messages.
constexpr int32_t FEHLER_BEFEHL = 301;      // unknown keyword
constexpr int32_t FEHLER_AUSSERHALB = 302;  // a TERMIN before the first WETTBEWERB
constexpr int32_t FEHLER_WERT = 303;        // a value out of its range
constexpr int32_t FEHLER_DATUM = 304;       // a day that does not exist every year
constexpr int32_t WARNUNG_DOPPELT = 305;    // a round and leg dated twice: the later line holds

constexpr int32_t TAGNUMMER_2000 = 10957;   // days from 1 January 1970 to 1 January 2000

struct ZeitplanModul {
    bool welt_vorhanden = false;   // the world built last has a schedule
    Zeitplan welt;
};
ZeitplanModul g;

// Days from 1 January 1970 (the civil algorithm over 400-year eras).
int32_t Tage_Seit_1970(int32_t y, int32_t m, int32_t d) {
    y -= m <= 2;
    const int32_t era = (y >= 0 ? y : y - 399) / 400;
    const int32_t yoe = y - era * 400;
    const int32_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int32_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

bool Schaltjahr(int32_t j) { return (j % 4 == 0 && j % 100 != 0) || j % 400 == 0; }

int32_t Monatstage(int32_t m, int32_t j) {
    static const int32_t TAGE[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && Schaltjahr(j) ? 29 : TAGE[m - 1];
}

// The date of season day `s` (0 = the change day of the season starting in `jahr`).
void Saisondatum(const Zeitplan& z, int32_t jahr, int32_t s, int32_t* tag, int32_t* monat) {
    int32_t j = 0;
    Zeitplan_Datum(Zeitplan_Tagnummer(z.wechsel_tag, z.wechsel_monat, jahr) + s, tag, monat, &j);
}

// A window of the season as (day, month) to (day, month), its weekdays in order of preference.
struct Fenster {
    int32_t von_tag, von_monat, bis_tag, bis_monat;
    int32_t wochentag, ersatz_wochentag;   // 0 Monday .. 6 Sunday
    bool winterpause;
};

Fenster Fenster_Von(const ZeitplanWettbewerb& w) {
    switch (w.art) {
    case ART_POKAL: return {15, 8, 15, 5, 1, 3, true};
    case ART_GRUPPE: return {15, 9, 10, 12, 2, 3, false};
    case ART_INTERNATIONAL:
        return w.nach_gruppen ? Fenster{10, 2, 25, 5, 2, 3, false} : Fenster{15, 9, 25, 5, 2, 3, true};
    default: return {8, 8, 23, 5, 5, 2, true};   // leagues: Saturdays, midweek when short
    }
}

}  // namespace

int32_t Zeitplan_Tagnummer(int32_t tag, int32_t monat, int32_t jahr) {
    return Tage_Seit_1970(jahr, monat, tag) - TAGNUMMER_2000;
}

void Zeitplan_Datum(int32_t tagnummer, int32_t* tag, int32_t* monat, int32_t* jahr) {
    int32_t z = tagnummer + TAGNUMMER_2000 + 719468;
    const int32_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int32_t doe = z - era * 146097;
    const int32_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int32_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int32_t mp = (5 * doy + 2) / 153;
    const int32_t d = doy - (153 * mp + 2) / 5 + 1;
    const int32_t m = mp < 10 ? mp + 3 : mp - 9;
    if (tag) *tag = d;
    if (monat) *monat = m;
    if (jahr) *jahr = yoe + era * 400 + (m <= 2);
}

int32_t Zeitplan_Wochentag(int32_t tagnummer) {
    return ((tagnummer % 7) + 7 + 5) % 7;   // 1 January 2000 was a Saturday
}

bool Zeitplan_Datum_Gueltig(int32_t tag, int32_t monat, int32_t jahr) {
    return monat >= 1 && monat <= 12 && tag >= 1 && tag <= Monatstage(monat, jahr);
}

int32_t Zeitplan_Saisontag(const Zeitplan& z, int32_t tag, int32_t monat, int32_t jahr) {
    bool erstes_jahr = monat > z.wechsel_monat || (monat == z.wechsel_monat && tag >= z.wechsel_tag);
    return Zeitplan_Tagnummer(tag, monat, erstes_jahr ? jahr : jahr + 1) -
           Zeitplan_Tagnummer(z.wechsel_tag, z.wechsel_monat, jahr);
}

namespace {

// A competition's rounds to be dated: knock-out ties have their legs, a league's rounds one each.
ZeitplanWettbewerb Wettbewerb_Runden(int32_t id, int32_t art, int32_t spieltage, int32_t modus, int32_t rueckspiel,
                                     bool nach_gruppen) {
    ZeitplanWettbewerb z;
    z.id = id;
    z.art = art;
    z.runden = spieltage;
    z.legs = (modus & MODUS_KO_SYSTEM) && art != ART_FREUNDSCHAFT ? std::clamp(rueckspiel, 1, 2) : 1;
    z.nach_gruppen = nach_gruppen;
    return z;
}

}  // namespace

ZeitplanWettbewerb Zeitplan_Wettbewerb_Von(const WettbewerbBeschreibung& w, bool nach_gruppen) {
    return Wettbewerb_Runden(w.id, w.art, w.spieltage, w.modus, w.rueckspiel, nach_gruppen);
}

ZeitplanWettbewerb Zeitplan_Wettbewerb_Von_Satz(const WettbewerbSatz& s, bool nach_gruppen) {
    return Wettbewerb_Runden(s.id, s.art, s.spieltage, s.modus, s.rueckspiel, nach_gruppen);
}

std::vector<ZeitplanWettbewerb> Zeitplan_Wettbewerbe_Von(const std::vector<WettbewerbBeschreibung>& liste) {
    std::set<int32_t> nach_gruppen;
    for (const WettbewerbBeschreibung& w : liste)
        if (w.art == ART_GRUPPE && w.naechste_runde >= 0) nach_gruppen.insert(w.naechste_runde);
    std::vector<ZeitplanWettbewerb> out;
    for (const WettbewerbBeschreibung& w : liste) out.push_back(Zeitplan_Wettbewerb_Von(w, nach_gruppen.count(w.id) > 0));
    return out;
}

void Zeitplan_Ergaenzen(Zeitplan& z, const std::vector<ZeitplanWettbewerb>& liste) {
    std::set<std::tuple<int32_t, int32_t, int32_t>> vorhanden;
    for (const ZeitplanTermin& t : z.termine) vorhanden.insert({t.wettbewerb, t.runde, t.spieltag});
    const int32_t jahr = z.start_jahr;
    const int32_t saison_laenge = Zeitplan_Tagnummer(z.wechsel_tag, z.wechsel_monat, jahr + 1) -
                                  Zeitplan_Tagnummer(z.wechsel_tag, z.wechsel_monat, jahr);
    for (const ZeitplanWettbewerb& w : liste) {
        if (w.art == ART_FREUNDSCHAFT || w.runden <= 0) continue;
        const int32_t slots = std::min(w.runden, ZEITPLAN_RUNDEN_MAX) * std::clamp(w.legs, 1, 2);
        const Fenster f = Fenster_Von(w);
        const int32_t von = Zeitplan_Saisontag(z, f.von_tag, f.von_monat, jahr);
        const int32_t bis = Zeitplan_Saisontag(z, f.bis_tag, f.bis_monat, jahr);
        const int32_t pause_von = Zeitplan_Saisontag(z, 20, 12, jahr), pause_bis = Zeitplan_Saisontag(z, 24, 1, jahr);
        const int32_t basis = Zeitplan_Tagnummer(z.wechsel_tag, z.wechsel_monat, jahr);
        // Candidate days in order of preference, then taken in date order.
        std::set<int32_t> kandidaten;
        auto sammeln = [&](int32_t a, int32_t b, int32_t wochentag, bool pause) {
            for (int32_t s = std::max(a, 0); s <= b && s < saison_laenge; ++s) {
                if (pause && s >= pause_von && s <= pause_bis) continue;
                if (wochentag < 0 || Zeitplan_Wochentag(basis + s) == wochentag) kandidaten.insert(s);
            }
        };
        sammeln(von, bis, f.wochentag, f.winterpause);
        if (int32_t(kandidaten.size()) < slots) sammeln(von, bis, f.ersatz_wochentag, f.winterpause);
        if (int32_t(kandidaten.size()) < slots) sammeln(von, bis, -1, false);
        if (int32_t(kandidaten.size()) < slots) sammeln(1, saison_laenge - 1, -1, false);
        std::vector<int32_t> tage(kandidaten.begin(), kandidaten.end());
        const int32_t k = int32_t(tage.size());
        if (k < slots) Debug_Printf("Zeitplan_Ergaenzen: Wettbewerb %d hat %d Termine, aber nur %d Tage\n", w.id, slots, k);
        for (int32_t i = 0; i < slots && i < k; ++i) {
            int32_t runde = i / w.legs + 1, leg = i % w.legs;
            if (vorhanden.count({w.id, runde, leg})) continue;
            ZeitplanTermin t;
            t.wettbewerb = w.id;
            t.runde = runde;
            t.spieltag = leg;
            Saisondatum(z, jahr, tage[size_t(int64_t(i) * k / slots)], &t.tag, &t.monat);
            z.termine.push_back(t);
        }
    }
    std::stable_sort(z.termine.begin(), z.termine.end(), [](const ZeitplanTermin& a, const ZeitplanTermin& b) {
        return std::tie(a.wettbewerb, a.runde, a.spieltag) < std::tie(b.wettbewerb, b.runde, b.spieltag);
    });
}

Zeitplan Zeitplan_Bauen(const std::vector<ZeitplanWettbewerb>& liste, int32_t jahr) {
    Zeitplan z;
    z.start_jahr = jahr;
    Zeitplan_Ergaenzen(z, liste);
    return z;
}

std::string Zeitplan_Config_Text(const Zeitplan& z) {
    std::string out;
    Config_Schreibe_Kommentar(out, "zeitplan.cfg - the dates of a season");
    int32_t wechsel[2] = {z.wechsel_tag, z.wechsel_monat};
    Config_Schreibe_Liste(out, "SAISONWECHSEL", wechsel, 2);
    Config_Schreibe_Wert(out, "START_JAHR", z.start_jahr);
    int32_t letzter = -1;
    for (const ZeitplanTermin& t : z.termine) {
        if (t.wettbewerb != letzter) {
            Config_Schreibe_Wert(out, "WETTBEWERB", t.wettbewerb);
            letzter = t.wettbewerb;
        }
        int32_t werte[4] = {t.runde, t.spieltag, t.tag, t.monat};
        Config_Schreibe_Liste(out, "TERMIN", werte, 4);
    }
    return out;
}

bool Zeitplan_Config_Schreiben_Pfad(const char* pfad, const Zeitplan& z) {
    if (!pfad) return false;
    std::string text = Zeitplan_Config_Text(z);
    return Plat_Write_Atomic(pfad, text.data(), text.size());
}

namespace {

bool Lesen_Offen(Zeitplan& z) {
    z = Zeitplan{};
    int32_t wettbewerb = -1;
    std::map<std::tuple<int32_t, int32_t, int32_t>, size_t> index;
    while (const char* befehl = Read_Config_Next()) {
        if (!std::strcmp(befehl, "SAISONWECHSEL")) {
            int32_t tag = Read_Config_Teil_Wert(0), monat = Read_Config_Teil_Wert(1);
            if (!Zeitplan_Datum_Gueltig(tag, monat, 2001)) Read_Config_Fehler(FEHLER_DATUM, "Kein Datum: %d.%d", tag, monat);
            else z.wechsel_tag = tag, z.wechsel_monat = monat;
        } else if (!std::strcmp(befehl, "START_JAHR")) {
            int32_t jahr = Read_Config_Get_Wert();
            if (jahr < 1900 || jahr > 2999) Read_Config_Fehler(FEHLER_WERT, "Jahr %d ausserhalb 1900-2999", jahr);
            else z.start_jahr = jahr;
        } else if (!std::strcmp(befehl, "WETTBEWERB")) {
            int32_t id = Read_Config_Get_Wert();
            if (id < WETTBEWERB_ERSTE_ID || id >= WETTBEWERB_ERSTE_ID + WETTBEWERB_MAX) {
                Read_Config_Fehler(FEHLER_WERT, "Wettbewerb %d ausserhalb", id);
                wettbewerb = -1;
            } else {
                wettbewerb = id;
            }
        } else if (!std::strcmp(befehl, "TERMIN")) {
            if (wettbewerb < 0) {
                Read_Config_Fehler(FEHLER_AUSSERHALB, "TERMIN ohne WETTBEWERB");
                continue;
            }
            ZeitplanTermin t;
            t.wettbewerb = wettbewerb;
            t.runde = Read_Config_Teil_Wert(0);
            t.spieltag = Read_Config_Teil_Wert(1);
            t.tag = Read_Config_Teil_Wert(2);
            t.monat = Read_Config_Teil_Wert(3);
            if (t.runde < 1 || t.runde > ZEITPLAN_RUNDEN_MAX || t.spieltag < 0 || t.spieltag > 1) {
                Read_Config_Fehler(FEHLER_WERT, "Runde %d / Spiel %d ausserhalb", t.runde, t.spieltag);
                continue;
            }
            // 29 February does not exist every year: refused so every season has the date.
            if (!Zeitplan_Datum_Gueltig(t.tag, t.monat, 2001)) {
                Read_Config_Fehler(FEHLER_DATUM, "Kein Datum in jedem Jahr: %d.%d", t.tag, t.monat);
                continue;
            }
            auto schluessel = std::make_tuple(t.wettbewerb, t.runde, t.spieltag);
            auto it = index.find(schluessel);
            if (it != index.end()) {
                Read_Config_Warnung(WARNUNG_DOPPELT, "Runde %d / Spiel %d doppelt", t.runde, t.spieltag);
                z.termine[it->second] = t;
            } else {
                index[schluessel] = z.termine.size();
                z.termine.push_back(t);
            }
        } else {
            Read_Config_Unbekannter_Befehl(FEHLER_BEFEHL);
        }
    }
    Read_Config_Close();
    std::stable_sort(z.termine.begin(), z.termine.end(), [](const ZeitplanTermin& a, const ZeitplanTermin& b) {
        return std::tie(a.wettbewerb, a.runde, a.spieltag) < std::tie(b.wettbewerb, b.runde, b.spieltag);
    });
    return true;
}

}  // namespace

bool Zeitplan_Config_Lesen(Zeitplan& z) {
    if (!Read_Config_Open(CONFIG_ZEITPLAN)) return false;
    return Lesen_Offen(z);
}

bool Zeitplan_Config_Lesen_Pfad(const char* pfad, Zeitplan& z) {
    if (!pfad || !Read_Config_Open_Pfad(pfad, nullptr)) return false;
    return Lesen_Offen(z);
}

bool Zeitplan_Config_Lesen_Text(const char* text, size_t bytes, Zeitplan& z) {
    if (!Read_Config_Open_Text(text, bytes, "zeitplan.cfg", nullptr, 0)) return false;
    return Lesen_Offen(z);
}

namespace {

// Region "Zeitplan": u32 1 with a schedule (0 without), then i32 change day,
// change month and first year, u32 date count and per date i32 competition,
// round, leg, day, month. Loading keeps to the reader's limits.
bool Cache_Speichern(std::vector<uint8_t>& out) {
    Le_Put_U32(out, g.welt_vorhanden ? 1 : 0);
    if (!g.welt_vorhanden) return true;
    const Zeitplan& z = g.welt;
    for (int32_t v : {z.wechsel_tag, z.wechsel_monat, z.start_jahr}) Le_Put_U32(out, uint32_t(v));
    Le_Put_U32(out, uint32_t(z.termine.size()));
    for (const ZeitplanTermin& t : z.termine)
        for (int32_t v : {t.wettbewerb, t.runde, t.spieltag, t.tag, t.monat}) Le_Put_U32(out, uint32_t(v));
    return true;
}

bool Cache_Laden(const uint8_t* daten, size_t bytes) {
    LeLeser l(daten, bytes);
    const uint32_t vorhanden = l.u32();
    Zeitplan z;
    if (vorhanden == 1) {
        z.wechsel_tag = int32_t(l.u32());
        z.wechsel_monat = int32_t(l.u32());
        z.start_jahr = int32_t(l.u32());
        const uint32_t n = l.u32();
        if (!l.ok || !Zeitplan_Datum_Gueltig(z.wechsel_tag, z.wechsel_monat, 2001) || z.start_jahr < 1900 ||
            z.start_jahr > 2999 || n > uint32_t(WETTBEWERB_MAX * ZEITPLAN_RUNDEN_MAX * 2) || n * 20ull != l.rest)
            return false;
        z.termine.resize(n);
        for (ZeitplanTermin& t : z.termine) {
            t.wettbewerb = int32_t(l.u32());
            t.runde = int32_t(l.u32());
            t.spieltag = int32_t(l.u32());
            t.tag = int32_t(l.u32());
            t.monat = int32_t(l.u32());
            if (t.wettbewerb < WETTBEWERB_ERSTE_ID || t.wettbewerb >= WETTBEWERB_ERSTE_ID + WETTBEWERB_MAX ||
                t.runde < 1 || t.runde > ZEITPLAN_RUNDEN_MAX || t.spieltag < 0 || t.spieltag > 1 ||
                !Zeitplan_Datum_Gueltig(t.tag, t.monat, 2001))
                return false;
        }
    } else if (vorhanden != 0) {
        return false;
    }
    if (!l.ok || l.rest != 0) return false;
    g.welt_vorhanden = vorhanden == 1;
    g.welt = std::move(z);
    return true;
}

}  // namespace

bool Zeitplan_Welt_Lesen() {
    Zeitplan_Welt_Free();
    const std::string name = Config_Datei_Name(CONFIG_ZEITPLAN);
    if (Config_Pfad(Config_Satz(), name.c_str()).empty()) {
        Debug_Printf("Zeitplan_Welt_Lesen: kein %s, die Termine werden gebaut\n", name.c_str());
        return true;
    }
    if (!Zeitplan_Config_Lesen(g.welt)) return false;
    g.welt_vorhanden = true;
    return true;
}

const Zeitplan* Zeitplan_Welt() { return g.welt_vorhanden ? &g.welt : nullptr; }

void Zeitplan_Welt_Free() { g = ZeitplanModul{}; }

bool Zeitplan_Cache_Anmelden() {
    return Config_Bin_Region_Anmelden("Zeitplan", Cache_Speichern, Cache_Laden, {Config_Datei_Name(CONFIG_ZEITPLAN)});
}

}  // namespace velmora
