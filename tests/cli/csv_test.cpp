#include "cli/csv.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace grossby::cli {
namespace {

using Records = std::vector<std::vector<std::string>>;

std::FILE* fileWith(const std::string& text)
{
    std::FILE* f = std::tmpfile();
    std::fwrite(text.data(), 1, text.size(), f);
    std::rewind(f);
    return f;
}

Records readAll(const std::string& text, std::size_t bufferSize, bool* unterminated = nullptr)
{
    std::FILE* f = fileWith(text);
    CsvReader reader(f, bufferSize);
    Records out;
    std::vector<std::string_view> fields;
    while (reader.next(fields)) {
        out.emplace_back(fields.begin(), fields.end());
        if (unterminated)
            *unterminated = reader.unterminatedQuote();
    }
    std::fclose(f);
    return out;
}

TEST(Csv, ReadsQuotesLineEndsAndBlankLinesAtEveryBufferSize)
{
    const std::string text = "\xEF\xBB\xBFname,salary\r\n"
                             "\"Mokoena, Thandi\",20000\r\n"
                             "\"Jan \"\"Boet\"\" Smit\",\"1\n2\"\n"
                             "\n"
                             "plain,\"\"\n"
                             "\"\"\"\",last";
    const Records expected = {
        {"name", "salary"}, {"Mokoena, Thandi", "20000"}, {"Jan \"Boet\" Smit", "1\n2"}, {""}, {"plain", ""},
        {"\"", "last"},
    };
    // Small buffers make every record cross a refill, at every offset.
    for (std::size_t size : {64, 65, 67, 71, 128, 1 << 20})
        EXPECT_EQ(readAll(text, size), expected) << "buffer " << size;
}

TEST(Csv, RecordsLongerThanTheBufferGrowIt)
{
    const std::string big(1000, 'x');
    EXPECT_EQ(readAll(big + "," + big + "\n\"" + big + "\"", 64), (Records{{big, big}, {big}}));
}

TEST(Csv, ReportsAnUnclosedQuote)
{
    bool unterminated = false;
    const Records r = readAll("a,\"never closed\nstill", 64, &unterminated);
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0][1], "never closed\nstill");
    EXPECT_TRUE(unterminated);
}

TEST(Csv, EmptyInputHasNoRecords)
{
    EXPECT_TRUE(readAll("", 64).empty());
    EXPECT_TRUE(readAll("\xEF\xBB\xBF", 64).empty());
}

TEST(Csv, WriterQuotesOnlyWhatNeedsItAndReadsBack)
{
    std::FILE* f = std::tmpfile();
    {
        CsvWriter w(f, 16);
        w.field("plain");
        w.field("a,b");
        w.field("say \"hi\"");
        w.field(" padded");
        w.field("two\nlines");
        w.endRecord();
        w.number(2797.8500000000004);
        w.number(-0.0);
        w.number(0.1);
        w.integer(-42);
        w.endRecord();
        ASSERT_TRUE(w.finish());
    }
    std::rewind(f);
    std::string text(256, '\0');
    text.resize(std::fread(text.data(), 1, text.size(), f));
    std::fclose(f);
    EXPECT_EQ(text,
              "plain,\"a,b\",\"say \"\"hi\"\"\",\" padded\",\"two\nlines\"\n"
              "2797.8500000000004,0,0.1,-42\n");
    EXPECT_EQ(
        readAll(text, 64),
        (Records{{"plain", "a,b", "say \"hi\"", " padded", "two\nlines"}, {"2797.8500000000004", "0", "0.1", "-42"}}));
}

}  // namespace
}  // namespace grossby::cli
