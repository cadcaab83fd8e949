#include "services/report_engine.h"

#include "services/file_locations.h"
#include "services/print_database.h"
#include "services/print_schema.h"
#include "services/report_format.h"
#include "services/report_template.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHash>
#include <QImage>
#include <QImageReader>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPointer>
#include <QRegularExpression>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextOption>
#include <QThread>
#include <QThreadPool>
#include <QUrl>

#include <kainjow/mustache.hpp>

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <cmath>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <optional>
#include <sstream>

#include <sys/stat.h>

namespace grossby {

QString ReportJob::templatePath() const
{
    const QString folder = templateFolder.isEmpty() ? programFolder() : templateFolder;
    return QDir(folder).filePath(templateName);
}

namespace {

namespace mstch = kainjow::mustache;

constexpr const char* kFontFamily = "DejaVu Sans";
constexpr double kBodyPointSize = 10;
constexpr double kFooterPointSize = 8;
constexpr double kFooterGapMm = 3;

/// The value accessors a template may put before a column name.
const QStringList& modifiers()
{
    static const QStringList names{QStringLiteral("raw"), QStringLiteral("whole"), QStringLiteral("exact"),
                                   QStringLiteral("date"), QStringLiteral("if")};
    return names;
}

QString quoted(const QString& s)
{
    return QStringLiteral("\"%1\"").arg(s);
}

QString sqlName(const QString& name)
{
    QString escaped = name;
    escaped.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

double mmToLayout(double mm)
{
    return mm / 25.4 * Report::kLayoutDpi;
}

/// A paint device that only supplies the layout resolution, so the text
/// engine measures fonts the same way for every output.
QImage makeLayoutDevice()
{
    QImage device(1, 1, QImage::Format_RGB32);
    const int dotsPerMetre = qRound(Report::kLayoutDpi / 0.0254);
    device.setDotsPerMeterX(dotsPerMetre);
    device.setDotsPerMeterY(dotsPerMetre);
    return device;
}

/// Qt's text layout keeps positions in 26.6 fixed point held in an int, so
/// a document taller than 2^31/64 layout units (about 710 m at kLayoutDpi)
/// wraps round: the pages after that point come out blank or on top of one
/// another. Reports are kept below this height with some room to spare.
constexpr double kLayoutHeightLimit = 2147483647.0 / 64 * 0.95;
/// A template filled in may grow to this many characters (rows times the
/// sections that repeat them); the longest real report is well under 1%.
constexpr double kMaxFilledChars = 64.0 * 1024 * 1024;
/// A paragraph (or table cell) may hold this many characters. Its lines are
/// all visited whenever any page it runs over is drawn, so a section repeated
/// inside one paragraph would make every page as slow as the whole report.
constexpr int kMaxParagraphChars = 100000;
/// The footer may take at most this share of the height inside the margins.
constexpr double kMaxFooterShare = 0.5;
/// Pictures a template may show: regular files up to this size and extent.
constexpr qint64 kMaxPictureBytes = 16 * 1024 * 1024;
constexpr int kMaxPictureSide = 10000;

/// The message for a template that fills in to a paragraph of `longest`
/// characters, past kMaxParagraphChars.
QString tooLongParagraph(const QString& templateName, qsizetype longest)
{
    return QStringLiteral("The report template %1 fills in to a paragraph of %2 characters, more than the %3 a "
                          "paragraph or table cell may hold; a section repeated inside one paragraph should give "
                          "each row a table row or paragraph of its own.")
        .arg(quoted(templateName))
        .arg(longest)
        .arg(kMaxParagraphChars);
}

/// What a path names when it is not a regular file, for messages.
QString kindOfNode(mode_t mode)
{
    if (S_ISDIR(mode))
        return QStringLiteral("it is a folder, not a file");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("it is a device, not a file");
    if (S_ISFIFO(mode))
        return QStringLiteral("it is a named pipe (FIFO), not a file");
    if (S_ISSOCK(mode))
        return QStringLiteral("it is a socket, not a file");
    return QStringLiteral("it is not a regular file");
}

/// What was left out of a report, noted by its documents; they may be laid
/// out on several threads at once.
struct Problems {
    std::mutex lock;
    QStringList notes;

    void add(const QString& note)
    {
        const std::lock_guard<std::mutex> hold(lock);
        if (!notes.contains(note))
            notes.append(note);
    }
};

/// A report's text document. Pictures and style sheets the template names
/// are read only from regular files of bounded size in the template's folder
/// or the program folder; anything else is left out and noted.
class ReportDocument : public QTextDocument {
public:
    ReportDocument(QStringList folders, QString templateName, Problems* problems)
        : m_folders(std::move(folders))
        , m_templateName(std::move(templateName))
        , m_problems(problems)
    { }

protected:
    QVariant loadResource(int type, const QUrl& name) override
    {
        const QString scheme = name.scheme().toLower();
        if (scheme == QLatin1String("data") || scheme == QLatin1String("qrc"))
            return QTextDocument::loadResource(type, name);
        QString why;
        QVariant value = load(type, name, why);
        // A refused picture is stood in for by an invisible one: given
        // nothing, Qt's ODF writer would load the named path itself
        // (/dev/zero reads until memory runs out).
        if (!why.isEmpty() && type == ImageResource) {
            QImage blank(1, 1, QImage::Format_ARGB32);
            blank.fill(Qt::transparent);
            value = blank;
        }
        if (!why.isEmpty() && m_problems) {
            const QString what = type == ImageResource ? QStringLiteral("picture") : QStringLiteral("file");
            const QString note = QStringLiteral("The %1 %2 named by the report template %3 was left out: %4.")
                                     .arg(what, quoted(name.toDisplayString()), quoted(m_templateName), why);
            m_problems->add(note);
        }
        return value;
    }

private:
    QStringList m_folders;
    QString m_templateName;
    Problems* m_problems;

    QVariant load(int type, const QUrl& name, QString& why) const
    {
        if (!name.scheme().isEmpty() && !name.isLocalFile()) {
            why = QStringLiteral("only files beside the template or the program can be shown");
            return {};
        }
        const QString written = name.isLocalFile() ? name.toLocalFile() : name.path();
        if (written.isEmpty()) {
            why = QStringLiteral("it names no file");
            return {};
        }
        // The first allowed folder the name resolves inside.
        QString path;
        for (const QString& folder : m_folders) {
            if (folder.isEmpty())
                continue;
            const QString root = QFileInfo(folder).canonicalFilePath();
            const QString candidate = QFileInfo(QDir(folder).absoluteFilePath(written)).canonicalFilePath();
            if (!root.isEmpty() && !candidate.isEmpty() && candidate.startsWith(root + QLatin1Char('/'))) {
                path = candidate;
                break;
            }
        }
        if (path.isEmpty()) {
            why = QStringLiteral("no such file in the template's folder or the program folder");
            return {};
        }
        struct stat st { };
        if (::stat(QFile::encodeName(path).constData(), &st) != 0) {
            why = QString::fromLocal8Bit(std::strerror(errno));
            return {};
        }
        if (!S_ISREG(st.st_mode)) {
            why = kindOfNode(st.st_mode);
            return {};
        }
        if (st.st_size > kMaxPictureBytes) {
            why = QStringLiteral("it is larger than %1 MB").arg(kMaxPictureBytes / (1024 * 1024));
            return {};
        }
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            why = file.errorString();
            return {};
        }
        QByteArray bytes = file.read(kMaxPictureBytes + 1);
        if (bytes.size() > kMaxPictureBytes) {
            why = QStringLiteral("it is larger than %1 MB").arg(kMaxPictureBytes / (1024 * 1024));
            return {};
        }
        if (type == StyleSheetResource)
            return QString::fromUtf8(bytes);
        if (type != ImageResource)
            return bytes;
        QBuffer buffer(&bytes);
        QImageReader reader(&buffer);
        const QSize size = reader.size();
        if (!reader.canRead()) {
            why = QStringLiteral("it is not a picture this program can read");
            return {};
        }
        if (size.width() > kMaxPictureSide || size.height() > kMaxPictureSide) {
            why = QStringLiteral("it is larger than %1 by %1 pixels").arg(kMaxPictureSide);
            return {};
        }
        QImage image = reader.read();
        if (image.isNull()) {
            why = reader.errorString();
            return {};
        }
        return image;
    }
};

/// True when every block of `doc` lies inside the height the text layout
/// can hold: once positions wrap round, blocks land above the top or the
/// document claims a height it cannot have.
bool layoutFits(const QTextDocument& doc)
{
    const QAbstractTextDocumentLayout* layout = doc.documentLayout();
    const double height = layout->documentSize().height();
    if (!(height >= 0 && height <= kLayoutHeightLimit))
        return false;
    double lowest = 0;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        const QRectF rect = layout->blockBoundingRect(block);
        if (!(rect.top() >= -1 && rect.bottom() <= kLayoutHeightLimit))
            return false;
        lowest = std::max(lowest, rect.bottom());
    }
    return lowest <= height + 1;
}

/// A rough size of the template filled in: each tag's text repeated once per
/// row of every table section around it.
double filledSizeEstimate(const ReportTemplate& tpl, const std::vector<ReportTable>& tables)
{
    const auto rowsOf = [&](const QString& name) -> double {
        for (const ReportTable& t : tables) {
            if (t.name == name)
                return std::max<double>(1, static_cast<double>(t.rows.size()));
        }
        return 1;
    };
    double most = 1;
    for (const ReportTag& tag : tpl.tags) {
        double repeat = tag.kind == ReportTag::Kind::Section ? rowsOf(tag.name) : 1;
        for (const QString& section : tag.sections)
            repeat *= rowsOf(section);
        most = std::max(most, repeat);
    }
    return most * static_cast<double>(tpl.body.size());
}

/// Mustache lookups with one addition: "table.column" outside a section
/// reads the table's first row, so single-row tables need no section.
class ReportContext : public mstch::context<std::string> {
public:
    explicit ReportContext(const mstch::data* root)
        : mstch::context<std::string>(root)
    { }

    const mstch::data* get(const std::string& name) const override
    {
        const auto dot = name.find('.');
        if (dot != std::string::npos) {
            const mstch::data* head = mstch::context<std::string>::get(name.substr(0, dot));
            if (head && head->is_list()) {
                if (head->list_value().empty())
                    return nullptr;
                const mstch::data* var = &head->list_value().front();
                std::size_t start = dot + 1;
                while (var) {
                    const auto next = name.find('.', start);
                    var = var->get(name.substr(start, next == std::string::npos ? std::string::npos : next - start));
                    if (next == std::string::npos)
                        break;
                    start = next + 1;
                }
                return var;
            }
        }
        return mstch::context<std::string>::get(name);
    }
};

/// Reads the named tables, all rows, in the order they were added.
ReportStatus readTables(const QString& path, const QStringList& names, const QString& templateName,
                        std::vector<ReportTable>& out)
{
    if (names.isEmpty())
        return {};
    if (path.isEmpty())
        return {QStringLiteral("No print database is set, so the report %1 has no figures to show.")
                    .arg(quoted(templateName))};
    const QFileInfo info(path);
    if (!info.exists())
        return {QStringLiteral("The print database %1 was not found.").arg(quoted(QDir::toNativeSeparators(path)))};
    if (!info.isFile() || !info.isReadable())
        return {QStringLiteral("The print database %1 cannot be read (no permission, or not a file).")
                    .arg(quoted(QDir::toNativeSeparators(path)))};

    static std::atomic<int> counter{0};
    const QString connection = QStringLiteral("grossby-report-%1").arg(++counter);
    ReportStatus status;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=3000"));
        const QString file = quoted(QDir::toNativeSeparators(path));
        if (!db.open()) {
            status.error =
                QStringLiteral("The print database %1 could not be opened: %2.").arg(file, db.lastError().text());
        } else {
            QSqlQuery query(db);
            QHash<QString, QString> present;  // lower case -> name as created
            if (!query.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'"))) {
                status.error =
                    QStringLiteral("The print database %1 could not be read; it may be damaged or locked (%2).")
                        .arg(file, query.lastError().text());
            } else {
                while (query.next()) {
                    const QString name = query.value(0).toString();
                    present.insert(name.toLower(), name);
                }
            }
            for (const QString& name : names) {
                if (!status.ok())
                    break;
                if (!present.contains(name.toLower())) {
                    status.error =
                        QStringLiteral("The print database %1 has no table %2, which the report template %3 reads.")
                            .arg(file, name, quoted(templateName));
                    break;
                }
                ReportTable table;
                table.name = name;
                if (!query.exec(QStringLiteral("SELECT * FROM %1 ORDER BY rowid").arg(sqlName(name)))) {
                    status.error = QStringLiteral("The table %1 of the print database %2 could not be read: %3.")
                                       .arg(name, file, query.lastError().text());
                    break;
                }
                const QSqlRecord record = query.record();
                for (int i = 0; i < record.count(); ++i)
                    table.columns.append(record.fieldName(i));
                while (query.next()) {
                    QVariantList row;
                    row.reserve(record.count());
                    for (int i = 0; i < record.count(); ++i)
                        row.append(query.value(i));
                    table.rows.append(row);
                }
                if (query.lastError().isValid()) {
                    status.error = QStringLiteral("The table %1 of the print database %2 could not be read: %3.")
                                       .arg(name, file, query.lastError().text());
                    break;
                }
                out.push_back(std::move(table));
            }
            query.finish();
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(connection);
    return status;
}

/// What a column of `type` gives back for `value` staged into it, as the
/// print database stores it (SQLite column affinity) and Qt's driver reads
/// it: whole numbers as LongLong, others as Double, text as QString. Nothing
/// where the database would convert the value in a way not copied here:
/// text in a number column, a number in a text column, a value that is not
/// finite or is minus zero.
std::optional<QVariant> storedValue(PrintColumnType type, const PrintValue& value)
{
    if (const auto* text = std::get_if<std::string>(&value)) {
        if (type != PrintColumnType::Text)
            return std::nullopt;
        return QVariant(QString::fromStdString(*text));
    }
    if (type == PrintColumnType::Text)
        return std::nullopt;
    if (const auto* whole = std::get_if<std::int32_t>(&value)) {
        if (type == PrintColumnType::Real)
            return QVariant(static_cast<double>(*whole));
        return QVariant(static_cast<qlonglong>(*whole));
    }
    const double number = std::get<double>(value);
    if (!std::isfinite(number) || (number == 0 && std::signbit(number)))
        return std::nullopt;
    // An INTEGER column keeps a Double that is a whole number inside the
    // 64-bit range (its ends excluded) as an integer.
    constexpr double kTwoTo63 = 9223372036854775808.0;
    if (type == PrintColumnType::Integer && std::trunc(number) == number && number > -kTwoTo63 && number < kTwoTo63)
        return QVariant(static_cast<qlonglong>(number));
    return QVariant(number);
}

/// A column's value before anything is staged in it: 0 or empty text.
QVariant defaultValue(PrintColumnType type)
{
    switch (type) {
    case PrintColumnType::Real: return QVariant(0.0);
    case PrintColumnType::Integer: return QVariant(qlonglong{0});
    case PrintColumnType::Text: return QVariant(QString(QLatin1String("")));
    }
    return {};
}

/// Every declared print table as a print database made afresh and given
/// `staged` reads back: columns in declared order, single-row tables with
/// their one row, multi-row tables with the rows staged. Nothing when a
/// table or column is unknown, a single-row table is given other than one
/// row, or a value is one the database would convert (storedValue).
std::optional<std::vector<ReportTable>> tablesAsStored(const std::vector<StagedTable>& staged)
{
    for (const StagedTable& table : staged) {
        if (!findPrintTable(table.table))
            return std::nullopt;
    }
    std::vector<ReportTable> tables;
    for (const PrintTable& schema : printSchema()) {
        ReportTable table;
        table.name = QString::fromStdString(schema.name);
        QVariantList defaults;
        for (const PrintColumn& column : schema.columns) {
            table.columns.append(QString::fromStdString(column.name));
            defaults.append(defaultValue(column.type));
        }
        // Staging the same table twice: the last staging stands (a
        // multi-row table is emptied first; a single-row table's fields are
        // overwritten one by one).
        std::vector<const PrintRecord*> records;
        bool seen = false;
        for (const StagedTable& s : staged) {
            if (s.table != schema.name)
                continue;
            if (!schema.multiRow && s.rows.size() != 1)
                return std::nullopt;
            if (schema.multiRow)
                records.clear();
            for (const PrintRecord& record : s.rows)
                records.push_back(&record);
            seen = true;
        }
        if (!schema.multiRow) {
            QVariantList row = defaults;
            for (const PrintRecord* record : records) {
                for (const PrintField& field : *record) {
                    const qsizetype at = table.columns.indexOf(QString::fromStdString(field.name));
                    if (at < 0)
                        return std::nullopt;
                    std::optional<QVariant> value =
                        storedValue(schema.columns[static_cast<std::size_t>(at)].type, field.value);
                    if (!value)
                        return std::nullopt;
                    row[at] = std::move(*value);
                }
            }
            table.rows.append(std::move(row));
        } else if (seen) {
            table.rows.reserve(static_cast<qsizetype>(records.size()));
            for (const PrintRecord* record : records) {
                QVariantList row = defaults;
                for (const PrintField& field : *record) {
                    const PrintColumn* column = schema.find(field.name);
                    if (!column)
                        return std::nullopt;
                    std::optional<QVariant> value = storedValue(column->type, field.value);
                    if (!value)
                        return std::nullopt;
                    row[column - schema.columns.data()] = std::move(*value);
                }
                table.rows.append(std::move(row));
            }
        }
        tables.push_back(std::move(table));
    }
    return tables;
}

const ReportTable* findTable(const std::vector<ReportTable>& tables, const QString& name)
{
    for (const auto& t : tables) {
        if (t.name == name)
            return &t;
    }
    return nullptr;
}

/// Checks that `parts` (column, or modifier and column) name a column of
/// `table`; returns the fault otherwise.
QString checkColumn(const ReportTable& table, QStringList parts)
{
    if (parts.size() == 2 && modifiers().contains(parts[0]))
        parts.removeFirst();
    if (parts.size() != 1)
        return QStringLiteral("is not a column of the table %1").arg(table.name);
    if (table.columns.contains(parts[0]))
        return {};
    for (const QString& c : table.columns) {
        if (c.compare(parts[0], Qt::CaseInsensitive) == 0)
            return QStringLiteral("is not a column of the table %1 (did you mean %2? names are case-sensitive)")
                .arg(table.name, c);
    }
    return QStringLiteral("is not a column of the table %1 in the print database").arg(table.name);
}

/// Checks every placeholder against the tables read, so a misspelt column
/// is reported instead of printing as a blank. Collects the tables read
/// through "table.column" (they must hold a row).
QString checkTags(const std::vector<ReportTag>& tags, const std::vector<ReportTable>& tables,
                  const QStringList& builtIns, const QString& where, QSet<QString>& needRow)
{
    for (const ReportTag& tag : tags) {
        const auto fail = [&](const QString& why) {
            return QStringLiteral("%1, line %2: the placeholder {{%3}} %4.")
                .arg(where)
                .arg(tag.line)
                .arg(tag.name, why);
        };
        if (tag.name.isEmpty())
            return fail(QStringLiteral("names nothing"));
        if (builtIns.contains(tag.name))
            continue;
        const QStringList parts = tag.name.split(QLatin1Char('.'));
        if (const ReportTable* table = findTable(tables, parts[0])) {
            if (parts.size() == 1) {
                if (tag.kind == ReportTag::Kind::Variable)
                    return fail(QStringLiteral("names a whole table; show its rows with {{#%1}}...{{/%1}} "
                                               "or one field with {{%1.column}}")
                                    .arg(table->name));
                continue;
            }
            if (QString why = checkColumn(*table, parts.mid(1)); !why.isEmpty())
                return fail(why);
            needRow.insert(table->name);
            continue;
        }
        // A bare column: of the innermost enclosing table section that has it.
        const ReportTable* enclosing = nullptr;
        QString why;
        for (auto it = tag.sections.crbegin(); it != tag.sections.crend(); ++it) {
            if (const ReportTable* table = findTable(tables, *it)) {
                why = checkColumn(*table, parts);
                if (why.isEmpty()) {
                    enclosing = table;
                    break;
                }
            }
        }
        if (enclosing)
            continue;
        if (!why.isEmpty())
            return fail(why);
        return fail(QStringLiteral("is neither a column inside a table section nor \"table.column\" of a table "
                                   "listed on the template's \"tables:\" line"));
    }
    return {};
}

/// What a template's placeholders read of the rows: the columns named in a
/// placeholder or section (each part of every name), and for each accessor
/// ("raw.", "whole.", "exact.", "date.", "if.") whether it is used and the
/// columns named after it. A section that opens an accessor itself
/// ({{#raw}}...{{/raw}}) may read any of the columns named through it. The
/// values nothing reads are never made.
struct Accessors {
    enum Kind { Raw, Whole, Exact, Date, Cond, Count };
    QSet<QString> columns;
    std::array<bool, Count> used{};
    std::array<QSet<QString>, Count> read;

    bool reads(Kind kind, const QString& column) const { return used[kind] && read[kind].contains(column); }
};

Accessors accessorsUsed(const std::vector<ReportTag>& body, const std::vector<ReportTag>& footer)
{
    static const std::array<QLatin1String, Accessors::Count> names{QLatin1String("raw"), QLatin1String("whole"),
                                                                   QLatin1String("exact"), QLatin1String("date"),
                                                                   QLatin1String("if")};
    Accessors used;
    std::array<bool, Accessors::Count> opened{};
    const auto add = [&](const QString& name) {
        const QStringList parts = name.split(QLatin1Char('.'));
        for (qsizetype i = 0; i < parts.size(); ++i) {
            used.columns.insert(parts[i]);
            for (std::size_t k = 0; k < names.size(); ++k) {
                if (parts[i] != names[k])
                    continue;
                used.used[k] = true;
                if (i + 1 < parts.size())
                    used.read[k].insert(parts[i + 1]);
                else
                    opened[k] = true;
            }
        }
    };
    for (const auto* tags : {&body, &footer}) {
        for (const ReportTag& tag : *tags) {
            add(tag.name);
            for (const QString& section : tag.sections)
                add(section);
        }
    }
    for (std::size_t k = 0; k < names.size(); ++k) {
        if (opened[k])
            used.read[k] = used.columns;
    }
    return used;
}

/// The tables a template's placeholders name (first part of each name, and
/// the sections around them).
QSet<QString> tablesNamed(const std::vector<ReportTag>& tags)
{
    QSet<QString> names;
    for (const ReportTag& tag : tags) {
        names.insert(tag.name.section(QLatin1Char('.'), 0, 0));
        for (const QString& section : tag.sections)
            names.insert(section.section(QLatin1Char('.'), 0, 0));
    }
    return names;
}

/// Puts `value` into the object `object` under `name`, moved: the Mustache
/// library's own set() and push_back() copy, a whole table at a time.
void put(mstch::data& object, const std::string& name, mstch::data&& value)
{
    object.set(name, mstch::data(false));
    *const_cast<mstch::data*>(object.get(name)) = std::move(value);
}

/// Appends `value` to the list `list`, moved.
void append(mstch::data& list, mstch::data&& value)
{
    const_cast<mstch::list&>(list.list_value()).push_back(std::move(value));
}

/// The staged rows as Mustache data: the tables in `only` (all when null),
/// each value the template reads formatted, and as the accessors `used`
/// give it.
mstch::data toData(const std::vector<ReportTable>& tables, const QString& title, const Accessors& used,
                   const QSet<QString>* only = nullptr)
{
    mstch::data root;
    root.set("title", title.toStdString());
    for (const ReportTable& table : tables) {
        if (only && !only->contains(table.name))
            continue;
        std::vector<std::string> names;
        names.reserve(static_cast<std::size_t>(table.columns.size()));
        for (const QString& c : table.columns)
            names.push_back(c.toStdString());
        mstch::data rows{mstch::data::type::list};
        for (const QVariantList& values : table.rows) {
            mstch::data row;
            mstch::data raw;
            mstch::data whole;
            mstch::data exact;
            mstch::data date;
            mstch::data cond;
            for (qsizetype i = 0; i < values.size(); ++i) {
                const QString& column = table.columns[i];
                if (!used.columns.contains(column))
                    continue;
                const QVariant& v = values[i];
                const std::string& name = names[static_cast<std::size_t>(i)];
                put(row, name, mstch::data(formatReportValue(v).toStdString()));
                if (used.reads(Accessors::Raw, column))
                    put(raw, name, mstch::data(rawReportValue(v).toStdString()));
                if (used.reads(Accessors::Whole, column))
                    put(whole, name, mstch::data(wholeReportValue(v).toStdString()));
                if (used.reads(Accessors::Exact, column))
                    put(exact, name, mstch::data(exactReportValue(v).toStdString()));
                if (used.reads(Accessors::Date, column))
                    put(date, name, mstch::data(dateReportValue(v).toStdString()));
                if (used.reads(Accessors::Cond, column))
                    put(cond, name, mstch::data(reportValueIsSet(v)));
            }
            if (used.used[Accessors::Raw])
                put(row, "raw", std::move(raw));
            if (used.used[Accessors::Whole])
                put(row, "whole", std::move(whole));
            if (used.used[Accessors::Exact])
                put(row, "exact", std::move(exact));
            if (used.used[Accessors::Date])
                put(row, "date", std::move(date));
            if (used.used[Accessors::Cond])
                put(row, "if", std::move(cond));
            append(rows, std::move(row));
        }
        put(root, table.name.toStdString(), std::move(rows));
    }
    return root;
}

/// The fewest pages a template fills in to with the rows staged, known before
/// it is filled in: each element whose own style says "page-break-before:
/// always" (or after) starts a page, once for every row of each table section
/// around it. Breaks inside other sections (conditions, inverted sections)
/// may not show, so they are not counted; nor are breaks a style sheet gives
/// a class, nor those in HTML comments.
double forcedBreaksInTemplate(const QString& body, const std::vector<ReportTable>& tables)
{
    // A comment holding placeholders is read through: Mustache fills those in.
    static const QRegularExpression token(
        QStringLiteral("<!--(?:(?!\\{\\{).)*?-->|\\{\\{\\s*!.*?\\}\\}|\\{\\{\\s*([#^/])\\s*(.*?)\\s*\\}\\}|"
                       "<[^<>]*page-break-(?:before|after)\\s*:\\s*always[^<>]*>"),
        QRegularExpression::DotMatchesEverythingOption | QRegularExpression::CaseInsensitiveOption);
    std::vector<double> repeat{1};
    double breaks = 0;
    for (auto it = token.globalMatch(body); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const QStringView sigil = m.capturedView(1);
        if (sigil.isEmpty()) {
            if (!m.capturedView(0).startsWith(QLatin1String("<!--")))
                breaks += repeat.back();
            continue;
        }
        if (sigil == QLatin1String("/")) {
            if (repeat.size() > 1)
                repeat.pop_back();
            continue;
        }
        double rows = 0;
        if (sigil == QLatin1String("#")) {
            if (const ReportTable* table = findTable(tables, m.captured(2)))
                rows = static_cast<double>(table->rows.size());
        }
        repeat.push_back(repeat.back() * rows);
    }
    return breaks;
}

/// Forced page breaks of the laid-out flow (paragraphs and tables outside
/// tables), wherever they came from: each starts a page.
int forcedBreaksInDocument(const QTextDocument& doc)
{
    const auto forced = [](QTextFormat::PageBreakFlags flags) {
        return (flags & (QTextFormat::PageBreak_AlwaysBefore | QTextFormat::PageBreak_AlwaysAfter)) != 0;
    };
    int breaks = 0;
    for (auto it = doc.rootFrame()->begin(); !it.atEnd(); ++it) {
        if (const QTextFrame* frame = it.currentFrame())
            breaks += forced(frame->frameFormat().pageBreakPolicy()) ? 1 : 0;
        else
            breaks += forced(it.currentBlock().blockFormat().pageBreakPolicy()) ? 1 : 0;
    }
    return breaks;
}

/// One tag of an HTML text, as scanHtml() gives it.
struct HtmlTag {
    QString name;  ///< lower case, without the "/" of a closing tag; empty for "<!DOCTYPE" and the like
    bool closing = false;
    qsizetype start = 0;  ///< where its "<" is
    QStringView text;  ///< the tag as written, "<" to ">"
};

/// What scanHtml() does after a tag.
enum class AfterTag {
    Go,
    SkipContent,  ///< pass over what an opening tag holds, up to its closing tag (style sheets, scripts)
    Stop
};

/// Walks an HTML text as far as finding its tags needs: `onText(i)` for
/// each character outside tags, returning where to go on (past a character
/// reference, say), and `onTag(tag)` for each tag, returning what to do
/// next. Comments are passed over. The walk ends at a "<" with no ">" after
/// it.
template <typename OnText, typename OnTag> void scanHtml(const QString& html, OnText&& onText, OnTag&& onTag)
{
    const qsizetype n = html.size();
    for (qsizetype i = 0; i < n;) {
        if (html.at(i) != QLatin1Char('<')) {
            i = onText(i);
            continue;
        }
        if (QStringView(html).mid(i, 4) == QLatin1String("<!--")) {
            const qsizetype end = html.indexOf(QLatin1String("-->"), i + 4);
            i = end < 0 ? n : end + 3;
            continue;
        }
        const qsizetype end = html.indexOf(QLatin1Char('>'), i + 1);
        if (end < 0)
            return;
        HtmlTag tag;
        tag.closing = i + 1 < end && html.at(i + 1) == QLatin1Char('/');
        const qsizetype start = tag.closing ? i + 2 : i + 1;
        qsizetype stop = start;
        while (stop < end && html.at(stop).isLetterOrNumber())
            ++stop;
        tag.name = html.mid(start, stop - start).toLower();
        tag.start = i;
        tag.text = QStringView(html).mid(i, end + 1 - i);
        i = end + 1;
        switch (onTag(tag)) {
        case AfterTag::Go: break;
        case AfterTag::SkipContent:
            if (!tag.closing) {
                const qsizetype close = html.indexOf(QLatin1String("</") + tag.name, i, Qt::CaseInsensitive);
                i = close < 0 ? n : close;
            }
            break;
        case AfterTag::Stop: return;
        }
    }
}

/// About the length of the longest paragraph or table cell the filled-in
/// HTML makes, read before it is parsed: the text between tags that start a
/// paragraph, cell, row or line, each run of blanks and each character
/// reference counted as one character. Style sheets, scripts and comments
/// are passed over.
qsizetype longestParagraphInHtml(const QString& html)
{
    static const QStringList blockTags{
        QStringLiteral("p"),     QStringLiteral("div"),     QStringLiteral("br"),         QStringLiteral("tr"),
        QStringLiteral("td"),    QStringLiteral("th"),      QStringLiteral("li"),         QStringLiteral("ul"),
        QStringLiteral("ol"),    QStringLiteral("table"),   QStringLiteral("thead"),      QStringLiteral("tbody"),
        QStringLiteral("tfoot"), QStringLiteral("caption"), QStringLiteral("hr"),         QStringLiteral("pre"),
        QStringLiteral("h1"),    QStringLiteral("h2"),      QStringLiteral("h3"),         QStringLiteral("h4"),
        QStringLiteral("h5"),    QStringLiteral("h6"),      QStringLiteral("blockquote"), QStringLiteral("dl"),
        QStringLiteral("dt"),    QStringLiteral("dd"),      QStringLiteral("body"),       QStringLiteral("html"),
        QStringLiteral("head")};
    qsizetype most = 0;
    qsizetype run = 0;
    bool blank = false;
    const auto onText = [&](qsizetype i) -> qsizetype {
        const QChar c = html.at(i);
        if (c.isSpace()) {
            if (!blank)
                ++run;
            blank = true;
            return i + 1;
        }
        blank = false;
        ++run;
        if (c == QLatin1Char('&')) {
            const qsizetype semicolon = html.indexOf(QLatin1Char(';'), i + 1);
            return semicolon > i && semicolon - i <= 10 ? semicolon + 1 : i + 1;
        }
        return i + 1;
    };
    const auto onTag = [&](const HtmlTag& tag) {
        if (tag.name == QLatin1String("style") || tag.name == QLatin1String("script") ||
            tag.name == QLatin1String("title"))
            return AfterTag::SkipContent;
        if (blockTags.contains(tag.name)) {
            most = std::max(most, run);
            run = 0;
            blank = false;
        }
        return AfterTag::Go;
    };
    scanHtml(html, onText, onTag);
    return std::max(most, run);
}

/// The length of the longest paragraph or table cell of `doc`.
int longestParagraph(const QTextDocument& doc)
{
    int most = 0;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next())
        most = std::max(most, block.length());
    return most;
}

/// The filled-in page cut into runs where an element at the top level of
/// the body asks in its own style for a new page ("page-break-before:
/// always"), so each run is laid out as a document of its own: the work and
/// memory of laying out and painting a page no longer grow with the report.
/// Every run after the first gets the text before the body (head, style
/// sheets) and the body's opening tag, and its first element starts the
/// document instead of breaking a page. Only a paragraph or heading right
/// after a table starts a run (after a paragraph the break would take its
/// bottom margin along).
/// The whole page is one run when it has no explicit <body>, holds a style
/// sheet inside the body, or breaks no page that way.
std::vector<QString> pageRuns(const QString& html)
{
    // Elements laid out as one paragraph; a run starts only with one of them.
    static const QSet<QString> paragraphs{QStringLiteral("p"),  QStringLiteral("div"), QStringLiteral("h1"),
                                          QStringLiteral("h2"), QStringLiteral("h3"),  QStringLiteral("h4"),
                                          QStringLiteral("h5"), QStringLiteral("h6")};
    const auto startsParagraph = [](const QString& name) { return paragraphs.contains(name); };
    static const QRegularExpression breakBefore(QStringLiteral("\\bstyle\\s*=\\s*(\"[^\"]*\"|'[^']*')"),
                                                QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression always(QStringLiteral("page-break-before\\s*:\\s*always"),
                                           QRegularExpression::CaseInsensitiveOption);
    static const QSet<QString> voidTags{QStringLiteral("area"),  QStringLiteral("base"),  QStringLiteral("br"),
                                        QStringLiteral("col"),   QStringLiteral("embed"), QStringLiteral("hr"),
                                        QStringLiteral("img"),   QStringLiteral("input"), QStringLiteral("link"),
                                        QStringLiteral("meta"),  QStringLiteral("param"), QStringLiteral("source"),
                                        QStringLiteral("track"), QStringLiteral("wbr")};
    // Elements left open without harm (the layout closes them): not counted.
    static const QSet<QString> uncounted{QStringLiteral("p"), QStringLiteral("html"), QStringLiteral("body"),
                                         QStringLiteral("head")};
    const qsizetype n = html.size();
    qsizetype bodyStart = -1;  // just after <body ...>
    int depth = 0;
    bool content = false;  // something since the last cut
    // The last element closed (or text) at the top level: a cut is made only
    // after a table, where a page break neither collapses margins with the
    // paragraph before nor leaves one behind.
    QString lastAtTop;
    std::vector<qsizetype> cuts;  // where each later run starts
    std::vector<std::pair<qsizetype, qsizetype>> breaks;  // the "always" of each cut's tag
    bool whole = false;  // the page stays one run
    const auto onText = [&](qsizetype i) {
        if (bodyStart >= 0 && !html.at(i).isSpace()) {
            content = true;
            if (depth == 0)
                lastAtTop = QStringLiteral("#text");
        }
        return i + 1;
    };
    const auto onTag = [&](const HtmlTag& tag) {
        const QString& name = tag.name;
        if (name.isEmpty())
            return AfterTag::Go;
        if (name == QLatin1String("style") || name == QLatin1String("script") || name == QLatin1String("title") ||
            name == QLatin1String("textarea")) {
            whole = bodyStart >= 0 && name != QLatin1String("textarea");
            return whole ? AfterTag::Stop : AfterTag::SkipContent;
        }
        if (name == QLatin1String("body") && !tag.closing && bodyStart < 0) {
            bodyStart = tag.start + tag.text.size();
            return AfterTag::Go;
        }
        if (bodyStart < 0)
            return AfterTag::Go;
        if (name == QLatin1String("link")) {
            whole = true;
            return AfterTag::Stop;
        }
        if (!tag.closing && depth == 0 && content && lastAtTop == QLatin1String("table") && startsParagraph(name)) {
            const QRegularExpressionMatch style = breakBefore.match(tag.text);
            if (style.hasMatch()) {
                const QRegularExpressionMatch m = always.match(style.capturedView(1));
                if (m.hasMatch()) {
                    cuts.push_back(tag.start);
                    const qsizetype at = tag.start + style.capturedStart(1) + m.capturedEnd() - 6;
                    breaks.emplace_back(at, 6);
                    content = false;
                }
            }
        }
        content = true;
        if (voidTags.contains(name) || uncounted.contains(name) || tag.text.endsWith(QLatin1String("/>"))) {
            if (depth == 0)
                lastAtTop = name;
            return AfterTag::Go;
        }
        depth = tag.closing ? std::max(0, depth - 1) : depth + 1;
        if (tag.closing && depth == 0)
            lastAtTop = name;
        return AfterTag::Go;
    };
    scanHtml(html, onText, onTag);
    if (whole)
        return {html};
    if (cuts.empty() || bodyStart < 0)
        return {html};
    std::vector<QString> runs;
    const QString head = html.left(bodyStart);
    // A run that another follows ends with an empty paragraph where the next
    // run's page would start, which tells how many pages the run fills.
    const QString sentinel = QStringLiteral("<p style=\"page-break-before: always; margin: 0px\">&#160;</p>");
    runs.push_back(html.left(cuts.front()) + sentinel);
    for (std::size_t k = 0; k < cuts.size(); ++k) {
        const qsizetype from = cuts[k];
        const qsizetype to = k + 1 < cuts.size() ? cuts[k + 1] : n;
        QString run = head;
        run += QStringView(html).mid(from, breaks[k].first - from);
        run += QLatin1String("auto  ");
        run += QStringView(html).mid(breaks[k].first + breaks[k].second, to - breaks[k].first - breaks[k].second);
        if (k + 1 < cuts.size())
            run += sentinel;
        runs.push_back(std::move(run));
    }
    return runs;
}

/// The threads that lay out a report's runs of pages beside the thread that
/// loads it. They last as long as the application: Qt keeps the fonts a
/// thread has loaded with the thread, and the pages laid out there go on
/// using them wherever they are painted.
QThreadPool* layoutThreads()
{
    static std::mutex lock;
    static QPointer<QThreadPool> pool;
    const std::lock_guard<std::mutex> hold(lock);
    if (!pool) {
        pool = new QThreadPool(QCoreApplication::instance());
        pool->setExpiryTimeout(-1);
        pool->setMaxThreadCount(std::clamp(QThread::idealThreadCount() - 1, 1, 7));
    }
    return pool;
}

}  // namespace

/// What a run of pages holds that may refuse the report, found as it is laid
/// out.
struct RunFigures {
    int longest = 0;  ///< the longest paragraph or table cell
    int breaks = 0;  ///< forced page breaks
    bool fits = true;  ///< laid out inside the height the text layout can hold (layoutFits)
};

struct Report::Impl {
    QString title;
    QString templateName;
    QString html;
    std::vector<ReportTable> tables;
    QPageLayout layout;
    QImage layoutDevice = makeLayoutDevice();
    std::unique_ptr<QTextDocument> doc;  ///< the first run of pages (pageRuns)
    std::vector<std::unique_ptr<QTextDocument>> laterRuns;
    std::vector<int> runPages;  ///< pages of each run, the first run's first
    mutable std::unique_ptr<QTextDocument> whole;  ///< all runs as one document, made when asked for
    mstch::data root;
    std::unique_ptr<mstch::mustache> footer;
    double bodyWidth = 0;
    double bodyHeight = 0;
    double footerTop = 0;
    int pages = 1;
    QStringList resourceFolders;  ///< where a template's pictures may come from
    mutable Problems warnings;
    /// Whether every run was laid out inside the text layout's height, as
    /// found by the thread that laid it out; unknown once laid out afresh.
    std::optional<bool> runsFit;
    /// The page's runs not laid out yet (Content::Print): the first one and
    /// those after it, all of them or none.
    std::vector<QString> pendingRuns;

    /// A document with the report's type, its layout made at once so text
    /// put into it is laid out as it is parsed.
    std::unique_ptr<QTextDocument> newDocument(double pointSize) const
    {
        auto document = std::make_unique<ReportDocument>(resourceFolders, templateName, &warnings);
        document->setUseDesignMetrics(true);
        startLayout(*document);
        document->setDocumentMargin(0);
        QFont font(QString::fromLatin1(kFontFamily));
        font.setPointSizeF(pointSize);
        document->setDefaultFont(font);
        return document;
    }

    /// The runs being laid out and what the threads that take them share.
    /// It is held by each of them, so nothing they use lives in the frame of
    /// the thread that started them.
    struct RunQueue {
        std::vector<QString> runs;
        std::vector<RunFigures> figures;
        double mostPages = 0;  ///< forced page breaks past this refuse the report
        QThread* home = nullptr;  ///< the thread the runs are handed to
        std::atomic<std::size_t> next{1};
        std::atomic<int> breaks{0};
        std::atomic<bool> refused{false};
        /// Under `lock` (which thread checkers follow): the runs laid out,
        /// and the helpers started and finished.
        std::mutex lock;
        std::condition_variable changed;
        std::vector<char> done;
        int started = 0;
        int finished = 0;

        bool isDone(std::size_t k)
        {
            const std::lock_guard<std::mutex> hold(lock);
            return done[k] != 0;
        }
        void markDone(std::size_t k)
        {
            const std::lock_guard<std::mutex> hold(lock);
            done[k] = 1;
            changed.notify_all();
        }
        void waitFor(std::size_t k)
        {
            std::unique_lock<std::mutex> hold(lock);
            changed.wait(hold, [&] { return done[k] != 0; });
        }
        void helperFinished()
        {
            const std::lock_guard<std::mutex> hold(lock);
            ++finished;
            changed.notify_all();
        }
        void joinHelpers()
        {
            std::unique_lock<std::mutex> hold(lock);
            changed.wait(hold, [&] { return finished == started; });
        }
    };

    /// Parses and lays out run `k` (not the first) and hands it to the
    /// queue's thread.
    void layOutQueued(RunQueue& q, std::size_t k)
    {
        auto run = parseRun(q.runs[k]);
        RunFigures& f = q.figures[k];
        f.longest = longestParagraph(*run);
        f.breaks = forcedBreaksInDocument(*run);
        if (f.longest > kMaxParagraphChars || (q.breaks += f.breaks) > q.mostPages)
            q.refused = true;
        if (!q.refused) {
            run->setPageSize(QSizeF(bodyWidth, bodyHeight));
            run->documentLayout()->documentSize();
            f.fits = layoutFits(*run);
        }
        if (QThread::currentThread() != q.home)
            run->moveToThread(q.home);
        laterRuns[k - 1] = std::move(run);
        q.markDone(k);
    }

    /// Lays out the runs no thread has taken yet, one at a time.
    void layOutRest(RunQueue& q)
    {
        for (std::size_t k = q.next++; k < q.runs.size(); k = q.next++)
            layOutQueued(q, k);
    }

    /// The filled-in page's runs (pageRuns) parsed and laid out: the first in
    /// `doc`, the others in `laterRuns`. The others are shared out between
    /// this thread and the layout threads, each made, laid out and handed
    /// to this thread by the thread that takes it; painting stays here. A
    /// run that would refuse the report (a paragraph too long, page breaks
    /// past the limit) stops the layout of the runs after it.
    ///
    /// Given `ready`, this thread calls it for each run in order as soon as
    /// that run and those before it are laid out (painting them, say), and
    /// lays out runs of its own only while the next is not ready; once
    /// `ready` returns false it is not called again.
    RunFigures layOutRuns(const std::vector<QString>& runs,
                          const std::function<bool(std::size_t run, const RunFigures& figures)>& ready = {})
    {
        laterRuns.clear();
        laterRuns.resize(runs.size() - 1);
        runsFit.reset();
        const auto q = std::make_shared<RunQueue>();
        q->runs = runs;
        q->figures.resize(runs.size());
        q->mostPages = bodyHeight > 0 ? std::floor(kLayoutHeightLimit / bodyHeight) : 0;
        q->home = QThread::currentThread();
        q->breaks = static_cast<int>(runs.size()) - 1;
        q->done.assign(runs.size(), 0);
        // The helpers are waited for however this is left: they lay out
        // into this report.
        struct Join {
            RunQueue& q;
            ~Join() { q.joinHelpers(); }
        } join{*q};
        // Threads are worth starting for a few runs at least, and only from
        // the application's thread (the layout threads belong to it).
        const QCoreApplication* app = QCoreApplication::instance();
        if (runs.size() > 2 && app && app->thread() == q->home) {
            QThreadPool* pool = layoutThreads();
            // Held while the helpers start, and taken by each before it
            // begins: what this thread set up above is then seen to come
            // first by thread checkers, which do not follow Qt's hand-over
            // to a pool thread that is already running.
            static std::mutex handOver;
            const std::lock_guard<std::mutex> starting(handOver);
            const std::lock_guard<std::mutex> counting(q->lock);
            while (q->started < pool->maxThreadCount() && pool->tryStart([this, q] {
                {
                    const std::lock_guard<std::mutex> begun(handOver);
                }
                layOutRest(*q);
                q->helperFinished();
            }))
                ++q->started;
        }
        RunFigures& first = q->figures.front();
        doc->setHtml(runs.front());
        first.longest = longestParagraph(*doc);
        first.breaks = forcedBreaksInDocument(*doc);
        // Laid out while the helpers work on the others.
        if (first.longest <= kMaxParagraphChars) {
            doc->documentLayout()->documentSize();
            first.fits = layoutFits(*doc);
        } else {
            q->refused = true;
        }
        if (ready) {
            q->markDone(0);
            bool wanted = true;
            for (std::size_t k = 0; k < runs.size() && wanted;) {
                if (q->isDone(k)) {
                    wanted = !q->refused && ready(k, q->figures[k]);
                    ++k;
                    continue;
                }
                // The next run is still being laid out elsewhere: lay out
                // one of the others meanwhile, or wait for it.
                if (const std::size_t other = q->next++; other < runs.size())
                    layOutQueued(*q, other);
                else
                    q->waitFor(k);
            }
        }
        layOutRest(*q);
        q->joinHelpers();
        RunFigures all;
        all.breaks = static_cast<int>(runs.size()) - 1;
        bool fit = true;
        for (const RunFigures& f : q->figures) {
            all.longest = std::max(all.longest, f.longest);
            all.breaks += f.breaks;
            fit = fit && f.fits;
        }
        runsFit = fit;
        return all;
    }

    /// The pages of run `k` of `runs`, once laid out: up to the page its
    /// closing empty paragraph starts, all of them for the last run.
    int runPageCount(std::size_t k, std::size_t runs) const
    {
        const QTextDocument& run = k == 0 ? *doc : *laterRuns[k - 1];
        int count = 0;
        if (k + 1 == runs) {
            count = run.pageCount();
        } else {
            const QRectF sentinel = run.documentLayout()->blockBoundingRect(run.lastBlock());
            count = bodyHeight > 0 ? qRound(sentinel.top() / bodyHeight) : 1;
        }
        return std::max(1, count);
    }

    /// A later run parsed, not yet laid out.
    std::unique_ptr<QTextDocument> parseRun(const QString& text) const
    {
        auto run = newDocument(kBodyPointSize);
        // No page size: nothing is laid out until the run is complete.
        run->setPageSize(QSizeF(0, 0));
        run->setHtml(text);
        // After a page break the first paragraph keeps its top margin, which
        // the first paragraph of a document does not get: an empty line of
        // no height goes before it.
        const QTextBlock first = run->firstBlock();
        QTextCursor cursor(first);
        cursor.insertBlock(first.blockFormat(), first.charFormat());
        QTextBlockFormat lead;
        lead.setLineHeight(0, QTextBlockFormat::FixedHeight);
        QTextCursor(run->firstBlock()).setBlockFormat(lead);
        return run;
    }

    /// Each run of pages in turn, the first first.
    template <typename F> void forEachRun(F&& f) const
    {
        if (doc)
            f(*doc);
        for (const auto& run : laterRuns)
            f(*run);
    }

    /// Counts the pages of every run, and the report's.
    void countPages()
    {
        runPages.clear();
        pages = 0;
        const std::size_t runs = 1 + laterRuns.size();
        for (std::size_t k = 0; k < runs && doc; ++k) {
            runPages.push_back(runPageCount(k, runs));
            pages += runPages.back();
        }
        pages = std::max(1, pages);
    }

    /// Gives `document` its layout, measuring at the layout resolution.
    void startLayout(QTextDocument& document) const
    {
        document.documentLayout()->setPaintDevice(const_cast<QImage*>(&layoutDevice));
        // The layout lays out a first stretch as soon as it is made, before
        // it has the device: the same page size again starts it afresh.
        document.setPageSize(document.pageSize());
    }

    /// The footer of page `index` laid out to the body width.
    std::unique_ptr<QTextDocument> footerDocument(int index) const
    {
        auto document = newDocument(kFooterPointSize);
        QTextOption option = document->defaultTextOption();
        option.setAlignment(Qt::AlignHCenter);
        document->setDefaultTextOption(option);
        std::string text;
        if (footer) {
            mstch::data page;
            page.set("page", std::to_string(index + 1));
            page.set("pages", std::to_string(pages));
            ReportContext ctx(&root);
            ctx.push(&page);
            std::ostringstream out;
            footer->render(ctx, out);
            text = out.str();
        }
        document->setHtml(QString::fromStdString(text));
        document->setTextWidth(bodyWidth);
        return document;
    }
};

Report::Report()
    : d(std::make_unique<Impl>())
{ }
Report::Report(Report&&) noexcept = default;
Report& Report::operator=(Report&&) noexcept = default;
Report::~Report() = default;

Report Report::failed(QString error)
{
    Report report;
    report.m_error = std::move(error);
    return report;
}

Report Report::load(const ReportJob& job)
{
    return load(job.templatePath(), job.printDatabasePath, job.title);
}

Report Report::load(const QString& templatePath, const QString& printDatabasePath, const QString& title,
                    Content content)
{
    return load(templatePath, title, content,
                [&](const QStringList& names, const QString& templateName, std::vector<ReportTable>& out) {
                    return readTables(printDatabasePath, names, templateName, out);
                });
}

Report Report::load(const QString& templatePath, const std::vector<StagedTable>& staged, const QString& title,
                    Content content)
{
    const std::optional<std::vector<ReportTable>> stored = tablesAsStored(staged);
    if (!stored) {
        // Values the database converts for itself: it stages and reads them.
        QTemporaryDir scratch;
        if (!scratch.isValid())
            return failed(QStringLiteral("No temporary folder for the print database: %1.").arg(scratch.errorString()));
        const PrintDatabase db(scratch.filePath(QString::fromLatin1(kPrintFileName)), PrintDatabase::Writes::Scratch);
        if (DbStatus status = db.stage(staged); !status)
            return failed(status.error);
        return load(templatePath, db.path(), title, content);
    }
    return load(templatePath, title, content,
                [&](const QStringList& names, const QString& templateName, std::vector<ReportTable>& out) {
                    for (const QString& name : names) {
                        const auto same = [&](const ReportTable& t) {
                            return t.name.compare(name, Qt::CaseInsensitive) == 0;
                        };
                        const auto it = std::find_if(stored->begin(), stored->end(), same);
                        if (it == stored->end())
                            return ReportStatus{
                                QStringLiteral("There is no print table %1, which the report template %2 reads.")
                                    .arg(name, quoted(templateName))};
                        ReportTable table = *it;
                        table.name = name;
                        out.push_back(std::move(table));
                    }
                    return ReportStatus{};
                });
}

Report Report::load(const QString& templatePath, const QString& title, Content content, const TableReader& read)
{
    const QFileInfo info(templatePath);
    const QString name = info.fileName();
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return failed(QStringLiteral("Reports can only be laid out inside a running application."));
    const QString shownPath = quoted(QDir::toNativeSeparators(templatePath));
    struct stat st { };
    if (::stat(QFile::encodeName(templatePath).constData(), &st) != 0) {
        if (errno == ENOENT)
            return failed(QStringLiteral("The report template %1 was not found in %2.")
                              .arg(quoted(name), quoted(QDir::toNativeSeparators(info.absolutePath()))));
        return failed(QStringLiteral("The report template %1 could not be read: %2.")
                          .arg(shownPath, QString::fromLocal8Bit(std::strerror(errno))));
    }
    // Checked before opening: a pipe would block and a device never end.
    if (!S_ISREG(st.st_mode))
        return failed(
            QStringLiteral("The report template %1 could not be read: %2.").arg(shownPath, kindOfNode(st.st_mode)));
    if (st.st_size > ReportTemplate::kMaxChars)
        return failed(QStringLiteral("The report template %1 is too large (%2 bytes; a template is at most %3 MB).")
                          .arg(shownPath)
                          .arg(static_cast<qint64>(st.st_size))
                          .arg(ReportTemplate::kMaxChars / (1024 * 1024)));
    QFile file(templatePath);
    if (!file.open(QIODevice::ReadOnly))
        return failed(
            QStringLiteral("The report template %1 could not be read: %2.").arg(shownPath, file.errorString()));
    const QByteArray bytes = file.read(ReportTemplate::kMaxChars + 1);
    if (bytes.size() > ReportTemplate::kMaxChars)
        return failed(QStringLiteral("The report template %1 is too large (a template is at most %2 MB).")
                          .arg(shownPath)
                          .arg(ReportTemplate::kMaxChars / (1024 * 1024)));
    const QString text = QString::fromUtf8(bytes);
    file.close();

    ReportTemplate tpl;
    if (QString error = tpl.parse(text, name); !error.isEmpty())
        return failed(error);

    Report report;
    Impl& r = *report.d;
    r.title = title;
    r.templateName = name;
    r.layout = tpl.pageLayout;
    if (ReportStatus status = read(tpl.tables, name, r.tables); !status)
        return failed(status.error);

    const QString where = QStringLiteral("The report template %1").arg(quoted(name));
    QSet<QString> needRow;
    const QStringList bodyNames{QStringLiteral("title")};
    const QStringList footerNames{QStringLiteral("title"), QStringLiteral("page"), QStringLiteral("pages")};
    if (QString error = checkTags(tpl.tags, r.tables, bodyNames, where, needRow); !error.isEmpty())
        return failed(error);
    if (QString error = checkTags(tpl.footerTags, r.tables, footerNames, where + QStringLiteral(" (footer)"), needRow);
        !error.isEmpty())
        return failed(error);
    if (tpl.body.trimmed().isEmpty())
        return failed(
            QStringLiteral("%1 has nothing to print: there is no text after its settings comment.").arg(where));
    for (const ReportTable& table : r.tables) {
        if (needRow.contains(table.name) && table.rows.isEmpty())
            return failed(QStringLiteral("The table %1 of the print database holds no row, so the report %2 has "
                                         "nothing to show. Print from the calculator again.")
                              .arg(table.name, quoted(name)));
    }

    if (content == Content::Figures)
        return report;

    const double filled = filledSizeEstimate(tpl, r.tables);
    if (filled > kMaxFilledChars)
        return failed(QStringLiteral("%1 would fill in to about %2 million characters with the rows staged, more "
                                     "than a report can lay out; it repeats its sections too often.")
                          .arg(where)
                          .arg(qRound64(std::min(filled, 1e18) / 1e6)));

    const Accessors used = accessorsUsed(tpl.tags, tpl.footerTags);
    if (!tpl.footer.trimmed().isEmpty())
        r.footer = std::make_unique<mstch::mustache>(tpl.footer.toStdString());
    r.resourceFolders = {info.absolutePath(), programFolder()};
    // The footers of the pages read only these tables.
    const QSet<QString> footerTables = tablesNamed(tpl.footerTags);
    if (content == Content::Pages || content == Content::Print) {
        // The page size goes first, so the text is laid out once, in pages.
        // Only what the footer reads is needed to measure it.
        r.root = toData(r.tables, title, used, &footerTables);
        // The layout is given its device before the text is parsed, so the
        // text is laid out once; what cannot be laid out in good time is
        // refused before the pages are counted.
        r.doc = r.newDocument(kBodyPointSize);
        report.relayout();
        if (!report.m_error.isEmpty())
            return failed(report.m_error);
        // A report too long for the layout is refused before any of it is
        // filled in, when the page breaks it writes already say so.
        if (QString error = report.tooManyPagesError(forcedBreaksInTemplate(tpl.body, r.tables)); !error.isEmpty())
            return failed(error);
    }

    {
        const mstch::data all = toData(r.tables, title, used);
        mstch::mustache body(tpl.body.toStdString());
        ReportContext ctx(&all);
        std::ostringstream out;
        body.render(ctx, out);
        if (!body.is_valid())
            return failed(QStringLiteral("%1 could not be filled in: %2.")
                              .arg(where, QString::fromStdString(body.error_message())));
        r.html = QString::fromStdString(out.str());
    }
    // Once filled in, the values are kept only for the footers (made above).
    if (content == Content::Html)
        return report;

    // A paragraph that holds a whole schedule is refused before the text is
    // parsed (which alone would take seconds), and checked again after.
    if (const qsizetype longest = longestParagraphInHtml(r.html); longest > kMaxParagraphChars)
        return failed(tooLongParagraph(name, longest));
    // Pages that start with a page break of their own are laid out apart.
    std::vector<QString> runs = pageRuns(r.html);
    if (content == Content::Print) {
        r.pendingRuns = std::move(runs);
        return report;
    }
    // Refused when a paragraph holds a whole schedule or a style sheet gives
    // page breaks past the limit: the layout stops at the first run that
    // shows it.
    if (QString error = report.runsError(r.layOutRuns(runs)); !error.isEmpty())
        return failed(error);
    return report;
}

QString Report::runsError(const RunFigures& figures) const
{
    Impl& r = *d;
    if (figures.longest > kMaxParagraphChars)
        return tooLongParagraph(r.templateName, figures.longest);
    if (QString error = tooManyPagesError(figures.breaks); !error.isEmpty())
        return error;
    r.countPages();
    return layoutLimitError();
}

void Report::settle() const
{
    Impl& r = *d;
    if (r.pendingRuns.empty())
        return;
    const std::vector<QString> runs = std::move(r.pendingRuns);
    r.pendingRuns.clear();
    if (QString error = runsError(r.layOutRuns(runs)); !error.isEmpty() && m_error.isEmpty())
        m_error = std::move(error);
}

Report::Content Report::contentFor(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("csv") || suffix == QLatin1String("xlsx"))
        return Content::Figures;
    if (suffix == QLatin1String("html") || suffix == QLatin1String("htm"))
        return Content::Html;
    return Content::Pages;
}

void Report::relayout()
{
    Impl& r = *d;
    if (!r.doc)
        return;
    const QRectF content = r.layout.paintRect(QPageLayout::Millimeter);
    r.bodyWidth = mmToLayout(content.width());
    const double band = r.footer ? r.footerDocument(0)->size().height() + mmToLayout(kFooterGapMm) : 0;
    const double room = mmToLayout(content.height());
    if (band > room * kMaxFooterShare) {
        // Left to it, the text layout would take a page of no height for
        // one endless page and print the footer alone.
        const double mm = band / kLayoutDpi * 25.4;
        m_error = QStringLiteral("The footer of the report %1 is %2 mm tall, more than half of the %3 mm the page "
                                 "has inside its margins, which leaves no room for the report. Shorten the footer "
                                 "or give it smaller type.")
                      .arg(quoted(r.templateName))
                      .arg(qRound(mm))
                      .arg(qRound(content.height()));
        return;
    }
    r.bodyHeight = room - band;
    r.footerTop = r.bodyHeight + (band > 0 ? mmToLayout(kFooterGapMm) : 0);
    r.whole.reset();
    r.runsFit.reset();
    if (r.doc)
        r.doc->setPageSize(QSizeF(r.bodyWidth, r.bodyHeight));
    for (const auto& run : r.laterRuns)
        run->setPageSize(QSizeF(r.bodyWidth, r.bodyHeight));
    r.countPages();
    if (!r.html.isEmpty())
        m_error = layoutLimitError();
}

QString Report::tooManyPagesError(double pages) const
{
    const Impl& r = *d;
    const double most = r.bodyHeight > 0 ? std::floor(kLayoutHeightLimit / r.bodyHeight) : 0;
    if (pages <= most)
        return {};
    return QStringLiteral("The report %1 is too long to lay out: it runs past the %2 pages a report can have on "
                          "this paper (it would have at least %3). Print a shorter period or fewer rows.")
        .arg(quoted(r.templateName))
        .arg(static_cast<qint64>(most))
        .arg(static_cast<qint64>(pages));
}

QString Report::layoutLimitError() const
{
    const Impl& r = *d;
    // As found by the threads that laid the runs out, unless laid out again.
    bool fits = r.runsFit.value_or(true);
    if (!r.runsFit)
        r.forEachRun([&](const QTextDocument& run) { fits = fits && layoutFits(run); });
    // Runs laid out apart must not come to more pages than one document can.
    const bool withinLimit =
        r.laterRuns.empty() || r.pages <= std::floor(kLayoutHeightLimit / std::max(1.0, r.bodyHeight));
    if (!r.doc || (fits && withinLimit))
        return {};
    const int most = r.bodyHeight > 0 ? static_cast<int>(kLayoutHeightLimit / r.bodyHeight) : 0;
    return QStringLiteral("The report %1 is too long to lay out: it runs past the %2 pages a report can have on "
                          "this paper. Print a shorter period or fewer rows.")
        .arg(quoted(r.templateName))
        .arg(most);
}

const QStringList& Report::warnings() const
{
    settle();
    return d->warnings.notes;
}

const QString& Report::title() const
{
    return d->title;
}
const QString& Report::templateName() const
{
    return d->templateName;
}
const QString& Report::html() const
{
    return d->html;
}

QString Report::displayName() const
{
    const qsizetype dash = d->title.indexOf(QLatin1String(" - "));
    QString name = (dash >= 0 ? d->title.left(dash) : d->title).trimmed();
    if (name.isEmpty() && !d->pendingRuns.empty()) {
        // Not parsed yet: its title is read without laying anything out.
        QTextDocument first;
        first.setHtml(d->pendingRuns.front());
        name = first.metaInformation(QTextDocument::DocumentTitle).trimmed();
    } else if (name.isEmpty() && d->doc) {
        name = d->doc->metaInformation(QTextDocument::DocumentTitle).trimmed();
    }
    if (name.isEmpty())
        name = QFileInfo(d->templateName).completeBaseName();
    return name;
}
const std::vector<ReportTable>& Report::tables() const
{
    return d->tables;
}
const QTextDocument* Report::document() const
{
    settle();
    if (d->laterRuns.empty() || !d->doc)
        return d->doc.get();
    // The runs as one document, as the filled-in page reads (ODF text).
    if (!d->whole) {
        d->whole = d->newDocument(kBodyPointSize);
        d->whole->setPageSize(QSizeF(d->bodyWidth, d->bodyHeight));
        d->whole->setHtml(d->html);
    }
    return d->whole.get();
}
QPageLayout Report::pageLayout() const
{
    return d->layout;
}
int Report::pageCount() const
{
    settle();
    return d->doc ? d->pages : 0;
}

void Report::setPageLayout(const QPageLayout& layout)
{
    if (!layout.isValid())
        return;
    settle();
    d->layout = layout;
    d->layout.setUnits(QPageLayout::Millimeter);
    relayout();
}

void Report::paintPage(QPainter& painter, int index) const
{
    settle();
    const Impl& r = *d;
    if (!r.doc || index < 0 || index >= r.pages)
        return;
    // The run that holds the page, and the page's place in it.
    const QTextDocument* run = r.doc.get();
    int local = index;
    for (std::size_t k = 0; k < r.runPages.size() && local >= r.runPages[k]; ++k) {
        local -= r.runPages[k];
        run = k < r.laterRuns.size() ? r.laterRuns[k].get() : nullptr;
    }
    if (!run)
        return;
    const QRectF view(0, local * r.bodyHeight, r.bodyWidth, r.bodyHeight);

    painter.save();
    painter.setClipRect(QRectF(0, 0, r.bodyWidth, r.bodyHeight), Qt::IntersectClip);
    painter.translate(0, -view.top());
    QAbstractTextDocumentLayout::PaintContext ctx;
    ctx.clip = view;
    ctx.palette.setColor(QPalette::Text, Qt::black);
    run->documentLayout()->draw(&painter, ctx);
    painter.restore();

    if (r.footer) {
        const auto footer = r.footerDocument(index);
        painter.save();
        painter.translate(0, r.footerTop);
        QAbstractTextDocumentLayout::PaintContext footerCtx;
        footerCtx.palette.setColor(QPalette::Text, Qt::black);
        footer->documentLayout()->draw(&painter, footerCtx);
        painter.restore();
    }
}

QImage Report::pageImage(int index, double dpi) const
{
    const QRect sheet = d->layout.fullRectPixels(qRound(dpi));
    QImage image(sheet.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    const int dotsPerMetre = qRound(dpi / 0.0254);
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    const QRectF content = d->layout.paintRect(QPageLayout::Millimeter);
    painter.translate(content.left() / 25.4 * dpi, content.top() / 25.4 * dpi);
    painter.scale(dpi / kLayoutDpi, dpi / kLayoutDpi);
    paintPage(painter, index);
    return image;
}

namespace {

/// Pages of a report painted one after another on a printer or PDF writer,
/// each placed by the report's own margins.
class Sheets {
public:
    explicit Sheets(QPagedPaintDevice& device)
        : m_device(device)
    { }

    /// Gives the device the report's page layout and starts painting; some
    /// printers refuse a paper size or margins, and the pages are then still
    /// drawn as laid out.
    ReportStatus begin(const QPageLayout& layout, const QString& templateName)
    {
        m_name = templateName;
        m_device.setPageLayout(layout);
        if (!m_painter.begin(&m_device))
            return {QStringLiteral("The output device would not start printing the report %1.").arg(quoted(m_name))};
        m_painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
        m_dpiX = m_device.logicalDpiX();
        m_dpiY = m_device.logicalDpiY();
        const QRectF ours = layout.paintRect(QPageLayout::Inch);
        const QRectF theirs = m_device.pageLayout().paintRect(QPageLayout::Inch);
        m_offset = QPointF((ours.left() - theirs.left()) * m_dpiX, (ours.top() - theirs.top()) * m_dpiY);
        return {};
    }

    /// Paints page `index` of `report` on a sheet of its own.
    ReportStatus page(const Report& report, int index)
    {
        if (m_painted > 0 && !m_device.newPage()) {
            m_painter.end();
            return {QStringLiteral("The output device stopped at page %1 of the report %2.")
                        .arg(m_painted + 1)
                        .arg(quoted(m_name))};
        }
        ++m_painted;
        m_painter.save();
        m_painter.translate(m_offset);
        m_painter.scale(m_dpiX / Report::kLayoutDpi, m_dpiY / Report::kLayoutDpi);
        report.paintPage(m_painter, index);
        m_painter.restore();
        return {};
    }

    ReportStatus end()
    {
        if (m_painter.isActive() && !m_painter.end())
            return {QStringLiteral("The output device could not finish the report %1.").arg(quoted(m_name))};
        return {};
    }

private:
    QPagedPaintDevice& m_device;
    QPainter m_painter;
    QString m_name;
    QPointF m_offset;
    double m_dpiX = 1;
    double m_dpiY = 1;
    int m_painted = 0;
};

}  // namespace

ReportStatus Report::print(QPagedPaintDevice& device) const
{
    settle();
    if (!ok())
        return {m_error};
    if (!d->doc)
        return {m_error.isEmpty() ? QStringLiteral("There is no report to print.") : m_error};
    Sheets sheets(device);
    if (ReportStatus status = sheets.begin(d->layout, d->templateName); !status)
        return status;
    for (int i = 0; i < d->pages; ++i) {
        if (ReportStatus status = sheets.page(*this, i); !status)
            return status;
    }
    return sheets.end();
}

ReportStatus Report::printAlong(QPagedPaintDevice& device, bool& again) const
{
    again = false;
    Impl& r = *d;
    if (r.pendingRuns.empty() || !ok() || !r.doc)
        return print(device);
    Sheets sheets(device);
    if (ReportStatus status = sheets.begin(r.layout, r.templateName); !status)
        return status;
    const std::vector<QString> runs = std::move(r.pendingRuns);
    r.pendingRuns.clear();
    // Each run after the first is counted as one page (the fewest it can
    // have) until it is laid out: the footers say so, and a run that fills
    // more stops the painting.
    int guess = 0;
    int painted = 0;
    bool along = true;
    ReportStatus painting;
    r.runPages.clear();
    const RunFigures figures = r.layOutRuns(runs, [&](std::size_t k, const RunFigures&) {
        const int count = r.runPageCount(k, runs.size());
        if (k == 0) {
            guess = count + static_cast<int>(runs.size()) - 1;
            r.pages = guess;
        } else if (count != 1) {
            along = false;
            return false;
        }
        r.runPages.push_back(count);
        for (int i = 0; i < count && painting; ++i)
            painting = sheets.page(*this, painted++);
        return painting.ok();
    });
    if (QString error = runsError(figures); !error.isEmpty()) {
        sheets.end();
        m_error = error;
        return {error};
    }
    if (!painting)
        return painting;
    if (!along || r.pages != guess) {
        again = true;
        sheets.end();
        return {};
    }
    return sheets.end();
}

}  // namespace grossby
