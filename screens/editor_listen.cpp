// screens/editor_listen.cpp - the team editor's lists and rules without icons.
#include "screens/editor_listen.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "bilder/portrait.h"
#include "bilder/trikot.h"
#include "business/stadion.h"
#include "club/club_config.h"
#include "club/global_config.h"
#include "club/spieler.h"
#include "club/talente.h"
#include "club/team.h"
#include "core/debug.h"

namespace velmora {
namespace {

constexpr int32_t MAX_STERNE = 12;

int32_t Lesen(int32_t modus, int32_t spieler) { return Spieler_Wert(modus, spieler, 0, OP_LESEN); }
void Schreiben(int32_t modus, int32_t spieler, int32_t wert) { Spieler_Wert(modus, spieler, wert, OP_SCHREIBEN); }

// Names compare byte by byte, as unsigned bytes.
int Vergleich(const char* a, const char* b) { return std::strcmp(a, b); }

const char* Nation_Name(int32_t team) {
    int32_t nation = Team_Wert(TW_NATION, team, 0, OP_LESEN);
    return nation >= 0 && nation < Team_Anzahl() ? Team_String(TS_NAME, nation, 0, 0) : "";
}

const char* Region_Name(int32_t spieler) {
    const Kontinent* k = Kontinent_Daten(Spieler_Get_Heimat_Wert(spieler));
    return k ? k->name : "";
}

int32_t Zahl_Aus(const std::string& text) {
    int64_t v = 0;
    for (char c : text) {
        if (c < '0' || c > '9') break;
        v = std::min<int64_t>(v * 10 + (c - '0'), 1000000000);
    }
    return int32_t(v);
}

constexpr int32_t AUSSEHEN_BIT[6] = {0, 2, 7, 13, 20, 26};
constexpr int32_t AUSSEHEN_BREITE[6] = {2, 5, 6, 7, 6, 6};
// The kind the portrait draws: kinds 2 and 3 are drawn as kind 1.
bool Gezeichnet_Art1(uint32_t code) { return Editor_Aussehen_Teil(code, 0) != 0; }

}  // namespace

std::vector<int32_t> Editor_Teamliste() {
    std::vector<int32_t> liste;
    for (int32_t t = 0; t < Team_Anzahl(); ++t)
        if (t != Team_Markt() && !(uint32_t(Team_Wert(TW_STATUS, t, 0, OP_LESEN)) & TEAM_STATUS_LAND)) liste.push_back(t);
    return liste;
}

void Editor_Teamliste_Sortieren(std::vector<int32_t>& liste, int32_t sortierung) {
    auto name = [](int32_t t) { return Team_String(TS_NAME_KURZ, t, 0, 0); };
    if (sortierung == EDITOR_NAME_AUF || sortierung == EDITOR_NAME_AB) {
        const bool ab = sortierung == EDITOR_NAME_AB;
        std::stable_sort(liste.begin(), liste.end(), [&](int32_t a, int32_t b) {
            int v = Vergleich(name(a), name(b));
            return ab ? v > 0 : v < 0;
        });
        return;
    }
    std::stable_sort(liste.begin(), liste.end(), [&](int32_t a, int32_t b) {
        if (int v = Vergleich(Nation_Name(a), Nation_Name(b))) return v < 0;
        int32_t la = Team_Wert(TW_WETTBEWERB, a, 0, OP_LESEN), lb = Team_Wert(TW_WETTBEWERB, b, 0, OP_LESEN);
        if (la != lb) return la < lb;
        return Vergleich(name(a), name(b)) < 0;
    });
}

std::vector<int32_t> Editor_Spielerliste(int32_t club) {
    if (club < 0) club = 1;
    int32_t puffer[TEAM_SPIELER_MAX];
    int32_t n = Teamspieler_Ins_Array(club, puffer, TEAM_SPIELER_MAX, 0);
    std::vector<int32_t> liste(puffer, puffer + std::max(n, 0));
    std::stable_sort(liste.begin(), liste.end(),
                     [](int32_t a, int32_t b) { return Lesen(SPW_SLOT, a) < Lesen(SPW_SLOT, b); });
    return liste;
}

std::vector<int32_t> Editor_Marktliste(int32_t art, int32_t regionen[EDITOR_REGIONEN]) {
    std::vector<int32_t> liste(MARKT_SPIELER_MAX);
    int32_t n = Team_Markt() < 0 ? 0
                                 : Teamspieler_Ins_Array(Team_Markt(), liste.data(), MARKT_SPIELER_MAX,
                                                         art == 1 ? FILTER_NUR_SCOUT : FILTER_OHNE_SCOUT);
    liste.resize(size_t(std::max(n, 0)));
    if (art == 1) {
        std::stable_sort(liste.begin(), liste.end(), [](int32_t a, int32_t b) {
            if (int v = Vergleich(Region_Name(a), Region_Name(b))) return v < 0;
            return Lesen(SPW_ART, a) < Lesen(SPW_ART, b);
        });
    } else {
        std::stable_sort(liste.begin(), liste.end(), [](int32_t a, int32_t b) {
            if (Lesen(SPW_NATION, a) != Lesen(SPW_NATION, b)) return Lesen(SPW_NATION, a) < Lesen(SPW_NATION, b);
            return Lesen(SPW_ART, a) < Lesen(SPW_ART, b);
        });
    }
    if (regionen) {
        std::fill(regionen, regionen + EDITOR_REGIONEN, 0);
        for (int32_t p : liste) {
            int32_t r = Spieler_Get_Heimat_Wert(p);
            if (r >= 0 && r < EDITOR_REGIONEN) ++regionen[r];
        }
    }
    return liste;
}

int32_t Editor_Zeilen(const std::vector<int32_t>& liste, int32_t start, int32_t* zeilen) {
    int32_t n = 0;
    for (int32_t k = 0; k < EDITOR_ZEILEN_SICHTBAR; ++k) {
        int64_t i = int64_t(start) + k;
        zeilen[k] = i >= 0 && i < int64_t(liste.size()) ? liste[size_t(i)] : -1;
        if (zeilen[k] >= 0) ++n;
    }
    return n;
}

int32_t Editor_Scrollbereich(int32_t anzahl) { return std::max(anzahl - (EDITOR_ZEILEN_SICHTBAR - 1), 0); }

bool Editor_Takt(EditorTakt& takt, uint32_t jetzt, uint32_t abstand) {
    if (takt.gelaufen && jetzt - takt.letzt < abstand) return false;
    takt.letzt = jetzt;
    takt.gelaufen = true;
    return true;
}

int32_t Editor_Staerke_Schritt(int32_t spieler, int32_t richtung) {
    int32_t s = Lesen(SPW_STERNE, spieler), m = Lesen(SPW_MAX_STERNE, spieler);
    int32_t neu = richtung == 0 ? (s <= 0 ? m : s - 1) : (s < m ? s + 1 : 0);
    Schreiben(SPW_STERNE, spieler, neu);
    return Lesen(SPW_STERNE, spieler);
}

int32_t Editor_Maximum_Schritt(int32_t spieler, int32_t richtung) {
    int32_t s = Lesen(SPW_STERNE, spieler), m = Lesen(SPW_MAX_STERNE, spieler);
    int32_t neu = richtung == 0 ? (m > s + 1 ? m - 2 : MAX_STERNE) : (m >= 11 ? (s % 2 == 0 ? s : s + 1) : m + 2);
    Schreiben(SPW_MAX_STERNE, spieler, std::min(neu, MAX_STERNE));
    return Lesen(SPW_MAX_STERNE, spieler);
}

int32_t Editor_Art_Schritt(int32_t spieler, int32_t richtung) {
    int32_t alt = Lesen(SPW_ART, spieler);
    int32_t neu = richtung == 0 ? (alt <= 0 ? 3 : alt - 1) : (alt >= 3 ? 0 : alt + 1);
    Schreiben(SPW_ART, spieler, neu);
    if ((alt == 0) != (neu == 0)) {
        // A goalkeeper's talents and a field player's exclude each other.
        const bool wird_torwart = neu == 0;
        for (int32_t id = 0; id <= ATTRIBUT_FELD_ENDE; ++id)
            Attribut_Spieler_Setze_Wert(spieler, id, wird_torwart ? ATTRIBUT_SPERREN : ATTRIBUT_ZURUECKSETZEN);
        for (int32_t id = ATTRIBUT_TW_START; id <= ATTRIBUT_TW_ENDE; ++id)
            Attribut_Spieler_Setze_Wert(spieler, id, wird_torwart ? ATTRIBUT_ZURUECKSETZEN : ATTRIBUT_SPERREN);
    }
    return Lesen(SPW_ART, spieler);
}

int32_t Editor_Feld_Laenge(int32_t feld, bool team) {
    if (team) {
        switch (feld) {
        case TS_NAME_KURZ: return 30;   // a longer one than the short name's 23 becomes the name
        case TS_KUERZEL: return int32_t(TEAM_KUERZEL_MAX);
        case TS_STADION_NAME: return 25;
        case TS_STADT: return 18;
        case EDITOR_FELD_KAPAZITAET: return 6;
        default: return 0;
        }
    }
    switch (feld) {
    case EDITOR_FELD_NUMMER:
    case EDITOR_FELD_STAERKE:
    case EDITOR_FELD_MAXIMUM: return 2;
    case EDITOR_FELD_INITIAL: return 1;
    case EDITOR_FELD_NAME: return 20;
    case EDITOR_FELD_WERT55: return 3;
    default: return 0;
    }
}

bool Editor_Feld_Numerisch(int32_t feld, bool team) {
    if (team) return feld == EDITOR_FELD_KAPAZITAET;
    return feld == EDITOR_FELD_NUMMER || feld == EDITOR_FELD_STAERKE || feld == EDITOR_FELD_MAXIMUM ||
           feld == EDITOR_FELD_WERT55;
}

std::string Editor_Feld_Text(int32_t spieler, int32_t feld) {
    switch (feld) {
    case EDITOR_FELD_INITIAL: return std::string(Spieler_String(SPS_VORNAME, spieler, 0, 0)).substr(0, 1);
    case EDITOR_FELD_NAME: return Spieler_String(SPS_NAME_FELD, spieler, 0, 0);
    case EDITOR_FELD_NUMMER:
    case EDITOR_FELD_STAERKE:
    case EDITOR_FELD_MAXIMUM:
    case EDITOR_FELD_WERT55: return std::to_string(Lesen(feld, spieler));
    default: return "";
    }
}

void Editor_Feld_Uebernehmen(int32_t spieler, int32_t feld, const std::string& text) {
    const int32_t v = Zahl_Aus(text);
    switch (feld) {
    case EDITOR_FELD_NUMMER: {
        // The number in the team file is the one the player wears in the game.
        // A team-mate who wears it takes the player's old number: a club's
        // numbers stay apart, so the new game shows the number typed (a clash
        // left there went to whichever of the two its squad listed first).
        const int32_t neu = std::clamp(v, 1, 50), alt = Lesen(feld, spieler), club = Spieler_Get_Team(spieler);
        if (neu != alt && club >= 0 && club != Team_Markt())
            for (int32_t p : Editor_Spielerliste(club))
                if (p != spieler && (Lesen(feld, p) == neu || Lesen(SPW_RUECKENNUMMER, p) == neu)) {
                    Schreiben(feld, p, alt);
                    Schreiben(SPW_RUECKENNUMMER, p, alt);
                }
        Schreiben(feld, spieler, neu);
        Schreiben(SPW_RUECKENNUMMER, spieler, neu);
        break;
    }
    case EDITOR_FELD_WERT55: Schreiben(feld, spieler, std::clamp(v, 1, 150)); break;
    case EDITOR_FELD_STAERKE: Schreiben(feld, spieler, std::min(v, Lesen(SPW_MAX_STERNE, spieler))); break;
    case EDITOR_FELD_MAXIMUM: {
        int32_t m = std::max(v, 2);
        if (m % 2 != 0 || m < Lesen(SPW_STERNE, spieler) || m > MAX_STERNE) m = MAX_STERNE;
        Schreiben(feld, spieler, m);
        break;
    }
    case EDITOR_FELD_INITIAL: {
        // The first name shows as its initial: the same initial confirmed
        // keeps the first name, another one becomes the first name "X.".
        const std::string vorname = Spieler_String(SPS_VORNAME, spieler, 0, 0);
        const auto gross = [](char c) { return char(std::toupper(static_cast<unsigned char>(c))); };
        if (!text.empty() && !vorname.empty() && gross(text[0]) == gross(vorname[0])) break;
        std::string initial;
        if (!text.empty()) initial = std::string(1, gross(text[0])) + ".";
        Spieler_Namen_Setzen(spieler, initial.c_str(), Spieler_String(SPS_NAME_FELD, spieler, 0, 0));
        break;
    }
    case EDITOR_FELD_NAME: {
        // A surname of blanks only is no name: the old one stays.
        if (text.find_first_not_of(' ') == std::string::npos) break;
        const std::string vorname = Spieler_String(SPS_VORNAME, spieler, 0, 0);
        Spieler_Namen_Setzen(spieler, vorname.c_str(), text.c_str());
        break;
    }
    default: Debug_Printf("Editor_Feld_Uebernehmen: Feld %d ungueltig\n", feld);
    }
}

int32_t Editor_Naechster_Spieler(const std::vector<int32_t>& liste, int32_t spieler, int32_t richtung, bool markt) {
    if (liste.empty()) return -1;
    auto it = std::find(liste.begin(), liste.end(), spieler);
    const int32_t n = int32_t(liste.size());
    if (markt) {
        int32_t i = it == liste.end() ? 0 : int32_t(it - liste.begin());
        return liste[size_t((i + (richtung ? 1 : n - 1)) % n)];
    }
    const int32_t slot = Lesen(SPW_SLOT, spieler);
    for (int32_t k = 1; k <= TEAM_SPIELER_MAX; ++k) {
        int32_t ziel = ((slot + (richtung ? k : -k)) % TEAM_SPIELER_MAX + TEAM_SPIELER_MAX) % TEAM_SPIELER_MAX;
        for (int32_t p : liste)
            if (Lesen(SPW_SLOT, p) == ziel) return p;
    }
    return spieler;
}

int32_t Editor_Wappen_Schritt(int32_t wappen, int32_t richtung) {
    if (richtung == 0) return wappen < 2 ? EDITOR_WAPPEN_MAX : std::min(wappen, EDITOR_WAPPEN_MAX + 1) - 1;
    return wappen < EDITOR_WAPPEN_MAX ? std::max(wappen, 0) + 1 : 1;
}

bool Editor_Trikot_Erlaubt(int32_t team, int32_t spalte, int32_t nummer) {
    if (spalte < 1 || spalte > 3 || nummer < 0 || nummer >= EDITOR_TRIKOTE) return false;
    for (int32_t andere = 1; andere <= 3; ++andere)
        if (andere != spalte && Team_Get_TrikotNr(team, Editor_Trikot_Art(andere)) == nummer) return false;
    return true;
}

int32_t Editor_Trikot_Schritt(int32_t team, int32_t spalte, int32_t nummer, int32_t richtung) {
    int32_t k = std::clamp(nummer, 0, EDITOR_TRIKOTE - 1);
    for (int32_t i = 0; i < EDITOR_TRIKOTE; ++i) {
        k = (k + (richtung ? 1 : EDITOR_TRIKOTE - 1)) % EDITOR_TRIKOTE;
        if (Editor_Trikot_Erlaubt(team, spalte, k)) return k;
    }
    return nummer;
}

int32_t Editor_Kapazitaet(int32_t team) {
    if (const Stadion_Satz* s = Stadion_Get(team, 1)) return s->kapazitaet;
    const StadionVorgabe* v = Team_Stadion_Vorgabe(team);
    return v ? v->sitze + v->stehplaetze : 0;
}

bool Editor_Kapazitaet_Setzen(int32_t team, int32_t zahl) {
    if (zahl < 1000 || team < 0 || team >= Team_Anzahl()) return false;
    const int32_t kapazitaet = std::min(zahl / 1000 * 1000, EDITOR_KAPAZITAET_MAX);
    std::string name;
    if (const StadionVorgabe* v = Team_Stadion_Vorgabe(team)) name = v->name;
    if (Stadion_Satz* s = Stadion_Get(team, 1)) {
        s->kapazitaet = kapazitaet;
        s->sitze = kapazitaet;
        s->stehplaetze = 0;
        if (name.empty()) name = std::string(s->name, strnlen(s->name, sizeof s->name));
    }
    // The club's STADION line carries the places into the saved file.
    if (name.empty()) name = Team_String(TS_NAME_KURZ, team, 0, 0);
    return Team_Stadion_Vorgabe_Setzen(team, name.c_str(), kapazitaet, 0);
}

bool Editor_Team_Text_Setzen(int32_t team, int32_t modus, const std::string& text) {
    const int32_t laenge = Editor_Feld_Laenge(modus, true);
    if (laenge <= 0 || modus == EDITOR_FELD_KAPAZITAET) return false;
    return Team_String_Setzen(modus, team, text.substr(0, size_t(laenge)).c_str());
}

int32_t Editor_Aussehen_Teil(uint32_t code, int32_t teil) {
    if (teil < 0 || teil > 5) return 0;
    return int32_t((code >> AUSSEHEN_BIT[teil]) & ((1u << AUSSEHEN_BREITE[teil]) - 1));
}

uint32_t Editor_Aussehen_Mit(uint32_t code, int32_t teil, int32_t wert) {
    if (teil < 0 || teil > 5) return code;
    const uint32_t maske = ((1u << AUSSEHEN_BREITE[teil]) - 1) << AUSSEHEN_BIT[teil];
    return (code & ~maske) | ((uint32_t(wert) << AUSSEHEN_BIT[teil]) & maske);
}

int32_t Editor_Aussehen_Wahlen(uint32_t code, int32_t teil) {
    if (teil < 0 || teil > 5) return 0;
    if (teil == 0) return 4;
    // As many choices as the portrait has parts for the kind it draws: every
    // step shows another face (kinds 2 and 3 offered 64 choices a part where
    // the portrait draws 10, a kind-1 code one choice of its 10 shapes).
    return PORTRAIT_SATZ[(Gezeichnet_Art1(code) ? 5 : 0) + teil].anzahl;
}

uint32_t Editor_Aussehen_Schritt(uint32_t code, int32_t teil, int32_t richtung) {
    if (teil < 1 || teil > 5) return code;
    const int32_t n = Editor_Aussehen_Wahlen(code, teil);
    int32_t v = std::min(Editor_Aussehen_Teil(code, teil), n - 1);
    v = richtung == 0 ? (v <= 0 ? n - 1 : v - 1) : (v >= n - 1 ? 0 : v + 1);
    return Editor_Aussehen_Mit(code, teil, v);
}

uint32_t Editor_Aussehen_Art_Wechsel(uint32_t arbeit, uint32_t anfang) {
    const bool arbeit_art1 = Gezeichnet_Art1(arbeit);
    const bool anfang_art1 = Gezeichnet_Art1(anfang);
    if (arbeit_art1 == anfang_art1) return arbeit_art1 ? 0u : 1u;   // kind 1 or 0 with parts 1-5 at 0
    return anfang;
}

uint32_t Editor_Aussehen_Begrenzen(uint32_t code) {
    for (int32_t teil = 1; teil <= 5; ++teil) {
        const int32_t n = Editor_Aussehen_Wahlen(code, teil);
        if (Editor_Aussehen_Teil(code, teil) >= n) code = Editor_Aussehen_Mit(code, teil, n - 1);
    }
    return code;
}

}  // namespace velmora
