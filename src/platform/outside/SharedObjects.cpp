#include "platform/outside/SharedObjects.h"

#include "platform/outside/ErrorLogObject.h"
#include "platform/outside/SqlAdapterObject.h"
#include "platform/outside/StatExpressionObject.h"

namespace platform::outside
{

namespace
{

struct Shared {
    std::shared_ptr<SqlAdapterObject> sqlAdapter;
    std::shared_ptr<ErrorLogObject> errorLog;
    std::shared_ptr<StatExpressionObject> statExpression;
};

Shared& shared()
{
    static Shared objects;
    return objects;
}

template <class T> std::shared_ptr<T> createdOnFirstUse(std::shared_ptr<T>& object)
{
    if (!object)
        object = std::make_shared<T>();
    return object;
}

} // namespace

std::shared_ptr<SqlAdapterObject> sharedSqlAdapter()
{
    return createdOnFirstUse(shared().sqlAdapter);
}

std::shared_ptr<ErrorLogObject> sharedErrorLog()
{
    return createdOnFirstUse(shared().errorLog);
}

std::shared_ptr<StatExpressionObject> sharedStatExpression()
{
    return createdOnFirstUse(shared().statExpression);
}

void releaseShared()
{
    shared() = Shared {};
}

} // namespace platform::outside
