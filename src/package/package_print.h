#pragma once
// The salary package statement: the one row every package window stages in
// the `SalPackage` print table, and the template and preview title each
// window prints with.

#include "core/print_record.h"
#include "package/package_calc.h"

#include <string>

namespace grossby {

/// The four package windows: forward and reverse, monthly and annual.
enum class PackageWindow { PelmoraMon, PelmoraAnn, GrossbyMon, GrossbyAnn };

/// Where a package window's row goes ("SalPackage") and how its report is
/// shown: "Pelmora.rpt" (forward) or "Grossby.rpt" (reverse).
ReportDescriptor packageReport(PackageWindow window);

/// The forward windows' row (`SalPackPrint` of `frmPelmoraMon` and
/// `frmPelmoraAnn`), from the inputs and the last results.
PrintRecord SalPackPrint(PackageWindow window, const PackageInputs& in, const PackageResult& r);

/// The reverse windows' row, the gross salary in place of the take-home pay.
PrintRecord SalPackPrint(PackageWindow window, const PackageInputs& in, const GrossUpResult& r);

/// An amount in general number form: no digit grouping, decimals only as
/// needed ("250000", "1234.5").
std::string generalNumber(double value);

}  // namespace grossby
