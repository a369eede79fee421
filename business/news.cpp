// business/news.cpp - the news inbox and its working file.
#include "business/news.h"

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>

#include "business/news_netz.h"
#include "business/news_satz.h"
#include "business/news_testing.h"
#include "club/club_hooks.h"
#include "club/spieler.h"
#include "club/team.h"
#include "core/bytes.h"
#include "core/debug.h"
#include "core/dirs.h"
#include "core/file.h"
#include "core/le.h"
#include "core/optionen.h"
#include "core/spielstand.h"
#include "core/str.h"
#include "match/day/spieltag_hooks.h"
#include "platform/files.h"
#include "season/kalender.h"

namespace velmora {

struct NewsZustand;

namespace {

constexpr const char* NICHT_OFFEN = "News-Modul nicht initialisiert !!!\n";
constexpr int32_t DATEI_NUMMERN = 1000;
constexpr int64_t DATEI_MAX = 0x7FFFFFFF;   // offsets are 32-bit
constexpr size_t LESE_STUECK = 1024;         // most records fit in one read

struct NewsModul {
    bool offen = false;
    int32_t datei = -1;
    char name[DIRS_PFAD_MAX + 32] = {};
    int64_t ende = 0;                        // where the next record goes
    int fehler = 0;                          // errno of the working file's last failed write or opening
    int32_t index[NEWS_MAX];
    int32_t anzahl = 0;
    uint32_t naechste_id = 1;
    uint32_t letzte_id = 0;
    // The walk.
    int32_t pos = 0;
    int32_t filter_team = -1;
    uint32_t filter_maske = 0xFFFFFFFFu;
    uint32_t walk_id = 0;
    uint32_t walk_flags = 0;
    uint32_t gesucht = 0;
    uint32_t ausgeschlossen = 0;
    NewsModul() { for (int32_t& i : index) i = -1; }
};

struct Arbeit {                              // scratch space of the readers, not state
    NewsSatz satz;
    std::vector<uint8_t> puffer;
    int32_t kopf[NEWS_SATZKOPF_BYTES / 4] = {};   // the header buffer News_Get_Kopf returns
    int32_t leer[NEWS_KOPF_WORTE] = {};           // the zeroed header of absent items
};

NewsModul g_eigen;
NewsModul* g = &g_eigen;
Arbeit w;

bool offen(const char* fname) {
    if (g->offen) return true;
    Debug_Printf("%s: %s", fname, NICHT_OFFEN);
    return false;
}

bool index_lebt(int32_t index) { return index >= 0 && index < g->anzahl && g->index[index] >= 0; }

void kopf_standard(int32_t kopf[NEWS_KOPF_WORTE]) {
    for (int32_t i = 0; i < NEWS_KOPF_WORTE; ++i) kopf[i] = i < 4 ? -1 : 0;
}

// Reads the record at `offset` of the working file into `s`.
bool satz_lesen(int64_t offset, NewsSatz& s) {
    size_t stueck = LESE_STUECK;
    for (;;) {
        w.puffer.resize(stueck);
        if (File_Seek(g->datei, int32_t(offset), 0) != offset) return false;
        int32_t n = File_Read(w.puffer.data(), 1, int32_t(stueck), g->datei);
        NewsLesen r = News_Satz_Parsen(w.puffer.data(), size_t(n), s);
        if (r == NewsLesen::OK) {
            for (NewsPaar& p : s.paare) p.offset += offset;
            return true;
        }
        if (r == NewsLesen::KAPUTT || size_t(n) < stueck) {
            Debug_Printf("News: Eintrag bei %lld beschaedigt\n", static_cast<long long>(offset));
            return false;
        }
        stueck *= 2;
    }
}

bool lesen(int32_t index, NewsSatz& s) { return index_lebt(index) && satz_lesen(g->index[index], s); }

bool datei_schreiben(int64_t offset, const void* daten, size_t bytes) {
    errno = 0;
    if (File_Seek(g->datei, int32_t(offset), 0) == offset &&
        File_Write(daten, 1, int32_t(bytes), g->datei) == int32_t(bytes))
        return true;
    g->fehler = errno ? errno : EIO;
    return false;
}

// Appends a finished record; false (nothing indexed) when it could not be written.
bool anhaengen(const NewsSatz& s) {
    std::vector<uint8_t>& bytes = w.puffer;
    News_Satz_Bauen(s, bytes);
    if (g->ende + int64_t(bytes.size()) > DATEI_MAX) {
        Debug_Printf("News: Datei %s voll\n", g->name);
        g->fehler = EFBIG;
        return false;
    }
    if (!datei_schreiben(g->ende, bytes.data(), bytes.size())) {
        Debug_Printf("News: Datei %s nicht beschreibbar\n", g->name);
        return false;
    }
    g->index[g->anzahl++] = int32_t(g->ende);
    g->ende += int64_t(bytes.size());
    return true;
}

// Takes item `index` out of the index; a running walk keeps its place.
void index_loeschen(int32_t index) {
    for (int32_t i = index; i + 1 < g->anzahl; ++i) g->index[i] = g->index[i + 1];
    g->index[--g->anzahl] = -1;
    if (index < g->pos) --g->pos;
}

bool maske_passt(uint32_t flags, uint32_t maske) {
    if (maske == 0xFFFFFFFFu) return true;
    if (maske & NEWS_GESPEICHERT) return (flags & maske) == maske;
    return (flags & maske) != 0;
}

// Whether item `i` matches the walk's filter; remembers the matching flag word.
bool walk_passt(int32_t i) {
    NewsSatz& s = w.satz;
    if (!lesen(i, s) || s.id == 0) return false;
    g->walk_id = s.id;
    for (const NewsPaar& p : s.paare) {
        if (p.team == NEWS_TEAM_ENTFERNT) continue;
        if ((g->filter_team == -1 || p.team == g->filter_team) && maske_passt(p.flags, g->filter_maske)) {
            g->walk_flags = p.flags;
            return true;
        }
    }
    return false;
}

bool suche_passt() {
    return (g->gesucht == 0 || (g->walk_flags & g->gesucht)) && !(g->walk_flags & g->ausgeschlossen);
}

// The teams that get a pair, by the rules of the recipients.
void empfaenger(int32_t sender, int32_t recipient, int32_t second, uint32_t flags, std::vector<int32_t>& out) {
    out.clear();
    int32_t teams = Team_Anzahl();
    auto gueltig = [teams](int32_t t) { return t >= 0 && t < teams; };
    if (recipient == -1) {
        // An answer to all goes to its sender alone, whether or not a human runs it.
        if (flags & NEWS_ANTWORT) {
            if (gueltig(sender)) out.push_back(sender);
            return;
        }
        for (int32_t t = 0; t < teams; ++t)
            if (t != sender && Team_Hat_Manager(t)) out.push_back(t);
        return;
    }
    if (gueltig(recipient)) out.push_back(recipient);
    else Debug_Printf("News_Eintragen: Empfaenger %d ungueltig\n", recipient);
    if (second != -1 && second != recipient) {
        if (gueltig(second)) out.push_back(second);
        else Debug_Printf("News_Eintragen: zweiter Empfaenger %d ungueltig\n", second);
    }
}

uint32_t flags_normal(int32_t flags) {
    uint32_t f = flags == -1 ? NEWS_STANDARD : uint32_t(flags);
    if (f != NEWS_ANTWORT) {
        f |= NEWS_GESPEICHERT;
        if (!(f & NEWS_KATEGORIEN)) f |= NEWS_ALLGEMEIN;
    }
    return f;
}

// The length of an item's text or data; -1 (logged) for binary data without one.
int32_t laenge_von(uint32_t flags, const int32_t* kopf, const char* text, const char* fname) {
    if (flags & NEWS_BINAER) {
        if (!kopf || kopf[0] <= 0) {
            Debug_Printf("%s: Binärnews ohne Länge\n", fname);
            return -1;
        }
        if (kopf[0] - 1 > NEWS_TEXT_MAX) {
            Debug_Printf("%s: Binärnews mit %d Bytes zu lang\n", fname, kopf[0] - 1);
            return -1;
        }
        return kopf[0] - 1;
    }
    return int32_t(strnlen(text, size_t(NEWS_TEXT_MAX)));
}

void walk_zuruecksetzen() {
    g->pos = 0;
    g->filter_team = -1;
    g->filter_maske = 0xFFFFFFFFu;
    g->walk_id = 0;
    g->walk_flags = 0;
}

void index_leeren() {
    for (int32_t& i : g->index) i = -1;
    g->anzahl = 0;
    g->ende = 0;
    walk_zuruecksetzen();
}

}  // namespace

uint32_t News_Neue_Id() { return g->naechste_id++; }
uint32_t News_Letzte_Id() { return g->letzte_id; }
int32_t News_Anzahl() { return g->offen ? g->anzahl : 0; }
bool News_Ist_Offen() { return g->offen; }
const char* News_Datei_Name() { return g->offen ? g->name : ""; }

int32_t News_Eintragen(uint32_t id, int32_t tag, int32_t sender, int32_t recipient, int32_t second, int32_t flags,
                       const int32_t* kopf, const char* text) {
    if (!offen("News_Eintragen")) return 0;
    if (!text || !text[0]) return 0;
    uint32_t f = flags_normal(flags);
    if (recipient != -1 && !Team_Hat_Manager(recipient) && !Team_Hat_Manager(second) &&
        !(f & (NEWS_ANFRAGE | NEWS_ANTWORT)))
        return 0;   // for computer teams only
    int32_t standard[NEWS_KOPF_WORTE];
    if (!kopf) {
        kopf_standard(standard);
        kopf = standard;
    }
    int32_t laenge = laenge_von(f, kopf, text, "News_Eintragen");
    if (laenge < 0) return 0;
    NewsSatz s;
    std::vector<int32_t> teams;
    empfaenger(sender, recipient, second, f, teams);
    if (teams.empty()) return 0;
    // The oldest item makes room only for an item that is really stored.
    if (g->anzahl == NEWS_MAX) index_loeschen(0);
    s.id = id ? id : News_Neue_Id();
    s.tag = tag == -1 ? Tag_Index() : tag;
    s.absender = sender;
    std::memcpy(s.kopf, kopf, NEWS_KOPF_BYTES);
    s.text.assign(text, text + laenge);
    for (int32_t t : teams) s.paare.push_back({t, f});
    if (!anhaengen(s)) return 0;
    g->letzte_id = s.id;
    return 1;
}

int32_t News_Add_Block(int32_t sender, int32_t recipient, int32_t second, int32_t flags, const int32_t* kopf,
                       const char* text) {
    if (!offen("News_Add_Block")) return 0;
    if (!text || !text[0]) return 0;
    // -1 means a general message before anything tests a bit of it.
    if (flags == -1) flags = int32_t(NEWS_STANDARD);
    if (Club_Netzwerk_Modus() != 1) return News_Eintragen(0, -1, sender, recipient, second, flags, kopf, text);

    int32_t standard[NEWS_KOPF_WORTE];
    if (!kopf) {
        kopf_standard(standard);
        kopf = standard;
    }
    int32_t laenge = laenge_von(uint32_t(flags), kopf, text, "News_Add");
    if (laenge < 0) return 0;
    uint32_t id = News_Netz_Hinzufuegen(sender, recipient, second, uint32_t(flags), kopf, text, uint32_t(laenge));
    if (id == 0 || (flags & int32_t(NEWS_ANTWORT))) return 0;
    // The client's file holds only its own team's items: a copy for the own
    // team when it is among the recipients.
    int32_t eigen = Club_Client_Team();
    std::vector<int32_t> teams;
    empfaenger(sender, recipient, second, flags_normal(flags), teams);
    for (int32_t t : teams)
        if (t == eigen) News_Eintragen(id, -1, sender, eigen, -1, flags, kopf, text);
    return 1;
}

int32_t News_Add(int32_t sender, int32_t recipient, int32_t second, int32_t flags, const int32_t* kopf,
                 const char* format, ...) {
    if (!offen("News_Add")) return 0;
    if (!format) return 0;
    char* text = Str_Temp();
    va_list args;
    va_start(args, format);
    Str_VFormat(text, STR_TEMP_GROESSE, format, args);
    va_end(args);
    return News_Add_Block(sender, recipient, second, flags, kopf, text);
}

int32_t News_Set(int32_t index, int32_t team, int32_t wert, int32_t modus) {
    if (!offen("News_Set")) return 0;
    if (!index_lebt(index)) {
        Debug_Printf("News_Set: Index %d ungueltig\n", index);
        return 0;
    }
    // Its own copy: the remote call below may run the server's readers.
    NewsSatz s;
    if (!lesen(index, s)) return 0;
    // A client changes the server's copy too; the server applies it to the client's team alone.
    if (Club_Netzwerk_Modus() == 1) News_Netz_Setzen(s.id, team, wert, modus);
    bool entfernt = false;
    bool loeschen = team == -1 && wert == -1;
    if (!loeschen) {
        int32_t bleiben = 0;
        bool geaendert = false;
        for (const NewsPaar& p : s.paare) {
            if (p.team == NEWS_TEAM_ENTFERNT) continue;
            if (geaendert || (team != -1 && p.team != team)) {
                ++bleiben;
                continue;
            }
            uint32_t f = p.flags;
            switch (modus) {
            case NEWS_SET_WERT: f = uint32_t(wert); break;
            case NEWS_SET_UMSCHALTEN: f ^= uint32_t(wert); break;
            case NEWS_SET_LOESCHEN: f &= ~uint32_t(wert); break;
            case NEWS_SET_SETZEN: f |= uint32_t(wert); break;
            default: Debug_Printf("Falscher News_Set-Modus %d\n", modus); break;
            }
            uint8_t feld[4];
            if (f == 0 || f == NEWS_GESPEICHERT) {
                Bytes_Put32(feld, uint32_t(NEWS_TEAM_ENTFERNT));
                if (!datei_schreiben(p.offset, feld, 4)) Debug_Printf("News_Set: Datei nicht beschreibbar\n");
                entfernt = true;
            } else {
                Bytes_Put32(feld, f);
                if (f != p.flags && !datei_schreiben(p.offset + 4, feld, 4))
                    Debug_Printf("News_Set: Datei nicht beschreibbar\n");
                ++bleiben;
            }
            if (team != -1) geaendert = true;
        }
        loeschen = bleiben == 0;
    }
    if (loeschen) {
        index_loeschen(index);
        return 1;
    }
    return entfernt ? 1 : 0;
}

int32_t News_Erste(int32_t team, int32_t maske) {
    if (!offen("News_Erste")) return -1;
    g->pos = 0;
    g->filter_team = team;
    g->filter_maske = uint32_t(maske);
    return News_Naechste();
}

int32_t News_Naechste() {
    if (!offen("News_Naechste")) return -1;
    while (g->pos < g->anzahl) {
        int32_t i = g->pos++;
        if (walk_passt(i)) return i;
    }
    return -1;
}

int32_t News_Vorige() {
    if (!offen("News_Vorige")) return -1;
    for (int32_t i = g->pos - 2; i >= 0; --i) {
        if (walk_passt(i)) {
            g->pos = i + 1;
            return i;
        }
    }
    g->pos = 0;
    return -1;
}

int32_t News_Suche_Flags(int32_t team, int32_t maske, uint32_t gesucht, uint32_t ausgeschlossen) {
    if (!offen("News_Suche_Flags")) return -1;
    g->gesucht = gesucht;
    g->ausgeschlossen = ausgeschlossen;
    for (int32_t i = News_Erste(team, maske); i >= 0; i = News_Naechste())
        if (suche_passt()) return i;
    return -1;
}

int32_t News_Suche_Weiter() {
    if (!offen("News_Suche_Weiter")) return -1;
    for (int32_t i = News_Naechste(); i >= 0; i = News_Naechste())
        if (suche_passt()) return i;
    return -1;
}

uint32_t News_Walk_Flags() { return g->walk_flags; }

bool News_Satz_Holen(int32_t index, NewsSatz& s) { return g->offen && lesen(index, s); }

const int32_t* News_Get_Kopf(int32_t index) {
    if (!offen("News_Get_Kopf") || !lesen(index, w.satz)) return w.leer;
    w.kopf[0] = w.satz.tag;
    w.kopf[1] = w.satz.absender;
    std::memcpy(&w.kopf[2], w.satz.kopf, NEWS_KOPF_BYTES);
    return &w.kopf[2];
}

int32_t News_Get_Absender(int32_t index) {
    if (!offen("News_Get_Absender") || !lesen(index, w.satz)) return -1;
    return w.satz.absender;
}

int32_t News_Get_Tag(int32_t index) {
    if (!offen("News_Get_Tag") || !lesen(index, w.satz)) return 0;
    return w.satz.tag;
}

const char* News_Text(int32_t index) {
    char* out = Str_Temp();
    out[0] = 0;
    if (!offen("News_Text") || !lesen(index, w.satz)) return out;
    size_t n = w.satz.text.size() < size_t(NEWS_TEXT_MAX) ? w.satz.text.size() : size_t(NEWS_TEXT_MAX);
    if (n) std::memcpy(out, w.satz.text.data(), n);
    out[n] = 0;
    return out;
}

int32_t News_Get_Flags(int32_t index, int32_t team) {
    if (!offen("News_Get_Flags") || !lesen(index, w.satz)) return -1;
    for (const NewsPaar& p : w.satz.paare)
        if (p.team != NEWS_TEAM_ENTFERNT && (team == -1 || p.team == team)) return int32_t(p.flags);
    return -1;
}

uint32_t News_Get_Id(int32_t index) {
    if (!offen("News_Get_Id") || !lesen(index, w.satz)) return 0;
    return w.satz.id;
}

int32_t News_Index_Von_Id(uint32_t id) {
    if (!offen("News_Index_Von_Id") || id == 0) return -1;
    for (int32_t i = 0; i < g->anzahl; ++i)
        if (lesen(i, w.satz) && w.satz.id == id) return i;
    return -1;
}

int32_t News_Loeschen_Nach(int32_t art, int32_t wort, int32_t wert) {
    if (!offen("News_Loeschen_Nach")) return 0;
    if (wort < 0 || wort >= NEWS_KOPF_WORTE) {
        Debug_Printf("News_Loeschen_Nach: Wort %d ungueltig\n", wort);
        return 0;
    }
    int32_t geloescht = 0;
    for (int32_t i = g->anzahl - 1; i >= 0; --i) {
        if (!lesen(i, w.satz) || w.satz.id == 0) continue;
        if (w.satz.kopf[0] == art && w.satz.kopf[wort] == wert) geloescht += News_Set(i, -1, -1, NEWS_SET_LOESCHEN);
    }
    return geloescht;
}

void News_Alle_Gelesen() {
    if (!offen("News_Alle_Gelesen")) return;
    for (int32_t i = 0; i < g->anzahl; ++i) {
        if (!lesen(i, w.satz)) continue;
        for (const NewsPaar& p : w.satz.paare) {
            if (p.team == NEWS_TEAM_ENTFERNT || !(p.flags & NEWS_NACHRICHT)) continue;
            uint8_t feld[4];
            Bytes_Put32(feld, p.flags & ~NEWS_NACHRICHT);
            if (!datei_schreiben(p.offset + 4, feld, 4)) Debug_Printf("News_Alle_Gelesen: Datei nicht beschreibbar\n");
        }
    }
}

void News_Anfragen_Halten(int32_t team, uint32_t maske) {
    if (!offen("News_Anfragen_Halten")) return;
    for (int32_t i = News_Erste(team, int32_t(NEWS_NACHRICHT)); i >= 0; i = News_Naechste()) {
        uint32_t f = g->walk_flags;
        if (f & NEWS_HALTEN) continue;
        if ((f & maske) || !(f & (NEWS_GESPEICHERT | NEWS_ANFRAGE))) News_Set(i, team, int32_t(NEWS_HALTEN_29), NEWS_SET_SETZEN);
    }
}

bool News_Datei_Oeffnen() {
    if (g->offen) News_Datei_Schliessen();
    index_leeren();
    g->naechste_id = 1;   // a fresh file numbers its items from 1
    const char* verz = Dirs_Get(DIR_USER);
    if (!verz[0]) {
        Debug_Printf("News_Datei_Oeffnen: kein Benutzerverzeichnis\n");
        return false;
    }
    g->fehler = 0;
    for (int32_t n = 0; n < DATEI_NUMMERN; ++n) {
        const char* name = Str_Format("%s\\ostra_%03d.nws", verz, n);
        // A number another running instance holds is skipped; a file of this
        // number left by an earlier run is emptied and taken (an empty one
        // as it is: it needs no cutting).
        bool fremd = false;
        int32_t h = Plat_File_Open_Exclusive(name, &fremd);
        if (h < 0 && !fremd) g->fehler = errno;
        if (h >= 0 && Plat_File_Size(h) != 0 && !Plat_File_Truncate(h, 0)) {
            g->fehler = errno;
            h = Plat_File_Close(h);
        }
        if (h < 0) continue;
        g->datei = h;
        std::snprintf(g->name, sizeof g->name, "%s", name);
        g->offen = true;
        return true;
    }
    Debug_Printf("News_Datei_Oeffnen: keine Newsdatei anlegbar in %s\n", verz);
    return false;
}

void News_Datei_Schliessen() {
    if (!g->offen) return;
    g->datei = File_Close(g->datei);
    if (!Plat_Remove(g->name)) Debug_Printf("News_Datei_Schliessen: %s nicht geloescht\n", g->name);
    g->offen = false;
    g->name[0] = 0;
    index_leeren();
}

void News_Client_Start() {
    if (Club_Netzwerk_Modus() == 2) return;
    News_Datei_Oeffnen();
}

// The save-game block.

namespace {

// What errno `fehler` means, for a message; 0 is no known cause.
const char* fehler_text(int fehler) { return fehler ? std::strerror(fehler) : "unbekannter Fehler"; }

}  // namespace

void Optionen_News_Save(std::vector<uint8_t>& out) {
    uint8_t optionen[OPTIONEN_BLOCK_BYTES];
    Optionen_Block_Schreiben(optionen);
    out.insert(out.end(), optionen, optionen + OPTIONEN_BLOCK_BYTES);
    out.push_back(g->offen ? 1 : 0);
    Le_Put_U32(out, g->naechste_id);
    if (!g->offen) return;
    size_t anzahl_pos = out.size();
    Le_Put_U32(out, 0);
    uint32_t anzahl = 0;
    for (int32_t i = 0; i < g->anzahl; ++i) {
        // An item the file no longer gives back cannot be saved; the rest can.
        if (!lesen(i, w.satz) || w.satz.id == 0) continue;
        News_Satz_Sichern(w.satz, out);
        ++anzahl;
    }
    Bytes_Put32(out.data() + anzahl_pos, anzahl);
}

bool Optionen_News_Load(const uint8_t* in, size_t bytes) {
    if (!in || bytes < OPTIONEN_BLOCK_BYTES + 5) {
        Debug_Printf("Optionen_News_Load: Block zu kurz (%zu)\n", bytes);
        return false;
    }
    size_t pos = OPTIONEN_BLOCK_BYTES;
    bool war_offen = in[pos++] != 0;
    uint32_t naechste = Bytes_Get32(in + pos);
    pos += 4;
    std::vector<NewsSatz> saetze;
    if (war_offen) {
        if (bytes - pos < 4) {
            Debug_Printf("Optionen_News_Load: Anzahl fehlt\n");
            return false;
        }
        uint32_t anzahl = Bytes_Get32(in + pos);
        pos += 4;
        if (anzahl > uint32_t(NEWS_MAX)) {
            Debug_Printf("Optionen_News_Load: %u Eintraege\n", anzahl);
            return false;
        }
        for (uint32_t i = 0; i < anzahl; ++i) {
            NewsSatz s;
            size_t n = News_Satz_Laden(in + pos, bytes - pos, s);
            if (n == 0) {
                Debug_Printf("Optionen_News_Load: Eintrag %u beschaedigt\n", i);
                return false;
            }
            pos += n;
            if (s.id != 0) saetze.push_back(std::move(s));
        }
    }
    if (pos != bytes) {
        Debug_Printf("Optionen_News_Load: %zu Bytes zu viel\n", bytes - pos);
        return false;
    }
    uint8_t alt[OPTIONEN_BLOCK_BYTES];
    Optionen_Block_Schreiben(alt);
    if (!Optionen_Block_Lesen(in, OPTIONEN_BLOCK_BYTES)) return false;
    if (!war_offen) {
        News_Datei_Schliessen();
        g->naechste_id = naechste;
        return true;
    }
    if (!News_Datei_Oeffnen()) {
        // Nothing of the block is at fault: the user directory takes no working file.
        Spielstand_Lade_Ursache("im Benutzerverzeichnis " + Plat_Path(Dirs_Get(DIR_USER)) +
                                " laesst sich keine Arbeitsdatei der Nachrichten anlegen: " + fehler_text(g->fehler));
        Optionen_Block_Lesen(alt, OPTIONEN_BLOCK_BYTES);
        return false;
    }
    for (const NewsSatz& s : saetze) {
        if (!anhaengen(s)) {
            // The block was sound; the disk (full, say) refused its items.
            Debug_Printf("Optionen_News_Load: Datei nicht beschreibbar\n");
            Spielstand_Lade_Ursache("die Arbeitsdatei " + Plat_Path(g->name) +
                                    " konnte nicht geschrieben werden: " + fehler_text(g->fehler));
            News_Datei_Oeffnen();
            Optionen_Block_Lesen(alt, OPTIONEN_BLOCK_BYTES);
            return false;
        }
    }
    g->naechste_id = naechste;
    return true;
}

// The test seam.

struct NewsZustand {
    NewsModul modul;
};

NewsZustand* News_Testing_Zustand_Neu() { return new NewsZustand; }

void News_Testing_Zustand_Tauschen(NewsZustand* z) {
    if (z) std::swap(*g, z->modul);
}

void News_Testing_Zustand_Loeschen(NewsZustand* z) {
    if (!z) return;
    std::swap(*g, z->modul);
    News_Datei_Schliessen();
    std::swap(*g, z->modul);
    delete z;
}

int32_t News_Testing_Datei_Uebernehmen(const uint8_t* daten, size_t bytes) {
    if (!offen("News_Testing_Datei_Uebernehmen")) return -1;
    g->datei = File_Close(g->datei);
    g->datei = File_Open(g->name, FILE_LESEN | FILE_SCHREIBEN, FILE_NEU_IMMER, 0);
    index_leeren();
    if (g->datei < 0 || (bytes && !datei_schreiben(0, daten, bytes))) {
        g->offen = g->datei >= 0;
        return -1;
    }
    g->ende = int64_t(bytes);
    size_t pos = 0;
    NewsSatz s;
    while (pos < bytes && g->anzahl < NEWS_MAX) {
        if (News_Satz_Parsen(daten + pos, bytes - pos, s) != NewsLesen::OK) break;
        g->index[g->anzahl++] = int32_t(pos);
        pos += s.groesse;
    }
    return g->anzahl;
}

int32_t News_Testing_Offset(int32_t index) { return index_lebt(index) ? g->index[index] : -1; }

bool News_Spielstand_Anmelden() {
    return Spielstand_Block_Anmelden({"News", 40, Optionen_News_Save, Optionen_News_Load, nullptr});
}

std::string News_Transfer_Saldo(int32_t team, float erhalten, float bezahlt) {
    const float saldo = erhalten - bezahlt;
    return std::string(saldo >= 0 ? "Ihr Verein erh\xe4lt damit " : "Ihr Verein zahlt damit ") +
           Spieltag_Hook_Geld_Text(saldo >= 0 ? saldo : -saldo, team) + ".";
}

void News_Transfer(int32_t team, int32_t partner, int32_t kommt, int32_t geht, float bezahlt, float erhalten) {
    const std::string kommt_name = kommt >= 0 ? Spieler_String(SPS_NAME, kommt, 0, 0) : "",
                      geht_name = geht >= 0 ? Spieler_String(SPS_NAME, geht, 0, 0) : "",
                      verein = Team_String(TS_NAME, partner, 0, 0);
    std::string text = "Transfer abgeschlossen:";
    if (kommt >= 0) text += " " + kommt_name + " kommt zu Ihrem Verein.";
    if (geht >= 0) text += " " + geht_name + " verl\xe4sst Ihren Verein.";
    if (bezahlt > 0)
        text += std::string(" Sie zahlen ") + Spieltag_Hook_Geld_Text(bezahlt, team) + " an " + verein +
                (kommt >= 0 ? " f\xfcr " + kommt_name : std::string()) + ".";
    if (erhalten > 0)
        text += " " + verein + " zahlt Ihnen " + std::string(Spieltag_Hook_Geld_Text(erhalten, team)) +
                (geht >= 0 ? " f\xfcr " + geht_name : std::string()) + ".";
    if (bezahlt > 0 && erhalten > 0) text += " " + News_Transfer_Saldo(team, erhalten, bezahlt);
    News_Add(-1, team, -1, int32_t(NEWS_NACHRICHT | NEWS_SPIELER), nullptr, "%s", text.c_str());
}

}  // namespace velmora
