// business/news_satz.h - one news item as the news file and the save game hold it.
//
// Both use the same layout (see business/news.h); the save game leaves the
// removed recipients out. Parsing checks every field against the file's
// limits, so a damaged or cut record is refused, never read past its end.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace velmora {

constexpr size_t NEWS_PAARE_MAX = 4096;   // far more recipients than teams

struct NewsPaar {
    int32_t team;          // NEWS_TEAM_ENTFERNT for a removed recipient
    uint32_t flags;
    int64_t offset = 0;    // where the pair stands (in the file, once read from there)
};

struct NewsSatz {
    uint32_t id = 0;
    int32_t tag = 0;
    int32_t absender = -1;
    int32_t kopf[10] = {};
    std::vector<char> text;          // L bytes, without the zero
    std::vector<NewsPaar> paare;
    size_t groesse = 0;              // bytes of the whole record
};

enum class NewsLesen { OK, KURZ, KAPUTT };

// Reads one record from the start of `daten`: OK (the record in `s`, pair
// offsets counted from the record's start), KURZ when the bytes end inside it,
// KAPUTT when a field is out of its limits.
NewsLesen News_Satz_Parsen(const uint8_t* daten, size_t bytes, NewsSatz& s);
// The record as the file holds it, every recipient included.
void News_Satz_Bauen(const NewsSatz& s, std::vector<uint8_t>& out);
// Appends the record as the save game holds it, without removed recipients.
void News_Satz_Sichern(const NewsSatz& s, std::vector<uint8_t>& out);
// Reads one saved record; its size, or 0 when it is damaged or cut. A record
// of id 0 is the id alone.
size_t News_Satz_Laden(const uint8_t* daten, size_t bytes, NewsSatz& s);

// The whole live item `index` of the working file (the news module); false
// when the module is closed, the index is not live or the record is damaged.
bool News_Satz_Holen(int32_t index, NewsSatz& s);

}  // namespace velmora
