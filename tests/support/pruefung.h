// tests/support/pruefung.h - a statement that breaks a check of core/pruefen.h:
// the sanitizer build must die on it with the check's message; every other
// build goes on (the test then looks at what the guard left).
#pragma once
#include <gtest/gtest.h>

#include "core/pruefen.h"

#define EXPECT_PRUEFUNG_VERLETZT(anweisung, meldung)   \
    do {                                               \
        if (::velmora::PRUEFUNG_BRICHT_AB) {           \
            EXPECT_DEATH(anweisung, meldung);          \
        } else {                                       \
            anweisung;                                 \
        }                                              \
    } while (0)
