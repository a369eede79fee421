// business/news_satz.cpp - one news item as the news file and the save game hold it.
#include "business/news_satz.h"

#include <cstring>

#include "business/news.h"
#include "core/bytes.h"
#include "core/le.h"

namespace velmora {
namespace {

void anhaengen(const NewsSatz& s, std::vector<uint8_t>& out, bool mit_entfernten) {
    Le_Put_U32(out, s.id);
    Le_Put_U32(out, uint32_t(s.tag));
    Le_Put_U32(out, uint32_t(s.absender));
    for (int32_t k : s.kopf) Le_Put_U32(out, uint32_t(k));
    Le_Put_U32(out, uint32_t(s.text.size()));
    if (!s.text.empty()) {
        out.insert(out.end(), s.text.begin(), s.text.end());
        out.push_back(0);
    }
    for (const NewsPaar& p : s.paare) {
        if (!mit_entfernten && p.team == NEWS_TEAM_ENTFERNT) continue;
        Le_Put_U32(out, uint32_t(p.team));
        Le_Put_U32(out, p.flags);
    }
    Le_Put_U32(out, uint32_t(NEWS_LISTE_ENDE));
}

}  // namespace

NewsLesen News_Satz_Parsen(const uint8_t* d, size_t bytes, NewsSatz& s) {
    s.text.clear();
    s.paare.clear();
    if (bytes < NEWS_SATZ_FEST_BYTES) return NewsLesen::KURZ;
    s.id = Bytes_Get32(d);
    s.tag = int32_t(Bytes_Get32(d + 4));
    s.absender = int32_t(Bytes_Get32(d + 8));
    for (int32_t i = 0; i < NEWS_KOPF_WORTE; ++i) s.kopf[i] = int32_t(Bytes_Get32(d + 12 + 4 * i));
    uint32_t laenge = Bytes_Get32(d + 52);
    if (laenge > uint32_t(NEWS_TEXT_MAX)) return NewsLesen::KAPUTT;
    size_t pos = NEWS_SATZ_FEST_BYTES;
    if (laenge) {
        if (bytes - pos < size_t(laenge) + 1) return NewsLesen::KURZ;
        if (d[pos + laenge] != 0) return NewsLesen::KAPUTT;
        s.text.assign(d + pos, d + pos + laenge);
        pos += size_t(laenge) + 1;
    }
    for (;;) {
        if (bytes - pos < 4) return NewsLesen::KURZ;
        int32_t team = int32_t(Bytes_Get32(d + pos));
        if (team == NEWS_LISTE_ENDE) {
            pos += 4;
            break;
        }
        if (team < 0 && team != NEWS_TEAM_ENTFERNT) return NewsLesen::KAPUTT;
        if (s.paare.size() >= NEWS_PAARE_MAX) return NewsLesen::KAPUTT;
        if (bytes - pos < 8) return NewsLesen::KURZ;
        s.paare.push_back({team, Bytes_Get32(d + pos + 4), int64_t(pos)});
        pos += 8;
    }
    s.groesse = pos;
    return NewsLesen::OK;
}

void News_Satz_Bauen(const NewsSatz& s, std::vector<uint8_t>& out) {
    out.clear();
    anhaengen(s, out, true);
}

void News_Satz_Sichern(const NewsSatz& s, std::vector<uint8_t>& out) { anhaengen(s, out, false); }

size_t News_Satz_Laden(const uint8_t* d, size_t bytes, NewsSatz& s) {
    if (bytes < 4) return 0;
    if (Bytes_Get32(d) == 0) {
        s = NewsSatz{};
        return 4;
    }
    if (News_Satz_Parsen(d, bytes, s) != NewsLesen::OK) return 0;
    // Removed recipients are never saved; a block that holds one was not written by a save.
    for (const NewsPaar& p : s.paare)
        if (p.team == NEWS_TEAM_ENTFERNT) return 0;
    return s.groesse;
}

}  // namespace velmora
