// net/net.cpp - connections, framing, the server's client slots, the network mode.
#include "net/net.h"

#include <algorithm>
#include <cstring>

#include "core/debug.h"
#include "core/mem.h"
#include "net/internet.h"
#include "net/min_signal.h"
#include "net/net_kontext.h"
#include "platform/clock.h"
#include "platform/sockets.h"

namespace velmora {
namespace {

struct NetModul {
    bool initialisiert = false;
    NetKontext* aktuell = nullptr;     // null: the default context
    // The context Net_K answers, set at its first call after a switch: the
    // club rules ask for the network mode millions of times a season.
    NetKontext* wirksam = nullptr;
};
NetModul g;

NetKontext& Net_Standard() {
    static NetKontext k;
    return k;
}

// The client's connection holds at most this many received bytes that nobody
// took yet (each message with its header); beyond it the socket is not read,
// and TCP makes the sender wait. The server's answers reach this size.
constexpr size_t NET_EIN_GRENZE = size_t(NET_FRAME_MAX) + 65536;
// A server slot holds far less: its client sends one request at a time.
constexpr size_t NET_SLOT_EIN_GRENZE = size_t(1) << 20;
// No server slot is read for more than this in one pass, so a client that
// sends without pause cannot keep the loop from the others (4096 empty
// frames at most). The client's one connection takes the server's answers faster.
constexpr size_t NET_SLOT_LESEN_JE_RUNDE = 64u * 1024;
constexpr size_t NET_LESEN_JE_RUNDE = 1u << 20;
// A send queue longer than this belongs to a peer that stopped reading.
constexpr size_t NET_AUS_GRENZE = 4 * size_t(NET_FRAME_MAX);
// A slot whose unsent answers exceed this gets no next request until its
// client has taken them: a client that sends and never reads is held up by
// TCP instead of filling the server's memory.
constexpr size_t NET_SLOT_AUS_PAUSE = size_t(1) << 20;

bool Ist_Slot(int32_t verbindung) { return verbindung >= 0 && verbindung < NET_SLOTS_GESAMT; }

size_t Ein_Grenze(int32_t verbindung) {
    if (!Ist_Slot(verbindung)) return NET_EIN_GRENZE;
    return std::max(NET_SLOT_EIN_GRENZE, 2 * (size_t(Internet_Anfrage_Max()) + sizeof(Net_Frame_Kopf)));
}

void Net_Zaehlen_Gesendet(NetKontext& k, size_t laenge) {
    k.zaehler.gesendet += laenge + sizeof(Net_Frame_Kopf);
    if (laenge > k.zaehler.groesster_gesendet) k.zaehler.groesster_gesendet = uint32_t(laenge);
}

uint64_t Net_Wartend(const NetKontext& k) {
    uint64_t summe = 0;
    for (const Net_Verbindung& v : k.verbindung) summe += (v.aus.size() - v.aus_pos) + v.ein.size() + v.fertig_bytes;
    for (const Net_Client_Slot& s : k.slot) summe += s.empfangen_laenge;
    return summe;
}

// Cuts the received bytes into whole messages. False when a header is not
// one of ours or announces more than the side may send (a client's frame
// never exceeds the largest request): the stream is closed.
bool Net_Zerlegen(NetKontext& k, int32_t nr) {
    Net_Verbindung& v = k.verbindung[nr];
    const uint32_t max = Ist_Slot(nr) ? Internet_Anfrage_Max() : NET_FRAME_MAX;
    size_t pos = 0;
    while (v.ein.size() - pos >= sizeof(Net_Frame_Kopf)) {
        Net_Frame_Kopf kopf;
        std::memcpy(&kopf, v.ein.data() + pos, sizeof(kopf));
        if (kopf.magic != NET_FRAME_MAGIC || kopf.laenge > max) {
            Debug_Printf("Net_Pump: ungueltiger Rahmen (Magic %08X, Laenge %u) auf Verbindung %d\n", kopf.magic,
                         kopf.laenge, nr);
            return false;
        }
        if (v.ein.size() - pos - sizeof(kopf) < kopf.laenge) break;
        Net_Nachricht n;
        n.typ = kopf.typ;
        n.folge = kopf.folge;
        const uint8_t* anfang = v.ein.data() + pos + sizeof(kopf);
        n.daten.assign(anfang, anfang + kopf.laenge);
        pos += sizeof(kopf) + kopf.laenge;
        k.zaehler.empfangen += sizeof(kopf) + kopf.laenge;
        if (kopf.laenge > k.zaehler.groesster_empfangen) k.zaehler.groesster_empfangen = kopf.laenge;
        v.fertig_bytes += Net_Kosten(n);
        v.fertig.push_back(std::move(n));
    }
    if (pos) v.ein.erase(v.ein.begin(), v.ein.begin() + ptrdiff_t(pos));
    return true;
}

void Net_Verbindung_Pumpen(NetKontext& k, int32_t nr, uint32_t jetzt) {
    Net_Verbindung& v = k.verbindung[nr];
    while (v.aus_pos < v.aus.size()) {
        int64_t n = Plat_Sock_Send(v.sock, v.aus.data() + v.aus_pos, v.aus.size() - v.aus_pos);
        if (n < 0) {
            Debug_Printf("Net_Pump: Verbindung %d beim Senden verloren\n", nr);
            Net_Schliessen(k, nr);
            return;
        }
        if (n == 0) break;
        v.aus_pos += size_t(n);
        v.aus_seit_ms = jetzt;
    }
    if (v.aus_pos == v.aus.size()) {
        v.aus.clear();
        v.aus_pos = 0;
    } else if (jetzt - v.aus_seit_ms > k.zeiten.senden_ms) {
        Debug_Printf("Net_Pump: Verbindung %d nimmt seit %u ms nichts an, getrennt\n", nr, jetzt - v.aus_seit_ms);
        Net_Schliessen(k, nr);
        return;
    }
    uint8_t puffer[65536];
    const size_t grenze = Ein_Grenze(nr);
    const size_t budget = Ist_Slot(nr) ? NET_SLOT_LESEN_JE_RUNDE : NET_LESEN_JE_RUNDE;
    size_t gelesen = 0;
    while (gelesen < budget && v.fertig_bytes + v.ein.size() < grenze) {
        size_t platz = std::min({sizeof(puffer), grenze - v.fertig_bytes - v.ein.size(), budget - gelesen});
        int64_t n = Plat_Sock_Recv(v.sock, puffer, platz);
        if (n < 0) {
            Debug_Printf("Net_Pump: Verbindung %d vom Partner geschlossen\n", nr);
            if (Ist_Slot(nr)) {
                // Nobody is there to take an answer: the slot is free at once,
                // what its client still had queued is dropped unanswered.
                Net_Schliessen(k, nr);
                return;
            }
            // The server's last messages before it left are still handed on.
            Plat_Sock_Close(v.sock);
            v.sock = -1;
            v.aus.clear();
            v.aus_pos = 0;
            v.ein.clear();
            v.ende = true;
            return;
        }
        if (n == 0) break;
        gelesen += size_t(n);
        v.ein.insert(v.ein.end(), puffer, puffer + n);
        if (!Net_Zerlegen(k, nr)) {
            Net_Schliessen(k, nr);
            return;
        }
    }
    // A full slot is not read, so its end would wait behind everything its
    // client sent before; once all of that has reached this side, the socket
    // tells that the client left.
    if (Ist_Slot(nr) && v.fertig_bytes + v.ein.size() >= grenze && Plat_Sock_Partner_Weg(v.sock)) {
        Debug_Printf("Net_Pump: Verbindung %d vom Partner geschlossen, %zu Nachrichten verworfen\n", nr, v.fertig.size());
        Net_Schliessen(k, nr);
    }
}

// A slot that has not joined: closed when it stays silent or does not join in
// time. A joined one: closed when it sends no request for `client_stille_ms`.
void Net_Wartende_Pruefen(NetKontext& k, uint32_t jetzt) {
    for (int32_t i = 0; i < NET_SLOTS_GESAMT; ++i) {
        const Net_Client_Slot& s = k.slot[i];
        const Net_Verbindung& v = k.verbindung[i];
        if (s.zustand != 1) continue;
        if (s.team >= 0) {
            if (jetzt - v.anfrage_ms > k.zeiten.client_stille_ms) {
                Debug_Printf("Net_Server_Slot_Pump: Client von Team %d seit %u ms still, getrennt\n", s.team,
                             jetzt - v.anfrage_ms);
                Net_Schliessen(k, i);
            }
            continue;
        }
        if (jetzt - v.anfrage_ms > k.zeiten.leerlauf_ms) {
            Debug_Printf("Net_Server_Slot_Pump: Platz %d ohne Anfrage seit %u ms, getrennt\n", i, jetzt - v.anfrage_ms);
            Net_Schliessen(k, i);
        } else if (jetzt - v.seit_ms > k.zeiten.beitritt_ms) {
            Debug_Printf("Net_Server_Slot_Pump: Platz %d seit %u ms nicht beigetreten, getrennt\n", i, jetzt - v.seit_ms);
            Net_Schliessen(k, i);
        }
    }
}

// A message a client's slot never hands on: another type than a request or
// a minute packet, or a minute packet of another size.
bool Unbrauchbar(const Net_Nachricht& n) {
    if (n.typ == NET_TYP_MIN_SIGNAL) return n.daten.size() != MIN_SIGNAL_GROESSE;
    return n.typ != NET_TYP_ANFRAGE;
}

int32_t Slots_Mit_Team(const NetKontext& k, bool mit_team) {
    int32_t n = 0;
    for (const Net_Client_Slot& s : k.slot) n += s.zustand == 1 && (s.team >= 0) == mit_team;
    return n;
}

// The places without a club held by connections from `partner`.
int32_t Warte_Slots_Von(const NetKontext& k, const uint8_t partner[4]) {
    int32_t n = 0;
    for (int32_t i = 0; i < NET_SLOTS_GESAMT; ++i)
        n += k.slot[i].zustand == 1 && k.slot[i].team < 0 && std::memcmp(k.verbindung[i].partner, partner, 4) == 0;
    return n;
}

}  // namespace

NetKontext& Net_K() {
    if (!g.wirksam) g.wirksam = g.aktuell ? g.aktuell : &Net_Standard();
    return *g.wirksam;
}

NetHooks& Net_Hooks() {
    static NetHooks hooks;
    return hooks;
}

NetKontext* Net_Kontext_Neu() { return new NetKontext(); }

void Net_Kontext_Loeschen(NetKontext* kontext) {
    if (!kontext || kontext == &Net_Standard()) {
        Debug_Printf("Net_Kontext_Loeschen: kein loeschbarer Kontext\n");
        return;
    }
    for (int32_t i = 0; i < NET_VERBINDUNGEN; ++i) Net_Schliessen(*kontext, i);
    Plat_Sock_Close(kontext->listen_sock);
    if (g.aktuell == kontext) g.aktuell = nullptr;
    g.wirksam = nullptr;
    delete kontext;
}

NetKontext* Net_Kontext_Setzen(NetKontext* kontext) {
    NetKontext* vorher = g.aktuell;
    g.aktuell = (kontext == &Net_Standard()) ? nullptr : kontext;
    g.wirksam = nullptr;
    return vorher;
}

bool Net_Offen(const NetKontext& k, int32_t verbindung) {
    return verbindung >= 0 && verbindung < NET_VERBINDUNGEN && k.verbindung[verbindung].sock >= 0;
}

void Net_Schliessen(NetKontext& k, int32_t verbindung) {
    if (verbindung < 0 || verbindung >= NET_VERBINDUNGEN) return;
    Net_Verbindung& v = k.verbindung[verbindung];
    Plat_Sock_Close(v.sock);
    v = Net_Verbindung();
    if (verbindung == NET_CLIENT_VERBINDUNG) {
        // The answers of reads sent ahead can no longer come.
        for (const Net_Vorab& a : k.vorab) std::erase(k.wartend, a.folge);
        k.vorab.clear();
    }
    if (Ist_Slot(verbindung)) {
        Net_Client_Slot& s = k.slot[verbindung];
        if (s.empfangen_block) Mem_Free(s.empfangen_block);
        const int32_t team = s.team;
        s = Net_Client_Slot();
        // A joined client is gone: its club is released by whoever owns it.
        if (team >= 0 && Net_Hooks().client_getrennt) Net_Hooks().client_getrennt(team);
    }
}

bool Net_Nehmen(NetKontext& k, int32_t verbindung, uint32_t typ, uint32_t folge, Net_Nachricht& out) {
    if (verbindung < 0 || verbindung >= NET_VERBINDUNGEN) return false;
    Net_Verbindung& v = k.verbindung[verbindung];
    for (auto it = v.fertig.begin(); it != v.fertig.end(); ++it) {
        if (it->typ != typ || (folge != 0 && it->folge != folge)) continue;
        out = std::move(*it);
        v.fertig_bytes -= Net_Kosten(out);
        v.fertig.erase(it);
        return true;
    }
    return false;
}

void Net_Kurz_Warten(NetKontext& k, int32_t verbindung) {
    if (Net_Hooks().warten) Net_Hooks().warten();
    int32_t sock = Net_Offen(k, verbindung) ? k.verbindung[verbindung].sock : -1;
    Plat_Sock_Warten(&sock, 1, 1);
}

int32_t Net_Init() {
    if (g.initialisiert) return 1;
    g.initialisiert = true;
    return 1;
}

int32_t Net_Local_Address(char* name, size_t name_groesse, uint16_t* port, uint8_t adresse[4]) {
    if (!g.initialisiert) {
        Debug_Printf("Net_Local_Address: Netzwerk nicht initialisiert\n");
        return 0;
    }
    uint8_t a[4] = {};
    char n[256] = {};
    if (!Plat_Host_Adresse(n, sizeof(n), a)) {
        Debug_Printf("Net_Local_Address: Rechnername nicht aufloesbar, kein Netzwerkspiel\n");
        return 0;
    }
    if (name && name_groesse) {
        std::strncpy(name, n, name_groesse - 1);
        name[name_groesse - 1] = 0;
    }
    if (adresse) std::memcpy(adresse, a, 4);
    if (port) *port = NET_PORT_STANDARD;
    return 1;
}

bool Net_Senden(int32_t verbindung, uint32_t typ, uint32_t folge, const void* daten, size_t laenge) {
    NetKontext& k = Net_K();
    if (!Net_Offen(k, verbindung)) {
        Debug_Printf("Net_Senden: Verbindung %d nicht offen\n", verbindung);
        return false;
    }
    if (laenge > NET_FRAME_MAX || (laenge && !daten)) {
        Debug_Printf("Net_Senden: Block von %zu Bytes zu gross\n", laenge);
        return false;
    }
    Net_Verbindung& v = k.verbindung[verbindung];
    if (v.aus.size() - v.aus_pos + laenge > NET_AUS_GRENZE) {
        Debug_Printf("Net_Senden: Partner %d liest nicht, getrennt\n", verbindung);
        Net_Schliessen(k, verbindung);
        return false;
    }
    if (v.aus_pos == v.aus.size()) v.aus_seit_ms = Plat_Ms();
    Net_Frame_Kopf kopf{NET_FRAME_MAGIC, typ, uint32_t(laenge), folge};
    const uint8_t* p = reinterpret_cast<const uint8_t*>(&kopf);
    v.aus.insert(v.aus.end(), p, p + sizeof(kopf));
    if (laenge) v.aus.insert(v.aus.end(), static_cast<const uint8_t*>(daten), static_cast<const uint8_t*>(daten) + laenge);
    Net_Zaehlen_Gesendet(k, laenge);
    return true;
}

void Net_Pump() {
    NetKontext& k = Net_K();
    uint32_t jetzt = Plat_Ms();
    if (Net_Offen(k, NET_CLIENT_VERBINDUNG)) {
        if (jetzt - k.client_gepumpt_ms > k.zeiten.client_stille_ms) {
            Debug_Printf("Net_Pump: %u ms ohne Lauf, der Server hat diesen Client vielleicht getrennt\n",
                         jetzt - k.client_gepumpt_ms);
            k.client_stockung_ms = jetzt;
            k.client_gestockt = true;
        }
        k.client_gepumpt_ms = jetzt;
    }
    for (int32_t i = 0; i < NET_VERBINDUNGEN; ++i) {
        if (Net_Offen(k, i)) Net_Verbindung_Pumpen(k, i, jetzt);
    }
    k.zaehler.wartend_max = std::max(k.zaehler.wartend_max, Net_Wartend(k));
}

void Net_Senden_Leeren(uint32_t max_ms) {
    NetKontext& k = Net_K();
    uint32_t start = Plat_Ms();
    for (;;) {
        Net_Pump();
        bool leer = true;
        for (auto& v : k.verbindung) leer = leer && (v.sock < 0 || v.aus_pos == v.aus.size());
        if (leer || Plat_Ms() - start >= max_ms) return;
        Plat_Sleep_Ms(1);
    }
}

bool Net_Server_Warten(uint32_t ms) {
    NetKontext& k = Net_K();
    if (k.modus != 2 || k.listen_sock < 0) return false;
    int32_t socks[NET_SLOTS_GESAMT + 1];
    size_t n = 0;
    socks[n++] = k.listen_sock;
    for (int32_t i = 0; i < NET_SLOTS_GESAMT; ++i)
        if (Net_Offen(k, i)) socks[n++] = k.verbindung[i].sock;
    return Plat_Sock_Warten(socks, n, ms);
}

void Net_Server_Slot_Pump() {
    NetKontext& k = Net_K();
    if (k.listen_sock < 0) return;
    uint32_t jetzt = Plat_Ms();
    Net_Wartende_Pruefen(k, jetzt);
    for (;;) {
        uint8_t partner[4] = {};
        int32_t sock = Plat_Sock_Accept(k.listen_sock, partner);
        if (sock < 0) break;
        if (Warte_Slots_Von(k, partner) >= k.zeiten.warte_je_adresse) {
            Debug_Printf("Net_Server_Slot_Pump: %u.%u.%u.%u haelt schon %d Plaetze ohne Verein, Verbindung abgelehnt\n",
                         partner[0], partner[1], partner[2], partner[3], k.zeiten.warte_je_adresse);
            Plat_Sock_Close(sock);
            continue;
        }
        int32_t frei = -1;
        for (int32_t i = 0; i < NET_SLOTS_GESAMT && frei < 0; ++i) {
            if (k.slot[i].zustand == 0 && !Net_Offen(k, i)) frei = i;
        }
        if (frei < 0 || Slots_Mit_Team(k, false) >= NET_WARTE_SLOTS) {
            Debug_Printf("Net_Server_Slot_Pump: alle %d Plaetze fuer neue Verbindungen belegt, Verbindung abgelehnt\n",
                         NET_WARTE_SLOTS);
            Plat_Sock_Close(sock);
            continue;
        }
        k.verbindung[frei] = Net_Verbindung();
        k.verbindung[frei].sock = sock;
        k.verbindung[frei].seit_ms = jetzt;
        k.verbindung[frei].anfrage_ms = jetzt;
        std::memcpy(k.verbindung[frei].partner, partner, 4);
        k.slot[frei] = Net_Client_Slot();
        k.slot[frei].zustand = 1;
        // Numbered across every context of the process: what a module keeps
        // for one connection never passes to a later one in the same slot.
        static uint32_t verbindungen = 0;
        if (++verbindungen == 0) ++verbindungen;
        k.slot[frei].verbindung = verbindungen;
        k.slot[frei].adresse = uint32_t(partner[0]) | uint32_t(partner[1]) << 8 | uint32_t(partner[2]) << 16 |
                               uint32_t(partner[3]) << 24;
        uint32_t nr = uint32_t(frei);
        Net_Senden(frei, NET_TYP_WILLKOMMEN, 0, &nr, sizeof(nr));
    }
    for (int32_t i = 0; i < NET_SLOTS_GESAMT; ++i) {
        Net_Client_Slot& s = k.slot[i];
        if (s.zustand != 1 || s.neu) continue;
        Net_Verbindung& v = k.verbindung[i];
        if (v.sock < 0) {
            Net_Schliessen(k, i);
            continue;
        }
        // Messages nobody could use go at once, not one per pass.
        size_t verworfen = 0;
        while (!v.fertig.empty() && Unbrauchbar(v.fertig.front())) {
            v.fertig_bytes -= Net_Kosten(v.fertig.front());
            v.fertig.pop_front();
            ++verworfen;
        }
        if (verworfen) Debug_Printf("Net_Server_Slot_Pump: %zu unbrauchbare Nachrichten von Platz %d verworfen\n", verworfen, i);
        if (v.fertig.empty() || v.aus.size() - v.aus_pos > NET_SLOT_AUS_PAUSE) continue;
        Net_Nachricht n = std::move(v.fertig.front());
        v.fertig.pop_front();
        v.fertig_bytes -= Net_Kosten(n);
        if (s.empfangen_block) s.empfangen_block = Mem_Free(s.empfangen_block);
        s.empfangen_block = n.daten.empty() ? nullptr : Mem_Alloc(n.daten.size(), "Net_Slot");
        if (!n.daten.empty() && !s.empfangen_block) {
            Debug_Printf("Net_Server_Slot_Pump: kein Speicher fuer %zu Bytes\n", n.daten.size());
            continue;
        }
        if (!n.daten.empty()) std::memcpy(s.empfangen_block, n.daten.data(), n.daten.size());
        s.empfangen_laenge = uint32_t(n.daten.size());
        s.empfangen_typ = n.typ;
        s.empfangen_folge = n.folge;
        s.neu = 1;
    }
}

Net_Client_Slot* Net_Slot(int32_t slot) {
    if (!Ist_Slot(slot)) {
        Debug_Printf("Net_Slot: Platz %d ungueltig\n", slot);
        return nullptr;
    }
    return &Net_K().slot[slot];
}

bool Net_Slot_Team_Setzen(int32_t slot, int32_t team) {
    Net_Client_Slot* s = Net_Slot(slot);
    if (!s || s->zustand != 1) {
        Debug_Printf("Net_Slot_Team_Setzen: Platz %d nicht belegt\n", slot);
        return false;
    }
    NetKontext& k = Net_K();
    if (team >= 0 && s->team < 0 && Slots_Mit_Team(k, true) >= NET_SLOTS) {
        Debug_Printf("Net_Slot_Team_Setzen: schon %d Clients mit Verein, Platz %d bleibt ohne\n", NET_SLOTS, slot);
        return false;
    }
    if (team < 0 && s->team >= 0) {
        // Back among the connections that have not joined, with their times from now.
        k.verbindung[slot].seit_ms = k.verbindung[slot].anfrage_ms = Plat_Ms();
    }
    s->team = team < 0 ? -1 : team;
    return true;
}

Net_Zaehler Net_Zaehler_Lesen() {
    NetKontext& k = Net_K();
    k.zaehler.wartend = Net_Wartend(k);
    k.zaehler.wartend_max = std::max(k.zaehler.wartend_max, k.zaehler.wartend);
    return k.zaehler;
}
Net_Zeiten& Net_Zeiten_Wert() { return Net_K().zeiten; }

int32_t Netzwerk_Modus() { return Net_K().modus; }
void Netzwerk_Modus_Setzen(int32_t modus) {
    if (modus < 0 || modus > 2) {
        Debug_Printf("Netzwerk_Modus_Setzen: Modus %d ungueltig\n", modus);
        return;
    }
    Net_K().modus = modus;
}
int32_t Client_Team() { return Net_K().client_team; }
void Client_Team_Setzen(int32_t team) { Net_K().client_team = team; }

void Net_Server_Adresse_Setzen(const uint32_t oktett[4]) {
    if (!oktett) return;
    std::memcpy(Net_K().server_adresse, oktett, sizeof(Net_K().server_adresse));
}
void Net_Port_Setzen(uint16_t port) { Net_K().port = port; }
uint16_t Net_Port() { return Net_K().port; }
void Net_Bind_Adresse_Setzen(const uint8_t adresse[4]) {
    NetKontext& k = Net_K();
    k.bind_gesetzt = adresse != nullptr;
    if (adresse) std::memcpy(k.bind_adresse, adresse, 4);
}
uint16_t Net_Server_Port() { return Plat_Sock_Port(Net_K().listen_sock); }
int32_t Net_Server_Verbindung() {
    return Net_Offen(Net_K(), NET_CLIENT_VERBINDUNG) ? NET_CLIENT_VERBINDUNG : -1;
}
bool Net_Client_Wegen_Stille_Getrennt() {
    const NetKontext& k = Net_K();
    return k.client_gestockt && Plat_Ms() - k.client_stockung_ms <= k.zeiten.client_stille_ms;
}

bool Internet_Netzwerk_Start() {
    NetKontext& k = Net_K();
    if (k.modus == 2) {
        if (k.listen_sock >= 0) return true;
        // Without an address of its own choosing the server listens on every
        // address of the machine: its own, which the clients of the network
        // know, and loopback, which a client on the same machine uses.
        uint8_t a[4] = {0, 0, 0, 0};
        if (k.bind_gesetzt) std::memcpy(a, k.bind_adresse, 4);
        k.listen_sock = Plat_Sock_Listen(a, k.port);
        if (k.listen_sock < 0) {
            Debug_Printf("Internet_Netzwerk_Start: Port %u auf %u.%u.%u.%u nicht offen\n", k.port, a[0], a[1], a[2], a[3]);
            k.modus = 0;
            return false;
        }
        return true;
    }
    if (k.modus != 1) return true;
    if (Net_Offen(k, NET_CLIENT_VERBINDUNG)) return true;
    uint8_t a[4];
    for (int i = 0; i < 4; ++i) {
        if (k.server_adresse[i] > 255) {
            Debug_Printf("Internet_Netzwerk_Start: Serveradresse unvollstaendig\n");
            k.modus = 0;
            return false;
        }
        a[i] = uint8_t(k.server_adresse[i]);
    }
    int32_t sock = Plat_Sock_Connect(a, k.port, k.zeiten.verbinden_ms);
    if (sock < 0) {
        Debug_Printf("Internet_Netzwerk_Start: kein Server auf %u.%u.%u.%u:%u\n", a[0], a[1], a[2], a[3], k.port);
        k.modus = 0;
        return false;
    }
    k.verbindung[NET_CLIENT_VERBINDUNG] = Net_Verbindung();
    k.verbindung[NET_CLIENT_VERBINDUNG].sock = sock;
    k.client_gepumpt_ms = Plat_Ms();
    k.client_gestockt = false;
    // The server closes at once when all its places are taken; only its welcome says we are in.
    uint32_t start = Plat_Ms();
    Net_Nachricht willkommen;
    while (!Net_Nehmen(k, NET_CLIENT_VERBINDUNG, NET_TYP_WILLKOMMEN, 0, willkommen)) {
        Net_Pump();
        if (!Net_Offen(k, NET_CLIENT_VERBINDUNG) || Plat_Ms() - start > k.zeiten.verbinden_ms) {
            Debug_Printf("Internet_Netzwerk_Start: Server hat keinen Platz frei\n");
            Net_Schliessen(k, NET_CLIENT_VERBINDUNG);
            k.modus = 0;
            return false;
        }
        Net_Kurz_Warten(k, NET_CLIENT_VERBINDUNG);
    }
    return true;
}

void Internet_Netzwerk_Stop() {
    NetKontext& k = Net_K();
    if (Net_Offen(k, NET_CLIENT_VERBINDUNG)) {
        Internet_Abmelden_Senden();
        Net_Senden_Leeren(200);
    }
    for (int32_t i = 0; i < NET_VERBINDUNGEN; ++i) Net_Schliessen(k, i);
    Plat_Sock_Close(k.listen_sock);
    k.listen_sock = -1;
}

}  // namespace velmora
