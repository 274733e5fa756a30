#include "TLinkPort.h"

TLinkPort::TLinkPort(IClock& clock)
    : m_cate(std::make_unique<TCate>()), m_sim(std::make_unique<TSimPort>(clock)) {
    ApplyLinkSettings(*m_cate);
    m_cate->Loaded();
    m_sim->SetMirrorBytes(true);
}

TLinkPort::~TLinkPort() = default;

void TLinkPort::ApplyLinkSettings(TCate& cate) {
    cate.SetBaudRate(TBaudRate::br___9600);
    cate.SetParity(TParity::None);
    cate.SetDataBits(TDataBits::db_8);
    cate.SetStopBits(TStopBits::sb_1);
    cate.SetDCBFlags(DcbSet(TDCBFlag::fBinary));
    cate.SetReadTimeout(150);
    cate.SetWriteTimeout(2);
    TIntervals t;
    t.ReadInterval = 15;
    cate.SetCommTimeouts(t);
    cate.SetMirrorBytes(true);
}

void TLinkPort::SetUseSimulatedBox(bool on) {
    if (on == m_useSim) return;
    Active().ClosePort();
    m_useSim = on;
}

bool TLinkPort::PortPresent(int com) const { return m_cate->PortPresent(com); }

void TLinkPort::SetMirrorBytes(bool on) {
    m_cate->SetMirrorBytes(on);
    m_sim->SetMirrorBytes(on);
}

void TLinkPort::SetOnRxChar(std::function<void()> handler) {
    m_cate->SetOnRxChar(handler);
    m_sim->SetOnRxChar(std::move(handler));
}
