#include "store/pgadmin.h"

#include <QRegularExpression>

namespace store {

ConnectionSettings parsePgConnInfo(const QString &conninfo)
{
    ConnectionSettings s;
    s.backend = Backend::Postgres;
    s.host = QStringLiteral("localhost");
    for (const QString &part : conninfo.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const int eq = part.indexOf(QLatin1Char('='));
        if (eq <= 0)
            throw DbError(QStringLiteral("连接参数\"%1\"的格式应为 键=值").arg(part));
        const QString key = part.left(eq), value = part.mid(eq + 1);
        if (key == QLatin1String("host")) s.host = value;
        else if (key == QLatin1String("port")) s.port = value.toInt();
        else if (key == QLatin1String("dbname")) s.database = value;
        else if (key == QLatin1String("user")) s.user = value;
        else if (key == QLatin1String("password")) s.password = value;
        else throw DbError(QStringLiteral("不认识的连接参数 %1").arg(key));
    }
    return s;
}

namespace {

QString checkedName(const QString &name)
{
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]{0,62}$"));
    if (!plain.match(name).hasMatch())
        throw DbError(QStringLiteral("数据库名\"%1\"只能由字母、数字和下划线组成").arg(name));
    return name;
}

ConnectionSettings maintenance(const ConnectionSettings &server)
{
    ConnectionSettings m = server;
    m.database = QStringLiteral("postgres");
    return m;
}

} // namespace

bool pgDatabaseExists(const ConnectionSettings &server)
{
    Db db(maintenance(server));
    return db.exists(QStringLiteral("SELECT 1 FROM pg_database WHERE datname = ?"), {server.database});
}

void pgCreateDatabase(const ConnectionSettings &server, const QString &templateName)
{
    Db db(maintenance(server));
    QString sql = QStringLiteral("CREATE DATABASE %1 ENCODING 'UTF8'").arg(checkedName(server.database));
    if (!templateName.isEmpty())
        sql += QStringLiteral(" TEMPLATE %1").arg(checkedName(templateName));
    else
        sql += QStringLiteral(" TEMPLATE template0");
    db.exec(sql);
}

void pgDropDatabase(const ConnectionSettings &server)
{
    Db db(maintenance(server));
    db.exec(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(checkedName(server.database)));
}

} // namespace store
