// club/abgleich.cpp - a repeatedly fetched block sent only as far as it changed.
#include "club/abgleich.h"

#include <algorithm>
#include <cstring>

#include "club/club_netz.h"
#include "core/debug.h"
#include "core/le.h"
#include "core/pruefsumme.h"

namespace velmora {

namespace {

uint32_t Crc(const std::vector<uint8_t>& b) { return Pruefsumme_Crc32(0, b.data(), b.size()); }

// Every answer's head: the new version, the kind, the block's length and CRC-32.
void Kopf(std::vector<uint8_t>& antwort, uint32_t stand, uint32_t art, uint32_t laenge, uint32_t crc) {
    Le_Put_U32(antwort, stand);
    Le_Put_U32(antwort, art);
    Le_Put_U32(antwort, laenge);
    Le_Put_U32(antwort, crc);
}

}  // namespace

void Abgleich_Unveraendert(uint32_t stand, uint32_t laenge, uint32_t crc, std::vector<uint8_t>& antwort) {
    Kopf(antwort, stand, ABGLEICH_UNVERAENDERT, laenge, crc);
}

void Abgleich_Server::Aufnehmen(const std::vector<uint8_t>& aktuell) {
    if (!fassungen_.empty() && fassungen_.back().bytes == aktuell) return;
    fassungen_.push_back(Fassung{naechste_, Crc(aktuell), aktuell});
    if (++naechste_ == 0) naechste_ = 1;   // 0 names no version
    if (fassungen_.size() > ABGLEICH_FASSUNGEN) fassungen_.pop_front();
}

void Abgleich_Server::Antworten(const std::vector<uint8_t>& aktuell, uint32_t stand, std::vector<uint8_t>& antwort) {
    Aufnehmen(aktuell);
    Antworten_Von(stand, antwort);
}

bool Abgleich_Server::Anfrage_Beantworten(const uint8_t* argumente, size_t bytes,
                                          void (*bauen)(std::vector<uint8_t>&), std::vector<uint8_t>& antwort) {
    ClubLeser l{argumente, bytes};
    const uint32_t stand = uint32_t(l.i32());
    if (l.fehler) return false;
    std::vector<uint8_t> block, inhalt;
    bauen(block);
    Antworten(block, stand, inhalt);
    ClubPacker{antwort}.block_mit_laenge(inhalt.data(), inhalt.size());
    return true;
}

bool Abgleich_Server::Antworten_Aus_Neuester(uint32_t stand, std::vector<uint8_t>& antwort) const {
    if (fassungen_.empty()) return false;
    Antworten_Von(stand, antwort);
    return true;
}

bool Abgleich_Server::Neueste(uint32_t& stand, uint32_t& laenge, uint32_t& crc) const {
    if (fassungen_.empty()) return false;
    const Fassung& neu = fassungen_.back();
    stand = neu.stand;
    laenge = uint32_t(neu.bytes.size());
    crc = neu.crc;
    return true;
}

const Abgleich_Server::Fassung* Abgleich_Server::Finden(uint32_t stand) const {
    if (stand == 0) return nullptr;
    for (const Fassung& f : fassungen_)
        if (f.stand == stand) return &f;
    return nullptr;
}

uint32_t Abgleich_Server::Art_Von(const Fassung* alt) const {
    return !alt ? ABGLEICH_GANZ : alt == &fassungen_.back() ? ABGLEICH_UNVERAENDERT : ABGLEICH_STUECKE;
}

uint32_t Abgleich_Server::Art(uint32_t stand) const { return Art_Von(Finden(stand)); }

void Abgleich_Server::Antworten_Von(uint32_t stand, std::vector<uint8_t>& antwort) const {
    const Fassung& neu = fassungen_.back();
    const Fassung* alt = Finden(stand);
    const uint32_t art = Art_Von(alt);
    Kopf(antwort, neu.stand, art, uint32_t(neu.bytes.size()), neu.crc);
    if (art == ABGLEICH_UNVERAENDERT) return;
    if (art == ABGLEICH_GANZ) {
        antwort.insert(antwort.end(), neu.bytes.begin(), neu.bytes.end());
        return;
    }
    // The grid's cells that differ from the client's version (or lie past
    // its end), neighbouring ones joined into one piece.
    const std::vector<uint8_t>& a = alt->bytes;
    const std::vector<uint8_t>& b = neu.bytes;
    size_t von = 0;
    bool offen = false;
    for (size_t o = 0; o <= b.size(); o += ABGLEICH_RASTER) {
        const size_t ende = std::min(o + ABGLEICH_RASTER, b.size());
        const bool anders = o < b.size() && (ende > a.size() || std::memcmp(a.data() + o, b.data() + o, ende - o) != 0);
        if (anders && !offen) {
            von = o;
            offen = true;
        } else if (!anders && offen) {
            Le_Put_U32(antwort, uint32_t(von));
            Le_Put_U32(antwort, uint32_t(o - von));
            antwort.insert(antwort.end(), b.begin() + std::ptrdiff_t(von), b.begin() + std::ptrdiff_t(o));
            offen = false;
        }
        if (o >= b.size()) break;
    }
    if (offen) {
        Le_Put_U32(antwort, uint32_t(von));
        Le_Put_U32(antwort, uint32_t(b.size() - von));
        antwort.insert(antwort.end(), b.begin() + std::ptrdiff_t(von), b.end());
    }
}

bool Abgleich_Client::Nehmen(const uint8_t* antwort, size_t n, bool* geaendert) {
    if (geaendert) *geaendert = false;
    ClubLeser l{antwort, antwort ? n : 0};
    const uint32_t neu_stand = uint32_t(l.i32()), art = uint32_t(l.i32()), laenge = uint32_t(l.i32()), crc = uint32_t(l.i32());
    bool ok = !l.fehler && neu_stand != 0;
    std::vector<uint8_t> neu;
    if (ok && art == ABGLEICH_UNVERAENDERT) {
        ok = l.pos == n && stand == neu_stand && bytes.size() == laenge;
        if (ok) neu = bytes;
    } else if (ok && art == ABGLEICH_GANZ) {
        ok = n - l.pos == laenge;
        if (ok) neu.assign(antwort + l.pos, antwort + n);
    } else if (ok && art == ABGLEICH_STUECKE) {
        ok = stand != 0;
        if (ok) {
            neu = bytes;
            neu.resize(laenge);
        }
        size_t bis = 0;   // pieces come in rising order and do not overlap
        while (ok && l.pos < n) {
            const uint32_t von = uint32_t(l.i32()), anzahl = uint32_t(l.i32());
            ok = !l.fehler && von >= bis && anzahl > 0 && von <= laenge && anzahl <= laenge - von &&
                 anzahl <= n - l.pos;
            if (!ok) break;
            std::memcpy(neu.data() + von, antwort + l.pos, anzahl);
            l.pos += anzahl;
            bis = size_t(von) + anzahl;
        }
    } else {
        ok = false;
    }
    if (ok) ok = Crc(neu) == crc;
    if (!ok) {
        Debug_Printf("Abgleich_Client_Nehmen: Antwort passt nicht zur Kopie (Fassung %u, Art %u)\n", neu_stand, art);
        Leeren();
        return false;
    }
    if (geaendert) *geaendert = art != ABGLEICH_UNVERAENDERT;
    stand = neu_stand;
    bytes = std::move(neu);
    return true;
}

bool Abgleich_Client::Vorab(int32_t anfrage) const {
    std::vector<uint8_t> arg;
    ClubPacker{arg}.i32(int32_t(stand));
    return Club_Remote_Vorab(anfrage, arg);
}

bool Abgleich_Client::Holen_Und_Laden(const char* wer, int32_t anfrage, bool (*laden)(const uint8_t*, size_t)) {
    if (!Holen(wer, anfrage)) return false;
    if (laden(bytes.data(), bytes.size())) return true;
    Leeren();
    return false;
}

bool Abgleich_Client::Holen(const char* wer, int32_t anfrage) {
    for (int32_t versuch = 0; versuch < 2; ++versuch) {
        std::vector<uint8_t> arg, antwort;
        ClubPacker{arg}.i32(int32_t(stand));
        size_t n = 0;
        const uint8_t* block = Club_Remote_Block(wer, anfrage, "i<C<=0", arg, antwort, &n);
        if (!block) return false;
        if (Nehmen(block, n)) return true;
    }
    return false;
}

}  // namespace velmora
