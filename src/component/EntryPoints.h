#pragma once

#include "platform/Export.h"

// The library's four entry points, exported with C names so that a host finds them with dlsym.
extern "C" {

// Records the class in the component registry (registry.ini in the settings folder).
ORV_EXPORT int DllRegisterServer();
// Removes it again.
ORV_EXPORT int DllUnregisterServer();
// Hands out the class factory (a component::ClassFactory*, owned by the library) for the class id
// or ProgID of CReportOrv; ClassNotAvailable for any other. The first hand-out starts the component
// (it installs the windows).
ORV_EXPORT int DllGetClassObject(const char* classIdOrProgId, void** factory);
// Ok when no object is alive and no lock is held, so the library may be unloaded; False otherwise.
ORV_EXPORT int DllCanUnloadNow();
}
