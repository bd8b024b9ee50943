#include "customers/suppliers/supplierservice.h"
#include "store/journal.h"
#include "store/likepattern.h"
#include "store/ruleerror.h"

namespace customers {

using store::Db;

namespace {

constexpr int kCodeWidth = 6;

QStringList columnNames()
{
    QStringList names;
    for (const SupplierColumn &c : supplierColumns())
        names << c.name;
    return names;
}

Supplier fromRecord(const QSqlRecord &r)
{
    QVariantMap values;
    for (int i = 0; i < r.count(); ++i)
        values.insert(r.fieldName(i), r.value(i));
    return Supplier::fromMap(values);
}

// Text cut to the column's width, so an over-long value never fails the save.
QVariantList boundValues(const Supplier &s)
{
    const QVariantMap values = s.toMap();
    QVariantList bound;
    for (const SupplierColumn &c : supplierColumns())
        bound << store::gbkTruncate(values.value(c.name).toString().trimmed(), c.width);
    return bound;
}

bool codeTaken(Db &db, const QString &code)
{
    return db.exists(QStringLiteral("SELECT 1 FROM 供销商信息表 WHERE 供销商编号 = ?"), {code});
}

} // namespace

QVariantMap Supplier::toMap() const
{
    return {{QStringLiteral("供销商编号"), code},   {QStringLiteral("供销商名称"), name},
            {QStringLiteral("供销商类型"), type},   {QStringLiteral("联系人"), contact},
            {QStringLiteral("职务"), position},     {QStringLiteral("联系电话"), phone},
            {QStringLiteral("传真号码"), fax},      {QStringLiteral("手机号码"), mobile},
            {QStringLiteral("收款全称"), payee},    {QStringLiteral("开户行"), bank},
            {QStringLiteral("帐号"), account},      {QStringLiteral("联系地址"), address},
            {QStringLiteral("电子邮箱"), email}};
}

Supplier Supplier::fromMap(const QVariantMap &v)
{
    auto text = [&](const char *name) { return v.value(QString::fromUtf8(name)).toString(); };
    Supplier s;
    s.code = text("供销商编号").trimmed();
    s.name = text("供销商名称");
    s.type = text("供销商类型");
    s.contact = text("联系人");
    s.position = text("职务");
    s.phone = text("联系电话");
    s.fax = text("传真号码");
    s.mobile = text("手机号码");
    s.payee = text("收款全称");
    s.bank = text("开户行");
    s.account = text("帐号");
    s.address = text("联系地址");
    s.email = text("电子邮箱");
    return s;
}

const QList<SupplierColumn> &supplierColumns()
{
    static const QList<SupplierColumn> columns = {
        {QStringLiteral("供销商编号"), 6},  {QStringLiteral("供销商名称"), 100}, {QStringLiteral("供销商类型"), 12},
        {QStringLiteral("联系人"), 20},     {QStringLiteral("职务"), 24},        {QStringLiteral("联系电话"), 24},
        {QStringLiteral("传真号码"), 24},   {QStringLiteral("手机号码"), 24},    {QStringLiteral("收款全称"), 50},
        {QStringLiteral("开户行"), 50},     {QStringLiteral("帐号"), 24},        {QStringLiteral("联系地址"), 50},
        {QStringLiteral("电子邮箱"), 50},
    };
    return columns;
}

QString supplierCodeAfter(const QString &highestCode)
{
    bool ok = false;
    const qint64 highest = highestCode.trimmed().isEmpty() ? 0 : highestCode.trimmed().toLongLong(&ok);
    const qint64 n = (ok ? highest : 0) + 1;
    QString code = QString::number(n);
    if (code.size() < kCodeWidth)
        code = QStringLiteral("100000").left(kCodeWidth - code.size()) + code;
    return code.size() > kCodeWidth ? QString() : code;
}

QString nextSupplierCode(Db &db)
{
    // The highest code by value: codes of other widths ("000123") still count by their
    // number, and a stray non-digit code cannot stop the numbering.
    QSqlQuery q = db.exec(QStringLiteral("SELECT 供销商编号 FROM 供销商信息表"));
    qint64 highest = 0;
    QString highestText;
    while (q.next()) {
        const QString code = q.value(0).toString().trimmed();
        bool ok = false;
        const qint64 n = code.toLongLong(&ok);
        if (ok && n >= 0 && (highestText.isEmpty() || n > highest)) {
            highest = n;
            highestText = code;
        }
    }
    const QString code = supplierCodeAfter(highestText);
    if (code.isEmpty())
        throw store::RuleError(QStringLiteral("供销商编号已经用完,不能再新增供销商!"));
    return code;
}

QList<Supplier> suppliers(Db &db)
{
    QSqlQuery q = db.exec(QStringLiteral("SELECT %1 FROM 供销商信息表 ORDER BY 供销商编号").arg(columnNames().join(u", ")));
    QList<Supplier> list;
    while (q.next())
        list << fromRecord(q.record());
    return list;
}

std::optional<Supplier> supplierByCode(Db &db, const QString &code)
{
    const auto r = db.one(QStringLiteral("SELECT %1 FROM 供销商信息表 WHERE 供销商编号 = ?").arg(columnNames().join(u", ")),
                          {code.trimmed()});
    if (!r)
        return std::nullopt;
    return fromRecord(*r);
}

bool supplierNameExists(Db &db, const QString &name, const QString &exceptCode)
{
    const QString stored = store::gbkTruncate(name.trimmed(), 100);
    if (exceptCode.trimmed().isEmpty())
        return db.exists(QStringLiteral("SELECT 1 FROM 供销商信息表 WHERE 供销商名称 = ?"), {stored});
    return db.exists(QStringLiteral("SELECT 1 FROM 供销商信息表 WHERE 供销商名称 = ? AND 供销商编号 <> ?"),
                     {stored, exceptCode.trimmed()});
}

QString addSupplier(Db &db, const Supplier &supplier, const QString &operatorName)
{
    Supplier s = supplier;
    s.name = s.name.trimmed();
    if (s.name.isEmpty())
        throw store::RuleError(kSupplierNameRequired, QStringLiteral("供销商名称"));

    store::Transaction tx(db);
    if (supplierNameExists(db, s.name))
        throw store::RuleError(kSupplierNameTaken, QStringLiteral("供销商名称"));
    if (s.code.isEmpty() || codeTaken(db, s.code))
        s.code = nextSupplierCode(db);
    const QStringList names = columnNames();
    db.execWrite(QStringLiteral("INSERT INTO 供销商信息表 (%1) VALUES (%2)")
                     .arg(names.join(u", "), QStringList(names.size(), QStringLiteral("?")).join(u",")),
                 boundValues(s));
    store::writeJournal(db, QStringLiteral("新增供应商信息:%1").arg(s.name), operatorName);
    tx.commit();
    return s.code;
}

void updateSuppliers(Db &db, const QList<Supplier> &changed, const QString &operatorName)
{
    for (const Supplier &s : changed)
        if (s.name.trimmed().isEmpty())
            throw store::RuleError(kSupplierNameRequired, QStringLiteral("供销商名称"));

    QStringList assignments;
    for (const QString &name : columnNames().mid(1))
        assignments << name + QStringLiteral(" = ?");
    const QString sql = QStringLiteral("UPDATE 供销商信息表 SET %1 WHERE 供销商编号 = ?").arg(assignments.join(u", "));

    store::Transaction tx(db);
    for (const Supplier &s : changed) {
        QVariantList values = boundValues(s).mid(1);
        values << s.code.trimmed();
        db.execWrite(sql, values);
        store::writeJournal(db, QStringLiteral("修改供应商信息:%1").arg(s.name.trimmed()), operatorName);
    }
    tx.commit();
}

void deleteSupplier(Db &db, const QString &code, const shell::OperatorContext &who)
{
    if (!who.canDeleteOrModifyCompleted())
        throw store::RuleError(kSupplierDeleteRefused);
    store::Transaction tx(db);
    const QString name = db.scalar(QStringLiteral("SELECT 供销商名称 FROM 供销商信息表 WHERE 供销商编号 = ?"),
                                   {code.trimmed()}).toString();
    store::writeJournal(db, QStringLiteral("删除供销商信息:%1").arg(name), who.name);
    db.execWrite(QStringLiteral("DELETE FROM 供销商信息表 WHERE 供销商编号 = ?"), {code.trimmed()});
    tx.commit();
}

store::ListQuery supplierListQuery(Db &db, const QString &search)
{
    const QString text = search.trimmed();
    if (text.isEmpty())
        return {QStringLiteral("SELECT * FROM 供销商信息表 ORDER BY 供销商编号"), {}};
    return {QStringLiteral("SELECT * FROM 供销商信息表 WHERE %1 ORDER BY 供销商编号")
                .arg(store::containsCondition(db, QStringLiteral("供销商名称"))),
            {store::containsPattern(text)}};
}

} // namespace customers
