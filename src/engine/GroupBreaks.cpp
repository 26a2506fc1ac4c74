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
bool groupDiffers(const platform::db::Recordset& record, const QStringList& stored)
{
    static const QString nothingStored;
    const auto& cells = dataEngine().GroupCells;
    for (int i = 0; i < cells.size(); ++i) {
        if (cells[i].fieldIndex < 0)
            continue;
        const QVariant field = record.value(cells[i].fieldIndex);
        const QString& value = i < stored.size() ? stored.at(i) : nothingStored;
        if (field.isNull() ? !value.isEmpty() : !readsAs(field, value))
            return true;
    }
    return false;
}

QStringList groupValuesOf(const platform::db::Recordset& record)
{
    QStringList values;
    for (const ReportCellItem& cell : dataEngine().GroupCells)
        values.append(groupValueText(record, cell));
    return values;
}

} // namespace

void CheckGroupBreak(const platform::db::Recordset& data)
{
    DataEngineState& engine = dataEngine();
    engine.RowPositionFlag = NoRowPosition;
    if (engine.FirstBuild && engine.RecordCounter == 1)
        engine.RowPositionFlag = FirstRecordOfReport;
    if (data.eof())
        engine.RowPositionFlag = LastRecordOfData;
    IsGroupChanged();
    if (engine.GroupBreak) {
        engine.RowPositionFlag = LastRecordOfGroup;
        return;
    }
    if (engine.CurrentPage == 1 && engine.RecordCounter == 1)
        engine.RowPositionFlag = FirstRecordOnSecondPage;
}

void IsGroupChanged()
{
    DataEngineState& engine = dataEngine();
    if (engine.GroupCells.isEmpty()) {
        engine.GroupBreak = false;
        return;
    }
    const platform::db::Recordset& data = *engine.ReportDataRs;
    engine.GroupBreak = data.eof() || groupDiffers(data, engine.GroupValues);
}

void StoreGroupValue(int index)
{
    DataEngineState& engine = dataEngine();
    if (engine.GroupValues.size() <= index)
        engine.GroupValues.resize(index + 1);
    engine.GroupValues[index] = groupValueText(*engine.ReportDataRs, engine.GroupCells.at(index));
}

void CountRecordsByGroup()
{
    platform::db::Recordset& data = *dataEngine().ReportDataRs;
    auto counts = platform::db::Recordset::fabricate({ { QStringLiteral("records"), QMetaType::LongLong } });
    QStringList group;
    long long records = 0;
    const auto closeGroup = [&] {
        counts->addNew();
        counts->setValue(0, records);
        records = 0;
    };
    for (data.moveFirst(); !data.eof(); data.moveNext()) {
        if (records > 0 && groupDiffers(data, group))
            closeGroup();
        if (records == 0)
            group = groupValuesOf(data);
        ++records;
    }
    if (records > 0)
        closeGroup();
    if (data.recordCount() > 0)
        data.moveFirst();
    ComputeGroupPages(*counts);
}

void GetRecordsetPageCountByGroup()
{
    platform::outside::runLogged("GetRecordsetPageCountByGroup", CountRecordsByGroup);
}

} // namespace engine
