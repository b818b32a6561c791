// 超级列表框1 on Qt: its look, the six list operations, and what the user cannot do to it.
#include "app/main_window_qt.h"
#include "app/result_list/result_list.h"
#include "app/result_list/result_list_qt.h"
#include "tests/qt/message_box_watch.h"

#include <QAccessible>
#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QtTest>

#include <memory>

using namespace Qt::StringLiterals;

class result_list_qt_test : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<main_window_qt> window;
    result_list_view* list() const { return window->result_list(); }
    QString shown(int row, int column) const {
        return list()->rows().data(list()->rows().index(row, column), Qt::DisplayRole).toString();
    }
    void add_row(const std::string& id, const std::string& name, const std::string& address) {
        const std::int32_t row = list_insert_item(id);
        list_set_item_text(row, 1, name);
        list_set_item_text(row, 2, address);
    }
    std::vector<std::string> first_column() const {
        std::vector<std::string> ids;
        for (int row = 0; row < list_item_count(); ++row) {
            ids.push_back(list_get_item_text(row, 0));
        }
        return ids;
    }

  private slots:
    void init() {
        window = std::make_unique<main_window_qt>();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
    void cleanup() { window.reset(); }

    void has_three_fixed_columns() {
        QHeaderView* header = list()->horizontalHeader();
        QCOMPARE(list()->rows().columnCount(), 3);
        const int widths[] = {50, 180, 100};
        const QString titles[] = {u"ID"_s, u"歌曲名称"_s, u"歌曲地址"_s};
        for (int column = 0; column < 3; ++column) {
            QCOMPARE(header->sectionSize(column), widths[column]);
            QCOMPARE(list()->rows().headerData(column, Qt::Horizontal, Qt::DisplayRole).toString(),
                     titles[column]);
        }
        QVERIFY(header->isVisible());
        QVERIFY(header->sectionsClickable());
        QVERIFY(!header->sectionsMovable());
        QVERIFY(!header->isSortIndicatorShown());
        QVERIFY(!list()->isSortingEnabled());
        QVERIFY(!list()->verticalHeader()->isVisible());
        QVERIFY(list()->showGrid());
        QCOMPARE(list()->selectionBehavior(), QAbstractItemView::SelectRows);
        QCOMPARE(list()->selectionMode(), QAbstractItemView::SingleSelection);
        QCOMPARE(list()->editTriggers(), QAbstractItemView::NoEditTriggers);
        QCOMPARE(list()->palette().color(QPalette::Text), QColor(0, 0, 0));
        QCOMPARE(list()->palette().color(QPalette::Base), QColor(255, 255, 255));
        const QImage empty = list()->viewport()->grab().toImage();
        QCOMPARE(empty.pixelColor(empty.width() / 2, empty.height() / 2), QColor(255, 255, 255));
    }

    void appends_rows_at_the_end_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("ordinal") << QByteArray("1");
        QTest::newRow("zero sorts first but is appended") << QByteArray("0");
        QTest::newRow("empty") << QByteArray("");
        QTest::newRow("Chinese") << QByteArray("晴天");
    }
    void appends_rows_at_the_end() {
        QFETCH(QByteArray, text);
        add_row("5", "a", "b");
        add_row("9", "c", "d");
        QCOMPARE(list_insert_item(text.toStdString()), 2);
        QCOMPARE(list_item_count(), 3);
        QCOMPARE(list_get_item_text(2, 0), text.toStdString());
        QCOMPARE(list_get_item_text(2, 1), std::string());
        QCOMPARE(list_get_item_text(0, 0), std::string("5"));
    }

    void cells_read_back_byte_for_byte_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("on_screen");
        QTest::newRow("ASCII") << QByteArray("http://a.example/1.mp3")
                               << u"http://a.example/1.mp3"_s;
        QTest::newRow("CP936") << QByteArray("海阔天空（现场版）") << u"海阔天空（现场版）"_s;
        QTest::newRow("not GBK") << QByteArray("a\x80z") << u"a\uFFFDz"_s;
        QTest::newRow("511 bytes") << QByteArray(511, 'x') << QString(511, u'x');
        QTest::newRow("5000 bytes") << QByteArray(5000, 'y') << QString(5000, u'y');
    }
    void cells_read_back_byte_for_byte() {
        QFETCH(QByteArray, text);
        QFETCH(QString, on_screen);
        add_row("1", "", "");
        list_set_item_text(0, 2, text.toStdString());
        QCOMPARE(list_get_item_text(0, 2), text.toStdString());
        QCOMPARE(shown(0, 2), on_screen);
    }

    void setting_column_zero_replaces_the_ordinal() {
        add_row("1", "name", "address");
        list_set_item_text(0, 0, "42");
        QCOMPARE(list_get_item_text(0, 0), std::string("42"));
        QCOMPARE(shown(0, 0), u"42"_s);
        QCOMPARE(list_get_item_text(0, 1), std::string("name"));
    }

    void missing_cells_are_empty_data() {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::newRow("empty list") << 0 << 0 << 2;
        QTest::newRow("row past the end") << 2 << 2 << 0;
        QTest::newRow("negative row") << 2 << -1 << 0;
        QTest::newRow("column 3") << 2 << 0 << 3;
        QTest::newRow("negative column") << 2 << 0 << -1;
    }
    void missing_cells_are_empty() {
        QFETCH(int, rows);
        QFETCH(int, row);
        QFETCH(int, column);
        for (int i = 0; i < rows; ++i) {
            add_row(std::to_string(i + 1), "n", "a");
        }
        list_set_item_text(row, column, "ignored");
        QCOMPARE(list_get_item_text(row, column), std::string());
        QCOMPARE(list_item_count(), rows);
    }

    void delete_all_removes_rows_and_selection() {
        add_row("1", "a", "x");
        add_row("2", "b", "y");
        list()->selectRow(1);
        QCOMPARE(list_selected_item(), 1);
        list_delete_all();
        QCOMPARE(list_item_count(), 0);
        QCOMPARE(list_selected_item(), -1);
        QCOMPARE(list_insert_item("1"), 0);
    }

    void one_row_at_most_is_selected() {
        for (int i = 0; i < 4; ++i) {
            add_row(std::to_string(i + 1), "n", "a");
        }
        QCOMPARE(list_selected_item(), -1);
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {},
                          list()->visualRect(list()->rows().index(1, 1)).center());
        QCOMPARE(list_selected_item(), 1);
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, Qt::ShiftModifier,
                          list()->visualRect(list()->rows().index(3, 0)).center());
        QCOMPARE(list()->selectionModel()->selectedRows().size(), 1);
        QCOMPARE(list_selected_item(), 3);
    }

    void header_clicks_never_reorder_rows() {
        add_row("2", "b", "z");
        add_row("1", "c", "y");
        add_row("3", "a", "x");
        const std::vector<std::string> before = first_column();
        QHeaderView* header = list()->horizontalHeader();
        for (int column = 0; column < 3; ++column) {
            const QPoint centre(header->sectionViewportPosition(column) + 10, header->height() / 2);
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, centre);
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, centre);
            QCOMPARE(first_column(), before);
        }
        QCOMPARE(header->visualIndex(0), 0);
        QCOMPARE(header->visualIndex(2), 2);
    }

    void cells_cannot_be_edited() {
        add_row("1", "name", "address");
        list()->setFocus();
        list()->setCurrentIndex(list()->rows().index(0, 1));
        QTest::keyClick(list(), Qt::Key_F2);
        message_box_watch watch; // the double-click also copies the address
        QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {},
                           list()->visualRect(list()->rows().index(0, 1)).center());
        QVERIFY(list()->findChildren<QLineEdit*>().isEmpty());
        QVERIFY(!(list()->rows().flags(list()->rows().index(0, 1)) & Qt::ItemIsEditable));
    }

    void rows_are_readable_by_assistive_tools() {
        add_row("1", "晴天", "http://a.example/1.mp3");
        add_row("2", "", "http://a.example/2.mp3");
        QAccessibleInterface* table = QAccessible::queryAccessibleInterface(list());
        QVERIFY(table);
        QCOMPARE(table->text(QAccessible::Name), u"超级列表框1"_s);
        QAccessibleTableInterface* cells = table->tableInterface();
        QVERIFY(cells);
        QCOMPARE(cells->rowCount(), 2);
        QCOMPARE(cells->columnCount(), 3);
        QCOMPARE(cells->cellAt(0, 1)->text(QAccessible::Name), u"晴天"_s);
        QCOMPARE(cells->cellAt(1, 2)->text(QAccessible::Name), u"http://a.example/2.mp3"_s);
        QCOMPARE(cells->columnDescription(1), u"歌曲名称"_s);
    }
};

QTEST_MAIN(result_list_qt_test)
#include "result_list_qt_test.moc"
