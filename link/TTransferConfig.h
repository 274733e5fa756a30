#pragma once
// What differs between the logbook program's and the configuration tool's transfer
// window; both run the one protocol core (TTransferCore) with one of these.
//
//   TTransferCore core(clock, port, TTransferConfig::Kelwin());

#include <cstddef>

enum class TTransferVariant { Kelwin, Teswin };

struct TTransferConfig {
    TTransferVariant Variant = TTransferVariant::Kelwin;
    std::size_t RxCapacity = 1027;      // bytes of RxBuffer
    std::size_t ImageCapacity = 32770;  // bytes of MemoryImage
    bool ReceptionArms = true;          // every received byte arms the packet timer
    bool HasSearchFlag = true;          // FindInterface can re-probe the open port
    int ReprobeDelayMs = 1000;          // DTR low time of a re-probe (not searching)
    bool UsesRaiseRts = true;           // RTS may be raised together with DTR
    bool ClearErrorsAfterNak = true;
    bool HasGaugeAndChoice = true;       // progress gauge and the dive choice group
    bool CountdownFromCreation = false;  // countdown runs from the window's creation
    int FoundMessage = 42;               // panel text of a found box, then the COM number

    static TTransferConfig Kelwin() { return {}; }
    static TTransferConfig Teswin() {
        TTransferConfig c;
        c.Variant = TTransferVariant::Teswin;
        c.RxCapacity = 256;
        c.ImageCapacity = 1026;
        c.ReceptionArms = false;
        c.HasSearchFlag = false;
        c.ReprobeDelayMs = 100;
        c.UsesRaiseRts = false;
        c.ClearErrorsAfterNak = false;
        c.HasGaugeAndChoice = false;
        c.CountdownFromCreation = true;
        c.FoundMessage = 9;
        return c;
    }
};
