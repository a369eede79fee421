// media/film.h - films: the "VFLM" format and its player.
//
// A film is one entry of an HRF resource file (or a block in memory), all
// fields little-endian:
//   0   "VFLM"
//   4   u16 version, 1
//   6   u16 flags: bit 0 the film has a sound track
//   8   u16 width (1-800), u16 height (1-600)
//   12  u32 frame count (1 or more)
//   16  u32 frame time in microseconds (40,000: 25 frames a second)
//   20  u32 offset of the frame table, u32 offset and u32 length of the sound
//       track (length 0: none); offsets count from the start of the film
// The frame table holds per frame u32 offset and u32 length. A frame is one
// zlib block of core/pack.h (method 26) of width x height 5-6-5 pixels, rows
// top to bottom; length 0 repeats the frame before (never the first frame).
// The sound track is a RIFF PCM WAV file.
//
// The player opens a film from a file handle positioned at its start or from
// a block in memory, keeps the frame table and one decoded frame, and is
// paced by the millisecond clock. Frames are numbered from 1.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace velmora {

constexpr uint32_t FILM_KOPF_BYTES = 32;
constexpr uint16_t FILM_VERSION = 1;
constexpr uint16_t FILM_FLAG_TON = 1;
constexpr int32_t FILM_MAX_BREITE = 800;
constexpr int32_t FILM_MAX_HOEHE = 600;
constexpr uint32_t FILM_BILD_US_25 = 40000;

// The kinds of target memory of Film_Kopieren (the low bits of the copy flags).
constexpr uint32_t FILM_ZIEL_24 = 1;
constexpr uint32_t FILM_ZIEL_32 = 3;
constexpr uint32_t FILM_ZIEL_555 = 9;
constexpr uint32_t FILM_ZIEL_565 = 10;

struct Film;

// Opens the film of `laenge` bytes at the handle's position (the handle stays
// the caller's), or in the block `daten` of `laenge` bytes (which must live
// until the film is closed). Null when the header, frame table or sound track
// does not fit the rules above or the bytes; a frame that does not unpack is
// found only when it is shown. The film stands on frame 1, decoded, and is
// due at once.
Film* Film_Oeffnen_Datei(int32_t handle, uint32_t laenge);
Film* Film_Oeffnen_Speicher(const uint8_t* daten, size_t laenge);
// Stops and frees the sound track and frees the film; null is ignored.
void Film_Schliessen(Film* film);

int32_t Film_Breite(const Film* film);
int32_t Film_Hoehe(const Film* film);
int32_t Film_Bilder(const Film* film);
int32_t Film_Bild(const Film* film);   // the current frame, 1 to the frame count (0 for null)

// True when the film is not paused and its next frame is due on the clock.
bool Film_Faellig(const Film* film);
// Milliseconds until the next frame is due: 0 when due, -1 when paused or null.
int32_t Film_Faellig_In(const Film* film);
// Shows the current frame: unpacks it into the film's own picture unless the
// picture holds it already (a frame that does not unpack to exactly width x
// height pixels is skipped and the last good picture stays), starts the sound
// track when the frame begins a pass (the first shown after opening or a
// jump), and sets the next due time one frame time on, or one frame time from
// now when the film has fallen more than a frame behind.
void Film_Zeigen(Film* film);
// Steps to the next frame (the last frame stays).
void Film_Naechstes(Film* film);
// Jumps to a frame, clamped to 1 .. frame count; the next frame shown begins a pass.
void Film_Gehe_Zu(Film* film, int32_t bild);
// Pausing stops the sound track and the film's clock; resuming makes the next
// frame due at once.
void Film_Pause(Film* film, bool pause);
// Copies the picture to (x, y) of the target memory: rows of `pitch` bytes,
// `hoehe` rows, pixels of the kind `art` (FILM_ZIEL_*; others copy nothing),
// clipped to the target (its width is pitch / bytes per pixel). Always 0: the
// whole picture is copied in one call.
int32_t Film_Kopieren(const Film* film, void* ziel, int32_t pitch, int32_t hoehe, int32_t x, int32_t y, uint32_t art);

// The decoded picture (width x height 5-6-5 pixels) and how many frames were
// unpacked since opening, for the tools and the tests.
const uint16_t* Film_Pixel(const Film* film);
uint32_t Film_Entpackt(const Film* film);
bool Film_Hat_Ton(const Film* film);

// Writing films (the asset tools and the tests). One frame packed as the
// frame table names it.
std::vector<uint8_t> Film_Bild_Packen(const uint16_t* pixel, int32_t breite, int32_t hoehe);
struct FilmBau {
    int32_t breite = 0;
    int32_t hoehe = 0;
    uint32_t bild_us = FILM_BILD_US_25;
    std::vector<std::vector<uint8_t>> bilder;   // packed frames; an empty one repeats the frame before
    std::vector<uint8_t> ton;                   // a WAV file, or empty
};
// The film's bytes in the layout above.
std::vector<uint8_t> Film_Zusammensetzen(const FilmBau& bau);

}  // namespace velmora
