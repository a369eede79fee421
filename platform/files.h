// platform/files.h - the file system under the game: paths, files and directories.
//
// The game writes paths the way its formats are given ("%s\\%s"); every path
// passes through Plat_Path here, which turns "\\" into "/" and, where the exact
// name does not exist, finds each component case-insensitively. Nothing above
// this layer includes a POSIX header.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace velmora {

// Normalises a path: "\\" becomes "/", and for every component that does not
// exist as written, an existing entry of the same name in another case is taken.
// Components that do not exist in any case stay as written (so new files can be made).
std::string Plat_Path(const char* path);

enum PlatOpen : int32_t {
    PLAT_READ = 1,          // existing file, read only
    PLAT_WRITE = 2,         // create or truncate, write only
    PLAT_READ_WRITE = 3,    // existing file, read and write
    PLAT_CREATE_RW = 4,     // open or create, read and write, not truncated
};

// Opens a file and returns its handle (>= 0) or -1.
int32_t Plat_File_Open(const char* path, PlatOpen mode);
int32_t Plat_File_Close(int32_t handle);                  // always -1
int64_t Plat_File_Read(int32_t handle, void* buf, int64_t bytes);   // bytes read, -1 on error
int64_t Plat_File_Write(int32_t handle, const void* buf, int64_t bytes);
int64_t Plat_File_Seek(int32_t handle, int64_t offset, int whence);  // 0 set, 1 cur, 2 end; new position or -1
int64_t Plat_File_Size(int32_t handle);                   // -1 on error
bool Plat_File_Sync(int32_t handle);                      // flushes data to the disk
// Writes like Plat_File_Write, from a file position of 0, but past the page
// cache where the file system takes direct writes: for a large file that is
// flushed at once and not read back soon, which spares the kernel copying it.
// The bytes that do not fill a whole block, and every file system that
// refuses, go the ordinary way. Returns the bytes written, -1 on error.
int64_t Plat_File_Write_Direkt(int32_t handle, const void* buf, int64_t bytes);

bool Plat_Exists(const char* path);                       // any kind of entry
bool Plat_Is_File(const char* path);
bool Plat_Is_Dir(const char* path);
bool Plat_Make_Dir(const char* path);                     // true when it exists afterwards
bool Plat_Make_Dirs(const char* path);                    // with all missing parents
bool Plat_Rename(const char* from, const char* to);       // atomic replace of `to`
bool Plat_Remove(const char* path);
int64_t Plat_File_Time(const char* path);                 // modification time in ns, -1 when missing

// Names (not paths) of the regular files in a directory matching a pattern
// with '*' and '?', compared case-insensitively, sorted by name.
std::vector<std::string> Plat_List_Dir(const char* dir, const char* pattern);

// The user's home directory: $HOME, or when it is unset or empty the entry of
// the password database; "" when neither knows one.
std::string Plat_Home();

// Reads a whole file; false when it cannot be read.
bool Plat_Read_All(const char* path, std::vector<uint8_t>& out);
// Writes a whole file through a temporary file, flush and rename, so the old
// content stays intact until the new one is complete.
// The temporary file has a name of its own ("<path>.tmp-XXXXXX"), so two
// processes writing the same file never share one. False with errno telling
// why (EFBIG past the file-size limit, ENOSPC for a full disk).
bool Plat_Write_Atomic(const char* path, const void* data, size_t bytes);
// A write past the file-size limit (ulimit -f) then fails with EFBIG and is
// told like any other failed write; the signal's default would end the
// program without a word. Called first thing by each program.
void Plat_Dateigrenze_Ignorieren();
// Creates a new temporary file beside `target` under a unique name
// "<target>.tmp-XXXXXX", open for writing; its name goes to `temp_name`.
// The handle, or -1 when the directory takes no new file.
int32_t Plat_File_Open_Temp(const char* target, std::string* temp_name);

// Opens or creates `path` for reading and writing and takes an exclusive
// advisory lock on it (flock) that lasts until the handle is closed or the
// process ends. The handle, or -1: with `fremd` set when another process
// (or another handle of this one) holds the lock, else the file could not be
// opened. The file is not truncated; a name removed between the opening and
// the lock is opened afresh, so the lock always belongs to the file the name
// names.
int32_t Plat_File_Open_Exclusive(const char* path, bool* fremd);
// Takes an exclusive advisory lock (flock) on an open handle without
// waiting; a signal arriving meanwhile does not make it fail. False with
// errno set (EWOULDBLOCK: another handle holds it).
bool Plat_File_Lock_Now(int32_t handle);
bool Plat_File_Truncate(int32_t handle, int64_t bytes);   // cuts or extends the file to `bytes`

// The directory of the running program's executable ("" when unknown).
std::string Plat_Exe_Dir();

}  // namespace velmora
