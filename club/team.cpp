// club/team.cpp - the team records, their accessors, player lists and save
// block (their network side is team_netz.cpp).
#include "club/team.h"

#include <algorithm>
#include <climits>
#include <utility>
#include <cstring>
#include <vector>

#include "club/aufstellung.h"
#include "club/club_config.h"
#include "club/club_hooks.h"
#include "club/club_netz.h"
#include "club/club_wert.h"
#include "club/formation.h"
#include "club/manager.h"
#include "club/spieler.h"
#include "club/spieler_saetze.h"
#include "club/team_intern.h"
#include "core/debug.h"
#include "core/spielstand.h"
#include "core/str.h"

namespace velmora {
namespace team_intern {

TeamModul g;

bool Gueltig(const char* wer, int32_t team) {
    if (!g.initialisiert || team < 0 || team >= int32_t(g.satz.size())) {
        Debug_Printf("%s: Team %d ungueltig\n", wer, team);
        return false;
    }
    return true;
}

void Besitzer_Setzen(int32_t spieler, int32_t team) {
    if (spieler < 0 || spieler >= SPIELER_MAX) return;
    if (size_t(spieler) >= g.besitzer.size()) g.besitzer.resize(size_t(spieler) + 1, -1);
    g.besitzer[size_t(spieler)] = team;
}

void Besitzer_Neu() {
    g.besitzer.assign(size_t(Spieler_Anzahl()), -1);
    for (size_t t = 0; t < g.fix.size(); ++t)
        for (int32_t i = 0; i < g.fix[t].anzahl; ++i) Besitzer_Setzen(g.fix[t].spieler[i], int32_t(t));
    if (g.markt >= 0)
        for (int32_t p : g.markt_liste) Besitzer_Setzen(p, g.markt);
}

void Kopieren(char* ziel, size_t groesse, const char* text) {
    std::memset(ziel, 0, groesse);
    if (text) std::strncpy(ziel, text, groesse - 1);
}

// Block TZ_AUFSTELLUNG: the current formation, then the seven tactic bytes.
void Aufstellung_Block_Lesen(TeamOwn& own, const uint8_t* d) {
    std::memcpy(&own.aktuell, d, sizeof own.aktuell);
    std::memcpy(own.taktik, d + sizeof own.aktuell, sizeof own.taktik);
}

}  // namespace team_intern

using namespace team_intern;

namespace {

// The one table of the team modes' limits.
struct GrenzTabelle : WertTabelle<TEAM_WERT_MODI> {
    constexpr GrenzTabelle() {
        setze(TW_TEAMWERT, 0, 1000);
        setze(TW_NATION, -1, TEAM_MAX - 1);
        setze(TW_STATUS, INT32_MIN, INT32_MAX, W_BITS);
        setze(TW_FORMATION_BYTE, -128, 127);
        setze(TW_WAPPEN, 0, 32767);
        setze(TW_KONTINENT, 0, 14);
        setze(TW_WETTBEWERB, -1, 1000000);
        setze(TW_SCOUT, -1, 99);
        setze(TW_SCOUT_SPIELER, -1, SPIELER_MAX - 1);
        setze(TW_TRIKOT_1, 0, 239);
        setze(TW_VERHANDLUNGEN, 0, 99);
        setze(TW_VERHANDLUNGEN_ANZEIGE, 0, 99);
        setze(TW_TRIKOT_TORWART, 0, 239);
        setze(TW_TRIKOT_2, 0, 239);
        setze(TW_TRIKOT_TORWART_2, 0, 239);
        setze(TW_ZWEITCLUB, -1, TEAM_MAX - 1);
        setze(TW_NUMMER, 0, TEAM_MAX - 1);
        setze(TW_WAPPENWERT, INT32_MIN, INT32_MAX);
        setze(TW_PORTRAIT, 0, 44, W_NUR_LESEN);
    }
};
constexpr GrenzTabelle GRENZEN;

constexpr size_t TEAM_BYTES = sizeof(TeamStruktur) + sizeof(TeamFix) + sizeof(TeamOwn);

void Team_Leeren(int32_t t) {
    g.satz[t] = TeamStruktur{};
    g.fix[t] = TeamFix{};
    g.own[t] = TeamOwn{};
    TeamStruktur& s = g.satz[t];
    s.wettbewerb = -1;
    s.nation = -1;
    s.jugend = -1;
    s.scout = -1;
    s.scout_spieler = -1;
    s.zweitclub = -1;
    s.nummer = int16_t(t);
}

int32_t Roh_Lesen(int32_t modus, int32_t t) {
    const TeamStruktur& s = g.satz[t];
    switch (modus) {
    case TW_TEAMWERT: return s.teamwert;
    case TW_NATION: return s.nation;
    case TW_STATUS: return int32_t(g.fix[t].status);
    case TW_FORMATION_BYTE: return g.own[t].formation_byte;   // on a client only its own club's is filled
    case TW_WAPPEN: return s.wappen;
    case TW_KONTINENT: return s.kontinent;
    case TW_WETTBEWERB: return s.wettbewerb;
    case TW_SCOUT: return s.scout;
    case TW_SCOUT_SPIELER: return s.scout_spieler;
    case TW_TRIKOT_1: return s.trikot[0];
    case TW_TRIKOT_2: return s.trikot[1];
    case TW_TRIKOT_TORWART: return s.trikot[2];
    case TW_TRIKOT_TORWART_2: return s.trikot[3];
    case TW_VERHANDLUNGEN: return s.verhandlungen;
    case TW_VERHANDLUNGEN_ANZEIGE: return s.verhandlungen_anzeige;
    case TW_ZWEITCLUB: return s.zweitclub < 0 ? g.markt : s.zweitclub;
    case TW_NUMMER: return s.nummer;
    case TW_WAPPENWERT: return s.wappenwert;
    case TW_PORTRAIT: return Manager_Portrait(t);
    default: return 0;
    }
}

void Roh_Schreiben(int32_t modus, int32_t t, int32_t v) {
    TeamStruktur& s = g.satz[t];
    switch (modus) {
    case TW_TEAMWERT: s.teamwert = int16_t(v); break;
    case TW_NATION: s.nation = v; break;
    case TW_STATUS: g.fix[t].status = uint32_t(v); break;
    case TW_FORMATION_BYTE: g.own[t].formation_byte = int8_t(v); break;
    case TW_WAPPEN: s.wappen = int16_t(v); break;
    case TW_KONTINENT: s.kontinent = int8_t(v); break;
    case TW_WETTBEWERB: s.wettbewerb = v; break;
    case TW_SCOUT: s.scout = int8_t(v); break;
    case TW_SCOUT_SPIELER: s.scout_spieler = v; break;
    case TW_TRIKOT_1: s.trikot[0] = int16_t(v); break;
    case TW_TRIKOT_2: s.trikot[1] = int16_t(v); break;
    case TW_TRIKOT_TORWART: s.trikot[2] = int16_t(v); break;
    case TW_TRIKOT_TORWART_2: s.trikot[3] = int16_t(v); break;
    case TW_VERHANDLUNGEN: s.verhandlungen = int8_t(v); break;
    case TW_VERHANDLUNGEN_ANZEIGE: s.verhandlungen_anzeige = int8_t(v); break;
    case TW_ZWEITCLUB: s.zweitclub = int16_t(v); break;
    case TW_NUMMER: s.nummer = int16_t(v); break;
    case TW_WAPPENWERT: s.wappenwert = v; break;
    default: break;
    }
}

const char* Text(const char* feld, size_t groesse) {
    char* t = Str_Temp();
    size_t n = strnlen(feld, groesse);
    std::memcpy(t, feld, n);
    t[n] = 0;
    return t;
}

bool Zeiger_Senden(int32_t modus, int32_t team, const void* daten, size_t bytes) {
    std::vector<uint8_t> a;
    ClubPacker pk{a};
    pk.i32(modus);
    pk.i32(team);
    pk.block_mit_laenge(daten, bytes);
    return Club_Remote_Int("Team_Zeiger", ANFRAGE_TEAM_ZEIGER, "iiC<=0<i", a, 0) != 0;
}

}  // namespace

bool Team_Init(int32_t anzahl) {
    if (anzahl < 0 || anzahl > TEAM_MAX) {
        Debug_Printf("Team_Init: Anzahl %d ungueltig\n", anzahl);
        return false;
    }
    Team_Free(1);
    g.satz.resize(size_t(anzahl));
    g.fix.resize(size_t(anzahl));
    g.own.resize(size_t(anzahl));
    for (int32_t t = 0; t < anzahl; ++t) Team_Leeren(t);
    g.besitzer.assign(size_t(Spieler_Anzahl()), -1);
    g.initialisiert = true;
    return true;
}

void Team_Free(int32_t behalten) {
    Manager_Alle_Freigeben();
    g.satz.clear();
    g.fix.clear();
    g.own.clear();
    g.markt_liste.clear();
    g.besitzer.clear();
    g.startteams.clear();
    g.markt = -1;
    g.initialisiert = false;
    if (behalten != 1) {
        g.lokal = -1;
        g.spiel_laeuft = 0;
        g.level = 0;
    }
}

int32_t Team_Anzahl() { return g.initialisiert ? int32_t(g.satz.size()) : 0; }

void Team_Spielstand_Setzen(int32_t laeuft, int32_t level) {
    g.spiel_laeuft = laeuft ? 1 : 0;
    g.level = level;
}
int32_t Team_Spiel_Laeuft() { return g.spiel_laeuft; }
int32_t Team_Spiel_Level() { return g.level; }

int32_t Team_Markt() { return g.initialisiert ? g.markt : -1; }

bool Team_Markt_Setzen(int32_t team) {
    if (!Gueltig("Team_Markt_Setzen", team)) return false;
    if (g.fix[team].anzahl != 0) {
        Debug_Printf("Team_Markt_Setzen: Team %d hat schon Spieler\n", team);
        return false;
    }
    if (g.markt >= 0 && !g.markt_liste.empty()) {
        Debug_Printf("Team_Markt_Setzen: Transfermarkt %d hat schon Spieler\n", g.markt);
        return false;
    }
    g.markt = team;
    return true;
}

int32_t Team_Lokal() { return g.lokal; }
void Team_Lokal_Setzen(int32_t team) { g.lokal = team >= 0 && team < Team_Anzahl() ? team : -1; }

int32_t Team_Basis_Nation() {
    for (int32_t t = 0; t < Team_Anzahl(); ++t)
        if (strncmp(g.satz[t].name, "Deutschland", sizeof g.satz[t].name) == 0) return t;
    return -1;
}

bool Team_Spieler_Hinzufuegen(int32_t team, int32_t spieler) {
    if (!Gueltig("Team_Spieler_Hinzufuegen", team)) return false;
    if (spieler < 0 || spieler >= Spieler_Anzahl() || Team_Spieler_Besitzer(spieler) != -1) {
        Debug_Printf("Team_Spieler_Hinzufuegen: Spieler %d ungueltig oder vergeben\n", spieler);
        return false;
    }
    if (team == g.markt) {
        if (int32_t(g.markt_liste.size()) >= MARKT_SPIELER_MAX) {
            Debug_Printf("Team_Spieler_Hinzufuegen: Transfermarkt voll\n");
            return false;
        }
        g.markt_liste.push_back(spieler);
    } else {
        TeamFix& f = g.fix[team];
        if (f.anzahl >= TEAM_SPIELER_MAX) {
            Debug_Printf("Team_Spieler_Hinzufuegen: Team %d voll\n", team);
            return false;
        }
        f.spieler[f.anzahl++] = uint16_t(spieler);
    }
    Besitzer_Setzen(spieler, team);
    return true;
}

bool Team_Spieler_Entfernen(int32_t team, int32_t spieler) {
    if (!Gueltig("Team_Spieler_Entfernen", team)) return false;
    if (Team_Spieler_Besitzer(spieler) != team) {
        Debug_Printf("Team_Spieler_Entfernen: Spieler %d nicht in Team %d\n", spieler, team);
        return false;
    }
    if (team == g.markt) {
        for (size_t i = 0; i < g.markt_liste.size(); ++i)
            if (g.markt_liste[i] == spieler) {
                g.markt_liste.erase(g.markt_liste.begin() + long(i));
                break;
            }
    } else {
        TeamFix& f = g.fix[team];
        for (int32_t i = 0; i < f.anzahl; ++i)
            if (f.spieler[i] == spieler) {
                for (int32_t j = i; j + 1 < f.anzahl; ++j) f.spieler[j] = f.spieler[j + 1];
                f.spieler[--f.anzahl] = 0;
                break;
            }
    }
    Besitzer_Setzen(spieler, -1);
    return true;
}

bool Team_Spieler_Wechsel_Passt(int32_t team, int32_t anderes, int32_t spieler, int32_t anderer) {
    if (!Gueltig("Team_Spieler_Wechsel_Passt", team) || !Gueltig("Team_Spieler_Wechsel_Passt", anderes)) return false;
    if ((spieler >= 0 && Team_Spieler_Besitzer(spieler) != team) ||
        (anderer >= 0 && Team_Spieler_Besitzer(anderer) != anderes) || (spieler < 0 && anderer < 0)) {
        Debug_Printf("Team_Spieler_Wechsel_Passt: Spieler %d/%d nicht in Team %d/%d\n", spieler, anderer, team, anderes);
        return false;
    }
    // A player who comes without one going the other way needs a free place.
    if (anderer < 0 && anderes != g.markt && g.fix[anderes].anzahl >= TEAM_SPIELER_MAX) {
        Debug_Printf("Team_Spieler_Wechsel_Passt: Team %d voll\n", anderes);
        return false;
    }
    if (spieler < 0 && team != g.markt && g.fix[team].anzahl >= TEAM_SPIELER_MAX) {
        Debug_Printf("Team_Spieler_Wechsel_Passt: Team %d voll\n", team);
        return false;
    }
    if (anderes == g.markt && anderer < 0 && int32_t(g.markt_liste.size()) >= MARKT_SPIELER_MAX) {
        Debug_Printf("Team_Spieler_Wechsel_Passt: Transfermarkt voll\n");
        return false;
    }
    return true;
}

bool Team_Spieler_Kommt_Und_Geht(int32_t team, int32_t anderes, int32_t spieler, int32_t anderer, int32_t) {
    if (Club_Ist_Client()) {
        Debug_Printf("Team_Spieler_Kommt_Und_Geht: CLIENT-WRITE!\n");
        return false;
    }
    if (!Team_Spieler_Wechsel_Passt(team, anderes, spieler, anderer)) return false;
    if (spieler >= 0) Team_Spieler_Entfernen(team, spieler);
    if (anderer >= 0) Team_Spieler_Entfernen(anderes, anderer);
    if (spieler >= 0) Team_Spieler_Hinzufuegen(anderes, spieler);
    if (anderer >= 0) Team_Spieler_Hinzufuegen(team, anderer);
    Team_Aufstellung_Nach_Wechsel(team, anderes, spieler, anderer);
    return true;
}

int32_t Team_Spieler_Besitzer(int32_t spieler) {
    if (spieler < 0 || size_t(spieler) >= g.besitzer.size()) return -1;
    return g.besitzer[size_t(spieler)];
}

bool Team_Wert_Grenzen(int32_t modus, int32_t* unten, int32_t* oben) { return GRENZEN.grenzen(modus, unten, oben); }

int32_t Team_Wert(int32_t modus, int32_t team, int32_t wert, int32_t op) {
    if (!g.initialisiert || team < 0 || team >= int32_t(g.satz.size())) {
        Debug_Printf("Team_Wert: Team %d ungueltig, modus=%d\n", team, modus);
        return 0;
    }
    const WertGrenze* grenze = GRENZEN.finde(modus);
    if (!grenze) {
        Debug_Printf("Team_Wert: Modus %d ungueltig\n", modus);
        return 0;
    }
    const WertGrenze& gr = *grenze;
    if (op == OP_LESEN || op == OP_PROZENT) {
        int32_t v = Roh_Lesen(modus, team);
        return op == OP_LESEN ? v : Wert_Prozent(v, gr);
    }
    if (gr.flags & W_NUR_LESEN) {
        Debug_Printf("Team_Wert: Modus %d nicht beschreibbar!\n", modus);
        return 0;
    }
    if (!Wert_Operation_Pruefen("Team_Wert", op, modus, gr)) return 0;
    if (!Club_Client_Darf("Team_Wert", team)) return 0;
    int32_t neu = Wert_Operation("Team_Wert", op, modus, Roh_Lesen(modus, team), wert, gr);
    Roh_Schreiben(modus, team, neu);
    int32_t server;
    if (Club_Ist_Client() && Wert_Senden("Team_Wert", ANFRAGE_TEAM_WERT, modus, team, wert, op, gr, &server)) {
        Roh_Schreiben(modus, team, server);
        return server;
    }
    return neu;
}

const char* Team_String(int32_t modus, int32_t team, int32_t, int32_t) {
    if (!Gueltig("Team_String", team)) return "Team_String_Error";
    const TeamStruktur& s = g.satz[team];
    switch (modus) {
    case TS_NAME:
    case TS_PLATZ_OHNE:
    case TS_PLATZ_MEISTER:
    case TS_PLATZ_AUFSTIEG:
    case TS_PLATZ_ABSTIEG: return Text(s.name, sizeof s.name);
    case TS_MANAGER: return Manager_Name(team);
    case TS_STADT: return Text(s.stadt, sizeof s.stadt);
    case TS_STADION_NAME: {
        const StadionVorgabe* st = Team_Stadion_Vorgabe(team);
        return st ? st->name.c_str() : "";
    }
    case TS_KUERZEL: return Team_Kuerzel(team, s.name_kurz[0] ? Text(s.name_kurz, sizeof s.name_kurz) : Text(s.name, sizeof s.name));
    case TS_NATION:
        if (s.nation < 0 || s.nation >= Team_Anzahl()) return "Team_String_Error";
        return Text(g.satz[s.nation].name, sizeof s.name);
    case TS_NAME_KURZ: return s.name_kurz[0] ? Text(s.name_kurz, sizeof s.name_kurz) : Text(s.name, sizeof s.name);
    default:
        Debug_Printf("Team_String: Modus %d ungueltig\n", modus);
        return "Team_String_Error";
    }
}

bool Team_Namen_Setzen(int32_t team, const char* name, const char* kurz, const char* stadt) {
    if (!Gueltig("Team_Namen_Setzen", team)) return false;
    if (Club_Ist_Client()) {
        Debug_Printf("Team_Namen_Setzen: CLIENT-WRITE!\n");
        return false;
    }
    TeamStruktur& s = g.satz[team];
    if (name) Kopieren(s.name, sizeof s.name, name);
    if (kurz) Kopieren(s.name_kurz, sizeof s.name_kurz, kurz);
    if (stadt) Kopieren(s.stadt, sizeof s.stadt, stadt);
    return true;
}

bool Team_String_Setzen(int32_t modus, int32_t team, const char* text) {
    if (!Gueltig("Team_String_Setzen", team) || !text) return false;
    if (Club_Ist_Client()) {
        Debug_Printf("Team_String_Setzen: CLIENT-WRITE!\n");
        return false;
    }
    switch (modus) {
    case TS_NAME_KURZ:
        // A shown name longer than the short name's field is the club's name
        // itself, shown while the short name stays empty.
        if (std::strlen(text) >= sizeof(TeamStruktur::name_kurz)) return Team_Namen_Setzen(team, text, "", nullptr);
        return Team_Namen_Setzen(team, nullptr, text, nullptr);
    case TS_STADT: return Team_Namen_Setzen(team, nullptr, nullptr, text);
    case TS_KUERZEL: return Team_Kuerzel_Setzen(team, text);
    case TS_STADION_NAME: {
        // A stadium without a name is no stadium line at all: an empty name keeps the old one.
        if (!*text) return false;
        const StadionVorgabe* st = Team_Stadion_Vorgabe(team);
        return Team_Stadion_Vorgabe_Setzen(team, text, st ? st->sitze : 0, st ? st->stehplaetze : 0);
    }
    default:
        Debug_Printf("Team_String_Setzen: Modus %d ungueltig\n", modus);
        return false;
    }
}

void* Team_Zeiger(int32_t modus, int32_t team, void* puffer, int32_t op) {
    if (!Gueltig("Team_Zeiger", team)) return nullptr;
    bool schreiben = op == OP_SCHREIBEN;
    if ((modus == TZ_PANEL || modus == TZ_FARBEN || modus == TZ_AUFSTELLUNG || modus == TZ_FORMATIONEN) && schreiben) {
        if (!puffer) {
            Debug_Printf("Team_Zeiger: kein Puffer, modus=%d\n", modus);
            return nullptr;
        }
        if (!Club_Client_Darf("Team_Zeiger", team)) return nullptr;
    }
    switch (modus) {
    case TZ_KLIMA:
        if (!(g.fix[team].status & TEAM_STATUS_LAND)) return nullptr;
        return g.satz[team].klima;
    case TZ_HILFE: return Manager_Zeiger_Hilfe(team);
    case TZ_PANEL: {
        int32_t* paar = static_cast<int32_t*>(puffer);
        if (!paar) return nullptr;
        if (op == OP_ZEIGER_LESEN) return Manager_Panel_Lesen(team, paar) ? paar : nullptr;
        if (schreiben) return Manager_Panel_Schreiben(team, paar) ? paar : nullptr;
        break;
    }
    case TZ_FARBEN:
        if (op == OP_LESEN) return g.satz[team].farben;
        if (schreiben) {
            std::memcpy(g.satz[team].farben, puffer, sizeof g.satz[team].farben);
            if (Club_Ist_Client()) Zeiger_Senden(TZ_FARBEN, team, puffer, sizeof g.satz[team].farben);
            return g.satz[team].farben;
        }
        break;
    case TZ_MANAGER: return Manager_Record(team);
    case TZ_AUFSTELLUNG:   // the current formation and the seven tactic bytes, one block
        if (schreiben) {
            Aufstellung_Block_Lesen(g.own[team], static_cast<const uint8_t*>(puffer));
            if (Club_Ist_Client()) Zeiger_Senden(TZ_AUFSTELLUNG, team, puffer, TEAM_AUFSTELLUNG_BYTES);
            return &g.own[team].aktuell;
        }
        break;
    case TZ_FORMATIONEN:
        if (op == OP_ZEIGER_LESEN && puffer) {
            std::memcpy(puffer, g.own[team].gespeichert, sizeof g.own[team].gespeichert);
            return puffer;
        }
        if (schreiben) {
            std::memcpy(g.own[team].gespeichert, puffer, sizeof g.own[team].gespeichert);
            if (Club_Ist_Client()) Zeiger_Senden(TZ_FORMATIONEN, team, puffer, sizeof g.own[team].gespeichert);
            return g.own[team].gespeichert;
        }
        break;
    case TZ_STARTELF: {
        // Eleven 16-bit numbers fit the caller's 32-byte buffer; eleven 32-bit ones would not.
        int16_t* elf = static_cast<int16_t*>(puffer);
        if (!elf) return nullptr;
        for (int32_t i = 0; i < 11; ++i) elf[i] = -1;
        // The market's list is longer than a club's: its eleven may stand anywhere in it.
        std::vector<int32_t> liste(size_t(std::max(Teamspieler_Ins_Array(team, nullptr, 0, 0), 1)));
        int32_t n = Teamspieler_Ins_Array(team, liste.data(), int32_t(liste.size()), 0);
        for (int32_t i = 0; i < n; ++i) {
            int32_t slot = Spieler_Wert(SPW_SLOT, liste[i], 0, OP_LESEN);
            if (slot >= 0 && slot < 11) elf[slot] = int16_t(liste[i]);
        }
        return elf;
    }
    default: break;
    }
    Debug_Printf("Team_Zeiger: Modus %d / Operation %d ungueltig\n", modus, op);
    return nullptr;
}

Formation* Team_Aktuelle_Formation(int32_t team) {
    if (!Gueltig("Team_Aktuelle_Formation", team)) return nullptr;
    return &g.own[team].aktuell;
}

namespace {

// The players of `liste` whose records exist, who have one of the bits of
// `status_maske` (0: any) and whose bits `scout_maske` equal `scout_soll`;
// at most `grenze`, into `array` when it is given.
template <typename Nummer>
int32_t Spieler_Gefiltert(const Nummer* liste, int32_t n, int32_t* array, int32_t grenze, uint32_t status_maske,
                          uint32_t scout_maske, uint32_t scout_soll) {
    const SpielerSaetze<const SpielerStruktur> saetze(SPZ_STRUKTUR);
    // Without a mask the records need not be read (the market's whole list every day).
    const bool lesen = status_maske || scout_maske;
    int32_t anzahl = 0;
    for (int32_t i = 0; i < n && anzahl < grenze; ++i) {
        const int32_t p = int32_t(liste[i]);
        const SpielerStruktur* s = saetze(p);
        if (!s) continue;
        const uint32_t status = lesen ? s->status : 0;
        if ((status_maske && !(status & status_maske)) || (status & scout_maske) != scout_soll) continue;
        if (array) array[anzahl] = p;
        ++anzahl;
    }
    return anzahl;
}

}  // namespace

int32_t Teamspieler_Ins_Array(int32_t team, int32_t* array, int32_t max, int32_t filter) {
    if (!Gueltig("Teamspieler_Ins_Array", team)) return 0;
    if (array && max <= 0) {
        Debug_Printf("Teamspieler_Ins_Array: Groesse %d ungueltig\n", max);
        return 0;
    }
    const int32_t grenze = max > 0 ? max : INT32_MAX;
    const uint32_t status_maske = uint32_t(filter) & ~uint32_t(FILTER_NUR_SCOUT | FILTER_OHNE_SCOUT);
    if (team != g.markt) {
        const TeamFix& f = g.fix[team];
        if (!status_maske) {
            // A club's list as it stands: counted, or copied in one go.
            const int32_t anzahl = std::max(std::min(int32_t(f.anzahl), grenze), 0);
            if (array) std::copy(f.spieler, f.spieler + anzahl, array);
            return anzahl;
        }
        return Spieler_Gefiltert(f.spieler, f.anzahl, array, grenze, status_maske, 0, 0);
    }
    // The market keeps a player who is no longer valid out of every list; the
    // scout filters need the scout bit set or clear.
    const uint32_t scout_maske = (filter & (FILTER_NUR_SCOUT | FILTER_OHNE_SCOUT)) ? SP_STATUS_SCOUT : 0;
    const uint32_t scout_soll = (filter & FILTER_NUR_SCOUT) ? SP_STATUS_SCOUT : 0;
    if ((filter & FILTER_NUR_SCOUT) && (filter & FILTER_OHNE_SCOUT)) return 0;
    return Spieler_Gefiltert(g.markt_liste.data(), int32_t(g.markt_liste.size()), array, grenze, status_maske,
                             scout_maske, scout_soll);
}

const int32_t* Team_Markt_Liste(int32_t* anzahl) {
    if (!g.initialisiert || g.markt < 0 || g.markt_liste.empty()) {
        *anzahl = 0;
        return nullptr;
    }
    *anzahl = int32_t(g.markt_liste.size());
    return g.markt_liste.data();
}

bool Team_Ist_Normal(int32_t team, int32_t maske) {
    if (team < 0 || team >= Team_Anzahl() || team == g.markt) return false;
    uint32_t status = g.fix[team].status;
    if (status & (TEAM_STATUS_1 | TEAM_STATUS_LAND | uint32_t(maske))) return false;
    return g.satz[team].wettbewerb >= 0;
}

bool Team_Ist_Nationalteam(int32_t team) {
    return team >= 0 && team < Team_Anzahl() && (g.fix[team].status & TEAM_STATUS_LAND);
}

bool Team_Hat_Manager(int32_t team) { return team >= 0 && team < Team_Anzahl() && Manager_Record(team); }

bool Team_Hat_Aktiven_Manager(int32_t team) {
    if (!Team_Hat_Manager(team)) return false;
    switch (Club_Netzwerk_Modus()) {
    case 1: return team == Club_Client_Team();
    case 2: return !(g.fix[team].status & (TEAM_STATUS_NETZ | TEAM_STATUS_CLIENT));   // a client's club or its placeholder
    default: return true;
    }
}

bool Manager_Oder_Netzwerk_Team(int32_t team) {
    if (team < 0 || team >= Team_Anzahl()) return false;
    return Team_Hat_Manager(team) || (g.fix[team].status & (TEAM_STATUS_NETZ | TEAM_STATUS_CLIENT));
}

bool Team_Hat_Wettbewerb(int32_t team) { return team >= 0 && team < Team_Anzahl() && g.satz[team].wettbewerb >= 0; }

void Team_Save(std::vector<uint8_t>& out) {
    int32_t n = Team_Anzahl();
    ClubPacker pk{out};
    pk.i32(n);
    pk.i32(g.spiel_laeuft);
    pk.i32(g.level);
    pk.i32(g.initialisiert ? g.markt : -1);
    pk.i32(g.lokal);
    for (int32_t t = 0; t < n; ++t) {
        TeamStruktur s = g.satz[t];
        s.manager_platz = 0;       // never a pointer on disk
        pk.block(&s, sizeof s);
    }
    pk.block(g.fix.data(), sizeof(TeamFix) * size_t(n));
    pk.block(g.own.data(), sizeof(TeamOwn) * size_t(n));
    pk.i32(int32_t(g.markt_liste.size()));
    for (int32_t p : g.markt_liste) pk.i32(p);
}

namespace {

// What a loaded team holds that no write of the game gives: a value outside
// its mode's limits, a youth team or second club outside the teams, a scouted
// player outside the players, a formation cell off the grid. Null when sound.
const char* Team_Satz_Fehler(const TeamStruktur& s, const TeamOwn& o, int32_t teams, int32_t spieler) {
    const std::pair<int32_t, int32_t> werte[] = {
        {TW_TEAMWERT, s.teamwert},   {TW_NATION, s.nation},         {TW_WAPPEN, s.wappen},
        {TW_KONTINENT, s.kontinent}, {TW_WETTBEWERB, s.wettbewerb}, {TW_SCOUT, s.scout},
        {TW_SCOUT_SPIELER, s.scout_spieler}, {TW_TRIKOT_1, s.trikot[0]}, {TW_TRIKOT_2, s.trikot[1]},
        {TW_TRIKOT_TORWART, s.trikot[2]}, {TW_TRIKOT_TORWART_2, s.trikot[3]}, {TW_VERHANDLUNGEN, s.verhandlungen},
        {TW_VERHANDLUNGEN_ANZEIGE, s.verhandlungen_anzeige}, {TW_ZWEITCLUB, s.zweitclub}, {TW_NUMMER, s.nummer},
    };
    for (const auto& [modus, v] : werte) {
        const WertGrenze* gr = GRENZEN.finde(modus);
        if (gr && (v < gr->unten || v > gr->oben)) return "Wert ausserhalb seiner Grenzen";
    }
    if (s.jugend < -1 || s.jugend >= teams || s.zweitclub >= teams) return "Team ausserhalb";
    if (s.scout_spieler >= spieler) return "Spieler ausserhalb";
    for (const Formation* f = &o.aktuell; f <= &o.gespeichert[TEAM_FORMATIONEN - 1]; ++f)
        for (const auto& z : f->zelle)
            if (z[0] < -1 || z[0] > 6 || z[1] < -1 || z[1] > 10) return "Formation ausserhalb des Feldes";
    return nullptr;
}

}  // namespace

bool Team_Load(const uint8_t* in, size_t bytes) {
    ClubLeser l{in, bytes};
    int32_t n = l.i32(), laeuft = l.i32(), level = l.i32(), markt = l.i32(), lokal = l.i32();
    if (l.fehler || n < 0 || n > TEAM_MAX || markt < -1 || markt >= n || lokal < -1 || lokal >= n ||
        bytes - l.pos < size_t(n) * TEAM_BYTES + 4) {
        Debug_Printf("Team_Load: Block beschaedigt (%zu Bytes, Anzahl %d)\n", bytes, n);
        return false;
    }
    const uint8_t* saetze = in + l.pos;
    const uint8_t* fixe = saetze + sizeof(TeamStruktur) * size_t(n);
    const uint8_t* owns = fixe + sizeof(TeamFix) * size_t(n);
    l.pos += size_t(n) * TEAM_BYTES;
    int32_t m = l.i32();
    if (l.fehler || m < 0 || m > MARKT_SPIELER_MAX || (markt < 0 && m > 0) || bytes - l.pos != size_t(m) * 4) {
        Debug_Printf("Team_Load: Transfermarkt beschaedigt (%d Spieler)\n", m);
        return false;
    }
    // Every player number must name a loaded player and stand in one list only.
    int32_t spieler = Spieler_Anzahl();
    std::vector<uint8_t> gesehen(size_t(spieler), 0);
    for (int32_t t = 0; t < n; ++t) {
        TeamFix f;
        std::memcpy(&f, fixe + sizeof(TeamFix) * size_t(t), sizeof f);
        if (f.anzahl > TEAM_SPIELER_MAX || (t == markt && f.anzahl)) {
            Debug_Printf("Team_Load: Team %d hat %d Spieler\n", t, f.anzahl);
            return false;
        }
        for (int32_t i = 0; i < f.anzahl; ++i) {
            if (f.spieler[i] >= spieler || gesehen[f.spieler[i]]++) {
                Debug_Printf("Team_Load: Spieler %d in Team %d ungueltig\n", f.spieler[i], t);
                return false;
            }
        }
        TeamStruktur satz;
        TeamOwn own;
        std::memcpy(&satz, saetze + sizeof(TeamStruktur) * size_t(t), sizeof satz);
        std::memcpy(&own, owns + sizeof(TeamOwn) * size_t(t), sizeof own);
        if (const char* fehler = Team_Satz_Fehler(satz, own, n, spieler)) {
            Debug_Printf("Team_Load: Team %d: %s\n", t, fehler);
            return false;
        }
    }
    std::vector<int32_t> liste(static_cast<size_t>(m));
    for (int32_t i = 0; i < m; ++i) {
        liste[size_t(i)] = l.i32();
        int32_t p = liste[size_t(i)];
        if (p < 0 || p >= spieler || gesehen[size_t(p)]++) {
            Debug_Printf("Team_Load: Marktspieler %d ungueltig\n", p);
            return false;
        }
    }
    Team_Free(0);
    g.satz.resize(size_t(n));
    g.fix.resize(size_t(n));
    g.own.resize(size_t(n));
    if (n > 0) {   // a block without teams (no game) copies nothing: an empty vector has no data
        std::memcpy(g.satz.data(), saetze, sizeof(TeamStruktur) * size_t(n));
        std::memcpy(g.fix.data(), fixe, sizeof(TeamFix) * size_t(n));
        std::memcpy(g.own.data(), owns, sizeof(TeamOwn) * size_t(n));
    }
    for (TeamStruktur& s : g.satz) s.manager_platz = 0;
    g.markt_liste = std::move(liste);
    g.markt = markt;
    g.lokal = lokal;
    g.spiel_laeuft = laeuft ? 1 : 0;
    g.level = level;
    g.initialisiert = true;
    Besitzer_Neu();
    return true;
}

bool Team_Spielstand_Anmelden() {
    return Spielstand_Block_Anmelden({"Team", 11, Team_Save, Team_Load, nullptr});
}

}  // namespace velmora
