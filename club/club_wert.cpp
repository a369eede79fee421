// club/club_wert.cpp - the operations of the player and team accessors.
#include "club/club_wert.h"

#include <vector>

#include "club/club_netz.h"
#include "club/spieler.h"
#include "core/debug.h"

namespace velmora {

int32_t Wert_Prozent(int32_t wert, const WertGrenze& gr) {
    int64_t spanne = int64_t(gr.oben) - gr.unten;
    return spanne > 0 ? int32_t((int64_t(wert) - gr.unten) * 100 / spanne) : 0;
}

int32_t Wert_Klemmen(int64_t wert, const WertGrenze& gr) {
    return int32_t(wert < gr.unten ? gr.unten : wert > gr.oben ? gr.oben : wert);
}

bool Wert_Operation_Pruefen(const char* wer, int32_t op, int32_t modus, const WertGrenze& gr) {
    bool bitop = op == OP_TOGGLE || op == OP_LOESCHEN || op == OP_SETZEN || op == OP_ERSETZEN;
    if ((bitop && !(gr.flags & W_BITS)) || (!bitop && op != OP_SCHREIBEN && op != OP_PLUS)) {
        Debug_Printf("%s: Operation %d ungueltig, modus=%d\n", wer, op, modus);
        return false;
    }
    return true;
}

int32_t Wert_Operation(const char* wer, int32_t op, int32_t modus, int32_t alt, int32_t wert, const WertGrenze& gr) {
    int64_t neu;
    switch (op) {
    case OP_SCHREIBEN:
        neu = wert;
        if (wert < gr.unten || wert > gr.oben)
            Debug_Printf("%s: Wert nicht innerhalb der Grenzen, wert=%d,modus=%d\n", wer, wert, modus);
        break;
    case OP_TOGGLE: neu = int32_t(uint32_t(alt) ^ uint32_t(wert)); break;
    case OP_LOESCHEN: neu = int32_t(uint32_t(alt) & ~uint32_t(wert)); break;
    case OP_SETZEN: neu = int32_t(uint32_t(alt) | uint32_t(wert)); break;
    case OP_ERSETZEN: neu = wert; break;
    default: neu = int64_t(alt) + (wert ? wert : 1); break;   // an increment of 0 counts one
    }
    return Wert_Klemmen(neu, gr);
}

bool Wert_Senden(const char* wer, int32_t anfrage, int32_t modus, int32_t nummer, int32_t wert, int32_t op,
                 const WertGrenze& gr, int32_t* ergebnis) {
    std::vector<uint8_t> a, antwort;
    ClubPacker pk{a};
    pk.i32(modus);
    pk.i32(nummer);
    pk.i32(wert);
    pk.i32(op);
    if (!Club_Remote(wer, anfrage, "iiii<i", a, antwort)) return false;
    ClubLeser l{antwort.data(), antwort.size()};
    int32_t server = l.i32();
    if (l.fehler) return false;
    *ergebnis = Wert_Klemmen(server, gr);
    return true;
}

}  // namespace velmora
