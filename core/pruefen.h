// core/pruefen.h - the check of what cannot happen inside the engine and the
// stores: a broken invariant of the program itself, never bad input.
//
// PRUEFEN(bedingung, format, ...) is the condition's truth. When it is false
// the message goes to the debug log like any guard's; in the sanitizer build
// (VELMORA_PRUEFUNGEN_ABBRECHEN, set by VELMORA_SANITIZE) the program then
// aborts with the file and line, so that a test that reaches it fails. Every
// other build goes on, and the guard around it returns its neutral value:
//
//   if (!PRUEFEN(slot >= 0 && slot < SF_SPIELER, "Falscher Statistik-Spieler\n")) return;
//
// Checks of files, of the wire and of what a user typed expect to fail now
// and then and keep their plain guards.
#pragma once
#include <cstdint>

namespace velmora {

// Logs the message (formatted as by Debug_Printf); aborts in the sanitizer build.
void Pruefung_Verletzt(const char* datei, int32_t zeile, const char* format, ...)
    __attribute__((format(printf, 3, 4)));

// True when a broken check aborts (the sanitizer build).
constexpr bool PRUEFUNG_BRICHT_AB =
#ifdef VELMORA_PRUEFUNGEN_ABBRECHEN
    true;
#else
    false;
#endif

}  // namespace velmora

#define PRUEFEN(bedingung, ...) \
    (__builtin_expect(!!(bedingung), 1) || (::velmora::Pruefung_Verletzt(__FILE__, __LINE__, __VA_ARGS__), false))
