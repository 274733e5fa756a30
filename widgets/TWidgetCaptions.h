#pragma once
// The widget side of re-captioning, for the windows of both programs: finds a window's
// controls by object name and gives them the texts of the caption lists. Labels, buttons,
// check boxes, group boxes, menu entries (QAction or QMenu), radio groups (TRadioGroup, or a
// plain group box of radio buttons), combo boxes and file dialog settings are understood; a
// name that is not found is ignored, so a list may name controls that a window of this
// platform does not need.
//
// Re-captioning never changes a choice: a combo box or radio group keeps its chosen item
// while its items are replaced, and no change signal reaches the window (a choice may be a
// setting read from the dive computer).
//
//   TWidgetCaptions captions(this, "TStartDlg");
//   captions.AddFileDialog("OpenDialog", &m_openDialog);       // main window only
//   TCaptionRegistry::Of(Program::Kelwin).Register(&captions);

#include <QPointer>
#include <QWidget>
#include <map>

#include "TCaptionTarget.h"
#include "TFileDialogSettings.h"

class TWidgetCaptions : public TCaptionTarget {
public:
    TWidgetCaptions(QWidget* window, QString windowClass);

    void AddFileDialog(const QString& control, TFileDialogSettings* settings);

    QString WindowClass() const override { return m_windowClass; }
    void SetCaption(const QString& control, const QString& text) override;
    void SetHint(const QString& control, const QString& text) override;
    void SetItems(const QString& control, const QStringList& items) override;
    void SetItemIndex(const QString& control, int index) override;
    void SetFilter(const QString& control, const QString& filter) override;
    void SetDefaultExt(const QString& control, const QString& extension) override;

private:
    QObject* Find(const QString& control) const;

    QPointer<QWidget> m_window;
    QString m_windowClass;
    std::map<QString, TFileDialogSettings*> m_fileDialogs;
};
