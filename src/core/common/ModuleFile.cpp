#include "core/common/ModuleFile.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstring>
#include <elf.h>
#include <fcntl.h>
#include <link.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace ModuleFile {

namespace {

QString ownerName(uid_t uid)
{
    const passwd *entry = ::getpwuid(uid);
    return entry ? QString::fromLocal8Bit(entry->pw_name) : QString::number(uid);
}

QString problemOf(const QString &path, const struct stat &info)
{
    if (info.st_uid != 0 && info.st_uid != ::geteuid())
        return u"%1 belongs to %2, neither you nor root"_s.arg(path, ownerName(info.st_uid));
    const bool sticky = S_ISDIR(info.st_mode) && (info.st_mode & S_ISVTX);
    if ((info.st_mode & (S_IWGRP | S_IWOTH)) && !sticky)
        return u"others may change %1"_s.arg(path);
    return {};
}

// The file's bytes at offset, read without mapping them; empty when the
// file is shorter.
QByteArray readAt(int fd, quint64 offset, quint64 size)
{
    QByteArray bytes(qsizetype(size), Qt::Uninitialized);
    return ::pread(fd, bytes.data(), size, off_t(offset)) == ssize_t(size) ? bytes : QByteArray();
}

template <typename T> T itemAt(const QByteArray &bytes, quint64 index)
{
    T item;
    std::memcpy(&item, bytes.constData() + index * sizeof(T), sizeof(T));
    return item;
}

// Whether count items of size bytes from offset lie inside a file of fileSize.
bool fits(quint64 offset, quint64 count, quint64 size, quint64 fileSize)
{
    return offset <= fileSize && (size == 0 || count <= (fileSize - offset) / size);
}

// The running program's own ELF header: what "this machine" means.
const ElfW(Ehdr) & ownHeader()
{
    static const ElfW(Ehdr) header = [] {
        ElfW(Ehdr) own{};
        const int fd = ::open("/proc/self/exe", O_RDONLY | O_CLOEXEC);
        if (fd >= 0) {
            if (::pread(fd, &own, sizeof own, 0) != ssize_t(sizeof own))
                own = {};
            ::close(fd);
        }
        return own;
    }();
    return header;
}

QString checkElf(int fd, quint64 fileSize, const char *entryPoint)
{
    ElfW(Ehdr) header{};
    if (fileSize < sizeof header || ::pread(fd, &header, sizeof header, 0) != ssize_t(sizeof header) ||
        std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0)
        return u"it is not a shared library"_s;
    const ElfW(Ehdr) &own = ownHeader();
    if (header.e_ident[EI_CLASS] != own.e_ident[EI_CLASS] || header.e_ident[EI_DATA] != own.e_ident[EI_DATA] ||
        header.e_machine != own.e_machine || header.e_type != ET_DYN)
        return u"it is not a shared library for this machine"_s;
    const QString cut = u"it is shorter than its headers say (%1 bytes)"_s.arg(fileSize);
    if (header.e_phentsize != sizeof(ElfW(Phdr)) || header.e_shentsize != sizeof(ElfW(Shdr)) || header.e_shnum == 0 ||
        !fits(header.e_phoff, header.e_phnum, sizeof(ElfW(Phdr)), fileSize) ||
        !fits(header.e_shoff, header.e_shnum, sizeof(ElfW(Shdr)), fileSize))
        return cut;
    const QByteArray segments = readAt(fd, header.e_phoff, quint64(header.e_phnum) * sizeof(ElfW(Phdr)));
    for (quint64 i = 0; i < header.e_phnum; ++i) {
        const auto segment = itemAt<ElfW(Phdr)>(segments, i);
        if (!fits(segment.p_offset, segment.p_filesz, 1, fileSize))
            return cut;
    }
    const QByteArray sections = readAt(fd, header.e_shoff, quint64(header.e_shnum) * sizeof(ElfW(Shdr)));
    ElfW(Shdr) symbols{}, names{};
    for (quint64 i = 0; i < header.e_shnum; ++i) {
        const auto section = itemAt<ElfW(Shdr)>(sections, i);
        if (section.sh_type != SHT_NOBITS && !fits(section.sh_offset, section.sh_size, 1, fileSize))
            return cut;
        if (section.sh_type == SHT_DYNSYM && section.sh_link < header.e_shnum) {
            symbols = section;
            names = itemAt<ElfW(Shdr)>(sections, section.sh_link);
        }
    }
    // One of ours: it defines the entry point the program looks up.
    const QByteArray table = readAt(fd, symbols.sh_offset, symbols.sh_size);
    const QByteArray text = readAt(fd, names.sh_offset, names.sh_size);
    const QByteArray wanted(entryPoint);
    for (quint64 i = 0; symbols.sh_entsize == sizeof(ElfW(Sym)) && i < symbols.sh_size / sizeof(ElfW(Sym)); ++i) {
        const auto symbol = itemAt<ElfW(Sym)>(table, i);
        if (symbol.st_shndx != SHN_UNDEF && ELF64_ST_TYPE(symbol.st_info) == STT_FUNC &&
            symbol.st_name + quint64(wanted.size()) < quint64(text.size()) &&
            std::strcmp(text.constData() + symbol.st_name, entryPoint) == 0)
            return {};
    }
    return u"it is not a module of this program (it lacks %1)"_s.arg(QString::fromLatin1(entryPoint));
}

} // namespace

QString ownershipProblem(const QString &path)
{
    struct stat info;
    if (::stat(QFile::encodeName(path).constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return u"%1 is not a file"_s.arg(path);
    if (QString problem = problemOf(path, info); !problem.isEmpty())
        return problem;
    for (QDir folder = QFileInfo(path).dir();; folder.cdUp()) {
        if (::stat(QFile::encodeName(folder.path()).constData(), &info) != 0)
            return u"%1 cannot be checked"_s.arg(folder.path());
        if (QString problem = problemOf(folder.path(), info); !problem.isEmpty())
            return problem;
        if (folder.isRoot())
            return {};
    }
}

QString contentProblem(const QString &path, const char *entryPoint)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    struct stat info;
    if (fd < 0 || ::fstat(fd, &info) != 0) {
        if (fd >= 0)
            ::close(fd);
        return u"it cannot be read"_s;
    }
    const QString problem = checkElf(fd, quint64(info.st_size), entryPoint);
    ::close(fd);
    return problem;
}

} // namespace ModuleFile
