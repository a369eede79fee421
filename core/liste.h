// core/liste.h - the generic keyed list.
//
// A list is a head node (total size 0) and a ring of elements, each with its
// payload in the same tracked block. Up to 1000 lists are registered at once.
// The serialised form (save games, network) is: u32 count, then per element
// i32 key, u32 payload size, payload bytes; all little-endian.
#pragma once
#include <cstddef>
#include <cstdint>

namespace velmora {

struct Listen_Element {
    Listen_Element* vorher;
    Listen_Element* naechster;
    void* daten;            // the payload
    int32_t schluessel;     // key
    uint32_t groesse;       // total size, this header and the payload; 0 marks the head
};

// The payload bytes of an element.
uint32_t Liste_Daten_Groesse(const Listen_Element* element);

constexpr int32_t LISTEN_MAX = 1000;
constexpr int32_t LISTE_ALLE = INT32_MIN;   // key filter meaning "every element"

// Registers an empty list in `kopf`; false when 1000 lists are registered or
// the head is null. A registered head is emptied.
bool Liste_Anlegen(Listen_Element* kopf);
// Deletes all elements and releases the registration.
void Liste_Freigeben(Listen_Element* kopf);
// A new element after `nach` (null: at the end) with `groesse` payload bytes
// copied from `daten`, zero-filled when `daten` is null; null on failure.
Listen_Element* Liste_Insert(Listen_Element* liste, Listen_Element* nach, const void* daten, uint32_t groesse,
                             int32_t schluessel);
// The next element with `schluessel` after `von` (a head searches from the first).
Listen_Element* Liste_Find_Key(Listen_Element* von, int32_t schluessel);
int32_t Liste_Count(const Listen_Element* liste);
Listen_Element* Liste_First(Listen_Element* liste);
Listen_Element* Liste_Next_Element(Listen_Element* element);   // null after the last
// Deletes one element; returns the one before it (the head for the first), so a walk goes on.
Listen_Element* Liste_Delete_Element(Listen_Element* liste, Listen_Element* element);
void Liste_Delete_All(Listen_Element* liste);

// Bytes the serialised form of the elements with `schluessel` needs.
size_t Liste_Memory_Groesse(const Listen_Element* liste, int32_t schluessel);
// Serialises the elements with `schluessel` (LISTE_ALLE: every one) into `out`;
// returns the bytes written, 0 when `kapazitaet` is too small.
size_t Liste_To_Memory(void* out, size_t kapazitaet, const Listen_Element* liste, int32_t schluessel);
// Replaces the list's contents by a serialised block of `laenge` bytes. False
// (list unchanged) when the block is short, long or inconsistent.
bool Liste_From_Memory(const void* block, size_t laenge, Listen_Element* liste);

}  // namespace velmora
