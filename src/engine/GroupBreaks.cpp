#include "engine/GroupBreaks.h"

#include "engine/EngineState.h"
#include "engine/PageCounts.h"
#include "platform/db/Recordset.h"
#include "platform/db/ValueText.h"
#include "platform/outside/FailureLog.h"

namespace engine
{

namespace
{

QString groupValueText(const platform::db::Recordset& record, const ReportCellItem& cell)
{
    if (cell.fieldIndex < 0)
        return QString();
    return record.field(cell.fieldIndex).text();
}

// Whether a value reads as the text: a text value is compared as it is, without a copy (every record
// is compared with its group).
bool readsAs(const QVariant& value, const QString& text)
{
    if (value.typeId() == QMetaType::QString)
        return *static_cast<const QString*>(value.constData()) == text;
    return platform::db::valueText(value) == text;
}

// True when the record's group differs from the stored values: a NULL differs only from a stored
// non-empty value; any other value compares by the text it was stored as, so equal values never
// count as a change.
bool groupDiffers(const DataReportRun& run, const platform::db::Recordset& record, const QStringList& stored)
{
    static const QString nothingStored;
    const auto& cells = run.GroupCells;
    for (int i = 0; i < cells.size(); ++i) {
        if (cells[i].fieldIndex < 0)
            continue;
        const QString& value = i < stored.size() ? stored.at(i) : nothingStored;
        // Group values are mostly texts: compared where the record set keeps them.
        if (const QString* text = record.textValue(cells[i].fieldIndex)) {
            if (*text != value)
                return true;
            continue;
        }
        const QVariant field = record.value(cells[i].fieldIndex);
        if (field.isNull() ? !value.isEmpty() : !readsAs(field, value))
            return true;
    }
    return false;
}

QStringList groupValuesOf(const DataReportRun& run, const platform::db::Recordset& record)
{
    QStringList values;
    for (const ReportCellItem& cell : run.GroupCells)
        values.append(groupValueText(record, cell));
    return values;
}

} // namespace

void CheckGroupBreak(DataReportRun& run, const platform::db::Recordset& data)
{
    run.RowPositionFlag = NoRowPosition;
    if (run.FirstBuild && run.RecordCounter == 1)
        run.RowPositionFlag = FirstRecordOfReport;
    if (data.eof())
        run.RowPositionFlag = LastRecordOfData;
    IsGroupChanged(run);
    if (run.GroupBreak) {
        run.RowPositionFlag = LastRecordOfGroup;
        return;
    }
    if (run.CurrentPage == 1 && run.RecordCounter == 1)
        run.RowPositionFlag = FirstRecordOnSecondPage;
}

void IsGroupChanged(DataReportRun& run)
{
    if (run.GroupCells.isEmpty()) {
        run.GroupBreak = false;
        return;
    }
    const platform::db::Recordset& data = *run.ReportDataRs;
    run.GroupBreak = data.eof() || groupDiffers(run, data, run.GroupValues);
}

void StoreGroupValue(DataReportRun& run, int index)
{
    if (run.GroupValues.size() <= index)
        run.GroupValues.resize(index + 1);
    run.GroupValues[index] = groupValueText(*run.ReportDataRs, run.GroupCells.at(index));
}

void CountRecordsByGroup(DataReportRun& run)
{
    platform::db::Recordset& data = *run.ReportDataRs;
    auto counts = platform::db::Recordset::fabricate({ { QStringLiteral("records"), QMetaType::LongLong } });
    QStringList group;
    long long records = 0;
    const auto closeGroup = [&] {
        counts->addNew();
        counts->setValue(0, records);
        records = 0;
    };
    for (data.moveFirst(); !data.eof(); data.moveNext()) {
        if (records > 0 && groupDiffers(run, data, group))
            closeGroup();
        if (records == 0)
            group = groupValuesOf(run, data);
        ++records;
    }
    if (records > 0)
        closeGroup();
    if (data.recordCount() > 0)
        data.moveFirst();
    ComputeGroupPages(run, *counts);
}

void GetRecordsetPageCountByGroup(DataReportRun& run)
{
    platform::outside::runLogged("GetRecordsetPageCountByGroup", [&run] { CountRecordsByGroup(run); });
}

} // namespace engine
