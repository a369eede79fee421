// gfx/grafik_laden.h - the graphics subsystem's loaders for core's resource files.
#pragma once
#include <cstddef>
#include <cstdint>

namespace velmora {

constexpr uint32_t SHAPE_NUR_DATEN = 0xFFAAFF;   // `extra` asking for the bare shape data

// Registers the loaders of bitmaps (type 14) and shapes (type 40) with the
// resource files, and the backward unpacker as the packer's method 31.
void Grafik_Loader_Anmelden();

// A shape entry: six u32 (width, height, x offset, y offset, reserved, size of
// the shape data), then the shape data. Gives a Rastport of the shape's size
// at the screen depth without pixel buffer that holds the prepared shape data,
// its header's offset words (i32 at 4 and 8) set to the negated x and y
// offsets; with `extra` SHAPE_NUR_DATEN the bare shape data (a tracked block).
// Null when the entry is damaged.
void* Shape_Aus_Eintrag(const uint8_t* daten, size_t bytes, int32_t tiefe, uint32_t extra);

}  // namespace velmora
