#include "shell/common/statushints.h"

#include <QAbstractButton>
#include <QEvent>
#include <QLabel>

namespace shell {

StatusHints::StatusHints(QLabel *panel, QObject *parent) : QObject(parent), m_panel(panel) {}

QString StatusHints::standardHint(const QString &caption)
{
    static const QHash<QString, QString> hints = {
        {QStringLiteral("新增"), QStringLiteral("按下本按钮将新建!")},
        {QStringLiteral("新建"), QStringLiteral("按下本按钮将新建!")},
        {QStringLiteral("修改"), QStringLiteral("按下本按钮将修改!")},
        {QStringLiteral("删除"), QStringLiteral("按下本按钮将删除!")},
        {QStringLiteral("保存"), QStringLiteral("按下本按钮将保存!")},
        {QStringLiteral("退出"), QStringLiteral("按下本按钮将退出!")},
        {QStringLiteral("导出"), QStringLiteral("按下本按钮将当前窗口的数据导出至EXCEL中!")},
    };
    QString plain = caption;
    plain.remove(QLatin1Char('&'));
    return hints.value(plain.trimmed());
}

void StatusHints::setHint(QWidget *control, const QString &hint)
{
    if (!m_hints.contains(control)) {
        control->installEventFilter(this);
        connect(control, &QObject::destroyed, this, [this](QObject *o) { m_hints.remove(o); });
    }
    m_hints.insert(control, hint);
}

QString StatusHints::hint(QWidget *control) const
{
    if (m_hints.contains(control))
        return m_hints.value(control);
    if (auto *button = qobject_cast<QAbstractButton *>(control))
        return standardHint(button->text());
    return {};
}

void StatusHints::applyStandardHints(QWidget *root)
{
    for (QAbstractButton *button : root->findChildren<QAbstractButton *>()) {
        if (m_hints.contains(button))
            continue;
        const QString h = standardHint(button->text());
        if (!h.isEmpty())
            setHint(button, h);
    }
}

bool StatusHints::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Enter && m_panel && m_hints.contains(watched))
        m_panel->setText(m_hints.value(watched));
    return QObject::eventFilter(watched, event);
}

} // namespace shell
