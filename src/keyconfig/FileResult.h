#pragma once

#include <windows.h>

// The result of a step on a file: ERROR_SUCCESS, or the system's error code of the step that
// failed, so that a caller can say what went wrong.
struct FileResult {
    DWORD error = ERROR_SUCCESS;

    explicit operator bool() const noexcept { return error == ERROR_SUCCESS; }

    // The result of a system call that returned `ok`, with the error code it left.
    static FileResult Of(BOOL ok) noexcept
    {
        if (ok)
            return {};
        const DWORD error = GetLastError();
        return {error != ERROR_SUCCESS ? error : static_cast<DWORD>(ERROR_GEN_FAILURE)};
    }
};
