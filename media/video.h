// media/video.h - the video slots: up to 8 films open at once, each in a
// slot, advanced and copied into the screen memory once per frame, just
// before the screen is shown.
//
// Screens open a film paused (Bnk_InitV) and start it (Bnk_PauseV with
// false). Films come from the film resource file: the setting "res_27" names
// it, "animationen.res" by default. Every slot operation takes null and free
// slots and then returns its neutral value (false, -1, 0, or true without
// effect).
#pragma once
#include <cstdint>

#include "gfx/rastport.h"
#include "media/film.h"

namespace velmora {

constexpr int32_t BINK_SLOTS = 8;
constexpr int32_t BINK_RES_NUMMER = 27;                  // "res_27"
constexpr const char* BINK_RES_DATEI = "animationen.res";
// Open flags: the source is a resource entry read through a file handle, or
// a tracked memory block (Mem_Alloc) that the slot frees when it is released.
constexpr uint32_t BINK_DATEI = 0x804000;
constexpr uint32_t BINK_SPEICHER = 0x4004000;
// The copy flags by screen depth: the copy-all bit and the kind of target.
constexpr uint32_t BINK_KOPIE_ALLES = 0x80000000u;

struct BINK_VIDEO {
    int32_t slot;                 // index in the table, -1 when free (a free slot is all 0xFF)
    const char* label;            // the caller's name for the film
    uintptr_t quelle;             // the file handle, or the memory block
    uint32_t flags;               // BINK_DATEI or BINK_SPEICHER
    Film* video;
    uint8_t eigene_bitmap;        // a Rastport of the film's size comes with the slot
    int32_t loop_anzahl;          // passes in all; 0 endless
    int32_t loops_gespielt;
    int32_t x, y;                 // the film's top-left corner in the screen memory
    int32_t breite, hoehe;
    int32_t loop_start;           // the frame each further pass begins at (from 1)
    Rastport* rastport;           // the own bitmap, or null
    uint8_t pause_angefordert;    // set by every pause or resume request, cleared by a stop
    uint8_t pausiert;             // neither advanced nor drawn
    uint8_t stop_am_ende;         // 1 for every film: the last pass ends paused on its last frame
};

struct BinkEinstellungen {
    void* fenster;
    void* ddraw;
    void* primaer;
    void* sound;
    uint32_t kopie;               // copy flags, 0 for a depth no copy serves
    int32_t tiefe;
};

// Called at every screen set-up (also at a Ctrl+B switch): stores the handles
// and chooses the copy by depth (15, 16, 24, 32; any other depth copies
// nothing and returns false). The films open in the slots stay open and keep
// playing.
bool Bink_InitBink(void* fenster, void* ddraw, void* primaer, void* sound, int32_t tiefe);
const BinkEinstellungen& Bink_Einstellungen();
// A file handle positioned on entry `nummer` of the film resource file (the
// setting "res_27", written with "animationen.res" when empty, in which case
// `datei` is opened), its length in `laenge`; -1 when the file or entry is
// missing (the file is then closed again).
int32_t Bink_OpenResource(const char* datei, int32_t nummer, uint32_t* laenge);

// Opens film `nummer` of `datei` (flags BINK_DATEI) or the memory block
// `nummer` (BINK_SPEICHER) into the first free slot, paused on frame 1; the
// loop start is the given frame + 1 (kept within the film). Null when all
// slots are taken or the film cannot be opened.
BINK_VIDEO* Bnk_InitV(uintptr_t nummer, const char* datei, int32_t loop_anzahl, int32_t loop_start, int32_t x,
                      int32_t y, uint32_t flags, const char* label, uint8_t eigene_bitmap);
// Closes the film and its source and frees the slot; false for null.
bool Bnk_RelV(BINK_VIDEO* v);
bool Bnk_RelAll();
// Pause stops advancing and drawing the film (and its sound); resuming goes
// on from the same frame. Both are remembered as the pause request.
bool Bnk_PauseV(BINK_VIDEO* v, bool pause);
bool Bnk_PauseAll(bool pause);
// Back to frame 1 and paused; the pause request is cleared.
bool Bnk_StopV(BINK_VIDEO* v);
// Per frame: advances every playing film whose next frame is due (loops at
// the last frame, or ends paused there) and copies it to (x, y) of the pixels.
void Bnk_DoFrameAll(uint16_t* pixel, int32_t pitch, int32_t hoehe);
// Copies the film's current frame to (x, y) of the pixels in the display's
// format, also while it is paused (a screen that shows a still of it);
// nothing for a free slot or a depth no copy serves.
void Bnk_Bild_Kopieren(const BINK_VIDEO* v, uint16_t* pixel, int32_t pitch, int32_t hoehe);
// Jumps (clamped to the film) and returns the current frame; -1 for null or free.
int32_t Bnk_GotoV(BINK_VIDEO* v, int32_t bild);
int32_t Bnk_FrameV(const BINK_VIDEO* v);
// The pause-request byte; 0 for null or free.
uint8_t Bnk_PauseFlagV(const BINK_VIDEO* v);

// Slot i of the table (for the tests and the debug panel), or null.
const BINK_VIDEO* Bink_Slot(int32_t i);
// The film open in slot i, to pause or close it; null when the slot is free.
BINK_VIDEO* Bink_Slot_Video(int32_t i);

}  // namespace velmora
