#include "RelatedTables.h"

namespace demo
{

QList<VolumeRecord> volumesOf(const QList<ArchiveRecord>& documents)
{
    QList<VolumeRecord> volumes;
    for (const ArchiveRecord& document : documents) {
        if (volumes.isEmpty() || volumes.last().folderNo != document.folderNo) {
            VolumeRecord volume;
            volume.recid = QStringLiteral("AJ") + document.folderNo;
            volume.folderNo = document.folderNo;
            volume.filingYear = document.filingYear;
            volume.yearFolderNo = document.yearFolderNo;
            volume.retention = document.retention;
            volume.title = QStringLiteral("%1年%2文书").arg(document.filingYear).arg(document.responsible);
            volumes.append(volume);
        }
        ++volumes.last().pieceCount;
        volumes.last().pageCount += document.pageNo;
    }
    return volumes;
}

QList<AttachmentRecord> attachmentsOf(const QList<ArchiveRecord>& documents)
{
    QList<AttachmentRecord> attachments;
    for (const ArchiveRecord& document : documents) {
        if (document.pieceNo % 4 != 1)
            continue;
        const int count = document.pageNo % 2 == 0 ? 2 : 1;
        for (int number = 1; number <= count; ++number) {
            attachments.append(
                { QStringLiteral("FJ%1%2").arg(document.recid.mid(2)).arg(number), document.recid, number,
                    QStringLiteral("附件%1：%2").arg(number).arg(document.title.left(12)), number });
        }
    }
    return attachments;
}

} // namespace demo
