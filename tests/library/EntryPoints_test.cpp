#include "component/ClassFactory.h"
#include "component/CReportOrv.h"
#include "component/Hresult.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/Error.h"
#include "platform/outside/HostObjects.h"

#include <dlfcn.h>
#include <gtest/gtest.h>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>

using namespace component;

namespace
{

// The library as a host loads it: by its file, its entry points found by name.
struct LoadedLibrary {
    LoadedLibrary()
        : handle(dlopen(ORV_LIBRARY_FILE, RTLD_NOW))
    {
        if (!handle)
            return;
        registerServer = reinterpret_cast<int (*)()>(dlsym(handle, "DllRegisterServer"));
        unregisterServer = reinterpret_cast<int (*)()>(dlsym(handle, "DllUnregisterServer"));
        getClassObject = reinterpret_cast<int (*)(const char*, void**)>(dlsym(handle, "DllGetClassObject"));
        canUnloadNow = reinterpret_cast<int (*)()>(dlsym(handle, "DllCanUnloadNow"));
    }
    ~LoadedLibrary()
    {
        if (handle)
            dlclose(handle);
    }
    bool complete() const
    {
        return handle && registerServer && unregisterServer && getClassObject && canUnloadNow;
    }

    ClassFactory* factory(const char* name) const
    {
        void* object = nullptr;
        return getClassObject(name, &object) == hresult::Ok ? static_cast<ClassFactory*>(object) : nullptr;
    }

    void* handle;
    int (*registerServer)() = nullptr;
    int (*unregisterServer)() = nullptr;
    int (*getClassObject)(const char*, void**) = nullptr;
    int (*canUnloadNow)() = nullptr;
};

class TestSysInfo : public platform::outside::SysInfo
{
public:
    void showAbout() override { }
};

} // namespace

TEST(EntryPoints, FactoryForTheClassIdOrProgIdInAnySpelling)
{
    LoadedLibrary library;
    ASSERT_TRUE(library.complete()) << dlerror();
    ClassFactory* byProgId = library.factory("OrvReport.CReportOrv");
    ASSERT_NE(byProgId, nullptr);
    for (const QString& name :
        { ReportClassId, ReportClassId.toLower(), QStringLiteral(" orvreport.creportorv ") })
        EXPECT_EQ(library.factory(name.toUtf8().constData()), byProgId) << name.toStdString();
}

TEST(EntryPoints, OtherClassesAndMissingPointersGetNoFactory)
{
    LoadedLibrary library;
    ASSERT_TRUE(library.complete());
    void* object = reinterpret_cast<void*>(0x1);
    EXPECT_EQ(library.getClassObject("Vestrak.Tolrep", &object), hresult::ClassNotAvailable);
    EXPECT_EQ(object, nullptr);
    object = reinterpret_cast<void*>(0x1);
    EXPECT_EQ(library.getClassObject(nullptr, &object), hresult::ClassNotAvailable);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(library.getClassObject("OrvReport.CReportOrv", nullptr), hresult::Pointer);
}

TEST(EntryPoints, LibraryCanUnloadOnlyWithoutObjectsAndLocks)
{
    LoadedLibrary library;
    ASSERT_TRUE(library.complete());
    ClassFactory* factory = library.factory("OrvReport.CReportOrv");
    ASSERT_NE(factory, nullptr);
    EXPECT_EQ(library.canUnloadNow(), hresult::Ok);

    auto first = factory->createInstance();
    auto second = factory->createInstance();
    EXPECT_NE(first, second);
    EXPECT_EQ(library.canUnloadNow(), hresult::False);
    first.reset();
    EXPECT_EQ(library.canUnloadNow(), hresult::False);
    second.reset();
    EXPECT_EQ(library.canUnloadNow(), hresult::Ok);

    factory->lockServer(true);
    EXPECT_EQ(library.canUnloadNow(), hresult::False);
    factory->lockServer(false);
    factory->lockServer(false);
    EXPECT_EQ(library.canUnloadNow(), hresult::Ok);
}

TEST(EntryPoints, EveryPropertyReadsBackWhatTheHostSet)
{
    LoadedLibrary library;
    ASSERT_TRUE(library.complete());
    const std::shared_ptr<CReportOrv> report = library.factory("OrvReport.CReportOrv")->createInstance();
    QTemporaryDir folder;
    const std::shared_ptr<platform::db::Connection> connection
        = platform::db::Connection::open(folder.filePath(QStringLiteral("host.db")));
    const auto user
        = std::make_shared<platform::outside::NamedUser>(QStringLiteral("u01"), QStringLiteral("王五"));
    const auto sysInfo = std::make_shared<TestSysInfo>();
    const auto records = std::make_shared<platform::db::Recordset>();
    records->open(QStringLiteral("select '0001' as recid"), *connection);

    report->setConnection(connection);
    report->setUser(user);
    report->setSysInfo(sysInfo);
    report->setTABLENAME(QStringLiteral("wsda"));
    report->setReportGroupId(QStringLiteral("wsda"));
    report->setReportId(QStringLiteral("20240101090000000001"));
    report->setSelectWhere(QStringLiteral("wsda.retention='永久'"));
    report->setSelectOrder(QStringLiteral("folder_no,piece_no desc"));
    report->setDataRecordSet(records);
    report->setErrorMessage(QStringLiteral("上次的消息"));
    report->setOpenType(3);
    report->setIsPrintBlankReport(true);

    EXPECT_EQ(report->Connection(), connection);
    EXPECT_EQ(report->User(), user);
    EXPECT_EQ(report->SysInfo(), sysInfo);
    EXPECT_EQ(report->TABLENAME(), QStringLiteral("wsda"));
    EXPECT_EQ(report->ReportGroupId(), QStringLiteral("wsda"));
    EXPECT_EQ(report->ReportId(), QStringLiteral("20240101090000000001"));
    EXPECT_EQ(report->SelectWhere(), QStringLiteral("wsda.retention='永久'"));
    EXPECT_EQ(report->SelectOrder(), QStringLiteral("folder_no,piece_no desc"));
    EXPECT_EQ(report->DataRecordSet(), records);
    EXPECT_EQ(report->ErrorMessage(), QStringLiteral("上次的消息"));
    EXPECT_EQ(report->OpenType(), 3);
    EXPECT_TRUE(report->IsPrintBlankReport());
}

// The registry as a host reads it: the class id names the library's file and the ProgID the class id.
TEST(EntryPoints, RegistrationNamesTheLibraryUntilUnregistered)
{
    LoadedLibrary library;
    ASSERT_TRUE(library.complete());
    QTemporaryDir folder;
    qputenv("ORV_SETTINGS_DIR", folder.path().toLocal8Bit());
    const QString libraryFile = QFileInfo(QStringLiteral(ORV_LIBRARY_FILE)).canonicalFilePath();
    const auto registered = [&](const QString& key) {
        return QSettings(folder.filePath(QStringLiteral("registry.ini")), QSettings::IniFormat).value(key);
    };
    const QString libraryKey = QStringLiteral("CLSID/%1/InprocServer32").arg(ReportClassId);
    const QString classKey = QStringLiteral("ProgID/%1/CLSID").arg(ReportProgId);

    EXPECT_EQ(library.registerServer(), hresult::Ok);
    EXPECT_EQ(library.registerServer(), hresult::Ok);
    EXPECT_EQ(registered(libraryKey).toString(), libraryFile);
    EXPECT_EQ(registered(classKey).toString(), ReportClassId);

    EXPECT_EQ(library.unregisterServer(), hresult::Ok);
    EXPECT_FALSE(registered(libraryKey).isValid());
    EXPECT_FALSE(registered(classKey).isValid());
    EXPECT_EQ(library.unregisterServer(), hresult::Ok);

    const QString blocker = folder.filePath(QStringLiteral("file-not-folder"));
    QFile file(blocker);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    qputenv("ORV_SETTINGS_DIR", blocker.toLocal8Bit());
    EXPECT_EQ(library.registerServer(), hresult::RegisterClassFailed);
    qunsetenv("ORV_SETTINGS_DIR");
}

// What fails inside the library reaches the host as the error the headers name, with its number.
TEST(EntryPoints, AFailureInsideTheLibraryReachesTheHostAsPlatformError)
{
    QTemporaryDir folder;
    try {
        platform::db::Connection::open(folder.filePath(QStringLiteral("no-such-folder/host.db")));
        ADD_FAILURE() << "a database in a missing folder opened";
    } catch (const platform::Error& error) {
        EXPECT_EQ(error.number(), platform::errors::DatabaseError);
        EXPECT_TRUE(error.description().contains(QStringLiteral("no-such-folder")));
    }
}
