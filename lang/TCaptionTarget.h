#pragma once
// What ApplyLanguage needs from a window: a widget-free view of the window's controls by
// object name. The widget side implements it once (walking the QWidget tree with
// findChild<QObject*>(name)) and registers every window with a TCaptionRegistry.
//
//   class TWidgetCaptions : public TCaptionTarget {      // in the window layer
//       QString WindowClass() const override { return "TTransferWin"; }
//       void SetCaption(const QString& c, const QString& t) override {
//           if (c.isEmpty()) m_window->setWindowTitle(t); else ...setText(t) / setTitle(t);
//       }
//       ...
//   };
//
// Control names: the empty name is the window itself (its title). Menu items are QActions
// named like their menu entry; a file dialog is addressed by the name of its component
// ("OpenDialog", "SaveDialog"), which the window keeps as settings for the dialog it opens.

#include <QString>
#include <QStringList>

class TCaptionTarget {
public:
    virtual ~TCaptionTarget() = default;

    // Form class whose caption list applies, e.g. "TKelvara", "TEditDlg", "TCf".
    virtual QString WindowClass() const = 0;

    // Window title (empty control name), label, button, check box, group box or menu text.
    virtual void SetCaption(const QString& control, const QString& text) = 0;
    // Tool tip of a tool button.
    virtual void SetHint(const QString& control, const QString& text) = 0;
    // Radio group or combo box: clear it and add the items again in order. The chosen item
    // stays chosen when the new list still has it, and no click handler runs: a group may
    // show a setting read from the dive computer (Teswin's units and buzzer), which a change
    // of language must not lose. Where a language means to reset a choice, ApplyLanguage
    // calls SetItemIndex afterwards.
    virtual void SetItems(const QString& control, const QStringList& items) = 0;
    // Choose item `index` of a radio group or combo box.
    virtual void SetItemIndex(const QString& control, int index) = 0;
    // File dialog filter in the "Desc|*.log;*.kvl|..." form (QtFileFilter() converts it).
    virtual void SetFilter(const QString& control, const QString& filter) = 0;
    // File dialog default extension, e.g. ".LOG".
    virtual void SetDefaultExt(const QString& control, const QString& extension) = 0;
};
