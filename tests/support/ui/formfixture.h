#pragma once
// A UI test's world: a fresh blank database set as the program's connection, a logged-in
// operator of the chosen code and category, recorded message boxes, and an owner window
// that forms open over.
//
//   testsupport::ui::FormFixture f("000101", "操作员");
//   f.grant("部门信息设置");
//   QDialog *form = f.open("部门信息设置");
//   ui::click(form, "删除");
//   QCOMPARE(f.messages().lastText(), "只有经理或管理员才能删除部门!");

#include "shell/common/operatorcontext.h"
#include "tests/support/testdb.h"
#include "tests/support/ui/messagerecorder.h"

#include <QMainWindow>
#include <memory>

class QDialog;

namespace testsupport::ui {

class FormFixture {
public:
    // The super-user "000000" of the blank database, or another operator, which is added
    // to 操作员信息表 of the head office when missing.
    explicit FormFixture(const QString &operatorCode = QStringLiteral("000000"),
                         const QString &category = QStringLiteral("管理员"),
                         const QString &name = QStringLiteral("管理员"));
    ~FormFixture();

    store::Db &db() { return m_database.db(); }
    TestDatabase &database() { return m_database; }
    const shell::OperatorContext &operatorContext() const { return m_operator; }
    MessageRecorder &messages() { return m_messages; }
    // The window forms are opened over (stands in for the main window).
    QWidget *owner() { return m_owner.get(); }

    // Gives the operator the right to a function name (权限信息表).
    void grant(const QString &functionName);

    // Creates the form of a function name over the owner and shows it (not blocking).
    // nullptr for an unknown name.
    QDialog *open(const QString &functionName);
    // Shows a form made by the test.
    template <class Form> Form *show(Form *form)
    {
        showForm(form);
        return form;
    }

private:
    void showForm(QWidget *form);
    TestDatabase m_database;
    shell::OperatorContext m_operator;
    MessageRecorder m_messages;
    std::unique_ptr<QMainWindow> m_owner;
};

} // namespace testsupport::ui
