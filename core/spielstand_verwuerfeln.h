// core/spielstand_verwuerfeln.h - the key stream that scrambles a save file's
// blocks, so no block's content stands plainly in the file.
#pragma once
#include <cstddef>
#include <cstdint>

namespace velmora {

// XORs the `n` bytes at `p` with a key stream drawn from the block's number
// and length; applying it twice gives the plain bytes back. Group g (bytes
// 4g..4g+3, the key's low byte on the first) takes the key after g + 1
// steps; a last short group the low bytes of the next.
void Spielstand_Verwuerfeln(uint8_t* p, size_t n, uint32_t nr, uint32_t laenge);

}  // namespace velmora
