// gfx/grafik_laden.h - the graphics subsystem's loaders for core's resource files.
#pragma once
#include <cstddef>
#include <cstdint>

namespace velmora {

constexpr uint32_t SHAPE_NUR_DATEN = 0xFFAAFF;   // `extra` asking for the bare shape data

// The loaders the resource files use for bitmaps (type 14) and shapes
// (type 40, Shape_Aus_Eintrag), and the backward unpacker of the packer's
// method 31; the composition root hands them to core.
void* Grafik_Bitmap_Laden(const uint8_t* daten, size_t bytes, int32_t tiefe);
// False (logged) when the unpacker stopped at damage.
bool Grafik_Rueckwaerts_Entpacken(uint32_t tail, uint32_t unpacked, uint32_t packed, const uint8_t* input,
                                  uint8_t* output);

// A shape entry: six u32 (width, height, x offset, y offset, reserved, size of
// the shape data), then the shape data. Gives a Rastport of the shape's size
// at the screen depth without pixel buffer that holds the prepared shape data,
// its header's offset words (i32 at 4 and 8) set to the negated x and y
// offsets; with `extra` SHAPE_NUR_DATEN the bare shape data (a tracked block).
// Null when the entry is damaged.
void* Shape_Aus_Eintrag(const uint8_t* daten, size_t bytes, int32_t tiefe, uint32_t extra);

}  // namespace velmora
