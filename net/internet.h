// net/internet.h - remote calls: the client's call and the server's request switch.
//
// A call is described by a type string. Its first letter is the result: "v"
// none, "i" an int, "c" a char. Then the arguments in order:
//   "i"      an int (int32_t)                 "c"      a char (passed as int)
//   "F4"     a float (passed as double)       "C%d"    a block of %d bytes (const void*)
//   "I%d"    a block of ints, %d bytes        "F%d"    a block of floats, %d bytes
// A "<" after C, I or F makes the block a result the server fills (void*);
// "C<=0" is a result block of the size the server chooses (Internet_Block*).
//
// Request block: Internet_Block_Kopf, the type string, then the inputs in order
// (i and c as i32, F4 as f32, blocks raw). Answer block: Internet_Block_Kopf
// (the last field the status: 0 answered, 1 refused), the i32 result, then the
// results in order (fixed blocks raw, a "C<=0" block as u32 length and bytes).
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace velmora {

constexpr uint32_t INTERNET_MAGIC_ANFRAGE = 0x52464E41u;   // "ANFR"
constexpr uint32_t INTERNET_MAGIC_ANTWORT = 0x54574E41u;   // "ANWT"
constexpr uint32_t INTERNET_TYP_MAX = 128;                 // longest type string
constexpr int32_t INTERNET_ELEMENTE_MAX = 32;              // arguments of one call
// What the manager is told when a call of his gets no answer.
inline constexpr char INTERNET_KEINE_ANTWORT[] = "Keine Antwort vom Server.";

#pragma pack(push, 1)
struct Internet_Block_Kopf {      // 16 bytes in front of a request and an answer
    uint32_t magic;
    int32_t id;                   // request id 1000-1043 or block type 0-52
    uint32_t typ_laenge;          // bytes of the type string that follows (no zero)
    int32_t team;                 // request: the client's team; answer: the status
};
#pragma pack(pop)
static_assert(sizeof(Internet_Block_Kopf) == 16);

// A result block of the server's size ("C<=0"): `daten` is a tracked block
// (Mem_Free it), null when the server sent nothing.
struct Internet_Block {
    void* daten = nullptr;
    uint32_t laenge = 0;
};

// One argument of a type string.
struct Internet_Element {
    char art = 0;            // 'i', 'c', 'F', 'C' or 'I'
    bool aus = false;        // a result ("<")
    bool frei = false;       // "C<=0": the server chooses the size
    uint32_t groesse = 0;    // bytes (4 for i, c and F4)
};
struct Internet_Typ {
    char ergebnis = 'v';
    std::vector<Internet_Element> elemente;
};
// Reads a type string; false (with a log line) when it breaks the grammar.
bool Internet_Typ_Lesen(const char* text, size_t laenge, Internet_Typ& out);

// Client: sends the request and waits for the answer, keeping the program alive
// through the wait hook. The two zeros after the type string are not used.
// Returns the int result ("v": 1) and fills the results; 0 when the call is
// refused, the server closes or stays silent for the answer time. A call
// without answer fills nothing and tells the manager once ("Keine Antwort vom
// Server."); the caller then changes nothing either.
int32_t Internet_Client_Read(int32_t id, const char* typ, int32_t, int32_t, ...);
// Client: sends a read now whose answer a later Internet_Client_Read with
// exactly the same request (id, type string, arguments) takes instead of
// sending it again, so that a refresh's independent reads travel together
// and their answers come back in one round trip. Only for requests that
// change nothing on the server. A read sent ahead is forgotten (its answer
// dropped when it comes) by any request that goes out without having been
// sent ahead, since the server answers in order and that one may change what
// the read answered, and by Internet_Client_Vorab_Ende, which the caller runs
// when the calls it sent ahead for are done. False when it cannot be sent
// (the later call then sends it itself).
bool Internet_Client_Vorab(int32_t id, const char* typ, int32_t, int32_t, ...);
void Internet_Client_Vorab_Ende();
// A remote call whose answer is picked up later, so that the main loop goes
// on meanwhile (the fetch of a live match's record). The result blocks are
// named when the call is sent and must live until it ends.
struct Internet_Offen {
    uint32_t folge = 0;              // 0: no call out
    int32_t id = 0;
    uint32_t start = 0;              // when it was sent
    Internet_Typ typ;
    std::vector<void*> ziele;
    uint64_t bytes = 0;              // the request's and the answer's frames with headers (kept when the call ends)
};
// Client: sends the request (arguments as Internet_Client_Read) without
// waiting. False, with nothing out, when it cannot be sent.
bool Internet_Client_Senden(Internet_Offen& offen, int32_t id, const char* typ, int32_t, int32_t, ...);
// Client: the answer of a call out. 1 answered: the results are filled and
// the int result is in `ergebnis`; 0 not yet; -1 failed: refused, unusable,
// the server closed or stayed silent for the answer time (then the manager
// is told, as by a waiting call). The call is over unless the result is 0.
int32_t Internet_Client_Abholen(Internet_Offen& offen, int32_t* ergebnis);
// Client: gives up a call out; its answer, should it come, is dropped.
void Internet_Client_Aufgeben(Internet_Offen& offen);
// Client: a sign of life while the program asks nothing else (a person
// choosing in the wizard before the club is taken): request `id` without
// arguments ("vC0C<=0", the club requests' form), its answer not awaited and
// dropped. False without a connection.
bool Internet_Client_Lebenszeichen(int32_t id);
// Client: tells the server that it leaves (request 1029 with team -1) without waiting.
bool Internet_Abmelden_Senden();

// A request as the server's handler sees it. Arguments are numbered from 0 in
// the order of the type string, results included.
struct Internet_Aufruf {
    int32_t id = 0;                           // the request id or block type
    Internet_Typ typ;
    std::vector<const uint8_t*> ein;          // per argument: its bytes in the request
    std::vector<std::vector<uint8_t>> aus;    // per argument: the result bytes

    int32_t I(int32_t n) const;                         // "i" or "c"
    float F(int32_t n) const;                           // "F4"
    const uint8_t* Block(int32_t n, uint32_t* laenge) const;   // an input block
    uint8_t* Ergebnis(int32_t n, uint32_t* laenge);     // a result block, zero-filled
    // Fills a "C<=0" result; false when `laenge` is larger than the registered bound.
    bool Ergebnis_Frei(int32_t n, const void* daten, uint32_t laenge);
    uint32_t frei_max = 0;                               // that bound
};
using Internet_Handler = int32_t (*)(Internet_Aufruf& aufruf);

// Registers the server's handler of a request id (1000-1043) or block type
// (0-52). `vorlage` is the type string with each block's largest size in place
// of %d ("C<=0" keeps its form; its bound is `frei_max`). Requests whose type
// string does not fit are refused. False for a bad id or template.
bool Internet_Server_Anmelden(int32_t id, const char* vorlage, Internet_Handler handler,
                              uint32_t frei_max = 1u << 20);
void Internet_Server_Abmelden(int32_t id);

// Runs the request switch on a remote-call block of a client slot and sends
// the answer (or a refusal) back. The block stays the caller's. False when refused.
bool Internet_Server_Antwort(int32_t slot, const void* block, size_t laenge);
// The slot whose request is being answered, -1 outside a handler.
int32_t Internet_Server_Slot();
// Server, once per frame: answers the request or minute packet of every slot
// with a new block, then frees the block.
void Net_Server_Bedienen();

// The client's refreshes of its data from the server (client mode only).
void Internet_Client_Refresh_Alle();           // own players, own club, manager data
void Client_Alles_Holen();                     // calendar, match counters, empty news file
void Internet_Lese_Spieler_Testblock(int32_t team);

}  // namespace velmora
