#pragma once
// The print previewer of printed notes and reports: page navigation, zoom and print.

#include "print/pagemodel.h"

#include <QPrintPreviewDialog>
#include <memory>

class QPrinter;

namespace print {

namespace detail {
// Owns the printer so that it outlives the previewer built on it.
struct PrinterHolder {
    std::unique_ptr<QPrinter> ownedPrinter;
    explicit PrinterHolder(const PageModel &model);
    ~PrinterHolder();
};
} // namespace detail

class PreviewDialog : private detail::PrinterHolder, public QPrintPreviewDialog {
public:
    explicit PreviewDialog(PageModel model, QWidget *parent = nullptr);
    const PageModel &model() const { return m_model; }

private:
    PageModel m_model;
};

// Shows the pages in the previewer and returns when it is closed. Does nothing for a
// report without pages (one that is not printed when empty).
void showPreview(const PageModel &model, QWidget *parent = nullptr);

// Sends the pages straight to the system's default printer, without a preview.
// False with a message when there is no printer.
bool printToDefaultPrinter(const PageModel &model, QString *error = nullptr);

} // namespace print
