#include "store/PairedList.h"

#include "platform/db/Recordset.h"
#include "platform/outside/IdGeneratorObject.h"
#include "store/ReportKeywords.h"
#include "store/ReportState.h"
#include "store/StoreSql.h"
#include "store/TextConvert.h"
#include "store/UserNotice.h"
#include <algorithm>
#include <QVariant>
#include <vector>

namespace store
{

using platform::db::Recordset;

namespace
{

struct FixedReport {
    const char* fixedId;
    const char* layoutId;
};
constexpr FixedReport FixedReports[] = {
    { "2003021111350132E-02", "20030211112708377649" },
    { "20030416164231127475", "20030416142804906424" },
};

const QString Male = QStringLiteral("男");
const QString Female = QStringLiteral("女");

struct SourceRecord {
    bool withoutFolder = false;
    QString folder; // "" for a record without a folder number
    QVariant piece;
    QVariant manName;
    QVariant femaleName;
    QVariant pages;
};

// The host's records in folder and piece order. The database sorts records without a folder number
// first or last depending on its kind; they are put first, next to the records whose folder number
// is empty, with which they share the folder "".
std::vector<SourceRecord> readSourceRecords()
{
    const auto& state = reportState();
    QString sql = QStringLiteral("Select * from ") + state.TABLENAME;
    if (!state.SelectWhere.isEmpty())
        sql += QStringLiteral(" where ") + state.SelectWhere;
    sql += QStringLiteral(" Order by folder_no,piece_no");
    const auto source = openStoreSql(sql);
    std::vector<SourceRecord> records;
    records.reserve(source->recordCount());
    for (; !source->eof(); source->moveNext()) {
        const auto folder = source->field(QStringLiteral("folder_no"));
        records.push_back({ folder.isNull(), folder.text(), source->value(QStringLiteral("piece_no")),
            source->value(QStringLiteral("man_name")), source->value(QStringLiteral("femail_name")),
            source->value(QStringLiteral("page_no")) });
    }
    std::stable_partition(
        records.begin(), records.end(), [](const SourceRecord& r) { return r.withoutFolder; });
    return records;
}

// Writes the work rows: per folder, records 1..R go left into rows 1..R, records R+1..2R right into
// the same rows, record 2R+1 opens row 2R+1, and so on.
class PairedRowWriter
{
public:
    PairedRowWriter(QString batchId, int rowsPerSide)
        : batchId_(std::move(batchId))
        , rowsPerSide_(rowsPerSide)
        , workRows_(openStoreSql(QStringLiteral("Select * from hyjlml where batchid = ?"), { batchId_ }))
    {
    }

    void add(const SourceRecord& record)
    {
        if (record.folder != previousFolder_ && positionInPair_ >= 1) {
            countInFolder_ = 0;
            positionInPair_ = 0;
        }
        if (positionInPair_ < rowsPerSide_)
            addLeft(record);
        else
            fillRight(record);
        ++countInFolder_;
        positionInPair_ = countInFolder_ % (2 * rowsPerSide_);
        previousFolder_ = record.folder;
    }

private:
    void addLeft(const SourceRecord& record)
    {
        workRows_->addNew();
        workRows_->setValue(QStringLiteral("recid"), ids_.newId());
        workRows_->setValue(QStringLiteral("currentpos"), QString::number(countInFolder_ + 1));
        workRows_->setValue(QStringLiteral("bh1"), record.piece);
        workRows_->setValue(QStringLiteral("man_name1"), record.manName);
        workRows_->setValue(QStringLiteral("woman_name1"), record.femaleName);
        workRows_->setValue(QStringLiteral("xb1"), Male);
        workRows_->setValue(QStringLiteral("xb2"), Female);
        workRows_->setValue(QStringLiteral("zc1"), record.pages);
        workRows_->setValue(QStringLiteral("folder_no"), record.folder);
        workRows_->setValue(QStringLiteral("batchid"), batchId_);
        workRows_->updateBatch();
    }

    void fillRight(const SourceRecord& record)
    {
        const auto row
            = openStoreSql(QStringLiteral("Select * from hyjlml where batchid = ? and currentpos = ? and folder_no = ?"),
                { batchId_, QString::number(countInFolder_ - rowsPerSide_ + 1), previousFolder_ });
        row->setValue(QStringLiteral("bh2"), record.piece);
        row->setValue(QStringLiteral("man_name2"), record.manName);
        row->setValue(QStringLiteral("woman_name2"), record.femaleName);
        row->setValue(QStringLiteral("zc2"), record.pages);
        row->setValue(QStringLiteral("xb3"), Male);
        row->setValue(QStringLiteral("xb4"), Female);
        row->updateBatch();
    }

    QString batchId_;
    int rowsPerSide_;
    std::unique_ptr<Recordset> workRows_;
    platform::outside::IdGeneratorObject ids_;
    QString previousFolder_;
    int countInFolder_ = 0;
    int positionInPair_ = 0;
};

void pointStateAtWorkRows(const QString& batchId, const QString& layoutId)
{
    auto& state = reportState();
    state.SelectWhere = QStringLiteral(" batchid =") + storeConnection().literal(batchId);
    state.SelectOrder = QStringLiteral("hyjlml.folder_no asc ,hyjlml.bh1 asc  ");
    state.TABLENAME = QStringLiteral("hyjlml");
    state.ReportId = layoutId;
}

} // namespace

std::optional<QString> pairedListReportFor(const QString& reportId)
{
    for (const auto& report : FixedReports) {
        if (reportId == QLatin1String(report.fixedId))
            return QString::fromLatin1(report.layoutId);
    }
    return std::nullopt;
}

PairedListBatch::PairedListBatch(QString batchId)
    : batchId_(std::move(batchId))
{
}

PairedListBatch::PairedListBatch(PairedListBatch&& other) noexcept
    : batchId_(std::exchange(other.batchId_, QString()))
{
}

PairedListBatch& PairedListBatch::operator=(PairedListBatch&& other) noexcept
{
    if (this != &other) {
        deleteRows();
        batchId_ = std::exchange(other.batchId_, QString());
    }
    return *this;
}

PairedListBatch::~PairedListBatch()
{
    deleteRows();
}

void PairedListBatch::deleteRows() noexcept
{
    if (batchId_.isEmpty())
        return;
    try {
        executeStoreSql(QStringLiteral("delete from hyjlml where batchid = ?"), { batchId_ });
    } catch (const std::exception&) {
        // Nothing more can be done for the rows at this point; the next batch has a new id.
    }
    batchId_.clear();
}

std::optional<PairedListBatch> PreparePairedListData(const QString& reportId)
{
    const auto layoutId = pairedListReportFor(reportId);
    if (!layoutId)
        return std::nullopt;
    const auto rowsPerSide = GetDataRows(*layoutId);
    if (!rowsPerSide || *rowsPerSide < 1) {
        NoticeUser(QStringLiteral("对照目录报表的每页记录数（DATA_ROWS）必须是正整数，不能打印该报表！"),
            platform::ui::Icon::Information);
        return std::nullopt;
    }
    PairedListBatch batch(platform::outside::IdGeneratorObject().newId());
    const std::vector<SourceRecord> records = readSourceRecords();
    PairedRowWriter writer(batch.batchId(), *rowsPerSide);
    pointStateAtWorkRows(batch.batchId(), *layoutId);
    for (const SourceRecord& record : records)
        writer.add(record);
    return batch;
}

std::optional<int> GetDataRows(const QString& reportId)
{
    const auto recordset = openStoreSql(
        QStringLiteral("select info_description from report_info where report_id = ? and info_type = ?"),
        { reportId, keywords::DataRows });
    if (recordset->eof())
        return 0;
    return toShort(recordset->text(0));
}

} // namespace store
