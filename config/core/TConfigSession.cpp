#include "TConfigSession.h"

#include <QDateTime>

#include "DataDirectory.h"
#include "IComPort.h"
#include "Language.h"
#include "Messages.h"
#include "ReadHistory.h"
#include "SimulatedSettings.h"
#include "TLinkPort.h"
#include "TSimScenario.h"
#include "TTransferCore.h"
#include "TeswinCommand.h"

TConfigSession::TConfigSession(TCfEnvironment env, IPrompts& prompts)
    : m_env(std::move(env)), m_prompts(&prompts) {
    if (m_env.Port) {
        m_port = m_env.Port;
    } else {
        m_linkPort = std::make_unique<TLinkPort>(*m_env.Clock);
        LoadSimulatedSettings(m_linkPort->Simulator().Box().Memory(), TSimModel::Scr);
        m_port = m_linkPort.get();
    }
    m_port->SetMirrorBytes(true);
}

TConfigSession::~TConfigSession() = default;

QString TConfigSession::SettingsPath() const { return m_env.DataDir + TCfRecord::kFileName; }

QString TConfigSession::HistoryPath() const { return m_env.DataDir + kHistoryFileName; }

void TConfigSession::LoadSettings() {
    bool exists = false;
    m_settings = TCfRecord::Load(SettingsPath(), &exists);
    if (!exists) m_settings.LanguageIndex = static_cast<std::uint8_t>(LanguageFromMarkerFiles(m_env.ExeDir));
}

bool TConfigSession::SaveSettings() {
    const TResult saved = m_settings.Save(SettingsPath());
    if (!saved.Ok()) m_prompts->ShowError(saved.ErrorText);
    return saved.Ok();
}

bool TConfigSession::Exchange(TTransferCore& core, const std::vector<std::uint8_t>& packet,
                              const TExchangeRunner& runner) {
    bool ok = false;
    if (!core.FindInterface(m_settings.InterfacePort)) {
        runner.Close();  // DTR low, port closed
        m_prompts->ShowError(GetTesMessage(kMsgNotFound));
    } else {
        core.SendCommand(packet);
        const ModalResult result = runner.RunModal();
        if (result == mrCancel) {
            // The user's choice: nothing to report.
        } else if (result == mrAbort) {
            m_prompts->ShowInformation(GetTesMessage(kMsgBatteryAbort));
        } else if (core.Failed() || !core.ImageValid()) {
            m_prompts->ShowError(GetTesMessage(kMsgCommError));
        } else {
            const int message = ReplyMessage(core.Image());
            if (message == 0)
                ok = true;
            else if (message > 0)
                m_prompts->ShowError(GetTesMessage(message));
        }
    }
    m_busy = false;
    return ok;
}

std::optional<TSettingsBlock> TConfigSession::Read(TTransferCore& core, const TExchangeRunner& runner) {
    if (m_busy) return std::nullopt;
    m_busy = true;
    if (!Exchange(core, ReadCommand(), runner)) return std::nullopt;
    auto block = TSettingsBlock::FromImage(core.Image());
    if (!block) {
        // A reply shorter than a settings block would show bytes the dive computer never sent.
        m_prompts->ShowError(GetTesMessage(kMsgCommError));
        return std::nullopt;
    }
    const TResult history =
        AppendHistoryRecord(HistoryPath(), QDateTime::currentDateTime(), block->Settings());
    if (!history.Ok()) m_prompts->ShowError(history.ErrorText);
    return block;
}

bool TConfigSession::Write(TTransferCore& core, const std::vector<std::uint8_t>& writeList,
                           const TExchangeRunner& runner) {
    if (m_busy) return false;
    m_busy = true;
    return Exchange(core, WriteCommand(writeList), runner);
}

bool TConfigSession::WakeUp(TTransferCore& core, const TExchangeRunner& runner) {
    return Exchange(core, WakeUpCommand(), runner);
}

bool TConfigSession::LoadScenario(const QString& path) {
    if (!m_linkPort) return false;
    TScenarioResult read = TSimScenario::FromFile(path);
    if (!read.Ok()) {
        m_prompts->ShowError(read.ErrorText);
        return false;
    }
    CompleteSimulatedSettings(read.Scenario->Memory);
    m_linkPort->Simulator().LoadScenario(*read.Scenario);
    return true;
}
