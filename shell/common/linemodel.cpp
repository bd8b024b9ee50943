#include "shell/common/linemodel.h"
#include "store/db.h"
#include "store/money.h"

namespace shell {

LineModel::LineModel(const QList<LineField> &fields, QObject *parent)
    : QAbstractTableModel(parent), m_fields(fields)
{
    connect(this, &QAbstractItemModel::rowsInserted, this, &LineModel::linesChanged);
    connect(this, &QAbstractItemModel::rowsRemoved, this, &LineModel::linesChanged);
    connect(this, &QAbstractItemModel::dataChanged, this, &LineModel::linesChanged);
    connect(this, &QAbstractItemModel::modelReset, this, &LineModel::linesChanged);
}

int LineModel::fieldIndex(const QString &name) const
{
    for (int i = 0; i < m_fields.size(); ++i)
        if (m_fields[i].name == name)
            return i;
    return -1;
}

QVariant LineModel::fieldValue(const Line &stored, const LineField &field) const
{
    if (field.compute) {
        Line full = stored;
        for (const LineField &f : m_fields)
            if (!f.compute && !full.contains(f.name))
                full.insert(f.name, QVariant());
        return field.compute(full);
    }
    return stored.value(field.name);
}

LineModel::Line LineModel::line(int row) const
{
    Line l;
    if (row < 0 || row >= m_lines.size())
        return l;
    for (const LineField &f : m_fields)
        l.insert(f.name, fieldValue(m_lines[row], f));
    return l;
}

QList<LineModel::Line> LineModel::lines() const
{
    QList<Line> all;
    for (int r = 0; r < m_lines.size(); ++r)
        all.append(line(r));
    return all;
}

QVariant LineModel::value(int row, const QString &field) const
{
    const int i = fieldIndex(field);
    if (i < 0 || row < 0 || row >= m_lines.size())
        return {};
    return fieldValue(m_lines[row], m_fields[i]);
}

QVariant LineModel::converted(const LineField &field, const QVariant &value, bool *ok) const
{
    *ok = true;
    if (!value.isValid() || value.isNull())
        return {};
    switch (field.kind) {
    case LineField::Text: {
        const QString text = value.toString();
        return field.maxBytes > 0 ? store::gbkTruncate(text, field.maxBytes) : text;
    }
    case LineField::Number: {
        if (value.metaType() == QMetaType::fromType<store::Money>())
            return value.value<store::Money>().toDouble();
        const QString text = value.toString().trimmed();
        if (text.isEmpty())
            return {};
        const double d = text.toDouble(ok);
        return *ok ? QVariant(d) : QVariant();
    }
    case LineField::Money: {
        if (value.metaType() == QMetaType::fromType<store::Money>())
            return value;
        if (value.metaType().id() == QMetaType::Double || value.metaType().id() == QMetaType::Int
            || value.metaType().id() == QMetaType::LongLong)
            return store::Money::fromVariant(value).toVariant();
        const QString text = value.toString().trimmed();
        if (text.isEmpty())
            return {};
        const store::Money m = store::Money::parse(text, ok);
        return *ok ? m.toVariant() : QVariant();
    }
    }
    return {};
}

int LineModel::appendLine(const Line &values)
{
    Line stored;
    for (const LineField &f : m_fields) {
        bool ok = true;
        if (!f.compute && values.contains(f.name))
            stored.insert(f.name, converted(f, values.value(f.name), &ok));
    }
    const int row = int(m_lines.size());
    beginInsertRows({}, row, row);
    m_lines.append(stored);
    endInsertRows();
    return row;
}

void LineModel::setLine(int row, const Line &values)
{
    if (row < 0 || row >= m_lines.size())
        return;
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        const int i = fieldIndex(it.key());
        bool ok = true;
        if (i >= 0 && !m_fields[i].compute)
            m_lines[row].insert(it.key(), converted(m_fields[i], it.value(), &ok));
    }
    emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

bool LineModel::setValue(int row, const QString &field, const QVariant &value)
{
    return setData(index(row, fieldIndex(field)), value, Qt::EditRole);
}

void LineModel::removeLine(int row)
{
    if (row < 0 || row >= m_lines.size())
        return;
    beginRemoveRows({}, row, row);
    m_lines.removeAt(row);
    endRemoveRows();
}

void LineModel::clear()
{
    beginResetModel();
    m_lines.clear();
    endResetModel();
}

double LineModel::sum(const QString &field) const
{
    double total = 0;
    for (int r = 0; r < m_lines.size(); ++r) {
        const QVariant v = value(r, field);
        total += v.metaType() == QMetaType::fromType<store::Money>() ? v.value<store::Money>().toDouble() : v.toDouble();
    }
    return total;
}

store::Money LineModel::moneySum(const QString &field) const
{
    store::Money total;
    for (int r = 0; r < m_lines.size(); ++r)
        total += store::Money::fromVariant(value(r, field));
    return total;
}

int LineModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_lines.size());
}

int LineModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_fields.size());
}

QVariant LineModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_lines.size() || index.column() >= m_fields.size())
        return {};
    const LineField &f = m_fields[index.column()];
    const QVariant v = fieldValue(m_lines[index.row()], f);
    if (role == Qt::DisplayRole)
        return v;
    if (role == Qt::EditRole) {
        // Edited as plain text, so the editor never rounds what it shows.
        if (v.metaType() == QMetaType::fromType<store::Money>()) {
            QString t = v.value<store::Money>().toDecimalString();
            while (t.endsWith(QLatin1Char('0'))) t.chop(1);
            if (t.endsWith(QLatin1Char('.'))) t.chop(1);
            return t;
        }
        return v.isNull() ? QVariant(QString()) : QVariant(v.toString());
    }
    return {};
}

bool LineModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || index.row() >= m_lines.size())
        return false;
    const LineField &f = m_fields[index.column()];
    if (f.compute)
        return false;
    bool ok = true;
    const QVariant v = converted(f, value, &ok);
    if (!ok)
        return false;
    m_lines[index.row()].insert(f.name, v);
    // Computed fields of the line change with it.
    emit dataChanged(this->index(index.row(), 0), this->index(index.row(), columnCount() - 1));
    return true;
}

Qt::ItemFlags LineModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.isValid() && !m_fields[index.column()].compute)
        f |= Qt::ItemIsEditable;
    return f;
}

QVariant LineModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < m_fields.size())
        return m_fields[section].name;
    return QAbstractTableModel::headerData(section, orientation, role);
}

} // namespace shell
