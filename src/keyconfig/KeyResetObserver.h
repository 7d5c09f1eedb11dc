#pragma once

// A key page that shows key n reloads its view when the key table assembly encodes that key.
class KeyResetObserver {
public:
    virtual ~KeyResetObserver() = default;
    virtual void OnKeyReset(int n) = 0;
};
