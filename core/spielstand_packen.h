// core/spielstand_packen.h - the run-length packing of a save game's packed
// blocks. A run of three or more equal bytes (up to 130) becomes c = length +
// 125 and the byte; everything else goes in plain groups of up to 128 bytes
// behind c = count - 1.
#pragma once
#include <cstddef>
#include <cstdint>

namespace velmora {

// Room behind the stream for a plain group's fixed-size copy: a group is
// copied as one, two or eight 16-byte words (a library copy of a variable
// length starts slowly for the short lengths that dominate).
constexpr uint32_t SPIELSTAND_PACK_NACHLAUF = 128;

// Packs `n` bytes into `o`, which holds at least n + n / 128 + 1 +
// SPIELSTAND_PACK_NACHLAUF bytes (the most plain groups can take, and room for
// one group's fixed-size copy); returns the bytes written. The stream may be
// written over the input behind it (see the packed blocks' room).
size_t Spielstand_Packen(const uint8_t* p, uint32_t n, uint8_t* o);
// A piece of a block's bytes standing elsewhere in memory.
struct SpielstandStueck {
    const uint8_t* daten = nullptr;
    size_t laenge = 0;
};
// Packs the pieces one behind the other, as Spielstand_Packen packs their
// bytes copied together, without copying them together; `o` holds as much as
// Spielstand_Packen asks for the whole length.
size_t Spielstand_Packen_Stuecke(const SpielstandStueck* stuecke, size_t anzahl, uint8_t* o);
// Walks a packed stream without writing: true when it unpacks to exactly `soll` bytes.
bool Spielstand_Gepackt_Pruefen(const uint8_t* s, size_t n, uint32_t soll);
// Unpacks a stream that Spielstand_Gepackt_Pruefen accepted into `ziel`.
void Spielstand_Entpacken(const uint8_t* s, size_t n, uint8_t* ziel);

}  // namespace velmora
