#include "store/PrintSettings.h"

#include "platform/outside/SettingsObject.h"
#include "store/TextConvert.h"

namespace store
{

namespace
{
const QString Section = QStringLiteral("PrintSetup");
const QString PagesKey = QStringLiteral("mipages");
} // namespace

void SavePrintPages(const QString& pages)
{
    try {
        platform::outside::SettingsObject().write(Section, PagesKey, pages);
    } catch (const std::exception&) {
        // Keeping the old setting is all that can be done.
    }
}

int GetPrintPages()
{
    try {
        const QString stored
            = platform::outside::SettingsObject().read(Section, PagesKey, QString::number(DefaultPrintPages));
        const auto pages = toShort(stored);
        return pages && *pages >= 1 ? *pages : DefaultPrintPages;
    } catch (const std::exception&) {
        return DefaultPrintPages;
    }
}

} // namespace store
