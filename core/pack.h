// core/pack.h - the data packer (Compress-Lib) and the length-prefixed packed buffers.
//
// Method 26 is zlib: a packed block is u32 unpacked length, u32 packed length,
// then the zlib data (little-endian). Method 31 is the backward byte unpacker
// of the graphics subsystem: a 12-byte header (u32 tail count, u32 unpacked
// size, u32 packed size) and the packed bytes, handed over through a hook.
#pragma once
#include <cstddef>
#include <cstdint>

namespace velmora {

constexpr int32_t PACK_METHODE_ZLIB = 26;
constexpr int32_t PACK_METHODE_RUECKWAERTS = 31;
constexpr uint32_t PACK_KOPF = 8;             // the method-26 header
constexpr uint32_t PACK_RUECKWAERTS_KOPF = 12;

// The bytes every destination of Zlib_Pack must hold for `laenge` input bytes,
// so that even short or incompressible blocks pack ("abc" needs 24).
size_t Zlib_Pack_Bound(size_t laenge);
// Packs `laenge` bytes into `ziel` (capacity `kapazitaet`); returns the size of
// the packed block, or 0 when it does not fit or zlib fails (with a log line).
uint32_t Zlib_Pack(const void* quelle, void* ziel, uint32_t laenge, size_t kapazitaet);
// Unpacks a block made by Zlib_Pack of `block_laenge` bytes into `ziel`
// (capacity `kapazitaet`). Returns the unpacked length, or -1 when the block is
// damaged, runs past `block_laenge` or would not fit; never writes past `ziel`.
int32_t Zlib_Unpack(const void* block, size_t block_laenge, void* ziel, size_t kapazitaet);

// The graphics subsystem fills this with its backward byte unpacker: false
// when it stopped at damage in the packed data.
struct PackHooks {
    bool (*bytes_unpack_backward)(uint32_t tail, uint32_t unpacked, uint32_t packed, const uint8_t* input,
                                  uint8_t* output) = nullptr;
};
PackHooks& Pack_Hooks();

// Unpacks a block of the given method (26 or 31) into `ziel`; the unpacked
// length, or -1 for an unknown method, a damaged header, a block that does not
// fit, or a method-31 block with no unpacker registered or whose unpacker
// found damage (the destination's contents are then undefined).
int32_t Pack_Entpacken(int32_t methode, const void* block, size_t block_laenge, void* ziel, size_t kapazitaet);

// Frees what the packer keeps between calls (its scratch block); called at
// the end of the program. Packing afterwards starts afresh.
void Pack_Lzw_Exit();

// A length-prefixed packed buffer: u32 unpacked length, then the method-26
// block. Returns a new tracked block (freed with Mem_Free) and its size in
// `gepackt_laenge`, or null (size 0) for missing input or a failed pack.
void* Puffer_Packen(const void* daten, uint32_t laenge, uint32_t* gepackt_laenge);
// Unpacks such a buffer of `gepackt_laenge` bytes into a new tracked block;
// the unpacked length goes to `laenge`. Null (length 0) when the buffer is
// missing, damaged or its length fields disagree. An empty buffer gives a
// block of one byte and length 0.
void* Puffer_Entpacken(const void* block, uint32_t gepackt_laenge, uint32_t* laenge);

}  // namespace velmora
