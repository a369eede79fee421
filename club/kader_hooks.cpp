// club/kader_hooks.cpp - the table of calls from line-ups and transfers upwards.
#include "club/kader_hooks.h"

namespace velmora {

KaderHooks& Kader_Hooks() {
    static KaderHooks hooks;
    return hooks;
}

}  // namespace velmora
