// 超级列表框1 on Qt 6: a table view over the result rows.
//
// Provides:
//  - three fixed columns from RESULT_LIST_COLUMNS, grid lines, full-row single selection,
//    black on white, not editable; the header can be pressed but never sorts or moves
//  - rows in insertion order, held as the CP936 bytes the core gave, so that reading a cell
//    back returns exactly those bytes; they are decoded only when shown
//  - double_clicked(x, y, key_state) for a left double-click anywhere below the header,
//    after the first click has selected the row under the pointer
#pragma once

#include <QAbstractTableModel>
#include <QTableView>

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class result_rows_model final : public QAbstractTableModel {
  public:
    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    int append(std::string_view first_cell);
    void set_text(int row, int column, std::string_view text);
    std::string text(int row, int column) const;
    void clear();

  private:
    std::vector<std::array<std::string, 3>> rows_;
};

class result_list_view final : public QTableView {
    Q_OBJECT

  public:
    explicit result_list_view(QWidget* parent);

    result_rows_model& rows() { return rows_; }

  signals:
    // x and y in the list's client coordinates (inside its edge, header included);
    // key_state adds KEY_STATE_CTRL, KEY_STATE_SHIFT and KEY_STATE_ALT.
    void double_clicked(int x, int y, int key_state);

  protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    result_rows_model rows_;
};
