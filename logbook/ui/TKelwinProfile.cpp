#include "TKelwinProfile.h"

#include <QMdiArea>

#include "TDispDlg.h"
#include "TGraphDlg.h"
#include "TKelvara.h"

TKelwinProfile::TKelwinProfile(TKelvara& main, TParameterTables& tables, TDispDlg* dataWindow) {
    m_graph = new TGraphDlg(*main.MdiArea(), main.Settings(), tables, main.IdleHook());
    QPointer<TDispDlg> data = dataWindow;
    m_graph->DiveAnalysed = [data](TDiveRec* dive) {
        if (data) data->ShowDive(dive);
    };
    QPointer<TKelvara> owner = &main;
    m_graph->ReportError = [owner](const QString& text) {
        if (owner) owner->Prompts().ShowError(text);
    };
    main.SetCommandHandler(ECommand::Profile, [this] { ProfileClick(); });
    QPointer<TGraphDlg> graph = m_graph;
    main.AddCurrentDiveListener([graph](TDiveRec* dive) {
        if (graph) graph->ShowDive(dive);
    });
    main.SetProfileKeyHandler([graph](int key, Qt::KeyboardModifiers modifiers) {
        if (graph) graph->CursorKey(key, modifiers);
    });
    m_graph->ShowDive(main.CurrentDive());
}

TKelwinProfile::~TKelwinProfile() {
    // Released here, inside or outside the main window, while the main window and its idle
    // hook still exist.
    delete m_graph.data();
}

TGraphDlg* TKelwinProfile::GraphDlg() const { return m_graph; }

void TKelwinProfile::ProfileClick() {
    if (m_graph) m_graph->ShowWindow();
}
