#include "cli/report_output.h"

#include "services/file_locations.h"
#include "services/print_database.h"
#include "services/report_engine.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <clocale>
#include <cstdio>
#include <memory>

namespace grossby::cli {

CLI::Option* addReportOption(CLI::App* cmd, std::string& file)
{
    const CLI::Validator format(
        [](std::string& name) -> std::string {
            const QString suffix = QFileInfo(QString::fromStdString(name)).suffix().toLower();
            if (Report::exportSuffixes().contains(suffix) || suffix == QLatin1String("htm"))
                return {};
            return "the report file must end in .pdf, .html, .odt, .csv or .xlsx: " + name;
        },
        "FILE.{pdf,html,odt,csv,xlsx}");
    return cmd
        ->add_option("--report", file,
                     "Also write the printout to FILE: PDF, HTML or ODF text (.odt) as printed, or the printed "
                     "figures as CSV or Excel (.xlsx), by the extension")
        ->check(format);
}

std::optional<std::string> writeReport(const std::vector<StagedTable>& tables, const std::string& templateName,
                                       const std::string& title, const std::string& file)
{
    // Pages are laid out by Qt's text engine, which needs a GUI application.
    // It is made only for a report, on the offscreen platform (no display),
    // and the C library keeps the "C" number format the results print in.
    // Qt's own notes about the session (no runtime folder, fonts) are not
    // the script's business; only our messages reach `err`.
    struct QuietQt {
        QtMessageHandler previous =
            qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
                if (type == QtCriticalMsg || type == QtFatalMsg)
                    fprintf(stderr, "%s\n", qPrintable(text));
            });
        ~QuietQt() { qInstallMessageHandler(previous); }
    } quiet;
    std::unique_ptr<QGuiApplication> app;
    if (!QCoreApplication::instance()) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "grossby-cli";
        static char* argv[] = {name, nullptr};
        app = std::make_unique<QGuiApplication>(argc, argv);
        std::setlocale(LC_NUMERIC, "C");
    }

    std::optional<std::string> failure;
    {
        const auto fail = [](const QString& message) { return std::optional<std::string>(message.toStdString()); };
        QTemporaryDir scratch;
        if (!scratch.isValid())
            return fail(QStringLiteral("No temporary folder for the print database: %1.").arg(scratch.errorString()));
        const PrintDatabase db(scratch.filePath(QString::fromLatin1(kPrintFileName)));
        if (DbStatus status = db.ensure(); !status)
            return fail(status.error);
        if (DbStatus status = db.stage(tables); !status)
            return fail(status.error);

        const QString templatePath = QDir(programFolder()).filePath(QString::fromStdString(templateName));
        const Report report = Report::load(templatePath, db.path(), QString::fromStdString(title));
        if (!report.ok())
            return fail(report.error());
        if (ReportStatus status = report.exportTo(QString::fromStdString(file)); !status)
            failure = fail(status.error);
    }
    return failure;
}

}  // namespace grossby::cli
