#pragma once
// The texts a window shows, for tests that check where they come from: every caption,
// title, hint and list item of every widget and action of the application, by an address
// made of the class and the object names from the top window down.
//
//   const QMap<QString, QString> english = WindowTexts();

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMap>
#include <QMenu>
#include <QString>

// Every shown text of every widget and action, by an address that names it.
inline QMap<QString, QString> WindowTexts() {
    QMap<QString, QString> texts;
    auto name = [](const QObject* o) {
        QString path = o->objectName();
        for (const QObject* p = o->parent(); p; p = p->parent()) path = p->objectName() + '/' + path;
        return QString::fromLatin1(o->metaObject()->className()) + ' ' + path;
    };
    for (QWidget* w : QApplication::allWidgets()) {
        if (w->isWindow() && !w->windowTitle().isEmpty()) texts[name(w) + " title"] = w->windowTitle();
        if (auto* l = qobject_cast<QLabel*>(w)) texts[name(w)] = l->text();
        if (auto* b = qobject_cast<QAbstractButton*>(w)) texts[name(w)] = b->text();
        if (auto* g = qobject_cast<QGroupBox*>(w)) texts[name(w)] = g->title();
        if (auto* m = qobject_cast<QMenu*>(w)) texts[name(w)] = m->title();
        if (auto* c = qobject_cast<QComboBox*>(w))
            for (int i = 0; i < c->count(); ++i)
                texts[name(w) + " item " + QString::number(i)] = c->itemText(i);
        if (!w->toolTip().isEmpty()) texts[name(w) + " hint"] = w->toolTip();
        for (QAction* a : w->actions()) {
            if (!a->text().isEmpty()) texts[name(a) + " action"] = a->text();
            if (!a->toolTip().isEmpty() && a->toolTip() != a->text())
                texts[name(a) + " action hint"] = a->toolTip();
        }
    }
    return texts;
}

// Words at all: not empty, not only digits, signs and units.
inline bool IsWord(const QString& text) {
    int letters = 0;
    for (QChar c : text)
        if (c.isLetter()) ++letters;
    return letters >= 3;
}
