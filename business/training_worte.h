// business/training_worte.h - the save blocks of the training modules: records
// made only of 32-bit fields, written and read word by word, little-endian.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "core/bytes.h"
#include "core/le.h"

namespace velmora {

// Appends a record of 32-bit fields (its size a multiple of 4).
template <typename T>
void Training_Worte_Schreiben(const T& satz, std::vector<uint8_t>& out) {
    static_assert(sizeof(T) % 4 == 0);
    uint32_t wort[sizeof(T) / 4];
    std::memcpy(wort, &satz, sizeof(T));
    for (uint32_t w : wort) Le_Put_U32(out, w);
}

// Reads such a record at `*pos`; false (and `*pos` unchanged) when too few bytes remain.
template <typename T>
bool Training_Worte_Lesen(const uint8_t* in, size_t bytes, size_t* pos, T* satz) {
    static_assert(sizeof(T) % 4 == 0);
    if (!in || bytes < *pos || bytes - *pos < sizeof(T)) return false;
    uint32_t wort[sizeof(T) / 4];
    for (size_t i = 0; i < sizeof(T) / 4; ++i) wort[i] = Bytes_Get32(in + *pos + 4 * i);
    std::memcpy(satz, wort, sizeof(T));
    *pos += sizeof(T);
    return true;
}

}  // namespace velmora
