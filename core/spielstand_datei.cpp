// core/spielstand_datei.cpp - blocks, packed blocks, lists and the frame of a
// save-game file (the packing itself is spielstand_packen.cpp, the scrambling
// spielstand_verwuerfeln.cpp).
#include "core/spielstand_datei.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstring>

#include "core/bytes.h"
#include "core/debug.h"
#include "core/file.h"
#include "core/pruefsumme.h"
#include "core/spielstand_packen.h"
#include "core/spielstand_testing.h"
#include "core/spielstand_verwuerfeln.h"

namespace velmora {
namespace {

enum BlockArt : uint32_t {
    ART_KOPF = 1,
    ART_MODUL_ANFANG = 2,
    ART_DATEN = 3,
    ART_MODUL_ENDE = 4,
    ART_DATEI_ENDE = 5,
};

constexpr size_t DATEI_ANFANG = SPIELSTAND_MAGIC_BYTES + SPIELSTAND_VERSION_BYTES;

// The size of the last image finished (a hint for the next one's room only).
std::atomic<size_t> g_letzte_bildgroesse{0};

struct BlockInfo {
    uint32_t art = 0;
    uint32_t laenge = 0;
    uint32_t pruefsumme = 0;
    size_t daten = 0;       // offset of the block's bytes in the image
};

uint32_t pruefsumme(uint32_t nr, uint32_t art, const uint8_t* daten, uint32_t laenge) {
    uint8_t kopf[12];
    Bytes_Put32(kopf, nr);
    Bytes_Put32(kopf + 4, art);
    Bytes_Put32(kopf + 8, laenge);
    return Pruefsumme_Crc32(Pruefsumme_Crc32(0, kopf, sizeof kopf), daten, laenge);
}

// The checks every write makes: a file open for writing and without an error.
bool schreibbar(SpielstandDatei* datei, const char* fname) {
    if (!datei) {
        Debug_Printf("%s: keine Datei\n", fname);
        return false;
    }
    if (datei->lesen || datei->fehler) {
        Debug_Printf("%s: Datei nicht zum Schreiben offen\n", fname);
        datei->fehler = true;
        return false;
    }
    return true;
}

// Finishes the block whose header stands at `start` of the image, its
// `laenge` bytes behind it: the header with the checksum of the plain bytes,
// the bytes scrambled, the next block's number.
bool block_abschliessen(SpielstandDatei* datei, size_t start, uint32_t art, uint32_t laenge, const char* fname) {
    if (laenge > SPIELSTAND_BLOCK_MAX || start + SPIELSTAND_BLOCK_KOPF_BYTES + laenge > SPIELSTAND_BLOCK_MAX) {
        Debug_Printf("%s: Block ungueltig oder zu gross (%u Bytes)\n", fname, laenge);
        datei->fehler = true;
        return false;
    }
    uint8_t* kopf = datei->bild.data() + start;
    uint8_t* daten = kopf + SPIELSTAND_BLOCK_KOPF_BYTES;
    Bytes_Put32(kopf, art);
    Bytes_Put32(kopf + 4, laenge);
    Bytes_Put32(kopf + 8, pruefsumme(datei->block_nr, art, daten, laenge));
    Spielstand_Verwuerfeln(daten, laenge, datei->block_nr, laenge);
    ++datei->block_nr;
    return true;
}

bool block_anhaengen(SpielstandDatei* datei, uint32_t art, const void* daten, uint32_t laenge, const char* fname) {
    if (!schreibbar(datei, fname)) return false;
    if ((!daten && laenge > 0) || laenge > SPIELSTAND_BLOCK_MAX ||
        datei->bild.size() + SPIELSTAND_BLOCK_KOPF_BYTES + laenge > SPIELSTAND_BLOCK_MAX) {
        Debug_Printf("%s: Block ungueltig oder zu gross (%u Bytes)\n", fname, laenge);
        datei->fehler = true;
        return false;
    }
    auto* quelle = static_cast<const uint8_t*>(daten);
    std::vector<uint8_t>& bild = datei->bild;
    const size_t start = bild.size(), ende = start + SPIELSTAND_BLOCK_KOPF_BYTES + laenge;
    // Appended rather than grown with zeros and overwritten: each byte is
    // written once; the image still grows by doubling.
    if (bild.capacity() < ende) bild.reserve(std::max(ende, 2 * bild.capacity()));
    const uint8_t kopf[SPIELSTAND_BLOCK_KOPF_BYTES] = {};
    bild.insert(bild.end(), kopf, kopf + sizeof kopf);
    if (laenge > 0) bild.insert(bild.end(), quelle, quelle + laenge);
    return block_abschliessen(datei, start, art, laenge, fname);
}

// The block at `pos` of an image, when its header and bytes lie inside it.
bool block_ansehen(const std::vector<uint8_t>& bild, size_t pos, BlockInfo* info) {
    if (pos > bild.size() || bild.size() - pos < SPIELSTAND_BLOCK_KOPF_BYTES) return false;
    const uint8_t* p = bild.data() + pos;
    info->art = Bytes_Get32(p);
    info->laenge = Bytes_Get32(p + 4);
    info->pruefsumme = Bytes_Get32(p + 8);
    info->daten = pos + SPIELSTAND_BLOCK_KOPF_BYTES;
    return info->laenge <= bild.size() - info->daten;
}

// The next block of a checked image, which must be a data block of the open module.
bool daten_block_ansehen(SpielstandDatei* datei, BlockInfo* info, const char* fname) {
    if (!datei) {
        Debug_Printf("%s: keine Datei\n", fname);
        return false;
    }
    if (!datei->lesen || datei->fehler || !datei->modul_offen) {
        Debug_Printf("%s: Datei nicht zum Lesen offen\n", fname);
        datei->fehler = true;
        return false;
    }
    if (!block_ansehen(datei->bild, datei->pos, info) || info->art != ART_DATEN) {
        Debug_Printf("%s: kein weiterer Block in diesem Modul\n", fname);
        datei->fehler = true;
        return false;
    }
    return true;
}

void weiter(SpielstandDatei* datei, const BlockInfo& info) {
    datei->pos = info.daten + info.laenge;
    ++datei->block_nr;
}

bool fehler(SpielstandDatei* datei, const char* fname, const char* grund, uint32_t wert) {
    Debug_Printf("%s: %s (%u)\n", fname, grund, wert);
    datei->fehler = true;
    return false;
}

void kopf_schreiben(const SpielstandKopf& kopf, uint8_t out[SPIELSTAND_KOPF_BYTES]) {
    std::memset(out, 0, SPIELSTAND_KOPF_BYTES);
    std::memcpy(out, kopf.name, sizeof kopf.name - 1);
    std::memcpy(out + 30, kopf.manager, sizeof kopf.manager - 1);
    std::memcpy(out + 60, kopf.stadt, sizeof kopf.stadt - 1);
    Bytes_Put32(out + 92, uint32_t(kopf.team));
    Bytes_Put32(out + 96, uint32_t(kopf.kontostand));
    Bytes_Put32(out + 100, uint32_t(kopf.staerke));
}

void kopf_lesen(const uint8_t* in, SpielstandKopf* kopf) {
    std::memcpy(kopf->name, in, sizeof kopf->name);
    std::memcpy(kopf->manager, in + 30, sizeof kopf->manager);
    std::memcpy(kopf->stadt, in + 60, sizeof kopf->stadt);
    kopf->name[sizeof kopf->name - 1] = 0;
    kopf->manager[sizeof kopf->manager - 1] = 0;
    kopf->stadt[sizeof kopf->stadt - 1] = 0;
    kopf->team = int32_t(Bytes_Get32(in + 92));
    kopf->kontostand = int32_t(Bytes_Get32(in + 96));
    kopf->staerke = int32_t(Bytes_Get32(in + 100));
}

bool name_gueltig(const char* name) {
    if (!name) return false;
    size_t n = std::strlen(name);
    return n >= 1 && n <= SPIELSTAND_MODULNAME_MAX;
}

bool oeffnen_fehler(SpielstandDatei* datei, const char* grund, uint32_t wert) {
    Debug_Printf("Spielstand_Datei_Oeffnen: %s (%u)\n", grund, wert);
    datei->bild.clear();
    datei->rahmen.clear();
    datei->lesen = false;
    datei->fehler = true;
    return false;
}

// The open module's next block in the image being taken, emptied; its room
// is the one the same block had in the image before.
SpielstandAbbildBlock& mitschnitt_block(SpielstandDatei* datei, bool gepackt) {
    std::vector<SpielstandAbbildBlock>& modul = datei->mitschnitt->bloecke[datei->mitschnitt_module - 1];
    if (datei->mitschnitt_bloecke == modul.size()) modul.emplace_back();
    SpielstandAbbildBlock& b = modul[datei->mitschnitt_bloecke++];
    b.gepackt = gepackt;
    b.daten.clear();
    return b;
}

// A block kept plain in the image being taken.
bool mitschneiden(SpielstandDatei* datei, bool gepackt, const void* daten, uint32_t laenge) {
    const bool gut = !datei->fehler && (daten || laenge == 0) && laenge <= SPIELSTAND_MODULBLOCK_MAX;
    auto* quelle = static_cast<const uint8_t*>(daten);
    if (gut) mitschnitt_block(datei, gepackt).daten.assign(quelle, quelle + laenge);
    datei->fehler = !gut;
    return gut;
}

// A declared module's two blocks in the image being taken: the length, then
// the bytes `fuellen` appends, kept plain for packing when written.
template <typename Fuellen>
bool mitschneiden_gepackt(SpielstandDatei* datei, const char* fname, Fuellen fuellen) {
    mitschnitt_block(datei, false);
    std::vector<uint8_t>& daten = mitschnitt_block(datei, true).daten;
    fuellen(daten);
    if (daten.size() > SPIELSTAND_MODULBLOCK_MAX) {
        Debug_Printf("%s: Block zu gross (%zu Bytes)\n", fname, daten.size());
        datei->fehler = true;
        return false;
    }
    std::vector<uint8_t>& laenge =
        datei->mitschnitt->bloecke[datei->mitschnitt_module - 1][datei->mitschnitt_bloecke - 2].daten;
    laenge.resize(4);
    Bytes_Put32(laenge.data(), uint32_t(daten.size()));
    return true;
}

}  // namespace

bool Spielstand_Schreiben(SpielstandDatei* datei, const void* daten, uint32_t groesse) {
    if (datei && !datei->lesen && !datei->modul_offen) {
        Debug_Printf("Spielstand_Schreiben: kein Modul offen\n");
        datei->fehler = true;
        return false;
    }
    if (datei && datei->mitschnitt && !datei->lesen) return mitschneiden(datei, false, daten, groesse);
    return block_anhaengen(datei, ART_DATEN, daten, groesse, "Spielstand_Schreiben");
}

bool Spielstand_Lesen(SpielstandDatei* datei, void* daten, uint32_t groesse) {
    BlockInfo info;
    if (!daten_block_ansehen(datei, &info, "Spielstand_Lesen")) return false;
    if (info.laenge != groesse || (!daten && groesse > 0))
        return fehler(datei, "Spielstand_Lesen", "Block hat eine andere Laenge", info.laenge);
    if (groesse > 0) std::memcpy(daten, datei->bild.data() + info.daten, groesse);
    weiter(datei, info);
    return true;
}

namespace {

// A packed block's bytes in front of its stream: the block header and the unpacked length.
constexpr size_t GEPACKT_VORNE = SPIELSTAND_BLOCK_KOPF_BYTES + 4;

// Bytes are packed in place in the image: the stream is written from the
// block's start while the plain bytes stand this much further on, and stays
// behind them. After i bytes the stream holds at most i + i / 128 + 2 (every
// plain group is paid for by the run that ends it, but those ended by the
// 128-byte limit and the one open), a fixed-size copy writes up to NACHLAUF
// bytes past the stream's end, and the window packer reads up to 63 bytes
// behind i.
size_t packraum(size_t n) { return n / 128 + 2 * SPIELSTAND_PACK_NACHLAUF + 64; }

// Packs the `n` bytes standing at `roh` of the image into one packed block at
// `start` (roh >= start + GEPACKT_VORNE + packraum(n)); the image then ends
// with that block.
bool gepackt_abschliessen(SpielstandDatei* datei, size_t start, size_t roh, size_t n, const char* fname) {
    uint8_t* b = datei->bild.data();
    Bytes_Put32(b + start + SPIELSTAND_BLOCK_KOPF_BYTES, uint32_t(n));
    const size_t m = 4 + Spielstand_Packen(b + roh, uint32_t(n), b + start + GEPACKT_VORNE);
    datei->bild.resize(start + SPIELSTAND_BLOCK_KOPF_BYTES + m);
    return block_abschliessen(datei, start, ART_DATEN, uint32_t(m), fname);
}

bool modul_offen_zum_schreiben(SpielstandDatei* datei, const char* fname) {
    if (!schreibbar(datei, fname)) return false;
    if (!datei->modul_offen) {
        Debug_Printf("%s: kein Modul offen\n", fname);
        datei->fehler = true;
        return false;
    }
    return true;
}

}  // namespace

bool Spielstand_Schreiben_Gepackt(SpielstandDatei* datei, const void* daten, uint32_t laenge) {
    constexpr const char* FNAME = "Spielstand_Schreiben_Gepackt";
    if (!datei || (!daten && laenge > 0) || laenge > SPIELSTAND_BLOCK_MAX / 2) {
        Debug_Printf("%s: Argumente ungueltig (%u Bytes)\n", FNAME, laenge);
        if (datei) datei->fehler = true;
        return false;
    }
    if (!modul_offen_zum_schreiben(datei, FNAME)) return false;
    if (datei->mitschnitt) return mitschneiden(datei, true, daten, laenge);
    std::vector<uint8_t>& bild = datei->bild;
    const size_t start = bild.size(), roh = start + GEPACKT_VORNE + packraum(laenge);
    if (bild.capacity() < roh + laenge) bild.reserve(std::max(roh + laenge, 2 * bild.capacity()));
    bild.resize(roh);
    auto* quelle = static_cast<const uint8_t*>(daten);
    bild.insert(bild.end(), quelle, quelle + laenge);
    return gepackt_abschliessen(datei, start, roh, laenge, FNAME);
}

bool Spielstand_Schreiben_Gepackt_Von(SpielstandDatei* datei, void (*schreiben)(std::vector<uint8_t>&),
                                      size_t* groesse) {
    constexpr const char* FNAME = "Spielstand_Schreiben_Gepackt_Von";
    if (!schreiben || !groesse) {
        Debug_Printf("%s: Argumente ungueltig\n", FNAME);
        if (datei) datei->fehler = true;
        return false;
    }
    if (!modul_offen_zum_schreiben(datei, FNAME)) return false;
    if (datei->mitschnitt) {
        return mitschneiden_gepackt(datei, FNAME, [&](std::vector<uint8_t>& daten) {
            schreiben(daten);
            *groesse = daten.size();
        });
    }
    std::vector<uint8_t>& bild = datei->bild;
    // The length block (its header and 4 bytes), then the packed block; the
    // writer appends behind the room the packed stream needs, judged from
    // the block's size the last time.
    // A block not written before gets the room of a large one: moving its
    // bytes on would grow the image a second time.
    constexpr size_t UNBEKANNT = size_t(8) << 20;
    const size_t start = bild.size(), gepackt = start + SPIELSTAND_BLOCK_KOPF_BYTES + 4;
    const size_t erwartet = *groesse + *groesse / 8;
    size_t roh = gepackt + GEPACKT_VORNE + packraum(*groesse ? erwartet : UNBEKANNT);
    // The image's room is kept for the next save. The game grows from save
    // to save, so room is taken a quarter ahead: new room is fresh memory
    // that the system zeroes page by page, which cost more than the packing
    // when the image grew by a few kilobytes at every save.
    if (bild.capacity() < roh + erwartet) bild.reserve(std::max(roh + erwartet, bild.capacity() + bild.capacity() / 4));
    bild.resize(roh);
    schreiben(bild);
    if (bild.size() < roh || bild.size() - roh > SPIELSTAND_MODULBLOCK_MAX) {
        Debug_Printf("%s: Block ungueltig oder zu gross (%zu Bytes)\n", FNAME, bild.size() - std::min(bild.size(), roh));
        datei->fehler = true;
        return false;
    }
    const size_t n = bild.size() - roh;
    // A block grown past the room judged for it: its bytes move on.
    const size_t noetig = gepackt + GEPACKT_VORNE + packraum(n);
    if (noetig > roh) {
        bild.insert(bild.begin() + std::ptrdiff_t(roh), noetig - roh, uint8_t(0));
        roh = noetig;
    }
    *groesse = n;
    Bytes_Put32(bild.data() + start + SPIELSTAND_BLOCK_KOPF_BYTES, uint32_t(n));
    return block_abschliessen(datei, start, ART_DATEN, 4, FNAME) && gepackt_abschliessen(datei, gepackt, roh, n, FNAME);
}

void SpielstandStuecke::i32(int32_t wert) {
    uint8_t b[4];
    Bytes_Put32(b, uint32_t(wert));
    block(b, sizeof b);
}

void SpielstandStuecke::block(const void* daten, size_t bytes) {
    // Below this a piece is copied: the seam between two pieces costs the
    // packer about as much as copying a few hundred bytes.
    constexpr size_t VERWEISEN_AB = 4096;
    if (bytes == 0) return;
    laenge_ += bytes;
    const auto* p = static_cast<const uint8_t*>(daten);
    if (bytes >= VERWEISEN_AB) {
        teile_.push_back({p, 0, bytes});
        return;
    }
    if (teile_.empty() || teile_.back().fremd) teile_.push_back({nullptr, eigen_.size(), 0});
    eigen_.insert(eigen_.end(), p, p + bytes);
    teile_.back().n += bytes;
}

std::vector<SpielstandStueck> SpielstandStuecke::stuecke() const {
    std::vector<SpielstandStueck> liste;
    liste.reserve(teile_.size());
    for (const Teil& t : teile_) liste.push_back({t.fremd ? t.fremd : eigen_.data() + t.von, t.n});
    return liste;
}

void SpielstandStuecke::Anhaengen_An(std::vector<uint8_t>& out) const {
    out.reserve(out.size() + laenge_);
    for (const SpielstandStueck& t : stuecke()) out.insert(out.end(), t.daten, t.daten + t.laenge);
}

void Spielstand_Stuecke_Anhaengen(void (*schreiben)(SpielstandStuecke&), std::vector<uint8_t>& out) {
    SpielstandStuecke stuecke;
    schreiben(stuecke);
    stuecke.Anhaengen_An(out);
}

bool Spielstand_Schreiben_Gepackt_Stuecke(SpielstandDatei* datei, void (*schreiben)(SpielstandStuecke&)) {
    constexpr const char* FNAME = "Spielstand_Schreiben_Gepackt_Stuecke";
    if (!schreiben) {
        Debug_Printf("%s: Argumente ungueltig\n", FNAME);
        if (datei) datei->fehler = true;
        return false;
    }
    if (!modul_offen_zum_schreiben(datei, FNAME)) return false;
    if (datei->mitschnitt)
        return mitschneiden_gepackt(datei, FNAME, [&](std::vector<uint8_t>& daten) {
            Spielstand_Stuecke_Anhaengen(schreiben, daten);
        });
    SpielstandStuecke stuecke;
    schreiben(stuecke);
    const size_t n = stuecke.laenge();
    if (n > SPIELSTAND_MODULBLOCK_MAX) {
        Debug_Printf("%s: Block zu gross (%zu Bytes)\n", FNAME, n);
        datei->fehler = true;
        return false;
    }
    // The unpacked length, then the stream, packed into a buffer kept for the
    // next save (its pages are faulted in once) and appended as one block.
    thread_local std::vector<uint8_t> strom;
    const size_t platz = 4 + n + n / 128 + 1 + SPIELSTAND_PACK_NACHLAUF;
    if (strom.size() < platz) strom.resize(platz);
    Bytes_Put32(strom.data(), uint32_t(n));
    const std::vector<SpielstandStueck> liste = stuecke.stuecke();
    const size_t m = 4 + Spielstand_Packen_Stuecke(liste.data(), liste.size(), strom.data() + 4);
    return block_anhaengen(datei, ART_DATEN, strom.data(), 4, FNAME) &&
           block_anhaengen(datei, ART_DATEN, strom.data(), uint32_t(m), FNAME);
}

bool Spielstand_Lesen_Gepackt(SpielstandDatei* datei, void* puffer, uint32_t kapazitaet, uint32_t* laenge) {
    BlockInfo info;
    if (!daten_block_ansehen(datei, &info, "Spielstand_Lesen_Gepackt")) return false;
    if (info.laenge < 4) return fehler(datei, "Spielstand_Lesen_Gepackt", "Block zu kurz", info.laenge);
    const uint8_t* p = datei->bild.data() + info.daten;
    uint32_t soll = Bytes_Get32(p);
    if (!Spielstand_Gepackt_Pruefen(p + 4, info.laenge - 4, soll))
        return fehler(datei, "Spielstand_Lesen_Gepackt", "gepackte Daten ungueltig", soll);
    if (soll > kapazitaet || (!puffer && soll > 0))
        return fehler(datei, "Spielstand_Lesen_Gepackt", "Block groesser als der Puffer", soll);
    Spielstand_Entpacken(p + 4, info.laenge - 4, static_cast<uint8_t*>(puffer));
    if (laenge) *laenge = soll;
    weiter(datei, info);
    return true;
}

bool Liste_Write(SpielstandDatei* datei, const Listen_Element* liste) {
    size_t n = Liste_Memory_Groesse(liste, LISTE_ALLE);
    if (n == 0 || n > SPIELSTAND_BLOCK_MAX) {
        Debug_Printf("Liste_Write: keine gueltige Liste\n");
        if (datei) datei->fehler = true;
        return false;
    }
    std::vector<uint8_t> block(n);
    if (Liste_To_Memory(block.data(), n, liste, LISTE_ALLE) != n) {
        Debug_Printf("Liste_Write: Liste nicht serialisierbar\n");
        if (datei) datei->fehler = true;
        return false;
    }
    return Spielstand_Schreiben(datei, block.data(), uint32_t(n));
}

bool Liste_Read(SpielstandDatei* datei, Listen_Element* liste) {
    BlockInfo info;
    if (!daten_block_ansehen(datei, &info, "Liste_Read")) return false;
    if (!Liste_From_Memory(datei->bild.data() + info.daten, info.laenge, liste))
        return fehler(datei, "Liste_Read", "Block ist keine gueltige Liste", info.laenge);
    weiter(datei, info);
    return true;
}

void Spielstand_Datei_Neu(SpielstandDatei* datei, const SpielstandKopf& kopf, std::vector<uint8_t> platz) {
    if (!datei) return;
    *datei = SpielstandDatei{};
    platz.clear();
    datei->bild = std::move(platz);
    // A save is about as large as the one before: its image is not grown by doubling again.
    datei->bild.reserve(std::max<size_t>(size_t(1) << 16, g_letzte_bildgroesse.load()));
    datei->bild.insert(datei->bild.end(), SPIELSTAND_MAGIC, SPIELSTAND_MAGIC + SPIELSTAND_MAGIC_BYTES);
    datei->bild.insert(datei->bild.end(), SPIELSTAND_VERSION, SPIELSTAND_VERSION + SPIELSTAND_VERSION_BYTES);
    uint8_t roh[SPIELSTAND_KOPF_BYTES];
    kopf_schreiben(kopf, roh);
    block_anhaengen(datei, ART_KOPF, roh, sizeof roh, "Spielstand_Datei_Neu");
}

void Spielstand_Datei_Mitschnitt(SpielstandDatei* datei, SpielstandMitschnitt* ziel) {
    if (!datei) return;
    *datei = SpielstandDatei{};
    datei->mitschnitt = ziel;
    datei->fehler = !ziel;
}

bool Spielstand_Modul_Beginnen(SpielstandDatei* datei, const char* name) {
    if (!datei || datei->lesen || datei->modul_offen || !name_gueltig(name)) {
        Debug_Printf("Spielstand_Modul_Beginnen: ungueltiger Aufruf (%s)\n", name ? name : "(null)");
        if (datei) datei->fehler = true;
        return false;
    }
    if (datei->mitschnitt) {
        if (datei->fehler) return false;
        SpielstandMitschnitt& m = *datei->mitschnitt;
        const size_t n = ++datei->mitschnitt_module;
        if (m.namen.size() < n) m.namen.resize(n);
        if (m.bloecke.size() < n) m.bloecke.resize(n);
        m.namen[n - 1] = name;
        datei->mitschnitt_bloecke = 0;
        datei->modul_offen = true;
        return true;
    }
    if (!block_anhaengen(datei, ART_MODUL_ANFANG, name, uint32_t(std::strlen(name)), "Spielstand_Modul_Beginnen"))
        return false;
    datei->modul_offen = true;
    datei->modul_start = datei->block_nr;
    return true;
}

bool Spielstand_Modul_Beenden(SpielstandDatei* datei) {
    if (!datei || datei->lesen || !datei->modul_offen) {
        Debug_Printf("Spielstand_Modul_Beenden: kein Modul offen\n");
        if (datei) datei->fehler = true;
        return false;
    }
    datei->modul_offen = false;
    if (datei->mitschnitt) {
        datei->mitschnitt->bloecke[datei->mitschnitt_module - 1].resize(datei->mitschnitt_bloecke);
        return !datei->fehler;
    }
    uint8_t anzahl[4];
    Bytes_Put32(anzahl, datei->block_nr - datei->modul_start);
    return block_anhaengen(datei, ART_MODUL_ENDE, anzahl, 4, "Spielstand_Modul_Beenden");
}

bool Spielstand_Datei_Abschliessen(SpielstandDatei* datei) {
    if (!datei || datei->lesen || datei->modul_offen || datei->fehler) {
        Debug_Printf("Spielstand_Datei_Abschliessen: Datei unvollstaendig oder fehlerhaft\n");
        return false;
    }
    if (datei->mitschnitt) {
        datei->mitschnitt->namen.resize(datei->mitschnitt_module);
        datei->mitschnitt->bloecke.resize(datei->mitschnitt_module);
        return true;
    }
    uint8_t anzahl[4];
    Bytes_Put32(anzahl, datei->block_nr);
    if (!block_anhaengen(datei, ART_DATEI_ENDE, anzahl, 4, "Spielstand_Datei_Abschliessen")) return false;
    g_letzte_bildgroesse = datei->bild.size();
    return true;
}

namespace {
// The version "D.DD" of a file as a number (SPIELSTAND_FORMAT); 0 when it is
// none or newer than this program's.
int32_t format_lesen(const uint8_t* v) {
    auto ziffer = [](uint8_t c) { return c >= '0' && c <= '9'; };
    if (!ziffer(v[0]) || v[1] != '.' || !ziffer(v[2]) || !ziffer(v[3])) return 0;
    const int32_t format = (v[0] - '0') * 100 + (v[2] - '0') * 10 + (v[3] - '0');
    return format >= 100 && format <= SPIELSTAND_FORMAT ? format : 0;
}
}  // namespace

bool Spielstand_Datei_Oeffnen(SpielstandDatei* datei, std::vector<uint8_t> bild) {
    if (!datei) {
        Debug_Printf("Spielstand_Datei_Oeffnen: keine Datei\n");
        return false;
    }
    *datei = SpielstandDatei{};
    datei->bild = std::move(bild);
    std::vector<uint8_t>& b = datei->bild;
    if (b.size() < DATEI_ANFANG || std::memcmp(b.data(), SPIELSTAND_MAGIC, SPIELSTAND_MAGIC_BYTES) != 0)
        return oeffnen_fehler(datei, "kein Spielstand", uint32_t(b.size()));
    datei->format = format_lesen(b.data() + SPIELSTAND_MAGIC_BYTES);
    if (datei->format == 0) return oeffnen_fehler(datei, "falsche Version", 0);

    // Every block is unscrambled in place and checked; then the order of the
    // blocks is checked against the frame.
    size_t pos = DATEI_ANFANG;
    uint32_t nr = 0;
    bool im_modul = false;
    uint32_t modul_bloecke = 0;
    for (;;) {
        BlockInfo info;
        if (!block_ansehen(b, pos, &info))
            return oeffnen_fehler(datei, "Datei abgeschnitten bei Block", nr);
        uint8_t* daten = b.data() + info.daten;
        Spielstand_Verwuerfeln(daten, info.laenge, nr, info.laenge);
        if (pruefsumme(nr, info.art, daten, info.laenge) != info.pruefsumme)
            return oeffnen_fehler(datei, "Pruefsumme falsch in Block", nr);
        bool ende = false;
        if (nr == 0) {
            if (info.art != ART_KOPF || info.laenge != SPIELSTAND_KOPF_BYTES)
                return oeffnen_fehler(datei, "Kopf fehlt, Blockart", info.art);
            kopf_lesen(daten, &datei->kopf);
        } else {
            switch (info.art) {
                case ART_MODUL_ANFANG:
                    if (im_modul || info.laenge < 1 || info.laenge > SPIELSTAND_MODULNAME_MAX ||
                        std::memchr(daten, 0, info.laenge))
                        return oeffnen_fehler(datei, "Modulanfang falsch in Block", nr);
                    datei->rahmen.push_back({std::string(reinterpret_cast<char*>(daten), info.laenge), 0});
                    im_modul = true;
                    modul_bloecke = 0;
                    break;
                case ART_DATEN:
                    if (!im_modul)
                        return oeffnen_fehler(datei, "Datenblock ausserhalb eines Moduls", nr);
                    ++modul_bloecke;
                    break;
                case ART_MODUL_ENDE:
                    if (!im_modul || info.laenge != 4 || Bytes_Get32(daten) != modul_bloecke)
                        return oeffnen_fehler(datei, "Modulende falsch in Block", nr);
                    datei->rahmen.back().bloecke = modul_bloecke;
                    im_modul = false;
                    break;
                case ART_DATEI_ENDE:
                    if (im_modul || info.laenge != 4 || Bytes_Get32(daten) != nr)
                        return oeffnen_fehler(datei, "Dateiende falsch in Block", nr);
                    ende = true;
                    break;
                default:
                    return oeffnen_fehler(datei, "unbekannte Blockart", info.art);
            }
        }
        pos = info.daten + info.laenge;
        ++nr;
        if (ende) break;
    }
    if (pos != b.size())
        return oeffnen_fehler(datei, "Bytes hinter dem Dateiende", uint32_t(b.size() - pos));
    datei->lesen = true;
    datei->pos = SPIELSTAND_KOPF_ENDE;
    datei->block_nr = 1;
    return true;
}

bool Spielstand_Modul_Betreten(SpielstandDatei* datei, const char* name) {
    if (!datei || !datei->lesen || datei->fehler || datei->modul_offen || !name_gueltig(name)) {
        Debug_Printf("Spielstand_Modul_Betreten: ungueltiger Aufruf (%s)\n", name ? name : "(null)");
        if (datei) datei->fehler = true;
        return false;
    }
    BlockInfo info;
    if (!block_ansehen(datei->bild, datei->pos, &info) || info.art != ART_MODUL_ANFANG ||
        info.laenge != std::strlen(name) || std::memcmp(datei->bild.data() + info.daten, name, info.laenge) != 0) {
        Debug_Printf("Spielstand_Modul_Betreten: Modul %s steht nicht an dieser Stelle\n", name);
        datei->fehler = true;
        return false;
    }
    weiter(datei, info);
    datei->modul_offen = true;
    return true;
}

bool Spielstand_Modul_Verlassen(SpielstandDatei* datei) {
    if (!datei || !datei->lesen || datei->fehler || !datei->modul_offen) {
        Debug_Printf("Spielstand_Modul_Verlassen: kein Modul offen\n");
        if (datei) datei->fehler = true;
        return false;
    }
    BlockInfo info;
    if (!block_ansehen(datei->bild, datei->pos, &info) || info.art != ART_MODUL_ENDE) {
        Debug_Printf("Spielstand_Modul_Verlassen: Modul hat nicht alle Bloecke gelesen\n");
        datei->fehler = true;
        return false;
    }
    weiter(datei, info);
    datei->modul_offen = false;
    return true;
}

bool Spielstand_Kopf_Aus_Bild(const uint8_t* bild, size_t laenge, SpielstandKopf* kopf) {
    if (!bild || !kopf || laenge < SPIELSTAND_KOPF_ENDE ||
        std::memcmp(bild, SPIELSTAND_MAGIC, SPIELSTAND_MAGIC_BYTES) != 0 ||
        format_lesen(bild + SPIELSTAND_MAGIC_BYTES) == 0)
        return false;
    const uint8_t* p = bild + DATEI_ANFANG;
    if (Bytes_Get32(p) != ART_KOPF || Bytes_Get32(p + 4) != SPIELSTAND_KOPF_BYTES) return false;
    uint8_t roh[SPIELSTAND_KOPF_BYTES];
    std::memcpy(roh, p + SPIELSTAND_BLOCK_KOPF_BYTES, sizeof roh);
    Spielstand_Verwuerfeln(roh, sizeof roh, 0, SPIELSTAND_KOPF_BYTES);
    if (pruefsumme(0, ART_KOPF, roh, SPIELSTAND_KOPF_BYTES) != Bytes_Get32(p + 8)) return false;
    kopf_lesen(roh, kopf);
    return true;
}

namespace {
// Reads block number `nr` at `pos` of an open file: its header, and its bytes
// unscrambled and checked when `bytes_lesen` is set and it has no more than
// `hoechstens` of them.
bool datei_block(int32_t handle, size_t pos, uint32_t nr, bool bytes_lesen, uint32_t hoechstens, BlockInfo* info,
                 std::vector<uint8_t>* bytes) {
    uint8_t kopf[SPIELSTAND_BLOCK_KOPF_BYTES];
    if (pos > size_t(INT32_MAX) || File_Seek(handle, int32_t(pos), 0) != int32_t(pos) ||
        File_Read(kopf, 1, int32_t(sizeof kopf), handle) != int32_t(sizeof kopf))
        return false;
    info->art = Bytes_Get32(kopf);
    info->laenge = Bytes_Get32(kopf + 4);
    info->pruefsumme = Bytes_Get32(kopf + 8);
    info->daten = pos + SPIELSTAND_BLOCK_KOPF_BYTES;
    if (!bytes_lesen) return true;
    if (info->laenge > hoechstens) return false;
    bytes->resize(info->laenge);
    if (info->laenge > 0 && File_Read(bytes->data(), 1, int32_t(info->laenge), handle) != int32_t(info->laenge))
        return false;
    Spielstand_Verwuerfeln(bytes->data(), info->laenge, nr, info->laenge);
    return pruefsumme(nr, info->art, bytes->data(), info->laenge) == info->pruefsumme;
}
}  // namespace

bool Spielstand_Datei_Modul_Block(int32_t handle, const char* name, uint32_t hoechstens, std::vector<uint8_t>* daten) {
    constexpr const char* FNAME = "Spielstand_Datei_Modul_Block";
    if (handle < 0 || !name_gueltig(name) || !daten) {
        Debug_Printf("%s: ungueltiger Aufruf\n", FNAME);
        return false;
    }
    const int32_t groesse = File_Size(handle);
    uint8_t anfang[DATEI_ANFANG];
    if (groesse < int32_t(SPIELSTAND_KOPF_ENDE) || File_Seek(handle, 0, 0) != 0 ||
        File_Read(anfang, 1, int32_t(sizeof anfang), handle) != int32_t(sizeof anfang) ||
        std::memcmp(anfang, SPIELSTAND_MAGIC, SPIELSTAND_MAGIC_BYTES) != 0 ||
        format_lesen(anfang + SPIELSTAND_MAGIC_BYTES) == 0)
        return false;
    const size_t name_laenge = std::strlen(name);
    std::vector<uint8_t> bytes;
    size_t pos = DATEI_ANFANG;
    uint32_t nr = 0;
    BlockInfo info;
    for (;; ++nr) {
        if (!datei_block(handle, pos, nr, false, 0, &info, &bytes) || info.laenge > size_t(groesse) - info.daten ||
            info.art == ART_DATEI_ENDE)
            return false;
        pos = info.daten + info.laenge;
        if (info.art == ART_MODUL_ANFANG && info.laenge == name_laenge &&
            datei_block(handle, info.daten - SPIELSTAND_BLOCK_KOPF_BYTES, nr, true, SPIELSTAND_MODULNAME_MAX, &info,
                        &bytes) &&
            std::memcmp(bytes.data(), name, name_laenge) == 0)
            break;
    }
    // The module's start block is number `nr`; its length block and its packed block follow.
    if (!datei_block(handle, pos, nr + 1, true, 4, &info, &bytes) || info.art != ART_DATEN || info.laenge != 4)
        return false;
    const uint32_t laenge = Bytes_Get32(bytes.data());
    if (laenge > hoechstens) return false;
    pos = info.daten + info.laenge;
    if (!datei_block(handle, pos, nr + 2, true, 4 + laenge + laenge / 128 + 2, &info, &bytes) ||
        info.art != ART_DATEN || info.laenge < 4 || Bytes_Get32(bytes.data()) != laenge ||
        !Spielstand_Gepackt_Pruefen(bytes.data() + 4, info.laenge - 4, laenge)) {
        Debug_Printf("%s: Block von %s beschaedigt\n", FNAME, name);
        return false;
    }
    daten->resize(laenge);
    Spielstand_Entpacken(bytes.data() + 4, info.laenge - 4, daten->data());
    return true;
}

void Spielstand_Test_Verwuerfeln(uint8_t* daten, size_t n, uint32_t nr, uint32_t laenge) {
    Spielstand_Verwuerfeln(daten, n, nr, laenge);
}

}  // namespace velmora
