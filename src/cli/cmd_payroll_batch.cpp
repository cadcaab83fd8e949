// A payroll file through a period calculator, row by row: the input is read
// and the output written through fixed buffers, so memory stays flat for any
// number of employees.

#include "cli/cmd_payroll.h"
#include "cli/csv.h"
#include "core/module1.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>
#include <unordered_map>

namespace grossby::cli::payroll {
namespace {

std::string lowerDashed(std::string_view name)
{
    std::string out;
    for (char c : name) {
        if (c == '_')
            c = '-';
        else if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        out.push_back(c);
    }
    while (!out.empty() && (out.front() == ' ' || out.front() == '\t'))
        out.erase(out.begin());
    while (!out.empty() && (out.back() == ' ' || out.back() == '\t'))
        out.pop_back();
    return out;
}

// Shows how far a long run has got, on standard error when it is a terminal.
class Progress {
public:
    explicit Progress(std::FILE* in)
    {
        struct stat st { };
        if (isatty(STDERR_FILENO) && fstat(fileno(in), &st) == 0 && S_ISREG(st.st_mode) && st.st_size > (1 << 20))
            m_total = static_cast<std::uint64_t>(st.st_size);
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
        std::fprintf(stderr, "\r[%s%s] %3d%%  %llu rows", std::string(filled, '#').c_str(),
                     std::string(width - filled, '.').c_str(), percent, static_cast<unsigned long long>(rows));
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

bool sameFile(std::FILE* in, const std::string& outPath)
{
    struct stat a {
    }, b{};
    return fstat(fileno(in), &a) == 0 && stat(outPath.c_str(), &b) == 0 && a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

}  // namespace

int runBatch(const Request& base, const std::string& inPath, const std::string& outPath)
{
    const bool fromStdin = inPath == "-";
    std::FILE* in = fromStdin ? stdin : std::fopen(inPath.c_str(), "rb");
    if (!in) {
        std::cerr << "The payroll file '" << inPath << "' could not be opened: " << std::strerror(errno) << '\n';
        return 1;
    }
    struct Closer {
        std::FILE* f;
        bool own;
        ~Closer()
        {
            if (own && f)
                std::fclose(f);
        }
    } inCloser{in, !fromStdin};

    // Results go to a file beside the target and replace it only when the
    // whole run is written, so a failed run leaves any earlier output whole.
    const bool toStdout = outPath == "-";
    std::string partialPath;
    std::FILE* out = stdout;
    if (!toStdout) {
        if (sameFile(in, outPath)) {
            std::cerr << "--out: '" << outPath << "' is the payroll file itself; give another name\n";
            return 2;
        }
        partialPath = outPath + ".partial-XXXXXX";
        const int fd = mkstemp(partialPath.data());
        if (fd < 0 || !(out = fdopen(fd, "wb"))) {
            std::cerr << "The results file '" << outPath << "' could not be created: " << std::strerror(errno) << '\n';
            if (fd >= 0) {
                close(fd);
                std::remove(partialPath.c_str());
            }
            return 1;
        }
        const mode_t mask = umask(0);
        umask(mask);
        fchmod(fd, 0666 & ~mask);
    }
    auto abandon = [&](const std::string& message) {
        std::cerr << message << '\n';
        if (!toStdout) {
            std::fclose(out);
            std::remove(partialPath.c_str());
        }
        return 1;
    };

    CsvReader reader(in);
    std::vector<std::string_view> fields;
    if (!reader.next(fields)) {
        if (reader.readError())
            return abandon("The payroll file '" + inPath + "' could not be read: " + std::strerror(errno));
        return abandon("The payroll file '" + inPath + "' is empty: its first line must name the columns.");
    }

    // Which input each column feeds; columns the calculator does not know are
    // carried through as they stand.
    const std::vector<InputSpec> inputList = inputsOf(base.kind);
    std::unordered_map<std::string, InputKey> known;
    for (const InputSpec& s : inputList)
        known.emplace(s.name, s.key);
    const std::size_t width = fields.size();
    std::vector<std::string> header(fields.begin(), fields.end());
    std::vector<std::optional<InputKey>> columnKey(width);
    std::vector<std::string> unknown;
    for (std::size_t i = 0; i < width; ++i) {
        const std::string name = lowerDashed(header[i]);
        const auto it = known.find(name);
        if (it == known.end()) {
            unknown.push_back(header[i]);
            continue;
        }
        for (std::size_t j = 0; j < i; ++j) {
            if (columnKey[j] == it->second)
                return abandon("The payroll file '" + inPath + "' has the column '" + name + "' twice.");
        }
        columnKey[i] = it->second;
    }
    if (!unknown.empty()) {
        std::string list;
        for (const auto& u : unknown)
            list += (list.empty() ? "'" : ", '") + u + "'";
        std::cerr << "Copied as they stand, not read by the calculator: " << list << '\n';
    }

    CsvWriter writer(out);
    for (const auto& h : header)
        writer.field(h);
    const std::vector<std::string> resultNames = resultKeys(base.kind);
    for (const auto& k : resultNames)
        writer.field(k);
    writer.field("error");
    writer.endRecord();

    Progress progress(in);
    Module1 state;
    std::uint64_t rows = 0;
    std::uint64_t bad = 0;
    std::string error;
    std::string counts;
    while (reader.next(fields)) {
        if (fields.size() == 1 && fields[0].empty() && !reader.unterminatedQuote())
            continue;  // a blank line
        ++rows;
        error.clear();
        if (fields.size() != width)
            error = "the row has " + std::to_string(fields.size()) + " fields where the header has " +
                std::to_string(width);
        else if (reader.unterminatedQuote())
            error = "a quoted field is not closed before the end of the file";

        Request request = base;
        for (std::size_t i = 0; error.empty() && i < width; ++i) {
            if (!columnKey[i])
                continue;
            if (auto problem = applyInput(request, *columnKey[i], fields[i]))
                error = problem->usage ? lowerDashed(header[i]) + ": " + problem->message : problem->message;
        }
        Outcome outcome;
        if (error.empty()) {
            outcome = compute(request, state);
            if (const auto* e = std::get_if<InputError>(&outcome))
                error = e->text;
        }

        for (std::size_t i = 0; i < width; ++i)
            writer.field(i < fields.size() ? fields[i] : std::string_view());
        if (error.empty()) {
            for (const ResultValue& v : resultValues(outcome))
                writer.number(v.value);
            if (const auto* a = std::get_if<AnnualResult>(&outcome)) {
                counts.clear();
                for (const int n : a->beneficiariesByMonth)
                    counts += (counts.empty() ? "" : " ") + std::to_string(n);
                writer.field(counts);
            }
            writer.field({});
        } else {
            ++bad;
            for (std::size_t k = 0; k < resultNames.size(); ++k)
                writer.field({});
            writer.field(error);
        }
        writer.endRecord();
        if ((rows & 0xffff) == 0)
            progress.update(reader.bytesRead(), rows);
    }
    progress.update(reader.bytesRead(), rows);
    progress.finish();

    if (reader.readError()) {
        writer.discard();
        return abandon("The payroll file '" + inPath + "' could not be read to the end: " + std::strerror(errno));
    }
    if (!writer.finish())
        return abandon("The results could not be written to '" + (toStdout ? std::string("standard output") : outPath) +
                       "': " + std::strerror(errno));
    if (!toStdout) {
        if (std::fclose(out) != 0) {
            std::remove(partialPath.c_str());
            std::cerr << "The results could not be written to '" << outPath << "': " << std::strerror(errno) << '\n';
            return 1;
        }
        if (std::rename(partialPath.c_str(), outPath.c_str()) != 0) {
            std::cerr << "The results could not be saved as '" << outPath << "': " << std::strerror(errno) << '\n';
            std::remove(partialPath.c_str());
            return 1;
        }
    }
    if (bad)
        std::cerr << rows << " rows, " << bad << " rejected (see the 'error' column)\n";
    return 0;
}

}  // namespace grossby::cli::payroll
