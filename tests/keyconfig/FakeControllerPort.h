#pragma once

#include "ControllerPort.h"
#include "KeyResetObserver.h"

#include <vector>

// Keeps every table handed to the controller, and accepts it or not.
class FakeControllerPort final : public ControllerPort {
public:
    int AcpiInitialize() override { return 1; }
    bool WriteEcBuffer(const Table& table) override
    {
        written.push_back(table);
        return accepts;
    }
    SwitchResult SetSwitch(int) override { return SwitchResult::NotAccepted; }
    bool RestoreSavedSwitch() override { return false; }
    bool GetSwitch(int& out) override
    {
        out = 0;
        return false;
    }
    std::optional<int> ReadPressedKey() override { return std::nullopt; }

    std::vector<Table> written;
    bool accepts = true;
};

class RecordingObserver final : public KeyResetObserver {
public:
    void OnKeyReset(int n) override { keys.push_back(n); }
    std::vector<int> keys;
};
