// core/le.h - growing and bounded readers of little-endian blocks.
//
// On top of the field helpers of core/bytes.h: appending fields to a growing
// block, and reading fields in order from a bounded one.
#pragma once
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "core/bytes.h"

namespace velmora {

inline uint64_t Le_U64(const uint8_t* p) { return uint64_t(Bytes_Get32(p)) | (uint64_t(Bytes_Get32(p + 4)) << 32); }

inline void Le_Put_U16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}
inline void Le_Put_U32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(uint8_t(v >> (8 * i)));
}
inline void Le_Put_U64(std::vector<uint8_t>& out, uint64_t v) {
    Le_Put_U32(out, uint32_t(v));
    Le_Put_U32(out, uint32_t(v >> 32));
}
inline void Le_Put_Bytes(std::vector<uint8_t>& out, const void* daten, size_t bytes) {
    const uint8_t* p = static_cast<const uint8_t*>(daten);
    if (bytes) out.insert(out.end(), p, p + bytes);
}
// A text as u32 length and its bytes (no zero).
inline void Le_Put_Text(std::vector<uint8_t>& out, const std::string& text) {
    Le_Put_U32(out, uint32_t(text.size()));
    Le_Put_Bytes(out, text.data(), text.size());
}

// Reads fields in order from a bounded block; every read past the end fails
// and leaves the reader failed, so a damaged block is refused as a whole.
struct LeLeser {
    const uint8_t* p;
    size_t rest;
    bool ok = true;

    LeLeser(const uint8_t* daten, size_t bytes) : p(daten), rest(bytes) {}
    bool nimm(size_t n) {
        if (!ok || n > rest) return ok = false;
        return true;
    }
    uint32_t u32() {
        if (!nimm(4)) return 0;
        uint32_t v = Bytes_Get32(p);
        p += 4;
        rest -= 4;
        return v;
    }
    uint64_t u64() {
        if (!nimm(8)) return 0;
        uint64_t v = Le_U64(p);
        p += 8;
        rest -= 8;
        return v;
    }
    const uint8_t* bytes(size_t n) {
        if (!nimm(n)) return nullptr;
        const uint8_t* r = p;
        p += n;
        rest -= n;
        return r;
    }
    std::string text() {
        uint32_t n = u32();
        const uint8_t* b = bytes(n);
        return b ? std::string(reinterpret_cast<const char*>(b), n) : std::string();
    }
};

}  // namespace velmora
