// core/bytes.h - little-endian fields of files and packets.
//
// Everything the game writes to disk or to the wire is little-endian, field by
// field, whatever the machine; these are the only helpers that do it.
#pragma once
#include <cstdint>

namespace velmora {

inline void Bytes_Put16(uint8_t* p, uint16_t v) {
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
}
inline void Bytes_Put32(uint8_t* p, uint32_t v) {
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
    p[2] = uint8_t(v >> 16);
    p[3] = uint8_t(v >> 24);
}
inline uint16_t Bytes_Get16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }
inline uint32_t Bytes_Get32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

}  // namespace velmora
