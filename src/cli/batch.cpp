#include "cli/batch.h"

#include "cli/csv.h"
#include "services/output_file.h"

#include <QFileDevice>
#include <QIODevice>
#include <QString>

#include <nlohmann/json.hpp>

#include <atomic>
#include <cerrno>
#include <cmath>
#include <condition_variable>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <ostream>
#include <string>
#include <system_error>
#include <thread>
#include <type_traits>
#include <vector>

#ifdef _WIN32
#include <io.h>
#define GROSSBY_ISATTY(f) _isatty(_fileno(f))
#else
#include <fcntl.h>
#include <unistd.h>
#define GROSSBY_ISATTY(f) isatty(fileno(f))
#endif

namespace grossby::cli {
namespace {

// A column name as an option name: "Travel_Allowance " is "travel-allowance".
std::string lowerDashed(std::string_view name)
{
    std::string out;
    for (char c : trimBlanks(name)) {
        if (c == '_')
            c = '-';
        else if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        out.push_back(c);
    }
    return out;
}

std::string quotedList(const std::vector<std::string>& names)
{
    std::string list;
    for (const auto& n : names)
        list += (list.empty() ? "'" : ", '") + n + "'";
    return list;
}

// Shows how far a long run has got, on standard error when it is a terminal.
class Progress {
public:
    explicit Progress(const std::string& inPath)
    {
        std::error_code ec;
        if (inPath != "-" && GROSSBY_ISATTY(stderr) && std::filesystem::is_regular_file(inPath, ec)) {
            const auto size = std::filesystem::file_size(inPath, ec);
            if (!ec && size > (1u << 20))
                m_total = size;
        }
    }

    void update(std::uint64_t bytes, std::uint64_t rows)
    {
        if (!m_total)
            return;
        const int percent = static_cast<int>(bytes * 100 / m_total);
        if (percent == m_shown)
            return;
        m_shown = percent;
        const int width = 40;
        const int filled = percent * width / 100;
        std::fprintf(stderr, "\r[%s%s] %3d%%  %llu rows", std::string(std::size_t(filled), '#').c_str(),
                     std::string(std::size_t(width - filled), '.').c_str(), percent,
                     static_cast<unsigned long long>(rows));
        std::fflush(stderr);
    }

    void finish()
    {
        if (m_total && m_shown >= 0)
            std::fputs("\n", stderr);
    }

private:
    std::uint64_t m_total = 0;
    int m_shown = -1;
};

// While a named output is written, an interrupted run removes what it has
// written so far before it ends as the signal would have ended it. A signal
// the tool was started to ignore (nohup) stays ignored.
class RemovePartialOnSignal {
public:
    RemovePartialOnSignal()
    {
        for (std::size_t i = 0; i < kSignals.size(); ++i) {
            m_previous[i] = std::signal(kSignals[i], &handle);
            if (m_previous[i] == SIG_IGN)
                std::signal(kSignals[i], SIG_IGN);
        }
    }
    ~RemovePartialOnSignal()
    {
        for (std::size_t i = 0; i < kSignals.size(); ++i)
            std::signal(kSignals[i], m_previous[i]);
    }
    RemovePartialOnSignal(const RemovePartialOnSignal&) = delete;
    RemovePartialOnSignal& operator=(const RemovePartialOnSignal&) = delete;

private:
    static void handle(int sig)
    {
        OutputFile::removePartialFilesOnSignal();
        std::signal(sig, SIG_DFL);
        std::raise(sig);
    }

#ifdef SIGHUP
    static constexpr std::array<int, 3> kSignals{SIGINT, SIGTERM, SIGHUP};
#else
    static constexpr std::array<int, 2> kSignals{SIGINT, SIGTERM};
#endif
    std::array<void (*)(int), kSignals.size()> m_previous{};
};

#ifdef __linux__
// Syncs a file to the disk on a thread of its own while it is written, every
// few megabytes, so the sync before it is put in place has next to nothing
// left: what that sync waits for is mostly the file system's journal
// (where the file's blocks are), not the data. A sync that fails fails the
// run, as a later sync need not report the same fault again.
class SyncAsWritten {
public:
    explicit SyncAsWritten(int fd)
        : m_fd(fd)
        , m_thread([this] { run(); })
    { }
    ~SyncAsWritten() { stop(); }
    SyncAsWritten(const SyncAsWritten&) = delete;
    SyncAsWritten& operator=(const SyncAsWritten&) = delete;

    /// `total` bytes are now in the file.
    void wrote(std::int64_t total)
    {
        {
            const std::lock_guard lock(m_mutex);
            m_written = total;
        }
        m_changed.notify_one();
    }

    /// Waits for a sync under way and ends the thread: the errno of a sync
    /// that failed, or 0.
    int stop()
    {
        {
            const std::lock_guard lock(m_mutex);
            m_stop = true;
        }
        m_changed.notify_one();
        if (m_thread.joinable())
            m_thread.join();
        return m_error;
    }

private:
    static constexpr std::int64_t kStep = 8 << 20;

    void run()
    {
        std::unique_lock lock(m_mutex);
        std::int64_t synced = 0;
        for (;;) {
            m_changed.wait(lock, [&] { return m_stop || m_written - synced >= kStep; });
            if (m_stop)
                return;
            const std::int64_t upTo = m_written;
            lock.unlock();
            const int result = ::fdatasync(m_fd);
            const int why = errno;
            lock.lock();
            if (result != 0 && m_error == 0)
                m_error = why;
            synced = upTo;
        }
    }

    const int m_fd;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::int64_t m_written = 0;
    bool m_stop = false;
    int m_error = 0;
    std::thread m_thread;  // last: it starts once the rest is set
};
#endif

bool sameFile(const std::string& a, const std::string& b)
{
    std::error_code ec;
    return std::filesystem::equivalent(a, b, ec) && !ec;
}

}  // namespace

int runBatch(const Calculator& calc, const Calculation& base, const std::string& inPath, const std::string& outPath,
             std::ostream& err)
{
    const std::string inName = "The batch file '" + inPath + "'";
    const bool fromStdin = inPath == "-";
    std::FILE* in = fromStdin ? stdin : std::fopen(inPath.c_str(), "rb");
    if (!in) {
        err << inName << " could not be opened: " << std::strerror(errno) << '\n';
        return 1;
    }
    struct Closer {
        std::FILE* f;
        bool own;
        ~Closer()
        {
            if (own)
                std::fclose(f);
        }
    } inCloser{in, !fromStdin};

    const bool toStdout = outPath == "-";
    if (!toStdout && !fromStdin && sameFile(inPath, outPath)) {
        err << "--out: '" << outPath << "' is the batch file itself; give another name\n";
        return 2;
    }
    // A named output is written aside and put in place only when the whole
    // run is written, so a failed or interrupted run leaves any earlier
    // output whole and no partial file.
    OutputFile outFile(QString::fromStdString(outPath));
#ifdef __linux__
    std::optional<SyncAsWritten> syncer;  // stopped before the file is closed
#else
    std::optional<int> syncer;
#endif
    std::optional<RemovePartialOnSignal> signalGuard;
    CsvWriter::Sink sink;
    if (toStdout) {
        sink = [](std::string_view bytes) {
            return std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size() && std::fflush(stdout) == 0;
        };
    } else {
        signalGuard.emplace();
        if (const QString problem = outFile.open(); !problem.isEmpty()) {
            err << problem.toStdString() << '\n';
            return 1;
        }
        QIODevice* device = outFile.device();
        auto* file = qobject_cast<QFileDevice*>(device);
#ifdef __linux__
        if (file && file->handle() >= 0)
            syncer.emplace(file->handle());
#endif
        sink = [device, file, &syncer, written = std::int64_t(0),
                told = std::int64_t(0)](std::string_view bytes) mutable {
            const auto size = static_cast<qint64>(bytes.size());
            if (device->write(bytes.data(), size) != size)
                return false;
            written += size;
#ifdef __linux__
            // What is written is synced a few megabytes at a time while the
            // next rows are worked out (see SyncAsWritten).
            if (syncer && written - told >= (4 << 20) && file->flush()) {
                syncer->wrote(written);
                told = written;
            }
#else
            (void)file;
            (void)syncer;
            (void)told;
#endif
            return true;
        };
    }
    const std::string outName = toStdout ? std::string("standard output") : "'" + outPath + "'";
    auto abandon = [&](const std::string& message) {
        err << message << '\n';
        syncer.reset();
        outFile.cancel();
        return 1;
    };

    CsvReader reader(in);
    std::vector<std::string_view> fields;
    if (!reader.next(fields)) {
        if (reader.utf16())
            return abandon(inName + " is UTF-16 text: save it as UTF-8 (or plain ASCII) CSV and run it again.");
        if (reader.readError())
            return abandon(inName + " could not be read: " + std::strerror(errno));
        if (reader.tooLong())
            return abandon(inName + " starts with a line longer than 1 MB: it is not a CSV file of calculations.");
        return abandon(inName + " is empty: its first line must name the columns.");
    }

    // Which input each column feeds; columns the calculator does not know
    // are carried through as they stand.
    const std::size_t width = fields.size();
    std::vector<std::string> header(fields.begin(), fields.end());
    std::vector<std::optional<std::size_t>> columnInput(width);
    std::vector<std::string> unknown;
    std::vector<bool> hasColumn(calc.inputs.size());
    for (std::size_t i = 0; i < width; ++i) {
        const std::string name = lowerDashed(header[i]);
        const auto input = calc.inputIndex(name);
        if (!input) {
            unknown.push_back(header[i]);
            continue;
        }
        if (hasColumn[*input])
            return abandon(inName + " has the column '" + name + "' twice.");
        hasColumn[*input] = true;
        columnInput[i] = input;
    }
    if (unknown.size() == width) {
        std::string expected;
        for (const InputInfo& input : calc.inputs)
            expected += (expected.empty() ? "" : ", ") + input.key;
        std::string hint;
        for (const auto& h : header) {
            if (h.find('\0') != std::string::npos)
                hint = "\nIt holds NUL bytes: it may be UTF-16 text; save it as UTF-8 CSV.";
            else if (hint.empty() && h.find_first_of(";\t") != std::string::npos)
                hint = "\nIts columns must be separated by commas.";
        }
        return abandon(inName + " has no column the " + calc.name + " calculator reads.\nColumns found: " +
                       quotedList(header) + "\nColumns it reads: " + expected + hint);
    }
    for (std::size_t i = 0; i < calc.inputs.size(); ++i) {
        if (calc.inputs[i].required && !hasColumn[i] && !base.given(i))
            return abandon(inName + " has no column '" + calc.inputs[i].key + "', and --" + calc.inputs[i].key +
                           " is not given.");
    }
    if (!unknown.empty())
        err << "Copied as they stand, not read by the calculator: " << quotedList(unknown) << '\n';

    // Reads a row's cells into `row`, first reset to the options given, and
    // checks them: the row's error, or nothing. On the reading thread for a
    // row written out cell by cell (its cells), else on the writer's
    // threads (the record as it stands).
    std::vector<std::size_t> required;  // the inputs every row must give
    for (std::size_t i = 0; i < calc.inputs.size(); ++i) {
        if (calc.inputs[i].required)
            required.push_back(i);
    }
    const auto readRow = [&calc, &base, &columnInput, &required](Calculation& row, const auto& cells,
                                                                 std::string& error) {
        row.assign(base);
        InputProblem problem;
        std::optional<std::size_t> column;
        if constexpr (std::is_same_v<std::decay_t<decltype(cells)>, std::string_view>)
            column = row.setPlainRow(columnInput, cells, problem);
        else
            column = row.setRow(columnInput, cells, problem);
        if (column) {
            const std::string& key = calc.inputs[*columnInput[*column]].key;
            error = problem.usage ? key + ": " + problem.message : problem.message;
            return;
        }
        for (const std::size_t i : required) {
            if (!row.given(i)) {
                error = calc.inputs[i].key + ": a value is required";
                return;
            }
        }
        if (auto message = row.checkGiven())
            error = std::move(*message);
    };

    // Each row is read here, then calculated and its results written on the
    // writer's threads while the next rows are read: a row waiting for that
    // is kept under its tag (see CsvWriter::later()). A plain record, copied
    // to the output as it stands, is only split here: its cells are read
    // and checked on the writer's threads too, from that copy.
    std::vector<std::unique_ptr<Calculation>> rowsByTag(CsvWriter::kLaterTags);
    std::vector<unsigned char> readByWriter(CsvWriter::kLaterTags);  // by tag: its cells are still to be read
    std::atomic<std::uint64_t> rejected = 0;  // counted on the writer's threads
    std::vector<ResultKind> resultKinds;  // how each result is written
    for (const ResultInfo& r : calc.results)
        resultKinds.push_back(r.kind);
    CsvWriter writer(sink);
    writer.fillLater([&](std::size_t tag, std::string_view record, CsvWriter::Cells& cells) {
        Calculation& row = *rowsByTag[tag];
        std::string rejection;
        if (readByWriter[tag])
            readRow(row, record, rejection);
        if (!rejection.empty() || !row.run(rejection)) {
            ++rejected;
            for (std::size_t k = 0; k < calc.results.size(); ++k)
                cells.field({});
            cells.field(rejection);
            return;
        }
        // The figures come first, then the lists.
        const std::span<const double> figures = row.numbers();
        for (std::size_t k = 0; k < figures.size(); ++k) {
            if (resultKinds[k] == ResultKind::YesNo)
                cells.field(figures[k] != 0 ? "true" : "false");
            else if (resultKinds[k] == ResultKind::Whole && std::fabs(figures[k]) < 9e15)
                cells.integer(static_cast<long long>(figures[k]));
            else
                cells.number(figures[k]);
        }
        for (std::size_t k = figures.size(); k < calc.results.size(); ++k) {
            if (calc.results[k].list) {
                // A list in one cell, as the JSON array --json prints.
                const auto columns = row.listColumns(k);
                std::string cell = "[";
                for (std::size_t r = 0; r < row.listRows(k); ++r) {
                    cell += r ? ",{" : "{";
                    for (std::size_t c = 0; c < columns.size(); ++c) {
                        const double v = row.listValue(k, r, c);
                        nlohmann::json value = v;
                        if (columns[c].kind == ResultKind::YesNo)
                            value = v != 0;
                        else if (columns[c].kind == ResultKind::Whole && std::fabs(v) < 9e15)
                            value = static_cast<long long>(v);
                        cell += (c ? ",\"" : "\"") + columns[c].key + "\":" + value.dump();
                    }
                    cell += "}";
                }
                cells.field(cell + "]");
                continue;
            }
            std::string counts;
            for (const int n : row.counts(k))
                counts += (counts.empty() ? "" : " ") + std::to_string(n);
            cells.field(counts);
        }
        cells.field({});
    });
    writer.writeInBackground();
    for (const auto& h : header)
        writer.field(h);
    for (const ResultInfo& r : calc.results) {
        // A result named like a column of the file (the loan's solved
        // principal beside the principal column) gets a name of its own, so
        // no two columns share a name.
        bool taken = false;
        for (const auto& h : header)
            taken = taken || lowerDashed(h) == r.key;
        writer.field(taken ? r.key + "_result" : r.key);
    }
    writer.field("error");
    writer.endRecord();

    Progress progress(inPath);
    std::uint64_t rows = 0;
    std::uint64_t bad = 0;
    std::uint64_t unclosedRow = 0;
    std::uint64_t unclosedLine = 0;
    std::string error;
    while (reader.nextRecord()) {
        // A plain record is copied as it stands when the writer would write
        // it the same way: every field bare (no blank at either end). Its
        // fields are only counted here, not listed.
        const auto plain = reader.plainRecordText();
        const bool copied = plain && reader.plainFieldCount() == width && !reader.plainPadded();
        if (!copied) {
            reader.recordFields(fields);
            if (fields.size() == 1 && fields[0].empty() && !reader.unterminatedQuote())
                continue;  // a blank line
        } else if (width == 1 && plain->empty()) {
            continue;  // a blank line
        }
        ++rows;
        const std::size_t tag = writer.laterTag();
        std::unique_ptr<Calculation>& row = rowsByTag[tag];
        if (!row)
            row = calc.start();

        if (copied) {
            readByWriter[tag] = 1;
            writer.csvFields(*plain);
            writer.later();  // read, checked, calculated and written by the filler
            writer.endRecord();
            if ((rows & 0xffff) == 0)
                progress.update(reader.bytesRead(), rows);
            continue;
        }

        readByWriter[tag] = 0;
        error.clear();
        if (reader.unterminatedQuote()) {
            unclosedRow = rows;
            unclosedLine = reader.recordLine();
            error = "a quoted field is not closed before the end of the file";
        } else if (fields.size() < width) {
            error = "the row has " + std::to_string(fields.size()) + " fields where the header has " +
                std::to_string(width);
        } else if (fields.size() > width) {
            error = "the row has " + std::to_string(fields.size()) + " fields where the header has " +
                std::to_string(width) + "; the " + std::to_string(fields.size() - width) +
                " extra are copied after this column";
        } else {
            readRow(*row, std::span<const std::string_view>(fields), error);
        }
        for (std::size_t i = 0; i < width; ++i)
            writer.field(i < fields.size() ? fields[i] : std::string_view());
        if (error.empty()) {
            writer.later();  // calculated and written by the filler
        } else {
            ++bad;
            for (std::size_t k = 0; k < calc.results.size(); ++k)
                writer.field({});
            writer.field(error);
            for (std::size_t i = width; i < fields.size(); ++i)
                writer.field(fields[i]);
        }
        writer.endRecord();
        if ((rows & 0xffff) == 0)
            progress.update(reader.bytesRead(), rows);
    }
    progress.update(reader.bytesRead(), rows);
    progress.finish();

    const std::string nothingWritten = toStdout ? "" : " Nothing was written to " + outName + ".";
    if (reader.readError()) {
        writer.discard();
        return abandon(inName + " could not be read to the end: " + std::strerror(errno) + nothingWritten);
    }
    if (reader.tooLong()) {
        writer.discard();
        return abandon(inName + ": the row starting on line " + std::to_string(reader.recordLine()) +
                       " is longer than 1 MB (a quote that is never closed?)." + nothingWritten);
    }
    if (!writer.finish())
        return abandon("The results could not be written to " + outName + ": " + std::strerror(errno));
    if (!toStdout) {
#ifdef __linux__
        if (const int why = syncer ? syncer->stop() : 0)
            return abandon("The results could not be written to " + outName + ": " + std::strerror(why));
        syncer.reset();
#endif
        if (const QString problem = outFile.commit(); !problem.isEmpty()) {
            err << problem.toStdString() << '\n';
            return 1;
        }
    }
    bad += rejected;
    if (bad)
        err << rows << " rows, " << bad << " rejected (see the 'error' column)\n";
    if (unclosedRow) {
        err << inName << ": the quoted field of row " << unclosedRow << " (line " << unclosedLine
            << ") is not closed before the end of the file; that row is marked in 'error'.\n";
        return 1;
    }
    return 0;
}

}  // namespace grossby::cli
