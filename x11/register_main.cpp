// zamvel-savers-register [--remove]: the four savers into the programs list
// of ~/.xscreensaver, where xscreensaver's settings window finds the savers
// it shows, or out of it again. The new file is written beside the old one
// and renamed over it, and the old one is kept as ~/.xscreensaver.zamvel.bak.
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "saver_list.h"

namespace {

constexpr char Name[] = "zamvel-savers-register";
// Where Debian's xscreensaver keeps its defaults (a link to the GL or the
// plain list, whichever is installed).
constexpr char AppDefaults[] = "/etc/X11/app-defaults/XScreenSaver";
constexpr char BackupSuffix[] = ".zamvel.bak";
// A settings file is a few kilobytes; anything this large is not one.
constexpr off_t MaxFileSize = 16 << 20;
constexpr char TooLarge[] = "it is larger than 16 MB, too large for a settings file";
constexpr char NewFileHeader[] = "# XScreenSaver Preferences File\n"
                                 "# Begun by zamvel-savers-register from xscreensaver's default list of savers.\n\n";

void Usage()
{
    std::printf("usage: %s [--remove]\n\n"
                "Adds the Zamvel screen savers Glyra2, Glyra, Orbel and Worms to the programs\n"
                "list in your xscreensaver settings file, ~/.xscreensaver, so that xscreensaver's\n"
                "settings window (xscreensaver-settings) shows them; with --remove it takes\n"
                "exactly those entries out again. Only the programs list changes: every other\n"
                "line stays as it is, the savers go after the entries already there, and the\n"
                "file as it was is kept as ~/.xscreensaver%s. Without a ~/.xscreensaver it\n"
                "writes one with xscreensaver's default list (%s)\n"
                "and the four savers. Running it again changes nothing. Run it as the user\n"
                "whose screen saver it is, not through sudo.\n",
                Name, BackupSuffix, AppDefaults);
}

enum class ReadResult { Read, Missing, Failed };

// The whole of a regular file; when it fails, a message on stderr if say.
ReadResult ReadFile(const char* path, std::string& out, struct stat& st, bool say = true)
{
    // Non-blocking: a FIFO in the file's place must not stop us.
    const int fd = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT) return ReadResult::Missing;
        if (say) std::fprintf(stderr, "%s: cannot read %s: %s\n", Name, path, std::strerror(errno));
        return ReadResult::Failed;
    }
    const char* problem = nullptr;
    if (fstat(fd, &st) != 0)
        problem = std::strerror(errno);
    else if (!S_ISREG(st.st_mode))
        problem = "it is not a file";
    else if (st.st_size > MaxFileSize)
        problem = TooLarge;
    char block[65536];
    while (!problem) {
        const ssize_t got = read(fd, block, sizeof block);
        if (got == 0) break;
        if (got < 0) {
            if (errno != EINTR) problem = std::strerror(errno);
            continue;
        }
        out.append(block, static_cast<size_t>(got));
        if (out.size() > static_cast<size_t>(MaxFileSize)) problem = TooLarge;
    }
    close(fd);
    if (!problem) return ReadResult::Read;
    if (say) std::fprintf(stderr, "%s: cannot read %s: %s\n", Name, path, problem);
    return ReadResult::Failed;
}

// data as path: written to a new file beside it, then renamed over it, so
// that the file is always whole. owner: the file it replaces, whose mode
// (and, for root, owner) the new one keeps.
bool ReplaceFile(const std::string& path, const std::string& data, const struct stat* owner)
{
    std::string temp = path + ".XXXXXX";
    const int fd = mkstemp(&temp[0]);
    if (fd < 0) {
        std::fprintf(stderr, "%s: cannot write %s: %s\n", Name, path.c_str(), std::strerror(errno));
        return false;
    }
    bool ok = true;
    mode_t mode = 0644;
    if (owner) {
        mode = owner->st_mode & 07777;
        // Root writing for a user leaves the file the user's.
        if (geteuid() == 0) ok = fchown(fd, owner->st_uid, owner->st_gid) == 0;
    } else {
        const mode_t mask = umask(0);
        umask(mask);
        mode = 0666 & ~mask;
    }
    ok = ok && fchmod(fd, mode) == 0;
    for (size_t at = 0; ok && at < data.size();) {
        const ssize_t put = write(fd, data.data() + at, data.size() - at);
        if (put < 0 && errno != EINTR) ok = false;
        if (put > 0) at += static_cast<size_t>(put);
    }
    ok = ok && fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    ok = ok && rename(temp.c_str(), path.c_str()) == 0;
    if (!ok) {
        std::fprintf(stderr, "%s: cannot write %s: %s\n", Name, path.c_str(), std::strerror(errno));
        unlink(temp.c_str());
    }
    return ok;
}

// "Glyra2, Orbel and Worms"
std::string Names(uint32_t which)
{
    std::string names;
    int32_t left = __builtin_popcount(which);
    for (int32_t i = 0; i < ZamvelSaverCount; ++i) {
        if (!(which >> i & 1)) continue;
        names += ZamvelSavers[i].Title;
        --left;
        names += left > 1 ? ", " : left == 1 ? " and " : "";
    }
    return names;
}

std::string HomeFolder()
{
    const char* home = std::getenv("HOME");
    if (home && *home) return home;
    const passwd* pw = getpwuid(getuid());
    return pw && pw->pw_dir ? pw->pw_dir : "";
}

// The one line that says what was done.
void Report(bool remove, bool existed, const std::string& path, const std::string& backup, uint32_t changed)
{
    const std::string all = Names(AllZamvelSavers), names = Names(changed);
    const char* p = path.c_str();
    if (!changed && remove && !existed)
        std::printf("There is no %s; nothing changed.\n", p);
    else if (!changed && remove)
        std::printf("%s lists none of %s; nothing changed.\n", p, all.c_str());
    else if (!changed)
        std::printf("%s already lists %s; nothing changed. xscreensaver's settings window shows them.\n", p,
                    all.c_str());
    else if (remove)
        std::printf("Took %s out of %s (the old file is %s); xscreensaver's settings window no longer shows %s.\n",
                    names.c_str(), p, backup.c_str(), __builtin_popcount(changed) > 1 ? "them" : "it");
    else if (existed)
        std::printf("Added %s to %s (the old file is %s); xscreensaver's settings window now shows %s.\n",
                    names.c_str(), p, backup.c_str(), changed == AllZamvelSavers ? "them" : all.c_str());
    else
        std::printf("Wrote %s with xscreensaver's default savers and %s; xscreensaver's settings window now "
                    "shows them.\n", p, names.c_str());
}

} // namespace

int main(int argc, char** argv)
{
    bool remove = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--remove") == 0) {
            remove = true;
        } else if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            Usage();
            return 0;
        } else {
            std::fprintf(stderr, "%s: unknown argument \"%s\" (see --help)\n", Name, argv[i]);
            return 2;
        }
    }
    const std::string home = HomeFolder();
    if (home.empty()) {
        std::fprintf(stderr, "%s: no home folder is known (HOME is not set)\n", Name);
        return 1;
    }
    const std::string path = home + "/.xscreensaver";
    // A link (into a folder of dotfiles, say) stays a link: the file it
    // names is the one replaced.
    std::string target = path;
    if (char* real = realpath(path.c_str(), nullptr)) {
        target = real;
        std::free(real);
    }
    std::string file;
    struct stat st {};
    const ReadResult read = ReadFile(target.c_str(), file, st);
    if (read == ReadResult::Failed) return 1;
    const bool exists = read == ReadResult::Read;

    ListEdit edit;
    if (remove) {
        RemoveZamvelSavers(file, edit);
    } else {
        std::string defaults;
        struct stat dst {};
        const bool haveDefaults = ReadFile(AppDefaults, defaults, dst, false) == ReadResult::Read;
        if (!AddZamvelSavers(exists ? file : NewFileHeader, defaults, edit)) {
            std::fprintf(stderr, "%s: %s has no programs list, and xscreensaver's default one (%s) %s: "
                         "is xscreensaver installed?\n", Name, path.c_str(), AppDefaults,
                         haveDefaults ? "holds none" : "cannot be read");
            return 1;
        }
    }
    const std::string backup = path + BackupSuffix;
    if (edit.Changed) {
        if (exists && !ReplaceFile(backup, file, &st)) return 1;
        if (!ReplaceFile(target, edit.Text, exists ? &st : nullptr)) return 1;
    }
    Report(remove, exists, path, backup, edit.Changed);
    return 0;
}
