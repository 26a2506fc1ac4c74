#pragma once

#include <memory>
#include <QString>

class CReportOrv;

namespace component
{

// The class the library offers to hosts, by class id and by ProgID.
inline const QString ReportClassId = QStringLiteral("{6D1B8C52-3E7A-4F0B-9C21-5A0E7B3D4F18}");
inline const QString ReportProgId = QStringLiteral("OrvReport.CReportOrv");

// Creates CReportOrv objects for hosts and counts the objects alive and the locks hosts hold, so that
// DllCanUnloadNow can tell whether the library is still in use. Its members are virtual so that a host
// that loaded the library with dlopen calls them through the object alone.
class ClassFactory
{
public:
    virtual ~ClassFactory() = default;

    // A new object; it counts as alive until the last shared pointer to it goes.
    virtual std::shared_ptr<CReportOrv> createInstance();
    // A host keeps the library loaded between objects by locking it.
    virtual void lockServer(bool lock);

    static ClassFactory& instance();
    // Objects alive plus locks held.
    static int usageCount();
};

} // namespace component
