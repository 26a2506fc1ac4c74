#pragma once

#include "ArchiveRecords.h"

#include <QList>
#include <QString>

namespace demo
{

// One volume (folder) of the demo archive, table wsaj: the folder's documents summed up.
struct VolumeRecord {
    QString recid;
    QString folderNo;
    int filingYear = 0;
    int yearFolderNo = 0;
    QString retention;
    QString title;
    int pieceCount = 0;
    int pageCount = 0;
};

// One attachment of a document, table wsfj.
struct AttachmentRecord {
    QString recid;
    QString docRecid;
    int attachNo = 0;
    QString title;
    int pageNo = 0;
};

// One volume per folder of the documents, in folder order.
QList<VolumeRecord> volumesOf(const QList<ArchiveRecord>& documents);

// Every fourth piece of a folder (pieces 1, 5, 9, ...) has attachments: one, or two when its page count
// is even.
QList<AttachmentRecord> attachmentsOf(const QList<ArchiveRecord>& documents);

} // namespace demo
