#pragma once
// A chooser (pick-list form): a grid of rows, "选择" and "退出". "选择" or a double-click
// hands the current row's value back to the form that opened it: the caller tag, set by
// the opener before showing the chooser, is looked up (exactly, case-sensitively) in the
// chooser's table, whose entry names the opener's box (by object name) and the follow-up.
// An unknown tag does nothing and the chooser stays open.
//
//   const QList<shell::ChooserTarget> deptTargets = {
//       {"收费查询", "deptBox"},
//       {"物品入库", "supplierBox", shell::ChooserTarget::FocusNext},
//       {"物品入库统计", "fromBox", shell::ChooserTarget::FocusBox},
//   };
//   auto *chooser = new TListDeptForm(this);     // a ChooserForm with deptTargets
//   chooser->setCallerTag("收费查询");
//   chooser->exec();

#include "shell/common/formframe.h"

#include <QPointer>
#include <QVariantMap>
#include <functional>

class QPushButton;

namespace shell {

class DataGrid;

struct ChooserTarget {
    enum FollowUp {
        None,       // the value is written, nothing else
        FocusBox,   // the box gets the focus
        FocusNext,  // the focus moves to the box after it in the opener's Enter chain
    };
    QString tag;
    QString box;            // object name of the opener's box; empty: no box
    FollowUp followUp = None;
    // Anything more the opener needs from the picked row (e.g. a new operator code).
    std::function<void(QWidget *opener, const QVariantMap &row)> extra;
};

class ChooserForm : public FunctionForm {
    Q_OBJECT
public:
    ChooserForm(QWidget *opener, const QString &title, const QString &valueField,
                const QList<ChooserTarget> &targets);

    void setCallerTag(const QString &tag) { m_tag = tag; }
    QString callerTag() const { return m_tag; }

    DataGrid *grid() const { return m_grid; }
    QPushButton *chooseButton() const { return m_choose; }
    QPushButton *exitButton() const { return m_exit; }
    QWidget *opener() const { return m_opener; }

    // "选择": hands the current row (the first row when none is current) back and closes.
    // False, and the chooser stays open, for an unknown tag or an empty list.
    bool choose();

    static const ChooserTarget *targetFor(const QList<ChooserTarget> &targets, const QString &tag);

private:
    QPointer<QWidget> m_opener;
    QString m_valueField;
    QList<ChooserTarget> m_targets;
    QString m_tag;
    DataGrid *m_grid;
    QPushButton *m_choose;
    QPushButton *m_exit;
};

// Puts text into a box of any kind (line edit, drop-down, label, date box).
void setBoxText(QWidget *box, const QString &text);

} // namespace shell
