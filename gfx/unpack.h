// gfx/unpack.h - the backward byte unpacker of the packer's method 31.
//
// The packed data is read from its last byte towards its first and the output
// written from its end towards its start, so that packed bytes may lie at the
// end of the very buffer they are unpacked into. Codes (c = control byte):
//   0x80...0xFE  literal run of (c & 0x7F) + 1 bytes
//   0x00...0x7F  short match: b = next byte, offset 4 b + (c >> 5), length (c & 0x1F) + 2
//   0xFF         long match: c1, b, l1, l2; offset 4 b + (c1 >> 5), length (c1 & 0x1F) + 2 + l1 + 256 l2
// A match copies, byte by byte and downwards, the bytes offset + length above
// the output position (already written), so it may overlap what it produces.
#pragma once
#include <cstddef>
#include <cstdint>

namespace velmora {

// Unpacks `packed_size` bytes of `input` into the `unpacked_size` bytes of
// `output`, after copying the last `tail` input bytes unchanged to the end of
// the output. Every read and every back reference is checked against the two
// buffers: 1 when the data decoded within them, 0 when it stopped at damage.
int32_t Bytes_Unpack_Backward(uint32_t tail, uint32_t unpacked_size, uint32_t packed_size, const uint8_t* input,
                              uint8_t* output);

// The block as the packer hands it over: u32 tail count, u32 unpacked size,
// u32 packed size, then the packed bytes. The unpacked size must fit `output`.
int32_t Bytes_Unpack_Block(const uint8_t* block, size_t block_size, uint8_t* output, size_t output_size);

}  // namespace velmora
