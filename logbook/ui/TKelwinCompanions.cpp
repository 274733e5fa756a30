#include "TKelwinCompanions.h"

#include "Language.h"
#include "TDiveComp.h"
#include "TFaktData.h"
#include "TGraphDlg.h"
#include "TKelvara.h"
#include "TTissData.h"

namespace {

template <typename T>
void Wire(TKelvara& main, T* window, ECommand command, WindowPlacement SettingsRecord::*placement) {
    main.RegisterPlacedWindow(placement, window);
    window->MarkChanged = [&main, command](bool normal) { main.SetToggleMark(command, normal); };
}

}  // namespace

TKelwinCompanions::TKelwinCompanions(TKelvara& main) : m_main(main) {
    SettingsRecord& settings = main.Settings();
    m_tissue = new TTissData(&main, settings);
    m_physio = new TFaktData(&main, settings);
    m_panel = new TDiveComp(&main, settings);
    Wire(main, m_tissue.data(), ECommand::Tissue, &SettingsRecord::TissuePlacement);
    Wire(main, m_physio.data(), ECommand::Physiological, &SettingsRecord::PhysioPlacement);
    Wire(main, m_panel.data(), ECommand::DiveComputer, &SettingsRecord::PanelPlacement);
    main.SetCommandHandler(ECommand::DiveComputer, [this] { DiveComputerClick(); });
    main.SetCommandHandler(ECommand::Physiological, [this] { PhysiologicalClick(); });
    main.SetCommandHandler(ECommand::Tissue, [this] { TissueClick(); });
}

TKelwinCompanions::~TKelwinCompanions() {
    // The profile window may outlive this object inside the main window.
    if (m_graph) {
        m_graph->UpdateCompanions = nullptr;
        m_graph->ProfileWindowStateChanged = nullptr;
    }
    // The windows belong to the main window; their marks must not reach it once it is gone.
    for (TCompanionWindow* w : std::initializer_list<TCompanionWindow*>{m_tissue, m_physio, m_panel})
        if (w) w->MarkChanged = nullptr;
}

TTissData* TKelwinCompanions::Tissue() const { return m_tissue; }
TFaktData* TKelwinCompanions::Physio() const { return m_physio; }
TDiveComp* TKelwinCompanions::Panel() const { return m_panel; }

void TKelwinCompanions::ConnectProfileWindow(TGraphDlg& graph) {
    m_graph = &graph;
    QPointer<TGraphDlg> source = &graph;
    SetSource([source] {
        if (!source) return CompanionInput{};
        return CompanionInput{&source->Profile(), source->ReplayedCount(), source->Dive(),
                              CurrentUnitSystem()};
    });
    graph.UpdateCompanions = [this](int point) { UpdateCompanions(point); };
    graph.ProfileWindowStateChanged = [this](bool shown, bool minimised) {
        FollowProfileWindow(shown, minimised);
    };
}

void TKelwinCompanions::SetSource(const std::function<CompanionInput()>& source) {
    for (TCompanionWindow* w : std::initializer_list<TCompanionWindow*>{m_tissue, m_physio, m_panel})
        if (w) w->SetSource(source);
}

void TKelwinCompanions::UpdateCompanions(int i) {
    for (TCompanionWindow* w : std::initializer_list<TCompanionWindow*>{m_tissue, m_physio, m_panel})
        if (w) w->ShowPoint(i);
}

void TKelwinCompanions::FollowProfileWindow(bool shown, bool minimised) {
    for (TCompanionWindow* w : std::initializer_list<TCompanionWindow*>{m_tissue, m_physio, m_panel})
        if (w) w->FollowProfile(shown && !minimised);
}

void TKelwinCompanions::DiveComputerClick() {
    if (m_panel) m_panel->Toggle();
}

void TKelwinCompanions::PhysiologicalClick() {
    if (m_physio) m_physio->Toggle();
}

void TKelwinCompanions::TissueClick() {
    if (m_tissue) m_tissue->Toggle();
}
