#include "dialogs/PaperTable.h"

#include "dialogs/PageSetupModel.h"
#include "platform/db/Recordset.h"
#include "store/CustomPaper.h"
#include "store/DefinitionReader.h"
#include "store/PageSettings.h"
#include "store/ReportDefinition.h"
#include "store/ReportState.h"
#include "store/StoreSql.h"
#include "store/TextConvert.h"

namespace dialogs
{

namespace
{

std::optional<PaperSize> tablePaperSize(const QString& paperName)
{
    const auto rows = store::openStoreSql(
        QStringLiteral("select paper_width,paper_height from page_size where paper_name = ?"), { paperName });
    if (rows->eof())
        return std::nullopt;
    return PaperSize { rows->text(0), rows->text(1) };
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
        = store::openStoreSql(QStringLiteral("select paper_size from page_size where paper_name = ?"), { paperName });
    if (rows->eof())
        return std::nullopt;
    return store::toShort(rows->text(0));
}

std::optional<PaperSize> PaperSizeToShow(const QString& paperName)
{
    if (paperName.trimmed() == CustomPaperName) {
        const auto definition = store::ReadReportDefinition(store::reportState().ReportId);
        if (!definition->paperNote)
            return std::nullopt;
        if (const auto paper = store::parseCustomPaper(*definition->paperNote))
            return PaperSize { store::DecimalText(paper->widthCm), store::DecimalText(paper->heightCm) };
    }
    return tablePaperSize(paperName);
}

} // namespace dialogs
