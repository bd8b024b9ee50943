#include "tests/support/ui/messagerecorder.h"

namespace testsupport::ui {

MessageRecorder::MessageRecorder()
{
    shell::Messages::setTestHook([this](const shell::MessageBoxText &box) {
        m_shown.append(box);
        if (!m_answers.isEmpty())
            return m_answers.dequeue();
        if (box.buttons & QMessageBox::No)
            return QMessageBox::No;
        if (box.buttons & QMessageBox::Cancel)
            return QMessageBox::Cancel;
        return box.defaultButton != QMessageBox::NoButton ? box.defaultButton : QMessageBox::Ok;
    });
}

MessageRecorder::~MessageRecorder()
{
    shell::Messages::setTestHook({});
}

void MessageRecorder::answerNext(QMessageBox::StandardButton button)
{
    m_answers.enqueue(button);
}

QStringList MessageRecorder::texts() const
{
    QStringList list;
    for (const auto &m : m_shown) list.append(m.text);
    return list;
}

QStringList MessageRecorder::captions() const
{
    QStringList list;
    for (const auto &m : m_shown) list.append(m.caption);
    return list;
}

QString MessageRecorder::lastText() const
{
    return m_shown.isEmpty() ? QString() : m_shown.last().text;
}

QString MessageRecorder::lastCaption() const
{
    return m_shown.isEmpty() ? QString() : m_shown.last().caption;
}

} // namespace testsupport::ui
