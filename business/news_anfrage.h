// business/news_anfrage.h - showing the pending news to the manager at the
// machine, yes/no requests and their answers, and the note to the other
// managers when a manager moves on in network play.
//
// A request is an item with flag bit 0 whose header holds: word 0 the kind
// (5 loan offer, 11 event with a choice, 12 offer about a player, 13 and 16
// team events, 14 and 15 follow-ups of events), 1 the team that receives the
// result, 2 the other team, 3 the deadline day, 4-8 kind-specific values and
// 9 the answer (-1 open, 1 yes, 0 no). The answer is an item with flag bit 1
// that carries a copy of the header with word 9 set; the server's request
// processor acts on it. Only the machine that holds the game stores answers,
// and only to a request it holds open for the answering team: a client names
// the request by its id (header word 8 of the answer it sends) and gives the
// answer word; everything else comes from the stored request.
//
// The screens do not exist yet: the requester, the modal state, the stadium
// screen's notice sound and the announcement buffer are reached through
// NewsHooks. Unfilled, a request cannot be shown: it stays open (until its
// deadline) and the messages behind it are still shown.
#pragma once
#include <cstdint>

namespace velmora {

constexpr int32_t ANFRAGE_ART_KREDIT = 5;
constexpr int32_t ANFRAGE_ART_EREIGNIS = 11;
constexpr int32_t ANFRAGE_ART_SPIELER = 12;
constexpr int32_t NEWS_KOPF_ANTWORT = 9;          // header word of the answer
constexpr int32_t NEWS_KOPF_ANFRAGE_ID = 8;       // a client's answer: the id of its request
constexpr uint32_t NEWS_ANZEIGE_MASKE = 0x8006005; // bits 0, 2, 13, 14, 27
constexpr uint32_t NEWS_ANZEIGE_AUSSER = 0x20000002;
constexpr uint32_t NEWS_RUNDE_MS = 5000;          // the presentation's rounds in the menu phase
constexpr int32_t NEWS_ANKUENDIGUNG_BYTES = 336;
constexpr int32_t NEWS_TEXT_JA = 60;              // WERBUNG_SCREEN: the requester's buttons
constexpr int32_t NEWS_TEXT_NEIN = 61;
constexpr int32_t NEWS_TEXT_WEITER = 199;         // REST_PIRAK: "... ist fertig"

// The requester's user data: the answering team and the request (its index
// when shown, and its id, by which the answer finds it again).
struct NewsAntwortDaten {
    int32_t team = -1;
    int32_t index = -1;
    uint32_t id = 0;
};

struct NewsHooks {
    // Non-zero while a requester or another modal menu state is open.
    bool (*modal_offen)() = nullptr;
    // Opens the yes/no requester for the team's manager; its buttons call
    // News_Antwort_Ja / News_Antwort_Nein with `daten`. False when it could not.
    bool (*requester)(int32_t team, const char* text, const char* ja, const char* nein,
                      const NewsAntwortDaten* daten) = nullptr;
    // The server before a check: the start-team data and the line-ups again.
    void (*server_vorbereiten)() = nullptr;
    // A client before fetching its news: start teams, bank, own team, line-ups.
    // What it sends ahead (Club_Remote_Vorab), the news fetch included, is
    // forgotten once the fetch is done.
    void (*client_vorbereiten)(int32_t team) = nullptr;
    // A client after showing an item: its player data and the bank's loans again.
    void (*client_nachladen)(int32_t team) = nullptr;
    // A client: a binary announcement item for the announcement buffer. False
    // when the buffer cannot take one now (full): the item stays for a later
    // round; true when it is done with (stored, or malformed and dropped).
    bool (*ankuendigung)(const uint8_t* daten, int32_t bytes) = nullptr;
    // The flag word of icon 707 of the screen framework, -1 when it is unknown.
    int32_t (*icon_707_flags)() = nullptr;
    // The sound sample the stadium screen's notice window plays next (event requests).
    void (*hinweis_sound)(int32_t sample) = nullptr;
    // Another manager's word that needs no answer ("... ist fertig."): told
    // without a box that waits for a click. Unset: the box.
    void (*notiz)(const char* text) = nullptr;
    // The team's match-day state as the server tells a client with its news.
    int32_t (*spieltag_zustand)(int32_t team) = nullptr;
};
NewsHooks& News_Hooks();

// Shows the team's first pending item: 1 when it showed or handled something
// or is waiting for a modal state, 0 when nothing was pending.
int32_t News_Anfragen_Pruefen(int32_t team);
// The requester's buttons.
void News_Antwort_Ja(const NewsAntwortDaten* daten);
void News_Antwort_Nein(const NewsAntwortDaten* daten);
// Stores the answer of `team` (1 yes, 0 no) to the open request `id` (not on
// a client): the team must be a recipient whose flag word still marks the
// request; the answer item carries the stored header with word 9 set and goes
// to the request's sender, and the request is deleted, so it is answered once.
// The answer item's id, 0 when refused.
uint32_t News_Antwort_Eintragen(int32_t team, uint32_t id, int32_t antwort);
// In network play: a pop-up to every other human manager that the local
// manager has finished his turn.
void News_Manager_Nachricht();
// The team that plays at this machine: a client's own team, otherwise the
// team whose turn it is (-1 outside the menu phase).
int32_t News_Lokales_Team();

// One frame of the menu phase: every 5000 ms the server's request processor
// runs and a check round starts, which shows the local team's items one per
// frame until none is left.
void News_Runde(uint32_t jetzt);
// The next News_Runde starts a check round whenever the last one was.
void News_Runde_Vorziehen();
// Whether any request is still open (the calendar's month change waits for it).
bool News_Anfrage_Offen();
// Back to the start (hold counter, round).
void News_Anzeige_Zuruecksetzen();

}  // namespace velmora
