#pragma once
// The line grid of the note forms: an in-memory list of lines edited on screen and written
// to the database only when the note is saved. Fields are text (with a width in GBK
// bytes), numbers or exact money; computed fields derive from the others and cannot be
// edited. The horizontal header gives the field names, so a DataGrid can show it.
//
//   shell::LineModel lines({
//       {"维修项目", LineField::Text, 100},
//       {"工时费", LineField::Money},
//       {"物品数量", LineField::Number},
//       {"物品单价", LineField::Money},
//       {"材料金额合计", LineField::Money, 0, [](const LineModel::Line &l) {
//            return store::Money::fromVariant(l.value("物品单价")).times(l.value("物品数量").toDouble()).toVariant(); }},
//   });

#include <QAbstractTableModel>
#include <QVariantMap>
#include <functional>

namespace store { class Money; }

namespace shell {

struct LineField {
    enum Kind { Text, Number, Money };
    QString name;
    Kind kind = Text;
    int maxBytes = 0;       // Text: at most this many GBK bytes (0: no limit)
    std::function<QVariant(const QVariantMap &line)> compute;   // set: a computed field
};

class LineModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using Line = QVariantMap;

    explicit LineModel(const QList<LineField> &fields, QObject *parent = nullptr);

    const QList<LineField> &fields() const { return m_fields; }
    int fieldIndex(const QString &name) const;

    int lineCount() const { return int(m_lines.size()); }
    // A line with every field, computed ones included.
    Line line(int row) const;
    QList<Line> lines() const;
    QVariant value(int row, const QString &field) const;

    // Values are converted to the field's kind (money to store::Money, numbers to double,
    // text cut to its width); unknown and computed fields are ignored.
    int appendLine(const Line &values);
    void setLine(int row, const Line &values);
    bool setValue(int row, const QString &field, const QVariant &value);
    void removeLine(int row);
    void clear();

    // Sum of a number or money field (computed ones included) over all lines.
    double sum(const QString &field) const;
    store::Money moneySum(const QString &field) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

signals:
    // Any line added, removed or changed: totals need recomputing.
    void linesChanged();

private:
    QVariant converted(const LineField &field, const QVariant &value, bool *ok) const;
    QVariant fieldValue(const Line &stored, const LineField &field) const;
    QList<LineField> m_fields;
    QList<Line> m_lines;    // stored (non-computed) values
};

} // namespace shell
