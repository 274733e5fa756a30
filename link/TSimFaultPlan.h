#pragma once
// Faults the simulated box is told to make. Packet faults name a packet of the next
// reply images (1 = the first packet of a reply) and apply to its first `Times`
// transmissions, so the repetition after the NAK is good unless Times says otherwise.
//
//   TSimFaultPlan plan;
//   plan.Add({TSimFaultKind::CorruptXor, 2});            // packet 2 once with a bad XOR
//   plan.Add({TSimFaultKind::DropPacket, 1, 5});         // packet 1 lost five times
//   plan.Add({TSimFaultKind::ErrorCode, 0, 1, 2});       // every command fails with code 2

#include <cstdint>
#include <vector>

enum class TSimFaultKind {
    CorruptXor,           // the packet's XOR byte is wrong
    LengthAbove128,       // the packet goes out with a length byte above 128
    DropPacket,           // the packet is not sent
    LatePacket,           // the packet goes out Value ms late
    Silence,              // commands get neither ACK nor reply
    NoAck,                // commands are answered without the ACK
    NoIdentification,     // nothing is sent when DTR rises
    WrongIdentification,  // the identification says "IFV0.99"
    ErrorCode,            // every command is answered with error code Value
    Disconnect            // the box goes dead before sending the packet (until reset)
};

struct TSimFault {
    TSimFaultKind Kind = TSimFaultKind::CorruptXor;
    int Packet = 0;  // packet faults: 1-based packet number of each reply
    int Times = 1;   // packet faults: how many transmissions of that packet are affected
    int Value = 0;   // LatePacket: delay in ms; ErrorCode: the code
};

class TSimFaultPlan {
public:
    void Add(const TSimFault& fault) { m_faults.push_back(fault); }
    void Clear() { m_faults.clear(); }
    const std::vector<TSimFault>& Faults() const { return m_faults; }
    bool Has(TSimFaultKind kind) const;
    // Value of the first fault of that kind (for ErrorCode), or `otherwise`.
    int ValueOf(TSimFaultKind kind, int otherwise) const;
    // The packet fault for transmission `attempt` (0 = first) of packet `packet`, or
    // nullptr when that transmission is sound.
    const TSimFault* PacketFault(int packet, int attempt) const;

private:
    std::vector<TSimFault> m_faults;
};
