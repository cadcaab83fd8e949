#pragma once
// What a calculator hands the report engine once its rows are staged.

#include <QString>

namespace grossby {

struct ReportJob {
    QString templateName;  ///< file name in the program folder, e.g. "kwiktep.rpt"
    QString title;  ///< preview window title
    int destination = 0;  ///< PrintToPrinter: 0 = preview window, 1 = printer
    QString printDatabasePath;
    QString templateFolder;  ///< where the template lives; empty means the program folder

    /// Full path of the template file.
    QString templatePath() const;
};

}  // namespace grossby
