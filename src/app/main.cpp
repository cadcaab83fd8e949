#include "app/registration.h"
#include "core/module1.h"
#include "services/file_locations.h"
#include "shell/main_window.h"
#include "shell/program_icon.h"

#include <QApplication>
#include <QSettings>

#include <memory>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Grossby 2018"));
    QApplication::setOrganizationName(QStringLiteral("Grossby"));
    QApplication::setWindowIcon(grossby::programIcon());
    grossby::addTaxYearFolders();
    grossby::Module1 state;
    grossby::MainWindow window(state, grossby::programCalculators());
    // The window's size and place are kept between runs in the user's
    // settings for the program.
    window.rememberPlaceIn(std::make_shared<QSettings>());
    // Refusing the disclaimer ends the program here.
    if (!window.startUp())
        return 0;
    return app.exec();
}
