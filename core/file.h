// core/file.h - file handles for the modules.
//
// Paths may be written with "\\"; they are normalised below. A handle is a
// non-negative number or -1.
#pragma once
#include <cstdint>

namespace velmora {

// Access bits and dispositions as the callers pass them.
constexpr uint32_t FILE_LESEN = 0x80000000u;
constexpr uint32_t FILE_SCHREIBEN = 0x40000000u;
constexpr uint32_t FILE_NEU_IMMER = 2;        // create or truncate
constexpr uint32_t FILE_VORHANDEN = 3;        // must exist
constexpr uint32_t FILE_OEFFNEN_IMMER = 4;    // open or create

int32_t File_Open(const char* name, uint32_t zugriff, uint32_t disposition, uint32_t attribute);
int32_t File_Open_Read(const char* name);     // an existing file for reading, or -1
int32_t File_Create(const char* name);        // create or truncate for writing, or -1
// Reads item size x count bytes; returns the bytes read. A short read leaves
// the rest of the buffer as it was.
int32_t File_Read(void* puffer, int32_t groesse, int32_t anzahl, int32_t handle);
int32_t File_Write(const void* puffer, int32_t groesse, int32_t anzahl, int32_t handle);
int32_t File_Seek(int32_t handle, int32_t offset, int32_t woher);   // 0 start, 1 here, 2 end; new position or -1
int32_t File_Tell(int32_t handle);
int32_t File_Size(int32_t handle);            // -1 for a bad handle
int32_t File_Close(int32_t handle);           // always -1, stored back as the handle

}  // namespace velmora
