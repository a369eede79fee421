// Runs the figure work of a few frames, a goal and a foul on a match record
// made of arbitrary bytes, as a damaged save or a bad packet could hand it
// over: no step may read outside the animation table, a figure's order ring
// or the record, nor hang.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "core/rnd.h"
#include "match/live/anweisung.h"
#include "match/live/figur_bewegen.h"
#include "match/live/spielfeld_besitz.h"
#include "match/live/spielfeld_ereignis.h"
#include "match/record/spielfeld.h"

using namespace velmora;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static bool start = [] {
        Rnd_Init();
        return Spielfeld_Init();
    }();
    (void)start;
    static Spielfeld_Satz satz;
    std::memset(static_cast<void*>(&satz), 0, sizeof satz);
    // The bytes go to the figures, the play fields and the player slots, where
    // the steps read; the rest of the record stays zero.
    const size_t figuren = std::min(size, sizeof satz.figur);
    std::memcpy(static_cast<void*>(satz.figur), data, figuren);
    size_t rest = size - figuren;
    const size_t spiel_bytes = offsetof(Spielfeld_Satz, anzeige1) - offsetof(Spielfeld_Satz, team);
    const size_t spiel = std::min(rest, spiel_bytes);
    std::memcpy(reinterpret_cast<uint8_t*>(&satz) + offsetof(Spielfeld_Satz, team), data + figuren, spiel);
    rest -= spiel;
    std::memcpy(static_cast<void*>(satz.spieler), data + figuren + spiel, std::min(rest, sizeof satz.spieler));
    for (int32_t frame = 0; frame < 3; ++frame) {
        for (int32_t i = 0; i < SF_FIGUREN; ++i) {
            Figur& f = satz.figur[i];
            Figur_Anim_Schritt(&satz, i, &f, 30);
            Figur_Bewegen(&satz, i, &f, 30, i == FIGUR_BALL);
        }
        Ballbesitz_Setzen(&satz, size > 0 ? int32_t(int8_t(data[size - 1])) % 35 : -1);
    }
    // The events of a goal and a foul read the same fields.
    Spielfeld_Tor(&satz, size > 0 ? data[0] & 1 : 0);
    Spielfeld_Karte_Entscheiden(&satz);
    Spielfeld_Tor_Reaktion(&satz, size > 1 ? data[1] : 0);
    return 0;
}
