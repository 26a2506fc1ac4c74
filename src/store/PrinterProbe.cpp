#include "store/PrinterProbe.h"

#include "platform/Error.h"
#include "platform/ui/Printers.h"
#include "store/UserNotice.h"

namespace store
{

namespace
{

enum class ProbeFailure { NoPrinter, FaultyPrinter };

QString messageOf(ProbeMember member, ProbeFailure failure)
{
    if (failure == ProbeFailure::NoPrinter) {
        return member == ProbeMember::PrintReport ? QStringLiteral("没有安装打印机，不能打印报表！")
                                                  : QStringLiteral("没有安装打印机,不能打印报表！");
    }
    return member == ProbeMember::PrintReport
        ? QStringLiteral("当前打印机安装有问题，无法打印！请检查打印机！")
        : QStringLiteral("当前打印机安装有问题，无法预览！请检查打印机！");
}

bool fail(ProbeMember member, ProbeFailure failure)
{
    const auto icon
        = failure == ProbeFailure::NoPrinter ? platform::ui::Icon::None : platform::ui::Icon::Question;
    NoticeUser(messageOf(member, failure), icon);
    return false;
}

bool hasPrinters()
{
    return !platform::ui::installedPrinters().isEmpty();
}
bool defaultPrinterAnswers()
{
    return static_cast<int>(platform::ui::defaultPrinterOrientation()) > 0;
}

bool probeNamingTheCheck(ProbeMember member)
{
    try {
        if (!hasPrinters())
            return fail(member, ProbeFailure::NoPrinter);
    } catch (const std::exception&) {
        return fail(member, ProbeFailure::NoPrinter);
    }
    try {
        if (!defaultPrinterAnswers())
            return fail(member, ProbeFailure::FaultyPrinter);
    } catch (const std::exception&) {
        return fail(member, ProbeFailure::FaultyPrinter);
    }
    return true;
}

bool probeTellingPrinterFaults(ProbeMember member)
{
    try {
        if (!hasPrinters())
            return fail(member, ProbeFailure::NoPrinter);
        if (!defaultPrinterAnswers())
            return fail(member, ProbeFailure::FaultyPrinter);
        return true;
    } catch (const platform::Error& error) {
        if (error.number() == platform::errors::PrinterFault)
            return fail(member, ProbeFailure::FaultyPrinter);
        return false;
    } catch (const std::exception&) {
        return false;
    }
}

} // namespace

bool ProbePrinter(ProbeMember member)
{
    return member == ProbeMember::PreviewBlankPage ? probeNamingTheCheck(member)
                                                   : probeTellingPrinterFaults(member);
}

} // namespace store
