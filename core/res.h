// core/res.h - resource files: "RESF" files of typed entries, and the HRF/HCF
// files of plain entries (films, menu graphics, configuration copies).
//
// RESF layout (little-endian):
//   0  "RESF"
//   4  u32 entry count
//   8  u32 file offset of the entry table
//   table: count entries of 8 bytes: i16 type, 2 unused bytes, u32 data offset.
// An entry's bytes run from its data offset to the next data offset above it
// (or the table, or the end of the file), so every reader is bounded by them.
// Entry types: 14 bitmap, 16 data block (u32 length, then the bytes), 17 font,
// 40 shape; other types (the match figures' 66) are read raw.
//
// HRF/HCF layout (little-endian):
//   0  "HRF" or "HCF" (three bytes)
//   3  u8 version, 1
//   4  u32 entry count
//   8  u32 mask key (0 in an HRF file)
//   12 table: count entries of 8 bytes: u32 data offset, u32 data length.
// In an HCF file every data byte of entry n is xored with a key stream: the
// state starts at key ^ (n * 0x9E3779B9) and before each byte becomes
// state * 1103515245 + 12345; the byte's mask is bits 16-23 of the state.
// Films are read by the video library straight from the file, so they lie in
// HRF files; an HCF file gives its entries only as unmasked memory blocks.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace velmora {

constexpr int32_t RES_SLOTS = 30;
constexpr int16_t RES_TYP_BITMAP = 14;
constexpr int16_t RES_TYP_DATEN = 16;
constexpr int16_t RES_TYP_FONT = 17;
constexpr int16_t RES_TYP_SHAPE = 40;
constexpr uint32_t RES_SHAPE_ROH = 0xFFAAFF;   // extra value: a shape's bare data instead of a bitmap

// The graphics subsystem reads bitmaps, fonts and shapes; it fills these when
// it starts. Each gets the entry's bytes (bounded to the entry) and returns the
// new object, or null when the bytes do not make one.
struct ResLoaderHooks {
    void* (*bitmap)(const uint8_t* daten, size_t bytes, int32_t tiefe) = nullptr;                  // type 14
    void* (*font)(const uint8_t* daten, size_t bytes, int32_t tiefe) = nullptr;                    // type 17
    void* (*shape)(const uint8_t* daten, size_t bytes, int32_t tiefe, uint32_t extra) = nullptr;   // type 40
};
ResLoaderHooks& Res_Loader_Hooks();

// Opens a RESF file into one of 30 slots; the base index is added to every
// entry number given to Res_Load. -1 when the file cannot be opened, is not a
// RESF file, its table lies outside the file, or all slots are taken.
int32_t Res_Open(const char* pfad, int32_t basis);
// Closes the slot; always -1, stored back as the handle.
int32_t Res_Close(int32_t slot);
// Loads entry `nummer` (plus the base index) as its type's object:
//   16: the data block in a new tracked block (freed with Mem_Free); its length
//       goes to `laenge` when that is not null;
//   14, 17, 40: through the loader hooks; `extra` is handed to the shape loader.
// Null for a closed slot, an entry outside the table, any other type, a block
// that runs past its entry or a loader that is missing or refuses.
void* Res_Load(int32_t slot, int32_t nummer, int32_t tiefe, uint32_t* laenge, uint32_t extra = 0);
// The same for an entry that must be a picture (type 14): any other entry (an
// empty data block where a file has no picture) gives null, never its bytes.
void* Res_Load_Bild(int32_t slot, int32_t nummer, int32_t tiefe);
// The type and byte count of an entry; false when the slot or entry is invalid.
bool Res_Eintrag_Info(int32_t slot, int32_t nummer, int16_t* typ, uint32_t* bytes);
// The raw bytes of an entry (any type) in a new tracked block; null when invalid.
void* Res_Eintrag_Roh(int32_t slot, int32_t nummer, uint32_t* bytes);

// A file of the resource-file directory ("%s\\%s") opened for reading, or -1.
int32_t Res_OpenFile(const char* name);

// Where an HRF/HCF entry lies.
struct ResResource {
    uint32_t offset = 0;      // of the entry's data in the file
    uint32_t laenge = 0;      // its bytes
    int32_t handle = -1;      // mode 1: the file handle, positioned at the entry
    uint32_t maskiert = 0;    // 1 when the file is HCF
    void* daten = nullptr;    // mode 0: the entry's bytes, unmasked, in a tracked block
};
constexpr int32_t RES_MODUS_SPEICHER = 0;
constexpr int32_t RES_MODUS_HANDLE = 1;
// Checks the file's magic and count and locates entry `nummer`. Mode 1 leaves
// the handle positioned at the entry (an HCF file is refused: its bytes are
// masked); mode 0 reads the entry into a block. False, with `out` cleared,
// when the file is foreign or truncated or the entry cannot be found.
bool Res_GetResource(ResResource* out, int32_t handle, int32_t nummer, int32_t modus);

// Writers, for the tools, the demo world and the tests.
struct ResDateiEintrag {
    int16_t typ = RES_TYP_DATEN;
    std::vector<uint8_t> bytes;   // the entry as it stands in the file
};
// An entry of type 16: u32 length, then the bytes.
ResDateiEintrag Res_Datenblock(const void* daten, uint32_t laenge);
// Writes a RESF file (the data first, the table behind it); false on failure.
bool Res_Schreiben(const char* pfad, const std::vector<ResDateiEintrag>& eintraege);
// Writes an HRF file, or an HCF file with its entries masked by `schluessel`.
bool Res_Hrf_Schreiben(const char* pfad, const std::vector<std::vector<uint8_t>>& eintraege, bool maskiert,
                       uint32_t schluessel);

}  // namespace velmora
