#include "component/ClassFactory.h"

#include "component/CReportOrv.h"

#include <atomic>

namespace component
{

namespace
{
std::atomic<int> liveObjects { 0 };
std::atomic<int> serverLocks { 0 };
} // namespace

std::shared_ptr<CReportOrv> ClassFactory::createInstance()
{
    auto* object = new CReportOrv;
    ++liveObjects;
    return std::shared_ptr<CReportOrv>(object, [](CReportOrv* released) {
        delete released;
        --liveObjects;
    });
}

void ClassFactory::lockServer(bool lock)
{
    if (lock)
        ++serverLocks;
    else if (serverLocks > 0)
        --serverLocks;
}

ClassFactory& ClassFactory::instance()
{
    static ClassFactory factory;
    return factory;
}

int ClassFactory::usageCount()
{
    return liveObjects + serverLocks;
}

} // namespace component
