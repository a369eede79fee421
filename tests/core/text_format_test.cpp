// Texts from files filled from typed arguments: every conversion from a table,
// hostile texts that printf would have read past its arguments with, bounded
// widths, and the typed arguments' own rules.
#include <gtest/gtest.h>

#include <string>

#include "core/text_format.h"

namespace velmora {
namespace {

TEST(TextFormat, ConversionsAreFilledInOrderFromTypedArguments) {
    const TextArg args[] = {TextArg("Meier"), TextArg(7), TextArg(2.5)};
    const struct {
        const char* format;
        size_t anzahl;
        const char* erwartet;
    } faelle[] = {
        {"%s spielt %d", 2, "Meier spielt 7"},
        {"%s: %d Tore, Note %f", 3, "Meier: 7 Tore, Note 2.500000"},
        {"Note %.1f", 3, "Note Meier"},              // the first argument is the text
        {"%d und %s", 2, "Meier und 7"},             // a text under %d, a number under %s
        {"%i|%u|%x|%X|%c", 2, "Meier|7|||"},         // beyond the arguments: nothing
        {"%s %s %s %s", 3, "Meier 7 2.5 "},          // a decimal number under %s
        {"%s %s %d", 3, "Meier 7 3"},                // ... under %d rounded
        {"100%% %s", 1, "100% Meier"},
        {"%5s|%-3d|%03d", 2, "Meier|7  |"},
        {"%-7s|%+d", 2, "Meier  |+7"},
        {"ohne", 0, "ohne"},
        {"%ld und %hhd", 2, "Meier und 7"},          // length modifiers skipped
        {"%y%s", 2, "%yMeier"},                      // an unknown conversion stays
        {"", 2, ""},
    };
    for (const auto& f : faelle) EXPECT_EQ(Text_Format(f.format, args, f.anzahl), f.erwartet) << f.format;
}

TEST(TextFormat, HostileTextsNeverReachMemoryOrGrowUnbounded) {
    const TextArg args[] = {TextArg(42), TextArg("Text")};
    const struct {
        const char* format;
        size_t anzahl;
        const char* erwartet;
    } faelle[] = {
        {"%n%n%n", 2, ""},                           // %n writes nothing and takes nothing
        {"a%nb%d", 2, "ab42"},
        {"%999999d", 2, "42"},                       // a width past the bound is dropped
        {"%999999999999999999999d|", 2, "42|"},      // ... even one past any integer
        {"%.999999s", 2, "42"},
        {"%65d", 1, "42"},
        {"%s", 0, ""},                               // no argument: nothing
        {"%s%s%s%s%s", 2, "42Text"},
        {"Rest %", 2, "Rest %"},                     // a trailing "%" stays
        {"Rest %-08", 2, "Rest %-08"},
        {"%c", 1, "*"},
        {"%x", 2, "2a"},
    };
    for (const auto& f : faelle) {
        TextArg a[] = {args[0], args[1]};
        if (std::string(f.format) == "%c") a[0] = TextArg('*');
        EXPECT_EQ(Text_Format(f.format, a, f.anzahl), f.erwartet) << f.format;
    }
    EXPECT_EQ(Text_Format("%64d", {1}).size(), 64u);
    EXPECT_EQ(Text_Format(nullptr, {1}), "");
    EXPECT_EQ(Text_Format("%s", nullptr, 3), "");
}

TEST(TextFormat, TypedArgumentsKeepTheirValues) {
    const char* kein_text = nullptr;
    EXPECT_EQ(Text_Format("[%s]", {kein_text}), "[]");
    EXPECT_EQ(Text_Format("%u", {uint32_t(4294967295u)}), "4294967295");
    EXPECT_EQ(Text_Format("%d", {int64_t(-20000000001)}), "-20000000001");
    EXPECT_EQ(Text_Format("%d", {-2.5}), "-3");
    EXPECT_EQ(Text_Format("%d", {1e300}), "9223372036854775807");
    EXPECT_EQ(Text_Format("%.2f", {3}), "3.00");
    EXPECT_EQ(Text_Format("%c", {0}), "");              // no character ends the text early
    EXPECT_EQ(Text_Format("%c|", {300}), "|");
    EXPECT_EQ(Text_Format("%.64f", {1e300}).size(), 301u + 1u + 64u);
}

}  // namespace
}  // namespace velmora
