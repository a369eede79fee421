// platform/sockets.cpp - POSIX TCP sockets, non-blocking and polled.
#include "platform/sockets.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace velmora {
namespace {

sockaddr_in Sock_Adresse(const uint8_t adresse[4], uint16_t port) {
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_port = htons(port);
    uint32_t a = (uint32_t(adresse[0]) << 24) | (uint32_t(adresse[1]) << 16) | (uint32_t(adresse[2]) << 8) |
                 uint32_t(adresse[3]);
    sa.sin_addr.s_addr = htonl(a);
    return sa;
}

void Sock_Oktette(uint32_t netz_ordnung, uint8_t adresse[4]) {
    uint32_t a = ntohl(netz_ordnung);
    adresse[0] = uint8_t(a >> 24);
    adresse[1] = uint8_t(a >> 16);
    adresse[2] = uint8_t(a >> 8);
    adresse[3] = uint8_t(a);
}

// Non-blocking, no Nagle delay; a failure to set the delay is harmless.
bool Sock_Einrichten(int fd) {
    int flags = fcntl(fd, F_GETFL, 0);
    if (flags < 0 || fcntl(fd, F_SETFL, flags | O_NONBLOCK) < 0) return false;
    int eins = 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &eins, sizeof(eins));
    return true;
}

}  // namespace

int32_t Plat_Sock_Listen(const uint8_t adresse[4], uint16_t port) {
    int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return -1;
    int eins = 1;
    setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &eins, sizeof(eins));
    sockaddr_in sa = Sock_Adresse(adresse, port);
    if (bind(fd, reinterpret_cast<sockaddr*>(&sa), sizeof(sa)) != 0 || listen(fd, 16) != 0 ||
        !Sock_Einrichten(fd)) {
        close(fd);
        return -1;
    }
    return fd;
}

uint16_t Plat_Sock_Port(int32_t sock) {
    sockaddr_in sa{};
    socklen_t l = sizeof(sa);
    if (sock < 0 || getsockname(sock, reinterpret_cast<sockaddr*>(&sa), &l) != 0) return 0;
    return ntohs(sa.sin_port);
}

int32_t Plat_Sock_Accept(int32_t listen_sock, uint8_t partner[4]) {
    if (listen_sock < 0) return -1;
    for (;;) {
        sockaddr_in sa{};
        socklen_t l = sizeof(sa);
        int fd = accept4(listen_sock, reinterpret_cast<sockaddr*>(&sa), &l, SOCK_CLOEXEC);
        if (fd < 0) {
            if (errno == EINTR) continue;
            // A connection that broke before it was taken is skipped.
            if (errno == ECONNABORTED || errno == EPROTO) continue;
            return -1;
        }
        if (!Sock_Einrichten(fd)) {
            close(fd);
            continue;
        }
        if (partner) {
            if (sa.sin_family == AF_INET) Sock_Oktette(sa.sin_addr.s_addr, partner);
            else std::memset(partner, 0, 4);
        }
        return fd;
    }
}

int32_t Plat_Sock_Connect(const uint8_t adresse[4], uint16_t port, uint32_t timeout_ms) {
    int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return -1;
    if (!Sock_Einrichten(fd)) {
        close(fd);
        return -1;
    }
    sockaddr_in sa = Sock_Adresse(adresse, port);
    int r = connect(fd, reinterpret_cast<sockaddr*>(&sa), sizeof(sa));
    if (r != 0 && errno != EINPROGRESS) {
        close(fd);
        return -1;
    }
    if (r != 0) {
        pollfd p{fd, POLLOUT, 0};
        int n;
        do {
            n = poll(&p, 1, int(timeout_ms));
        } while (n < 0 && errno == EINTR);
        int fehler = 0;
        socklen_t l = sizeof(fehler);
        if (n <= 0 || getsockopt(fd, SOL_SOCKET, SO_ERROR, &fehler, &l) != 0 || fehler != 0) {
            close(fd);
            return -1;
        }
    }
    return fd;
}

int64_t Plat_Sock_Send(int32_t sock, const void* daten, size_t laenge) {
    if (sock < 0) return -1;
    if (laenge == 0) return 0;
    for (;;) {
        ssize_t n = send(sock, daten, laenge, MSG_NOSIGNAL);
        if (n >= 0) return n;
        if (errno == EINTR) continue;
        if (errno == EAGAIN || errno == EWOULDBLOCK) return 0;
        return -1;
    }
}

int64_t Plat_Sock_Recv(int32_t sock, void* puffer, size_t kapazitaet) {
    if (sock < 0) return -1;
    if (kapazitaet == 0) return 0;
    for (;;) {
        ssize_t n = recv(sock, puffer, kapazitaet, 0);
        if (n > 0) return n;
        if (n == 0) return -1;
        if (errno == EINTR) continue;
        if (errno == EAGAIN || errno == EWOULDBLOCK) return 0;
        return -1;
    }
}

bool Plat_Sock_Partner_Weg(int32_t sock) {
    if (sock < 0) return true;
    pollfd p{sock, POLLRDHUP, 0};
    if (poll(&p, 1, 0) < 0) return false;
    return (p.revents & (POLLRDHUP | POLLHUP | POLLERR)) != 0;
}

bool Plat_Sock_Warten(const int32_t* socks, size_t anzahl, uint32_t timeout_ms) {
    pollfd p[16];
    nfds_t n = 0;
    for (size_t i = 0; i < anzahl && n < 16; ++i) {
        if (socks[i] < 0) continue;
        p[n++] = pollfd{socks[i], POLLIN, 0};
    }
    if (n == 0) {
        if (timeout_ms) usleep(timeout_ms * 1000u);
        return false;
    }
    return poll(p, n, int(timeout_ms)) > 0;
}

void Plat_Sock_Close(int32_t sock) {
    if (sock >= 0) close(sock);
}

bool Plat_Host_Adresse(char* name, size_t name_groesse, uint8_t adresse[4]) {
    char host[256] = {};
    if (gethostname(host, sizeof(host) - 1) != 0 || host[0] == 0) return false;
    addrinfo hint{};
    hint.ai_family = AF_INET;
    hint.ai_socktype = SOCK_STREAM;
    addrinfo* res = nullptr;
    if (getaddrinfo(host, nullptr, &hint, &res) != 0 || !res) return false;
    Sock_Oktette(reinterpret_cast<sockaddr_in*>(res->ai_addr)->sin_addr.s_addr, adresse);
    freeaddrinfo(res);
    // Many systems map their own name to a loopback address; other machines
    // cannot reach that, so an interface's address is taken instead.
    if (adresse[0] == 127) {
        ifaddrs* liste = nullptr;
        if (getifaddrs(&liste) == 0) {
            for (ifaddrs* i = liste; i; i = i->ifa_next) {
                if (!i->ifa_addr || i->ifa_addr->sa_family != AF_INET) continue;
                if ((i->ifa_flags & IFF_LOOPBACK) || !(i->ifa_flags & IFF_UP)) continue;
                Sock_Oktette(reinterpret_cast<sockaddr_in*>(i->ifa_addr)->sin_addr.s_addr, adresse);
                break;
            }
            freeifaddrs(liste);
        }
    }
    if (name && name_groesse) {
        std::strncpy(name, host, name_groesse - 1);
        name[name_groesse - 1] = 0;
    }
    return true;
}

}  // namespace velmora
