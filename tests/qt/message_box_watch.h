// Message boxes are modal and wait for the user. A watch plays that user: while it lives,
// it looks for the active modal message box, notes what the box shows and presses OK.
#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <vector>

class message_box_watch {
  public:
    struct seen_box {
        QString caption;
        QString text;
        QMessageBox::Icon icon;
        QStringList buttons;
        Qt::WindowModality modality;
        bool has_parent;
    };

    message_box_watch() {
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, [this] { close_box(); });
        timer_.start();
    }

    const std::vector<seen_box>& seen() const { return seen_; }

  private:
    void close_box() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible()) {
            return;
        }
        QStringList buttons;
        for (QAbstractButton* button : box->buttons()) {
            buttons << button->text();
        }
        seen_.push_back({box->windowTitle(), box->text(), box->icon(), buttons,
                         box->windowModality(), box->parentWidget() != nullptr});
        if (QAbstractButton* ok = box->button(QMessageBox::Ok)) {
            ok->click();
        } else {
            box->reject();
        }
    }

    QTimer timer_;
    std::vector<seen_box> seen_;
};
