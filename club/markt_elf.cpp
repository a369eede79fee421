// club/markt_elf.cpp - the transfer market's line-up.
#include "club/markt_elf.h"

#include <algorithm>
#include <vector>

#include "club/club_hooks.h"
#include "club/manager.h"
#include "club/spieler.h"
#include "club/spieler_saetze.h"
#include "club/team.h"
#include "core/rnd.h"

namespace velmora {
namespace {

constexpr int32_t RESERVE_SLOT = 19;
int32_t g_tag = -1;

// Takes one of `pool` at random out of it.
int32_t Ziehen(std::vector<int32_t>& pool) {
    const int32_t i = Rnd(0, int32_t(pool.size()) - 1);
    const int32_t s = pool[size_t(i)];
    pool.erase(pool.begin() + i);
    return s;
}

void Slot_Setzen(int32_t spieler, int32_t slot) {
    // A local write: every machine draws the same line-up for itself.
    if (auto* s = static_cast<SpielerStruktur*>(Spieler_Zeiger(SPZ_STRUKTUR, spieler))) s->slot = int8_t(slot);
}

}  // namespace

void Markt_Elf_Aufstellen(int32_t tag) {
    g_tag = tag < 0 ? 0 : tag;
    const int32_t markt = Team_Markt();
    if (markt < 0) return;
    // The kinds' pools live on between days: the market holds thousands of players.
    static std::vector<int32_t> art[4], uebrig;
    for (auto& a : art) a.clear();
    uebrig.clear();
    // One walk over the market's list: every player whose record exists goes
    // to the reserve (at most as many as there are players); each kind's pool
    // keeps the list's order.
    int32_t laenge = 0;
    const int32_t* liste = Team_Markt_Liste(&laenge);
    const int32_t grenze = Spieler_Anzahl() + 1;
    const SpielerSaetze<SpielerStruktur> saetze(SPZ_STRUKTUR);
    const SpielerSaetze<const SpielerFix> fixe(SPZ_FIX);
    for (int32_t i = 0, n = 0; i < laenge && n < grenze; ++i) {
        const int32_t s = liste[i];
        SpielerStruktur* satz = saetze(s);
        if (!satz) continue;
        ++n;
        const SpielerFix* fix = fixe(s);
        if (!fix) continue;
        satz->slot = int8_t(RESERVE_SLOT);
        if (satz->status & SP_STATUS_SCOUT) continue;
        art[std::clamp(int32_t(fix->art), 0, 3)].push_back(s);
    }
    Rnd_Push();
    Rnd_Set_Index(int32_t((int64_t(g_tag) * 7919) % RND_TABELLE), 0);
    int32_t slot = 0;
    int32_t fehlt = 0;
    for (int32_t a = 0; a < 4; ++a)
        for (int32_t k = 0; k < MARKT_ELF_ARTEN[a]; ++k) {
            if (art[a].empty()) ++fehlt;
            else Slot_Setzen(Ziehen(art[a]), slot++);
        }
    if (fehlt > 0)
        for (auto& a : art) uebrig.insert(uebrig.end(), a.begin(), a.end());
    while (fehlt-- > 0 && !uebrig.empty()) Slot_Setzen(Ziehen(uebrig), slot++);
    Rnd_Pop();
}

void Markt_Elf_Erneuern() {
    if (g_tag >= 0) Markt_Elf_Aufstellen(g_tag);
}

void Markt_Verhandlungen_Auffuellen(bool nur_neue) {
    if (Club_Ist_Client()) return;
    for (int32_t t = 0; t < Team_Anzahl(); ++t) {
        if (t == Team_Markt() || (nur_neue && Team_Wert(TW_VERHANDLUNGEN_ANZEIGE, t, 0, OP_LESEN) != 0)) continue;
        Team_Wert(TW_VERHANDLUNGEN, t, MARKT_VERHANDLUNGEN_JE_MONAT, OP_SCHREIBEN);
        Team_Wert(TW_VERHANDLUNGEN_ANZEIGE, t, MARKT_VERHANDLUNGEN_JE_MONAT, OP_SCHREIBEN);
        // A new world's managers may book their season's camps before the first 3 July too.
        if (nur_neue && Team_Hat_Manager(t)) Manager_Set_Wert_33844(t, MARKT_LAGER_JE_SAISON);
    }
}

int32_t Markt_Elf_Tag() { return g_tag; }
void Markt_Elf_Zuruecksetzen() { g_tag = -1; }

}  // namespace velmora
