#include "cli/csv.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
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

Records readFrom(std::FILE* f, std::size_t bufferSize, bool* unterminated = nullptr)
{
    std::rewind(f);
    CsvReader reader(f, bufferSize);
    Records out;
    std::vector<std::string_view> fields;
    while (reader.next(fields)) {
        out.emplace_back(fields.begin(), fields.end());
        if (unterminated)
            *unterminated = reader.unterminatedQuote();
    }
    return out;
}

Records readAll(const std::string& text, std::size_t bufferSize, bool* unterminated = nullptr)
{
    std::FILE* f = fileWith(text);
    Records out = readFrom(f, bufferSize, unterminated);
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
        w.number(300000);
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
              "2797.8500000000004,0,0.1,300000,-42\n");
    EXPECT_EQ(readAll(text, 64),
              (Records{{"plain", "a,b", "say \"hi\"", " padded", "two\nlines"},
                       {"2797.8500000000004", "0", "0.1", "300000", "-42"}}));
}

// RFC 4180 text for `records`: fields quoted when they must be, and at
// random when they need not; lines ending in LF or CRLF at random; the last
// line break present or not.
std::string encode(const Records& records, std::mt19937& rng)
{
    std::string text;
    for (std::size_t r = 0; r < records.size(); ++r) {
        const auto& record = records[r];
        for (std::size_t f = 0; f < record.size(); ++f) {
            const std::string& field = record[f];
            const bool must = field.find_first_of(",\"\r\n") != std::string::npos ||
                (record.size() == 1 && field.empty());  // a lone empty field would read as a blank line
            if (f)
                text += ',';
            if (must || rng() % 4 == 0) {
                text += '"';
                for (const char c : field)
                    text += c == '"' ? std::string("\"\"") : std::string(1, c);
                text += '"';
            } else {
                text += field;
            }
        }
        if (r + 1 < records.size() || rng() % 2)
            text += rng() % 2 ? "\r\n" : "\n";
    }
    return text;
}

Records randomRecords(std::mt19937& rng)
{
    // Separators, quotes and line breaks are common, so every state of the
    // reader meets every buffer edge.
    static const std::string alphabet = "ab ,\"\r\n\t9.\xC3\xA9";
    Records records(1 + rng() % 6);
    for (auto& record : records) {
        record.resize(1 + rng() % 5);
        for (auto& field : record) {
            const std::size_t length = rng() % 3 == 0 ? 0 : rng() % 12;
            for (std::size_t i = 0; i < length; ++i)
                field += alphabet[rng() % alphabet.size()];
        }
    }
    return records;
}

TEST(Csv, RandomRfc4180FilesReadBackAtEveryBufferSize)
{
    std::mt19937 rng(20180228);
    for (int round = 0; round < 300; ++round) {
        const Records records = randomRecords(rng);
        const std::string text = encode(records, rng);
        std::FILE* f = fileWith(text);
        for (std::size_t size = 4; size <= text.size() + 4; ++size)
            ASSERT_EQ(readFrom(f, size), records) << "round " << round << ", buffer " << size << ":\n" << text;
        ASSERT_EQ(readFrom(f, 1 << 20), records) << text;
        std::fclose(f);
    }
}

TEST(Csv, WhatTheWriterWritesReadsBack)
{
    std::mt19937 rng(1703);
    for (int round = 0; round < 200; ++round) {
        const Records records = randomRecords(rng);
        std::string text;
        {
            CsvWriter w([&text](std::string_view bytes) { return text.append(bytes), true; }, 8);
            for (const auto& record : records) {
                for (const auto& field : record)
                    w.field(field);
                w.endRecord();
            }
            ASSERT_TRUE(w.finish());
        }
        for (std::size_t size : {4, 5, 7, 64})
            ASSERT_EQ(readAll(text, size), records) << text;
    }
}

TEST(Csv, RefusesARecordLongerThanTheLimitWithoutHoldingIt)
{
    std::FILE* f = fileWith("a,b\n\"" + std::string(5000, 'x') + "\nmore,rows\n");
    CsvReader reader(f, 64, 1024);
    std::vector<std::string_view> fields;
    ASSERT_TRUE(reader.next(fields));
    EXPECT_FALSE(reader.next(fields));
    EXPECT_TRUE(reader.tooLong());
    EXPECT_EQ(reader.recordLine(), 2u);
    EXPECT_LE(reader.bytesRead(), 4u);
    std::fclose(f);
}

TEST(Csv, TellsUtf16FromUtf8)
{
    for (const char* bom : {"\xFF\xFE", "\xFE\xFF"}) {
        std::FILE* f = fileWith(std::string(bom) + std::string("n\0a\0m\0e\0", 8));
        CsvReader reader(f, 64);
        std::vector<std::string_view> fields;
        EXPECT_FALSE(reader.next(fields));
        EXPECT_TRUE(reader.utf16());
        std::fclose(f);
    }
    EXPECT_EQ(readAll("\xEF\xBB\xBFname\n", 4), (Records{{"name"}}));
}

}  // namespace
}  // namespace grossby::cli
