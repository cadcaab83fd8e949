#include "cli/csv.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <condition_variable>
#include <cstdint>
#include <cstring>
#include <mutex>
#include <thread>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// Only the shortest digits of a double are taken from fmt (Dragonbox), with
// its code compiled in here rather than linked.
#define FMT_HEADER_ONLY
#include <fmt/format.h>

// The steps a plain record takes are kept inline in next(): a batch file is
// millions of them. Quoted fields, rare in payroll files, stay a call away.
#if defined(__GNUC__)
#define GROSSBY_CSV_INLINE inline __attribute__((always_inline))
#define GROSSBY_CSV_LAMBDA_INLINE __attribute__((always_inline))
#else
#define GROSSBY_CSV_INLINE inline
#define GROSSBY_CSV_LAMBDA_INLINE
#endif

namespace grossby::cli {

CsvReader::CsvReader(std::FILE* file, std::size_t bufferSize, std::size_t maxRecord)
    : m_file(file)
    , m_buffer(std::max<std::size_t>(bufferSize, 4))
    , m_maxRecord(maxRecord)
{ }

bool CsvReader::fill()
{
    // Keep the unread tail, growing the buffer when one record fills it.
    if (m_begin > 0) {
        std::memmove(m_buffer.data(), m_buffer.data() + m_begin, m_end - m_begin);
        m_end -= m_begin;
        m_begin = 0;
    }
    if (m_end == m_buffer.size())
        m_buffer.resize(m_buffer.size() * 2);
    const std::size_t got = std::fread(m_buffer.data() + m_end, 1, m_buffer.size() - m_end, m_file);
    m_end += got;
    if (got == 0) {
        m_eof = true;
        if (std::ferror(m_file))
            m_readError = true;
    }
    checkStart();
    return got > 0;
}

// The byte order mark, once three bytes (or the whole input) are in.
void CsvReader::checkStart()
{
    if (!m_first || (m_end - m_begin < 3 && !m_eof))
        return;
    m_first = false;
    const std::size_t held = m_end - m_begin;
    const char* p = m_buffer.data() + m_begin;
    if (held >= 3 && std::memcmp(p, "\xEF\xBB\xBF", 3) == 0) {
        m_begin += 3;
        m_consumed += 3;
    } else if (held >= 2 && (std::memcmp(p, "\xFF\xFE", 2) == 0 || std::memcmp(p, "\xFE\xFF", 2) == 0)) {
        m_utf16 = true;
    }
}

// Fields and their separators up to the end of the record.
GROSSBY_CSV_INLINE CsvReader::Step CsvReader::parseRecord(std::size_t& pos, std::uint64_t& lines)
{
    for (;;) {
        const Step step = pos < m_end && m_buffer[pos] == '"' ? parseQuoted(pos, lines) : parseBare(pos);
        if (step == Step::NeedMore)
            return step;
        bool recordDone = false;
        if (parseEnd(pos, lines, recordDone) == Step::NeedMore)
            return Step::NeedMore;
        if (recordDone)
            return Step::Done;
    }
}

// A field without quotes: up to the next separator or line end.
GROSSBY_CSV_INLINE CsvReader::Step CsvReader::parseBare(std::size_t& pos)
{
    const char* const base = m_buffer.data();
    std::size_t p = pos;
    while (p < m_end && base[p] != ',' && base[p] != '\n' && base[p] != '\r')
        ++p;
    if (p == m_end && !m_eof)
        return Step::NeedMore;
    m_spans.push_back({false, pos, p - pos});
    pos = p;
    return Step::Done;
}

// A field in quotes. It is copied to the arena only when it holds doubled
// quotes or text after its closing quote; otherwise it is viewed in place.
CsvReader::Step CsvReader::parseQuoted(std::size_t& pos, std::uint64_t& lines)
{
    const char* const base = m_buffer.data();
    const std::size_t start = pos + 1;
    const std::size_t arenaStart = m_arena.size();
    bool escaped = false;
    bool closed = false;
    std::size_t p = start;
    for (;;) {
        const void* found = std::memchr(base + p, '"', m_end - p);
        const std::size_t quote = found ? static_cast<std::size_t>(static_cast<const char*>(found) - base) : m_end;
        lines += static_cast<std::uint64_t>(std::count(base + p, base + quote, '\n'));
        if (escaped)
            m_arena.append(base + p, quote - p);
        if (quote == m_end) {
            p = m_end;
            break;
        }
        if (quote + 1 == m_end && !m_eof)
            return Step::NeedMore;  // cannot tell "" from " yet
        if (quote + 1 < m_end && base[quote + 1] == '"') {
            if (!escaped)
                m_arena.append(base + start, quote - start);
            escaped = true;
            m_arena.push_back('"');
            p = quote + 2;
            continue;
        }
        closed = true;
        p = quote;
        break;
    }
    if (!closed && !m_eof)
        return Step::NeedMore;
    const std::size_t contentEnd = p;
    const std::size_t afterQuote = closed ? p + 1 : p;
    m_unterminated = m_unterminated || !closed;
    std::size_t tail = afterQuote;
    if (parseTail(afterQuote, tail) == Step::NeedMore)
        return Step::NeedMore;
    if (escaped || tail > afterQuote) {
        if (!escaped)
            m_arena.append(base + start, contentEnd - start);
        m_arena.append(base + afterQuote, tail - afterQuote);
        m_spans.push_back({true, arenaStart, m_arena.size() - arenaStart});
    } else {
        m_spans.push_back({false, start, contentEnd - start});
    }
    pos = tail;
    return Step::Done;
}

// Text between a closing quote and the separator, kept as it stands.
CsvReader::Step CsvReader::parseTail(std::size_t quoteEnd, std::size_t& pos) const
{
    const char* const base = m_buffer.data();
    std::size_t p = quoteEnd;
    while (p < m_end && base[p] != ',' && base[p] != '\n' && base[p] != '\r')
        ++p;
    if (p == m_end && !m_eof)
        return Step::NeedMore;
    pos = p;
    return Step::Done;
}

// After a field: a separator, a line end (LF or CRLF) or the end of the input.
GROSSBY_CSV_INLINE CsvReader::Step CsvReader::parseEnd(std::size_t& pos, std::uint64_t& lines, bool& recordDone) const
{
    const char* const base = m_buffer.data();
    if (pos < m_end && base[pos] == ',') {
        ++pos;
        return Step::Done;
    }
    recordDone = true;
    if (pos < m_end && base[pos] == '\r') {
        if (pos + 1 == m_end && !m_eof)
            return Step::NeedMore;
        ++pos;
        if (pos < m_end && base[pos] == '\n')
            ++pos;
        ++lines;
    } else if (pos < m_end && base[pos] == '\n') {
        ++pos;
        ++lines;
    }
    return Step::Done;
}

// Views into the arena are made only now that it no longer grows.
GROSSBY_CSV_INLINE void CsvReader::publish(std::vector<std::string_view>& fields) const
{
    fields.clear();
    for (const Span& s : m_spans)
        fields.emplace_back((s.unescaped ? m_arena.data() : m_buffer.data()) + s.offset, s.length);
}

namespace {

// Bytes that end a bare field, or that a plain record may not hold.
struct StopBytes {
    bool table[256] = {};
    constexpr StopBytes()
    {
        for (const char c : {',', '\n', '\r', '"'})
            table[static_cast<unsigned char>(c)] = true;
    }
};
constexpr StopBytes kStop;

}  // namespace

// Most records of a batch file are bare fields on one line, whole in the
// buffer: they are only counted and checked for padding in one pass, their
// fields viewed in place when asked for (fields()). Anything else (a quote, a
// lone CR, a record the buffer cuts) is left to the full parse.
GROSSBY_CSV_INLINE bool CsvReader::plainRecord()
{
    const char* const base = m_buffer.data();
    const char* const end = base + m_end;
    const char* start = base + m_begin;
    std::size_t count = 0;
    bool padded = false;
    // One byte that ends a field: a comma goes on to the next field, a line
    // end finishes the record; a quote or a lone CR is the full parse's.
    enum class Stop { Field, Record, Refused };
    std::size_t lineEnd = 0;
    const auto endField = [&](const char* p) GROSSBY_CSV_LAMBDA_INLINE {
        ++count;
        padded = padded || (p != start && (*start == ' ' || p[-1] == ' '));
    };
    const auto stopAt = [&](const char* p) GROSSBY_CSV_LAMBDA_INLINE {
        if (*p == ',') {
            endField(p);
            start = p + 1;
            return Stop::Field;
        }
        if (*p == '\n')
            lineEnd = 1;
        else if (*p == '\r' && p + 1 != end && p[1] == '\n')
            lineEnd = 2;
        else
            return Stop::Refused;
        endField(p);
        return Stop::Record;
    };
    const char* p = start;
    const char* stop = nullptr;
#if defined(__SSE2__)
    // Sixteen bytes at a time: the bytes that end a field as a bit mask.
    const __m128i comma = _mm_set1_epi8(',');
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i quote = _mm_set1_epi8('"');
    for (; !stop && end - p >= 16; p += 16) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        auto mask = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(chunk, comma), _mm_cmpeq_epi8(chunk, lf)),
                                           _mm_or_si128(_mm_cmpeq_epi8(chunk, cr), _mm_cmpeq_epi8(chunk, quote)))));
        for (; mask; mask &= mask - 1) {
            const char* at = p + __builtin_ctz(mask);
            const Stop s = stopAt(at);
            if (s == Stop::Refused)
                return false;
            if (s == Stop::Record) {
                stop = at;
                break;
            }
        }
    }
#endif
    for (; !stop && p != end; ++p) {
        if (!kStop.table[static_cast<unsigned char>(*p)])
            continue;
        const Stop s = stopAt(p);
        if (s == Stop::Refused)
            return false;
        if (s == Stop::Record)
            stop = p;
    }
    if (!stop)
        return false;
    const std::size_t next = static_cast<std::size_t>(stop - base) + lineEnd;
    m_plain = true;
    m_plainFields = count;
    m_plainPadded = padded;
    m_record = {base + m_begin, static_cast<std::size_t>(stop - (base + m_begin))};
    m_recordLine = m_line;
    ++m_line;
    m_consumed += next - m_begin;
    m_begin = next;
    return true;
}

void CsvText::grow(std::size_t bytes)
{
    const std::size_t capacity = std::max({m_capacity * 2, m_size + bytes, std::size_t(256)});
    auto data = std::make_unique_for_overwrite<char[]>(capacity);
    if (m_size)
        std::memcpy(data.get(), m_data.get(), m_size);
    m_data = std::move(data);
    m_capacity = capacity;
}

bool CsvReader::next(std::vector<std::string_view>& fields)
{
    if (!nextRecord())
        return false;
    recordFields(fields);
    return true;
}

void CsvReader::recordFields(std::vector<std::string_view>& fields) const
{
    if (!m_plain) {
        publish(fields);
        return;
    }
    fields.clear();
    const char* p = m_record.data();
    const char* const end = p + m_record.size();
    for (;;) {
        const auto* comma = static_cast<const char*>(std::memchr(p, ',', static_cast<std::size_t>(end - p)));
        if (!comma) {
            fields.emplace_back(p, static_cast<std::size_t>(end - p));
            return;
        }
        fields.emplace_back(p, static_cast<std::size_t>(comma - p));
        p = comma + 1;
    }
}

bool CsvReader::nextRecord()
{
    for (;;) {
        if (m_utf16 || m_tooLong || m_readError)
            return false;
        if (m_first || (m_begin == m_end && !m_eof)) {
            fill();
            continue;
        }
        if (m_begin == m_end)
            return false;  // the end of the input
        m_unterminated = false;
        if (plainRecord())
            return true;
        m_plain = false;
        m_spans.clear();
        m_arena.clear();
        std::size_t pos = m_begin;
        std::uint64_t lines = 0;
        if (parseRecord(pos, lines) == Step::NeedMore) {
            if (m_end - m_begin >= m_maxRecord) {
                m_tooLong = true;
                m_recordLine = m_line;
                return false;
            }
            fill();
            continue;
        }
        m_recordLine = m_line;
        m_line += lines;
        m_consumed += pos - m_begin;
        m_begin = pos;
        return true;
    }
}

CsvWriter::CsvWriter(Sink sink, std::size_t bufferSize)
    : m_sink(std::move(sink))
    , m_limit(bufferSize)
{
    m_buffer.reserve(bufferSize + 4096);
}

CsvWriter::CsvWriter(std::FILE* file, std::size_t bufferSize)
    : CsvWriter(
          [file](std::string_view bytes) {
              return std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() && std::fflush(file) == 0;
          },
          bufferSize)
{ }

CsvWriter::~CsvWriter()
{
    flush();
    stopBackground();
}

namespace {

// Characters that make a field need quotes.
struct SpecialChars {
    bool table[256] = {};
    constexpr SpecialChars()
    {
        table[static_cast<unsigned char>(',')] = true;
        table[static_cast<unsigned char>('"')] = true;
        table[static_cast<unsigned char>('\r')] = true;
        table[static_cast<unsigned char>('\n')] = true;
    }
};
constexpr SpecialChars kSpecial;

bool needsQuotes(std::string_view text)
{
    if (text.empty())
        return false;
    if (text.front() == ' ' || text.back() == ' ')
        return true;
    for (const char c : text) {
        if (kSpecial.table[static_cast<unsigned char>(c)])
            return true;
    }
    return false;
}

// A field at the end of `out`, in quotes when it needs them.
void appendField(CsvText& out, std::string_view text)
{
    if (!needsQuotes(text)) {
        out.append(text);
        return;
    }
    out.push_back('"');
    for (const char c : text) {
        if (c == '"')
            out.push_back('"');
        out.push_back(c);
    }
    out.push_back('"');
}

void appendInteger(CsvText& out, long long value)
{
    char* const at = out.room(24);
    out.grew(std::to_chars(at, at + 24, value).ptr);
}

}  // namespace

void CsvWriter::field(std::string_view text)
{
    separate();
    appendField(m_buffer, text);
}

namespace {

constexpr double kPow10[] = {1, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};

// "00" to "99", so digits are written two at a time.
constexpr struct DigitPairs {
    char text[200] = {};
    constexpr DigitPairs()
    {
        for (int i = 0; i < 100; ++i) {
            text[2 * i] = static_cast<char>('0' + i / 10);
            text[2 * i + 1] = static_cast<char>('0' + i % 10);
        }
    }
} kDigitPairs;

// How many digits N has (one for 0).
GROSSBY_CSV_INLINE int digitCount(std::uint64_t n)
{
    static constexpr std::uint64_t kPowers[] = {1,
                                                10,
                                                100,
                                                1000,
                                                10000,
                                                100000,
                                                1000000,
                                                10000000,
                                                100000000,
                                                1000000000,
                                                10000000000,
                                                100000000000,
                                                1000000000000,
                                                10000000000000,
                                                100000000000000,
                                                1000000000000000,
                                                10000000000000000,
                                                100000000000000000,
                                                1000000000000000000,
                                                10000000000000000000u};
    // log10(2) is about 1233 / 4096: a first guess from the bits, one too
    // few at most.
    const int guess = (64 - std::countl_zero(n | 1)) * 1233 >> 12;
    return guess + (n >= kPowers[guess]);
}

// The four digits of v < 10000, ending at `end`.
GROSSBY_CSV_INLINE void writeFourBack(std::uint32_t v, char* end)
{
    std::memcpy(end - 4, kDigitPairs.text + 2 * (v / 100), 2);
    std::memcpy(end - 2, kDigitPairs.text + 2 * (v % 100), 2);
}

// The last `count` digits of N (with leading zeros), ending at `end`; N
// without them is returned. Eight digits at a time are cut off N first and
// then laid out in 32-bit steps that do not wait on each other.
GROSSBY_CSV_INLINE std::uint64_t writeDigitsBack(std::uint64_t n, int count, char* end)
{
    for (; count >= 8; count -= 8) {
        const auto block = static_cast<std::uint32_t>(n % 100000000);
        n /= 100000000;
        writeFourBack(block % 10000, end);
        writeFourBack(block / 10000, end - 4);
        end -= 8;
    }
    if (count >= 4) {
        writeFourBack(static_cast<std::uint32_t>(n % 10000), end);
        n /= 10000;
        end -= 4;
        count -= 4;
    }
    if (count >= 2) {
        end -= 2;
        std::memcpy(end, kDigitPairs.text + 2 * (n % 100), 2);
        n /= 100;
        count -= 2;
    }
    if (count) {
        *--end = static_cast<char>('0' + n % 10);
        n /= 10;
    }
    return n;
}

// N / 10^k at `out`, with its sign: the digits of N with the point put in
// k from the end, and a 0 before the point when N has no more digits than
// that. Returns the end.
GROSSBY_CSV_INLINE char* writeFixed(std::uint64_t n, int k, bool negative, char* out)
{
    if (negative)
        *out++ = '-';
    const int length = digitCount(n);
    const int whole = length > k ? length - k : 1;
    char* const point = out + whole;
    char* const end = k > 0 ? point + 1 + k : point;
    if (k > 0) {
        n = writeDigitsBack(n, k, end);
        *point = '.';
    }
    writeDigitsBack(n, whole, point);
    return end;
}

// The shortest decimal that reads back as `value`, for the figures a batch
// writes by the million (amounts with a few decimals). At k decimals, while
// 10^k * |value| stays below 2^52 / 1000, doubles near value * 10^k lie less
// than a thousandth apart, so at most one k-decimal figure reads back as
// `value`: N = round(value * 10^k), when N / 10^k is `value` again (a
// division of two exact doubles, so correctly rounded: the test is exact).
// Any shorter figure that reads back is N without some of its trailing
// zeros, so N without all of them is the shortest there is, the one
// std::to_chars gives. Cents are tried first (most figures are amounts),
// then the most decimals (up to nine) the bound allows. Writes the figure
// at `out` and returns its end, or nullptr when neither reads back (or the
// value is too large): shortestFixed() then does it.
char* shortFixed(double value, char* out)
{
    constexpr double kLimit = 4e12;
    const double magnitude = std::fabs(value);
    int k = 2;
    std::uint64_t n = 0;
    const auto readsBack = [&] {
        // Below kLimit, so signed conversions (one instruction each) do.
        const auto scaled = static_cast<std::int64_t>(magnitude * kPow10[k] + 0.5);
        n = static_cast<std::uint64_t>(scaled);
        return static_cast<double>(scaled) / kPow10[k] == magnitude;
    };
    if (!(magnitude * kPow10[k] < kLimit) || !readsBack()) {
        k = 9;
        while (!(magnitude * kPow10[k] < kLimit)) {
            if (--k < 0)
                return nullptr;  // too large, or not finite
        }
        if (k == 2 || !readsBack())
            return nullptr;
    }
    while (k > 0 && n % 10 == 0) {
        n /= 10;
        --k;
    }
    return writeFixed(n, k, value < 0, out);
}

// The shortest decimal that reads back as `value`, the nearest to it where
// several are as short (ties to even), as Dragonbox finds it: the digits
// std::to_chars gives, found in a fraction of its time. Below 2^53 the
// fewest digits are also the fewest characters in fixed form; beyond that
// (and for infinities and NaN) this returns nullptr and std::to_chars does it.
char* shortestFixed(double value, char* out)
{
    const double magnitude = std::fabs(value);
    if (!(magnitude > 0 && magnitude < 0x1p53))
        return nullptr;
    const auto decimal = fmt::detail::dragonbox::to_decimal(magnitude);
    std::uint64_t n = decimal.significand;
    int k = -decimal.exponent;
    for (; k < 0; ++k)
        n *= 10;  // below 2^53, so it fits
    return writeFixed(n, k, value < 0, out);
}

}  // namespace

namespace {

// A number in its shortest fixed form, at the end of `out`.
void appendNumber(CsvText& out, double value)
{
    if (value == 0) {
        out.push_back('0');  // never "-0"
        return;
    }
    // The fewest digits that read back as the same double, never in
    // exponent form: a spreadsheet shows 300000, not 3e+05. The longest
    // (DBL_MAX) is 309 digits.
    constexpr std::size_t kLongest = 400;
    char* const at = out.room(kLongest);
    char* end = shortFixed(value, at);
    if (!end)
        end = shortestFixed(value, at);
    if (!end) {
        auto res = std::to_chars(at, at + kLongest, value, std::chars_format::fixed);
        if (res.ec != std::errc())
            res = std::to_chars(at, at + kLongest, value);
        end = res.ptr;
    }
    out.grew(end);
}

}  // namespace

void CsvWriter::number(double value)
{
    separate();
    if (m_background) {
        // Written out by the background thread, which puts it in its place.
        m_pending.push_back({m_buffer.size(), Pending::kNumber, value, 0});
        return;
    }
    appendNumber(m_buffer, value);
}

void CsvWriter::integer(long long value)
{
    separate();
    appendInteger(m_buffer, value);
}

void CsvWriter::later()
{
    const std::size_t recordEnd = m_atStart ? m_recordStart : m_buffer.size();
    separate();
    if (!m_background) {
        // The record is copied: the cells grow the buffer it lies in.
        const std::string record(m_buffer.view().substr(m_recordStart, recordEnd - m_recordStart));
        Cells cells(m_buffer);
        m_filler(laterTag(), record, cells);
        return;
    }
    m_pending.push_back({m_buffer.size(), laterTag(), 0, m_recordStart});
    if (++m_laterCount == kLaterPerBuffer)
        flush();  // the next half of the tags: the buffer that held them is written
}

void CsvWriter::endRecord()
{
    m_buffer.push_back('\n');
    m_atStart = true;
    m_recordStart = m_buffer.size();
    // What is held back counts too, so a file of figures alone stays in bounds.
    if (m_buffer.size() + m_pending.size() * sizeof(Pending) >= m_limit)
        flush();
}

void CsvWriter::Cells::field(std::string_view text)
{
    separate();
    appendField(m_out, text);
}

void CsvWriter::Cells::number(double value)
{
    separate();
    appendNumber(m_out, value);
}

void CsvWriter::Cells::integer(long long value)
{
    separate();
    appendInteger(m_out, value);
}

// The threads that finish the buffers and write them out. Each takes one
// buffer, puts in its figures and filler's cells, and writes it once every
// buffer handed over before it is written.
struct CsvWriter::Background {
    struct Worker {
        CsvText pending;  // being finished and written while busy
        std::vector<Pending> pendingCells;  // the figures and filler's cells it lacks
        CsvText composed;  // the two put together
        std::uint64_t order = 0;  // its place among the buffers handed over
        bool busy = false;
        std::thread thread;
    };
    std::mutex mutex;
    std::condition_variable changed;
    Sink sink;
    Filler filler;
    std::array<Worker, kWorkers> workers;
    std::uint64_t handedOver = 0;
    std::uint64_t written = 0;  // buffers written (or, after a failure, dropped)
    bool stop = false;
    bool failed = false;
    int error = 0;  // errno of the failed write

    void run(Worker& w)
    {
        std::unique_lock lock(mutex);
        for (;;) {
            changed.wait(lock, [&] { return w.busy || stop; });
            if (!w.busy)
                return;
            lock.unlock();
            const CsvText* bytes = &w.pending;
            if (!w.pendingCells.empty()) {
                w.composed.clear();
                std::size_t from = 0;
                for (const Pending& cell : w.pendingCells) {
                    w.composed.append(w.pending.view().substr(from, cell.at - from));
                    if (cell.tag == Pending::kNumber) {
                        appendNumber(w.composed, cell.value);
                    } else {
                        // The record as it stands in the buffer, its comma left out.
                        const std::string_view record(w.pending.data() + cell.recordStart,
                                                      cell.at - cell.recordStart - (cell.at > cell.recordStart));
                        Cells cells(w.composed);
                        filler(cell.tag, record, cells);
                    }
                    from = cell.at;
                }
                w.composed.append(w.pending.view().substr(from));
                bytes = &w.composed;
            }
            lock.lock();
            changed.wait(lock, [&] { return written == w.order; });
            if (!failed) {
                // The one writer at a time: the others wait for their turn.
                lock.unlock();
                errno = 0;
                const bool ok = sink(bytes->view());
                const int why = errno;
                lock.lock();
                if (!ok) {
                    failed = true;
                    error = why;
                }
            }
            ++written;
            w.pending.clear();
            w.pendingCells.clear();
            w.busy = false;
            changed.notify_all();
        }
    }
};

void CsvWriter::writeInBackground()
{
    if (m_background || !m_sink)
        return;
    m_background = std::make_unique<Background>();
    m_background->sink = m_sink;
    m_background->filler = m_filler;
    for (auto& w : m_background->workers) {
        w.pending.reserve(m_buffer.capacity());
        w.thread = std::thread([bg = m_background.get(), &w] { bg->run(w); });
    }
}

// Waits for the last buffers to be written and ends the threads.
void CsvWriter::stopBackground()
{
    if (!m_background)
        return;
    {
        std::unique_lock lock(m_background->mutex);
        m_background->changed.wait(lock, [this] { return m_background->written == m_background->handedOver; });
        m_background->stop = true;
        m_background->changed.notify_all();
    }
    for (auto& w : m_background->workers)
        w.thread.join();
    if (m_background->failed) {
        m_failed = true;
        errno = m_background->error;
    }
    m_background.reset();
}

bool CsvWriter::finish()
{
    flush();
    stopBackground();
    m_sink = nullptr;
    return !m_failed;
}

void CsvWriter::discard()
{
    m_buffer.clear();
    m_pending.clear();
    m_recordStart = 0;
    stopBackground();
    m_sink = nullptr;
}

bool CsvWriter::flush()
{
    if (!m_sink)
        return !m_failed;
    if (m_background) {
        // Hand the buffer to a thread that is free, and fill the one that
        // comes back.
        Background& bg = *m_background;
        std::unique_lock lock(bg.mutex);
        Background::Worker* free = nullptr;
        bg.changed.wait(lock, [&] {
            for (auto& w : bg.workers) {
                if (!w.busy) {
                    free = &w;
                    return true;
                }
            }
            return false;
        });
        if (bg.failed)
            m_failed = true;
        if ((!m_buffer.empty() || !m_pending.empty()) && !m_failed) {
            free->pending.swap(m_buffer);
            free->pendingCells.swap(m_pending);
            free->order = bg.handedOver++;
            free->busy = true;
            bg.changed.notify_all();
            // The next tags: those of the buffer handed over kWorkers + 1
            // buffers ago, which is written, as every one before a free
            // thread's is. A buffer not handed over frees its own tags.
            m_laterBlock = (m_laterBlock + 1) % (kWorkers + 1);
        }
        m_buffer.clear();
        m_pending.clear();
        m_laterCount = 0;
        m_recordStart = 0;
        return !m_failed;
    }
    if (!m_buffer.empty() && !m_failed && !m_sink(m_buffer.view()))
        m_failed = true;
    m_buffer.clear();
    m_recordStart = 0;
    return !m_failed;
}

}  // namespace grossby::cli
