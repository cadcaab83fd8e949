#include "services/report_format.h"

#include "core/tax_year.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace grossby {
namespace {

bool isInteger(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Bool: return true;
    default: return false;
    }
}

bool isReal(const QVariant& value)
{
    return value.typeId() == QMetaType::Double || value.typeId() == QMetaType::Float;
}

}  // namespace

QString formatReportAmount(double value, int decimals)
{
    if (!std::isfinite(value))
        return QString::number(value);
    // printf rounds the binary value, independent of the C locale only for
    // the digits; the decimal point is put back explicitly below.
    char buf[400];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, std::fabs(value));
    std::string digits(buf);
    for (char& c : digits) {
        if (c == ',')
            c = '.';
    }
    const auto dot = digits.find('.');
    const std::string whole = digits.substr(0, dot);
    const std::string fraction = dot == std::string::npos ? std::string() : digits.substr(dot);
    std::string grouped;
    grouped.reserve(whole.size() + whole.size() / 3 + 1);
    const std::size_t lead = whole.size() % 3;
    for (std::size_t i = 0; i < whole.size(); ++i) {
        if (i && (i + 3 - lead) % 3 == 0)
            grouped.push_back(' ');
        grouped.push_back(whole[i]);
    }
    const bool negative = value < 0 && digits.find_first_not_of("0.") != std::string::npos;
    return QString::fromLatin1((negative ? "-" : "") + grouped + fraction);
}

QString formatReportValue(const QVariant& value)
{
    if (value.isNull())
        return {};
    if (isReal(value))
        return formatReportAmount(value.toDouble());
    if (isInteger(value))
        return QString::number(value.toLongLong());
    return value.toString();
}

QString rawReportValue(const QVariant& value)
{
    if (value.isNull())
        return {};
    if (isReal(value)) {
        const double v = value.toDouble();
        // Shortest digits that read back exactly, never in exponent form.
        char buf[512];
        const auto result = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed);
        return QString::fromLatin1(buf, result.ptr - buf);
    }
    if (isInteger(value))
        return QString::number(value.toLongLong());
    return value.toString();
}

QString wholeReportValue(const QVariant& value)
{
    if (isReal(value)) {
        const double v = value.toDouble();
        QString shown = formatReportAmount(v);
        if (std::isfinite(v) && v == std::trunc(v))
            shown.chop(3);  // ".00"
        return shown;
    }
    return formatReportValue(value);
}

QString formatReportFigure(double value, int least, int most)
{
    QString text = formatReportAmount(value, most);
    if (!std::isfinite(value) || least >= most)
        return text;
    const qsizetype dot = text.indexOf(QLatin1Char('.'));
    if (dot < 0)
        return text;
    while (text.size() - dot - 1 > least && text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text;
}

QString exactReportValue(const QVariant& value)
{
    if (!isReal(value))
        return formatReportValue(value);
    // At most six decimals: beyond them it is the binary fraction's noise.
    return formatReportFigure(value.toDouble(), 2, 6);
}

QString dateReportValue(const QVariant& value)
{
    if (value.isNull())
        return {};
    if (isReal(value) || isInteger(value))
        return QString::fromStdString(formatDate(value.toDouble()));
    return value.toString();
}

bool reportValueIsSet(const QVariant& value)
{
    if (value.isNull())
        return false;
    if (isReal(value) || isInteger(value))
        return value.toDouble() != 0;
    return !value.toString().isEmpty();
}

}  // namespace grossby
