// The CSV reader of batch and vehicles files, over any bytes and with small
// buffers and record limits, so refills and the too-long path are crossed.

#include "cli/csv.h"

#include <cstdint>
#include <cstdio>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    const std::size_t buffer = 1 + data[0] % 64;
    const std::size_t maxRecord = 16 + static_cast<std::size_t>(data[1]) * 16;
    std::FILE* f = fmemopen(const_cast<std::uint8_t*>(data + 2), size - 2, "rb");
    if (!f)
        return 0;
    {
        grossby::cli::CsvReader reader(f, buffer, maxRecord);
        std::vector<std::string_view> fields;
        std::size_t total = 0;
        while (reader.next(fields)) {
            for (const auto field : fields)
                total += field.size();
            if (total > size)
                __builtin_trap();  // more text than the file holds
            (void)reader.recordLine();
            (void)reader.unterminatedQuote();
        }
        (void)reader.tooLong();
        (void)reader.utf16();
        (void)reader.readError();
    }
    std::fclose(f);
    return 0;
}
