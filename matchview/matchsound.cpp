// matchview/matchsound.cpp - the sounds of a watched match (see matchsound.h).
#include "matchview/matchsound.h"

#include <algorithm>
#include <array>

#include "core/debug.h"
#include "core/mem.h"
#include "core/res.h"
#include "matchview/ansicht_zufall.h"
#include "media/sound.h"

namespace velmora {
namespace {

const MatchSoundSlot SLOTS[MATCHSOUND_SLOTS] = {
    {0, 220, false, "sound schuss 1"},        {1, 160, false, "sound schuss 2"},
    {2, 110, false, "sound schuss 3"},        {3, 100, false, "sound schuss 4"},
    {4, 90, false, "sound schuss 5"},         {5, 130, false, "sound latte 1"},
    {6, 130, false, "sound latte 2"},         {7, 130, false, "sound netz"},
    {8, 200, false, "sound torwart"},         {9, 100, false, "sound pfiff kurz"},
    {10, 100, false, "sound pfiff lang"},     {11, 255, false, "sound ab-pfiff"},
    {12, 128, false, "sound aua"},            {13, 200, false, "sound button klick"},
    {16, 0, false, "sound beam"},             {14, 200, false, "sound wechsel"},
    {15, 200, false, "sound button"},         {17, 255, true, "sound hintergrund 0"},
    {18, 255, true, "sound hintergrund 1"},   {19, 255, true, "sound fangesang 1"},
    {20, 255, true, "sound fangesang 2"},     {24, 200, false, "sound foul 1"},
    {25, 255, false, "sound pfiffe 1"},       {26, 255, false, "sound pfiffe 2"},
    {27, 128, false, "sound klatschen 1"},    {28, 200, false, "sound vorbei 1"},
    {29, 255, false, "sound reaktion 1"},     {30, 210, false, "sound reaktion 2"},
    {31, 200, false, "sound reaktion 3"},     {33, 255, false, "sound foul 2"},
    {32, 230, false, "sound reaktion 4"},     {21, 255, true, "sound fangesang 3"},
    {22, 255, true, "sound fangesang 4"},     {23, 255, false, "sound fangesang zugabe"},
    {34, 255, false, "sound torschrei"},
};

// Every set holds the same rows.
const MatchSound_Satz CUES[MATCHSOUND_CUES] = {
    {{17, 18, -1, -1, -1, -1}, 2}, {{19, 20, 31, 32, -1, -1}, 4}, {{24, -1, -1, -1, -1, -1}, 1},
    {{22, 23, -1, -1, -1, -1}, 2}, {{21, 29, -1, -1, -1, -1}, 2}, {{25, -1, -1, -1, -1, -1}, 1},
    {{26, 27, 34, -1, -1, -1}, 3}, {{28, 30, -1, -1, -1, -1}, 2}, {{33, -1, -1, -1, -1, -1}, 1},
};

struct MatchSoundModul {
    std::array<Sound_Handle*, MATCHSOUND_SLOTS> handle{};
    std::array<bool, MATCHSOUND_SLOTS> als_loop{};
    std::array<int32_t, MATCHSOUND_SLOTS> starts{};
    int32_t set = -1;
    MatchSoundStart letzter;
};
MatchSoundModul g;

void Laden(int32_t slot) {
    if (g.handle[size_t(slot)]) return;
    const int32_t datei = Sound_Hooks().resourcen_slot ? Sound_Hooks().resourcen_slot(MATCHSOUND_RES) : -1;
    uint32_t laenge = 0;
    void* daten = datei >= 0 ? Res_Load(datei, SLOTS[slot].eintrag, 0, &laenge) : nullptr;
    if (!daten) {
        Debug_Printf("MatchSound: %s (Eintrag %d) fehlt\n", SLOTS[slot].name, SLOTS[slot].eintrag);
        return;
    }
    g.handle[size_t(slot)] = Sound_Sample_Load(daten, laenge);   // the mixer keeps a copy
    Mem_Free(daten);
}

void Frei(int32_t slot) {
    g.handle[size_t(slot)] = Sound_Sample_Free(g.handle[size_t(slot)]);
    g.als_loop[size_t(slot)] = false;
}

void Starten(int32_t slot, int32_t volume, int32_t pan, bool loop) {
    g.letzter = {slot, Sound_Clamp_Byte(volume), Sound_Clamp_Byte(pan), loop};
    ++g.starts[size_t(slot)];
    Sound_Sample_Play(g.handle[size_t(slot)], g.letzter.volume, g.letzter.pan, loop);
}

// The slot of a cue's variant, -1 none.
int32_t Variante(int32_t cue, int32_t variante) {
    const MatchSound_Satz& c = CUES[cue];
    if (variante > 5) variante = -1;
    if (variante < 0 || c.slot[variante] < 0) variante = c.varianten > 0 ? Ansicht_Zufall() % c.varianten : 0;
    return c.slot[variante];
}

}  // namespace

const MatchSoundSlot& MatchSound_Slot(int32_t slot) { return SLOTS[std::clamp(slot, 0, MATCHSOUND_SLOTS - 1)]; }
const MatchSound_Satz& MatchSound_Cue(int32_t, int32_t cue) { return CUES[std::clamp(cue, 0, MATCHSOUND_CUES - 1)]; }
MatchSoundStart MatchSound_Letzter() { return g.letzter; }
int32_t MatchSound_Starts(int32_t slot) {
    return slot >= 0 && slot < MATCHSOUND_SLOTS ? g.starts[size_t(slot)] : 0;
}
int32_t MatchSound_Aktueller_Set() { return g.set; }

void MatchSound_Laden() {
    for (int32_t s = 0; s < MATCHSOUND_FEST; ++s) Laden(s);
}

void MatchSound_Free() {
    for (int32_t s = 0; s < MATCHSOUND_FEST; ++s) Frei(s);
    g.starts = {};   // the count begins again with the next loading
}

int32_t MatchSound_Init(int32_t set) {
    if (set < 0 || set >= MATCHSOUND_SETS) set = 0;
    if (set == g.set) return 1;
    MatchSound_Free_Set();
    for (const MatchSound_Satz& c : CUES)
        for (int32_t s : c.slot)
            if (s >= 0) Laden(s);
    g.set = set;
    MatchSound_Play(0, true, 0, 0, 0);   // the background loop
    return 1;
}

void MatchSound_Free_Set() {
    if (g.set >= 0)
        for (const MatchSound_Satz& c : CUES)
            for (int32_t s : c.slot)
                if (s >= 0) Frei(s);
    g.als_loop.fill(false);
    g.set = -1;
}

void MatchSound_Play(int32_t cue, bool loop, int32_t, int32_t lautstaerke, int32_t variante) {
    g.letzter = MatchSoundStart{};
    if (g.set < 0 || cue < 0 || cue >= MATCHSOUND_CUES) return;
    lautstaerke = std::clamp(lautstaerke, 0, 4);
    const int32_t slot = Variante(cue, variante);
    if (slot < 0) return;
    if (loop && !SLOTS[slot].loopbar) loop = false;
    if (loop && g.als_loop[size_t(slot)]) return;   // already looping
    Starten(slot, SLOTS[slot].volume - (4 - lautstaerke) * 10, 128, loop);
    if (loop) g.als_loop[size_t(slot)] = true;
}

void MatchSound_Update(int32_t art, int32_t lautstaerke) {
    g.letzter = MatchSoundStart{};
    if (g.set < 0) return;
    const int32_t v = (4 - std::clamp(lautstaerke, 0, 4)) * 10;
    // The first sample (cue, variant) at its volume less v, the second at its full volume.
    static constexpr int32_t PAARE[5][4] = {{7, 0, 2, 0}, {7, 0, 3, 0}, {5, 0, 2, 0}, {5, 0, 3, 0}, {6, 2, 2, 0}};
    if (art < 0 || art > 4) return;
    const int32_t* p = PAARE[art];
    const int32_t erster = CUES[p[0]].slot[p[1]], zweiter = CUES[p[2]].slot[p[3]];
    Starten(erster, SLOTS[erster].volume - v, 128, false);
    Starten(zweiter, SLOTS[zweiter].volume, 128, false);
}

void MatchSound_Trigger(int32_t slot, int32_t a, int32_t b) {
    g.letzter = MatchSoundStart{};
    if (g.set < 0 || slot < 0 || slot >= MATCHSOUND_SLOTS) return;
    Starten(slot, SLOTS[slot].volume, (a - b) * 15 + 128, false);
}

}  // namespace velmora
