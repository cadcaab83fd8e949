// The settings store reader over any file: the bytes of Settings.db and,
// when the first byte is odd, a journal beside it made of the second half.
// A store that is read must hold values a window would write.

#include "fuzz_util.h"
#include "services/settings_store.h"

#include <QFile>

#include <cmath>
#include <cstdint>
#include <string>

using namespace grossby;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const bool ready = [] {
        static int argc = 1;
        static char name[] = "grossby-fuzz";
        static char* argv[] = {name, nullptr};
        new QCoreApplication(argc, argv);  // never destroyed, as Qt's statics may go first
        return true;
    }();
    (void)ready;
    if (size < 1)
        return 0;
    const bool journal = data[0] & 1;
    const std::size_t dbSize = journal ? (size - 1) / 2 : size - 1;
    const std::string path = fuzz::writeScratch("Settings.db", data + 1, dbSize);
    const QString store = QString::fromStdString(path);
    for (const char* suffix : {"-journal", "-wal", "-shm"})
        QFile::remove(store + QLatin1String(suffix));
    if (journal)
        fuzz::writeScratch("Settings.db-journal", data + 1 + dbSize, size - 1 - dbSize);
    SetupValues values;
    if (SettingsStore(store, QString()).load(values)) {
        for (const double v : {values.EmployeeUIF, values.EmployerUIF, values.SkillLevy, values.PensionCont,
                               values.EmployerPenCont, values.ProvCont, values.EmployerProvCont})
            if (!(v >= 0 && v <= 100))
                __builtin_trap();
        if (!(values.UIFLimit >= 0 && values.UIFLimit <= 1e9) ||
            !(values.TAIncRate8020 >= 0 && values.TAIncRate8020 <= 1))
            __builtin_trap();
    }
    return 0;
}
