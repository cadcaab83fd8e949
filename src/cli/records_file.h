#pragma once
// A file of records given to one option, such as the vehicles of a company
// car register: CSV whose first line names the fields, or a JSON array of
// objects. Each record's values are handed over as text, so they are read by
// the same parser and bounds as an option or a batch cell.

#include <cstddef>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace grossby::cli {

/// The values of one record: (index of the field in `keys`, its text), for
/// each field that has a value (blank cells and JSON nulls are left out).
using RecordCells = std::vector<std::pair<std::size_t, std::string>>;

/// Takes record `number` (from 1); returns why it cannot be taken, or nothing.
using RecordTaker = std::function<std::optional<std::string>(std::size_t number, const RecordCells& cells)>;

/// Largest JSON records file read (it is read whole).
inline constexpr std::size_t kMaxRecordsJson = std::size_t(16) << 20;

/// Reads the file `path` and hands each record to `take`. The file is JSON
/// when its first character after blanks is '[' or '{', otherwise CSV.
/// Field names are matched as batch columns are (case and '_' for '-' do not
/// matter). A field not in `keys`, a record of the wrong shape, more than
/// `maxRecords` records or none at all is refused, as is the first record
/// `take` refuses. The message names the file, as "The `what` file 'PATH'",
/// and the record (`recordName` and its number).
std::optional<std::string> readRecordsFile(const std::string& path, const std::string& what,
                                           const std::string& recordName, std::span<const std::string> keys,
                                           std::size_t maxRecords, const RecordTaker& take);

}  // namespace grossby::cli
