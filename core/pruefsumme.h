// core/pruefsumme.h - the CRC-32 of zlib (polynomial 0xEDB88320), faster on long buffers.
#pragma once

#include <cstddef>
#include <cstdint>

namespace velmora {

// The running CRC-32 `crc` continued over `n` bytes, exactly as zlib's crc32()
// gives it (start with 0). Long buffers are folded with carry-less
// multiplication where the processor has it.
uint32_t Pruefsumme_Crc32(uint32_t crc, const uint8_t* daten, size_t n);

// The ways the sum is taken: zlib's own; folded in 16-byte lanes; folded in
// four lanes a 64-byte vector (where the processor multiplies those). All
// give the same sum; Pruefsumme_Crc32 takes the fastest the processor has.
enum class PruefsummeWeg { ZLIB, FALTEN, BREIT };
// Whether this processor has the way `weg`.
bool Pruefsumme_Weg_Da(PruefsummeWeg weg);
// Pruefsumme_Crc32 the way `weg` (zlib's when the processor lacks it).
uint32_t Pruefsumme_Crc32_Weg(PruefsummeWeg weg, uint32_t crc, const uint8_t* daten, size_t n);

}  // namespace velmora
