#pragma once
// The common part of the three companion windows of the profile (dive computer panel,
// physiological data, tissue data): a tool window that stays on top, with a fixed border
// and no system buttons, created once for the run. Its position and state come from the
// settings record; it is shown while the profile window is shown and not minimised, unless
// the user minimised it with its window toggle. Painting it sets its menu check mark.
//
//   TTissData tissue(&main, settings);
//   tissue.SetSource([&] { return CompanionInput{&profile, replayed, dive, units}; });
//   tissue.MarkChanged = [&](bool normal) { main.SetToggleMark(ECommand::Tissue, normal); };
//   tissue.FollowProfile(true);    // the profile window shows a dive
//   tissue.ShowPoint(cursor);

#include <QWidget>
#include <functional>
#include <memory>

#include "CompanionReadings.h"
#include "SettingsRecord.h"

class TWidgetCaptions;

class TCompanionWindow : public QWidget {
    Q_OBJECT
public:
    ~TCompanionWindow() override;

    // Where the points come from: the profile window's profile, replay and dive.
    void SetSource(std::function<CompanionInput()> source) { m_source = std::move(source); }
    // Shows point i of the source's profile.
    virtual void ShowPoint(int i) = 0;

    bool Minimised() const;
    // The window toggle: a normal window is minimised, any other becomes normal. Returns
    // true when the window is now normal.
    bool Toggle();
    // The profile window is shown (and not minimised) or not: the window follows, unless
    // it is minimised itself.
    void FollowProfile(bool profileShown);
    bool Following() const { return m_following; }

    // Called with "not minimised" whenever the window paints or is toggled.
    std::function<void(bool normal)> MarkChanged;

protected:
    // `placement` names the window's field of the settings record; position and state are
    // taken from it now and saved into it when the program closes.
    TCompanionWindow(QWidget* parent, SettingsRecord& settings, WindowPlacement SettingsRecord::*placement,
                     const QString& windowClass);

    CompanionInput Source() const { return m_source ? m_source() : CompanionInput{}; }
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void ApplyVisibility();
    void NotifyMark();

    std::function<CompanionInput()> m_source;
    std::unique_ptr<TWidgetCaptions> m_captions;
    bool m_following = false;
};
