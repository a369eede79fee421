// platform/sockets.h - TCP sockets for network play.
//
// Every socket is non-blocking with Nagle's delay off; nothing here raises
// SIGPIPE. Handles are small ints, -1 is invalid. Addresses are IPv4 octets in
// reading order (a.b.c.d is {a, b, c, d}); ports are in host order.
#pragma once
#include <cstddef>
#include <cstdint>

namespace velmora {

// A listening socket on `adresse`:`port` (port 0: the system picks one, see
// Plat_Sock_Port). -1 when the address cannot be bound.
int32_t Plat_Sock_Listen(const uint8_t adresse[4], uint16_t port);
// The local port a socket is bound to, 0 on error.
uint16_t Plat_Sock_Port(int32_t sock);
// A waiting connection of a listening socket, or -1 when none is waiting.
// `partner`, when given, receives the peer's address.
int32_t Plat_Sock_Accept(int32_t listen_sock, uint8_t partner[4] = nullptr);
// Connects to `adresse`:`port`, waiting at most `timeout_ms`; -1 when nobody
// accepts in time. The socket returned is non-blocking.
int32_t Plat_Sock_Connect(const uint8_t adresse[4], uint16_t port, uint32_t timeout_ms);
// Sends what the system takes at once: the bytes taken (0 when it is full),
// -1 when the connection is broken.
int64_t Plat_Sock_Send(int32_t sock, const void* daten, size_t laenge);
// Receives what has arrived: the bytes read (0 when nothing is waiting), -1
// when the peer closed the connection or it broke.
int64_t Plat_Sock_Recv(int32_t sock, void* puffer, size_t kapazitaet);
// True when the peer has closed or the connection broke, even while bytes it
// sent before are still waiting to be read. Does not wait.
bool Plat_Sock_Partner_Weg(int32_t sock);
// Waits at most `timeout_ms` until one of the sockets can be read; true when one can.
bool Plat_Sock_Warten(const int32_t* socks, size_t anzahl, uint32_t timeout_ms);
void Plat_Sock_Close(int32_t sock);

// This machine's host name and IPv4 address. The address of a network
// interface other than loopback is preferred, since other machines must reach
// it. False when the host name cannot be had or resolved.
bool Plat_Host_Adresse(char* name, size_t name_groesse, uint8_t adresse[4]);

}  // namespace velmora
