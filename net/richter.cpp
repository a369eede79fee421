// net/richter.cpp - the server's request processor for requests between managers.
#include "net/richter.h"

#include "core/debug.h"
#include "net/net.h"

namespace velmora {
namespace {

struct RichterModul {
    Richter_Handler handler[RICHTER_ARTEN] = {};
};
RichterModul g;

}  // namespace

RichterHooks& Richter_Hooks() {
    static RichterHooks hooks;
    return hooks;
}

bool Richter_Art_Anmelden(int32_t art, Richter_Handler handler) {
    if (art < 0 || art >= RICHTER_ARTEN) {
        Debug_Printf("Richter_Art_Anmelden: Art %d ungueltig\n", art);
        return false;
    }
    g.handler[art] = handler;
    return true;
}

int32_t Richter_Kredit_Antworten() {
    if (Netzwerk_Modus() == 1) return 0;
    const RichterHooks& h = Richter_Hooks();
    if (!h.news_suchen || !h.news_loeschen || !h.heute) {
        Debug_Printf("Richter_Kredit_Antworten: keine Nachrichten angemeldet\n");
        return 0;
    }
    int32_t heute = h.heute();
    int32_t geloescht = 0;
    int32_t kopf[RICHTER_KOPF_WORTE];
    uint32_t flags = 0;
    int32_t ab = 0;
    for (;;) {
        int32_t index = h.news_suchen(ab, RICHTER_FLAG_ANFRAGE | RICHTER_FLAG_ANTWORT, kopf, &flags);
        if (index < 0) break;
        ab = index + 1;
        Richter_Fall fall;
        if (flags & RICHTER_FLAG_ANTWORT) {
            fall = heute < kopf[3] ? Richter_Fall::ANTWORT : Richter_Fall::ANTWORT_SPAET;
        } else if (heute >= kopf[3]) {
            fall = Richter_Fall::ABGELAUFEN;
        } else {
            continue;   // still open
        }
        // The item goes first, so a handler that adds news cannot meet it again.
        // The items behind it move down one place: the search goes on at its place.
        h.news_loeschen(index);
        ab = index;
        ++geloescht;
        int32_t art = kopf[0];
        if (art < 0 || art >= RICHTER_ARTEN) {
            Debug_Printf("Richter_Kredit_Antworten: Anfrageart %d ungueltig\n", art);
            continue;
        }
        if (g.handler[art]) g.handler[art](kopf, fall);
    }
    return geloescht;
}

}  // namespace velmora
