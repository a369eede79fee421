// core/pruefsumme.h - the CRC-32 of zlib (polynomial 0xEDB88320), faster on long buffers.
#pragma once

#include <cstddef>
#include <cstdint>

namespace velmora {

// The running CRC-32 `crc` continued over `n` bytes, exactly as zlib's crc32()
// gives it (start with 0). Long buffers are folded with carry-less
// multiplication where the processor has it.
uint32_t Pruefsumme_Crc32(uint32_t crc, const uint8_t* daten, size_t n);

}  // namespace velmora
