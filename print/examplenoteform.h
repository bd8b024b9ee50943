#pragma once
// A small form that shows the example note in the previewer or writes it as PDF,
// for trying the report layer by hand (juncheng-print-example).

#include <QDialog>

class QSpinBox;

namespace print {

class ExampleNoteForm : public QDialog {
    Q_OBJECT
public:
    explicit ExampleNoteForm(QWidget *parent = nullptr);

private:
    void previewNote();
    void exportPdf();
    QSpinBox *m_lines;
};

} // namespace print
