#include "cli/settings_source.h"

#include "services/file_locations.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <iostream>

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
    const SettingsStore store(path);
    const QFileInfo readPath(store.readPath());
    const bool none = !readPath.exists() && !readPath.isSymLink();
    const DbStatus status = store.load(values);
    if (status)
        return std::nullopt;
    // With no store anywhere and none that can be made (an unwritable home
    // folder), the values in force for 2017/18 are the settings: the
    // calculation goes on, and the user is told nothing can be saved.
    if (none && !status.damaged) {
        values = SetupValues{};
        std::cerr << "Warning: " << status.error.toStdString()
                  << " The settings in force for 2017/18 are used, and settings cannot be saved.\n";
        return std::nullopt;
    }
    return status.error.toStdString();
}

}  // namespace grossby::cli
