#include "dialogs/PreviewDlg.h"

#include "naming/CaseFolding.h"
#include "platform/Utf16.h"
#include "resources/ResourceIds.h"

#include <algorithm>
#include <functional>
#include <numeric>
#include <utility>

namespace tessaly {

namespace {

constexpr int kVirtualKeyA = 'A';
constexpr int kVirtualKeyC = 'C';
// The texts of a column measured to fit it: the longest few, since a longer text is not always
// wider.
constexpr std::size_t kMeasured = 8;

// A cell as a table cell: tabs and line ends would start another one.
std::string tableCell(const std::string& text) {
    std::string cell = text;
    for (char& c : cell)
        if (c == '\t' || c == '\r' || c == '\n')
            c = ' ';
    return cell;
}

} // namespace

CPreviewDlg::CPreviewDlg(PlanPreview preview)
    : Dialog(IDD_PREVIEW), preview_(std::move(preview)), sorted_(preview_.rows.size()) {
    columns_.push_back(Column::Name);
    if (preview_.rename)
        columns_.push_back(Column::NewName);
    if (preview_.resize)
        columns_.push_back(Column::Copy);
    columns_.push_back(Column::Note);
    std::iota(sorted_.begin(), sorted_.end(), std::size_t{0});
}

const std::string& CPreviewDlg::text(const PreviewRow& row, Column column) {
    switch (column) {
    case Column::NewName:
        return row.newName;
    case Column::Copy:
        return row.copyName;
    case Column::Note:
        return row.note;
    case Column::Name:
    default:
        return row.name;
    }
}

std::vector<std::string> CPreviewDlg::columnTitles() const {
    std::vector<std::string> titles;
    for (const Column column : columns_)
        titles.push_back(column == Column::Name      ? "Name"
                         : column == Column::NewName ? "New name"
                         : column == Column::Copy    ? "Copy"
                                                     : "Note");
    return titles;
}

std::string CPreviewDlg::cell(int row, int column) const {
    if (row < 0 || static_cast<std::size_t>(row) >= shown_.size() || column < 0 ||
        static_cast<std::size_t>(column) >= columns_.size())
        return std::string();
    return text(preview_.rows[shown_[static_cast<std::size_t>(row)]],
                columns_[static_cast<std::size_t>(column)]);
}

bool CPreviewDlg::OnInitDialog() {
    controls().setText(IDC_PREVIEW_SUMMARY, preview_.summary);
    controls().setListColumns(IDC_PREVIEW_LIST, columnTitles());
    ShowRows();
    for (std::size_t c = 0; c < columns_.size(); ++c) {
        // Lengths in UTF-16 units, as the list measures its texts.
        std::vector<std::pair<std::size_t, std::size_t>> lengths;
        lengths.reserve(preview_.rows.size());
        for (std::size_t r = 0; r < preview_.rows.size(); ++r)
            lengths.emplace_back(utf16Length(text(preview_.rows[r], columns_[c])), r);
        const std::size_t measured = std::min(kMeasured, lengths.size());
        std::partial_sort(lengths.begin(), lengths.begin() + static_cast<std::ptrdiff_t>(measured),
                          lengths.end(), std::greater<>());
        std::vector<std::string> widest;
        for (std::size_t k = 0; k < measured; ++k)
            widest.push_back(text(preview_.rows[lengths[k].second], columns_[c]));
        controls().fitListColumn(IDC_PREVIEW_LIST, static_cast<int>(c), widest);
    }
    controls().anchor(IDC_PREVIEW_SUMMARY, edge::Left | edge::Top | edge::Right);
    controls().anchor(IDC_PREVIEW_LIST, edge::Left | edge::Top | edge::Right | edge::Bottom);
    controls().anchor(IDC_PREVIEW_NOTED, edge::Left | edge::Bottom);
    controls().anchor(IDC_OK, edge::Right | edge::Bottom);
    controls().setFocus(IDC_PREVIEW_LIST);
    return false; // the focus stays in the list
}

bool CPreviewDlg::OnCommand(int id, int code) {
    if (id == IDC_PREVIEW_NOTED && code == notify::ButtonClicked) {
        ShowRows();
        return true;
    }
    return Dialog::OnCommand(id, code);
}

bool CPreviewDlg::OnNotify(Notification& notification) {
    if (notification.id != IDC_PREVIEW_LIST)
        return false;
    switch (notification.code) {
    case notify::ListGetText:
        notification.text = cell(notification.row, notification.column);
        return true;
    case notify::ListColumnClick:
        if (notification.column >= 0)
            SortBy(static_cast<std::size_t>(notification.column));
        return true;
    case notify::ListFindRow:
        notification.result = FindRow(notification.text, notification.row);
        return true;
    case notify::ListKeyDown:
        if (notification.control && notification.key == kVirtualKeyA)
            controls().selectAllListRows(IDC_PREVIEW_LIST);
        else if (notification.control && notification.key == kVirtualKeyC)
            CopySelectedRows();
        return true;
    default:
        return false;
    }
}

void CPreviewDlg::SortBy(std::size_t column) {
    if (column >= columns_.size())
        return;
    descending_ = column == sortColumn_ && !descending_;
    sortColumn_ = column;
    const Column by = columns_[column];
    // Equal texts keep the batch's order, in either direction.
    std::iota(sorted_.begin(), sorted_.end(), std::size_t{0});
    std::stable_sort(sorted_.begin(), sorted_.end(), [&](std::size_t a, std::size_t b) {
        const int order =
            compareIgnoringCase(text(preview_.rows[a], by), text(preview_.rows[b], by));
        return descending_ ? order > 0 : order < 0;
    });
    controls().markListSort(IDC_PREVIEW_LIST, static_cast<int>(column), descending_);
    ShowRows();
}

int CPreviewDlg::FindRow(const std::string& start, int from) const {
    // From the row given, round to it again, by the first column as it shows.
    const std::size_t count = shown_.size();
    const std::size_t first =
        from >= 0 && static_cast<std::size_t>(from) < count ? static_cast<std::size_t>(from) : 0;
    for (std::size_t k = 0; k < count; ++k) {
        const std::size_t row = (first + k) % count;
        const std::string& name = text(preview_.rows[shown_[row]], columns_.front());
        if (compareIgnoringCase(name.substr(0, start.size()), start) == 0)
            return static_cast<int>(row);
    }
    return -1;
}

void CPreviewDlg::ShowRows() {
    const bool notedOnly = controls().isChecked(IDC_PREVIEW_NOTED);
    shown_.clear();
    for (const std::size_t r : sorted_)
        if (!notedOnly || !preview_.rows[r].note.empty())
            shown_.push_back(r);
    controls().setListRowCount(IDC_PREVIEW_LIST, static_cast<int>(shown_.size()));
}

void CPreviewDlg::CopySelectedRows() {
    // A table for a spreadsheet: a header line, then a line a row, cells between tabs.
    std::string table;
    const std::vector<std::string> titles = columnTitles();
    for (std::size_t c = 0; c < titles.size(); ++c)
        table += (c == 0 ? "" : "\t") + titles[c];
    table += "\r\n";
    for (const int row : controls().selectedListRows(IDC_PREVIEW_LIST)) {
        for (std::size_t c = 0; c < columns_.size(); ++c)
            table += (c == 0 ? "" : "\t") + tableCell(cell(row, static_cast<int>(c)));
        table += "\r\n";
    }
    controls().copyToClipboard(table);
}

} // namespace tessaly
