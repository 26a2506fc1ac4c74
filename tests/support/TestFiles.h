#pragma once

#include <QString>

namespace orvtest
{

// A file of the tests' source folder (scripts of the independent readers, fixtures).
QString testsFile(const QString& relativePath);

} // namespace orvtest
