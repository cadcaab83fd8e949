#include "services/output_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/types.h>

using namespace grossby;

namespace {

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

void writeFile(const QString& path, const QByteArray& data)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(data);
}

mode_t modeOf(const QString& path)
{
    struct stat st { };
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? (st.st_mode & 07777) : 0;
}

QString writeThrough(const QString& path, const QByteArray& data)
{
    OutputFile out(path);
    if (QString error = out.open(); !error.isEmpty())
        return error;
    out.device()->write(data);
    return out.commit();
}

class OutputFileTest : public ::testing::Test {
protected:
    QString at(const char* name) const { return m_dir.filePath(QLatin1String(name)); }
    QStringList entries() const
    {
        return QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    }
    QTemporaryDir m_dir;
};

TEST_F(OutputFileTest, TargetsThatAreNotFilesAreRefusedByName)
{
    const QString fifo = at("pipe");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString link = at("link-to-pipe");
    ASSERT_TRUE(QFile::link(fifo, link));
    QDir().mkdir(at("folder"));

    struct Case {
        QString path;
        const char* reason;
    };
    const Case cases[] = {
        {QString(), "No output file was named"},
        {at("folder"), "it is a folder"},
        {fifo, "named pipe (FIFO)"},
        {link, "named pipe (FIFO)"},
        {QStringLiteral("/dev/null"), "it is a device"},
        {at("missing/out.csv"), "does not exist"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        const QString check = checkOutputTarget(c.path);
        EXPECT_TRUE(check.contains(QLatin1String(c.reason))) << check.toStdString();
        if (!c.path.isEmpty()) {
            EXPECT_TRUE(check.contains(QDir::toNativeSeparators(c.path))) << check.toStdString();
        }
        // open() refuses the same way and leaves the node as it was.
        EXPECT_EQ(writeThrough(c.path, "x"), check);
    }
    EXPECT_TRUE(QFileInfo(fifo).isFile() == false && QFileInfo::exists(fifo));
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(entries().size(), 3);  // pipe, link-to-pipe, folder: nothing added
}

TEST_F(OutputFileTest, WritesNewFilesAndKeepsPermissionsAndLinks)
{
    EXPECT_TRUE(checkOutputTarget(at("new.csv")).isEmpty());
    EXPECT_TRUE(writeThrough(at("new.csv"), "one").isEmpty());
    EXPECT_EQ(readAll(at("new.csv")), "one");
    const mode_t mask = ::umask(0);
    ::umask(mask);
    EXPECT_EQ(modeOf(at("new.csv")), 0666 & ~mask);

    writeFile(at("kept.csv"), "old");
    ASSERT_EQ(::chmod(QFile::encodeName(at("kept.csv")).constData(), 0640), 0);
    EXPECT_TRUE(writeThrough(at("kept.csv"), "new").isEmpty());
    EXPECT_EQ(readAll(at("kept.csv")), "new");
    EXPECT_EQ(modeOf(at("kept.csv")), 0640u);

    // A symlink is written through: the link stays, its target changes.
    writeFile(at("real.csv"), "old");
    ASSERT_TRUE(QFile::link(at("real.csv"), at("alias.csv")));
    EXPECT_TRUE(writeThrough(at("alias.csv"), "through").isEmpty());
    EXPECT_TRUE(QFileInfo(at("alias.csv")).isSymLink());
    EXPECT_EQ(readAll(at("real.csv")), "through");
}

TEST_F(OutputFileTest, NothingIsLeftBehindWhileWritingOrAfterCancel)
{
    writeFile(at("report.csv"), "old");
    {
        OutputFile out(at("report.csv"));
        ASSERT_TRUE(out.open().isEmpty());
        out.device()->write("half");
        // Unnamed temporary file: no second entry while writing. A file system
        // without them gives a named partial, hidden (0600) and on record.
        const QStringList partials = OutputFile::partialPaths();
        if (partials.isEmpty()) {
            EXPECT_EQ(entries(), QStringList{QStringLiteral("report.csv")});
        } else {
            ASSERT_EQ(partials.size(), 1);
            EXPECT_EQ(modeOf(partials.first()), 0600u);
        }
        out.cancel();
        EXPECT_EQ(readAll(at("report.csv")), "old");
    }
    {
        OutputFile out(at("dropped.csv"));
        ASSERT_TRUE(out.open().isEmpty());
        out.device()->write("lost");
    }  // destroyed without commit
    EXPECT_EQ(entries(), QStringList{QStringLiteral("report.csv")});
    EXPECT_TRUE(OutputFile::partialPaths().isEmpty());
}

TEST_F(OutputFileTest, FailedCommitIsReportedByName)
{
    // The folder vanishing while the file is written: commit must fail and say so.
    QDir().mkdir(at("sub"));
    const QString target = at("sub/new.csv");
    OutputFile out(target);
    ASSERT_TRUE(out.open().isEmpty());
    out.device()->write("new");
    if (!OutputFile::partialPaths().isEmpty())
        GTEST_SKIP() << "named partial files on this file system";
    ASSERT_TRUE(QDir().rmdir(at("sub")));
    const QString error = out.commit();
    EXPECT_TRUE(error.contains(QDir::toNativeSeparators(target))) << error.toStdString();
    EXPECT_FALSE(QFileInfo::exists(target));
}

}  // namespace
