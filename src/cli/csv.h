#pragma once
// Streaming CSV for payroll files: records are read and written one at a
// time through fixed buffers, so memory stays flat whatever the file size.
//
// Fields are separated by commas; a field in double quotes may hold commas,
// line breaks and doubled quotes (""). Lines end in LF or CRLF. A UTF-8 byte
// order mark at the start of the input is skipped.

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace grossby::cli {

class CsvReader {
public:
    /// Reads from `file`, which the caller opens and closes.
    explicit CsvReader(std::FILE* file, std::size_t bufferSize = 1 << 20);

    /// Reads the next record into `fields`; false at the end of the input.
    /// The views stay valid until the next call. A blank line is a record
    /// with one empty field.
    bool next(std::vector<std::string_view>& fields);

    /// True when the last record ended inside an unclosed quoted field.
    bool unterminatedQuote() const { return m_unterminated; }
    /// True when a read from the file failed (as opposed to ending).
    bool readError() const { return m_readError; }
    /// Bytes of the input consumed so far.
    std::uint64_t bytesRead() const { return m_consumed; }
    /// Line number (1-based) on which the last record started.
    std::uint64_t recordLine() const { return m_recordLine; }

private:
    bool fill();

    std::FILE* m_file;
    std::vector<char> m_buffer;
    std::size_t m_begin = 0;  // first unread byte
    std::size_t m_end = 0;  // one past the last byte held
    bool m_eof = false;
    bool m_readError = false;
    bool m_unterminated = false;
    bool m_first = true;
    std::uint64_t m_consumed = 0;
    std::uint64_t m_line = 1;
    std::uint64_t m_recordLine = 0;
    // Where each field of the record being read lies: in the buffer, or in
    // the arena when its quotes had to be undone.
    struct Span {
        bool unescaped;
        std::size_t offset;
        std::size_t length;
    };
    std::vector<Span> m_spans;
    std::string m_arena;
};

class CsvWriter {
public:
    /// Writes to `file`, which the caller opens and closes.
    explicit CsvWriter(std::FILE* file, std::size_t bufferSize = 1 << 20);
    ~CsvWriter();

    /// A text field, quoted when it holds a comma, quote or line break, or
    /// starts or ends with a space.
    void field(std::string_view text);
    /// A number in its shortest form that reads back to the same double.
    void number(double value);
    void integer(long long value);
    /// Ends the record with LF.
    void endRecord();

    /// Writes out what is buffered; false when the file refused it.
    bool flush();
    /// Flushes and lets go of the file, so the caller may close it.
    bool finish();
    /// Drops what is buffered and lets go of the file.
    void discard();
    bool failed() const { return m_failed; }

private:
    void separate()
    {
        if (!m_atStart)
            m_buffer.push_back(',');
        m_atStart = false;
    }

    std::FILE* m_file;
    std::string m_buffer;
    std::size_t m_limit;
    bool m_atStart = true;
    bool m_failed = false;
};

}  // namespace grossby::cli
