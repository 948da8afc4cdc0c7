#include "ViewResources.h"

#include <QtGlobal>

void initViewResources()
{
    static const bool bRegistered = []
    {
        Q_INIT_RESOURCE(unitpictures);
        return true;
    }();
    Q_UNUSED(bRegistered);
}
