#include "ReportFonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QHash>
#include <QMutex>

namespace platform::grid
{

namespace
{

struct Stand {
    const char* family;
    const char* face;
};

// The Windows families of Chinese reports and their stand-ins. UMing and UKai set Chinese characters
// one em wide and Latin ones half an em, with a line little more than an em, as 宋体 and 楷体 do, so
// that a report sized for them keeps its row heights, column widths and page breaks here; like them
// they have no bold face, and bold is thickened from the regular strokes as Windows does. 仿宋 has no
// packaged face and takes the Song face, its nearest.
constexpr Stand kStands[] = {
    { "宋体", kSongFace },
    { "新宋体", kSongFace },
    { "仿宋", kSongFace },
    { "仿宋_GB2312", kSongFace },
    { "SimSun", kSongFace },
    { "NSimSun", kSongFace },
    { "FangSong", kSongFace },
    { "FangSong_GB2312", kSongFace },
    { "黑体", kHeiFace },
    { "微软雅黑", kHeiFace },
    { "SimHei", kHeiFace },
    { "Microsoft YaHei", kHeiFace },
    { "楷体", kKaiFace },
    { "楷体_GB2312", kKaiFace },
    { "KaiTi", kKaiFace },
    { "KaiTi_GB2312", kKaiFace },
    { "Arial", kSansFace },
    { "Times New Roman", kSerifFace },
    { "Courier New", kMonoFace },
};

const QHash<QString, QString>& standIns()
{
    static const QHash<QString, QString> table = [] {
        QHash<QString, QString> byName;
        for (const Stand& stand : kStands)
            byName.insert(QString::fromUtf8(stand.family).toCaseFolded(), QString::fromUtf8(stand.face));
        return byName;
    }();
    return table;
}

// Whether this machine has a family, asked of the font database once per family.
bool installed(const QString& family)
{
    static QMutex mutex;
    static QHash<QString, bool> known;
    const QMutexLocker lock(&mutex);
    auto found = known.constFind(family);
    if (found == known.constEnd())
        found = known.insert(family, QFontDatabase::hasFamily(family));
    return *found;
}

} // namespace

QString installedFaceOf(const QString& reportFamily)
{
    const QString family = reportFamily.trimmed();
    const QString standIn = standIns().value(family.toCaseFolded());
    if (!standIn.isEmpty())
        return standIn;
    if (!family.isEmpty() && installed(family))
        return family;
    return QString::fromUtf8(kSongFace);
}

QStringList reportFontFamilies(const QString& reportFamily)
{
    const QString face = installedFaceOf(reportFamily);
    const QString song = QString::fromUtf8(kSongFace);
    return face == song ? QStringList { face } : QStringList { face, song };
}

const QStringList& reportFamilyNames()
{
    static const QStringList names = [] {
        QStringList list;
        for (const char* name : { "宋体", "新宋体", "仿宋_GB2312", "仿宋", "黑体", "微软雅黑", "楷体_GB2312",
                 "楷体", "Arial", "Courier New", "Times New Roman" })
            list.append(QString::fromUtf8(name));
        return list;
    }();
    return names;
}

void useReportFonts()
{
    static const bool done = [] {
        for (const Stand& stand : kStands) {
            const QString family = QString::fromUtf8(stand.family);
            QFont::insertSubstitutions(family, reportFontFamilies(family));
        }
        return true;
    }();
    (void)done;
}

} // namespace platform::grid
