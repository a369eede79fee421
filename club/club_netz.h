// club/club_netz.h - the club data's remote calls: request ids, the packing of
// arguments and answers, and the server's entry for all of them.
//
// Every request travels as "vC%uC<=0": one argument block (at most 64 KB) and
// one answer block. Arguments and answers are packed inside them by the fields
// docs/protocol.md lists (noted beside each id): "i" a 32-bit little-endian
// integer, "F4" a float, "C%d" that many raw bytes, "B" a u32 length and the
// bytes, "<" separates the argument block's fields from the answer block's.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace velmora {

constexpr int32_t ANFRAGE_SPIELER_WERT = 1000;       // "iiii<i"
constexpr int32_t ANFRAGE_TEAM_WERT = 1001;          // "iiii<i"
constexpr int32_t ANFRAGE_TEAM_ZEIGER = 1002;        // "iiB<i"
constexpr int32_t ANFRAGE_MANAGER_ICON = 1003;       // "iiii<i"
constexpr int32_t ANFRAGE_SPIELER_ANZAHL = 1004;     // "<i"
constexpr int32_t ANFRAGE_SPIELER_BLOCK = 1005;      // "ii<B"
constexpr int32_t ANFRAGE_SPIELER_TEAM = 1006;       // "i<B"
constexpr int32_t ANFRAGE_TEAM_STARTINFO = 1007;     // "<B"
constexpr int32_t ANFRAGE_TEAM_BLOCK = 1008;         // "ii<B"
constexpr int32_t ANFRAGE_TEAM_OWN = 1009;           // "i<B"
constexpr int32_t ANFRAGE_STARTTEAMS = 1010;         // "<B"
constexpr int32_t ANFRAGE_MANAGER_STARTINFO = 1011;  // "<B"
constexpr int32_t ANFRAGE_MANAGER_RECORD = 1018;     // "i<B"
constexpr int32_t ANFRAGE_MARKT_LISTE = 1019;        // "<B"
constexpr int32_t ANFRAGE_TEAM_NEHMEN = 1036;        // "iiC20i<ii"
constexpr int32_t ANFRAGE_MANAGER_SENDEN = 1037;     // "iB<i"
constexpr int32_t ANFRAGE_MANAGER_LAGER = 1023;      // "i<i"
constexpr int32_t ANFRAGE_TEAMS_ABGLEICH = 1041;     // "i<B": every club's public record and the market list as far as they changed (club/abgleich.h)
constexpr int32_t ANFRAGE_SPIELER_ABGLEICH = 1043;    // "i<B": every player's public record as far as it changed
constexpr int32_t ANFRAGE_STARTTEAMS_ABGLEICH = 1042;   // "i<B": the start-team table as far as it changed

// Appends little-endian values to a byte vector.
struct ClubPacker {
    std::vector<uint8_t>& out;
    void i32(int32_t wert);
    void block(const void* daten, size_t bytes);         // raw bytes, fixed size
    void block_mit_laenge(const void* daten, size_t bytes);  // u32 length, then the bytes
};

// Reads what ClubPacker wrote; every read past the end sets `fehler` and gives 0.
struct ClubLeser {
    const uint8_t* daten;
    size_t bytes;
    size_t pos = 0;
    bool fehler = false;
    int32_t i32();
    bool block(void* ziel, size_t anzahl);
    // A block written with its length: the pointer into the data and its size, null on error.
    const uint8_t* block_mit_laenge(size_t* anzahl);
};

// Client side: a remote call through the network hook. False (and a log line
// naming `wer`) when there is no network or the server did not answer.
bool Club_Remote(const char* wer, int32_t anfrage, const char* typ, const std::vector<uint8_t>& argumente,
                 std::vector<uint8_t>& antwort);
// Client side: sends the call ahead without waiting; Club_Remote of the same
// request and arguments then takes its answer. Only for calls that change
// nothing on the server. False when it could not be sent (nothing lost: the
// later call sends it itself).
bool Club_Remote_Vorab(int32_t anfrage, const std::vector<uint8_t>& argumente);
// The same for calls that answer with one integer; `fehlwert` when the call failed.
int32_t Club_Remote_Int(const char* wer, int32_t anfrage, const char* typ, const std::vector<uint8_t>& argumente,
                        int32_t fehlwert);

// A remote call answered by one block written with its length: the block's
// bytes (inside `antwort`) and its size, or null when the call failed.
const uint8_t* Club_Remote_Block(const char* wer, int32_t anfrage, const char* typ,
                                 const std::vector<uint8_t>& argumente, std::vector<uint8_t>& antwort,
                                 size_t* groesse);
// Ends what was sent ahead: a call sent ahead and not made is forgotten, so a
// later call with the same arguments asks the server anew.
void Club_Remote_Vorab_Ende();
// Sends ahead the request of Club_Remote_Satz for `team`.
bool Club_Remote_Satz_Vorab(int32_t anfrage, int32_t team);
// One club's record of a fixed size, asked by a request that names the club
// (its team number): the record's `bytes` (inside `antwort`), or null when the
// call failed or the answer has another size (a log line naming `wer`). With
// `leer` an empty answer (the club has no such record) is allowed: it sets
// `*leer` and gives null.
const uint8_t* Club_Remote_Satz(const char* wer, int32_t anfrage, int32_t team, size_t bytes,
                                std::vector<uint8_t>& antwort, bool* leer = nullptr);
// Fetches `anzahl` records in pieces of at most `stueck` by requests (first,
// count); each answer must hold `je` bytes per record and is handed to `nehmen`
// (first, count, bytes), which may refuse it. False when anything failed.
bool Club_Remote_Stueckweise(const char* wer, int32_t anfrage, int32_t anzahl, int32_t stueck, size_t je,
                             bool (*nehmen)(int32_t erster, int32_t anzahl, const uint8_t* daten));

// Server side: true when `team` is the own club of the client playing
// `client_team`. A slot without a team (-1) owns no club: it may read what is
// public and change nothing, and -1 never stands for "every club" here.
inline bool Club_Ist_Eigenes(int32_t team, int32_t client_team) { return client_team >= 0 && team == client_team; }

// Server side: the number of the connection whose request is being answered
// (Net_Client_Slot::verbindung), 0 when unknown, and its peer's address
// (Net_Client_Slot::adresse, 0 unknown); set by the request's bridge.
void Club_Verbindung_Setzen(uint32_t verbindung, uint32_t adresse = 0);
uint32_t Club_Verbindung();
uint32_t Club_Verbindung_Adresse();
// Server side: answers one club-data request of the client playing `client_team`.
// False for an id that is not the club data's or a malformed request (the
// answer is then empty).
bool Club_Server_Anfrage(int32_t anfrage, int32_t client_team, const uint8_t* daten, size_t bytes,
                         std::vector<uint8_t>& antwort);

}  // namespace velmora
