#include "cli/csv.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
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

// Numbers are written as std::to_chars writes them (the shortest digits that
// read back, in fixed form), whichever way they are worked out: amounts with
// cents, figures of calculations, and doubles of every size and sign.
TEST(Csv, NumbersAreTheShortestFixedDigits)
{
    std::mt19937_64 rng(20170301);
    std::vector<double> values = {1e-7,
                                  0.1,
                                  0.3,
                                  1.0 / 3,
                                  2.675,
                                  999999999999.99,
                                  4e12,
                                  3.9999999999999e12,
                                  4503599627370495.5,
                                  9007199254740993.0,
                                  1e22,
                                  5e-324,
                                  123456.785,
                                  0.07};
    for (int i = 0; i < 300000; ++i) {
        const double cents = static_cast<double>(rng() % 100000000000000) / 100;
        values.push_back(cents);
        values.push_back(cents * 0.01 * static_cast<double>(rng() % 1000));  // a percentage of an amount
        values.push_back(cents / static_cast<double>(1 + rng() % 365));  // a daily share
        values.push_back(static_cast<double>(rng() % 1000000) / 1000);
        double any = 0;
        const std::uint64_t bits = rng();
        std::memcpy(&any, &bits, sizeof any);
        if (std::isfinite(any))
            values.push_back(any);
        values.push_back(std::ldexp(static_cast<double>(rng() >> 11), -static_cast<int>(rng() % 80)));
    }
    // Powers of two, whose lower neighbour is nearer than the upper one, and
    // the doubles either side of them.
    for (int e = -80; e <= 60; ++e) {
        const double power = std::ldexp(1.0, e);
        values.insert(values.end(), {power, std::nextafter(power, 0.0), std::nextafter(power, 1e300)});
    }
    std::string text;
    CsvWriter w([&text](std::string_view bytes) { return text.append(bytes), true; });
    for (const double v : values) {
        for (const double signed_ : {v, -v}) {
            if (signed_ == 0)
                continue;
            text.clear();
            w.number(signed_);
            w.endRecord();
            w.flush();
            std::string expected(400, '\0');
            expected.resize(static_cast<std::size_t>(
                std::to_chars(expected.data(), expected.data() + expected.size(), signed_, std::chars_format::fixed)
                    .ptr -
                expected.data()));
            ASSERT_EQ(text, expected + "\n") << std::hexfloat << signed_;
        }
    }
}

// Written in the background, the output is the same bytes at any buffer
// size, the cells held back under a tag among them (more of them than one
// buffer takes, each made from what was kept under its tag and given the
// record's text before it); a sink that fails is told by finish(), with its
// errno, and is offered nothing more.
TEST(Csv, WritesInTheBackgroundWhatItWritesInTheForeground)
{
    std::vector<int> keptByTag(CsvWriter::kLaterTags, -1);
    const auto fill = [&keptByTag](std::size_t tag, std::string_view record, CsvWriter::Cells& cells) {
        const int r = keptByTag[tag];
        EXPECT_EQ(record, (r % 7 ? "row," : "\"a, b\",") + std::to_string(r));
        cells.integer(keptByTag[tag]);
        cells.field(keptByTag[tag] % 3 ? "later" : "later, quoted");
        cells.number(keptByTag[tag] / 4.0);
        keptByTag[tag] = -1;  // a tag given out again before its cells were written shows
    };
    const auto write = [&keptByTag](CsvWriter& w) {
        for (int r = 0; r < 10000; ++r) {
            w.field(r % 7 ? "row" : "a, b");
            w.integer(r);
            if (r % 5) {
                keptByTag[w.laterTag()] = r;
                w.later();
            }
            w.number(r / 8.0);
            w.endRecord();
        }
    };
    std::string expected;
    {
        CsvWriter w([&expected](std::string_view bytes) { return expected.append(bytes), true; });
        w.fillLater(fill);
        write(w);
        ASSERT_TRUE(w.finish());
    }
    ASSERT_NE(expected.find("\nrow,6,6,\"later, quoted\",1.5,0.75\n"), std::string::npos);
    ASSERT_NE(expected.find("\nrow,5,0.625\n"), std::string::npos);
    for (const std::size_t size : {1, 7, 64, 1 << 20}) {
        std::string text;
        CsvWriter w([&text](std::string_view bytes) { return text.append(bytes), true; }, size);
        w.fillLater(fill);
        w.writeInBackground();
        write(w);
        ASSERT_TRUE(w.finish());
        EXPECT_EQ(text, expected) << "buffer " << size;
    }
    int calls = 0;
    CsvWriter failing(
        [&calls](std::string_view) {
            ++calls;
            errno = ENOSPC;
            return false;
        },
        8);
    failing.fillLater(fill);
    failing.writeInBackground();
    write(failing);
    errno = 0;
    EXPECT_FALSE(failing.finish());
    EXPECT_EQ(errno, ENOSPC);
    EXPECT_EQ(calls, 1);
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

// Separators, quotes and line breaks are common, so every state of the
// reader meets every buffer edge.
const std::string kAnyBytes = "ab ,\"\r\n\t9.\xC3\xA9";

Records randomRecords(std::mt19937& rng, const std::string& alphabet = kAnyBytes, std::size_t longest = 12)
{
    Records records(1 + rng() % 6);
    for (auto& record : records) {
        record.resize(1 + rng() % 5);
        for (auto& field : record) {
            const std::size_t length = rng() % 3 == 0 ? 0 : rng() % longest;
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

// Records without quotes, most of them, are read in a pass of their own:
// long and short fields, LF and CRLF, at every buffer edge.
TEST(Csv, PlainRecordsReadBackAtEveryBufferSize)
{
    std::mt19937 rng(20170228);
    for (int round = 0; round < 200; ++round) {
        const Records records = randomRecords(rng, "ab 9.\t\xC3\xA9", 40);
        const std::string text = encode(records, rng);
        std::FILE* f = fileWith(text);
        for (std::size_t size = 4; size <= text.size() + 4; ++size)
            ASSERT_EQ(readFrom(f, size), records) << "round " << round << ", buffer " << size << ":\n" << text;
        // A record read as plain is its fields and the commas between them,
        // counted and checked for a space at either end of a field.
        std::rewind(f);
        CsvReader reader(f, 64);
        std::vector<std::string_view> fields;
        while (reader.next(fields)) {
            if (const auto plain = reader.plainRecordText()) {
                std::string joined;
                bool padded = false;
                for (std::size_t i = 0; i < fields.size(); ++i) {
                    joined += (i ? "," : "") + std::string(fields[i]);
                    padded = padded || (!fields[i].empty() && (fields[i].front() == ' ' || fields[i].back() == ' '));
                }
                ASSERT_EQ(*plain, joined) << text;
                ASSERT_EQ(reader.plainFieldCount(), fields.size()) << *plain;
                ASSERT_EQ(reader.plainPadded(), padded) << *plain;
            }
        }
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
