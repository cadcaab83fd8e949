#pragma once
// Streaming CSV for batch files: records are read and written one at a time
// through fixed buffers, so memory stays flat whatever the file size.
//
// Fields are separated by commas; a field in double quotes may hold commas,
// line breaks and doubled quotes (""). Lines end in LF or CRLF. A UTF-8 byte
// order mark at the start of the input is skipped; a UTF-16 one ends the
// input with utf16() set. A record longer than the limit ends the input with
// tooLong() set rather than being held in memory.

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace grossby::cli {

/// Longest record a batch file may hold.
inline constexpr std::size_t kMaxCsvRecord = 1 << 20;

class CsvReader {
public:
    /// Reads from `file`, which the caller opens and closes.
    explicit CsvReader(std::FILE* file, std::size_t bufferSize = 1 << 20, std::size_t maxRecord = kMaxCsvRecord);

    /// Reads the next record into `fields`; false at the end of the input or
    /// when it cannot go on (readError(), tooLong(), utf16()). The views stay
    /// valid until the next call. A blank line is a record with one empty field.
    bool next(std::vector<std::string_view>& fields);
    /// Reads the next record as next() does, without making its list of
    /// fields: a plain record is only counted and checked (plainFieldCount(),
    /// plainPadded()); recordFields() gives the list when it is wanted.
    bool nextRecord();
    /// The fields of the record nextRecord() read, valid until the next read.
    void recordFields(std::vector<std::string_view>& fields) const;

    /// True when the last record ended inside an unclosed quoted field.
    bool unterminatedQuote() const { return m_unterminated; }
    /// True when a read from the file failed (as opposed to ending).
    bool readError() const { return m_readError; }
    /// True when a record was longer than the limit; recordLine() is where it starts.
    bool tooLong() const { return m_tooLong; }
    /// True when the input starts with a UTF-16 byte order mark.
    bool utf16() const { return m_utf16; }
    /// Bytes of the input consumed so far.
    std::uint64_t bytesRead() const { return m_consumed; }
    /// The last record's bytes as they stand in the file, without its line
    /// end, when it holds no quotes: its fields are views of it, in order,
    /// with the commas between them. Nothing when the record had quotes.
    std::optional<std::string_view> plainRecordText() const
    {
        return m_plain ? std::optional<std::string_view>(m_record) : std::nullopt;
    }
    /// How many fields the last record has, when it is plain (see plainRecordText()).
    std::size_t plainFieldCount() const { return m_plainFields; }
    /// Whether a field of the last plain record starts or ends with a space.
    bool plainPadded() const { return m_plainPadded; }
    /// Line number (1-based) on which the last record (or the refused one) started.
    std::uint64_t recordLine() const { return m_recordLine; }

private:
    // Each step of the parse either finishes its part of the record or needs
    // more of the input first; then the record is parsed again from its start.
    enum class Step { Done, NeedMore };

    bool fill();
    bool plainRecord();
    void checkStart();
    Step parseRecord(std::size_t& pos, std::uint64_t& lines);
    Step parseQuoted(std::size_t& pos, std::uint64_t& lines);
    Step parseBare(std::size_t& pos);
    Step parseTail(std::size_t quoteEnd, std::size_t& pos) const;
    Step parseEnd(std::size_t& pos, std::uint64_t& lines, bool& recordDone) const;
    void publish(std::vector<std::string_view>& fields) const;

    std::FILE* m_file;
    std::vector<char> m_buffer;
    std::size_t m_maxRecord;
    std::size_t m_begin = 0;  // first unread byte
    std::size_t m_end = 0;  // one past the last byte held
    bool m_eof = false;
    bool m_readError = false;
    bool m_tooLong = false;
    bool m_utf16 = false;
    bool m_unterminated = false;
    bool m_first = true;
    bool m_plain = false;  // the last record was read by plainRecord()
    std::string_view m_record;  // its bytes, when it was
    std::size_t m_plainFields = 0;  // its fields, when it was
    bool m_plainPadded = false;  // a field of it starts or ends with a space
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

/// Bytes of CSV being put together: a growing buffer, like std::string but
/// with room that a figure is written into directly (see room()), as a batch
/// writes millions of them.
class CsvText {
public:
    CsvText() = default;
    CsvText(const CsvText&) = delete;
    CsvText& operator=(const CsvText&) = delete;

    std::size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }
    std::size_t capacity() const { return m_capacity; }
    const char* data() const { return m_data.get(); }
    std::string_view view() const { return {m_data.get(), m_size}; }
    void clear() { m_size = 0; }
    void reserve(std::size_t capacity)
    {
        if (capacity > m_capacity)
            grow(capacity - m_size);
    }
    void push_back(char c)
    {
        if (m_size == m_capacity)
            grow(1);
        m_data[m_size++] = c;
    }
    void append(std::string_view text)
    {
        if (text.empty())
            return;
        std::memcpy(room(text.size()), text.data(), text.size());
        m_size += text.size();
    }
    /// At least `bytes` free bytes at the end, to write into; grew() then
    /// takes in what was written.
    char* room(std::size_t bytes)
    {
        if (m_capacity - m_size < bytes)
            grow(bytes);
        return m_data.get() + m_size;
    }
    /// Takes in the bytes written at room() up to `end`.
    void grew(const char* end) { m_size = static_cast<std::size_t>(end - m_data.get()); }
    void swap(CsvText& other) noexcept
    {
        std::swap(m_data, other.m_data);
        std::swap(m_size, other.m_size);
        std::swap(m_capacity, other.m_capacity);
    }

private:
    void grow(std::size_t bytes);

    std::unique_ptr<char[]> m_data;
    std::size_t m_size = 0;
    std::size_t m_capacity = 0;
};

class CsvWriter {
public:
    /// Takes the bytes written; false when they could not be written.
    using Sink = std::function<bool(std::string_view)>;

    explicit CsvWriter(Sink sink, std::size_t bufferSize = 1 << 20);
    /// Writes to `file`, which the caller opens and closes.
    explicit CsvWriter(std::FILE* file, std::size_t bufferSize = 1 << 20);
    ~CsvWriter();

    /// A text field, quoted when it holds a comma, quote or line break, or
    /// starts or ends with a space.
    void field(std::string_view text);
    /// Fields already in CSV form, commas and all, written as they stand
    /// (a plain record read back out: see CsvReader::plainRecordText()).
    void csvFields(std::string_view text)
    {
        separate();
        m_buffer.append(text);
    }
    /// A number in its shortest form that reads back to the same double.
    void number(double value);
    void integer(long long value);
    /// Ends the record with LF.
    void endRecord();

    /// Cells that a filler (see fillLater()) appends to a record.
    class Cells {
    public:
        explicit Cells(CsvText& out)
            : m_out(out)
        { }
        void field(std::string_view text);
        void number(double value);
        void integer(long long value);

    private:
        void separate()
        {
            if (!m_first)
                m_out.push_back(',');
            m_first = false;
        }
        CsvText& m_out;
        bool m_first = true;
    };
    /// Writes the cells held back under `tag` by later(). `record` is what
    /// the record held before them, as written with field(), integer() and
    /// csvFields() (in the background a figure given to number() is not in
    /// it yet), without the comma that ends it. In the background it is
    /// called on several threads at once, each with a tag of its own.
    using Filler = std::function<void(std::size_t tag, std::string_view record, Cells& cells)>;
    /// Threads that finish and write the buffers in the background.
    static constexpr std::size_t kWorkers = 2;
    /// How many later() places one buffer holds.
    static constexpr std::size_t kLaterPerBuffer = 1024;
    /// Every tag later() gives is below this.
    static constexpr std::size_t kLaterTags = (kWorkers + 1) * kLaterPerBuffer;

    /// Sets what writes the cells of later(); before writeInBackground().
    void fillLater(Filler filler) { m_filler = std::move(filler); }
    /// The tag the next later() takes. Its cells are written before the
    /// tag is given out again, so the caller may keep what they are made
    /// from under it until then.
    std::size_t laterTag() const { return m_laterBlock * kLaterPerBuffer + m_laterCount; }
    /// A place for cells the filler writes under laterTag(): in the
    /// background on the writing thread when the buffer is written out, so
    /// the work of making them is done there too; else at once.
    void later();

    /// From now on the numbers are formatted, the filler's cells made and the
    /// sink called on threads of their own (kWorkers), which finish and write
    /// the buffers out in order while the next one fills: for large outputs (a batch), whose writing then
    /// costs the caller next to nothing. The sink must not be used by anyone
    /// else until finish() or discard().
    void writeInBackground();

    /// Writes out what is buffered; false when the sink refused it (in the
    /// background: this or an earlier buffer; finish() tells for certain).
    bool flush();
    /// Flushes and lets go of the sink, so the caller may close its file;
    /// false when anything could not be written (errno says why).
    bool finish();
    /// Drops what is buffered and lets go of the sink.
    void discard();
    bool failed() const { return m_failed; }

private:
    void separate()
    {
        if (!m_atStart)
            m_buffer.push_back(',');
        m_atStart = false;
    }

    struct Background;
    void stopBackground();
    // What the background puts at `at`: a figure it formats, or the cells
    // the filler writes under `tag`.
    struct Pending {
        static constexpr std::size_t kNumber = ~std::size_t(0);
        std::size_t at;
        std::size_t tag;
        double value;
        std::size_t recordStart;  // for the filler's cells: where their record starts
    };

    Sink m_sink;
    Filler m_filler;
    std::unique_ptr<Background> m_background;
    CsvText m_buffer;
    std::vector<Pending> m_pending;  // in the background: what m_buffer lacks
    std::size_t m_limit;
    std::size_t m_laterBlock = 0;  // which block of tags this buffer's later() take
    std::size_t m_laterCount = 0;  // later() places in this buffer
    std::size_t m_recordStart = 0;  // where the record being written starts in m_buffer
    bool m_atStart = true;
    bool m_failed = false;
};

}  // namespace grossby::cli
