#include "services/print_schema.h"

#include <algorithm>

namespace grossby {

namespace {

std::vector<PrintTable>& declared()
{
    static std::vector<PrintTable> tables;
    return tables;
}

}  // namespace

void declarePrintTables(const std::vector<PrintTable>& tables)
{
    std::vector<PrintTable>& all = declared();
    for (const PrintTable& table : tables) {
        auto same = [&](const PrintTable& t) { return t.name == table.name; };
        if (auto it = std::find_if(all.begin(), all.end(), same); it != all.end())
            *it = table;
        else
            all.push_back(table);
    }
}

const std::vector<PrintTable>& printSchema()
{
    return declared();
}

const PrintTable* findPrintTable(std::string_view name)
{
    for (const PrintTable& table : printSchema()) {
        if (table.name == name)
            return &table;
    }
    return nullptr;
}

const char* sqlTypeName(PrintColumnType type)
{
    switch (type) {
    case PrintColumnType::Real: return "REAL";
    case PrintColumnType::Integer: return "INTEGER";
    case PrintColumnType::Text: return "TEXT";
    }
    return "TEXT";
}

}  // namespace grossby
