#include "dialogs/PageSetupModel.h"

#include "store/PageSettings.h"
#include "store/ReportKeywords.h"
#include "store/ReportState.h"
#include "store/TextConvert.h"

#include <cmath>

namespace dialogs
{

namespace
{

constexpr double TwipsPerCentimetre = 567;
constexpr double TwipsPerInch = 1440;
constexpr double MaxMargin = 10; // centimetres
constexpr int MaxRows = 50;
constexpr double MinPaperSide = 1; // centimetres
constexpr double MaxPaperSide = 50;

const QString WrongType = QStringLiteral("数据类型错误！请重新输入！");

struct MarginBox {
    const QString& text;
    SetupField field;
};

std::optional<SetupRefusal> checkMargins(const PageSetupForm& form)
{
    const MarginBox boxes[]
        = { { form.leftMarge, SetupField::LeftMarge }, { form.rightMarge, SetupField::RightMarge },
              { form.topMarge, SetupField::TopMarge }, { form.bottomMarge, SetupField::BottomMarge } };
    std::optional<SetupField> lastWrong; // every wrong box takes the focus in turn: the last one keeps it
    for (const MarginBox& box : boxes) {
        if (!store::toDouble(box.text))
            lastWrong = box.field;
    }
    if (lastWrong)
        return RefuseSetup(WrongType, *lastWrong, SetupTab::Margins);
    bool negative = false;
    bool tooLarge = false;
    for (const MarginBox& box : boxes) {
        negative = negative || *store::toDouble(box.text) < 0;
        tooLarge = tooLarge || *store::toDouble(box.text) > MaxMargin;
    }
    if (negative)
        return RefuseSetup(
            QStringLiteral("页边距不能为负数，请重新设置！"), SetupField::LeftMarge, SetupTab::Margins);
    if (tooLarge)
        return RefuseSetup(
            QStringLiteral("页边距设置过大，请重新设置！"), SetupField::LeftMarge, SetupTab::Margins);
    return std::nullopt;
}

std::optional<SetupRefusal> checkRows(const PageSetupForm& form)
{
    const auto rows = store::toDouble(form.rows);
    const auto fault = [](const QString& message) {
        return RefuseSetup(message, SetupField::Rows, SetupTab::ReportParameters);
    };
    if (!rows)
        return fault(WrongType);
    if (std::nearbyint(*rows) < 1)
        return fault(QStringLiteral("报表行数只能为正整数，请重新设置行数！"));
    if (std::nearbyint(*rows) > MaxRows)
        return fault(QStringLiteral("报表行数不允许超过50行，请重新设置行数！"));
    return std::nullopt;
}

std::optional<SetupRefusal> checkPaperSize(const PageSetupForm& form)
{
    const QString width = form.paperWidth.trimmed();
    const QString height = form.paperHeight.trimmed();
    const auto fault
        = [](const QString& message, SetupField field) { return RefuseSetup(message, field, std::nullopt); };
    if (width.isEmpty())
        return fault(QStringLiteral("请输入自定义纸张宽度值！"), SetupField::PaperWidth);
    if (height.isEmpty())
        return fault(QStringLiteral("请输入自定义纸张高度值！"), SetupField::PaperHeight);
    for (const auto& [text, field] :
        { std::pair { width, SetupField::PaperWidth }, std::pair { height, SetupField::PaperHeight } }) {
        if (!store::toDouble(text))
            return fault(QStringLiteral("输入不正确！要求输入为小数或整数。"), field);
    }
    for (const auto& [text, field] :
        { std::pair { width, SetupField::PaperWidth }, std::pair { height, SetupField::PaperHeight } }) {
        const double side = *store::toDouble(text);
        if (side < MinPaperSide || side > MaxPaperSide)
            return fault(QStringLiteral("输入数字必须在1 与 50 之间，请重新输入上述区域之间的数字。"), field);
    }
    return std::nullopt;
}

} // namespace

double CentimetresFromInches(double inches)
{
    return inches * TwipsPerInch / TwipsPerCentimetre;
}

double InchesFromCentimetres(double centimetres)
{
    return centimetres * TwipsPerCentimetre / TwipsPerInch;
}

PageSetupForm FormFromState(const store::ReportState& state)
{
    PageSetupForm form;
    form.leftMarge = store::DecimalText(CentimetresFromInches(state.LeftMarge));
    form.rightMarge = store::DecimalText(CentimetresFromInches(state.RightMarge));
    form.topMarge = store::DecimalText(CentimetresFromInches(state.TopMarge));
    form.bottomMarge = store::DecimalText(CentimetresFromInches(state.BottomMarge));
    form.landscape = state.PageLandscape;
    switch (state.DataRows) {
    case store::keywords::DataRowsFixMode:
        form.rowsMode = RowsMode::FixedHeight;
        break;
    case store::keywords::DataRowsAutoMode:
        form.rowsMode = RowsMode::AutoHeight;
        break;
    default:
        form.rowsMode = RowsMode::FixedCount;
        form.rows = QString::number(state.DataRows);
    }
    form.selfFit = state.SelfFit;
    form.pageRecount = state.PageRecount;
    return form;
}

PageSetupForm DefaultForm()
{
    PageSetupForm form;
    form.leftMarge = QStringLiteral("2");
    form.rightMarge = form.topMarge = form.bottomMarge = QStringLiteral("1");
    form.paperName = DefaultPaperName;
    form.paperWidth = QStringLiteral("21");
    form.paperHeight = QStringLiteral("29.7");
    form.landscape = false;
    form.rowsMode = RowsMode::FixedCount;
    form.rows = QStringLiteral("10");
    form.selfFit = true;
    form.pageRecount = true;
    return form;
}

SetupRefusal RefuseSetup(const QString& message, SetupField focus, std::optional<SetupTab> tab)
{
    return { message, focus, tab ? std::optional<int>(int(*tab)) : std::nullopt };
}

std::optional<SetupRefusal> ValidatePageSetup(const PageSetupForm& form, CheckedParts parts)
{
    if (auto fault = checkMargins(form))
        return fault;
    if (parts.rows && form.rowsMode == RowsMode::FixedCount) {
        if (auto fault = checkRows(form))
            return fault;
    }
    if (parts.paperSize)
        return checkPaperSize(form);
    return std::nullopt;
}

void WritePageSetup(const PageSetupForm& form, int paperCode, store::ReportState& state)
{
    state.PageSize = paperCode;
    state.LeftMarge = InchesFromCentimetres(*store::toDouble(form.leftMarge));
    state.TopMarge = InchesFromCentimetres(*store::toDouble(form.topMarge));
    state.RightMarge = InchesFromCentimetres(*store::toDouble(form.rightMarge));
    state.BottomMarge = InchesFromCentimetres(*store::toDouble(form.bottomMarge));
    state.PageLandscape = form.landscape;
    switch (form.rowsMode) {
    case RowsMode::FixedCount:
        if (const auto rows = store::toDouble(form.rows))
            state.DataRows = int(std::nearbyint(*rows));
        break;
    case RowsMode::FixedHeight:
        state.DataRows = store::keywords::DataRowsFixMode;
        break;
    case RowsMode::AutoHeight:
        state.DataRows = store::keywords::DataRowsAutoMode;
        break;
    }
    state.SelfFit = form.selfFit;
    state.PageRecount = form.pageRecount;
}

} // namespace dialogs
