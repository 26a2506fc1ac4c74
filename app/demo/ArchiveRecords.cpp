#include "ArchiveRecords.h"

#include <QStringList>
#include <random>

namespace demo
{

namespace
{

constexpr int FirstYear = 2003;
constexpr int YearCount = 10;
// Retention periods changed in 2006 from 永久/长期/短期 to 永久/30年/10年.
constexpr int NewRetentionYear = 2006;

const QStringList Surnames = { "王", "李", "张", "刘", "陈", "杨", "黄", "赵", "吴", "周", "徐", "孙", "马",
    "朱", "胡", "郭", "何", "林", "罗", "高" };
const QStringList MaleGivenNames = { "伟", "强", "磊", "军", "洋", "勇", "杰", "涛", "明", "超", "刚", "平",
    "辉", "鹏", "华", "飞", "鑫", "波", "斌", "宇" };
const QStringList FemaleGivenNames = { "芳", "娜", "敏", "静", "丽", "艳", "娟", "霞", "燕", "玲", "婷", "雪",
    "慧", "颖", "琳", "晶", "倩", "红", "梅", "兰" };
const QStringList Offices = { "市档案局", "市人民政府办公室", "市财政局", "市教育局", "市卫生健康委员会",
    "市民政局", "市人力资源和社会保障局", "市自然资源局" };
const QStringList Subjects = { "加强档案安全管理工作", "开展年度工作检查", "做好防汛抗旱工作",
    "召开全体职工大会", "调整领导小组成员", "印发年度工作要点", "表彰先进集体和先进个人",
    "做好节日期间值班工作", "开展安全生产大检查", "推进档案信息化建设", "规范公文处理程序",
    "做好年度预算编制", "开展档案法宣传活动", "加强机关作风建设" };
const QStringList DocumentKinds
    = { "通知", "请示", "批复", "报告", "决定", "意见", "函", "通报", "会议纪要" };
const QStringList RetentionCodes = { "Y", "C", "D", "D30", "D10" };

class Dice
{
public:
    explicit Dice(unsigned seed)
        : engine_(seed)
    {
    }
    int below(int n) { return int(engine_() % unsigned(n)); }
    int between(int low, int high) { return low + below(high - low + 1); }
    bool chance(int percent) { return below(100) < percent; }
    const QString& pick(const QStringList& list) { return list[below(int(list.size()))]; }

private:
    std::mt19937 engine_;
};

QString personName(Dice& dice, const QStringList& givenNames)
{
    QString name = dice.pick(Surnames) + dice.pick(givenNames);
    if (dice.chance(60))
        name += dice.pick(givenNames);
    return name;
}

int retentionIndex(Dice& dice, int year)
{
    static const int oldPeriods[] = { 0, 1, 2 };
    static const int newPeriods[] = { 0, 3, 4 };
    return year < NewRetentionYear ? oldPeriods[dice.below(3)] : newPeriods[dice.below(3)];
}

} // namespace

const QStringList& retentionNames()
{
    static const QStringList names = { "永久", "长期", "短期", "30年", "10年" };
    return names;
}

QList<ArchiveRecord> generateArchiveRecords(int count, unsigned seed)
{
    Dice dice(seed);
    QList<ArchiveRecord> records;
    records.reserve(count);
    const int perYear = std::max(1, (count + YearCount - 1) / YearCount);
    int folder = 0;
    int year = FirstYear;
    int yearFolder = 0;
    int filedThisYear = 0;
    while (records.size() < count) {
        if (filedThisYear >= perYear && year < FirstYear + YearCount - 1) {
            ++year;
            yearFolder = 0;
            filedThisYear = 0;
        }
        ++folder;
        ++yearFolder;
        const int retention = retentionIndex(dice, year);
        const QString flag = dice.chance(85) ? QStringLiteral("已组卷") : QStringLiteral("未组卷");
        const QString office = dice.pick(Offices);
        const int pieces = std::min(dice.between(5, 40), int(count - records.size()));
        for (int piece = 1; piece <= pieces; ++piece) {
            ArchiveRecord r;
            r.recid = QStringLiteral("WS%1").arg(records.size() + 1, 8, 10, QLatin1Char('0'));
            r.folderNo = QStringLiteral("%1").arg(folder, 4, 10, QLatin1Char('0'));
            r.pieceNo = piece;
            r.yearFolderNo = yearFolder;
            r.filingYear = year;
            r.retention = retentionNames()[retention];
            r.archiveNo = QStringLiteral("J001-%1-%2-%3-%4")
                              .arg(year)
                              .arg(RetentionCodes[retention])
                              .arg(yearFolder, 3, 10, QLatin1Char('0'))
                              .arg(piece, 3, 10, QLatin1Char('0'));
            r.responsible = dice.chance(70) ? office : dice.pick(Offices);
            r.title = r.responsible + "关于" + dice.pick(Subjects) + "的" + dice.pick(DocumentKinds);
            r.docDate = QDate(year, 1, 1).addDays(dice.below(QDate(year, 1, 1).daysInYear()));
            r.pageNo = dice.between(1, 30);
            r.manName = personName(dice, MaleGivenNames);
            r.femailName = personName(dice, FemaleGivenNames);
            r.archiveFlag = flag;
            if (dice.chance(5))
                r.note = QStringLiteral("复印件");
            records << r;
        }
        filedThisYear += pieces;
    }
    return records;
}

} // namespace demo
