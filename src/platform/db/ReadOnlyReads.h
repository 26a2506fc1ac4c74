#pragma once

namespace platform::db
{

class Connection;

// While it lives, the reads of a connection that run read-only (Connection::readOnly: every record
// set) share one read-only transaction on PostgreSQL, on one snapshot, instead of a transaction each:
// a build's reads then cost one statement each, and the cells of one build agree with each other. The
// transaction begins with the first read and ends (rolled back) with the guard, before a statement of
// the connection that is no such read, and before a window waits for the user (Connection::
// endSharedReads); the next read begins another. A guard made while another of the same connection
// lives joins it. Elsewhere, and on other databases, reads are protected as they are without a guard.
// The connection must outlive the guard.
class ReadOnlyReads
{
public:
    // Without a connection the guard does nothing.
    explicit ReadOnlyReads(Connection* connection);
    // Ends the transaction, undoing whatever a read wrote, without telling it.
    ~ReadOnlyReads();
    ReadOnlyReads(const ReadOnlyReads&) = delete;
    ReadOnlyReads& operator=(const ReadOnlyReads&) = delete;

    // Ends the reads of the outermost guard: throws platform::Error when one of them wrote (PostgreSQL
    // lets a few writes through a READ ONLY transaction: large objects), and what it wrote is undone.
    // A guard that joined another leaves that to the outer one.
    void finish();

private:
    Connection* connection_;
};

} // namespace platform::db
