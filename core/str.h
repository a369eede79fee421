// core/str.h - temporary strings and small text parsers.
#pragma once
#include <cstdarg>
#include <cstddef>
#include <cstdint>

namespace velmora {

constexpr int STR_TEMP_ANZAHL = 100;    // buffers in the ring
constexpr int STR_TEMP_GROESSE = 800;   // bytes per buffer, the zero included

// The next of 100 rotating 800-byte buffers. A text stays valid until 100 more
// buffers have been taken, so callers copy what they keep.
char* Str_Temp();
// printf-style text in the next temporary buffer, cut at 799 characters.
char* Str_Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

// printf-style text into `out` of `groesse` bytes, cut to fit; a null format gives "".
void Str_VFormat(char* out, size_t groesse, const char* format, va_list args);

// A dotted quad of four decimal numbers 0-255 ("192.168.0.7"). True and the
// four octets written when the text is one; otherwise false and `out` untouched.
bool IP_Parsen(const char* text, uint32_t out[4]);

// A comma-separated list of integers ("3, 7,-2") into `out`; returns how many
// were written (at most `max`). Stops at the first item that is not a number.
int32_t Zahlenliste_Lesen(const char* text, int32_t* out, int32_t max);

}  // namespace velmora
