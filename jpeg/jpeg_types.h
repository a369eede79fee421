// jpeg/jpeg_types.h - the JPEG codec's records: the caller's parameter record,
// the codec state inside it, the stream, frame, scan and table records, the
// environment with its 63-slot kernel table, and the result and colour codes.
//
// These records live in memory only (the caller's stack, the codec's heap); none
// of them is written to a file, so they keep native pointers. The tables whose
// size the codec relies on are packed and checked.
#pragma once
#include <cstddef>
#include <cstdint>

namespace velmora {

// JPEG_RESULT: every entry returns one of these (see jpeg_error_text).
enum JPEG_RESULT_CODE : int32_t {
    JPEG_ROI_SUCCESS = 2,
    JPEG_INTERRUPT_SUCCESS = 1,
    JPEG_SUCCESS = 0,
    JPEG_ERR_EXCEPTION = -1,
    JPEG_ERR_INVALID_ENCODER = -2,
    JPEG_ERR_SUBSAMPLING = -3,
    JPEG_ERR_BYTES_PER_PIXEL = -4,
    JPEG_ERR_MEMORY = -5,
    JPEG_ERR_BAD_HUFFMAN = -6,
    JPEG_ERR_BAD_QUANT = -7,
    JPEG_ERR_PARAMS = -8,
    JPEG_ERR_CLOSE_FILE = -9,
    JPEG_ERR_FILE_NAME = -10,
    JPEG_ERR_EOF = -11,
    JPEG_ERR_NOT_SUPPORTED = -12,
    JPEG_ERR_NOT_JPEG = -13,
    JPEG_ERR_COMP = -14,
    JPEG_ERR_SOF = -15,
    JPEG_ERR_DNL = -16,
    JPEG_ERR_NO_HUFFMAN = -17,
    JPEG_ERR_NO_QUANT = -18,
    JPEG_ERR_NO_FRAME = -19,
    JPEG_ERR_MULTIPLE_FRAMES = -20,
    JPEG_ERR_DATA = -21,
    JPEG_ERR_NO_IMAGE = -22,
    JPEG_ERR_FILE = -23,
    JPEG_ERR_INTERNAL = -24,
    JPEG_ERR_BAD_RST = -25,
    JPEG_ERR_THUMB_SMALL = -26,
    JPEG_ERR_THUMB_COLOR = -27,
    JPEG_ERR_OUTPUT_SMALL = -28,
    JPEG_ERR_UNSUPPORTED_FRAME = -29,
    JPEG_ERR_COMMENT = -30,
    JPEG_ERR_FRAME_TOO_LARGE = -31,
    JPEG_ERR_RESERVED = -99,
};
using JPEG_RESULT = int32_t;

// JPEG_OPERATION: even codes work on the file named by stream_file, odd codes on
// the memory block stream_data/stream_size.
enum JPEG_OPERATION : int32_t {
    JPEG_OP_PARAMS_FILE = 0, JPEG_OP_PARAMS_MEM = 1,
    JPEG_OP_IMAGE_FILE = 2, JPEG_OP_IMAGE_MEM = 3,
    JPEG_OP_TABLES_FILE = 4, JPEG_OP_TABLES_MEM = 5,
    JPEG_OP_DATA_FILE = 6, JPEG_OP_DATA_MEM = 7,
    JPEG_OP_WRITE_IMAGE_FILE = 8, JPEG_OP_WRITE_IMAGE_MEM = 9,
    JPEG_OP_WRITE_TABLES_FILE = 10, JPEG_OP_WRITE_TABLES_MEM = 11,
    JPEG_OP_WRITE_DATA_FILE = 12, JPEG_OP_WRITE_DATA_MEM = 13,
    JPEG_OP_HALF_FILE = 14, JPEG_OP_HALF_MEM = 15,
    JPEG_OP_QUARTER_FILE = 16, JPEG_OP_QUARTER_MEM = 17,
    JPEG_OP_EIGHTH_FILE = 18, JPEG_OP_EIGHTH_MEM = 19,
    JPEG_OP_THUMB_FILE = 20, JPEG_OP_THUMB_MEM = 21,
};

// JPEG_COLOR of the image side and of the coded stream.
enum JPEG_COLOR : int32_t {
    JPEG_COLOR_RGB = 1, JPEG_COLOR_BGR = 2, JPEG_COLOR_YCBCR = 3, JPEG_COLOR_GRAY = 4,
    JPEG_COLOR_RGBA = 5, JPEG_COLOR_YCBCRA = 6, JPEG_COLOR_OTHER = 255,
};

// JPEG_SAMPLING: the sampling factors of the components (horizontal x vertical).
enum JPEG_SAMPLING : int32_t {
    JPEG_SAMPLING_444 = 0,    // every component 1x1
    JPEG_SAMPLING_420 = 1,    // three components, first 2x2
    JPEG_SAMPLING_422 = 2,    // three components, first 2x1
    JPEG_SAMPLING_4_420 = 3,  // four components, first and fourth 2x2
    JPEG_SAMPLING_4_422 = 4,  // four components, first and fourth 2x1
    JPEG_SAMPLING_OTHER = 255,
};

// JPEG_CPU_CLASS: which kernels fill the kernel table.
enum JPEG_CPU_CLASS : int32_t {
    JPEG_CPU_GENERIC = 0, JPEG_CPU_P5 = 1, JPEG_CPU_P6 = 2, JPEG_CPU_P5_MMX = 3,
    JPEG_CPU_P6_MMX = 4, JPEG_CPU_P6_SSE = 5, JPEG_CPU_P15_SSE2 = 6,
};

struct JPEG_PROPERTIES;
struct JPEG_SCAN;
struct JPEG_STREAM;
struct JPEG_ENVIRONMENT;
struct JPEG_ENCODER;

#pragma pack(push, 1)
// The decoder's Huffman table (1,648 bytes), built by jpeg_build_huffman_table.
struct JPEG_HUFF_DECODE_TABLE {
    uint32_t table_class;        // 0 DC, 1 AC
    uint32_t id;
    uint32_t lookahead[256];     // (code length << 16) | symbol for codes of up to 8 bits, else 0
    uint16_t symbols[256];       // in code order
    uint16_t mincode[17];        // index = code length
    uint16_t maxcode[18];        // 0xFFFF where no code has that length; entry 17 always 0xFFFF
    uint16_t valptr[17];         // index into symbols of the first code of each length
};
#pragma pack(pop)
static_assert(sizeof(JPEG_HUFF_DECODE_TABLE) == 1648);
static_assert(offsetof(JPEG_HUFF_DECODE_TABLE, symbols) == 1032);

// Combined lookups of the Huffman tables of the scan being decoded, made beside
// the packed tables by jpeg_huff_fast_arm (jpeg/jpeg_huff_fast.h): entry p says
// what the block decoders of classes 4 to 6 make of the next JPEG_HUFF_FAST_BITS
// bits p, symbol and, where it fits, the value bits after it.
constexpr int32_t JPEG_HUFF_FAST_BITS = 10;
struct JPEG_HUFF_FAST_TABLE {
    const JPEG_HUFF_DECODE_TABLE* source;   // the table it was made from, null = unused
    uint32_t entry[1u << JPEG_HUFF_FAST_BITS];
};
struct JPEG_HUFF_FAST {
    uint32_t armed;                         // nonzero while a scan decoder uses them
    const JPEG_SCAN* built_for;             // the current scan they were made for, null = none
    JPEG_HUFF_FAST_TABLE dc[4], ac[4];
    // Per AC table: the symbol of ac[i]'s entry and, where the pattern holds a
    // second value-carrying symbol after it, that one too (jpeg_huff_fast_pairs).
    uint32_t ac_pairs[4][1u << JPEG_HUFF_FAST_BITS];
};

// The encoder's Huffman table; the encoder is not built yet, only the kernel type needs it.
struct JPEG_HUFF_ENCODE_TABLE {
    uint32_t reserved[2];
    uint32_t length[256];
    uint16_t code[256];
};

// One quantisation table: 64 values (zig-zag order as read, natural order once
// prepared) and 16 cleared entries after them.
struct alignas(8) JPEG_QUANT_TABLE {
    uint32_t precision;
    uint32_t id;
    uint16_t values[80];
};

struct JPEG_COMPONENT {          // one frame component (16 bytes)
    uint32_t id;
    uint32_t h;
    uint32_t v;
    uint32_t tq;
};
static_assert(sizeof(JPEG_COMPONENT) == 16);

struct JPEG_FRAME {
    uint32_t precision;
    uint32_t height;
    uint32_t width;
    uint32_t ncomps;
    uint32_t mcus_per_row;
    uint32_t mcu_count;
    JPEG_COMPONENT* components;  // room for four
    uint32_t hmax;
    uint32_t vmax;
    uint32_t mcu_width;          // pixels
    uint32_t mcu_height;
    uint32_t mcu_rows;
};

struct JPEG_SCAN_COMPONENT {
    uint32_t index;              // frame component
    uint32_t h;
    uint32_t v;
    const JPEG_HUFF_DECODE_TABLE* dc;
    const JPEG_HUFF_DECODE_TABLE* ac;
    const JPEG_QUANT_TABLE* quant;
};

struct JPEG_SCAN {
    uint32_t ns;
    uint32_t reserved;
    uint32_t ss, se, ah, al;
    uint32_t restart_interval;
    uint32_t resume_col;
    uint32_t resume_row;
    uint32_t position[4];
    int16_t pred[4];             // DC predictors, one per scan component
    JPEG_SCAN_COMPONENT* components;
};

// The stream reader record: a 64-bit right-aligned bit buffer over a memory
// block or a file read through a 4096-byte buffer.
struct JPEG_STREAM {
    uint64_t bits;
    JPEG_ENVIRONMENT* environment;
    int32_t bit_count;
    const uint8_t* current;
    const uint8_t* start;
    const uint8_t* end;
    uint32_t consumed;
    uint32_t size;
    int32_t left;                // valid bytes from current on
    uint32_t eob_run;            // end-of-band run of progressive AC scans
    uint8_t marker;              // marker held back by the entropy decoder, 0 none
    uint32_t components_done;    // components of sequential scans decoded in this read
    uint32_t components_seen;    // bit i: frame component i had a sequential scan
    int32_t file;                // -1 for a memory stream
    // Damage met while decoding: a block decoder that needed bits past the held
    // marker or the data's end sets starved, one that met a code no table holds
    // (or a run past the block's end) sets bad_code. data_end: the bytes ran out;
    // the entropy decoders then hold a stand-in end marker. fault: the first
    // fault of this read, reported once the picture is out.
    uint8_t starved;
    uint8_t bad_code;
    uint8_t data_end;
    // Set by the block decoders of classes 4 to 6 when the block just decoded
    // ended at its first AC symbol (it holds its DC value alone); the scan
    // clears it before each block.
    uint8_t no_ac;
    JPEG_RESULT fault;
    uint8_t buffer[4096];
};

// Kernel routine types, one per slot family.
using JpegExitFn = void (*)();
using JpegBlockFn = void (*)(int16_t* block);
using JpegQuantFn = void (*)(int16_t* block, const uint16_t* table);
using JpegOpenOutputFn = void (*)(JPEG_STREAM* stream, uint8_t* block, uint32_t size);
using JpegPutBytesFn = JPEG_RESULT (*)(const uint8_t* bytes, uint32_t n, JPEG_STREAM* stream);
using JpegMcuFn = void (*)(JPEG_PROPERTIES* props, uint32_t col, uint32_t row);
using JpegEncConvertFn = void (*)(const uint8_t* src, int32_t step, int16_t* y, int16_t* cb,
                                  int16_t* cr, int16_t* fourth);
using JpegGrayFn = void (*)(const int16_t* y, uint8_t* out, int32_t pitch);
using JpegYccFn = void (*)(const int16_t* y, const int16_t* cb, const int16_t* cr, uint8_t* out,
                           int32_t pitch);
using JpegYccaFn = void (*)(const int16_t* y, const int16_t* cb, const int16_t* cr,
                            const int16_t* fourth, uint8_t* out, int32_t pitch);
using JpegHuffEncodeFn = JPEG_RESULT (*)(JPEG_STREAM* stream, const JPEG_HUFF_ENCODE_TABLE* dc,
                                         const JPEG_HUFF_ENCODE_TABLE* ac, int16_t* pred,
                                         int16_t* block);
using JpegHuffDecodeFn = JPEG_RESULT (*)(JPEG_STREAM* stream, const JPEG_HUFF_DECODE_TABLE* dc,
                                         const JPEG_HUFF_DECODE_TABLE* ac, int16_t* pred,
                                         int16_t* block);

// The 63 kernel slots, slot 0 first. Slots marked "in use" are copied at run time.
struct JPEG_KERNELS {
    JpegExitFn simd_exit;              // 0
    JpegBlockFn fdct_fast;             // 1
    JpegBlockFn fdct_accurate;         // 2
    JpegBlockFn idct_fast;             // 3  8x8, family 0
    JpegBlockFn idct_fast_4x4;         // 4
    JpegBlockFn idct_fast_2x2;         // 5
    JpegBlockFn idct_fast_1x1;         // 6
    JpegBlockFn idct_accurate;         // 7  8x8, family 1
    JpegBlockFn idct_accurate_4x4;     // 8
    JpegBlockFn idct_accurate_2x2;     // 9
    JpegBlockFn idct_accurate_1x1;     // 10
    JpegBlockFn fdct_in_use;           // 11
    JpegBlockFn idct_in_use[4];        // 12-15: full, 1/2, 1/4, 1/8
    JpegOpenOutputFn open_output;      // 16
    JpegPutBytesFn put_bytes;          // 17
    JpegMcuFn enc_mcu_fetch;           // 18
    JpegEncConvertFn enc_convert[15];  // 19-33
    JpegMcuFn mcu_output;              // 34
    JpegGrayFn cc_gray;                // 35
    JpegYccFn cc_ycc_rgb;              // 36
    JpegYccFn cc_ycc_rgb_h2v1;         // 37
    JpegYccFn cc_ycc_rgb_h2v2;         // 38
    JpegYccFn cc_ycc_bgr;              // 39
    JpegYccFn cc_ycc_bgr_h2v1;         // 40
    JpegYccFn cc_ycc_bgr_h2v2;         // 41
    JpegYccFn cc_ycc_rgba;             // 42
    JpegYccFn cc_ycc_rgba_h2v1;        // 43
    JpegYccFn cc_ycc_rgba_h2v2;        // 44
    JpegYccFn cc_copy3;                // 45
    JpegYccFn cc_copy3_h2v1;           // 46
    JpegYccFn cc_copy3_h2v2;           // 47
    JpegYccFn cc_copy3_rgba;           // 48
    JpegYccFn cc_ycc422;               // 49
    JpegYccaFn cc_ycca_rgba;           // 50
    JpegYccaFn cc_ycca_rgba_h2v1;      // 51
    JpegYccaFn cc_ycca_rgba_h2v2;      // 52
    JpegYccaFn cc_copy4;               // 53
    JpegHuffEncodeFn huff_encode_block;  // 54
    JpegHuffDecodeFn huff_decode_block;  // 55
    JpegHuffDecodeFn huff_decode_dc;     // 56
    JpegQuantFn quantize_fast;         // 57
    JpegQuantFn quantize_accurate;     // 58
    JpegQuantFn quantize_in_use;       // 59
    JpegQuantFn dequantize_fast;       // 60
    JpegQuantFn dequantize_accurate;   // 61
    JpegQuantFn dequantize_in_use;     // 62
};
static_assert(sizeof(JPEG_KERNELS) == 63 * sizeof(void*));
static_assert(offsetof(JPEG_KERNELS, idct_in_use) == 12 * sizeof(void*));
static_assert(offsetof(JPEG_KERNELS, enc_convert) == 19 * sizeof(void*));
static_assert(offsetof(JPEG_KERNELS, mcu_output) == 34 * sizeof(void*));
static_assert(offsetof(JPEG_KERNELS, cc_copy4) == 53 * sizeof(void*));
static_assert(offsetof(JPEG_KERNELS, dequantize_in_use) == 62 * sizeof(void*));

// Reads a 32-bit value of the settings layer that stands in for the registry.
using JpegSettingFn = bool (*)(const char* key_path, const char* name, uint32_t& out);

// The environment record, one per JPEG_IMAGE_PARAMS.
struct JPEG_ENVIRONMENT {
    uint32_t sos_size;           // size of the last SOS segment read, marker included
    JpegSettingFn read_setting;  // the settings reader (null: no override)
    int32_t cpu_class;
    // The most samples (all components together) a frame may declare; a larger
    // frame is refused at its header. 0: the default of jpeg_sample_limit.
    uint64_t max_samples;
    JPEG_KERNELS k;
    JPEG_HUFF_FAST huff_fast;    // the decoder's combined lookups of the current scan
};

struct JPEG_RECT {
    int32_t left, top, right, bottom;
};

// A caller-supplied table for abbreviated streams.
struct JPEG_CALLER_QUANT {
    const uint8_t* values;       // 64 bytes in zig-zag order, 0 = entry unused
    uint8_t precision;
};
struct JPEG_CALLER_HUFF {
    const uint8_t* counts;       // 16 code-length counts, 0 = entry unused
    const uint8_t* values;
    uint8_t table_class;         // 0 DC, 1 AC
    uint8_t id;
};

// The codec's working state, inside JPEG_IMAGE_PARAMS.
struct JPEG_PROPERTIES {
    int32_t operation;           // -1 after jpeg_init
    JPEG_RECT region;            // region of interest, all 0 = whole image
    uint32_t idct_kind;          // transform family 0 or 1
    uint32_t converter_code;     // path number of the MCU output routine
    uint32_t mcu_step;           // interrupt request flag (step mode)
    // image side
    uint8_t* image_data;
    int32_t image_width;
    int32_t image_height;
    int32_t image_pad_bytes;
    int32_t image_channels;
    int32_t image_color;
    int32_t image_sampling;
    int32_t image_pitch;
    // stream side
    const char* stream_file;
    const uint8_t* stream_data;
    int32_t stream_size;
    int32_t stream_width;
    int32_t stream_height;
    int32_t stream_channels;
    int32_t stream_color;
    int32_t stream_sampling;
    int32_t thumb_width;
    int32_t thumb_height;
    int32_t convert_color;
    int32_t upsample;
    int32_t quality;
    uint32_t non_interleaved;
    uint32_t mcus_per_row;
    uint32_t mcu_rows;
    JPEG_FRAME frame;
    uint32_t restart_interval;
    uint32_t dc_complete;        // components whose DC coefficients are final
    uint32_t ac_complete;        // final AC scans
    uint32_t header_pending;     // frame header not read yet
    JPEG_SCAN* scan;
    JPEG_STREAM stream;
    uint32_t adobe_found;
    uint8_t adobe_transform;
    uint32_t progressive_scans;
    int16_t* coefficients;       // progressive coefficient buffer
    size_t coefficient_bytes;
    uint32_t smooth_upsampling;
    void* smoothing_ring;
    uint16_t adobe_version, adobe_flags0, adobe_flags1;
    uint32_t jfif_found;
    uint16_t jfif_version;
    uint8_t jfif_units;
    uint16_t jfif_xdensity, jfif_ydensity;
    // tables
    JPEG_QUANT_TABLE quant[4];
    uint32_t quant_count;
    uint32_t quant_ids;          // highest id read plus one
    uint32_t quant_defined;      // bit i: table i holds values
    JPEG_HUFF_DECODE_TABLE dc_tables[4];
    JPEG_HUFF_DECODE_TABLE ac_tables[4];
    uint32_t dc_count, ac_count;
    uint32_t dc_ids, ac_ids;     // highest id read plus one
    uint32_t dc_defined, ac_defined;
    uint32_t caller_quant_flag;
    uint32_t caller_huff_flag;
    JPEG_CALLER_QUANT caller_quant[4];
    JPEG_CALLER_HUFF caller_huff[8];
    // comment
    uint8_t* jpeg_comment;
    uint16_t jpeg_comment_size;  // capacity on entry, comment length on return
    uint8_t scan_dc_ids[4];
    uint8_t scan_ac_ids[4];
    // work buffer of one MCU (64 samples per block)
    int16_t* work_blocks;
    uint32_t work_block_count;
    void* component_planes;      // JPEG_COMPONENT_PLANES of a caller that takes blocks, not pixels
    uint32_t component_row_mode; // 1: triangle up-sampling, as smooth_upsampling
    void* region_index;          // JPEG_REGION_INDEX of the stream's first region read
    int32_t cpu_class;
    int32_t cpu_class_copy;
    ptrdiff_t output_offset;     // current output address, relative to image_data
    uint32_t image_output;       // a progressive image has been output at least once
    uint32_t scans_seen;         // scans met since the read began at its first marker
    JPEG_ENCODER* encoder;       // the encoder's state, made by the first write
    // Step mode: the caller's region, kept while a read is stepped (the region
    // reports the position reached between calls), and the stepped operation.
    JPEG_RECT step_region;
    JPEG_RECT step_reported;     // the position last reported
    uint32_t step_pending;       // a stepped read waits for its next call
    int32_t step_operation;
    // The MCUs handed to the output stage in this read, and the last of them.
    uint32_t out_count;
    uint32_t out_col, out_row;
    // The blocks of the MCU (dc_only_col, dc_only_row) the sequential scan has
    // just decoded that hold their DC value alone (bit b: work block b), as the
    // block decoders told; the transform fills those without looking at their
    // AC coefficients. dc_only_valid 0: no MCU; the transform takes it back.
    uint32_t dc_only_blocks;
    uint32_t dc_only_col, dc_only_row;
    uint8_t dc_only_valid;
    // The quantisation tables as read (natural order), and what the scans of a
    // progressive read gave each component (jpeg/jpeg_block_smooth.h): per
    // coefficient the low bits still unknown (-1 never coded), for the blocks
    // before the cut of a scan whose data ended and for those from it on.
    uint16_t quant_read[4][64];
    int8_t coef_bits[4][64];
    int8_t coef_bits_cut[4][64];
    uint32_t coef_cut[4];        // first block (raster order in its plane) past a cut, or all ones
};

// The caller's record that takes a picture's blocks instead of its pixels
// (props.component_planes). Plane i belongs to frame component i and holds
// (mcus_per_row * h) x (mcu_rows * v) blocks in raster order, each 64 i16 in
// rows of 8 (16 bytes), natural order. samples 0: the quantised coefficients
// as read; nonzero: the samples after the inverse transform (at a scaled read
// each block's top-left 4x4, 2x2 or 1x1). A null plane is not stored, and no
// block past a plane's capacity (in blocks) is written.
struct JPEG_COMPONENT_PLANES {
    uint32_t samples;
    int16_t* plane[4];
    size_t capacity[4];
};

// The caller's record for one picture.
struct JPEG_IMAGE_PARAMS {
    uint32_t use_low_level;
    uint8_t* image_data;
    int32_t image_width;
    int32_t image_height;
    int32_t image_pad_bytes;
    int32_t image_channels;
    int32_t image_color;
    int32_t image_sampling;
    const char* stream_file;
    const uint8_t* stream_data;
    int32_t stream_size;
    int32_t stream_width;
    int32_t stream_height;
    int32_t stream_channels;
    int32_t stream_color;
    int32_t stream_sampling;
    int32_t thumb_width;
    int32_t thumb_height;
    int32_t convert_color;
    int32_t upsample;
    int32_t quality;
    JPEG_PROPERTIES props;
};
// The program reserves 20,072 bytes for the record on its stack.
static_assert(sizeof(JPEG_IMAGE_PARAMS) <= 20072);

struct JPEG_LIB_VERSION {
    int32_t major;
    int32_t minor;
    int32_t build;
    const char* name;
    const char* version;
    const char* internal_version;
    const char* build_date;
    const char* product;
};

}  // namespace velmora
