// core/file.cpp - file handles on the platform layer.
#include "core/file.h"

#include "core/debug.h"
#include "platform/files.h"

namespace velmora {

int32_t File_Open(const char* name, uint32_t zugriff, uint32_t disposition, uint32_t) {
    if (!name) return -1;
    bool lesen = zugriff & FILE_LESEN;
    bool schreiben = zugriff & FILE_SCHREIBEN;
    PlatOpen modus;
    if (disposition == FILE_NEU_IMMER) {
        if (!schreiben) return -1;
        modus = PLAT_WRITE;   // a new file has nothing to read yet
        if (lesen) {
            int32_t h = Plat_File_Open(name, PLAT_WRITE);   // truncate, then reopen for both
            if (h < 0) return -1;
            Plat_File_Close(h);
            return Plat_File_Open(name, PLAT_READ_WRITE);
        }
    } else if (disposition == FILE_OEFFNEN_IMMER) {
        modus = schreiben ? PLAT_CREATE_RW : PLAT_READ;
        if (!schreiben && !Plat_Is_File(name)) return -1;
    } else {
        modus = schreiben ? PLAT_READ_WRITE : PLAT_READ;
    }
    return Plat_File_Open(name, modus);
}

int32_t File_Open_Read(const char* name) { return Plat_File_Open(name, PLAT_READ); }

int32_t File_Create(const char* name) { return Plat_File_Open(name, PLAT_WRITE); }

int32_t File_Read(void* puffer, int32_t groesse, int32_t anzahl, int32_t handle) {
    if (groesse <= 0 || anzahl <= 0 || !puffer) return 0;
    int64_t bytes = int64_t(groesse) * anzahl;
    if (bytes > INT32_MAX) {
        Debug_Printf("File_Read: %lld Bytes zu viel\n", static_cast<long long>(bytes));
        return 0;
    }
    int64_t n = Plat_File_Read(handle, puffer, bytes);
    return n < 0 ? 0 : int32_t(n);
}

int32_t File_Write(const void* puffer, int32_t groesse, int32_t anzahl, int32_t handle) {
    if (groesse <= 0 || anzahl <= 0 || !puffer) return 0;
    int64_t bytes = int64_t(groesse) * anzahl;
    if (bytes > INT32_MAX) return 0;
    int64_t n = Plat_File_Write(handle, puffer, bytes);
    return n < 0 ? 0 : int32_t(n);
}

int32_t File_Seek(int32_t handle, int32_t offset, int32_t woher) {
    int64_t r = Plat_File_Seek(handle, offset, woher);
    return r < 0 || r > INT32_MAX ? -1 : int32_t(r);
}

int32_t File_Tell(int32_t handle) { return File_Seek(handle, 0, 1); }

int32_t File_Size(int32_t handle) {
    int64_t s = Plat_File_Size(handle);
    return s < 0 || s > INT32_MAX ? -1 : int32_t(s);
}

int32_t File_Close(int32_t handle) { return Plat_File_Close(handle); }

}  // namespace velmora
