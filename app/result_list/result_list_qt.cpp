#include "app/result_list/result_list_qt.h"

#include "app/main_window_qt.h"
#include "app/result_list/result_list.h"
#include "app/text_qt.h"

#include <QHeaderView>
#include <QMouseEvent>

namespace {

constexpr int COLUMN_COUNT = static_cast<int>(RESULT_LIST_COLUMNS.size());

bool is_cell(int row, int row_count, int column) {
    return row >= 0 && row < row_count && column >= 0 && column < COLUMN_COUNT;
}

std::int32_t key_state_of(Qt::KeyboardModifiers modifiers) {
    std::int32_t state = 0;
    if (modifiers & Qt::ControlModifier) {
        state |= KEY_STATE_CTRL;
    }
    if (modifiers & Qt::ShiftModifier) {
        state |= KEY_STATE_SHIFT;
    }
    if (modifiers & Qt::AltModifier) {
        state |= KEY_STATE_ALT;
    }
    return state;
}

result_rows_model* the_rows() {
    main_window_qt* window = main_window_qt::instance();
    return window ? &window->result_list()->rows() : nullptr;
}

void set_up_header(QHeaderView& header) {
    header.setSectionsClickable(true);
    header.setSectionsMovable(false);
    header.setSortIndicatorShown(false);
    header.setHighlightSections(false);
    header.setStretchLastSection(false);
    header.setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    for (int column = 0; column < COLUMN_COUNT; ++column) {
        header.resizeSection(column, RESULT_LIST_COLUMNS[static_cast<std::size_t>(column)].width);
    }
}

} // namespace

int result_rows_model::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int result_rows_model::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : COLUMN_COUNT;
}

QVariant result_rows_model::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !is_cell(index.row(), rowCount(), index.column())) {
        return {};
    }
    return qt_from_ansi(text(index.row(), index.column()));
}

QVariant result_rows_model::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= COLUMN_COUNT) {
        return {};
    }
    const list_column& column = RESULT_LIST_COLUMNS[static_cast<std::size_t>(section)];
    if (role == Qt::DisplayRole) {
        return qt_from_ansi(column.title);
    }
    if (role == Qt::TextAlignmentRole) {
        // Any alignment but centre and right counts as left.
        switch (column.alignment) {
        case column_alignment::centre:
            return QVariant::fromValue(Qt::AlignHCenter | Qt::AlignVCenter);
        case column_alignment::right:
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        default:
            return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
        }
    }
    return {};
}

Qt::ItemFlags result_rows_model::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

int result_rows_model::append(std::string_view first_cell) {
    const int row = rowCount();
    beginInsertRows({}, row, row);
    rows_.push_back({std::string(first_cell), std::string(), std::string()});
    endInsertRows();
    return row;
}

void result_rows_model::set_text(int row, int column, std::string_view text) {
    if (!is_cell(row, rowCount(), column)) {
        return;
    }
    rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = up_to_nul(text);
    const QModelIndex cell = index(row, column);
    emit dataChanged(cell, cell, {Qt::DisplayRole});
}

std::string result_rows_model::text(int row, int column) const {
    if (!is_cell(row, rowCount(), column)) {
        return {};
    }
    return rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

void result_rows_model::clear() {
    beginResetModel();
    rows_.clear();
    endResetModel();
}

result_list_view::result_list_view(QWidget* parent) : QTableView(parent), rows_(this) {
    setModel(&rows_);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setSortingEnabled(false);
    setShowGrid(true);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    verticalHeader()->hide();
    // A fixed row height lets the view place 10,000 rows without measuring any of them.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    set_up_header(*horizontalHeader());
}

void result_list_view::mouseDoubleClickEvent(QMouseEvent* event) {
    // The header is a widget of its own, so this sees only the rows and the space below.
    if (event->button() == Qt::LeftButton) {
        const QPoint client = viewport()->mapTo(this, event->position().toPoint()) -
                              QPoint(frameWidth(), frameWidth());
        emit double_clicked(client.x(), client.y(), key_state_of(event->modifiers()));
    }
    QTableView::mouseDoubleClickEvent(event);
}

void list_delete_all() {
    if (result_rows_model* rows = the_rows()) {
        rows->clear();
    }
}

std::int32_t list_insert_item(std::string_view text) {
    result_rows_model* rows = the_rows();
    return rows ? rows->append(up_to_nul(text)) : -1;
}

void list_set_item_text(std::int32_t row, std::int32_t column, std::string_view text) {
    if (result_rows_model* rows = the_rows()) {
        rows->set_text(row, column, text);
    }
}

std::int32_t list_item_count() {
    result_rows_model* rows = the_rows();
    return rows ? rows->rowCount() : 0;
}

std::string list_get_item_text(std::int32_t row, std::int32_t column) {
    result_rows_model* rows = the_rows();
    return rows ? rows->text(row, column) : std::string();
}

std::int32_t list_selected_item() {
    main_window_qt* window = main_window_qt::instance();
    if (!window) {
        return -1;
    }
    const QModelIndexList selected = window->result_list()->selectionModel()->selectedRows();
    return selected.isEmpty() ? -1 : selected.first().row();
}
