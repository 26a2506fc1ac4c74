#include "platform/ui/QtTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace platform::ui
{

namespace
{

// A standard button's text; it reads differently once any translation of Qt's texts is loaded.
bool qtTextsTranslated()
{
    return QCoreApplication::translate("QPlatformTheme", "Cancel") != QLatin1String("Cancel");
}

bool loadChineseQtTexts()
{
    QCoreApplication* application = QCoreApplication::instance();
    if (!application)
        return false;
    if (qtTextsTranslated())
        return true;
    auto* translator = new QTranslator(application);
    if (!translator->load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))
        || !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return false;
    }
    return qtTextsTranslated();
}

} // namespace

bool useChineseQtTexts()
{
    static const bool translated = loadChineseQtTexts();
    return translated;
}

} // namespace platform::ui
