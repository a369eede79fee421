// core/mem.h - tracked memory blocks.
//
// Every block carries a header in front (guard word 0xFAFAFAFA, kind, real and
// requested size, links of the list of all blocks, owner tag, guard word
// 0xAFAFAFAF) and the guard word 0xFAFAFAFA behind its data. A free checks the
// guards first: a damaged block is reported and kept, never handed to the heap.
#pragma once
#include <cstddef>
#include <cstdint>

namespace velmora {

constexpr uint32_t MEM_GUARD_VORN = 0xFAFAFAFAu;
constexpr uint32_t MEM_GUARD_KOPF = 0xAFAFAFAFu;
constexpr uint32_t MEM_GUARD_HINTEN = 0xFAFAFAFAu;
constexpr uint32_t MEM_ART_HEAP = 0xFF02u;
constexpr uint32_t MEM_ART_VIRTUELL = 0xFF01u;

struct MemBlockHeader {
    uint32_t guard_vorn;        // 0xFAFAFAFA
    uint32_t art;               // 0xFF02 heap, 0xFF01 page-protected
    size_t groesse_real;        // bytes taken from the system, header and guards included
    size_t groesse;             // bytes asked for
    MemBlockHeader* vorher;     // list of all live blocks
    MemBlockHeader* naechster;
    const char* besitzer;       // owner tag
    uint32_t schutz;            // page protection of a virtual block (0 rw, 4 ro, 2 none)
    uint32_t reserve[2];
    uint32_t guard_kopf;        // 0xAFAFAFAF, directly in front of the data
};
static_assert(sizeof(MemBlockHeader) % 16 == 0, "keeps the data 16-byte aligned");

// A block of `size` uninitialised bytes for `owner`, or null for size 0 or when
// the heap is exhausted.
void* Mem_Alloc(size_t size, const char* owner);
// The same with every byte set to `fill`.
void* Mem_Alloc_Fill(size_t size, const char* owner, uint8_t fill);
// Frees a block: 0 when freed (or for null), the block itself when a guard word
// or the kind is damaged; callers store the result back.
void* Mem_Free(void* block);
// The bytes a heap block was asked for; 0 for null or a damaged block.
size_t Mem_Groesse(const void* block);

// A page-protected block: flag 2 makes its pages inaccessible, flag 4 read-only,
// anything else read-write. Null for size 0 or failure.
void* Mem_Virtual_Alloc(size_t size, uint32_t flags, const char* owner);
// 0 when freed, else the block (an inaccessible block is not freed).
void* Mem_Virtual_Free(void* block);

// Copies the whole eight-byte words from the last one down to the first, then
// the remaining 0 to 7 bytes. The regions must not overlap.
void Mem_Copy_Fast(void* dest, const void* src, size_t bytes);

// Live blocks and their requested bytes, for leak checks.
size_t Mem_Anzahl_Bloecke();
size_t Mem_Anzahl_Bytes();

}  // namespace velmora
