#pragma once
// The caption target of one of the configuration tool's windows: finds the controls
// named in the caption lists among the window's children (widgets and menu actions)
// and sets their texts. An empty control name is the window's title.
//
//   TWidgetCaptions captions("TCf", this);
//   TCaptionRegistry::Of(Program::Teswin).Register(&captions);

#include <QPointer>
#include <QString>

#include "TCaptionTarget.h"

class QWidget;

class TWidgetCaptions : public TCaptionTarget {
public:
    TWidgetCaptions(QString windowClass, QWidget* window);

    QString WindowClass() const override { return m_class; }
    void SetCaption(const QString& control, const QString& text) override;
    void SetHint(const QString& control, const QString& text) override;
    void SetItems(const QString& control, const QStringList& items) override;
    void SetItemIndex(const QString& control, int index) override;
    void SetFilter(const QString&, const QString&) override {}
    void SetDefaultExt(const QString&, const QString&) override {}

private:
    QObject* Find(const QString& control) const;

    QString m_class;
    QPointer<QWidget> m_window;
};
