#include "component/ClassFactory.h"
#include "component/ComponentRegistry.h"
#include "platform/outside/SettingsObject.h"

#include <gtest/gtest.h>
#include <QTemporaryDir>

using namespace component;

// A class is found by its class id or its ProgID in any spelling, until it is unregistered; another
// class is not found.
TEST(ComponentRegistry, NamesTheLibraryByClassIdOrProgIdUntilUnregistered)
{
    QTemporaryDir folder;
    platform::outside::setSettingsFolder(folder.path());
    const QString library = QStringLiteral("/opt/orv/libOrvReport.so.1");

    EXPECT_EQ(registeredLibrary(ReportProgId), QString());
    registerClass(ReportClassId, ReportProgId, library);
    for (const QString& name :
        { ReportProgId, ReportClassId, ReportClassId.toLower(), QStringLiteral(" orvreport.creportorv ") })
        EXPECT_EQ(registeredLibrary(name), library) << name.toStdString();
    EXPECT_EQ(registeredLibrary(QStringLiteral("Vestrak.Tolrep")), QString());

    unregisterClass(ReportClassId.toLower(), ReportProgId);
    EXPECT_EQ(registeredLibrary(ReportProgId), QString());
    EXPECT_EQ(registeredLibrary(ReportClassId), QString());
    platform::outside::setSettingsFolder({});
}
