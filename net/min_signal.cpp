// net/min_signal.cpp - the minute signal of live matches.
#include "net/min_signal.h"

#include <cstring>

#include "core/debug.h"
#include "net/net.h"
#include "net/net_kontext.h"

namespace velmora {
namespace {

uint32_t Min_Signal_Wort(const void* block, size_t offset) {
    uint32_t w;
    std::memcpy(&w, static_cast<const uint8_t*>(block) + offset, 4);
    return w;
}

}  // namespace

bool Net_Client_Signal(int32_t verbindung, const void* block, size_t laenge) {
    if (!block || laenge != MIN_SIGNAL_GROESSE || !Net_Offen(Net_K(), verbindung) ||
        !Net_Senden(verbindung, NET_TYP_MIN_SIGNAL, 0, block, laenge)) {
        Debug_Printf("CLIENT_SIGNAL NICHT GESENDET!!!\n");
        return false;
    }
    return true;
}

bool Min_Signal_Antwort(int32_t slot, void* block, size_t laenge) {
    NetKontext& k = Net_K();
    if (slot < 0 || slot >= NET_SLOTS_GESAMT || k.slot[slot].zustand != 1) {
        Debug_Printf("Min_Signal_Antwort: Platz %d nicht belegt\n", slot);
        return false;
    }
    if (!block || laenge != MIN_SIGNAL_GROESSE || Min_Signal_Wort(block, 0) != MIN_SIGNAL_MAGIC) {
        Debug_Printf("Min_Signal_Antwort: Block von Platz %d mit %zu Bytes verworfen\n", slot, laenge);
        return false;
    }
    if (Min_Signal_Wort(block, 4) == MIN_SIGNAL_ART_SYNC) {
        if (Net_Hooks().sync_vom_client) {
            Net_Hooks().sync_vom_client(block, k.slot[slot].team);
        } else {
            Debug_Printf("Min_Signal_Antwort: kein Spiel angemeldet\n");
        }
    }
    // The queue takes the whole answer; the pump sends it while the slot is in use.
    return Net_Senden(slot, NET_TYP_MIN_ANTWORT, 0, block, laenge);
}

void* Net_Minute_Receive(int32_t verbindung, void* puffer, size_t kapazitaet) {
    NetKontext& k = Net_K();
    if (!puffer || kapazitaet < MIN_SIGNAL_GROESSE) {
        Debug_Printf("Net_Minute_Receive: Puffer zu klein\n");
        return nullptr;
    }
    Net_Nachricht n;
    while (Net_Nehmen(k, verbindung, NET_TYP_MIN_ANTWORT, 0, n)) {
        if (n.daten.size() == MIN_SIGNAL_GROESSE) {
            std::memcpy(puffer, n.daten.data(), MIN_SIGNAL_GROESSE);
            return puffer;
        }
        Debug_Printf("Net_Minute_Receive: Minutenblock mit %zu Bytes verworfen\n", n.daten.size());
    }
    return nullptr;
}

void Min_Signal_Empfang(const void* block, size_t laenge) {
    if (!block || laenge < MIN_SIGNAL_GROESSE) {
        Debug_Printf("Min_Signal_Empfang: Block zu kurz\n");
        return;
    }
    if (Min_Signal_Wort(block, 0) != MIN_SIGNAL_MAGIC || Min_Signal_Wort(block, 4) != MIN_SIGNAL_ART_SYNC) return;
    if (!Net_Hooks().sync_vom_server) {
        Debug_Printf("Min_Signal_Empfang: kein Spiel angemeldet\n");
        return;
    }
    Net_Hooks().sync_vom_server(block, int32_t(Min_Signal_Wort(block, MIN_SIGNAL_TEAM_OFFSET)));
}

void Net_Client_Bedienen() {
    if (Netzwerk_Modus() != 1) return;
    int32_t v = Net_Server_Verbindung();
    if (v < 0) return;
    uint8_t puffer[MIN_SIGNAL_GROESSE];
    while (Net_Minute_Receive(v, puffer, sizeof(puffer))) Min_Signal_Empfang(puffer, sizeof(puffer));
}

}  // namespace velmora
