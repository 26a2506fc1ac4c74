#include "support/ReferencePages.h"

#include "platform/grid/io/VtsDocument.h"
#include "platform/grid/Sheet.h"
#include "support/TestFiles.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

namespace orvtest
{

namespace
{

QString compact(const QJsonValue& value)
{
    if (value.isArray())
        return QString::fromUtf8(QJsonDocument(value.toArray()).toJson(QJsonDocument::Compact));
    if (value.isObject())
        return QString::fromUtf8(QJsonDocument(value.toObject()).toJson(QJsonDocument::Compact));
    // A lone value: wrapped in an array to reuse the writer's quoting, then unwrapped.
    const QString wrapped = compact(QJsonArray { value });
    return wrapped.mid(1, wrapped.size() - 2);
}

QString rangeText(const QJsonValue& range)
{
    const QJsonArray r = range.toArray();
    return QStringLiteral("R%1C%2:R%3C%4")
        .arg(r[0].toInt())
        .arg(r[1].toInt())
        .arg(r[2].toInt())
        .arg(r[3].toInt());
}

QString pictureLine(const QJsonObject& picture)
{
    const QByteArray png = QByteArray::fromBase64(picture[u"png"].toString().toLatin1());
    return QStringLiteral("picture %1 %2 png %3 source %4")
        .arg(picture[u"id"].toInt())
        .arg(rangeText(picture[u"anchor"]),
            QString::fromLatin1(QCryptographicHash::hash(png, QCryptographicHash::Sha1).toHex().left(16)),
            compact(QFileInfo(picture[u"source"].toString()).fileName()));
}

// [row, col, style, kind, value] as "R5C3 style 2 s \"文件1\"".
QString cellLine(const QJsonArray& cell)
{
    QString line
        = QStringLiteral("R%1C%2 style %3").arg(cell[0].toInt()).arg(cell[1].toInt()).arg(cell[2].toInt());
    for (qsizetype i = 3; i < cell.size(); ++i)
        line += QLatin1Char(' ') + (i == 3 ? cell[i].toString() : compact(cell[i]));
    return line;
}

} // namespace

QString referenceText(const platform::grid::Sheet& sheet)
{
    const QJsonObject root = QJsonDocument::fromJson(platform::grid::io::vtsDocument(sheet)).object();
    QStringList lines;
    for (const char* key : { "format", "version", "maxRow", "maxCol", "defaultRowHeight", "defaultColWidth",
             "printArea", "printTitles" })
        lines << QLatin1String(key) + QLatin1Char(' ') + compact(root[QLatin1String(key)]);
    const QJsonObject page = root[u"pageSetup"].toObject();
    for (auto field = page.begin(); field != page.end(); ++field)
        lines << QStringLiteral("pageSetup.") + field.key() + QLatin1Char(' ') + compact(field.value());
    for (const QJsonValue& breakRow : root[u"rowPageBreaks"].toArray())
        lines << QStringLiteral("rowPageBreak %1").arg(breakRow.toInt());
    for (const QJsonValue& size : root[u"rowHeights"].toArray())
        lines << QStringLiteral("rowHeight %1 %2").arg(size[0].toInt()).arg(size[1].toInt());
    for (const QJsonValue& size : root[u"colWidths"].toArray())
        lines << QStringLiteral("colWidth %1 %2").arg(size[0].toInt()).arg(size[1].toInt());
    const QJsonArray styles = root[u"styles"].toArray();
    for (qsizetype i = 0; i < styles.size(); ++i)
        lines << QStringLiteral("style %1 ").arg(i) + compact(styles[i]);
    for (const QJsonValue& block : root[u"merges"].toArray())
        lines << QStringLiteral("merge ") + rangeText(block);
    for (const QJsonValue& picture : root[u"pictures"].toArray())
        lines << pictureLine(picture.toObject());
    for (const QJsonValue& cell : root[u"cells"].toArray())
        lines << cellLine(cell.toArray());
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

QString withClockNamed(QString text, const QDateTime& start, const QDateTime& end)
{
    const std::pair<const char*, const char*> variables[] = { { "yyyy年MM月dd日", "{%D}" },
        { "yyyy-MM-dd", "{%d}" }, { "hh时mm分", "{%T}" }, { "hh:mm", "{%t}" } };
    for (const QDateTime& moment : { start, end }) {
        for (const auto& [format, name] : variables)
            text.replace(moment.toString(QString::fromUtf8(format)), QLatin1String(name));
    }
    return text;
}

testing::AssertionResult matchesReference(const QString& actual, const QString& name, bool mayWrite)
{
    const QString path = testsFile(QStringLiteral("fixtures/") + name);
    QFile file(path);
    if (mayWrite && qEnvironmentVariable("ORV_UPDATE_FIXTURES") == QLatin1String("1")) {
        QDir().mkpath(QFileInfo(path).path());
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(actual.toUtf8()) < 0)
            return testing::AssertionFailure() << "cannot write " << path.toStdString();
        return testing::AssertionSuccess();
    }
    if (!file.open(QIODevice::ReadOnly))
        return testing::AssertionFailure()
            << "no reference " << path.toStdString() << " (ORV_UPDATE_FIXTURES=1 writes it)";
    const QStringList expected = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    const QStringList got = actual.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < std::max(expected.size(), got.size()); ++i) {
        const QString want = expected.value(i, QStringLiteral("<end of file>"));
        const QString have = got.value(i, QStringLiteral("<end of file>"));
        if (want != have)
            return testing::AssertionFailure()
                << name.toStdString() << " line " << i + 1 << " differs:\n  reference: " << want.toStdString()
                << "\n  built:     " << have.toStdString()
                << "\n(a deliberate change: rerun with ORV_UPDATE_FIXTURES=1 and review the diff)";
    }
    return testing::AssertionSuccess();
}

} // namespace orvtest
