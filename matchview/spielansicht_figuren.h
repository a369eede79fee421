// matchview/spielansicht_figuren.h - the figure frames of the match view: the
// figure base palette and its eight recolouring lists, the type-66 entries of
// "stadion_gfx.res" (every frame checked against its block), the colour
// tables per figure slot, and drawing one frame into a view.
//
// The palette and the lists are shared with tools/mkassets, which renders the
// frames into them; a frame pixel is an index into a view's colour table.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace velmora {

struct Rastport;

// The entry of animation row n in "stadion_gfx.res".
constexpr int32_t FIGUREN_RES_ERSTER = 256;
constexpr int32_t FIGUREN_RES_TYP = 66;
constexpr int32_t FIGUREN_RICHTUNGEN = 16;
constexpr uint32_t FIGUREN_FRAME_KOPF = 36;
constexpr int32_t FIGUREN_FRAME_MAX = 256;       // largest width or height of a frame
constexpr uint8_t FIGUREN_SCHATTEN = 44;         // palette entry of the shadow

// Colour-table slots.
constexpr int32_t FARBE_SCHIRI = 34, FARBE_LINIENRICHTER = 35, FARBE_BALL = 37;
constexpr int32_t FARBE_ROT = 54, FARBE_GELB = 55, FARBE_FAHNE = 56;
constexpr int32_t FARBTABELLEN = 62;

// The eight recolouring lists: 1 skin, 2 shorts, 3 shirt, 4 trim, 5 hair,
// 6 black (boots), 7 and 8 socks.
struct FigurenListe {
    const uint8_t* eintraege;
    int32_t referenz;
    int32_t anzahl;
};
const FigurenListe& Figuren_Liste(int32_t nummer);   // 1-8
// The figure base palette: 256 RGB triples in 6-bit units.
const uint8_t* Figuren_Palette();
// The palette entry of list `nummer` a shade darker (-1), at its reference (0)
// or lighter (+1, +2): the generator paints with these.
uint8_t Figuren_Ton(int32_t nummer, int32_t ton);
// Fixed entries of the palette that no player list touches in the flag's table.
constexpr uint8_t FIGUREN_FAHNE_GELB = 251, FIGUREN_FAHNE_ROT = 254, FIGUREN_STANGE = 30;

// One checked frame: its size and offsets, and its run-length data.
struct FigurenFrame {
    int16_t breite = 0, hoehe = 0, x_versatz = 0, y_versatz = 0;
    uint32_t daten = 0;      // byte offset of the runs in the block
    uint32_t bytes = 0;      // bytes the runs take
};
struct FigurenAnim {
    std::vector<uint8_t> block;          // the frame data block
    int32_t frames = 0;                  // per direction
    std::vector<FigurenFrame> frame;     // [direction x frames + frame]
    const FigurenFrame& Frame(int32_t richtung, int32_t f) const {
        return frame[size_t(richtung) * size_t(frames) + size_t(f)];
    }
};

// Checks a type-66 entry: S, F, N = 16 F, the offsets, then every frame's
// header, row table and runs inside the block. `frames_erwartet` is the row's
// last frame index + 1 (0: any). False with the reason in `fehler`.
bool Figuren_Eintrag_Lesen(const uint8_t* daten, size_t bytes, int32_t frames_erwartet, FigurenAnim* out,
                           std::string* fehler);

// Writes a type-66 entry's bytes from frames given as 8-bit pictures (0
// transparent), [direction x frames + frame], or `frames` pictures for a row
// drawn in one direction: the generator's half.
struct FigurenBild {
    int32_t breite = 0, hoehe = 0, x_versatz = 0, y_versatz = 0;
    std::vector<uint8_t> pixel;
};
std::vector<uint8_t> Figuren_Eintrag_Schreiben(const std::vector<FigurenBild>& bilder, int32_t frames);

// Draws a frame at (x, y) of the target (its hot spot), clipped to the
// rectangle (cx, cy, cw, ch), at half size when `halb`, through the colour
// table. True when any of it lay inside the rectangle.
bool Figuren_Frame_Zeichnen(const FigurenAnim& a, const FigurenFrame& f, const uint16_t* tabelle, Rastport* ziel,
                            int32_t x, int32_t y, int32_t cx, int32_t cy, int32_t cw, int32_t ch, bool halb);

// A colour table of a figure: seven colours (skin, hair, kit 1-4) as 0xRRGGBB.
void Figuren_Tabelle_Figur(uint16_t tabelle[256], const uint32_t farben[6]);
// The ball, a card: lists 2 and 3 towards the colour, the rest cleared.
void Figuren_Tabelle_Einfarbig(uint16_t tabelle[256], uint32_t farbe);
// The linesman's flag: the base palette as it is.
void Figuren_Tabelle_Palette(uint16_t tabelle[256]);

// The kit bytes brightened for the pitch (36 bytes in place).
void Figuren_Trikot_Aufhellen(uint8_t kit[36]);
// The referee's colour of three, farthest from both teams' first shirt colour.
uint32_t Figuren_Schiri_Farbe(uint32_t heim_farbe1, uint32_t gast_farbe1);

}  // namespace velmora
