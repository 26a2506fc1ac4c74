#include "dialogs/PaperTable.h"

#include "dialogs/PageSetupModel.h"
#include "platform/db/Recordset.h"
#include "platform/db/SqlLiteral.h"
#include "store/ReportKeywords.h"
#include "store/StoreSql.h"
#include "store/TextConvert.h"

namespace dialogs
{

namespace
{

std::optional<PaperSize> tablePaperSize(const QString& paperName)
{
    const auto rows = store::openStoreSql(QStringLiteral("select paper_width,paper_height from page_size "
                                                         "where paper_name =")
        + platform::db::sqlText(paperName));
    if (rows->eof())
        return std::nullopt;
    return PaperSize { rows->text(0), rows->text(1) };
}

// The fields of the note of the report's PAGE_SIZE row: none without that row, an empty list when
// the note is empty or holds fewer than the two sizes in centimetres.
std::optional<QStringList> customPaperNote()
{
    const auto rows = store::openStoreSql(QStringLiteral("select * from report_info where report_id =")
        + store::reportIdLiteral() + QStringLiteral(" and info_type =")
        + platform::db::sqlText(store::keywords::PageSize));
    if (rows->eof())
        return std::nullopt;
    const QString note = store::trimBlanks(rows->text(QStringLiteral("note")));
    const QStringList fields = note.split(QLatin1Char('|'));
    return note.isEmpty() || fields.size() < 2 ? QStringList {} : fields;
}

} // namespace

QStringList PaperNames()
{
    QStringList names;
    const auto rows = store::openStoreSql(QStringLiteral("select paper_name from page_size"));
    for (rows->moveFirst(); !rows->eof(); rows->moveNext())
        names.append(rows->text(0).trimmed());
    return names;
}

QString PaperNameOfCode(int paperCode)
{
    const auto rows = store::openStoreSql(
        QStringLiteral("select paper_name from page_size where paper_size =") + QString::number(paperCode));
    return rows->eof() ? QString() : rows->text(0).trimmed();
}

std::optional<int> PaperCodeOfName(const QString& paperName)
{
    const auto rows
        = store::openStoreSql(QStringLiteral("select paper_size from page_size where paper_name =")
            + platform::db::sqlText(paperName));
    if (rows->eof())
        return std::nullopt;
    return store::toShort(rows->text(0));
}

std::optional<PaperSize> PaperSizeToShow(const QString& paperName)
{
    if (paperName.trimmed() == CustomPaperName) {
        const auto note = customPaperNote();
        if (!note)
            return std::nullopt;
        if (!note->isEmpty())
            return PaperSize { note->at(0), note->at(1) };
    }
    return tablePaperSize(paperName);
}

} // namespace dialogs
