// Random bytes into the server's receive path: the framing of a raw stream,
// and whole frames into the request switch and the minute-signal answer.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "net/internet.h"
#include "net/min_signal.h"
#include "net/net.h"
#include "platform/sockets.h"

using namespace velmora;

namespace {

struct Pruefstand {
    NetKontext* server = nullptr;
    uint16_t port = 0;
    int32_t sock = -1;
    uint8_t adresse[4] = {127, 0, 0, 1};
};

int32_t Antwort_Fuellen(Internet_Aufruf& a) {
    for (int32_t i = 0; i < int32_t(a.typ.elemente.size()); ++i) {
        const Internet_Element& e = a.typ.elemente[size_t(i)];
        if (!e.aus) continue;
        if (e.frei) {
            uint8_t d[64] = {};
            a.Ergebnis_Frei(i, d, uint32_t(a.I(int32_t(a.typ.elemente.size()) - 1)) & 63u);
        } else {
            uint32_t l = 0;
            uint8_t* p = a.Ergebnis(i, &l);
            if (p && l) p[l - 1] = 1;
        }
    }
    return a.I(0);
}

Pruefstand& Stand() {
    static Pruefstand s;
    if (s.server) return s;
    Net_Init();
    s.server = Net_Kontext_Neu();
    Net_Kontext_Setzen(s.server);
    Net_Zeiten_Wert().senden_ms = 200;
    Net_Bind_Adresse_Setzen(s.adresse);
    Net_Port_Setzen(0);
    Netzwerk_Modus_Setzen(2);
    Internet_Netzwerk_Start();
    s.port = Net_Server_Port();
    Net_Hooks().sync_vom_client = [](void* paket, int32_t) { static_cast<uint8_t*>(paket)[100] ^= 1; };
    Internet_Server_Anmelden(1012, "iC<=0C<4C<4C4004i", &Antwort_Fuellen, 64);
    Internet_Server_Anmelden(1013, "iiiiiC40C50000", &Antwort_Fuellen);
    Internet_Server_Anmelden(1028, "iF4F4iiic", &Antwort_Fuellen);
    Internet_Server_Anmelden(1032, "iI<42340I<4F<4I<4I<4", &Antwort_Fuellen);
    Internet_Server_Anmelden(4, "viiiiiI4000", &Antwort_Fuellen);
    return s;
}

void Runde(Pruefstand& s) {
    for (int i = 0; i < 4; ++i) {
        Net_Pump();
        Net_Server_Slot_Pump();
        Net_Server_Bedienen();
        Net_Pump();
        uint8_t weg[65536];
        while (s.sock >= 0 && Plat_Sock_Recv(s.sock, weg, sizeof(weg)) > 0) {
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Pruefstand& s = Stand();
    if (size == 0) return 0;
    if (s.sock < 0) {
        s.sock = Plat_Sock_Connect(s.adresse, s.port, 1000);
        Runde(s);
    }
    uint8_t art = data[0] % 3;
    const uint8_t* rest = data + 1;
    size_t n = size - 1;
    std::vector<uint8_t> strom;
    if (art == 0) {
        strom.assign(rest, rest + n);   // raw bytes: the framing itself is attacked
    } else {
        Net_Frame_Kopf kopf{NET_FRAME_MAGIC, art == 1 ? NET_TYP_ANFRAGE : NET_TYP_MIN_SIGNAL, uint32_t(n), 1};
        strom.resize(sizeof(kopf) + n);
        std::memcpy(strom.data(), &kopf, sizeof(kopf));
        if (n) std::memcpy(strom.data() + sizeof(kopf), rest, n);
        // The same block also goes straight into the switch of an occupied slot.
        for (int32_t slot = 0; slot < NET_SLOTS_GESAMT; ++slot) {
            if (Net_Slot(slot)->zustand != 1) continue;
            std::vector<uint8_t> kopie(rest, rest + n);
            if (art == 1) {
                Internet_Server_Antwort(slot, kopie.data(), kopie.size());
            } else {
                Min_Signal_Antwort(slot, kopie.data(), kopie.size());
            }
            break;
        }
    }
    size_t pos = 0;
    while (pos < strom.size() && s.sock >= 0) {
        int64_t r = Plat_Sock_Send(s.sock, strom.data() + pos, strom.size() - pos);
        if (r < 0) {
            Plat_Sock_Close(s.sock);
            s.sock = -1;
            break;
        }
        pos += size_t(r);
        Runde(s);
    }
    Runde(s);
    // The server dropped a hostile connection: start the next input on a fresh one.
    uint8_t b;
    if (s.sock >= 0 && Plat_Sock_Recv(s.sock, &b, 1) < 0) {
        Plat_Sock_Close(s.sock);
        s.sock = -1;
        Runde(s);
    }
    return 0;
}
