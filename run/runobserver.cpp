#include "run/runobserver.h"

namespace {
RunObserver *installed = nullptr;
}

RunObserver *runObserver()
{
    return installed;
}

RunObserver *setRunObserver(RunObserver *observer)
{
    RunObserver *previous = installed;
    installed = observer;
    return previous;
}
