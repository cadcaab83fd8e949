// Report tests lay out pages with Qt's text engine: they need a GUI
// application object (fonts, SQL drivers), on the offscreen platform.
#include "app/print_tables.h"

#include <QGuiApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    // The program's print tables, as the program and the command line have them.
    grossby::declareProgramPrintTables();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
