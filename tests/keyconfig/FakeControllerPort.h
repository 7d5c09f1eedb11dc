#pragma once

#include "ControllerPort.h"
#include "KeyResetObserver.h"

#include <vector>

// Keeps every table handed to the controller.
class FakeControllerPort final : public ControllerPort {
public:
    int AcpiInitialize() override { return 1; }
    void WriteEcBuffer(const Table& table) override { written.push_back(table); }
    bool SetSwitch(int) override { return false; }
    bool GetSwitch(int& out) override
    {
        out = 0;
        return false;
    }
    std::optional<int> ReadPressedKey() override { return std::nullopt; }

    std::vector<Table> written;
};

class RecordingObserver final : public KeyResetObserver {
public:
    void OnKeyReset(int n) override { keys.push_back(n); }
    std::vector<int> keys;
};
