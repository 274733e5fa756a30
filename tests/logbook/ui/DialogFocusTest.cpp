// Message boxes and dialogs open with the keyboard focus on their default button, so that
// Return answers them at once.

#include <QDialog>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMainWindow>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <functional>
#include <memory>

#include <gtest/gtest.h>

#include "DialogFocus.h"
#include "TQtPrompts.h"
#include "TestApplication.h"

namespace {

// Once a modal window is up and its focus settled: what had the focus, then close it.
struct TFocusProbe {
    QString FocusedText;
    bool Seen = false;

    void Arm(const std::function<void(QWidget&)>& close) {
        auto* timer = new QTimer;
        timer->setInterval(0);
        auto rounds = std::make_shared<int>(0);
        QObject::connect(timer, &QTimer::timeout, [this, timer, rounds, close] {
            QWidget* modal = QApplication::activeModalWidget();
            // A few rounds after it appeared, so that any focus set after showing has happened.
            if (!modal || ++*rounds < 3) return;
            timer->stop();
            timer->deleteLater();
            Seen = true;
            if (auto* button = qobject_cast<QAbstractButton*>(QApplication::focusWidget()))
                FocusedText = button->text();
            close(*modal);
        });
        timer->start();
    }
};

TEST(DialogFocus, MessageBoxesFocusTheirDefaultButton) {
    TestApplication();
    QMainWindow main;
    main.show();
    main.activateWindow();
    // A field of the main window had the focus, as the dive list has.
    auto* field = new QLineEdit(&main);
    main.setCentralWidget(field);
    field->setFocus();
    TQtPrompts prompts(&main);

    TFocusProbe probe;
    probe.Arm([](QWidget& w) { static_cast<QDialog&>(w).reject(); });
    prompts.AskYesNo("Delete 2 dive(s)?");
    EXPECT_TRUE(probe.Seen);
    EXPECT_EQ(probe.FocusedText, "&No");

    TFocusProbe yes;
    yes.Arm([](QWidget& w) {
        auto& box = static_cast<QMessageBox&>(w);
        box.defaultButton()->click();
    });
    EXPECT_EQ(prompts.AskYesNoCancel("Logbook changed! Save?"), EAnswer::Yes);
    EXPECT_EQ(yes.FocusedText, "&Yes");
}

TEST(DialogFocus, DialogsWithoutAFocusedFieldFocusTheirDefaultButton) {
    TestApplication();
    TDialogFocus filter;
    QApplication::instance()->installEventFilter(&filter);
    QMainWindow main;
    main.show();
    auto* field = new QLineEdit(&main);
    main.setCentralWidget(field);
    field->setFocus();

    QDialog dialog(&main);
    auto* layout = new QVBoxLayout(&dialog);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    buttons->button(QDialogButtonBox::Ok)->setFocusPolicy(Qt::StrongFocus);
    buttons->button(QDialogButtonBox::Cancel)->setFocusPolicy(Qt::StrongFocus);
    layout->addWidget(buttons);
    // The focus chain would otherwise start at Cancel.
    QWidget::setTabOrder(buttons->button(QDialogButtonBox::Cancel), buttons->button(QDialogButtonBox::Ok));
    TFocusProbe probe;
    probe.Arm([](QWidget& w) { static_cast<QDialog&>(w).reject(); });
    dialog.exec();
    EXPECT_EQ(probe.FocusedText, "OK");
    QApplication::instance()->removeEventFilter(&filter);
}

}  // namespace
