#include "cli/records_file.h"

#include "cli/csv.h"

#include <nlohmann/json.hpp>

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string_view>

namespace grossby::cli {
namespace {

// A field name as an option name: "Start_KM " is "start-km".
std::string lowerDashed(std::string_view name)
{
    while (!name.empty() && (name.front() == ' ' || name.front() == '\t'))
        name.remove_prefix(1);
    while (!name.empty() && (name.back() == ' ' || name.back() == '\t'))
        name.remove_suffix(1);
    std::string out;
    for (char c : name) {
        if (c == '_')
            c = '-';
        else if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        out.push_back(c);
    }
    return out;
}

std::optional<std::size_t> keyIndex(std::span<const std::string> keys, const std::string& name)
{
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (keys[i] == name)
            return i;
    }
    return std::nullopt;
}

std::string keyList(std::span<const std::string> keys)
{
    std::string list;
    for (const auto& k : keys)
        list += (list.empty() ? "" : ", ") + k;
    return list;
}

bool isBlank(std::string_view text)
{
    return text.find_first_not_of(" \t") == std::string_view::npos;
}

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// The first character of the file that is not a blank or a UTF-8 byte order
// mark, or 0 for an empty file.
int firstCharacter(std::FILE* f)
{
    int c = 0;
    while ((c = std::fgetc(f)) != EOF) {
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == 0xEF || c == 0xBB || c == 0xBF)
            continue;
        return c;
    }
    return 0;
}

// Where a JSON number too large for a double stands: the parser refuses it
// without saying where, so the file is walked again to name the record and
// the field.
class NumberOverflowFinder final : public nlohmann::json::json_sax_t {
public:
    std::size_t record = 0;  ///< 1-based; 0 outside the array's objects
    std::string field;
    std::string literal;

    bool null() override { return value(); }
    bool boolean(bool) override { return value(); }
    bool number_integer(number_integer_t) override { return value(); }
    bool number_unsigned(number_unsigned_t) override { return value(); }
    bool number_float(number_float_t, const string_t&) override { return value(); }
    bool string(string_t&) override { return value(); }
    bool binary(binary_t&) override { return value(); }
    bool start_object(std::size_t) override { return open(); }
    bool end_object() override { return close(); }
    bool start_array(std::size_t) override { return open(); }
    bool end_array() override { return close(); }
    bool key(string_t& name) override
    {
        if (m_depth == 2)
            m_key = name;
        return true;
    }
    bool parse_error(std::size_t, const std::string& token, const nlohmann::json::exception&) override
    {
        record = m_depth >= 2 ? m_items : 0;
        field = m_depth >= 2 ? m_key : std::string();
        literal = token;
        return false;
    }

private:
    bool value()
    {
        if (m_depth == 1)
            ++m_items;
        return true;
    }
    bool open()
    {
        if (m_depth == 1)
            ++m_items;
        ++m_depth;
        return true;
    }
    bool close()
    {
        --m_depth;
        return true;
    }
    int m_depth = 0;
    std::size_t m_items = 0;
    std::string m_key;
};

class Reader {
public:
    Reader(const std::string& path, const std::string& what, const std::string& recordName,
           std::span<const std::string> keys, std::size_t maxRecords, const RecordTaker& take)
        : m_name("The " + what + " file '" + path + "'")
        , m_recordName(recordName)
        , m_keys(keys)
        , m_max(maxRecords)
        , m_take(take)
    { }

    std::optional<std::string> csv(std::FILE* f)
    {
        CsvReader reader(f, 1 << 16);
        std::vector<std::string_view> fields;
        if (!reader.next(fields))
            return endProblem(reader);
        std::vector<std::size_t> columns;
        std::vector<bool> seen(m_keys.size());
        for (const auto& heading : fields) {
            const std::string name = lowerDashed(heading);
            const auto index = keyIndex(m_keys, name);
            if (!index)
                return unknownField(std::string(heading));
            if (seen[*index])
                return m_name + " names the field '" + name + "' twice.";
            seen[*index] = true;
            columns.push_back(*index);
        }
        RecordCells cells;
        while (reader.next(fields)) {
            if (fields.size() == 1 && fields[0].empty() && !reader.unterminatedQuote())
                continue;  // a blank line
            const std::string where = record(m_count + 1) + " (line " + std::to_string(reader.recordLine()) + ")";
            if (reader.unterminatedQuote())
                return where + ": a quoted field is not closed before the end of the file.";
            if (fields.size() != columns.size())
                return where + " has " + std::to_string(fields.size()) + " fields where the first line names " +
                    std::to_string(columns.size()) + ".";
            cells.clear();
            for (std::size_t i = 0; i < fields.size(); ++i) {
                if (!isBlank(fields[i]))
                    cells.emplace_back(columns[i], std::string(fields[i]));
            }
            if (auto problem = add(cells))
                return problem;
        }
        if (reader.readError() || reader.tooLong() || reader.utf16())
            return endProblem(reader);
        return finish();
    }

    std::optional<std::string> json(std::FILE* f)
    {
        std::string text;
        char buffer[1 << 16];
        std::size_t n = 0;
        while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) {
            text.append(buffer, n);
            if (text.size() > kMaxRecordsJson)
                return m_name + " is larger than " + std::to_string(kMaxRecordsJson >> 20) + " MB.";
        }
        if (std::ferror(f))
            return m_name + " could not be read: " + std::strerror(errno);
        nlohmann::json doc;
        try {
            doc = nlohmann::json::parse(text);
        } catch (const nlohmann::json::parse_error& e) {
            return m_name + " is not valid JSON (at byte " + std::to_string(e.byte) + ").";
        } catch (const nlohmann::json::out_of_range&) {
            // A number beyond the range of a double (1e999).
            NumberOverflowFinder where;
            nlohmann::json::sax_parse(text, &where);
            const std::string number = "the number " + where.literal + " is beyond the range a number can hold.";
            if (where.record == 0)
                return m_name + ": " + number;
            return record(where.record) + ": " + lowerDashed(where.field) + ": " + number;
        }
        if (!doc.is_array())
            return m_name + " must hold a JSON array of objects, one " + m_recordName + " each.";
        RecordCells cells;
        for (const auto& item : doc) {
            const std::string where = record(m_count + 1);
            if (!item.is_object())
                return where + " is not a JSON object of fields.";
            cells.clear();
            for (const auto& [name, value] : item.items()) {
                const auto index = keyIndex(m_keys, lowerDashed(name));
                if (!index)
                    return unknownField(name, where);
                std::string cell;
                if (value.is_null())
                    continue;
                if (value.is_string())
                    cell = value.get<std::string>();
                else if (value.is_boolean())
                    cell = value.get<bool>() ? "1" : "0";
                else if (value.is_number_integer())
                    cell = value.dump();
                else if (value.is_number_float())
                    cell = shortest(value.get<double>());
                else
                    return where + ": " + lowerDashed(name) + " must be a number or a text, not " + value.type_name() +
                        ".";
                if (!isBlank(cell))
                    cells.emplace_back(*index, std::move(cell));
            }
            if (auto problem = add(cells))
                return problem;
        }
        return finish();
    }

private:
    static std::string shortest(double value)
    {
        char buf[32];
        const auto res = std::to_chars(buf, buf + sizeof buf, value);
        return std::string(buf, res.ptr);
    }

    std::string record(std::size_t number) const { return m_name + ", " + m_recordName + " " + std::to_string(number); }

    std::string unknownField(const std::string& name, const std::string& where = {}) const
    {
        return (where.empty() ? m_name : where) + ": '" + name + "' is not a field of a " + m_recordName +
            ".\nFields: " + keyList(m_keys);
    }

    std::optional<std::string> add(const RecordCells& cells)
    {
        ++m_count;
        if (m_count > m_max)
            return m_name + " holds more than " + std::to_string(m_max) + " " + m_recordName + "s.";
        if (auto problem = m_take(m_count, cells))
            return record(m_count) + ": " + *problem;
        return std::nullopt;
    }

    std::optional<std::string> finish() const
    {
        if (m_count == 0)
            return m_name + " holds no " + m_recordName + "s.";
        return std::nullopt;
    }

    std::optional<std::string> endProblem(const CsvReader& reader) const
    {
        if (reader.utf16())
            return m_name + " is UTF-16 text: save it as UTF-8 (or plain ASCII) and run it again.";
        if (reader.readError())
            return m_name + " could not be read: " + std::strerror(errno);
        if (reader.tooLong())
            return m_name + ": the line starting on line " + std::to_string(reader.recordLine()) +
                " is longer than 1 MB.";
        return m_name + " is empty: its first line must name the fields (" + keyList(m_keys) +
            "), or it must hold a JSON array.";
    }

    std::string m_name;
    std::string m_recordName;
    std::span<const std::string> m_keys;
    std::size_t m_max;
    const RecordTaker& m_take;
    std::size_t m_count = 0;
};

}  // namespace

std::optional<std::string> readRecordsFile(const std::string& path, const std::string& what,
                                           const std::string& recordName, std::span<const std::string> keys,
                                           std::size_t maxRecords, const RecordTaker& take)
{
    Reader reader(path, what, recordName, keys, maxRecords, take);
    // The file is looked at twice (its first character, then the whole), so
    // it must be a plain file: not a folder, a pipe or a device.
    std::error_code ec;
    if (std::filesystem::exists(path, ec) && !std::filesystem::is_regular_file(path, ec))
        return "The " + what + " file '" + path + "' is not a plain file.";
    File f(std::fopen(path.c_str(), "rb"));
    if (!f)
        return "The " + what + " file '" + path + "' could not be opened: " + std::strerror(errno);
    const int first = firstCharacter(f.get());
    std::rewind(f.get());
    if (first == '[' || first == '{')
        return reader.json(f.get());
    return reader.csv(f.get());
}

}  // namespace grossby::cli
