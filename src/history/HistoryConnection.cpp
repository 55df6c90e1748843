// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/HistoryConnection.h"

#include <QAtomicInt>
#include <QSqlError>

namespace sorario {
namespace {

QAtomicInt counter;

} // namespace

HistoryFailure::HistoryFailure(HistoryFault kind, const QString &why)
    : std::runtime_error(why.toStdString())
    , fault(kind)
    , detail(why)
{
}

HistoryFailure::HistoryFailure(const QSqlError &error, QSqlDriver::DbmsType type)
    : HistoryFailure(BackendFor(type).faultOf(error), BackendFor(type).detailOf(error))
{
}

HistoryConnection::HistoryConnection(const QString &location, HistoryAccess access)
    : m_name(QStringLiteral("sorario-history-%1").arg(counter.fetchAndAddRelaxed(1)))
    , m_access(access)
    , m_backend(BackendFor(location))
{
    // A failure here skips the destructor, so the connection (and the open file) is
    // let go before the failure goes on.
    try {
        m_empty = m_backend.open(*this, location);
    } catch (...) {
        release();
        throw;
    }
}

HistoryConnection::~HistoryConnection()
{
    release();
}

QSqlQuery HistoryConnection::exec(const QString &sql, const QVariantList &values) const
{
    QSqlQuery query(db());
    query.setForwardOnly(m_backend.readsRowByRow());
    const auto failed = [&] { return HistoryFailure(query.lastError(), db().driver()->dbmsType()); };
    // A server prepares no transaction or setting: what has no values is sent as it is.
    if (values.isEmpty()) {
        if (!query.exec(sql))
            throw failed();
        return query;
    }
    if (!query.prepare(sql))
        throw failed();
    for (const QVariant &value : values) {
        // A null text would be stored as NULL, which no comparison with text matches.
        const bool nullText = value.typeId() == QMetaType::QString && value.toString().isNull();
        query.addBindValue(nullText ? QVariant(QStringLiteral("")) : value);
    }
    if (!query.exec())
        throw failed();
    return query;
}

HistorySql HistoryConnection::sql() const
{
    return {[this](const QString &s, const QVariantList &v) { return exec(s, v); }, nextRow, &m_backend};
}

void HistoryConnection::release() const
{
    {
        QSqlDatabase db = QSqlDatabase::database(m_name, false);
        if (db.isOpen()) {
            db.rollback();
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(m_name);
}

bool nextRow(QSqlQuery &query)
{
    if (query.next())
        return true;
    if (query.lastError().isValid())
        throw HistoryFailure(query.lastError(), query.driver()->dbmsType());
    return false;
}

HistoryPresence PresenceOf(const QString &location)
{
    return BackendFor(location).presence(location);
}

} // namespace sorario
