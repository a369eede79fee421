#include "core/str.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using namespace velmora;

TEST(StrFormat, RingOf100Buffers) {
    char* erster = Str_Format("%d", 0);
    char* vorher = erster;
    for (int i = 1; i < STR_TEMP_ANZAHL; ++i) {
        char* p = Str_Format("%d", i);
        EXPECT_NE(p, vorher);
        vorher = p;
    }
    EXPECT_STREQ(erster, "0");                 // still intact after 99 more
    EXPECT_EQ(Str_Format("%s", "x"), erster);  // the 101st reuses the first
    EXPECT_STREQ(erster, "x");
}

TEST(StrFormat, OutputCutAt799Characters) {
    std::string lang(2000, 'a');
    char* p = Str_Format("%s", lang.c_str());
    EXPECT_EQ(std::strlen(p), 799u);
    EXPECT_STREQ(Str_Format("%s-%03d", "Tor", 7), "Tor-007");
}

TEST(StrFormat, PercentInsideAnArgumentIsNotReadAgain) {
    EXPECT_STREQ(Str_Format("%s", "100%s %d"), "100%s %d");
}

TEST(IPParsen, AcceptsDottedQuadsOnly) {
    struct Fall {
        const char* text;
        bool ok;
        uint32_t a, b, c, d;
    };
    const Fall faelle[] = {
        {"192.168.0.7", true, 192, 168, 0, 7}, {"0.0.0.0", true, 0, 0, 0, 0},
        {"255.255.255.255", true, 255, 255, 255, 255}, {"1.2.3", false, 0, 0, 0, 0},
        {"1.2.3.300", false, 0, 0, 0, 0}, {"1.2.3.4.5", false, 0, 0, 0, 0},
        {"1..3.4", false, 0, 0, 0, 0}, {"a.b.c.d", false, 0, 0, 0, 0},
        {"1.2.3.4 ", false, 0, 0, 0, 0}, {"", false, 0, 0, 0, 0},
        {"0001.2.3.4", false, 0, 0, 0, 0},
    };
    for (const Fall& f : faelle) {
        uint32_t out[4] = {9, 9, 9, 9};
        EXPECT_EQ(IP_Parsen(f.text, out), f.ok) << f.text;
        if (f.ok) {
            EXPECT_EQ(out[0], f.a);
            EXPECT_EQ(out[1], f.b);
            EXPECT_EQ(out[2], f.c);
            EXPECT_EQ(out[3], f.d);
        } else {
            for (uint32_t o : out) EXPECT_EQ(o, 9u) << f.text;   // output untouched
        }
    }
}

TEST(Zahlenliste, ReadsCommaSeparatedIntegersUpToTheMaximum) {
    int32_t out[4] = {};
    EXPECT_EQ(Zahlenliste_Lesen("3, 7,-2", out, 4), 3);
    EXPECT_EQ(out[0], 3);
    EXPECT_EQ(out[1], 7);
    EXPECT_EQ(out[2], -2);
    EXPECT_EQ(Zahlenliste_Lesen("1,2,3,4,5,6", out, 4), 4);
    EXPECT_EQ(out[3], 4);
    EXPECT_EQ(Zahlenliste_Lesen("", out, 4), 0);
    EXPECT_EQ(Zahlenliste_Lesen("5,x,6", out, 4), 1);
}
