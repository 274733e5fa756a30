// The configuration tool's exchanges without its window: the session judges how each
// exchange ended and reports through the prompts, against the simulated box in virtual time.

#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "Language.h"
#include "Messages.h"
#include "ReadHistory.h"
#include "SimulatedSettings.h"
#include "TConfigSession.h"
#include "TShownMessages.h"
#include "TSimPort.h"
#include "TTransferCore.h"
#include "TVirtualClock.h"
#include "TeswinCommand.h"

namespace {

class ConfigSessionTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetCurrentLanguage(kEnglish);
        ASSERT_TRUE(m_dir.isValid());
        LoadSimulatedSettings(m_sim.Box().Memory(), TSimModel::Scr);
        m_session.LoadSettings();
        m_core.FormCreate();  // as the transfer window does: its countdown runs from here
    }

    TExchangeRunner Runner() {
        return {[this] {
                    const ModalResult result = m_core.RunModal();
                    m_core.FormClose();
                    return result;
                },
                [this] {
                    ++m_closed;
                    m_core.FormClose();
                }};
    }
    qint64 HistorySize() const { return QFileInfo(m_session.HistoryPath()).size(); }

    QTemporaryDir m_dir;
    TVirtualClock m_clock;
    TSimPort m_sim{m_clock};
    TShownMessages m_messages;
    TConfigSession m_session{{m_dir.path() + "/", m_dir.path() + "/", &m_clock, &m_sim}, m_messages};
    TTransferCore m_core{m_clock, m_session.Port(), TTransferConfig::Teswin()};
    int m_closed = 0;
};

TEST_F(ConfigSessionTest, ReadGivesTheBlockAndKeepsItInTheHistory) {
    const auto block = m_session.Read(m_core, Runner());
    ASSERT_TRUE(block.has_value());
    EXPECT_TRUE(m_messages.Empty()) << m_messages.Joined();
    EXPECT_GT(HistorySize(), 0);
    EXPECT_FALSE(m_session.Busy());
    EXPECT_EQ(m_closed, 0);
}

TEST_F(ConfigSessionTest, EachWayAnExchangeEndsIsReportedOnceOrNotAtAll) {
    // A late reply: the countdown ends with the battery message, an information.
    m_sim.Box().Faults().Add({TSimFaultKind::LatePacket, 1, 1, 65000});
    EXPECT_FALSE(m_session.Read(m_core, Runner()).has_value());
    EXPECT_EQ(m_messages.Tagged(), QStringList{"I:" + GetTesMessage(kMsgBatteryAbort)});

    // Cancel is the user's own choice.
    m_messages.Clear();
    TExchangeRunner cancelled = Runner();
    cancelled.RunModal = [this] {
        m_core.Cancel();
        return m_core.RunModal();
    };
    EXPECT_FALSE(m_session.WakeUp(m_core, cancelled));
    EXPECT_TRUE(m_messages.Empty()) << m_messages.Joined();

    // No answer at all: a communication error; the history stays as it was.
    m_sim.Box().Faults().Add({TSimFaultKind::Silence});
    EXPECT_FALSE(m_session.Read(m_core, Runner()).has_value());
    EXPECT_EQ(m_messages.Tagged(), QStringList{"E:" + GetTesMessage(kMsgCommError)});
    EXPECT_EQ(HistorySize(), 0);
    EXPECT_FALSE(m_session.Busy());
}

TEST_F(ConfigSessionTest, ACommandWhileAnExchangeRunsIsIgnored) {
    TExchangeRunner reentrant = Runner();
    bool inner = true;
    reentrant.RunModal = [&] {
        EXPECT_TRUE(m_session.Busy());
        inner = m_session.Read(m_core, Runner()).has_value() || m_session.Write(m_core, {}, Runner());
        const ModalResult result = m_core.RunModal();
        m_core.FormClose();
        return result;
    };
    EXPECT_TRUE(m_session.Read(m_core, reentrant).has_value());
    EXPECT_FALSE(inner);
}

TEST_F(ConfigSessionTest, ProgramPortWithoutTheBoxReportsNotFoundAndClosesThePort) {
    TConfigSession own({m_dir.path() + "/", m_dir.path() + "/", &m_clock}, m_messages);
    ASSERT_NE(own.LinkPort(), nullptr);
    own.Settings().InterfacePort = 0x2000;  // COM32 fixed: no device answers there
    TTransferCore core(m_clock, own.Port(), TTransferConfig::Teswin());
    int closed = 0;
    const TExchangeRunner runner{[&] { return core.RunModal(); },
                                 [&] {
                                     ++closed;
                                     core.FormClose();
                                 }};
    EXPECT_FALSE(own.Read(core, runner).has_value());
    EXPECT_EQ(m_messages.Tagged(), QStringList{"E:" + GetTesMessage(kMsgNotFound)});
    EXPECT_EQ(closed, 1);

    // A scenario for its simulated box: a damaged file is reported; a test's port has none.
    m_messages.Clear();
    EXPECT_FALSE(own.LoadScenario(m_dir.path() + "/missing.sim"));
    EXPECT_EQ(m_messages.Shown.size(), 1u);
    EXPECT_FALSE(m_session.LoadScenario(m_dir.path() + "/missing.sim"));
}

}  // namespace
