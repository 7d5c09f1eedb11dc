#pragma once

namespace forms {
class TForm;
}

// The main window as the tray control drives it.
class TrayHost {
public:
    virtual ~TrayHost() = default;
    // The main form: owner of the tray's components, shown and closed from the tray.
    virtual forms::TForm& Form() = 0;
    // The user switched the keys on or off from the tray: store and send it, show it and guard it.
    virtual void SwitchFromTray(bool on) = 0;
};
