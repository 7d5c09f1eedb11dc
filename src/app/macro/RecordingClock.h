#pragma once

#include <cstdint>

// The clock a macro is recorded against, in ms; it wraps around like the system's.
class RecordingClock {
public:
    virtual ~RecordingClock() = default;
    virtual std::uint32_t Now() = 0;
};

// timeGetTime.
RecordingClock& SystemRecordingClock();
