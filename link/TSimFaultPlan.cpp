#include "TSimFaultPlan.h"

namespace {
bool IsPacketFault(TSimFaultKind k) {
    return k == TSimFaultKind::CorruptXor || k == TSimFaultKind::LengthAbove128 ||
           k == TSimFaultKind::DropPacket || k == TSimFaultKind::LatePacket || k == TSimFaultKind::Disconnect;
}
}  // namespace

bool TSimFaultPlan::Has(TSimFaultKind kind) const {
    for (const TSimFault& f : m_faults)
        if (f.Kind == kind) return true;
    return false;
}

int TSimFaultPlan::ValueOf(TSimFaultKind kind, int otherwise) const {
    for (const TSimFault& f : m_faults)
        if (f.Kind == kind) return f.Value;
    return otherwise;
}

const TSimFault* TSimFaultPlan::PacketFault(int packet, int attempt) const {
    for (const TSimFault& f : m_faults)
        if (IsPacketFault(f.Kind) && f.Packet == packet && attempt < f.Times) return &f;
    return nullptr;
}
