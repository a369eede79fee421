// jpeg/jpeg_enc_state.cpp
#include "jpeg/jpeg_enc_state.h"

#include <new>

namespace velmora {

JPEG_ENCODER* jpeg_encoder_state(JPEG_PROPERTIES* p) {
    if (!p) return nullptr;
    if (!p->encoder) p->encoder = new (std::nothrow) JPEG_ENCODER();
    return p->encoder;
}

void jpeg_encoder_free(JPEG_PROPERTIES* p) {
    if (!p) return;
    delete p->encoder;
    p->encoder = nullptr;
}

}  // namespace velmora
