#pragma once
// Re-captioning of a link window by the language tables: finds the controls by their
// object names (the window itself for the empty name) and sets their texts.
//
//   TWindowCaptions captions("TTransferWin", this);
//   TCaptionRegistry::Of(Program::Kelwin).Register(&captions);

#include <QPointer>
#include <QWidget>

#include "TCaptionTarget.h"

class TWindowCaptions : public TCaptionTarget {
public:
    TWindowCaptions(QString windowClass, QWidget* window)
        : m_class(std::move(windowClass)), m_window(window) {}

    QString WindowClass() const override { return m_class; }
    void SetCaption(const QString& control, const QString& text) override;
    void SetHint(const QString& control, const QString& text) override;
    void SetItems(const QString& control, const QStringList& items) override;
    void SetItemIndex(const QString& control, int index) override;
    void SetFilter(const QString&, const QString&) override {}
    void SetDefaultExt(const QString&, const QString&) override {}

private:
    QString m_class;
    QPointer<QWidget> m_window;
};
