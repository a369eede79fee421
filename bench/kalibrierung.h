// bench/kalibrierung.h - the calibration run a speed figure is given against:
// gzip -6 of 64 MB of base64 text, best of three, in CPU seconds (user and
// system) of the gzip process. A figure divided by it says how fast the code
// is apart from the machine it ran on.
#pragma once

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

namespace velmora::bench {

// 64 MB of base64 text from a fixed xorshift stream, written once per run.
inline std::string Kalibrierung_Text() {
    static std::string pfad;
    if (!pfad.empty()) return pfad;
    std::string p = (std::filesystem::temp_directory_path() / ("velmora_kalibrierung_" + std::to_string(getpid()))).string();
    std::FILE* f = std::fopen(p.c_str(), "wb");
    if (!f) return {};
    static const char ZEICHEN[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    uint64_t x = 0x9E3779B97F4A7C15ull;
    std::string zeile(77, '\n');
    for (size_t geschrieben = 0; geschrieben < (size_t(64) << 20); geschrieben += zeile.size()) {
        for (size_t i = 0; i < 76; i += 4) {
            x ^= x << 13;
            x ^= x >> 7;
            x ^= x << 17;
            for (size_t k = 0; k < 4; ++k) zeile[i + k] = ZEICHEN[(x >> (6 * k)) & 63];
        }
        std::fwrite(zeile.data(), 1, zeile.size(), f);
    }
    std::fclose(f);
    pfad = p;
    return pfad;
}

// The CPU seconds of one `gzip -6` of the text, or a negative value when gzip did not run.
inline double Kalibrierung_Einmal(const std::string& text) {
    const pid_t kind = fork();
    if (kind == 0) {
        std::freopen("/dev/null", "w", stdout);
        execlp("gzip", "gzip", "-6", "-c", text.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    if (kind < 0) return -1;
    int status = 0;
    rusage r{};
    if (wait4(kind, &status, 0, &r) != kind || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return -1;
    return double(r.ru_utime.tv_sec + r.ru_stime.tv_sec) + 1e-6 * double(r.ru_utime.tv_usec + r.ru_stime.tv_usec);
}

// Best of three, worked out once per run; negative when gzip is missing.
inline double Kalibrierung_Sekunden() {
    static double beste = 0;
    if (beste != 0) return beste;
    const std::string text = Kalibrierung_Text();
    beste = -1;
    if (text.empty()) return beste;
    for (int i = 0; i < 3; ++i) {
        const double t = Kalibrierung_Einmal(text);
        if (t > 0) beste = beste < 0 ? t : std::min(beste, t);
    }
    std::filesystem::remove(text);
    return beste;
}

}  // namespace velmora::bench
