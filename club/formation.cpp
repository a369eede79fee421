// club/formation.cpp - the built-in formations, slot order of the cells,
// the club's formation byte and its tactics.
#include "club/formation.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "club/club_hooks.h"
#include "club/spieler.h"
#include "core/debug.h"
#include "core/zahlen.h"

namespace velmora {
namespace {

struct StandardFormation {
    const char* name;
    int16_t zelle[FORMATION_ZELLEN][2];   // column, row; the goalkeeper first
};

// The common systems. Defence in rows 1-3, midfield 4-7, attack 8-10; wide
// players in columns 0 and 6, the centre in column 3.
constexpr StandardFormation STANDARD[FORMATION_STANDARD_ANZAHL] = {
    {"4-4-2", {{3, 0}, {0, 2}, {2, 2}, {4, 2}, {6, 2}, {0, 5}, {2, 5}, {4, 5}, {6, 5}, {2, 9}, {4, 9}}},
    {"4-3-3", {{3, 0}, {0, 2}, {2, 2}, {4, 2}, {6, 2}, {1, 5}, {3, 5}, {5, 5}, {0, 9}, {3, 9}, {6, 9}}},
    {"3-5-2", {{3, 0}, {1, 2}, {3, 2}, {5, 2}, {2, 4}, {4, 4}, {0, 6}, {3, 6}, {6, 6}, {2, 9}, {4, 9}}},
    {"5-3-2", {{3, 0}, {0, 3}, {1, 2}, {3, 2}, {5, 2}, {6, 3}, {1, 5}, {3, 5}, {5, 5}, {2, 9}, {4, 9}}},
    {"4-2-3-1", {{3, 0}, {0, 2}, {2, 2}, {4, 2}, {6, 2}, {2, 4}, {4, 4}, {0, 7}, {3, 7}, {6, 7}, {3, 9}}},
    {"4-5-1", {{3, 0}, {0, 2}, {2, 2}, {4, 2}, {6, 2}, {0, 5}, {1, 5}, {3, 5}, {5, 5}, {6, 5}, {3, 9}}},
    {"3-4-3", {{3, 0}, {1, 2}, {3, 2}, {5, 2}, {0, 5}, {2, 5}, {4, 5}, {6, 5}, {1, 9}, {3, 9}, {5, 9}}},
    {"4-1-4-1", {{3, 0}, {0, 2}, {2, 2}, {4, 2}, {6, 2}, {3, 4}, {0, 6}, {2, 6}, {4, 6}, {6, 6}, {3, 9}}},
    {"5-4-1", {{3, 0}, {0, 3}, {1, 2}, {3, 2}, {5, 2}, {6, 3}, {0, 5}, {2, 5}, {4, 5}, {6, 5}, {3, 9}}},
    {"4-1-2-1-2", {{3, 0}, {0, 2}, {2, 2}, {4, 2}, {6, 2}, {3, 4}, {1, 6}, {5, 6}, {3, 7}, {2, 9}, {4, 9}}},
    {"4-3-1-2", {{3, 0}, {0, 2}, {2, 2}, {4, 2}, {6, 2}, {1, 5}, {3, 5}, {5, 5}, {3, 7}, {2, 9}, {4, 9}}},
    {"3-4-1-2", {{3, 0}, {1, 2}, {3, 2}, {5, 2}, {0, 5}, {2, 5}, {4, 5}, {6, 5}, {3, 7}, {2, 9}, {4, 9}}},
    {"4-2-2-2", {{3, 0}, {0, 2}, {2, 2}, {4, 2}, {6, 2}, {2, 4}, {4, 4}, {1, 7}, {5, 7}, {2, 9}, {4, 9}}},
    {"5-2-3", {{3, 0}, {0, 3}, {1, 2}, {3, 2}, {5, 2}, {6, 3}, {2, 5}, {4, 5}, {1, 9}, {3, 9}, {5, 9}}},
    {"3-6-1", {{3, 0}, {1, 2}, {3, 2}, {5, 2}, {2, 4}, {4, 4}, {0, 6}, {2, 6}, {4, 6}, {6, 6}, {3, 9}}},
    {"1-3-4-2", {{3, 0}, {3, 1}, {0, 2}, {3, 2}, {6, 2}, {0, 5}, {2, 5}, {4, 5}, {6, 5}, {2, 9}, {4, 9}}},
};

// Highest value of each tactic byte; a club starts at 0, a new game's human
// club at TAKTIK_START.
constexpr int8_t TAKTIK_MAX[TAKTIK_BYTES] = {1, 1, 9, 1, 4, 6, 4};

bool Team_Gueltig(const char* wer, int32_t team) {
    if (team < 0 || team >= Team_Anzahl()) {
        Debug_Printf("%s: Team %d ungueltig\n", wer, team);
        return false;
    }
    return true;
}

// The current formation leads the club's private part, so its address is the part's.
static_assert(offsetof(TeamOwn, aktuell) == 0);
TeamOwn* Own(int32_t team) { return reinterpret_cast<TeamOwn*>(Team_Aktuelle_Formation(team)); }

}  // namespace

int32_t Formation_Gruppe(int32_t reihe) {
    if (reihe < 0 || reihe >= FORMATION_REIHEN) return -1;
    if (reihe == 0) return GRUPPE_TOR;
    if (reihe <= 3) return GRUPPE_ABWEHR;
    if (reihe <= 7) return GRUPPE_MITTELFELD;
    return GRUPPE_ANGRIFF;
}

bool Formation_Standard(int32_t index, Formation* out) {
    if (index < 0 || index >= FORMATION_STANDARD_ANZAHL || !out) {
        Debug_Printf("Formation_Standard: Formation %d ungueltig\n", index);
        return false;
    }
    for (int32_t i = 0; i < FORMATION_ZELLEN; ++i) {
        out->zelle[i][0] = STANDARD[index].zelle[i][0];
        out->zelle[i][1] = STANDARD[index].zelle[i][1];
    }
    return true;
}

const char* Formation_Name(int32_t index) {
    if (index < 0 || index >= FORMATION_STANDARD_ANZAHL) return "";
    return STANDARD[index].name;
}

bool Formation_Pruefen(const Formation& f) {
    if (f.zelle[0][0] != FORMATION_TW_SPALTE || f.zelle[0][1] != 0) return false;
    for (int32_t i = 0; i < FORMATION_ZELLEN; ++i) {
        int32_t s = f.zelle[i][0], r = f.zelle[i][1];
        if (s < 0 || s >= FORMATION_SPALTEN || r < 0 || r >= FORMATION_REIHEN) return false;
        if (i > 0 && r == 0) return false;
        for (int32_t j = 0; j < i; ++j)
            if (f.zelle[j][0] == s && f.zelle[j][1] == r) return false;
    }
    return true;
}

bool Formation_Zelle_Von_Slot(const Formation& f, int32_t slot, int32_t* spalte, int32_t* reihe) {
    if (slot < 0 || slot >= FORMATION_ZELLEN) return false;
    int32_t schluessel[FORMATION_ZELLEN];
    for (int32_t i = 0; i < FORMATION_ZELLEN; ++i) schluessel[i] = Formation_Schluessel(f.zelle[i][0], f.zelle[i][1]);
    std::sort(schluessel, schluessel + FORMATION_ZELLEN, [](int32_t a, int32_t b) { return a > b; });
    int32_t k = schluessel[slot];
    if (spalte) *spalte = k % 10;
    if (reihe) *reihe = k / 10;
    return true;
}

void Formation_Gruppen_Zaehlen(const Formation& f, int32_t out[4]) {
    out[0] = out[1] = out[2] = out[3] = 0;
    for (int32_t i = 0; i < FORMATION_ZELLEN; ++i) {
        switch (Formation_Gruppe(f.zelle[i][1])) {
        case GRUPPE_ANGRIFF: ++out[0]; break;
        case GRUPPE_MITTELFELD: ++out[1]; break;
        case GRUPPE_ABWEHR: ++out[2]; break;
        case GRUPPE_TOR: ++out[3]; break;
        default: break;
        }
    }
}

int32_t Team_Formation_Index(int32_t team) {
    if (!Team_Gueltig("Team_Formation_Index", team)) return 0;
    int32_t index = Team_Wert(TW_FORMATION_BYTE, team, 0, OP_LESEN) & FORMATION_BYTE_INDEX;
    return index < FORMATION_STANDARD_ANZAHL ? index : 0;
}

bool Team_Formation_Assi(int32_t team) {
    if (team < 0 || team >= Team_Anzahl()) return false;
    return (Team_Wert(TW_FORMATION_BYTE, team, 0, OP_LESEN) & FORMATION_BYTE_ASSI) != 0;
}

bool Team_Formation_Waehlen(int32_t team, int32_t index) {
    if (!Team_Gueltig("Team_Formation_Waehlen", team) || !Club_Client_Darf("Team_Formation_Waehlen", team)) return false;
    Formation f;
    if (!Formation_Standard(index, &f)) return false;
    int32_t byte = Team_Wert(TW_FORMATION_BYTE, team, 0, OP_LESEN) & FORMATION_BYTE_ASSI;
    // The byte is signed: bit 128 is the sign bit of mode 8.
    Team_Wert(TW_FORMATION_BYTE, team, int8_t(uint8_t(byte | index)), OP_SCHREIBEN);
    *Team_Aktuelle_Formation(team) = f;
    Team_Aufstellung_Senden(team);
    return true;
}

void Team_Formation_Standard() {
    for (int32_t t = 0; t < Team_Anzahl(); ++t) {
        TeamOwn* own = Own(t);
        for (int32_t i = 0; i < TEAM_FORMATIONEN; ++i) Formation_Standard(i % FORMATION_STANDARD_ANZAHL, &own->gespeichert[i]);
        Formation_Standard(Team_Formation_Index(t), &own->aktuell);
    }
}

bool Trobe_Spieler_Formation_Zuruecksetzen(int32_t club) {
    if (!Team_Gueltig("Trobe_Spieler_Formation_Zuruecksetzen", club) ||
        !Club_Client_Darf("Trobe_Spieler_Formation_Zuruecksetzen", club))
        return false;
    if (!Formation_Standard(Team_Formation_Index(club), Team_Aktuelle_Formation(club))) return false;
    Team_Aufstellung_Senden(club);
    return true;
}

void Team_Formation_Flag_Loeschen(int32_t club) {
    if (!Team_Gueltig("Team_Formation_Flag_Loeschen", club)) return;
    int32_t byte = Team_Wert(TW_FORMATION_BYTE, club, 0, OP_LESEN);
    if (byte & FORMATION_BYTE_ASSI)
        Team_Wert(TW_FORMATION_BYTE, club, int8_t(uint8_t(byte & FORMATION_BYTE_INDEX)), OP_SCHREIBEN);
}

int32_t Formation_Zaehle_Reihen(int32_t team, int32_t out[4]) {
    if (!out) return 0;
    out[0] = out[1] = out[2] = out[3] = 0;
    if (!Team_Gueltig("Formation_Zaehle_Reihen", team)) return 0;
    Formation_Gruppen_Zaehlen(*Team_Aktuelle_Formation(team), out);
    return out[0] + out[1] + out[2] + out[3];
}

void Team_Aufstellung_Senden(int32_t club) {
    if (!Club_Ist_Client() || club != Club_Client_Team() || club < 0 || club >= Team_Anzahl()) return;
    const TeamOwn* own = Own(club);
    uint8_t block[TEAM_AUFSTELLUNG_BYTES];
    std::memcpy(block, &own->aktuell, sizeof own->aktuell);
    std::memcpy(block + sizeof own->aktuell, own->taktik, sizeof own->taktik);
    if (!Team_Zeiger(TZ_AUFSTELLUNG, club, block, OP_SCHREIBEN))
        Debug_Printf("Team_Aufstellung_Senden: Server hat die Aufstellung von Team %d nicht\n", club);
}

int32_t Taktik_Hoechstwert(int32_t i) { return i >= 0 && i < TAKTIK_BYTES ? TAKTIK_MAX[i] : -1; }

bool Team_Get_Aktuelle_Taktik(int32_t club, int8_t out[TAKTIK_BYTES]) {
    if (!out) return false;
    if (!Team_Gueltig("Team_Get_Aktuelle_Taktik", club)) {
        std::memset(out, 0, TAKTIK_BYTES);
        return false;
    }
    // Read for every line value of every player a line-up places: one copy.
    std::memcpy(out, Own(club)->taktik, TAKTIK_BYTES);
    return true;
}

bool Team_Set_Aktuelle_Taktik(int32_t club, const int8_t taktik[TAKTIK_BYTES]) {
    if (!taktik || !Team_Gueltig("Team_Set_Aktuelle_Taktik", club) || !Club_Client_Darf("Team_Set_Aktuelle_Taktik", club))
        return false;
    TeamOwn* own = Own(club);
    for (int32_t i = 0; i < TAKTIK_BYTES; ++i) {
        int32_t v = Clamp(taktik[i], 0, TAKTIK_MAX[i], -1);
        if (v != taktik[i])
            Debug_Printf("Team_Set_Aktuelle_Taktik: Wert nicht innerhalb der Grenzen, wert=%d,byte=%d\n", taktik[i], i);
        own->taktik[i] = int8_t(v);
    }
    Team_Aufstellung_Senden(club);
    return true;
}

}  // namespace velmora
