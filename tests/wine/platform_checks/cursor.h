#pragma once

#include <windows.h>

namespace platform_checks {

// Puts the pointer at a screen point and waits until Wine reports it there. Wine hears of each
// move again from the X server, later: a notice of an earlier move that arrived after this one
// would put the pointer back. Messages that arrive meanwhile are delivered.
inline void move_cursor(POINT at)
{
    SetCursorPos(at.x, at.y);
    int settled = 0;
    for (int round = 0; round < 200 && settled < 3; ++round) {
        MSG message{};
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        POINT now{};
        GetCursorPos(&now);
        if (now.x == at.x && now.y == at.y) {
            ++settled;
        } else {
            settled = 0;
            SetCursorPos(at.x, at.y);
        }
        Sleep(5);
    }
}

} // namespace platform_checks
