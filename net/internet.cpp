// net/internet.cpp - remote calls: type strings, the client's call, the request switch.
#include "net/internet.h"

#include <algorithm>
#include <cstdarg>
#include <cstring>
#include <string>

#include "core/debug.h"
#include "core/mem.h"
#include "core/meldung.h"
#include "net/min_signal.h"
#include "net/net.h"
#include "net/net_kontext.h"
#include "platform/clock.h"

namespace velmora {
namespace {

constexpr int32_t INTERNET_BLOCK_ARTEN = 53;      // block types 0-52
constexpr int32_t INTERNET_ID_ERSTE = 1000;       // request ids 1000-1043
constexpr int32_t INTERNET_ID_LETZTE = 1043;
constexpr int32_t INTERNET_EINTRAEGE = INTERNET_BLOCK_ARTEN + INTERNET_ID_LETZTE - INTERNET_ID_ERSTE + 1;
constexpr int32_t INTERNET_STATUS_OK = 0;
constexpr int32_t INTERNET_STATUS_ABGELEHNT = 1;

struct Internet_Eintrag {
    Internet_Handler handler = nullptr;
    Internet_Typ vorlage;
    uint32_t frei_max = 0;
};

struct InternetModul {
    Internet_Eintrag eintrag[INTERNET_EINTRAEGE];
    uint32_t anfrage_max = uint32_t(MIN_SIGNAL_GROESSE);   // Internet_Anfrage_Max, kept with the registrations
};
InternetModul g;

// The largest request block a template lets a client send: the header, the
// longest type string and every input at its largest size.
uint32_t Vorlage_Anfrage_Max(const Internet_Typ& vorlage) {
    uint64_t summe = sizeof(Internet_Block_Kopf) + INTERNET_TYP_MAX;
    for (const Internet_Element& e : vorlage.elemente)
        if (!e.aus) summe += e.groesse;
    return uint32_t(std::min<uint64_t>(summe, NET_FRAME_MAX));
}

void Anfrage_Max_Neu() {
    g.anfrage_max = uint32_t(MIN_SIGNAL_GROESSE);
    for (const Internet_Eintrag& e : g.eintrag)
        if (e.handler) g.anfrage_max = std::max(g.anfrage_max, Vorlage_Anfrage_Max(e.vorlage));
}

int32_t Internet_Index(int32_t id) {
    if (id >= 0 && id < INTERNET_BLOCK_ARTEN) return id;
    if (id >= INTERNET_ID_ERSTE && id <= INTERNET_ID_LETZTE) return INTERNET_BLOCK_ARTEN + id - INTERNET_ID_ERSTE;
    return -1;
}

void Internet_Anhaengen(std::vector<uint8_t>& out, const void* daten, size_t laenge) {
    const uint8_t* p = static_cast<const uint8_t*>(daten);
    out.insert(out.end(), p, p + laenge);
}

// The request's inputs in order; the result pointers are gathered in `ziele`
// (one per argument, null for inputs).
bool Internet_Anfrage_Bauen(std::vector<uint8_t>& out, std::vector<void*>& ziele, int32_t id, const char* text,
                            const Internet_Typ& typ, va_list args) {
    Internet_Block_Kopf kopf{INTERNET_MAGIC_ANFRAGE, id, uint32_t(std::strlen(text)), Client_Team()};
    Internet_Anhaengen(out, &kopf, sizeof(kopf));
    Internet_Anhaengen(out, text, kopf.typ_laenge);
    for (const Internet_Element& e : typ.elemente) {
        if (e.aus) {
            void* ziel = va_arg(args, void*);
            if (!ziel) {
                Debug_Printf("Internet_Client_Read: Ergebnis ohne Ziel (Anfrage %d)\n", id);
                return false;
            }
            ziele.push_back(ziel);
            continue;
        }
        ziele.push_back(nullptr);
        if (e.art == 'i' || e.art == 'c') {
            int32_t wert = va_arg(args, int);
            Internet_Anhaengen(out, &wert, 4);
        } else if (e.art == 'F' && e.groesse == 4) {
            float wert = float(va_arg(args, double));
            Internet_Anhaengen(out, &wert, 4);
        } else {
            const void* block = va_arg(args, const void*);
            if (!block && e.groesse) {
                Debug_Printf("Internet_Client_Read: Block ohne Daten (Anfrage %d)\n", id);
                return false;
            }
            Internet_Anhaengen(out, block, e.groesse);
        }
        if (out.size() > NET_FRAME_MAX) {
            Debug_Printf("Internet_Client_Read: Anfrage %d zu gross\n", id);
            return false;
        }
    }
    return true;
}

// Checks a whole answer before anything is written, then fills the results.
bool Internet_Antwort_Auspacken(const Net_Nachricht& n, int32_t id, const Internet_Typ& typ,
                                const std::vector<void*>& ziele, int32_t& ergebnis) {
    const std::vector<uint8_t>& d = n.daten;
    Internet_Block_Kopf kopf;
    if (d.size() < sizeof(kopf)) return false;
    std::memcpy(&kopf, d.data(), sizeof(kopf));
    if (kopf.magic != INTERNET_MAGIC_ANTWORT || kopf.id != id) return false;
    if (kopf.team != INTERNET_STATUS_OK) {
        Debug_Printf("Internet_Client_Read: Server lehnt Anfrage %d ab\n", id);
        return false;
    }
    size_t pos = sizeof(kopf);
    if (d.size() - pos < 4) return false;
    std::memcpy(&ergebnis, d.data() + pos, 4);
    pos += 4;
    size_t start = pos;
    for (const Internet_Element& e : typ.elemente) {
        if (!e.aus) continue;
        uint32_t laenge = e.groesse;
        if (e.frei) {
            if (d.size() - pos < 4) return false;
            std::memcpy(&laenge, d.data() + pos, 4);
            pos += 4;
        }
        if (d.size() - pos < laenge) return false;
        pos += laenge;
    }
    if (pos != d.size()) return false;
    pos = start;
    for (size_t i = 0; i < typ.elemente.size(); ++i) {
        const Internet_Element& e = typ.elemente[i];
        if (!e.aus) continue;
        if (e.frei) {
            uint32_t laenge;
            std::memcpy(&laenge, d.data() + pos, 4);
            pos += 4;
            Internet_Block* b = static_cast<Internet_Block*>(ziele[i]);
            b->daten = laenge ? Mem_Alloc(laenge, "Internet_Block") : nullptr;
            b->laenge = b->daten ? laenge : 0;
            if (b->daten) std::memcpy(b->daten, d.data() + pos, laenge);
            pos += laenge;
        } else {
            std::memcpy(ziele[i], d.data() + pos, e.groesse);
            pos += e.groesse;
        }
    }
    return true;
}

// Drops answers nobody waits for any more (their calls timed out); minute
// packets and the answers of calls further out stay queued.
void Internet_Alte_Antworten_Verwerfen(NetKontext& k) {
    auto& fertig = k.verbindung[NET_CLIENT_VERBINDUNG].fertig;
    for (auto it = fertig.begin(); it != fertig.end();) {
        bool erwartet = false;
        for (uint32_t f : k.wartend) erwartet = erwartet || f == it->folge;
        if (it->typ == NET_TYP_ANTWORT && !erwartet) {
            k.verbindung[NET_CLIENT_VERBINDUNG].fertig_bytes -= Net_Kosten(*it);
            it = fertig.erase(it);
        } else {
            ++it;
        }
    }
}

void Internet_Nicht_Mehr_Warten(NetKontext& k, uint32_t folge) {
    for (auto it = k.wartend.begin(); it != k.wartend.end(); ++it) {
        if (*it == folge) {
            k.wartend.erase(it);
            break;
        }
    }
}

bool Internet_Antwort_Abwarten(NetKontext& k, int32_t id, uint32_t folge, Net_Nachricht& antwort) {
    k.wartend.push_back(folge);
    uint32_t start = Plat_Ms();
    bool ok = false;
    for (;;) {
        Net_Pump();
        if (Net_Nehmen(k, NET_CLIENT_VERBINDUNG, NET_TYP_ANTWORT, folge, antwort)) {
            ok = true;
            break;
        }
        Internet_Alte_Antworten_Verwerfen(k);
        if (!Net_Offen(k, NET_CLIENT_VERBINDUNG)) {
            Debug_Printf("Internet_Client_Read: Server hat die Verbindung beendet (Anfrage %d)\n", id);
            break;
        }
        if (Plat_Ms() - start > k.zeiten.antwort_ms) {
            Debug_Printf("Internet_Client_Read: keine Antwort auf Anfrage %d\n", id);
            break;
        }
        Net_Kurz_Warten(k, NET_CLIENT_VERBINDUNG);
    }
    Internet_Nicht_Mehr_Warten(k, folge);
    if (!ok) Meldung("%s", INTERNET_KEINE_ANTWORT);
    if (Net_Hooks().warten_ende) Net_Hooks().warten_ende();
    return ok;
}

void Internet_Ablehnen(int32_t slot, int32_t id, uint32_t folge, const char* grund) {
    Debug_Printf("Internet_Server_Antwort: Anfrage %d von Platz %d abgelehnt: %s\n", id, slot, grund);
    uint8_t antwort[sizeof(Internet_Block_Kopf) + 4] = {};
    Internet_Block_Kopf kopf{INTERNET_MAGIC_ANTWORT, id, 0, INTERNET_STATUS_ABGELEHNT};
    std::memcpy(antwort, &kopf, sizeof(kopf));
    Net_Senden(slot, NET_TYP_ANTWORT, folge, antwort, sizeof(antwort));
}

bool Internet_Passt(const Internet_Typ& anfrage, const Internet_Typ& vorlage) {
    if (anfrage.ergebnis != vorlage.ergebnis || anfrage.elemente.size() != vorlage.elemente.size()) return false;
    for (size_t i = 0; i < anfrage.elemente.size(); ++i) {
        const Internet_Element& a = anfrage.elemente[i];
        const Internet_Element& v = vorlage.elemente[i];
        if (a.art != v.art || a.aus != v.aus || a.frei != v.frei || a.groesse > v.groesse) return false;
    }
    return true;
}

}  // namespace

bool Internet_Typ_Lesen(const char* text, size_t laenge, Internet_Typ& out) {
    out = Internet_Typ();
    if (!text || laenge == 0 || laenge > INTERNET_TYP_MAX) {
        Debug_Printf("Internet_Typ_Lesen: Typstring fehlt oder zu lang\n");
        return false;
    }
    if (text[0] != 'v' && text[0] != 'i' && text[0] != 'c') {
        Debug_Printf("Internet_Typ_Lesen: Ergebnis '%c' ungueltig\n", text[0]);
        return false;
    }
    out.ergebnis = text[0];
    size_t p = 1;
    while (p < laenge) {
        Internet_Element e;
        e.art = text[p++];
        if (int32_t(out.elemente.size()) >= INTERNET_ELEMENTE_MAX) {
            Debug_Printf("Internet_Typ_Lesen: zu viele Argumente\n");
            return false;
        }
        if (e.art == 'i' || e.art == 'c') {
            e.groesse = 4;
            out.elemente.push_back(e);
            continue;
        }
        if (e.art != 'F' && e.art != 'C' && e.art != 'I') {
            Debug_Printf("Internet_Typ_Lesen: Zeichen %d an Stelle %zu ungueltig\n", e.art, p - 1);
            return false;
        }
        if (p < laenge && text[p] == '<') {
            e.aus = true;
            ++p;
        }
        if (e.aus && e.art == 'C' && p + 2 <= laenge && text[p] == '=' && text[p + 1] == '0') {
            e.frei = true;
            p += 2;
            out.elemente.push_back(e);
            continue;
        }
        size_t ziffern = 0;
        uint64_t wert = 0;
        while (p < laenge && text[p] >= '0' && text[p] <= '9') {
            wert = wert * 10 + uint64_t(text[p++] - '0');
            if (++ziffern > 9) break;
        }
        if (ziffern == 0 || wert > NET_FRAME_MAX) {
            Debug_Printf("Internet_Typ_Lesen: Blockgroesse fehlt oder zu gross\n");
            return false;
        }
        e.groesse = uint32_t(wert);
        if (e.art == 'F' && !e.aus && e.groesse != 4) {
            Debug_Printf("Internet_Typ_Lesen: Gleitkommawert muss F4 sein\n");
            return false;
        }
        out.elemente.push_back(e);
    }
    return true;
}

namespace {

// Builds a client's request block; false (with a log line) when there is no
// connection or the request cannot be built. The result pointers are gathered in `ziele`.
bool Internet_Anfrage_Bauen_Client(NetKontext& k, int32_t id, const char* typ, Internet_Typ& t,
                                   std::vector<void*>& ziele, va_list args, std::vector<uint8_t>& anfrage) {
    if (k.modus != 1 || !Net_Offen(k, NET_CLIENT_VERBINDUNG)) {
        Debug_Printf("Internet_Client_Read: keine Verbindung zum Server (Anfrage %d)\n", id);
        return false;
    }
    if (Internet_Index(id) < 0 || !typ || !Internet_Typ_Lesen(typ, std::strlen(typ), t)) {
        Debug_Printf("Internet_Client_Read: Anfrage %d ungueltig\n", id);
        return false;
    }
    return Internet_Anfrage_Bauen(anfrage, ziele, id, typ, t, args);
}

// Queues a built request; its sequence number, 0 when it could not be sent.
uint32_t Internet_Anfrage_Schicken(NetKontext& k, int32_t id, const std::vector<uint8_t>& anfrage) {
    Net_Hooks().client_anfrage.Aufrufen(id);
    uint32_t folge = ++k.folge;
    if (folge == 0) folge = ++k.folge;
    if (!Net_Senden(NET_CLIENT_VERBINDUNG, NET_TYP_ANFRAGE, folge, anfrage.data(), anfrage.size())) return 0;
    return folge;
}

// The read sent ahead with exactly these bytes, taken out of the list: its
// sequence number (its answer still awaited), 0 when there is none.
uint32_t Internet_Vorab_Nehmen(NetKontext& k, const std::vector<uint8_t>& anfrage) {
    for (auto it = k.vorab.begin(); it != k.vorab.end(); ++it) {
        if (it->anfrage != anfrage) continue;
        const uint32_t folge = it->folge;
        k.vorab.erase(it);
        return folge;
    }
    return 0;
}

// Forgets the reads sent ahead; their answers are dropped when they come.
void Internet_Vorab_Verwerfen(NetKontext& k) {
    for (const Net_Vorab& a : k.vorab) Internet_Nicht_Mehr_Warten(k, a.folge);
    k.vorab.clear();
}

// A request not sent ahead goes out: the server answers in order, so a read
// sent ahead of it would answer with the data as they were before it (a
// write among them). The reads sent ahead are forgotten.
uint32_t Internet_Anfrage_Senden(NetKontext& k, int32_t id, const std::vector<uint8_t>& anfrage) {
    Internet_Vorab_Verwerfen(k);
    return Internet_Anfrage_Schicken(k, id, anfrage);
}

}  // namespace

int32_t Internet_Client_Read(int32_t id, const char* typ, int32_t, int32_t reserve, ...) {
    NetKontext& k = Net_K();
    Internet_Typ t;
    std::vector<void*> ziele;
    std::vector<uint8_t> anfrage;
    va_list args;
    va_start(args, reserve);
    const bool gebaut = Internet_Anfrage_Bauen_Client(k, id, typ, t, ziele, args, anfrage);
    va_end(args);
    if (!gebaut) return 0;
    // The same read sent ahead: its answer is this call's.
    uint32_t folge = Internet_Vorab_Nehmen(k, anfrage);
    if (!folge) folge = Internet_Anfrage_Senden(k, id, anfrage);
    if (!folge) return 0;

    Net_Nachricht antwort;
    if (!Internet_Antwort_Abwarten(k, id, folge, antwort)) return 0;
    int32_t ergebnis = 0;
    if (!Internet_Antwort_Auspacken(antwort, id, t, ziele, ergebnis)) {
        Debug_Printf("Internet_Client_Read: Antwort auf Anfrage %d unbrauchbar\n", id);
        return 0;
    }
    return t.ergebnis == 'v' ? 1 : ergebnis;
}

bool Internet_Client_Vorab(int32_t id, const char* typ, int32_t, int32_t reserve, ...) {
    NetKontext& k = Net_K();
    std::vector<uint8_t> anfrage;
    {
        // The result pointers are not kept: the call that takes the answer names its own.
        Internet_Typ t;
        std::vector<void*> ziele;
        va_list args;
        va_start(args, reserve);
        const bool gebaut = Internet_Anfrage_Bauen_Client(k, id, typ, t, ziele, args, anfrage);
        va_end(args);
        if (!gebaut) return false;
    }
    for (const Net_Vorab& a : k.vorab)
        if (a.anfrage == anfrage) return true;
    const uint32_t folge = Internet_Anfrage_Schicken(k, id, anfrage);
    if (!folge) return false;
    k.wartend.push_back(folge);
    k.vorab.push_back(Net_Vorab{folge, std::move(anfrage)});
    return true;
}

void Internet_Client_Vorab_Ende() { Internet_Vorab_Verwerfen(Net_K()); }

bool Internet_Client_Senden(Internet_Offen& offen, int32_t id, const char* typ, int32_t, int32_t reserve, ...) {
    NetKontext& k = Net_K();
    Internet_Client_Aufgeben(offen);
    std::vector<uint8_t> anfrage;
    va_list args;
    va_start(args, reserve);
    const bool gebaut = Internet_Anfrage_Bauen_Client(k, id, typ, offen.typ, offen.ziele, args, anfrage);
    va_end(args);
    const uint32_t folge = gebaut ? Internet_Anfrage_Senden(k, id, anfrage) : 0;
    if (!folge) {
        offen = Internet_Offen{};
        return false;
    }
    offen.folge = folge;
    offen.id = id;
    offen.start = Plat_Ms();
    offen.bytes = sizeof(Net_Frame_Kopf) + anfrage.size();
    // An answer awaited stays queued until it is picked up.
    k.wartend.push_back(folge);
    return true;
}

int32_t Internet_Client_Abholen(Internet_Offen& offen, int32_t* ergebnis) {
    if (!offen.folge) return -1;
    NetKontext& k = Net_K();
    Net_Pump();
    Net_Nachricht antwort;
    int32_t r = 0;
    if (Net_Nehmen(k, NET_CLIENT_VERBINDUNG, NET_TYP_ANTWORT, offen.folge, antwort)) {
        int32_t wert = 0;
        offen.bytes += sizeof(Net_Frame_Kopf) + antwort.daten.size();
        r = Internet_Antwort_Auspacken(antwort, offen.id, offen.typ, offen.ziele, wert) ? 1 : -1;
        if (r < 0) Debug_Printf("Internet_Client_Read: Antwort auf Anfrage %d unbrauchbar\n", offen.id);
        if (ergebnis) *ergebnis = offen.typ.ergebnis == 'v' ? 1 : wert;
    } else if (!Net_Offen(k, NET_CLIENT_VERBINDUNG)) {
        Debug_Printf("Internet_Client_Read: Server hat die Verbindung beendet (Anfrage %d)\n", offen.id);
        Meldung("%s", INTERNET_KEINE_ANTWORT);
        r = -1;
    } else if (Plat_Ms() - offen.start > k.zeiten.antwort_ms) {
        Debug_Printf("Internet_Client_Read: keine Antwort auf Anfrage %d\n", offen.id);
        Meldung("%s", INTERNET_KEINE_ANTWORT);
        r = -1;
    }
    if (r != 0) {
        Internet_Nicht_Mehr_Warten(k, offen.folge);
        const uint64_t bytes = offen.bytes;
        offen = Internet_Offen{};
        offen.bytes = bytes;
    }
    return r;
}

void Internet_Client_Aufgeben(Internet_Offen& offen) {
    if (offen.folge) Internet_Nicht_Mehr_Warten(Net_K(), offen.folge);
    offen = Internet_Offen{};
}

bool Internet_Client_Lebenszeichen(int32_t id) {
    NetKontext& k = Net_K();
    if (k.modus != 1 || !Net_Offen(k, NET_CLIENT_VERBINDUNG)) return false;
    Internet_Alte_Antworten_Verwerfen(k);
    const char typ[] = "vC0C<=0";
    Internet_Block_Kopf kopf{INTERNET_MAGIC_ANFRAGE, id, uint32_t(sizeof typ - 1), k.client_team};
    std::vector<uint8_t> anfrage;
    Internet_Anhaengen(anfrage, &kopf, sizeof(kopf));
    Internet_Anhaengen(anfrage, typ, sizeof typ - 1);
    uint32_t folge = ++k.folge;
    if (folge == 0) folge = ++k.folge;
    return Net_Senden(NET_CLIENT_VERBINDUNG, NET_TYP_ANFRAGE, folge, anfrage.data(), anfrage.size());
}

bool Internet_Abmelden_Senden() {
    NetKontext& k = Net_K();
    if (!Net_Offen(k, NET_CLIENT_VERBINDUNG)) return false;
    const char typ[] = "vi";
    Internet_Block_Kopf kopf{INTERNET_MAGIC_ANFRAGE, 1029, 2, k.client_team};
    std::vector<uint8_t> anfrage;
    Internet_Anhaengen(anfrage, &kopf, sizeof(kopf));
    Internet_Anhaengen(anfrage, typ, 2);
    int32_t team = -1;
    Internet_Anhaengen(anfrage, &team, 4);
    return Internet_Anfrage_Senden(k, 1029, anfrage) != 0;
}

int32_t Internet_Aufruf::I(int32_t n) const {
    if (n < 0 || n >= int32_t(ein.size()) || !ein[size_t(n)] || typ.elemente[size_t(n)].groesse != 4) {
        Debug_Printf("Internet_Aufruf::I: Argument %d ist kein Wert\n", n);
        return 0;
    }
    int32_t wert;
    std::memcpy(&wert, ein[size_t(n)], 4);
    return wert;
}

float Internet_Aufruf::F(int32_t n) const {
    if (n < 0 || n >= int32_t(ein.size()) || !ein[size_t(n)] || typ.elemente[size_t(n)].art != 'F') {
        Debug_Printf("Internet_Aufruf::F: Argument %d ist kein Gleitkommawert\n", n);
        return 0.0f;
    }
    float wert;
    std::memcpy(&wert, ein[size_t(n)], 4);
    return wert;
}

const uint8_t* Internet_Aufruf::Block(int32_t n, uint32_t* laenge) const {
    if (laenge) *laenge = 0;
    if (n < 0 || n >= int32_t(ein.size()) || typ.elemente[size_t(n)].aus) {
        Debug_Printf("Internet_Aufruf::Block: Argument %d ist kein Eingabeblock\n", n);
        return nullptr;
    }
    if (laenge) *laenge = typ.elemente[size_t(n)].groesse;
    return ein[size_t(n)];
}

uint8_t* Internet_Aufruf::Ergebnis(int32_t n, uint32_t* laenge) {
    if (laenge) *laenge = 0;
    if (n < 0 || n >= int32_t(aus.size()) || !typ.elemente[size_t(n)].aus || typ.elemente[size_t(n)].frei) {
        Debug_Printf("Internet_Aufruf::Ergebnis: Argument %d ist kein Ergebnisblock\n", n);
        return nullptr;
    }
    if (laenge) *laenge = uint32_t(aus[size_t(n)].size());
    return aus[size_t(n)].data();
}

bool Internet_Aufruf::Ergebnis_Frei(int32_t n, const void* daten, uint32_t laenge) {
    if (n < 0 || n >= int32_t(aus.size()) || !typ.elemente[size_t(n)].frei || laenge > frei_max ||
        (laenge && !daten)) {
        Debug_Printf("Internet_Aufruf::Ergebnis_Frei: Argument %d oder Laenge %u ungueltig\n", n, laenge);
        return false;
    }
    const uint8_t* p = static_cast<const uint8_t*>(daten);
    aus[size_t(n)].assign(p, p + laenge);
    return true;
}

bool Internet_Server_Anmelden(int32_t id, const char* vorlage, Internet_Handler handler, uint32_t frei_max) {
    int32_t index = Internet_Index(id);
    if (index < 0 || !handler || !vorlage) {
        Debug_Printf("Internet_Server_Anmelden: Anfrage %d ungueltig\n", id);
        return false;
    }
    Internet_Eintrag e;
    if (!Internet_Typ_Lesen(vorlage, std::strlen(vorlage), e.vorlage)) {
        Debug_Printf("Internet_Server_Anmelden: Vorlage von Anfrage %d ungueltig\n", id);
        return false;
    }
    e.handler = handler;
    e.frei_max = frei_max > NET_FRAME_MAX ? NET_FRAME_MAX : frei_max;
    g.eintrag[index] = std::move(e);
    Anfrage_Max_Neu();
    return true;
}

void Internet_Server_Abmelden(int32_t id) {
    int32_t index = Internet_Index(id);
    if (index < 0) return;
    g.eintrag[index] = Internet_Eintrag();
    Anfrage_Max_Neu();
}

uint32_t Internet_Anfrage_Max() { return g.anfrage_max; }

int32_t Internet_Server_Slot() { return Net_K().bedienter_slot; }

bool Internet_Server_Antwort(int32_t slot, const void* block, size_t laenge) {
    NetKontext& k = Net_K();
    if (slot < 0 || slot >= NET_SLOTS_GESAMT || k.slot[slot].zustand != 1) {
        Debug_Printf("Internet_Server_Antwort: Platz %d nicht belegt\n", slot);
        return false;
    }
    uint32_t folge = k.slot[slot].empfangen_folge;
    Internet_Block_Kopf kopf;
    if (!block || laenge < sizeof(kopf)) {
        Internet_Ablehnen(slot, -1, folge, "Block zu kurz");
        return false;
    }
    const uint8_t* d = static_cast<const uint8_t*>(block);
    std::memcpy(&kopf, d, sizeof(kopf));
    if (kopf.magic != INTERNET_MAGIC_ANFRAGE) {
        Internet_Ablehnen(slot, kopf.id, folge, "Magic falsch");
        return false;
    }
    int32_t index = Internet_Index(kopf.id);
    if (index < 0 || !g.eintrag[index].handler) {
        Internet_Ablehnen(slot, kopf.id, folge, "unbekannte Anfrage");
        return false;
    }
    if (kopf.typ_laenge > INTERNET_TYP_MAX || kopf.typ_laenge > laenge - sizeof(kopf)) {
        Internet_Ablehnen(slot, kopf.id, folge, "Typstring zu lang");
        return false;
    }
    const Internet_Eintrag& eintrag = g.eintrag[index];
    Internet_Aufruf aufruf;
    aufruf.id = kopf.id;
    if (!Internet_Typ_Lesen(reinterpret_cast<const char*>(d + sizeof(kopf)), kopf.typ_laenge, aufruf.typ) ||
        !Internet_Passt(aufruf.typ, eintrag.vorlage)) {
        Internet_Ablehnen(slot, kopf.id, folge, "Typstring passt nicht zur Vorlage");
        return false;
    }
    size_t pos = sizeof(kopf) + kopf.typ_laenge;
    for (const Internet_Element& e : aufruf.typ.elemente) {
        if (e.aus) {
            aufruf.ein.push_back(nullptr);
            aufruf.aus.emplace_back(e.frei ? 0 : e.groesse, uint8_t(0));
            continue;
        }
        if (laenge - pos < e.groesse) {
            Internet_Ablehnen(slot, kopf.id, folge, "Argumente abgeschnitten");
            return false;
        }
        aufruf.ein.push_back(d + pos);
        aufruf.aus.emplace_back();
        pos += e.groesse;
    }
    if (pos != laenge) {
        Internet_Ablehnen(slot, kopf.id, folge, "Block laenger als die Argumente");
        return false;
    }
    aufruf.frei_max = eintrag.frei_max;

    // The request runs for the team of the slot that joined, whatever the block claims.
    int32_t team_vorher = k.client_team;
    int32_t slot_vorher = k.bedienter_slot;
    k.client_team = k.slot[slot].team;
    k.bedienter_slot = slot;
    // Only a request the server takes keeps a connection heard: an empty or
    // refused frame is no sign of a client at work.
    k.verbindung[slot].anfrage_ms = Plat_Ms();
    int32_t ergebnis = eintrag.handler(aufruf);
    k.client_team = team_vorher;
    k.bedienter_slot = slot_vorher;

    std::vector<uint8_t> antwort;
    Internet_Block_Kopf akopf{INTERNET_MAGIC_ANTWORT, kopf.id, kopf.typ_laenge, INTERNET_STATUS_OK};
    Internet_Anhaengen(antwort, &akopf, sizeof(akopf));
    Internet_Anhaengen(antwort, &ergebnis, 4);
    for (size_t i = 0; i < aufruf.typ.elemente.size(); ++i) {
        const Internet_Element& e = aufruf.typ.elemente[i];
        if (!e.aus) continue;
        if (e.frei) {
            uint32_t l = uint32_t(aufruf.aus[i].size());
            Internet_Anhaengen(antwort, &l, 4);
        }
        Internet_Anhaengen(antwort, aufruf.aus[i].data(), aufruf.aus[i].size());
    }
    if (antwort.size() > NET_FRAME_MAX) {
        Internet_Ablehnen(slot, kopf.id, folge, "Antwort zu gross");
        return false;
    }
    return Net_Senden(slot, NET_TYP_ANTWORT, folge, antwort.data(), antwort.size());
}

namespace {
// The rounds of one pass over the slots that hold a message.
constexpr int32_t NET_BEDIENEN_RUNDEN = 64;

// Answers the message each slot holds and frees it.
void Slots_Bedienen(NetKontext& k) {
    for (int32_t i = 0; i < NET_SLOTS_GESAMT; ++i) {
        Net_Client_Slot& s = k.slot[i];
        if (s.zustand != 1 || !s.neu) continue;
        void* block = s.empfangen_block;
        uint32_t laenge = s.empfangen_laenge;
        uint32_t typ = s.empfangen_typ;
        s.empfangen_block = nullptr;
        s.empfangen_laenge = 0;
        if (typ == NET_TYP_MIN_SIGNAL) {
            Min_Signal_Antwort(i, block, laenge);
        } else {
            Internet_Server_Antwort(i, block, laenge);
        }
        if (block) Mem_Free(block);
        // A handler may have closed the slot; only a slot still in use waits for its next block.
        if (k.slot[i].zustand == 1) k.slot[i].neu = 0;
    }
}
}  // namespace

void Net_Server_Bedienen() {
    NetKontext& k = Net_K();
    // Every message the connections already delivered is answered in this
    // pass: one a slot, then the next one each slot holds. A client with a
    // few calls out waited a pass of the main loop for each (a window's pass
    // lasts 10 to 50 ms). The rounds are bounded: a flooding connection's
    // queue is bounded by its bytes, and the frame goes on.
    for (int32_t runde = 0; runde < NET_BEDIENEN_RUNDEN; ++runde) {
        if (runde > 0) Net_Server_Slot_Pump();
        bool bedient = false;
        for (int32_t i = 0; i < NET_SLOTS_GESAMT; ++i)
            if (k.slot[i].zustand == 1 && k.slot[i].neu) bedient = true;
        if (!bedient) return;
        Slots_Bedienen(k);
    }
}


namespace {
void Internet_Holen(const Abonnenten<>& liste, const char* name) {
    if (Netzwerk_Modus() != 1) return;
    if (liste.Leer()) {
        Debug_Printf("%s: nicht angemeldet\n", name);
        return;
    }
    liste.Aufrufen();
}
}  // namespace

void Internet_Client_Refresh_Alle() { Internet_Holen(Net_Hooks().client_refresh, "Internet_Client_Refresh_Alle"); }

void Client_Alles_Holen() { Internet_Holen(Net_Hooks().client_alles_holen, "Client_Alles_Holen"); }

void Internet_Lese_Spieler_Testblock(int32_t team) {
    if (Netzwerk_Modus() != 1) return;
    if (!Net_Hooks().spieler_testblock) {
        Debug_Printf("Internet_Lese_Spieler_Testblock: nicht angemeldet\n");
        return;
    }
    Net_Hooks().spieler_testblock(team);
}

}  // namespace velmora
