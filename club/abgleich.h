// club/abgleich.h - a block that a client fetches again and again (the
// calendar's state, the whole fixtures store) sent only as far as it changed.
//
// The server numbers the versions of the block it has handed out and keeps
// the last few. A client names the version it holds; the answer is "unchanged",
// the pieces that differ from that version, or the whole block when the server
// no longer has it. Every answer carries the new block's length and CRC-32,
// so a client whose copy does not match takes nothing and asks for the whole
// block again.
//
// Answer layout (little-endian u32): version, kind (0 unchanged, 1 whole,
// 2 pieces), the block's length, its CRC-32, then for kind 1 the block, for
// kind 2 pieces of (offset, length, bytes) in rising order.
#pragma once
#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

namespace velmora {

constexpr uint32_t ABGLEICH_UNVERAENDERT = 0, ABGLEICH_GANZ = 1, ABGLEICH_STUECKE = 2;
// Pieces are cut along this grid; neighbouring changed pieces are sent as one.
constexpr size_t ABGLEICH_RASTER = 64;
// The versions a server keeps of one block.
constexpr size_t ABGLEICH_FASSUNGEN = 4;

// The answer "unchanged" to a client holding version `stand` (`laenge` bytes
// of CRC-32 `crc`): 16 bytes, appended to `antwort`.
void Abgleich_Unveraendert(uint32_t stand, uint32_t laenge, uint32_t crc, std::vector<uint8_t>& antwort);

// Server side: the versions of one block handed out.
class Abgleich_Server {
public:
    // `erster` numbers the first version: a client's version from another
    // server (or an earlier run) then names none of these.
    explicit Abgleich_Server(uint32_t erster = 1) : naechste_(erster ? erster : 1) {}
    // The answer to a client holding version `stand` (0: none) when the block
    // is now `aktuell`: appended to `antwort`.
    void Antworten(const std::vector<uint8_t>& aktuell, uint32_t stand, std::vector<uint8_t>& antwort);
    // The same answer (records or "unchanged") from the newest version kept,
    // for a caller that knows the block has not changed since it was kept (it
    // need not build it); false, nothing appended, when no version is kept.
    bool Antworten_Aus_Neuester(uint32_t stand, std::vector<uint8_t>& antwort) const;
    // The whole answer to a request "i<B": reads the client's version from
    // `argumente`, builds the block with `bauen` and appends the answer to
    // `antwort` as a block with its length. False, nothing built or
    // appended, when the arguments hold no version.
    bool Anfrage_Beantworten(const uint8_t* argumente, size_t bytes, void (*bauen)(std::vector<uint8_t>&),
                             std::vector<uint8_t>& antwort);
    // Keeps `aktuell` as the newest version unless it is that already.
    void Aufnehmen(const std::vector<uint8_t>& aktuell);
    // The newest version kept: its number, length and CRC-32; false when none is kept.
    bool Neueste(uint32_t& stand, uint32_t& laenge, uint32_t& crc) const;
    // The kind of answer (ABGLEICH_*) a client holding `stand` gets from the
    // newest version kept, without writing it.
    uint32_t Art(uint32_t stand) const;
    // Forgets every version (a new game).
    void Leeren() { fassungen_.clear(); }

private:
    void Antworten_Von(uint32_t stand, std::vector<uint8_t>& antwort) const;
    struct Fassung {
        uint32_t stand = 0;
        uint32_t crc = 0;
        std::vector<uint8_t> bytes;
    };
    // The version `stand` among those kept, null for none (0 names none).
    const Fassung* Finden(uint32_t stand) const;
    // The kind of answer for a client holding `alt` (null: none kept).
    uint32_t Art_Von(const Fassung* alt) const;
    std::deque<Fassung> fassungen_;   // the newest last
    uint32_t naechste_;
};

// Client side: the copy of the block it holds and that copy's version.
struct Abgleich_Client {
    uint32_t stand = 0;
    std::vector<uint8_t> bytes;
    // Applies a server's answer; false (the copy forgotten, so the next
    // request asks for the whole block) when it is damaged or does not fit
    // the copy. `geaendert`, when given, tells whether the block changed.
    bool Nehmen(const uint8_t* antwort, size_t n, bool* geaendert = nullptr);
    void Leeren() {
        stand = 0;
        bytes.clear();
    }
    // Asks the server by request `anfrage` ("i<B": the version held, the
    // answer above) and takes the answer; a copy that does not fit it is
    // forgotten and the whole block asked for once more. False when the
    // server did not answer or nothing fitted; `wer` names the caller in the log.
    bool Holen(const char* wer, int32_t anfrage);
    // Holen, then hands the copy to `laden` (the module's loader); a copy it
    // refuses is forgotten, so the next request asks for the whole block.
    // False when nothing came or `laden` refused it.
    bool Holen_Und_Laden(const char* wer, int32_t anfrage, bool (*laden)(const uint8_t*, size_t));
    // Sends Holen's first request ahead (Club_Remote_Vorab).
    bool Vorab(int32_t anfrage) const;
};

}  // namespace velmora
