#include "platform/ui/Printers.h"

#include <algorithm>
#include <cmath>
#include <QList>
#include <QSizeF>
#include <utility>

namespace platform::ui
{

namespace
{

constexpr int kLastPaperCode = 118;

// Papers that Qt knows only by the paper they are turned from (a rotated code gives the upright
// size), and the one it does not know at all.
constexpr int kRotatedCodes[] = {
    75,
    76,
    77,
    78,
    79,
    80,
    81,
    82,
    83,
    84,
    85,
    86,
    87,
    89,
    92,
    106,
    107,
    108,
    109,
    110,
    111,
    112,
    113,
    114,
    115,
    116,
    117,
    118,
};
constexpr int kFolio = 14; // 8.5 x 13 in

bool isRotated(int code)
{
    return std::find(std::begin(kRotatedCodes), std::end(kRotatedCodes), code) != std::end(kRotatedCodes);
}

QPageSize exactSize(const QSizeF& size, QPageSize::Unit unit, const QString& name)
{
    return QPageSize(size, unit, name, QPageSize::ExactMatch);
}

QPageSize qtPageSize(int code)
{
    const QPageSize::PageSizeId id = QPageSize::id(code);
    return id == QPageSize::Custom ? QPageSize() : QPageSize(id);
}

bool sameSize(const QPageSize& a, const QPageSize& b)
{
    const QSizeF x = a.size(QPageSize::Millimeter);
    const QSizeF y = b.size(QPageSize::Millimeter);
    return std::abs(x.width() - y.width()) < 0.5 && std::abs(x.height() - y.height()) < 0.5;
}

} // namespace

QPageSize pageSizeForPaperCode(int paperCode)
{
    if (paperCode == kFolio)
        return exactSize(QSizeF(8.5, 13), QPageSize::Inch, QStringLiteral("Folio"));
    const QPageSize upright = qtPageSize(paperCode);
    if (!upright.isValid() || !isRotated(paperCode))
        return upright;
    return exactSize(upright.definitionSize().transposed(), upright.definitionUnits(),
        upright.name() + QStringLiteral(" Rotated"));
}

int paperCodeForPageSize(const QPageSize& pageSize)
{
    if (!pageSize.isValid())
        return papercodes::Custom;
    if (pageSize.id() != QPageSize::Custom) {
        const int code = pageSize.windowsId();
        return code > 0 && code != papercodes::Custom ? code : papercodes::Custom;
    }
    for (int code : paperCodes()) {
        if ((code == kFolio || isRotated(code)) && sameSize(pageSizeForPaperCode(code), pageSize))
            return code;
    }
    return papercodes::Custom;
}

QList<int> paperCodes()
{
    static const QList<int> codes = [] {
        QList<int> known;
        for (int code = 1; code <= kLastPaperCode; ++code) {
            if (pageSizeForPaperCode(code).isValid())
                known.append(code);
        }
        return known;
    }();
    return codes;
}

} // namespace platform::ui
