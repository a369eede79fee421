// match/record/spielfeld_intern.h - what the match record module's files share: the
// record list with its index lives in spielfeld.cpp; the set-up from a fixture
// (spielfeld_anlegen.cpp) and the periods (spielfeld_periode.cpp) reach it
// through these. Not for modules outside the match record.
#pragma once
#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "core/liste.h"
#include "match/record/spielfeld.h"

namespace velmora::spielfeld_intern {

constexpr size_t SATZ_BYTES = sizeof(Spielfeld_Satz);

struct SpielfeldModul {
    bool initialisiert = false;
    bool liste_angelegt = false;
    Listen_Element liste{};
    Spielfeld_Konstanten k{};
    Spielfeld_Ansicht_Einstellung ansicht{};
    std::vector<uint8_t> arbeit;         // the view's work buffer
    std::vector<uint8_t> anzeige;        // the display ring
    bool anzeige_aktiv = false;
    uint32_t reserviert[3] = {};         // kept only for the save game
    float bewegung = 4000.0f;            // the movement and defence steps' values
    float abwehr = 4000.0f;
    uint8_t live = 0;                    // a match is being shown
    Spielfeld_Satz* aktives = nullptr;
    int32_t schalter4 = -1;
    bool client_holen = false;
    uint32_t frame_referenz = 0;
    // The records by game beside the list (the first of a key, as the list's
    // own search finds it) and their count; rebuilt from the list after a
    // change, so every slot of every frame finds its record at once.
    std::unordered_map<int32_t, Listen_Element*> nach_spiel;
    std::unordered_map<const void*, Listen_Element*> nach_satz;   // the element of each record
    int32_t anzahl = 0;
    bool index_gueltig = false;
    // The games last found by nach_spiel, by the game's low bits: the match
    // day asks for the record of each of up to 300 slots every frame. Emptied
    // with the index; an entry goes with its element.
    struct Treffer {
        int32_t spiel = 0;
        Listen_Element* e = nullptr;
        Spielfeld_Satz* satz = nullptr;   // e's record, read without touching e
    };
    static constexpr int32_t TREFFER = 1024;
    Treffer treffer[TREFFER] = {};
    uint32_t abgang = 0;                  // see Spielfeld_Abgang_Stand
    Listen_Element* gegangen = nullptr;   // the element a walk by Spielfeld_Naechster stands on
    // The records set up for the dice only (see Spielfeld_Anlegen): their
    // figures are never placed. Not saved: a loaded record is placed in full,
    // which draws nothing either.
    std::unordered_set<const Spielfeld_Satz*> leicht;
    bool leicht_an = true;               // off: every record is set up in full (tests)
};
extern SpielfeldModul g;

// The element of a game's record by the index, nullptr without one.
Listen_Element* Element_Von_Spiel(int32_t spiel);
// The game's record by the index, nullptr without one.
Spielfeld_Satz* Satz_Von_Spiel(int32_t spiel);
// The records in the list.
int32_t Satz_Anzahl();

inline Spielfeld_Satz* Satz_Von(Listen_Element* e) { return e ? static_cast<Spielfeld_Satz*>(e->daten) : nullptr; }

inline int32_t Klemme(int32_t v, int32_t lo, int32_t hi) { return v < lo ? lo : (v > hi ? hi : v); }

}  // namespace velmora::spielfeld_intern
