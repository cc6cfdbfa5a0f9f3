#pragma once
// The preview of a whole batch: every file in the batch's order with its new name, its copy's
// name and a note, from the batch's own plan. The list can be sorted by any column (a second
// click reverses it), narrowed to the files with a note, searched by typing a name's start and
// copied as a table. Closing it changes nothing.

#include "batch/PlanPreview.h"
#include "dialogs/Dialog.h"

#include <cstddef>
#include <string>
#include <vector>

namespace tessaly {

class CPreviewDlg final : public Dialog {
public:
    explicit CPreviewDlg(PlanPreview preview);

    const PlanPreview& preview() const { return preview_; }
    // The rows the list shows, as positions in preview().rows, in the list's order.
    const std::vector<std::size_t>& shown() const { return shown_; }
    // The text of a row of the list in a column of it.
    std::string cell(int row, int column) const;
    // Column titles, as the list shows them.
    std::vector<std::string> columnTitles() const;

    bool OnInitDialog() override;
    bool OnCommand(int id, int code) override;
    bool OnNotify(Notification& notification) override;

private:
    enum class Column { Name, NewName, Copy, Note };

    static const std::string& text(const PreviewRow& row, Column column);
    void SortBy(std::size_t column);
    // The row the user means by typing the start of a name, searching from a row on; -1.
    int FindRow(const std::string& start, int from) const;
    // The rows in the sorted order, narrowed when the filter is on, shown afresh.
    void ShowRows();
    void CopySelectedRows();

    PlanPreview preview_;
    std::vector<Column> columns_;
    std::vector<std::size_t> sorted_; // every row, in the order chosen
    std::vector<std::size_t> shown_;
    std::size_t sortColumn_ = static_cast<std::size_t>(-1); // none: the batch's order
    bool descending_ = false;
};

} // namespace tessaly
