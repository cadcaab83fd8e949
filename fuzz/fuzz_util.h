#pragma once
// Shared by the fuzz harnesses: a scratch folder of this process for the
// files a harness hands to code that reads files, and a Qt application
// object for the code that needs one (SQL driver, fonts).

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QString>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <unistd.h>

namespace grossby::fuzz {

/// A folder of this process's own, in memory when /dev/shm is there.
inline const std::string& scratchFolder()
{
    static const std::string folder = [] {
        const char* base = std::getenv("GROSSBY_FUZZ_TMP");
        std::string root = base ? base : (QDir(QStringLiteral("/dev/shm")).exists() ? "/dev/shm" : "/tmp");
        std::string path = root + "/grossby-fuzz-" + std::to_string(::getpid());
        QDir().mkpath(QString::fromStdString(path));
        return path;
    }();
    return folder;
}

/// Writes `size` bytes to `name` in the scratch folder; returns its path.
inline std::string writeScratch(const std::string& name, const std::uint8_t* data, std::size_t size)
{
    const std::string path = scratchFolder() + "/" + name;
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        std::abort();
    if (size > 0 && std::fwrite(data, 1, size, f) != size)
        std::abort();
    std::fclose(f);
    return path;
}

/// A GUI application on the offscreen platform, made once.
inline void needGuiApplication()
{
    // Never destroyed: at exit Qt's own statics may already be gone.
    static QGuiApplication* app = nullptr;
    if (!app) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "grossby-fuzz";
        static char* argv[] = {name, nullptr};
        app = new QGuiApplication(argc, argv);
    }
}

/// Standard output to /dev/null: the harnesses run code that prints results.
inline void silenceStdout()
{
    if (!std::freopen("/dev/null", "w", stdout))
        std::abort();
}

}  // namespace grossby::fuzz
