// The Qt main window as a user meets it: its look, the keyboard, the clear button, the
// double-click on the list and a search through the sample server.
#include "tests/qt/message_box_watch.h"

#include "app/main_window.h"
#include "app/main_window_qt.h"
#include "app/result_list/result_list.h"
#include "app/result_list/result_list_qt.h"
#include "app/text_qt.h"

#include <QAccessible>
#include <QCheckBox>
#include <QClipboard>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

QWidget* widget(const main_window_qt& window, control_id id) {
    return window.control(id);
}

QString control_name(control_id id) {
    return qt_from_ansi(description_of(id).name);
}

// What a stray key could change, in one comparable value.
struct window_state {
    QString number, status;
    bool ticked;
    int rows;
    QString focus;
    bool visible;
    friend bool operator==(const window_state&, const window_state&) = default;
};

} // namespace

class main_window_qt_test : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<main_window_qt> window;

    QWindow* handle() const { return window->windowHandle(); }
    QLineEdit* number_box() const {
        return static_cast<QLineEdit*>(widget(*window, control_id::编辑框_QQ号码));
    }
    QLabel* status_label() const {
        return static_cast<QLabel*>(widget(*window, control_id::标签_状态));
    }
    QCheckBox* check_box() const {
        return static_cast<QCheckBox*>(widget(*window, control_id::选择框1));
    }
    result_list_view* list() const { return window->result_list(); }

    QString focused_name() const {
        QWidget* focus = QApplication::focusWidget();
        return focus ? focus->objectName() : QString();
    }
    window_state state() const {
        return {number_box()->text(), status_label()->text(), check_box()->isChecked(),
                list_item_count(),    focused_name(),         window->isVisible()};
    }
    void focus(control_id id) {
        widget(*window, id)->setFocus(Qt::OtherFocusReason);
        QCOMPARE(focused_name(), control_name(id));
    }
    void click(control_id id) {
        QWidget* target = widget(*window, id);
        QTest::mouseClick(handle(), Qt::LeftButton, {},
                          target->mapTo(window.get(), target->rect().center()));
    }
    // Through the window, so that Qt detects the double-click itself from two clicks.
    void double_click_list_at(QPoint in_viewport, Qt::KeyboardModifiers modifiers = {}) {
        QTest::mouseDClick(handle(), Qt::LeftButton, modifiers,
                           list()->viewport()->mapTo(window.get(), in_viewport));
    }
    QPoint centre_of_row(int row) const {
        return list()->visualRect(list()->rows().index(row, 1)).center();
    }
    void fill_rows(int count) {
        list_delete_all();
        for (int row = 0; row < count; ++row) {
            const std::string id = std::to_string(row + 1);
            list_insert_item(id);
            list_set_item_text(row, 1, "歌曲" + id);
            list_set_item_text(row, 2, "http://stream.music.example/" + id + ".mp3");
        }
    }
    void search_for(const QString& number) {
        number_box()->clear();
        QTest::keyClicks(number_box(), number);
        click(control_id::按钮_搜索);
    }

  private slots:
    void init() {
        window = std::make_unique<main_window_qt>();
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QGuiApplication::clipboard()->setText(u"before"_s);
    }
    void cleanup() { window.reset(); }

    void opens_centred_with_a_fixed_outer_size() {
        QCOMPARE(window->windowTitle(), u"Sonvale-Brackwen"_s);
        // Offscreen windows have no frame, so all of the outer size is client area.
        QCOMPARE(window->frameGeometry().size(), QSize(337, 443));
        QCOMPARE(window->minimumSize(), window->maximumSize());
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QCOMPARE(window->frameGeometry().topLeft(),
                 screen.topLeft() +
                     QPoint((screen.width() - 337) / 2, (screen.height() - 443) / 2));
        const Qt::WindowFlags flags = window->windowFlags();
        QVERIFY(flags & Qt::WindowMinimizeButtonHint);
        QVERIFY(flags & Qt::WindowCloseButtonHint);
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
        QVERIFY(!window->windowIcon().isNull());
    }

    void places_the_controls_of_the_table_in_creation_order() {
        const QObjectList children = window->children();
        int previous = -1;
        for (const control_description& description : MAIN_WINDOW_CONTROLS) {
            QWidget* control = widget(*window, description.id);
            QCOMPARE(control->objectName(), qt_from_ansi(description.name));
            QCOMPARE(control->geometry(), QRect(description.left, description.top,
                                                description.width, description.height));
            QVERIFY(control->isVisible());
            QVERIFY(control->isEnabled());
            // Later siblings paint over earlier ones, so creation order is stacking order.
            const auto position = static_cast<int>(children.indexOf(control));
            QVERIFY2(position > previous, qPrintable(control->objectName()));
            previous = position;
        }
    }

    void starts_with_the_texts_of_the_table() {
        QCOMPARE(static_cast<QLabel*>(widget(*window, control_id::标签1))->text(), u"QQ号码："_s);
        QCOMPARE(static_cast<QLabel*>(widget(*window, control_id::标签2))->text(),
                 u"提示：双击列表可 复制歌曲地址..."_s);
        QCOMPARE(static_cast<QPushButton*>(widget(*window, control_id::按钮_搜索))->text(),
                 u"点我搜索"_s);
        QCOMPARE(static_cast<QPushButton*>(widget(*window, control_id::按钮_清空号码))->text(),
                 u"清空号码"_s);
        QCOMPARE(check_box()->text(), u"提示地址"_s);
        QVERIFY(check_box()->isChecked());
        QCOMPARE(number_box()->text(), QString());
        QCOMPARE(status_label()->text(), QString());
        QCOMPARE(list_item_count(), 0);
        QCOMPARE(focused_name(), control_name(control_id::编辑框_QQ号码));
    }

    void labels_paint_their_text_in_their_colour_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("标签1") << int(control_id::标签1) << QColor(0, 0, 0);
        QTest::newRow("标签_状态") << int(control_id::标签_状态) << QColor(0, 128, 0);
        QTest::newRow("标签2") << int(control_id::标签2) << QColor(0, 0, 255);
    }
    void labels_paint_their_text_in_their_colour() {
        QFETCH(int, id);
        QFETCH(QColor, colour);
        auto* label = static_cast<QLabel*>(widget(*window, static_cast<control_id>(id)));
        QCOMPARE(label->focusPolicy(), Qt::NoFocus);
        label->setText(u"一共搜索到 [6]首歌曲..."_s);
        const QImage image = label->grab().toImage();
        const QColor face = window->palette().color(QPalette::Window);
        QCOMPARE(image.pixelColor(image.width() - 1, 0), face);
        // The inkiest pixel of the text is the text colour; edges are blended with the face.
        QColor inkiest = face;
        int farthest = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QColor pixel = image.pixelColor(x, y);
                const int distance = std::abs(pixel.red() - face.red()) +
                                     std::abs(pixel.green() - face.green()) +
                                     std::abs(pixel.blue() - face.blue());
                if (distance > farthest) {
                    farthest = distance;
                    inkiest = pixel;
                }
            }
        }
        const int off = std::abs(inkiest.red() - colour.red()) +
                        std::abs(inkiest.green() - colour.green()) +
                        std::abs(inkiest.blue() - colour.blue());
        QVERIFY2(off <= 24, qPrintable(inkiest.name() + u" for "_s + colour.name()));
    }

    void edit_box_and_buttons_are_plain() {
        QCOMPARE(number_box()->palette().color(QPalette::Text), QColor(0, 0, 0));
        QCOMPARE(number_box()->palette().color(QPalette::Base), QColor(255, 255, 255));
        const QString long_number(40000, u'7');
        number_box()->setText(long_number);
        QCOMPARE(control_get_text(control_id::编辑框_QQ号码).size(), std::size_t{40000});
        for (control_id id : {control_id::按钮_搜索, control_id::按钮_清空号码}) {
            auto* button = static_cast<QPushButton*>(widget(*window, id));
            QVERIFY(!button->isDefault());
            QVERIFY(!button->autoDefault());
        }
    }

    void accessibility_names_the_controls() {
        QAccessibleInterface* frame = QAccessible::queryAccessibleInterface(window.get());
        QCOMPARE(frame->role(), QAccessible::Window);
        QCOMPARE(frame->childCount(), CONTROL_COUNT);
        QCOMPARE(number_box()->accessibleName(), control_name(control_id::编辑框_QQ号码));
        QCOMPARE(list()->accessibleName(), control_name(control_id::超级列表框1));
        for (const control_description& description : MAIN_WINDOW_CONTROLS) {
            QCOMPARE(widget(*window, description.id)->accessibleDescription(),
                     qt_from_ansi(description.name));
        }
    }

    void tab_walks_the_ring_data() {
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<bool>("search_disabled");
        QTest::addColumn<QStringList>("expected");
        const QString edit = control_name(control_id::编辑框_QQ号码);
        const QString search = control_name(control_id::按钮_搜索);
        const QString list = control_name(control_id::超级列表框1);
        const QString clear = control_name(control_id::按钮_清空号码);
        const QString box = control_name(control_id::选择框1);
        QTest::newRow("Tab") << Qt::KeyboardModifiers() << false
                             << QStringList{search, list, clear, box, edit, search};
        QTest::newRow("Shift+Tab") << Qt::KeyboardModifiers(Qt::ShiftModifier) << false
                                   << QStringList{box, clear, list, search, edit, box};
        QTest::newRow("Tab, search disabled")
            << Qt::KeyboardModifiers() << true << QStringList{list, clear, box, edit, list};
        QTest::newRow("Shift+Tab, search disabled")
            << Qt::KeyboardModifiers(Qt::ShiftModifier) << true
            << QStringList{box, clear, list, edit, box};
    }
    void tab_walks_the_ring() {
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(bool, search_disabled);
        QFETCH(QStringList, expected);
        control_set_disabled(control_id::按钮_搜索, search_disabled);
        focus(control_id::编辑框_QQ号码);
        const Qt::Key key = modifiers & Qt::ShiftModifier ? Qt::Key_Backtab : Qt::Key_Tab;
        QStringList visited;
        for (qsizetype step = 0; step < expected.size(); ++step) {
            QTest::keyClick(handle(), key, modifiers);
            visited << focused_name();
        }
        QCOMPARE(visited, expected);
    }

    void escape_closes_from_any_control_data() {
        QTest::addColumn<int>("id");
        for (const control_id id : TAB_RING) {
            QTest::addRow("control %d", int(id)) << int(id);
        }
    }
    void escape_closes_from_any_control() {
        QFETCH(int, id);
        focus(static_cast<control_id>(id));
        QTest::keyClick(handle(), Qt::Key_Escape);
        QVERIFY(!window->isVisible());
    }

    void escape_with_a_modifier_does_not_close_data() {
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::newRow("Ctrl") << Qt::KeyboardModifiers(Qt::ControlModifier);
        QTest::newRow("Shift") << Qt::KeyboardModifiers(Qt::ShiftModifier);
        QTest::newRow("Alt") << Qt::KeyboardModifiers(Qt::AltModifier);
    }
    void escape_with_a_modifier_does_not_close() {
        QFETCH(Qt::KeyboardModifiers, modifiers);
        for (const control_id id : {control_id::编辑框_QQ号码, control_id::超级列表框1}) {
            focus(id);
            QTest::keyClick(handle(), Qt::Key_Escape, modifiers);
            QVERIFY(window->isVisible());
        }
    }

    void enter_alt_and_f1_change_nothing_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        const auto none = Qt::KeyboardModifiers();
        const auto alt = Qt::KeyboardModifiers(Qt::AltModifier);
        QTest::newRow("Enter in the number box")
            << int(control_id::编辑框_QQ号码) << int(Qt::Key_Return) << none;
        QTest::newRow("keypad Enter in the number box")
            << int(control_id::编辑框_QQ号码) << int(Qt::Key_Enter) << none;
        QTest::newRow("Enter on the search button")
            << int(control_id::按钮_搜索) << int(Qt::Key_Return) << none;
        QTest::newRow("Enter on the clear button")
            << int(control_id::按钮_清空号码) << int(Qt::Key_Return) << none;
        QTest::newRow("Enter on the check box")
            << int(control_id::选择框1) << int(Qt::Key_Return) << none;
        QTest::newRow("Alt+S") << int(control_id::编辑框_QQ号码) << int(Qt::Key_S) << alt;
        QTest::newRow("Alt+Q") << int(control_id::按钮_清空号码) << int(Qt::Key_Q) << alt;
        QTest::newRow("Alt+7") << int(control_id::编辑框_QQ号码) << int(Qt::Key_7) << alt;
        QTest::newRow("Alt+Shift+D") << int(control_id::编辑框_QQ号码) << int(Qt::Key_D)
                                     << Qt::KeyboardModifiers(Qt::AltModifier | Qt::ShiftModifier);
        QTest::newRow("F1") << int(control_id::编辑框_QQ号码) << int(Qt::Key_F1) << none;
        QTest::newRow("F1 on the list") << int(control_id::超级列表框1) << int(Qt::Key_F1) << none;
    }
    void enter_alt_and_f1_change_nothing() {
        QFETCH(int, id);
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        number_box()->setText(u"10001"_s);
        focus(static_cast<control_id>(id));
        const window_state before = state();
        QTest::keyClick(handle(), static_cast<Qt::Key>(key), modifiers);
        QTest::qWait(50);
        QVERIFY(state() == before);
    }

    void space_on_the_search_button_searches() {
        number_box()->setText(u"10001"_s);
        focus(control_id::按钮_搜索);
        QTest::keyClick(handle(), Qt::Key_Space);
        QCOMPARE(list_item_count(), 6);
    }

    void focus_returns_to_the_last_control_on_reactivation() {
        QTest::keyClick(handle(), Qt::Key_Tab);
        QTest::keyClick(handle(), Qt::Key_Tab);
        QCOMPARE(focused_name(), control_name(control_id::超级列表框1));
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QCOMPARE(focused_name(), control_name(control_id::超级列表框1));
    }

    void clear_button_empties_only_the_number_box_data() {
        QTest::addColumn<QString>("number");
        QTest::newRow("a number") << u"10001"_s;
        QTest::newRow("already empty") << QString();
        QTest::newRow("not a number") << u"十 0 x"_s;
    }
    void clear_button_empties_only_the_number_box() {
        QFETCH(QString, number);
        fill_rows(2);
        status_label()->setText(u"一共搜索到 [2]首歌曲..."_s);
        number_box()->setText(number);
        click(control_id::按钮_清空号码);
        QCOMPARE(number_box()->text(), QString());
        QCOMPARE(list_item_count(), 2);
        QCOMPARE(status_label()->text(), u"一共搜索到 [2]首歌曲..."_s);
        QVERIFY(check_box()->isChecked());
    }

    void double_click_copies_and_shows_the_address_data() {
        QTest::addColumn<bool>("ticked");
        QTest::addColumn<int>("boxes");
        QTest::newRow("ticked") << true << 1;
        QTest::newRow("not ticked") << false << 0;
    }
    void double_click_copies_and_shows_the_address() {
        QFETCH(bool, ticked);
        QFETCH(int, boxes);
        fill_rows(3);
        if (!ticked) {
            click(control_id::选择框1);
        }
        QCOMPARE(check_box()->isChecked(), ticked);
        message_box_watch watch;
        double_click_list_at(centre_of_row(1));
        QCOMPARE(list_selected_item(), 1);
        QCOMPARE(QGuiApplication::clipboard()->text(), u"http://stream.music.example/2.mp3"_s);
        QCOMPARE(int(watch.seen().size()), boxes);
        if (boxes == 1) {
            const message_box_watch::seen_box& box = watch.seen().front();
            QCOMPARE(box.caption, u"信息："_s);
            QCOMPARE(box.text, u"歌曲链接地址：http://stream.music.example/2.mp3\n"
                               u"请到迅雷下载.或者直接添加到QQ空间背景音乐.."_s);
            QCOMPARE(box.icon, QMessageBox::NoIcon);
            QCOMPARE(box.buttons.size(), 1);
            QCOMPARE(box.modality, Qt::ApplicationModal);
            QVERIFY(!box.has_parent);
        }
    }

    void double_click_without_a_row_does_nothing_data() {
        QTest::addColumn<int>("rows");
        QTest::newRow("empty list") << 0;
        QTest::newRow("below the rows") << 2;
    }
    void double_click_without_a_row_does_nothing() {
        QFETCH(int, rows);
        fill_rows(rows);
        message_box_watch watch;
        QSignalSpy raised(list(), &result_list_view::double_clicked);
        double_click_list_at({40, list()->viewport()->height() - 10});
        QCOMPARE(raised.size(), 1);
        QCOMPARE(list_selected_item(), -1);
        QCOMPARE(QGuiApplication::clipboard()->text(), u"before"_s);
        QVERIFY(watch.seen().empty());
    }

    void double_click_on_the_header_raises_nothing() {
        fill_rows(2);
        list()->selectRow(0);
        message_box_watch watch;
        QSignalSpy raised(list(), &result_list_view::double_clicked);
        QHeaderView* header = list()->horizontalHeader();
        QTest::mouseDClick(handle(), Qt::LeftButton, {},
                           header->mapTo(window.get(), QPoint(20, header->height() / 2)));
        QCOMPARE(raised.size(), 0);
        QCOMPARE(QGuiApplication::clipboard()->text(), u"before"_s);
        QVERIFY(watch.seen().empty());
        QCOMPARE(list_get_item_text(0, 0), std::string("1"));
    }

    void double_click_carries_place_and_modifiers_data() {
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<int>("key_state");
        QTest::newRow("none") << Qt::KeyboardModifiers() << 0;
        QTest::newRow("Shift") << Qt::KeyboardModifiers(Qt::ShiftModifier) << 2;
        QTest::newRow("Alt") << Qt::KeyboardModifiers(Qt::AltModifier) << 4;
        QTest::newRow("Shift+Alt")
            << Qt::KeyboardModifiers(Qt::ShiftModifier | Qt::AltModifier) << 6;
    }
    void double_click_carries_place_and_modifiers() {
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(int, key_state);
        fill_rows(3);
        check_box()->setChecked(false);
        QSignalSpy raised(list(), &result_list_view::double_clicked);
        const QPoint point = centre_of_row(2);
        double_click_list_at(point, modifiers);
        QCOMPARE(raised.size(), 1);
        // Client coordinates of the list: inside its edge, with the header above the rows.
        const QPoint client = list()->viewport()->mapTo(list(), point) -
                              QPoint(list()->frameWidth(), list()->frameWidth());
        QCOMPARE(raised.front().at(0).toInt(), client.x());
        QCOMPARE(raised.front().at(1).toInt(), client.y());
        QVERIFY(client.y() > list()->horizontalHeader()->height());
        QCOMPARE(raised.front().at(2).toInt(), key_state);
        QCOMPARE(list_selected_item(), 2);
    }

    void search_fills_the_list_and_the_status() {
        search_for(u"10001"_s);
        QCOMPARE(list_item_count(), 6);
        QCOMPARE(list()->rows().data(list()->rows().index(0, 1), Qt::DisplayRole).toString(),
                 u"晴天"_s);
        QCOMPARE(list_get_item_text(0, 0), std::string("1"));
        QCOMPARE(list_get_item_text(0, 2),
                 std::string("http://stream.music.example/qqmusic/1001.mp3"));
        QCOMPARE(list_get_item_text(2, 1), std::string());
        QCOMPARE(list_get_item_text(5, 0), std::string("6"));
        QCOMPARE(list()->rows().data(list()->rows().index(4, 2), Qt::DisplayRole).toString(),
                 u"http://stream.music.example/qqmusic/歌曲1005.mp3"_s);
        QCOMPARE(status_label()->text(), u"一共搜索到 [6]首歌曲..."_s);
        QVERIFY(widget(*window, control_id::按钮_搜索)->isEnabled());
    }

    void a_second_search_replaces_the_rows() {
        search_for(u"10001"_s);
        list()->selectRow(3);
        search_for(u"many-25"_s);
        QCOMPARE(list_item_count(), 25);
        QCOMPARE(list_selected_item(), -1);
        QCOMPARE(list_get_item_text(24, 0), std::string("25"));
        QCOMPARE(status_label()->text(), u"一共搜索到 [25]首歌曲..."_s);
        search_for(u"0"_s);
        QCOMPARE(list_item_count(), 0);
        QCOMPARE(status_label()->text(), u"一共搜索到 [0]首歌曲..."_s);
    }

    void a_searched_row_double_clicked_lands_on_the_clipboard() {
        search_for(u"10001"_s);
        message_box_watch watch;
        double_click_list_at(centre_of_row(4));
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 u"http://stream.music.example/qqmusic/歌曲1005.mp3"_s);
        QCOMPARE(int(watch.seen().size()), 1);
        QVERIFY(watch.seen().front().text.contains(u"歌曲1005.mp3\n"_s));
    }
};

QTEST_MAIN(main_window_qt_test)
#include "main_window_qt_test.moc"
