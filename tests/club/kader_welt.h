// tests/club/kader_welt.h - a large world of clubs with random squads for the
// line-up and transfer tests, and the checks every sound line-up passes.
#pragma once
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "club/aufstellung.h"
#include "club/formation.h"
#include "tests/club/welt.h"

namespace velmora::test {

// Random numbers of the tests' own, so that the game's Rnd stays untouched.
struct TestZufall {
    uint64_t s;
    explicit TestZufall(uint64_t seed) : s(seed * 2862933555777941757ull + 3037000493ull) {}
    int32_t operator()(int32_t lo, int32_t hi) {
        s = s * 6364136223846793005ull + 1442695040888963407ull;
        return lo + int32_t((s >> 33) % uint64_t(hi - lo + 1));
    }
};

// Team 0 the market, then `clubs` clubs (teams 1..clubs) of `je_club` players
// of random kind, strength, form, morale and tiredness, unsorted slots.
inline void Kader_Welt_Bauen(int32_t clubs, int32_t je_club, uint64_t seed, int32_t markt = 40) {
    TestZufall z(seed);
    Spieler_Init(clubs * je_club + markt);
    Team_Init(clubs + 1);
    Team_Markt_Setzen(0);
    int32_t p = 0;
    for (int32_t t = 1; t <= clubs; ++t) {
        Team_Wert(11, t, 50, OP_SCHREIBEN);
        for (int32_t i = 0; i < je_club; ++i, ++p) {
            Team_Spieler_Hinzufuegen(t, p);
            Spieler_Wert(67, p, z(0, 9) == 0 ? 0 : z(1, 3), OP_SCHREIBEN);
            Spieler_Wert(58, p, z(0, 12000), OP_SCHREIBEN);
            Spieler_Wert(57, p, z(0, 999), OP_SCHREIBEN);
            Spieler_Wert(90, p, z(0, 6), OP_SCHREIBEN);
            Spieler_Wert(56, p, z(0, 9), OP_SCHREIBEN);
            Spieler_Wert(87, p, i, OP_SCHREIBEN);
        }
    }
    for (; p < Spieler_Anzahl(); ++p) {
        Team_Spieler_Hinzufuegen(0, p);
        Spieler_Wert(67, p, z(0, 3), OP_SCHREIBEN);
        Spieler_Wert(58, p, z(0, 12000), OP_SCHREIBEN);
    }
}

// Injures or suspends up to a third of the club's squad at random.
inline int32_t Ausfaelle_Setzen(int32_t club, TestZufall& z) {
    int32_t liste[TEAM_SPIELER_MAX];
    int32_t n = Teamspieler_Ins_Array(club, liste, TEAM_SPIELER_MAX, 0);
    for (int32_t i = 0; i < n; ++i) Spieler_Wert(75, liste[i], int32_t(SP_STATUS_NICHT_VERFUEGBAR), OP_LOESCHEN);
    int32_t ausfaelle = z(0, n / 3);
    for (int32_t k = 0; k < ausfaelle; ++k) {
        int32_t bit = z(0, 1) ? int32_t(SP_STATUS_VERLETZT) : (0x80 << z(0, 3));   // 0x80..0x400 suspensions
        Spieler_Wert(75, liste[z(0, n - 1)], bit, OP_SETZEN);
    }
    return ausfaelle;
}

// The player of the club in line-up slot `slot`, -1 none.
inline int32_t Spieler_Im_Slot(int32_t club, int32_t slot) {
    int32_t liste[TEAM_SPIELER_MAX];
    int32_t n = Teamspieler_Ins_Array(club, liste, TEAM_SPIELER_MAX, 0);
    for (int32_t i = 0; i < n; ++i)
        if (Spieler_Wert(87, liste[i], 0, OP_LESEN) == slot) return liste[i];
    return -1;
}

struct Kader_Zaehlung {
    int32_t verfuegbar = 0, torhueter = 0, feld = 0;
};

inline Kader_Zaehlung Kader_Zaehlen(int32_t club) {
    Kader_Zaehlung k;
    int32_t liste[TEAM_SPIELER_MAX];
    int32_t n = Teamspieler_Ins_Array(club, liste, TEAM_SPIELER_MAX, 0);
    for (int32_t i = 0; i < n; ++i) {
        if (Spieler_Wert(75, liste[i], 0, OP_LESEN) & int32_t(SP_STATUS_NICHT_VERFUEGBAR)) continue;
        ++k.verfuegbar;
        (Spieler_Get_Art(liste[i]) == 0 ? k.torhueter : k.feld)++;
    }
    return k;
}

// Every rule an automatic line-up must keep; returns the first one broken, "" when none.
inline std::string Auto_Aufstellung_Fehler(int32_t club, int32_t starter) {
    Kader_Zaehlung k = Kader_Zaehlen(club);
    // A goalkeeper stands in goal only; field players fill the rest.
    int32_t soll = k.torhueter > 0 ? 1 + std::min(k.feld, 10) : std::min(k.feld, 11);
    if (starter != soll) return "Anzahl der Starter " + std::to_string(starter);
    if (!Team_Aufstellung_Pruefen(club)) return "Aufstellung nicht schluessig";
    int32_t liste[TEAM_SPIELER_MAX];
    int32_t n = Teamspieler_Ins_Array(club, liste, TEAM_SPIELER_MAX, 0);
    int32_t start = 0, bank = 0, tw_bank = 0, tw_feld = 0, letzter_schluessel = 1000;
    std::vector<int32_t> nach_slot(TEAM_SPIELER_MAX, -1);
    for (int32_t i = 0; i < n; ++i) nach_slot[size_t(Spieler_Wert(87, liste[i], 0, OP_LESEN))] = liste[i];
    for (int32_t s = 0; s < TEAM_SPIELER_MAX; ++s) {
        int32_t p = nach_slot[size_t(s)];
        if (p < 0) continue;
        uint32_t st = uint32_t(Spieler_Wert(75, p, 0, OP_LESEN));
        if (s < 11 && (st & SP_STATUS_START)) {
            ++start;
            int32_t schluessel = Formation_Schluessel(Spieler_Wert(82, p, 0, OP_LESEN), Spieler_Wert(83, p, 0, OP_LESEN));
            if (schluessel >= letzter_schluessel) return "Slot " + std::to_string(s) + " nicht absteigend";
            letzter_schluessel = schluessel;
            if (Spieler_Get_Art(p) == 0 && s != SLOT_TORWART) ++tw_feld;
        }
        if (st & SP_STATUS_BANK) {
            ++bank;
            if (Spieler_Get_Art(p) == 0) ++tw_bank;
        }
    }
    if (start != starter) return "Status 16 bei " + std::to_string(start) + " Spielern";
    if (bank > 6) return "Bank zu gross";
    if (bank != std::min(6, k.verfuegbar - starter)) return "Bank nicht voll";
    int32_t im_tor = nach_slot[SLOT_TORWART];
    bool tor_besetzt = im_tor >= 0 && (Spieler_Wert(75, im_tor, 0, OP_LESEN) & int32_t(SP_STATUS_START));
    if (tor_besetzt && (Spieler_Wert(82, im_tor, 0, OP_LESEN) != 3 || Spieler_Wert(83, im_tor, 0, OP_LESEN) != 0))
        return "Torwart nicht im Tor";
    if (k.verfuegbar > 0 && !tor_besetzt) return "Tor leer";
    if (k.torhueter > 0 && Spieler_Get_Art(im_tor) != 0) return "Feldspieler im Tor trotz Torwart";
    if (tw_feld > 0) return "Torwart im Feld";
    if (k.torhueter >= 2 && bank > 0 && tw_bank == 0) return "kein Torwart auf der Bank";
    return "";
}

}  // namespace velmora::test
