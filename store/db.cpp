#include "store/db.h"
#include "store/money.h"

#include <QAtomicInt>
#include <QSqlDriver>
#include <QSqlError>
#include <QThread>

namespace store {

namespace {
QAtomicInt g_connectionCounter;

QString errorText(const QSqlError &e)
{
    QString text = e.databaseText().trimmed();
    if (text.isEmpty())
        text = e.driverText().trimmed();
    if (text.isEmpty())
        text = e.text().trimmed();
    return text;
}
} // namespace

QString ConnectionSettings::describe() const
{
    if (backend == Backend::Sqlite)
        return sqliteFile;
    return QStringLiteral("%1@%2:%3/%4").arg(user, host).arg(port).arg(database);
}

DbError::DbError(const QString &message, const QString &sql)
    : std::runtime_error(message.toStdString()), m_message(message), m_sql(sql)
{
}

Db::Db(const ConnectionSettings &settings)
    : m_settings(settings),
      m_name(QStringLiteral("juncheng-%1").arg(g_connectionCounter.fetchAndAddRelaxed(1)))
{
    open();
}

Db::~Db()
{
    close();
}

void Db::open()
{
    const bool sqlite = isSqlite();
    QSqlDatabase db = QSqlDatabase::addDatabase(sqlite ? QStringLiteral("QSQLITE") : QStringLiteral("QPSQL"), m_name);
    if (sqlite) {
        if (m_settings.sqliteFile.isEmpty())
            throw DbError(QStringLiteral("没有指定数据库文件"));
        db.setDatabaseName(m_settings.sqliteFile);
        // Two workstations on one file wait for each other's write lock.
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=15000"));
    } else {
        db.setHostName(m_settings.host);
        db.setPort(m_settings.port);
        db.setDatabaseName(m_settings.database);
        db.setUserName(m_settings.user);
        db.setPassword(m_settings.password);
        db.setConnectOptions(QStringLiteral("connect_timeout=%1").arg(m_settings.connectTimeoutSeconds));
    }
    if (!db.open()) {
        const QString message = errorText(db.lastError());
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_name);
        throw DbError(message.isEmpty() ? QStringLiteral("无法连接数据库 %1").arg(m_settings.describe()) : message);
    }
    if (sqlite) {
        exec(QStringLiteral("PRAGMA journal_mode=WAL"));
        exec(QStringLiteral("PRAGMA synchronous=FULL"));
        exec(QStringLiteral("PRAGMA busy_timeout=15000"));
    } else {
        exec(QStringLiteral("SET client_min_messages TO warning"));
    }
}

void Db::close()
{
    m_prepared.clear();
    if (!QSqlDatabase::contains(m_name))
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(m_name, false);
        if (db.isOpen())
            db.close();
    }
    QSqlDatabase::removeDatabase(m_name);
    m_depth = 0;
}

void Db::reopen()
{
    close();
    open();
}

QSqlDatabase Db::handle() const
{
    return QSqlDatabase::database(m_name, false);
}

QVariant Db::toBindable(const QVariant &value) const
{
    if (!value.isValid())
        return value;
    const int type = value.metaType().id();
    if (value.metaType() == QMetaType::fromType<Money>()) {
        const Money m = value.value<Money>();
        if (isSqlite())
            return m.toDouble();
        return m.toDecimalString();
    }
    if (isSqlite()) {
        if (type == QMetaType::QDate)
            return value.isNull() ? QVariant(QMetaType::fromType<QString>()) : QVariant(value.toDate().toString(QStringLiteral("yyyy-MM-dd")));
        if (type == QMetaType::QDateTime)
            return value.isNull() ? QVariant(QMetaType::fromType<QString>())
                                  : QVariant(value.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
    } else if (type == QMetaType::QDateTime && !value.isNull()) {
        // Whole seconds, like the columns hold.
        QDateTime dt = value.toDateTime();
        dt.setTime(QTime(dt.time().hour(), dt.time().minute(), dt.time().second()));
        return dt;
    }
    if (type == QMetaType::Bool)
        return value.toBool() ? 1 : 0;
    return value;
}

void Db::failOn(const QSqlQuery &q, const QString &sql) const
{
    throw DbError(errorText(q.lastError()), sql);
}

void Db::run(QSqlQuery &query, const QVariantList &params)
{
    for (int i = 0; i < params.size(); ++i)
        query.bindValue(i, toBindable(params[i]));
    if (!query.exec())
        failOn(query, query.lastQuery());
}

QSqlQuery Db::exec(const QString &sql, const QVariantList &params)
{
    QSqlQuery q(handle());
    q.setForwardOnly(true);
    if (params.isEmpty()) {
        if (!q.exec(sql))
            failOn(q, sql);
        return q;
    }
    if (!q.prepare(sql))
        failOn(q, sql);
    run(q, params);
    return q;
}

QSqlQuery *Db::cachedQuery(const QString &sql)
{
    auto it = m_prepared.find(sql);
    if (it != m_prepared.end()) {
        it->second->finish();
        return it->second.get();
    }
    // Statement texts are few (column names come from whitelists); a runaway stays uncached.
    if (m_prepared.size() >= 2000)
        return nullptr;
    auto q = std::make_unique<QSqlQuery>(handle());
    q->setForwardOnly(true);
    if (!q->prepare(sql))
        failOn(*q, sql);
    return m_prepared.emplace(sql, std::move(q)).first->second.get();
}

QSqlQuery &Db::prepared(const QString &sql)
{
    if (QSqlQuery *q = cachedQuery(sql))
        return *q;
    throw DbError(QStringLiteral("预备语句过多"), sql);
}

int Db::execWrite(const QString &sql, const QVariantList &params)
{
    QSqlQuery *q = params.isEmpty() ? nullptr : cachedQuery(sql);
    if (!q)
        return exec(sql, params).numRowsAffected();
    run(*q, params);
    const int n = q->numRowsAffected();
    q->finish();
    return n;
}

QVariant Db::scalar(const QString &sql, const QVariantList &params)
{
    QSqlQuery *q = params.isEmpty() ? nullptr : cachedQuery(sql);
    if (!q) {
        QSqlQuery own = exec(sql, params);
        return own.next() ? own.value(0) : QVariant();
    }
    run(*q, params);
    const QVariant v = q->next() ? q->value(0) : QVariant();
    q->finish();
    return v;
}

std::optional<QSqlRecord> Db::one(const QString &sql, const QVariantList &params)
{
    QSqlQuery *q = params.isEmpty() ? nullptr : cachedQuery(sql);
    if (!q) {
        QSqlQuery own = exec(sql, params);
        if (own.next())
            return own.record();
        return std::nullopt;
    }
    run(*q, params);
    std::optional<QSqlRecord> r;
    if (q->next())
        r = q->record();
    q->finish();
    return r;
}

bool Db::exists(const QString &sql, const QVariantList &params)
{
    QSqlQuery *q = params.isEmpty() ? nullptr : cachedQuery(sql);
    if (!q)
        return exec(sql, params).next();
    run(*q, params);
    const bool found = q->next();
    q->finish();
    return found;
}

void Db::begin()
{
    if (m_depth++ > 0)
        return;
    m_failed = false;
    try {
        exec(isSqlite() ? QStringLiteral("BEGIN IMMEDIATE") : QStringLiteral("BEGIN"));
    } catch (...) {
        m_depth = 0;
        throw;
    }
}

void Db::commit()
{
    if (m_depth <= 0)
        throw DbError(QStringLiteral("没有进行中的事务"));
    if (--m_depth > 0)
        return;
    if (m_failed) {
        exec(QStringLiteral("ROLLBACK"));
        throw DbError(QStringLiteral("事务中的一步失败，全部改动已撤销"));
    }
    try {
        exec(QStringLiteral("COMMIT"));
    } catch (...) {
        try { exec(QStringLiteral("ROLLBACK")); } catch (...) {}
        throw;
    }
}

void Db::rollback()
{
    if (m_depth <= 0)
        return;
    if (--m_depth > 0) {
        m_failed = true;   // an inner part failed: the outer commit must not go through
        return;
    }
    m_failed = false;
    try { exec(QStringLiteral("ROLLBACK")); } catch (const DbError &) {}
}

QString Db::forUpdate() const
{
    return isSqlite() ? QString() : QStringLiteral(" FOR UPDATE");
}

QString Db::likeOperator() const
{
    return isSqlite() ? QStringLiteral("LIKE") : QStringLiteral("ILIKE");
}

Transaction::~Transaction()
{
    if (!m_done)
        m_db.rollback();
}

void Transaction::commit()
{
    m_done = true;
    m_db.commit();
}

QDate toDate(const QVariant &v)
{
    if (!v.isValid() || v.isNull())
        return {};
    switch (v.metaType().id()) {
    case QMetaType::QDate: return v.toDate();
    case QMetaType::QDateTime: return v.toDateTime().date();
    default: {
        const QString s = v.toString().trimmed();
        return QDate::fromString(s.left(10), QStringLiteral("yyyy-MM-dd"));
    }
    }
}

QDateTime toDateTime(const QVariant &v)
{
    if (!v.isValid() || v.isNull())
        return {};
    switch (v.metaType().id()) {
    case QMetaType::QDateTime: return v.toDateTime();
    case QMetaType::QDate: return v.toDate().startOfDay();
    default: {
        const QString s = v.toString().trimmed();
        QDateTime dt = QDateTime::fromString(s.left(19), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        if (!dt.isValid())
            dt = QDateTime::fromString(s, Qt::ISODate);
        if (!dt.isValid()) {
            const QDate d = QDate::fromString(s.left(10), QStringLiteral("yyyy-MM-dd"));
            if (d.isValid()) dt = d.startOfDay();
        }
        return dt;
    }
    }
}

bool toBool(const QVariant &v)
{
    if (!v.isValid() || v.isNull())
        return false;
    if (v.metaType().id() == QMetaType::QString) {
        const QString s = v.toString().trimmed().toLower();
        return s == QLatin1String("1") || s == QLatin1String("t") || s == QLatin1String("true");
    }
    return v.toInt() != 0;
}

int gbkWidth(const QString &text)
{
    int bytes = 0;
    for (const QChar c : text)
        bytes += c.unicode() < 0x80 ? 1 : 2;
    return bytes;
}

QString gbkTruncate(const QString &text, int bytes)
{
    int used = 0;
    int i = 0;
    for (; i < text.size(); ++i) {
        const int w = text[i].unicode() < 0x80 ? 1 : 2;
        if (used + w > bytes) break;
        used += w;
    }
    return text.left(i);
}

} // namespace store
