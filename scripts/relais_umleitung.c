/* scripts/relais_umleitung.c - preloaded into a game that has no setting for
 * its server's port: a connection to 127.0.0.1:FROM goes to 127.0.0.1:TO
 * instead (VELMORA_RELAIS=FROM:TO), where scripts/relais.py listens. Nothing
 * else is touched. Built by scripts/uebergabe_zeit.sh:
 *   cc -shared -fPIC -o relais_umleitung.so scripts/relais_umleitung.c -ldl */
#define _GNU_SOURCE
#include <arpa/inet.h>
#include <dlfcn.h>
#include <netinet/in.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/socket.h>

int connect(int fd, const struct sockaddr* sa, socklen_t n) {
    static int (*echt)(int, const struct sockaddr*, socklen_t);
    if (!echt) echt = (int (*)(int, const struct sockaddr*, socklen_t))dlsym(RTLD_NEXT, "connect");
    const char* v = getenv("VELMORA_RELAIS");
    unsigned von = 0, nach = 0;
    if (v && sa && sa->sa_family == AF_INET && n >= sizeof(struct sockaddr_in) &&
        sscanf(v, "%u:%u", &von, &nach) == 2 && nach > 0 && nach < 65536) {
        struct sockaddr_in a;
        memcpy(&a, sa, sizeof a);
        if (ntohs(a.sin_port) == von && a.sin_addr.s_addr == htonl(INADDR_LOOPBACK)) {
            a.sin_port = htons((unsigned short)nach);
            return echt(fd, (const struct sockaddr*)&a, sizeof a);
        }
    }
    return echt(fd, sa, n);
}
