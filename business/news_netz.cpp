// business/news_netz.cpp - the news between a client and the server.
#include "business/news_netz.h"

#include <algorithm>
#include <cstring>

#include "business/bank_kredit.h"
#include "business/news.h"
#include "business/news_anfrage.h"
#include "business/news_satz.h"
#include "club/club_hooks.h"
#include "club/club_netz.h"
#include "club/team.h"
#include "core/bytes.h"
#include "core/debug.h"
#include "core/le.h"
#include "season/kalender.h"

namespace velmora {
namespace {

constexpr size_t EINTRAG_FEST = 12 + NEWS_SATZKOPF_BYTES;   // id, flag word, length, item header

int32_t spieltag_zustand(int32_t team) {
    const NewsHooks& h = News_Hooks();
    return h.spieltag_zustand ? h.spieltag_zustand(team) : 0;
}

void kopf_packen(ClubPacker& pk, const int32_t kopf[NEWS_KOPF_WORTE]) {
    uint8_t b[NEWS_KOPF_BYTES];
    for (int32_t i = 0; i < NEWS_KOPF_WORTE; ++i) Bytes_Put32(b + 4 * i, uint32_t(kopf[i]));
    pk.block(b, sizeof b);
}

// A text or data block with its zero: sound when it ends in the zero, is not
// longer than a news text and, for binary items, is as long as the header says.
bool text_gueltig(const uint8_t* text, size_t n, uint32_t flags, const int32_t kopf[NEWS_KOPF_WORTE]) {
    if (!text || n < 1 || n - 1 > size_t(NEWS_TEXT_MAX) || text[n - 1] != 0) return false;
    if (flags != 0xFFFFFFFFu && (flags & NEWS_BINAER)) return kopf[0] >= 1 && size_t(kopf[0]) == n;
    return true;
}

// A client may ask only one thing of another manager: a loan for its own club
// (header word 1) from the recipient (word 2), with an amount, a rate, a term
// the bank offers and a deadline still to come. Every other request comes
// from the game.
bool kreditanfrage_gueltig(int32_t client_team, int32_t sender, int32_t recipient, int32_t second,
                           const int32_t kopf[NEWS_KOPF_WORTE]) {
    return kopf[0] == ANFRAGE_ART_KREDIT && sender == client_team && kopf[1] == client_team &&
           recipient == kopf[2] && recipient != client_team && recipient >= 0 && recipient < Team_Anzahl() &&
           second == -1 && kopf[3] > Tag_Index() && kopf[4] > 0 && kopf[5] >= 0 &&
           kopf[6] >= BANK_KREDIT_LAUFZEIT_MIN && kopf[6] <= BANK_KREDIT_LAUFZEIT_MAX;
}

// The flag word a client's News_Set would leave on its own recipient pair.
uint32_t gesetzt(uint32_t alt, int32_t wert, int32_t modus) {
    switch (modus) {
    case NEWS_SET_WERT: return uint32_t(wert);
    case NEWS_SET_UMSCHALTEN: return alt ^ uint32_t(wert);
    case NEWS_SET_SETZEN: return alt | uint32_t(wert);
    default: return alt & ~uint32_t(wert);
    }
}

}  // namespace

uint32_t News_Netz_Hinzufuegen(int32_t sender, int32_t recipient, int32_t second, uint32_t flags,
                               const int32_t kopf[10], const char* daten, uint32_t laenge) {
    std::vector<uint8_t> a;
    ClubPacker pk{a};
    pk.i32(sender);
    pk.i32(recipient);
    pk.i32(second);
    pk.i32(int32_t(flags));
    kopf_packen(pk, kopf);
    std::vector<uint8_t> text(daten, daten + laenge);
    text.push_back(0);
    pk.block_mit_laenge(text.data(), text.size());
    return uint32_t(Club_Remote_Int("News_Add", ANFRAGE_NEWS_HINZUFUEGEN, "iiiiC40C<=0<i", a, 0));
}

void News_Netz_Setzen(uint32_t id, int32_t team, int32_t wert, int32_t modus) {
    std::vector<uint8_t> a, antwort;
    ClubPacker pk{a};
    pk.i32(int32_t(id));
    pk.i32(team);
    pk.i32(wert);
    pk.i32(modus);
    Club_Remote("News_Set", ANFRAGE_NEWS_SETZEN, "iiii", a, antwort);
}

void News_Block_Bauen(int32_t team, const std::vector<uint32_t>& bekannt, std::vector<uint8_t>& block) {
    block.clear();
    std::vector<uint32_t> sortiert = bekannt;
    std::sort(sortiert.begin(), sortiert.end());
    NewsSatz s;
    for (int32_t i = 0; i < News_Anzahl() && block.size() < NEWS_BLOCK_GRENZE; ++i) {
        if (!News_Satz_Holen(i, s) || s.id == 0) continue;
        if (std::binary_search(sortiert.begin(), sortiert.end(), s.id)) continue;
        const NewsPaar* paar = nullptr;
        for (const NewsPaar& p : s.paare)
            if (p.team == team) {
                paar = &p;
                break;
            }
        if (!paar) continue;
        Le_Put_U32(block, s.id);
        Le_Put_U32(block, paar->flags);
        Le_Put_U32(block, uint32_t(s.text.size()));
        Le_Put_U32(block, uint32_t(s.tag));
        Le_Put_U32(block, uint32_t(s.absender));
        for (int32_t k : s.kopf) Le_Put_U32(block, uint32_t(k));
        if (!s.text.empty()) {
            block.insert(block.end(), s.text.begin(), s.text.end());
            block.push_back(0);
        }
        block.insert(block.end(), 4 - block.size() % 4, 0);
    }
    Le_Put_U32(block, 0);
}

int32_t News_Block_Eintragen(int32_t team, const uint8_t* d, size_t bytes) {
    int32_t gespeichert = 0;
    size_t pos = 0;
    for (;;) {
        if (bytes - pos < 4) break;
        uint32_t id = Bytes_Get32(d + pos);
        if (id == 0) return gespeichert;
        if (bytes - pos < EINTRAG_FEST) break;
        uint32_t flags = Bytes_Get32(d + pos + 4);
        uint32_t laenge = Bytes_Get32(d + pos + 8);
        int32_t tag = int32_t(Bytes_Get32(d + pos + 12));
        int32_t sender = int32_t(Bytes_Get32(d + pos + 16));
        int32_t kopf[NEWS_KOPF_WORTE];
        for (int32_t i = 0; i < NEWS_KOPF_WORTE; ++i) kopf[i] = int32_t(Bytes_Get32(d + pos + 20 + 4 * i));
        pos += EINTRAG_FEST;
        if (laenge > uint32_t(NEWS_TEXT_MAX)) break;
        const uint8_t* text = d + pos;
        if (laenge) {
            if (bytes - pos < size_t(laenge) + 1 || !text_gueltig(text, size_t(laenge) + 1, flags, kopf)) break;
            pos += size_t(laenge) + 1;
        }
        size_t fuell = 4 - pos % 4;
        if (bytes - pos < fuell) break;
        pos += fuell;
        if (laenge) gespeichert += News_Eintragen(id, tag, sender, team, -1, int32_t(flags), kopf,
                                                  reinterpret_cast<const char*>(text));
    }
    Debug_Printf("News_Block_Eintragen: Newsblock beschaedigt nach %zu Bytes\n", pos);
    return -1;
}

namespace {

// The arguments of call 1012: the ids of the items held, the team.
std::vector<uint8_t> holen_argumente(int32_t team) {
    std::vector<uint8_t> ids;
    uint32_t anzahl = 0;
    Le_Put_U32(ids, 0);
    for (int32_t i = 0; i < News_Anzahl(); ++i) {
        uint32_t id = News_Get_Id(i);
        if (!id) continue;
        Le_Put_U32(ids, id);
        ++anzahl;
    }
    Bytes_Put32(ids.data(), anzahl);
    std::vector<uint8_t> a;
    ClubPacker pk{a};
    pk.block_mit_laenge(ids.data(), ids.size());
    pk.i32(team);
    return a;
}

}  // namespace

void News_Client_Holen_Vorab(int32_t team) {
    if (Club_Netzwerk_Modus() == 1 && News_Ist_Offen()) Club_Remote_Vorab(ANFRAGE_NEWS_HOLEN, holen_argumente(team));
}

int32_t News_Client_Holen(int32_t team) {
    if (Club_Netzwerk_Modus() != 1) return 0;
    if (!News_Ist_Offen()) {
        Debug_Printf("News_Client_Holen: News-Modul nicht initialisiert !!!\n");
        return -1;
    }
    const std::vector<uint8_t> a = holen_argumente(team);
    std::vector<uint8_t> antwort;
    if (!Club_Remote("News_Client_Holen", ANFRAGE_NEWS_HOLEN, "C<=0i<C<=0ii", a, antwort)) return -1;
    ClubLeser l{antwort.data(), antwort.size()};
    size_t groesse = 0;
    const uint8_t* block = l.block_mit_laenge(&groesse);
    int32_t tag = l.i32();
    int32_t zustand = l.i32();
    if (!block || l.fehler) {
        Debug_Printf("News_Client_Holen: Antwort beschaedigt\n");
        return -1;
    }
    int32_t gespeichert = groesse ? News_Block_Eintragen(Club_Client_Team(), block, groesse) : 0;
    if (tag != Tag_Index() || zustand != spieltag_zustand(team)) {
        Debug_Printf("News_Client_Holen: Tag %d / Spieltag %d des Servers, Kalender wird geholt\n", tag, zustand);
        Kalender_Client_Sync();
    }
    return gespeichert;
}

bool News_Server_Sammeln(int32_t client_team, const uint8_t* daten, size_t bytes, std::vector<uint8_t>& antwort) {
    antwort.clear();
    ClubLeser l{daten, bytes};
    size_t n = 0;
    const uint8_t* liste = l.block_mit_laenge(&n);
    int32_t team = l.i32();
    if (!liste || l.fehler || n < 4 || (n - 4) / 4 < Bytes_Get32(liste) || (n - 4) % 4) {
        Debug_Printf("News_Server_Sammeln: Anfrage beschaedigt\n");
        return false;
    }
    std::vector<uint32_t> bekannt(Bytes_Get32(liste));
    for (size_t i = 0; i < bekannt.size(); ++i) bekannt[i] = Bytes_Get32(liste + 4 + 4 * i);
    std::vector<uint8_t> block;
    if (Club_Ist_Eigenes(team, client_team)) {
        News_Block_Bauen(team, bekannt, block);
    } else {
        Debug_Printf("News_Server_Sammeln: Team %d ist nicht das des Clients (%d)\n", team, client_team);
        Le_Put_U32(block, 0);
    }
    ClubPacker pk{antwort};
    pk.block_mit_laenge(block.data(), block.size());
    pk.i32(Tag_Index());
    pk.i32(spieltag_zustand(client_team));
    return true;
}

bool News_Server_Hinzufuegen(int32_t client_team, const uint8_t* daten, size_t bytes, std::vector<uint8_t>& antwort) {
    antwort.clear();
    ClubLeser l{daten, bytes};
    int32_t sender = l.i32();
    int32_t recipient = l.i32();
    int32_t second = l.i32();
    int32_t flags = l.i32();
    uint8_t kb[NEWS_KOPF_BYTES];
    l.block(kb, sizeof kb);
    size_t n = 0;
    const uint8_t* text = l.block_mit_laenge(&n);
    int32_t kopf[NEWS_KOPF_WORTE];
    for (int32_t i = 0; i < NEWS_KOPF_WORTE; ++i) kopf[i] = int32_t(Bytes_Get32(kb + 4 * i));
    if (l.fehler || !text || !text_gueltig(text, n, uint32_t(flags), kopf)) {
        Debug_Printf("News_Server_Hinzufuegen: Anfrage beschaedigt\n");
        return false;
    }
    const char* t = reinterpret_cast<const char*>(text);
    ClubPacker pk{antwort};
    if (client_team < 0) {
        // A slot without a club sends nothing, in nobody's name (and is told
        // nothing: its "wrong sender" note would reach every manager).
        Debug_Printf("News_Server_Hinzufuegen: Client ohne Team\n");
        pk.i32(0);
        return true;
    }
    const uint32_t f = flags == -1 ? 0 : uint32_t(flags);
    if (f & NEWS_ANTWORT) {
        // Only the request's id and the answer word count: kind, amounts and
        // parties come from the request the server holds.
        pk.i32(int32_t(News_Antwort_Eintragen(client_team, uint32_t(kopf[NEWS_KOPF_ANFRAGE_ID]),
                                              kopf[NEWS_KOPF_ANTWORT])));
        return true;
    }
    if ((f & NEWS_ANFRAGE) && !kreditanfrage_gueltig(client_team, sender, recipient, second, kopf)) {
        Debug_Printf("News_Server_Hinzufuegen: Anfrage der Art %d von Team %d abgewiesen\n", kopf[0], client_team);
        pk.i32(0);
        return true;
    }
    if (f & NEWS_ANFRAGE) kopf[NEWS_KOPF_ANTWORT] = -1;
    if (sender != client_team && !(recipient == client_team && second == -1)) {
        News_Add(-1, client_team, -1, int32_t(NEWS_NACHRICHT), nullptr, "Falscher Absender: %s", t);
        pk.i32(0);
        return true;
    }
    int32_t ok = News_Eintragen(0, -1, sender, recipient, second, flags, kopf, t);
    pk.i32(ok ? int32_t(News_Letzte_Id()) : 0);
    return true;
}

bool News_Server_Setzen(int32_t client_team, const uint8_t* daten, size_t bytes, std::vector<uint8_t>& antwort) {
    antwort.clear();
    ClubLeser l{daten, bytes};
    uint32_t id = uint32_t(l.i32());
    int32_t team = l.i32();
    int32_t wert = l.i32();
    int32_t modus = l.i32();
    if (l.fehler) {
        Debug_Printf("News_Server_Setzen: Anfrage beschaedigt\n");
        return false;
    }
    if (client_team < 0 || (team != client_team && team != -1)) {
        Debug_Printf("News_Server_Setzen: Team %d ist nicht das des Clients (%d)\n", team, client_team);
        return true;
    }
    // The client's deletion of the whole item takes only its own team off the server's.
    if (team == -1 && wert == -1) modus = NEWS_SET_LOESCHEN;
    int32_t index = News_Index_Von_Id(id);
    if (index < 0) return true;
    // A client never turns an item into a request or an answer: those the
    // server's request processor acts on.
    int32_t alt = News_Get_Flags(index, client_team);
    uint32_t neu = alt != -1 && wert != -1 ? gesetzt(uint32_t(alt), wert, modus) & ~uint32_t(alt) : 0;
    if (neu & (NEWS_ANFRAGE | NEWS_ANTWORT)) {
        Debug_Printf("News_Server_Setzen: Team %d darf Eintrag %u nicht zur Anfrage machen\n", client_team, id);
        return true;
    }
    News_Set(index, client_team, wert, modus);
    return true;
}

bool News_Server_Anfrage(int32_t anfrage, int32_t client_team, const uint8_t* daten, size_t bytes,
                         std::vector<uint8_t>& antwort) {
    switch (anfrage) {
    case ANFRAGE_NEWS_HOLEN: return News_Server_Sammeln(client_team, daten, bytes, antwort);
    case ANFRAGE_NEWS_HINZUFUEGEN: return News_Server_Hinzufuegen(client_team, daten, bytes, antwort);
    case ANFRAGE_NEWS_SETZEN: return News_Server_Setzen(client_team, daten, bytes, antwort);
    default:
        Debug_Printf("News_Server_Anfrage: unbekannte Anfrage %d\n", anfrage);
        antwort.clear();
        return false;
    }
}

}  // namespace velmora
