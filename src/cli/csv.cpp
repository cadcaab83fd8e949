#include "cli/csv.h"

#include <charconv>
#include <cstring>

namespace grossby::cli {

CsvReader::CsvReader(std::FILE* file, std::size_t bufferSize)
    : m_file(file)
    , m_buffer(bufferSize < 64 ? 64 : bufferSize)
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
    if (m_first && m_end - m_begin >= 3) {
        m_first = false;
        if (std::memcmp(m_buffer.data() + m_begin, "\xEF\xBB\xBF", 3) == 0) {
            m_begin += 3;
            m_consumed += 3;
        }
    } else if (m_first && m_eof) {
        m_first = false;
    }
    return got > 0;
}

bool CsvReader::next(std::vector<std::string_view>& fields)
{
    std::vector<Span>& spans = m_spans;
    std::string& arena = m_arena;

    for (;;) {
        if (m_begin == m_end || m_first) {
            if (m_eof && m_begin == m_end)
                return false;
            if (!m_eof) {
                fill();
                continue;
            }
        }
        spans.clear();
        arena.clear();
        m_unterminated = false;
        const char* const base = m_buffer.data();
        const std::size_t end = m_end;
        std::size_t pos = m_begin;
        std::uint64_t lines = 0;
        bool complete = false;
        bool needMore = false;

        for (;;) {
            if (pos < end && base[pos] == '"') {
                // Quoted field: copy it out only when it holds doubled quotes.
                std::size_t p = pos + 1;
                const std::size_t start = p;
                bool escaped = false;
                std::string piece;
                bool closed = false;
                while (p < end) {
                    const char c = base[p];
                    if (c == '"') {
                        if (p + 1 < end && base[p + 1] == '"') {
                            if (!escaped) {
                                piece.assign(base + start, p - start);
                                escaped = true;
                            }
                            piece.push_back('"');
                            p += 2;
                            continue;
                        }
                        if (p + 1 == end && !m_eof)
                            break;  // cannot tell "" from " yet
                        closed = true;
                        break;
                    }
                    if (c == '\n')
                        ++lines;
                    if (escaped)
                        piece.push_back(c);
                    ++p;
                }
                if (!closed && !m_eof) {
                    needMore = true;
                    break;
                }
                std::size_t contentEnd = p;
                if (closed)
                    ++p;  // past the closing quote
                else
                    m_unterminated = true;
                // Anything between the closing quote and the separator is kept.
                std::size_t tail = p;
                while (tail < end && base[tail] != ',' && base[tail] != '\n' && base[tail] != '\r')
                    ++tail;
                if (tail == end && !m_eof) {
                    needMore = true;
                    break;
                }
                if (escaped || tail > p) {
                    if (!escaped)
                        piece.assign(base + start, contentEnd - start);
                    piece.append(base + p, tail - p);
                    spans.push_back({true, arena.size(), piece.size()});
                    arena += piece;
                } else {
                    spans.push_back({false, start, contentEnd - start});
                }
                pos = tail;
            } else {
                std::size_t p = pos;
                while (p < end && base[p] != ',' && base[p] != '\n' && base[p] != '\r')
                    ++p;
                if (p == end && !m_eof) {
                    needMore = true;
                    break;
                }
                spans.push_back({false, pos, p - pos});
                pos = p;
            }
            // After a field: a separator, a line end or the end of the input.
            if (pos < end && base[pos] == ',') {
                ++pos;
                continue;
            }
            if (pos < end && base[pos] == '\r') {
                if (pos + 1 == end && !m_eof) {
                    needMore = true;
                    break;
                }
                ++pos;
                if (pos < end && base[pos] == '\n')
                    ++pos;
                ++lines;
            } else if (pos < end && base[pos] == '\n') {
                ++pos;
                ++lines;
            }
            complete = true;
            break;
        }
        if (needMore && !complete) {
            fill();
            continue;
        }

        m_recordLine = m_line;
        m_line += lines;
        m_consumed += pos - m_begin;
        m_begin = pos;
        // Views into the arena are made only now that it no longer grows.
        fields.clear();
        for (const Span& s : spans)
            fields.emplace_back((s.unescaped ? arena.data() : base) + s.offset, s.length);
        return true;
    }
}

CsvWriter::CsvWriter(std::FILE* file, std::size_t bufferSize)
    : m_file(file)
    , m_limit(bufferSize)
{
    m_buffer.reserve(bufferSize + 4096);
}

CsvWriter::~CsvWriter()
{
    flush();
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

}  // namespace

void CsvWriter::field(std::string_view text)
{
    separate();
    const bool quote = needsQuotes(text);
    if (!quote) {
        m_buffer.append(text);
        return;
    }
    m_buffer.push_back('"');
    for (const char c : text) {
        if (c == '"')
            m_buffer.push_back('"');
        m_buffer.push_back(c);
    }
    m_buffer.push_back('"');
}

void CsvWriter::number(double value)
{
    separate();
    if (value == 0) {
        m_buffer.push_back('0');  // never "-0"
        return;
    }
    char buf[32];
    const auto res = std::to_chars(buf, buf + sizeof buf, value);
    m_buffer.append(buf, res.ptr);
}

void CsvWriter::integer(long long value)
{
    separate();
    char buf[24];
    const auto res = std::to_chars(buf, buf + sizeof buf, value);
    m_buffer.append(buf, res.ptr);
}

void CsvWriter::endRecord()
{
    m_buffer.push_back('\n');
    m_atStart = true;
    if (m_buffer.size() >= m_limit)
        flush();
}

bool CsvWriter::finish()
{
    const bool ok = flush();
    m_file = nullptr;
    return ok;
}

void CsvWriter::discard()
{
    m_buffer.clear();
    m_file = nullptr;
}

bool CsvWriter::flush()
{
    if (!m_file)
        return !m_failed;
    if (!m_buffer.empty() && !m_failed) {
        if (std::fwrite(m_buffer.data(), 1, m_buffer.size(), m_file) != m_buffer.size())
            m_failed = true;
    }
    m_buffer.clear();
    if (!m_failed && std::fflush(m_file) != 0)
        m_failed = true;
    return !m_failed;
}

}  // namespace grossby::cli
