#pragma once
// The one way this program writes a file the user named (a report export, the
// command line's --out): the target is checked before any work is done, and
// the file appears complete or not at all.
//
// How an interrupted run is kept from leaving anything behind: on Linux
// QSaveFile writes into an unnamed temporary file (open(2) with O_TMPFILE in
// the target's folder) and links it under the target's name only on commit,
// so a process killed mid-write leaves no partial file. File systems without
// O_TMPFILE (some network and FAT mounts) make Qt fall back to a named
// "<target>.XXXXXX" file; OutputFile then makes that file 0600 while it is
// written and records its name, so a signal handler can remove it with
// removePartialFilesOnSignal().
//
// Permissions: an existing target keeps its permissions (QSaveFile copies
// them); a new file gets 0666 less the umask (0644 as a rule), like any other
// document the user saves. A symlink is written through: its target is
// replaced and the link stays.

#include <QString>
#include <QStringList>

#include <memory>

class QIODevice;
class QSaveFile;

namespace grossby {

/// Why `path` may not be written, naming it, or an empty string: it must not
/// exist yet, or be a regular file or a symlink to one (a folder, device,
/// FIFO or socket is refused before any work is done). Also refuses an empty
/// path and a path whose folder does not exist.
QString checkOutputTarget(const QString& path);

/// Writes a file all at once or not at all, through QSaveFile. open() runs
/// checkOutputTarget() first. Destroying an OutputFile that was not committed
/// drops what was written.
class OutputFile {
public:
    explicit OutputFile(const QString& path);
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    QString open();  ///< empty on success, else the message naming the file
    QIODevice* device();  ///< write here; null unless open
    QString commit();  ///< empty on success, else the message; the target is untouched on failure
    void cancel();  ///< drop what was written

    const QString& path() const { return m_path; }

    /// Names of the partial files now being written under a name of their own
    /// (empty where the file system supports unnamed temporary files).
    static QStringList partialPaths();
    /// Removes every partial file now being written. Async-signal-safe: meant
    /// for a SIGINT, SIGTERM or SIGHUP handler that then ends the process.
    static void removePartialFilesOnSignal() noexcept;

private:
    QString m_path;
    std::unique_ptr<QSaveFile> m_file;
    int m_slot = -1;  ///< entry in the partial-file table, or -1
    int m_finalMode = -1;  ///< mode to give a named partial file before it is committed, or -1

    void forgetPartial();
};

/// The message OutputFile uses: `The file "<path>" could not be written: <reason>.`
QString outputFailure(const QString& path, const QString& reason);

}  // namespace grossby
