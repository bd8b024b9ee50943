// Login and number reservation.

#include "bench/cases.h"
#include "shell/loginservice.h"
#include "store/numbering.h"

#include <sodium.h>

namespace bench {

std::vector<Case> shellCases(BenchEnv &env)
{
    store::Db &db = env.db;
    std::vector<Case> cases;

    // Login: the Argon2id check is most of it, by design (store/password.cpp), so the floor
    // verifies the same hash and writes the same login-log row.
    {
        Case c;
        c.name = QStringLiteral("login");
        c.label = QStringLiteral("login (Argon2id + login log)");
        c.kind = CaseKind::Save;
        c.reps = qMax(50, env.reps / 2);
        c.program.run = [&env] {
            shell::OperatorRecord who;
            if (shell::logIn(env.db, env.operatorCode, kBenchPassword, env.branchName, &who) != shell::LoginResult::Ok)
                throw store::DbError(QStringLiteral("login refused"));
        };
        c.floor.run = [&env, &db] {
            QSqlQuery &sel = db.prepared(QStringLiteral("SELECT 操作员姓名, 操作员密码 FROM 操作员信息表 WHERE 操作员代号 = ?"));
            db.run(sel, {env.operatorCode});
            sel.next();
            const QString name = sel.value(0).toString();
            const QByteArray hash = sel.value(1).toString().toLatin1();
            const QByteArray pw = kBenchPassword.toUtf8();
            if (crypto_pwhash_str_verify(hash.constData(), pw.constData(), pw.size()) != 0)
                throw store::DbError(QStringLiteral("floor login refused"));
            QSqlQuery &ins = db.prepared(QStringLiteral("INSERT INTO 登录日志表 (登录时间, 操作员, 所属部门) VALUES (?, ?, ?)"));
            db.run(ins, {QDateTime::currentDateTime(), name, env.branchName});
        };
        cases.push_back(c);
    }

    // Reserving a repair-order number: read and advance the branch's counter in one locked step.
    {
        Case c;
        c.name = QStringLiteral("reserve_number");
        c.label = QStringLiteral("reserve a note number");
        c.kind = CaseKind::Save;
        c.reps = env.reps;
        c.program.run = [&env] { store::reserveNumber(env.db, store::CounterKind::RepairOrder, env.branchCode); };
        const QString next = db.isSqlite()
            ? QStringLiteral("printf('%08d', CAST(COALESCE(NULLIF(最后托修单号, ''), '0') AS INTEGER) + 1)")
            : QStringLiteral("lpad((CAST(COALESCE(NULLIF(最后托修单号, ''), '0') AS BIGINT) + 1)::text, 8, '0')");
        const QString sql = QStringLiteral("UPDATE 部门信息 SET 最后托修单号 = %1 WHERE 部门编号 = ? RETURNING 最后托修单号").arg(next);
        c.floor.run = [&env, &db, sql] {
            QSqlQuery &q = db.prepared(sql);
            db.run(q, {env.branchCode});
            q.next();
            (void)q.value(0);
            q.finish();   // completes the statement, which commits it
        };
        cases.push_back(c);
    }
    return cases;
}

} // namespace bench
