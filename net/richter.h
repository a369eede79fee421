// net/richter.h - the server's request processor for requests between managers.
//
// A request is a news item with flag bit 0 whose ten-word header names its kind
// (word 0), the team that receives the result (1), the other team (2), the
// deadline day (3) and the answer (9: -1 open, 1 yes, 0 no); the answer to it
// is an item with flag bit 1 and a copy of that header. The processor runs on
// the machine that holds the game: open requests past their deadline and all
// answers are deleted, and the handler registered for the item's kind acts on
// them (the bank books or declines a loan, the events take their answers).
#pragma once
#include <cstdint>

namespace velmora {

constexpr int32_t RICHTER_KOPF_WORTE = 10;
constexpr uint32_t RICHTER_FLAG_ANFRAGE = 1u << 0;
constexpr uint32_t RICHTER_FLAG_ANTWORT = 1u << 1;
constexpr int32_t RICHTER_ARTEN = 32;              // kinds 0-31

enum class Richter_Fall {
    ABGELAUFEN,    // an open request reached its deadline unanswered
    ANTWORT,       // an answer arrived before the deadline
    ANTWORT_SPAET, // an answer arrived on or after the deadline
};
// Acts on one request of a kind; `kopf` is a copy of the item's header.
using Richter_Handler = void (*)(const int32_t kopf[RICHTER_KOPF_WORTE], Richter_Fall fall);

// The news list, reached through hooks the news module fills.
struct RichterHooks {
    // The first item at index `ab` or later whose flag word has a bit of
    // `maske`: its index (-1 when none), its header and flag word copied out.
    int32_t (*news_suchen)(int32_t ab, uint32_t maske, int32_t kopf[RICHTER_KOPF_WORTE], uint32_t* flags) = nullptr;
    void (*news_loeschen)(int32_t index) = nullptr;
    int32_t (*heute)() = nullptr;   // today's day index
};
RichterHooks& Richter_Hooks();

// Registers the handler of a request kind (null removes it); false for a bad kind.
bool Richter_Art_Anmelden(int32_t art, Richter_Handler handler);
// Walks the requests and answers once (not on a client); returns how many items it deleted.
int32_t Richter_Kredit_Antworten();

}  // namespace velmora
