// jpeg/jpeg_env.h - the codec's environment: the processor probe, the processor
// class (with the "USECPU" override of the settings layer), the 63-slot kernel
// table filled for that class, the process-wide copy, zero and timestamp
// routines, and the file wrappers the decoder reads through.
//
// Classes 0-2 get the plain routines, classes 3-6 the processor kernels of
// their slots; callers reach every inner loop through the table only.
#pragma once
#include <cstdint>

#include "jpeg/jpeg_types.h"

namespace velmora {

#pragma pack(push, 1)
struct JPEG_CPU_INFO {           // filled by jpeg_cpuid
    uint32_t brand;
    uint32_t type;
    uint32_t family;             // bits 8-11 of leaf 1 EAX, extended family not read
    uint32_t model;
    uint32_t stepping;
    uint32_t features;           // leaf 1 EDX
    char vendor[13];             // leaf 0 EBX, EDX, ECX, then a NUL
};
#pragma pack(pop)
static_assert(sizeof(JPEG_CPU_INFO) == 37);

// The settings key and value that force the processor class 0..6.
extern const char* const JPEG_SETTINGS_KEY;
extern const char* const JPEG_SETTINGS_CPU;
// The settings value that sets the most samples a frame may declare (all
// components together), 0 or absent for the default.
extern const char* const JPEG_SETTINGS_MAX_SAMPLES;
// The default: the largest pictures the game's loaders take, 4096 x 4096 with
// four full components. Decoding a frame costs time and memory by its declared
// size, whatever the file's length.
constexpr uint64_t JPEG_DEFAULT_MAX_SAMPLES = uint64_t(4096) * 4096 * 4;
// The limit of an environment: its own, else the setting, else the default.
uint64_t jpeg_sample_limit(const JPEG_ENVIRONMENT* env);

// CPUID leaf 0 (vendor) and, when the processor has it, leaf 1 (the other fields).
void jpeg_cpuid(JPEG_CPU_INFO* info);
void jpeg_query_cpu();                    // fills the process-wide record
const JPEG_CPU_INFO* jpeg_cpu_info();
uint64_t jpeg_read_tsc();                 // the time-stamp counter
uint64_t jpeg_timestamp_none();           // 0, for processors without one
uint64_t jpeg_timestamp();                // the installed timestamp routine

// The class rule: family 5: 3 with MMX, else 1; family 6: MMX without SSE 4,
// MMX and SSE 5, else 2; family 15: 6 with SSE2, else 0; other families 0.
int32_t jpeg_cpu_class_of(uint32_t family, uint32_t features);
int32_t jpeg_read_cpu_override(JPEG_ENVIRONMENT* env);   // 0..6 or -1 (absent or out of range)
int32_t jpeg_detect_cpu(JPEG_ENVIRONMENT* env);

// Writes all 63 slots for a class; an unknown class gets the plain fill.
void jpeg_fill_kernels(JPEG_ENVIRONMENT* env, int32_t cpu_class);
int32_t jpeg_setup_environment(JPEG_ENVIRONMENT* env);   // always 1
void jpeg_release_environment(JPEG_ENVIRONMENT* env);

void jpeg_simd_exit_none();               // slot 0 of the plain fill: nothing to leave

// Byte-wise helpers shared by the parsers and the block decoder.
void jpeg_copy_bytes(void* dst, const void* src, uint32_t n);
int32_t jpeg_zero_bytes(void* dst, uint32_t n);

// Files: read access shared with other readers; write access creates or truncates.
int32_t jpeg_file_open(const char* name, bool write);      // handle, or -1
bool jpeg_file_close(int32_t handle);
int64_t jpeg_file_read(int32_t handle, void* buf, uint32_t n);   // bytes read, -1 on failure
bool jpeg_file_seek(int32_t handle, int64_t distance, int32_t origin);   // origin 0 start, 1 current
int64_t jpeg_file_tell(int32_t handle);   // the position from the file's start, -1 on failure
// What names one file's contents: its size and modification time mixed with its
// name (0 when it cannot be asked).
uint64_t jpeg_file_identity(int32_t handle, const char* name);

}  // namespace velmora
