// Window tests run on the offscreen platform; no display is needed.
#include "app/print_tables.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // The program's print tables, declared as the program does at start.
    grossby::declareProgramPrintTables();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
