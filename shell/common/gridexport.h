#pragma once
// Export of a grid to a spreadsheet: row 1 holds the titles of the shown columns, packed
// to the left; then one row per record with each cell's display text (figures stay
// numbers, shown as on screen). The workbook is written as an .xlsx file and opened with
// the desktop's spreadsheet program. An empty grid is refused with the form's message;
// afterwards the grid stands on its last record.
//
//   void TFindFeeNoteForm::exportClicked() {
//       shell::exportGrid(m_grid);       // the standard texts
//   }

#include <QString>
#include <functional>

class QWidget;

namespace shell {

class DataGrid;

struct ExportOptions {
    QString emptyMessage = QStringLiteral("没有记录可以导出,谢谢合作!");
    // Shown when the file cannot be written or no program opens it. Forms use one of
    // "错误，请确认已经安装EXCEL电子表格软件.", "错误，请确认已经安装EXCEL",
    // "错误，请确认已经安装EXCEL2000以上程序!".
    QString errorText = QStringLiteral("错误，请确认已经安装EXCEL电子表格软件.");
    QString filePath;       // empty: a new file in exportFolder() named after the form
};

enum class ExportResult { Empty, WriteFailed, OpenFailed, Opened };

ExportResult exportGrid(DataGrid *grid, const ExportOptions &options = {});

// Writes the grid to path without any message. progress(rowsWritten) may return false
// to stop (the rows so far stay in the file). A sheet holds at most 1,048,575 records.
struct WorkbookResult {
    bool written = false;
    QString error;          // why it was not written
    int rows = 0;           // records written
    bool truncated = false; // stopped by the user or by the sheet's size
};
WorkbookResult writeGridWorkbook(DataGrid *grid, const QString &path, const std::function<bool(int)> &progress = {});

// Where exported files go: "导出数据" in the user's documents folder.
QString exportFolder();

// Opens a written file with the desktop's program for it. Tests replace it.
using FileOpener = std::function<bool(const QString &path)>;
void setFileOpener(FileOpener opener);   // empty: the desktop's own

} // namespace shell
