#include "FrameResources.h"

#include <QtGlobal>

void initFrameResources()
{
    static const bool s_bDone = []
    {
        Q_INIT_RESOURCE(frame);
        Q_INIT_RESOURCE(frame_translations);
        return true;
    }();
    Q_UNUSED(s_bDone);
}
