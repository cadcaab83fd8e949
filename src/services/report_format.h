#pragma once
// How staged values appear on a printed report.

#include <QString>
#include <QVariant>

namespace grossby {

/// An amount as the reports print it: two decimals, thousands set apart by a
/// space, minus sign in front ("-1 234 567.89"). Never prints "-0.00".
QString formatReportAmount(double value, int decimals = 2);

/// A value read from the print database as the report shows it by default:
/// Doubles as amounts, integers plain, text as it stands, NULL as nothing.
QString formatReportValue(const QVariant& value);

/// The value as stored, for templates that want their own format: integers
/// plain, Doubles in the shortest form that reads back exactly ("9652.0333",
/// "36"), text as it stands.
QString rawReportValue(const QVariant& value);

/// A figure counted in whole units (kilometres): an amount without the
/// decimals when it is whole ("23 000"), with them when it is not
/// ("12 345.60"); integers and text as `formatReportValue` shows them.
QString wholeReportValue(const QVariant& value);

/// An amount with `most` decimals, trailing zeros dropped down to `least`
/// ("310.89", "155.0191", "1 479.00" for 2 and 4).
QString formatReportFigure(double value, int least, int most);

/// A rate or other figure whose decimals matter: an amount with the
/// decimals it has, at least two and at most six ("310.89", "155.0191").
QString exactReportValue(const QVariant& value);

/// A number read as a day number (days from 30/12/1899) shown "dd/mm/yyyy";
/// text is passed through, NULL gives nothing.
QString dateReportValue(const QVariant& value);

/// Whether a value counts as present for a template condition: not NULL, not
/// zero, not empty text.
bool reportValueIsSet(const QVariant& value);

}  // namespace grossby
