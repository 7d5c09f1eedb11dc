#include "RecordingClock.h"

#include <windows.h>

#include <mmsystem.h>

namespace {

class MultimediaClock final : public RecordingClock {
public:
    std::uint32_t Now() override { return timeGetTime(); }
};

} // namespace

RecordingClock& SystemRecordingClock()
{
    static MultimediaClock clock;
    return clock;
}
