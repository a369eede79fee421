// core/pack.cpp - the data packer.
#include "core/pack.h"

#include <zlib.h>

#include <algorithm>
#include <climits>
#include <cstring>

#include "core/debug.h"
#include "core/le.h"
#include "core/mem.h"

namespace velmora {
namespace {

// zlib expands a block by at most this factor (its deflate limit is 1032:1);
// a length field beyond it is a damaged buffer, not an allocation to try.
constexpr uint64_t PACK_MAX_FAKTOR = 1032;

struct PackModul {
    PackHooks hooks;
    uint8_t* kratz = nullptr;   // scratch block of Puffer_Packen, kept between calls
    size_t kratz_groesse = 0;
};
PackModul g;

uint8_t* kratz_block(size_t bytes) {
    if (g.kratz && g.kratz_groesse >= bytes) return g.kratz;
    if (g.kratz) g.kratz = static_cast<uint8_t*>(Mem_Free(g.kratz));
    g.kratz_groesse = 0;
    g.kratz = static_cast<uint8_t*>(Mem_Alloc(bytes, "Pack_Kratz"));
    if (g.kratz) g.kratz_groesse = bytes;
    return g.kratz;
}

// compress2 with the default level on a stream kept per thread: a reset
// stream is the stream a fresh one is (the same parameters, emptied history),
// so the bytes are compress2's, without setting up and freeing the stream's
// quarter megabyte of tables for every block.
class Strom {
  public:
    ~Strom() {
        if (bereit_) deflateEnd(&s_);
    }
    int packen(Bytef* ziel, uLongf* ziel_laenge, const Bytef* quelle, uLong laenge) {
        const uLong platz = *ziel_laenge;
        *ziel_laenge = 0;
        if (!bereit_) {
            const int r = deflateInit(&s_, Z_DEFAULT_COMPRESSION);
            if (r != Z_OK) return r;
            bereit_ = true;
        } else if (deflateReset(&s_) != Z_OK) {
            return Z_STREAM_ERROR;
        }
        if (platz > UINT_MAX || laenge > UINT_MAX) return Z_BUF_ERROR;   // one call of deflate takes it all
        s_.next_in = const_cast<Bytef*>(quelle);
        s_.avail_in = uInt(laenge);
        s_.next_out = ziel;
        s_.avail_out = uInt(platz);
        const int r = deflate(&s_, Z_FINISH);
        *ziel_laenge = s_.total_out;
        return r == Z_STREAM_END ? Z_OK : r == Z_OK ? Z_BUF_ERROR : r;
    }

  private:
    z_stream s_{};
    bool bereit_ = false;
};

Strom& Packstrom() {
    thread_local Strom strom;
    return strom;
}

}  // namespace

PackHooks& Pack_Hooks() { return g.hooks; }

size_t Zlib_Pack_Bound(size_t laenge) { return size_t(compressBound(uLong(laenge))) + PACK_KOPF; }

uint32_t Zlib_Pack(const void* quelle, void* ziel, uint32_t laenge, size_t kapazitaet) {
    if ((!quelle && laenge) || !ziel) {
        Debug_Printf("Zlib_Pack: keine Daten\n");
        return 0;
    }
    if (kapazitaet < PACK_KOPF) {
        Debug_Printf("Zlib_Pack: Ziel zu klein (%zu)\n", kapazitaet);
        return 0;
    }
    static const uint8_t leer = 0;
    uint8_t* z = static_cast<uint8_t*>(ziel);
    uLongf gepackt = uLongf(std::min<size_t>(kapazitaet - PACK_KOPF, UINT32_MAX - PACK_KOPF));
    int r = Packstrom().packen(z + PACK_KOPF, &gepackt, quelle ? static_cast<const Bytef*>(quelle) : &leer, laenge);
    if (r != Z_OK) {
        Debug_Printf("Zlib_Pack: compress Fehler %d (%u Bytes, Ziel %zu)\n", r, laenge, kapazitaet);
        return 0;
    }
    Bytes_Put32(z, laenge);
    Bytes_Put32(z + 4, uint32_t(gepackt));
    return uint32_t(gepackt) + PACK_KOPF;
}

int32_t Zlib_Unpack(const void* block, size_t block_laenge, void* ziel, size_t kapazitaet) {
    if (!block || block_laenge < PACK_KOPF) {
        Debug_Printf("Zlib_Unpack: Block fehlt oder zu kurz (%zu)\n", block_laenge);
        return -1;
    }
    const uint8_t* b = static_cast<const uint8_t*>(block);
    uint32_t entpackt = Bytes_Get32(b);
    uint32_t gepackt = Bytes_Get32(b + 4);
    if (gepackt > block_laenge - PACK_KOPF || entpackt > kapazitaet || entpackt > uint32_t(INT32_MAX) ||
        (!ziel && entpackt)) {
        Debug_Printf("Zlib_Unpack: Laengen passen nicht (%u -> %u, Block %zu, Ziel %zu)\n", gepackt, entpackt,
                     block_laenge, kapazitaet);
        return -1;
    }
    uint8_t leer = 0;
    uLongf n = entpackt;
    int r = uncompress(entpackt ? static_cast<Bytef*>(ziel) : &leer, &n, b + PACK_KOPF, gepackt);
    if (r != Z_OK || n != entpackt) {
        Debug_Printf("Zlib_Unpack: uncompress Fehler %d (%lu von %u Bytes)\n", r, static_cast<unsigned long>(n),
                     entpackt);
        return -1;
    }
    return int32_t(entpackt);
}

int32_t Pack_Entpacken(int32_t methode, const void* block, size_t block_laenge, void* ziel, size_t kapazitaet) {
    if (methode == PACK_METHODE_ZLIB) return Zlib_Unpack(block, block_laenge, ziel, kapazitaet);
    if (methode != PACK_METHODE_RUECKWAERTS) {
        Debug_Printf("Pack_Entpacken: Methode %d unbekannt\n", methode);
        return -1;
    }
    if (!block || !ziel || block_laenge < PACK_RUECKWAERTS_KOPF) {
        Debug_Printf("Pack_Entpacken: Block fehlt oder zu kurz (%zu)\n", block_laenge);
        return -1;
    }
    const uint8_t* b = static_cast<const uint8_t*>(block);
    uint32_t rest = Bytes_Get32(b);
    uint32_t entpackt = Bytes_Get32(b + 4);
    uint32_t gepackt = Bytes_Get32(b + 8);
    if (gepackt > block_laenge - PACK_RUECKWAERTS_KOPF || entpackt > kapazitaet || entpackt > uint32_t(INT32_MAX) ||
        rest > entpackt || rest > gepackt) {
        Debug_Printf("Pack_Entpacken: Kopf passt nicht (Rest %u, %u -> %u, Block %zu, Ziel %zu)\n", rest, gepackt,
                     entpackt, block_laenge, kapazitaet);
        return -1;
    }
    if (!g.hooks.bytes_unpack_backward) {
        Debug_Printf("Pack_Entpacken: kein Entpacker fuer Methode 31\n");
        return -1;
    }
    if (!g.hooks.bytes_unpack_backward(rest, entpackt, gepackt, b + PACK_RUECKWAERTS_KOPF, static_cast<uint8_t*>(ziel))) {
        Debug_Printf("Pack_Entpacken: Methode-31-Block beschaedigt\n");
        return -1;
    }
    return int32_t(entpackt);
}

void Pack_Lzw_Exit() {
    if (g.kratz) g.kratz = static_cast<uint8_t*>(Mem_Free(g.kratz));
    g.kratz_groesse = 0;
}

void* Puffer_Packen(const void* daten, uint32_t laenge, uint32_t* gepackt_laenge) {
    if (gepackt_laenge) *gepackt_laenge = 0;
    if (!daten || !gepackt_laenge) {
        Debug_Printf("Puffer_Packen: keine Daten\n");
        return nullptr;
    }
    size_t grenze = Zlib_Pack_Bound(laenge);
    uint8_t* kratz = kratz_block(grenze);
    if (!kratz) {
        Debug_Printf("Puffer_Packen: kein Speicher fuer %zu Bytes\n", grenze);
        return nullptr;
    }
    uint32_t gepackt = Zlib_Pack(daten, kratz, laenge, grenze);
    if (gepackt == 0) {
        Debug_Printf("Puffer_Packen: Packen fehlgeschlagen\n");
        return nullptr;
    }
    uint8_t* block = static_cast<uint8_t*>(Mem_Alloc(size_t(gepackt) + 4, "Puffer_Packen"));
    if (!block) return nullptr;
    Bytes_Put32(block, laenge);
    std::memcpy(block + 4, kratz, gepackt);
    *gepackt_laenge = gepackt + 4;
    return block;
}

void* Puffer_Entpacken(const void* block, uint32_t gepackt_laenge, uint32_t* laenge) {
    if (laenge) *laenge = 0;
    if (!block || !laenge || gepackt_laenge < 4 + PACK_KOPF) {
        Debug_Printf("Puffer_Entpacken: Block fehlt oder zu kurz (%u)\n", gepackt_laenge);
        return nullptr;
    }
    const uint8_t* b = static_cast<const uint8_t*>(block);
    uint32_t n = Bytes_Get32(b);
    if (n != Bytes_Get32(b + 4) || uint64_t(n) > PACK_MAX_FAKTOR * gepackt_laenge + 64) {
        Debug_Printf("Puffer_Entpacken: Laenge %u passt nicht zum Block (%u)\n", n, gepackt_laenge);
        return nullptr;
    }
    void* ziel = Mem_Alloc(n ? n : 1, "Puffer_Entpacken");
    if (!ziel) return nullptr;
    if (Zlib_Unpack(b + 4, gepackt_laenge - 4, ziel, n) != int32_t(n)) {
        Mem_Free(ziel);
        return nullptr;
    }
    *laenge = n;
    return ziel;
}

}  // namespace velmora
