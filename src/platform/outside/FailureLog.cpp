#include "platform/outside/FailureLog.h"

#include "platform/Error.h"
#include "platform/outside/ErrorLogObject.h"
#include "platform/outside/SharedObjects.h"

#include <cstdio>

namespace platform::outside
{

namespace
{

void writeFailure(
    const char* procedure, const QString& source, int number, const QString& description) noexcept
{
    try {
        const std::shared_ptr<ErrorLogObject> log = sharedErrorLog();
        log->setCategory(QString::fromUtf8(ReportFailureCategory));
        log->setProcedureName(QString::fromUtf8(procedure));
        log->setSource(source);
        log->setNumber(number);
        log->setDescription(description);
        log->write();
    } catch (...) {
        std::fprintf(stderr, "OrvReport: %s failed and could not be logged\n", procedure);
    }
}

} // namespace

void reportFailure(const char* procedure, const std::exception& error) noexcept
{
    try {
        if (const auto* platformError = dynamic_cast<const Error*>(&error))
            writeFailure(
                procedure, platformError->source(), platformError->number(), platformError->description());
        else
            writeFailure(procedure, QStringLiteral("OrvReport"), 0, QString::fromLocal8Bit(error.what()));
    } catch (...) {
        std::fprintf(stderr, "OrvReport: %s failed and could not be logged\n", procedure);
    }
}

void reportUnknownFailure(const char* procedure) noexcept
{
    writeFailure(procedure, QStringLiteral("OrvReport"), 0, QStringLiteral("unknown error"));
}

} // namespace platform::outside
