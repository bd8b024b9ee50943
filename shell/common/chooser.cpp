#include "shell/common/chooser.h"
#include "shell/common/datagrid.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace shell {

void setBoxText(QWidget *box, const QString &text)
{
    if (auto *edit = qobject_cast<QLineEdit *>(box)) {
        edit->setText(text);
    } else if (auto *combo = qobject_cast<QComboBox *>(box)) {
        const int i = combo->findText(text);
        if (i >= 0)
            combo->setCurrentIndex(i);
        else if (combo->isEditable())
            combo->setEditText(text);
    } else if (auto *label = qobject_cast<QLabel *>(box)) {
        label->setText(text);
    } else if (auto *plain = qobject_cast<QPlainTextEdit *>(box)) {
        plain->setPlainText(text);
    }
}

ChooserForm::ChooserForm(QWidget *opener, const QString &title, const QString &valueField,
                         const QList<ChooserTarget> &targets)
    : FunctionForm(opener, title), m_opener(opener), m_valueField(valueField), m_targets(targets)
{
    auto *layout = new QVBoxLayout(body());
    m_grid = new DataGrid(body());
    m_grid->setAccessibleName(title);
    layout->addWidget(m_grid);
    m_choose = addButton(QStringLiteral("选择"));
    m_exit = addExitButton();
    connect(m_choose, &QPushButton::clicked, this, &ChooserForm::choose);
    connect(m_grid, &DataGrid::rowActivated, this, &ChooserForm::choose);
}

const ChooserTarget *ChooserForm::targetFor(const QList<ChooserTarget> &targets, const QString &tag)
{
    for (const ChooserTarget &t : targets)
        if (t.tag == tag)
            return &t;
    return nullptr;
}

bool ChooserForm::choose()
{
    const ChooserTarget *target = targetFor(m_targets, m_tag);
    if (!target || !m_opener || m_grid->isEmpty())
        return false;
    const int row = m_grid->currentRow() >= 0 ? m_grid->currentRow() : 0;
    const QVariantMap values = m_grid->rowValues(row);
    QWidget *box = target->box.isEmpty() ? nullptr : m_opener->findChild<QWidget *>(target->box);
    if (box)
        setBoxText(box, m_grid->value(row, m_valueField).toString());
    if (target->extra)
        target->extra(m_opener, values);
    if (box) {
        if (target->followUp == ChooserTarget::FocusBox) {
            box->setFocus(Qt::OtherFocusReason);
        } else if (target->followUp == ChooserTarget::FocusNext) {
            if (auto *form = qobject_cast<FunctionForm *>(box->window()))
                form->focusNextAfter(box);
        }
    }
    accept();
    return true;
}

} // namespace shell
