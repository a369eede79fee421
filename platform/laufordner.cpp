// platform/laufordner.cpp - POSIX implementation of the run directories.
#include "platform/laufordner.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <vector>

#include "platform/files.h"

namespace velmora {
namespace {

constexpr const char* SPERRE = "/.lauf";   // the lock file in a run's directory
constexpr int VERSUCHE = 8;

// Whether `fd` is still the file `pfad` names.
bool gleiche_datei(int fd, const std::string& pfad) {
    struct stat offen, benannt;
    return ::fstat(fd, &offen) == 0 && ::lstat(pfad.c_str(), &benannt) == 0 && offen.st_dev == benannt.st_dev &&
           offen.st_ino == benannt.st_ino;
}

}  // namespace

std::string Plat_Laufordner_Anlegen(const std::string& basis, const char* praefix, std::string* fehler) {
    std::string grund = "no free name";
    for (int versuch = 0; versuch < VERSUCHE; ++versuch) {
        std::string ordner = basis + "/" + praefix + "XXXXXX";
        if (!::mkdtemp(ordner.data())) {
            grund = std::strerror(errno);
            break;
        }
        const std::string sperre = ordner + SPERRE;
        const int fd = ::open(sperre.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0) {
            grund = std::strerror(errno);
            ::rmdir(ordner.c_str());
            break;
        }
        if (Plat_File_Lock_Now(fd)) {
            // The handle stays open, and with it the lock, until the process ends.
            if (gleiche_datei(fd, sperre)) return ordner;
        } else if (errno != EWOULDBLOCK) {
            // A file system without locks: the directory is used without its
            // lock file, as one no clean-up takes.
            ::close(fd);
            ::unlink(sperre.c_str());
            return ordner;
        }
        // A clean-up took the new directory for a dead run's in the moment
        // before it was locked and removes it: another name.
        ::close(fd);
    }
    if (fehler) *fehler = "cannot make a directory in " + basis + ": " + grund;
    return {};
}

void Plat_Laufordner_Behalten(const std::string& pfad) {
    if (!pfad.empty()) ::unlink((pfad + SPERRE).c_str());
}

int32_t Plat_Laufordner_Aufraeumen(const std::string& basis, const char* praefix) {
    if (!praefix || !*praefix) return 0;
    std::vector<std::string> namen;
    if (DIR* d = ::opendir(basis.c_str())) {
        const size_t laenge = std::strlen(praefix);
        while (const dirent* e = ::readdir(d))
            if (std::strncmp(e->d_name, praefix, laenge) == 0) namen.push_back(e->d_name);
        ::closedir(d);
    }
    int32_t entfernt = 0;
    for (const std::string& name : namen) {
        const std::string ordner = basis + "/" + name;
        struct stat st;
        if (::lstat(ordner.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::geteuid()) continue;
        const int fd = ::open((ordner + SPERRE).c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0) continue;
        struct stat sf;
        // Removed while its lock is held here: a run whose new directory is
        // taken so in the moment before its own lock sees it go and makes
        // another.
        if (::fstat(fd, &sf) == 0 && S_ISREG(sf.st_mode) && Plat_File_Lock_Now(fd)) {
            std::error_code ec;
            std::filesystem::remove_all(ordner, ec);
            if (!ec) ++entfernt;
        }
        ::close(fd);
    }
    return entfernt;
}

}  // namespace velmora
