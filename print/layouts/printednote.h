#pragma once
// What every printed note class offers besides its layout: the pages of a note's values
// and lines, and the previewer. A note class derives from PrintedNote<itself> and
// defines `static Report layout();`.
//
//   class TPrintWorkNoteForm : public PrintedNote<TPrintWorkNoteForm> {
//   public:
//       static Report layout();
//   };

#include "print/pagemodel.h"
#include "print/preview.h"
#include "print/rowsource.h"

#include <QList>
#include <QVariantMap>

class QWidget;

namespace print {

template <class Note>
class PrintedNote {
public:
    static PageModel build(const QVariantMap &values, const QList<QVariantMap> &lines)
    {
        return buildPages(Note::layout(), MapRows(lines), values);
    }
    // Shows the previewer (print, zoom, pages) and returns when it is closed.
    static void preview(const PageModel &pages, QWidget *parent) { showPreview(pages, parent); }
};

} // namespace print
