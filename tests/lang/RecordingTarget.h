#pragma once
// Test double of a window for the re-captioning tests: records every assignment as a
// "kind control=text" line (items joined by '|') and the chosen item of each group.
//
//   RecordingTarget print("TPrintDlg");
//   TCaptionRegistry::ApplyLanguage(Program::Kelwin, print, kSpanish);
//   EXPECT_TRUE(print.Calls.contains("caption PrinterSetup=Configurar"));

#include <QStringList>
#include <map>
#include <utility>

#include "TCaptionTarget.h"

// Records what ApplyLanguage assigns, as "kind control=text" lines.
class RecordingTarget : public TCaptionTarget {
public:
    explicit RecordingTarget(QString windowClass) : m_class(std::move(windowClass)) {}
    QString WindowClass() const override { return m_class; }
    void SetCaption(const QString& c, const QString& t) override { Log(QStringLiteral("caption"), c, t); }
    void SetHint(const QString& c, const QString& t) override { Log(QStringLiteral("hint"), c, t); }
    void SetItems(const QString& c, const QStringList& items) override {
        Log(QStringLiteral("items"), c, items.join(QLatin1Char('|')));
        m_index[c] = -1;  // forgets the choice, so a reset by ApplyLanguage shows
    }
    void SetItemIndex(const QString& c, int index) override {
        Log(QStringLiteral("index"), c, QString::number(index));
        m_index[c] = index;
    }
    void SetFilter(const QString& c, const QString& t) override { Log(QStringLiteral("filter"), c, t); }
    void SetDefaultExt(const QString& c, const QString& t) override { Log(QStringLiteral("ext"), c, t); }
    QStringList Calls;
    std::map<QString, int> m_index;

private:
    void Log(const QString& kind, const QString& c, const QString& t) {
        Calls << kind + QLatin1Char(' ') + c + QLatin1Char('=') + t;
    }
    QString m_class;
};
