#include "cli/settings_source.h"

#include "services/file_locations.h"

#include <QCoreApplication>
#include <QDir>

#include <memory>

namespace grossby::cli {

std::optional<std::string> readStoredSettings(SetupValues& values)
{
    // The SQL driver is a plugin, which Qt loads only inside an application.
    // One is made for this read alone, so a report made afterwards can have
    // the GUI application it needs.
    std::unique_ptr<QCoreApplication> app;
    if (!QCoreApplication::instance()) {
        static int argc = 1;
        static char name[] = "grossby-cli";
        static char* argv[] = {name, nullptr};
        app = std::make_unique<QCoreApplication>(argc, argv);
        QCoreApplication::setApplicationName(QStringLiteral("Grossby 2018"));
        QCoreApplication::setOrganizationName(QStringLiteral("Grossby"));
    }
    const QString path = QDir(dataFolder()).filePath(QLatin1String(kSettingsFileName));
    const DbStatus status = SettingsStore(path).load(values);
    if (!status)
        return status.error.toStdString();
    return std::nullopt;
}

}  // namespace grossby::cli
