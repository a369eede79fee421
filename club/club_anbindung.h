// club/club_anbindung.h - the club data's side of the remote calls: the
// client's call to the server, the server's handlers of the club requests,
// and the seam through which the modules above the club data register theirs.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace velmora {

// A remote call to the server (the club hooks' client_read): each request
// travels as one argument block and one answer block of the server's size
// ("vC%dC<=0"); the packing inside follows docs/protocol.md. False when the
// server did not answer.
bool Club_Client_Lesen(int32_t anfrage, const char* typ, const std::vector<uint8_t>& argumente,
                       std::vector<uint8_t>& antwort);

// The same call sent ahead (the club hooks' client_vorab): a later
// Club_Client_Lesen with the same request and arguments takes its answer.
bool Club_Client_Vorab(int32_t anfrage, const std::vector<uint8_t>& argumente);

// Registers the server's handlers of the club requests with the network's
// request switch; takes them (and every module request below) back.
void Club_Anfragen_Anmelden();
void Club_Anfragen_Abmelden();

// The server's answer to one request of a module above the club data, packed
// as its client sent it (see club/club_netz.h). False for a malformed request.
using ClubServerFn = bool (*)(int32_t anfrage, int32_t client_team, const uint8_t* daten, size_t bytes,
                              std::vector<uint8_t>& antwort);
// Registers such a module's request with the network's request switch.
bool Club_Anfrage_Anmelden(int32_t anfrage, ClubServerFn fn);
void Club_Anfrage_Abmelden(int32_t anfrage);

}  // namespace velmora
