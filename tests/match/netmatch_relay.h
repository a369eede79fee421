// tests/match/netmatch_relay.h - two processes of velmora-netmatch and the
// relay between them on 127.0.0.1, driven from one poll loop: it forwards
// both ways with a settable delay and jitter, a stall, or one byte at a time.
// The two-process tests and the network benchmark play their matches through it.
#pragma once
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdint>
#include <cstring>
#include <deque>
#include <ostream>
#include <random>
#include <regex>
#include <string>
#include <vector>

namespace velmora::test {

using Uhr = std::chrono::steady_clock;

inline int64_t Ms(Uhr::time_point t) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(t.time_since_epoch()).count();
}

struct Prozess {
    pid_t pid = -1;
    int aus = -1;          // its stdout
    std::string text;
    int status = -1;
    bool fertig = false;

    Prozess(const std::vector<std::string>& args) {
        // The arguments are laid out before the fork: the child of a test
        // that plays several matches from threads allocates nothing.
        std::vector<char*> argv;
        for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        int p[2];
        if (pipe2(p, O_CLOEXEC)) return;   // no other test thread's child keeps it open
        pid = fork();
        if (pid == 0) {
            dup2(p[1], STDOUT_FILENO);
            close(p[0]);
            close(p[1]);
            execv(argv[0], argv.data());
            _exit(127);
        }
        close(p[1]);
        aus = p[0];
        fcntl(aus, F_SETFL, O_NONBLOCK);
    }
    ~Prozess() {
        if (pid > 0 && !fertig) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
        }
        if (aus >= 0) close(aus);
    }
    void lesen() {
        char b[4096];
        for (;;) {
            const ssize_t n = read(aus, b, sizeof b);
            if (n <= 0) break;
            text.append(b, size_t(n));
        }
        if (!fertig && pid > 0 && waitpid(pid, &status, WNOHANG) == pid) {
            fertig = true;
            lesen();
        }
    }
};

// Bytes of one direction with the time they may go on; a whole frame of the
// server's (its type) when the relay holds the minute answers.
struct Stueck {
    int64_t zeit = 0;
    std::vector<uint8_t> bytes;
    uint32_t typ = 0;
    bool angefangen = false;   // partly sent
};

// One direction of the relay.
struct Richtung {
    int von = -1, nach = -1;
    std::deque<Stueck> warte;
    std::deque<Stueck> gehalten;   // minute answers held by a stall
    std::vector<uint8_t> roh;      // bytes of a frame not yet whole
    int64_t letzte = 0;
    bool zu = false;
};

struct Einstellung {
    const char* name;
    int32_t verzoegerung_ms, jitter_ms;
    int32_t stau_ab_ms, stau_ms;   // a stall: nothing moves for stau_ms from stau_ab_ms on
    bool einzeln;                  // one byte per send
    // The stall starts instead once the client has printed this game minute (-1: by time).
    int32_t stau_minute = -1;
    // A stall from a minute lasts beyond stau_ms until the client has re-sent
    // this many packets in it (at most a minute more): what the stall shows
    // then depends on the client's own clock, not on how fast the machine is.
    int32_t stau_wiederholungen = 0;
    // The stall holds only the server's minute answers (frame type 251): the
    // client's packets reach the server and remote calls are answered, the
    // minute answers wait. The client is then bound to wait for them.
    bool nur_minutenantworten = false;
};

// The test's name shows the setting, not its bytes.
inline void PrintTo(const Einstellung& e, std::ostream* os) { *os << e.name; }

class Relay {
public:
    explicit Relay(const Einstellung& e) : e_(e), zufall_(7) {
        lausch_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        a.sin_port = 0;
        bind(lausch_, reinterpret_cast<sockaddr*>(&a), sizeof a);
        listen(lausch_, 1);
        socklen_t l = sizeof a;
        getsockname(lausch_, reinterpret_cast<sockaddr*>(&a), &l);
        port = ntohs(a.sin_port);
        fcntl(lausch_, F_SETFL, O_NONBLOCK);
    }
    ~Relay() {
        for (int f : {lausch_, hin_.von, hin_.nach}) if (f >= 0) close(f);
    }
    // One pass: accepts the client, connects it to the server, moves bytes.
    void pass(uint16_t server_port, int64_t jetzt) {
        if (hin_.von < 0) {
            const int c = accept4(lausch_, nullptr, nullptr, SOCK_CLOEXEC);
            if (c < 0) return;
            const int s = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
            sockaddr_in a{};
            a.sin_family = AF_INET;
            a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
            a.sin_port = htons(server_port);
            if (connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
                close(c);
                close(s);
                return;
            }
            fcntl(c, F_SETFL, O_NONBLOCK);
            fcntl(s, F_SETFL, O_NONBLOCK);
            hin_.von = zurueck_.nach = c;
            hin_.nach = zurueck_.von = s;
            start_ = jetzt;
        }
        for (Richtung* r : {&hin_, &zurueck_}) bewegen(*r, jetzt);
    }
    bool verbunden() const { return hin_.von >= 0; }
    // The stall starts now (a setting with a stall minute).
    void Stauen(int64_t jetzt) { stau_beginn_ = jetzt; }
    // While held, a begun stall goes on past its time.
    void Stau_Halten(bool halten) { stau_halten_ = halten; }
    bool zu() const { return hin_.zu && zurueck_.zu; }
    uint16_t port = 0;

private:
    void bewegen(Richtung& r, int64_t jetzt) {
        const bool rahmen = e_.nur_minutenantworten && &r == &zurueck_;
        uint8_t b[65536];
        while (!r.zu) {
            const ssize_t n = recv(r.von, b, sizeof b, 0);
            if (n == 0) {
                r.zu = true;
                break;
            }
            if (n < 0) break;
            int64_t d = e_.verzoegerung_ms;
            if (e_.jitter_ms) d += std::uniform_int_distribution<int32_t>(-e_.jitter_ms, e_.jitter_ms)(zufall_);
            r.letzte = std::max(r.letzte, jetzt + std::max<int64_t>(0, d));
            if (!rahmen) {
                r.warte.push_back({r.letzte, std::vector<uint8_t>(b, b + n)});
                continue;
            }
            // Whole frames: a 16-byte header (magic, type, length, sequence) and the payload.
            r.roh.insert(r.roh.end(), b, b + n);
            for (;;) {
                uint32_t kopf[4];
                if (r.roh.size() < sizeof kopf) break;
                std::memcpy(kopf, r.roh.data(), sizeof kopf);
                const size_t ganz = sizeof kopf + kopf[2];
                if (r.roh.size() < ganz) break;
                r.warte.push_back({r.letzte, std::vector<uint8_t>(r.roh.begin(), r.roh.begin() + long(ganz)), kopf[1]});
                r.roh.erase(r.roh.begin(), r.roh.begin() + long(ganz));
            }
        }
        const int64_t ab = e_.stau_minute >= 0 ? stau_beginn_ : start_ + e_.stau_ab_ms;
        // Holding only the minute answers, the client's bytes always go on.
        const bool stau = e_.stau_ms && ab >= 0 && jetzt >= ab && (jetzt < ab + e_.stau_ms || stau_halten_) &&
                          (!e_.nur_minutenantworten || rahmen);
        if (!stau)
            while (!r.gehalten.empty()) {
                r.warte.push_front(std::move(r.gehalten.back()));
                r.gehalten.pop_back();
            }
        while (!r.warte.empty() && r.warte.front().zeit <= jetzt) {
            Stueck& v = r.warte.front();
            if (stau && !e_.nur_minutenantworten) break;
            if (stau && v.typ == 251 && !v.angefangen) {
                r.gehalten.push_back(std::move(v));
                r.warte.pop_front();
                continue;
            }
            const size_t menge = e_.einzeln ? 1 : v.bytes.size();
            const ssize_t n = send(r.nach, v.bytes.data(), menge, MSG_NOSIGNAL);
            if (n <= 0) break;
            v.angefangen = true;
            v.bytes.erase(v.bytes.begin(), v.bytes.begin() + n);
            if (v.bytes.empty()) r.warte.pop_front();
        }
        if (r.zu && r.warte.empty() && r.gehalten.empty()) shutdown(r.nach, SHUT_WR);
    }
    Einstellung e_;
    std::mt19937 zufall_;
    int lausch_ = -1;
    Richtung hin_, zurueck_;
    int64_t start_ = 0;
    int64_t stau_beginn_ = -1;
    bool stau_halten_ = false;
};

inline std::vector<int32_t> Zahlen(const std::string& text, const std::regex& muster) {
    std::vector<int32_t> v;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), muster); it != std::sregex_iterator(); ++it)
        v.push_back(std::stoi((*it)[1].str()));
    return v;
}

// The server's port once it listens, 0 when it does not within `grenze_s`.
inline uint16_t Server_Port(Prozess& server, int32_t grenze_s) {
    const auto start = Uhr::now();
    std::smatch m;
    while (Uhr::now() - start < std::chrono::seconds(grenze_s) && !server.fertig) {
        server.lesen();
        if (std::regex_search(server.text, m, std::regex(R"(listening on 127\.0\.0\.1:(\d+))")))
            return uint16_t(std::stoi(m[1].str()));
        usleep(2000);
    }
    return 0;
}

// One match of club `team` played by a server and a client through a relay
// set up as `e`: both outputs, both exit states and the wall time.
struct Netmatch_Ergebnis {
    bool fertig = false;           // both ended within the limit
    std::string server, client;
    int server_status = -1, client_status = -1;
    double sekunden = 0;
};
inline Netmatch_Ergebnis Netmatch_Spielen(const char* programm, const Einstellung& e, const std::string& team,
                                          int32_t grenze_s, const std::vector<std::string>& client_mehr = {}) {
    Netmatch_Ergebnis r;
    const std::string grenze = std::to_string(grenze_s);
    Prozess server({programm, "--server", "0", "--team", team, "--timeout", grenze});
    const auto start = Uhr::now();
    const uint16_t server_port = Server_Port(server, grenze_s);
    if (!server_port) {
        r.server = server.text;
        return r;
    }
    Relay relay(e);
    std::vector<std::string> client_args = {programm, "--client", "127.0.0.1:" + std::to_string(relay.port),
                                            "--team", team, "--timeout", grenze};
    client_args.insert(client_args.end(), client_mehr.begin(), client_mehr.end());
    Prozess client(client_args);
    bool gestaut = false;
    Uhr::time_point stau_beginn{};
    size_t text_beim_stau = 0;
    while (Uhr::now() - start < std::chrono::seconds(grenze_s + 10) && !(server.fertig && client.fertig)) {
        relay.pass(server_port, Ms(Uhr::now()));
        server.lesen();
        client.lesen();
        if (gestaut && e.stau_wiederholungen > 0) {
            // The client's re-sends since the stall began (those after a fetched record start afresh).
            int32_t n = 0;
            const std::string zeile = " ms after the packet before\n";
            for (size_t a = client.text.find(zeile, text_beim_stau); a != std::string::npos;
                 a = client.text.find(zeile, a + 1))
                ++n;
            relay.Stau_Halten(n < e.stau_wiederholungen && Uhr::now() - stau_beginn < std::chrono::seconds(60));
        }
        // The client's line of the stall minute (or of one of the next, when
        // it passed a minute within one pass).
        for (int32_t k = e.stau_minute; e.stau_minute >= 0 && !gestaut && k < e.stau_minute + 3; ++k) {
            char zeile[32];
            std::snprintf(zeile, sizeof zeile, "minute %3d ", k);
            if (client.text.find(zeile) == std::string::npos) continue;
            relay.Stauen(Ms(Uhr::now()));
            relay.Stau_Halten(e.stau_wiederholungen > 0);
            stau_beginn = Uhr::now();
            text_beim_stau = client.text.size();
            gestaut = true;
        }
        pollfd p[2] = {{server.aus, POLLIN, 0}, {client.aus, POLLIN, 0}};
        poll(p, 2, 1);
    }
    r.fertig = server.fertig && client.fertig;
    r.server = server.text;
    r.client = client.text;
    r.server_status = server.status;
    r.client_status = client.status;
    r.sekunden = std::chrono::duration<double>(Uhr::now() - start).count();
    return r;
}

}  // namespace velmora::test
