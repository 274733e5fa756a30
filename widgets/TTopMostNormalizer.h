#pragma once
// Windows that stay on top of the others (the logbook's companion windows) would cover a
// question or a dialog that opens over them, hiding its buttons. While a modal dialog or
// message box is shown they are laid down to ordinary windows; when the last one closes
// they stay on top again.
//
//   TTopMostNormalizer::Instance().Add(companionWindow);   // after it is created

#include <QObject>
#include <QPointer>
#include <QSet>
#include <QWidget>
#include <vector>

class TTopMostNormalizer : public QObject {
public:
    // The application's one instance (watches every window of the application).
    static TTopMostNormalizer& Instance();

    explicit TTopMostNormalizer(QObject* parent = nullptr);
    ~TTopMostNormalizer() override;

    void Add(QWidget* window);
    // True while a modal window is shown and the windows are laid down.
    bool Normalized() const { return !m_modals.isEmpty(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Apply(bool onTop);

    std::vector<QPointer<QWidget>> m_windows;
    QSet<QObject*> m_modals;
};
