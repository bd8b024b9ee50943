#pragma once
// The hints of a form's status bar: pointing at a control writes its hint into the hint
// panel. Buttons captioned "新增", "新建", "修改", "删除", "保存", "退出" and "导出" have
// standard hints unless the form gives its own.

#include <QHash>
#include <QObject>
#include <QPointer>

class QLabel;
class QWidget;

namespace shell {

class StatusHints : public QObject {
    Q_OBJECT
public:
    StatusHints(QLabel *panel, QObject *parent = nullptr);

    // The standard hint of a button caption, or an empty text.
    static QString standardHint(const QString &caption);

    void setHint(QWidget *control, const QString &hint);
    // The hint the control shows: its own, else the standard one of its caption.
    QString hint(QWidget *control) const;
    // Gives every button under root without a hint of its own its standard hint.
    void applyStandardHints(QWidget *root);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPointer<QLabel> m_panel;
    QHash<QObject *, QString> m_hints;
};

} // namespace shell
