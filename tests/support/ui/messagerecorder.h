#pragma once
// Answers and records every message box while it lives, instead of showing them.
//
//   testsupport::ui::MessageRecorder messages;
//   messages.answerNext(QMessageBox::Yes);          // the next question gets "是"
//   ui::click(form, "删除");
//   QCOMPARE(messages.lastText(), "若删除部门,可能会影响整个系统使用！小心删除！");

#include "shell/common/messages.h"

#include <QList>
#include <QQueue>
#include <QStringList>

namespace testsupport::ui {

class MessageRecorder {
public:
    MessageRecorder();
    ~MessageRecorder();
    MessageRecorder(const MessageRecorder &) = delete;
    MessageRecorder &operator=(const MessageRecorder &) = delete;

    // The answer to the next box; without one a box gets its default button
    // (or "否"/"取消" for a question without a default).
    void answerNext(QMessageBox::StandardButton button);

    const QList<shell::MessageBoxText> &shown() const { return m_shown; }
    QStringList texts() const;
    QStringList captions() const;
    QString lastText() const;
    QString lastCaption() const;
    int count() const { return int(m_shown.size()); }
    void clear() { m_shown.clear(); }

private:
    QList<shell::MessageBoxText> m_shown;
    QQueue<QMessageBox::StandardButton> m_answers;
};

} // namespace testsupport::ui
