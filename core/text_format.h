// core/text_format.h - texts read from files with values filled in.
//
// Screen texts, event texts and messages come from configuration files and may
// hold conversions ("Spielstand %d", "%s zahlt %s"). Such a text is never
// handed to printf, where a stray "%n" or "%s" would read or write memory the
// caller never passed: Text_Format fills it from typed arguments instead.
//
//   %d %i %u %x %X   a number            %f %F %e %E %g %G   a decimal number
//   %s               a text              %c                  one character
//   %%               a percent sign      %n                  nothing, takes no argument
//
// Each conversion takes the next argument in order. Flags ("-+ #0"), width and
// precision work as printf's; a width or precision above TEXT_FORMAT_BREITE_MAX
// is dropped, so no text can blow one conversion up. Length modifiers (h, l, ...)
// are skipped. The argument's own type decides how it prints: a text under %d
// prints as the text, a number under %s as its digits, a whole number under %f
// as that decimal number and a decimal number under %d rounded. A conversion
// beyond the arguments prints nothing; an unknown one or a "%" at the end
// stays as written.
#pragma once
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <type_traits>

namespace velmora {

constexpr int32_t TEXT_FORMAT_BREITE_MAX = 64;

// One typed argument. A null text fills in as an empty text.
struct TextArg {
    enum class Art : uint8_t { Zahl, Komma, Text };
    Art art = Art::Zahl;
    int64_t zahl = 0;
    double komma = 0;
    const char* text = nullptr;

    template <typename T, std::enable_if_t<std::is_integral_v<T>, int> = 0>
    TextArg(T z) : art(Art::Zahl), zahl(static_cast<int64_t>(z)) {}
    TextArg(double d) : art(Art::Komma), komma(d) {}
    TextArg(const char* t) : art(Art::Text), text(t ? t : "") {}
};

std::string Text_Format(const char* format, const TextArg* args, size_t anzahl);
std::string Text_Format(const char* format, std::initializer_list<TextArg> args);

}  // namespace velmora
