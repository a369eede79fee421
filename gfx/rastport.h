// gfx/rastport.h - bitmaps: the Rastport record, its pixel buffers and planes,
// creation and release, unpacking on the first lock, the raw "NALP" file form,
// the screen's Rastport and the planar 24-bit copy.
//
// Every picture of the program is a Rastport: the screen, off-screen pictures,
// font sheets, cached crests and portraits, sprites. Pixels are 8-bit palette
// indices, 5-5-5 (depth 15) or 5-6-5 (depth 16); rows are tightly packed, so
// the stride of every plane is the bitmap's width. Pixel value 0 is the
// transparent colour of keyed blits.
//
// Routines return 1 on success and 0 on failure (or the record / none) and never
// report to the user. Every Rastport_Lock is paired with a Rastport_Unlock.
#pragma once
#include <cstddef>
#include <cstdint>

namespace velmora {

// Packing kinds of a pixel buffer.
constexpr uint8_t PACK_JPEG = 10;
constexpr uint8_t PACK_ZLIB = 11;

struct PixelBuffer {
    uint32_t id = 0;                 // 255 marks the screen's buffer
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t depth = 0;              // 8, 15 or 16 bits per pixel
    uint32_t reserved5[3] = {};      // carried as read
    uint32_t key_colour = 0;         // non-zero: the keyed blit's transparent value
    uint32_t reserved9 = 0;
    uint32_t packed_size = 0;        // bytes of packed data
    uint32_t byte_size = 0;          // bytes of unpacked pixels: (depth + 1) / 8 x width x height
    uint8_t packing_kind = 0;        // PACK_JPEG or PACK_ZLIB
    uint8_t keep_pixels = 0;         // 1: packing keeps the pixels
    uint8_t keep_packed = 0;         // 1: unpacking keeps the packed data
    uint8_t screen = 0;              // 1 for the screen's buffer (memory not owned)
    uint32_t reserved13[3] = {};
    uint16_t* colour_table = nullptr;    // 256 16-bit colours of a depth-8 buffer
    uint8_t* packed = nullptr;
    void* pixels = nullptr;
};

// Run-length shape data: a 36-byte header, a row table of one 32-bit offset
// per row, then 16-bit control words (bit 15 set: that many pixels follow and
// are drawn; clear: that many pixels are skipped).
constexpr uint32_t SHAPE_HEADER = 36;
constexpr uint32_t SHAPE_OFS_WIDTH = 0;      // int16
constexpr uint32_t SHAPE_OFS_HEIGHT = 2;     // int16
constexpr uint32_t SHAPE_OFS_EXTRA = 12;     // passed on, not used
constexpr uint32_t SHAPE_OFS_MIRRORED = 20;  // byte
constexpr uint32_t SHAPE_OFS_DATA = 24;      // data start, as an offset from the header
constexpr uint32_t SHAPE_OFS_ROWS = 28;      // row table start, as an offset from the header
constexpr uint32_t SHAPE_OFS_ZERO = 32;

struct Rastport {
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t converted = 0;          // 1 once the 24-bit copy was made or written back
    uint32_t reserved4 = 0;
    uint32_t reserved5 = 0;
    uint32_t shape_size = 0;         // bytes of shape data
    PixelBuffer* pixels = nullptr;   // the main buffer
    uint8_t* mask = nullptr;         // 1 bit per pixel, bit i % 8 of byte i / 8, set = drawn
    PixelBuffer* second = nullptr;
    PixelBuffer* third = nullptr;
    uint8_t* alpha = nullptr;        // width x height bytes, 0 transparent ... 255 opaque
    uint8_t* shape = nullptr;        // shape data with its header
    uint8_t* rgb24 = nullptr;        // planar copy: all red, then green, then blue
};

// The JPEG decoder and encoder of packed pixel data, filled by the picture
// loaders at start-up; an unfilled hook fails the operation and says so in the
// debug log. zlib-packed pixels go through core's packer directly.
struct RastportHooks {
    // Decodes a JPEG stream into `pixels` (width x height at `depth`); 1 or 0.
    int32_t (*jpeg_load_mem)(const uint8_t* daten, uint32_t groesse, void* pixels, uint32_t width,
                             uint32_t height, uint32_t depth) = nullptr;
    // Encodes pixels as JPEG of `quality`; a Mem_Alloc block and its size, or null.
    uint8_t* (*jpeg_save_mem)(const void* pixels, uint32_t width, uint32_t height, uint32_t depth,
                              int32_t quality, uint32_t* groesse) = nullptr;
};
RastportHooks& Rastport_Hooks();

// Creation and release. Option bit 0 allocates the mask (zero-filled); unless
// the options or the no-buffer flag are non-zero, the main buffer of `depth` is
// created with uninitialised pixels.
Rastport* Rastport_Create(int32_t width, int32_t height, int32_t depth, int32_t no_buffer, int32_t options);
Rastport* Rastport_Create_Simple(int32_t width, int32_t height, int32_t depth);
// Frees the buffers, mask, alpha plane and shape data, then the record; the
// 24-bit copy stays with whoever asked for it. Returns null to store back.
Rastport* Rastport_Free(Rastport* rp);
Rastport* Rastport_Free_Simple(Rastport* rp);
int32_t Rastport_Mask_Size(int32_t width, int32_t height);   // width x height / 8 + 4

// Makes sure the main buffer's pixels exist (unpacking them on the first lock).
int32_t Rastport_Lock(Rastport* rp);
int32_t Rastport_Unlock(Rastport* rp);

PixelBuffer* PixelBuffer_Create(int32_t width, int32_t height, int32_t depth, int32_t id);
PixelBuffer* PixelBuffer_Free(PixelBuffer* pb);
int32_t PixelBuffer_Unpack(PixelBuffer* pb);
int32_t PixelBuffer_Pack(PixelBuffer* pb, int32_t kind);

// Bytes per pixel of a depth: (depth + 1) / 8.
inline uint32_t Depth_Bytes(uint32_t depth) { return (depth + 1) / 8; }

// The raw file form. The readers take either a byte buffer with its length (the
// resource loader hands over an entry) or an open file handle read from its
// current position; `gelesen`, when given, receives the bytes consumed. Every
// size in the data is checked against what is there: a damaged or truncated
// form yields none.
Rastport* Rastport_Read(const uint8_t* daten, size_t laenge, size_t* gelesen = nullptr);
Rastport* Rastport_Read_File(int32_t handle);
PixelBuffer* PixelBuffer_Read(const uint8_t* daten, size_t laenge, size_t* gelesen = nullptr);
PixelBuffer* PixelBuffer_Read_File(int32_t handle);
// Writers: 1, or 0 for a null record or a failed write. The memory form writes
// into `ziel` of `groesse` bytes (at least the File_Size) and returns the bytes
// written, 0 on failure.
int32_t Rastport_Write(int32_t handle, const Rastport* rp);
int32_t PixelBuffer_Write(int32_t handle, const PixelBuffer* pb);
size_t Rastport_Write_Mem(const Rastport* rp, uint8_t* ziel, size_t groesse);
uint32_t Rastport_File_Size(const Rastport* rp);
uint32_t PixelBuffer_File_Size(const PixelBuffer* pb);
Rastport* Rastport_Load(const char* name);
int32_t Rastport_Save(const char* name, const Rastport* rp);

// Shape data: sets the header's data start, row table start and zero word
// after the data was loaded; 0 when the data is too short for its own header.
int32_t Shape_Prepare(uint8_t* shape, uint32_t size);
// Number of 16-bit control and pixel words behind a prepared header.
uint32_t Shape_Words(const uint8_t* shape, uint32_t size);

// The screen: a static Rastport whose main buffer points into the screen
// memory (depth 16, never freed). Called whenever the screen is (re)built.
void Rastport_Screen_Setup(int32_t width, int32_t height, uint16_t* screen_memory);
Rastport* Rastport_Screen();
Rastport* Rastport_Target();                 // the current drawing target
void Rastport_Set_Target(Rastport* rp);
int32_t Rastport_Screen_Depth();            // the screen buffer's depth, 16 without a screen

// Typed access to the main buffer's pixels (null when absent).
uint16_t* Rastport_Pixels16(const Rastport* rp);
uint32_t Rastport_Depth(const Rastport* rp);   // 0 without a main buffer

// The planar 24-bit copy.
int32_t Rastport_To_24(Rastport* rp);
int32_t Rastport_From_24(Rastport* rp);
void Row_565_To_RGB(const uint16_t* p, uint8_t* r, uint8_t* g, uint8_t* b, int32_t count);
void Row_555_To_RGB(const uint16_t* p, uint8_t* r, uint8_t* g, uint8_t* b, int32_t count);
void Row_RGB_To_565(const uint8_t* r, const uint8_t* g, const uint8_t* b, uint16_t* p, int32_t count);
void Row_RGB_To_555(const uint8_t* r, const uint8_t* g, const uint8_t* b, uint16_t* p, int32_t count);

}  // namespace velmora
