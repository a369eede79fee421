// net/internet_suche.cpp - the search for a server on the local network.
#include "net/internet_suche.h"

#include <array>
#include <memory>
#include <thread>

#include "core/debug.h"
#include "net/net.h"
#include "net/net_kontext.h"
#include "platform/clock.h"
#include "platform/sockets.h"

namespace velmora {
namespace {

constexpr uint32_t SUCHE_SCHRITT_MS = 50;

// An entry keeps the generation of its latest ask above its answer, so a
// thread of an older ask cannot overwrite a newer one's entry.
uint32_t Suche_Generation(uint32_t eintrag) { return eintrag >> 2; }

void Suche_Pruefen(std::shared_ptr<Net_Suche_Tabelle> tabelle, std::array<uint8_t, 4> adresse, uint16_t port, uint32_t ms,
                   uint32_t eintrag) {
    int32_t sock = Plat_Sock_Connect(adresse.data(), port, ms);
    uint32_t antwort = sock >= 0 ? SUCHE_SERVER : SUCHE_KEINER;
    Plat_Sock_Close(sock);
    uint32_t erwartet = eintrag;
    tabelle->eintrag[adresse[3]].compare_exchange_strong(erwartet, eintrag | antwort);
}

}  // namespace

bool Internet_Server_Suche_Frage(uint32_t o1, uint32_t o2, uint32_t o3, uint32_t o4, uint16_t port, bool warten) {
    if (o1 > 255 || o2 > 255 || o3 > 255 || o4 > 255) {
        Debug_Printf("Internet_Server_Suche_Frage: Adresse %u.%u.%u.%u ungueltig\n", o1, o2, o3, o4);
        return false;
    }
    NetKontext& k = Net_K();
    std::shared_ptr<Net_Suche_Tabelle> tabelle = k.suche;
    std::atomic<uint32_t>& e = tabelle->eintrag[o4];
    uint32_t alt = e.load();
    uint32_t neu;
    do {
        neu = (Suche_Generation(alt) + 1) << 2;
    } while (!e.compare_exchange_weak(alt, neu));
    std::array<uint8_t, 4> adresse = {uint8_t(o1), uint8_t(o2), uint8_t(o3), uint8_t(o4)};
    try {
        std::thread(Suche_Pruefen, tabelle, adresse, port, k.zeiten.suche_ms, neu).detach();
    } catch (const std::exception&) {
        Debug_Printf("Internet_Server_Suche_Frage: kein Thread fuer %u.%u.%u.%u\n", o1, o2, o3, o4);
        uint32_t erwartet = neu;
        e.compare_exchange_strong(erwartet, neu | SUCHE_KEINER);
    }
    if (!warten) return false;
    while ((e.load() & 3u) == SUCHE_OFFEN) {
        if (Net_Hooks().warten) Net_Hooks().warten();
        Plat_Sleep_Ms(SUCHE_SCHRITT_MS);
    }
    return (e.load() & 3u) == SUCHE_SERVER;
}

int32_t Internet_Server_Suche_Ergebnis(uint32_t*, uint32_t*, uint32_t*, uint32_t* o4, uint16_t, uint8_t* liste) {
    const Net_Suche_Tabelle& t = *Net_K().suche;
    for (uint32_t i = 0; i < 255; ++i) {
        if ((t.eintrag[i].load() & 3u) == SUCHE_SERVER) {
            if (o4) *o4 = i;
            return -1;
        }
    }
    int32_t offen = 0;
    for (uint32_t i = 0; i < 255; ++i) {
        if ((t.eintrag[i].load() & 3u) == SUCHE_KEINER) continue;
        if (liste) liste[offen] = uint8_t(i);
        ++offen;
    }
    return offen;
}

void Internet_Server_Suche_Zuruecksetzen() {
    Net_Suche_Tabelle& t = *Net_K().suche;
    for (auto& e : t.eintrag) {
        uint32_t alt = e.load();
        while (!e.compare_exchange_weak(alt, (Suche_Generation(alt) + 1) << 2)) {
        }
    }
}

uint8_t Internet_Server_Suche_Eintrag(uint32_t o4) {
    if (o4 > 255) return SUCHE_OFFEN;
    return uint8_t(Net_K().suche->eintrag[o4].load() & 3u);
}

}  // namespace velmora
