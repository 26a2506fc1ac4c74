#pragma once

#include <QString>

namespace component
{

// The component registry: an INI file "registry.ini" in the settings folder that names, per class id,
// the ProgID and the library that serves it, and per ProgID the class id.
QString registryFilePath();

// Throws platform::Error (errors::FileError) when the registry cannot be written.
void registerClass(const QString& classId, const QString& progId, const QString& libraryPath);
void unregisterClass(const QString& classId, const QString& progId);

// The library registered for a class id or ProgID; "" when none is.
QString registeredLibrary(const QString& classIdOrProgId);

} // namespace component
