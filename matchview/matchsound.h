// matchview/matchsound.h - the sounds of a watched match: 35 sample slots of
// "stadion_sound.res" (kicks, posts, net, whistles, the crowd's beds, chants,
// reactions and the goal roar), cues that pick one of several variant
// samples, and the volume and stereo rules.
//
// Slots 0-16 are the fixed samples (MatchSound_Laden / MatchSound_Free), slots
// 17-34 the crowd's, loaded per sound set. A sample that does not load stays
// silent: the match runs on. Variants are drawn from the views' generator.
#pragma once
#include <cstdint>

namespace velmora {

constexpr int32_t MATCHSOUND_SLOTS = 35, MATCHSOUND_FEST = 17;
constexpr int32_t MATCHSOUND_CUES = 9, MATCHSOUND_VARIANTEN = 6, MATCHSOUND_SETS = 3;
constexpr int32_t MATCHSOUND_RES = 20;   // "stadion_sound.res" in the resource-file list

// A slot's resource entry, volume, loop ability and name.
struct MatchSoundSlot {
    int32_t eintrag;
    int32_t volume;
    bool loopbar;
    const char* name;
};
const MatchSoundSlot& MatchSound_Slot(int32_t slot);

// A cue's variant slots (-1 none) and their count.
struct MatchSound_Satz {
    int32_t slot[MATCHSOUND_VARIANTEN];
    int32_t varianten;
};
const MatchSound_Satz& MatchSound_Cue(int32_t set, int32_t cue);

// What was last started, for the tests: slot, volume, pan, looping; slot -1
// when a call started nothing.
struct MatchSoundStart {
    int32_t slot = -1, volume = 0, pan = 0;
    bool loop = false;
};
MatchSoundStart MatchSound_Letzter();
// How many samples a slot's starts have begun since the fixed samples were
// last freed (every start counts, loaded or not).
int32_t MatchSound_Starts(int32_t slot);

// Loads the fixed samples 0-16.
void MatchSound_Laden();
// Frees the fixed samples.
void MatchSound_Free();
// Makes `set` current (outside 0..2 counts as 0), loading its crowd samples,
// and starts its background loop; 1.
int32_t MatchSound_Init(int32_t set);
void MatchSound_Free_Set();
int32_t MatchSound_Aktueller_Set();   // -1 none

// One sample of a cue: loudness 0-4 (volume 40 less at 0), variant 0-5 or -1 for a random one.
void MatchSound_Play(int32_t cue, bool loop, int32_t spare, int32_t lautstaerke, int32_t variante);
// The crowd's answer of a kind (0-4): two samples.
void MatchSound_Update(int32_t art, int32_t lautstaerke);
// A slot at its own volume, panned by (a - b) x 15 + 128.
void MatchSound_Trigger(int32_t slot, int32_t a, int32_t b);

}  // namespace velmora
