#include "services/output_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <array>
#include <atomic>
#include <cerrno>
#include <cstring>

#include <sys/stat.h>
#include <unistd.h>

namespace grossby {
namespace {

QString shown(const QString& path)
{
    return QStringLiteral("\"%1\"").arg(QDir::toNativeSeparators(path));
}

QString kindOf(mode_t mode)
{
    if (S_ISDIR(mode))
        return QStringLiteral("it is a folder");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("it is a device, not a file");
    if (S_ISFIFO(mode))
        return QStringLiteral("it is a named pipe (FIFO), not a file");
    if (S_ISSOCK(mode))
        return QStringLiteral("it is a socket, not a file");
    return QStringLiteral("it is not a regular file");
}

// Named partial files in flight. Fixed storage, so the signal handler reads
// it without allocating: a slot is claimed (1), filled, then published (2).
constexpr int kSlots = 32;
constexpr std::size_t kPathMax = 4096;
struct PartialSlot {
    std::atomic<int> state{0};
    char path[kPathMax]{};
};
std::array<PartialSlot, kSlots> g_partials;

int rememberPartial(const QByteArray& path)
{
    if (path.size() >= static_cast<qsizetype>(kPathMax))
        return -1;
    for (int i = 0; i < kSlots; ++i) {
        int expected = 0;
        if (g_partials[static_cast<std::size_t>(i)].state.compare_exchange_strong(expected, 1)) {
            PartialSlot& slot = g_partials[static_cast<std::size_t>(i)];
            std::memcpy(slot.path, path.constData(), static_cast<std::size_t>(path.size()));
            slot.path[path.size()] = '\0';
            slot.state.store(2);
            return i;
        }
    }
    return -1;
}

}  // namespace

QString outputFailure(const QString& path, const QString& reason)
{
    QString why = reason.trimmed();
    while (why.endsWith(QLatin1Char('.')))  // one full stop, whatever the library's text ends with
        why.chop(1);
    return QStringLiteral("The file %1 could not be written: %2.").arg(shown(path), why);
}

QString checkOutputTarget(const QString& path)
{
    if (path.isEmpty())
        return QStringLiteral("No output file was named.");
    const QByteArray native = QFile::encodeName(path);
    struct stat st { };
    // stat() follows symlinks: a link to a regular file is written through.
    if (::stat(native.constData(), &st) == 0) {
        if (!S_ISREG(st.st_mode))
            return outputFailure(path, kindOf(st.st_mode));
        return {};
    }
    const int error = errno;
    if (error != ENOENT)
        return outputFailure(path, QString::fromLocal8Bit(std::strerror(error)));
    // Not there yet (or a link to something not there yet): its folder must be.
    const QFileInfo info(path);
    const QString folder = info.absolutePath();
    struct stat dir { };
    if (::stat(QFile::encodeName(folder).constData(), &dir) != 0 || !S_ISDIR(dir.st_mode))
        return outputFailure(path, QStringLiteral("the folder %1 does not exist").arg(shown(folder)));
    return {};
}

OutputFile::OutputFile(const QString& path)
    : m_path(path)
{ }

OutputFile::~OutputFile()
{
    cancel();
}

QString OutputFile::open()
{
    cancel();
    if (QString refused = checkOutputTarget(m_path); !refused.isEmpty())
        return refused;
    m_file = std::make_unique<QSaveFile>(m_path);
    if (!m_file->open(QIODevice::WriteOnly)) {
        const QString reason = m_file->errorString();
        m_file.reset();
        return outputFailure(m_path, reason);
    }
    // An unnamed temporary file has no link; a named one (the fallback) is
    // hidden from others while written and recorded for the signal handler.
    struct stat st { };
    const int fd = m_file->handle();
    if (fd >= 0 && ::fstat(fd, &st) == 0 && st.st_nlink > 0) {
        char link[kPathMax];
        const QByteArray proc = "/proc/self/fd/" + QByteArray::number(fd);
        const ssize_t n = ::readlink(proc.constData(), link, sizeof link - 1);
        if (n > 0)
            m_slot = rememberPartial(QByteArray(link, static_cast<qsizetype>(n)));
        const auto mode = static_cast<int>(st.st_mode & 07777);
        if ((mode & 0077) != 0 && ::fchmod(fd, 0600) == 0)
            m_finalMode = mode;
    }
    return {};
}

QIODevice* OutputFile::device()
{
    return m_file.get();
}

QString OutputFile::commit()
{
    if (!m_file)
        return outputFailure(m_path, QStringLiteral("it was not opened"));
    if (m_finalMode >= 0)
        ::fchmod(m_file->handle(), static_cast<mode_t>(m_finalMode));
    const bool done = m_file->commit();
    const QString reason = m_file->errorString();
    m_file.reset();
    forgetPartial();
    return done ? QString() : outputFailure(m_path, reason);
}

void OutputFile::cancel()
{
    if (m_file) {
        m_file->cancelWriting();
        m_file.reset();  // closes and removes the temporary file
    }
    forgetPartial();
}

void OutputFile::forgetPartial()
{
    if (m_slot >= 0)
        g_partials[static_cast<std::size_t>(m_slot)].state.store(0);
    m_slot = -1;
    m_finalMode = -1;
}

QStringList OutputFile::partialPaths()
{
    QStringList paths;
    for (const PartialSlot& slot : g_partials) {
        if (slot.state.load() == 2)
            paths.append(QFile::decodeName(slot.path));
    }
    return paths;
}

void OutputFile::removePartialFilesOnSignal() noexcept
{
    for (PartialSlot& slot : g_partials) {
        if (slot.state.load() == 2)
            ::unlink(slot.path);
    }
}

}  // namespace grossby
