#pragma once

#include <QtGlobal>

// Shows the program-wide wait cursor for as long as it lives; nested ones stack.
class WaitCursor final
{
public:
    WaitCursor();
    ~WaitCursor();
    Q_DISABLE_COPY_MOVE(WaitCursor)
};
