// Build-time tool: writes the program icon, drawn by the same routine the
// windows use, as the files of the desktop's hicolor icon theme.
//
//   grossby-icongen OUTDIR NAME SIZE...
//
// makes OUTDIR/scalable/apps/NAME.svg and OUTDIR/<n>x<n>/apps/NAME.png for
// each SIZE. Runs on the offscreen platform.

#include "shell/program_icon.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>

#include <cstdio>

namespace {

constexpr int kSvgSize = 256;

int fail(const QString& message)
{
    std::fprintf(stderr, "grossby-icongen: %s\n", qPrintable(message));
    return 1;
}

QString prepare(const QString& outDir, const QString& sizeFolder, const QString& fileName)
{
    const QString folder = QDir(outDir).filePath(sizeFolder + QStringLiteral("/apps"));
    if (!QDir().mkpath(folder))
        return {};
    return QDir(folder).filePath(fileName);
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() < 2)
        return fail(QStringLiteral("usage: grossby-icongen OUTDIR NAME SIZE..."));
    const QString& outDir = args[0];
    const QString& name = args[1];
    QList<int> sizes;
    for (const QString& arg : args.mid(2)) {
        bool ok = false;
        const int size = arg.toInt(&ok);
        if (!ok || size < 8 || size > 1024)
            return fail(QStringLiteral("'%1' is not an icon size in pixels").arg(arg));
        sizes << size;
    }

    const QString svgPath = prepare(outDir, QStringLiteral("scalable"), name + QStringLiteral(".svg"));
    if (svgPath.isEmpty())
        return fail(QStringLiteral("cannot make a folder in %1").arg(outDir));
    {
        QSvgGenerator svg;
        svg.setFileName(svgPath);
        svg.setSize(QSize(kSvgSize, kSvgSize));
        svg.setViewBox(QRect(0, 0, kSvgSize, kSvgSize));
        svg.setTitle(QStringLiteral("Grossby 2018"));
        svg.setDescription(QStringLiteral("Program icon"));
        QPainter painter;
        if (!painter.begin(&svg))
            return fail(QStringLiteral("cannot write %1").arg(svgPath));
        grossby::paintProgramIcon(painter, kSvgSize);
        painter.end();
    }

    for (const int size : sizes) {
        const QString folder = QStringLiteral("%1x%1").arg(size);
        const QString pngPath = prepare(outDir, folder, name + QStringLiteral(".png"));
        if (pngPath.isEmpty())
            return fail(QStringLiteral("cannot make a folder in %1").arg(outDir));
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            grossby::paintProgramIcon(painter, size);
        }
        if (!image.save(pngPath, "PNG"))
            return fail(QStringLiteral("cannot write %1").arg(pngPath));
    }
    return 0;
}
