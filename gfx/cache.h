// gfx/cache.h - the cache of generated bitmaps (scaled trophies, crests with
// their shadow, composed portraits): 256 entries keyed by a kind word and a list
// of 32-bit parameters. An entry lives as long as it is looked up in every
// frame: the purge after each frame's drawing drops what was not used.
#pragma once
#include <cstdint>

#include "gfx/rastport.h"

namespace velmora {

constexpr int32_t RASTPORT_CACHE_ANZAHL = 256;
constexpr uint32_t CACHE_ART_POKAL = 0xF5FDFDFDu;     // trophy pictures, 8 parameters
constexpr uint32_t CACHE_ART_WAPPEN = 0xFDFDFDFDu;    // club crests, 7 parameters
constexpr uint32_t CACHE_ART_PORTRAIT = 0xFEFEFEFAu;  // composed portraits, 4 parameters

// The first entry of that kind and count whose parameters are equal word for
// word; marks it used. None when there is no such entry.
Rastport* Rastport_Cache_Find(const int32_t* parameters, int32_t count, uint32_t kind);
// Stores the bitmap (the cache then owns it and a copy of the parameters): 1,
// or 0 when all entries are taken and the bitmap stays the caller's.
int32_t Rastport_Cache_Add(Rastport* rp, const int32_t* parameters, int32_t count, uint32_t kind);
// Once per frame after drawing: frees every entry not used since the last purge.
void Rastport_Cache_Purge();
// Frees every entry.
void Rastport_Cache_Clear();
int32_t Rastport_Cache_Belegt();   // entries holding a bitmap

}  // namespace velmora
