#pragma once

#include <QDate>
#include <QList>
#include <QString>

namespace demo
{

// One document of the demo archive table wsda.
struct ArchiveRecord {
    QString recid;
    QString archiveNo;
    QString folderNo;
    int pieceNo = 0;
    int yearFolderNo = 0;
    int filingYear = 0;
    QString retention;
    QString title;
    QDate docDate;
    int pageNo = 0;
    QString manName;
    QString femailName;
    QString responsible;
    QString archiveFlag;
    QString note; // mostly empty, stored as NULL
};

// `count` documents filed year after year in folders of 5 to 40 pieces; a folder shares its year,
// retention period and filing flag. The same seed always gives the same records.
QList<ArchiveRecord> generateArchiveRecords(int count, unsigned seed);

// The retention periods in their dictionary order: 永久, 长期, 短期, 30年, 10年.
const QStringList& retentionNames();

} // namespace demo
