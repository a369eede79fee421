// core/spielstand_datei.h - the save-game file: blocks, packed blocks, lists and the file frame.
//
// A save game is built and read in memory and goes to the disk in one piece, so
// a file is checked whole before anything of the running game is touched.
//
// File layout (all fields u32 little-endian):
//   "qzvmanager" (10 bytes), "1.00" (4 bytes), then blocks:
//   block = kind, length, CRC-32, then `length` scrambled bytes.
//   The CRC covers the block's number in the file, its kind, its length and the
//   plain bytes, so a changed, moved or cut block is found. The bytes are XORed
//   with a key stream drawn from the block's number and length, so no block's
//   content stands plainly in the file.
//   Blocks in order: the 104-byte header; per module a start block (its name),
//   the module's data blocks and an end block (u32 count of its data blocks);
//   last an end-of-file block (u32 count of all blocks before it).
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/liste.h"
#include "core/spielstand_packen.h"

namespace velmora {

constexpr char SPIELSTAND_MAGIC[] = "qzvmanager";   // 10 bytes in the file, no zero
constexpr char SPIELSTAND_VERSION[] = "1.00";       // 4 bytes
// The version as a number ("1.00" is 100). A module added to the game later
// comes with a new version; files of every version from 1.00 on are read.
constexpr int32_t SPIELSTAND_FORMAT = 100;
constexpr size_t SPIELSTAND_MAGIC_BYTES = 10;
constexpr size_t SPIELSTAND_VERSION_BYTES = 4;
constexpr size_t SPIELSTAND_BLOCK_KOPF_BYTES = 12;  // kind, length, CRC
constexpr size_t SPIELSTAND_KOPF_BYTES = 104;
constexpr size_t SPIELSTAND_MODULNAME_MAX = 31;
constexpr uint32_t SPIELSTAND_BLOCK_MAX = 0x7FFFFFFFu;
// A module's block before packing: the writer refuses a larger one (a failed
// save, the old file stays) and the loader takes every one up to it, so a
// game saves only what it can load again.
constexpr uint32_t SPIELSTAND_MODULBLOCK_MAX = 256u << 20;

// The header of a save slot, as the save screen lists it. Stored field by field
// at these offsets: name 0, manager 30, city 60, team 92, balance 96, strength 100.
#pragma pack(push, 1)
struct SpielstandKopf {
    char name[30];          // the slot's name, at most 29 characters
    char manager[30];       // the first human manager's name; empty: the slot is free
    char stadt[32];         // the city of that manager's club
    int32_t team;           // that club's team number
    int32_t kontostand;     // its balance
    int32_t staerke;        // its strength (0-132, shown halved)
};
#pragma pack(pop)
static_assert(sizeof(SpielstandKopf) == SPIELSTAND_KOPF_BYTES);
static_assert(offsetof(SpielstandKopf, manager) == 30);
static_assert(offsetof(SpielstandKopf, stadt) == 60);
static_assert(offsetof(SpielstandKopf, team) == 92);
static_assert(offsetof(SpielstandKopf, kontostand) == 96);
static_assert(offsetof(SpielstandKopf, staerke) == 100);

// A data block held plain in memory: what Spielstand_Schreiben (or, packed,
// Spielstand_Schreiben_Gepackt) would write.
struct SpielstandAbbildBlock {
    bool gepackt = false;
    std::vector<uint8_t> daten;
};

// A game held plain in memory, module by module: what a save would write
// into the file, before packing and scrambling.
struct SpielstandMitschnitt {
    std::vector<std::string> namen;                         // the modules, in the table's order
    std::vector<std::vector<SpielstandAbbildBlock>> bloecke;   // per module, its data blocks
};

// One module's part of a checked file.
struct SpielstandRahmen {
    std::string name;
    uint32_t bloecke = 0;   // its data blocks
};

// A save game being written or read. Modules only pass it on to the block
// functions below; the driver makes it and brings it to and from the disk.
// After the first failed call every further call fails too.
struct SpielstandDatei {
    std::vector<uint8_t> bild;          // the file image
    size_t pos = 0;                     // reading: where the next block starts
    uint32_t block_nr = 0;              // blocks written or passed so far
    uint32_t modul_start = 0;           // block number of the open module's start block
    bool lesen = false;
    bool modul_offen = false;
    bool fehler = false;
    SpielstandKopf kopf{};              // reading: the checked header
    int32_t format = 0;                 // reading: the file's version as a number (SPIELSTAND_FORMAT)
    std::vector<SpielstandRahmen> rahmen;   // reading: the modules of the file, in order
    // Taking an image of the game (Spielstand_Datei_Mitschnitt): the modules
    // and their blocks go here plain instead of into the file image.
    SpielstandMitschnitt* mitschnitt = nullptr;
    size_t mitschnitt_module = 0;       // modules begun so far
    size_t mitschnitt_bloecke = 0;      // blocks of the open module so far
};

// Writes one block of `groesse` bytes; false without a file or on a reading one.
bool Spielstand_Schreiben(SpielstandDatei* datei, const void* daten, uint32_t groesse);
// Reads the next block into `daten`; false (buffer untouched) when there is no
// next block of this module or its length is not `groesse`.
bool Spielstand_Lesen(SpielstandDatei* datei, void* daten, uint32_t groesse);
// Writes `laenge` bytes run-length packed as one block: u32 unpacked length,
// then runs (control byte c: c < 128 means c + 1 plain bytes follow; c >= 128
// means the next byte stands c - 125 times).
bool Spielstand_Schreiben_Gepackt(SpielstandDatei* datei, const void* daten, uint32_t laenge);
// Writes the bytes `schreiben` appends to the vector it is given as two
// blocks: their count (u32) and the packed block Spielstand_Schreiben_Gepackt
// makes of them. The vector is the file image itself and the bytes are packed
// where they stand, so `schreiben` must only append. `groesse` holds the
// block's size the last time (room is kept for it) and gets the new one. A
// block larger than SPIELSTAND_MODULBLOCK_MAX fails the save.
bool Spielstand_Schreiben_Gepackt_Von(SpielstandDatei* datei, void (*schreiben)(std::vector<uint8_t>&),
                                      size_t* groesse);
// A block's bytes as pieces: small values are copied, large runs of records
// only referenced where they stand (they must stay unchanged until the block
// is written), so the packer reads them in place instead of from a copy.
class SpielstandStuecke {
  public:
    void i32(int32_t wert);
    void block(const void* daten, size_t bytes);
    size_t laenge() const { return laenge_; }
    // The pieces in order (valid until the next call of i32 or block).
    std::vector<SpielstandStueck> stuecke() const;
    // The bytes appended to `out`, as a writer to a vector appends them.
    void Anhaengen_An(std::vector<uint8_t>& out) const;

  private:
    struct Teil {
        const uint8_t* fremd;   // referenced, or null: `n` bytes of `eigen_` from `von`
        size_t von;
        size_t n;
    };
    std::vector<Teil> teile_;
    std::vector<uint8_t> eigen_;
    size_t laenge_ = 0;
};
// The bytes of a block's pieces writer appended to `out` (room made once).
void Spielstand_Stuecke_Anhaengen(void (*schreiben)(SpielstandStuecke&), std::vector<uint8_t>& out);
// Writes the pieces `schreiben` gives as Spielstand_Schreiben_Gepackt_Von
// writes its bytes (the same two blocks), packing them where they stand. A
// block larger than SPIELSTAND_MODULBLOCK_MAX fails the save.
bool Spielstand_Schreiben_Gepackt_Stuecke(SpielstandDatei* datei, void (*schreiben)(SpielstandStuecke&));
// Reads the next packed block into `puffer`; false (buffer untouched) when the
// block is not a sound packed block or unpacks to more than `kapazitaet` bytes.
// The unpacked length goes to `laenge` when it is given.
bool Spielstand_Lesen_Gepackt(SpielstandDatei* datei, void* puffer, uint32_t kapazitaet, uint32_t* laenge = nullptr);
// A keyed list as one block in its serialised form (every element).
bool Liste_Write(SpielstandDatei* datei, const Listen_Element* liste);
// Replaces the list's contents by the next block; false (list unchanged) when
// the block is no sound list.
bool Liste_Read(SpielstandDatei* datei, Listen_Element* liste);

// The file frame, used by the save-game driver.
// A new, empty file image: magic, version and the header block. The image is
// built in `platz` (emptied, its room kept) when it has room.
void Spielstand_Datei_Neu(SpielstandDatei* datei, const SpielstandKopf& kopf, std::vector<uint8_t> platz = {});
// A new file whose modules and blocks are taken plain into `ziel` rather
// than written: every block function gives the bytes it would write, packed
// blocks unpacked. `ziel`'s room from the image before is kept.
// Spielstand_Datei_Abschliessen ends it.
void Spielstand_Datei_Mitschnitt(SpielstandDatei* datei, SpielstandMitschnitt* ziel);
// Opens a module's part (name of 1 to 31 characters) / closes it.
bool Spielstand_Modul_Beginnen(SpielstandDatei* datei, const char* name);
bool Spielstand_Modul_Beenden(SpielstandDatei* datei);
// Closes the file image; false when a module is still open or a call failed.
bool Spielstand_Datei_Abschliessen(SpielstandDatei* datei);

// Takes a file image for reading and checks all of it: magic, version, every
// block's length and checksum, the order of the blocks and the counts. Fills
// `kopf` and `rahmen`. False with a log line when anything is wrong.
bool Spielstand_Datei_Oeffnen(SpielstandDatei* datei, std::vector<uint8_t> bild);
// Enters the part of module `name`, which must be the next one / leaves it;
// leaving fails when the module did not read all of its blocks.
bool Spielstand_Modul_Betreten(SpielstandDatei* datei, const char* name);
bool Spielstand_Modul_Verlassen(SpielstandDatei* datei);

// The header of a file image from its first bytes (magic, version and the
// header block); false when they are short, foreign or damaged.
bool Spielstand_Kopf_Aus_Bild(const uint8_t* bild, size_t laenge, SpielstandKopf* kopf);
// The first data block of module `name` in the save-game file open under
// `handle`, read without the rest of the file: the blocks in front are passed
// over by their headers, and only the module's own blocks are read,
// unscrambled and checked. A declared module's block (its length, then the
// packed bytes) comes back unpacked. False when the file is no save game, the
// module is not in it, a block read is damaged, or the block is larger than
// `hoechstens` bytes.
bool Spielstand_Datei_Modul_Block(int32_t handle, const char* name, uint32_t hoechstens, std::vector<uint8_t>* daten);
// Bytes from the start of a file to the end of its header block.
constexpr size_t SPIELSTAND_KOPF_ENDE =
    SPIELSTAND_MAGIC_BYTES + SPIELSTAND_VERSION_BYTES + SPIELSTAND_BLOCK_KOPF_BYTES + SPIELSTAND_KOPF_BYTES;

}  // namespace velmora
