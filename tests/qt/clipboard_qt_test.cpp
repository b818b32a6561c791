// The clipboard and the message box of the link copy on Qt: CP936 inside, UTF-8 outside.
#include "actions/clipboard.h"

#include "tests/qt/message_box_watch.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QMimeData>
#include <QtTest>

using namespace Qt::StringLiterals;

class clipboard_qt_test : public QObject {
    Q_OBJECT

  private slots:
    void set_text_puts_unicode_on_the_clipboard_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("on_clipboard");
        QTest::addColumn<QByteArray>("read_back");
        QTest::newRow("address") << QByteArray("http://a.example/1.mp3")
                                 << u"http://a.example/1.mp3"_s
                                 << QByteArray("http://a.example/1.mp3");
        QTest::newRow("CP936") << QByteArray("http://a.example/歌曲1005.mp3")
                               << u"http://a.example/歌曲1005.mp3"_s
                               << QByteArray("http://a.example/歌曲1005.mp3");
        QTest::newRow("empty") << QByteArray("") << QString() << QByteArray("");
        QTest::newRow("up to the first NUL")
            << QByteArray("before\0after", 12) << u"before"_s << QByteArray("before");
    }
    void set_text_puts_unicode_on_the_clipboard() {
        QFETCH(QByteArray, text);
        QFETCH(QString, on_clipboard);
        QFETCH(QByteArray, read_back);
        QGuiApplication::clipboard()->setText(u"earlier"_s);
        QVERIFY(clipboard_set_text(std::string_view(text.constData(), std::size_t(text.size()))));
        QCOMPARE(QGuiApplication::clipboard()->text(), on_clipboard);
        QCOMPARE(clipboard_get_text(), read_back.toStdString());
    }

    void get_text_reads_what_others_put_there_data() {
        QTest::addColumn<QString>("on_clipboard");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("Chinese") << u"月亮代表我的心"_s << QByteArray("月亮代表我的心");
        QTest::newRow("not in CP936") << u"a\U0001F600b"_s << QByteArray("a?b");
        QTest::newRow("NUL inside") << (u"left"_s + QChar(0) + u"right"_s) << QByteArray("left");
    }
    void get_text_reads_what_others_put_there() {
        QFETCH(QString, on_clipboard);
        QFETCH(QByteArray, expected);
        QGuiApplication::clipboard()->setText(on_clipboard);
        QCOMPARE(clipboard_get_text(), expected.toStdString());
    }

    void get_text_is_empty_without_text() {
        auto* image_only = new QMimeData;
        image_only->setImageData(QImage(2, 2, QImage::Format_RGB32));
        QGuiApplication::clipboard()->setMimeData(image_only);
        QCOMPARE(clipboard_get_text(), std::string());
        QGuiApplication::clipboard()->clear();
        QCOMPARE(clipboard_get_text(), std::string());
    }

    void message_box_shows_one_ok_button_data() {
        QTest::addColumn<int>("style");
        QTest::addColumn<bool>("with_caption");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("icon");
        QTest::newRow("default caption")
            << MESSAGE_BOX_OK << false << u"信息："_s << int(QMessageBox::NoIcon);
        QTest::newRow("own caption")
            << MESSAGE_BOX_OK << true << u"出错"_s << int(QMessageBox::NoIcon);
        QTest::newRow("error icon")
            << MESSAGE_BOX_ICON_ERROR << true << u"出错"_s << int(QMessageBox::Critical);
        QTest::newRow("system modal")
            << MESSAGE_BOX_SYSTEM_MODAL << false << u"信息："_s << int(QMessageBox::NoIcon);
    }
    void message_box_shows_one_ok_button() {
        QFETCH(int, style);
        QFETCH(bool, with_caption);
        QFETCH(QString, caption);
        QFETCH(int, icon);
        message_box_watch watch;
        const std::int32_t pressed =
            with_caption ? message_box("第一行\r\n第二行", style, std::string_view("出错"))
                         : message_box("第一行\r\n第二行", style);
        QCOMPARE(pressed, 1);
        QCOMPARE(int(watch.seen().size()), 1);
        const message_box_watch::seen_box& box = watch.seen().front();
        QCOMPARE(box.caption, caption);
        QCOMPARE(box.text, u"第一行\n第二行"_s);
        QCOMPARE(int(box.icon), icon);
        QCOMPARE(box.buttons.size(), 1);
        QCOMPARE(box.modality, Qt::ApplicationModal);
        QVERIFY(!box.has_parent);
    }

    void message_box_text_is_never_markup() {
        QString shown;
        QTimer::singleShot(0, [&shown] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            QCOMPARE(box->textFormat(), Qt::PlainText);
            shown = box->text();
            box->button(QMessageBox::Ok)->click();
        });
        message_box_watch watch; // closes the box should the check above fail
        message_box("<b>http://a.example/?a=1&b=2</b>", MESSAGE_BOX_OK);
        QCOMPARE(shown, u"<b>http://a.example/?a=1&b=2</b>"_s);
    }
};

QTEST_MAIN(clipboard_qt_test)
#include "clipboard_qt_test.moc"
