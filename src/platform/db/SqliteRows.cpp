#include "platform/db/SqliteRows.h"

#include "platform/Error.h"

#include <bit>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <QSqlResult>
#include <QStringDecoder>
#include <sqlite3.h>
#include <string>
#include <thread>
#include <vector>

namespace platform::db
{

namespace
{

sqlite3_stmt* statementOf(const QSqlQuery& query)
{
    const QVariant handle = query.result() ? query.result()->handle() : QVariant();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3_stmt*") != 0)
        return nullptr;
    return *static_cast<sqlite3_stmt* const*>(handle.constData());
}

// Rows as the statement gives them, before their texts are decoded: numbers as they are, texts as the
// UTF-8 bytes that SQLite stores, one after another.
struct RawRows {
    // Rows in a block: large enough that handing blocks over costs nothing, small enough that the
    // blocks on their way take little memory.
    static constexpr int kRows = 4096;

    enum class Kind : quint8 { Null, Integer, Real, Text, TextAbove, Other };
    std::vector<Kind> kinds;
    std::vector<quint64> payloads; // a number, or the byte count of a text
    std::string utf8; // the texts' bytes
    QList<QVariant> others; // blobs
    int rows = 0;

    void clear()
    {
        kinds.clear();
        payloads.clear();
        utf8.clear();
        others.clear();
        rows = 0;
    }
};

// Reads the statement's rows into blocks. A text equal to the one in the row above it in its column is
// marked as that one, so that the table shares it instead of decoding it again.
class RowReader
{
public:
    RowReader(sqlite3_stmt* statement, int columns)
        : statement_(statement)
        , columns_(columns)
        , textAbove_(columns)
        , aboveIsText_(columns, false)
    {
    }

    void readRow(RawRows& block)
    {
        for (int column = 0; column < columns_; ++column)
            readValue(block, column);
        ++block.rows;
    }

private:
    void push(RawRows& block, RawRows::Kind kind, quint64 payload, int column)
    {
        block.kinds.push_back(kind);
        block.payloads.push_back(payload);
        aboveIsText_[column] = kind == RawRows::Kind::Text || kind == RawRows::Kind::TextAbove;
    }

    void readValue(RawRows& block, int column)
    {
        switch (sqlite3_column_type(statement_, column)) {
        case SQLITE_INTEGER:
            push(block, RawRows::Kind::Integer, quint64(sqlite3_column_int64(statement_, column)), column);
            break;
        case SQLITE_FLOAT:
            push(block, RawRows::Kind::Real,
                std::bit_cast<quint64>(sqlite3_column_double(statement_, column)), column);
            break;
        case SQLITE_NULL:
            push(block, RawRows::Kind::Null, 0, column);
            break;
        case SQLITE_BLOB:
            block.others.append(QByteArray(static_cast<const char*>(sqlite3_column_blob(statement_, column)),
                sqlite3_column_bytes(statement_, column)));
            push(block, RawRows::Kind::Other, 0, column);
            break;
        default:
            readText(block, column);
        }
    }

    void readText(RawRows& block, int column)
    {
        const auto* bytes = reinterpret_cast<const char*>(sqlite3_column_text(statement_, column));
        const std::string_view utf8(bytes, size_t(sqlite3_column_bytes(statement_, column)));
        std::string& above = textAbove_[column];
        if (aboveIsText_[column] && above == utf8) {
            push(block, RawRows::Kind::TextAbove, 0, column);
            return;
        }
        above.assign(utf8);
        block.utf8.append(utf8);
        push(block, RawRows::Kind::Text, utf8.size(), column);
    }

    sqlite3_stmt* statement_;
    int columns_;
    std::vector<std::string> textAbove_; // the bytes of each column's last text
    std::vector<bool> aboveIsText_;
};

// Turns blocks into the table's values. A text whose bytes are not valid UTF-8 (a lone surrogate
// written by another program) is read through SQLite's own conversion to UTF-16, as the driver would
// read it.
class BlockDecoder
{
public:
    explicit BlockDecoder(ValueTable& values)
        : values_(values)
    {
    }
    ~BlockDecoder()
    {
        if (converter_)
            sqlite3_close(converter_);
    }

    void decode(const RawRows& block)
    {
        const char* text = block.utf8.data();
        qsizetype other = 0;
        for (size_t i = 0; i < block.kinds.size(); ++i) {
            const quint64 payload = block.payloads[i];
            switch (block.kinds[i]) {
            case RawRows::Kind::Null:
                values_.appendNull();
                break;
            case RawRows::Kind::Integer:
                values_.appendInteger(qint64(payload));
                break;
            case RawRows::Kind::Real:
                values_.appendReal(std::bit_cast<double>(payload));
                break;
            case RawRows::Kind::Text:
                values_.appendText(decodeText(QByteArrayView(text, qsizetype(payload))));
                text += payload;
                break;
            case RawRows::Kind::TextAbove:
                values_.appendAbove();
                break;
            case RawRows::Kind::Other:
                values_.append(block.others[other++]);
                break;
            }
        }
    }

private:
    // The text is decoded into a scratch buffer and then copied into a string of its own length: the
    // decoder sizes its string for the worst case, a character for every byte, and a string keeps the
    // room it was made with, so a Chinese character (three bytes) would leave room for two more for as
    // long as the record set lives (about 50 MB for the titles of a million records).
    QString decodeText(QByteArrayView utf8)
    {
        scratch_.resize(decoder_.requiredSpace(utf8.size()));
        const QChar* end = decoder_.appendToBuffer(scratch_.data(), utf8);
        if (!decoder_.hasError())
            return QString(scratch_.data(), end - scratch_.data());
        decoder_.resetState();
        return throughSqlite(utf8);
    }

    QString throughSqlite(QByteArrayView utf8)
    {
        if (!converter_ && sqlite3_open(":memory:", &converter_) != SQLITE_OK)
            return QString::fromUtf8(utf8);
        sqlite3_stmt* select = nullptr;
        QString text = QString::fromUtf8(utf8);
        if (sqlite3_prepare_v2(converter_, "select ?", -1, &select, nullptr) == SQLITE_OK
            && sqlite3_bind_text(select, 1, utf8.data(), int(utf8.size()), SQLITE_STATIC) == SQLITE_OK
            && sqlite3_step(select) == SQLITE_ROW) {
            const auto* chars = static_cast<const QChar*>(sqlite3_column_text16(select, 0));
            text = QString(chars, sqlite3_column_bytes16(select, 0) / qsizetype(sizeof(QChar)));
        }
        sqlite3_finalize(select);
        return text;
    }

    ValueTable& values_;
    QStringDecoder decoder_ { QStringDecoder::Utf8, QStringDecoder::Flag::Stateless };
    std::vector<QChar> scratch_;
    sqlite3* converter_ = nullptr;
};

// Decodes blocks on a thread of its own while the statement steps on: decoding the texts and taking
// memory for them costs about as much as reading the rows.
class DecodingThread
{
public:
    explicit DecodingThread(ValueTable& values)
        : decoder_(values)
        , thread_([this] { run(); })
    {
    }
    ~DecodingThread() { stop(); }

    // A block to fill: one the thread has decoded, or a new one while few are on their way.
    std::unique_ptr<RawRows> emptyBlock()
    {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return !empty_.empty() || blocks_ < kMaxBlocks || failure_; });
        rethrowFailure();
        if (empty_.empty()) {
            ++blocks_;
            return std::make_unique<RawRows>();
        }
        std::unique_ptr<RawRows> block = std::move(empty_.front());
        empty_.pop_front();
        return block;
    }

    void decode(std::unique_ptr<RawRows> block)
    {
        {
            const std::lock_guard lock(mutex_);
            filled_.push_back(std::move(block));
        }
        changed_.notify_all();
    }

    // Waits until every block handed over is in the table; throws what decoding one threw.
    void finish()
    {
        stop();
        rethrowFailure();
    }

private:
    static constexpr int kMaxBlocks = 4;

    // The thread decodes what it was handed and ends.
    void stop()
    {
        if (!thread_.joinable())
            return;
        {
            const std::lock_guard lock(mutex_);
            ended_ = true;
        }
        changed_.notify_all();
        thread_.join();
    }

    void rethrowFailure()
    {
        if (failure_)
            std::rethrow_exception(failure_);
    }

    void run()
    {
        std::unique_lock lock(mutex_);
        for (;;) {
            changed_.wait(lock, [this] { return !filled_.empty() || ended_; });
            if (filled_.empty())
                return;
            std::unique_ptr<RawRows> block = std::move(filled_.front());
            filled_.pop_front();
            lock.unlock();
            std::exception_ptr failure;
            try {
                decoder_.decode(*block);
            } catch (...) {
                failure = std::current_exception();
            }
            block->clear();
            lock.lock();
            if (failure && !failure_)
                failure_ = failure;
            empty_.push_back(std::move(block));
            changed_.notify_all();
        }
    }

    BlockDecoder decoder_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::unique_ptr<RawRows>> filled_;
    std::deque<std::unique_ptr<RawRows>> empty_;
    int blocks_ = 0;
    bool ended_ = false;
    std::exception_ptr failure_;
    std::thread thread_; // last: it starts once the rest is ready
};

[[noreturn]] void throwStepFailure(sqlite3_stmt* statement, const QSqlQuery& query)
{
    sqlite3_reset(statement);
    const auto* message = static_cast<const QChar*>(sqlite3_errmsg16(sqlite3_db_handle(statement)));
    throw Error(errors::DatabaseError, QStringLiteral("Recordset"),
        QString(message) + QLatin1Char('\n') + query.lastQuery());
}

// Steps to the next row: false at the end of the rows.
bool stepped(sqlite3_stmt* statement, const QSqlQuery& query)
{
    const int step = sqlite3_step(statement);
    if (step == SQLITE_DONE)
        return false;
    if (step != SQLITE_ROW)
        throwStepFailure(statement, query);
    return true;
}

// Fills `block` from the statement's current row on; false when the rows ended in it.
bool filledWholly(RowReader& reader, RawRows& block, sqlite3_stmt* statement, const QSqlQuery& query)
{
    for (;;) {
        reader.readRow(block);
        if (!stepped(statement, query))
            return false;
        if (block.rows == RawRows::kRows)
            return true;
    }
}

} // namespace

int appendSqliteRows(QSqlQuery& query, ValueTable& values)
{
    sqlite3_stmt* statement = statementOf(query);
    if (!statement || !query.isForwardOnly())
        return -1;
    // The driver has stepped to the first row when it executed the query: the statement is on it.
    if (!query.next())
        return 0;
    const qsizetype rowsBefore = values.rows();
    RowReader reader(statement, values.columns());
    auto block = std::make_unique<RawRows>();
    bool more = filledWholly(reader, *block, statement, query);
    // A query of one block, as most are, is decoded here; a longer one on a second thread meanwhile.
    if (!more) {
        BlockDecoder(values).decode(*block);
    } else {
        DecodingThread decoding(values);
        for (;;) {
            decoding.decode(std::move(block));
            if (!more)
                break;
            block = decoding.emptyBlock();
            more = filledWholly(reader, *block, statement, query);
        }
        decoding.finish();
    }
    sqlite3_reset(statement);
    return int(values.rows() - rowsBefore);
}

} // namespace platform::db
