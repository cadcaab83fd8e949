// The report template parser: the settings comment, placeholders and
// sections of any text.

#include "services/report_template.h"

#include <QString>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    grossby::ReportTemplate tpl;
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString error = tpl.parse(text, QStringLiteral("fuzz.rpt"));
    if (error.isEmpty()) {
        for (const auto& tag : tpl.tags) {
            if (tag.sections.size() > grossby::ReportTemplate::kMaxSectionDepth)
                __builtin_trap();
        }
    }
    return 0;
}
