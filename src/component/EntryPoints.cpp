#include "component/EntryPoints.h"

#include "component/ClassFactory.h"
#include "component/ComponentRegistry.h"
#include "component/Hresult.h"
#include "component/StartUp.h"
#include "platform/ui/ComponentFolder.h"

#include <cstdio>

using namespace component;

namespace
{

bool namesTheReportClass(const char* classIdOrProgId)
{
    const QString name = QString::fromUtf8(classIdOrProgId).trimmed();
    return name.compare(ReportClassId, Qt::CaseInsensitive) == 0
        || name.compare(ReportProgId, Qt::CaseInsensitive) == 0;
}

} // namespace

extern "C" {

int DllRegisterServer()
{
    try {
        registerClass(ReportClassId, ReportProgId, platform::ui::componentLibraryPath());
        return hresult::Ok;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "DllRegisterServer: %s\n", error.what());
        return hresult::RegisterClassFailed;
    }
}

int DllUnregisterServer()
{
    try {
        unregisterClass(ReportClassId, ReportProgId);
        return hresult::Ok;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "DllUnregisterServer: %s\n", error.what());
        return hresult::RegisterClassFailed;
    }
}

int DllGetClassObject(const char* classIdOrProgId, void** factory)
{
    if (!factory)
        return hresult::Pointer;
    *factory = nullptr;
    if (!classIdOrProgId || !namesTheReportClass(classIdOrProgId))
        return hresult::ClassNotAvailable;
    startUp();
    *factory = &ClassFactory::instance();
    return hresult::Ok;
}

int DllCanUnloadNow()
{
    return ClassFactory::usageCount() == 0 ? hresult::Ok : hresult::False;
}
}
