// core/hooks.cpp - the one table of upward calls.
#include "core/hooks.h"

namespace velmora {

CoreHooks& Core_Hooks() {
    static CoreHooks hooks;
    return hooks;
}

}  // namespace velmora
