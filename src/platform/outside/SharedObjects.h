#pragma once

#include <memory>

namespace platform::outside
{

class SqlAdapterObject;
class ErrorLogObject;
class StatExpressionObject;

// The outside objects that every subsystem shares, created on first use and kept until the print
// window releases them. A caller holds the pointer only for the work at hand, so that a release
// takes effect at once; the error log created after a release has no connection until the host sets
// one again.
std::shared_ptr<SqlAdapterObject> sharedSqlAdapter();
std::shared_ptr<ErrorLogObject> sharedErrorLog();
std::shared_ptr<StatExpressionObject> sharedStatExpression();
void releaseShared();

} // namespace platform::outside
