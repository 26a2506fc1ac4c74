#include "platform/db/ReadOnlyReads.h"

#include "platform/db/Connection.h"

namespace platform::db
{

ReadOnlyReads::ReadOnlyReads(Connection* connection)
    : connection_(connection)
{
    if (connection_ && connection_->sharedReadsDepth_++ == 0)
        connection_->sharedReadsWrote_ = false;
}

ReadOnlyReads::~ReadOnlyReads()
{
    if (!connection_ || --connection_->sharedReadsDepth_ > 0)
        return;
    try {
        connection_->endSharedReads();
    } catch (const std::exception&) {
        // A connection that cannot end its transaction has lost it; the failure that brought the guard
        // down here, if any, is the one told.
    }
}

void ReadOnlyReads::finish()
{
    if (connection_ && connection_->sharedReadsDepth_ == 1)
        connection_->finishSharedReads();
}

} // namespace platform::db
